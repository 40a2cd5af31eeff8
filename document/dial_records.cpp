// Dial entry records: stored form <-> edit form. See dial_records.h.
#include "document/dial_records.h"

#include <cstring>
#include <ctime>

#include "device/byte_order.h"
#include "document/edit_state.h"

namespace {

// Byte positions of the fields that the Quick Dial and Speed Dial forms share in different
// places. Byte 0 (number), 1 (flags) and 2 (number, address or member count length) are common.
struct EntryLayout {
    int nameLength;
    int name;
    int date;
    int speed;
    int subLength;
    int sidLength;
    int number;
    int sub;
    int sid;
    int customScan;  // e-mail form
    int address;     // e-mail form
};

constexpr EntryLayout QUICK_LAYOUT = {4, 5, 26, 30, 31, 32, 33, 58, 68, 30, 34};
constexpr EntryLayout SPEED_LAYOUT = {3, 4, 24, 26, 27, 28, 29, 54, 64, 26, 30};

constexpr int GROUP_PAIRS = 30;
constexpr int NUMBER_BYTES = (DIAL_NUMBER_MAX + 1) / 2;  // 25
constexpr int CODE_BYTES = (DIAL_CODE_MAX + 1) / 2;      // 10
constexpr uint8_t SPEED_NUMBER_MARK = 0x80;

// Windows-1252 -> device pairs. Not an involution: 224 is a-grave on one side and the device's
// sharp s on the other, so each direction has a map of its own.
constexpr uint8_t CHARSET_PAIRS[][2] = {
    {196, 142}, {228, 132}, {197, 143}, {229, 131}, {198, 146}, {230, 145}, {224, 133},
    {199, 128}, {231, 135}, {201, 144}, {233, 130}, {232, 138}, {236, 141}, {237, 161},
    {238, 140}, {209, 156}, {241, 155}, {214, 153}, {246, 148}, {216, 174}, {248, 175},
    {242, 149}, {223, 224}, {220, 154}, {252, 129}, {249, 151}, {250, 163}, {191, 159},
};

struct CharsetMap {
    uint8_t to[256];
};

constexpr CharsetMap MakeCharsetMap(int from, int to)
{
    CharsetMap map{};
    for (int c = 0; c < 256; c++)
        map.to[c] = static_cast<uint8_t>(c);
    for (const auto& pair : CHARSET_PAIRS)
        map.to[pair[from]] = pair[to];
    return map;
}

constexpr CharsetMap TO_DEVICE = MakeCharsetMap(0, 1);
constexpr CharsetMap FROM_DEVICE = MakeCharsetMap(1, 0);

void ConvertBytes(uint8_t* bytes, size_t count, const CharsetMap& map, int japaneseMode)
{
    if (japaneseMode)
        return;
    for (size_t i = 0; i < count; i++)
        bytes[i] = map.to[bytes[i]];
}

size_t BoundedLength(const char* text, size_t max)
{
    size_t n = 0;
    while (n < max && text[n])
        n++;
    return n;
}

// Reads a stored text of `length` bytes, or of `max` bytes where the stored field ends: the
// plausibility checks refuse longer lengths, and this keeps any length inside both fields.
template <size_t N>
void ReadText(char (&field)[N], const uint8_t* stored, int length, int max)
{
    static_assert(N > 0, "room for the terminator");
    int n = length < max ? length : max;
    if (n > static_cast<int>(N) - 1)
        n = static_cast<int>(N) - 1;
    std::memcpy(field, stored, static_cast<size_t>(n));
    field[n] = '\0';
}

// The same for packed dial digits; `max` is in characters.
template <size_t N>
void ReadDigits(char (&field)[N], const uint8_t* packed, int length, int max)
{
    int n = length < max ? length : max;
    if (n > static_cast<int>(N) - 1)
        n = static_cast<int>(N) - 1;
    UnpackDialDigits(field, packed, n);
}

// Stores at most `max` characters of `text` at `out` in the device character set; returns the
// stored length.
uint8_t StoreText(uint8_t* out, const char* text, size_t max, int japaneseMode)
{
    size_t length = BoundedLength(text, max);
    std::memcpy(out, text, length);
    ConvertBytes(out, length, TO_DEVICE, japaneseMode);
    return static_cast<uint8_t>(length);
}

uint8_t StorePacked(uint8_t* out, int fieldBytes, const char* text, int max)
{
    int length = static_cast<int>(BoundedLength(text, static_cast<size_t>(max)));
    std::memset(out, 0, static_cast<size_t>(fieldBytes));
    PackDialDigits(out, text, length);
    return static_cast<uint8_t>(length);
}

int MemberLimit(int count) { return count < GROUP_MEMBER_MAX ? count : GROUP_MEMBER_MAX; }

int IsGroupFlags(uint8_t flags) { return (flags & FLAG_HIGH) && !(flags & FLAG_QUICK); }

int FaxLengthsFit(const uint8_t* entry, const EntryLayout& at)
{
    return entry[2] <= DIAL_NUMBER_MAX && entry[at.nameLength] <= DIAL_NAME_MAX &&
           entry[at.subLength] <= DIAL_CODE_MAX && entry[at.sidLength] <= DIAL_CODE_MAX;
}

int EmailLengthsFit(const uint8_t* entry, const EntryLayout& at)
{
    return entry[2] <= DIAL_EMAIL_MAX && entry[at.nameLength] <= DIAL_NAME_MAX;
}

// An e-mail entry whose stored address holds a zero byte inside its length: unusable, and erased
// where data arrives.
int HasShortAddress(const uint8_t* entry, const EntryLayout& at)
{
    int length = entry[2] < DIAL_EMAIL_MAX ? entry[2] : DIAL_EMAIL_MAX;
    return static_cast<int>(BoundedLength(reinterpret_cast<const char*>(entry + at.address),
                                          static_cast<size_t>(length))) < length;
}

void ReadName(DialRecord* record, const uint8_t* entry, const EntryLayout& at, int japaneseMode)
{
    ReadText(record->name, entry + at.name, entry[at.nameLength], DIAL_NAME_MAX);
    FromDeviceCharset(record->name, japaneseMode);
}

void ReadFaxFields(DialRecord* record, const uint8_t* entry, const EntryLayout& at,
                   int japaneseMode)
{
    ReadDigits(record->faxNumber, entry + at.number, entry[2], DIAL_NUMBER_MAX);
    if (record->chain)
        return;
    ReadName(record, entry, at, japaneseMode);
    ReadDigits(record->sub, entry + at.sub, entry[at.subLength], DIAL_CODE_MAX);
    ReadDigits(record->sid, entry + at.sid, entry[at.sidLength], DIAL_CODE_MAX);
    uint8_t code = entry[at.speed];
    record->speed = code >= 2 ? static_cast<uint8_t>(code - 2) : 2;
}

// Reads the e-mail form; 0 with the record emptied when the address is cut short by a zero byte.
int ReadEmailFields(DialRecord* record, const uint8_t* entry, const EntryLayout& at,
                    int convertAddress, const EditState& state)
{
    if (HasShortAddress(entry, at)) {
        std::memset(record, 0, sizeof *record);
        return 0;
    }
    const int japaneseMode = IsJapaneseMode(state);
    ReadText(record->email, entry + at.address, entry[2], DIAL_EMAIL_MAX);
    if (convertAddress)
        FromDeviceCharset(record->email, japaneseMode);
    if (!record->chain)
        ReadName(record, entry, at, japaneseMode);
    record->customScan = entry[at.customScan];
    record->scanSize = ScanSizeIndex(entry[at.customScan + 1], IsInchDevice(state));
    record->scanResolution = static_cast<uint8_t>(entry[at.customScan + 2] - 1);
    record->scanCoding = entry[at.customScan + 3];
    return 1;
}

// Writes everything of a destination but bytes 0 and 1, which differ between the forms.
void WriteDestination(uint8_t* entry, DialRecord* record, const EntryLayout& at,
                      const EditState& state)
{
    const int japaneseMode = IsJapaneseMode(state);
    entry[at.nameLength] = StoreText(entry + at.name, record->name, DIAL_NAME_MAX, japaneseMode);
    WriteU16Le(entry + at.date, record->entryDate);
    if (record->destType == DEST_EMAIL) {
        entry[2] = StoreText(entry + at.address, record->email, DIAL_EMAIL_MAX, japaneseMode);
        entry[at.customScan] = record->customScan;
        entry[at.customScan + 1] = ScanSizeCode(record->scanSize, IsInchDevice(state));
        entry[at.customScan + 2] = static_cast<uint8_t>(record->scanResolution + 1);
        entry[at.customScan + 3] = record->scanCoding;
        return;
    }
    entry[2] = StorePacked(entry + at.number, NUMBER_BYTES, record->faxNumber, DIAL_NUMBER_MAX);
    entry[at.sidLength] = StorePacked(entry + at.sid, CODE_BYTES, record->sid, DIAL_CODE_MAX);
    entry[at.subLength] = StorePacked(entry + at.sub, CODE_BYTES, record->sub, DIAL_CODE_MAX);
    if (entry[at.subLength] == 0) {
        // A SID is only stored together with a SUB; its packed bytes stay as written.
        entry[at.sidLength] = 0;
        std::memset(record->sid, 0, sizeof record->sid);
    }
    entry[at.speed] = static_cast<uint8_t>(record->speed + 2);
}

void WriteGroup(EditState& state, const DialRecord& record, int index, const DialMember* members,
                const uint8_t* tables, int count)
{
    uint8_t* entry = state.quickDial.entries[index];
    for (int k = 0; k < count; k++) {
        entry[GROUP_PAIRS + 2 * k] = tables ? tables[k] : members[k].table;
        entry[GROUP_PAIRS + 2 * k + 1] = static_cast<uint8_t>(members[k].index + 1);
    }
    entry[0] = static_cast<uint8_t>(index + 1);
    entry[1] = FLAG_HIGH;
    entry[2] = static_cast<uint8_t>(count);
    entry[QUICK_LAYOUT.nameLength] =
        StoreText(entry + QUICK_LAYOUT.name, record.name, DIAL_NAME_MAX, IsJapaneseMode(state));
    WriteU16Le(entry + QUICK_LAYOUT.date, record.entryDate);
    state.quickDial.lengths[index] = GROUP_LENGTH;
}

int QuickIndexValid(int index) { return index >= 0 && index < QUICK_KEY_COUNT; }

int SpeedIndexValid(int index) { return index >= 0 && index < SPEED_DIAL_COUNT; }

int ClampKeyCount(int keyCount)
{
    if (keyCount < 0)
        return 0;
    return keyCount < QUICK_KEY_COUNT ? keyCount : QUICK_KEY_COUNT;
}

}  // namespace

