// The bridge's core over a simulated USB device: its options, which device it serves, one
// connection at a time, and the reply time-out. The libusb side is tested through umockdev in
// bridge_usb_test.cpp.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bridge/bridge_core.h"
#include "bridge/bridge_options.h"
#include "device/command_packet.h"
#include "devsim/sim_backend.h"
#include "devsim/sim_demo.h"

namespace {

// A USB port with one simulated device behind whatever it opens.
struct SimUsbPort {
    UsbPort port;
    std::mutex lock;
    std::condition_variable output;
    std::vector<UsbDeviceInfo> attached;
    SimDevice device;
};

SimUsbPort* Sim(void* context) { return static_cast<SimUsbPort*>(context); }

void InitSimUsbPort(SimUsbPort* usb)
{
    SimInitDemo(&usb->device);
    usb->port = {
        usb,
        [](void* c, UsbDeviceInfo* devices, int capacity) -> int {
            SimUsbPort* u = Sim(c);
            std::lock_guard<std::mutex> hold(u->lock);
            int n = 0;
            for (const UsbDeviceInfo& d : u->attached)
                if (n < capacity)
                    devices[n++] = d;
            return n;
        },
        [](void* c, const UsbDeviceInfo*, int, UsbOpened* opened, char*, size_t) -> int {
            SimUsbPort* u = Sim(c);
            std::lock_guard<std::mutex> hold(u->lock);
            *opened = {0x0409, 0, 0x01, 0x82};
            return SimConnect(&u->device, SteadyClockMs()) ? USB_OK : USB_GONE;
        },
        [](void* c, const uint8_t* bytes, uint32_t count, int) -> int {
            SimUsbPort* u = Sim(c);
            std::lock_guard<std::mutex> hold(u->lock);
            SimReceive(&u->device, bytes, count, SteadyClockMs());
            u->output.notify_all();
            return USB_OK;
        },
        [](void* c, uint8_t* buffer, uint32_t capacity, uint32_t* got, int timeoutMs) -> int {
            SimUsbPort* u = Sim(c);
            std::unique_lock<std::mutex> hold(u->lock);
            u->output.wait_for(hold, std::chrono::milliseconds(timeoutMs),
                               [u] { return !u->device.output.empty(); });
            *got = static_cast<uint32_t>(SimTakeOutput(&u->device, buffer, capacity));
            return *got > 0 ? USB_OK : USB_TIMED_OUT;
        },
        [](void* c) {
            SimUsbPort* u = Sim(c);
            std::lock_guard<std::mutex> hold(u->lock);
            SimDisconnect(&u->device);
        },
    };
}

// The bridge's log lines, waited on by condition.
struct LogLines {
    std::mutex lock;
    std::condition_variable added;
    std::vector<std::string> lines;

