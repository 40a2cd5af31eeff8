// The Copier page's own rules. See copier_page.h.
#include "settings/copier_page.h"

int TrayPriorityCount(uint8_t optionalTrays)
{
    return optionalTrays >= 1 && optionalTrays <= 4 ? optionalTrays + 1 : 1;
}

uint8_t ClampTrayPriority(uint8_t value, uint8_t optionalTrays, uint8_t bypassTray)
{
    const int last = TrayPriorityCount(optionalTrays) - 1;
    if (value <= last)
        return value;
    return static_cast<uint8_t>(bypassTray == 1 ? last + 1 : last);
}

const CopierA3Field* CopierA3CheckOrder(int applying)
{
    static const CopierA3Field LEAVE[COPIER_A3_FIELD_COUNT] = {{1228, 0, 20}, {1155, 5, 20}};
    static const CopierA3Field APPLY[COPIER_A3_FIELD_COUNT] = {{1155, 5, 20}, {1228, 0, 20}};
    return applying ? APPLY : LEAVE;
}
