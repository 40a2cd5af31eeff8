// The Network page's own rules. See network_page.h.
#include "settings/network_page.h"

#include "resources/resource_ids.h"

#include "device/byte_order.h"
#include "settings/settings_rules.h"

const uint32_t NETWORK_ITEM_IDS[NET_ITEM_COUNT] = {0x10702, 0x10704, 0x10706, 0x10709};

namespace {
constexpr uint32_t ALL_ONES = 0xFFFFFFFF;

uint32_t FirstOctet(uint32_t stored) { return stored & 0xFF; }
uint32_t LastOctet(uint32_t stored) { return stored >> 24; }
}  // namespace

int IsValidHostAddress(uint32_t address)
{
    const uint32_t first = FirstOctet(address);
    return first != 0 && first != 127 && first < 224 && LastOctet(address) < 255 && address != 0 &&
           address != ALL_ONES;
}

int IsContiguousMask(uint32_t mask)
{
    const uint32_t hostBits = ~SwapAddressOrder(mask);
    return (hostBits & (hostBits + 1)) == 0;
}

AddressMaskCheck CheckAddressAndMask(uint32_t address, uint32_t mask)
{
    AddressMaskCheck check = {0, 0, 0};
    if (mask == 0 || mask == ALL_ONES) {
        check.maskFailed = 1;
        return check;
    }
    if (!IsContiguousMask(mask)) {
        check.maskFailed = 1;
        check.maskGap = 1;
    }
    const uint32_t first = FirstOctet(address);
    const uint32_t hostBits = ~SwapAddressOrder(mask);
    const uint32_t host = SwapAddressOrder(address) & hostBits;
    check.addressFailed = first == 0 || first == 127 || first > 223 || LastOctet(address) == 255 ||
                          address == 0 || address == ALL_ONES || host == 0 || host == hostBits;
    return check;
}

namespace {
void Fail(NetworkCheck& check, NetworkItem item)
{
    check.passed = 0;
    if (check.failureCount < 2)
        check.failures[check.failureCount++] = item;
}
}  // namespace

NetworkCheck CheckNetworkSettings(const NetworkSettings& network)
{
    NetworkCheck check = {1, 0, {NET_IP_ADDRESS, NET_IP_ADDRESS}, {}};
    for (int32_t& length : check.lengths)
        length = LENGTH_UNCHANGED;

    if (network.addressMode == ADDRESS_DHCP) {
        check.lengths[NET_IP_ADDRESS] = 0;
        check.lengths[NET_SUBNET_MASK] = 0;
        check.lengths[NET_GATEWAY] = 0;
    } else {
        const AddressMaskCheck am = CheckAddressAndMask(network.ipAddress, network.subnetMask);
        if (am.maskFailed) {
            check.lengths[NET_SUBNET_MASK] = 0;
            Fail(check, NET_SUBNET_MASK);
        }
        if (am.addressFailed) {
            check.lengths[NET_IP_ADDRESS] = 0;
            Fail(check, NET_IP_ADDRESS);
        }
        if (!check.passed)
            return check;
        check.lengths[NET_IP_ADDRESS] = 4;
        check.lengths[NET_SUBNET_MASK] = 4;
        if (!IsValidHostAddress(network.gateway)) {
            check.lengths[NET_GATEWAY] = 0;
            Fail(check, NET_GATEWAY);
            return check;
        }
        check.lengths[NET_GATEWAY] = 4;
    }

    if (network.dnsActive == DNS_INACTIVE) {
        check.lengths[NET_DNS_SERVER] = 0;
    } else if (!IsValidHostAddress(network.dnsServer)) {
        check.lengths[NET_DNS_SERVER] = 0;
        Fail(check, NET_DNS_SERVER);
    } else {
        check.lengths[NET_DNS_SERVER] = 4;
    }
    return check;
}

void ApplyNetworkLengths(const NetworkCheck& check, Document& doc)
{
    for (int i = 0; i < NET_ITEM_COUNT; i++)
        if (check.lengths[i] != LENGTH_UNCHANGED)
            SetSentLength(doc, NETWORK_ITEM_IDS[i], static_cast<uint32_t>(check.lengths[i]));
}

namespace {

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

}  // namespace

const FormTable NETWORK_TABLE = Table(BINDINGS, ENABLES);
