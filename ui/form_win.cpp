/*
 * The binding frame. See form_win.h. Every store goes through the portable decisions of
 * bindings.h; this file only moves values between them and the controls.
 */
#include "ui/form_win.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "ui/controls_win.h"
#include "ui/ui_win.h"

static_assert(SCROLL_LINE_LEFT == SB_LINELEFT && SCROLL_RIGHT == SB_RIGHT &&
                  SCROLL_THUMB_TRACK == SB_THUMBTRACK && SCROLL_END == SB_ENDSCROLL,
              "the portable scroll requests are the scroll bar's own");

namespace {

constexpr int RANGE_TEXT_SIZE = 129; /* at most 128 characters are read */
constexpr int LIST_TEXT_SIZE = 128;

std::string TextOf(HWND window, int control, int size)
{
    std::vector<char> text(static_cast<size_t>(size) + 1, '\0');
    GetDlgItemTextA(window, control, text.data(), size + 1);
    return text.data();
}

void Touch(Form& form, int changed)
{
    if (changed)
        form.touched = 1;
}

/* ---- Filling ------------------------------------------------------------------------------ */

void ShowSliderValue(HWND window, const Binding& b, int value)
{
    SetScrollPos(GetDlgItem(window, b.control), SB_CTL, value, TRUE);
    if (!b.slider->labelControl)
        return;
    char unit[64] = "", label[96];
    if (b.slider->unitString)
        LoadStr(b.slider->unitString, unit, sizeof unit);
    FormatSliderLabel(label, sizeof label, value + b.slider->labelOffset, unit);
    SetDlgItemTextA(window, b.slider->labelControl, label);
}

void FillRadio(const Form& form, const Binding& b)
{
    const int checked = CheckedRadio(b, form.record);
    for (int k = 0; k < b.buttonCount; k++)
        CheckDlgButton(form.window, b.buttons[k].control,
                       k == checked ? BST_CHECKED : BST_UNCHECKED);
}

/* A list of the rows its conditions show, selected by index (none past its end). */
void FillComboIndexRows(const Form& form, const Binding& b)
{
    std::vector<const ComboRow*> rows(static_cast<size_t>(b.rowCount) + 1);
    const int n = ShownComboRows(b, form.record, rows.data(), b.rowCount);
    SendDlgItemMessageA(form.window, b.control, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < n; i++) {
        char text[LIST_TEXT_SIZE];
        SendDlgItemMessageA(
            form.window, b.control, CB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>(LoadStr(rows[i]->stringId, text, sizeof text)));
    }
    const int64_t selected = ReadField(form.record, b.field);
    SendDlgItemMessageA(
        form.window, b.control, CB_SETCURSEL,
        selected >= 0 && selected < n ? static_cast<WPARAM>(selected) : static_cast<WPARAM>(-1), 0);
}

void FillText(Form& form, const Binding& b)
{
    SendDlgItemMessageA(form.window, b.control, EM_LIMITTEXT, b.text->limit, 0);
    char text[256];
    ShownText(b, form.record, form.japaneseMode, text, sizeof text);
    SetDlgItemTextA(form.window, b.control, text);
    if (!b.text->refilter)
        return;
    FilterEditField(form.window, b.control, b.text->filter, b.text->limit, text, sizeof text);
    StoreText(b, text, form.record, form.japaneseMode);
}

void FillBinding(Form& form, const Binding& b)
{
    HWND window = form.window;
    void* record = form.record;
    switch (b.kind) {
    case BIND_CHECK:
        CheckDlgButton(window, b.control, CheckBoxChecked(b, record) ? BST_CHECKED : BST_UNCHECKED);
        break;
    case BIND_RADIO:
        FillRadio(form, b);
        break;
    case BIND_COMBO_INDEX:
        if (b.rows)
            FillComboIndexRows(form, b);
        else
            FillComboFromStrings(window, b.control, b.firstString, b.lastString,
                                 static_cast<int>(ReadField(record, b.field)));
        break;
    case BIND_COMBO_CODED: {
        std::vector<const ComboRow*> rows(static_cast<size_t>(b.rowCount) + 1);
        int n = ShownComboRows(b, record, rows.data(), b.rowCount);
        FillComboCoded(window, b.control, rows.data(), n, ReadField(record, b.field));
        break;
    }
    case BIND_SLIDER: {
        HWND bar = GetDlgItem(window, b.control);
        const int min = static_cast<int>(LimitMinimum(b.slider->range, record));
        const int max = static_cast<int>(LimitMaximum(b.slider->range, record));
        SetScrollRange(bar, SB_CTL, min, max, FALSE);
        /* The display keeps the stored value within the range (the range may have moved); the
         * owner's snap is for moves only. */
        const int value =
            static_cast<int>(ClampSlider(static_cast<long>(ReadField(record, b.field)), min, max));
        WriteField(record, b.field, value);
        ShowSliderValue(window, b, value);
        break;
    }
    case BIND_NUMBER: {
        if (b.number->maxChars > 0)
            SendDlgItemMessageA(window, b.control, EM_LIMITTEXT, b.number->maxChars, 0);
        char text[32];
        std::snprintf(text, sizeof text, "%lld",
                      static_cast<long long>(ReadField(record, b.field)));
        SetDlgItemTextA(window, b.control, text);
        break;
    }
    case BIND_TEXT:
        FillText(form, b);
        break;
    case BIND_ADDRESS: {
        HWND address = GetDlgItem(window, b.control);
        SendMessageA(address, IPM_SETRANGE, 0, MAKEIPRANGE(0, 255));
        const uint32_t stored = static_cast<uint32_t>(ReadField(record, b.field));
        if (stored == 0)
            SendMessageA(address, IPM_CLEARADDRESS, 0, 0);
        else
            SendMessageA(address, IPM_SETADDRESS, 0, SwapAddressOrder(stored));
        break;
    }
    case BIND_LABEL: {
        char text[LIST_TEXT_SIZE] = "";
        if (const int id = LabelString(b, record))
            LoadStr(static_cast<UINT>(id), text, sizeof text);
        SetDlgItemTextA(window, b.control, text);
        break;
    }
    }
}

/* ---- Reading ------------------------------------------------------------------------------ */

uint32_t ReadAddress(HWND window, int control)
{
    DWORD address = 0;
    if (SendDlgItemMessageA(window, control, IPM_GETADDRESS, 0,
                            reinterpret_cast<LPARAM>(&address)) == 0)
        return 0; /* every field blank */
    return SwapAddressOrder(address);
}

void OnBoundCommand(Form& form, const Binding& b, int button, int code)
{
    HWND window = form.window;
    switch (b.kind) {
    case BIND_CHECK:
        if (code == BN_CLICKED)
            Touch(form, StoreCheckBox(b, IsDlgButtonChecked(window, b.control) == BST_CHECKED,
                                      form.record));
        break;
    case BIND_RADIO:
        if (code == BN_CLICKED) {
            Touch(form, StoreRadio(b, button, form.record));
            FillRadio(form, b);
        }
        break;
    case BIND_COMBO_INDEX:
    case BIND_COMBO_CODED:
        if (code == CBN_SELCHANGE) {
            const LRESULT sel = SendDlgItemMessageA(window, b.control, CB_GETCURSEL, 0, 0);
            if (sel >= 0)
                Touch(form,
                      StoreComboValue(
                          b, b.kind == BIND_COMBO_INDEX ? sel : GetComboSelData(window, b.control),
                          form.record));
        }
        break;
    case BIND_NUMBER:
        if (code == EN_CHANGE) {
            char text[RANGE_TEXT_SIZE];
            if (b.number->flags & NUMBER_DIGITS)
                FilterEditField(window, b.control, FILTER_DIGITS, b.number->maxChars, text,
                                sizeof text);
            else
                lstrcpynA(text, TextOf(window, b.control, RANGE_TEXT_SIZE).c_str(), sizeof text);
            /* A field read only on Apply has nothing to store yet, but the user's typing is an
             * edit all the same: without the mark the Apply would skip it. */
            if (!(b.number->flags & NUMBER_STORE_ON_APPLY))
                Touch(form, StoreNumberText(b, text, form.record));
            else
                Touch(form, 1);
        } else if (code == EN_KILLFOCUS && (b.number->flags & NUMBER_CLAMP_ON_EXIT)) {
            ClampNumberField(form, b);
        }
        break;
    case BIND_TEXT:
        if (code == EN_CHANGE) {
            char text[256];
            FilterEditField(window, b.control, b.text->filter, b.text->limit, text, sizeof text);
            Touch(form, StoreText(b, text, form.record, form.japaneseMode));
        }
        break;
    case BIND_ADDRESS:
        if (code == EN_CHANGE)
            Touch(form, StoreAddress(b, ReadAddress(window, b.control), form.record));
        break;
    case BIND_SLIDER:
    case BIND_LABEL:
        break;
    }
}

}  // namespace

