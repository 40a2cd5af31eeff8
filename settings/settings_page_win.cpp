/*
 * The one page procedure of the Device Settings sheet. See settings_page_win.h.
 *
 * Every command goes through the binding frame first: a store that changes the edit state sets
 * the form's touched marker, and the end of the handler turns it into the page's changed flag
 * and PSM_CHANGED. Checks only judge; what they found is shown here, and Apply is the step that
 * changes the document.
 */
#include "settings/settings_page_win.h"

#include <commctrl.h>

#include "document/dial_records.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/settings_rules.h"
#include "ui/accessible_names_win.h"

namespace {

/* Posted after a failed check: focuses the control once the sheet has settled on the page. */
constexpr UINT WM_FOCUS_CONTROL = WM_APP + 1;

SettingsPage* PageOf(HWND window)
{
    return reinterpret_cast<SettingsPage*>(GetWindowLongPtrA(window, DWLP_USER));
}

HWND Sheet(const SettingsPage& page) { return GetParent(page.form.window); }

/* Only the user's edits mark a page, and tell the sheet, which enables Apply. */
void MarkPageChanged(SettingsPage& page)
{
    if (page.form.filling)
        return;
    page.changed = 1;
    PropSheet_Changed(Sheet(page), page.form.window);
}

void FillPage(SettingsPage& page)
{
    const SettingsPageDef& def = *page.def;
    page.form.filling = 1;
    if (def.prepare)
        def.prepare(PageEdits(page));
    FillForm(page.form);
    if (def.init)
        def.init(page);
    page.form.filling = 0;
}

/* Runs one user action: the bound store or the page's own handler, then, when it changed
 * something, the page's dependent rules, the enabling and the changed flag. */
template <typename Action>
void HandleEdit(SettingsPage& page, int control, Action action)
{
    Form& form = page.form;
    if (form.filling)
        return;
    const int outer = form.touched;
    form.touched = 0;
    const int own = action();
    if (form.touched || own) {
        if (form.touched && page.def->edited)
            page.def->edited(page, control);
        ApplyControlRules(form);
        MarkPageChanged(page);
    }
    form.touched = outer;
}

void OnCommand(SettingsPage& page, int control, int code)
{
    HandleEdit(page, control, [&]() {
        if (OnFormCommand(page.form, control, code))
            return 0;
        return page.def->command ? page.def->command(page, control, code) : 0;
    });
}

void OnScroll(SettingsPage& page, HWND bar, int request, int thumb)
{
    HandleEdit(page, GetDlgCtrlID(bar), [&]() {
        OnFormScroll(page.form, bar, request, thumb);
        return 0;
    });
}

/* A field corrected when focus leaves it is corrected when the page is left too: OK by Enter
 * leaves the page with the focus still in the field. */
void CorrectFieldsOnLeave(SettingsPage& page)
{
    const FormTable& table = page.def->table;
    for (int i = 0; i < table.bindingCount; i++) {
        const Binding& b = table.bindings[i];
        if (b.kind == BIND_NUMBER && (b.number->flags & NUMBER_CLAMP_ON_EXIT) &&
            !(b.number->flags & NUMBER_STORE_ON_APPLY))
            HandleEdit(page, b.control, [&]() {
                ClampNumberField(page.form, b);
                return 0;
            });
    }
}

/* The checks of a phase, what the page decides from them, and their messages; the control to
 * focus, or 0 when everything passed. */
int CheckPage(SettingsPage& page, CheckPhase phase)
{
    CheckResult result = CheckNumberFields(page.form, static_cast<uint8_t>(phase));
    if (!result.count && page.def->check) {
        result = page.def->check(page, phase);
        if (page.def->checked)
            page.def->checked(page, phase, result);
    }
    ShowProblems(page.form, result);
    return LastProblemControl(result);
}

/* Leaving the page (another tab, OK, Apply): 1 refuses. */
int OnKillActive(SettingsPage& page)
{
    CorrectFieldsOnLeave(page);
    if (page.sheet->leaveGuard) {
        page.sheet->leaveGuard = 0;
        return 0;
    }
    const int failed = CheckPage(page, CHECK_LEAVE);
    if (!failed)
        return 0;
    PostMessageA(page.form.window, WM_FOCUS_CONTROL, failed, 0);
    return 1;
}

LRESULT OnApply(SettingsPage& page, int closing)
{
    if (!page.changed) {
        UpdateUnsavedFlag(*page.sheet);
        return PSNRET_NOERROR;
    }
    const int failed = CheckPage(page, CHECK_APPLY);
    if (failed) {
        /* The sheet brings this page to the front; the field is focused once it is there. */
        page.sheet->leaveGuard = 1;
        PostMessageA(page.form.window, WM_FOCUS_CONTROL, failed, 0);
        return PSNRET_INVALID;
    }
    StoreNumbersOnApply(page.form);
    if (page.def->applied)
        page.def->applied(page);
    CommitEdits(gDocument);
    UpdateUnsavedFlag(*page.sheet);
    /* Stored: Apply stays off until the next edit (Wine's sheet leaves it on). */
    PropSheet_UnChanged(Sheet(page), page.form.window);
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
            const int filling = page.form.filling;
            page.form.filling = 1;
            page.def->activate(page);
            page.form.filling = filling;
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
        /* A modal sheet under Wine leaves its loop only on the next message. */
        PostMessageA(Sheet(page), WM_NULL, 0, 0);
        break;
    default:
        return FALSE;
    }
    SetWindowLongPtrA(page.form.window, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK SettingsPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SettingsPage* page = reinterpret_cast<SettingsPage*>(
            reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        if (!page || !page->def)
            return TRUE;
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->form = {window, &page->def->table, &gDocument.edit, IsJapaneseMode(gDocument.edit), 0,
                      0};
        if (page->order >= 0 && page->order < SETTINGS_PAGE_COUNT)
            GiveAccessibleNames(window, SETTINGS_PAGES[page->order].templateId);
        FillPage(*page);
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
        page->sheet->leaveGuard = 0;
        SelectAndFocus(window, static_cast<int>(wParam));
        return TRUE;
    case WM_DESTROY:
        page->form.window = nullptr;
        SetWindowLongPtrA(window, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}

int IsSettingsPageChanged(HWND sheet, int order)
{
    const SettingsPage* current = PageOf(PropSheet_GetCurrentPageHwnd(sheet));
    if (!current || order < 0 || order >= SETTINGS_PAGE_COUNT)
        return 0;
    return current->sheet->pages[order].changed;
}

void UpdateUnsavedFlag(const SettingsSheet& sheet)
{
    uint8_t changed[SETTINGS_PAGE_COUNT];
    for (int i = 0; i < SETTINGS_PAGE_COUNT; i++)
        changed[i] = sheet.pages[i].changed;
    if (ShouldMarkUnsaved(changed, SETTINGS_PAGE_COUNT))
        MarkDocumentChanged(gDocument);
}
