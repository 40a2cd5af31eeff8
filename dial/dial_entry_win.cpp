/*
 * The Quick and Speed Dial entry dialog (template 712), a dialog of the binding frame over an
 * EntryForm of its own: every field change is filtered and stored into the form's record at
 * once, so the record always holds what the form shows. What the form arranges, checks and
 * stores is decided in dial_entry.cpp. The controls a model library's form adds (batch time,
 * custom scan) are bound as well; a form without them leaves their fields empty.
 */
#include "dial/dial_editors_win.h"

#include <cstdio>
#include <cstring>

#include "dial/dial_entry.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/form_dialog_win.h"
#include "ui/ui_win.h"

namespace {

/* What the dialog edits: the entry's record, and the facts its rules look at. */
struct EntryForm {
    DialRecord record;
    View view;
    int index;
    uint8_t combination;
    uint8_t networkBoard;
    uint8_t inchDevice;
};

#define FORM_FIELD(member) RECORD_FIELD(EntryForm, member)

const TextOptions NAME = {DIAL_NAME_MAX, FILTER_NAME, 0, 1, 0};
const TextOptions FAX_NUMBER = {DIAL_NUMBER_MAX, FILTER_DIAL_NUMBER, 0, 1, 0};
const TextOptions CODE = {DIAL_CODE_MAX, FILTER_DIAL_CODE, 0, 1, 0};
const TextOptions EMAIL = {DIAL_EMAIL_MAX, FILTER_EMAIL, 0, 1, 0};
const TextOptions BATCH = {2, FILTER_DIGITS, 0, 1, 0};

const RadioButton TYPE[] = {
    {IDC_ENTRY_TYPE_FAX, DEST_FAX, CODE_ANY},
    {IDC_ENTRY_TYPE_EMAIL, DEST_EMAIL, CODE_ANY},
};
const RadioButton SPEED[] = {
    {IDC_ENTRY_SPEED_9600, 0, CODE_ANY},
    {IDC_ENTRY_SPEED_14400, 1, CODE_ANY},
    {IDC_ENTRY_SPEED_33600, 2, CODE_ANY},
};
const RadioButton CUSTOM_SCAN[] = {
    {IDC_ENTRY_CUSTOM_SCAN_OFF, 0, CODE_ANY},
    {IDC_ENTRY_CUSTOM_SCAN_ON, 1, CODE_ANY},
};

/* Sizes on an inch device are Letter and Ledger: the list of the paper system the entry is
 * stored for, so the index means what its label says. */
constexpr Condition METRIC = WhenEqual(FORM_FIELD(inchDevice), 0);
constexpr Condition INCH = WhenEqual(FORM_FIELD(inchDevice), 1);
const ComboRow SCAN_SIZES[] = {
    {IDS_SCAN_SIZE_A4, 0, METRIC},   {IDS_SCAN_SIZE_B4_JIS, 0, METRIC},
    {IDS_SCAN_SIZE_A3, 0, METRIC},   {IDS_SCAN_SIZE_LETTER, 0, INCH},
    {IDS_SCAN_SIZE_LEDGER, 0, INCH},
};

const Binding BINDINGS[] = {
    RadioGroup(FORM_FIELD(record.destType), TYPE),
    RadioGroup(FORM_FIELD(record.speed), SPEED),
    RadioGroup(FORM_FIELD(record.customScan), CUSTOM_SCAN),
    Text(IDC_ENTRY_NAME, FORM_FIELD(record.name), NAME),
    Text(IDC_ENTRY_FAX_NUMBER, FORM_FIELD(record.faxNumber), FAX_NUMBER),
    Text(IDC_ENTRY_EMAIL, FORM_FIELD(record.email), EMAIL),
    Text(IDC_ENTRY_SUB, FORM_FIELD(record.sub), CODE),
    Text(IDC_ENTRY_SID, FORM_FIELD(record.sid), CODE),
    Text(IDC_ENTRY_BATCH_HOUR, FORM_FIELD(record.batchHour), BATCH),
    Text(IDC_ENTRY_BATCH_MINUTE, FORM_FIELD(record.batchMinute), BATCH),
    ComboIndexRows(IDC_ENTRY_SCAN_SIZE, FORM_FIELD(record.scanSize), SCAN_SIZES),
    ComboIndex(IDC_ENTRY_SCAN_RESOLUTION, FORM_FIELD(record.scanResolution), IDS_SCAN_RES_DETAIL,
               IDS_SCAN_RES_FINE),
    ComboIndex(IDC_ENTRY_SCAN_CODING, FORM_FIELD(record.scanCoding), IDS_SCAN_CODING_MH,
               IDS_SCAN_CODING_MMR),
};

const int EMAIL_TYPE[] = {IDC_ENTRY_TYPE_EMAIL};
const ControlRule ENABLES[] = {
    ControlsWhen(EMAIL_TYPE, WhenEqual(FORM_FIELD(networkBoard), 1)),
};

/* What custom scan starts with when it is switched on: size index 2 (A3), resolution "Fine",
 * coding "MH"; an inch device has two sizes, and the larger stands for A3. */
constexpr uint8_t SCAN_DEFAULTS[] = {2, 1, 0};
constexpr int SCAN_LISTS[] = {IDC_ENTRY_SCAN_SIZE, IDC_ENTRY_SCAN_RESOLUTION,
                              IDC_ENTRY_SCAN_CODING};

EntryForm& Entry(FormDialog& dialog) { return *static_cast<EntryForm*>(dialog.form.record); }
const EntryForm& Entry(const FormDialog& dialog)
{
    return *static_cast<const EntryForm*>(dialog.form.record);
}

void SetTitle(FormDialog& dialog)
{
    const EntryForm& entry = Entry(dialog);
    char prefix[64], suffix[64], title[160];
    LoadStr(entry.view == VIEW_QUICK ? IDS_TITLE_QUICK_DIAL : IDS_TITLE_SPEED_DIAL, prefix,
            sizeof prefix);
    suffix[0] = '\0';
    if (entry.combination && entry.record.destType == DEST_FAX)
        LoadStr(IDS_TITLE_COMBINATION_KEY, suffix, sizeof suffix);
    std::snprintf(title, sizeof title, "%s%02d%s", prefix, EntryNumber(entry.view, entry.index),
                  suffix);
    SetWindowTextA(dialog.form.window, title);
}

/* The controls as ArrangeEntryControls wants them for the record and the combination. */
void Arrange(FormDialog& dialog)
{
    const EntryForm& entry = Entry(dialog);
    const EntryArrangement a =
        ArrangeEntryControls(entry.record, entry.combination, {entry.view, entry.networkBoard});
    HWND window = dialog.form.window;
    char text[64];
    SetDlgItemTextA(window, IDC_ENTRY_DEST_FRAME, LoadStr(a.frameText, text, sizeof text));
    SetDlgItemTextA(window, IDC_ENTRY_NUMBER_LABEL, LoadStr(a.numberLabel, text, sizeof text));
    for (int i = 0; i < a.count; i++) {
        HWND control = GetDlgItem(window, a.controls[i].control);
        if (!control)
            continue;
        ShowWindow(control, a.controls[i].shown ? SW_SHOW : SW_HIDE);
        EnableWindow(control, a.controls[i].enabled);
    }
}

/* The stored texts have passed the filters again as they were shown; the fax number as it now
 * stands decides the combination mode. The focus goes to the number of a combination key, else
 * to the name, with its text selected. */
int Init(FormDialog& dialog)
{
    EntryForm& entry = Entry(dialog);
    entry.combination = IsCombinationNumber(entry.record.faxNumber) ? 1 : 0;
    SetTitle(dialog);
    Arrange(dialog);
    const int first = entry.combination ? IDC_ENTRY_FAX_NUMBER : IDC_ENTRY_NAME;
    SendDlgItemMessageA(dialog.form.window, first, EM_SETSEL, 0, -1);
    return first;
}

void Edited(FormDialog& dialog, int control)
{
    EntryForm& entry = Entry(dialog);
    switch (control) {
    case IDC_ENTRY_FAX_NUMBER:
        entry.combination = IsCombinationNumber(entry.record.faxNumber) ? 1 : 0;
        SetTitle(dialog);
        break;
    case IDC_ENTRY_TYPE_FAX:
    case IDC_ENTRY_TYPE_EMAIL:
        /* The fields of the new type show what the record holds for it. */
        for (int text : {IDC_ENTRY_FAX_NUMBER, IDC_ENTRY_SID, IDC_ENTRY_SUB, IDC_ENTRY_EMAIL})
            RefreshBinding(dialog.form, text);
        SetTitle(dialog);
        break;
    case IDC_ENTRY_CUSTOM_SCAN_ON:
        entry.record.scanSize = entry.inchDevice ? 1 : SCAN_DEFAULTS[0];
        entry.record.scanResolution = SCAN_DEFAULTS[1];
        entry.record.scanCoding = SCAN_DEFAULTS[2];
        for (int list : SCAN_LISTS)
            RefreshBinding(dialog.form, list);
        break;
    case IDC_ENTRY_SPEED_9600:
    case IDC_ENTRY_SPEED_14400:
    case IDC_ENTRY_SPEED_33600:
    case IDC_ENTRY_CUSTOM_SCAN_OFF:
        break;
    default:
        return;
    }
    Arrange(dialog);
}

CheckResult Check(const FormDialog& dialog)
{
    const EntryProblem p = CheckEntryForm(Entry(dialog).record);
    return Found({p.message, p.control, p.minimum, p.maximum});
}

INT_PTR Ok(FormDialog& dialog)
{
    EntryForm& entry = Entry(dialog);
    DialEdit* edit = static_cast<DialEdit*>(dialog.context);
    edit->emptied =
        SaveEntryForm(gDocument.edit, &entry.record, entry.view, entry.index, entry.combination,
                      static_cast<int>(gApp.quickKeyCount), MakeEntryDate());
    edit->record = entry.record;
    edit->stored = 1;
    CommitEdits(gDocument);
    MarkDocumentChanged(gDocument);
    return 1;
}

const FormDialogDef ENTRY_DIALOG = Dialog(IDD_DIAL_ENTRY, Table(BINDINGS, ENABLES))
                                       .Centred()
                                       .Init(Init)
                                       .Edited(Edited)
                                       .Check(Check)
                                       .Ok(Ok);

}  // namespace

int DialEntryDialog(HWND owner, int view, int index, int empty, DialEdit* edit)
{
    EntryForm entry = {};
    entry.view = view == VIEW_SPEED ? VIEW_SPEED : VIEW_QUICK;
    entry.index = index;
    entry.networkBoard = gDocument.edit.config.ethernetBoard == 1;
    entry.inchDevice = IsInchDevice(gDocument.edit) ? 1 : 0;
    DialRecord& r = entry.record;
    if (entry.view == VIEW_QUICK)
        DecodeQuickKey(&r, gDocument.edit, index);
    else
        DecodeSpeedEntry(&r, gDocument.edit, index);
    if (empty || !r.inUse) {
        std::memset(&r, 0, sizeof r);
        r.speed = 2;
    }
    DialEdit unused = {};
    return static_cast<int>(RunFormDialog(owner, ENTRY_DIALOG, &entry, 0, edit ? edit : &unused));
}
