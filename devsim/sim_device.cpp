// The simulated device's behaviour: packet parsing, replies, remote mode, commit and restart,
// faults, and the packet log.
#include "devsim/sim_device.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "device/byte_order.h"
#include "device/command_packet.h"

namespace {

uint8_t* RecordBytes(uint8_t* items, int record)
{
    return items + static_cast<size_t>(record) * ITEM_RECORD_SIZE;
}

void Log(SimDevice* d, const char* format, ...) __attribute__((format(printf, 2, 3)));

void Log(SimDevice* d, const char* format, ...)
{
    if (!d->log)
        return;
    char line[600];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    d->log(d->logContext, line);
}

void WriteIds(uint8_t* items)
{
    for (int r = 0; r < ITEM_COUNT; r++)
        WriteU32Le(RecordBytes(items, r), PositionItemId(r));
}

void ForgetStaged(SimDevice* d) { std::memset(d->stagedRecord, 0, sizeof d->stagedRecord); }

void DropLink(SimDevice* d, const char* why)
{
    if (!d->linkUp)
        return;
    Log(d, "-- link dropped: %s", why);
    d->linkUp = 0;
    d->droppedLinks++;
    d->input.clear();
    d->output.clear();
    ForgetStaged(d);
}

void Reply(SimDevice* d, const CommandPacket& packet, uint32_t length, const uint8_t* value,
           size_t valueCount)
{
    if (d->faults.silent)
        return;
    uint8_t head[REPLY_PACKET_SIZE];
    head[0] = PACKET_MARKER;
    head[1] = packet.operation;
    WriteU32Le(head + 2, packet.code);
    WriteU32Le(head + REPLY_LENGTH_OFFSET, length);
    d->output.insert(d->output.end(), head, head + REPLY_PACKET_SIZE);
    if (value && valueCount)
        d->output.insert(d->output.end(), value, value + valueCount);
}

// The link drops when the fault's record is reached; the fault fires once. The mute fault
// leaves the link up but the device speechless from its record on.
bool LinkFailsAt(SimDevice* d, int record)
{
    if (record >= 0 && d->faults.muteAtRecord == record) {
        Log(d, "-- falls silent at record %d", record);
        d->faults.silent = 1;
        return true;
    }
    if (record < 0 || d->faults.dropAtRecord != record)
        return false;
    d->faults.dropAtRecord = SIM_NO_FAULT;
    char why[48];
    std::snprintf(why, sizeof why, "fault at record %d", record);
    DropLink(d, why);
    return true;
}

// Someone at the panel changes the fault's item after the program has read everything: the
// first byte of its value flips its lowest bit (an empty item gets the value 1).
void EditAtPanel(SimDevice* d)
{
    const int record = d->faults.panelEditRecord;
    if (record < 2 || record >= ITEM_COUNT)
        return;
    d->faults.panelEditRecord = SIM_NO_FAULT;
    uint8_t* value = SimItemValue(d, record);
    const uint32_t length = SimItemLength(d, record);
    if (length == ITEM_ABSENT)
        return;
    value[0] ^= 1;
    if (length == 0)
        SimSetItem(d, record, value, 1);
    Log(d, "-- record %d edited at the panel", record);
}

void ReadRecord(SimDevice* d, const CommandPacket& packet)
{
    const int record = SimRecordOf(packet.code);
    if (LinkFailsAt(d, record))
        return;
    if (record < 0) {
        Reply(d, packet, ITEM_ABSENT, nullptr, 0);
        return;
    }
    if (record == d->faults.oversizeRecord) {
        uint8_t filler[SIM_OVERSIZE_LENGTH] = {};
        Reply(d, packet, SIM_OVERSIZE_LENGTH, filler, sizeof filler);
        return;
    }
    const uint32_t length = SimItemLength(d, record);
    const size_t count = length == ITEM_ABSENT || length > ITEM_VALUE_SIZE ? 0 : length;
    Reply(d, packet, length, SimItemValue(d, record), count);
    if (record == ITEM_COUNT - 1)
        EditAtPanel(d);
}

void WriteRecord(SimDevice* d, const CommandPacket& packet, const uint8_t* data)
{
    const int record = SimRecordOf(packet.code);
    if (LinkFailsAt(d, record))
        return;
    // A device without the item, or an item it only reports, ignores the write.
    if (record < 2 || SimItemLength(d, record) == ITEM_ABSENT)
        return;
    uint8_t* at = RecordBytes(d->staged, record);
    WriteU32Le(at, packet.code);
    WriteU32Le(at + ITEM_LENGTH_OFFSET, packet.length);
    std::memset(at + ITEM_VALUE_OFFSET, 0, ITEM_VALUE_SIZE);
    std::memcpy(at + ITEM_VALUE_OFFSET, data, packet.length);
    d->stagedRecord[record] = 1;
}

void Commit(SimDevice* d, const uint8_t* data, uint64_t nowMs)
{
    int applied = 0;
    for (int r = 0; r < ITEM_COUNT; r++) {
        if (!d->stagedRecord[r])
            continue;
        if (d->faults.keepsOldValue[r]) {
            Log(d, "-- record %d keeps its old value", r);
            continue;
        }
        std::memcpy(RecordBytes(d->items, r), RecordBytes(d->staged, r), ITEM_RECORD_SIZE);
        applied++;
    }
    ForgetStaged(d);
    d->commitCount++;
    Log(d, "-- commit: %d item(s) applied, restart flag %u", applied, data[1]);
    if (data[1] != 0) {
        d->restarting = 1;
        d->restartEndsMs = nowMs + d->restartMs;
        d->restartCount++;
        d->remoteMode = 0;
        d->timedOut = 0;
        d->error = 0;
        DropLink(d, "restarting");
    }
}

void DeviceCommand(SimDevice* d, const CommandPacket& packet, const uint8_t* data, uint64_t nowMs)
{
    switch (packet.code) {
    case DEVICE_CODE_STATUS: {
        const uint8_t status = SimStatus(d);
        Reply(d, packet, 1, &status, 1);
        break;
    }
    case DEVICE_CODE_REMOTE_MODE:
        if (packet.length < 1)
            break;
        d->timedOut = 0;
        if (data[0] == REMOTE_MODE_BEGIN) {
            d->remoteMode = 1;
            d->error = 0;
        } else if (data[0] == REMOTE_MODE_END) {
            d->remoteMode = 0;
        }
        Log(d, "-- remote mode %s", d->remoteMode ? "open" : "closed");
        break;
    case DEVICE_CODE_READ_CONFIG:
    case DEVICE_CODE_READ_COUNTERS:
        ReadRecord(d, packet);
        break;
    case DEVICE_CODE_COMMIT:
        if (packet.length >= 2 && data[0] == 0x01)
            Commit(d, data, nowMs);
        break;
    default:
        break;
    }
}

void LogPacket(SimDevice* d, const CommandPacket& packet, const uint8_t* data)
{
    if (!d->log)
        return;
    static const char* const NAMES[] = {"?", "write-item", "read-item", "command"};
    char hex[3 * 24 + 8] = "";
    size_t shown = packet.length < 24 ? packet.length : 24;
    for (size_t i = 0; i < shown; i++)
        std::snprintf(hex + 3 * i, 4, " %02X", data[i]);
    if (shown < packet.length)
        std::strcat(hex, " ...");
    Log(d, "#%u op=%02X %s code=0x%X len=%u%s%s", d->packetCount, packet.operation,
        NAMES[packet.operation <= 3 ? packet.operation : 0], packet.code, packet.length,
        shown ? " data:" : "", hex);
}

void Handle(SimDevice* d, const CommandPacket& packet, const uint8_t* data, uint64_t nowMs)
{
    d->packetCount++;
    d->lastActivityMs = nowMs;
    LogPacket(d, packet, data);
    if (d->capturePackets)
        d->received.push_back({packet.operation, packet.code, packet.length,
                               std::vector<uint8_t>(data, data + packet.length)});
    if (d->faults.silent)
        return;
    switch (packet.operation) {
    case OP_WRITE_ITEM:
        WriteRecord(d, packet, data);
        break;
    case OP_READ_ITEM:
        ReadRecord(d, packet);
        break;
    case OP_DEVICE_COMMAND:
        DeviceCommand(d, packet, data, nowMs);
        break;
    default:
        break;
    }
}

}  // namespace

