// The SMTP, Scanner and User Restriction pages through the real sheet: the credentials check,
// the sender name that another page's Apply stores, and the unsaved-changes flag of a Scanner
// change.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/frame_win.h"
#include "device/device_image.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/settings/sheet_harness_win.h"

namespace {

constexpr int LINE = 6, SMTP = 7, SCANNER = 11;

class Pages15 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, StartFrame());
        window = OpenMainWindow();
        ASSERT_NE(nullptr, window);
        LoadDemoData(window);
        TakeMessages();
    }
    void TearDown() override { CloseTestWindow(window); }
    HWND window = nullptr;
};

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
    std::strcpy(reinterpret_cast<char*>(ItemValueById(0x10901)), "Jos\x82");
    SetItemLengthById(0x10901, 4);
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SMTP); },
                      [](HWND sheet) {
                          EXPECT_EQ("Jos\xE9", Text(CurrentPage(sheet), IDC_SMTP_SENDER_NAME));
                          SelectPage(sheet, LINE);
                      },
                      [](HWND sheet) {
                          Click(CurrentPage(sheet), IDC_LINE_PABX);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_STREQ("Jos\x82", reinterpret_cast<const char*>(ItemValueById(0x10901)));
    EXPECT_EQ(4u, ItemLength(FindItemRecord(0x10901)));
}

TEST_F(Pages15, AScannerChangeSetsTheUnsavedFlagAndVisitingDoesNot)
{
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SCANNER); },
                      [](HWND sheet) { Press(sheet, PSBTN_OK); }});
    EXPECT_EQ(0u, gApp.modified) << "only visited";
    RunSheet(window, {[](HWND sheet) { SelectPage(sheet, SCANNER); },
                      [](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Click(page, IDC_SCAN_DIVIDE_PAGE);
                          Type(page, IDC_SCAN_PAGE_KB, "1000");
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(1u, gApp.modified);
    EXPECT_EQ(1, ItemValueById(0x10B03)[0]);
    EXPECT_EQ(1000u, ItemValueById(0x10B04)[0] | (ItemValueById(0x10B04)[1] << 8));
}

}  // namespace
