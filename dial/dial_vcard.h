// The fax and e-mail destinations as vCard 3.0 address cards (RFC 2426), for mail programs and
// phones, and address cards of any program added to the free Speed Dial entries. The reader
// takes what mail programs write: vCard 2.1, 3.0 and 4.0, folded lines, escaped texts, the
// TYPE forms of each version, quoted-printable values and the Windows-1252 character set of
// older programs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dial/address_book.h"
#include "dial/address_import.h"
#include "dial/dial_transfer.h"
#include "ui/field_filters.h"

struct EditState;

// ---- Cards ----------------------------------------------------------------------------------

// Bounds of what the reader keeps: properties of one card and cards of one file.
constexpr int VCARD_PROPERTY_MAX = 500;
constexpr int VCARD_CARD_MAX = 5000;

struct VcardParameter {
    std::string name;   // upper case; for a 2.1 bare value ("TEL;FAX") it is "TYPE"
    std::string value;  // as written, quotes removed
};

struct VcardProperty {
    int line;
    std::string name;  // upper case, without its group
    std::vector<VcardParameter> parameters;
    std::string value;  // raw: still escaped and encoded
};

struct Vcard {
    int line;  // of its BEGIN:VCARD
    std::vector<VcardProperty> properties;
};

// Text value escaping of RFC 2426: backslash, comma, semicolon and line breaks.
std::string EscapeVcardText(const std::string& text);
std::string UnescapeVcardText(const std::string& text);
// Appends one content line with CRLF, folded so that no line is longer than 75 octets; a fold
// never splits a UTF-8 character.
void AppendVcardLine(std::string* out, const std::string& line);
// The cards of a file (UTF-8): lines unfolded, each property split into name, parameters and
// value. Lines outside cards and lines without a colon are passed over; a card within a card
// (vCard 2.1 AGENT) is read over as part of its value.
std::vector<Vcard> ParseVcards(const std::string& text);
// A text property's value as UTF-8: quoted-printable undone, a CHARSET of Windows-1252 or
// ISO-8859-1 converted, its escapes undone. 0 when it cannot be read (another character set or
// encoding, or not UTF-8).
int VcardValueText(const VcardProperty& property, std::string* text);

// ---- The dial directory ---------------------------------------------------------------------

// One card for every fax and e-mail destination among the first keyCount keys and the Speed
// Dial entries (groups, combination keys and program-dial entries are no destinations of their
// own): FN (the name, or the number or address when it has none), N, and TEL;TYPE=FAX or EMAIL.
std::string ExportDirectoryVcards(const EditState& state, int keyCount);

// The contacts of the cards: the name (FN, else N, else ORG), then every fax number and every
// e-mail address; a card with a value that cannot be read has none and says so.
std::vector<Contact> VcardContacts(const std::vector<Vcard>& cards);
// A vCard file as an address book (BOOK_VCARD), or BOOK_UNREADABLE with the problem.
AddressBook ReadVcardBook(const uint8_t* bytes, size_t size);

struct VcardImport {
    int readable;            // 0 when the file could not be read at all (*problem says why)
    ImportProblem problem;   // line 0
    int cardCount;           // cards in the file
    std::vector<int> added;  // the Speed Dial entries filled, in order
    ImportPlan plan;         // every destination of every card, added or skipped with why
};

// Adds every fax number and e-mail address of the cards that passes the entry dialog's checks
// to the free Speed Dial entries of `current`, lowest first, dated `date`, as many as fit
// (without the preview's choices). Destinations the directory holds already, or an earlier card
// did, are skipped with their reason. *result is `current` with the entries added.
VcardImport ImportVcards(const uint8_t* bytes, size_t size, const EditState& current, int keyCount,
                         const TextEnvironment& env, uint16_t date, EditState* result);

// The message for the outcome: how many were added and, one a line, the first skipped cards
// with their reasons.
std::string DescribeVcardImport(const VcardImport& outcome, StringLoader load);
