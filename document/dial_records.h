// Dial entry records: the 130-byte stored form of Quick Dial keys, groups and Speed Dial
// entries, the unpacked edit form (DialRecord) that all dial code works on, and the conversions
// between them. Every other part of the program reads and writes dial entries only through the
// functions here.
//
// Stored entries come from files and from the device, so no stored byte is trusted: a length
// beyond its field makes the entry read as empty, and a group member that names no entry is
// shown by its number and carried along unchanged, never looked up.
#pragma once

#include <cstddef>
#include <cstdint>

#include "document/dial_tables.h"

struct EditState;

// Flags byte (byte DIAL_FLAGS_BYTE of every stored entry).
constexpr int DIAL_FLAGS_BYTE = 1;
constexpr uint8_t FLAG_EMAIL = 0x01;
constexpr uint8_t FLAG_FAX = 0x02;
constexpr uint8_t FLAG_SPEED = 0x04;
constexpr uint8_t FLAG_QUICK = 0x08;
constexpr uint8_t FLAG_CHAIN = 0x20;
constexpr uint8_t FLAG_PROGRAM = 0x40;
constexpr uint8_t FLAG_HIGH = 0x80;

constexpr int GROUP_MEMBER_MAX = 50;

// Member table bytes of a stored group.
constexpr uint8_t MEMBER_TABLE_QUICK = 8;
constexpr uint8_t MEMBER_TABLE_SPEED = 4;

// DialRecord.kind and .destType.
constexpr uint8_t KIND_NONE = 0;
constexpr uint8_t KIND_QUICK = 1;
constexpr uint8_t KIND_SPEED = 2;
constexpr uint8_t KIND_GROUP = 3;
constexpr uint8_t DEST_FAX = 0;
constexpr uint8_t DEST_EMAIL = 1;

// Longest texts the stored form holds, and the edit form's field sizes.
constexpr int DIAL_NAME_MAX = 20;
constexpr int DIAL_NUMBER_MAX = 50;
constexpr int DIAL_CODE_MAX = 20;  // SUB and SID
constexpr int DIAL_EMAIL_MAX = 64;
constexpr int DIAL_NAME_SIZE = 24;
constexpr int DIAL_NUMBER_SIZE = 54;
constexpr int DIAL_CODE_SIZE = 24;
constexpr int DIAL_BATCH_SIZE = 4;
constexpr int DIAL_EMAIL_SIZE = 69;

// Image record lengths of the stored forms.
constexpr uint32_t QUICK_FAX_LENGTH = 78;
constexpr uint32_t QUICK_EMAIL_LENGTH = 98;
constexpr uint32_t GROUP_LENGTH = 130;
constexpr uint32_t SPEED_FAX_LENGTH = 74;
constexpr uint32_t SPEED_EMAIL_LENGTH = 94;

// Nibble n of a packed dial number is DIAL_DIGITS[n].
constexpr char DIAL_DIGITS[] = "0123456789*#P +-";

// One group member: table MEMBER_TABLE_QUICK or MEMBER_TABLE_SPEED and the entry's 0-based
// index. Both bytes are as stored (index = stored number - 1, modulo 256), so a member that names
// no entry goes back into the group exactly as it came.
struct DialMember {
    uint8_t table;
    uint8_t index;
};

// The edit form of one entry. All zero is an empty entry.
struct DialRecord {
    uint8_t index;        // index in its table
    uint8_t inUse;        // a destination, a group or a program-dial assignment
    uint8_t destType;     // DEST_FAX or DEST_EMAIL
    uint8_t kind;         // KIND_*
    uint8_t high;         // a group, or FLAG_HIGH carried by a Speed Dial entry
    uint8_t memberCount;  // groups only, 0..GROUP_MEMBER_MAX
    uint8_t chain;        // combination-key entry
    uint8_t programDial;
    char name[DIAL_NAME_SIZE];  // Windows-1252 (raw device bytes in Japanese mode)
    char faxNumber[DIAL_NUMBER_SIZE];
    char sub[DIAL_CODE_SIZE];
    char sid[DIAL_CODE_SIZE];
    char batchHour[DIAL_BATCH_SIZE];    // entry dialog only, never stored
    char batchMinute[DIAL_BATCH_SIZE];  // entry dialog only, never stored
    uint8_t speed;                      // 0 9.6K, 1 14.4K, 2 33.6K
    char email[DIAL_EMAIL_SIZE];
    uint16_t entryDate;
    uint8_t customScan;
    uint8_t scanSize;  // index into the size list of the device's paper system
    uint8_t scanResolution;
    uint8_t scanCoding;
    DialMember members[GROUP_MEMBER_MAX];
};

