// Start-up of Moravel.exe against the smallest window program built the same way
// (startup_window.exe): the time from CreateProcess to the program's main window answering a
// message sent to it, over several runs of each, taken in turn. Both are copied into a folder
// of their own first, so Moravel keeps its backup file there and not beside the build; one
// unmeasured start of each warms the caches (and leaves Moravel the backup it reads at every
// later start). Under Wine both figures include Wine's own process start, which the reference
// shows alone; the ratio and the difference are what Moravel adds. A third program, the
// reference with the common controls loaded as Moravel loads them (comctl32 version 6 through
// the same manifest), tells what of that difference the controls' DLL costs by itself.
//
// Where Moravel's milliseconds go: the bench sets MORAVEL_STARTUP_TRACE to a file in that
// folder, and the programs, when it is set, note the performance counter at each step of
// their start-up (the references at their entry, window creation, show and paint) and write
// the notes there as they end. The
// counter is the system's, so a note less the bench's counter before CreateProcess is the
// time since the process was asked for. Without the variable nothing is noted.
//
//   startup_bench [--runs N]      (the programs, stripped as they ship, in shipped\ beside it)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

const DWORD START_TIMEOUT_MS = 30000;
const DWORD ANSWER_TIMEOUT_MS = 10000;
const DWORD CLOSE_TIMEOUT_MS = 10000;
const char TRACE_VARIABLE[] = "MORAVEL_STARTUP_TRACE";
const char TRACE_FILE[] = "startup-trace.txt";
const int STEP_NAME_SIZE = 64;

struct Program {
    const char* label;
    const char* file;         // copied from beside this program or its parent folder
    const char* windowClass;  // of the main window
    std::vector<double> ms;
    // Per step, in the order the program first wrote them: ms since CreateProcess, each run.
    std::vector<std::string> stepOrder;
    std::map<std::string, std::vector<double>> steps;
    int runsWithoutTrace = 0;
};

double CounterMs(LONGLONG counter)
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter) / static_cast<double>(frequency.QuadPart);
}

double NowMs()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return CounterMs(now.QuadPart);
}

// Takes the steps of one run from the trace file and removes it. A missing file, or one with
// no well-formed line, counts as a run without trace; a malformed line is skipped.
void ReadTrace(Program* p, const std::string& path, double startMs)
{
    FILE* f = std::fopen(path.c_str(), "r");
    int taken = 0;
    if (f) {
        char line[256];
        while (std::fgets(line, sizeof line, f)) {
            char name[STEP_NAME_SIZE];
            long long counter = 0;
            if (std::sscanf(line, "%63s %lld", name, &counter) != 2 || counter <= 0)
                continue;
            const double at = CounterMs(counter) - startMs;
            if (at < 0 || at > START_TIMEOUT_MS)
                continue;
            std::vector<double>& times = p->steps[name];
            if (times.empty() && std::find(p->stepOrder.begin(), p->stepOrder.end(), name) ==
                                     p->stepOrder.end())
                p->stepOrder.push_back(name);
            times.push_back(at);
            taken++;
        }
        std::fclose(f);
    }
    DeleteFileA(path.c_str());
    if (taken == 0)
        p->runsWithoutTrace++;
}

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of("\\/") + 1);
}

struct Search {
    DWORD process;
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char windowClass[64] = "";
    GetClassNameA(window, windowClass, sizeof windowClass);
    if (process == s->process && std::strcmp(windowClass, s->windowClass) == 0 &&
        IsWindowVisible(window)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

// Starts the program once and closes it again. Returns the milliseconds until its main window
// answered, or a negative value with *error set; *startMs is when CreateProcess was called.
double StartOnce(const Program& p, const std::string& folder, double* startMs, std::string* error)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string command = "\"" + folder + p.file + "\"";
    const double start = NowMs();
    *startMs = start;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
        *error = "could not be started, error " + std::to_string(GetLastError());
        return -1;
    }
    double answered = -1;
    HWND window = nullptr;
    while (NowMs() - start < START_TIMEOUT_MS) {
        Search s = {info.dwProcessId, p.windowClass, nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&s));
        DWORD_PTR result = 0;
        if (s.found && SendMessageTimeoutA(s.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                           ANSWER_TIMEOUT_MS, &result)) {
            answered = NowMs() - start;
            window = s.found;
            break;
        }
        // Also the pause between two looks, short against a start of many milliseconds.
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) {
            *error = "ended before its main window answered";
            break;
        }
    }
    if (answered < 0 && error->empty())
        *error = "showed no main window within " + std::to_string(START_TIMEOUT_MS) + " ms";
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, window ? CLOSE_TIMEOUT_MS : 0) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, INFINITE);
        if (answered >= 0)
            *error = "did not end after WM_CLOSE";
        answered = -1;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return answered;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Mean(const std::vector<double>& v)
{
    double sum = 0;
    for (double x : v)
        sum += x;
    return sum / static_cast<double>(v.size());
}

