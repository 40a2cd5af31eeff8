// Address books of other programs: each program's export recognised by its header in its
// separator and encoding, with the names and destinations a user expects; unknown columns
// guessed and read; LDIF as address books write it; and every bad file refused with its reason.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "dial/address_book.h"
#include "dial/dial_text.h"
#include "document/dial_records.h"
#include "resources/resource_ids.h"

namespace {

const std::string BOM = "\xEF\xBB\xBF";

AddressBook Csv(const std::string& file)
{
    return ReadAddressBookCsv(reinterpret_cast<const uint8_t*>(file.data()), file.size());
}

AddressBook Ldif(const std::string& file)
{
    return ReadLdif(reinterpret_cast<const uint8_t*>(file.data()), file.size());
}

// "line: name | fax ... | mail ..." a contact a line, for comparing whole books.
std::string Describe(const std::vector<Contact>& contacts)
{
    std::string text;
    for (const Contact& c : contacts) {
        text += std::to_string(c.line) + ": " + c.name;
        for (const ContactDestination& d : c.destinations)
            text += (d.type == DEST_FAX ? " | fax " : " | mail ") + d.value;
        text += "\n";
    }
    return text;
}

// A data row for `header` (quoted titles, as Outlook and Google write them) with the given
// values and every other column empty.
std::string Row(const std::string& header, char separator,
                const std::map<std::string, std::string>& values)
{
    std::string row;
    size_t at = 0;
    for (bool first = true; at <= header.size(); first = false) {
        size_t end = header.find(separator, at);
        if (end == std::string::npos)
            end = header.find_first_of("\r\n", at);
        std::string title = header.substr(at, end - at);
        if (title.size() >= 2 && title.front() == '"')
            title = title.substr(1, title.size() - 2);
        const auto value = values.find(title);
        row += (first ? "" : std::string(1, separator)) + "\"" +
               (value == values.end() ? "" : value->second) + "\"";
        if (end == std::string::npos || header[end] != separator)
            break;
        at = end + 1;
    }
    return row + "\r\n";
}

std::string Utf16(const std::string& utf8, bool little)
{
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    size_t pos = 0;
    uint32_t cp;
    while (NextUtf8(utf8, &pos, &cp)) {
        std::vector<uint32_t> units = {cp};
        if (cp >= 0x10000)
            units = {0xD800 + ((cp - 0x10000) >> 10), 0xDC00 + ((cp - 0x10000) & 0x3FF)};
        for (uint32_t u : units) {
            const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
            out += little ? std::string{lo, hi} : std::string{hi, lo};
        }
    }
    return out;
}

const std::string OUTLOOK_ENGLISH =
    "\"Title\",\"First Name\",\"Middle Name\",\"Last Name\",\"Suffix\",\"Company\",\"Department\","
    "\"Job Title\",\"Business Street\",\"Business Street 2\",\"Business Street 3\",\"Business "
    "City\",\"Business State\",\"Business Postal Code\",\"Business Country/Region\",\"Home "
    "Street\",\"Home Street 2\",\"Home Street 3\",\"Home City\",\"Home State\",\"Home Postal "
    "Code\",\"Home Country/Region\",\"Other Street\",\"Other Street 2\",\"Other Street 3\","
    "\"Other City\",\"Other State\",\"Other Postal Code\",\"Other Country/Region\",\"Assistant's "
    "Phone\",\"Business Fax\",\"Business Phone\",\"Business Phone 2\",\"Callback\",\"Car "
    "Phone\",\"Company Main Phone\",\"Home Fax\",\"Home Phone\",\"Home Phone 2\",\"ISDN\","
    "\"Mobile Phone\",\"Other Fax\",\"Other Phone\",\"Pager\",\"Primary Phone\",\"Radio Phone\","
    "\"TTY/TDD Phone\",\"Telex\",\"Account\",\"Anniversary\",\"Assistant's Name\",\"Billing "
    "Information\",\"Birthday\",\"Business Address PO Box\",\"Categories\",\"Children\","
    "\"Directory Server\",\"E-mail Address\",\"E-mail Type\",\"E-mail Display Name\",\"E-mail 2 "
    "Address\",\"E-mail 2 Type\",\"E-mail 2 Display Name\",\"E-mail 3 Address\",\"E-mail 3 "
    "Type\",\"E-mail 3 Display Name\",\"Gender\",\"Government ID Number\",\"Hobby\",\"Home "
    "Address PO Box\",\"Initials\",\"Internet Free Busy\",\"Keywords\",\"Language\",\"Location\","
    "\"Manager's Name\",\"Mileage\",\"Notes\",\"Office Location\",\"Organizational ID Number\","
    "\"Other Address PO Box\",\"Priority\",\"Private\",\"Profession\",\"Referred By\","
    "\"Sensitivity\",\"Spouse\",\"User 1\",\"User 2\",\"User 3\",\"User 4\",\"Web Page\"\r\n";

// Windows-1252, as German Outlook saves it: "Straße geschäftlich", "Fax geschäftlich".
const std::string OUTLOOK_GERMAN =
    "\"Anrede\";\"Vorname\";\"Weitere Vornamen\";\"Nachname\";\"Suffix\";\"Firma\";"
    "\"Abteilung\";\"Position\";\"Stra\xDF"
    "e gesch\xE4"
    "ftlich\";\"Ort gesch\xE4"
    "ftlich\";\"Fax gesch\xE4"
    "ftlich\";\"Telefon gesch\xE4"
    "ftlich\";\"Fax privat\";\"Telefon privat\";\"Mobiltelefon\";\"Weiteres Fax\";"
    "\"E-Mail-Adresse\";\"E-Mail-Typ\";\"E-Mail: Angezeigter Name\";\"E-Mail 2: Adresse\";"
    "\"E-Mail 3: Adresse\";\"Notizen\"\r\n";

const std::string OUTLOOK_FRENCH =
    "Titre,Pr\xC3\xA9nom,Deuxi\xC3\xA8me pr\xC3\xA9nom,Nom,Suffixe,Soci\xC3\xA9t\xC3\xA9,"
    "T\xC3\xA9l\xC3\xA9"
    "copie (bureau),T\xC3\xA9l\xC3\xA9phone (bureau),T\xC3\xA9l\xC3\xA9"
    "copie (domicile),Adresse de messagerie,Type de messagerie,Adresse de messagerie 2\r\n";

const std::string OUTLOOK_SPANISH =
    "Tratamiento\tNombre\tSegundo nombre\tApellidos\tOrganizaci\xC3\xB3n\tFax del trabajo\t"
    "Tel\xC3\xA9"
    "fono del trabajo\tFax particular\tOtro fax\tDirecci\xC3\xB3n de correo electr\xC3\xB3nico\r\n";

const std::string THUNDERBIRD =
    "First Name,Last Name,Display Name,Nickname,Primary Email,Secondary Email,Screen Name,Work "
    "Phone,Home Phone,Fax Number,Pager Number,Mobile Number,Home Address,Home Address 2,Home "
    "City,Home State,Home ZipCode,Home Country,Work Address,Work Address 2,Work City,Work "
    "State,Work ZipCode,Work Country,Job Title,Department,Organization,Web Page 1,Web Page 2,"
    "Birth Year,Birth Month,Birth Day,Custom 1,Custom 2,Custom 3,Custom 4,Notes,\r\n";

const std::string GOOGLE_OLD =
    "Name,Given Name,Additional Name,Family Name,Yomi Name,Given Name Yomi,Additional Name "
    "Yomi,Family Name Yomi,Name Prefix,Name Suffix,Initials,Nickname,Short Name,Maiden Name,"
    "Birthday,Gender,Location,Billing Information,Directory Server,Mileage,Occupation,Hobby,"
    "Sensitivity,Priority,Subject,Notes,Language,Photo,Group Membership,E-mail 1 - Type,E-mail "
    "1 - Value,Phone 1 - Type,Phone 1 - Value,Phone 2 - Type,Phone 2 - Value,Organization 1 - "
    "Type,Organization 1 - Name,Organization 1 - Title\r\n";

const std::string GOOGLE_NEW =
    "First Name,Middle Name,Last Name,Phonetic First Name,Phonetic Middle Name,Phonetic Last "
    "Name,Name Prefix,Name Suffix,Nickname,File As,Organization Name,Organization Title,"
    "Organization Department,Birthday,Notes,Photo,Labels,E-mail 1 - Label,E-mail 1 - Value,"
    "Phone 1 - Label,Phone 1 - Value,Phone 2 - Label,Phone 2 - Value\r\n";

TEST(AddressBookCsv, ReadsEachProgramsExport)
{
    const struct {
        const char* what;
        std::string file;
        int format, language;
        char separator;
        std::string contacts;
    } cases[] = {
        {"Outlook, English, UTF-8 with a mark",
         BOM + OUTLOOK_ENGLISH +
             Row(OUTLOOK_ENGLISH, ',',
                 {{"First Name", "Ann"},
                  {"Middle Name", "B."},
                  {"Last Name", "Smith"},
                  {"Company", "Acme"},
                  {"Business Fax", " +1 555 0100 "},
                  {"Home Fax", "555 0101"},
                  {"E-mail Address", "ann@acme.example"},
                  {"E-mail 3 Address", "ann@home.example"},
                  {"Notes", "two\r\nlines"}}) +
             Row(OUTLOOK_ENGLISH, ',', {{"Company", "Nobody Ltd"}, {"Other Fax", "555 0199"}}) +
             Row(OUTLOOK_ENGLISH, ',', {{"Last Name", "Lee"}, {"Mobile Phone", "555 0150"}}),
         BOOK_OUTLOOK, TITLES_ENGLISH, ',',
         "2: Ann B. Smith | fax +1 555 0100 | fax 555 0101 | mail ann@acme.example"
         " | mail ann@home.example\n"
         "4: Nobody Ltd | fax 555 0199\n"
         "5: Lee\n"},
        {"Outlook, German, Windows-1252 with semicolons",
         OUTLOOK_GERMAN +
             Row(OUTLOOK_GERMAN, ';',
                 {{"Vorname", "J\xFCrgen"},
                  {"Nachname", "M\xFCller"},
                  {"Fax gesch\xE4"
                   "ftlich",
                   "+49 30 123456"},
                  {"E-Mail-Adresse", "j.mueller@example.de"}}) +
             Row(OUTLOOK_GERMAN, ';',
                 {{"Firma", "B\xFCro Nord"}, {"Fax privat", "040 1"}, {"Weiteres Fax", "040 2"}}),
         BOOK_OUTLOOK, TITLES_GERMAN, ';',
         "2: J\xC3\xBCrgen M\xC3\xBCller | fax +49 30 123456 | mail j.mueller@example.de\n"
         "3: B\xC3\xBCro Nord | fax 040 1 | fax 040 2\n"},
        {"Outlook, French",
         OUTLOOK_FRENCH + "M.,Jean,,Dupont,,,01 23 45 67 89,,,jean@exemple.fr,SMTP,\r\n",
         BOOK_OUTLOOK, TITLES_FRENCH, ',',
         "2: Jean Dupont | fax 01 23 45 67 89 | mail jean@exemple.fr\n"},
        {"Outlook, Spanish, tabs",
         OUTLOOK_SPANISH + "Sra.\tMar\xC3\xAD"
                           "a\t\tGarc\xC3\xAD"
                           "a\t\t91 555 12 34\t\t\t91 555 99 99\tmaria@ejemplo.es\r\n",
         BOOK_OUTLOOK, TITLES_SPANISH, '\t',
         "2: Mar\xC3\xAD"
         "a Garc\xC3\xAD"
         "a | fax 91 555 12 34 | fax 91 555 99 99 | mail maria@ejemplo.es\n"},
        {"Thunderbird",
         THUNDERBIRD +
             Row(THUNDERBIRD, ',',
                 {{"First Name", "Karl"},
                  {"Last Name", "Berg"},
                  {"Display Name", "Karl Berg (Sales)"},
                  {"Primary Email", "karl@example.com"},
                  {"Secondary Email", "kb@example.org"},
                  {"Fax Number", "0711 22 33"}}) +
             Row(THUNDERBIRD, ',', {{"First Name", "Eva"}, {"Last Name", "Lind"}}) +
             Row(THUNDERBIRD, ',',
                 {{"Organization", "Werk S\xC3\xBC"
                                   "d"},
                  {"Fax Number", "0711 99"}}),
         BOOK_THUNDERBIRD, TITLES_ENGLISH, ',',
         "2: Karl Berg (Sales) | mail karl@example.com | mail kb@example.org | fax 0711 22 33\n"
         "3: Eva Lind\n"
         "4: Werk S\xC3\xBC"
         "d | fax 0711 99\n"},
        {"Google, Name and Given Name form",
         GOOGLE_OLD +
             Row(GOOGLE_OLD, ',',
                 {{"Name", "Otto Vogel"},
                  {"Given Name", "Otto"},
                  {"Family Name", "Vogel"},
                  {"Group Membership", "* myContacts"},
                  {"E-mail 1 - Type", "* Work"},
                  {"E-mail 1 - Value", "otto@example.com ::: otto@home.example"},
                  {"Phone 1 - Type", "Mobile"},
                  {"Phone 1 - Value", "+49 170 1"},
                  {"Phone 2 - Type", "Work Fax"},
                  {"Phone 2 - Value", "+49 89 1 ::: +49 89 2"}}) +
             Row(GOOGLE_OLD, ',',
                 {{"Phone 1 - Type", "Home Fax"},
                  {"Phone 1 - Value", "+49 89 3"},
                  {"Organization 1 - Type", "Work"},
                  {"Organization 1 - Name", "Vogel AG"}}),
         BOOK_GOOGLE, TITLES_ENGLISH, ',',
         "2: Otto Vogel | mail otto@example.com | mail otto@home.example | fax +49 89 1"
         " | fax +49 89 2\n"
         "3: Vogel AG | fax +49 89 3\n"},
        {"Google, First Name form",
         GOOGLE_NEW + "Ida,,Roth,,,,,,,,,,,,,,* myContacts,Work,ida@example.com,Home Fax,"
                      "030 7,Work,030 8\r\n",
         BOOK_GOOGLE, TITLES_ENGLISH, ',', "2: Ida Roth | mail ida@example.com | fax 030 7\n"},
        {"titles in another case, with blanks; blank rows",
         " primary email ; DISPLAY NAME ;Fax Number\na@example.com;A;1\n\n ; ;\n", BOOK_THUNDERBIRD,
         TITLES_ENGLISH, ';', "2: A | mail a@example.com | fax 1\n"},
    };
    for (const auto& c : cases) {
        const AddressBook book = Csv(c.file);
        EXPECT_EQ(c.format, book.format) << c.what << ": message " << book.problem.message;
        EXPECT_EQ(c.language, book.titleLanguage) << c.what;
        EXPECT_EQ(c.separator, book.separator) << c.what;
        EXPECT_EQ(c.contacts, Describe(book.contacts)) << c.what;
        EXPECT_EQ(book.contacts.size(), book.rows.size()) << c.what;
    }
}

TEST(AddressBookCsv, TheDirectorysOwnFileIsToldApart)
{
    for (const std::string& file :
         {BOM + "List,No.,Kind,Name,Destination\r\nQuick Dial,01,fax,Office,0123\r\n",
          std::string(" list ;NO.; Kind \r\nSpeed Dial;00;fax\r\n")}) {
        const AddressBook book = Csv(file);
        EXPECT_EQ(BOOK_DIRECTORY, book.format) << file;
        EXPECT_TRUE(book.contacts.empty() && book.rows.empty()) << file;
    }
}

TEST(AddressBookCsv, UnknownColumnsAreGuessedAndReadAsChosen)
{
    const AddressBook book = Csv("Id,Full Name,Organisation,Fax,E-mail Type,E-mail\r\n"
                                 "7,Rita Hahn,Hahn KG,0221 5,SMTP,rita@example.de\r\n"
                                 "8,Tom,,,,\r\n");
    ASSERT_EQ(BOOK_UNKNOWN_COLUMNS, book.format);
    EXPECT_TRUE(book.contacts.empty());
    ASSERT_EQ(6u, book.titles.size());
    ASSERT_EQ(2u, book.rows.size());
    const ColumnChoice guess = GuessColumns(book.titles);
    EXPECT_EQ(1, guess.name);
    EXPECT_EQ(3, guess.fax);
    EXPECT_EQ(5, guess.email) << "the address, not its type";
    EXPECT_EQ("2: Rita Hahn | fax 0221 5 | mail rita@example.de\n3: Tom\n",
              Describe(ContactsFromColumns(book, guess)));
    EXPECT_EQ("2: Hahn KG | mail rita@example.de\n3: \n",
              Describe(ContactsFromColumns(book, {2, -1, 5})));
    EXPECT_EQ("2: 7 | mail 0221 5\n3: 8\n", Describe(ContactsFromColumns(book, {0, 99, 3})))
        << "a column the rows do not have gives nothing";

    const struct {
        std::vector<std::string> titles;
        int name, fax, email;
    } guesses[] = {
        {{"Kundennr.", "Anzeigename", "Faxnummer", "E-Mail-Adresse"}, 1, 2, 3},
        {{"Courriel", "Nom complet",
          "T\xC3\xA9l\xC3\xA9"
          "copie"},
         1,
         2,
         0},
        {{"Nombre", "Correo", "N\xC3\xBAmero de fax"}, 0, 2, 1},
        {{"Telefax", "Kunde", "Mail"}, 1, 0, 2},  // no name title: the first column left
        {{"Street", "City"}, 0, -1, -1},
    };
    for (const auto& g : guesses) {
        const ColumnChoice c = GuessColumns(g.titles);
        EXPECT_EQ(g.name, c.name) << g.titles[0];
        EXPECT_EQ(g.fax, c.fax) << g.titles[0];
        EXPECT_EQ(g.email, c.email) << g.titles[0];
    }
}

TEST(AddressBookText, EncodingsAreDetectedAndChecked)
{
    const std::string name = "Zo\xC3\xAB \xF0\x9F\x93\xA0";  // an e with diaeresis, a fax emoji
    const struct {
        std::string bytes;
        int ok;
        std::string text;
    } cases[] = {
        {Utf16(name, true), 1, name},
        {Utf16(name, false), 1, name},
        {BOM + name, 1, name},
        {name, 1, name},
        {"Zo\xEB", 1, "Zo\xC3\xAB"},
        {Utf16(name, true).substr(0, 7), 0, ""},      // cut inside a unit
        {Utf16(name, true).substr(0, 12), 0, ""},     // cut between a surrogate pair
        {std::string("\xFF\xFE\x00\xDC", 4), 0, ""},  // a low surrogate alone
        {BOM + "Zo\xEB", 0, ""},
    };
    for (const auto& c : cases) {
        std::string text = "unchanged";
        EXPECT_EQ(c.ok, AddressFileText(reinterpret_cast<const uint8_t*>(c.bytes.data()),
                                        c.bytes.size(), &text))
            << c.text;
        if (c.ok) {
            EXPECT_EQ(c.text, text);
        }
    }

    const AddressBook book = Csv(Utf16(THUNDERBIRD + "Zo\xC3\xAB,,,,zoe@example.com\r\n", true));
    EXPECT_EQ(BOOK_THUNDERBIRD, book.format);
    EXPECT_EQ("2: Zo\xC3\xAB | mail zoe@example.com\n", Describe(book.contacts));

    EXPECT_EQ(',', DetectAddressSeparator(""));
    EXPECT_EQ(',', DetectAddressSeparator("a,b;c\r\nd;e;f"));
    EXPECT_EQ(';', DetectAddressSeparator("\"a,b,c\";d;e\r\n"));
    EXPECT_EQ('\t', DetectAddressSeparator("a\tb\tc;d"));
    EXPECT_EQ(';', DetectAddressSeparator("\r\n\r\nName;Fax,Home;E-mail\r\n"));
}

TEST(AddressBookCsv, BadFilesAreRefusedWithTheirReason)
{
    std::string tooMany = "Name,Fax\r\n";
    for (int i = 0; i <= ADDRESS_CONTACT_MAX; i++)
        tooMany += "n,1\r\n";
    const struct {
        const char* what;
        std::string file;
        int line, message;
    } cases[] = {
        {"cut UTF-16", Utf16(THUNDERBIRD, true).substr(0, 41), 0, IDS_BOOK_NOT_UTF16},
        {"false UTF-8 mark", BOM + "Name\r\nM\xFCller\r\n", 0, IDS_IMPORT_NOT_UTF8},
        {"a quote left open", THUNDERBIRD + "A,B,\"C\r\n", 2, IDS_IMPORT_OPEN_QUOTE},
        {"empty", "", 0, IDS_BOOK_NO_HEADER},
        {"blank lines", "\r\n ; \r\n", 0, IDS_BOOK_NO_HEADER},
        {"too many contacts", tooMany, 0, IDS_BOOK_TOO_MANY_CONTACTS},
        {"too many columns", std::string(300, ','), 1, IDS_BOOK_TOO_MANY_COLUMNS},
        {"too large", std::string(DIRECTORY_FILE_MAX + 1, 'a'), 0, IDS_IMPORT_TOO_LARGE},
    };
    for (const auto& c : cases) {
        const AddressBook book = Csv(c.file);
        EXPECT_EQ(BOOK_UNREADABLE, book.format) << c.what;
        EXPECT_EQ(c.message, book.problem.message) << c.what;
        EXPECT_EQ(c.line, book.problem.line) << c.what;
        EXPECT_TRUE(book.contacts.empty()) << c.what;
    }
    tooMany.resize(tooMany.size() - 5);
    EXPECT_EQ(static_cast<size_t>(ADDRESS_CONTACT_MAX), Csv(tooMany).rows.size());
}

// As Thunderbird writes it, with what other address books add: a version line, comments,
// folded lines, base64 values and URLs.
const std::string LDIF_FILE = "version: 1\n"
                              "# exported address book\n"
                              "dn: cn=Karl Berg,mail=karl@example.com\n"
                              "objectclass: top\n"
                              "objectclass: person\n"
                              "objectclass: inetOrgPerson\n"
                              "objectclass: mozillaAbPersonAlpha\n"
                              "givenName: Karl\n"
                              "sn: Berg\n"
                              "cn: Karl Berg from the sales office of the\n"
                              "  northern region\n"
                              "mail: karl@example.com\n"
                              "mozillaSecondEmail: kb@example.org\n"
                              "facsimiletelephonenumber: 0711 22 33\n"
                              "FacsimileTelephoneNumber: 0711 22 34\n"
                              "jpegPhoto:< file:///tmp/karl.jpg\n"
                              "\n"
                              "dn:: Y249SsO8cmdlbiBNw7xsbGVy\n"
                              "objectclass: person\n"
                              "cn:: SsO8cmdlbiBNw7xsbGVy\n"
                              "# a comment inside a record\n"
                              "mail: j@example.de\n"
                              "\n"
                              "dn: cn=Sales list\n"
                              "objectclass: top\n"
                              "objectclass: groupOfNames\n"
                              "cn: Sales list\n"
                              "member: cn=Karl Berg,mail=karl@example.com\n"
                              "\n"
                              "dn: cn=Eva\n"
                              "cn:: not base64!\n"
                              "givenName: Eva\n"
                              "sn: Lind\n"
                              "mail:: ===\n"
                              "\n"
                              "dn: cn=Ida\n"
                              "objectclass: inetOrgPerson\n"
                              "cn: Ida Roth\n";

TEST(AddressBookLdif, ReadsPersonsWithTheirValuesInOrder)
{
    for (const char* ending : {"\n", "\r\n"}) {
        std::string file;
        for (char c : LDIF_FILE)
            file += c == '\n' ? ending : std::string(1, c);
        const AddressBook book = Ldif(file);
        ASSERT_EQ(BOOK_LDIF, book.format) << "message " << book.problem.message;
        EXPECT_EQ(
            "3: Karl Berg from the sales office of the northern region | mail karl@example.com"
            " | mail kb@example.org | fax 0711 22 33 | fax 0711 22 34\n"
            "18: J\xC3\xBCrgen M\xC3\xBCller | mail j@example.de\n"
            "30: Eva Lind\n"
            "36: Ida Roth\n",
            Describe(book.contacts));
    }
    EXPECT_EQ("2: A\n", Describe(Ldif(Utf16("\ndn: cn=A\ncn: A", true)).contacts));
}

TEST(AddressBookLdif, BadFilesAreRefusedWithTheirReason)
{
    std::string tooMany;
    for (int i = 0; i <= ADDRESS_CONTACT_MAX; i++)
        tooMany += "dn: cn=x\ncn: x\n\n";
    const struct {
        const char* what;
        std::string file;
        int message;
    } cases[] = {
        {"no entries", "version: 1\n# nothing\n", IDS_BOOK_NO_LDIF},
        {"a CSV file", THUNDERBIRD, IDS_BOOK_NO_LDIF},
        {"cut UTF-16", Utf16("dn: cn=A\n", true).substr(0, 5), IDS_BOOK_NOT_UTF16},
        {"too many contacts", tooMany, IDS_BOOK_TOO_MANY_CONTACTS},
        {"too large", std::string(DIRECTORY_FILE_MAX + 1, '\n'), IDS_IMPORT_TOO_LARGE},
    };
    for (const auto& c : cases) {
        const AddressBook book = Ldif(c.file);
        EXPECT_EQ(BOOK_UNREADABLE, book.format) << c.what;
        EXPECT_EQ(c.message, book.problem.message) << c.what;
    }
    const AddressBook groups = Ldif("dn: cn=list\nobjectclass: groupOfNames\ncn: list\n");
    EXPECT_EQ(BOOK_LDIF, groups.format);
    EXPECT_TRUE(groups.contacts.empty());
}

}  // namespace