void FillForm(Form& form)
{
    const int filling = form.filling;
    form.filling = 1;
    for (int i = 0; form.table && i < form.table->bindingCount; i++)
        FillBinding(form, form.table->bindings[i]);
    ApplyControlRules(form);
    form.filling = filling;
}

void RefreshBinding(Form& form, int control)
{
    const Binding* b = form.table ? FindBinding(*form.table, control, nullptr) : nullptr;
    if (!b)
        return;
    const int filling = form.filling;
    form.filling = 1;
    FillBinding(form, *b);
    form.filling = filling;
}

void SetTextQuietly(Form& form, int control, const char* text)
{
    const int filling = form.filling;
    form.filling = 1;
    SetDlgItemTextA(form.window, control, text);
    form.filling = filling;
}

void ApplyControlRules(Form& form)
{
    if (!form.table)
        return;
    const FormTable& table = *form.table;
    for (int i = 0; i < table.bindingCount; i++)
        if (table.bindings[i].kind == BIND_LABEL)
            FillBinding(form, table.bindings[i]);
    for (int i = 0; i < table.enableCount; i++) {
        const ControlRule& rule = table.enables[i];
        const BOOL enabled = ConditionHolds(rule.when, form.record) ? TRUE : FALSE;
        for (int k = 0; k < rule.count; k++)
            EnableWindow(GetDlgItem(form.window, rule.controls[k]), enabled);
    }
    for (int i = 0; i < table.showCount; i++) {
        const ControlRule& rule = table.shows[i];
        const int shown = ConditionHolds(rule.when, form.record) ? SW_SHOW : SW_HIDE;
        for (int k = 0; k < rule.count; k++)
            ShowWindow(GetDlgItem(form.window, rule.controls[k]), shown);
    }
}

