// The Line page's own rule: the dialling methods a country's lines take.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "settings/settings_rules.h"

enum : uint8_t {
    DIAL_PUSH_BUTTON = 0,  // 0x10500
    DIAL_PULSE = 16,
    PULSE_10PPS = 8,  // 0x10501
    PULSE_20PPS = 0,
    LINE_PSTN = 0,  // 0x10502
    LINE_PABX = 64,
};

// The country rule, run whenever the page opens or becomes current again: in a push-button
// country (IsPushButtonCountry) the dial type becomes push button. Returns 1 when the two
// pulse-dial choices are offered, 0 when they are not.
int ApplyLineCountryRule(EditState& state);

// The page's binding table over the edit state.
extern const FormTable LINE_TABLE;
