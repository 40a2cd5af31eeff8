// Steers a running Moravel.exe for `make screenshot`: lists the states to capture and moves
// the program into each by sending it the commands a user would choose.
//   shotdriver list            the states, one "name|window title|arguments" line each
//   shotdriver command ID      sends command ID and waits until it is done
//   shotdriver post ID         posts command ID (for commands that open a modal dialog)
//   shotdriver after NAME      undoes what a state left open (closes its dialog)
//   shotdriver select ROW      selects and focuses ROW of the dial list
//   shotdriver edit ROW [TEXT] opens the entry editor on ROW; TEXT goes into its fax number
//   shotdriver scan ROW        opens the entry editor on ROW and turns custom scan on
//   shotdriver list a3         the states of the A3 family's program
//   shotdriver preview LIST [zoom]  opens the print preview of one list (quick, speed or
//                              group), fitted to the window's width with zoom
//   shotdriver import FILE     writes a dial directory with mistakes to FILE and imports it
//   shotdriver page N          shows page N of the open Device Settings sheet
//   shotdriver window-id [main] the X window to capture: the active dialog, or the main window
//   shotdriver close           closes the program without saving
// and steers the setup program's wizard:
//   shotdriver setup-language  accepts the language page the setup program shows first
//   shotdriver setup-title     waits for the wizard and prints its caption
//   shotdriver setup-next      goes on to the folder page
//   shotdriver setup-cancel    leaves the wizard, answering its question with Yes
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <commctrl.h>
#include <prsht.h>

#include "resources/resource_ids.h"

