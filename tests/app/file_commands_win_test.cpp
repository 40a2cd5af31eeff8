// Open, Save, Save As, the backup file and the save question, through the real window with the
// file dialog and the message boxes answered by the tests.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/app_state.h"
#include "app/file_commands_win.h"
#include "app/commands_win.h"
#include "app/frame_win.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "app/program_win.h"
#include "app/startup_win.h"
#include "app/ui_state_win.h"
#include "ui/file_dialog_win.h"
#include "ui/frame_seam_win.h"
#include "ui/pictures_win.h"
#include "ui/ui_win.h"
#include "document/document.h"
#include "device/setting_file.h"
#include "document/dial_records.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"

namespace {

struct DialogCall {
    int mode;
    std::string title;
};
std::vector<DialogCall> gDialogs;
std::string gChosenPath;  // empty: the user cancels

int AnswerFileDialog(HWND, char* path, int size, int mode, const char* title)
{
    gDialogs.push_back({mode, title});
    if (gChosenPath.empty())
        return 0;
    lstrcpynA(path, gChosenPath.c_str(), size);
    return 1;
}

std::vector<std::string> gMessages;
int gAnswer = IDOK;

int AnswerMessage(HWND, const char* text, const char*, UINT)
{
    gMessages.push_back(text);
    return gAnswer;
}

// A file in the test process's own folder, which no other test process touches.
std::string TempPath(const char* name) { return TestProgramFolder() + name; }

long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return static_cast<long>(data.nFileSizeLow);
}

bool MenuItemEnabled(HWND window, int command)
{
    return !(GetMenuState(GetMenu(window), command, MF_BYCOMMAND) & MF_GRAYED);
}

// A setting data file whose device name is name.
std::string MakeSettingFile(const char* fileName, const char* name)
{
    CreateDeviceImage(gDocument.image);
    uint8_t* value = ImageItemValue(gDocument.image, 0x10C04);
    std::memset(value, 0, ITEM_VALUE_SIZE);
    std::memcpy(value, name, std::strlen(name));
    SetImageItemLength(gDocument.image, 0x10C04, static_cast<uint32_t>(std::strlen(name)));
    std::string path = TempPath(fileName);
    EXPECT_EQ(1, WriteSettingFile(gDocument.image, path.c_str()));
    ResetDeviceImage(gDocument.image);
    return path;
}

class Files : public ::testing::Test {
protected:
    void SetUp() override
    {
        gDialogs.clear();
        gMessages.clear();
        gChosenPath.clear();
        gAnswer = IDOK;
        SetFileDialogHook(AnswerFileDialog);
        SetMessageHook(AnswerMessage);
        StartFrame();
        window = OpenMainWindow();
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override
    {
        CloseTestWindow(window);
        SetFileDialogHook(nullptr);
        SetMessageHook(nullptr);
    }
    void Command(int id)
    {
        SendMessageA(window, WM_COMMAND, id, 0);
        PumpMessages();
    }
    void Refresh() { SendMessageA(window, WM_INITMENU, 0, 0); }

    HWND window = nullptr;
};

TEST_F(Files, OpenShowsTheDataAndWritesTheHiddenBackup)
{
    std::string path = MakeSettingFile("moravel-open.dat", "Reception MFP");
    gChosenPath = path;
    Command(IDM_OPEN);
    ASSERT_EQ(1u, gDialogs.size());
    EXPECT_EQ(DIALOG_OPEN, gDialogs[0].mode);
    EXPECT_EQ("Open...", gDialogs[0].title);
    EXPECT_TRUE(gMessages.empty()) << gMessages[0];

    EXPECT_EQ(1u, gDocument.dataPresent);
    EXPECT_EQ("Moravel - moravel-open.dat", WindowText(window));
    EXPECT_STREQ(path.c_str(), gDocument.path);
    EXPECT_EQ(0, gDocument.modified);
    Refresh();
    EXPECT_TRUE(MenuItemEnabled(window, IDM_SAVE));
    EXPECT_TRUE(MenuItemEnabled(window, IDM_VIEW_QUICK));
    EXPECT_TRUE(IsShown(gApp.tree));
    EXPECT_TRUE(IsWindowEnabled(static_cast<HWND>(gApp.dialList)));
    EXPECT_STREQ("Reception MFP", gDocument.edit.properties.deviceName);

    char backup[MAX_PATH];
    BackupPath(backup, sizeof backup);
    EXPECT_EQ(static_cast<long>(DEVICE_IMAGE_SIZE), FileSize(backup));
    DWORD attributes = GetFileAttributesA(backup);
    // Wine reports the archive attribute on every file, so only the others can be checked.
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN) << std::hex << attributes;
    EXPECT_FALSE(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) << attributes;
    DeleteFileA(path.c_str());
}

