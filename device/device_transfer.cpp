// The download and upload sequences and the upload skip rules.
#include "device/device_transfer.h"

#include <cstring>
#include <string>

#include "device/byte_order.h"
#include "device/device_protocol.h"
#include "device/device_transport.h"
#include "device/setting_file_io.h"

namespace {

std::string gDumpPath = DEFAULT_UPLOAD_DUMP_PATH;
bool gDumpEnabled = true;

constexpr int ANY_OTHER_VALUE = -1;
constexpr int MAX_SWITCHED = 5;

// A selector item and a value of its byte 0 switch off the listed items. ANY_OTHER_VALUE
// stands for every value the selector's other rules do not name.
struct SkipRule {
    uint32_t selector;
    int value;
    uint32_t items[MAX_SWITCHED];  // 0 ends the list
};

const SkipRule SKIP_RULES[] = {
    {0x10102, 0, {0x10103, 0x10104}},
    {0x10102, 1, {0x10101}},
    {0x10107, 0, {0x10108, 0x10109}},
    {0x10107, 1, {0x10106}},
    {0x1010A, 0, {0x1010B, 0x1010C}},
    {0x1010A, 1, {0x1010E}},
    {0x10407, 0, {0x1040B, 0x1040C}},
    {0x10407, 3, {0x10408, 0x10409, 0x1040A}},
    {0x10407, ANY_OTHER_VALUE, {0x10408, 0x10409, 0x1040A, 0x1040B, 0x1040C}},
    {0x10B03, 0, {0x10B04, 0x10B05, 0x10B06}},
    {0x10B03, 1, {0x10B05, 0x10B06}},
    {0x10B03, 2, {0x10B04}},
};

const uint8_t* RecordAt(const uint8_t* image, int record)
{
    return image + static_cast<size_t>(record) * ITEM_RECORD_SIZE;
}

uint8_t SelectorValue(const uint8_t* image, uint32_t selector)
{
    // Every record asks about every rule; the positions never change, so find them once.
    static const int SELECTOR_RECORDS[] = {FindItemRecord(0x10102), FindItemRecord(0x10107),
                                           FindItemRecord(0x1010A), FindItemRecord(0x10407),
                                           FindItemRecord(0x10B03)};
    int record = -1;
    for (int r : SELECTOR_RECORDS)
        if (r >= 0 && PositionItemId(r) == selector)
            record = r;
    return record < 0 ? 0 : RecordAt(image, record)[ITEM_VALUE_OFFSET];
}

bool NamesValue(uint32_t selector, int value)
{
    for (const SkipRule& rule : SKIP_RULES)
        if (rule.selector == selector && rule.value == value)
            return true;
    return false;
}

bool SwitchedOff(const uint8_t* image, uint32_t id)
{
    for (const SkipRule& rule : SKIP_RULES) {
        const int value = SelectorValue(image, rule.selector);
        const bool applies =
            rule.value == ANY_OTHER_VALUE ? !NamesValue(rule.selector, value) : rule.value == value;
        if (!applies)
            continue;
        for (uint32_t item : rule.items)
            if (item == id)
                return true;
    }
    return false;
}

void Report(const TransferProgress* progress, int done, int total = ITEM_COUNT)
{
    if (progress && progress->report)
        progress->report(progress->context, done, total);
}

// A length within the value area, or 0 for an absent or broken one (nothing to compare).
uint32_t ComparedLength(uint32_t length) { return length <= ITEM_VALUE_SIZE ? length : 0; }

bool SameRecord(const uint8_t* a, const uint8_t* b)
{
    const uint32_t length = ReadU32Le(a + ITEM_LENGTH_OFFSET);
    return length == ReadU32Le(b + ITEM_LENGTH_OFFSET) &&
           std::memcmp(a + ITEM_VALUE_OFFSET, b + ITEM_VALUE_OFFSET, ComparedLength(length)) == 0;
}

}  // namespace

int IsRecordUploaded(const uint8_t* image, int record)
{
    if (!image || record < 2 || record >= ITEM_COUNT)
        return 0;
    const uint8_t* at = RecordAt(image, record);
    if (ReadU32Le(at + ITEM_LENGTH_OFFSET) == ITEM_ABSENT)
        return 0;
    return SwitchedOff(image, ReadU32Le(at)) ? 0 : 1;
}

int DownloadImage(DeviceImage* image, const TransferProgress* progress)
{
    StopPollTimerHook();
    if (!image || !image->bytes || DeviceOpen() != 0)
        return 0;
    for (int record = 0; record < ITEM_COUNT; record++) {
        uint8_t* at = image->bytes + static_cast<size_t>(record) * ITEM_RECORD_SIZE;
        WriteU32Le(at + ITEM_LENGTH_OFFSET, 0);
        uint32_t length = 0;
        int ok = ReadItem(ReadU32Le(at), at + ITEM_VALUE_OFFSET, &length);
        WriteU32Le(at + ITEM_LENGTH_OFFSET, length);
        if (!ok)
            return 0;
        Report(progress, record + 1);
    }
    return 1;
}

int UploadImage(DeviceImage* image, const TransferProgress* progress)
{
    StopPollTimerHook();
    if (!image || !image->bytes || DeviceOpen() != 0)
        return 0;
    // Best effort: the dump is a record of what was sent, never a reason not to send it.
    if (gDumpEnabled)
        WriteWholeFileSafely(gDumpPath.c_str(), image->bytes, DEVICE_IMAGE_SIZE);

    for (int record = 0; record < ITEM_COUNT; record++) {
        if (IsRecordUploaded(image->bytes, record)) {
            const uint8_t* at = RecordAt(image->bytes, record);
            if (!WriteItem(ReadU32Le(at), at + ITEM_VALUE_OFFSET,
                           ReadU32Le(at + ITEM_LENGTH_OFFSET)))
                return 0;
        }
        Report(progress, record + 1);
    }
    // The commit follows the last record sent, whichever that is: a device without the last
    // Speed Dial entry must still get its upload applied.
    return CommitUpload();
}

int RecordDiffers(const uint8_t* a, const uint8_t* b, int record)
{
    if (!a || !b || record < 0 || record >= ITEM_COUNT)
        return 0;
    return SameRecord(RecordAt(a, record), RecordAt(b, record)) ? 0 : 1;
}

int ListChangedRecords(const uint8_t* device, const uint8_t* upload, int* records)
{
    int count = 0;
    for (int record = 0; record < ITEM_COUNT; record++)
        if (IsRecordUploaded(upload, record) && RecordDiffers(device, upload, record))
            records[count++] = record;
    return count;
}

int ReadBackRecords(const int* records, int count, uint8_t* readBack,
                    const TransferProgress* progress)
{
    if (!readBack || DeviceOpen() != 0)
        return 0;
    for (int i = 0; i < count; i++) {
        const int record = records[i];
        if (record < 0 || record >= ITEM_COUNT)
            continue;
        uint8_t* at = readBack + static_cast<size_t>(record) * ITEM_RECORD_SIZE;
        uint32_t length = 0;
        const int ok = ReadItem(ReadU32Le(at), at + ITEM_VALUE_OFFSET, &length);
        WriteU32Le(at + ITEM_LENGTH_OFFSET, length);
        if (!ok)
            return 0;
        Report(progress, i + 1, count);
    }
    return 1;
}

void SetUploadDumpPath(const char* path)
{
    gDumpEnabled = path != nullptr;
    gDumpPath = path ? path : "";
}

const char* UploadDumpPath() { return gDumpEnabled ? gDumpPath.c_str() : nullptr; }
