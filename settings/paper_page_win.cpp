/*
 * The Paper page (template 716) and the Auto Tray Select dialog (template 2333) it opens. The
 * paper types and sizes are the table's; the size modes follow their radios, and the custom
 * sizes are read from their fields on Apply, for hidden trays too, with what they held.
 */
#include <cstdio>

#include "ui/app_state.h"
#include "ui/ui_win.h"
#include "resources/resource_ids.h"
#include "settings/paper_page.h"
#include "settings/settings_pages_win.h"
#include "settings/settings_sheet_win.h"

namespace {

struct TrayControls {
    int standard, custom, size, x, y;
    int yChars;
};
const TrayControls TRAYS[PAPER_TRAY_COUNT] = {
    {IDC_PAPER_TRAY1_STANDARD, IDC_PAPER_TRAY1_CUSTOM, IDC_PAPER_TRAY1_SIZE, IDC_PAPER_TRAY1_X,
     IDC_PAPER_TRAY1_Y, 3},
    {IDC_PAPER_TRAY2_STANDARD, IDC_PAPER_TRAY2_CUSTOM, IDC_PAPER_TRAY2_SIZE, IDC_PAPER_TRAY2_X,
     IDC_PAPER_TRAY2_Y, 3},
    {IDC_PAPER_BYPASS_STANDARD, IDC_PAPER_BYPASS_CUSTOM, IDC_PAPER_BYPASS_SIZE, IDC_PAPER_BYPASS_X,
     IDC_PAPER_BYPASS_Y, 4},
};
constexpr int X_CHARS = 3;

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
/* Which trays the device has, so which groups the page shows. */
const Condition TRAY_SHOWN[PAPER_TRAY_COUNT] = {
    ALWAYS,
    WhenEqual(EDIT_FIELD(config.optionalTray), 1),
    WhenEqual(EDIT_FIELD(config.bypassTray), 1),
};
const ControlRule SHOWS[] = {
    ControlsWhen(TRAY2_GROUP, TRAY_SHOWN[PAPER_TRAY_2]),
    ControlsWhen(BYPASS_GROUP, TRAY_SHOWN[PAPER_BYPASS]),
};

/* A mode the page does not know checks neither radio and leaves the list in use. */
void ShowSizeMode(HWND page, int tray)
{
    const TrayControls& c = TRAYS[tray];
    const uint8_t mode = gDocument.edit.paper.sizeMode[tray];
    CheckDlgButton(page, c.standard, mode == SIZE_MODE_LIST ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, c.custom, mode == SIZE_MODE_CUSTOM ? BST_CHECKED : BST_UNCHECKED);
    const BOOL custom = mode == SIZE_MODE_CUSTOM;
    EnableWindow(GetDlgItem(page, c.size), !custom);
    EnableWindow(GetDlgItem(page, c.x), custom);
    EnableWindow(GetDlgItem(page, c.y), custom);
}

void SetNumber(HWND page, int control, long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%ld", value);
    SetDlgItemTextA(page, control, text);
}

long FieldNumber(HWND page, int control)
{
    char text[16] = "";
    GetDlgItemTextA(page, control, text, sizeof text);
    const long value = ParseDecimalField(text);
    return value < 0 ? 0 : value;
}

/* 1 when the field's text changed. */
int ClampField(SettingsPage& page, int tray, int y)
{
    const int control = y ? TRAYS[tray].y : TRAYS[tray].x;
    const long typed = FieldNumber(page.window, control);
    const long clamped = ClampCustomSize(tray, y, typed);
    char text[16] = "", shown[16];
    GetDlgItemTextA(page.window, control, text, sizeof text);
    std::snprintf(shown, sizeof shown, "%ld", clamped);
    if (lstrcmpA(text, shown) == 0)
        return 0;
    SetTextQuietly(page, control, shown);
    return 1;
}

void Init(SettingsPage& page)
{
    for (int t = 0; t < PAPER_TRAY_COUNT; t++) {
        const TrayControls& c = TRAYS[t];
        SendDlgItemMessageA(page.window, c.x, EM_LIMITTEXT, X_CHARS, 0);
        SendDlgItemMessageA(page.window, c.y, EM_LIMITTEXT, c.yChars, 0);
        SetNumber(page.window, c.x, gDocument.edit.paper.customX[t]);
        SetNumber(page.window, c.y, gDocument.edit.paper.customY[t]);
        ShowSizeMode(page.window, t);
    }
}

INT_PTR RunAutoTraySelect(HWND owner);

int Command(SettingsPage& page, int control, int code)
{
    if (control == IDC_PAPER_AUTO_TRAY_SELECT)
        return code == BN_CLICKED && RunAutoTraySelect(page.window) == IDOK;
    for (int t = 0; t < PAPER_TRAY_COUNT; t++) {
        const TrayControls& c = TRAYS[t];
        if ((control == c.standard || control == c.custom) && code == BN_CLICKED) {
            const uint8_t mode = control == c.custom ? SIZE_MODE_CUSTOM : SIZE_MODE_LIST;
            const int changed = gDocument.edit.paper.sizeMode[t] != mode;
            gDocument.edit.paper.sizeMode[t] = mode;
            ShowSizeMode(page.window, t);
            return changed;
        }
        if (control == c.x || control == c.y) {
            const int y = control == c.y;
            if (code == EN_CHANGE) {
                char text[8];
                FilterEditField(page.window, control, FILTER_DIGITS, y ? c.yChars : X_CHARS, text,
                                sizeof text);
                return 1;
            }
            if (code == EN_KILLFOCUS)
                return ClampField(page, t, y);
            return 0;
        }
    }
    return 0;
}

/* The fields as they stand; a shown tray's are kept within their ranges first, since OK by
 * Enter leaves the focus in a field that never lost it. */
void Applied(SettingsPage& page)
{
    for (int t = 0; t < PAPER_TRAY_COUNT; t++) {
        if (ConditionHolds(TRAY_SHOWN[t], gDocument.edit)) {
            ClampField(page, t, 0);
            ClampField(page, t, 1);
        }
        gDocument.edit.paper.customX[t] = static_cast<uint16_t>(FieldNumber(page.window, TRAYS[t].x));
        gDocument.edit.paper.customY[t] = static_cast<uint16_t>(FieldNumber(page.window, TRAYS[t].y));
    }
}

/* ---- Auto Tray Select ---------------------------------------------------------------------- */

struct AutoTrayRow {
    int on, off, box;
    FieldRef field;
};
const AutoTrayRow AUTO_TRAY_ROWS[PAPER_TRAY_COUNT] = {
    {IDC_ATS_TRAY1_ON, IDC_ATS_TRAY1_OFF, IDC_ATS_TRAY1_BOX, EDIT_FIELD(paper.autoSelectTray1)},
    {IDC_ATS_TRAY2_ON, IDC_ATS_TRAY2_OFF, IDC_ATS_TRAY2_BOX, EDIT_FIELD(paper.autoSelectTray2)},
    {IDC_ATS_BYPASS_ON, IDC_ATS_BYPASS_OFF, IDC_ATS_BYPASS_BOX, EDIT_FIELD(paper.autoSelectBypass)},
};

/* What the three items held when the dialog opened: Cancel puts it back. */
uint8_t gAutoTraySaved[PAPER_TRAY_COUNT];

void CheckAutoTrayRow(HWND dialog, const AutoTrayRow& row)
{
    const int64_t value = ReadEditField(gDocument.edit, row.field);
    CheckDlgButton(dialog, row.on, value == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, row.off, value == 0 ? BST_CHECKED : BST_UNCHECKED);
}

void OnAutoTrayInit(HWND dialog)
{
    if (gApp.screenWidth != 0)
        CentreOnScreen(dialog);
    for (int t = 0; t < PAPER_TRAY_COUNT; t++) {
        const AutoTrayRow& row = AUTO_TRAY_ROWS[t];
        gAutoTraySaved[t] = static_cast<uint8_t>(ReadEditField(gDocument.edit, row.field));
        CheckAutoTrayRow(dialog, row);
        const int shown = AutoTrayRowShown(t, gDocument.edit.config) ? SW_SHOW : SW_HIDE;
        for (int control : {row.on, row.off, row.box})
            ShowWindow(GetDlgItem(dialog, control), shown);
    }
}

void EndAutoTray(HWND dialog, int ok)
{
    if (!ok)
        for (int t = 0; t < PAPER_TRAY_COUNT; t++)
            WriteEditField(gDocument.edit, AUTO_TRAY_ROWS[t].field, gAutoTraySaved[t]);
    EndDialog(dialog, ok ? IDOK : IDCANCEL);
}

INT_PTR CALLBACK AutoTraySelectProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnAutoTrayInit(dialog);
        return TRUE;
    case WM_COMMAND: {
        const int control = LOWORD(wParam);
        if (control == IDOK || control == IDCANCEL) {
            EndAutoTray(dialog, control == IDOK);
            return TRUE;
        }
        for (const AutoTrayRow& row : AUTO_TRAY_ROWS) {
            if ((control == row.on || control == row.off) && HIWORD(wParam) == BN_CLICKED) {
                WriteEditField(gDocument.edit, row.field, control == row.on ? 1 : 0);
                CheckAutoTrayRow(dialog, row);
                return TRUE;
            }
        }
        return FALSE;
    }
    case WM_CLOSE:
        EndAutoTray(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR RunAutoTraySelect(HWND owner)
{
    return DialogBoxParamA(SettingsTemplateModule(IDD_AUTO_TRAY_SELECT),
                           MAKEINTRESOURCEA(IDD_AUTO_TRAY_SELECT), GetAncestor(owner, GA_ROOT),
                           AutoTraySelectProc, 0);
}

}  // namespace

const SettingsPageDef PAPER_PAGE = {
    {BINDINGS, sizeof BINDINGS / sizeof BINDINGS[0], nullptr, 0, SHOWS,
     sizeof SHOWS / sizeof SHOWS[0]},
    nullptr,
    Init,
    nullptr,
    Command,
    nullptr,
    nullptr,
    Applied,
};
