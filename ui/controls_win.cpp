/* The control helpers. See controls_win.h. */
#include "ui/controls_win.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "document/dial_records.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/ui_win.h"

namespace {

constexpr int RANGE_TEXT_SIZE = 129; /* at most 128 characters are read */
constexpr int MESSAGE_SIZE = 1024;

int SystemToUtf16(unsigned codePage, const char* text, int length, uint16_t* out, int capacity)
{
    if (length <= 0 || capacity <= 0)
        return 0;
    int n =
        MultiByteToWideChar(codePage, 0, text, length, reinterpret_cast<wchar_t*>(out), capacity);
    return n > 0 ? n : 0;
}

}  // namespace

TextEnvironment SystemTextEnvironment()
{
    return {GetACP(), IsJapaneseMode(gDocument.edit), SystemToUtf16};
}

int FilterEditField(HWND dialog, int control, TextFilter filter, int limit, char* out, int size)
{
    if (limit < 0)
        limit = 0;
    std::vector<char> text(static_cast<size_t>(limit) + 2, '\0');
    GetDlgItemTextA(dialog, control, text.data(), static_cast<int>(text.size()));
    int caret = 0;
    const int passed = FilterText(filter, text.data(), static_cast<int>(text.size()), limit, &caret,
                                  SystemTextEnvironment());
    HWND edit = GetDlgItem(dialog, control);
    if (passed) {
        SendMessageA(edit, EM_LIMITTEXT, limit, 0);
    } else {
        SetWindowTextA(edit, text.data());
        SendMessageA(edit, EM_SETSEL, caret, caret);
    }
    if (out && size > 0)
        lstrcpynA(out, text.data(), size);
    return passed;
}

void SelectAndFocus(HWND dialog, int control)
{
    HWND field = GetDlgItem(dialog, control);
    if (!field)
        return;
    HWND top = GetAncestor(dialog, GA_ROOT);
    SendMessageA(top, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    char cls[32] = "";
    GetClassNameA(field, cls, sizeof cls);
    if (lstrcmpiA(cls, WC_IPADDRESSA) == 0)
        SendMessageA(field, IPM_SETFOCUS, 0, 0);
    else
        SendMessageA(field, EM_SETSEL, 0, -1);
}

void ShowRangeMessage(HWND owner, int messageId, long min, long max)
{
    char format[MESSAGE_SIZE], message[MESSAGE_SIZE];
    FormatRangeMessage(message, sizeof message, LoadStr(messageId, format, sizeof format), min,
                       max);
    ShowMessage(owner, message, MB_OK);
}

int CheckRangeField(HWND dialog, int edit, int messageId, long min, long max)
{
    char text[RANGE_TEXT_SIZE] = "";
    GetDlgItemTextA(dialog, edit, text, RANGE_TEXT_SIZE);
    const RangeVerdict verdict = JudgeRangeField(text, min, max);
    if (verdict == RANGE_OK)
        return 1;
    HWND owner = GetAncestor(dialog, GA_ROOT);
    if (verdict == RANGE_EMPTY)
        ShowMessageId(owner, IDS_REQUIRED_FIELD, MB_OK);
    else
        ShowRangeMessage(owner, messageId, min, max);
    SelectAndFocus(dialog, edit);
    return 0;
}

void AddListColumns(HWND list, const int* titles, int count)
{
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_INFOTIP);
    for (int column = 0; column < count; column++) {
        char title[256];
        LoadStr(static_cast<UINT>(titles[column]), title, sizeof title);
        LVCOLUMNA c = {};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        c.pszText = title;
        c.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&c));
    }
}

void FitListColumns(HWND list, const int* titles, int count, int firstGrowing)
{
    const int padding = 2 * GetSystemMetrics(SM_CXEDGE) + 12;
    std::vector<int> widths(static_cast<size_t>(count));
    int total = 0;
    for (int column = 0; column < count; column++) {
        SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), LVSCW_AUTOSIZE);
        const int content = static_cast<int>(
            SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
        char title[256];
        LoadStr(static_cast<UINT>(titles[column]), title, sizeof title);
        const int titleWidth = static_cast<int>(SendMessageA(list, LVM_GETSTRINGWIDTHA, 0,
                                                             reinterpret_cast<LPARAM>(title))) +
                               padding;
        widths[static_cast<size_t>(column)] = content > titleWidth ? content : titleWidth;
        total += widths[static_cast<size_t>(column)];
    }
    RECT client;
    GetClientRect(list, &client);
    const int room = client.right - GetSystemMetrics(SM_CXVSCROLL) - total;
    const int growing = count - firstGrowing;
    if (room > 0 && growing > 0)
        for (int column = firstGrowing; column < count; column++)
            widths[static_cast<size_t>(column)] +=
                column + 1 < count ? room / growing : room - (growing - 1) * (room / growing);
    for (int column = 0; column < count; column++)
        SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                     widths[static_cast<size_t>(column)]);
}
