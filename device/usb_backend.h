// The still-image driver's backend: device number N opens the driver's "\\.\UsbscanN" files.
// Built on Windows (usb_backend_win.cpp); elsewhere (usb_backend_none.cpp) it opens nothing.
#pragma once

#include "device/device_transport.h"

const DeviceBackend* UsbscanBackend();
