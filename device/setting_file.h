// Setting data files: the device data image written out whole (252 records of 140 bytes, no
// header), and read back by merging records into the image by item id.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device/device_image.h"
#include "device/setting_file_io.h"

// Merges the bytes of a setting data file into `image`: the values of 0x10B03-0x10B06 are
// cleared first, then every image record takes length and value from the first whole file
// record with its id; foreign ids, a trailing partial record and padding are ignored. 1, or 0
// (image untouched) when there is no image or the bytes are more than an image's worth.
int MergeSettingBytes(DeviceImage& image, const uint8_t* bytes, size_t size);

// Copies the file form of `image` (DEVICE_IMAGE_SIZE bytes) into `out`, which holds
// `capacity` bytes; returns the number of bytes, or 0 when there is no image or no room.
size_t ComposeSettingBytes(const DeviceImage& image, uint8_t* out, size_t capacity);

// Opens `path` and merges it into the image; 1, or 0 when the file cannot be read or is larger
// than an image (the image is then unchanged).
int ReadSettingFile(DeviceImage& image, const char* path);

// Writes the image to `path`, replacing the file only when every byte is written; 1 or 0.
int WriteSettingFile(const DeviceImage& image, const char* path);
