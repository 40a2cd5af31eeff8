// Address books of other programs. See address_book.h.
#include "dial/address_book.h"

#include <cstring>
#include <initializer_list>

#include "dial/dial_text.h"
#include "document/dial_records.h"
#include "resources/resource_ids.h"

namespace {

// Mail programs write many more columns than the dial directory has, and notes that run long.
constexpr CsvBounds ADDRESS_CSV_BOUNDS = {ADDRESS_CONTACT_MAX + 1, 256, 65536};

// ---- Column titles --------------------------------------------------------------------------

enum Role { ROLE_DISPLAY, ROLE_FIRST, ROLE_MIDDLE, ROLE_LAST, ROLE_COMPANY, ROLE_FAX, ROLE_EMAIL };

struct TitleRole {
    const char* title;
    Role role;
};

// A program's export: recognised when its header holds every title of `marks` and, with
// `needsDestination`, at least one of its fax or e-mail titles as well.
struct Program {
    int format;
    int language;
    const char* const* marks;
    bool needsDestination;
    const TitleRole* titles;
};

const TitleRole OUTLOOK_ENGLISH[] = {
    {"First Name", ROLE_FIRST},       {"Middle Name", ROLE_MIDDLE},
    {"Last Name", ROLE_LAST},         {"Company", ROLE_COMPANY},
    {"Business Fax", ROLE_FAX},       {"Home Fax", ROLE_FAX},
    {"Other Fax", ROLE_FAX},          {"E-mail Address", ROLE_EMAIL},
    {"E-mail 2 Address", ROLE_EMAIL}, {"E-mail 3 Address", ROLE_EMAIL},
    {nullptr, ROLE_DISPLAY},
};
const char* const OUTLOOK_ENGLISH_MARKS[] = {"First Name", "Last Name", nullptr};

const TitleRole OUTLOOK_GERMAN[] = {
    {"Vorname", ROLE_FIRST},
    {"Weitere Vornamen", ROLE_MIDDLE},
    {"Nachname", ROLE_LAST},
    {"Firma", ROLE_COMPANY},
    {"Fax gesch\xC3\xA4"
     "ftlich",
     ROLE_FAX},
    {"Fax privat", ROLE_FAX},
    {"Weiteres Fax", ROLE_FAX},
    {"E-Mail-Adresse", ROLE_EMAIL},
    {"E-Mail 2: Adresse", ROLE_EMAIL},
    {"E-Mail 3: Adresse", ROLE_EMAIL},
    {nullptr, ROLE_DISPLAY},
};
const char* const OUTLOOK_GERMAN_MARKS[] = {"Vorname", "Nachname", nullptr};

// Outlook versions differ in the French words for the other fax; both are read.
const TitleRole OUTLOOK_FRENCH[] = {
    {"Pr\xC3\xA9nom", ROLE_FIRST},
    {"Deuxi\xC3\xA8me pr\xC3\xA9nom", ROLE_MIDDLE},
    {"Nom", ROLE_LAST},
    {"Soci\xC3\xA9t\xC3\xA9", ROLE_COMPANY},
    {"T\xC3\xA9l\xC3\xA9"
     "copie (bureau)",
     ROLE_FAX},
    {"T\xC3\xA9l\xC3\xA9"
     "copie (domicile)",
     ROLE_FAX},
    {"T\xC3\xA9l\xC3\xA9"
     "copie (autre)",
     ROLE_FAX},
    {"Autre t\xC3\xA9l\xC3\xA9"
     "copie",
     ROLE_FAX},
    {"Adresse de messagerie", ROLE_EMAIL},
    {"Adresse de messagerie 2", ROLE_EMAIL},
    {"Adresse de messagerie 3", ROLE_EMAIL},
    {nullptr, ROLE_DISPLAY},
};
const char* const OUTLOOK_FRENCH_MARKS[] = {"Pr\xC3\xA9nom", "Nom", nullptr};

const TitleRole OUTLOOK_SPANISH[] = {
    {"Nombre", ROLE_FIRST},
    {"Segundo nombre", ROLE_MIDDLE},
    {"Apellidos", ROLE_LAST},
    {"Organizaci\xC3\xB3n", ROLE_COMPANY},
    {"Compa\xC3\xB1\xC3\xAD"
     "a",
     ROLE_COMPANY},
    {"Fax del trabajo", ROLE_FAX},
    {"Fax particular", ROLE_FAX},
    {"Otro fax", ROLE_FAX},
    {"Direcci\xC3\xB3n de correo electr\xC3\xB3nico", ROLE_EMAIL},
    {"Direcci\xC3\xB3n de correo electr\xC3\xB3nico 2", ROLE_EMAIL},
    {"Direcci\xC3\xB3n de correo electr\xC3\xB3nico 3", ROLE_EMAIL},
    {nullptr, ROLE_DISPLAY},
};
const char* const OUTLOOK_SPANISH_MARKS[] = {"Nombre", "Apellidos", nullptr};

const TitleRole THUNDERBIRD[] = {
    {"First Name", ROLE_FIRST},     {"Last Name", ROLE_LAST},        {"Display Name", ROLE_DISPLAY},
    {"Primary Email", ROLE_EMAIL},  {"Secondary Email", ROLE_EMAIL}, {"Fax Number", ROLE_FAX},
    {"Organization", ROLE_COMPANY}, {nullptr, ROLE_DISPLAY},
};
const char* const THUNDERBIRD_MARKS[] = {"Display Name", "Primary Email", nullptr};

// Both of Google's forms: "Name, Given Name, ..." and the newer "First Name, Middle Name, ...".
// Its phones and e-mail addresses are numbered pairs, read apart (GooglePair).
const TitleRole GOOGLE[] = {
    {"Name", ROLE_DISPLAY},
    {"Given Name", ROLE_FIRST},
    {"Additional Name", ROLE_MIDDLE},
    {"Family Name", ROLE_LAST},
    {"First Name", ROLE_FIRST},
    {"Middle Name", ROLE_MIDDLE},
    {"Last Name", ROLE_LAST},
    {"Organization 1 - Name", ROLE_COMPANY},
    {"Organization Name", ROLE_COMPANY},
    {nullptr, ROLE_DISPLAY},
};
const char* const GOOGLE_OLD_MARKS[] = {"Given Name", "Family Name", nullptr};
const char* const GOOGLE_NEW_MARKS[] = {"First Name", "Last Name", "Labels", nullptr};

// In the order they are tried. Google and Thunderbird have titles of their own that Outlook
// never writes; Outlook's languages share no name titles.
const Program PROGRAMS[] = {
    {BOOK_GOOGLE, TITLES_ENGLISH, GOOGLE_OLD_MARKS, false, GOOGLE},
    {BOOK_GOOGLE, TITLES_ENGLISH, GOOGLE_NEW_MARKS, false, GOOGLE},
    {BOOK_THUNDERBIRD, TITLES_ENGLISH, THUNDERBIRD_MARKS, false, THUNDERBIRD},
    {BOOK_OUTLOOK, TITLES_ENGLISH, OUTLOOK_ENGLISH_MARKS, true, OUTLOOK_ENGLISH},
    {BOOK_OUTLOOK, TITLES_GERMAN, OUTLOOK_GERMAN_MARKS, true, OUTLOOK_GERMAN},
    {BOOK_OUTLOOK, TITLES_FRENCH, OUTLOOK_FRENCH_MARKS, true, OUTLOOK_FRENCH},
    {BOOK_OUTLOOK, TITLES_SPANISH, OUTLOOK_SPANISH_MARKS, true, OUTLOOK_SPANISH},
};

// Google writes several values of one kind into one cell.
const char* const GOOGLE_VALUE_SEPARATOR = " ::: ";

int FindTitle(const std::vector<std::string>& titles, const char* title)
{
    for (size_t i = 0; i < titles.size(); i++)
        if (SameWord(titles[i], title))
            return static_cast<int>(i);
    return -1;
}

// A title of Google's numbered pairs, "Phone 2 - Value": its kind, number and part.
struct PairTitle {
    std::string kind, number, part;
};

int SplitPairTitle(const std::string& title, PairTitle* pair)
{
    const size_t dash = title.rfind(" - ");
    if (dash == std::string::npos)
        return 0;
    const size_t space = title.rfind(' ', dash == 0 ? 0 : dash - 1);
    if (space == std::string::npos || space + 1 >= dash)
        return 0;
    pair->kind = title.substr(0, space);
    pair->number = title.substr(space + 1, dash - space - 1);
    pair->part = title.substr(dash + 3);
    for (char c : pair->number)
        if (c < '0' || c > '9')
            return 0;
    return 1;
}

bool IsPairValue(const std::string& title, const char* kind)
{
    PairTitle pair;
    return SplitPairTitle(title, &pair) && SameWord(pair.kind, kind) &&
           SameWord(pair.part, "Value");
}

// The column of a Google value's type ("Phone 2 - Type", or "- Label" in the newer form).
int PairTypeColumn(const std::vector<std::string>& titles, size_t valueColumn)
{
    PairTitle value, other;
    SplitPairTitle(titles[valueColumn], &value);
    for (size_t i = 0; i < titles.size(); i++)
        if (SplitPairTitle(titles[i], &other) && SameWord(other.kind, value.kind.c_str()) &&
            other.number == value.number &&
            (SameWord(other.part, "Type") || SameWord(other.part, "Label")))
            return static_cast<int>(i);
    return -1;
}

bool IsGoogleHeader(const std::vector<std::string>& titles)
{
    for (const std::string& title : titles)
        if (IsPairValue(title, "Phone") || IsPairValue(title, "E-mail"))
            return true;
    return false;
}

bool HoldsMarks(const std::vector<std::string>& titles, const Program& program)
{
    for (const char* const* mark = program.marks; *mark; mark++)
        if (FindTitle(titles, *mark) < 0)
            return false;
    if (!program.needsDestination)
        return true;
    for (const TitleRole* t = program.titles; t->title; t++)
        if ((t->role == ROLE_FAX || t->role == ROLE_EMAIL) && FindTitle(titles, t->title) >= 0)
            return true;
    return false;
}

const Program* RecogniseProgram(const std::vector<std::string>& titles)
{
    if (IsGoogleHeader(titles))
        return &PROGRAMS[0];
    for (const Program& program : PROGRAMS)
        if (HoldsMarks(titles, program))
            return &program;
    return nullptr;
}

// ---- Contacts of a known program ------------------------------------------------------------

enum Use { USE_NONE, USE_FAX, USE_EMAIL, USE_GOOGLE_PHONE, USE_GOOGLE_EMAIL };

// What each column of a program's header gives, found once for all rows.
struct Layout {
    int names[ROLE_COMPANY + 1];   // column of each name role, -1 when none
    std::vector<Use> uses;         // per column
    std::vector<int> typeColumns;  // per column: the type of a Google phone
};

Layout LayoutOf(const std::vector<std::string>& titles, const Program& program)
{
    Layout layout;
    for (int& column : layout.names)
        column = -1;
    layout.uses.assign(titles.size(), USE_NONE);
    layout.typeColumns.assign(titles.size(), -1);
    for (size_t i = 0; i < titles.size(); i++) {
        const TitleRole* t = program.titles;
        while (t->title && !SameWord(titles[i], t->title))
            t++;
        if (t->title) {
            if (t->role == ROLE_FAX || t->role == ROLE_EMAIL)
                layout.uses[i] = t->role == ROLE_FAX ? USE_FAX : USE_EMAIL;
            else if (layout.names[t->role] < 0)
                layout.names[t->role] = static_cast<int>(i);
        } else if (program.format == BOOK_GOOGLE && IsPairValue(titles[i], "Phone")) {
            layout.uses[i] = USE_GOOGLE_PHONE;
            layout.typeColumns[i] = PairTypeColumn(titles, i);
        } else if (program.format == BOOK_GOOGLE && IsPairValue(titles[i], "E-mail")) {
            layout.uses[i] = USE_GOOGLE_EMAIL;
        }
    }
    return layout;
}

std::string Cell(const CsvRecord& record, int column)
{
    if (column < 0 || static_cast<size_t>(column) >= record.fields.size())
        return "";
    return TrimBlanks(record.fields[static_cast<size_t>(column)]);
}

bool ContainsWord(std::string text, const char* word)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text.find(word) != std::string::npos;
}

