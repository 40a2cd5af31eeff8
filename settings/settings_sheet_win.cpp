/*
 * The Device Settings sheet. See settings_sheet_win.h.
 */
#include "settings/settings_sheet_win.h"

#include "ui/ui_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/settings_page_win.h"
#include "settings/settings_pages_win.h"
#include "settings/settings_rules.h"

namespace {

/* What an order outside the sheet gets: nothing to fill or store. */
const SettingsPageDef EMPTY_PAGE = {};

/* Every page in sheet order (SETTINGS_PAGES gives its template and whether it needs the
 * Ethernet board). */
const SettingsPageDef* const PAGE_DEFS[SETTINGS_PAGE_COUNT] = {
    &SYSTEM_PAGE,       /* PAGE_SYSTEM */
    &PAPER_PAGE,        /* PAGE_PAPER */
    &COPIER_PAGE,       /* PAGE_COPIER */
    &REPORT_PAGE,       /* PAGE_REPORT */
    &TRANSMISSION_PAGE, /* PAGE_TRANSMISSION */
    &RECEPTION_PAGE,    /* PAGE_RECEPTION */
    &LINE_PAGE,         /* PAGE_LINE */
    &SMTP_PAGE,         /* PAGE_SMTP */
    &POP3_PAGE,         /* PAGE_POP3 */
    &NETWORK_PAGE,      /* PAGE_NETWORK */
    &RESTRICTION_PAGE,  /* PAGE_USER_RESTRICTION */
    &SCANNER_PAGE,      /* PAGE_SCANNER */
    &LDAP_PAGE,         /* PAGE_LDAP */
};

}  // namespace

/* A resource library made for an earlier version may lack a page: that page comes from the
 * program itself, as its texts do (LoadStr). */
HINSTANCE SettingsTemplateModule(int templateId)
{
    HINSTANCE module = ResourceModule();
    if (module && FindResourceA(module, MAKEINTRESOURCEA(templateId), RT_DIALOG))
        return module;
    return InstanceModule();
}

const SettingsPageDef& SettingsPageDefinition(int order)
{
    if (order < 0 || order >= SETTINGS_PAGE_COUNT || !PAGE_DEFS[order])
        return EMPTY_PAGE;
    return *PAGE_DEFS[order];
}

HPROPSHEETPAGE CreateSettingsPage(int templateId, DLGPROC proc, int order)
{
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = SettingsTemplateModule(templateId);
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pfnDlgProc = proc;
    page.lParam = order;
    return CreatePropertySheetPageA(&page);
}

INT_PTR ShowDeviceSettings(HWND owner)
{
    ResetSettingsPages();
    const uint8_t board = NormaliseEthernetFlag(gDocument.edit);
    int orders[SETTINGS_PAGE_COUNT];
    const int count = SheetPageOrders(board, orders);
    HPROPSHEETPAGE pages[SETTINGS_PAGE_COUNT];
    int created = 0;
    for (int i = 0; i < count; i++) {
        HPROPSHEETPAGE page =
            CreateSettingsPage(SETTINGS_PAGES[orders[i]].templateId, SettingsPageProc, orders[i]);
        if (page)
            pages[created++] = page;
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
    EnableWindow(owner, TRUE);
    SetForegroundWindow(owner);
    return result;
}

void ClosePropertySheet(HWND page)
{
    /* A modal sheet under Wine leaves its loop only on the next message. */
    PostMessageA(GetParent(page), WM_NULL, 0, 0);
}
