// moravel-usb-bridge: lets Moravel under Wine reach the device on a Linux machine's USB port,
// through the TCP device link (MORAVEL_DEVICE=tcp:127.0.0.1:9360).
#include <csignal>
#include <cstdio>
#include <ctime>

#include "bridge/bridge_core.h"
#include "bridge/bridge_options.h"
#include "bridge/usb_port_libusb.h"

namespace {

Bridge gBridge;

void OnSignal(int) { BridgeStop(&gBridge); }

// One line per event with the time, flushed at once: someone may be watching, or a test.
void PrintLine(void*, const char* line)
{
    char stamp[16] = "";
    const std::time_t now = std::time(nullptr);
    std::tm local;
    if (localtime_r(&now, &local))
        std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    std::printf("%s %s\n", stamp, line);
    std::fflush(stdout);
}

int ListDevices(LibusbPort* usb, const BridgeMatch* match)
{
    UsbDeviceInfo devices[USB_LIST_MAX];
    const int count = usb->port.list(usb->port.context, devices, USB_LIST_MAX);
    if (count < 0) {
        std::fprintf(stderr, "moravel-usb-bridge: USB cannot be searched\n");
        return 3;
    }
    const int chosen = ChooseDevice(match, devices, count);
    for (int i = 0; i < count; i++) {
        const UsbDeviceInfo& d = devices[i];
        std::printf("bus %03u device %03u  %04x:%04x  release %x.%02x  %s\n", d.bus, d.address,
                    d.vendorId, d.productId, d.release >> 8, d.release & 0xFF,
                    i == chosen                ? "served"
                    : DeviceMatches(match, &d) ? "matches (another is served)"
                                               : "-");
    }
    if (chosen < 0) {
        char what[160];
        DescribeMatch(match, what, sizeof what);
        std::printf("no device with %s\n", what);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    BridgeOptions options;
    char error[300];
    const int parsed = ParseBridgeOptions(argc, argv, &options, error, sizeof error);
    if (parsed == 0) {
        std::fputs(BRIDGE_USAGE, stdout);
        return 0;
    }
    if (parsed < 0) {
        std::fprintf(stderr, "moravel-usb-bridge: %s\n", error);
        return 2;
    }
    LibusbPort usb;
    if (!InitLibusbPort(&usb, error, sizeof error)) {
        std::fprintf(stderr, "moravel-usb-bridge: %s\n", error);
        return 3;
    }
    if (options.list) {
        const int status = ListDevices(&usb, &options.match);
        CloseLibusbPort(&usb);
        return status;
    }
    if (!BridgeOpen(&gBridge, &usb.port, &options.match, "127.0.0.1", options.port)) {
        std::fprintf(stderr, "moravel-usb-bridge: cannot listen on 127.0.0.1:%u (in use?)\n",
                     options.port);
        CloseLibusbPort(&usb);
        return 1;
    }
    gBridge.verbose = options.verbose;
    gBridge.log = PrintLine;
    char what[160];
    DescribeMatch(&options.match, what, sizeof what);
    char line[300];
    std::snprintf(line, sizeof line,
                  "listening on 127.0.0.1:%u for Moravel (MORAVEL_DEVICE=tcp:127.0.0.1:%u); "
                  "serving the device with %s",
                  gBridge.port, gBridge.port, what);
    PrintLine(nullptr, line);

    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    BridgeRun(&gBridge);
    BridgeClose(&gBridge);
    CloseLibusbPort(&usb);
    PrintLine(nullptr, "stopped");
    return 0;
}
