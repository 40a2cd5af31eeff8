// The A3 program's Copier page with the family's library beside it: the library's form adds
// two numeric fields, which the page checks when it is left, 1228 before 1155.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/app_state.h"
#include "app/commands_win.h"
#include "app/frame_win.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "app/program_win.h"
#include "app/startup_win.h"
#include "app/ui_state_win.h"
#include "ui/file_dialog_win.h"
#include "ui/frame_seam_win.h"
#include "ui/pictures_win.h"
#include "ui/ui_win.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/settings/sheet_harness_win.h"

namespace {

constexpr int COPIER = 2;

class CopierA3 : public SheetTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, StartFrame("A3ZRPQ 2A02 2A03"));
        LoadResourceModule(GetModuleHandleA(nullptr), A3_LIBRARY_DIR "\\");
        ASSERT_NE(gApp.resourceModule, gApp.instanceModule) << "the A3 library was not loaded";
        OpenWithDemoData();
    }
};

TEST_F(CopierA3, LeavingChecksBothFieldsInTheirOrderAndKeepsThePage)
{
    std::string first, second;
    bool firstFocus = false, secondFocus = false, stayed = false, stayedAgain = false;
    bool left = false, fieldsThere = false;
    std::vector<std::string> messages;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, COPIER); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          fieldsThere = GetDlgItem(page, IDC_COPY_A3_FIELD_A) &&
                                        GetDlgItem(page, IDC_COPY_A3_FIELD_B);
                          Type(page, IDC_COPY_A3_FIELD_A, "25");
                          Type(page, IDC_COPY_A3_FIELD_B, "3");
                          stayed = !SelectPage(sheet, 0);
                      },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          messages = TakeMessages();
                          firstFocus = HasFocus(page, IDC_COPY_A3_FIELD_A);
                          Type(page, IDC_COPY_A3_FIELD_A, "20");
                          stayedAgain = !SelectPage(sheet, 0);
                      },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          for (const std::string& m : TakeMessages())
                              messages.push_back(m);
                          secondFocus = HasFocus(page, IDC_COPY_A3_FIELD_B);
                          Type(page, IDC_COPY_A3_FIELD_B, "5");
                          left = SelectPage(sheet, 0);
                      },
                      [&](HWND sheet) { Press(sheet, PSBTN_CANCEL); }});
    ASSERT_TRUE(fieldsThere) << "the library's form carries 1228 and 1155";
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(firstFocus) << "1228 is checked first";
    EXPECT_TRUE(stayedAgain);
    EXPECT_TRUE(secondFocus);
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("Invalid value. Enter a value between 0 and 20.", messages[0]);
    EXPECT_EQ("Invalid value. Enter a value between 5 and 20.", messages[1]);
    EXPECT_TRUE(left) << "both fields within their ranges";
    EXPECT_EQ(0, gDocument.modified) << "the fields set nothing the document keeps";
}

TEST_F(CopierA3, TheProgramsOwnFormHasNeitherFieldAndLeavesFreely)
{
    LoadResourceModule(GetModuleHandleA(nullptr), "C:\\no\\such\\folder\\");
    bool fields = true, left = false;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, COPIER); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          fields = GetDlgItem(page, IDC_COPY_A3_FIELD_A) != nullptr;
                          left = SelectPage(sheet, 0);
                      },
                      [&](HWND sheet) { Press(sheet, PSBTN_CANCEL); }});
    EXPECT_FALSE(fields);
    EXPECT_TRUE(left);
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
