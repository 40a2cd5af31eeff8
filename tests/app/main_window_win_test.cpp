// The real main window from the real resources: caption, children, columns, panes, layout.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "document/document.h"
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
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
    void Open(const char* profile = "A4ZRPQ 2A02")
    {
        StartFrame(profile);
        window = OpenMainWindow();
        ASSERT_NE(nullptr, window) << "the main window was not created";
    }
    void TearDown() override { CloseTestWindow(window); }

    // Pretends data arrived, the way a download or Open will: lists and tree usable.
    void WithData()
    {
        gDocument.dataPresent = 1;
        EnableWindow(static_cast<HWND>(gApp.tree), TRUE);
        EnableWindow(static_cast<HWND>(gApp.dialList), TRUE);
        RefreshUiState();
    }

    HWND List() const { return static_cast<HWND>(gApp.dialList); }

    HWND window = nullptr;
};

TEST_F(MainWindow, CaptionClassAndChildren)
{
    Open();
    EXPECT_EQ("Moravel - NewFile.Dat", WindowText(window));
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    EXPECT_STREQ("PVX", cls);
    for (int id : {IDC_TOOLBAR, IDC_STATUSBAR, IDC_TREE, IDC_DIALLIST, IDC_MEMBERLIST})
        EXPECT_NE(nullptr, GetDlgItem(window, id)) << "child " << id << " missing";

    HWND toolbar = GetDlgItem(window, IDC_TOOLBAR);
    EXPECT_EQ(11, SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0)) << "7 buttons and 4 separators";
    const int order[] = {
        IDM_CONNECT, IDM_DISCONNECT,      0, IDM_UPLOAD, IDM_DOWNLOAD, 0, IDM_OPEN, IDM_SAVE,
        0,           IDM_DEVICE_SETTINGS, 0};
    for (int i = 0; i < 11; i++) {
        TBBUTTON button = {};
        SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(order[i], button.idCommand) << "toolbar position " << i;
    }
    HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    EXPECT_EQ(7, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0)) << "one tip per button";
}

// Another program may post a command before the window's own WM_COMPLETE_FRAME arrives.
TEST_F(MainWindow, ACommandBeforeTheLastPartsAreMadeMakesThemFirst)
{
    StartFrame();
    window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(nullptr, GetDlgItem(window, IDC_DIALLIST)) << "made only after the first paint";
    gDocument.dataPresent = 1;
    SendMessageA(window, WM_COMMAND, IDM_VIEW_QUICK, 0);
    EXPECT_EQ(static_cast<uint32_t>(VIEW_QUICK), gApp.currentView);
    EXPECT_TRUE(IsShown(gApp.dialList));
}

TEST_F(MainWindow, IsCentredOnTheScreenAt600By400)
{
    Open();
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(600, r.right - r.left);
    EXPECT_EQ(400, r.bottom - r.top);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 600) / 2, r.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 400) / 2, r.top);
}

