/*
 * The System page (template 715): its table and hooks. The country rules and the auto off
 * timer's correction are system_page.cpp's; a changed display language asks for the power
 * cycle the device needs to take it.
 */
#include "device/device_protocol.h"
#include "resources/resource_ids.h"
#include "settings/settings_pages_win.h"
#include "settings/system_page.h"

namespace {

struct SystemPageState {
    int languageChanged; /* the user chose another language on this visit of the sheet */
};

void Edited(SettingsPage& page, int control)
{
    EditState& edits = PageEdits(page);
    if (control == IDC_SYS_COUNTRY)
        ApplyCountryRules(edits, edits.system.country);
    else if (control == IDC_SYS_LANGUAGE)
        PageState<SystemPageState>(page).languageChanged = 1;
}

/* The device shows a new language only after it was switched off and on again. */
void Applied(SettingsPage& page)
{
    if (PageState<SystemPageState>(page).languageChanged)
        RequestDeviceRestart(1);
}

}  // namespace

const SettingsPageDef SYSTEM_PAGE = Page(SYSTEM_TABLE)
                                        .Context<SystemPageState>()
                                        .Prepare(PrepareSystemPage)
                                        .Edited(Edited)
                                        .Applied(Applied);
