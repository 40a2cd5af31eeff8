#include "dial/address_import.h"

#include <cstring>
#include <memory>

#include "dial/dial_entry.h"
#include "dial/dial_text.h"
#include "document/document.h"
#include "resources/resource_ids.h"

namespace {

struct Slot {
    int list;
    int entry;
};

// The free places in the order they are filled: Speed Dial entries lowest first, then (when
// asked) Quick Dial keys. An absent entry is no place: the device has none.
std::vector<Slot> FreeSlots(const EditState& state, int keyCount, int useQuickKeys)
{
    std::vector<Slot> slots;
    DialRecord r;
    for (int i = 0; i < SPEED_DIAL_COUNT; i++)
        if (state.speedDial.lengths[i] != ITEM_ABSENT && !DecodeSpeedEntry(&r, state, i))
            slots.push_back({PLAN_IN_SPEED, i});
    if (useQuickKeys)
        for (int i = 0; i < keyCount && i < QUICK_KEY_COUNT; i++)
            if (state.quickDial.lengths[i] != ITEM_ABSENT && !DecodeQuickKey(&r, state, i))
                slots.push_back({PLAN_IN_QUICK, i});
    return slots;
}

bool SameDestination(const DialRecord& a, const DialRecord& b)
{
    if (a.destType != b.destType)
        return false;
    if (a.destType == DEST_EMAIL)
        return SameWord(a.email, b.email) != 0;
    const std::string digits = NumberDigits(a.faxNumber);
    return !digits.empty() && digits == NumberDigits(b.faxNumber);
}

// Where the directory already holds this destination: 1 with *place set.
int FindInDirectory(const EditState& state, int keyCount, const DialRecord& wanted, Slot* place)
{
    DialRecord r;
    auto holds = [&wanted](const DialRecord& r) {
        return r.inUse && !r.programDial && r.kind != KIND_GROUP && SameDestination(r, wanted);
    };
    for (int i = 0; i < SPEED_DIAL_COUNT; i++)
        if (DecodeSpeedEntry(&r, state, i) && holds(r)) {
            *place = {PLAN_IN_SPEED, i};
            return 1;
        }
    for (int i = 0; i < keyCount && i < QUICK_KEY_COUNT; i++)
        if (DecodeQuickKey(&r, state, i) && holds(r)) {
            *place = {PLAN_IN_QUICK, i};
            return 1;
        }
    return 0;
}

// The name as the entry holds it: a name too long is cut to its field (one byte a character in
// either character mode) and the row says so.
int TakeContactName(const std::string& name, const TextEnvironment& env, DialRecord* r,
                    PlanRow* row)
{
    ImportProblem problem = {};
    if (TakeNameText(name, env, r->name, &problem))
        return 1;
    if (problem.message != IDS_IMPORT_NAME_LONG) {
        row->message = problem.message;
        row->args = problem.args;
        return 0;
    }
    std::string cut;
    size_t at = 0;
    uint32_t cp = 0;
    for (int n = 0; n < DIAL_NAME_MAX && at < name.size() && NextUtf8(name, &at, &cp); n++)
        AppendUtf8(&cut, cp);
    if (!TakeNameText(TrimBlanks(cut), env, r->name, &problem)) {
        row->message = problem.message;
        row->args = problem.args;
        return 0;
    }
    row->message = IDS_ADDRESS_NAME_CUT;
    row->args = {std::to_string(DIAL_NAME_MAX)};
    return 1;
}

// The checks of the entry dialog for one destination; 1 with the record filled.
int TakeDestination(const ContactDestination& d, const EditState& current,
                    const TextEnvironment& env, DialRecord* r, PlanRow* row)
{
    ImportProblem problem = {};
    int ok = 1;
    if (d.type == DEST_FAX) {
        r->destType = DEST_FAX;
        ok = TakeFaxNumberText(DialableNumber(d.value), env, r->faxNumber, &problem) &&
             CheckDestinationRecord(*r, &problem);
        // A number of its own, never the first half of a combination.
        if (ok && IsCombinationNumber(r->faxNumber)) {
            problem = {0, IDS_VCARD_COMBINATION, {}};
            ok = 0;
        }
    } else {
        r->destType = DEST_EMAIL;
        if (!HasNetworkBoard(current)) {
            problem = {0, IDS_IMPORT_NO_BOARD, {}};
            ok = 0;
        } else {
            ok = TakeEmailText(d.value, env, r->email, &problem) &&
                 CheckDestinationRecord(*r, &problem);
        }
    }
    if (!ok) {
        row->message = problem.message;
        row->args = problem.args;
    }
    return ok;
}

}  // namespace

