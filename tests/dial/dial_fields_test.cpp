// Field filters and checks of the dial dialogs: what each filter keeps, removes and cuts, where
// the caret lands, and the checks run on OK.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "ui/field_filters.h"

namespace {

enum Field { NAME, NUMBER, CODE, EMAIL, DIGITS };

struct FilterCase {
    Field field;
    unsigned codePage;
    int japanese;
    const char* typed;
    const char* kept;
    int caret;  // for a text that passes, its length
};

std::string Outcome(int result, const char* text, int caret)
{
    return std::to_string(result) + " \"" + text + "\" caret " + std::to_string(caret);
}

// Runs a filter on a buffer of exactly `size` bytes (the text and its terminator when 0), so
// ASan sees any access beyond it.
std::string Filter(Field field, unsigned codePage, int japanese, const std::string& typed,
                   int limit = 64, size_t size = 0)
{
    std::vector<char> buf(typed.c_str(), typed.c_str() + typed.size() + 1);
    buf.resize(size ? size : buf.size());
    TextEnvironment env{codePage, japanese, PortableAnsiToUtf16};
    int n = static_cast<int>(buf.size());
    int caret = -1;
    int result = field == NAME    ? FilterNameField(buf.data(), n, limit, &caret, env)
                 : field == EMAIL ? FilterEmailField(buf.data(), n, limit, &caret, env)
                 : field == DIGITS
                     ? FilterDigitsField(buf.data(), n, limit, &caret)
                     : FilterDialNumberField(buf.data(), n, limit, &caret, env, field == CODE);
    if (!std::memchr(buf.data(), 0, buf.size()))
        return "unterminated";
    return Outcome(result, buf.data(), caret);
}

void ExpectAll(const std::vector<FilterCase>& cases)
{
    for (const FilterCase& c : cases) {
        int passes = std::strcmp(c.typed, c.kept) == 0;
        EXPECT_EQ(Outcome(passes, c.kept, c.caret),
                  Filter(c.field, c.codePage, c.japanese, c.typed))
            << "typed \"" << c.typed << "\"";
    }
}

TEST(DialFieldFilters, NumbersKeepDialCharactersAndCodesOnlyDigitsStarHash)
{
    ExpectAll({
        {NUMBER, 1252, 0, "03a12", "0312", 2},  // the letter goes, the caret stays where typed
        {NUMBER, 1252, 0, "P1 2-3+", "P1 2-3+", 7},
        {CODE, 1252, 0, "1P2", "12", 1},
        {CODE, 1252, 0, "12-3", "123", 2},
        {CODE, 1252, 0, "1 2+", "12", 1},
        {CODE, 1252, 0, "*#09", "*#09", 4},
        {NUMBER, 1252, 0, "12\x80**", "12", 2},  // euro sign cuts
        {DIGITS, 1252, 0, "1a2b", "12", 1},
    });
}

TEST(DialFieldFilters, EmailRemovesEachExcludedCharacter)
{
    for (char bad : std::string("+,:;<>\"\\?\x1F\x7F")) {
        std::string typed = std::string("a") + bad + "b@c.d";
        EXPECT_EQ(Outcome(0, "ab@c.d", 1), Filter(EMAIL, 1252, 0, typed)) << "typed " << typed;
    }
    ExpectAll({
        {EMAIL, 1252, 0, "a_b-c.d@e.f", "a_b-c.d@e.f", 11},
        {EMAIL, 1252, 0, "ab\x80gh", "ab", 2},
    });
}

TEST(DialFieldFilters, NamesOnWesternCodePages)
{
    ExpectAll({
        {NAME, 1252, 0, "Jos\xE9", "Jos\xE9", 4},
        {NAME, 1252, 0, "ab\x80gh", "ab", 2},
        {NAME, 1252, 0, "a?b\\c", "abc", 1},
        {NAME, 1252, 0, "x\xE3y", "xy", 1},  // a-tilde is no device letter
        {NAME, 1250, 0, "Jos\xE9", "Jos", 3},
        {NAME, 1252, 0, "a\tb", "ab", 1},
    });
}

TEST(DialFieldFilters, NamesInJapaneseMode)
{
    ExpectAll({
        {NAME, 932, 1, "\xB1\xB2 A", "\xB1\xB2 A", 4},
        {NAME, 932, 1, "a\x81\x40z", "a", 1},
        {NAME, 932, 1, "a\xA1z", "a", 1},  // half-width full stop is no katakana
        {NAME, 932, 1, "\xB1?\\", "\xB1", 1},
        {NAME, 932, 0, "a\xB1z", "a", 1},
        {NAME, 1250, 1, "a\x83z", "a", 1},  // the byte cuts, its unit would not
        {NAME, 1250, 1, "a\x84z", "az", 1},
        {NAME, 1252, 1, "Jos\xE9", "Jos", 3},
    });
}

TEST(DialFieldFilters, LimitAppliesAfterTheRemovals)
{
    EXPECT_EQ(Outcome(0, "abcd", 4), Filter(NAME, 1252, 0, "abcdef", 4));
    EXPECT_EQ(Outcome(0, "abcd", 2), Filter(NAME, 1252, 0, "ab?cd", 4));
    EXPECT_EQ(Outcome(1, "12", 2), Filter(DIGITS, 1252, 0, "12", 2));
    // The caller's buffer holds "1234" and no terminator.
    EXPECT_EQ(Outcome(0, "123", 3), Filter(DIGITS, 1252, 0, "1234", 64, 4));
}

// Two high bytes make one unit, as in the Chinese and Korean double-byte code pages.
int PairingConverter(unsigned, const char* text, int length, uint16_t* out, int capacity)
{
    const uint8_t* b = reinterpret_cast<const uint8_t*>(text);
    int n = 0;
    for (int i = 0; i < length && n < capacity; i++) {
        uint16_t unit = b[i];
        if (b[i] >= 0xA1 && i + 1 < length && b[i + 1] >= 0xA1)
            unit = static_cast<uint16_t>(unit << 8 | b[++i]);
        out[n++] = unit;
    }
    return n;
}

TEST(DialFieldFilters, RepairedTextPassesAgainWhenRemovalsPairBytesUp)
{
    // Removing the "?" joins 0xB1 0xB2 into one unit that is no katakana, which cuts.
    char text[] = "\xB1?\xB2";
    int caret = -1;
    int result = FilterNameField(text, sizeof text, 20, &caret, {936, 1, PairingConverter});
    EXPECT_EQ(Outcome(0, "", 0), Outcome(result, text, caret));
}

TEST(DialFieldChecks, VisibleTextDialableNumberEmailAddress)
{
    struct Check {
        int (*check)(const char*);
        const char* text;
        int expected;
    } checks[] = {
        {HasVisibleText, "   ", 0},     {HasVisibleText, "", 0},
        {HasVisibleText, "  a", 1},     {IsDialableNumber, "P123", 0},
        {IsDialableNumber, "*# -", 0},  {IsDialableNumber, "1P2", 1},
        {IsEmailAddress, "a@bc", 0},    {IsEmailAddress, "a.b@c", 1},
        {IsEmailAddress, "a@b@c.d", 0}, {IsEmailAddress, "a@b.c", 1},
    };
    for (const Check& c : checks)
        EXPECT_EQ(c.expected, c.check(c.text)) << "for \"" << c.text << "\"";
}

TEST(DialFieldChecks, DecimalReadingOfRangeFields)
{
    struct Reading {
        const char* text;
        long value;
    } readings[] = {{"12abc", 12},
                    {" -5", -5},
                    {"", 0},
                    {"+7", 7},
                    {"x1", 0},
                    {"99999999999999999999999", LONG_MAX},
                    {"-99999999999999999999999", LONG_MIN}};
    for (const Reading& r : readings)
        EXPECT_EQ(r.value, ParseDecimalField(r.text)) << "reading \"" << r.text << "\"";
}

}  // namespace
