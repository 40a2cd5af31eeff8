// The start-up step notes the benchmark reads: written only when asked, one line per step
// reached, in the order of the steps; a value that names no writable file leaves no trace and
// no fault.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup_trace_win.h"

namespace {

const char VARIABLE[] = "MORAVEL_STARTUP_TRACE";

std::string TempFile(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "moravel-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

struct Line {
    std::string step;
    long long counter;
};

std::vector<Line> ReadLines(const std::string& path)
{
    std::vector<Line> lines;
    std::ifstream in(path);
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream fields(text);
        Line line = {"", 0};
        fields >> line.step >> line.counter;
        lines.push_back(line);
    }
    return lines;
}

class StartupTrace : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetEnvironmentVariableA(VARIABLE, nullptr);
        BeginStartupTrace();
    }
};

TEST_F(StartupTrace, WritesTheStepsReachedInStepOrder)
{
    const std::string path = TempFile("trace.txt");
    SetEnvironmentVariableA(VARIABLE, path.c_str());
    BeginStartupTrace();
    MarkStartupStep(STEP_ENTRY);
    MarkStartupStep(STEP_RESOURCES);
    MarkStartupStep(STEP_FIRST_PAINT);
    MarkStartupStep(STEP_COUNT);  // past the last step: ignored
    ASSERT_EQ(1, WriteStartupTrace());

    const std::vector<Line> lines = ReadLines(path);
    DeleteFileA(path.c_str());
    ASSERT_EQ(3u, lines.size()) << "one line per step reached";
    const char* expected[] = {"entry", "resources", "painted"};
    for (size_t i = 0; i < lines.size(); i++) {
        EXPECT_EQ(expected[i], lines[i].step) << "line " << i;
        EXPECT_GT(lines[i].counter, 0) << lines[i].step;
        if (i > 0) {
            EXPECT_GE(lines[i].counter, lines[i - 1].counter) << "counters in step order";
        }
    }
}

TEST_F(StartupTrace, EveryStepHasAName)
{
    for (int step = 0; step < STEP_COUNT; step++) {
        ASSERT_NE(nullptr, StartupStepName(step)) << "step " << step;
        EXPECT_EQ(nullptr, std::strchr(StartupStepName(step), ' ')) << StartupStepName(step);
    }
    EXPECT_EQ(nullptr, StartupStepName(STEP_COUNT));
    EXPECT_EQ(nullptr, StartupStepName(-1));
}

TEST_F(StartupTrace, NoFileWrittenWhenNotAskedOrTheValueNamesNoWritableFile)
{
    const std::string unwritable = TempFile("no-such-folder\\trace.txt");
    const std::string tooLong = TempFile(std::string(MAX_PATH, 'x').c_str());
    struct Case {
        const char* what;
        const char* value;  // nullptr: the variable unset
    } cases[] = {
        {"unset", nullptr},
        {"empty", ""},
        {"a folder that does not exist", unwritable.c_str()},
        {"longer than a path", tooLong.c_str()},
    };
    for (const Case& c : cases) {
        SetEnvironmentVariableA(VARIABLE, c.value);
        BeginStartupTrace();
        MarkStartupStep(STEP_ENTRY);
        EXPECT_EQ(0, WriteStartupTrace()) << c.what;
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(unwritable.c_str()));
}

}  // namespace
