// Measuring real controls for the layout check. See layout_check_win.h.
#include "ui/layout_check_win.h"

#include <string>

namespace {

// Statics that draw no text, or shorten it on purpose, have nothing to be cut.
bool StaticDrawsWholeText(LONG style)
{
    if (style & SS_ELLIPSISMASK)
        return false;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        return true;
    default:
        return false;
    }
}

LayoutKind KindOf(HWND control, LONG style)
{
    char name[64] = "";
    GetClassNameA(control, name, sizeof name);
    if (!lstrcmpiA(name, "Button")) {
        if (style & BS_PUSHLIKE)
            return LAYOUT_BUTTON;
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return LAYOUT_BUTTON;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return LAYOUT_CHECKBOX;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return LAYOUT_RADIO;
        case BS_GROUPBOX:
            return LAYOUT_GROUPBOX;
        default:
            return LAYOUT_OTHER;
        }
    }
    if (!lstrcmpiA(name, "Static"))
        return StaticDrawsWholeText(style) ? LAYOUT_STATIC : LAYOUT_OTHER;
    if (!lstrcmpiA(name, "Edit"))
        return LAYOUT_EDIT;
    if (!lstrcmpiA(name, "ComboBox"))
        return LAYOUT_COMBO;
    if (!lstrcmpiA(name, "ListBox"))
        return LAYOUT_LIST;
    return LAYOUT_OTHER;
}

// The text as the control draws it: DrawText hides a lone '&' unless the static says
// SS_NOPREFIX, and wraps where the control wraps, at the width it gives the text. Read as
// Unicode: a form in another language is measured in its own script whatever the code page.
void MeasureText(HWND control, LayoutControl* c, LONG style)
{
    const int length = GetWindowTextLengthW(control);
    if (length <= 0)
        return;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control, &text[0], length + 1);

    HDC dc = GetDC(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    if (c->kind == LAYOUT_CHECKBOX || c->kind == LAYOUT_RADIO) {
        // The box, then half a digit's width before the text, as the button paints it.
        INT digit = 0;
        GetCharWidth32A(dc, '0', '0', &digit);
        c->checkWidth = GetSystemMetrics(SM_CXMENUCHECK) + digit / 2;
    }

    UINT flags = DT_CALCRECT | DT_EXPANDTABS;
    int wrapWidth = c->rect.right - c->rect.left;
    if (c->kind == LAYOUT_STATIC) {
        const LONG type = style & SS_TYPEMASK;
        flags |= type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK;
        if (style & SS_NOPREFIX)
            flags |= DT_NOPREFIX;
    } else if (c->kind == LAYOUT_BUTTON && (style & BS_MULTILINE)) {
        flags |= DT_WORDBREAK;
        wrapWidth -= 2 * BUTTON_BORDER;
    } else if ((c->kind == LAYOUT_CHECKBOX || c->kind == LAYOUT_RADIO) && (style & BS_MULTILINE)) {
        flags |= DT_WORDBREAK;
        wrapWidth -= c->checkWidth;
    } else {
        flags |= DT_SINGLELINE;
    }

    RECT r = {0, 0, wrapWidth > 0 ? wrapWidth : 1, 0};
    DrawTextW(dc, text.c_str(), -1, &r, flags);
    c->textWidth = r.right - r.left;
    c->textHeight = r.bottom - r.top;
    SelectObject(dc, old);
    ReleaseDC(control, dc);
}

}  // namespace

std::vector<LayoutControl> MeasureLayout(HWND window)
{
    std::vector<LayoutControl> controls;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        LayoutControl c = {};
        c.id = GetDlgCtrlID(child);
        c.kind = KindOf(child, style);
        c.visible = (style & WS_VISIBLE) != 0;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        c.rect = {r.left, r.top, r.right, r.bottom};
        if (c.kind == LAYOUT_CHECKBOX || c.kind == LAYOUT_RADIO || c.kind == LAYOUT_BUTTON ||
            c.kind == LAYOUT_GROUPBOX || c.kind == LAYOUT_STATIC)
            MeasureText(child, &c, style);
        controls.push_back(c);
    }
    return controls;
}
