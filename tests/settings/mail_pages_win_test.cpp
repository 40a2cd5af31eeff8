// The SMTP and POP3 pages through the real sheet: their checks and filters, the sender name in
// the device's character set, and the text lengths after Apply and after Cancel.
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

class MailPages : public SheetTest {};

TEST_F(MailPages, AuthenticationOnNeedsBothTextsAndOffDoesNot)
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

TEST_F(MailPages, TheSenderNameReachesTheImageInTheDeviceSetAfterAnotherPagesApply)
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

TEST_F(MailPages, SmtpPortZeroAndAnEmptyPortEachHaveTheirOwnMessage)
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

TEST_F(MailPages, AQuestionMarkInTheServerNameIsRemovedWithTheCaretLeftThere)
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

TEST_F(MailPages, ThePop3IntervalIsCheckedOnlyWithAutoReception)
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

TEST_F(MailPages, EveryMailTextKeepsItsLengthAfterOkAndAfterACancelledEdit)
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

}  // namespace
