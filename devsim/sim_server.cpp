// The devsim connection loop.
#include "devsim/sim_server.h"

#include <chrono>
#include <thread>

#include "devsim/sim_backend.h"

namespace {

constexpr int POLL_MS = 50;
constexpr int SEND_TIMEOUT_MS = 5000;

void SendReplies(SimServer* server, SocketHandle s)
{
    uint8_t buffer[4096];
    if (server->device->output.empty())
        return;
    if (server->latencyMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(server->latencyMs));
    while (size_t n = SimTakeOutput(server->device, buffer, sizeof buffer))
        if (!SocketSendAll(s, buffer, n, SEND_TIMEOUT_MS))
            return;
}

void Serve(SimServer* server, SocketHandle s)
{
    SimDevice* d = server->device;
    uint8_t descriptor[8];
    SimDescriptor(d, descriptor);
    if (!SocketSendAll(s, descriptor, sizeof descriptor, SEND_TIMEOUT_MS))
        return;
    uint8_t buffer[4096];
    for (;;) {
        int n = SocketReceive(s, buffer, sizeof buffer, POLL_MS);
        const uint64_t now = server->clock();
        // A stop takes effect only once the connection is quiet: whatever the program had
        // written before is still acted on.
        if (n == SOCKET_TIMED_OUT) {
            if (server->stopRequested.load())
                return;
            SimTick(d, now);
            continue;
        }
        if (n <= 0)
            return;
        const uint32_t commits = d->commitCount;
        SimReceive(d, buffer, static_cast<size_t>(n), now);
        if (d->commitCount != commits && server->afterCommit)
            server->afterCommit(server->context, d);
        SendReplies(server, s);
        if (!d->linkUp)
            return;
    }
}

}  // namespace

int SimServerOpen(SimServer* server, SimDevice* device, const char* host, uint16_t port)
{
    server->device = device;
    server->port = 0;
    server->latencyMs = 0;
    server->clock = SteadyClockMs;
    server->afterCommit = nullptr;
    server->context = nullptr;
    server->stopRequested.store(0);
    server->connections = 0;
    server->listener = SocketListen(host, port, &server->port);
    return server->listener != SOCKET_NONE ? 1 : 0;
}

void SimServerRun(SimServer* server)
{
    SimDevice* d = server->device;
    while (!server->stopRequested.load()) {
        SimTick(d, server->clock());
        SocketHandle s = SocketAccept(server->listener, POLL_MS * 2);
        if (s == SOCKET_NONE)
            continue;
        server->connections++;
        if (SimConnect(d, server->clock())) {
            Serve(server, s);
            SimDisconnect(d);
        }
        SocketClose(s);
    }
}

void SimServerStop(SimServer* server) { server->stopRequested.store(1); }

void SimServerClose(SimServer* server)
{
    SocketClose(server->listener);
    server->listener = SOCKET_NONE;
}
