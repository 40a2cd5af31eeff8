/*
 * The one page procedure of the Device Settings sheet and the helpers the pages share. A page
 * is a SettingsPageDef: its binding table (settings_bindings.h) and a few optional hooks for
 * what the table cannot say. SettingsPageProc fills the controls from the edit state, reads
 * every change back, enables and shows controls by the table's rules, and runs the protocol
 * every page follows: only the user's own edits mark a page changed (and enable Apply), the
 * page's checks run when it is left and on Apply, Apply stores the edit state, Cancel reloads
 * it.
 */
#ifndef MORAVEL_SETTINGS_PAGE_WIN_H
#define MORAVEL_SETTINGS_PAGE_WIN_H

#include <windows.h>

#include "settings/settings_bindings.h"
#include "settings/settings_rules.h"
#include "ui/controls_win.h"

/* One page of the sheet while it exists. */
struct SettingsPageDef;
struct SettingsPage {
    HWND window;
    const SettingsPageDef* def;
    int order;   /* SettingsPageOrder */
    int filling; /* set while the page fills its controls: their notifications are not edits */
};

enum CheckPhase { CHECK_LEAVE = NUMBER_CHECK_LEAVE, CHECK_APPLY = NUMBER_CHECK_APPLY };

/* A page: its table and its hooks, all optional. Hooks work on gDocument.edit. */
struct SettingsPageDef {
    PageBindings table;
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
    /* The page's own checks after the table's range checks: 0 when they pass, else the control
     * to focus (its message has been shown). */
    int (*check)(SettingsPage& page, CheckPhase phase);
    /* Apply, once the checks passed and before the edit state is stored: the page's own steps
     * (what it keeps itself, put into the edit state or the image). */
    void (*applied)(SettingsPage& page);
};

/* The page procedure of every page; the PROPSHEETPAGE's lParam is the page's order. */
INT_PTR CALLBACK SettingsPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* The page definition of each order (an empty one outside the sheet's orders). */
const SettingsPageDef& SettingsPageDefinition(int order);

/* Clears every page's changed flag; the sheet calls it when it is built. */
void ResetSettingsPages();
/* 1 when the page of `order` has been marked changed since the sheet was built. */
int IsSettingsPageChanged(int order);
/* Marks the page changed and tells the sheet, which enables Apply. Only for the user's edits. */
void MarkPageChanged(SettingsPage& page);
/* Sets the document's unsaved-changes flag when any page was changed; never clears it. */
void UpdateUnsavedFlag();

/* Shows a bound control's value again from the edit state (a rule changed it). */
void RefreshBinding(SettingsPage& page, int control);
/* Puts text into a control of the page that is not the user's edit (a correction, a reset). */
void SetTextQuietly(SettingsPage& page, int control, const char* text);
/* Applies the table's enable and show rules to every control. */
void ApplyControlRules(SettingsPage& page);

/* The shared control helpers. */
void FillComboFromStrings(HWND page, int combo, int firstString, int lastString, int selected);
void FillComboCoded(HWND page, int combo, const ComboRow* const* rows, int count, int64_t value);
int SelectComboByData(HWND page, int combo, int64_t value);
int64_t GetComboSelData(HWND page, int combo);
#endif
