/* Copy, Paste and Delete of the dial lists as the Edit commands run them on the current row of
 * the list shown. */
#ifndef MORAVEL_DIAL_CLIPBOARD_WIN_H
#define MORAVEL_DIAL_CLIPBOARD_WIN_H

#include <windows.h>

void OnCopyEntry(HWND mainWindow);
void OnPasteEntry(HWND mainWindow);
void OnDeleteEntry(HWND mainWindow);

#endif
