/*
 * The User Restriction page (template 160) and its dialog (template 159). The page asks for
 * the device's current restriction password; only when it matches does the dialog open, where
 * the restriction is switched and a new password given. The dialog writes the edit state, and
 * the page counts that as the user's edit, so the sheet's Apply stores it (with the password's
 * length) and marks the document; the sheet's Cancel drops it.
 */
#include <cstring>

#include "ui/ui_win.h"
#include "resources/resource_ids.h"
#include "settings/restriction_page.h"
#include "settings/settings_pages_win.h"
#include "settings/settings_sheet_win.h"

namespace {

/* The digits typed on the page. */
char gTyped[256];

struct RestrictionDialog {
    uint8_t choice;
    char typed[256];
    int changed;
};

void CheckChoice(HWND dialog, uint8_t choice)
{
    CheckDlgButton(dialog, IDC_UR_OFF, choice == RESTRICTION_OFF ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_UR_ON, choice == RESTRICTION_ON ? BST_CHECKED : BST_UNCHECKED);
}

INT_PTR CALLBACK RestrictionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    RestrictionDialog* state =
        reinterpret_cast<RestrictionDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<RestrictionDialog*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        state->choice = gDocument.edit.restriction.enabled;
        CheckChoice(dialog, state->choice);
        SendDlgItemMessageA(dialog, IDC_UR_NEW_PASSWORD, EM_LIMITTEXT, RESTRICTION_DIGITS, 0);
        SetDlgItemTextA(dialog, IDC_UR_NEW_PASSWORD, gDocument.edit.restriction.password);
        CentreOnScreen(dialog);
        return TRUE;
    case WM_COMMAND:
        if (!state)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_UR_OFF:
        case IDC_UR_ON:
            if (HIWORD(wParam) == BN_CLICKED) {
                state->choice = LOWORD(wParam) == IDC_UR_ON ? RESTRICTION_ON : RESTRICTION_OFF;
                CheckChoice(dialog, state->choice);
            }
            return TRUE;
        case IDC_UR_NEW_PASSWORD:
            if (HIWORD(wParam) == EN_CHANGE)
                FilterEditField(dialog, IDC_UR_NEW_PASSWORD, FILTER_DIGITS, RESTRICTION_DIGITS,
                                state->typed, sizeof state->typed);
            return TRUE;
        case IDC_UR_OK:
        case IDOK:
            state->changed = StoreRestriction(gDocument.edit, state->choice, state->typed);
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_UR_CANCEL:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

/* 1 when the dialog changed the edit state. */
int RunRestrictionDialog(HWND page)
{
    RestrictionDialog state = {};
    DialogBoxParamA(SettingsTemplateModule(IDD_USER_RESTRICTION),
                    MAKEINTRESOURCEA(IDD_USER_RESTRICTION), GetAncestor(page, GA_ROOT),
                    RestrictionDialogProc, reinterpret_cast<LPARAM>(&state));
    return state.changed;
}

void Init(SettingsPage&) { gTyped[0] = '\0'; }

int Command(SettingsPage& page, int control, int code)
{
    if (control == IDC_URPAGE_PASSWORD && code == EN_CHANGE) {
        FilterEditField(page.window, control, FILTER_DIGITS, RESTRICTION_DIGITS, gTyped,
                        sizeof gTyped);
        return 0;
    }
    if (control != IDC_URPAGE_OK || code != BN_CLICKED)
        return 0;
    if (!RestrictionPasswordMatches(gTyped, gDocument.edit)) {
        ShowMessageId(GetAncestor(page.window, GA_ROOT), IDS_PASSWORD_INCORRECT, MB_OK);
        SelectAndFocus(page.window, IDC_URPAGE_PASSWORD);
        return 0;
    }
    SetDlgItemTextA(page.window, IDC_URPAGE_PASSWORD, "");
    return RunRestrictionDialog(page.window);
}

}  // namespace

const SettingsPageDef RESTRICTION_PAGE = {
    {nullptr, 0, nullptr, 0, nullptr, 0},
    nullptr,
    Init,
    nullptr,
    Command,
    nullptr,
    nullptr,
    nullptr,
};
