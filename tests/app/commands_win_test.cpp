// Commands through the real window and menus: enabling in each state, the context menus, About,
// Help Topics and the lock indicators.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/commands_win.h"
#include "app/frame_win.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "app/program_win.h"
#include "app/startup_win.h"
#include "app/ui_state_win.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "ui/app_state.h"
#include "ui/file_dialog_win.h"
#include "ui/frame_seam_win.h"
#include "ui/pictures_win.h"
#include "ui/ui_win.h"

namespace {

bool MenuItemEnabled(HMENU menu, int command)
{
    UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    EXPECT_NE(static_cast<UINT>(-1), state) << "command " << command << " is not in the menu";
    return !(state & (MF_GRAYED | MF_DISABLED));
}

class Commands : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartFrame();
        window = OpenMainWindow();
        ASSERT_NE(nullptr, window);
        menu = GetMenu(window);
        ASSERT_NE(nullptr, menu);
    }
    void TearDown() override
    {
        SetPopupHook(nullptr);
        SetHelpOpener(nullptr);
        CloseTestWindow(window);
    }
    void Refresh()
    {
        SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
        PumpMessages();
    }
    bool ButtonEnabled(int command)
    {
        return SendMessageA(GetDlgItem(window, IDC_TOOLBAR), TB_ISBUTTONENABLED, command, 0) != 0;
    }
    void Command(int id) { SendMessageA(window, WM_COMMAND, id, 0); }

    HWND window = nullptr;
    HMENU menu = nullptr;
};

TEST_F(Commands, RightAfterStartOnlyConnectAndOpen)
{
    Refresh();
    EXPECT_TRUE(MenuItemEnabled(menu, IDM_CONNECT));
    EXPECT_TRUE(ButtonEnabled(IDM_CONNECT));
    EXPECT_TRUE(MenuItemEnabled(menu, IDM_OPEN));
    EXPECT_TRUE(ButtonEnabled(IDM_OPEN));
    EXPECT_TRUE(MenuItemEnabled(menu, IDM_EXIT));
    EXPECT_TRUE(MenuItemEnabled(menu, IDM_ABOUT));
    for (int id : {IDM_DISCONNECT, IDM_DOWNLOAD, IDM_UPLOAD, IDM_SAVE, IDM_SAVE_AS, IDM_PRINT,
                   IDM_PRINT_PREVIEW, IDM_DEVICE_SETTINGS, IDM_TOTAL_COUNTER, IDM_DEVICE_INFO,
                   IDM_PROPERTIES, IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE, IDM_VIEW_QUICK,
                   IDM_VIEW_SPEED, IDM_VIEW_GROUP})
        EXPECT_FALSE(MenuItemEnabled(menu, id)) << "menu command " << id << " should be grayed";
    for (int id : {IDM_DISCONNECT, IDM_DOWNLOAD, IDM_UPLOAD, IDM_SAVE, IDM_DEVICE_SETTINGS})
        EXPECT_FALSE(ButtonEnabled(id)) << "button " << id << " should be disabled";
}

TEST_F(Commands, ConnectedWithoutDataOffersDownloadNotUpload)
{
    gApp.connected = 1;
    Refresh();
    EXPECT_TRUE(MenuItemEnabled(menu, IDM_DOWNLOAD));
    EXPECT_TRUE(ButtonEnabled(IDM_DOWNLOAD));
    EXPECT_FALSE(MenuItemEnabled(menu, IDM_UPLOAD));
    EXPECT_FALSE(ButtonEnabled(IDM_UPLOAD));
    EXPECT_FALSE(MenuItemEnabled(menu, IDM_CONNECT));
    EXPECT_FALSE(ButtonEnabled(IDM_CONNECT));
    EXPECT_TRUE(MenuItemEnabled(menu, IDM_DISCONNECT));
}

