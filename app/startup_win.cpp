/*
 * Process start and stop: the single-instance guard, the model profile, the resource module,
 * the message loop, the document data made at window creation, and the orderly shutdown.
 */
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>

#include "app/device_commands_win.h"
#include "app/file_commands_win.h"
#include "app/frame_win.h"
#include "app/ui_win.h"
#include "device/device_image.h"
#include "device/setting_file.h"
#include "resources/resource_ids.h"

namespace {

/* A named mutex rather than a shared data word: creating it is one atomic step, so two starts
 * at the same moment cannot both run, and the system releases it when a run ends however it
 * ends. */
const char INSTANCE_MUTEX_NAME[] = "Moravel.PVX.SingleInstance";
const char RESOURCE_LIBRARY_NAME[] = "QVPVX.DLL";
constexpr int PROFILE_SIZE = 128;

char gProgramDir[MAX_PATH];

/* Directory of module, with its trailing backslash. */
void ModuleDirectory(HMODULE module, char* dir, int size)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(module, path, sizeof path);
    if (n == 0 || n >= sizeof path)
        path[0] = '\0';
    char* slash = std::strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    else
        path[0] = '\0';
    lstrcpynA(dir, path, size);
}

void FreeResourceLibrary()
{
    if (g_app.resourceLibrary && g_app.resourceLibrary != g_app.instanceModule)
        FreeLibrary(static_cast<HMODULE>(g_app.resourceLibrary));
    g_app.resourceLibrary = g_app.instanceModule;
    g_app.resourceModule = g_app.instanceModule;
}

}

void LoadResourceModule(HINSTANCE instance, const char* programDir)
{
    g_app.instanceModule = instance;
    g_app.resourceModule = instance;
    g_app.resourceLibrary = instance;

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
        g_app.resourceLibrary = library;
        g_app.resourceModule = library;
    }
}

const char* ProgramDirectory()
{
    if (gProgramDir[0] == '\0')
        ModuleDirectory(nullptr, gProgramDir, sizeof gProgramDir);
    return gProgramDir;
}

const char* BackupPath(char* buffer, int size)
{
    const char* name = g_app.model == MODEL_A3 ? "A3SPVX.BAK" : "A4SPVX.BAK";
    std::snprintf(buffer, size, "%s%s", ProgramDirectory(), name);
    return buffer;
}

void InitDocumentData(HWND mainWindow)
{
    g_app.mainWindow = mainWindow;
    CreateDeviceImage();
    char backup[MAX_PATH];
    ReadSettingFile(BackupPath(backup, sizeof backup));
    LoadEditState();
    g_app.dataPresent = 0;
    g_app.treePaneWidth = 0;
}

int CloseMainWindow(HWND mainWindow, int exitFlag)
{
    if (g_app.modified) {
        char format[512], text[512 + PATH_SIZE];
        LoadStr(IDS_SAVE_CHANGES, format, sizeof format);
        std::snprintf(text, sizeof text, format, g_app.currentPath);
        int answer = ShowMessage(mainWindow, text, MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return 0;
        if (answer == IDYES) {
            char defaultName[TITLE_SIZE];
            LoadStr(IDS_DEFAULT_DOCUMENT, defaultName, sizeof defaultName);
            int saved = std::strcmp(defaultName, g_app.currentPath) != 0
                            ? SaveDocument(mainWindow)
                            : SaveDocumentAs(mainWindow);
            /* The user was just told the save failed: closing now would lose the changes. */
            if (saved == SAVE_FAILED)
                return 0;
        }
        g_app.modified = 0;
    }
    g_app.dataPresent = 0;

    WriteBackupFile();

    DestroyWindow(AsWindow(g_app.tooltip));
    DestroyWindow(AsWindow(g_app.toolbar));
    DestroyWindow(AsWindow(g_app.statusBar));
    DestroyWindow(AsWindow(g_app.connectionPanel));
    g_app.tooltip = g_app.toolbar = g_app.statusBar = g_app.connectionPanel = nullptr;
    ImageList_Destroy(static_cast<HIMAGELIST>(g_app.treeImages));
    ImageList_Destroy(static_cast<HIMAGELIST>(g_app.toolbarImages));
    ImageList_Destroy(static_cast<HIMAGELIST>(g_app.toolbarDisabledImages));
    g_app.treeImages = g_app.toolbarImages = g_app.toolbarDisabledImages = nullptr;

    EndRemoteModeAtExit();
    DestroyWindow(mainWindow);
    if (exitFlag)
        ReleaseDeviceImage();
    return 1;
}

int RunApplication(HINSTANCE instance, HINSTANCE previous, const char*, int show)
{
    HANDLE guard = CreateMutexA(nullptr, FALSE, INSTANCE_MUTEX_NAME);
    if (!guard)
        return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(guard);
        return 0;
    }

    ResetAppState(&g_app);
    char profile[PROFILE_SIZE];
    if (LoadStringA(instance, IDS_MODEL_PROFILE, profile, sizeof profile) <= 0)
        profile[0] = '\0';
    ApplyModelProfile(&g_app, profile);

    ModuleDirectory(instance, gProgramDir, sizeof gProgramDir);
    LoadResourceModule(instance, gProgramDir);

    LoadStr(IDS_DEFAULT_DOCUMENT, g_app.currentTitle, sizeof g_app.currentTitle);
    lstrcpynA(g_app.currentPath, g_app.currentTitle, sizeof g_app.currentPath);

    if (!previous && !RegisterMainClass(instance)) {
        CloseHandle(guard);
        return 0;
    }

    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0x82F};
    InitCommonControlsEx(&controls);

    HWND window = CreateMainWindow(instance, show);
    if (!window) {
        CoUninitialize();
        FreeResourceLibrary();
        CloseHandle(guard);
        return 0;
    }

    HMENU menu = LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_MAINMENU));
    HMENU classMenu = GetMenu(window);
    SetMenu(window, menu);
    if (classMenu && classMenu != menu)
        DestroyMenu(classMenu);
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCEL));

    MSG msg;
    int result;
    while ((result = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (result == -1)
            break;
        if (accelerators && IsWindow(window) && TranslateAcceleratorA(window, accelerators, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    CoUninitialize();
    if (menu)
        DestroyMenu(menu);
    FreeResourceLibrary();
    CloseHandle(guard);
    return result == -1 ? 0 : static_cast<int>(msg.wParam);
}