void SimInit(SimDevice* d)
{
    d->vendorId = SIM_VENDOR_ID;
    d->productId = SIM_PRODUCT_ID;
    d->idleTimeoutMs = SIM_IDLE_TIMEOUT_MS;
    d->restartMs = SIM_RESTART_MS;
    d->faults = {0, SIM_NO_FAULT, SIM_NO_FAULT, SIM_NO_FAULT, SIM_NO_FAULT, SIM_NO_FAULT, {}};
    std::memset(d->staged, 0, sizeof d->staged);
    ForgetStaged(d);
    d->remoteMode = 0;
    d->timedOut = 0;
    d->error = 0;
    d->restarting = 0;
    d->restartEndsMs = 0;
    d->lastActivityMs = 0;
    d->linkUp = 0;
    d->input.clear();
    d->output.clear();
    d->packetCount = 0;
    d->commitCount = 0;
    d->restartCount = 0;
    d->droppedLinks = 0;
    d->capturePackets = 0;
    d->received.clear();
    d->log = nullptr;
    d->logContext = nullptr;
    std::memset(d->items, 0, sizeof d->items);
    WriteIds(d->items);
}

int SimLoadState(SimDevice* d, const uint8_t* bytes, size_t size)
{
    if (size > static_cast<size_t>(DEVICE_IMAGE_SIZE) || (!bytes && size))
        return 0;
    std::memset(d->items, 0, sizeof d->items);
    WriteIds(d->items);
    for (size_t f = 0; f + ITEM_RECORD_SIZE <= size; f += ITEM_RECORD_SIZE) {
        const uint8_t* from = bytes + f;
        const int record = SimRecordOf(ReadU32Le(from));
        if (record < 0)
            continue;
        uint32_t length = ReadU32Le(from + ITEM_LENGTH_OFFSET);
        if (length > ITEM_VALUE_SIZE)
            length = ITEM_ABSENT;
        SimSetItem(d, record, from + ITEM_VALUE_OFFSET, length);
    }
    return 1;
}

