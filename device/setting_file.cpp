// Setting data file format: reading a file's bytes into the image and composing the bytes to
// write. File access itself is behind setting_file_io.h.
#include "device/setting_file.h"

#include <cstring>
#include <vector>

#include "device/byte_order.h"
#include "device/device_image.h"

namespace {

// The scanner's divide settings (0x10B03-0x10B06) came late to the device; files written
// before them must not leave values from an earlier document behind, so these four start empty
// on every open and only a file that has them fills them.
const uint32_t CLEARED_ON_OPEN[] = {0x10B03, 0x10B05, 0x10B06, 0x10B04};

// A length above the value area (and not the absent marker) cannot describe a real value. The
// record is still taken, so the file stays readable, but its length is clamped to
// ITEM_VALUE_SIZE: nothing that trusts `length` later (upload, text lengths) can then read or
// send past the 130 value bytes the record really has.
uint32_t SaneLength(uint32_t length)
{
    if (length != ITEM_ABSENT && length > ITEM_VALUE_SIZE)
        return ITEM_VALUE_SIZE;
    return length;
}

}  // namespace

int MergeSettingBytes(DeviceImage& image, const uint8_t* bytes, size_t size)
{
    if (!image.bytes || size > static_cast<size_t>(DEVICE_IMAGE_SIZE))
        return 0;
    if (!bytes)
        size = 0;

    for (uint32_t id : CLEARED_ON_OPEN)
        memset(ImageItemValue(image, id), 0, ITEM_VALUE_SIZE);

    const size_t fileRecords = size / ITEM_RECORD_SIZE;
    for (int r = 0; r < ITEM_COUNT; r++) {
        const uint32_t id = ItemId(image, r);
        for (size_t f = 0; f < fileRecords; f++) {
            const uint8_t* from = bytes + f * ITEM_RECORD_SIZE;
            if (ReadU32Le(from) != id)
                continue;
            SetItemLength(image, r, SaneLength(ReadU32Le(from + ITEM_LENGTH_OFFSET)));
            memcpy(ItemValue(image, r), from + ITEM_VALUE_OFFSET, ITEM_VALUE_SIZE);
            break;
        }
    }
    return 1;
}

size_t ComposeSettingBytes(const DeviceImage& image, uint8_t* out, size_t capacity)
{
    if (!image.bytes || !out || capacity < static_cast<size_t>(DEVICE_IMAGE_SIZE))
        return 0;
    // The file is the image byte for byte, padding included.
    memcpy(out, image.bytes, DEVICE_IMAGE_SIZE);
    return DEVICE_IMAGE_SIZE;
}

int ReadSettingFile(DeviceImage& image, const char* path)
{
    if (!image.bytes || !path)
        return 0;
    std::vector<uint8_t> file(DEVICE_IMAGE_SIZE);
    size_t size = 0;
    if (!ReadWholeFile(path, file.data(), file.size(), &size))
        return 0;
    return MergeSettingBytes(image, file.data(), size);
}

int WriteSettingFile(const DeviceImage& image, const char* path)
{
    if (!path)
        return 0;
    std::vector<uint8_t> file(DEVICE_IMAGE_SIZE);
    size_t size = ComposeSettingBytes(image, file.data(), file.size());
    if (size == 0)
        return 0;
    return WriteWholeFileSafely(path, file.data(), size);
}
