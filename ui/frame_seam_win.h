/*
 * The one thing the editors below the main window ask of it: after they changed what its
 * enabling rules look at (the selection, a clipboard, the dial tables), the menu, the toolbar
 * and the panes are brought up to date. The main window installs the refresher when it is
 * created; until then (and in tests without a main window) nothing happens.
 */
#ifndef MORAVEL_UI_FRAME_SEAM_WIN_H
#define MORAVEL_UI_FRAME_SEAM_WIN_H

typedef void (*UiStateRefresher)();
void SetUiStateRefresher(UiStateRefresher refresh);

/* Derives every enabled menu item, toolbar button and pane from the application state. */
void RefreshUiState();

#endif
