// The Scanner, Auto Print Report and User Restriction pages' rules and the device information
// dialogs' rules: stored values the Scanner cannot show, which number fields are checked and
// read for each divide choice, the report codes, the restriction password compare and store,
// the option texts, and what the Properties dialog writes into the image.
#include <gtest/gtest.h>

#include <cstring>

#include "device/byte_order.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/device_info.h"
#include "settings/restriction_page.h"
#include "settings/scanner_page.h"
#include "settings/settings_rules.h"

namespace {

TEST(ScannerPage, OutOfRangeValuesAreReplacedBeforeTheyAreShown)
{
    struct Case {
        uint32_t stored;
        uint32_t kb;
        uint32_t divisions;
    };
    const Case cases[] = {
        {10000, 2048, 5}, {63, 2048, 63}, {64, 64, 64},    {4096, 4096, 5}, {4097, 2048, 5},
        {0, 2048, 5},     {2, 2048, 2},   {500, 500, 500}, {501, 501, 5},
    };
    for (const Case& c : cases) {
        EditState state = {};
        state.scanner.divideMode = DIVIDE_PER_SIZE;
        state.scanner.pageDivideKb = c.stored;
        state.scanner.sizeDivideKb = c.stored;
        state.scanner.maxDivisions = c.stored;
        PrepareScannerPage(state);
        EXPECT_EQ(c.kb, state.scanner.pageDivideKb) << c.stored;
        EXPECT_EQ(c.kb, state.scanner.sizeDivideKb) << c.stored;
        EXPECT_EQ(c.divisions, state.scanner.maxDivisions) << c.stored;
        EXPECT_EQ(DIVIDE_PER_SIZE, state.scanner.divideMode);
    }
    EditState state = {};
    state.scanner.divideMode = 3;
    PrepareScannerPage(state);
    EXPECT_EQ(DIVIDE_OFF, state.scanner.divideMode) << "an unknown divide choice is Off";
}

TEST(ScannerPage, OnlyTheFieldsTheDivideChoiceEnablesAreCheckedAndRead)
{
    struct Case {
        uint8_t divide;
        bool sizeKb, divisions, pageKb;
    };
    const Case cases[] = {
        {DIVIDE_OFF, false, false, false},
        {DIVIDE_PER_SIZE, true, true, false},
        {DIVIDE_PER_PAGE, false, false, true},
    };
    for (const Case& c : cases) {
        EditState state = {};
        state.scanner.divideMode = c.divide;
        const auto applies = [&](int control, uint8_t phase) {
            const Binding* b = FindBinding(SCANNER_TABLE, control, nullptr);
            EXPECT_NE(nullptr, b);
            return b && NumberCheckApplies(*b, phase, &state) != 0;
        };
        for (uint8_t phase : {NUMBER_CHECK_LEAVE, NUMBER_CHECK_APPLY}) {
            EXPECT_EQ(c.sizeKb, applies(IDC_SCAN_SIZE_KB, phase)) << int(c.divide);
            EXPECT_EQ(c.divisions, applies(IDC_SCAN_MAX_DIVISIONS, phase)) << int(c.divide);
            EXPECT_EQ(c.pageKb, applies(IDC_SCAN_PAGE_KB, phase)) << int(c.divide);
        }
        for (int i = 0; i < SCANNER_TABLE.enableCount; i++) {
            const ControlRule& rule = SCANNER_TABLE.enables[i];
            const bool enabled = ConditionHolds(rule.when, &state) != 0;
            if (rule.controls[0] == IDC_SCAN_SIZE_KB)
                EXPECT_EQ(c.sizeKb, enabled);
            else
                EXPECT_EQ(c.pageKb, enabled);
        }
    }
    const Binding* divisions = FindBinding(SCANNER_TABLE, IDC_SCAN_MAX_DIVISIONS, nullptr);
    ASSERT_NE(nullptr, divisions);
    EXPECT_EQ(2, divisions->number->range.min);
    EXPECT_EQ(500, divisions->number->range.max);
    EXPECT_TRUE(divisions->number->flags & NUMBER_STORE_ON_APPLY);
}

TEST(ScannerAndReportPages, RadiosStoreTheirCodes)
{
    struct Case {
        const FormTable* table;
        int control;
        int64_t code;
    };
    const Case cases[] = {
        {&REPORT_TABLE, IDC_REPORT_TX_ERROR, 4},     {&REPORT_TABLE, IDC_REPORT_RX_ERROR, 16},
        {&REPORT_TABLE, IDC_REPORT_TX_OFF, 8},       {&REPORT_TABLE, IDC_REPORT_RX_OFF, 32},
        {&REPORT_TABLE, IDC_REPORT_JOURNAL_ON, 128}, {&SCANNER_TABLE, IDC_SCAN_600DPI, 32},
        {&SCANNER_TABLE, IDC_SCAN_JPEG, 8},          {&SCANNER_TABLE, IDC_SCAN_MMR, 2},
        {&SCANNER_TABLE, IDC_SCAN_DIVIDE_SIZE, 2},   {&SCANNER_TABLE, IDC_SCAN_DIVIDE_PAGE, 1},
    };
    for (const Case& c : cases) {
        EditState state = {};
        int button = -1;
        const Binding* b = FindBinding(*c.table, c.control, &button);
        ASSERT_NE(nullptr, b) << c.control;
        EXPECT_EQ(1, StoreRadio(*b, button, &state)) << c.control;
        EXPECT_EQ(c.code, ReadField(&state, b->field)) << c.control;
        EXPECT_EQ(button, CheckedRadio(*b, &state)) << c.control;
    }
    EditState state = {};
    state.report.txReport = 2;  // no button has it
    int button = -1;
    const Binding* tx = FindBinding(REPORT_TABLE, IDC_REPORT_TX_ON, &button);
    ASSERT_NE(nullptr, tx);
    EXPECT_EQ(-1, CheckedRadio(*tx, &state)) << "a value outside the table checks nothing";
}

TEST(UserRestriction, TheTypedPasswordMustBeExactlyTheStoredOne)
{
    EditState state = {};
    EXPECT_TRUE(RestrictionPasswordMatches("", state)) << "an empty password opens with nothing";
    std::strcpy(state.restriction.password, "1234");
    EXPECT_TRUE(RestrictionPasswordMatches("1234", state));
    EXPECT_FALSE(RestrictionPasswordMatches("123", state));
    EXPECT_FALSE(RestrictionPasswordMatches("01234", state));
    EXPECT_FALSE(RestrictionPasswordMatches("", state));
    EXPECT_FALSE(RestrictionPasswordMatches(nullptr, state));
}

TEST(UserRestriction, TheDialogStoresTheChoiceAndAClearedPassword)
{
    EditState state = {};
    std::strcpy(state.restriction.password, "12345678");
    EXPECT_EQ(1, StoreRestriction(state, RESTRICTION_ON, "42"));
    EXPECT_EQ(RESTRICTION_ON, state.restriction.enabled);
    const char expected[sizeof state.restriction.password] = "42";
    EXPECT_EQ(0, std::memcmp(expected, state.restriction.password, sizeof expected))
        << "nothing of the old password is left after the new one";
    EXPECT_EQ(0, StoreRestriction(state, RESTRICTION_ON, "42")) << "the same again is no edit";
    EXPECT_EQ(1, StoreRestriction(state, RESTRICTION_ON, "123456789"));
    EXPECT_STREQ("12345678", state.restriction.password) << "at most 8 digits";
    EXPECT_EQ(1, StoreRestriction(state, RESTRICTION_OFF, ""));
    EXPECT_STREQ("", state.restriction.password);
}

TEST(DeviceInfo, OptionBytesOfOneAreInstalledAnythingElseIsNot)
{
    struct Case {
        uint8_t byte;
        int installed, tray;
    };
    const Case cases[] = {
        {1, IDS_INSTALLED, IDS_TRAY2_INSTALLED},
        {0, IDS_NOT_INSTALLED, IDS_NOT_INSTALLED},
        {2, IDS_NOT_INSTALLED, IDS_NOT_INSTALLED},
    };
    for (const Case& c : cases) {
        EditState state = {};
        state.config = {c.byte, c.byte, c.byte, c.byte, 256, 0};
        const DeviceInfoTexts texts = DescribeDeviceOptions(state);
        EXPECT_EQ(c.installed, texts.adf) << int(c.byte);
        EXPECT_EQ(c.tray, texts.optionalTray) << int(c.byte);
        EXPECT_EQ(c.installed, texts.bypassTray) << int(c.byte);
        EXPECT_EQ(c.installed, texts.ethernetBoard) << int(c.byte);
        EXPECT_EQ(256u, texts.memoryMb);
        EXPECT_EQ(c.byte == 1 ? 1 : 0, state.config.ethernetBoard) << "made 0 or 1";
        EXPECT_EQ(c.byte, state.config.adf) << "the other bytes stay as they are";
    }
}

class Properties : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(1, CreateDeviceImage(gDocument.image)); }
    void TearDown() override { ReleaseDeviceImage(gDocument.image); }
};

