/*
 * The enabling rules (ui_rules.h) applied to the real menu, toolbar and panes, and the two
 * context menus.
 */
#ifndef MORAVEL_UI_STATE_WIN_H
#define MORAVEL_UI_STATE_WIN_H

#include <windows.h>

/* Every enabled menu item, toolbar button and pane from the application state; the program's
 * RefreshUiState (ui/frame_seam_win.h) once start-up installed it. */
void ApplyUiState();
void ShowTreeContextMenu(HWND tree, POINT screen);
void ShowRowContextMenu(HWND list, POINT screen);
/* Tests see a context menu here instead of it being tracked. */
typedef void (*PopupHook)(HMENU popup, POINT screen);
void SetPopupHook(PopupHook hook);

#endif
