// devsim: the simulated device as a TCP server, for running Moravel (MORAVEL_DEVICE=tcp:...)
// against a device that is not there, end-to-end tests and the bench.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "device/setting_file_io.h"
#include "devsim/sim_demo.h"
#include "devsim/sim_server.h"

namespace {

constexpr uint16_t DEFAULT_PORT = 9360;

const char USAGE[] =
    "Usage: devsim [options]\n"
    "The simulated multifunction device on a TCP port. Run Moravel with\n"
    "MORAVEL_DEVICE=tcp:127.0.0.1:PORT to use it.\n"
    "\n"
    "  --host ADDR          address to listen on (default 127.0.0.1)\n"
    "  --port N             TCP port (default 9360; 0 picks a free one, printed at start)\n"
    "  --product-id HEX     USB product id in the descriptor (default 2A02)\n"
    "  --state PATH         setting data file holding the device's items: loaded at start\n"
    "                       when it exists, written after every commit\n"
    "  --idle-timeout SEC   remote mode ends after SEC seconds without a packet\n"
    "                       (default 120; 0 never)\n"
    "  --restart-time SEC   how long the device is gone after a commit that asks for a\n"
    "                       restart (default 10)\n"
    "  --latency MS         delay before every batch of replies (default 0)\n"
    "  --fault FAULT        inject a fault; may be repeated:\n"
    "                         silent            the descriptor comes, nothing is answered\n"
    "                         status=N          every status query gets N (1 in use,\n"
    "                                           2 timed out, 3 error)\n"
    "                         drop-at=RECORD    the link drops when record RECORD (0-251)\n"
    "                                           is read or written (once)\n"
    "                         mute-at=RECORD    from record RECORD on, nothing is answered\n"
    "                         oversize=RECORD   reading RECORD announces 200 bytes\n"
    "                         absent=RECORD     the device does not have the item\n"
    "                         absent=0xID       ... given by its id\n"
    "                         ignore=RECORD     the device takes writes to the item but keeps\n"
    "                                           its old value at the commit (an upload the\n"
    "                                           device refuses); also ignore=0xID, repeatable\n"
    "                         panel-edit=RECORD after the first whole download, the item\n"
    "                                           changes as if edited at the panel (its first\n"
    "                                           byte flips); also panel-edit=0xID\n"
    "                         product-id=HEX    a product id Moravel does not accept\n"
    "  --log PATH           write every packet received and every device event to PATH\n"
    "                       ('-' for standard output)\n"
    "  --help               this text\n";

struct Options {
    std::string host = "127.0.0.1";
    unsigned long port = DEFAULT_PORT;
    std::string statePath;
    std::string logPath;
    std::vector<std::string> faults;
    long productId = -1;
    unsigned long idleSeconds = SIM_IDLE_TIMEOUT_MS / 1000;
    unsigned long restartSeconds = SIM_RESTART_MS / 1000;
    unsigned long latencyMs = 0;
};

int Number(const char* text, unsigned long max, int base, unsigned long* out)
{
    if (!text || !*text || text[0] == '-')
        return 0;
    char* end = nullptr;
    unsigned long v = std::strtoul(text, &end, base);
    if (*end != '\0' || v > max)
        return 0;
    *out = v;
    return 1;
}

// 1 to run, 0 for --help, -1 for a mistake (already reported).
int ParseOptions(int argc, char** argv, Options* o)
{
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long n = 0;
        bool ok = true;
        if (a == "--help" || a == "-h")
            return 0;
        if (!value) {
            ok = false;
        } else if (a == "--host") {
            o->host = value;
        } else if (a == "--port") {
            ok = Number(value, 65535, 10, &o->port);
        } else if (a == "--product-id") {
            ok = Number(value, 0xFFFF, 16, &n);
            o->productId = static_cast<long>(n);
        } else if (a == "--state") {
            o->statePath = value;
        } else if (a == "--idle-timeout") {
            ok = Number(value, 86400, 10, &o->idleSeconds);
        } else if (a == "--restart-time") {
            ok = Number(value, 3600, 10, &o->restartSeconds);
        } else if (a == "--latency") {
            ok = Number(value, 10000, 10, &o->latencyMs);
        } else if (a == "--fault") {
            o->faults.push_back(value);
        } else if (a == "--log") {
            o->logPath = value;
        } else {
            std::fprintf(stderr, "devsim: unknown option %s (see --help)\n", a.c_str());
            return -1;
        }
        if (!ok) {
            std::fprintf(stderr, "devsim: %s needs a valid value (see --help)\n", a.c_str());
            return -1;
        }
        i++;
    }
    return 1;
}

void LogLine(void* context, const char* line)
{
    std::FILE* f = static_cast<std::FILE*>(context);
    std::fprintf(f, "%s\n", line);
    std::fflush(f);
}

void SaveState(void* context, SimDevice* device)
{
    const char* path = static_cast<const char*>(context);
    if (!WriteWholeFileSafely(path, device->items, DEVICE_IMAGE_SIZE))
        std::fprintf(stderr, "devsim: cannot write %s\n", path);
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    int parsed = ParseOptions(argc, argv, &o);
    if (parsed <= 0) {
        std::fputs(USAGE, parsed == 0 ? stdout : stderr);
        return parsed == 0 ? 0 : 2;
    }

    static SimDevice device;
    SimInitDemo(&device);
    device.idleTimeoutMs = static_cast<uint32_t>(o.idleSeconds * 1000);
    device.restartMs = static_cast<uint32_t>(o.restartSeconds * 1000);
    if (o.productId >= 0)
        device.productId = static_cast<uint16_t>(o.productId);

    if (!o.statePath.empty()) {
        std::vector<uint8_t> file(DEVICE_IMAGE_SIZE);
        size_t size = 0;
        if (ReadWholeFile(o.statePath.c_str(), file.data(), file.size(), &size)) {
            SimLoadState(&device, file.data(), size);
        } else if (std::FILE* existing = std::fopen(o.statePath.c_str(), "rb")) {
            std::fclose(existing);
            std::fprintf(stderr, "devsim: %s is not a setting data file\n", o.statePath.c_str());
            return 1;
        }
    }
    for (const std::string& fault : o.faults) {
        if (!SimApplyFault(&device, fault.c_str())) {
            std::fprintf(stderr, "devsim: unknown fault %s (see --help)\n", fault.c_str());
            return 2;
        }
    }

    std::FILE* log = nullptr;
    if (o.logPath == "-") {
        log = stdout;
    } else if (!o.logPath.empty()) {
        log = std::fopen(o.logPath.c_str(), "a");
        if (!log) {
            std::fprintf(stderr, "devsim: cannot open %s\n", o.logPath.c_str());
            return 1;
        }
    }
    if (log) {
        device.log = LogLine;
        device.logContext = log;
    }

    static SimServer server;
    if (!SimServerOpen(&server, &device, o.host.c_str(), static_cast<uint16_t>(o.port))) {
        std::fprintf(stderr, "devsim: cannot listen on %s:%lu\n", o.host.c_str(), o.port);
        return 1;
    }
    server.latencyMs = static_cast<int>(o.latencyMs);
    if (!o.statePath.empty()) {
        server.afterCommit = SaveState;
        server.context = const_cast<char*>(o.statePath.c_str());
    }
    std::printf("devsim: product id %04X listening on %s:%u\n", device.productId, o.host.c_str(),
                server.port);
    std::fflush(stdout);
    SimServerRun(&server);
    SimServerClose(&server);
    return 0;
}
