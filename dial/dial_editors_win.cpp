/* Where the lists open the entry and group editors, and where tests see them opened. */
#include "dial/dial_editors_win.h"

#include "ui/app_state.h"

namespace {
EditorHook gEditorHook = nullptr;
}

void SetEditorHook(EditorHook hook) { gEditorHook = hook; }

int OpenEntryDialog(HWND owner, int view, int index, int empty, DialEdit* edit)
{
    if (edit)
        edit->stored = 0;
    if (gEditorHook)
        return gEditorHook(EDITOR_ENTRY, owner, view, index, empty);
    return DialEntryDialog(owner, view, index, empty, edit);
}

int OpenGroupDialog(HWND owner, int index, int empty, DialEdit* edit)
{
    if (edit)
        edit->stored = 0;
    if (gEditorHook)
        return gEditorHook(EDITOR_GROUP, owner, VIEW_GROUP, index, empty);
    return GroupDialog(owner, index, empty, edit);
}
