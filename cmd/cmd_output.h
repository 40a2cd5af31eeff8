// What MoravelCmd prints for a script: the rows of the change list or of the whole data, already
// in words, and `show --json`, a UTF-8 JSON document with these keys:
//   "source"     {"file": path} or {"device": number}
//   "deviceName", "faxNumber"   the device's name and fax number (item 0x10C04, 0x10C02)
//   "items"      one object per row, in record order: "record" (0-251), "item" ("0x10001"),
//                "where" (the settings tab or dial list), "setting" (the field's label, or the
//                entry's number and name) and "value" (as the window shows it)
// The texts come in the program's code page (Windows-1252) and go out as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CmdRow {
    int record;
    uint32_t item;
    std::string where;
    std::string what;
    std::string before;
    std::string after;  // show: the value
};

struct ShowHeader {
    std::string file;  // empty when the data came from a device
    int device;
    std::string deviceName;
    std::string faxNumber;
};

// A Windows-1252 text as a JSON string, quotes included.
std::string JsonString(const std::string& text);

// The JSON document of `show --json`, ending in a line break.
std::string ShowJson(const ShowHeader& header, const std::vector<CmdRow>& rows);
