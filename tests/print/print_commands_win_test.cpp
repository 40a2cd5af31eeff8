// File, Print and File, Print Preview through the real window: the "Print Destination List"
// dialog, the print dialog answered through its seam, the connection, and jobs printed by a
// real (Wine PostScript) printer whose pages Ghostscript reads back.
#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ui/app_state.h"
#include "ui/ui_win.h"
#include "device/device_transport.h"
#include "devsim/sim_backend.h"
#include "print/print_win.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/dial_lists/dial_lists_harness_win.h"
#include "tests/print/test_printer_win.h"

namespace {

// ---- Driving the modal dialogs ------------------------------------------------------------
// A CBT hook sees each dialog as it becomes active and posts it to a window of the test, whose
// handler runs the script for the dialog's caption inside the dialog's own message loop.

typedef std::function<void(HWND dialog)> Script;
std::map<std::string, Script> gScripts;
std::set<HWND> gSeenDialogs;
std::vector<std::string> gDialogsShown;
HHOOK gCbt = nullptr;
HWND gScriptWindow = nullptr;

LRESULT CALLBACK WatchDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        char cls[16] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0)
            PostMessageA(gScriptWindow, WM_APP, wParam, 0);
    }
    return CallNextHookEx(gCbt, code, wParam, lParam);
}

// Dialogs waiting for their script: on a busy machine, with other test programs' windows on the
// same display, a dialog can be activated before it is shown and has its focus.
std::deque<HWND> gPendingDialogs;
int gPendingWaits = 0;
constexpr UINT_PTR READY_TIMER = 1;

LRESULT CALLBACK ScriptWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        if (IsWindow(dialog) && gSeenDialogs.insert(dialog).second) {
            gPendingDialogs.push_back(dialog);
            SetTimer(window, READY_TIMER, 10, nullptr);
        }
        return 0;
    }
    if (message != WM_TIMER || wParam != READY_TIMER)
        return DefWindowProcA(window, message, wParam, lParam);
    if (gPendingDialogs.empty()) {
        KillTimer(window, READY_TIMER);
        return 0;
    }
    HWND dialog = gPendingDialogs.front();
    const bool ready = IsWindowVisible(dialog) && IsChild(dialog, GetFocus());
    if (!ready && IsWindow(dialog) && ++gPendingWaits < 500) {
        TakeBackForeground(dialog);
        return 0;
    }
    gPendingWaits = 0;
    gPendingDialogs.pop_front();
    if (gPendingDialogs.empty())
        KillTimer(window, READY_TIMER);
    if (!IsWindow(dialog))
        return 0;
    char caption[128] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    gDialogsShown.push_back(caption);
    auto script = gScripts.find(caption);
    if (script != gScripts.end())
        script->second(dialog);
    else
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // never leave a test waiting
    return 0;
}

bool Checked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

std::string ItemText(HWND dialog, int control)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, control, text, sizeof text);
    return text;
}

// "Print Destination List" answered with OK after leaving only the given lists checked.
Script ChooseLists(bool quick, bool speed, bool group)
{
    return [=](HWND dialog) {
        const int controls[] = {IDC_PRINT_QUICK, IDC_PRINT_SPEED, IDC_PRINT_GROUP};
        const bool wanted[] = {quick, speed, group};
        for (int i = 0; i < 3; i++)
            if (Checked(dialog, controls[i]) != wanted[i])
                Click(dialog, controls[i]);
        Click(dialog, IDOK);
    };
}

// ---- The print dialog and message boxes -----------------------------------------------------

struct PrinterDialogAnswer {
    int calls = 0;
    DWORD flags = 0;
    TestPrinter* printer = nullptr;  // none: Cancel
    bool memoryDc = false;           // a device context that cannot print
    int copies = 1;
    int collate = 0;
} gPrinterDialog;

int AnswerPrinterDialog(HWND, DWORD flags, ChosenPrinter* chosen)
{
    gPrinterDialog.calls++;
    gPrinterDialog.flags = flags;
    if (gPrinterDialog.memoryDc) {
        chosen->dc = CreateCompatibleDC(nullptr);
        return 1;
    }
    if (!gPrinterDialog.printer)
        return 0;
    chosen->dc = gPrinterDialog.printer->CreateDc();
    chosen->copies = gPrinterDialog.copies;
    chosen->collate = gPrinterDialog.collate;
    return chosen->dc != nullptr;
}

