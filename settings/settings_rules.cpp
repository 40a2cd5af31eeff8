// The decisions every settings page shares. See settings_rules.h.
#include "settings/settings_rules.h"

#include <cstdio>
#include <cstring>

#include "resources/resource_ids.h"

const SettingsPageEntry SETTINGS_PAGES[SETTINGS_PAGE_COUNT] = {
#define SETTINGS_PAGE_ENTRY(name, templateId, networkOnly) {templateId, networkOnly},
    SETTINGS_PAGE_LIST(SETTINGS_PAGE_ENTRY)
#undef SETTINGS_PAGE_ENTRY
};

uint8_t NormaliseEthernetFlag(EditState& state)
{
    if (state.config.ethernetBoard != 1)
        state.config.ethernetBoard = 0;
    return state.config.ethernetBoard;
}

int SheetPageOrders(uint8_t ethernetBoard, int* orders)
{
    int count = 0;
    for (int i = 0; i < SETTINGS_PAGE_COUNT; i++)
        if (ethernetBoard == 1 || !SETTINGS_PAGES[i].networkOnly)
            orders[count++] = i;
    return count;
}

int ShouldMarkUnsaved(const uint8_t* changedFlags, int count)
{
    for (int i = 0; changedFlags && i < count; i++)
        if (changedFlags[i])
            return 1;
    return 0;
}
