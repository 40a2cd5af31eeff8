/*
 * The common file dialog for setting data files (Open, Save, Save As), the one seam through
 * which every file name is asked for, so tests answer it instead of a person.
 */
#ifndef MORAVEL_UI_FILE_DIALOG_WIN_H
#define MORAVEL_UI_FILE_DIALOG_WIN_H

#include <windows.h>

enum FileDialogMode { DIALOG_OPEN = 0, DIALOG_SAVE = 1, DIALOG_SAVE_AS = 2 };

/* The common file dialog for mode; path is the initial and resulting name (PATH_SIZE bytes).
 * Non-zero when a file was chosen. */
int ChooseSettingFile(HWND window, char* path, int mode);

/* Tests answer the file dialog here instead of a person. */
typedef int (*FileDialogHook)(HWND owner, char* path, int size, int mode, const char* title);
void SetFileDialogHook(FileDialogHook hook);

#endif
