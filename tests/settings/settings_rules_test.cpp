// The decisions every settings page shares: the sheet's pages, the unsaved-changes decision,
// the range check and its messages, sliders, the coded-list fallback, the settings filters,
// the address byte order and what an Apply stores.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device/byte_order.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/settings_rules.h"

namespace {

std::vector<int> Templates(uint8_t board)
{
    int orders[SETTINGS_PAGE_COUNT];
    const int n = SheetPageOrders(board, orders);
    std::vector<int> templates;
    for (int i = 0; i < n; i++)
        templates.push_back(SETTINGS_PAGES[orders[i]].templateId);
    return templates;
}

TEST(SettingsSheetPages, ThirteenWithTheEthernetBoardSevenWithout)
{
    const std::vector<int> all = {IDD_PAGE_SYSTEM,
                                  IDD_PAGE_PAPER,
                                  IDD_PAGE_COPIER,
                                  IDD_PAGE_REPORT,
                                  IDD_PAGE_TRANSMISSION,
                                  IDD_PAGE_RECEPTION,
                                  IDD_PAGE_LINE,
                                  IDD_PAGE_SMTP,
                                  IDD_PAGE_POP3,
                                  IDD_PAGE_NETWORK,
                                  IDD_PAGE_USER_RESTRICTION,
                                  IDD_PAGE_SCANNER,
                                  IDD_PAGE_LDAP};
    EXPECT_EQ(all, Templates(1));
    const std::vector<int> local = {IDD_PAGE_SYSTEM, IDD_PAGE_PAPER,        IDD_PAGE_COPIER,
                                    IDD_PAGE_REPORT, IDD_PAGE_TRANSMISSION, IDD_PAGE_RECEPTION,
                                    IDD_PAGE_LINE};
    EXPECT_EQ(local, Templates(0));
}

TEST(SettingsSheetPages, AnEthernetFlagOtherThanOneMeansNoBoard)
{
    EditState state = {};
    for (uint8_t flag : {0, 2, 0x80, 0xFF}) {
        state.config.ethernetBoard = flag;
        EXPECT_EQ(0, NormaliseEthernetFlag(state)) << int(flag);
        EXPECT_EQ(0, state.config.ethernetBoard);
        EXPECT_EQ(7u, Templates(state.config.ethernetBoard).size());
    }
    state.config.ethernetBoard = 1;
    EXPECT_EQ(1, NormaliseEthernetFlag(state));
}

TEST(SettingsSheetPages, AnyChangedPageMarksTheDocument)
{
    uint8_t flags[SETTINGS_PAGE_COUNT] = {};
    EXPECT_EQ(0, ShouldMarkUnsaved(flags, SETTINGS_PAGE_COUNT))
        << "nothing edited, nothing to save";
    for (int page : {PAGE_SYSTEM, PAGE_REPORT, PAGE_RESTRICTION, PAGE_SCANNER, PAGE_LDAP}) {
        std::memset(flags, 0, sizeof flags);
        flags[page] = 1;
        EXPECT_EQ(1, ShouldMarkUnsaved(flags, SETTINGS_PAGE_COUNT)) << "page " << page;
    }
}

TEST(RangeField, EmptyIsRequiredAndTheTextIsReadAsADecimalPrefix)
{
    struct Case {
        const char* text;
        RangeVerdict verdict;
    };
    const Case cases[] = {
        {"", RANGE_EMPTY},
        {"15", RANGE_OK},
        {"240", RANGE_OK},
        {"14", RANGE_OUTSIDE},
        {"241", RANGE_OUTSIDE},
        {"12abc", RANGE_OUTSIDE},
        {"120abc", RANGE_OK},
        {"  60", RANGE_OK},
        {"+60", RANGE_OK},
        {"-60", RANGE_OUTSIDE},
        {"abc", RANGE_OUTSIDE},
        {" ", RANGE_OUTSIDE},
        {"99999999999999999999999", RANGE_OUTSIDE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.verdict, JudgeRangeField(c.text, 15, 240)) << '"' << c.text << '"';
    EXPECT_EQ(RANGE_OK, JudgeRangeField("12abc", 1, 60)) << "12abc is read as 12";
    EXPECT_EQ(RANGE_EMPTY, JudgeRangeField(nullptr, 1, 60));
}

TEST(RangeField, TheMessageFillsInTheLimitsAndNothingElse)
{
    char out[128];
    FormatRangeMessage(out, sizeof out, "Invalid value. Enter a value between %d and %d.", 15, 240);
    EXPECT_STREQ("Invalid value. Enter a value between 15 and 240.", out);
    FormatRangeMessage(out, sizeof out, "%d-%d", 1, 65535);
    EXPECT_STREQ("1-65535", out);
    // A translated format from a resource library cannot make it read what is not there.
    FormatRangeMessage(out, sizeof out, "%s %d %n %d %d %%", 2, 500);
    EXPECT_STREQ("%s 2 %n 500 %d %%", out);
    char small[8];
    FormatRangeMessage(small, sizeof small, "between %d and %d", 15, 240);
    EXPECT_STREQ("between", small) << "cut to the buffer, terminated";
}

TEST(Sliders, RequestsMoveByStepsAndTheClampKeepsTheRange)
{
    // Energy saver: 1..240, line 1, page 10.
    EXPECT_EQ(14, SliderTarget(SCROLL_LINE_LEFT, 15, 0, 1, 240, 1, 10));
    EXPECT_EQ(16, SliderTarget(SCROLL_LINE_RIGHT, 15, 0, 1, 240, 1, 10));
    EXPECT_EQ(5, SliderTarget(SCROLL_PAGE_LEFT, 15, 0, 1, 240, 1, 10));
    EXPECT_EQ(25, SliderTarget(SCROLL_PAGE_RIGHT, 15, 0, 1, 240, 1, 10));
    EXPECT_EQ(77, SliderTarget(SCROLL_THUMB_TRACK, 15, 77, 1, 240, 1, 10));
    EXPECT_EQ(78, SliderTarget(SCROLL_THUMB_POSITION, 15, 78, 1, 240, 1, 10));
    EXPECT_EQ(1, SliderTarget(SCROLL_LEFT, 15, 0, 1, 240, 1, 10));
    EXPECT_EQ(240, SliderTarget(SCROLL_RIGHT, 15, 0, 1, 240, 1, 10));
    EXPECT_EQ(15, SliderTarget(SCROLL_END, 15, 99, 1, 240, 1, 10));

    EXPECT_EQ(1, ClampSlider(SliderTarget(SCROLL_PAGE_LEFT, 3, 0, 1, 240, 1, 10), 1, 240));
    EXPECT_EQ(240, ClampSlider(SliderTarget(SCROLL_PAGE_RIGHT, 235, 0, 1, 240, 1, 10), 1, 240));
    EXPECT_EQ(60, ClampSlider(61, 5, 60)) << "a thumb dragged past the end";
    EXPECT_EQ(5, ClampSlider(2, 5, 60)) << "page left from 7 by 5";
}

TEST(Sliders, TheLabelIsTheValueWithItsUnit)
{
    char out[32];
    FormatSliderLabel(out, sizeof out, 15, "min.");
    EXPECT_STREQ("15 min.", out);
    FormatSliderLabel(out, sizeof out, 30, nullptr);
    EXPECT_STREQ("30", out);
    FormatSliderLabel(out, sizeof out, 7, "");
    EXPECT_STREQ("7", out);
}

TEST(CodedLists, AValueWithoutARowFindsNone)
{
    const int64_t codes[] = {0, 1, 3};  // Tray1, Tray2, Auto
    EXPECT_EQ(2, FindComboRow(codes, 3, 3));
    EXPECT_EQ(-1, FindComboRow(codes, 3, 2)) << "the list then shows its first row";
    EXPECT_EQ(-1, FindComboRow(nullptr, 0, 0));
}

std::string Filtered(int (*filter)(char*, int, int, int*, const TextEnvironment&),
                     const std::string& typed, int limit, unsigned codePage = 1252)
{
    std::vector<char> buf(typed.begin(), typed.end());
    buf.push_back('\0');
    TextEnvironment env{codePage, 0, PortableAnsiToUtf16};
    int caret = -1;
    const int passed = filter(buf.data(), static_cast<int>(buf.size()), limit, &caret, env);
    // A repaired text passes the same filter again.
    std::vector<char> again(buf);
    int caret2 = -1;
    EXPECT_EQ(1, filter(again.data(), static_cast<int>(again.size()), limit, &caret2, env))
        << buf.data();
    return std::to_string(passed) + " \"" + buf.data() + "\" " + std::to_string(caret);
}

int Phone(char* text, int size, int limit, int* caret, const TextEnvironment&)
{
    return FilterPhoneField(text, size, limit, caret);
}

TEST(SettingsFilters, PhoneNumbersKeepDigitsPlusMinusAndSpace)
{
    EXPECT_EQ("1 \"+44 20-7946\" 11", Filtered(Phone, "+44 20-7946", 20));
    EXPECT_EQ("0 \"0207946\" 0", Filtered(Phone, "(020)7946", 20)) << "both parentheses go";
    EXPECT_EQ("0 \"12\" 2", Filtered(Phone, "12x", 20));
    EXPECT_EQ("0 \"1234\" 4", Filtered(Phone, "123456", 4)) << "cut at the limit";
}

TEST(SettingsFilters, AsciiRemovesQuestionMarksAndNonAsciiBytesAndCutsAtWideCharacters)
{
    EXPECT_EQ("1 \"mail.example.com\" 16", Filtered(FilterAsciiField, "mail.example.com", 64));
    EXPECT_EQ("0 \"mailserver\" 4", Filtered(FilterAsciiField, "mail?server", 64))
        << "the caret stays where the question mark was";
    EXPECT_EQ("0 \"ab\" 1", Filtered(FilterAsciiField,
                                     "a\xE9"
                                     "b",
                                     64))
        << "e acute is not ASCII";
    EXPECT_EQ("0 \"abc\" 2", Filtered(FilterAsciiField, "ab\tc", 64)) << "a control character";
    // A double-byte character on the Japanese code page cuts the text before it.
    EXPECT_EQ("0 \"ab\" 2", Filtered(FilterAsciiField,
                                     "ab\x82\xA0"
                                     "cd",
                                     64, 932));
}

TEST(SettingsFilters, HostNamesAlsoLoseBackslashes)
{
    EXPECT_EQ("0 \"ldapexample.com\" 4", Filtered(FilterHostField, "ldap\\example.com", 64));
    EXPECT_EQ("0 \"ldap\" 4", Filtered(FilterHostField, "ldap\x82\xA0x", 64, 932));
    EXPECT_EQ("0 \"abc\" 3", Filtered(FilterHostField, "abc\x7F", 64)) << "DEL is not printable";
}

TEST(Addresses, TheControlHoldsTheFirstOctetHighTheImageLow)
{
    // 192.168.1.10 stored: c0 a8 01 0a in the image, first octet in the lowest byte.
    const uint32_t stored = 0x0A01A8C0;
    EXPECT_EQ(0xC0A8010Au, SwapAddressOrder(stored));
    EXPECT_EQ(stored, SwapAddressOrder(SwapAddressOrder(stored)));
    EXPECT_EQ(0u, SwapAddressOrder(0));
}

class StoringSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        image.bytes = bytes.data();
        ResetImage();
    }
    void ResetImage()
    {
        std::fill(bytes.begin(), bytes.end(), 0);
        for (int r = 0; r < ITEM_COUNT; r++)
            WriteU32Le(bytes.data() + r * ITEM_RECORD_SIZE, PositionItemId(r));
        state = EditState();
    }
    uint8_t* Record(uint32_t id) { return bytes.data() + FindItemRecord(id) * ITEM_RECORD_SIZE; }
    uint32_t Length(uint32_t id) { return ReadU32Le(Record(id) + ITEM_LENGTH_OFFSET); }
    void SetText(uint32_t id, const char* text, uint32_t length)
    {
        std::memcpy(Record(id) + ITEM_VALUE_OFFSET, text, std::strlen(text));
        WriteU32Le(Record(id) + ITEM_LENGTH_OFFSET, length);
    }

