/*
 * The change list on screen. See device_changes_win.h.
 */
#include "settings/device_changes_win.h"

#include <commctrl.h>

#include <initializer_list>
#include <map>

#include "resources/resource_ids.h"
#include "ui/accessible_names_win.h"
#include "ui/dialog_template.h"
#include "ui/form_dialog_win.h"
#include "ui/controls_win.h"
#include "ui/ui_win.h"

namespace {

constexpr int STRING_SIZE = 512;
constexpr size_t MOST_REFUSED_LINES = 15;

std::string StringOf(int id)
{
    char text[STRING_SIZE];
    return LoadStr(static_cast<UINT>(id), text, sizeof text);
}

/* Each "%s" of `format` in turn takes the next of `values`. */
std::string FillIn(std::string format, std::initializer_list<std::string> values)
{
    size_t at = 0;
    for (const std::string& value : values) {
        at = format.find("%s", at);
        if (at == std::string::npos)
            break;
        format.replace(at, 2, value);
        at += value.size();
    }
    return format;
}

std::string Ansi(const std::u16string& text)
{
    if (text.empty())
        return "";
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.c_str());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, &out[0], size, nullptr, nullptr);
    return out;
}

/* The templates the words come from, read once each from the resources: no window is made, so
 * the command line can use them too. */
struct Templates {
    std::map<int, DialogTemplate> dialogs;

    const DialogTemplate& Get(int templateId)
    {
        auto found = dialogs.find(templateId);
        if (found != dialogs.end())
            return found->second;
        DialogTemplate& dialog = dialogs[templateId];
        HINSTANCE module = TemplateModule(templateId);
        HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(templateId), RT_DIALOG);
        HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (bytes)
            ParseDialogTemplate(static_cast<const uint8_t*>(bytes),
                                SizeofResource(module, resource), &dialog);
        return dialog;
    }
};

std::string SourceString(void*, int id) { return StringOf(id); }
std::string SourceCaption(void* context, int templateId)
{
    return Ansi(static_cast<Templates*>(context)->Get(templateId).caption);
}
std::string SourceControl(void* context, int templateId, int control)
{
    const TemplateControl* found =
        FindTemplateControl(static_cast<Templates*>(context)->Get(templateId), control);
    return found ? Ansi(found->text) : "";
}
std::string SourceLabel(void* context, int templateId, int control)
{
    return Ansi(TemplateLabel(static_cast<Templates*>(context)->Get(templateId), control));
}

// ---- The dialog ---------------------------------------------------------------------------

struct ChangesDialog {
    std::vector<ShownChange> rows;
    ChangesPurpose purpose;
    const char* fileName;
};

void SetCell(HWND list, int row, int column, const std::string& text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    if (column == 0) {
        item.mask = LVIF_TEXT;
        item.iItem = row;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    } else {
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }
}

constexpr int COLUMNS = 4;

void FillList(HWND dialog, const ChangesDialog& changes)
{
    HWND list = GetDlgItem(dialog, IDC_CHANGES_LIST);
    const int before = changes.purpose == CHANGES_FILE ? IDS_COL_IN_FILE : IDS_COL_ON_DEVICE;
    const int after = changes.purpose == CHANGES_UPLOAD ? IDS_COL_AFTER_UPLOAD : IDS_COL_IN_MORAVEL;
    const int titles[COLUMNS] = {IDS_COL_WHERE, IDS_COL_SETTING, before, after};
    AddListColumns(list, titles, COLUMNS);
    int row = 0;
    for (const ShownChange& change : changes.rows) {
        SetCell(list, row, 0, change.where);
        SetCell(list, row, 1, change.what);
        SetCell(list, row, 2, change.before);
        SetCell(list, row, 3, change.after);
        row++;
    }
    // Room left over goes to the two value columns.
    FitListColumns(list, titles, COLUMNS, 2);
    ListView_SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
}

