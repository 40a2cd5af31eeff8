/* Start-up step notes for the benchmark. See startup_trace_win.h. */
#include "app/startup_trace_win.h"

#include <windows.h>

#include <cstdio>

namespace {

const char TRACE_VARIABLE[] = "MORAVEL_STARTUP_TRACE";

const char* const STEP_NAMES[STEP_COUNT] = {
    "entry",      "instance-check", "profile", "resources",      "class",
    "controls",   "com",            "backup",  "toolbar",        "status-bar",
    "panel",      "window-created", "painted", "accelerators",   "tree",
    "lists",
};

char gTracePath[MAX_PATH];
/* Zero is "not reached": the counter never reads zero once the system runs. */
LONGLONG gMarks[STEP_COUNT];

}  // namespace

void BeginStartupTrace()
{
    DWORD n = GetEnvironmentVariableA(TRACE_VARIABLE, gTracePath, sizeof gTracePath);
    if (n == 0 || n >= sizeof gTracePath)
        gTracePath[0] = '\0';
    for (LONGLONG& mark : gMarks)
        mark = 0;
}

void MarkStartupStep(StartupStep step)
{
    if (gTracePath[0] == '\0' || step < 0 || step >= STEP_COUNT)
        return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    gMarks[step] = now.QuadPart;
}

int WriteStartupTrace()
{
    if (gTracePath[0] == '\0')
        return 0;
    FILE* f = std::fopen(gTracePath, "w");
    if (!f)
        return 0;
    for (int i = 0; i < STEP_COUNT; i++)
        if (gMarks[i] != 0)
            std::fprintf(f, "%s %lld\n", STEP_NAMES[i], static_cast<long long>(gMarks[i]));
    return std::fclose(f) == 0;
}

const char* StartupStepName(int step)
{
    return step >= 0 && step < STEP_COUNT ? STEP_NAMES[step] : nullptr;
}
