/*
 * The Quick and Speed Dial entry dialog (template 712). It edits the lists' work record in place:
 * every field change is filtered and copied into the record at once, so the record always holds
 * what the form shows. What the form arranges, checks and stores is decided in dial_entry.cpp.
 * The controls a model library's form adds (batch time, custom scan) are handled when present.
 */
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "ui/ui_win.h"
#include "document/document.h"
#include "dial/dial_editors_win.h"
#include "dial/dial_entry.h"
#include "ui/controls_win.h"
#include "dial/dial_lists_win.h"
#include "resources/resource_ids.h"

namespace {

/* A filtered text field and the record field it fills. */
struct TextBinding {
    int control;
    TextFilter filter;
    int limit;
    size_t field;
    size_t size;
};

#define RECORD_TEXT(member) offsetof(DialRecord, member), sizeof(DialRecord::member)

const TextBinding TEXT_FIELDS[] = {
    {IDC_ENTRY_NAME, FILTER_NAME, DIAL_NAME_MAX, RECORD_TEXT(name)},
    {IDC_ENTRY_FAX_NUMBER, FILTER_DIAL_NUMBER, DIAL_NUMBER_MAX, RECORD_TEXT(faxNumber)},
    {IDC_ENTRY_SUB, FILTER_DIAL_CODE, DIAL_CODE_MAX, RECORD_TEXT(sub)},
    {IDC_ENTRY_SID, FILTER_DIAL_CODE, DIAL_CODE_MAX, RECORD_TEXT(sid)},
    {IDC_ENTRY_EMAIL, FILTER_EMAIL, DIAL_EMAIL_MAX, RECORD_TEXT(email)},
    {IDC_ENTRY_BATCH_HOUR, FILTER_DIGITS, 2, RECORD_TEXT(batchHour)},
    {IDC_ENTRY_BATCH_MINUTE, FILTER_DIGITS, 2, RECORD_TEXT(batchMinute)},
};

/* A radio group: consecutive ids, the first one storing 0. */
struct RadioBinding {
    int first, last;
    size_t field;
};

const RadioBinding RADIO_GROUPS[] = {
    {IDC_ENTRY_TYPE_FAX, IDC_ENTRY_TYPE_EMAIL, offsetof(DialRecord, destType)},
    {IDC_ENTRY_SPEED_9600, IDC_ENTRY_SPEED_33600, offsetof(DialRecord, speed)},
    {IDC_ENTRY_CUSTOM_SCAN_OFF, IDC_ENTRY_CUSTOM_SCAN_ON, offsetof(DialRecord, customScan)},
};

/* An option list of a model library's form: its labels and the record field its index fills. */
struct ListBinding {
    int control;
    int firstString, count;
    size_t field;
};

const ListBinding SCAN_LISTS[] = {
    {IDC_ENTRY_SCAN_SIZE, IDS_SCAN_SIZE_A4, 3, offsetof(DialRecord, scanSize)},
    {IDC_ENTRY_SCAN_RESOLUTION, IDS_SCAN_RES_DETAIL, 2, offsetof(DialRecord, scanResolution)},
    {IDC_ENTRY_SCAN_CODING, IDS_SCAN_CODING_MH, 3, offsetof(DialRecord, scanCoding)},
};

/* What custom scan starts with when it is switched on: size index 2 (A3), resolution "Fine",
 * coding "MH". */
constexpr uint8_t SCAN_DEFAULTS[] = {2, 1, 0};

/* The one open form (the dialog is modal). */
struct EntryDialog {
    View view;
    int index;
    int empty;
    int combination;
    DialRecord* record;
};
EntryDialog gEntry;

uint8_t* RecordByte(size_t field) { return reinterpret_cast<uint8_t*>(gEntry.record) + field; }

char* RecordText(const TextBinding& b) { return reinterpret_cast<char*>(RecordByte(b.field)); }

bool Has(HWND dialog, int control) { return GetDlgItem(dialog, control) != nullptr; }

EntryFormFacts Facts() { return {gEntry.view, gDocument.edit.config.ethernetBoard == 1}; }

/* Sizes on an inch device are Letter and Ledger: the list of the paper system the entry is
 * stored for, so the index means what its label says. */
ListBinding ScanList(const ListBinding& b)
{
    ListBinding list = b;
    if (b.control == IDC_ENTRY_SCAN_SIZE && IsInchDevice(gDocument.edit)) {
        list.firstString = IDS_SCAN_SIZE_LETTER;
        list.count = 2;
    }
    return list;
}

void SetTitle(HWND dialog)
{
    char prefix[64], suffix[64], title[160];
    LoadStr(gEntry.view == VIEW_QUICK ? IDS_TITLE_QUICK_DIAL : IDS_TITLE_SPEED_DIAL, prefix,
            sizeof prefix);
    suffix[0] = '\0';
    if (gEntry.combination && gEntry.record->destType == DEST_FAX)
        LoadStr(IDS_TITLE_COMBINATION_KEY, suffix, sizeof suffix);
    std::snprintf(title, sizeof title, "%s%02d%s", prefix, EntryNumber(gEntry.view, gEntry.index),
                  suffix);
    SetWindowTextA(dialog, title);
}

void Arrange(HWND dialog)
{
    const EntryArrangement a = ArrangeEntryControls(*gEntry.record, gEntry.combination, Facts());
    char text[64];
    SetDlgItemTextA(dialog, IDC_ENTRY_DEST_FRAME, LoadStr(a.frameText, text, sizeof text));
    SetDlgItemTextA(dialog, IDC_ENTRY_NUMBER_LABEL, LoadStr(a.numberLabel, text, sizeof text));
    for (int i = 0; i < a.count; i++) {
        HWND control = GetDlgItem(dialog, a.controls[i].control);
        if (!control)
            continue;
        ShowWindow(control, a.controls[i].shown ? SW_SHOW : SW_HIDE);
        EnableWindow(control, a.controls[i].enabled);
    }
}

void CheckRadio(HWND dialog, const RadioBinding& group)
{
    const int value = *RecordByte(group.field);
    if (Has(dialog, group.first))
        CheckRadioButton(dialog, group.first, group.last, group.first + value);
}

void SelectLists(HWND dialog)
{
    for (const ListBinding& b : SCAN_LISTS)
        SendDlgItemMessageA(dialog, b.control, CB_SETCURSEL, *RecordByte(b.field), 0);
}

void FillLists(HWND dialog)
{
    for (const ListBinding& binding : SCAN_LISTS) {
        if (!Has(dialog, binding.control))
            continue;
        const ListBinding b = ScanList(binding);
        SendDlgItemMessageA(dialog, b.control, CB_RESETCONTENT, 0, 0);
        for (int i = 0; i < b.count; i++) {
            char text[64];
            SendDlgItemMessageA(
                dialog, b.control, CB_ADDSTRING, 0,
                reinterpret_cast<LPARAM>(LoadStr(b.firstString + i, text, sizeof text)));
        }
    }
    SelectLists(dialog);
}

void SetFieldText(HWND dialog, int control)
{
    for (const TextBinding& b : TEXT_FIELDS)
        if (b.control == control && Has(dialog, control))
            SetDlgItemTextA(dialog, control, RecordText(b));
}

void OnTextChanged(HWND dialog, const TextBinding& b)
{
    char text[DIAL_NUMBER_SIZE + 16];
    if (!FilterEditField(dialog, b.control, b.filter, b.limit, text, sizeof text))
        return; /* the repaired text arrives with the next change */
    lstrcpynA(RecordText(b), text, static_cast<int>(b.size));
    if (b.control == IDC_ENTRY_FAX_NUMBER) {
        gEntry.combination = IsCombinationNumber(gEntry.record->faxNumber);
        SetTitle(dialog);
        Arrange(dialog);
    }
}

void OnRadio(HWND dialog, const RadioBinding& group, int control)
{
    CheckRadioButton(dialog, group.first, group.last, control);
    const uint8_t value = static_cast<uint8_t>(control - group.first);
    const uint8_t before = *RecordByte(group.field);
    *RecordByte(group.field) = value;
    if (group.first == IDC_ENTRY_TYPE_FAX && value != before) {
        /* The fields of the new type show what the record holds for it. */
        if (value == DEST_EMAIL) {
            SetFieldText(dialog, IDC_ENTRY_FAX_NUMBER);
            SetFieldText(dialog, IDC_ENTRY_SID);
            SetFieldText(dialog, IDC_ENTRY_SUB);
        } else {
            SetFieldText(dialog, IDC_ENTRY_EMAIL);
        }
        SetTitle(dialog);
    }
    if (group.first == IDC_ENTRY_CUSTOM_SCAN_OFF && value == 1 && before != 1) {
        for (int i = 0; i < 3; i++)
            *RecordByte(SCAN_LISTS[i].field) = SCAN_DEFAULTS[i];
        /* An inch device has two sizes: the larger stands for A3. */
        if (IsInchDevice(gDocument.edit))
            gEntry.record->scanSize = 1;
        SelectLists(dialog);
    }
    Arrange(dialog);
}

void OnInit(HWND dialog)
{
    CentreOnScreen(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_ENTRY_TYPE_EMAIL), Facts().networkBoard);
    for (const TextBinding& b : TEXT_FIELDS)
        SendDlgItemMessageA(dialog, b.control, EM_LIMITTEXT, b.limit, 0);
    gEntry.combination = 0;

