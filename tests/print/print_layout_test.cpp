// The printed reports' layout, natively: rows per page on common papers, page breaks of the
// three lists, column widths, fitting texts into cells, the texts of every kind of row, and
// one composed page checked the way a reader looks at it (page text, shading, margins, cells).
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/dial_records.h"
#include "print/print_layout.h"
#include "resources/resource_ids.h"

namespace {

// The program's own texts for the ids the reports use.
const std::map<int, std::string> TEXTS = {
    {IDS_QUICK_DIAL_LIST, "Quick Dial List"},
    {IDS_SPEED_DIAL_LIST, "Speed Dial List"},
    {IDS_GROUP_LIST, "Group List"},
    {IDS_COL_NAME, "Name"},
    {IDS_COL_DESTINATION, "Destination"},
    {IDS_COL_SUB, "SUB"},
    {IDS_COL_SID, "SID"},
    {IDS_COL_SPEED, "Transmission Speed"},
    {IDS_PRINT_NAME_LABEL, "Name:"},
    {IDS_PRINT_FAX_LABEL, "Fax No.:"},
    {IDS_PRINT_PAGE, "Page %d/%d"},
    {IDS_PRINT_COL_QUICK_NO, "Quick Dial No."},
    {IDS_PRINT_COL_SPEED_NO, "Speed Dial No."},
    {IDS_PRINT_COL_GROUP_NO, "Group No."},
    {IDS_PRINT_COL_MEMBER_NO, "Member No."},
    {IDS_PRINT_COL_MEMBER, "Member"},
    {IDS_PRINT_DATE_FORMAT, "%d/%d/%d"},
    {IDS_PRINT_MEMBER_FORMAT, "%s#%d"},
    {IDS_SPEED_9600, "9.6K"},
    {IDS_SPEED_14400, "14.4K"},
    {IDS_SPEED_33600, "33.6K"},
    {IDS_PROGRAM_DIAL, "PROGRAM DIAL"},
    {IDS_COL_OPTION1, "Scan Mode"},
    {IDS_COL_OPTION2, "Scan Size"},
    {IDS_COL_OPTION3, "Resolution"},
    {IDS_COL_OPTION4, "Coding"},
    {IDS_CUSTOM_SCAN_OFF, "Balance"},
    {IDS_CUSTOM_SCAN_ON, "Sharp/Soft"},
    {IDS_SCAN_SIZE_A4, "A4"},
    {IDS_SCAN_SIZE_B4_JIS, "B4 JIS"},
    {IDS_SCAN_SIZE_A3, "A3"},
    {IDS_SCAN_SIZE_LETTER, "Letter"},
    {IDS_SCAN_SIZE_LEDGER, "Ledger"},
    {IDS_SCAN_RES_DETAIL, "Detail"},
    {IDS_SCAN_RES_FINE, "Fine"},
    {IDS_SCAN_CODING_MH, "MH"},
    {IDS_SCAN_CODING_MR, "MR"},
    {IDS_SCAN_CODING_MMR, "MMR"},
};

std::string LoadText(void*, int id)
{
    auto it = TEXTS.find(id);
    return it == TEXTS.end() ? std::string() : it->second;
}
const StringSource STRINGS = {nullptr, LoadText};

// A device of fixed-pitch fonts: every character as wide as the font's height times
// `perMille` / 1000, lines as high as the font.
struct FakeDevice {
    int dpiX = 300;
    int perMille = 500;
};

int FakeWidth(void* context, int font, const char* text)
{
    const FakeDevice* d = static_cast<const FakeDevice*>(context);
    return static_cast<int>(std::strlen(text)) *
           (ReportFontHeight(font, d->dpiX) * d->perMille / 1000);
}

int FakeLineHeight(void* context, int font)
{
    return ReportFontHeight(font, static_cast<const FakeDevice*>(context)->dpiX);
}

TextMeasure Measure(FakeDevice* device) { return TextMeasure{device, FakeWidth, FakeLineHeight}; }

PageGeometry Page(int dpi, double inchesWide, double inchesHigh)
{
    PageGeometry page{};
    page.dpiX = page.dpiY = dpi;
    page.paperWidth = static_cast<int>(inchesWide * dpi);
    page.paperHeight = static_cast<int>(inchesHigh * dpi);
    page.offsetX = page.offsetY = dpi / 6;
    page.width = page.paperWidth - 2 * page.offsetX;
    page.height = page.paperHeight - 2 * page.offsetY;
    return page;
}
const double A4_W = 8.27, A4_H = 11.69, LETTER_W = 8.5, LETTER_H = 11.0;

class PrintLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        state = std::make_unique<EditState>();
        std::memset(state.get(), 0, sizeof *state);
        std::strcpy(state->properties.deviceName, "Front Office");
        std::strcpy(state->properties.faxNumber, "0301234567");
    }

    void Fax(int kind, int index, const char* name, const char* number, const char* sub = "",
             const char* sid = "", int speed = 2)
    {
        DialRecord r{};
        r.inUse = 1;
        r.kind = kind == REPORT_SPEED ? KIND_SPEED : KIND_QUICK;
        r.destType = DEST_FAX;
        std::strcpy(r.name, name);
        std::strcpy(r.faxNumber, number);
        std::strcpy(r.sub, sub);
        std::strcpy(r.sid, sid);
        r.speed = static_cast<uint8_t>(speed);
        if (kind == REPORT_SPEED)
            EncodeSpeedEntry(*state, &r, index);
        else
            EncodeQuickKey(*state, &r, index);
    }

    void Email(int kind, int index, const char* name, const char* address, int customScan, int size,
               int resolution, int coding)
    {
        DialRecord r{};
        r.inUse = 1;
        r.kind = kind == REPORT_SPEED ? KIND_SPEED : KIND_QUICK;
        r.destType = DEST_EMAIL;
        std::strcpy(r.name, name);
        std::strcpy(r.email, address);
        r.customScan = static_cast<uint8_t>(customScan);
        r.scanSize = static_cast<uint8_t>(size);
        r.scanResolution = static_cast<uint8_t>(resolution);
        r.scanCoding = static_cast<uint8_t>(coding);
        if (kind == REPORT_SPEED)
            EncodeSpeedEntry(*state, &r, index);
        else
            EncodeQuickKey(*state, &r, index);
    }

    // A group on key `index` whose members are the Quick Dial keys and Speed Dial entries given
    // by their 0-based indexes.
    void Group(int index, const char* name, std::vector<int> quick, std::vector<int> speed)
    {
        DialRecord r{};
        r.inUse = 1;
        r.kind = KIND_GROUP;
        r.high = 1;
        std::strcpy(r.name, name);
        std::vector<DialMember> q, s;
        for (int i : quick)
            q.push_back({MEMBER_TABLE_QUICK, static_cast<uint8_t>(i)});
        for (int i : speed)
            s.push_back({MEMBER_TABLE_SPEED, static_cast<uint8_t>(i)});
        EncodeGroupKey(*state, r, index, q.data(), static_cast<int>(q.size()), s.data(),
                       static_cast<int>(s.size()));
    }

    ReportContent Build(int kind, int a3 = 0)
    {
        return BuildReport(kind, *state, QUICK_KEY_COUNT, a3, STRINGS);
    }

    ReportLayout Layout(const ReportContent& report, const PageGeometry& page)
    {
        ReportLayout layout;
        EXPECT_EQ(1, LayoutReport(report, page, Measure(&device), &layout));
        return layout;
    }

    std::unique_ptr<EditState> state;
    FakeDevice device;
};

