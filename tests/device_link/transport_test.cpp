// The device search over device numbers 0-14, the pipe reads and writes, the pipe names and
// the MORAVEL_DEVICE choices.
#include <gtest/gtest.h>

#include "devsim/device_backends.h"
#include "link_test_support.h"
#include "scripted_backend.h"

using namespace linktest;

namespace {

class TransportTest : public LinkTest {};

TEST_F(TransportTest, OfTwoAcceptedDevicesTheLowerNumberWins)
{
    SimDevice* high = AddDevice(5);
    SimDevice* low = AddDevice(3);
    ASSERT_EQ(DeviceOpen(), 0);
    EXPECT_EQ(gDevicePipes.device, 3) << "expected the lower device number";
    EXPECT_EQ(Codes(low, OP_DEVICE_COMMAND).size(), 1u) << "expected one handshake on device 3";
    EXPECT_TRUE(high->received.empty()) << "device 5 must not be looked at";
    EXPECT_EQ(counting.opened[5][0], 0);
}

// A program that names its device opens that one only, with its product id, and none when
// that one is not ours.
TEST_F(TransportTest, AChosenDeviceNumberOpensThatDeviceAlone)
{
    AddDevice(1);
    SimDevice* chosen = AddDevice(4);
    chosen->productId = 0x2A02;
    SetDeviceNumber(4);
    EXPECT_EQ(DeviceOpen(), 0);
    EXPECT_EQ(gDevicePipes.device, 4);
    EXPECT_EQ(gDevicePipes.productId, 0x2A02u);
    EXPECT_EQ(counting.opened[1][0], 0) << "device 1 is not looked at";
    SetDeviceNumber(2);
    EXPECT_EQ(gDevicePipes.device, -1) << "the other device's pipes close";
    EXPECT_EQ(DeviceOpen(), -1) << "nothing at 2";
    SetDeviceNumber(-1);
    EXPECT_EQ(DeviceOpen(), 0);
    EXPECT_EQ(gDevicePipes.device, 1);
}

TEST_F(TransportTest, ForeignProductIdIsSkippedAndItsPipeClosed)
{
    SimDevice* foreign = AddDevice(0);
    foreign->productId = 0x1234;
    AddDevice(1);
    ASSERT_EQ(DeviceOpen(), 0);
    EXPECT_EQ(gDevicePipes.device, 1);
    EXPECT_EQ(counting.opened[0][0], 1) << "device 0's command pipe should have been tried";
    EXPECT_EQ(counting.closed[0][0], 1) << "and closed again before device 1";
    EXPECT_EQ(counting.opened[0][1], 0) << "its reply pipe is never opened";
    EXPECT_TRUE(foreign->received.empty()) << "no packet goes to a foreign device";
    EXPECT_EQ(foreign->linkUp, 0) << "the foreign device's link should be closed";
}

TEST_F(TransportTest, SilentDeviceIsClosedAndTheSearchGoesOn)
{
    SimDevice* silent = AddDevice(0);
    silent->faults.silent = 1;
    AddDevice(2);
    ASSERT_EQ(DeviceOpen(), 0);
    EXPECT_EQ(gDevicePipes.device, 2);
    EXPECT_EQ(counting.closed[0][0], 1);
    EXPECT_EQ(counting.closed[0][1], 1) << "both pipes of the silent device must be closed";
}

TEST_F(TransportTest, NoAnsweringDeviceFailsAndLeavesNothingOpen)
{
    AddDevice(4)->productId = 0x2A03;
    AddDevice(7)->faults.silent = 1;
    EXPECT_EQ(DeviceOpen(), -1);
    EXPECT_EQ(gDevicePipes.command, PIPE_NOT_OPEN);
    EXPECT_EQ(gDevicePipes.reply, PIPE_NOT_OPEN);
    for (int n = 0; n < DEVICE_NUMBER_COUNT; n++)
        for (int p = 0; p < 2; p++)
            EXPECT_EQ(counting.opened[n][p], counting.closed[n][p])
                << "device " << n << " pipe " << p << " left open";
}

TEST_F(TransportTest, SecondOpenOnlyRepeatsTheHandshake)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(DeviceOpen(), 0);
    ASSERT_EQ(DeviceOpen(), 0);
    EXPECT_EQ(counting.opened[0][0], 1) << "the second open must not search again";
    EXPECT_EQ(counting.opened[0][1], 1);
    const std::vector<uint32_t> expected = {DEVICE_CODE_STATUS, DEVICE_CODE_STATUS};
    EXPECT_EQ(Codes(d, OP_DEVICE_COMMAND), expected) << "expected exactly two handshakes";
}

