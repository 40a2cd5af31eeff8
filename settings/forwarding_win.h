/*
 * The Forwarding Destination dialog (template 145), opened from the Reception page. It shows
 * the destination of the edit state's record (a typed one, or the Speed or Quick Dial entry a
 * reference names) and, on OK, writes the typed destination into gDocument.edit.forwarding: the
 * sheet's Apply stores it, its Cancel drops it like every other edit.
 */
#ifndef MORAVEL_FORWARDING_WIN_H
#define MORAVEL_FORWARDING_WIN_H

#include <windows.h>

/* Runs the dialog modally over `owner`'s sheet; 1 after OK, 0 after Cancel or closing. */
int RunForwardingDialog(HWND owner);

#endif
