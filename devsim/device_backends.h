// The choice of what a device number opens, made once at start-up from MORAVEL_DEVICE:
//   unset                       the still-image driver's "\\.\Usbscan%d" files (Windows build)
//   sim  or  sim:PATH           the in-process simulated device at number 0, its state kept in
//                               the setting data file PATH when given
//   tcp:HOST:PORT[,HOST:PORT...] the device at the N-th endpoint of the list (at most 15)
// Anything else opens no device at all, so every connection attempt fails as "Opening USB port
// has failed." instead of reaching a device the user did not mean. The choice lives here, above
// device/, because one of the backends it chooses is the simulated device.
#pragma once

#include <string>
#include <vector>

#include "device/device_transport.h"
#include "device/tcp_backend.h"
#include "device/usb_backend.h"

enum DeviceBackendKind : int {
    BACKEND_INVALID = -1,
    BACKEND_USB = 0,
    BACKEND_SIM = 1,
    BACKEND_TCP = 2,
};

struct DeviceChoice {
    int kind;
    std::string simPath;                 // BACKEND_SIM: empty for plain "sim"
    std::vector<TcpEndpoint> endpoints;  // BACKEND_TCP
};

// Reads a MORAVEL_DEVICE text (nullptr or empty: unset). 1, or 0 with kind BACKEND_INVALID.
int ParseDeviceChoice(const char* text, DeviceChoice* choice);

// The backend for a MORAVEL_DEVICE text; never nullptr (a text it cannot use gives a backend
// with no devices). The TCP and sim backends it returns are process-wide and rebuilt by each
// call.
const DeviceBackend* SelectDeviceBackend(const char* text);
const DeviceBackend* SelectDeviceBackendFromEnvironment();

// The name of the lock that keeps two programs off the same devices (device/device_lock_win.h)
// for a MORAVEL_DEVICE text: one per USB bus, per sim state file and per TCP list. "" when no
// other program can reach the device (plain "sim", a text that opens nothing).
std::string DeviceLockName(const char* text);
