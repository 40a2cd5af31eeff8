/*
 * The dial directory's editors as the lists open them: the Quick and Speed Dial entry dialog
 * and the group dialog. The lists decide what to open (and ask before a key of the other kind
 * is overwritten); the dialogs decide what to store; the lists then show what was stored.
 */
#ifndef MORAVEL_DIAL_EDITORS_WIN_H
#define MORAVEL_DIAL_EDITORS_WIN_H

#include <windows.h>

#include "document/dial_records.h"

/* What a confirmed edit stored, for the lists to show: the record as stored and the keys whose
 * groups it emptied. `stored` is 0 when nothing was. */
struct DialEdit {
    int stored;
    uint32_t emptied;
    DialRecord record;
};

/* Entry dialog for entry `index` of view 1 (Quick Dial key) or 2 (Speed Dial entry): filled
 * from the stored entry, or a blank form when `empty` is 1 (a group on the key is about to be
 * replaced). Returns the dialog's result: 1 when the entry was stored, 0 otherwise; `edit`
 * (may be null) tells what was stored. */
int OpenEntryDialog(HWND owner, int view, int index, int empty, DialEdit* edit);

/* Group dialog for key `index`, filled from the key when it holds a group, or blank when
 * `empty` is 1 (a Quick Dial entry on the key is about to be replaced). Returns 0; `edit` (may
 * be null) tells whether a group was stored. */
int OpenGroupDialog(HWND owner, int index, int empty, DialEdit* edit);

/* The dialogs themselves (templates 712 and 742), without the tests' hook. */
int DialEntryDialog(HWND owner, int view, int index, int empty, DialEdit* edit);
int GroupDialog(HWND owner, int index, int empty, DialEdit* edit);

/* Tests see the editors being opened here instead of the dialogs. */
enum DialEditor { EDITOR_ENTRY = 1, EDITOR_GROUP = 2 };
typedef int (*EditorHook)(int editor, HWND owner, int view, int index, int empty);
void SetEditorHook(EditorHook hook);

#endif
