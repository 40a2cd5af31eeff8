/*
 * Pane geometry of the main window, kept free of Windows so the rules (tree width fixed at the
 * first layout, the 4:3 split of the Group view, the status bar edges) are tested natively.
 */
#ifndef MORAVEL_LAYOUT_H
#define MORAVEL_LAYOUT_H

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

/* Lays out the panes for a client area of width x height under a toolbar toolbarHeight high.
 * *treePaneWidth is computed (width / 3) when it is 0 and kept otherwise. Visibility follows
 * data presence and the view; hidden panes still get a sensible rectangle. */
void ComputePaneLayout(int width, int height, int toolbarHeight, int* treePaneWidth,
                       int dataPresent, int view, PaneLayout* out);

/* Right edges of the six status bar parts for a client width. */
void ComputeStatusEdges(int width, int edges[STATUS_PARTS]);

#endif
