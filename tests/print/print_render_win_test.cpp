// Report pages drawn by the one drawing function onto a DIB section at a printer's resolution,
// checked as a reader would look at them: each text in its cell (compared with the same text
// drawn alone), the shaded rows, the title box, and nothing outside the margins.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ui/app_state.h"
#include "print/print_render_win.h"
#include "tests/dial_lists/dial_lists_harness_win.h"

namespace {

const ReportDate DATE = {2024, 5, 17};

class PrintRender : public DialListWindow {
protected:
    void SetUp() override
    {
        Open();
        geometry = DefaultPageGeometry();  // A4 at 300 dpi
        ASSERT_EQ(1, CreatePageBitmap(&page, geometry.width, geometry.height));
        ASSERT_EQ(1, CreatePageBitmap(&alone, geometry.width, geometry.height));
    }
    void TearDown() override
    {
        DeletePageBitmap(&page);
        DeletePageBitmap(&alone);
        DialListWindow::TearDown();
    }

    // Draws page `index` of report and lays it out the same way.
    int Draw(const ReportContent& report, int index)
    {
        EXPECT_EQ(1, LayoutReportOn(page.dc, geometry, report, &layout));
        return DrawReportPage(page.dc, geometry, report, index, DATE);
    }

    // Draws `text` alone in `font` at (x, y) on a background of `grey`, and tells whether the
    // page shows exactly those pixels in the text's box; `why` says where it differs.
    bool ShowsText(const std::string& text, int font, int x, int y, int grey, std::string* why)
    {
        RECT all = {0, 0, alone.width, alone.height};
        HBRUSH background = CreateSolidBrush(RGB(grey, grey, grey));
        FillRect(alone.dc, &all, background);
        DeleteObject(background);
        ReportFonts fonts;
        if (!OpenReportFonts(&fonts, alone.dc, geometry.dpiX)) {
            *why = "no fonts";
            return false;
        }
        const TextMeasure m = MeasureWith(&fonts);
        const int width = m.width(m.context, font, text.c_str());
        const int height = m.lineHeight(m.context, font);
        SetBkMode(alone.dc, TRANSPARENT);
        SetTextColor(alone.dc, RGB(0, 0, 0));
        SelectObject(alone.dc, fonts.fonts[font]);
        DrawMeasuredText(alone.dc, x, y, text.c_str());
        CloseReportFonts(&fonts);
        int dark = 0;
        for (int py = y; py < y + height; py++)
            for (int px = x; px < x + width; px++) {
                const int expected = PageBitmapPixel(alone, px, py);
                if (PageBitmapPixel(page, px, py) != expected) {
                    *why = "\"" + text + "\" differs at " + std::to_string(px) + "," +
                           std::to_string(py);
                    return false;
                }
                dark += expected < 128;
            }
        if (dark == 0) {
            *why = "\"" + text + "\" drew no dark pixels";
            return false;
        }
        return true;
    }

    bool ShowsCell(const std::string& text, int row, int column, std::string* why)
    {
        const int grey = row % 2 == 0 ? 224 : 255;
        return ShowsText(text, FONT_TABLE, ReportCellTextLeft(layout, column),
                         ReportCellTextTop(layout, row), grey, why);
    }

