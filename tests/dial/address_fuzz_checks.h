// What every address book read from any bytes must hold, for the fuzz targets of its readers:
// a refusal says why and holds nothing; every contact is on a line of the file, its texts are
// UTF-8, its destinations fax numbers or e-mail addresses without blanks around them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "dial/address_book.h"
#include "dial/dial_text.h"
#include "document/dial_records.h"

// The lines of the file's text: 1 and one more after every line break (CRLF, LF or CR).
inline int FileLines(const uint8_t* data, size_t size)
{
    std::string text;
    if (!AddressFileText(data, size, &text))
        return 0;
    int lines = 1;
    for (size_t i = 0; i < text.size(); i++)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            lines++;
    return lines;
}

inline bool IsTrimmed(const std::string& text)
{
    return !text.empty() && text.front() != ' ' && text.front() != '\t' && text.back() != ' ' &&
           text.back() != '\t';
}

inline void CheckContacts(const std::vector<Contact>& contacts, int lines)
{
    if (contacts.size() > static_cast<size_t>(ADDRESS_CONTACT_MAX))
        std::abort();
    for (const Contact& c : contacts) {
        if (c.line < 1 || c.line > lines || !IsUtf8(c.name))
            std::abort();
        for (const ContactDestination& d : c.destinations)
            if ((d.type != DEST_FAX && d.type != DEST_EMAIL) || !IsUtf8(d.value) ||
                !IsTrimmed(d.value))
                std::abort();
    }
}

inline void CheckBook(const AddressBook& book, const uint8_t* data, size_t size)
{
    if (book.format == BOOK_UNREADABLE) {
        if (book.problem.message == 0 || !book.contacts.empty() || !book.rows.empty())
            std::abort();
        return;
    }
    if (book.problem.message != 0)
        std::abort();
    CheckContacts(book.contacts, FileLines(data, size));
}
