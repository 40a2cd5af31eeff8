// The bridge program as built, over USB devices that umockdev emulates: the program runs under
// umockdev's preload library, so libusb finds the devices this test adds to a fake /sys and
// /dev, and every usbfs call on them (claim, URBs submitted, reaped and discarded) comes here,
// where the simulated device answers the bulk pipes. Moravel's own transfer code talks to the
// bridge over the TCP backend, as it does under Wine.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <umockdev.h>
#include <unistd.h>

#include "../device_link/link_test_support.h"
#include "device/tcp_backend.h"
#include "resources/resource_ids.h"

extern char** environ;

using namespace linktest;

namespace {

constexpr uint8_t COMMAND_ENDPOINT = 0x01;
constexpr uint8_t REPLY_ENDPOINT = 0x82;
constexpr uint16_t FOREIGN_PRODUCT_ID = 0x1111;

// A multifunction device's descriptors: a printer interface with bulk pipes of its own first
// (the bridge must not take it), then the vendor-specific interface with the two pipes.
std::vector<uint8_t> Descriptors(uint16_t vendor, uint16_t product, uint16_t release)
{
    auto lo = [](uint16_t v) { return static_cast<uint8_t>(v); };
    auto hi = [](uint16_t v) { return static_cast<uint8_t>(v >> 8); };
    // clang-format off
    return {
        18, 1, 0x00, 0x02, 0, 0, 0, 64, lo(vendor), hi(vendor), lo(product), hi(product),
        lo(release), hi(release), 0, 0, 0, 1,
        9, 2, 55, 0, 2, 1, 0, 0xC0, 0,                // configuration: 2 interfaces
        9, 4, 0, 0, 2, 0x07, 0x01, 0x02, 0,           // interface 0: printer
        7, 5, 0x03, 0x02, 0x00, 0x02, 0,              // bulk out 0x03, 512
        7, 5, 0x84, 0x02, 0x00, 0x02, 0,              // bulk in 0x84, 512
        9, 4, 1, 0, 2, 0xFF, 0, 0, 0,                 // interface 1: vendor-specific
        7, 5, COMMAND_ENDPOINT, 0x02, 0x00, 0x02, 0,  // bulk out, 512
        7, 5, REPLY_ENDPOINT, 0x02, 0x00, 0x02, 0,    // bulk in, 512
    };
    // clang-format on
}

// The device side of one emulated USB device: usbfs ioctls answered, its bulk pipes fed to and
// read from a simulated device.
struct UsbFunction {
    std::mutex lock;
    SimDevice* sim = nullptr;  // nullptr: a device that answers nothing
    uint16_t languageId = 0x0409;
    struct Urb {
        UMockdevIoctlData* urb;
        UMockdevIoctlData* buffer;
        int done;
    };
    std::deque<Urb> urbs;
    int unplugged = 0;
    int unplugAtCommand = -1;  // the device is pulled when this command transfer arrives
    int commandTransfers = 0;
    size_t strayBytes = 0;  // written to a pipe that is not the command pipe

