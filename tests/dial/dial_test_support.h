// Shared set-up for the dial tests: a fresh image, edit state, dial tables and model for every
// test, and helpers that lay out stored entries byte by byte as the device keeps them, so the
// tests never build their expectations with the code under test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/app_state.h"
#include "document/document.h"
#include "document/dial_records.h"

class DialTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, CreateDeviceImage(gDocument.image));
        ResetDeviceImage(gDocument.image);
        memset(&gDocument.edit, 0, sizeof gDocument.edit);
        ResetAppState(&gApp);
        gApp.quickKeyCount = QUICK_KEY_COUNT;
    }

    static uint8_t* Key(int index) { return gDocument.edit.quickDial.entries[index]; }
    static uint8_t* Speed(int index) { return gDocument.edit.speedDial.entries[index]; }
    static uint32_t KeyLength(int index) { return gDocument.edit.quickDial.lengths[index]; }
    static uint32_t SpeedLength(int index) { return gDocument.edit.speedDial.lengths[index]; }
    static std::vector<uint8_t> Bytes(const uint8_t* entry)
    {
        return std::vector<uint8_t>(entry, entry + DIAL_ENTRY_SIZE);
    }
};

inline void Put(uint8_t* at, std::initializer_list<uint8_t> bytes)
{
    for (uint8_t b : bytes)
        *at++ = b;
}

inline void PutText(uint8_t* at, const std::string& text) { memcpy(at, text.data(), text.size()); }

// A stored Quick Dial fax key: number "0312345678", device-charset name "M\x81ller" (Müller),
// SUB "12", SID "345", 14.4K, dated 2024-05-17.
inline void PutQuickFax(uint8_t* entry, int index, uint8_t flags = FLAG_FAX | FLAG_QUICK)
{
    memset(entry, 0, DIAL_ENTRY_SIZE);
    Put(entry, {static_cast<uint8_t>(index + 1), flags, 10, 0, 6});
    PutText(entry + 5, "M\x81ller");
    Put(entry + 26, {0xB1, 0x30});  // 24 << 9 | 5 << 5 | 17
    Put(entry + 30, {3, 2, 3});
    Put(entry + 33, {0x30, 0x21, 0x43, 0x65, 0x87});
    Put(entry + 58, {0x21});
    Put(entry + 68, {0x43, 0x05});
}

// A stored Quick Dial e-mail key: "a.b@example.com", name "Jos\x82" (José), custom scan on, size
// code 1, resolution "Fine" (2), coding MMR.
inline void PutQuickEmail(uint8_t* entry, int index, uint8_t flags = FLAG_EMAIL | FLAG_QUICK)
{
    memset(entry, 0, DIAL_ENTRY_SIZE);
    Put(entry, {static_cast<uint8_t>(index + 1), flags, 15, 0, 4});
    PutText(entry + 5, "Jos\x82");
    Put(entry + 26, {0x21, 0x2C});
    Put(entry + 30, {1, 1, 2, 2});
    PutText(entry + 34, "a.b@example.com");
}

// A stored group with the given stored member pairs {table, number} and name "Sales".
inline void PutGroup(uint8_t* entry, int index,
                     std::initializer_list<std::pair<uint8_t, uint8_t>> members)
{
    memset(entry, 0, DIAL_ENTRY_SIZE);
    Put(entry,
        {static_cast<uint8_t>(index + 1), FLAG_HIGH, static_cast<uint8_t>(members.size()), 0, 5});
    PutText(entry + 5, "Sales");
    Put(entry + 26, {0x01, 0x32});
    uint8_t* pair = entry + 30;
    for (const auto& m : members) {
        pair[0] = m.first;
        pair[1] = m.second;
        pair += 2;
    }
}

// A stored Speed Dial fax entry: number "5551234", name "Bob", no SUB, 33.6K.
inline void PutSpeedFax(uint8_t* entry, int index, uint8_t flags = FLAG_FAX | FLAG_SPEED)
{
    memset(entry, 0, DIAL_ENTRY_SIZE);
    Put(entry, {static_cast<uint8_t>((index + 1) | 0x80), flags, 7, 3});
    PutText(entry + 4, "Bob");
    Put(entry + 24, {0x11, 0x31});
    Put(entry + 26, {4, 0, 0});
    Put(entry + 29, {0x55, 0x15, 0x32, 0x04});
}

// A stored Speed Dial e-mail entry: "x@y.org", name "\x9a" (Ü), custom scan off.
inline void PutSpeedEmail(uint8_t* entry, int index, uint8_t flags = FLAG_EMAIL | FLAG_SPEED)
{
    memset(entry, 0, DIAL_ENTRY_SIZE);
    Put(entry, {static_cast<uint8_t>((index + 1) | 0x80), flags, 7, 1});
    PutText(entry + 4, "\x9a");
    Put(entry + 24, {0x11, 0x31});
    Put(entry + 26, {0, 2, 1, 0});
    PutText(entry + 30, "x@y.org");
}

// First byte position at which two entries differ, or -1.
inline int FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    for (size_t i = 0; i < a.size() && i < b.size(); i++) {
        if (a[i] != b[i])
            return static_cast<int>(i);
    }
    return a.size() == b.size() ? -1 : static_cast<int>(std::min(a.size(), b.size()));
}
