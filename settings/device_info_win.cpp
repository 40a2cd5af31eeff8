/*
 * The device information dialogs. See device_info_win.h. The texts they show and what the
 * Properties dialog stores are device_info.cpp's.
 */
#include "settings/device_info_win.h"

#include <cstdio>
#include <cstring>

#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/device_info.h"
#include "ui/form_dialog_win.h"
#include "ui/ui_win.h"

namespace {

INT_PTR RunDialog(HWND owner, int templateId, DLGPROC proc, LPARAM param)
{
    return DialogBoxParamA(TemplateModule(templateId), MAKEINTRESOURCEA(templateId), owner, proc,
                           param);
}

void SetNumber(HWND dialog, int control, unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u", value);
    SetDlgItemTextA(dialog, control, text);
}

void SetStringId(HWND dialog, int control, int stringId)
{
    char text[128];
    SetDlgItemTextA(dialog, control, LoadStr(stringId, text, sizeof text));
}

/* Counter and Device Info: shown, nothing to store; OK, Cancel and the close box end them. */
INT_PTR EndOnCommand(HWND dialog, UINT message, WPARAM wParam)
{
    if ((message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) ||
        message == WM_CLOSE) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK CounterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        uint32_t counters[4] = {};
        ReadCounters(gDocument.image, counters);
        const int controls[4] = {IDC_COUNTER_SCAN, IDC_COUNTER_FULL_COLOR, IDC_COUNTER_BLACK_WHITE,
                                 IDC_COUNTER_LEVEL_COLOR};
        for (int i = 0; i < 4; i++) {
            gDocument.edit.counters.values[i] = counters[i];
            SetNumber(dialog, controls[i], counters[i]);
        }
        CentreOnScreen(dialog);
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;
    }
    return EndOnCommand(dialog, message, wParam);
}

INT_PTR CALLBACK DeviceInfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        const DeviceInfoTexts texts = DescribeDeviceOptions(gDocument.edit);
        SetStringId(dialog, IDC_INFO_ADF, texts.adf);
        SetStringId(dialog, IDC_INFO_OPTIONAL_TRAY, texts.optionalTray);
        SetStringId(dialog, IDC_INFO_BYPASS_TRAY, texts.bypassTray);
        SetStringId(dialog, IDC_INFO_ETHERNET, texts.ethernetBoard);
        SetNumber(dialog, IDC_INFO_MEMORY, texts.memoryMb);
        CentreOnScreen(dialog);
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;
    }
    return EndOnCommand(dialog, message, wParam);
}

/* ---- Properties ------------------------------------------------------------------------------ */

/* What the Properties dialog edits, and whether there is data to edit at all. */
struct PropertiesForm {
    PropertiesWork work;
    uint8_t editable;
};

const TextOptions NAME = {DEVICE_NAME_CHARS, FILTER_NAME, 0, 1, 0};
const TextOptions FAX_NUMBER = {DEVICE_FAX_NUMBER_CHARS, FILTER_PHONE, 0, 1, 0};
const Binding PROPERTIES_BINDINGS[] = {
    Text(IDC_PROP_DEVICE_NAME, RECORD_FIELD(PropertiesForm, work.name), NAME),
    Text(IDC_PROP_FAX_NUMBER, RECORD_FIELD(PropertiesForm, work.faxNumber), FAX_NUMBER),
};
const int PROPERTIES_FIELDS[] = {IDC_PROP_DEVICE_NAME, IDC_PROP_FAX_NUMBER,
                                 IDC_PROP_DEVICE_NAME_LABEL, IDC_PROP_FAX_NUMBER_LABEL};
const ControlRule PROPERTIES_ENABLES[] = {
    ControlsWhen(PROPERTIES_FIELDS, WhenEqual(RECORD_FIELD(PropertiesForm, editable), 1)),
};

const PropertiesForm& Properties(const FormDialog& dialog)
{
    return *static_cast<const PropertiesForm*>(dialog.form.record);
}

int PropertiesInit(FormDialog& dialog)
{
    return Properties(dialog).editable ? IDC_PROP_DEVICE_NAME : IDOK;
}

/* Without data the fields are disabled; unchanged texts are no edit. */
INT_PTR PropertiesOk(FormDialog& dialog)
{
    const PropertiesForm& form = Properties(dialog);
    const PropertiesWork stored = TakePropertiesWork(gDocument.edit);
    if (!form.editable || std::memcmp(&stored, &form.work, sizeof stored) == 0)
        return 0;
    CommitProperties(form.work, gDocument);
    MarkDocumentChanged(gDocument);
    return 1;
}

const FormDialogDef PROPERTIES =
    Dialog(IDD_PROPERTIES, Table(PROPERTIES_BINDINGS, PROPERTIES_ENABLES))
        .Centred()
        .Init(PropertiesInit)
        .Ok(PropertiesOk);

}  // namespace

INT_PTR ShowCounterDialog(HWND owner)
{
    return RunDialog(owner, IDD_COUNTER, CounterDialogProc, 0);
}

INT_PTR ShowDeviceInfoDialog(HWND owner)
{
    return RunDialog(owner, IDD_DEVICE_INFO, DeviceInfoDialogProc, 0);
}

INT_PTR ShowPropertiesDialog(HWND owner)
{
    PropertiesForm form = {TakePropertiesWork(gDocument.edit),
                           static_cast<uint8_t>(gDocument.dataPresent ? 1 : 0)};
    return RunFormDialog(owner, PROPERTIES, &form, 0, nullptr);
}
