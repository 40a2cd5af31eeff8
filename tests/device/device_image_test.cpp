// The device data image: record positions, creation and reset, the accessors, and the load and
// store of the edit state (what each item carries, what it leaves alone).
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "image_test_support.h"

namespace {

// The record order as the device defines it, built from its runs of ids.
std::vector<uint32_t> ExpectedPositionIds()
{
    std::vector<uint32_t> ids = {0x3,     0x4,     0x1000B, 0x10000, 0x10001,
                                 0x10002, 0x10005, 0x10006, 0x10003, 0x10004,
                                 0x10007, 0x10008, 0x10009, 0x1000A, 0x1000C};
    auto run = [&](uint32_t first, uint32_t last) {
        for (uint32_t id = first; id <= last; id++)
            ids.push_back(id);
    };
    auto list = [&](std::initializer_list<uint32_t> more) { ids.insert(ids.end(), more); };
    run(0x10100, 0x10112);
    list({0x10200, 0x10201, 0x10202, 0x10203, 0x10204, 0x10205, 0x10206, 0x10207, 0x10209, 0x1020A,
          0x1020C, 0x1020B, 0x1020D, 0x1020E, 0x1020F});
    run(0x10300, 0x10308);
    run(0x10400, 0x10410);
    list({0x10500, 0x10501, 0x10502, 0x10504});
    list({0x10600, 0x10601, 0x10602});
    list({0x10700, 0x10702, 0x10704, 0x10706, 0x10707, 0x10709, 0x1070A});
    list({0x10801, 0x10803, 0x10805, 0x10806, 0x10807, 0x10808, 0x1080A, 0x1080B});
    list(
        {0x10901, 0x10903, 0x10905, 0x10906, 0x10907, 0x10908, 0x1090A, 0x1090B, 0x1090F, 0x1090D});
    list(
        {0x10A01, 0x10A02, 0x10A03, 0x10A05, 0x10A07, 0x10A08, 0x10A09, 0x10A0B, 0x10A0C, 0x10A0D});
    list({0x10B00, 0x10B01, 0x10B02, 0x10C02, 0x10C04, 0x10D00, 0x10D02});
    list({0x10210, 0x10211, 0x10212, 0x10411, 0x10B03, 0x10B05, 0x10B06, 0x10B04});
    run(0x12000, 0x1201D);
    run(0x12070, 0x120C9);
    return ids;
}

// How many value bytes, from the start, load and store carry for an item.
int ExpectedCarriedBytes(uint32_t id, bool forwardingIsEmail)
{
    // Size modes and the timing values are bytes; custom sizes are 16-bit.
    static const std::set<uint32_t> customSizes = {0x10103, 0x10104, 0x10108,
                                                   0x10109, 0x1010B, 0x1010C};
    static const std::set<uint32_t> u32Items = {
        0x10002, 0x10004, 0x10702, 0x10704, 0x10706, 0x10709, 0x10806, 0x10807,
        0x10808, 0x10906, 0x10907, 0x10A02, 0x10A03, 0x10B04, 0x10B05, 0x10B06};
    static const std::set<uint32_t> text66 = {0x10801, 0x10803, 0x1080A, 0x10903, 0x10905,
                                              0x1090D, 0x10A01, 0x10A05, 0x10A0B};
    static const std::set<uint32_t> text34 = {0x10805, 0x1090F, 0x10A07};
    static const std::set<uint32_t> text22 = {0x10901, 0x1090A};
    if (customSizes.count(id))
        return 2;
    if (id == 0x3)
        return 7;  // four option bytes, u16 memory size, u8 paper system
    if (id == 0x4)
        return 13 * 4;
    if (u32Items.count(id))
        return 4;
    if (text66.count(id))
        return 66;
    if (text34.count(id))
        return 34;
    if (text22.count(id))
        return 22;
    if ((id >= 0x12000 && id <= 0x1201D) || (id >= 0x12070 && id <= 0x120C9))
        return 130;
    switch (id) {
    case 0x10401:
        return 12;
    case 0x10504:
        return 5;
    case 0x10D02:
        return 10;
    case 0x10C02:
        return 24;
    case 0x10C04:
        return 36;
    case 0x1040E:
        return forwardingIsEmail ? 72 : 52;
    default:
        return 1;
    }
}

}  // namespace

