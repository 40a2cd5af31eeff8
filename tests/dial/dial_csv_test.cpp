// The dial directory as CSV: the RFC 4180 writer and reader, the texts between the device's
// character set and UTF-8, the checks every imported row passes with their line-numbered
// messages, the all-or-nothing rule, and the exact round trip of a whole directory.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dial/dial_csv.h"
#include "dial/dial_text.h"
#include "dial/dial_transfer.h"
#include "resources/resource_ids.h"
#include "tests/dial/dial_test_support.h"

namespace {

const std::string HEADER =
    "List,No.,Kind,Name,Destination,SUB,SID,Speed,Custom Scan,Scan Size,Resolution,Coding,Date,"
    "Device Flag,Members\r\n";
const std::string BOM = "\xEF\xBB\xBF";

TextEnvironment Western() { return {1252, 0, PortableAnsiToUtf16}; }
TextEnvironment Japanese() { return {932, 1, PortableAnsiToUtf16}; }

// Every problem as "line: id args" for comparing whole lists.
std::string Describe(const std::vector<ImportProblem>& problems)
{
    std::string text;
    for (const ImportProblem& p : problems) {
        text += std::to_string(p.line) + ": " + std::to_string(p.message);
        for (const std::string& a : p.args)
            text += " [" + a + "]";
        text += "\n";
    }
    return text;
}

std::string Quoted(const std::string& s) { return "[" + s + "]"; }

std::vector<std::vector<std::string>> Fields(const std::vector<CsvRecord>& records)
{
    std::vector<std::vector<std::string>> out;
    for (const CsvRecord& r : records)
        out.push_back(r.fields);
    return out;
}

// ---- RFC 4180 -------------------------------------------------------------------------------

TEST(CsvWriter, QuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ("Alpha", CsvField("Alpha"));
    EXPECT_EQ("\"Smith, John\"", CsvField("Smith, John"));
    EXPECT_EQ("\"say \"\"hi\"\"\"", CsvField("say \"hi\""));
    EXPECT_EQ("\"two\r\nlines\"", CsvField("two\r\nlines"));
    EXPECT_EQ("\"a\nb\"", CsvField("a\nb"));
    EXPECT_EQ("a,b", CsvField("a,b", ';')) << "a comma needs no quotes in a semicolon file";
    EXPECT_EQ("\"a;b\"", CsvField("a;b", ';'));
    EXPECT_EQ(" spaced ", CsvField(" spaced ")) << "spaces are part of a field";

    std::string out;
    AppendCsvRecord(&out, {"x", "", "y,z"});
    EXPECT_EQ("x,,\"y,z\"\r\n", out);
}

TEST(CsvReader, ReadsWhatTheWriterWrites)
{
    const std::vector<std::string> nasty = {"",         "plain", "a,b", "\"",      "q\"q",
                                            "l1\r\nl2", "\n",    " x ", "\xC3\xA9"};
    std::string text;
    AppendCsvRecord(&text, nasty);
    AppendCsvRecord(&text, {"next"});
    std::vector<CsvRecord> records;
    ImportProblem problem = {};
    ASSERT_EQ(1, ParseCsv(text, ',', &records, &problem));
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(nasty, records[0].fields);
    EXPECT_EQ(1, records[0].line);
    EXPECT_EQ(4, records[1].line) << "the line breaks inside quotes are lines of the file";
}

TEST(CsvReader, Rfc4180Cases)
{
    struct Case {
        const char* text;
        std::vector<std::vector<std::string>> fields;
        std::vector<int> lines;
    } cases[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},  // LF only, no final line break
        {"a\rb\r", {{"a"}, {"b"}}, {1, 2}},              // CR only
        {"a,,\r\n", {{"a", "", ""}}, {1}},               // empty fields, trailing separator
        {"\"\"\r\n", {{""}}, {1}},                       // an empty quoted field
        {"\"a\"\"b\",c", {{"a\"b", "c"}}, {1}},
        {"\"x\ny\",z\r\nw", {{"x\ny", "z"}, {"w"}}, {1, 3}},
        {"\r\n\r\na", {{""}, {""}, {"a"}}, {1, 2, 3}},
        {"", {}, {}},
    };
    for (const Case& c : cases) {
        std::vector<CsvRecord> records;
        ImportProblem problem = {};
        ASSERT_EQ(1, ParseCsv(c.text, ',', &records, &problem)) << Quoted(c.text);
        EXPECT_EQ(c.fields, Fields(records)) << Quoted(c.text);
        std::vector<int> lines;
        for (const CsvRecord& r : records)
            lines.push_back(r.line);
        EXPECT_EQ(c.lines, lines) << Quoted(c.text);
    }
}