namespace {

HWND MainWindow() { return FindWindowA("PVX", nullptr); }

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

// The window a person looks at: Moravel's top enabled dialog (a modal dialog disables its
// owner), found by state rather than caption so that it serves every language.
struct ActiveSearch {
    HWND main;
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindActive(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ActiveSearch*>(param);
    DWORD process = 0;
    char cls[16] = "";
    GetWindowThreadProcessId(window, &process);
    GetClassNameA(window, cls, sizeof cls);
    if (window != search->main && process == search->process && !std::strcmp(cls, "#32770") &&
        IsWindowVisible(window) && IsWindowEnabled(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND ActiveDialog()
{
    ActiveSearch search = {MainWindow(), 0, nullptr};
    GetWindowThreadProcessId(search.main, &search.process);
    EnumWindows(FindActive, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits a few seconds for a dialog other than `before` (nullptr: any dialog) to become active.
HWND WaitDialog(HWND before = nullptr)
{
    for (int i = 0; i < 100; i++) {
        HWND dialog = ActiveDialog();
        if (dialog && dialog != before)
            return dialog;
        Sleep(50);
    }
    return nullptr;
}

// The setup program's wizard: a dialog with the place of its pages and Moravel in its caption
// (where in it depends on the language).
constexpr int SETUP_PAGE_PLACE = 1018;
constexpr int SETUP_FOLDER_FIELD = 1019;

struct SetupSearch {
    HWND found;
};

BOOL CALLBACK FindSetup(HWND window, LPARAM param)
{
    char caption[128] = "", cls[16] = "";
    GetWindowTextA(window, caption, sizeof caption);
    GetClassNameA(window, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") == 0 && std::strstr(caption, "Moravel") &&
        GetDlgItem(window, SETUP_PAGE_PLACE) && IsWindowVisible(window)) {
        reinterpret_cast<SetupSearch*>(param)->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitSetup()
{
    for (int i = 0; i < 400; i++) {
        SetupSearch search = {nullptr};
        EnumWindows(FindSetup, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(50);
    }
    return nullptr;
}

int SteerSetup(const char* verb)
{
    if (std::strcmp(verb, "setup-language") == 0) {
        // The language page before the wizard: OK keeps the language it offers.
        for (int i = 0; i < 400; i++) {
            HWND page = FindWindowA("#32770", "Language");
            if (page && IsWindowVisible(page)) {
                PostMessageA(page, WM_COMMAND, IDOK, 0);
                return 0;
            }
            Sleep(50);
        }
        return 1;
    }
    HWND setup = WaitSetup();
    if (!setup) {
        std::fprintf(stderr, "shotdriver: no setup wizard\n");
        return 1;
    }
    if (std::strcmp(verb, "setup-title") == 0) {
        char caption[128] = "";
        GetWindowTextA(setup, caption, sizeof caption);
        std::printf("%s\n", caption);
        return 0;
    }
    if (std::strcmp(verb, "setup-next") == 0) {
        PostMessageA(setup, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 100; i++) {
            HWND page = FindWindowExA(setup, nullptr, "#32770", nullptr);
            if (page && GetDlgItem(page, SETUP_FOLDER_FIELD))
                return 0;
            Sleep(50);
        }
        return 1;
    }
    PostMessageA(setup, WM_COMMAND, IDCANCEL, 0);
    for (int i = 0; i < 100; i++) {
        DWORD setupProcess = 0, boxProcess = 0;
        GetWindowThreadProcessId(setup, &setupProcess);
        HWND box = FindWindowA("#32770", nullptr);
        for (; box; box = FindWindowExA(nullptr, box, "#32770", nullptr)) {
            GetWindowThreadProcessId(box, &boxProcess);
            if (box != setup && boxProcess == setupProcess && GetDlgItem(box, IDYES)) {
                PostMessageA(box, WM_COMMAND, IDYES, 0);
                return 0;
            }
        }
        Sleep(50);
    }
    return 1;
}

// Print Preview, through its list choice with only `list` checked; `zoom` then fits the width.
int OpenPreview(HWND main, const char* list, bool zoom)
{
    PostMessageA(main, WM_COMMAND, IDM_PRINT_PREVIEW, 0);
    HWND choice = WaitDialog();
    if (!choice)
        return 1;
    const struct {
        const char* name;
        int control;
    } boxes[] = {
        {"quick", IDC_PRINT_QUICK}, {"speed", IDC_PRINT_SPEED}, {"group", IDC_PRINT_GROUP}};
    /* As a click does: the box changes and the dialog hears of it. */
    for (const auto& box : boxes) {
        SendDlgItemMessageA(choice, box.control, BM_SETCHECK,
                            std::strcmp(box.name, list) == 0 ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(choice, WM_COMMAND, MAKEWPARAM(box.control, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(choice, box.control)));
    }
    PostMessageA(choice, WM_COMMAND, IDOK, 0);
    if (!zoom)
        return 0;
    HWND preview = WaitDialog(choice);
    if (!preview)
        return 1;
    PostMessageA(preview, WM_COMMAND, IDC_PREVIEW_ZOOM, 0);
    return 0;
}

HWND SettingsSheet()
{
    // The sheet is the dialog the main window owns; its own dialogs are owned by it.
    for (HWND dialog = ActiveDialog(); dialog; dialog = GetWindow(dialog, GW_OWNER))
        if (GetWindow(dialog, GW_OWNER) == MainWindow())
            return dialog;
    return nullptr;
}

/* Writes `text` to `name` in the current folder and imports it through the real file dialog. */
int ImportFile(HWND main, const char* name, const char* text)
{
    char path[MAX_PATH];
    if (!GetFullPathNameA(name, sizeof path, path, nullptr))
        return 1;
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return 1;
    std::fputs(text, file);
    std::fclose(file);
    PostMessageA(main, WM_COMMAND, IDM_IMPORT_DIRECTORY, 0);
    HWND dialog = WaitDialog();
    if (!dialog)
        return 1;
    // The file name box of the common dialog, in its two forms.
    SetDlgItemTextA(dialog, 0x47C, path);
    SetDlgItemTextA(dialog, 0x480, path);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return 0;
}

}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const char* verb = argv[1];
    if (std::strcmp(verb, "list") == 0 && argc > 2 && std::strcmp(argv[2], "a3") == 0) {
        // The A3 family's program with its library: the forms the library adds.
        std::printf("connected|Moravel - |command %d\n", IDM_CONNECT);
        std::printf("downloaded|Moravel - |command %d\n", IDM_DOWNLOAD);
        std::printf("quick-dial-list|Moravel - |command %d\n", IDM_VIEW_QUICK);
        std::printf("entry-fax|Program Quick Dial01|edit 0\n");
        std::printf("entry-email|Program Quick Dial02|scan 1\n");
        // The library's Copier form; the sheet closes after its last page shown.
        std::printf("settings-system|Device Settings|post %d\n", IDM_DEVICE_SETTINGS);
        std::printf("settings-copier|Device Settings|page 2\n");
        std::printf("settings-network|Device Settings|page 9\n");
        return 0;
    }
    if (std::strcmp(verb, "list") == 0) {
        std::printf("connected|Moravel - |command %d\n", IDM_CONNECT);
        std::printf("downloaded|Moravel - |command %d\n", IDM_DOWNLOAD);
        std::printf("upload-no-changes|Upload to Device|post %d\n", IDM_UPLOAD);
        std::printf("quick-dial-list|Moravel - |command %d\n", IDM_VIEW_QUICK);
        std::printf("entry-fax|Program Quick Dial01|edit 0\n");
        std::printf("entry-email|Program Quick Dial02|edit 1\n");
        std::printf("entry-combination|Program Quick Dial06 (Combination Key)|edit 5 0044+\n");
        std::printf("speed-dial-list|Moravel - |command %d\n", IDM_VIEW_SPEED);
        std::printf("group-list|Moravel - |command %d\n", IDM_VIEW_GROUP);
        std::printf("group-members|Moravel - |select 4\n");
        std::printf("group-dialog|Program Group Dial05|edit 4\n");
        std::printf("about|About Moravel|post %d\n", IDM_ABOUT);
        std::printf("save-as-dialog|Save As...|post %d\n", IDM_SAVE_AS);
        std::printf("print-choice|Print Destination List|post %d\n", IDM_PRINT);
        std::printf("preview-quick-dial|Print Preview|preview quick\n");
        std::printf("preview-speed-dial|Print Preview|preview speed\n");
        std::printf("preview-group|Print Preview|preview group\n");
        std::printf("preview-fit-width|Print Preview|preview speed zoom\n");
        // The message box's caption is the program's name alone.
        std::printf("import-errors|Moravel\"|import dial-directory-errors.csv\n");
        std::printf("import-address-book|Import Address Book|import-book outlook\n");
        std::printf("import-unknown-columns|Import Address Book|import-book unknown\n");
        std::printf("settings-system|Device Settings|post %d\n", IDM_DEVICE_SETTINGS);
        std::printf("settings-paper|Device Settings|page 1\n");
        std::printf("auto-tray-select|Auto Tray Select|click %d\n", IDC_PAPER_AUTO_TRAY_SELECT);
        std::printf("settings-copier|Device Settings|page 2\n");
        std::printf("settings-report|Device Settings|page 3\n");
        std::printf("settings-transmission|Device Settings|page 4\n");
        std::printf("settings-reception|Device Settings|page 5\n");
        std::printf("forwarding-fax|Forwarding Destination|click %d\n", IDC_RX_FORWARD_ON);
        std::printf("forwarding-email|Forwarding Destination|forward-email\n");
        std::printf("settings-line|Device Settings|page 6\n");
        std::printf("settings-smtp|Device Settings|page 7\n");
        std::printf("settings-pop3|Device Settings|page 8\n");
        std::printf("settings-user-restriction|Device Settings|page 10\n");
        // The demo device has no restriction password: its OK opens the dialog at once.
        std::printf("user-restriction-dialog|User Restriction|click %d\n", IDC_URPAGE_OK);
        std::printf("settings-scanner|Device Settings|page 11\n");
        std::printf("settings-ldap|Device Settings|page 12\n");
        // The sheet closes after this one.
        std::printf("settings-network|Device Settings|page 9\n");
        std::printf("counter|Counter|post %d\n", IDM_TOTAL_COUNTER);
        std::printf("device-info|Device Info|post %d\n", IDM_DEVICE_INFO);
        std::printf("properties|Properties|post %d\n", IDM_PROPERTIES);
        std::printf("upload-changes|Upload to Device|upload-changes\n");
        std::printf("compare-device|Compare with Device|post %d\n", IDM_COMPARE_DEVICE);
        return 0;
    }
    if (std::strncmp(verb, "setup-", 6) == 0)
        return SteerSetup(verb);
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
    if (std::strcmp(verb, "edit") == 0 && argc > 2) {
        SelectRow(main, std::atoi(argv[2]));
        PostMessageA(main, WM_COMMAND, IDM_ENTRY_PROPERTIES, 0);
        HWND dialog = WaitDialog();
        if (dialog && argc > 3)
            SetDlgItemTextA(dialog, IDC_ENTRY_FAX_NUMBER, argv[3]);
        return dialog ? 0 : 1;
    }
    if (std::strcmp(verb, "scan") == 0 && argc > 2) {
        SelectRow(main, std::atoi(argv[2]));
        PostMessageA(main, WM_COMMAND, IDM_ENTRY_PROPERTIES, 0);
        HWND dialog = WaitDialog();
        if (dialog)
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ENTRY_CUSTOM_SCAN_ON, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ENTRY_CUSTOM_SCAN_ON)));
        return dialog ? 0 : 1;
    }
    if (std::strcmp(verb, "upload-changes") == 0) {
        // Two Quick Dial entries edited through their dialog, then Upload: the review lists them.
        SendMessageA(main, WM_COMMAND, IDM_VIEW_QUICK, 0);
        const struct {
            int row;
            int control;
            const char* text;
        } edits[] = {{0, IDC_ENTRY_NAME, "Reception"}, {2, IDC_ENTRY_FAX_NUMBER, "0301234599"}};
        for (const auto& edit : edits) {
            SelectRow(main, edit.row);
            PostMessageA(main, WM_COMMAND, IDM_ENTRY_PROPERTIES, 0);
            HWND dialog = WaitDialog();
            if (!dialog)
                return 1;
            SetDlgItemTextA(dialog, edit.control, edit.text);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 100 && IsWindow(dialog); i++)
                Sleep(50);
        }
        PostMessageA(main, WM_COMMAND, IDM_UPLOAD, 0);
        return 0;
    }
    if (std::strcmp(verb, "preview") == 0 && argc > 2)
        return OpenPreview(main, argv[2], argc > 3 && std::strcmp(argv[3], "zoom") == 0);
    if (std::strcmp(verb, "import-book") == 0 && argc > 2) {
        // An Outlook export of a German system (semicolons, Windows-1252), or columns of no
        // known program.
        const bool outlook = std::strcmp(argv[2], "outlook") == 0;
        const char* text =
            outlook ? "Vorname;Weitere Vornamen;Nachname;Firma;Fax gesch\xE4" "ftlich;Fax privat;"
                      "E-Mail-Adresse\r\n"
                      "J\xFCrgen;;M\xFCller;;+49 (30) 1234-56;;juergen@example.de\r\n"
                      ";;;B\xFCro Nord und S\xFC" "d Logistik;030 999 12;;\r\n"
                      "Anna;;Berg;;;040/555.12;\r\n"
                      "Front;;Desk;;0301234567;;\r\n"
                      "Petra;;Klein;;;;\r\n"
                    : "Kunde,Telefax,Mail,Ort\r\n"
                      "Weber GmbH,089 1234 56,info@weber.example,M\xFCnchen\r\n"
                      "Hansen,040 777,,Hamburg\r\n";
        return ImportFile(main, outlook ? "address-book.csv" : "customers.csv", text);
    }
    if (std::strcmp(verb, "import") == 0 && argc > 2) {
        return ImportFile(main, argv[2],
                          "\xEF\xBB\xBFList,No.,Kind,Name,Destination,SUB,SID,Speed,Members\r\n"
                          "Quick Dial,01,fax,Front desk,0301234567,,,33.6K,\r\n"
                          "Quick Dial,02,fax,Who?,0301234568,,,,\r\n"
                          "Quick Dial,31,fax,Annex,0301234569,,,,\r\n"
                          "Speed Dial,07,e-mail,Sales,sales.example.com,,,,\r\n"
                          "Speed Dial,08,fax,Archive,---,,,,\r\n"
                          "Quick Dial,05,group,Team,,,,,Q01 Q09\r\n");
    }
    if (std::strcmp(verb, "click") == 0 && argc > 2) {
        // A button of the sheet's current page; a modal dialog it opens stays open.
        HWND page =
            reinterpret_cast<HWND>(SendMessageA(SettingsSheet(), PSM_GETCURRENTPAGEHWND, 0, 0));
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(std::atoi(argv[2]), BN_CLICKED), 0);
        return 0;
    }
    if (std::strcmp(verb, "forward-email") == 0) {
        // The Reception page's forwarding "On", then an e-mail destination typed in its dialog.
        HWND page =
            reinterpret_cast<HWND>(SendMessageA(SettingsSheet(), PSM_GETCURRENTPAGEHWND, 0, 0));
        HWND sheet = SettingsSheet();
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_RX_FORWARD_ON, BN_CLICKED), 0);
        HWND dialog = WaitDialog(sheet);
        if (!dialog)
            return 1;
        SendDlgItemMessageA(dialog, IDC_FWD_TYPE_EMAIL, BM_CLICK, 0, 0);
        SetDlgItemTextA(dialog, IDC_FWD_EMAIL, "reception@example.com");
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
        const char* prefix = std::strcmp(argv[2], "about") == 0              ? "About"
                             : std::strcmp(argv[2], "save-as-dialog") == 0   ? "Save As"
                             : std::strcmp(argv[2], "print-choice") == 0     ? "Print Destination"
                             : std::strncmp(argv[2], "preview-", 8) == 0     ? "Print Preview"
                             : std::strncmp(argv[2], "entry-", 6) == 0       ? "Program"
                             : std::strcmp(argv[2], "group-dialog") == 0     ? "Program"
                             : std::strcmp(argv[2], "import-errors") == 0    ? "Moravel"
                             : std::strncmp(argv[2], "import-", 7) == 0      ? "Import Address"
                             : std::strcmp(argv[2], "auto-tray-select") == 0 ? "Auto Tray Select"
                             : std::strncmp(argv[2], "forwarding-", 11) == 0 ? "Forwarding"
                             : std::strcmp(argv[2], "user-restriction-dialog") == 0
                                 ? "User Restriction"
                             : std::strcmp(argv[2], "counter") == 0      ? "Counter"
                             : std::strcmp(argv[2], "device-info") == 0  ? "Device Info"
                             : std::strcmp(argv[2], "properties") == 0   ? "Properties"
                             : std::strncmp(argv[2], "upload-", 7) == 0  ? "Upload to Device"
                             : std::strncmp(argv[2], "compare-", 8) == 0 ? "Compare with"
                                                                         : nullptr;
        HWND dialog = prefix ? ActiveDialog() : nullptr;
        if (dialog)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    if (std::strcmp(verb, "window-id") == 0) {
        // The X window of what a person looks at, for the capture: the active dialog (waited
        // for), or with "main" the main window. Wine keeps it as a property of the window.
        HWND window = argc > 2 && std::strcmp(argv[2], "main") == 0 ? main : WaitDialog();
        HANDLE x = window ? GetPropA(window, "__wine_x11_whole_window") : nullptr;
        if (!x)
            return 1;
        std::printf("0x%lx\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(x)));
        return 0;
    }
    if (std::strcmp(verb, "close") == 0) {
        PostMessageA(main, WM_COMMAND, IDM_DISCONNECT, 0);
        return 0;
    }
    return 2;
}
