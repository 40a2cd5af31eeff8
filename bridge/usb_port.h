// The bridge's view of USB: which devices are attached, and the two bulk pipes of the one it
// opened. usb_port_libusb.cpp implements it on libusb; the tests put a simulated device behind
// it. Reads and writes may run at the same time from two threads (replies flow while commands
// are written); every call returns within its time-out.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int USB_LIST_MAX = 128;

struct UsbDeviceInfo {
    uint8_t bus;
    uint8_t address;
    uint16_t vendorId;
    uint16_t productId;
    uint16_t release;  // bcdDevice
};

// What an opened device told about itself, for the descriptor and the log.
struct UsbOpened {
    uint16_t languageId;  // the first language of its strings; 0 when it has no strings
    int interfaceNumber;
    uint8_t outEndpoint;
    uint8_t inEndpoint;
};

enum : int { USB_OK = 1, USB_TIMED_OUT = 0, USB_GONE = -1, USB_FAILED = -2 };

struct UsbPort {
    void* context;
    // Fills up to `capacity` entries with the attached devices; how many, or -1 when USB
    // cannot be asked at all.
    int (*list)(void* context, UsbDeviceInfo* devices, int capacity);
    // Opens the device at `device`'s bus and address and claims interface `interfaceNumber`
    // (-1: the one that has a bulk-out and a bulk-in endpoint, a vendor-specific one first).
    // USB_OK with `opened` filled; USB_GONE when it is no longer there; USB_FAILED with the
    // reason, for the user, in `why`.
    int (*open)(void* context, const UsbDeviceInfo* device, int interfaceNumber, UsbOpened* opened,
                char* why, size_t whySize);
    // Sends all `count` bytes to the bulk-out endpoint: USB_OK, USB_TIMED_OUT when the device
    // took them not within timeoutMs, USB_GONE, USB_FAILED.
    int (*write)(void* context, const uint8_t* bytes, uint32_t count, int timeoutMs);
    // Waits up to timeoutMs for the device's next bytes (at most `capacity`): USB_OK with *got
    // > 0, USB_TIMED_OUT with *got 0, USB_GONE, USB_FAILED.
    int (*read)(void* context, uint8_t* buffer, uint32_t capacity, uint32_t* got, int timeoutMs);
    // Releases the interface and closes the device; harmless when nothing is open.
    void (*close)(void* context);
};
