// Moravel.exe itself: a second start ends at once with code 0 and leaves the first running;
// after the first exits a new start works. Also checks the program shows its window at all.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

struct Started {
    PROCESS_INFORMATION info = {};
    bool ok = false;
};

Started Start()
{
    Started s;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = std::string("\"") + MORAVEL_EXE + "\"";
    s.ok = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &s.info) != FALSE;
    return s;
}

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindMain(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[8] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (pid == search->process && lstrcmpA(cls, "PVX") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Polls for the process's main window; the program needs a moment to start under Wine.
HWND WaitForMainWindow(const Started& s, DWORD timeoutMs = 30000)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        Search search = {s.info.dwProcessId, nullptr};
        EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (WaitForSingleObject(s.info.hProcess, 50) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

DWORD ExitCodeAfter(const Started& s, DWORD timeoutMs)
{
    if (WaitForSingleObject(s.info.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(s.info.hProcess, &code);
    return code;
}

void Release(Started& s)
{
    if (WaitForSingleObject(s.info.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(s.info.hProcess, 1);
    CloseHandle(s.info.hThread);
    CloseHandle(s.info.hProcess);
}

TEST(SingleInstance, SecondStartExitsAtOnceAndANewStartWorksAfterTheFirstEnds)
{
    Started first = Start();
    ASSERT_TRUE(first.ok) << "could not start " << MORAVEL_EXE;
    HWND window = WaitForMainWindow(first);
    ASSERT_NE(nullptr, window) << "the first copy showed no main window";
    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ("Moravel - NewFile.Dat", caption);

    Started second = Start();
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(0u, ExitCodeAfter(second, 20000)) << "the second copy must end with code 0";
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(first.info.hProcess, 0))
        << "the first copy must keep running";
    EXPECT_TRUE(IsWindow(window));
    Release(second);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, ExitCodeAfter(first, 20000)) << "closing the first copy ends it with code 0";
    Release(first);

    Started third = Start();
    ASSERT_TRUE(third.ok);
    HWND again = WaitForMainWindow(third);
    EXPECT_NE(nullptr, again) << "a start after the first copy ended must open its window";
    if (again)
        PostMessageA(again, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, ExitCodeAfter(third, 20000));
    Release(third);
}

// Asked by the benchmark, the program notes every step of its start-up, each at or after the
// one before, and writes them when it ends.
TEST(StartupTrace, TheProgramNotesEveryStepInOrder)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path =
        std::string(folder) + "moravel-trace-" + std::to_string(GetCurrentProcessId()) + ".txt";
    SetEnvironmentVariableA("MORAVEL_STARTUP_TRACE", path.c_str());
    Started s = Start();
    SetEnvironmentVariableA("MORAVEL_STARTUP_TRACE", nullptr);
    ASSERT_TRUE(s.ok);
    HWND window = WaitForMainWindow(s);
    ASSERT_NE(nullptr, window);
    // The window is found as soon as it exists; its last parts come after its first paint.
    for (int waited = 0; waited < 10000 && !GetDlgItem(window, IDC_MEMBERLIST); waited += 20)
        Sleep(20);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, ExitCodeAfter(s, 20000));
    Release(s);

    // The tree and the lists come once the first window has painted.
    const std::vector<std::string> steps = {
        "entry",      "instance-check", "profile",        "resources", "class",
        "controls",   "com",            "backup",         "toolbar",   "status-bar",
        "panel",      "window-created", "painted",        "accelerators",
        "tree",       "lists"};
    std::ifstream in(path);
    std::string step;
    long long counter = 0, before = 0;
    size_t n = 0;
    while (in >> step >> counter) {
        ASSERT_LT(n, steps.size()) << "more lines than steps: " << step;
        EXPECT_EQ(steps[n], step) << "line " << n;
        EXPECT_GE(counter, before) << step << " noted before the step ahead of it";
        before = counter;
        n++;
    }
    in.close();
    DeleteFileA(path.c_str());
    EXPECT_EQ(steps.size(), n) << "every step noted once";
}

}
