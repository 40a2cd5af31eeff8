// The Scanner, Auto Print Report and User Restriction pages through the real sheet: the
// Scanner's divide choices and the unsaved flag, the report codes, and the restriction
// password's flows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
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
#include "device/byte_order.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/settings/sheet_harness_win.h"

namespace {

constexpr int REPORT = 3, LINE = 6, SMTP = 7, POP3 = 8, RESTRICTION = 10, SCANNER = 11;

uint32_t ImageU32(uint32_t id) { return ReadU32Le(ImageItemValue(gDocument.image, id)); }
const char* ImageText(uint32_t id) { return reinterpret_cast<const char*>(ImageItemValue(gDocument.image, id)); }

void SetImageText(uint32_t id, const char* text)
{
    std::strcpy(reinterpret_cast<char*>(ImageItemValue(gDocument.image, id)), text);
    SetImageItemLength(gDocument.image, id, static_cast<uint32_t>(std::strlen(text)));
}

HWND RestrictionDialog() { return FindDialog("User Restriction"); }

class ScannerReportRestriction : public SheetTest {};

TEST_F(ScannerReportRestriction, AScannerChangeSetsTheUnsavedFlagAndVisitingDoesNot)
{
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SCANNER); },
                      [](HWND sheet) { Press(sheet, PSBTN_OK); }});
    EXPECT_EQ(0u, gDocument.modified) << "only visited";
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SCANNER); },
                      [](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Click(page, IDC_SCAN_DIVIDE_PAGE);
                          Type(page, IDC_SCAN_PAGE_KB, "1000");
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(1u, gDocument.modified);
    EXPECT_EQ(1, ImageItemValue(gDocument.image, 0x10B03)[0]);
    EXPECT_EQ(1000u, ImageItemValue(gDocument.image, 0x10B04)[0] | (ImageItemValue(gDocument.image, 0x10B04)[1] << 8));
}

TEST_F(ScannerReportRestriction, TheScannerChecksOnlyTheFieldsItsDivideChoiceUses)
{
    // Stored values the page can show, so the fields start valid.
    WriteU32Le(ImageItemValue(gDocument.image, 0x10B04), 1024);
    WriteU32Le(ImageItemValue(gDocument.image, 0x10B05), 512);
    WriteU32Le(ImageItemValue(gDocument.image, 0x10B06), 10);
    ImageItemValue(gDocument.image, 0x10B03)[0] = 0;
    bool leftOff = false, leftSize = true, leftSizeDivisions = true, leftPage = true;
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SCANNER); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Type(page, IDC_SCAN_SIZE_KB, "5");
                          Type(page, IDC_SCAN_MAX_DIVISIONS, "1");
                          Type(page, IDC_SCAN_PAGE_KB, "9999");
                          leftOff = SelectPage(sheet, LINE);
                      },
                      [](HWND sheet) { SelectPage(sheet, SCANNER); },
                      [&](HWND sheet) {
                          Click(CurrentPage(sheet), IDC_SCAN_DIVIDE_SIZE);
                          leftSize = SelectPage(sheet, LINE);  // the size first
                      },
                      [&](HWND sheet) {
                          EXPECT_TRUE(HasFocus(CurrentPage(sheet), IDC_SCAN_SIZE_KB));
                          Type(CurrentPage(sheet), IDC_SCAN_SIZE_KB, "100");
                          leftSizeDivisions = SelectPage(sheet, LINE);
                      },
                      [&](HWND sheet) {
                          EXPECT_TRUE(HasFocus(CurrentPage(sheet), IDC_SCAN_MAX_DIVISIONS));
                          Type(CurrentPage(sheet), IDC_SCAN_MAX_DIVISIONS, "7");
                          Click(CurrentPage(sheet), IDC_SCAN_DIVIDE_PAGE);
                          leftPage = SelectPage(sheet, LINE);
                      },
                      [](HWND sheet) {
                          EXPECT_TRUE(HasFocus(CurrentPage(sheet), IDC_SCAN_PAGE_KB));
                          Click(CurrentPage(sheet), IDC_SCAN_DIVIDE_SIZE);
                          Press(sheet, PSBTN_OK);  // per size: the page's 9999 is not read
                      }});
    EXPECT_TRUE(leftOff) << "divide Off checks none of the three";
    EXPECT_FALSE(leftSize);
    EXPECT_FALSE(leftSizeDivisions);
    EXPECT_FALSE(leftPage);
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(3u, messages.size());
    EXPECT_EQ("Invalid value. Enter a value between 64 and 4096.", messages[0]);
    EXPECT_EQ("Invalid value. Enter a value between 2 and 500.", messages[1]);
    EXPECT_EQ("Invalid value. Enter a value between 64 and 4096.", messages[2]);
    EXPECT_EQ(2, ImageItemValue(gDocument.image, 0x10B03)[0]);
    EXPECT_EQ(100u, ImageU32(0x10B05));
    EXPECT_EQ(7u, ImageU32(0x10B06));
    EXPECT_EQ(1024u, ImageU32(0x10B04)) << "the per-page size as it was";
}

