// The dial lists of the real main window on the A4 model: rows of every kind of entry, the
// member pane, the current row, column clicks, and which editor a row opens.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/app_state.h"
#include "app/file_commands_win.h"
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
#include "device/setting_file.h"
#include "dial/dial_editors_win.h"
#include "dial/dial_lists_win.h"
#include "document/dial_tables.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/dial_lists/dial_lists_harness_win.h"

namespace {

class DialLists : public DialListWindow {
protected:
    void SetUp() override { Open(); }
};

// ---- rows -----------------------------------------------------------------------------------

TEST_F(DialLists, FreshProgramShowsNumberedEmptyRowsInEveryList)
{
    EXPECT_EQ(30, RowCount(List())) << "the Quick Dial rows are there from creation on";
    struct Case {
        int view;
        int rows;
        int firstNumber;
        int columns;
    };
    for (const Case& c :
         {Case{VIEW_QUICK, 30, 1, 6}, Case{VIEW_SPEED, 90, 0, 6}, Case{VIEW_GROUP, 30, 1, 2}}) {
        Show(c.view);
        ASSERT_EQ(c.rows, RowCount(List())) << "view " << c.view;
        ASSERT_EQ(c.columns, ListColumnCount(List())) << "view " << c.view;
        for (int i = 0; i < c.rows; i++) {
            char number[8];
            snprintf(number, sizeof number, "%02d", c.firstNumber + i);
            ShownRow expected;
            expected.image = 12;
            expected.cells.assign(c.columns, "");
            expected.cells[0] = number;
            ShownRow got = ReadRow(List(), i);
            EXPECT_EQ(Describe(expected), Describe(got)) << "view " << c.view << " row " << i;
        }
        EXPECT_TRUE(GetWindowLongPtrA(List(), GWL_STYLE) & LVS_SORTASCENDING)
            << "rows sorted by their number";
        const LRESULT ex = SendMessageA(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
        EXPECT_EQ(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                  ex & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT))
            << "view " << c.view;
    }
}

struct RowCase {
    int view;
    int row;
    std::vector<const char*> shown;  // image, then every column
};

void ExpectRows(HWND list, const std::vector<RowCase>& cases, int view)
{
    for (const RowCase& c : cases) {
        if (c.view != view)
            continue;
        ShownRow expected;
        expected.image = atoi(c.shown[0]);
        expected.cells.assign(c.shown.begin() + 1, c.shown.end());
        EXPECT_EQ(Describe(expected), Describe(ReadRow(list, c.row)))
            << "view " << view << " row " << c.row;
    }
}

TEST_F(DialLists, A4RowsShowEachKindOfEntry)
{
    PutFax(VIEW_QUICK, 0, "Alpha", "0123456", "12", "34", 1);
    PutEmail(VIEW_QUICK, 1, "Bravo", "bravo@example.org", 1, 1, 1, 2);
    PutFax(VIEW_QUICK, 2, "Charlie", "777", "", "", 2);
    PutGroup(4, "Team", {2}, {7});
    PutCombination(VIEW_QUICK, 5, "Chain", "555+");
    PutProgramDial(VIEW_QUICK, 26);
    PutFax(VIEW_SPEED, 0, "Delta", "0987", "5", "6", 0);
    PutEmail(VIEW_SPEED, 7, "Echo", "echo@example.com", 1, 2, 0, 1);
    PutProgramDial(VIEW_SPEED, 8, "111");
    PutCombination(VIEW_SPEED, 9, "Link", "222+");
    PutEmail(VIEW_SPEED, 10, "Mail", "mail@example.net");
    gDocument.edit.speedDial.entries[10][1] |= FLAG_CHAIN;

    const std::vector<RowCase> cases = {
        {VIEW_QUICK, 0, {"2", "01", "Alpha", "0123456", "12", "34", "14.4K"}},
        {VIEW_QUICK, 1, {"4", "02", "Bravo", "bravo@example.org", "", "", ""}},
        {VIEW_QUICK, 2, {"2", "03", "Charlie", "777", "", "", "33.6K"}},
        {VIEW_QUICK, 3, {"12", "04", "", "", "", "", ""}},
        {VIEW_QUICK, 4, {"5", "05", "Team", "", "", "", ""}},
        {VIEW_QUICK, 5, {"2", "06", "", "555+", "", "", ""}},
        {VIEW_QUICK, 26, {"2", "27", "PROGRAM DIAL", "", "", "", ""}},
        {VIEW_SPEED, 0, {"6", "00", "Delta", "0987", "5", "6", "9.6K"}},
        {VIEW_SPEED, 7, {"8", "07", "Echo", "echo@example.com", "", "", ""}},
        {VIEW_SPEED, 8, {"6", "08", "PROGRAM DIAL", "111", "1", "2", "33.6K"}},
        {VIEW_SPEED, 9, {"6", "09", "", "222+", "", "", ""}},
        {VIEW_SPEED, 10, {"8", "10", "", "mail@example.net", "", "", ""}},
        {VIEW_GROUP, 0, {"11", "01", "Alpha"}},
        {VIEW_GROUP, 1, {"4", "02", "Bravo"}},
        {VIEW_GROUP, 3, {"12", "04", ""}},
        {VIEW_GROUP, 4, {"9", "05", "Team"}},
        {VIEW_GROUP, 5, {"11", "06", ""}},
        {VIEW_GROUP, 26, {"11", "27", "PROGRAM DIAL"}},
    };
    for (int view : {VIEW_QUICK, VIEW_SPEED, VIEW_GROUP}) {
        Show(view);
        ExpectRows(List(), cases, view);
    }
}

WNDPROC gMainProc = nullptr;
int gColumnClicks = 0;

LRESULT CALLBACK CountColumnClicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_COLUMNCLICK)
        gColumnClicks++;
    return CallWindowProcA(gMainProc, window, message, wParam, lParam);
}

