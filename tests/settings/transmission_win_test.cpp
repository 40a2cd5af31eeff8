// The Transmission page through the real sheet: the fax header the country forces (also after
// the System page changed the country), the resend corrections when a field is left or the
// sheet is closed by Enter, Auto Resend's fields, the scan density steps in the image and the
// resolution a list cannot show.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

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
#include "document/document.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/settings/sheet_harness_win.h"

namespace {

constexpr int SYSTEM = 0, TRANSMISSION = 4;

uint8_t ImageByte(uint32_t id) { return ImageItemValue(gDocument.image, id)[0]; }

void SetByte(SimDevice& device, uint32_t id, uint8_t value)
{
    SimItemValue(&device, SimRecordOf(id))[0] = value;
}

class TransmissionPage : public SheetTest {};

TEST_F(TransmissionPage, TheHeaderIsForcedForUsaAndCanadaAtEveryVisit)
{
    LoadDemoData(window, [](SimDevice& device) {
        SetByte(device, 0x1000B, 0);  // USA
        SetByte(device, 0x10303, 0);  // header off as stored
    });
    bool usaChecked = false, usaEnabled = true, ukEnabled = false, ukChecked = false;
    bool canadaChecked = false, canadaEnabled = true;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, TRANSMISSION); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          usaChecked = Checked(page, IDC_TX_PRINT_HEADER);
                          usaEnabled = Enabled(page, IDC_TX_PRINT_HEADER);
                          SelectPage(sheet, SYSTEM);
                      },
                      [&](HWND sheet) {
                          Choose(CurrentPage(sheet), IDC_SYS_COUNTRY, 1);  // UK
                          SelectPage(sheet, TRANSMISSION);
                      },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          ukEnabled = Enabled(page, IDC_TX_PRINT_HEADER);
                          ukChecked = Checked(page, IDC_TX_PRINT_HEADER);
                          Click(page, IDC_TX_PRINT_HEADER);  // off
                          SelectPage(sheet, SYSTEM);
                      },
                      [&](HWND sheet) {
                          Choose(CurrentPage(sheet), IDC_SYS_COUNTRY, 24);  // Canada
                          SelectPage(sheet, TRANSMISSION);
                      },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          canadaChecked = Checked(page, IDC_TX_PRINT_HEADER);
                          canadaEnabled = Enabled(page, IDC_TX_PRINT_HEADER);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_TRUE(usaChecked) << "whatever the stored value";
    EXPECT_FALSE(usaEnabled);
    EXPECT_TRUE(ukEnabled);
    EXPECT_TRUE(ukChecked) << "choosing another country does not switch the header off";
    EXPECT_TRUE(canadaChecked) << "the box turned off on the UK visit is forced on again";
    EXPECT_FALSE(canadaEnabled);
    EXPECT_EQ(24, ImageByte(0x1000B));
    EXPECT_EQ(2, ImageByte(0x10303));
}

TEST_F(TransmissionPage, ResendNumbersAreCorrectedWhenLeftAndWhenOkIsPressedInThem)
{
    LoadDemoData(window, [](SimDevice& device) {
        SetByte(device, 0x10306, 3);     // at most 3 resends
        SetByte(device, 0x10308, 0x45);  // at least 4 minutes
    });
    std::string seven, zero, interval, high;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, TRANSMISSION); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Type(page, IDC_TX_RESEND_COUNT, "7");
                          LeaveField(page, IDC_TX_RESEND_COUNT);
                          seven = Text(page, IDC_TX_RESEND_COUNT);
                          Type(page, IDC_TX_RESEND_COUNT, "0");
                          LeaveField(page, IDC_TX_RESEND_COUNT);
                          zero = Text(page, IDC_TX_RESEND_COUNT);
                          Type(page, IDC_TX_RESEND_INTERVAL, "2");
                          LeaveField(page, IDC_TX_RESEND_INTERVAL);
                          interval = Text(page, IDC_TX_RESEND_INTERVAL);
                          Type(page, IDC_TX_RESEND_INTERVAL, "99");
                          LeaveField(page, IDC_TX_RESEND_INTERVAL);
                          high = Text(page, IDC_TX_RESEND_INTERVAL);
                          Type(page, IDC_TX_RESEND_COUNT, "9");  // OK by Enter: never left
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ("3", seven);
    EXPECT_EQ("1", zero);
    EXPECT_EQ("4", interval);
    EXPECT_EQ("99", high);
    EXPECT_EQ(3, ImageByte(0x10305)) << "the maximum, not the 9 still in the field";
    EXPECT_EQ(99, ImageByte(0x10307));
    EXPECT_TRUE(TakeMessages().empty()) << "corrected silently";
}

