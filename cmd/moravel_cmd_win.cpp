/*
 * MoravelCmd.exe: the command line for administrators. Every decision is the window's own
 * (the transfers, the change list and its words, the history, the dial directory's files);
 * this file reads the command, reaches the devices and prints. It never opens a window or a
 * message box: what the window would show goes to standard error.
 */
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cmd/cmd_args.h"
#include "cmd/cmd_output.h"
#include "device/device_lock_win.h"
#include "device/device_protocol.h"
#include "device/device_transfer.h"
#include "device/device_transport.h"
#include "device/setting_file.h"
#include "device/setting_file_io.h"
#include "devsim/device_backends.h"
#include "dial/dial_csv.h"
#include "dial/dial_text.h"
#include "dial/dial_transfer.h"
#include "dial/dial_vcard.h"
#include "document/device_history.h"
#include "document/device_history_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/device_changes.h"
#include "settings/device_changes_win.h"
#include "ui/app_state.h"
#include "ui/controls_win.h"
#include "ui/ui_win.h"

namespace {

constexpr int LONG_TEXT = 4096;
constexpr uint32_t DEVICE_NAME_ITEM = 0x10C04;
constexpr uint32_t FAX_NUMBER_ITEM = 0x10C02;
/* OpenDevice's answer when nothing answers at a number that was only being tried. */
constexpr int NOTHING_THERE = -1;

std::string gLogPath;

// ---- Words and output ----------------------------------------------------------------------

std::string Text(int id)
{
    char text[LONG_TEXT];
    return LoadStr(static_cast<UINT>(id), text, sizeof text);
}

std::string Text(int id, const std::vector<std::string>& args)
{
    return FormatText(Text(id), args);
}

/* The program's texts (the ANSI code page) to a console in its own code page, or as they stand
 * into a file or pipe of a program that has no console. */
void WriteText(DWORD which, const std::string& text)
{
    HANDLE handle = GetStdHandle(which);
    if (!handle || handle == INVALID_HANDLE_VALUE)
        return;
    const std::string line = text + "\r\n";
    const int wide =
        MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    std::vector<wchar_t> unicode(static_cast<size_t>(wide) + 1);
    MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), unicode.data(),
                        wide);
    DWORD mode = 0, done = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, unicode.data(), static_cast<DWORD>(wide), &done, nullptr);
        return;
    }
    const UINT page = GetConsoleOutputCP() ? GetConsoleOutputCP() : CP_ACP;
    const int size =
        WideCharToMultiByte(page, 0, unicode.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(page, 0, unicode.data(), wide, &bytes[0], size, nullptr, nullptr);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
}

void Out(const std::string& text) { WriteText(STD_OUTPUT_HANDLE, text); }
void Err(const std::string& text) { WriteText(STD_ERROR_HANDLE, text); }

/* Bytes that are UTF-8 already (the JSON) go out untouched. */
void OutBytes(const std::string& bytes)
{
    DWORD done = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &done, nullptr);
}

/* --log: one line per step, with the local time. */
void Log(const std::string& step)
{
    if (gLogPath.empty())
        return;
    SYSTEMTIME t;
    GetLocalTime(&t);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", t.wYear, t.wMonth,
                  t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    HANDLE file = CreateFileA(gLogPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string line = stamp + step + "\r\n";
    DWORD done = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &done, nullptr);
    CloseHandle(file);
}

std::string DeviceText(int device, int id)
{
    return Text(IDS_CMD_DEVICE_MESSAGE, {std::to_string(device), Text(id)});
}

// ---- The data -------------------------------------------------------------------------------

int KeyCount() { return static_cast<int>(gApp.quickKeyCount); }

ChangeOptions Options() { return {gApp.model == MODEL_A3}; }

/* A document of its own, freed with it. */
struct OwnDocument {
    Document doc;
    OwnDocument() : doc() { CreateDocument(doc); }
    ~OwnDocument() { ReleaseDocument(doc); }
};

