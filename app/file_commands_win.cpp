/*
 * Open, Save and Save As, the backup file, and the window steps around new data. What is read
 * and written is the document's (document/document.h); this file asks for names and shows the
 * outcome.
 */
#include "app/file_commands_win.h"

#include "app/frame_win.h"
#include "app/program_win.h"
#include "device/setting_file.h"
#include "device/setting_file_io.h"
#include "document/device_history_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/device_changes_win.h"
#include "ui/file_dialog_win.h"
#include "ui/frame_seam_win.h"
#include "ui/ui_win.h"

namespace {

/* Writes the document to path. A failed write is reported and keeps the changes marked as
 * unsaved, so leaving the program still asks. */
int SaveTo(HWND window, const char* path)
{
    if (!WriteDocumentFile(gDocument, path)) {
        ShowMessageId(window, IDS_DEVICE_RW_FAILED, MB_OK | MB_ICONERROR);
        return 0;
    }
    gDocument.modified = 0;
    return 1;
}

}  // namespace

namespace {

/* Open from `start` (a file, or a folder ending in a backslash). */
void OpenFrom(HWND window, const char* start)
{
    char path[PATH_SIZE];
    lstrcpynA(path, start, sizeof path);
    if (!ChooseSettingFile(window, path, DIALOG_OPEN))
        return;
    /* A file that cannot be read leaves the data that is there, and its access, alone. */
    if (!ReadDocumentFile(gDocument, path)) {
        ShowMessageId(window, IDS_DEVICE_RW_FAILED, MB_OK);
        ResetStatusTitle();
        return;
    }
    RemoveStaleSaveFile(path);
    gDocument.dataPresent = 1;
    SetDocumentPath(gDocument, path);
    TakeNewImage(gDocument, static_cast<int>(gApp.quickKeyCount));
    TakeNewData(window);
    NameDocument(gDocument, path);
    SetCaptionFromTitle();
    gDocument.modified = 0;
}

const char* FileName(const char* path)
{
    const char* name = path;
    for (const char* c = path; *c; c++)
        if (*c == '\\' || *c == '/' || *c == ':')
            name = c + 1;
    return name;
}

}  // namespace

void OnOpen(HWND window) { OpenFrom(window, gDocument.path); }

void OnDeviceHistory(HWND window)
{
    char folder[PATH_SIZE];
    if (!HistoryFolder(folder, sizeof folder - 1, 1))
        folder[0] = '\0';
    else
        lstrcatA(folder, "\\");
    OpenFrom(window, folder);
}

void OnCompareFile(HWND window)
{
    char path[PATH_SIZE];
    lstrcpynA(path, gDocument.path, sizeof path);
    if (!ChooseSettingFile(window, path, DIALOG_OPEN))
        return;
    DeviceImage file = {nullptr};
    if (!CreateDeviceImage(file) || !ReadSettingFile(file, path)) {
        ReleaseDeviceImage(file);
        ShowMessageId(window, IDS_DEVICE_RW_FAILED, MB_OK);
        return;
    }
    const std::vector<ItemChange> changes =
        ListChanges(file, gDocument.image, {gApp.model == MODEL_A3});
    ReleaseDeviceImage(file);
    RunChangesDialog(window, changes, CHANGES_FILE, FileName(path));
}

int SaveDocument(HWND window)
{
    char path[PATH_SIZE];
    lstrcpynA(path, gDocument.path, sizeof path);
    if (IsUntitledDocument(gDocument) && !ChooseSettingFile(window, path, DIALOG_SAVE))
        return SAVE_CANCELLED;
    /* As in Save As: only a written file gives the document its name. */
    if (!SaveTo(window, path))
        return SAVE_FAILED;
    SetDocumentPath(gDocument, path);
    return SAVE_DONE;
}

int SaveDocumentAs(HWND window)
{
    char path[PATH_SIZE];
    lstrcpynA(path, gDocument.path, sizeof path);
    if (!ChooseSettingFile(window, path, DIALOG_SAVE_AS))
        return SAVE_CANCELLED;
    /* A name whose file could not be written is not the document's: the next Save would write
     * there without asking. */
    if (!SaveTo(window, path))
        return SAVE_FAILED;
    NameDocument(gDocument, path);
    SetCaptionFromTitle();
    return SAVE_DONE;
}

void OnSave(HWND window) { SaveDocument(window); }

void OnSaveAs(HWND window) { SaveDocumentAs(window); }

int WriteBackupFile()
{
    char backup[MAX_PATH];
    BackupPath(backup, sizeof backup);
    if (!WriteSettingFile(gDocument.image, backup))
        return 0;
    SetFileHiddenOnly(backup);
    return 1;
}

void InitDocumentData(HWND mainWindow)
{
    gApp.mainWindow = mainWindow;
    CreateDeviceImage(gDocument.image);
    char backup[MAX_PATH];
    /* A save that a crash cut short leaves its temporary file; the file itself is whole. */
    RemoveStaleSaveFile(BackupPath(backup, sizeof backup));
    ReadSettingFile(gDocument.image, backup);
    RevertEdits(gDocument);
    gDocument.dataPresent = 0;
    gApp.treePaneWidth = 0;
}

void TakeNewData(HWND window)
{
    CompleteFrameParts(window);
    StartPollTimer();
    SelectTreeItem(VIEW_DEVICE);
    RefreshUiState();
    EnableWindow(AsWindow(gApp.tree), TRUE);
    EnableWindow(AsWindow(gApp.dialList), TRUE);
    SetDeviceItemText(gDocument.edit.properties.deviceName);
    WriteBackupFile();
    ShowConnectionText();
    LayoutPanes(window);
}
