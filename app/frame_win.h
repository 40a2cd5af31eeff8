/*
 * The main window's parts and the operations the commands call on them: the toolbar, the
 * status bar, the navigation tree, the dial and member lists, the connection panel, their
 * layout, the caption and the periodic device check's timer. The window itself (its class
 * and procedure) is main_window_win.cpp's.
 */
#ifndef MORAVEL_FRAME_WIN_H
#define MORAVEL_FRAME_WIN_H

#include <windows.h>
#include <commctrl.h>

/* Posted to the main window as it is made: the parts its first paint does not need follow. */
constexpr UINT WM_COMPLETE_FRAME = WM_APP + 2;

/* Builds the parts the first paint shows inside a new main window (it has no data yet: the
 * toolbar, the connection panel, the status bar) and posts WM_COMPLETE_FRAME for the rest. */
void CreateFrameParts(HWND mainWindow, HINSTANCE instance);
/* The rest, once: the tree (focused), the dial and member lists with the quick dial list
 * filled, and the toolbar's tips. */
void CompleteFrameParts(HWND mainWindow);
/* The tree's selection moved to `view`: the right-hand pane shows it. */
void ShowView(HWND mainWindow, int view);

void FillTree(HWND tree);
void SelectTreeItem(int view);
void SetDeviceItemText(const char* text);
void ShowConnectionText();
void LayoutPanes(HWND mainWindow);
/* WM_SIZE: the status bar and the panes follow, unless they are laid out for that size. */
void OnFrameSize(HWND mainWindow, WPARAM kind, LPARAM size);
void RefreshLockIndicators(int virtualKey);
/* "Moravel - " and the document's title. */
const char* FormatCaption(char* caption, int size);
void SetCaptionFromTitle();
/* Status bar part 1 back to the program's name (after a message about the device or a file). */
void ResetStatusTitle();
/* Timer 1, the periodic device check, every 3 seconds. */
void StartPollTimer();
void StopPollTimer();
/* The system colours changed: the window's background brush follows them. */
void OnSystemColourChange(HWND mainWindow);
/* The window moved to a monitor of another scale: pictures, fonts, column widths and the tree
 * pane made for `dpi`, and the window moved to the rectangle Windows suggests. */
void OnDpiChanged(HWND mainWindow, int dpi, const RECT* suggested);

#endif
