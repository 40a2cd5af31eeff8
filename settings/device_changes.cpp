// The change list of an upload, named through the pages' binding tables and the dial lists'
// rows. See device_changes.h.
#include "settings/device_changes.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "device/byte_order.h"
#include "device/device_transfer.h"
#include "dial/dial_rows.h"
#include "document/dial_records.h"
#include "document/edit_state.h"
#include "resources/resource_ids.h"
#include "settings/copier_page.h"
#include "settings/forwarding.h"
#include "settings/ldap_page.h"
#include "settings/line_page.h"
#include "settings/network_page.h"
#include "settings/paper_page.h"
#include "settings/reception_page.h"
#include "settings/restriction_page.h"
#include "settings/scanner_page.h"
#include "settings/smtp_page.h"
#include "settings/system_page.h"
#include "settings/transmission_page.h"

bool operator==(const WordPart& a, const WordPart& b)
{
    return a.kind == b.kind && a.id == b.id && a.control == b.control && a.text == b.text;
}

namespace {

constexpr uint32_t QUICK_DIAL_FIRST = 0x12000;
constexpr uint32_t SPEED_DIAL_FIRST = 0x12070;
constexpr uint32_t RX_TIMER_ITEM = 0x10401;
constexpr uint32_t FORWARDING_ITEM = 0x1040E;
constexpr char HIDDEN[] = "********";

WordPart Literal(const std::string& text) { return {WORDS_TEXT, 0, 0, text}; }
WordPart String(int id, const std::string& argument = "")
{
    return {WORDS_STRING, id, 0, argument};
}
WordPart Caption(int templateId) { return {WORDS_CAPTION, templateId, 0, ""}; }
WordPart ControlWords(int templateId, int control)
{
    return {WORDS_CONTROL, templateId, control, ""};
}
WordPart LabelOf(int templateId, int control) { return {WORDS_LABEL, templateId, control, ""}; }

Words Empty() { return {String(IDS_CHANGE_EMPTY)}; }
Words NumberWords(int64_t value) { return {Literal(std::to_string(value))}; }

// ---- Where the settings are named ------------------------------------------------------------

// The fields the pages edit outside their tables (through hooks and dialogs), bound here only
// so they are named and shown like the rest.
const RadioButton RX_TIMER[] = {
    {IDC_RX_TIMER_ON, RX_TIMER_ON, CODE_ANY},
    {IDC_RX_TIMER_OFF, RX_TIMER_OFF, CODE_ANY},
};
const RadioButton RX_FORWARDING[] = {
    {IDC_RX_FORWARD_ON, RX_FORWARD_ON, CODE_ANY},
    {IDC_RX_FORWARD_OFF, RX_FORWARD_OFF, CODE_ANY},
    {IDC_RX_FORWARD_AND_PRINT, RX_FORWARD_AND_PRINT, CODE_ANY},
};
const NumberOptions SHOWN_NUMBER = {3, Range(0, 255), 0, 0, ALWAYS, nullptr};
const Binding RECEPTION_EXTRA[] = {
    RadioGroup(EDIT_FIELD(reception.rxPrintTimer), RX_TIMER),
    RadioGroup(EDIT_FIELD(reception.forwarding), RX_FORWARDING),
    Number(IDC_RX_START_RINGING, EDIT_FIELD(reception.timing[RX_START_RINGING]), SHOWN_NUMBER),
    Number(IDC_RX_RINGING, EDIT_FIELD(reception.timing[RX_RINGING]), SHOWN_NUMBER),
    CheckBox(IDC_RX_WHEN_UNDETECTED, EDIT_FIELD(reception.timing[RX_WHEN_UNDETECTED]), 1),
    Number(IDC_RX_ANSWER_DETECT, EDIT_FIELD(reception.timing[RX_ANSWER_DETECT]), SHOWN_NUMBER),
    Number(IDC_RX_FAX_DETECT, EDIT_FIELD(reception.timing[RX_FAX_DETECT]), SHOWN_NUMBER),
};

const TextOptions SHOWN_TEXT = {ITEM_VALUE_SIZE, FILTER_NONE, 0, 0, 0};
const TextOptions SHOWN_SECRET = {ITEM_VALUE_SIZE, FILTER_NONE, 0, 0, 1};
const Binding PROPERTIES[] = {
    Text(IDC_PROP_DEVICE_NAME, EDIT_FIELD(properties.deviceName), SHOWN_TEXT),
    Text(IDC_PROP_FAX_NUMBER, EDIT_FIELD(properties.faxNumber), SHOWN_TEXT),
};

const RadioButton RESTRICTION_MODE[] = {
    {IDC_UR_OFF, RESTRICTION_OFF, CODE_ANY},
    {IDC_UR_ON, RESTRICTION_ON, CODE_ANY},
};
const Binding RESTRICTION[] = {
    RadioGroup(EDIT_FIELD(restriction.enabled), RESTRICTION_MODE),
    Text(IDC_UR_NEW_PASSWORD, EDIT_FIELD(restriction.password), SHOWN_SECRET),
};

// A table and where its controls are: the tab (or dialog) the user opens, and the template
// that holds the controls (the User Restriction tab opens a dialog of its own).
struct NamedTable {
    int whereTemplate;
    int controlsTemplate;
    FormTable table;
};

#define NAMED_PAGE(name, templateId, networkOnly) {templateId, templateId, name##_TABLE},
const NamedTable NAMED_TABLES[] = {
    SETTINGS_PAGE_LIST(NAMED_PAGE){IDD_PAGE_RECEPTION, IDD_PAGE_RECEPTION, Table(RECEPTION_EXTRA)},
    {IDD_PROPERTIES, IDD_PROPERTIES, Table(PROPERTIES)},
    {IDD_PAGE_USER_RESTRICTION, IDD_USER_RESTRICTION, Table(RESTRICTION)},
};
#undef NAMED_PAGE

// The tab of an item no table names, by its category (the id's second byte).
int CategoryTemplate(uint32_t id)
{
    static const int TEMPLATES[] = {
        IDD_PAGE_SYSTEM,    IDD_PAGE_PAPER,
        IDD_PAGE_COPIER,    IDD_PAGE_TRANSMISSION,
        IDD_PAGE_RECEPTION, IDD_PAGE_LINE,
        IDD_PAGE_REPORT,    IDD_PAGE_NETWORK,
        IDD_PAGE_LDAP,      IDD_PAGE_SMTP,
        IDD_PAGE_POP3,      IDD_PAGE_SCANNER,
        IDD_PROPERTIES,     IDD_PAGE_USER_RESTRICTION,
    };
    const uint32_t category = (id >> 8) & 0xFF;
    return (id >> 16) == 1 && category < sizeof TEMPLATES / sizeof TEMPLATES[0]
               ? TEMPLATES[category]
               : 0;
}

// ---- Values as the pages show them -------------------------------------------------------------

Words CodedRowWords(const Binding& binding, const EditState& state)
{
    const int64_t value = ReadField(&state, binding.field);
    // The row the page would show first; a row of an option not installed still names the code.
    for (int pass = 0; pass < 2; pass++)
        for (int i = 0; i < binding.rowCount; i++) {
            const ComboRow& row = binding.rows[i];
            if (row.code == value && (pass == 1 || ConditionHolds(row.when, &state)))
                return {String(row.stringId)};
        }
    return NumberWords(value);
}

Words IndexWords(const Binding& binding, const EditState& state)
{
    const int64_t value = ReadField(&state, binding.field);
    if (binding.rows) {
        constexpr int MAX_ROWS = 64;
        const ComboRow* rows[MAX_ROWS];
        const int count = ShownComboRows(binding, &state, rows, MAX_ROWS);
        if (value >= 0 && value < count)
            return {String(rows[value]->stringId)};
    } else if (value >= 0 && value <= binding.lastString - binding.firstString) {
        return {String(binding.firstString + static_cast<int>(value))};
    }
    return NumberWords(value);
}

Words TextWords(const Binding& binding, const EditState& state)
{
    char text[ITEM_VALUE_SIZE + 2] = "";
    ShownText(binding, &state, IsJapaneseMode(state), text, static_cast<int>(sizeof text));
    if (!text[0])
        return Empty();
    return {Literal(binding.text && binding.text->secret ? HIDDEN : text)};
}

std::string DottedAddress(uint32_t stored)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", stored & 0xFF, (stored >> 8) & 0xFF,
                  (stored >> 16) & 0xFF, stored >> 24);
    return text;
}

