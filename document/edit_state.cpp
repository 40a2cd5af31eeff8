// The one mapping table that carries values between the image and the edit state in both
// directions, and the commit with its text-length rule.
#include "document/edit_state.h"

#include <cstring>

#include "device/byte_order.h"

namespace {

enum MapKind : uint8_t {
    MAP_BYTES,       // `size` bytes copied as they are (bytes, arrays)
    MAP_TEXT,        // `size` bytes copied whole, field has one extra byte kept 0
    MAP_U16,         // little-endian u16 into a uint16_t
    MAP_U32,         // little-endian u32 into a uint32_t
    MAP_FORWARDING,  // 72 bytes loaded; 72 or 52 stored as forwarding.isEmail says
    MAP_DIAL,        // `count` dial entries: 130 value bytes and the record's length each
};

// One mapped item: `count` consecutive items from `id` whose value bytes from `offset` belong to
// the field at byte `field` of EditState (slot k of a dial range at `field` + k * size). Offsets
// rather than addresses, so the one table serves every EditState.
struct EditMapping {
    uint32_t id;
    uint8_t offset;
    MapKind kind;
    uint8_t size;
    uint8_t count;
    size_t field;
    size_t lengths;  // MAP_DIAL: the table's length array
};

#define FIELD(member) offsetof(EditState, member)

constexpr EditMapping Byte(uint32_t id, size_t field, uint8_t offset = 0)
{
    return {id, offset, MAP_BYTES, 1, 1, field, 0};
}
constexpr EditMapping Bytes(uint32_t id, size_t field, uint8_t size)
{
    return {id, 0, MAP_BYTES, size, 1, field, 0};
}
constexpr EditMapping Text(uint32_t id, size_t field, size_t fieldSize)
{
    return {id, 0, MAP_TEXT, static_cast<uint8_t>(fieldSize - 1), 1, field, 0};
}
constexpr EditMapping U16(uint32_t id, size_t field, uint8_t offset)
{
    return {id, offset, MAP_U16, 2, 1, field, 0};
}
constexpr EditMapping U32(uint32_t id, size_t field, uint8_t offset = 0)
{
    return {id, offset, MAP_U32, 4, 1, field, 0};
}

#define BYTE(id, member, ...) Byte(id, FIELD(member), ##__VA_ARGS__)
#define BYTES(id, member) Bytes(id, FIELD(member), sizeof(EditState::member))
#define TEXT(id, member) Text(id, FIELD(member), sizeof(EditState::member))
#define U16_(id, member, offset) U16(id, FIELD(member), offset)
#define U32_(id, member, ...) U32(id, FIELD(member), ##__VA_ARGS__)

static_assert(sizeof(QuickDialTable::entries[0]) == ITEM_VALUE_SIZE, "a key fills the value area");
static_assert(sizeof(SpeedDialTable::entries[0]) == ITEM_VALUE_SIZE, "an entry fills the value");

// Every item the edit state mirrors.
constexpr EditMapping EDIT_MAP[] = {
    // 0x3: the four option bytes are one u32 on the device; byte copies are the same thing.
    BYTE(0x3, config.adf, 0),
    BYTE(0x3, config.optionalTray, 1),
    BYTE(0x3, config.ethernetBoard, 2),
    BYTE(0x3, config.bypassTray, 3),
    U16_(0x3, config.memorySizeMb, 4),
    BYTE(0x3, config.inchPaper, 6),
    U32_(0x4, counters.values[0], 0),
    U32_(0x4, counters.values[1], 4),
    U32_(0x4, counters.values[2], 8),
    U32_(0x4, counters.values[3], 12),
    U32_(0x4, counters.values[4], 16),
    U32_(0x4, counters.values[5], 20),
    U32_(0x4, counters.values[6], 24),
    U32_(0x4, counters.values[7], 28),
    U32_(0x4, counters.values[8], 32),
    U32_(0x4, counters.values[9], 36),
    U32_(0x4, counters.values[10], 40),
    U32_(0x4, counters.values[11], 44),
    U32_(0x4, counters.values[12], 48),

    BYTE(0x10000, system.autoReset),
    BYTE(0x10001, system.autoResetTime),
    U32_(0x10002, system.energySaverMinutes),
    BYTE(0x10003, system.autoOff),
    U32_(0x10004, system.autoOffMinutes),
    BYTE(0x10005, system.languageSet),
    BYTE(0x10006, system.language),
    BYTE(0x10007, system.panelKeyVolume),
    BYTE(0x10008, system.alertVolume),
    BYTE(0x10009, system.lineVolume),
    BYTE(0x1000A, system.daylightSaving),
    BYTE(0x1000B, system.country),
    BYTE(0x1000C, system.functionPriority),

    BYTE(0x10100, paper.tray1Type),
    BYTE(0x10101, paper.tray1Size),
    BYTE(0x10105, paper.tray2Type),
    BYTE(0x10106, paper.tray2Size),
    BYTE(0x1010D, paper.bypassType),
    BYTE(0x1010E, paper.bypassSize),
    BYTE(0x1010F, paper.autoSelectTray1),
    BYTE(0x10110, paper.autoSelectTray2),
    BYTE(0x10111, paper.autoSelectBypass),
    BYTE(0x10112, paper.extraSizes),
    BYTE(0x10102, paper.sizeMode[0]),
    U16_(0x10103, paper.customX[0], 0),
    U16_(0x10104, paper.customY[0], 0),
    BYTE(0x10107, paper.sizeMode[1]),
    U16_(0x10108, paper.customX[1], 0),
    U16_(0x10109, paper.customY[1], 0),
    BYTE(0x1010A, paper.sizeMode[2]),
    U16_(0x1010B, paper.customX[2], 0),
    U16_(0x1010C, paper.customY[2], 0),

    BYTE(0x10200, copy.paperTrayPriority),
    BYTE(0x10201, copy.originalType),
    BYTE(0x10202, copy.densityMode),
    BYTE(0x10203, copy.autoDensity),
    BYTE(0x10204, copy.manualDensity),
    BYTE(0x10205, copy.sort),
    BYTE(0x10206, copy.twoInOne),
    BYTE(0x10207, copy.twoSidedOriginal),
    BYTE(0x10209, copy.twoSidedCopy),
    BYTE(0x1020A, copy.colorRed),
    BYTE(0x1020B, copy.colorGreen),
    BYTE(0x1020C, copy.colorBlue),
    BYTE(0x1020D, copy.sharpness),
    BYTE(0x1020E, copy.contrast),
    BYTE(0x1020F, copy.faceDownEject),
    BYTE(0x10210, copy.originalBinding),
    BYTE(0x10211, copy.originalOrientation),
    BYTE(0x10212, copy.outputOrder),

    BYTE(0x10300, transmission.scanDensity),
    BYTE(0x10301, transmission.resolution),
    BYTE(0x10302, transmission.memoryTx),
    BYTE(0x10303, transmission.printFaxHeader),
    BYTE(0x10304, transmission.autoResend),
    BYTE(0x10305, transmission.resendCount),
    BYTE(0x10306, transmission.resendCountMax),
    BYTE(0x10307, transmission.resendInterval),
    BYTE(0x10308, transmission.resendIntervalMin),

    BYTE(0x10400, reception.rxPrintTimer),
    BYTES(0x10401, reception.rxPrintTimerRecord),
    BYTE(0x10402, reception.ringCount),
    BYTE(0x10403, reception.ringCountMax),
    BYTE(0x10404, reception.ringCountMin),
    BYTE(0x10405, reception.autoReduce),
    BYTE(0x10406, reception.rxType),
    BYTE(0x10407, reception.rxMode),
    BYTE(0x10408, reception.timing[0]),
    BYTE(0x10409, reception.timing[1]),
    BYTE(0x1040A, reception.timing[2]),
    BYTE(0x1040B, reception.timing[3]),
    BYTE(0x1040C, reception.timing[4]),
    BYTE(0x1040D, reception.forwarding),
    {0x1040E, 0, MAP_FORWARDING, FORWARD_LONG_SIZE, 1, FIELD(forwarding.record), 0},
    BYTE(0x1040F, reception.faxFooter),
    BYTE(0x10410, reception.closedNetwork),
    BYTE(0x10411, reception.faxTrayPriority),

    BYTE(0x10500, line.dialType),
    BYTE(0x10501, line.pulseRate),
    BYTE(0x10502, line.lineType),
    TEXT(0x10504, line.pabxPrefix),

    BYTE(0x10600, report.journal),
    BYTE(0x10601, report.txReport),
    BYTE(0x10602, report.rxReport),

    BYTE(0x10700, network.addressMode),
    U32_(0x10702, network.ipAddress),
    U32_(0x10704, network.subnetMask),
    U32_(0x10706, network.gateway),
    BYTE(0x10707, network.dnsActive),
    U32_(0x10709, network.dnsServer),
    BYTE(0x1070A, network.ethernetSpeed),

    TEXT(0x10801, ldap.serverName),
    TEXT(0x10803, ldap.userName),
    TEXT(0x10805, ldap.password),
    U32_(0x10806, ldap.port),
    U32_(0x10807, ldap.searchTimeout),
    U32_(0x10808, ldap.maxResults),
    TEXT(0x1080A, ldap.searchBase),
    BYTE(0x1080B, ldap.searchCondition),

    TEXT(0x10901, smtp.senderName),
    TEXT(0x10903, smtp.emailAddress),
    TEXT(0x10905, smtp.serverName),
    U32_(0x10906, smtp.port),
    U32_(0x10907, smtp.serverTimeout),
    BYTE(0x10908, smtp.insertFixedText),
    TEXT(0x1090A, smtp.defaultSubject),
    BYTE(0x1090B, smtp.authentication),
    TEXT(0x1090D, smtp.userName),
    TEXT(0x1090F, smtp.password),

    TEXT(0x10A01, pop3.serverName),
    U32_(0x10A02, pop3.port),
    U32_(0x10A03, pop3.serverTimeout),
    TEXT(0x10A05, pop3.userName),
    TEXT(0x10A07, pop3.password),
    BYTE(0x10A08, pop3.autoReception),
    BYTE(0x10A09, pop3.receptionInterval),
    TEXT(0x10A0B, pop3.adminEmail),
    BYTE(0x10A0C, pop3.printCoverSheet),
    BYTE(0x10A0D, pop3.saveErrorInfo),

    BYTE(0x10B00, scanner.resolution),
    BYTE(0x10B01, scanner.imageFormat),
    BYTE(0x10B02, scanner.codingMethod),
    BYTE(0x10B03, scanner.divideMode),
    U32_(0x10B04, scanner.pageDivideKb),
    U32_(0x10B05, scanner.sizeDivideKb),
    U32_(0x10B06, scanner.maxDivisions),

    TEXT(0x10C02, properties.faxNumber),
    TEXT(0x10C04, properties.deviceName),

    BYTE(0x10D00, restriction.enabled),
    TEXT(0x10D02, restriction.password),

    {0x12000, 0, MAP_DIAL, ITEM_VALUE_SIZE, QUICK_KEY_COUNT, FIELD(quickDial.entries),
     FIELD(quickDial.lengths)},
    {0x12070, 0, MAP_DIAL, ITEM_VALUE_SIZE, SPEED_DIAL_COUNT, FIELD(speedDial.entries),
     FIELD(speedDial.lengths)},
};

#undef BYTE
#undef BYTES
#undef TEXT
#undef U16_
#undef U32_
#undef FIELD

// Only a dial range spans several items; every other mapping is one item.
constexpr bool OnlyDialRangesRepeat()
{
    for (const EditMapping& m : EDIT_MAP)
        if (m.count != 1 && m.kind != MAP_DIAL)
            return false;
    return true;
}
static_assert(OnlyDialRangesRepeat(), "a mapping of several items must be a dial range");

// A numeric field of the edit state, wherever its offset puts it.
template <typename T>
T FieldAt(const uint8_t* p)
{
    T v;
    memcpy(&v, p, sizeof v);
    return v;
}

template <typename T>
void SetFieldAt(uint8_t* p, T v)
{
    memcpy(p, &v, sizeof v);
}

// Bytes of the value that one item of a mapping carries in direction `storing`.
int CarriedSize(const EditMapping& m, const EditState& state, bool storing)
{
    if (m.kind == MAP_FORWARDING && storing && !state.forwarding.isEmail)
        return FORWARD_SHORT_SIZE;
    return m.size;
}

void CopyItem(const EditMapping& m, int slot, uint8_t* fields, const EditState& state,
              const DeviceImage& image, bool storing)
{
    uint8_t* record = ItemRecordBytes(image, FindItemRecord(m.id + static_cast<uint32_t>(slot)));
    if (!record)
        return;
    uint8_t* at = record + ITEM_VALUE_OFFSET + m.offset;
    uint8_t* field = fields + m.field + static_cast<size_t>(slot) * m.size;
    switch (m.kind) {
    case MAP_U16:
        if (storing)
            WriteU16Le(at, FieldAt<uint16_t>(field));
        else
            SetFieldAt<uint16_t>(field, ReadU16Le(at));
        break;
    case MAP_U32:
        if (storing)
            WriteU32Le(at, FieldAt<uint32_t>(field));
        else
            SetFieldAt<uint32_t>(field, ReadU32Le(at));
        break;
    case MAP_TEXT:
        if (storing) {
            memcpy(at, field, m.size);
        } else {
            memcpy(field, at, m.size);
            field[m.size] = 0;
        }
        break;
    case MAP_DIAL: {
        uint8_t* length = fields + m.lengths + static_cast<size_t>(slot) * sizeof(uint32_t);
        if (storing) {
            memcpy(at, field, m.size);
            WriteU32Le(record + ITEM_LENGTH_OFFSET, FieldAt<uint32_t>(length));
        } else {
            memcpy(field, at, m.size);
            SetFieldAt<uint32_t>(length, ReadU32Le(record + ITEM_LENGTH_OFFSET));
        }
        break;
    }
    case MAP_BYTES:
    case MAP_FORWARDING:
        memcpy(storing ? at : field, storing ? field : at, CarriedSize(m, state, storing));
        break;
    }
}

}  // namespace

