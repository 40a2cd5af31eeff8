// Fuzz target for the address-book CSV reader: any bytes as a file. A known program's export
// gives a contact for every row; unknown columns give none until chosen, then the guessed
// columns and columns picked from the input's first bytes (also ones no row has) give a
// contact for every row, each within the file's lines (address_fuzz_checks.h).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dial/address_book.h"
#include "tests/dial/address_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const AddressBook book = ReadAddressBookCsv(data, size);
    CheckBook(book, data, size);
    for (const std::string& title : book.titles)
        if (!IsUtf8(title))
            std::abort();
    switch (book.format) {
    case BOOK_UNREADABLE:
        return 0;
    case BOOK_DIRECTORY:
        if (!book.contacts.empty() || !book.rows.empty())
            std::abort();
        return 0;
    case BOOK_OUTLOOK:
    case BOOK_THUNDERBIRD:
    case BOOK_GOOGLE:
        if (book.contacts.size() != book.rows.size())
            std::abort();
        return 0;
    case BOOK_UNKNOWN_COLUMNS:
        break;
    default:
        std::abort();
    }
    if (!book.contacts.empty())
        std::abort();
    const int titles = static_cast<int>(book.titles.size());
    const ColumnChoice guess = GuessColumns(book.titles);
    for (int column : {guess.name, guess.fax, guess.email})
        if (column < -1 || column >= titles)
            std::abort();
    const int lines = FileLines(data, size);
    const ColumnChoice picked = {size > 0 ? data[0] % 8 - 1 : -1, size > 1 ? data[1] % 8 - 1 : -1,
                                 size > 2 ? data[2] % 8 - 1 : -1};
    for (const ColumnChoice& choice : {guess, picked}) {
        const std::vector<Contact> contacts = ContactsFromColumns(book, choice);
        if (contacts.size() != book.rows.size())
            std::abort();
        CheckContacts(contacts, lines);
    }
    return 0;
}
