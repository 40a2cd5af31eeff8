// What the Network page decides reaches the device: with DHCP no address is sent, and a network
// change asks for the power cycle, whose message shows once the device has restarted after the
// upload. Against the built-in simulated device.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

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
#include "devsim/device_backends.h"
#include "devsim/sim_backend.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/settings/sheet_harness_win.h"
#include "ui/app_state.h"
#include "ui/file_dialog_win.h"
#include "ui/frame_seam_win.h"
#include "ui/pictures_win.h"
#include "ui/ui_win.h"

namespace {

constexpr int NETWORK = 9;

class SettingsUpload : public ::testing::Test {
protected:
    void SetUp() override
    {
        dumpPath = TestProgramFolder() + "upload-dump.dat";
        SetUploadDumpPath(dumpPath.c_str());
        SetDeviceBackend(BuiltInSimBackend(nullptr));
        device = BuiltInSimDevice();
        ASSERT_NE(nullptr, device);
        ASSERT_EQ(1, StartFrame());
        window = OpenMainWindow();
        ASSERT_NE(nullptr, window);
        SetMessageHook(Answer);
        Command(IDM_CONNECT);
        Command(IDM_DOWNLOAD);
        ASSERT_EQ(1u, gDocument.dataPresent);
        gMessages.clear();
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
    }
    // Answers Yes to the upload question and keeps what was shown.
    static int Answer(HWND, const char* text, const char*, UINT)
    {
        gMessages.push_back(text);
        return IDYES;
    }
    void Upload()
    {
        DialogAnswer answer("Upload to Device", IDOK);
        Command(IDM_UPLOAD);
    }
    // Opens the sheet, runs the edit on the Network page and presses OK.
    void EditNetworkPage(void (*edit)(HWND page))
    {
        RunSheet(window, {[](HWND sheet) { SelectPage(sheet, NETWORK); },
                          [edit](HWND sheet) {
                              edit(CurrentPage(sheet));
                              Press(sheet, PSBTN_OK);
                          }});
        SetMessageHook(Answer);  // the sheet's harness had its own
    }
    // How many value bytes the upload sent for item `id`; -1 when it sent no write for it.
    int SentBytes(uint32_t id) const
    {
        for (const SimPacket& p : device->received)
            if (p.operation == OP_WRITE_ITEM && p.code == id)
                return static_cast<int>(p.data.size());
        return -1;
    }

    static std::vector<std::string> gMessages;
    HWND window = nullptr;
    SimDevice* device = nullptr;
    std::string dumpPath;
};
std::vector<std::string> SettingsUpload::gMessages;

TEST_F(SettingsUpload, WithDhcpNoneOfTheThreeAddressesIsSent)
{
    EditNetworkPage([](HWND page) { Click(page, IDC_NET_DHCP); });
    ASSERT_EQ(0, gDocument.edit.network.addressMode);
    device->capturePackets = 1;
    device->received.clear();
    Upload();
    // An item of length 0 goes as a write without a value: the device keeps its own.
    EXPECT_EQ(0, SentBytes(0x10702));
    EXPECT_EQ(0, SentBytes(0x10704));
    EXPECT_EQ(0, SentBytes(0x10706));
    EXPECT_EQ(1, SentBytes(0x10700)) << "the DHCP choice itself is sent";
    EXPECT_EQ(4, SentBytes(0x10709)) << "the DNS server still is";
}

TEST_F(SettingsUpload, AnotherEthernetSpeedShowsTheNetworkPowerCycleMessageAfterTheRestart)
{
    EditNetworkPage([](HWND page) { Choose(page, IDC_NET_SPEED, 3); });
    EXPECT_EQ(RESTART_PENDING, gRestartFlag.state);
    const uint32_t restarts = device->restartCount;
    Upload();
    EXPECT_EQ(restarts + 1, device->restartCount) << "the commit asked the device to restart";
    EXPECT_EQ(3, device->items[FindItemRecord(0x1070A) * ITEM_RECORD_SIZE + ITEM_VALUE_OFFSET]);
    gMessages.clear();
    Command(IDM_CONNECT);
    ASSERT_FALSE(gMessages.empty());
    EXPECT_EQ("Network setting(s) have been changed.\nTo apply the setting(s), turn the power of "
              "the device off, then on.",
              gMessages[0]);
    EXPECT_EQ(RESTART_NONE, gRestartFlag.state) << "the message shows once";
}

// After a commit that restarts the device, the upload is checked once the device is back; a
// Disconnect before that drops the check and says so.
TEST_F(SettingsUpload, AfterARestartTheCheckWaitsForTheDeviceAndDisconnectDropsIt)
{
    ASSERT_EQ(1, SimApplyFault(device, "ignore=0x10001"));
    EditNetworkPage([](HWND page) { Choose(page, IDC_NET_SPEED, 3); });
    gDocument.edit.system.autoResetTime = 4;
    CommitEdits(gDocument);
    Upload();
    EXPECT_TRUE(gMessages.empty()) << "nothing is read back from a restarting device";
    EXPECT_EQ("The upload will be checked when the device is back.", StatusText(window, 0));
    Command(IDM_CONNECT);
    ASSERT_EQ(1u, gMessages.size()) << "the device is still restarting";
    device->restartEndsMs = 0;
    Command(IDM_CONNECT);
    ASSERT_EQ(2u, gMessages.size());
    EXPECT_NE(std::string::npos,
              gMessages[1].find("System, Auto Reset Time: 2 min. (sent: 4 min.)"))
        << gMessages[1];

    EditNetworkPage([](HWND page) { Choose(page, IDC_NET_SPEED, 2); });
    Upload();
    Command(IDM_DISCONNECT);
    EXPECT_EQ("The check of the last upload was dropped.", StatusText(window, 0));
    device->restartEndsMs = 0;
    gMessages.clear();
    Command(IDM_CONNECT);
    EXPECT_TRUE(gMessages.empty()) << "no check after the drop: " << gMessages[0];
}

}  // namespace
