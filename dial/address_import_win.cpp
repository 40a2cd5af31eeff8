/*
 * The Import Address Book preview. The plan is made anew whenever a choice changes (a column,
 * Quick Dial keys, taking what fits), so what the list shows is exactly what Import does.
 */
#include "dial/address_import_win.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "dial/address_import.h"
#include "dial/dial_text.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/controls_win.h"
#include "ui/form_dialog_win.h"
#include "ui/ui_win.h"

namespace {

constexpr int LONG_TEXT_SIZE = 1024;

/* The form shows the address book's names as they are, in UTF-8: its own texts, in the ANSI
 * code page like every text of the program, join them in UTF-8 too. */
std::string LoadText(int id)
{
    char text[LONG_TEXT_SIZE];
    LoadStr(static_cast<UINT>(id), text, sizeof text);
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], n);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &utf8[0], size, nullptr, nullptr);
    utf8.resize(size > 0 ? static_cast<size_t>(size - 1) : 0);
    return utf8;
}

/* The dialog's choices, bound to its controls, and the facts its rules enable by. */
struct PreviewForm {
    uint8_t useQuickKeys;
    uint8_t takeWhatFits;
    uint8_t unknownColumns;
    uint8_t overflow;
    uint8_t canImport;
};

struct Preview {
    const AddressBook* book;
    const EditState* current;
    int keyCount;
    uint16_t date;
    ColumnChoice columns;
    ImportPlan plan;
    EditState* result;
};

#define FORM_FIELD(member) RECORD_FIELD(PreviewForm, member)

const Binding BINDINGS[] = {
    CheckBox(IDC_IMPORT_USE_QUICK, FORM_FIELD(useQuickKeys), 1),
    CheckBox(IDC_IMPORT_TAKE_FIT, FORM_FIELD(takeWhatFits), 1),
};
const int COLUMN_CONTROLS[] = {
    IDC_IMPORT_COLUMNS_FRAME, IDC_IMPORT_NAME_LABEL,  IDC_IMPORT_NAME_COLUMN, IDC_IMPORT_FAX_LABEL,
    IDC_IMPORT_FAX_COLUMN,    IDC_IMPORT_EMAIL_LABEL, IDC_IMPORT_EMAIL_COLUMN};
const int TAKE_FIT[] = {IDC_IMPORT_TAKE_FIT};
const int IMPORT[] = {IDOK};
const ControlRule ENABLES[] = {
    ControlsWhen(COLUMN_CONTROLS, WhenEqual(FORM_FIELD(unknownColumns), 1)),
    ControlsWhen(TAKE_FIT, WhenEqual(FORM_FIELD(overflow), 1)),
    ControlsWhen(IMPORT, WhenEqual(FORM_FIELD(canImport), 1)),
};

PreviewForm& Work(FormDialog& dialog) { return *static_cast<PreviewForm*>(dialog.form.record); }
Preview& Of(FormDialog& dialog) { return *static_cast<Preview*>(dialog.context); }

std::wstring Wide(const std::string& utf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring out(n > 0 ? n : 1, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &out[0], n);
    out.resize(wcslen(out.c_str()));
    return out;
}

/* File texts (UTF-8) go in as they are, whatever the program's code page. */
void SetCell(HWND list, int row, int column, const std::string& utf8)
{
    std::wstring text = Wide(utf8);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = &text[0];
    if (column == 0) {
        item.mask = LVIF_TEXT;
        item.iItem = row;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    } else {
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }
}

constexpr int COLUMNS = 4;
const int COLUMN_TITLES[COLUMNS] = {IDS_ADDRESS_COL_LINE, IDS_ADDRESS_COL_NAME,
                                    IDS_ADDRESS_COL_DESTINATION, IDS_ADDRESS_COL_BECOMES};

void FillColumnChoice(HWND dialog, int combo, const std::vector<std::string>& titles, int chosen)
{
    HWND box = GetDlgItem(dialog, combo);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    SendMessageW(box, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(LoadText(IDS_ADDRESS_COLUMN_NONE)).c_str()));
    for (const std::string& title : titles)
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(title).c_str()));
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(chosen + 1), 0);
}

int ChosenColumn(HWND dialog, int combo)
{
    const LRESULT index = SendDlgItemMessageA(dialog, combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index) - 1;
}

