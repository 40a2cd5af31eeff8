// The Quick and Speed Dial entry dialog through the real main window: opening it from the lists,
// what the fields let through, the checks of OK, what a confirmed entry stores, and Cancel.
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
#include "document/dial_records.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/dial_lists/dial_lists_harness_win.h"

namespace {

class EntryDialog : public DialListWindow {
protected:
    virtual const char* Profile() const { return "A4ZRPQ 2A02"; }
    void SetUp() override
    {
        Open(Profile());
        gDocument.edit.config.ethernetBoard = 1;
        PutFax(VIEW_QUICK, 0, "Alpha", "0123456", "12", "34", 1);
        PutEmail(VIEW_QUICK, 1, "Bravo", "b@example.org");
        PutFax(VIEW_QUICK, 2, "Charlie", "777", "", "", 0);
        PutGroup(4, "Team", {0, 2}, {3});
        PutFax(VIEW_SPEED, 3, "Delta", "5551234", "", "", 2);
        CommitEdits(gDocument);
        RecordMessages();
    }
    void TearDown() override
    {
        SetMessageHook(nullptr);
        DialListWindow::TearDown();
    }

    // Opens the editor on `row` of the shown list with the row menu's "Properties...".
    std::string Edit(int row, const std::function<void(HWND)>& script)
    {
        Select(List(), row);
        return DriveDialog([&] { SendMessageA(window, WM_COMMAND, IDM_ENTRY_PROPERTIES, 0); },
                           script);
    }