TEST_F(TransmissionPage, AutoResendEnablesBothFieldsWithTheirLabels)
{
    const int fields[] = {IDC_TX_RESEND_COUNT,          IDC_TX_RESEND_COUNT_LABEL,
                          IDC_TX_RESEND_COUNT_UNIT,     IDC_TX_RESEND_INTERVAL,
                          IDC_TX_RESEND_INTERVAL_LABEL, IDC_TX_RESEND_INTERVAL_UNIT};
    int enabledAtFirst = 0, enabledWhenOff = 0, enabledWhenOn = 0;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, TRANSMISSION); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          for (int id : fields)
                              enabledAtFirst += Enabled(page, id);
                          Click(page, IDC_TX_AUTO_RESEND);
                          for (int id : fields)
                              enabledWhenOff += Enabled(page, id);
                          Click(page, IDC_TX_AUTO_RESEND);
                          for (int id : fields)
                              enabledWhenOn += Enabled(page, id);
                          Click(page, IDC_TX_AUTO_RESEND);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(6, enabledAtFirst) << "the demo resends";
    EXPECT_EQ(0, enabledWhenOff);
    EXPECT_EQ(6, enabledWhenOn);
    EXPECT_EQ(0, ImageByte(0x10304));
    EXPECT_EQ(2, ImageByte(0x10305)) << "the count is kept while resending is off";
}

TEST_F(TransmissionPage, ScanDensityStepsReachTheImageAndApplyWaitsForAnEdit)
{
    LoadDemoData(window, [](SimDevice& device) { SetByte(device, 0x10300, 8); });
    bool applyAtFirst = true, applyAfterMove = false, applyAfterApply = true;
    int shownAtFirst = -1;
    uint8_t afterApply = 0;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, TRANSMISSION); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          applyAtFirst = ApplyEnabled(sheet);
                          shownAtFirst =
                              GetScrollPos(GetDlgItem(page, IDC_TX_SCAN_DENSITY), SB_CTL);
                          Scroll(page, IDC_TX_SCAN_DENSITY, SB_LINERIGHT);  // 8 + 16 = 24
                          applyAfterMove = ApplyEnabled(sheet);
                          Press(sheet, PSBTN_APPLYNOW);
                      },
                      [&](HWND sheet) {
                          afterApply = ImageByte(0x10300);
                          applyAfterApply = ApplyEnabled(sheet);
                          HWND page = CurrentPage(sheet);
                          Scroll(page, IDC_TX_SCAN_DENSITY, SB_LINELEFT);
                          Scroll(page, IDC_TX_SCAN_DENSITY, SB_LINELEFT);  // below 0
                          EXPECT_EQ(0, gDocument.edit.transmission.scanDensity);
                          Scroll(page, IDC_TX_SCAN_DENSITY, SB_PAGERIGHT);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_FALSE(applyAtFirst) << "showing the numbers is no edit";
    EXPECT_EQ(8, shownAtFirst) << "a stored value is shown as it is";
    EXPECT_TRUE(applyAfterMove);
    EXPECT_EQ(16, afterApply);
    EXPECT_FALSE(applyAfterApply);
    EXPECT_EQ(32, ImageByte(0x10300));
    EXPECT_EQ(1, gDocument.modified);
}

TEST_F(TransmissionPage, AResolutionTheListLacksIsKeptUntilARowIsChosen)
{
    LoadDemoData(window, [](SimDevice& device) { SetByte(device, 0x10301, 4); });
    LRESULT selected = 0;
    std::string shown = "?";
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, TRANSMISSION); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          selected =
                              SendDlgItemMessageA(page, IDC_TX_RESOLUTION, CB_GETCURSEL, 0, 0);
                          shown = Text(page, IDC_TX_RESOLUTION);
                          Click(page, IDC_TX_MEMORY_OFF);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(CB_ERR, selected);
    EXPECT_EQ("", shown);
    EXPECT_EQ(4, ImageByte(0x10301)) << "kept through another edit's Apply";
    EXPECT_EQ(4, ImageByte(0x10302)) << "Memory TX off";

    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, TRANSMISSION); },
                      [&](HWND sheet) {
                          Choose(CurrentPage(sheet), IDC_TX_RESOLUTION, 3);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(3, ImageByte(0x10301)) << "Photo";
}

TEST_F(TransmissionPage, AForcedHeaderIsStoredAsShown)
{
    LoadDemoData(window, [](SimDevice& device) {
        SetByte(device, 0x1000B, 0);
        SetByte(device, 0x10303, 0);
    });
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, TRANSMISSION); },
                      [&](HWND sheet) {
                          Click(CurrentPage(sheet), IDC_TX_MEMORY_OFF);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(2, ImageByte(0x10303)) << "the box showed it checked";
}

}  // namespace
