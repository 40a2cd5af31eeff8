/*
 * The System page (template 715): its table and hooks. The country rules and the auto off
 * timer's correction are system_page.cpp's; a changed display language asks for the power
 * cycle the device needs to take it.
 */
#include "device/device_protocol.h"
#include "resources/resource_ids.h"
#include "settings/settings_pages_win.h"
#include "settings/system_page.h"

namespace {

struct SystemPageState {
    int languageChanged; /* the user chose another language on this visit of the sheet */
};

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

void Edited(SettingsPage& page, int control)
{
    EditState& edits = PageEdits(page);
    if (control == IDC_SYS_COUNTRY)
        ApplyCountryRules(edits, edits.system.country);
    else if (control == IDC_SYS_LANGUAGE)
        PageState<SystemPageState>(page).languageChanged = 1;
}

/* The device shows a new language only after it was switched off and on again. */
void Applied(SettingsPage& page)
{
    if (PageState<SystemPageState>(page).languageChanged)
        RequestDeviceRestart(1);
}

}  // namespace

const SettingsPageDef SYSTEM_PAGE = Page(Table(BINDINGS, ENABLES))
                                        .Context<SystemPageState>()
                                        .Prepare(PrepareSystemPage)
                                        .Edited(Edited)
                                        .Applied(Applied);