    std::vector<uint8_t> bytes = std::vector<uint8_t>(DEVICE_IMAGE_SIZE);
    DeviceImage image = {nullptr};
    EditState state = {};
};

TEST_F(StoringSettings, AChangedTextTakesItsOwnLengthAndUnchangedTextsKeepTheirs)
{
    SetText(0x10905, "mail.example.com", 16);
    SetText(0x10903, "a@example.com", 40);  // a length that does not fit its text
    SetText(0x10504, "9", 1);
    LoadEditState(state, image);
    std::strcpy(state.line.pabxPrefix, "124");
    std::strcpy(state.smtp.serverName, "");
    ASSERT_EQ(1, CommitEditState(state, image));
    EXPECT_EQ(3u, Length(0x10504)) << "the prefix's length is its number of digits";
    EXPECT_EQ(0, std::memcmp(Record(0x10504) + ITEM_VALUE_OFFSET, "124", 4));
    EXPECT_EQ(0u, Length(0x10905)) << "an emptied text has length 0";
    EXPECT_EQ(40u, Length(0x10903)) << "a text nobody changed keeps what the device said";
    EXPECT_EQ(0u, Length(0x10A01)) << "nothing else changes";
}

TEST_F(StoringSettings, AnItemTheDeviceLacksStaysAbsent)
{
    SetText(0x1080A, "", ITEM_ABSENT);
    LoadEditState(state, image);
    std::strcpy(state.ldap.searchBase, "dc=example");
    CommitEditState(state, image);
    EXPECT_EQ(ITEM_ABSENT, Length(0x1080A));
}

TEST_F(StoringSettings, LoadingAfterAStoreFindsEveryTextWithItsLength)
{
    // What Cancel does after an Apply: load back what the image holds.
    LoadEditState(state, image);
    std::strcpy(state.smtp.senderName, "Front Office");
    std::strcpy(state.restriction.password, "1234");
    CommitEditState(state, image);
    std::strcpy(state.smtp.senderName, "dropped by Cancel");
    LoadEditState(state, image);
    EXPECT_STREQ("Front Office", state.smtp.senderName);
    EXPECT_EQ(std::strlen(state.smtp.senderName), Length(0x10901));
    EXPECT_EQ(4u, Length(0x10D02));
}

TEST_F(StoringSettings, WithoutAnImageNothingIsStored)
{
    DeviceImage none = {nullptr};
    EXPECT_EQ(0, CommitEditState(state, none));
}

}  // namespace
