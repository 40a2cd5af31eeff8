// The conversions under every dial entry: digit packing, the device character set, scan size
// codes and date stamps.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "dial_test_support.h"

namespace {

std::string Hex(const std::vector<uint8_t>& bytes)
{
    std::string out;
    char buf[4];
    for (uint8_t b : bytes) {
        snprintf(buf, sizeof buf, "%02X ", b);
        out += buf;
    }
    return out;
}

struct PackCase {
    const char* text;
    std::vector<uint8_t> packed;
};

TEST(DialDigits, PackTwoCharactersPerByteLowNibbleFirst)
{
    const PackCase cases[] = {
        {"0123", {0x10, 0x32}},
        {"12345", {0x21, 0x43, 0x05}},
        {"*#P +-", {0xBA, 0xDC, 0xFE}},
        {"7", {0x07}},
        {"9876543", {0x89, 0x67, 0x45, 0x03}},
        {"A9x", {0x90, 0x00}},  // outside the alphabet packs as 0
        {"", {}},
    };
    for (const PackCase& c : cases) {
        std::vector<uint8_t> out(c.packed.size() + 2, 0xEE);
        PackDialDigits(out.data(), c.text, static_cast<int>(strlen(c.text)));
        std::vector<uint8_t> expected = c.packed;
        expected.push_back(0xEE);  // nothing written beyond ceil(length / 2)
        expected.push_back(0xEE);
        EXPECT_EQ(Hex(expected), Hex(out)) << "packing \"" << c.text << "\"";
    }
}

TEST(DialDigits, PackReadsNoFurtherThanTheLength)
{
    // An odd length whose next character is not the terminator: the extra character must not
    // end up in the high nibble.
    uint8_t out[2] = {0xEE, 0xEE};
    PackDialDigits(out, "1239", 3);
    EXPECT_EQ(0x21, out[0]);
    EXPECT_EQ(0x03, out[1]) << "the half-used last byte carries nothing after the length";
}

TEST(DialDigits, UnpackGivesTheCharactersBackAndCutsOddLengths)
{
    const uint8_t fiveDigits[] = {0x21, 0x43, 0x05};
    char text[8];
    memset(text, 'x', sizeof text);
    UnpackDialDigits(text, fiveDigits, 5);
    EXPECT_STREQ("12345", text);

    const uint8_t highNibbleSet[] = {0x21, 0x43, 0xF5};
    UnpackDialDigits(text, highNibbleSet, 5);
    EXPECT_STREQ("12345", text) << "the nibble beyond an odd length is not shown";

    const uint8_t alphabet[] = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};
    char all[17];
    UnpackDialDigits(all, alphabet, 16);
    EXPECT_STREQ("0123456789*#P +-", all);

    UnpackDialDigits(text, alphabet, 0);
    EXPECT_STREQ("", text);
}

TEST(DialDigits, EveryDialTextSurvivesPackingAndUnpacking)
{
    const char* texts[] = {"0", "12", "+49 (0) 30", "*#P +-0987654321", "P9W", "5"};
    for (const char* t : texts) {
        int n = static_cast<int>(strlen(t));
        uint8_t packed[25] = {};
        char back[51];
        PackDialDigits(packed, t, n);
        UnpackDialDigits(back, packed, n);
        std::string expected;
        for (const char* c = t; *c; c++)  // characters outside the alphabet come back as 0
            expected += strchr(DIAL_DIGITS, *c) ? *c : '0';
        EXPECT_EQ(expected, back) << "for \"" << t << "\"";
    }
}

class DeviceCharset : public DialTest {};

// The pairs as the device documents them, Windows-1252 first.
const uint8_t PAIRS[][2] = {
    {196, 142}, {197, 143}, {198, 146}, {224, 133}, {231, 135}, {233, 130}, {236, 141},
    {238, 140}, {241, 155}, {246, 148}, {248, 175}, {223, 224}, {252, 129}, {250, 163},
    {228, 132}, {229, 131}, {230, 145}, {199, 128}, {201, 144}, {232, 138}, {237, 161},
    {209, 156}, {214, 153}, {216, 174}, {242, 149}, {220, 154}, {249, 151}, {191, 159},
};

// Converts with the Japanese mode the edit state's language set gives, as the codecs do.
std::string Convert(void (*convert)(char*, int), std::vector<uint8_t> bytes)
{
    bytes.push_back(0);
    convert(reinterpret_cast<char*>(bytes.data()), IsJapaneseMode(gDocument.edit));
    return std::string(bytes.begin(), bytes.end() - 1);
}

