// The command packet, the status verdicts of the connection check, the periodic check, remote
// mode and the restart flag's road from an applied page to the power-cycle message.
#include <gtest/gtest.h>

#include "link_test_support.h"
#include "resources/resource_ids.h"

using namespace linktest;

namespace {

class ProtocolTest : public LinkTest {};

TEST(CommandPacket, LittleEndianFieldsAtFixedOffsets)
{
    uint8_t bytes[COMMAND_PACKET_SIZE];
    EncodeCommandPacket({OP_WRITE_ITEM, 0x120C9, 0x4E}, bytes);
    const uint8_t expected[] = {0x02, 0x01, 0xC9, 0x20, 0x01, 0x00, 0x4E, 0x00, 0x00, 0x00};
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 10),
              std::vector<uint8_t>(expected, expected + 10));

    CommandPacket back = {};
    ASSERT_EQ(DecodeCommandPacket(bytes, sizeof bytes, &back), 1);
    EXPECT_EQ(back.operation, OP_WRITE_ITEM);
    EXPECT_EQ(back.code, 0x120C9u);
    EXPECT_EQ(back.length, 0x4Eu);
    EXPECT_EQ(DecodeCommandPacket(bytes, 9, &back), 0) << "nine bytes are not a packet";
    bytes[0] = 0x03;
    EXPECT_EQ(DecodeCommandPacket(bytes, sizeof bytes, &back), 0) << "wrong marker";
}

struct VerdictCase {
    const char* what;
    int forcedStatus;  // SIM_NO_FAULT: the device's own
    uint32_t connectedBefore;
    uint8_t pollFailed;
    int connected;
    int message;
    std::vector<std::string> events;
};

TEST_F(ProtocolTest, ConnectionCheckVerdicts)
{
    const std::string noMessage;
    const VerdictCase cases[] = {
        {"idle device before Connect", 0, 0, 0, 1, 0, {}},
        {"idle device, connected, last poll fine", 0, 1, 0, 1, 0, {}},
        {"idle device, connected, last poll failed",
         0,
         1,
         1,
         0,
         IDS_CONNECTION_RECONNECT,
         {"message 9004", "disconnect"}},
        {"idle device, not connected, last poll failed", 0, 0, 1, 1, 0, {}},
        {"in use", 1, 1, 0, 0, IDS_DEVICE_IN_USE, {"message 9001"}},
        {"timed out", 2, 1, 0, 0, IDS_CONNECTION_TIMED_OUT, {"disconnect", "message 9002"}},
        {"device error", 3, 1, 0, 0, IDS_DEVICE_ERROR, {"disconnect", "message 9003"}},
        {"remote mode open", SIM_STATUS_REMOTE, 1, 1, 1, 0, {}},
        {"any other value", 0xEE, 0, 0, 1, 0, {}},
    };
    SimDevice* d = AddDevice(0);
    for (const VerdictCase& c : cases) {
        d->faults.forcedStatus = c.forcedStatus;
        gApp.connected = c.connectedBefore;
        gApp.remoteModeOpen = 1;
        gPollCheckFailed = c.pollFailed;
        gEvents.clear();

        ConnectionVerdict v = {};
        EXPECT_EQ(CheckConnection(&v), c.connected) << c.what;
        EXPECT_EQ(v.connected, c.connected) << c.what;
        EXPECT_EQ(v.queried, 1) << c.what;
        EXPECT_EQ(v.messageId, c.message) << c.what;
        EXPECT_EQ(gEvents, c.events) << c.what;
        const bool endsRemoteMode = c.forcedStatus == 2 || c.forcedStatus == 3;
        EXPECT_EQ(gApp.remoteModeOpen, endsRemoteMode ? 0u : 1u) << c.what;
        const bool judged = c.forcedStatus != 1 && !endsRemoteMode;
        EXPECT_EQ(gPollCheckFailed, judged ? 0 : c.pollFailed)
            << c.what << ": the failed-poll mark is cleared only past the status verdicts";
        EXPECT_EQ(gDevicePipes.reply, PIPE_NOT_OPEN) << c.what << ": the query closes the pipes";
    }
}

TEST_F(ProtocolTest, CheckWithoutDeviceReportsTheUsbPort)
{
    ConnectionVerdict v = {};
    EXPECT_EQ(CheckConnection(&v), 0);
    EXPECT_EQ(v.queried, 0);
    EXPECT_EQ(gMessages, std::vector<int>{IDS_OPEN_USB_FAILED});
}

TEST_F(ProtocolTest, QueryOnClosedPipesAsksTheDeviceTwice)
{
    SimDevice* d = AddDevice(0);
    uint8_t status = 0xFF;
    ASSERT_EQ(QueryDeviceStatus(&status), 1);
    EXPECT_EQ(status, DEVICE_STATUS_IDLE);
    EXPECT_EQ(Codes(d, OP_DEVICE_COMMAND).size(), 2u) << "handshake plus query";
}

TEST_F(ProtocolTest, RemoteModeFollowsConnectAndDisconnect)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(BeginRemoteMode(), 1);
    EXPECT_EQ(d->remoteMode, 1);
    EXPECT_EQ(SimStatus(d), SIM_STATUS_REMOTE);
    EXPECT_EQ(gDevicePipes.command, PIPE_NOT_OPEN) << "remote mode commands close the pipes";
    ASSERT_EQ(EndRemoteMode(), 1);
    EXPECT_EQ(d->remoteMode, 0);
    EXPECT_TRUE(gMessages.empty());
    const SimPacket& last = d->received.back();
    EXPECT_EQ(last.code, DEVICE_CODE_REMOTE_MODE);
    EXPECT_EQ(last.data, std::vector<uint8_t>{REMOTE_MODE_END});
}

