// The device information dialogs through the main window's commands: what Counter and Device
// Info show of the demo device, and what Properties stores (and when it stores nothing).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

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
#include "document/document.h"
#include "devsim/sim_demo.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/dial_lists/dial_lists_harness_win.h"

namespace {

class InfoDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, StartFrame());
        window = OpenMainWindow();
        ASSERT_NE(nullptr, window);
        RecordMessages();
    }
    void TearDown() override { CloseTestWindow(window); }
    // The demo device's data, as a download puts it in, the document unchanged.
    void LoadDemo()
    {
        std::unique_ptr<SimDevice> device(new SimDevice());
        SimInitDemo(device.get());
        TakeDownloadedImage(gDocument, DeviceImage{device->items},
                            static_cast<int>(gApp.quickKeyCount));
        TakeNewData(window);
        gDocument.modified = 0;
        PumpMessages();
    }
    std::string Run(int command, const std::function<void(HWND)>& script)
    {
        return DriveDialog([&] { SendMessageA(window, WM_COMMAND, command, 0); }, script);
    }
    HWND window = nullptr;
};

TEST_F(InfoDialogs, CounterAndDeviceInfoShowTheDevicesData)
{
    LoadDemo();
    std::string scan, memory, adf;
    EXPECT_EQ("Counter", Run(IDM_TOTAL_COUNTER, [&](HWND d) {
                  scan = ControlText(d, IDC_COUNTER_SCAN);
                  Click(d, IDOK);
              }));
    EXPECT_EQ("Device Info", Run(IDM_DEVICE_INFO, [&](HWND d) {
                  adf = ControlText(d, IDC_INFO_ADF);
                  memory = ControlText(d, IDC_INFO_MEMORY);
                  Click(d, IDOK);
              }));
    EXPECT_EQ("15234", scan);
    EXPECT_EQ("Installed", adf);
    EXPECT_NE(std::string::npos, memory.find("64")) << memory;
    EXPECT_EQ(0, gDocument.modified) << "looking changes nothing";
}

TEST_F(InfoDialogs, PropertiesStoresTheNameWithItsLengthAndMarksTheDocument)
{
    LoadDemo();
    std::string shown;
    Run(IDM_PROPERTIES, [&](HWND d) {
        shown = ControlText(d, IDC_PROP_DEVICE_NAME);
        SetDlgItemTextA(d, IDC_PROP_DEVICE_NAME, "Back Office");
        Click(d, IDOK);
    });
    EXPECT_EQ("Front Office MFP", shown);
    EXPECT_STREQ("Back Office", gDocument.edit.properties.deviceName);
    EXPECT_EQ(11u, ItemLength(gDocument.image, FindItemRecord(0x10C04)));
    EXPECT_EQ(0, std::strcmp("Back Office", reinterpret_cast<const char*>(ImageItemValue(gDocument.image, 0x10C04))));
    EXPECT_EQ(1, gDocument.modified);
}

TEST_F(InfoDialogs, PropertiesCancelOrAnUnchangedOkStoresNothing)
{
    LoadDemo();
    Run(IDM_PROPERTIES, [&](HWND d) {
        SetDlgItemTextA(d, IDC_PROP_DEVICE_NAME, "Back Office");
        Click(d, IDCANCEL);
    });
    EXPECT_STREQ("Front Office MFP", gDocument.edit.properties.deviceName);
    Run(IDM_PROPERTIES, [&](HWND d) { Click(d, IDOK); });
    EXPECT_EQ(0, gDocument.modified) << "an OK without an edit is no change";
}

TEST_F(InfoDialogs, PropertiesWithoutDataHasItsFieldsDisabledAndStoresNothing)
{
    bool enabled = true;
    Run(IDM_PROPERTIES, [&](HWND d) {
        enabled = IsWindowEnabled(GetDlgItem(d, IDC_PROP_DEVICE_NAME)) != 0;
        Click(d, IDOK);
    });
    EXPECT_FALSE(enabled);
    EXPECT_EQ(0, gDocument.modified);
}

}  // namespace
