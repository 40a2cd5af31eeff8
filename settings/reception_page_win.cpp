/*
 * The Reception page (template 721). RX type and mode, the ring count, automatic reduction,
 * footer, closed network and the fax tray are the table's. The page itself handles the RX
 * print timer (its password and times are kept here until Apply puts them into the record),
 * the timing values with their clamps, and the forwarding radios, whose "On" and
 * "Forward and Print" run the Forwarding Destination dialog (forwarding_win.cpp).
 */
#include <cstdio>
#include <cstring>

#include "resources/resource_ids.h"
#include "settings/forwarding.h"
#include "settings/forwarding_win.h"
#include "settings/reception_page.h"
#include "settings/settings_pages_win.h"
#include "settings/settings_sheet_win.h"
#include "ui/ui_win.h"

namespace {

/* The timer's password and times while the page is shown. */
struct ReceptionPageState {
    RxTimerPage timer;
};

RxTimerPage& Timer(SettingsPage& page) { return PageState<ReceptionPageState>(page).timer; }
const RxTimerPage& Timer(const SettingsPage& page)
{
    return PageState<ReceptionPageState>(page).timer;
}

const int TIME_EDITS[RX_TIME_FIELDS] = {IDC_RX_START_HOUR, IDC_RX_START_MINUTE, IDC_RX_END_HOUR,
                                        IDC_RX_END_MINUTE};
const int TIME_LABELS[] = {IDC_RX_START_LABEL, IDC_RX_START_COLON, IDC_RX_END_LABEL,
                           IDC_RX_END_COLON};
/* Each timing value's control and its label (the check box is its own label). */
const int TIMING_CONTROLS[RX_TIMING_COUNT] = {IDC_RX_START_RINGING, IDC_RX_RINGING,
                                              IDC_RX_WHEN_UNDETECTED, IDC_RX_ANSWER_DETECT,
                                              IDC_RX_FAX_DETECT};
const int TIMING_LABELS[RX_TIMING_COUNT] = {IDC_RX_START_RINGING_LABEL, IDC_RX_RINGING_LABEL, 0,
                                            IDC_RX_ANSWER_DETECT_LABEL, IDC_RX_FAX_DETECT_LABEL};
constexpr int TIMING_DIGITS = 2;

void Enable(HWND page, int control, int enabled)
{
    EnableWindow(GetDlgItem(page, control), enabled ? TRUE : FALSE);
}

void ShowTimer(SettingsPage& page)
{
    HWND window = page.form.window;
    const uint8_t timer = PageEdits(page).reception.rxPrintTimer;
    CheckDlgButton(window, IDC_RX_TIMER_ON, timer == RX_TIMER_ON ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, IDC_RX_TIMER_OFF, timer == RX_TIMER_OFF ? BST_CHECKED : BST_UNCHECKED);
    const RxTimerEnabling enabling = RxTimerFieldsEnabled(timer, Timer(page).switched);
    Enable(window, IDC_RX_PASSWORD, enabling.password);
    Enable(window, IDC_RX_PASSWORD_LABEL, enabling.password);
    for (int control : TIME_EDITS)
        Enable(window, control, enabling.times);
    for (int control : TIME_LABELS)
        Enable(window, control, enabling.times);
}

void ShowTimerTexts(SettingsPage& page)
{
    SetTextQuietly(page.form, IDC_RX_PASSWORD, Timer(page).typed);
    for (int f = 0; f < RX_TIME_FIELDS; f++)
        SetTextQuietly(page.form, TIME_EDITS[f], Timer(page).times[f]);
}

void ShowTimingEnabling(SettingsPage& page)
{
    const uint8_t mode = PageEdits(page).reception.rxMode;
    for (int t = 0; t < RX_TIMING_COUNT; t++) {
        const int enabled = RxTimingEnabled(mode, t);
        Enable(page.form.window, TIMING_CONTROLS[t], enabled);
        if (TIMING_LABELS[t])
            Enable(page.form.window, TIMING_LABELS[t], enabled);
    }
}

void ShowForwarding(HWND page, const EditState& edits)
{
    const uint8_t forwarding = edits.reception.forwarding;
    CheckDlgButton(page, IDC_RX_FORWARD_ON,
                   forwarding == RX_FORWARD_ON ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_RX_FORWARD_AND_PRINT,
                   forwarding == RX_FORWARD_AND_PRINT ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_RX_FORWARD_OFF,
                   forwarding == RX_FORWARD_OFF ? BST_CHECKED : BST_UNCHECKED);
}

void Init(SettingsPage& page)
{
    HWND window = page.form.window;
    const ReceptionSettings& reception = PageEdits(page).reception;
    Timer(page) = OpenRxTimer(reception);
    SendDlgItemMessageA(window, IDC_RX_PASSWORD, EM_LIMITTEXT, RX_PASSWORD_DIGITS, 0);
    for (int control : TIME_EDITS)
        SendDlgItemMessageA(window, control, EM_LIMITTEXT, RX_TIME_DIGITS, 0);
    ShowTimerTexts(page);
    ShowTimer(page);
    ShowForwarding(window, PageEdits(page));
    for (int t = 0; t < RX_TIMING_COUNT; t++) {
        if (t == RX_WHEN_UNDETECTED) {
            CheckDlgButton(window, TIMING_CONTROLS[t],
                           reception.timing[t] == 1 ? BST_CHECKED : BST_UNCHECKED);
            continue;
        }
        char text[8];
        std::snprintf(text, sizeof text, "%u", reception.timing[t]);
        SendDlgItemMessageA(window, TIMING_CONTROLS[t], EM_LIMITTEXT, TIMING_DIGITS, 0);
        SetTextQuietly(page.form, TIMING_CONTROLS[t], text);
    }
    /* The timing fields follow the stored mode, even Auto RX where the language set does not
     * offer it: the values are the device's all the same. */
    ShowTimingEnabling(page);
}

/* The System page may have changed the ring count's limits. */
void Activate(SettingsPage& page) { RefreshBinding(page.form, IDC_RX_RINGS); }

/* A timing field's number kept within its range and shown so; 1 when the value changed. */
int ClampTiming(SettingsPage& page, int timing)
{
    char text[8] = "";
    GetDlgItemTextA(page.form.window, TIMING_CONTROLS[timing], text, sizeof text);
    const long value = ClampRxTiming(timing, ParseDecimalField(text));
    char shown[8];
    std::snprintf(shown, sizeof shown, "%ld", value);
    if (std::strcmp(text, shown) != 0)
        SetTextQuietly(page.form, TIMING_CONTROLS[timing], shown);
    uint8_t& stored = PageEdits(page).reception.timing[timing];
    const int changed = stored != value;
    stored = static_cast<uint8_t>(value);
    return changed;
}

int TimerOffClicked(SettingsPage& page)
{
    uint8_t& timer = PageEdits(page).reception.rxPrintTimer;
    if (timer != RX_TIMER_ON) {
        const int changed = timer != RX_TIMER_OFF;
        timer = RX_TIMER_OFF;
        ShowTimer(page);
        return changed;
    }
    if (!MaySwitchRxTimerOff(Timer(page))) {
        ShowMessageId(GetAncestor(page.form.window, GA_ROOT), IDS_PASSWORD_INCORRECT, MB_OK);
        ShowTimer(page);
        SelectAndFocus(page.form.window, IDC_RX_PASSWORD);
        return 0;
    }
    SwitchRxTimerOff(Timer(page), PageEdits(page).reception);
    ShowTimerTexts(page);
    ShowTimer(page);
    return 1;
}

int TimerOnClicked(SettingsPage& page)
{
    const int changed = PageEdits(page).reception.rxPrintTimer != RX_TIMER_ON;
    if (changed)
        SwitchRxTimerOn(Timer(page), PageEdits(page).reception);
    ShowTimer(page);
    return changed;
}

/* "On" or "Forward and Print": the destination is asked for; without a usable one forwarding
 * stays off. */
int ForwardingClicked(SettingsPage& page, uint8_t code)
{
    EditState& edits = PageEdits(page);
    const uint8_t before = edits.reception.forwarding;
    const int confirmed = RunForwardingDialog(page.form.window);
    const int usable = IsForwardingUsable(edits.forwarding.record, edits);
    edits.reception.forwarding = usable ? code : RX_FORWARD_OFF;
    ShowForwarding(page.form.window, PageEdits(page));
    if (!usable)
        SelectAndFocus(page.form.window, IDC_RX_FORWARD_OFF);
    return confirmed || edits.reception.forwarding != before;
}

int Command(SettingsPage& page, int control, int code)
{
    const int clicked = code == BN_CLICKED;
    switch (control) {
    case IDC_RX_TIMER_ON:
        return clicked && TimerOnClicked(page);
    case IDC_RX_TIMER_OFF:
        return clicked && TimerOffClicked(page);
    case IDC_RX_PASSWORD:
        if (code != EN_CHANGE)
            return 0;
        FilterEditField(page.form.window, control, FILTER_DIGITS, RX_PASSWORD_DIGITS,
                        Timer(page).typed, sizeof Timer(page).typed);
        return 1;
    case IDC_RX_FORWARD_ON:
        return clicked && ForwardingClicked(page, RX_FORWARD_ON);
    case IDC_RX_FORWARD_AND_PRINT:
        return clicked && ForwardingClicked(page, RX_FORWARD_AND_PRINT);
    case IDC_RX_FORWARD_OFF: {
        if (!clicked)
            return 0;
        uint8_t& forwarding = PageEdits(page).reception.forwarding;
        const int changed = forwarding != RX_FORWARD_OFF;
        forwarding = RX_FORWARD_OFF;
        ShowForwarding(page.form.window, PageEdits(page));
        return changed;
    }
    case IDC_RX_WHEN_UNDETECTED: {
        if (!clicked)
            return 0;
        const uint8_t value = IsDlgButtonChecked(page.form.window, control) == BST_CHECKED ? 1 : 0;
        uint8_t& stored = PageEdits(page).reception.timing[RX_WHEN_UNDETECTED];
        const int changed = stored != value;
        stored = value;
        return changed;
    }
    }
    for (int f = 0; f < RX_TIME_FIELDS; f++) {
        if (control == TIME_EDITS[f] && code == EN_CHANGE) {
            FilterEditField(page.form.window, control, FILTER_DIGITS, RX_TIME_DIGITS,
                            Timer(page).times[f], sizeof Timer(page).times[f]);
            return 1;
        }
    }
    for (int t = 0; t < RX_TIMING_COUNT; t++) {
        if (control != TIMING_CONTROLS[t] || t == RX_WHEN_UNDETECTED)
            continue;
        if (code == EN_CHANGE) {
            FilterEditField(page.form.window, control, FILTER_DIGITS, TIMING_DIGITS, nullptr, 0);
            return 1;
        }
        return code == EN_KILLFOCUS && ClampTiming(page, t);
    }
    return 0;
}

void Edited(SettingsPage& page, int control)
{
    for (int mode :
         {IDC_RX_MODE_AUTO, IDC_RX_MODE_MANUAL, IDC_RX_MODE_FAX_ONLY, IDC_RX_MODE_AUTO_SWITCH})
        if (control == mode)
            ShowTimingEnabling(page);
}

int TimerField(int field)
{
    return field == RX_PASSWORD_FIELD ? IDC_RX_PASSWORD : TIME_EDITS[field];
}

CheckResult Check(const SettingsPage& page, CheckPhase phase)
{
    const ReceptionSettings& reception = PageEdits(page).reception;
    const RxTimerProblem p = phase == CHECK_LEAVE ? LeaveRxTimer(Timer(page), reception)
                                                  : JudgeRxTimerApply(Timer(page), reception);
    return Found({p.message, TimerField(p.field), p.minimum, p.maximum});
}

/* Leaving with the timer on and no time typed tidies the timer's flags. */
void Checked(SettingsPage& page, CheckPhase phase, const CheckResult& result)
{
    if (phase == CHECK_LEAVE && !result.count)
        TidyRxTimerFlags(Timer(page), PageEdits(page).reception);
}

void Applied(SettingsPage& page)
{
    EditState& edits = PageEdits(page);
    ApplyRxTimer(Timer(page), edits.reception);
    if (edits.reception.forwarding == RX_FORWARD_OFF)
        ClearForwardingDestination(edits.forwarding);
    Timer(page).typed[0] = '\0';
    SetTextQuietly(page.form, IDC_RX_PASSWORD, "");
    ShowTimer(page);
    /* OK by Enter leaves the focus in a field that never lost it. */
    for (int t = 0; t < RX_TIMING_COUNT; t++)
        if (t != RX_WHEN_UNDETECTED && RxTimingEnabled(edits.reception.rxMode, t))
            ClampTiming(page, t);
}

}  // namespace

const SettingsPageDef RECEPTION_PAGE = Page(RECEPTION_TABLE)
                                           .Context<ReceptionPageState>()
                                           .Init(Init)
                                           .Activate(Activate)
                                           .Command(Command)
                                           .Edited(Edited)
                                           .Check(Check)
                                           .Checked(Checked)
                                           .Applied(Applied);
