/*
 * The main window's parts: toolbar, navigation tree, dial and member lists, connection panel and
 * status bar, their layout and pane switching, and the operations the commands call on them.
 */
#include "app/frame_win.h"

#include <cstdio>
#include <cstring>

#include "app/layout.h"
#include "app/startup_trace_win.h"
#include "dial/dial_lists_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/frame_seam_win.h"
#include "ui/pictures_win.h"
#include "ui/ui_win.h"

namespace {

constexpr int TOOL_IMAGE_SIZE = 55;
constexpr int TOOL_IMAGE_COUNT = 7;
constexpr COLORREF PANEL_COLOUR = RGB(255, 255, 223);
constexpr int HEADER_SIZE = 128;
constexpr int DIAL_COLUMNS_A4 = 6;
constexpr int DIAL_COLUMNS_A3 = 10;
constexpr UINT POLL_TIMER = 1;
constexpr UINT POLL_PERIOD_MS = 3000;

struct ToolButton {
    int command;
    int image;
    int tip;
};

/* Left to right; image -1 is a separator. */
const ToolButton TOOL_BUTTONS[] = {
    {IDM_CONNECT, 0, IDS_TIP_CONNECT},
    {IDM_DISCONNECT, 1, IDS_TIP_DISCONNECT},
    {0, -1, 0},
    {IDM_UPLOAD, 6, IDS_TIP_UPLOAD},
    {IDM_DOWNLOAD, 5, IDS_TIP_DOWNLOAD},
    {0, -1, 0},
    {IDM_OPEN, 2, IDS_TIP_OPEN},
    {IDM_SAVE, 3, IDS_TIP_SAVE},
    {0, -1, 0},
    {IDM_DEVICE_SETTINGS, 4, IDS_TIP_DEVICE_SETTINGS},
    {0, -1, 0},
};

struct DialColumn {
    int width;
    int header;
};

const DialColumn DIAL_COLUMNS[DIAL_COLUMNS_A3] = {
    {50, IDS_COL_NO},      {100, IDS_COL_NAME},   {140, IDS_COL_DESTINATION},
    {100, IDS_COL_SUB},    {80, IDS_COL_SID},     {80, IDS_COL_SPEED},
    {80, IDS_COL_OPTION1}, {80, IDS_COL_OPTION2}, {100, IDS_COL_OPTION3},
    {80, IDS_COL_OPTION4},
};

/* Tree items: device, then the three lists, with their images; item data is the view. */
struct TreeEntry {
    int text;
    int image;
    int selectedImage;
};

const TreeEntry TREE_LISTS[] = {
    {IDS_QUICK_DIAL_LIST, 2, 3},
    {IDS_SPEED_DIAL_LIST, 6, 7},
    {IDS_GROUP_LIST, 9, 10},
};

HTREEITEM gTreeItems[4];
HBRUSH gPanelBrush;
HFONT gListFont;    // made for a DPI the window moved to; none while the system's fits
HFONT gStatusFont;
int gLaidOutWidth = -1, gLaidOutHeight = -1;  // the client size the panes were last laid out for

const int TOOL_IDS[3] = {IDB_TOOLBAR, IDB_TOOLBAR_150, IDB_TOOLBAR_200};
const int TOOL_DISABLED_IDS[3] = {IDB_TOOLBAR_DISABLED, IDB_TOOLBAR_DISABLED_150,
                                  IDB_TOOLBAR_DISABLED_200};

int DialColumnCount() { return gApp.model == MODEL_A3 ? DIAL_COLUMNS_A3 : DIAL_COLUMNS_A4; }

void InsertDialColumn(HWND list, int index, int width)
{
    char header[HEADER_SIZE];
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.cx = width;
    column.pszText = const_cast<char*>(LoadStr(DIAL_COLUMNS[index].header, header, sizeof header));
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

HWND CreateToolbar(HWND parent, HINSTANCE instance)
{
    HWND toolbar = CreateWindowExA(
        0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0,
        0, 0, 0, parent, reinterpret_cast<HMENU>(IDC_TOOLBAR), instance, nullptr);
    if (!toolbar)
        return nullptr;
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

    HIMAGELIST images =
        LoadScaledStrip(TOOL_IDS, TOOL_IMAGE_SIZE, TOOL_IMAGE_SIZE, TOOL_IMAGE_COUNT, gApp.dpi);
    gApp.toolbarImages = images;
    SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));

