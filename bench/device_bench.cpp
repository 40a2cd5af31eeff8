// Download and upload through the simulated device, with a fixed latency added to every
// transfer (each pipe read or write), as a slow USB link would. Reports wall time against the
// protocol's own minimum (transfers x latency), and the CPU time spent per record, measured in a
// second pass without the added latency so that the sleeping itself is not counted; in process
// and over TCP on 127.0.0.1 against a devsim server (whose thread's CPU time is included).
//
//   device_bench [--latency-us N] [--runs N] [--no-tcp]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <thread>

#include "app/app_state.h"
#include "device/device_image.h"
#include "device/device_transfer.h"
#include "device/device_transport.h"
#include "device/sim_backend.h"
#include "device/tcp_backend.h"
#include "devsim/sim_server.h"

namespace {

// Wraps a backend: sleeps `latencyUs` before every read and write and counts them.
struct SlowBackend {
    DeviceBackend backend;
    const DeviceBackend* inner;
    int latencyUs;
    long transfers;
};

SlowBackend* Slow(void* c) { return static_cast<SlowBackend*>(c); }

void Wait(SlowBackend* s)
{
    s->transfers++;
    if (s->latencyUs > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(s->latencyUs));
}

void InitSlowBackend(SlowBackend* s, const DeviceBackend* inner, int latencyUs)
{
    s->inner = inner;
    s->latencyUs = latencyUs;
    s->transfers = 0;
    s->backend = {
        "slow",
        s,
        [](void* c, int device, int pipe, PipeHandle* h) {
            return Slow(c)->inner->openPipe(Slow(c)->inner->context, device, pipe, h);
        },
        [](void* c, PipeHandle h, uint8_t* d) {
            return Slow(c)->inner->readDescriptor(Slow(c)->inner->context, h, d);
        },
        [](void* c, PipeHandle h, uint8_t* b, uint32_t n, uint32_t* done) {
            Wait(Slow(c));
            return Slow(c)->inner->read(Slow(c)->inner->context, h, b, n, done);
        },
        [](void* c, PipeHandle h, const uint8_t* b, uint32_t n, uint32_t* done) {
            Wait(Slow(c));
            return Slow(c)->inner->write(Slow(c)->inner->context, h, b, n, done);
        },
        [](void* c, PipeHandle h) { Slow(c)->inner->closePipe(Slow(c)->inner->context, h); },
    };
}

struct Figures {
    double wallMs;
    double cpuMs;
    long transfers;
    int failures;
};

// Runs `runs` transfers of one direction; the open (search and handshake) is done first and
// not counted, as the program's transfers find the pipes open after the connection check.
Figures Measure(SlowBackend* slow, bool upload, int runs)
{
    Figures f = {0, 0, 0, 0};
    for (int i = 0; i < runs; i++) {
        DeviceOpen();
        slow->transfers = 0;
        const auto wall = std::chrono::steady_clock::now();
        const std::clock_t cpu = std::clock();
        int ok =
            upload ? UploadImage(&gDeviceImage, nullptr) : DownloadImage(&gDeviceImage, nullptr);
        f.cpuMs += 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        f.wallMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall)
                .count();
        f.transfers += slow->transfers;
        f.failures += ok ? 0 : 1;
    }
    return f;
}

void Report(const char* link, const char* direction, const Figures& f, const Figures& cpu, int runs,
            int latencyUs)
{
    const double transfers = static_cast<double>(f.transfers) / runs;
    const double wall = f.wallMs / runs;
    const double minimum = transfers * latencyUs / 1000.0;
    char ratio[32] = "n/a";
    if (minimum > 0)
        std::snprintf(ratio, sizeof ratio, "%.3f", wall / minimum);
    std::printf("%-8s %-9s %8.0f %10.1f %10.1f %8s %12.1f%s\n", link, direction, transfers, wall,
                minimum, ratio, 1000.0 * cpu.cpuMs / runs / ITEM_COUNT,
                f.failures || cpu.failures ? "  (FAILED runs)" : "");
}

void Run(const char* link, const DeviceBackend* inner, int latencyUs, int runs)
{
    SlowBackend slow;
    InitSlowBackend(&slow, inner, latencyUs);
    SetDeviceBackend(&slow.backend);
    ResetDeviceImage();
    const Figures download = Measure(&slow, false, runs);
    const Figures upload = Measure(&slow, true, runs);
    slow.latencyUs = 0;
    const Figures downloadCpu = Measure(&slow, false, runs);
    const Figures uploadCpu = Measure(&slow, true, runs);
    Report(link, "download", download, downloadCpu, runs, latencyUs);
    Report(link, "upload", upload, uploadCpu, runs, latencyUs);
    SetDeviceBackend(nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    int latencyUs = 500;
    int runs = 3;
    bool tcp = true;
    for (int i = 1; i < argc; i++) {
        if (!std::strcmp(argv[i], "--latency-us") && i + 1 < argc)
            latencyUs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--no-tcp"))
            tcp = false;
        else {
            std::fprintf(stderr, "usage: device_bench [--latency-us N] [--runs N] [--no-tcp]\n");
            return 2;
        }
    }
    if (latencyUs < 0 || runs < 1) {
        std::fprintf(stderr, "device_bench: latency must be >= 0 and runs >= 1\n");
        return 2;
    }

    ResetAppState(&gApp);
    ApplyModelProfile(&gApp, "A4ZRPQ 2A02");
    SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
    CreateDeviceImage();
    SetUploadDumpPath(nullptr);

    std::printf("device link: %d records, %d us per transfer, mean of %d runs\n", ITEM_COUNT,
                latencyUs, runs);
    std::printf("%-8s %-9s %8s %10s %10s %8s %12s\n", "link", "transfer", "transfers", "wall ms",
                "min ms", "ratio", "cpu us/rec");

    std::unique_ptr<SimDevice> device(new SimDevice);
    SimInit(device.get());
    std::unique_ptr<SimBackend> sim(new SimBackend);
    InitSimBackend(sim.get());
    sim->devices[0] = device.get();
    Run("sim", &sim->backend, latencyUs, runs);

    if (tcp) {
        std::unique_ptr<SimDevice> remote(new SimDevice);
        SimInit(remote.get());
        static SimServer server;
        if (!SimServerOpen(&server, remote.get(), "127.0.0.1", 0)) {
            std::fprintf(stderr, "device_bench: no loopback port for the TCP run\n");
            return 1;
        }
        std::thread thread(SimServerRun, &server);
        std::unique_ptr<TcpBackend> link(new TcpBackend);
        InitTcpBackend(link.get(), {{"127.0.0.1", server.port}});
        Run("tcp", &link->backend, latencyUs, runs);
        SimServerStop(&server);
        thread.join();
        SimServerClose(&server);
    }
    return 0;
}