Words BindingWords(const Binding& binding, int templateId, const EditState& state)
{
    switch (binding.kind) {
    case BIND_CHECK:
        return {String(CheckBoxChecked(binding, &state) ? IDS_CHANGE_ON : IDS_CHANGE_OFF)};
    case BIND_RADIO: {
        const int button = CheckedRadio(binding, &state);
        if (button < 0)
            return NumberWords(ReadField(&state, binding.field));
        return {ControlWords(templateId, binding.buttons[button].control)};
    }
    case BIND_COMBO_INDEX:
        return IndexWords(binding, state);
    case BIND_COMBO_CODED:
    case BIND_LABEL:
        return CodedRowWords(binding, state);
    case BIND_SLIDER: {
        Words words = NumberWords(ReadField(&state, binding.field) + binding.slider->labelOffset);
        if (binding.slider->unitString) {
            words.push_back(Literal(" "));
            words.push_back(String(binding.slider->unitString));
        }
        return words;
    }
    case BIND_NUMBER:
        return NumberWords(ReadField(&state, binding.field));
    case BIND_TEXT:
        return TextWords(binding, state);
    case BIND_ADDRESS:
        return {Literal(DottedAddress(static_cast<uint32_t>(ReadField(&state, binding.field))))};
    }
    return NumberWords(ReadField(&state, binding.field));
}