void AddDestination(Contact* contact, uint8_t type, const std::string& value)
{
    const std::string trimmed = TrimBlanks(value);
    if (!trimmed.empty())
        contact->destinations.push_back({type, trimmed});
}

void AddGoogleValues(Contact* contact, uint8_t type, const std::string& cell)
{
    const size_t step = std::strlen(GOOGLE_VALUE_SEPARATOR);
    size_t at = 0;
    for (;;) {
        const size_t end = cell.find(GOOGLE_VALUE_SEPARATOR, at);
        AddDestination(contact, type, cell.substr(at, end == std::string::npos ? end : end - at));
        if (end == std::string::npos)
            return;
        at = end + step;
    }
}

std::string JoinNames(std::initializer_list<std::string> parts)
{
    std::string name;
    for (const std::string& part : parts)
        if (!part.empty())
            name += (name.empty() ? "" : " ") + part;
    return name;
}

Contact ProgramContact(const CsvRecord& record, const Layout& layout)
{
    Contact contact;
    contact.line = record.line;
    contact.name = Cell(record, layout.names[ROLE_DISPLAY]);
    if (contact.name.empty())
        contact.name = JoinNames({Cell(record, layout.names[ROLE_FIRST]),
                                  Cell(record, layout.names[ROLE_MIDDLE]),
                                  Cell(record, layout.names[ROLE_LAST])});
    if (contact.name.empty())
        contact.name = Cell(record, layout.names[ROLE_COMPANY]);
    for (size_t i = 0; i < layout.uses.size(); i++) {
        const int column = static_cast<int>(i);
        switch (layout.uses[i]) {
        case USE_FAX:
            AddDestination(&contact, DEST_FAX, Cell(record, column));
            break;
        case USE_EMAIL:
            AddDestination(&contact, DEST_EMAIL, Cell(record, column));
            break;
        case USE_GOOGLE_PHONE:
            if (ContainsWord(Cell(record, layout.typeColumns[i]), "fax"))
                AddGoogleValues(&contact, DEST_FAX, Cell(record, column));
            break;
        case USE_GOOGLE_EMAIL:
            AddGoogleValues(&contact, DEST_EMAIL, Cell(record, column));
            break;
        case USE_NONE:
            break;
        }
    }
    return contact;
}

