// The device commands through the real window against the built-in simulated device: Connect,
// Download with its question, Upload, Disconnect, and the failures a user sees.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/commands_win.h"
#include "app/frame_win.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "app/program_win.h"
#include "app/startup_win.h"
#include "app/ui_state_win.h"
#include "device/device_protocol.h"
#include "device/device_transfer.h"
#include "device/device_transport.h"
#include "device/setting_file.h"
#include "devsim/device_backends.h"
#include "devsim/sim_backend.h"
#include "document/device_history_win.h"
#include "document/dial_records.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "ui/app_state.h"
#include "ui/file_dialog_win.h"
#include "ui/frame_seam_win.h"
#include "ui/pictures_win.h"
#include "ui/ui_win.h"

namespace {

std::vector<std::string> gMessages;
int gAnswer = IDYES;
std::string gChosenFile;

std::string gOfferedPath;

int ChooseFile(HWND, char* path, int size, int, const char*)
{
    gOfferedPath = path;
    lstrcpynA(path, gChosenFile.c_str(), size);
    return 1;
}

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
        historyFolder = TestProgramFolder() + "History";
        SetHistoryFolder(historyFolder.c_str());
        for (const std::string& name : FilesIn(historyFolder, "*.DAT"))
            DeleteFileA((historyFolder + "\\" + name).c_str());
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
        SetHistoryFolder(nullptr);
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
    std::string historyFolder;
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
    HIMAGELIST images = IsWindow(gTreeAtExit) ? reinterpret_cast<HIMAGELIST>(SendMessageA(
                                                    gTreeAtExit, TVM_GETIMAGELIST, TVSIL_NORMAL, 0))
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
    const int quickRows =
        static_cast<int>(SendMessageA(static_cast<HWND>(gApp.dialList), LVM_GETITEMCOUNT, 0, 0));

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

// What the review dialog showed: its caption, its line, its rows, whether Upload was there.
struct Review {
    std::string caption, line;
    std::vector<std::string> rows;
    bool uploadShown = false;
    std::string closeText;
};

std::function<void(HWND)> Keep(Review* review)
{
    return [review](HWND dialog) {
        review->caption = WindowText(dialog);
        review->line = WindowText(GetDlgItem(dialog, IDC_CHANGES_TEXT));
        review->rows = ListRows(GetDlgItem(dialog, IDC_CHANGES_LIST));
        review->uploadShown =
            (GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & WS_VISIBLE) != 0;
        review->closeText = WindowText(GetDlgItem(dialog, IDCANCEL));
    };
}

std::vector<uint8_t> DeviceBytes(const SimDevice* device)
{
    return std::vector<uint8_t>(device->items, device->items + DEVICE_IMAGE_SIZE);
}

int WritePackets(const SimDevice* device)
{
    int writes = 0;
    for (const SimPacket& packet : device->received)
        writes += packet.operation == OP_WRITE_ITEM;
    return writes;
}

// Changes made as the editors make them: into the edit state, then committed to the image.
void EditDocument(void (*edit)(EditState& state))
{
    edit(gDocument.edit);
    CommitEdits(gDocument);
    MarkDocumentChanged(gDocument);
}

void RenameDevice(EditState& state) { std::strcpy(state.properties.deviceName, "Upload test"); }

// Upload shows what it will change; Upload sends it all, keeps the device's data as it was in
// the history and finds the device took everything.
TEST_F(DeviceCommands, UploadShowsTheChangesKeepsTheDevicesDataAndSendsIt)
{
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    const uint32_t commits = device->commitCount;
    const std::vector<uint8_t> before = DeviceBytes(device);
    EditDocument(RenameDevice);

    Review review;
    {
        DialogAnswer answer("Upload to Device", IDOK, Keep(&review));
        Command(IDM_UPLOAD);
        ASSERT_EQ(1, answer.Seen());
    }
    EXPECT_TRUE(gMessages.empty()) << "no question, no complaint; got " << gMessages[0];
    EXPECT_EQ("The upload makes these changes on the device. Choose Upload to send them.",
              review.line);
    EXPECT_EQ(std::vector<std::string>{"Properties | Device Name | Front Office MFP | Upload test"},
              review.rows);
    EXPECT_TRUE(review.uploadShown);
    EXPECT_EQ(commits + 1, device->commitCount);
    const uint8_t* name = device->items + FindItemRecord(0x10C04) * ITEM_RECORD_SIZE + 8;
    EXPECT_EQ(0, std::memcmp(name, "Upload test", 11)) << "the device took the new name";
    EXPECT_EQ(1u, gApp.connected);

    const std::vector<std::string> history = FilesIn(historyFolder, "*.DAT");
    ASSERT_EQ(1u, history.size());
    EXPECT_EQ(0u, history[0].find("Front Office MFP 20")) << history[0];
    EXPECT_TRUE(before == FileBytes((historyFolder + "\\" + history[0]).c_str()))
        << "the history holds the device's data as it was";

    // Going back: Device History offers the folder, and the file opens as any other.
    gAnswer = IDNO;  // no save of the data held
    gChosenFile = historyFolder + "\\" + history[0];
    SetFileDialogHook(ChooseFile);
    Command(IDM_DEVICE_HISTORY);
    SetFileDialogHook(nullptr);
    EXPECT_EQ(historyFolder + "\\", gOfferedPath);
    EXPECT_TRUE(before == std::vector<uint8_t>(gDocument.image.bytes,
                                               gDocument.image.bytes + DEVICE_IMAGE_SIZE));
}

// The review lists one row per changed setting and entry, and none for what the selector rules
// keep from being sent; Cancel sends nothing and keeps no history.
TEST_F(DeviceCommands, TheReviewListsExactlyWhatChangesAndCancelSendsNothing)
{
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    EditDocument([](EditState& s) {
        s.system.autoResetTime = 3;
        s.paper.customX[0] = 200;  // Tray 1 uses the size list: its custom size is not sent
        DialRecord entry = {};
        DecodeSpeedEntry(&entry, s, 2);
        std::strcpy(entry.name, "Branch York");
        EncodeSpeedEntry(s, &entry, 2);
        DialRecord group = {};
        DecodeGroupKey(&group, s, 4);
        group.memberCount = 2;  // Speed Dial 02 leaves the group
        EncodeGroupRecord(s, group, 4);
    });
    device->capturePackets = 1;
    device->received.clear();
    Review review;
    {
        DialogAnswer answer("Upload to Device", IDCANCEL, Keep(&review));
        Command(IDM_UPLOAD);
    }
    const std::vector<std::string> expected = {
        "System | Auto Reset Time | 2 min. | 3 min.",
        "Group List | 05  Sales Team | Sales Team: Quick Dial 01; Speed Dial 00, 02 | "
        "Sales Team: Quick Dial 01; Speed Dial 00",
        "Speed Dial List | 02  Branch York | Branch Leeds, Fax 01134960999, 14.4K | "
        "Branch York, Fax 01134960999, 14.4K",
    };
    EXPECT_EQ(expected, review.rows);
    EXPECT_EQ(0, WritePackets(device)) << "Cancel sends nothing";
    EXPECT_TRUE(FilesIn(historyFolder, "*.DAT").empty());
    EXPECT_EQ(1u, gApp.connected);

    // A reading that fails shows the failure, no review, and sends nothing either.
    device->faults.dropAtRecord = 100;
    {
        DialogAnswer answer("Upload to Device", IDOK);
        Command(IDM_UPLOAD);
        EXPECT_EQ(0, answer.Seen());
    }
    EXPECT_EQ(std::vector<std::string>{"Reading/writing device data has failed."}, gMessages);
    EXPECT_EQ(0, WritePackets(device));
    EXPECT_EQ(0u, gApp.connected);
}

// A device that keeps an item's old value: the check after the commit names it, and the data
// in Moravel stays unsaved.
TEST_F(DeviceCommands, ADeviceThatIgnoresAWriteIsReportedByName)
{
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    ASSERT_EQ(1, SimApplyFault(device, "ignore=0x10001"));
    EditDocument([](EditState& s) {
        s.system.autoResetTime = 4;
        std::strcpy(s.properties.deviceName, "Taken");
    });
    {
        DialogAnswer answer("Upload to Device", IDOK);
        Command(IDM_UPLOAD);
    }
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("The device did not take these changes:\n\nSystem, Auto Reset Time: 2 min. (sent: "
              "4 min.)\n\nMoravel keeps your data, still unsaved; you can upload it again.",
              gMessages[0]);
    EXPECT_EQ(1, gDocument.modified);
    EXPECT_EQ(1u, gApp.connected) << "a refused item is no broken link";
}

// History that cannot be written stops the upload once; Upload again goes on without it.
TEST_F(DeviceCommands, AHistoryThatCannotBeWrittenStopsTheUploadOnce)
{
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    const std::string blocker = TestProgramFolder() + "not-a-folder";
    HANDLE file =
        CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    SetHistoryFolder((blocker + "\\History").c_str());
    EditDocument(RenameDevice);
    const uint32_t commits = device->commitCount;
    {
        DialogAnswer answer("Upload to Device", IDOK);
        Command(IDM_UPLOAD);
        ASSERT_EQ(1u, gMessages.size());
        EXPECT_EQ(0u, gMessages[0].find("The device's current data could not be kept in the "
                                        "history folder:\n"));
        EXPECT_EQ(commits, device->commitCount) << "the upload did not start";
        Command(IDM_UPLOAD);
        EXPECT_EQ(1u, gMessages.size());
        EXPECT_EQ(commits + 1, device->commitCount) << "asked again, it goes on without";
    }
    DeleteFileA(blocker.c_str());
}

// Compare with Device shows what someone changed at the panel since the download; Compare with
// File what a file holds otherwise. Both only look.
TEST_F(DeviceCommands, CompareWithDeviceAndWithFile)
{
    ASSERT_EQ(1, SimApplyFault(device, "panel-edit=0x10C04"));
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    device->capturePackets = 1;
    device->received.clear();
    Review review;
    {
        DialogAnswer answer("Compare with Device", IDCANCEL, Keep(&review));
        Command(IDM_COMPARE_DEVICE);
        ASSERT_EQ(1, answer.Seen());
    }
    EXPECT_EQ(std::vector<std::string>{"Properties | Device Name | Gront Office MFP | "
                                       "Front Office MFP"},
              review.rows);
    EXPECT_FALSE(review.uploadShown);
    EXPECT_EQ("Close", review.closeText);
    EXPECT_EQ(0, WritePackets(device));

    const std::string path = TestProgramFolder() + "compare.dat";
    DeviceImage other = {nullptr};
    ASSERT_EQ(1, CreateDeviceImage(other));
    std::memcpy(other.bytes, gDocument.image.bytes, DEVICE_IMAGE_SIZE);
    ImageItemValue(other, 0x10000)[0] = 0;  // Auto Reset off in the file
    ASSERT_EQ(1, WriteSettingFile(other, path.c_str()));
    ReleaseDeviceImage(other);
    gChosenFile = path;
    SetFileDialogHook(ChooseFile);
    {
        DialogAnswer answer("Compare with File", IDCANCEL, Keep(&review));
        Command(IDM_COMPARE_FILE);
        ASSERT_EQ(1, answer.Seen());
    }
    SetFileDialogHook(nullptr);
    EXPECT_EQ("These settings and entries differ between compare.dat and Moravel.", review.line);
    EXPECT_EQ(std::vector<std::string>{"System | Auto Reset Time | Off | On"}, review.rows);
    DeleteFileA(path.c_str());

    // The same data on both sides: the dialog says so in one line.
    {
        DialogAnswer answer("Compare with Device", IDCANCEL, Keep(&review));
        std::strcpy(gDocument.edit.properties.deviceName, "Gront Office MFP");
        CommitEdits(gDocument);
        Command(IDM_COMPARE_DEVICE);
    }
    EXPECT_EQ("The device holds the same data as Moravel.", review.line);
    EXPECT_TRUE(review.rows.empty());
}

// A sample of the drop sweep through the window: a download cut at the first, a middle and the
// last record, an upload cut at a setting and at a dial entry. Each time the failure is said,
// nothing changes (the document, or the device), and the next Connect and Download work.
TEST_F(DeviceCommands, DropsAtSampledRecordsChangeNothingAndTheNextDownloadWorks)
{
    Command(IDM_CONNECT);
    Command(IDM_DOWNLOAD);
    std::strcpy(gDocument.edit.properties.deviceName, "Held");
    CommitEdits(gDocument);
    const std::vector<uint8_t> held(gDocument.image.bytes,
                                    gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    const std::vector<uint8_t> onDevice = DeviceBytes(device);
    struct Drop {
        int command;
        int record;
    };
    for (const Drop drop : {Drop{IDM_DOWNLOAD, 0}, Drop{IDM_DOWNLOAD, 131}, Drop{IDM_DOWNLOAD, 251},
                            Drop{IDM_UPLOAD, 3}, Drop{IDM_UPLOAD, 200}}) {
        const uint32_t commits = device->commitCount;
        gMessages.clear();
        if (drop.command == IDM_DOWNLOAD) {
            device->faults.dropAtRecord = drop.record;
            Command(IDM_DOWNLOAD);
        } else {
            // Cut in the upload itself, after the review's reading.
            DialogAnswer answer("Upload to Device", IDOK,
                                [&](HWND) { device->faults.dropAtRecord = drop.record; });
            Command(IDM_UPLOAD);
        }
        ASSERT_FALSE(gMessages.empty());
        EXPECT_EQ("Reading/writing device data has failed.", gMessages.back())
            << drop.command << " at " << drop.record;
        EXPECT_EQ(0u, gApp.connected);
        EXPECT_TRUE(held == std::vector<uint8_t>(gDocument.image.bytes,
                                                 gDocument.image.bytes + DEVICE_IMAGE_SIZE));
        EXPECT_EQ(commits, device->commitCount) << "no commit reached the device";
        EXPECT_TRUE(onDevice == DeviceBytes(device)) << drop.command << " at " << drop.record;
        Command(IDM_CONNECT);
        EXPECT_EQ(1u, gApp.connected) << drop.command << " at " << drop.record;
    }
    Command(IDM_DOWNLOAD);
    EXPECT_STREQ("Front Office MFP", gDocument.edit.properties.deviceName)
        << "the next download works";
}

}  // namespace
