// The printed dial lists, portable: what every cell of the Quick Dial, Speed Dial and Group
// reports says, how the columns share the page, how many rows a page holds, where the pages
// break, and every rectangle and text of one page as a list of drawing steps. The Win32 side
// only measures texts (through TextMeasure, on the device it draws on) and carries the steps
// out, so the printer, the preview and the tests draw the same pages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct EditState;

enum ReportKind { REPORT_QUICK = 0, REPORT_SPEED = 1, REPORT_GROUP = 2 };

enum ReportFont { FONT_TITLE = 0, FONT_HEADER = 1, FONT_TABLE = 2 };
constexpr int REPORT_FONT_COUNT = 3;

// Arial in every font; heights in points, converted with the horizontal resolution.
struct ReportFontStyle {
    int points;
    int weight;
};
extern const ReportFontStyle REPORT_FONTS[REPORT_FONT_COUNT];
// The font's height in device pixels: points x dpiX / 72.
int ReportFontHeight(int font, int dpiX);

constexpr int REPORT_ROWS_MAX = 51;      // rows of one page's table, heading row included
constexpr int REPORT_COLUMN_MAX = 10;    // number, name, destination, SUB, SID, speed, 4 options
constexpr int REPORT_COLUMN_PAD = 15;    // added to a fixed column's widest text
constexpr int REPORT_TITLE_PAD = 55;     // the title box is this much wider than its text
constexpr int REPORT_CORNER_INSET = 10;  // page and date texts end this far inside the right edge
constexpr int REPORT_CELL_OFFSET = 2;    // a cell's text starts this far after its column line
constexpr int REPORT_FIT_GAP = 6;        // a fitted text keeps this gap to the next column line

// Colours as 0xRRGGBB.
constexpr uint32_t REPORT_WHITE = 0xFFFFFF;
constexpr uint32_t REPORT_BLACK = 0x000000;
constexpr uint32_t REPORT_TITLE_GREY = 0xC0C0C0;
constexpr uint32_t REPORT_ROW_GREY = 0xE0E0E0;

// The string table, seen from the portable side: the text of string `id`, empty when there is
// none (the A4 table lacks the e-mail option texts).
struct StringSource {
    void* context;
    std::string (*load)(void* context, int id);
};

// Text measuring on the device that will be drawn on, in its pixels.
struct TextMeasure {
    void* context;
    int (*width)(void* context, int font, const char* text);
    int (*lineHeight)(void* context, int font);
    // 1 when `byte` starts a two-byte character of the text's code page (932 and the like);
    // none: every byte is a character.
    int (*leadByte)(void* context, unsigned char byte) = nullptr;
};

// How a column gets its width.
enum ColumnSizing {
    COLUMN_FIXED,  // its heading or widest possible value, plus REPORT_COLUMN_PAD
    COLUMN_SHARE,  // `share` seventieths of the width the fixed columns leave
    COLUMN_REST,   // what is left after all others (one per report)
};

struct ReportColumn {
    std::string heading;
    int sizing;
    int share;
    std::vector<std::string> samples;  // COLUMN_FIXED: the values it must hold besides its heading
};

struct ReportRow {
    std::string cells[REPORT_COLUMN_MAX];
    // On the first row of rows that belong together (a group key and its members): how many
    // they are; 1 on every entry row, 0 on a member row.
    int blockRows;
};

// Everything a report prints besides what the page and the date add.
struct ReportContent {
    int kind;
    std::string title;       // "Quick Dial List", "Speed Dial List", "Group List"
    std::string pageFormat;  // "Page %d/%d": current page, then the total
    std::string dateFormat;  // "%d/%d/%d": year, month, day
    std::string nameLine;    // "Name:" and the device name
    std::string faxLine;     // "Fax No.:" and the device fax number
    std::vector<ReportColumn> columns;
    std::vector<ReportRow> rows;
};

// The report of `kind` from the dial tables of `state`: one row for each of the first keyCount
// Quick Dial keys (Quick Dial and Group reports) or for each Speed Dial entry, and in the Group
// report one more row for every member of a group. `a3Model` adds the four e-mail option
// columns to the Quick Dial and Speed Dial reports.
ReportContent BuildReport(int kind, const EditState& state, int keyCount, int a3Model,
                          const StringSource& strings);

// A group member as the lists number it: "Quick Dial List#1" for key 01, "Speed Dial List#0"
// for entry 00 (`listName` is the list's name, `format` the "%s#%d" text).
std::string MemberNumberText(const std::string& format, const std::string& listName,
                             int memberTable, int memberIndex);