/* A setting data file as the window opens it (malformed dial entries mended). */
int LoadFile(const std::string& path, Document& doc)
{
    Log("read " + path);
    if (!doc.image.bytes || !ReadDocumentFile(doc, path.c_str())) {
        Err(Text(IDS_CMD_FILE_UNREADABLE, {path}));
        return 0;
    }
    TakeNewImage(doc, KeyCount());
    return 1;
}

/* The rows in words, with their records. */
std::vector<CmdRow> Worded(const std::vector<ItemChange>& changes)
{
    const std::vector<ShownChange> shown = ShowChanges(changes);
    std::vector<CmdRow> rows;
    for (size_t i = 0; i < changes.size(); i++)
        rows.push_back({changes[i].record, changes[i].item, shown[i].where, shown[i].what,
                        shown[i].before, shown[i].after});
    return rows;
}

void PrintChanges(const std::vector<ItemChange>& changes, int noneText)
{
    if (changes.empty()) {
        Out(Text(noneText));
        return;
    }
    for (const CmdRow& row : Worded(changes))
        Out(Text(IDS_CMD_CHANGE_LINE, {row.where, row.what, row.before, row.after}));
}

// ---- The devices ----------------------------------------------------------------------------

/* The protocol layer's messages are the window's; this program says its own. */
void NoLinkMessage(int) {}

/* A device reached for work: the devices' lock, the device (number `wanted`, or the first one
 * found), its status, and remote mode begun. STATUS_OK with *device set, or the status to end
 * with, said. */
int OpenDevice(int wanted, int* device, bool quietWhenMissing = false)
{
    if (!TakeDeviceLock()) {
        Err(Text(IDS_CMD_IN_USE_BY_MORAVEL));
        Log("the devices are in use by Moravel");
        return STATUS_NO_DEVICE;
    }
    SetDeviceNumber(wanted);
    if (DeviceOpen() != 0) {
        if (quietWhenMissing)
            return NOTHING_THERE;
        Err(wanted < 0 ? Text(IDS_CMD_NO_DEVICE) : DeviceText(wanted, IDS_OPEN_USB_FAILED));
        return STATUS_NO_DEVICE;
    }
    *device = gDevicePipes.device;
    SetDeviceNumber(*device);
    uint8_t status = DEVICE_STATUS_IDLE;
    if (!StatusHandshake(&status)) {
        Err(DeviceText(*device, IDS_OPEN_USB_FAILED));
        return STATUS_NO_DEVICE;
    }
    const int message = status == DEVICE_STATUS_IN_USE      ? IDS_DEVICE_IN_USE
                        : status == DEVICE_STATUS_TIMED_OUT ? IDS_CONNECTION_TIMED_OUT
                        : status == DEVICE_STATUS_ERROR     ? IDS_DEVICE_ERROR
                                                            : 0;
    if (message) {
        Err(DeviceText(*device, message));
        DeviceClose();
        return STATUS_NO_DEVICE;
    }
    Log("device " + std::to_string(*device) + ": remote mode");
    if (!SetRemoteMode(REMOTE_MODE_BEGIN)) {
        Err(DeviceText(*device, IDS_DEVICE_RW_FAILED));
        return STATUS_TRANSFER;
    }
    return STATUS_OK;
}

void CloseDevice(int device)
{
    Log("device " + std::to_string(device) + ": end of remote mode");
    SetRemoteMode(REMOTE_MODE_END);
    DeviceClose();
}

/* The device's whole data into `image`; 1, or 0 said. */
int ReadDevice(int device, DeviceImage& image)
{
    Log("device " + std::to_string(device) + ": download");
    if (CreateDeviceImage(image) && DownloadImage(&image, nullptr))
        return 1;
    Err(DeviceText(device, IDS_DEVICE_RW_FAILED));
    Log("device " + std::to_string(device) + ": download failed");
    return 0;
}

/* A document from the device (TakeDownloadedImage, as after the window's Download). */
int LoadDevice(int wanted, Document& doc, int* device, int* status)
{
    *status = OpenDevice(wanted, device);
    if (*status != STATUS_OK)
        return 0;
    Log("device " + std::to_string(*device) + ": download");
    const int read = DownloadDocument(doc, KeyCount(), nullptr);
    if (!read)
        Err(DeviceText(*device, IDS_DEVICE_RW_FAILED));
    CloseDevice(*device);
    *status = read ? STATUS_OK : STATUS_TRANSFER;
    return read;
}