// In the order of their medians, the answer among them: what a program does after its first
// paint (Moravel builds the parts its first window does not show) may come after it answered.
void PrintSteps(const Program& p, double answered)
{
    std::printf("%s start-up steps, medians over the runs: time since CreateProcess, and since "
                "the step before\n",
                p.label);
    std::printf("%-17s %8s %8s\n", "step", "at ms", "step ms");
    std::vector<std::pair<double, std::string>> steps;
    for (const std::string& name : p.stepOrder)
        steps.emplace_back(Median(p.steps.at(name)), name);
    steps.emplace_back(answered, "(answered)");
    std::stable_sort(steps.begin(), steps.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    double before = 0;
    for (const auto& [at, name] : steps) {
        std::printf("%-17s %8.1f %8.1f\n", name.c_str(), at, at - before);
        before = at;
    }
    if (p.runsWithoutTrace > 0)
        std::printf("(%d runs left no step notes)\n", p.runsWithoutTrace);
}

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                const std::string file = folder + found.cFileName;
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);  // the hidden backup
                DeleteFileA(file.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 10;
    for (int i = 1; i < argc; i++) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: startup_bench [--runs N]\n");
            return 2;
        }
    }
    if (runs < 1) {
        std::fprintf(stderr, "startup_bench: runs must be at least 1\n");
        return 2;
    }

    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string here = FolderOf(std::string(self, length));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "moravel-startup-bench-" + std::to_string(GetCurrentProcessId()) + "\\";
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        std::fprintf(stderr, "startup_bench: cannot create %s\n", folder.c_str());
        return 1;
    }

    Program programs[] = {
        {"Moravel.exe", "Moravel.exe", "PVX", {}, {}, {}, 0},
        {"reference window", "startup_window.exe", "MoravelStartupReference", {}, {}, {}, 0},
        {"reference+comctl", "startup_window_cc.exe", "MoravelStartupReference", {}, {}, {}, 0},
    };
    const std::string sources[] = {here + "shipped\\Moravel.exe",
                                   here + "shipped\\startup_window.exe",
                                   here + "shipped\\startup_window_cc.exe"};
    int status = 0;
    for (int i = 0; i < 3 && status == 0; i++) {
        if (!CopyFileA(sources[i].c_str(), (folder + programs[i].file).c_str(), FALSE)) {
            std::fprintf(stderr, "startup_bench: cannot copy %s\n", sources[i].c_str());
            status = 1;
        }
    }
    const std::string trace = folder + TRACE_FILE;
    SetEnvironmentVariableA(TRACE_VARIABLE, trace.c_str());
    for (int run = -1; run < runs && status == 0; run++) {
        for (Program& p : programs) {
            std::string error;
            double startMs = 0;
            DeleteFileA(trace.c_str());
            const double ms = StartOnce(p, folder, &startMs, &error);
            if (ms < 0) {
                std::fprintf(stderr, "startup_bench: %s %s\n", p.label, error.c_str());
                status = 1;
                break;
            }
            if (run >= 0) {
                p.ms.push_back(ms);
                ReadTrace(&p, trace, startMs);
            }
        }
    }
    RemoveFolder(folder);
    if (status != 0)
        return status;

    std::printf("start-up under Wine: CreateProcess to the main window answering WM_NULL; "
                "%d runs each after one warm-up\n",
                runs);
    std::printf("%-17s %10s %8s %8s %8s\n", "program", "median ms", "mean ms", "min ms", "max ms");
    for (const Program& p : programs) {
        std::printf("%-17s %10.1f %8.1f %8.1f %8.1f\n", p.label, Median(p.ms), Mean(p.ms),
                    *std::min_element(p.ms.begin(), p.ms.end()),
                    *std::max_element(p.ms.begin(), p.ms.end()));
    }
    const double moravel = Median(programs[0].ms);
    const double reference = Median(programs[1].ms);
    std::printf("ratio of the medians %.2f; Moravel's own start-up %+.1f ms\n", moravel / reference,
                moravel - reference);
    // What loading the common controls alone costs here, which no program using them avoids.
    const double controls = Median(programs[2].ms);
    std::printf("of which the common controls' loading (the reference with them) %+.1f ms; "
                "Moravel beyond that %+.1f ms\n",
                controls - reference, moravel - controls);
    // Each round starts the three programs one after another, so a slow moment of the machine
    // slows all three: the median of the rounds' own differences is the steadier figure.
    std::vector<double> overReference, overControls;
    for (size_t k = 0; k < programs[0].ms.size(); k++) {
        overReference.push_back(programs[0].ms[k] - programs[1].ms[k]);
        overControls.push_back(programs[0].ms[k] - programs[2].ms[k]);
    }
    std::printf("paired by round (median of each round's difference): Moravel %+.1f ms over the "
                "reference, %+.1f ms over the reference with the common controls\n",
                Median(overReference), Median(overControls));
    std::printf("\n");
    PrintSteps(programs[0], moravel);
    for (int i = 1; i < 3; i++) {
        std::printf("\n");
        PrintSteps(programs[i], Median(programs[i].ms));
    }
    return 0;
}
