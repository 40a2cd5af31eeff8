// The real TCP backend against devsim servers on 127.0.0.1, each on its own thread. Everything
// is bounded: short read time-outs, and the servers stop before the test ends.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/tcp_backend.h"
#include "devsim/device_backends.h"
#include "devsim/sim_demo.h"
#include "devsim/sim_server.h"
#include "link_test_support.h"
#include "resources/resource_ids.h"
#include "running_server.h"

using namespace linktest;

namespace {

constexpr int SHORT_READ_TIMEOUT_MS = 300;

class TcpLinkTest : public LinkTest {
protected:
    void Use(const std::vector<RunningServer*>& servers)
    {
        std::vector<TcpEndpoint> endpoints;
        for (RunningServer* s : servers)
            endpoints.push_back({"127.0.0.1", s->server.port});
        InitTcpBackend(&tcp, endpoints);
        tcp.readTimeoutMs = SHORT_READ_TIMEOUT_MS;
        SetDeviceBackend(&tcp.backend);
    }
    TcpBackend tcp;
};

TEST_F(TcpLinkTest, ConnectDownloadEditUpload)
{
    RunningServer s;
    ASSERT_EQ(s.ok, 1);
    Use({&s});

    ASSERT_EQ(CheckConnection(nullptr), 1);
    ASSERT_EQ(BeginRemoteMode(), 1);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    EXPECT_STREQ(reinterpret_cast<char*>(ImageItemValue(gDocument.image, 0x10C04)),
                 "Front Office MFP");
    std::memcpy(ImageItemValue(gDocument.image, 0x10C04), "Print Room\0\0\0\0\0\0", 16);
    SetImageItemLength(gDocument.image, 0x10C04, 10);
    const std::vector<uint8_t> sent(gDocument.image.bytes,
                                    gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    DeviceClose();
    ASSERT_EQ(EndRemoteMode(), 1);
    s.Stop();

    EXPECT_TRUE(gMessages.empty());
    EXPECT_EQ(s.device->commitCount, 1u);
    EXPECT_EQ(s.device->remoteMode, 0);
    for (int r = 2; r < ITEM_COUNT; r++) {
        if (!IsRecordUploaded(sent.data(), r))
            continue;
        const uint8_t* want = sent.data() + r * ITEM_RECORD_SIZE;
        ASSERT_EQ(std::vector<uint8_t>(want, want + ITEM_RECORD_SIZE),
                  std::vector<uint8_t>(s.device->items + r * ITEM_RECORD_SIZE,
                                       s.device->items + (r + 1) * ITEM_RECORD_SIZE))
            << "record " << r << " did not arrive as sent";
    }
}

TEST_F(TcpLinkTest, EndpointOrderIsTheDeviceNumber)
{
    RunningServer foreign([](SimDevice* d) { d->productId = 0x1111; });
    RunningServer silent([](SimDevice* d) { d->faults.silent = 1; });
    RunningServer good;
    ASSERT_TRUE(foreign.ok && silent.ok && good.ok);
    Use({&foreign, &silent, &good});
    ASSERT_EQ(DeviceOpen(), 0);
    EXPECT_EQ(gDevicePipes.device, 2);
    DeviceClose();
}

TEST_F(TcpLinkTest, DeviceFallingSilentMidDownloadFailsWithinTheTimeout)
{
    RunningServer s([](SimDevice* d) { d->faults.muteAtRecord = 100; });
    ASSERT_EQ(s.ok, 1);
    Use({&s});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(DownloadImage(&gDocument.image, nullptr), 0);
    const auto took = std::chrono::steady_clock::now() - start;
    // Not a timing assertion: a bound that only a hang would cross.
    EXPECT_LT(took, std::chrono::seconds(30)) << "the read time-out did not end the wait";
    DeviceClose();
    s.Stop();
    EXPECT_EQ(ItemLength(gDocument.image, 99), SimItemLength(s.device.get(), 99))
        << "record 99 arrived";
    EXPECT_EQ(ItemLength(gDocument.image, 100), 0u) << "record 100 never did";
}

TEST_F(TcpLinkTest, NothingListeningIsOpeningFailure)
{
    RunningServer s;
    ASSERT_EQ(s.ok, 1);
    const uint16_t port = s.server.port;
    s.Stop();
    std::vector<TcpEndpoint> endpoints = {{"127.0.0.1", port}};
    InitTcpBackend(&tcp, endpoints);
    tcp.readTimeoutMs = SHORT_READ_TIMEOUT_MS;
    SetDeviceBackend(&tcp.backend);
    EXPECT_EQ(CheckConnection(nullptr), 0);
    EXPECT_EQ(gMessages, std::vector<int>{IDS_OPEN_USB_FAILED});
}

}  // namespace
