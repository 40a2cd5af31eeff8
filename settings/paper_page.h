// The Paper page's own rules: the paper size lists, the custom-size ranges and clamp, and the
// size modes and custom sizes that the page keeps in the image itself rather than in the edit
// state. Also the rows of the Auto Tray Select dialog.
#pragma once

#include <cstdint>

#include "device/device_image.h"
#include "settings/settings_bindings.h"

enum PaperTray { PAPER_TRAY_1, PAPER_TRAY_2, PAPER_BYPASS, PAPER_TRAY_COUNT };
enum : uint8_t { SIZE_MODE_LIST = 0, SIZE_MODE_CUSTOM = 1 };

// The size lists in their order; rows that need item 0x10112 = 1 carry that condition.
extern const ComboRow PAPER_SIZES_FULL[24];  // Tray 1 and the bypass tray
extern const ComboRow PAPER_SIZES_TRAY2[10];

// The custom-size range of a tray, in mm.
struct CustomSizeRange {
    uint16_t minX, maxX, minY, maxY;
};
extern const CustomSizeRange CUSTOM_SIZE_RANGES[PAPER_TRAY_COUNT];
// A typed custom size kept within the tray's range: X when `y` is 0, else Y.
long ClampCustomSize(int tray, int y, long value);

// The image items the page edits directly, by tray.
struct PaperImageItems {
    uint32_t mode, x, y;
};
extern const PaperImageItems PAPER_IMAGE_ITEMS[PAPER_TRAY_COUNT];
struct PaperImageValues {
    uint8_t mode[PAPER_TRAY_COUNT];
    uint16_t x[PAPER_TRAY_COUNT];
    uint16_t y[PAPER_TRAY_COUNT];
};
// The size modes (a byte) and custom sizes (16-bit little-endian) as the image holds them; an
// image without them reads as zeros.
PaperImageValues ReadPaperImage(const DeviceImage& image);
void WritePaperImage(const PaperImageValues& values, DeviceImage& image);

// The Auto Tray Select rows shown: Tray 1 always, Tray 2 when the device has at least one
// optional tray, the bypass row when the bypass tray is installed (flag 1).
int AutoTrayRowShown(int tray, const DeviceConfig& config);
