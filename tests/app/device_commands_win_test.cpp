// The device commands through the real window against the built-in simulated device: Connect,
// Download with its question, Upload, Disconnect, and the failures a user sees.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/app_state.h"
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
#include "devsim/device_backends.h"
#include "document/document.h"
#include "device/device_protocol.h"
#include "device/device_transfer.h"
#include "device/device_transport.h"
#include "devsim/sim_backend.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"

namespace {

std::vector<std::string> gMessages;
int gAnswer = IDYES;

int AnswerMessage(HWND, const char* text, const char*, UINT)
{
    gMessages.push_back(text);
    return gAnswer;
}

bool MenuItemEnabled(HWND window, int command)
{
    return !(GetMenuState(GetMenu(window), command, MF_BYCOMMAND) & MF_GRAYED);
}

std::string TreeRootText()
{
    HWND tree = static_cast<HWND>(gApp.tree);
    char text[64] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::string PanelText()
{
    char text[64] = "";
    GetDlgItemTextA(static_cast<HWND>(gApp.connectionPanel), IDC_CONNECTION_TEXT, text,
                    sizeof text);
    return text;
}

class DeviceCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        gMessages.clear();
        gAnswer = IDYES;
        SetMessageHook(AnswerMessage);
        dumpPath = TestProgramFolder() + "upload-dump.dat";
        SetUploadDumpPath(dumpPath.c_str());
        SetDeviceBackend(BuiltInSimBackend(nullptr));
        device = BuiltInSimDevice();
        ASSERT_NE(nullptr, device);
        StartFrame();
        window = OpenMainWindow();
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override
    {
        CloseTestWindow(window);
        SetMessageHook(nullptr);
        SetDeviceBackend(nullptr);
        DeleteFileA(dumpPath.c_str());
    }
    void Command(int id)
    {
        SendMessageA(window, WM_COMMAND, id, 0);
        PumpMessages();
        SendMessageA(window, WM_INITMENU, 0, 0);
    }

    HWND window = nullptr;
    SimDevice* device = nullptr;
    std::string dumpPath;
};

TEST_F(DeviceCommands, ConnectShowsOnlineAndOffersDownload)
{
    Command(IDM_CONNECT);
    EXPECT_TRUE(gMessages.empty()) << gMessages[0];
    EXPECT_EQ(1u, gApp.connected);
    EXPECT_EQ(1u, gApp.remoteModeOpen);
    EXPECT_EQ(1, device->remoteMode) << "the device is in remote mode";
    EXPECT_EQ("Connection : Online", PanelText());
    EXPECT_TRUE(MenuItemEnabled(window, IDM_DOWNLOAD));
    EXPECT_FALSE(MenuItemEnabled(window, IDM_UPLOAD));
    EXPECT_FALSE(MenuItemEnabled(window, IDM_CONNECT));

    Command(IDM_DISCONNECT);
    EXPECT_EQ(0u, gApp.connected);
    EXPECT_EQ(0u, gApp.remoteModeOpen);
    EXPECT_EQ(0, device->remoteMode);
    EXPECT_EQ("Connection : Offline", PanelText());
    EXPECT_TRUE(gMessages.empty());
}

TEST_F(DeviceCommands, ClosingTheProgramEndsRemoteMode)
{
    Command(IDM_CONNECT);
    ASSERT_EQ(1, device->remoteMode);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(0, device->remoteMode) << "the device can be used at its panel again";
    EXPECT_TRUE(gMessages.empty());
}

// The built-in device, except that a write of the end-remote-mode command fails once armed.
struct FailingEnd {
    DeviceBackend backend;
    const DeviceBackend* inner;
    bool armed;
};
FailingEnd gFailingEnd;

int FailEndWrite(void* context, PipeHandle pipe, const uint8_t* bytes, uint32_t count,
                 uint32_t* done)
{
    FailingEnd* f = static_cast<FailingEnd*>(context);
    const bool remoteMode = count == 10 && bytes[1] == 0x03 && bytes[2] == 2;
    if (f->armed && remoteMode) {
        *done = 0;
        return 0;
    }
    return f->inner->write(f->inner->context, pipe, bytes, count, done);
}

// What the windows looked like while the exit's failure message was up.
struct SeenAtExit {
    bool asked = false;
    bool statusBarAlive = false;
    int treeImages = 0;
};
SeenAtExit gSeenAtExit;
HWND gStatusBarAtExit;
HWND gTreeAtExit;

int RecordWindowsAtExit(HWND, const char* text, const char*, UINT)
{
    gMessages.push_back(text);
    gSeenAtExit.asked = true;
    gSeenAtExit.statusBarAlive = IsWindow(gStatusBarAtExit) != FALSE;
    HIMAGELIST images = IsWindow(gTreeAtExit)
                            ? reinterpret_cast<HIMAGELIST>(
                                  SendMessageA(gTreeAtExit, TVM_GETIMAGELIST, TVSIL_NORMAL, 0))
                            : nullptr;
    gSeenAtExit.treeImages = images ? ImageList_GetImageCount(images) : 0;
    return IDOK;
}

TEST_F(DeviceCommands, AFailedEndOfRemoteModeAtExitIsShownWhileTheWindowsStillStand)
{
    gFailingEnd.inner = CurrentDeviceBackend();
    gFailingEnd.backend = *gFailingEnd.inner;
    gFailingEnd.backend.context = &gFailingEnd;
    gFailingEnd.backend.write = FailEndWrite;
    gFailingEnd.armed = false;
    // Forward everything else to the built-in device, whose context the copied functions need.
    struct Forward {
        static int Open(void* c, int device, int pipe, PipeHandle* handle)
        {
            const DeviceBackend* in = static_cast<FailingEnd*>(c)->inner;
            return in->openPipe(in->context, device, pipe, handle);
        }
        static int Descriptor(void* c, PipeHandle command, uint8_t* descriptor)
        {
            const DeviceBackend* in = static_cast<FailingEnd*>(c)->inner;
            return in->readDescriptor(in->context, command, descriptor);
        }
        static int Read(void* c, PipeHandle pipe, uint8_t* buffer, uint32_t count, uint32_t* done)
        {
            const DeviceBackend* in = static_cast<FailingEnd*>(c)->inner;
            return in->read(in->context, pipe, buffer, count, done);
        }
        static void Close(void* c, PipeHandle pipe)
        {
            const DeviceBackend* in = static_cast<FailingEnd*>(c)->inner;
            in->closePipe(in->context, pipe);
        }
    };
    gFailingEnd.backend.openPipe = Forward::Open;
    gFailingEnd.backend.readDescriptor = Forward::Descriptor;
    gFailingEnd.backend.read = Forward::Read;
    gFailingEnd.backend.closePipe = Forward::Close;
    SetDeviceBackend(&gFailingEnd.backend);

    Command(IDM_CONNECT);
    ASSERT_EQ(1u, gApp.remoteModeOpen);
    gFailingEnd.armed = true;
    gStatusBarAtExit = GetDlgItem(window, IDC_STATUSBAR);
    gTreeAtExit = GetDlgItem(window, IDC_TREE);
    gSeenAtExit = SeenAtExit();
    SetMessageHook(RecordWindowsAtExit);
    SendMessageA(window, WM_CLOSE, 0, 0);
    SetMessageHook(AnswerMessage);
    SetDeviceBackend(BuiltInSimBackend(nullptr));

    EXPECT_FALSE(IsWindow(window));
    ASSERT_TRUE(gSeenAtExit.asked) << "the failure is reported";
    EXPECT_EQ("Reading/writing device data has failed.", gMessages.back());
    EXPECT_TRUE(gSeenAtExit.statusBarAlive) << "the message came after the status bar was gone";
    EXPECT_EQ(14, gSeenAtExit.treeImages) << "the tree's pictures were freed under it";
}

TEST_F(DeviceCommands, ConnectWithoutADeviceSaysSo)
{
    SetDeviceBackend(NoDeviceBackend());
    Command(IDM_CONNECT);
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("Opening USB port has failed.", gMessages[0]);
    EXPECT_EQ(0u, gApp.connected);
    EXPECT_EQ(0u, gApp.remoteModeOpen);
    EXPECT_EQ("Connection : Offline", PanelText());
}

TEST_F(DeviceCommands, DownloadFillsTheProgramAndTheBackup)
{
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    EXPECT_TRUE(gMessages.empty()) << "no data yet: no question; got " << gMessages[0];
    EXPECT_EQ(1u, gDocument.dataPresent);
    EXPECT_EQ(1, gDocument.modified) << "a download changes the document";
    EXPECT_EQ(0, std::memcmp(gDocument.image.bytes + 2 * ITEM_RECORD_SIZE,
                             device->items + 2 * ITEM_RECORD_SIZE,
                             DEVICE_IMAGE_SIZE - 2 * ITEM_RECORD_SIZE))
        << "the image holds the device's settings and directory";
    EXPECT_FALSE(TreeRootText().empty()) << "the tree shows the device name";
    EXPECT_STREQ(gDocument.edit.properties.deviceName, TreeRootText().c_str());
    EXPECT_TRUE(MenuItemEnabled(window, IDM_UPLOAD));
    EXPECT_TRUE(IsShown(gApp.tree));

    char backup[MAX_PATH];
    BackupPath(backup, sizeof backup);
    HANDLE file =
        CreateFileA(backup, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << "the backup was written";
    std::vector<uint8_t> bytes(DEVICE_IMAGE_SIZE + 1);
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    ASSERT_EQ(static_cast<DWORD>(DEVICE_IMAGE_SIZE), read);
    EXPECT_EQ(0, std::memcmp(bytes.data(), gDocument.image.bytes, DEVICE_IMAGE_SIZE))
        << "the backup is the image byte for byte";
}

TEST_F(DeviceCommands, SecondDownloadAsksAndNoKeepsTheData)
{
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    ImageItemValue(gDocument.image, 0x10C04)[0] = 'X';
    gAnswer = IDNO;
    Command(IDM_DOWNLOAD);
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("Are you sure you want to overwrite the setting data of this application with the "
              "device data?",
              gMessages[0]);
    EXPECT_EQ('X', ImageItemValue(gDocument.image, 0x10C04)[0]) << "No leaves the image alone";
    EXPECT_EQ(1u, gDocument.dataPresent);
}

TEST_F(DeviceCommands, UploadAsksThenSendsEverythingAndCommits)
{
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    const uint32_t commits = device->commitCount;
    const char name[] = "Upload test";
    uint8_t* value = ImageItemValue(gDocument.image, 0x10C04);
    std::memset(value, 0, 36);
    std::memcpy(value, name, sizeof name - 1);
    SetImageItemLength(gDocument.image, 0x10C04, sizeof name - 1);

    Command(IDM_UPLOAD);
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("Are you sure you want to overwrite the device setting data with the current data "
              "of this application?",
              gMessages[0]);
    EXPECT_EQ(commits + 1, device->commitCount);
    int record = FindItemRecord(0x10C04);
    EXPECT_EQ(0, std::memcmp(device->items + record * ITEM_RECORD_SIZE + 8, name, sizeof name - 1))
        << "the device took the new name";
    EXPECT_EQ(1u, gApp.connected);
}

TEST_F(DeviceCommands, UploadDeclinedSendsNothing)
{
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    const uint32_t commits = device->commitCount;
    device->capturePackets = 1;
    device->received.clear();
    gAnswer = IDNO;
    Command(IDM_UPLOAD);
    EXPECT_EQ(commits, device->commitCount);
    EXPECT_FALSE(device->received.empty()) << "the connection check asked for the status";
    for (const SimPacket& packet : device->received)
        EXPECT_NE(OP_WRITE_ITEM, packet.operation) << "item " << std::hex << packet.code;
}

TEST_F(DeviceCommands, ABrokenDownloadIsReportedAndLeavesTheProgramOffline)
{
    Command(IDM_CONNECT);
    device->faults.dropAtRecord = 100;
    Command(IDM_DOWNLOAD);
    ASSERT_FALSE(gMessages.empty());
    EXPECT_EQ("Reading/writing device data has failed.", gMessages.back());
    EXPECT_EQ(0u, gDocument.dataPresent);
    EXPECT_EQ(0u, gApp.connected);
    EXPECT_FALSE(MenuItemEnabled(window, IDM_UPLOAD));
    EXPECT_EQ("Connection : Offline", PanelText());
}

std::vector<uint8_t> FileBytes(const char* path)
{
    std::vector<uint8_t> bytes(DEVICE_IMAGE_SIZE + 1);
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
    }
    bytes.resize(read);
    return bytes;
}

// The link drops half-way through a second download: the program keeps what it had, shown as
// it was, and its backup file stays the last whole data, also after File, Exit.
TEST_F(DeviceCommands, ADownloadThatFailsHalfWayChangesNothing)
{
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    std::strcpy(gDocument.edit.properties.deviceName, "Kept name");
    CommitEdits(gDocument);
    const std::vector<uint8_t> image(gDocument.image.bytes,
                                     gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    char backup[MAX_PATH];
    BackupPath(backup, sizeof backup);
    const std::vector<uint8_t> backupBefore = FileBytes(backup);
    ASSERT_EQ(static_cast<size_t>(DEVICE_IMAGE_SIZE), backupBefore.size());
    const std::string caption = WindowText(window);
    const std::string root = TreeRootText();
    const int quickRows = static_cast<int>(
        SendMessageA(static_cast<HWND>(gApp.dialList), LVM_GETITEMCOUNT, 0, 0));

    device->faults.dropAtRecord = 100;
    gMessages.clear();
    Command(IDM_DOWNLOAD);
    ASSERT_FALSE(gMessages.empty());
    EXPECT_EQ("Reading/writing device data has failed.", gMessages.back());
    EXPECT_EQ(0u, gApp.connected) << "it counts as disconnected";
    EXPECT_TRUE(image == std::vector<uint8_t>(gDocument.image.bytes,
                                              gDocument.image.bytes + DEVICE_IMAGE_SIZE))
        << "the image is as it was";
    EXPECT_STREQ("Kept name", gDocument.edit.properties.deviceName);
    EXPECT_EQ(1u, gDocument.dataPresent);
    EXPECT_EQ(root, TreeRootText());
    EXPECT_TRUE(IsShown(gApp.tree)) << "the tree and lists stay";
    EXPECT_EQ(caption, WindowText(window));
    EXPECT_EQ(quickRows, static_cast<int>(SendMessageA(static_cast<HWND>(gApp.dialList),
                                                      LVM_GETITEMCOUNT, 0, 0)));
    EXPECT_TRUE(backupBefore == FileBytes(backup)) << "the backup was not touched";

    gAnswer = IDNO;  // the exit question: no save
    ASSERT_EQ(1, CloseMainWindow(window, 0));
    window = nullptr;
    EXPECT_TRUE(image == FileBytes(backup)) << "exit writes the last whole data, not a part";
}

}  // namespace
