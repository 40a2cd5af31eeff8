// Fuzz target for the CSV dial directory reader: any bytes as a file, against a document whose
// directory is built from the first bytes too. Nothing may be read or written outside its place
// (ASan); a refused file changes nothing; a taken one gives a directory that the decoders read
// back, and exporting it and importing that again gives the very same directory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "document/document.h"
#include "dial/dial_csv.h"
#include "document/dial_records.h"

// Input: one settings byte (bit 0 Japanese mode, bit 1 inch paper, bit 2 network board), then
// the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    auto current = std::make_unique<EditState>();
    std::memset(current.get(), 0, sizeof *current);
    current->system.languageSet = data[0] & 1;
    current->config.inchPaper = (data[0] >> 1) & 1;
    current->config.ethernetBoard = (data[0] >> 2) & 1;
    // A program-dial key and an absent entry, which an import must leave alone.
    current->quickDial.entries[27][1] = FLAG_PROGRAM;
    current->speedDial.lengths[89] = ITEM_ABSENT;
    const TextEnvironment env = {current->system.languageSet ? 932u : 1252u,
                                 current->system.languageSet, PortableAnsiToUtf16};

    auto result = std::make_unique<EditState>();
    std::memset(result.get(), 0x5A, sizeof *result);
    auto untouched = std::make_unique<EditState>(*result);
    const DirectoryImport outcome =
        ImportDirectoryCsv(data + 1, size - 1, *current, QUICK_KEY_COUNT, env, result.get());
    if (!outcome.ok) {
        if (outcome.problems.empty() || std::memcmp(result.get(), untouched.get(), sizeof *result))
            std::abort();
        return 0;
    }
    if (!outcome.problems.empty() || result->quickDial.entries[27][1] != FLAG_PROGRAM ||
        result->speedDial.lengths[89] != ITEM_ABSENT)
        std::abort();
    DialRecord r;
    for (int i = 0; i < QUICK_KEY_COUNT; i++) {
        DecodeQuickKey(&r, *result, i);
        DecodeGroupKey(&r, *result, i);
    }

    const std::string csv = ExportDirectoryCsv(*result, QUICK_KEY_COUNT);
    auto again = std::make_unique<EditState>();
    const DirectoryImport second =
        ImportDirectoryCsv(reinterpret_cast<const uint8_t*>(csv.data()), csv.size(), *current,
                           QUICK_KEY_COUNT, env, again.get());
    if (!second.ok || std::memcmp(&again->quickDial, &result->quickDial, sizeof again->quickDial) ||
        std::memcmp(&again->speedDial, &result->speedDial, sizeof again->speedDial))
        std::abort();
    return 0;
}