// ---- Positions and creation ---------------------------------------------------------------

TEST_F(ImageTest, RecordsCarryThePositionTableIds)
{
    const std::vector<uint32_t> expected = ExpectedPositionIds();
    ASSERT_EQ(static_cast<size_t>(ITEM_COUNT), expected.size());
    for (int r = 0; r < ITEM_COUNT; r++) {
        EXPECT_EQ(expected[r], PositionItemId(r)) << "record " << r;
        EXPECT_EQ(expected[r], ItemId(gDocument.image, r)) << "record " << r << " of a created image";
        EXPECT_EQ(r, FindItemRecord(expected[r]))
            << "position of item 0x" << std::hex << expected[r];
    }
}

TEST_F(ImageTest, KnownPositions)
{
    const struct {
        int record;
        uint32_t id;
    } cases[] = {
        {0, 0x3},       {1, 0x4},       {2, 0x1000B},   {6, 0x10005},   {8, 0x10003},
        {14, 0x1000C},  {33, 0x10112},  {44, 0x1020C},  {45, 0x1020B},  {78, 0x10504},
        {105, 0x1090F}, {106, 0x1090D}, {120, 0x10C02}, {121, 0x10C04}, {127, 0x10411},
        {128, 0x10B03}, {129, 0x10B05}, {130, 0x10B06}, {131, 0x10B04}, {132, 0x12000},
        {161, 0x1201D}, {162, 0x12070}, {251, 0x120C9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.id, ItemId(gDocument.image, c.record)) << "record " << c.record;
}

TEST_F(ImageTest, CreatedImageHasIdsOnly)
{
    EXPECT_EQ(35280, DEVICE_IMAGE_SIZE);
    for (int r = 0; r < ITEM_COUNT; r++) {
        const uint8_t* record = ItemRecordBytes(gDocument.image, r);
        ASSERT_NE(nullptr, record);
        EXPECT_EQ(0u, ItemLength(gDocument.image, r)) << "record " << r;
        for (int i = 4; i < ITEM_RECORD_SIZE; i++)
            ASSERT_EQ(0, record[i]) << "record " << r << " byte " << i;
    }
}

TEST_F(ImageTest, ResetRestoresTheCreatedState)
{
    const std::vector<uint8_t> created = ImageCopy();
    FillImageRandomly(7);
    ResetDeviceImage(gDocument.image);
    EXPECT_EQ(-1, FirstDifferentRecord(created, ImageCopy()));
}

TEST_F(ImageTest, UnknownIdsAndOutOfRangeRecords)
{
    for (uint32_t id : {0x0u, 0x5u, 0x10208u, 0x1020u, 0x1201Eu, 0x1206Fu, 0x120CAu})
        EXPECT_EQ(-1, FindItemRecord(id)) << "id 0x" << std::hex << id;
    for (int record : {-1, ITEM_COUNT, 100000}) {
        EXPECT_EQ(nullptr, ItemRecordBytes(gDocument.image, record)) << "record " << record;
        EXPECT_EQ(nullptr, ItemValue(gDocument.image, record)) << "record " << record;
        EXPECT_EQ(0u, ItemId(gDocument.image, record)) << "record " << record;
        EXPECT_EQ(0u, PositionItemId(record)) << "record " << record;
        SetItemLength(gDocument.image, record, 5);  // must be ignored, not written anywhere
    }
    EXPECT_EQ(0, SetImageItemLength(gDocument.image, 0x10208, 1));
    EXPECT_EQ(nullptr, ImageItemValue(gDocument.image, 0x10208));
}

TEST_F(ImageTest, WithoutAnImageNothingIsTouched)
{
    ReleaseDeviceImage(gDocument.image);
    EXPECT_EQ(nullptr, ItemValue(gDocument.image, 0));
    EXPECT_EQ(0u, ItemLength(gDocument.image, 0));
    EXPECT_EQ(0, LoadEditState(gDocument.edit, gDocument.image));
    EXPECT_EQ(0, StoreEditState(gDocument.edit, gDocument.image));
    uint32_t counters[4] = {9, 9, 9, 9};
    EXPECT_EQ(0, ReadCounters(gDocument.image, counters));
    EXPECT_EQ(1, CreateDeviceImage(gDocument.image));
    EXPECT_EQ(0x120C9u, ItemId(gDocument.image, 251));
}

// ---- Lengths -------------------------------------------------------------------------------

// Pages that edit items in an image of their own find them through these, and must never make
// an item the device lacks appear by giving it a length.
TEST_F(ImageTest, ItemsOfAnyImageByIdKeepAbsentItemsAbsent)
{
    EXPECT_EQ(ImageItemValue(gDocument.image, 0x10408), ImageItemValue(gDocument.image, 0x10408));
    EXPECT_EQ(ItemRecordBytes(gDocument.image, FindItemRecord(0x10408)), ImageItemRecord(gDocument.image, 0x10408));
    EXPECT_EQ(nullptr, ImageItemValue(gDocument.image, 0x10208));
    const DeviceImage none = {nullptr};
    EXPECT_EQ(nullptr, ImageItemRecord(none, 0x10408));

    EXPECT_EQ(1, SetPresentItemLength(gDocument.image, 0x10C04, 7));
    EXPECT_EQ(7u, ItemLength(gDocument.image, FindItemRecord(0x10C04)));
    SetImageItemLength(gDocument.image, 0x10C04, ITEM_ABSENT);
    EXPECT_EQ(0, SetPresentItemLength(gDocument.image, 0x10C04, 7));
    EXPECT_EQ(ITEM_ABSENT, ItemLength(gDocument.image, FindItemRecord(0x10C04)));
    EXPECT_EQ(0, SetPresentItemLength(gDocument.image, 0x10208, 7));
}

TEST_F(ImageTest, ValueLengthNeverExceedsTheValueArea)
{
    const struct {
        uint32_t length;
        uint32_t usable;
    } cases[] = {{0, 0}, {1, 1}, {130, 130}, {131, 130}, {0x1000, 130}, {ITEM_ABSENT, 0}};
    for (const auto& c : cases) {
        SetItemLength(gDocument.image, 50, c.length);
        EXPECT_EQ(c.length, ItemLength(gDocument.image, 50));
        EXPECT_EQ(c.usable, ItemValueLength(gDocument.image, 50)) << "length " << c.length;
    }
}

TEST_F(ImageTest, TextItemLengthIsTheTextWithoutTerminator)
{
    const int record = FindItemRecord(0x10903);
    SetItemLength(gDocument.image, record, 9);
    LoadEditState(gDocument.edit, gDocument.image);
    strcpy(gDocument.edit.smtp.emailAddress, "abcdefghijklmnopqrst");
    CommitEditState(gDocument.edit, gDocument.image);
    EXPECT_EQ(20u, ItemLength(gDocument.image, record));
    gDocument.edit.smtp.emailAddress[0] = '\0';
    CommitEditState(gDocument.edit, gDocument.image);
    EXPECT_EQ(0u, ItemLength(gDocument.image, record));
    // A prefix that fills its item has no terminator there.
    memcpy(gDocument.edit.line.pabxPrefix, "12345", 5);
    CommitEditState(gDocument.edit, gDocument.image);
    EXPECT_EQ(5u, ItemLength(gDocument.image, FindItemRecord(0x10504)));
}

TEST_F(ImageTest, ReadCountersTakesTheFirstFourCounters)
{
    uint8_t* value = ImageItemValue(gDocument.image, 0x4);
    for (int i = 0; i < 13; i++)
        WriteU32Le(value + 4 * i, 0x01020300u + static_cast<uint32_t>(i));
    uint32_t counters[4] = {};
    ASSERT_EQ(1, ReadCounters(gDocument.image, counters));
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(0x01020300u + static_cast<uint32_t>(i), counters[i]) << "counter " << i;
}

// ---- Load and store ------------------------------------------------------------------------

TEST_F(ImageTest, LoadThenStoreChangesNoByte)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        for (uint8_t isEmail : {0, 1}) {
            FillImageRandomly(seed);
            const std::vector<uint8_t> before = ImageCopy();
            ASSERT_EQ(1, LoadEditState(gDocument.edit, gDocument.image));
            gDocument.edit.forwarding.isEmail = isEmail;
            ASSERT_EQ(1, StoreEditState(gDocument.edit, gDocument.image));
            EXPECT_EQ(-1, FirstDifferentRecord(before, ImageCopy()))
                << "seed " << seed << ", forwarding form " << int(isEmail);
        }
    }
}

