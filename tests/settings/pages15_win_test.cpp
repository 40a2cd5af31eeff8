// The SMTP, POP3, Scanner, Auto Print Report and User Restriction pages through the real sheet:
// the mail pages' checks and filters, the text lengths after Apply and after Cancel, the
// Scanner's divide choices, the report codes, and the restriction password's flows.
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

class Pages15 : public SheetTest {};

TEST_F(Pages15, AuthenticationOnNeedsBothTextsAndOffDoesNot)
{
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SMTP); },
                      [](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Click(page, IDC_SMTP_AUTH_ON);
                          Type(page, IDC_SMTP_USER, "");
                          Type(page, IDC_SMTP_PASSWORD, "");
                          Type(page, IDC_SMTP_PORT, "25");
                          EXPECT_FALSE(SelectPage(sheet, LINE));
                      },
                      [](HWND sheet) {
                          EXPECT_EQ(SMTP, CurrentPageIndex(sheet));
                          Click(CurrentPage(sheet), IDC_SMTP_AUTH_OFF);
                          EXPECT_TRUE(SelectPage(sheet, LINE));
                          Press(sheet, PSBTN_CANCEL);
                      }});
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("Please enter both User Name and Password.", messages[0]);
}

TEST_F(Pages15, TheSenderNameReachesTheImageInTheDeviceSetAfterAnotherPagesApply)
{
    std::strcpy(reinterpret_cast<char*>(ImageItemValue(gDocument.image, 0x10901)), "Jos\x82");
    SetImageItemLength(gDocument.image, 0x10901, 4);
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SMTP); },
                      [](HWND sheet) {
                          EXPECT_EQ("Jos\xE9", Text(CurrentPage(sheet), IDC_SMTP_SENDER_NAME));
                          SelectPage(sheet, LINE);
                      },
                      [](HWND sheet) {
                          Click(CurrentPage(sheet), IDC_LINE_PABX);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_STREQ("Jos\x82", reinterpret_cast<const char*>(ImageItemValue(gDocument.image, 0x10901)));
    EXPECT_EQ(4u, ItemLength(gDocument.image, FindItemRecord(0x10901)));
}

TEST_F(Pages15, AScannerChangeSetsTheUnsavedFlagAndVisitingDoesNot)
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

}  // namespace

namespace {

TEST_F(Pages15, SmtpPortZeroAndAnEmptyPortEachHaveTheirOwnMessage)
{
    bool leftWithZero = true, leftWithEmpty = true, leftWithGood = false;
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SMTP); },
                      [&](HWND sheet) {
                          Type(CurrentPage(sheet), IDC_SMTP_PORT, "0");
                          leftWithZero = SelectPage(sheet, LINE);
                      },
                      [&](HWND sheet) {
                          Type(CurrentPage(sheet), IDC_SMTP_PORT, "");
                          leftWithEmpty = SelectPage(sheet, LINE);
                      },
                      [&](HWND sheet) {
                          EXPECT_TRUE(HasFocus(CurrentPage(sheet), IDC_SMTP_PORT));
                          Type(CurrentPage(sheet), IDC_SMTP_PORT, "587");
                          leftWithGood = SelectPage(sheet, LINE);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_FALSE(leftWithZero);
    EXPECT_FALSE(leftWithEmpty);
    EXPECT_TRUE(leftWithGood);
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("Invalid value. Enter a value between 1 and 65535.", messages[0]);
    EXPECT_EQ("Required entry field(s) cannot be left unspecified.", messages[1]);
    EXPECT_EQ(587u, ImageU32(0x10906));
}

TEST_F(Pages15, AQuestionMarkInTheServerNameIsRemovedWithTheCaretLeftThere)
{
    std::string shown;
    DWORD start = 0, end = 0;
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SMTP); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Type(page, IDC_SMTP_SERVER, "smtp?.example.org");
                          shown = Text(page, IDC_SMTP_SERVER);
                          SendDlgItemMessageA(page, IDC_SMTP_SERVER, EM_GETSEL,
                                              reinterpret_cast<WPARAM>(&start),
                                              reinterpret_cast<LPARAM>(&end));
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ("smtp.example.org", shown);
    EXPECT_EQ(4u, start) << "where the question mark was";
    EXPECT_EQ(4u, end);
    EXPECT_STREQ("smtp.example.org", ImageText(0x10905));
    EXPECT_EQ(16u, ItemLength(gDocument.image, FindItemRecord(0x10905)));
}

TEST_F(Pages15, ThePop3IntervalIsCheckedOnlyWithAutoReception)
{
    ASSERT_EQ(0, ImageItemValue(gDocument.image, 0x10A08)[0]);
    bool leftUnchecked = false, leftChecked = true;
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, POP3); },
                      [&](HWND sheet) {
                          Type(CurrentPage(sheet), IDC_POP3_INTERVAL, "0");
                          leftUnchecked = SelectPage(sheet, LINE);
                      },
                      [](HWND sheet) { SelectPage(sheet, POP3); },
                      [&](HWND sheet) {
                          Click(CurrentPage(sheet), IDC_POP3_AUTO_RECEIVE);
                          leftChecked = SelectPage(sheet, LINE);
                      },
                      [](HWND sheet) {
                          EXPECT_TRUE(HasFocus(CurrentPage(sheet), IDC_POP3_INTERVAL));
                          Press(sheet, PSBTN_CANCEL);
                      }});
    EXPECT_TRUE(leftUnchecked) << "a disabled interval is not checked";
    EXPECT_FALSE(leftChecked);
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("Invalid value. Enter a value between 1 and 60.", messages[0]);
}

