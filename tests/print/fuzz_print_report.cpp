// Fuzz target for the reports: any bytes in the dial tables and the device's name and fax
// number become all three reports, laid out on a page whose size the input also chooses, and
// composed page by page. Nothing may read outside the tables (ASan), every report row must be
// on exactly one page, no page empty, and every step of a page must lie on the page.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "document/document.h"
#include "print/print_layout.h"

namespace {

std::string Text(void*, int id) { return "T" + std::to_string(id) + " %s %d %d"; }

int Width(void*, int font, const char* text)
{
    return static_cast<int>(std::strlen(text)) * (4 + 3 * font);
}

int Height(void*, int font) { return 10 + 6 * (2 - font); }

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static EditState state;
    std::memset(&state, 0, sizeof state);
    if (size < 4)
        return 0;
    PageGeometry page{};
    page.dpiX = page.dpiY = 20 + data[0] * 2;
    page.width = page.paperWidth = 50 + data[1] * 12;
    page.height = page.paperHeight = 50 + data[2] * 16;
    const int a3 = data[3] & 1;
    data += 4;
    size -= 4;
    uint8_t* targets[] = {reinterpret_cast<uint8_t*>(&state.quickDial),
                          reinterpret_cast<uint8_t*>(&state.speedDial),
                          reinterpret_cast<uint8_t*>(&state.properties)};
    const size_t sizes[] = {sizeof state.quickDial, sizeof state.speedDial,
                            sizeof state.properties};
    for (int t = 0; t < 3 && size > 0; t++) {
        const size_t n = size < sizes[t] ? size : sizes[t];
        std::memcpy(targets[t], data, n);
        data += n;
        size -= n;
    }
    state.properties.deviceName[DEVICE_NAME_SIZE] = '\0';
    state.properties.faxNumber[DEVICE_FAX_NUMBER_SIZE] = '\0';

    const StringSource strings = {nullptr, Text};
    const TextMeasure measure = {nullptr, Width, Height};
    for (int kind : {REPORT_QUICK, REPORT_SPEED, REPORT_GROUP}) {
        ReportContent report = BuildReport(kind, state, 30, a3, strings);
        ReportLayout layout;
        if (!LayoutReport(report, page, measure, &layout))
            continue;
        const int pages = static_cast<int>(layout.pageStarts.size());
        Check(pages >= 1 && layout.pageStarts[0] == 0);
        for (int p = 0; p < pages; p++) {
            const int end =
                p + 1 < pages ? layout.pageStarts[p + 1] : static_cast<int>(report.rows.size());
            Check(end > layout.pageStarts[p] && end - layout.pageStarts[p] < layout.rowsPerPage);
            if (p > 2 && p + 1 < pages)
                continue;  // the first pages and the last say enough
            const ReportDate date = {2024, 2, 29};
            for (const DrawOp& op : ComposeReportPage(report, layout, p, date, measure))
                Check(op.left >= 0 && op.top >= 0 && op.right <= page.width &&
                      op.bottom <= page.height);
        }
    }
    return 0;
}
