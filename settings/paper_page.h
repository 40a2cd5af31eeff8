// The Paper page's own rules: the paper size lists and the custom-size ranges and clamp. Also
// the rows of the Auto Tray Select dialog.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "settings/settings_rules.h"

enum PaperTray { PAPER_TRAY_1, PAPER_TRAY_2, PAPER_BYPASS, PAPER_TRAY_COUNT };
static_assert(PAPER_TRAY_COUNT == PAPER_TRAYS, "the edit state keeps sizes per tray");
enum : uint8_t { SIZE_MODE_LIST = 0, SIZE_MODE_CUSTOM = 1 };

// The size lists in their order; rows that need item 0x10112 = 1 carry that condition.
extern const ComboRow PAPER_SIZES_FULL[24];  // Tray 1 and the bypass tray
extern const ComboRow PAPER_SIZES_TRAY2[10];

// The custom-size range of a tray, in mm.
struct CustomSizeRange {
    uint16_t minX, maxX, minY, maxY;
};
constexpr CustomSizeRange CUSTOM_SIZE_RANGES[PAPER_TRAY_COUNT] = {
    {90, 216, 140, 356},
    {148, 216, 210, 356},
    {55, 216, 127, 1296},
};
// A typed custom size kept within the tray's range: X when `y` is 0, else Y.
long ClampCustomSize(int tray, int y, long value);

// The Auto Tray Select rows shown: Tray 1 always, Tray 2 when the device has at least one
// optional tray, the bypass row when the bypass tray is installed (flag 1).
extern const Condition AUTO_TRAY_ROW_SHOWN[PAPER_TRAY_COUNT];
int AutoTrayRowShown(int tray, const EditState& state);

// The page's binding table over the edit state.
extern const FormTable PAPER_TABLE;