    ~UsbFunction()
    {
        for (Urb& u : urbs)
            Release(u);
    }
    static void Release(Urb& u)
    {
        g_object_unref(u.urb);
        if (u.buffer)
            g_object_unref(u.buffer);
    }
};

usbdevfs_urb* Fields(UsbFunction::Urb& u) { return reinterpret_cast<usbdevfs_urb*>(u.urb->data); }

void SetField(UsbFunction::Urb& u, size_t offset, int32_t value)
{
    umockdev_ioctl_data_update(u.urb, offset, reinterpret_cast<guint8*>(&value), sizeof value);
}

void Finish(UsbFunction::Urb& u, int32_t status, int32_t actual)
{
    SetField(u, offsetof(usbdevfs_urb, status), status);
    SetField(u, offsetof(usbdevfs_urb, actual_length), actual);
    u.done = 1;
}

// Completes what the device can complete now. Called with the lock held.
void Progress(UsbFunction* f)
{
    for (UsbFunction::Urb& u : f->urbs) {
        if (u.done)
            continue;
        usbdevfs_urb* x = Fields(u);
        // Pulled: whatever was under way ends as the kernel ends it.
        if (f->unplugged) {
            Finish(u, -ESHUTDOWN, 0);
            continue;
        }
        if (x->type == USBDEVFS_URB_TYPE_CONTROL) {
            const uint8_t* setup = u.buffer->data;
            const uint8_t strings[4] = {4, 3, static_cast<uint8_t>(f->languageId),
                                        static_cast<uint8_t>(f->languageId >> 8)};
            // GET_DESCRIPTOR of string 0, the language table; nothing else is expected.
            if (setup[0] == 0x80 && setup[1] == 6 && setup[3] == 3 && setup[2] == 0 &&
                x->buffer_length >= 12) {
                umockdev_ioctl_data_update(u.buffer, 8, const_cast<guint8*>(strings), 4);
                Finish(u, 0, 4);
            } else {
                Finish(u, -EPIPE, 0);
            }
        } else if (!(x->endpoint & 0x80)) {
            if (x->endpoint != COMMAND_ENDPOINT || !f->sim) {
                f->strayBytes += static_cast<size_t>(x->buffer_length);
                Finish(u, 0, x->buffer_length);
                continue;
            }
            if (++f->commandTransfers == f->unplugAtCommand) {
                f->unplugged = 1;
                Finish(u, -ESHUTDOWN, 0);
                continue;
            }
            SimReceive(f->sim, u.buffer->data, static_cast<size_t>(x->buffer_length),
                       SteadyClockMs());
            Finish(u, 0, x->buffer_length);
        } else if (x->endpoint == REPLY_ENDPOINT && f->sim && !f->sim->output.empty()) {
            std::vector<uint8_t> bytes(static_cast<size_t>(x->buffer_length));
            const size_t n = SimTakeOutput(f->sim, bytes.data(), bytes.size());
            umockdev_ioctl_data_update(u.buffer, 0, bytes.data(), static_cast<gint>(n));
            Finish(u, 0, static_cast<int32_t>(n));
        }
    }
}

gboolean OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data)
{
    UsbFunction* f = static_cast<UsbFunction*>(data);
    std::lock_guard<std::mutex> hold(f->lock);
    const gulong request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    if (f->sim)
        SimTick(f->sim, SteadyClockMs());
    auto complete = [client](long result, int error) {
        umockdev_ioctl_client_complete(client, result, error);
        return TRUE;
    };
    const bool reap = request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY;
    if (f->unplugged && !reap)
        return complete(-1, ENODEV);
    switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
        UMockdevIoctlData* caps = umockdev_ioctl_data_resolve(arg, 0, 4, nullptr);
        uint32_t value = USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_NO_PACKET_SIZE_LIM |
                         USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
        umockdev_ioctl_data_update(caps, 0, reinterpret_cast<guint8*>(&value), 4);
        return complete(0, 0);
    }
    case USBDEVFS_GETDRIVER:
    case USBDEVFS_IOCTL:
        return complete(-1, ENODATA);  // no kernel driver holds an interface
    // The device's link to the program lasts while the bridge holds the interface.
    case USBDEVFS_CLAIMINTERFACE:
        if (f->sim && !SimConnect(f->sim, SteadyClockMs()))
            return complete(-1, EBUSY);
        return complete(0, 0);
    case USBDEVFS_RELEASEINTERFACE:
        if (f->sim)
            SimDisconnect(f->sim);
        return complete(0, 0);
    case USBDEVFS_SUBMITURB: {
        UMockdevIoctlData* urb = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
        if (!urb)
            return complete(-1, EFAULT);
        const usbdevfs_urb* x = reinterpret_cast<usbdevfs_urb*>(urb->data);
        UMockdevIoctlData* buffer =
            x->buffer_length > 0
                ? umockdev_ioctl_data_resolve(urb, offsetof(usbdevfs_urb, buffer),
                                              static_cast<gsize>(x->buffer_length), nullptr)
                : nullptr;
        g_object_ref(urb);
        if (buffer)
            g_object_ref(buffer);
        f->urbs.push_back({urb, buffer, 0});
        Progress(f);
        return complete(0, 0);
    }
    case USBDEVFS_DISCARDURB: {
        const gulong address = *reinterpret_cast<gulong*>(arg->data);
        for (UsbFunction::Urb& u : f->urbs) {
            if (u.urb->client_addr == address && !u.done) {
                Finish(u, -ENOENT, 0);
                return complete(0, 0);
            }
        }
        return complete(-1, EINVAL);
    }
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY: {
        Progress(f);
        for (auto u = f->urbs.begin(); u != f->urbs.end(); ++u) {
            if (!u->done)
                continue;
            UMockdevIoctlData* out = umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr);
            umockdev_ioctl_data_set_ptr(out, 0, u->urb);
            UsbFunction::Release(*u);
            f->urbs.erase(u);
            return complete(0, 0);
        }
        return complete(-1, f->unplugged ? ENODEV : EAGAIN);
    }
    default:
        return complete(-1, ENOTTY);
    }
}

