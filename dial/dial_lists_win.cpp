/*
 * The dial lists: one row per Quick Dial key, Speed Dial entry or group key, built by the
 * portable row builders and copied into the list view as they are; the member pane of the
 * Group view; the tracking of the current row; and the decision which editor a row opens.
 */
#include "dial/dial_lists_win.h"

#include <cstring>

#include "dial/dial_editors_win.h"
#include "dial/dial_rows.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/frame_seam_win.h"
#include "ui/ui_win.h"

namespace {

constexpr int CELL_TEXT_SIZE = 128;
constexpr DWORD LIST_EX_STYLE = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;

/* Set when the member pane took the selection: the next click in the dial list has to make
 * its focused row current again, since clicking a row that is already selected changes no
 * item state. */
bool gMemberPaneSelected = false;

int KeyCount(uint32_t count)
{
    return count < static_cast<uint32_t>(QUICK_KEY_COUNT) ? static_cast<int>(count)
                                                          : QUICK_KEY_COUNT;
}

/* How many rows view shows: one per key or entry of the model. */
int RowCount(int view)
{
    switch (view) {
    case VIEW_QUICK:
        return KeyCount(gApp.quickKeyCount);
    case VIEW_SPEED:
        return SPEED_DIAL_COUNT;
    case VIEW_GROUP:
        return KeyCount(gApp.groupKeyCount);
    }
    return 0;
}

/* Decodes entry index of view into record; returns its inUse. */
int DecodeViewEntry(DialRecord* record, int view, int index)
{
    switch (view) {
    case VIEW_QUICK:
        return DecodeQuickKey(record, gDocument.edit, index);
    case VIEW_SPEED:
        return DecodeSpeedEntry(record, gDocument.edit, index);
    case VIEW_GROUP:
        return DecodeGroupKey(record, gDocument.edit, index);
    }
    std::memset(record, 0, sizeof *record);
    return 0;
}

int ColumnCount(HWND list)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    int count = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    return count < DIAL_COLUMN_COUNT ? count : DIAL_COLUMN_COUNT;
}

/* A cell's text: its own, or its label loaded from the resource module (empty when the module
 * has no such string, as the A4 tables lack the e-mail option labels). */
char* CellText(const RowCell& cell, char* buffer)
{
    if (cell.stringId)
        return const_cast<char*>(LoadStr(cell.stringId, buffer, CELL_TEXT_SIZE));
    lstrcpynA(buffer, cell.text, CELL_TEXT_SIZE);
    return buffer;
}

/* Inserts the row at index; every column the list has gets its text, empty ones included. */
void InsertRow(HWND list, const DialRow& row, int index)
{
    char text[CELL_TEXT_SIZE];
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.iImage = row.image;
    item.pszText = CellText(row.cells[0], text);
    int at =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0)
        return;
    const int columns = ColumnCount(list);
    for (int c = 1; c < columns; c++) {
        LVITEMA cell = {};
        cell.iSubItem = c;
        cell.pszText = CellText(row.cells[c], text);
        SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&cell));
    }
}

/* A shown list repaints after every row it gets, which makes a refill take seconds under
 * Wine: hold its drawing until the rows are in. A hidden list is left alone, since allowing
 * the drawing again would show it. Returns whether the drawing was held. */
bool HoldRedraw(HWND list)
{
    if (!(GetWindowLongPtrA(list, GWL_STYLE) & WS_VISIBLE))
        return false;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    return true;
}

