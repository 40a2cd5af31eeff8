// Crash during save: a copy of this test program saves a setting data file, the backup file or a
// history file and ends itself at each step of the writing. Each time the file is the old one
// whole or the new one whole, never a mix, and the next start (with Open, for a document)
// leaves no temporary file behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/program_win.h"
#include "device/setting_file.h"
#include "device/setting_file_io.h"
#include "devsim/sim_demo.h"
#include "document/device_history_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "ui/file_dialog_win.h"
#include "ui/ui_win.h"

namespace {

constexpr DWORD CRASHED = 77;
int gCrashStep = 0;

// Whole images to tell apart: the demo device's data under two names.
std::vector<uint8_t> Image(const char* name)
{
    std::unique_ptr<SimDevice> device(new SimDevice());
    SimInitDemo(device.get());
    DeviceImage image = {device->items};
    std::unique_ptr<EditState> state(new EditState());
    LoadEditState(*state, image);
    std::strcpy(state->properties.deviceName, name);
    CommitEditState(*state, image);
    return std::vector<uint8_t>(device->items, device->items + DEVICE_IMAGE_SIZE);
}

// The child: saves the new data as `kind` at `path` and ends itself at step `step`.
int CrashingSave(int step, const std::string& kind, const std::string& path)
{
    gCrashStep = step;
    SetSafeWriteObserver([](int reached) {
        if (reached == gCrashStep)
            ExitProcess(CRASHED);
    });
    std::vector<uint8_t> bytes = Image("New data");
    DeviceImage image = {bytes.data()};
    if (kind == "history") {
        SetHistoryFolder(path.c_str());
        char written[MAX_PATH];
        KeepDeviceHistory(image, written, sizeof written);
    } else {
        WriteSettingFile(image, path.c_str());
    }
    return 0;
}

DWORD RunCrashingSave(int step, const char* kind, const std::string& path)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = std::string("\"") + self + "\" --crash-at " + std::to_string(step) + " " +
                          kind + " \"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return 0;
    WaitForSingleObject(info.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return code;
}

void Put(const std::string& path, const std::vector<uint8_t>& bytes)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeviceImage image = {const_cast<uint8_t*>(bytes.data())};
    ASSERT_EQ(1, WriteSettingFile(image, path.c_str()));
}

std::string gOpenPath;
int OpenThat(HWND, char* path, int size, int, const char*)
{
    lstrcpynA(path, gOpenPath.c_str(), size);
    return 1;
}

// A fresh start of the program (for a document, with the file opened): the name of the device
// whose data it then holds.
std::string FreshStart(const std::string& document)
{
    SetMessageHook([](HWND, const char*, const char*, UINT) { return IDNO; });
    StartFrame();
    // Not OpenMainWindow, which starts without a backup file: this start must find it.
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    PumpMessages();  // the history's leftovers go once the window has shown
    if (!document.empty()) {
        gOpenPath = document;
        SetFileDialogHook(OpenThat);
        SendMessageA(window, WM_COMMAND, IDM_OPEN, 0);
        SetFileDialogHook(nullptr);
    }
    const std::string held = gDocument.edit.properties.deviceName;
    CloseTestWindow(window);
    SetMessageHook(nullptr);
    return held;
}

TEST(CrashDuringSave, EveryStepLeavesTheOldFileOrTheNewOneWholeAndNoTemporaryFile)
{
    const std::vector<uint8_t> oldData = Image("Old data"), newData = Image("New data");
    StartFrame();  // the program's folder is the test's own: its backup file is there
    char backupPath[MAX_PATH];
    BackupPath(backupPath, sizeof backupPath);
    const std::string document = TestProgramFolder() + "crash-document.dat";
    const std::string history = TestProgramFolder() + "crash-history";
    const std::string oldHistory = history + "\\New data 2026-01-01 000000.DAT";
    CreateDirectoryA(history.c_str(), nullptr);
    SetHistoryFolder(history.c_str());

    for (const char* kind : {"document", "backup", "history"})
        for (int step = SAFE_WRITE_TEMP_CREATED; step <= SAFE_WRITE_REPLACED; step++) {
            const std::string what = std::string(kind) + " at step " + std::to_string(step);
            const std::string kindText = kind;
            const std::string target = kindText == "document" ? document
                                       : kindText == "backup" ? std::string(backupPath)
                                                              : history;
            for (const std::string& name : FilesIn(history))
                DeleteFileA((history + "\\" + name).c_str());
            Put(kindText == "history" ? oldHistory : target, oldData);
            if (kindText == "backup")
                SetFileHiddenOnly(backupPath);

            ASSERT_EQ(CRASHED, RunCrashingSave(step, kind, target)) << what;

            // Right after the crash: the old file whole, or (after the replace) the new one.
            const std::vector<uint8_t>& expected = step == SAFE_WRITE_REPLACED ? newData : oldData;
            if (kindText == "history") {
                EXPECT_TRUE(oldData == FileBytes(oldHistory.c_str())) << what;
                for (const std::string& name : FilesIn(history)) {
                    if (name.find(".tmp") == std::string::npos &&
                        history + "\\" + name != oldHistory) {
                        EXPECT_TRUE(newData == FileBytes((history + "\\" + name).c_str()))
                            << what << ": " << name;
                    }
                }
            } else {
                EXPECT_TRUE(expected == FileBytes(target.c_str())) << what;
            }

            const std::string held = FreshStart(kindText == "document" ? document : std::string());
            if (kindText != "history") {
                EXPECT_EQ(step == SAFE_WRITE_REPLACED ? "New data" : "Old data", held) << what;
            }
            for (const std::string& name :
                 FilesIn(kindText == "history" ? history : TestProgramFolder()))
                EXPECT_EQ(std::string::npos, name.find(".tmp")) << what << ": " << name << " left";
        }
    DeleteFileA(document.c_str());
    for (const std::string& name : FilesIn(history))
        DeleteFileA((history + "\\" + name).c_str());
    RemoveDirectoryA(history.c_str());
    SetHistoryFolder(nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--crash-at") == 0)
        return CrashingSave(std::atoi(argv[2]), argv[3], argv[4]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
