// The decisions every settings page shares: which pages the sheet has and when the document
// counts as changed. The pages' tables bind controls to fields of the edit state
// (EDIT_FIELD); the Win32 sheet applies all of it (settings_page_win.cpp,
// settings_sheet_win.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/bindings.h"

// EDIT_FIELD(system.autoOff): the field of that member of the edit state.
#define EDIT_FIELD(member) RECORD_FIELD(EditState, member)

// ---- The sheet's pages ----------------------------------------------------------------------

// Every page in sheet order, the one list of them: the name of its definition (NAME_PAGE, in
// the page's own file), its dialog template (whose caption is the tab's label) and whether only
// a device with the network board has it.
#define SETTINGS_PAGE_LIST(PAGE)                                                                   \
    PAGE(SYSTEM, IDD_PAGE_SYSTEM, 0)                                                               \
    PAGE(PAPER, IDD_PAGE_PAPER, 0)                                                                 \
    PAGE(COPIER, IDD_PAGE_COPIER, 0)                                                               \
    PAGE(REPORT, IDD_PAGE_REPORT, 0)                                                               \
    PAGE(TRANSMISSION, IDD_PAGE_TRANSMISSION, 0)                                                   \
    PAGE(RECEPTION, IDD_PAGE_RECEPTION, 0)                                                         \
    PAGE(LINE, IDD_PAGE_LINE, 0)                                                                   \
    PAGE(SMTP, IDD_PAGE_SMTP, 1)                                                                   \
    PAGE(POP3, IDD_PAGE_POP3, 1)                                                                   \
    PAGE(NETWORK, IDD_PAGE_NETWORK, 1)                                                             \
    PAGE(RESTRICTION, IDD_PAGE_USER_RESTRICTION, 1)                                                \
    PAGE(SCANNER, IDD_PAGE_SCANNER, 1)                                                             \
    PAGE(LDAP, IDD_PAGE_LDAP, 1)

enum SettingsPageOrder {
#define SETTINGS_PAGE_ORDER(name, templateId, networkOnly) PAGE_##name,
    SETTINGS_PAGE_LIST(SETTINGS_PAGE_ORDER)
#undef SETTINGS_PAGE_ORDER
        SETTINGS_PAGE_COUNT
};

struct SettingsPageEntry {
    int templateId;  // its caption is the tab's label
    uint8_t networkOnly;
};
// In sheet order, indexed by SettingsPageOrder.
extern const SettingsPageEntry SETTINGS_PAGES[SETTINGS_PAGE_COUNT];

// The Ethernet board flag of the edit state made 0 or 1 (anything but 1 is "not installed");
// returns it.
uint8_t NormaliseEthernetFlag(EditState& state);
// The pages of the sheet, in order: all 13 with the board, the 7 that are not network-only
// without it. `orders` holds SETTINGS_PAGE_COUNT entries; returns the count.
int SheetPageOrders(uint8_t ethernetBoard, int* orders);

// The unsaved-changes decision of an Apply: 1 when any page's changed flag is set. It never
// clears the document's flag, only sets it.
int ShouldMarkUnsaved(const uint8_t* changedFlags, int count);
