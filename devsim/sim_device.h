// The simulated device: the device side of the command protocol as one plain model, shared by
// the in-process `sim` backend, the devsim TCP server and the tests.
//
// The model owns the device's items (a 252-record state buffer in the same layout as the
// device data image), answers status queries, reads and writes, keeps remote mode with an
// inactivity timeout, holds writes until a commit applies them, restarts (is gone for a while)
// after a commit that asks for it, and injects faults on request. It is fed the bytes the
// program writes and hands out the bytes the program reads; time comes in as a millisecond
// clock value with every call, so tests can move it at will.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "device/device_image.h"

constexpr uint16_t SIM_VENDOR_ID = 0x0A5F;
constexpr uint16_t SIM_PRODUCT_ID = 0x2A02;
constexpr uint16_t SIM_RELEASE = 0x0100;
constexpr uint16_t SIM_LANGUAGE = 0x0409;

// The status a device reports while a remote mode is open: not one the program singles out,
// so it reads as "the link is healthy".
constexpr uint8_t SIM_STATUS_REMOTE = 4;

constexpr uint32_t SIM_IDLE_TIMEOUT_MS = 120000;
constexpr uint32_t SIM_RESTART_MS = 10000;
// What a device announces for an item under the oversize fault: more than any record holds.
constexpr uint32_t SIM_OVERSIZE_LENGTH = 200;

constexpr int SIM_NO_FAULT = -1;

struct SimFaults {
    uint8_t silent;       // 1: the link opens and the descriptor comes, but nothing is answered
    int forcedStatus;     // a status byte every query gets, or SIM_NO_FAULT
    int dropAtRecord;     // the link drops when a read or write of this record arrives (once)
    int muteAtRecord;     // from a read or write of this record on, nothing is answered
    int oversizeRecord;   // reading this record announces SIM_OVERSIZE_LENGTH bytes
    int panelEditRecord;  // once a read of the last record ends a download, this record's
                          // value changes, as if someone edited it at the panel (once)
    uint8_t keepsOldValue[ITEM_COUNT];  // 1: writes to the record are taken, but the commit
                                        // leaves its old value
};

// One packet as the device received it, for tests and end-to-end checks.
struct SimPacket {
    uint8_t operation;
    uint32_t code;
    uint32_t length;
    std::vector<uint8_t> data;
};

typedef void (*SimLogFunction)(void* context, const char* line);

struct SimDevice {
    // Configuration
    uint16_t vendorId;
    uint16_t productId;
    uint32_t idleTimeoutMs;
    uint32_t restartMs;
    SimFaults faults;

    // The device's items, and the writes waiting for a commit
    uint8_t items[DEVICE_IMAGE_SIZE];
    uint8_t staged[DEVICE_IMAGE_SIZE];
    uint8_t stagedRecord[ITEM_COUNT];

    // Device state
    uint8_t remoteMode;
    uint8_t timedOut;  // remote mode ended by the inactivity timeout, until the next
                       // remote-mode command
    uint8_t error;     // a broken packet arrived, until the next remote-mode begin
    uint8_t restarting;
    uint64_t restartEndsMs;
    uint64_t lastActivityMs;
    uint8_t linkUp;  // a link (open pipes, a TCP connection) is established

    // Byte streams of the current link
    std::vector<uint8_t> input;   // from the program, not yet a whole packet
    std::vector<uint8_t> output;  // for the program, not yet read

    // Counters and records
    uint32_t packetCount;
    uint32_t commitCount;
    uint32_t restartCount;
    uint32_t droppedLinks;
    uint8_t capturePackets;
    std::vector<SimPacket> received;
    SimLogFunction log;
    void* logContext;
};

// Default configuration, no faults, every item empty, powered on and idle. SimInitDemo
// (sim_demo.h) gives it the demo device's content.
void SimInit(SimDevice* device);

// Replaces the items with those of a setting data file's bytes, matched by id; records of
// unknown ids and a trailing partial record are ignored, a length above the value area is taken
// as ITEM_ABSENT. 1, or 0 (items unchanged) when the bytes are more than an image's worth.
int SimLoadState(SimDevice* device, const uint8_t* bytes, size_t size);

// Record accessors of the items; nullptr / 0 for a bad record.
int SimRecordOf(uint32_t id);  // the record of item id, or -1
uint8_t* SimItemValue(SimDevice* device, int record);
uint32_t SimItemLength(const SimDevice* device, int record);
void SimSetItem(SimDevice* device, int record, const uint8_t* value, uint32_t length);
// Makes a record absent (ITEM_ABSENT), as a device without the item reports; 1, or 0 for a
// bad record.
int SimMakeAbsent(SimDevice* device, int record);

// The descriptor the device gives: vendor, product, release, language (u16 LE each).
void SimDescriptor(const SimDevice* device, uint8_t* descriptor);

// Runs the clocks: ends a timed-out remote mode, ends a restart.
void SimTick(SimDevice* device, uint64_t nowMs);

// Establishes a link; 1, or 0 while the device is restarting. Any earlier link is replaced.
int SimConnect(SimDevice* device, uint64_t nowMs);
// Ends the link; writes not yet committed are forgotten.
void SimDisconnect(SimDevice* device);

// Bytes written by the program. Whole packets are acted on at once; replies go to `output`.
// The link may drop on the way (linkUp becomes 0).
void SimReceive(SimDevice* device, const uint8_t* bytes, size_t count, uint64_t nowMs);

// Takes up to `capacity` reply bytes; how many were taken.
size_t SimTakeOutput(SimDevice* device, uint8_t* buffer, size_t capacity);

// The status byte a query gets right now.
uint8_t SimStatus(const SimDevice* device);

// Parses a fault text as devsim's --fault takes it: "silent", "status=N", "drop-at=RECORD",
// "mute-at=RECORD", "oversize=RECORD", "absent=RECORD" or "absent=0xID", "ignore=RECORD" or
// "ignore=0xID" (the commit keeps the item's old value; may be given for several items),
// "panel-edit=RECORD" or "panel-edit=0xID" (the item changes after a download), "product-id=HEX".
// 1, or 0 for a text it does not know (nothing changed).
int SimApplyFault(SimDevice* device, const char* text);
