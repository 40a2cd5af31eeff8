// The bridge's USB side on libusb-1.0: Linux's usbfs, so the user needs access to the device's
// node (the udev rule in packaging/ gives it to the logged-in user).
#pragma once

#include "bridge/usb_port.h"

struct libusb_context;
struct libusb_device_handle;

struct LibusbPort {
    UsbPort port;  // its context is this record
    libusb_context* context;
    libusb_device_handle* handle;
    int interfaceNumber;
    uint8_t outEndpoint;
    uint8_t inEndpoint;
    uint16_t inPacketSize;
};

// 1, or 0 with the reason in `why` when libusb cannot start.
int InitLibusbPort(LibusbPort* usb, char* why, size_t whySize);
void CloseLibusbPort(LibusbPort* usb);
