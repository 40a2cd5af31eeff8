// The simulated-device backend: device numbers served by in-process SimDevice models. The
// `sim` choice of MORAVEL_DEVICE is one of these with a single device at number 0; tests build
// their own with several devices, faults and a clock they move themselves.
#pragma once

#include <cstdint>
#include <string>

#include "device/device_transport.h"
#include "devsim/sim_device.h"

struct SimBackend {
    DeviceBackend backend;  // what SetDeviceBackend takes; its context is this record
    SimDevice* devices[DEVICE_NUMBER_COUNT];  // nullptr: nothing at that number
    uint8_t pipeOpen[DEVICE_NUMBER_COUNT][2];
    uint64_t (*clock)();  // milliseconds; a steady clock unless a test sets its own
    // When not empty, a device's items are written to this setting data file after every
    // commit (device 0 only).
    std::string statePath;
    uint32_t savedCommitCount;
};

// Sets `sim` up with no devices, the steady clock, no state file.
void InitSimBackend(SimBackend* sim);

// The `sim` / `sim:PATH` backend: one demo device at number 0. With a path, the device's items
// are loaded from that setting data file when it exists, and written there after every commit;
// a missing file starts from the demo content. A file that exists but cannot be read as one
// (too large, unreadable) is never overwritten: the device then runs on the demo content.
const DeviceBackend* BuiltInSimBackend(const char* statePath);
// The built-in device, for tests and the bench to set faults on; nullptr before the backend
// was chosen.
SimDevice* BuiltInSimDevice();

uint64_t SteadyClockMs();
