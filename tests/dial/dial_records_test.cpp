// Stored dial entries: what each form decodes to, that decoding and encoding give the stored
// bytes back, the image lengths the writers set, the plausibility rules, and program-dial keys.
#include <gtest/gtest.h>

#include "dial_test_support.h"

namespace {

class DialRecords : public DialTest {};

TEST_F(DialRecords, QuickFaxKeyDecodesEveryField)
{
    PutQuickFax(Key(4), 4);
    DialRecord r;
    ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 4));
    EXPECT_EQ(4, r.index);
    EXPECT_EQ(KIND_QUICK, r.kind);
    EXPECT_EQ(DEST_FAX, r.destType);
    EXPECT_EQ(0, r.high);
    EXPECT_EQ(0, r.chain);
    EXPECT_STREQ("M\xFCller", r.name) << "the name comes back in Windows-1252";
    EXPECT_STREQ("0312345678", r.faxNumber);
    EXPECT_STREQ("12", r.sub);
    EXPECT_STREQ("345", r.sid);
    EXPECT_EQ(1, r.speed) << "speed code 3 is 14.4K";
    EXPECT_EQ((24 << 9) | (5 << 5) | 17, r.entryDate);
}

TEST_F(DialRecords, EmailKeyDecodesScanSettings)
{
    PutQuickEmail(Key(0), 0);
    DialRecord r;
    ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 0));
    EXPECT_EQ(DEST_EMAIL, r.destType);
    EXPECT_EQ(KIND_QUICK, r.kind);
    EXPECT_STREQ("a.b@example.com", r.email);
    EXPECT_STREQ("Jos\xE9", r.name);
    EXPECT_EQ(1, r.customScan);
    EXPECT_EQ(1, r.scanSize) << "code 1 is B4 JIS";
    EXPECT_EQ(1, r.scanResolution) << "stored 2 is Fine";
    EXPECT_EQ(2, r.scanCoding);
}

TEST_F(DialRecords, SpeedEntriesDecodeWithTheirOwnOffsets)
{
    PutSpeedFax(Speed(7), 7, FLAG_FAX | FLAG_SPEED | FLAG_HIGH);
    PutSpeedEmail(Speed(8), 8);
    DialRecord r;
    ASSERT_EQ(1, DecodeSpeedEntry(&r, gDocument.edit, 7));
    EXPECT_EQ(KIND_SPEED, r.kind);
    EXPECT_EQ(1, r.high) << "the device's high flag is carried";
    EXPECT_STREQ("5551234", r.faxNumber);
    EXPECT_STREQ("Bob", r.name);
    EXPECT_STREQ("", r.sub);
    EXPECT_EQ(2, r.speed);
    ASSERT_EQ(1, DecodeSpeedEntry(&r, gDocument.edit, 8));
    EXPECT_EQ(DEST_EMAIL, r.destType);
    EXPECT_STREQ("x@y.org", r.email);
    EXPECT_STREQ("\xDC", r.name);
    EXPECT_EQ(0, r.scanResolution);
}

TEST_F(DialRecords, OnlySpeedDialAddressesAreReadThroughTheCharset)
{
    PutQuickEmail(Key(0), 0);
    Key(0)[34] = 224;
    PutSpeedEmail(Speed(0), 0);
    Speed(0)[30] = 224;
    DialRecord r;
    ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 0));
    EXPECT_EQ(224, static_cast<uint8_t>(r.email[0]));
    ASSERT_EQ(1, DecodeSpeedEntry(&r, gDocument.edit, 0));
    EXPECT_EQ(223, static_cast<uint8_t>(r.email[0]));
    ASSERT_EQ(1, EncodeSpeedEntry(gDocument.edit, &r, 0));
    EXPECT_EQ(224, Speed(0)[30]) << "and written back through it";
}