// ---- Rows per page and pages ------------------------------------------------------------

TEST_F(PrintLayout, RowsPerPageOnA4AndLetterAt300And600Dpi)
{
    struct Case {
        const char* paper;
        int dpi;
        double w, h;
    } cases[] = {{"A4", 300, A4_W, A4_H},
                 {"A4", 600, A4_W, A4_H},
                 {"Letter", 300, LETTER_W, LETTER_H},
                 {"Letter", 600, LETTER_W, LETTER_H}};
    for (const Case& c : cases) {
        PageGeometry page = Page(c.dpi, c.w, c.h);
        const int title = ReportFontHeight(FONT_TITLE, c.dpi);
        const int row = ReportFontHeight(FONT_HEADER, c.dpi);
        EXPECT_EQ(51, ReportRowsPerPage(page, title, row))
            << c.paper << " at " << c.dpi << " dpi holds more than 51 rows and is capped";
    }
    // A5 at 300 dpi (printable height 2381 px): (2381 - 300 - 83 - 100) / 50 = 37.
    EXPECT_EQ(37, ReportRowsPerPage(Page(300, 5.83, 8.27), 83, 50));
}

TEST_F(PrintLayout, RowsPerPageIsTheWholeRowsLeftBelowHeaderAndMargins)
{
    PageGeometry page = Page(300, A4_W, A4_H);
    page.height = 300 + 83 + 2 * 50 + 40 * 50;  // exactly 40 rows
    EXPECT_EQ(40, ReportRowsPerPage(page, 83, 50));
    page.height -= 1;
    EXPECT_EQ(39, ReportRowsPerPage(page, 83, 50));
    page.height = 100;  // a label printer
    EXPECT_EQ(0, ReportRowsPerPage(page, 83, 50));
    EXPECT_EQ(0, ReportRowsPerPage(page, 83, 0));

    ReportLayout layout;
    EXPECT_EQ(0, LayoutReport(Build(REPORT_QUICK), page, Measure(&device), &layout))
        << "a page without room for a heading and one entry is refused, not looped over";
}

