// The group dialog and the Edit commands through the real main window: candidates, adding and
// removing members, the checks of OK, what a confirmed group stores, and Cut, Copy, Paste and
// Delete with their questions.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/app_state.h"
#include "ui/ui_win.h"
#include "document/document.h"
#include "document/dial_records.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/dial_lists/dial_lists_harness_win.h"

namespace {

class Groups : public DialListWindow {
protected:
    void SetUp() override
    {
        Open();
        PutFax(VIEW_QUICK, 0, "Alpha", "100", "", "", 2);
        PutFax(VIEW_QUICK, 1, "Bravo", "101", "", "", 2);
        PutCombination(VIEW_QUICK, 2, "", "102+");
        PutFax(VIEW_QUICK, 3, "Delta", "103", "", "", 2);
        PutFax(VIEW_QUICK, 5, "Foxtrot", "105", "", "", 2);
        PutGroup(4, "Team", {0}, {1});
        PutProgramDial(VIEW_QUICK, 26);
        PutFax(VIEW_SPEED, 1, "Speedy", "201", "", "", 2);
        PutFax(VIEW_SPEED, 2, "Second", "202", "", "", 2);
        PutProgramDial(VIEW_SPEED, 5);
        CommitEdits(gDocument);
        RecordMessages();
    }
    void TearDown() override
    {
        SetMessageHook(nullptr);
        DialListWindow::TearDown();
    }

