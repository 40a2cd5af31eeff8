// The printed dial lists: report contents, layout and page composition. See print_layout.h.
#include "print/print_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dial/dial_rows.h"
#include "document/dial_records.h"
#include "document/document.h"
#include "resources/resource_ids.h"

const ReportFontStyle REPORT_FONTS[REPORT_FONT_COUNT] = {
    {20, 700},  // title
    {12, 700},  // header; its line height is also the row height
    {8, 100},   // table
};

int ReportFontHeight(int font, int dpiX)
{
    if (font < 0 || font >= REPORT_FONT_COUNT)
        return 0;
    return REPORT_FONTS[font].points * dpiX / 72;
}

namespace {

std::string Load(const StringSource& strings, int id)
{
    return strings.load ? strings.load(strings.context, id) : std::string();
}

// Texts of a stored field that may lack its terminator.
template <size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

std::string CellText(const RowCell& cell, const StringSource& strings)
{
    if (cell.stringId)
        return Load(strings, cell.stringId);
    return FieldText(cell.text);
}

ReportColumn Fixed(const StringSource& strings, int headingId, std::vector<int> sampleIds = {})
{
    ReportColumn column{Load(strings, headingId), COLUMN_FIXED, 0, {}};
    for (int id : sampleIds)
        column.samples.push_back(Load(strings, id));
    return column;
}

ReportColumn Share(const StringSource& strings, int headingId, int share)
{
    return ReportColumn{Load(strings, headingId), COLUMN_SHARE, share, {}};
}

ReportColumn Rest(const StringSource& strings, int headingId)
{
    return ReportColumn{Load(strings, headingId), COLUMN_REST, 0, {}};
}

// Name takes twelve seventieths of what the fixed columns leave, SUB and SID ten each, and
// Destination (fax numbers of up to 50 digits, addresses of up to 64 characters) the rest.
constexpr int NAME_SHARE = 12;
constexpr int CODE_SHARE = 10;
// In the Group report, the group's name and the member's name share the width equally.
constexpr int GROUP_NAME_SHARE = 35;

void DialColumns(ReportContent* report, int kind, int a3Model, const StringSource& strings)
{
    std::vector<ReportColumn>& c = report->columns;
    c.push_back(
        Fixed(strings, kind == REPORT_QUICK ? IDS_PRINT_COL_QUICK_NO : IDS_PRINT_COL_SPEED_NO));
    c.push_back(Share(strings, IDS_COL_NAME, NAME_SHARE));
    c.push_back(Rest(strings, IDS_COL_DESTINATION));
    c.push_back(Share(strings, IDS_COL_SUB, CODE_SHARE));
    c.push_back(Share(strings, IDS_COL_SID, CODE_SHARE));
    c.push_back(Fixed(strings, IDS_COL_SPEED, {IDS_SPEED_9600, IDS_SPEED_14400, IDS_SPEED_33600}));
    if (!a3Model)
        return;
    c.push_back(Fixed(strings, IDS_COL_OPTION1, {IDS_CUSTOM_SCAN_OFF, IDS_CUSTOM_SCAN_ON}));
    c.push_back(Fixed(strings, IDS_COL_OPTION2,
                      {IDS_SCAN_SIZE_A4, IDS_SCAN_SIZE_B4_JIS, IDS_SCAN_SIZE_A3,
                       IDS_SCAN_SIZE_LETTER, IDS_SCAN_SIZE_LEDGER}));
    c.push_back(Fixed(strings, IDS_COL_OPTION3, {IDS_SCAN_RES_DETAIL, IDS_SCAN_RES_FINE}));
    c.push_back(Fixed(strings, IDS_COL_OPTION4,
                      {IDS_SCAN_CODING_MH, IDS_SCAN_CODING_MR, IDS_SCAN_CODING_MMR}));
}

ReportRow RowFrom(const DialRow& row, int columns, const StringSource& strings)
{
    ReportRow out{};
    for (int i = 0; i < columns && i < DIAL_COLUMN_COUNT; i++)
        out.cells[i] = CellText(row.cells[i], strings);
    out.blockRows = 1;
    return out;
}

void DialRows(ReportContent* report, int kind, const EditState& state, int keyCount, int a3Model,
              const StringSource& strings)
{
    const int inch = IsInchDevice(state);
    const int columns = static_cast<int>(report->columns.size());
    const int count = kind == REPORT_QUICK ? keyCount : SPEED_DIAL_COUNT;
    for (int i = 0; i < count; i++) {
        DialRecord record;
        DialRow row;
        if (kind == REPORT_QUICK) {
            DecodeQuickKey(&record, state, i);
            row = BuildQuickDialRow(record, i, a3Model, inch);
        } else {
            DecodeSpeedEntry(&record, state, i);
            row = BuildSpeedDialRow(record, i, a3Model, inch);
        }
        report->rows.push_back(RowFrom(row, columns, strings));
    }
}

void GroupRows(ReportContent* report, const EditState& state, int keyCount,
               const StringSource& strings)
{
    const std::string format = Load(strings, IDS_PRINT_MEMBER_FORMAT);
    const std::string quickName = Load(strings, IDS_QUICK_DIAL_LIST);
    const std::string speedName = Load(strings, IDS_SPEED_DIAL_LIST);
    char number[16];
    for (int i = 0; i < keyCount; i++) {
        DialRecord group;
        DecodeGroupKey(&group, state, i);
        ReportRow key{};
        std::snprintf(number, sizeof number, "%02d", i + 1);
        key.cells[0] = number;
        key.blockRows = 1;
        const int isGroup = group.inUse && group.kind == KIND_GROUP;
        const int members = isGroup ? std::min<int>(group.memberCount, GROUP_MEMBER_MAX) : 0;
        if (isGroup) {
            key.cells[1] = FieldText(group.name);
            key.blockRows = 1 + members;
        }
        report->rows.push_back(key);
        for (int k = 0; k < members; k++) {
            const DialMember& member = group.members[k];
            DialRecord entry;
            const int known = DecodeMember(&entry, member, state);
            ReportRow row{};
            const std::string& listName = member.table == MEMBER_TABLE_QUICK   ? quickName
                                          : member.table == MEMBER_TABLE_SPEED ? speedName
                                                                               : std::string();
            row.cells[2] = MemberNumberText(format, listName, member.table, member.index);
            if (known && entry.inUse)
                row.cells[3] = FieldText(entry.name);
            report->rows.push_back(row);
        }
    }
}

}  // namespace