// Formats `format` with %s (texts, in order), %d (numbers, in order; with an optional 0 flag
// and width) and %%, nothing else: a format from a resource library can never read an argument
// that is not there. A conversion past the last argument prints nothing; any other % sequence
// prints as it stands.
std::string FormatReportText(const std::string& format, const std::vector<std::string>& texts,
                             const std::vector<int>& numbers);

// `text`, shortened until it is narrower than width - REPORT_FIT_GAP: one character at a time
// from the end, its last three characters replaced by "...". Empty when not even "..." fits.
std::string FitText(const TextMeasure& measure, int font, const std::string& text, int width);

// ---- Page layout ------------------------------------------------------------------------

// The printable area of a page in device pixels, its resolution, and where it lies on the
// paper (the preview shows the whole sheet).
struct PageGeometry {
    int dpiX, dpiY;
    int width, height;            // printable area
    int paperWidth, paperHeight;  // the whole sheet
    int offsetX, offsetY;         // printable area's top-left corner on the sheet
};

// A4 at 300 dpi with the 50-pixel unprintable border of common laser printers: what the
// preview uses when no printer is installed.
PageGeometry DefaultPageGeometry();
// The geometry a preview bitmap of at most maxPixels pixels can hold: the same page at a lower
// resolution (halved until it fits), or `page` itself when it fits already.
PageGeometry PreviewGeometry(const PageGeometry& page, long long maxPixels);

// Rows of one page's table, heading row included:
// (height - dpiY - titleHeight - 2 x rowHeight) / rowHeight, at most REPORT_ROWS_MAX.
int ReportRowsPerPage(const PageGeometry& page, int titleHeight, int rowHeight);

// The first row of every page when each page holds `entriesPerPage` rows besides its heading.
// Rows that belong together start a new page unless they fit on the current one; a block
// longer than a page starts where it is and continues on the next. Never an empty page; at
// least one page. entriesPerPage < 1 gives no pages.
std::vector<int> PaginateReport(const std::vector<ReportRow>& rows, int entriesPerPage);

struct ReportLayout {
    PageGeometry page;
    int left, right, top;  // margins: dpiX / 4 on the sides, dpiY / 2 at the top
    int titleHeight, rowHeight, tableLineHeight;
    int lineWidth;    // of the grid's lines, dpiX / 150
    int rowsPerPage;  // heading row included
    int tableTop;
    int columnCount;
    int columnLeft[REPORT_COLUMN_MAX + 1];  // column i spans columnLeft[i] .. columnLeft[i + 1]
    std::vector<int> pageStarts;            // first report row of every page
};

// Column widths summing to tableWidth: fixed columns first, shares of what they leave, the rest
// to the COLUMN_REST column. No column is narrower than its heading needs while the width
// allows it; when it does not, all columns shrink in proportion.
std::vector<int> ReportColumnWidths(const ReportContent& report, int tableWidth,
                                    const TextMeasure& measure);

// Lays the report out on `page`; 1, or 0 when the page cannot hold a heading row and one entry.
int LayoutReport(const ReportContent& report, const PageGeometry& page, const TextMeasure& measure,
                 ReportLayout* layout);

// Top of table row `row` (0 is the heading row) and where the text of a cell starts.
int ReportRowTop(const ReportLayout& layout, int row);
int ReportCellTextLeft(const ReportLayout& layout, int column);
int ReportCellTextTop(const ReportLayout& layout, int row);
// The width a cell's text may use from its start to the next column line (FitText's width).
int ReportCellRoom(const ReportLayout& layout, int column);

// ---- One page as drawing steps ----------------------------------------------------------

enum DrawKind { DRAW_FILL, DRAW_TEXT };

// A filled rectangle (left, top, right, bottom; right and bottom excluded) or a text in black
// on a transparent background whose top-left corner is (left, top); a text's right and bottom
// are its measured extent.
struct DrawOp {
    int kind;
    int font;
    uint32_t color;
    int left, top, right, bottom;
    std::string text;
};

// The colours a page is shown in on a screen with a high-contrast theme (0xRRGGBB each): the
// page as paper, rules and text as ink, light shading as shade.
struct PageColours {
    uint32_t paper, ink, shade;
};
// The colour a composed step is shown in: white is the paper, a dark colour ink, any other
// shade. Printing never maps: the paper is paper.
uint32_t ShownColour(uint32_t composed, const PageColours& colours);

struct ReportDate {
    int year, month, day;
};

// Every step that draws page `page` (0-based) of the laid-out report, in order: the white page,
// the title box and title, the page and date texts, the device lines, the shaded rows, the
// grid, then the headings and the cells.
std::vector<DrawOp> ComposeReportPage(const ReportContent& report, const ReportLayout& layout,
                                      int page, const ReportDate& date, const TextMeasure& measure);