void ResumeRedraw(HWND list, bool held)
{
    if (!held)
        return;
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int FocusedRow(HWND list)
{
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

/* 1 when the change gave the item the selection or the focus. Losing them needs nothing: the
 * focus stays on its row when a click on empty space clears the selection, and deleting or
 * refilling rows sends such changes too. */
int GainedSelection(const NMLISTVIEW* change)
{
    if (change->iItem < 0 || !(change->uChanged & LVIF_STATE))
        return 0;
    UINT gained = change->uNewState & ~change->uOldState;
    return (gained & (LVIS_SELECTED | LVIS_FOCUSED)) != 0;
}

/* The focused row (else fallback) becomes current and selected; the member pane follows it in
 * the Group view. */
void TakeFocusedRow(HWND list, int fallback)
{
    int row = FocusedRow(list);
    if (row < 0)
        row = fallback;
    if (row < 0)
        return;
    gMemberPaneSelected = false;
    gApp.currentRow = row;
    gApp.selectedRow = row;
    if (gApp.currentView == VIEW_GROUP) {
        DialRecord group;
        DecodeGroupKey(&group, gDocument.edit, row);
        FillMemberPane(AsWindow(gApp.memberList), group);
    }
    RefreshUiState();
}

/* A stored entry's row, and the rows of the groups it emptied. */
void ShowStoredEntry(HWND list, int view, int row, const DialEdit& edit)
{
    if (!edit.stored)
        return;
    if (view == VIEW_QUICK)
        RedrawKeys(list, VIEW_QUICK, edit.emptied);
    RebuildDialRow(list, view, edit.record, row);
}

/* A stored group may have emptied other keys: the whole list again, the group selected. */
void ShowStoredGroup(HWND list, int row, const DialEdit& edit)
{
    if (!edit.stored)
        return;
    FillDialList(list, VIEW_GROUP);
    SelectDialRow(list, row);
}

/* The overwrite questions: 1 when the user answered Yes. */
int AskOverwrite(HWND owner, UINT question)
{
    return ShowMessageCaptionId(owner, question, IDS_WARNING, MB_YESNO) == IDYES;
}

}  // namespace

void FillDialList(HWND list, int view)
{
    if (view < static_cast<int>(VIEW_QUICK) || view > static_cast<int>(VIEW_GROUP))
        return;
    const int count = RowCount(view);
    const bool held = HoldRedraw(list);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < count; i++) {
        DialRecord record;
        DecodeViewEntry(&record, view, i);
        AddDialRow(list, view, record, i);
    }
    LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    if (!(style & LVS_SORTASCENDING))
        SetWindowLongPtrA(list, GWL_STYLE, style | LVS_SORTASCENDING);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LIST_EX_STYLE, LIST_EX_STYLE);
    ResumeRedraw(list, held);
}

void AddQuickDialRow(HWND list, const DialRecord& record, int index)
{
    InsertRow(
        list,
        BuildQuickDialRow(record, index, gApp.model == MODEL_A3, IsInchDevice(gDocument.edit)),
        index);
}

void AddSpeedDialRow(HWND list, const DialRecord& record, int index)
{
    InsertRow(
        list,
        BuildSpeedDialRow(record, index, gApp.model == MODEL_A3, IsInchDevice(gDocument.edit)),
        index);
}

void AddGroupRow(HWND list, const DialRecord& record, int index)
{
    InsertRow(list, BuildGroupRow(record, index), index);
}

void AddDialRow(HWND list, int view, const DialRecord& record, int index)
{
    switch (view) {
    case VIEW_QUICK:
        AddQuickDialRow(list, record, index);
        break;
    case VIEW_SPEED:
        AddSpeedDialRow(list, record, index);
        break;
    case VIEW_GROUP:
        AddGroupRow(list, record, index);
        break;
    }
}

void DeleteDialRow(HWND list, int index) { SendMessageA(list, LVM_DELETEITEM, index, 0); }

void SelectDialRow(HWND list, int index)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    SendMessageA(list, LVM_ENSUREVISIBLE, index, FALSE);
}

void RebuildDialRow(HWND list, int view, const DialRecord& record, int index)
{
    /* A row added beyond the list would be a second row with that number. */
    if (index < 0 || index >= RowCount(view))
        return;
    DeleteDialRow(list, index);
    AddDialRow(list, view, record, index);
    SelectDialRow(list, index);
}

void RebuildDialRowFromTable(HWND list, int view, int index)
{
    DialRecord record;
    DecodeViewEntry(&record, view, index);
    RebuildDialRow(list, view, record, index);
}