std::string MemberNumberText(const std::string& format, const std::string& listName,
                             int memberTable, int memberIndex)
{
    // The member pane and the lists show key i as i + 1 and Speed Dial entry i as i itself.
    const int stored = (memberIndex + 1) & 0xFF;
    const int number = memberTable == MEMBER_TABLE_SPEED ? stored - 1 : stored;
    return FormatReportText(format, {listName}, {number});
}

ReportContent BuildReport(int kind, const EditState& state, int keyCount, int a3Model,
                          const StringSource& strings)
{
    ReportContent report{};
    report.kind = kind;
    keyCount = std::max(0, std::min(keyCount, QUICK_KEY_COUNT));
    report.title = Load(strings, kind == REPORT_QUICK   ? IDS_QUICK_DIAL_LIST
                                 : kind == REPORT_SPEED ? IDS_SPEED_DIAL_LIST
                                                        : IDS_GROUP_LIST);
    report.pageFormat = Load(strings, IDS_PRINT_PAGE);
    report.dateFormat = Load(strings, IDS_PRINT_DATE_FORMAT);
    report.nameLine =
        Load(strings, IDS_PRINT_NAME_LABEL) + " " + FieldText(state.properties.deviceName);
    report.faxLine =
        Load(strings, IDS_PRINT_FAX_LABEL) + " " + FieldText(state.properties.faxNumber);
    if (kind == REPORT_GROUP) {
        const std::string format = Load(strings, IDS_PRINT_MEMBER_FORMAT);
        report.columns.push_back(Fixed(strings, IDS_PRINT_COL_GROUP_NO));
        report.columns.push_back(Share(strings, IDS_COL_NAME, GROUP_NAME_SHARE));
        ReportColumn member = Fixed(strings, IDS_PRINT_COL_MEMBER_NO);
        member.samples = {MemberNumberText(format, Load(strings, IDS_QUICK_DIAL_LIST),
                                           MEMBER_TABLE_QUICK, QUICK_KEY_COUNT - 1),
                          MemberNumberText(format, Load(strings, IDS_SPEED_DIAL_LIST),
                                           MEMBER_TABLE_SPEED, SPEED_DIAL_COUNT - 1)};
        report.columns.push_back(member);
        report.columns.push_back(Rest(strings, IDS_PRINT_COL_MEMBER));
        GroupRows(&report, state, keyCount, strings);
    } else {
        DialColumns(&report, kind, a3Model, strings);
        DialRows(&report, kind, state, keyCount, a3Model, strings);
    }
    return report;
}

