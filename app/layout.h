/*
 * Pane geometry of the main window, kept free of Windows so the rules (tree width fixed at the
 * first layout, the 4:3 split of the Group view, the status bar edges) are tested natively.
 * Every size here is a size at 96 DPI; the window scales it to its own DPI.
 */
#ifndef MORAVEL_LAYOUT_H
#define MORAVEL_LAYOUT_H

#include "ui/dpi_scale.h"

constexpr int STATUS_PARTS = 6;
constexpr int STATUS_BAR_HEIGHT = 24;


struct PaneRect {
    int x, y, width, height;
    int visible;
};

struct PaneLayout {
    PaneRect tree;
    PaneRect panel;
    PaneRect dialList;
    PaneRect memberList;
};

/* Lays out the panes for a client area of width x height under a toolbar toolbarHeight high and
 * above a status bar statusHeight high. *treePaneWidth is computed (width / 3) when it is 0 and
 * kept otherwise. Visibility follows data presence and the view; hidden panes still get a
 * sensible rectangle. */
void ComputePaneLayout(int width, int height, int toolbarHeight, int* treePaneWidth,
                       int dataPresent, int view, PaneLayout* out,
                       int statusHeight = STATUS_BAR_HEIGHT);

/* Right edges of the six status bar parts for a client width, at `dpi`. */
void ComputeStatusEdges(int width, int edges[STATUS_PARTS], int dpi = BASE_DPI);

#endif
