/*
 * The Paper page (template 716): paper types, sizes and size modes are the table's, and so are
 * the custom sizes, read from their fields on Apply and kept within their tray's range when a
 * field is left, for the trays the device has; a hidden tray keeps what it held. The Auto Tray
 * Select dialog it opens is auto_tray_win.cpp's.
 */
#include "resources/resource_ids.h"
#include "settings/auto_tray_win.h"
#include "settings/paper_page.h"
#include "settings/settings_pages_win.h"

namespace {

/* Auto Tray Select's OK is an edit of the page. */
int Command(SettingsPage& page, int control, int code)
{
    return control == IDC_PAPER_AUTO_TRAY_SELECT && code == BN_CLICKED &&
           RunAutoTraySelect(page.form.window) == IDOK;
}

}  // namespace

const SettingsPageDef PAPER_PAGE = Page(PAPER_TABLE).Command(Command);