TEST_F(DialLists, ClickingAColumnTitleKeepsTheNumberOrder)
{
    const char* names[] = {"Zulu", "Yankee", "X-ray", "Whiskey"};
    for (int i = 0; i < 4; i++)
        PutFax(VIEW_SPEED, i, names[i], "1", "", "", 2);
    Show(VIEW_SPEED);

    HWND header = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETHEADER, 0, 0));
    gColumnClicks = 0;
    gMainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountColumnClicks)));
    for (int column : {1, 0}) {
        RECT r = {};
        ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r)));
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        // A title click is a press and a release on the header.
        PostMessageA(header, WM_LBUTTONUP, 0, at);
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PumpMessages();
        ASSERT_EQ(90, RowCount(List()));
        for (int i = 0; i < 90; i++) {
            char number[8];
            snprintf(number, sizeof number, "%02d", i);
            ASSERT_EQ(number, CellText(List(), i, 0)) << "after clicking column " << column;
        }
        EXPECT_EQ("Zulu", CellText(List(), 0, 1));
    }
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gMainProc));
    EXPECT_EQ(2, gColumnClicks) << "each title click reached the main window";
}

TEST_F(DialLists, RefillingAHiddenListLeavesItHidden)
{
    PutFax(VIEW_SPEED, 3, "Hotel", "33", "", "", 2);
    Show(VIEW_QUICK);
    SelectTreeItem(VIEW_DEVICE);
    PumpMessages();
    ASSERT_FALSE(IsShown(gApp.dialList));
    FillDialList(List(), VIEW_SPEED);
    FillMemberPane(Members(), DialRecord{});
    EXPECT_FALSE(IsShown(gApp.dialList)) << "the device view shows the panel only";
    EXPECT_FALSE(IsShown(gApp.memberList));
    EXPECT_EQ(90, RowCount(List()));
    EXPECT_EQ("Hotel", CellText(List(), 3, 1));
}

// ---- current row and member pane ------------------------------------------------------------

