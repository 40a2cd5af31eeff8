// The rules of the System, Line and Network pages: the country rules in their order, the auto
// off timer, the dialling a country allows, and the address checks with the lengths they give.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "device/byte_order.h"
#include "settings/line_page.h"
#include "settings/network_page.h"
#include "settings/system_page.h"

namespace {

TEST(CountryRules, UsaAndCanadaPrintTheFaxHeaderAndNothingUndoesIt)
{
    EditState state = {};
    ApplyCountryRules(state, COUNTRY_USA);
    EXPECT_EQ(0, state.system.country);
    EXPECT_EQ(2, state.transmission.printFaxHeader);
    ApplyCountryRules(state, 11);  // Italy
    EXPECT_EQ(2, state.transmission.printFaxHeader) << "another country keeps it";
    state.transmission.printFaxHeader = 0;
    ApplyCountryRules(state, COUNTRY_CANADA);
    EXPECT_EQ(24, state.system.country);
    EXPECT_EQ(2, state.transmission.printFaxHeader);
}

TEST(CountryRules, TheRingCountFollowsTheCountrysLimits)
{
    struct Case {
        int country;
        int rings;
        int min, max, clamped;
    };
    const Case cases[] = {
        {COUNTRY_AUSTRALIA, 1, 3, 15, 3},  {COUNTRY_SINGAPORE, 12, 0, 5, 5},
        {COUNTRY_NEW_ZEALAND, 2, 4, 9, 4}, {COUNTRY_NEW_ZEALAND, 12, 4, 9, 9},
        {COUNTRY_USA, 12, 0, 15, 12},      {COUNTRY_GERMANY, 20, 0, 15, 15},
        {COUNTRY_AUSTRALIA, -2, 3, 15, 3},
    };
    for (const Case& c : cases) {
        EditState state = {};
        state.reception.ringCount = static_cast<int8_t>(c.rings);
        ApplyCountryRules(state, c.country);
        EXPECT_EQ(c.min, state.reception.ringCountMin) << "country " << c.country;
        EXPECT_EQ(c.max, state.reception.ringCountMax) << "country " << c.country;
        EXPECT_EQ(c.clamped, state.reception.ringCount) << "country " << c.country;
    }
}

TEST(CountryRules, PushButtonCountriesDialByPushButton)
{
    const std::vector<int> pushButton = {1, 2, 4, 5, 6, 7, 9, 10, 19, 20, 21};
    for (int country = 0; country < COUNTRY_COUNT; country++) {
        EditState state = {};
        state.line.dialType = DIAL_PULSE;
        ApplyCountryRules(state, country);
        const bool push =
            std::find(pushButton.begin(), pushButton.end(), country) != pushButton.end();
        EXPECT_EQ(push ? DIAL_PUSH_BUTTON : DIAL_PULSE, state.line.dialType) << country;
        EXPECT_EQ(push ? 1 : 0, IsPushButtonCountry(country)) << country;
    }
}

TEST(SystemPage, AnAutoOffTimerBelowFifteenIsShownAsFifteen)
{
    EditState state = {};
    PrepareSystemPage(state);
    EXPECT_EQ(15u, state.system.autoOffMinutes);
    state.system.autoOffMinutes = 14;
    PrepareSystemPage(state);
    EXPECT_EQ(15u, state.system.autoOffMinutes);
    state.system.autoOffMinutes = 60;
    PrepareSystemPage(state);
    EXPECT_EQ(60u, state.system.autoOffMinutes);
    state.system.autoOffMinutes = 999;
    PrepareSystemPage(state);
    EXPECT_EQ(999u, state.system.autoOffMinutes) << "too high is for the range check to say";
}

TEST(LinePage, GermanyOffersOnlyPushButton)
{
    EditState state = {};
    state.system.country = COUNTRY_GERMANY;
    state.line.dialType = DIAL_PULSE;
    state.line.pulseRate = PULSE_10PPS;
    EXPECT_EQ(0, ApplyLineCountryRule(state));
    EXPECT_EQ(DIAL_PUSH_BUTTON, state.line.dialType);
    EXPECT_EQ(PULSE_10PPS, state.line.pulseRate) << "the pulse rate stays for another country";

    state.system.country = COUNTRY_USA;
    state.line.dialType = DIAL_PULSE;
    EXPECT_EQ(1, ApplyLineCountryRule(state));
    EXPECT_EQ(DIAL_PULSE, state.line.dialType);
}

// Addresses written as they are read, a.b.c.d, in the stored form (a in the lowest byte).
uint32_t Ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d)
{
    uint8_t bytes[4] = {a, b, c, d};
    return ReadU32Le(bytes);
}