/* Nothing differs: the one line says so, the list goes and the buttons move up under it. */
void FoldList(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_CHANGES_LIST);
    RECT listRect, buttonRect;
    GetWindowRect(list, &listRect);
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &buttonRect);
    const int lift = buttonRect.top - listRect.top;
    ShowWindow(list, SW_HIDE);
    for (int id : {IDOK, IDCANCEL}) {
        HWND button = GetDlgItem(dialog, id);
        RECT r;
        GetWindowRect(button, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(button, nullptr, r.left, r.top - lift, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    RECT frame;
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - lift,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void InitChangesDialog(HWND dialog, const ChangesDialog& changes)
{
    const bool none = changes.rows.empty();
    int text = 0;
    switch (changes.purpose) {
    case CHANGES_UPLOAD:
        text = none ? IDS_REVIEW_UPLOAD_NONE : IDS_REVIEW_UPLOAD;
        break;
    case CHANGES_DEVICE:
        text = none ? IDS_REVIEW_DEVICE_NONE : IDS_REVIEW_DEVICE;
        SetWindowTextA(dialog, StringOf(IDS_REVIEW_DEVICE_TITLE).c_str());
        break;
    case CHANGES_FILE:
        text = none ? IDS_REVIEW_FILE_NONE : IDS_REVIEW_FILE;
        SetWindowTextA(dialog, StringOf(IDS_REVIEW_FILE_TITLE).c_str());
        break;
    }
    const std::string line = FillIn(StringOf(text), {changes.fileName ? changes.fileName : ""});
    SetDlgItemTextA(dialog, IDC_CHANGES_TEXT, line.c_str());
    if (changes.purpose != CHANGES_UPLOAD) {
        /* Only a look: one button, Close, the default. */
        ShowWindow(GetDlgItem(dialog, IDOK), SW_HIDE);
        EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
        SetDlgItemTextA(dialog, IDCANCEL, StringOf(IDS_CLOSE).c_str());
        SendMessageA(dialog, DM_SETDEFID, IDCANCEL, 0);
        SendDlgItemMessageA(dialog, IDCANCEL, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
    FillList(dialog, changes);
    if (none)
        FoldList(dialog);
    CentreOnScreen(dialog);
}

INT_PTR CALLBACK ChangesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const ChangesDialog* changes = reinterpret_cast<const ChangesDialog*>(lParam);
        InitChangesDialog(dialog, *changes);
        GiveAccessibleNames(dialog, IDD_CHANGES);
        if (changes->rows.empty() || changes->purpose != CHANGES_UPLOAD) {
            SetFocus(GetDlgItem(dialog, changes->purpose == CHANGES_UPLOAD ? IDOK : IDCANCEL));
            return FALSE;
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

std::vector<ShownChange> ShowChanges(const std::vector<ItemChange>& changes)
{
    Templates templates;
    const WordSource source = {SourceString, SourceCaption, SourceControl, SourceLabel, &templates};
    std::vector<ShownChange> shown;
    for (const ItemChange& change : changes)
        shown.push_back({RenderWords(change.where, source), RenderWords(change.what, source),
                         RenderWords(change.before, source), RenderWords(change.after, source)});
    return shown;
}

INT_PTR RunChangesDialog(HWND owner, const std::vector<ItemChange>& changes, ChangesPurpose purpose,
                         const char* fileName)
{
    ChangesDialog dialog = {ShowChanges(changes), purpose, fileName};
    const INT_PTR result =
        DialogBoxParamA(TemplateModule(IDD_CHANGES), MAKEINTRESOURCEA(IDD_CHANGES), owner,
                        ChangesProc, reinterpret_cast<LPARAM>(&dialog));
    return result == IDOK ? IDOK : IDCANCEL;
}

std::string RefusedMessage(const std::vector<ItemChange>& refused)
{
    const std::vector<ShownChange> shown = ShowChanges(refused);
    const std::string format = StringOf(IDS_REFUSED_LINE);
    std::string lines;
    for (size_t i = 0; i < shown.size() && i < MOST_REFUSED_LINES; i++)
        lines +=
            FillIn(format, {shown[i].where, shown[i].what, shown[i].before, shown[i].after}) + "\n";
    if (shown.size() > MOST_REFUSED_LINES)
        lines += FillIn(StringOf(IDS_REFUSED_MORE),
                        {std::to_string(shown.size() - MOST_REFUSED_LINES)}) +
                 "\n";
    return FillIn(StringOf(IDS_UPLOAD_REFUSED), {lines});
}
