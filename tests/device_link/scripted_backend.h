// A backend that plays a script instead of a device: one device at number 0 with a fixed
// descriptor; reads are served from `replies` in order (a read past its end gets what is left,
// so it comes up short), writes are recorded and can be cut short. For byte-exact reply tests
// and the fuzz target.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "device/byte_order.h"
#include "device/device_transport.h"

struct ScriptedBackend {
    DeviceBackend backend;
    uint16_t productId;
    std::vector<uint8_t> replies;
    size_t replyAt;
    std::vector<uint8_t> written;
    // The write with this index (0-based, counting every write) reports one byte fewer than
    // asked; -1 for none.
    int shortWriteAt;
    int writes;
    int openPipes;
};

inline ScriptedBackend* Scripted(void* context) { return static_cast<ScriptedBackend*>(context); }

inline int ScriptedOpen(void* context, int device, int pipe, PipeHandle* handle)
{
    if (device != 0)
        return 0;
    Scripted(context)->openPipes++;
    *handle = pipe;
    return 1;
}

inline int ScriptedDescriptor(void* context, PipeHandle, uint8_t* descriptor)
{
    std::memset(descriptor, 0, DESCRIPTOR_SIZE);
    WriteU16Le(descriptor + DESCRIPTOR_PRODUCT_OFFSET, Scripted(context)->productId);
    return 1;
}

inline int ScriptedRead(void* context, PipeHandle, uint8_t* buffer, uint32_t count, uint32_t* done)
{
    ScriptedBackend* s = Scripted(context);
    size_t left = s->replies.size() - s->replyAt;
    size_t n = count < left ? count : left;
    if (n)
        std::memcpy(buffer, s->replies.data() + s->replyAt, n);
    s->replyAt += n;
    *done = static_cast<uint32_t>(n);
    return 1;
}

inline int ScriptedWrite(void* context, PipeHandle, const uint8_t* bytes, uint32_t count,
                         uint32_t* done)
{
    ScriptedBackend* s = Scripted(context);
    const bool cut = s->writes++ == s->shortWriteAt && count > 0;
    *done = cut ? count - 1 : count;
    s->written.insert(s->written.end(), bytes, bytes + *done);
    return 1;
}

inline void ScriptedClose(void* context, PipeHandle) { Scripted(context)->openPipes--; }

inline void InitScriptedBackend(ScriptedBackend* s, uint16_t productId)
{
    s->backend = {"scripted",   s, ScriptedOpen, ScriptedDescriptor, ScriptedRead, ScriptedWrite,
                  ScriptedClose};
    s->productId = productId;
    s->replies.clear();
    s->replyAt = 0;
    s->written.clear();
    s->shortWriteAt = -1;
    s->writes = 0;
    s->openPipes = 0;
}

// Appends a 10-byte reply announcing `length`, then `valueBytes` bytes of value.
inline void AddReply(ScriptedBackend* s, uint32_t length, size_t valueBytes, uint8_t fill = 0x5A)
{
    uint8_t head[10] = {0x02, 0x02, 0, 0, 0, 0};
    WriteU32Le(head + 6, length);
    s->replies.insert(s->replies.end(), head, head + 10);
    s->replies.insert(s->replies.end(), valueBytes, fill);
}

// The answer to the status handshake: a reply and the status byte.
inline void AddStatusReply(ScriptedBackend* s, uint8_t status)
{
    AddReply(s, 1, 0);
    s->replies.push_back(status);
}