std::string FormatReportText(const std::string& format, const std::vector<std::string>& texts,
                             const std::vector<int>& numbers)
{
    std::string out;
    size_t nextText = 0, nextNumber = 0;
    for (size_t i = 0; i < format.size(); i++) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        size_t j = i + 1;
        const bool zero = j < format.size() && format[j] == '0';
        if (zero)
            j++;
        int width = 0;
        while (j < format.size() && format[j] >= '0' && format[j] <= '9' && width < 100)
            width = width * 10 + (format[j++] - '0');
        const char conversion = j < format.size() ? format[j] : '\0';
        if (conversion == '%' && j == i + 1) {
            out += '%';
            i = j;
        } else if (conversion == 'd') {
            if (nextNumber < numbers.size()) {
                char digits[128];
                std::snprintf(digits, sizeof digits, zero ? "%0*d" : "%*d", width,
                              numbers[nextNumber]);
                out += digits;
            }
            nextNumber++;
            i = j;
        } else if (conversion == 's') {
            if (nextText < texts.size())
                out += texts[nextText];
            nextText++;
            i = j;
        } else {
            out += '%';
        }
    }
    return out;
}

std::string FitText(const TextMeasure& measure, int font, const std::string& text, int width)
{
    const int room = width - REPORT_FIT_GAP;
    auto fits = [&](const std::string& candidate) {
        return measure.width(measure.context, font, candidate.c_str()) < room;
    };
    if (text.empty() || fits(text))
        return text;
    // Where characters start: a cut between the two bytes of one would leave half of it.
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); i++) {
        starts.push_back(i);
        if (measure.leadByte && measure.leadByte(measure.context,
                                                 static_cast<unsigned char>(text[i])) &&
            i + 1 < text.size())
            i++;
    }
    // Each step is one character shorter than the last, its end replaced by "...".
    for (size_t k = starts.size(); k-- > 0;) {
        if (starts[k] + 4 > text.size())
            continue;
        std::string candidate = text.substr(0, starts[k]) + "...";
        if (fits(candidate))
            return candidate;
    }
    return std::string();
}

// ---- Layout -----------------------------------------------------------------------------

PageGeometry DefaultPageGeometry()
{
    PageGeometry page{};
    page.dpiX = page.dpiY = 300;
    page.paperWidth = 2480;   // 210 mm
    page.paperHeight = 3508;  // 297 mm
    page.offsetX = page.offsetY = 50;
    page.width = page.paperWidth - 2 * page.offsetX;
    page.height = page.paperHeight - 2 * page.offsetY;
    return page;
}

