/*
 * The names of ui/accessible_names.h given to real windows through IAccPropServices, and the
 * status bar's changes told to screen readers. The service is created only when a form has a
 * name to give, so a window without one never loads it.
 */
#ifndef MORAVEL_UI_ACCESSIBLE_NAMES_WIN_H
#define MORAVEL_UI_ACCESSIBLE_NAMES_WIN_H

#include <windows.h>
#include <oleacc.h>

/* Gives every control of `window` that the table names for `form` (a dialog or page template
 * id, or FORM_MAIN_WINDOW) its name; a child edit of the control (an address field's parts, a
 * combo box's edit) gets the same name, since that is what takes the focus. */
void GiveAccessibleNames(HWND window, int form);
/* The main window's panes named once its queue is idle: its first paint never waits for the
 * service. */
void GiveMainWindowNamesLater(HWND window);

/* Part `part` of a status bar shows new text. `speak` also asks screen readers to read it out
 * now (a live region), which a caller does only for a change worth hearing. */
void AnnounceStatusText(HWND statusBar, int part, int speak);

/* Tests: a service of their own in place of the system's (nullptr: the system's again). */
void SetAccPropServicesForTest(IAccPropServices* services);

#endif
