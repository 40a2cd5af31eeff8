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
