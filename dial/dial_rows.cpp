// Row contents of the dial lists and the member pane. See dial_rows.h.
#include "dial/dial_rows.h"

#include <cstdio>
#include <cstring>

#include "resources/resource_ids.h"

namespace {

// Copies a record's text field, which may lack a terminator, into a cell.
template <size_t N>
void SetText(DialRow* row, int column, const char (&field)[N])
{
    static_assert(N < ROW_TEXT_SIZE, "a record field fits a cell");
    RowCell& cell = row->cells[column];
    size_t n = 0;
    while (n < N && field[n])
        n++;
    std::memcpy(cell.text, field, n);
    cell.text[n] = '\0';
    cell.stringId = 0;
}

void SetString(DialRow* row, int column, int stringId)
{
    row->cells[column].stringId = stringId;
    row->cells[column].text[0] = '\0';
}

void ClearCell(DialRow* row, int column) { SetString(row, column, 0); }

// A label id from a list of `count` strings starting at `first`, or 0 (empty cell) for a value
// no label exists for: stored bytes can hold anything.
int LabelId(int first, int value, int count)
{
    return value >= 0 && value < count ? first + value : 0;
}

DialRow NumberedRow(int number)
{
    DialRow row{};
    row.image = IMAGE_EMPTY;
    std::snprintf(row.cells[0].text, ROW_TEXT_SIZE, "%02d", number);
    return row;
}

void SetFaxColumns(DialRow* row, const DialRecord& record)
{
    SetText(row, 2, record.faxNumber);
    SetText(row, 3, record.sub);
    SetText(row, 4, record.sid);
    SetString(row, 5, LabelId(IDS_SPEED_9600, record.speed, 3));
}

void SetScanOptionColumns(DialRow* row, const DialRecord& record, int inchDevice)
{
    SetString(row, 6, LabelId(IDS_CUSTOM_SCAN_OFF, record.customScan, 2));
    if (record.customScan == 0)
        return;
    SetString(row, 7,
              inchDevice ? LabelId(IDS_SCAN_SIZE_LETTER, record.scanSize, 2)
                         : LabelId(IDS_SCAN_SIZE_A4, record.scanSize, 3));
    SetString(row, 8, LabelId(IDS_SCAN_RES_DETAIL, record.scanResolution, 2));
    SetString(row, 9, LabelId(IDS_SCAN_CODING_MH, record.scanCoding, 3));
}

int MemberInTable(const DialMember& member)
{
    if (member.table == MEMBER_TABLE_QUICK)
        return member.index < QUICK_KEY_COUNT;
    if (member.table == MEMBER_TABLE_SPEED)
        return member.index < SPEED_DIAL_COUNT;
    return 0;
}

}  // namespace

DialRow BuildQuickDialRow(const DialRecord& record, int index, int a3Model, int inchDevice)
{
    DialRow row = NumberedRow(index + 1);
    if (!record.inUse)
        return row;
    int group = record.high == 1 && record.kind == KIND_GROUP;
    if (group)
        row.image = IMAGE_QUICK_GROUP;
    else
        row.image = record.destType == DEST_EMAIL ? IMAGE_QUICK_EMAIL : IMAGE_QUICK_FAX;
    if (record.programDial) {
        SetString(&row, 1, IDS_PROGRAM_DIAL);
        return row;
    }
    SetText(&row, 1, record.name);
    if (group)
        return row;
    if (record.destType == DEST_FAX && !record.chain) {
        SetFaxColumns(&row, record);
        return row;
    }
    if (record.chain)
        ClearCell(&row, 1);
    if (record.destType == DEST_EMAIL)
        SetText(&row, 2, record.email);
    else
        SetText(&row, 2, record.faxNumber);
    if (a3Model)
        SetScanOptionColumns(&row, record, inchDevice);
    return row;
}

DialRow BuildSpeedDialRow(const DialRecord& record, int index, int a3Model, int inchDevice)
{
    DialRow row = NumberedRow(index);
    if (!record.inUse)
        return row;
    row.image = record.destType == DEST_EMAIL ? IMAGE_SPEED_EMAIL : IMAGE_SPEED_FAX;
    if (record.programDial)
        SetString(&row, 1, IDS_PROGRAM_DIAL);
    else
        SetText(&row, 1, record.name);
    if (record.destType == DEST_FAX && !record.chain) {
        SetFaxColumns(&row, record);
        return row;
    }
    if (record.chain)
        ClearCell(&row, 1);
    if (record.destType == DEST_FAX) {
        SetText(&row, 2, record.faxNumber);
        return row;
    }
    SetText(&row, 2, record.email);
    if (a3Model)
        SetScanOptionColumns(&row, record, inchDevice);
    return row;
}

DialRow BuildGroupRow(const DialRecord& record, int index)
{
    DialRow row = NumberedRow(index + 1);
    if (!record.inUse)
        return row;
    if (record.destType == DEST_EMAIL)
        row.image = IMAGE_QUICK_EMAIL;
    else if (record.kind == KIND_QUICK)
        row.image = IMAGE_GROUP_QUICK_FAX;
    else
        row.image = IMAGE_GROUP;
    if (record.programDial)
        SetString(&row, 1, IDS_PROGRAM_DIAL);
    else
        SetText(&row, 1, record.name);
    return row;
}

int DecodeMember(DialRecord* entry, const DialMember& member, const EditState& state)
{
    std::memset(entry, 0, sizeof *entry);
    if (!MemberInTable(member))
        return 0;
    if (member.table == MEMBER_TABLE_QUICK)
        DecodeQuickKey(entry, state, member.index);
    else
        DecodeSpeedEntry(entry, state, member.index);
    return 1;
}

MemberRow BuildMemberRow(const DialMember& member, const DialRecord& entry)
{
    MemberRow row{};
    int stored = static_cast<uint8_t>(member.index + 1);
    int number = stored;
    int email = entry.inUse && entry.destType == DEST_EMAIL;
    if (member.table == MEMBER_TABLE_QUICK) {
        row.image = email ? IMAGE_QUICK_EMAIL : IMAGE_QUICK_FAX;
    } else if (member.table == MEMBER_TABLE_SPEED) {
        number = stored - 1;
        row.image = email ? IMAGE_SPEED_EMAIL : IMAGE_SPEED_FAX;
    } else {
        row.image = IMAGE_EMPTY;
    }
    char name[DIAL_NAME_SIZE + 1] = "";
    if (entry.inUse && MemberInTable(member)) {
        std::memcpy(name, entry.name, sizeof entry.name);
        name[DIAL_NAME_SIZE] = '\0';
    }
    std::snprintf(row.text, ROW_TEXT_SIZE, "%02d  %s", number, name);
    return row;
}

int BuildMemberRows(MemberRow rows[GROUP_MEMBER_MAX], const DialRecord& group,
                    const EditState& state)
{
    if (!group.inUse || group.kind != KIND_GROUP)
        return 0;
    int count = group.memberCount < GROUP_MEMBER_MAX ? group.memberCount : GROUP_MEMBER_MAX;
    for (int k = 0; k < count; k++) {
        DialRecord entry;
        DecodeMember(&entry, group.members[k], state);
        rows[k] = BuildMemberRow(group.members[k], entry);
    }
    return count;
}
