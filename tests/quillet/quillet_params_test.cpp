// Native tests of the KVO_PostMsg parameter parser and the shared number conversion.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "quillet/quillet_params.h"

namespace {

struct ParseCase {
    const char* text;
    uint32_t window;
    uint32_t message;
    uint16_t lField;
    uint16_t pField;
};

void ExpectParams(const ParseCase& c, const char* label)
{
    const PostMsgParams p = ParsePostMsgParams(c.text);
    EXPECT_EQ(p.window, c.window) << label << ": window of \"" << c.text << "\"";
    EXPECT_EQ(p.message, c.message) << label << ": message of \"" << c.text << "\"";
    EXPECT_EQ(p.lField, c.lField) << label << ": L field of \"" << c.text << "\"";
    EXPECT_EQ(p.pField, c.pField) << label << ": P field of \"" << c.text << "\"";
}

TEST(QuilletParams, TokensAndPrefixes)
{
    const ParseCase cases[] = {
        {"+W:1A2B +M:8001", 0x1A2B, 0x8001, 0, 0},
        {"+M:8001 +W:1A2B", 0x1A2B, 0x8001, 0, 0},
        {"+w:1a2b +m:8001", 0x1A2B, 0x8001, 0, 0},
        {"+W:0x1A2B +M:0X8001", 0x1A2B, 0x8001, 0, 0},
        {"+L:12 +P:34", 0, 0, 0x12, 0x34},
        {"+l:ab +p:cd +W:1", 1, 0, 0xAB, 0xCD},
        // The value starts at the fourth character, wherever the prefix was found.
        {"x+W:12 +M:5", 0, 5, 0, 0},
        {"ab+M:12", 0, 0, 0, 0},
        {"1234+W:9", 4, 0, 0, 0},
        {"+W:", 0, 0, 0, 0},
        {"+W:zz +M:-1", 0, 0xFFFFFFFF, 0, 0},
        // A token with several prefixes takes the first in the order W, M, L, P.
        {"+M:+W:5", 0, 0, 0, 0},
        {"+L:7+M:9", 0, 7, 0, 0},
        {"+M:9+L:7", 0, 9, 0, 0},
        // Prefixes are exact: no colon, wrong sign or another letter is no token.
        {"+W12 W:12 -W:12 +X:12", 0, 0, 0, 0},
        // Later tokens replace earlier ones, field by field.
        {"+M:10 +M:20", 0, 0x20, 0, 0},
        {"+W:1 +M:2 +w:3 +L:4 +l:5", 3, 2, 5, 0},
        // Separators: runs of spaces count once, leading and trailing spaces are skipped, only
        // the space separates.
        {"   +W:1A2B     +M:8001   ", 0x1A2B, 0x8001, 0, 0},
        {"+W:1A2B\t+M:8001", 0x1A2B, 0, 0, 0},
        {"", 0, 0, 0, 0},
        {"     ", 0, 0, 0, 0},
    };
    for (const ParseCase& c : cases)
        ExpectParams(c, "case");
}

TEST(QuilletParams, NullTextIsEmpty)
{
    const PostMsgParams p = ParsePostMsgParams(nullptr);
    EXPECT_EQ(p.window, 0u);
    EXPECT_EQ(p.message, 0u);
    EXPECT_EQ(p.lField, 0);
    EXPECT_EQ(p.pField, 0);
}

TEST(QuilletParams, ValuesSaturateAt32BitsAndLAndPKeepTheLow16)
{
    const ParseCase cases[] = {
        {"+W:7FFFFFFF", 0x7FFFFFFF, 0, 0, 0},        {"+W:80000000", 0x7FFFFFFF, 0, 0, 0},
        {"+W:123456789ABCDEF", 0x7FFFFFFF, 0, 0, 0}, {"+M:-80000000", 0, 0x80000000, 0, 0},
        {"+M:-80000001", 0, 0x80000000, 0, 0},       {"+L:12345 +P:-1", 0, 0, 0x2345, 0xFFFF},
        {"+L:FFFFFFFFF", 0, 0, 0xFFFF, 0},
    };
    for (const ParseCase& c : cases)
        ExpectParams(c, "saturation");
}

TEST(QuilletParams, TokensBeyond19CharactersAreTruncated)
{
    // 19 characters are kept: "+W:" and 16 digits, the last of which is cut off here.
    ExpectParams({"+W:0000000000001234", 0x1234, 0, 0, 0}, "19 characters");
    ExpectParams({"+W:00000000000012345", 0x1234, 0, 0, 0}, "20 characters");
    // The dropped tail of a long token neither starts a token of its own nor reaches its value.
    ExpectParams({"xxxxxxxxxxxxxxxxxxxx+W:12 +M:3", 0, 3, 0, 0}, "prefix past the cut");
    const std::string huge = "+W:" + std::string(5000, '1') + " +M:42";
    ExpectParams({huge.c_str(), 0x7FFFFFFF, 0, 0, 0}, "token longer than the work text");
}

std::string Repeat(const std::string& token, int times)
{
    std::string text;
    for (int i = 0; i < times; i++)
        text += token + " ";
    return text;
}

TEST(QuilletParams, AtMost30TokensAreTaken)
{
    const std::string thirtieth = Repeat("x", 29) + "+M:1";
    ExpectParams({thirtieth.c_str(), 0, 1, 0, 0}, "30th token");
    const std::string thirtyFirst = Repeat("x", 30) + "+M:1";
    ExpectParams({thirtyFirst.c_str(), 0, 0, 0, 0}, "31st token");
    const std::string replaced = Repeat("+M:2", 30) + "+M:3 +W:4";
    ExpectParams({replaced.c_str(), 0, 2, 0, 0}, "31st token replacing");
    // Runs of spaces are no tokens and do not count.
    const std::string spaced = Repeat("x   ", 29) + "    +M:1";
    ExpectParams({spaced.c_str(), 0, 1, 0, 0}, "30th token after spaces");
}

TEST(QuilletParams, TextBeyond1023CharactersIsIgnored)
{
    const std::string cutInToken = std::string(1019, ' ') + "+M:56";  // "6" is character 1024
    ExpectParams({cutInToken.c_str(), 0, 5, 0, 0}, "token cut at 1023");
    const std::string pastEnd = std::string(1023, ' ') + "+M:5";
    ExpectParams({pastEnd.c_str(), 0, 0, 0, 0}, "token after 1023");
    const std::string early = "+W:9 " + std::string(2000, 'y') + " +W:8";
    ExpectParams({early.c_str(), 9, 0, 0, 0}, "token before a long run");
}

TEST(QuilletParams, NeverReadsPastTheWorkText)
{
    // 1,023 characters and no terminator: reading one more is a heap overflow under ASan.
    std::unique_ptr<char[]> text(new char[WORK_TEXT_MAX]);
    const std::string content = "+W:12 +M:34 " + std::string(WORK_TEXT_MAX - 12, 'z');
    std::memcpy(text.get(), content.data(), WORK_TEXT_MAX);
    const PostMsgParams p = ParsePostMsgParams(text.get());
    EXPECT_EQ(p.window, 0x12u);
    EXPECT_EQ(p.message, 0x34u);
}

struct ConvertCase {
    const char* text;
    int base;
    int32_t expected;
};

TEST(QuilletTextToInt32, FollowsStrtol)
{
    const ConvertCase cases[] = {
        {"  -42abc", 10, -42},
        {"ff", 16, 255},
        {"FF", 16, 255},
        {"0xff", 16, 255},
        {"0XfF", 16, 255},
        {"-0x10", 16, -16},
        {"0x", 16, 0},
        {"0xg", 16, 0},
        {"+7", 10, 7},
        {"\t\n\v\f\r 12", 10, 12},
        {"1 2", 10, 1},
        {"12", 8, 10},
        {"19", 8, 1},
        {"101", 2, 5},
        {"2", 2, 0},
        {"zZ", 36, 35 * 36 + 35},
        {"", 10, 0},
        {"-", 10, 0},
        {"+-1", 10, 0},
        {"abc", 10, 0},
        // Base 0 tells the base from the text.
        {"0x1A", 0, 26},
        {"017", 0, 15},
        {"09", 0, 0},
        {"-42", 0, -42},
        {"0", 0, 0},
    };
    for (const ConvertCase& c : cases) {
        EXPECT_EQ(TextToInt32(c.text, c.base), c.expected)
            << "\"" << c.text << "\" in base " << c.base;
    }
}

TEST(QuilletTextToInt32, SaturatesAtTheSigned32BitRange)
{
    const ConvertCase cases[] = {
        {"2147483647", 10, INT32_MAX},
        {"2147483648", 10, INT32_MAX},
        {"99999999999999999999999", 10, INT32_MAX},
        {"-2147483648", 10, INT32_MIN},
        {"-2147483649", 10, INT32_MIN},
        {"7fffffff", 16, INT32_MAX},
        {"80000000", 16, INT32_MAX},
        {"FFFFFFFF", 16, INT32_MAX},
        {"-80000000", 16, INT32_MIN},
        {"-FFFFFFFFFFFF", 16, INT32_MIN},
        {"0x100000000", 0, INT32_MAX},
    };
    for (const ConvertCase& c : cases) {
        EXPECT_EQ(TextToInt32(c.text, c.base), c.expected)
            << "\"" << c.text << "\" in base " << c.base;
    }
}

TEST(QuilletTextToInt32, InvalidBaseOrNullTextGivesZero)
{
    const int invalidBases[] = {1, 37, -1, 100, INT32_MIN};
    for (int base : invalidBases) {
        EXPECT_EQ(TextToInt32("12", base), 0) << "base " << base;
    }
    EXPECT_EQ(TextToInt32(nullptr, 10), 0);
    EXPECT_EQ(TextToInt32(nullptr, 0), 0);
}

}  // namespace
