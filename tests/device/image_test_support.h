// Shared set-up for the device image tests: a fresh image and edit state for every test, and
// helpers that fill the image with reproducible random bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "device/byte_order.h"
#include "document/document.h"
#include "document/dial_tables.h"

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, CreateDeviceImage(gDocument.image));
        ResetDeviceImage(gDocument.image);
        memset(&gDocument.edit, 0, sizeof gDocument.edit);
    }

    std::vector<uint8_t> ImageCopy() const
    {
        return std::vector<uint8_t>(gDocument.image.bytes, gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    }

    // Random bytes in every byte of the image, ids included.
    void FillImageRandomly(unsigned seed)
    {
        std::mt19937 rng(seed);
        for (int i = 0; i < DEVICE_IMAGE_SIZE; i++)
            gDocument.image.bytes[i] = static_cast<uint8_t>(rng());
    }

    // Random lengths a device could report (0..130 or absent), random values and padding; the
    // ids stay those of the position table.
    void FillRecordsRandomly(unsigned seed)
    {
        std::mt19937 rng(seed);
        for (int r = 0; r < ITEM_COUNT; r++) {
            uint8_t* record = ItemRecordBytes(gDocument.image, r);
            uint32_t length = rng() % 140;
            SetItemLength(gDocument.image, r, length > ITEM_VALUE_SIZE ? ITEM_ABSENT : length);
            for (int i = ITEM_VALUE_OFFSET; i < ITEM_RECORD_SIZE; i++)
                record[i] = static_cast<uint8_t>(rng());
        }
    }
};

// First record index whose bytes differ between two images, or -1.
inline int FirstDifferentRecord(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    for (int r = 0; r < ITEM_COUNT; r++) {
        if (memcmp(a.data() + r * ITEM_RECORD_SIZE, b.data() + r * ITEM_RECORD_SIZE,
                   ITEM_RECORD_SIZE) != 0)
            return r;
    }
    return -1;
}
