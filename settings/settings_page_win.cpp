/*
 * The one page procedure of the Device Settings sheet. See settings_page_win.h.
 *
 * Filling a control raises its notifications (an edit's EN_CHANGE, an address control's
 * change); the page is marked `filling` meanwhile, so those never count as edits. Every other
 * command goes through the binding table: a store that changes the edit state sets the touched
 * marker, and the end of the handler turns it into the page's changed flag and PSM_CHANGED.
 */
#include "settings/settings_page_win.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ui/ui_win.h"
#include "document/dial_records.h"
#include "resources/resource_ids.h"
#include "settings/settings_sheet_win.h"

static_assert(SCROLL_LINE_LEFT == SB_LINELEFT && SCROLL_RIGHT == SB_RIGHT &&
                  SCROLL_THUMB_TRACK == SB_THUMBTRACK && SCROLL_END == SB_ENDSCROLL,
              "the portable scroll requests are the scroll bar's own");

namespace {

/* Posted after a failed check: focuses the control once the sheet has settled on the page. */
constexpr UINT WM_FOCUS_CONTROL = WM_APP + 1;
constexpr int RANGE_TEXT_SIZE = 129; /* at most 128 characters are read */
constexpr int MESSAGE_SIZE = 256;

uint8_t gChanged[SETTINGS_PAGE_COUNT];
SettingsPage gPages[SETTINGS_PAGE_COUNT];
/* Set by a handler's edits, consumed at its end (saved around nested notifications). */
int gTouched;
/* Set while a failed Apply brings its page to the front: a leave asked meanwhile is granted. */
int gLeaveGuard;

SettingsPage* PageOf(HWND window)
{
    LONG_PTR slot = GetWindowLongPtrA(window, DWLP_USER);
    if (slot <= 0 || slot > SETTINGS_PAGE_COUNT)
        return nullptr;
    return &gPages[slot - 1];
}

HWND Sheet(const SettingsPage& page) { return GetParent(page.window); }

void Touch(int changed)
{
    if (changed)
        gTouched = 1;
}

std::string ControlText(HWND page, int control, int size)
{
    std::vector<char> text(static_cast<size_t>(size) + 1, '\0');
    GetDlgItemTextA(page, control, text.data(), size + 1);
    return text.data();
}

/* ---- Filling ------------------------------------------------------------------------------ */

void ShowSliderValue(HWND page, const Binding& b, int value)
{
    SetScrollPos(GetDlgItem(page, b.control), SB_CTL, value, TRUE);
    if (!b.slider->labelControl)
        return;
    char unit[64] = "", label[96];
    if (b.slider->unitString)
        LoadStr(b.slider->unitString, unit, sizeof unit);
    FormatSliderLabel(label, sizeof label, value + b.slider->labelOffset, unit);
    SetDlgItemTextA(page, b.slider->labelControl, label);
}

void FillRadio(HWND page, const Binding& b)
{
    const int checked = CheckedRadio(b, gDocument.edit);
    for (int k = 0; k < b.buttonCount; k++)
        CheckDlgButton(page, b.buttons[k].control, k == checked ? BST_CHECKED : BST_UNCHECKED);
}

void FillBinding(HWND page, const Binding& b)
{
    switch (b.kind) {
    case BIND_CHECK:
        CheckDlgButton(page, b.control,
                       CheckBoxChecked(b, gDocument.edit) ? BST_CHECKED : BST_UNCHECKED);
        break;
    case BIND_RADIO:
        FillRadio(page, b);
        break;
    case BIND_COMBO_INDEX:
        FillComboFromStrings(page, b.control, b.firstString, b.lastString,
                             static_cast<int>(ReadEditField(gDocument.edit, b.field)));
        break;
    case BIND_COMBO_CODED: {
        std::vector<const ComboRow*> rows(static_cast<size_t>(b.rowCount) + 1);
        int n = ShownComboRows(b, gDocument.edit, rows.data(), b.rowCount);
        FillComboCoded(page, b.control, rows.data(), n, ReadEditField(gDocument.edit, b.field));
        break;
    }
    case BIND_SLIDER: {
        HWND bar = GetDlgItem(page, b.control);
        const int min = static_cast<int>(LimitMinimum(b.slider->range, gDocument.edit));
        const int max = static_cast<int>(LimitMaximum(b.slider->range, gDocument.edit));
        SetScrollRange(bar, SB_CTL, min, max, FALSE);
        /* The display keeps the stored value within the range (the range may have moved); the
         * page's snap is for moves only. */
        const int value = static_cast<int>(
            ClampSlider(static_cast<long>(ReadEditField(gDocument.edit, b.field)), min, max));
        WriteEditField(gDocument.edit, b.field, value);
        ShowSliderValue(page, b, value);
        break;
    }
    case BIND_NUMBER: {
        if (b.number->maxChars > 0)
            SendDlgItemMessageA(page, b.control, EM_LIMITTEXT, b.number->maxChars, 0);
        char text[32];
        std::snprintf(text, sizeof text, "%lld",
                      static_cast<long long>(ReadEditField(gDocument.edit, b.field)));
        SetDlgItemTextA(page, b.control, text);
        break;
    }
    case BIND_TEXT: {
        SendDlgItemMessageA(page, b.control, EM_LIMITTEXT, b.text->limit, 0);
        char text[256];
        ShownText(b, gDocument.edit, text, sizeof text);
        SetDlgItemTextA(page, b.control, text);
        break;
    }
    case BIND_ADDRESS: {
        HWND address = GetDlgItem(page, b.control);
        SendMessageA(address, IPM_SETRANGE, 0, MAKEIPRANGE(0, 255));
        const uint32_t stored = static_cast<uint32_t>(ReadEditField(gDocument.edit, b.field));
        if (stored == 0)
            SendMessageA(address, IPM_CLEARADDRESS, 0, 0);
        else
            SendMessageA(address, IPM_SETADDRESS, 0, SwapAddressOrder(stored));
        break;
    }
    }
}

void FillPage(SettingsPage& page)
{
    const SettingsPageDef& def = *page.def;
    page.filling = 1;
    if (def.prepare)
        def.prepare(gDocument.edit);
    for (int i = 0; i < def.table.bindingCount; i++)
        FillBinding(page.window, def.table.bindings[i]);
    ApplyControlRules(page);
    if (def.init)
        def.init(page);
    page.filling = 0;
}

/* ---- Reading ------------------------------------------------------------------------------ */

uint32_t ReadAddress(HWND page, int control)
{
    DWORD address = 0;
    if (SendDlgItemMessageA(page, control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)) ==
        0)
        return 0; /* every field blank */
    return SwapAddressOrder(address);
}