/* The plan for the choices as they stand, shown in full. */
void Replan(FormDialog& dialog)
{
    Preview& p = Of(dialog);
    PreviewForm& form = Work(dialog);
    const std::vector<Contact> contacts = p.book->format == BOOK_UNKNOWN_COLUMNS
                                              ? ContactsFromColumns(*p.book, p.columns)
                                              : p.book->contacts;
    p.plan = PlanAddressImport(contacts, *p.current, p.keyCount, SystemTextEnvironment(), p.date,
                               {form.useQuickKeys, form.takeWhatFits});
    form.overflow = p.plan.fitting < p.plan.passing;
    form.canImport = p.plan.adding > 0;

    HWND window = dialog.form.window;
    HWND list = GetDlgItem(window, IDC_IMPORT_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    for (const PlanRow& r : p.plan.rows) {
        SetCell(list, row, 0, std::to_string(r.line));
        SetCell(list, row, 1, r.name);
        SetCell(list, row, 2, r.destination);
        SetCell(list, row, 3, PlanRowOutcomeText(r, LoadText));
        row++;
    }
    // The last column, the outcome, takes what room is left.
    FitListColumns(list, COLUMN_TITLES, COLUMNS, COLUMNS - 1);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetDlgItemTextW(window, IDC_IMPORT_COUNTS, Wide(PlanCountsText(p.plan, LoadText)).c_str());
    ApplyControlRules(dialog.form);
}

int Init(FormDialog& dialog)
{
    Preview& p = Of(dialog);
    HWND window = dialog.form.window;
    SetDlgItemTextW(window, IDC_IMPORT_FORMAT, Wide(DescribeBookFormat(*p.book, LoadText)).c_str());
    AddListColumns(GetDlgItem(window, IDC_IMPORT_LIST), COLUMN_TITLES, COLUMNS);
    if (p.book->format == BOOK_UNKNOWN_COLUMNS) {
        FillColumnChoice(window, IDC_IMPORT_NAME_COLUMN, p.book->titles, p.columns.name);
        FillColumnChoice(window, IDC_IMPORT_FAX_COLUMN, p.book->titles, p.columns.fax);
        FillColumnChoice(window, IDC_IMPORT_EMAIL_COLUMN, p.book->titles, p.columns.email);
    }
    Replan(dialog);
    return IDC_IMPORT_LIST;
}

int Command(FormDialog& dialog, int control, int code)
{
    if (code != CBN_SELCHANGE)
        return 0;
    Preview& p = Of(dialog);
    HWND window = dialog.form.window;
    if (control == IDC_IMPORT_NAME_COLUMN)
        p.columns.name = ChosenColumn(window, control);
    else if (control == IDC_IMPORT_FAX_COLUMN)
        p.columns.fax = ChosenColumn(window, control);
    else if (control == IDC_IMPORT_EMAIL_COLUMN)
        p.columns.email = ChosenColumn(window, control);
    else
        return 0;
    Replan(dialog);
    return 1;
}

void Edited(FormDialog& dialog, int) { Replan(dialog); }

INT_PTR Ok(FormDialog& dialog)
{
    Preview& p = Of(dialog);
    if (p.plan.adding <= 0)
        return 0;
    return ApplyImportPlan(p.plan, *p.current, p.result);
}

const FormDialogDef PREVIEW = Dialog(IDD_IMPORT_PREVIEW, Table(BINDINGS, ENABLES))
                                  .Centred()
                                  .Init(Init)
                                  .Command(Command)
                                  .Edited(Edited)
                                  .Ok(Ok);

}  // namespace

int RunImportPreview(HWND owner, const AddressBook& book, const EditState& current, int keyCount,
                     EditState* result)
{
    PreviewForm form = {};
    form.unknownColumns = book.format == BOOK_UNKNOWN_COLUMNS;
    auto preview = std::make_unique<Preview>();
    preview->book = &book;
    preview->current = &current;
    preview->keyCount = keyCount;
    preview->date = MakeEntryDate();
    preview->columns = GuessColumns(book.titles);
    preview->result = result;
    const INT_PTR added =
        RunFormDialog(GetAncestor(owner, GA_ROOT), PREVIEW, &form, 0, preview.get());
    return added > 0 ? static_cast<int>(added) : 0;
}
