// Sets a test process up with the program's own start-up (profile, resource module, window
// class, common controls) in a program folder of the process's own, and creates the real main
// window from the real resources, without running the program's message loop.
#pragma once

#include <windows.h>

#include <string>

// Starts the frame with the given model profile text; 1, or 0 when start-up failed.
int StartFrame(const char* profile = "A4ZRPQ 2A02");
// The folder the process runs as its program folder (with its trailing backslash): where the
// backup file and the manual are.
const std::string& TestProgramFolder();
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
