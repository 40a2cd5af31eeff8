// The soak: one process runs 200 download and upload cycles against the simulated device and
// opens and closes every dialog and the settings sheet 200 times, then prints what it holds of
// the system (GDI and USER objects, handles, private memory) before and after. It fails when
// any grows beyond a small fixed margin. `make soak` runs it under Wine.
//
//   soak [CYCLES]
#include <windows.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "devsim/device_backends.h"
#include "devsim/sim_backend.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/settings/sheet_harness_win.h"
#include "ui/app_state.h"
#include "ui/ui_win.h"

namespace {

// GDI and USER objects as the system counts them (Wine counts none: there they read 0), the
// process's windows, its kernel handles found by probing, and its committed private memory.
struct Figures {
    DWORD gdi, user, windows, handles;
    SIZE_T privateBytes;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD*>(count);
        EnumChildWindows(window, CountWindow, count);
    }
    return TRUE;
}

DWORD CountHandles()
{
    DWORD count = 0, flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            count++;
    return count;
}

SIZE_T PrivateBytes()
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;
         at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        if (static_cast<const char*>(info.BaseAddress) + info.RegionSize <= at)
            break;
    }
    return total;
}

Figures Measure()
{
    Figures f = {};
    f.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    f.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&f.windows));
    f.handles = CountHandles();
    f.privateBytes = PrivateBytes();
    return f;
}

HWND gWindow = nullptr;

void Command(int id)
{
    SendMessageA(gWindow, WM_COMMAND, id, 0);
    PumpMessages();
}

// A dialog opened by `command` and closed with `button` as soon as it shows.
void OpenAndClose(int command, const char* caption, int button = IDCANCEL)
{
    if (std::getenv("SOAK_TRACE"))
        std::fprintf(stderr, "%s\n", caption);
    DialogAnswer answer(caption, button);
    Command(command);
}

void Cycle()
{
    Command(IDM_DOWNLOAD);
    OpenAndClose(IDM_UPLOAD, "Upload to Device", IDOK);
    OpenAndClose(IDM_ABOUT, "About Moravel");
    OpenAndClose(IDM_TOTAL_COUNTER, "Counter");
    OpenAndClose(IDM_DEVICE_INFO, "Device Info");
    OpenAndClose(IDM_PROPERTIES, "Properties");
    OpenAndClose(IDM_PRINT, "Print Destination List");
    OpenAndClose(IDM_COMPARE_DEVICE, "Compare with Device");
    RunSheet(gWindow, {[](HWND sheet) { Press(sheet, PSBTN_CANCEL); }});
    Command(IDM_VIEW_QUICK);
    OpenAndClose(IDM_ENTRY_PROPERTIES, "Program Quick Dial01");
}

void Print(const char* when, const Figures& f)
{
    std::printf("%-8s GDI %5lu  USER %5lu  windows %4lu  handles %5lu  private %9.1f KiB\n", when,
                static_cast<unsigned long>(f.gdi), static_cast<unsigned long>(f.user),
                static_cast<unsigned long>(f.windows), static_cast<unsigned long>(f.handles),
                f.privateBytes / 1024.0);
}

}  // namespace

int main(int argc, char** argv)
{
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 200;
    SetMessageHook([](HWND, const char*, const char*, UINT) { return IDYES; });
    SetDeviceBackend(BuiltInSimBackend(nullptr));
    StartFrame();
    gWindow = OpenMainWindow();
    if (!gWindow)
        return 2;
    Command(IDM_CONNECT);
    for (int i = 0; i < 5; i++)  // warm-up: first-time allocations are not growth
        Cycle();
    const Figures before = Measure();
    for (int i = 0; i < cycles; i++)
        Cycle();
    const Figures after = Measure();
    std::printf("soak: %d cycles of download, upload, 8 dialogs and the settings sheet\n",
                cycles);
    Print("before", before);
    Print("after", after);
    Command(IDM_DISCONNECT);
    CloseTestWindow(gWindow);
    // A small fixed margin: a few objects and handles, 2 MiB of memory (heap pages).
    const bool grew = after.gdi > before.gdi + 8 || after.user > before.user + 8 ||
                      after.windows > before.windows || after.handles > before.handles + 16 ||
                      after.privateBytes > before.privateBytes + 2 * 1024 * 1024;
    std::printf("soak: %s\n", grew ? "GREW beyond the margin" : "flat within the margin");
    return grew ? 1 : 0;
}
