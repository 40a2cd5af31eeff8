// The Transmission page's own rules: the scan density's three steps, the corrections of the
// two resend numbers and the fax header that two countries' laws require.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "settings/settings_rules.h"

enum : uint8_t {
    MEMORY_TX_ON = 0,  // 0x10302
    MEMORY_TX_OFF = 4,
    FAX_HEADER_ON = 2,    // 0x10303
    AUTO_RESEND_ON = 16,  // 0x10304
};
constexpr int SCAN_DENSITY_MAX = 32;
constexpr int RESEND_INTERVAL_MAX = 99;

// A moved scan density lands on one of its three steps: below 1 is 0, 1..31 is 16, 32 and
// above is 32.
int SnapScanDensity(int value);

// The shortest resend interval the device takes: the high four bits of 0x10308.
int ResendIntervalMinimum(const EditState& state);

// The number of resends as the field leaves it: above the device's maximum (0x10306) is the
// maximum, below 1 is 1.
int64_t CorrectResendCount(int64_t value, const EditState& state);
// The resend interval as the field leaves it: above 99 is 99, below the device's minimum is
// the minimum.
int64_t CorrectResendInterval(int64_t value, const EditState& state);

// The stored numbers before the page shows them: the count corrected as above; an interval
// below the device's minimum (taken within 1..5) rises to it, and the result is kept in 1..99.
void PrepareTransmissionPage(EditState& state);

// USA and Canada require the fax header: it is switched on there and the page does not let it
// be switched off. Returns 1 when the header is forced.
int ApplyFaxHeaderCountryRule(EditState& state);

// The page's binding table over the edit state.
extern const FormTable TRANSMISSION_TABLE;
