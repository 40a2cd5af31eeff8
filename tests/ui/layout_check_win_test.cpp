// The "no text cut, no overlap" check over the main window, every dialog and page the program
// has, and the A3 family's resource library: each form created hidden from its own template,
// every control measured in its own font at the prefix's DPI (its LogPixels value).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "ui/dialog_template.h"
#include "ui/layout_check.h"
#include "ui/layout_check_win.h"
#include "tests/app/frame_harness_win.h"
#include "tests/ui/dialog_resources_win.h"

namespace {

TEST(LayoutCheck, EveryFormOfTheProgramFits)
{
    RegisterOwnClasses();
    int forms = 0;
    const std::string faults = LayoutFaultsOfForms(GetModuleHandleA(nullptr), &forms);
    EXPECT_GE(forms, 25) << "the program's dialogs were not all found";
    EXPECT_EQ("", faults);
}

// The panes, toolbar and status bar as the frame lays them out at its first size.
TEST(LayoutCheck, TheMainWindowFits)
{
    ASSERT_EQ(1, StartFrame());
    HWND window = OpenMainWindow();
    ASSERT_NE(nullptr, window);
    RECT outer;
    GetWindowRect(window, &outer);
    std::string faults;
    for (const LayoutFault& f : CheckLayout(MeasureLayout(window), outer.right - outer.left,
                                            outer.bottom - outer.top, ScreenWidthAtDpi(), ScreenHeightAtDpi()))
        faults += DescribeLayoutFault(f) + "\n";
    EXPECT_EQ("", faults);
    CloseTestWindow(window);
}

TEST(LayoutCheck, EveryFormOfTheA3LibraryFits)
{
    RegisterOwnClasses();
    HMODULE library = LoadLibraryA(A3_LIBRARY);
    ASSERT_NE(nullptr, library) << A3_LIBRARY;
    int forms = 0;
    const std::string faults = LayoutFaultsOfForms(library, &forms);
    EXPECT_GE(forms, 25) << "the library's dialogs were not all found";
    EXPECT_EQ("", faults);
    FreeLibrary(library);
}

}  // namespace
