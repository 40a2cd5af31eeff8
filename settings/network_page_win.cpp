/*
 * The Network page (template 2335): its table and hooks. The address checks of
 * network_page.cpp run when the page is left and on Apply, and decide which address items an
 * upload sends; a changed network setting asks for the power cycle the device needs.
 */
#include "ui/ui_win.h"
#include "device/device_protocol.h"
#include "resources/resource_ids.h"
#include "settings/network_page.h"
#include "settings/settings_pages_win.h"

namespace {

/* Set when the user changed a network setting on this visit of the sheet. */
int gNetworkChanged;

const RadioButton ADDRESS_MODE[] = {
    {IDC_NET_DHCP, ADDRESS_DHCP, CODE_ANY},
    {IDC_NET_SPECIFY, ADDRESS_SPECIFIED, CODE_ANY},
};
const RadioButton DNS[] = {
    {IDC_NET_DNS_ACTIVE, DNS_ACTIVE, CODE_ANY},
    {IDC_NET_DNS_INACTIVE, DNS_INACTIVE, CODE_ANY},
};

const Binding BINDINGS[] = {
    RadioGroup(EDIT_FIELD(network.addressMode), ADDRESS_MODE),
    Address(IDC_NET_IP_ADDRESS, EDIT_FIELD(network.ipAddress)),
    Address(IDC_NET_SUBNET_MASK, EDIT_FIELD(network.subnetMask)),
    Address(IDC_NET_GATEWAY, EDIT_FIELD(network.gateway)),
    RadioGroup(EDIT_FIELD(network.dnsActive), DNS),
    Address(IDC_NET_DNS_ADDRESS, EDIT_FIELD(network.dnsServer)),
    ComboIndex(IDC_NET_SPEED, EDIT_FIELD(network.ethernetSpeed), IDS_ETHERNET_AUTO,
               IDS_ETHERNET_100_FULL),
};

const int FIXED_ADDRESS[] = {
    IDC_NET_IP_ADDRESS,       IDC_NET_SUBNET_MASK,       IDC_NET_GATEWAY,
    IDC_NET_IP_ADDRESS_LABEL, IDC_NET_SUBNET_MASK_LABEL, IDC_NET_GATEWAY_LABEL,
};
const int DNS_ADDRESS[] = {IDC_NET_DNS_ADDRESS, IDC_NET_DNS_ADDRESS_LABEL};
const ControlRule ENABLES[] = {
    ControlsWhen(FIXED_ADDRESS, WhenNotEqual(EDIT_FIELD(network.addressMode), ADDRESS_DHCP)),
    ControlsWhen(DNS_ADDRESS, WhenNotEqual(EDIT_FIELD(network.dnsActive), DNS_INACTIVE)),
};

const int ITEM_CONTROLS[NET_ITEM_COUNT] = {IDC_NET_IP_ADDRESS, IDC_NET_SUBNET_MASK, IDC_NET_GATEWAY,
                                           IDC_NET_DNS_ADDRESS};

void Init(SettingsPage&) { gNetworkChanged = 0; }

/* Every control of the page edits a network setting. */
void Edited(SettingsPage&, int) { gNetworkChanged = 1; }

/* Leaving and Apply alike: the lengths decide what an upload sends, even if the sheet is then
 * cancelled, so an address that failed is never sent. */
int Check(SettingsPage& page, CheckPhase)
{
    const NetworkCheck check = CheckNetworkSettings(gDocument.edit.network);
    ApplyNetworkLengths(check, gDocument);
    int failed = 0;
    for (int i = 0; i < check.failureCount; i++) {
        ShowMessageId(GetAncestor(page.window, GA_ROOT), IDS_INVALID_SETTING, MB_OK);
        failed = ITEM_CONTROLS[check.failures[i]];
        SelectAndFocus(page.window, failed);
    }
    return failed;
}

void Applied(SettingsPage&)
{
    if (gNetworkChanged)
        RequestDeviceRestart(0);
}

}  // namespace

const SettingsPageDef NETWORK_PAGE = {
    {BINDINGS, sizeof BINDINGS / sizeof BINDINGS[0], ENABLES, sizeof ENABLES / sizeof ENABLES[0],
     nullptr, 0},
    nullptr,
    Init,
    nullptr,
    nullptr,
    Edited,
    Check,
    Applied,
};