TEST_F(PrintLayout, QuickDialFitsOnePageAndSpeedDialNeedsTwoAt51Rows)
{
    const PageGeometry a4 = Page(300, A4_W, A4_H);
    ReportLayout quick = Layout(Build(REPORT_QUICK), a4);
    ASSERT_EQ(51, quick.rowsPerPage);
    EXPECT_EQ(std::vector<int>{0}, quick.pageStarts);

    ReportLayout speed = Layout(Build(REPORT_SPEED), a4);
    EXPECT_EQ((std::vector<int>{0, 50}), speed.pageStarts) << "50 entries, then 40";
}

TEST_F(PrintLayout, GroupListPagesKeepAGroupTogetherAndEndWithoutAnEmptyPage)
{
    const PageGeometry a4 = Page(300, A4_W, A4_H);
    // 30 keys and 20 members are 50 rows: exactly one page of 50 entries, not two.
    std::vector<int> twenty;
    for (int i = 0; i < 20; i++)
        twenty.push_back(i);
    Group(0, "Sales", {}, twenty);
    ReportContent report = Build(REPORT_GROUP);
    ASSERT_EQ(50u, report.rows.size());
    EXPECT_EQ(std::vector<int>{0}, Layout(report, a4).pageStarts);

    // A group of 40 members on key 20 does not fit after the 19 keys before it: it starts page
    // 2 whole, and the one key that no longer fits after the last ten goes to page 3.
    std::vector<int> forty;
    for (int i = 0; i < 40; i++)
        forty.push_back(i);
    std::memset(&state->quickDial, 0, sizeof state->quickDial);
    Group(19, "Everyone", {}, forty);
    report = Build(REPORT_GROUP);
    ASSERT_EQ(70u, report.rows.size());
    EXPECT_EQ((std::vector<int>{0, 19, 69}), Layout(report, a4).pageStarts);
    EXPECT_EQ("20", report.rows[19].cells[0]);
    EXPECT_EQ(41, report.rows[19].blockRows);

    // A group longer than a page (50 members: 51 rows) starts where it is and continues.
    std::vector<int> fifty;
    for (int i = 0; i < 50; i++)
        fifty.push_back(i);
    std::memset(&state->quickDial, 0, sizeof state->quickDial);
    Group(2, "All", {}, fifty);
    report = Build(REPORT_GROUP);
    ASSERT_EQ(80u, report.rows.size());
    EXPECT_EQ((std::vector<int>{0, 50}), Layout(report, a4).pageStarts);
}

TEST(PaginateReport, EveryRowOnExactlyOnePageAndNoPageEmpty)
{
    for (int perPage = 1; perPage <= 12; perPage++) {
        std::vector<ReportRow> rows;
        // Blocks of 1, 3, 7, 1, 13, 2 rows.
        for (int block : {1, 3, 7, 1, 13, 2}) {
            for (int i = 0; i < block; i++) {
                ReportRow row{};
                row.blockRows = i == 0 ? block : 0;
                rows.push_back(row);
            }
        }
        std::vector<int> starts = PaginateReport(rows, perPage);
        ASSERT_FALSE(starts.empty());
        EXPECT_EQ(0, starts[0]);
        for (size_t p = 0; p < starts.size(); p++) {
            int end = p + 1 < starts.size() ? starts[p + 1] : static_cast<int>(rows.size());
            EXPECT_GT(end, starts[p]) << "page " << p << " is empty at " << perPage;
            EXPECT_LE(end - starts[p], perPage) << "page " << p << " overflows at " << perPage;
        }
    }
    EXPECT_TRUE(PaginateReport({}, 0).empty());
}

