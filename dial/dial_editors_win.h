/*
 * The dial directory's editors as the lists open them: the Quick and Speed Dial entry dialog
 * and the group dialog. The lists decide what to open (and ask before a key of the other kind
 * is overwritten); the dialogs decide what to store.
 */
#ifndef MORAVEL_DIAL_EDITORS_WIN_H
#define MORAVEL_DIAL_EDITORS_WIN_H

#include <windows.h>

/* Entry dialog for entry `index` of view 1 (Quick Dial key) or 2 (Speed Dial entry): filled
 * from the stored entry, or a blank form when `empty` is 1 (a group on the key is about to be
 * replaced). Returns the dialog's result: 1 when the entry was stored, 0 otherwise. */
int OpenEntryDialog(HWND owner, int view, int index, int empty);

/* Group dialog for key `index`, filled from the key or blank when `empty` is 1 (a Quick Dial
 * entry on the key is about to be replaced). The caller has decoded the key into the lists'
 * work record. Returns 0. */
int OpenGroupDialog(HWND owner, int index, int empty);

/* The entry dialog itself (template 712) on the lists' work record; 1 after a confirmed edit. */
int DialEntryDialog(HWND owner, int view, int index, int empty);

/* The group dialog itself (template 742) on key `index`; returns 0. */
int GroupDialog(HWND owner, int index, int empty);

/* Tests see the editors being opened here instead of the dialogs. */
enum DialEditor { EDITOR_ENTRY = 1, EDITOR_GROUP = 2 };
typedef int (*EditorHook)(int editor, HWND owner, int view, int index, int empty);
void SetEditorHook(EditorHook hook);

#endif
