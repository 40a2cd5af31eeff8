// MORAVEL_DEVICE parsing and the choice of backend.
#include "devsim/device_backends.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "device/usb_backend.h"
#include "devsim/sim_backend.h"

namespace {

int ParsePort(const std::string& text, uint16_t* port)
{
    if (text.empty() || text.size() > 5)
        return 0;
    unsigned long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    if (value == 0 || value > 65535)
        return 0;
    *port = static_cast<uint16_t>(value);
    return 1;
}

// HOST:PORT, the port after the last colon; "[v6 address]:PORT" for IPv6.
int ParseEndpoint(const std::string& text, TcpEndpoint* endpoint)
{
    size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return 0;
    std::string host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    if (host.empty() || host.find_first_of(" \t[]") != std::string::npos)
        return 0;
    endpoint->host = host;
    return ParsePort(text.substr(colon + 1), &endpoint->port);
}

int ParseEndpoints(const std::string& list, std::vector<TcpEndpoint>* endpoints)
{
    size_t start = 0;
    for (;;) {
        size_t comma = list.find(',', start);
        TcpEndpoint endpoint;
        if (!ParseEndpoint(
                list.substr(start, comma == std::string::npos ? std::string::npos : comma - start),
                &endpoint))
            return 0;
        endpoints->push_back(endpoint);
        if (endpoints->size() > static_cast<size_t>(DEVICE_NUMBER_COUNT))
            return 0;
        if (comma == std::string::npos)
            return 1;
        start = comma + 1;
    }
}

std::unique_ptr<TcpBackend> gTcp;

}  // namespace

int ParseDeviceChoice(const char* text, DeviceChoice* choice)
{
    choice->kind = BACKEND_INVALID;
    choice->simPath.clear();
    choice->endpoints.clear();
    if (!text || !*text) {
        choice->kind = BACKEND_USB;
        return 1;
    }
    const std::string s = text;
    if (s == "sim") {
        choice->kind = BACKEND_SIM;
        return 1;
    }
    if (s.compare(0, 4, "sim:") == 0 && s.size() > 4) {
        choice->kind = BACKEND_SIM;
        choice->simPath = s.substr(4);
        return 1;
    }
    if (s.compare(0, 4, "tcp:") == 0 && ParseEndpoints(s.substr(4), &choice->endpoints)) {
        choice->kind = BACKEND_TCP;
        return 1;
    }
    choice->endpoints.clear();
    return 0;
}

const DeviceBackend* SelectDeviceBackend(const char* text)
{
    // The backends below are rebuilt in place: pipes still open on them must go first.
    DeviceClose();
    DeviceChoice choice;
    ParseDeviceChoice(text, &choice);
    switch (choice.kind) {
    case BACKEND_USB:
        return UsbscanBackend();
    case BACKEND_SIM:
        return BuiltInSimBackend(choice.simPath.c_str());
    case BACKEND_TCP:
        if (!gTcp)
            gTcp.reset(new TcpBackend);
        InitTcpBackend(gTcp.get(), choice.endpoints);
        return &gTcp->backend;
    default:
        return NoDeviceBackend();
    }
}

const DeviceBackend* SelectDeviceBackendFromEnvironment()
{
    return SelectDeviceBackend(std::getenv("MORAVEL_DEVICE"));
}

std::string DeviceLockName(const char* text)
{
    DeviceChoice choice;
    if (!ParseDeviceChoice(text, &choice))
        return "";
    std::string name = "Moravel.DeviceLink.";
    switch (choice.kind) {
    case BACKEND_USB:
        name += "usb";
        break;
    case BACKEND_SIM:
        if (choice.simPath.empty())
            return "";
        name += "sim." + choice.simPath;
        break;
    case BACKEND_TCP:
        name += "tcp";
        for (const TcpEndpoint& endpoint : choice.endpoints)
            name += "." + endpoint.host + ":" + std::to_string(endpoint.port);
        break;
    default:
        return "";
    }
    // A lock's name takes no backslash, and Windows paths and host names ignore case.
    for (char& c : name)
        c = c == '\\' ? '/' : static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return name;
}
