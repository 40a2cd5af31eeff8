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
/* List and tree views, toolbar, status bar and tooltips, tabs, progress bars, IP addresses. */
constexpr DWORD COMMON_CONTROL_CLASSES = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                         ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                                         ICC_INTERNET_CLASSES;
static_assert(COMMON_CONTROL_CLASSES == 0x82F, "the classes the program's windows use");

/* The program's folder, or the one a test gave it. */
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
    if (gApp.resourceLibrary && gApp.resourceLibrary != gApp.instanceModule)
        FreeLibrary(static_cast<HMODULE>(gApp.resourceLibrary));
    gApp.resourceLibrary = gApp.instanceModule;
    gApp.resourceModule = gApp.instanceModule;
}

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

void SetProgramDirectory(const char* dir) { lstrcpynA(gProgramDir, dir, sizeof gProgramDir); }

const char* ProgramDirectory()
{
    if (gProgramDir[0] == '\0')
        ModuleDirectory(nullptr, gProgramDir, sizeof gProgramDir);
    return gProgramDir;
}

const char* BackupPath(char* buffer, int size)
{
    const char* name = gApp.model == MODEL_A3 ? "A3SPVX.BAK" : "A4SPVX.BAK";
    std::snprintf(buffer, size, "%s%s", ProgramDirectory(), name);
    return buffer;
}

void InitDocumentData(HWND mainWindow)
{
    gApp.mainWindow = mainWindow;
    CreateDeviceImage();
    char backup[MAX_PATH];
    ReadSettingFile(BackupPath(backup, sizeof backup));
    LoadEditState();
    gApp.dataPresent = 0;
    gApp.treePaneWidth = 0;
}

int CloseMainWindow(HWND mainWindow, int exitFlag)
{
    if (gApp.modified) {
        char format[512], text[512 + PATH_SIZE];
        LoadStr(IDS_SAVE_CHANGES, format, sizeof format);
        std::snprintf(text, sizeof text, format, gApp.currentPath);
        int answer = ShowMessage(mainWindow, text, MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return 0;
        if (answer == IDYES) {
            int saved =
                IsUntitledDocument(gApp) ? SaveDocumentAs(mainWindow) : SaveDocument(mainWindow);
            /* The user was just told the save failed: closing now would lose the changes. */
            if (saved == SAVE_FAILED)
                return 0;
        }
        gApp.modified = 0;
    }
    gApp.dataPresent = 0;

    WriteBackupFile();
    /* Before anything is destroyed: ending remote mode may show a message box, which runs
     * messages for windows that still draw with the image lists and the status bar. */
    EndRemoteModeAtExit();

    DestroyWindow(mainWindow);
    gApp.tooltip = gApp.toolbar = gApp.statusBar = gApp.connectionPanel = nullptr;
    gApp.tree = gApp.dialList = gApp.memberList = nullptr;
    ImageList_Destroy(static_cast<HIMAGELIST>(gApp.treeImages));
    ImageList_Destroy(static_cast<HIMAGELIST>(gApp.toolbarImages));
    ImageList_Destroy(static_cast<HIMAGELIST>(gApp.toolbarDisabledImages));
    gApp.treeImages = gApp.toolbarImages = gApp.toolbarDisabledImages = nullptr;
    if (exitFlag)
        ReleaseDeviceImage();
    return 1;
}

int InitApplication(HINSTANCE instance, HINSTANCE previous, const char* profile)
{
    ResetAppState(&gApp);
    ApplyModelProfile(&gApp, profile);

    LoadResourceModule(instance, ProgramDirectory());
    LoadStr(IDS_DEFAULT_DOCUMENT, gApp.currentTitle, sizeof gApp.currentTitle);
    lstrcpynA(gApp.currentPath, gApp.currentTitle, sizeof gApp.currentPath);

    /* A class left by an earlier start-up in the same process (the tests) serves as well. */
    if (!previous && !RegisterMainClass(instance) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return 0;

    INITCOMMONCONTROLSEX controls = {sizeof controls, COMMON_CONTROL_CLASSES};
    InitCommonControlsEx(&controls);
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

    /* The profile always comes from the program itself, never from a resource library. */
    char profile[PROFILE_SIZE];
    if (LoadStringA(instance, IDS_MODEL_PROFILE, profile, sizeof profile) <= 0)
        profile[0] = '\0';
    if (!InitApplication(instance, previous, profile)) {
        FreeResourceLibrary();
        CloseHandle(guard);
        return 0;
    }
    CoInitialize(nullptr);

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
