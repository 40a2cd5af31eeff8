// Fuzz target for stored dial entries: any bytes in any Quick Dial key or Speed Dial entry are
// decoded, turned into list rows and member rows, re-encoded and decoded again. Nothing may
// read or write outside the tables and records (ASan), every text a decoder or row builder
// makes must be terminated inside its field, and writing settles: a third round changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ui/app_state.h"
#include "document/document.h"
#include "document/dial_records.h"
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
        DecodeQuickKey(&r, gDocument.edit, i);
        CheckRecord(r);
        CheckRow(BuildQuickDialRow(r, i, a3, inch));
        DecodeGroupKey(&r, gDocument.edit, i);
        CheckRecord(r);
        CheckRow(BuildGroupRow(r, i));
        int n = BuildMemberRows(members, r, gDocument.edit);
        for (int k = 0; k < n; k++)
            CheckTerminated(members[k].text);
    }
    for (int i = 0; i < SPEED_DIAL_COUNT; i++) {
        DecodeSpeedEntry(&r, gDocument.edit, i);
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
        if (DecodeQuickKey(&r, gDocument.edit, i) && !r.programDial &&
            DecodeGroupKey(&r, gDocument.edit, i) && r.kind == KIND_GROUP) {
            EncodeGroupRecord(gDocument.edit, r, i);
        } else if (DecodeQuickKey(&r, gDocument.edit, i)) {
            EncodeQuickKey(gDocument.edit, &r, i);
        }
    }
    for (int i = 0; i < SPEED_DIAL_COUNT; i++) {
        if (DecodeSpeedEntry(&r, gDocument.edit, i))
            EncodeSpeedEntry(gDocument.edit, &r, i);
    }
}

}  // namespace

// Input: one settings byte (bit 0 Japanese mode, bit 1 inch paper, bit 2 A3 model), then
// chunks of one slot byte (0-29 a key, 30-119 a Speed Dial entry) and up to 130 entry bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    if (!gDocument.image.bytes)
        CreateDeviceImage(gDocument.image);
    ResetDeviceImage(gDocument.image);
    std::memset(&gDocument.edit, 0, sizeof gDocument.edit);
    ResetAppState(&gApp);
    gApp.quickKeyCount = QUICK_KEY_COUNT;

    uint8_t settings = data[0];
    gDocument.edit.system.languageSet = settings & 1;
    gDocument.edit.config.inchPaper = (settings >> 1) & 1;
    int a3 = (settings >> 2) & 1;
    size_t at = 1;
    while (at < size) {
        int slot = data[at++] % (QUICK_KEY_COUNT + SPEED_DIAL_COUNT);
        uint8_t* entry = slot < QUICK_KEY_COUNT
                             ? gDocument.edit.quickDial.entries[slot]
                             : gDocument.edit.speedDial.entries[slot - QUICK_KEY_COUNT];
        size_t n = size - at < DIAL_ENTRY_SIZE ? size - at : DIAL_ENTRY_SIZE;
        std::memcpy(entry, data + at, n);
        at += n;
    }

    // Looking changes nothing; tidying once is all a malformed entry gets.
    const EditState arrived = gDocument.edit;
    RowsOfEverything(a3, IsInchDevice(gDocument.edit));
    if (std::memcmp(&arrived, &gDocument.edit, sizeof arrived) != 0)
        std::abort();
    TidyDialDirectory(gDocument.edit, QUICK_KEY_COUNT);
    if (TidyDialDirectory(gDocument.edit, QUICK_KEY_COUNT) != 0)
        std::abort();
    for (int i = 0; i < QUICK_KEY_COUNT; i++) {
        DialRecord r;
        DecodeQuickKey(&r, gDocument.edit, i);
        RemoveFromGroups(gDocument.edit, r, QUICK_KEY_COUNT);
    }
    RewriteEverything();
    RowsOfEverything(a3, IsInchDevice(gDocument.edit));

    // What the writers made is their own form: once the packed SID that a fax without SUB
    // still carries is gone (the second round), writing it again changes no byte.
    RewriteEverything();
    const QuickDialTable quick = gDocument.edit.quickDial;
    const SpeedDialTable speed = gDocument.edit.speedDial;
    RewriteEverything();
    if (std::memcmp(&quick, &gDocument.edit.quickDial, sizeof quick) != 0 ||
        std::memcmp(&speed, &gDocument.edit.speedDial, sizeof speed) != 0)
        std::abort();
    return 0;
}
