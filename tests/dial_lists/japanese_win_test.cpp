// The Japanese program on a Japanese Windows (code page 932): CTest runs this under a Japanese
// locale, in a Wine prefix of its own, since a process of another code page rewrites the
// prefix's font substitutes that the other tests measure with. Elsewhere it skips.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/app_state.h"
#include "ui/ui_win.h"
#include "document/document.h"
#include "document/dial_records.h"
#include "print/print_layout.h"
#include "print/print_render_win.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/dial_lists/dial_lists_harness_win.h"

namespace {

class Japanese : public DialListWindow {
protected:
    HMODULE library = nullptr;
    void* own = nullptr;

    void SetUp() override
    {
        if (GetACP() != 932)
            GTEST_SKIP() << "needs code page 932, not " << GetACP();
        library = LoadLibraryExA(JAPANESE_LIBRARY, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, library) << JAPANESE_LIBRARY;
        Open();
        own = gApp.resourceModule;
        gApp.resourceModule = library;
        gDocument.edit.system.languageSet = 1;  // the device's Japanese character mode
        PutFax(VIEW_QUICK, 0, "\xB1\xB2\xB3 Kyoto", "0755551234", "", "", 0);
        CommitEdits(gDocument);
        RecordMessages();
    }
    void TearDown() override
    {
        if (!library)
            return;
        gApp.resourceModule = own;
        DialListWindow::TearDown();
        FreeLibrary(library);
    }
};

// Half-width katakana are what the device's Japanese mode stores: they stay in the name and
// reach the record as typed; a kanji, which the device cannot show, cuts the name.
TEST_F(Japanese, KatakanaStayInTheNameAndReachTheDeviceAsTyped)
{
    Show(VIEW_QUICK);
    Select(List(), 7);
    std::string name;
    const std::string caption =
        DriveDialog([&] { SendMessageA(window, WM_COMMAND, IDM_ENTRY_PROPERTIES, 0); },
                    [&](HWND d) {
                        name = TypeInto(d, IDC_ENTRY_NAME, "\xC4\xB3\xB7\xAE\xB3\x8A\xBF\xC0");
                        SetDlgItemTextA(d, IDC_ENTRY_FAX_NUMBER, "0312345678");
                        Click(d, IDOK);
                    });
    char title[64];
    LoadStr(IDS_TITLE_QUICK_DIAL, title, sizeof title);
    EXPECT_EQ(0u, caption.find(title)) << "the caption in Japanese: " << caption;
    EXPECT_EQ("\xC4\xB3\xB7\xAE\xB3", name) << "the kanji cuts the name";
    const uint8_t* e = gDocument.edit.quickDial.entries[7];
    EXPECT_EQ(std::string("\xC4\xB3\xB7\xAE\xB3"), std::string(e + 5, e + 10))
        << "the device gets the bytes as typed";
    EXPECT_TRUE(gMessageLog.asked.empty()) << gMessageLog.asked[0].text;
}

// The Quick Dial list in Japanese on a page so narrow that its headings are shortened: the
// title is drawn in its grey band, not a blank page, and no heading is cut between the two
// bytes of a character.
TEST_F(Japanese, TheReportDrawsItsJapaneseTextsShortenedWhole)
{
    const ReportContent report = BuildProgramReport(REPORT_QUICK);
    PageGeometry geometry = PreviewGeometry(DefaultPageGeometry(), 1600000);
    geometry.width = geometry.paperWidth = geometry.width / 3;
    PageBitmap page;
    ASSERT_TRUE(CreatePageBitmap(&page, geometry.width, geometry.height));
    ASSERT_EQ(1, DrawReportPage(page.dc, geometry, report, 0, TodayForReport()));
    ReportLayout layout;
    ASSERT_TRUE(LayoutReportOn(page.dc, geometry, report, &layout));
    int ink = 0;  // dark pixels of the title: its text on the grey band
    for (int y = layout.top; y < layout.top + layout.titleHeight; y++)
        for (int x = layout.left; x < layout.right / 2; x++)
            ink += PageBitmapPixel(page, x, y) < 100;
    EXPECT_GT(ink, 50) << "no title drawn";
    DeletePageBitmap(&page);
}

}  // namespace
