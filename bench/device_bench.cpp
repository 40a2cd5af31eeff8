// Download and upload through the simulated device, with a fixed latency added to every
// transfer (each pipe read or write), as a slow USB link would. Each transfer is held to its
// latency against a deadline: a sleep to just before it and a spin for the last stretch, so
// that the operating system's sleep overshoot does not count as the program's time. Reported:
// wall time against the protocol's own minimum (transfers x latency), the program's own time
// per transfer beyond the latency, and how late the holds ended. A second table runs with no
// latency at all: records per second and the CPU time per record. Both in process and over TCP
// on 127.0.0.1 against a devsim server (whose thread's CPU time is included).
//
//   device_bench [--latency-us N]... [--runs N] [--throughput-runs N] [--no-tcp]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "device/device_transfer.h"
#include "device/device_transport.h"
#include "device/setting_file.h"
#include "device/tcp_backend.h"
#include "devsim/sim_backend.h"
#include "devsim/sim_demo.h"
#include "devsim/sim_server.h"
#include "document/dial_records.h"
#include "document/document.h"
#include "settings/device_changes.h"
#include "ui/app_state.h"

namespace {

using Clock = std::chrono::steady_clock;

// A sleep on Linux ends up to tens of microseconds late (timer slack, scheduling); it is only
// trusted up to this much before the deadline, and the rest is spun.
constexpr auto SPIN_STRETCH = std::chrono::microseconds(200);

// Wraps a backend: holds every read and write to `latencyUs` before passing it on, and counts
// them and how late the holds ended.
struct SlowBackend {
    DeviceBackend backend;
    const DeviceBackend* inner;
    int latencyUs;
    long transfers;
    Clock::duration late;
};

SlowBackend* Slow(void* c) { return static_cast<SlowBackend*>(c); }

void Wait(SlowBackend* s)
{
    s->transfers++;
    if (s->latencyUs <= 0)
        return;
    const Clock::time_point deadline = Clock::now() + std::chrono::microseconds(s->latencyUs);
    if (std::chrono::microseconds(s->latencyUs) > SPIN_STRETCH)
        std::this_thread::sleep_until(deadline - SPIN_STRETCH);
    Clock::time_point now = Clock::now();
    while (now < deadline)
        now = Clock::now();
    s->late += now - deadline;
}

void InitSlowBackend(SlowBackend* s, const DeviceBackend* inner, int latencyUs)
{
    s->inner = inner;
    s->latencyUs = latencyUs;
    s->transfers = 0;
    s->late = Clock::duration::zero();
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
    Clock::duration late;
    int failures;
};

// Runs `runs` transfers of one direction; the open (search and handshake) is done first and
// not counted, as the program's transfers find the pipes open after the connection check.
Figures Measure(SlowBackend* slow, bool upload, int runs)
{
    Figures f = {0, 0, 0, Clock::duration::zero(), 0};
    for (int i = 0; i < runs; i++) {
        DeviceOpen();
        slow->transfers = 0;
        slow->late = Clock::duration::zero();
        const Clock::time_point wall = Clock::now();
        const std::clock_t cpu = std::clock();
        int ok = upload ? UploadImage(&gDocument.image, nullptr)
                        : DownloadImage(&gDocument.image, nullptr);
        f.cpuMs += 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        f.wallMs += std::chrono::duration<double, std::milli>(Clock::now() - wall).count();
        f.transfers += slow->transfers;
        f.late += slow->late;
        f.failures += ok ? 0 : 1;
    }
    return f;
}

struct Link {
    const char* name;
    const DeviceBackend* backend;
};

const char* const DIRECTIONS[] = {"download", "upload"};

// Wall time against transfers x latency; what the program adds to each transfer (its wall time
// outside the holds); and how late the holds ended, which the ratio includes as well.
void ReportHeld(const Link& link, int latencyUs, int runs)
{
    SlowBackend slow;
    InitSlowBackend(&slow, link.backend, latencyUs);
    SetDeviceBackend(&slow.backend);
    ResetDeviceImage(gDocument.image);
    for (int upload = 0; upload < 2; upload++) {
        const Figures f = Measure(&slow, upload != 0, runs);
        const double transfers = static_cast<double>(f.transfers) / runs;
        const double wall = f.wallMs / runs;
        const double minimum = transfers * latencyUs / 1000.0;
        const double lateUs = std::chrono::duration<double, std::micro>(f.late).count();
        std::printf("%-5s %-9s %7d %9.0f %9.1f %9.1f %7.3f %11.2f %9.2f%s\n", link.name,
                    DIRECTIONS[upload], latencyUs, transfers, wall, minimum, wall / minimum,
                    (1000.0 * (wall - minimum) - lateUs / runs) / transfers, lateUs / f.transfers,
                    f.failures ? "  (FAILED runs)" : "");
    }
    SetDeviceBackend(nullptr);
}

// No latency: how fast the program and the simulated device go on their own.
void ReportThroughput(const Link& link, int runs)
{
    SlowBackend slow;
    InitSlowBackend(&slow, link.backend, 0);
    SetDeviceBackend(&slow.backend);
    ResetDeviceImage(gDocument.image);
    for (int upload = 0; upload < 2; upload++) {
        Measure(&slow, upload != 0, 1);  // warm-up, not counted
        const Figures f = Measure(&slow, upload != 0, runs);
        const double wall = f.wallMs / runs;
        std::printf("%-5s %-9s %9.0f %9.3f %12.0f %11.2f %12.2f%s\n", link.name, DIRECTIONS[upload],
                    static_cast<double>(f.transfers) / runs, wall, ITEM_COUNT * 1000.0 / wall,
                    1000.0 * wall / (static_cast<double>(f.transfers) / runs),
                    1000.0 * f.cpuMs / runs / ITEM_COUNT, f.failures ? "  (FAILED runs)" : "");
    }
    SetDeviceBackend(nullptr);
}

// Renames the demo's four Speed Dial entries and sets another Auto Reset time, differently each
// run, so that every upload has records to change and to read back, as an edit session would.
void EditSomeEntries(int run)
{
    for (int index : {0, 1, 2, 10}) {
        DialRecord entry = {};
        DecodeSpeedEntry(&entry, gDocument.edit, index);
        std::snprintf(entry.name, sizeof entry.name, "Bench %d/%d", run, index);
        EncodeSpeedEntry(gDocument.edit, &entry, index);
    }
    gDocument.edit.system.autoResetTime = static_cast<uint8_t>(1 + run % 4);
    CommitEdits(gDocument);
}

// The upload as the window runs it: the device read into a scratch image, the change list, the
// device's data written to the history, the upload, the changed records read back and compared.
int CheckedUpload(const char* historyPath)
{
    DeviceImage current = {nullptr};
    if (!CreateDeviceImage(current))
        return 0;
    int ok = DownloadImage(&current, nullptr);
    if (ok) {
        const ChangeOptions options = {0};
        ok = !ListChanges(current, gDocument.image, options).empty() &&
             WriteSettingFile(current, historyPath);
        std::vector<int> records(ITEM_COUNT);
        const int count = ListChangedRecords(current.bytes, gDocument.image.bytes, records.data());
        std::vector<uint8_t> readBack(gDocument.image.bytes,
                                      gDocument.image.bytes + DEVICE_IMAGE_SIZE);
        ok = ok && UploadImage(&gDocument.image, nullptr) &&
             ReadBackRecords(records.data(), count, readBack.data(), nullptr);
        const DeviceImage back = {readBack.data()};
        ok = ok && ListChanges(back, gDocument.image, options).empty();
    }
    ReleaseDeviceImage(current);
    return ok;
}

// The checked upload against the bare one, each run with fresh edits; the ratio is what the
// reading, the history and the check cost on this link.
void ReportChecked(const Link& link, int latencyUs, int runs)
{
    SlowBackend slow;
    InitSlowBackend(&slow, link.backend, latencyUs);
    SetDeviceBackend(&slow.backend);
    DeviceOpen();
    DeviceImage start = {nullptr};
    CreateDeviceImage(start);
    DownloadImage(&start, nullptr);
    TakeDownloadedImage(gDocument, start, static_cast<int>(gApp.quickKeyCount));
    ReleaseDeviceImage(start);
    const std::string history =
        std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
        "/device_bench_history.dat";
    double bare = 0, checked = 0;
    long bareTransfers = 0, checkedTransfers = 0;
    int failures = 0;
    for (int i = 0; i < runs; i++) {
        for (int kind = 0; kind < 2; kind++) {
            EditSomeEntries(2 * i + kind);
            DeviceOpen();
            slow.transfers = 0;
            const Clock::time_point wall = Clock::now();
            const int ok =
                kind ? CheckedUpload(history.c_str()) : UploadImage(&gDocument.image, nullptr);
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - wall).count();
            (kind ? checked : bare) += ms;
            (kind ? checkedTransfers : bareTransfers) += slow.transfers;
            failures += ok ? 0 : 1;
        }
    }
    std::remove(history.c_str());
    std::printf("%-5s %7d %9.0f %9.1f %9.0f %9.1f %7.2f%s\n", link.name, latencyUs,
                static_cast<double>(bareTransfers) / runs, bare / runs,
                static_cast<double>(checkedTransfers) / runs, checked / runs, checked / bare,
                failures ? "  (FAILED runs)" : "");
    SetDeviceBackend(nullptr);
}

