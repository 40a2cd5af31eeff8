// A resource library QVPVX.DLL beside the program replaces menus, dialogs and strings by id,
// while the model profile and the version text still come from the program itself.
#include <gtest/gtest.h>

#include <windows.h>

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
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"

namespace {

std::string MenuItemText(HMENU menu, int position)
{
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST(ResourceLibrary, ReplacesMenusAndStringsButNotTheProfileOrVersion)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ResetAppState(&gApp);
    LoadResourceModule(instance, RESOURCE_LIBRARY_DIR "\\");
    ASSERT_NE(static_cast<void*>(instance), gApp.resourceModule) << "the library was not used";
    EXPECT_EQ(gApp.resourceModule, gApp.resourceLibrary);

    char text[128];
    EXPECT_STREQ("Moravolo", LoadStr(IDS_APP_TITLE, text, sizeof text));
    EXPECT_STREQ("NovaDosiero.Dat", LoadStr(IDS_DEFAULT_DOCUMENT, text, sizeof text));
    EXPECT_STREQ("A4ZRPQ 2A02", LoadOwnStr(IDS_MODEL_PROFILE, text, sizeof text))
        << "the profile comes from the program even when the library has string 5001";
    LoadOwnStr(IDS_VERSION, text, sizeof text);
    EXPECT_EQ(0, strncmp(text, "V2.60", 5)) << "version text: " << text;

    HMENU menu = LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ("&Dosiero", MenuItemText(menu, 0));
    DestroyMenu(menu);
}

TEST(ResourceLibrary, MissingLibraryMeansTheProgramsOwnResources)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ResetAppState(&gApp);
    LoadResourceModule(instance, "C:\\no\\such\\folder\\");
    EXPECT_EQ(static_cast<void*>(instance), gApp.resourceModule);
    EXPECT_EQ(static_cast<void*>(instance), gApp.resourceLibrary);
    char text[128];
    EXPECT_STREQ("Moravel", LoadStr(IDS_APP_TITLE, text, sizeof text));
}

TEST(ResourceLibrary, CaptionComesFromTheLibrary)
{
    StartFrame();
    LoadResourceModule(GetModuleHandleA(nullptr), RESOURCE_LIBRARY_DIR "\\");
    LoadStr(IDS_DEFAULT_DOCUMENT, gDocument.title, sizeof gDocument.title);
    HWND window = OpenMainWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("Moravolo - NovaDosiero.Dat", WindowText(window));
    EXPECT_EQ("&Dosiero", MenuItemText(GetMenu(window), 0));
    CloseTestWindow(window);
}

// The window is created with the library's menu bar, not given it after its first paint.
TEST(ResourceLibrary, TheMainWindowHasTheLibrarysMenuFromItsCreation)
{
    StartFrame();
    LoadResourceModule(GetModuleHandleA(nullptr), RESOURCE_LIBRARY_DIR "\\");
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("&Dosiero", MenuItemText(GetMenu(window), 0));
    CloseTestWindow(window);
}

}
