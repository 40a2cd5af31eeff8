// The Scanner and Auto Print Report pages' binding tables and the Scanner page's correction of
// stored values. The Scanner's three number fields are read only when the page is left or
// applied, and only while the divide choice enables them.
#pragma once

#include <cstdint>

#include "settings/settings_rules.h"

extern const FormTable SCANNER_TABLE;
extern const FormTable REPORT_TABLE;

enum ScannerDivide : uint8_t { DIVIDE_OFF = 0, DIVIDE_PER_PAGE = 1, DIVIDE_PER_SIZE = 2 };
constexpr uint32_t DIVIDE_KB_MIN = 64, DIVIDE_KB_MAX = 4096, DIVIDE_KB_DEFAULT = 2048;
constexpr uint32_t DIVISIONS_MIN = 2, DIVISIONS_MAX = 500, DIVISIONS_DEFAULT = 5;

// Before the page shows its values: a divide choice the page does not know becomes "Off", a
// size outside 64..4096 KB becomes 2048 and a number of divisions outside 2..500 becomes 5.
void PrepareScannerPage(EditState& state);
