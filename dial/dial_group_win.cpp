/*
 * The group dialog (template 742), a dialog of the binding frame over a GroupForm of its own: the
 * group's name is bound, and its members in "Group to Edit" and the Quick Dial and Speed Dial
 * entries that may join are three report lists the dialog keeps itself (every row carries its
 * entry's index as item data). What may join, what the buttons do and what OK stores is decided
 * in dial_group.cpp; this file keeps the lists in step with those decisions. The lists are the
 * one part the binding frame has no kind for: member lists whose rows move between them.
 */
#include "dial/dial_editors_win.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "dial/dial_group.h"
#include "dial/dial_rows.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/form_dialog_win.h"
#include "ui/pictures_win.h"
#include "ui/ui_win.h"

namespace {

constexpr int NUMBER_WIDTH = 50;
constexpr int NAME_WIDTH = 120;

/* What the dialog edits. */
struct GroupForm {
    DialRecord group;
    GroupMembers members;
    int index;
    HIMAGELIST images;
};

const TextOptions NAME = {DIAL_NAME_MAX, FILTER_NAME, 0, 1, 0};
const Binding BINDINGS[] = {
    Text(IDC_GROUP_NAME, RECORD_FIELD(GroupForm, group.name), NAME),
};

GroupForm& Group(FormDialog& dialog) { return *static_cast<GroupForm*>(dialog.form.record); }
const GroupForm& Group(const FormDialog& dialog)
{
    return *static_cast<const GroupForm*>(dialog.form.record);
}

HWND List(HWND dialog, int id) { return GetDlgItem(dialog, id); }

int KeyCount() { return gApp.quickKeyCount < 30u ? static_cast<int>(gApp.quickKeyCount) : 30; }

/* A row of the three lists: number, picture and name (or "PROGRAM DIAL"); the item data is the
 * entry's index, so the rows can be sorted by their number text. */
void AddRow(HWND list, int table, int index, int at)
{
    DialRecord entry;
    const DialMember member = {static_cast<uint8_t>(table), static_cast<uint8_t>(index)};
    DecodeMember(&entry, member, gDocument.edit);
    const int speed = table == MEMBER_TABLE_SPEED;
    char number[8], name[64];
    std::snprintf(number, sizeof number, "%02d", speed ? index : index + 1);
    if (entry.programDial)
        LoadStr(IDS_PROGRAM_DIAL, name, sizeof name);
    else
        lstrcpynA(name, entry.name, sizeof name);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = at;
    item.pszText = number;
    item.lParam = index;
    item.iImage = entry.destType == DEST_EMAIL ? (speed ? IMAGE_SPEED_EMAIL : IMAGE_QUICK_EMAIL)
                                               : (speed ? IMAGE_SPEED_FAX : IMAGE_QUICK_FAX);
    const int row =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMA cell = {};
    cell.iSubItem = 1;
    cell.pszText = name;
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

int RowIndex(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<int>(item.lParam);
}

bool Selected(HWND list, int row)
{
    return SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
}

/* The entries of the selected rows, in list order. */
int SelectedIndexes(HWND list, int* out, int room)
{
    int n = 0;
    for (int row = 0; row < RowCount(list) && n < room; row++)
        if (Selected(list, row))
            out[n++] = RowIndex(list, row);
    return n;
}

void DeleteRowOf(HWND list, int index)
{
    for (int row = RowCount(list) - 1; row >= 0; row--)
        if (RowIndex(list, row) == index)
            SendMessageA(list, LVM_DELETEITEM, row, 0);
}

void FillMembers(HWND dialog, const GroupMembers& members)
{
    HWND list = List(dialog, IDC_GROUP_MEMBERS);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    int at = 0;
    for (int k = 0; k < members.quickCount; k++)
        AddRow(list, MEMBER_TABLE_QUICK, members.quick[k].index, at++);
    for (int k = 0; k < members.speedCount; k++)
        AddRow(list, MEMBER_TABLE_SPEED, members.speed[k].index, at++);
}

void FillCandidates(HWND dialog, const GroupForm& form)
{
    HWND quick = List(dialog, IDC_GROUP_QUICK_LIST);
    HWND speed = List(dialog, IDC_GROUP_SPEED_LIST);
    SendMessageA(quick, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(speed, LVM_DELETEALLITEMS, 0, 0);
    for (int key = 0; key < KeyCount(); key++)
        if (IsQuickCandidate(gDocument.edit, key, form.index, form.members))
            AddRow(quick, MEMBER_TABLE_QUICK, key, key);
    for (int entry = 0; entry < SPEED_DIAL_COUNT; entry++)
        if (IsSpeedCandidate(gDocument.edit, entry, form.members))
            AddRow(speed, MEMBER_TABLE_SPEED, entry, entry);
}

void SetUpList(HWND list, HIMAGELIST images)
{
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const int headers[] = {IDS_COL_NO, IDS_COL_NAME};
    const int widths[] = {NUMBER_WIDTH, NAME_WIDTH};
    for (int c = 0; c < 2; c++) {
        char text[64];
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.cx = widths[c];
        column.pszText = const_cast<char*>(LoadStr(headers[c], text, sizeof text));
        column.iSubItem = c;
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
}

void OnAddQuick(FormDialog& dialog)
{
    GroupForm& form = Group(dialog);
    HWND list = List(dialog.form.window, IDC_GROUP_QUICK_LIST);
    int keys[QUICK_KEY_COUNT];
    const int selected = SelectedIndexes(list, keys, QUICK_KEY_COUNT);
    const int added = AddQuickMembers(&form.members, keys, selected);
    for (int i = 0; i < added; i++)
        DeleteRowOf(list, keys[i]);
    FillMembers(dialog.form.window, form.members);
}

void OnAddSpeed(FormDialog& dialog)
{
    GroupForm& form = Group(dialog);
    HWND list = List(dialog.form.window, IDC_GROUP_SPEED_LIST);
    int entries[SPEED_DIAL_COUNT];
    const int selected = SelectedIndexes(list, entries, SPEED_DIAL_COUNT);
    const int added = AddSpeedMembers(&form.members, entries, selected);
    for (int i = 0; i < added; i++)
        DeleteRowOf(list, entries[i]);
    FillMembers(dialog.form.window, form.members);
}

void OnRemove(FormDialog& dialog)
{
    GroupForm& form = Group(dialog);
    HWND window = dialog.form.window;
    HWND list = List(window, IDC_GROUP_MEMBERS);
    int rows[GROUP_LIST_ROOM * 2];
    int count = 0;
    for (int row = 0; row < RowCount(list) && count < GROUP_LIST_ROOM * 2; row++)
        if (Selected(list, row))
            rows[count++] = row;
    int keys[GROUP_LIST_ROOM], entries[GROUP_LIST_ROOM], keyCount = 0, entryCount = 0;
    RemoveMemberRows(&form.members, rows, count, keys, &keyCount, entries, &entryCount);
    /* Back into the candidate lists, which sort them by number; an entry that cannot join
     * (emptied since the group was stored, say) is simply gone from the group. */
    for (int i = 0; i < keyCount; i++)
        if (IsQuickCandidate(gDocument.edit, keys[i], form.index, form.members))
            AddRow(List(window, IDC_GROUP_QUICK_LIST), MEMBER_TABLE_QUICK, keys[i], 0);
    for (int i = 0; i < entryCount; i++)
        if (IsSpeedCandidate(gDocument.edit, entries[i], form.members))
            AddRow(List(window, IDC_GROUP_SPEED_LIST), MEMBER_TABLE_SPEED, entries[i], 0);
    FillMembers(window, form.members);
}

int Init(FormDialog& dialog)
{
    GroupForm& form = Group(dialog);
    HWND window = dialog.form.window;
    char prefix[64], title[96];
    LoadStr(IDS_TITLE_GROUP_DIAL, prefix, sizeof prefix);
    std::snprintf(title, sizeof title, "%s%02d", prefix, form.index + 1);
    SetWindowTextA(window, title);
    form.images = CreateListPictures(WindowDpi(window));
    for (int id : {IDC_GROUP_QUICK_LIST, IDC_GROUP_MEMBERS, IDC_GROUP_SPEED_LIST})
        SetUpList(List(window, id), form.images);
    FillMembers(window, form.members);
    FillCandidates(window, form);
    return IDOK;
}

int Command(FormDialog& dialog, int control, int)
{
    switch (control) {
    case IDC_GROUP_ADD_QUICK:
        OnAddQuick(dialog);
        break;
    case IDC_GROUP_ADD_SPEED:
        OnAddSpeed(dialog);
        break;
    case IDC_GROUP_REMOVE:
        OnRemove(dialog);
        break;
    }
    return 0;
}

LRESULT Notify(FormDialog& dialog, const NMHDR* header)
{
    const bool deleteKey = header->code == LVN_KEYDOWN &&
                           reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_DELETE;
    switch (header->idFrom) {
    case IDC_GROUP_QUICK_LIST:
        if (header->code == NM_DBLCLK)
            OnAddQuick(dialog);
        break;
    case IDC_GROUP_SPEED_LIST:
        if (header->code == NM_DBLCLK)
            OnAddSpeed(dialog);
        break;
    case IDC_GROUP_MEMBERS:
        if (header->code == NM_DBLCLK || deleteKey)
            OnRemove(dialog);
        break;
    }
    return 0;
}

/* Only a problem with the name has a field to focus. */
CheckResult Check(const FormDialog& dialog)
{
    const GroupForm& form = Group(dialog);
    const GroupProblem problem = CheckGroupForm(form.group.name, form.members);
    return Found({problem.message, problem.control == IDC_GROUP_NAME ? IDC_GROUP_NAME : 0, 0, 0});
}

INT_PTR Ok(FormDialog& dialog)
{
    GroupForm& form = Group(dialog);
    SaveGroupForm(gDocument.edit, &form.group, form.index, form.members,
                  static_cast<int>(gApp.quickKeyCount), MakeEntryDate());
    CommitEdits(gDocument);
    MarkDocumentChanged(gDocument);
    static_cast<DialEdit*>(dialog.context)->stored = 1;
    return 0;
}

/* The lists are gone with the dialog: their pictures can go too. */
void Destroy(FormDialog& dialog)
{
    GroupForm& form = Group(dialog);
    ImageList_Destroy(form.images);
    form.images = nullptr;
}

const FormDialogDef GROUP_DIALOG = Dialog(IDD_GROUP, Table(BINDINGS))
                                       .Centred()
                                       .Init(Init)
                                       .Command(Command)
                                       .Notify(Notify)
                                       .Check(Check)
                                       .Ok(Ok)
                                       .Destroy(Destroy);

}  // namespace

int GroupDialog(HWND owner, int index, int empty, DialEdit* edit)
{
    GroupForm form = {};
    form.index = index;
    DialRecord key;
    DecodeGroupKey(&key, gDocument.edit, index);
    if (!empty && key.high && DecodeGroupKey(&form.group, gDocument.edit, index) &&
        form.group.kind == KIND_GROUP)
        form.members = MembersOfGroup(form.group);
    else
        std::memset(&form.group, 0, sizeof form.group);
    DialEdit unused = {};
    RunFormDialog(owner, GROUP_DIALOG, &form, 0, edit ? edit : &unused);
    return 0;
}
