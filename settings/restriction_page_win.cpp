/*
 * The User Restriction page (template 160) and its dialog (template 159). The page asks for
 * the device's current restriction password; only when it matches does the dialog open, where
 * the restriction is switched and a new password given. The dialog writes the edit state, and
 * the page counts that as the user's edit, so the sheet's Apply stores it (with the password's
 * length) and marks the document; the sheet's Cancel drops it.
 */
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/restriction_page.h"
#include "settings/settings_pages_win.h"
#include "ui/form_dialog_win.h"
#include "ui/ui_win.h"

namespace {

/* ---- The dialog ------------------------------------------------------------------------------ */

struct RestrictionChoice {
    uint8_t choice; /* RESTRICTION_OFF or RESTRICTION_ON */
    char typed[RESTRICTION_DIGITS + 1];
};

const RadioButton CHOICE[] = {
    {IDC_UR_OFF, RESTRICTION_OFF, CODE_ANY},
    {IDC_UR_ON, RESTRICTION_ON, CODE_ANY},
};
const TextOptions NEW_PASSWORD = {RESTRICTION_DIGITS, FILTER_DIGITS, 0, 1, 1};

const Binding DIALOG_BINDINGS[] = {
    RadioGroup(RECORD_FIELD(RestrictionChoice, choice), CHOICE),
    Text(IDC_UR_NEW_PASSWORD, RECORD_FIELD(RestrictionChoice, typed), NEW_PASSWORD),
};

/* The choice and the new password into the edit state; the context learns whether that
 * changed it. */
INT_PTR DialogOk(FormDialog& dialog)
{
    const RestrictionChoice& work = *static_cast<const RestrictionChoice*>(dialog.form.record);
    *static_cast<int*>(dialog.context) = StoreRestriction(gDocument.edit, work.choice, work.typed);
    return 0;
}

const FormDialogDef RESTRICTION_DIALOG = Dialog(IDD_USER_RESTRICTION, Table(DIALOG_BINDINGS))
                                             .Centred()
                                             .Buttons(IDC_UR_OK, IDC_UR_CANCEL)
                                             .Ok(DialogOk);

/* 1 when the dialog changed the edit state. */
int RunRestrictionDialog(HWND page)
{
    RestrictionChoice work = {};
    work.choice = gDocument.edit.restriction.enabled;
    lstrcpynA(work.typed, gDocument.edit.restriction.password, sizeof work.typed);
    int changed = 0;
    RunFormDialog(GetAncestor(page, GA_ROOT), RESTRICTION_DIALOG, &work, 0, &changed);
    return changed;
}

/* ---- The page -------------------------------------------------------------------------------- */

/* The digits typed on the page. */
struct RestrictionPageState {
    char typed[RESTRICTION_DIGITS + 1];
};

int Command(SettingsPage& page, int control, int code)
{
    char(&typed)[RESTRICTION_DIGITS + 1] = PageState<RestrictionPageState>(page).typed;
    if (control == IDC_URPAGE_PASSWORD && code == EN_CHANGE) {
        FilterEditField(page.form.window, control, FILTER_DIGITS, RESTRICTION_DIGITS, typed,
                        sizeof typed);
        return 0;
    }
    if (control != IDC_URPAGE_OK || code != BN_CLICKED)
        return 0;
    if (!RestrictionPasswordMatches(typed, PageEdits(page))) {
        ShowMessageId(GetAncestor(page.form.window, GA_ROOT), IDS_PASSWORD_INCORRECT, MB_OK);
        SelectAndFocus(page.form.window, IDC_URPAGE_PASSWORD);
        return 0;
    }
    SetDlgItemTextA(page.form.window, IDC_URPAGE_PASSWORD, "");
    return RunRestrictionDialog(page.form.window);
}

}  // namespace

const SettingsPageDef RESTRICTION_PAGE =
    Page(NO_TABLE).Context<RestrictionPageState>().Command(Command);
