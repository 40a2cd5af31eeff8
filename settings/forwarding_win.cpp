/*
 * The Forwarding Destination dialog. See forwarding_win.h.
 */
#include "settings/forwarding_win.h"

#include "ui/app_state.h"
#include "ui/ui_win.h"
#include "ui/controls_win.h"
#include "resources/resource_ids.h"
#include "settings/forwarding.h"
#include "settings/settings_sheet_win.h"

namespace {

const int FAX_CONTROLS[] = {IDC_FWD_FAX_NUMBER, IDC_FWD_SUB_LABEL, IDC_FWD_SUB, IDC_FWD_SID_LABEL,
                            IDC_FWD_SID};

/* What the dialog edits: the destination's type and both kinds' texts. */
ForwardDestination gWork;

void Arrange(HWND dialog)
{
    const int email = gWork.type == FORWARD_EMAIL;
    CheckDlgButton(dialog, IDC_FWD_TYPE_FAX, email ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(dialog, IDC_FWD_TYPE_EMAIL, email ? BST_CHECKED : BST_UNCHECKED);
    char text[64];
    SetDlgItemTextA(dialog, IDC_FWD_DEST_FRAME,
                    LoadStr(email ? IDS_FRAME_EMAIL : IDS_FRAME_FAX, text, sizeof text));
    SetDlgItemTextA(
        dialog, IDC_FWD_NUMBER_LABEL,
        LoadStr(email ? IDS_LABEL_EMAIL_ADDRESS : IDS_LABEL_FAX_NUMBER, text, sizeof text));
    for (int control : FAX_CONTROLS)
        ShowWindow(GetDlgItem(dialog, control), email ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(dialog, IDC_FWD_EMAIL), email ? SW_SHOW : SW_HIDE);
}

/* The fields' texts again from the work area (their change handling filters them). */
void ShowTexts(HWND dialog)
{
    SetDlgItemTextA(dialog, IDC_FWD_FAX_NUMBER, gWork.number);
    SetDlgItemTextA(dialog, IDC_FWD_SUB, gWork.sub);
    SetDlgItemTextA(dialog, IDC_FWD_SID, gWork.sid);
    SetDlgItemTextA(dialog, IDC_FWD_EMAIL, gWork.email);
}

void OnInit(HWND dialog)
{
    if (gApp.screenWidth != 0)
        CentreOnScreen(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_FWD_TYPE_EMAIL),
                 gDocument.edit.config.ethernetBoard == 1 ? TRUE : FALSE);
    SendDlgItemMessageA(dialog, IDC_FWD_FAX_NUMBER, EM_LIMITTEXT, FORWARD_NUMBER_MAX, 0);
    SendDlgItemMessageA(dialog, IDC_FWD_SUB, EM_LIMITTEXT, FORWARD_CODE_MAX, 0);
    SendDlgItemMessageA(dialog, IDC_FWD_SID, EM_LIMITTEXT, FORWARD_CODE_MAX, 0);
    SendDlgItemMessageA(dialog, IDC_FWD_EMAIL, EM_LIMITTEXT, FORWARD_EMAIL_MAX, 0);
    gWork = DecodeForwarding(gDocument.edit.forwarding.record, gDocument.edit);
    if (gWork.type == FORWARD_NONE)
        gWork.type = FORWARD_FAX;
    ShowTexts(dialog);
    Arrange(dialog);
}

void SwitchType(HWND dialog, uint8_t type)
{
    if (gWork.type != type) {
        /* The fields of the kind left are emptied. */
        if (type == FORWARD_EMAIL)
            gWork.number[0] = gWork.sub[0] = gWork.sid[0] = '\0';
        else
            gWork.email[0] = '\0';
        gWork.type = type;
        ShowTexts(dialog);
    }
    Arrange(dialog);
}

void OnOk(HWND dialog)
{
    int emailField = 0;
    const int message = CheckForwardDestination(gWork, &emailField);
    if (message) {
        ShowMessageId(dialog, static_cast<UINT>(message), MB_OK);
        SelectAndFocus(dialog, emailField ? IDC_FWD_EMAIL : IDC_FWD_FAX_NUMBER);
        return;
    }
    StoreForwardingDestination(gDocument.edit.forwarding, gWork);
    EndDialog(dialog, 1);
}

void OnFieldChange(HWND dialog, int control)
{
    switch (control) {
    case IDC_FWD_FAX_NUMBER:
        FilterEditField(dialog, control, FILTER_DIAL_NUMBER, FORWARD_NUMBER_MAX, gWork.number,
                          sizeof gWork.number);
        break;
    case IDC_FWD_SUB:
        FilterEditField(dialog, control, FILTER_DIAL_CODE, FORWARD_CODE_MAX, gWork.sub,
                          sizeof gWork.sub);
        break;
    case IDC_FWD_SID:
        FilterEditField(dialog, control, FILTER_DIAL_CODE, FORWARD_CODE_MAX, gWork.sid,
                          sizeof gWork.sid);
        break;
    case IDC_FWD_EMAIL:
        FilterEditField(dialog, control, FILTER_EMAIL, FORWARD_EMAIL_MAX, gWork.email,
                          sizeof gWork.email);
        break;
    }
}

INT_PTR CALLBACK ForwardingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return TRUE;
    case WM_COMMAND: {
        const int control = LOWORD(wParam);
        const int code = HIWORD(wParam);
        switch (control) {
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_FWD_TYPE_FAX:
        case IDC_FWD_TYPE_EMAIL:
            if (code == BN_CLICKED)
                SwitchType(dialog, control == IDC_FWD_TYPE_EMAIL ? FORWARD_EMAIL : FORWARD_FAX);
            return TRUE;
        }
        if (code == EN_CHANGE)
            OnFieldChange(dialog, control);
        return TRUE;
    }
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int RunForwardingDialog(HWND owner)
{
    return DialogBoxParamA(SettingsTemplateModule(IDD_FORWARDING), MAKEINTRESOURCEA(IDD_FORWARDING),
                           GetAncestor(owner, GA_ROOT), ForwardingProc, 0) == 1;
}