// ---- Columns and fitting ----------------------------------------------------------------

TEST_F(PrintLayout, ColumnsFillTheTableAndEveryHeadingFits)
{
    for (int dpi : {300, 600}) {
        device.dpiX = dpi;
        for (const PageGeometry& page : {Page(dpi, A4_W, A4_H), Page(dpi, LETTER_W, LETTER_H)}) {
            for (int kind : {REPORT_QUICK, REPORT_SPEED, REPORT_GROUP}) {
                for (int a3 : {0, 1}) {
                    ReportContent report = Build(kind, a3);
                    ReportLayout layout = Layout(report, page);
                    ASSERT_EQ(static_cast<int>(report.columns.size()), layout.columnCount);
                    EXPECT_EQ(layout.left, layout.columnLeft[0]);
                    EXPECT_EQ(layout.right, layout.columnLeft[layout.columnCount])
                        << "kind " << kind << " a3 " << a3 << " at " << dpi;
                    for (int c = 0; c < layout.columnCount; c++) {
                        const std::string& heading = report.columns[c].heading;
                        EXPECT_EQ(heading, FitText(Measure(&device), FONT_TABLE, heading,
                                                   ReportCellRoom(layout, c)))
                            << "heading \"" << heading << "\" is cut at " << dpi;
                    }
                }
            }
        }
    }
}

TEST_F(PrintLayout, ColumnWidthsFollowTheirRules)
{
    ReportContent report = Build(REPORT_QUICK, 1);
    ASSERT_EQ(10u, report.columns.size());
    const int table = 2000;
    std::vector<int> w = ReportColumnWidths(report, table, Measure(&device));
    const TextMeasure m = Measure(&device);
    auto width = [&](const char* text) { return m.width(m.context, FONT_TABLE, text); };
    EXPECT_EQ(width("Quick Dial No.") + 15, w[0]);
    EXPECT_EQ(width("Transmission Speed") + 15, w[5]);
    EXPECT_EQ(width("Sharp/Soft") + 15, w[6]) << "widest of Scan Mode, Balance, Sharp/Soft";
    EXPECT_EQ(width("Resolution") + 15, w[8]);
    EXPECT_EQ(w[3], w[4]) << "SUB and SID are equally wide";
    const int left = table - w[0] - w[5] - w[6] - w[7] - w[8] - w[9];
    EXPECT_EQ(left * 12 / 70, w[1]);
    EXPECT_EQ(left * 10 / 70, w[3]);
    EXPECT_EQ(left - w[1] - w[3] - w[4], w[2]) << "Destination takes the rest";
    EXPECT_GT(w[2], w[1]);

    // Narrower than the headings need: every column shrinks, the sum still holds.
    std::vector<int> narrow = ReportColumnWidths(report, 300, Measure(&device));
    int sum = 0;
    for (int x : narrow) {
        EXPECT_GE(x, 0);
        sum += x;
    }
    EXPECT_EQ(300, sum);
}

TEST(FitText, KeepsShortensOrEmpties)
{
    FakeDevice device;  // table font: 33 px high, 16 px a character
    const TextMeasure m = Measure(&device);
    const int per = FakeWidth(&device, FONT_TABLE, "x");
    ASSERT_EQ(16, per);
    EXPECT_EQ("Alice", FitText(m, FONT_TABLE, "Alice", 5 * per + 7)) << "5 characters fit";
    EXPECT_EQ("A...", FitText(m, FONT_TABLE, "Alice", 5 * per + 6))
        << "a text exactly as wide as the column less 6 pixels does not fit";
    EXPECT_EQ("Internati...", FitText(m, FONT_TABLE, "International Freight", 12 * per + 7));
    EXPECT_EQ("...", FitText(m, FONT_TABLE, "International Freight", 3 * per + 7));
    EXPECT_EQ("", FitText(m, FONT_TABLE, "International Freight", 3 * per + 6));
    EXPECT_EQ("", FitText(m, FONT_TABLE, "International Freight", 0));
    EXPECT_EQ("", FitText(m, FONT_TABLE, "", 0));
    for (int width = 0; width < 400; width += 7) {
        std::string fitted = FitText(m, FONT_TABLE, "Nordwind Spedition GmbH", width);
        EXPECT_LT(FakeWidth(&device, FONT_TABLE, fitted.c_str()), std::max(1, width - 6))
            << "\"" << fitted << "\" in " << width;
    }
}

