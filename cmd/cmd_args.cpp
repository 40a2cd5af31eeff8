// MoravelCmd's command line. See cmd_args.h.
#include "cmd/cmd_args.h"

#include <cstring>

namespace {

struct VerbName {
    const char* word;
    CmdVerb verb;
};
const VerbName VERBS[] = {
    {"devices", CMD_DEVICES}, {"backup", CMD_BACKUP}, {"restore", CMD_RESTORE},
    {"compare", CMD_COMPARE}, {"show", CMD_SHOW},     {"export", CMD_EXPORT},
    {"import", CMD_IMPORT},
};

// The options each command takes, besides --log, --help and --version everywhere.
enum Option : unsigned {
    OPT_DEVICE = 1u << 0,
    OPT_ALL = 1u << 1,
    OPT_OUT = 1u << 2,
    OPT_YES = 1u << 3,
    OPT_DRY_RUN = 1u << 4,
    OPT_JSON = 1u << 5,
    OPT_CSV = 1u << 6,
    OPT_VCARD = 1u << 7,
};

unsigned OptionsOf(CmdVerb verb)
{
    switch (verb) {
    case CMD_BACKUP:
        return OPT_DEVICE | OPT_ALL | OPT_OUT;
    case CMD_RESTORE:
        return OPT_DEVICE | OPT_YES | OPT_DRY_RUN;
    case CMD_COMPARE:
        return OPT_DEVICE;
    case CMD_SHOW:
        return OPT_DEVICE | OPT_JSON;
    case CMD_EXPORT:
        return OPT_DEVICE | OPT_CSV | OPT_VCARD;
    case CMD_IMPORT:
        return OPT_CSV | OPT_VCARD | OPT_OUT;
    default:
        return 0;
    }
}

bool Lower(const std::string& text, const char* word)
{
    if (text.size() != std::strlen(word))
        return false;
    for (size_t i = 0; i < text.size(); i++) {
        const char c =
            text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != word[i])
            return false;
    }
    return true;
}

int Fail(CmdRequest* request, CmdError error, const std::string& argument)
{
    request->error = error;
    request->argument = argument;
    return 0;
}

int ParseDevice(const std::string& text, int* device)
{
    if (text.empty() || text.size() > 2)
        return 0;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
    }
    if (value > 14)
        return 0;
    *device = value;
    return 1;
}

// The files and options a command needs together, once all are read.
int CheckCombination(CmdRequest* request)
{
    const size_t files = request->files.size();
    const bool device = request->device >= 0;
    bool filesOk = true, combinationOk = true;
    switch (request->verb) {
    case CMD_DEVICES:
        filesOk = files == 0;
        break;
    case CMD_BACKUP:
        filesOk = files == 0;
        combinationOk = !(device && request->all);
        break;
    case CMD_RESTORE:
        filesOk = files == 1;
        break;
    case CMD_COMPARE:
        filesOk = files == 1 || files == 2;
        combinationOk = !(device && files == 2);
        break;
    case CMD_SHOW:
        filesOk = files <= 1;
        combinationOk = device != (files == 1);
        break;
    case CMD_EXPORT:
        filesOk = files <= 1;
        combinationOk = device != (files == 1) && request->csv.empty() != request->vcard.empty();
        break;
    case CMD_IMPORT:
        filesOk = files == 1;
        combinationOk = request->csv.empty() != request->vcard.empty() && !request->out.empty();
        break;
    default:
        break;
    }
    if (!filesOk)
        return Fail(request, ARGS_FILES, "");
    if (!combinationOk)
        return Fail(request, ARGS_CONFLICT, "");
    return 1;
}

}  // namespace

int ParseCmdArguments(const std::vector<std::string>& args, CmdRequest* request)
{
    *request = CmdRequest();
    for (const std::string& arg : args)
        if (Lower(arg, "--help") || arg == "/?" || Lower(arg, "-h")) {
            request->verb = CMD_HELP;
            return 1;
        }
    for (const std::string& arg : args)
        if (Lower(arg, "--version")) {
            request->verb = CMD_VERSION;
            return 1;
        }

    bool haveVerb = false;
    for (size_t i = 0; i < args.size(); i++) {
        const std::string& arg = args[i];
        const bool option = arg.size() > 2 && arg[0] == '-' && arg[1] == '-';
        if (!option) {
            if (haveVerb) {
                request->files.push_back(arg);
                continue;
            }
            bool known = false;
            for (const VerbName& name : VERBS)
                if (Lower(arg, name.word)) {
                    request->verb = name.verb;
                    known = true;
                }
            if (!known)
                return Fail(request, ARGS_UNKNOWN_COMMAND, arg);
            haveVerb = true;
            continue;
        }
        // Options with a value take the next argument.
        struct Valued {
            const char* name;
            unsigned option;  // 0: every command
            std::string* value;
        };
        const Valued valued[] = {{"--out", OPT_OUT, &request->out},
                                 {"--csv", OPT_CSV, &request->csv},
                                 {"--vcard", OPT_VCARD, &request->vcard},
                                 {"--log", 0, &request->log}};
        const unsigned allowed = haveVerb ? OptionsOf(request->verb) : 0;
        bool done = false;
        for (const Valued& v : valued) {
            if (!Lower(arg, v.name))
                continue;
            if (v.option && !(allowed & v.option))
                return Fail(request, ARGS_UNKNOWN_OPTION, arg);
            if (i + 1 >= args.size())
                return Fail(request, ARGS_MISSING_VALUE, arg);
            *v.value = args[++i];
            done = true;
        }
        if (done)
            continue;
        if (Lower(arg, "--device") && (allowed & OPT_DEVICE)) {
            if (i + 1 >= args.size())
                return Fail(request, ARGS_MISSING_VALUE, arg);
            if (!ParseDevice(args[++i], &request->device))
                return Fail(request, ARGS_BAD_DEVICE, args[i]);
            continue;
        }
        struct Flag {
            const char* name;
            unsigned option;
            bool* value;
        };
        const Flag flags[] = {{"--all", OPT_ALL, &request->all},
                              {"--yes", OPT_YES, &request->yes},
                              {"--dry-run", OPT_DRY_RUN, &request->dryRun},
                              {"--json", OPT_JSON, &request->json}};
        for (const Flag& f : flags)
            if (Lower(arg, f.name) && (allowed & f.option)) {
                *f.value = true;
                done = true;
            }
        if (!done)
            return Fail(request, ARGS_UNKNOWN_OPTION, arg);
    }
    if (!haveVerb)
        return Fail(request, ARGS_NO_COMMAND, "");
    return CheckCombination(request);
}
