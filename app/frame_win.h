/*
 * The application frame's Win32 operations: start-up and shutdown, the main window and the
 * operations other subsystems call on it.
 */
#ifndef MORAVEL_FRAME_WIN_H
#define MORAVEL_FRAME_WIN_H

#include <windows.h>
#include <commctrl.h>

/* Start-up */
int RunApplication(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int show);
/* What start-up does before the main window exists: the model profile (the text of string
 * 5001), the resource module, the document's default name, the window class and the common
 * controls. 0 when the class cannot be registered. The Win32 tests start the frame with it. */
int InitApplication(HINSTANCE instance, HINSTANCE previous, const char* profile);
/* Chooses the module resources come from: QVPVX.DLL in programDir when it loads, else the
 * instance. programDir ends with a backslash. */
void LoadResourceModule(HINSTANCE instance, const char* programDir);
void InitDocumentData(HWND mainWindow);
/* Returns 0 when the user cancelled and the window stays; 1 when it was destroyed. */
int CloseMainWindow(HWND mainWindow, int exitFlag);
/* The program's folder, with its trailing backslash: where the backup, the help and the
 * resource library live. */
const char* ProgramDirectory();
/* Puts the program's folder elsewhere (dir with its trailing backslash), before InitApplication:
 * each test process gets a folder of its own, so no two share a backup file. */
void SetProgramDirectory(const char* dir);
/* Full path of the backup file next to the program. */
const char* BackupPath(char* buffer, int size);

/* Main window */
ATOM RegisterMainClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance, int show);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void FillTree(HWND tree);
void SelectTreeItem(int view);
void SetDeviceItemText(const char* text);
void ShowConnectionText();
void LayoutPanes(HWND mainWindow);
void RefreshLockIndicators(int virtualKey);
void SetCaptionFromTitle();
/* A new image list of the tree and list pictures (bitmap 709); the caller destroys it. */
HIMAGELIST CreateListPictures();
/* Status bar part 1 back to the program's name (after a message about the device or a file). */
void ResetStatusTitle();
/* Timer 1, the periodic device check, every 3 seconds. */
void StartPollTimer();
void StopPollTimer();
/* The steps once new data is in the image (download, Open): the edit state is loaded and its
 * malformed entries mended, the periodic check starts, the device item is selected and shows
 * the device's name, the tree and the list become usable, and the backup file is written. */
void TakeNewData(HWND window);

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
