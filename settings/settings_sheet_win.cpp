/*
 * The Device Settings sheet. See settings_sheet_win.h. The pages are SETTINGS_PAGE_LIST's; each
 * reaches the page procedure with its SettingsPage in the PROPSHEETPAGE's lParam, which holds the
 * page's definition and working state for as long as the sheet is open.
 */
#include "settings/settings_sheet_win.h"

#include <cstdlib>

#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/settings_pages_win.h"
#include "settings/settings_rules.h"
#include "ui/form_dialog_win.h"
#include "ui/ui_win.h"

namespace {

/* What an order outside the sheet gets: nothing to fill or store. */
const SettingsPageDef EMPTY_PAGE = Page(NO_TABLE);

const SettingsPageDef* const PAGE_DEFS[SETTINGS_PAGE_COUNT] = {
#define SETTINGS_PAGE_DEFINITION(name, templateId, networkOnly) &name##_PAGE,
    SETTINGS_PAGE_LIST(SETTINGS_PAGE_DEFINITION)
#undef SETTINGS_PAGE_DEFINITION
};

/* One page from its dialog template (from the resource module when it has the template, else
 * from the program's own); no page flags, so the tab shows the template's caption. */
HPROPSHEETPAGE CreateSettingsPage(int templateId, SettingsPage* page)
{
    PROPSHEETPAGEA sheetPage = {};
    sheetPage.dwSize = sizeof sheetPage;
    sheetPage.dwFlags = PSP_DEFAULT;
    sheetPage.hInstance = TemplateModule(templateId);
    sheetPage.pszTemplate = MAKEINTRESOURCEA(templateId);
    sheetPage.pfnDlgProc = SettingsPageProc;
    sheetPage.lParam = reinterpret_cast<LPARAM>(page);
    return CreatePropertySheetPageA(&sheetPage);
}

}  // namespace

const SettingsPageDef& SettingsPageDefinition(int order)
{
    if (order < 0 || order >= SETTINGS_PAGE_COUNT || !PAGE_DEFS[order])
        return EMPTY_PAGE;
    return *PAGE_DEFS[order];
}

INT_PTR ShowDeviceSettings(HWND owner)
{
    SettingsSheet sheet = {};
    for (int order = 0; order < SETTINGS_PAGE_COUNT; order++) {
        SettingsPage& page = sheet.pages[order];
        page.def = &SettingsPageDefinition(order);
        page.order = order;
        page.sheet = &sheet;
        /* Zeroed: every page starts its visit with nothing of the last one. */
        page.context = page.def->contextSize ? std::calloc(1, page.def->contextSize) : nullptr;
    }
    const uint8_t board = NormaliseEthernetFlag(gDocument.edit);
    int orders[SETTINGS_PAGE_COUNT];
    const int count = SheetPageOrders(board, orders);
    HPROPSHEETPAGE pages[SETTINGS_PAGE_COUNT];
    int created = 0;
    for (int i = 0; i < count; i++) {
        SettingsPage& page = sheet.pages[orders[i]];
        if (page.def->contextSize && !page.context)
            continue;
        if (HPROPSHEETPAGE handle = CreateSettingsPage(SETTINGS_PAGES[orders[i]].templateId, &page))
            pages[created++] = handle;
    }
    char caption[TITLE_SIZE];
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = ResourceModule();
    header.pszCaption = LoadStr(IDS_TIP_DEVICE_SETTINGS, caption, sizeof caption);
    header.nPages = static_cast<UINT>(created);
    header.nStartPage = 0;
    header.phpage = pages;
    const INT_PTR result = created ? PropertySheetA(&header) : -1;
    for (SettingsPage& page : sheet.pages)
        std::free(page.context);
    EnableWindow(owner, TRUE);
    SetForegroundWindow(owner);
    return result;
}
