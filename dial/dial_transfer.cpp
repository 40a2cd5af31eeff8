// The checks and messages the dial directory readers share. See dial_transfer.h.
#include "dial/dial_transfer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dial/dial_entry.h"
#include "dial/dial_text.h"
#include "document/document.h"
#include "resources/resource_ids.h"

namespace {

ImportProblem Problem(int message, std::vector<std::string> args = {})
{
    return ImportProblem{0, message, std::move(args)};
}

// The first character of UTF-8 `text` that is not ASCII, or empty.
std::string FirstNonAscii(const std::string& text)
{
    for (size_t i = 0; i < text.size(); i++) {
        if (static_cast<uint8_t>(text[i]) >= 0x80) {
            size_t end = i;
            uint32_t cp;
            if (!NextUtf8(text, &end, &cp))
                end = i + 1;
            return text.substr(i, end - i);
        }
    }
    return "";
}

// A character for a message: a control character, which a message box would not show, as its
// code.
std::string Shown(const std::string& character)
{
    if (character.size() == 1) {
        const uint8_t b = static_cast<uint8_t>(character[0]);
        if (b < 0x20 || b == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", b);
            return code;
        }
    }
    return character;
}

// Runs `filter` on a copy of `bytes`: 1 when it passes untouched, else 0 with the first byte
// the filter took out in *rejected.
template <typename Filter>
int PassesFilter(const std::string& bytes, int limit, Filter filter, char* rejected)
{
    // A NUL would end the text for the filter, which would then pass what comes before it.
    const size_t nul = bytes.find('\0');
    if (nul != std::string::npos) {
        *rejected = '\0';
        return 0;
    }
    std::vector<char> copy(bytes.begin(), bytes.end());
    copy.push_back('\0');
    copy.push_back('\0');  // room beyond the limit, so nothing is cut for lack of it
    int caret = 0;
    if (filter(copy.data(), static_cast<int>(copy.size()), limit, &caret))
        return 1;
    // The repaired text is what was kept, in order: the first place it differs is the first
    // byte taken out.
    size_t i = 0;
    while (i < bytes.size() && copy[i] == bytes[i])
        i++;
    *rejected = i < bytes.size() ? bytes[i] : '\0';
    return 0;
}

// A dial number, SUB or SID: ASCII, at most `limit` characters, what FilterDialNumberField
// keeps.
int TakeDialText(const std::string& text, int limit, int codeField, const TextEnvironment& env,
                 char* out, ImportProblem* problem, int longMessage, int charMessage,
                 const char* column)
{
    auto withColumn = [column](std::vector<std::string> args) {
        if (column)
            args.insert(args.begin(), column);
        return args;
    };
    const std::string bad = FirstNonAscii(text);
    if (!bad.empty()) {
        *problem = Problem(charMessage, withColumn({Shown(bad)}));
        return 0;
    }
    if (text.size() > static_cast<size_t>(limit)) {
        *problem = Problem(longMessage, withColumn({}));
        return 0;
    }
    char rejected = 0;
    auto filter = [&env, codeField](char* t, int size, int lim, int* caret) {
        return FilterDialNumberField(t, size, lim, caret, env, codeField);
    };
    if (!PassesFilter(text, limit, filter, &rejected)) {
        *problem = Problem(charMessage, withColumn({Shown(std::string(1, rejected))}));
        return 0;
    }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return 1;
}

}  // namespace

int TakeNameText(const std::string& text, const TextEnvironment& env, char* out,
                 ImportProblem* problem)
{
    std::string bytes, bad;
    if (!NameFromUtf8(text, env.japaneseMode, &bytes, &bad)) {
        *problem = Problem(IDS_IMPORT_NAME_CHAR, {Shown(bad)});
        return 0;
    }
    if (bytes.size() > static_cast<size_t>(DIAL_NAME_MAX)) {
        *problem = Problem(IDS_IMPORT_NAME_LONG);
        return 0;
    }
    char rejected = 0;
    auto filter = [&env](char* t, int size, int limit, int* caret) {
        return FilterNameField(t, size, limit, caret, env);
    };
    if (!PassesFilter(bytes, DIAL_NAME_MAX, filter, &rejected)) {
        const char one[2] = {rejected, '\0'};
        const std::string shown =
            rejected ? NameToUtf8(one, env.japaneseMode) : std::string(1, '\0');
        *problem = Problem(IDS_IMPORT_NAME_CHAR, {Shown(shown)});
        return 0;
    }
    std::memcpy(out, bytes.c_str(), bytes.size() + 1);
    return 1;
}