int SimRecordOf(uint32_t id) { return FindItemRecord(id); }

uint8_t* SimItemValue(SimDevice* d, int record)
{
    if (record < 0 || record >= ITEM_COUNT)
        return nullptr;
    return RecordBytes(d->items, record) + ITEM_VALUE_OFFSET;
}

uint32_t SimItemLength(const SimDevice* d, int record)
{
    if (record < 0 || record >= ITEM_COUNT)
        return 0;
    return ReadU32Le(d->items + static_cast<size_t>(record) * ITEM_RECORD_SIZE +
                     ITEM_LENGTH_OFFSET);
}

void SimSetItem(SimDevice* d, int record, const uint8_t* value, uint32_t length)
{
    if (record < 0 || record >= ITEM_COUNT)
        return;
    uint8_t* at = RecordBytes(d->items, record);
    WriteU32Le(at, PositionItemId(record));
    WriteU32Le(at + ITEM_LENGTH_OFFSET, length);
    std::memset(at + ITEM_VALUE_OFFSET, 0, ITEM_VALUE_SIZE);
    if (value)
        std::memcpy(at + ITEM_VALUE_OFFSET, value, ITEM_VALUE_SIZE);
}

int SimMakeAbsent(SimDevice* d, int record)
{
    if (record < 0 || record >= ITEM_COUNT)
        return 0;
    SimSetItem(d, record, nullptr, ITEM_ABSENT);
    return 1;
}

void SimDescriptor(const SimDevice* d, uint8_t* descriptor)
{
    WriteU16Le(descriptor, d->vendorId);
    WriteU16Le(descriptor + 2, d->productId);
    WriteU16Le(descriptor + 4, SIM_RELEASE);
    WriteU16Le(descriptor + 6, SIM_LANGUAGE);
}

void SimTick(SimDevice* d, uint64_t nowMs)
{
    if (d->restarting && nowMs >= d->restartEndsMs) {
        d->restarting = 0;
        Log(d, "-- back after restart");
    }
    if (d->remoteMode && d->idleTimeoutMs && nowMs >= d->lastActivityMs &&
        nowMs - d->lastActivityMs >= d->idleTimeoutMs) {
        d->remoteMode = 0;
        d->timedOut = 1;
        Log(d, "-- remote mode timed out");
    }
}

int SimConnect(SimDevice* d, uint64_t nowMs)
{
    SimTick(d, nowMs);
    if (d->restarting)
        return 0;
    d->input.clear();
    d->output.clear();
    ForgetStaged(d);
    d->linkUp = 1;
    Log(d, "-- link open");
    return 1;
}

void SimDisconnect(SimDevice* d)
{
    if (d->linkUp)
        Log(d, "-- link closed");
    d->linkUp = 0;
    d->input.clear();
    d->output.clear();
    ForgetStaged(d);
}