bool IsBlank(const CsvRecord& record)
{
    for (const std::string& field : record.fields)
        if (!TrimBlanks(field).empty())
            return false;
    return true;
}

AddressBook EmptyBook()
{
    AddressBook book;
    book.format = BOOK_UNREADABLE;
    book.titleLanguage = TITLES_ENGLISH;
    book.problem = ImportProblem{0, 0, {}};
    book.separator = ',';
    return book;
}

AddressBook Unreadable(int line, int message, std::vector<std::string> args = {})
{
    AddressBook book = EmptyBook();
    book.problem = ImportProblem{line, message, std::move(args)};
    return book;
}

bool IsUtf16Mark(const uint8_t* bytes, size_t size)
{
    return size >= 2 &&
           ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF));
}

// The file's bytes as text, or the problem that stops the reading (message 0: none).
ImportProblem ReadText(const uint8_t* bytes, size_t size, std::string* text)
{
    if (size > DIRECTORY_FILE_MAX || (!bytes && size > 0))
        return {0, IDS_IMPORT_TOO_LARGE, {}};
    static const uint8_t NOTHING = 0;
    if (!AddressFileText(bytes ? bytes : &NOTHING, size, text))
        return {0, IsUtf16Mark(bytes, size) ? IDS_BOOK_NOT_UTF16 : IDS_IMPORT_NOT_UTF8, {}};
    return {0, 0, {}};
}

