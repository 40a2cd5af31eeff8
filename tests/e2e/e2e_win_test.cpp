// End to end: Moravel.exe under Wine against devsim over TCP, driven from outside by window
// messages as a user's clicks would, checking what the device received packet by packet and
// what the window shows after each step.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

struct Packet {
    int operation;
    unsigned code;
    unsigned length;
};

// The packets devsim logged ("#N op=XX kind code=0xID len=L ..."), and its event lines.
struct DeviceLog {
    std::vector<Packet> packets;
    std::vector<std::string> events;
};

DeviceLog ReadLog()
{
    DeviceLog log;
    const char* path = std::getenv("MORAVEL_E2E_LOG");
    std::ifstream in(path ? path : "");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("#", 0) == 0) {
            Packet p = {};
            const char* op = std::strstr(line.c_str(), "op=");
            const char* code = std::strstr(line.c_str(), "code=");
            const char* len = std::strstr(line.c_str(), "len=");
            if (op && code && len) {
                p.operation = static_cast<int>(std::strtol(op + 3, nullptr, 16));
                p.code = static_cast<unsigned>(std::strtoul(code + 5, nullptr, 16));
                p.length = static_cast<unsigned>(std::strtoul(len + 4, nullptr, 10));
                log.packets.push_back(p);
            }
        } else if (!line.empty()) {
            log.events.push_back(line);
        }
    }
    return log;
}

bool HasEvent(const DeviceLog& log, const char* text)
{
    for (const std::string& e : log.events)
        if (e.find(text) != std::string::npos)
            return true;
    return false;
}

struct Program {
    PROCESS_INFORMATION info = {};
    HWND main = nullptr;
};

