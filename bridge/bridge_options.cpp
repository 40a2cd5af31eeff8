// The bridge's options.
#include "bridge/bridge_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char BRIDGE_USAGE[] =
    "Usage: moravel-usb-bridge [options]\n"
    "Serves the device on the USB port to Moravel (running under Wine) on 127.0.0.1.\n"
    "Start Moravel with MORAVEL_DEVICE=tcp:127.0.0.1:PORT to use it.\n"
    "\n"
    "  --port N           TCP port (default 9360; 0 picks a free one, printed at start)\n"
    "  --product-id HEX   a product id to serve; repeatable or comma-separated\n"
    "                     (default 2A02,2A03: the A4 and A3 devices)\n"
    "  --vendor-id HEX    serve only devices of this vendor (default: any vendor)\n"
    "  --interface N      the USB interface to claim (default: the one with a bulk-out\n"
    "                     and a bulk-in endpoint, a vendor-specific one first)\n"
    "  --list             print the USB devices and the one that would be served, then exit\n"
    "  --verbose          a line for every connection\n"
    "  --help             this text\n";

namespace {

// A whole text as a number no larger than max; 1, or 0.
int Number(const char* text, unsigned long max, int base, unsigned long* out)
{
    if (!text || !*text || text[0] == '-' || text[0] == '+' || text[0] == ' ')
        return 0;
    char* end = nullptr;
    errno = 0;
    const unsigned long v = std::strtoul(text, &end, base);
    if (*end != '\0' || errno != 0 || v > max)
        return 0;
    *out = v;
    return 1;
}

// "2A02,2A03" appended to the match's list; 1, or 0 naming the bad part in `error`.
int AddProductIds(BridgeMatch* match, const char* text, char* error, size_t errorSize)
{
    char copy[256];
    if (std::strlen(text) >= sizeof copy) {
        std::snprintf(error, errorSize, "--product-id: the list is too long");
        return 0;
    }
    std::strcpy(copy, text);
    char* rest = copy;
    for (;;) {
        char* comma = std::strchr(rest, ',');
        if (comma)
            *comma = '\0';
        unsigned long id = 0;
        if (!Number(rest, 0xFFFF, 16, &id)) {
            std::snprintf(error, errorSize,
                          "--product-id: '%s' is not a product id (hexadecimal, 0 to FFFF)", rest);
            return 0;
        }
        if (match->productIdCount >= BRIDGE_PRODUCT_ID_MAX) {
            std::snprintf(error, errorSize, "--product-id: at most %d product ids",
                          BRIDGE_PRODUCT_ID_MAX);
            return 0;
        }
        match->productIds[match->productIdCount++] = static_cast<uint16_t>(id);
        if (!comma)
            return 1;
        rest = comma + 1;
    }
}

}  // namespace

int ParseBridgeOptions(int argc, const char* const* argv, BridgeOptions* o, char* error,
                       size_t errorSize)
{
    DefaultBridgeMatch(&o->match);
    o->port = BRIDGE_DEFAULT_PORT;
    o->list = 0;
    o->verbose = 0;
    error[0] = '\0';
    int productIdsGiven = 0;
    for (int i = 1; i < argc; i++) {
        const char* a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long n = 0;
        if (!std::strcmp(a, "--help") || !std::strcmp(a, "-h"))
            return 0;
        if (!std::strcmp(a, "--list")) {
            o->list = 1;
            continue;
        }
        if (!std::strcmp(a, "--verbose")) {
            o->verbose = 1;
            continue;
        }
        const int takesValue = !std::strcmp(a, "--port") || !std::strcmp(a, "--product-id") ||
                               !std::strcmp(a, "--vendor-id") || !std::strcmp(a, "--interface");
        if (!takesValue) {
            std::snprintf(error, errorSize, "unknown option '%s' (see --help)", a);
            return -1;
        }
        if (!value) {
            std::snprintf(error, errorSize, "%s needs a value", a);
            return -1;
        }
        i++;
        if (!std::strcmp(a, "--port")) {
            if (!Number(value, 65535, 10, &n)) {
                std::snprintf(error, errorSize, "--port: '%s' is not a port (0 to 65535)", value);
                return -1;
            }
            o->port = static_cast<uint16_t>(n);
        } else if (!std::strcmp(a, "--product-id")) {
            // The first one given replaces the defaults; later ones add to it.
            if (!productIdsGiven)
                o->match.productIdCount = 0;
            productIdsGiven = 1;
            if (!AddProductIds(&o->match, value, error, errorSize))
                return -1;
        } else if (!std::strcmp(a, "--vendor-id")) {
            if (!Number(value, 0xFFFF, 16, &n)) {
                std::snprintf(error, errorSize,
                              "--vendor-id: '%s' is not a vendor id (hexadecimal, 0 to FFFF)",
                              value);
                return -1;
            }
            o->match.vendorId = static_cast<int>(n);
        } else {
            if (!Number(value, 255, 10, &n)) {
                std::snprintf(error, errorSize,
                              "--interface: '%s' is not an interface number (0 to 255)", value);
                return -1;
            }
            o->match.interfaceNumber = static_cast<int>(n);
        }
    }
    return 1;
}
