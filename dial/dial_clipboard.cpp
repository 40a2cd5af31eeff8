// Copy, Paste and Delete of the dial lists. See dial_clipboard.h.
#include "dial/dial_clipboard.h"

#include "document/document.h"

namespace {

int RowInTable(View view, int row)
{
    const int count = view == VIEW_SPEED ? SPEED_DIAL_COUNT : QUICK_KEY_COUNT;
    return row >= 0 && row < count && view != VIEW_DEVICE;
}

}  // namespace

DialRecord CopyDialEntry(const EditState& state, View view, int row)
{
    DialRecord r = {};
    switch (view) {
    case VIEW_QUICK:
        DecodeQuickKey(&r, state, row);
        break;
    case VIEW_SPEED:
        DecodeSpeedEntry(&r, state, row);
        break;
    case VIEW_GROUP:
        DecodeGroupKey(&r, state, row);
        break;
    case VIEW_DEVICE:
        break;
    }
    return r;
}

PasteDecision DecidePaste(const EditState& state, View view, int row, int firstProgramKey)
{
    if (!RowInTable(view, row))
        return PASTE_REFUSED;
    const DialRecord target = CopyDialEntry(state, view, row);
    const uint8_t flags = view == VIEW_SPEED ? state.speedDial.entries[row][DIAL_FLAGS_BYTE]
                                             : state.quickDial.entries[row][DIAL_FLAGS_BYTE];
    switch (view) {
    case VIEW_QUICK:
        if ((target.inUse && target.kind == KIND_GROUP) ||
            IsProgramKeyMarked(state.quickDial, row, firstProgramKey))
            return PASTE_REFUSED;
        return (flags & FLAG_QUICK) ? PASTE_ASK : PASTE_WRITE;
    case VIEW_SPEED:
        return (flags & FLAG_SPEED) ? PASTE_ASK : PASTE_WRITE;
    case VIEW_GROUP:
        if ((target.inUse && target.kind == KIND_QUICK) ||
            IsProgramKeyMarked(state.quickDial, row, firstProgramKey))
            return PASTE_REFUSED;
        return (flags & FLAG_HIGH) ? PASTE_ASK : PASTE_WRITE;
    case VIEW_DEVICE:
        break;
    }
    return PASTE_REFUSED;
}

int PasteDialEntry(EditState& state, View view, int row, const DialRecord& copy)
{
    if (!RowInTable(view, row))
        return 0;
    // The writers may tidy the record they are given (a SID without SUB); the copy stays whole
    // for the next paste.
    DialRecord r = copy;
    switch (view) {
    case VIEW_QUICK:
        return EncodeQuickKey(state, &r, row);
    case VIEW_SPEED:
        return EncodeSpeedEntry(state, &r, row);
    case VIEW_GROUP:
        return EncodeGroupRecord(state, r, row);
    case VIEW_DEVICE:
        break;
    }
    return 0;
}

uint32_t DeleteDialEntry(EditState& state, View view, int row, int keyCount)
{
    if (!RowInTable(view, row))
        return 0;
    const DialRecord deleted = CopyDialEntry(state, view, row);
    DialRecord empty = {};
    if (view == VIEW_SPEED) {
        EncodeSpeedEntry(state, &empty, row);
        state.speedDial.lengths[row] = 0;
    } else {
        // The empty record is no program-dial record, so even such a key is erased.
        if (view == VIEW_QUICK)
            EncodeQuickKey(state, &empty, row);
        else
            EncodeGroupKey(state, empty, row, nullptr, 0, nullptr, 0);
        state.quickDial.lengths[row] = 0;
    }
    return RemoveFromGroups(state, deleted, keyCount);
}
