// Download and upload against the simulated device: what reaches the image, what reaches the
// device, the upload skip rules, the dump file, and the failures mended on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "device/byte_order.h"
#include "devsim/device_backends.h"
#include "document/dial_records.h"
#include "link_test_support.h"
#include "scripted_backend.h"

using namespace linktest;

namespace {

std::vector<uint8_t> RecordCopy(const uint8_t* base, int record)
{
    const uint8_t* at = base + record * ITEM_RECORD_SIZE;
    return std::vector<uint8_t>(at, at + ITEM_RECORD_SIZE);
}

int RecordOf(uint32_t id) { return FindItemRecord(id); }

class TransferTest : public LinkTest {};

TEST_F(TransferTest, DownloadCopiesEveryRecordOfTheDevice)
{
    SimDevice* d = AddDevice(0);
    std::vector<std::pair<int, int>> progress;
    TransferProgress p = {
        [](void* c, int done, int total) {
            static_cast<std::vector<std::pair<int, int>>*>(c)->push_back({done, total});
        },
        &progress};
    ASSERT_EQ(DownloadImage(&gDocument.image, &p), 1);
    for (int r = 0; r < ITEM_COUNT; r++)
        ASSERT_EQ(RecordCopy(gDocument.image.bytes, r), RecordCopy(d->items, r))
            << "record " << r << " differs from the device";
    ASSERT_EQ(progress.size(), static_cast<size_t>(ITEM_COUNT));
    EXPECT_EQ(progress.front(), std::make_pair(1, ITEM_COUNT));
    EXPECT_EQ(progress.back(), std::make_pair(ITEM_COUNT, ITEM_COUNT));
    EXPECT_EQ(gEvents.front(), "stop timer") << "the periodic check stops before the transfer";
    EXPECT_NE(gDevicePipes.reply, PIPE_NOT_OPEN) << "the pipes stay open for the next exchange";
}

TEST_F(TransferTest, RecordsZeroAndOneAreDeviceCommandsAndNeverWritten)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    const std::vector<uint32_t> commands = {DEVICE_CODE_STATUS, 0x3, 0x4};
    EXPECT_EQ(Codes(d, OP_DEVICE_COMMAND), commands);
    std::vector<uint32_t> reads = Codes(d, OP_READ_ITEM);
    ASSERT_EQ(reads.size(), static_cast<size_t>(ITEM_COUNT - 2));
    for (int r = 2; r < ITEM_COUNT; r++)
        EXPECT_EQ(reads[r - 2], PositionItemId(r)) << "records are read in record order";

    ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    const std::vector<uint32_t> writes = Codes(d, OP_WRITE_ITEM);
    EXPECT_EQ(std::count(writes.begin(), writes.end(), 0x3u), 0);
    EXPECT_EQ(std::count(writes.begin(), writes.end(), 0x4u), 0);
}

TEST_F(TransferTest, AbsentItemIsReadWithoutDataAndNotUploaded)
{
    SimDevice* d = AddDevice(0);
    const int record = RecordOf(0x10C02);
    SimMakeAbsent(d, record);
    // Bytes left in the reply stream would show as a failure of the next record.
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    EXPECT_EQ(ItemLength(gDocument.image, record), ITEM_ABSENT);
    EXPECT_EQ(ItemLength(gDocument.image, record + 1), SimItemLength(d, record + 1));

    ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    const std::vector<uint32_t> writes = Codes(d, OP_WRITE_ITEM);
    EXPECT_EQ(std::count(writes.begin(), writes.end(), 0x10C02u), 0);
    EXPECT_EQ(std::count(writes.begin(), writes.end(), 0x10C04u), 1);
}

TEST_F(TransferTest, UploadSendsExactlyTheRecordLengthsAndCommitsLast)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    d->received.clear();
    ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    std::vector<uint32_t> expected;
    for (int r = 0; r < ITEM_COUNT; r++)
        if (IsRecordUploaded(gDocument.image.bytes, r))
            expected.push_back(PositionItemId(r));
    EXPECT_EQ(Codes(d, OP_WRITE_ITEM), expected);
    for (const SimPacket& p : d->received) {
        if (p.operation != OP_WRITE_ITEM)
            continue;
        const int r = RecordOf(p.code);
        EXPECT_EQ(p.length, ItemLength(gDocument.image, r)) << "item 0x" << std::hex << p.code;
        EXPECT_EQ(p.data, std::vector<uint8_t>(ItemValue(gDocument.image, r),
                                               ItemValue(gDocument.image, r) +
                                                   ItemLength(gDocument.image, r)))
            << "item 0x" << std::hex << p.code;
    }
    EXPECT_EQ(d->received.back().code, DEVICE_CODE_COMMIT);
}

