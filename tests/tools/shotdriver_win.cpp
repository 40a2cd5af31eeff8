// Steers a running Moravel.exe for `make screenshot`: lists the states to capture and moves
// the program into each by sending it the commands a user would choose.
//   shotdriver list            the states, one "name|window title|arguments" line each
//   shotdriver command ID      sends command ID and waits until it is done
//   shotdriver post ID         posts command ID (for commands that open a modal dialog)
//   shotdriver after NAME      undoes what a state left open (closes its dialog)
//   shotdriver select ROW      selects and focuses ROW of the dial list
//   shotdriver page N          shows page N of the open Device Settings sheet
//   shotdriver close           closes the program without saving
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <commctrl.h>
#include <prsht.h>

#include "resources/resource_ids.h"

namespace {

HWND MainWindow() { return FindWindowA("PVX", nullptr); }

// Dismisses a top-level dialog whose caption starts with prefix.
struct CloseSearch {
    const char* prefix;
    int closed;
};

BOOL CALLBACK CloseDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CloseSearch*>(param);
    char caption[128] = "", cls[16] = "";
    GetWindowTextA(window, caption, sizeof caption);
    GetClassNameA(window, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") == 0 &&
        std::strncmp(caption, search->prefix, std::strlen(search->prefix)) == 0) {
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        search->closed++;
    }
    return TRUE;
}

// LVM_SETITEMSTATE takes a pointer, so the item goes into Moravel's own memory first.
void SelectRow(HWND main, int row)
{
    HWND list = GetDlgItem(main, IDC_DIALLIST);
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    void* remote = VirtualAllocEx(process, nullptr, sizeof item, MEM_COMMIT, PAGE_READWRITE);
    if (remote && WriteProcessMemory(process, remote, &item, sizeof item, nullptr)) {
        SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(remote));
        SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
}

HWND SettingsSheet()
{
    HWND sheet = nullptr;
    while ((sheet = FindWindowExA(nullptr, sheet, "#32770", "Device Settings")) != nullptr)
        if (GetWindow(sheet, GW_OWNER) == MainWindow())
            return sheet;
    return nullptr;
}

}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const char* verb = argv[1];
    if (std::strcmp(verb, "list") == 0) {
        std::printf("connected|Moravel - |command %d\n", IDM_CONNECT);
        std::printf("downloaded|Moravel - |command %d\n", IDM_DOWNLOAD);
        std::printf("quick-dial-list|Moravel - |command %d\n", IDM_VIEW_QUICK);
        std::printf("speed-dial-list|Moravel - |command %d\n", IDM_VIEW_SPEED);
        std::printf("group-list|Moravel - |command %d\n", IDM_VIEW_GROUP);
        std::printf("group-members|Moravel - |select 4\n");
        std::printf("about|About Moravel|post %d\n", IDM_ABOUT);
        std::printf("save-as-dialog|Save As...|post %d\n", IDM_SAVE_AS);
        std::printf("settings-system|Device Settings|post %d\n", IDM_DEVICE_SETTINGS);
        std::printf("settings-line|Device Settings|page 6\n");
        std::printf("settings-network|Device Settings|page 9\n");
        return 0;
    }
    HWND main = MainWindow();
    if (!main) {
        std::fprintf(stderr, "shotdriver: Moravel is not running\n");
        return 1;
    }
    if (std::strcmp(verb, "command") == 0 && argc > 2) {
        SendMessageA(main, WM_COMMAND, std::atoi(argv[2]), 0);
        return 0;
    }
    if (std::strcmp(verb, "post") == 0 && argc > 2) {
        PostMessageA(main, WM_COMMAND, std::atoi(argv[2]), 0);
        return 0;
    }
    if (std::strcmp(verb, "select") == 0 && argc > 2) {
        SelectRow(main, std::atoi(argv[2]));
        return 0;
    }
    if (std::strcmp(verb, "page") == 0 && argc > 2) {
        // An index and no page handle: nothing to copy into Moravel's memory.
        SendMessageA(SettingsSheet(), PSM_SETCURSEL, std::atoi(argv[2]), 0);
        return 0;
    }
    if (std::strcmp(verb, "after") == 0 && argc > 2 &&
        std::strcmp(argv[2], "settings-network") == 0) {
        // Cancel, then a harmless message: the modal sheet under Wine ends on the next one.
        HWND sheet = SettingsSheet();
        PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(sheet, WM_NULL, 0, 0);
        return 0;
    }
    if (std::strcmp(verb, "after") == 0 && argc > 2) {
        const char* prefix = std::strcmp(argv[2], "about") == 0            ? "About"
                             : std::strcmp(argv[2], "save-as-dialog") == 0 ? "Save As"
                                                                           : nullptr;
        if (prefix) {
            CloseSearch search = {prefix, 0};
            EnumWindows(CloseDialog, reinterpret_cast<LPARAM>(&search));
        }
        return 0;
    }
    if (std::strcmp(verb, "close") == 0) {
        PostMessageA(main, WM_COMMAND, IDM_DISCONNECT, 0);
        return 0;
    }
    return 2;
}
