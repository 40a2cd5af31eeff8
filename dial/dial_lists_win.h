/*
 * The Quick Dial, Speed Dial and Group lists in the main window's list pane, and the member
 * pane beside the Group list: filling them, their notifications, and opening an entry.
 */
#ifndef MORAVEL_DIAL_LISTS_WIN_H
#define MORAVEL_DIAL_LISTS_WIN_H

#include <windows.h>
#include <commctrl.h>

/* Refills list with the rows of view (1 Quick Dial, 2 Speed Dial, 3 Group). */
void FillDialList(HWND list, int view);

/* Notifications from the dial list (2001) and the member list (2002); the result is the
 * window procedure's. */
LRESULT OnDialListNotify(HWND mainWindow, const NMHDR* header);
LRESULT OnMemberListNotify(HWND mainWindow, const NMHDR* header);

/* Opens the entry or group editor for the current row (Properties, double-click, Enter). */
void OpenCurrentEntry(HWND mainWindow);

#endif
