// The setup program and its uninstaller under Wine, run as a user or an administrator runs them:
// silent installs, upgrades and uninstalls into a folder of the test's own, and the wizard
// driven with the messages its buttons send. A running Moravel is the installed Moravel.exe;
// the test answers Moravel's save question (and the setup's own questions) by finding the
// message box among the windows of that process and pressing one of its buttons, as a user
// would. Nothing here ends a process the setup program should have closed.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

const char* const INSTALLED_FILES[] = {"Moravel.exe", "MoravelCmd.exe", "QVPVX.html",
                                       "Quillet.dll", "Uninstall.exe"};
const char UNINSTALL_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Moravel";
constexpr DWORD PROCESS_TIMEOUT_MS = 60000;
constexpr DWORD WINDOW_TIMEOUT_MS = 30000;
constexpr DWORD SETUP_NOT_INSTALLED = 2;
// Controls of the setup wizard: its Next/Install/Finish button, the place of its pages, the
// folder field of the folder page and the progress bar of the progress page.
constexpr int WIZARD_NEXT = IDOK;
constexpr int WIZARD_PAGE = 1018;
constexpr int FOLDER_FIELD = 1019;
constexpr int PROGRESS_BAR = 1004;
constexpr int MESSAGE_TEXT = 0xFFFF;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ShellFolder(int folder)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// The setup program's working folders (NSIS's "ns*.tmp") in the temporary folder.
int TemporaryFolders()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(temp) + "ns*.tmp").c_str(), &found);
    int count = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do
            count++;
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return count;
}

std::string StartMenuShortcut() { return ShellFolder(CSIDL_PROGRAMS) + "\\Moravel.lnk"; }
std::string DesktopShortcut() { return ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\Moravel.lnk"; }

bool UninstallEntryExists()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, UNINSTALL_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string EntryText(const char* name)
{
    char value[1024] = "";
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, UNINSTALL_KEY, name, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

DWORD EntryNumber(const char* name)
{
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, UNINSTALL_KEY, name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
        return 0xFFFFFFFF;
    return value;
}

struct Shortcut {
    bool read = false;
    std::string target, folder;
};

Shortcut ReadShortcut(const std::string& path)
{
    Shortcut result;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return result;
    IPersistFile* file = nullptr;
    wchar_t widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(widePath, STGM_READ))) {
        char text[MAX_PATH] = "";
        link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        result.target = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, MAX_PATH);
        result.folder = text;
        result.read = true;
    }
    if (file)
        file->Release();
    link->Release();
    return result;
}

// The version text Moravel.exe's own version resource gives.
std::string ProductVersion(const std::string& exe)
{
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), nullptr);
    std::vector<char> info(size + 1);
    char* text = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(exe.c_str(), 0, size, info.data()) ||
        !VerQueryValueA(info.data(), "\\StringFileInfo\\040904E4\\ProductVersion",
                        reinterpret_cast<void**>(&text), &length))
        return "<none>";
    return text;
}

// The machine a PE file is built for (IMAGE_FILE_MACHINE_*), 0 when it is not one.
WORD PeMachine(const std::string& path)
{
    const std::string bytes = ReadAll(path);
    if (bytes.size() < 0x40)
        return 0;
    const DWORD header = *reinterpret_cast<const DWORD*>(bytes.data() + 0x3C);
    if (header + 6 > bytes.size() || bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0)
        return 0;
    return *reinterpret_cast<const WORD*>(bytes.data() + header + 4);
}

// A process the test started; a job holds it and everything it starts, so that the end of an
// uninstaller (which goes on in a copy of itself) can be waited for.
struct Process {
    PROCESS_INFORMATION info = {};
    HANDLE job = nullptr;

    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process()
    {
        // Only what the test itself left running after a failed check: a process left over
        // would keep the test runner waiting.
        if (job) {
            TerminateJobObject(job, 1);
            CloseHandle(job);
        }
        if (info.hThread)
            CloseHandle(info.hThread);
        if (info.hProcess)
            CloseHandle(info.hProcess);
    }

