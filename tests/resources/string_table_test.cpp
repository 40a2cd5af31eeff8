// The string table (strings.rc) and the id header, read as text the way windres reads them:
// every name defined, no id given twice, the fixed texts exactly right, and the A3-only strings
// present in the A3 table alone.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

const std::string RESOURCES = MORAVEL_RESOURCES_DIR;

struct Define {
    std::string name;
    long value;
    int line;
    int block;  // blank-line separated block of the header (one per dialog)
};

struct Entry {
    std::string name;
    std::string text;
    int line;
};

struct Table {
    std::vector<Entry> entries;
    std::vector<std::string> errors;
};

std::vector<std::string> ReadLines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return "";
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<Define> ReadDefines()
{
    std::vector<Define> defines;
    int block = 0;
    int lineNo = 0;
    for (const std::string& raw : ReadLines(RESOURCES + "/resource_ids.h")) {
        lineNo++;
        std::string line = Trim(raw);
        if (line.empty()) {
            block++;
            continue;
        }
        std::istringstream words(line);
        std::string directive, name, value;
        words >> directive >> name >> value;
        if (directive != "#define" || value.empty() ||
            value.find_first_not_of("0123456789") != std::string::npos)
            continue;
        defines.push_back({name, std::stol(value), lineNo, block});
    }
    return defines;
}

std::map<std::string, long> DefineValues()
{
    std::map<std::string, long> values;
    for (const Define& d : ReadDefines())
        values[d.name] = d.value;
    return values;
}

// Undoes the windres quoting of one string literal starting at `quote`; returns false when the
// literal is unterminated, uses an escape windres would read differently, or has trailing text.
bool Unquote(const std::string& line, size_t quote, std::string* text, std::string* why)
{
    text->clear();
    for (size_t i = quote + 1; i < line.size(); i++) {
        char c = line[i];
        if (c == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
                *text += '"';
                i++;
                continue;
            }
            if (!Trim(line.substr(i + 1)).empty()) {
                *why = "text after the closing quote";
                return false;
            }
            return true;
        }
        if (c == '\\') {
            char next = i + 1 < line.size() ? line[i + 1] : '\0';
            if (next == 'n')
                *text += '\n';
            else if (next == '\\')
                *text += '\\';
            else {
                *why = std::string("unexpected escape \\") + next;
                return false;
            }
            i++;
            continue;
        }
        *text += c;
    }
    *why = "unterminated text";
    return false;
}

// Reads the STRINGTABLE blocks of `file` with MORAVEL_A3 defined or not, following
// #ifdef/#ifndef/#else/#endif. In strings.rc every line must belong to the table; the other
// scripts (print.rc, directory.rc) also hold dialogs, whose lines are passed over.
void ReadStringFile(const std::string& file, bool a3, Table* out)
{
    Table& table = *out;
    const bool strict = file == "strings.rc";
    std::vector<bool> active;  // one level per open conditional
    bool inComment = false;
    bool inTable = false;
    bool tableNext = false;  // STRINGTABLE seen, its BEGIN not yet
    int lineNo = 0;
    for (const std::string& raw : ReadLines(RESOURCES + "/" + file)) {
        lineNo++;
        std::string line = Trim(raw);
        std::string where = file + ":" + std::to_string(lineNo) + ": ";
        if (inComment) {
            inComment = line.find("*/") == std::string::npos;
            continue;
        }
        if (line.rfind("/*", 0) == 0) {
            inComment = line.find("*/") == std::string::npos;
            continue;
        }
        if (line.empty())
            continue;
        if (line.rfind("#ifdef", 0) == 0 || line.rfind("#ifndef", 0) == 0) {
            size_t space = line.find(' ');
            std::string symbol = space == std::string::npos ? "" : Trim(line.substr(space));
            bool defined = symbol == "MORAVEL_A3" && a3;
            active.push_back(line.rfind("#ifdef", 0) == 0 ? defined : !defined);
            continue;
        }
        if (line == "#else" || line == "#endif") {
            if (active.empty()) {
                table.errors.push_back(where + line + " without #if");
                continue;
            }
            if (line == "#else")
                active.back() = !active.back();
            else
                active.pop_back();
            continue;
        }
        bool on = true;
        for (bool level : active)
            on = on && level;
        if (line == "STRINGTABLE") {
            tableNext = true;
            continue;
        }
        if (line == "BEGIN" || line == "END") {
            inTable = line == "BEGIN" && tableNext;
            tableNext = false;
            continue;
        }
        if (!strict && !inTable)
            continue;
        size_t quote = line.find('"');
        std::string name = Trim(line.substr(0, quote));
        Entry entry{name, "", lineNo};
        std::string why;
        if (!inTable || quote == std::string::npos || name.empty())
            table.errors.push_back(where + "not a string entry: " + line);
        else if (!Unquote(line, quote, &entry.text, &why))
            table.errors.push_back(where + why);
        else if (on)
            table.entries.push_back(entry);
    }
    if (!active.empty())
        table.errors.push_back(file + ": unclosed #ifdef");
}

