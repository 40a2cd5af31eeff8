// A devsim server on its own thread on 127.0.0.1 (a free port), for tests that reach simulated
// devices over TCP: in process, or from a program the test starts.
#pragma once

#include <memory>
#include <thread>

#include "devsim/sim_demo.h"
#include "devsim/sim_server.h"

struct RunningServer {
    std::unique_ptr<SimDevice> device;
    SimServer server;
    std::thread thread;

    explicit RunningServer(void (*configure)(SimDevice*) = nullptr) : device(new SimDevice)
    {
        SimInitDemo(device.get());
        device->capturePackets = 1;
        if (configure)
            configure(device.get());
        ok = SimServerOpen(&server, device.get(), "127.0.0.1", 0);
        if (ok)
            thread = std::thread(SimServerRun, &server);
    }
    // Stops the server; only then may the test look at the device.
    void Stop()
    {
        if (thread.joinable()) {
            SimServerStop(&server);
            thread.join();
            SimServerClose(&server);
        }
    }
    ~RunningServer() { Stop(); }
    int ok = 0;
};
