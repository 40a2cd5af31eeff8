#include "tests/dial_lists/dial_lists_harness_win.h"

#include <commctrl.h>

#include <cstring>

#include "ui/app_state.h"
#include "app/commands_win.h"
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
#include "dial/dial_editors_win.h"
#include "document/dial_tables.h"
#include "tests/app/frame_harness_win.h"

namespace {

void Copy(char* field, size_t size, const char* text)
{
    std::strncpy(field, text, size - 1);
    field[size - 1] = '\0';
}

DialRecord Destination(int view, const char* name)
{
    DialRecord r = {};
    r.inUse = 1;
    r.kind = view == VIEW_SPEED ? KIND_SPEED : KIND_QUICK;
    Copy(r.name, sizeof r.name, name);
    return r;
}

void Store(int view, int index, DialRecord& r)
{
    if (view == VIEW_SPEED)
        ASSERT_EQ(1, EncodeSpeedEntry(gDocument.edit, &r, index)) << "speed entry " << index;
    else
        ASSERT_EQ(1, EncodeQuickKey(gDocument.edit, &r, index)) << "key " << index;
}

HHOOK gCbtHook = nullptr;
std::function<void(HWND)> gScript;
std::string gCaption;
HWND gDriven = nullptr;
UINT_PTR gScriptTimer = 0;

// Runs the script from the dialog's own message loop, once it is shown and has its focus.
int gScriptWaits = 0;

void CALLBACK RunScript(HWND, UINT, UINT_PTR, DWORD)
{
    // On a busy machine the timer can come before the dialog is shown and has its focus.
    const bool ready = IsWindowVisible(gDriven) && IsChild(gDriven, GetFocus());
    if (!ready && IsWindow(gDriven) && ++gScriptWaits < 500) {
        TakeBackForeground(gDriven);
        return;
    }
    KillTimer(nullptr, gScriptTimer);
    gScriptTimer = 0;
    std::function<void(HWND)> script = std::move(gScript);
    gScript = nullptr;
    if (script && IsWindow(gDriven))
        script(gDriven);
    // A modal loop notices its end with the next message.
    if (IsWindow(gDriven))
        PostMessageA(gDriven, WM_NULL, 0, 0);
}

LRESULT CALLBACK OnDialogActive(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (code == HCBT_ACTIVATE && gScript && !gScriptTimer && lstrcmpA(cls, "#32770") == 0) {
        char caption[160] = "";
        GetWindowTextA(window, caption, sizeof caption);
        gCaption = caption;
        gDriven = window;
        gScriptWaits = 0;
        gScriptTimer = SetTimer(nullptr, 0, 10, RunScript);
    }
    return CallNextHookEx(gCbtHook, code, wParam, lParam);
}

int AnswerAndRecord(HWND, const char* text, const char* caption, UINT flags)
{
    gMessageLog.asked.push_back({text, caption, flags});
    if (gMessageLog.onAsk)
        gMessageLog.onAsk(GetActiveWindow());
    return gMessageLog.answer;
}

}  // namespace

MessageLog gMessageLog;

void RecordMessages()
{
    gMessageLog = MessageLog();
    SetMessageHook(AnswerAndRecord);
}

std::string DriveDialog(const std::function<void()>& open, const std::function<void(HWND)>& script)
{
    gCaption = "<none>";
    gScript = script;
    gCbtHook = SetWindowsHookExA(WH_CBT, OnDialogActive, nullptr, GetCurrentThreadId());
    open();
    UnhookWindowsHookEx(gCbtHook);
    gCbtHook = nullptr;
    gScript = nullptr;
    if (gScriptTimer)
        KillTimer(nullptr, gScriptTimer);
    gScriptTimer = 0;
    PumpMessages();
    return gCaption;
}

std::string ControlText(HWND dialog, int control)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, control, text, sizeof text);
    return text;
}

std::string TypeInto(HWND dialog, int control, const char* text, int caret)
{
    HWND edit = GetDlgItem(dialog, control);
    const int at = caret >= 0 ? caret : GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, at, at);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    return ControlText(dialog, control);
}

