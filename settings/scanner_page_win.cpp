/*
 * The Scanner (template 727) and Auto Print Report (template 2338) pages. Both are tables
 * (scanner_page.cpp); the Scanner page first mends stored values it cannot show, and its
 * number fields are checked and read only while the divide choice enables them.
 */
#include "settings/scanner_page.h"
#include "settings/settings_pages_win.h"

const SettingsPageDef SCANNER_PAGE = Page(SCANNER_TABLE).Prepare(PrepareScannerPage);

const SettingsPageDef REPORT_PAGE = Page(REPORT_TABLE);
