// The Copier page's own rules: the length of the paper tray priority list and the clamp of a
// stored priority that the list does not hold.
#pragma once

#include <cstdint>

#include "settings/settings_rules.h"

// Original type 0x10201: 0 text, 1 photo, 2 text and photo.
constexpr uint8_t ORIGINAL_PHOTO = 1;

// How many trays the list names: Tray 1 and one per optional tray, when the count is 1 to 4;
// only Tray 1 for any other count.
int TrayPriorityCount(uint8_t optionalTrays);
// A stored priority past the list's last index becomes that index, or the index after it (the
// bypass tray, which the list does not name) when the bypass tray is installed.
uint8_t ClampTrayPriority(uint8_t value, uint8_t optionalTrays, uint8_t bypassTray);

// The A3 family's two numeric fields (its resource library's form carries them), in the order
// they are checked: 1228 before 1155 when the page is left, 1155 before 1228 on Apply.
struct CopierA3Field {
    int control;
    int min;
    int max;
};
constexpr int COPIER_A3_FIELD_COUNT = 2;
const CopierA3Field* CopierA3CheckOrder(int applying);

// The page's binding table over the edit state.
extern const FormTable COPIER_TABLE;