TEST_F(ProtocolTest, RemoteModeFailuresShowTheDeviceMessage)
{
    EXPECT_EQ(BeginRemoteMode(), 0);
    EXPECT_EQ(EndRemoteMode(), 0);
    const std::vector<std::string> expected = {"message 141", "status text", "message 141",
                                               "status text"};
    EXPECT_EQ(gEvents, expected);
}

TEST_F(ProtocolTest, DisconnectWhileRestartingAfterSystemChangeIsSilent)
{
    RequestDeviceRestart(1);
    gRestartFlag.state = RESTART_SENT;
    EXPECT_EQ(EndRemoteMode(), 0);
    EXPECT_TRUE(gEvents.empty()) << "expected no message while the device restarts";
    EXPECT_EQ(gRestartFlag.systemPage, 0) << "the companion flag is consumed";
    EXPECT_EQ(EndRemoteMode(), 0);
    EXPECT_EQ(gMessages, std::vector<int>{IDS_DEVICE_RW_FAILED}) << "the next failure is real";
}

TEST_F(ProtocolTest, PeriodicCheck)
{
    SimDevice* d = AddDevice(0);
    gApp.remoteModeOpen = 1;
    d->faults.forcedStatus = SIM_STATUS_REMOTE;
    EXPECT_EQ(PollDevice(), POLL_HEALTHY);
    d->faults.forcedStatus = DEVICE_STATUS_ERROR;
    EXPECT_EQ(PollDevice(), POLL_HEALTHY) << "status 3 is left to the next connection check";
    EXPECT_TRUE(gEvents.empty());

    d->faults.forcedStatus = DEVICE_STATUS_TIMED_OUT;
    EXPECT_EQ(PollDevice(), POLL_TIMED_OUT);
    EXPECT_EQ(gApp.remoteModeOpen, 0u);
    const std::vector<std::string> expected = {"disconnect", "message 9002"};
    EXPECT_EQ(gEvents, expected);

    sim->devices[0] = nullptr;
    EXPECT_EQ(PollDevice(), POLL_FAILED);
    EXPECT_EQ(gPollCheckFailed, 1);
}

TEST_F(ProtocolTest, DeviceThatRestartedAfterAFailedPollAsksToReconnect)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(BeginRemoteMode(), 1);
    gApp.connected = 1;
    gApp.remoteModeOpen = 1;
    sim->devices[0] = nullptr;  // unplugged
    ASSERT_EQ(PollDevice(), POLL_FAILED);
    d->remoteMode = 0;  // powered on again: idle
    sim->devices[0] = d;
    ConnectionVerdict v = {};
    EXPECT_EQ(CheckConnection(&v), 0);
    EXPECT_EQ(v.messageId, IDS_CONNECTION_RECONNECT);
    EXPECT_EQ(v.disconnectSent, 1);
}

TEST_F(ProtocolTest, IdleRemoteModeTimesOutOnTheDevice)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(BeginRemoteMode(), 1);
    gApp.remoteModeOpen = 1;
    gNowMs += SIM_IDLE_TIMEOUT_MS - 1;
    EXPECT_EQ(PollDevice(), POLL_HEALTHY) << "just before the timeout";
    gNowMs += SIM_IDLE_TIMEOUT_MS;
    EXPECT_EQ(PollDevice(), POLL_TIMED_OUT) << "a full timeout after the last packet";
    EXPECT_EQ(d->remoteMode, 0);
}

struct RestartCase {
    int systemPage;
    int message;
};

TEST_F(ProtocolTest, CommitWithRestartLeadsToThePowerCycleMessageOnce)
{
    const RestartCase cases[] = {{1, IDS_POWER_CYCLE}, {0, IDS_POWER_CYCLE_NETWORK}};
    SimDevice* d = AddDevice(0);
    for (const RestartCase& c : cases) {
        gMessages.clear();
        gNowMs += 10 * SIM_RESTART_MS;
        ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
        RequestDeviceRestart(c.systemPage);
        ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);
        EXPECT_EQ(gRestartFlag.state, RESTART_SENT);
        EXPECT_EQ(d->received.back().data, (std::vector<uint8_t>{0x01, RESTART_PENDING}))
            << "the commit carries the pending flag";
        EXPECT_EQ(d->restarting, 1) << "the device goes away";

        EXPECT_EQ(CheckConnection(nullptr), 0);
        EXPECT_EQ(gRestartFlag.state, RESTART_NONE);
        EXPECT_EQ(CheckConnection(nullptr), 0);
        const std::vector<int> expected = {c.message, IDS_OPEN_USB_FAILED};
        EXPECT_EQ(gMessages, expected) << "system page " << c.systemPage;

        gNowMs += SIM_RESTART_MS;
        EXPECT_EQ(CheckConnection(nullptr), 1) << "the device is back after its restart";
    }
}

TEST_F(ProtocolTest, CommitWithoutRestartKeepsTheDevice)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    EXPECT_EQ(d->received.back().data, (std::vector<uint8_t>{0x01, RESTART_NONE}));
    EXPECT_EQ(d->restarting, 0);
    EXPECT_EQ(gRestartFlag.state, RESTART_NONE);
}

TEST_F(ProtocolTest, ClearingTheRestartFlagClearsBoth)
{
    RequestDeviceRestart(1);
    EXPECT_EQ(gRestartFlag.state, RESTART_PENDING);
    EXPECT_EQ(gRestartFlag.systemPage, 1);
    RequestDeviceRestart(0);
    EXPECT_EQ(gRestartFlag.systemPage, 0) << "the page that applied last sets the kind";
    ClearRestartFlag();
    EXPECT_EQ(gRestartFlag.state, RESTART_NONE);
    EXPECT_EQ(gRestartFlag.systemPage, 0);
}

}  // namespace