// Every text item of the two mail pages, with the text typed into it.
struct MailText {
    int page;
    int control;
    uint32_t item;
    const char* text;
};
const MailText MAIL_TEXTS[] = {
    {SMTP, IDC_SMTP_SENDER_NAME, 0x10901, "Desk 4"},
    {SMTP, IDC_SMTP_EMAIL, 0x10903, "desk4@example.net"},
    {SMTP, IDC_SMTP_SERVER, 0x10905, "smtp.example.net"},
    {SMTP, IDC_SMTP_SUBJECT, 0x1090A, "Scan"},
    {SMTP, IDC_SMTP_USER, 0x1090D, "desk"},
    {SMTP, IDC_SMTP_PASSWORD, 0x1090F, "pw"},
    {POP3, IDC_POP3_SERVER, 0x10A01, "pop.example.net"},
    {POP3, IDC_POP3_USER, 0x10A05, "desk4"},
    {POP3, IDC_POP3_PASSWORD, 0x10A07, "secret1"},
    {POP3, IDC_POP3_ADMIN_EMAIL, 0x10A0B, "it@example.net"},
};

std::vector<SheetStep> TypeMailTexts(int lengthen, int closeButton)
{
    std::vector<SheetStep> steps;
    for (int page : {SMTP, POP3}) {
        steps.push_back([page](HWND sheet) { SelectPage(sheet, page); });
        steps.push_back([page, lengthen](HWND sheet) {
            HWND window = CurrentPage(sheet);
            if (page == SMTP)
                Click(window, IDC_SMTP_AUTH_ON);  // the user name and password take text
            for (const MailText& t : MAIL_TEXTS)
                if (t.page == page)
                    Type(window, t.control,
                         (std::string(t.text) + (lengthen ? "xyz" : "")).c_str());
        });
    }
    steps.push_back([closeButton](HWND sheet) { Press(sheet, closeButton); });
    return steps;
}

TEST_F(Pages15, EveryMailTextKeepsItsLengthAfterOkAndAfterACancelledEdit)
{
    RunSheet(window, TypeMailTexts(0, PSBTN_OK));
    for (const MailText& t : MAIL_TEXTS) {
        EXPECT_STREQ(t.text, ImageText(t.item)) << std::hex << t.item;
        EXPECT_EQ(std::strlen(t.text), ItemLength(gDocument.image, FindItemRecord(t.item))) << std::hex << t.item;
    }
    RunSheet(window, TypeMailTexts(1, PSBTN_CANCEL));
    for (const MailText& t : MAIL_TEXTS) {
        EXPECT_STREQ(t.text, ImageText(t.item)) << std::hex << t.item;
        EXPECT_EQ(std::strlen(t.text), ItemLength(gDocument.image, FindItemRecord(t.item)))
            << std::hex << t.item << ": the length follows the text kept, not the one typed";
    }
}

TEST_F(Pages15, TheScannerChecksOnlyTheFieldsItsDivideChoiceUses)
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

TEST_F(Pages15, TheScannerApplyChecksThePerPageSizeAndStoresNothingWhenItFails)
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

TEST_F(Pages15, ReportOnErrorStoresFourForTxAndSixteenForRx)
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

TEST_F(Pages15, AnEmptyDevicePasswordOpensTheDialogAndItsPasswordWaitsForTheSheetsOk)
{
    SetImageText(0x10D02, "");  // the demo device sends its empty password at full length
    bool opened = false, reopened = false;
    auto steps = [&](bool& seen, int closeButton) {
        return std::vector<SheetStep>{
            [](HWND sheet) { SelectPage(sheet, RESTRICTION); },
            [](HWND sheet) { PostClick(CurrentPage(sheet), IDC_URPAGE_OK); },
            [&seen](HWND) {
                HWND dialog = RestrictionDialog();
                seen = dialog != nullptr;
                ASSERT_NE(nullptr, dialog);
                Click(dialog, IDC_UR_ON);
                Type(dialog, IDC_UR_NEW_PASSWORD, "4321");
                SendMessageA(dialog, WM_COMMAND, IDC_UR_OK, 0);
            },
            [closeButton](HWND sheet) {
                EXPECT_EQ(nullptr, RestrictionDialog());
                Press(sheet, closeButton);
            }};
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

TEST_F(Pages15, AWrongPasswordIsRefusedAndTheRightOneOpensTheDialog)
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
                      [&](HWND sheet) {
                          HWND dialog = RestrictionDialog();
                          openedOnRight = dialog != nullptr;
                          typedAfterOpen = Text(CurrentPage(sheet), IDC_URPAGE_PASSWORD);
                          if (dialog) {
                              EXPECT_EQ("2468", Text(dialog, IDC_UR_NEW_PASSWORD));
                              SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                          }
                      },
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
