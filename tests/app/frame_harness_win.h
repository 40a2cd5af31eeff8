// Sets a test process up the way start-up does (profile, resource module, window class,
// common controls) and creates the real main window from the real resources, without running
// the program's message loop.
#pragma once

#include <windows.h>

#include <string>

// Prepares the process once per profile text; later calls only reset the application state.
void StartFrame(const char* profile = "A4ZRPQ 2A02");
// Creates the main window with its menu, after removing any backup file left by other tests.
HWND OpenMainWindow();
// Destroys the main window without the shutdown questions and drains the quit message.
void CloseTestWindow(HWND window);
// Runs pending messages of this thread.
void PumpMessages();

std::string WindowText(HWND window);
std::string ListColumnText(HWND list, int column);
int ListColumnCount(HWND list);
// Size of the client area made exactly width x height.
void SetClientSize(HWND window, int width, int height);
bool IsShown(void* window);