struct Plugged {
    std::string sysPath;
    std::string node;
    UMockdevIoctlBase* handler = nullptr;
    std::unique_ptr<UsbFunction> function;
};

// umockdev's fake /sys and /dev, with the devices this test plugs in.
class EmulatedUsb {
public:
    EmulatedUsb() : testbed(umockdev_testbed_new()) {}
    ~EmulatedUsb()
    {
        for (auto& p : plugged)
            Remove(p.get());
        g_object_unref(testbed);
    }

    UsbFunction* Plug(uint8_t address, uint16_t vendor, uint16_t product, uint16_t release,
                      SimDevice* sim)
    {
        char name[32], node[64], number[8], devno[16];
        std::snprintf(name, sizeof name, "usb1-%u", address);
        std::snprintf(node, sizeof node, "/dev/bus/usb/001/%03u", address);
        std::snprintf(number, sizeof number, "%u\n", address);
        std::snprintf(devno, sizeof devno, "189:%u", address);
        gchar* root = umockdev_testbed_get_root_dir(testbed);
        const std::string base(root);
        g_free(root);
        // The descriptors are there before the device is announced: libusb reads them at once.
        const std::string dir = base + "/sys/devices/" + name;
        g_mkdir_with_parents(dir.c_str(), 0755);
        const std::vector<uint8_t> d = Descriptors(vendor, product, release);
        g_file_set_contents((dir + "/descriptors").c_str(), reinterpret_cast<const char*>(d.data()),
                            static_cast<gssize>(d.size()), nullptr);
        const std::string nodeDir = base + "/dev/bus/usb/001";
        g_mkdir_with_parents(nodeDir.c_str(), 0755);
        g_file_set_contents((base + node).c_str(), "", 0, nullptr);

        auto p = std::make_unique<Plugged>();
        p->node = node;
        p->function = std::make_unique<UsbFunction>();
        p->function->sim = sim;
        p->handler = umockdev_ioctl_base_new();
        g_signal_connect(p->handler, "handle-ioctl", G_CALLBACK(OnIoctl), p->function.get());
        EXPECT_TRUE(umockdev_testbed_attach_ioctl(testbed, node, p->handler, nullptr));
        const gchar* attributes[] = {
            "busnum", "1\n", "devnum", number, "speed", "480\n", "bConfigurationValue",
            "1\n",    "dev", devno,    nullptr};
        const gchar* properties[] = {"DEVNAME", node, "DEVTYPE", "usb_device", nullptr};
        gchar* sys = umockdev_testbed_add_devicev(testbed, "usb", name, nullptr,
                                                  const_cast<gchar**>(attributes),
                                                  const_cast<gchar**>(properties));
        p->sysPath = sys;
        g_free(sys);
        umockdev_testbed_uevent(testbed, p->sysPath.c_str(), "add");
        UsbFunction* f = p->function.get();
        plugged.push_back(std::move(p));
        return f;
    }