TEST(NetworkChecks, HostAddresses)
{
    EXPECT_TRUE(IsValidHostAddress(Ip(192, 168, 1, 1)));
    EXPECT_TRUE(IsValidHostAddress(Ip(10, 0, 0, 254)));
    EXPECT_TRUE(IsValidHostAddress(Ip(223, 255, 255, 1)));
    EXPECT_FALSE(IsValidHostAddress(Ip(10, 0, 0, 255))) << "last octet 255";
    EXPECT_FALSE(IsValidHostAddress(Ip(127, 0, 0, 1))) << "loopback";
    EXPECT_FALSE(IsValidHostAddress(Ip(224, 0, 0, 1))) << "multicast";
    EXPECT_FALSE(IsValidHostAddress(Ip(0, 1, 2, 3)));
    EXPECT_FALSE(IsValidHostAddress(0));
    EXPECT_FALSE(IsValidHostAddress(0xFFFFFFFF));
}

TEST(NetworkChecks, AddressAndMask)
{
    const uint32_t mask24 = Ip(255, 255, 255, 0);
    const AddressMaskCheck ok = CheckAddressAndMask(Ip(192, 168, 1, 10), mask24);
    EXPECT_FALSE(ok.maskFailed || ok.addressFailed);
    EXPECT_TRUE(CheckAddressAndMask(Ip(192, 168, 1, 0), mask24).addressFailed) << "network";
    EXPECT_TRUE(CheckAddressAndMask(Ip(192, 168, 1, 127), Ip(255, 255, 255, 128)).addressFailed)
        << "broadcast of the /25";
    EXPECT_FALSE(CheckAddressAndMask(Ip(192, 168, 1, 126), Ip(255, 255, 255, 128)).addressFailed);
    EXPECT_TRUE(CheckAddressAndMask(Ip(127, 0, 0, 5), mask24).addressFailed);
    EXPECT_TRUE(CheckAddressAndMask(Ip(230, 1, 1, 5), mask24).addressFailed);
    EXPECT_TRUE(CheckAddressAndMask(Ip(10, 1, 1, 255), Ip(255, 0, 0, 0)).addressFailed);

    const AddressMaskCheck gap = CheckAddressAndMask(Ip(192, 168, 1, 10), Ip(255, 0, 255, 0));
    EXPECT_TRUE(gap.maskFailed);
    EXPECT_TRUE(gap.maskGap);
    EXPECT_FALSE(gap.addressFailed) << "a valid address gives no second message";

    const AddressMaskCheck zero = CheckAddressAndMask(0, 0);
    EXPECT_TRUE(zero.maskFailed);
    EXPECT_FALSE(zero.maskGap);
    EXPECT_FALSE(zero.addressFailed) << "a mask of 0.0.0.0 fails before the address is looked at";
    EXPECT_TRUE(CheckAddressAndMask(Ip(192, 168, 1, 10), 0xFFFFFFFF).maskFailed);

    EXPECT_TRUE(IsContiguousMask(Ip(255, 255, 240, 0)));
    EXPECT_FALSE(IsContiguousMask(Ip(255, 255, 0, 255)));
}

NetworkSettings Fixed(uint32_t ip, uint32_t mask, uint32_t gateway, uint8_t dns = DNS_INACTIVE,
                      uint32_t dnsServer = 0)
{
    NetworkSettings n = {};
    n.addressMode = ADDRESS_SPECIFIED;
    n.ipAddress = ip;
    n.subnetMask = mask;
    n.gateway = gateway;
    n.dnsActive = dns;
    n.dnsServer = dnsServer;
    return n;
}

std::vector<int32_t> Lengths(const NetworkCheck& c)
{
    return std::vector<int32_t>(c.lengths, c.lengths + NET_ITEM_COUNT);
}

