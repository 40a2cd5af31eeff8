// Address books of other programs, read into contacts: the CSV exports of mail programs and
// contact services (recognised by their header row, in whatever separator and encoding they
// were saved), LDIF, and the cards of a vCard file. Nothing here decides what enters the
// directory; the import plan (address_import.h) does.
//
// The column titles are the other programs' own words, the same whatever language Moravel
// speaks, so they are constants here and not strings of the string table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dial/dial_csv.h"
#include "dial/dial_transfer.h"

enum AddressBookFormat {
    BOOK_UNREADABLE,       // *problem says why
    BOOK_DIRECTORY,        // the dial directory's own CSV: not an address book
    BOOK_UNKNOWN_COLUMNS,  // a CSV file whose header no known program writes
    BOOK_OUTLOOK,
    BOOK_THUNDERBIRD,
    BOOK_GOOGLE,
    BOOK_LDIF,
    BOOK_VCARD,
};

// The language of the column titles a program wrote (Outlook writes them in its own).
enum TitleLanguage { TITLES_ENGLISH, TITLES_GERMAN, TITLES_FRENCH, TITLES_SPANISH };

struct ContactDestination {
    uint8_t type;       // DEST_FAX or DEST_EMAIL
    std::string value;  // UTF-8, as the file gives it (trimmed of blanks)
};

struct Contact {
    int line;          // of the file, from 1: its row, its LDIF record or its card
    std::string name;  // UTF-8; empty when the file gives none
    std::vector<ContactDestination> destinations;  // in the file's order of columns or lines
    int problem = 0;  // a string id when its texts could not be read (then it has none)
};

struct AddressBook {
    int format;                // AddressBookFormat
    int titleLanguage;         // TitleLanguage, for BOOK_OUTLOOK
    ImportProblem problem;     // BOOK_UNREADABLE
    char separator;            // CSV: ',', ';' or '\t'
    std::vector<std::string> titles;  // CSV: the header's titles, UTF-8
    std::vector<CsvRecord> rows;      // CSV: the records after the header
    std::vector<Contact> contacts;    // every row, record or card, also those with nothing
};

// Bounds of what the readers take (beyond CSV_RECORD_MAX and the file size).
constexpr int ADDRESS_CONTACT_MAX = 5000;

// The text of an address-book file as UTF-8: UTF-16 (either order) or UTF-8 when a byte-order
// mark says so; without one UTF-8 when it is that, else Windows-1252. 0 for a mark whose text
// does not follow it (odd UTF-16 length, unpaired surrogate, not UTF-8).
int AddressFileText(const uint8_t* bytes, size_t size, std::string* text);

// The separator of an address-book CSV file: of ',', ';' and tab, the one its first line that
// is not empty (outside quotes) holds most of; ',' when it holds none.
char DetectAddressSeparator(const std::string& text);

// A CSV file: the dial directory's own (format BOOK_DIRECTORY, nothing else filled), a known
// program's export with its contacts, or unknown columns (titles and rows filled, contacts
// empty until columns are chosen).
AddressBook ReadAddressBookCsv(const uint8_t* bytes, size_t size);

// Columns of an unknown CSV file, by index into titles (-1: none).
struct ColumnChoice {
    int name;
    int fax;
    int email;
};
// The likeliest columns by their titles (a title with "name", "fax" or "mail" in any case, in
// the four title languages); -1 where none fits, but for the name: without a name-like title,
// the first column that is neither of the others.
ColumnChoice GuessColumns(const std::vector<std::string>& titles);
// The contacts of an unknown CSV file with the chosen columns.
std::vector<Contact> ContactsFromColumns(const AddressBook& book, const ColumnChoice& columns);

// An LDIF file (RFC 2849) as address books write it: a contact per record with a name (cn,
// displayName, or givenName and sn) and its mail and facsimileTelephoneNumber values.
AddressBook ReadLdif(const uint8_t* bytes, size_t size);
