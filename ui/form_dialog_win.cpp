/* Modal dialogs from binding tables. See form_dialog_win.h. */
#include "ui/form_dialog_win.h"

#include <cstring>
#include <vector>

#include "document/dial_records.h"
#include "document/document.h"
#include "ui/accessible_names_win.h"
#include "ui/controls_win.h"
#include "ui/ui_win.h"

namespace {

struct RunningDialog {
    FormDialog dialog;
    std::vector<uint8_t> saved; /* the record as it was, for Cancel */
};

RunningDialog* RunningOf(HWND window)
{
    return reinterpret_cast<RunningDialog*>(GetWindowLongPtrA(window, DWLP_USER));
}

/* One user action: the bound store or the dialog's own handler, then, when it changed the
 * record, the dialog's dependent rules and the enabling. */
void OnCommand(FormDialog& d, int control, int code)
{
    Form& form = d.form;
    if (form.filling)
        return;
    const int outer = form.touched;
    form.touched = 0;
    int own = 0;
    if (!OnFormCommand(form, control, code) && d.def->command)
        own = d.def->command(d, control, code);
    if (form.touched || own) {
        if (form.touched && d.def->edited)
            d.def->edited(d, control);
        ApplyControlRules(form);
    }
    form.touched = outer;
}

void OnScroll(FormDialog& d, HWND bar, int request, int thumb)
{
    Form& form = d.form;
    const int outer = form.touched;
    form.touched = 0;
    OnFormScroll(form, bar, request, thumb);
    if (form.touched) {
        if (d.def->edited)
            d.def->edited(d, GetDlgCtrlID(bar));
        ApplyControlRules(form);
    }
    form.touched = outer;
}

void End(RunningDialog& running, INT_PTR result) { EndDialog(running.dialog.form.window, result); }

void OnOk(RunningDialog& running)
{
    FormDialog& d = running.dialog;
    const CheckResult result = d.def->check ? d.def->check(d) : PASSED;
    if (result.count) {
        ShowProblems(d.form, result);
        return;
    }
    End(running, d.def->ok ? d.def->ok(d) : 1);
}

void OnCancel(RunningDialog& running)
{
    if (!running.saved.empty())
        std::memcpy(running.dialog.form.record, running.saved.data(), running.saved.size());
    End(running, running.dialog.def->cancelResult);
}

BOOL OnInit(HWND window, RunningDialog& running)
{
    FormDialog& d = running.dialog;
    d.form.window = window;
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&running));
    if (d.def->centre)
        CentreOnScreen(window);
    GiveAccessibleNames(window, d.def->templateId);
    d.form.filling = 1;
    FillForm(d.form);
    const int focus = d.def->init ? d.def->init(d) : 0;
    d.form.filling = 0;
    if (!focus)
        return TRUE;
    SetFocus(GetDlgItem(window, focus));
    return FALSE;
}

INT_PTR CALLBACK FormDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInit(window, *reinterpret_cast<RunningDialog*>(lParam));
    RunningDialog* running = RunningOf(window);
    if (!running)
        return FALSE;
    FormDialog& d = running->dialog;
    switch (message) {
    case WM_COMMAND: {
        const int control = LOWORD(wParam);
        if (control == IDOK || (d.def->okControl && control == d.def->okControl))
            OnOk(*running);
        else if (control == IDCANCEL || (d.def->cancelControl && control == d.def->cancelControl))
            OnCancel(*running);
        else
            OnCommand(d, control, HIWORD(wParam));
        return TRUE;
    }
    case WM_HSCROLL:
        if (lParam)
            OnScroll(d, reinterpret_cast<HWND>(lParam), LOWORD(wParam),
                     static_cast<short>(HIWORD(wParam)));
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == IPN_FIELDCHANGED) {
            OnCommand(d, static_cast<int>(header->idFrom), EN_CHANGE);
            return FALSE;
        }
        if (!d.def->notify)
            return FALSE;
        SetWindowLongPtrA(window, DWLP_MSGRESULT, d.def->notify(d, header));
        return TRUE;
    }
    case WM_CLOSE:
        OnCancel(*running);
        return TRUE;
    case WM_DESTROY:
        if (d.def->destroy)
            d.def->destroy(d);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

HINSTANCE TemplateModule(int templateId)
{
    HINSTANCE module = ResourceModule();
    if (module && FindResourceA(module, MAKEINTRESOURCEA(templateId), RT_DIALOG))
        return module;
    return InstanceModule();
}

INT_PTR RunFormDialog(HWND owner, const FormDialogDef& def, void* record, size_t recordSize,
                      void* context)
{
    RunningDialog running;
    running.dialog.form = {nullptr, &def.table, record, IsJapaneseMode(gDocument.edit), 0, 0};
    running.dialog.def = &def;
    running.dialog.context = context;
    if (record && recordSize)
        running.saved.assign(static_cast<const uint8_t*>(record),
                             static_cast<const uint8_t*>(record) + recordSize);
    return DialogBoxParamA(TemplateModule(def.templateId), MAKEINTRESOURCEA(def.templateId), owner,
                           FormDialogProc, reinterpret_cast<LPARAM>(&running));
}
