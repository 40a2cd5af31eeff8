// The main window at the display's scale: its pictures drawn for it, its columns, status bar
// edges and tree pane scaled, a move to a monitor of another scale rescaling it, and a
// high-contrast theme's colours on the one part the program colours itself. The last
// test runs the layout check and the first test again at 144 and 192 DPI, each in a process of
// its own started after the prefix's LogPixels was set (Wine takes the DPI at a process's start).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/layout.h"
#include "document/document.h"
#include "tests/app/frame_harness_win.h"
#include "ui/app_state.h"
#include "ui/dpi_scale.h"
#include "ui/ui_win.h"

namespace {

struct Size {
    int width, height;
};

Size IconSize(void* list)
{
    int w = 0, h = 0;
    ImageList_GetIconSize(static_cast<HIMAGELIST>(list), &w, &h);
    return {w, h};
}

// The size each strip's pictures are drawn at: for 100, 150 and 200 % of 96 DPI.
Size Drawn(bool toolbar, int dpi)
{
    switch (PictureScale(dpi)) {
    case 200:
        return toolbar ? Size{110, 110} : Size{32, 36};
    case 150:
        return toolbar ? Size{83, 83} : Size{24, 27};
    default:
        return toolbar ? Size{55, 55} : Size{16, 18};
    }
}

class Dpi : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, StartFrame());
        window = OpenMainWindow();
        ASSERT_NE(nullptr, window);
        gDocument.dataPresent = 1;
        SendMessageA(window, WM_SIZE, 0, 0);
    }
    void TearDown() override { CloseTestWindow(window); }

    // What the window shows against what its DPI asks for.
    void ExpectScaledTo(int dpi)
    {
        const Size tool = Drawn(true, dpi), tree = Drawn(false, dpi);
        EXPECT_EQ(tool.width, IconSize(gApp.toolbarImages).width) << dpi;
        EXPECT_EQ(tool.height, IconSize(gApp.toolbarDisabledImages).height) << dpi;
        EXPECT_EQ(tree.width, IconSize(gApp.treeImages).width) << dpi;
        EXPECT_EQ(tree.height, IconSize(gApp.treeImages).height) << dpi;
        const DWORD button = static_cast<DWORD>(
            SendMessageA(static_cast<HWND>(gApp.toolbar), TB_GETBUTTONSIZE, 0, 0));
        EXPECT_GE(LOWORD(button), tool.width) << dpi;
        EXPECT_LT(LOWORD(button), tool.width + ScaleToDpi(16, dpi)) << dpi;

        HWND list = static_cast<HWND>(gApp.dialList);
        EXPECT_NEAR(ScaleToDpi(100, dpi), SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 1)
            << "the Name column, 100 pixels at 96 DPI";
        RECT client;
        GetClientRect(window, &client);
        int expected[STATUS_PARTS], edges[STATUS_PARTS] = {};
        ComputeStatusEdges(client.right, expected, dpi);
        SendMessageA(static_cast<HWND>(gApp.statusBar), SB_GETPARTS, STATUS_PARTS,
                     reinterpret_cast<LPARAM>(edges));
        for (int i = 0; i < STATUS_PARTS - 1; i++)
            EXPECT_EQ(expected[i], edges[i]) << "part " << i << " at " << dpi;
    }

    HWND window = nullptr;
};

TEST_F(Dpi, TheMainWindowIsScaledToTheDisplay)
{
    const int dpi = WindowDpi(window);
    EXPECT_EQ(dpi, gApp.dpi);
    ExpectScaledTo(dpi);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(ScaleToDpi(600, dpi), outer.right - outer.left);
}

TEST_F(Dpi, AMoveToAnotherScaleRescalesEverything)
{
    const int from = gApp.dpi, to = from == 144 ? 192 : 144;
    const int tree = gApp.treePaneWidth;
    ASSERT_GT(tree, 0);
    RECT suggested = {40, 30, 40 + ScaleToDpi(600, to), 30 + ScaleToDpi(400, to)};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    EXPECT_EQ(to, gApp.dpi);
    ExpectScaledTo(to);
    EXPECT_EQ(RescaleSize(tree, from, to), gApp.treePaneWidth) << "the tree keeps its share";
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(suggested.left, outer.left);
    EXPECT_EQ(suggested.right - suggested.left, outer.right - outer.left);
    EXPECT_EQ(suggested.bottom - suggested.top, outer.bottom - outer.top);
}

TEST_F(Dpi, AHighContrastThemeColoursTheConnectionPanel)
{
    HWND panel = static_cast<HWND>(gApp.connectionPanel);
    HWND text = GetWindow(panel, GW_CHILD);
    HDC dc = GetDC(text);
    OverrideHighContrast(1);
    SendMessageA(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    const LRESULT themed = SendMessageA(panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(text));
    const COLORREF ink = GetTextColor(dc);
    OverrideHighContrast(0);
    const LRESULT plain = SendMessageA(panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(text));
    OverrideHighContrast(-1);
    ReleaseDC(text, dc);
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)), themed);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), ink);
    EXPECT_NE(themed, plain) << "without the theme the panel keeps its own colour";
}

// Sets the prefix's DPI for the processes started while it lives.
class LogPixels {
public:
    explicit LogPixels(DWORD dpi) { Set(dpi); }
    ~LogPixels() { Set(96); }

private:
    static void Set(DWORD dpi)
    {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
        RegCloseKey(key);
    }
};

// Runs a command line to its end; its exit code, or -1 when it did not start.
int RunToEnd(std::string command)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return -1;
    WaitForSingleObject(info.hProcess, 90000);
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<int>(code);
}

TEST(AtEveryScale, TheLayoutCheckAndTheScalingHold)
{
    if (WindowDpi(nullptr) != 96)
        GTEST_SKIP() << "run by the test at 96 DPI only";
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    for (DWORD dpi : {144u, 192u}) {
        LogPixels scale(dpi);
        EXPECT_EQ(0, RunToEnd(std::string("\"") + LAYOUT_TEST + "\"")) << "layout check at " << dpi;
        EXPECT_EQ(0, RunToEnd(std::string("\"") + self + "\" --gtest_filter=Dpi.*"))
            << "scaling at " << dpi;
    }
}

}  // namespace