// A Japanese name in code page 932 is shortened a whole character at a time, never between
// the two bytes of one.
TEST(FitText, NeverCutsADoubleByteCharacterInTwo)
{
    FakeDevice device;
    TextMeasure m = Measure(&device);
    m.leadByte = [](void*, unsigned char byte) { return byte >= 0x81 && byte <= 0x9F ? 1 : 0; };
    const int per = FakeWidth(&device, FONT_TABLE, "x");
    const std::string name = "\x93\x8C\x8B\x9E\x8E\x78\x93\x58";  // four kanji, two bytes each
    EXPECT_EQ("\x93\x8C\x8B\x9E...", FitText(m, FONT_TABLE, name, 7 * per + 7));
    EXPECT_EQ("\x93\x8C...", FitText(m, FONT_TABLE, name, 6 * per + 7))
        << "room for six bytes: a cut between bytes would keep the half of the second kanji";
}

// ---- Cell texts -------------------------------------------------------------------------

TEST_F(PrintLayout, NumbersRunFrom01To30AndFrom00To89)
{
    ReportContent quick = Build(REPORT_QUICK);
    ASSERT_EQ(30u, quick.rows.size());
    EXPECT_EQ("01", quick.rows[0].cells[0]);
    EXPECT_EQ("30", quick.rows[29].cells[0]);
    ReportContent speed = Build(REPORT_SPEED);
    ASSERT_EQ(90u, speed.rows.size());
    EXPECT_EQ("00", speed.rows[0].cells[0]);
    EXPECT_EQ("89", speed.rows[89].cells[0]);
    ReportContent group = Build(REPORT_GROUP);
    EXPECT_EQ("01", group.rows[0].cells[0]);
    EXPECT_EQ("30", group.rows[29].cells[0]);
}

TEST_F(PrintLayout, EntryRowsByKind)
{
    Fax(REPORT_QUICK, 0, "Head Office", "0301234567", "12", "345", 1);
    Email(REPORT_QUICK, 1, "Anna", "anna@example.com", 1, 1, 1, 2);
    Group(2, "Sales", {0}, {});
    Fax(REPORT_SPEED, 0, "", "0123+");  // combination key: only its number
    {
        DialRecord chain{};
        DecodeSpeedEntry(&chain, *state, 0);
        chain.chain = 1;
        EncodeSpeedEntry(*state, &chain, 0);
    }

    ReportContent quick = Build(REPORT_QUICK);
    ASSERT_EQ(6u, quick.columns.size()) << "the A4 model prints no e-mail option columns";
    const std::string* r = quick.rows[0].cells;
    EXPECT_EQ("Head Office", r[1]);
    EXPECT_EQ("0301234567", r[2]);
    EXPECT_EQ("12", r[3]);
    EXPECT_EQ("345", r[4]);
    EXPECT_EQ("14.4K", r[5]);
    r = quick.rows[1].cells;
    EXPECT_EQ("Anna", r[1]);
    EXPECT_EQ("anna@example.com", r[2]);
    EXPECT_EQ("", r[5]);
    r = quick.rows[2].cells;
    EXPECT_EQ("Sales", r[1]) << "a group key shows its name and nothing more";
    EXPECT_EQ("", r[2]);
    EXPECT_EQ("", r[5]);
    r = quick.rows[3].cells;
    EXPECT_EQ("04", r[0]);
    for (int c = 1; c < 6; c++)
        EXPECT_EQ("", r[c]) << "an empty key shows only its number";

    ReportContent a3 = Build(REPORT_QUICK, 1);
    ASSERT_EQ(10u, a3.columns.size());
    EXPECT_EQ("Scan Mode", a3.columns[6].heading);
    r = a3.rows[1].cells;
    EXPECT_EQ("Sharp/Soft", r[6]);
    EXPECT_EQ("B4 JIS", r[7]);
    EXPECT_EQ("Fine", r[8]);
    EXPECT_EQ("MMR", r[9]);

    ReportContent speed = Build(REPORT_SPEED);
    r = speed.rows[0].cells;
    EXPECT_EQ("0123+", r[2]);
    EXPECT_EQ("", r[5]) << "a combination key prints only its number";
}