TEST_F(Properties, OkWritesNameAndNumberWithTheirLengthsAndTheWholeEditState)
{
    EditState& state = gDocument.edit;
    state = {};
    std::strcpy(state.properties.deviceName, "Old name that is long");
    state.report.txReport = 4;  // another page's unapplied edit goes too
    PropertiesWork work = TakePropertiesWork(state);
    EXPECT_STREQ("Old name that is long", work.name);
    SetWorkText(work.name, sizeof work.name, DEVICE_NAME_CHARS, "Front office");
    SetWorkText(work.faxNumber, sizeof work.faxNumber, DEVICE_FAX_NUMBER_CHARS,
                "+49 30 1234-5678 99999");
    ASSERT_EQ(1, CommitProperties(work, gDocument));
    EXPECT_STREQ("Front office", reinterpret_cast<const char*>(ImageItemValue(gDocument.image, 0x10C04)));
    EXPECT_EQ(12u, ItemLength(gDocument.image, FindItemRecord(0x10C04)));
    EXPECT_EQ(0, ImageItemValue(gDocument.image, 0x10C04)[12]) << "nothing of the old name after the new one";
    EXPECT_EQ(20u, ItemLength(gDocument.image, FindItemRecord(0x10C02))) << "cut to 20 characters";
    EXPECT_STREQ("+49 30 1234-5678 999", reinterpret_cast<const char*>(ImageItemValue(gDocument.image, 0x10C02)));
    EXPECT_EQ(4, ImageItemValue(gDocument.image, 0x10601)[0]);

    SetWorkText(work.name, sizeof work.name, DEVICE_NAME_CHARS, "");
    ASSERT_EQ(1, CommitProperties(work, gDocument));
    EXPECT_EQ(0u, ItemLength(gDocument.image, FindItemRecord(0x10C04))) << "an empty name has length 0";
}

TEST_F(Properties, AnItemTheDeviceLacksStaysAbsent)
{
    SetImageItemLength(gDocument.image, 0x10C02, ITEM_ABSENT);
    EditState& state = gDocument.edit;
    state = {};
    PropertiesWork work = TakePropertiesWork(state);
    SetWorkText(work.faxNumber, sizeof work.faxNumber, DEVICE_FAX_NUMBER_CHARS, "123");
    ASSERT_EQ(1, CommitProperties(work, gDocument));
    EXPECT_EQ(ITEM_ABSENT, ItemLength(gDocument.image, FindItemRecord(0x10C02)));
    Document none = {};
    EXPECT_EQ(0, CommitProperties(work, none));
}

}  // namespace