TEST_F(Commands, DataOfflineKeepsSavePrintAndSettings)
{
    gDocument.dataPresent = 1;
    Refresh();
    for (int id : {IDM_SAVE, IDM_SAVE_AS, IDM_PRINT, IDM_PRINT_PREVIEW, IDM_DEVICE_SETTINGS,
                   IDM_TOTAL_COUNTER, IDM_DEVICE_INFO, IDM_VIEW_QUICK, IDM_PROPERTIES})
        EXPECT_TRUE(MenuItemEnabled(menu, id)) << "menu command " << id;
    EXPECT_TRUE(ButtonEnabled(IDM_SAVE));
    EXPECT_TRUE(ButtonEnabled(IDM_DEVICE_SETTINGS));
    EXPECT_FALSE(MenuItemEnabled(menu, IDM_UPLOAD));
    EXPECT_FALSE(MenuItemEnabled(menu, IDM_DOWNLOAD));
    EXPECT_FALSE(ButtonEnabled(IDM_UPLOAD));
    EXPECT_FALSE(ButtonEnabled(IDM_DOWNLOAD));
    EXPECT_TRUE(IsShown(gApp.tree));
}

TEST_F(Commands, PropertiesIsNeverGrayedAgainOnceEnabled)
{
    Refresh();
    EXPECT_FALSE(MenuItemEnabled(menu, IDM_PROPERTIES)) << "grayed in the template";
    gDocument.dataPresent = 1;
    Refresh();
    EXPECT_TRUE(MenuItemEnabled(menu, IDM_PROPERTIES));
    gDocument.dataPresent = 0;
    Refresh();
    EXPECT_TRUE(MenuItemEnabled(menu, IDM_PROPERTIES));
}

TEST_F(Commands, ViewCommandsSwitchTheList)
{
    gDocument.dataPresent = 1;
    Refresh();
    Command(IDM_VIEW_SPEED);
    EXPECT_EQ(static_cast<uint32_t>(VIEW_SPEED), gApp.currentView);
    EXPECT_TRUE(IsShown(gApp.dialList));
    Command(IDM_VIEW_GROUP);
    EXPECT_EQ(static_cast<uint32_t>(VIEW_GROUP), gApp.currentView);
    EXPECT_TRUE(IsShown(gApp.memberList));
    Command(IDM_VIEW_QUICK);
    EXPECT_EQ(static_cast<uint32_t>(VIEW_QUICK), gApp.currentView);
    EXPECT_FALSE(IsShown(gApp.memberList));
}

// ---- context menus -----------------------------------------------------------------------

struct PopupSeen {
    int calls = 0;
    bool panelShown = false;
    bool listShown = false;
    uint32_t view = 99;
    std::vector<std::pair<int, bool>> items;  // command, enabled
};
PopupSeen gSeen;

void RecordPopup(HMENU popup, POINT)
{
    gSeen.calls++;
    gSeen.panelShown = IsShown(gApp.connectionPanel);
    gSeen.listShown = IsShown(gApp.dialList);
    gSeen.view = gApp.currentView;
    for (int i = 0; i < GetMenuItemCount(popup); i++) {
        UINT id = GetMenuItemID(popup, i);
        if (id != static_cast<UINT>(-1) && id != 0)
            gSeen.items.push_back(
                {static_cast<int>(id), !(GetMenuState(popup, i, MF_BYPOSITION) & MF_GRAYED)});
    }
}

bool SeenEnabled(int command)
{
    for (auto& item : gSeen.items)
        if (item.first == command)
            return item.second;
    ADD_FAILURE() << "command " << command << " not in the popup";
    return false;
}

