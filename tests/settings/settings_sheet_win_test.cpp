// The Device Settings sheet through the real command, the real templates and the real page
// procedure: its pages, Apply and Cancel, the changed marking, the leave checks, and the
// System, Line and Network pages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <initializer_list>
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
#include "device/device_protocol.h"
#include "resources/resource_ids.h"
#include "settings/settings_pages_win.h"
#include "settings/settings_rules.h"
#include "tests/app/frame_harness_win.h"
#include "tests/settings/sheet_harness_win.h"

namespace {

const char RANGE_15_240[] = "Invalid value. Enter a value between 15 and 240.";
const char REQUIRED[] = "Required entry field(s) cannot be left unspecified.";
const char INVALID_SETTING[] = "Invalid value.\nCheck the setting(s).";

// Sheet indexes with the Ethernet board.
constexpr int SYSTEM = 0, LINE = 6, NETWORK = 9;

uint32_t ImageLength(uint32_t id) { return ItemLength(gDocument.image, FindItemRecord(id)); }
uint8_t ImageByte(uint32_t id) { return ImageItemValue(gDocument.image, id)[0]; }
uint32_t ImageU32(uint32_t id) { return ReadU32Le(ImageItemValue(gDocument.image, id)); }

class SettingsSheet : public SheetTest {
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        ClearRestartFlag();
    }
    std::vector<uint8_t> Image() const
    {
        return std::vector<uint8_t>(gDocument.image.bytes, gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    }
};

TEST_F(SettingsSheet, HasThirteenPagesWithTheBoardAndOpensOnSystem)
{
    std::vector<std::string> labels;
    int current = -1;
    std::string caption;
    ASSERT_TRUE(RunSheet(window, {[&](HWND sheet) {
                             for (int i = 0; i < PageCount(sheet); i++)
                                 labels.push_back(TabLabel(sheet, i));
                             current = CurrentPageIndex(sheet);
                             caption = WindowText(sheet);
                             Press(sheet, PSBTN_CANCEL);
                         }}));
    const std::vector<std::string> expected = {
        "System", "Paper", "Copier",  "Auto Print Report", "Transmission", "Reception", "Line",
        "SMTP",   "POP3",  "Network", "User Restriction",  "Scanner",      "LDAP"};
    EXPECT_EQ(expected, labels);
    EXPECT_EQ(0, current) << "the sheet opens on System";
    EXPECT_EQ("Device Settings", caption);
    EXPECT_TRUE(IsWindowEnabled(window)) << "the main window is usable again";
}

TEST_F(SettingsSheet, HasSevenPagesWithoutTheBoard)
{
    LoadDemoData(window, [](SimDevice& device) {
        SimItemValue(&device, SimRecordOf(0x3))[2] = 2;  // anything but 1: no board
    });
    std::vector<std::string> labels;
    RunSheet(window, {[&](HWND sheet) {
                 for (int i = 0; i < PageCount(sheet); i++)
                     labels.push_back(TabLabel(sheet, i));
                 Press(sheet, PSBTN_CANCEL);
             }});
    const std::vector<std::string> expected = {
        "System", "Paper", "Copier", "Auto Print Report", "Transmission", "Reception", "Line"};
    EXPECT_EQ(expected, labels);
}

TEST_F(SettingsSheet, ShowingPagesChangesNothingAndOkLeavesTheDocumentUnsaved)
{
    const std::vector<uint8_t> before = Image();
    bool applyAtAll = true;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, LINE); },
                      [&](HWND sheet) { SelectPage(sheet, NETWORK); },
                      [&](HWND sheet) {
                          applyAtAll = ApplyEnabled(sheet);
                          for (int order = 0; order < SETTINGS_PAGE_COUNT; order++)
                              EXPECT_FALSE(IsSettingsPageChanged(sheet, order)) << "page " << order;
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_FALSE(applyAtAll) << "filling the pages is no edit";
    EXPECT_EQ(0, gDocument.modified) << "nothing to save after only looking";
    EXPECT_TRUE(before == Image()) << "nothing was stored";
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(SettingsSheet, AnEditEnablesApplyAndOkStoresItAndMarksTheDocument)
{
    ASSERT_EQ(0, ImageByte(0x1000A));
    bool before = true, after = false;
    RunSheet(window, {[&](HWND sheet) {
                 before = ApplyEnabled(sheet);
                 Click(CurrentPage(sheet), IDC_SYS_DAYLIGHT_SAVING);
                 after = ApplyEnabled(sheet);
                 Press(sheet, PSBTN_OK);
             }});
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
    EXPECT_EQ(128, ImageByte(0x1000A));
    EXPECT_EQ(1, gDocument.modified);
}

TEST_F(SettingsSheet, CancelAfterApplyKeepsTheAppliedValuesAndDropsTheLaterOnes)
{
    const uint32_t energySaver = ImageU32(0x10002);
    bool applyAfterApply = true;
    RunSheet(window, {[&](HWND sheet) {
                          Click(CurrentPage(sheet), IDC_SYS_DAYLIGHT_SAVING);
                          Press(sheet, PSBTN_APPLYNOW);
                      },
                      [&](HWND sheet) {
                          applyAfterApply = ApplyEnabled(sheet);
                          HWND page = CurrentPage(sheet);
                          Scroll(page, IDC_SYS_ENERGY_SAVER, SB_PAGERIGHT);
                          EXPECT_EQ(std::to_string(energySaver + 10) + " min.",
                                    Text(page, IDC_SYS_ENERGY_SAVER_VALUE));
                          Click(page, IDC_SYS_AUTO_RESET);
                          Press(sheet, PSBTN_CANCEL);
                      }});
    EXPECT_FALSE(applyAfterApply);
    EXPECT_EQ(128, ImageByte(0x1000A)) << "applied";
    EXPECT_EQ(128, gDocument.edit.system.daylightSaving);
    EXPECT_EQ(energySaver, ImageU32(0x10002)) << "dropped by Cancel";
    EXPECT_EQ(energySaver, gDocument.edit.system.energySaverMinutes) << "the edit state too";
    EXPECT_EQ(1, gDocument.edit.system.autoReset);
    EXPECT_EQ(1, gDocument.modified) << "the Apply stored a change";
    EXPECT_TRUE(IsWindowEnabled(window));
    // A window a test beside this one shows takes this thread's activation too, leaving none.
    HWND active = GetActiveWindow();
    EXPECT_EQ(window, active ? active : LastActivated()) << "the main window is in front again";
}

TEST_F(SettingsSheet, LeavingSystemWithABadAutoOffTimerKeepsTheSheetThereWithTheFieldFocused)
{
    int stayed = -1;
    bool focused = false;
    RunSheet(window, {[&](HWND sheet) {
                          Type(CurrentPage(sheet), IDC_SYS_AUTO_OFF_MINUTES, "300");
                          EXPECT_FALSE(SelectPage(sheet, LINE));
                          stayed = CurrentPageIndex(sheet);
                      },
                      [&](HWND sheet) {
                          focused = HasFocus(CurrentPage(sheet), IDC_SYS_AUTO_OFF_MINUTES);
                          Type(CurrentPage(sheet), IDC_SYS_AUTO_OFF_MINUTES, "");
                          EXPECT_FALSE(SelectPage(sheet, LINE));
                      },
                      [&](HWND sheet) {
                          Type(CurrentPage(sheet), IDC_SYS_AUTO_OFF_MINUTES, "30");
                          EXPECT_TRUE(SelectPage(sheet, LINE))
                              << "a good value lets the user go on";
                          EXPECT_EQ(LINE, CurrentPageIndex(sheet));
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(SYSTEM, stayed);
    EXPECT_TRUE(focused) << "the field to mend has the focus";
    EXPECT_EQ((std::vector<std::string>{RANGE_15_240, REQUIRED}), TakeMessages());
    EXPECT_EQ(30u, ImageU32(0x10004));
}

TEST_F(SettingsSheet, AnAutoOffTimerThatIsOffIsNotChecked)
{
    RunSheet(window, {[&](HWND sheet) {
                 HWND page = CurrentPage(sheet);
                 Type(page, IDC_SYS_AUTO_OFF_MINUTES, "5");
                 Click(page, IDC_SYS_AUTO_OFF);
                 EXPECT_FALSE(Enabled(page, IDC_SYS_AUTO_OFF_MINUTES));
                 EXPECT_TRUE(SelectPage(sheet, LINE));
                 Press(sheet, PSBTN_OK);
             }});
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(0, ImageByte(0x10003));
}

TEST_F(SettingsSheet, AStoredAutoOffTimerOfZeroShowsFifteen)
{
    LoadDemoData(window, [](SimDevice& device) {
        std::memset(SimItemValue(&device, SimRecordOf(0x10004)), 0, 4);
    });
    std::string shown;
    RunSheet(window, {[&](HWND sheet) {
                 shown = Text(CurrentPage(sheet), IDC_SYS_AUTO_OFF_MINUTES);
                 Press(sheet, PSBTN_CANCEL);
             }});
    EXPECT_EQ("15", shown);
}

TEST_F(SettingsSheet, LanguagesFollowTheLanguageSetAndAChangeAsksForThePowerCycle)
{
    LoadDemoData(window, [](SimDevice& device) {
        SimItemValue(&device, SimRecordOf(0x10005))[0] = 1;  // English and Japanese
    });
    int count = 0;
    RunSheet(window, {[&](HWND sheet) {
                 HWND page = CurrentPage(sheet);
                 count = static_cast<int>(
                     SendDlgItemMessageA(page, IDC_SYS_LANGUAGE, CB_GETCOUNT, 0, 0));
                 Choose(page, IDC_SYS_LANGUAGE, 1);
                 Press(sheet, PSBTN_OK);
             }});
    EXPECT_EQ(2, count);
    EXPECT_EQ(15, ImageByte(0x10006)) << "Japanese is stored as its code";
    EXPECT_EQ(RESTART_PENDING, gRestartFlag.state);
    EXPECT_EQ(1, gRestartFlag.systemPage) << "the general power-cycle message";
}

TEST_F(SettingsSheet, TheCountryDecidesTheDiallingOnTheLinePageEachTimeItIsShown)
{
    LoadDemoData(window, [](SimDevice& device) {
        SimItemValue(&device, SimRecordOf(0x1000B))[0] = 19;  // Germany
        SimItemValue(&device, SimRecordOf(0x10500))[0] = 16;  // pulse dialling stored
        SimItemValue(&device, SimRecordOf(0x10501))[0] = 0;
    });
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, LINE); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          EXPECT_TRUE(Checked(page, IDC_LINE_PUSH));
                          EXPECT_FALSE(Checked(page, IDC_LINE_DIAL_20PPS));
                          EXPECT_FALSE(Enabled(page, IDC_LINE_DIAL_10PPS));
                          EXPECT_FALSE(Enabled(page, IDC_LINE_DIAL_20PPS));
                          EXPECT_TRUE(Enabled(page, IDC_LINE_PUSH));
                          SelectPage(sheet, SYSTEM);
                      },
                      [&](HWND sheet) {
                          Choose(CurrentPage(sheet), IDC_SYS_COUNTRY, 0);  // USA
                          SelectPage(sheet, LINE);
                      },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          EXPECT_TRUE(Enabled(page, IDC_LINE_DIAL_10PPS))
                              << "USA dials by pulse too";
                          EXPECT_TRUE(Enabled(page, IDC_LINE_DIAL_20PPS));
                          Click(page, IDC_LINE_DIAL_20PPS);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_EQ(0, ImageByte(0x1000B));
    EXPECT_EQ(2, ImageByte(0x10303)) << "the USA prints the fax header";
    EXPECT_EQ(16, ImageByte(0x10500));
    EXPECT_EQ(0, ImageByte(0x10501));
}

TEST_F(SettingsSheet, TheCountryMovesTheRingCountIntoItsLimits)
{
    LoadDemoData(window,
                 [](SimDevice& device) { SimItemValue(&device, SimRecordOf(0x10402))[0] = 1; });
    RunSheet(window, {[&](HWND sheet) {
                 Choose(CurrentPage(sheet), IDC_SYS_COUNTRY, 8);  // Australia
                 Press(sheet, PSBTN_OK);
             }});
    EXPECT_EQ(3, ImageByte(0x10404));
    EXPECT_EQ(15, ImageByte(0x10403));
    EXPECT_EQ(3, ImageByte(0x10402));
}

TEST_F(SettingsSheet, APabxPrefixKeepsOnlyDigitsAndItsLengthIsItsDigits)
{
    std::string shown;
    DWORD caret = 0;
    bool enabledWithPstn = true;
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, LINE); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          enabledWithPstn = Enabled(page, IDC_LINE_PREFIX);
                          Click(page, IDC_LINE_PABX);
                          Type(page, IDC_LINE_PREFIX, "12a4");
                          shown = Text(page, IDC_LINE_PREFIX);
                          SendDlgItemMessageA(page, IDC_LINE_PREFIX, EM_GETSEL,
                                              reinterpret_cast<WPARAM>(&caret), 0);
                          Press(sheet, PSBTN_OK);
                      }});
    EXPECT_FALSE(enabledWithPstn) << "the prefix is only for a PABX line";
    EXPECT_EQ("124", shown);
    EXPECT_EQ(2u, caret) << "where the letter was typed";
    EXPECT_EQ(64, ImageByte(0x10502));
    EXPECT_EQ(0, std::memcmp(ImageItemValue(gDocument.image, 0x10504), "124\0", 5));
    EXPECT_EQ(3u, ImageLength(0x10504));
}

