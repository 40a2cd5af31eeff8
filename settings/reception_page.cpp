// The Reception page's own rules. See reception_page.h.
#include "settings/reception_page.h"

#include <cstdio>
#include <cstring>

#include "device/byte_order.h"
#include "resources/resource_ids.h"
#include "ui/field_filters.h"

uint16_t PackRxTime(int hour, int minute)
{
    return static_cast<uint16_t>(((hour & 0x1F) << 11) | ((minute & 0x3F) << 5));
}

void UnpackRxTime(uint16_t packed, int* hour, int* minute)
{
    *hour = (packed >> 11) & 0x1F;
    *minute = (packed >> 5) & 0x3F;
}

namespace {

void CopyDigits(char* out, const char* text, size_t size)
{
    std::memset(out, 0, size);
    for (size_t i = 0; i + 1 < size && text[i]; i++)
        out[i] = text[i];
}

int AllTimesEmpty(const RxTimerPage& timer)
{
    for (const auto& time : timer.times)
        if (time[0] != '\0')
            return 0;
    return 1;
}

int PasswordIncomplete(const char* typed)
{
    const size_t n = std::strlen(typed);
    return n >= 1 && n < RX_PASSWORD_DIGITS;
}

struct TimeRange {
    int minimum, maximum;
};
const TimeRange TIME_RANGES[RX_TIME_FIELDS] = {{0, 23}, {0, 59}, {0, 23}, {0, 59}};

RxTimerProblem CheckTimes(const RxTimerPage& timer)
{
    for (int f = 0; f < RX_TIME_FIELDS; f++) {
        const long value = ParseDecimalField(timer.times[f]);
        if (value < TIME_RANGES[f].minimum || value > TIME_RANGES[f].maximum)
            return {IDS_RANGE_ERROR, f, TIME_RANGES[f].minimum, TIME_RANGES[f].maximum};
    }
    return {0, 0, 0, 0};
}

int TimeValue(const RxTimerPage& timer, int field)
{
    return static_cast<int>(ParseDecimalField(timer.times[field]));
}

}  // namespace

RxTimerPage OpenRxTimer(const ReceptionSettings& reception)
{
    RxTimerPage timer = {};
    const uint8_t* record = reception.rxPrintTimerRecord;
    // The four stored bytes need not be terminated.
    for (int i = 0; i < RX_PASSWORD_DIGITS && record[RX_RECORD_PASSWORD + i]; i++)
        timer.stored[i] = static_cast<char>(record[RX_RECORD_PASSWORD + i]);
    if (record[RX_RECORD_FLAGS] == RX_TIMES_STORED) {
        int h, m;
        UnpackRxTime(ReadU16Le(record + RX_RECORD_START), &h, &m);
        std::snprintf(timer.times[RX_START_HOUR], sizeof timer.times[0], "%02d", h);
        std::snprintf(timer.times[RX_START_MINUTE], sizeof timer.times[0], "%02d", m);
        UnpackRxTime(ReadU16Le(record + RX_RECORD_END), &h, &m);
        std::snprintf(timer.times[RX_END_HOUR], sizeof timer.times[0], "%02d", h);
        std::snprintf(timer.times[RX_END_MINUTE], sizeof timer.times[0], "%02d", m);
    }
    timer.onWhenOpened = reception.rxPrintTimer == RX_TIMER_ON;
    return timer;
}

RxTimerEnabling RxTimerFieldsEnabled(uint8_t timer, uint8_t switched)
{
    const int on = timer == RX_TIMER_ON;
    return {on, on && switched == RX_SWITCHED_ON};
}

int MaySwitchRxTimerOff(const RxTimerPage& timer)
{
    return !timer.onWhenOpened || std::strcmp(timer.typed, timer.stored) == 0;
}

void SwitchRxTimerOff(RxTimerPage& timer, ReceptionSettings& reception)
{
    reception.rxPrintTimer = RX_TIMER_OFF;
    timer.typed[0] = '\0';
    for (auto& time : timer.times)
        time[0] = '\0';
    timer.switched = RX_SWITCHED_OFF;
}

