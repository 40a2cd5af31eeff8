// The dial directory as the editors hold it: the 30 Quick Dial keys (entries and groups share
// them) and the 90 Speed Dial entries, each in its 130-byte stored form with the length of its
// image record. They mirror image records 132-161 and 162-251; LoadEditState and
// StoreEditState carry them across. The program's tables are part of its edit state
// (EditState::quickDial, EditState::speedDial).
#pragma once

#include <cstdint>

constexpr int QUICK_KEY_COUNT = 30;
constexpr int SPEED_DIAL_COUNT = 90;
constexpr int DIAL_ENTRY_SIZE = 130;
// Keys 27 to 30 are the program-dial keys on both models.
constexpr int PROGRAM_KEY_FIRST = 26;
constexpr int PROGRAM_KEY_COUNT = 4;

struct QuickDialTable {
    uint8_t entries[QUICK_KEY_COUNT][DIAL_ENTRY_SIZE];  // key i (shown as i + 1) = item 0x12000 + i
    uint32_t lengths[QUICK_KEY_COUNT];                  // the image record's length of key i
};

struct SpeedDialTable {
    uint8_t entries[SPEED_DIAL_COUNT][DIAL_ENTRY_SIZE];  // entry i (shown as i) = item 0x12070 + i
    uint32_t lengths[SPEED_DIAL_COUNT];
};
