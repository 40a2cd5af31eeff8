/*
 * The main window: the class "PVX", its creation, and its procedure.
 */
#ifndef MORAVEL_MAIN_WINDOW_WIN_H
#define MORAVEL_MAIN_WINDOW_WIN_H

#include <windows.h>

ATOM RegisterMainClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance, int show);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
