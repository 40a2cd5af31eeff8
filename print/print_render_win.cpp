/*
 * The one drawing function of the reports: fonts for the device's resolution, the portable
 * layout measured on the device itself, and the composed steps carried out with GDI.
 */
#include "print/print_render_win.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "document/document.h"
#include "ui/app_state.h"
#include "ui/ui_win.h"

namespace {

constexpr int TEXT_SIZE = 512;

/* The program's ANSI text as UTF-16: measured and drawn a character at a time, so a
 * double-byte character of an East Asian code page is never taken for two. */
std::wstring Wide(const char* text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

int MeasureWidth(void* context, int font, const char* text)
{
    ReportFonts* fonts = static_cast<ReportFonts*>(context);
    if (font < 0 || font >= REPORT_FONT_COUNT)
        return 0;
    SelectObject(fonts->dc, fonts->fonts[font]);
    const std::wstring wide = Wide(text);
    SIZE size = {};
    GetTextExtentPoint32W(fonts->dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

int IsLeadByte(void*, unsigned char byte) { return IsDBCSLeadByte(byte); }

int MeasureLineHeight(void* context, int font)
{
    ReportFonts* fonts = static_cast<ReportFonts*>(context);
    if (font < 0 || font >= REPORT_FONT_COUNT)
        return 0;
    SelectObject(fonts->dc, fonts->fonts[font]);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(fonts->dc, &metrics);
    return metrics.tmHeight;
}

std::string LoadProgramString(void*, int id)
{
    char text[TEXT_SIZE];
    return LoadStr(static_cast<UINT>(id), text, sizeof text);
}

COLORREF AsColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

void Render(HDC dc, ReportFonts& fonts, const std::vector<DrawOp>& ops, const PageColours* colours)
{
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours ? AsColorRef(colours->ink) : RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    for (const DrawOp& op : ops) {
        if (op.kind == DRAW_FILL) {
            RECT r = {op.left, op.top, op.right, op.bottom};
            HBRUSH brush =
                CreateSolidBrush(AsColorRef(colours ? ShownColour(op.color, *colours) : op.color));
            FillRect(dc, &r, brush);
            DeleteObject(brush);
        } else if (op.kind == DRAW_TEXT && op.font >= 0 && op.font < REPORT_FONT_COUNT) {
            SelectObject(dc, fonts.fonts[op.font]);
            DrawMeasuredText(dc, op.left, op.top, op.text.c_str());
        }
    }
    RestoreDC(dc, saved);
}

}  // namespace

void DrawMeasuredText(HDC dc, int x, int y, const char* text)
{
    const std::wstring wide = Wide(text);
    const int length = static_cast<int>(wide.size());
    if (length <= 0)
        return;
    std::vector<INT> ends(length), advances(length);
    int fit = 0;
    SIZE size = {};
    if (!GetTextExtentExPointW(dc, wide.c_str(), length, INT_MAX, &fit, ends.data(), &size)) {
        TextOutW(dc, x, y, wide.c_str(), length);
        return;
    }
    for (int i = 0; i < length; i++)
        advances[i] = ends[i] - (i > 0 ? ends[i - 1] : 0);
    ExtTextOutW(dc, x, y, 0, nullptr, wide.c_str(), static_cast<UINT>(length), advances.data());
}

int OpenReportFonts(ReportFonts* fonts, HDC dc, int dpiX)
{
    std::memset(fonts, 0, sizeof *fonts);
    fonts->dc = dc;
    for (int i = 0; i < REPORT_FONT_COUNT; i++) {
        fonts->fonts[i] =
            CreateFontA(ReportFontHeight(i, dpiX), 0, 0, 0, REPORT_FONTS[i].weight, FALSE, FALSE,
                        FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
        if (!fonts->fonts[i]) {
            CloseReportFonts(fonts);
            return 0;
        }
    }
    return 1;
}

void CloseReportFonts(ReportFonts* fonts)
{
    /* The device may still have one of them selected: give it its own font back first. */
    if (fonts->dc)
        SelectObject(fonts->dc, GetStockObject(SYSTEM_FONT));
    for (HFONT& font : fonts->fonts) {
        if (font)
            DeleteObject(font);
        font = nullptr;
    }
}

TextMeasure MeasureWith(ReportFonts* fonts)
{
    return TextMeasure{fonts, MeasureWidth, MeasureLineHeight, IsLeadByte};
}

PageGeometry PrinterGeometry(HDC printer)
{
    PageGeometry page = {};
    page.dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    page.dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    page.width = GetDeviceCaps(printer, HORZRES);
    page.height = GetDeviceCaps(printer, VERTRES);
    page.paperWidth = GetDeviceCaps(printer, PHYSICALWIDTH);
    page.paperHeight = GetDeviceCaps(printer, PHYSICALHEIGHT);
    page.offsetX = GetDeviceCaps(printer, PHYSICALOFFSETX);
    page.offsetY = GetDeviceCaps(printer, PHYSICALOFFSETY);
    if (page.paperWidth < page.width || page.paperHeight < page.height) {
        page.paperWidth = page.width;
        page.paperHeight = page.height;
        page.offsetX = page.offsetY = 0;
    }
    return page;
}

int LayoutReportOn(HDC dc, const PageGeometry& geometry, const ReportContent& report,
                   ReportLayout* layout)
{
    ReportFonts fonts;
    if (!OpenReportFonts(&fonts, dc, geometry.dpiX))
        return 0;
    const int laidOut = LayoutReport(report, geometry, MeasureWith(&fonts), layout);
    CloseReportFonts(&fonts);
    return laidOut;
}

int DrawReportPage(HDC dc, const PageGeometry& geometry, const ReportContent& report, int page,
                   const ReportDate& date, const PageColours* colours)
{
    ReportFonts fonts;
    if (!OpenReportFonts(&fonts, dc, geometry.dpiX))
        return 0;
    const TextMeasure measure = MeasureWith(&fonts);
    ReportLayout layout;
    int pages = 0;
    if (LayoutReport(report, geometry, measure, &layout)) {
        std::vector<DrawOp> ops = ComposeReportPage(report, layout, page, date, measure);
        if (!ops.empty()) {
            Render(dc, fonts, ops, colours);
            pages = static_cast<int>(layout.pageStarts.size());
        }
    }
    CloseReportFonts(&fonts);
    return pages;
}

ReportContent BuildProgramReport(int kind)
{
    const int keys =
        static_cast<int>(kind == REPORT_GROUP ? gApp.groupKeyCount : gApp.quickKeyCount);
    return BuildReport(kind, gDocument.edit, keys, gApp.model == MODEL_A3,
                       StringSource{nullptr, LoadProgramString});
}

ReportDate TodayForReport()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ReportDate{now.wYear, now.wMonth, now.wDay};
}

int CreatePageBitmap(PageBitmap* page, int width, int height)
{
    std::memset(page, 0, sizeof *page);
    if (width <= 0 || height <= 0)
        return 0;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = height;  // bottom-up, as printers' bands and most DIBs are
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 256;
    for (int i = 0; i < 256; i++)
        info.colors[i] =
            RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    void* bits = nullptr;
    page->bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
    if (!page->bitmap)
        return 0;
    page->dc = CreateCompatibleDC(nullptr);
    if (!page->dc) {
        DeleteObject(page->bitmap);
        page->bitmap = nullptr;
        return 0;
    }
    page->previous = SelectObject(page->dc, page->bitmap);
    page->bits = static_cast<unsigned char*>(bits);
    page->width = width;
    page->height = height;
    page->stride = (width + 3) & ~3;
    std::memset(page->bits, 255, static_cast<size_t>(page->stride) * height);
    return 1;
}

void DeletePageBitmap(PageBitmap* page)
{
    if (page->dc) {
        SelectObject(page->dc, page->previous);
        DeleteDC(page->dc);
    }
    if (page->bitmap)
        DeleteObject(page->bitmap);
    std::memset(page, 0, sizeof *page);
}

int PageBitmapPixel(const PageBitmap& page, int x, int y)
{
    if (!page.bits || x < 0 || y < 0 || x >= page.width || y >= page.height)
        return 255;
    GdiFlush();
    return page.bits[static_cast<size_t>(page.height - 1 - y) * page.stride + x];
}
