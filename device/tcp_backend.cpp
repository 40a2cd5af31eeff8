// Pipes over one TCP connection per device number.
#include "device/tcp_backend.h"

namespace {

TcpBackend* Tcp(void* context) { return static_cast<TcpBackend*>(context); }

PipeHandle MakeHandle(int device, int pipe) { return static_cast<PipeHandle>(device * 2 + pipe); }

// The connection a pipe handle belongs to, or SOCKET_NONE for a handle that is not open.
SocketHandle SocketFor(TcpBackend* tcp, PipeHandle handle)
{
    if (handle < 0 || handle >= DEVICE_NUMBER_COUNT * 2)
        return SOCKET_NONE;
    const int device = static_cast<int>(handle / 2);
    if (!tcp->pipeOpen[device][handle % 2])
        return SOCKET_NONE;
    return tcp->sockets[device];
}

// Reads exactly `count` bytes unless the peer closes, fails, or stays silent for the read
// time-out; *done tells how many came.
int ReadFully(TcpBackend* tcp, SocketHandle s, uint8_t* buffer, uint32_t count, uint32_t* done)
{
    *done = 0;
    while (*done < count) {
        int n = SocketReceive(s, buffer + *done, count - *done, tcp->readTimeoutMs);
        if (n <= 0)
            return 0;
        *done += static_cast<uint32_t>(n);
    }
    return 1;
}

int OpenPipe(void* context, int device, int pipe, PipeHandle* handle)
{
    TcpBackend* tcp = Tcp(context);
    if (device < 0 || device >= static_cast<int>(tcp->endpoints.size()) ||
        tcp->pipeOpen[device][pipe])
        return 0;
    if (tcp->sockets[device] == SOCKET_NONE) {
        // Only the command pipe makes the connection; the reply pipe shares it.
        if (pipe != PIPE_COMMAND)
            return 0;
        const TcpEndpoint& endpoint = tcp->endpoints[static_cast<size_t>(device)];
        tcp->sockets[device] =
            SocketConnect(endpoint.host.c_str(), endpoint.port, TCP_CONNECT_TIMEOUT_MS);
        if (tcp->sockets[device] == SOCKET_NONE)
            return 0;
    }
    tcp->pipeOpen[device][pipe] = 1;
    *handle = MakeHandle(device, pipe);
    return 1;
}

int ReadDescriptor(void* context, PipeHandle command, uint8_t* descriptor)
{
    TcpBackend* tcp = Tcp(context);
    SocketHandle s = SocketFor(tcp, command);
    uint32_t done = 0;
    return s != SOCKET_NONE && ReadFully(tcp, s, descriptor, DESCRIPTOR_SIZE, &done);
}

int Read(void* context, PipeHandle pipe, uint8_t* buffer, uint32_t count, uint32_t* done)
{
    TcpBackend* tcp = Tcp(context);
    SocketHandle s = SocketFor(tcp, pipe);
    *done = 0;
    if (s == SOCKET_NONE)
        return 0;
    ReadFully(tcp, s, buffer, count, done);
    return 1;  // a short read is judged by the transport
}

int Write(void* context, PipeHandle pipe, const uint8_t* bytes, uint32_t count, uint32_t* done)
{
    TcpBackend* tcp = Tcp(context);
    SocketHandle s = SocketFor(tcp, pipe);
    *done = 0;
    if (s == SOCKET_NONE || !SocketSendAll(s, bytes, count, tcp->readTimeoutMs))
        return 0;
    *done = count;
    return 1;
}

void ClosePipe(void* context, PipeHandle pipe)
{
    TcpBackend* tcp = Tcp(context);
    if (pipe < 0 || pipe >= DEVICE_NUMBER_COUNT * 2)
        return;
    const int device = static_cast<int>(pipe / 2);
    tcp->pipeOpen[device][pipe % 2] = 0;
    if (!tcp->pipeOpen[device][0] && !tcp->pipeOpen[device][1]) {
        SocketClose(tcp->sockets[device]);
        tcp->sockets[device] = SOCKET_NONE;
    }
}

}  // namespace

void InitTcpBackend(TcpBackend* tcp, const std::vector<TcpEndpoint>& endpoints)
{
    tcp->backend = {"tcp", tcp, OpenPipe, ReadDescriptor, Read, Write, ClosePipe};
    tcp->endpoints = endpoints;
    if (tcp->endpoints.size() > static_cast<size_t>(DEVICE_NUMBER_COUNT))
        tcp->endpoints.resize(DEVICE_NUMBER_COUNT);
    for (int n = 0; n < DEVICE_NUMBER_COUNT; n++) {
        tcp->sockets[n] = SOCKET_NONE;
        tcp->pipeOpen[n][0] = tcp->pipeOpen[n][1] = 0;
    }
    tcp->readTimeoutMs = TCP_READ_TIMEOUT_MS;
}
