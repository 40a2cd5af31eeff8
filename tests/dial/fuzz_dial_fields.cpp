// Fuzz target for the field filters: any text in a buffer of exactly its size, under any code
// page, mode, field kind and limit. Nothing may be touched outside the buffer (ASan), the result
// must be terminated inside it and fit the limit, and a repaired text must pass the same filter
// again unchanged, since the dialogs run the filter once more on the text they write back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/field_filters.h"

namespace {

constexpr unsigned CODE_PAGES[] = {1252, 932, 1250, 437};

int RunFilter(int which, char* text, int size, int limit, int* caret, const TextEnvironment& env,
              int codeField)
{
    switch (which) {
    case 0:
        return FilterNameField(text, size, limit, caret, env);
    case 1:
        return FilterDialNumberField(text, size, limit, caret, env, codeField);
    case 2:
        return FilterEmailField(text, size, limit, caret, env);
    default:
        return FilterDigitsField(text, size, limit, caret);
    }
}

}  // namespace

// Input: one flags byte (bits 0-1 code page 1252, 932, 1250 or 437; bit 2 Japanese mode; bit 3
// SUB or SID; bits 4-5 name, number, e-mail or digits filter; bits 6-7 limit 2, 20, 64 or 128),
// then the text bytes, which need not hold a terminator.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static const int LIMITS[] = {2, 20, 64, 128};
    uint8_t flags = data[0];
    TextEnvironment env{CODE_PAGES[flags & 3], (flags >> 2) & 1, PortableAnsiToUtf16};
    int codeField = (flags >> 3) & 1;
    int which = (flags >> 4) & 3;
    int limit = LIMITS[flags >> 6];

    std::vector<char> buffer(data + 1, data + size);
    const std::vector<char> typed = buffer;
    int n = static_cast<int>(buffer.size());
    int caret = -1;
    int passed = RunFilter(which, buffer.data(), n, limit, &caret, env, codeField);
    if (passed == 1 && buffer != typed)
        std::abort();
    if (n == 0)
        return 0;  // no room even for a terminator

    const void* end = std::memchr(buffer.data(), 0, buffer.size());
    if (!end)
        std::abort();
    int length = static_cast<int>(static_cast<const char*>(end) - buffer.data());
    if (length > limit || caret < 0 || caret > length)
        std::abort();

    std::vector<char> again = buffer;
    int againCaret = -1;
    if (RunFilter(which, again.data(), n, limit, &againCaret, env, codeField) != 1 ||
        again != buffer || againCaret != length)
        std::abort();
    return 0;
}
