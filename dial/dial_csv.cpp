// The dial directory as a CSV file. See dial_csv.h.
#include "dial/dial_csv.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "dial/dial_entry.h"
#include "dial/dial_group.h"
#include "dial/dial_text.h"
#include "document/dial_records.h"
#include "document/document.h"
#include "resources/resource_ids.h"

namespace {

enum Column {
    COL_LIST,
    COL_NUMBER,
    COL_KIND,
    COL_NAME,
    COL_DESTINATION,
    COL_SUB,
    COL_SID,
    COL_SPEED,
    COL_CUSTOM_SCAN,
    COL_SCAN_SIZE,
    COL_RESOLUTION,
    COL_CODING,
    COL_DATE,
    COL_DEVICE_FLAG,
    COL_MEMBERS,
    COLUMN_COUNT
};

const char* const COLUMN_TITLES[COLUMN_COUNT] = {
    "List",       "No.",    "Kind",  "Name",        "Destination",
    "SUB",        "SID",    "Speed", "Custom Scan", "Scan Size",
    "Resolution", "Coding", "Date",  "Device Flag", "Members",
};

enum RowKind { ROW_FAX, ROW_EMAIL, ROW_COMBINATION, ROW_GROUP, ROW_PROGRAM, ROW_KIND_COUNT };

const char* const KIND_NAMES[ROW_KIND_COUNT] = {"fax", "e-mail", "combination", "group",
                                                "program dial"};

const char* const LIST_QUICK = "Quick Dial";
const char* const LIST_SPEED = "Speed Dial";

// The columns a kind of row may fill besides List, No. and Kind; a program-dial row's other
// fields are not read at all.
bool Applies(RowKind kind, Column column, bool quick)
{
    switch (column) {
    case COL_LIST:
    case COL_NUMBER:
    case COL_KIND:
    case COL_NAME:
    case COL_DATE:
        return true;
    case COL_DESTINATION:
        return kind != ROW_GROUP;
    case COL_SUB:
    case COL_SID:
    case COL_SPEED:
        return kind == ROW_FAX || kind == ROW_COMBINATION;
    case COL_DEVICE_FLAG:
        return !quick && (kind == ROW_FAX || kind == ROW_COMBINATION);
    case COL_CUSTOM_SCAN:
    case COL_SCAN_SIZE:
    case COL_RESOLUTION:
    case COL_CODING:
        return kind == ROW_EMAIL;
    case COL_MEMBERS:
        return kind == ROW_GROUP;
    default:
        return false;
    }
}

// Named values. A value without a name (what a device may have stored) is written as its
// number, and a number is read back as that value, so nothing is lost on the way.
struct NameList {
    const char* const* names;
    int count;
};

const char* const SPEED_NAMES[] = {"9.6K", "14.4K", "33.6K"};
const char* const SWITCH_NAMES[] = {"off", "on"};
const char* const METRIC_SIZE_NAMES[] = {"A4", "B4 JIS", "A3"};
const char* const INCH_SIZE_NAMES[] = {"Letter", "Ledger"};
const char* const RESOLUTION_NAMES[] = {"Detail", "Fine"};
const char* const CODING_NAMES[] = {"MH", "MR", "MMR"};

constexpr NameList SPEEDS = {SPEED_NAMES, 3};
constexpr NameList SWITCHES = {SWITCH_NAMES, 2};
constexpr NameList RESOLUTIONS = {RESOLUTION_NAMES, 2};
constexpr NameList CODINGS = {CODING_NAMES, 3};

constexpr int SIZE_CODE_ZERO_INDEX = 2;

NameList SizeNames(int inch)
{
    return inch ? NameList{INCH_SIZE_NAMES, 2} : NameList{METRIC_SIZE_NAMES, 3};
}

std::string ValueText(const NameList& list, int value)
{
    if (value >= 0 && value < list.count)
        return list.names[value];
    return std::to_string(value);
}

// 1-3 decimal digits; -1 for anything else.
int SmallNumber(const std::string& text)
{
    if (text.empty() || text.size() > 3)
        return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int ParseValue(const std::string& text, const NameList& list, int* value)
{
    for (int i = 0; i < list.count; i++)
        if (SameWord(text, list.names[i])) {
            *value = i;
            return 1;
        }
    const int number = SmallNumber(text);
    if (number < 0 || number > 255)
        return 0;
    *value = number;
    return 1;
}

// The stamp as YYYY-MM-DD; empty for no stamp, and for a stamp that is no date.
std::string DateText(uint16_t stamp)
{
    const int month = (stamp >> 5) & 0x0F, day = stamp & 0x1F;
    if (month < 1 || month > 12 || day < 1)
        return "";
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", 2000 + (stamp >> 9), month, day);
    return text;
}

int ParseDate(const std::string& text, uint16_t* stamp)
{
    if (text.empty()) {
        *stamp = 0;
        return 1;
    }
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return 0;
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; p++)
        for (int k = 0; k < lengths[p]; k++) {
            const char c = text[static_cast<size_t>(starts[p] + k)];
            if (c < '0' || c > '9')
                return 0;
            parts[p] = parts[p] * 10 + (c - '0');
        }
    if (parts[0] < 2000 || parts[0] > 2127 || parts[1] < 1 || parts[1] > 12 || parts[2] < 1 ||
        parts[2] > 31)
        return 0;
    *stamp = EntryDateFor(parts[0], parts[1], parts[2]);
    return 1;
}

std::string NumberText(int number)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

std::string MemberText(const DialMember& m)
{
    return (m.table == MEMBER_TABLE_QUICK ? "Q" : "S") +
           NumberText(m.table == MEMBER_TABLE_QUICK ? m.index + 1 : m.index);
}

// Decodes a destination with what it carries unread: a combination key's name, SUB, SID and
// speed stay in its stored form, and a file that drops them would change its bytes. They are
// read as the decoder reads a plain entry, from `scratch`, a copy of the document.
int DecodeCarried(DialRecord* record, EditState& scratch, bool quick, int index)
{
    uint8_t* entry = quick ? scratch.quickDial.entries[index] : scratch.speedDial.entries[index];
    const uint8_t flags = entry[DIAL_FLAGS_BYTE];
    entry[DIAL_FLAGS_BYTE] = static_cast<uint8_t>(flags & ~FLAG_CHAIN);
    const int inUse =
        quick ? DecodeQuickKey(record, scratch, index) : DecodeSpeedEntry(record, scratch, index);
    entry[DIAL_FLAGS_BYTE] = flags;
    record->chain = (flags & FLAG_CHAIN) ? 1 : 0;
    return inUse;
}

void AppendDestination(std::string* out, const DialRecord& r, bool quick, int number, int japanese,
                       int inch, uint8_t sizeCode, char separator)
{
    std::vector<std::string> f(COLUMN_COUNT);
    f[COL_LIST] = quick ? LIST_QUICK : LIST_SPEED;
    f[COL_NUMBER] = NumberText(number);
    f[COL_NAME] = NameToUtf8(r.name, japanese);
    f[COL_DATE] = DateText(r.entryDate);
    if (r.programDial) {
        f[COL_KIND] = KIND_NAMES[ROW_PROGRAM];
        // The device's own: shown for reference, never read back.
        f[COL_DESTINATION] = r.destType == DEST_EMAIL ? r.email : r.faxNumber;
    } else if (r.destType == DEST_EMAIL) {
        f[COL_KIND] = KIND_NAMES[ROW_EMAIL];
        f[COL_DESTINATION] = r.email;
        // With custom scan off, values the device keeps as zero bytes stay empty.
        const bool plain = r.customScan == 0;
        f[COL_CUSTOM_SCAN] = ValueText(SWITCHES, r.customScan);
        // Size code 0 is the empty field: on an inch device it has no name of its own (the
        // list reads it as Ledger, whose code is 9).
        if (sizeCode != 0 || (!plain && !inch))
            f[COL_SCAN_SIZE] = ValueText(SizeNames(inch), r.scanSize);
        if (!(plain && r.scanResolution == 0xFF))
            f[COL_RESOLUTION] = ValueText(RESOLUTIONS, r.scanResolution);
        if (!(plain && r.scanCoding == 0))
            f[COL_CODING] = ValueText(CODINGS, r.scanCoding);
    } else {
        f[COL_KIND] = KIND_NAMES[r.chain ? ROW_COMBINATION : ROW_FAX];
        f[COL_DESTINATION] = r.faxNumber;
        f[COL_SUB] = r.sub;
        f[COL_SID] = r.sid;
        f[COL_SPEED] = ValueText(SPEEDS, r.speed);
        if (!quick && r.high)
            f[COL_DEVICE_FLAG] = SWITCH_NAMES[1];
    }
    if (r.programDial && quick)
        f[COL_DESTINATION].clear();
    AppendCsvRecord(out, f, separator);
}

void AppendGroup(std::string* out, const DialRecord& g, int index, int japanese, char separator)
{
    std::vector<std::string> f(COLUMN_COUNT);
    f[COL_LIST] = LIST_QUICK;
    f[COL_NUMBER] = NumberText(index + 1);
    f[COL_KIND] = KIND_NAMES[ROW_GROUP];
    f[COL_NAME] = NameToUtf8(g.name, japanese);
    f[COL_DATE] = DateText(g.entryDate);
    // Members of any other table are dropped, as the group dialog drops them.
    const GroupMembers members = MembersOfGroup(g);
    for (int k = 0; k < members.quickCount; k++)
        f[COL_MEMBERS] += (f[COL_MEMBERS].empty() ? "" : " ") + MemberText(members.quick[k]);
    for (int k = 0; k < members.speedCount; k++)
        f[COL_MEMBERS] += (f[COL_MEMBERS].empty() ? "" : " ") + MemberText(members.speed[k]);
    AppendCsvRecord(out, f, separator);
}

// The stored scan size code of an e-mail entry: the decoded size cannot tell every code apart.
uint8_t SizeCodeOf(const EditState& state, bool quick, int index)
{
    constexpr int QUICK_SCAN_SIZE_BYTE = 31, SPEED_SCAN_SIZE_BYTE = 27;
    return quick ? state.quickDial.entries[index][QUICK_SCAN_SIZE_BYTE]
                 : state.speedDial.entries[index][SPEED_SCAN_SIZE_BYTE];
}

int ClampKeys(int keyCount)
{
    return keyCount < 0 ? 0 : keyCount > QUICK_KEY_COUNT ? QUICK_KEY_COUNT : keyCount;
}

// ---- Reading --------------------------------------------------------------------------------

struct Reader {
    const EditState& current;
    EditState& scratch;
    int keyCount;
    const TextEnvironment& env;
    int columns[COLUMN_COUNT];  // field index of each column, -1 when the file has none
    int quickLine[QUICK_KEY_COUNT];
    int speedLine[SPEED_DIAL_COUNT];
    bool quickFailed[QUICK_KEY_COUNT];
    bool speedFailed[SPEED_DIAL_COUNT];
    bool quickGroup[QUICK_KEY_COUNT];
    std::vector<ImportProblem>* problems;
};

struct GroupRow {
    int line;
    int index;
    DialRecord record;
    std::vector<std::string> members;
};

std::string FieldOf(const Reader& reader, const CsvRecord& record, Column column)
{
    const int at = reader.columns[column];
    if (at < 0 || static_cast<size_t>(at) >= record.fields.size())
        return "";
    return record.fields[static_cast<size_t>(at)];
}

ImportProblem Problem(int message, std::vector<std::string> args = {})
{
    return ImportProblem{0, message, std::move(args)};
}

int Fail(ImportProblem* problem, int message, std::vector<std::string> args = {})
{
    *problem = Problem(message, std::move(args));
    return 0;
}

bool IsProgramEntry(const EditState& state, bool quick, int index)
{
    DialRecord r;
    if (quick)
        DecodeQuickKey(&r, state, index);
    else
        DecodeSpeedEntry(&r, state, index);
    return r.inUse && r.programDial;
}

// The destination fields of a fax, combination or e-mail row into `r`.
int ReadDestination(const Reader& reader, const CsvRecord& record, RowKind kind, bool quick,
                    DialRecord* r, ImportProblem* problem)
{
    const TextEnvironment& env = reader.env;
    if (!TakeNameText(FieldOf(reader, record, COL_NAME), env, r->name, problem))
        return 0;
    const std::string destination = FieldOf(reader, record, COL_DESTINATION);
    if (kind == ROW_EMAIL) {
        r->destType = DEST_EMAIL;
        if (!TakeEmailText(destination, env, r->email, problem) ||
            !CheckDestinationRecord(*r, problem))
            return 0;
        const std::string custom = TrimBlanks(FieldOf(reader, record, COL_CUSTOM_SCAN));
        const std::string size = TrimBlanks(FieldOf(reader, record, COL_SCAN_SIZE));
        const std::string resolution = TrimBlanks(FieldOf(reader, record, COL_RESOLUTION));
        const std::string coding = TrimBlanks(FieldOf(reader, record, COL_CODING));
        const int inch = IsInchDevice(reader.current);
        int value = 0;
        if (!custom.empty() && !ParseValue(custom, SWITCHES, &value))
            return Fail(problem, IDS_IMPORT_BAD_VALUE, {custom, COLUMN_TITLES[COL_CUSTOM_SCAN]});
        r->customScan = static_cast<uint8_t>(value);
        // Empty options are what the entry dialog starts from: the device's zero bytes with
        // custom scan off, Fine with it on. An empty size is code 0, which index 2 stores on
        // either paper system.
        // A number stands for a size of the device's own list only: any other would be stored
        // as a code of the other paper system and come back as another size.
        value = SIZE_CODE_ZERO_INDEX;
        if (!size.empty() &&
            (!ParseValue(size, SizeNames(inch), &value) || value >= SizeNames(inch).count))
            return Fail(problem, IDS_IMPORT_BAD_VALUE, {size, COLUMN_TITLES[COL_SCAN_SIZE]});
        r->scanSize = static_cast<uint8_t>(value);
        value = r->customScan ? 1 : 0xFF;
        if (!resolution.empty() && !ParseValue(resolution, RESOLUTIONS, &value))
            return Fail(problem, IDS_IMPORT_BAD_VALUE, {resolution, COLUMN_TITLES[COL_RESOLUTION]});
        r->scanResolution = static_cast<uint8_t>(value);
        value = 0;
        if (!coding.empty() && !ParseValue(coding, CODINGS, &value))
            return Fail(problem, IDS_IMPORT_BAD_VALUE, {coding, COLUMN_TITLES[COL_CODING]});
        r->scanCoding = static_cast<uint8_t>(value);
        return 1;
    }

    r->destType = DEST_FAX;
    if (!TakeFaxNumberText(destination, env, r->faxNumber, problem) ||
        !TakeCodeText(FieldOf(reader, record, COL_SUB), COLUMN_TITLES[COL_SUB], env, r->sub,
                      problem) ||
        !TakeCodeText(FieldOf(reader, record, COL_SID), COLUMN_TITLES[COL_SID], env, r->sid,
                      problem))
        return 0;
    // The device keeps a SID only with a SUB: dropping it silently would lose what the file says.
    if (r->sid[0] && !r->sub[0])
        return Fail(problem, IDS_IMPORT_SID_WITHOUT_SUB);
    if (!CheckDestinationRecord(*r, problem))
        return 0;
    const int combination = IsCombinationNumber(r->faxNumber);
    if (kind == ROW_FAX && combination)
        return Fail(problem, IDS_IMPORT_FAX_PLUS);
    if (kind == ROW_COMBINATION && !combination)
        return Fail(problem, IDS_IMPORT_CHAIN_NO_PLUS);
    r->chain = combination ? 1 : 0;
    const std::string speed = TrimBlanks(FieldOf(reader, record, COL_SPEED));
    int value = 2;  // an empty form's 33.6K
    if (!speed.empty() && !ParseValue(speed, SPEEDS, &value))
        return Fail(problem, IDS_IMPORT_BAD_VALUE, {speed, COLUMN_TITLES[COL_SPEED]});
    r->speed = static_cast<uint8_t>(value);
    const std::string flag = TrimBlanks(FieldOf(reader, record, COL_DEVICE_FLAG));
    value = 0;
    if (!quick && !flag.empty() && !ParseValue(flag, SWITCHES, &value))
        return Fail(problem, IDS_IMPORT_BAD_VALUE, {flag, COLUMN_TITLES[COL_DEVICE_FLAG]});
    r->high = value ? 1 : 0;
    return 1;
}

// Reads one row; a destination is written into the scratch directory at once, a group is
// returned in *group for the second pass. `failed` points at the entry's mark once the row
// names one, so that a group naming it is not blamed for its problem.
int ReadRow(Reader& reader, const CsvRecord& record, GroupRow* group, bool* isGroup, bool** failed,
            ImportProblem* problem)
{
    *isGroup = false;
    *failed = nullptr;
    const std::string list = TrimBlanks(FieldOf(reader, record, COL_LIST));
    const bool quick = SameWord(list, LIST_QUICK);
    if (!quick && !SameWord(list, LIST_SPEED))
        return Fail(problem, IDS_IMPORT_BAD_LIST);

    const std::string numberText = TrimBlanks(FieldOf(reader, record, COL_NUMBER));
    const int number = SmallNumber(numberText);
    const int keys = reader.keyCount;
    if (quick && (number < 1 || number > keys))
        return Fail(problem, IDS_IMPORT_BAD_QUICK_NUMBER, {numberText, NumberText(keys)});
    if (!quick && (number < 0 || number >= SPEED_DIAL_COUNT))
        return Fail(problem, IDS_IMPORT_BAD_SPEED_NUMBER, {numberText});
    const int index = quick ? number - 1 : number;
    int& seen = quick ? reader.quickLine[index] : reader.speedLine[index];
    if (seen)
        return Fail(problem, IDS_IMPORT_DUPLICATE, {std::to_string(seen)});
    seen = record.line;
    *failed = quick ? &reader.quickFailed[index] : &reader.speedFailed[index];

    const std::string kindText = TrimBlanks(FieldOf(reader, record, COL_KIND));
    int kind = 0;
    while (kind < ROW_KIND_COUNT && !SameWord(kindText, KIND_NAMES[kind]))
        kind++;
    if (kind == ROW_KIND_COUNT)
        return Fail(problem, IDS_IMPORT_BAD_KIND);
    const RowKind rowKind = static_cast<RowKind>(kind);
    if (rowKind == ROW_GROUP && !quick)
        return Fail(problem, IDS_IMPORT_GROUP_ON_SPEED);

    const uint32_t length =
        quick ? reader.current.quickDial.lengths[index] : reader.current.speedDial.lengths[index];
    if (length == ITEM_ABSENT)
        return Fail(problem, IDS_IMPORT_ABSENT);
    // Program-dial entries are the device's: kept as they are, and never made by a file.
    const bool program = IsProgramEntry(reader.current, quick, index);
    if (rowKind == ROW_PROGRAM)
        return program ? 1 : Fail(problem, IDS_IMPORT_PROGRAM_NEW);
    if (program)
        return Fail(problem, IDS_IMPORT_PROGRAM_KEPT);

    for (int c = 0; c < COLUMN_COUNT; c++) {
        const Column column = static_cast<Column>(c);
        if (!Applies(rowKind, column, quick) && !FieldOf(reader, record, column).empty())
            return Fail(problem, IDS_IMPORT_NOT_APPLICABLE, {COLUMN_TITLES[c]});
    }

    DialRecord r = {};
    r.inUse = 1;
    r.index = static_cast<uint8_t>(index);
    if (!ParseDate(TrimBlanks(FieldOf(reader, record, COL_DATE)), &r.entryDate))
        return Fail(problem, IDS_IMPORT_BAD_DATE);

    if (rowKind == ROW_GROUP) {
        if (!TakeNameText(FieldOf(reader, record, COL_NAME), reader.env, r.name, problem))
            return 0;
        r.kind = KIND_GROUP;
        r.high = 1;
        group->line = record.line;
        group->index = index;
        group->record = r;
        group->members.clear();
        const std::string members = FieldOf(reader, record, COL_MEMBERS);
        size_t at = 0;
        while (at < members.size()) {
            while (at < members.size() && (members[at] == ' ' || members[at] == '\t'))
                at++;
            size_t end = at;
            while (end < members.size() && members[end] != ' ' && members[end] != '\t')
                end++;
            if (end > at)
                group->members.push_back(members.substr(at, end - at));
            // More tokens than a group can hold are not kept: the count already says too many.
            if (group->members.size() > static_cast<size_t>(GROUP_MEMBER_MAX))
                break;
            at = end;
        }
        reader.quickGroup[index] = true;
        *isGroup = true;
        return 1;
    }

    r.kind = quick ? KIND_QUICK : KIND_SPEED;
    if (!ReadDestination(reader, record, rowKind, quick, &r, problem))
        return 0;
    if (quick)
        EncodeQuickKey(reader.scratch, &r, index);
    else
        EncodeSpeedEntry(reader.scratch, &r, index);
    // Without the board the entry dialog shows an e-mail entry but cannot change it: the file
    // may hold it only as the document has it.
    if (r.destType == DEST_EMAIL && !HasNetworkBoard(reader.current)) {
        const uint8_t* now = quick ? reader.scratch.quickDial.entries[index]
                                   : reader.scratch.speedDial.entries[index];
        const uint8_t* was = quick ? reader.current.quickDial.entries[index]
                                   : reader.current.speedDial.entries[index];
        if (std::memcmp(now, was, DIAL_ENTRY_SIZE) != 0)
            return Fail(problem, IDS_IMPORT_NO_BOARD);
    }
    return 1;
}

// "Q05" or "S12": the member's table and 0-based index, 1; else 0.
int ParseMember(const std::string& token, int keyCount, DialMember* member)
{
    if (token.size() < 2)
        return 0;
    const char list = token[0];
    const int number = SmallNumber(token.substr(1));
    if ((list == 'Q' || list == 'q') && number >= 1 && number <= keyCount) {
        *member = {MEMBER_TABLE_QUICK, static_cast<uint8_t>(number - 1)};
        return 1;
    }
    if ((list == 'S' || list == 's') && number >= 0 && number < SPEED_DIAL_COUNT) {
        *member = {MEMBER_TABLE_SPEED, static_cast<uint8_t>(number)};
        return 1;
    }
    return 0;
}

// Why a destination may not join a group, by the rules of the group dialog's candidate lists.
int MemberRefusal(const Reader& reader, const DialMember& m, int groupIndex,
                  const GroupMembers& members)
{
    const bool quick = m.table == MEMBER_TABLE_QUICK;
    if (quick && m.index == groupIndex)
        return IDS_IMPORT_MEMBER_SELF;
    if (quick ? HasQuickMember(members, m.index) : HasSpeedMember(members, m.index))
        return IDS_IMPORT_MEMBER_TWICE;
    if (quick && reader.quickGroup[m.index])
        return IDS_IMPORT_MEMBER_GROUP;
    const int candidate = quick ? IsQuickCandidate(reader.scratch, m.index, groupIndex, members)
                                : IsSpeedCandidate(reader.scratch, m.index, members);
    if (candidate)
        return 0;
    DialRecord r;
    if (quick)
        DecodeQuickKey(&r, reader.scratch, m.index);
    else
        DecodeSpeedEntry(&r, reader.scratch, m.index);
    if (!r.inUse)
        return IDS_IMPORT_MEMBER_EMPTY;
    if (r.programDial && quick)
        return IDS_IMPORT_MEMBER_PROGRAM;
    if (r.chain)
        return IDS_IMPORT_MEMBER_CHAIN;
    if (r.kind == KIND_GROUP)
        return IDS_IMPORT_MEMBER_GROUP;
    return IDS_IMPORT_MEMBER_UNUSABLE;
}

// The second pass: a group's members against the finished destinations, then the group.
int ReadGroup(const Reader& reader, GroupRow& row, ImportProblem* problem)
{
    // The name first, as the group dialog checks it.
    const GroupProblem name = CheckGroupForm(row.record.name, GroupMembers{{}, 1, {}, 0});
    if (name.message == IDS_NEED_GROUP_NAME)
        return Fail(problem, IDS_IMPORT_GROUP_NAME_MISSING);
    if (name.message)
        return Fail(problem, IDS_IMPORT_NAME_SPACES);
    GroupMembers members = {};
    for (const std::string& token : row.members) {
        DialMember m;
        if (!ParseMember(token, reader.keyCount, &m))
            return Fail(problem, IDS_IMPORT_BAD_MEMBER, {token});
        if (MemberTotal(members) >= GROUP_MEMBER_MAX)
            return Fail(problem, IDS_IMPORT_TOO_MANY_MEMBERS);
        const bool quick = m.table == MEMBER_TABLE_QUICK;
        // A member whose own row failed has its problem reported there already.
        if (quick ? reader.quickFailed[m.index] : reader.speedFailed[m.index])
            return -1;
        const int refusal = MemberRefusal(reader, m, row.index, members);
        if (refusal)
            return Fail(problem, refusal, {token});
        if (quick)
            members.quick[members.quickCount++] = m;
        else
            members.speed[members.speedCount++] = m;
    }
    if (CheckGroupForm(row.record.name, members).message)
        return Fail(problem, IDS_IMPORT_NO_MEMBERS);
    EncodeGroupKey(reader.scratch, row.record, row.index, members.quick, members.quickCount,
                   members.speed, members.speedCount);
    return 1;
}

// Empties the scratch directory for the file's entries: program-dial entries stay, and so does
// the length of an entry the device does not have, which marks it as absent.
void ClearDirectory(EditState& scratch, int keyCount)
{
    auto clear = [](uint8_t* entry, uint32_t* length) {
        std::memset(entry, 0, DIAL_ENTRY_SIZE);
        if (*length != ITEM_ABSENT)
            *length = 0;
    };
    for (int i = 0; i < keyCount; i++)
        if (!IsProgramEntry(scratch, true, i))
            clear(scratch.quickDial.entries[i], &scratch.quickDial.lengths[i]);
    for (int i = 0; i < SPEED_DIAL_COUNT; i++)
        if (!IsProgramEntry(scratch, false, i))
            clear(scratch.speedDial.entries[i], &scratch.speedDial.lengths[i]);
}

bool IsBlankRecord(const CsvRecord& record)
{
    for (const std::string& field : record.fields)
        if (!TrimBlanks(field).empty())
            return false;
    return true;
}

const Column REQUIRED_COLUMNS[] = {COL_LIST, COL_NUMBER, COL_KIND};

// Maps the header's titles to the columns; problems for unknown, repeated and missing ones.
void ReadHeader(const CsvRecord& header, int* columns, std::vector<ImportProblem>* problems)
{
    for (int c = 0; c < COLUMN_COUNT; c++)
        columns[c] = -1;
    for (size_t f = 0; f < header.fields.size(); f++) {
        const std::string title = TrimBlanks(header.fields[f]);
        int c = 0;
        while (c < COLUMN_COUNT && !SameWord(title, COLUMN_TITLES[c]))
            c++;
        if (c == COLUMN_COUNT) {
            // A spreadsheet may leave empty titles after the last column.
            if (!title.empty())
                problems->push_back({header.line, IDS_IMPORT_UNKNOWN_COLUMN, {title}});
        } else if (columns[c] >= 0) {
            problems->push_back({header.line, IDS_IMPORT_DOUBLE_COLUMN, {COLUMN_TITLES[c]}});
        } else {
            columns[c] = static_cast<int>(f);
        }
    }
    for (Column required : REQUIRED_COLUMNS)
        if (columns[required] < 0)
            problems->push_back(
                {header.line, IDS_IMPORT_MISSING_COLUMN, {COLUMN_TITLES[required]}});
}

}  // namespace

