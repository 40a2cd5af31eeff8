// The Network page's own rules: the address checks and which address items an upload sends.
// Addresses are in their stored form (first octet in the lowest byte), as the edit state
// holds them.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "settings/settings_rules.h"

enum NetworkItem { NET_IP_ADDRESS, NET_SUBNET_MASK, NET_GATEWAY, NET_DNS_SERVER, NET_ITEM_COUNT };
// The item ids, indexed by NetworkItem.
extern const uint32_t NETWORK_ITEM_IDS[NET_ITEM_COUNT];

enum : uint8_t {
    ADDRESS_DHCP = 0,  // 0x10700; any other value counts as a specified address
    ADDRESS_SPECIFIED = 4,
    DNS_INACTIVE = 0,  // 0x10707; any other value counts as active
    DNS_ACTIVE = 128,
};

// A gateway or DNS server: first octet neither 0 nor 127 and below 224, last octet below 255,
// and neither 0.0.0.0 nor 255.255.255.255.
int IsValidHostAddress(uint32_t address);
// A mask whose one bits, first octet most significant, all come before its zero bits.
int IsContiguousMask(uint32_t mask);

// The address-and-mask check, in order: a mask of 0.0.0.0 or 255.255.255.255 fails alone; a
// mask with a gap is reported and the address is still checked (so two messages can come);
// then the address must have a first octet other than 0 and 127 and below 224, a last octet
// below 255, and must be neither its network's own address nor its broadcast address.
struct AddressMaskCheck {
    int maskFailed;     // includes a mask with a gap
    int maskGap;        // the mask had a gap (reported, checks went on)
    int addressFailed;  // the address failed (only looked at when the mask was not 0 or ~0)
};
AddressMaskCheck CheckAddressAndMask(uint32_t address, uint32_t mask);

// What leaving the page or applying it finds. Each failure is one "Invalid value. Check the
// setting(s)." message naming its item (which is selected and focused), in order; the first
// failing step ends the checks. `lengths` are the items' new image lengths: 4 sent, 0 not
// sent, -1 left as they are.
constexpr int32_t LENGTH_UNCHANGED = -1;
struct NetworkCheck {
    int passed;
    int failureCount;
    NetworkItem failures[2];
    int32_t lengths[NET_ITEM_COUNT];
};
// 1. DHCP: the address, mask and gateway are not sent. 2. Specified: the address-and-mask
// check (a failed item is not sent); when it passes, both are sent and the gateway is checked
// as a host. 3. DNS active: the DNS server is checked as a host; inactive: it is not sent.
NetworkCheck CheckNetworkSettings(const NetworkSettings& network);

// Gives the address items the lengths a check decided, so an upload sends exactly the addresses
// that passed. An item the device does not have (ITEM_ABSENT) stays so: the upload never sends
// a device an item it lacks.
void ApplyNetworkLengths(const NetworkCheck& check, Document& doc);

// The page's binding table over the edit state.
extern const FormTable NETWORK_TABLE;
