/* The dial lists. Rows and notifications are being written; until then the lists stay empty. */
#include "dial/dial_lists_win.h"

void FillDialList(HWND, int) {}

LRESULT OnDialListNotify(HWND, const NMHDR*)
{
    return 0;
}

LRESULT OnMemberListNotify(HWND, const NMHDR*)
{
    return 0;
}

void OpenCurrentEntry(HWND) {}
