/* File, Export Dial Directory... and Import Dial Directory...: the dial directory as a CSV file
 * or as address cards (vCard), chosen by the file type in the file dialog. The formats and
 * their checks are portable (dial_csv.h, dial_vcard.h); this applies them to the document. */
#ifndef MORAVEL_DIAL_TRANSFER_WIN_H
#define MORAVEL_DIAL_TRANSFER_WIN_H

#include <windows.h>

#include "ui/file_dialog_win.h"

enum DirectoryDialogMode { DIRECTORY_EXPORT = 0, DIRECTORY_IMPORT = 1 };

/* The common file dialog of the two commands, offering CSV and vCard; path (PATH_SIZE bytes)
 * is the initial and resulting name, whose extension says the format. Non-zero when a file was
 * chosen. */
int ChooseDirectoryFile(HWND window, char* path, int mode);
/* Tests answer that dialog here (mode is a DirectoryDialogMode) instead of a person. */
void SetDirectoryDialogHook(FileDialogHook hook);

void OnExportDirectory(HWND mainWindow);
void OnImportDirectory(HWND mainWindow);

#endif
