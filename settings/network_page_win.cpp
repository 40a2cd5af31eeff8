/*
 * The Network page (template 2335): its table and hooks. The address checks of
 * network_page.cpp run when the page is left and on Apply, and decide which address items an
 * upload sends; a changed network setting asks for the power cycle the device needs.
 */
#include "device/device_protocol.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/network_page.h"
#include "settings/settings_pages_win.h"

namespace {

struct NetworkPageState {
    int changed; /* the user changed a network setting on this visit of the sheet */
};

const int ITEM_CONTROLS[NET_ITEM_COUNT] = {IDC_NET_IP_ADDRESS, IDC_NET_SUBNET_MASK, IDC_NET_GATEWAY,
                                           IDC_NET_DNS_ADDRESS};

/* Every control of the page edits a network setting. */
void Edited(SettingsPage& page, int) { PageState<NetworkPageState>(page).changed = 1; }

/* Leaving and Apply alike: one message for each address that failed, in order. */
CheckResult Check(const SettingsPage& page, CheckPhase)
{
    const NetworkCheck check = CheckNetworkSettings(PageEdits(page).network);
    CheckResult result = PASSED;
    for (int i = 0; i < check.failureCount && i < MAX_PROBLEMS; i++)
        result.problems[result.count++] = {IDS_INVALID_SETTING, ITEM_CONTROLS[check.failures[i]], 0,
                                           0};
    return result;
}

/* Leaving and Apply alike: the lengths decide what an upload sends, even if the sheet is then
 * cancelled, so an address that failed is never sent. */
void Checked(SettingsPage& page, CheckPhase, const CheckResult&)
{
    ApplyNetworkLengths(CheckNetworkSettings(PageEdits(page).network), gDocument);
}

void Applied(SettingsPage& page)
{
    if (PageState<NetworkPageState>(page).changed)
        RequestDeviceRestart(0);
}

}  // namespace

const SettingsPageDef NETWORK_PAGE = Page(NETWORK_TABLE)
                                         .Context<NetworkPageState>()
                                         .Edited(Edited)
                                         .Check(Check)
                                         .Checked(Checked)
                                         .Applied(Applied);
