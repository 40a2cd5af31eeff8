/*
 * Open, Save and Save As: the common file dialog, the document's path and title, and the
 * window steps around reading a setting data file.
 */
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "app/file_commands_win.h"
#include "app/frame_win.h"
#include "app/ui_win.h"
#include "device/device_image.h"
#include "device/setting_file.h"
#include "resources/resource_ids.h"

namespace {

FileDialogHook gFileDialogHook = nullptr;

/* Name and extension of path. */
void TitleOf(const char* path, char* title, int size)
{
    const char* name = path;
    for (const char* p = path; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    lstrcpynA(title, name, size);
}

void SetDocumentTitle(const char* path)
{
    TitleOf(path, gApp.currentTitle, sizeof gApp.currentTitle);
    SetCaptionFromTitle();
}

/* Stores the edit state and writes the document to path. A failed write is reported and keeps
 * the changes marked as unsaved, so leaving the program still asks. */
int SaveTo(HWND window, const char* path)
{
    StoreEditState();
    if (!WriteSettingFile(path)) {
        ShowMessageId(window, IDS_DEVICE_RW_FAILED, MB_OK | MB_ICONERROR);
        return 0;
    }
    gApp.modified = 0;
    return 1;
}

}

void SetFileDialogHook(FileDialogHook hook) { gFileDialogHook = hook; }

int ChooseSettingFile(HWND window, char* path, int mode)
{
    static const int TITLES[] = {IDS_TIP_OPEN, IDS_TIP_SAVE, IDS_TITLE_SAVE_AS};
    if (mode < DIALOG_OPEN || mode > DIALOG_SAVE_AS)
        return 0;
    char title[TITLE_SIZE];
    LoadStr(TITLES[mode], title, sizeof title);
    if (gFileDialogHook)
        return gFileDialogHook(window, path, PATH_SIZE, mode, title);

    /* Filter: display text, pattern, and the empty string that closes the list. */
    char name[TITLE_SIZE], pattern[32], extension[16];
    LoadStr(IDS_FILE_FILTER_NAME, name, sizeof name);
    LoadStr(IDS_FILE_FILTER_PATTERN, pattern, sizeof pattern);
    LoadStr(IDS_FILE_DEFAULT_EXT, extension, sizeof extension);
    char filter[sizeof name + sizeof pattern + 1];
    const size_t nameLength = std::strlen(name) + 1;
    const size_t patternLength = std::strlen(pattern) + 1;
    std::memcpy(filter, name, nameLength);
    std::memcpy(filter + nameLength, pattern, patternLength);
    filter[nameLength + patternLength] = '\0';

    char file[PATH_SIZE];
    lstrcpynA(file, path, sizeof file);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_LONGNAMES;
    BOOL chosen;
    if (mode == DIALOG_OPEN) {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameA(&ofn);
    } else {
        /* New files are what Save As is for: the name need not exist yet. */
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        chosen = GetSaveFileNameA(&ofn);
    }
    if (!chosen)
        return 0;
    lstrcpynA(path, file, PATH_SIZE);
    return 1;
}

void OnOpen(HWND window)
{
    char path[PATH_SIZE];
    lstrcpynA(path, gApp.currentPath, sizeof path);
    if (!ChooseSettingFile(window, path, DIALOG_OPEN))
        return;
    /* A file that cannot be read leaves the data that is there, and its access, alone. */
    if (!ReadSettingFile(path)) {
        ShowMessageId(window, IDS_DEVICE_RW_FAILED, MB_OK);
        ResetStatusTitle();
        return;
    }
    gApp.dataPresent = 1;
    lstrcpynA(gApp.currentPath, path, sizeof gApp.currentPath);
    TakeNewData(window);
    SetDocumentTitle(path);
    gApp.modified = 0;
}

int SaveDocument(HWND window)
{
    char path[PATH_SIZE];
    lstrcpynA(path, gApp.currentPath, sizeof path);
    if (IsUntitledDocument(gApp) && !ChooseSettingFile(window, path, DIALOG_SAVE))
        return SAVE_CANCELLED;
    /* As in Save As: only a written file gives the document its name. */
    if (!SaveTo(window, path))
        return SAVE_FAILED;
    lstrcpynA(gApp.currentPath, path, sizeof gApp.currentPath);
    return SAVE_DONE;
}

int SaveDocumentAs(HWND window)
{
    char path[PATH_SIZE];
    lstrcpynA(path, gApp.currentPath, sizeof path);
    if (!ChooseSettingFile(window, path, DIALOG_SAVE_AS))
        return SAVE_CANCELLED;
    /* A name whose file could not be written is not the document's: the next Save would write
     * there without asking. */
    if (!SaveTo(window, path))
        return SAVE_FAILED;
    lstrcpynA(gApp.currentPath, path, sizeof gApp.currentPath);
    SetDocumentTitle(path);
    return SAVE_DONE;
}

void OnSave(HWND window) { SaveDocument(window); }

void OnSaveAs(HWND window) { SaveDocumentAs(window); }

int WriteBackupFile()
{
    char backup[MAX_PATH];
    BackupPath(backup, sizeof backup);
    if (!WriteSettingFile(backup))
        return 0;
    SetFileHiddenOnly(backup);
    return 1;
}

void MarkDocumentChanged() { gApp.modified = 1; }
