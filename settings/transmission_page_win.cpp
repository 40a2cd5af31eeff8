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

int64_t CorrectCount(int64_t value, const void* edits)
{
    return CorrectResendCount(value, *static_cast<const EditState*>(edits));
}

int64_t CorrectInterval(int64_t value, const void* edits)
{
    return CorrectResendInterval(value, *static_cast<const EditState*>(edits));
}

const RadioButton MEMORY_TX[] = {
    {IDC_TX_MEMORY_ON, MEMORY_TX_ON, CODE_ANY},
    {IDC_TX_MEMORY_OFF, MEMORY_TX_OFF, CODE_ANY},
};
const SliderOptions SCAN_DENSITY = {
    Range(0, SCAN_DENSITY_MAX), SCAN_DENSITY_MAX / 2, SCAN_DENSITY_MAX, 0, 0, 0, SnapScanDensity};
const NumberOptions RESEND_COUNT = {
    2,
    {1, 0, NO_FIELD, EDIT_FIELD(transmission.resendCountMax)},
    IDS_RANGE_ERROR,
    NUMBER_DIGITS | NUMBER_CLAMP_ON_EXIT,
    ALWAYS,
    CorrectCount,
};
const NumberOptions RESEND_INTERVAL = {
    2,
    Range(0, RESEND_INTERVAL_MAX),
    IDS_RANGE_ERROR,
    NUMBER_DIGITS | NUMBER_CLAMP_ON_EXIT,
    ALWAYS,
    CorrectInterval,
};

const Binding BINDINGS[] = {
    Slider(IDC_TX_SCAN_DENSITY, EDIT_FIELD(transmission.scanDensity), SCAN_DENSITY),
    ComboIndex(IDC_TX_RESOLUTION, EDIT_FIELD(transmission.resolution), IDS_TX_RES_STANDARD,
               IDS_TX_RES_PHOTO),
    RadioGroup(EDIT_FIELD(transmission.memoryTx), MEMORY_TX),
    CheckBox(IDC_TX_PRINT_HEADER, EDIT_FIELD(transmission.printFaxHeader), FAX_HEADER_ON),
    CheckBox(IDC_TX_AUTO_RESEND, EDIT_FIELD(transmission.autoResend), AUTO_RESEND_ON),
    Number(IDC_TX_RESEND_COUNT, EDIT_FIELD(transmission.resendCount), RESEND_COUNT),
    Number(IDC_TX_RESEND_INTERVAL, EDIT_FIELD(transmission.resendInterval), RESEND_INTERVAL),
};

const int RESEND_FIELDS[] = {
    IDC_TX_RESEND_COUNT_LABEL,    IDC_TX_RESEND_COUNT,    IDC_TX_RESEND_COUNT_UNIT,
    IDC_TX_RESEND_INTERVAL_LABEL, IDC_TX_RESEND_INTERVAL, IDC_TX_RESEND_INTERVAL_UNIT,
};
const ControlRule ENABLES[] = {
    ControlsWhen(RESEND_FIELDS, WhenNotEqual(EDIT_FIELD(transmission.autoResend), 0)),
};

/* The box shows what will be stored: checked and out of reach where the header is required. */
void Activate(SettingsPage& page)
{
    const BOOL forced = ApplyFaxHeaderCountryRule(PageEdits(page)) ? TRUE : FALSE;
    RefreshBinding(page.form, IDC_TX_PRINT_HEADER);
    EnableWindow(GetDlgItem(page.form.window, IDC_TX_PRINT_HEADER), !forced);
}

}  // namespace

const SettingsPageDef TRANSMISSION_PAGE =
    Page(Table(BINDINGS, ENABLES)).Prepare(PrepareTransmissionPage).Activate(Activate);