Table ReadStringTable(bool a3)
{
    Table table;
    for (const char* file :
         {"strings.rc", "print.rc", "directory.rc", "settings.rc", "settings_pages_b.rc"})
        ReadStringFile(file, a3, &table);
    return table;
}

// Text by id value in one variant of the table; `found` says whether the id is there.
std::string TextOf(const Table& table, long id, bool* found)
{
    std::map<std::string, long> values = DefineValues();
    for (const Entry& e : table.entries) {
        auto v = values.find(e.name);
        if (v != values.end() && v->second == id) {
            *found = true;
            return e.text;
        }
    }
    *found = false;
    return "";
}

class StringTableTest : public ::testing::TestWithParam<bool> {};

TEST_P(StringTableTest, ParsesWithDefinedNamesAndDistinctIds)
{
    Table table = ReadStringTable(GetParam());
    for (const std::string& error : table.errors)
        ADD_FAILURE() << error;
    std::map<std::string, long> values = DefineValues();
    std::map<long, std::string> byId;
    for (const Entry& e : table.entries) {
        auto v = values.find(e.name);
        if (v == values.end()) {
            ADD_FAILURE() << "string table line " << e.line << ": " << e.name
                          << " is not defined in resource_ids.h";
            continue;
        }
        auto [it, fresh] = byId.emplace(v->second, e.name);
        EXPECT_TRUE(fresh) << "id " << v->second << " given twice: " << it->second << " and "
                           << e.name;
        // The longest text a string resource may hold.
        EXPECT_LE(e.text.size(), 4097u) << e.name << " is " << e.text.size() << " characters long";
        EXPECT_FALSE(e.text.empty()) << e.name << " has an empty text";
    }
    EXPECT_GT(byId.size(), 200u) << "only " << byId.size() << " strings were read";
}

TEST_P(StringTableTest, KeyTextsAreExact)
{
    bool a3 = GetParam();
    Table table = ReadStringTable(a3);
    const struct {
        long id;
        const char* text;
    } cases[] = {
        {IDS_APP_TITLE, "Moravel"},
        {IDS_QUICK_DIAL_LIST, "Quick Dial List"},
        {IDS_CONNECTION_ONLINE, "Connection : Online"},
        {IDS_CONNECTION_OFFLINE, "Connection : Offline"},
        {IDS_DEVICE_RW_FAILED, "Reading/writing device data has failed."},
        {IDS_DEFAULT_DOCUMENT, "NewFile.Dat"},
        {IDS_SAVE_CHANGES, "Do you want to save the changes you made to %s?"},
        {IDS_ASK_OVERWRITE_GROUP,
         "This key is already assigned for Group.\nDo you want to overwrite?"},
        {IDS_RANGE_ERROR_262, "Invalid value. Enter a value between %d and %d."},
        {IDS_TITLE_COMBINATION_KEY, " (Combination Key)"},
        {IDS_SIZE_8_5X13_PORTRAIT, "8 1/2\" x 13\" Portrait"},
        {IDS_POWER_CYCLE_NETWORK, "Network setting(s) have been changed.\nTo apply the setting(s), "
                                  "turn the power of the device off, then on."},
        {IDS_MODEL_PROFILE, a3 ? "A3ZRPQ 2A02 2A03" : "A4ZRPQ 2A02"},
    };
    for (const auto& c : cases) {
        bool found = false;
        std::string text = TextOf(table, c.id, &found);
        EXPECT_TRUE(found) << "string " << c.id << " missing";
        EXPECT_EQ(text, c.text) << "string " << c.id;
    }
    bool found = false;
    EXPECT_EQ(TextOf(table, IDS_VERSION, &found).rfind("V2.60", 0), 0u)
        << "version text: " << TextOf(table, IDS_VERSION, &found);
}

