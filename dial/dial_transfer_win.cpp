/*
 * The dial directory's export and import commands: the file dialog, the whole-file read and
 * write, the message that lists an import's problems, and the window steps after a directory
 * was taken in (lists refilled, image stored, document changed).
 */
#include "dial/dial_transfer_win.h"

#include <commdlg.h>

#include <memory>
#include <string>
#include <vector>

#include "device/setting_file_io.h"
#include "dial/dial_csv.h"
#include "dial/dial_lists_win.h"
#include "dial/dial_text.h"
#include "dial/dial_transfer.h"
#include "dial/dial_vcard.h"
#include "document/dial_records.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/controls_win.h"
#include "ui/frame_seam_win.h"
#include "ui/ui_win.h"

namespace {

FileDialogHook gDirectoryDialogHook = nullptr;

constexpr int LONG_TEXT_SIZE = 1024;

std::string LoadText(int id)
{
    char text[LONG_TEXT_SIZE];
    return LoadStr(static_cast<UINT>(id), text, sizeof text);
}

int KeyCount()
{
    return gApp.quickKeyCount < static_cast<uint32_t>(QUICK_KEY_COUNT)
               ? static_cast<int>(gApp.quickKeyCount)
               : QUICK_KEY_COUNT;
}

/* "name\0pattern\0name\0pattern\0\0", the form the common dialog takes. */
std::string FilterText()
{
    std::string filter;
    for (int id : {IDS_DIRECTORY_FILTER_CSV, IDS_DIRECTORY_PATTERN_CSV, IDS_DIRECTORY_FILTER_VCARD,
                   IDS_DIRECTORY_PATTERN_VCARD}) {
        filter += LoadText(id);
        filter.push_back('\0');
    }
    filter.push_back('\0');
    return filter;
}

/* The directory from `result` becomes the document's: the list shown is filled anew (its row
 * selected again, so the member pane follows), the image stored and the document changed. */
void TakeDirectory(const EditState& result)
{
    gDocument.edit.quickDial = result.quickDial;
    gDocument.edit.speedDial = result.speedDial;
    const int view = static_cast<int>(gApp.currentView);
    if (view >= static_cast<int>(VIEW_QUICK) && view <= static_cast<int>(VIEW_GROUP)) {
        HWND list = AsWindow(gApp.dialList);
        FillDialList(list, view);
        const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        int row = gApp.currentRow;
        if (row < 0 || row >= rows)
            row = 0;
        SelectDialRow(list, row);
        gApp.currentRow = row;
        gApp.selectedRow = row;
    }
    CommitEdits(gDocument);
    MarkDocumentChanged(gDocument);
    RefreshUiState();
}

void ImportCsv(HWND window, const std::vector<uint8_t>& bytes, size_t size)
{
    auto result = std::make_unique<EditState>();
    const DirectoryImport outcome = ImportDirectoryCsv(
        bytes.data(), size, gDocument.edit, KeyCount(), SystemTextEnvironment(), result.get());
    if (!outcome.ok) {
        const std::string text =
            FormatText(LoadText(IDS_IMPORT_REJECTED), {ListProblems(outcome.problems, LoadText)});
        ShowMessage(window, text.c_str(), MB_OK | MB_ICONERROR);
        return;
    }
    TakeDirectory(*result);
}

void ImportCards(HWND window, const std::vector<uint8_t>& bytes, size_t size)
{
    auto result = std::make_unique<EditState>();
    const VcardImport outcome =
        ImportVcards(bytes.data(), size, gDocument.edit, KeyCount(), SystemTextEnvironment(),
                     MakeEntryDate(), result.get());
    if (!outcome.added.empty())
        TakeDirectory(*result);
    const UINT icon =
        outcome.readable && !outcome.added.empty() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION;
    ShowMessage(window, DescribeVcardImport(outcome, LoadText).c_str(), MB_OK | icon);
}

}  // namespace

void SetDirectoryDialogHook(FileDialogHook hook) { gDirectoryDialogHook = hook; }

int ChooseDirectoryFile(HWND window, char* path, int mode)
{
    if (mode != DIRECTORY_EXPORT && mode != DIRECTORY_IMPORT)
        return 0;
    const std::string title = LoadText(mode == DIRECTORY_EXPORT ? IDS_TITLE_EXPORT_DIRECTORY
                                                                : IDS_TITLE_IMPORT_DIRECTORY);
    if (gDirectoryDialogHook)
        return gDirectoryDialogHook(window, path, PATH_SIZE, mode, title.c_str());

    const std::string filter = FilterText();
    const std::string extension = LoadText(IDS_DIRECTORY_EXT_CSV);
    return RunFileDialog(window, path, title.c_str(), filter.c_str(), IsVcardPath(path) ? 2 : 1,
                         extension.c_str(), mode == DIRECTORY_EXPORT);
}

void OnExportDirectory(HWND window)
{
    char path[PATH_SIZE];
    lstrcpynA(path,
              ExportFileName(gDocument.title, LoadText(IDS_DIRECTORY_EXT_CSV).c_str()).c_str(),
              sizeof path);
    if (!ChooseDirectoryFile(window, path, DIRECTORY_EXPORT))
        return;
    const std::string bytes = IsVcardPath(path) ? ExportDirectoryVcards(gDocument.edit, KeyCount())
                                                : ExportDirectoryCsv(gDocument.edit, KeyCount());
    if (!WriteWholeFileSafely(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
        ShowMessageId(window, IDS_EXPORT_FAILED, MB_OK | MB_ICONERROR);
}

void OnImportDirectory(HWND window)
{
    char path[PATH_SIZE] = "";
    if (!ChooseDirectoryFile(window, path, DIRECTORY_IMPORT))
        return;
    std::vector<uint8_t> bytes(DIRECTORY_FILE_MAX);
    size_t size = 0;
    if (!ReadWholeFile(path, bytes.data(), bytes.size(), &size)) {
        ShowMessageId(window, IDS_IMPORT_UNREADABLE, MB_OK | MB_ICONERROR);
        return;
    }
    if (IsVcardPath(path))
        ImportCards(window, bytes, size);
    else
        ImportCsv(window, bytes, size);
}