bool InField(FieldRef field, size_t offset, size_t size)
{
    return field.size && field.offset >= offset && field.offset < offset + size;
}

int BindingControl(const Binding& binding)
{
    return binding.kind == BIND_RADIO && binding.buttonCount ? binding.buttons[0].control
                                                             : binding.control;
}

// A password that changed but reads the same hidden.
bool SecretChanged(const Binding& binding, const EditState& a, const EditState& b)
{
    return binding.kind == BIND_TEXT && binding.text && binding.text->secret &&
           std::strcmp(FieldText(&a, binding.field), FieldText(&b, binding.field)) != 0;
}

// ---- Rows -------------------------------------------------------------------------------------

struct Pair {
    const EditState& device;
    const EditState& upload;
};

struct RowSink {
    std::vector<ItemChange>& rows;
    int record;
    uint32_t item;
    bool all;   // every field, changed or not
    int named;  // rows due for this item, also those another item's row already holds
    void Add(const Words& where, const Words& what, const Words& before, const Words& after,
             bool force = false)
    {
        if (!all && !force && before == after)
            return;
        named++;
        // A field that spans two items (a radio group with its second byte) is one row.
        for (const ItemChange& row : rows)
            if (row.where == where && row.what == what && row.before == before &&
                row.after == after)
                return;
        rows.push_back({record, item, where, what, before, after});
    }
};

void TableRows(RowSink& sink, size_t offset, size_t size, const Pair& states)
{
    for (const NamedTable& named : NAMED_TABLES)
        for (int i = 0; i < named.table.bindingCount; i++) {
            const Binding& binding = named.table.bindings[i];
            if (!InField(binding.field, offset, size) && !InField(binding.field2, offset, size))
                continue;
            sink.Add({Caption(named.whereTemplate)},
                     {LabelOf(named.controlsTemplate, BindingControl(binding))},
                     BindingWords(binding, named.controlsTemplate, states.device),
                     BindingWords(binding, named.controlsTemplate, states.upload),
                     SecretChanged(binding, states.device, states.upload));
        }
}

