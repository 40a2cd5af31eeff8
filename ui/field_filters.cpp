// Field filters and checks. See field_filters.h.
#include "ui/field_filters.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "document/dial_records.h"

namespace {

constexpr unsigned CP_WESTERN = 1252;
constexpr unsigned CP_JAPANESE = 932;

// Windows-1252 0x80-0x9F; the five bytes it leaves undefined map to the C1 controls.
constexpr uint16_t WESTERN_HIGH[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr uint16_t HALF_KATAKANA_FIRST = 0xFF66;
constexpr uint16_t HALF_KATAKANA_LAST = 0xFF9F;
constexpr uint16_t JAPANESE_DEFAULT_CHAR = 0x30FB;

int IsJapaneseLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

int IsJapaneseTrail(uint8_t b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

enum Verdict { KEEP, REMOVE, CUT };

// One filter: judges a byte together with its UTF-16 unit (-1 when the conversion gave fewer
// units than there are bytes). `env` is null for a filter that does not convert.
struct FieldRule {
    Verdict (*judge)(const FieldRule& rule, uint8_t byte, int unit);
    const TextEnvironment* env;
    int codeField;
    FieldJudge external;  // the judge of a filter from outside this file
};

FieldVerdict KeepEverything(uint8_t, int) { return FIELD_KEEP; }

Verdict JudgeExternal(const FieldRule& rule, uint8_t b, int unit)
{
    switch (rule.external(b, unit)) {
    case FIELD_KEEP:
        return KEEP;
    case FIELD_CUT:
        return CUT;
    default:
        return REMOVE;
    }
}

Verdict JudgeName(const FieldRule& rule, uint8_t b, int unit)
{
    int outside = b < 32 || b > 126 || b == '\\';
    if (!rule.env->japaneseMode) {
        if (unit >= 256)
            return CUT;
        if (b == '?')
            return REMOVE;
        if (outside && !(rule.env->codePage == CP_WESTERN && IsDeviceCharsetLetter(b)))
            return REMOVE;
        return KEEP;
    }
    if (unit >= 256 && (unit < HALF_KATAKANA_FIRST || unit > HALF_KATAKANA_LAST))
        return CUT;
    if ((outside || b == '?') && !(b >= 0xA1 && b <= 0xDF))
        return b == 0x81 || b == 0x83 ? CUT : REMOVE;
    return KEEP;
}

Verdict JudgeDialNumber(const FieldRule& rule, uint8_t b, int unit)
{
    if (unit >= 256)
        return CUT;
    if ((b >= '0' && b <= '9') || b == '*' || b == '#')
        return KEEP;
    if (!rule.codeField && (b == 'P' || b == ' ' || b == '-' || b == '+'))
        return KEEP;
    return REMOVE;
}

Verdict JudgeEmail(const FieldRule&, uint8_t b, int unit)
{
    if (unit >= 256)
        return CUT;
    if (b < 32 || b > 126 || std::strchr("+,:;<>\"\\?", b))
        return REMOVE;
    return KEEP;
}

Verdict JudgeDigit(const FieldRule&, uint8_t b, int)
{
    return b >= '0' && b <= '9' ? KEEP : REMOVE;
}

// One pass over text[0..length-1]: keeps what the rule keeps, terminates the result and
// returns the position of the first rejection in it, or -1 when everything passed.
int FilterPass(char* text, int* length, const FieldRule& rule)
{
    int n = *length;
    std::vector<uint16_t> units;
    int unitCount = 0;
    if (rule.env && rule.env->toUtf16 && n > 0) {
        // No ANSI code page gives more units than bytes, and only the first n are judged.
        units.resize(static_cast<size_t>(n));
        unitCount = rule.env->toUtf16(rule.env->codePage, text, n, units.data(), n);
        if (unitCount < 0)
            unitCount = 0;
        if (unitCount > n)
            unitCount = n;
    }
    int out = 0;
    int first = -1;
    for (int i = 0; i < n; i++) {
        uint8_t b = static_cast<uint8_t>(text[i]);
        Verdict v = rule.judge(rule, b, i < unitCount ? units[static_cast<size_t>(i)] : -1);
        if (v == KEEP) {
            text[out++] = static_cast<char>(b);
            continue;
        }
        if (first < 0)
            first = out;
        if (v == CUT)
            break;
    }
    text[out] = '\0';
    *length = out;
    return first;
}

int EarlierOf(int a, int b) { return a < 0 || b < a ? b : a; }

// Repeats the pass until the text stands: a removal or cut can move later bytes against the
// converted units (double-byte and UTF-8 code pages), so the pass that repaired is not proof
// that the result passes. Every repeat shortens the text, so this ends.
int RunFilter(char* text, int size, int limit, int* caret, const FieldRule& rule)
{
    int dummy;
    int* at = caret ? caret : &dummy;
    *at = 0;
    if (!text || size <= 0)
        return 1;
    if (limit < 0)
        limit = 0;
    const void* end = std::memchr(text, 0, static_cast<size_t>(size));
    int length = end ? static_cast<int>(static_cast<const char*>(end) - text) : size - 1;
    int first = -1;
    if (!end) {
        text[length] = '\0';
        first = length;
    }
    for (;;) {
        int rejected = FilterPass(text, &length, rule);
        if (length > limit) {
            text[limit] = '\0';
            length = limit;
            rejected = EarlierOf(rejected, limit);
        }
        if (rejected < 0)
            break;
        first = EarlierOf(first, rejected);
    }
    *at = first < 0 || first > length ? length : first;
    return first < 0;
}

}  // namespace

int PortableAnsiToUtf16(unsigned codePage, const char* text, int length, uint16_t* out,
                        int capacity)
{
    if (!text || !out || length <= 0 || capacity <= 0)
        return 0;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text);
    int written = 0;
    for (int i = 0; i < length && written < capacity; i++) {
        uint8_t b = bytes[i];
        uint16_t unit = b;
        if (codePage == CP_WESTERN && b >= 0x80 && b <= 0x9F) {
            unit = WESTERN_HIGH[b - 0x80];
        } else if (codePage == CP_JAPANESE && b >= 0xA1 && b <= 0xDF) {
            unit = static_cast<uint16_t>(0xFF61 + (b - 0xA1));
        } else if (codePage == CP_JAPANESE && IsJapaneseLead(b)) {
            if (i + 1 < length && IsJapaneseTrail(bytes[i + 1])) {
                unit = static_cast<uint16_t>(b << 8 | bytes[i + 1]);
                i++;
            } else {
                unit = JAPANESE_DEFAULT_CHAR;
            }
        }
        out[written++] = unit;
    }
    return written;
}

int FilterNameField(char* text, int size, int limit, int* caret, const TextEnvironment& env)
{
    return RunFilter(text, size, limit, caret, FieldRule{JudgeName, &env, 0, nullptr});
}

int FilterDialNumberField(char* text, int size, int limit, int* caret, const TextEnvironment& env,
                          int codeField)
{
    return RunFilter(text, size, limit, caret,
                     FieldRule{JudgeDialNumber, &env, codeField, nullptr});
}

int FilterEmailField(char* text, int size, int limit, int* caret, const TextEnvironment& env)
{
    return RunFilter(text, size, limit, caret, FieldRule{JudgeEmail, &env, 0, nullptr});
}

int FilterDigitsField(char* text, int size, int limit, int* caret)
{
    return RunFilter(text, size, limit, caret, FieldRule{JudgeDigit, nullptr, 0, nullptr});
}

int FilterFieldWith(char* text, int size, int limit, int* caret, FieldJudge judge,
                    const TextEnvironment* env)
{
    FieldRule rule{JudgeExternal, env, 0, judge ? judge : KeepEverything};
    return RunFilter(text, size, limit, caret, rule);
}

namespace {

FieldVerdict JudgePhone(uint8_t b, int)
{
    return (b >= '0' && b <= '9') || b == '+' || b == '-' || b == ' ' ? FIELD_KEEP : FIELD_REMOVE;
}

FieldVerdict JudgeAscii(uint8_t b, int unit)
{
    if (unit >= 256)
        return FIELD_CUT;
    return b < 32 || b >= 128 || b == '?' ? FIELD_REMOVE : FIELD_KEEP;
}

FieldVerdict JudgeHost(uint8_t b, int unit)
{
    if (unit >= 256)
        return FIELD_CUT;
    return b < 32 || b > 126 || b == '\\' || b == '?' ? FIELD_REMOVE : FIELD_KEEP;
}

// Only the limit: a text longer than it is cut there.
int CutToLimit(char* text, int size, int limit, int* caret)
{
    int length = 0;
    while (length < size - 1 && text[length])
        length++;
    if (size > 0)
        text[length] = '\0';
    const int cut = limit < 0 ? 0 : limit;
    if (length <= cut) {
        if (caret)
            *caret = length;
        return 1;
    }
    text[cut] = '\0';
    if (caret)
        *caret = cut;
    return 0;
}

}  // namespace

int FilterPhoneField(char* text, int size, int limit, int* caret)
{
    return FilterFieldWith(text, size, limit, caret, JudgePhone, nullptr);
}

int FilterAsciiField(char* text, int size, int limit, int* caret, const TextEnvironment& env)
{
    return FilterFieldWith(text, size, limit, caret, JudgeAscii, &env);
}

int FilterHostField(char* text, int size, int limit, int* caret, const TextEnvironment& env)
{
    return FilterFieldWith(text, size, limit, caret, JudgeHost, &env);
}

int FilterText(TextFilter filter, char* text, int size, int limit, int* caret,
               const TextEnvironment& env)
{
    if (!text || size <= 0)
        return 1;
    switch (filter) {
    case FILTER_NONE:
        break;
    case FILTER_DIGITS:
        return FilterDigitsField(text, size, limit, caret);
    case FILTER_NAME:
        return FilterNameField(text, size, limit, caret, env);
    case FILTER_ASCII:
        return FilterAsciiField(text, size, limit, caret, env);
    case FILTER_HOST:
        return FilterHostField(text, size, limit, caret, env);
    case FILTER_PHONE:
        return FilterPhoneField(text, size, limit, caret);
    case FILTER_EMAIL:
        return FilterEmailField(text, size, limit, caret, env);
    case FILTER_DIAL_NUMBER:
    case FILTER_DIAL_CODE:
        return FilterDialNumberField(text, size, limit, caret, env, filter == FILTER_DIAL_CODE);
    }
    return CutToLimit(text, size, limit, caret);
}

int HasVisibleText(const char* text)
{
    if (!text)
        return 0;
    while (*text == ' ')
        text++;
    return *text != '\0';
}

int IsDialableNumber(const char* text)
{
    if (!text || text[0] == 'P')
        return 0;
    for (; *text; text++) {
        if (*text >= '0' && *text <= '9')
            return 1;
    }
    return 0;
}

int IsEmailAddress(const char* text)
{
    if (!text)
        return 0;
    int ats = 0;
    int dots = 0;
    for (; *text; text++) {
        ats += *text == '@';
        dots += *text == '.';
    }
    return ats == 1 && dots > 0;
}

long ParseDecimalField(const char* text)
{
    if (!text)
        return 0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        text++;
    int negative = *text == '-';
    if (*text == '-' || *text == '+')
        text++;
    // Accumulate towards the sign so LONG_MIN is reachable without overflow.
    long value = 0;
    for (; *text >= '0' && *text <= '9'; text++) {
        int digit = *text - '0';
        if (negative) {
            if (value < (LONG_MIN + digit) / 10)
                return LONG_MIN;
            value = value * 10 - digit;
        } else {
            if (value > (LONG_MAX - digit) / 10)
                return LONG_MAX;
            value = value * 10 + digit;
        }
    }
    return value;
}

RangeVerdict JudgeRangeField(const char* text, long min, long max)
{
    if (!text || !text[0])
        return RANGE_EMPTY;
    const long value = ParseDecimalField(text);
    return value >= min && value <= max ? RANGE_OK : RANGE_OUTSIDE;
}

void FormatRangeMessage(char* out, size_t size, const char* format, long min, long max)
{
    if (!out || size == 0)
        return;
    size_t n = 0;
    int filled = 0;
    for (const char* p = format ? format : ""; *p && n + 1 < size; p++) {
        if (p[0] == '%' && p[1] == 'd' && filled < 2) {
            char number[24];
            std::snprintf(number, sizeof number, "%ld", filled == 0 ? min : max);
            for (const char* q = number; *q && n + 1 < size; q++)
                out[n++] = *q;
            filled++;
            p++;
            continue;
        }
        out[n++] = *p;
    }
    out[n] = '\0';
}
