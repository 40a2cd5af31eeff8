// What the CSV and vCard readers share: the problems an import reports, the checks that hold a
// text from a file to the rules of the entry and group dialogs, and the message that lists the
// problems. A text the dialog's filter would repair is a problem here, never silently changed:
// the user sees what the file says and where.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/dial_records.h"
#include "ui/field_filters.h"

struct EditState;

// Largest dial directory file read: the whole directory takes some 40 KB.
constexpr size_t DIRECTORY_FILE_MAX = 1024 * 1024;
// How many problems the message lists before it says how many more there are.
constexpr int IMPORT_PROBLEMS_SHOWN = 10;

// One problem: the line of the file it is on (0: the file as a whole), a string id, and the
// texts for the string's "%s"/"%d" in their order.
struct ImportProblem {
    int line;
    int message;
    std::vector<std::string> args;
};

// The field checks. Each takes the file's text (UTF-8) and returns 1 with the edit form's text
// in `out` (of its field's size), or 0 with *problem set (line left for the caller).
int TakeNameText(const std::string& text, const TextEnvironment& env, char* out,
                 ImportProblem* problem);
int TakeFaxNumberText(const std::string& text, const TextEnvironment& env, char* out,
                      ImportProblem* problem);
// SUB and SID: `column` names the field in the message.
int TakeCodeText(const std::string& text, const char* column, const TextEnvironment& env, char* out,
                 ImportProblem* problem);
int TakeEmailText(const std::string& text, const TextEnvironment& env, char* out,
                  ImportProblem* problem);
// The OK checks of the entry dialog on a filled record (number or address present and usable,
// a name not of spaces only), with messages that say which.
int CheckDestinationRecord(const DialRecord& record, ImportProblem* problem);

// 1 when the device has its network board, which e-mail destinations need.
int HasNetworkBoard(const EditState& state);

// 1 when `path` names an address card file (".vcf" in any case); every other file is CSV.
int IsVcardPath(const char* path);
// 1 when `path` names an LDIF address book (".ldif" or ".ldi" in any case).
int IsLdifPath(const char* path);
// The file name an export offers: the document's title with `extension` instead of its own.
std::string ExportFileName(const char* documentTitle, const char* extension);

// Loads a string of the program's string table.
typedef std::string (*StringLoader)(int id);
// "line 14: fax number has no digit" for a problem.
std::string DescribeProblem(const ImportProblem& problem, StringLoader load);
// The problems sorted by line, the first IMPORT_PROBLEMS_SHOWN of them one a line, then how
// many more there are.
std::string ListProblems(std::vector<ImportProblem> problems, StringLoader load);