    DialRecord* r = gEntry.record;
    if (gEntry.view == VIEW_QUICK)
        DecodeQuickKey(r, gDocument.edit, gEntry.index);
    else
        DecodeSpeedEntry(r, gDocument.edit, gEntry.index);
    if (gEntry.empty || !r->inUse) {
        std::memset(r, 0, sizeof *r);
        r->speed = 2;
    }
    gEntry.combination = r->destType == DEST_FAX && r->chain;
    SetTitle(dialog);
    for (const RadioBinding& group : RADIO_GROUPS)
        CheckRadio(dialog, group);
    /* Setting a field runs its change handling, so stored texts pass the filters again. */
    SetFieldText(dialog, IDC_ENTRY_NAME);
    SetFieldText(dialog, IDC_ENTRY_FAX_NUMBER);
    SetFieldText(dialog, IDC_ENTRY_EMAIL);
    SetFieldText(dialog, IDC_ENTRY_SUB);
    SetFieldText(dialog, IDC_ENTRY_SID);
    SetFieldText(dialog, IDC_ENTRY_BATCH_HOUR);
    SetFieldText(dialog, IDC_ENTRY_BATCH_MINUTE);
    FillLists(dialog);
    Arrange(dialog);
    /* While the dialog initialises, the focus is given directly (it returns FALSE). */
    HWND first = GetDlgItem(dialog, gEntry.combination ? IDC_ENTRY_FAX_NUMBER : IDC_ENTRY_NAME);
    SendMessageA(first, EM_SETSEL, 0, -1);
    SetFocus(first);
}

