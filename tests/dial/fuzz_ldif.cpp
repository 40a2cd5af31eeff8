// Fuzz target for the LDIF reader: any bytes as a file give an LDIF book or a refusal with its
// reason, and every contact is within the file's lines (address_fuzz_checks.h).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dial/address_book.h"
#include "tests/dial/address_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const AddressBook book = ReadLdif(data, size);
    if (book.format != BOOK_LDIF && book.format != BOOK_UNREADABLE)
        std::abort();
    CheckBook(book, data, size);
    return 0;
}
