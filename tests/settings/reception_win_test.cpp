// The Reception page and its Forwarding Destination dialog through the real sheet, the real
// templates and the real page procedure: the timer's password flows and stored times, the
// forwarding radios with the dialog's OK and Cancel, the timing values written into the image,
// the ring range after a country change, and Cancel dropping every edit.
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
#include "ui/ui_win.h"
#include "device/byte_order.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/settings/sheet_harness_win.h"

namespace {

constexpr int SYSTEM = 0;
constexpr int RECEPTION = 5;

const char* const PASSWORD_INCORRECT = "Password is incorrect.";
const char* const PASSWORD_INVALID = "Invalid password. Enter a password between 0000 and 9999.";

uint8_t ImageByte(uint32_t id, int at = 0) { return ImageItemValue(gDocument.image, id)[at]; }
uint16_t ImageU16(uint32_t id, int at) { return ReadU16Le(ImageItemValue(gDocument.image, id) + at); }

HWND ForwardingDialog() { return FindDialog("Forwarding Destination"); }

// The timer on with password 1234 and 9:30 to 17:05 stored.
void TimerOn(SimDevice& device)
{
    SimItemValue(&device, SimRecordOf(0x10400))[0] = 128;
    uint8_t* record = SimItemValue(&device, SimRecordOf(0x10401));
    std::memcpy(record + 4, "1234", 4);
    WriteU16Le(record + 2, 0x4BC0);
    WriteU16Le(record + 8, 0x88A0);
    record[10] = 192;
}

class Reception : public SheetTest {};

TEST_F(Reception, TimerOnAtOpeningGoesOffOnlyWithItsPassword)
{
    LoadDemoData(window, TimerOn);
    bool applyAtOpen = true, onAfterWrong = false, passwordFocused = false, timesLocked = false;
    bool offAfterRight = false, passwordLocked = false;
    std::string start;
    std::vector<std::string> messages, laterMessages;
    RunSheet(window,
             {[&](HWND sheet) { SelectPage(sheet, RECEPTION); },
              [&](HWND sheet) {
                  HWND page = CurrentPage(sheet);
                  applyAtOpen = ApplyEnabled(sheet);
                  start = Text(page, IDC_RX_START_HOUR) + ":" + Text(page, IDC_RX_START_MINUTE);
                  timesLocked = !Enabled(page, IDC_RX_START_HOUR) &&
                                !Enabled(page, IDC_RX_END_MINUTE) && Enabled(page, IDC_RX_PASSWORD);
                  Click(page, IDC_RX_TIMER_OFF);
                  messages = TakeMessages();
                  onAfterWrong = Checked(page, IDC_RX_TIMER_ON) &&
                                 !Checked(page, IDC_RX_TIMER_OFF) &&
                                 gDocument.edit.reception.rxPrintTimer == 128;
                  passwordFocused = HasFocus(page, IDC_RX_PASSWORD);
                  Type(page, IDC_RX_PASSWORD, "1234");
                  Click(page, IDC_RX_TIMER_OFF);
                  laterMessages = TakeMessages();
                  offAfterRight =
                      Checked(page, IDC_RX_TIMER_OFF) && gDocument.edit.reception.rxPrintTimer == 0;
                  passwordLocked =
                      !Enabled(page, IDC_RX_PASSWORD) && Text(page, IDC_RX_START_HOUR).empty();
                  Press(sheet, PSBTN_OK);
              }});
    EXPECT_FALSE(applyAtOpen) << "filling the page is no edit";
    EXPECT_EQ("09:30", start);
    EXPECT_TRUE(timesLocked);
    EXPECT_EQ(std::vector<std::string>{PASSWORD_INCORRECT}, messages);
    EXPECT_TRUE(onAfterWrong);
    EXPECT_TRUE(passwordFocused);
    EXPECT_TRUE(laterMessages.empty());
    EXPECT_TRUE(offAfterRight);
    EXPECT_TRUE(passwordLocked);
    EXPECT_EQ(0, ImageByte(0x10400));
    EXPECT_EQ(0, std::memcmp(ImageItemValue(gDocument.image, 0x10401) + 4, "1234", 4)) << "the record as it was";
    EXPECT_EQ(1, gDocument.modified);
}

TEST_F(Reception, SwitchedOffAndOnStoresAnyFullOrEmptyPasswordAndTheTypedTimes)
{
    LoadDemoData(window, TimerOn);
    bool stayed = false, timesOpen = false;
    std::vector<std::string> messages;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, RECEPTION); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Type(page, IDC_RX_PASSWORD, "1234");
                          Click(page, IDC_RX_TIMER_OFF);
                          Click(page, IDC_RX_TIMER_ON);
                          timesOpen =
                              Enabled(page, IDC_RX_START_HOUR) && Enabled(page, IDC_RX_END_MINUTE);
                          Type(page, IDC_RX_PASSWORD, "12");
                          Type(page, IDC_RX_START_HOUR, "9");
                          Type(page, IDC_RX_START_MINUTE, "30");
                          Type(page, IDC_RX_END_HOUR, "17");
                          Type(page, IDC_RX_END_MINUTE, "05");
                          Press(sheet, PSBTN_APPLYNOW);
                      },
                      [&](HWND sheet) {
                          messages = TakeMessages();
                          stayed = ImageByte(0x10401, 10) == 192 &&
                                   std::memcmp(ImageItemValue(gDocument.image, 0x10401) + 4, "1234", 4) == 0;
                          Type(CurrentPage(sheet), IDC_RX_PASSWORD, "");
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_TRUE(timesOpen);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(PASSWORD_INVALID, messages[0]);
    EXPECT_TRUE(stayed) << "nothing stored by the refused Apply";
    EXPECT_EQ(128, ImageByte(0x10400));
    EXPECT_EQ(0x4BC0, ImageU16(0x10401, 2));
    EXPECT_EQ(0x88A0, ImageU16(0x10401, 8));
    EXPECT_EQ(192, ImageByte(0x10401, 10));
    for (int i = 4; i < 8; i++)
        EXPECT_EQ(0, ImageByte(0x10401, i)) << "the empty password, byte " << i;
}