// Screen point on the picture of the tree item for view (the device's label may be empty).
POINT TreeItemPoint(HWND tree, int view)
{
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    if (view > 0) {
        item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        for (int i = 1; i < view; i++)
            item = reinterpret_cast<HTREEITEM>(
                SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    RECT r = {};
    std::memcpy(&r, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    POINT p = {r.left - 8, (r.top + r.bottom) / 2};
    ClientToScreen(tree, &p);
    return p;
}

void RightClick(HWND window, POINT screen)
{
    SendMessageA(window, WM_CONTEXTMENU, 0, MAKELPARAM(screen.x, screen.y));
    PumpMessages();
}

TEST_F(Commands, DeviceMenuSwitchesBackToTheDeviceFirst)
{
    gDocument.dataPresent = 1;
    Refresh();
    Command(IDM_VIEW_QUICK);
    ASSERT_TRUE(IsShown(gApp.dialList));
    gSeen = PopupSeen();
    SetPopupHook(RecordPopup);
    POINT p = TreeItemPoint(static_cast<HWND>(gApp.tree), VIEW_DEVICE);
    RightClick(window, p);
    ASSERT_EQ(1, gSeen.calls) << p.x << "," << p.y << "the device item shows its menu";
    EXPECT_TRUE(gSeen.panelShown) << "the panel is back before the menu shows";
    EXPECT_FALSE(gSeen.listShown);
    EXPECT_EQ(static_cast<uint32_t>(VIEW_DEVICE), gSeen.view);
    EXPECT_TRUE(SeenEnabled(IDM_CONNECT)) << "offline";
    EXPECT_FALSE(SeenEnabled(IDM_DISCONNECT));
    EXPECT_FALSE(SeenEnabled(IDM_CTX_DOWNLOAD));
    EXPECT_FALSE(SeenEnabled(IDM_CTX_UPLOAD));
    EXPECT_TRUE(SeenEnabled(IDM_PROPERTIES));

    gApp.connected = 1;
    gSeen = PopupSeen();
    RightClick(window, TreeItemPoint(static_cast<HWND>(gApp.tree), VIEW_DEVICE));
    EXPECT_FALSE(SeenEnabled(IDM_CONNECT)) << "online";
    EXPECT_TRUE(SeenEnabled(IDM_DISCONNECT));
    EXPECT_TRUE(SeenEnabled(IDM_CTX_DOWNLOAD));
    EXPECT_TRUE(SeenEnabled(IDM_CTX_UPLOAD));
}

TEST_F(Commands, TheMenuKeyOpensTheMenuOfTheFocusedItem)
{
    gDocument.dataPresent = 1;
    Refresh();
    HWND tree = static_cast<HWND>(gApp.tree);
    EnableWindow(tree, TRUE);
    SelectTreeItem(VIEW_DEVICE);
    SetFocus(tree);
    gSeen = PopupSeen();
    SetPopupHook(RecordPopup);
    SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree), MAKELPARAM(-1, -1));
    EXPECT_EQ(1, gSeen.calls) << "Shift+F10 on the device shows its menu";
}

TEST_F(Commands, ListItemInTheTreeShowsItsListAndNoMenu)
{
    gDocument.dataPresent = 1;
    Refresh();
    gSeen = PopupSeen();
    SetPopupHook(RecordPopup);
    RightClick(window, TreeItemPoint(static_cast<HWND>(gApp.tree), VIEW_SPEED));
    EXPECT_EQ(0, gSeen.calls);
    EXPECT_EQ(static_cast<uint32_t>(VIEW_SPEED), gApp.currentView);
    EXPECT_TRUE(IsShown(gApp.dialList));
}

TEST_F(Commands, RowMenuOnAnEmptyRowOffersOnlyPropertiesAndPasteFromAFilledClipboard)
{
    gDocument.dataPresent = 1;
    Refresh();
    Command(IDM_VIEW_SPEED);
    HWND list = static_cast<HWND>(gApp.dialList);
    if (SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 0)
        GTEST_SKIP() << "the dial list has no rows yet";
    RECT r = {LVIR_LABEL, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
    POINT p = {r.left + 5, (r.top + r.bottom) / 2};
    ClientToScreen(list, &p);

    gSeen = PopupSeen();
    SetPopupHook(RecordPopup);
    gApp.speedClipSource = 7;
    RightClick(window, p);
    ASSERT_EQ(1, gSeen.calls);
    EXPECT_EQ(3, gApp.currentRow) << "the row under the click becomes current";
    EXPECT_TRUE(SeenEnabled(IDM_ENTRY_PROPERTIES));
    EXPECT_FALSE(SeenEnabled(IDM_CUT));
    EXPECT_FALSE(SeenEnabled(IDM_COPY));
    EXPECT_FALSE(SeenEnabled(IDM_DELETE));
    EXPECT_TRUE(SeenEnabled(IDM_PASTE));
}

// ---- About, Help, lock indicators -----------------------------------------------------------

std::string gAboutVersion, gAboutName;
HHOOK gCbt = nullptr;

LRESULT CALLBACK AnswerAbout(int code, WPARAM wParam, LPARAM lParam)
{
    char cls[16] = "";
    GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
    if (code == HCBT_ACTIVATE && lstrcmpA(cls, "#32770") == 0) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        char text[128] = "";
        GetDlgItemTextA(dialog, IDC_ABOUT_VERSION, text, sizeof text);
        gAboutVersion = text;
        GetDlgItemTextA(dialog, IDC_ABOUT_NAME, text, sizeof text);
        gAboutName = text;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(gCbt, code, wParam, lParam);
}

TEST_F(Commands, AboutShowsTheProgramsOwnVersion)
{
    gCbt = SetWindowsHookExA(WH_CBT, AnswerAbout, nullptr, GetCurrentThreadId());
    Command(IDM_ABOUT);
    UnhookWindowsHookEx(gCbt);
    EXPECT_EQ(0u, gAboutVersion.find("V2.60")) << "version text: " << gAboutVersion;
    EXPECT_EQ("Moravel", gAboutName);
}

std::string gOpened;
int gOldViewer = -1;
int RecordHelp(const char* path, int oldViewer)
{
    gOpened = path;
    gOldViewer = oldViewer;
    return 1;
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(Commands, HelpTopicsOpensTheManualOrTheOldHelpFile)
{
    SetHelpOpener(RecordHelp);
    char hlp[MAX_PATH];
    HelpFilePath("HLP", hlp, sizeof hlp);
    DeleteFileA(hlp);
    gOpened.clear();
    Command(IDM_HELP_TOPICS);
    EXPECT_TRUE(EndsWith(gOpened, "\\QVPVX.html")) << "opened: " << gOpened;
    EXPECT_EQ(0, gOldViewer);

    HANDLE f = CreateFileA(hlp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    CloseHandle(f);
    Command(IDM_HELP_TOPICS);
    DeleteFileA(hlp);
    EXPECT_TRUE(EndsWith(gOpened, "\\QVPVX.HLP")) << "A4 opens QVPVX.HLP: " << gOpened;
    EXPECT_EQ(1, gOldViewer);
}

void SetToggle(int key, bool on)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = on ? 1 : 0;
    SetKeyboardState(keys);
}

TEST_F(Commands, LockIndicatorsFollowTheKeys)
{
    HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCEL));
    ASSERT_NE(nullptr, accelerators) << "the program has its own accelerator table";
    struct Case {
        int key, part;
        const char* text;
    } cases[] = {{VK_CAPITAL, 3, "CAPS"}, {VK_NUMLOCK, 4, "NUM"}, {VK_SCROLL, 5, "SCRL"}};
    for (const Case& c : cases) {
        for (bool on : {true, false}) {
            SetToggle(c.key, on);
            MSG msg = {window, WM_KEYDOWN, static_cast<WPARAM>(c.key), 1, 0, {0, 0}};
            EXPECT_TRUE(TranslateAcceleratorA(window, accelerators, &msg))
                << "key " << c.key << " is bound";
            PumpMessages();
            EXPECT_EQ(on ? c.text : " ", StatusText(window, c.part)) << "key " << c.key;
        }
    }
    DestroyAcceleratorTable(accelerators);
}

}