// Load, wipe every value in the image, store: exactly the bytes each item's shape carries come
// back, the rest stay wiped, and no length moves.
TEST_F(ImageTest, EachItemCarriesExactlyItsShape)
{
    for (uint8_t isEmail : {0, 1}) {
        std::mt19937 rng(11 + isEmail);
        for (int r = 0; r < ITEM_COUNT; r++) {
            SetItemLength(gDocument.image, r, rng());
            for (int i = 0; i < ITEM_VALUE_SIZE; i++)
                ItemValue(gDocument.image, r)[i] = static_cast<uint8_t>(rng() % 255 + 1);
        }
        const std::vector<uint8_t> before = ImageCopy();
        ASSERT_EQ(1, LoadEditState(gDocument.edit, gDocument.image));
        for (int r = 0; r < ITEM_COUNT; r++)
            memset(ItemValue(gDocument.image, r), 0, ITEM_VALUE_SIZE);
        gDocument.edit.forwarding.isEmail = isEmail;
        ASSERT_EQ(1, StoreEditState(gDocument.edit, gDocument.image));

        for (int r = 0; r < ITEM_COUNT; r++) {
            const uint32_t id = PositionItemId(r);
            const uint8_t* was = before.data() + r * ITEM_RECORD_SIZE + ITEM_VALUE_OFFSET;
            const uint8_t* now = ItemValue(gDocument.image, r);
            int carried = 0;
            while (carried < ITEM_VALUE_SIZE && now[carried] == was[carried])
                carried++;
            int strays = 0;
            for (int i = carried; i < ITEM_VALUE_SIZE; i++)
                strays += now[i] != 0;
            EXPECT_EQ(ExpectedCarriedBytes(id, isEmail), carried)
                << "item 0x" << std::hex << id << " (forwarding form " << int(isEmail) << ")";
            EXPECT_EQ(0, strays) << "item 0x" << std::hex << id
                                 << ": bytes beyond its shape were written";
            EXPECT_EQ(ReadU32Le(before.data() + r * ITEM_RECORD_SIZE + ITEM_LENGTH_OFFSET),
                      ItemLength(gDocument.image, r))
                << "length of item 0x" << std::hex << id;
        }
    }
}

