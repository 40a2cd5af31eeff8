// The decisions the generic procedure takes on a binding, and the small arithmetic of sliders,
// coded lists, addresses and checks it shares. See bindings.h.
#include "ui/bindings.h"

#include <cstdio>
#include <cstring>

#include "document/dial_records.h"
#include "resources/resource_ids.h"

namespace {

const uint8_t* FieldBytes(const void* record, FieldRef field)
{
    return static_cast<const uint8_t*>(record) + field.offset;
}

uint8_t* FieldBytes(void* record, FieldRef field)
{
    return static_cast<uint8_t*>(record) + field.offset;
}

int64_t Clamp(int64_t value, int64_t min, int64_t max)
{
    return value < min ? min : value > max ? max : value;
}

int IsNumberField(FieldRef field) { return field.size == 1 || field.size == 2 || field.size == 4; }

}  // namespace

int64_t ReadField(const void* record, FieldRef field)
{
    const uint8_t* p = FieldBytes(record, field);
    switch (field.size) {
    case 1: {
        uint8_t v;
        std::memcpy(&v, p, 1);
        return field.isSigned ? static_cast<int8_t>(v) : v;
    }
    case 2: {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return field.isSigned ? static_cast<int16_t>(v) : v;
    }
    case 4: {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return field.isSigned ? static_cast<int32_t>(v) : static_cast<int64_t>(v);
    }
    }
    return 0;
}

void WriteField(void* record, FieldRef field, int64_t value)
{
    uint8_t* p = FieldBytes(record, field);
    switch (field.size) {
    case 1: {
        uint8_t v = static_cast<uint8_t>(value);
        std::memcpy(p, &v, 1);
        break;
    }
    case 2: {
        uint16_t v = static_cast<uint16_t>(value);
        std::memcpy(p, &v, 2);
        break;
    }
    case 4: {
        uint32_t v = static_cast<uint32_t>(value);
        std::memcpy(p, &v, 4);
        break;
    }
    }
}

int64_t FieldMinimum(FieldRef field)
{
    if (!IsNumberField(field) || !field.isSigned)
        return 0;
    return -(int64_t{1} << (8 * field.size - 1));
}

int64_t FieldMaximum(FieldRef field)
{
    if (!IsNumberField(field))
        return 0;
    const int bits = 8 * field.size - (field.isSigned ? 1 : 0);
    return (int64_t{1} << bits) - 1;
}

char* FieldText(void* record, FieldRef field)
{
    return reinterpret_cast<char*>(FieldBytes(record, field));
}

const char* FieldText(const void* record, FieldRef field)
{
    return reinterpret_cast<const char*>(FieldBytes(record, field));
}

int ConditionHolds(const Condition& condition, const void* record)
{
    switch (condition.op) {
    case WHEN_EQUAL:
        return ReadField(record, condition.field) == condition.value;
    case WHEN_NOT_EQUAL:
        return ReadField(record, condition.field) != condition.value;
    default:
        return 1;
    }
}

int64_t LimitMinimum(const Limits& limits, const void* record)
{
    return limits.minField.size ? ReadField(record, limits.minField) : limits.min;
}

int64_t LimitMaximum(const Limits& limits, const void* record)
{
    return limits.maxField.size ? ReadField(record, limits.maxField) : limits.max;
}

const Binding* FindBinding(const FormTable& page, int control, int* button)
{
    for (int i = 0; i < page.bindingCount; i++) {
        const Binding& b = page.bindings[i];
        if (b.kind == BIND_RADIO) {
            for (int k = 0; k < b.buttonCount; k++)
                if (b.buttons[k].control == control) {
                    if (button)
                        *button = k;
                    return &b;
                }
        } else if (b.control == control) {
            return &b;
        }
    }
    return nullptr;
}

namespace {
// Writes value when it differs; 1 when it did.
int Store(void* record, FieldRef field, int64_t value)
{
    if (!IsNumberField(field))
        return 0;
    value = Clamp(value, FieldMinimum(field), FieldMaximum(field));
    if (ReadField(record, field) == value)
        return 0;
    WriteField(record, field, value);
    return 1;
}
}  // namespace

int CheckBoxChecked(const Binding& binding, const void* record)
{
    return ReadField(record, binding.field) != binding.offCode;
}

int StoreCheckBox(const Binding& binding, int checked, void* record)
{
    return Store(record, binding.field, checked ? binding.onCode : binding.offCode);
}

int CheckedRadio(const Binding& binding, const void* record)
{
    const int64_t value = ReadField(record, binding.field);
    for (int k = 0; k < binding.buttonCount; k++) {
        const RadioButton& button = binding.buttons[k];
        if (button.code != value)
            continue;
        if (binding.field2.size && button.code2 != CODE_ANY &&
            button.code2 != ReadField(record, binding.field2))
            continue;
        return k;
    }
    return -1;
}

int StoreRadio(const Binding& binding, int button, void* record)
{
    if (button < 0 || button >= binding.buttonCount)
        return 0;
    const RadioButton& b = binding.buttons[button];
    int changed = Store(record, binding.field, b.code);
    if (binding.field2.size && b.code2 != CODE_ANY)
        changed |= Store(record, binding.field2, b.code2);
    return changed;
}