/* A short text item (name, fax number) read on open pipes. */
std::string ReadTextItem(uint32_t id)
{
    uint8_t value[ITEM_VALUE_SIZE] = {};
    uint32_t length = 0;
    return ReadItem(id, value, &length) ? ItemValueText(value, length) : "";
}

// ---- The commands ---------------------------------------------------------------------------

int RunDevices()
{
    if (!TakeDeviceLock()) {
        Err(Text(IDS_CMD_IN_USE_BY_MORAVEL));
        return STATUS_NO_DEVICE;
    }
    int found = 0;
    for (int number = 0; number < DEVICE_NUMBER_COUNT; number++) {
        SetDeviceNumber(number);
        if (DeviceOpen() != 0)
            continue;
        found++;
        char productId[8];
        std::snprintf(productId, sizeof productId, "%04X",
                      static_cast<unsigned>(gDevicePipes.productId));
        uint8_t status = DEVICE_STATUS_IDLE;
        std::string name, fax;
        if (StatusHandshake(&status) && status == DEVICE_STATUS_IDLE &&
            SetRemoteMode(REMOTE_MODE_BEGIN) && DeviceOpen() == 0) {
            name = ReadTextItem(DEVICE_NAME_ITEM);
            fax = ReadTextItem(FAX_NUMBER_ITEM);
            SetRemoteMode(REMOTE_MODE_END);
        } else if (status == DEVICE_STATUS_IN_USE) {
            Err(DeviceText(number, IDS_DEVICE_IN_USE));
        }
        DeviceClose();
        Out(std::to_string(number) + "\t" + productId + "\t" + name + "\t" + fax);
    }
    SetDeviceNumber(-1);
    if (!found)
        Err(Text(IDS_CMD_NO_DEVICE));
    return found ? STATUS_OK : STATUS_NO_DEVICE;
}

/* The name a backup gets in `folder`: the history's rule, with a number when taken. */
std::string BackupPath(const std::string& folder, const DeviceImage& image)
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    const HistoryTime time = {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
    const std::string name = ImageItemText(image, DEVICE_NAME_ITEM);
    std::string base = folder.empty() ? std::string() : folder;
    if (!base.empty() && base.back() != '\\' && base.back() != '/')
        base += '\\';
    for (int copy = 1;; copy++) {
        const std::string path = base + HistoryFileName(name.c_str(), time, copy);
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return path;
    }
}

/* One device into a file of `folder`; STATUS_OK with the path printed, or the status said. */
int BackupDevice(int wanted, const std::string& folder, bool quietWhenMissing)
{
    int device = -1;
    const int opened = OpenDevice(wanted, &device, quietWhenMissing);
    if (opened != STATUS_OK)
        return opened;
    DeviceImage image = {nullptr};
    int status = STATUS_OK;
    if (ReadDevice(device, image)) {
        const std::string path = BackupPath(folder, image);
        Log("device " + std::to_string(device) + ": write " + path);
        if (WriteSettingFile(image, path.c_str())) {
            char full[MAX_PATH];
            Out(GetFullPathNameA(path.c_str(), sizeof full, full, nullptr) ? full : path);
        } else {
            Err(Text(IDS_CMD_FILE_UNWRITABLE, {path}));
            status = STATUS_FILE;
        }
    } else {
        status = STATUS_TRANSFER;
    }
    ReleaseDeviceImage(image);
    CloseDevice(device);
    return status;
}

int RunBackup(const CmdRequest& request)
{
    if (!request.all)
        return BackupDevice(request.device, request.out, false);
    // Every device: each one tried, a failure noted and the others still saved.
    if (!TakeDeviceLock()) {
        Err(Text(IDS_CMD_IN_USE_BY_MORAVEL));
        return STATUS_NO_DEVICE;
    }
    int found = 0, worst = STATUS_OK;
    for (int number = 0; number < DEVICE_NUMBER_COUNT; number++) {
        const int status = BackupDevice(number, request.out, true);
        if (status == NOTHING_THERE)
            continue;
        found++;
        if (status != STATUS_OK && (worst == STATUS_OK || status == STATUS_TRANSFER))
            worst = status;
    }
    SetDeviceNumber(-1);
    if (!found) {
        Err(Text(IDS_CMD_NO_DEVICE));
        return STATUS_NO_DEVICE;
    }
    return worst;
}