// Every stored form in the shape this program writes it decodes and encodes to the same bytes,
// at another index too, with the image length of its form.
TEST_F(DialRecords, EveryStoredFormRoundTrips)
{
    struct Case {
        const char* form;
        int speedTable;
        void (*put)(uint8_t*, int);
        uint32_t length;
    } cases[] = {
        {"Quick Dial fax", 0, [](uint8_t* e, int i) { PutQuickFax(e, i); }, 78},
        {"Quick Dial e-mail", 0, [](uint8_t* e, int i) { PutQuickEmail(e, i); }, 98},
        {"combination key fax", 0,
         [](uint8_t* e, int i) {
             PutQuickFax(e, i, FLAG_FAX | FLAG_QUICK | FLAG_CHAIN);
             Put(e + 4, {0, 0, 0, 0, 0, 0, 0});  // no name
             Put(e + 30, {2, 0, 0});             // no SUB, SID or speed
             Put(e + 58, {0});
             Put(e + 68, {0, 0});
         },
         78},
        {"combination key e-mail", 0,
         [](uint8_t* e, int i) {
             PutQuickEmail(e, i, FLAG_EMAIL | FLAG_QUICK | FLAG_CHAIN);
             Put(e + 4, {0, 0, 0, 0, 0});
         },
         98},
        {"group", 0,
         [](uint8_t* e, int i) {
             PutGroup(e, i, {{8, 3}, {8, 30}, {4, 1}, {4, 90}});
         },
         130},
        {"Speed Dial fax", 1, [](uint8_t* e, int i) { PutSpeedFax(e, i); }, 74},
        {"Speed Dial fax, device flag", 1,
         [](uint8_t* e, int i) { PutSpeedFax(e, i, FLAG_FAX | FLAG_SPEED | FLAG_HIGH); }, 74},
        {"Speed Dial e-mail", 1, [](uint8_t* e, int i) { PutSpeedEmail(e, i); }, 94},
    };
    for (const Case& c : cases) {
        for (int to : {2, 25}) {
            SCOPED_TRACE(std::string(c.form) + ", written to index " + std::to_string(to));
            std::vector<uint8_t> expected(DIAL_ENTRY_SIZE);
            c.put(expected.data(), to);
            DialRecord r;
            if (c.speedTable) {
                c.put(Speed(60), 60);
                ASSERT_EQ(1, DecodeSpeedEntry(&r, gDocument.edit, 60));
                ASSERT_EQ(1, EncodeSpeedEntry(gDocument.edit, &r, to));
                EXPECT_EQ(-1, FirstDifference(expected, Bytes(Speed(to))));
                EXPECT_EQ(c.length, SpeedLength(to));
            } else {
                c.put(Key(9), 9);
                if (c.length == GROUP_LENGTH) {
                    ASSERT_EQ(1, DecodeGroupKey(&r, gDocument.edit, 9));
                    ASSERT_EQ(1, EncodeGroupRecord(gDocument.edit, r, to));
                } else {
                    ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 9));
                    ASSERT_EQ(1, EncodeQuickKey(gDocument.edit, &r, to));
                }
                EXPECT_EQ(-1, FirstDifference(expected, Bytes(Key(to))));
                EXPECT_EQ(c.length, KeyLength(to));
            }
        }
    }
}

TEST_F(DialRecords, RoundTripKeepsNamesInJapaneseMode)
{
    gDocument.edit.system.languageSet = 1;
    PutQuickFax(Key(3), 3);
    PutText(Key(3) + 5, "\xB1\xB2\xB3\xE0\x81\x85");  // katakana and bytes the table would map
    std::vector<uint8_t> stored = Bytes(Key(3));
    DialRecord r;
    ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 3));
    EXPECT_STREQ("\xB1\xB2\xB3\xE0\x81\x85", r.name);
    ASSERT_EQ(1, EncodeQuickKey(gDocument.edit, &r, 3));
    EXPECT_EQ(-1, FirstDifference(stored, Bytes(Key(3))));
}

