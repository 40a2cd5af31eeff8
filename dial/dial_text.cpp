// Texts of the dial directory files. See dial_text.h.
#include "dial/dial_text.h"

#include "ui/field_filters.h"

namespace {

constexpr unsigned CP_WESTERN = 1252;
constexpr uint32_t KATAKANA_FIRST = 0xFF61;  // byte 0xA1 in Japanese mode
constexpr uint8_t KATAKANA_FIRST_BYTE = 0xA1;
constexpr uint8_t KATAKANA_LAST_BYTE = 0xDF;

int IsKatakanaByte(uint8_t b) { return b >= KATAKANA_FIRST_BYTE && b <= KATAKANA_LAST_BYTE; }

int IsContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

}  // namespace

void AppendUtf8(std::string* out, uint32_t cp)
{
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

int NextUtf8(const std::string& text, size_t* pos, uint32_t* cp)
{
    const size_t at = *pos;
    if (at >= text.size())
        return 0;
    const uint8_t lead = static_cast<uint8_t>(text[at]);
    int extra;
    uint32_t value, minimum;
    if (lead < 0x80) {
        *cp = lead;
        *pos = at + 1;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at <= static_cast<size_t>(extra))
        return 0;
    for (int i = 1; i <= extra; i++) {
        const uint8_t b = static_cast<uint8_t>(text[at + static_cast<size_t>(i)]);
        if (!IsContinuation(b))
            return 0;
        value = value << 6 | (b & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *cp = value;
    *pos = at + 1 + static_cast<size_t>(extra);
    return 1;
}

int IsUtf8(const std::string& text)
{
    size_t pos = 0;
    uint32_t cp;
    while (pos < text.size())
        if (!NextUtf8(text, &pos, &cp))
            return 0;
    return 1;
}

uint32_t Windows1252ToUnicode(uint8_t b)
{
    const char byte = static_cast<char>(b);
    uint16_t unit = b;
    PortableAnsiToUtf16(CP_WESTERN, &byte, 1, &unit, 1);
    return unit;
}

int UnicodeToWindows1252(uint32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    // Only 0x80-0x9F differ from Latin-1; their table is small enough to search.
    for (int b = 0x80; b <= 0x9F; b++)
        if (Windows1252ToUnicode(static_cast<uint8_t>(b)) == cp)
            return b;
    return -1;
}

std::string Windows1252ToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        AppendUtf8(&out, Windows1252ToUnicode(static_cast<uint8_t>(c)));
    return out;
}

std::string NameToUtf8(const char* name, int japaneseMode)
{
    std::string out;
    for (const char* p = name; p && *p; p++) {
        const uint8_t b = static_cast<uint8_t>(*p);
        if (japaneseMode && IsKatakanaByte(b))
            AppendUtf8(&out, KATAKANA_FIRST + (b - KATAKANA_FIRST_BYTE));
        else
            AppendUtf8(&out, Windows1252ToUnicode(b));
    }
    return out;
}

int NameFromUtf8(const std::string& utf8, int japaneseMode, std::string* out, std::string* bad)
{
    out->clear();
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t start = pos;
        uint32_t cp = 0;
        int byte = -1;
        if (!NextUtf8(utf8, &pos, &cp)) {
            pos = start + 1;
        } else if (japaneseMode && cp >= KATAKANA_FIRST &&
                   cp <= KATAKANA_FIRST + (KATAKANA_LAST_BYTE - KATAKANA_FIRST_BYTE)) {
            byte = KATAKANA_FIRST_BYTE + static_cast<int>(cp - KATAKANA_FIRST);
        } else if (cp != 0) {
            byte = UnicodeToWindows1252(cp);
            // In Japanese mode these bytes are katakana: the Latin letters have none.
            if (japaneseMode && byte >= 0 && IsKatakanaByte(static_cast<uint8_t>(byte)))
                byte = -1;
        }
        if (byte < 0) {
            if (bad)
                *bad = utf8.substr(start, pos - start);
            return 0;
        }
        out->push_back(static_cast<char>(byte));
    }
    return 1;
}

int FileTextToUtf8(const uint8_t* bytes, size_t size, std::string* text)
{
    static const uint8_t BOM[] = {0xEF, 0xBB, 0xBF};
    const bool marked = size >= 3 && bytes[0] == BOM[0] && bytes[1] == BOM[1] && bytes[2] == BOM[2];
    const size_t skip = marked ? 3 : 0;
    std::string raw(reinterpret_cast<const char*>(bytes) + skip, size - skip);
    if (IsUtf8(raw)) {
        *text = std::move(raw);
        return 1;
    }
    if (marked)
        return 0;
    *text = Windows1252ToUtf8(raw);
    return 1;
}

std::string FormatText(const std::string& pattern, const std::vector<std::string>& args)
{
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); i++) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char d = pattern[i + 1];
            if (d == '%') {
                out.push_back('%');
                i++;
                continue;
            }
            if (d == 's' || d == 'd') {
                if (next < args.size())
                    out += args[next++];
                i++;
                continue;
            }
        }
        out.push_back(c);
    }
    return out;
}

int SameWord(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; i++) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return 0;
    }
    return i == a.size() && b[i] == '\0';
}

std::string TrimBlanks(const std::string& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        begin++;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        end--;
    return text.substr(begin, end - begin);
}