int IsProgramKeyMarked(const QuickDialTable& table, int index, int firstProgramKey)
{
    const int k = index - firstProgramKey;
    if (k < 0 || k >= PROGRAM_KEY_COUNT || !QuickIndexValid(index))
        return 0;
    return (table.entries[index][1] & FLAG_PROGRAM) ? 1 : 0;
}

void PackDialDigits(uint8_t* out, const char* text, int length)
{
    auto nibble = [](char c) -> uint8_t {
        const char* at = c ? std::strchr(DIAL_DIGITS, c) : nullptr;
        return at ? static_cast<uint8_t>(at - DIAL_DIGITS) : 0;
    };
    for (int i = 0; i < length; i += 2) {
        uint8_t high = i + 1 < length ? nibble(text[i + 1]) : 0;
        out[i / 2] = static_cast<uint8_t>(nibble(text[i]) | (high << 4));
    }
}

void UnpackDialDigits(char* text, const uint8_t* packed, int length)
{
    for (int i = 0; i < length; i++) {
        uint8_t byte = packed[i / 2];
        text[i] = DIAL_DIGITS[(i & 1) ? byte >> 4 : byte & 0x0F];
    }
    text[length > 0 ? length : 0] = '\0';
}

void ToDeviceCharset(char* text, int japaneseMode)
{
    ConvertBytes(reinterpret_cast<uint8_t*>(text), std::strlen(text), TO_DEVICE, japaneseMode);
}

