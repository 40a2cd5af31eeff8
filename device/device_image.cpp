// The device data image, its fixed record positions, and the one mapping table that carries
// values between the image and the edit state in both directions.
#include "device/device_image.h"

#include <cstdlib>
#include <cstring>

#include "device/byte_order.h"
#include "dial/dial_tables.h"

DeviceImage gDeviceImage = {nullptr};
EditState gEditState = {};
ForwardingBuffers gForwarding = {};

namespace {

// The id of every record, in record order. The order is the device's, not sorted: late
// additions (0x10210-0x10212, 0x10411, 0x10B03-0x10B06) stand after category 0x0D.
const uint32_t POSITION_IDS[ITEM_COUNT] = {
    0x3, 0x4,
    // 2-14
    0x1000B, 0x10000, 0x10001, 0x10002, 0x10005, 0x10006, 0x10003, 0x10004, 0x10007, 0x10008,
    0x10009, 0x1000A, 0x1000C,
    // 15-33
    0x10100, 0x10101, 0x10102, 0x10103, 0x10104, 0x10105, 0x10106, 0x10107, 0x10108, 0x10109,
    0x1010A, 0x1010B, 0x1010C, 0x1010D, 0x1010E, 0x1010F, 0x10110, 0x10111, 0x10112,
    // 34-48
    0x10200, 0x10201, 0x10202, 0x10203, 0x10204, 0x10205, 0x10206, 0x10207, 0x10209, 0x1020A,
    0x1020C, 0x1020B, 0x1020D, 0x1020E, 0x1020F,
    // 49-57
    0x10300, 0x10301, 0x10302, 0x10303, 0x10304, 0x10305, 0x10306, 0x10307, 0x10308,
    // 58-74
    0x10400, 0x10401, 0x10402, 0x10403, 0x10404, 0x10405, 0x10406, 0x10407, 0x10408, 0x10409,
    0x1040A, 0x1040B, 0x1040C, 0x1040D, 0x1040E, 0x1040F, 0x10410,
    // 75-81
    0x10500, 0x10501, 0x10502, 0x10504, 0x10600, 0x10601, 0x10602,
    // 82-88
    0x10700, 0x10702, 0x10704, 0x10706, 0x10707, 0x10709, 0x1070A,
    // 89-96
    0x10801, 0x10803, 0x10805, 0x10806, 0x10807, 0x10808, 0x1080A, 0x1080B,
    // 97-106
    0x10901, 0x10903, 0x10905, 0x10906, 0x10907, 0x10908, 0x1090A, 0x1090B, 0x1090F, 0x1090D,
    // 107-116
    0x10A01, 0x10A02, 0x10A03, 0x10A05, 0x10A07, 0x10A08, 0x10A09, 0x10A0B, 0x10A0C, 0x10A0D,
    // 117-127
    0x10B00, 0x10B01, 0x10B02, 0x10C02, 0x10C04, 0x10D00, 0x10D02, 0x10210, 0x10211, 0x10212,
    0x10411,
    // 128-131
    0x10B03, 0x10B05, 0x10B06, 0x10B04,
    // 132-161 Quick Dial keys, 162-251 Speed Dial entries: filled in below
};

// The dial records follow the settings; their ids ascend without gaps from the first key and
// entry, so they are computed rather than listed.
uint32_t IdAt(int record)
{
    if (record < QUICK_DIAL_FIRST_RECORD)
        return POSITION_IDS[record];
    if (record < SPEED_DIAL_FIRST_RECORD)
        return 0x12000 + static_cast<uint32_t>(record - QUICK_DIAL_FIRST_RECORD);
    return 0x12070 + static_cast<uint32_t>(record - SPEED_DIAL_FIRST_RECORD);
}

void WriteIds(uint8_t* bytes)
{
    for (int r = 0; r < ITEM_COUNT; r++)
        WriteU32Le(bytes + r * ITEM_RECORD_SIZE, IdAt(r));
}

// ---- The mapping table -------------------------------------------------------------------

enum MapKind : uint8_t {
    MAP_BYTES,       // `size` bytes copied as they are (bytes, arrays, dial entries)
    MAP_TEXT,        // `size` bytes copied whole, field has one extra byte kept 0
    MAP_U16,         // little-endian u16 into a uint16_t
    MAP_U32,         // little-endian u32 into a uint32_t
    MAP_FORWARDING,  // 72 bytes loaded; 72 or 52 stored as gForwarding.isEmail says
};

// One mapped item: `count` consecutive items from `id` (each `size` bytes into consecutive
// slots of the field) whose value bytes from `offset` belong to `field`.
struct EditMapping {
    uint32_t id;
    uint8_t offset;
    MapKind kind;
    uint8_t size;
    uint8_t count;
    void* field;
};

template <typename T>
constexpr EditMapping Byte(uint32_t id, T& field, uint8_t offset = 0)
{
    static_assert(sizeof(T) == 1, "a one-byte item needs a one-byte field");
    return {id, offset, MAP_BYTES, 1, 1, &field};
}

template <size_t N>
constexpr EditMapping Bytes(uint32_t id, uint8_t (&field)[N])
{
    return {id, 0, MAP_BYTES, static_cast<uint8_t>(N), 1, field};
}

template <size_t N>
constexpr EditMapping Text(uint32_t id, char (&field)[N])
{
    return {id, 0, MAP_TEXT, static_cast<uint8_t>(N - 1), 1, field};
}

constexpr EditMapping U16(uint32_t id, uint16_t& field, uint8_t offset)
{
    return {id, offset, MAP_U16, 2, 1, &field};
}

constexpr EditMapping U32(uint32_t id, uint32_t& field, uint8_t offset = 0)
{
    return {id, offset, MAP_U32, 4, 1, &field};
}

template <size_t ROWS, size_t N>
constexpr EditMapping DialRange(uint32_t firstId, uint8_t (&table)[ROWS][N])
{
    static_assert(N == ITEM_VALUE_SIZE, "a dial entry fills the value area");
    return {firstId, 0, MAP_BYTES, static_cast<uint8_t>(N), static_cast<uint8_t>(ROWS), table};
}

constexpr EditState& E = gEditState;

// Every item the edit state mirrors. Not here, on purpose: 0x10102-0x10104, 0x10107-0x1010C
// and 0x10408-0x1040C, which their pages edit in the image itself.
const EditMapping EDIT_MAP[] = {
    // 0x3: the four option bytes are one u32 on the device; byte copies are the same thing.
    Byte(0x3, E.config.adf, 0),
    Byte(0x3, E.config.optionalTray, 1),
    Byte(0x3, E.config.ethernetBoard, 2),
    Byte(0x3, E.config.bypassTray, 3),
    U16(0x3, E.config.memorySizeMb, 4),
    Byte(0x3, E.config.inchPaper, 6),
    U32(0x4, E.counters.values[0], 0),
    U32(0x4, E.counters.values[1], 4),
    U32(0x4, E.counters.values[2], 8),
    U32(0x4, E.counters.values[3], 12),
    U32(0x4, E.counters.values[4], 16),
    U32(0x4, E.counters.values[5], 20),
    U32(0x4, E.counters.values[6], 24),
    U32(0x4, E.counters.values[7], 28),
    U32(0x4, E.counters.values[8], 32),
    U32(0x4, E.counters.values[9], 36),
    U32(0x4, E.counters.values[10], 40),
    U32(0x4, E.counters.values[11], 44),
    U32(0x4, E.counters.values[12], 48),

    Byte(0x10000, E.system.autoReset),
    Byte(0x10001, E.system.autoResetTime),
    U32(0x10002, E.system.energySaverMinutes),
    Byte(0x10003, E.system.autoOff),
    U32(0x10004, E.system.autoOffMinutes),
    Byte(0x10005, E.system.languageSet),
    Byte(0x10006, E.system.language),
    Byte(0x10007, E.system.panelKeyVolume),
    Byte(0x10008, E.system.alertVolume),
    Byte(0x10009, E.system.lineVolume),
    Byte(0x1000A, E.system.daylightSaving),
    Byte(0x1000B, E.system.country),
    Byte(0x1000C, E.system.functionPriority),

    Byte(0x10100, E.paper.tray1Type),
    Byte(0x10101, E.paper.tray1Size),
    Byte(0x10105, E.paper.tray2Type),
    Byte(0x10106, E.paper.tray2Size),
    Byte(0x1010D, E.paper.bypassType),
    Byte(0x1010E, E.paper.bypassSize),
    Byte(0x1010F, E.paper.autoSelectTray1),
    Byte(0x10110, E.paper.autoSelectTray2),
    Byte(0x10111, E.paper.autoSelectBypass),
    Byte(0x10112, E.paper.extraSizes),

    Byte(0x10200, E.copy.paperTrayPriority),
    Byte(0x10201, E.copy.originalType),
    Byte(0x10202, E.copy.densityMode),
    Byte(0x10203, E.copy.autoDensity),
    Byte(0x10204, E.copy.manualDensity),
    Byte(0x10205, E.copy.sort),
    Byte(0x10206, E.copy.twoInOne),
    Byte(0x10207, E.copy.twoSidedOriginal),
    Byte(0x10209, E.copy.twoSidedCopy),
    Byte(0x1020A, E.copy.colorRed),
    Byte(0x1020B, E.copy.colorGreen),
    Byte(0x1020C, E.copy.colorBlue),
    Byte(0x1020D, E.copy.sharpness),
    Byte(0x1020E, E.copy.contrast),
    Byte(0x1020F, E.copy.faceDownEject),
    Byte(0x10210, E.copy.originalBinding),
    Byte(0x10211, E.copy.originalOrientation),
    Byte(0x10212, E.copy.outputOrder),

    Byte(0x10300, E.transmission.scanDensity),
    Byte(0x10301, E.transmission.resolution),
    Byte(0x10302, E.transmission.memoryTx),
    Byte(0x10303, E.transmission.printFaxHeader),
    Byte(0x10304, E.transmission.autoResend),
    Byte(0x10305, E.transmission.resendCount),
    Byte(0x10306, E.transmission.resendCountMax),
    Byte(0x10307, E.transmission.resendInterval),
    Byte(0x10308, E.transmission.resendIntervalMin),

    Byte(0x10400, E.reception.rxPrintTimer),
    Bytes(0x10401, E.reception.rxPrintTimerRecord),
    Byte(0x10402, E.reception.ringCount),
    Byte(0x10403, E.reception.ringCountMax),
    Byte(0x10404, E.reception.ringCountMin),
    Byte(0x10405, E.reception.autoReduce),
    Byte(0x10406, E.reception.rxType),
    Byte(0x10407, E.reception.rxMode),
    Byte(0x1040D, E.reception.forwarding),
    {0x1040E, 0, MAP_FORWARDING, FORWARD_LONG_SIZE, 1, gForwarding.destination},
    Byte(0x1040F, E.reception.faxFooter),
    Byte(0x10410, E.reception.closedNetwork),
    Byte(0x10411, E.reception.faxTrayPriority),

    Byte(0x10500, E.line.dialType),
    Byte(0x10501, E.line.pulseRate),
    Byte(0x10502, E.line.lineType),
    Text(0x10504, E.line.pabxPrefix),

    Byte(0x10600, E.report.journal),
    Byte(0x10601, E.report.txReport),
    Byte(0x10602, E.report.rxReport),

    Byte(0x10700, E.network.addressMode),
    U32(0x10702, E.network.ipAddress),
    U32(0x10704, E.network.subnetMask),
    U32(0x10706, E.network.gateway),
    Byte(0x10707, E.network.dnsActive),
    U32(0x10709, E.network.dnsServer),
    Byte(0x1070A, E.network.ethernetSpeed),

    Text(0x10801, E.ldap.serverName),
    Text(0x10803, E.ldap.userName),
    Text(0x10805, E.ldap.password),
    U32(0x10806, E.ldap.port),
    U32(0x10807, E.ldap.searchTimeout),
    U32(0x10808, E.ldap.maxResults),
    Text(0x1080A, E.ldap.searchBase),
    Byte(0x1080B, E.ldap.searchCondition),

    Text(0x10901, E.smtp.senderName),
    Text(0x10903, E.smtp.emailAddress),
    Text(0x10905, E.smtp.serverName),
    U32(0x10906, E.smtp.port),
    U32(0x10907, E.smtp.serverTimeout),
    Byte(0x10908, E.smtp.insertFixedText),
    Text(0x1090A, E.smtp.defaultSubject),
    Byte(0x1090B, E.smtp.authentication),
    Text(0x1090D, E.smtp.userName),
    Text(0x1090F, E.smtp.password),

    Text(0x10A01, E.pop3.serverName),
    U32(0x10A02, E.pop3.port),
    U32(0x10A03, E.pop3.serverTimeout),
    Text(0x10A05, E.pop3.userName),
    Text(0x10A07, E.pop3.password),
    Byte(0x10A08, E.pop3.autoReception),
    Byte(0x10A09, E.pop3.receptionInterval),
    Text(0x10A0B, E.pop3.adminEmail),
    Byte(0x10A0C, E.pop3.printCoverSheet),
    Byte(0x10A0D, E.pop3.saveErrorInfo),

    Byte(0x10B00, E.scanner.resolution),
    Byte(0x10B01, E.scanner.imageFormat),
    Byte(0x10B02, E.scanner.codingMethod),
    Byte(0x10B03, E.scanner.divideMode),
    U32(0x10B04, E.scanner.pageDivideKb),
    U32(0x10B05, E.scanner.sizeDivideKb),
    U32(0x10B06, E.scanner.maxDivisions),

    Text(0x10C02, E.properties.faxNumber),
    Text(0x10C04, E.properties.deviceName),

    Byte(0x10D00, E.restriction.enabled),
    Text(0x10D02, E.restriction.password),

    DialRange(0x12000, gQuickDialTable.entries),
    DialRange(0x12070, gSpeedDialTable.entries),
};

// Bytes of the value that one item of a mapping carries in direction `storing`.
int CarriedSize(const EditMapping& m, bool storing)
{
    if (m.kind == MAP_FORWARDING && storing && !gForwarding.isEmail)
        return FORWARD_SHORT_SIZE;
    return m.size;
}

void CopyItem(const EditMapping& m, int slot, bool storing)
{
    int record = FindItemRecord(m.id + static_cast<uint32_t>(slot));
    uint8_t* value = ItemValue(record);
    if (!value)
        return;
    uint8_t* at = value + m.offset;
    uint8_t* field = static_cast<uint8_t*>(m.field) + slot * m.size;
    switch (m.kind) {
    case MAP_U16: {
        uint16_t* number = static_cast<uint16_t*>(m.field);
        if (storing)
            WriteU16Le(at, *number);
        else
            *number = ReadU16Le(at);
        break;
    }
    case MAP_U32: {
        uint32_t* number = static_cast<uint32_t*>(m.field);
        if (storing)
            WriteU32Le(at, *number);
        else
            *number = ReadU32Le(at);
        break;
    }
    case MAP_TEXT:
        if (storing) {
            memcpy(at, field, m.size);
        } else {
            memcpy(field, at, m.size);
            field[m.size] = 0;
        }
        break;
    case MAP_BYTES:
    case MAP_FORWARDING:
        if (storing)
            memcpy(at, field, CarriedSize(m, true));
        else
            memcpy(field, at, CarriedSize(m, false));
        break;
    }
}

int CopyEditState(bool storing)
{
    if (!gDeviceImage.bytes)
        return 0;
    for (const EditMapping& m : EDIT_MAP) {
        for (int slot = 0; slot < m.count; slot++)
            CopyItem(m, slot, storing);
    }
    return 1;
}

}  // namespace

