// The simulated device on its own: framing, held writes, restart, faults, state files, and the
// demo content it ships with.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "device/byte_order.h"
#include "device/device_protocol.h"
#include "devsim/sim_demo.h"

namespace {

std::vector<uint8_t> Packet(uint8_t operation, uint32_t code, std::vector<uint8_t> data = {})
{
    std::vector<uint8_t> bytes(COMMAND_PACKET_SIZE);
    EncodeCommandPacket({operation, code, static_cast<uint32_t>(data.size())}, bytes.data());
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

class SimDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        d.reset(new SimDevice);
        SimInitDemo(d.get());
        ASSERT_EQ(SimConnect(d.get(), now), 1);
    }

    void Send(const std::vector<uint8_t>& bytes)
    {
        SimReceive(d.get(), bytes.data(), bytes.size(), now);
    }

    std::vector<uint8_t> Output()
    {
        std::vector<uint8_t> out(d->output);
        d->output.clear();
        return out;
    }

    std::unique_ptr<SimDevice> d;
    uint64_t now = 5000;
};

TEST_F(SimDeviceTest, PacketsSplitAcrossWritesAreStillWhole)
{
    const std::vector<uint8_t> query = Packet(OP_DEVICE_COMMAND, DEVICE_CODE_STATUS);
    for (uint8_t byte : query)
        Send({byte});
    const std::vector<uint8_t> out = Output();
    ASSERT_EQ(out.size(), 11u) << "a 10-byte reply and the status byte";
    EXPECT_EQ(ReadU32Le(out.data() + REPLY_LENGTH_OFFSET), 1u);
    EXPECT_EQ(out[10], DEVICE_STATUS_IDLE);
}

TEST_F(SimDeviceTest, ReadItemRepliesWithLengthAndValue)
{
    const int name = SimRecordOf(0x10C04);
    Send(Packet(OP_READ_ITEM, 0x10C04));
    const std::vector<uint8_t> out = Output();
    ASSERT_EQ(out.size(), 10u + 16u);
    EXPECT_EQ(ReadU32Le(out.data() + REPLY_LENGTH_OFFSET), 16u);
    EXPECT_EQ(std::string(out.begin() + 10, out.end()), "Front Office MFP");
    EXPECT_EQ(SimItemLength(d.get(), name), 16u);

    Send(Packet(OP_READ_ITEM, 0x99999));
    const std::vector<uint8_t> unknown = Output();
    ASSERT_EQ(unknown.size(), 10u);
    EXPECT_EQ(ReadU32Le(unknown.data() + REPLY_LENGTH_OFFSET), ITEM_ABSENT)
        << "an item the device does not know is absent";
}

TEST_F(SimDeviceTest, WritesApplyOnlyAtTheCommitAndAreLostWithTheLink)
{
    const int record = SimRecordOf(0x10001);
    Send(Packet(OP_WRITE_ITEM, 0x10001, {5}));
    EXPECT_EQ(SimItemValue(d.get(), record)[0], 2) << "held until the commit";
    Send(Packet(OP_DEVICE_COMMAND, DEVICE_CODE_COMMIT, {0x01, 0}));
    EXPECT_EQ(SimItemValue(d.get(), record)[0], 5);
    EXPECT_EQ(d->commitCount, 1u);

    Send(Packet(OP_WRITE_ITEM, 0x10001, {4}));
    SimDisconnect(d.get());
    ASSERT_EQ(SimConnect(d.get(), now), 1);
    Send(Packet(OP_DEVICE_COMMAND, DEVICE_CODE_COMMIT, {0x01, 0}));
    EXPECT_EQ(SimItemValue(d.get(), record)[0], 5) << "a write of an earlier link is forgotten";
}