struct Search {
    DWORD process;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindTop(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (pid == s->process && std::strcmp(cls, s->cls) == 0 && IsWindowVisible(window)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForTopWindow(const Program& p, const char* cls, DWORD timeoutMs = 20000)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        Search s = {p.info.dwProcessId, cls, nullptr};
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
        if (s.found)
            return s.found;
        Sleep(50);
    }
    return nullptr;
}

// Answers the message box the program shows with button (IDYES, IDNO...); its text goes to
// *text.
bool AnswerMessageBox(const Program& p, int button, std::string* text)
{
    HWND box = WaitForTopWindow(p, "#32770");
    if (!box)
        return false;
    char buffer[512] = "";
    HWND label = GetDlgItem(box, 0xFFFF);
    if (label)
        GetWindowTextA(label, buffer, sizeof buffer);
    if (text)
        *text = buffer;
    PostMessageA(box, WM_COMMAND, button, 0);
    return true;
}

bool ButtonEnabled(HWND main, int command)
{
    return SendMessageA(GetDlgItem(main, IDC_TOOLBAR), TB_ISBUTTONENABLED, command, 0) != 0;
}

BOOL CALLBACK FindPanelText(HWND child, LPARAM param)
{
    if (GetDlgCtrlID(child) == IDC_CONNECTION_TEXT) {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}

std::string PanelText(HWND main)
{
    HWND text = nullptr;
    EnumChildWindows(main, FindPanelText, reinterpret_cast<LPARAM>(&text));
    char buffer[64] = "";
    if (text)
        SendMessageA(text, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// Waits until the device log satisfies done, or gives up after timeoutMs.
template <typename Done>
DeviceLog WaitForLog(Done done, DWORD timeoutMs = 30000)
{
    DeviceLog log = ReadLog();
    for (DWORD waited = 0; !done(log) && waited < timeoutMs; waited += 100) {
        Sleep(100);
        log = ReadLog();
    }
    return log;
}

TEST(EndToEnd, ConnectDownloadUploadAgainstDevsim)
{
    ASSERT_NE(nullptr, std::getenv("MORAVEL_DEVICE")) << "run through run-e2e";
    Program program;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = std::string("\"") + MORAVEL_EXE + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &program.info));
    program.main = WaitForTopWindow(program, "PVX");
    ASSERT_NE(nullptr, program.main) << "Moravel showed no window";
    HWND main = program.main;
    EXPECT_EQ("Connection : Offline", PanelText(main));
    EXPECT_FALSE(ButtonEnabled(main, IDM_DOWNLOAD));

    // Connect: status handshake, status query, remote mode begin.
    SendMessageA(main, WM_COMMAND, IDM_CONNECT, 0);
    DeviceLog log = ReadLog();
    ASSERT_FALSE(log.packets.empty()) << "the device received nothing";
    EXPECT_TRUE(HasEvent(log, "remote mode open")) << "Connect opens remote mode";
    bool remoteBegin = false;
    for (const Packet& p : log.packets)
        remoteBegin = remoteBegin || (p.operation == 3 && p.code == 2 && p.length == 1);
    EXPECT_TRUE(remoteBegin) << "a remote-mode command with one byte";
    EXPECT_EQ("Connection : Online", PanelText(main));
    EXPECT_TRUE(ButtonEnabled(main, IDM_DOWNLOAD));
    EXPECT_FALSE(ButtonEnabled(main, IDM_UPLOAD));
    EXPECT_FALSE(ButtonEnabled(main, IDM_CONNECT));

    // Download: 252 reads in record order, 0x3 and 0x4 with the device command.
    const size_t before = log.packets.size();
    SendMessageA(main, WM_COMMAND, IDM_DOWNLOAD, 0);
    log = ReadLog();
    std::vector<Packet> reads;
    for (size_t i = before; i < log.packets.size(); i++)
        if (log.packets[i].operation == 2 ||
            (log.packets[i].operation == 3 &&
             (log.packets[i].code == 3 || log.packets[i].code == 4)))
            reads.push_back(log.packets[i]);
    ASSERT_EQ(252u, reads.size()) << "one read per record";
    EXPECT_EQ(3, reads[0].operation);
    EXPECT_EQ(0x3u, reads[0].code);
    EXPECT_EQ(3, reads[1].operation);
    EXPECT_EQ(0x4u, reads[1].code);
    EXPECT_EQ(0x1000Bu, reads[2].code) << "then the settings in record order";
    EXPECT_EQ(0x12000u, reads[132].code);
    EXPECT_EQ(0x120C9u, reads[251].code);
    EXPECT_TRUE(ButtonEnabled(main, IDM_UPLOAD));
    EXPECT_TRUE(ButtonEnabled(main, IDM_SAVE));
    HWND tree = GetDlgItem(main, IDC_TREE);
    EXPECT_TRUE(IsWindowVisible(tree));
    EXPECT_EQ(4, SendMessageA(tree, TVM_GETCOUNT, 0, 0));

    // Upload: reads the device, shows the review (nothing differs: the data just came from
    // it), then every record but 0x3/0x4, and the commit at the end.
    const size_t beforeUpload = log.packets.size();
    PostMessageA(main, WM_COMMAND, IDM_UPLOAD, 0);
    HWND review = WaitForTopWindow(program, "#32770");
    ASSERT_NE(nullptr, review) << "Upload shows its review first";
    char text[256] = "";
    GetWindowTextA(review, text, sizeof text);
    EXPECT_STREQ("Upload to Device", text);
    GetDlgItemTextA(review, IDC_CHANGES_TEXT, text, sizeof text);
    EXPECT_STREQ("The device already holds this data: the upload changes nothing.", text);
    log = ReadLog();
    int reviewReads = 0;
    for (size_t i = beforeUpload; i < log.packets.size(); i++) {
        EXPECT_NE(1, log.packets[i].operation) << "nothing is written before the review";
        reviewReads += log.packets[i].operation == 2 ||
                       (log.packets[i].operation == 3 &&
                        (log.packets[i].code == 3 || log.packets[i].code == 4));
    }
    EXPECT_EQ(252, reviewReads) << "the review reads the whole device";
    PostMessageA(review, WM_COMMAND, IDOK, 0);
    log = WaitForLog([&](const DeviceLog& l) {
        for (size_t i = beforeUpload; i < l.packets.size(); i++)
            if (l.packets[i].operation == 3 && l.packets[i].code == 5)
                return true;
        return false;
    });
    int writes = 0;
    bool commitLast = false;
    for (size_t i = beforeUpload; i < log.packets.size(); i++) {
        const Packet& p = log.packets[i];
        if (p.operation == 1) {
            writes++;
            EXPECT_NE(0x3u, p.code) << "the configuration is never written";
            EXPECT_NE(0x4u, p.code) << "the counters are never written";
            EXPECT_LE(p.length, 130u);
        }
        if (p.operation == 3 && p.code == 5)
            commitLast = (i + 1 == log.packets.size());
    }
    EXPECT_GT(writes, 200) << "the settings and the whole directory go to the device";
    EXPECT_LE(writes, 250);
    EXPECT_TRUE(commitLast) << "the commit ends the upload";
    EXPECT_TRUE(HasEvent(log, "commit")) << "the device applied the upload";

    // Disconnect ends remote mode; closing asks about the downloaded, unsaved data.
    SendMessageA(main, WM_COMMAND, IDM_DISCONNECT, 0);
    EXPECT_EQ("Connection : Offline", PanelText(main));
    EXPECT_TRUE(ButtonEnabled(main, IDM_CONNECT));
    PostMessageA(main, WM_CLOSE, 0, 0);
    std::string saveQuestion;
    ASSERT_TRUE(AnswerMessageBox(program, IDNO, &saveQuestion));
    EXPECT_EQ("Do you want to save the changes you made to NewFile.Dat?", saveQuestion);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(program.info.hProcess, 20000));
    DWORD code = 1;
    GetExitCodeProcess(program.info.hProcess, &code);
    EXPECT_EQ(0u, code);
    if (WaitForSingleObject(program.info.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(program.info.hProcess, 1);
    CloseHandle(program.info.hThread);
    CloseHandle(program.info.hProcess);
}

}
