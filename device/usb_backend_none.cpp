// Platforms without the still-image driver have no USB device to open.
#include "device/usb_backend.h"

const DeviceBackend* UsbscanBackend() { return NoDeviceBackend(); }
