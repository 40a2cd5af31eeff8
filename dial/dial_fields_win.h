/*
 * The field filters of dial_fields.h applied to a real edit control: read the field, run the
 * filter, and write a repaired text back with the caret where the rejected character was.
 * Every dialog with filtered fields calls this from its change notification.
 */
#ifndef MORAVEL_DIAL_FIELDS_WIN_H
#define MORAVEL_DIAL_FIELDS_WIN_H

#include <windows.h>

#include "dial/dial_fields.h"

enum FieldFilter {
    FIELD_NAME,        /* FilterNameField */
    FIELD_DIAL_NUMBER, /* FilterDialNumberField, the fax number */
    FIELD_DIAL_CODE,   /* FilterDialNumberField, SUB and SID */
    FIELD_EMAIL,       /* FilterEmailField */
    FIELD_DIGITS,      /* FilterDigitsField */
};

/* The character set facts of this system: the ANSI code page, the device's Japanese mode of
 * the program's edit state, and MultiByteToWideChar. */
TextEnvironment SystemTextEnvironment();

/* Filters edit control `control` of `dialog` with `limit` characters. When the text passes,
 * the control's text limit becomes `limit`, the text is copied into `out` (of `outSize` bytes)
 * and the result is 1. When the filter repaired it, the repaired text is written back, which
 * notifies the change again with the repaired text, the caret is placed where the rejected
 * character was, and the result is 0 (`out` is left alone). */
int FilterEditControl(HWND dialog, int control, FieldFilter filter, int limit, char* out,
                      int outSize);

/* Selects the whole text of `control` and gives it the focus (a check that failed). */
void SelectAndFocus(HWND dialog, int control);

#endif