void FromDeviceCharset(char* text, int japaneseMode)
{
    ConvertBytes(reinterpret_cast<uint8_t*>(text), std::strlen(text), FROM_DEVICE, japaneseMode);
}

int IsDeviceCharsetLetter(uint8_t windows1252)
{
    for (const auto& pair : CHARSET_PAIRS)
        if (pair[0] == windows1252)
            return 1;
    return 0;
}

int IsJapaneseMode(const EditState& state) { return state.system.languageSet == 1; }

int IsInchDevice(const EditState& state) { return state.config.inchPaper == 1; }

uint8_t ScanSizeCode(int scanSize, int inchDevice)
{
    // Rows: metric A4, B4 JIS, A3, then inch Letter, Ledger.
    static const uint8_t CODES[] = {2, 1, 0, 12, 9};
    int row = inchDevice ? scanSize + 3 : scanSize;
    return row >= 0 && row < 5 ? CODES[row] : 0;
}

uint8_t ScanSizeIndex(uint8_t code, int inchDevice)
{
    switch (code) {
    case 0:
    case 9:
        return inchDevice ? 1 : 2;
    case 1:
        return 1;
    default:  // 2, 12 and every unknown code
        return 0;
    }
}

uint16_t EntryDateFor(int year, int month, int day)
{
    int years = ((year + 48) % 128 + 128) % 128;  // year - 2000, modulo 128
    return static_cast<uint16_t>(years * 512 + (month & 0x0F) * 32 + (day & 0x1F));
}

