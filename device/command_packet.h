// The 10-byte command packet the program sends and the device answers with, and the codes
// and values the two exchange. Both sides of the link (the program's protocol and the simulated
// device) read and write packets only through these.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int COMMAND_PACKET_SIZE = 10;
constexpr int REPLY_PACKET_SIZE = 10;
constexpr int REPLY_LENGTH_OFFSET = 6;
constexpr uint8_t PACKET_MARKER = 0x02;

enum : uint8_t {
    OP_WRITE_ITEM = 0x01,
    OP_READ_ITEM = 0x02,
    OP_DEVICE_COMMAND = 0x03,
};

// Codes of OP_DEVICE_COMMAND. Items 0x3 and 0x4 are read with the device commands of the same
// number.
enum : uint32_t {
    DEVICE_CODE_STATUS = 1,
    DEVICE_CODE_REMOTE_MODE = 2,
    DEVICE_CODE_READ_CONFIG = 3,
    DEVICE_CODE_READ_COUNTERS = 4,
    DEVICE_CODE_COMMIT = 5,
};

enum : uint8_t {
    REMOTE_MODE_BEGIN = 1,
    REMOTE_MODE_END = 2,
};

// The status byte; any other value means the link is healthy.
enum : uint8_t {
    DEVICE_STATUS_IDLE = 0,  // no remote mode open
    DEVICE_STATUS_IN_USE = 1,
    DEVICE_STATUS_TIMED_OUT = 2,  // the device ended remote mode itself
    DEVICE_STATUS_ERROR = 3,
};

struct CommandPacket {
    uint8_t operation;
    uint32_t code;
    uint32_t length;  // data bytes that follow on the command pipe
};

void EncodeCommandPacket(const CommandPacket& packet, uint8_t* out);  // 10 bytes, marker first
// Reads a packet from `size` bytes; 1, or 0 when they are too few or the marker is wrong.
int DecodeCommandPacket(const uint8_t* bytes, size_t size, CommandPacket* packet);
// The value length of a 10-byte reply (bytes 6-9); bytes 0-5 carry nothing the program uses.
uint32_t ReplyValueLength(const uint8_t* reply);
