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
#include "dial/address_book.h"
#include "dial/address_import_win.h"
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

/* The separator of the region's spreadsheets, offered beside the comma when it differs. */
char RegionSeparator()
{
    char decimal[8] = "", list[8] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, list, sizeof list);
    return RegionalCsvSeparator(decimal, list);
}

/* "name\0pattern\0name\0pattern\0\0", the form the common dialog takes: for an export the CSV
 * file (then, in a region that splits at semicolons, the same with them) and the cards; for an
 * import every address book first, then each kind. */
std::string FilterText(int mode)
{
    std::vector<int> ids;
    if (mode == DIRECTORY_EXPORT) {
        ids = {IDS_DIRECTORY_FILTER_CSV, IDS_DIRECTORY_PATTERN_CSV};
        if (RegionSeparator() == ';')
            ids.insert(ids.end(), {IDS_DIRECTORY_FILTER_CSV_SEMICOLON, IDS_DIRECTORY_PATTERN_CSV});
        ids.insert(ids.end(), {IDS_DIRECTORY_FILTER_VCARD, IDS_DIRECTORY_PATTERN_VCARD});
    } else {
        ids = {IDS_DIRECTORY_FILTER_BOOKS, IDS_DIRECTORY_PATTERN_BOOKS,
               IDS_DIRECTORY_FILTER_CSV,   IDS_DIRECTORY_PATTERN_CSV,
               IDS_DIRECTORY_FILTER_VCARD, IDS_DIRECTORY_PATTERN_VCARD,
               IDS_DIRECTORY_FILTER_LDIF,  IDS_DIRECTORY_PATTERN_LDIF};
    }
    std::string filter;
    for (int id : ids) {
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

/* An address book of another program: nothing changes before its preview's Import. */
void ImportBook(HWND window, const AddressBook& book)
{
    if (book.format == BOOK_UNREADABLE) {
        ShowMessage(window, DescribeProblem(book.problem, LoadText).c_str(),
                    MB_OK | MB_ICONERROR);
        return;
    }
    auto result = std::make_unique<EditState>();
    if (RunImportPreview(window, book, gDocument.edit, KeyCount(), result.get()) > 0)
        TakeDirectory(*result);
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

    const std::string filter = FilterText(mode);
    const std::string extension = LoadText(IDS_DIRECTORY_EXT_CSV);
    int index = 1;
    if (mode == DIRECTORY_EXPORT && IsVcardPath(path))
        index = RegionSeparator() == ';' ? 3 : 2;
    if (!RunFileDialog(window, path, title.c_str(), filter.c_str(), &index, extension.c_str(),
                       mode == DIRECTORY_EXPORT))
        return 0;
    return index;
}

void OnExportDirectory(HWND window)
{
    char path[PATH_SIZE];
    lstrcpynA(path,
              ExportFileName(gDocument.title, LoadText(IDS_DIRECTORY_EXT_CSV).c_str()).c_str(),
              sizeof path);
    const int chosen = ChooseDirectoryFile(window, path, DIRECTORY_EXPORT);
    if (!chosen)
        return;
    // The second type is the semicolon CSV where the region offers it.
    const char separator = chosen == 2 && RegionSeparator() == ';' ? ';' : ',';
    const std::string bytes = IsVcardPath(path)
                                  ? ExportDirectoryVcards(gDocument.edit, KeyCount())
                                  : ExportDirectoryCsv(gDocument.edit, KeyCount(), separator);
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
    if (IsVcardPath(path)) {
        ImportBook(window, ReadVcardBook(bytes.data(), size));
    } else if (IsLdifPath(path)) {
        ImportBook(window, ReadLdif(bytes.data(), size));
    } else {
        // The directory's own CSV replaces the directory; any other is an address book.
        const AddressBook book = ReadAddressBookCsv(bytes.data(), size);
        if (book.format == BOOK_DIRECTORY)
            ImportCsv(window, bytes, size);
        else
            ImportBook(window, book);
    }
}