TEST_F(DialRecords, FaxWithoutSubStoresNoSid)
{
    DialRecord r{};
    r.inUse = 1;
    r.kind = KIND_QUICK;
    strcpy(r.faxNumber, "123");
    strcpy(r.sid, "45");
    r.speed = 2;
    ASSERT_EQ(1, EncodeQuickKey(gDocument.edit, &r, 6));
    EXPECT_EQ(0, Key(6)[31]) << "SUB length";
    EXPECT_EQ(0, Key(6)[32]) << "SID length";
    EXPECT_EQ(0x54, Key(6)[68]) << "the packed SID bytes are still written";
    EXPECT_STREQ("", r.sid) << "the record's SID is emptied";
    EXPECT_EQ(4, Key(6)[30]) << "33.6K";
    EXPECT_EQ(FLAG_FAX | FLAG_QUICK, Key(6)[1]);
    EXPECT_EQ(7, Key(6)[0]);
}

TEST_F(DialRecords, WritersTakeTheIndexFromTheirArgument)
{
    PutSpeedFax(Speed(3), 3);
    DialRecord r;
    ASSERT_EQ(1, DecodeSpeedEntry(&r, gDocument.edit, 3));
    ASSERT_EQ(1, EncodeSpeedEntry(gDocument.edit, &r, 89));
    EXPECT_EQ(0x80 | 90, Speed(89)[0]);
    ASSERT_EQ(1, EncodeQuickKey(gDocument.edit, &r, 29));
    EXPECT_EQ(30, Key(29)[0]);
    EXPECT_EQ(FLAG_FAX, Key(29)[1]) << "a Speed Dial record on a key carries no FLAG_QUICK";
}

TEST_F(DialRecords, WritersRefuseIndexesOutsideTheirTables)
{
    DialRecord r{};
    r.inUse = 1;
    EXPECT_EQ(0, EncodeQuickKey(gDocument.edit, &r, 30));
    EXPECT_EQ(0, EncodeQuickKey(gDocument.edit, &r, -1));
    EXPECT_EQ(0, EncodeSpeedEntry(gDocument.edit, &r, 90));
    EXPECT_EQ(0, EncodeGroupRecord(gDocument.edit, r, 30));
    EXPECT_EQ(0, DecodeQuickKey(&r, gDocument.edit, 30));
    EXPECT_EQ(0, DecodeSpeedEntry(&r, gDocument.edit, -1));
    EXPECT_EQ(0, DecodeGroupKey(&r, gDocument.edit, 31));
}

TEST_F(DialRecords, OverlongTextsAreCutToTheirStoredFields)
{
    DialRecord r;
    memset(&r, 'A', sizeof r);  // no text has a terminator
    r.inUse = 1;
    r.destType = DEST_FAX;
    r.programDial = 0;
    r.kind = KIND_SPEED;
    r.high = 0;
    r.chain = 0;
    memset(r.faxNumber, '7', sizeof r.faxNumber);
    memset(r.sub, '1', sizeof r.sub);
    memset(r.sid, '2', sizeof r.sid);
    ASSERT_EQ(1, EncodeSpeedEntry(gDocument.edit, &r, 0));
    EXPECT_EQ(50, Speed(0)[2]);
    EXPECT_EQ(20, Speed(0)[3]);
    EXPECT_EQ(20, Speed(0)[27]);
    EXPECT_EQ(20, Speed(0)[28]);
    EXPECT_EQ(0, Speed(0)[74]) << "nothing written beyond the fax form";

    r.destType = DEST_EMAIL;
    ASSERT_EQ(1, EncodeQuickKey(gDocument.edit, &r, 0));
    EXPECT_EQ(64, Key(0)[2]);
    EXPECT_EQ(20, Key(0)[4]);
    EXPECT_EQ(0, Key(0)[98]) << "nothing written beyond the e-mail form";
}

TEST_F(DialRecords, WritingAnEmptyRecordZeroFillsAndLeavesTheLength)
{
    PutQuickFax(Key(2), 2);
    gDocument.edit.quickDial.lengths[2] = 78;
    PutSpeedEmail(Speed(2), 2);
    gDocument.edit.speedDial.lengths[2] = 94;
    DialRecord empty{};
    ASSERT_EQ(1, EncodeQuickKey(gDocument.edit, &empty, 2));
    ASSERT_EQ(1, EncodeSpeedEntry(gDocument.edit, &empty, 2));
    EXPECT_EQ(std::vector<uint8_t>(DIAL_ENTRY_SIZE, 0), Bytes(Key(2)));
    EXPECT_EQ(std::vector<uint8_t>(DIAL_ENTRY_SIZE, 0), Bytes(Speed(2)));
    EXPECT_EQ(78u, KeyLength(2));
    EXPECT_EQ(94u, SpeedLength(2));
}