// ---- LDIF -----------------------------------------------------------------------------------

struct LdifAttribute {
    std::string name;  // without options (";lang-de"), as written
    std::string value;
    bool readable;  // false for a value that could not be decoded, or a URL
};

struct LdifRecord {
    int line;                               // of its dn
    std::vector<LdifAttribute> attributes;  // those a contact is made of, in the file's order
};

int Base64Digit(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// 0 for anything but whole groups of base64 digits with their padding.
int DecodeBase64(const std::string& text, std::string* out)
{
    out->clear();
    std::string digits;
    for (char c : text)
        if (c != ' ')
            digits += c;
    if (digits.size() % 4 != 0)
        return 0;
    for (size_t i = 0; i < digits.size(); i += 4) {
        const bool last = i + 4 == digits.size();
        int v[4];
        int padding = 0;
        for (int k = 0; k < 4; k++) {
            const char c = digits[i + static_cast<size_t>(k)];
            if (c == '=' && last && k >= 2) {
                padding++;
                v[k] = 0;
                continue;
            }
            v[k] = Base64Digit(c);
            if (v[k] < 0 || padding > 0)
                return 0;
        }
        const uint32_t bits = static_cast<uint32_t>(v[0] << 18 | v[1] << 12 | v[2] << 6 | v[3]);
        out->push_back(static_cast<char>(bits >> 16));
        if (padding < 2)
            out->push_back(static_cast<char>((bits >> 8) & 0xFF));
        if (padding < 1)
            out->push_back(static_cast<char>(bits & 0xFF));
    }
    return 1;
}

// One unfolded line as an attribute; 0 for a line without a colon.
int SplitLdifLine(const std::string& line, LdifAttribute* attribute)
{
    const size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0)
        return 0;
    const std::string head = line.substr(0, colon);
    attribute->name = TrimBlanks(head.substr(0, head.find(';')));
    attribute->readable = true;
    const char kind = colon + 1 < line.size() ? line[colon + 1] : '\0';
    if (kind == '<') {
        attribute->readable = false;
        attribute->value.clear();
    } else if (kind == ':') {
        std::string bytes;
        attribute->readable =
            DecodeBase64(TrimBlanks(line.substr(colon + 2)), &bytes) && IsUtf8(bytes);
        attribute->value = attribute->readable ? TrimBlanks(bytes) : "";
    } else {
        attribute->value = TrimBlanks(line.substr(colon + 1));
    }
    return 1;
}

