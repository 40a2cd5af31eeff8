/*
 * The Paper page (template 716): paper types, sizes and size modes are the table's, and so are
 * the custom sizes, read from their fields on Apply and kept within their tray's range when a
 * field is left, for the trays the device has; a hidden tray keeps what it held. The Auto Tray
 * Select dialog it opens is auto_tray_win.cpp's.
 */
#include "resources/resource_ids.h"
#include "settings/auto_tray_win.h"
#include "settings/paper_page.h"
#include "settings/settings_pages_win.h"

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

/* Auto Tray Select's OK is an edit of the page. */
int Command(SettingsPage& page, int control, int code)
{
    return control == IDC_PAPER_AUTO_TRAY_SELECT && code == BN_CLICKED &&
           RunAutoTraySelect(page.form.window) == IDOK;
}

}  // namespace

const SettingsPageDef PAPER_PAGE = Page(Table(BINDINGS, ENABLES, SHOWS)).Command(Command);
