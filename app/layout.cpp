/* Pane geometry of the main window. */
#include "app/layout.h"

#include "ui/app_state.h"

void ComputePaneLayout(int width, int height, int toolbarHeight, int* treePaneWidth,
                       int dataPresent, int view, PaneLayout* out, int statusHeight)
{
    if (*treePaneWidth == 0)
        *treePaneWidth = width / 3;
    const int left = *treePaneWidth;
    const int top = toolbarHeight;
    const int h = height - toolbarHeight - statusHeight;
    const int rest = width - left;

    out->tree = {0, top, left - 2, h, dataPresent != 0};
    out->memberList = {left, top, 0, h, 0};
    out->dialList = {left, top, rest, h, 0};

    if (!dataPresent) {
        out->panel = {0, top, width, h, 1};
        return;
    }
    out->panel = {left, top, rest, h, view == VIEW_DEVICE};
    if (view == VIEW_GROUP) {
        const int q = (4 * rest) / 7;
        out->dialList = {left, top, q, h, 1};
        out->memberList = {left + q, top, rest - q, h, 1};
    } else if (view == VIEW_QUICK || view == VIEW_SPEED) {
        out->dialList.visible = 1;
    }
}

void ComputeStatusEdges(int width, int edges[STATUS_PARTS], int dpi)
{
    static const int fromRight[STATUS_PARTS] = {440, 280, 180, 120, 60, 0};
    for (int i = 0; i < STATUS_PARTS; i++)
        edges[i] = width - ScaleToDpi(fromRight[i], dpi);
}