TEST(CsvReader, SyntaxErrorsSayWhereAndWhat)
{
    struct Case {
        std::string text;
        int line;
        int message;
    } cases[] = {
        {"a,b\r\nc\"d,e\r\n", 2, IDS_IMPORT_STRAY_QUOTE},
        {"a\r\n\"b\"c\r\n", 2, IDS_IMPORT_AFTER_QUOTE},
        {"a\r\nb\r\n\"open\r\nstill open", 3, IDS_IMPORT_OPEN_QUOTE},
        {std::string(70, ','), 1, IDS_IMPORT_TOO_MANY_FIELDS},
        {"a\r\n" + std::string(CSV_FIELD_LENGTH_MAX + 1, 'x'), 2, IDS_IMPORT_FIELD_TOO_LONG},
        {"\"" + std::string(CSV_FIELD_LENGTH_MAX + 1, 'x') + "\"", 1, IDS_IMPORT_FIELD_TOO_LONG},
        {std::string(CSV_RECORD_MAX + 1, '\n'), CSV_RECORD_MAX + 1, IDS_IMPORT_TOO_MANY_ROWS},
    };
    for (const Case& c : cases) {
        std::vector<CsvRecord> records;
        ImportProblem problem = {};
        EXPECT_EQ(0, ParseCsv(c.text, ',', &records, &problem)) << Quoted(c.text.substr(0, 40));
        EXPECT_EQ(c.line, problem.line) << Quoted(c.text.substr(0, 40));
        EXPECT_EQ(c.message, problem.message) << Quoted(c.text.substr(0, 40));
    }
}

TEST(CsvReader, SeparatorFollowsTheHeaderLine)
{
    EXPECT_EQ(',', DetectCsvSeparator(HEADER));
    EXPECT_EQ(';', DetectCsvSeparator("List;No.;Kind;Name\r\nQuick Dial;1;fax;\"a,b,c,d\"\r\n"));
    EXPECT_EQ(',', DetectCsvSeparator("\"a;b;c\",d\r\n")) << "quoted semicolons do not count";
    EXPECT_EQ(',', DetectCsvSeparator(""));
}

// ---- Texts ----------------------------------------------------------------------------------

TEST(DirectoryText, NamesBetweenTheEditFormAndUtf8)
{
    // Windows-1252 e-acute, euro sign, u-umlaut; an undefined byte keeps its own value.
    EXPECT_EQ("Jos\xC3\xA9 \xE2\x82\xAC \xC3\xBC", NameToUtf8("Jos\xE9 \x80 \xFC", 0));
    EXPECT_EQ("\xC2\x81", NameToUtf8("\x81", 0));
    // Japanese mode: 0xB1 0xB2 are half-width katakana A and I (U+FF71, U+FF72).
    EXPECT_EQ("\xEF\xBD\xB1\xEF\xBD\xB2x", NameToUtf8("\xB1\xB2x", 1));

    struct Case {
        const char* utf8;
        int japanese;
        int ok;
        const char* bytes;  // or the character that has no byte
    } cases[] = {
        {"Jos\xC3\xA9", 0, 1, "Jos\xE9"},
        {"\xE2\x82\xAC", 0, 1, "\x80"},
        {"\xEF\xBD\xB1", 1, 1, "\xB1"},
        {"\xEF\xBD\xB1", 0, 0, "\xEF\xBD\xB1"},  // no katakana outside Japanese mode
        {"\xC2\xB1", 1, 0, "\xC2\xB1"},          // its byte is a katakana in Japanese mode
        {"\xC3\xA9", 1, 1, "\xE9"},
        {"a\xE6\x97\xA5", 0, 0, "\xE6\x97\xA5"},  // a kanji has no byte at all
        {"\xC2\x80", 0, 0, "\xC2\x80"},           // a C1 control Windows-1252 has no byte for
    };
    for (const Case& c : cases) {
        std::string out, bad;
        EXPECT_EQ(c.ok, NameFromUtf8(c.utf8, c.japanese, &out, &bad)) << Quoted(c.utf8);
        EXPECT_EQ(c.bytes, c.ok ? out : bad) << Quoted(c.utf8);
    }
    std::string out, bad;
    EXPECT_EQ(0, NameFromUtf8(std::string("a\0b", 3), 0, &out, &bad)) << "NUL has no byte";
    EXPECT_EQ(0, NameFromUtf8("\xC3", 0, &out, &bad)) << "a cut sequence is no character";
}