void ClampNumberField(HWND page, const Binding& b)
{
    const long value = ParseDecimalField(ControlText(page, b.control, RANGE_TEXT_SIZE).c_str());
    const long min = static_cast<long>(LimitMinimum(b.number->range, gDocument.edit));
    const long max = static_cast<long>(LimitMaximum(b.number->range, gDocument.edit));
    const long clamped = b.number->correct ? static_cast<long>(b.number->correct(value, gDocument.edit))
                                           : ClampSlider(value, min, max);
    char text[32];
    std::snprintf(text, sizeof text, "%ld", clamped);
    if (ControlText(page, b.control, RANGE_TEXT_SIZE) != text)
        SetDlgItemTextA(page, b.control, text);
    Touch(StoreNumberText(b, text, gDocument.edit));
}

void OnBoundCommand(HWND page, const Binding& b, int button, int code)
{
    switch (b.kind) {
    case BIND_CHECK:
        if (code == BN_CLICKED)
            Touch(StoreCheckBox(b, IsDlgButtonChecked(page, b.control) == BST_CHECKED, gDocument.edit));
        break;
    case BIND_RADIO:
        if (code == BN_CLICKED) {
            Touch(StoreRadio(b, button, gDocument.edit));
            FillRadio(page, b);
        }
        break;
    case BIND_COMBO_INDEX:
    case BIND_COMBO_CODED:
        if (code == CBN_SELCHANGE) {
            const LRESULT sel = SendDlgItemMessageA(page, b.control, CB_GETCURSEL, 0, 0);
            if (sel >= 0)
                Touch(StoreComboValue(
                    b, b.kind == BIND_COMBO_INDEX ? sel : GetComboSelData(page, b.control),
                    gDocument.edit));
        }
        break;
    case BIND_NUMBER:
        if (code == EN_CHANGE) {
            char text[RANGE_TEXT_SIZE];
            if (b.number->flags & NUMBER_DIGITS)
                FilterEditField(page, b.control, FILTER_DIGITS, b.number->maxChars, text,
                                sizeof text);
            else
                lstrcpynA(text, ControlText(page, b.control, RANGE_TEXT_SIZE).c_str(), sizeof text);
            /* A field read only on Apply has nothing to store yet, but the user's typing is
             * an edit all the same: without the mark the Apply would skip it. */
            if (!(b.number->flags & NUMBER_STORE_ON_APPLY))
                Touch(StoreNumberText(b, text, gDocument.edit));
            else
                Touch(1);
        } else if (code == EN_KILLFOCUS && (b.number->flags & NUMBER_CLAMP_ON_EXIT)) {
            ClampNumberField(page, b);
        }
        break;
    case BIND_TEXT:
        if (code == EN_CHANGE) {
            char text[256];
            FilterEditField(page, b.control, b.text->filter, b.text->limit, text, sizeof text);
            Touch(StoreText(b, text, gDocument.edit));
        }
        break;
    case BIND_ADDRESS:
        if (code == EN_CHANGE)
            Touch(StoreAddress(b, ReadAddress(page, b.control), gDocument.edit));
        break;
    case BIND_SLIDER:
        break;
    }
}

