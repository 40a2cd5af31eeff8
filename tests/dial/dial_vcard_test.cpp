// Address cards: escaping and folding both ways, the cards of the destinations, and cards of
// other programs added to the free Speed Dial entries with what was skipped and why.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dial/address_import.h"
#include "dial/dial_text.h"
#include "dial/dial_vcard.h"
#include "resources/resource_ids.h"
#include "tests/dial/dial_test_support.h"

namespace {

TextEnvironment Western() { return {1252, 0, PortableAnsiToUtf16}; }

TEST(VcardText, EscapingBothWays)
{
    const std::string text = "a\\b,c;d\ne\r\nf";
    EXPECT_EQ("a\\\\b\\,c\\;d\\ne\\nf", EscapeVcardText(text));
    EXPECT_EQ("a\\b,c;d\ne\nf", UnescapeVcardText(EscapeVcardText(text)));
    EXPECT_EQ("x\ny:z\\", UnescapeVcardText("x\\Ny\\:z\\")) << "unknown escapes keep the character";
}

TEST(VcardText, FoldsAt75OctetsWithoutSplittingACharacter)
{
    std::string line = "FN:";
    for (int i = 0; i < 60; i++)
        line += "\xC3\xA9";  // two octets each
    std::string out;
    AppendVcardLine(&out, line);
    size_t start = 0;
    std::string unfolded;
    for (size_t end; (end = out.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string physical = out.substr(start, end - start);
        EXPECT_LE(physical.size(), 75u) << physical;
        EXPECT_TRUE(IsUtf8(physical)) << "a fold inside a character: " << physical;
        unfolded += start == 0 ? physical : physical.substr(1);
        if (start > 0) {
            EXPECT_EQ(' ', physical[0]);
        }
    }
    EXPECT_EQ(line, unfolded);
    ASSERT_EQ(1u, ParseVcards("BEGIN:VCARD\r\n" + out + "END:VCARD\r\n").size());
    std::string value;
    const std::vector<Vcard> cards = ParseVcards("BEGIN:VCARD\r\n" + out + "END:VCARD\r\n");
    ASSERT_EQ(1u, cards[0].properties.size());
    ASSERT_EQ(1, VcardValueText(cards[0].properties[0], &value));
    EXPECT_EQ(line.substr(3), value);

    out.clear();
    AppendVcardLine(&out, "VERSION:3.0");
    EXPECT_EQ("VERSION:3.0\r\n", out);
}

TEST(VcardText, ReadsTheFormsMailProgramsWrite)
{
    const std::string file =
        "junk before\r\n"
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "N;CHARSET=Windows-1252;ENCODING=QUOTED-PRINTABLE:M=FCller;J=\r\n"
        "=FCrgen\r\n"
        "TEL;WORK;FAX:0301234\r\n"
        "END:VCARD\r\n"
        "begin:vcard\nversion:4.0\nfn:Anna\nitem1.TEL;VALUE=uri;TYPE=\"work,fax\":tel:0401\n"
        "EMAIL:anna@x.org\nAGENT:BEGIN:VCARD\nBEGIN:VCARD\nFN:Inner\nEND:VCARD\nend:vcard\n";
    const std::vector<Vcard> cards = ParseVcards(file);
    ASSERT_EQ(2u, cards.size()) << "a card inside a card is no card of its own";
    EXPECT_EQ(2, cards[0].line);
    EXPECT_EQ(8, cards[1].line);
    ASSERT_EQ(3u, cards[0].properties.size());
    const VcardProperty& n = cards[0].properties[1];
    EXPECT_EQ("N", n.name);
    std::string value;
    ASSERT_EQ(1, VcardValueText(n, &value));
    EXPECT_EQ("M\xC3\xBCller;J\xC3\xBCrgen", value) << "quoted-printable over a soft break";
    const VcardProperty& tel = cards[1].properties[2];
    EXPECT_EQ("TEL", tel.name) << "the group prefix is not the name";
    EXPECT_EQ("work,fax", tel.parameters[1].value);
    for (const VcardProperty& p : cards[1].properties)
        EXPECT_NE("FN:Inner", p.name + ":" + p.value);
}

class VcardDirectory : public DialTest {
protected:
    void SetUp() override
    {
        DialTest::SetUp();
        gDocument.edit.config.ethernetBoard = 1;
        result = std::make_unique<EditState>();
    }

    VcardImport Import(const std::string& text)
    {
        return ImportVcards(reinterpret_cast<const uint8_t*>(text.data()), text.size(), gDocument.edit,
                            QUICK_KEY_COUNT, Western(), DATE, result.get());
    }

    static std::string Card(const std::string& body)
    {
        return "BEGIN:VCARD\r\nVERSION:3.0\r\n" + body + "END:VCARD\r\n";
    }

    // The skipped rows: line, name, message, its texts, and for a duplicate what it repeats.
    static std::string Skips(const VcardImport& outcome)
    {
        std::string text;
        for (const PlanRow& s : outcome.plan.rows) {
            if (s.outcome != PLAN_SKIP)
                continue;
            text += std::to_string(s.line) + " " + s.name + ": " + std::to_string(s.message);
            for (const std::string& a : s.args)
                text += " [" + a + "]";
            if (s.list >= 0)
                text += " @" + std::to_string(s.list) + "/" + std::to_string(s.entry);
            text += "\n";
        }
        return text;
    }

    const uint16_t DATE = EntryDateFor(2024, 3, 9);
    std::unique_ptr<EditState> result;
};

TEST_F(VcardDirectory, ExportsOneCardPerFaxAndEmailDestination)
{
    PutQuickFax(Key(0), 0);
    PutQuickEmail(Key(1), 1);
    PutGroup(Key(2), 2, {{8, 1}});
    Key(26)[1] = FLAG_PROGRAM;
    PutSpeedFax(Speed(3), 3, FLAG_FAX | FLAG_SPEED | FLAG_CHAIN);
    PutSpeedFax(Speed(4), 4);
    std::memset(Speed(4) + 3, 0, 21);  // no name: the number names the card
    EXPECT_EQ("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:M\xC3\xBCller\r\nN:M\xC3\xBCller;;;;\r\n"
              "TEL;TYPE=FAX:0312345678\r\nEND:VCARD\r\n"
              "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jos\xC3\xA9\r\nN:Jos\xC3\xA9;;;;\r\n"
              "EMAIL;TYPE=INTERNET:a.b@example.com\r\nEND:VCARD\r\n"
              "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:5551234\r\nN:;;;;\r\n"
              "TEL;TYPE=FAX:5551234\r\nEND:VCARD\r\n",
              ExportDirectoryVcards(gDocument.edit, QUICK_KEY_COUNT))
        << "groups, program-dial keys and combination keys are no destinations of their own";
}

TEST_F(VcardDirectory, EveryFaxAndEmailOfACardFillsTheFreeSpeedDialEntriesLowestFirst)
{
    PutSpeedFax(Speed(0), 0);
    PutSpeedFax(Speed(2), 2);
    std::memcpy(Speed(2) + 29, "\x11", 1);  // another number than entry 0's
    gDocument.edit.speedDial.lengths[1] = ITEM_ABSENT;
    const std::string file = Card("FN:Fax and mail\r\nTEL;TYPE=WORK;TYPE=FAX:030 1234\r\n"
                                  "TEL;TYPE=VOICE:999\r\nEMAIL:x@y.org\r\n") +
                             Card("N:Doe;Jane;;;\r\nEMAIL;TYPE=INTERNET:jane@doe.org\r\n") +
                             Card("FN:Escaped\\, Name\r\nTEL;FAX:040\r\n");
    const VcardImport outcome = Import(file);
    EXPECT_EQ("", Skips(outcome));
    EXPECT_EQ((std::vector<int>{3, 4, 5, 6}), outcome.added) << "0 and 2 are taken, 1 is absent";
    DialRecord r;
    ASSERT_EQ(1, DecodeSpeedEntry(&r, *result, 3));
    EXPECT_EQ(DEST_FAX, r.destType);
    EXPECT_STREQ("Fax and mail", r.name);
    EXPECT_STREQ("030 1234", r.faxNumber);
    EXPECT_EQ(2, r.speed);
    EXPECT_EQ(DATE, r.entryDate);
    ASSERT_EQ(1, DecodeSpeedEntry(&r, *result, 4));
    EXPECT_EQ(DEST_EMAIL, r.destType) << "the card's address is an entry of its own";
    EXPECT_STREQ("Fax and mail", r.name);
    EXPECT_STREQ("x@y.org", r.email);
    ASSERT_EQ(1, DecodeSpeedEntry(&r, *result, 5));
    EXPECT_STREQ("Jane Doe", r.name) << "N gives the name when there is no FN";
    EXPECT_STREQ("jane@doe.org", r.email);
    ASSERT_EQ(1, DecodeSpeedEntry(&r, *result, 6));
    EXPECT_STREQ("Escaped, Name", r.name);
    EXPECT_EQ(Bytes(Speed(0)), Bytes(result->speedDial.entries[0])) << "nothing else changes";
    EXPECT_EQ(ITEM_ABSENT, result->speedDial.lengths[1]);
}

TEST_F(VcardDirectory, SkippedCardsSayWhy)
{
    PutSpeedFax(Speed(0), 0);  // 5551234
    const std::string file =
        Card("FN:A name longer than twenty\r\nTEL;TYPE=FAX:1\r\n") +  // line 1
        Card("FN:Voice only\r\nTEL:123\r\n") +                        // line 6
        Card("FN:Twice\r\nTEL;TYPE=FAX:5551234\r\n") +                // line 11
        Card("FN:Letters\r\nTEL;TYPE=FAX:1-800-FAX\r\n") +            // line 16
        Card("FN:Chain\r\nTEL;TYPE=FAX:0044+\r\n") +                  // line 21
        Card("FN:Odd\r\nEMAIL;CHARSET=KOI8-R;ENCODING=QUOTED-PRINTABLE:=C1@x.ru\r\n") +
        Card("FN:Bad mail\r\nEMAIL:no-at-sign.org\r\n") +  // line 31
        Card("FN:What?\r\nEMAIL:w@x.org\r\n") +            // line 36
        Card("FN:Same\r\nEMAIL:new@x.org\r\n") + Card("FN:Same again\r\nEMAIL:NEW@x.org\r\n");
    const VcardImport outcome = Import(file);
    EXPECT_EQ(10, outcome.cardCount);
    EXPECT_EQ((std::vector<int>{1, 2}), outcome.added) << "a long name is cut, not refused";
    EXPECT_EQ("6 Voice only: " + std::to_string(IDS_VCARD_NO_DESTINATION) + "\n" +
                  "11 Twice: " + std::to_string(IDS_ADDRESS_DUPLICATE) + " @0/0\n" +
                  "16 Letters: " + std::to_string(IDS_IMPORT_FAX_CHAR) + " [F]\n" +
                  "21 Chain: " + std::to_string(IDS_VCARD_COMBINATION) + "\n" +
                  "26 Odd: " + std::to_string(IDS_VCARD_UNREADABLE) + "\n" +
                  "31 Bad mail: " + std::to_string(IDS_IMPORT_EMAIL_INVALID) + "\n" +
                  "36 What?: " + std::to_string(IDS_IMPORT_NAME_CHAR) + " [?]\n" +
                  "46 Same again: " + std::to_string(IDS_ADDRESS_REPEATED) + " @2/41\n",
              Skips(outcome))
        << "a card already added counts as in the directory";
    const PlanRow& cut = outcome.plan.rows[0];
    EXPECT_EQ(IDS_ADDRESS_NAME_CUT, cut.message);
    EXPECT_STREQ("A name longer than t", cut.record.name);
}

TEST_F(VcardDirectory, FullListAndNoBoard)
{
    for (int i = 0; i < SPEED_DIAL_COUNT - 1; i++) {
        PutSpeedFax(Speed(i), i);
        Speed(i)[29] = static_cast<uint8_t>(i);  // each its own number
    }
    gDocument.edit.config.ethernetBoard = 0;
    const VcardImport outcome =
        Import(Card("FN:Mail\r\nEMAIL:m@x.org\r\n") + Card("FN:Last\r\nTEL;TYPE=FAX:77\r\n") +
               Card("FN:Too many\r\nTEL;TYPE=FAX:78\r\n"));
    EXPECT_EQ((std::vector<int>{89}), outcome.added);
    EXPECT_EQ("1 Mail: " + std::to_string(IDS_IMPORT_NO_BOARD) +
                  "\n11 Too many: " + std::to_string(IDS_ADDRESS_NO_ROOM) + "\n",
              Skips(outcome));
}

TEST_F(VcardDirectory, ExportedCardsComeBackAsTheSameDestinations)
{
    PutQuickFax(Key(0), 0);
    PutSpeedEmail(Speed(5), 5);
    const std::string cards = ExportDirectoryVcards(gDocument.edit, QUICK_KEY_COUNT);
    std::memset(&gDocument.edit.quickDial, 0, sizeof gDocument.edit.quickDial);
    std::memset(&gDocument.edit.speedDial, 0, sizeof gDocument.edit.speedDial);
    const VcardImport outcome = Import(cards);
    ASSERT_EQ((std::vector<int>{0, 1}), outcome.added) << Skips(outcome);
    DialRecord r;
    DecodeSpeedEntry(&r, *result, 0);
    EXPECT_STREQ("M\xFCller", r.name);
    EXPECT_STREQ("0312345678", r.faxNumber);
    DecodeSpeedEntry(&r, *result, 1);
    EXPECT_STREQ("\xDC", r.name);
    EXPECT_STREQ("x@y.org", r.email);
    const VcardImport twice = Import(cards + cards);
    EXPECT_EQ(2u, twice.added.size());
    EXPECT_EQ("13 M\xC3\xBCller: " + std::to_string(IDS_ADDRESS_REPEATED) + " @2/1\n" +
                  "19 \xC3\x9C: " + std::to_string(IDS_ADDRESS_REPEATED) + " @2/7\n",
              Skips(twice))
        << "the second copies are duplicates";
}

TEST(VcardMessages, SummaryListsAddedAndSkipped)
{
    auto load = [](int id) -> std::string {
        switch (id) {
        case IDS_ADDRESS_ADDED:
            return "Added: %d.";
        case IDS_ADDRESS_SKIPPED:
            return "Skipped: %d.";
        case IDS_VCARD_SKIP_LINE:
            return "line %d, %s: %s";
        case IDS_VCARD_NO_CARDS:
            return "No cards.";
        case IDS_IMPORT_NAME_CHAR:
            return "name holds \"%s\"";
        case IDS_ADDRESS_DUPLICATE:
            return "already there as %s";
        case IDS_ADDRESS_PLACE_SPEED:
            return "Speed Dial %d";
        default:
            return "reason";
        }
    };
    VcardImport outcome = {};
    outcome.readable = 1;
    EXPECT_EQ("No cards.", DescribeVcardImport(outcome, load));
    outcome.cardCount = 3;
    PlanRow added = {}, bad = {}, twice = {};
    added.outcome = PLAN_ADD;
    bad = {6, "What?", DEST_FAX, "1", PLAN_SKIP, -1, -1, IDS_IMPORT_NAME_CHAR, {"?"}, {}};
    twice = {11, "", DEST_EMAIL, "x@y.org", PLAN_SKIP, PLAN_IN_SPEED, 7, IDS_ADDRESS_DUPLICATE,
             {}, {}};
    outcome.plan.rows = {added, bad, twice};
    outcome.plan.adding = 1;
    EXPECT_EQ("Added: 1.\n\nSkipped: 2.\nline 6, What?: name holds \"?\"\n"
              "line 11, x@y.org: already there as Speed Dial 7",
              DescribeVcardImport(outcome, load))
        << "a row without a name is named by its destination";
}

}  // namespace
