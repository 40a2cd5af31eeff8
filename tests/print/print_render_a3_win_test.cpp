// The A3 model's reports, with the A3 build's string table: the four e-mail option columns
// print beside the others, each wide enough for its heading and values.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ui/app_state.h"
#include "document/document.h"
#include "print/print_render_win.h"
#include "tests/dial_lists/dial_lists_harness_win.h"

namespace {

class PrintRenderA3 : public DialListWindow {
protected:
    void SetUp() override
    {
        Open("A3ZRPQ 2A02 2A03");
        ASSERT_EQ(MODEL_A3, gApp.model);
    }
};

TEST_F(PrintRenderA3, EmailOptionsPrintInTheirOwnColumns)
{
    gDocument.edit.config.inchPaper = 1;
    PutEmail(VIEW_SPEED, 3, "Scans", "scans@example.org", 1, 1, 0, 2);
    PutFax(VIEW_SPEED, 4, "Fax", "0301234", "", "", 2);
    const ReportContent report = BuildProgramReport(REPORT_SPEED);
    ASSERT_EQ(10u, report.columns.size());
    const char* headings[] = {
        "Speed Dial No.",     "Name",      "Destination", "SUB",        "SID",
        "Transmission Speed", "Scan Mode", "Scan Size",   "Resolution", "Coding"};
    for (int c = 0; c < 10; c++)
        EXPECT_EQ(headings[c], report.columns[c].heading) << "column " << c;
    const ReportRow& row = report.rows[3];
    EXPECT_EQ("scans@example.org", row.cells[2]);
    EXPECT_EQ("Sharp/Soft", row.cells[6]);
    EXPECT_EQ("Ledger", row.cells[7]) << "an inch device's second size";
    EXPECT_EQ("Detail", row.cells[8]);
    EXPECT_EQ("MMR", row.cells[9]);
    EXPECT_EQ("", report.rows[4].cells[6]) << "a fax entry has no scan options";

    PageBitmap page;
    const PageGeometry geometry = DefaultPageGeometry();
    ASSERT_EQ(1, CreatePageBitmap(&page, geometry.width, geometry.height));
    ReportLayout layout;
    ASSERT_EQ(1, LayoutReportOn(page.dc, geometry, report, &layout));
    ASSERT_EQ(2, DrawReportPage(page.dc, geometry, report, 0, ReportDate{2024, 1, 2}));
    ReportFonts fonts;
    ASSERT_EQ(1, OpenReportFonts(&fonts, page.dc, geometry.dpiX));
    const TextMeasure m = MeasureWith(&fonts);
    EXPECT_EQ(layout.right, layout.columnLeft[10]);
    for (int c = 6; c < 10; c++) {
        // Each option column holds its heading and the widest of its values unshortened.
        for (const std::string& text : report.columns[c].samples)
            EXPECT_EQ(text, FitText(m, FONT_TABLE, text, ReportCellRoom(layout, c)))
                << "column " << c;
        EXPECT_EQ(report.columns[c].heading,
                  FitText(m, FONT_TABLE, report.columns[c].heading, ReportCellRoom(layout, c)));
        // Row 4 (entry 03) carries ink in every option cell.
        int dark = 0;
        for (int y = ReportRowTop(layout, 4); y < ReportRowTop(layout, 5); y++)
            for (int x = ReportCellTextLeft(layout, c); x < layout.columnLeft[c + 1] - 1; x++)
                dark += PageBitmapPixel(page, x, y) < 128 && y > ReportRowTop(layout, 4) + 1;
        EXPECT_GT(dark, 20) << "option column " << c << " is empty on paper";
    }
    CloseReportFonts(&fonts);
    DeletePageBitmap(&page);
}

}  // namespace