TEST_F(SettingsSheet, AfterCancelEveryTextLengthMatchesItsText)
{
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, LINE); },
                      [&](HWND sheet) {
                          HWND page = CurrentPage(sheet);
                          Click(page, IDC_LINE_PABX);
                          Type(page, IDC_LINE_PREFIX, "124");
                          Press(sheet, PSBTN_APPLYNOW);
                      },
                      [&](HWND sheet) {
                          Type(CurrentPage(sheet), IDC_LINE_PREFIX, "5678");
                          Press(sheet, PSBTN_CANCEL);
                      }});
    EXPECT_STREQ("124", gDocument.edit.line.pabxPrefix);
    EXPECT_EQ(0, std::memcmp(ImageItemValue(gDocument.image, 0x10504), "124", 4));
    EXPECT_EQ(3u, ImageLength(0x10504)) << "the length of the text the image keeps";
}

TEST_F(SettingsSheet, TheNetworkChecksNameTheFieldAndDecideWhatIsSent)
{
    std::vector<std::vector<std::string>> messages;
    std::vector<bool> focus;
    std::vector<std::vector<uint32_t>> lengths;
    auto record = [&](HWND sheet, int control) {
        messages.push_back(TakeMessages());
        // HasFocus waits for the focus: asked only where a refused check put it.
        focus.push_back(control && HasFocus(CurrentPage(sheet), control));
        lengths.push_back({ImageLength(0x10702), ImageLength(0x10704), ImageLength(0x10706),
                           ImageLength(0x10709)});
    };
    RunSheet(window, {[&](HWND sheet) { SelectPage(sheet, NETWORK); },
                      [&](HWND sheet) {
                          SetAddress(CurrentPage(sheet), IDC_NET_IP_ADDRESS, 192, 168, 1, 0);
                          EXPECT_FALSE(SelectPage(sheet, SYSTEM)) << "the network's own address";
                      },
                      [&](HWND sheet) {
                          record(sheet, IDC_NET_IP_ADDRESS);
                          HWND page = CurrentPage(sheet);
                          SetAddress(page, IDC_NET_IP_ADDRESS, 192, 168, 1, 10);
                          SetAddress(page, IDC_NET_SUBNET_MASK, 255, 0, 255, 0);
                          EXPECT_FALSE(SelectPage(sheet, SYSTEM));
                      },
                      [&](HWND sheet) {
                          record(sheet, IDC_NET_SUBNET_MASK);
                          HWND page = CurrentPage(sheet);
                          SetAddress(page, IDC_NET_SUBNET_MASK, 255, 255, 255, 0);
                          SetAddress(page, IDC_NET_GATEWAY, 10, 0, 0, 255);
                          EXPECT_FALSE(SelectPage(sheet, SYSTEM));
                      },
                      [&](HWND sheet) {
                          record(sheet, IDC_NET_GATEWAY);
                          SetAddress(CurrentPage(sheet), IDC_NET_GATEWAY, 192, 168, 1, 254);
                          EXPECT_TRUE(SelectPage(sheet, SYSTEM));
                      },
                      [&](HWND sheet) {
                          record(sheet, 0);
                          Press(sheet, PSBTN_OK);
                      }});
    ASSERT_EQ(4u, messages.size());
    const std::vector<std::string> one = {INVALID_SETTING};
    EXPECT_EQ(one, messages[0]);
    EXPECT_EQ(one, messages[1]) << "a gap in the mask, and no second message for a good address";
    EXPECT_EQ(one, messages[2]);
    EXPECT_TRUE(messages[3].empty());
    EXPECT_TRUE(focus[0]) << "the address has the focus";
    EXPECT_TRUE(focus[1]) << "the mask has the focus";
    EXPECT_TRUE(focus[2]) << "the gateway has the focus";
    EXPECT_EQ(0u, lengths[0][0]) << "a failed address is not sent";
    EXPECT_EQ(0u, lengths[1][1]) << "a failed mask is not sent";
    EXPECT_EQ((std::vector<uint32_t>{4, 4, 0, 4}), lengths[2]);
    EXPECT_EQ((std::vector<uint32_t>{4, 4, 4, 4}), lengths[3]);
    uint8_t gateway[4] = {192, 168, 1, 254};
    EXPECT_EQ(0, std::memcmp(ImageItemValue(gDocument.image, 0x10706), gateway, 4))
        << "stored first octet first, as the device reads it";
    EXPECT_EQ(RESTART_PENDING, gRestartFlag.state);
    EXPECT_EQ(0, gRestartFlag.systemPage) << "the network power-cycle message";
}