    std::string EditGroup(int row, const std::function<void(HWND)>& script)
    {
        Select(List(), row);
        return DriveDialog([&] { SendMessageA(window, WM_COMMAND, IDM_ENTRY_PROPERTIES, 0); },
                           script);
    }
    void Command(int id)
    {
        SendMessageA(window, WM_COMMAND, id, 0);
        PumpMessages();
    }
    std::vector<uint8_t> Key(int index) const
    {
        const uint8_t* e = gDocument.edit.quickDial.entries[index];
        return std::vector<uint8_t>(e, e + DIAL_ENTRY_SIZE);
    }
};

// "01 Alpha" for each row of a dialog list.
std::vector<std::string> Rows(HWND dialog, int list)
{
    HWND l = GetDlgItem(dialog, list);
    std::vector<std::string> rows;
    for (int r = 0; r < RowCount(l); r++)
        rows.push_back(CellText(l, r, 0) + " " + CellText(l, r, 1));
    return rows;
}

void SelectRows(HWND dialog, int list, std::initializer_list<int> rows)
{
    HWND l = GetDlgItem(dialog, list);
    for (int r : rows) {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageA(l, LVM_SETITEMSTATE, r, reinterpret_cast<LPARAM>(&item));
    }
}

using Texts = std::vector<std::string>;

TEST_F(Groups, AnEmptyKeyOffersEveryUsableEntryAndNeedsMembers)
{
    Show(VIEW_GROUP);
    Texts quick, speed, members;
    std::string title = EditGroup(3 + 6, [&](HWND d) {
        quick = Rows(d, IDC_GROUP_QUICK_LIST);
        speed = Rows(d, IDC_GROUP_SPEED_LIST);
        members = Rows(d, IDC_GROUP_MEMBERS);
        SetDlgItemTextA(d, IDC_GROUP_NAME, "New");
        Click(d, IDOK);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ("Program Group Dial10", title);
    EXPECT_EQ((Texts{"01 Alpha", "02 Bravo", "04 Delta", "06 Foxtrot"}), quick)
        << "no combination key, group, program-dial key or empty key";
    EXPECT_EQ((Texts{"01 Speedy", "02 Second", "05 PROGRAM DIAL"}), speed);
    EXPECT_TRUE(members.empty());
    ASSERT_EQ(1u, gMessageLog.asked.size());
    EXPECT_EQ("No data on the list.", gMessageLog.asked[0].text);
    EXPECT_EQ(0, Key(9)[1]) << "a refused OK and Cancel store nothing";
    EXPECT_EQ(0, gDocument.modified);

    // A key does not offer itself.
    Show(VIEW_QUICK);
    Show(VIEW_GROUP);
    gMessageLog.answer = IDYES;  // key 04 holds a Quick Dial entry: overwrite it
    EditGroup(3, [&](HWND d) {
        quick = Rows(d, IDC_GROUP_QUICK_LIST);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ((Texts{"01 Alpha", "02 Bravo", "06 Foxtrot"}), quick);
}

TEST_F(Groups, MembersMoveInListOrderAndBackInNumberOrder)
{
    Show(VIEW_GROUP);
    Texts members, quick, speed;
    EditGroup(9, [&](HWND d) {
        SetDlgItemTextA(d, IDC_GROUP_NAME, "Crew");
        SelectRows(d, IDC_GROUP_QUICK_LIST, {0, 2, 3});
        Click(d, IDC_GROUP_ADD_QUICK);
        SelectRows(d, IDC_GROUP_SPEED_LIST, {1});
        Click(d, IDC_GROUP_ADD_SPEED);
        members = Rows(d, IDC_GROUP_MEMBERS);
        // One member of each kind goes back.
        SelectRows(d, IDC_GROUP_MEMBERS, {0, 3});
        Click(d, IDC_GROUP_REMOVE);
        quick = Rows(d, IDC_GROUP_QUICK_LIST);
        speed = Rows(d, IDC_GROUP_SPEED_LIST);
        Texts after = Rows(d, IDC_GROUP_MEMBERS);
        members.insert(members.end(), after.begin(), after.end());
        Click(d, IDOK);
    });
    EXPECT_EQ((Texts{"01 Alpha", "04 Delta", "06 Foxtrot", "02 Second", "04 Delta", "06 Foxtrot"}),
              members)
        << "three keys in list order, then the Speed Dial entry; then what stays";
    EXPECT_EQ((Texts{"01 Alpha", "02 Bravo"}), quick) << "back in number order";
    EXPECT_EQ((Texts{"01 Speedy", "02 Second", "05 PROGRAM DIAL"}), speed);
    const std::vector<uint8_t> g = Key(9);
    EXPECT_EQ(10, g[0]);
    EXPECT_EQ(FLAG_HIGH, g[1]);
    EXPECT_EQ(2, g[2]) << "two members";
    EXPECT_EQ(4, g[4]);
    EXPECT_EQ("Crew", std::string(g.begin() + 5, g.begin() + 9));
    EXPECT_EQ(MakeEntryDate(), g[26] | (g[27] << 8));
    EXPECT_EQ((std::vector<uint8_t>{8, 4, 8, 6}),
              std::vector<uint8_t>(g.begin() + 30, g.begin() + 34));
    EXPECT_EQ(130u, ItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 9));
    EXPECT_EQ("Crew", CellText(List(), 9, 1));
    EXPECT_EQ(9, gApp.currentRow) << "the group's row is selected";
    EXPECT_EQ(1, gDocument.modified);
}

TEST_F(Groups, FiftyMembersAtMost)
{
    // 49 members: every Speed Dial entry from 10 to 58.
    std::vector<int> entries;
    for (int e = 10; e < 59; e++) {
        PutFax(VIEW_SPEED, e, "", "1", "", "", 2);
        entries.push_back(e);
    }
    PutGroup(7, "Big", {}, entries);
    CommitEdits(gDocument);
    Show(VIEW_GROUP);
    int count = 0;
    Texts members;
    EditGroup(7, [&](HWND d) {
        SelectRows(d, IDC_GROUP_SPEED_LIST, {0, 1, 2});
        Click(d, IDC_GROUP_ADD_SPEED);
        members = Rows(d, IDC_GROUP_MEMBERS);
        count = RowCount(GetDlgItem(d, IDC_GROUP_MEMBERS));
        Click(d, IDOK);
    });
    EXPECT_EQ(50, count) << "only the first of three joins";
    EXPECT_EQ("01 Speedy", members.back());
    EXPECT_EQ(50, Key(7)[2]);
}

TEST_F(Groups, AConfirmedGroupTakesTheReplacedEntryOutOfOtherGroups)
{
    // Key 01 is a member of the group on key 05 and is now overwritten by a group.
    Show(VIEW_GROUP);
    gMessageLog.answer = IDYES;
    EditGroup(0, [&](HWND d) {
        SetDlgItemTextA(d, IDC_GROUP_NAME, "Replacing");
        SelectRows(d, IDC_GROUP_QUICK_LIST, {0});
        Click(d, IDC_GROUP_ADD_QUICK);
        Click(d, IDOK);
    });
    EXPECT_EQ(FLAG_HIGH, Key(0)[1]);
    DialRecord team;
    ASSERT_EQ(1, DecodeGroupKey(&team, gDocument.edit, 4));
    ASSERT_EQ(1, team.memberCount) << "key 01 left the other group";
    EXPECT_EQ(MEMBER_TABLE_SPEED, team.members[0].table);
}

TEST_F(Groups, NameChecksComeFirst)
{
    Show(VIEW_GROUP);
    int focus = 0;
    std::string typed;
    EditGroup(4, [&](HWND d) {
        SetDlgItemTextA(d, IDC_GROUP_NAME, "");
        Click(d, IDOK);
        SetDlgItemTextA(d, IDC_GROUP_NAME, "   ");
        Click(d, IDOK);
        WaitForFocus(d, IDC_GROUP_NAME);
        focus = GetDlgCtrlID(GetFocus());
        typed = TypeInto(d, IDC_GROUP_NAME, "?x", 0);
        Click(d, IDCANCEL);
    });
    ASSERT_EQ(2u, gMessageLog.asked.size());
    EXPECT_EQ("Group name must be entered.", gMessageLog.asked[0].text);
    EXPECT_EQ("Invalid value.\nCheck the setting(s).", gMessageLog.asked[1].text);
    EXPECT_EQ(IDC_GROUP_NAME, focus);
    EXPECT_EQ("x   ", typed) << "the name filter of the entry dialog";
    DialRecord team;
    ASSERT_EQ(1, DecodeGroupKey(&team, gDocument.edit, 4));
    EXPECT_STREQ("Team", team.name) << "Cancel stores nothing";
}

// ---- Clipboard -------------------------------------------------------------------------------

TEST_F(Groups, CopyAndPasteMakeANewEntryWithoutItsMemberships)
{
    Show(VIEW_QUICK);
    Select(List(), 3);
    Command(IDM_COPY);
    EXPECT_EQ(3, gApp.quickClipSource);
    Select(List(), 7);
    Command(IDM_PASTE);
    EXPECT_TRUE(gMessageLog.asked.empty()) << "an empty key takes the copy without a question";
    EXPECT_EQ("08", CellText(List(), 7, 0));
    EXPECT_EQ("Delta", CellText(List(), 7, 1));
    EXPECT_EQ("103", CellText(List(), 7, 2));
    EXPECT_EQ(8, Key(7)[0]);
    EXPECT_EQ(78u, ItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 7));
    EXPECT_EQ("Delta", CellText(List(), 3, 1)) << "key 04 is unchanged";
    DialRecord team;
    ASSERT_EQ(1, DecodeGroupKey(&team, gDocument.edit, 4));
    EXPECT_EQ(2, team.memberCount) << "no group gains the new key";
    EXPECT_EQ(1, gDocument.modified);

    // Onto a group in the Quick Dial list: refused without a word.
    const std::vector<uint8_t> group = Key(4);
    Select(List(), 4);
    Command(IDM_PASTE);
    EXPECT_EQ(group, Key(4));
    EXPECT_TRUE(gMessageLog.asked.empty());
}

TEST_F(Groups, PasteOntoAnOccupiedEntryAsksAndNoKeepsIt)
{
    Show(VIEW_SPEED);
    Select(List(), 1);
    Command(IDM_COPY);
    Select(List(), 2);
    gMessageLog.answer = IDNO;
    Command(IDM_PASTE);
    ASSERT_EQ(1u, gMessageLog.asked.size());
    EXPECT_EQ("Are you sure you want to overwrite the data?", gMessageLog.asked[0].text);
    EXPECT_EQ("Warning", gMessageLog.asked[0].caption);
    EXPECT_EQ("Second", CellText(List(), 2, 1));
    EXPECT_EQ(0, gDocument.modified) << "a declined question marks nothing";
    gMessageLog.answer = IDYES;
    Command(IDM_PASTE);
    EXPECT_EQ("Speedy", CellText(List(), 2, 1));
    EXPECT_EQ(1, gDocument.modified);
}

TEST_F(Groups, CutTakesAnEntryOutOfItsGroupsAndPasteDoesNotPutItBack)
{
    PutGroup(10, "Second team", {3}, {1});
    CommitEdits(gDocument);
    Show(VIEW_SPEED);
    Select(List(), 1);
    gMessageLog.answer = IDYES;
    Command(IDM_CUT);
    ASSERT_EQ(1u, gMessageLog.asked.size());
    EXPECT_EQ("Are you sure you want to delete the data?", gMessageLog.asked[0].text);
    EXPECT_EQ("", CellText(List(), 1, 1));
    EXPECT_EQ(0u, ItemLength(gDocument.image, SPEED_DIAL_FIRST_RECORD + 1));
    for (int key : {4, 10}) {
        DialRecord g;
        ASSERT_EQ(1, DecodeGroupKey(&g, gDocument.edit, key));
        EXPECT_EQ(1, g.memberCount) << "key " << key + 1 << " lost Speed Dial entry 01";
    }
    Select(List(), 40);
    Command(IDM_PASTE);
    EXPECT_EQ("Speedy", CellText(List(), 40, 1));
    DialRecord g;
    ASSERT_EQ(1, DecodeGroupKey(&g, gDocument.edit, 4));
    EXPECT_EQ(1, g.memberCount) << "the pasted destination is no member";

    // A declined Delete keeps the copy and the entry.
    gMessageLog.answer = IDNO;
    Select(List(), 2);
    Command(IDM_CUT);
    EXPECT_EQ("Second", CellText(List(), 2, 1));
    EXPECT_EQ(2, gApp.speedClipSource) << "the copy was made";
}

TEST_F(Groups, DeletingTheOnlyMemberEmptiesTheGroup)
{
    PutGroup(10, "Solo", {5}, {});
    CommitEdits(gDocument);
    Show(VIEW_QUICK);
    Select(List(), 5);
    gMessageLog.answer = IDYES;
    Command(IDM_DELETE);
    EXPECT_EQ(0, Key(5)[1]);
    EXPECT_EQ(0, Key(10)[1]) << "the group whose only member it was is empty";
    EXPECT_EQ(0u, ItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 5));
    EXPECT_EQ(0u, ItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 10));
    EXPECT_EQ("", CellText(List(), 10, 1)) << "its row shows it empty";
    EXPECT_EQ(5, gApp.currentRow);
}

TEST_F(Groups, AGroupCopiedAndPastedIsASecondGroupWithTheSameMembers)
{
    Show(VIEW_GROUP);
    Select(List(), 4);
    Command(IDM_COPY);
    Select(List(), 12);
    Command(IDM_PASTE);
    DialRecord second;
    ASSERT_EQ(1, DecodeGroupKey(&second, gDocument.edit, 12));
    EXPECT_STREQ("Team", second.name);
    EXPECT_EQ(2, second.memberCount);
    EXPECT_EQ(130u, ItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 12));
    EXPECT_EQ("Team", CellText(List(), 12, 1));
    EXPECT_EQ(2, RowCount(Members())) << "the member pane shows the pasted group";

    // Leaving asks to save what the Edit commands changed.
    gMessageLog.answer = IDCANCEL;
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_FALSE(gMessageLog.asked.empty());
    EXPECT_EQ("Do you want to save the changes you made to NewFile.Dat?",
              gMessageLog.asked.back().text);
}

}  // namespace