// Reads the physical line at r.pos and moves past its line break (CRLF, LF or CR).
struct LineReader {
    const std::string& text;
    size_t pos;
    int number;
};

std::string PhysicalLine(LineReader& r)
{
    size_t end = r.pos;
    while (end < r.text.size() && r.text[end] != '\r' && r.text[end] != '\n')
        end++;
    std::string line = r.text.substr(r.pos, end - r.pos);
    if (end + 1 < r.text.size() && r.text[end] == '\r' && r.text[end + 1] == '\n')
        end++;
    r.pos = end < r.text.size() ? end + 1 : end;
    r.number++;
    return line;
}

// The next line with the lines that continue it (they begin with a space, which is dropped);
// *number is the line it begins on. 0 at the end of the text.
int NextLdifLine(LineReader& r, std::string* line, int* number)
{
    if (r.pos >= r.text.size())
        return 0;
    *line = PhysicalLine(r);
    *number = r.number;
    while (!line->empty() && r.pos < r.text.size() && r.text[r.pos] == ' ')
        *line += PhysicalLine(r).substr(1);
    return 1;
}

bool IsAttribute(const LdifAttribute& attribute, const char* const* names)
{
    for (const char* const* name = names; *name; name++)
        if (SameWord(attribute.name, *name))
            return true;
    return false;
}

const char* const PERSON_CLASSES[] = {
    "person", "organizationalPerson", "inetOrgPerson", "residentialPerson", "mozillaAbPersonAlpha",
    nullptr};
