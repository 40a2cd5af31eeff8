// The Reception page's own rules: the password-protected RX print timer (its packed times, its
// flags byte and the checks when the page is left and applied), which timing fields the RX
// mode uses and their ranges, the ring count slider and the fax tray list.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "settings/settings_rules.h"

// ---- RX print timer --------------------------------------------------------------------------

constexpr uint8_t RX_TIMER_ON = 128;
constexpr uint8_t RX_TIMER_OFF = 0;
constexpr int RX_PASSWORD_DIGITS = 4;
constexpr int RX_TIME_DIGITS = 2;
// Byte 10 of the timer record: both times stored.
constexpr uint8_t RX_TIMES_STORED = 192;

// The record's parts (item 0x10401).
constexpr int RX_RECORD_START = 2;     // u16 little-endian
constexpr int RX_RECORD_PASSWORD = 4;  // 4 digits, no terminator
constexpr int RX_RECORD_END = 8;       // u16 little-endian
constexpr int RX_RECORD_FLAGS = 10;

// A time as the record holds it: hour in bits 15-11, minute in bits 10-5, bits 4-0 zero. Only
// the bits the fields have room for are kept (hours 0-31, minutes 0-63).
uint16_t PackRxTime(int hour, int minute);
void UnpackRxTime(uint16_t packed, int* hour, int* minute);

// The four time fields in their order on the page.
enum RxTimeField { RX_START_HOUR, RX_START_MINUTE, RX_END_HOUR, RX_END_MINUTE, RX_TIME_FIELDS };

// How the timer was switched since the page was opened or last applied.
enum RxTimerSwitch : uint8_t { RX_NOT_SWITCHED, RX_SWITCHED_OFF, RX_SWITCHED_ON };

// What the page keeps of the timer while it is shown.
struct RxTimerPage {
    char typed[RX_PASSWORD_DIGITS + 1];   // the password field
    char stored[RX_PASSWORD_DIGITS + 1];  // the record's password when opened or last applied
    char times[RX_TIME_FIELDS][RX_TIME_DIGITS + 1];  // the time fields as typed
    uint8_t onWhenOpened;                            // the timer was on when opened / applied
    uint8_t switched;                                // RxTimerSwitch
};

// The page's timer state as the page opens: the stored password, an empty password field, and
// the stored times as "%02d" when the flags byte says both are stored (else empty fields).
RxTimerPage OpenRxTimer(const ReceptionSettings& reception);

// Which timer fields take input: the password while the timer is on; the times only once the
// user switched the timer on in this visit (times stored earlier are protected by the password).
struct RxTimerEnabling {
    int password;
    int times;
};
RxTimerEnabling RxTimerFieldsEnabled(uint8_t timer, uint8_t switched);

// A failed timer check: the message (string id; 0 when every check passed), the field to
// focus (an RxTimerField, or RX_PASSWORD_FIELD), and the range a range message shows.
constexpr int RX_PASSWORD_FIELD = -1;
struct RxTimerProblem {
    int message;
    int field;
    int minimum, maximum;
};

// "Off" chosen while the timer is on: 1 when it may go off (it was off when opened, or the
// typed password is the stored one), 0 when the password is incorrect.
int MaySwitchRxTimerOff(const RxTimerPage& timer);
// The timer switched off (the item becomes 0, password and times are emptied) and on (128).
void SwitchRxTimerOff(RxTimerPage& timer, ReceptionSettings& reception);
void SwitchRxTimerOn(RxTimerPage& timer, ReceptionSettings& reception);

// The checks of leaving the page while the timer is on: a password of 1 to 3 digits; a wrong
// full password while the timer stays on as it was opened; then, with no time typed at all, the
// page may go; else the four range checks of the times the user can edit. Nothing is checked
// while the timer is off.
RxTimerProblem LeaveRxTimer(const RxTimerPage& timer, const ReceptionSettings& reception);
// What leaving the page (its checks passed) does to the record: with the timer on and no time
// typed, the flags lose their top two bits.
void TidyRxTimerFlags(const RxTimerPage& timer, ReceptionSettings& reception);

// The checks of Apply: while the timer is on after being switched in this visit, a password of
// 1 to 3 digits, then the four range checks unless no time is typed at all.
RxTimerProblem JudgeRxTimerApply(const RxTimerPage& timer, const ReceptionSettings& reception);
// Apply: when JudgeRxTimerApply passes and the timer is on after being switched in this visit,
// the typed password and the times go into the record, flags 192 with both times or 0 with
// none; then the page's state follows what was applied. Nothing changes when it refuses.
RxTimerProblem ApplyRxTimer(RxTimerPage& timer, ReceptionSettings& reception);

// ---- RX mode and the timing values -----------------------------------------------------------

enum RxMode : uint8_t { RX_MODE_AUTO, RX_MODE_MANUAL, RX_MODE_FAX_ONLY, RX_MODE_AUTO_SWITCH };

// The timing values (ReceptionSettings::timing), in this order.
enum RxTiming {
    RX_START_RINGING,    // 0x10408, 0..30
    RX_RINGING,          // 0x10409, 10..45
    RX_WHEN_UNDETECTED,  // 0x1040A, check box: 1 checked
    RX_ANSWER_DETECT,    // 0x1040B, 10..30
    RX_FAX_DETECT,       // 0x1040C, 10..70
    RX_TIMING_COUNT
};
static_assert(RX_TIMING_COUNT == RX_TIMING_ITEM_COUNT, "one edit-state byte per timing value");

// 1 when timing control `timing` takes input in RX mode `mode`: Auto RX uses the ringing
// times and the undetected-fax choice, Auto Switch the two detect times, the others none.
int RxTimingEnabled(uint8_t mode, int timing);
// A typed timing value kept within its field's range (the check box is 0 or 1).
long ClampRxTiming(int timing, long value);

// ---- Ring count, forwarding and the fax tray list ---------------------------------------------

// The ring count slider: within 0x10404..0x10403, line step 1, page step 2, the label one more
// than the value.
extern const SliderOptions RX_RING_SLIDER;
// "Tray1", "Tray2" (optional tray flag 1), "Bypass" (bypass tray flag 1), "Auto".
extern const ComboRow RX_FAX_TRAY_ROWS[4];

constexpr uint8_t RX_FORWARD_ON = 0;
constexpr uint8_t RX_FORWARD_AND_PRINT = 32;
constexpr uint8_t RX_FORWARD_OFF = 64;

// The page's binding table over the edit state.
extern const FormTable RECEPTION_TABLE;