    // Pulls the device: its transfers end, its node and sysfs entry go, libusb hears of it.
    void Unplug(UsbFunction* f)
    {
        for (auto& p : plugged) {
            if (p->function.get() != f)
                continue;
            {
                std::lock_guard<std::mutex> hold(f->lock);
                f->unplugged = 1;
            }
            umockdev_testbed_uevent(testbed, p->sysPath.c_str(), "remove");
            Remove(p.get());
        }
    }

private:
    void Remove(Plugged* p)
    {
        if (!p->handler)
            return;
        umockdev_testbed_remove_device(testbed, p->sysPath.c_str());
        umockdev_testbed_detach_ioctl(testbed, p->node.c_str(), nullptr);
        g_object_unref(p->handler);
        p->handler = nullptr;
    }

    UMockdevTestbed* testbed;
    std::vector<std::unique_ptr<Plugged>> plugged;
};

// The bridge program under umockdev's preload library, its output read line by line.
class BridgeProcess {
public:
    explicit BridgeProcess(std::vector<std::string> args)
    {
        args.insert(args.begin(), BRIDGE_PROGRAM);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(&a[0]);
        argv.push_back(nullptr);
        // The native tree is built with AddressSanitizer, which would rather come first.
        std::vector<std::string> env = {"LD_PRELOAD=libumockdev-preload.so.0",
                                        "ASAN_OPTIONS=verify_asan_link_order=0"};
        for (char** e = environ; *e; e++)
            if (std::strncmp(*e, "LD_PRELOAD=", 11) && std::strncmp(*e, "ASAN_OPTIONS=", 13))
                env.push_back(*e);
        std::vector<char*> envp;
        for (std::string& e : env)
            envp.push_back(&e[0]);
        envp.push_back(nullptr);
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            dup2(out[1], 1);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        close(out[1]);
        reader = std::thread([this, fd = out[0]] {
            std::string partial;
            char buffer[512];
            ssize_t n;
            while ((n = read(fd, buffer, sizeof buffer)) > 0) {
                std::lock_guard<std::mutex> hold(lock);
                partial.append(buffer, static_cast<size_t>(n));
                for (size_t end; (end = partial.find('\n')) != std::string::npos;) {
                    lines.push_back(partial.substr(0, end));
                    partial.erase(0, end + 1);
                }
                added.notify_all();
            }
            close(fd);
            std::lock_guard<std::mutex> hold(lock);
            ended = true;
            added.notify_all();
        });
    }
    // Stops it as Ctrl+C does; its exit status.
    int Stop()
    {
        if (pid <= 0)
            return -1;
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        if (reader.joinable())
            reader.join();
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    // Waits for it to end by itself (--list); its exit status.
    int Wait()
    {
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        if (reader.joinable())
            reader.join();
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    ~BridgeProcess() { Stop(); }

    // The first line with `text`, waiting up to 20 s for it; "" when none came.
    std::string WaitFor(const std::string& text)
    {
        std::unique_lock<std::mutex> hold(lock);
        std::string found;
        added.wait_for(hold, std::chrono::seconds(20), [&] {
            for (const std::string& l : lines)
                if (l.find(text) != std::string::npos) {
                    found = l;
                    return true;
                }
            return ended;
        });
        return found;
    }
    // The port it listens on, once it says so; 0 when it never did.
    uint16_t Port()
    {
        const std::string line = WaitFor("listening on 127.0.0.1:");
        const size_t at = line.find("127.0.0.1:");
        return at == std::string::npos ? 0 : static_cast<uint16_t>(std::stoi(line.substr(at + 10)));
    }
    std::string Output()
    {
        std::lock_guard<std::mutex> hold(lock);
        std::string all;
        for (const std::string& l : lines)
            all += l + "\n";
        return all;
    }

private:
    pid_t pid = -1;
    std::thread reader;
    std::mutex lock;
    std::condition_variable added;
    std::vector<std::string> lines;
    bool ended = false;
};

class BridgeUsbTest : public LinkTest {
protected:
    void UseBridge(uint16_t port)
    {
        InitTcpBackend(&tcp, {{"127.0.0.1", port}});
        SetDeviceBackend(&tcp.backend);
    }
    // The device's items, read while its pipes are quiet.
    std::vector<uint8_t> ItemsOf(SimDevice* d, UsbFunction* f)
    {
        std::lock_guard<std::mutex> hold(f->lock);
        return std::vector<uint8_t>(d->items, d->items + DEVICE_IMAGE_SIZE);
    }

    EmulatedUsb usb;
    TcpBackend tcp;
};

std::unique_ptr<SimDevice> DemoDevice()
{
    auto d = std::make_unique<SimDevice>();
    SimInitDemo(d.get());
    d->capturePackets = 1;
    return d;
}

TEST_F(BridgeUsbTest, FindsTheDeviceByProductIdAndPassesItsDescriptorOn)
{
    auto device = DemoDevice();
    usb.Plug(2, 0x0A5F, FOREIGN_PRODUCT_ID, 0x0100, nullptr);
    UsbFunction* a3 = usb.Plug(5, 0x04F9, 0x2A03, 0x0102, device.get());
    a3->languageId = 0x0407;

    BridgeProcess list({"--list"});
    EXPECT_NE(list.WaitFor("bus 001 device 002  0a5f:1111  release 1.00  -"), "") << list.Output();
    EXPECT_NE(list.WaitFor("bus 001 device 005  04f9:2a03  release 1.02  served"), "")
        << list.Output();
    EXPECT_EQ(list.Wait(), 0) << list.Output();

    BridgeProcess bridge({"--port", "0"});
    const uint16_t port = bridge.Port();
    ASSERT_NE(port, 0) << bridge.Output();
    SocketHandle s = SocketConnect("127.0.0.1", port, 3000);
    uint8_t descriptor[8] = {};
    size_t got = 0;
    while (got < sizeof descriptor) {
        const int n = SocketReceive(s, descriptor + got, sizeof descriptor - got, 10000);
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    SocketClose(s);
    const std::vector<uint8_t> want = {0xF9, 0x04, 0x03, 0x2A, 0x02, 0x01, 0x07, 0x04};
    EXPECT_EQ(std::vector<uint8_t>(descriptor, descriptor + got), want)
        << "vendor, product, release and language of the device, each u16 little-endian";
    EXPECT_NE(bridge.WaitFor("device 04f9:2a03 (release 1.02) at bus 001 device 005: "
                             "interface 1, bulk out 0x01, bulk in 0x82"),
              "")
        << bridge.Output();
    EXPECT_EQ(bridge.Stop(), 0) << bridge.Output();
}

TEST_F(BridgeUsbTest, OnlyAForeignProductIdIsNoDevice)
{
    usb.Plug(2, 0x0A5F, FOREIGN_PRODUCT_ID, 0x0100, nullptr);
    BridgeProcess bridge({"--port", "0"});
    const uint16_t port = bridge.Port();
    ASSERT_NE(port, 0) << bridge.Output();
    UseBridge(port);
    EXPECT_EQ(CheckConnection(nullptr), 0);
    EXPECT_EQ(gMessages, std::vector<int>{IDS_OPEN_USB_FAILED});
    EXPECT_NE(bridge.WaitFor("no device with product id 2A02 or 2A03 (any vendor) is attached"), "")
        << bridge.Output();
    EXPECT_EQ(bridge.Stop(), 0) << bridge.Output();
}

TEST_F(BridgeUsbTest, DownloadAndUploadReachTheDeviceByteForByte)
{
    auto device = DemoDevice();
    UsbFunction* f = usb.Plug(4, 0x0A5F, 0x2A02, 0x0100, device.get());
    BridgeProcess bridge({"--port", "0"});
    const uint16_t port = bridge.Port();
    ASSERT_NE(port, 0) << bridge.Output();
    UseBridge(port);

    ASSERT_EQ(CheckConnection(nullptr), 1) << bridge.Output();
    ASSERT_EQ(BeginRemoteMode(), 1);
    ASSERT_EQ(DownloadDocument(gDocument, 30, nullptr), 1) << bridge.Output();
    const std::vector<uint8_t> items = ItemsOf(device.get(), f);
    for (int r = 0; r < ITEM_COUNT; r++) {
        const size_t at = static_cast<size_t>(r) * ITEM_RECORD_SIZE;
        ASSERT_EQ(ItemLength(gDocument.image, r), SimItemLength(device.get(), r)) << "record " << r;
        const uint32_t length = SimItemLength(device.get(), r);
        if (length == ITEM_ABSENT)
            continue;
        ASSERT_EQ(std::memcmp(gDocument.image.bytes + at + 8, items.data() + at + 8, length), 0)
            << "record " << r << " arrived changed";
    }

    std::memcpy(ImageItemValue(gDocument.image, 0x10C04), "Print Room\0\0\0\0\0\0", 16);
    SetImageItemLength(gDocument.image, 0x10C04, 10);
    const std::vector<uint8_t> sent(gDocument.image.bytes,
                                    gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1) << bridge.Output();
    DeviceClose();
    ASSERT_EQ(EndRemoteMode(), 1);
    EXPECT_TRUE(gMessages.empty());

    // The device has acted on the end of remote mode once the bridge's connection closed.
    const std::vector<uint8_t> after = ItemsOf(device.get(), f);
    EXPECT_EQ(device->commitCount, 1u);
    for (int r = 2; r < ITEM_COUNT; r++) {
        if (!IsRecordUploaded(sent.data(), r))
            continue;
        const size_t at = static_cast<size_t>(r) * ITEM_RECORD_SIZE;
        ASSERT_EQ(std::memcmp(sent.data() + at, after.data() + at, ITEM_RECORD_SIZE), 0)
            << "record " << r << " did not arrive as sent";
    }
    EXPECT_EQ(f->strayBytes, 0u) << "bytes went to the printer interface";
    EXPECT_EQ(bridge.Stop(), 0) << bridge.Output();
}

TEST_F(BridgeUsbTest, UnplugEndsTheConnectionAndTheDeviceIsFoundAgain)
{
    auto device = DemoDevice();
    UsbFunction* f = usb.Plug(4, 0x0A5F, 0x2A02, 0x0100, device.get());
    f->unplugAtCommand = 150;  // about half way through a download
    BridgeProcess bridge({"--port", "0"});
    const uint16_t port = bridge.Port();
    ASSERT_NE(port, 0) << bridge.Output();
    UseBridge(port);

    ASSERT_EQ(CheckConnection(nullptr), 1) << bridge.Output();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(DownloadDocument(gDocument, 30, nullptr), 0);
    // Not a timing assertion: only waiting for the read time-out would take this long.
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::seconds(TCP_READ_TIMEOUT_MS / 1000))
        << "the program waited for its time-out instead of seeing the connection end";
    DeviceClose();
    usb.Unplug(f);
    EXPECT_NE(bridge.WaitFor("ended: the device was unplugged"), "") << bridge.Output();

    // Plugged in again (a new address, as the kernel gives): found without a restart, once
    // libusb has heard of it.
    auto again = DemoDevice();
    usb.Plug(7, 0x0A5F, 0x2A02, 0x0100, again.get());
    int connected = 0;
    for (int i = 0; i < 100 && !connected; i++) {
        gMessages.clear();
        connected = CheckConnection(nullptr);
        if (!connected)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_EQ(connected, 1) << bridge.Output();
    EXPECT_EQ(DownloadDocument(gDocument, 30, nullptr), 1) << bridge.Output();
    DeviceClose();
    EXPECT_NE(bridge.WaitFor("at bus 001 device 007"), "") << bridge.Output();
    EXPECT_EQ(bridge.Stop(), 0) << bridge.Output();
}

}  // namespace

// umockdev's testbed tells a program of devices plugged in and out only from inside its preload
// library, so the test runs under it as well as the bridge.
int main(int argc, char** argv)
{
    const char* preload = getenv("LD_PRELOAD");
    if (!preload || !std::strstr(preload, "libumockdev-preload")) {
        std::string asan = "verify_asan_link_order=0";
        if (const char* given = getenv("ASAN_OPTIONS"))
            asan += std::string(":") + given;
        setenv("ASAN_OPTIONS", asan.c_str(), 1);
        setenv("LD_PRELOAD", "libumockdev-preload.so.0", 1);
        execv("/proc/self/exe", argv);
        std::perror("bridge_usb_test: cannot start under umockdev's preload library");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