TEST_F(DialRecords, HighFlagOfAQuickDialEntryIsDroppedOnRewrite)
{
    PutQuickFax(Key(1), 1, FLAG_FAX | FLAG_QUICK | FLAG_HIGH);
    DialRecord r;
    ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 1));
    EXPECT_EQ(0, r.high);
    EXPECT_EQ(KIND_QUICK, r.kind);
    ASSERT_EQ(1, EncodeQuickKey(gDocument.edit, &r, 1));
    EXPECT_EQ(FLAG_FAX | FLAG_QUICK, Key(1)[1]);
}

// ---- Plausibility ---------------------------------------------------------------------------

enum Reader { QUICK_READER, GROUP_READER, SPEED_READER };

struct Implausible {
    const char* what;
    Reader reader;
    void (*put)(uint8_t*);
    int offset;
    uint8_t limit;  // accepted at the limit, refused above it
};

void PutLongQuickEmail(uint8_t* e)
{
    PutQuickEmail(e, 0);
    memset(e + 34, 'a', 64);
}

void PutLongSpeedEmail(uint8_t* e)
{
    PutSpeedEmail(e, 0);
    memset(e + 30, 'a', 64);
}

void PutQuickFax0(uint8_t* e) { PutQuickFax(e, 0); }
void PutQuickEmail0(uint8_t* e) { PutQuickEmail(e, 0); }
void PutGroup0(uint8_t* e) { PutGroup(e, 0, {{8, 1}}); }
void PutSpeedFax0(uint8_t* e) { PutSpeedFax(e, 0); }
void PutSpeedEmail0(uint8_t* e) { PutSpeedEmail(e, 0); }

TEST_F(DialRecords, LengthsBeyondTheirFieldsReadAsEmptyAndStayStored)
{
    const Implausible cases[] = {
        {"Quick fax number", QUICK_READER, PutQuickFax0, 2, 50},
        {"Quick fax name", QUICK_READER, PutQuickFax0, 4, 20},
        {"Quick fax SUB", QUICK_READER, PutQuickFax0, 31, 20},
        {"Quick fax SID", QUICK_READER, PutQuickFax0, 32, 20},
        {"Quick e-mail address", QUICK_READER, PutLongQuickEmail, 2, 64},
        {"Quick e-mail name", QUICK_READER, PutQuickEmail0, 4, 20},
        {"group member count", GROUP_READER, PutGroup0, 2, 50},
        {"group member count, read as a key", QUICK_READER, PutGroup0, 2, 50},
        {"group name", GROUP_READER, PutGroup0, 4, 20},
        {"group name, read as a key", QUICK_READER, PutGroup0, 4, 20},
        {"Speed fax number", SPEED_READER, PutSpeedFax0, 2, 50},
        {"Speed fax name", SPEED_READER, PutSpeedFax0, 3, 20},
        {"Speed fax SUB", SPEED_READER, PutSpeedFax0, 27, 20},
        {"Speed fax SID", SPEED_READER, PutSpeedFax0, 28, 20},
        {"Speed e-mail address", SPEED_READER, PutLongSpeedEmail, 2, 64},
        {"Speed e-mail name", SPEED_READER, PutSpeedEmail0, 3, 20},
    };
    for (const Implausible& c : cases) {
        for (int value : {c.limit + 0, c.limit + 1, 255}) {
            SCOPED_TRACE(std::string(c.what) + " = " + std::to_string(value));
            DialRecord r;
            uint8_t* entry = c.reader == SPEED_READER ? Speed(0) : Key(0);
            c.put(entry);
            entry[c.offset] = static_cast<uint8_t>(value);
            std::vector<uint8_t> stored = Bytes(entry);
            int inUse = c.reader == SPEED_READER   ? DecodeSpeedEntry(&r, gDocument.edit, 0)
                        : c.reader == GROUP_READER ? DecodeGroupKey(&r, gDocument.edit, 0)
                                                   : DecodeQuickKey(&r, gDocument.edit, 0);
            if (value == c.limit) {
                EXPECT_EQ(1, inUse) << "at the limit the entry is read";
                gDocument.edit.speedDial.lengths[0] = 0;
                continue;
            }
            EXPECT_EQ(0, inUse);
            DialRecord zero{};
            if (c.reader == GROUP_READER && c.offset != 2) {
                // The group reader still says how many members the key claims.
                EXPECT_EQ(1, r.memberCount);
                zero.memberCount = 1;
            }
            EXPECT_EQ(0, memcmp(&zero, &r, sizeof r)) << "the record stays all zero";
            EXPECT_EQ(-1, FirstDifference(stored, Bytes(entry))) << "the stored bytes stay";
            EXPECT_EQ(0u, SpeedLength(0)) << "a refused entry gets no length";
        }
    }
}

