// The Transmission page's rules: the scan density's three steps as a move lands, the two
// resend corrections with the device's limits, and the fax header two countries require.
#include <gtest/gtest.h>

#include "settings/settings_rules.h"
#include "settings/settings_rules.h"
#include "settings/system_page.h"
#include "settings/transmission_page.h"

namespace {

EditState WithLimits(uint8_t maxResends, uint8_t intervalByte)
{
    EditState state = {};
    state.transmission.resendCountMax = maxResends;
    state.transmission.resendIntervalMin = intervalByte;
    return state;
}

TEST(TransmissionPage, ScanDensityLandsOnItsThreeSteps)
{
    EXPECT_EQ(0, SnapScanDensity(-16)) << "a line left from 0";
    EXPECT_EQ(0, SnapScanDensity(0));
    EXPECT_EQ(16, SnapScanDensity(1));
    EXPECT_EQ(16, SnapScanDensity(31));
    EXPECT_EQ(32, SnapScanDensity(32));
    EXPECT_EQ(32, SnapScanDensity(48));

    // A stored 8 moved one line right: 24, which lands on 16; a page right from there is 32.
    const SliderOptions options = {Range(0, 32), 16, 32, 0, 0, 0, SnapScanDensity};
    const Binding bar = Slider(1111, EDIT_FIELD(transmission.scanDensity), options);
    EditState state = {};
    state.transmission.scanDensity = 8;
    long target = SliderTarget(SCROLL_LINE_RIGHT, 8, 0, 0, 32, 16, 32);
    EXPECT_EQ(1, StoreSliderValue(bar, static_cast<int>(target), &state));
    EXPECT_EQ(16, state.transmission.scanDensity);
    target = SliderTarget(SCROLL_PAGE_RIGHT, 16, 0, 0, 32, 16, 32);
    StoreSliderValue(bar, static_cast<int>(target), &state);
    EXPECT_EQ(32, state.transmission.scanDensity);
    StoreSliderValue(bar, static_cast<int>(SliderTarget(SCROLL_THUMB_TRACK, 32, 5, 0, 32, 16, 32)),
                     &state);
    EXPECT_EQ(16, state.transmission.scanDensity) << "a thumb dropped between steps";
}

TEST(TransmissionPage, ResendCountStaysWithinOneAndTheDevicesMaximum)
{
    const EditState state = WithLimits(3, 0x20);
    EXPECT_EQ(3, CorrectResendCount(7, state));
    EXPECT_EQ(1, CorrectResendCount(0, state));
    EXPECT_EQ(1, CorrectResendCount(-4, state));
    EXPECT_EQ(2, CorrectResendCount(2, state));
    EXPECT_EQ(3, CorrectResendCount(3, state));
    EXPECT_EQ(1, CorrectResendCount(5, WithLimits(0, 0))) << "a device that allows none";
}

TEST(TransmissionPage, ResendIntervalMinimumIsTheHighFourBits)
{
    EXPECT_EQ(2, ResendIntervalMinimum(WithLimits(3, 0x2F)));
    EXPECT_EQ(15, ResendIntervalMinimum(WithLimits(3, 0xF0)));
    EXPECT_EQ(0, ResendIntervalMinimum(WithLimits(3, 0x0F)));

    // Leaving the field: the minimum as the device gives it, even above 5.
    const EditState seven = WithLimits(3, 0x70);
    EXPECT_EQ(7, CorrectResendInterval(3, seven));
    EXPECT_EQ(7, CorrectResendInterval(-1, seven)) << "not read as the byte 255";
    EXPECT_EQ(99, CorrectResendInterval(150, seven));
    EXPECT_EQ(12, CorrectResendInterval(12, seven));
}

TEST(TransmissionPage, StoredNumbersAreCorrectedBeforeTheyAreShown)
{
    struct Case {
        uint8_t max, minByte, count, interval;
        int countShown, intervalShown;
    };
    const Case cases[] = {
        {3, 0x20, 7, 1, 3, 2},     // count above the maximum; interval below the minimum
        {3, 0x00, 0, 0, 1, 1},     // minimum 0 is taken as 1
        {3, 0x70, 2, 3, 2, 5},     // minimum 7 is taken as 5 here
        {3, 0x70, 2, 6, 2, 6},     // ... so 6 stays
        {9, 0x30, 9, 200, 9, 99},  // above 99
    };
    for (const Case& c : cases) {
        EditState state = WithLimits(c.max, c.minByte);
        state.transmission.resendCount = c.count;
        state.transmission.resendInterval = c.interval;
        PrepareTransmissionPage(state);
        EXPECT_EQ(c.countShown, state.transmission.resendCount) << int(c.count);
        EXPECT_EQ(c.intervalShown, state.transmission.resendInterval) << int(c.interval);
    }
}

TEST(TransmissionPage, UsaAndCanadaForceTheFaxHeader)
{
    EditState state = {};
    state.system.country = COUNTRY_CANADA;
    EXPECT_EQ(1, ApplyFaxHeaderCountryRule(state));
    EXPECT_EQ(FAX_HEADER_ON, state.transmission.printFaxHeader);
    state.system.country = COUNTRY_USA;
    state.transmission.printFaxHeader = 1;
    EXPECT_EQ(1, ApplyFaxHeaderCountryRule(state));
    EXPECT_EQ(FAX_HEADER_ON, state.transmission.printFaxHeader);
    state.system.country = 1;  // UK
    state.transmission.printFaxHeader = 0;
    EXPECT_EQ(0, ApplyFaxHeaderCountryRule(state));
    EXPECT_EQ(0, state.transmission.printFaxHeader) << "left to the user elsewhere";
}

}  // namespace