TEST_F(ScannerReportRestriction, TheScannerApplyChecksThePerPageSizeAndStoresNothingWhenItFails)
{
    WriteU32Le(ImageItemValue(gDocument.image, 0x10B04), 1024);
    WriteU32Le(ImageItemValue(gDocument.image, 0x10B05), 512);
    WriteU32Le(ImageItemValue(gDocument.image, 0x10B06), 10);
    ImageItemValue(gDocument.image, 0x10B03)[0] = 1;  // per page
    bool applyFocused = false;
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SCANNER); },
                      [](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Type(page, IDC_SCAN_SIZE_KB, "1");  // disabled: never read
                          Type(page, IDC_SCAN_PAGE_KB, "20");
                          Press(sheet, PSBTN_APPLYNOW);
                      },
                      [&](HWND sheet) {
                          applyFocused = HasFocus(CurrentPage(sheet), IDC_SCAN_PAGE_KB);
                          EXPECT_EQ(1024u, ImageU32(0x10B04)) << "the Apply stopped";
                          Type(CurrentPage(sheet), IDC_SCAN_PAGE_KB, "2000");
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_TRUE(applyFocused);
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ("Invalid value. Enter a value between 64 and 4096.", messages[0]);
    EXPECT_EQ(2000u, ImageU32(0x10B04));
    EXPECT_EQ(512u, ImageU32(0x10B05));
}

TEST_F(ScannerReportRestriction, ReportOnErrorStoresFourForTxAndSixteenForRx)
{
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, REPORT); },
                      [](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Click(page, IDC_REPORT_TX_ERROR);
                          Click(page, IDC_REPORT_RX_ERROR);
                          EXPECT_TRUE(ApplyEnabled(sheet));
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(4, ImageItemValue(gDocument.image, 0x10601)[0]);
    EXPECT_EQ(16, ImageItemValue(gDocument.image, 0x10602)[0]);
    EXPECT_EQ(1u, gDocument.modified) << "a changed report choice is a change of the document";
}

TEST_F(ScannerReportRestriction, AnEmptyDevicePasswordOpensTheDialogAndItsPasswordWaitsForTheSheetsOk)
{
    SetImageText(0x10D02, "");  // the demo device sends its empty password at full length
    bool opened = false, reopened = false;
    auto steps = [&](bool& seen, int closeButton) {
        return std::vector<SheetStep>{
            [](HWND sheet) { SelectPage(sheet, RESTRICTION); },
            [](HWND sheet) { PostClick(CurrentPage(sheet), IDC_URPAGE_OK); },
            When(Opened("User Restriction"),
                 [&seen](HWND) {
                     HWND dialog = RestrictionDialog();
                     seen = dialog != nullptr;
                     ASSERT_NE(nullptr, dialog);
                     Click(dialog, IDC_UR_ON);
                     Type(dialog, IDC_UR_NEW_PASSWORD, "4321");
                     SendMessageA(dialog, WM_COMMAND, IDC_UR_OK, 0);
                 }),
            When(Closed("User Restriction"), [closeButton](HWND sheet) {
                EXPECT_EQ(nullptr, RestrictionDialog());
                Press(sheet, closeButton);
            })};
    };
    RunSheet(window, steps(opened, PSBTN_CANCEL));
    EXPECT_TRUE(opened);
    EXPECT_STREQ("", ImageText(0x10D02)) << "the sheet's Cancel drops the new password";
    EXPECT_EQ(0u, ItemLength(gDocument.image, FindItemRecord(0x10D02)));
    EXPECT_EQ(0, ImageItemValue(gDocument.image, 0x10D00)[0]);
    EXPECT_EQ(0u, gDocument.modified) << "a cancelled sheet leaves the document as it was";
    RunSheet(window, steps(reopened, PSBTN_OK));
    EXPECT_TRUE(reopened);
    EXPECT_STREQ("4321", ImageText(0x10D02));
    EXPECT_EQ(4u, ItemLength(gDocument.image, FindItemRecord(0x10D02)));
    EXPECT_EQ(1, ImageItemValue(gDocument.image, 0x10D00)[0]);
    EXPECT_EQ(1u, gDocument.modified) << "the restriction is a change of the document";
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ScannerReportRestriction, AWrongPasswordIsRefusedAndTheRightOneOpensTheDialog)
{
    SetImageText(0x10D02, "2468");
    bool openedOnWrong = true, openedOnRight = false, focused = false;
    std::string typedAfterOpen = "?";
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, RESTRICTION); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Type(page, IDC_URPAGE_PASSWORD, "2469");
                          Click(page, IDC_URPAGE_OK);
                          openedOnWrong = RestrictionDialog() != nullptr;
                          focused = HasFocus(page, IDC_URPAGE_PASSWORD);
                          Type(page, IDC_URPAGE_PASSWORD, "2468");
                          PostClick(page, IDC_URPAGE_OK);
                      },
                      When(Opened("User Restriction"),
                           [&](HWND sheet) {
                               HWND dialog = RestrictionDialog();
                               openedOnRight = dialog != nullptr;
                               typedAfterOpen = Text(CurrentPage(sheet), IDC_URPAGE_PASSWORD);
                               if (dialog) {
                                   EXPECT_EQ("2468", Text(dialog, IDC_UR_NEW_PASSWORD));
                                   SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                               }
                           }),
                      [](HWND sheet) { Press(sheet, PSBTN_OK); }});
    EXPECT_FALSE(openedOnWrong);
    EXPECT_TRUE(focused);
    EXPECT_TRUE(openedOnRight);
    EXPECT_EQ("", typedAfterOpen) << "the page's field is emptied";
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("Password is incorrect.", messages[0]);
    EXPECT_STREQ("2468", ImageText(0x10D02)) << "the dialog's Cancel stored nothing";
}

}  // namespace
