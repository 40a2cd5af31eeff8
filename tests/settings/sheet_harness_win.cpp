#include "tests/settings/sheet_harness_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ui/app_state.h"
#include "app/commands_win.h"
#include "app/file_commands_win.h"
#include "app/frame_win.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "app/program_win.h"
#include "app/startup_win.h"
#include "app/ui_state_win.h"
#include "ui/file_dialog_win.h"
#include "ui/frame_seam_win.h"
#include "ui/pictures_win.h"
#include "ui/ui_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"

namespace {

constexpr UINT WM_NEXT_STEP = WM_APP + 7;
constexpr UINT_PTR RETRY_TIMER = 1;
constexpr int APPLY_BUTTON = 0x3021;

std::vector<std::string> gMessages;
std::vector<SheetStep> gSteps;
size_t gNextStep;
// A step that When held back: since when, and whether it asked to be tried again.
bool gWaiting;
DWORD gWaitingSince;
bool gAgain;
HWND gSheet;
HWND gScript;
HWND gOwner;
HHOOK gHook;
HWND gLastActivated;

int AnswerMessage(HWND, const char* text, const char*, UINT)
{
    gMessages.push_back(text);
    return IDOK;
}

LRESULT CALLBACK ScriptProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == RETRY_TIMER)
        KillTimer(window, RETRY_TIMER);
    else if (message != WM_NEXT_STEP)
        return DefWindowProcA(window, message, wParam, lParam);
    if (!IsWindow(gSheet))
        return 0;
    if (gNextStep < gSteps.size()) {
        gAgain = false;
        gSteps[gNextStep](gSheet);
        if (gAgain) {
            SetTimer(window, RETRY_TIMER, 10, nullptr);
        } else {
            gWaiting = false;
            gNextStep++;
            PostMessageA(window, WM_NEXT_STEP, 0, 0);
        }
    } else if (IsWindowVisible(gSheet)) {
        ADD_FAILURE() << "the steps left the sheet open";
        PropSheet_PressButton(gSheet, PSBTN_CANCEL);
    }
    /* A modal sheet under Wine leaves its loop only on the next message. */
    PostMessageA(gSheet, WM_NULL, 0, 0);
    return 0;
}

LRESULT CALLBACK WatchForSheet(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        gLastActivated = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && !gSheet) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char cls[16] = "";
        GetClassNameA(window, cls, sizeof cls);
        /* Its caption is set only after it is first activated. */
        if (std::strcmp(cls, "#32770") == 0 && GetWindow(window, GW_OWNER) == gOwner) {
            gSheet = window;
            PostMessageA(gScript, WM_NEXT_STEP, 0, 0);
        }
    }
    return CallNextHookEx(gHook, code, wParam, lParam);
}

HWND ScriptWindow()
{
    if (!gScript) {
        WNDCLASSA cls = {};
        cls.lpfnWndProc = ScriptProc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "MoravelSheetScript";
        RegisterClassA(&cls);
        gScript = CreateWindowA(cls.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                cls.hInstance, nullptr);
    }
    return gScript;
}

}  // namespace

void SheetTest::SetUp()
{
    ASSERT_EQ(1, StartFrame());
    OpenWithDemoData();
}

void SheetTest::OpenWithDemoData()
{
    window = OpenMainWindow();
    ASSERT_NE(nullptr, window);
    LoadDemoData(window);
    TakeMessages();
}

void SheetTest::TearDown()
{
    CloseTestWindow(window);
    SetMessageHook(nullptr);
}

void LeaveField(HWND page, int control)
{
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(control, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, control)));
}

void PostClick(HWND window, int control)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, control)));
}

HWND FindDialog(const char* caption)
{
    // The tests running beside this one open the same dialogs.
    HWND dialog = nullptr;
    while ((dialog = FindWindowExA(nullptr, dialog, "#32770", caption)) != nullptr)
        if (GetWindowThreadProcessId(dialog, nullptr) == GetCurrentThreadId())
            return dialog;
    return nullptr;
}