void SwitchRxTimerOn(RxTimerPage& timer, ReceptionSettings& reception)
{
    reception.rxPrintTimer = RX_TIMER_ON;
    timer.switched = RX_SWITCHED_ON;
}

RxTimerProblem LeaveRxTimer(const RxTimerPage& timer, const ReceptionSettings& reception)
{
    if (reception.rxPrintTimer != RX_TIMER_ON)
        return {0, 0, 0, 0};
    if (PasswordIncomplete(timer.typed))
        return {IDS_PASSWORD_INVALID, RX_PASSWORD_FIELD, 0, 0};
    if (std::strlen(timer.typed) == RX_PASSWORD_DIGITS && timer.onWhenOpened &&
        timer.switched == RX_NOT_SWITCHED && std::strcmp(timer.typed, timer.stored) != 0)
        return {IDS_PASSWORD_INCORRECT, RX_PASSWORD_FIELD, 0, 0};
    if (AllTimesEmpty(timer))
        return {0, 0, 0, 0};
    // Times the user cannot edit came from the record; a bad stored hour must not hold the
    // page when nothing on it can mend it.
    if (!RxTimerFieldsEnabled(reception.rxPrintTimer, timer.switched).times)
        return {0, 0, 0, 0};
    return CheckTimes(timer);
}

void TidyRxTimerFlags(const RxTimerPage& timer, ReceptionSettings& reception)
{
    if (reception.rxPrintTimer == RX_TIMER_ON && AllTimesEmpty(timer))
        reception.rxPrintTimerRecord[RX_RECORD_FLAGS] &= 0x3F;
}

RxTimerProblem JudgeRxTimerApply(const RxTimerPage& timer, const ReceptionSettings& reception)
{
    if (reception.rxPrintTimer != RX_TIMER_ON || timer.switched == RX_NOT_SWITCHED)
        return {0, 0, 0, 0};
    if (PasswordIncomplete(timer.typed))
        return {IDS_PASSWORD_INVALID, RX_PASSWORD_FIELD, 0, 0};
    return AllTimesEmpty(timer) ? RxTimerProblem{0, 0, 0, 0} : CheckTimes(timer);
}

RxTimerProblem ApplyRxTimer(RxTimerPage& timer, ReceptionSettings& reception)
{
    const RxTimerProblem problem = JudgeRxTimerApply(timer, reception);
    if (problem.message)
        return problem;
    if (reception.rxPrintTimer == RX_TIMER_ON && timer.switched != RX_NOT_SWITCHED) {
        const int empty = AllTimesEmpty(timer);
        uint8_t* record = reception.rxPrintTimerRecord;
        // A shorter password is zero-padded within its four bytes, never past them.
        char digits[RX_PASSWORD_DIGITS + 1];
        CopyDigits(digits, timer.typed, sizeof digits);
        std::memcpy(record + RX_RECORD_PASSWORD, digits, RX_PASSWORD_DIGITS);
        CopyDigits(timer.stored, timer.typed, sizeof timer.stored);
        if (empty) {
            record[RX_RECORD_FLAGS] = 0;
        } else {
            WriteU16Le(record + RX_RECORD_START, PackRxTime(TimeValue(timer, RX_START_HOUR),
                                                            TimeValue(timer, RX_START_MINUTE)));
            WriteU16Le(record + RX_RECORD_END,
                       PackRxTime(TimeValue(timer, RX_END_HOUR), TimeValue(timer, RX_END_MINUTE)));
            record[RX_RECORD_FLAGS] = RX_TIMES_STORED;
        }
    }
    timer.switched = RX_NOT_SWITCHED;
    timer.onWhenOpened = reception.rxPrintTimer == RX_TIMER_ON;
    return {0, 0, 0, 0};
}

// ---- RX mode and the timing values -----------------------------------------------------------