TEST_F(DialRecords, GroupOfFiftyOneMembersReadsEmptyEverywhere)
{
    PutGroup(Key(5), 5, {{8, 1}});
    Key(5)[2] = 51;
    DialRecord r;
    EXPECT_EQ(0, DecodeQuickKey(&r, gDocument.edit, 5));
    EXPECT_EQ(0, DecodeGroupKey(&r, gDocument.edit, 5));
    EXPECT_EQ(0, r.memberCount);
    EXPECT_EQ(0, r.inUse);
}

TEST_F(DialRecords, GroupReadAsAKeyNeverTakesMemberBytesForLengths)
{
    // Bytes 31 and 32 of a group are member bytes (a number up to 90, a table), not SUB and SID
    // lengths: the group is read, its name shown, nothing read beyond the fields.
    PutGroup(Key(8), 8, {{4, 90}, {4, 89}, {4, 88}});
    DialRecord r;
    ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 8));
    EXPECT_EQ(KIND_GROUP, r.kind);
    EXPECT_EQ(1, r.high);
    EXPECT_EQ(3, r.memberCount);
    EXPECT_STREQ("Sales", r.name);
    EXPECT_STREQ("", r.sub);
    EXPECT_STREQ("", r.sid);
}

TEST_F(DialRecords, FlagsOrLengthZeroIsAnEmptyEntry)
{
    PutQuickFax(Key(0), 0);
    Key(0)[1] = 0;
    PutQuickFax(Key(1), 1);
    Key(1)[2] = 0;
    PutSpeedFax(Speed(0), 0);
    Speed(0)[1] = 0;
    DialRecord r;
    EXPECT_EQ(0, DecodeQuickKey(&r, gDocument.edit, 0));
    EXPECT_EQ(0, DecodeQuickKey(&r, gDocument.edit, 1));
    EXPECT_EQ(0, DecodeSpeedEntry(&r, gDocument.edit, 0));
    EXPECT_EQ(0u, SpeedLength(0));
}

TEST_F(DialRecords, DecodingNeverChangesTheTables)
{
    PutQuickEmail(Key(4), 4);
    Key(4)[34 + 5] = 0;  // "a.b@e" then a zero, stored length 15
    PutSpeedEmail(Speed(4), 4);
    Speed(4)[30 + 6] = 0;
    PutSpeedFax(Speed(10), 10);
    Key(27)[1] = FLAG_PROGRAM;
    const QuickDialTable quick = gDocument.edit.quickDial;
    const SpeedDialTable speed = gDocument.edit.speedDial;

    DialRecord r;
    EXPECT_EQ(0, DecodeQuickKey(&r, gDocument.edit, 4)) << "a broken address reads as empty";
    EXPECT_EQ(0, r.inUse);
    EXPECT_STREQ("", r.email);
    EXPECT_EQ(0, DecodeGroupKey(&r, gDocument.edit, 4));
    EXPECT_EQ(0, DecodeSpeedEntry(&r, gDocument.edit, 4));
    EXPECT_EQ(1, DecodeSpeedEntry(&r, gDocument.edit, 10));
    EXPECT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 27));
    EXPECT_EQ(0, memcmp(&quick, &gDocument.edit.quickDial, sizeof quick)) << "keys or lengths changed";
    EXPECT_EQ(0, memcmp(&speed, &gDocument.edit.speedDial, sizeof speed)) << "entries changed";
}

