// The device information dialogs' rules: which text each installed-option byte of item 0x3
// shows, and what the Properties dialog's OK writes (the device name and fax number with their
// image lengths, then the whole edit state).
#pragma once

#include <cstdint>

#include "document/document.h"

// The string ids the Device Info dialog shows. The Ethernet board byte is made 0 or 1 in the
// edit state first, as the settings sheet does.
struct DeviceInfoTexts {
    int adf;
    int optionalTray;
    int bypassTray;
    int ethernetBoard;
    unsigned memoryMb;
};
DeviceInfoTexts DescribeDeviceOptions(EditState& state);

constexpr int DEVICE_NAME_CHARS = DEVICE_NAME_SIZE - 4;              // 32
constexpr int DEVICE_FAX_NUMBER_CHARS = DEVICE_FAX_NUMBER_SIZE - 4;  // 20

// The Properties dialog's work copy.
struct PropertiesWork {
    char name[DEVICE_NAME_SIZE + 1];
    char faxNumber[DEVICE_FAX_NUMBER_SIZE + 1];
};
PropertiesWork TakePropertiesWork(const EditState& state);
// A field of the work copy: cleared whole, the text copied in (cut to `chars`).
void SetWorkText(char* field, int size, int chars, const char* text);
// OK: the work copy into the edit state, the lengths of 0x10C04 and 0x10C02 set to the texts'
// lengths (an item the device lacks stays absent), then the whole edit state committed. 1, or 0
// when the document has no image.
int CommitProperties(const PropertiesWork& work, Document& doc);