std::string NumberDigits(const std::string& number)
{
    std::string digits;
    for (char c : number)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

std::string DialableNumber(const std::string& number)
{
    std::string out;
    for (char c : TrimBlanks(number)) {
        if (c == '(' || c == ')')
            continue;
        if (c == '.' || c == '/')
            c = '-';
        if (c == '\t')
            c = ' ';
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out += c;
    }
    return TrimBlanks(out);
}

ImportPlan PlanAddressImport(const std::vector<Contact>& contacts, const EditState& current,
                             int keyCount, const TextEnvironment& env, uint16_t date,
                             const ImportOptions& options)
{
    ImportPlan plan = {};
    const std::vector<Slot> slots = FreeSlots(current, keyCount, options.useQuickKeys);
    size_t nextSlot = 0;
    std::vector<size_t> passed;  // rows that passed, for duplicates within the file
    for (const Contact& contact : contacts) {
        PlanRow row = {};
        row.line = contact.line;
        row.name = contact.name;
        row.type = PLAN_NO_DESTINATION;
        row.outcome = PLAN_SKIP;
        row.list = row.entry = -1;
        if (contact.problem || contact.destinations.empty()) {
            row.message = contact.problem ? contact.problem : IDS_VCARD_NO_DESTINATION;
            plan.rows.push_back(row);
            plan.skipped++;
            continue;
        }
        for (const ContactDestination& d : contact.destinations) {
            PlanRow one = row;
            one.type = d.type;
            one.destination = d.value;
            DialRecord& r = one.record;
            r.inUse = 1;
            r.kind = KIND_SPEED;
            r.speed = 2;
            r.entryDate = date;
            if (!TakeContactName(contact.name, env, &r, &one) ||
                !TakeDestination(d, current, env, &r, &one)) {
                plan.rows.push_back(one);
                plan.skipped++;
                continue;
            }
            Slot place = {-1, -1};
            if (!FindInDirectory(current, keyCount, r, &place))
                for (size_t k : passed)
                    if (SameDestination(plan.rows[k].record, r)) {
                        place = {PLAN_IN_FILE, plan.rows[k].line};
                        break;
                    }
            if (place.list >= 0) {
                one.message =
                    place.list == PLAN_IN_FILE ? IDS_ADDRESS_REPEATED : IDS_ADDRESS_DUPLICATE;
                one.list = place.list;
                one.entry = place.entry;
                plan.rows.push_back(one);
                plan.skipped++;
                continue;
            }
            plan.passing++;
            if (nextSlot < slots.size()) {
                one.outcome = PLAN_ADD;
                one.list = slots[nextSlot].list;
                one.entry = slots[nextSlot].entry;
                r.kind = one.list == PLAN_IN_QUICK ? KIND_QUICK : KIND_SPEED;
                r.index = static_cast<uint8_t>(one.entry);
                nextSlot++;
                plan.fitting++;
            } else {
                one.message = IDS_ADDRESS_NO_ROOM;
                one.args.clear();
            }
            passed.push_back(plan.rows.size());
            plan.rows.push_back(one);
        }
    }
    const bool allFit = plan.fitting == plan.passing;
    plan.adding = allFit || options.takeWhatFits ? plan.fitting : 0;
    return plan;
}

int ApplyImportPlan(const ImportPlan& plan, const EditState& current, EditState* result)
{
    auto scratch = std::make_unique<EditState>(current);
    int added = 0;
    if (plan.adding > 0)
        for (const PlanRow& row : plan.rows) {
            if (row.outcome != PLAN_ADD)
                continue;
            DialRecord r = row.record;
            if (row.list == PLAN_IN_QUICK)
                EncodeQuickKey(*scratch, &r, row.entry);
            else
                EncodeSpeedEntry(*scratch, &r, row.entry);
            added++;
        }
    *result = *scratch;
    return added;
}

std::string PlanPlaceText(int list, int entry, StringLoader load)
{
    switch (list) {
    case PLAN_IN_SPEED:
        return FormatText(load(IDS_ADDRESS_PLACE_SPEED), {std::to_string(entry)});
    case PLAN_IN_QUICK:
        return FormatText(load(IDS_ADDRESS_PLACE_QUICK), {std::to_string(entry + 1)});
    case PLAN_IN_FILE:
        return FormatText(load(IDS_ADDRESS_PLACE_LINE), {std::to_string(entry)});
    default:
        return "";
    }
}

std::string PlanRowReason(const PlanRow& row, StringLoader load)
{
    if (!row.message)
        return "";
    if (row.message == IDS_ADDRESS_DUPLICATE || row.message == IDS_ADDRESS_REPEATED)
        return FormatText(load(row.message), {PlanPlaceText(row.list, row.entry, load)});
    return FormatText(load(row.message), row.args);
}

std::string DescribeImportPlan(const ImportPlan& plan, StringLoader load)
{
    std::vector<const PlanRow*> skipped;
    for (const PlanRow& row : plan.rows)
        if (row.outcome == PLAN_SKIP || plan.adding == 0)
            skipped.push_back(&row);
    std::string text = FormatText(load(IDS_ADDRESS_ADDED), {std::to_string(plan.adding)});
    if (skipped.empty())
        return text;
    text += "\n\n" + FormatText(load(IDS_ADDRESS_SKIPPED), {std::to_string(skipped.size())});
    const size_t shown = skipped.size() < static_cast<size_t>(IMPORT_PROBLEMS_SHOWN)
                             ? skipped.size()
                             : static_cast<size_t>(IMPORT_PROBLEMS_SHOWN);
    for (size_t i = 0; i < shown; i++) {
        const PlanRow& s = *skipped[i];
        const std::string who = s.name.empty() ? s.destination : s.name;
        text += "\n" + FormatText(load(IDS_VCARD_SKIP_LINE),
                                  {std::to_string(s.line), who, PlanRowReason(s, load)});
    }
    if (skipped.size() > shown)
        text += "\n" + FormatText(load(IDS_IMPORT_MORE), {std::to_string(skipped.size() - shown)});
    return text;
}

std::string DescribeBookFormat(const AddressBook& book, StringLoader load)
{
    switch (book.format) {
    case BOOK_OUTLOOK: {
        const int language =
            book.titleLanguage >= TITLES_ENGLISH && book.titleLanguage <= TITLES_SPANISH
                ? book.titleLanguage
                : TITLES_ENGLISH;
        return FormatText(load(IDS_ADDRESS_FORMAT_OUTLOOK),
                          {load(IDS_ADDRESS_TITLES_ENGLISH + language)});
    }
    case BOOK_THUNDERBIRD:
        return load(IDS_ADDRESS_FORMAT_THUNDERBIRD);
    case BOOK_GOOGLE:
        return load(IDS_ADDRESS_FORMAT_GOOGLE);
    case BOOK_LDIF:
        return load(IDS_ADDRESS_FORMAT_LDIF);
    case BOOK_VCARD:
        return load(IDS_ADDRESS_FORMAT_VCARD);
    default:
        return load(IDS_ADDRESS_FORMAT_UNKNOWN);
    }
}

std::string PlanRowOutcomeText(const PlanRow& row, StringLoader load)
{
    if (row.outcome == PLAN_SKIP)
        return FormatText(load(IDS_ADDRESS_SKIP_ROW), {PlanRowReason(row, load)});
    const std::string place = PlanPlaceText(row.list, row.entry, load);
    return row.message ? FormatText(load(IDS_ADDRESS_ADD_NOTE), {place, PlanRowReason(row, load)})
                       : place;
}

std::string PlanCountsText(const ImportPlan& plan, StringLoader load)
{
    if (plan.passing == 0)
        return load(IDS_ADDRESS_NOTHING);
    std::string text = FormatText(load(IDS_ADDRESS_COUNTS),
                                  {std::to_string(plan.passing), std::to_string(plan.skipped)});
    if (plan.fitting < plan.passing)
        text += " " + FormatText(load(IDS_ADDRESS_OVERFLOW),
                                 {std::to_string(plan.passing - plan.fitting)});
    return text;
}