std::function<bool()> Opened(const char* caption)
{
    return [caption] { return FindDialog(caption) != nullptr; };
}

std::function<bool()> Closed(const char* caption)
{
    return [caption] { return FindDialog(caption) == nullptr; };
}

SheetStep When(std::function<bool()> ready, SheetStep step)
{
    return [ready, step](HWND sheet) {
        if (!ready()) {
            if (!gWaiting) {
                gWaiting = true;
                gWaitingSince = GetTickCount();
            }
            // An ended dialog goes only once its loop returns: the step cannot wait inside it.
            if (GetTickCount() - gWaitingSince < 5000) {
                gAgain = true;
                return;
            }
        }
        step(sheet);
    };
}

void LoadDemoData(HWND mainWindow, void (*edit)(SimDevice& device))
{
    std::unique_ptr<SimDevice> device(new SimDevice());
    SimInitDemo(device.get());
    if (edit)
        edit(*device);
    TakeDownloadedImage(gDocument, DeviceImage{device->items},
                        static_cast<int>(gApp.quickKeyCount));
    TakeNewData(mainWindow);
    gDocument.modified = 0;
    PumpMessages();
}

bool RunSheet(HWND mainWindow, const std::vector<SheetStep>& steps)
{
    ScriptWindow();
    gSteps = steps;
    gNextStep = 0;
    gWaiting = false;
    gSheet = nullptr;
    gLastActivated = nullptr;
    gOwner = mainWindow;
    SetMessageHook(AnswerMessage);
    gHook = SetWindowsHookExA(WH_CBT, WatchForSheet, nullptr, GetCurrentThreadId());
    SendMessageA(mainWindow, WM_COMMAND, IDM_DEVICE_SETTINGS, 0);
    UnhookWindowsHookEx(gHook);
    gHook = nullptr;
    KillTimer(gScript, RETRY_TIMER);
    PumpMessages();
    const bool opened = gSheet != nullptr;
    EXPECT_EQ(steps.size(), gNextStep) << "every step ran";
    gSheet = nullptr;
    gSteps.clear();
    return opened;
}

HWND LastActivated() { return gLastActivated; }

std::vector<std::string> TakeMessages()
{
    std::vector<std::string> messages;
    messages.swap(gMessages);
    return messages;
}

int PageCount(HWND sheet) { return TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet)); }

std::string TabLabel(HWND sheet, int index)
{
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(PropSheet_GetTabControl(sheet), TCM_GETITEMA, index,
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

int CurrentPageIndex(HWND sheet) { return TabCtrl_GetCurSel(PropSheet_GetTabControl(sheet)); }

HWND CurrentPage(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }

bool SelectPage(HWND sheet, int index) { return SendMessageA(sheet, PSM_SETCURSEL, index, 0) != 0; }

bool ApplyEnabled(HWND sheet) { return IsWindowEnabled(GetDlgItem(sheet, APPLY_BUTTON)) != FALSE; }

void Press(HWND sheet, int button) { PropSheet_PressButton(sheet, button); }

void Click(HWND page, int control) { SendDlgItemMessageA(page, control, BM_CLICK, 0, 0); }

void Type(HWND page, int control, const char* text) { SetDlgItemTextA(page, control, text); }

void Choose(HWND page, int combo, int index)
{
    SendDlgItemMessageA(page, combo, CB_SETCURSEL, index, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, combo)));
}

void SetAddress(HWND page, int control, BYTE a, BYTE b, BYTE c, BYTE d)
{
    SendDlgItemMessageA(page, control, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
}

void Scroll(HWND page, int bar, int request, int thumb)
{
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(request, thumb),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, bar)));
}

std::string Text(HWND page, int control)
{
    char text[256] = "";
    GetDlgItemTextA(page, control, text, sizeof text);
    return text;
}

bool Checked(HWND page, int control) { return IsDlgButtonChecked(page, control) == BST_CHECKED; }

bool Enabled(HWND page, int control) { return IsWindowEnabled(GetDlgItem(page, control)) != FALSE; }

bool HasFocus(HWND page, int control) { return WaitForFocus(page, control); }
