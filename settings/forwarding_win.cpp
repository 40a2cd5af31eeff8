/*
 * The Forwarding Destination dialog. See forwarding_win.h. The dialog edits a destination of
 * its own; OK puts it into the edit state's record, so the sheet's Cancel drops it like every
 * other edit.
 */
#include "settings/forwarding_win.h"

#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/forwarding.h"
#include "ui/form_dialog_win.h"

namespace {

/* What the dialog edits: the destination's type and both kinds' texts, and whether the device
 * can send e-mail at all. */
struct ForwardForm {
    ForwardDestination destination;
    uint8_t networkBoard;
};

#define FORM_FIELD(member) RECORD_FIELD(ForwardForm, member)

const RadioButton TYPE[] = {
    {IDC_FWD_TYPE_FAX, FORWARD_FAX, CODE_ANY},
    {IDC_FWD_TYPE_EMAIL, FORWARD_EMAIL, CODE_ANY},
};
const TextOptions NUMBER = {FORWARD_NUMBER_MAX, FILTER_DIAL_NUMBER, 0, 1, 0};
const TextOptions CODE = {FORWARD_CODE_MAX, FILTER_DIAL_CODE, 0, 1, 0};
const TextOptions EMAIL = {FORWARD_EMAIL_MAX, FILTER_EMAIL, 0, 1, 0};
const ComboRow FRAME[] = {
    {IDS_FRAME_FAX, FORWARD_FAX, ALWAYS},
    {IDS_FRAME_EMAIL, FORWARD_EMAIL, ALWAYS},
};
const ComboRow NUMBER_LABEL[] = {
    {IDS_LABEL_FAX_NUMBER, FORWARD_FAX, ALWAYS},
    {IDS_LABEL_EMAIL_ADDRESS, FORWARD_EMAIL, ALWAYS},
};

const Binding BINDINGS[] = {
    RadioGroup(FORM_FIELD(destination.type), TYPE),
    Text(IDC_FWD_FAX_NUMBER, FORM_FIELD(destination.number), NUMBER),
    Text(IDC_FWD_SUB, FORM_FIELD(destination.sub), CODE),
    Text(IDC_FWD_SID, FORM_FIELD(destination.sid), CODE),
    Text(IDC_FWD_EMAIL, FORM_FIELD(destination.email), EMAIL),
    Label(IDC_FWD_DEST_FRAME, FORM_FIELD(destination.type), FRAME),
    Label(IDC_FWD_NUMBER_LABEL, FORM_FIELD(destination.type), NUMBER_LABEL),
};

const int FAX_CONTROLS[] = {IDC_FWD_FAX_NUMBER, IDC_FWD_SUB_LABEL, IDC_FWD_SUB, IDC_FWD_SID_LABEL,
                            IDC_FWD_SID};
const int EMAIL_CONTROLS[] = {IDC_FWD_EMAIL};
const ControlRule SHOWS[] = {
    ControlsWhen(FAX_CONTROLS, WhenNotEqual(FORM_FIELD(destination.type), FORWARD_EMAIL)),
    ControlsWhen(EMAIL_CONTROLS, WhenEqual(FORM_FIELD(destination.type), FORWARD_EMAIL)),
};
const int EMAIL_TYPE[] = {IDC_FWD_TYPE_EMAIL};
const ControlRule ENABLES[] = {
    ControlsWhen(EMAIL_TYPE, WhenEqual(FORM_FIELD(networkBoard), 1)),
};

ForwardForm& Work(FormDialog& dialog) { return *static_cast<ForwardForm*>(dialog.form.record); }
const ForwardDestination& Destination(const FormDialog& dialog)
{
    return static_cast<const ForwardForm*>(dialog.form.record)->destination;
}

/* The other type chosen: the fields of the kind left are emptied. */
void Edited(FormDialog& dialog, int control)
{
    if (control != IDC_FWD_TYPE_FAX && control != IDC_FWD_TYPE_EMAIL)
        return;
    ForwardDestination& d = Work(dialog).destination;
    if (d.type == FORWARD_EMAIL)
        d.number[0] = d.sub[0] = d.sid[0] = '\0';
    else
        d.email[0] = '\0';
    for (int text : {IDC_FWD_FAX_NUMBER, IDC_FWD_SUB, IDC_FWD_SID, IDC_FWD_EMAIL})
        RefreshBinding(dialog.form, text);
}

CheckResult Check(const FormDialog& dialog)
{
    int emailField = 0;
    const int message = CheckForwardDestination(Destination(dialog), &emailField);
    return Found({message, emailField ? IDC_FWD_EMAIL : IDC_FWD_FAX_NUMBER, 0, 0});
}

INT_PTR Ok(FormDialog& dialog)
{
    StoreForwardingDestination(gDocument.edit.forwarding, Destination(dialog));
    return 1;
}

const FormDialogDef FORWARDING = Dialog(IDD_FORWARDING, Table(BINDINGS, ENABLES, SHOWS))
                                     .Centred()
                                     .Edited(Edited)
                                     .Check(Check)
                                     .Ok(Ok);

}  // namespace

int RunForwardingDialog(HWND owner)
{
    ForwardForm work = {};
    work.destination = DecodeForwarding(gDocument.edit.forwarding.record, gDocument.edit);
    if (work.destination.type == FORWARD_NONE)
        work.destination.type = FORWARD_FAX;
    work.networkBoard = gDocument.edit.config.ethernetBoard == 1;
    return RunFormDialog(GetAncestor(owner, GA_ROOT), FORWARDING, &work, 0, nullptr) == 1;
}
