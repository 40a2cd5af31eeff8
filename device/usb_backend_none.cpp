// Platforms without the still-image driver have no USB device to open.
#include "device/device_backends.h"

const DeviceBackend* UsbscanBackend() { return NoDeviceBackend(); }