    bool Start(std::string commandLine)
    {
        job = CreateJobObjectA(nullptr, nullptr);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                            nullptr, nullptr, &startup, &info))
            return false;
        AssignProcessToJobObject(job, info.hProcess);
        ResumeThread(info.hThread);
        return true;
    }

    bool Running() const { return WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }

    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD Wait(DWORD timeoutMs = PROCESS_TIMEOUT_MS) const
    {
        if (WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }

    // Waits until no process of the job runs; false when one still does after timeoutMs.
    bool WaitForAll(DWORD timeoutMs = PROCESS_TIMEOUT_MS) const
    {
        for (DWORD waited = 0;; waited += 50) {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
            if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting,
                                           sizeof accounting, nullptr))
                return false;
            if (accounting.ActiveProcesses == 0)
                return true;
            if (waited >= timeoutMs)
                return false;
            Sleep(50);
        }
    }

    bool Owns(DWORD processId) const
    {
        if (processId == info.dwProcessId)
            return true;
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
        BOOL inJob = FALSE;
        if (process) {
            IsProcessInJob(process, job, &inJob);
            CloseHandle(process);
        }
        return inJob != FALSE;
    }
};

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    char text[1024] = "";
    if (window)
        SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

struct WindowSearch {
    const Process* owner;  // nullptr: any process
    DWORD processId;       // 0: any process
    const char* className;
    int childId;  // the window has this control; 0: no condition
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (IsWindowVisible(window) && ClassOf(window) == search->className &&
        (search->processId == 0 || processId == search->processId) &&
        (!search->owner || search->owner->Owns(processId)) &&
        (search->childId == 0 || GetDlgItem(window, search->childId))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Polls for a visible top-level window; nullptr when none shows up in time.
HWND WaitForWindow(WindowSearch search, DWORD timeoutMs = WINDOW_TIMEOUT_MS)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        search.found = nullptr;
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(50);
    }
    return nullptr;
}

// A message box with the given button, shown by a process of owner or by processId.
HWND WaitForMessageBox(const Process* owner, DWORD processId, int button)
{
    return WaitForWindow({owner, processId, "#32770", button, nullptr});
}

std::string MessageText(HWND box) { return TextOf(GetDlgItem(box, MESSAGE_TEXT)); }

// Presses a button of a dialog (a message box or the wizard) the way clicking it does.
void Press(HWND dialog, int button)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

