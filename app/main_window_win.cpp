/*
 * The main window itself: its class, its creation and its procedure, which routes every
 * message to the part of the program that handles it (commands, the tree and lists, the timer,
 * the context menus, the close box).
 */
#include "app/main_window_win.h"

#include <windowsx.h>

#include <cstring>

#include "app/commands_win.h"
#include "app/device_commands_win.h"
#include "app/file_commands_win.h"
#include "app/frame_win.h"
#include "app/startup_trace_win.h"
#include "app/ui_state_win.h"
#include "dial/dial_lists_win.h"
#include "document/device_history_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/accessible_names_win.h"
#include "ui/dpi_scale.h"
#include "ui/frame_seam_win.h"
#include "ui/ui_win.h"

namespace {

const char MAIN_CLASS[] = "PVX";
constexpr int MAIN_WIDTH = 600;
constexpr int MAIN_HEIGHT = 400;

/* What start-up need not do before the window shows: the history files a crash left half
 * written (finding the history folder loads the shell). A timer's message comes only once
 * nothing else, painting included, is waiting. */
void CALLBACK AfterFirstPaint(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    RemoveStaleHistoryFiles();
}

void OnCreate(HWND window, HINSTANCE instance)
{
    InitDocumentData(window);
    MarkStartupStep(STEP_BACKUP_READ);
    InstallDeviceLink();
    CreateFrameParts(window, instance);
    GiveMainWindowNamesLater(window);
    SetTimer(window, reinterpret_cast<UINT_PTR>(&AfterFirstPaint), 0, AfterFirstPaint);
}

/* Tab, Shift+Tab and F6 move the focus between the tree and the lists shown: the main window
 * is no dialog, so nothing else lets the keyboard reach a list. */
bool MoveBetweenPanes(HWND window, const NMHDR* header)
{
    WORD key = 0;
    if (header->code == TVN_KEYDOWN)
        key = reinterpret_cast<const NMTVKEYDOWN*>(header)->wVKey;
    else if (header->code == LVN_KEYDOWN)
        key = reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey;
    if (key != VK_TAB && key != VK_F6)
        return false;
    HWND next = GetNextDlgTabItem(window, header->hwndFrom, GetKeyState(VK_SHIFT) < 0);
    if (next && next != header->hwndFrom)
        SetFocus(next);
    return true;
}

LRESULT OnNotify(HWND window, const NMHDR* header)
{
    if (MoveBetweenPanes(window, header))
        return 0;
    switch (header->idFrom) {
    case IDC_TREE:
        if (header->code == TVN_SELCHANGEDA)
            ShowView(window, static_cast<int>(
                                 reinterpret_cast<const NMTREEVIEWA*>(header)->itemNew.lParam));
        return 0;
    case IDC_DIALLIST:
        return OnDialListNotify(window, header);
    case IDC_MEMBERLIST:
        return OnMemberListNotify(window, header);
    }
    return 0;
}

/* Where the menu key or Shift+F10 puts a context menu: on the focused tree item or list row. */
bool KeyboardMenuPoint(HWND focus, POINT* screen)
{
    RECT r = {};
    if (focus == AsWindow(gApp.tree)) {
        HTREEITEM item =
            reinterpret_cast<HTREEITEM>(SendMessageA(focus, TVM_GETNEXTITEM, TVGN_CARET, 0));
        std::memcpy(&r, &item, sizeof item);
        if (!item || !SendMessageA(focus, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)))
            return false;
        /* On the item's picture, which is there even when the label is empty. */
        *screen = {r.left > 8 ? r.left - 8 : r.left, (r.top + r.bottom) / 2};
    } else if (focus == AsWindow(gApp.dialList)) {
        int row = static_cast<int>(SendMessageA(focus, LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
        r.left = LVIR_LABEL;
        if (row < 0 || !SendMessageA(focus, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)))
            return false;
        *screen = {r.left + 4, (r.top + r.bottom) / 2};
    } else {
        return false;
    }
    ClientToScreen(focus, screen);
    return true;
}

/* Right button or menu key: the tree gets the device menu, the dial list the row menu. */
void OnContextMenu(HWND window, LPARAM lParam)
{
    POINT screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (screen.x == -1 && screen.y == -1 && !KeyboardMenuPoint(GetFocus(), &screen))
        return;
    POINT client = screen;
    ScreenToClient(window, &client);
    HWND child = ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE);
    if (child && child == AsWindow(gApp.tree))
        ShowTreeContextMenu(child, screen);
    else if (child && child == AsWindow(gApp.dialList))
        ShowRowContextMenu(child, screen);
}

}  // namespace

ATOM RegisterMainClass(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MORAVEL));
    /* Given, not left to the system to make from the large one: that costs start-up time. */
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MORAVEL), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = MAIN_CLASS;
    return RegisterClassExA(&wc);
}

HWND CreateMainWindow(HINSTANCE instance, int show)
{
    char caption[TITLE_SIZE * 2 + 4];
    FormatCaption(caption, sizeof caption);
    const int dpi = WindowDpi(nullptr);
    /* The menu from the start: set after the first paint, it made the frame lay out and paint
     * again. */
    HMENU menu = LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_MAINMENU));
    /* Centred from the start: moved once made, it was laid out twice. */
    const int width = ScaleToDpi(MAIN_WIDTH, dpi), height = ScaleToDpi(MAIN_HEIGHT, dpi);
    HWND window = CreateWindowExA(0, MAIN_CLASS, caption, WS_OVERLAPPEDWINDOW,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                  nullptr, menu, instance, nullptr);
    if (!window && menu)
        DestroyMenu(menu);
    if (!window)
        return nullptr;
    MarkStartupStep(STEP_WINDOW_CREATED);
    ShowWindow(window, show);
    UpdateWindow(window);
    MarkStartupStep(STEP_FIRST_PAINT);
    return window;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window, reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance);
        break;
    case WM_SIZE:
        OnFrameSize(window, wParam, lParam);
        break;
    case WM_CLOSE:
        CloseMainWindow(window, 0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_SYSCOLORCHANGE:
        OnSystemColourChange(window);
        break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST)
            OnSystemColourChange(window);
        break;
    case WM_DPICHANGED:
        OnDpiChanged(window, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(window, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        // A command posted by another program may come before the posted WM_COMPLETE_FRAME.
        CompleteFrameParts(window);
        return DispatchCommand(window, LOWORD(wParam), lParam);
    case WM_TIMER:
        OnPollTimer(window);
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(window, lParam);
        break;
    case WM_INITMENU:
        RefreshUiState();
        break;
    case WM_COMPLETE_FRAME:
        CompleteFrameParts(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
