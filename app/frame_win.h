/*
 * The application frame's Win32 operations: start-up and shutdown, the main window and the
 * operations other subsystems call on it.
 */
#ifndef MORAVEL_FRAME_WIN_H
#define MORAVEL_FRAME_WIN_H

#include <windows.h>

/* Start-up */
int RunApplication(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int show);
/* Chooses the module resources come from: QVPVX.DLL in programDir when it loads, else the
 * instance. programDir ends with a backslash. */
void LoadResourceModule(HINSTANCE instance, const char* programDir);
void InitDocumentData(HWND mainWindow);
/* Returns 0 when the user cancelled and the window stays; 1 when it was destroyed. */
int CloseMainWindow(HWND mainWindow, int exitFlag);
/* The program's folder, with its trailing backslash: where the backup, the help and the
 * resource library live. */
const char* ProgramDirectory();
/* Full path of the backup file next to the program. */
const char* BackupPath(char* buffer, int size);

/* Main window */
ATOM RegisterMainClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance, int show);
LRESULT CALLBACK WndProcMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void FillTree(HWND tree);
void SelectTreeItem(int view);
void SetDeviceItemText(const char* text);
void ShowConnectionText();
void LayoutPanes(HWND mainWindow);
void RefreshLockIndicators(int virtualKey);
void SetCaptionFromTitle();
/* Status bar part 1 back to the program's name (after a message about the device or a file). */
void ResetStatusTitle();
/* Timer 1, the periodic device check, every 3 seconds. */
void StartPollTimer();
void StopPollTimer();
/* The window steps once new data is in the edit state (download, Open): the tree and the list
 * become usable, the device item shows the device's name, and the backup file is written. */
void ShowNewData();

/* Commands */
LRESULT DispatchCommand(HWND mainWindow, int command, LPARAM extra);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
/* Opens the program's help: the help file when present, else the HTML manual. */
void ShowHelpTopics(HWND mainWindow);
/* Full paths of the two help documents next to the program. */
const char* HelpFilePath(const char* extension, char* buffer, int size);

/* UI state and context menus */
void RefreshUiState();
void ShowTreeContextMenu(HWND tree, POINT screen);
void ShowRowContextMenu(HWND list, POINT screen);
/* Tests see a context menu here instead of it being tracked. */
typedef void (*PopupHook)(HMENU popup, POINT screen);
void SetPopupHook(PopupHook hook);

#endif