int CreateDeviceImage()
{
    if (!gDeviceImage.bytes) {
        gDeviceImage.bytes = static_cast<uint8_t*>(calloc(DEVICE_IMAGE_SIZE, 1));
        if (!gDeviceImage.bytes)
            return 0;
    }
    ResetDeviceImage();
    return 1;
}

void ResetDeviceImage()
{
    if (!gDeviceImage.bytes)
        return;
    memset(gDeviceImage.bytes, 0, DEVICE_IMAGE_SIZE);
    WriteIds(gDeviceImage.bytes);
}

void ReleaseDeviceImage()
{
    free(gDeviceImage.bytes);
    gDeviceImage.bytes = nullptr;
}

uint32_t PositionItemId(int record)
{
    if (record < 0 || record >= ITEM_COUNT)
        return 0;
    return IdAt(record);
}

int FindItemRecord(uint32_t id)
{
    for (int r = 0; r < ITEM_COUNT; r++) {
        if (IdAt(r) == id)
            return r;
    }
    return -1;
}

uint8_t* ItemRecordBytes(int record)
{
    if (!gDeviceImage.bytes || record < 0 || record >= ITEM_COUNT)
        return nullptr;
    return gDeviceImage.bytes + record * ITEM_RECORD_SIZE;
}

uint32_t ItemId(int record)
{
    const uint8_t* p = ItemRecordBytes(record);
    return p ? ReadU32Le(p) : 0;
}