TEST_F(DialLists, SelectingAGroupListsItsMembers)
{
    PutFax(VIEW_QUICK, 2, "Charlie", "777", "", "", 2);
    PutEmail(VIEW_QUICK, 3, "Dora", "dora@example.org");
    PutEmail(VIEW_SPEED, 7, "Echo", "echo@example.com");
    PutFax(VIEW_SPEED, 12, "Foxtrot", "12", "", "", 2);
    PutGroup(4, "Team", {2, 3}, {7, 12});
    PutFax(VIEW_QUICK, 0, "Alpha", "1", "", "", 2);
    Show(VIEW_GROUP);
    EXPECT_EQ(0, gApp.currentRow) << "a view switch makes row 0 current";
    EXPECT_EQ(0, gApp.selectedRow);
    EXPECT_EQ(0, RowCount(Members())) << "key 1 holds no group";

    Select(List(), 4);
    EXPECT_EQ(4, gApp.currentRow);
    EXPECT_EQ(4, gApp.selectedRow);
    const std::vector<std::pair<int, std::string>> members = {
        {2, "03  Charlie"}, {4, "04  Dora"}, {8, "07  Echo"}, {6, "12  Foxtrot"}};
    ASSERT_EQ(static_cast<int>(members.size()), RowCount(Members()));
    for (size_t k = 0; k < members.size(); k++) {
        ShownRow got = ReadRow(Members(), static_cast<int>(k));
        EXPECT_EQ(members[k].second, got.cells[0]) << "member " << k;
        EXPECT_EQ(members[k].first, got.image) << "member " << k;
    }

    // A member whose entry was deleted meanwhile keeps its number.
    std::memset(gDocument.edit.speedDial.entries[7], 0, DIAL_ENTRY_SIZE);
    Select(List(), 0);
    EXPECT_EQ(0, RowCount(Members())) << "the pane follows the selection";
    Select(List(), 4);
    ASSERT_EQ(4, RowCount(Members()));
    EXPECT_EQ("07  ", CellText(Members(), 2, 0));
}

