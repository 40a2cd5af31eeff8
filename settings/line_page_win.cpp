/*
 * The Line page (template 722): its table and hooks. Whether pulse dialling is offered
 * depends on the country chosen on the System page, so the rule runs again whenever the page
 * becomes current.
 */
#include "resources/resource_ids.h"
#include "settings/line_page.h"
#include "settings/settings_pages_win.h"

namespace {

void Activate(SettingsPage& page)
{
    const BOOL pulse = ApplyLineCountryRule(PageEdits(page)) ? TRUE : FALSE;
    RefreshBinding(page.form, IDC_LINE_PUSH);
    EnableWindow(GetDlgItem(page.form.window, IDC_LINE_DIAL_10PPS), pulse);
    EnableWindow(GetDlgItem(page.form.window, IDC_LINE_DIAL_20PPS), pulse);
}

}  // namespace

const SettingsPageDef LINE_PAGE = Page(LINE_TABLE).Activate(Activate);
