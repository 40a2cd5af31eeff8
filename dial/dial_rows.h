// What each row of the Quick Dial, Speed Dial and Group lists and of the member pane shows,
// built from decoded records. Portable and free of the list control: the Win32 list code copies
// a row's image and cells into the list view as they are.
//
// A cell is either a text taken from the record (numbers, names, addresses) or a string
// resource id for a fixed label ("PROGRAM DIAL", speeds, the e-mail scan options), which the
// list code loads from whichever module supplies the strings; the scan option ids exist only in
// the A3 model's resources.
#pragma once

#include "document/dial_records.h"

constexpr int DIAL_COLUMN_COUNT = 10;
constexpr int ROW_TEXT_SIZE = 72;

// Images of the shared list image strip.
constexpr int IMAGE_QUICK_FAX = 2;
constexpr int IMAGE_QUICK_EMAIL = 4;
constexpr int IMAGE_QUICK_GROUP = 5;  // a key holding a group, in the Quick Dial list
constexpr int IMAGE_SPEED_FAX = 6;
constexpr int IMAGE_SPEED_EMAIL = 8;
constexpr int IMAGE_GROUP = 9;
constexpr int IMAGE_GROUP_QUICK_FAX = 11;  // a key holding a Quick Dial fax entry, Group list
constexpr int IMAGE_EMPTY = 12;

struct RowCell {
    int stringId;  // non-zero: the cell shows this string resource, and text is empty
    char text[ROW_TEXT_SIZE];
};

// Columns: 0 number, 1 name, 2 destination, 3 SUB, 4 SID, 5 speed, 6-9 the A3 e-mail options.
// Every cell not set is the empty text.
struct DialRow {
    int image;
    RowCell cells[DIAL_COLUMN_COUNT];
};

struct MemberRow {
    int image;
    char text[ROW_TEXT_SIZE];  // "%02d  %s": number, two blanks, name
};

// Rows from the records the decoders made of entry `index`. `a3Model` adds the e-mail option
// columns; `inchDevice` (IsInchDevice) picks the size labels.
DialRow BuildQuickDialRow(const DialRecord& record, int index, int a3Model, int inchDevice);
DialRow BuildSpeedDialRow(const DialRecord& record, int index, int a3Model, int inchDevice);
DialRow BuildGroupRow(const DialRecord& record, int index);

// Decodes the entry a group member names (DecodeQuickKey or DecodeSpeedEntry); returns 1, or 0
// with `entry` zeroed when the member names no entry (an unknown table, a number of 0 or beyond
// the table), which is then never looked up.
int DecodeMember(DialRecord* entry, const DialMember& member, const EditState& state);
// The member pane row of `member`, whose entry decoded as `entry`.
MemberRow BuildMemberRow(const DialMember& member, const DialRecord& entry);
// The member pane rows of `group` in stored order; returns how many (0 unless it is a group).
int BuildMemberRows(MemberRow rows[GROUP_MEMBER_MAX], const DialRecord& group,
                    const EditState& state);
