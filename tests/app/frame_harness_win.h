// Sets a test process up with the program's own start-up (profile, resource module, window
// class, common controls) in a program folder of the process's own, and creates the real main
// window from the real resources, without running the program's message loop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Starts the frame with the given model profile text; 1, or 0 when start-up failed.
int StartFrame(const char* profile = "A4ZRPQ 2A02");
// The folder the process runs as its program folder (with its trailing backslash): where the
// backup file and the manual are.
const std::string& TestProgramFolder();
// Creates the main window with its menu, after removing any backup file left by other tests.
HWND OpenMainWindow();
// Destroys the main window without the shutdown questions and drains the quit message.
void CloseTestWindow(HWND window);
// Runs pending messages of this thread.
void PumpMessages();

// The tests running beside this one share the foreground, and a window one of them shows takes
// this thread's activation and keyboard focus too. When another process has the foreground, this
// makes `window`'s top-level window active again; a dialog then puts its focus back where it was.
void TakeBackForeground(HWND window);
// Runs this thread's messages until `condition` holds, for a few seconds at most; whether it
// held. With a window, its top-level window takes the foreground back while it waits.
bool WaitFor(const std::function<bool()>& condition, HWND window = nullptr);
// Whether the keyboard focus is on `control` of `dialog` or inside it (an address control's
// fields), waiting for it as WaitFor does.
bool WaitForFocus(HWND dialog, int control);

std::string WindowText(HWND window);
std::string ListColumnText(HWND list, int column);
int ListColumnCount(HWND list);
// Size of the client area made exactly width x height.
void SetClientSize(HWND window, int width, int height);
bool IsShown(void* window);

// Answers the program's own dialogs captioned `caption` while it lives: once such a dialog of
// this thread is shown (filled), `look` sees it, then `button` is pressed. How many were seen.
class DialogAnswer {
public:
    DialogAnswer(const char* caption, int button, std::function<void(HWND)> look = nullptr);
    ~DialogAnswer();
    int Seen() const;
};
// The texts of a report list's rows, each row's cells joined by " | ".
std::vector<std::string> ListRows(HWND list);

// The names of the files (not folders) in `folder` that match `pattern`, in the order found.
std::vector<std::string> FilesIn(const std::string& folder, const char* pattern = "*");

// A file's bytes (up to one setting data file and a byte more: enough to tell a longer one).
std::vector<uint8_t> FileBytes(const char* path);

// The text of one part of the main window's status bar.
std::string StatusText(HWND window, int part);