/* Runs one user action: the bound store or the page's own handler, then, when it changed
 * something, the page's dependent rules, the enabling and the changed flag. */
template <typename Action>
void HandleEdit(SettingsPage& page, int control, Action action)
{
    if (page.filling)
        return;
    const int outer = gTouched;
    gTouched = 0;
    const int own = action();
    if (gTouched || own) {
        if (gTouched && page.def->edited)
            page.def->edited(page, control);
        ApplyControlRules(page);
        MarkPageChanged(page);
    }
    gTouched = outer;
}

void OnCommand(SettingsPage& page, int control, int code)
{
    int button = -1;
    const Binding* b = FindBinding(page.def->table, control, &button);
    HandleEdit(page, control, [&]() {
        if (b) {
            OnBoundCommand(page.window, *b, button, code);
            return 0;
        }
        return page.def->command ? page.def->command(page, control, code) : 0;
    });
}

void OnScroll(SettingsPage& page, HWND bar, int request, int thumb)
{
    const int control = GetDlgCtrlID(bar);
    const Binding* b = FindBinding(page.def->table, control, nullptr);
    if (!b || b->kind != BIND_SLIDER || request == SCROLL_END)
        return;
    HandleEdit(page, control, [&]() {
        const SliderOptions& s = *b->slider;
        const long target = SliderTarget(
            request, static_cast<long>(ReadEditField(gDocument.edit, b->field)), thumb,
            static_cast<long>(LimitMinimum(s.range, gDocument.edit)),
            static_cast<long>(LimitMaximum(s.range, gDocument.edit)), s.lineStep, s.pageStep);
        const int value = SliderValue(*b, target, gDocument.edit);
        Touch(StoreSliderValue(*b, value, gDocument.edit));
        ShowSliderValue(page.window, *b, value);
        return 0;
    });
}

/* ---- Checks, Apply and Cancel -------------------------------------------------------------- */

/* 0 when every check of the phase passed, else the control that failed. */
int RunChecks(SettingsPage& page, CheckPhase phase)
{
    const PageBindings& table = page.def->table;
    for (int i = 0; i < table.bindingCount; i++) {
        const Binding& b = table.bindings[i];
        if (!NumberCheckApplies(b, static_cast<uint8_t>(phase), gDocument.edit))
            continue;
        if (!CheckRangeField(page.window, b.control, b.number->messageId,
                             static_cast<long>(LimitMinimum(b.number->range, gDocument.edit)),
                             static_cast<long>(LimitMaximum(b.number->range, gDocument.edit))))
            return b.control;
    }
    return page.def->check ? page.def->check(page, phase) : 0;
}

/* A field corrected when focus leaves it is corrected when the page is left too: OK by Enter
 * leaves the page with the focus still in the field. */
