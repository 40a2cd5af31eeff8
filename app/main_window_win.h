/*
 * The main window: the class "PVX", its creation, and its procedure.
 */
#ifndef MORAVEL_MAIN_WINDOW_WIN_H
#define MORAVEL_MAIN_WINDOW_WIN_H

#include <windows.h>

ATOM RegisterMainClass(HINSTANCE instance);
/* Creates and shows the main window with its menu bar from the resource module. */
HWND CreateMainWindow(HINSTANCE instance, int show);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
