// Parsing of the parameter text that the setup program hands to KVO_PostMsg, and the number
// conversion both exports share. Portable: no <windows.h>, so it is tested and fuzzed natively.
#pragma once

#include <cstdint>

// The limits of the setup program's interface. Text beyond them is truncated or ignored.
constexpr int WORK_TEXT_MAX = 1023;  // characters of the parameter text that are read
constexpr int TOKEN_TEXT_MAX = 19;   // characters kept of one token
constexpr int TOKEN_COUNT_MAX = 30;  // tokens taken from the text

// What one parameter text asks KVO_PostMsg to post. A field without a token is 0.
struct PostMsgParams {
    uint32_t window;   // "+W:" target window handle
    uint32_t message;  // "+M:" message number
    uint16_t lField;   // "+L:" low 16 bits; recognised, not posted
    uint16_t pField;   // "+P:" low 16 bits; recognised, not posted
};

// Splits the text into space-separated tokens and takes each token that holds one of the
// prefixes "+W:", "+M:", "+L:" or "+P:" (either case). The value is read from the token's
// fourth character on, whatever the prefix's position, so "x+W:12" gives window 0. A later token
// replaces an earlier one for the same field. NULL is an empty text. Never reads more than
// WORK_TEXT_MAX characters of the text.
PostMsgParams ParsePostMsgParams(const char* text);

// The C library's strtol with the number saturated to the signed 32-bit range, as a 32-bit
// Windows strtol gives it on every platform: leading white space, optional sign, "0x" for
// base 16 (and base 0, where a leading 0 means octal), digits up to the first that does not
// belong to the base. A NULL text, an invalid base (other than 0 and 2 to 36) or a text without
// digits gives 0.
int32_t TextToInt32(const char* text, int base);