PageGeometry PreviewGeometry(const PageGeometry& page, long long maxPixels)
{
    PageGeometry out = page;
    while (static_cast<long long>(out.width) * out.height > maxPixels && out.dpiX > 1 &&
           out.dpiY > 1) {
        out.dpiX /= 2;
        out.dpiY /= 2;
        out.width /= 2;
        out.height /= 2;
        out.paperWidth /= 2;
        out.paperHeight /= 2;
        out.offsetX /= 2;
        out.offsetY /= 2;
    }
    return out;
}

int ReportRowsPerPage(const PageGeometry& page, int titleHeight, int rowHeight)
{
    if (rowHeight <= 0)
        return 0;
    const int rows = (page.height - page.dpiY - titleHeight - 2 * rowHeight) / rowHeight;
    return std::max(0, std::min(rows, REPORT_ROWS_MAX));
}

std::vector<int> PaginateReport(const std::vector<ReportRow>& rows, int entriesPerPage)
{
    std::vector<int> starts;
    if (entriesPerPage < 1)
        return starts;
    starts.push_back(0);
    int used = 0;
    const int count = static_cast<int>(rows.size());
    for (int i = 0; i < count; i++) {
        const int block = rows[i].blockRows;
        const bool blockStart = block > 0;
        const bool newPage =
            used == entriesPerPage ||
            (blockStart && used > 0 && block <= entriesPerPage && used + block > entriesPerPage);
        if (newPage) {
            starts.push_back(i);
            used = 0;
        }
        used++;
    }
    return starts;
}

std::vector<int> ReportColumnWidths(const ReportContent& report, int tableWidth,
                                    const TextMeasure& measure)
{
    const int count = static_cast<int>(report.columns.size());
    std::vector<int> widths(count, 0), least(count, 0);
    if (count == 0)
        return widths;
    tableWidth = std::max(0, tableWidth);
    auto textWidth = [&](const std::string& text) {
        return measure.width(measure.context, FONT_TABLE, text.c_str());
    };
    int rest = count - 1, fixed = 0;
    for (int i = 0; i < count; i++) {
        const ReportColumn& column = report.columns[i];
        int widest = textWidth(column.heading);
        if (column.sizing == COLUMN_FIXED)
            for (const std::string& sample : column.samples)
                widest = std::max(widest, textWidth(sample));
        least[i] = widest + REPORT_COLUMN_PAD;
        if (column.sizing == COLUMN_FIXED) {
            widths[i] = least[i];
            fixed += widths[i];
        } else if (column.sizing == COLUMN_REST) {
            rest = i;
        }
    }
    const int left = std::max(0, tableWidth - fixed);
    int others = 0;
    for (int i = 0; i < count; i++) {
        if (i == rest)
            continue;
        if (report.columns[i].sizing == COLUMN_SHARE)
            widths[i] = std::max(left * report.columns[i].share / 70, least[i]);
        others += widths[i];
    }
    widths[rest] = tableWidth - others;
    if (widths[rest] >= least[rest])
        return widths;
    // Too narrow for every heading: all columns shrink in proportion to what they need.
    long long needed = 0;
    for (int w : least)
        needed += w;
    int sum = 0;
    for (int i = 0; i < count; i++) {
        widths[i] = static_cast<int>(least[i] * static_cast<long long>(tableWidth) / needed);
        sum += widths[i];
    }
    widths[rest] += tableWidth - sum;
    return widths;
}

