// A small seam over stream sockets, so the TCP device backend and the devsim server are written
// once: socket_link_posix.cpp implements it with POSIX sockets (native builds), socket_link_win.cpp
// with Winsock (the Windows build). Every call that waits takes a time-out in milliseconds and
// never blocks longer.
#pragma once

#include <cstddef>
#include <cstdint>

using SocketHandle = intptr_t;
constexpr SocketHandle SOCKET_NONE = -1;

// Connects to host:port (a name or a dotted address), giving up after timeoutMs; the socket, or
// SOCKET_NONE.
SocketHandle SocketConnect(const char* host, uint16_t port, int timeoutMs);

// Listens on host:port (port 0 picks a free one, reported in *boundPort when not null); the
// listening socket, or SOCKET_NONE.
SocketHandle SocketListen(const char* host, uint16_t port, uint16_t* boundPort);

// Waits up to timeoutMs for a connection on `listener`; the new socket, or SOCKET_NONE.
SocketHandle SocketAccept(SocketHandle listener, int timeoutMs);

constexpr int SOCKET_TIMED_OUT = -2;
// Receives up to `capacity` bytes, waiting at most timeoutMs for the first: the number received
// (> 0), 0 when the peer closed the connection, SOCKET_TIMED_OUT, or -1 on an error.
int SocketReceive(SocketHandle socket, uint8_t* buffer, size_t capacity, int timeoutMs);

// Sends every byte, waiting at most timeoutMs for room each time; 1, or 0 when not all of them
// could be sent.
int SocketSendAll(SocketHandle socket, const uint8_t* bytes, size_t count, int timeoutMs);

void SocketClose(SocketHandle socket);
