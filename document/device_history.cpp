// Names and pruning of the device history. See device_history.h.
#include "document/device_history.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

constexpr char EXTENSION[] = ".DAT";
constexpr size_t STAMP_SIZE = 18;  // " YYYY-MM-DD HHMMSS"

bool Forbidden(unsigned char c)
{
    return c < 32 || c > 126 || std::strchr("\\/:*?\"<>|", c) != nullptr;
}

bool IsDigits(const std::string& text, size_t at, size_t count)
{
    for (size_t i = at; i < at + count; i++)
        if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); i++)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// A history file's parts: the device's name, its stamp "YYYY-MM-DD HHMMSS" and its copy
// number. False for any other name.
struct HistoryName {
    std::string device;
    std::string stamp;
    int copy;
};

bool ParseHistoryName(const std::string& name, HistoryName* parsed)
{
    const size_t ext = sizeof EXTENSION - 1;
    if (name.size() < STAMP_SIZE + ext + 1 ||
        !EqualNoCase(name.substr(name.size() - ext), EXTENSION))
        return false;
    std::string rest = name.substr(0, name.size() - ext);
    parsed->copy = 1;
    if (!rest.empty() && rest.back() == ')') {
        const size_t open = rest.rfind(" (");
        if (open == std::string::npos || !IsDigits(rest, open + 2, rest.size() - open - 3) ||
            rest.size() - open - 3 == 0 || rest.size() - open - 3 > 4)
            return false;
        parsed->copy = std::atoi(rest.c_str() + open + 2);
        rest.erase(open);
    }
    if (rest.size() < STAMP_SIZE + 1)
        return false;
    const size_t at = rest.size() - STAMP_SIZE;
    const std::string stamp = rest.substr(at + 1);
    if (rest[at] != ' ' || !IsDigits(stamp, 0, 4) || stamp[4] != '-' || !IsDigits(stamp, 5, 2) ||
        stamp[7] != '-' || !IsDigits(stamp, 8, 2) || stamp[10] != ' ' || !IsDigits(stamp, 11, 6))
        return false;
    parsed->device = rest.substr(0, at);
    parsed->stamp = stamp;
    return true;
}

}  // namespace

std::string HistoryFileName(const char* deviceName, const HistoryTime& time, int copy)
{
    std::string name;
    for (const char* c = deviceName ? deviceName : ""; *c; c++)
        name += Forbidden(static_cast<unsigned char>(*c)) ? '_' : *c;
    const size_t first = name.find_first_not_of(" .");
    name = first == std::string::npos ? "" : name.substr(first);
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    if (name.empty())
        name = "Device";
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, " %04d-%02d-%02d %02d%02d%02d", time.year % 10000,
                  time.month % 100, time.day % 100, time.hour % 100, time.minute % 100,
                  time.second % 100);
    name += stamp;
    if (copy > 1)
        name += " (" + std::to_string(copy % 10000) + ")";
    return name + EXTENSION;
}

std::vector<std::string> HistoryFilesToRemove(const std::vector<std::string>& names,
                                              const std::string& fileName, int keep)
{
    HistoryName own;
    if (!ParseHistoryName(fileName, &own))
        return {};
    struct Found {
        HistoryName parsed;
        std::string name;
    };
    std::vector<Found> same;
    for (const std::string& name : names) {
        HistoryName parsed;
        if (ParseHistoryName(name, &parsed) && EqualNoCase(parsed.device, own.device))
            same.push_back({parsed, name});
    }
    std::sort(same.begin(), same.end(), [](const Found& a, const Found& b) {
        return a.parsed.stamp != b.parsed.stamp ? a.parsed.stamp < b.parsed.stamp
                                                : a.parsed.copy < b.parsed.copy;
    });
    std::vector<std::string> remove;
    const size_t kept = keep < 0 ? 0 : static_cast<size_t>(keep);
    for (size_t i = 0; i + kept < same.size(); i++)
        remove.push_back(same[i].name);
    return remove;
}