const char USAGE[] =
    "usage: device_bench [--latency-us N]... [--runs N] [--throughput-runs N] [--no-tcp]\n";

}  // namespace

int main(int argc, char** argv)
{
    // 500 us: a busy high-speed link; 1 ms: one USB full-speed frame per transfer.
    std::vector<int> latencies;
    int runs = 3;
    int throughputRuns = 20;
    bool tcp = true;
    for (int i = 1; i < argc; i++) {
        if (!std::strcmp(argv[i], "--latency-us") && i + 1 < argc)
            latencies.push_back(std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--throughput-runs") && i + 1 < argc)
            throughputRuns = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--no-tcp"))
            tcp = false;
        else {
            std::fputs(USAGE, stderr);
            return 2;
        }
    }
    if (latencies.empty())
        latencies = {500, 1000};
    for (int latency : latencies) {
        if (latency < 1) {
            std::fprintf(stderr, "device_bench: a latency must be at least 1 us\n");
            return 2;
        }
    }
    if (runs < 1 || throughputRuns < 1) {
        std::fprintf(stderr, "device_bench: runs must be at least 1\n");
        return 2;
    }

    ResetAppState(&gApp);
    ApplyModelProfile(&gApp, "A4ZRPQ 2A02");
    SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
    CreateDeviceImage(gDocument.image);
    SetUploadDumpPath(nullptr);

    std::vector<Link> links;
    std::unique_ptr<SimDevice> device(new SimDevice);
    SimInitDemo(device.get());
    std::unique_ptr<SimBackend> sim(new SimBackend);
    InitSimBackend(sim.get());
    sim->devices[0] = device.get();
    links.push_back({"sim", &sim->backend});

    std::unique_ptr<SimDevice> remote(new SimDevice);
    static SimServer server;
    std::thread thread;
    std::unique_ptr<TcpBackend> tcpLink(new TcpBackend);
    if (tcp) {
        SimInitDemo(remote.get());
        if (!SimServerOpen(&server, remote.get(), "127.0.0.1", 0)) {
            std::fprintf(stderr, "device_bench: no loopback port for the TCP run\n");
            return 1;
        }
        thread = std::thread(SimServerRun, &server);
        InitTcpBackend(tcpLink.get(), {{"127.0.0.1", server.port}});
        links.push_back({"tcp", &tcpLink->backend});
    }

    std::printf("device link, %d records: each transfer held to its latency; mean of %d runs\n",
                ITEM_COUNT, runs);
    std::printf("%-5s %-9s %7s %9s %9s %9s %7s %11s %9s\n", "link", "transfer", "lat us",
                "transfers", "wall ms", "min ms", "ratio", "own us/xfer", "late us");
    for (int latency : latencies)
        for (const Link& link : links)
            ReportHeld(link, latency, runs);

    std::printf("\nchecked upload (read, change list, history file, upload, read-back of the 5 "
                "changed records) against the bare upload; mean of %d runs\n",
                runs);
    std::printf("%-5s %7s %9s %9s %9s %9s %7s\n", "link", "lat us", "bare xfer", "bare ms",
                "chk xfer", "chk ms", "ratio");
    for (int latency : latencies)
        for (const Link& link : links)
            ReportChecked(link, latency, runs);

    std::printf("\nno latency: throughput; mean of %d runs after one warm-up\n", throughputRuns);
    std::printf("%-5s %-9s %9s %9s %12s %11s %12s\n", "link", "transfer", "transfers", "wall ms",
                "records/s", "us/xfer", "cpu us/rec");
    for (const Link& link : links)
        ReportThroughput(link, throughputRuns);

    if (tcp) {
        SimServerStop(&server);
        thread.join();
        SimServerClose(&server);
    }
    return 0;
}