std::vector<std::string> gMessages;
int RecordMessage(HWND, const char* text, const char*, UINT)
{
    gMessages.push_back(text);
    return IDOK;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class PrintCommands : public DialListWindow {
protected:
    void SetUp() override
    {
        SetDeviceBackend(BuiltInSimBackend(nullptr));
        Open();
        gDocument.dataPresent = 1;
        gScripts.clear();
        gSeenDialogs.clear();
        gPendingDialogs.clear();
        gPendingWaits = 0;
        gDialogsShown.clear();
        gMessages.clear();
        gPrinterDialog = PrinterDialogAnswer{};
        SetMessageHook(RecordMessage);
        SetPrinterDialogHook(AnswerPrinterDialog);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ScriptWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PrintTestScript";
        RegisterClassA(&wc);
        gScriptWindow = CreateWindowA("PrintTestScript", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      wc.hInstance, nullptr);
        gCbt = SetWindowsHookExA(WH_CBT, WatchDialogs, nullptr, GetCurrentThreadId());

        PutFax(VIEW_QUICK, 0, "Anna Schmidt", "0301111111", "", "", 2);
        PutFax(VIEW_SPEED, 0, "Bob Miller", "0302222222", "", "", 1);
        PutFax(VIEW_SPEED, 89, "Carla Rossi", "0303333333", "", "", 0);
        PutGroup(4, "Sales Team", {0}, {0, 89});
    }
    void TearDown() override
    {
        UnhookWindowsHookEx(gCbt);
        DestroyWindow(gScriptWindow);
        SetPrinterDialogHook(nullptr);
        DialListWindow::TearDown();
        SetDeviceBackend(nullptr);
    }
    void Command(int id)
    {
        SendMessageA(window, WM_COMMAND, id, 0);
        PumpMessages();
    }
    void Connect()
    {
        Command(IDM_CONNECT);
        ASSERT_EQ(1u, gApp.connected) << "the simulated device should connect";
    }
};

// ---- The choice dialog and the command's steps ------------------------------------------

TEST_F(PrintCommands, ChoiceDialogOpensWithEveryListCheckedAndOkFocused)
{
    bool all = false;
    std::string focus;
    gScripts["Print Destination List"] = [&](HWND dialog) {
        all = Checked(dialog, IDC_PRINT_QUICK) && Checked(dialog, IDC_PRINT_SPEED) &&
              Checked(dialog, IDC_PRINT_GROUP);
        WaitForFocus(dialog, IDOK);
        HWND focused = GetFocus();
        focus = focused == GetDlgItem(dialog, IDOK)
                    ? "OK"
                    : "control " + std::to_string(GetDlgCtrlID(focused));
        EXPECT_EQ("&Quick Dial List", ItemText(dialog, IDC_PRINT_QUICK));
        EXPECT_EQ("&Speed Dial List", ItemText(dialog, IDC_PRINT_SPEED));
        EXPECT_EQ("&Group List", ItemText(dialog, IDC_PRINT_GROUP));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    };
    Command(IDM_PRINT);
    ASSERT_EQ(std::vector<std::string>{"Print Destination List"}, gDialogsShown);
    EXPECT_TRUE(all) << "all three lists are checked when the dialog opens";
    EXPECT_EQ("OK", focus);
    EXPECT_EQ(0, gPrinterDialog.calls) << "closing the dialog is Cancel: nothing printed";
}

TEST_F(PrintCommands, CancelPrintsNothingAndKeepsTheConnection)
{
    Connect();
    gScripts["Print Destination List"] = [](HWND dialog) { Click(dialog, IDCANCEL); };
    Command(IDM_PRINT);
    EXPECT_EQ(0, gPrinterDialog.calls);
    EXPECT_EQ(1u, gApp.connected);
    EXPECT_EQ(1, BuiltInSimDevice()->remoteMode) << "the device is still in remote mode";
    EXPECT_TRUE(gMessages.empty());
}

TEST_F(PrintCommands, NoListChosenPrintsNothingButStillDisconnects)
{
    Connect();
    gScripts["Print Destination List"] = ChooseLists(false, false, false);
    Command(IDM_PRINT);
    EXPECT_EQ(0, gPrinterDialog.calls) << "no list, no printer question";
    EXPECT_EQ(0u, gApp.connected);
    EXPECT_EQ(0, BuiltInSimDevice()->remoteMode) << "remote mode was ended";
}

TEST_F(PrintCommands, CancelInThePrintDialogSkipsEveryListSilently)
{
    gScripts["Print Destination List"] = ChooseLists(true, true, true);
    Command(IDM_PRINT);
    EXPECT_EQ(1, gPrinterDialog.calls) << "asked once, for the first list; the rest skipped";
    EXPECT_EQ(PRINT_DIALOG_FLAGS, gPrinterDialog.flags);
    for (DWORD flag : {PD_RETURNDC, PD_NOSELECTION, PD_COLLATE, PD_DISABLEPRINTTOFILE})
        EXPECT_TRUE(gPrinterDialog.flags & flag) << "flag " << flag;
    EXPECT_TRUE(gMessages.empty());

    // The next command asks again.
    Command(IDM_PRINT);
    EXPECT_EQ(2, gPrinterDialog.calls);
}

TEST_F(PrintCommands, ADeviceContextThatCannotPrintIsReportedOnce)
{
    gPrinterDialog.memoryDc = true;
    gScripts["Print Destination List"] = ChooseLists(true, true, true);
    Command(IDM_PRINT);
    ASSERT_EQ(1u, gMessages.size()) << "one message, and the other lists are not tried";
    EXPECT_EQ("The Quick Dial List could not be printed.\nCheck the printer and try again.",
              gMessages[0]);
}

// ---- A real printer ---------------------------------------------------------------------

class RealPrinter : public PrintCommands {
protected:
    void SetUp() override
    {
        PrintCommands::SetUp();
        ASSERT_EQ(1, printer.Install(TestProgramFolder())) << printer.error;
        gPrinterDialog.printer = &printer;
    }
    void TearDown() override
    {
        printer.Remove();
        PrintCommands::TearDown();
    }
    TestPrinter printer;
};

TEST_F(RealPrinter, EveryChosenListIsAJobOfItsOwnWithItsPages)
{
    Connect();
    gScripts["Print Destination List"] = ChooseLists(true, true, true);
    Command(IDM_PRINT);
    EXPECT_TRUE(gMessages.empty()) << gMessages[0];
    EXPECT_EQ(1, gPrinterDialog.calls) << "one printer for the whole command";
    EXPECT_EQ(0u, gApp.connected) << "printing disconnects first";
    ASSERT_EQ(3, printer.JobCount());
    for (int job = 0; job < 3; job++)
        EXPECT_TRUE(Contains(printer.PostScript(job), "%%Title: Moravel")) << "job " << job;

    std::vector<std::string> quick = printer.PageTexts(0);
    ASSERT_EQ(1u, quick.size()) << "the Quick Dial list fits on one page";
    for (const char* text : {"Quick Dial List", "Page 1/1", "Quick Dial No.", "Anna Schmidt",
                             "0301111111", "33.6K", "Sales Team", "01", "30"})
        EXPECT_TRUE(Contains(quick[0], text)) << "\"" << text << "\" missing:\n" << quick[0];

    std::vector<std::string> speed = printer.PageTexts(1);
    ASSERT_EQ(2u, speed.size()) << "90 entries need two pages";
    EXPECT_TRUE(Contains(speed[0], "Page 1/2"));
    EXPECT_TRUE(Contains(speed[0], "Bob Miller"));
    EXPECT_TRUE(Contains(speed[0], "14.4K"));
    EXPECT_FALSE(Contains(speed[0], "Carla Rossi"));
    EXPECT_TRUE(Contains(speed[1], "Page 2/2"));
    EXPECT_TRUE(Contains(speed[1], "Carla Rossi"));
    EXPECT_TRUE(Contains(speed[1], "89"));

    std::vector<std::string> group = printer.PageTexts(2);
    ASSERT_EQ(1u, group.size());
    for (const char* text :
         {"Group List", "Group No.", "Member No.", "Sales Team", "Quick Dial List#1",
          "Speed Dial List#0", "Speed Dial List#89", "Anna Schmidt", "Carla Rossi"})
        EXPECT_TRUE(Contains(group[0], text)) << "\"" << text << "\" missing:\n" << group[0];
}

TEST_F(RealPrinter, OnlyTheChosenListsPrintInTheirOrder)
{
    gScripts["Print Destination List"] = ChooseLists(false, true, true);
    Command(IDM_PRINT);
    ASSERT_EQ(2, printer.JobCount());
    EXPECT_EQ(2u, printer.PageTexts(0).size());
    EXPECT_TRUE(Contains(printer.PageTexts(0)[0], "Speed Dial List"));
    ASSERT_EQ(1u, printer.PageTexts(1).size());
    EXPECT_TRUE(Contains(printer.PageTexts(1)[0], "Group List"));
}

TEST_F(RealPrinter, CopiesAreAllPrinted)
{
    gPrinterDialog.copies = 2;
    gPrinterDialog.collate = 1;
    gScripts["Print Destination List"] = ChooseLists(false, true, false);
    Command(IDM_PRINT);
    ASSERT_EQ(1, printer.JobCount());
    std::vector<std::string> pages = printer.PageTexts(0);
    ASSERT_EQ(4u, pages.size()) << "two collated copies of two pages";
    EXPECT_TRUE(Contains(pages[0], "Page 1/2"));
    EXPECT_TRUE(Contains(pages[1], "Page 2/2"));
    EXPECT_TRUE(Contains(pages[2], "Page 1/2"));
    EXPECT_TRUE(Contains(pages[3], "Page 2/2"));
}

TEST_F(PrintCommands, AJobThePrinterRefusesIsReported)
{
    TestPrinter refusing;
    ASSERT_EQ(1, refusing.Install(TestProgramFolder(), true)) << refusing.error;
    gPrinterDialog.printer = &refusing;
    gScripts["Print Destination List"] = ChooseLists(true, false, true);
    Command(IDM_PRINT);
    refusing.Remove();
    ASSERT_EQ(1u, gMessages.size()) << "the failure is told, once";
    EXPECT_EQ("The Quick Dial List could not be printed.\nCheck the printer and try again.",
              gMessages[0]);
}

// ---- The preview ------------------------------------------------------------------------

TEST_F(PrintCommands, PreviewPagesThroughTheChosenLists)
{
    std::vector<std::string> texts;
    std::vector<std::string> enabled;
    std::string zoom;
    gScripts["Print Destination List"] = ChooseLists(true, true, true);
    gScripts["Print Preview"] = [&](HWND dialog) {
        auto note = [&]() {
            texts.push_back(ItemText(dialog, IDC_PREVIEW_PAGE_TEXT));
            enabled.push_back(
                std::string(IsWindowEnabled(GetDlgItem(dialog, IDC_PREVIEW_PREVIOUS)) ? "previous"
                                                                                      : "-") +
                (IsWindowEnabled(GetDlgItem(dialog, IDC_PREVIEW_NEXT)) ? " next" : " -"));
        };
        note();
        for (int i = 0; i < 4; i++) {
            Click(dialog, IDC_PREVIEW_NEXT);
            UpdateWindow(dialog);
            note();
        }
        Click(dialog, IDC_PREVIEW_ZOOM);
        zoom = ItemText(dialog, IDC_PREVIEW_ZOOM);
        Click(dialog, IDC_PREVIEW_PREVIOUS);
        note();
        Click(dialog, IDC_PREVIEW_PRINT);  // the print dialog is cancelled: the preview stays
        note();
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    Command(IDM_PRINT_PREVIEW);
    const std::vector<std::string> expected = {
        "Quick Dial List - Page 1 of 1", "Speed Dial List - Page 1 of 2",
        "Speed Dial List - Page 2 of 2", "Group List - Page 1 of 1",
        "Group List - Page 1 of 1",  // Next on the last page stays there
        "Speed Dial List - Page 2 of 2", "Speed Dial List - Page 2 of 2"};
    EXPECT_EQ(expected, texts);
    ASSERT_EQ(7u, enabled.size());
    EXPECT_EQ("- next", enabled[0]);
    EXPECT_EQ("previous next", enabled[1]);
    EXPECT_EQ("previous -", enabled[3]);
    EXPECT_EQ("Whole Pa&ge", zoom);
    EXPECT_EQ(1, gPrinterDialog.calls) << "Print asks for the printer";
    EXPECT_TRUE(gMessages.empty());
}

// The preview's page is a window class of the program's own: the form from a resource library
// (the A3 family's, a translation) must find it as well.
TEST_F(PrintCommands, PreviewOpensWithTheFormOfAResourceLibrary)
{
    HMODULE library = LoadLibraryExA(A3_LIBRARY, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, library) << A3_LIBRARY;
    void* own = gApp.resourceModule;
    gApp.resourceModule = library;
    gScripts["Print Destination List"] = ChooseLists(true, false, false);
    gScripts["Print Preview"] = [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); };
    Command(IDM_PRINT_PREVIEW);
    gApp.resourceModule = own;
    FreeLibrary(library);
    EXPECT_EQ((std::vector<std::string>{"Print Destination List", "Print Preview"}), gDialogsShown);
    EXPECT_TRUE(gMessages.empty());
}

TEST_F(PrintCommands, PreviewWithoutAListSaysSo)
{
    gScripts["Print Destination List"] = ChooseLists(false, false, false);
    Command(IDM_PRINT_PREVIEW);
    EXPECT_EQ(std::vector<std::string>{"Print Destination List"}, gDialogsShown);
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("Choose at least one list to preview.", gMessages[0]);
}

TEST_F(RealPrinter, PrintInThePreviewPrintsWhatItShowsAndCloses)
{
    bool closed = false;
    gScripts["Print Destination List"] = ChooseLists(false, false, true);
    gScripts["Print Preview"] = [&](HWND dialog) {
        Click(dialog, IDC_PREVIEW_PRINT);
        closed = !IsWindowVisible(dialog) || !IsWindow(dialog);
        if (!closed)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    Connect();
    Command(IDM_PRINT_PREVIEW);
    EXPECT_TRUE(gMessages.empty()) << gMessages[0];
    EXPECT_TRUE(closed) << "the preview closes once it has printed";
    ASSERT_EQ(1, printer.JobCount()) << "only the Group list was shown";
    EXPECT_TRUE(Contains(printer.PageTexts(0)[0], "Group List"));
    EXPECT_EQ(0u, gApp.connected) << "printing from the preview disconnects too";
}

}  // namespace
