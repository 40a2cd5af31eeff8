/*
 * The Copier page (template 718): its table and hooks. The document feeder's groups are
 * hidden without an ADF (their values are kept and stored as they are); "Photo" takes the
 * density mode out of use and out of the upload (the image length of 0x10202). The A3
 * family's form has two more fields, only checked: what they set is the device's own.
 */
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/copier_page.h"
#include "settings/settings_pages_win.h"

namespace {

void Prepare(EditState& state)
{
    state.copy.paperTrayPriority = ClampTrayPriority(
        state.copy.paperTrayPriority, state.config.optionalTray, state.config.bypassTray);
}

/* The list names only the trays there are; a priority past them selects nothing. */
void Init(SettingsPage& page)
{
    const EditState& edits = PageEdits(page);
    FillComboFromStrings(page.form.window, IDC_COPY_TRAY_PRIORITY, IDS_TRAY_1,
                         IDS_TRAY_1 + TrayPriorityCount(edits.config.optionalTray) - 1,
                         edits.copy.paperTrayPriority);
}

/* The A3 family's form adds two fields the table does not bind; a form without them (this
 * program's own) has nothing to check. */
CheckResult Check(const SettingsPage& page, CheckPhase phase)
{
    const CopierA3Field* fields = CopierA3CheckOrder(phase == CHECK_APPLY);
    for (int i = 0; i < COPIER_A3_FIELD_COUNT; i++) {
        const CopierA3Field& f = fields[i];
        if (!GetDlgItem(page.form.window, f.control))
            continue;
        char text[129] = "";
        ControlText(page.form, f.control, text, sizeof text);
        const FieldProblem problem =
            JudgeNumberField(text, f.control, IDS_RANGE_ERROR, f.min, f.max);
        if (problem.message)
            return Found(problem);
    }
    return PASSED;
}

/* Set from what is stored, so a Cancel that undid the choice cannot leave the length behind;
 * an item the device lacks stays absent. */
void Applied(SettingsPage& page)
{
    SetSentLength(gDocument, 0x10202, PageEdits(page).copy.originalType == ORIGINAL_PHOTO ? 0 : 1);
}

}  // namespace

const SettingsPageDef COPIER_PAGE =
    Page(COPIER_TABLE).Prepare(Prepare).Init(Init).Check(Check).Applied(Applied);
