/*
 * The Device Settings sheet: the page table and the modal sheet itself.
 */
#ifndef MORAVEL_SETTINGS_SHEET_WIN_H
#define MORAVEL_SETTINGS_SHEET_WIN_H

#include <windows.h>
#include <commctrl.h>

/* Builds and runs the sheet modally, owned by `owner`, opening on System: every page changed
 * flag cleared, the Ethernet board flag made 0 or 1, then the 13 pages with the board or the 7
 * that are not network-only without it. Returns when the sheet is closed, with the owner
 * enabled and in front; the result is the sheet's own. */
INT_PTR ShowDeviceSettings(HWND owner);

/* One page from its dialog template (from the resource module when it has the template, else
 * from the program's own) with `proc` and the page's order as its lParam; no page flags, so
 * the tab shows the template's caption. */
HPROPSHEETPAGE CreateSettingsPage(int templateId, DLGPROC proc, int order);

/* The module whose dialog template `templateId` is used: the resource library when it has
 * it, else the program itself (pages and the dialogs they open alike). */
HINSTANCE SettingsTemplateModule(int templateId);

/* A page's reset (the sheet is being cancelled): the sheet machinery ends the sheet, and the
 * owner is enabled and brought to the front once it is gone (ShowDeviceSettings). */
void ClosePropertySheet(HWND page);

#endif
