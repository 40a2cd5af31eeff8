/*
 * Process start: the single-instance guard, the model profile, the resource module, the window
 * class and the message loop.
 */
#include "app/startup_win.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/main_window_win.h"
#include "app/program_win.h"
#include "app/startup_trace_win.h"
#include "app/ui_state_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/frame_seam_win.h"
#include "ui/ui_win.h"

namespace {

/* A named mutex rather than a shared data word: creating it is one atomic step, so two starts
 * at the same moment cannot both run, and the system releases it when a run ends however it
 * ends. */
const char INSTANCE_MUTEX_NAME[] = "Moravel.PVX.SingleInstance";
constexpr int PROFILE_SIZE = 128;
/* List and tree views, toolbar, status bar and tooltips, tabs, progress bars, IP addresses. */
constexpr DWORD COMMON_CONTROL_CLASSES = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                         ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                                         ICC_INTERNET_CLASSES;
static_assert(COMMON_CONTROL_CLASSES == 0x82F, "the classes the program's windows use");

}  // namespace

int InitApplication(HINSTANCE instance, HINSTANCE previous, const char* profile)
{
    ResetAppState(&gApp);
    ApplyModelProfile(&gApp, profile);
    MarkStartupStep(STEP_PROFILE);

    LoadResourceModule(instance, ProgramDirectory());
    MarkStartupStep(STEP_RESOURCES);
    char untitled[TITLE_SIZE];
    SetUntitledDocument(gDocument, LoadStr(IDS_DEFAULT_DOCUMENT, untitled, sizeof untitled));
    SetUiStateRefresher(ApplyUiState);

    /* A class left by an earlier start-up in the same process (the tests) serves as well. */
    if (!previous && !RegisterMainClass(instance) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return 0;
    MarkStartupStep(STEP_CLASS);

    INITCOMMONCONTROLSEX controls = {sizeof controls, COMMON_CONTROL_CLASSES};
    InitCommonControlsEx(&controls);
    MarkStartupStep(STEP_CONTROLS);
    return 1;
}

int RunApplication(HINSTANCE instance, HINSTANCE previous, const char*, int show)
{
    BeginStartupTrace();
    MarkStartupStep(STEP_ENTRY);
    HANDLE guard = CreateMutexA(nullptr, FALSE, INSTANCE_MUTEX_NAME);
    if (!guard)
        return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(guard);
        return 0;
    }
    MarkStartupStep(STEP_INSTANCE_CHECK);

    /* The profile always comes from the program itself, never from a resource library. */
    char profile[PROFILE_SIZE];
    if (LoadStringA(instance, IDS_MODEL_PROFILE, profile, sizeof profile) <= 0)
        profile[0] = '\0';
    if (!InitApplication(instance, previous, profile)) {
        FreeResourceLibrary();
        CloseHandle(guard);
        return 0;
    }
    MarkStartupStep(STEP_COM);

    HWND window = CreateMainWindow(instance, show);
    if (!window) {
        EndCom();
        FreeResourceLibrary();
        CloseHandle(guard);
        return 0;
    }

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCEL));
    MarkStartupStep(STEP_ACCELERATORS);

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

    EndCom();
    WriteStartupTrace();
    FreeResourceLibrary();
    CloseHandle(guard);
    return result == -1 ? 0 : static_cast<int>(msg.wParam);
}