TEST_F(TransportTest, OpenPipesThatNoLongerAnswerAreReplacedBySearch)
{
    SimDevice* first = AddDevice(0);
    ASSERT_EQ(DeviceOpen(), 0);
    first->faults.silent = 1;
    AddDevice(1);
    ASSERT_EQ(DeviceOpen(), 0);
    EXPECT_EQ(gDevicePipes.device, 1);
    EXPECT_EQ(counting.closed[0][0], 2) << "device 0 closed after the failed re-check and "
                                           "again after its failed handshake in the search";
}

TEST_F(TransportTest, CloseIsHarmlessWithNothingOpenAndMarksBothClosed)
{
    DeviceClose();
    DeviceClose();
    EXPECT_EQ(gDevicePipes.command, PIPE_NOT_OPEN);
    EXPECT_EQ(gDevicePipes.reply, PIPE_NOT_OPEN);
    AddDevice(0);
    ASSERT_EQ(DeviceOpen(), 0);
    DeviceClose();
    EXPECT_EQ(gDevicePipes.command, PIPE_NOT_OPEN);
    EXPECT_EQ(gDevicePipes.reply, PIPE_NOT_OPEN);
    EXPECT_EQ(counting.closed[0][0], 1);
    EXPECT_EQ(counting.closed[0][1], 1);
}

TEST_F(TransportTest, ReadsAndWritesOnClosedPipesFail)
{
    uint8_t buffer[4] = {};
    EXPECT_EQ(PipeRead(PIPE_NOT_OPEN, 4, buffer), 0);
    EXPECT_EQ(PipeWrite(PIPE_NOT_OPEN, 4, buffer), 0);
}

TEST(TransportScripted, ShortReadAndShortWriteFail)
{
    ResetAppState(&gApp);
    ApplyModelProfile(&gApp, "A4ZRPQ 2A02");
    SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
    ScriptedBackend s;
    InitScriptedBackend(&s, 0x2A02);
    AddStatusReply(&s, 0);
    s.replies.insert(s.replies.end(), {1, 2, 3});
    s.shortWriteAt = 1;
    SetDeviceBackend(&s.backend);
    ASSERT_EQ(DeviceOpen(), 0);

    uint8_t buffer[4] = {9, 9, 9, 9};
    EXPECT_EQ(PipeRead(gDevicePipes.reply, 4, buffer), 0) << "three bytes for four asked";
    EXPECT_EQ(PipeWrite(gDevicePipes.command, 4, buffer), 0) << "a write short by one byte";
    EXPECT_EQ(PipeWrite(gDevicePipes.command, 4, buffer), 1);
    SetDeviceBackend(nullptr);
    EXPECT_EQ(s.openPipes, 0) << "changing the backend closes the pipes";
}

TEST(PipeNames, StillImageDriverNames)
{
    char name[32];
    ASSERT_EQ(FormatPipeName(name, sizeof name, 0, PIPE_COMMAND), 1);
    EXPECT_STREQ(name, "\\\\.\\Usbscan0\\0");
    ASSERT_EQ(FormatPipeName(name, sizeof name, 14, PIPE_REPLY), 1);
    EXPECT_STREQ(name, "\\\\.\\Usbscan14\\1");
    EXPECT_EQ(FormatPipeName(name, sizeof name, 15, PIPE_COMMAND), 0);
    EXPECT_EQ(FormatPipeName(name, sizeof name, -1, PIPE_COMMAND), 0);
    EXPECT_EQ(FormatPipeName(name, 8, 3, PIPE_COMMAND), 0) << "must not overrun a short buffer";
}

struct DeviceTextCase {
    const char* text;
    int kind;
    const char* simPath;
    std::vector<std::pair<std::string, uint16_t>> endpoints;
};

