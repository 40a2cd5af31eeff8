// The Paper page's own rules. See paper_page.h.
#include "settings/paper_page.h"

#include "resources/resource_ids.h"

namespace {
constexpr Condition EXTRA = WhenEqual(EDIT_FIELD(paper.extraSizes), 1);
}  // namespace

const ComboRow PAPER_SIZES_FULL[24] = {
    {IDS_SIZE_A4_PORTRAIT, 2, ALWAYS},          {IDS_SIZE_A5_LANDSCAPE, 8, ALWAYS},
    {IDS_SIZE_A6_PORTRAIT, 27, ALWAYS},         {IDS_SIZE_B5_JIS_PORTRAIT, 3, ALWAYS},
    {IDS_SIZE_LETTER_PORTRAIT, 12, ALWAYS},     {IDS_SIZE_LEGAL_PORTRAIT, 11, ALWAYS},
    {IDS_SIZE_STATEMENT_LANDSCAPE, 28, ALWAYS}, {IDS_SIZE_EXECUTIVE_PORTRAIT, 21, ALWAYS},
    {IDS_SIZE_8X13_PORTRAIT, 5, ALWAYS},        {IDS_SIZE_8_5X13_PORTRAIT, 29, ALWAYS},
    {IDS_SIZE_8_25X13_PORTRAIT, 30, ALWAYS},    {IDS_SIZE_16K_PORTRAIT, 17, ALWAYS},
    {IDS_SIZE_100X148_PORTRAIT, 31, ALWAYS},    {IDS_SIZE_148X200_PORTRAIT, 32, ALWAYS},
    {IDS_SIZE_JENV3_PORTRAIT, 33, ALWAYS},      {IDS_SIZE_JENV4_PORTRAIT, 34, ALWAYS},
    {IDS_SIZE_YOH4_PORTRAIT, 35, ALWAYS},       {IDS_SIZE_COM10_PORTRAIT, 22, ALWAYS},
    {IDS_SIZE_MONARCH_PORTRAIT, 24, ALWAYS},    {IDS_SIZE_C6_PORTRAIT, 38, ALWAYS},
    {IDS_SIZE_C5_PORTRAIT, 36, ALWAYS},         {IDS_SIZE_DL_PORTRAIT, 37, ALWAYS},
    {IDS_SIZE_A5_PORTRAIT, 4, EXTRA},           {IDS_SIZE_B6_JIS_PORTRAIT, 19, EXTRA},
};

const ComboRow PAPER_SIZES_TRAY2[10] = {
    {IDS_SIZE_A4_PORTRAIT, 2, ALWAYS},         {IDS_SIZE_B5_JIS_PORTRAIT, 3, ALWAYS},
    {IDS_SIZE_LETTER_PORTRAIT, 12, ALWAYS},    {IDS_SIZE_LEGAL_PORTRAIT, 11, ALWAYS},
    {IDS_SIZE_EXECUTIVE_PORTRAIT, 21, ALWAYS}, {IDS_SIZE_8X13_PORTRAIT, 5, ALWAYS},
    {IDS_SIZE_8_5X13_PORTRAIT, 29, ALWAYS},    {IDS_SIZE_8_25X13_PORTRAIT, 30, ALWAYS},
    {IDS_SIZE_16K_PORTRAIT, 17, ALWAYS},       {IDS_SIZE_A5_PORTRAIT, 4, EXTRA},
};

long ClampCustomSize(int tray, int y, long value)
{
    if (tray < 0 || tray >= PAPER_TRAY_COUNT)
        return value;
    const CustomSizeRange& r = CUSTOM_SIZE_RANGES[tray];
    const long min = y ? r.minY : r.minX;
    const long max = y ? r.maxY : r.maxX;
    return value < min ? min : value > max ? max : value;
}

const Condition AUTO_TRAY_ROW_SHOWN[PAPER_TRAY_COUNT] = {
    ALWAYS,
    WhenNotEqual(EDIT_FIELD(config.optionalTray), 0),
    WhenEqual(EDIT_FIELD(config.bypassTray), 1),
};

int AutoTrayRowShown(int tray, const EditState& state)
{
    if (tray < 0 || tray >= PAPER_TRAY_COUNT)
        return 0;
    return ConditionHolds(AUTO_TRAY_ROW_SHOWN[tray], &state);
}
