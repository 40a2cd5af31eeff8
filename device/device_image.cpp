// The device data image and its fixed record positions.
#include "device/device_image.h"

#include <cstdlib>
#include <cstring>

#include "device/byte_order.h"

namespace {

// The id of every record, in record order. The order is the device's, not sorted: late
// additions (0x10210-0x10212, 0x10411, 0x10B03-0x10B06) stand after category 0x0D.
const uint32_t POSITION_IDS[ITEM_COUNT] = {
    0x3, 0x4,
    // 2-14
    0x1000B, 0x10000, 0x10001, 0x10002, 0x10005, 0x10006, 0x10003, 0x10004, 0x10007, 0x10008,
    0x10009, 0x1000A, 0x1000C,
    // 15-33
    0x10100, 0x10101, 0x10102, 0x10103, 0x10104, 0x10105, 0x10106, 0x10107, 0x10108, 0x10109,
    0x1010A, 0x1010B, 0x1010C, 0x1010D, 0x1010E, 0x1010F, 0x10110, 0x10111, 0x10112,
    // 34-48
    0x10200, 0x10201, 0x10202, 0x10203, 0x10204, 0x10205, 0x10206, 0x10207, 0x10209, 0x1020A,
    0x1020C, 0x1020B, 0x1020D, 0x1020E, 0x1020F,
    // 49-57
    0x10300, 0x10301, 0x10302, 0x10303, 0x10304, 0x10305, 0x10306, 0x10307, 0x10308,
    // 58-74
    0x10400, 0x10401, 0x10402, 0x10403, 0x10404, 0x10405, 0x10406, 0x10407, 0x10408, 0x10409,
    0x1040A, 0x1040B, 0x1040C, 0x1040D, 0x1040E, 0x1040F, 0x10410,
    // 75-81
    0x10500, 0x10501, 0x10502, 0x10504, 0x10600, 0x10601, 0x10602,
    // 82-88
    0x10700, 0x10702, 0x10704, 0x10706, 0x10707, 0x10709, 0x1070A,
    // 89-96
    0x10801, 0x10803, 0x10805, 0x10806, 0x10807, 0x10808, 0x1080A, 0x1080B,
    // 97-106
    0x10901, 0x10903, 0x10905, 0x10906, 0x10907, 0x10908, 0x1090A, 0x1090B, 0x1090F, 0x1090D,
    // 107-116
    0x10A01, 0x10A02, 0x10A03, 0x10A05, 0x10A07, 0x10A08, 0x10A09, 0x10A0B, 0x10A0C, 0x10A0D,
    // 117-127
    0x10B00, 0x10B01, 0x10B02, 0x10C02, 0x10C04, 0x10D00, 0x10D02, 0x10210, 0x10211, 0x10212,
    0x10411,
    // 128-131
    0x10B03, 0x10B05, 0x10B06, 0x10B04,
    // 132-161 Quick Dial keys, 162-251 Speed Dial entries: filled in below
};

// The dial records follow the settings; their ids ascend without gaps from the first key and
// entry, so they are computed rather than listed.
uint32_t IdAt(int record)
{
    if (record < QUICK_DIAL_FIRST_RECORD)
        return POSITION_IDS[record];
    if (record < SPEED_DIAL_FIRST_RECORD)
        return 0x12000 + static_cast<uint32_t>(record - QUICK_DIAL_FIRST_RECORD);
    return 0x12070 + static_cast<uint32_t>(record - SPEED_DIAL_FIRST_RECORD);
}

void WriteIds(uint8_t* bytes)
{
    for (int r = 0; r < ITEM_COUNT; r++)
        WriteU32Le(bytes + r * ITEM_RECORD_SIZE, IdAt(r));
}

}  // namespace

int CreateDeviceImage(DeviceImage& image)
{
    if (!image.bytes) {
        image.bytes = static_cast<uint8_t*>(calloc(DEVICE_IMAGE_SIZE, 1));
        if (!image.bytes)
            return 0;
    }
    ResetDeviceImage(image);
    return 1;
}

