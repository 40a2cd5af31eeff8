// The binding tables of every settings page and dialog: which control edits which field of the
// record the table works on (the edit state for the settings pages, a dialog's own work record
// for the dialogs), as what kind of control, with which codes, limits and filters, and which
// controls are enabled or shown by which field. One generic procedure (form_win.cpp) fills,
// reads and enables every page and dialog from its table; the decisions it takes on a binding
// are the portable functions here, so they are tested natively.
//
// A field is an offset into the record, so one table serves every record of its type; the
// record is handed over as a plain pointer, as the table's owner knows its type.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "ui/field_filters.h"

// ---- Fields -------------------------------------------------------------------------------

// A field of the record: its offset, its size (1, 2 or 4 for numbers, the array size for
// texts; 0 for no field) and whether it is a signed number.
struct FieldRef {
    uint16_t offset;
    uint8_t size;
    uint8_t isSigned;
};
constexpr FieldRef NO_FIELD = {0, 0, 0};

template <typename T>
constexpr uint8_t IsSignedField()
{
    return std::is_signed<T>::value ? 1 : 0;
}

// RECORD_FIELD(DialRecord, name): the field of that member of the record type.
#define RECORD_FIELD(Type, member)                                                                 \
    FieldRef                                                                                       \
    {                                                                                              \
        static_cast<uint16_t>(offsetof(Type, member)),                                             \
            static_cast<uint8_t>(sizeof(std::declval<Type&>().member)),                            \
            IsSignedField<std::remove_all_extents_t<                                               \
                std::remove_reference_t<decltype(std::declval<Type&>().member)>>>()                \
    }

// A number field's value (sign-extended when it is signed) and its store (truncated to its
// size). Fields of any other size read as 0 and are not written.
int64_t ReadField(const void* record, FieldRef field);
void WriteField(void* record, FieldRef field, int64_t value);
// The smallest and largest value the field holds.
int64_t FieldMinimum(FieldRef field);
int64_t FieldMaximum(FieldRef field);
// The characters of a text field (field.size bytes, the last one always NUL).
char* FieldText(void* record, FieldRef field);
const char* FieldText(const void* record, FieldRef field);

// ---- Conditions and control rules ----------------------------------------------------------

enum ConditionOp : uint8_t { WHEN_ALWAYS, WHEN_EQUAL, WHEN_NOT_EQUAL };
struct Condition {
    FieldRef field;
    ConditionOp op;
    int64_t value;
};
constexpr Condition ALWAYS = {NO_FIELD, WHEN_ALWAYS, 0};
constexpr Condition WhenEqual(FieldRef field, int64_t value) { return {field, WHEN_EQUAL, value}; }
constexpr Condition WhenNotEqual(FieldRef field, int64_t value)
{
    return {field, WHEN_NOT_EQUAL, value};
}
int ConditionHolds(const Condition& condition, const void* record);

// Controls that are enabled (or shown) exactly while `when` holds.
struct ControlRule {
    const int* controls;
    int count;
    Condition when;
};
template <size_t N>
constexpr ControlRule ControlsWhen(const int (&controls)[N], Condition when)
{
    return {controls, static_cast<int>(N), when};
}

// ---- Bindings -------------------------------------------------------------------------------

enum BindingKind : uint8_t {
    BIND_CHECK,        // check box: onCode checked, offCode not; checked while value != offCode
    BIND_RADIO,        // radio group: button i stores its code (and code2 into field2)
    BIND_COMBO_INDEX,  // drop-down list of strings firstString..lastString, or of the rows
                       // shown (their codes unused); stores the index
    BIND_COMBO_CODED,  // drop-down list of coded rows; stores the selected row's code
    BIND_SLIDER,       // horizontal scroll bar with a range, steps and a value label
    BIND_NUMBER,       // edit field holding a decimal number, with limits and a range check
    BIND_TEXT,         // edit field holding a text, with a length limit and a filter
    BIND_ADDRESS,      // IP address control; the field holds the stored form (first octet low)
    BIND_LABEL,        // static text: the string of the row whose code the field holds
};

