// Every translated resource library against the English resources it stands in for: the same
// string, menu and dialog ids and controls, the same printf conversions in every string, a text
// left in English only when it is on the written list, texts the language's code page can show,
// access keys unique in each form and menu, and every form laid out so no text is cut, no
// control overlaps another and the form fits the smallest screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ui/dialog_template.h"
#include "tests/ui/dialog_resources_win.h"

namespace {

struct Language {
    const char* code;
    UINT codePage;
};
void PrintTo(const Language& language, std::ostream* os) { *os << language.code; }
const Language LANGUAGES[] = {{"de", 1252}, {"fr", 1252}, {"es", 1252}, {"it", 1252}, {"ja", 932}};

// One text of a module with the place it stands in: "string 123", "menu 300 item 40001",
// "dialog 200 control 1001".
struct Text {
    std::string place;
    std::u16string text;
    bool formatted;  // a string table text, filled by the program's formatters
};
typedef std::map<std::string, Text> Texts;

std::u16string Read16(const uint8_t*& p, const uint8_t* end)
{
    std::u16string s;
    while (p + 2 <= end) {
        char16_t c = static_cast<char16_t>(p[0] | p[1] << 8);
        p += 2;
        if (!c)
            break;
        s += c;
    }
    return s;
}

const uint8_t* Resource(HMODULE module, LPCWSTR type, LPCWSTR name, size_t* size)
{
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    *size = found ? SizeofResource(module, found) : 0;
    return loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
}

std::vector<int> Ids(HMODULE module, LPCWSTR type)
{
    std::vector<int> ids;
    EnumResourceNamesW(
        module, type,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
            if (IS_INTRESOURCE(name))
                reinterpret_cast<std::vector<int>*>(param)->push_back(
                    static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

// The items of one menu level and, depth first, of its popups: "menu 300 in 1 item 40001", a
// popup "menu 300 in 0 sub 1", "in" naming the popup the item stands in (0: the menu bar).
void ReadMenuLevel(const uint8_t*& p, const uint8_t* end, const std::string& menu, int level,
                   int* popups, Texts* texts)
{
    while (p + 2 <= end) {
        const WORD flags = static_cast<WORD>(p[0] | p[1] << 8);
        p += 2;
        int item = 0;
        if (!(flags & MF_POPUP) && p + 2 <= end) {
            item = p[0] | p[1] << 8;
            p += 2;
        }
        const std::u16string text = Read16(p, end);
        const int popup = (flags & MF_POPUP) ? ++*popups : 0;
        const std::string place = menu + " in " + std::to_string(level) +
                                  (popup ? " sub " + std::to_string(popup)
                                         : " item " + std::to_string(item));
        if (!text.empty())
            (*texts)[place] = {place, text, false};
        if (popup)
            ReadMenuLevel(p, end, menu, popup, popups, texts);
        if (flags & MF_END)
            return;
    }
}

// Every text of the module's string tables, menus and dialogs, by place.
Texts ReadTexts(HMODULE module)
{
    Texts texts;
    for (int block : Ids(module, MAKEINTRESOURCEW(6))) {
        size_t size = 0;
        const uint8_t* p = Resource(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block), &size);
        const uint8_t* end = p + size;
        for (int i = 0; i < 16 && p && p + 2 <= end; ++i) {
            const size_t length = p[0] | p[1] << 8;
            p += 2;
            if (p + 2 * length > end)
                break;
            if (length) {
                std::u16string s(length, u'\0');
                std::memcpy(&s[0], p, 2 * length);
                const std::string place = "string " + std::to_string((block - 1) * 16 + i);
                texts[place] = {place, s, true};
            }
            p += 2 * length;
        }
    }
    for (int id : Ids(module, MAKEINTRESOURCEW(4))) {
        size_t size = 0;
        const uint8_t* p = Resource(module, MAKEINTRESOURCEW(4), MAKEINTRESOURCEW(id), &size);
        if (!p || size < 4)
            continue;
        int popups = 0;
        const uint8_t* items = p + 4;  // past the version and header size of a plain menu
        ReadMenuLevel(items, p + size, "menu " + std::to_string(id), 0, &popups, &texts);
    }
    for (int id : DialogResourceIds(module)) {
        size_t size = 0;
        const uint8_t* bytes = DialogResource(module, id, &size);
        DialogTemplate form;
        if (!ParseDialogTemplate(bytes, size, &form))
            continue;
        const std::string dialog = "dialog " + std::to_string(id);
        texts[dialog + " caption"] = {dialog + " caption", form.caption, false};
        int unnamed = 0;
        for (const TemplateControl& c : form.controls) {
            std::string place = dialog + " control " + std::to_string(c.id);
            if (c.id == -1 || c.id == 0xFFFF)
                place += " #" + std::to_string(++unnamed);
            const bool words = c.kind == CLASS_BUTTON || c.kind == CLASS_STATIC;
            texts[place] = {place, words ? c.text : u"", false};
        }
    }
    return texts;
}

// The printf conversions of a text, in order: "%s", "%d", "%02d", "%%".
std::vector<std::string> Conversions(const std::u16string& text)
{
    std::vector<std::string> found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        std::string conversion = "%";
        size_t j = i + 1;
        while (j < text.size() && std::strchr("-+ #0123456789.lh", static_cast<char>(text[j])) &&
               text[j] < 128)
            conversion += static_cast<char>(text[j++]);
        if (j < text.size() && text[j] < 128 &&
            std::strchr("%diouxXscfeEgGp", static_cast<char>(text[j]))) {
            conversion += static_cast<char>(text[j]);
            found.push_back(conversion);
            i = j;
        }
    }
    return found;
}

// The access key of a text, lower case, or 0.
char16_t AccessKey(const std::u16string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        const char16_t c = text[i + 1];
        return c < 128 ? static_cast<char16_t>(std::tolower(c)) : c;
    }
    return 0;
}

// Two Latin letters in a row: a text that is more than a number, a unit letter or a sign.
bool HasWords(const std::u16string& text)
{
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] < 128 && text[i - 1] < 128 && std::isalpha(text[i]) &&
            std::isalpha(text[i - 1]))
            return true;
    return false;
}

