// The device data image: 252 item records of 140 bytes at fixed positions (u32 id, u32 length,
// 130 value bytes, 2 bytes padding, little-endian), exchanged record by record with the device
// and written byte for byte to setting data files. This file knows the records and nothing of
// what they mean to the editors: that is the document's (document/).
//
// Every accessor takes the image it works on; out-of-range records, unknown ids and an image
// without bytes read as 0 / nullptr and are not written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int ITEM_COUNT = 252;
constexpr int ITEM_RECORD_SIZE = 140;
constexpr int ITEM_VALUE_SIZE = 130;
constexpr int ITEM_LENGTH_OFFSET = 4;
constexpr int ITEM_VALUE_OFFSET = 8;
constexpr int DEVICE_IMAGE_SIZE = ITEM_COUNT * ITEM_RECORD_SIZE;  // 35,280

// A length of ITEM_ABSENT means the connected device does not have the item.
constexpr uint32_t ITEM_ABSENT = 0xFFFFFFFF;

constexpr int QUICK_DIAL_FIRST_RECORD = 132;  // items 0x12000..0x1201D
constexpr int SPEED_DIAL_FIRST_RECORD = 162;  // items 0x12070..0x120C9

// bytes is null until CreateDeviceImage and after release.
struct DeviceImage {
    uint8_t* bytes;
};

// Allocates the image zero-filled with every id from the position table; 1, or 0 when out of
// memory. Called again, it only resets.
int CreateDeviceImage(DeviceImage& image);
// Zero-fills the image and writes the ids anew, exactly as at creation.
void ResetDeviceImage(DeviceImage& image);
void ReleaseDeviceImage(DeviceImage& image);

// The fixed id of record `record` (0..251), or 0 outside that range.
uint32_t PositionItemId(int record);
// Position of item `id`, or -1 when the image has no such item.
int FindItemRecord(uint32_t id);

// One record by position.
uint8_t* ItemRecordBytes(const DeviceImage& image, int record);  // the whole 140 bytes
uint32_t ItemId(const DeviceImage& image, int record);
uint32_t ItemLength(const DeviceImage& image, int record);
void SetItemLength(DeviceImage& image, int record, uint32_t length);
uint8_t* ItemValue(const DeviceImage& image, int record);  // ITEM_VALUE_SIZE bytes
// How many value bytes the record really carries: 0 for an absent item, never more than the
// value area whatever the length field says. Senders and readers use this, not the raw length.
uint32_t ItemValueLength(const DeviceImage& image, int record);

// One record by item id.
uint8_t* ImageItemRecord(const DeviceImage& image, uint32_t id);
uint8_t* ImageItemValue(const DeviceImage& image, uint32_t id);
uint32_t ImageItemLength(const DeviceImage& image, uint32_t id);
// Sets the length of item `id`, whatever it was; 1, or 0 for an unknown id.
int SetImageItemLength(DeviceImage& image, uint32_t id, uint32_t length);
// Sets the length of item `id` unless the device lacks the item (an absent item stays absent);
// 1 when it was set.
int SetPresentItemLength(DeviceImage& image, uint32_t id, uint32_t length);

// A short text item (a name, a fax number): its value bytes up to the first NUL within its
// length; "" for an absent item or a length the value area cannot hold.
std::string ItemValueText(const uint8_t* value, uint32_t length);
std::string ImageItemText(const DeviceImage& image, uint32_t id);

// Copies the first four counters of item 0x4 (scan, full colour, black-and-white, level
// colour) into `counters`; 1, or 0 without an image.
int ReadCounters(const DeviceImage& image, uint32_t counters[4]);
