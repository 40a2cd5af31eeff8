// Quillet.dll: the two exports the setup program calls. It holds no state between calls and
// links nothing of Moravel; all decisions are in quillet_params.
#include <windows.h>

#include "quillet/quillet_params.h"

namespace {

// Window handles are 32-bit values in every Windows process; a 64-bit process widens them
// with sign extension, as LongToHandle does.
HWND WindowFromValue(uint32_t value)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int32_t>(value)));
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// Posts the message that the parameter text names, with wParam 1 when *flag is non-zero and lParam
// 0. Always returns 0: posting is not waited for and its failure is not reported. A NULL flag
// pointer counts as 0, a NULL text as an empty one (window 0, message 0).
LONG WINAPI KVO_PostMsg(HWND, const LONG* flag, const char* text)
{
    const PostMsgParams params = ParsePostMsgParams(text);
    const WPARAM wParam = (flag != nullptr && *flag != 0) ? 1 : 0;
    PostMessageA(WindowFromValue(params.window), params.message, wParam, 0);
    return 0;
}

// Converts the text with the base in *base (NULL counts as base 0). The base is only read.
LONG WINAPI KVO_Strtol(HWND, const LONG* base, const char* text)
{
    return TextToInt32(text, base != nullptr ? static_cast<int>(*base) : 0);
}

}  // extern "C"