TEST_F(SettingsSheet, EveryBoundControlIsInItsTemplate)
{
    RunSheet(window,
             {[&](HWND sheet) { SelectPage(sheet, LINE); },
              [&](HWND sheet) { SelectPage(sheet, NETWORK); },
              [&](HWND sheet) {
                  for (int index : {SYSTEM, LINE, NETWORK}) {
                      HWND page = PropSheet_IndexToHwnd(sheet, index);
                      ASSERT_NE(nullptr, page);
                      const int order = index;  // the board is there: index = order
                      const FormTable& table = SettingsPageDefinition(order).table;
                      ASSERT_GT(table.bindingCount, 0);
                      for (int i = 0; i < table.bindingCount; i++) {
                          const Binding& b = table.bindings[i];
                          for (int k = 0; k < b.buttonCount; k++)
                              EXPECT_NE(nullptr, GetDlgItem(page, b.buttons[k].control))
                                  << b.buttons[k].control;
                          if (b.control) {
                              EXPECT_NE(nullptr, GetDlgItem(page, b.control)) << b.control;
                          }
                          if (b.slider && b.slider->labelControl) {
                              EXPECT_NE(nullptr, GetDlgItem(page, b.slider->labelControl));
                          }
                      }
                      for (int i = 0; i < table.enableCount; i++)
                          for (int k = 0; k < table.enables[i].count; k++)
                              EXPECT_NE(nullptr, GetDlgItem(page, table.enables[i].controls[k]))
                                  << table.enables[i].controls[k];
                  }
                  Press(sheet, PSBTN_CANCEL);
              }});
}

