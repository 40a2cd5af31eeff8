// The bridge's command line, parsed apart from the program so every mistake has a tested
// message.
#pragma once

#include <cstddef>
#include <cstdint>

#include "bridge/bridge_core.h"

struct BridgeOptions {
    BridgeMatch match;
    uint16_t port;
    int list;  // --list: print the devices and exit
    int verbose;
};

extern const char BRIDGE_USAGE[];

// 1 to run, 0 for --help, -1 for a mistake, described in `error` for the user.
int ParseBridgeOptions(int argc, const char* const* argv, BridgeOptions* options, char* error,
                       size_t errorSize);
