/*
 * The common file dialog for setting data files (Open, Save, Save As), the one seam through
 * which every file name is asked for, so tests answer it instead of a person.
 */
#ifndef MORAVEL_UI_FILE_DIALOG_WIN_H
#define MORAVEL_UI_FILE_DIALOG_WIN_H

#include <windows.h>

enum FileDialogMode { DIALOG_OPEN = 0, DIALOG_SAVE = 1, DIALOG_SAVE_AS = 2 };

/* The common file dialog for mode; path is the initial and resulting name (PATH_SIZE bytes),
 * or, ending in a backslash, the folder to start in. Non-zero when a file was chosen. */
int ChooseSettingFile(HWND window, char* path, int mode);

/* The system's Open (saving 0) or Save dialog: `filter` is the double-NUL-ended list of display
 * texts and patterns, *filterIndex the one shown first (from 1) and, when a file was chosen,
 * the one the user left chosen; `extension` the one a name typed without one gets. `path`
 * (PATH_SIZE bytes) is the initial and resulting name; non-zero when a file was chosen. Every
 * file dialog of the program goes through here. */
int RunFileDialog(HWND owner, char* path, const char* title, const char* filter, int* filterIndex,
                  const char* extension, int saving);

/* Tests answer the setting file dialog here instead of a person. */
typedef int (*FileDialogHook)(HWND owner, char* path, int size, int mode, const char* title);
void SetFileDialogHook(FileDialogHook hook);

#endif
