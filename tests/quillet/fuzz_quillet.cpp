// Fuzz target for the parameter text of KVO_PostMsg and the number conversion: any bytes must
// parse without reading or writing out of bounds, and only the first 1,023 characters count.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "quillet/quillet_params.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Exactly the bytes, no terminator beyond them unless the input has one: an overread of a
    // text without a terminator shows as a heap overflow.
    std::vector<char> exact(data, data + size);
    const size_t length = std::find(exact.begin(), exact.end(), '\0') - exact.begin();
    if (length < WORK_TEXT_MAX)
        exact.push_back('\0');  // shorter texts must end somewhere
    const PostMsgParams params = ParsePostMsgParams(exact.data());

    // The same text cut at the work text limit gives the same parameters.
    const size_t kept = length < WORK_TEXT_MAX ? length : WORK_TEXT_MAX;
    std::vector<char> cut(exact.begin(), exact.begin() + kept);
    cut.push_back('\0');
    const PostMsgParams again = ParsePostMsgParams(cut.data());
    if (params.window != again.window || params.message != again.message ||
        params.lField != again.lField || params.pField != again.pField) {
        std::abort();
    }

    if (size > 0) {
        const int base = static_cast<int8_t>(data[0]);
        std::vector<char> text(data + 1, data + size);
        text.push_back('\0');
        const int32_t value = TextToInt32(text.data(), base);
        if ((base < 0 || base == 1 || base > 36) && value != 0)
            std::abort();
    }
    return 0;
}
