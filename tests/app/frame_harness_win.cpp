#include "tests/app/frame_harness_win.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "app/frame_win.h"
#include "app/ui_win.h"
#include "resources/resource_ids.h"

namespace {
bool gClassRegistered = false;

std::string ProgramDir()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    return path;
}
}

void StartFrame(const char* profile)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ResetAppState(&g_app);
    ApplyModelProfile(&g_app, profile);
    LoadResourceModule(instance, ProgramDir().c_str());
    LoadStr(IDS_DEFAULT_DOCUMENT, g_app.currentTitle, sizeof g_app.currentTitle);
    lstrcpynA(g_app.currentPath, g_app.currentTitle, sizeof g_app.currentPath);
    if (!gClassRegistered) {
        INITCOMMONCONTROLSEX controls = {sizeof controls, 0x82F};
        InitCommonControlsEx(&controls);
        gClassRegistered = RegisterMainClass(instance) != 0;
    }
}

HWND OpenMainWindow()
{
    char backup[MAX_PATH];
    BackupPath(backup, sizeof backup);
    SetFileAttributesA(backup, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(backup);
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    if (window) {
        SetMenu(window, LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_MAINMENU)));
        PumpMessages();
    }
    return window;
}

void CloseTestWindow(HWND window)
{
    if (IsWindow(window))
        DestroyWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            DispatchMessageA(&msg);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string WindowText(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ListColumnText(HWND list, int column)
{
    char text[256] = "";
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    if (!SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)))
        return "<none>";
    return text;
}

int ListColumnCount(HWND list)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

void SetClientSize(HWND window, int width, int height)
{
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, GetWindowLongA(window, GWL_STYLE), GetMenu(window) != nullptr,
                       GetWindowLongA(window, GWL_EXSTYLE));
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(window, &client);
    // A menu bar that wraps changes the client height; correct once with what we got.
    if (client.right != width || client.bottom != height)
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left + width - client.right,
                     r.bottom - r.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
}

bool IsShown(void* window) { return IsWindowVisible(static_cast<HWND>(window)) != FALSE; }