TEST(NetworkChecks, TheSequenceStopsAtTheFirstFailingStepAndDecidesTheLengths)
{
    const int32_t U = LENGTH_UNCHANGED;
    const uint32_t mask = Ip(255, 255, 255, 0);

    NetworkCheck c = CheckNetworkSettings(
        Fixed(Ip(192, 168, 1, 10), mask, Ip(192, 168, 1, 1), DNS_ACTIVE, Ip(192, 168, 1, 2)));
    EXPECT_TRUE(c.passed);
    EXPECT_EQ(0, c.failureCount);
    EXPECT_EQ((std::vector<int32_t>{4, 4, 4, 4}), Lengths(c));

    c = CheckNetworkSettings(Fixed(Ip(192, 168, 1, 0), mask, Ip(192, 168, 1, 1)));
    EXPECT_FALSE(c.passed);
    ASSERT_EQ(1, c.failureCount);
    EXPECT_EQ(NET_IP_ADDRESS, c.failures[0]);
    EXPECT_EQ((std::vector<int32_t>{0, U, U, U}), Lengths(c)) << "nothing after the failure";

    c = CheckNetworkSettings(Fixed(Ip(192, 168, 1, 10), Ip(255, 0, 255, 0), Ip(192, 168, 1, 1)));
    ASSERT_EQ(1, c.failureCount) << "the mask with a gap, and no second message";
    EXPECT_EQ(NET_SUBNET_MASK, c.failures[0]);
    EXPECT_EQ((std::vector<int32_t>{U, 0, U, U}), Lengths(c));

    c = CheckNetworkSettings(Fixed(Ip(192, 168, 1, 255), Ip(255, 0, 255, 0), 0));
    ASSERT_EQ(2, c.failureCount) << "a gap in the mask and a bad address: two messages";
    EXPECT_EQ(NET_SUBNET_MASK, c.failures[0]);
    EXPECT_EQ(NET_IP_ADDRESS, c.failures[1]);
    EXPECT_EQ((std::vector<int32_t>{0, 0, U, U}), Lengths(c));

    c = CheckNetworkSettings(Fixed(Ip(192, 168, 1, 10), 0, Ip(192, 168, 1, 1)));
    ASSERT_EQ(1, c.failureCount);
    EXPECT_EQ(NET_SUBNET_MASK, c.failures[0]);

    for (uint32_t gateway : {Ip(10, 0, 0, 255), Ip(127, 0, 0, 1), Ip(224, 0, 0, 1)}) {
        c = CheckNetworkSettings(Fixed(Ip(192, 168, 1, 10), mask, gateway, DNS_ACTIVE, 0));
        ASSERT_EQ(1, c.failureCount);
        EXPECT_EQ(NET_GATEWAY, c.failures[0]);
        EXPECT_EQ((std::vector<int32_t>{4, 4, 0, U}), Lengths(c)) << "the DNS is not looked at";
    }

    c = CheckNetworkSettings(
        Fixed(Ip(192, 168, 1, 10), mask, Ip(192, 168, 1, 1), DNS_ACTIVE, Ip(0, 0, 0, 0)));
    ASSERT_EQ(1, c.failureCount);
    EXPECT_EQ(NET_DNS_SERVER, c.failures[0]);
    EXPECT_EQ((std::vector<int32_t>{4, 4, 4, 0}), Lengths(c));
}

TEST(NetworkChecks, DhcpSendsNoneOfTheThreeAddressesAndChecksNone)
{
    NetworkSettings n = Fixed(0, 0, 0);
    n.addressMode = ADDRESS_DHCP;
    NetworkCheck c = CheckNetworkSettings(n);
    EXPECT_TRUE(c.passed);
    EXPECT_EQ((std::vector<int32_t>{0, 0, 0, 0}), Lengths(c));
    n.dnsActive = DNS_ACTIVE;
    n.dnsServer = Ip(8, 8, 8, 8);
    c = CheckNetworkSettings(n);
    EXPECT_EQ((std::vector<int32_t>{0, 0, 0, 4}), Lengths(c));
}

TEST(NetworkChecks, TheLengthsGoToTheImageButAnAbsentItemStaysAbsent)
{
    std::vector<uint8_t> bytes(DEVICE_IMAGE_SIZE);
    Document doc = {};
    doc.image = {bytes.data()};
    auto length = [&](uint32_t id) {
        return ReadU32Le(bytes.data() + FindItemRecord(id) * ITEM_RECORD_SIZE + ITEM_LENGTH_OFFSET);
    };
    WriteU32Le(bytes.data() + FindItemRecord(0x10709) * ITEM_RECORD_SIZE + ITEM_LENGTH_OFFSET,
               ITEM_ABSENT);
    WriteU32Le(bytes.data() + FindItemRecord(0x10706) * ITEM_RECORD_SIZE + ITEM_LENGTH_OFFSET, 4);
    NetworkCheck c = {};
    c.lengths[NET_IP_ADDRESS] = 4;
    c.lengths[NET_SUBNET_MASK] = 0;
    c.lengths[NET_GATEWAY] = LENGTH_UNCHANGED;
    c.lengths[NET_DNS_SERVER] = 4;
    ApplyNetworkLengths(c, doc);
    EXPECT_EQ(4u, length(0x10702));
    EXPECT_EQ(0u, length(0x10704));
    EXPECT_EQ(4u, length(0x10706));
    EXPECT_EQ(ITEM_ABSENT, length(0x10709));
}

}  // namespace
