#include "settings/transmission_page.h"

#include "resources/resource_ids.h"

#include "settings/system_page.h"

int SnapScanDensity(int value)
{
    if (value < 1)
        return 0;
    if (value < SCAN_DENSITY_MAX)
        return SCAN_DENSITY_MAX / 2;
    return SCAN_DENSITY_MAX;
}

int ResendIntervalMinimum(const EditState& state)
{
    return state.transmission.resendIntervalMin >> 4;
}

int64_t CorrectResendCount(int64_t value, const EditState& state)
{
    if (value > state.transmission.resendCountMax)
        value = state.transmission.resendCountMax;
    return value < 1 ? 1 : value;
}

int64_t CorrectResendInterval(int64_t value, const EditState& state)
{
    if (value > RESEND_INTERVAL_MAX)
        value = RESEND_INTERVAL_MAX;
    // A negative text (only a paste can bring one) is below any minimum, not a large byte.
    const int min = ResendIntervalMinimum(state);
    return value < min ? min : value;
}

void PrepareTransmissionPage(EditState& state)
{
    TransmissionSettings& tx = state.transmission;
    tx.resendCount = static_cast<uint8_t>(CorrectResendCount(tx.resendCount, state));
    int min = ResendIntervalMinimum(state);
    if (min < 1)
        min = 1;
    if (min > 5)
        min = 5;
    int interval = tx.resendInterval;
    if (interval < min)
        interval = min;
    if (interval > RESEND_INTERVAL_MAX)
        interval = RESEND_INTERVAL_MAX;
    tx.resendInterval = static_cast<uint8_t>(interval);
}

int ApplyFaxHeaderCountryRule(EditState& state)
{
    if (state.system.country != COUNTRY_USA && state.system.country != COUNTRY_CANADA)
        return 0;
    state.transmission.printFaxHeader = FAX_HEADER_ON;
    return 1;
}

namespace {

// The corrections above over the record the table binds.
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

}  // namespace

const FormTable TRANSMISSION_TABLE = Table(BINDINGS, ENABLES);