template <typename Done>
bool WaitUntil(Done done, DWORD timeoutMs = WINDOW_TIMEOUT_MS)
{
    for (DWORD waited = 0; !done(); waited += 50) {
        if (waited >= timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

// The page shown inside the wizard, a dialog of its own.
HWND WizardPage(HWND wizard) { return FindWindowExA(wizard, nullptr, "#32770", nullptr); }

BOOL CALLBACK FindCheckBox(HWND child, LPARAM param)
{
    const LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
    if (ClassOf(child) == "Button" && (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)) {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}

// The first check box of the wizard's page: on the finish page, "Start Moravel".
HWND PageCheckBox(HWND wizard)
{
    HWND box = nullptr;
    if (HWND page = WizardPage(wizard))
        EnumChildWindows(page, FindCheckBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

bool NextEnabled(HWND wizard) { return IsWindowEnabled(GetDlgItem(wizard, WIZARD_NEXT)) != 0; }

std::string ImageOf(DWORD processId)
{
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process) {
        if (!QueryFullProcessImageNameA(process, 0, path, &size))
            path[0] = '\0';
        CloseHandle(process);
    }
    return path;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

class Setup : public ::testing::Test {
protected:
    std::string folder_;      // the test's own folder
    std::string installDir_;  // where it installs, a name with a space in its path

    void SetUp() override
    {
        CoInitialize(nullptr);
        ASSERT_EQ(nullptr, FindWindowA("PVX", nullptr))
            << "a Moravel is running that the setup program would ask to close";
        ASSERT_FALSE(UninstallEntryExists()) << "a Moravel is installed in this Wine prefix";
        ASSERT_FALSE(Exists(StartMenuShortcut())) << StartMenuShortcut() << " is there already";
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "Moravel setup test " + std::to_string(GetCurrentProcessId());
        RemoveTree(folder_);
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
        installDir_ = folder_ + "\\My Programs\\Moravel";
        // The copies the installer and the wizard start see the simulated device.
        SetEnvironmentVariableA("MORAVEL_DEVICE", "sim");
    }

    void TearDown() override
    {
        // Whatever a failed check left behind, so the next test starts clean.
        RegDeleteKeyA(HKEY_CURRENT_USER, UNINSTALL_KEY);
        DeleteFileA(StartMenuShortcut().c_str());
        DeleteFileA(DesktopShortcut().c_str());
        RemoveTree(folder_);
        CoUninitialize();
    }

    std::string Installed(const char* name) const { return installDir_ + "\\" + name; }
    static std::string Staged(const char* name) { return std::string(STAGE_DIR) + "\\" + name; }

    // The setup program's command line as an administrator types it: /D= last, unquoted.
    std::string SetupCommand(const std::string& options) const
    {
        return std::string("\"") + SETUP_EXE + "\" " + options + " /D=" + installDir_;
    }

    DWORD InstallSilently(const std::string& options = "/S")
    {
        Process setup;
        if (!setup.Start(SetupCommand(options)))
            return STILL_ACTIVE;
        return setup.Wait();
    }

    // Runs the installed uninstaller silently and waits until it and its copy have ended.
    bool UninstallSilently()
    {
        Process uninstall;
        return uninstall.Start("\"" + Installed("Uninstall.exe") + "\" /S") &&
               uninstall.WaitForAll();
    }

    // Starts the installed Moravel and returns its main window.
    HWND StartMoravel(Process& moravel)
    {
        if (!moravel.Start("\"" + Installed("Moravel.exe") + "\""))
            return nullptr;
        return WaitForWindow({nullptr, moravel.info.dwProcessId, "PVX", 0, nullptr});
    }

    // A download from the simulated device: Moravel then holds changes that are not saved.
    static void MakeUnsavedChanges(HWND main)
    {
        SendMessageA(main, WM_COMMAND, IDM_CONNECT, 0);
        SendMessageA(main, WM_COMMAND, IDM_DOWNLOAD, 0);
    }

    // Waits for Moravel's question about unsaved changes; nullptr when it does not come.
    static HWND WaitForSaveQuestion(const Process& moravel)
    {
        HWND box = WaitForMessageBox(nullptr, moravel.info.dwProcessId, IDNO);
        if (box && MessageText(box).rfind("Do you want to save the changes", 0) != 0)
            ADD_FAILURE() << "Moravel asked \"" << MessageText(box) << "\"";
        return box;
    }

    void ExpectInstalledFilesAsBuilt() const
    {
        for (const char* name : {"Moravel.exe", "MoravelCmd.exe", "QVPVX.html", "Quillet.dll"})
            EXPECT_TRUE(ReadAll(Installed(name)) == ReadAll(Staged(name)))
                << Installed(name) << " differs from the file the setup program was built with";
    }
};

TEST_F(Setup, SilentInstallPutsFilesShortcutsAndUninstallEntryInPlaceAndMoravelStarts)
{
    const int temporaryFolders = TemporaryFolders();
    ASSERT_EQ(0u, InstallSilently("/S /DESKTOP")) << "exit code of the silent install";
    EXPECT_EQ(temporaryFolders, TemporaryFolders()) << "a working folder was left behind";

    for (const char* name : INSTALLED_FILES)
        EXPECT_TRUE(Exists(Installed(name))) << Installed(name) << " missing";
    ExpectInstalledFilesAsBuilt();
    EXPECT_EQ(IMAGE_FILE_MACHINE_AMD64, PeMachine(Installed("Quillet.dll")))
        << "the 64-bit setup program ships the x64 Quillet.dll";

    for (const std::string& path : {StartMenuShortcut(), DesktopShortcut()}) {
        const Shortcut link = ReadShortcut(path);
        ASSERT_TRUE(link.read) << "no shortcut " << path;
        EXPECT_TRUE(SamePath(Installed("Moravel.exe"), link.target))
            << path << " -> " << link.target;
        EXPECT_TRUE(SamePath(installDir_, link.folder)) << path << " starts in " << link.folder;
    }

    ASSERT_TRUE(UninstallEntryExists());
    EXPECT_EQ("Moravel", EntryText("DisplayName"));
    EXPECT_EQ(ProductVersion(Installed("Moravel.exe")), EntryText("DisplayVersion"))
        << "the version is the program's own";
    EXPECT_EQ("Moravel", EntryText("Publisher"));
    EXPECT_TRUE(SamePath(Installed("Moravel.exe") + ",0", EntryText("DisplayIcon")))
        << EntryText("DisplayIcon");
    EXPECT_TRUE(SamePath(installDir_, EntryText("InstallLocation")))
        << EntryText("InstallLocation");
    EXPECT_TRUE(SamePath("\"" + Installed("Uninstall.exe") + "\"", EntryText("UninstallString")))
        << EntryText("UninstallString");
    EXPECT_TRUE(
        SamePath("\"" + Installed("Uninstall.exe") + "\" /S", EntryText("QuietUninstallString")))
        << EntryText("QuietUninstallString");
    DWORD bytes = 0;
    for (const char* name : {"Moravel.exe", "MoravelCmd.exe", "QVPVX.html", "Quillet.dll"})
        bytes += static_cast<DWORD>(ReadAll(Installed(name)).size());
    const DWORD size = EntryNumber("EstimatedSize");
    EXPECT_TRUE(size >= bytes / 1024 && size <= bytes / 1024 + 4)
        << "EstimatedSize " << size << " KB for " << bytes << " bytes of files";

    // The installed program starts from its folder and can write its backup file there.
    {
        Process moravel;
        HWND main = StartMoravel(moravel);
        ASSERT_NE(nullptr, main) << "the installed Moravel showed no window";
        EXPECT_EQ(0u, TextOf(main).rfind("Moravel", 0)) << "caption \"" << TextOf(main) << "\"";
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, moravel.Wait()) << "Moravel's exit code";
    }
    EXPECT_TRUE(Exists(Installed("A4SPVX.BAK"))) << "Moravel wrote no backup in its folder";

    // A clean uninstall of this leaves nothing but the backup, and nothing once that is gone.
    DeleteFileA(Installed("A4SPVX.BAK").c_str());
    ASSERT_TRUE(UninstallSilently());
    EXPECT_FALSE(Exists(installDir_)) << "the emptied folder stays";
    EXPECT_FALSE(Exists(StartMenuShortcut()));
    EXPECT_FALSE(Exists(DesktopShortcut()));
    EXPECT_FALSE(UninstallEntryExists());
}

// /LANG=de puts the German library and manual beside the program, and the installed Moravel
// speaks German; an upgrade without /LANG keeps them; /LANG=en takes them away again. Japanese
// needs a Japanese Windows, and a code Setup does not know changes nothing.
TEST_F(Setup, SilentInstallInGermanIsKeptOnUpgradeAndRemovedOnUninstall)
{
    const std::string library = Staged("lang\\de\\QVPVX.DLL");
    const std::string manual = Staged("lang\\de\\QVPVX.html");
    ASSERT_EQ(0u, InstallSilently("/S /LANG=de"));
    EXPECT_TRUE(ReadAll(Installed("QVPVX.DLL")) == ReadAll(library)) << "no German library";
    EXPECT_TRUE(ReadAll(Installed("QVPVX.html")) == ReadAll(manual)) << "no German manual";
    {
        Process moravel;
        HWND main = StartMoravel(moravel);
        ASSERT_NE(nullptr, main);
        char file[64] = "";
        GetMenuStringA(GetMenu(main), 0, file, sizeof file, MF_BYPOSITION);
        EXPECT_STRNE("&File", file) << "the installed Moravel speaks English";
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, moravel.Wait());
    }

    WriteAll(Installed("QVPVX.DLL"), "older");
    ASSERT_EQ(0u, InstallSilently("/S"));
    EXPECT_TRUE(ReadAll(Installed("QVPVX.DLL")) == ReadAll(library)) << "the upgrade dropped German";
    EXPECT_TRUE(ReadAll(Installed("QVPVX.html")) == ReadAll(manual));

    EXPECT_EQ(SETUP_NOT_INSTALLED, InstallSilently("/S /LANG=ja")) << "Japanese on code page 1252";
    EXPECT_EQ(SETUP_NOT_INSTALLED, InstallSilently("/S /LANG=xx"));
    EXPECT_TRUE(ReadAll(Installed("QVPVX.DLL")) == ReadAll(library)) << "a refused run changed it";

    ASSERT_EQ(0u, InstallSilently("/S /LANG=en"));
    EXPECT_FALSE(Exists(Installed("QVPVX.DLL"))) << "English keeps the German library";
    EXPECT_TRUE(ReadAll(Installed("QVPVX.html")) == ReadAll(Staged("QVPVX.html")));

    ASSERT_EQ(0u, InstallSilently("/S /LANG=it"));
    ASSERT_TRUE(Exists(Installed("QVPVX.DLL")));
    DeleteFileA(Installed("A4SPVX.BAK").c_str());
    ASSERT_TRUE(UninstallSilently());
    EXPECT_FALSE(Exists(installDir_)) << "the library or manual stayed behind";
}

TEST_F(Setup, SilentInstallIntoAFolderThatCannotBeWrittenChangesNothing)
{
    // A file where the folder would be: the folder can be neither made nor written.
    const std::string blocker = folder_ + "\\My Programs";
    WriteAll(blocker, "a file, not a folder");
    EXPECT_EQ(SETUP_NOT_INSTALLED, InstallSilently()) << "exit code";
    EXPECT_EQ("a file, not a folder", ReadAll(blocker));
    EXPECT_FALSE(UninstallEntryExists());
    EXPECT_FALSE(Exists(StartMenuShortcut()));
}

TEST_F(Setup, SilentUpgradeAsksTheRunningMoravelToCloseAndReplacesFilesOnlyAfterItClosed)
{
    ASSERT_EQ(0u, InstallSilently());
    const std::string older = "<html>the manual of an older version</html>";
    WriteAll(Installed("QVPVX.html"), older);

    Process moravel;
    HWND main = StartMoravel(moravel);
    ASSERT_NE(nullptr, main);
    MakeUnsavedChanges(main);

    // Cancel in Moravel's question: it stays open, and the upgrade changes nothing.
    {
        Process setup;
        ASSERT_TRUE(setup.Start(SetupCommand("/S")));
        HWND question = WaitForSaveQuestion(moravel);
        ASSERT_NE(nullptr, question) << "Moravel did not ask about its unsaved changes";
        EXPECT_TRUE(setup.Running()) << "the upgrade went on while Moravel asked";
        EXPECT_TRUE(ReadAll(Installed("QVPVX.html")) == older)
            << "a file was replaced while Moravel asked";
        Press(question, IDCANCEL);
        EXPECT_EQ(SETUP_NOT_INSTALLED, setup.Wait()) << "exit code with Moravel kept open";
        EXPECT_TRUE(moravel.Running()) << "Moravel was ended";
        EXPECT_TRUE(IsWindow(main));
        EXPECT_TRUE(ReadAll(Installed("QVPVX.html")) == older) << "a file was replaced";
    }

    // No in the question: Moravel closes, then the upgrade completes.
    {
        Process setup;
        ASSERT_TRUE(setup.Start(SetupCommand("/S")));
        HWND question = WaitForSaveQuestion(moravel);
        ASSERT_NE(nullptr, question) << "Moravel did not ask again";
        EXPECT_TRUE(setup.Running());
        EXPECT_TRUE(ReadAll(Installed("QVPVX.html")) == older)
            << "a file was replaced while Moravel asked";
        Press(question, IDNO);
        EXPECT_EQ(0u, moravel.Wait()) << "Moravel's exit code";
        EXPECT_EQ(0u, setup.Wait()) << "exit code of the upgrade";
    }
    ExpectInstalledFilesAsBuilt();
    EXPECT_TRUE(Exists(Installed("A4SPVX.BAK"))) << "the backup Moravel wrote as it closed";
    EXPECT_TRUE(UninstallEntryExists());
    ASSERT_TRUE(UninstallSilently());
}

TEST_F(Setup, SilentUpgradeLeavesAMoravelWithADialogOpenAlone)
{
    ASSERT_EQ(0u, InstallSilently());
    Process moravel;
    HWND main = StartMoravel(moravel);
    ASSERT_NE(nullptr, main);
    PostMessageA(main, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = WaitForWindow({nullptr, moravel.info.dwProcessId, "#32770", IDOK, nullptr});
    ASSERT_NE(nullptr, about) << "no About box";
    const std::string older = "older";
    WriteAll(Installed("QVPVX.html"), older);

    const int temporaryFolders = TemporaryFolders();
    EXPECT_EQ(SETUP_NOT_INSTALLED, InstallSilently()) << "exit code with a dialog open";
    EXPECT_EQ(temporaryFolders, TemporaryFolders()) << "a working folder was left behind";
    EXPECT_TRUE(IsWindow(about)) << "the dialog was closed under the user";
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(ReadAll(Installed("QVPVX.html")) == older) << "a file was replaced";

    Press(about, IDOK);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, moravel.Wait());
    ASSERT_TRUE(UninstallSilently());
}

TEST_F(Setup, WizardUpgradeOffersRetryWhileMoravelStaysOpenAndStartsTheNewMoravel)
{
    ASSERT_EQ(0u, InstallSilently());
    WriteAll(Installed("QVPVX.html"), "older");
    Process moravel;
    HWND main = StartMoravel(moravel);
    ASSERT_NE(nullptr, main);
    MakeUnsavedChanges(main);

    Process setup;
    ASSERT_TRUE(setup.Start(std::string("\"") + SETUP_EXE + "\""));
    HWND wizard = WaitForWindow({nullptr, setup.info.dwProcessId, "#32770", WIZARD_PAGE, nullptr});
    ASSERT_NE(nullptr, wizard) << "no setup wizard";
    Press(wizard, WIZARD_NEXT);  // welcome
    HWND field = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (field = GetDlgItem(WizardPage(wizard), FOLDER_FIELD)); }))
        << "no folder page";
    std::string offered = TextOf(field);
    if (!offered.empty() && offered.back() == '\\')
        offered.pop_back();
    EXPECT_TRUE(SamePath(installDir_, offered))
        << "an upgrade offers the folder of the installed copy, not " << TextOf(field);
    Press(wizard, WIZARD_NEXT);  // folder

    HWND question = WaitForSaveQuestion(moravel);
    ASSERT_NE(nullptr, question);
    Press(question, IDCANCEL);
    HWND stays = WaitForMessageBox(nullptr, setup.info.dwProcessId, IDRETRY);
    ASSERT_NE(nullptr, stays) << "the setup program did not say that Moravel stayed open";
    EXPECT_NE(std::string::npos, MessageText(stays).find("Moravel")) << MessageText(stays);
    EXPECT_TRUE(moravel.Running());
    EXPECT_TRUE(ReadAll(Installed("QVPVX.html")) == "older") << "a file was replaced";

    Press(stays, IDRETRY);
    question = WaitForSaveQuestion(moravel);
    ASSERT_NE(nullptr, question) << "Retry did not ask Moravel again";
    Press(question, IDNO);
    EXPECT_EQ(0u, moravel.Wait());

    // The progress page goes on to the finish page by itself; Start Moravel is checked.
    ASSERT_TRUE(WaitUntil([&] { return PageCheckBox(wizard) != nullptr && NextEnabled(wizard); }))
        << "no finish page";
    EXPECT_EQ(BST_CHECKED, SendMessageA(PageCheckBox(wizard), BM_GETCHECK, 0, 0));
    ExpectInstalledFilesAsBuilt();
    Press(wizard, WIZARD_NEXT);  // finish
    EXPECT_EQ(0u, setup.Wait()) << "exit code of the wizard";

    HWND started = WaitForWindow({nullptr, 0, "PVX", 0, nullptr});
    ASSERT_NE(nullptr, started) << "Start Moravel started nothing";
    DWORD startedId = 0;
    GetWindowThreadProcessId(started, &startedId);
    EXPECT_TRUE(SamePath(Installed("Moravel.exe"), ImageOf(startedId))) << ImageOf(startedId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, startedId);
    PostMessageA(started, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, PROCESS_TIMEOUT_MS));
    CloseHandle(process);
    ASSERT_TRUE(UninstallSilently());
}