TEST_F(MainWindow, StatusPartsFollowTheClientWidth)
{
    Open();
    SetClientSize(window, 600, 350);
    int edges[6] = {};
    HWND status = GetDlgItem(window, IDC_STATUSBAR);
    ASSERT_EQ(6, SendMessageA(status, SB_GETPARTS, 6, reinterpret_cast<LPARAM>(edges)));
    const int expected[6] = {160, 320, 420, 480, 540, 600};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(expected[i], edges[i]) << "status part " << i;
    char text[64] = "";
    SendMessageA(status, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Moravel", text);
}

TEST_F(MainWindow, A4HasSixDialColumnsA3Ten)
{
    Open("A4ZRPQ 2A02");
    EXPECT_EQ(6, ListColumnCount(List()));
    const char* headers[] = {"No.", "Name", "Destination", "SUB", "SID", "Transmission Speed"};
    const int widths[] = {50, 100, 140, 100, 80, 80};
    for (int i = 0; i < 6; i++) {
        EXPECT_EQ(headers[i], ListColumnText(List(), i)) << "column " << i;
        EXPECT_EQ(widths[i], SendMessageA(List(), LVM_GETCOLUMNWIDTH, i, 0)) << "column " << i;
    }
    CloseTestWindow(window);

    Open("A3ZRPQ 2A02 2A03");
    EXPECT_EQ(10, ListColumnCount(List()));
    EXPECT_EQ(100, SendMessageA(List(), LVM_GETCOLUMNWIDTH, 8, 0)) << "column 8 at creation";
}

TEST_F(MainWindow, GroupViewKeepsNumberAndNameAndSwitchingBackRestores)
{
    Open("A3ZRPQ 2A02 2A03");
    WithData();
    SelectTreeItem(VIEW_GROUP);
    PumpMessages();
    EXPECT_EQ(static_cast<uint32_t>(VIEW_GROUP), gApp.currentView);
    ASSERT_EQ(2, ListColumnCount(List()));
    EXPECT_EQ("No.", ListColumnText(List(), 0));
    EXPECT_EQ("Name", ListColumnText(List(), 1));
    EXPECT_TRUE(IsShown(gApp.memberList)) << "the member list shows beside the groups";
    EXPECT_FALSE(IsShown(gApp.connectionPanel));

    SelectTreeItem(VIEW_SPEED);
    PumpMessages();
    ASSERT_EQ(10, ListColumnCount(List()));
    EXPECT_EQ("Destination", ListColumnText(List(), 2));
    EXPECT_EQ("Transmission Speed", ListColumnText(List(), 5));
    EXPECT_EQ(80, SendMessageA(List(), LVM_GETCOLUMNWIDTH, 8, 0)) << "re-inserted column 8";
    EXPECT_EQ(140, SendMessageA(List(), LVM_GETCOLUMNWIDTH, 2, 0));
    EXPECT_FALSE(IsShown(gApp.memberList));

    SelectTreeItem(VIEW_QUICK);
    PumpMessages();
    EXPECT_EQ(10, ListColumnCount(List())) << "quick after speed inserts nothing twice";
}

// The main window is no dialog: Tab, F6 and Shift+Tab are the keyboard's way between the tree
// and the lists shown, a hidden member list is no stop.
TEST_F(MainWindow, TabAndF6MoveBetweenTheTreeAndTheListsShown)
{
    Open();
    WithData();
    HWND tree = static_cast<HWND>(gApp.tree), members = static_cast<HWND>(gApp.memberList);
    const auto press = [](HWND from, WPARAM key, bool shift) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageA(from, WM_KEYDOWN, key, 0);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        return GetFocus();
    };
    SelectTreeItem(VIEW_QUICK);
    PumpMessages();
    SetFocus(tree);
    EXPECT_EQ(List(), press(tree, VK_TAB, false));
    EXPECT_EQ(tree, press(List(), VK_F6, false)) << "the hidden member list is no stop";
    EXPECT_EQ(List(), press(tree, VK_TAB, true));

    SelectTreeItem(VIEW_GROUP);
    PumpMessages();
    SetFocus(List());
    EXPECT_EQ(members, press(List(), VK_TAB, false));
    EXPECT_EQ(List(), press(members, VK_TAB, true));
}

TEST_F(MainWindow, TreeKeepsOneThirdOfTheFirstLayoutWhenMaximised)
{
    Open();
    WithData();
    RECT client;
    GetClientRect(window, &client);
    const int first = gApp.treePaneWidth;
    EXPECT_EQ(client.right / 3, first);

    ShowWindow(window, SW_MAXIMIZE);
    PumpMessages();
    RECT maximised;
    GetClientRect(window, &maximised);
    ASSERT_GT(maximised.right, client.right) << "the window did not grow";
    EXPECT_EQ(first, gApp.treePaneWidth);
    RECT tree;
    GetWindowRect(static_cast<HWND>(gApp.tree), &tree);
    EXPECT_EQ(first - 2, tree.right - tree.left);
}

TEST_F(MainWindow, PanelReadsTheConnectionStateNeverTheTemplate)
{
    Open();
    HWND text = GetDlgItem(static_cast<HWND>(gApp.connectionPanel), IDC_CONNECTION_TEXT);
    EXPECT_EQ("Connection : Offline", WindowText(text));
    EXPECT_TRUE(IsShown(gApp.connectionPanel));
    EXPECT_FALSE(IsShown(gApp.tree)) << "no data: the tree is hidden";
    EXPECT_FALSE(IsShown(gApp.dialList));

    gApp.connected = 1;
    ShowConnectionText();
    EXPECT_EQ("Connection : Online", WindowText(text));

    WithData();
    SelectTreeItem(VIEW_QUICK);
    SelectTreeItem(VIEW_DEVICE);
    PumpMessages();
    EXPECT_TRUE(IsShown(gApp.connectionPanel));
    EXPECT_FALSE(IsShown(gApp.dialList));
    EXPECT_EQ(static_cast<uint32_t>(VIEW_DEVICE), gApp.currentView);
}

TEST_F(MainWindow, TreeHoldsTheDeviceAndItsThreeLists)
{
    Open();
    HWND tree = static_cast<HWND>(gApp.tree);
    EXPECT_EQ(4, SendMessageA(tree, TVM_GETCOUNT, 0, 0));
    HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    HTREEITEM child = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
    const char* names[] = {"Quick Dial List", "Speed Dial List", "Group List"};
    for (int i = 0; i < 3; i++) {
        ASSERT_NE(nullptr, child) << "list item " << i;
        char text[64] = "";
        TVITEMA item = {};
        item.mask = TVIF_TEXT | TVIF_PARAM;
        item.hItem = child;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(names[i], text);
        EXPECT_EQ(i + 1, item.lParam);
        child = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    SetDeviceItemText("Front office MFP");
    char text[64] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = root;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ("Front office MFP", text);
}

}
