/*
 * Start-up: what runs before the main window exists, and the program's run from WinMain to the
 * end of its message loop.
 */
#ifndef MORAVEL_STARTUP_WIN_H
#define MORAVEL_STARTUP_WIN_H

#include <windows.h>

int RunApplication(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int show);
/* What start-up does before the main window exists: the model profile (the text of string
 * 5001), the resource module, the document's default name, the window class and the common
 * controls. 0 when the class cannot be registered. The Win32 tests start the frame with it. */
int InitApplication(HINSTANCE instance, HINSTANCE previous, const char* profile);

#endif
