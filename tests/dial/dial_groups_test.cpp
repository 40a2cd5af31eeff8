// Groups: their members as stored, the group writers, members that name no entry, and the
// removal of a destination from every group.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dial_test_support.h"

namespace {

class DialGroups : public DialTest {
protected:
    // The stored {table, number} pairs of key `index`, as many as its member count says.
    static std::vector<std::pair<int, int>> StoredMembers(int index)
    {
        std::vector<std::pair<int, int>> pairs;
        for (int k = 0; k < Key(index)[2] && k < GROUP_MEMBER_MAX; k++)
            pairs.emplace_back(Key(index)[30 + 2 * k], Key(index)[31 + 2 * k]);
        return pairs;
    }

    static DialRecord SpeedEntryRecord(int index)
    {
        DialRecord r{};
        r.inUse = 1;
        r.kind = KIND_SPEED;
        r.index = static_cast<uint8_t>(index);
        return r;
    }

    static DialRecord QuickEntryRecord(int index)
    {
        DialRecord r = SpeedEntryRecord(index);
        r.kind = KIND_QUICK;
        return r;
    }
};

using Pairs = std::vector<std::pair<int, int>>;

TEST_F(DialGroups, MembersDecodeToZeroBasedIndexes)
{
    PutGroup(Key(0), 0, {{8, 3}, {4, 1}, {4, 90}});
    DialRecord r;
    ASSERT_EQ(1, DecodeGroupKey(&r, gDocument.edit, 0));
    EXPECT_EQ(KIND_GROUP, r.kind);
    EXPECT_EQ(1, r.high);
    EXPECT_EQ(3, r.memberCount);
    EXPECT_STREQ("Sales", r.name);
    EXPECT_EQ(8, r.members[0].table);
    EXPECT_EQ(2, r.members[0].index);
    EXPECT_EQ(4, r.members[1].table);
    EXPECT_EQ(0, r.members[1].index);
    EXPECT_EQ(89, r.members[2].index);
    EXPECT_EQ(0, r.members[3].table) << "slots after the count stay empty";
}

TEST_F(DialGroups, KeyWithQuickFlagReadsAsItsQuickDialEntry)
{
    PutQuickFax(Key(1), 1);
    DialRecord r;
    ASSERT_EQ(1, DecodeGroupKey(&r, gDocument.edit, 1));
    EXPECT_EQ(KIND_QUICK, r.kind);
    EXPECT_EQ(0, r.memberCount);
    EXPECT_STREQ("0312345678", r.faxNumber);
}

TEST_F(DialGroups, GroupEditorMembersAreStoredQuickDialFirst)
{
    DialRecord g{};
    g.inUse = 1;
    g.kind = KIND_GROUP;
    strcpy(g.name, "\xC4rzte");  // Ärzte
    g.entryDate = 0x3221;
    const DialMember quick[] = {{8, 4}, {8, 0}};
    const DialMember speed[] = {{4, 10}, {4, 89}, {4, 0}};
    ASSERT_EQ(1, EncodeGroupKey(gDocument.edit, g, 12, quick, 2, speed, 3));
    EXPECT_EQ(13, Key(12)[0]);
    EXPECT_EQ(FLAG_HIGH, Key(12)[1]);
    EXPECT_EQ(5, Key(12)[4]);
    EXPECT_EQ(142, Key(12)[5]) << "the name is stored in the device character set";
    EXPECT_EQ(0, Key(12)[10]);
    EXPECT_EQ(0x21, Key(12)[26]);
    EXPECT_EQ(0x32, Key(12)[27]);
    EXPECT_EQ((Pairs{{8, 5}, {8, 1}, {4, 11}, {4, 90}, {4, 1}}), StoredMembers(12));
    EXPECT_EQ(130u, KeyLength(12));
}

TEST_F(DialGroups, GroupEditorCannotStoreMoreThanFiftyMembers)
{
    DialRecord g{};
    g.inUse = 1;
    std::vector<DialMember> quick(30, DialMember{8, 1});
    std::vector<DialMember> speed(40, DialMember{4, 2});
    ASSERT_EQ(1, EncodeGroupKey(gDocument.edit, g, 0, quick.data(), 30, speed.data(), 40));
    EXPECT_EQ(50, Key(0)[2]);
    EXPECT_EQ(4, Key(0)[128]) << "the fiftieth member is a Speed Dial member";
    EXPECT_EQ(3, Key(0)[129]);

    g.memberCount = 200;  // a record that claims more than a group holds
    ASSERT_EQ(1, EncodeGroupRecord(gDocument.edit, g, 1));
    EXPECT_EQ(50, Key(1)[2]);
}

// Members whose stored number is 0 or beyond their table, or whose table byte is neither 8 nor
// 4, are kept as they are.
TEST_F(DialGroups, MembersNamingNoEntryAreCarriedUnchanged)
{
    PutGroup(Key(3), 3, {{8, 0}, {8, 31}, {4, 0}, {4, 91}, {7, 5}, {0, 0}, {8, 255}, {4, 6}});
    std::vector<uint8_t> stored = Bytes(Key(3));
    DialRecord r;
    ASSERT_EQ(1, DecodeGroupKey(&r, gDocument.edit, 3));
    ASSERT_EQ(1, EncodeGroupRecord(gDocument.edit, r, 3));
    EXPECT_EQ(-1, FirstDifference(stored, Bytes(Key(3))));
}

TEST_F(DialGroups, RemovingASpeedDialEntryLeavesTheOtherMembersInOrder)
{
    PutGroup(Key(0), 0, {{8, 3}, {4, 6}, {4, 2}});
    gDocument.edit.quickDial.lengths[0] = 130;
    EXPECT_EQ(0u, RemoveFromGroups(gDocument.edit, SpeedEntryRecord(5), QUICK_KEY_COUNT));
    EXPECT_EQ((Pairs{{8, 3}, {4, 2}}), StoredMembers(0));
    EXPECT_EQ(2, Key(0)[2]);
    EXPECT_EQ(0, Key(0)[34]) << "the freed pair is cleared";
    EXPECT_EQ(0, Key(0)[35]);
    EXPECT_EQ(130u, KeyLength(0));
    EXPECT_EQ(std::string("Sales"), std::string(reinterpret_cast<char*>(Key(0) + 5), 5));
}

TEST_F(DialGroups, RemovalTellsQuickDialFromSpeedDialMembers)
{
    PutGroup(Key(0), 0, {{8, 3}, {4, 3}, {4, 6}});
    RemoveFromGroups(gDocument.edit, SpeedEntryRecord(2),
                     QUICK_KEY_COUNT);  // Speed Dial entry 2 is stored as {4, 3}
    EXPECT_EQ((Pairs{{8, 3}, {4, 6}}), StoredMembers(0));
    RemoveFromGroups(gDocument.edit, QuickEntryRecord(2),
                     QUICK_KEY_COUNT);  // key 3 is stored as {8, 3}
    EXPECT_EQ((Pairs{{4, 6}}), StoredMembers(0));
}

TEST_F(DialGroups, RemovalReachesEveryGroupButOnlyTheFirstMatchInEach)
{
    PutGroup(Key(1), 1, {{4, 6}, {8, 1}});
    PutGroup(Key(7), 7, {{8, 2}, {4, 6}, {4, 6}});
    PutGroup(Key(8), 8, {{8, 2}});
    std::vector<uint8_t> untouched = Bytes(Key(8));
    RemoveFromGroups(gDocument.edit, SpeedEntryRecord(5), QUICK_KEY_COUNT);
    EXPECT_EQ((Pairs{{8, 1}}), StoredMembers(1));
    EXPECT_EQ((Pairs{{8, 2}, {4, 6}}), StoredMembers(7));
    EXPECT_EQ(-1, FirstDifference(untouched, Bytes(Key(8))));
}

TEST_F(DialGroups, LastMemberRemovedEmptiesTheKeyAndItsLength)
{
    PutGroup(Key(4), 4, {{4, 6}});
    PutGroup(Key(21), 21, {{4, 6}});
    gDocument.edit.quickDial.lengths[4] = 130;
    gDocument.edit.quickDial.lengths[21] = 130;
    EXPECT_EQ((1u << 4) | (1u << 21),
              RemoveFromGroups(gDocument.edit, SpeedEntryRecord(5), QUICK_KEY_COUNT));
    EXPECT_EQ(std::vector<uint8_t>(DIAL_ENTRY_SIZE, 0), Bytes(Key(4)));
    EXPECT_EQ(0u, KeyLength(4));
    EXPECT_EQ(0u, KeyLength(21));
    DialRecord r;
    EXPECT_EQ(0, DecodeGroupKey(&r, gDocument.edit, 4));
}

TEST_F(DialGroups, AGroupRecordChangesNoGroup)
{
    PutGroup(Key(0), 0, {{8, 3}, {4, 6}});
    PutGroup(Key(2), 2, {{8, 1}});
    std::vector<uint8_t> before0 = Bytes(Key(0)), before2 = Bytes(Key(2));
    DialRecord group;
    ASSERT_EQ(1, DecodeGroupKey(&group, gDocument.edit, 2));
    group.kind = KIND_QUICK;  // even if it looked like a Quick Dial entry otherwise
    group.index = 0;
    EXPECT_EQ(0u, RemoveFromGroups(gDocument.edit, group, QUICK_KEY_COUNT));
    EXPECT_EQ(-1, FirstDifference(before0, Bytes(Key(0))));
    EXPECT_EQ(-1, FirstDifference(before2, Bytes(Key(2))));
}

TEST_F(DialGroups, RemovalWalksOnlyTheModelsKeys)
{
    PutGroup(Key(20), 20, {{4, 6}});
    std::vector<uint8_t> before = Bytes(Key(20));
    RemoveFromGroups(gDocument.edit, SpeedEntryRecord(5), 10);
    EXPECT_EQ(-1, FirstDifference(before, Bytes(Key(20))));

    EXPECT_EQ(1u << 20, RemoveFromGroups(gDocument.edit, SpeedEntryRecord(5), 200))
        << "never beyond the table";
    PutGroup(Key(20), 20, {{4, 6}});
    EXPECT_EQ(0u, RemoveFromGroups(gDocument.edit, SpeedEntryRecord(5), -1));
}

TEST_F(DialGroups, RemovalCarriesMembersNamingNoEntry)
{
    PutGroup(Key(6), 6, {{8, 0}, {4, 6}, {4, 91}, {7, 6}, {4, 0}});
    RemoveFromGroups(gDocument.edit, SpeedEntryRecord(5), QUICK_KEY_COUNT);
    EXPECT_EQ((Pairs{{8, 0}, {4, 91}, {7, 6}, {4, 0}}), StoredMembers(6));
    RemoveFromGroups(gDocument.edit, SpeedEntryRecord(255),
                     QUICK_KEY_COUNT);  // whatever index a record claims
    EXPECT_EQ((Pairs{{8, 0}, {4, 91}, {7, 6}, {4, 0}}), StoredMembers(6))
        << "stored number 0 names no entry, so nothing matches it";
}

TEST_F(DialGroups, ProgramDialKeyIsNeverRewrittenAsAGroup)
{
    PutGroup(Key(28), 28, {{4, 6}, {4, 7}});
    Key(28)[1] = FLAG_PROGRAM | FLAG_HIGH;
    std::vector<uint8_t> before = Bytes(Key(28));
    RemoveFromGroups(gDocument.edit, SpeedEntryRecord(5), QUICK_KEY_COUNT);
    EXPECT_EQ(-1, FirstDifference(before, Bytes(Key(28))));
}

}  // namespace
