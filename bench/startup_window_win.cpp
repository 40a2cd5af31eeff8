// The smallest Win32 program with a main window: the reference that startup_bench holds
// Moravel.exe against. Built by the same compiler with the same flags, so that what both share
// (Wine starting a process, a window class, a shown window, a message loop) cancels out. Built
// a second time with WITH_COMMON_CONTROLS (startup_window_cc), it also loads version 6 of the
// common controls through Moravel's manifest and registers the classes Moravel uses. When
// the bench asks (MORAVEL_STARTUP_TRACE), it notes when WinMain was entered, as Moravel does.
#include <windows.h>
#ifdef WITH_COMMON_CONTROLS
#include <commctrl.h>
#endif

#include <cstdio>

namespace {

const char BENCH_WINDOW_CLASS[] = "MoravelStartupReference";

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    LARGE_INTEGER entry;
    QueryPerformanceCounter(&entry);
#ifdef WITH_COMMON_CONTROLS
    // The controls Moravel's first window creates, registered as it registers them.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                                          ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
#endif
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BenchWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = BENCH_WINDOW_CLASS;
    if (!RegisterClassA(&wc))
        return 1;
    HWND window = CreateWindowExA(0, BENCH_WINDOW_CLASS, "Start-up reference", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return 1;
    LARGE_INTEGER created;
    QueryPerformanceCounter(&created);
    ShowWindow(window, show);
    LARGE_INTEGER shown;
    QueryPerformanceCounter(&shown);
    UpdateWindow(window);
    LARGE_INTEGER painted;
    QueryPerformanceCounter(&painted);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    char trace[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("MORAVEL_STARTUP_TRACE", trace, sizeof trace);
    if (n > 0 && n < sizeof trace) {
        if (FILE* f = std::fopen(trace, "w")) {
            std::fprintf(f, "entry %lld\n", static_cast<long long>(entry.QuadPart));
            std::fprintf(f, "window-created %lld\n", static_cast<long long>(created.QuadPart));
            std::fprintf(f, "shown %lld\n", static_cast<long long>(shown.QuadPart));
            std::fprintf(f, "painted %lld\n", static_cast<long long>(painted.QuadPart));
            std::fclose(f);
        }
    }
    return 0;
}