// The checked upload's two readings: the device's data changed at the panel after the
// download, and a device that keeps an item's old value at the commit.
TEST_F(TransferTest, ReadBackFindsWhatThePanelChangedAndWhatTheDeviceRefused)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(SimApplyFault(d, "panel-edit=0x10C04"), 1);
    ASSERT_EQ(SimApplyFault(d, "ignore=0x10001"), 1);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    DeviceImage current = {nullptr};
    ASSERT_EQ(CreateDeviceImage(current), 1);
    ASSERT_EQ(DownloadImage(&current, nullptr), 1);
    int records[ITEM_COUNT];
    ASSERT_EQ(ListChangedRecords(current.bytes, gDocument.image.bytes, records), 1);
    EXPECT_EQ(RecordOf(0x10C04), records[0]) << "the panel's edit came after the download";

    ItemValue(gDocument.image, RecordOf(0x10001))[0] ^= 1;
    ItemValue(gDocument.image, RecordOf(0x10000))[0] ^= 1;
    const int count = ListChangedRecords(current.bytes, gDocument.image.bytes, records);
    ASSERT_EQ(count, 3);
    ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    std::vector<uint8_t> readBack(gDocument.image.bytes, gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    d->received.clear();
    ASSERT_EQ(ReadBackRecords(records, count, readBack.data(), nullptr), 1);
    EXPECT_EQ(Codes(d, OP_READ_ITEM), (std::vector<uint32_t>{0x10000, 0x10001, 0x10C04}))
        << "only the changed records are read back";
    int refused[ITEM_COUNT];
    ASSERT_EQ(ListChangedRecords(readBack.data(), gDocument.image.bytes, refused), 1);
    EXPECT_EQ(RecordOf(0x10001), refused[0]);
    ReleaseDeviceImage(current);
}

TEST_F(TransferTest, WritesWaitForTheCommit)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    const int name = RecordOf(0x10C04);
    std::memcpy(ItemValue(gDocument.image, name), "Print Room\0\0\0\0\0\0", 16);
    SetItemLength(gDocument.image, name, 10);

    // Everything but the commit: the device must not have taken the name yet.
    ASSERT_EQ(DeviceOpen(), 0);
    for (int r = 0; r < ITEM_COUNT; r++) {
        if (IsRecordUploaded(gDocument.image.bytes, r)) {
            ASSERT_EQ(WriteItem(ItemId(gDocument.image, r), ItemValue(gDocument.image, r),
                                ItemLength(gDocument.image, r)),
                      1);
        }
    }
    EXPECT_EQ(std::string(reinterpret_cast<char*>(SimItemValue(d, name))), "Front Office MFP");
    ASSERT_EQ(CommitUpload(), 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(SimItemValue(d, name))), "Print Room");
    EXPECT_EQ(SimItemLength(d, name), 10u);
}

TEST_F(TransferTest, UnfinishedUploadIsForgottenWhenTheLinkCloses)
{
    SimDevice* d = AddDevice(0);
    const std::vector<uint8_t> before(d->items, d->items + DEVICE_IMAGE_SIZE);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    ItemValue(gDocument.image, RecordOf(0x10000))[0] ^= 1;
    d->faults.dropAtRecord = RecordOf(0x12070);
    EXPECT_EQ(UploadImage(&gDocument.image, nullptr), 0);
    DeviceClose();
    EXPECT_EQ(std::vector<uint8_t>(d->items, d->items + DEVICE_IMAGE_SIZE), before)
        << "no write may reach the items without a commit";
}

struct SelectorCase {
    uint32_t selector;
    uint8_t value;
    std::vector<uint32_t> skipped;  // of the selector's neighbours
};

// The items each selector governs.
std::vector<uint32_t> Neighbours(uint32_t selector)
{
    switch (selector) {
    case 0x10102:
        return {0x10101, 0x10103, 0x10104};
    case 0x10107:
        return {0x10106, 0x10108, 0x10109};
    case 0x1010A:
        return {0x1010B, 0x1010C, 0x1010E};
    case 0x10407:
        return {0x10408, 0x10409, 0x1040A, 0x1040B, 0x1040C};
    default:
        return {0x10B04, 0x10B05, 0x10B06};
    }
}