    TBBUTTON buttons[sizeof TOOL_BUTTONS / sizeof TOOL_BUTTONS[0]] = {};
    int count = 0;
    for (const ToolButton& b : TOOL_BUTTONS) {
        TBBUTTON& button = buttons[count++];
        if (b.image < 0) {
            button.fsStyle = BTNS_SEP;
            continue;
        }
        button.iBitmap = b.image;
        button.idCommand = b.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons));
    // Sized by the layout when the window shows.

    HIMAGELIST disabled = LoadScaledStrip(TOOL_DISABLED_IDS, TOOL_IMAGE_SIZE, TOOL_IMAGE_SIZE,
                                          TOOL_IMAGE_COUNT, gApp.dpi);
    gApp.toolbarDisabledImages = disabled;
    SendMessageA(toolbar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled));
    return toolbar;
}

/* One tool per button, keyed by the command, its text loaded by id when the tip shows. The
 * toolbar's own tips (TBSTYLE_TOOLTIPS) would be a second window made for nothing. */
void CreateToolTips(HWND toolbar, HINSTANCE instance)
{
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, toolbar, nullptr,
                               instance, nullptr);
    gApp.tooltip = tip;
    for (const ToolButton& b : TOOL_BUTTONS) {
        if (b.image < 0)
            continue;
        TTTOOLINFOA info = {};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.uFlags = TTF_SUBCLASS | TTF_CENTERTIP;
        info.hwnd = toolbar;
        info.uId = b.command;
        info.hinst = ResourceModule();
        info.lpszText = MAKEINTRESOURCEA(b.tip);
        int index = static_cast<int>(SendMessageA(toolbar, TB_COMMANDTOINDEX, b.command, 0));
        SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&info.rect));
        SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    SendMessageA(toolbar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tip), 0);
}

void SetLockPart(HWND status, int part, int virtualKey, const char* text)
{
    const char* shown = (GetKeyState(virtualKey) & 1) ? text : " ";
    SendMessageA(status, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(shown));
}

HWND CreateStatusBar(HWND parent, HINSTANCE instance)
{
    HWND status = CreateWindowExA(
        0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, 0, 0, 0,
        0, parent, reinterpret_cast<HMENU>(IDC_STATUSBAR), instance, nullptr);
    if (!status)
        return nullptr;
    int edges[STATUS_PARTS] = {60, 120, 180, 240, 300, 0};
    for (int& edge : edges)
        edge = ScaleToDpi(edge, gApp.dpi);
    SendMessageA(status, SB_SETPARTS, STATUS_PARTS, reinterpret_cast<LPARAM>(edges));
    gApp.statusBar = status;
    ResetStatusTitle();
    RefreshLockIndicators(VK_CAPITAL);
    RefreshLockIndicators(VK_NUMLOCK);
    RefreshLockIndicators(VK_SCROLL);
    return status;
}

HWND CreateList(HWND parent, HINSTANCE instance, int id, DWORD extraStyle)
{
    DWORD style = WS_CHILD | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                  LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | extraStyle;
    HWND list =
        CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, nullptr, style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    HIMAGELIST images = static_cast<HIMAGELIST>(gApp.treeImages);
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    return list;
}

INT_PTR CALLBACK ConnectionPanelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        gApp.connectionPanel = dialog;
        ShowConnectionText();
        /* Nothing here takes the focus, and setting it would activate a window not shown yet. */
        return FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        // A high-contrast theme's own colours, never a yellow its text may vanish on.
        if (IsHighContrast()) {
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
        }
        if (!gPanelBrush)
            gPanelBrush = CreateSolidBrush(PANEL_COLOUR);
        return reinterpret_cast<INT_PTR>(gPanelBrush);
    }
    return FALSE;
}

/* Moved panes repaint whole: copying their old pixels left stale pieces of other panes. A
 * pane not made yet is skipped: InvalidateRect would take it for the whole screen. */
void MovePane(HWND pane, const PaneRect& r)
{
    if (!pane)
        return;
    SetWindowPos(pane, nullptr, r.x, r.y, r.width < 0 ? 0 : r.width, r.height < 0 ? 0 : r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    InvalidateRect(pane, nullptr, TRUE);
}

}  // namespace

void CreateFrameParts(HWND window, HINSTANCE instance)
{
    gApp.dpi = WindowDpi(window);

    gApp.toolbar = CreateToolbar(window, instance);
    MarkStartupStep(STEP_TOOLBAR);
    CreateStatusBar(window, instance);
    MarkStartupStep(STEP_STATUS_BAR);

    CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(IDD_CONNECTION), window,
                       ConnectionPanelDialogProc, 0);
    MarkStartupStep(STEP_PANEL);

    gApp.selectedRow = -1;
    gApp.currentView = VIEW_DEVICE;
    RECT client;
    GetClientRect(window, &client);
    SendMessageA(AsWindow(gApp.statusBar), WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(client.right, client.bottom));
    RefreshUiState();
    /* Posted, so it comes after the first paint and before any key or click. */
    PostMessageA(window, WM_COMPLETE_FRAME, 0, 0);
}