/* Asks on the console; 1 for yes. -1 when no console can answer. */
int Confirm(int device)
{
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (!input || input == INVALID_HANDLE_VALUE || !GetConsoleMode(input, &mode))
        return -1;
    Err(Text(IDS_CMD_CONFIRM, {std::to_string(device)}));
    char answer[64] = "";
    DWORD read = 0;
    if (!ReadConsoleA(input, answer, sizeof answer - 1, &read, nullptr))
        return -1;
    const std::string yes = Text(IDS_CMD_YES);
    return read > 0 && !yes.empty() && (answer[0] == yes[0] || answer[0] == (yes[0] | 0x20));
}

int RunRestore(const CmdRequest& request)
{
    OwnDocument file;
    if (!LoadFile(request.files[0], file.doc))
        return STATUS_FILE;
    int device = -1;
    const int opened = OpenDevice(request.device, &device);
    if (opened != STATUS_OK)
        return opened;
    DeviceImage current = {nullptr};
    if (!ReadDevice(device, current)) {
        ReleaseDeviceImage(current);
        CloseDevice(device);
        return STATUS_TRANSFER;
    }
    struct Release {
        DeviceImage& image;
        ~Release() { ReleaseDeviceImage(image); }
    } release{current};

    PrintChanges(ListChanges(current, file.doc.image, Options()), IDS_REVIEW_UPLOAD_NONE);
    if (request.dryRun) {
        CloseDevice(device);
        return STATUS_OK;
    }
    if (!request.yes) {
        const int answer = Confirm(device);
        if (answer < 0) {
            Err(Text(IDS_CMD_NO_CONSOLE));
            CloseDevice(device);
            return STATUS_USAGE;
        }
        if (!answer) {
            Err(Text(IDS_CMD_NOT_UPLOADED));
            CloseDevice(device);
            return STATUS_OK;
        }
        // A slow answer may have outlasted the device's remote mode: open it again.
        SetRemoteMode(REMOTE_MODE_BEGIN);
    }

    char kept[MAX_PATH] = "";
    Log("device " + std::to_string(device) + ": history");
    if (!KeepDeviceHistory(current, kept, sizeof kept)) {
        Err(Text(IDS_CMD_HISTORY_FAILED, {kept}));
        CloseDevice(device);
        return STATUS_FILE;
    }
    Out(Text(IDS_CMD_HISTORY_KEPT, {kept}));

    int records[ITEM_COUNT];
    const int count = ListChangedRecords(current.bytes, file.doc.image.bytes, records);
    std::vector<uint8_t> sent(file.doc.image.bytes, file.doc.image.bytes + DEVICE_IMAGE_SIZE);
    Log("device " + std::to_string(device) + ": upload");
    if (!UploadImage(&file.doc.image, nullptr)) {
        Err(DeviceText(device, IDS_DEVICE_RW_FAILED));
        CloseDevice(device);
        return STATUS_TRANSFER;
    }
    Log("device " + std::to_string(device) + ": verify " + std::to_string(count) + " record(s)");
    std::vector<uint8_t> readBack(sent);
    if (!ReadBackRecords(records, count, readBack.data(), nullptr)) {
        Err(DeviceText(device, IDS_DEVICE_RW_FAILED));
        CloseDevice(device);
        return STATUS_TRANSFER;
    }
    CloseDevice(device);
    const DeviceImage back = {readBack.data()}, wanted = {sent.data()};
    const std::vector<ItemChange> refused = ListChanges(back, wanted, Options());
    if (refused.empty()) {
        Out(Text(IDS_CHECK_PASSED));
        return STATUS_OK;
    }
    Err(Text(IDS_CMD_REFUSED, {std::to_string(device)}));
    for (const CmdRow& row : Worded(refused))
        Err(Text(IDS_REFUSED_LINE, {row.where, row.what, row.before, row.after}));
    return STATUS_DIFFERENT;
}

