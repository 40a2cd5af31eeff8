// The real main window with dial tables of the test's making: entries written with the
// encoders, a view shown the way the tree shows it, and the rows read back as a person sees
// them (image and the text of every column).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "document/dial_records.h"

struct ShownRow {
    int image = -1;
    std::vector<std::string> cells;  // one per column of the list
};

// "image 2: 01 | Alpha | ..." for failure messages.
std::string Describe(const ShownRow& row);
ShownRow ReadRow(HWND list, int row);
int RowCount(HWND list);
std::string CellText(HWND list, int row, int column);

// Entries as the editors would store them.
void PutFax(int view, int index, const char* name, const char* number, const char* sub,
            const char* sid, int speed);
void PutEmail(int view, int index, const char* name, const char* address, int customScan = 0,
              int scanSize = 0, int resolution = 0, int coding = 0);
void PutCombination(int view, int index, const char* name, const char* number);
// A program-dial key or entry: the device's own flag on top of a fax destination.
void PutProgramDial(int view, int index, const char* number = "5550100");
// A group on key `index` with Quick Dial keys and Speed Dial entries (0-based) as members.
void PutGroup(int index, const char* name, std::vector<int> quickKeys,
              std::vector<int> speedEntries);

// Runs `open`, which opens a modal dialog, and `script` on that dialog as soon as it is active;
// the script ends the dialog (OK, Cancel, close box). Returns the caption the dialog had when it
// came up, or "<none>" when no dialog came.
std::string DriveDialog(const std::function<void()>& open, const std::function<void(HWND)>& script);
// Types `text` into edit `control` at its caret, as keystrokes would, and returns the text the
// control then holds.
std::string TypeInto(HWND dialog, int control, const char* text, int caret = -1);
std::string ControlText(HWND dialog, int control);
// Start and end of the selection of an edit control.
std::pair<int, int> Selection(HWND dialog, int control);
void Click(HWND dialog, int control);

// A message box as the program asked it, answered by the harness with `MessageLog::answer`.
struct AskedMessage {
    std::string text, caption;
    UINT flags;
};
struct MessageLog {
    std::vector<AskedMessage> asked;
    int answer = IDOK;
    // Called when a message is asked, with the active window (the dialog when one is open).
    std::function<void(HWND)> onAsk;
};
extern MessageLog gMessageLog;
// Installs the message hook that fills gMessageLog.
void RecordMessages();

class DialListWindow : public ::testing::Test {
protected:
    // Opens the real main window for `profile` with empty tables.
    void Open(const char* profile = "A4ZRPQ 2A02");
    void TearDown() override;

    // Shows view (1 Quick Dial, 2 Speed Dial, 3 Group) through the tree, with data present
    // and the tree and list enabled, after passing through the device item so that the list
    // is refilled.
    void Show(int view);
    // Gives row the selection and the focus, as a click does.
    void Select(HWND list, int row);

    HWND List() const;
    HWND Members() const;

    HWND window = nullptr;
};
