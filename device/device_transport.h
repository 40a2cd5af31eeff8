// The device transport: finds the program's device among device numbers 0 to 14, keeps its two
// pipes (command and reply) open between DeviceOpen and DeviceClose, and moves bytes over them.
// It knows nothing of packets beyond the status handshake that proves a device answers.
//
// What a device number opens is a backend (the still-image driver, the in-process simulated
// device, TCP), set once by the program (devsim/device_backends.h chooses it from the
// environment); the search itself is written once, here, over the small set of platform
// operations below.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device/command_packet.h"

using PipeHandle = intptr_t;
constexpr PipeHandle PIPE_NOT_OPEN = -1;

constexpr int DEVICE_NUMBER_COUNT = 15;  // device numbers 0..14
constexpr int PIPE_COMMAND = 0;          // written by the program
constexpr int PIPE_REPLY = 1;            // read by the program

// The device descriptor: vendor id, product id, release, language id (u16 little-endian each).
constexpr int DESCRIPTOR_SIZE = 8;
constexpr int DESCRIPTOR_PRODUCT_OFFSET = 2;

// The platform operations of one backend. Every read and write returns within the backend's
// time-out, so a device that stops answering never hangs the program; `*done` receives how many
// bytes moved (the transport judges short transfers).
struct DeviceBackend {
    const char* name;
    void* context;
    // Opens pipe PIPE_COMMAND or PIPE_REPLY of device number `device`: 1 with *handle set, or 0.
    int (*openPipe)(void* context, int device, int pipe, PipeHandle* handle);
    // Fills the 8-byte descriptor of the device whose command pipe is `command`; 1 or 0.
    int (*readDescriptor)(void* context, PipeHandle command, uint8_t* descriptor);
    int (*read)(void* context, PipeHandle pipe, uint8_t* buffer, uint32_t count, uint32_t* done);
    int (*write)(void* context, PipeHandle pipe, const uint8_t* bytes, uint32_t count,
                 uint32_t* done);
    void (*closePipe)(void* context, PipeHandle pipe);
};

// The two process-wide pipe handles; PIPE_NOT_OPEN whenever the link is closed. `device` is
// the device number they belong to (-1 when closed).
struct DevicePipes {
    PipeHandle command;
    PipeHandle reply;
    int device;
    uint32_t productId;  // from the open device's descriptor (0 when closed)
};
extern DevicePipes gDevicePipes;

// Makes `backend` the one the transport uses, closing any open pipes first. Without one (and
// with nullptr) no device opens.
void SetDeviceBackend(const DeviceBackend* backend);
const DeviceBackend* CurrentDeviceBackend();
// The backend that has no devices: every open fails.
const DeviceBackend* NoDeviceBackend();

// The USB product ids that make a device the program's (the model profile gives them); until
// they are set, and for 0, no device matches. At most ACCEPTED_PRODUCT_ID_MAX are kept.
constexpr int ACCEPTED_PRODUCT_ID_MAX = 10;
void SetAcceptedProductIds(const uint32_t* ids, int count);

// Keeps DeviceOpen to device number `device` (0..14) alone, for a program that names the device
// it works on; -1 (the default) searches them all again. Open pipes of another number close.
void SetDeviceNumber(int device);
int ChosenDeviceNumber();

// Makes sure both pipes are open and the device answers the status handshake: first by
// re-checking pipes left open, else by searching device numbers 0..14 for an accepted product
// id (SetAcceptedProductIds) that answers; the lowest number wins (only the chosen one, after
// SetDeviceNumber). 0 on success, -1 on
// failure. Shows nothing: callers report.
int DeviceOpen();

// Closes whichever pipe is open and marks both not open; harmless when nothing is open.
void DeviceClose();

// On pipes that are already open: status query, 10-byte reply, status byte. 1 when all three
// steps succeed; the status goes to *status.
int StatusHandshake(uint8_t* status);

// The packet written to the command pipe; 1 when all of it went out.
int SendCommandPacket(const CommandPacket& packet);

// One read of exactly `count` bytes: 1 when all of them arrived, else 0 (short read, error,
// time-out, pipe not open).
int PipeRead(PipeHandle pipe, uint32_t count, uint8_t* buffer);

// One write of `count` bytes: 1 only when every byte was written. A short write fails: the
// device would otherwise take the next packet's bytes as this one's data.
int PipeWrite(PipeHandle pipe, uint32_t count, const uint8_t* bytes);

// The still-image driver's name for pipe `pipe` of device `device`: "\\.\Usbscan3\0" (the
// backslash followed by the digit). 1, or 0 when it does not fit or the numbers are out of range.
int FormatPipeName(char* out, size_t size, int device, int pipe);