    static void Add(void* context, const char* line)
    {
        LogLines* self = static_cast<LogLines*>(context);
        std::lock_guard<std::mutex> hold(self->lock);
        self->lines.push_back(line);
        self->added.notify_all();
    }
    bool WaitFor(const std::string& text)
    {
        std::unique_lock<std::mutex> hold(lock);
        return added.wait_for(hold, std::chrono::seconds(10), [&] {
            for (const std::string& l : lines)
                if (l.find(text) != std::string::npos)
                    return true;
            return false;
        });
    }
    std::string All()
    {
        std::lock_guard<std::mutex> hold(lock);
        std::string all;
        for (const std::string& l : lines)
            all += l + "\n";
        return all;
    }
};

class BridgeCoreTest : public ::testing::Test {
protected:
    void Start(const std::vector<UsbDeviceInfo>& attached, int replyTimeoutMs = 5000)
    {
        InitSimUsbPort(&usb);
        usb.attached = attached;
        BridgeMatch match;
        DefaultBridgeMatch(&match);
        ASSERT_EQ(BridgeOpen(&bridge, &usb.port, &match, "127.0.0.1", 0), 1);
        bridge.replyTimeoutMs = replyTimeoutMs;
        bridge.log = LogLines::Add;
        bridge.logContext = &log;
        thread = std::thread(BridgeRun, &bridge);
    }
    void TearDown() override
    {
        if (thread.joinable()) {
            BridgeStop(&bridge);
            thread.join();
            BridgeClose(&bridge);
        }
    }
    SocketHandle Connect() { return SocketConnect("127.0.0.1", bridge.port, 3000); }
    // Everything the bridge sends until it closes the connection or stays silent for waitMs.
    static std::vector<uint8_t> Receive(SocketHandle s, size_t want, int waitMs, int* closed)
    {
        std::vector<uint8_t> got;
        uint8_t buffer[512];
        *closed = 0;
        while (got.size() < want) {
            const int n = SocketReceive(s, buffer, sizeof buffer, waitMs);
            if (n <= 0) {
                *closed = n != SOCKET_TIMED_OUT;
                break;
            }
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

    SimUsbPort usb;
    Bridge bridge;
    LogLines log;
    std::thread thread;
};

const UsbDeviceInfo A4 = {1, 4, 0x0A5F, 0x2A02, 0x0100};

TEST(BridgeOptions, ParseOrExplain)
{
    struct Case {
        std::vector<const char*> args;
        int result;
        const char* error;  // part of the message, for -1
    } cases[] = {
        {{}, 1, ""},
        {{"--port", "0", "--verbose", "--list"}, 1, ""},
        {{"--product-id", "2a02,1234", "--product-id", "ABCD"}, 1, ""},
        {{"--vendor-id", "0A5F", "--interface", "1"}, 1, ""},
        {{"--help"}, 0, ""},
        {{"--port"}, -1, "--port needs a value"},
        {{"--port", "65536"}, -1, "'65536' is not a port"},
        {{"--port", "-1"}, -1, "'-1' is not a port"},
        {{"--product-id", "2A02,"}, -1, "'' is not a product id"},
        {{"--product-id", "12345"}, -1, "'12345' is not a product id"},
        {{"--vendor-id", "0x0A5F", "--product-id", "0x2a02"}, 1, ""},
        {{"--vendor-id", "0A5G"}, -1, "'0A5G' is not a vendor id"},
        {{"--interface", "one"}, -1, "'one' is not an interface number"},
        {{"--product-id", "1,2,3,4,5,6,7,8,9,A,B,C,D,E,F,10,11"}, -1, "at most 16"},
        {{"--serial", "X"}, -1, "unknown option '--serial'"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"moravel-usb-bridge"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        BridgeOptions o;
        char error[300];
        const int r =
            ParseBridgeOptions(static_cast<int>(argv.size()), argv.data(), &o, error, sizeof error);
        std::string line;
        for (const char* a : c.args)
            line += std::string(a) + " ";
        EXPECT_EQ(r, c.result) << line << "gave: " << error;
        EXPECT_NE(std::string(error).find(c.error), std::string::npos)
            << line << "gave '" << error << "', not '" << c.error << "'";
    }

    const char* argv[] = {"bridge", "--product-id", "2a02,1234", "--product-id",
                          "ABCD",   "--vendor-id",  "0A5F"};
    BridgeOptions o;
    char error[300];
    ASSERT_EQ(ParseBridgeOptions(7, argv, &o, error, sizeof error), 1);
    EXPECT_EQ(o.match.productIdCount, 3) << "the given ids replace the defaults";
    EXPECT_EQ(o.match.productIds[2], 0xABCD);
    EXPECT_EQ(o.match.vendorId, 0x0A5F);
}

TEST(BridgeMatch, ServesTheLowestMatchingDevice)
{
    BridgeMatch any;
    DefaultBridgeMatch(&any);
    BridgeMatch vendor = any;
    vendor.vendorId = 0x04F9;
    const UsbDeviceInfo hub = {1, 1, 0x1D6B, 0x0002, 0x0515};
    const UsbDeviceInfo a3 = {2, 3, 0x0A5F, 0x2A03, 0x0100};
    const UsbDeviceInfo a4 = {2, 9, 0x04F9, 0x2A02, 0x0100};
    const UsbDeviceInfo a4Early = {1, 7, 0x0A5F, 0x2A02, 0x0100};
    struct Case {
        const BridgeMatch* match;
        std::vector<UsbDeviceInfo> devices;
        int chosen;
    } cases[] = {
        {&any, {}, -1},
        {&any, {hub}, -1},
        {&any, {hub, a3}, 1},             // any vendor: the program never checks it
        {&any, {a4, hub, a3}, 2},         // bus 2 device 3 before bus 2 device 9
        {&any, {a4, a4Early}, 1},         // bus 1 before bus 2
        {&vendor, {a3, a4Early, a4}, 2},  // --vendor-id keeps to the vendor
        {&vendor, {a3, a4Early, hub}, -1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) {
        const Case& c = cases[i];
        EXPECT_EQ(ChooseDevice(c.match, c.devices.data(), static_cast<int>(c.devices.size())),
                  c.chosen)
            << "case " << i;
    }
}

TEST_F(BridgeCoreTest, ASecondConnectionWaitsUntilTheFirstEnds)
{
    Start({A4});
    SocketHandle first = Connect();
    int closed = 0;
    ASSERT_EQ(Receive(first, 8, 5000, &closed).size(), 8u);
    SocketHandle second = Connect();
    ASSERT_NE(second, SOCKET_NONE);
    EXPECT_TRUE(log.WaitFor("another connection waits until this one ends")) << log.All();
    EXPECT_TRUE(Receive(second, 8, 200, &closed).empty()) << "served beside the first";
    EXPECT_EQ(closed, 0);

    SocketClose(first);
    const std::vector<uint8_t> descriptor = Receive(second, 8, 5000, &closed);
    const std::vector<uint8_t> want = {0x5F, 0x0A, 0x02, 0x2A, 0x00, 0x01, 0x09, 0x04};
    EXPECT_EQ(descriptor, want) << "the second is served once the first has ended";
    SocketClose(second);
}

TEST_F(BridgeCoreTest, ADeviceThatLeavesTheProgramUnansweredEndsTheConnection)
{
    Start({A4}, 300);
    usb.device.faults.silent = 1;
    SocketHandle s = Connect();
    int closed = 0;
    ASSERT_EQ(Receive(s, 8, 5000, &closed).size(), 8u);
    // Quiet with nothing asked: the connection stays.
    EXPECT_TRUE(Receive(s, 1, 600, &closed).empty());
    ASSERT_EQ(closed, 0) << "closed although the program asked nothing";

    uint8_t query[COMMAND_PACKET_SIZE];
    EncodeCommandPacket({OP_DEVICE_COMMAND, DEVICE_CODE_STATUS, 0}, query);
    ASSERT_EQ(SocketSendAll(s, query, sizeof query, 1000), 1);
    EXPECT_TRUE(Receive(s, 1, 5000, &closed).empty());
    EXPECT_EQ(closed, 1) << "the unanswered query should end the connection";
    SocketClose(s);
    EXPECT_TRUE(log.WaitFor("nothing came from the device for 300 ms")) << log.All();
}

}  // namespace
