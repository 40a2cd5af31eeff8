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

namespace {

/* Which trays the device has, so which groups the page shows. */
constexpr Condition TRAY_SHOWN[PAPER_TRAY_COUNT] = {
    ALWAYS,
    WhenEqual(EDIT_FIELD(config.optionalTray), 1),
    WhenEqual(EDIT_FIELD(config.bypassTray), 1),
};

constexpr uint8_t SIZE_FLAGS = NUMBER_DIGITS | NUMBER_STORE_ON_APPLY | NUMBER_CLAMP_ON_EXIT;

/* A custom size of a tray: X (y 0) or Y, three characters, four for the bypass Y. */
constexpr NumberOptions Size(int tray, int y)
{
    const CustomSizeRange& r = CUSTOM_SIZE_RANGES[tray];
    return {y && tray == PAPER_BYPASS ? 4 : 3,
            y ? Range(r.minY, r.maxY) : Range(r.minX, r.maxX),
            IDS_RANGE_ERROR,
            SIZE_FLAGS,
            TRAY_SHOWN[tray],
            nullptr};
}
constexpr NumberOptions SIZES[PAPER_TRAY_COUNT][2] = {
    {Size(PAPER_TRAY_1, 0), Size(PAPER_TRAY_1, 1)},
    {Size(PAPER_TRAY_2, 0), Size(PAPER_TRAY_2, 1)},
    {Size(PAPER_BYPASS, 0), Size(PAPER_BYPASS, 1)},
};

/* List (0) or custom size (1); a mode the page does not know checks neither. */
const RadioButton TRAY1_MODE[] = {
    {IDC_PAPER_TRAY1_STANDARD, SIZE_MODE_LIST, CODE_ANY},
    {IDC_PAPER_TRAY1_CUSTOM, SIZE_MODE_CUSTOM, CODE_ANY},
};
const RadioButton TRAY2_MODE[] = {
    {IDC_PAPER_TRAY2_STANDARD, SIZE_MODE_LIST, CODE_ANY},
    {IDC_PAPER_TRAY2_CUSTOM, SIZE_MODE_CUSTOM, CODE_ANY},
};
const RadioButton BYPASS_MODE[] = {
    {IDC_PAPER_BYPASS_STANDARD, SIZE_MODE_LIST, CODE_ANY},
    {IDC_PAPER_BYPASS_CUSTOM, SIZE_MODE_CUSTOM, CODE_ANY},
};

const Binding BINDINGS[] = {
    ComboIndex(IDC_PAPER_TRAY1_TYPE, EDIT_FIELD(paper.tray1Type), IDS_PAPER_PLAIN,
               IDS_PAPER_ENVELOPE),
    ComboCoded(IDC_PAPER_TRAY1_SIZE, EDIT_FIELD(paper.tray1Size), PAPER_SIZES_FULL),
    ComboIndex(IDC_PAPER_TRAY2_TYPE, EDIT_FIELD(paper.tray2Type), IDS_PAPER_PLAIN,
               IDS_PAPER_INKJET_PLAIN),
    ComboCoded(IDC_PAPER_TRAY2_SIZE, EDIT_FIELD(paper.tray2Size), PAPER_SIZES_TRAY2),
    ComboIndex(IDC_PAPER_BYPASS_TYPE, EDIT_FIELD(paper.bypassType), IDS_PAPER_PLAIN,
               IDS_PAPER_THICK),
    ComboCoded(IDC_PAPER_BYPASS_SIZE, EDIT_FIELD(paper.bypassSize), PAPER_SIZES_FULL),
    RadioGroup(EDIT_FIELD(paper.sizeMode[PAPER_TRAY_1]), TRAY1_MODE),
    RadioGroup(EDIT_FIELD(paper.sizeMode[PAPER_TRAY_2]), TRAY2_MODE),
    RadioGroup(EDIT_FIELD(paper.sizeMode[PAPER_BYPASS]), BYPASS_MODE),
    Number(IDC_PAPER_TRAY1_X, EDIT_FIELD(paper.customX[PAPER_TRAY_1]), SIZES[PAPER_TRAY_1][0]),
    Number(IDC_PAPER_TRAY1_Y, EDIT_FIELD(paper.customY[PAPER_TRAY_1]), SIZES[PAPER_TRAY_1][1]),
    Number(IDC_PAPER_TRAY2_X, EDIT_FIELD(paper.customX[PAPER_TRAY_2]), SIZES[PAPER_TRAY_2][0]),
    Number(IDC_PAPER_TRAY2_Y, EDIT_FIELD(paper.customY[PAPER_TRAY_2]), SIZES[PAPER_TRAY_2][1]),
    Number(IDC_PAPER_BYPASS_X, EDIT_FIELD(paper.customX[PAPER_BYPASS]), SIZES[PAPER_BYPASS][0]),
    Number(IDC_PAPER_BYPASS_Y, EDIT_FIELD(paper.customY[PAPER_BYPASS]), SIZES[PAPER_BYPASS][1]),
};

const int TRAY2_GROUP[] = {
    IDC_PAPER_TRAY2_BOX,      IDC_PAPER_TRAY2_TYPE_LABEL, IDC_PAPER_TRAY2_TYPE,
    IDC_PAPER_TRAY2_STANDARD, IDC_PAPER_TRAY2_CUSTOM,     IDC_PAPER_TRAY2_SIZE,
    IDC_PAPER_TRAY2_X_LABEL,  IDC_PAPER_TRAY2_X,          IDC_PAPER_TRAY2_Y_LABEL,
    IDC_PAPER_TRAY2_Y,
};
const int BYPASS_GROUP[] = {
    IDC_PAPER_BYPASS_BOX,      IDC_PAPER_BYPASS_TYPE_LABEL, IDC_PAPER_BYPASS_TYPE,
    IDC_PAPER_BYPASS_STANDARD, IDC_PAPER_BYPASS_CUSTOM,     IDC_PAPER_BYPASS_SIZE,
    IDC_PAPER_BYPASS_X_LABEL,  IDC_PAPER_BYPASS_X,          IDC_PAPER_BYPASS_Y_LABEL,
    IDC_PAPER_BYPASS_Y,
};
const ControlRule SHOWS[] = {
    ControlsWhen(TRAY2_GROUP, TRAY_SHOWN[PAPER_TRAY_2]),
    ControlsWhen(BYPASS_GROUP, TRAY_SHOWN[PAPER_BYPASS]),
};

/* The size list while the tray takes a listed size, the custom size while it takes its own. */
const int TRAY1_LIST[] = {IDC_PAPER_TRAY1_SIZE};
const int TRAY1_CUSTOM[] = {IDC_PAPER_TRAY1_X, IDC_PAPER_TRAY1_Y};
const int TRAY2_LIST[] = {IDC_PAPER_TRAY2_SIZE};
const int TRAY2_CUSTOM[] = {IDC_PAPER_TRAY2_X, IDC_PAPER_TRAY2_Y};
const int BYPASS_LIST[] = {IDC_PAPER_BYPASS_SIZE};
const int BYPASS_CUSTOM[] = {IDC_PAPER_BYPASS_X, IDC_PAPER_BYPASS_Y};
const ControlRule ENABLES[] = {
    ControlsWhen(TRAY1_LIST,
                 WhenNotEqual(EDIT_FIELD(paper.sizeMode[PAPER_TRAY_1]), SIZE_MODE_CUSTOM)),
    ControlsWhen(TRAY1_CUSTOM,
                 WhenEqual(EDIT_FIELD(paper.sizeMode[PAPER_TRAY_1]), SIZE_MODE_CUSTOM)),
    ControlsWhen(TRAY2_LIST,
                 WhenNotEqual(EDIT_FIELD(paper.sizeMode[PAPER_TRAY_2]), SIZE_MODE_CUSTOM)),
    ControlsWhen(TRAY2_CUSTOM,
                 WhenEqual(EDIT_FIELD(paper.sizeMode[PAPER_TRAY_2]), SIZE_MODE_CUSTOM)),
    ControlsWhen(BYPASS_LIST,
                 WhenNotEqual(EDIT_FIELD(paper.sizeMode[PAPER_BYPASS]), SIZE_MODE_CUSTOM)),
    ControlsWhen(BYPASS_CUSTOM,
                 WhenEqual(EDIT_FIELD(paper.sizeMode[PAPER_BYPASS]), SIZE_MODE_CUSTOM)),
};

}  // namespace

const FormTable PAPER_TABLE = Table(BINDINGS, ENABLES, SHOWS);