/* What the first window does not show, without data: the tree, the lists, the tips. */
void CompleteFrameParts(HWND window)
{
    if (gApp.tree)
        return;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    if (!gApp.treeImages)
        gApp.treeImages = CreateListPictures(gApp.dpi);
    HWND tree =
        CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, nullptr,
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                            TVS_LINESATROOT | TVS_NOTOOLTIPS | TVS_SHOWSELALWAYS,
                        0, 0, 0, 0, window, reinterpret_cast<HMENU>(IDC_TREE), instance, nullptr);
    gApp.tree = tree;
    FillTree(tree);
    if (GetFocus() == window || !GetFocus())
        SetFocus(tree);
    MarkStartupStep(STEP_TREE);

    HWND dialList = CreateList(window, instance, IDC_DIALLIST, WS_VISIBLE);
    gApp.dialList = dialList;
    for (int i = 0; i < DialColumnCount(); i++)
        InsertDialColumn(dialList, i, ScaleToDpi(DIAL_COLUMNS[i].width, gApp.dpi));
    FillDialList(dialList, VIEW_QUICK);
    EnableWindow(dialList, gDocument.dataPresent == 1);

    HWND members = CreateList(window, instance, IDC_MEMBERLIST, 0);
    gApp.memberList = members;
    SendMessageA(members, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    {
        char header[HEADER_SIZE];
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.cx = ScaleToDpi(150, gApp.dpi);
        column.pszText = const_cast<char*>(LoadStr(IDS_COL_MEMBER, header, sizeof header));
        SendMessageA(members, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    }
    if (gListFont)
        for (HWND control : {tree, dialList, members})
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(gListFont), FALSE);
    CreateToolTips(AsWindow(gApp.toolbar), instance);
    RefreshUiState();
    MarkStartupStep(STEP_LISTS);
}

/* The tree's selection decides what the right-hand pane shows; the enabling rules show and
 * hide the panes for the new view. */
void ShowView(HWND window, int shown)
{
    if (shown < static_cast<int>(VIEW_DEVICE) || shown > static_cast<int>(VIEW_GROUP))
        return;
    const View view = static_cast<View>(shown);
    CompleteFrameParts(window);
    HWND dialList = AsWindow(gApp.dialList);
    gApp.currentView = view;
    RefreshUiState();

    if (view == VIEW_QUICK || view == VIEW_SPEED) {
        if (gApp.listColumnSet == VIEW_GROUP)
            for (int i = 2; i < DialColumnCount(); i++)
                InsertDialColumn(dialList, i,
                                 ScaleToDpi(i == 8 ? 80 : DIAL_COLUMNS[i].width, gApp.dpi));
        FillDialList(dialList, view);
    } else if (view == VIEW_GROUP) {
        for (int i = DialColumnCount() - 1; i >= 2; i--)
            SendMessageA(dialList, LVM_DELETECOLUMN, i, 0);
        FillDialList(dialList, view);
    }
    if (view != VIEW_DEVICE) {
        gApp.currentRow = 0;
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(dialList, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
        gApp.listColumnSet = view;
    }
    LayoutPanes(window);
}

void OnSystemColourChange(HWND window)
{
    RepaintForColours(window);
    HBRUSH fresh = GetSysColorBrush(COLOR_BTNFACE);
    HBRUSH old = reinterpret_cast<HBRUSH>(
        SetClassLongPtrA(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(fresh)));
    /* System colour brushes must never be deleted; anything else we put there may be. */
    if (old && old != fresh && GetObjectType(old) == OBJ_BRUSH) {
        bool system = false;
        for (int i = 0; i <= COLOR_MENUBAR; i++)
            system = system || old == GetSysColorBrush(i);
        if (!system)
            DeleteObject(old);
    }
}

/* "Moravel - " and the document's title. */
const char* FormatCaption(char* caption, int size)
{
    char app[TITLE_SIZE], format[32];
    LoadStr(IDS_CAPTION_FORMAT, format, sizeof format);
    std::snprintf(caption, size, format, LoadStr(IDS_APP_TITLE, app, sizeof app), gDocument.title);
    return caption;
}

void ResetStatusTitle()
{
    char title[TITLE_SIZE];
    SendMessageA(AsWindow(gApp.statusBar), SB_SETTEXTA, 1,
                 reinterpret_cast<LPARAM>(LoadStr(IDS_STATUS_TITLE, title, sizeof title)));
}

void StartPollTimer() { SetTimer(MainWindow(), POLL_TIMER, POLL_PERIOD_MS, nullptr); }

void StopPollTimer() { KillTimer(MainWindow(), POLL_TIMER); }

void SetCaptionFromTitle()
{
    char caption[TITLE_SIZE * 2 + 4];
    SetWindowTextA(MainWindow(), FormatCaption(caption, sizeof caption));
}

void FillTree(HWND tree)
{
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(gApp.treeImages));

    TVINSERTSTRUCTA insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = gDocument.edit.properties.deviceName;
    insert.item.iImage = 0;
    insert.item.iSelectedImage = 1;
    insert.item.cChildren = 1;
    insert.item.lParam = VIEW_DEVICE;
    gTreeItems[0] = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));

    for (int i = 0; i < 3; i++) {
        char text[TITLE_SIZE];
        insert.hParent = gTreeItems[0];
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(LoadStr(TREE_LISTS[i].text, text, sizeof text));
        insert.item.iImage = TREE_LISTS[i].image;
        insert.item.iSelectedImage = TREE_LISTS[i].selectedImage;
        insert.item.lParam = VIEW_QUICK + i;
        gTreeItems[1 + i] = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    /* The three lists are the way into the data: show them without a click. */
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(gTreeItems[0]));
    EnableWindow(tree, gDocument.dataPresent == 1);
}