int RunCompare(const CmdRequest& request)
{
    OwnDocument after;
    if (!LoadFile(request.files.back(), after.doc))
        return STATUS_FILE;
    std::vector<ItemChange> changes;
    if (request.files.size() == 2) {
        OwnDocument before;
        if (!LoadFile(request.files[0], before.doc))
            return STATUS_FILE;
        changes = ListChanges(before.doc.image, after.doc.image, Options());
    } else {
        int device = -1;
        const int opened = OpenDevice(request.device, &device);
        if (opened != STATUS_OK)
            return opened;
        DeviceImage current = {nullptr};
        const int read = ReadDevice(device, current);
        if (read)
            changes = ListChanges(current, after.doc.image, Options());
        ReleaseDeviceImage(current);
        CloseDevice(device);
        if (!read)
            return STATUS_TRANSFER;
    }
    PrintChanges(changes, IDS_CMD_SAME);
    return changes.empty() ? STATUS_OK : STATUS_DIFFERENT;
}

/* The data a show or export works on: FILE, or the device. */
int LoadSource(const CmdRequest& request, Document& doc, int* device)
{
    *device = -1;
    if (!request.files.empty())
        return LoadFile(request.files[0], doc) ? STATUS_OK : STATUS_FILE;
    int status = STATUS_OK;
    LoadDevice(request.device, doc, device, &status);
    return status;
}

int RunShow(const CmdRequest& request)
{
    OwnDocument data;
    int device = -1;
    const int status = LoadSource(request, data.doc, &device);
    if (status != STATUS_OK)
        return status;
    const std::vector<CmdRow> rows = Worded(ListSettings(data.doc.image, Options()));
    if (request.json) {
        const ShowHeader header = {request.files.empty() ? "" : request.files[0], device,
                                   data.doc.edit.properties.deviceName,
                                   data.doc.edit.properties.faxNumber};
        OutBytes(ShowJson(header, rows));
        return STATUS_OK;
    }
    for (const CmdRow& row : rows)
        Out(Text(IDS_CMD_SHOW_LINE, {row.where, row.what, row.after}));
    return STATUS_OK;
}

int WriteOutput(const std::string& path, const std::string& bytes)
{
    Log("write " + path);
    if (WriteWholeFileSafely(path.c_str(), reinterpret_cast<const uint8_t*>(bytes.data()),
                             bytes.size()))
        return STATUS_OK;
    Err(Text(IDS_CMD_FILE_UNWRITABLE, {path}));
    return STATUS_FILE;
}

int RunExport(const CmdRequest& request)
{
    OwnDocument data;
    int device = -1;
    const int status = LoadSource(request, data.doc, &device);
    if (status != STATUS_OK)
        return status;
    return request.csv.empty()
               ? WriteOutput(request.vcard, ExportDirectoryVcards(data.doc.edit, KeyCount()))
               : WriteOutput(request.csv, ExportDirectoryCsv(data.doc.edit, KeyCount()));
}

std::string LoadText(int id) { return Text(id); }

int RunImport(const CmdRequest& request)
{
    OwnDocument data;
    if (!LoadFile(request.files[0], data.doc))
        return STATUS_FILE;
    const std::string& in = request.csv.empty() ? request.vcard : request.csv;
    std::vector<uint8_t> bytes(DIRECTORY_FILE_MAX);
    size_t size = 0;
    Log("read " + in);
    if (!ReadWholeFile(in.c_str(), bytes.data(), bytes.size(), &size)) {
        Err(in + ": " + Text(IDS_IMPORT_UNREADABLE));
        return STATUS_FILE;
    }
    std::unique_ptr<EditState> result(new EditState());
    if (request.csv.empty()) {
        const VcardImport outcome =
            ImportVcards(bytes.data(), size, data.doc.edit, KeyCount(), SystemTextEnvironment(),
                         MakeEntryDate(), result.get());
        const std::string said = DescribeVcardImport(outcome, LoadText);
        if (!outcome.readable || outcome.added.empty()) {
            Err(said);
            return STATUS_FILE;
        }
        Out(said);
    } else {
        const DirectoryImport outcome = ImportDirectoryCsv(
            bytes.data(), size, data.doc.edit, KeyCount(), SystemTextEnvironment(), result.get());
        if (!outcome.ok) {
            Err(Text(IDS_IMPORT_REJECTED, {ListProblems(outcome.problems, LoadText)}));
            return STATUS_FILE;
        }
    }
    data.doc.edit.quickDial = result->quickDial;
    data.doc.edit.speedDial = result->speedDial;
    Log("write " + request.out);
    if (!WriteDocumentFile(data.doc, request.out.c_str())) {
        Err(Text(IDS_CMD_FILE_UNWRITABLE, {request.out}));
        return STATUS_FILE;
    }
    return STATUS_OK;
}

