// The entry form's decisions: the arrangement of its controls, the checks of OK in their order,
// and what a confirmed form stores.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dial/dial_entry.h"
#include "resources/resource_ids.h"
#include "tests/dial/dial_test_support.h"

namespace {

DialRecord Fax(const char* name, const char* number)
{
    DialRecord r = {};
    r.inUse = 1;
    std::strcpy(r.name, name);
    std::strcpy(r.faxNumber, number);
    r.speed = 2;
    return r;
}

DialRecord Email(const char* name, const char* address)
{
    DialRecord r = {};
    r.inUse = 1;
    r.destType = DEST_EMAIL;
    std::strcpy(r.name, name);
    std::strcpy(r.email, address);
    return r;
}

std::string States(const EntryArrangement& a, std::initializer_list<int> controls)
{
    std::string text;
    for (int control : controls) {
        EntryControlState s = ArrangedState(a, control);
        text += std::to_string(control) + (s.shown ? (s.enabled ? ":on " : ":grey ") : ":hidden ");
    }
    return text;
}

TEST(EntryArrangement, FaxCombinationAndEmailShowTheirOwnControls)
{
    const EntryFormFacts quick = {VIEW_QUICK, 1};
    const auto controls = {
        IDC_ENTRY_NAME,       IDC_ENTRY_FAX_NUMBER, IDC_ENTRY_EMAIL,          IDC_ENTRY_SUB,
        IDC_ENTRY_SPEED_9600, IDC_ENTRY_BATCH_HOUR, IDC_ENTRY_CUSTOM_SCAN_ON, IDC_ENTRY_SCAN_SIZE};
    EntryArrangement fax = ArrangeEntryControls(Fax("A", "1"), 0, quick);
    EXPECT_EQ(IDS_FRAME_FAX, fax.frameText);
    EXPECT_EQ(IDS_LABEL_FAX_NUMBER, fax.numberLabel);
    EXPECT_EQ("1031:on 1032:on 1045:hidden 1033:on 1049:on 1036:on 2102:hidden 2106:hidden ",
              States(fax, controls));

    EntryArrangement chain = ArrangeEntryControls(Fax("", "5+"), 1, quick);
    EXPECT_EQ("1031:grey 1032:on 1045:hidden 1033:grey 1049:grey 1036:grey 2102:hidden "
              "2106:hidden ",
              States(chain, controls))
        << "a combination key takes only its number";

    DialRecord mail = Email("B", "b@x.org");
    EntryArrangement email = ArrangeEntryControls(mail, 0, quick);
    EXPECT_EQ(IDS_FRAME_EMAIL, email.frameText);
    EXPECT_EQ(IDS_LABEL_EMAIL_ADDRESS, email.numberLabel);
    EXPECT_EQ("1031:on 1032:hidden 1045:on 1033:hidden 1049:hidden 1036:hidden 2102:on "
              "2106:hidden ",
              States(email, controls));
    mail.customScan = 1;
    EXPECT_EQ(1, ArrangedState(ArrangeEntryControls(mail, 0, quick), IDC_ENTRY_SCAN_SIZE).shown)
        << "the scan lists follow custom scan";
}

TEST(EntryArrangement, SpeedDialHasNoBatchTimeAndNoBoardMeansReadOnlyEmail)
{
    EntryArrangement speed = ArrangeEntryControls(Fax("A", "1"), 0, {VIEW_SPEED, 1});
    EXPECT_EQ(0, ArrangedState(speed, IDC_ENTRY_BATCH_HOUR).shown);
    EXPECT_EQ(0, ArrangedState(speed, IDC_ENTRY_BATCH_MINUTE_LABEL).shown);

    EntryArrangement mail = ArrangeEntryControls(Email("B", "b@x.org"), 0, {VIEW_QUICK, 0});
    EXPECT_EQ("1031:grey 1045:grey 2101:grey ",
              States(mail, {IDC_ENTRY_NAME, IDC_ENTRY_EMAIL, IDC_ENTRY_CUSTOM_SCAN_OFF}));
    EntryArrangement fax = ArrangeEntryControls(Fax("A", "1"), 0, {VIEW_QUICK, 0});
    EXPECT_EQ(1, ArrangedState(fax, IDC_ENTRY_NAME).enabled) << "a fax entry needs no board";
}

TEST(EntryForm, CombinationNumbersEndWithPlus)
{
    EXPECT_TRUE(IsCombinationNumber("0123+"));
    EXPECT_TRUE(IsCombinationNumber("+"));
    EXPECT_FALSE(IsCombinationNumber("+0123"));
    EXPECT_FALSE(IsCombinationNumber(""));
    EXPECT_FALSE(IsCombinationNumber(nullptr));
    EXPECT_EQ(5, EntryNumber(VIEW_QUICK, 4));
    EXPECT_EQ(7, EntryNumber(VIEW_SPEED, 7));
}

TEST(EntryForm, OkChecksComeInTheirOrder)
{
    struct Case {
        const char* what;
        DialRecord record;
        int message, control;
    };
    DialRecord batch = Fax("A", "1");
    std::strcpy(batch.batchHour, "24");
    std::strcpy(batch.batchMinute, "99");
    DialRecord minute = Fax("A", "1");
    std::strcpy(minute.batchMinute, "60");
    DialRecord emptyMail = Email("", "");
    std::strcpy(emptyMail.batchHour, "7");
    const Case cases[] = {
        {"hour before everything", batch, IDS_RANGE_BATCH_HOUR, IDC_ENTRY_BATCH_HOUR},
        {"minute", minute, IDS_RANGE_BATCH_MINUTE, IDC_ENTRY_BATCH_MINUTE},
        {"no number", Fax("A", ""), IDS_NEED_FAX_NUMBER, IDC_ENTRY_FAX_NUMBER},
        {"number starting with P", Fax("A", "P123"), IDS_INVALID_SETTING, IDC_ENTRY_FAX_NUMBER},
        {"number without digit", Fax("A", "*#-"), IDS_INVALID_SETTING, IDC_ENTRY_FAX_NUMBER},
        {"name of spaces", Fax("   ", "123"), IDS_INVALID_SETTING, IDC_ENTRY_NAME},
        {"number before name", Fax("   ", "P1"), IDS_INVALID_SETTING, IDC_ENTRY_FAX_NUMBER},
        {"empty address", emptyMail, IDS_NEED_EMAIL, IDC_ENTRY_EMAIL},
        {"one @ no dot", Email("B", "b@example"), IDS_EMAIL_INVALID, IDC_ENTRY_EMAIL},
        {"two @", Email("B", "a@b@c.org"), IDS_EMAIL_INVALID, IDC_ENTRY_EMAIL},
        {"address before name", Email("  ", "x"), IDS_EMAIL_INVALID, IDC_ENTRY_EMAIL},
        {"mail name of spaces", Email("  ", "a@b.c"), IDS_INVALID_SETTING, IDC_ENTRY_NAME},
        {"fine fax", Fax("", "0123+"), 0, 0},
        {"dot before @ passes", Email("B", "a.b@example"), 0, 0},
    };
    for (const Case& c : cases) {
        EntryProblem p = CheckEntryForm(c.record);
        EXPECT_EQ(c.message, p.message) << c.what;
        EXPECT_EQ(c.control, p.control) << c.what;
    }
    EntryProblem hour = CheckEntryForm(batch);
    EXPECT_EQ(0, hour.minimum);
    EXPECT_EQ(23, hour.maximum);
    std::strcpy(minute.batchMinute, "12abc");
    EXPECT_EQ(0, CheckEntryForm(minute).message) << "12abc reads as 12";
}

class EntrySave : public DialTest {};

TEST_F(EntrySave, AFaxEntryIsStoredWithItsFormAndDate)
{
    gDocument.edit.system.languageSet = 0;
    DialRecord r = Fax("M\xFCller", "0312345678");
    std::strcpy(r.sub, "12");
    std::strcpy(r.sid, "345");
    r.speed = 1;
    EXPECT_EQ(0u, SaveEntryForm(gDocument.edit, &r, VIEW_QUICK, 4, 0, QUICK_KEY_COUNT, 0x30B1));
    std::vector<uint8_t> expected(DIAL_ENTRY_SIZE, 0);
    PutQuickFax(expected.data(), 4);
    EXPECT_EQ(-1, FirstDifference(expected, Bytes(Key(4)))) << "stored as the device keeps it";
    EXPECT_EQ(78u, KeyLength(4));

    DialRecord s = Fax("Bob", "5551234");
    EXPECT_EQ(0u, SaveEntryForm(gDocument.edit, &s, VIEW_SPEED, 7, 0, QUICK_KEY_COUNT, 0x3111));
    EXPECT_EQ(8 | 0x80, Speed(7)[0]) << "Speed Dial entry 07 is stored as number 8";
    EXPECT_EQ(FLAG_FAX | FLAG_SPEED, Speed(7)[1]);
    EXPECT_EQ(74u, SpeedLength(7));
}

TEST_F(EntrySave, AnEmailEntryDropsTheChainAndTheBatchTime)
{
    DialRecord r = Email("Jos\xE9", "a.b@example.com");
    r.chain = 1;
    std::strcpy(r.batchHour, "7");
    SaveEntryForm(gDocument.edit, &r, VIEW_QUICK, 2, 1, QUICK_KEY_COUNT, 0x2C21);
    EXPECT_EQ(FLAG_EMAIL | FLAG_QUICK, Key(2)[1]) << "an e-mail destination is never chained";
    EXPECT_EQ(98u, KeyLength(2));
    EXPECT_STREQ("", r.batchHour);
}

TEST_F(EntrySave, ANewCombinationKeyLeavesTheGroupsOfItsOwnKey)
{
    // Key 01 and key 06 are both members of two groups.
    PutQuickFax(Key(0), 0);
    PutQuickFax(Key(5), 5);
    PutGroup(Key(10), 10, {{8, 1}, {8, 6}});
    PutGroup(Key(11), 11, {{8, 6}});
    // The form was opened empty (over a group, say): its record starts from zero.
    DialRecord r = {};
    std::strcpy(r.faxNumber, "0049+");
    uint32_t emptied = SaveEntryForm(gDocument.edit, &r, VIEW_QUICK, 5, 1, QUICK_KEY_COUNT, 0);
    EXPECT_EQ(FLAG_FAX | FLAG_QUICK | FLAG_CHAIN, Key(5)[1]);
    EXPECT_EQ(1u << 11, emptied) << "the group whose only member it was is empty now";
    DialRecord g;
    ASSERT_EQ(1, DecodeGroupKey(&g, gDocument.edit, 10));
    ASSERT_EQ(1, g.memberCount) << "key 06 left the group";
    EXPECT_EQ(0, g.members[0].index) << "key 01 stays a member";
    EXPECT_EQ(0u, KeyLength(11));
}

}  // namespace
