// The System page's own rules: the country rules that adjust other pages' settings, and the
// auto off timer as the page shows it.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "settings/settings_rules.h"

constexpr int COUNTRY_COUNT = 44;
constexpr int COUNTRY_USA = 0;
constexpr int COUNTRY_AUSTRALIA = 8;
constexpr int COUNTRY_NEW_ZEALAND = 10;
constexpr int COUNTRY_GERMANY = 19;
constexpr int COUNTRY_SINGAPORE = 21;
constexpr int COUNTRY_CANADA = 24;

constexpr uint32_t AUTO_OFF_MINIMUM = 15;
constexpr uint32_t AUTO_OFF_MAXIMUM = 240;

// The ring-count limits of the Reception page for a country.
struct RingCountLimits {
    uint8_t min;
    uint8_t max;
};
RingCountLimits RingCountLimitsFor(int country);

// 1 for the countries whose lines take push-button dialling only (UK, Sweden, Denmark, Norway,
// Holland, Belgium, Finland, New Zealand, Germany, France, Singapore).
int IsPushButtonCountry(int country);

// Choosing country `country`, in this order: the country is stored; USA and Canada print the
// fax header (0x10303 = 2); the ring-count limits follow the country and the ring count is
// kept within them; push-button countries dial by push button (0x10500 = 0). Nothing else
// changes, and nothing is undone when another country is chosen later.
void ApplyCountryRules(EditState& state, int country);

// Before the page shows its fields: an auto off timer below 15 minutes is taken as 15.
void PrepareSystemPage(EditState& state);

// The page's binding table over the edit state.
extern const FormTable SYSTEM_TABLE;
