/*
 * Applies the enabling rules to the real menu, toolbar and panes, and shows the two context
 * menus. The decisions themselves are in ui_rules.cpp.
 */
#include "app/ui_state_win.h"

#include <commctrl.h>

#include "app/frame_win.h"
#include "app/ui_rules.h"
#include "document/dial_records.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/frame_seam_win.h"
#include "ui/ui_win.h"

namespace {

int KeyFlagsAt(int row)
{
    if (row < 0 || row >= QUICK_KEY_COUNT)
        return -1;
    return gDocument.edit.quickDial.entries[row][DIAL_FLAGS_BYTE];
}

bool RowDestinationEmpty(HWND list, int row)
{
    char text[128] = "";
    LVITEMA item = {};
    item.iSubItem = 2;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text[0] == '\0';
}

RowFacts CurrentRowFacts()
{
    RowFacts facts = {};
    if (gApp.currentView == VIEW_GROUP)
        facts.currentRowHasContent =
            SendMessageA(AsWindow(gApp.memberList), LVM_GETITEMCOUNT, 0, 0) > 0;
    else if (gApp.currentView != VIEW_DEVICE)
        facts.currentRowHasContent = !RowDestinationEmpty(AsWindow(gApp.dialList), gApp.currentRow);
    facts.selectedKeyFlags = KeyFlagsAt(gApp.selectedRow);
    return facts;
}

void Gray(HMENU menu, int command, int enabled)
{
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

HMENU LoadPopup(int menuId, HMENU* loaded)
{
    *loaded = LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(menuId));
    return *loaded ? GetSubMenu(*loaded, 0) : nullptr;
}

PopupHook gPopupHook = nullptr;

void Track(HMENU popup, POINT screen)
{
    if (gPopupHook) {
        gPopupHook(popup, screen);
        return;
    }
    SetForegroundWindow(MainWindow());
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, 0, MainWindow(), nullptr);
}

/* 1 when the key at row decodes as a group in use. */
int RowIsGroup(int row)
{
    if (row < 0 || row >= QUICK_KEY_COUNT)
        return 0;
    DialRecord record;
    DecodeGroupKey(&record, gDocument.edit, row);
    return record.inUse && record.kind == KIND_GROUP;
}

/* The row under a screen point, or -1 when the point is not on an item's icon or label. */
int HitRow(HWND list, POINT screen)
{
    LVHITTESTINFO hit = {};
    hit.pt = screen;
    ScreenToClient(list, &hit.pt);
    int row = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) ? row : -1;
}

}

void SetPopupHook(PopupHook hook) { gPopupHook = hook; }

void ApplyUiState()
{
    UiDecision decision;
    DecideUiState(gApp, static_cast<int>(gDocument.dataPresent), CurrentRowFacts(), &decision);

    if (HMENU menu = GetMenu(MainWindow())) {
        for (int i = 0; i < decision.menuCount; i++)
            Gray(menu, decision.menu[i].command, decision.menu[i].enabled);
        if (decision.enableProperties)
            Gray(menu, IDM_PROPERTIES, 1);
        /* Redrawing recomputes the window's frame; a window not shown yet draws it when shown. */
        if (IsWindowVisible(MainWindow()))
            DrawMenuBar(MainWindow());
    }
    HWND toolbar = AsWindow(gApp.toolbar);
    for (int i = 0; i < decision.toolbarCount; i++)
        SendMessageA(toolbar, TB_ENABLEBUTTON, decision.toolbar[i].command,
                     MAKELPARAM(decision.toolbar[i].enabled, 0));

    ShowWindow(AsWindow(gApp.tree), decision.showTree ? SW_SHOW : SW_HIDE);
    ShowWindow(AsWindow(gApp.connectionPanel), decision.showPanel ? SW_SHOW : SW_HIDE);
    ShowWindow(AsWindow(gApp.dialList), decision.showDialList ? SW_SHOW : SW_HIDE);
    ShowWindow(AsWindow(gApp.memberList), decision.showMemberList ? SW_SHOW : SW_HIDE);
    if (decision.enableTreeAndList) {
        EnableWindow(AsWindow(gApp.tree), TRUE);
        EnableWindow(AsWindow(gApp.dialList), TRUE);
    }
    if (decision.connectionTextId)
        ShowConnectionText();
    LayoutPanes(MainWindow());
}

void ShowTreeContextMenu(HWND tree, POINT screen)
{
    TVHITTESTINFO hit = {};
    hit.pt = screen;
    ScreenToClient(tree, &hit.pt);
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (!item || !(hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)))
        return;
    TVITEMA data = {};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
        return;

    if (data.lParam != VIEW_DEVICE) {
        static const int viewCommands[] = {0, IDM_VIEW_QUICK, IDM_VIEW_SPEED, IDM_VIEW_GROUP};
        if (data.lParam > 0 && data.lParam <= 3)
            SendMessageA(MainWindow(), WM_COMMAND, viewCommands[data.lParam], 0);
        return;
    }

    HMENU loaded;
    HMENU popup = LoadPopup(IDR_TREEROOT, &loaded);
    if (!popup)
        return;
    /* The pane switches back to the device before the menu shows. */
    gApp.currentView = VIEW_DEVICE;
    RefreshUiState();

    TreeMenuDecision decision;
    DecideTreeMenu(gApp, &decision);
    Gray(popup, IDM_CONNECT, decision.connect);
    Gray(popup, IDM_DISCONNECT, decision.disconnect);
    Gray(popup, IDM_CTX_DOWNLOAD, decision.download);
    Gray(popup, IDM_CTX_UPLOAD, decision.upload);
    SelectTreeItem(VIEW_DEVICE);
    Track(popup, screen);
    DestroyMenu(loaded);
}

void ShowRowContextMenu(HWND list, POINT screen)
{
    if (gApp.currentView == VIEW_DEVICE)
        return;
    int row = HitRow(list, screen);
    if (row < 0)
        return;
    gApp.currentRow = row;
    HMENU loaded;
    HMENU popup = LoadPopup(IDR_LISTMEMBER, &loaded);
    if (!popup)
        return;

    RowMenuDecision decision;
    DecideRowMenu(gApp, RowDestinationEmpty(list, row), RowIsGroup(row),
                  KeyFlagsAt(gApp.selectedRow), &decision);
    Gray(popup, IDM_CUT, decision.cut);
    Gray(popup, IDM_COPY, decision.copy);
    Gray(popup, IDM_PASTE, decision.paste);
    Gray(popup, IDM_DELETE, decision.remove);
    Track(popup, screen);
    DestroyMenu(loaded);
}
