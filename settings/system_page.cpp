// The System page's own rules. See system_page.h.
#include "settings/system_page.h"

RingCountLimits RingCountLimitsFor(int country)
{
    switch (country) {
    case COUNTRY_SINGAPORE:
        return {0, 5};
    case COUNTRY_AUSTRALIA:
        return {3, 15};
    case COUNTRY_NEW_ZEALAND:
        return {4, 9};
    default:
        return {0, 15};
    }
}

int IsPushButtonCountry(int country)
{
    switch (country) {
    case 1:  // UK
    case 2:  // Sweden
    case 4:  // Denmark
    case 5:  // Norway
    case 6:  // Holland
    case 7:  // Belgium
    case 9:  // Finland
    case COUNTRY_NEW_ZEALAND:
    case COUNTRY_GERMANY:
    case 20:  // France
    case COUNTRY_SINGAPORE:
        return 1;
    default:
        return 0;
    }
}

void ApplyCountryRules(EditState& state, int country)
{
    state.system.country = static_cast<uint8_t>(country);
    if (country == COUNTRY_USA || country == COUNTRY_CANADA)
        state.transmission.printFaxHeader = 2;
    const RingCountLimits limits = RingCountLimitsFor(country);
    state.reception.ringCountMin = limits.min;
    state.reception.ringCountMax = limits.max;
    // The ring count is a signed byte: a stored 200 reads as negative and rises to the minimum.
    if (state.reception.ringCount > static_cast<int>(limits.max))
        state.reception.ringCount = static_cast<int8_t>(limits.max);
    if (state.reception.ringCount < static_cast<int>(limits.min))
        state.reception.ringCount = static_cast<int8_t>(limits.min);
    if (IsPushButtonCountry(country))
        state.line.dialType = 0;
}

void PrepareSystemPage(EditState& state)
{
    if (state.system.autoOffMinutes < AUTO_OFF_MINIMUM)
        state.system.autoOffMinutes = AUTO_OFF_MINIMUM;
}
