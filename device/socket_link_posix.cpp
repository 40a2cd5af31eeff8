// The socket seam over POSIX sockets (native builds: tests, devsim, the bench).
#include "device/socket_link.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int WaitFor(int fd, short events, int timeoutMs)
{
    pollfd p = {fd, events, 0};
    for (;;) {
        int r = poll(&p, 1, timeoutMs);
        if (r < 0 && errno == EINTR)
            continue;
        return r;
    }
}

void SetBlocking(int fd, bool blocking)
{
    int flags = fcntl(fd, F_GETFL, 0);
    fcntl(fd, F_SETFL, blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK));
}

addrinfo* Resolve(const char* host, uint16_t port, bool passive)
{
    char service[8];
    std::snprintf(service, sizeof service, "%u", static_cast<unsigned>(port));
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = passive ? AI_PASSIVE : 0;
    addrinfo* list = nullptr;
    if (getaddrinfo(host, service, &hints, &list) != 0)
        return nullptr;
    return list;
}

// Each packet is small and answered at once; waiting to coalesce them only adds latency.
void NoDelay(int fd)
{
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

}  // namespace

SocketHandle SocketConnect(const char* host, uint16_t port, int timeoutMs)
{
    if (!host)
        return SOCKET_NONE;
    addrinfo* list = Resolve(host, port, false);
    if (!list)
        return SOCKET_NONE;
    int result = -1;
    for (addrinfo* a = list; a && result < 0; a = a->ai_next) {
        int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0)
            continue;
        SetBlocking(fd, false);
        int r = connect(fd, a->ai_addr, a->ai_addrlen);
        if (r != 0 && errno == EINPROGRESS && WaitFor(fd, POLLOUT, timeoutMs) > 0) {
            int error = 0;
            socklen_t size = sizeof error;
            getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
            r = error == 0 ? 0 : -1;
        }
        if (r == 0) {
            SetBlocking(fd, true);
            NoDelay(fd);
            result = fd;
        } else {
            close(fd);
        }
    }
    freeaddrinfo(list);
    return result < 0 ? SOCKET_NONE : result;
}

SocketHandle SocketListen(const char* host, uint16_t port, uint16_t* boundPort)
{
    addrinfo* list = Resolve(host, port, true);
    if (!list)
        return SOCKET_NONE;
    int result = -1;
    for (addrinfo* a = list; a && result < 0; a = a->ai_next) {
        int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0)
            continue;
        int one = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        if (bind(fd, a->ai_addr, a->ai_addrlen) == 0 && listen(fd, 4) == 0)
            result = fd;
        else
            close(fd);
    }
    freeaddrinfo(list);
    if (result >= 0 && boundPort) {
        sockaddr_storage address = {};
        socklen_t size = sizeof address;
        getsockname(result, reinterpret_cast<sockaddr*>(&address), &size);
        if (address.ss_family == AF_INET)
            *boundPort = ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
        else
            *boundPort = ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
    }
    return result < 0 ? SOCKET_NONE : result;
}

SocketHandle SocketAccept(SocketHandle listener, int timeoutMs)
{
    if (listener < 0 || WaitFor(static_cast<int>(listener), POLLIN, timeoutMs) <= 0)
        return SOCKET_NONE;
    int fd = accept4(static_cast<int>(listener), nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return SOCKET_NONE;
    NoDelay(fd);
    return fd;
}

int SocketReceive(SocketHandle socket, uint8_t* buffer, size_t capacity, int timeoutMs)
{
    if (socket < 0 || !buffer || capacity == 0)
        return -1;
    const int fd = static_cast<int>(socket);
    int ready = WaitFor(fd, POLLIN, timeoutMs);
    if (ready == 0)
        return SOCKET_TIMED_OUT;
    if (ready < 0)
        return -1;
    for (;;) {
        ssize_t n = recv(fd, buffer, capacity, 0);
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 ? -1 : static_cast<int>(n);
    }
}

int SocketSendAll(SocketHandle socket, const uint8_t* bytes, size_t count, int timeoutMs)
{
    if (socket < 0 || (!bytes && count))
        return 0;
    const int fd = static_cast<int>(socket);
    size_t sent = 0;
    while (sent < count) {
        if (WaitFor(fd, POLLOUT, timeoutMs) <= 0)
            return 0;
        ssize_t n = send(fd, bytes + sent, count - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return 0;
        sent += static_cast<size_t>(n);
    }
    return 1;
}

void SocketClose(SocketHandle socket)
{
    if (socket >= 0)
        close(static_cast<int>(socket));
}
