/*
 * The one page procedure of the Device Settings sheet. A page is a SettingsPageDef: its binding
 * table (ui/bindings.h) over the edit state, the size of its own working state, and a few hooks
 * for what the table cannot say. SettingsPageProc runs the binding frame (ui/form_win.h) and the
 * protocol every page follows: only the user's own edits mark a page changed (and enable
 * Apply), the page's checks judge when it is left and on Apply, Apply stores the edit state,
 * Cancel takes it back from the image.
 */
#ifndef MORAVEL_SETTINGS_PAGE_WIN_H
#define MORAVEL_SETTINGS_PAGE_WIN_H

#include <windows.h>

#include "settings/settings_rules.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"

struct SettingsPageDef;
struct SettingsSheet;

/* One page of the open sheet; PROPSHEETPAGE.lParam points at it. */
struct SettingsPage {
    Form form; /* the page's window, its table, the edit state, filling */
    const SettingsPageDef* def;
    int order;       /* SettingsPageOrder */
    uint8_t changed; /* the user edited the page since the sheet was built */
    void* context;   /* the page's own working state: def->contextSize bytes, zeroed */
    SettingsSheet* sheet;
};

/* The page's working state, of the type its definition gave (Context<T>()). */
template <typename T>
T& PageState(SettingsPage& page)
{
    return *static_cast<T*>(page.context);
}
template <typename T>
const T& PageState(const SettingsPage& page)
{
    return *static_cast<const T*>(page.context);
}
/* The edit state the page edits. */
inline EditState& PageEdits(SettingsPage& page)
{
    return *static_cast<EditState*>(page.form.record);
}
inline const EditState& PageEdits(const SettingsPage& page)
{
    return *static_cast<const EditState*>(page.form.record);
}

enum CheckPhase { CHECK_LEAVE = NUMBER_CHECK_LEAVE, CHECK_APPLY = NUMBER_CHECK_APPLY };

/* A page: its table, its working state and its hooks, all optional. Built with Page(table) and
 * the methods below, so each hook is named where it is given. */
struct SettingsPageDef {
    FormTable table;
    size_t contextSize;
    /* Before the controls are filled: the page's own corrections of stored values. */
    void (*prepare)(EditState& state);
    /* After the controls are filled (the page is still filling). */
    void (*init)(SettingsPage& page);
    /* Each time the page becomes current, the first time included. */
    void (*activate)(SettingsPage& page);
    /* A command of a control the table does not bind; 1 when the user changed something. */
    int (*command)(SettingsPage& page, int control, int code);
    /* A bound control changed its field (the page's dependent rules). */
    void (*edited)(SettingsPage& page, int control);
    /* The page's own checks after the table's range checks; they judge and change nothing. */
    CheckResult (*check)(const SettingsPage& page, CheckPhase phase);
    /* What the page's rules decide once its checks of a phase ran, whatever they found (the
     * addresses the Network page sends, the timer flags the Reception page tidies). */
    void (*checked)(SettingsPage& page, CheckPhase phase, const CheckResult& result);
    /* Apply, once the checks passed and before the edit state is stored: the page's own steps
     * (what it keeps itself, put into the edit state or the document). */
    void (*applied)(SettingsPage& page);

    template <typename T>
    constexpr SettingsPageDef Context() const
    {
        SettingsPageDef d = *this;
        d.contextSize = sizeof(T);
        return d;
    }
    constexpr SettingsPageDef Prepare(void (*hook)(EditState&)) const
    {
        SettingsPageDef d = *this;
        d.prepare = hook;
        return d;
    }
    constexpr SettingsPageDef Init(void (*hook)(SettingsPage&)) const
    {
        SettingsPageDef d = *this;
        d.init = hook;
        return d;
    }
    constexpr SettingsPageDef Activate(void (*hook)(SettingsPage&)) const
    {
        SettingsPageDef d = *this;
        d.activate = hook;
        return d;
    }
    constexpr SettingsPageDef Command(int (*hook)(SettingsPage&, int, int)) const
    {
        SettingsPageDef d = *this;
        d.command = hook;
        return d;
    }
    constexpr SettingsPageDef Edited(void (*hook)(SettingsPage&, int)) const
    {
        SettingsPageDef d = *this;
        d.edited = hook;
        return d;
    }
    constexpr SettingsPageDef Check(CheckResult (*hook)(const SettingsPage&, CheckPhase)) const
    {
        SettingsPageDef d = *this;
        d.check = hook;
        return d;
    }
    constexpr SettingsPageDef Checked(void (*hook)(SettingsPage&, CheckPhase,
                                                   const CheckResult&)) const
    {
        SettingsPageDef d = *this;
        d.checked = hook;
        return d;
    }
    constexpr SettingsPageDef Applied(void (*hook)(SettingsPage&)) const
    {
        SettingsPageDef d = *this;
        d.applied = hook;
        return d;
    }
};

constexpr SettingsPageDef Page(FormTable table)
{
    return {table, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
}

/* The page procedure of every page. */
INT_PTR CALLBACK SettingsPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* The open sheet: its pages and the guard of a failed Apply. */
struct SettingsSheet {
    SettingsPage pages[SETTINGS_PAGE_COUNT];
    /* Set while a failed Apply brings its page to the front: a leave asked meanwhile is
     * granted. */
    int leaveGuard;
};

/* 1 when the page of `order` in the open sheet `sheet` (its window) has been marked changed. */
int IsSettingsPageChanged(HWND sheet, int order);
/* Sets the document's unsaved-changes flag when any page of the sheet was changed; never clears
 * it. */
void UpdateUnsavedFlag(const SettingsSheet& sheet);

#endif
