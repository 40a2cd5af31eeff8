// Fuzz target for stored dial entries: any bytes in any Quick Dial key or Speed Dial entry are
// decoded, turned into list rows and member rows, re-encoded and decoded again. Nothing may
// read or write outside the tables and records (ASan), every text a decoder or row builder
// makes must be terminated inside its field, and writing settles: a third round changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/app_state.h"
#include "device/device_image.h"
#include "dial/dial_records.h"
#include "dial/dial_rows.h"

namespace {

template <size_t N>
void CheckTerminated(const char (&field)[N])
{
    if (!std::memchr(field, 0, N))
        std::abort();
}

void CheckRecord(const DialRecord& r)
{
    CheckTerminated(r.name);
    CheckTerminated(r.faxNumber);
    CheckTerminated(r.sub);
    CheckTerminated(r.sid);
    CheckTerminated(r.email);
    if (r.memberCount > GROUP_MEMBER_MAX)
        std::abort();
}

void CheckRow(const DialRow& row)
{
    for (const RowCell& cell : row.cells)
        CheckTerminated(cell.text);
}

void RowsOfEverything(int a3, int inch)
{
    DialRecord r;
    MemberRow members[GROUP_MEMBER_MAX];
    for (int i = 0; i < QUICK_KEY_COUNT; i++) {
        DecodeQuickKey(&r, gEditState, i);
        CheckRecord(r);
        CheckRow(BuildQuickDialRow(r, i, a3, inch));
        DecodeGroupKey(&r, gEditState, i);
        CheckRecord(r);
        CheckRow(BuildGroupRow(r, i));
        int n = BuildMemberRows(members, r, gEditState);
        for (int k = 0; k < n; k++)
            CheckTerminated(members[k].text);
    }
    for (int i = 0; i < SPEED_DIAL_COUNT; i++) {
        DecodeSpeedEntry(&r, gEditState, i);
        CheckRecord(r);
        CheckRow(BuildSpeedDialRow(r, i, a3, inch));
    }
}

// Writes every entry back the way the editors would: groups with the group writer, program-dial
// keys and destinations with the key writer, Speed Dial entries with theirs.
void RewriteEverything()
{
    DialRecord r;
    for (int i = 0; i < QUICK_KEY_COUNT; i++) {
        if (DecodeQuickKey(&r, gEditState, i) && !r.programDial &&
            DecodeGroupKey(&r, gEditState, i) && r.kind == KIND_GROUP) {
            EncodeGroupRecord(gEditState, r, i);
        } else if (DecodeQuickKey(&r, gEditState, i)) {
            EncodeQuickKey(gEditState, &r, i);
        }
    }
    for (int i = 0; i < SPEED_DIAL_COUNT; i++) {
        if (DecodeSpeedEntry(&r, gEditState, i))
            EncodeSpeedEntry(gEditState, &r, i);
    }
}

}  // namespace

// Input: one settings byte (bit 0 Japanese mode, bit 1 inch paper, bit 2 A3 model), then
// chunks of one slot byte (0-29 a key, 30-119 a Speed Dial entry) and up to 130 entry bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    if (!gDeviceImage.bytes)
        CreateDeviceImage();
    ResetDeviceImage();
    std::memset(&gEditState, 0, sizeof gEditState);
    ResetAppState(&gApp);
    gApp.quickKeyCount = QUICK_KEY_COUNT;

    uint8_t settings = data[0];
    gEditState.system.languageSet = settings & 1;
    gEditState.config.inchPaper = (settings >> 1) & 1;
    int a3 = (settings >> 2) & 1;
    size_t at = 1;
    while (at < size) {
        int slot = data[at++] % (QUICK_KEY_COUNT + SPEED_DIAL_COUNT);
        uint8_t* entry = slot < QUICK_KEY_COUNT
                             ? gEditState.quickDial.entries[slot]
                             : gEditState.speedDial.entries[slot - QUICK_KEY_COUNT];
        size_t n = size - at < DIAL_ENTRY_SIZE ? size - at : DIAL_ENTRY_SIZE;
        std::memcpy(entry, data + at, n);
        at += n;
    }

    // Looking changes nothing; tidying once is all a malformed entry gets.
    const EditState arrived = gEditState;
    RowsOfEverything(a3, IsInchDevice(gEditState));
    if (std::memcmp(&arrived, &gEditState, sizeof arrived) != 0)
        std::abort();
    TidyDialDirectory(gEditState, QUICK_KEY_COUNT);
    if (TidyDialDirectory(gEditState, QUICK_KEY_COUNT) != 0)
        std::abort();
    for (int i = 0; i < QUICK_KEY_COUNT; i++) {
        DialRecord r;
        DecodeQuickKey(&r, gEditState, i);
        RemoveFromGroups(gEditState, r, QUICK_KEY_COUNT);
    }
    RewriteEverything();
    RowsOfEverything(a3, IsInchDevice(gEditState));

    // What the writers made is their own form: once the packed SID that a fax without SUB
    // still carries is gone (the second round), writing it again changes no byte.
    RewriteEverything();
    const QuickDialTable quick = gEditState.quickDial;
    const SpeedDialTable speed = gEditState.speedDial;
    RewriteEverything();
    if (std::memcmp(&quick, &gEditState.quickDial, sizeof quick) != 0 ||
        std::memcmp(&speed, &gEditState.speedDial, sizeof speed) != 0)
        std::abort();
    return 0;
}
