// What the Quick and Speed Dial entry form decides, apart from any window: which controls it
// shows and which take input, the checks of OK in their order, and how a confirmed form is
// stored. The dialog (dial_entry_win.cpp) applies these to the real controls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "document/dial_records.h"
#include "ui/app_state.h"

// What the form knows besides the record it edits.
struct EntryFormFacts {
    View view;         // VIEW_QUICK or VIEW_SPEED
    int networkBoard;  // the device has its Ethernet board: e-mail destinations are offered
};

// One control of the form as the arrangement wants it.
struct EntryControlState {
    int control;
    int shown;
    int enabled;
};

constexpr int ENTRY_ARRANGED_MAX = 24;

struct EntryArrangement {
    int frameText;    // string id of the destination frame ("Fax" or "E-Mail")
    int numberLabel;  // string id of the number label ("Fax No.:" or "E-mail Address:")
    EntryControlState controls[ENTRY_ARRANGED_MAX];
    int count;
};

// The controls for the record's destination type and the combination mode: a fax entry shows
// its number, SUB, SID and speed (all but the number disabled for a combination key); an
// e-mail entry its address and the custom-scan choice, with the three scan lists only while
// custom scan is on; the batch time never in the Speed Dial view. An e-mail entry on a device
// without the board is shown but cannot be changed.
EntryArrangement ArrangeEntryControls(const DialRecord& record, int combination,
                                      const EntryFormFacts& facts);
// The state the arrangement gives `control`; shown and enabled for one it does not name.
EntryControlState ArrangedState(const EntryArrangement& arrangement, int control);

// 1 when a fax number makes the entry a combination key: it ends with "+".
int IsCombinationNumber(const char* number);

// The number the title and the lists show for entry `index`: the key number for Quick Dial,
// the index itself for Speed Dial.
int EntryNumber(View view, int index);

// The first check of OK that the form fails: its message (string id), the control to focus,
// and for a range message the range to put into it. message 0 when every check passes.
struct EntryProblem {
    int message;
    int control;
    int minimum, maximum;
};
EntryProblem CheckEntryForm(const DialRecord& record);

// Stores the confirmed form `record` as entry `index` of the view's table in `state`, dated
// `date`: a combination key when `combination` and the entry is a fax destination. A new
// combination key leaves every group among the first keyCount keys, which may empty some:
// the result is the mask of keys that became empty, whose rows need redrawing.
uint32_t SaveEntryForm(EditState& state, DialRecord* record, View view, int index, int combination,
                       int keyCount, uint16_t date);