TEST_F(Reception, ForwardingCancelledStaysOffAndTypedDestinationsAreStoredByKind)
{
    ASSERT_EQ(64, ImageByte(0x1040D));
    bool offAfterCancel = false, applyAfterCancel = true, faxOn = false, dialogStayed = false;
    std::vector<std::string> messages;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, RECEPTION); },
                      [&](HWND sheet) { PostClick(CurrentPage(sheet), IDC_RX_FORWARD_ON); },
                      When(Opened("Forwarding Destination"),
                           [&](HWND) {
                               HWND dialog = ForwardingDialog();
                               ASSERT_NE(nullptr, dialog);
                               SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                           }),
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          offAfterCancel = Checked(page, IDC_RX_FORWARD_OFF) &&
                                           !Checked(page, IDC_RX_FORWARD_ON) &&
                                           gDocument.edit.reception.forwarding == 64;
                          applyAfterCancel = ApplyEnabled(sheet);
                          PostClick(page, IDC_RX_FORWARD_ON);
                      },
                      When(Opened("Forwarding Destination"),
                           [&](HWND) {
                               HWND dialog = ForwardingDialog();
                               ASSERT_NE(nullptr, dialog);
                               SendMessageA(dialog, WM_COMMAND, IDOK, 0);  // no number yet
                               messages = TakeMessages();
                               dialogStayed = IsWindow(dialog) && ForwardingDialog() == dialog;
                               Type(dialog, IDC_FWD_FAX_NUMBER, "01x23");
                               Type(dialog, IDC_FWD_SUB, "1P2");
                               SendMessageA(dialog, WM_COMMAND, IDOK, 0);
                           }),
                      [&](HWND sheet) {
                          faxOn = Checked(CurrentPage(sheet), IDC_RX_FORWARD_ON);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_TRUE(offAfterCancel);
    EXPECT_FALSE(applyAfterCancel) << "a cancelled dialog changed nothing";
    EXPECT_EQ(std::vector<std::string>{"Please enter fax number."}, messages);
    EXPECT_TRUE(dialogStayed);
    EXPECT_TRUE(faxOn);
    EXPECT_EQ(0, ImageByte(0x1040D));
    EXPECT_EQ(2, ImageByte(0x1040E, 0)) << "a typed fax number";
    EXPECT_EQ(4, ImageByte(0x1040E, 1)) << "the letter was filtered out";
    EXPECT_EQ(0x10, ImageByte(0x1040E, 5));
    EXPECT_EQ(0x32, ImageByte(0x1040E, 6));
    EXPECT_EQ(2, ImageByte(0x1040E, 3)) << "P is not a SUB character";
    EXPECT_EQ(0x21, ImageByte(0x1040E, 30));

    std::string frame, label;
    bool numberHidden = false;
    RunSheet(window,
             {[&](HWND sheet) { SelectPage(sheet, RECEPTION); },
              [&](HWND sheet) { PostClick(CurrentPage(sheet), IDC_RX_FORWARD_AND_PRINT); },
              When(Opened("Forwarding Destination"),
                   [&](HWND) {
                       HWND dialog = ForwardingDialog();
                       ASSERT_NE(nullptr, dialog);
                       Click(dialog, IDC_FWD_TYPE_EMAIL);
                       frame = Text(dialog, IDC_FWD_DEST_FRAME);
                       label = Text(dialog, IDC_FWD_NUMBER_LABEL);
                       numberHidden =
                           !(GetWindowLongA(GetDlgItem(dialog, IDC_FWD_FAX_NUMBER), GWL_STYLE) &
                             WS_VISIBLE);
                       Type(dialog, IDC_FWD_EMAIL, "desk@example.com");
                       SendMessageA(dialog, WM_COMMAND, IDOK, 0);
                   }),
              [&](HWND sheet) { Press(sheet, PSBTN_OK); }});
    EXPECT_EQ("E-Mail", frame);
    EXPECT_EQ("E-mail &Address:", label);
    EXPECT_TRUE(numberHidden);
    EXPECT_EQ(32, ImageByte(0x1040D));
    EXPECT_EQ(1, ImageByte(0x1040E, 0)) << "a typed e-mail address";
    EXPECT_EQ(16, ImageByte(0x1040E, 1));
    EXPECT_EQ(0, std::memcmp(ImageItemValue(gDocument.image, 0x1040E) + 6, "desk@example.com", 16));
}

