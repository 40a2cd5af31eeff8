/* The field filters applied to edit controls. See dial_fields_win.h. */
#include "dial/dial_fields_win.h"

#include <cstring>
#include <vector>

#include "device/device_image.h"
#include "dial/dial_records.h"

namespace {

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
    return {GetACP(), IsJapaneseMode(gEditState), SystemToUtf16};
}

int FilterEditControl(HWND dialog, int control, FieldFilter filter, int limit, char* out,
                      int outSize)
{
    /* One character more than the limit is read, so a text pasted past the limit is cut. */
    std::vector<char> text(static_cast<size_t>(limit) + 2, '\0');
    GetDlgItemTextA(dialog, control, text.data(), static_cast<int>(text.size()));
    const TextEnvironment env = SystemTextEnvironment();
    const int size = static_cast<int>(text.size());
    int caret = 0, passed = 0;
    switch (filter) {
    case FIELD_NAME:
        passed = FilterNameField(text.data(), size, limit, &caret, env);
        break;
    case FIELD_DIAL_NUMBER:
    case FIELD_DIAL_CODE:
        passed =
            FilterDialNumberField(text.data(), size, limit, &caret, env, filter == FIELD_DIAL_CODE);
        break;
    case FIELD_EMAIL:
        passed = FilterEmailField(text.data(), size, limit, &caret, env);
        break;
    case FIELD_DIGITS:
        passed = FilterDigitsField(text.data(), size, limit, &caret);
        break;
    }
    HWND edit = GetDlgItem(dialog, control);
    if (!passed) {
        SetWindowTextA(edit, text.data());
        SendMessageA(edit, EM_SETSEL, caret, caret);
        return 0;
    }
    SendMessageA(edit, EM_LIMITTEXT, limit, 0);
    lstrcpynA(out, text.data(), outSize);
    return 1;
}

void SelectAndFocus(HWND dialog, int control)
{
    HWND field = GetDlgItem(dialog, control);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
}
