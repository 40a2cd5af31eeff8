/* The document commands of the File menu and the one place that marks the document changed. */
#ifndef MORAVEL_FILE_COMMANDS_WIN_H
#define MORAVEL_FILE_COMMANDS_WIN_H

#include <windows.h>

enum FileDialogMode { DIALOG_OPEN = 0, DIALOG_SAVE = 1, DIALOG_SAVE_AS = 2 };

/* The common file dialog for mode; path is the initial and resulting name (PATH_SIZE bytes).
 * Non-zero when a file was chosen. */
int ChooseSettingFile(HWND window, char* path, int mode);

/* Tests answer the file dialog here instead of a person. */
typedef int (*FileDialogHook)(HWND owner, char* path, int size, int mode, const char* title);
void SetFileDialogHook(FileDialogHook hook);

/* Save and Save As with their outcome: done, cancelled by the user, or failed (reported). */
enum SaveResult { SAVE_FAILED = -1, SAVE_CANCELLED = 0, SAVE_DONE = 1 };
int SaveDocument(HWND window);
int SaveDocumentAs(HWND window);

void OnOpen(HWND window);
void OnSave(HWND window);
void OnSaveAs(HWND window);

/* Writes the image to the hidden backup file next to the program; 1 or 0 (not reported). */
int WriteBackupFile();

/* Every change the user makes to the document goes through here, so leaving asks to save. */
void MarkDocumentChanged();

#endif
