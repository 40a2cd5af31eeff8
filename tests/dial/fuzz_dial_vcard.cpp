// Fuzz target for the address card reader: any bytes as a .vcf file, added to a document with
// a few entries. Nothing may be read or written outside its place (ASan); only free Speed Dial
// entries are filled, each added entry decodes as a destination of its own, and adding the same
// file again adds nothing (every card is then a duplicate or finds no room).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "document/document.h"
#include "document/dial_records.h"
#include "dial/dial_vcard.h"

// Input: one settings byte (bit 0 Japanese mode, bit 2 network board), then the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    auto current = std::make_unique<EditState>();
    std::memset(current.get(), 0, sizeof *current);
    current->system.languageSet = data[0] & 1;
    current->config.ethernetBoard = (data[0] >> 2) & 1;
    DialRecord taken = {};
    taken.inUse = 1;
    taken.kind = KIND_SPEED;
    std::strcpy(taken.faxNumber, "123");
    EncodeSpeedEntry(*current, &taken, 3);
    current->speedDial.lengths[5] = ITEM_ABSENT;
    const TextEnvironment env = {current->system.languageSet ? 932u : 1252u,
                                 current->system.languageSet, PortableAnsiToUtf16};

    auto result = std::make_unique<EditState>();
    const VcardImport outcome =
        ImportVcards(data + 1, size - 1, *current, QUICK_KEY_COUNT, env, 0x3021, result.get());
    if (!outcome.readable)
        return 0;
    if (std::memcmp(result->speedDial.entries[3], current->speedDial.entries[3], DIAL_ENTRY_SIZE) ||
        result->speedDial.lengths[5] != ITEM_ABSENT ||
        outcome.plan.rows.size() < static_cast<size_t>(outcome.cardCount))
        std::abort();
    DialRecord r;
    for (int entry : outcome.added)
        if (entry == 3 || entry == 5 || !DecodeSpeedEntry(&r, *result, entry) || r.chain ||
            r.entryDate != 0x3021)
            std::abort();

    auto again = std::make_unique<EditState>();
    if (!ImportVcards(data + 1, size - 1, *result, QUICK_KEY_COUNT, env, 0x3021, again.get())
             .added.empty())
        std::abort();
    return 0;
}
