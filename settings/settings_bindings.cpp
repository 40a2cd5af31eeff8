// The decisions the generic page procedure takes on a binding. See settings_bindings.h.
#include "settings/settings_bindings.h"

#include <cstring>

#include "ui/field_filters.h"
#include "document/dial_records.h"

namespace {

const uint8_t* FieldBytes(const EditState& state, FieldRef field)
{
    return reinterpret_cast<const uint8_t*>(&state) + field.offset;
}

uint8_t* FieldBytes(EditState& state, FieldRef field)
{
    return reinterpret_cast<uint8_t*>(&state) + field.offset;
}

int64_t Clamp(int64_t value, int64_t min, int64_t max)
{
    return value < min ? min : value > max ? max : value;
}

int IsNumberField(FieldRef field) { return field.size == 1 || field.size == 2 || field.size == 4; }

}  // namespace

int64_t ReadEditField(const EditState& state, FieldRef field)
{
    const uint8_t* p = FieldBytes(state, field);
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

void WriteEditField(EditState& state, FieldRef field, int64_t value)
{
    uint8_t* p = FieldBytes(state, field);
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

char* EditFieldText(EditState& state, FieldRef field)
{
    return reinterpret_cast<char*>(FieldBytes(state, field));
}

const char* EditFieldText(const EditState& state, FieldRef field)
{
    return reinterpret_cast<const char*>(FieldBytes(state, field));
}

int ConditionHolds(const Condition& condition, const EditState& state)
{
    switch (condition.op) {
    case WHEN_EQUAL:
        return ReadEditField(state, condition.field) == condition.value;
    case WHEN_NOT_EQUAL:
        return ReadEditField(state, condition.field) != condition.value;
    default:
        return 1;
    }
}

int64_t LimitMinimum(const Limits& limits, const EditState& state)
{
    return limits.minField.size ? ReadEditField(state, limits.minField) : limits.min;
}

int64_t LimitMaximum(const Limits& limits, const EditState& state)
{
    return limits.maxField.size ? ReadEditField(state, limits.maxField) : limits.max;
}

const Binding* FindBinding(const PageBindings& page, int control, int* button)
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
int Store(EditState& state, FieldRef field, int64_t value)
{
    if (!IsNumberField(field))
        return 0;
    value = Clamp(value, FieldMinimum(field), FieldMaximum(field));
    if (ReadEditField(state, field) == value)
        return 0;
    WriteEditField(state, field, value);
    return 1;
}
}  // namespace

int CheckBoxChecked(const Binding& binding, const EditState& state)
{
    return ReadEditField(state, binding.field) != binding.offCode;
}

int StoreCheckBox(const Binding& binding, int checked, EditState& state)
{
    return Store(state, binding.field, checked ? binding.onCode : binding.offCode);
}

int CheckedRadio(const Binding& binding, const EditState& state)
{
    const int64_t value = ReadEditField(state, binding.field);
    for (int k = 0; k < binding.buttonCount; k++) {
        const RadioButton& button = binding.buttons[k];
        if (button.code != value)
            continue;
        if (binding.field2.size && button.code2 != CODE_ANY &&
            button.code2 != ReadEditField(state, binding.field2))
            continue;
        return k;
    }
    return -1;
}

int StoreRadio(const Binding& binding, int button, EditState& state)
{
    if (button < 0 || button >= binding.buttonCount)
        return 0;
    const RadioButton& b = binding.buttons[button];
    int changed = Store(state, binding.field, b.code);
    if (binding.field2.size && b.code2 != CODE_ANY)
        changed |= Store(state, binding.field2, b.code2);
    return changed;
}

int ShownComboRows(const Binding& binding, const EditState& state, const ComboRow** rows,
                   int capacity)
{
    int count = 0;
    for (int i = 0; i < binding.rowCount && count < capacity; i++)
        if (ConditionHolds(binding.rows[i].when, state))
            rows[count++] = &binding.rows[i];
    return count;
}

int StoreComboValue(const Binding& binding, int64_t value, EditState& state)
{
    return Store(state, binding.field, value);
}

int StoreNumberText(const Binding& binding, const char* text, EditState& state)
{
    return Store(state, binding.field, ParseDecimalField(text));
}

int NumberCheckApplies(const Binding& binding, uint8_t phase, const EditState& state)
{
    return binding.kind == BIND_NUMBER && binding.number && (binding.number->flags & phase) &&
           ConditionHolds(binding.number->checkWhen, state);
}

int StoreText(const Binding& binding, const char* text, EditState& state)
{
    char value[256] = "";
    if (binding.field.size < 1)
        return 0;
    const size_t room = binding.field.size - 1;  // the last byte stays NUL
    std::strncpy(value, text ? text : "", sizeof value - 1);
    if (std::strlen(value) > room)
        value[room] = '\0';
    if (binding.text && binding.text->deviceCharset)
        ToDeviceCharset(value, IsJapaneseMode(state));
    char* field = EditFieldText(state, binding.field);
    // Cleared whole, so no earlier text lingers after the terminator.
    char stored[256] = "";
    std::memcpy(stored, value, std::strlen(value));
    if (std::memcmp(field, stored, binding.field.size) == 0)
        return 0;
    std::memcpy(field, stored, binding.field.size);
    return 1;
}

void ShownText(const Binding& binding, const EditState& state, char* out, int size)
{
    if (!out || size <= 0)
        return;
    out[0] = '\0';
    if (binding.field.size < 1)
        return;
    const char* field = EditFieldText(state, binding.field);
    int n = 0;
    while (n < binding.field.size - 1 && n < size - 1 && field[n])
        n++;
    std::memcpy(out, field, static_cast<size_t>(n));
    out[n] = '\0';
    if (binding.text && binding.text->deviceCharset)
        FromDeviceCharset(out, IsJapaneseMode(state));
}

int SliderValue(const Binding& binding, int64_t value, const EditState& state)
{
    if (!binding.slider)
        return 0;
    const SliderOptions& s = *binding.slider;
    if (s.snap)
        value = s.snap(static_cast<int>(Clamp(value, INT32_MIN, INT32_MAX)));
    return static_cast<int>(
        Clamp(value, LimitMinimum(s.range, state), LimitMaximum(s.range, state)));
}

int StoreSliderValue(const Binding& binding, int value, EditState& state)
{
    return Store(state, binding.field, SliderValue(binding, value, state));
}

int StoreAddress(const Binding& binding, uint32_t stored, EditState& state)
{
    return Store(state, binding.field, stored);
}