TEST_F(TransferTest, SelectorsSwitchOffTheirNeighbours)
{
    const SelectorCase cases[] = {
        {0x10102, 0, {0x10103, 0x10104}},
        {0x10102, 1, {0x10101}},
        {0x10102, 2, {}},
        {0x10107, 0, {0x10108, 0x10109}},
        {0x10107, 1, {0x10106}},
        {0x10107, 9, {}},
        {0x1010A, 0, {0x1010B, 0x1010C}},
        {0x1010A, 1, {0x1010E}},
        {0x1010A, 255, {}},
        {0x10407, 0, {0x1040B, 0x1040C}},
        {0x10407, 3, {0x10408, 0x10409, 0x1040A}},
        {0x10407, 1, {0x10408, 0x10409, 0x1040A, 0x1040B, 0x1040C}},
        {0x10407, 2, {0x10408, 0x10409, 0x1040A, 0x1040B, 0x1040C}},
        {0x10407, 200, {0x10408, 0x10409, 0x1040A, 0x1040B, 0x1040C}},
        {0x10B03, 0, {0x10B04, 0x10B05, 0x10B06}},
        {0x10B03, 1, {0x10B05, 0x10B06}},
        {0x10B03, 2, {0x10B04}},
        {0x10B03, 3, {}},
    };
    for (const SelectorCase& c : cases) {
        ResetDeviceImage(gDocument.image);
        // Every other selector on a value that switches nothing off.
        for (uint32_t other : {0x10102u, 0x10107u, 0x1010Au, 0x10B03u})
            ImageItemValue(gDocument.image, other)[0] = 7;
        ImageItemValue(gDocument.image, 0x10407)[0] = 0;
        ImageItemValue(gDocument.image, c.selector)[0] = c.value;
        std::vector<uint32_t> skipped;
        for (uint32_t id : Neighbours(c.selector))
            if (!IsRecordUploaded(gDocument.image.bytes, RecordOf(id)))
                skipped.push_back(id);
        EXPECT_EQ(skipped, c.skipped)
            << "selector 0x" << std::hex << c.selector << " = " << std::dec << int(c.value);
        EXPECT_EQ(IsRecordUploaded(gDocument.image.bytes, RecordOf(c.selector)), 1)
            << "a selector itself is always sent";
    }
}

TEST_F(TransferTest, RxModeSelectorOnTheWire)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    const std::pair<uint8_t, std::vector<uint32_t>> cases[] = {
        {3, {0x10407, 0x1040B, 0x1040C}},
        {1, {0x10407}},
    };
    for (const auto& c : cases) {
        ImageItemValue(gDocument.image, 0x10407)[0] = c.first;
        d->received.clear();
        ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);
        std::vector<uint32_t> sent;
        for (uint32_t code : Codes(d, OP_WRITE_ITEM))
            if (code >= 0x10407 && code <= 0x1040C)
                sent.push_back(code);
        EXPECT_EQ(sent, c.second) << "0x10407 = " << int(c.first);
    }
}

TEST_F(TransferTest, DownloadFailingAtRecord100KeepsWhatCame)
{
    SimDevice* d = AddDevice(0);
    d->faults.dropAtRecord = 100;
    std::memset(gDocument.image.bytes, 0xEE, DEVICE_IMAGE_SIZE);
    ResetDeviceImage(gDocument.image);
    const std::vector<uint8_t> reset(gDocument.image.bytes,
                                     gDocument.image.bytes + DEVICE_IMAGE_SIZE);

    EXPECT_EQ(DownloadImage(&gDocument.image, nullptr), 0);
    for (int r = 0; r < 100; r++)
        ASSERT_EQ(RecordCopy(gDocument.image.bytes, r), RecordCopy(d->items, r)) << "record " << r;
    EXPECT_EQ(ItemLength(gDocument.image, 100), 0u);
    for (int r = 100; r < ITEM_COUNT; r++)
        ASSERT_EQ(RecordCopy(gDocument.image.bytes, r), RecordCopy(reset.data(), r))
            << "record " << r << " should be as the reset left it";
}

TEST_F(TransferTest, OversizeReplyFailsTheDownload)
{
    SimDevice* d = AddDevice(0);
    d->faults.oversizeRecord = 50;
    EXPECT_EQ(DownloadImage(&gDocument.image, nullptr), 0);
    EXPECT_EQ(ItemLength(gDocument.image, 50), 0u) << "an impossible length is not stored";
    EXPECT_EQ(ItemLength(gDocument.image, 49), SimItemLength(d, 49));
    EXPECT_EQ(ItemLength(gDocument.image, 51), 0u) << "nothing after the broken reply is read";
    EXPECT_EQ(Codes(d, OP_READ_ITEM).back(), PositionItemId(50));
}