int UsageError(const CmdRequest& request)
{
    int id = IDS_CMD_NO_COMMAND;
    switch (request.error) {
    case ARGS_UNKNOWN_COMMAND:
        id = IDS_CMD_BAD_COMMAND;
        break;
    case ARGS_UNKNOWN_OPTION:
        id = IDS_CMD_BAD_OPTION;
        break;
    case ARGS_MISSING_VALUE:
        id = IDS_CMD_MISSING_VALUE;
        break;
    case ARGS_BAD_DEVICE:
        id = IDS_CMD_BAD_DEVICE;
        break;
    case ARGS_FILES:
        id = IDS_CMD_BAD_FILES;
        break;
    case ARGS_CONFLICT:
        id = IDS_CMD_CONFLICT;
        break;
    default:
        break;
    }
    Err(Text(id, {request.argument}));
    return STATUS_USAGE;
}

/* The program's model profile, strings and devices, as the window sets them up. */
void SetUp(HINSTANCE instance)
{
    ResetAppState(&gApp);
    char profile[128];
    if (LoadStringA(instance, IDS_MODEL_PROFILE, profile, sizeof profile) <= 0)
        profile[0] = '\0';
    ApplyModelProfile(&gApp, profile);
    // The family's resource library beside the program, as the window loads it.
    char folder[MAX_PATH];
    const DWORD length = GetModuleFileNameA(instance, folder, sizeof folder);
    char* slash = length && length < sizeof folder ? std::strrchr(folder, '\\') : nullptr;
    if (slash)
        slash[1] = '\0';
    else
        folder[0] = '\0';
    LoadResourceModule(instance, folder);
    static const DeviceLinkHooks hooks = {NoLinkMessage, nullptr, nullptr,
                                          nullptr,       nullptr, nullptr};
    SetDeviceLinkHooks(&hooks);
    SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
    const char* choice = std::getenv("MORAVEL_DEVICE");
    SetDeviceBackend(SelectDeviceBackend(choice));
    SetDeviceLockName(DeviceLockName(choice).c_str());
}

int Run(const CmdRequest& request)
{
    switch (request.verb) {
    case CMD_HELP:
        Out(Text(IDS_CMD_USAGE));
        return STATUS_OK;
    case CMD_VERSION:
        Out(Text(IDS_CMD_VERSION, {Text(IDS_VERSION)}));
        return STATUS_OK;
    case CMD_DEVICES:
        return RunDevices();
    case CMD_BACKUP:
        return RunBackup(request);
    case CMD_RESTORE:
        return RunRestore(request);
    case CMD_COMPARE:
        return RunCompare(request);
    case CMD_SHOW:
        return RunShow(request);
    case CMD_EXPORT:
        return RunExport(request);
    case CMD_IMPORT:
        return RunImport(request);
    }
    return STATUS_USAGE;
}

}  // namespace

int main(int argc, char** argv)
{
    SetUp(GetModuleHandleA(nullptr));
    std::vector<std::string> args(argv + 1, argv + argc);
    CmdRequest request;
    if (!ParseCmdArguments(args, &request))
        return UsageError(request);
    gLogPath = request.log;
    std::string line = "MoravelCmd";
    for (const std::string& arg : args)
        line += " " + arg;
    Log(line);
    const int status = Run(request);
    Log("exit status " + std::to_string(status));
    SetDeviceBackend(nullptr);
    return status;
}