int ShownComboRows(const Binding& binding, const void* record, const ComboRow** rows, int capacity)
{
    int count = 0;
    for (int i = 0; i < binding.rowCount && count < capacity; i++)
        if (ConditionHolds(binding.rows[i].when, record))
            rows[count++] = &binding.rows[i];
    return count;
}

int StoreComboValue(const Binding& binding, int64_t value, void* record)
{
    return Store(record, binding.field, value);
}

int LabelString(const Binding& binding, const void* record)
{
    const int64_t value = ReadField(record, binding.field);
    for (int i = 0; i < binding.rowCount; i++)
        if (binding.rows[i].code == value && ConditionHolds(binding.rows[i].when, record))
            return binding.rows[i].stringId;
    return 0;
}

int StoreNumberText(const Binding& binding, const char* text, void* record)
{
    return Store(record, binding.field, ParseDecimalField(text));
}

int NumberCheckApplies(const Binding& binding, uint8_t phase, const void* record)
{
    return binding.kind == BIND_NUMBER && binding.number && (binding.number->flags & phase) &&
           ConditionHolds(binding.number->checkWhen, record);
}

int StoreText(const Binding& binding, const char* text, void* record, int japaneseMode)
{
    char value[256] = "";
    if (binding.field.size < 1)
        return 0;
    const size_t room = binding.field.size - 1;  // the last byte stays NUL
    std::strncpy(value, text ? text : "", sizeof value - 1);
    if (std::strlen(value) > room)
        value[room] = '\0';
    if (binding.text && binding.text->deviceCharset)
        ToDeviceCharset(value, japaneseMode);
    char* field = FieldText(record, binding.field);
    // Cleared whole, so no earlier text lingers after the terminator.
    char stored[256] = "";
    std::memcpy(stored, value, std::strlen(value));
    if (std::memcmp(field, stored, binding.field.size) == 0)
        return 0;
    std::memcpy(field, stored, binding.field.size);
    return 1;
}

void ShownText(const Binding& binding, const void* record, int japaneseMode, char* out, int size)
{
    if (!out || size <= 0)
        return;
    out[0] = '\0';
    if (binding.field.size < 1)
        return;
    const char* field = FieldText(record, binding.field);
    int n = 0;
    while (n < binding.field.size - 1 && n < size - 1 && field[n])
        n++;
    std::memcpy(out, field, static_cast<size_t>(n));
    out[n] = '\0';
    if (binding.text && binding.text->deviceCharset)
        FromDeviceCharset(out, japaneseMode);
}

int SliderValue(const Binding& binding, int64_t value, const void* record)
{
    if (!binding.slider)
        return 0;
    const SliderOptions& s = *binding.slider;
    if (s.snap)
        value = s.snap(static_cast<int>(Clamp(value, INT32_MIN, INT32_MAX)));
    return static_cast<int>(
        Clamp(value, LimitMinimum(s.range, record), LimitMaximum(s.range, record)));
}

int StoreSliderValue(const Binding& binding, int value, void* record)
{
    return Store(record, binding.field, SliderValue(binding, value, record));
}

int StoreAddress(const Binding& binding, uint32_t stored, void* record)
{
    return Store(record, binding.field, stored);
}

long SliderTarget(int request, long value, long thumb, long min, long max, int lineStep,
                  int pageStep)
{
    switch (request) {
    case SCROLL_LINE_LEFT:
        return value - lineStep;
    case SCROLL_LINE_RIGHT:
        return value + lineStep;
    case SCROLL_PAGE_LEFT:
        return value - pageStep;
    case SCROLL_PAGE_RIGHT:
        return value + pageStep;
    case SCROLL_THUMB_POSITION:
    case SCROLL_THUMB_TRACK:
        return thumb;
    case SCROLL_LEFT:
        return min;
    case SCROLL_RIGHT:
        return max;
    default:
        return value;
    }
}

long ClampSlider(long value, long min, long max)
{
    if (value < min)
        return min;
    if (value > max)
        return max;
    return value;
}

void FormatSliderLabel(char* out, size_t size, long value, const char* unit)
{
    if (!out || size == 0)
        return;
    if (unit && unit[0])
        std::snprintf(out, size, "%ld %s", value, unit);
    else
        std::snprintf(out, size, "%ld", value);
}

int FindComboRow(const int64_t* codes, int count, int64_t value)
{
    for (int i = 0; codes && i < count; i++)
        if (codes[i] == value)
            return i;
    return -1;
}

uint32_t SwapAddressOrder(uint32_t address)
{
    return (address >> 24) | ((address >> 8) & 0xFF00) | ((address << 8) & 0xFF0000) |
           (address << 24);
}

CheckResult Found(const FieldProblem& problem)
{
    if (!problem.message)
        return PASSED;
    CheckResult result = PASSED;
    result.problems[0] = problem;
    result.count = 1;
    return result;
}

int LastProblemControl(const CheckResult& result)
{
    return result.count > 0 ? result.problems[result.count - 1].control : 0;
}

FieldProblem JudgeNumberField(const char* text, int control, int messageId, long min, long max)
{
    switch (JudgeRangeField(text, min, max)) {
    case RANGE_OK:
        return NO_PROBLEM;
    case RANGE_EMPTY:
        return {IDS_REQUIRED_FIELD, control, 0, 0};
    case RANGE_OUTSIDE:
        break;
    }
    return {messageId, control, min, max};
}