TEST_F(TransferTest, ReplyLengthLimitIsTheValueArea)
{
    const std::pair<uint32_t, int> cases[] = {{0, 1},   {1, 1},          {130, 1},
                                              {131, 0}, {0xFFFFFFFE, 0}, {0xFFFFFFFF, 1}};
    for (const auto& c : cases) {
        ScriptedBackend s;
        InitScriptedBackend(&s, 0x2A02);
        AddStatusReply(&s, 0);
        // An oversize reply brings its bytes along; an absent item brings none.
        const size_t valueBytes = c.first <= 130 ? c.first : c.first == ITEM_ABSENT ? 0 : 140;
        AddReply(&s, c.first, valueBytes);
        SetDeviceBackend(&s.backend);
        ASSERT_EQ(DeviceOpen(), 0);
        uint8_t value[ITEM_VALUE_SIZE + 16] = {};
        uint32_t length = 12345;
        EXPECT_EQ(ReadItem(0x10000, value, &length), c.second) << "length " << c.first;
        if (c.second) {
            EXPECT_EQ(length, c.first);
            EXPECT_EQ(s.replyAt, s.replies.size()) << "length " << c.first << ": all consumed";
        }
        EXPECT_EQ(value[ITEM_VALUE_SIZE], 0) << "nothing written past the value area";
        SetDeviceBackend(nullptr);
    }
}

TEST_F(TransferTest, ShortWriteFailsTheUpload)
{
    ScriptedBackend s;
    InitScriptedBackend(&s, 0x2A02);
    AddStatusReply(&s, 0);
    s.shortWriteAt = 2;  // handshake, first packet, its value
    ImageItemValue(gDocument.image, 0x1000B)[0] = 1;
    SetItemLength(gDocument.image, 2, 1);
    SetDeviceBackend(&s.backend);
    EXPECT_EQ(UploadImage(&gDocument.image, nullptr), 0);
    EXPECT_EQ(s.writes, 3) << "the upload stops at the short write";
    SetDeviceBackend(nullptr);
}

TEST_F(TransferTest, LastRecordAbsentStillCommits)
{
    SimDevice* d = AddDevice(0);
    SimMakeAbsent(d, ITEM_COUNT - 1);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    ASSERT_EQ(ItemLength(gDocument.image, ITEM_COUNT - 1), ITEM_ABSENT);
    d->received.clear();
    EXPECT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    ASSERT_GE(d->received.size(), 2u);
    EXPECT_EQ(d->received.back().code, DEVICE_CODE_COMMIT);
    EXPECT_EQ(d->received[d->received.size() - 2].code, PositionItemId(ITEM_COUNT - 2))
        << "the commit follows the last record sent";
    EXPECT_EQ(d->commitCount, 1u);
}

TEST_F(TransferTest, DeviceFallingSilentFailsTheTransfer)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(DeviceOpen(), 0);
    d->faults.silent = 1;
    EXPECT_EQ(DownloadImage(&gDocument.image, nullptr), 0);
    EXPECT_EQ(UploadImage(&gDocument.image, nullptr), 0) << "a silent device cannot be opened";
}

TEST_F(TransferTest, TransfersWithoutDeviceFail)
{
    EXPECT_EQ(DownloadImage(&gDocument.image, nullptr), 0);
    EXPECT_EQ(UploadImage(&gDocument.image, nullptr), 0);
    DeviceImage none = {nullptr};
    AddDevice(0);
    EXPECT_EQ(DownloadImage(&none, nullptr), 0);
    EXPECT_EQ(UploadImage(&none, nullptr), 0);
}

