/*
 * The group dialog (template 742): the group's name, its members in "Group to Edit", and the
 * Quick Dial and Speed Dial entries that may join, in three report lists. Every row carries its
 * entry's index as item data. What may join, what the buttons do and what OK stores is decided
 * in dial_group.cpp; this file keeps the lists in step with those decisions.
 */
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "ui/ui_win.h"
#include "document/document.h"
#include "dial/dial_editors_win.h"
#include "ui/controls_win.h"
#include "dial/dial_group.h"
#include "dial/dial_lists_win.h"
#include "dial/dial_rows.h"
#include "resources/resource_ids.h"
#include "ui/pictures_win.h"

namespace {

constexpr int NUMBER_WIDTH = 50;
constexpr int NAME_WIDTH = 120;

struct GroupDialogState {
    int index;
    int empty;
    DialRecord group;
    GroupMembers members;
    HIMAGELIST images;
};
GroupDialogState gGroup;

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

void FillMembers(HWND dialog)
{
    HWND list = List(dialog, IDC_GROUP_MEMBERS);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    int at = 0;
    for (int k = 0; k < gGroup.members.quickCount; k++)
        AddRow(list, MEMBER_TABLE_QUICK, gGroup.members.quick[k].index, at++);
    for (int k = 0; k < gGroup.members.speedCount; k++)
        AddRow(list, MEMBER_TABLE_SPEED, gGroup.members.speed[k].index, at++);
}

void FillCandidates(HWND dialog)
{
    HWND quick = List(dialog, IDC_GROUP_QUICK_LIST);
    HWND speed = List(dialog, IDC_GROUP_SPEED_LIST);
    SendMessageA(quick, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(speed, LVM_DELETEALLITEMS, 0, 0);
    for (int key = 0; key < KeyCount(); key++)
        if (IsQuickCandidate(gDocument.edit, key, gGroup.index, gGroup.members))
            AddRow(quick, MEMBER_TABLE_QUICK, key, key);
    for (int entry = 0; entry < SPEED_DIAL_COUNT; entry++)
        if (IsSpeedCandidate(gDocument.edit, entry, gGroup.members))
            AddRow(speed, MEMBER_TABLE_SPEED, entry, entry);
}

void SetUpList(HWND list)
{
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(gGroup.images));
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

void OnAddQuick(HWND dialog)
{
    HWND list = List(dialog, IDC_GROUP_QUICK_LIST);
    int keys[QUICK_KEY_COUNT];
    const int selected = SelectedIndexes(list, keys, QUICK_KEY_COUNT);
    const int added = AddQuickMembers(&gGroup.members, keys, selected);
    for (int i = 0; i < added; i++)
        DeleteRowOf(list, keys[i]);
    FillMembers(dialog);
}

void OnAddSpeed(HWND dialog)
{
    HWND list = List(dialog, IDC_GROUP_SPEED_LIST);
    int entries[SPEED_DIAL_COUNT];
    const int selected = SelectedIndexes(list, entries, SPEED_DIAL_COUNT);
    const int added = AddSpeedMembers(&gGroup.members, entries, selected);
    for (int i = 0; i < added; i++)
        DeleteRowOf(list, entries[i]);
    FillMembers(dialog);
}

void OnRemove(HWND dialog)
{
    HWND list = List(dialog, IDC_GROUP_MEMBERS);
    int rows[GROUP_LIST_ROOM * 2];
    int count = 0;
    for (int row = 0; row < RowCount(list) && count < GROUP_LIST_ROOM * 2; row++)
        if (Selected(list, row))
            rows[count++] = row;
    int keys[GROUP_LIST_ROOM], entries[GROUP_LIST_ROOM], keyCount = 0, entryCount = 0;
    RemoveMemberRows(&gGroup.members, rows, count, keys, &keyCount, entries, &entryCount);
    /* Back into the candidate lists, which sort them by number; an entry that cannot join
     * (emptied since the group was stored, say) is simply gone from the group. */
    for (int i = 0; i < keyCount; i++)
        if (IsQuickCandidate(gDocument.edit, keys[i], gGroup.index, gGroup.members))
            AddRow(List(dialog, IDC_GROUP_QUICK_LIST), MEMBER_TABLE_QUICK, keys[i], 0);
    for (int i = 0; i < entryCount; i++)
        if (IsSpeedCandidate(gDocument.edit, entries[i], gGroup.members))
            AddRow(List(dialog, IDC_GROUP_SPEED_LIST), MEMBER_TABLE_SPEED, entries[i], 0);
    FillMembers(dialog);
}

void OnNameChanged(HWND dialog)
{
    char text[DIAL_NAME_SIZE];
    if (FilterEditField(dialog, IDC_GROUP_NAME, FILTER_NAME, DIAL_NAME_MAX, text, sizeof text))
        lstrcpynA(gGroup.group.name, text, sizeof gGroup.group.name);
}

void Close(HWND dialog) { EndDialog(dialog, 0); }

void OnOk(HWND dialog)
{
    const GroupProblem problem = CheckGroupForm(gGroup.group.name, gGroup.members);
    if (problem.message) {
        ShowMessageId(dialog, problem.message, MB_OK);
        if (problem.control == IDC_GROUP_NAME)
            SelectAndFocus(dialog, IDC_GROUP_NAME);
        return;
    }
    SaveGroupForm(gDocument.edit, &gGroup.group, gGroup.index, gGroup.members,
                  static_cast<int>(gApp.quickKeyCount), MakeEntryDate());
    HWND list = AsWindow(gApp.dialList);
    FillDialList(list, VIEW_GROUP);
    SelectDialRow(list, gGroup.index);
    CommitEdits(gDocument);
    MarkDocumentChanged(gDocument);
    Close(dialog);
}

void OnInit(HWND dialog)
{
    CentreOnScreen(dialog);
    gGroup.members = GroupMembers();
    char prefix[64], title[96];
    LoadStr(IDS_TITLE_GROUP_DIAL, prefix, sizeof prefix);
    std::snprintf(title, sizeof title, "%s%02d", prefix, gGroup.index + 1);
    SetWindowTextA(dialog, title);

    gGroup.images = CreateListPictures();
    std::memset(&gGroup.group, 0, sizeof gGroup.group);
    if (!gGroup.empty && gWorkRecord.high &&
        DecodeGroupKey(&gGroup.group, gDocument.edit, gGroup.index) && gGroup.group.kind == KIND_GROUP)
        gGroup.members = MembersOfGroup(gGroup.group);
    else
        std::memset(&gGroup.group, 0, sizeof gGroup.group);
    SendDlgItemMessageA(dialog, IDC_GROUP_NAME, EM_LIMITTEXT, DIAL_NAME_MAX, 0);
    SetDlgItemTextA(dialog, IDC_GROUP_NAME, gGroup.group.name);

    for (int id : {IDC_GROUP_QUICK_LIST, IDC_GROUP_MEMBERS, IDC_GROUP_SPEED_LIST})
        SetUpList(List(dialog, id));
    FillMembers(dialog);
    FillCandidates(dialog);
    SetFocus(GetDlgItem(dialog, IDOK));
}

LRESULT OnNotify(HWND dialog, const NMHDR* header)
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

INT_PTR CALLBACK GroupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return FALSE; /* the focus is on OK */
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog);
            break;
        case IDCANCEL:
            Close(dialog);
            break;
        case IDC_GROUP_ADD_QUICK:
            OnAddQuick(dialog);
            break;
        case IDC_GROUP_ADD_SPEED:
            OnAddSpeed(dialog);
            break;
        case IDC_GROUP_REMOVE:
            OnRemove(dialog);
            break;
        case IDC_GROUP_NAME:
            if (HIWORD(wParam) == EN_CHANGE)
                OnNameChanged(dialog);
            break;
        }
        return TRUE;
    case WM_NOTIFY:
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT,
                          OnNotify(dialog, reinterpret_cast<const NMHDR*>(lParam)));
        return TRUE;
    case WM_CLOSE:
        Close(dialog);
        return TRUE;
    case WM_DESTROY:
        /* The lists are gone with the dialog: their pictures can go too. */
        ImageList_Destroy(gGroup.images);
        gGroup.images = nullptr;
        return FALSE;
    }
    return FALSE;
}

}  // namespace

int GroupDialog(HWND owner, int index, int empty)
{
    gGroup.index = index;
    gGroup.empty = empty;
    DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(IDD_GROUP), owner, GroupDialogProc, 0);
    return 0;
}