std::u16string FromUtf8(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], size);
    return std::u16string(wide.begin(), wide.begin() + (size > 0 ? size - 1 : 0));
}

// The texts a language may leave as in English (resources/lang/identical.txt).
std::set<std::u16string> Identical(const std::string& code)
{
    std::set<std::u16string> allowed;
    std::ifstream in(IDENTICAL_LIST);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const size_t space = line.find(' ');
        if (space != std::string::npos && (line.compare(0, space, "*") == 0 ||
                                           line.compare(0, space, code) == 0))
            allowed.insert(FromUtf8(line.substr(space + 1)));
    }
    return allowed;
}

// Every fault of `library` against `english`, one line each.
std::string CompareTexts(const Texts& english, const Texts& library, const Language& language)
{
    std::ostringstream report;
    const std::set<std::u16string> allowed = Identical(language.code);
    std::map<std::string, std::map<char16_t, std::string>> keys;  // per form or menu level
    for (const auto& [place, text] : english)
        if (!library.count(place))
            report << place << ": missing\n";
    for (const auto& [place, text] : library) {
        auto found = english.find(place);
        if (found == english.end()) {
            report << place << ": the program has no such text\n";
            continue;
        }
        const std::u16string& mine = text.text;
        const std::u16string& theirs = found->second.text;
        const std::string shown = Utf8(mine);
        if (text.formatted && Conversions(mine) != Conversions(theirs))
            report << place << ": conversions differ from English: \"" << shown << "\"\n";
        if (mine == theirs && HasWords(mine) && !allowed.count(mine))
            report << place << ": left in English: \"" << shown << "\"\n";
        BOOL lossy = FALSE;
        const std::wstring wide(mine.begin(), mine.end());
        if (!mine.empty() &&
            (!WideCharToMultiByte(language.codePage, WC_NO_BEST_FIT_CHARS, wide.c_str(),
                                  static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy) ||
             lossy))
            report << place << ": not all in code page " << language.codePage << ": \"" << shown
                   << "\"\n";
        if (AccessKey(theirs) && !AccessKey(mine))
            report << place << ": lost its access key: \"" << shown << "\"\n";
        if (!text.formatted && AccessKey(mine)) {
            // A form's controls share keys; a menu's items share them level by level.
            const size_t cut = place.find(place.compare(0, 4, "menu") == 0 ? " sub " : " control ");
            const size_t item = place.find(" item ");
            const std::string group = place.substr(0, std::min(cut, item));
            std::string& other = keys[group][AccessKey(mine)];
            if (!other.empty())
                report << place << ": access key of " << other << ": \"" << shown << "\"\n";
            other = place;
        }
    }
    return report.str();
}

// The build's libraries, or those tools/check-language built on their own.
std::string Library(const char* family, const char* code)
{
    const char* elsewhere = std::getenv("MORAVEL_LIBRARIES_DIR");
    return std::string(elsewhere ? elsewhere : BUILD_DIR) +
           (std::strcmp(family, "a3") == 0 ? "\\a3" : "") + "\\lang\\" + code + "\\QVPVX.DLL";
}

class Languages : public testing::TestWithParam<Language> {};

// The A4 program's texts are this test's own (it links the program's resources); the A3
// family's are its English library's.
TEST_P(Languages, EveryTextIsThereTranslatedAndFormattedAsInEnglish)
{
    const Language& language = GetParam();
    HMODULE a3 = LoadLibraryExA(A3_LIBRARY, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, a3) << A3_LIBRARY;
    const struct {
        const char* family;
        HMODULE english;
    } families[] = {{"a4", GetModuleHandleA(nullptr)}, {"a3", a3}};
    for (const auto& family : families) {
        const std::string path = Library(family.family, language.code);
        HMODULE library = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, library) << path;
        const Texts english = ReadTexts(family.english);
        EXPECT_GT(english.size(), 700u);
        EXPECT_EQ("", CompareTexts(english, ReadTexts(library), language)) << path;
        FreeLibrary(library);
    }
    FreeLibrary(a3);
}

TEST_P(Languages, EveryFormFits)
{
    RegisterOwnClasses();
    for (const char* family : {"a4", "a3"}) {
        const std::string path = Library(family, GetParam().code);
        HMODULE library = LoadLibraryA(path.c_str());
        ASSERT_NE(nullptr, library) << path;
        int forms = 0;
        EXPECT_EQ("", LayoutFaultsOfForms(library, &forms)) << path;
        EXPECT_GE(forms, 25) << path;
        FreeLibrary(library);
    }
}

INSTANTIATE_TEST_SUITE_P(Libraries, Languages, testing::ValuesIn(LANGUAGES),
                         [](const testing::TestParamInfo<Language>& info) {
                             return std::string(info.param.code);
                         });

}  // namespace
