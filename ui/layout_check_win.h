/*
 * The controls of a real window measured for the layout check (ui/layout_check.h): each child's
 * kind, place and text extent in its own font, as it would be drawn at the display's DPI.
 * Serves dialogs, property pages and the main window alike.
 */
#ifndef MORAVEL_UI_LAYOUT_CHECK_WIN_H
#define MORAVEL_UI_LAYOUT_CHECK_WIN_H

#include <windows.h>

#include <vector>

#include "ui/layout_check.h"

/* Every direct child of `window`, in z order, with its place in `window`'s client pixels. A
 * control's own children (a combo box's edit, a list view's header) belong to it, not to the
 * form. */
std::vector<LayoutControl> MeasureLayout(HWND window);

#endif
