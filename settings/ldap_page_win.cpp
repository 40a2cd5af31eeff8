/*
 * The LDAP page (template 2337). Its table (ldap_page.cpp) says everything: the host-name
 * filter, the lengths of the texts, the port check when the page is left and on Apply, and the
 * two sliders.
 */
#include "settings/ldap_page.h"
#include "settings/settings_pages_win.h"

const SettingsPageDef LDAP_PAGE = Page(LDAP_TABLE);