TEST_F(Reception, ForwardingOffClearsTheRecordOnApply)
{
    LoadDemoData(window, [](SimDevice& device) {
        SimItemValue(&device, SimRecordOf(0x1040D))[0] = 0;
        uint8_t* record = SimItemValue(&device, SimRecordOf(0x1040E));
        record[0] = 1;
        record[1] = 16;
        std::memcpy(record + 6, "desk@example.com", 16);
    });
    std::string shown;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, RECEPTION); },
                      [&](HWND sheet) { PostClick(CurrentPage(sheet), IDC_RX_FORWARD_ON); },
                      When(Opened("Forwarding Destination"),
                           [&](HWND) {
                               HWND dialog = ForwardingDialog();
                               ASSERT_NE(nullptr, dialog);
                               shown = Text(dialog, IDC_FWD_EMAIL);
                               SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                           }),
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          EXPECT_TRUE(Checked(page, IDC_RX_FORWARD_ON)) << "still usable";
                          Click(page, IDC_RX_FORWARD_OFF);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ("desk@example.com", shown);
    EXPECT_EQ(64, ImageByte(0x1040D));
    for (int i = 0; i < 72; i++)
        ASSERT_EQ(0, ImageByte(0x1040E, i)) << "byte " << i;
}

TEST_F(Reception, TimingFieldsFollowTheModeAndAreWrittenClampedIntoTheImage)
{
    bool autoRx = true, ringing = false, faxDetect = true, afterSwitch = false;
    std::string clamped;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, RECEPTION); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          autoRx = Enabled(page, IDC_RX_MODE_AUTO);
                          ringing = Enabled(page, IDC_RX_START_RINGING) &&
                                    Enabled(page, IDC_RX_WHEN_UNDETECTED);
                          faxDetect = Enabled(page, IDC_RX_FAX_DETECT);
                          Click(page, IDC_RX_MODE_AUTO_SWITCH);
                          afterSwitch = Enabled(page, IDC_RX_FAX_DETECT) &&
                                        Enabled(page, IDC_RX_ANSWER_DETECT) &&
                                        !Enabled(page, IDC_RX_RINGING);
                          Type(page, IDC_RX_FAX_DETECT, "99");
                          LeaveField(page, IDC_RX_FAX_DETECT);
                          clamped = Text(page, IDC_RX_FAX_DETECT);
                          Type(page, IDC_RX_ANSWER_DETECT, "5");  // OK with the focus in it
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_FALSE(autoRx) << "language set 0 does not offer Auto RX";
    EXPECT_TRUE(ringing) << "the stored mode is Auto RX all the same";
    EXPECT_FALSE(faxDetect);
    EXPECT_TRUE(afterSwitch);
    EXPECT_EQ("70", clamped);
    EXPECT_EQ(3, ImageByte(0x10407));
    EXPECT_EQ(70, ImageByte(0x1040C));
    EXPECT_EQ(10, ImageByte(0x1040B));
    EXPECT_EQ(1, ImageByte(0x10408)) << "a field the mode does not use keeps its value";
    EXPECT_EQ(2, ImageByte(0x10409));
}

