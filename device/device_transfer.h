// Download and upload: the whole device data image exchanged record by record with the
// device over the command protocol, and the rules that leave items out of an upload.
#pragma once

#include <cstdint>

#include "device/device_image.h"

// Progress of a transfer: `done` of `total` records handled, reported after every record
// (also the ones an upload skips). The window paints it directly, without taking input.
struct TransferProgress {
    void (*report)(void* context, int done, int total);
    void* context;
};

// Reads all 252 records into `image` (normally the document's), in record order: each record's
// length becomes the device's reply length and its value the bytes that followed. Stops timer
// 1 (hook) and opens the device first. 1 when every record was exchanged; 0 on the first
// failure, with the records before it holding the device's data, the failing one length 0 (or
// the announced length when only its value bytes failed) and the rest as they were. A reply
// that announces more than the value area holds fails the transfer. The pipes stay open.
int DownloadImage(DeviceImage* image, const TransferProgress* progress);

// Writes the upload dump, then sends every record the device should take (IsRecordUploaded),
// in record order, and ends with CommitUpload. Stops timer 1 (hook) and opens the device
// first. 1 only when the commit was sent; 0 on the first failed write or when the device cannot
// be opened. Nothing is read back. The pipes stay open.
int UploadImage(DeviceImage* image, const TransferProgress* progress);

// 1 when record `record` of `image` goes to the device: not 0x3 or 0x4, not absent
// (ITEM_ABSENT), and not switched off by its selector item's byte 0 (0x10102, 0x10107,
// 0x1010A, 0x10407, 0x10B03).
int IsRecordUploaded(const uint8_t* image, int record);

// 1 when record `record` differs between two images: its length, or the value bytes within
// that length. Records that are absent in both are equal.
int RecordDiffers(const uint8_t* a, const uint8_t* b, int record);

// The records an upload of `upload` changes on a device that holds `device`: those it sends
// (IsRecordUploaded) whose length or value differ. Written to `records` (room for ITEM_COUNT)
// in record order; returns how many.
int ListChangedRecords(const uint8_t* device, const uint8_t* upload, int* records);

// Reads back `count` records (an upload's changed ones) on the device's pipes, opening them
// first, into `readBack`, an image whose other records stay as they are: a copy of what was
// sent then differs from it exactly where the device did not take something
// (ListChangedRecords). 1 when every record was read; 0 on the first failed read or when the
// device cannot be opened. Progress counts the records read.
int ReadBackRecords(const int* records, int count, uint8_t* readBack,
                    const TransferProgress* progress);

// The upload dump file, the image as it was when the upload began. nullptr writes none.
constexpr char DEFAULT_UPLOAD_DUMP_PATH[] = "c:\\QVUPLOAD_DATA.txt";
void SetUploadDumpPath(const char* path);  // the text is copied
const char* UploadDumpPath();