void CorrectFieldsOnLeave(SettingsPage& page)
{
    const PageBindings& table = page.def->table;
    for (int i = 0; i < table.bindingCount; i++) {
        const Binding& b = table.bindings[i];
        if (b.kind == BIND_NUMBER && (b.number->flags & NUMBER_CLAMP_ON_EXIT))
            HandleEdit(page, b.control, [&]() {
                ClampNumberField(page.window, b);
                return 0;
            });
    }
}

/* Leaving the page (another tab, OK, Apply): 1 refuses. */
int OnKillActive(SettingsPage& page)
{
    CorrectFieldsOnLeave(page);
    if (gLeaveGuard) {
        gLeaveGuard = 0;
        return 0;
    }
    const int failed = RunChecks(page, CHECK_LEAVE);
    if (!failed)
        return 0;
    PostMessageA(page.window, WM_FOCUS_CONTROL, failed, 0);
    return 1;
}

LRESULT OnApply(SettingsPage& page, int closing)
{
    if (!gChanged[page.order]) {
        UpdateUnsavedFlag();
        return PSNRET_NOERROR;
    }
    const int failed = RunChecks(page, CHECK_APPLY);
    if (failed) {
        /* The sheet brings this page to the front; the field is focused once it is there. */
        gLeaveGuard = 1;
        PostMessageA(page.window, WM_FOCUS_CONTROL, failed, 0);
        return PSNRET_INVALID;
    }
    const PageBindings& table = page.def->table;
    for (int i = 0; i < table.bindingCount; i++) {
        const Binding& b = table.bindings[i];
        if (b.kind == BIND_NUMBER && (b.number->flags & NUMBER_STORE_ON_APPLY) &&
            ConditionHolds(b.number->checkWhen, gDocument.edit))
            StoreNumberText(b, ControlText(page.window, b.control, RANGE_TEXT_SIZE).c_str(),
                            gDocument.edit);
    }
    if (page.def->applied)
        page.def->applied(page);
    CommitEdits(gDocument);
    UpdateUnsavedFlag();
    /* Stored: Apply stays off until the next edit (Wine's sheet leaves it on). */
    PropSheet_UnChanged(Sheet(page), page.window);
    /* A modal sheet under Wine leaves its loop only on the next message. */
    if (closing)
        PostMessageA(Sheet(page), WM_NULL, 0, 0);
    return PSNRET_NOERROR;
}

