// The command packet. See command_packet.h.
#include "device/command_packet.h"

#include "device/byte_order.h"

void EncodeCommandPacket(const CommandPacket& packet, uint8_t* out)
{
    out[0] = PACKET_MARKER;
    out[1] = packet.operation;
    WriteU32Le(out + 2, packet.code);
    WriteU32Le(out + 6, packet.length);
}

int DecodeCommandPacket(const uint8_t* bytes, size_t size, CommandPacket* packet)
{
    if (!bytes || size < COMMAND_PACKET_SIZE || bytes[0] != PACKET_MARKER)
        return 0;
    packet->operation = bytes[1];
    packet->code = ReadU32Le(bytes + 2);
    packet->length = ReadU32Le(bytes + 6);
    return 1;
}

uint32_t ReplyValueLength(const uint8_t* reply) { return ReadU32Le(reply + REPLY_LENGTH_OFFSET); }
