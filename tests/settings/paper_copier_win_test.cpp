// The Paper page and its Auto Tray Select dialog through the real sheet, the real templates
// and the real page procedure: the groups the option flags hide, the custom-size clamps, the
// size modes and custom sizes written into the image, and the dialog's Cancel.
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
#include "device/byte_order.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/settings_page_win.h"
#include "settings/settings_rules.h"
#include "tests/app/frame_harness_win.h"
#include "tests/settings/sheet_harness_win.h"

namespace {

constexpr int PAPER = 1;

uint8_t ImageByte(uint32_t id) { return ImageItemValue(gDocument.image, id)[0]; }
uint16_t ImageU16(uint32_t id) { return ReadU16Le(ImageItemValue(gDocument.image, id)); }

// The control's own visibility: a modal dialog may not be on the screen yet when a step runs.
bool Visible(HWND window, int control)
{
    return (GetWindowLongA(GetDlgItem(window, control), GWL_STYLE) & WS_VISIBLE) != 0;
}

void NoOptionalTrays(SimDevice& device)
{
    SimItemValue(&device, SimRecordOf(0x3))[1] = 0;
    SimItemValue(&device, SimRecordOf(0x3))[3] = 0;
}

class PaperAndCopier : public SheetTest {};

TEST_F(PaperAndCopier, PaperWithoutOptionalTraysShowsOnlyTray1AndItsAutoTrayRow)
{
    LoadDemoData(window, NoOptionalTrays);
    bool tray1 = false, tray2 = true, bypass = true, bypassLabel = true;
    bool rowTray1 = false, rowTray2 = true, rowBypass = true;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, PAPER); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          tray1 = Visible(page, IDC_PAPER_TRAY1_SIZE);
                          tray2 = Visible(page, IDC_PAPER_TRAY2_BOX) ||
                                  Visible(page, IDC_PAPER_TRAY2_SIZE) ||
                                  Visible(page, IDC_PAPER_TRAY2_Y);
                          bypass = Visible(page, IDC_PAPER_BYPASS_BOX) ||
                                   Visible(page, IDC_PAPER_BYPASS_CUSTOM);
                          bypassLabel = Visible(page, IDC_PAPER_BYPASS_Y_LABEL);
                          PostClick(page, IDC_PAPER_AUTO_TRAY_SELECT);
                      },
                      When(Opened("Auto Tray Select"),
                           [&](HWND) {
                               HWND dialog = FindDialog("Auto Tray Select");
                               ASSERT_NE(nullptr, dialog);
                               rowTray1 = Visible(dialog, IDC_ATS_TRAY1_ON);
                               rowTray2 = Visible(dialog, IDC_ATS_TRAY2_ON) ||
                                          Visible(dialog, IDC_ATS_TRAY2_BOX);
                               rowBypass = Visible(dialog, IDC_ATS_BYPASS_OFF);
                               SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                           }),
                      [&](HWND sheet) { Press(sheet, PSBTN_CANCEL); }});
    EXPECT_TRUE(tray1);
    EXPECT_FALSE(tray2) << "no optional tray: the Tray 2 group is hidden";
    EXPECT_FALSE(bypass) << "no bypass tray: its group is hidden";
    EXPECT_FALSE(bypassLabel);
    EXPECT_TRUE(rowTray1);
    EXPECT_FALSE(rowTray2);
    EXPECT_FALSE(rowBypass);
}

TEST_F(PaperAndCopier, CustomSizesAreClampedAndWrittenWithTheModesOnApply)
{
    LoadDemoData(window, [](SimDevice& device) {
        SimItemValue(&device, SimRecordOf(0x1010A))[0] = 1;  // bypass on custom size
    });
    bool applyBefore = true, applyAfter = false, xEnabled = false, listEnabled = true;
    std::string x, y;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, PAPER); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          applyBefore = ApplyEnabled(sheet);
                          Click(page, IDC_PAPER_TRAY1_CUSTOM);
                          applyAfter = ApplyEnabled(sheet);
                          xEnabled = Enabled(page, IDC_PAPER_TRAY1_X);
                          listEnabled = Enabled(page, IDC_PAPER_TRAY1_SIZE);
                          Type(page, IDC_PAPER_TRAY1_X, "50");
                          LeaveField(page, IDC_PAPER_TRAY1_X);
                          Type(page, IDC_PAPER_BYPASS_Y, "2000");
                          LeaveField(page, IDC_PAPER_BYPASS_Y);
                          x = Text(page, IDC_PAPER_TRAY1_X);
                          y = Text(page, IDC_PAPER_BYPASS_Y);
                          Type(page, IDC_PAPER_TRAY1_Y, "300");  // OK by Enter: never left
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_FALSE(applyBefore) << "showing the page is no edit";
    EXPECT_TRUE(applyAfter);
    EXPECT_TRUE(xEnabled);
    EXPECT_FALSE(listEnabled) << "a custom size takes the list out of use";
    EXPECT_EQ("90", x);
    EXPECT_EQ("1296", y);
    EXPECT_EQ(1, ImageByte(0x10102)) << "Tray 1 on custom size";
    EXPECT_EQ(0, ImageByte(0x10107));
    EXPECT_EQ(1, ImageByte(0x1010A));
    EXPECT_EQ(90, ImageU16(0x10103));
    EXPECT_EQ(300, ImageU16(0x10104));
    EXPECT_EQ(210, ImageU16(0x10108)) << "Tray 2 as loaded";
    EXPECT_EQ(297, ImageU16(0x10109));
    EXPECT_EQ(100, ImageU16(0x1010B));
    EXPECT_EQ(1296, ImageU16(0x1010C));
    EXPECT_EQ(1, gDocument.modified);
}