std::pair<int, int> Selection(HWND dialog, int control)
{
    DWORD start = 0, end = 0;
    SendDlgItemMessageA(dialog, control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void Click(HWND dialog, int control) { SendDlgItemMessageA(dialog, control, BM_CLICK, 0, 0); }

std::string Describe(const ShownRow& row)
{
    std::string text = "image " + std::to_string(row.image) + ":";
    for (const std::string& cell : row.cells)
        text += " [" + cell + "]";
    return text;
}

std::string CellText(HWND list, int row, int column)
{
    char text[256] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

ShownRow ReadRow(HWND list, int row)
{
    ShownRow shown;
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    if (SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        shown.image = item.iImage;
    for (int c = 0; c < ListColumnCount(list); c++)
        shown.cells.push_back(CellText(list, row, c));
    return shown;
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

void PutFax(int view, int index, const char* name, const char* number, const char* sub,
            const char* sid, int speed)
{
    DialRecord r = Destination(view, name);
    r.destType = DEST_FAX;
    Copy(r.faxNumber, sizeof r.faxNumber, number);
    Copy(r.sub, sizeof r.sub, sub);
    Copy(r.sid, sizeof r.sid, sid);
    r.speed = static_cast<uint8_t>(speed);
    Store(view, index, r);
}

void PutEmail(int view, int index, const char* name, const char* address, int customScan,
              int scanSize, int resolution, int coding)
{
    DialRecord r = Destination(view, name);
    r.destType = DEST_EMAIL;
    Copy(r.email, sizeof r.email, address);
    r.customScan = static_cast<uint8_t>(customScan);
    r.scanSize = static_cast<uint8_t>(scanSize);
    r.scanResolution = static_cast<uint8_t>(resolution);
    r.scanCoding = static_cast<uint8_t>(coding);
    Store(view, index, r);
}

void PutCombination(int view, int index, const char* name, const char* number)
{
    DialRecord r = Destination(view, name);
    r.destType = DEST_FAX;
    r.chain = 1;
    Copy(r.faxNumber, sizeof r.faxNumber, number);
    Store(view, index, r);
}

void PutProgramDial(int view, int index, const char* number)
{
    PutFax(view, index, "", number, "1", "2", 2);
    uint8_t* entry = view == VIEW_SPEED ? gDocument.edit.speedDial.entries[index]
                                        : gDocument.edit.quickDial.entries[index];
    entry[1] |= FLAG_PROGRAM;
}

void PutGroup(int index, const char* name, std::vector<int> quickKeys,
              std::vector<int> speedEntries)
{
    DialRecord g = {};
    g.inUse = 1;
    g.kind = KIND_GROUP;
    g.high = 1;
    Copy(g.name, sizeof g.name, name);
    std::vector<DialMember> quick, speed;
    for (int k : quickKeys)
        quick.push_back({MEMBER_TABLE_QUICK, static_cast<uint8_t>(k)});
    for (int k : speedEntries)
        speed.push_back({MEMBER_TABLE_SPEED, static_cast<uint8_t>(k)});
    ASSERT_EQ(1, EncodeGroupKey(gDocument.edit, g, index, quick.data(), static_cast<int>(quick.size()),
                                speed.data(), static_cast<int>(speed.size())));
}

void DialListWindow::Open(const char* profile)
{
    StartFrame(profile);
    window = OpenMainWindow();
    ASSERT_NE(nullptr, window) << "the main window was not created";
    std::memset(&gDocument.edit.quickDial, 0, sizeof gDocument.edit.quickDial);
    std::memset(&gDocument.edit.speedDial, 0, sizeof gDocument.edit.speedDial);
    gDocument.edit.config.inchPaper = 0;
}

void DialListWindow::TearDown()
{
    SetMessageHook(nullptr);
    SetEditorHook(nullptr);
    CloseTestWindow(window);
}

void DialListWindow::Show(int view)
{
    // As after a download or Open: data present, tree and list usable.
    gDocument.dataPresent = 1;
    EnableWindow(static_cast<HWND>(gApp.tree), TRUE);
    EnableWindow(static_cast<HWND>(gApp.dialList), TRUE);
    SelectTreeItem(VIEW_DEVICE);
    SelectTreeItem(view);
    PumpMessages();
    ASSERT_EQ(static_cast<uint32_t>(view), gApp.currentView) << "the tree did not switch";
}

void DialListWindow::Select(HWND list, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    PumpMessages();
}

HWND DialListWindow::List() const { return static_cast<HWND>(gApp.dialList); }

HWND DialListWindow::Members() const { return static_cast<HWND>(gApp.memberList); }
