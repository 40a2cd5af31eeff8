// The User Restriction page's rules. See restriction_page.h.
#include "settings/restriction_page.h"

#include <cstring>

int RestrictionPasswordMatches(const char* typed, const EditState& state)
{
    return std::strcmp(typed ? typed : "", state.restriction.password) == 0;
}

int StoreRestriction(EditState& state, uint8_t enabled, const char* password)
{
    char stored[sizeof state.restriction.password] = {};
    if (password)
        std::strncpy(stored, password, RESTRICTION_DIGITS);
    const int changed = state.restriction.enabled != enabled ||
                        std::memcmp(stored, state.restriction.password, sizeof stored) != 0;
    state.restriction.enabled = enabled;
    std::memcpy(state.restriction.password, stored, sizeof stored);
    return changed;
}

const FormTable RESTRICTION_TABLE = NO_TABLE;