void SimReceive(SimDevice* d, const uint8_t* bytes, size_t count, uint64_t nowMs)
{
    SimTick(d, nowMs);
    if (!d->linkUp || !bytes)
        return;
    d->input.insert(d->input.end(), bytes, bytes + count);
    size_t used = 0;
    while (d->linkUp && used < d->input.size()) {
        const uint8_t* at = d->input.data() + used;
        const size_t left = d->input.size() - used;
        if (at[0] != PACKET_MARKER) {
            // Framing is lost; a real device would see garbage here too.
            Log(d, "-- stray byte %02X", at[0]);
            d->error = 1;
            used++;
            continue;
        }
        CommandPacket packet;
        if (!DecodeCommandPacket(at, left, &packet))
            break;
        if (packet.length > ITEM_VALUE_SIZE) {
            Log(d, "-- packet announces %u data bytes", packet.length);
            d->error = 1;
            DropLink(d, "oversize packet");
            return;
        }
        if (left < COMMAND_PACKET_SIZE + packet.length)
            break;
        used += COMMAND_PACKET_SIZE + packet.length;
        Handle(d, packet, at + COMMAND_PACKET_SIZE, nowMs);
    }
    if (d->linkUp)
        d->input.erase(d->input.begin(), d->input.begin() + static_cast<long>(used));
}

size_t SimTakeOutput(SimDevice* d, uint8_t* buffer, size_t capacity)
{
    size_t n = d->output.size() < capacity ? d->output.size() : capacity;
    if (n == 0)
        return 0;
    std::memcpy(buffer, d->output.data(), n);
    d->output.erase(d->output.begin(), d->output.begin() + static_cast<long>(n));
    return n;
}

uint8_t SimStatus(const SimDevice* d)
{
    if (d->faults.forcedStatus != SIM_NO_FAULT)
        return static_cast<uint8_t>(d->faults.forcedStatus);
    if (d->timedOut)
        return DEVICE_STATUS_TIMED_OUT;
    if (d->error)
        return DEVICE_STATUS_ERROR;
    return d->remoteMode ? SIM_STATUS_REMOTE : static_cast<uint8_t>(DEVICE_STATUS_IDLE);
}

namespace {

// A number in decimal or, with 0x, hexadecimal; 1 when the whole text is one.
int ParseNumber(const char* text, unsigned long* value, int base = 0)
{
    if (!text || !*text)
        return 0;
    char* end = nullptr;
    errno = 0;
    *value = std::strtoul(text, &end, base);
    return errno == 0 && *end == '\0' && text[0] != '-' ? 1 : 0;
}

// The record a fault names: an id written in hexadecimal with 0x, a record number in decimal.
// -1 for anything else.
int FaultRecord(const char* arg)
{
    unsigned long n = 0;
    if (arg && std::strncmp(arg, "0x", 2) == 0 && ParseNumber(arg, &n) && n <= 0xFFFFFFFFul)
        return SimRecordOf(static_cast<uint32_t>(n));
    if (ParseNumber(arg, &n, 10) && n < ITEM_COUNT)
        return static_cast<int>(n);
    return -1;
}

}  // namespace

int SimApplyFault(SimDevice* d, const char* text)
{
    if (!text)
        return 0;
    unsigned long n = 0;
    const char* eq = std::strchr(text, '=');
    const std::string name = eq ? std::string(text, eq) : std::string(text);
    const char* arg = eq ? eq + 1 : nullptr;
    if (name == "silent" && !arg) {
        d->faults.silent = 1;
        return 1;
    }
    if (name == "status" && ParseNumber(arg, &n) && n <= 255) {
        d->faults.forcedStatus = static_cast<int>(n);
        return 1;
    }
    if (name == "drop-at" && ParseNumber(arg, &n, 10) && n < ITEM_COUNT) {
        d->faults.dropAtRecord = static_cast<int>(n);
        return 1;
    }
    if (name == "mute-at" && ParseNumber(arg, &n, 10) && n < ITEM_COUNT) {
        d->faults.muteAtRecord = static_cast<int>(n);
        return 1;
    }
    if (name == "oversize" && ParseNumber(arg, &n, 10) && n < ITEM_COUNT) {
        d->faults.oversizeRecord = static_cast<int>(n);
        return 1;
    }
    const int record = FaultRecord(arg);
    if (name == "absent")
        return SimMakeAbsent(d, record);
    if (name == "ignore" && record >= 2) {
        d->faults.keepsOldValue[record] = 1;
        return 1;
    }
    if (name == "panel-edit" && record >= 2) {
        d->faults.panelEditRecord = record;
        return 1;
    }
    if (name == "product-id" && ParseNumber(arg, &n, 16) && n <= 0xFFFF) {
        d->productId = static_cast<uint16_t>(n);
        return 1;
    }
    return 0;
}
