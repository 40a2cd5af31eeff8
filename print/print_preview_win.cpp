/*
 * File, Print Preview: the pages of the chosen lists as they will print, drawn by the same
 * function as the printer's pages onto a bitmap of the default printer's page (A4 at 300 dpi
 * when no printer is installed) and shown scaled: the whole page or the page's width, page by
 * page. Its Print button prints the lists it shows.
 */
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "print/print_render_win.h"
#include "print/print_win.h"
#include "resources/resource_ids.h"
#include "ui/accessible_names_win.h"
#include "ui/app_state.h"
#include "ui/dpi_scale.h"
#include "ui/ui_win.h"

namespace {

const char PAGE_CLASS[] = "MoravelPreviewPage";
/* A bitmap of the page larger than this many pixels (8 bits each) is drawn at half the
 * resolution instead: a 600 dpi A4 page fits, a 1200 dpi one is shown at 600. */
constexpr long long MAX_BITMAP_PIXELS = 40LL * 1000 * 1000;
// Screen pixels at 96 DPI, scaled to the window's.
constexpr int MARGIN = 12;  // grey around the sheet
constexpr int SHADOW = 4;
constexpr int LINE_STEP = 40;  // one scroll line
constexpr int MIN_WIDTH = 360, MIN_HEIGHT = 240;

int Px(int size) { return ScaleToDpi(size, gApp.dpi); }
constexpr int TEXT_SIZE = 512;

struct PreviewPage {
    int report;  // index into reports
    int page;    // page of that report
    int pages;   // that report's page count
};

struct Preview {
    HWND mainWindow;
    PrintChoice choice;
    PageGeometry geometry;
    ReportDate date;
    std::vector<ReportContent> reports;
    std::vector<PreviewPage> pages;
    int current;
    int fitWidth;  // 0 whole page, 1 the sheet's width fills the window (scrolls)
    int scroll;    // fit-width mode: screen pixels scrolled down
    PageBitmap bitmap;
    int drawnPage;  // the page the bitmap holds, -1 none
    HBITMAP scaled;
    int scaledPage, scaledWidth, scaledHeight;
};

Preview* PreviewOf(HWND dialog)
{
    return reinterpret_cast<Preview*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

/* The default printer's page; A4 at 300 dpi without one. */
PageGeometry DefaultPrinterGeometry()
{
    char name[512];
    DWORD size = sizeof name;
    PageGeometry page = DefaultPageGeometry();
    if (!GetDefaultPrinterA(name, &size))
        return page;
    HDC info = CreateICA("WINSPOOL", name, nullptr, nullptr);
    if (!info)
        return page;
    PageGeometry printer = PrinterGeometry(info);
    DeleteDC(info);
    if (printer.dpiX > 0 && printer.dpiY > 0 && printer.width > 0 && printer.height > 0)
        page = printer;
    return page;
}

void DropScaled(Preview* p)
{
    if (p->scaled)
        DeleteObject(p->scaled);
    p->scaled = nullptr;
    p->scaledPage = -1;
}

/* The sheet's rectangle in the page window's client area, scrolled. */
RECT SheetRect(const Preview& p, const RECT& client)
{
    const int roomW = client.right - 2 * Px(MARGIN);
    const int roomH = client.bottom - 2 * Px(MARGIN);
    const PageGeometry& g = p.geometry;
    int width = roomW, height = 1;
    if (roomW > 0 && roomH > 0) {
        height = MulDiv(width, g.paperHeight, g.paperWidth);
        if (!p.fitWidth && height > roomH) {
            height = roomH;
            width = MulDiv(height, g.paperWidth, g.paperHeight);
        }
    }
    RECT sheet;
    sheet.left = (client.right - width) / 2;
    sheet.top = Px(MARGIN) - (p.fitWidth ? p.scroll : 0);
    sheet.right = sheet.left + width;
    sheet.bottom = sheet.top + height;
    return sheet;
}

/* Scroll range of the fit-width view for the current window size. */
int ScrollLimit(const Preview& p, HWND pageWindow)
{
    RECT client;
    GetClientRect(pageWindow, &client);
    if (!p.fitWidth)
        return 0;
    Preview unscrolled = p;
    unscrolled.scroll = 0;
    RECT sheet = SheetRect(unscrolled, client);
    const int limit = sheet.bottom + Px(MARGIN) - client.bottom;
    return limit > 0 ? limit : 0;
}

void UpdateScrollBar(Preview* p, HWND pageWindow)
{
    const int limit = ScrollLimit(*p, pageWindow);
    if (p->scroll > limit)
        p->scroll = limit;
    if (p->scroll < 0)
        p->scroll = 0;
    RECT client;
    GetClientRect(pageWindow, &client);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = limit > 0 ? limit + client.bottom - 1 : 0;
    info.nPage = limit > 0 ? client.bottom : 0;
    info.nPos = p->scroll;
    SetScrollInfo(pageWindow, SB_VERT, &info, TRUE);
}

uint32_t Rgb(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

/* The screen's high-contrast colours for the page: the window's for the paper and ink. */
PageColours ScreenColours()
{
    return {Rgb(GetSysColor(COLOR_WINDOW)), Rgb(GetSysColor(COLOR_WINDOWTEXT)),
            Rgb(GetSysColor(COLOR_BTNFACE))};
}

/* Draws the current page into the bitmap when it holds another one. */
void DrawCurrentPage(Preview* p)
{
    if (p->drawnPage == p->current || p->pages.empty())
        return;
    const PreviewPage& page = p->pages[p->current];
    const PageColours colours = ScreenColours();
    DrawReportPage(p->bitmap.dc, p->geometry, p->reports[page.report], page.page, p->date,
                   IsHighContrast() ? &colours : nullptr);
    p->drawnPage = p->current;
    DropScaled(p);
}

/* The printable area scaled to the sheet on screen, made once per page and size. */
HBITMAP ScaledPage(Preview* p, HDC screen, int width, int height)
{
    DrawCurrentPage(p);
    if (p->scaled && p->scaledPage == p->current && p->scaledWidth == width &&
        p->scaledHeight == height)
        return p->scaled;
    DropScaled(p);
    if (width <= 0 || height <= 0)
        return nullptr;
    p->scaled = CreateCompatibleBitmap(screen, width, height);
    if (!p->scaled)
        return nullptr;
    HDC target = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(target, p->scaled);
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, width, height, p->bitmap.dc, 0, 0, p->bitmap.width, p->bitmap.height,
               SRCCOPY);
    SelectObject(target, old);
    DeleteDC(target);
    p->scaledPage = p->current;
    p->scaledWidth = width;
    p->scaledHeight = height;
    return p->scaled;
}

void PaintPage(Preview* p, HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    if (p->pages.empty())
        return;
    const RECT sheet = SheetRect(*p, client);
    RECT shadow = {sheet.left + Px(SHADOW), sheet.top + Px(SHADOW), sheet.right + Px(SHADOW),
                   sheet.bottom + Px(SHADOW)};
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
    FillRect(dc, &sheet,
             IsHighContrast() ? GetSysColorBrush(COLOR_WINDOW)
                              : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const PageGeometry& g = p->geometry;
    const int sheetW = sheet.right - sheet.left;
    const int sheetH = sheet.bottom - sheet.top;
    const int x = sheet.left + MulDiv(g.offsetX, sheetW, g.paperWidth);
    const int y = sheet.top + MulDiv(g.offsetY, sheetH, g.paperHeight);
    const int w = MulDiv(g.width, sheetW, g.paperWidth);
    const int h = MulDiv(g.height, sheetH, g.paperHeight);
    HBITMAP scaled = ScaledPage(p, dc, w, h);
    if (!scaled)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, scaled);
    BitBlt(dc, x, y, w, h, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void ScrollTo(Preview* p, HWND window, int position)
{
    p->scroll = position;
    UpdateScrollBar(p, window);
    InvalidateRect(window, nullptr, FALSE);
}

void ShowPage(HWND dialog, int index);

void OnPageScroll(Preview* p, HWND window, WPARAM wParam)
{
    RECT client;
    GetClientRect(window, &client);
    int position = p->scroll;
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        position -= Px(LINE_STEP);
        break;
    case SB_LINEDOWN:
        position += Px(LINE_STEP);
        break;
    case SB_PAGEUP:
        position -= client.bottom;
        break;
    case SB_PAGEDOWN:
        position += client.bottom;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = ScrollLimit(*p, window);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(window, SB_VERT, &info);
        position = info.nTrackPos;
        break;
    }
    default:
        return;
    }
    ScrollTo(p, window, position);
}

/* The page window: paints the sheet, scrolls with the bar, the wheel and the arrow keys, and
 * turns pages with Page Up and Page Down. */
LRESULT CALLBACK PreviewPageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND dialog = GetParent(window);
    Preview* p = dialog ? PreviewOf(dialog) : nullptr;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (p)
            PaintPage(p, window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        if (p) {
            UpdateScrollBar(p, window);
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_VSCROLL:
        if (p)
            OnPageScroll(p, window, wParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (p)
            ScrollTo(p, window,
                     p->scroll - GET_WHEEL_DELTA_WPARAM(wParam) * 3 * Px(LINE_STEP) / WHEEL_DELTA);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (!p)
            break;
        if (wParam == VK_UP || wParam == VK_DOWN)
            OnPageScroll(p, window, wParam == VK_UP ? SB_LINEUP : SB_LINEDOWN);
        else if (wParam == VK_PRIOR || wParam == VK_NEXT)
            ShowPage(dialog, p->current + (wParam == VK_PRIOR ? -1 : 1));
        else if (wParam == VK_HOME || wParam == VK_END)
            ShowPage(dialog, wParam == VK_HOME ? 0 : static_cast<int>(p->pages.size()) - 1);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterPageClass()
{
    WNDCLASSA existing;
    if (GetClassInfoA(InstanceModule(), PAGE_CLASS, &existing))
        return;
    WNDCLASSA wc = {};
    /* Global: a form from a resource library (the A3 family's, a translation) names the class
     * with the library's instance, which a class of the program's own would not match. */
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
    wc.lpfnWndProc = PreviewPageWindowProc;
    wc.hInstance = InstanceModule();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = PAGE_CLASS;
    RegisterClassA(&wc);
}

void UpdateControls(HWND dialog)
{
    Preview* p = PreviewOf(dialog);
    const int count = static_cast<int>(p->pages.size());
    char format[TEXT_SIZE] = "";
    std::string text;
    if (count > 0) {
        const PreviewPage& page = p->pages[p->current];
        LoadStr(IDS_PREVIEW_PAGE, format, sizeof format);
        text =
            FormatReportText(format, {p->reports[page.report].title}, {page.page + 1, page.pages});
    }
    SetDlgItemTextA(dialog, IDC_PREVIEW_PAGE_TEXT, text.c_str());
    HWND focus = GetFocus();
    HWND previous = GetDlgItem(dialog, IDC_PREVIEW_PREVIOUS);
    HWND next = GetDlgItem(dialog, IDC_PREVIEW_NEXT);
    EnableWindow(previous, p->current > 0);
    EnableWindow(next, p->current + 1 < count);
    /* A button that just became disabled cannot keep the keyboard. */
    if ((focus == previous || focus == next) && !IsWindowEnabled(focus))
        SetFocus(GetDlgItem(dialog, IDC_PREVIEW_PAGE));
    char zoom[TEXT_SIZE];
    SetDlgItemTextA(
        dialog, IDC_PREVIEW_ZOOM,
        LoadStr(p->fitWidth ? IDS_PREVIEW_FIT_PAGE : IDS_PREVIEW_FIT_WIDTH, zoom, sizeof zoom));
}

void ShowPage(HWND dialog, int index)
{
    Preview* p = PreviewOf(dialog);
    const int count = static_cast<int>(p->pages.size());
    if (index < 0 || index >= count || index == p->current)
        return;
    p->current = index;
    p->scroll = 0;
    HWND page = GetDlgItem(dialog, IDC_PREVIEW_PAGE);
    UpdateScrollBar(p, page);
    InvalidateRect(page, nullptr, FALSE);
    UpdateControls(dialog);
}

/* The page window fills the dialog below its row of buttons. */
void LayoutPreview(HWND dialog)
{
    RECT client, button;
    GetClientRect(dialog, &client);
    GetWindowRect(GetDlgItem(dialog, IDC_PREVIEW_PRINT), &button);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
    const int top = button.bottom + button.top;
    MoveWindow(GetDlgItem(dialog, IDC_PREVIEW_PAGE), 0, top, client.right,
               client.bottom > top ? client.bottom - top : 0, TRUE);
}

/* Opens at a size that shows a page well: most of the screen's height. */
void SizePreview(HWND dialog)
{
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int height = (work.bottom - work.top) * 9 / 10;
    RECT current;
    GetWindowRect(dialog, &current);
    int width = height * 4 / 5;
    if (width < current.right - current.left)
        width = current.right - current.left;
    if (width > work.right - work.left)
        width = work.right - work.left;
    SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER);
}

void OnPreviewCommand(HWND dialog, int command)
{
    Preview* p = PreviewOf(dialog);
    switch (command) {
    case IDC_PREVIEW_PRINT:
        if (PrintChosenLists(p->mainWindow, dialog, p->choice) > 0)
            EndDialog(dialog, 1);
        break;
    case IDC_PREVIEW_PREVIOUS:
        ShowPage(dialog, p->current - 1);
        break;
    case IDC_PREVIEW_NEXT:
        ShowPage(dialog, p->current + 1);
        break;
    case IDC_PREVIEW_ZOOM: {
        p->fitWidth = !p->fitWidth;
        p->scroll = 0;
        HWND page = GetDlgItem(dialog, IDC_PREVIEW_PAGE);
        UpdateScrollBar(p, page);
        InvalidateRect(page, nullptr, FALSE);
        UpdateControls(dialog);
        break;
    }
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    }
}

INT_PTR CALLBACK PrintPreviewDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SizePreview(dialog);
        LayoutPreview(dialog);
        UpdateScrollBar(PreviewOf(dialog), GetDlgItem(dialog, IDC_PREVIEW_PAGE));
        UpdateControls(dialog);
        GiveAccessibleNames(dialog, IDD_PRINT_PREVIEW);
        SetFocus(GetDlgItem(dialog, IDC_PREVIEW_PRINT));
        return FALSE;
    case WM_SIZE:
        LayoutPreview(dialog);
        return TRUE;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = Px(MIN_WIDTH);
        info->ptMinTrackSize.y = Px(MIN_HEIGHT);
        return TRUE;
    }
    case WM_COMMAND:
        OnPreviewCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // The page is drawn again in the colours now in force.
        if (message == WM_SYSCOLORCHANGE || wParam == SPI_SETHIGHCONTRAST) {
            Preview* p = PreviewOf(dialog);
            p->drawnPage = -1;
            DropScaled(p);
            RepaintForColours(dialog);
        }
        return TRUE;
    }
    return FALSE;
}

/* Lays out every chosen list on the preview's page; 0 (reported) when one does not fit. */
int PreparePreview(HWND owner, Preview* p)
{
    const int kinds[] = {REPORT_QUICK, REPORT_SPEED, REPORT_GROUP};
    const int chosen[] = {p->choice.quick, p->choice.speed, p->choice.group};
    for (int i = 0; i < 3; i++) {
        if (!chosen[i])
            continue;
        p->reports.push_back(BuildProgramReport(kinds[i]));
        ReportLayout layout;
        if (!LayoutReportOn(p->bitmap.dc, p->geometry, p->reports.back(), &layout)) {
            char format[TEXT_SIZE];
            LoadStr(IDS_PRINT_PAGE_TOO_SMALL, format, sizeof format);
            ShowMessage(owner, FormatReportText(format, {p->reports.back().title}, {}).c_str(),
                        MB_OK | MB_ICONWARNING);
            return 0;
        }
        const int report = static_cast<int>(p->reports.size()) - 1;
        const int pages = static_cast<int>(layout.pageStarts.size());
        for (int page = 0; page < pages; page++)
            p->pages.push_back(PreviewPage{report, page, pages});
    }
    return 1;
}

}  // namespace

