// The socket seam over Winsock (the Windows build).
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>

#include "device/socket_link.h"

namespace {

// Winsock wants one WSAStartup per process before any call; the program never needs it
// before its first device exchange, so it is done on first use and never undone.
bool EnsureWinsock()
{
    static bool started = false;
    if (!started) {
        WSADATA data;
        started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    return started;
}

SOCKET AsSocket(SocketHandle handle) { return static_cast<SOCKET>(handle); }

// 1 ready, 0 timed out, -1 error.
int WaitFor(SOCKET s, bool forWrite, int timeoutMs)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    fd_set errors;
    FD_ZERO(&errors);
    FD_SET(s, &errors);
    timeval limit = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    int r = select(0, forWrite ? nullptr : &set, forWrite ? &set : nullptr, &errors, &limit);
    if (r < 0)
        return -1;
    if (r == 0)
        return 0;
    return FD_ISSET(s, &set) ? 1 : -1;
}

void SetBlocking(SOCKET s, bool blocking)
{
    u_long nonBlocking = blocking ? 0 : 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
}

void NoDelay(SOCKET s)
{
    BOOL one = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
}

addrinfo* Resolve(const char* host, uint16_t port, bool passive)
{
    char service[8];
    std::snprintf(service, sizeof service, "%u", static_cast<unsigned>(port));
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = passive ? AI_PASSIVE : 0;
    addrinfo* list = nullptr;
    if (getaddrinfo(host, service, &hints, &list) != 0)
        return nullptr;
    return list;
}

}  // namespace

SocketHandle SocketConnect(const char* host, uint16_t port, int timeoutMs)
{
    if (!host || !EnsureWinsock())
        return SOCKET_NONE;
    addrinfo* list = Resolve(host, port, false);
    if (!list)
        return SOCKET_NONE;
    SOCKET result = INVALID_SOCKET;
    for (addrinfo* a = list; a && result == INVALID_SOCKET; a = a->ai_next) {
        SOCKET s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (s == INVALID_SOCKET)
            continue;
        SetBlocking(s, false);
        int r = connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen));
        if (r != 0 && WSAGetLastError() == WSAEWOULDBLOCK && WaitFor(s, true, timeoutMs) > 0)
            r = 0;
        if (r == 0) {
            SetBlocking(s, true);
            NoDelay(s);
            result = s;
        } else {
            closesocket(s);
        }
    }
    freeaddrinfo(list);
    return result == INVALID_SOCKET ? SOCKET_NONE : static_cast<SocketHandle>(result);
}

SocketHandle SocketListen(const char* host, uint16_t port, uint16_t* boundPort)
{
    if (!EnsureWinsock())
        return SOCKET_NONE;
    addrinfo* list = Resolve(host, port, true);
    if (!list)
        return SOCKET_NONE;
    SOCKET result = INVALID_SOCKET;
    for (addrinfo* a = list; a && result == INVALID_SOCKET; a = a->ai_next) {
        SOCKET s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (s == INVALID_SOCKET)
            continue;
        if (bind(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) == 0 && listen(s, 4) == 0)
            result = s;
        else
            closesocket(s);
    }
    freeaddrinfo(list);
    if (result != INVALID_SOCKET && boundPort) {
        sockaddr_storage address = {};
        int size = sizeof address;
        getsockname(result, reinterpret_cast<sockaddr*>(&address), &size);
        if (address.ss_family == AF_INET)
            *boundPort = ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
        else
            *boundPort = ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
    }
    return result == INVALID_SOCKET ? SOCKET_NONE : static_cast<SocketHandle>(result);
}

SocketHandle SocketAccept(SocketHandle listener, int timeoutMs)
{
    if (listener == SOCKET_NONE || WaitFor(AsSocket(listener), false, timeoutMs) <= 0)
        return SOCKET_NONE;
    SOCKET s = accept(AsSocket(listener), nullptr, nullptr);
    if (s == INVALID_SOCKET)
        return SOCKET_NONE;
    SetBlocking(s, true);
    NoDelay(s);
    return static_cast<SocketHandle>(s);
}

int SocketReceive(SocketHandle socket, uint8_t* buffer, size_t capacity, int timeoutMs)
{
    if (socket == SOCKET_NONE || !buffer || capacity == 0)
        return -1;
    int ready = WaitFor(AsSocket(socket), false, timeoutMs);
    if (ready == 0)
        return SOCKET_TIMED_OUT;
    if (ready < 0)
        return -1;
    int n = recv(AsSocket(socket), reinterpret_cast<char*>(buffer),
                 capacity > 65536 ? 65536 : static_cast<int>(capacity), 0);
    return n < 0 ? -1 : n;
}

int SocketSendAll(SocketHandle socket, const uint8_t* bytes, size_t count, int timeoutMs)
{
    if (socket == SOCKET_NONE || (!bytes && count))
        return 0;
    size_t sent = 0;
    while (sent < count) {
        if (WaitFor(AsSocket(socket), true, timeoutMs) <= 0)
            return 0;
        size_t chunk = count - sent > 65536 ? 65536 : count - sent;
        int n = send(AsSocket(socket), reinterpret_cast<const char*>(bytes + sent),
                     static_cast<int>(chunk), 0);
        if (n <= 0)
            return 0;
        sent += static_cast<size_t>(n);
    }
    return 1;
}

void SocketClose(SocketHandle socket)
{
    if (socket != SOCKET_NONE)
        closesocket(AsSocket(socket));
}
