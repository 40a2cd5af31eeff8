// Address cards of the dial directory. See dial_vcard.h.
#include "dial/dial_vcard.h"

#include <cstring>
#include <memory>

#include "dial/dial_entry.h"
#include "dial/dial_text.h"
#include "document/dial_records.h"
#include "document/document.h"
#include "resources/resource_ids.h"

namespace {

constexpr size_t VCARD_LINE_OCTETS = 75;

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool StartsWithWord(const std::string& text, const char* prefix)
{
    const size_t n = std::strlen(prefix);
    return text.size() >= n && SameWord(text.substr(0, n), prefix);
}

// The physical lines of a text: CRLF, LF and CR end one.
std::vector<std::string> PhysicalLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); i++) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                i++;
            continue;
        }
        line += c;
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

// The position of the first `wanted` outside double quotes, or npos.
size_t FindUnquoted(const std::string& text, char wanted, size_t from = 0)
{
    bool quoted = false;
    for (size_t i = from; i < text.size(); i++) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (!quoted && text[i] == wanted)
            return i;
    }
    return std::string::npos;
}

// 1 when the part of a content line before its value says quoted-printable: such a value goes
// on over a line that ends with "=" (vCard 2.1 soft line breaks).
bool IsQuotedPrintableLine(const std::string& line)
{
    const size_t colon = FindUnquoted(line, ':');
    return Upper(line.substr(0, colon)).find("QUOTED-PRINTABLE") != std::string::npos;
}

struct LogicalLine {
    int line;
    std::string text;
};

std::vector<LogicalLine> UnfoldLines(const std::string& text)
{
    std::vector<LogicalLine> lines;
    const std::vector<std::string> physical = PhysicalLines(text);
    bool softBreak = false;
    for (size_t i = 0; i < physical.size(); i++) {
        const std::string& raw = physical[i];
        const int number = static_cast<int>(i) + 1;
        if (!lines.empty() && softBreak) {
            lines.back().text += raw;
        } else if (!lines.empty() && !raw.empty() && (raw[0] == ' ' || raw[0] == '\t')) {
            lines.back().text += raw.substr(1);
        } else {
            lines.push_back({number, raw});
        }
        std::string& current = lines.back().text;
        softBreak = !current.empty() && current.back() == '=' && IsQuotedPrintableLine(current);
        if (softBreak)
            current.pop_back();
    }
    return lines;
}

std::string Unquote(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// One content line as a property; 0 for a line without a colon.
int SplitProperty(const LogicalLine& line, VcardProperty* property)
{
    const std::string& text = line.text;
    const size_t colon = FindUnquoted(text, ':');
    if (colon == std::string::npos)
        return 0;
    property->line = line.line;
    property->value = text.substr(colon + 1);
    property->parameters.clear();
    const std::string head = text.substr(0, colon);
    size_t at = 0;
    bool first = true;
    while (at <= head.size()) {
        size_t end = FindUnquoted(head, ';', at);
        if (end == std::string::npos)
            end = head.size();
        const std::string part = head.substr(at, end - at);
        if (first) {
            const size_t dot = part.rfind('.');
            property->name = Upper(dot == std::string::npos ? part : part.substr(dot + 1));
            first = false;
        } else if (!part.empty()) {
            const size_t equals = part.find('=');
            if (equals == std::string::npos)
                property->parameters.push_back({"TYPE", part});
            else
                property->parameters.push_back(
                    {Upper(TrimBlanks(part.substr(0, equals))), Unquote(part.substr(equals + 1))});
        }
        at = end + 1;
    }
    return 1;
}

std::string Parameter(const VcardProperty& property, const char* name)
{
    for (const VcardParameter& p : property.parameters)
        if (p.name == name)
            return p.value;
    return "";
}

bool HasType(const VcardProperty& property, const char* type)
{
    for (const VcardParameter& p : property.parameters) {
        if (p.name != "TYPE")
            continue;
        size_t at = 0;
        while (at <= p.value.size()) {
            size_t end = p.value.find(',', at);
            if (end == std::string::npos)
                end = p.value.size();
            if (SameWord(TrimBlanks(p.value.substr(at, end - at)), type))
                return true;
            at = end + 1;
        }
    }
    return false;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string DecodeQuotedPrintable(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '=' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
            HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool IsQuotedPrintable(const VcardProperty& property)
{
    for (const VcardParameter& p : property.parameters)
        if ((p.name == "ENCODING" || p.name == "TYPE") && SameWord(p.value, "QUOTED-PRINTABLE"))
            return true;
    return false;
}

// The value's bytes as UTF-8, still escaped; 0 when they cannot be read.
int ValueBytes(const VcardProperty& property, std::string* text)
{
    const std::string encoding = Parameter(property, "ENCODING");
    if (!encoding.empty() && !IsQuotedPrintable(property) && !SameWord(encoding, "8BIT") &&
        !SameWord(encoding, "7BIT"))
        return 0;
    if (!IsQuotedPrintable(property)) {
        *text = property.value;  // the file's text is UTF-8 already
        return IsUtf8(*text);
    }
    const std::string bytes = DecodeQuotedPrintable(property.value);
    const std::string charset = Parameter(property, "CHARSET");
    if (SameWord(charset, "windows-1252") || SameWord(charset, "iso-8859-1") ||
        SameWord(charset, "latin1")) {
        *text = Windows1252ToUtf8(bytes);
        return 1;
    }
    if (!charset.empty() && !SameWord(charset, "utf-8") && !SameWord(charset, "us-ascii"))
        return 0;
    // Without a character set, what is not UTF-8 is taken as the Western code page of the
    // programs that wrote such cards.
    *text = IsUtf8(bytes) || !charset.empty() ? bytes : Windows1252ToUtf8(bytes);
    return IsUtf8(*text);
}

// The components of a structured value (N, ORG), each unescaped.
std::vector<std::string> Components(const std::string& raw)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < raw.size(); i++) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            parts.back() += raw.substr(i, 2);
            i++;
        } else if (raw[i] == ';') {
            parts.emplace_back();
        } else {
            parts.back() += raw[i];
        }
    }
    for (std::string& part : parts)
        part = UnescapeVcardText(part);
    return parts;
}