TEST_F(SimDeviceTest, WritesToReportedOrAbsentItemsAreIgnored)
{
    SimMakeAbsent(d.get(), SimRecordOf(0x10C02));
    const std::vector<uint8_t> counters(SimItemValue(d.get(), 1), SimItemValue(d.get(), 1) + 52);
    Send(Packet(OP_WRITE_ITEM, 0x4, std::vector<uint8_t>(52, 0)));
    Send(Packet(OP_WRITE_ITEM, 0x10C02, {'1', '2'}));
    Send(Packet(OP_DEVICE_COMMAND, DEVICE_CODE_COMMIT, {0x01, 0}));
    EXPECT_EQ(std::vector<uint8_t>(SimItemValue(d.get(), 1), SimItemValue(d.get(), 1) + 52),
              counters);
    EXPECT_EQ(SimItemLength(d.get(), SimRecordOf(0x10C02)), ITEM_ABSENT);
}

TEST_F(SimDeviceTest, RestartAfterCommitAskingForIt)
{
    Send(Packet(OP_DEVICE_COMMAND, DEVICE_CODE_REMOTE_MODE, {REMOTE_MODE_BEGIN}));
    Send(Packet(OP_DEVICE_COMMAND, DEVICE_CODE_COMMIT, {0x01, 1}));
    EXPECT_EQ(d->linkUp, 0) << "the device goes away at once";
    EXPECT_EQ(SimConnect(d.get(), now + SIM_RESTART_MS - 1), 0) << "still restarting";
    ASSERT_EQ(SimConnect(d.get(), now + SIM_RESTART_MS), 1) << "back after the restart";
    EXPECT_EQ(SimStatus(d.get()), DEVICE_STATUS_IDLE) << "remote mode does not survive";
}

TEST_F(SimDeviceTest, BrokenInputIsAnErrorNotACrash)
{
    Send({0x00, 0x7F});
    EXPECT_EQ(SimStatus(d.get()), DEVICE_STATUS_ERROR) << "stray bytes";
    EXPECT_EQ(d->linkUp, 1);
    Send(Packet(OP_DEVICE_COMMAND, DEVICE_CODE_REMOTE_MODE, {REMOTE_MODE_BEGIN}));
    EXPECT_EQ(SimStatus(d.get()), SIM_STATUS_REMOTE) << "a new remote mode clears the error";

    std::vector<uint8_t> huge(COMMAND_PACKET_SIZE);
    EncodeCommandPacket({OP_WRITE_ITEM, 0x10001, 131}, huge.data());
    Send(huge);
    EXPECT_EQ(d->linkUp, 0) << "a packet announcing more than a value drops the link";
}

TEST_F(SimDeviceTest, TimedOutRemoteModeReportsUntilTheNextRemoteCommand)
{
    Send(Packet(OP_DEVICE_COMMAND, DEVICE_CODE_REMOTE_MODE, {REMOTE_MODE_BEGIN}));
    SimTick(d.get(), now + SIM_IDLE_TIMEOUT_MS);
    EXPECT_EQ(SimStatus(d.get()), DEVICE_STATUS_TIMED_OUT);
    now += SIM_IDLE_TIMEOUT_MS + 10;
    Send(Packet(OP_DEVICE_COMMAND, DEVICE_CODE_REMOTE_MODE, {REMOTE_MODE_END}));
    EXPECT_EQ(SimStatus(d.get()), DEVICE_STATUS_IDLE);
}

struct FaultCase {
    const char* text;
    int accepted;
};

TEST_F(SimDeviceTest, FaultTexts)
{
    const FaultCase cases[] = {
        {"silent", 1},          {"status=3", 1},        {"status=256", 0},
        {"status=", 0},         {"drop-at=100", 1},     {"drop-at=252", 0},
        {"drop-at=-1", 0},      {"mute-at=7", 1},       {"oversize=2", 1},
        {"absent=0x120C9", 1},  {"absent=251", 1},      {"absent=0x5", 0},
        {"absent=x", 0},        {"product-id=2A03", 1}, {"product-id=10000", 0},
        {"silent=1", 0},        {"reboot", 0},          {"", 0},
        {"ignore=0x10001", 1},  {"ignore=1", 0},        {"panel-edit=200", 1},
        {"panel-edit=0x99", 0},
    };
    for (const FaultCase& c : cases) {
        SimInitDemo(d.get());
        EXPECT_EQ(SimApplyFault(d.get(), c.text), c.accepted) << c.text;
    }
    SimInitDemo(d.get());
    SimApplyFault(d.get(), "absent=0x120C9");
    EXPECT_EQ(SimItemLength(d.get(), ITEM_COUNT - 1), ITEM_ABSENT);
    SimApplyFault(d.get(), "product-id=2A03");
    uint8_t descriptor[8];
    SimDescriptor(d.get(), descriptor);
    EXPECT_EQ(ReadU16Le(descriptor + 2), 0x2A03);
}