bool CutEnabled(HWND window)
{
    SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(window)), 0);
    return !(GetMenuState(GetMenu(window), IDM_CUT, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(DialLists, MemberPaneTakesTheSelectionUntilTheListIsClickedAgain)
{
    PutFax(VIEW_QUICK, 2, "Charlie", "777", "", "", 2);
    PutFax(VIEW_QUICK, 3, "Delta", "888", "", "", 2);
    PutGroup(6, "Team", {2}, {});
    PutGroup(8, "Crew", {3}, {});
    Show(VIEW_GROUP);
    Select(List(), 6);
    ASSERT_EQ(6, gApp.selectedRow);
    EXPECT_TRUE(CutEnabled(window)) << "a group is selected";

    Select(Members(), 0);
    EXPECT_EQ(-1, gApp.selectedRow) << "the member pane holds the selection";
    EXPECT_EQ(6, gApp.currentRow) << "the group stays current";
    EXPECT_FALSE(CutEnabled(window)) << "no row of the dial list is selected";

    // Clicking the row that is still selected changes no item state; the click itself counts.
    RECT r = {LVIR_LABEL, 0, 0, 0};
    SendMessageA(List(), LVM_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
    PostMessageA(List(), WM_LBUTTONUP, 0, at);
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpMessages();
    EXPECT_EQ(6, gApp.selectedRow);
    EXPECT_TRUE(CutEnabled(window));

    // Another group taken from a selected member: emptying the pane must not take it back.
    Select(Members(), 0);
    ASSERT_EQ(-1, gApp.selectedRow);
    Select(List(), 8);
    EXPECT_EQ(8, gApp.selectedRow);
    EXPECT_EQ(8, gApp.currentRow);
    EXPECT_EQ("04  Delta", CellText(Members(), 0, 0));
}

TEST_F(DialLists, RebuildingARowKeepsItsPlaceAndSelectsIt)
{
    Show(VIEW_SPEED);
    PutFax(VIEW_SPEED, 41, "Golf", "4141", "", "", 0);
    RebuildDialRowFromTable(List(), VIEW_SPEED, 41);
    PumpMessages();
    ASSERT_EQ(90, RowCount(List()));
    EXPECT_EQ("image 6: [41] [Golf] [4141] [] [] [9.6K]", Describe(ReadRow(List(), 41)));
    EXPECT_EQ("40", CellText(List(), 40, 0));
    EXPECT_EQ("42", CellText(List(), 42, 0));
    EXPECT_EQ(41, SendMessageA(List(), LVM_GETNEXTITEM, -1, LVNI_FOCUSED | LVNI_SELECTED));
    EXPECT_EQ(41, gApp.currentRow);
    EXPECT_EQ(41, gApp.selectedRow);

    Show(VIEW_GROUP);
    DialRecord group = {};
    group.inUse = 1;
    group.kind = KIND_GROUP;
    std::strcpy(group.name, "Rebuilt");
    RebuildDialRow(List(), VIEW_GROUP, group, 29);
    PumpMessages();
    EXPECT_EQ("image 9: [30] [Rebuilt]", Describe(ReadRow(List(), 29)));
    EXPECT_EQ(29, gApp.currentRow);

    for (int outside : {-1, 30}) {
        RebuildDialRow(List(), VIEW_GROUP, group, outside);
        EXPECT_EQ(30, RowCount(List())) << "index " << outside << " is no key";
        EXPECT_EQ(29, gApp.currentRow);
    }
}

// ---- open entry -----------------------------------------------------------------------------

struct Asked {
    std::string text, caption;
    UINT flags;
};
std::vector<Asked> gAsked;
int gAnswer = IDNO;

int AnswerQuestion(HWND, const char* text, const char* caption, UINT flags)
{
    gAsked.push_back({text, caption, flags});
    return gAnswer;
}

struct Opened {
    int editor, view, index, empty;
};
std::vector<Opened> gOpened;
HWND gFocusDuringEditor = nullptr;

int RecordEditor(int editor, HWND, int view, int index, int empty)
{
    gOpened.push_back({editor, view, index, empty});
    gFocusDuringEditor = GetFocus();
    return 0;
}

std::string Describe(const std::vector<Opened>& opened)
{
    std::string text;
    for (const Opened& o : opened)
        text += std::string(o.editor == EDITOR_ENTRY ? "entry" : "group") + "(view " +
                std::to_string(o.view) + ", index " + std::to_string(o.index) +
                (o.empty ? ", empty) " : ", filled) ");
    return text.empty() ? "nothing" : text;
}

class OpenEntry : public DialLists {
protected:
    void SetUp() override
    {
        DialLists::SetUp();
        PutFax(VIEW_QUICK, 0, "Alpha", "1", "", "", 2);
        PutEmail(VIEW_QUICK, 1, "Bravo", "b@example.org");
        PutGroup(4, "Team", {0}, {3});
        PutProgramDial(VIEW_QUICK, 26);
        PutEmail(VIEW_SPEED, 3, "Echo", "e@example.org");
        gAsked.clear();
        gOpened.clear();
        SetMessageHook(AnswerQuestion);
        SetEditorHook(RecordEditor);
    }
};

const char ASK_GROUP[] = "This key is already assigned for Group.\nDo you want to overwrite?";
const char ASK_QUICK[] = "This key is already assigned for Quick Dial.\nDo you want to overwrite?";

TEST_F(OpenEntry, PropertiesAsksBeforeAKeyOfTheOtherKindAndOpensTheRightEditor)
{
    struct Case {
        int view, row;
        int answer;
        const char* question;  // nullptr: none
        std::vector<Opened> opened;
    };
    const Case cases[] = {
        {VIEW_QUICK, 0, IDNO, nullptr, {{EDITOR_ENTRY, VIEW_QUICK, 0, 0}}},
        {VIEW_QUICK, 9, IDNO, nullptr, {{EDITOR_ENTRY, VIEW_QUICK, 9, 0}}},
        {VIEW_QUICK, 26, IDNO, nullptr, {{EDITOR_ENTRY, VIEW_QUICK, 26, 0}}},
        {VIEW_QUICK, 4, IDYES, ASK_GROUP, {{EDITOR_ENTRY, VIEW_QUICK, 4, 1}}},
        {VIEW_QUICK, 4, IDNO, ASK_GROUP, {}},
        {VIEW_SPEED, 3, IDNO, nullptr, {{EDITOR_ENTRY, VIEW_SPEED, 3, 0}}},
        {VIEW_SPEED, 60, IDNO, nullptr, {{EDITOR_ENTRY, VIEW_SPEED, 60, 0}}},
        {VIEW_GROUP, 4, IDNO, nullptr, {{EDITOR_GROUP, VIEW_GROUP, 4, 0}}},
        {VIEW_GROUP, 9, IDNO, nullptr, {{EDITOR_GROUP, VIEW_GROUP, 9, 0}}},
        {VIEW_GROUP, 0, IDYES, ASK_QUICK, {{EDITOR_GROUP, VIEW_GROUP, 0, 1}}},
        {VIEW_GROUP, 1, IDYES, ASK_QUICK, {{EDITOR_GROUP, VIEW_GROUP, 1, 1}}},
        {VIEW_GROUP, 0, IDNO, ASK_QUICK, {}},
        {VIEW_GROUP, 26, IDYES, nullptr, {}},
    };
    for (const Case& c : cases) {
        if (gApp.currentView != static_cast<uint32_t>(c.view))
            Show(c.view);
        Select(List(), c.row);
        gAsked.clear();
        gOpened.clear();
        gAnswer = c.answer;
        SendMessageA(window, WM_COMMAND, IDM_ENTRY_PROPERTIES, 0);

        const std::string where =
            "view " + std::to_string(c.view) + " row " + std::to_string(c.row);
        if (c.question) {
            ASSERT_EQ(1u, gAsked.size()) << where << ": one question";
            EXPECT_EQ(c.question, gAsked[0].text) << where;
            EXPECT_EQ("Warning", gAsked[0].caption) << where;
            EXPECT_EQ(static_cast<UINT>(MB_YESNO), gAsked[0].flags & MB_TYPEMASK) << where;
        } else {
            EXPECT_EQ(0u, gAsked.size())
                << where << ": no question, got " << (gAsked.empty() ? "" : gAsked[0].text);
        }
        EXPECT_EQ(Describe(c.opened), Describe(gOpened)) << where;
        EXPECT_EQ(c.row, gApp.currentRow) << where;
    }
}

TEST_F(OpenEntry, DoubleClickAndEnterOpenTheFocusedRow)
{
    Show(VIEW_SPEED);
    Select(List(), 3);
    RECT r = {LVIR_LABEL, 0, 0, 0};
    SendMessageA(List(), LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
    SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2));
    PumpMessages();
    EXPECT_EQ(Describe({{EDITOR_ENTRY, VIEW_SPEED, 3, 0}}), Describe(gOpened)) << "double-click";

    gOpened.clear();
    Select(List(), 5);
    SendMessageA(List(), WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages();
    EXPECT_EQ(Describe({{EDITOR_ENTRY, VIEW_SPEED, 5, 0}}), Describe(gOpened)) << "Enter";
}

TEST_F(OpenEntry, AMemberOpensItsGroup)
{
    Show(VIEW_GROUP);
    Select(List(), 4);
    ASSERT_EQ(2, RowCount(Members()));
    Select(Members(), 1);
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = Members();
    activate.hdr.idFrom = IDC_MEMBERLIST;
    activate.hdr.code = LVN_ITEMACTIVATE;
    activate.iItem = 1;
    SendMessageA(window, WM_NOTIFY, IDC_MEMBERLIST, reinterpret_cast<LPARAM>(&activate));
    EXPECT_EQ(Describe({{EDITOR_GROUP, VIEW_GROUP, 4, 0}}), Describe(gOpened));
}

TEST_F(OpenEntry, FocusReturnsToTheListAfterTheEditor)
{
    Show(VIEW_QUICK);
    Select(List(), 1);
    SetFocus(static_cast<HWND>(gApp.tree));
    WaitFor([] { return GetFocus() == static_cast<HWND>(gApp.tree); });
    ASSERT_EQ(static_cast<HWND>(gApp.tree), GetFocus()) << "the test needs the focus elsewhere";
    OpenCurrentEntry(window);
    ASSERT_EQ(1u, gOpened.size());
    EXPECT_EQ(static_cast<HWND>(gApp.tree), gFocusDuringEditor);
    WaitFor([this] { return GetFocus() == List(); });
    EXPECT_EQ(List(), GetFocus());
}

char gOpenPath[MAX_PATH];

int ChooseOpenPath(HWND, char* path, int size, int, const char*)
{
    lstrcpynA(path, gOpenPath, size);
    return 1;
}

void NoPopup(HMENU, POINT) {}

TEST_F(OpenEntry, LookingAtTheListsChangesNoStoredByte)
{
    // Broken entries as a file or a device may hold them: an e-mail key whose address stops
    // short of its length, a Speed Dial entry without its length, a program-dial key.
    uint8_t* key = gDocument.edit.quickDial.entries[7];
    const uint8_t broken[] = {8, FLAG_EMAIL | FLAG_QUICK, 10};
    std::memcpy(key, broken, sizeof broken);
    std::memcpy(key + 34, "a@b", 3);
    gDocument.edit.quickDial.lengths[7] = 98;
    PutFax(VIEW_SPEED, 9, "Foxtrot", "99", "", "", 2);
    gDocument.edit.speedDial.lengths[9] = 0;
    CommitEdits(gDocument);
    const EditState tables = gDocument.edit;
    const std::vector<uint8_t> image(gDocument.image.bytes, gDocument.image.bytes + DEVICE_IMAGE_SIZE);

    SetPopupHook(NoPopup);
    for (int view : {VIEW_QUICK, VIEW_SPEED, VIEW_GROUP}) {
        Show(view);
        for (int row : {7, 9, 26}) {
            Select(List(), row);
            RECT r = {LVIR_LABEL, 0, 0, 0};
            SendMessageA(List(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
            POINT at = {r.left + 4, (r.top + r.bottom) / 2};
            ClientToScreen(List(), &at);
            SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List()),
                         MAKELPARAM(at.x, at.y));
            SendMessageA(window, WM_COMMAND, IDM_ENTRY_PROPERTIES, 0);
            SendMessageA(window, WM_INITMENU, 0, 0);
        }
    }
    SetPopupHook(nullptr);
    EXPECT_EQ(0, memcmp(&tables.quickDial, &gDocument.edit.quickDial, sizeof tables.quickDial))
        << "a key changed while it was only looked at";
    EXPECT_EQ(0, memcmp(&tables.speedDial, &gDocument.edit.speedDial, sizeof tables.speedDial))
        << "a Speed Dial entry changed while it was only looked at";
    EXPECT_EQ(0, memcmp(image.data(), gDocument.image.bytes, DEVICE_IMAGE_SIZE))
        << "the image changed while the lists were only looked at";
}

TEST_F(DialLists, AnOpenedFileShowsItsEntries)
{
    PutFax(VIEW_QUICK, 0, "Alpha", "0123456", "12", "34", 1);
    PutGroup(4, "Team", {0}, {7});
    PutCombination(VIEW_QUICK, 5, "Chain", "555+");
    PutProgramDial(VIEW_QUICK, 26);
    PutEmail(VIEW_SPEED, 7, "Echo", "echo@example.com");
    CommitEdits(gDocument);
    lstrcpynA(gOpenPath, (TestProgramFolder() + "lists.dat").c_str(), sizeof gOpenPath);
    ASSERT_EQ(1, WriteSettingFile(gDocument.image, gOpenPath));

    // A program that holds nothing opens the file.
    std::memset(&gDocument.edit.quickDial, 0, sizeof gDocument.edit.quickDial);
    std::memset(&gDocument.edit.speedDial, 0, sizeof gDocument.edit.speedDial);
    ResetDeviceImage(gDocument.image);
    gDocument.dataPresent = 0;
    SetFileDialogHook(ChooseOpenPath);
    SendMessageA(window, WM_COMMAND, IDM_OPEN, 0);
    SetFileDialogHook(nullptr);
    DeleteFileA(gOpenPath);
    ASSERT_EQ(1u, gDocument.dataPresent);

    const std::vector<RowCase> cases = {
        {VIEW_QUICK, 0, {"2", "01", "Alpha", "0123456", "12", "34", "14.4K"}},
        {VIEW_QUICK, 4, {"5", "05", "Team", "", "", "", ""}},
        {VIEW_QUICK, 5, {"2", "06", "", "555+", "", "", ""}},
        {VIEW_QUICK, 26, {"2", "27", "PROGRAM DIAL", "", "", "", ""}},
        {VIEW_SPEED, 7, {"8", "07", "Echo", "echo@example.com", "", "", ""}},
        {VIEW_GROUP, 4, {"9", "05", "Team"}},
    };
    for (int view : {VIEW_QUICK, VIEW_SPEED, VIEW_GROUP}) {
        SelectTreeItem(view);
        PumpMessages();
        ExpectRows(List(), cases, view);
    }
    Select(List(), 4);
    ASSERT_EQ(2, RowCount(Members()));
    EXPECT_EQ("01  Alpha", CellText(Members(), 0, 0));
    EXPECT_EQ("07  Echo", CellText(Members(), 1, 0));
}

}  // namespace