TEST_F(PaperAndCopier, HiddenTraysAreWrittenWithWhatTheyHeld)
{
    LoadDemoData(window, [](SimDevice& device) {
        NoOptionalTrays(device);
        WriteU16Le(SimItemValue(&device, SimRecordOf(0x1010C)), 20);  // out of range, hidden
        SimItemValue(&device, SimRecordOf(0x10107))[0] = 1;
    });
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, PAPER); },
                      [&](HWND sheet) {
                          Choose(CurrentPage(sheet), IDC_PAPER_TRAY1_TYPE, 2);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(2, ImageItemValue(gDocument.image, 0x10100)[0]);
    EXPECT_EQ(20, ImageU16(0x1010C)) << "a hidden tray's value is not corrected";
    EXPECT_EQ(1, ImageByte(0x10107));
}

TEST_F(PaperAndCopier, AutoTraySelectCancelRestoresAndOkMarksThePage)
{
    ASSERT_EQ(1, ImageByte(0x1010F));
    bool applyAfterCancel = true, applyAfterOk = false, checkedOffAgain = false;
    RunSheet(window,
             {[&](HWND sheet) { SelectPage(sheet, PAPER); },
              [&](HWND sheet) { PostClick(CurrentPage(sheet), IDC_PAPER_AUTO_TRAY_SELECT); },
              When(Opened("Auto Tray Select"),
                   [&](HWND) {
                       HWND dialog = FindDialog("Auto Tray Select");
                       ASSERT_NE(nullptr, dialog);
                       Click(dialog, IDC_ATS_TRAY1_OFF);
                       Click(dialog, IDC_ATS_BYPASS_ON);
                       SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                   }),
              [&](HWND sheet) {
                  applyAfterCancel = ApplyEnabled(sheet);
                  EXPECT_EQ(1, gDocument.edit.paper.autoSelectTray1) << "Cancel restored";
                  EXPECT_EQ(0, gDocument.edit.paper.autoSelectBypass);
                  PostClick(CurrentPage(sheet), IDC_PAPER_AUTO_TRAY_SELECT);
              },
              When(Opened("Auto Tray Select"),
                   [&](HWND) {
                       HWND dialog = FindDialog("Auto Tray Select");
                       ASSERT_NE(nullptr, dialog);
                       Click(dialog, IDC_ATS_TRAY2_OFF);
                       checkedOffAgain =
                           Checked(dialog, IDC_ATS_TRAY2_OFF) && !Checked(dialog, IDC_ATS_TRAY2_ON);
                       SendMessageA(dialog, WM_COMMAND, IDOK, 0);
                   }),
              [&](HWND sheet) {
                  applyAfterOk = ApplyEnabled(sheet);
                  Press(sheet, PSBTN_OK);
              }});
    EXPECT_FALSE(applyAfterCancel) << "a cancelled dialog changes nothing";
    EXPECT_TRUE(checkedOffAgain);
    EXPECT_TRUE(applyAfterOk);
    EXPECT_EQ(1, ImageByte(0x1010F));
    EXPECT_EQ(0, ImageByte(0x10110));
    EXPECT_EQ(0, ImageByte(0x10111));
}

constexpr int COPIER = 2;

TEST_F(PaperAndCopier, CopierWithoutAdfHidesItsGroupsAndKeepsTheirValues)
{
    LoadDemoData(window, [](SimDevice& device) {
        SimItemValue(&device, SimRecordOf(0x3))[0] = 0;
        SimItemValue(&device, SimRecordOf(0x10205))[0] = 1;  // sort on
        SimItemValue(&device, SimRecordOf(0x10207))[0] = 1;
    });
    bool sortShown = true, binding = false, applyBefore = true;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, COPIER); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          applyBefore = ApplyEnabled(sheet);
                          sortShown = Visible(page, IDC_COPY_SORT_ON) ||
                                      Visible(page, IDC_COPY_2SIDED_ORIGINAL) ||
                                      Visible(page, IDC_COPY_2IN1_BOX) ||
                                      Visible(page, IDC_COPY_2SIDED_COPY_ON);
                          binding = Visible(page, IDC_COPY_BINDING);
                          Scroll(page, IDC_COPY_CONTRAST, SB_RIGHT);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_FALSE(applyBefore);
    EXPECT_FALSE(sortShown) << "the feeder's groups are hidden without an ADF";
    EXPECT_TRUE(binding);
    EXPECT_EQ(4, ImageByte(0x1020E));
    EXPECT_EQ(1, ImageByte(0x10205)) << "a hidden value is stored as it was";
    EXPECT_EQ(1, ImageByte(0x10207));
}

TEST_F(PaperAndCopier, PhotoTakesTheDensityModeOutOfTheUploadAndTextPutsItBack)
{
    bool modeEnabled = true, modeBack = false;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, COPIER); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Click(page, IDC_COPY_ORIGINAL_PHOTO);
                          modeEnabled = Enabled(page, IDC_COPY_DENSITY_AUTO);
                          Press(sheet, PSBTN_APPLYNOW);
                      },
                      [&](HWND sheet) {
                          EXPECT_EQ(0u, ItemLength(gDocument.image, FindItemRecord(0x10202)));
                          HWND page = CurrentPage(sheet);
                          Click(page, IDC_COPY_ORIGINAL_TEXT);
                          modeBack = Enabled(page, IDC_COPY_DENSITY_MANUAL);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_FALSE(modeEnabled) << "Photo takes Auto/Manual out of use";
    EXPECT_TRUE(modeBack);
    EXPECT_EQ(1u, ItemLength(gDocument.image, FindItemRecord(0x10202)));
    EXPECT_EQ(0, ImageByte(0x10201));
}

}  // namespace