int LayoutReport(const ReportContent& report, const PageGeometry& page, const TextMeasure& measure,
                 ReportLayout* layout)
{
    *layout = ReportLayout{};
    layout->page = page;
    layout->left = page.dpiX / 4;
    layout->right = page.width - page.dpiX / 4;
    layout->top = page.dpiY / 2;
    layout->titleHeight = measure.lineHeight(measure.context, FONT_TITLE);
    layout->rowHeight = measure.lineHeight(measure.context, FONT_HEADER);
    layout->tableLineHeight = measure.lineHeight(measure.context, FONT_TABLE);
    layout->lineWidth = std::max(1, page.dpiX / 150);  // 0.17 mm: visible on paper and reduced
    layout->rowsPerPage = ReportRowsPerPage(page, layout->titleHeight, layout->rowHeight);
    layout->tableTop = layout->top + layout->titleHeight + 2 * layout->rowHeight;
    layout->columnCount = std::min(static_cast<int>(report.columns.size()), REPORT_COLUMN_MAX);
    const int tableWidth = layout->right - layout->left;
    if (layout->rowsPerPage < 2 || tableWidth <= 0 || layout->columnCount == 0)
        return 0;
    std::vector<int> widths = ReportColumnWidths(report, tableWidth, measure);
    layout->columnLeft[0] = layout->left;
    for (int i = 0; i < layout->columnCount; i++)
        layout->columnLeft[i + 1] = layout->columnLeft[i] + widths[i];
    layout->pageStarts = PaginateReport(report.rows, layout->rowsPerPage - 1);
    return layout->pageStarts.empty() ? 0 : 1;
}

int ReportRowTop(const ReportLayout& layout, int row)
{
    return layout.tableTop + row * layout.rowHeight;
}

int ReportCellTextLeft(const ReportLayout& layout, int column)
{
    return layout.columnLeft[column] + layout.lineWidth + REPORT_CELL_OFFSET;
}

int ReportCellTextTop(const ReportLayout& layout, int row)
{
    return ReportRowTop(layout, row) + (layout.rowHeight - layout.tableLineHeight) / 2;
}

int ReportCellRoom(const ReportLayout& layout, int column)
{
    return layout.columnLeft[column + 1] - ReportCellTextLeft(layout, column);
}

// ---- Composition ------------------------------------------------------------------------

namespace {

DrawOp Fill(int left, int top, int right, int bottom, uint32_t color)
{
    return DrawOp{DRAW_FILL, 0, color, left, top, right, bottom, std::string()};
}

DrawOp Text(const TextMeasure& measure, int font, int left, int top, const std::string& text)
{
    const int width = measure.width(measure.context, font, text.c_str());
    const int height = measure.lineHeight(measure.context, font);
    return DrawOp{DRAW_TEXT, font, REPORT_BLACK, left, top, left + width, top + height, text};
}

int Width(const TextMeasure& measure, int font, const std::string& text)
{
    return measure.width(measure.context, font, text.c_str());
}

void AddText(std::vector<DrawOp>* ops, const DrawOp& op)
{
    if (!op.text.empty())
        ops->push_back(op);
}

void Header(std::vector<DrawOp>* ops, const ReportContent& report, const ReportLayout& l, int page,
            const ReportDate& date, const TextMeasure& measure)
{
    const int pages = static_cast<int>(l.pageStarts.size());
    // A translated format may be long: the corner texts never run off the page's left edge.
    const int cornerRoom = l.right - REPORT_CORNER_INSET - l.left + REPORT_FIT_GAP;
    const std::string pageText =
        FitText(measure, FONT_HEADER, FormatReportText(report.pageFormat, {}, {page + 1, pages}),
                cornerRoom);
    const std::string dateText = FitText(
        measure, FONT_HEADER,
        FormatReportText(report.dateFormat, {}, {date.year, date.month, date.day}), cornerRoom);
    const int pageWidth = Width(measure, FONT_HEADER, pageText);
    const int dateWidth = Width(measure, FONT_HEADER, dateText);
    const int corner = l.right - REPORT_CORNER_INSET;
    const int cornerWidth = std::max(pageWidth, dateWidth);
    // The title and the device lines give way to the page and date texts at the right.
    const int room = corner - cornerWidth - l.rowHeight - l.left;

    const std::string title = FitText(measure, FONT_TITLE, report.title,
                                      std::max(0, room - REPORT_TITLE_PAD + REPORT_FIT_GAP));
    const int titleWidth = Width(measure, FONT_TITLE, title);
    ops->push_back(Fill(l.left, l.top, std::min(l.right, l.left + titleWidth + REPORT_TITLE_PAD),
                        l.top + l.titleHeight, REPORT_TITLE_GREY));
    AddText(ops, Text(measure, FONT_TITLE, l.left + REPORT_TITLE_PAD / 2, l.top, title));

    AddText(ops, Text(measure, FONT_HEADER, corner - pageWidth, l.top, pageText));
    AddText(ops, Text(measure, FONT_HEADER, corner - dateWidth, l.top + l.rowHeight, dateText));

    const int nameTop = l.top + l.titleHeight;
    AddText(ops, Text(measure, FONT_HEADER, l.left, nameTop,
                      FitText(measure, FONT_HEADER, report.nameLine, room)));
    AddText(ops, Text(measure, FONT_HEADER, l.left, nameTop + l.rowHeight,
                      FitText(measure, FONT_HEADER, report.faxLine, room)));
}

void Grid(std::vector<DrawOp>* ops, const ReportLayout& l)
{
    const int lw = l.lineWidth;
    const int bottom = ReportRowTop(l, l.rowsPerPage);
    for (int row = 0; row < l.rowsPerPage; row += 2)
        ops->push_back(Fill(l.left + lw, ReportRowTop(l, row) + lw, l.right - lw,
                            row + 1 == l.rowsPerPage ? bottom - lw : ReportRowTop(l, row + 1),
                            REPORT_ROW_GREY));
    for (int row = 0; row < l.rowsPerPage; row++) {
        const int y = ReportRowTop(l, row);
        ops->push_back(Fill(l.left, y, l.right, y + lw, REPORT_BLACK));
    }
    ops->push_back(Fill(l.left, bottom - lw, l.right, bottom, REPORT_BLACK));
    for (int column = 0; column < l.columnCount; column++) {
        const int x = l.columnLeft[column];
        ops->push_back(Fill(x, l.tableTop, x + lw, bottom, REPORT_BLACK));
    }
    ops->push_back(Fill(l.right - lw, l.tableTop, l.right, bottom, REPORT_BLACK));
}

void Cell(std::vector<DrawOp>* ops, const ReportLayout& l, int row, int column,
          const std::string& text, const TextMeasure& measure)
{
    if (text.empty())
        return;
    AddText(ops, Text(measure, FONT_TABLE, ReportCellTextLeft(l, column), ReportCellTextTop(l, row),
                      FitText(measure, FONT_TABLE, text, ReportCellRoom(l, column))));
}

}  // namespace