const VcardProperty* Find(const Vcard& card, const char* name, bool (*accept)(const VcardProperty&))
{
    for (const VcardProperty& p : card.properties)
        if (p.name == name && (!accept || accept(p)))
            return &p;
    return nullptr;
}

bool IsFax(const VcardProperty& p) { return HasType(p, "FAX"); }

// The card's name: FN, else N as "given family", else the first part of ORG. 0 when the
// property that gives it cannot be read.
int CardName(const Vcard& card, std::string* name)
{
    name->clear();
    std::string raw;
    if (const VcardProperty* fn = Find(card, "FN", nullptr)) {
        if (!ValueBytes(*fn, &raw))
            return 0;
        *name = TrimBlanks(UnescapeVcardText(raw));
        if (!name->empty())
            return 1;
    }
    if (const VcardProperty* n = Find(card, "N", nullptr)) {
        if (!ValueBytes(*n, &raw))
            return 0;
        const std::vector<std::string> parts = Components(raw);
        const std::string given = parts.size() > 1 ? TrimBlanks(parts[1]) : "";
        const std::string family = TrimBlanks(parts[0]);
        *name = given + (given.empty() || family.empty() ? "" : " ") + family;
        if (!name->empty())
            return 1;
    }
    if (const VcardProperty* org = Find(card, "ORG", nullptr)) {
        if (!ValueBytes(*org, &raw))
            return 0;
        *name = TrimBlanks(Components(raw)[0]);
    }
    return 1;
}

// Every value of the properties that fit, in the card's order, as text without `scheme`
// ("tel:", "mailto:"); empty values are passed over. 0 when one cannot be read.
int CardValues(const Vcard& card, const char* name, bool (*accept)(const VcardProperty&),
               const char* scheme, uint8_t type, std::vector<ContactDestination>* out)
{
    for (const VcardProperty& p : card.properties) {
        if (p.name != name || (accept && !accept(p)))
            continue;
        std::string raw;
        if (!ValueBytes(p, &raw))
            return 0;
        std::string value = TrimBlanks(UnescapeVcardText(raw));
        if (StartsWithWord(value, scheme))
            value = TrimBlanks(value.substr(std::strlen(scheme)));
        if (!value.empty())
            out->push_back({type, value});
    }
    return 1;
}

void AppendCard(std::string* out, const DialRecord& r, int japanese)
{
    const std::string name = NameToUtf8(r.name, japanese);
    const bool email = r.destType == DEST_EMAIL;
    const std::string destination = email ? r.email : r.faxNumber;
    AppendVcardLine(out, "BEGIN:VCARD");
    AppendVcardLine(out, "VERSION:3.0");
    AppendVcardLine(out, "FN:" + EscapeVcardText(name.empty() ? destination : name));
    AppendVcardLine(out, "N:" + EscapeVcardText(name) + ";;;;");
    if (email)
        AppendVcardLine(out, "EMAIL;TYPE=INTERNET:" + EscapeVcardText(destination));
    else
        AppendVcardLine(out, "TEL;TYPE=FAX:" + EscapeVcardText(destination));
    AppendVcardLine(out, "END:VCARD");
}

bool IsCardDestination(const DialRecord& r)
{
    return r.inUse && !r.programDial && !r.chain && r.kind != KIND_GROUP;
}

}  // namespace