    std::vector<uint8_t> Stored(int view, int index) const
    {
        const uint8_t* e = view == VIEW_SPEED ? gDocument.edit.speedDial.entries[index]
                                              : gDocument.edit.quickDial.entries[index];
        return std::vector<uint8_t>(e, e + DIAL_ENTRY_SIZE);
    }
};

bool Checked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

bool Usable(HWND dialog, int control)
{
    HWND c = GetDlgItem(dialog, control);
    return IsWindowVisible(c) && IsWindowEnabled(c);
}

TEST_F(EntryDialog, OpensFilledOrEmptyFromEveryWayIn)
{
    Show(VIEW_QUICK);
    std::string name, number, sub, sid;
    bool speed14 = false;
    const std::string caption = Edit(0, [&](HWND d) {
        name = ControlText(d, IDC_ENTRY_NAME);
        number = ControlText(d, IDC_ENTRY_FAX_NUMBER);
        sub = ControlText(d, IDC_ENTRY_SUB);
        sid = ControlText(d, IDC_ENTRY_SID);
        speed14 = Checked(d, IDC_ENTRY_SPEED_14400);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ("Program Quick Dial01", caption);
    EXPECT_EQ("Alpha", name);
    EXPECT_EQ("0123456", number);
    EXPECT_EQ("12", sub);
    EXPECT_EQ("34", sid);
    EXPECT_TRUE(speed14);

    // A double-click on an empty Speed Dial row: a blank form with 33.6K.
    Show(VIEW_SPEED);
    Select(List(), 60);
    RECT r = {LVIR_LABEL, 0, 0, 0};
    SendMessageA(List(), LVM_GETITEMRECT, 60, reinterpret_cast<LPARAM>(&r));
    bool blank = false, speed33 = false;
    std::string title = DriveDialog(
        [&] {
            SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                         MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2));
        },
        [&](HWND d) {
            blank = ControlText(d, IDC_ENTRY_NAME).empty() &&
                    ControlText(d, IDC_ENTRY_FAX_NUMBER).empty();
            speed33 = Checked(d, IDC_ENTRY_SPEED_33600) && Checked(d, IDC_ENTRY_TYPE_FAX);
            Click(d, IDCANCEL);
        });
    EXPECT_EQ("Program Speed Dial60", title);
    EXPECT_TRUE(blank);
    EXPECT_TRUE(speed33);

    // Enter on the Speed Dial row 03.
    Select(List(), 3);
    title = DriveDialog([&] { SendMessageA(List(), WM_KEYDOWN, VK_RETURN, 0); },
                        [&](HWND d) {
                            name = ControlText(d, IDC_ENTRY_NAME);
                            SendMessageA(d, WM_CLOSE, 0, 0);
                        });
    EXPECT_EQ("Program Speed Dial03", title);
    EXPECT_EQ("Delta", name);

    // A key holding a group opens empty after the question.
    Show(VIEW_QUICK);
    gMessageLog.answer = IDYES;
    title = Edit(4, [&](HWND d) {
        name = ControlText(d, IDC_ENTRY_NAME);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ("Program Quick Dial05", title);
    EXPECT_EQ("", name) << "the group's name does not become the entry's";
    ASSERT_EQ(1u, gMessageLog.asked.size());
    EXPECT_EQ("Warning", gMessageLog.asked[0].caption);
}

TEST_F(EntryDialog, FieldsKeepOnlyWhatTheyMayHold)
{
    Show(VIEW_QUICK);
    std::string number, sub, sid, name;
    std::pair<int, int> caret;
    const std::vector<uint8_t> before = Stored(VIEW_QUICK, 2);
    Edit(2, [&](HWND d) {
        // "777": a letter typed after the first 7 is removed, the caret stays there.
        number = TypeInto(d, IDC_ENTRY_FAX_NUMBER, "x", 1);
        caret = Selection(d, IDC_ENTRY_FAX_NUMBER);
        number = TypeInto(d, IDC_ENTRY_FAX_NUMBER, "P -+");
        sub = TypeInto(d, IDC_ENTRY_SUB, "1P-2");
        sid = TypeInto(d, IDC_ENTRY_SID, "*#9 ");
        name = TypeInto(d, IDC_ENTRY_NAME, "?\\\xE9");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(1, caret.first) << "the caret stays where the letter was typed";
    EXPECT_EQ(1, caret.second);
    EXPECT_EQ("777P -+", number);
    EXPECT_EQ("12", sub) << "P and - are no SUB characters";
    EXPECT_EQ("*#9", sid);
    EXPECT_EQ("Charlie\xE9", name) << "? and backslash removed, e-acute kept";
    EXPECT_EQ(before, Stored(VIEW_QUICK, 2)) << "typing stores nothing before OK";
}

TEST_F(EntryDialog, OkChecksShowTheirMessageAndFocusTheField)
{
    Show(VIEW_QUICK);
    struct Step {
        int field;
        const char* text;
        const char* message;
        int focus;
    };
    const Step steps[] = {
        {IDC_ENTRY_FAX_NUMBER, "", "Please enter fax number.", IDC_ENTRY_FAX_NUMBER},
        {IDC_ENTRY_FAX_NUMBER, "P123", "Invalid value.\nCheck the setting(s).",
         IDC_ENTRY_FAX_NUMBER},
        {IDC_ENTRY_FAX_NUMBER, "*#", "Invalid value.\nCheck the setting(s).", IDC_ENTRY_FAX_NUMBER},
    };
    std::vector<std::string> asked;
    std::vector<int> focused;
    const std::vector<uint8_t> before = Stored(VIEW_QUICK, 2);
    Edit(2, [&](HWND d) {
        for (const Step& s : steps) {
            SetDlgItemTextA(d, s.field, s.text);
            Click(d, IDOK);
            WaitForFocus(d, s.focus);
            focused.push_back(GetDlgCtrlID(GetFocus()));
        }
        SetDlgItemTextA(d, IDC_ENTRY_FAX_NUMBER, "123");
        SetDlgItemTextA(d, IDC_ENTRY_NAME, "   ");
        Click(d, IDOK);
        WaitForFocus(d, IDC_ENTRY_NAME);
        focused.push_back(GetDlgCtrlID(GetFocus()));
        Click(d, IDC_ENTRY_TYPE_EMAIL);
        SetDlgItemTextA(d, IDC_ENTRY_NAME, "Mail");
        Click(d, IDOK);
        WaitForFocus(d, IDC_ENTRY_EMAIL);
        focused.push_back(GetDlgCtrlID(GetFocus()));
        SetDlgItemTextA(d, IDC_ENTRY_EMAIL, "a@b");
        Click(d, IDOK);
        WaitForFocus(d, IDC_ENTRY_EMAIL);
        focused.push_back(GetDlgCtrlID(GetFocus()));
        Click(d, IDCANCEL);
    });
    for (const AskedMessage& m : gMessageLog.asked)
        asked.push_back(m.text);
    const std::vector<std::string> expected = {
        "Please enter fax number.",
        "Invalid value.\nCheck the setting(s).",
        "Invalid value.\nCheck the setting(s).",
        "Invalid value.\nCheck the setting(s).",
        "E-mail address must be entered.",
        "E-mail address is invalid.\n\nPlease enter as: name@example.com",
    };
    EXPECT_EQ(expected, asked);
    const std::vector<int> fields = {IDC_ENTRY_FAX_NUMBER, IDC_ENTRY_FAX_NUMBER,
                                     IDC_ENTRY_FAX_NUMBER, IDC_ENTRY_NAME,
                                     IDC_ENTRY_EMAIL,      IDC_ENTRY_EMAIL};
    EXPECT_EQ(fields, focused) << "each failure focuses its field";
    for (const AskedMessage& m : gMessageLog.asked)
        EXPECT_EQ("Moravel", m.caption);
    EXPECT_EQ(before, Stored(VIEW_QUICK, 2)) << "a refused OK and Cancel store nothing";
}

TEST_F(EntryDialog, AConfirmedFaxEntryIsStoredAndItsRowRebuilt)
{
    Show(VIEW_QUICK);
    Edit(7, [&](HWND d) {
        SetDlgItemTextA(d, IDC_ENTRY_NAME, "M\xFCller");
        SetDlgItemTextA(d, IDC_ENTRY_FAX_NUMBER, "0312345678");
        SetDlgItemTextA(d, IDC_ENTRY_SUB, "12");
        SetDlgItemTextA(d, IDC_ENTRY_SID, "345");
        Click(d, IDC_ENTRY_SPEED_9600);
        Click(d, IDOK);
    });
    const uint16_t today = MakeEntryDate();
    const std::vector<uint8_t> e = Stored(VIEW_QUICK, 7);
    EXPECT_EQ(8, e[0]) << "key number";
    EXPECT_EQ(FLAG_FAX | FLAG_QUICK, e[1]);
    EXPECT_EQ(10, e[2]);
    EXPECT_EQ(6, e[4]);
    EXPECT_EQ(std::string("M\x81ller"), std::string(e.begin() + 5, e.begin() + 11))
        << "the name in the device character set";
    EXPECT_EQ(today, e[26] | (e[27] << 8)) << "dated today";
    EXPECT_EQ(2, e[30]) << "9.6K";
    EXPECT_EQ(2, e[31]);
    EXPECT_EQ(3, e[32]);
    EXPECT_EQ(0x30, e[33]) << "packed 0, 3";
    EXPECT_EQ(0x21, e[58]);
    EXPECT_EQ(0x43, e[68]);
    EXPECT_EQ(78u, ItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 7)) << "the image has the entry";
    EXPECT_EQ(0, std::memcmp(ItemValue(gDocument.image, QUICK_DIAL_FIRST_RECORD + 7), e.data(), DIAL_ENTRY_SIZE));
    const ShownRow row = ReadRow(List(), 7);
    EXPECT_EQ("image 2: [08] [M\xFCller] [0312345678] [12] [345] [9.6K]", Describe(row));
    EXPECT_EQ(1, gDocument.modified) << "an edited entry must be saved";

    // Leaving now asks to save.
    gMessageLog.answer = IDCANCEL;
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_FALSE(gMessageLog.asked.empty());
    EXPECT_EQ("Do you want to save the changes you made to NewFile.Dat?",
              gMessageLog.asked.back().text);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(EntryDialog, ASpeedDialEntryKeepsItsNumberAndCancelStoresNothing)
{
    Show(VIEW_SPEED);
    const std::vector<uint8_t> before = Stored(VIEW_SPEED, 3);
    std::string caption = Edit(3, [&](HWND d) {
        SetDlgItemTextA(d, IDC_ENTRY_NAME, "Changed");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(before, Stored(VIEW_SPEED, 3)) << "Cancel stores nothing";
    EXPECT_EQ(0, gDocument.modified);

    caption = Edit(7, [&](HWND d) {
        SetDlgItemTextA(d, IDC_ENTRY_FAX_NUMBER, "42");
        Click(d, IDOK);
    });
    EXPECT_EQ("Program Speed Dial07", caption);
    EXPECT_EQ(8 | 0x80, Stored(VIEW_SPEED, 7)[0]) << "entry 07 is stored as number 8";
    EXPECT_EQ(FLAG_FAX | FLAG_SPEED, Stored(VIEW_SPEED, 7)[1]);
    EXPECT_EQ(74u, ItemLength(gDocument.image, SPEED_DIAL_FIRST_RECORD + 7));
    EXPECT_EQ("07", CellText(List(), 7, 0));
    EXPECT_EQ("42", CellText(List(), 7, 2));
}

TEST_F(EntryDialog, ACombinationKeyLeavesItsGroupsAndOnlyItsOwn)
{
    Show(VIEW_QUICK);
    bool nameUsable = true, subUsable = true, numberUsable = false;
    std::string title;
    Edit(2, [&](HWND d) {
        SetDlgItemTextA(d, IDC_ENTRY_FAX_NUMBER, "0049+");
        char text[128];
        GetWindowTextA(d, text, sizeof text);
        title = text;
        nameUsable = Usable(d, IDC_ENTRY_NAME);
        subUsable = Usable(d, IDC_ENTRY_SUB);
        numberUsable = Usable(d, IDC_ENTRY_FAX_NUMBER);
        Click(d, IDOK);
    });
    EXPECT_EQ("Program Quick Dial03 (Combination Key)", title);
    EXPECT_FALSE(nameUsable);
    EXPECT_FALSE(subUsable);
    EXPECT_TRUE(numberUsable);
    EXPECT_EQ(FLAG_FAX | FLAG_QUICK | FLAG_CHAIN, Stored(VIEW_QUICK, 2)[1]);
    DialRecord group;
    ASSERT_EQ(1, DecodeGroupKey(&group, gDocument.edit, 4));
    ASSERT_EQ(2, group.memberCount) << "key 03 left the group";
    EXPECT_EQ(0, group.members[0].index) << "key 01 is still a member";
    EXPECT_EQ(MEMBER_TABLE_SPEED, group.members[1].table);
    EXPECT_EQ("", CellText(List(), 2, 1)) << "a combination key shows no name";

    // A combination key saved on a key opened empty over a group: key 01 stays everywhere.
    PutGroup(9, "Other", {0}, {});
    CommitEdits(gDocument);
    gMessageLog.answer = IDYES;
    Edit(9, [&](HWND d) {
        SetDlgItemTextA(d, IDC_ENTRY_FAX_NUMBER, "0044+");
        Click(d, IDOK);
    });
    EXPECT_EQ(FLAG_FAX | FLAG_QUICK | FLAG_CHAIN, Stored(VIEW_QUICK, 9)[1]);
    ASSERT_EQ(1, DecodeGroupKey(&group, gDocument.edit, 4));
    EXPECT_EQ(2, group.memberCount) << "key 01 stays a member of the other group";
    EXPECT_EQ(0, group.members[0].index);
}

TEST_F(EntryDialog, AnEmailEntryWithoutTheBoardCanBeSeenNotChanged)
{
    gDocument.edit.config.ethernetBoard = 0;
    Show(VIEW_QUICK);
    bool emailType = true, name = true, address = true, shown = false;
    std::string text;
    Edit(1, [&](HWND d) {
        emailType = IsWindowEnabled(GetDlgItem(d, IDC_ENTRY_TYPE_EMAIL)) != FALSE;
        name = IsWindowEnabled(GetDlgItem(d, IDC_ENTRY_NAME)) != FALSE;
        address = IsWindowEnabled(GetDlgItem(d, IDC_ENTRY_EMAIL)) != FALSE;
        shown = IsWindowVisible(GetDlgItem(d, IDC_ENTRY_EMAIL)) != FALSE;
        text = ControlText(d, IDC_ENTRY_EMAIL);
        Click(d, IDCANCEL);
    });
    EXPECT_FALSE(emailType) << "no e-mail destinations without the board";
    EXPECT_FALSE(name);
    EXPECT_FALSE(address);
    EXPECT_TRUE(shown);
    EXPECT_EQ("b@example.org", text);

    gDocument.edit.config.ethernetBoard = 1;
    std::string label, frame;
    Edit(1, [&](HWND d) {
        label = ControlText(d, IDC_ENTRY_NUMBER_LABEL);
        frame = ControlText(d, IDC_ENTRY_DEST_FRAME);
        SetDlgItemTextA(d, IDC_ENTRY_EMAIL, "new@example.org");
        Click(d, IDOK);
    });
    EXPECT_EQ("E-mail &Address:", label);
    EXPECT_EQ("E-Mail", frame);
    EXPECT_EQ(FLAG_EMAIL | FLAG_QUICK, Stored(VIEW_QUICK, 1)[1]);
    EXPECT_EQ(98u, ItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 1));
    EXPECT_EQ("new@example.org", CellText(List(), 1, 2));
}

TEST_F(EntryDialog, WorksFromTheKeyboard)
{
    Show(VIEW_QUICK);
    int defaultButton = 0, afterName = 0, afterNumber = 0, focus = 0;
    Edit(0, [&](HWND d) {
        defaultButton = LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0));
        WaitForFocus(d, IDC_ENTRY_NAME);
        focus = GetDlgCtrlID(GetFocus());
        afterName = GetDlgCtrlID(GetNextDlgTabItem(d, GetDlgItem(d, IDC_ENTRY_NAME), FALSE));
        afterNumber =
            GetDlgCtrlID(GetNextDlgTabItem(d, GetDlgItem(d, IDC_ENTRY_FAX_NUMBER), FALSE));
        // Escape arrives as the Cancel command.
        SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(IDOK, defaultButton) << "Enter is OK";
    EXPECT_EQ(IDC_ENTRY_NAME, focus) << "the name field has the focus";
    EXPECT_EQ(IDC_ENTRY_FAX_NUMBER, afterName);
    EXPECT_EQ(IDC_ENTRY_SUB, afterNumber);
}

// The A3 family's library: its form adds the batch time and the scan options of e-mail entries.
class A3EntryForm : public EntryDialog {
protected:
    const char* Profile() const override { return "A3ZRPQ 2A02 2A03"; }
    void SetUp() override
    {
        EntryDialog::SetUp();
        LoadResourceModule(GetModuleHandleA(nullptr), ENTRY_FORM_LIBRARY_DIR "\\");
        ASSERT_NE(gApp.resourceModule, gApp.instanceModule) << "the A3 library was not loaded";
    }
};

int Selected(HWND dialog, int list)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0));
}

TEST_F(A3EntryForm, CustomScanChoosesItsOptionsAndTheyAreStored)
{
    Show(VIEW_QUICK);
    bool listsHidden = false, listsShown = false, batchHidden = false;
    int size = -1, resolution = -1, coding = -1, sizes = 0;
    Edit(1, [&](HWND d) {
        listsHidden = !IsWindowVisible(GetDlgItem(d, IDC_ENTRY_SCAN_SIZE));
        batchHidden = !IsWindowVisible(GetDlgItem(d, IDC_ENTRY_BATCH_HOUR));
        Click(d, IDC_ENTRY_CUSTOM_SCAN_ON);
        listsShown = IsWindowVisible(GetDlgItem(d, IDC_ENTRY_SCAN_CODING)) != FALSE;
        size = Selected(d, IDC_ENTRY_SCAN_SIZE);
        resolution = Selected(d, IDC_ENTRY_SCAN_RESOLUTION);
        coding = Selected(d, IDC_ENTRY_SCAN_CODING);
        sizes = static_cast<int>(SendDlgItemMessageA(d, IDC_ENTRY_SCAN_SIZE, CB_GETCOUNT, 0, 0));
        // The user picks B4 JIS and MMR.
        SendDlgItemMessageA(d, IDC_ENTRY_SCAN_SIZE, CB_SETCURSEL, 1, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ENTRY_SCAN_SIZE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_ENTRY_SCAN_SIZE)));
        SendDlgItemMessageA(d, IDC_ENTRY_SCAN_CODING, CB_SETCURSEL, 2, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ENTRY_SCAN_CODING, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_ENTRY_SCAN_CODING)));
        Click(d, IDOK);
    });
    EXPECT_TRUE(listsHidden) << "no scan lists while custom scan is off";
    EXPECT_TRUE(batchHidden) << "no batch time for an e-mail destination";
    EXPECT_TRUE(listsShown);
    EXPECT_EQ(3, sizes) << "A4, B4 JIS, A3";
    EXPECT_EQ(2, size) << "custom scan starts with A3";
    EXPECT_EQ(1, resolution) << "and Fine";
    EXPECT_EQ(0, coding) << "and MH";
    const std::vector<uint8_t> e = Stored(VIEW_QUICK, 1);
    EXPECT_EQ(1, e[30]) << "custom scan on";
    EXPECT_EQ(1, e[31]) << "B4 JIS is stored as 1";
    EXPECT_EQ(2, e[32]) << "Fine is stored as 2";
    EXPECT_EQ(2, e[33]) << "MMR";
}

