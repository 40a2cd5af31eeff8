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

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The smallest screen the program is made for, 1024 x 768 at 96 DPI, at the prefix's DPI.
int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}
int ScreenWidth() { return MulDiv(1024, ScreenDpi(), 96); }
int ScreenHeight() { return MulDiv(768, ScreenDpi(), 96); }

// A control by its id and, when it has one, its text as the template holds it.
std::string Name(const DialogTemplate& form, int index, int id)
{
    std::string name = std::to_string(id);
    if (index >= 0 && static_cast<size_t>(index) < form.controls.size()) {
        const std::u16string& text = form.controls[static_cast<size_t>(index)].text;
        if (!text.empty())
            name += " \"" + std::string(text.begin(), text.end()) + "\"";
    }
    return name;
}

// Every fault of every form of `module`, one line each; `forms` counts the forms checked.
std::string CheckForms(HMODULE module, int* forms)
{
    return WalkForms(module, forms, [module](int id, const uint8_t* bytes, size_t size,
                                             const DialogTemplate& form, std::ostream& report) {
        std::vector<uint8_t> copy = AsHiddenPopup(bytes, size);
        HWND dialog = copy.empty() ? nullptr
                                   : CreateDialogIndirectParamA(
                                         module, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()),
                                         nullptr, QuietDialogProc, 0);
        if (!dialog) {
            report << "dialog " << id << ": not created (error " << GetLastError() << ")\n";
            return false;
        }
        RECT outer;
        GetWindowRect(dialog, &outer);
        const std::vector<LayoutFault> faults =
            CheckLayout(MeasureLayout(dialog), outer.right - outer.left, outer.bottom - outer.top,
                        ScreenWidth(), ScreenHeight());
        for (const LayoutFault& f : faults)
            report << "dialog " << id << ", " << DescribeLayoutFault(f) << " ("
                   << Name(form, f.index, f.id)
                   << (f.otherIndex >= 0 ? " / " + Name(form, f.otherIndex, f.otherId) : "")
                   << ")\n";
        DestroyWindow(dialog);
        return true;
    });
}

TEST(LayoutCheck, EveryFormOfTheProgramFits)
{
    RegisterOwnClasses();
    int forms = 0;
    const std::string faults = CheckForms(GetModuleHandleA(nullptr), &forms);
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
                                            outer.bottom - outer.top, ScreenWidth(), ScreenHeight()))
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
    const std::string faults = CheckForms(library, &forms);
    EXPECT_GE(forms, 25) << "the library's dialogs were not all found";
    EXPECT_EQ("", faults);
    FreeLibrary(library);
}

}  // namespace