// A radio button's second code when the button leaves field2 alone (and any value of field2
// lets it show checked).
constexpr int64_t CODE_ANY = INT64_MIN;

struct RadioButton {
    int control;
    int64_t code;
    int64_t code2;
};

// One row of a coded list (or label); shown only while `when` holds, so codes stay stable when
// rows of options that are not installed are left out.
struct ComboRow {
    int stringId;
    int64_t code;
    Condition when;
};

// A range; a field given for an end replaces the constant (limits the device supplies).
struct Limits {
    int64_t min;
    int64_t max;
    FieldRef minField;
    FieldRef maxField;
};
constexpr Limits Range(int64_t min, int64_t max) { return {min, max, NO_FIELD, NO_FIELD}; }
int64_t LimitMinimum(const Limits& limits, const void* record);
int64_t LimitMaximum(const Limits& limits, const void* record);

struct SliderOptions {
    Limits range;
    int lineStep;
    int pageStep;
    int labelControl;        // 0: no value label
    int unitString;          // label "%d %s" with this string; 0: "%d"
    int labelOffset;         // added to the value in the label only
    int (*snap)(int value);  // optional: the page's own rounding of a move, before the clamp
};

enum NumberFlags : uint8_t {
    NUMBER_DIGITS = 1,          // FilterDigitsField on every change
    NUMBER_CHECK_LEAVE = 2,     // CheckRangeField when the page is left ...
    NUMBER_CHECK_APPLY = 4,     // ... and on Apply, while checkWhen holds
    NUMBER_STORE_ON_APPLY = 8,  // read only on Apply, after its check passed (while checkWhen)
    NUMBER_CLAMP_ON_EXIT = 16,  // clamped into the range and written back when focus leaves
                                // (while checkWhen holds)
};
struct NumberOptions {
    int maxChars;
    Limits range;
    int messageId;  // the range message (43 and its copies)
    uint8_t flags;
    Condition checkWhen;
    // The owner's own correction when focus leaves (NUMBER_CLAMP_ON_EXIT), over its record;
    // null clamps into the range.
    int64_t (*correct)(int64_t value, const void* record);
};

struct TextOptions {
    int limit;  // characters
    TextFilter filter;
    uint8_t deviceCharset;  // the field holds the device's character set (shown converted)
    uint8_t refilter;       // a stored text passes the filter again when it is shown
    uint8_t secret;         // a password: shown elsewhere only as set or empty
};

struct Binding {
    BindingKind kind;
    int control;  // radios: 0, their buttons carry the ids
    FieldRef field;
    FieldRef field2;
    const RadioButton* buttons;
    int buttonCount;
    const ComboRow* rows;
    int rowCount;
    int firstString;
    int lastString;
    int64_t onCode;
    int64_t offCode;
    const SliderOptions* slider;
    const NumberOptions* number;
    const TextOptions* text;
};

