// The dial lists' Copy, Paste and Delete, apart from any window. Each list has a clipboard of
// its own holding a decoded copy (the system clipboard is not used); a paste writes the copy
// into the target with the list's writer, keeping everything of the copy but its position.
#pragma once

#include <cstdint>

#include "document/dial_records.h"
#include "ui/app_state.h"

// The copy of entry `row` of the list of `view` (decoded as that list reads it).
DialRecord CopyDialEntry(const EditState& state, View view, int row);

enum PasteDecision {
    PASTE_REFUSED,  // nothing happens (a group or a program-dial key in the Quick Dial list, a
                    // Quick Dial entry or program-dial key in the Group list)
    PASTE_ASK,      // the target holds an entry of the list's own kind: ask before overwriting
    PASTE_WRITE,    // the target takes the copy without a question
};
PasteDecision DecidePaste(const EditState& state, View view, int row, int firstProgramKey);

// Writes `copy` into entry `row` of the list of `view`; 1, or 0 for a row outside the table.
int PasteDialEntry(EditState& state, View view, int row, const DialRecord& copy);

// Empties entry `row` of the list of `view` whatever it held (length 0), and takes a deleted
// destination out of every group among the first keyCount keys. Returns the mask of keys that
// became empty on the way (rows to redraw).
uint32_t DeleteDialEntry(EditState& state, View view, int row, int keyCount);