TEST_F(Files, CancelledOrFailedOpenChangesNothing)
{
    Command(IDM_OPEN);
    EXPECT_EQ(1u, gDialogs.size());
    EXPECT_EQ(0u, gDocument.dataPresent);
    EXPECT_TRUE(gMessages.empty());

    gDocument.dataPresent = 1;  // data from an earlier download stays usable
    gChosenPath = TempPath("moravel-no-such-file.dat");
    Command(IDM_OPEN);
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("Reading/writing device data has failed.", gMessages[0]);
    EXPECT_EQ(1u, gDocument.dataPresent);
    EXPECT_EQ("Moravel - NewFile.Dat", WindowText(window));
}

TEST_F(Files, SaveOfANewDocumentAsksOnceAndKeepsTheCaption)
{
    std::string path = TempPath("moravel-save.dat");
    DeleteFileA(path.c_str());
    gDocument.dataPresent = 1;
    gDocument.modified = 1;
    gChosenPath = path;
    Command(IDM_SAVE);
    ASSERT_EQ(1u, gDialogs.size());
    EXPECT_EQ(DIALOG_SAVE, gDialogs[0].mode);
    EXPECT_EQ("Save", gDialogs[0].title);
    EXPECT_EQ(static_cast<long>(DEVICE_IMAGE_SIZE), FileSize(path));
    EXPECT_EQ(0, gDocument.modified);
    EXPECT_EQ("Moravel - NewFile.Dat", WindowText(window)) << "Save keeps the old title";

    gDocument.modified = 1;
    Command(IDM_SAVE);
    EXPECT_EQ(1u, gDialogs.size()) << "the next Save writes without asking";
    EXPECT_EQ(0, gDocument.modified);
    DeleteFileA(path.c_str());
}

TEST_F(Files, SaveAsSetsTheTitle)
{
    std::string path = TempPath("moravel-save-as.dat");
    gDocument.dataPresent = 1;
    gChosenPath = path;
    Command(IDM_SAVE_AS);
    ASSERT_EQ(1u, gDialogs.size());
    EXPECT_EQ("Save As...", gDialogs[0].title);
    EXPECT_EQ("Moravel - moravel-save-as.dat", WindowText(window));
    EXPECT_EQ(static_cast<long>(DEVICE_IMAGE_SIZE), FileSize(path));
    DeleteFileA(path.c_str());
}

TEST_F(Files, AFailedSaveIsReportedAndTheChangesStayUnsaved)
{
    gDocument.dataPresent = 1;
    gDocument.modified = 1;
    gChosenPath = "C:\\no\\such\\folder\\moravel.dat";
    Command(IDM_SAVE_AS);
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("Reading/writing device data has failed.", gMessages[0]);
    EXPECT_EQ(1, gDocument.modified) << "leaving must still ask";
}

TEST_F(Files, AFailedSaveAsKeepsTheOldNameSoTheNextSaveAsks)
{
    const std::string saved = TempPath("moravel-kept.dat");
    gDocument.dataPresent = 1;
    gChosenPath = saved;
    Command(IDM_SAVE_AS);
    ASSERT_STREQ(saved.c_str(), gDocument.path);

    gDocument.modified = 1;
    gChosenPath = "C:\\no\\such\\folder\\moravel.dat";
    Command(IDM_SAVE_AS);
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("Reading/writing device data has failed.", gMessages[0]);
    EXPECT_EQ(1, gDocument.modified) << "leaving must still ask";
    EXPECT_STREQ(saved.c_str(), gDocument.path) << "the document keeps the name it was saved as";
    EXPECT_EQ("Moravel - moravel-kept.dat", WindowText(window));

    // On a new document a failed first Save leaves it untitled: the next Save asks again.
    std::strcpy(gDocument.path, "NewFile.Dat");
    std::strcpy(gDocument.title, "NewFile.Dat");
    gDialogs.clear();
    Command(IDM_SAVE);
    Command(IDM_SAVE);
    EXPECT_EQ(2u, gDialogs.size()) << "a name whose file was never written is not taken";
    EXPECT_STREQ("NewFile.Dat", gDocument.path);
    DeleteFileA(saved.c_str());
}