std::string CsvField(const std::string& value, char separator)
{
    if (value.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void AppendCsvRecord(std::string* out, const std::vector<std::string>& fields, char separator)
{
    for (size_t i = 0; i < fields.size(); i++) {
        if (i > 0)
            out->push_back(separator);
        *out += CsvField(fields[i], separator);
    }
    *out += "\r\n";
}

char DetectCsvSeparator(const std::string& text)
{
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\r' || c == '\n'))
            break;
        else if (!quoted && c == ',')
            commas++;
        else if (!quoted && c == ';')
            semicolons++;
    }
    return semicolons > commas ? ';' : ',';
}

int ParseCsv(const std::string& text, char separator, std::vector<CsvRecord>* records,
             ImportProblem* problem, const CsvBounds& bounds)
{
    records->clear();
    const size_t n = text.size();
    size_t i = 0;
    int line = 1;
    auto fail = [problem](int at, int message) {
        *problem = ImportProblem{at, message, {}};
        return 0;
    };
    auto endsField = [&](size_t at) {
        return at >= n || text[at] == separator || text[at] == '\r' || text[at] == '\n';
    };
    while (i < n) {
        CsvRecord record{line, {}};
        for (;;) {
            std::string field;
            if (i < n && text[i] == '"') {
                const int opened = line;
                i++;
                for (;;) {
                    if (i >= n)
                        return fail(opened, IDS_IMPORT_OPEN_QUOTE);
                    const char c = text[i++];
                    if (c == '"') {
                        if (i < n && text[i] == '"') {
                            field += '"';
                            i++;
                            continue;
                        }
                        break;
                    }
                    // A line break inside quotes is part of the field, and still a line of the
                    // file for the line numbers.
                    if (c == '\n' || (c == '\r' && (i >= n || text[i] != '\n')))
                        line++;
                    field += c;
                    if (field.size() > bounds.fieldLength)
                        return fail(line, IDS_IMPORT_FIELD_TOO_LONG);
                }
                if (!endsField(i))
                    return fail(line, IDS_IMPORT_AFTER_QUOTE);
            } else {
                while (!endsField(i)) {
                    if (text[i] == '"')
                        return fail(line, IDS_IMPORT_STRAY_QUOTE);
                    field += text[i++];
                    if (field.size() > bounds.fieldLength)
                        return fail(line, IDS_IMPORT_FIELD_TOO_LONG);
                }
            }
            if (record.fields.size() >= static_cast<size_t>(bounds.fields))
                return fail(record.line, IDS_IMPORT_TOO_MANY_FIELDS);
            record.fields.push_back(std::move(field));
            if (i < n && text[i] == separator) {
                i++;
                continue;
            }
            if (i < n && text[i] == '\r')
                i++;
            if (i < n && text[i] == '\n')
                i++;
            line++;
            break;
        }
        if (records->size() >= static_cast<size_t>(bounds.records))
            return fail(record.line, IDS_IMPORT_TOO_MANY_ROWS);
        records->push_back(std::move(record));
    }
    return 1;
}

int IsDirectoryHeader(const std::vector<std::string>& titles)
{
    for (Column required : REQUIRED_COLUMNS) {
        bool found = false;
        for (const std::string& title : titles)
            found = found || SameWord(TrimBlanks(title), COLUMN_TITLES[required]);
        if (!found)
            return 0;
    }
    return 1;
}

char RegionalCsvSeparator(const std::string& decimalMark, const std::string& listSeparator)
{
    return decimalMark == "," || listSeparator == ";" ? ';' : ',';
}

std::string ExportDirectoryCsv(const EditState& state, int keyCount, char separator)
{
    auto scratch = std::make_unique<EditState>(state);
    const int japanese = IsJapaneseMode(state), inch = IsInchDevice(state);
    std::string out = "\xEF\xBB\xBF";
    AppendCsvRecord(&out, std::vector<std::string>(COLUMN_TITLES, COLUMN_TITLES + COLUMN_COUNT),
                    separator);
    DialRecord r;
    for (int i = 0; i < ClampKeys(keyCount); i++) {
        if (!DecodeQuickKey(&r, state, i))
            continue;
        if (r.programDial) {
            AppendDestination(&out, r, true, i + 1, japanese, inch, SizeCodeOf(state, true, i),
                              separator);
        } else if (r.kind == KIND_GROUP) {
            if (DecodeGroupKey(&r, state, i))
                AppendGroup(&out, r, i, japanese, separator);
        } else if (DecodeCarried(&r, *scratch, true, i)) {
            AppendDestination(&out, r, true, i + 1, japanese, inch, SizeCodeOf(state, true, i),
                              separator);
        }
    }
    for (int i = 0; i < SPEED_DIAL_COUNT; i++)
        if (DecodeCarried(&r, *scratch, false, i))
            AppendDestination(&out, r, false, i, japanese, inch, SizeCodeOf(state, false, i),
                              separator);
    return out;
}

DirectoryImport ImportDirectoryCsv(const uint8_t* bytes, size_t size, const EditState& current,
                                   int keyCount, const TextEnvironment& env, EditState* result)
{
    DirectoryImport out = {};
    std::vector<ImportProblem>& problems = out.problems;
    if (size > DIRECTORY_FILE_MAX || (!bytes && size > 0)) {
        problems.push_back({0, IDS_IMPORT_TOO_LARGE, {}});
        return out;
    }
    std::string text;
    if (!FileTextToUtf8(bytes, size, &text)) {
        problems.push_back({0, IDS_IMPORT_NOT_UTF8, {}});
        return out;
    }
    std::vector<CsvRecord> records;
    ImportProblem syntax;
    if (!ParseCsv(text, DetectCsvSeparator(text), &records, &syntax)) {
        problems.push_back(syntax);
        return out;
    }
    size_t first = 0;
    while (first < records.size() && IsBlankRecord(records[first]))
        first++;
    if (first == records.size()) {
        problems.push_back({0, IDS_IMPORT_NO_HEADER, {}});
        return out;
    }

    auto scratch = std::make_unique<EditState>(current);
    const int keys = ClampKeys(keyCount);
    Reader reader{current, *scratch, keys, env, {}, {}, {}, {}, {}, {}, &problems};
    ReadHeader(records[first], reader.columns, &problems);
    if (!problems.empty())
        return out;
    ClearDirectory(*scratch, keys);

    const size_t headerFields = records[first].fields.size();
    std::vector<GroupRow> groups;
    for (size_t k = first + 1; k < records.size(); k++) {
        const CsvRecord& record = records[k];
        if (IsBlankRecord(record))
            continue;
        ImportProblem problem = {};
        bool isGroup = false;
        bool* failed = nullptr;
        GroupRow group;
        int ok;
        if (record.fields.size() > headerFields) {
            problem = Problem(IDS_IMPORT_TOO_MANY_FIELDS);
            ok = 0;
        } else {
            ok = ReadRow(reader, record, &group, &isGroup, &failed, &problem);
        }
        if (!ok) {
            problem.line = record.line;
            problems.push_back(problem);
            if (failed)
                *failed = true;
            continue;
        }
        if (isGroup)
            groups.push_back(std::move(group));
        else if (SameWord(TrimBlanks(FieldOf(reader, record, COL_LIST)), LIST_QUICK))
            out.quickCount++;
        else
            out.speedCount++;
    }
    for (GroupRow& group : groups) {
        ImportProblem problem = {};
        const int ok = ReadGroup(reader, group, &problem);
        if (ok == 0) {
            problem.line = group.line;
            problems.push_back(problem);
        } else if (ok > 0) {
            out.groupCount++;
        }
    }
    if (!problems.empty())
        return out;
    // The failed-member case (-1) always comes with its member's own problem, so reaching here
    // means every group was stored.
    *result = *scratch;
    out.ok = 1;
    return out;
}
