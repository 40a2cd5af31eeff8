/*
 * The sheet's thirteen pages, as SETTINGS_PAGE_LIST names them. Each is a binding table with a
 * few hooks in a file of its own (system_page_win.cpp, paper_page_win.cpp, line_page_win.cpp
 * ...), its own rules in a portable file beside it (system_page.cpp ...). A new page: its
 * controls in its template (resources/settings*.rc), its line in SETTINGS_PAGE_LIST, its
 * NAME_PAGE definition in its own file, its files in settings/CMakeLists.txt. The frame then
 * fills, reads, enables, marks, checks, stores and cancels it like every other page; the hooks
 * are only for what the table cannot say.
 */
#ifndef MORAVEL_SETTINGS_PAGES_WIN_H
#define MORAVEL_SETTINGS_PAGES_WIN_H

#include "settings/settings_page_win.h"

#define SETTINGS_PAGE_DECLARATION(name, templateId, networkOnly)                                   \
    extern const SettingsPageDef name##_PAGE;
SETTINGS_PAGE_LIST(SETTINGS_PAGE_DECLARATION)
#undef SETTINGS_PAGE_DECLARATION

/* The definition of the page of `order` (an empty one outside the list). */
const SettingsPageDef& SettingsPageDefinition(int order);

#endif