TEST_F(Files, OpenMendsBrokenEntriesBeforeTheBackupIsWritten)
{
    // Quick Dial key 3 an e-mail entry whose address stops short of its length; Speed Dial
    // entry 5 a fax entry stored with a length the device never reported.
    CreateDeviceImage(gDocument.image);
    uint8_t* key = ItemValue(gDocument.image, QUICK_DIAL_FIRST_RECORD + 3);
    const uint8_t brokenKey[] = {4, FLAG_EMAIL | FLAG_QUICK, 10, 0, 0};
    std::memcpy(key, brokenKey, sizeof brokenKey);
    std::memcpy(key + 34, "a@b", 3);
    SetItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 3, 98);
    uint8_t* speed = ItemValue(gDocument.image, SPEED_DIAL_FIRST_RECORD + 5);
    const uint8_t fax[] = {6 | 0x80, FLAG_FAX | FLAG_SPEED, 2, 0};
    std::memcpy(speed, fax, sizeof fax);
    speed[26] = 4;
    speed[29] = 0x21;
    SetItemLength(gDocument.image, SPEED_DIAL_FIRST_RECORD + 5, 0);
    std::string path = TempPath("moravel-broken.dat");
    ASSERT_EQ(1, WriteSettingFile(gDocument.image, path.c_str()));
    ResetDeviceImage(gDocument.image);

    gChosenPath = path;
    Command(IDM_OPEN);
    ASSERT_EQ(1u, gDocument.dataPresent);
    char backup[MAX_PATH];
    BackupPath(backup, sizeof backup);
    ResetDeviceImage(gDocument.image);
    ASSERT_EQ(1, ReadSettingFile(gDocument.image, backup));
    EXPECT_EQ(0, ItemValue(gDocument.image, QUICK_DIAL_FIRST_RECORD + 3)[1]) << "the broken key is erased";
    EXPECT_EQ(0u, ItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 3));
    EXPECT_EQ(74u, ItemLength(gDocument.image, SPEED_DIAL_FIRST_RECORD + 5)) << "sent with its form's length";
    DeleteFileA(path.c_str());
}

TEST_F(Files, ExitWithChangesAsksAndCancelKeepsTheWindow)
{
    gDocument.modified = 1;
    gAnswer = IDCANCEL;
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("Do you want to save the changes you made to NewFile.Dat?", gMessages[0]);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(1, gDocument.modified);
}

TEST_F(Files, YesOnANewDocumentShowsSaveAsAndCancellingItStillCloses)
{
    gDocument.modified = 1;
    gAnswer = IDYES;
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(1u, gDialogs.size());
    EXPECT_EQ(DIALOG_SAVE_AS, gDialogs[0].mode);
    EXPECT_FALSE(IsWindow(window)) << "closing goes on after a cancelled Save As";
}

TEST_F(Files, AFailedSaveOnExitKeepsTheWindow)
{
    lstrcpynA(gDocument.path, "C:\\no\\such\\folder\\moravel.dat", sizeof gDocument.path);
    gDocument.modified = 1;
    gAnswer = IDYES;
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(2u, gMessages.size()) << "the question, then the failure";
    EXPECT_EQ("Reading/writing device data has failed.", gMessages[1]);
    EXPECT_TRUE(IsWindow(window)) << "the changes are still only in the program";
    EXPECT_EQ(1, gDocument.modified);
}

TEST_F(Files, YesOnASavedDocumentSavesWithoutAsking)
{
    std::string path = TempPath("moravel-exit-save.dat");
    DeleteFileA(path.c_str());
    lstrcpynA(gDocument.path, path.c_str(), sizeof gDocument.path);
    gDocument.modified = 1;
    gAnswer = IDYES;
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(gDialogs.empty());
    EXPECT_EQ(static_cast<long>(DEVICE_IMAGE_SIZE), FileSize(path));
    EXPECT_FALSE(IsWindow(window));
    DeleteFileA(path.c_str());
}

TEST_F(Files, NextStartRestoresTheBackupButOffersNoData)
{
    std::string path = MakeSettingFile("moravel-backup.dat", "Second floor");
    gChosenPath = path;
    Command(IDM_OPEN);
    ASSERT_EQ(1u, gDocument.dataPresent);
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(window));
    PumpMessages();

    // A new start: the edit state comes back from the backup, the window offers no data.
    std::memset(&gDocument.edit, 0, sizeof gDocument.edit);
    StartFrame();
    window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(nullptr, window);
    SetMenu(window, LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_MAINMENU)));
    Refresh();
    EXPECT_STREQ("Second floor", gDocument.edit.properties.deviceName);
    EXPECT_EQ(0u, gDocument.dataPresent);
    EXPECT_FALSE(MenuItemEnabled(window, IDM_SAVE));
    EXPECT_FALSE(MenuItemEnabled(window, IDM_UPLOAD));
    EXPECT_FALSE(MenuItemEnabled(window, IDM_VIEW_QUICK));
    EXPECT_FALSE(IsShown(gApp.tree));
    DeleteFileA(path.c_str());
}

}
