// The change list of an upload: which records it names (the selector rules, absent items and the
// device's own records stay out) and how each setting and dial entry is worded.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device/byte_order.h"
#include "device/device_transfer.h"
#include "devsim/sim_demo.h"
#include "devsim/sim_device.h"
#include "document/dial_records.h"
#include "resources/resource_ids.h"
#include "settings/device_changes.h"
#include "settings/forwarding.h"
#include "settings/reception_page.h"
#include "settings/system_page.h"

namespace {

// Words resolved into marks the expectations can spell: {S id}, {C template}, {T control},
// {L control}, with the few strings whose words matter written out.
std::string FakeString(void*, int id)
{
    switch (id) {
    case IDS_CHANGE_ON:
        return "On";
    case IDS_CHANGE_OFF:
        return "Off";
    case IDS_CHANGE_EMPTY:
        return "(empty)";
    case IDS_CHANGE_ITEM:
        return "Item %s";
    case IDS_CHANGE_QUICK_MEMBERS:
        return "Quick Dial %s";
    case IDS_CHANGE_SPEED_MEMBERS:
        return "Speed Dial %s";
    case IDS_FRAME_FAX:
        return "Fax";
    case IDS_FRAME_EMAIL:
        return "E-Mail";
    case IDS_COL_SUB:
        return "SUB";
    case IDS_COL_SID:
        return "SID";
    default:
        return "{S" + std::to_string(id) + "}";
    }
}
std::string FakeCaption(void*, int id) { return "{C" + std::to_string(id) + "}"; }
std::string FakeControl(void*, int, int control) { return "{T" + std::to_string(control) + "}"; }
std::string FakeLabel(void*, int, int control) { return "{L" + std::to_string(control) + "}"; }
const WordSource FAKE = {FakeString, FakeCaption, FakeControl, FakeLabel, nullptr};

std::string S(int id) { return FakeString(nullptr, id); }
std::string C(int id) { return FakeCaption(nullptr, id); }
std::string T(int control) { return FakeControl(nullptr, 0, control); }
std::string L(int control) { return FakeLabel(nullptr, 0, control); }
std::string Row(const std::string& where, const std::string& what, const std::string& before,
                const std::string& after)
{
    return where + " | " + what + " | " + before + " -> " + after;
}

class DeviceChanges : public ::testing::Test {
protected:
    void SetUp() override
    {
        SimDevice* sim = new SimDevice();
        SimInitDemo(sim);
        ASSERT_EQ(1, CreateDeviceImage(device));
        ASSERT_EQ(1, CreateDeviceImage(upload));
        std::memcpy(device.bytes, sim->items, DEVICE_IMAGE_SIZE);
        std::memcpy(upload.bytes, sim->items, DEVICE_IMAGE_SIZE);
        delete sim;
    }
    void TearDown() override
    {
        ReleaseDeviceImage(device);
        ReleaseDeviceImage(upload);
    }
    // The editors' way into an image: its edit state changed and committed.
    template <typename F>
    void Edit(DeviceImage& image, F change)
    {
        EditState* state = new EditState();
        LoadEditState(*state, image);
        change(*state);
        CommitEditState(*state, image);
        delete state;
    }
    std::vector<std::string> Rows(int a3Model = 0)
    {
        std::vector<std::string> rows;
        for (const ItemChange& c : ListChanges(device, upload, {a3Model}))
            rows.push_back(Row(RenderWords(c.where, FAKE), RenderWords(c.what, FAKE),
                               RenderWords(c.before, FAKE), RenderWords(c.after, FAKE)));
        return rows;
    }
    // Gives an item a value the upload sends (devices without it report it absent).
    void Present(uint32_t id)
    {
        for (DeviceImage* image : {&device, &upload})
            if (ReadU32Le(ImageItemRecord(*image, id) + ITEM_LENGTH_OFFSET) == ITEM_ABSENT)
                SetImageItemLength(*image, id, 4);
    }