Words TimerTime(const uint8_t* record, int at)
{
    if (record[RX_RECORD_FLAGS] != RX_TIMES_STORED)
        return Empty();
    int hour = 0, minute = 0;
    UnpackRxTime(ReadU16Le(record + at), &hour, &minute);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return {Literal(text)};
}

Words TimerPassword(const uint8_t* record)
{
    for (int i = 0; i < RX_PASSWORD_DIGITS; i++)
        if (record[RX_RECORD_PASSWORD + i])
            return {Literal(HIDDEN)};
    return Empty();
}

void TimerRows(RowSink& sink, const Pair& states)
{
    const uint8_t* a = states.device.reception.rxPrintTimerRecord;
    const uint8_t* b = states.upload.reception.rxPrintTimerRecord;
    const Words where = {Caption(IDD_PAGE_RECEPTION)};
    sink.Add(where, {LabelOf(IDD_PAGE_RECEPTION, IDC_RX_PASSWORD)}, TimerPassword(a),
             TimerPassword(b),
             std::memcmp(a + RX_RECORD_PASSWORD, b + RX_RECORD_PASSWORD, RX_PASSWORD_DIGITS) != 0);
    sink.Add(where, {LabelOf(IDD_PAGE_RECEPTION, IDC_RX_START_HOUR)}, TimerTime(a, RX_RECORD_START),
             TimerTime(b, RX_RECORD_START));
    sink.Add(where, {LabelOf(IDD_PAGE_RECEPTION, IDC_RX_END_HOUR)}, TimerTime(a, RX_RECORD_END),
             TimerTime(b, RX_RECORD_END));
}

// ", SUB 123" and the like: a labelled part of a destination, when it has a text.
void AddLabelled(Words& words, int labelId, const char* text)
{
    if (!text[0])
        return;
    words.push_back(Literal(", "));
    words.push_back(String(labelId));
    words.push_back(Literal(std::string(" ") + text));
}

Words ForwardingWords(const EditState& state)
{
    const ForwardDestination destination = DecodeForwarding(state.forwarding.record, state);
    if (destination.type == FORWARD_EMAIL)
        return {String(IDS_FRAME_EMAIL), Literal(std::string(" ") + destination.email)};
    if (destination.type != FORWARD_FAX)
        return Empty();
    Words words = {String(IDS_FRAME_FAX), Literal(std::string(" ") + destination.number)};
    AddLabelled(words, IDS_COL_SUB, destination.sub);
    AddLabelled(words, IDS_COL_SID, destination.sid);
    return words;
}

// A record no table names: its number, or its first bytes.
Words RawWords(const uint8_t* record)
{
    const uint32_t length = ReadU32Le(record + ITEM_LENGTH_OFFSET);
    if (length == ITEM_ABSENT)
        return {String(IDS_CHANGE_ABSENT)};
    if (length == 0 || length > ITEM_VALUE_SIZE)
        return Empty();
    const uint8_t* value = record + ITEM_VALUE_OFFSET;
    if (length <= 4) {
        uint32_t number = 0;
        for (uint32_t i = 0; i < length; i++)
            number |= static_cast<uint32_t>(value[i]) << (8 * i);
        return NumberWords(number);
    }
    constexpr uint32_t SHOWN_BYTES = 16;
    std::string text;
    char hex[4];
    for (uint32_t i = 0; i < length && i < SHOWN_BYTES; i++) {
        std::snprintf(hex, sizeof hex, i ? " %02X" : "%02X", value[i]);
        text += hex;
    }
    if (length > SHOWN_BYTES)
        text += " ...";
    return {Literal(text)};
}