INT_PTR OnNotify(SettingsPage& page, const NMHDR* header, LPARAM lParam)
{
    LRESULT result = 0;
    switch (header->code) {
    case IPN_FIELDCHANGED:
        OnCommand(page, static_cast<int>(header->idFrom), EN_CHANGE);
        return FALSE;
    case PSN_SETACTIVE:
        if (page.def->activate) {
            const int filling = page.filling;
            page.filling = 1;
            page.def->activate(page);
            page.filling = filling;
        }
        break;
    case PSN_KILLACTIVE:
        result = OnKillActive(page);
        break;
    case PSN_APPLY:
        result = OnApply(page, reinterpret_cast<const PSHNOTIFY*>(lParam)->lParam != 0);
        break;
    case PSN_QUERYCANCEL:
        /* Every edit since the last Apply is dropped. */
        RevertEdits(gDocument);
        break;
    case PSN_RESET:
        ClosePropertySheet(page.window);
        break;
    default:
        return FALSE;
    }
    SetWindowLongPtrA(page.window, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace

/* ---- The procedure ------------------------------------------------------------------------ */

INT_PTR CALLBACK SettingsPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const int order = static_cast<int>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        if (order < 0 || order >= SETTINGS_PAGE_COUNT)
            return TRUE;
        SetWindowLongPtrA(window, DWLP_USER, order + 1);
        SettingsPage& page = gPages[order];
        page = {window, &SettingsPageDefinition(order), order, 0};
        FillPage(page);
        return TRUE;
    }
    SettingsPage* page = PageOf(window);
    if (!page)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        OnCommand(*page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
        if (lParam)
            OnScroll(*page, reinterpret_cast<HWND>(lParam), LOWORD(wParam),
                     static_cast<short>(HIWORD(wParam)));
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(*page, reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_FOCUS_CONTROL:
        gLeaveGuard = 0;
        SelectAndFocus(window, static_cast<int>(wParam));
        return TRUE;
    case WM_DESTROY:
        page->window = nullptr;
        SetWindowLongPtrA(window, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}

void ResetSettingsPages()
{
    std::memset(gChanged, 0, sizeof gChanged);
    for (SettingsPage& page : gPages)
        page = {nullptr, nullptr, 0, 0};
    gTouched = 0;
    gLeaveGuard = 0;
}

int IsSettingsPageChanged(int order)
{
    return order >= 0 && order < SETTINGS_PAGE_COUNT && gChanged[order];
}

void MarkPageChanged(SettingsPage& page)
{
    if (page.filling)
        return;
    gChanged[page.order] = 1;
    PropSheet_Changed(Sheet(page), page.window);
}

void UpdateUnsavedFlag()
{
    if (ShouldMarkUnsaved(gChanged, SETTINGS_PAGE_COUNT))
        MarkDocumentChanged(gDocument);
}

void RefreshBinding(SettingsPage& page, int control)
{
    const Binding* b = FindBinding(page.def->table, control, nullptr);
    if (!b)
        return;
    const int filling = page.filling;
    page.filling = 1;
    FillBinding(page.window, *b);
    page.filling = filling;
}

void SetTextQuietly(SettingsPage& page, int control, const char* text)
{
    const int filling = page.filling;
    page.filling = 1;
    SetDlgItemTextA(page.window, control, text);
    page.filling = filling;
}

void ApplyControlRules(SettingsPage& page)
{
    const PageBindings& table = page.def->table;
    for (int i = 0; i < table.enableCount; i++) {
        const ControlRule& rule = table.enables[i];
        const BOOL enabled = ConditionHolds(rule.when, gDocument.edit) ? TRUE : FALSE;
        for (int k = 0; k < rule.count; k++)
            EnableWindow(GetDlgItem(page.window, rule.controls[k]), enabled);
    }
    for (int i = 0; i < table.showCount; i++) {
        const ControlRule& rule = table.shows[i];
        const int shown = ConditionHolds(rule.when, gDocument.edit) ? SW_SHOW : SW_HIDE;
        for (int k = 0; k < rule.count; k++)
            ShowWindow(GetDlgItem(page.window, rule.controls[k]), shown);
    }
}

void FillComboFromStrings(HWND page, int combo, int firstString, int lastString, int selected)
{
    SendDlgItemMessageA(page, combo, CB_RESETCONTENT, 0, 0);
    for (int id = firstString; id <= lastString; id++) {
        char text[128];
        SendDlgItemMessageA(page, combo, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(LoadStr(id, text, sizeof text)));
    }
    /* A stored index past the list selects nothing. */
    SendDlgItemMessageA(page, combo, CB_SETCURSEL,
                        selected >= 0 && selected <= lastString - firstString ? selected : -1, 0);
}

void FillComboCoded(HWND page, int combo, const ComboRow* const* rows, int count, int64_t value)
{
    SendDlgItemMessageA(page, combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; i++) {
        char text[128];
        const LRESULT index = SendDlgItemMessageA(
            page, combo, CB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>(LoadStr(rows[i]->stringId, text, sizeof text)));
        if (index >= 0)
            SendDlgItemMessageA(page, combo, CB_SETITEMDATA, index,
                                static_cast<LPARAM>(rows[i]->code));
    }
    SelectComboByData(page, combo, value);
}

int SelectComboByData(HWND page, int combo, int64_t value)
{
    const int count = static_cast<int>(SendDlgItemMessageA(page, combo, CB_GETCOUNT, 0, 0));
    std::vector<int64_t> codes(count > 0 ? static_cast<size_t>(count) : 0);
    for (int i = 0; i < count; i++)
        codes[i] = static_cast<int64_t>(SendDlgItemMessageA(page, combo, CB_GETITEMDATA, i, 0));
    const int found = FindComboRow(codes.data(), count, value);
    SendDlgItemMessageA(page, combo, CB_SETCURSEL, found >= 0 ? found : 0, 0);
    return found;
}

int64_t GetComboSelData(HWND page, int combo)
{
    const LRESULT sel = SendDlgItemMessageA(page, combo, CB_GETCURSEL, 0, 0);
    if (sel < 0)
        return -1;
    return static_cast<int64_t>(SendDlgItemMessageA(page, combo, CB_GETITEMDATA, sel, 0));
}