    DeviceImage device = {nullptr};
    DeviceImage upload = {nullptr};
};

TEST_F(DeviceChanges, EqualDataAndWhatIsNeverSentGiveNoRows)
{
    EXPECT_TRUE(Rows().empty());
    ImageItemValue(upload, 0x4)[0] ^= 1;  // the counters and the configuration are never sent
    ImageItemValue(upload, 0x3)[0] ^= 1;
    EXPECT_TRUE(Rows().empty());
    SetImageItemLength(device, 0x10300, ITEM_ABSENT);
    SetImageItemLength(upload, 0x10300, ITEM_ABSENT);
    ImageItemValue(upload, 0x10300)[0] ^= 1;
    EXPECT_TRUE(Rows().empty()) << "an item the device lacks is not sent";
}

TEST_F(DeviceChanges, EachSettingIsWordedAsItsPageShowsIt)
{
    struct Case {
        void (*set)(EditState& state, bool after);
        std::string row;
    };
    const std::string system = C(IDD_PAGE_SYSTEM), reception = C(IDD_PAGE_RECEPTION);
    const Case cases[] = {
        {[](EditState& s, bool after) { s.system.autoReset = after ? 0 : 1; },
         Row(system, L(IDC_SYS_AUTO_RESET), "On", "Off")},
        {[](EditState& s, bool after) { s.system.functionPriority = after ? 4 : 0; },
         Row(system, L(IDC_SYS_PRIORITY_COPY), T(IDC_SYS_PRIORITY_COPY), T(IDC_SYS_PRIORITY_FAX))},
        {[](EditState& s, bool after) { s.system.country = after ? COUNTRY_GERMANY : 0; },
         Row(system, L(IDC_SYS_COUNTRY), S(IDS_COUNTRY_USA), S(IDS_COUNTRY_USA + COUNTRY_GERMANY))},
        {[](EditState& s, bool after) {
             s.system.languageSet = 0;
             s.system.language = after ? 4 : 0;
         },
         Row(system, L(IDC_SYS_LANGUAGE), S(IDS_LANG_ENGLISH), S(IDS_LANG_GERMAN))},
        {[](EditState& s, bool after) { s.system.energySaverMinutes = after ? 60 : 30; },
         Row(system, L(IDC_SYS_ENERGY_SAVER), "30 " + S(IDS_UNIT_MINUTES),
             "60 " + S(IDS_UNIT_MINUTES))},
        {[](EditState& s, bool after) { s.network.ipAddress = after ? 0x0201A8C0 : 0x0101A8C0; },
         Row(C(IDD_PAGE_NETWORK), L(IDC_NET_IP_ADDRESS), "192.168.1.1", "192.168.1.2")},
        {[](EditState& s, bool after) { std::strcpy(s.smtp.password, after ? "new" : "old"); },
         Row(C(IDD_PAGE_SMTP), L(IDC_SMTP_PASSWORD), "********", "********")},
        {[](EditState& s, bool after) {
             std::strcpy(s.smtp.serverName, after ? "mail.example.com" : "");
         },
         Row(C(IDD_PAGE_SMTP), L(IDC_SMTP_SERVER), "(empty)", "mail.example.com")},
        {[](EditState& s, bool after) { s.reception.rxPrintTimer = after ? 128 : 0; },
         Row(reception, L(IDC_RX_TIMER_ON), T(IDC_RX_TIMER_OFF), T(IDC_RX_TIMER_ON))},
        {[](EditState& s, bool after) {
             s.reception.rxPrintTimerRecord[RX_RECORD_FLAGS] = RX_TIMES_STORED;
             WriteU16Le(s.reception.rxPrintTimerRecord + RX_RECORD_START,
                        PackRxTime(after ? 9 : 8, 30));
         },
         Row(reception, L(IDC_RX_START_HOUR), "08:30", "09:30")},
        {[](EditState& s, bool after) {
             ClearForwardingDestination(s.forwarding);
             if (after) {
                 ForwardDestination d = {FORWARD_FAX, "", "0312345678", "12", ""};
                 StoreForwardingDestination(s.forwarding, d);
             }
         },
         Row(reception, C(IDD_FORWARDING), "(empty)", "Fax 0312345678, SUB 12")},
        {[](EditState& s, bool after) {
             std::strcpy(s.properties.deviceName, after ? "Back Office" : "Front Office");
         },
         Row(C(IDD_PROPERTIES), L(IDC_PROP_DEVICE_NAME), "Front Office", "Back Office")},
        {[](EditState& s, bool after) { s.restriction.enabled = after ? 1 : 0; },
         Row(C(IDD_PAGE_USER_RESTRICTION), L(IDC_UR_OFF), T(IDC_UR_OFF), T(IDC_UR_ON))},
        // No page shows the ring count's upper limit: the item itself, by number.
        {[](EditState& s, bool after) { s.reception.ringCountMax = after ? 9 : 15; },
         Row(reception, "Item 0x10403", "15", "9")},
    };
    for (const Case& c : cases) {
        SetUp();
        Edit(device, [&](EditState& s) { c.set(s, false); });
        Edit(upload, [&](EditState& s) { c.set(s, true); });
        EXPECT_EQ(std::vector<std::string>{c.row}, Rows());
        TearDown();
    }
}

TEST_F(DeviceChanges, ItemsASelectorSwitchesOffAreNotListed)
{
    struct Case {
        uint32_t selector;
        uint8_t value;
        uint32_t switchedOff;
        uint32_t stillSent;  // 0: the value switches off every item it rules
    };
    const Case cases[] = {
        {0x10102, 0, 0x10103, 0x10101}, {0x10102, 1, 0x10101, 0x10104},
        {0x10107, 0, 0x10109, 0x10106}, {0x10107, 1, 0x10106, 0x10108},
        {0x1010A, 0, 0x1010C, 0x1010E}, {0x1010A, 1, 0x1010E, 0x1010B},
        {0x10407, 0, 0x1040C, 0x1040A}, {0x10407, 3, 0x10409, 0x1040B},
        {0x10407, 1, 0x10408, 0},       {0x10407, 2, 0x1040C, 0},
        {0x10B03, 0, 0x10B05, 0},       {0x10B03, 1, 0x10B06, 0x10B04},
        {0x10B03, 2, 0x10B04, 0x10B05}, {0x10B03, 7, 0, 0x10B04},
    };
    for (const Case& c : cases) {
        SetUp();
        for (uint32_t id : {c.selector, c.switchedOff, c.stillSent})
            if (id)
                Present(id);
        ImageItemValue(device, c.selector)[0] = c.value;
        ImageItemValue(upload, c.selector)[0] = c.value;
        if (c.switchedOff) {
            ImageItemValue(upload, c.switchedOff)[0] ^= 0x11;
            EXPECT_TRUE(Rows().empty()) << std::hex << c.selector << "=" << int(c.value)
                                        << " still lists " << c.switchedOff;
        }
        if (c.stillSent) {
            ImageItemValue(upload, c.stillSent)[0] ^= 0x11;
            const std::vector<ItemChange> rows = ListChanges(device, upload, {0});
            ASSERT_EQ(1u, rows.size()) << std::hex << c.selector << "=" << int(c.value);
            EXPECT_EQ(c.stillSent, rows[0].item);
        }
        TearDown();
    }
}

DialRecord FaxEntry(const char* name, const char* number, const char* sub, uint8_t speed)
{
    DialRecord r = {};
    r.inUse = 1;
    r.destType = DEST_FAX;
    std::strcpy(r.name, name);
    std::strcpy(r.faxNumber, number);
    std::strcpy(r.sub, sub);
    r.speed = speed;
    return r;
}

TEST_F(DeviceChanges, DialEntriesAreNamedByNumberAndShownWithTheirDestination)
{
    Edit(device, [](EditState& s) {
        DialRecord alice = FaxEntry("Alice", "0312345678", "", 2);
        EncodeSpeedEntry(s, &alice, 5);
        DialRecord depot = FaxEntry("Depot", "0401", "77", 0);
        EncodeQuickKey(s, &depot, 9);
    });
    Edit(upload, [](EditState& s) {
        DialRecord alicia = FaxEntry("Alicia", "0312345678", "", 2);
        EncodeSpeedEntry(s, &alicia, 5);
        DialRecord bob = {};
        bob.inUse = 1;
        bob.destType = DEST_EMAIL;
        std::strcpy(bob.name, "Bob");
        std::strcpy(bob.email, "bob@example.com");
        EncodeSpeedEntry(s, &bob, 20);
        std::memset(s.quickDial.entries[9], 0, DIAL_ENTRY_SIZE);  // Depot deleted
        s.quickDial.lengths[9] = 0;
        std::memset(s.quickDial.entries[26], 0, DIAL_ENTRY_SIZE);  // the program key cleared
        s.quickDial.lengths[26] = 0;
        DialRecord sales = {};
        DecodeGroupKey(&sales, s, 4);
        sales.members[2].index = 10;  // Speed Dial 02 -> 10
        EncodeGroupRecord(s, sales, 4);
    });
    const std::string quick = S(IDS_QUICK_DIAL_LIST), speed = S(IDS_SPEED_DIAL_LIST);
    const std::vector<std::string> expected = {
        Row(S(IDS_GROUP_LIST), "05  Sales Team", "Sales Team: Quick Dial 01; Speed Dial 00, 02",
            "Sales Team: Quick Dial 01; Speed Dial 00, 10"),
        Row(quick, "10  Depot", "Depot, Fax 0401, SUB 77, " + S(IDS_SPEED_9600), "(empty)"),
        Row(quick, "27  " + S(IDS_PROGRAM_DIAL), S(IDS_PROGRAM_DIAL), "(empty)"),
        Row(speed, "05  Alicia", "Alice, Fax 0312345678, " + S(IDS_SPEED_9600 + 2),
            "Alicia, Fax 0312345678, " + S(IDS_SPEED_9600 + 2)),
        Row(speed, "20  Bob", "(empty)", "Bob, E-Mail bob@example.com"),
    };
    EXPECT_EQ(expected, Rows());
}

// The whole data in the same rows: every record an upload sends, none other, each with its value.
TEST_F(DeviceChanges, ListSettingsShowsEverySentRecordWithItsValue)
{
    std::vector<int> seen(ITEM_COUNT, 0);
    std::string name, branch;
    for (const ItemChange& c : ListSettings(device, {0})) {
        EXPECT_TRUE(c.before == c.after);
        seen[c.record] = 1;
        if (c.item == 0x10C04)
            name = RenderWords(c.after, FAKE);
        if (c.item == 0x12072)  // Speed Dial 02
            branch = RenderWords(c.after, FAKE);
    }
    // A record without a row of its own is the second byte of a field another record's row
    // shows; a change to it alone is still listed.
    for (int record = 0; record < ITEM_COUNT; record++) {
        if (seen[record] || !IsRecordUploaded(device.bytes, record)) {
            EXPECT_EQ(IsRecordUploaded(device.bytes, record), seen[record]) << "record " << record;
            continue;
        }
        std::memcpy(upload.bytes, device.bytes, DEVICE_IMAGE_SIZE);
        ItemRecordBytes(upload, record)[ITEM_VALUE_OFFSET] ^= 0x10;
        EXPECT_FALSE(ListChanges(device, upload, {0}).empty()) << "record " << record;
    }
    EXPECT_EQ("Front Office MFP", name);
    EXPECT_EQ("Branch Leeds, Fax 01134960999, " + S(IDS_SPEED_14400), branch);
}

TEST(ChangeWords, LabelsLoseTheirAccessKeysAndColons)
{
    EXPECT_EQ("Energy Saver Timer", PlainLabel("&Energy Saver Timer:"));
    EXPECT_EQ("Password", PlainLabel("Pass&word :"));
    EXPECT_EQ("R&D", PlainLabel("R&&D"));
    EXPECT_EQ("On", PlainLabel("On"));
}

}  // namespace
