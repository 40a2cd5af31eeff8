/* Strings by id, the one message box function, the window's DPI and the system's colours. */
#include "ui/ui_win.h"

#include <objbase.h>

#include <cstdio>

#include "resources/resource_ids.h"
#include "ui/dpi_scale.h"

namespace {
MessageHook gMessageHook = nullptr;
const char RESOURCE_LIBRARY_NAME[] = "QVPVX.DLL";
constexpr int MESSAGE_SIZE = 1024;
}

const char* LoadStr(UINT id, char* buffer, int size)
{
    /* A resource library made for an earlier version lacks the newer texts: those come from
     * the program itself. */
    if (LoadStringA(ResourceModule(), id, buffer, size) <= 0 &&
        LoadStringA(InstanceModule(), id, buffer, size) <= 0)
        buffer[0] = '\0';
    return buffer;
}

const char* LoadOwnStr(UINT id, char* buffer, int size)
{
    if (LoadStringA(InstanceModule(), id, buffer, size) <= 0)
        buffer[0] = '\0';
    return buffer;
}

void CentreOnScreen(HWND dialog)
{
    RECT r;
    GetWindowRect(dialog, &r);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(dialog, nullptr, (width - (r.right - r.left)) / 2,
                 (height - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetMessageHook(MessageHook hook) { gMessageHook = hook; }

namespace {
bool gComStarted = false;
}

void EnsureCom()
{
    if (gComStarted)
        return;
    /* S_FALSE (already started on this thread) also needs its CoUninitialize. */
    gComStarted = SUCCEEDED(CoInitialize(nullptr));
}

void EndCom()
{
    if (gComStarted)
        CoUninitialize();
    gComStarted = false;
}

namespace {
int ShowCaptioned(HWND owner, const char* text, UINT captionId, UINT flags)
{
    char caption[TITLE_SIZE];
    LoadStr(captionId, caption, sizeof caption);
    if (gMessageHook)
        return gMessageHook(owner, text, caption, flags);
    return MessageBoxA(owner, text, caption, flags);
}
}

int ShowMessage(HWND owner, const char* text, UINT flags)
{
    return ShowCaptioned(owner, text, IDS_APP_TITLE, flags);
}

int ShowMessageId(HWND owner, UINT textId, UINT flags)
{
    char text[MESSAGE_SIZE];
    return ShowMessage(owner, LoadStr(textId, text, sizeof text), flags);
}

int ShowMessageCaptionId(HWND owner, UINT textId, UINT captionId, UINT flags)
{
    char text[MESSAGE_SIZE];
    return ShowCaptioned(owner, LoadStr(textId, text, sizeof text), captionId, flags);
}

void FreeResourceLibrary()
{
    if (gApp.resourceLibrary && gApp.resourceLibrary != gApp.instanceModule)
        FreeLibrary(static_cast<HMODULE>(gApp.resourceLibrary));
    gApp.resourceLibrary = gApp.instanceModule;
    gApp.resourceModule = gApp.instanceModule;
}

void LoadResourceModule(HINSTANCE instance, const char* programDir)
{
    gApp.instanceModule = instance;
    gApp.resourceModule = instance;
    gApp.resourceLibrary = instance;

    char path[MAX_PATH];
    if (std::snprintf(path, sizeof path, "%s%s", programDir, RESOURCE_LIBRARY_NAME) >= MAX_PATH)
        return;
    HANDLE probe = CreateFileA(path, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(probe);

    /* Loaded for its resources only: no code in a file beside the program ever runs. */
    HMODULE library = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (library) {
        gApp.resourceLibrary = library;
        gApp.resourceModule = library;
    }
}

namespace {

int gHighContrastOverride = -1;

BOOL CALLBACK PassColourChange(HWND child, LPARAM)
{
    SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

}  // namespace

int IsHighContrast()
{
    if (gHighContrastOverride >= 0)
        return gHighContrastOverride;
    HIGHCONTRASTA contrast = {};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                   (contrast.dwFlags & HCF_HIGHCONTRASTON)
               ? 1
               : 0;
}

void OverrideHighContrast(int on) { gHighContrastOverride = on; }

void RepaintForColours(HWND window)
{
    EnumChildWindows(window, PassColourChange, 0);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

int WindowDpi(HWND window)
{
    typedef UINT(WINAPI * DpiForWindow)(HWND);
    static const DpiForWindow dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow && window)
        if (const UINT dpi = dpiForWindow(window))
            return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : BASE_DPI;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BASE_DPI;
}
