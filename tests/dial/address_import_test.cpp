// The import plan of an address book: every destination its own entry, duplicates by digits or
// by address, the free places in order, more than fit, and the separator of exports for the
// user's spreadsheets.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dial/address_book.h"
#include "dial/address_import.h"
#include "dial/dial_csv.h"
#include "resources/resource_ids.h"
#include "tests/dial/dial_test_support.h"

namespace {

TextEnvironment Western() { return {1252, 0, PortableAnsiToUtf16}; }

Contact Person(int line, const std::string& name, std::vector<ContactDestination> destinations)
{
    Contact c;
    c.line = line;
    c.name = name;
    c.destinations = std::move(destinations);
    return c;
}

class AddressImport : public DialTest {
protected:
    void SetUp() override
    {
        DialTest::SetUp();
        gDocument.edit.config.ethernetBoard = 1;
    }
    ImportPlan Plan(const std::vector<Contact>& contacts, ImportOptions options = {0, 0})
    {
        return PlanAddressImport(contacts, gDocument.edit, QUICK_KEY_COUNT, Western(), 0x3021,
                                 options);
    }
    // "line:outcome list/entry message" for each row.
    static std::string Rows(const ImportPlan& plan)
    {
        std::string text;
        for (const PlanRow& r : plan.rows)
            text += std::to_string(r.line) + ":" + (r.outcome == PLAN_ADD ? "add " : "skip ") +
                    std::to_string(r.list) + "/" + std::to_string(r.entry) + " " +
                    std::to_string(r.message) + "\n";
        return text;
    }
    // Every Speed Dial entry taken but the last `free`, each with a number of its own.
    static void FillSpeedDial(int free)
    {
        for (int i = 0; i < SPEED_DIAL_COUNT - free; i++) {
            PutSpeedFax(Speed(i), i);
            Speed(i)[29] = static_cast<uint8_t>(i);
        }
    }
};

TEST(AddressNumbers, WrittenFormsBecomeDialableAndCompareByDigits)
{
    const struct {
        const char* written;
        const char* dialable;
        const char* digits;
    } cases[] = {
        {"+49 (30) 1234-56", "+49 30 1234-56", "4930123456"},
        {"  030/123.45  ", "030-123-45", "03012345"},
        {"(0)30\t 99", "030 99", "03099"},
        {"1-800-FAX", "1-800-FAX", "1800"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.dialable, DialableNumber(c.written)) << c.written;
        EXPECT_EQ(c.digits, NumberDigits(c.written)) << c.written;
    }
}

TEST_F(AddressImport, DuplicatesInTheDirectoryAndTheFileAreSkippedAndNamed)
{
    PutSpeedFax(Speed(0), 0);  // 5551234
    PutQuickEmail(Key(2), 2);  // a.b@example.com
    const ImportPlan plan =
        Plan({Person(2, "M\xC3\xBCller", {{DEST_FAX, "+49 (30) 1234-56"}, {DEST_EMAIL, "m@x.de"}}),
              Person(3, "Bob again", {{DEST_FAX, "555-1234"}}),
              Person(4, "Jos\xC3\xA9", {{DEST_EMAIL, "A.B@Example.COM"}}),
              Person(5, "Same fax", {{DEST_FAX, "4930123456"}}),
              Person(6, "Same mail", {{DEST_EMAIL, "M@X.DE"}}), Person(7, "Nobody", {})});
    EXPECT_EQ("2:add 0/1 0\n2:add 0/2 0\n" +
                  ("3:skip 0/0 " + std::to_string(IDS_ADDRESS_DUPLICATE) + "\n") +
                  ("4:skip 1/2 " + std::to_string(IDS_ADDRESS_DUPLICATE) + "\n") +
                  ("5:skip 2/2 " + std::to_string(IDS_ADDRESS_REPEATED) + "\n") +
                  ("6:skip 2/2 " + std::to_string(IDS_ADDRESS_REPEATED) + "\n") +
                  ("7:skip -1/-1 " + std::to_string(IDS_VCARD_NO_DESTINATION) + "\n"),
              Rows(plan));
    EXPECT_EQ(2, plan.passing);
    EXPECT_EQ(2, plan.adding);
    EXPECT_EQ(5, plan.skipped);

    auto result = std::make_unique<EditState>();
    ASSERT_EQ(2, ApplyImportPlan(plan, gDocument.edit, result.get()));
    DialRecord r;
    ASSERT_EQ(1, DecodeSpeedEntry(&r, *result, 1));
    EXPECT_STREQ("M\xFC"
                 "ller",
                 r.name)
        << "the umlaut reaches the entry in its own form";
    EXPECT_STREQ("+49 30 1234-56", r.faxNumber);
    ASSERT_EQ(1, DecodeSpeedEntry(&r, *result, 2));
    EXPECT_STREQ("m@x.de", r.email);
    EXPECT_EQ(0x3021, r.entryDate);
}

TEST_F(AddressImport, MoreThanFitTakesNoneUnlessAskedThenQuickKeys)
{
    FillSpeedDial(1);
    const std::vector<Contact> three = {Person(2, "A", {{DEST_FAX, "11"}}),
                                        Person(3, "B", {{DEST_FAX, "12"}}),
                                        Person(4, "C", {{DEST_FAX, "13"}})};
    ImportPlan plan = Plan(three);
    EXPECT_EQ(3, plan.passing);
    EXPECT_EQ(1, plan.fitting);
    EXPECT_EQ(0, plan.adding) << "none unless the user takes what fits";
    auto result = std::make_unique<EditState>();
    EXPECT_EQ(0, ApplyImportPlan(plan, gDocument.edit, result.get()));
    EXPECT_EQ(0,
              std::memcmp(&result->speedDial, &gDocument.edit.speedDial, sizeof result->speedDial));

    plan = Plan(three, {0, 1});
    EXPECT_EQ(1, plan.adding);
    EXPECT_EQ("2:add 0/89 0\n3:skip -1/-1 " + std::to_string(IDS_ADDRESS_NO_ROOM) +
                  "\n4:skip -1/-1 " + std::to_string(IDS_ADDRESS_NO_ROOM) + "\n",
              Rows(plan));

    PutGroup(Key(0), 0, {{4, 1}});
    gDocument.edit.quickDial.lengths[1] = ITEM_ABSENT;
    plan = Plan(three, {1, 0});
    EXPECT_EQ("2:add 0/89 0\n3:add 1/2 0\n4:add 1/3 0\n", Rows(plan))
        << "then the free keys: the group's and the absent one are no place";
    ASSERT_EQ(3, ApplyImportPlan(plan, gDocument.edit, result.get()));
    DialRecord r;
    ASSERT_EQ(1, DecodeQuickKey(&r, *result, 2));
    EXPECT_STREQ("12", r.faxNumber);
    EXPECT_STREQ("B", r.name);
}

TEST_F(AddressImport, RowsSayWhyTheyAreSkippedAndNoteACutName)
{
    gDocument.edit.config.ethernetBoard = 0;
    const ImportPlan plan =
        Plan({Person(2, "A very long name of a company", {{DEST_FAX, "1"}}),
              Person(3, "Mail", {{DEST_EMAIL, "m@x.org"}}),
              Person(4, "Chain", {{DEST_FAX, "0044+"}}), Person(5, "Q?", {{DEST_FAX, "2"}})});
    EXPECT_EQ(IDS_ADDRESS_NAME_CUT, plan.rows[0].message);
    EXPECT_STREQ("A very long name of", plan.rows[0].record.name)
        << "cut to 20 characters, the blank at the cut dropped";
    EXPECT_EQ(IDS_IMPORT_NO_BOARD, plan.rows[1].message);
    EXPECT_EQ(IDS_VCARD_COMBINATION, plan.rows[2].message);
    EXPECT_EQ(IDS_IMPORT_NAME_CHAR, plan.rows[3].message);
    auto load = [](int id) -> std::string {
        switch (id) {
        case IDS_ADDRESS_SKIP_ROW:
            return "Skipped: %s";
        case IDS_ADDRESS_ADD_NOTE:
            return "%s (%s)";
        case IDS_ADDRESS_PLACE_SPEED:
            return "Speed Dial %d";
        case IDS_ADDRESS_NAME_CUT:
            return "name cut to %d";
        case IDS_IMPORT_NO_BOARD:
            return "no network board";
        default:
            return "?";
        }
    };
    EXPECT_EQ("Speed Dial 0 (name cut to 20)", PlanRowOutcomeText(plan.rows[0], load));
    EXPECT_EQ("Skipped: no network board", PlanRowOutcomeText(plan.rows[1], load));
}

// The examples of the manual, each recognised and each giving its destinations.
TEST(AddressBookExamples, TheManualsExamplesAreRecognised)
{
    const struct {
        const char* text;
        int format;
        size_t destinations;
    } examples[] = {
        {"First Name,Middle Name,Last Name,Company,Business Fax,Home Fax,E-mail Address\n"
         "John,,Smith,,+44 20 7946 0000,,john.smith@example.com\n",
         BOOK_OUTLOOK, 2},
        {"Vorname;Weitere Vornamen;Nachname;Firma;Fax gesch\xE4"
         "ftlich;E-Mail-Adresse\n"
         "J\xFCrgen;;M\xFCller;;+49 (30) 1234-56;juergen@example.de\n",
         BOOK_OUTLOOK, 2},
        {"First Name,Last Name,Display Name,Nickname,Primary Email,Secondary Email,Fax Number\n"
         "Anna,Berg,Anna Berg,,anna@example.org,,030 555 12\n",
         BOOK_THUNDERBIRD, 2},
        {"Name,Given Name,Family Name,E-mail 1 - Type,E-mail 1 - Value,Phone 1 - Type,"
         "Phone 1 - Value\nAnna Berg,Anna,Berg,* Work,anna@example.org,Work Fax,030 555 12\n",
         BOOK_GOOGLE, 2},
        {"dn: cn=Anna Berg,mail=anna@example.org\nobjectclass: person\ncn: Anna Berg\n"
         "mail: anna@example.org\nfacsimileTelephoneNumber: 030 555 12\n",
         BOOK_LDIF, 2},
    };
    for (const auto& e : examples) {
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(e.text);
        const size_t size = std::strlen(e.text);
        const AddressBook book =
            e.format == BOOK_LDIF ? ReadLdif(bytes, size) : ReadAddressBookCsv(bytes, size);
        EXPECT_EQ(e.format, book.format) << e.text;
        ASSERT_EQ(1u, book.contacts.size()) << e.text;
        EXPECT_EQ(e.destinations, book.contacts[0].destinations.size()) << e.text;
    }
}

TEST(DirectoryCsvExport, TheRegionsSeparatorIsReadBack)
{
    const struct {
        const char* decimal;
        const char* list;
        char separator;
    } regions[] = {{".", ",", ','}, {",", ";", ';'}, {",", ",", ';'}, {".", ";", ';'}};
    for (const auto& r : regions)
        EXPECT_EQ(r.separator, RegionalCsvSeparator(r.decimal, r.list)) << r.decimal << r.list;

    auto state = std::make_unique<EditState>();
    DialRecord fax = {};
    fax.inUse = 1;
    fax.kind = KIND_SPEED;
    std::strcpy(fax.name, "Smith; J");
    std::strcpy(fax.faxNumber, "0301");
    EncodeSpeedEntry(*state, &fax, 4);
    const std::string file = ExportDirectoryCsv(*state, QUICK_KEY_COUNT, ';');
    EXPECT_NE(std::string::npos, file.find("Speed Dial;04;fax;\"Smith; J\";0301;")) << file;
    auto back = std::make_unique<EditState>();
    const DirectoryImport outcome =
        ImportDirectoryCsv(reinterpret_cast<const uint8_t*>(file.data()), file.size(), *state,
                           QUICK_KEY_COUNT, Western(), back.get());
    ASSERT_EQ(1, outcome.ok);
    EXPECT_EQ(0, std::memcmp(&state->speedDial, &back->speedDial, sizeof back->speedDial));
}

}  // namespace