std::string Str(std::vector<uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST_F(DeviceCharset, ConvertsANameWithUUmlautBothWays)
{
    EXPECT_EQ(Str({77, 129, 108, 108, 101, 114}),
              Convert(ToDeviceCharset, {77, 252, 108, 108, 101, 114}));
    EXPECT_EQ(Str({77, 252, 108, 108, 101, 114}),
              Convert(FromDeviceCharset, {77, 129, 108, 108, 101, 114}));
}

TEST_F(DeviceCharset, EveryPairMapsInBothDirections)
{
    for (const auto& p : PAIRS) {
        EXPECT_EQ(Str({p[1]}), Convert(ToDeviceCharset, {p[0]})) << "to device: " << int(p[0]);
        EXPECT_EQ(Str({p[0]}), Convert(FromDeviceCharset, {p[1]})) << "from device: " << int(p[1]);
    }
}

TEST_F(DeviceCharset, Byte224IsAGraveOneWayAndSharpSTheOther)
{
    EXPECT_EQ(Str({133}), Convert(ToDeviceCharset, {224})) << "a-grave goes to the device as 133";
    EXPECT_EQ(Str({223}), Convert(FromDeviceCharset, {224})) << "the device's 224 is sharp s";
    EXPECT_EQ(Str({224}), Convert(ToDeviceCharset, {223}));
    EXPECT_EQ(Str({224}), Convert(FromDeviceCharset, {133}));
    // One pass: a converted byte is not converted again.
    EXPECT_EQ(Str({133, 224}), Convert(ToDeviceCharset, {224, 223}));
    EXPECT_EQ(Str({223, 224}), Convert(FromDeviceCharset, {224, 133}));
}

TEST_F(DeviceCharset, OtherBytesPassUnchanged)
{
    std::vector<uint8_t> others;
    for (int c = 1; c < 256; c++) {
        bool paired = false;
        for (const auto& p : PAIRS)
            paired = paired || p[0] == c || p[1] == c;
        if (!paired)
            others.push_back(static_cast<uint8_t>(c));
    }
    EXPECT_EQ(Str(others), Convert(ToDeviceCharset, others));
    EXPECT_EQ(Str(others), Convert(FromDeviceCharset, others));
}

TEST_F(DeviceCharset, JapaneseModeLeavesNamesAsTyped)
{
    gDocument.edit.system.languageSet = 1;
    const std::vector<uint8_t> katakana = {0xB1, 0xB2, 252, 224, 129, 133};
    EXPECT_EQ(Str(katakana), Convert(ToDeviceCharset, katakana));
    EXPECT_EQ(Str(katakana), Convert(FromDeviceCharset, katakana));
    gDocument.edit.system.languageSet = 2;
    EXPECT_EQ(Str({129}), Convert(ToDeviceCharset, {252})) << "only 1 is the Japanese mode";
}

TEST(ScanSizeCodes, WritingDependsOnThePaperSystem)
{
    struct Case {
        int inch, index;
        uint8_t code;
    } cases[] = {
        {0, 0, 2},  {0, 1, 1}, {0, 2, 0},   // A4, B4 JIS, A3
        {1, 0, 12}, {1, 1, 9},              // Letter, Ledger
        {1, 2, 0},  {0, 5, 0}, {0, -1, 0},  // beyond the rows
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.code, ScanSizeCode(c.index, c.inch))
            << (c.inch ? "inch" : "metric") << " index " << c.index;
}

TEST(ScanSizeCodes, ReadingMapsEveryCodeIntoTheSizeList)
{
    struct Case {
        uint8_t code;
        uint8_t metric, inch;
    } cases[] = {{0, 2, 1},  {1, 1, 1}, {2, 0, 0}, {9, 2, 1},
                 {12, 0, 0}, {3, 0, 0}, {8, 0, 0}, {255, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.metric, ScanSizeIndex(c.code, 0)) << "metric, code " << int(c.code);
        EXPECT_EQ(c.inch, ScanSizeIndex(c.code, 1)) << "inch, code " << int(c.code);
    }
}

TEST(ScanSizeCodes, EverySizeOfAListSurvivesWritingAndReading)
{
    for (int index = 0; index < 3; index++)
        EXPECT_EQ(index, ScanSizeIndex(ScanSizeCode(index, 0), 0)) << "metric " << index;
    for (int index = 0; index < 2; index++)
        EXPECT_EQ(index, ScanSizeIndex(ScanSizeCode(index, 1), 1)) << "inch " << index;
}

TEST(EntryDates, YearMonthDayPackIntoSixteenBits)
{
    EXPECT_EQ((24 << 9) | (5 << 5) | 17, EntryDateFor(2024, 5, 17));
    EXPECT_EQ((0 << 9) | (1 << 5) | 1, EntryDateFor(2000, 1, 1));
    EXPECT_EQ((127 << 9) | (12 << 5) | 31, EntryDateFor(2127, 12, 31));
    EXPECT_EQ((0 << 9) | (3 << 5) | 9, EntryDateFor(2128, 3, 9)) << "years wrap at 128";
}

TEST(EntryDates, TodaysStampIsTheLocalDate)
{
    auto stampOfNow = [] {
        std::time_t now = std::time(nullptr);
        std::tm local = *std::localtime(&now);
        return EntryDateFor(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    };
    uint16_t before = stampOfNow();
    uint16_t stamp = MakeEntryDate();
    uint16_t after = stampOfNow();
    EXPECT_TRUE(stamp == before || stamp == after) << "got " << stamp << ", today is " << before;
}

}  // namespace
