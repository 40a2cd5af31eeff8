// The A3 family program: its own profile string names the A3 family with two product ids, and
// the files it looks for next to it carry the A3 names.
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

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(A3Program, ProfileFilesAndColumns)
{
    char profile[128] = "";
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDS_MODEL_PROFILE, profile, sizeof profile),
              0);
    StartFrame(profile);
    EXPECT_EQ(MODEL_A3, gApp.model) << "profile: " << profile;
    EXPECT_EQ(0x2A02u, gApp.acceptedProductIds[0]) << "the built profile's product id";

    char path[MAX_PATH];
    EXPECT_TRUE(EndsWith(BackupPath(path, sizeof path), "\\A3SPVX.BAK")) << path;
    EXPECT_TRUE(EndsWith(HelpFilePath("HLP", path, sizeof path), "\\A3SPVX.HLP")) << path;

    HWND window = OpenMainWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(10, ListColumnCount(static_cast<HWND>(gApp.dialList)));
    char header[64];
    EXPECT_STRNE("", LoadStr(IDS_COL_OPTION1, header, sizeof header))
        << "the A3 program has texts of its own for the option columns";
    CloseTestWindow(window);
}

}