TEST(SimDeviceState, LoadsByIdAndRefusesOversizeFiles)
{
    std::unique_ptr<SimDevice> d(new SimDevice);
    SimInitDemo(d.get());
    std::vector<uint8_t> file(2 * ITEM_RECORD_SIZE + 7, 0);
    WriteU32Le(file.data(), 0x10C04);
    WriteU32Le(file.data() + 4, 3);
    std::memcpy(file.data() + 8, "Lab", 3);
    WriteU32Le(file.data() + ITEM_RECORD_SIZE, 0x10C02);
    WriteU32Le(file.data() + ITEM_RECORD_SIZE + 4, 500);
    ASSERT_EQ(SimLoadState(d.get(), file.data(), file.size()), 1);
    EXPECT_EQ(SimItemLength(d.get(), SimRecordOf(0x10C04)), 3u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(SimItemValue(d.get(), SimRecordOf(0x10C04)))),
              "Lab");
    EXPECT_EQ(SimItemLength(d.get(), SimRecordOf(0x10C02)), ITEM_ABSENT)
        << "an impossible length reads as a missing item";
    EXPECT_EQ(SimItemLength(d.get(), SimRecordOf(0x10000)), 0u)
        << "items not in the file are empty";
    EXPECT_EQ(ReadU32Le(d->items + 5 * ITEM_RECORD_SIZE), PositionItemId(5)) << "ids in place";

    std::vector<uint8_t> tooBig(DEVICE_IMAGE_SIZE + 1, 0);
    EXPECT_EQ(SimLoadState(d.get(), tooBig.data(), tooBig.size()), 0);
    EXPECT_EQ(SimItemLength(d.get(), SimRecordOf(0x10C04)), 3u) << "unchanged after a refusal";
}

// The demo entries must be in the forms the program writes itself, or the lists would show
// them as empty.
TEST(SimDemo, DialEntriesHaveTheirFormLengthsAndKeyNumbers)
{
    std::unique_ptr<SimDevice> d(new SimDevice);
    SimInitDemo(d.get());
    int quick = 0, speed = 0, groups = 0;
    for (int i = 0; i < 30; i++) {
        const int r = QUICK_DIAL_FIRST_RECORD + i;
        const uint8_t* v = SimItemValue(d.get(), r);
        const uint32_t length = SimItemLength(d.get(), r);
        if (length == 0) {
            EXPECT_EQ(v[1], 0) << "empty key " << i + 1 << " has flags";
            continue;
        }
        EXPECT_EQ(v[0], i + 1) << "key number of key " << i + 1;
        if (v[1] & 0x40)
            continue;  // program dial: the device's own bytes
        if (v[1] == 0x80) {
            groups++;
            EXPECT_EQ(length, 130u);
            EXPECT_GE(v[2], 1);
            EXPECT_LE(v[2], 50);
            for (int k = 0; k < v[2]; k++)
                EXPECT_TRUE(v[30 + 2 * k] == 8 || v[30 + 2 * k] == 4) << "member table";
        } else {
            quick++;
            EXPECT_EQ(length, (v[1] & 0x01) ? 98u : 78u) << "key " << i + 1;
            EXPECT_LE(v[4], 20) << "name length";
        }
    }
    for (int i = 0; i < 90; i++) {
        const int r = SPEED_DIAL_FIRST_RECORD + i;
        const uint8_t* v = SimItemValue(d.get(), r);
        if (SimItemLength(d.get(), r) == 0)
            continue;
        speed++;
        EXPECT_EQ(v[0], (i + 1) | 0x80) << "entry " << i;
        EXPECT_EQ(SimItemLength(d.get(), r), v[1] == 0x05 ? 94u : 74u) << "entry " << i;
    }
    EXPECT_GE(quick, 3);
    EXPECT_GE(groups, 1);
    EXPECT_GE(speed, 3);
}

}  // namespace