TEST_F(PrintLayout, MembersAreNumberedAsTheListsNumberThem)
{
    Fax(REPORT_QUICK, 0, "Anna", "111");
    Fax(REPORT_QUICK, 29, "Zoe", "222");
    Fax(REPORT_SPEED, 0, "Bob", "333");
    Fax(REPORT_SPEED, 89, "Carl", "444");
    Group(4, "Team", {0, 29}, {0, 89});

    ReportContent report = Build(REPORT_GROUP);
    ASSERT_EQ(34u, report.rows.size());
    EXPECT_EQ("05", report.rows[4].cells[0]);
    EXPECT_EQ("Team", report.rows[4].cells[1]);
    EXPECT_EQ(5, report.rows[4].blockRows);
    const char* expected[][2] = {{"Quick Dial List#1", "Anna"},
                                 {"Quick Dial List#30", "Zoe"},
                                 {"Speed Dial List#0", "Bob"},
                                 {"Speed Dial List#89", "Carl"}};
    for (int k = 0; k < 4; k++) {
        const ReportRow& row = report.rows[5 + k];
        EXPECT_EQ("", row.cells[0]);
        EXPECT_EQ(expected[k][0], row.cells[2]) << "member " << k;
        EXPECT_EQ(expected[k][1], row.cells[3]) << "member " << k;
        EXPECT_EQ(0, row.blockRows);
    }
    EXPECT_EQ("", report.rows[0].cells[1]) << "a Quick Dial entry is no group in this list";
    EXPECT_EQ("06", report.rows[9].cells[0]);
}

TEST(FormatReportText, TakesOnlyTheArgumentsItHas)
{
    EXPECT_EQ("Page 1/2", FormatReportText("Page %d/%d", {}, {1, 2}));
    EXPECT_EQ("2024/5/7", FormatReportText("%d/%d/%d", {}, {2024, 5, 7}));
    EXPECT_EQ("Quick Dial List#1", FormatReportText("%s#%d", {"Quick Dial List"}, {1}));
    EXPECT_EQ("07 100%", FormatReportText("%02d 100%%", {}, {7}));
    EXPECT_EQ("Seite 1 von ", FormatReportText("Seite %d von %d", {}, {1}));
    EXPECT_EQ(" %x %n %", FormatReportText("%s %x %n %", {}, {}))
        << "other conversions print as they stand and read nothing";
}

// ---- A composed page --------------------------------------------------------------------

TEST_F(PrintLayout, ComposedPageReadsRightAndStaysInsideTheMargins)
{
    for (int i = 0; i < 90; i++)
        Fax(REPORT_SPEED, i, "Nordwind Spedition GmbH", "004930123456789012345678901234567890",
            "1234567890", "0987654321", i % 3);
    const PageGeometry a4 = Page(300, A4_W, A4_H);
    ReportContent report = Build(REPORT_SPEED);
    ReportLayout layout = Layout(report, a4);
    ASSERT_EQ(2u, layout.pageStarts.size());
    const ReportDate date = {2024, 5, 17};

    for (int page = 0; page < 2; page++) {
        std::vector<DrawOp> ops = ComposeReportPage(report, layout, page, date, Measure(&device));
        ASSERT_FALSE(ops.empty());
        EXPECT_EQ(DRAW_FILL, ops[0].kind);
        EXPECT_EQ(REPORT_WHITE, ops[0].color) << "the page is filled white first";

        std::map<std::string, const DrawOp*> texts;
        int greyRows = 0;
        const int bottom = a4.height - a4.dpiY / 2;
        for (size_t i = 1; i < ops.size(); i++) {
            const DrawOp& op = ops[i];
            EXPECT_GE(op.left, layout.left) << op.text;
            EXPECT_LE(op.right, layout.right) << op.text;
            EXPECT_GE(op.top, layout.top) << op.text;
            EXPECT_LE(op.bottom, bottom) << op.text;
            if (op.kind == DRAW_TEXT)
                texts.emplace(op.text, &op);
            if (op.kind == DRAW_FILL && op.color == REPORT_ROW_GREY) {
                EXPECT_EQ(0, (op.top - layout.tableTop) / layout.rowHeight % 2)
                    << "every other row is shaded, starting with the heading row";
                greyRows++;
            }
        }
        EXPECT_EQ(26, greyRows) << "51 rows: rows 0, 2, ..., 50 are shaded";
        const std::string pageText = page == 0 ? "Page 1/2" : "Page 2/2";
        ASSERT_TRUE(texts.count(pageText)) << "page text of page " << page + 1;
        EXPECT_EQ(layout.right - REPORT_CORNER_INSET, texts[pageText]->right);
        ASSERT_TRUE(texts.count("2024/5/17"));
        EXPECT_EQ(layout.top + layout.rowHeight, texts["2024/5/17"]->top);
        EXPECT_TRUE(texts.count("Speed Dial List"));
        EXPECT_TRUE(texts.count("Name: Front Office"));
        EXPECT_TRUE(texts.count("Fax No.: 0301234567"));
        EXPECT_TRUE(texts.count("Speed Dial No."));
        const char* first = page == 0 ? "00" : "50";
        const char* last = page == 0 ? "49" : "89";
        ASSERT_TRUE(texts.count(first));
        EXPECT_EQ(ReportCellTextTop(layout, 1), texts[first]->top);
        ASSERT_TRUE(texts.count(last));
        EXPECT_EQ(ReportCellTextTop(layout, page == 0 ? 50 : 40), texts[last]->top);
        EXPECT_FALSE(texts.count(page == 0 ? "50" : "49"));
    }

    // Every cell text stays inside its column, 6 pixels clear of the next line; long ones end
    // in "...".
    std::vector<DrawOp> ops = ComposeReportPage(report, layout, 0, date, Measure(&device));
    int shortened = 0;
    for (const DrawOp& op : ops) {
        if (op.kind != DRAW_TEXT || op.top < layout.tableTop)
            continue;
        int column = 0;
        while (column + 1 < layout.columnCount && op.left >= layout.columnLeft[column + 1])
            column++;
        EXPECT_EQ(ReportCellTextLeft(layout, column), op.left) << op.text;
        EXPECT_LE(op.right, layout.columnLeft[column + 1] - REPORT_FIT_GAP) << op.text;
        if (op.text.size() > 3 && op.text.compare(op.text.size() - 3, 3, "...") == 0)
            shortened++;
    }
    EXPECT_GE(shortened, 50) << "the long names are shortened on every row";
    EXPECT_TRUE(ComposeReportPage(report, layout, 2, date, Measure(&device)).empty());
}

