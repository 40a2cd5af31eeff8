// What the generic page procedure decides on a binding: fields of every width and sign, check
// box and radio codes (with a second field), coded rows by condition, numbers, texts, sliders
// with device-supplied ranges, and the conditions behind enabling.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "document/dial_records.h"
#include "settings/settings_rules.h"

namespace {

TEST(EditFields, OffsetsSizesAndSignsComeFromTheMember)
{
    EditState state = {};
    const FieldRef ring = EDIT_FIELD(reception.ringCount);
    EXPECT_EQ(1, ring.size);
    EXPECT_EQ(1, ring.isSigned);
    state.reception.ringCount = -3;
    EXPECT_EQ(-3, ReadField(&state, ring));

    const FieldRef minutes = EDIT_FIELD(system.autoOffMinutes);
    EXPECT_EQ(4, minutes.size);
    EXPECT_EQ(0, minutes.isSigned);
    WriteField(&state, minutes, 0xFFFFFFFFll);
    EXPECT_EQ(0xFFFFFFFFll, ReadField(&state, minutes)) << "a u32 reads unsigned";
    EXPECT_EQ(0xFFFFFFFFu, state.system.autoOffMinutes);

    const FieldRef name = EDIT_FIELD(smtp.senderName);
    EXPECT_EQ(TEXT_SHORT_SIZE + 1, name.size);
    EXPECT_EQ(state.smtp.senderName, FieldText(&state, name));

    EXPECT_EQ(-128, FieldMinimum(ring));
    EXPECT_EQ(127, FieldMaximum(ring));
    EXPECT_EQ(0, FieldMinimum(minutes));
    EXPECT_EQ(0xFFFFFFFFll, FieldMaximum(minutes));
}

TEST(Conditions, EqualNotEqualAndAlways)
{
    EditState state = {};
    state.network.addressMode = 4;
    EXPECT_TRUE(ConditionHolds(ALWAYS, &state));
    EXPECT_TRUE(ConditionHolds(WhenNotEqual(EDIT_FIELD(network.addressMode), 0), &state));
    EXPECT_FALSE(ConditionHolds(WhenEqual(EDIT_FIELD(network.addressMode), 0), &state));
    state.network.addressMode = 0;
    EXPECT_FALSE(ConditionHolds(WhenNotEqual(EDIT_FIELD(network.addressMode), 0), &state));
}

TEST(CheckBoxes, StoreTheirCodesAndShowCheckedForAnythingButOff)
{
    EditState state = {};
    const Binding daylight = CheckBox(1339, EDIT_FIELD(system.daylightSaving), 128);
    EXPECT_EQ(1, StoreCheckBox(daylight, 1, &state));
    EXPECT_EQ(128, state.system.daylightSaving);
    EXPECT_EQ(0, StoreCheckBox(daylight, 1, &state)) << "no change, no edit";
    EXPECT_EQ(1, StoreCheckBox(daylight, 0, &state));
    EXPECT_EQ(0, state.system.daylightSaving);
    state.system.daylightSaving = 1;  // not the table's code, but set
    EXPECT_EQ(1, CheckBoxChecked(daylight, &state));
}

const RadioButton DIAL[] = {
    {1192, 0, CODE_ANY},
    {1193, 16, 8},
    {1194, 16, 0},
};

TEST(RadioGroups, AButtonStoresItsCodesAndTheValueChecksItsButton)
{
    EditState state = {};
    const Binding dial = RadioGroup(EDIT_FIELD(line.dialType), DIAL, EDIT_FIELD(line.pulseRate));
    state.line.pulseRate = 8;
    EXPECT_EQ(0, CheckedRadio(dial, &state)) << "push button, whatever the pulse rate";
    EXPECT_EQ(1, StoreRadio(dial, 2, &state));
    EXPECT_EQ(16, state.line.dialType);
    EXPECT_EQ(0, state.line.pulseRate);
    EXPECT_EQ(2, CheckedRadio(dial, &state));
    EXPECT_EQ(1, StoreRadio(dial, 1, &state));
    EXPECT_EQ(8, state.line.pulseRate);
    EXPECT_EQ(1, CheckedRadio(dial, &state));
    EXPECT_EQ(1, StoreRadio(dial, 0, &state));
    EXPECT_EQ(8, state.line.pulseRate) << "push button leaves the pulse rate alone";
    EXPECT_EQ(0, StoreRadio(dial, 0, &state)) << "clicking the checked button is no edit";

    state.line.dialType = 16;
    state.line.pulseRate = 5;
    EXPECT_EQ(-1, CheckedRadio(dial, &state)) << "an unknown pulse rate checks nothing";
    state.line.dialType = 7;
    EXPECT_EQ(-1, CheckedRadio(dial, &state));
    EXPECT_EQ(0, StoreRadio(dial, 3, &state)) << "no such button";

    int button = -1;
    const Binding table[] = {dial};
    const FormTable page = {table, 1, nullptr, 0, nullptr, 0};
    EXPECT_EQ(&table[0], FindBinding(page, 1194, &button));
    EXPECT_EQ(2, button);
    EXPECT_EQ(nullptr, FindBinding(page, 1151, &button));
}

constexpr Condition SET_0 = WhenEqual(EDIT_FIELD(system.languageSet), 0);
constexpr Condition SET_1 = WhenEqual(EDIT_FIELD(system.languageSet), 1);
const ComboRow LANGUAGES[] = {
    {450, 0, SET_0}, {451, 1, SET_0}, {464, 14, SET_0}, {450, 0, SET_1}, {466, 15, SET_1},
};

TEST(CodedLists, RowsFollowTheirConditionsAndStoreCodesNotIndexes)
{
    EditState state = {};
    const Binding language = ComboCoded(1067, EDIT_FIELD(system.language), LANGUAGES);
    const ComboRow* rows[8];
    ASSERT_EQ(3, ShownComboRows(language, &state, rows, 8));
    EXPECT_EQ(14, rows[2]->code);

    state.system.languageSet = 1;
    ASSERT_EQ(2, ShownComboRows(language, &state, rows, 8));
    EXPECT_EQ(450, rows[0]->stringId);
    EXPECT_EQ(15, rows[1]->code) << "Japanese is code 15, not index 1";
    EXPECT_EQ(1, StoreComboValue(language, rows[1]->code, &state));
    EXPECT_EQ(15, state.system.language);

    state.system.languageSet = 2;
    EXPECT_EQ(0, ShownComboRows(language, &state, rows, 8)) << "an unknown set offers nothing";
    state.system.languageSet = 0;
    EXPECT_EQ(1, ShownComboRows(language, &state, rows, 1)) << "never more than the room";
}

TEST(Numbers, TheDecimalReadingKeptWithinTheField)
{
    EditState state = {};
    const NumberOptions options = {
        3,      Range(15, 240), 43, NUMBER_CHECK_LEAVE, WhenNotEqual(EDIT_FIELD(system.autoOff), 0),
        nullptr};
    const Binding minutes = Number(1351, EDIT_FIELD(system.autoOffMinutes), options);
    EXPECT_EQ(1, StoreNumberText(minutes, "120", &state));
    EXPECT_EQ(120u, state.system.autoOffMinutes);
    EXPECT_EQ(0, StoreNumberText(minutes, "120abc", &state));
    EXPECT_EQ(1, StoreNumberText(minutes, "-5", &state));
    EXPECT_EQ(0u, state.system.autoOffMinutes) << "an unsigned field takes no negative";
    EXPECT_EQ(1, StoreNumberText(minutes, "99999999999", &state));
    EXPECT_EQ(0xFFFFFFFFu, state.system.autoOffMinutes);

    EXPECT_FALSE(NumberCheckApplies(minutes, NUMBER_CHECK_LEAVE, &state)) << "auto off is off";
    state.system.autoOff = 1;
    EXPECT_TRUE(NumberCheckApplies(minutes, NUMBER_CHECK_LEAVE, &state));
    EXPECT_FALSE(NumberCheckApplies(minutes, NUMBER_CHECK_APPLY, &state));

    const Binding interval = Number(1042, EDIT_FIELD(pop3.receptionInterval), options);
    StoreNumberText(interval, "300", &state);
    EXPECT_EQ(255, state.pop3.receptionInterval) << "a byte holds at most 255";
}

TEST(Texts, TheWholeArrayIsReplacedAndCutToWhatItHolds)
{
    EditState state = {};
    const TextOptions options = {4, FILTER_DIGITS, 0, 0, 0};
    const Binding prefix = Text(1151, EDIT_FIELD(line.pabxPrefix), options);
    std::memcpy(state.line.pabxPrefix,
                "9\0"
                "77",
                4);
    EXPECT_EQ(1, StoreText(prefix, "12", &state, IsJapaneseMode(state)));
    EXPECT_EQ(0, std::memcmp(state.line.pabxPrefix, "12\0\0\0\0", 6))
        << "nothing of the old text lingers after the terminator";
    EXPECT_EQ(0, StoreText(prefix, "12", &state, IsJapaneseMode(state)));
    EXPECT_EQ(1, StoreText(prefix, "123456789", &state, IsJapaneseMode(state)));
    EXPECT_STREQ("12345", state.line.pabxPrefix) << "the item's five bytes at most";
    EXPECT_EQ('\0', state.line.pabxPrefix[PABX_PREFIX_SIZE]);

    char shown[8];
    ShownText(prefix, &state, IsJapaneseMode(state), shown, sizeof shown);
    EXPECT_STREQ("12345", shown);
    ShownText(prefix, &state, IsJapaneseMode(state), shown, 3);
    EXPECT_STREQ("12", shown) << "cut to the room given";
}

TEST(Texts, DeviceCharacterSetFieldsAreShownConverted)
{
    EditState state = {};
    const TextOptions options = {20, FILTER_NAME, 1, 0, 0};
    const Binding sender = Text(1031, EDIT_FIELD(smtp.senderName), options);
    EXPECT_EQ(1, StoreText(sender, "M\xFCller", &state, IsJapaneseMode(state)));  // u-umlaut in Windows-1252
    EXPECT_NE(0xFC, static_cast<uint8_t>(state.smtp.senderName[1]))
        << "stored in the device's character set";
    char shown[32];
    ShownText(sender, &state, IsJapaneseMode(state), shown, sizeof shown);
    EXPECT_STREQ("M\xFCller", shown);
}

int SnapTo16(int value) { return value < 1 ? 0 : value < 32 ? 16 : 32; }

TEST(SliderBindings, TheRangeMayComeFromTheDeviceAndThePageMaySnap)
{
    EditState state = {};
    const SliderOptions rings = {
        {0, 15, EDIT_FIELD(reception.ringCountMin), EDIT_FIELD(reception.ringCountMax)},
        1,
        2,
        1118,
        0,
        1,
        nullptr};
    const Binding ringCount = Slider(1117, EDIT_FIELD(reception.ringCount), rings);
    state.reception.ringCountMin = 3;
    state.reception.ringCountMax = 15;
    EXPECT_EQ(3, SliderValue(ringCount, 1, &state));
    EXPECT_EQ(15, SliderValue(ringCount, 40, &state));
    EXPECT_EQ(1, StoreSliderValue(ringCount, -7, &state));
    EXPECT_EQ(3, state.reception.ringCount);

    const SliderOptions density = {Range(0, 32), 16, 32, 0, 0, 0, SnapTo16};
    const Binding scan = Slider(1111, EDIT_FIELD(transmission.scanDensity), density);
    EXPECT_EQ(16, SliderValue(scan, 24, &state));
    EXPECT_EQ(0, SliderValue(scan, -8, &state));
    EXPECT_EQ(32, SliderValue(scan, 40, &state));
}

TEST(AddressBindings, StoreTheStoredForm)
{
    EditState state = {};
    const Binding ip = Address(1215, EDIT_FIELD(network.ipAddress));
    EXPECT_EQ(1, StoreAddress(ip, 0x0A01A8C0, &state));
    EXPECT_EQ(0x0A01A8C0u, state.network.ipAddress);
    EXPECT_EQ(0, StoreAddress(ip, 0x0A01A8C0, &state));
}

}  // namespace