TEST_P(StringTableTest, A3OnlyStringsFollowTheModel)
{
    bool a3 = GetParam();
    Table table = ReadStringTable(a3);
    for (long id : {IDS_COL_OPTION1, IDS_COL_OPTION2, IDS_COL_OPTION3, IDS_COL_OPTION4,
                    IDS_CUSTOM_SCAN_OFF, IDS_CUSTOM_SCAN_ON}) {
        bool found = false;
        TextOf(table, id, &found);
        EXPECT_EQ(found, a3) << "string " << id
                             << (a3 ? " missing from the A3 table" : " present in the A4 table");
    }
}

TEST_P(StringTableTest, FrameStringsPresent)
{
    Table table = ReadStringTable(GetParam());
    for (long id : {1,  2,  3,  4,  10, 24, 26,  27,  28,  29,  31,  32,
                    33, 34, 35, 39, 40, 59, 172, 175, 176, 178, 179, 183}) {
        bool found = false;
        TextOf(table, id, &found);
        EXPECT_TRUE(found) << "string " << id << " missing";
    }
}

INSTANTIATE_TEST_SUITE_P(Models, StringTableTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "A3" : "A4");
                         });

TEST(ResourceIdsTest, EveryStringIdHasAText)
{
    Table a4 = ReadStringTable(false), a3 = ReadStringTable(true);
    std::set<std::string> named;
    for (const Table* t : {&a4, &a3})
        for (const Entry& e : t->entries)
            named.insert(e.name);
    for (const Define& d : ReadDefines()) {
        if (d.name.rfind("IDS_", 0) != 0)
            continue;
        EXPECT_TRUE(named.count(d.name))
            << "resource_ids.h:" << d.line << ": " << d.name << " has no text";
    }
}

TEST(ResourceIdsTest, NamesAndIdsUnique)
{
    std::map<std::string, int> names;
    std::map<std::string, std::map<long, std::string>> byKind;  // dialogs, commands, strings
    std::map<int, std::map<long, std::string>> controlsByBlock;
    for (const Define& d : ReadDefines()) {
        EXPECT_EQ(names.count(d.name), 0u)
            << "resource_ids.h:" << d.line << ": " << d.name << " defined twice";
        names[d.name] = d.line;
        std::string kind = d.name.substr(0, 4);
        std::map<long, std::string>& seen =
            kind == "IDC_" ? controlsByBlock[d.block] : byKind[kind];
        auto [it, fresh] = seen.emplace(d.value, d.name);
        EXPECT_TRUE(fresh) << "resource_ids.h:" << d.line << ": " << d.name << " reuses " << d.value
                           << " of " << it->second;
    }
    // The textual reading must agree with what the compiler sees.
    std::map<std::string, long> values = DefineValues();
    EXPECT_EQ(values["IDD_DIAL_ENTRY"], IDD_DIAL_ENTRY);
    EXPECT_EQ(values["IDC_NET_SPEED"], IDC_NET_SPEED);
    EXPECT_EQ(values["IDS_EMAIL_INVALID"], IDS_EMAIL_INVALID);
}

}  // namespace