int OnFormCommand(Form& form, int control, int code)
{
    int button = -1;
    const Binding* b = form.table ? FindBinding(*form.table, control, &button) : nullptr;
    if (!b)
        return 0;
    OnBoundCommand(form, *b, button, code);
    return 1;
}

int OnFormScroll(Form& form, HWND bar, int request, int thumb)
{
    const int control = GetDlgCtrlID(bar);
    const Binding* b = form.table ? FindBinding(*form.table, control, nullptr) : nullptr;
    if (!b || b->kind != BIND_SLIDER)
        return 0;
    if (request == SCROLL_END)
        return 1;
    const SliderOptions& s = *b->slider;
    const long target =
        SliderTarget(request, static_cast<long>(ReadField(form.record, b->field)), thumb,
                     static_cast<long>(LimitMinimum(s.range, form.record)),
                     static_cast<long>(LimitMaximum(s.range, form.record)), s.lineStep, s.pageStep);
    const int value = SliderValue(*b, target, form.record);
    Touch(form, StoreSliderValue(*b, value, form.record));
    ShowSliderValue(form.window, *b, value);
    return 1;
}

void ClampNumberField(Form& form, const Binding& b)
{
    if (!ConditionHolds(b.number->checkWhen, form.record))
        return;
    HWND window = form.window;
    const std::string typed = TextOf(window, b.control, RANGE_TEXT_SIZE);
    const long value = ParseDecimalField(typed.c_str());
    const long min = static_cast<long>(LimitMinimum(b.number->range, form.record));
    const long max = static_cast<long>(LimitMaximum(b.number->range, form.record));
    const long clamped = b.number->correct
                             ? static_cast<long>(b.number->correct(value, form.record))
                             : ClampSlider(value, min, max);
    char text[32];
    std::snprintf(text, sizeof text, "%ld", clamped);
    if (typed != text)
        SetTextQuietly(form, b.control, text);
    Touch(form, StoreNumberText(b, text, form.record));
}

