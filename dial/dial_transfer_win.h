/* File, Export Dial Directory... and Import Dial Directory...: the dial directory as a CSV file
 * or as address cards (vCard), chosen by the file type in the file dialog; an import also takes
 * the address books of mail programs (CSV, vCard, LDIF) through its preview. The formats and
 * their checks are portable (dial_csv.h, dial_vcard.h, address_book.h); this applies them to
 * the document. */
#ifndef MORAVEL_DIAL_TRANSFER_WIN_H
#define MORAVEL_DIAL_TRANSFER_WIN_H

#include <windows.h>

#include "ui/file_dialog_win.h"

enum DirectoryDialogMode { DIRECTORY_EXPORT = 0, DIRECTORY_IMPORT = 1 };

/* The common file dialog of the two commands: an export offers CSV (with semicolons too, in a
 * region whose spreadsheets split at them) and vCard, an import every address book Moravel
 * reads. path (PATH_SIZE bytes) is the initial and resulting name, whose extension says the
 * format. The file type left chosen (from 1), or 0 when no file was chosen. */
int ChooseDirectoryFile(HWND window, char* path, int mode);
/* Tests answer that dialog here (mode is a DirectoryDialogMode) instead of a person. */
void SetDirectoryDialogHook(FileDialogHook hook);

void OnExportDirectory(HWND mainWindow);
void OnImportDirectory(HWND mainWindow);

#endif
