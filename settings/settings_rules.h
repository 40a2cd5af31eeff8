// The decisions every settings page shares: which pages the sheet has, when the document counts
// as changed, the range check of a number field and its messages, the slider steps and clamp,
// the coded-list fallback, the field filters of the settings pages, the byte order of
// addresses, and storing the edit state with the lengths of the texts that changed. The Win32
// pages apply them (settings_page_win.cpp, settings_sheet_win.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

#include "document/document.h"
#include "ui/field_filters.h"

// ---- The sheet's pages ----------------------------------------------------------------------

enum SettingsPageOrder {
    PAGE_SYSTEM,
    PAGE_PAPER,
    PAGE_COPIER,
    PAGE_REPORT,
    PAGE_TRANSMISSION,
    PAGE_RECEPTION,
    PAGE_LINE,
    PAGE_SMTP,
    PAGE_POP3,
    PAGE_NETWORK,
    PAGE_USER_RESTRICTION,
    PAGE_SCANNER,
    PAGE_LDAP,
    SETTINGS_PAGE_COUNT
};

struct SettingsPageEntry {
    int templateId;  // its caption is the tab's label
    uint8_t networkOnly;
};
// In sheet order, indexed by SettingsPageOrder.
extern const SettingsPageEntry SETTINGS_PAGES[SETTINGS_PAGE_COUNT];

// The Ethernet board flag of the edit state made 0 or 1 (anything but 1 is "not installed");
// returns it.
uint8_t NormaliseEthernetFlag(EditState& state);
// The pages of the sheet, in order: all 13 with the board, the 7 that are not network-only
// without it. `orders` holds SETTINGS_PAGE_COUNT entries; returns the count.
int SheetPageOrders(uint8_t ethernetBoard, int* orders);

// The unsaved-changes decision of an Apply: 1 when any page's changed flag is set. It never
// clears the document's flag, only sets it.
int ShouldMarkUnsaved(const uint8_t* changedFlags, int count);

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

// ---- Coded lists ----------------------------------------------------------------------------

// The first index whose code equals value, or -1 (the list then selects its first row).
int FindComboRow(const int64_t* codes, int count, int64_t value);

// ---- Addresses --------------------------------------------------------------------------------

// Between the stored form of an address (first octet in the lowest byte) and the IP address
// control's form (first octet in the highest byte).
uint32_t SwapAddressOrder(uint32_t address);
