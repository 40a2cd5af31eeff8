// The bridge between Moravel's TCP device link and a device on a USB port: on each connection it
// finds the device, sends its 8-byte descriptor as the link contract asks, and then passes bytes
// both ways unchanged until either side ends. One connection at a time, as one device serves
// one program; the device is looked for afresh on every connection, so one that was unplugged
// and plugged in again is simply found again.
#pragma once

#include <atomic>
#include <cstdint>

#include "bridge/usb_port.h"
#include "device/socket_link.h"

constexpr uint16_t BRIDGE_DEFAULT_PORT = 9360;
// The product ids of the A4 and A3 model profiles.
constexpr uint16_t BRIDGE_DEFAULT_PRODUCT_IDS[] = {0x2A02, 0x2A03};
constexpr int BRIDGE_PRODUCT_ID_MAX = 16;
// As long as the program waits for a reply: a device that leaves the program's last bytes
// unanswered this long ends the connection, as the program's own read time-out would.
constexpr int BRIDGE_REPLY_TIMEOUT_MS = 5000;

struct BridgeMatch {
    int vendorId;  // -1: any vendor (the program itself never checks it)
    uint16_t productIds[BRIDGE_PRODUCT_ID_MAX];
    int productIdCount;
    int interfaceNumber;  // -1: chosen by the USB side
};

// Any vendor, the default product ids, the interface chosen automatically.
void DefaultBridgeMatch(BridgeMatch* match);
int DeviceMatches(const BridgeMatch* match, const UsbDeviceInfo* device);
// The matching device with the lowest bus and address, so the choice does not depend on the
// order USB lists them in; its index, or -1.
int ChooseDevice(const BridgeMatch* match, const UsbDeviceInfo* devices, int count);
// "product id 2A02 or 2A03 (any vendor)", for log lines.
void DescribeMatch(const BridgeMatch* match, char* out, size_t size);
// The descriptor of the link contract: vendor id, product id, release, language id, each u16
// little-endian, as the still-image driver reports them.
void BuildDescriptor(const UsbDeviceInfo* device, uint16_t languageId, uint8_t* descriptor);

typedef void (*BridgeLogFunction)(void* context, const char* line);

struct Bridge {
    const UsbPort* usb;
    BridgeMatch match;
    SocketHandle listener;
    uint16_t port;       // the bound port (useful with port 0)
    int replyTimeoutMs;  // BRIDGE_REPLY_TIMEOUT_MS; tests shorten it
    int verbose;         // a log line for every connection
    BridgeLogFunction log;
    void* logContext;
    std::atomic<int> stopRequested;

    // What happened, for the log's state changes and for tests.
    uint32_t connections;  // accepted
    uint32_t served;       // that reached a device
    uint32_t waitingSeen;  // connections noticed waiting while another was served
    int deviceSeen;        // 1 while the last connection found a device
    UsbDeviceInfo lastDevice;
};

// Listens on host:port; 1, or 0 when the port cannot be had.
int BridgeOpen(Bridge* bridge, const UsbPort* usb, const BridgeMatch* match, const char* host,
               uint16_t port);
// Serves connections one after the other until BridgeStop; returns within about 200 ms of it.
void BridgeRun(Bridge* bridge);
// Safe from any thread and from a signal handler.
void BridgeStop(Bridge* bridge);
void BridgeClose(Bridge* bridge);