TEST_F(Setup, SilentUninstallClosesMoravelRemovesWhatItInstalledAndKeepsTheUsersFiles)
{
    ASSERT_EQ(0u, InstallSilently());
    const std::string settings(35280, '\x5A');
    WriteAll(Installed("Office.DAT"), settings);

    Process moravel;
    HWND main = StartMoravel(moravel);
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(UninstallSilently()) << "the uninstaller did not end";
    EXPECT_EQ(0u, moravel.Wait(0)) << "Moravel was not closed, or not the way its user closes it";

    for (const char* name : INSTALLED_FILES)
        EXPECT_FALSE(Exists(Installed(name))) << Installed(name) << " left behind";
    EXPECT_FALSE(Exists(StartMenuShortcut()));
    EXPECT_FALSE(UninstallEntryExists());
    EXPECT_EQ(settings, ReadAll(Installed("Office.DAT"))) << "the user's setting data file";
    EXPECT_TRUE(Exists(Installed("A4SPVX.BAK"))) << "a silent uninstall keeps the backup";
}

TEST_F(Setup, WizardUninstallAsksAboutTheBackupAndRemovesItOnYes)
{
    ASSERT_EQ(0u, InstallSilently());
    const std::string settings = "settings of the user's own";
    WriteAll(Installed("Office.DAT"), settings);
    WriteAll(Installed("A4SPVX.BAK"), std::string(35280, '\0'));
    SetFileAttributesA(Installed("A4SPVX.BAK").c_str(), FILE_ATTRIBUTE_HIDDEN);

    Process uninstall;
    ASSERT_TRUE(uninstall.Start("\"" + Installed("Uninstall.exe") + "\""));
    // The wizard is the uninstaller's copy of itself, a process of the job.
    HWND wizard = WaitForWindow({&uninstall, 0, "#32770", WIZARD_PAGE, nullptr});
    ASSERT_NE(nullptr, wizard) << "no uninstall wizard";
    Press(wizard, WIZARD_NEXT);  // confirm: Uninstall
    HWND question = WaitForMessageBox(&uninstall, 0, IDYES);
    ASSERT_NE(nullptr, question) << "no question about the backup";
    EXPECT_NE(std::string::npos, MessageText(question).find("A4SPVX.BAK")) << MessageText(question);
    Press(question, IDYES);
    ASSERT_TRUE(WaitUntil([&] {
        return GetDlgItem(WizardPage(wizard), PROGRESS_BAR) && NextEnabled(wizard);
    })) << "the uninstall did not complete";
    Press(wizard, WIZARD_NEXT);  // Close
    ASSERT_TRUE(uninstall.WaitForAll());

    EXPECT_FALSE(Exists(Installed("A4SPVX.BAK"))) << "Yes keeps the backup";
    EXPECT_FALSE(Exists(Installed("Moravel.exe")));
    EXPECT_EQ(settings, ReadAll(Installed("Office.DAT")));
    EXPECT_FALSE(UninstallEntryExists());
}

}  // namespace
