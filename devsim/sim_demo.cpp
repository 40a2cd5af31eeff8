// The demo device: a small office unit with ADF, a second tray, bypass tray and network board,
// a few years of counters, its settings, and a handful of address book entries in the device's
// own 130-byte forms. Its firmware predates the scanner's divide settings and the fax tray
// priority, so those items are absent, as on such a device.
#include <cstring>

#include "device/byte_order.h"
#include "devsim/sim_demo.h"

namespace {

constexpr uint16_t ENTRY_DATE = ((2024 + 48) % 128) * 512 + 3 * 32 + 15;  // 15 March 2024
constexpr char DIAL_DIGITS[] = "0123456789*#P +-";

struct Builder {
    SimDevice* device;
    uint8_t value[ITEM_VALUE_SIZE];

    uint8_t* Start()
    {
        std::memset(value, 0, sizeof value);
        return value;
    }
    void Put(uint32_t id, uint32_t length) { SimSetItem(device, SimRecordOf(id), value, length); }
    void Byte(uint32_t id, uint8_t v)
    {
        Start()[0] = v;
        Put(id, 1);
    }
    void U16(uint32_t id, uint16_t v)
    {
        WriteU16Le(Start(), v);
        Put(id, 2);
    }
    void U32(uint32_t id, uint32_t v)
    {
        WriteU32Le(Start(), v);
        Put(id, 4);
    }
    void Address(uint32_t id, uint8_t a, uint8_t b, uint8_t c, uint8_t d)
    {
        uint8_t* v = Start();
        v[0] = a;
        v[1] = b;
        v[2] = c;
        v[3] = d;
        Put(id, 4);
    }
    // Texts are sent as long as they are, without the terminator.
    void Text(uint32_t id, const char* text)
    {
        size_t n = std::strlen(text);
        std::memcpy(Start(), text, n);
        Put(id, static_cast<uint32_t>(n));
    }
    void Zeros(uint32_t id, uint32_t length)
    {
        Start();
        Put(id, length);
    }
};

// Two dial characters a byte, the first in the low nibble.
void Pack(uint8_t* out, const char* text)
{
    for (size_t i = 0; text[i]; i++) {
        const char* at = std::strchr(DIAL_DIGITS, text[i]);
        uint8_t nibble = at ? static_cast<uint8_t>(at - DIAL_DIGITS) : 0;
        out[i / 2] |= static_cast<uint8_t>(i % 2 ? nibble << 4 : nibble);
    }
}

uint8_t Len(const char* text) { return static_cast<uint8_t>(std::strlen(text)); }

void QuickFax(Builder& b, int key, const char* name, const char* number, uint8_t speedCode,
              const char* sub, const char* sid)
{
    uint8_t* v = b.Start();
    v[0] = static_cast<uint8_t>(key + 1);
    v[1] = 0x02 | 0x08;  // fax, Quick Dial
    v[2] = Len(number);
    v[4] = Len(name);
    std::memcpy(v + 5, name, Len(name));
    WriteU16Le(v + 26, ENTRY_DATE);
    v[30] = speedCode;
    v[31] = Len(sub);
    v[32] = Len(sub) ? Len(sid) : 0;
    Pack(v + 33, number);
    Pack(v + 58, sub);
    Pack(v + 68, sid);
    b.Put(0x12000 + static_cast<uint32_t>(key), 78);
}

void QuickEmail(Builder& b, int key, const char* name, const char* address)
{
    uint8_t* v = b.Start();
    v[0] = static_cast<uint8_t>(key + 1);
    v[1] = 0x01 | 0x08;  // e-mail, Quick Dial
    v[2] = Len(address);
    v[4] = Len(name);
    std::memcpy(v + 5, name, Len(name));
    WriteU16Le(v + 26, ENTRY_DATE);
    v[30] = 0;  // no custom scan
    v[31] = 2;  // A4
    v[32] = 1;  // Detail
    v[33] = 0;  // MH
    std::memcpy(v + 34, address, Len(address));
    b.Put(0x12000 + static_cast<uint32_t>(key), 98);
}

// Members are {table, index}: table 8 a Quick Dial key, 4 a Speed Dial entry; Quick Dial first.
void Group(Builder& b, int key, const char* name, const uint8_t (*members)[2], int count)
{
    uint8_t* v = b.Start();
    v[0] = static_cast<uint8_t>(key + 1);
    v[1] = 0x80;
    v[2] = static_cast<uint8_t>(count);
    v[4] = Len(name);
    std::memcpy(v + 5, name, Len(name));
    WriteU16Le(v + 26, ENTRY_DATE);
    for (int k = 0; k < count; k++) {
        v[30 + 2 * k] = members[k][0];
        v[31 + 2 * k] = static_cast<uint8_t>(members[k][1] + 1);
    }
    b.Put(0x12000 + static_cast<uint32_t>(key), 130);
}

void SpeedFax(Builder& b, int index, const char* name, const char* number, uint8_t speedCode)
{
    uint8_t* v = b.Start();
    v[0] = static_cast<uint8_t>((index + 1) | 0x80);
    v[1] = 0x06;  // fax, Speed Dial
    v[2] = Len(number);
    v[3] = Len(name);
    std::memcpy(v + 4, name, Len(name));
    WriteU16Le(v + 24, ENTRY_DATE);
    v[26] = speedCode;
    Pack(v + 29, number);
    b.Put(0x12070 + static_cast<uint32_t>(index), 74);
}

// `name` is already in the device's character set.
void SpeedEmail(Builder& b, int index, const char* name, const char* address)
{
    uint8_t* v = b.Start();
    v[0] = static_cast<uint8_t>((index + 1) | 0x80);
    v[1] = 0x05;  // e-mail, Speed Dial
    v[2] = Len(address);
    v[3] = Len(name);
    std::memcpy(v + 4, name, Len(name));
    WriteU16Le(v + 24, ENTRY_DATE);
    v[26] = 1;  // custom scan
    v[27] = 2;  // A4
    v[28] = 2;  // Fine
    v[29] = 2;  // MMR
    std::memcpy(v + 30, address, Len(address));
    b.Put(0x12070 + static_cast<uint32_t>(index), 94);
}

void Settings(Builder& b)
{
    // Device configuration: ADF, optional tray, network board, bypass tray; 64 MB; metric.
    uint8_t* v = b.Start();
    v[0] = 1;
    v[1] = 1;
    v[2] = 1;
    v[3] = 1;
    WriteU16Le(v + 4, 64);
    v[6] = 0;
    b.Put(0x3, 8);

    // Counters: scan, full colour, black-and-white, level colour, then the device's others.
    const uint32_t counters[13] = {15234, 8412, 40188, 1020, 3977, 612, 48, 0, 0, 0, 0, 0, 0};
    v = b.Start();
    for (int i = 0; i < 13; i++)
        WriteU32Le(v + 4 * i, counters[i]);
    b.Put(0x4, 52);

    // System: UK, English, auto reset after 2 min., energy saver 15 min., auto off 60 min.
    b.Byte(0x1000B, 1);
    b.Byte(0x10000, 1);
    b.Byte(0x10001, 2);
    b.U32(0x10002, 15);
    b.Byte(0x10005, 0);
    b.Byte(0x10006, 0);
    b.Byte(0x10003, 1);
    b.U32(0x10004, 60);
    b.Byte(0x10007, 16);
    b.Byte(0x10008, 4);
    b.Byte(0x10009, 1);
    b.Byte(0x1000A, 0);
    b.Byte(0x1000C, 0);

    // Paper: plain A4 in both trays and the bypass tray, paper sizes rather than custom ones.
    b.Byte(0x10100, 0);
    b.Byte(0x10101, 2);
    b.Byte(0x10102, 0);
    b.U16(0x10103, 210);
    b.U16(0x10104, 297);
    b.Byte(0x10105, 0);
    b.Byte(0x10106, 2);
    b.Byte(0x10107, 0);
    b.U16(0x10108, 210);
    b.U16(0x10109, 297);
    b.Byte(0x1010A, 0);
    b.U16(0x1010B, 100);
    b.U16(0x1010C, 148);
    b.Byte(0x1010D, 0);
    b.Byte(0x1010E, 2);
    b.Byte(0x1010F, 1);
    b.Byte(0x10110, 1);
    b.Byte(0x10111, 0);
    b.Byte(0x10112, 0);

    // Copier.
    const uint32_t copyIds[] = {0x10200, 0x10201, 0x10202, 0x10203, 0x10204, 0x10205,
                                0x10206, 0x10207, 0x10209, 0x1020A, 0x1020B, 0x1020C,
                                0x1020D, 0x1020E, 0x1020F, 0x10210, 0x10211, 0x10212};
    const uint8_t copyValues[] = {0, 0, 1, 1, 2, 1, 0, 0, 0, 2, 2, 2, 2, 2, 0, 0, 0, 0};
    for (size_t i = 0; i < sizeof copyIds / sizeof copyIds[0]; i++)
        b.Byte(copyIds[i], copyValues[i]);

    // Transmission: fine resolution, memory transmission, header printed, 2 resends.
    const uint8_t tx[] = {1, 1, 0, 2, 16, 2, 5, 3, 0x10};
    for (uint32_t i = 0; i < sizeof tx; i++)
        b.Byte(0x10300 + i, tx[i]);

    // Reception: memory reception, 2 rings, forwarding off.
    b.Byte(0x10400, 0);
    b.Zeros(0x10401, 12);
    b.Byte(0x10402, 2);
    b.Byte(0x10403, 15);
    b.Byte(0x10404, 0);
    b.Byte(0x10405, 1);
    b.Byte(0x10406, 8);
    b.Byte(0x10407, 0);
    for (uint32_t i = 0; i < 5; i++)
        b.Byte(0x10408 + i, static_cast<uint8_t>(i + 1));
    b.Byte(0x1040D, 64);
    b.Zeros(0x1040E, 72);
    b.Byte(0x1040F, 16);
    b.Byte(0x10410, 0);

    // Line: push button on a public line, no PABX prefix. Reports.
    b.Byte(0x10500, 0);
    b.Byte(0x10501, 8);
    b.Byte(0x10502, 0);
    b.Zeros(0x10504, 0);
    b.Byte(0x10600, 1);
    b.Byte(0x10601, 1);
    b.Byte(0x10602, 0);

    // Network: a fixed address on the office network.
    b.Byte(0x10700, 4);
    b.Address(0x10702, 192, 168, 1, 50);
    b.Address(0x10704, 255, 255, 255, 0);
    b.Address(0x10706, 192, 168, 1, 1);
    b.Byte(0x10707, 128);
    b.Address(0x10709, 192, 168, 1, 1);
    b.Byte(0x1070A, 0);

    // LDAP: not set up.
    b.Text(0x10801, "");
    b.Text(0x10803, "");
    b.Text(0x10805, "");
    b.U32(0x10806, 389);
    b.U32(0x10807, 30);
    b.U32(0x10808, 100);
    b.Text(0x1080A, "");
    b.Byte(0x1080B, 0);

    // SMTP and POP3.
    b.Text(0x10901, "Front Office");
    b.Text(0x10903, "frontoffice@example.com");
    b.Text(0x10905, "mail.example.com");
    b.U32(0x10906, 25);
    b.U32(0x10907, 60);
    b.Byte(0x10908, 0);
    b.Text(0x1090A, "Scanned document");
    b.Byte(0x1090B, 1);
    b.Text(0x1090F, "");
    b.Text(0x1090D, "");
    b.Text(0x10A01, "mail.example.com");
    b.U32(0x10A02, 110);
    b.U32(0x10A03, 60);
    b.Text(0x10A05, "frontoffice");
    b.Text(0x10A07, "");
    b.Byte(0x10A08, 0);
    b.Byte(0x10A09, 10);
    b.Text(0x10A0B, "admin@example.com");
    b.Byte(0x10A0C, 0);
    b.Byte(0x10A0D, 2);

    // Scanner, properties, user restriction.
    b.Byte(0x10B00, 1);
    b.Byte(0x10B01, 0);
    b.Byte(0x10B02, 2);
    b.Text(0x10C02, "+44 20 7946 0000");
    b.Text(0x10C04, "Front Office MFP");
    b.Byte(0x10D00, 0);
    b.Zeros(0x10D02, 10);
}

}  // namespace