TEST_F(Reception, RingRangeFollowsTheCountryChosenOnTheSystemPage)
{
    int min = -1, max = -1;
    std::string label, after;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, RECEPTION); },
                      [&](HWND sheet) {
                          Scroll(CurrentPage(sheet), IDC_RX_RINGS, SB_RIGHT);
                          SelectPage(sheet, SYSTEM);
                      },
                      [&](HWND sheet) {
                          Choose(CurrentPage(sheet), IDC_SYS_COUNTRY, 21);  // Singapore
                          SelectPage(sheet, RECEPTION);
                      },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          GetScrollRange(GetDlgItem(page, IDC_RX_RINGS), SB_CTL, &min, &max);
                          label = Text(page, IDC_RX_RINGS_VALUE);
                          Scroll(page, IDC_RX_RINGS, SB_LINELEFT);
                          after = Text(page, IDC_RX_RINGS_VALUE);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(0, min);
    EXPECT_EQ(5, max);
    EXPECT_EQ("6", label) << "15 lowered to 5, shown as 6 rings";
    EXPECT_EQ("5", after);
    EXPECT_EQ(4, static_cast<int8_t>(ImageByte(0x10402)));
}

TEST_F(Reception, CancelDropsEveryEditOfThePage)
{
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, RECEPTION); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Click(page, IDC_RX_REDUCE_CUT);
                          Click(page, IDC_RX_TIMER_ON);
                          Click(page, IDC_RX_PRINT_FOOTER);
                          Choose(page, IDC_RX_TRAY_PRIORITY, 3);
                          Type(page, IDC_RX_START_RINGING, "20");
                          LeaveField(page, IDC_RX_START_RINGING);
                          Press(sheet, PSBTN_CANCEL);
                      }});
    EXPECT_EQ(1, gDocument.edit.reception.autoReduce);
    EXPECT_EQ(0, gDocument.edit.reception.rxPrintTimer);
    EXPECT_EQ(16, gDocument.edit.reception.faxFooter);
    EXPECT_EQ(1, ImageByte(0x10408)) << "the timing values wait for Apply";
    EXPECT_EQ(0, gDocument.modified);
}

}  // namespace