constexpr Binding CheckBox(int control, FieldRef field, int64_t onCode, int64_t offCode = 0)
{
    return {BIND_CHECK, control, field,  NO_FIELD, nullptr, 0,       nullptr, 0,
            0,          0,       onCode, offCode,  nullptr, nullptr, nullptr};
}
template <size_t N>
constexpr Binding RadioGroup(FieldRef field, const RadioButton (&buttons)[N],
                             FieldRef field2 = NO_FIELD)
{
    return {BIND_RADIO, 0, field,   field2,  buttons, static_cast<int>(N), nullptr, 0, 0, 0,
            0,          0, nullptr, nullptr, nullptr};
}
constexpr Binding ComboIndex(int control, FieldRef field, int firstString, int lastString)
{
    return {BIND_COMBO_INDEX, control,    field, NO_FIELD, nullptr, 0,       nullptr, 0,
            firstString,      lastString, 0,     0,        nullptr, nullptr, nullptr};
}
template <size_t N>
constexpr Binding ComboIndexRows(int control, FieldRef field, const ComboRow (&rows)[N])
{
    return {BIND_COMBO_INDEX,
            control,
            field,
            NO_FIELD,
            nullptr,
            0,
            rows,
            static_cast<int>(N),
            0,
            0,
            0,
            0,
            nullptr,
            nullptr,
            nullptr};
}
template <size_t N>
constexpr Binding ComboCoded(int control, FieldRef field, const ComboRow (&rows)[N])
{
    return {BIND_COMBO_CODED,
            control,
            field,
            NO_FIELD,
            nullptr,
            0,
            rows,
            static_cast<int>(N),
            0,
            0,
            0,
            0,
            nullptr,
            nullptr,
            nullptr};
}
constexpr Binding Slider(int control, FieldRef field, const SliderOptions& options)
{
    return {BIND_SLIDER, control, field, NO_FIELD, nullptr,  0,       nullptr, 0,
            0,           0,       0,     0,        &options, nullptr, nullptr};
}
constexpr Binding Number(int control, FieldRef field, const NumberOptions& options)
{
    return {BIND_NUMBER, control, field, NO_FIELD, nullptr, 0,        nullptr, 0,
            0,           0,       0,     0,        nullptr, &options, nullptr};
}
constexpr Binding Text(int control, FieldRef field, const TextOptions& options)
{
    return {BIND_TEXT, control, field, NO_FIELD, nullptr, 0,       nullptr, 0,
            0,         0,       0,     0,        nullptr, nullptr, &options};
}
constexpr Binding Address(int control, FieldRef field)
{
    return {BIND_ADDRESS, control, field,  NO_FIELD, nullptr, 0, nullptr, 0, 0, 0, 0, 0,
            nullptr,      nullptr, nullptr};
}
template <size_t N>
constexpr Binding Label(int control, FieldRef field, const ComboRow (&rows)[N])
{
    return {BIND_LABEL, control, field, NO_FIELD, nullptr, 0,       rows,   static_cast<int>(N),
            0,          0,       0,     0,        nullptr, nullptr, nullptr};
}

// A page's or dialog's table.
struct FormTable {
    const Binding* bindings;
    int bindingCount;
    const ControlRule* enables;  // enabled while the rule holds, disabled otherwise
    int enableCount;
    const ControlRule* shows;  // shown while the rule holds, hidden otherwise
    int showCount;
};
template <size_t B>
constexpr FormTable Table(const Binding (&bindings)[B])
{
    return {bindings, static_cast<int>(B), nullptr, 0, nullptr, 0};
}
template <size_t B, size_t E>
constexpr FormTable Table(const Binding (&bindings)[B], const ControlRule (&enables)[E])
{
    return {bindings, static_cast<int>(B), enables, static_cast<int>(E), nullptr, 0};
}
template <size_t B, size_t E, size_t S>
constexpr FormTable Table(const Binding (&bindings)[B], const ControlRule (&enables)[E],
                          const ControlRule (&shows)[S])
{
    return {bindings, static_cast<int>(B), enables, static_cast<int>(E),
            shows,    static_cast<int>(S)};
}
template <size_t B, size_t S>
constexpr FormTable TableShowing(const Binding (&bindings)[B], const ControlRule (&shows)[S])
{
    return {bindings, static_cast<int>(B), nullptr, 0, shows, static_cast<int>(S)};
}
constexpr FormTable NO_TABLE = {nullptr, 0, nullptr, 0, nullptr, 0};

// ---- Decisions on a binding ----------------------------------------------------------------
// The Store functions return 1 when the record changed, so only a real edit marks a page.

// The binding that owns `control` (a radio group owns its buttons), or null; *button receives
// the button's index for a radio group.
const Binding* FindBinding(const FormTable& table, int control, int* button);

int CheckBoxChecked(const Binding& binding, const void* record);
int StoreCheckBox(const Binding& binding, int checked, void* record);

// The button of the stored value, or -1 when the value has none (nothing is checked then).
int CheckedRadio(const Binding& binding, const void* record);
int StoreRadio(const Binding& binding, int button, void* record);