uint32_t ItemLength(int record)
{
    const uint8_t* p = ItemRecordBytes(record);
    return p ? ReadU32Le(p + ITEM_LENGTH_OFFSET) : 0;
}

void SetItemLength(int record, uint32_t length)
{
    uint8_t* p = ItemRecordBytes(record);
    if (p)
        WriteU32Le(p + ITEM_LENGTH_OFFSET, length);
}

uint8_t* ItemValue(int record)
{
    uint8_t* p = ItemRecordBytes(record);
    return p ? p + ITEM_VALUE_OFFSET : nullptr;
}

uint32_t ItemValueLength(int record)
{
    uint32_t length = ItemLength(record);
    if (length == ITEM_ABSENT)
        return 0;
    return length > ITEM_VALUE_SIZE ? ITEM_VALUE_SIZE : length;
}

uint8_t* ItemValueById(uint32_t id) { return ItemValue(FindItemRecord(id)); }

int SetItemLengthById(uint32_t id, uint32_t length)
{
    int record = FindItemRecord(id);
    if (record < 0 || !gDeviceImage.bytes)
        return 0;
    SetItemLength(record, length);
    return 1;
}

int SetTextItemLength(uint32_t id, const char* text, size_t fieldSize)
{
    size_t length = 0;
    while (text && length < fieldSize && text[length])
        length++;
    return SetItemLengthById(id, static_cast<uint32_t>(length));
}

int ReadCounters(uint32_t counters[4])
{
    const uint8_t* value = ItemValueById(0x4);
    if (!value)
        return 0;
    for (int i = 0; i < 4; i++)
        counters[i] = ReadU32Le(value + 4 * i);
    return 1;
}

int LoadEditState() { return CopyEditState(false); }

int StoreEditState() { return CopyEditState(true); }
