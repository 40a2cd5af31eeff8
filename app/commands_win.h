/*
 * Command dispatch: every command id of the main window reaches its handler through one table;
 * the close box and File, Exit end the program through CloseMainWindow.
 */
#ifndef MORAVEL_COMMANDS_WIN_H
#define MORAVEL_COMMANDS_WIN_H

#include <windows.h>

LRESULT DispatchCommand(HWND mainWindow, int command, LPARAM extra);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
/* Asks to save unsaved changes, writes the backup, ends remote mode and destroys the window.
 * Returns 0 when the user cancelled and the window stays; 1 when it was destroyed. */
int CloseMainWindow(HWND mainWindow, int exitFlag);

#endif
