/*
 * The pages built so far. Each is a table of bindings with a few hooks, in its own file
 * (system_page_win.cpp, line_page_win.cpp, network_page_win.cpp); settings_sheet_win.cpp puts
 * them at their place in the sheet.
 */
#ifndef MORAVEL_SETTINGS_PAGES_WIN_H
#define MORAVEL_SETTINGS_PAGES_WIN_H

#include "settings/settings_page_win.h"

extern const SettingsPageDef SYSTEM_PAGE;
extern const SettingsPageDef LINE_PAGE;
extern const SettingsPageDef NETWORK_PAGE;

#endif
