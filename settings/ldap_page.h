// The LDAP page's binding table: the server name under the host-name filter, the account and
// search texts, the port with its range check when the page is left and on Apply, the search
// timeout (5..60) and result count (10..100) sliders with plain "%d" labels, and the matching
// rule.
#pragma once

#include "settings/settings_rules.h"

extern const FormTable LDAP_TABLE;
extern const SliderOptions LDAP_TIMEOUT_SLIDER;
extern const SliderOptions LDAP_RESULTS_SLIDER;