// Ctrl+Tab handed to the sheet the way a Windows sheet's loop does (Wine's passes it only to
// IsDialogMessage). Not through SendInput: that goes to whichever test beside this one has the
// foreground.
void CtrlTab(HWND sheet)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        MSG msg = {};
        msg.hwnd = GetFocus();
        msg.message = message;
        msg.wParam = VK_TAB;
        msg.lParam = message == WM_KEYDOWN ? 1 : static_cast<LPARAM>(0xC0000001);
        if (!PropSheet_IsDialogMessage(sheet, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

TEST_F(SettingsSheet, CtrlTabMovesToTheNextPage)
{
    int after = -1;
    RunSheet(window, {[&](HWND sheet) {
                          WaitFor([sheet] { return IsChild(sheet, GetFocus()) != FALSE; }, sheet);
                          CtrlTab(sheet);
                      },
                      [&](HWND sheet) {
                          after = CurrentPageIndex(sheet);
                          Press(sheet, PSBTN_CANCEL);
                      }});
    EXPECT_EQ(1, after);
}

TEST_F(SettingsSheet, PagesAResourceLibraryLacksComeFromTheProgram)
{
    LoadResourceModule(GetModuleHandleA(nullptr), RESOURCE_LIBRARY_DIR "\\");
    ASSERT_NE(InstanceModule(), ResourceModule()) << "the library was not used";
    int pages = 0;
    bool controls = false;
    RunSheet(window, {[&](HWND sheet) {
                 pages = PageCount(sheet);
                 controls = GetDlgItem(CurrentPage(sheet), IDC_SYS_COUNTRY) != nullptr;
                 Press(sheet, PSBTN_CANCEL);
             }});
    EXPECT_EQ(13, pages);
    EXPECT_TRUE(controls);
}

TEST_F(SettingsSheet, TheCommandShowsTheDeviceItemFirst)
{
    SelectTreeItem(VIEW_SPEED);
    PumpMessages();
    ASSERT_EQ(VIEW_SPEED, gApp.currentView);
    View during = VIEW_SPEED;
    RunSheet(window, {[&](HWND sheet) {
                 during = gApp.currentView;
                 Press(sheet, PSBTN_CANCEL);
             }});
    EXPECT_EQ(VIEW_DEVICE, during);
}

}  // namespace
