// The dial directory as a CSV file (RFC 4180, UTF-8 with a byte-order mark, a header row, CRLF):
// one row per Quick Dial key, Speed Dial entry and group in use, written from the decoded
// records and read back into a whole new directory that replaces the old one only when every
// row passed the checks of the entry and group dialogs.
//
// The words of the format (column titles, list and kind names, speeds) are the file's own
// vocabulary, the same in every language, so they are constants here and not strings of the
// string table: a translated program still reads the files of another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dial/dial_transfer.h"
#include "ui/field_filters.h"

struct EditState;

// ---- RFC 4180 -------------------------------------------------------------------------------

// Bounds of what the reader takes: no dial directory needs more.
constexpr int CSV_RECORD_MAX = 1000;
constexpr int CSV_FIELD_MAX = 64;
constexpr size_t CSV_FIELD_LENGTH_MAX = 1024;

struct CsvRecord {
    int line;  // the line of the file the record begins on, from 1
    std::vector<std::string> fields;
};

// What one reading takes: records, fields of a record, characters of a field. Address books of
// other programs need more than the dial directory (Outlook writes 92 columns).
struct CsvBounds {
    int records;
    int fields;
    size_t fieldLength;
};
constexpr CsvBounds DIRECTORY_CSV_BOUNDS = {CSV_RECORD_MAX, CSV_FIELD_MAX, CSV_FIELD_LENGTH_MAX};

// `value` as a field: in quotes, with its quotes doubled, when it holds the separator, a quote,
// a carriage return or a line feed; else as it is.
std::string CsvField(const std::string& value, char separator = ',');
// Appends the fields as one record ending with CRLF.
void AppendCsvRecord(std::string* out, const std::vector<std::string>& fields,
                     char separator = ',');

// The separator of a file: ';' when its first line (outside quotes) holds more semicolons than
// commas, as spreadsheets write in countries whose decimal mark is a comma; else ','.
char DetectCsvSeparator(const std::string& text);
// Splits `text` into records: CRLF, LF or CR end a record, a field in quotes may hold anything
// with its quotes doubled. 1, or 0 with *problem (line and message) for a quote out of place, a
// quoted field left open, or more records, fields or characters than `bounds`.
int ParseCsv(const std::string& text, char separator, std::vector<CsvRecord>* records,
             ImportProblem* problem, const CsvBounds& bounds = DIRECTORY_CSV_BOUNDS);

// ---- The dial directory ---------------------------------------------------------------------

// 1 when a header row's titles (blanks around them ignored) are the dial directory's: they hold
// the columns every row needs (List, No., Kind).
int IsDirectoryHeader(const std::vector<std::string>& titles);

// The file for the first keyCount keys and all Speed Dial entries of `state`, its fields
// separated by `separator` (',' or ';'; the reader takes either).
std::string ExportDirectoryCsv(const EditState& state, int keyCount, char separator = ',');
// The separator a spreadsheet of the user's region splits a file at: ';' where the decimal
// mark is a comma (or the region's list separator is ';'), else ','.
char RegionalCsvSeparator(const std::string& decimalMark, const std::string& listSeparator);

struct DirectoryImport {
    int ok;
    std::vector<ImportProblem> problems;  // every problem found, in no particular order
    int quickCount, speedCount, groupCount;
};

// Reads the file against the document `current`: when every row passes, *result is `current`
// with its dial directory replaced by the file's (program-dial entries kept as they are, every
// entry the file does not name empty) and ok is 1. Otherwise *result is left alone.
DirectoryImport ImportDirectoryCsv(const uint8_t* bytes, size_t size, const EditState& current,
                                   int keyCount, const TextEnvironment& env, EditState* result);
