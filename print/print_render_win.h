/*
 * Drawing the dial list reports on a device context: the one function that renders a page onto
 * any HDC (a printer, the preview's bitmap, a test's DIB section), with the fonts and the text
 * measuring the portable layout works with.
 */
#ifndef MORAVEL_PRINT_RENDER_WIN_H
#define MORAVEL_PRINT_RENDER_WIN_H

#include <windows.h>

#include "print/print_layout.h"

/* The report fonts created for one device resolution, and the device they measure on. */
struct ReportFonts {
    HDC dc;
    HFONT fonts[REPORT_FONT_COUNT];
};

/* Creates the three Arial fonts for dpiX; 1, or 0 when GDI could not (nothing to close then). */
int OpenReportFonts(ReportFonts* fonts, HDC dc, int dpiX);
void CloseReportFonts(ReportFonts* fonts);
/* Measures texts with the fonts on their device. */
TextMeasure MeasureWith(ReportFonts* fonts);

/* Draws text with its top-left corner at x, y in the font selected into dc, each character
 * where GetTextExtentExPoint puts it: some devices lay glyphs out wider than they measure, and
 * the layout fits every text by its measured width. */
void DrawMeasuredText(HDC dc, int x, int y, const char* text);

/* A printer's page: resolution, printable area and where it lies on the sheet. */
PageGeometry PrinterGeometry(HDC printer);

/* Lays report out on geometry with the fonts measured on dc; 1, or 0 when the page is too
 * small. */
int LayoutReportOn(HDC dc, const PageGeometry& geometry, const ReportContent& report,
                   ReportLayout* layout);

/* Draws page `page` (0-based) of report onto dc, whose pixels are geometry's printable area, in
 * `colours` when given (a preview on a high-contrast screen), else as printed. Returns the
 * report's page count, or 0 when the page is too small or out of range (nothing drawn then). */
int DrawReportPage(HDC dc, const PageGeometry& geometry, const ReportContent& report, int page,
                   const ReportDate& date, const PageColours* colours = nullptr);

/* The report from the program's own dial tables, with the texts of the resource module. */
ReportContent BuildProgramReport(int kind);
/* Today's date, local time. */
ReportDate TodayForReport();

/* An 8-bit grey, bottom-up DIB section of width x height filled white, selected into a memory
 * DC of its own: what the preview draws on. */
struct PageBitmap {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    unsigned char* bits;
    int width, height, stride;
};
int CreatePageBitmap(PageBitmap* page, int width, int height);
void DeletePageBitmap(PageBitmap* page);
/* The grey level (0 black .. 255 white) at x, y counted from the top. */
int PageBitmapPixel(const PageBitmap& page, int x, int y);

#endif
