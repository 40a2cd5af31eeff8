// The TCP backend: device number N is the device at the N-th endpoint of a list. Opening the
// command pipe connects; the device then sends its 8-byte descriptor, which stands for the
// descriptor request; after that the command pipe's bytes go on the connection unchanged and
// the reply pipe reads what the device sends. Closing both pipes closes the connection. A read
// that receives nothing for the read time-out fails, so a silent device never hangs the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/device_transport.h"
#include "device/socket_link.h"

constexpr int TCP_READ_TIMEOUT_MS = 5000;
constexpr int TCP_CONNECT_TIMEOUT_MS = 3000;

struct TcpEndpoint {
    std::string host;
    uint16_t port;
};

struct TcpBackend {
    DeviceBackend backend;               // its context is this record
    std::vector<TcpEndpoint> endpoints;  // at most DEVICE_NUMBER_COUNT
    SocketHandle sockets[DEVICE_NUMBER_COUNT];
    uint8_t pipeOpen[DEVICE_NUMBER_COUNT][2];
    int readTimeoutMs;
};

void InitTcpBackend(TcpBackend* tcp, const std::vector<TcpEndpoint>& endpoints);
