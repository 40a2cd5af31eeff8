// Drives the real, modal Device Settings sheet from inside its own message loop: the test
// queues steps, opens the sheet with the Device Settings command, and each step runs from a
// posted message once the sheet has handled everything the step before caused. Message boxes
// are answered (OK) and recorded.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "devsim/sim_demo.h"

typedef std::function<void(HWND sheet)> SheetStep;

// Puts the demo device's data into the program as a download would, the document unchanged.
void LoadDemoData(HWND mainWindow, void (*edit)(SimDevice& device) = nullptr);

// What every test of the sheet starts from: the real main window with the demo device's data
// and no message recorded yet. A fixture that needs another start-up (a profile, a resource
// library) calls StartFrame itself and then OpenWithDemoData.
class SheetTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void OpenWithDemoData();
    HWND window = nullptr;
};

// Runs command 825 with the steps inside the sheet. The last step closes the sheet (OK or
// Cancel); a sheet left open after it is cancelled and the test fails. Returns whether a sheet
// opened at all.
bool RunSheet(HWND mainWindow, const std::vector<SheetStep>& steps);
// The window of this thread activated last while RunSheet ran, the sheet's closing included.
HWND LastActivated();
// A step that runs once `ready` holds. Until then it is tried again from the message loop that
// runs (the sheet's or a dialog's), for a few seconds at most; then it runs all the same and its
// checks tell.
SheetStep When(std::function<bool()> ready, SheetStep step);

// The message boxes shown since the last call.
std::vector<std::string> TakeMessages();

// The sheet's parts.
int PageCount(HWND sheet);
std::string TabLabel(HWND sheet, int index);
int CurrentPageIndex(HWND sheet);
HWND CurrentPage(HWND sheet);
// Switches to page `index` as a click on its tab would; false when the page refused to go.
bool SelectPage(HWND sheet, int index);
bool ApplyEnabled(HWND sheet);
void Press(HWND sheet, int button);  // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW

// What a user does on a page.
void Click(HWND page, int control);
void Type(HWND page, int control, const char* text);
void Choose(HWND page, int combo, int index);
void SetAddress(HWND page, int control, BYTE a, BYTE b, BYTE c, BYTE d);
void Scroll(HWND page, int bar, int request, int thumb = 0);

// Focus leaving a field, as a click elsewhere would tell it.
void LeaveField(HWND page, int control);
// A click posted rather than sent: a modal dialog it opens runs while the next step does.
void PostClick(HWND window, int control);
// This thread's dialog with that caption, or null.
HWND FindDialog(const char* caption);
// Conditions for When: this thread's dialog with that caption is there, or gone.
std::function<bool()> Opened(const char* caption);
std::function<bool()> Closed(const char* caption);

std::string Text(HWND page, int control);
bool Checked(HWND page, int control);
bool Enabled(HWND page, int control);
// 1 when the keyboard focus is on the control or inside it (an address control's fields),
// waiting for it as WaitForFocus does.
bool HasFocus(HWND page, int control);
