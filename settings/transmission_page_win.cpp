/*
 * The Transmission page (template 720): its table and hooks. The fax header is forced on for
 * the countries that require it, and the country may change on the System page while the
 * sheet is open, so the rule runs again whenever the page becomes current. The two resend
 * numbers are corrected when their field loses focus (and when the page is left).
 */
#include "resources/resource_ids.h"
#include "settings/settings_pages_win.h"
#include "settings/transmission_page.h"

namespace {

/* The box shows what will be stored: checked and out of reach where the header is required. */
void Activate(SettingsPage& page)
{
    const BOOL forced = ApplyFaxHeaderCountryRule(PageEdits(page)) ? TRUE : FALSE;
    RefreshBinding(page.form, IDC_TX_PRINT_HEADER);
    EnableWindow(GetDlgItem(page.form.window, IDC_TX_PRINT_HEADER), !forced);
}

}  // namespace

const SettingsPageDef TRANSMISSION_PAGE =
    Page(TRANSMISSION_TABLE).Prepare(PrepareTransmissionPage).Activate(Activate);
