#include "tests/app/frame_harness_win.h"

#include <commctrl.h>

#include "app/commands_win.h"
#include "app/frame_win.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "app/program_win.h"
#include "app/startup_win.h"
#include "app/ui_state_win.h"
#include "device/device_image.h"
#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/file_dialog_win.h"
#include "ui/frame_seam_win.h"
#include "ui/pictures_win.h"
#include "ui/ui_win.h"

namespace {

std::string ExeDirectory()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    return path;
}

// The test process's own program folder under the temporary folder. Every test of a test
// executable runs in a process of its own, and CTest runs them side by side: one shared folder
// would let one test delete or rewrite the backup file another is reading.
std::string gFolder;

void RemoveFolder()
{
    if (gFolder.empty())
        return;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((gFolder + "*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string file = gFolder + found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(gFolder.c_str());
}

void MakeOwnFolder()
{
    if (!gFolder.empty())
        return;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    for (unsigned n = 0; gFolder.empty(); n++) {
        std::string folder = std::string(temp) + "moravel-test-" +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(n);
        if (CreateDirectoryA(folder.c_str(), nullptr))
            gFolder = folder + "\\";
    }
    atexit(RemoveFolder);
    // The manual is one of the program's own files: Help Topics looks for it there.
    std::string manual = ExeDirectory() + "QVPVX.html";
    CopyFileA(manual.c_str(), (gFolder + "QVPVX.html").c_str(), FALSE);
    SetProgramDirectory(gFolder.c_str());
}

}  // namespace

const std::string& TestProgramFolder()
{
    MakeOwnFolder();
    return gFolder;
}

int StartFrame(const char* profile)
{
    MakeOwnFolder();
    return InitApplication(GetModuleHandleA(nullptr), nullptr, profile);
}

HWND OpenMainWindow()
{
    char backup[MAX_PATH];
    BackupPath(backup, sizeof backup);
    SetFileAttributesA(backup, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(backup);
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    if (window) {
        SetMenu(window, LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_MAINMENU)));
        PumpMessages();
    }
    return window;
}

void CloseTestWindow(HWND window)
{
    if (IsWindow(window))
        DestroyWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            DispatchMessageA(&msg);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void TakeBackForeground(HWND window)
{
    HWND top = GetAncestor(window, GA_ROOT);
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    if (top && IsWindowVisible(top) && IsWindowEnabled(top) && process != GetCurrentProcessId())
        SetForegroundWindow(top);
}

bool WaitFor(const std::function<bool()>& condition, HWND window)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > 5000)
            return false;
        if (window)
            TakeBackForeground(window);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

bool WaitForFocus(HWND dialog, int control)
{
    HWND field = GetDlgItem(dialog, control);
    return WaitFor(
        [field] {
            HWND focus = GetFocus();
            return field && focus && (focus == field || IsChild(field, focus));
        },
        dialog);
}

std::string WindowText(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ListColumnText(HWND list, int column)
{
    char text[256] = "";
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    if (!SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)))
        return "<none>";
    return text;
}

int ListColumnCount(HWND list)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

void SetClientSize(HWND window, int width, int height)
{
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, GetWindowLongA(window, GWL_STYLE), GetMenu(window) != nullptr,
                       GetWindowLongA(window, GWL_EXSTYLE));
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(window, &client);
    // A menu bar that wraps changes the client height; correct once with what we got.
    if (client.right != width || client.bottom != height)
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left + width - client.right,
                     r.bottom - r.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
}

bool IsShown(void* window) { return IsWindowVisible(static_cast<HWND>(window)) != FALSE; }

namespace {

struct Answering {
    std::string caption;
    int button;
    std::function<void(HWND)> look;
    int seen;
    HHOOK hook;
};
Answering* gAnswering = nullptr;

LRESULT CALLBACK AnswerDialog(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    char cls[16] = "";
    if (code == HCBT_ACTIVATE && gAnswering && GetClassNameA(window, cls, sizeof cls) &&
        lstrcmpA(cls, "#32770") == 0 && WindowText(window) == gAnswering->caption &&
        !GetPropA(window, "answered")) {
        SetPropA(window, "answered", reinterpret_cast<HANDLE>(1));
        gAnswering->seen++;
        if (gAnswering->look)
            gAnswering->look(window);
        PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(gAnswering->button), 0);
    }
    return CallNextHookEx(gAnswering ? gAnswering->hook : nullptr, code, wParam, lParam);
}

}  // namespace

DialogAnswer::DialogAnswer(const char* caption, int button, std::function<void(HWND)> look)
{
    gAnswering = new Answering{caption, button, look, 0, nullptr};
    gAnswering->hook = SetWindowsHookExA(WH_CBT, AnswerDialog, nullptr, GetCurrentThreadId());
}

DialogAnswer::~DialogAnswer()
{
    UnhookWindowsHookEx(gAnswering->hook);
    delete gAnswering;
    gAnswering = nullptr;
}

int DialogAnswer::Seen() const { return gAnswering->seen; }

std::vector<std::string> FilesIn(const std::string& folder, const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::vector<std::string> ListRows(HWND list)
{
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    const int columns = ListColumnCount(list);
    for (int row = 0; row < count; row++) {
        std::string text;
        for (int column = 0; column < columns; column++) {
            char cell[256] = "";
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = cell;
            item.cchTextMax = sizeof cell;
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&item));
            text += (column ? " | " : "") + std::string(cell);
        }
        rows.push_back(text);
    }
    return rows;
}

std::string StatusText(HWND window, int part)
{
    char text[256] = "";
    SendMessageA(GetDlgItem(window, IDC_STATUSBAR), SB_GETTEXTA, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<uint8_t> FileBytes(const char* path)
{
    std::vector<uint8_t> bytes(DEVICE_IMAGE_SIZE + 1);
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
    }
    bytes.resize(read);
    return bytes;
}