uint16_t MakeEntryDate()
{
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local)
        return 0;
    return EntryDateFor(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
}

int IsPlausibleQuickKey(const uint8_t* entry)
{
    uint8_t flags = entry[1];
    if ((flags & FLAG_EMAIL) && !EmailLengthsFit(entry, QUICK_LAYOUT))
        return 0;
    // A group's bytes 30 onwards are member pairs, not SUB and SID lengths.
    if (IsGroupFlags(flags))
        return entry[2] <= GROUP_MEMBER_MAX && entry[QUICK_LAYOUT.nameLength] <= DIAL_NAME_MAX;
    if (!(flags & FLAG_EMAIL))
        return FaxLengthsFit(entry, QUICK_LAYOUT);
    return 1;
}

int IsPlausibleSpeedEntry(const uint8_t* entry)
{
    if (entry[1] & FLAG_EMAIL)
        return EmailLengthsFit(entry, SPEED_LAYOUT);
    return FaxLengthsFit(entry, SPEED_LAYOUT);
}

int DecodeQuickKey(DialRecord* record, const EditState& state, int index)
{
    std::memset(record, 0, sizeof *record);
    if (!QuickIndexValid(index))
        return 0;
    const uint8_t* entry = state.quickDial.entries[index];
    uint8_t flags = entry[1];
    if (flags & FLAG_PROGRAM) {
        record->programDial = 1;
        record->kind = KIND_QUICK;
        record->inUse = 1;
        return 1;
    }
    if (flags == 0 || entry[2] == 0 || !IsPlausibleQuickKey(entry))
        return 0;

    int group = IsGroupFlags(flags);
    if (flags & FLAG_QUICK)
        record->kind = KIND_QUICK;
    if (group) {
        record->kind = KIND_GROUP;
        record->high = 1;
        record->memberCount = entry[2];
    }
    record->inUse = 1;
    record->index = static_cast<uint8_t>(index);
    record->chain = (flags & FLAG_CHAIN) ? 1 : 0;
    record->entryDate = ReadU16Le(entry + QUICK_LAYOUT.date);
    if (flags & FLAG_EMAIL) {
        record->destType = DEST_EMAIL;
        return ReadEmailFields(record, entry, QUICK_LAYOUT, 0, state);
    }
    record->destType = DEST_FAX;
    if (group) {
        // Number, SUB and SID places hold member pairs in a group: only the name means anything.
        if (!record->chain)
            ReadName(record, entry, QUICK_LAYOUT, IsJapaneseMode(state));
        return 1;
    }
    ReadFaxFields(record, entry, QUICK_LAYOUT, IsJapaneseMode(state));
    return 1;
}

int DecodeSpeedEntry(DialRecord* record, const EditState& state, int index)
{
    std::memset(record, 0, sizeof *record);
    if (!SpeedIndexValid(index))
        return 0;
    const uint8_t* entry = state.speedDial.entries[index];
    uint8_t flags = entry[1];
    if (flags == 0 || entry[2] == 0 || !IsPlausibleSpeedEntry(entry))
        return 0;

    record->programDial = (flags & FLAG_PROGRAM) ? 1 : 0;
    record->kind = (flags & FLAG_SPEED) ? KIND_SPEED : KIND_NONE;
    record->high = (flags & FLAG_HIGH) ? 1 : 0;
    record->inUse = 1;
    record->index = static_cast<uint8_t>(index);
    record->chain = (flags & FLAG_CHAIN) ? 1 : 0;
    record->entryDate = ReadU16Le(entry + SPEED_LAYOUT.date);
    if (flags & FLAG_EMAIL) {
        record->destType = DEST_EMAIL;
        return ReadEmailFields(record, entry, SPEED_LAYOUT, 1, state);
    }
    record->destType = DEST_FAX;
    ReadFaxFields(record, entry, SPEED_LAYOUT, IsJapaneseMode(state));
    return 1;
}