const char* const NAME_ATTRIBUTES[] = {"cn", "commonName", "displayName", nullptr};
const char* const MAIL_ATTRIBUTES[] = {"mail", "rfc822Mailbox", "mozillaSecondEmail", nullptr};
const char* const FAX_ATTRIBUTES[] = {"facsimileTelephoneNumber", nullptr};
const char* const KEPT_ATTRIBUTES[] = {"objectClass",
                                       "changetype",
                                       "cn",
                                       "commonName",
                                       "displayName",
                                       "givenName",
                                       "sn",
                                       "mail",
                                       "rfc822Mailbox",
                                       "mozillaSecondEmail",
                                       "facsimileTelephoneNumber",
                                       nullptr};

std::string FirstValue(const LdifRecord& record, const char* name)
{
    for (const LdifAttribute& a : record.attributes)
        if (a.readable && !a.value.empty() && SameWord(a.name, name))
            return a.value;
    return "";
}

// The record as a contact; 0 for one that is no person (a mailing list, an organisational
// unit) or a change record that removes or alters an entry.
int LdifContact(const LdifRecord& record, Contact* contact)
{
    bool classes = false, person = false;
    for (const LdifAttribute& a : record.attributes) {
        if (SameWord(a.name, "objectClass")) {
            classes = true;
            for (const char* const* c = PERSON_CLASSES; *c; c++)
                person = person || SameWord(a.value, *c);
        }
        if (SameWord(a.name, "changetype") && !SameWord(a.value, "add"))
            return 0;
    }
    if (classes && !person)
        return 0;
    contact->line = record.line;
    contact->name.clear();
    contact->destinations.clear();
    for (const char* const* name = NAME_ATTRIBUTES; *name && contact->name.empty(); name++)
        contact->name = FirstValue(record, *name);
    if (contact->name.empty())
        contact->name = JoinNames({FirstValue(record, "givenName"), FirstValue(record, "sn")});
    for (const LdifAttribute& a : record.attributes) {
        if (!a.readable)
            continue;
        if (IsAttribute(a, MAIL_ATTRIBUTES))
            AddDestination(contact, DEST_EMAIL, a.value);
        else if (IsAttribute(a, FAX_ATTRIBUTES))
            AddDestination(contact, DEST_FAX, a.value);
    }
    // Without objectClass lines only what holds something can be told for a person.
    return classes || !contact->name.empty() || !contact->destinations.empty();
}

// ---- Guessing columns -----------------------------------------------------------------------

const char* const NAME_WORDS[] = {"name", "nom", "apellido", nullptr};
const char* const FAX_WORDS[] = {"fax",
                                 "t\xC3\xA9l\xC3\xA9"
                                 "copie",
                                 nullptr};
const char* const MAIL_WORDS[] = {"mail", "courriel", "messagerie", "correo", nullptr};
// A title that names the whole name rather than a part of it.
const char* const WHOLE_NAMES[] = {"Name",
                                   "Display Name",
                                   "Full Name",
                                   "Anzeigename",
                                   "Vollst\xC3\xA4ndiger Name",
                                   "Nom complet",
                                   "Nom d'affichage",
                                   "Nombre completo",
                                   "Nombre para mostrar",
                                   nullptr};
// Words of a column that describes a value rather than holding it.
const char* const DESCRIBING_WORDS[] = {"type", "typ", "label", "name", "nom", nullptr};

bool ContainsAny(const std::string& title, const char* const* words)
{
    for (const char* const* word = words; *word; word++)
        if (ContainsWord(title, *word))
            return true;
    return false;
}

bool IsOneOf(const std::string& title, const char* const* titles)
{
    for (const char* const* t = titles; *t; t++)
        if (SameWord(title, *t))
            return true;
    return false;
}

// The column with the best score, the first of equals; -1 when every score is 0.
int BestColumn(const std::vector<std::string>& titles, int (*score)(const std::string&))
{
    int best = -1, bestScore = 0;
    for (size_t i = 0; i < titles.size(); i++) {
        const int s = score(TrimBlanks(titles[i]));
        if (s > bestScore) {
            best = static_cast<int>(i);
            bestScore = s;
        }
    }
    return best;
}