// The rows of a coded list that are shown, in order, into `rows` (at most `capacity`); returns
// how many.
int ShownComboRows(const Binding& binding, const void* record, const ComboRow** rows, int capacity);
// Stores a list's selection: the index, or the selected row's code.
int StoreComboValue(const Binding& binding, int64_t value, void* record);
// A label's string: the first shown row whose code the field holds, else 0.
int LabelString(const Binding& binding, const void* record);

// A number field's text as stored: its decimal reading, kept within what the field holds.
int StoreNumberText(const Binding& binding, const char* text, void* record);
// Whether the number's range check applies to `phase` now (NUMBER_CHECK_LEAVE/_APPLY).
int NumberCheckApplies(const Binding& binding, uint8_t phase, const void* record);

// A text field's text as stored: the whole array cleared, the text copied in (cut to what the
// array holds), converted to the device's character set when the binding says so (in the
// device's Japanese mode there is nothing to convert).
int StoreText(const Binding& binding, const char* text, void* record, int japaneseMode);
// The text to show: the field's text, converted from the device's character set when the
// binding says so. `out` holds at least binding.field.size bytes.
void ShownText(const Binding& binding, const void* record, int japaneseMode, char* out, int size);

// A slider's value after a move: the owner's snap, then the clamp into its range. Filling the
// slider only clamps: a stored value is shown as it is until the user moves it.
int SliderValue(const Binding& binding, int64_t value, const void* record);
int StoreSliderValue(const Binding& binding, int value, void* record);

int StoreAddress(const Binding& binding, uint32_t stored, void* record);

// ---- Sliders --------------------------------------------------------------------------------

// The scroll requests of a horizontal scroll bar (the values of SB_LINELEFT and its kin).
enum ScrollRequest {
    SCROLL_LINE_LEFT = 0,
    SCROLL_LINE_RIGHT = 1,
    SCROLL_PAGE_LEFT = 2,
    SCROLL_PAGE_RIGHT = 3,
    SCROLL_THUMB_POSITION = 4,
    SCROLL_THUMB_TRACK = 5,
    SCROLL_LEFT = 6,
    SCROLL_RIGHT = 7,
    SCROLL_END = 8,
};
// Where a request moves a slider at `value` (before the clamp): lines and pages by their
// steps, the thumb to `thumb`, the ends to min and max; anything else stays.
long SliderTarget(int request, long value, long thumb, long min, long max, int lineStep,
                  int pageStep);
// A value kept within min..max.
long ClampSlider(long value, long min, long max);
// The value label: "%d %s" with the unit, or "%d" without one.
void FormatSliderLabel(char* out, size_t size, long value, const char* unit);

// ---- Coded lists and addresses -------------------------------------------------------------

// The first index whose code equals value, or -1 (the list then selects its first row).
int FindComboRow(const int64_t* codes, int count, int64_t value);

// Between the stored form of an address (first octet in the lowest byte) and the IP address
// control's form (first octet in the highest byte).
uint32_t SwapAddressOrder(uint32_t address);

// ---- Checks ----------------------------------------------------------------------------------

// What a check found: the message (a string id; 0 when everything passed) and the field to
// focus. A message with "%d" in it shows `minimum` and `maximum` there (FormatRangeMessage).
struct FieldProblem {
    int message;
    int control;
    long minimum;
    long maximum;
};
constexpr FieldProblem NO_PROBLEM = {0, 0, 0, 0};

// Most checks stop at their first problem; a few report two (a bad mask and a bad address are
// named one after the other).
constexpr int MAX_PROBLEMS = 2;
struct CheckResult {
    FieldProblem problems[MAX_PROBLEMS];
    int count;
};
constexpr CheckResult PASSED = {{}, 0};
// The result with `problem` alone, or PASSED when it has no message.
CheckResult Found(const FieldProblem& problem);
// The last field a result names (the one that keeps the focus), or 0.
int LastProblemControl(const CheckResult& result);

// A number field's range check on its text (at most 128 characters, as read): nothing for a
// number within min..max, the required-field message for an empty one, else `messageId` with
// the range.
FieldProblem JudgeNumberField(const char* text, int control, int messageId, long min, long max);
