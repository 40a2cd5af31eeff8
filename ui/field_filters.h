// Field filters and checks shared by every dialog and settings page. The filters run on a
// field's text after every change and repair it in place; the one filter wrapper
// (ui/controls_win.h) writes the repaired text back and places the caret.
// Nothing here knows a window: the character set facts come in a TextEnvironment, whose
// converter is MultiByteToWideChar on Windows and PortableAnsiToUtf16 elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>

// What the filters need to know about the text's character set.
struct TextEnvironment {
    unsigned codePage;  // the ANSI code page of the text (1252 Western, 932 Japanese, ...)
    int japaneseMode;   // the device's Japanese character mode (item 0x10005 == 1)
    // Converts `length` bytes of ANSI text in `codePage` to UTF-16 units; returns the number of
    // units written (at most `capacity`).
    int (*toUtf16)(unsigned codePage, const char* text, int length, uint16_t* out, int capacity);
};

// A converter good enough for tests: 1252 with its 0x80-0x9F mappings; 932 with half-width
// katakana for 0xA1-0xDF and one unit of 0x100 or above for a lead byte and its trail byte (a
// lead byte without a valid trail is U+30FB, as Windows gives); every other code page as
// Latin-1. The double-byte units are not the real JIS table: only their class matters here.
int PortableAnsiToUtf16(unsigned codePage, const char* text, int length, uint16_t* out,
                        int capacity);

// ---- Filters --------------------------------------------------------------------------------
// `text` is a NUL-terminated buffer of `size` bytes; a text not terminated within it is taken
// as cut at size - 1. Each returns 1 when the whole text passed and is untouched (*caret is
// then its length), or 0 when it repaired the text: every rejected byte removed, the text cut
// where a rule cuts it, and then cut to `limit`. *caret is then the position of the first
// rejection in the repaired text, where the user typed the bad character. A repaired text
// always passes the same filter again. Nothing outside text[0..size-1] is read or written;
// `caret` may be null.
//
// Bytes are judged one at a time; all filters but FilterDigitsField also judge the n-th UTF-16
// unit of the converted text together with the n-th byte.

// Names: printable ASCII without "\" and "?"; on code page 1252 also the accented letters of
// the device character set. A unit of 256 or above cuts the text. In the device's Japanese
// mode, half-width katakana (bytes 0xA1-0xDF, units U+FF66-U+FF9F) pass instead of the accented
// letters, and a rejected 0x81 or 0x83 (lead bytes of full-width symbols) cuts.
int FilterNameField(char* text, int size, int limit, int* caret, const TextEnvironment& env);
// Dial numbers: digits, "*", "#", and unless `codeField` (SUB and SID) also "P", " ", "-" and
// "+". A unit of 256 or above cuts the text.
int FilterDialNumberField(char* text, int size, int limit, int* caret, const TextEnvironment& env,
                          int codeField);
// E-mail addresses: printable ASCII without + , : ; < > " \ ?. A unit of 256 or above cuts.
int FilterEmailField(char* text, int size, int limit, int* caret, const TextEnvironment& env);
// Digits only; no conversion.
int FilterDigitsField(char* text, int size, int limit, int* caret);
// Digits, "+", "-" and space.
int FilterPhoneField(char* text, int size, int limit, int* caret);
// Printable ASCII without "?": a byte below 32 or from 128 is removed; a UTF-16 unit of 256 or
// above cuts the text.
int FilterAsciiField(char* text, int size, int limit, int* caret, const TextEnvironment& env);
// Host names: printable ASCII without "\" and "?"; a unit of 256 or above cuts the text.
int FilterHostField(char* text, int size, int limit, int* caret, const TextEnvironment& env);

// Every filter by name, so tables can say which one a field takes.
enum TextFilter : uint8_t {
    FILTER_NONE,         // only cut to the limit
    FILTER_DIGITS,       // FilterDigitsField
    FILTER_NAME,         // FilterNameField
    FILTER_ASCII,        // FilterAsciiField
    FILTER_HOST,         // FilterHostField
    FILTER_PHONE,        // FilterPhoneField
    FILTER_EMAIL,        // FilterEmailField
    FILTER_DIAL_NUMBER,  // FilterDialNumberField, a fax number
    FILTER_DIAL_CODE,    // FilterDialNumberField, SUB and SID
};
// Runs `filter` on the text, with the same contract as the filters.
int FilterText(TextFilter filter, char* text, int size, int limit, int* caret,
               const TextEnvironment& env);

// The engine the filters above share, for the filters of other dialogs. `judge` decides on one
// byte together with its UTF-16 unit (-1 when there is none); `env` null judges bytes only.
// Same contract as the filters above.
enum FieldVerdict { FIELD_KEEP, FIELD_REMOVE, FIELD_CUT };
typedef FieldVerdict (*FieldJudge)(uint8_t byte, int unit);
int FilterFieldWith(char* text, int size, int limit, int* caret, FieldJudge judge,
                    const TextEnvironment* env);

// ---- Checks ---------------------------------------------------------------------------------
// Each returns 1 or 0; a null text fails.

// 0 for an empty text and for one of spaces only.
int HasVisibleText(const char* text);
// At least one digit, and the first character is not "P" (a pause cannot start a number).
int IsDialableNumber(const char* text);
// Exactly one "@" and at least one "." anywhere; their order and positions play no part.
int IsEmailAddress(const char* text);

// The decimal reading of a range field: leading white space skipped, optional sign, digits up
// to the first other character, none gives 0. Saturates at LONG_MIN and LONG_MAX instead of
// overflowing, so a long row of digits is out of every range rather than wrapped into one.
long ParseDecimalField(const char* text);

// ---- Range fields ---------------------------------------------------------------------------

enum RangeVerdict { RANGE_OK, RANGE_EMPTY, RANGE_OUTSIDE };
// A range field's text (as read, at most 128 characters) judged: empty, or its decimal reading
// (ParseDecimalField: "12abc" is 12) within min..max or not.
RangeVerdict JudgeRangeField(const char* text, long min, long max);
// The range message from its format: the first two "%d" become min and max; anything else,
// other % sequences included, is copied as it stands, so a format from a resource library can
// never read arguments that are not there.
void FormatRangeMessage(char* out, size_t size, const char* format, long min, long max);
