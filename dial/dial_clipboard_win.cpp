/*
 * The Edit commands on the dial lists: one clipboard per list (the copy and, in AppState, the
 * row it came from), the overwrite and delete questions, and the rows rebuilt afterwards. What
 * a paste is allowed and what a delete takes along is decided in dial_clipboard.cpp.
 */
#include "dial/dial_clipboard_win.h"

#include "dial/dial_clipboard.h"
#include "dial/dial_lists_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/frame_seam_win.h"
#include "ui/ui_win.h"

namespace {

/* The copies of the Quick Dial, Speed Dial and Group lists; empty while their source is -1. */
DialRecord gClipboards[3];

DialRecord* Clipboard(View view) { return &gClipboards[view - VIEW_QUICK]; }

int32_t* ClipboardSource(View view)
{
    switch (view) {
    case VIEW_SPEED:
        return &gApp.speedClipSource;
    case VIEW_GROUP:
        return &gApp.groupClipSource;
    default:
        return &gApp.quickClipSource;
    }
}

bool InList(View view) { return view == VIEW_QUICK || view == VIEW_SPEED || view == VIEW_GROUP; }

int Ask(HWND owner, UINT question)
{
    return ShowMessageCaptionId(owner, question, IDS_WARNING, MB_YESNO) == IDYES;
}

/* Selects and focuses the row, and makes it the rows the commands and the rules look at. */
void Reselect(HWND list, int row)
{
    SelectDialRow(list, row);
    gApp.currentRow = row;
    gApp.selectedRow = row;
}

}  // namespace

void OnCopyEntry(HWND)
{
    const View view = gApp.currentView;
    if (!InList(view))
        return;
    *Clipboard(view) = CopyDialEntry(gDocument.edit, view, gApp.currentRow);
    *ClipboardSource(view) = gApp.currentRow;
    RefreshUiState();
}

void OnPasteEntry(HWND mainWindow)
{
    const View view = gApp.currentView;
    const int row = gApp.currentRow;
    if (!InList(view) || *ClipboardSource(view) < 0)
        return;
    const PasteDecision decision =
        DecidePaste(gDocument.edit, view, row, static_cast<int>(gApp.firstProgramKey));
    if (decision == PASTE_REFUSED)
        return;
    HWND list = AsWindow(gApp.dialList);
    if (decision == PASTE_WRITE || Ask(mainWindow, IDS_ASK_OVERWRITE)) {
        PasteDialEntry(gDocument.edit, view, row, *Clipboard(view));
        RebuildDialRowFromTable(list, view, row);
        MarkDocumentChanged(gDocument);
    }
    Reselect(list, row);
    CommitEdits(gDocument);
    RefreshUiState();
}

void OnDeleteEntry(HWND mainWindow)
{
    const View view = gApp.currentView;
    const int row = gApp.currentRow;
    if (!InList(view) || !Ask(mainWindow, IDS_ASK_DELETE))
        return;
    const uint32_t emptied =
        DeleteDialEntry(gDocument.edit, view, row, static_cast<int>(gApp.quickKeyCount));
    HWND list = AsWindow(gApp.dialList);
    /* Groups that lost their last member show as empty rows where the list shows groups. */
    if (view != VIEW_SPEED)
        RedrawKeys(list, view, emptied & ~(1u << row));
    RebuildDialRowFromTable(list, view, row);
    Reselect(list, row);
    CommitEdits(gDocument);
    MarkDocumentChanged(gDocument);
    RefreshUiState();
}
