/* The main window's refresher. See frame_seam_win.h. */
#include "ui/frame_seam_win.h"

namespace {
UiStateRefresher gRefresher = nullptr;
}

void SetUiStateRefresher(UiStateRefresher refresh) { gRefresher = refresh; }

void RefreshUiState()
{
    if (gRefresher)
        gRefresher();
}