int NameScore(const std::string& title)
{
    if (IsOneOf(title, WHOLE_NAMES))
        return 2;
    return ContainsAny(title, NAME_WORDS) && !ContainsAny(title, MAIL_WORDS) &&
                   !ContainsAny(title, FAX_WORDS)
               ? 1
               : 0;
}

int FaxScore(const std::string& title)
{
    if (!ContainsAny(title, FAX_WORDS))
        return 0;
    return ContainsAny(title, DESCRIBING_WORDS) ? 1 : 2;
}

int MailScore(const std::string& title)
{
    if (!ContainsAny(title, MAIL_WORDS))
        return 0;
    return ContainsAny(title, DESCRIBING_WORDS) ? 1 : 2;
}

}  // namespace

int AddressFileText(const uint8_t* bytes, size_t size, std::string* text)
{
    if (!IsUtf16Mark(bytes, size))
        return FileTextToUtf8(bytes, size, text);
    if (size % 2 != 0)
        return 0;
    const bool little = bytes[0] == 0xFF;
    auto unit = [bytes, little](size_t at) {
        return static_cast<uint32_t>(little ? bytes[at] | bytes[at + 1] << 8
                                            : bytes[at] << 8 | bytes[at + 1]);
    };
    std::string out;
    out.reserve(size);
    for (size_t at = 2; at < size; at += 2) {
        uint32_t cp = unit(at);
        if (cp >= 0xDC00 && cp <= 0xDFFF)
            return 0;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (at + 2 >= size)
                return 0;
            const uint32_t low = unit(at + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                return 0;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            at += 2;
        }
        AppendUtf8(&out, cp);
    }
    *text = std::move(out);
    return 1;
}