    PageGeometry geometry;
    PageBitmap page, alone;
    ReportLayout layout;
};

TEST_F(PrintRender, TextsStandInTheirCells)
{
    PutFax(VIEW_SPEED, 0, "WWWWW Wholesale Ltd.", "004940123456", "", "", 2);
    PutFax(VIEW_SPEED, 1, "Alice", "0301234567", "12", "345", 1);
    const ReportContent report = BuildProgramReport(REPORT_SPEED);
    ASSERT_EQ(2, Draw(report, 0));
    ASSERT_EQ(51, layout.rowsPerPage);

    std::string why;
    EXPECT_TRUE(ShowsCell("Speed Dial No.", 0, 0, &why)) << why;
    EXPECT_TRUE(ShowsCell("Destination", 0, 2, &why)) << why;
    EXPECT_TRUE(ShowsCell("00", 1, 0, &why)) << why;
    EXPECT_TRUE(ShowsCell("33.6K", 1, 5, &why)) << why;
    EXPECT_TRUE(ShowsCell("01", 2, 0, &why)) << why;
    EXPECT_TRUE(ShowsCell("Alice", 2, 1, &why)) << why;
    EXPECT_TRUE(ShowsCell("0301234567", 2, 2, &why)) << why;
    EXPECT_TRUE(ShowsCell("12", 2, 3, &why)) << why;
    EXPECT_TRUE(ShowsCell("345", 2, 4, &why)) << why;
    EXPECT_TRUE(ShowsCell("14.4K", 2, 5, &why)) << why;
    EXPECT_TRUE(ShowsCell("49", 50, 0, &why)) << why << " (the last row of page 1)";

    // The long name is shortened to what fits, "..." at its end, clear of the next line.
    ReportFonts fonts;
    ASSERT_EQ(1, OpenReportFonts(&fonts, page.dc, geometry.dpiX));
    const TextMeasure m = MeasureWith(&fonts);
    const std::string fitted =
        FitText(m, FONT_TABLE, "WWWWW Wholesale Ltd.", ReportCellRoom(layout, 1));
    const int fittedWidth = m.width(m.context, FONT_TABLE, fitted.c_str());
    CloseReportFonts(&fonts);
    ASSERT_NE("WWWWW Wholesale Ltd.", fitted) << "the name should be too wide here";
    EXPECT_EQ("...", fitted.substr(fitted.size() - 3));
    EXPECT_TRUE(ShowsCell(fitted, 1, 1, &why)) << why;
    const int nextLine = layout.columnLeft[2];
    for (int x = nextLine - REPORT_FIT_GAP; x < nextLine; x++)
        for (int y = ReportRowTop(layout, 1) + layout.lineWidth; y < ReportRowTop(layout, 2); y++)
            ASSERT_EQ(255, PageBitmapPixel(page, x, y))
                << "the 6 pixels before the next column line are clear at " << x << "," << y;
    EXPECT_GE(nextLine - (ReportCellTextLeft(layout, 1) + fittedWidth), REPORT_FIT_GAP);
}

TEST_F(PrintRender, PageTextsNameTheRightPage)
{
    const ReportContent report = BuildProgramReport(REPORT_SPEED);
    std::string why;
    ReportFonts fonts;
    for (int index = 0; index < 2; index++) {
        ASSERT_EQ(2, Draw(report, index));
        const std::string text = index == 0 ? "Page 1/2" : "Page 2/2";
        ASSERT_EQ(1, OpenReportFonts(&fonts, page.dc, geometry.dpiX));
        const TextMeasure m = MeasureWith(&fonts);
        const int width = m.width(m.context, FONT_HEADER, text.c_str());
        CloseReportFonts(&fonts);
        EXPECT_TRUE(ShowsText(text, FONT_HEADER, layout.right - REPORT_CORNER_INSET - width,
                              layout.top, 255, &why))
            << why;
        EXPECT_TRUE(ShowsCell(index == 0 ? "00" : "50", 1, 0, &why)) << why;
    }
}

TEST_F(PrintRender, ShadedRowsTitleBoxAndGrid)
{
    const ReportContent report = BuildProgramReport(REPORT_QUICK);
    ASSERT_EQ(1, Draw(report, 0));
    // A point in the wide Destination column that no text reaches on an empty list.
    const int x = (layout.columnLeft[2] + layout.columnLeft[3]) / 2;
    for (int row = 0; row < layout.rowsPerPage; row++) {
        const int y = ReportRowTop(layout, row) + layout.rowHeight / 2;
        EXPECT_EQ(row % 2 == 0 ? 224 : 255, PageBitmapPixel(page, x, y)) << "row " << row;
    }
    for (int row = 0; row <= layout.rowsPerPage; row++) {
        const int y =
            row < layout.rowsPerPage ? ReportRowTop(layout, row) : ReportRowTop(layout, row) - 1;
        EXPECT_EQ(0, PageBitmapPixel(page, x, y)) << "line above row " << row;
    }
    for (int column = 0; column < layout.columnCount; column++)
        EXPECT_EQ(0, PageBitmapPixel(page, layout.columnLeft[column], ReportRowTop(layout, 1) + 3))
            << "line left of column " << column;
    EXPECT_EQ(0, PageBitmapPixel(page, layout.right - 1, ReportRowTop(layout, 1) + 3));
    EXPECT_EQ(192, PageBitmapPixel(page, layout.left + 1, layout.top + 1)) << "the title box";
    std::string why;
    EXPECT_TRUE(ShowsText("Quick Dial List", FONT_TITLE, layout.left + REPORT_TITLE_PAD / 2,
                          layout.top, 192, &why))
        << why;
}

TEST_F(PrintRender, NothingIsDrawnOutsideTheMargins)
{
    std::vector<int> everyone;
    for (int i = 0; i < 50; i++) {
        PutFax(VIEW_SPEED, i, "Nordwind Spedition GmbH", "00494012345678901234567890123456789",
               "12345678901234567890", "12345678901234567890", 2);
        everyone.push_back(i);
    }
    PutGroup(0, "Everyone in the list", {}, everyone);
    for (int kind : {REPORT_QUICK, REPORT_SPEED, REPORT_GROUP}) {
        const ReportContent report = BuildProgramReport(kind);
        ASSERT_GT(Draw(report, 0), 0);
        const int bottom = geometry.height - geometry.dpiY / 2;
        int outside = 0;
        for (int y = 0; y < page.height && outside == 0; y++)
            for (int x = 0; x < page.width; x++) {
                const bool inside =
                    x >= layout.left && x < layout.right && y >= layout.top && y < bottom;
                if (!inside && PageBitmapPixel(page, x, y) != 255) {
                    ADD_FAILURE() << "report " << kind << " drew at " << x << "," << y;
                    outside++;
                    break;
                }
            }
    }
}

TEST_F(PrintRender, GroupMembersReadAsInTheLists)
{
    PutFax(VIEW_QUICK, 0, "Anna", "111", "", "", 2);
    PutFax(VIEW_SPEED, 0, "Bob", "222", "", "", 2);
    PutGroup(2, "Team", {0}, {0});
    const ReportContent report = BuildProgramReport(REPORT_GROUP);
    ASSERT_EQ(1, Draw(report, 0));
    std::string why;
    EXPECT_TRUE(ShowsCell("Group No.", 0, 0, &why)) << why;
    EXPECT_TRUE(ShowsCell("03", 3, 0, &why)) << why;
    EXPECT_TRUE(ShowsCell("Team", 3, 1, &why)) << why;
    EXPECT_TRUE(ShowsCell("Quick Dial List#1", 4, 2, &why)) << why;
    EXPECT_TRUE(ShowsCell("Anna", 4, 3, &why)) << why;
    EXPECT_TRUE(ShowsCell("Speed Dial List#0", 5, 2, &why)) << why;
    EXPECT_TRUE(ShowsCell("Bob", 5, 3, &why)) << why;
    EXPECT_TRUE(ShowsCell("04", 6, 0, &why)) << why;
}

TEST_F(PrintRender, APageTooSmallDrawsNothing)
{
    PageGeometry label = geometry;
    label.height = 450;  // a label: not even room for the header
    const ReportContent report = BuildProgramReport(REPORT_QUICK);
    EXPECT_EQ(0, DrawReportPage(page.dc, label, report, 0, DATE));
    EXPECT_EQ(0, DrawReportPage(page.dc, geometry, report, 5, DATE)) << "no sixth page";
    for (int y = 0; y < page.height; y += 97)
        for (int x = 0; x < page.width; x += 89)
            ASSERT_EQ(255, PageBitmapPixel(page, x, y));
}

}  // namespace
