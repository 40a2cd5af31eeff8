// The Line page's own rule. See line_page.h.
#include "settings/line_page.h"

#include "settings/system_page.h"

int ApplyLineCountryRule(EditState& state)
{
    if (!IsPushButtonCountry(state.system.country))
        return 1;
    state.line.dialType = DIAL_PUSH_BUTTON;
    return 0;
}
