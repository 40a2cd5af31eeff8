#include "settings/transmission_page.h"

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
