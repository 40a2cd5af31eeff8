// The decisions every settings page shares. See settings_rules.h.
#include "settings/settings_rules.h"

#include <cstdio>
#include <cstring>

#include "device/byte_order.h"
#include "resources/resource_ids.h"
#include "settings/settings_bindings.h"

const SettingsPageEntry SETTINGS_PAGES[SETTINGS_PAGE_COUNT] = {
    {IDD_PAGE_SYSTEM, 0},
    {IDD_PAGE_PAPER, 0},
    {IDD_PAGE_COPIER, 0},
    {IDD_PAGE_REPORT, 0},
    {IDD_PAGE_TRANSMISSION, 0},
    {IDD_PAGE_RECEPTION, 0},
    {IDD_PAGE_LINE, 0},
    {IDD_PAGE_SMTP, 1},
    {IDD_PAGE_POP3, 1},
    {IDD_PAGE_NETWORK, 1},
    {IDD_PAGE_USER_RESTRICTION, 1},
    {IDD_PAGE_SCANNER, 1},
    {IDD_PAGE_LDAP, 1},
};

uint8_t NormaliseEthernetFlag(EditState& state)
{
    if (state.config.ethernetBoard != 1)
        state.config.ethernetBoard = 0;
    return state.config.ethernetBoard;
}

int SheetPageOrders(uint8_t ethernetBoard, int* orders)
{
    int count = 0;
    for (int i = 0; i < SETTINGS_PAGE_COUNT; i++)
        if (ethernetBoard == 1 || !SETTINGS_PAGES[i].networkOnly)
            orders[count++] = i;
    return count;
}

int ShouldMarkUnsaved(const uint8_t* changedFlags, int count)
{
    for (int i = 0; changedFlags && i < count; i++)
        if (changedFlags[i])
            return 1;
    return 0;
}

RangeVerdict JudgeRangeField(const char* text, long min, long max)
{
    if (!text || !text[0])
        return RANGE_EMPTY;
    const long value = ParseDecimalField(text);
    return value >= min && value <= max ? RANGE_OK : RANGE_OUTSIDE;
}

void FormatRangeMessage(char* out, size_t size, const char* format, long min, long max)
{
    if (!out || size == 0)
        return;
    size_t n = 0;
    int filled = 0;
    for (const char* p = format ? format : ""; *p && n + 1 < size; p++) {
        if (p[0] == '%' && p[1] == 'd' && filled < 2) {
            char number[24];
            std::snprintf(number, sizeof number, "%ld", filled == 0 ? min : max);
            for (const char* q = number; *q && n + 1 < size; q++)
                out[n++] = *q;
            filled++;
            p++;
            continue;
        }
        out[n++] = *p;
    }
    out[n] = '\0';
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

namespace {

FieldVerdict JudgePhone(uint8_t b, int)
{
    return (b >= '0' && b <= '9') || b == '+' || b == '-' || b == ' ' ? FIELD_KEEP : FIELD_REMOVE;
}

FieldVerdict JudgeAscii(uint8_t b, int unit)
{
    if (unit >= 256)
        return FIELD_CUT;
    return b < 32 || b >= 128 || b == '?' ? FIELD_REMOVE : FIELD_KEEP;
}

FieldVerdict JudgeHost(uint8_t b, int unit)
{
    if (unit >= 256)
        return FIELD_CUT;
    return b < 32 || b > 126 || b == '\\' || b == '?' ? FIELD_REMOVE : FIELD_KEEP;
}

}  // namespace

int FilterPhoneField(char* text, int size, int limit, int* caret)
{
    return FilterFieldWith(text, size, limit, caret, JudgePhone, nullptr);
}

int FilterAsciiField(char* text, int size, int limit, int* caret, const TextEnvironment& env)
{
    return FilterFieldWith(text, size, limit, caret, JudgeAscii, &env);
}

int FilterHostField(char* text, int size, int limit, int* caret, const TextEnvironment& env)
{
    return FilterFieldWith(text, size, limit, caret, JudgeHost, &env);
}

uint32_t SwapAddressOrder(uint32_t address)
{
    return (address >> 24) | ((address >> 8) & 0xFF00) | ((address << 8) & 0xFF0000) |
           (address << 24);
}

namespace {

// Every text item of the image with its edit-state field.
struct TextItem {
    uint32_t id;
    FieldRef field;
};
const TextItem TEXT_ITEMS[] = {
    {0x10504, EDIT_FIELD(line.pabxPrefix)},       {0x10801, EDIT_FIELD(ldap.serverName)},
    {0x10803, EDIT_FIELD(ldap.userName)},         {0x10805, EDIT_FIELD(ldap.password)},
    {0x1080A, EDIT_FIELD(ldap.searchBase)},       {0x10901, EDIT_FIELD(smtp.senderName)},
    {0x10903, EDIT_FIELD(smtp.emailAddress)},     {0x10905, EDIT_FIELD(smtp.serverName)},
    {0x1090A, EDIT_FIELD(smtp.defaultSubject)},   {0x1090D, EDIT_FIELD(smtp.userName)},
    {0x1090F, EDIT_FIELD(smtp.password)},         {0x10A01, EDIT_FIELD(pop3.serverName)},
    {0x10A05, EDIT_FIELD(pop3.userName)},         {0x10A07, EDIT_FIELD(pop3.password)},
    {0x10A0B, EDIT_FIELD(pop3.adminEmail)},       {0x10C02, EDIT_FIELD(properties.faxNumber)},
    {0x10C04, EDIT_FIELD(properties.deviceName)}, {0x10D02, EDIT_FIELD(restriction.password)},
};
constexpr int TEXT_ITEM_COUNT = sizeof TEXT_ITEMS / sizeof TEXT_ITEMS[0];

}  // namespace

int StoreSettings(const EditState& state, DeviceImage& image)
{
    if (!image.bytes)
        return 0;
    // The edit state's text fields hold one byte more than their items (always NUL).
    uint8_t changed[TEXT_ITEM_COUNT] = {};
    for (int i = 0; i < TEXT_ITEM_COUNT; i++) {
        const uint8_t* record = ImageItemRecord(image, TEXT_ITEMS[i].id);
        const size_t size = TEXT_ITEMS[i].field.size - 1u;
        changed[i] = record && std::memcmp(record + ITEM_VALUE_OFFSET,
                                           EditFieldText(state, TEXT_ITEMS[i].field), size) != 0;
    }
    StoreEditState(state, image);
    for (int i = 0; i < TEXT_ITEM_COUNT; i++) {
        if (!changed[i])
            continue;
        const size_t size = TEXT_ITEMS[i].field.size - 1u;
        const char* text = EditFieldText(state, TEXT_ITEMS[i].field);
        uint32_t length = 0;
        while (length < size && text[length])
            length++;
        SetPresentItemLength(image, TEXT_ITEMS[i].id, length);
    }
    return 1;
}