TEST(DeviceChoice, MoravelDeviceTexts)
{
    const DeviceTextCase cases[] = {
        {nullptr, BACKEND_USB, "", {}},
        {"", BACKEND_USB, "", {}},
        {"sim", BACKEND_SIM, "", {}},
        {"sim:C:\\data\\device.dat", BACKEND_SIM, "C:\\data\\device.dat", {}},
        {"tcp:127.0.0.1:9360", BACKEND_TCP, "", {{"127.0.0.1", 9360}}},
        {"tcp:a:1,bench.local:65535", BACKEND_TCP, "", {{"a", 1}, {"bench.local", 65535}}},
        {"tcp:[::1]:9360", BACKEND_TCP, "", {{"::1", 9360}}},
        {"tcp:", BACKEND_INVALID, "", {}},
        {"tcp:host", BACKEND_INVALID, "", {}},
        {"tcp:host:0", BACKEND_INVALID, "", {}},
        {"tcp:host:65536", BACKEND_INVALID, "", {}},
        {"tcp:host:12x", BACKEND_INVALID, "", {}},
        {"tcp::9360", BACKEND_INVALID, "", {}},
        {"tcp:a:1,", BACKEND_INVALID, "", {}},
        {"sim:", BACKEND_INVALID, "", {}},
        {"usb", BACKEND_INVALID, "", {}},
        {"SIM", BACKEND_INVALID, "", {}},
    };
    for (const DeviceTextCase& c : cases) {
        DeviceChoice choice;
        const char* shown = c.text ? c.text : "(unset)";
        EXPECT_EQ(ParseDeviceChoice(c.text, &choice), c.kind != BACKEND_INVALID ? 1 : 0) << shown;
        EXPECT_EQ(choice.kind, c.kind) << shown;
        EXPECT_EQ(choice.simPath, c.simPath) << shown;
        ASSERT_EQ(choice.endpoints.size(), c.endpoints.size()) << shown;
        for (size_t i = 0; i < c.endpoints.size(); i++) {
            EXPECT_EQ(choice.endpoints[i].host, c.endpoints[i].first) << shown;
            EXPECT_EQ(choice.endpoints[i].port, c.endpoints[i].second) << shown;
        }
    }
}

TEST(DeviceChoice, AtMostFifteenEndpoints)
{
    std::string fifteen = "tcp:h:1";
    for (int i = 2; i <= 15; i++)
        fifteen += ",h:" + std::to_string(i);
    DeviceChoice choice;
    EXPECT_EQ(ParseDeviceChoice(fifteen.c_str(), &choice), 1);
    EXPECT_EQ(choice.endpoints.size(), 15u);
    EXPECT_EQ(ParseDeviceChoice((fifteen + ",h:16").c_str(), &choice), 0)
        << "a sixteenth endpoint has no device number";
}

// Programs that reach the same devices share a lock's name; a private device needs none.
TEST(DeviceChoice, LockNames)
{
    EXPECT_EQ("moravel.devicelink.usb", DeviceLockName(nullptr));
    EXPECT_EQ("", DeviceLockName("sim"));
    EXPECT_EQ("", DeviceLockName("bogus"));
    EXPECT_EQ("moravel.devicelink.sim.c:/office/mfp.dat", DeviceLockName("sim:C:\\Office\\MFP.dat"));
    EXPECT_EQ("moravel.devicelink.tcp.10.0.0.5:9360.host:9361",
              DeviceLockName("tcp:10.0.0.5:9360,Host:9361"));
}

TEST(DeviceChoice, UnusableTextOpensNoDevice)
{
    ResetAppState(&gApp);
    ApplyModelProfile(&gApp, "A4ZRPQ 2A02");
    SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
    SetDeviceBackend(SelectDeviceBackend("tcp:nowhere"));
    EXPECT_STREQ(CurrentDeviceBackend()->name, "none");
    EXPECT_EQ(DeviceOpen(), -1);
    SetDeviceBackend(SelectDeviceBackend("sim"));
    EXPECT_STREQ(CurrentDeviceBackend()->name, "sim");
    EXPECT_EQ(DeviceOpen(), 0) << "the built-in demo device answers at number 0";
    SetDeviceBackend(nullptr);
}

}  // namespace
