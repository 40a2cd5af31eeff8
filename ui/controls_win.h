/*
 * The control helpers every dialog and page shares: the one filter wrapper, which runs a field
 * filter on an edit control and writes a repaired text back; the one focus helper; the range
 * check of a number field with its message; and the text environment of this system.
 */
#ifndef MORAVEL_UI_CONTROLS_WIN_H
#define MORAVEL_UI_CONTROLS_WIN_H

#include <windows.h>

#include "ui/field_filters.h"

/* The character set facts of this system: the ANSI code page, the device's Japanese mode of
 * the program's document, and MultiByteToWideChar. */
TextEnvironment SystemTextEnvironment();

/* The text of edit control `control` run through `filter` with `limit` characters (one more is
 * read, so a text pasted past the limit is cut). When the text passes, the control's text
 * limit becomes `limit` and the result is 1. When the filter repaired it, the repaired text is
 * written back (which notifies the change again, now with a text that passes) with the caret
 * where the rejected character was, and the result is 0. Either way the text as it stands
 * afterwards goes to `out` (of `size` bytes) when `out` is given. */
int FilterEditField(HWND dialog, int control, TextFilter filter, int limit, char* out, int size);

/* Gives `control` the focus and selects its whole text (an address control: its first field),
 * as a failed check does. */
void SelectAndFocus(HWND dialog, int control);

/* 1 when the field holds a number within min..max; else its message (the range message from
 * string `messageId`, or "required" for an empty field), the field focused with its text
 * selected, 0. */
int CheckRangeField(HWND dialog, int edit, int messageId, long min, long max);

/* Shows the range message of string `messageId` for min..max, captioned as every message. */
void ShowRangeMessage(HWND owner, int messageId, long min, long max);

/* A report list's columns titled by strings titles[0..count-1], full-row selection and tips for
 * cut cells. */
void AddListColumns(HWND list, const int* titles, int count);
/* Every column as wide as its widest cell or its title; the room left over is shared by the
 * columns from `firstGrowing` on, and what does not fit scrolls sideways rather than being
 * cut. */
void FitListColumns(HWND list, const int* titles, int count, int firstGrowing);

#endif
