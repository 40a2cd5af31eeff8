/*
 * Modal dialogs built from a binding table: the dialog's record (its own work record, or the
 * edit state) is filled into the controls, every change goes back through the binding frame
 * (form_win.h), OK runs the dialog's check over its record and then its own step, Cancel and
 * the close box put the record back as it was. A dialog is a table and a few hooks; its working
 * state is its record or the context it is given, never a file-scope global.
 */
#ifndef MORAVEL_UI_FORM_DIALOG_WIN_H
#define MORAVEL_UI_FORM_DIALOG_WIN_H

#include <windows.h>
#include <commctrl.h>

#include "ui/form_win.h"

struct FormDialogDef;

/* One open dialog. */
struct FormDialog {
    Form form;
    const FormDialogDef* def;
    void* context; /* the dialog's own working state beside its record */
};

struct FormDialogDef {
    FormTable table;
    int templateId;
    uint8_t centre;    /* centred on the screen the main window measured */
    int okControl;     /* a button of the template's own that acts as OK (0: only IDOK) */
    int cancelControl; /* the same for Cancel */
    INT_PTR cancelResult;
    /* After the controls are filled (still filling): the dialog's own setup. Returns the
     * control to give the focus, or 0 for the dialog manager's choice. */
    int (*init)(FormDialog& dialog);
    /* A command of a control the table does not bind; 1 when the user changed something. */
    int (*command)(FormDialog& dialog, int control, int code);
    LRESULT (*notify)(FormDialog& dialog, const NMHDR* header);
    /* A bound control changed its field (the dialog's dependent rules). */
    void (*edited)(FormDialog& dialog, int control);
    /* OK's checks, over the dialog's state; they only judge. */
    CheckResult (*check)(const FormDialog& dialog);
    /* OK once the checks passed: the dialog's own step; the result ends the dialog. Without
     * one, OK ends it with 1. */
    INT_PTR (*ok)(FormDialog& dialog);
    void (*destroy)(FormDialog& dialog);

    constexpr FormDialogDef Centred() const
    {
        FormDialogDef d = *this;
        d.centre = 1;
        return d;
    }
    constexpr FormDialogDef Buttons(int ok, int cancel) const
    {
        FormDialogDef d = *this;
        d.okControl = ok;
        d.cancelControl = cancel;
        return d;
    }
    constexpr FormDialogDef CancelResult(INT_PTR result) const
    {
        FormDialogDef d = *this;
        d.cancelResult = result;
        return d;
    }
    constexpr FormDialogDef Init(int (*hook)(FormDialog&)) const
    {
        FormDialogDef d = *this;
        d.init = hook;
        return d;
    }
    constexpr FormDialogDef Command(int (*hook)(FormDialog&, int, int)) const
    {
        FormDialogDef d = *this;
        d.command = hook;
        return d;
    }
    constexpr FormDialogDef Notify(LRESULT (*hook)(FormDialog&, const NMHDR*)) const
    {
        FormDialogDef d = *this;
        d.notify = hook;
        return d;
    }
    constexpr FormDialogDef Edited(void (*hook)(FormDialog&, int)) const
    {
        FormDialogDef d = *this;
        d.edited = hook;
        return d;
    }
    constexpr FormDialogDef Check(CheckResult (*hook)(const FormDialog&)) const
    {
        FormDialogDef d = *this;
        d.check = hook;
        return d;
    }
    constexpr FormDialogDef Ok(INT_PTR (*hook)(FormDialog&)) const
    {
        FormDialogDef d = *this;
        d.ok = hook;
        return d;
    }
    constexpr FormDialogDef Destroy(void (*hook)(FormDialog&)) const
    {
        FormDialogDef d = *this;
        d.destroy = hook;
        return d;
    }
};

/* A dialog of template `templateId` with `table`; the hooks come with the builder methods. */
constexpr FormDialogDef Dialog(int templateId, FormTable table)
{
    return {table,   templateId, 0,       0,       0,       0,      nullptr,
            nullptr, nullptr,    nullptr, nullptr, nullptr, nullptr};
}

/* Runs the dialog modally on `record` (recordSize bytes, put back on Cancel; 0 keeps nothing),
 * with `context` for its hooks. The template comes from the resource library when it has it,
 * else from the program. Returns the dialog's result. */
INT_PTR RunFormDialog(HWND owner, const FormDialogDef& def, void* record, size_t recordSize,
                      void* context);

/* The module whose dialog template `templateId` is used: the resource library when it has it,
 * else the program itself (a library made for an earlier version may lack a newer dialog). */
HINSTANCE TemplateModule(int templateId);

#endif