TEST_F(TransferTest, DumpFileHoldsTheImageAsTheUploadBegan)
{
    AddDevice(0);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    ImageItemValue(gDocument.image, 0x10001)[0] = 5;
    const std::vector<uint8_t> expected(gDocument.image.bytes,
                                        gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    const std::string path = ::testing::TempDir() + "QVUPLOAD_DATA.txt";
    std::remove(path.c_str());
    SetUploadDumpPath(path.c_str());
    ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> dumped((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
    EXPECT_EQ(dumped.size(), static_cast<size_t>(DEVICE_IMAGE_SIZE));
    EXPECT_TRUE(dumped == expected) << "the dump differs from the image";
    std::remove(path.c_str());
}

TEST_F(TransferTest, UnwritableDumpDoesNotStopTheUpload)
{
    SimDevice* d = AddDevice(0);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    SetUploadDumpPath("/nonexistent-folder/QVUPLOAD_DATA.txt");
    EXPECT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    EXPECT_EQ(d->commitCount, 1u);
}

TEST_F(TransferTest, SimulatedDeviceKeepsItsStateFileAcrossRuns)
{
    const std::string path = ::testing::TempDir() + "moravel_sim_state.dat";
    std::remove(path.c_str());
    const std::string choice = "sim:" + path;

    SetDeviceBackend(SelectDeviceBackend(choice.c_str()));
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    EXPECT_STREQ(reinterpret_cast<char*>(ImageItemValue(gDocument.image, 0x10C04)),
                 "Front Office MFP")
        << "a missing state file starts from the demo device";
    std::memcpy(ImageItemValue(gDocument.image, 0x10C04), "Print Room\0\0\0\0\0\0", 16);
    SetImageItemLength(gDocument.image, 0x10C04, 10);
    ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);

    // The next run of the program: a fresh device from the same file.
    SetDeviceBackend(SelectDeviceBackend(choice.c_str()));
    ResetDeviceImage(gDocument.image);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    EXPECT_STREQ(reinterpret_cast<char*>(ImageItemValue(gDocument.image, 0x10C04)), "Print Room");
    EXPECT_EQ(ItemLength(gDocument.image, FindItemRecord(0x10C04)), 10u);
    EXPECT_EQ(ItemLength(gDocument.image, FindItemRecord(0x10411)), ITEM_ABSENT)
        << "absent items stay absent";
    SetDeviceBackend(nullptr);
    std::remove(path.c_str());
}

TEST_F(TransferTest, SimulatedDeviceLeavesAForeignFileAlone)
{
    const std::string path = ::testing::TempDir() + "moravel_not_a_state.dat";
    {
        std::ofstream out(path, std::ios::binary);
        out << std::string(DEVICE_IMAGE_SIZE + 1, 'x');
    }
    const std::string choice = "sim:" + path;
    SetDeviceBackend(SelectDeviceBackend(choice.c_str()));
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1) << "the device runs on its demo content";
    ASSERT_EQ(UploadImage(&gDocument.image, nullptr), 1);
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    EXPECT_EQ(static_cast<long>(in.tellg()), DEVICE_IMAGE_SIZE + 1L)
        << "a file the device could not read must not be overwritten";
    SetDeviceBackend(nullptr);
    std::remove(path.c_str());
}

// The demo device's address book, downloaded and decoded as the lists will show it.
TEST_F(TransferTest, DemoEntriesReadAsTheListsShowThem)
{
    AddDevice(0);
    ASSERT_EQ(DownloadImage(&gDocument.image, nullptr), 1);
    ASSERT_EQ(RevertEdits(gDocument), 1);

    DialRecord r = {};
    ASSERT_EQ(DecodeQuickKey(&r, gDocument.edit, 0), 1);
    EXPECT_EQ(r.inUse, 1);
    EXPECT_STREQ(r.name, "Head Office");
    EXPECT_STREQ(r.faxNumber, "02079460001");
    EXPECT_EQ(r.speed, 2) << "33.6K";

    ASSERT_EQ(DecodeQuickKey(&r, gDocument.edit, 1), 1);
    EXPECT_EQ(r.destType, DEST_EMAIL);
    EXPECT_STREQ(r.email, "accounts@example.com");

    ASSERT_EQ(DecodeQuickKey(&r, gDocument.edit, 2), 1);
    EXPECT_STREQ(r.sub, "12");
    EXPECT_STREQ(r.sid, "34");

    ASSERT_EQ(DecodeGroupKey(&r, gDocument.edit, 4), 1);
    EXPECT_EQ(r.kind, KIND_GROUP);
    EXPECT_STREQ(r.name, "Sales Team");
    ASSERT_EQ(r.memberCount, 3);
    EXPECT_EQ(r.members[0].table, MEMBER_TABLE_QUICK);
    EXPECT_EQ(r.members[0].index, 0);
    EXPECT_EQ(r.members[2].table, MEMBER_TABLE_SPEED);
    EXPECT_EQ(r.members[2].index, 2);

    ASSERT_EQ(DecodeQuickKey(&r, gDocument.edit, 26), 1);
    EXPECT_EQ(r.programDial, 1);

    ASSERT_EQ(DecodeSpeedEntry(&r, gDocument.edit, 1), 1);
    EXPECT_STREQ(r.name, "J. M\xFCller") << "the device's u-umlaut reads as Windows-1252";
    EXPECT_STREQ(r.email, "jmuller@example.de");
    ASSERT_EQ(DecodeSpeedEntry(&r, gDocument.edit, 10), 1);
    EXPECT_STREQ(r.name, "Courier P/U");
    EXPECT_STREQ(r.faxNumber, "08001234567");
}

}  // namespace
