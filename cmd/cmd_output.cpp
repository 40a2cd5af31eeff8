// MoravelCmd's JSON. See cmd_output.h.
#include "cmd/cmd_output.h"

#include <cstdio>

#include "dial/dial_text.h"

std::string JsonString(const std::string& text)
{
    const std::string utf8 = Windows1252ToUtf8(text);
    std::string out = "\"";
    for (char c : utf8) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string ShowJson(const ShowHeader& header, const std::vector<CmdRow>& rows)
{
    std::string out = "{\n  \"source\": ";
    out += header.file.empty() ? "{\"device\": " + std::to_string(header.device) + "}"
                               : "{\"file\": " + JsonString(header.file) + "}";
    out += ",\n  \"deviceName\": " + JsonString(header.deviceName);
    out += ",\n  \"faxNumber\": " + JsonString(header.faxNumber);
    out += ",\n  \"items\": [";
    for (size_t i = 0; i < rows.size(); i++) {
        const CmdRow& row = rows[i];
        char item[16];
        std::snprintf(item, sizeof item, "0x%05X", static_cast<unsigned>(row.item));
        out += i ? ",\n" : "\n";
        out += "    {\"record\": " + std::to_string(row.record) + ", \"item\": \"" + item +
               "\", \"where\": " + JsonString(row.where) +
               ", \"setting\": " + JsonString(row.what) + ", \"value\": " + JsonString(row.after) +
               "}";
    }
    out += rows.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}