void SettingRows(RowSink& sink, const Pair& states, const uint8_t* deviceRecord,
                 const uint8_t* uploadRecord)
{
    size_t offset = 0, size = 0;
    if (sink.item == RX_TIMER_ITEM)
        TimerRows(sink, states);
    else if (sink.item == FORWARDING_ITEM)
        sink.Add({Caption(IDD_PAGE_RECEPTION)}, {Caption(IDD_FORWARDING)},
                 ForwardingWords(states.device), ForwardingWords(states.upload));
    else if (EditFieldOfItem(sink.item, &offset, &size))
        TableRows(sink, offset, size, states);
    if (sink.named)
        return;
    // Nothing the pages show differs (or no page shows the item): the item itself, so every
    // change is listed.
    char id[16];
    std::snprintf(id, sizeof id, "0x%05X", static_cast<unsigned>(sink.item));
    const int where = CategoryTemplate(sink.item);
    sink.Add(where ? Words{Caption(where)} : Words{}, {String(IDS_CHANGE_ITEM, id)},
             RawWords(deviceRecord), RawWords(uploadRecord), true);
}

// ---- Dial entries -----------------------------------------------------------------------------

bool IsGroup(const DialRecord& record) { return record.high == 1 && record.kind == KIND_GROUP; }

DialRecord DecodeEntry(const EditState& state, bool speed, int index)
{
    DialRecord record{};
    if (speed) {
        DecodeSpeedEntry(&record, state, index);
    } else {
        DecodeQuickKey(&record, state, index);
        if (IsGroup(record))
            DecodeGroupKey(&record, state, index);
    }
    return record;
}

std::string NumberText(int number)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

Words NameWords(const DialRecord& record)
{
    if (record.programDial)
        return {String(IDS_PROGRAM_DIAL)};
    return {Literal(record.name)};
}

Words GroupWords(const DialRecord& group)
{
    std::string quick, speed;
    for (int i = 0; i < group.memberCount && i < GROUP_MEMBER_MAX; i++) {
        const DialMember& member = group.members[i];
        std::string* list = member.table == MEMBER_TABLE_QUICK   ? &quick
                            : member.table == MEMBER_TABLE_SPEED ? &speed
                                                                 : nullptr;
        if (!list)
            continue;
        const int stored = static_cast<uint8_t>(member.index + 1);
        *list += (list->empty() ? "" : ", ") +
                 NumberText(member.table == MEMBER_TABLE_SPEED ? stored - 1 : stored);
    }
    Words words = {Literal(std::string(group.name) + ":")};
    if (!quick.empty()) {
        words.push_back(Literal(" "));
        words.push_back(String(IDS_CHANGE_QUICK_MEMBERS, quick));
    }
    if (!speed.empty()) {
        words.push_back(Literal(quick.empty() ? " " : "; "));
        words.push_back(String(IDS_CHANGE_SPEED_MEMBERS, speed));
    }
    return words;
}

Words CellWords(const RowCell& cell)
{
    return cell.stringId ? Words{String(cell.stringId)} : Words{Literal(cell.text)};
}

Words EntryWords(const DialRecord& record, const DialRow& row)
{
    if (!record.inUse)
        return Empty();
    if (record.programDial)
        return {String(IDS_PROGRAM_DIAL)};
    if (IsGroup(record))
        return GroupWords(record);
    Words words;
    if (row.cells[1].text[0])
        words.push_back(Literal(std::string(row.cells[1].text) + ", "));
    words.push_back(String(record.destType == DEST_EMAIL ? IDS_FRAME_EMAIL : IDS_FRAME_FAX));
    words.push_back(Literal(std::string(" ") + row.cells[2].text));
    AddLabelled(words, IDS_COL_SUB, row.cells[3].text);
    AddLabelled(words, IDS_COL_SID, row.cells[4].text);
    for (int column = 5; column < DIAL_COLUMN_COUNT; column++) {
        const RowCell& cell = row.cells[column];
        if (!cell.stringId && !cell.text[0])
            continue;
        words.push_back(Literal(", "));
        for (const WordPart& part : CellWords(cell))
            words.push_back(part);
    }
    return words;
}

DialRow EntryRow(const DialRecord& record, bool speed, int index, int a3Model,
                 const EditState& state)
{
    return speed ? BuildSpeedDialRow(record, index, a3Model, IsInchDevice(state))
                 : BuildQuickDialRow(record, index, a3Model, IsInchDevice(state));
}