char DetectAddressSeparator(const std::string& text)
{
    const char candidates[] = {',', ';', '\t'};
    int counts[3] = {0, 0, 0};
    bool quoted = false;
    // Empty lines before the header are passed over, as the reader passes them over.
    const size_t first = text.find_first_not_of("\r\n");
    for (size_t i = first == std::string::npos ? text.size() : first; i < text.size(); i++) {
        const char c = text[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\r' || c == '\n'))
            break;
        for (int k = 0; k < 3; k++)
            if (!quoted && c == candidates[k])
                counts[k]++;
    }
    int best = 0;
    for (int k = 1; k < 3; k++)
        if (counts[k] > counts[best])
            best = k;
    return candidates[best];
}

AddressBook ReadAddressBookCsv(const uint8_t* bytes, size_t size)
{
    std::string text;
    const ImportProblem unreadable = ReadText(bytes, size, &text);
    if (unreadable.message)
        return Unreadable(0, unreadable.message);
    const char separator = DetectAddressSeparator(text);
    std::vector<CsvRecord> records;
    ImportProblem syntax;
    if (!ParseCsv(text, separator, &records, &syntax, ADDRESS_CSV_BOUNDS)) {
        if (syntax.message == IDS_IMPORT_TOO_MANY_ROWS)
            return Unreadable(0, IDS_BOOK_TOO_MANY_CONTACTS, {std::to_string(ADDRESS_CONTACT_MAX)});
        if (syntax.message == IDS_IMPORT_TOO_MANY_FIELDS)
            return Unreadable(syntax.line, IDS_BOOK_TOO_MANY_COLUMNS,
                              {std::to_string(ADDRESS_CSV_BOUNDS.fields)});
        return Unreadable(syntax.line, syntax.message, syntax.args);
    }
    size_t first = 0;
    while (first < records.size() && IsBlank(records[first]))
        first++;
    if (first == records.size())
        return Unreadable(0, IDS_BOOK_NO_HEADER);

    AddressBook book = EmptyBook();
    for (const std::string& title : records[first].fields)
        book.titles.push_back(TrimBlanks(title));
    if (IsDirectoryHeader(book.titles)) {
        book.format = BOOK_DIRECTORY;
        book.titles.clear();
        return book;
    }
    book.separator = separator;
    for (size_t k = first + 1; k < records.size(); k++)
        if (!IsBlank(records[k]))
            book.rows.push_back(std::move(records[k]));
    const Program* program = RecogniseProgram(book.titles);
    if (!program) {
        book.format = BOOK_UNKNOWN_COLUMNS;
        return book;
    }
    book.format = program->format;
    book.titleLanguage = program->language;
    const Layout layout = LayoutOf(book.titles, *program);
    for (const CsvRecord& row : book.rows)
        book.contacts.push_back(ProgramContact(row, layout));
    return book;
}

ColumnChoice GuessColumns(const std::vector<std::string>& titles)
{
    ColumnChoice c = {BestColumn(titles, NameScore), BestColumn(titles, FaxScore),
                      BestColumn(titles, MailScore)};
    // Lists people keep by hand name their rows first, under any title ("Kunde", "Firm").
    for (int i = 0; c.name < 0 && i < static_cast<int>(titles.size()); i++)
        if (i != c.fax && i != c.email)
            c.name = i;
    return c;
}

std::vector<Contact> ContactsFromColumns(const AddressBook& book, const ColumnChoice& columns)
{
    std::vector<Contact> contacts;
    // A column chosen twice gives its value once, as what it was chosen for first: the fax.
    const int email = columns.email == columns.fax ? -1 : columns.email;
    for (const CsvRecord& row : book.rows) {
        Contact contact;
        contact.line = row.line;
        contact.name = Cell(row, columns.name);
        if (columns.fax >= 0 && (email < 0 || columns.fax < email)) {
            AddDestination(&contact, DEST_FAX, Cell(row, columns.fax));
            AddDestination(&contact, DEST_EMAIL, Cell(row, email));
        } else {
            AddDestination(&contact, DEST_EMAIL, Cell(row, email));
            AddDestination(&contact, DEST_FAX, Cell(row, columns.fax));
        }
        contacts.push_back(std::move(contact));
    }
    return contacts;
}

AddressBook ReadLdif(const uint8_t* bytes, size_t size)
{
    std::string text;
    const ImportProblem unreadable = ReadText(bytes, size, &text);
    if (unreadable.message)
        return Unreadable(0, unreadable.message);
    AddressBook book = EmptyBook();
    book.format = BOOK_LDIF;
    // Records are turned into contacts as they end, so that only what a contact needs is kept.
    LdifRecord record;
    bool inRecord = false, anyRecord = false;
    auto finish = [&book, &record, &inRecord]() {
        Contact contact;
        if (inRecord && LdifContact(record, &contact)) {
            if (book.contacts.size() >= static_cast<size_t>(ADDRESS_CONTACT_MAX))
                return false;
            book.contacts.push_back(std::move(contact));
        }
        inRecord = false;
        record.attributes.clear();
        return true;
    };
    LineReader reader{text, 0, 0};
    std::string line;
    int number = 0;
    while (NextLdifLine(reader, &line, &number)) {
        if (TrimBlanks(line).empty()) {
            if (!finish())
                return Unreadable(0, IDS_BOOK_TOO_MANY_CONTACTS,
                                  {std::to_string(ADDRESS_CONTACT_MAX)});
            continue;
        }
        LdifAttribute attribute;
        // Comments, and a continuation with no line to continue, are passed over.
        if (line[0] == '#' || line[0] == ' ' || !SplitLdifLine(line, &attribute))
            continue;
        // A dn begins a record, also where the blank line before it is missing.
        if (SameWord(attribute.name, "dn")) {
            if (!finish())
                return Unreadable(0, IDS_BOOK_TOO_MANY_CONTACTS,
                                  {std::to_string(ADDRESS_CONTACT_MAX)});
            record.line = number;
            inRecord = anyRecord = true;
        } else if (inRecord && IsAttribute(attribute, KEPT_ATTRIBUTES)) {
            record.attributes.push_back(std::move(attribute));
        }
    }
    if (!finish())
        return Unreadable(0, IDS_BOOK_TOO_MANY_CONTACTS, {std::to_string(ADDRESS_CONTACT_MAX)});
    if (!anyRecord)
        return Unreadable(0, IDS_BOOK_NO_LDIF);
    return book;
}