void RedrawKeys(HWND list, int view, uint32_t mask)
{
    for (int i = 0; i < 32 && i < RowCount(view); i++) {
        if (!(mask & (1u << i)))
            continue;
        DialRecord record;
        switch (view) {
        case VIEW_QUICK:
            DecodeQuickKey(&record, gDocument.edit, i);
            break;
        case VIEW_GROUP:
            DecodeGroupKey(&record, gDocument.edit, i);
            break;
        default:
            continue;
        }
        DeleteDialRow(list, i);
        AddDialRow(list, view, record, i);
    }
}

void FillMemberPane(HWND pane, const DialRecord& group)
{
    const bool held = HoldRedraw(pane);
    SendMessageA(pane, LVM_DELETEALLITEMS, 0, 0);
    MemberRow rows[GROUP_MEMBER_MAX];
    const int count = BuildMemberRows(rows, group, gDocument.edit);
    for (int k = 0; k < count; k++) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = k;
        item.iImage = rows[k].image;
        item.pszText = rows[k].text;
        SendMessageA(pane, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    ResumeRedraw(pane, held);
}

LRESULT OnDialListNotify(HWND mainWindow, const NMHDR* header)
{
    HWND list = header->hwndFrom;
    switch (header->code) {
    case LVN_ITEMACTIVATE:
        OpenCurrentEntry(mainWindow);
        break;
    case LVN_ITEMCHANGED: {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (GainedSelection(change))
            TakeFocusedRow(list, change->iItem);
        break;
    }
    case NM_CLICK:
    case NM_RCLICK:
        if (gMemberPaneSelected)
            TakeFocusedRow(list, -1);
        break;
    case LVN_COLUMNCLICK:
        /* Not sorted by other columns: every operation takes a row's position as its entry's
         * index. */
        break;
    }
    return 0;
}

LRESULT OnMemberListNotify(HWND mainWindow, const NMHDR* header)
{
    switch (header->code) {
    case LVN_ITEMACTIVATE:
        OpenCurrentEntry(mainWindow);
        break;
    case LVN_ITEMCHANGED:
        if (GainedSelection(reinterpret_cast<const NMLISTVIEW*>(header))) {
            gMemberPaneSelected = true;
            gApp.selectedRow = -1;
            RefreshUiState();
        }
        break;
    }
    return 0;
}

void OpenCurrentEntry(HWND mainWindow)
{
    HWND list = AsWindow(gApp.dialList);
    const View view = gApp.currentView;
    const int focused = FocusedRow(list);
    if (focused >= 0)
        gApp.currentRow = focused;
    const int row = gApp.currentRow;
    if (row < 0 || row >= RowCount(view))
        return;

    DialRecord record;
    DialEdit edit = {};
    switch (view) {
    case VIEW_QUICK:
        DecodeQuickKey(&record, gDocument.edit, row);
        if (record.inUse && record.kind == KIND_GROUP) {
            if (!AskOverwrite(mainWindow, IDS_ASK_OVERWRITE_GROUP))
                return;
            OpenEntryDialog(mainWindow, view, row, 1, &edit);
        } else {
            OpenEntryDialog(mainWindow, view, row, 0, &edit);
        }
        ShowStoredEntry(list, view, row, edit);
        break;
    case VIEW_SPEED:
        OpenEntryDialog(mainWindow, view, row, 0, &edit);
        ShowStoredEntry(list, view, row, edit);
        break;
    case VIEW_GROUP:
        DecodeGroupKey(&record, gDocument.edit, row);
        /* A program-dial key never becomes a group. */
        if (gDocument.edit.quickDial.entries[row][DIAL_FLAGS_BYTE] & FLAG_PROGRAM)
            return;
        if (record.inUse && record.kind == KIND_QUICK) {
            if (AskOverwrite(mainWindow, IDS_ASK_OVERWRITE_QUICK_DIAL)) {
                OpenGroupDialog(mainWindow, row, 1, &edit);
                ShowStoredGroup(list, row, edit);
            }
            return;
        }
        OpenGroupDialog(mainWindow, row, 0, &edit);
        ShowStoredGroup(list, row, edit);
        break;
    case VIEW_DEVICE:
        return;
    }
    SetFocus(list);
}