int DecodeGroupKey(DialRecord* record, const EditState& state, int index)
{
    std::memset(record, 0, sizeof *record);
    if (!QuickIndexValid(index))
        return 0;
    const uint8_t* entry = state.quickDial.entries[index];
    uint8_t flags = entry[1];
    if (flags & FLAG_QUICK)
        return DecodeQuickKey(record, state, index);
    if (entry[2] < 1 || entry[2] > GROUP_MEMBER_MAX || flags == 0)
        return 0;
    record->memberCount = entry[2];
    // A program-dial key is the device's own, whatever its other bits say: never a group here,
    // so nothing rewrites it as one.
    if (entry[QUICK_LAYOUT.nameLength] > DIAL_NAME_MAX || !(flags & FLAG_HIGH) ||
        (flags & FLAG_PROGRAM))
        return 0;
    record->high = 1;
    record->index = static_cast<uint8_t>(index);
    record->inUse = 1;
    record->destType = DEST_FAX;
    record->kind = KIND_GROUP;
    record->chain = (flags & FLAG_CHAIN) ? 1 : 0;
    ReadName(record, entry, QUICK_LAYOUT, IsJapaneseMode(state));
    record->entryDate = ReadU16Le(entry + QUICK_LAYOUT.date);
    for (int k = 0; k < record->memberCount; k++) {
        record->members[k].table = entry[GROUP_PAIRS + 2 * k];
        record->members[k].index = static_cast<uint8_t>(entry[GROUP_PAIRS + 2 * k + 1] - 1);
    }
    return 1;
}

int TidyDialDirectory(EditState& state, int keyCount)
{
    int changed = 0;
    auto erase = [&changed](uint8_t* entry, uint32_t* length) {
        std::memset(entry, 0, DIAL_ENTRY_SIZE);
        *length = 0;
        changed++;
    };
    for (int i = 0; i < ClampKeyCount(keyCount); i++) {
        uint8_t* entry = state.quickDial.entries[i];
        const uint8_t flags = entry[1];
        if (!(flags & FLAG_PROGRAM) && (flags & FLAG_EMAIL) && entry[2] != 0 &&
            IsPlausibleQuickKey(entry) && HasShortAddress(entry, QUICK_LAYOUT))
            erase(entry, &state.quickDial.lengths[i]);
    }
    for (int i = 0; i < SPEED_DIAL_COUNT; i++) {
        uint8_t* entry = state.speedDial.entries[i];
        const uint8_t flags = entry[1];
        if (flags == 0 || entry[2] == 0 || !IsPlausibleSpeedEntry(entry))
            continue;
        if ((flags & FLAG_EMAIL) && HasShortAddress(entry, SPEED_LAYOUT)) {
            erase(entry, &state.speedDial.lengths[i]);
            continue;
        }
        // An accepted entry is sent with the length of its stored form.
        const uint32_t length = (flags & FLAG_EMAIL) ? SPEED_EMAIL_LENGTH : SPEED_FAX_LENGTH;
        if (state.speedDial.lengths[i] != length) {
            state.speedDial.lengths[i] = length;
            changed++;
        }
    }
    return changed;
}

int EncodeQuickKey(EditState& state, DialRecord* record, int index)
{
    if (!QuickIndexValid(index))
        return 0;
    if (record->programDial)
        return 1;
    uint8_t* entry = state.quickDial.entries[index];
    std::memset(entry, 0, DIAL_ENTRY_SIZE);
    if (!record->inUse)
        return 1;
    entry[0] = static_cast<uint8_t>(index + 1);
    WriteDestination(entry, record, QUICK_LAYOUT, state);
    uint8_t flags = record->kind == KIND_QUICK ? FLAG_QUICK : 0;
    if (record->chain)
        flags |= FLAG_CHAIN;
    if (record->destType == DEST_EMAIL) {
        entry[1] = flags | FLAG_EMAIL;
        state.quickDial.lengths[index] = QUICK_EMAIL_LENGTH;
    } else {
        entry[1] = flags | FLAG_FAX | (record->high ? FLAG_HIGH : 0);
        state.quickDial.lengths[index] = QUICK_FAX_LENGTH;
    }
    return 1;
}