void SelectTreeItem(int view)
{
    if (view < 0 || view > 3)
        return;
    SendMessageA(AsWindow(gApp.tree), TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(gTreeItems[view]));
}

void SetDeviceItemText(const char* text)
{
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = gTreeItems[0];
    item.pszText = const_cast<char*>(text);
    SendMessageA(AsWindow(gApp.tree), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void ShowConnectionText()
{
    char text[TITLE_SIZE];
    LoadStr(gApp.connected ? IDS_CONNECTION_ONLINE : IDS_CONNECTION_OFFLINE, text, sizeof text);
    SetDlgItemTextA(AsWindow(gApp.connectionPanel), IDC_CONNECTION_TEXT, text);
}

void RefreshLockIndicators(int virtualKey)
{
    HWND status = AsWindow(gApp.statusBar);
    char text[16];
    switch (virtualKey) {
    case VK_CAPITAL:
        SetLockPart(status, 3, VK_CAPITAL, LoadStr(IDS_INDICATOR_CAPS, text, sizeof text));
        break;
    case VK_NUMLOCK:
        SetLockPart(status, 4, VK_NUMLOCK, LoadStr(IDS_INDICATOR_NUM, text, sizeof text));
        break;
    case VK_SCROLL:
        SetLockPart(status, 5, VK_SCROLL, LoadStr(IDS_INDICATOR_SCRL, text, sizeof text));
        break;
    }
}

void OnFrameSize(HWND window, WPARAM kind, LPARAM size)
{
    /* Showing the new window sends the size it was laid out for while hidden, when moving its
     * panes was cheaper. */
    if (kind == SIZE_RESTORED && LOWORD(size) == gLaidOutWidth && HIWORD(size) == gLaidOutHeight)
        return;
    SendMessageA(AsWindow(gApp.statusBar), WM_SIZE, kind, size);
    LayoutPanes(window);
}

void LayoutPanes(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    gLaidOutWidth = client.right;
    gLaidOutHeight = client.bottom;
    HWND toolbar = AsWindow(gApp.toolbar);
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    // The toolbar's window, not its client: its divider takes rows the panes must not cover.
    RECT bar = {};
    GetWindowRect(toolbar, &bar);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bar), 2);

    // The status bar's own height: its font and the DPI decide it.
    RECT statusRect = {};
    GetWindowRect(AsWindow(gApp.statusBar), &statusRect);
    const int statusHeight = statusRect.bottom > statusRect.top
                                 ? static_cast<int>(statusRect.bottom - statusRect.top)
                                 : ScaleToDpi(STATUS_BAR_HEIGHT, gApp.dpi);

    int treeWidth = gApp.treePaneWidth;
    PaneLayout layout;
    ComputePaneLayout(client.right, client.bottom, bar.bottom, &treeWidth,
                      static_cast<int>(gDocument.dataPresent), static_cast<int>(gApp.currentView),
                      &layout, statusHeight);
    gApp.treePaneWidth = treeWidth;

    MovePane(AsWindow(gApp.tree), layout.tree);
    MovePane(AsWindow(gApp.connectionPanel), layout.panel);
    MovePane(AsWindow(gApp.dialList), layout.dialList);
    if (layout.memberList.visible)
        MovePane(AsWindow(gApp.memberList), layout.memberList);

    int edges[STATUS_PARTS];
    ComputeStatusEdges(client.right, edges, gApp.dpi);
    SendMessageA(AsWindow(gApp.statusBar), SB_SETPARTS, STATUS_PARTS,
                 reinterpret_cast<LPARAM>(edges));
}