int TakeFaxNumberText(const std::string& text, const TextEnvironment& env, char* out,
                      ImportProblem* problem)
{
    return TakeDialText(text, DIAL_NUMBER_MAX, 0, env, out, problem, IDS_IMPORT_FAX_LONG,
                        IDS_IMPORT_FAX_CHAR, nullptr);
}

int TakeCodeText(const std::string& text, const char* column, const TextEnvironment& env, char* out,
                 ImportProblem* problem)
{
    return TakeDialText(text, DIAL_CODE_MAX, 1, env, out, problem, IDS_IMPORT_CODE_LONG,
                        IDS_IMPORT_CODE_CHAR, column);
}

int TakeEmailText(const std::string& text, const TextEnvironment& env, char* out,
                  ImportProblem* problem)
{
    const std::string bad = FirstNonAscii(text);
    if (!bad.empty()) {
        *problem = Problem(IDS_IMPORT_EMAIL_CHAR, {Shown(bad)});
        return 0;
    }
    if (text.size() > static_cast<size_t>(DIAL_EMAIL_MAX)) {
        *problem = Problem(IDS_IMPORT_EMAIL_LONG);
        return 0;
    }
    char rejected = 0;
    auto filter = [&env](char* t, int size, int limit, int* caret) {
        return FilterEmailField(t, size, limit, caret, env);
    };
    if (!PassesFilter(text, DIAL_EMAIL_MAX, filter, &rejected)) {
        *problem = Problem(IDS_IMPORT_EMAIL_CHAR, {Shown(std::string(1, rejected))});
        return 0;
    }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return 1;
}

int CheckDestinationRecord(const DialRecord& record, ImportProblem* problem)
{
    const EntryProblem form = CheckEntryForm(record);
    int message = 0;
    switch (form.message) {
    case 0:
        return 1;
    case IDS_NEED_EMAIL:
        message = IDS_IMPORT_EMAIL_MISSING;
        break;
    case IDS_EMAIL_INVALID:
        message = IDS_IMPORT_EMAIL_INVALID;
        break;
    case IDS_NEED_FAX_NUMBER:
        message = IDS_IMPORT_FAX_MISSING;
        break;
    default:
        // The dialog says only "Invalid value" for these; the file's reader says which.
        if (form.control == IDC_ENTRY_FAX_NUMBER)
            message = record.faxNumber[0] == 'P' ? IDS_IMPORT_FAX_PAUSE : IDS_IMPORT_FAX_NO_DIGIT;
        else if (form.control == IDC_ENTRY_NAME)
            message = IDS_IMPORT_NAME_SPACES;
        else
            message = form.message;
        break;
    }
    *problem = Problem(message);
    return 0;
}

int HasNetworkBoard(const EditState& state) { return state.config.ethernetBoard == 1; }

namespace {

int EndsWith(const char* path, const char* extension)
{
    const size_t n = path ? std::strlen(path) : 0, e = std::strlen(extension);
    return n >= e && SameWord(std::string(path + n - e), extension);
}

}  // namespace

int IsVcardPath(const char* path) { return EndsWith(path, ".vcf"); }

int IsLdifPath(const char* path) { return EndsWith(path, ".ldif") || EndsWith(path, ".ldi"); }

std::string ExportFileName(const char* documentTitle, const char* extension)
{
    std::string name = documentTitle ? documentTitle : "";
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name + "." + extension;
}

std::string DescribeProblem(const ImportProblem& problem, StringLoader load)
{
    const std::string reason = FormatText(load(problem.message), problem.args);
    if (problem.line <= 0)
        return reason;
    return FormatText(load(IDS_IMPORT_LINE), {std::to_string(problem.line), reason});
}

std::string ListProblems(std::vector<ImportProblem> problems, StringLoader load)
{
    std::stable_sort(
        problems.begin(), problems.end(),
        [](const ImportProblem& a, const ImportProblem& b) { return a.line < b.line; });
    std::string text;
    const size_t shown = std::min(problems.size(), static_cast<size_t>(IMPORT_PROBLEMS_SHOWN));
    for (size_t i = 0; i < shown; i++) {
        if (i > 0)
            text += "\n";
        text += DescribeProblem(problems[i], load);
    }
    if (problems.size() > shown)
        text += "\n" + FormatText(load(IDS_IMPORT_MORE), {std::to_string(problems.size() - shown)});
    return text;
}
