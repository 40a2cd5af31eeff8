// The Windows build's default backend is the still-image driver. Wine has no such driver, so
// what can be shown here is that an absent device fails quickly and cleanly, and that the
// in-process simulated device that `make run` uses works in the Windows build too.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "ui/app_state.h"
#include "devsim/device_backends.h"
#include "document/document.h"
#include "device/device_protocol.h"
#include "device/device_transfer.h"
#include "device/device_transport.h"

namespace {

class WinBackendTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppState(&gApp);
        ApplyModelProfile(&gApp, "A4ZRPQ 2A02");
        SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
        ASSERT_EQ(CreateDeviceImage(gDocument.image), 1);
        ResetDeviceImage(gDocument.image);
        SetUploadDumpPath(nullptr);
    }
    void TearDown() override { SetDeviceBackend(nullptr); }
};

TEST_F(WinBackendTest, UnsetVariableMeansTheStillImageDriver)
{
    _putenv("MORAVEL_DEVICE=");
    const DeviceBackend* backend = SelectDeviceBackend(nullptr);
    EXPECT_STREQ(backend->name, "usbscan");
    SetDeviceBackend(backend);
    const DWORD start = GetTickCount();
    EXPECT_EQ(DeviceOpen(), -1) << "no Usbscan device exists under Wine";
    EXPECT_LT(GetTickCount() - start, 10000u) << "fifteen absent names must not wait";
    EXPECT_EQ(gDevicePipes.command, PIPE_NOT_OPEN);
    EXPECT_EQ(gDevicePipes.reply, PIPE_NOT_OPEN);
    uint8_t status = 0;
    EXPECT_EQ(QueryDeviceStatus(&status), 0);
}

TEST_F(WinBackendTest, EnvironmentChoosesTheSimulatedDevice)
{
    _putenv("MORAVEL_DEVICE=sim");  // what getenv sees, as at a start with the variable set
    SetDeviceBackend(SelectDeviceBackendFromEnvironment());  // as the program's start-up does
    ASSERT_EQ(DeviceOpen(), 0);
    EXPECT_STREQ(CurrentDeviceBackend()->name, "sim");
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    EXPECT_STREQ(reinterpret_cast<char*>(ImageItemValue(gDocument.image, 0x10C04)), "Front Office MFP");
    EXPECT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    _putenv("MORAVEL_DEVICE=");
}

}  // namespace