void ResetDeviceImage(DeviceImage& image)
{
    if (!image.bytes)
        return;
    memset(image.bytes, 0, DEVICE_IMAGE_SIZE);
    WriteIds(image.bytes);
}

void ReleaseDeviceImage(DeviceImage& image)
{
    free(image.bytes);
    image.bytes = nullptr;
}

uint32_t PositionItemId(int record)
{
    if (record < 0 || record >= ITEM_COUNT)
        return 0;
    return IdAt(record);
}

int FindItemRecord(uint32_t id)
{
    for (int r = 0; r < ITEM_COUNT; r++) {
        if (IdAt(r) == id)
            return r;
    }
    return -1;
}

uint8_t* ItemRecordBytes(const DeviceImage& image, int record)
{
    if (!image.bytes || record < 0 || record >= ITEM_COUNT)
        return nullptr;
    return image.bytes + record * ITEM_RECORD_SIZE;
}

uint32_t ItemId(const DeviceImage& image, int record)
{
    const uint8_t* p = ItemRecordBytes(image, record);
    return p ? ReadU32Le(p) : 0;
}

uint32_t ItemLength(const DeviceImage& image, int record)
{
    const uint8_t* p = ItemRecordBytes(image, record);
    return p ? ReadU32Le(p + ITEM_LENGTH_OFFSET) : 0;
}

void SetItemLength(DeviceImage& image, int record, uint32_t length)
{
    uint8_t* p = ItemRecordBytes(image, record);
    if (p)
        WriteU32Le(p + ITEM_LENGTH_OFFSET, length);
}

uint8_t* ItemValue(const DeviceImage& image, int record)
{
    uint8_t* p = ItemRecordBytes(image, record);
    return p ? p + ITEM_VALUE_OFFSET : nullptr;
}

uint32_t ItemValueLength(const DeviceImage& image, int record)
{
    uint32_t length = ItemLength(image, record);
    if (length == ITEM_ABSENT)
        return 0;
    return length > ITEM_VALUE_SIZE ? ITEM_VALUE_SIZE : length;
}

uint8_t* ImageItemRecord(const DeviceImage& image, uint32_t id)
{
    return ItemRecordBytes(image, FindItemRecord(id));
}

uint8_t* ImageItemValue(const DeviceImage& image, uint32_t id)
{
    return ItemValue(image, FindItemRecord(id));
}

uint32_t ImageItemLength(const DeviceImage& image, uint32_t id)
{
    return ItemLength(image, FindItemRecord(id));
}

std::string ItemValueText(const uint8_t* value, uint32_t length)
{
    if (!value || length == ITEM_ABSENT || length > static_cast<uint32_t>(ITEM_VALUE_SIZE))
        return "";
    size_t size = 0;
    while (size < length && value[size])
        size++;
    return std::string(reinterpret_cast<const char*>(value), size);
}

std::string ImageItemText(const DeviceImage& image, uint32_t id)
{
    const int record = FindItemRecord(id);
    if (record < 0 || !image.bytes)
        return "";
    return ItemValueText(ItemValue(image, record), ItemLength(image, record));
}

int SetImageItemLength(DeviceImage& image, uint32_t id, uint32_t length)
{
    const int record = FindItemRecord(id);
    if (record < 0 || !image.bytes)
        return 0;
    SetItemLength(image, record, length);
    return 1;
}

int SetPresentItemLength(DeviceImage& image, uint32_t id, uint32_t length)
{
    uint8_t* record = ImageItemRecord(image, id);
    if (!record || ReadU32Le(record + ITEM_LENGTH_OFFSET) == ITEM_ABSENT)
        return 0;
    WriteU32Le(record + ITEM_LENGTH_OFFSET, length);
    return 1;
}

int ReadCounters(const DeviceImage& image, uint32_t counters[4])
{
    const uint8_t* value = ImageItemValue(image, 0x4);
    if (!value)
        return 0;
    for (int i = 0; i < 4; i++)
        counters[i] = ReadU32Le(value + 4 * i);
    return 1;
}
