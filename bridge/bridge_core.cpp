// The bridge's connection loop: the device search, the descriptor, and the two byte pumps.
#include "bridge/bridge_core.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include <poll.h>

#include "device/byte_order.h"
#include "device/device_transport.h"

namespace {

constexpr int ACCEPT_SLICE_MS = 200;
// How often each pump looks up from its wait to see whether the connection is ending.
constexpr int RECEIVE_SLICE_MS = 50;
constexpr int READ_SLICE_MS = 200;
constexpr int SEND_TIMEOUT_MS = 5000;
constexpr uint32_t BUFFER_SIZE = 4096;

uint64_t NowMs()
{
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

void Log(Bridge* b, const char* format, ...) __attribute__((format(printf, 2, 3)));

void Log(Bridge* b, const char* format, ...)
{
    if (!b->log)
        return;
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    b->log(b->logContext, line);
}

void DescribeDevice(const UsbDeviceInfo* d, char* out, size_t size)
{
    std::snprintf(out, size, "%04x:%04x (release %x.%02x) at bus %03u device %03u", d->vendorId,
                  d->productId, d->release >> 8, d->release & 0xFF, d->bus, d->address);
}

int SameDevice(const UsbDeviceInfo* a, const UsbDeviceInfo* b)
{
    return a->bus == b->bus && a->address == b->address && a->vendorId == b->vendorId &&
           a->productId == b->productId;
}

// One served connection: the socket, the device's pipes, and why it ended.
struct Connection {
    Bridge* bridge;
    SocketHandle socket;
    std::atomic<int> ending{0};
    // When the program's last bytes went to the device with nothing come back since; 0 when
    // nothing is outstanding.
    std::atomic<uint64_t> awaitingSinceMs{0};
    std::atomic<uint64_t> toDevice{0};
    std::atomic<uint64_t> fromDevice{0};
    std::mutex reasonLock;
    char reason[160] = "";
    int deviceGone = 0;
};

// The first reason wins: the other pump only follows.
void End(Connection* c, const char* reason, int deviceGone = 0)
{
    std::lock_guard<std::mutex> hold(c->reasonLock);
    if (c->ending.load())
        return;
    std::snprintf(c->reason, sizeof c->reason, "%s", reason);
    c->deviceGone = deviceGone;
    c->ending.store(1);
}

void EndForUsb(Connection* c, int result, const char* what)
{
    char reason[160];
    if (result == USB_GONE) {
        End(c, "the device was unplugged", 1);
    } else if (result == USB_TIMED_OUT) {
        std::snprintf(reason, sizeof reason, "the device took no bytes for %d ms",
                      c->bridge->replyTimeoutMs);
        End(c, reason);
    } else {
        std::snprintf(reason, sizeof reason, "USB %s failed", what);
        End(c, reason);
    }
}

// Device to program. Replies go out as soon as any bytes come, so the program never waits on
// the bridge for the rest of a reply.
void PumpReplies(Connection* c)
{
    const UsbPort* usb = c->bridge->usb;
    uint8_t buffer[BUFFER_SIZE];
    while (!c->ending.load()) {
        uint32_t got = 0;
        const int r = usb->read(usb->context, buffer, sizeof buffer, &got, READ_SLICE_MS);
        if (got > 0) {
            // Cleared before the program can see the reply, so its next bytes always count.
            c->awaitingSinceMs.store(0);
            if (!SocketSendAll(c->socket, buffer, got, SEND_TIMEOUT_MS)) {
                End(c, "the program stopped taking the device's bytes");
                return;
            }
            c->fromDevice += got;
        }
        if (r == USB_GONE || r == USB_FAILED) {
            EndForUsb(c, r, "read");
            return;
        }
    }
}

int ConnectionWaiting(Bridge* b)
{
    pollfd p = {static_cast<int>(b->listener), POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

// Program to device, until either side ends the connection.
void PumpCommands(Connection* c)
{
    Bridge* b = c->bridge;
    const UsbPort* usb = b->usb;
    uint8_t buffer[BUFFER_SIZE];
    int waitingNoted = 0;
    while (!c->ending.load()) {
        const int n = SocketReceive(c->socket, buffer, sizeof buffer, RECEIVE_SLICE_MS);
        if (n > 0) {
            c->awaitingSinceMs.store(NowMs());
            const int r =
                usb->write(usb->context, buffer, static_cast<uint32_t>(n), b->replyTimeoutMs);
            if (r != USB_OK) {
                EndForUsb(c, r, "write");
                return;
            }
            c->toDevice += static_cast<uint64_t>(n);
            continue;
        }
        if (n != SOCKET_TIMED_OUT) {
            End(c, "the program closed the connection");
            return;
        }
        const uint64_t since = c->awaitingSinceMs.load();
        if (since != 0 && NowMs() - since >= static_cast<uint64_t>(b->replyTimeoutMs)) {
            char reason[160];
            std::snprintf(reason, sizeof reason,
                          "nothing came from the device for %d ms after the program's last "
                          "bytes",
                          b->replyTimeoutMs);
            End(c, reason);
            return;
        }
        if (b->stopRequested.load()) {
            End(c, "the bridge is stopping");
            return;
        }
        // Noticed only while this connection is quiet: a program that closed and connected
        // again shows its close first.
        if (!waitingNoted && ConnectionWaiting(b)) {
            waitingNoted = 1;
            b->waitingSeen++;
            Log(b, "another connection waits until this one ends (one program at a time)");
        }
    }
}

// The device for a new connection, opened; 1, or 0 with the reason logged.
int OpenDevice(Bridge* b, UsbDeviceInfo* device, UsbOpened* opened)
{
    UsbDeviceInfo devices[USB_LIST_MAX];
    const int count = b->usb->list(b->usb->context, devices, USB_LIST_MAX);
    char match[160];
    DescribeMatch(&b->match, match, sizeof match);
    if (count < 0) {
        Log(b, "USB cannot be searched: connection closed");
        return 0;
    }
    const int chosen = ChooseDevice(&b->match, devices, count);
    if (chosen < 0) {
        if (b->deviceSeen)
            Log(b, "the device is gone");
        b->deviceSeen = 0;
        Log(b, "no device with %s is attached: connection closed", match);
        return 0;
    }
    *device = devices[chosen];
    char what[120];
    DescribeDevice(device, what, sizeof what);
    char why[200] = "";
    const int r =
        b->usb->open(b->usb->context, device, b->match.interfaceNumber, opened, why, sizeof why);
    if (r != USB_OK) {
        Log(b, "device %s cannot be opened: %s; connection closed", what,
            r == USB_GONE ? "it was unplugged" : why);
        return 0;
    }
    if (!b->deviceSeen || !SameDevice(device, &b->lastDevice))
        Log(b, "device %s: interface %d, bulk out 0x%02x, bulk in 0x%02x", what,
            opened->interfaceNumber, opened->outEndpoint, opened->inEndpoint);
    b->deviceSeen = 1;
    b->lastDevice = *device;
    return 1;
}

void Serve(Bridge* b, SocketHandle s, uint32_t number)
{
    UsbDeviceInfo device = {};
    UsbOpened opened = {};
    if (!OpenDevice(b, &device, &opened))
        return;
    uint8_t descriptor[DESCRIPTOR_SIZE];
    BuildDescriptor(&device, opened.languageId, descriptor);
    if (!SocketSendAll(s, descriptor, sizeof descriptor, SEND_TIMEOUT_MS)) {
        b->usb->close(b->usb->context);
        return;
    }
    b->served++;
    if (b->verbose)
        Log(b, "connection %u: serving", number);

    Connection c;
    c.bridge = b;
    c.socket = s;
    std::thread replies(PumpReplies, &c);
    PumpCommands(&c);
    replies.join();
    b->usb->close(b->usb->context);

    if (c.deviceGone) {
        b->deviceSeen = 0;
        Log(b, "connection %u ended: the device was unplugged", number);
    } else if (b->verbose || std::strncmp(c.reason, "the program closed", 18) != 0) {
        Log(b, "connection %u ended: %s (%llu bytes to the device, %llu from it)", number, c.reason,
            static_cast<unsigned long long>(c.toDevice.load()),
            static_cast<unsigned long long>(c.fromDevice.load()));
    }
}

}  // namespace

void DefaultBridgeMatch(BridgeMatch* match)
{
    *match = {};
    match->vendorId = -1;
    for (uint16_t id : BRIDGE_DEFAULT_PRODUCT_IDS)
        match->productIds[match->productIdCount++] = id;
    match->interfaceNumber = -1;
}

int DeviceMatches(const BridgeMatch* match, const UsbDeviceInfo* device)
{
    if (match->vendorId >= 0 && device->vendorId != match->vendorId)
        return 0;
    for (int i = 0; i < match->productIdCount && i < BRIDGE_PRODUCT_ID_MAX; i++)
        if (match->productIds[i] == device->productId)
            return 1;
    return 0;
}

int ChooseDevice(const BridgeMatch* match, const UsbDeviceInfo* devices, int count)
{
    int chosen = -1;
    for (int i = 0; i < count; i++) {
        if (!DeviceMatches(match, &devices[i]))
            continue;
        const UsbDeviceInfo& d = devices[i];
        if (chosen < 0 || d.bus < devices[chosen].bus ||
            (d.bus == devices[chosen].bus && d.address < devices[chosen].address))
            chosen = i;
    }
    return chosen;
}

void DescribeMatch(const BridgeMatch* match, char* out, size_t size)
{
    size_t used = static_cast<size_t>(std::snprintf(out, size, "product id "));
    for (int i = 0; i < match->productIdCount && used < size; i++) {
        const char* joint = i == 0 ? "" : i + 1 == match->productIdCount ? " or " : ", ";
        used += static_cast<size_t>(
            std::snprintf(out + used, size - used, "%s%04X", joint, match->productIds[i]));
    }
    if (used >= size)
        return;
    if (match->vendorId < 0)
        std::snprintf(out + used, size - used, " (any vendor)");
    else
        std::snprintf(out + used, size - used, " of vendor %04X", match->vendorId);
}

void BuildDescriptor(const UsbDeviceInfo* device, uint16_t languageId, uint8_t* descriptor)
{
    WriteU16Le(descriptor + 0, device->vendorId);
    WriteU16Le(descriptor + DESCRIPTOR_PRODUCT_OFFSET, device->productId);
    WriteU16Le(descriptor + 4, device->release);
    WriteU16Le(descriptor + 6, languageId);
}

int BridgeOpen(Bridge* bridge, const UsbPort* usb, const BridgeMatch* match, const char* host,
               uint16_t port)
{
    bridge->usb = usb;
    bridge->match = *match;
    bridge->port = 0;
    bridge->replyTimeoutMs = BRIDGE_REPLY_TIMEOUT_MS;
    bridge->verbose = 0;
    bridge->stopRequested.store(0);
    bridge->connections = 0;
    bridge->served = 0;
    bridge->waitingSeen = 0;
    bridge->deviceSeen = 0;
    bridge->lastDevice = {};
    bridge->listener = SocketListen(host, port, &bridge->port);
    return bridge->listener != SOCKET_NONE ? 1 : 0;
}

void BridgeRun(Bridge* bridge)
{
    while (!bridge->stopRequested.load()) {
        SocketHandle s = SocketAccept(bridge->listener, ACCEPT_SLICE_MS);
        if (s == SOCKET_NONE)
            continue;
        Serve(bridge, s, ++bridge->connections);
        SocketClose(s);
    }
}

void BridgeStop(Bridge* bridge) { bridge->stopRequested.store(1); }

void BridgeClose(Bridge* bridge)
{
    SocketClose(bridge->listener);
    bridge->listener = SOCKET_NONE;
}
