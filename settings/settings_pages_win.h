/*
 * The sheet's thirteen pages. Each is a binding table with a few hooks in a file of its own
 * (system_page_win.cpp, paper_page_win.cpp, line_page_win.cpp ...), its own rules in a portable
 * file beside it (system_page.cpp ...); settings_sheet_win.cpp puts each at its place in the
 * sheet (PAGE_DEFS). A new page: its controls in its template (resources/settings*.rc), its
 * SettingsPageDef here and in its own file, its entry in PAGE_DEFS, its files in
 * settings/CMakeLists.txt. The frame then fills, reads, enables, marks, checks, stores and
 * cancels it like every other page; the hooks are only for what the table cannot say.
 */
#ifndef MORAVEL_SETTINGS_PAGES_WIN_H
#define MORAVEL_SETTINGS_PAGES_WIN_H

#include "settings/settings_page_win.h"

extern const SettingsPageDef SYSTEM_PAGE;
extern const SettingsPageDef PAPER_PAGE;
extern const SettingsPageDef COPIER_PAGE;
extern const SettingsPageDef RECEPTION_PAGE;
extern const SettingsPageDef LINE_PAGE;
extern const SettingsPageDef NETWORK_PAGE;
extern const SettingsPageDef REPORT_PAGE;
extern const SettingsPageDef TRANSMISSION_PAGE;
extern const SettingsPageDef SMTP_PAGE;
extern const SettingsPageDef POP3_PAGE;
extern const SettingsPageDef RESTRICTION_PAGE;
extern const SettingsPageDef SCANNER_PAGE;
extern const SettingsPageDef LDAP_PAGE;

#endif