TEST_F(DialRecords, TidyingErasesBrokenAddressesAndGivesSpeedEntriesTheirLengths)
{
    PutQuickEmail(Key(4), 4);
    Key(4)[34 + 5] = 0;
    gDocument.edit.quickDial.lengths[4] = 98;
    PutQuickEmail(Key(5), 5);
    gDocument.edit.quickDial.lengths[5] = 98;
    PutSpeedEmail(Speed(4), 4);
    Speed(4)[30 + 6] = 0;  // the last of seven characters
    gDocument.edit.speedDial.lengths[4] = 94;
    PutSpeedFax(Speed(10), 10);
    PutSpeedEmail(Speed(11), 11);
    gDocument.edit.speedDial.lengths[11] = 130;
    PutQuickFax(Key(10), 10);

    EXPECT_EQ(4, TidyDialDirectory(gDocument.edit, QUICK_KEY_COUNT));
    EXPECT_EQ(std::vector<uint8_t>(DIAL_ENTRY_SIZE, 0), Bytes(Key(4))) << "the key is erased";
    EXPECT_EQ(0u, KeyLength(4));
    EXPECT_EQ(std::vector<uint8_t>(DIAL_ENTRY_SIZE, 0), Bytes(Speed(4)));
    EXPECT_EQ(0u, SpeedLength(4));
    EXPECT_EQ(98u, KeyLength(5)) << "a sound entry keeps its length";
    EXPECT_EQ(74u, SpeedLength(10));
    EXPECT_EQ(94u, SpeedLength(11));
    EXPECT_EQ(0u, KeyLength(10)) << "Quick Dial lengths are the device's";
    EXPECT_EQ(0, TidyDialDirectory(gDocument.edit, QUICK_KEY_COUNT)) << "a second pass finds nothing";

    PutQuickEmail(Key(4), 4);
    Key(4)[34 + 5] = 0;
    EXPECT_EQ(0, TidyDialDirectory(gDocument.edit, 4)) << "keys beyond the model's are not walked";
}

TEST_F(DialRecords, UnknownSpeedCodesAreCarriedAndLowOnesReadAs33k)
{
    PutQuickFax(Key(0), 0);
    Key(0)[30] = 9;
    PutQuickFax(Key(1), 1);
    Key(1)[30] = 1;
    DialRecord r;
    ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 0));
    EXPECT_EQ(7, r.speed);
    EncodeQuickKey(gDocument.edit, &r, 0);
    EXPECT_EQ(9, Key(0)[30]);
    ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 1));
    EXPECT_EQ(2, r.speed);
}

TEST_F(DialRecords, ScanSizeFollowsThePaperSystem)
{
    gDocument.edit.config.inchPaper = 1;
    PutQuickEmail(Key(0), 0);
    Key(0)[31] = 2;
    DialRecord r;
    ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, 0));
    EXPECT_EQ(0, r.scanSize) << "code 2 on an inch device is Letter";
    EncodeQuickKey(gDocument.edit, &r, 0);
    EXPECT_EQ(12, Key(0)[31]) << "Letter is written back as 12";

    gDocument.edit.config.inchPaper = 0;
    PutSpeedEmail(Speed(0), 0);
    Speed(0)[27] = 9;
    ASSERT_EQ(1, DecodeSpeedEntry(&r, gDocument.edit, 0));
    EXPECT_EQ(2, r.scanSize) << "code 9 on a metric device is A3";
    EncodeSpeedEntry(gDocument.edit, &r, 0);
    EXPECT_EQ(0, Speed(0)[27]);
}

// ---- Program-dial keys ----------------------------------------------------------------------

