// What the group dialog and the clipboard decide: who may join a group, the add and remove
// passes with their order and the cap, the checks of OK, the save, and which pastes are refused.
#include <gtest/gtest.h>

#include <vector>

#include "dial/dial_clipboard.h"
#include "dial/dial_group.h"
#include "resources/resource_ids.h"
#include "tests/dial/dial_test_support.h"

namespace {

class GroupForm : public DialTest {
protected:
    void SetUp() override
    {
        DialTest::SetUp();
        PutQuickFax(Key(0), 0);
        PutQuickEmail(Key(1), 1);
        PutQuickFax(Key(2), 2, FLAG_FAX | FLAG_QUICK | FLAG_CHAIN);  // combination key
        PutGroup(Key(3), 3, {{8, 1}});
        Key(26)[1] = FLAG_PROGRAM;
        PutQuickFax(Key(5), 5);
        PutSpeedFax(Speed(0), 0);
        PutSpeedFax(Speed(1), 1, FLAG_FAX | FLAG_SPEED | FLAG_PROGRAM);
        PutSpeedFax(Speed(2), 2, FLAG_FAX | FLAG_SPEED | FLAG_CHAIN);
        PutSpeedEmail(Speed(3), 3);
    }

    std::vector<int> QuickCandidates(int edited, const GroupMembers& m) const
    {
        std::vector<int> keys;
        for (int k = 0; k < QUICK_KEY_COUNT; k++)
            if (IsQuickCandidate(gDocument.edit, k, edited, m))
                keys.push_back(k);
        return keys;
    }
    std::vector<int> SpeedCandidates(const GroupMembers& m) const
    {
        std::vector<int> entries;
        for (int e = 0; e < SPEED_DIAL_COUNT; e++)
            if (IsSpeedCandidate(gDocument.edit, e, m))
                entries.push_back(e);
        return entries;
    }
};

TEST_F(GroupForm, CandidatesAreSingleDestinationsNotYetMembers)
{
    GroupMembers none = {};
    EXPECT_EQ((std::vector<int>{0, 1}), QuickCandidates(5, none))
        << "no combination key, group, program-dial key, empty key or the edited key";
    EXPECT_EQ((std::vector<int>{0, 1, 5}), QuickCandidates(9, none));
    EXPECT_EQ((std::vector<int>{0, 1, 3}), SpeedCandidates(none))
        << "program-dial Speed Dial entries may join, combination keys not";
    GroupMembers some = {};
    int keys[] = {1};
    int entries[] = {3};
    AddQuickMembers(&some, keys, 1);
    AddSpeedMembers(&some, entries, 1);
    EXPECT_EQ((std::vector<int>{0}), QuickCandidates(5, some));
    EXPECT_EQ((std::vector<int>{0, 1}), SpeedCandidates(some));
}

TEST_F(GroupForm, AddingKeepsTheOrderOfTheListAndStopsAtFifty)
{
    GroupMembers m = {};
    int keys[] = {4, 1, 7};
    EXPECT_EQ(3, AddQuickMembers(&m, keys, 3));
    ASSERT_EQ(3, m.quickCount);
    EXPECT_EQ(4, m.quick[0].index);
    EXPECT_EQ(7, m.quick[2].index);
    EXPECT_EQ(0, AddQuickMembers(&m, keys, 3)) << "members are not added twice";

    std::vector<int> many;
    for (int e = 0; e < 46; e++)
        many.push_back(e);
    EXPECT_EQ(46, AddSpeedMembers(&m, many.data(), 46));
    ASSERT_EQ(49, MemberTotal(m));
    int three[] = {60, 61, 62};
    EXPECT_EQ(1, AddSpeedMembers(&m, three, 3)) << "with 49 members only the first joins";
    EXPECT_EQ(60, m.speed[m.speedCount - 1].index);
    EXPECT_EQ(0, AddQuickMembers(&m, three, 1)) << "a full group takes nobody";
}

TEST_F(GroupForm, RemovingRowsOfBothKindsKeepsTheOthersInOrder)
{
    GroupMembers m = {};
    int keys[] = {0, 1, 5};
    int entries[] = {3, 0};
    AddQuickMembers(&m, keys, 3);
    AddSpeedMembers(&m, entries, 2);
    // Rows: 0 key 01, 1 key 02, 2 key 06, 3 entry 03, 4 entry 00.
    int rows[] = {1, 4};
    int removedKeys[GROUP_LIST_ROOM], removedEntries[GROUP_LIST_ROOM], nk = 0, ne = 0;
    RemoveMemberRows(&m, rows, 2, removedKeys, &nk, removedEntries, &ne);
    ASSERT_EQ(1, nk);
    EXPECT_EQ(1, removedKeys[0]);
    ASSERT_EQ(1, ne);
    EXPECT_EQ(0, removedEntries[0]);
    ASSERT_EQ(2, m.quickCount);
    EXPECT_EQ(0, m.quick[0].index);
    EXPECT_EQ(5, m.quick[1].index);
    ASSERT_EQ(1, m.speedCount);
    EXPECT_EQ(3, m.speed[0].index);
}

TEST_F(GroupForm, OkChecksNameThenMembers)
{
    GroupMembers none = {};
    GroupMembers one = {};
    int key[] = {0};
    AddQuickMembers(&one, key, 1);
    EXPECT_EQ(IDS_NEED_GROUP_NAME, CheckGroupForm("", one).message);
    EXPECT_EQ(IDS_NEED_GROUP_NAME, CheckGroupForm("", none).message) << "the name comes first";
    EXPECT_EQ(IDS_INVALID_SETTING, CheckGroupForm("   ", one).message);
    EXPECT_EQ(IDC_GROUP_NAME, CheckGroupForm("   ", one).control);
    EXPECT_EQ(IDS_NO_MEMBERS, CheckGroupForm("Team", none).message);
    EXPECT_EQ(0, CheckGroupForm("Team", one).message);
}

TEST_F(GroupForm, AGroupReplacingAQuickDialEntryTakesItOutOfOtherGroups)
{
    // Key 06 holds a Quick Dial entry that is the only member of the group on key 10.
    PutGroup(Key(10), 10, {{8, 6}});
    gDocument.edit.quickDial.lengths[10] = 130;
    GroupMembers m = {};
    int keys[] = {0};
    int entries[] = {3};
    AddQuickMembers(&m, keys, 1);
    AddSpeedMembers(&m, entries, 1);
    DialRecord g = {};
    strcpy(g.name, "Sales");
    EXPECT_EQ(1u << 10, SaveGroupForm(gDocument.edit, &g, 5, m, QUICK_KEY_COUNT, 0x3201));
    std::vector<uint8_t> expected(DIAL_ENTRY_SIZE, 0);
    PutGroup(expected.data(), 5, {{8, 1}, {4, 4}});
    EXPECT_EQ(-1, FirstDifference(expected, Bytes(Key(5)))) << "stored as the device keeps it";
    EXPECT_EQ(130u, KeyLength(5));
    EXPECT_EQ(0, Key(10)[1]) << "the other group lost its only member";
    EXPECT_EQ(0u, KeyLength(10));
}

// ---- Clipboard -------------------------------------------------------------------------------

TEST_F(GroupForm, PastesAreRefusedOrAskedByWhatTheTargetHolds)
{
    struct Case {
        View view;
        int row;
        PasteDecision decision;
    } cases[] = {
        {VIEW_QUICK, 0, PASTE_ASK},      {VIEW_QUICK, 9, PASTE_WRITE},
        {VIEW_QUICK, 3, PASTE_REFUSED},  {VIEW_QUICK, 26, PASTE_REFUSED},
        {VIEW_SPEED, 0, PASTE_ASK},      {VIEW_SPEED, 50, PASTE_WRITE},
        {VIEW_GROUP, 3, PASTE_ASK},      {VIEW_GROUP, 9, PASTE_WRITE},
        {VIEW_GROUP, 0, PASTE_REFUSED},  {VIEW_GROUP, 26, PASTE_REFUSED},
        {VIEW_QUICK, 30, PASTE_REFUSED}, {VIEW_SPEED, -1, PASTE_REFUSED},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.decision, DecidePaste(gDocument.edit, c.view, c.row, PROGRAM_KEY_FIRST))
            << "view " << c.view << " row " << c.row;
    Key(7)[1] = FLAG_PROGRAM;
    EXPECT_EQ(PASTE_WRITE, DecidePaste(gDocument.edit, VIEW_QUICK, 7, PROGRAM_KEY_FIRST))
        << "only keys 27 to 30 carry a program mark";
}

TEST_F(GroupForm, CopyAndPasteMoveTheEntryButNotItsMemberships)
{
    DialRecord copy = CopyDialEntry(gDocument.edit, VIEW_QUICK, 0);
    ASSERT_EQ(1, PasteDialEntry(gDocument.edit, VIEW_QUICK, 6, copy));
    std::vector<uint8_t> expected(DIAL_ENTRY_SIZE, 0);
    PutQuickFax(expected.data(), 6);
    EXPECT_EQ(-1, FirstDifference(expected, Bytes(Key(6))));
    EXPECT_EQ(78u, KeyLength(6));

    DialRecord group = CopyDialEntry(gDocument.edit, VIEW_GROUP, 3);
    ASSERT_EQ(1, PasteDialEntry(gDocument.edit, VIEW_GROUP, 8, group));
    DialRecord second;
    ASSERT_EQ(1, DecodeGroupKey(&second, gDocument.edit, 8));
    EXPECT_STREQ("Sales", second.name);
    ASSERT_EQ(1, second.memberCount);
    EXPECT_EQ(0, second.members[0].index) << "a second group with the same members";
    EXPECT_EQ(9, Key(8)[0]);
}

TEST_F(GroupForm, DeleteEmptiesTheEntryAndItsGroups)
{
    // Speed Dial entry 03 is the only member of two groups.
    PutGroup(Key(10), 10, {{4, 4}});
    PutGroup(Key(11), 11, {{8, 1}, {4, 4}});
    gDocument.edit.speedDial.lengths[3] = 94;
    EXPECT_EQ(1u << 10, DeleteDialEntry(gDocument.edit, VIEW_SPEED, 3, QUICK_KEY_COUNT));
    EXPECT_EQ(std::vector<uint8_t>(DIAL_ENTRY_SIZE, 0), Bytes(Speed(3)));
    EXPECT_EQ(0u, SpeedLength(3));
    DialRecord g;
    ASSERT_EQ(1, DecodeGroupKey(&g, gDocument.edit, 11));
    EXPECT_EQ(1, g.memberCount);

    gDocument.edit.quickDial.lengths[26] = 55;
    DeleteDialEntry(gDocument.edit, VIEW_QUICK, 26, QUICK_KEY_COUNT);
    EXPECT_EQ(0, Key(26)[1]) << "Delete erases even a program-dial key";
    EXPECT_EQ(0u, KeyLength(26));
    EXPECT_EQ(0u, DeleteDialEntry(gDocument.edit, VIEW_GROUP, 3, QUICK_KEY_COUNT));
    EXPECT_EQ(0, Key(3)[1]);
}

}  // namespace
