// MoravelCmd's command line: the verbs and options an administrator's script writes, read into
// one request, and the exit statuses the program ends with. Usage errors are named here; the
// words that tell them are the program's strings.
#pragma once

#include <string>
#include <vector>

enum CmdVerb {
    CMD_HELP,
    CMD_VERSION,
    CMD_DEVICES,
    CMD_BACKUP,
    CMD_RESTORE,
    CMD_COMPARE,
    CMD_SHOW,
    CMD_EXPORT,
    CMD_IMPORT,
};

// The statuses a script tests.
enum CmdStatus {
    STATUS_OK = 0,
    STATUS_DIFFERENT = 1,  // compare: the data differ; restore: the device did not take it all
    STATUS_USAGE = 2,      // the command line is wrong, or a question nobody can answer
    STATUS_NO_DEVICE = 3,  // no device, or the device is in use
    STATUS_TRANSFER = 4,   // a download or upload failed
    STATUS_FILE = 5,       // a file that cannot be read, written or imported
};

enum CmdError {
    ARGS_OK,
    ARGS_NO_COMMAND,       // nothing but options
    ARGS_UNKNOWN_COMMAND,  // `argument` is the word
    ARGS_UNKNOWN_OPTION,   // `argument` is the option
    ARGS_MISSING_VALUE,    // `argument` is the option that needs one
    ARGS_BAD_DEVICE,       // --device not a number 0..14; `argument` is the text
    ARGS_FILES,            // wrong number of files for the command
    ARGS_CONFLICT,         // options that exclude each other, or one the command needs missing
};

struct CmdRequest {
    CmdVerb verb = CMD_HELP;
    std::vector<std::string> files;  // the command's FILE arguments, in order
    int device = -1;                 // --device N; -1 when not given
    bool all = false;                // backup --all
    bool yes = false;                // restore --yes
    bool dryRun = false;             // restore --dry-run
    bool json = false;               // show --json
    std::string out;                 // backup: the folder; import: the new file
    std::string csv;                 // export: CSV to write; import: CSV to read
    std::string vcard;               // the same for address cards
    std::string log;                 // --log FILE
    CmdError error = ARGS_OK;
    std::string argument;  // what the error is about
};

// Reads the arguments after the program's name. --help (or /?) anywhere asks for the usage,
// --version for the version; otherwise the first word is the command. 1, or 0 with `error`.
int ParseCmdArguments(const std::vector<std::string>& args, CmdRequest* request);