TEST(PreviewGeometry, HalvesTheResolutionUntilTheBitmapFits)
{
    PageGeometry page = Page(1200, A4_W, A4_H);
    PageGeometry small = PreviewGeometry(page, 12000000);
    EXPECT_EQ(300, small.dpiX);
    EXPECT_LE(static_cast<long long>(small.width) * small.height, 12000000);
    PageGeometry same = PreviewGeometry(DefaultPageGeometry(), 12000000);
    EXPECT_EQ(300, same.dpiX);
    EXPECT_EQ(2380, same.width);
    EXPECT_EQ(3408, same.height);
}

}  // namespace

namespace {

TEST_F(PrintLayout, ANarrowPageKeepsEveryStepInsideItsMargins)
{
    device.dpiX = 72;  // title 20 px, rows 12 px, table text 8 px high, 4 px a character
    PageGeometry narrow{72, 72, 200, 800, 200, 800, 0, 0};
    for (int kind : {REPORT_QUICK, REPORT_SPEED, REPORT_GROUP}) {
        ReportContent report = Build(kind, 1);
        ReportLayout layout = Layout(report, narrow);
        EXPECT_EQ(layout.right, layout.columnLeft[layout.columnCount]);
        std::vector<DrawOp> ops =
            ComposeReportPage(report, layout, 0, ReportDate{2024, 12, 31}, Measure(&device));
        for (size_t i = 1; i < ops.size(); i++) {
            EXPECT_GE(ops[i].left, layout.left) << "kind " << kind << " \"" << ops[i].text << "\"";
            EXPECT_LE(ops[i].right, layout.right)
                << "kind " << kind << " \"" << ops[i].text << "\"";
        }
    }
}

}  // namespace

TEST(PreviewColours, AHighContrastScreenShowsThePageInItsOwnColours)
{
    const PageColours theme = {0x000000, 0xFFFF00, 0x3C3C3C};  // black paper, yellow ink
    const struct {
        uint32_t composed, shown;
    } cases[] = {{0xFFFFFF, 0x000000}, {0x000000, 0xFFFF00}, {0x404040, 0xFFFF00},
                 {0xE8E8E8, 0x3C3C3C}, {0xFF000000u | 0xFFFFFF, 0x000000}};
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, ShownColour(c.composed, theme)) << std::hex << c.composed;
}
