/*
 * The device information dialogs. See device_info_win.h. The texts they show and what the
 * Properties dialog stores are device_info.cpp's.
 */
#include "settings/device_info_win.h"

#include <cstdio>
#include <cstring>

#include "ui/ui_win.h"
#include "resources/resource_ids.h"
#include "settings/device_info.h"
#include "settings/settings_page_win.h"
#include "settings/settings_sheet_win.h"

namespace {

INT_PTR RunDialog(HWND owner, int templateId, DLGPROC proc, LPARAM param)
{
    return DialogBoxParamA(SettingsTemplateModule(templateId), MAKEINTRESOURCEA(templateId), owner,
                           proc, param);
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

void OnPropertiesText(HWND dialog, PropertiesWork& work, int control)
{
    char text[64];
    if (control == IDC_PROP_DEVICE_NAME) {
        FilterEditField(dialog, control, FILTER_NAME, DEVICE_NAME_CHARS, text, sizeof text);
        SetWorkText(work.name, sizeof work.name, DEVICE_NAME_CHARS, text);
    } else {
        FilterEditField(dialog, control, FILTER_PHONE, DEVICE_FAX_NUMBER_CHARS, text, sizeof text);
        SetWorkText(work.faxNumber, sizeof work.faxNumber, DEVICE_FAX_NUMBER_CHARS, text);
    }
}

INT_PTR CALLBACK PropertiesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    PropertiesWork* work = reinterpret_cast<PropertiesWork*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        work = reinterpret_cast<PropertiesWork*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        *work = TakePropertiesWork(gDocument.edit);
        SendDlgItemMessageA(dialog, IDC_PROP_DEVICE_NAME, EM_LIMITTEXT, DEVICE_NAME_CHARS, 0);
        SendDlgItemMessageA(dialog, IDC_PROP_FAX_NUMBER, EM_LIMITTEXT, DEVICE_FAX_NUMBER_CHARS, 0);
        /* Copies: setting the texts runs the filters, which write the work copy. */
        const PropertiesWork shown = *work;
        SetDlgItemTextA(dialog, IDC_PROP_DEVICE_NAME, shown.name);
        SetDlgItemTextA(dialog, IDC_PROP_FAX_NUMBER, shown.faxNumber);
        const BOOL editable = gDocument.dataPresent ? TRUE : FALSE;
        const int fields[] = {IDC_PROP_DEVICE_NAME, IDC_PROP_FAX_NUMBER, IDC_PROP_DEVICE_NAME_LABEL,
                              IDC_PROP_FAX_NUMBER_LABEL};
        for (int control : fields)
            EnableWindow(GetDlgItem(dialog, control), editable);
        CentreOnScreen(dialog);
        SetFocus(GetDlgItem(dialog, editable ? IDC_PROP_DEVICE_NAME : IDOK));
        return FALSE;
    }
    case WM_COMMAND:
        if (!work)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_PROP_DEVICE_NAME:
        case IDC_PROP_FAX_NUMBER:
            if (HIWORD(wParam) == EN_CHANGE)
                OnPropertiesText(dialog, *work, LOWORD(wParam));
            return TRUE;
        case IDOK: {
            /* Without data the fields are disabled; unchanged texts are no edit. */
            const PropertiesWork stored = TakePropertiesWork(gDocument.edit);
            if (!gDocument.dataPresent || std::memcmp(&stored, work, sizeof stored) == 0) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            CommitProperties(*work, gDocument);
            MarkDocumentChanged(gDocument);
            EndDialog(dialog, 1);
            return TRUE;
        }
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
    PropertiesWork work = {};
    return RunDialog(owner, IDD_PROPERTIES, PropertiesDialogProc, reinterpret_cast<LPARAM>(&work));
}