std::vector<DrawOp> ComposeReportPage(const ReportContent& report, const ReportLayout& layout,
                                      int page, const ReportDate& date, const TextMeasure& measure)
{
    std::vector<DrawOp> ops;
    const int pages = static_cast<int>(layout.pageStarts.size());
    if (page < 0 || page >= pages || layout.rowsPerPage < 2)
        return ops;
    ops.push_back(Fill(0, 0, layout.page.width, layout.page.height, REPORT_WHITE));
    Header(&ops, report, layout, page, date, measure);
    Grid(&ops, layout);
    for (int column = 0; column < layout.columnCount; column++)
        Cell(&ops, layout, 0, column, report.columns[column].heading, measure);
    const int first = layout.pageStarts[page];
    const int end =
        page + 1 < pages ? layout.pageStarts[page + 1] : static_cast<int>(report.rows.size());
    for (int i = first; i < end && i - first + 1 < layout.rowsPerPage; i++)
        for (int column = 0; column < layout.columnCount; column++)
            Cell(&ops, layout, i - first + 1, column, report.rows[i].cells[column], measure);
    return ops;
}

uint32_t ShownColour(uint32_t composed, const PageColours& colours)
{
    if ((composed & 0xFFFFFF) == 0xFFFFFF)
        return colours.paper;
    const uint32_t r = (composed >> 16) & 0xFF, g = (composed >> 8) & 0xFF, b = composed & 0xFF;
    // Rec. 601 luma: rules and text are dark, the banding of rows is light.
    return (299 * r + 587 * g + 114 * b) / 1000 < 128 ? colours.ink : colours.shade;
}
