// Fuzz target: any bytes as a setting data file, merged into the image, then the edit state
// loaded from it and stored back. Nothing may read or write outside the image or the fields,
// and the round trip must not change the image.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "document/document.h"
#include "device/setting_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static uint8_t before[DEVICE_IMAGE_SIZE];
    if (!gDocument.image.bytes && !CreateDeviceImage(gDocument.image))
        return 0;
    ResetDeviceImage(gDocument.image);
    MergeSettingBytes(gDocument.image, data, size);
    for (int r = 0; r < ITEM_COUNT; r++) {
        const uint32_t length = ItemLength(gDocument.image, r);
        if (length != ITEM_ABSENT && length > static_cast<uint32_t>(ITEM_VALUE_SIZE))
            abort();  // a length that reaches past the value area got through
    }
    memcpy(before, gDocument.image.bytes, DEVICE_IMAGE_SIZE);
    RevertEdits(gDocument);
    gDocument.edit.forwarding.isEmail = size > 0 && (data[0] & 1);
    CommitEdits(gDocument);
    if (memcmp(before, gDocument.image.bytes, DEVICE_IMAGE_SIZE) != 0)
        abort();
    return 0;
}
