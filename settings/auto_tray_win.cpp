/* The Auto Tray Select dialog. See auto_tray_win.h. Its rows are paper_page.cpp's rule. */
#include "settings/auto_tray_win.h"

#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/paper_page.h"
#include "settings/settings_rules.h"
#include "ui/form_dialog_win.h"

namespace {

const RadioButton TRAY1[] = {{IDC_ATS_TRAY1_ON, 1, CODE_ANY}, {IDC_ATS_TRAY1_OFF, 0, CODE_ANY}};
const RadioButton TRAY2[] = {{IDC_ATS_TRAY2_ON, 1, CODE_ANY}, {IDC_ATS_TRAY2_OFF, 0, CODE_ANY}};
const RadioButton BYPASS[] = {{IDC_ATS_BYPASS_ON, 1, CODE_ANY}, {IDC_ATS_BYPASS_OFF, 0, CODE_ANY}};

const Binding BINDINGS[] = {
    RadioGroup(EDIT_FIELD(paper.autoSelectTray1), TRAY1),
    RadioGroup(EDIT_FIELD(paper.autoSelectTray2), TRAY2),
    RadioGroup(EDIT_FIELD(paper.autoSelectBypass), BYPASS),
};

/* The rows the device has trays for (AUTO_TRAY_ROW_SHOWN). */
const int TRAY1_ROW[] = {IDC_ATS_TRAY1_ON, IDC_ATS_TRAY1_OFF, IDC_ATS_TRAY1_BOX};
const int TRAY2_ROW[] = {IDC_ATS_TRAY2_ON, IDC_ATS_TRAY2_OFF, IDC_ATS_TRAY2_BOX};
const int BYPASS_ROW[] = {IDC_ATS_BYPASS_ON, IDC_ATS_BYPASS_OFF, IDC_ATS_BYPASS_BOX};
const ControlRule SHOWS[] = {
    ControlsWhen(TRAY1_ROW, AUTO_TRAY_ROW_SHOWN[PAPER_TRAY_1]),
    ControlsWhen(TRAY2_ROW, AUTO_TRAY_ROW_SHOWN[PAPER_TRAY_2]),
    ControlsWhen(BYPASS_ROW, AUTO_TRAY_ROW_SHOWN[PAPER_BYPASS]),
};

INT_PTR Ok(FormDialog&) { return IDOK; }

const FormDialogDef AUTO_TRAY_SELECT = Dialog(IDD_AUTO_TRAY_SELECT, TableShowing(BINDINGS, SHOWS))
                                           .Centred()
                                           .CancelResult(IDCANCEL)
                                           .Ok(Ok);

}  // namespace

INT_PTR RunAutoTraySelect(HWND owner)
{
    return RunFormDialog(GetAncestor(owner, GA_ROOT), AUTO_TRAY_SELECT, &gDocument.edit,
                         sizeof gDocument.edit, nullptr);
}
