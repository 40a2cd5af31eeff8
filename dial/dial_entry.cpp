// The entry form's decisions. See dial_entry.h.
#include "dial/dial_entry.h"

#include <cstring>

#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/field_filters.h"

namespace {

// The batch time and the custom-scan controls belong to a model library's form only.
const int FAX_CONTROLS[] = {IDC_ENTRY_SUB_LABEL,   IDC_ENTRY_SUB,         IDC_ENTRY_SID_LABEL,
                            IDC_ENTRY_SID,         IDC_ENTRY_SPEED_LABEL, IDC_ENTRY_SPEED_9600,
                            IDC_ENTRY_SPEED_14400, IDC_ENTRY_SPEED_33600};
const int BATCH_CONTROLS[] = {IDC_ENTRY_BATCH_HOUR, IDC_ENTRY_BATCH_MINUTE,
                              IDC_ENTRY_BATCH_HOUR_LABEL, IDC_ENTRY_BATCH_MINUTE_LABEL};
const int SCAN_CHOICE[] = {IDC_ENTRY_CUSTOM_SCAN_OFF, IDC_ENTRY_CUSTOM_SCAN_ON};
const int SCAN_LISTS[] = {IDC_ENTRY_SCAN_SIZE_LABEL,   IDC_ENTRY_SCAN_RESOLUTION_LABEL,
                          IDC_ENTRY_SCAN_CODING_LABEL, IDC_ENTRY_SCAN_SIZE,
                          IDC_ENTRY_SCAN_RESOLUTION,   IDC_ENTRY_SCAN_CODING};

void Set(EntryArrangement* a, int control, int shown, int enabled)
{
    if (a->count < ENTRY_ARRANGED_MAX)
        a->controls[a->count++] = {control, shown, enabled};
}

template <size_t N>
void SetAll(EntryArrangement* a, const int (&controls)[N], int shown, int enabled)
{
    for (int control : controls)
        Set(a, control, shown, enabled);
}

}  // namespace

EntryArrangement ArrangeEntryControls(const DialRecord& record, int combination,
                                      const EntryFormFacts& facts)
{
    EntryArrangement a = {};
    const int batchShown = facts.view != VIEW_SPEED;
    if (record.destType == DEST_EMAIL) {
        // Without the board an e-mail entry can be looked at, not changed.
        const int editable = facts.networkBoard ? 1 : 0;
        a.frameText = IDS_FRAME_EMAIL;
        a.numberLabel = IDS_LABEL_EMAIL_ADDRESS;
        Set(&a, IDC_ENTRY_NAME, 1, editable);
        Set(&a, IDC_ENTRY_FAX_NUMBER, 0, 0);
        Set(&a, IDC_ENTRY_EMAIL, 1, editable);
        Set(&a, IDC_ENTRY_EMAIL_NOTE, 1, 1);
        SetAll(&a, FAX_CONTROLS, 0, 0);
        SetAll(&a, BATCH_CONTROLS, 0, 0);
        SetAll(&a, SCAN_CHOICE, 1, editable);
        SetAll(&a, SCAN_LISTS, record.customScan == 1, editable);
        return a;
    }
    // A combination key is only a number dialled before another one: nothing else applies.
    const int enabled = combination ? 0 : 1;
    a.frameText = IDS_FRAME_FAX;
    a.numberLabel = IDS_LABEL_FAX_NUMBER;
    Set(&a, IDC_ENTRY_NAME, 1, enabled);
    Set(&a, IDC_ENTRY_FAX_NUMBER, 1, 1);
    Set(&a, IDC_ENTRY_EMAIL, 0, 0);
    Set(&a, IDC_ENTRY_EMAIL_NOTE, 0, 0);
    SetAll(&a, FAX_CONTROLS, 1, enabled);
    SetAll(&a, BATCH_CONTROLS, batchShown, enabled);
    SetAll(&a, SCAN_CHOICE, 0, 0);
    SetAll(&a, SCAN_LISTS, 0, 0);
    return a;
}

EntryControlState ArrangedState(const EntryArrangement& arrangement, int control)
{
    for (int i = 0; i < arrangement.count; i++)
        if (arrangement.controls[i].control == control)
            return arrangement.controls[i];
    return {control, 1, 1};
}

int IsCombinationNumber(const char* number)
{
    const size_t length = number ? std::strlen(number) : 0;
    return length > 0 && number[length - 1] == '+';
}

int EntryNumber(View view, int index) { return view == VIEW_QUICK ? index + 1 : index; }

EntryProblem CheckEntryForm(const DialRecord& record)
{
    // A form without the batch-time fields holds empty texts, which read as 0 and pass.
    const long hour = ParseDecimalField(record.batchHour);
    if (hour < 0 || hour > 23)
        return {IDS_RANGE_BATCH_HOUR, IDC_ENTRY_BATCH_HOUR, 0, 23};
    const long minute = ParseDecimalField(record.batchMinute);
    if (minute < 0 || minute > 59)
        return {IDS_RANGE_BATCH_MINUTE, IDC_ENTRY_BATCH_MINUTE, 0, 59};

    if (record.destType == DEST_EMAIL) {
        if (record.email[0] == '\0')
            return {IDS_NEED_EMAIL, IDC_ENTRY_EMAIL, 0, 0};
        if (!IsEmailAddress(record.email))
            return {IDS_EMAIL_INVALID, IDC_ENTRY_EMAIL, 0, 0};
    } else {
        if (record.faxNumber[0] == '\0')
            return {IDS_NEED_FAX_NUMBER, IDC_ENTRY_FAX_NUMBER, 0, 0};
        if (!IsDialableNumber(record.faxNumber))
            return {IDS_INVALID_SETTING, IDC_ENTRY_FAX_NUMBER, 0, 0};
    }
    if (record.name[0] != '\0' && !HasVisibleText(record.name))
        return {IDS_INVALID_SETTING, IDC_ENTRY_NAME, 0, 0};
    return {0, 0, 0, 0};
}

uint32_t SaveEntryForm(EditState& state, DialRecord* record, View view, int index, int combination,
                       int keyCount, uint16_t date)
{
    if (record->destType == DEST_EMAIL) {
        record->chain = 0;
        // An e-mail destination has no batch time.
        record->batchHour[0] = record->batchMinute[0] = '\0';
    } else {
        record->chain = combination ? 1 : 0;
    }
    record->inUse = 1;
    record->entryDate = date;
    // The record names the entry it is stored as: an empty form started from zero, and
    // RemoveFromGroups finds members by kind and index.
    record->index = static_cast<uint8_t>(index);
    if (view == VIEW_QUICK) {
        record->kind = KIND_QUICK;
        EncodeQuickKey(state, record, index);
    } else {
        record->kind = KIND_SPEED;
        EncodeSpeedEntry(state, record, index);
    }
    // A combination key is dialled before another number: it cannot stay a group member.
    if (record->chain && !record->programDial)
        return RemoveFromGroups(state, *record, keyCount);
    return 0;
}
