/*
 * The Device Settings sheet: the modal property sheet of the pages in SETTINGS_PAGE_LIST.
 */
#ifndef MORAVEL_SETTINGS_SHEET_WIN_H
#define MORAVEL_SETTINGS_SHEET_WIN_H

#include <windows.h>
#include <commctrl.h>

/* Builds and runs the sheet modally, owned by `owner`, opening on System: the Ethernet board
 * flag made 0 or 1, then the 13 pages with the board or the 7 that are not network-only without
 * it, each with its changed flag clear and its own working state fresh. Returns when the sheet
 * is closed, with the owner enabled and in front; the result is the sheet's own. */
INT_PTR ShowDeviceSettings(HWND owner);

#endif