CheckResult CheckNumberFields(const Form& form, uint8_t phase)
{
    for (int i = 0; form.table && i < form.table->bindingCount; i++) {
        const Binding& b = form.table->bindings[i];
        if (!NumberCheckApplies(b, phase, form.record))
            continue;
        const FieldProblem problem = JudgeNumberField(
            TextOf(form.window, b.control, RANGE_TEXT_SIZE - 1).c_str(), b.control,
            b.number->messageId, static_cast<long>(LimitMinimum(b.number->range, form.record)),
            static_cast<long>(LimitMaximum(b.number->range, form.record)));
        if (problem.message)
            return Found(problem);
    }
    return PASSED;
}

void StoreNumbersOnApply(Form& form)
{
    for (int i = 0; form.table && i < form.table->bindingCount; i++) {
        const Binding& b = form.table->bindings[i];
        if (b.kind != BIND_NUMBER || !(b.number->flags & NUMBER_STORE_ON_APPLY) ||
            !ConditionHolds(b.number->checkWhen, form.record))
            continue;
        /* OK by Enter leaves the focus in a field that never lost it. */
        if (b.number->flags & NUMBER_CLAMP_ON_EXIT)
            ClampNumberField(form, b);
        StoreNumberText(b, TextOf(form.window, b.control, RANGE_TEXT_SIZE).c_str(), form.record);
    }
}

void ShowProblems(const Form& form, const CheckResult& result)
{
    HWND owner = GetAncestor(form.window, GA_ROOT);
    for (int i = 0; i < result.count && i < MAX_PROBLEMS; i++) {
        const FieldProblem& p = result.problems[i];
        ShowRangeMessage(owner, p.message, p.minimum, p.maximum);
        SelectAndFocus(form.window, p.control);
    }
}

int ControlText(const Form& form, int control, char* out, int size)
{
    if (!out || size <= 0)
        return 0;
    lstrcpynA(out, TextOf(form.window, control, size).c_str(), size);
    return static_cast<int>(std::strlen(out));
}

void FillComboFromStrings(HWND dialog, int combo, int firstString, int lastString, int selected)
{
    SendDlgItemMessageA(dialog, combo, CB_RESETCONTENT, 0, 0);
    for (int id = firstString; id <= lastString; id++) {
        char text[LIST_TEXT_SIZE];
        SendDlgItemMessageA(dialog, combo, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(LoadStr(id, text, sizeof text)));
    }
    /* A stored index past the list selects nothing. */
    SendDlgItemMessageA(dialog, combo, CB_SETCURSEL,
                        selected >= 0 && selected <= lastString - firstString ? selected : -1, 0);
}

void FillComboCoded(HWND dialog, int combo, const ComboRow* const* rows, int count, int64_t value)
{
    SendDlgItemMessageA(dialog, combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; i++) {
        char text[LIST_TEXT_SIZE];
        const LRESULT index = SendDlgItemMessageA(
            dialog, combo, CB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>(LoadStr(rows[i]->stringId, text, sizeof text)));
        if (index >= 0)
            SendDlgItemMessageA(dialog, combo, CB_SETITEMDATA, index,
                                static_cast<LPARAM>(rows[i]->code));
    }
    SelectComboByData(dialog, combo, value);
}

int SelectComboByData(HWND dialog, int combo, int64_t value)
{
    const int count = static_cast<int>(SendDlgItemMessageA(dialog, combo, CB_GETCOUNT, 0, 0));
    std::vector<int64_t> codes(count > 0 ? static_cast<size_t>(count) : 0);
    for (int i = 0; i < count; i++)
        codes[i] = static_cast<int64_t>(SendDlgItemMessageA(dialog, combo, CB_GETITEMDATA, i, 0));
    const int found = FindComboRow(codes.data(), count, value);
    SendDlgItemMessageA(dialog, combo, CB_SETCURSEL, found >= 0 ? found : 0, 0);
    return found;
}

int64_t GetComboSelData(HWND dialog, int combo)
{
    const LRESULT sel = SendDlgItemMessageA(dialog, combo, CB_GETCURSEL, 0, 0);
    if (sel < 0)
        return -1;
    return static_cast<int64_t>(SendDlgItemMessageA(dialog, combo, CB_GETITEMDATA, sel, 0));
}