namespace {
struct TimingRange {
    long minimum, maximum;
};
const TimingRange TIMING_RANGES[RX_TIMING_COUNT] = {{0, 30}, {10, 45}, {0, 1}, {10, 30}, {10, 70}};

}  // namespace

int RxTimingEnabled(uint8_t mode, int timing)
{
    switch (timing) {
    case RX_START_RINGING:
    case RX_RINGING:
    case RX_WHEN_UNDETECTED:
        return mode == RX_MODE_AUTO;
    case RX_ANSWER_DETECT:
    case RX_FAX_DETECT:
        return mode == RX_MODE_AUTO_SWITCH;
    }
    return 0;
}

long ClampRxTiming(int timing, long value)
{
    if (timing < 0 || timing >= RX_TIMING_COUNT)
        return value;
    const TimingRange& r = TIMING_RANGES[timing];
    return value < r.minimum ? r.minimum : value > r.maximum ? r.maximum : value;
}

// ---- Ring count and the fax tray list ---------------------------------------------------------

const SliderOptions RX_RING_SLIDER = {
    {0, 15, EDIT_FIELD(reception.ringCountMin), EDIT_FIELD(reception.ringCountMax)},
    1,
    2,
    IDC_RX_RINGS_VALUE,
    0,
    1,
    nullptr,
};

const ComboRow RX_FAX_TRAY_ROWS[4] = {
    {IDS_FAX_TRAY_1, 0, ALWAYS},
    {IDS_FAX_TRAY_2, 1, WhenEqual(EDIT_FIELD(config.optionalTray), 1)},
    {IDS_FAX_TRAY_BYPASS, 2, WhenEqual(EDIT_FIELD(config.bypassTray), 1)},
    {IDS_FAX_TRAY_AUTO, 3, ALWAYS},
};

namespace {

const RadioButton RX_TYPE[] = {
    {IDC_RX_TYPE_MEMORY, 8, CODE_ANY},
    {IDC_RX_TYPE_IMMEDIATE, 0, CODE_ANY},
};

const RadioButton RX_MODE[] = {
    {IDC_RX_MODE_AUTO, RX_MODE_AUTO, CODE_ANY},
    {IDC_RX_MODE_MANUAL, RX_MODE_MANUAL, CODE_ANY},
    {IDC_RX_MODE_FAX_ONLY, RX_MODE_FAX_ONLY, CODE_ANY},
    {IDC_RX_MODE_AUTO_SWITCH, RX_MODE_AUTO_SWITCH, CODE_ANY},
};

const RadioButton AUTO_REDUCE[] = {
    {IDC_RX_REDUCE_ON, 1, CODE_ANY},
    {IDC_RX_REDUCE_CUT, 2, CODE_ANY},
    {IDC_RX_REDUCE_OFF, 0, CODE_ANY},
};

const Binding BINDINGS[] = {
    RadioGroup(EDIT_FIELD(reception.rxType), RX_TYPE),
    RadioGroup(EDIT_FIELD(reception.rxMode), RX_MODE),
    Slider(IDC_RX_RINGS, EDIT_FIELD(reception.ringCount), RX_RING_SLIDER),
    RadioGroup(EDIT_FIELD(reception.autoReduce), AUTO_REDUCE),
    CheckBox(IDC_RX_PRINT_FOOTER, EDIT_FIELD(reception.faxFooter), 16),
    CheckBox(IDC_RX_CLOSED_NETWORK, EDIT_FIELD(reception.closedNetwork), 32),
    ComboCoded(IDC_RX_TRAY_PRIORITY, EDIT_FIELD(reception.faxTrayPriority), RX_FAX_TRAY_ROWS),
};

/* Only the Japanese language set offers automatic reception. */
const int AUTO_RX[] = {IDC_RX_MODE_AUTO};

const ControlRule ENABLES[] = {
    ControlsWhen(AUTO_RX, WhenEqual(EDIT_FIELD(system.languageSet), 1)),
};

}  // namespace

const FormTable RECEPTION_TABLE = Table(BINDINGS, ENABLES);