void SimLoadDemoContent(SimDevice* device)
{
    std::memset(device->items, 0, sizeof device->items);
    for (int r = 0; r < ITEM_COUNT; r++)
        SimSetItem(device, r, nullptr, 0);

    Builder b = {device, {}};
    Settings(b);

    QuickFax(b, 0, "Head Office", "02079460001", 4, "", "");
    QuickEmail(b, 1, "Accounts", "accounts@example.com");
    QuickFax(b, 2, "Warehouse", "01632960123", 3, "12", "34");
    const uint8_t sales[][2] = {{8, 0}, {4, 0}, {4, 2}};
    Group(b, 4, "Sales Team", sales, 3);
    // Key 27: a program-dial assignment made on the device; its bytes are the device's own.
    uint8_t* v = b.Start();
    v[0] = 27;
    v[1] = 0x40;
    v[2] = 1;
    b.Put(0x12000 + 26, 130);

    SpeedFax(b, 0, "Reception Desk", "01632960000", 4);
    // "J. M\xFCller" in the device's character set: u-umlaut is 129 there.
    SpeedEmail(b, 1, "J. M\x81ller", "jmuller@example.de");
    SpeedFax(b, 2, "Branch Leeds", "01134960999", 3);
    SpeedFax(b, 10, "Courier P/U", "08001234567", 2);

    for (uint32_t id : {0x10411u, 0x10B03u, 0x10B04u, 0x10B05u, 0x10B06u})
        SimMakeAbsent(device, SimRecordOf(id));
}

void SimInitDemo(SimDevice* device)
{
    SimInit(device);
    SimLoadDemoContent(device);
}