TEST_F(ImageTest, AbsentItemKeepsItsValueBytes)
{
    FillRecordsRandomly(5);
    for (uint32_t id : {0x10C04u, 0x10002u, 0x1040Eu, 0x10103u, 0x120C9u})
        SetImageItemLength(gDocument.image, id, ITEM_ABSENT);
    const std::vector<uint8_t> before = ImageCopy();
    LoadEditState(gDocument.edit, gDocument.image);
    StoreEditState(gDocument.edit, gDocument.image);
    EXPECT_EQ(-1, FirstDifferentRecord(before, ImageCopy()));
    EXPECT_EQ(ITEM_ABSENT, ItemLength(gDocument.image, FindItemRecord(0x10C04)));
}

TEST_F(ImageTest, LoadFillsTheNamedFields)
{
    WriteU32Le(ImageItemValue(gDocument.image, 0x3), 0x01010001);  // ADF, no optional tray, Ethernet, bypass
    WriteU16Le(ImageItemValue(gDocument.image, 0x3) + 4, 256);
    ImageItemValue(gDocument.image, 0x3)[6] = 1;
    ImageItemValue(gDocument.image, 0x1000B)[0] = 24;
    WriteU32Le(ImageItemValue(gDocument.image, 0x10002), 0x1234);
    ImageItemValue(gDocument.image, 0x1020B)[0] = 3;  // green, stored before blue's position swap
    ImageItemValue(gDocument.image, 0x1020C)[0] = 4;
    ImageItemValue(gDocument.image, 0x10402)[0] = 0xFF;
    WriteU32Le(ImageItemValue(gDocument.image, 0x10B04), 64);
    WriteU32Le(ImageItemValue(gDocument.image, 0x10B05), 4096);
    strcpy(reinterpret_cast<char*>(ImageItemValue(gDocument.image, 0x1090D)), "smtp-user");
    strcpy(reinterpret_cast<char*>(ImageItemValue(gDocument.image, 0x1090F)), "secret");
    strcpy(reinterpret_cast<char*>(ImageItemValue(gDocument.image, 0x10C04)), "OFFICE-3F");
    ImageItemValue(gDocument.image, 0x12000)[0] = 1;
    ImageItemValue(gDocument.image, 0x120C9)[129] = 0x5A;

    ASSERT_EQ(1, LoadEditState(gDocument.edit, gDocument.image));
    EXPECT_EQ(1, gDocument.edit.config.adf);
    EXPECT_EQ(0, gDocument.edit.config.optionalTray);
    EXPECT_EQ(1, gDocument.edit.config.ethernetBoard);
    EXPECT_EQ(1, gDocument.edit.config.bypassTray);
    EXPECT_EQ(256, gDocument.edit.config.memorySizeMb);
    EXPECT_EQ(1, gDocument.edit.config.inchPaper);
    EXPECT_EQ(24, gDocument.edit.system.country);
    EXPECT_EQ(0x1234u, gDocument.edit.system.energySaverMinutes);
    EXPECT_EQ(3, gDocument.edit.copy.colorGreen);
    EXPECT_EQ(4, gDocument.edit.copy.colorBlue);
    EXPECT_EQ(-1, gDocument.edit.reception.ringCount);
    EXPECT_EQ(64u, gDocument.edit.scanner.pageDivideKb);
    EXPECT_EQ(4096u, gDocument.edit.scanner.sizeDivideKb);
    EXPECT_STREQ("smtp-user", gDocument.edit.smtp.userName);
    EXPECT_STREQ("secret", gDocument.edit.smtp.password);
    EXPECT_STREQ("OFFICE-3F", gDocument.edit.properties.deviceName);
    EXPECT_EQ(1, gDocument.edit.quickDial.entries[0][0]);
    EXPECT_EQ(0x5A, gDocument.edit.speedDial.entries[89][129]);
}

