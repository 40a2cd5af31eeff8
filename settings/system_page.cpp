// The System page's own rules. See system_page.h.
#include "settings/system_page.h"

#include "resources/resource_ids.h"

RingCountLimits RingCountLimitsFor(int country)
{
    switch (country) {
    case COUNTRY_SINGAPORE:
        return {0, 5};
    case COUNTRY_AUSTRALIA:
        return {3, 15};
    case COUNTRY_NEW_ZEALAND:
        return {4, 9};
    default:
        return {0, 15};
    }
}

int IsPushButtonCountry(int country)
{
    switch (country) {
    case 1:  // UK
    case 2:  // Sweden
    case 4:  // Denmark
    case 5:  // Norway
    case 6:  // Holland
    case 7:  // Belgium
    case 9:  // Finland
    case COUNTRY_NEW_ZEALAND:
    case COUNTRY_GERMANY:
    case 20:  // France
    case COUNTRY_SINGAPORE:
        return 1;
    default:
        return 0;
    }
}

void ApplyCountryRules(EditState& state, int country)
{
    state.system.country = static_cast<uint8_t>(country);
    if (country == COUNTRY_USA || country == COUNTRY_CANADA)
        state.transmission.printFaxHeader = 2;
    const RingCountLimits limits = RingCountLimitsFor(country);
    state.reception.ringCountMin = limits.min;
    state.reception.ringCountMax = limits.max;
    // The ring count is a signed byte: a stored 200 reads as negative and rises to the minimum.
    if (state.reception.ringCount > static_cast<int>(limits.max))
        state.reception.ringCount = static_cast<int8_t>(limits.max);
    if (state.reception.ringCount < static_cast<int>(limits.min))
        state.reception.ringCount = static_cast<int8_t>(limits.min);
    if (IsPushButtonCountry(country))
        state.line.dialType = 0;
}

void PrepareSystemPage(EditState& state)
{
    if (state.system.autoOffMinutes < AUTO_OFF_MINIMUM)
        state.system.autoOffMinutes = AUTO_OFF_MINIMUM;
}