std::string EscapeVcardText(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        const char c = text[i];
        switch (c) {
        case '\\':
        case ',':
        case ';':
            out += '\\';
            out += c;
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n')
                i++;
            out += "\\n";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string UnescapeVcardText(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' || next == 'N' ? '\n' : next;
    }
    return out;
}

void AppendVcardLine(std::string* out, const std::string& line)
{
    size_t at = 0;
    size_t room = VCARD_LINE_OCTETS;
    while (line.size() - at > room) {
        size_t end = at + room;
        // Back off to the start of a character: never fold inside a UTF-8 sequence.
        while (end > at + 1 && (static_cast<uint8_t>(line[end]) & 0xC0) == 0x80)
            end--;
        *out += line.substr(at, end - at);
        *out += "\r\n ";
        at = end;
        room = VCARD_LINE_OCTETS - 1;  // the leading space counts
    }
    *out += line.substr(at);
    *out += "\r\n";
}

std::vector<Vcard> ParseVcards(const std::string& text)
{
    std::vector<Vcard> cards;
    int depth = 0;
    for (const LogicalLine& line : UnfoldLines(text)) {
        VcardProperty property;
        if (!SplitProperty(line, &property))
            continue;
        const std::string value = TrimBlanks(property.value);
        const bool begin = property.name == "BEGIN" && SameWord(value, "VCARD");
        const bool end = property.name == "END" && SameWord(value, "VCARD");
        if (begin) {
            if (depth++ == 0) {
                if (cards.size() >= static_cast<size_t>(VCARD_CARD_MAX))
                    break;
                cards.push_back({line.line, {}});
            }
            continue;
        }
        if (end) {
            if (depth > 0)
                depth--;
            continue;
        }
        if (depth == 1 && cards.back().properties.size() < static_cast<size_t>(VCARD_PROPERTY_MAX))
            cards.back().properties.push_back(std::move(property));
    }
    return cards;
}

int VcardValueText(const VcardProperty& property, std::string* text)
{
    std::string raw;
    if (!ValueBytes(property, &raw))
        return 0;
    *text = UnescapeVcardText(raw);
    return 1;
}

std::string ExportDirectoryVcards(const EditState& state, int keyCount)
{
    const int japanese = IsJapaneseMode(state);
    std::string out;
    DialRecord r;
    for (int i = 0; i < keyCount && i < QUICK_KEY_COUNT; i++)
        if (DecodeQuickKey(&r, state, i) && IsCardDestination(r))
            AppendCard(&out, r, japanese);
    for (int i = 0; i < SPEED_DIAL_COUNT; i++)
        if (DecodeSpeedEntry(&r, state, i) && IsCardDestination(r))
            AppendCard(&out, r, japanese);
    return out;
}

std::vector<Contact> VcardContacts(const std::vector<Vcard>& cards)
{
    std::vector<Contact> contacts;
    for (const Vcard& card : cards) {
        Contact c;
        c.line = card.line;
        // Fax numbers first, as a card was read before: the fax is the card's main destination.
        if (!CardName(card, &c.name) ||
            !CardValues(card, "TEL", IsFax, "tel:", DEST_FAX, &c.destinations) ||
            !CardValues(card, "EMAIL", nullptr, "mailto:", DEST_EMAIL, &c.destinations)) {
            c.destinations.clear();
            c.problem = IDS_VCARD_UNREADABLE;
        }
        contacts.push_back(std::move(c));
    }
    return contacts;
}

AddressBook ReadVcardBook(const uint8_t* bytes, size_t size)
{
    AddressBook book = {};
    book.format = BOOK_UNREADABLE;
    if (size > DIRECTORY_FILE_MAX || (!bytes && size > 0)) {
        book.problem = {0, IDS_IMPORT_TOO_LARGE, {}};
        return book;
    }
    std::string text;
    if (!AddressFileText(bytes, size, &text)) {
        book.problem = {0, IDS_IMPORT_NOT_UTF8, {}};
        return book;
    }
    book.format = BOOK_VCARD;
    book.contacts = VcardContacts(ParseVcards(text));
    return book;
}

VcardImport ImportVcards(const uint8_t* bytes, size_t size, const EditState& current, int keyCount,
                         const TextEnvironment& env, uint16_t date, EditState* result)
{
    VcardImport out = {};
    const AddressBook book = ReadVcardBook(bytes, size);
    if (book.format == BOOK_UNREADABLE) {
        out.problem = book.problem;
        *result = current;
        return out;
    }
    out.readable = 1;
    out.cardCount = static_cast<int>(book.contacts.size());
    // Without a preview to ask: the Speed Dial entries only, as many as fit.
    out.plan = PlanAddressImport(book.contacts, current, keyCount, env, date, {0, 1});
    ApplyImportPlan(out.plan, current, result);
    for (const PlanRow& row : out.plan.rows)
        if (row.outcome == PLAN_ADD)
            out.added.push_back(row.entry);
    return out;
}

std::string DescribeVcardImport(const VcardImport& outcome, StringLoader load)
{
    if (!outcome.readable)
        return DescribeProblem(outcome.problem, load);
    if (outcome.cardCount == 0)
        return load(IDS_VCARD_NO_CARDS);
    return DescribeImportPlan(outcome.plan, load);
}