namespace {

/* The font a control of the list kind or the status bar takes at `dpi`. */
HFONT FontForDpi(int dpi, bool status)
{
    typedef BOOL(WINAPI * ParametersForDpi)(UINT, UINT, PVOID, UINT, UINT);
    static const ParametersForDpi forDpi = reinterpret_cast<ParametersForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"),
                                               "SystemParametersInfoForDpi")));
    if (status) {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof metrics;
        if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                             static_cast<UINT>(dpi)))
            return CreateFontIndirectW(&metrics.lfStatusFont);
    } else {
        LOGFONTW font = {};
        if (forDpi && forDpi(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0,
                             static_cast<UINT>(dpi)))
            return CreateFontIndirectW(&font);
    }
    return nullptr;
}

/* Each column as wide at the new DPI as it was at the old. */
void RescaleColumns(HWND list, int fromDpi, int toDpi)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < columns; c++) {
        const int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0));
        SendMessageA(list, LVM_SETCOLUMNWIDTH, c, RescaleSize(width, fromDpi, toDpi));
    }
}

void Replace(HFONT* held, HFONT fresh)
{
    if (*held)
        DeleteObject(*held);
    *held = fresh;
}

}  // namespace

void OnDpiChanged(HWND window, int dpi, const RECT* suggested)
{
    const int old = gApp.dpi;
    if (dpi <= 0 || dpi == old)
        return;
    gApp.dpi = dpi;

    // Pictures drawn for the new scale, in every list that shows them.
    HIMAGELIST tree = CreateListPictures(dpi);
    HWND toolbar = AsWindow(gApp.toolbar);
    HIMAGELIST tools =
        LoadScaledStrip(TOOL_IDS, TOOL_IMAGE_SIZE, TOOL_IMAGE_SIZE, TOOL_IMAGE_COUNT, dpi);
    HIMAGELIST disabled = LoadScaledStrip(TOOL_DISABLED_IDS, TOOL_IMAGE_SIZE, TOOL_IMAGE_SIZE,
                                          TOOL_IMAGE_COUNT, dpi);
    SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(tools));
    SendMessageA(toolbar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled));
    int w = 0, h = 0;
    ImageList_GetIconSize(tools, &w, &h);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(w, h));
    SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, 0);
    SendMessageA(AsWindow(gApp.tree), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(tree));
    for (HWND list : {AsWindow(gApp.dialList), AsWindow(gApp.memberList)}) {
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(tree));
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(tree));
    }
    for (void* held : {gApp.treeImages, gApp.toolbarImages, gApp.toolbarDisabledImages})
        if (held)
            ImageList_Destroy(static_cast<HIMAGELIST>(held));
    gApp.treeImages = tree;
    gApp.toolbarImages = tools;
    gApp.toolbarDisabledImages = disabled;

    // Fonts made for the new DPI; the widths the user gave the tree and columns kept in scale.
    Replace(&gListFont, FontForDpi(dpi, false));
    Replace(&gStatusFont, FontForDpi(dpi, true));
    for (HWND control : {AsWindow(gApp.tree), AsWindow(gApp.dialList), AsWindow(gApp.memberList)})
        if (gListFont)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(gListFont), TRUE);
    if (gStatusFont)
        SendMessageA(AsWindow(gApp.statusBar), WM_SETFONT, reinterpret_cast<WPARAM>(gStatusFont),
                     TRUE);
    RescaleColumns(AsWindow(gApp.dialList), old, dpi);
    RescaleColumns(AsWindow(gApp.memberList), old, dpi);
    if (gApp.treePaneWidth > 0)
        gApp.treePaneWidth = RescaleSize(gApp.treePaneWidth, old, dpi);

    if (suggested)
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(AsWindow(gApp.statusBar), WM_SIZE, 0, 0);
    LayoutPanes(window);
}
