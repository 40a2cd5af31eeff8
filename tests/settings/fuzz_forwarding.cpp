// Fuzz target for the forwarding destination record: any 72 bytes, with any Speed and Quick
// Dial entries for its references to name. Reading must stay inside the record and the tables
// (ASan), every text must be terminated inside its field, and a typed destination that was read
// must be written and read back as the same destination.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "document/document.h"
#include "settings/forwarding.h"

namespace {

EditState gState;

template <size_t N>
void CheckTerminated(const char (&field)[N])
{
    if (!std::memchr(field, 0, N))
        std::abort();
}

void CheckSame(const ForwardDestination& a, const ForwardDestination& b)
{
    if (a.type != b.type || std::strcmp(a.email, b.email) != 0 ||
        std::strcmp(a.number, b.number) != 0 || std::strcmp(a.sub, b.sub) != 0 ||
        std::strcmp(a.sid, b.sid) != 0)
        std::abort();
}

}  // namespace

// Input: the 72 record bytes, then chunks of one slot byte (0-29 a key, 30-119 a Speed Dial
// entry) and up to 130 entry bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < FORWARD_LONG_SIZE)
        return 0;
    std::memset(&gState, 0, sizeof gState);
    // The record exactly as long as the image holds it, so ASan sees any read past it.
    uint8_t* record = static_cast<uint8_t*>(std::malloc(FORWARD_LONG_SIZE));
    std::memcpy(record, data, FORWARD_LONG_SIZE);
    size_t at = FORWARD_LONG_SIZE;
    while (at < size) {
        const int slot = data[at++] % (QUICK_KEY_COUNT + SPEED_DIAL_COUNT);
        uint8_t* entry = slot < QUICK_KEY_COUNT ? gState.quickDial.entries[slot]
                                                : gState.speedDial.entries[slot - QUICK_KEY_COUNT];
        const size_t n = size - at < DIAL_ENTRY_SIZE ? size - at : DIAL_ENTRY_SIZE;
        std::memcpy(entry, data + at, n);
        at += n;
    }

    const EditState before = gState;
    const ForwardDestination d = DecodeForwarding(record, gState);
    CheckTerminated(d.email);
    CheckTerminated(d.number);
    CheckTerminated(d.sub);
    CheckTerminated(d.sid);
    if (d.type != ForwardKindType(record[0]))
        std::abort();
    const int usable = IsForwardingUsable(record, gState);
    if (usable !=
        (d.type == FORWARD_EMAIL ? d.email[0] != 0 : d.type == FORWARD_FAX && d.number[0] != 0))
        std::abort();
    if (std::memcmp(&before, &gState, sizeof before) != 0)
        std::abort();  // reading changes nothing

    ForwardingDestination stored = {};
    StoreForwardingDestination(stored, d);
    if (d.type != FORWARD_NONE)
        CheckSame(d, DecodeForwarding(stored.record, gState));
    std::free(record);
    return 0;
}