void DialRows(RowSink& sink, const Pair& states, const ChangeOptions& options)
{
    const bool speed = sink.item >= SPEED_DIAL_FIRST;
    const int index = static_cast<int>(sink.item - (speed ? SPEED_DIAL_FIRST : QUICK_DIAL_FIRST));
    const DialRecord before = DecodeEntry(states.device, speed, index);
    const DialRecord after = DecodeEntry(states.upload, speed, index);
    const int list = speed                               ? IDS_SPEED_DIAL_LIST
                     : IsGroup(before) || IsGroup(after) ? IDS_GROUP_LIST
                                                         : IDS_QUICK_DIAL_LIST;
    Words what = {Literal(NumberText(speed ? index : index + 1) + "  ")};
    for (const WordPart& part : NameWords(after.inUse ? after : before))
        what.push_back(part);
    sink.Add({String(list)}, what,
             EntryWords(before, EntryRow(before, speed, index, options.a3Model, states.device)),
             EntryWords(after, EntryRow(after, speed, index, options.a3Model, states.upload)),
             true);
}

bool IsDialItem(uint32_t id)
{
    return (id >= QUICK_DIAL_FIRST && id < QUICK_DIAL_FIRST + QUICK_KEY_COUNT) ||
           (id >= SPEED_DIAL_FIRST && id < SPEED_DIAL_FIRST + SPEED_DIAL_COUNT);
}

}  // namespace

std::vector<ItemChange> ListChanges(const DeviceImage& device, const DeviceImage& upload,
                                    const ChangeOptions& options)
{
    std::vector<ItemChange> rows;
    if (!device.bytes || !upload.bytes)
        return rows;
    int records[ITEM_COUNT];
    const int count = ListChangedRecords(device.bytes, upload.bytes, records);
    if (!count)
        return rows;
    std::unique_ptr<EditState> deviceState(new EditState());
    std::unique_ptr<EditState> uploadState(new EditState());
    LoadEditState(*deviceState, device);
    LoadEditState(*uploadState, upload);
    const Pair states = {*deviceState, *uploadState};
    for (int i = 0; i < count; i++) {
        const int record = records[i];
        RowSink sink = {rows, record, PositionItemId(record), false, 0};
        if (IsDialItem(sink.item))
            DialRows(sink, states, options);
        else
            SettingRows(sink, states, ItemRecordBytes(device, record),
                        ItemRecordBytes(upload, record));
    }
    return rows;
}

std::vector<ItemChange> ListSettings(const DeviceImage& image, const ChangeOptions& options)
{
    std::vector<ItemChange> rows;
    if (!image.bytes)
        return rows;
    std::unique_ptr<EditState> state(new EditState());
    LoadEditState(*state, image);
    const Pair states = {*state, *state};
    for (int record = 0; record < ITEM_COUNT; record++) {
        if (!IsRecordUploaded(image.bytes, record))
            continue;
        RowSink sink = {rows, record, PositionItemId(record), true, 0};
        if (IsDialItem(sink.item))
            DialRows(sink, states, options);
        else
            SettingRows(sink, states, ItemRecordBytes(image, record),
                        ItemRecordBytes(image, record));
    }
    return rows;
}

std::string RenderWords(const Words& words, const WordSource& source)
{
    std::string text;
    for (const WordPart& part : words) {
        switch (part.kind) {
        case WORDS_TEXT:
            text += part.text;
            break;
        case WORDS_STRING: {
            std::string format = source.string ? source.string(source.context, part.id) : "";
            const size_t at = format.find("%s");
            if (at != std::string::npos)
                format.replace(at, 2, part.text);
            text += format;
            break;
        }
        case WORDS_CAPTION:
            text += source.caption ? source.caption(source.context, part.id) : "";
            break;
        case WORDS_CONTROL:
            text += source.controlText
                        ? PlainLabel(source.controlText(source.context, part.id, part.control))
                        : "";
            break;
        case WORDS_LABEL:
            text += source.labelText
                        ? PlainLabel(source.labelText(source.context, part.id, part.control))
                        : "";
            break;
        }
    }
    return text;
}

