// The demo device every simulated device starts as: options, counters, name, settings and a
// handful of Quick Dial, Speed Dial and group entries.
#pragma once

#include "devsim/sim_device.h"

// Fills the items with the demo device's.
void SimLoadDemoContent(SimDevice* device);
// SimInit, then the demo content: a device ready to be talked to.
void SimInitDemo(SimDevice* device);
