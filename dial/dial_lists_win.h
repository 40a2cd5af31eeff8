/*
 * The Quick Dial, Speed Dial and Group lists in the main window's list pane, and the member
 * pane beside the Group list: filling them, their notifications, and opening an entry.
 *
 * Every list holds one row per entry, sorted by its number text, so a row's position is its
 * entry's index; the editors rebuild single rows with the functions below.
 */
#ifndef MORAVEL_DIAL_LISTS_WIN_H
#define MORAVEL_DIAL_LISTS_WIN_H

#include <windows.h>
#include <commctrl.h>

#include "document/dial_records.h"

/* Refills list with the rows of view (1 Quick Dial, 2 Speed Dial, 3 Group); the rows come from
 * the program's dial tables (gDocument.edit). */
void FillDialList(HWND list, int view);

/* Inserts one row built from record as entry index; the sorted list puts it in its place. */
void AddQuickDialRow(HWND list, const DialRecord& record, int index);
void AddSpeedDialRow(HWND list, const DialRecord& record, int index);
void AddGroupRow(HWND list, const DialRecord& record, int index);
/* The row builder of view (1, 2, 3); other views add nothing. */
void AddDialRow(HWND list, int view, const DialRecord& record, int index);

/* Deletes the row at index; the rows after it move up until the row is added again. */
void DeleteDialRow(HWND list, int index);
/* Gives the row at index the selection and the focus, and scrolls it into view. */
void SelectDialRow(HWND list, int index);

/* After an edit: deletes the row at index, adds the row built from record, then selects and
 * focuses it. An index outside the view changes nothing. */
void RebuildDialRow(HWND list, int view, const DialRecord& record, int index);
/* The same with the entry as the tables now hold it. */
void RebuildDialRowFromTable(HWND list, int view, int index);
/* Rebuilds the row of every entry whose bit is set in `mask` (groups that lost their last
 * member, say) from the tables, without moving the selection. */
void RedrawKeys(HWND list, int view, uint32_t mask);

/* Empties the member pane and, when group is a group, lists its members in stored order. */
void FillMemberPane(HWND pane, const DialRecord& group);

/* Notifications from the dial list (2001) and the member list (2002); the result is the
 * window procedure's. */
LRESULT OnDialListNotify(HWND mainWindow, const NMHDR* header);
LRESULT OnMemberListNotify(HWND mainWindow, const NMHDR* header);

/* Opens the entry or group editor for the current row (Properties, double-click, Enter). */
void OpenCurrentEntry(HWND mainWindow);

#endif
