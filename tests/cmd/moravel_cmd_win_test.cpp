// MoravelCmd.exe as a script runs it: started as a process of its own with no console, its output
// and exit status read back, against simulated devices served over TCP by threads of this test.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "device/device_lock_win.h"
#include "device/device_protocol.h"
#include "device/device_transfer.h"
#include "device/device_transport.h"
#include "device/setting_file.h"
#include "devsim/device_backends.h"
#include "devsim/sim_backend.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "running_server.h"
#include "tests/app/frame_harness_win.h"
#include "ui/ui_win.h"

namespace {

struct Outcome {
    DWORD status;
    std::string out, err;
};

std::string ReadAll(const std::string& path)
{
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    char buffer[65536];
    DWORD read = 0;
    std::string text;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

HANDLE Inheritable(const std::string& path, DWORD access, DWORD creation)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, creation,
                       0, nullptr);
}

// Starts MoravelCmd with `args` reaching `devices` (a MORAVEL_DEVICE text), without a console
// and with NUL for input, as a scheduled task runs it. `wait` 0 leaves it running.
struct Started {
    PROCESS_INFORMATION info = {};
    std::string outPath, errPath;
};

Started Start(const std::string& args, const std::string& devices)
{
    static int runs = 0;
    Started s;
    const std::string base = TestProgramFolder() + "cmd-" + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(++runs);
    s.outPath = base + ".out";
    s.errPath = base + ".err";
    HANDLE out = Inheritable(s.outPath, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE err = Inheritable(s.errPath, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE in = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    SetEnvironmentVariableA("MORAVEL_DEVICE", devices.c_str());
    std::string command = std::string("\"") + MORAVEL_CMD_EXE + "\" " + args;
    CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr,
                   &startup, &s.info);
    SetEnvironmentVariableA("MORAVEL_DEVICE", nullptr);
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
    return s;
}

Outcome Finish(Started& s)
{
    Outcome o = {9999, "", ""};
    if (!s.info.hProcess)
        return o;
    if (WaitForSingleObject(s.info.hProcess, 90000) != WAIT_OBJECT_0)
        TerminateProcess(s.info.hProcess, 9998);
    GetExitCodeProcess(s.info.hProcess, &o.status);
    CloseHandle(s.info.hProcess);
    CloseHandle(s.info.hThread);
    o.out = ReadAll(s.outPath);
    o.err = ReadAll(s.errPath);
    DeleteFileA(s.outPath.c_str());
    DeleteFileA(s.errPath.c_str());
    return o;
}

Outcome RunCmd(const std::string& args, const std::string& devices)
{
    Started s = Start(args, devices);
    return Finish(s);
}

std::string Devices(const std::vector<RunningServer*>& servers)
{
    std::string text = "tcp:";
    for (size_t i = 0; i < servers.size(); i++)
        text += (i ? ",127.0.0.1:" : "127.0.0.1:") + std::to_string(servers[i]->server.port);
    return text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

std::vector<uint8_t> Items(const SimDevice* device)
{
    return std::vector<uint8_t>(device->items, device->items + DEVICE_IMAGE_SIZE);
}

// Renames a simulated device the way the Properties dialog does; the old name's bytes beyond
// the new one's length go, as a device keeps none.
void Rename(SimDevice* device, const char* name)
{
    DeviceImage image = {device->items};
    std::memset(ImageItemValue(image, 0x10C04), 0, ITEM_VALUE_SIZE);
    std::unique_ptr<EditState> state(new EditState());
    LoadEditState(*state, image);
    std::strcpy(state->properties.deviceName, name);
    CommitEditState(*state, image);
}

int WritePackets(const SimDevice* device)
{
    int writes = 0;
    for (const SimPacket& packet : device->received)
        writes += packet.operation == OP_WRITE_ITEM;
    return writes;
}

std::string Folder(const char* name)
{
    const std::string folder = TestProgramFolder() + name + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void RemoveFolder(const std::string& folder)
{
    for (const std::string& name : FilesIn(folder, "*.DAT"))
        DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

// Three devices: devices lists them; backup --all saves each byte for byte, and a device that
// drops the link half-way fails with status 4 while the other two are still saved.
TEST(MoravelCmd, DevicesAndABackupOfEveryDevice)
{
    RunningServer a, b, c;
    ASSERT_TRUE(a.ok && b.ok && c.ok);
    Rename(a.device.get(), "Office A");
    Rename(b.device.get(), "Office B");
    Rename(c.device.get(), "Office C");
    const std::string devices = Devices({&a, &b, &c});

    const Outcome listed = RunCmd("devices", devices);
    EXPECT_EQ(0u, listed.status) << listed.err;
    const std::vector<std::string> lines = Lines(listed.out);
    ASSERT_EQ(3u, lines.size()) << listed.out;
    EXPECT_EQ(0u, lines[0].find("0\t2A02\tOffice A\t")) << lines[0];
    EXPECT_EQ(0u, lines[2].find("2\t2A02\tOffice C\t")) << lines[2];
    EXPECT_EQ(3u, RunCmd("devices", "tcp:127.0.0.1:1").status) << "no device: 3";

    const std::string folder = Folder("backup");
    c.device->faults.dropAtRecord = 100;
    const std::string log = folder + "\\backup.log";
    const Outcome saved =
        RunCmd("backup --all --out \"" + folder + "\" --log \"" + log + "\"", devices);
    EXPECT_TRUE(Contains(ReadAll(log), "device 2: download failed")) << ReadAll(log);
    EXPECT_TRUE(Contains(ReadAll(log), "exit status 4"));
    DeleteFileA(log.c_str());
    EXPECT_EQ(4u, saved.status) << saved.err;
    EXPECT_TRUE(Contains(saved.err, "Device 2: Reading/writing device data has failed."))
        << saved.err;
    std::vector<std::string> files = FilesIn(folder, "*.DAT");
    ASSERT_EQ(2u, files.size()) << saved.out;
    for (const std::string& name : files) {
        const SimDevice* from = name.find("Office A") == 0 ? a.device.get() : b.device.get();
        EXPECT_TRUE(Items(from) == FileBytes((folder + "\\" + name).c_str())) << name;
        EXPECT_TRUE(Contains(saved.out, name)) << "each file's path is printed";
    }
    RemoveFolder(folder);
}

// compare: 0 for the same data, 1 and the list for other data. restore without --yes and with
// nobody to answer refuses (2) and sends nothing; with --yes it keeps the device's data in the
// history, sends what the window sends, and names what the device did not take (1).
TEST(MoravelCmd, CompareAndRestore)
{
    RunningServer server;
    ASSERT_TRUE(server.ok);
    SimDevice* device = server.device.get();
    const std::string devices = Devices({&server});
    const std::vector<uint8_t> before = Items(device);

    // The file: the device's data with another name and another Auto Reset time.
    const std::string path = TestProgramFolder() + "restore.dat";
    {
        std::unique_ptr<SimDevice> copy(new SimDevice());
        std::memcpy(copy->items, before.data(), before.size());
        Rename(copy.get(), "Restored");
        DeviceImage image = {copy->items};
        std::unique_ptr<EditState> state(new EditState());
        LoadEditState(*state, image);
        state->system.autoResetTime = 4;
        CommitEditState(*state, image);
        ASSERT_EQ(1, WriteSettingFile(image, path.c_str()));
    }

    const Outcome same = RunCmd("compare \"" + path + "\" \"" + path + "\"", devices);
    EXPECT_EQ(0u, same.status) << same.err;
    const Outcome differ = RunCmd("compare \"" + path + "\"", devices);
    EXPECT_EQ(1u, differ.status) << differ.err;
    EXPECT_EQ((std::vector<std::string>{"System, Auto Reset Time: 2 min. -> 4 min.",
                                        "Properties, Device Name: Front Office MFP -> Restored"}),
              Lines(differ.out));

    device->received.clear();
    const Outcome dry = RunCmd("restore \"" + path + "\" --dry-run", devices);
    EXPECT_EQ(0u, dry.status);
    EXPECT_EQ(differ.out, dry.out) << "the same list";
    const Outcome unasked = RunCmd("restore \"" + path + "\"", devices);
    EXPECT_EQ(2u, unasked.status);
    EXPECT_TRUE(Contains(unasked.err, "--yes")) << unasked.err;
    EXPECT_EQ(0, WritePackets(device)) << "nothing was sent";
    EXPECT_TRUE(before == Items(device));

    ASSERT_EQ(1, SimApplyFault(device, "ignore=0x10001"));
    device->received.clear();
    const Outcome restored = RunCmd("restore \"" + path + "\" --yes", devices);
    EXPECT_EQ(1u, restored.status) << restored.err;
    EXPECT_TRUE(Contains(restored.err, "System, Auto Reset Time: 2 min. (sent: 4 min.)"))
        << restored.err;
    EXPECT_EQ(0, std::memcmp(device->items + FindItemRecord(0x10C04) * ITEM_RECORD_SIZE +
                                 ITEM_VALUE_OFFSET,
                             "Restored", 9))
        << "the device took the name";

    // The history file it printed holds the device's data as it was.
    const std::string marker = "The device's data before the upload: ";
    const size_t at = restored.out.find(marker);
    ASSERT_NE(std::string::npos, at) << restored.out;
    const std::string kept = Lines(restored.out.substr(at + marker.size()))[0];
    EXPECT_TRUE(before == FileBytes(kept.c_str())) << kept;
    DeleteFileA(kept.c_str());

    // What went out is what the window's upload of the same file sends, packet for packet.
    std::vector<SimPacket> sent;
    for (const SimPacket& p : device->received)
        if (p.operation == OP_WRITE_ITEM)
            sent.push_back(p);
    ResetAppState(&gApp);
    ApplyModelProfile(&gApp, "A4ZRPQ 2A02");
    SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
    SetDeviceBackend(BuiltInSimBackend(nullptr));
    SimDevice* local = BuiltInSimDevice();
    std::memcpy(local->items, before.data(), before.size());
    local->capturePackets = 1;
    Document doc = {};
    ASSERT_EQ(1, CreateDocument(doc));
    ASSERT_EQ(1, ReadDocumentFile(doc, path.c_str()));
    TakeNewImage(doc, 30);
    SetUploadDumpPath(nullptr);
    ASSERT_EQ(1, SetRemoteMode(REMOTE_MODE_BEGIN));
    ASSERT_EQ(1, UploadImage(&doc.image, nullptr));
    std::vector<SimPacket> window;
    for (const SimPacket& p : local->received)
        if (p.operation == OP_WRITE_ITEM)
            window.push_back(p);
    ASSERT_EQ(window.size(), sent.size());
    for (size_t i = 0; i < sent.size(); i++)
        EXPECT_TRUE(sent[i].code == window[i].code && sent[i].data == window[i].data)
            << "write " << i;
    ReleaseDocument(doc);
    SetDeviceBackend(nullptr);
    DeleteFileA(path.c_str());
}

// show, export and import on files: a refused import writes nothing; FILE is never changed.
TEST(MoravelCmd, ShowExportAndImport)
{
    RunningServer server;
    ASSERT_TRUE(server.ok);
    const std::string devices = Devices({&server});
    const Outcome shown = RunCmd("show --device 0 --json", devices);
    EXPECT_EQ(0u, shown.status) << shown.err;
    EXPECT_TRUE(Contains(shown.out, "\"deviceName\": \"Front Office MFP\"")) << shown.out;
    EXPECT_TRUE(Contains(shown.out, "\"setting\": \"Auto Reset Time\", \"value\": \"2 min.\""));

    const std::string file = TestProgramFolder() + "import-base.dat";
    const std::string csv = TestProgramFolder() + "import.csv";
    const std::string made = TestProgramFolder() + "import-new.dat";
    DeviceImage image = {server.device->items};
    ASSERT_EQ(1, WriteSettingFile(image, file.c_str()));
    const std::vector<uint8_t> original = FileBytes(file.c_str());
    EXPECT_EQ(0u, RunCmd("export \"" + file + "\" --csv \"" + csv + "\"", devices).status);

    HANDLE bad = CreateFileA(csv.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char text[] = "List,No.,Kind,Name,Destination\r\nQuick Dial,31,fax,Annex,0301234569\r\n";
    DWORD written = 0;
    WriteFile(bad, text, sizeof text - 1, &written, nullptr);
    CloseHandle(bad);
    const Outcome refused =
        RunCmd("import \"" + file + "\" --csv \"" + csv + "\" --out \"" + made + "\"", devices);
    EXPECT_EQ(5u, refused.status);
    EXPECT_TRUE(Contains(refused.err, "line 2")) << refused.err;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(made.c_str())) << "nothing written";
    EXPECT_TRUE(original == FileBytes(file.c_str()));
    DeleteFileA(file.c_str());
    DeleteFileA(csv.c_str());
}

// One program at a time: while the window is connected MoravelCmd leaves the device alone, and
// while MoravelCmd works the window's Connect finds the device in use.
TEST(MoravelCmd, TheWindowAndTheCommandLineTakeTurns)
{
    RunningServer server;
    ASSERT_TRUE(server.ok);
    const std::string devices = Devices({&server});
    std::vector<std::string> messages;
    static std::vector<std::string>* shown = nullptr;
    shown = &messages;
    SetMessageHook([](HWND, const char* text, const char*, UINT) {
        shown->push_back(text);
        return IDOK;
    });
    SetDeviceBackend(SelectDeviceBackend(devices.c_str()));
    SetDeviceLockName(DeviceLockName(devices.c_str()).c_str());
    StartFrame();
    HWND window = OpenMainWindow();
    SendMessageA(window, WM_COMMAND, IDM_CONNECT, 0);
    ASSERT_EQ(1u, gApp.connected);

    const Outcome refused = RunCmd("devices", devices);
    EXPECT_EQ(3u, refused.status);
    EXPECT_TRUE(Contains(refused.err, "in use by Moravel")) << refused.err;

    SendMessageA(window, WM_COMMAND, IDM_DISCONNECT, 0);
    server.server.latencyMs = 5;  // long enough a backup to connect in the middle of it
    const std::string folder = Folder("turns");
    Started busy = Start("backup --out \"" + folder + "\"", devices);
    const uint32_t connections = server.server.connections;
    WaitFor([&] { return server.server.connections > connections; });
    messages.clear();
    SendMessageA(window, WM_COMMAND, IDM_CONNECT, 0);
    EXPECT_EQ(0u, gApp.connected);
    EXPECT_EQ(std::vector<std::string>{"The device is currently in use."}, messages);
    EXPECT_EQ(0u, Finish(busy).status);
    RemoveFolder(folder);

    CloseTestWindow(window);
    SetMessageHook(nullptr);
    SetDeviceLockName(nullptr);
    SetDeviceBackend(nullptr);
}

}  // namespace