void OnPrintPreview(HWND mainWindow)
{
    Preview p = {};
    p.mainWindow = mainWindow;
    p.drawnPage = -1;
    p.scaledPage = -1;
    if (!RunPrintChoice(mainWindow, &p.choice))
        return;
    if (!p.choice.quick && !p.choice.speed && !p.choice.group) {
        ShowMessageId(mainWindow, IDS_PREVIEW_NOTHING, MB_OK | MB_ICONINFORMATION);
        return;
    }
    p.geometry = PreviewGeometry(DefaultPrinterGeometry(), MAX_BITMAP_PIXELS);
    p.date = TodayForReport();
    if (!CreatePageBitmap(&p.bitmap, p.geometry.width, p.geometry.height)) {
        ShowMessageId(mainWindow, IDS_PREVIEW_NO_MEMORY, MB_OK | MB_ICONWARNING);
        return;
    }
    if (PreparePreview(mainWindow, &p)) {
        RegisterPageClass();
        /* A resource library made before the preview existed lacks its template. */
        HINSTANCE module =
            FindResourceA(ResourceModule(), MAKEINTRESOURCEA(IDD_PRINT_PREVIEW), RT_DIALOG)
                ? ResourceModule()
                : InstanceModule();
        DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_PRINT_PREVIEW), mainWindow,
                        PrintPreviewDialogProc, reinterpret_cast<LPARAM>(&p));
    }
    DropScaled(&p);
    DeletePageBitmap(&p.bitmap);
}
