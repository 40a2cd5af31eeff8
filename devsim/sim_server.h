// The simulated device on a TCP port, speaking the link contract of the TCP backend: on every
// connection it first sends its 8-byte descriptor, then takes command bytes and sends replies.
// One connection at a time, as one device serves one program. While the device restarts it
// closes every connection at once.
#pragma once

#include <atomic>
#include <cstdint>

#include "device/socket_link.h"
#include "devsim/sim_device.h"

struct SimServer {
    SimDevice* device;
    SocketHandle listener;
    uint16_t port;        // the bound port (useful with port 0)
    int latencyMs;        // added before every batch of replies
    uint64_t (*clock)();  // milliseconds
    // Called on the server's thread after each commit the device applied (to keep its state).
    void (*afterCommit)(void* context, SimDevice* device);
    void* context;
    std::atomic<int> stopRequested;
    uint32_t connections;
};

// Listens on host:port for `device`; 1, or 0 when the port cannot be had.
int SimServerOpen(SimServer* server, SimDevice* device, const char* host, uint16_t port);
// Serves connections until SimServerStop; returns within about 100 ms of it.
void SimServerRun(SimServer* server);
// Safe from any thread.
void SimServerStop(SimServer* server);
void SimServerClose(SimServer* server);