TEST_F(A3EntryForm, BatchTimeIsCheckedAndNeverStored)
{
    Show(VIEW_QUICK);
    std::vector<int> focused;
    std::string hour;
    const std::vector<uint8_t> before = Stored(VIEW_QUICK, 0);
    Edit(0, [&](HWND d) {
        for (const char* key : {"2", "a", "4", "7"})
            hour = TypeInto(d, IDC_ENTRY_BATCH_HOUR, key);
        Click(d, IDOK);
        WaitForFocus(d, IDC_ENTRY_BATCH_HOUR);
        focused.push_back(GetDlgCtrlID(GetFocus()));
        SetDlgItemTextA(d, IDC_ENTRY_BATCH_HOUR, "23");
        SetDlgItemTextA(d, IDC_ENTRY_BATCH_MINUTE, "60");
        Click(d, IDOK);
        WaitForFocus(d, IDC_ENTRY_BATCH_MINUTE);
        focused.push_back(GetDlgCtrlID(GetFocus()));
        SetDlgItemTextA(d, IDC_ENTRY_BATCH_MINUTE, "59");
        Click(d, IDOK);
    });
    EXPECT_EQ("24", hour) << "only digits, at most two";
    ASSERT_EQ(2u, gMessageLog.asked.size());
    EXPECT_EQ("Invalid value. Enter a value between 0 and 23.", gMessageLog.asked[0].text);
    EXPECT_EQ("Invalid value. Enter a value between 0 and 59.", gMessageLog.asked[1].text);
    EXPECT_EQ((std::vector<int>{IDC_ENTRY_BATCH_HOUR, IDC_ENTRY_BATCH_MINUTE}), focused);
    std::vector<uint8_t> after = Stored(VIEW_QUICK, 0);
    after[26] = before[26];
    after[27] = before[27];
    EXPECT_EQ(before, after) << "apart from the date, a batch time changes no stored byte";
}