TEST_F(ImageTest, StoreWritesTheNamedFields)
{
    strcpy(gDocument.edit.properties.deviceName, "FRONT DESK");
    gDocument.edit.network.ipAddress = 0xC0A80164;
    gDocument.edit.reception.rxMode = 3;
    gDocument.edit.speedDial.entries[0][1] = 0x06;
    ASSERT_EQ(1, StoreEditState(gDocument.edit, gDocument.image));
    EXPECT_STREQ("FRONT DESK", reinterpret_cast<const char*>(ImageItemValue(gDocument.image, 0x10C04)));
    const uint8_t* ip = ImageItemValue(gDocument.image, 0x10702);
    EXPECT_EQ(0x64, ip[0]);
    EXPECT_EQ(0xC0, ip[3]);
    EXPECT_EQ(3, ImageItemValue(gDocument.image, 0x10407)[0]);
    EXPECT_EQ(0x06, ImageItemValue(gDocument.image, 0x12070)[1]);
    EXPECT_EQ(0u, ItemLength(gDocument.image, FindItemRecord(0x10C04))) << "store must leave lengths alone";
}

// Whatever the image holds, every text field of the edit state reads as a terminated string.
TEST_F(ImageTest, TextFieldsAreAlwaysTerminated)
{
    for (int r = 0; r < ITEM_COUNT; r++)
        memset(ItemValue(gDocument.image, r), 'A', ITEM_VALUE_SIZE);
    ASSERT_EQ(1, LoadEditState(gDocument.edit, gDocument.image));
    const struct {
        const char* field;
        size_t limit;
        const char* name;
    } texts[] = {
        {gDocument.edit.properties.deviceName, DEVICE_NAME_SIZE, "device name"},
        {gDocument.edit.properties.faxNumber, DEVICE_FAX_NUMBER_SIZE, "device fax number"},
        {gDocument.edit.ldap.serverName, TEXT_LONG_SIZE, "LDAP server"},
        {gDocument.edit.ldap.password, TEXT_MEDIUM_SIZE, "LDAP password"},
        {gDocument.edit.smtp.senderName, TEXT_SHORT_SIZE, "sender name"},
        {gDocument.edit.pop3.adminEmail, TEXT_LONG_SIZE, "admin e-mail"},
        {gDocument.edit.line.pabxPrefix, PABX_PREFIX_SIZE, "PABX prefix"},
        {gDocument.edit.restriction.password, RESTRICTION_PASSWORD_SIZE, "restriction password"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(t.limit, strlen(t.field)) << t.name;
}

TEST_F(ImageTest, ForwardingDestinationStoresItsForm)
{
    const struct {
        uint8_t isEmail;
        int written;
    } forms[] = {{0, FORWARD_SHORT_SIZE}, {1, FORWARD_LONG_SIZE}};
    for (const auto& form : forms) {
        FillRecordsRandomly(21);
        uint8_t* value = ImageItemValue(gDocument.image, 0x1040E);
        std::vector<uint8_t> was(value, value + ITEM_VALUE_SIZE);
        ASSERT_EQ(1, LoadEditState(gDocument.edit, gDocument.image));
        EXPECT_EQ(0, memcmp(gDocument.edit.forwarding.record, was.data(), FORWARD_LONG_SIZE))
            << "the load takes all 72 bytes";
        memset(gDocument.edit.forwarding.record, 0xEE, sizeof gDocument.edit.forwarding.record);
        gDocument.edit.forwarding.isEmail = form.isEmail;
        ASSERT_EQ(1, StoreEditState(gDocument.edit, gDocument.image));
        for (int i = 0; i < ITEM_VALUE_SIZE; i++) {
            const uint8_t expected = i < form.written ? 0xEE : was[i];
            ASSERT_EQ(expected, value[i])
                << "byte " << i << " with forwarding form " << int(form.isEmail);
        }
    }
}

// The paper sizes and the reception timings are edited like every other setting: through the
// edit state, so a Cancel drops them and a commit stores them.
TEST_F(ImageTest, SizesAndTimingsTravelThroughTheEditState)
{
    WriteU16Le(ImageItemValue(gDocument.image, 0x10108), 0x0102);
    ImageItemValue(gDocument.image, 0x1010A)[0] = 1;
    ImageItemValue(gDocument.image, 0x1040C)[0] = 45;
    LoadEditState(gDocument.edit, gDocument.image);
    EXPECT_EQ(0x0102, gDocument.edit.paper.customX[1]);
    EXPECT_EQ(1, gDocument.edit.paper.sizeMode[2]);
    EXPECT_EQ(45, gDocument.edit.reception.timing[4]);
    gDocument.edit.paper.customY[0] = 297;
    gDocument.edit.reception.timing[0] = 7;
    StoreEditState(gDocument.edit, gDocument.image);
    EXPECT_EQ(297, ReadU16Le(ImageItemValue(gDocument.image, 0x10104)));
    EXPECT_EQ(0x29, ImageItemValue(gDocument.image, 0x10104)[0]) << "low byte first";
    EXPECT_EQ(7, ImageItemValue(gDocument.image, 0x10408)[0]);
}