namespace {

const RadioButton PRIORITY[] = {
    {IDC_SYS_PRIORITY_COPY, 0, CODE_ANY},
    {IDC_SYS_PRIORITY_FAX, 4, CODE_ANY},
    {IDC_SYS_PRIORITY_PRINTER, 8, CODE_ANY},
};

const RadioButton KEY_VOLUME[] = {
    {IDC_SYS_KEY_VOLUME_HIGH, 0, CODE_ANY},
    {IDC_SYS_KEY_VOLUME_MIDDLE, 16, CODE_ANY},
    {IDC_SYS_KEY_VOLUME_LOW, 32, CODE_ANY},
    {IDC_SYS_KEY_VOLUME_OFF, 48, CODE_ANY},
};

const RadioButton LINE_VOLUME[] = {
    {IDC_SYS_LINE_VOLUME_HIGH, 0, CODE_ANY},
    {IDC_SYS_LINE_VOLUME_MIDDLE, 1, CODE_ANY},
    {IDC_SYS_LINE_VOLUME_LOW, 2, CODE_ANY},
    {IDC_SYS_LINE_VOLUME_OFF, 3, CODE_ANY},
};

const RadioButton ALERT_VOLUME[] = {
    {IDC_SYS_ALERT_VOLUME_HIGH, 0, CODE_ANY},
    {IDC_SYS_ALERT_VOLUME_MIDDLE, 4, CODE_ANY},
    {IDC_SYS_ALERT_VOLUME_LOW, 8, CODE_ANY},
    {IDC_SYS_ALERT_VOLUME_OFF, 12, CODE_ANY},
};

/* The languages of the device's language set: set 0 the European ones, set 1 English and
 * Japanese; any other set offers none. */
constexpr Condition SET_0 = WhenEqual(EDIT_FIELD(system.languageSet), 0);

constexpr Condition SET_1 = WhenEqual(EDIT_FIELD(system.languageSet), 1);

const ComboRow LANGUAGES[] = {
    {IDS_LANG_ENGLISH, 0, SET_0},    {IDS_LANG_DANISH, 1, SET_0},    {IDS_LANG_DUTCH, 2, SET_0},
    {IDS_LANG_FRENCH, 3, SET_0},     {IDS_LANG_GERMAN, 4, SET_0},    {IDS_LANG_ITALIAN, 5, SET_0},
    {IDS_LANG_PORTUGUESE, 6, SET_0}, {IDS_LANG_SPANISH, 7, SET_0},   {IDS_LANG_SWEDISH, 8, SET_0},
    {IDS_LANG_NORWEGIAN, 9, SET_0},  {IDS_LANG_FINNISH, 10, SET_0},  {IDS_LANG_POLISH, 11, SET_0},
    {IDS_LANG_HUNGARIAN, 12, SET_0}, {IDS_LANG_CZECH, 13, SET_0},    {IDS_LANG_RUSSIAN, 14, SET_0},
    {IDS_LANG_ENGLISH, 0, SET_1},    {IDS_LANG_JAPANESE, 15, SET_1},
};

const SliderOptions ENERGY_SAVER = {
    Range(1, 240), 1, 10, IDC_SYS_ENERGY_SAVER_VALUE, IDS_UNIT_MINUTES, 0, nullptr,
};

const NumberOptions AUTO_OFF_MINUTES = {
    3,
    Range(AUTO_OFF_MINIMUM, AUTO_OFF_MAXIMUM),
    IDS_RANGE_ERROR,
    NUMBER_DIGITS | NUMBER_CHECK_LEAVE | NUMBER_CHECK_APPLY,
    WhenNotEqual(EDIT_FIELD(system.autoOff), 0),
    nullptr,
};

const Binding BINDINGS[] = {
    CheckBox(IDC_SYS_AUTO_RESET, EDIT_FIELD(system.autoReset), 1),
    ComboIndex(IDC_SYS_AUTO_RESET_TIME, EDIT_FIELD(system.autoResetTime), IDS_AUTO_RESET_30SEC,
               IDS_AUTO_RESET_5MIN),
    CheckBox(IDC_SYS_AUTO_OFF, EDIT_FIELD(system.autoOff), 1),
    Number(IDC_SYS_AUTO_OFF_MINUTES, EDIT_FIELD(system.autoOffMinutes), AUTO_OFF_MINUTES),
    Slider(IDC_SYS_ENERGY_SAVER, EDIT_FIELD(system.energySaverMinutes), ENERGY_SAVER),
    RadioGroup(EDIT_FIELD(system.functionPriority), PRIORITY),
    RadioGroup(EDIT_FIELD(system.panelKeyVolume), KEY_VOLUME),
    RadioGroup(EDIT_FIELD(system.lineVolume), LINE_VOLUME),
    RadioGroup(EDIT_FIELD(system.alertVolume), ALERT_VOLUME),
    ComboCoded(IDC_SYS_LANGUAGE, EDIT_FIELD(system.language), LANGUAGES),
    ComboIndex(IDC_SYS_COUNTRY, EDIT_FIELD(system.country), IDS_COUNTRY_USA, IDS_COUNTRY_VIETNAM),
    CheckBox(IDC_SYS_DAYLIGHT_SAVING, EDIT_FIELD(system.daylightSaving), 128),
};

const int AUTO_RESET_TIME[] = {IDC_SYS_AUTO_RESET_TIME};

const int AUTO_OFF_MINUTES_FIELD[] = {IDC_SYS_AUTO_OFF_MINUTES, IDC_SYS_AUTO_OFF_UNIT};

const ControlRule ENABLES[] = {
    ControlsWhen(AUTO_RESET_TIME, WhenNotEqual(EDIT_FIELD(system.autoReset), 0)),
    ControlsWhen(AUTO_OFF_MINUTES_FIELD, WhenNotEqual(EDIT_FIELD(system.autoOff), 0)),
};

}  // namespace

const FormTable SYSTEM_TABLE = Table(BINDINGS, ENABLES);