int gSaveCalls = 0;
std::string gSavePath;

int AnswerSaveAs(HWND, char* path, int size, int, const char*)
{
    gSaveCalls++;
    lstrcpynA(path, gSavePath.c_str(), size);
    return 1;
}

TEST_F(A3EntryForm, ScanOptionsShowInTheListAndSurviveSaveAndOpen)
{
    Show(VIEW_QUICK);
    Edit(1, [&](HWND d) {
        Click(d, IDC_ENTRY_CUSTOM_SCAN_ON);
        SendDlgItemMessageA(d, IDC_ENTRY_SCAN_SIZE, CB_SETCURSEL, 1, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ENTRY_SCAN_SIZE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_ENTRY_SCAN_SIZE)));
        SendDlgItemMessageA(d, IDC_ENTRY_SCAN_CODING, CB_SETCURSEL, 2, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ENTRY_SCAN_CODING, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_ENTRY_SCAN_CODING)));
        Click(d, IDOK);
    });
    const ShownRow row = ReadRow(List(), 1);
    ASSERT_EQ(10u, row.cells.size()) << "the A3 family's list has the option columns";
    EXPECT_EQ("Sharp/Soft", row.cells[6]);
    EXPECT_EQ("B4 JIS", row.cells[7]);
    EXPECT_EQ("Fine", row.cells[8]);
    EXPECT_EQ("MMR", row.cells[9]);

    const std::vector<uint8_t> stored = Stored(VIEW_QUICK, 1);
    gSavePath = TestProgramFolder() + "a3-scan.dat";
    SetFileDialogHook(AnswerSaveAs);
    SendMessageA(window, WM_COMMAND, IDM_SAVE_AS, 0);
    std::memset(&gDocument.edit.quickDial, 0, sizeof gDocument.edit.quickDial);
    ResetDeviceImage(gDocument.image);
    SendMessageA(window, WM_COMMAND, IDM_OPEN, 0);
    SetFileDialogHook(nullptr);
    EXPECT_EQ(2, gSaveCalls);
    EXPECT_EQ(stored, Stored(VIEW_QUICK, 1)) << "the scan options come back from the file";
    DeleteFileA(gSavePath.c_str());
}

}  // namespace

