// What an address book's contacts become in the dial directory, decided before anything
// changes: every fax number and e-mail address of a contact is a destination of its own, added
// to a free Speed Dial entry (then, when asked, a free Quick Dial key) in file order, or
// skipped with the reason. The preview shows the plan; the import applies it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dial/address_book.h"
#include "document/dial_records.h"
#include "ui/field_filters.h"

struct EditState;

enum PlanOutcome { PLAN_ADD, PLAN_SKIP };
enum PlanList { PLAN_IN_SPEED, PLAN_IN_QUICK, PLAN_IN_FILE };

// One destination of the file (or one contact without any).
struct PlanRow {
    int line;                 // of the file
    std::string name;         // UTF-8, as the file gives it
    uint8_t type;             // DEST_FAX, DEST_EMAIL, or PLAN_NO_DESTINATION
    std::string destination;  // UTF-8, as the file gives it
    int outcome;              // PlanOutcome
    // PLAN_ADD: where it goes (list and 0-based entry). A duplicate: what it repeats (for
    // PLAN_IN_FILE, `entry` is that line). Otherwise -1.
    int list;
    int entry;
    int message;  // why it is skipped, or a note on an added row (a name cut); 0 for none
    std::vector<std::string> args;
    DialRecord record;  // PLAN_ADD: the entry it becomes
};

constexpr uint8_t PLAN_NO_DESTINATION = 0xFF;

struct ImportOptions {
    int useQuickKeys;  // free Quick Dial keys take what the Speed Dial list cannot
    int takeWhatFits;  // when not all fit: the first that fit, instead of none
};

struct ImportPlan {
    std::vector<PlanRow> rows;
    int passing;  // destinations that passed every check (added, or left out for want of room)
    int fitting;  // of them, those a free entry was found for
    int adding;   // what Import adds: passing when all fit, else fitting or 0 by the options
    int skipped;  // rows skipped for a reason of their own (not for want of room)
};

// Digits of a fax number, for telling duplicates: "+49 (30) 1234-56" and "4930123456" match.
std::string NumberDigits(const std::string& number);
// A number as address books write it, in the form the device dials: brackets dropped, dots and
// slashes as dashes, runs of blanks as one space.
std::string DialableNumber(const std::string& number);

// The plan for `contacts` against `current` (keys beyond keyCount are not used).
ImportPlan PlanAddressImport(const std::vector<Contact>& contacts, const EditState& current,
                             int keyCount, const TextEnvironment& env, uint16_t date,
                             const ImportOptions& options);
// *result is `current` with the plan's additions when it adds any (else `current` as it is);
// the number added.
int ApplyImportPlan(const ImportPlan& plan, const EditState& current, EditState* result);

// "Speed Dial 12", "Quick Dial 3" or "line 14" for a row's list and entry, as the preview and
// the messages name them (the entry shown as the lists show it).
std::string PlanPlaceText(int list, int entry, StringLoader load);
// The reason or note of a row, in words; "" when it has none.
std::string PlanRowReason(const PlanRow& row, StringLoader load);
// What the preview says of the file: which program wrote it, or that its columns are unknown.
std::string DescribeBookFormat(const AddressBook& book, StringLoader load);
// The preview's "Becomes" cell: the entry it becomes (with its note), or why it is skipped.
std::string PlanRowOutcomeText(const PlanRow& row, StringLoader load);
// The preview's counts: to be added and skipped, and how many do not fit, or that nothing can
// be added.
std::string PlanCountsText(const ImportPlan& plan, StringLoader load);
// The summary after an import: how many were added and skipped, with the first skipped rows.
std::string DescribeImportPlan(const ImportPlan& plan, StringLoader load);