int LoadEditState(EditState& state, const DeviceImage& image)
{
    if (!image.bytes)
        return 0;
    for (const EditMapping& m : EDIT_MAP)
        for (int slot = 0; slot < m.count; slot++)
            CopyItem(m, slot, reinterpret_cast<uint8_t*>(&state), state, image, false);
    return 1;
}

int StoreEditState(const EditState& state, DeviceImage& image)
{
    if (!image.bytes)
        return 0;
    // Storing only reads the fields; CopyItem shares one body for both directions.
    uint8_t* fields = reinterpret_cast<uint8_t*>(const_cast<EditState*>(&state));
    for (const EditMapping& m : EDIT_MAP)
        for (int slot = 0; slot < m.count; slot++)
            CopyItem(m, slot, fields, state, image, true);
    return 1;
}

int CommitEditState(const EditState& state, DeviceImage& image)
{
    if (!image.bytes)
        return 0;
    constexpr int TEXT_MAX = sizeof EDIT_MAP / sizeof EDIT_MAP[0];
    const uint8_t* fields = reinterpret_cast<const uint8_t*>(&state);
    uint8_t changed[TEXT_MAX] = {};
    for (int i = 0; i < TEXT_MAX; i++) {
        const EditMapping& m = EDIT_MAP[i];
        const uint8_t* record = ImageItemRecord(image, m.id);
        changed[i] = m.kind == MAP_TEXT && record &&
                     memcmp(record + ITEM_VALUE_OFFSET, fields + m.field, m.size) != 0;
    }
    StoreEditState(state, image);
    for (int i = 0; i < TEXT_MAX; i++) {
        if (!changed[i])
            continue;
        const EditMapping& m = EDIT_MAP[i];
        const char* text = reinterpret_cast<const char*>(fields + m.field);
        uint32_t length = 0;
        while (length < m.size && text[length])
            length++;
        SetPresentItemLength(image, m.id, length);
    }
    return 1;
}

int EditFieldOfItem(uint32_t id, size_t* offset, size_t* size)
{
    for (const EditMapping& m : EDIT_MAP) {
        if (m.id != id || m.kind == MAP_DIAL || id == 0x3 || id == 0x4)
            continue;
        *offset = m.field;
        *size = m.kind == MAP_TEXT ? m.size + 1u : m.size;
        return 1;
    }
    return 0;
}