TEST(DirectoryText, FileTextIsUtf8OrWindows1252)
{
    std::string text;
    const std::string marked = BOM + "Jos\xC3\xA9";
    ASSERT_EQ(
        1, FileTextToUtf8(reinterpret_cast<const uint8_t*>(marked.data()), marked.size(), &text));
    EXPECT_EQ("Jos\xC3\xA9", text) << "the mark is not text";
    const std::string ansi = "Jos\xE9";
    ASSERT_EQ(1, FileTextToUtf8(reinterpret_cast<const uint8_t*>(ansi.data()), ansi.size(), &text));
    EXPECT_EQ("Jos\xC3\xA9", text) << "a spreadsheet's plain CSV on a Western system";
    const std::string lying = BOM + "Jos\xE9";
    EXPECT_EQ(0,
              FileTextToUtf8(reinterpret_cast<const uint8_t*>(lying.data()), lying.size(), &text));
    for (const char* invalid : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80"})
        EXPECT_EQ(0, IsUtf8(invalid)) << "overlong, surrogate, too large, stray";
}

TEST(DirectoryText, FormatTextNeverReadsPastItsArguments)
{
    EXPECT_EQ("line 14: fax number has no digit",
              FormatText("line %d: %s", {"14", "fax number has no digit"}));
    EXPECT_EQ("100% of 3 and %n", FormatText("100%% of %d and %s%s%n", {"3"}))
        << "directives beyond the arguments give nothing; unknown ones stay";
    EXPECT_EQ("%", FormatText("%", {}));
}

// ---- The directory --------------------------------------------------------------------------

class DirectoryCsv : public DialTest {
protected:
    void SetUp() override
    {
        DialTest::SetUp();
        gDocument.edit.config.ethernetBoard = 1;
        result = std::make_unique<EditState>();
        std::memset(result.get(), 0xA5, sizeof *result);  // what must stay untouched on failure
        untouched = std::make_unique<EditState>(*result);
    }

    DirectoryImport Import(const std::string& text, const TextEnvironment& env = Western())
    {
        return ImportDirectoryCsv(reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                  gDocument.edit, QUICK_KEY_COUNT, env, result.get());
    }

    // The one problem an import of a single row after the header reports.
    std::string ProblemOf(const std::string& row)
    {
        const DirectoryImport outcome = Import(HEADER + row + "\r\n");
        EXPECT_EQ(0, outcome.ok) << row;
        return Describe(outcome.problems);
    }

    bool ResultUntouched() const
    {
        return std::memcmp(result.get(), untouched.get(), sizeof *result) == 0;
    }

    std::unique_ptr<EditState> result, untouched;
};

std::string One(int line, int message, std::vector<std::string> args = {})
{
    return Describe({ImportProblem{line, message, std::move(args)}});
}

TEST_F(DirectoryCsv, ExportWritesTheHeaderAndOneRowPerEntryInUse)
{
    PutQuickFax(Key(0), 0);
    PutQuickEmail(Key(1), 1);
    PutGroup(Key(4), 4, {{8, 1}, {4, 7}, {8, 2}});
    Key(26)[1] = FLAG_PROGRAM;
    PutSpeedFax(Speed(7), 7, FLAG_FAX | FLAG_SPEED | FLAG_HIGH);
    const std::string csv = ExportDirectoryCsv(gDocument.edit, QUICK_KEY_COUNT);
    EXPECT_EQ(BOM + HEADER +
                  "Quick Dial,01,fax,M\xC3\xBCller,0312345678,12,345,14.4K,,,,,2024-05-17,,\r\n"
                  "Quick Dial,02,e-mail,Jos\xC3\xA9,a.b@example.com,,,,on,B4 JIS,Fine,MMR,"
                  "2022-01-01,,\r\n"
                  "Quick Dial,05,group,Sales,,,,,,,,,,,Q01 Q02 S06\r\n"
                  "Quick Dial,27,program dial,,,,,,,,,,,,\r\n"
                  "Speed Dial,07,fax,Bob,5551234,,,33.6K,,,,,2024-08-17,on,\r\n",
              csv)
        << "the group's members Quick Dial first, as stored; a stamp that is no date is empty";
}

TEST_F(DirectoryCsv, RowChecksNameTheLineAndTheProblem)
{
    PutQuickFax(Key(2), 2);
    Key(26)[1] = FLAG_PROGRAM;
    gDocument.edit.speedDial.lengths[89] = ITEM_ABSENT;
    struct Case {
        const char* row;
        int message;
        std::vector<std::string> args;
    } cases[] = {
        {"Fast Dial,1,fax,,123", IDS_IMPORT_BAD_LIST, {}},
        {"Quick Dial,31,fax,,123", IDS_IMPORT_BAD_QUICK_NUMBER, {"31", "30"}},
        {"Quick Dial,0,fax,,123", IDS_IMPORT_BAD_QUICK_NUMBER, {"0", "30"}},
        {"Quick Dial,x1,fax,,123", IDS_IMPORT_BAD_QUICK_NUMBER, {"x1", "30"}},
        {"Speed Dial,90,fax,,123", IDS_IMPORT_BAD_SPEED_NUMBER, {"90"}},
        {"Speed Dial,1,phone,,123", IDS_IMPORT_BAD_KIND, {}},
        {"Speed Dial,1,group,Team,,,,,,,,,,,S02", IDS_IMPORT_GROUP_ON_SPEED, {}},
        {"Speed Dial,89,fax,,123", IDS_IMPORT_ABSENT, {}},
        {"Quick Dial,27,fax,,123", IDS_IMPORT_PROGRAM_KEPT, {}},
        {"Quick Dial,3,program dial", IDS_IMPORT_PROGRAM_NEW, {}},
        {"Quick Dial,1,fax,A,123,,,,on", IDS_IMPORT_NOT_APPLICABLE, {"Custom Scan"}},
        {"Quick Dial,1,fax,A,123,,,,,,,,,on", IDS_IMPORT_NOT_APPLICABLE, {"Device Flag"}},
        {"Quick Dial,1,e-mail,A,a@b.c,1", IDS_IMPORT_NOT_APPLICABLE, {"SUB"}},
        {"Quick Dial,1,group,G,x", IDS_IMPORT_NOT_APPLICABLE, {"Destination"}},
        {"Quick Dial,1,fax,A,123,,,,,,,,,,Q02", IDS_IMPORT_NOT_APPLICABLE, {"Members"}},
        {"Quick Dial,1,fax,What?,123", IDS_IMPORT_NAME_CHAR, {"?"}},
        {"Quick Dial,1,fax,back\\slash,123", IDS_IMPORT_NAME_CHAR, {"\\"}},
        {"Quick Dial,1,fax,\"tab\there\",123", IDS_IMPORT_NAME_CHAR, {"U+0009"}},
        {"Quick Dial,1,fax,\xE2\x82\xAC uro,123", IDS_IMPORT_NAME_CHAR, {"\xE2\x82\xAC"}},
        {"Quick Dial,1,fax,\xE6\x97\xA5,123", IDS_IMPORT_NAME_CHAR, {"\xE6\x97\xA5"}},
        {"Quick Dial,1,fax,123456789012345678901,123", IDS_IMPORT_NAME_LONG, {}},
        {"Quick Dial,1,fax,   ,123", IDS_IMPORT_NAME_SPACES, {}},
        {"Quick Dial,1,fax,A,", IDS_IMPORT_FAX_MISSING, {}},
        {"Quick Dial,1,fax,A,---", IDS_IMPORT_FAX_NO_DIGIT, {}},
        {"Quick Dial,1,fax,A,P123", IDS_IMPORT_FAX_PAUSE, {}},
        {"Quick Dial,1,fax,A,012-34x5", IDS_IMPORT_FAX_CHAR, {"x"}},
        {"Quick Dial,1,fax,A,(030) 1234", IDS_IMPORT_FAX_CHAR, {"("}},
        {"Quick Dial,1,fax,A,0\xC2\xB9", IDS_IMPORT_FAX_CHAR, {"\xC2\xB9"}},
        {"Quick Dial,1,fax,A,123456789012345678901234567890123456789012345678901",
         IDS_IMPORT_FAX_LONG,
         {}},
        {"Quick Dial,1,fax,A,555+", IDS_IMPORT_FAX_PLUS, {}},
        {"Quick Dial,1,combination,,555", IDS_IMPORT_CHAIN_NO_PLUS, {}},
        {"Quick Dial,1,fax,A,123,1-2", IDS_IMPORT_CODE_CHAR, {"SUB", "-"}},
        {"Quick Dial,1,fax,A,123,12,P", IDS_IMPORT_CODE_CHAR, {"SID", "P"}},
        {"Quick Dial,1,fax,A,123,123456789012345678901", IDS_IMPORT_CODE_LONG, {"SUB"}},
        {"Quick Dial,1,fax,A,123,,34", IDS_IMPORT_SID_WITHOUT_SUB, {}},
        {"Quick Dial,1,fax,A,123,,,56K", IDS_IMPORT_BAD_VALUE, {"56K", "Speed"}},
        {"Quick Dial,1,fax,A,123,,,,,,,,17.05.2024", IDS_IMPORT_BAD_DATE, {}},
        {"Quick Dial,1,fax,A,123,,,,,,,,2024-13-01", IDS_IMPORT_BAD_DATE, {}},
        {"Quick Dial,1,fax,A,123,,,,,,,,1999-12-31", IDS_IMPORT_BAD_DATE, {}},
        {"Quick Dial,1,e-mail,A,", IDS_IMPORT_EMAIL_MISSING, {}},
        {"Quick Dial,1,e-mail,A,a@b@c.d", IDS_IMPORT_EMAIL_INVALID, {}},
        {"Quick Dial,1,e-mail,A,ab.cd", IDS_IMPORT_EMAIL_INVALID, {}},
        {"Quick Dial,1,e-mail,A,\"a,b@c.d\"", IDS_IMPORT_EMAIL_CHAR, {","}},
        {"Quick Dial,1,e-mail,A,j\xC3\xB6rg@x.de", IDS_IMPORT_EMAIL_CHAR, {"\xC3\xB6"}},
        {"Quick Dial,1,e-mail,A,a@b.c,,,,,Letter", IDS_IMPORT_BAD_VALUE, {"Letter", "Scan Size"}},
        // A number past the list would be stored as the other paper system's code.
        {"Quick Dial,1,e-mail,A,a@b.c,,,,off,4", IDS_IMPORT_BAD_VALUE, {"4", "Scan Size"}},
        {"Quick Dial,1,e-mail,A,a@b.c,,,,maybe", IDS_IMPORT_BAD_VALUE, {"maybe", "Custom Scan"}},
        {"Quick Dial,1,group,,,,,,,,,,,,Q03", IDS_IMPORT_GROUP_NAME_MISSING, {}},
        {"Quick Dial,1,group,Team,,,,,,,,,,,", IDS_IMPORT_NO_MEMBERS, {}},
        {"Quick Dial,1,group,Team,,,,,,,,,,,X9 Q03", IDS_IMPORT_BAD_MEMBER, {"X9"}},
        {"Quick Dial,1,group,Team,,,,,,,,,,,S90", IDS_IMPORT_BAD_MEMBER, {"S90"}},
        {"Quick Dial,1,group,Team,,,,,,,,,,,Q01", IDS_IMPORT_MEMBER_SELF, {"Q01"}},
        {"Quick Dial,1,group,  ,,,,,,,,,,,Q01", IDS_IMPORT_NAME_SPACES, {}},
        {"Quick Dial,1,group,Team,,,,,,,,,,,Q05", IDS_IMPORT_MEMBER_EMPTY, {"Q05"}},
        {"Quick Dial,1,group,Team,,,,,,,,,,,Q27", IDS_IMPORT_MEMBER_PROGRAM, {"Q27"}},
        {"Quick Dial,1,a,b,c,d,e,f,g,h,i,j,k,l,m,n", IDS_IMPORT_TOO_MANY_FIELDS, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(One(2, c.message, c.args), ProblemOf(c.row)) << c.row;
        EXPECT_TRUE(ResultUntouched()) << c.row;
    }
}

TEST_F(DirectoryCsv, GroupMembersFollowTheGroupDialogsRules)
{
    const std::string rows = HEADER + "Quick Dial,1,fax,One,111\r\n"
                                      "Quick Dial,2,combination,,222+\r\n"
                                      "Quick Dial,3,group,Inner,,,,,,,,,,,Q01\r\n"
                                      "Speed Dial,4,combination,,444+\r\n"
                                      "Speed Dial,5,fax,Five,555\r\n"
                                      "Quick Dial,10,group,G1,,,,,,,,,,,Q01 Q02\r\n"
                                      "Quick Dial,11,group,G2,,,,,,,,,,,Q03\r\n"
                                      "Quick Dial,12,group,G3,,,,,,,,,,,S04\r\n"
                                      "Quick Dial,13,group,G4,,,,,,,,,,,S05 Q01 S05\r\n"
                                      "Quick Dial,14,fax,Bad?,1\r\n"
                                      "Quick Dial,15,group,G5,,,,,,,,,,,Q14\r\n";
    const DirectoryImport outcome = Import(rows);
    EXPECT_EQ(0, outcome.ok);
    EXPECT_EQ(One(7, IDS_IMPORT_MEMBER_CHAIN, {"Q02"}) + One(8, IDS_IMPORT_MEMBER_GROUP, {"Q03"}) +
                  One(9, IDS_IMPORT_MEMBER_CHAIN, {"S04"}) +
                  One(10, IDS_IMPORT_MEMBER_TWICE, {"S05"}) + One(11, IDS_IMPORT_NAME_CHAR, {"?"}),
              [&] {
                  std::vector<ImportProblem> sorted = outcome.problems;
                  std::stable_sort(sorted.begin(), sorted.end(),
                                   [](const ImportProblem& a, const ImportProblem& b) {
                                       return a.line < b.line;
                                   });
                  return Describe(sorted);
              }())
        << "a group naming a row that failed on its own is not blamed again";
}

TEST_F(DirectoryCsv, AtMostFiftyMembers)
{
    std::string rows = HEADER, members;
    for (int i = 0; i < 51; i++) {
        rows += "Speed Dial," + std::to_string(i) + ",fax,,5" + std::to_string(i) + "\r\n";
        members += (i ? " S" : "S") + std::to_string(i);
    }
    const std::string fifty = members.substr(0, members.rfind(' '));
    EXPECT_EQ(1, Import(rows + "Quick Dial,1,group,Many,,,,,,,,,,," + fifty + "\r\n").ok);
    EXPECT_EQ(
        One(53, IDS_IMPORT_TOO_MANY_MEMBERS),
        Describe(Import(rows + "Quick Dial,1,group,Many,,,,,,,,,,," + members + "\r\n").problems));
}

TEST_F(DirectoryCsv, DuplicatesAndHeaderProblems)
{
    EXPECT_EQ(One(4, IDS_IMPORT_DUPLICATE, {"2"}),
              Describe(Import(HEADER + "Speed Dial,07,fax,,1\r\nSpeed Dial,08,fax,,2\r\n"
                                       "Speed Dial,7,fax,,3\r\n")
                           .problems));
    EXPECT_EQ(One(1, IDS_IMPORT_UNKNOWN_COLUMN, {"Phone"}) +
                  One(1, IDS_IMPORT_DOUBLE_COLUMN, {"Name"}) +
                  One(1, IDS_IMPORT_MISSING_COLUMN, {"Kind"}),
              Describe(Import("List,No.,Name,Phone,NAME\r\n").problems));
    EXPECT_EQ(One(0, IDS_IMPORT_NO_HEADER), Describe(Import("\r\n , \r\n").problems));
    EXPECT_EQ(One(0, IDS_IMPORT_NOT_UTF8), Describe(Import(BOM + HEADER + "\xFF").problems));
    const std::string huge(DIRECTORY_FILE_MAX + 1, ' ');
    EXPECT_EQ(One(0, IDS_IMPORT_TOO_LARGE), Describe(Import(huge).problems));
}

TEST_F(DirectoryCsv, AnErrorOnTheLastLineChangesNothing)
{
    std::string rows = HEADER;
    for (int i = 0; i < SPEED_DIAL_COUNT; i++)
        rows += "Speed Dial," + std::to_string(i) + ",fax,Name " + std::to_string(i) + ",0" +
                std::to_string(1000 + i) + "\r\n";
    ASSERT_EQ(1, Import(rows).ok) << Describe(Import(rows).problems);
    std::memcpy(result.get(), untouched.get(), sizeof *result);
    const DirectoryImport outcome = Import(rows + "Quick Dial,30,fax,Last,no digits\r\n");
    EXPECT_EQ(0, outcome.ok);
    EXPECT_EQ(One(92, IDS_IMPORT_FAX_CHAR, {"n"}), Describe(outcome.problems));
    EXPECT_TRUE(ResultUntouched()) << "90 good rows are not taken when one is wrong";
}

TEST_F(DirectoryCsv, ColumnsByTitleInAnyOrderAndSemicolons)
{
    const std::string file =
        "Kind;Destination;List;No.;Name\r\nfax;0301234;speed dial;3;\"Smith; J\"\r\n";
    ASSERT_EQ(1, Import(file).ok) << Describe(Import(file).problems);
    DialRecord r;
    ASSERT_EQ(1, DecodeSpeedEntry(&r, *result, 3));
    EXPECT_STREQ("Smith; J", r.name);
    EXPECT_STREQ("0301234", r.faxNumber);
    EXPECT_EQ(2, r.speed) << "an empty speed is the empty form's 33.6K";
    EXPECT_EQ(0, r.entryDate) << "an empty date is no date";
    EXPECT_EQ(SPEED_FAX_LENGTH, result->speedDial.lengths[3]);
}

TEST_F(DirectoryCsv, TheManualsExampleImports)
{
    const std::string example =
        "List,No.,Kind,Name,Destination,SUB,SID,Speed,Date,Members\n"
        "Quick Dial,01,fax,\"Smith, John\",0301234567,12,34,33.6K,2024-05-17,\n"
        "Quick Dial,02,e-mail,Sales,sales@example.com,,,,2024-05-17,\n"
        "Quick Dial,05,group,Team,,,,,2024-06-01,Q01 Q02 S07\n"
        "Speed Dial,07,fax,M\xC3\xBCller,0897654,,,14.4K,,\n";
    const DirectoryImport outcome = Import(example);
    ASSERT_EQ(1, outcome.ok) << Describe(outcome.problems);
    DialRecord g;
    ASSERT_EQ(1, DecodeGroupKey(&g, *result, 4));
    EXPECT_STREQ("Team", g.name);
    EXPECT_EQ(3, g.memberCount);
    EXPECT_EQ(EntryDateFor(2024, 6, 1), g.entryDate);
}

TEST_F(DirectoryCsv, ReplacesTheDirectoryButKeepsTheDevicesOwn)
{
    PutQuickFax(Key(0), 0);
    PutSpeedFax(Speed(1), 1);
    gDocument.edit.quickDial.lengths[0] = QUICK_FAX_LENGTH;
    Key(28)[1] = FLAG_PROGRAM;
    Key(28)[40] = 0x5A;  // the device's own bytes
    gDocument.edit.quickDial.lengths[28] = 77;
    PutSpeedFax(Speed(2), 2, FLAG_FAX | FLAG_SPEED | FLAG_PROGRAM);
    gDocument.edit.speedDial.lengths[89] = ITEM_ABSENT;
    const EditState before = gDocument.edit;

    ASSERT_EQ(1, Import(HEADER + "Speed Dial,05,e-mail,Mail,m@x.org\r\n").ok);
    DialRecord r;
    EXPECT_EQ(0, DecodeQuickKey(&r, *result, 0)) << "an entry the file does not name is emptied";
    EXPECT_EQ(0u, result->quickDial.lengths[0]);
    EXPECT_EQ(0, DecodeSpeedEntry(&r, *result, 1));
    EXPECT_EQ(Bytes(before.quickDial.entries[28]), Bytes(result->quickDial.entries[28]));
    EXPECT_EQ(77u, result->quickDial.lengths[28]) << "program-dial keys stay as they are";
    EXPECT_EQ(Bytes(before.speedDial.entries[2]), Bytes(result->speedDial.entries[2]));
    EXPECT_EQ(ITEM_ABSENT, result->speedDial.lengths[89]) << "an absent entry stays absent";
    ASSERT_EQ(1, DecodeSpeedEntry(&r, *result, 5));
    EXPECT_STREQ("m@x.org", r.email);
    EXPECT_EQ(0, std::memcmp(&before.system, &result->system, sizeof before.system))
        << "only the directory changes";
}

TEST_F(DirectoryCsv, EmailWithoutTheBoardOnlyAsItIs)
{
    PutSpeedEmail(Speed(3), 3);
    gDocument.edit.config.ethernetBoard = 0;
    const std::string same = ExportDirectoryCsv(gDocument.edit, QUICK_KEY_COUNT);
    EXPECT_EQ(1, Import(same).ok) << "the entry may stay as the document has it";
    EXPECT_EQ(One(2, IDS_IMPORT_NO_BOARD),
              Describe(Import(HEADER + "Speed Dial,03,e-mail,\xC3\x9C,other@y.org\r\n").problems));
}

// A directory with every kind of entry, written by the program's own writers, then made to
// look as the device keeps it (flags the writers leave alone, dates, unread bytes).
void FillWholeDirectory(int japanese)
{
    auto put = [](int quick, int index, DialRecord r) {
        r.inUse = 1;
        r.kind = quick ? KIND_QUICK : KIND_SPEED;
        if (quick)
            EncodeQuickKey(gDocument.edit, &r, index);
        else
            EncodeSpeedEntry(gDocument.edit, &r, index);
    };
    auto fax = [](const char* name, const char* number, const char* sub, const char* sid, int speed,
                  uint16_t date) {
        DialRecord r = {};
        std::strcpy(r.name, name);
        std::strcpy(r.faxNumber, number);
        std::strcpy(r.sub, sub);
        std::strcpy(r.sid, sid);
        r.speed = static_cast<uint8_t>(speed);
        r.entryDate = date;
        return r;
    };
    auto mail = [](const char* name, const char* address, int custom, int size, int res,
                   int coding) {
        DialRecord r = {};
        r.destType = DEST_EMAIL;
        std::strcpy(r.name, name);
        std::strcpy(r.email, address);
        r.customScan = static_cast<uint8_t>(custom);
        r.scanSize = static_cast<uint8_t>(size);
        r.scanResolution = static_cast<uint8_t>(res);
        r.scanCoding = static_cast<uint8_t>(coding);
        r.entryDate = EntryDateFor(2023, 12, 31);
        return r;
    };
    const char* names[] = {"Smith, \"J\"", "M\xFCller", "Caf\xE9 Z", "O'Neil & Co.", ""};
    const char* kana[] = {"\xB1\xB2\xB3", "ABC \xB6\xB7", "\xDF", "a-b", ""};
    const char* const* pick = japanese ? kana : names;
    for (int i = 0; i < 20; i++) {
        DialRecord r =
            fax(pick[i % 5], ("0" + std::to_string(30123400 + i)).c_str(), i % 3 ? "12#" : "",
                i % 3 == 1 ? "*9" : "", i % 3, EntryDateFor(2000 + i, 1 + i % 12, 1 + i));
        put(1, i, r);
    }
    put(1, 20, mail(pick[1], "a.b@example.com", 1, 1, 1, 2));
    put(1, 21, mail(pick[2], "plain@example.org", 0, 0, 0, 0));
    // A combination key made from an entry: its name, SUB, SID and speed stay unread inside.
    DialRecord chain = fax(pick[3], "0044+", "5", "6", 1, EntryDateFor(2024, 2, 29));
    chain.chain = 1;
    put(1, 22, chain);
    for (int i = 0; i < 88; i++) {
        DialRecord r = i % 4 == 3 ? mail(pick[i % 5], ("u" + std::to_string(i) + "@x.de").c_str(),
                                         i % 2, i % 3, i % 2, i % 3)
                                  : fax(pick[i % 5], ("00" + std::to_string(i) + " P-1").c_str(),
                                        "1", "", 2, EntryDateFor(2099, 7, 4));
        put(0, i, r);
    }
    DialRecord link = fax("", "77+", "", "", 2, 0);
    link.chain = 1;
    put(0, 88, link);
    // Device facts the program only carries: the high flag of a Speed Dial fax, stored zero
    // scan bytes, and program-dial entries.
    gDocument.edit.speedDial.entries[1][1] |= FLAG_HIGH;
    std::memset(gDocument.edit.speedDial.entries[7] + 26, 0, 4);
    gDocument.edit.quickDial.entries[27][1] = FLAG_PROGRAM;
    gDocument.edit.quickDial.entries[27][50] = 0x33;
    gDocument.edit.speedDial.entries[86][1] |= FLAG_PROGRAM;
    DialRecord g = {};
    g.inUse = 1;
    std::strcpy(g.name, pick[0]);
    g.entryDate = EntryDateFor(2025, 6, 30);
    const DialMember quick[] = {{8, 3}, {8, 0}, {8, 20}};
    const DialMember speed[] = {{4, 5}, {4, 0}, {4, 86}, {4, 7}};
    EncodeGroupKey(gDocument.edit, g, 24, quick, 3, speed, 4);
    std::strcpy(g.name, pick[2]);
    EncodeGroupKey(gDocument.edit, g, 25, quick + 2, 1, nullptr, 0);
}

class DirectoryRoundTrip : public DirectoryCsv, public ::testing::WithParamInterface<int> {};

TEST_P(DirectoryRoundTrip, ExportThenImportGivesTheSameBytes)
{
    const int japanese = GetParam() & 1, inch = GetParam() >> 1;
    gDocument.edit.system.languageSet = static_cast<uint8_t>(japanese);
    gDocument.edit.config.inchPaper = static_cast<uint8_t>(inch);
    FillWholeDirectory(japanese);
    const EditState before = gDocument.edit;
    const std::string csv = ExportDirectoryCsv(gDocument.edit, QUICK_KEY_COUNT);

    // Into a document whose directory is different (its program-dial entries are the same).
    std::memset(gDocument.edit.quickDial.entries[3], 0x11, DIAL_ENTRY_SIZE);
    std::memset(gDocument.edit.speedDial.entries[60], 0, DIAL_ENTRY_SIZE);
    gDocument.edit.speedDial.lengths[60] = 0;
    const DirectoryImport outcome = Import(csv, japanese ? Japanese() : Western());
    ASSERT_EQ(1, outcome.ok) << Describe(outcome.problems) << csv;
    EXPECT_EQ(26, outcome.quickCount + outcome.groupCount);
    for (int i = 0; i < QUICK_KEY_COUNT; i++) {
        EXPECT_EQ(-1, FirstDifference(Bytes(before.quickDial.entries[i]),
                                      Bytes(result->quickDial.entries[i])))
            << "key " << i + 1;
        EXPECT_EQ(before.quickDial.lengths[i], result->quickDial.lengths[i]) << "key " << i + 1;
    }
    for (int i = 0; i < SPEED_DIAL_COUNT; i++) {
        EXPECT_EQ(-1, FirstDifference(Bytes(before.speedDial.entries[i]),
                                      Bytes(result->speedDial.entries[i])))
            << "speed " << i;
        EXPECT_EQ(before.speedDial.lengths[i], result->speedDial.lengths[i]) << "speed " << i;
    }
    EXPECT_EQ(csv, ExportDirectoryCsv(*result, QUICK_KEY_COUNT));
}

INSTANTIATE_TEST_SUITE_P(CharsetAndPaper, DirectoryRoundTrip, ::testing::Values(0, 1, 2, 3));

TEST(DirectoryMessages, ListsTheFirstProblemsByLine)
{
    auto load = [](int id) -> std::string {
        switch (id) {
        case IDS_IMPORT_LINE:
            return "line %d: %s";
        case IDS_IMPORT_MORE:
            return "... and %d more.";
        case IDS_IMPORT_FAX_NO_DIGIT:
            return "fax number has no digit";
        case IDS_IMPORT_CODE_CHAR:
            return "%s holds \"%s\"";
        default:
            return "file problem";
        }
    };
    std::vector<ImportProblem> problems;
    for (int line = 20; line > 0; line--)
        problems.push_back({line, IDS_IMPORT_FAX_NO_DIGIT, {}});
    problems.push_back({0, IDS_IMPORT_TOO_LARGE, {}});
    problems.push_back({3, IDS_IMPORT_CODE_CHAR, {"SUB", "P"}});
    std::string expected = "file problem\nline 1: fax number has no digit\n"
                           "line 2: fax number has no digit\nline 3: fax number has no digit\n"
                           "line 3: SUB holds \"P\"\n";
    for (int line = 4; line <= 8; line++)
        expected += "line " + std::to_string(line) + ": fax number has no digit\n";
    expected += "... and 12 more.";
    EXPECT_EQ(expected, ListProblems(problems, load));
}

TEST(DirectoryFiles, FormatFollowsTheExtension)
{
    EXPECT_EQ(1, IsVcardPath("C:\\x\\Book.VCF"));
    EXPECT_EQ(0, IsVcardPath("C:\\x\\Book.csv"));
    EXPECT_EQ(0, IsVcardPath("vcf"));
    EXPECT_EQ(0, IsVcardPath(nullptr));
    EXPECT_EQ("NewFile.csv", ExportFileName("NewFile.Dat", "csv"));
    EXPECT_EQ("Office.v2.csv", ExportFileName("Office.v2.DAT", "csv"));
    EXPECT_EQ("plain.vcf", ExportFileName("plain", "vcf"));
}

}  // namespace
