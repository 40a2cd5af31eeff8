/* The preview of an address book's import: what the file was recognised as (or the choice of
 * its columns), every destination with the entry it becomes or why it is skipped, the counts,
 * and the choices of Quick Dial keys and of taking only what fits. Nothing changes before
 * Import; the plan and its checks are portable (address_import.h). */
#ifndef MORAVEL_DIAL_ADDRESS_IMPORT_WIN_H
#define MORAVEL_DIAL_ADDRESS_IMPORT_WIN_H

#include <windows.h>

#include "dial/address_book.h"

struct EditState;

/* Shows the preview of `book` against `current`; on Import, *result is `current` with the
 * additions and the number added is returned; Cancel returns 0 and leaves *result alone. */
int RunImportPreview(HWND owner, const AddressBook& book, const EditState& current, int keyCount,
                     EditState* result);

#endif