int EncodeSpeedEntry(EditState& state, DialRecord* record, int index)
{
    if (!SpeedIndexValid(index))
        return 0;
    uint8_t* entry = state.speedDial.entries[index];
    std::memset(entry, 0, DIAL_ENTRY_SIZE);
    if (!record->inUse)
        return 1;
    entry[0] = static_cast<uint8_t>((index + 1) | SPEED_NUMBER_MARK);
    WriteDestination(entry, record, SPEED_LAYOUT, state);
    uint8_t flags = FLAG_SPEED | (record->chain ? FLAG_CHAIN : 0);
    if (record->destType == DEST_EMAIL) {
        entry[1] = flags | FLAG_EMAIL;
        state.speedDial.lengths[index] = SPEED_EMAIL_LENGTH;
    } else {
        entry[1] = flags | FLAG_FAX | (record->high ? FLAG_HIGH : 0);
        state.speedDial.lengths[index] = SPEED_FAX_LENGTH;
    }
    return 1;
}

int EncodeGroupKey(EditState& state, const DialRecord& record, int index,
                   const DialMember* quickMembers, int quickCount, const DialMember* speedMembers,
                   int speedCount)
{
    if (!QuickIndexValid(index))
        return 0;
    std::memset(state.quickDial.entries[index], 0, DIAL_ENTRY_SIZE);
    if (!record.inUse)
        return 1;
    DialMember members[GROUP_MEMBER_MAX];
    uint8_t tables[GROUP_MEMBER_MAX];
    int count = 0;
    auto add = [&](const DialMember* list, int n, uint8_t table) {
        for (int k = 0; k < n && count < GROUP_MEMBER_MAX; k++, count++) {
            members[count] = list[k];
            tables[count] = table;
        }
    };
    add(quickMembers, quickCount, MEMBER_TABLE_QUICK);
    add(speedMembers, speedCount, MEMBER_TABLE_SPEED);
    WriteGroup(state, record, index, members, tables, count);
    return 1;
}

int EncodeGroupRecord(EditState& state, const DialRecord& record, int index)
{
    if (!QuickIndexValid(index))
        return 0;
    std::memset(state.quickDial.entries[index], 0, DIAL_ENTRY_SIZE);
    if (!record.inUse)
        return 1;
    WriteGroup(state, record, index, record.members, nullptr, MemberLimit(record.memberCount));
    return 1;
}

uint32_t RemoveFromGroups(EditState& state, const DialRecord& record, int keyCount)
{
    uint8_t memberTable;
    if (record.memberCount != 0)
        return 0;
    // Only a destination inside its table can be a member; this also keeps members that name
    // no entry (stored number 0 reads as index 255) from ever matching.
    if (record.kind == KIND_QUICK && QuickIndexValid(record.index))
        memberTable = MEMBER_TABLE_QUICK;
    else if (record.kind == KIND_SPEED && SpeedIndexValid(record.index))
        memberTable = MEMBER_TABLE_SPEED;
    else
        return 0;

    uint32_t emptied = 0;
    for (int i = 0; i < ClampKeyCount(keyCount); i++) {
        DialRecord group;
        if (!DecodeGroupKey(&group, state, i) || group.kind != KIND_GROUP)
            continue;
        int count = MemberLimit(group.memberCount);
        int k = 0;
        while (k < count &&
               !(group.members[k].table == memberTable && group.members[k].index == record.index))
            k++;
        if (k == count)
            continue;
        if (count == 1) {
            DialRecord empty{};
            EncodeGroupRecord(state, empty, i);
            state.quickDial.lengths[i] = 0;
            emptied |= 1u << i;
            continue;
        }
        std::memmove(&group.members[k], &group.members[k + 1],
                     sizeof group.members[0] * static_cast<size_t>(count - 1 - k));
        group.members[count - 1] = DialMember{};
        group.memberCount = static_cast<uint8_t>(count - 1);
        EncodeGroupRecord(state, group, i);
    }
    return emptied;
}
