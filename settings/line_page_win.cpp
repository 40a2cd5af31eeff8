/*
 * The Line page (template 722): its table and hooks. Whether pulse dialling is offered
 * depends on the country chosen on the System page, so the rule runs again whenever the page
 * becomes current.
 */
#include "resources/resource_ids.h"
#include "settings/line_page.h"
#include "settings/settings_pages_win.h"

namespace {

/* Push button leaves the pulse rate as it was. */
const RadioButton DIAL[] = {
    {IDC_LINE_PUSH, DIAL_PUSH_BUTTON, CODE_ANY},
    {IDC_LINE_DIAL_10PPS, DIAL_PULSE, PULSE_10PPS},
    {IDC_LINE_DIAL_20PPS, DIAL_PULSE, PULSE_20PPS},
};
const RadioButton LINE_TYPE[] = {
    {IDC_LINE_PSTN, LINE_PSTN, CODE_ANY},
    {IDC_LINE_PABX, LINE_PABX, CODE_ANY},
};
const TextOptions PREFIX = {PABX_PREFIX_SIZE - 1, FILTER_DIGITS, 0, 0};

const Binding BINDINGS[] = {
    RadioGroup(EDIT_FIELD(line.dialType), DIAL, EDIT_FIELD(line.pulseRate)),
    RadioGroup(EDIT_FIELD(line.lineType), LINE_TYPE),
    Text(IDC_LINE_PREFIX, EDIT_FIELD(line.pabxPrefix), PREFIX),
};

const int PREFIX_FIELD[] = {IDC_LINE_PREFIX, IDC_LINE_PREFIX_LABEL};
const ControlRule ENABLES[] = {
    ControlsWhen(PREFIX_FIELD, WhenNotEqual(EDIT_FIELD(line.lineType), LINE_PSTN)),
};

void Activate(SettingsPage& page)
{
    const BOOL pulse = ApplyLineCountryRule(PageEdits(page)) ? TRUE : FALSE;
    RefreshBinding(page.form, IDC_LINE_PUSH);
    EnableWindow(GetDlgItem(page.form.window, IDC_LINE_DIAL_10PPS), pulse);
    EnableWindow(GetDlgItem(page.form.window, IDC_LINE_DIAL_20PPS), pulse);
}

}  // namespace

const SettingsPageDef LINE_PAGE = Page(Table(BINDINGS, ENABLES)).Activate(Activate);