/* The failed check's message, with the range filled in for a range message. */
void ShowProblem(HWND dialog, const EntryProblem& p)
{
    char format[256], text[320];
    LoadStr(p.message, format, sizeof format);
    if (p.message == IDS_RANGE_BATCH_HOUR || p.message == IDS_RANGE_BATCH_MINUTE)
        std::snprintf(text, sizeof text, format, p.minimum, p.maximum);
    else
        lstrcpynA(text, format, sizeof text);
    ShowMessage(dialog, text, MB_OK);
    if (Has(dialog, p.control))
        SelectAndFocus(dialog, p.control);
}

void OnOk(HWND dialog)
{
    const EntryProblem problem = CheckEntryForm(*gEntry.record);
    if (problem.message) {
        ShowProblem(dialog, problem);
        return;
    }
    const uint32_t emptied =
        SaveEntryForm(gDocument.edit, gEntry.record, gEntry.view, gEntry.index, gEntry.combination,
                      static_cast<int>(gApp.quickKeyCount), MakeEntryDate());
    HWND list = AsWindow(gApp.dialList);
    if (gEntry.view == VIEW_QUICK)
        RedrawKeys(list, VIEW_QUICK, emptied);
    RebuildDialRow(list, gEntry.view, *gEntry.record, gEntry.index);
    CommitEdits(gDocument);
    MarkDocumentChanged(gDocument);
    EndDialog(dialog, 1);
}

void OnCommand(HWND dialog, int control, int code)
{
    switch (control) {
    case IDOK:
        OnOk(dialog);
        return;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return;
    }
    if (code == EN_CHANGE) {
        for (const TextBinding& b : TEXT_FIELDS)
            if (b.control == control)
                OnTextChanged(dialog, b);
        return;
    }
    if (code == BN_CLICKED) {
        for (const RadioBinding& group : RADIO_GROUPS)
            if (control >= group.first && control <= group.last)
                OnRadio(dialog, group, control);
        return;
    }
    if (code == CBN_SELCHANGE) {
        for (const ListBinding& b : SCAN_LISTS) {
            int selected =
                static_cast<int>(SendDlgItemMessageA(dialog, control, CB_GETCURSEL, 0, 0));
            if (b.control == control && selected >= 0)
                *RecordByte(b.field) = static_cast<uint8_t>(selected);
        }
    }
}

INT_PTR CALLBACK DialEntryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return FALSE; /* the focus is set */
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int DialEntryDialog(HWND owner, int view, int index, int empty)
{
    gEntry = {view == VIEW_SPEED ? VIEW_SPEED : VIEW_QUICK, index, empty, 0, &gWorkRecord};
    return static_cast<int>(DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(IDD_DIAL_ENTRY),
                                            owner, DialEntryDialogProc, 0));
}