TEST_F(DialRecords, ProgramDialKeyIsLeftByteForByte)
{
    for (int index : {3, 26, 29}) {
        SCOPED_TRACE("key index " + std::to_string(index));
        for (int i = 0; i < DIAL_ENTRY_SIZE; i++)
            Key(index)[i] = static_cast<uint8_t>(i * 37 + index);
        Key(index)[1] = FLAG_PROGRAM;
        gDocument.edit.quickDial.lengths[index] = 55;
        std::vector<uint8_t> stored = Bytes(Key(index));
        DialRecord r;
        ASSERT_EQ(1, DecodeQuickKey(&r, gDocument.edit, index));
        EXPECT_EQ(1, r.programDial);
        EXPECT_EQ(KIND_QUICK, r.kind);
        EXPECT_STREQ("", r.name);
        EXPECT_STREQ("", r.faxNumber);
        ASSERT_EQ(1, EncodeQuickKey(gDocument.edit, &r, index));
        EXPECT_EQ(-1, FirstDifference(stored, Bytes(Key(index))));
        EXPECT_EQ(55u, KeyLength(index));
    }
}

TEST_F(DialRecords, ProgramMarksAreTheProgramFlagOfKeys27To30)
{
    Key(26)[1] = FLAG_PROGRAM;
    Key(29)[1] = FLAG_PROGRAM | FLAG_QUICK;
    Key(5)[1] = FLAG_PROGRAM;
    const QuickDialTable& keys = gDocument.edit.quickDial;
    EXPECT_EQ(1, IsProgramKeyMarked(keys, 26, PROGRAM_KEY_FIRST));
    EXPECT_EQ(0, IsProgramKeyMarked(keys, 27, PROGRAM_KEY_FIRST));
    EXPECT_EQ(1, IsProgramKeyMarked(keys, 29, PROGRAM_KEY_FIRST));
    EXPECT_EQ(0, IsProgramKeyMarked(keys, 5, PROGRAM_KEY_FIRST)) << "keys outside 27-30";
    EXPECT_EQ(0, IsProgramKeyMarked(keys, 30, PROGRAM_KEY_FIRST));
    EXPECT_EQ(0, IsProgramKeyMarked(keys, -1, PROGRAM_KEY_FIRST));
    EXPECT_EQ(1, IsProgramKeyMarked(keys, 5, 4)) << "the model's first program key decides";

    PutQuickFax(Key(26), 26);
    EXPECT_EQ(0, IsProgramKeyMarked(keys, 26, PROGRAM_KEY_FIRST)) << "a key that no longer is one";
}

TEST_F(DialRecords, ProgramDialKeyIsNoGroupEvenWithGroupBits)
{
    PutGroup(Key(27), 27, {{4, 6}});
    Key(27)[1] = FLAG_PROGRAM | FLAG_HIGH;
    DialRecord r;
    EXPECT_EQ(0, DecodeGroupKey(&r, gDocument.edit, 27));
    EXPECT_EQ(0, r.inUse);
    Key(27)[1] = FLAG_PROGRAM;
    EXPECT_EQ(0, DecodeGroupKey(&r, gDocument.edit, 27));
}

TEST_F(DialRecords, SpeedDialProgramEntryIsDecodedAndRewrittenWithoutTheFlag)
{
    PutSpeedFax(Speed(1), 1, FLAG_FAX | FLAG_SPEED | FLAG_PROGRAM);
    DialRecord r;
    ASSERT_EQ(1, DecodeSpeedEntry(&r, gDocument.edit, 1));
    EXPECT_EQ(1, r.programDial);
    EXPECT_STREQ("5551234", r.faxNumber);
    ASSERT_EQ(1, EncodeSpeedEntry(gDocument.edit, &r, 1));
    EXPECT_EQ(FLAG_FAX | FLAG_SPEED, Speed(1)[1]);

    Speed(2)[1] = FLAG_PROGRAM;  // length 0: empty, and the record stays all zero
    EXPECT_EQ(0, DecodeSpeedEntry(&r, gDocument.edit, 2));
    EXPECT_EQ(0, r.programDial);
}

}  // namespace
