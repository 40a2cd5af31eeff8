// MoravelCmd's command line and its JSON: what a script writes is read as meant, and a wrong line
// is named, never guessed at.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cmd/cmd_args.h"
#include "cmd/cmd_output.h"

namespace {

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

TEST(CmdArguments, EveryCommandTakesItsOwnFilesAndOptions)
{
    struct Case {
        const char* line;
        CmdError error;
        CmdVerb verb;
    };
    const Case cases[] = {
        {"devices", ARGS_OK, CMD_DEVICES},
        {"backup --all --out C:\\Backups", ARGS_OK, CMD_BACKUP},
        {"BACKUP --device 14", ARGS_OK, CMD_BACKUP},
        {"restore a.dat --device 2 --yes --dry-run --log x.log", ARGS_OK, CMD_RESTORE},
        {"compare a.dat b.dat", ARGS_OK, CMD_COMPARE},
        {"show --device 0 --json", ARGS_OK, CMD_SHOW},
        {"export a.dat --vcard out.vcf", ARGS_OK, CMD_EXPORT},
        {"import a.dat --csv in.csv --out new.dat", ARGS_OK, CMD_IMPORT},
        {"restore a.dat /?", ARGS_OK, CMD_HELP},
        {"--version", ARGS_OK, CMD_VERSION},
        {"", ARGS_NO_COMMAND, CMD_HELP},
        {"--log x.log", ARGS_NO_COMMAND, CMD_HELP},
        {"erase", ARGS_UNKNOWN_COMMAND, CMD_HELP},
        {"devices --yes", ARGS_UNKNOWN_OPTION, CMD_DEVICES},
        {"show a.dat --all", ARGS_UNKNOWN_OPTION, CMD_SHOW},
        {"backup --out", ARGS_MISSING_VALUE, CMD_BACKUP},
        {"backup --device 15", ARGS_BAD_DEVICE, CMD_BACKUP},
        {"backup --device -1", ARGS_BAD_DEVICE, CMD_BACKUP},
        {"backup --device 1x", ARGS_BAD_DEVICE, CMD_BACKUP},
        {"restore", ARGS_FILES, CMD_RESTORE},
        {"compare a b c", ARGS_FILES, CMD_COMPARE},
        {"backup --all --device 1", ARGS_CONFLICT, CMD_BACKUP},
        {"compare a.dat b.dat --device 1", ARGS_CONFLICT, CMD_COMPARE},
        {"show", ARGS_CONFLICT, CMD_SHOW},
        {"show a.dat --device 1", ARGS_CONFLICT, CMD_SHOW},
        {"export a.dat --csv a.csv --vcard a.vcf", ARGS_CONFLICT, CMD_EXPORT},
        {"import a.dat --csv in.csv", ARGS_CONFLICT, CMD_IMPORT},
    };
    for (const Case& c : cases) {
        CmdRequest request;
        EXPECT_EQ(c.error == ARGS_OK, ParseCmdArguments(Words(c.line), &request) == 1) << c.line;
        EXPECT_EQ(c.error, request.error) << c.line;
        if (c.error == ARGS_OK || c.error >= ARGS_UNKNOWN_OPTION) {
            EXPECT_EQ(c.verb, request.verb) << c.line;
        }
    }

    CmdRequest request;
    ParseCmdArguments(Words("restore a.dat --device 2 --yes --log x.log"), &request);
    EXPECT_EQ(std::vector<std::string>{"a.dat"}, request.files);
    EXPECT_EQ(2, request.device);
    EXPECT_TRUE(request.yes);
    EXPECT_FALSE(request.dryRun);
    EXPECT_EQ("x.log", request.log);
    ParseCmdArguments(Words("backup --device 15"), &request);
    EXPECT_EQ("15", request.argument) << "the error names what was wrong";
}

TEST(CmdOutput, ShowJsonIsUtf8WithEveryTextEscaped)
{
    EXPECT_EQ("\"M\xC3\xBCller \\\"A\\\\B\\\"\\n\\u0001\"", JsonString("M\xFCller \"A\\B\"\n\x01"));
    const ShowHeader header = {"C:\\Data\\office.dat", -1, "Front", "0123"};
    const std::vector<CmdRow> rows = {{2, 0x10001, "System", "Auto Reset Time", "", "2 min."}};
    EXPECT_EQ("{\n  \"source\": {\"file\": \"C:\\\\Data\\\\office.dat\"},\n"
              "  \"deviceName\": \"Front\",\n  \"faxNumber\": \"0123\",\n  \"items\": [\n"
              "    {\"record\": 2, \"item\": \"0x10001\", \"where\": \"System\", \"setting\": "
              "\"Auto Reset Time\", \"value\": \"2 min.\"}\n  ]\n}\n",
              ShowJson(header, rows));
    EXPECT_NE(std::string::npos, ShowJson({"", 3, "", ""}, {}).find("{\"device\": 3}"));
}

}  // namespace
