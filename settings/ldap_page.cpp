// The LDAP page's binding table. See ldap_page.h.
#include "settings/ldap_page.h"

#include "resources/resource_ids.h"

const SliderOptions LDAP_TIMEOUT_SLIDER = {Range(5, 60), 1, 5, IDC_LDAP_TIMEOUT_VALUE, 0, 0,
                                           nullptr};
const SliderOptions LDAP_RESULTS_SLIDER = {Range(10, 100), 1, 5, IDC_LDAP_MAX_RESULTS_VALUE, 0, 0,
                                           nullptr};

namespace {

const TextOptions HOST = {TEXT_LONG_SIZE - 2, FILTER_HOST, 0, 0, 0};
const TextOptions LONG_ASCII = {TEXT_LONG_SIZE - 2, FILTER_ASCII, 0, 0, 0};
const TextOptions PASSWORD = {TEXT_MEDIUM_SIZE - 2, FILTER_ASCII, 0, 0, 1};
const NumberOptions PORT = {5,
                            Range(1, 65535),
                            IDS_RANGE_ERROR,
                            NUMBER_DIGITS | NUMBER_CHECK_LEAVE | NUMBER_CHECK_APPLY,
                            ALWAYS,
                            nullptr};

const Binding BINDINGS[] = {
    Text(IDC_LDAP_SERVER, EDIT_FIELD(ldap.serverName), HOST),
    Text(IDC_LDAP_USER, EDIT_FIELD(ldap.userName), LONG_ASCII),
    Text(IDC_LDAP_PASSWORD, EDIT_FIELD(ldap.password), PASSWORD),
    Number(IDC_LDAP_PORT, EDIT_FIELD(ldap.port), PORT),
    Slider(IDC_LDAP_TIMEOUT, EDIT_FIELD(ldap.searchTimeout), LDAP_TIMEOUT_SLIDER),
    Slider(IDC_LDAP_MAX_RESULTS, EDIT_FIELD(ldap.maxResults), LDAP_RESULTS_SLIDER),
    Text(IDC_LDAP_SEARCH_BASE, EDIT_FIELD(ldap.searchBase), LONG_ASCII),
    ComboIndex(IDC_LDAP_CONDITIONS, EDIT_FIELD(ldap.searchCondition), IDS_LDAP_BEGINNING_WORD,
               IDS_LDAP_END_WORD),
};

}  // namespace

const FormTable LDAP_TABLE = Table(BINDINGS);
