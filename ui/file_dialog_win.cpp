/* The common file dialog. See file_dialog_win.h. */
#include "ui/file_dialog_win.h"

#include <commdlg.h>

#include <cstring>

#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/ui_win.h"

namespace {
FileDialogHook gFileDialogHook = nullptr;
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

    int index = 1;
    return RunFileDialog(window, path, title, filter, &index, extension, mode != DIALOG_OPEN);
}

int RunFileDialog(HWND owner, char* path, const char* title, const char* filter, int* filterIndex,
                  const char* extension, int saving)
{
    /* A path that ends in a backslash is a folder to start in, with no name given yet. */
    char file[PATH_SIZE], folder[PATH_SIZE] = "";
    lstrcpynA(file, path, sizeof file);
    const size_t length = std::strlen(file);
    if (length && file[length - 1] == '\\') {
        lstrcpynA(folder, file, sizeof folder);
        file[0] = '\0';
    }
    OPENFILENAMEA ofn = {};
    ofn.lpstrInitialDir = folder[0] ? folder : nullptr;
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = static_cast<DWORD>(*filterIndex);
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = title;
    /* The dialog puts the chosen type's own extension on a name typed without one. */
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_LONGNAMES;
    BOOL chosen;
    /* The dialog shows the shell's folders, which need COM. */
    EnsureCom();
    if (!saving) {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameA(&ofn);
    } else {
        /* New files are what saving is for: the name need not exist yet. */
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        chosen = GetSaveFileNameA(&ofn);
    }
    if (!chosen)
        return 0;
    lstrcpynA(path, file, PATH_SIZE);
    *filterIndex = static_cast<int>(ofn.nFilterIndex);
    return 1;
}