// 1 when key `index` is one of the model's four program-dial keys (from firstProgramKey) and
// holds a program-dial assignment: Paste refuses such a key. 0 for every other key.
int IsProgramKeyMarked(const QuickDialTable& table, int index, int firstProgramKey);

// ---- Conversions ----------------------------------------------------------------------------

// Packs `length` dial characters two to a byte, low nibble first, into ceil(length / 2) bytes.
// Characters outside DIAL_DIGITS pack as 0; the high nibble of an odd length's last byte is 0.
// Reads no more than `length` characters of `text`. The caller zero-fills the field.
void PackDialDigits(uint8_t* out, const char* text, int length);
// Unpacks `length` characters from ceil(length / 2) bytes and terminates `text` at `length`;
// `text` has room for length + 1 characters.
void UnpackDialDigits(char* text, const uint8_t* packed, int length);

// Windows-1252 to the device's character set and back, in place, up to the terminator. Neither
// does anything in the device's Japanese character mode (IsJapaneseMode).
void ToDeviceCharset(char* text, int japaneseMode);
void FromDeviceCharset(char* text, int japaneseMode);
// 1 when `windows1252` is one of the accented letters the device character set holds.
int IsDeviceCharsetLetter(uint8_t windows1252);

// 1 when the device is in its Japanese character mode (item 0x10005 = 1): names hold its own
// single-byte characters as typed.
int IsJapaneseMode(const EditState& state);
// 1 when item 0x3 says the device uses inch paper sizes, 0 for metric.
int IsInchDevice(const EditState& state);
// Stored scan size code for size list index `scanSize` of the given paper system, and back.
uint8_t ScanSizeCode(int scanSize, int inchDevice);
uint8_t ScanSizeIndex(uint8_t code, int inchDevice);

// The date stamp for a date: bits 15-9 year - 2000 (mod 128), 8-5 month, 4-0 day.
uint16_t EntryDateFor(int year, int month, int day);
// The date stamp for today (local time).
uint16_t MakeEntryDate();

// ---- Plausibility ---------------------------------------------------------------------------

// 1 when the lengths of a stored key (or entry) fit their fields; an entry that fails reads as
// empty. Flags and length 0 (empty) are not judged here.
int IsPlausibleQuickKey(const uint8_t* entry);
int IsPlausibleSpeedEntry(const uint8_t* entry);

// ---- Decoders -------------------------------------------------------------------------------
// Each zero-fills `record` and returns record->inUse (0 also for an index outside the table).
// Decoding only reads: what a malformed entry needs is done once by TidyDialDirectory.

// Key `index` of state.quickDial as a destination (or a group, or a program-dial key).
int DecodeQuickKey(DialRecord* record, const EditState& state, int index);
// Entry `index` of state.speedDial.
int DecodeSpeedEntry(DialRecord* record, const EditState& state, int index);
// Key `index` as a group (or, for a key with FLAG_QUICK, as DecodeQuickKey reads it).
int DecodeGroupKey(DialRecord* record, const EditState& state, int index);

// Run once where data arrives (download, Open), before anything shows or saves it: erases the
// e-mail entries whose stored address holds a zero byte inside its length (entry and length
// zeroed) among the first keyCount keys and all Speed Dial entries, and gives every accepted
// Speed Dial entry the length of its stored form (74 or 94). Returns how many entries changed.
int TidyDialDirectory(EditState& state, int keyCount);

// ---- Encoders -------------------------------------------------------------------------------
// Each writes entry `index` of the state's table (never record->index) and returns 1, or 0 for
// an index outside the table. A record not in use zero-fills the entry and leaves its length
// alone; one in use sets the length of its stored form. Texts longer than their fields are cut.

// Leaves the key untouched for a program-dial record. A fax record with no SUB stores SID
// length 0 and has its own SID text emptied.
int EncodeQuickKey(EditState& state, DialRecord* record, int index);
int EncodeSpeedEntry(EditState& state, DialRecord* record, int index);
// A group with the group editor's members: every Quick Dial member first, then every Speed Dial
// member, at most GROUP_MEMBER_MAX in all (the ones beyond are not stored).
int EncodeGroupKey(EditState& state, const DialRecord& record, int index,
                   const DialMember* quickMembers, int quickCount, const DialMember* speedMembers,
                   int speedCount);
// A group with the record's own members, table bytes and numbers as they are.
int EncodeGroupRecord(EditState& state, const DialRecord& record, int index);

// ---- Groups ---------------------------------------------------------------------------------

// Removes the destination `record` (a Quick Dial or Speed Dial entry that was deleted or became
// a combination key) from every group among the first keyCount keys. A group that loses its
// last member becomes an empty key with length 0. Returns a mask with bit i set for every key i
// that became empty, so the caller can redraw those rows. A group record changes nothing.
uint32_t RemoveFromGroups(EditState& state, const DialRecord& record, int keyCount);
