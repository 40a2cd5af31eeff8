// The Reception page's rules: the timer's packed times and flags, its checks when the page is
// left and applied, the timing fields by RX mode with their clamps and image values, the ring
// count limits, the fax tray rows, and the forwarding destination record in all its kinds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device/byte_order.h"
#include "document/dial_records.h"
#include "resources/resource_ids.h"
#include "settings/forwarding.h"
#include "settings/reception_page.h"

namespace {

// A timer record with a stored password and, when `times`, 9:30 to 17:05.
ReceptionSettings TimerOn(const char* password, bool times)
{
    ReceptionSettings r = {};
    r.rxPrintTimer = RX_TIMER_ON;
    r.rxPrintTimerRecord[0] = 0xA1;
    r.rxPrintTimerRecord[1] = 0xA2;
    std::memcpy(r.rxPrintTimerRecord + 4, password, std::strlen(password));
    if (times) {
        WriteU16Le(r.rxPrintTimerRecord + 2, 0x4BC0);
        WriteU16Le(r.rxPrintTimerRecord + 8, 0x88A0);
        r.rxPrintTimerRecord[10] = 192;
    }
    r.rxPrintTimerRecord[11] = 0x5A;
    return r;
}

void SetTimes(RxTimerPage& t, const char* sh, const char* sm, const char* eh, const char* em)
{
    std::strcpy(t.times[RX_START_HOUR], sh);
    std::strcpy(t.times[RX_START_MINUTE], sm);
    std::strcpy(t.times[RX_END_HOUR], eh);
    std::strcpy(t.times[RX_END_MINUTE], em);
}

TEST(RxTimer, TimesPackHourAndMinuteIntoTheTopElevenBits)
{
    EXPECT_EQ(0x4BC0, PackRxTime(9, 30));
    EXPECT_EQ(0x88A0, PackRxTime(17, 5));
    EXPECT_EQ(0xBF60, PackRxTime(23, 59));
    int h = -1, m = -1;
    UnpackRxTime(0x88A0 | 0x1F, &h, &m);  // the low five bits play no part
    EXPECT_EQ(17, h);
    EXPECT_EQ(5, m);
}

TEST(RxTimer, OpeningShowsStoredTimesOnlyWithFlags192AndAnUnterminatedPassword)
{
    RxTimerPage t = OpenRxTimer(TimerOn("1234", true));
    EXPECT_STREQ("1234", t.stored) << "four digits with the end time right behind them";
    EXPECT_STREQ("", t.typed);
    EXPECT_STREQ("09", t.times[RX_START_HOUR]);
    EXPECT_STREQ("30", t.times[RX_START_MINUTE]);
    EXPECT_STREQ("17", t.times[RX_END_HOUR]);
    EXPECT_STREQ("05", t.times[RX_END_MINUTE]);
    EXPECT_EQ(1, t.onWhenOpened);

    ReceptionSettings r = TimerOn("12", true);
    r.rxPrintTimerRecord[10] = 128;
    r.rxPrintTimer = RX_TIMER_OFF;
    t = OpenRxTimer(r);
    EXPECT_STREQ("12", t.stored);
    EXPECT_STREQ("", t.times[RX_START_HOUR]) << "times without both flag bits are not shown";
    EXPECT_EQ(0, t.onWhenOpened);
}

TEST(RxTimer, SwitchingOffNeedsTheStoredPasswordOnlyWhenItWasOnAtOpening)
{
    ReceptionSettings r = TimerOn("1234", true);
    RxTimerPage t = OpenRxTimer(r);
    EXPECT_EQ(0, MaySwitchRxTimerOff(t)) << "nothing typed";
    std::strcpy(t.typed, "1235");
    EXPECT_EQ(0, MaySwitchRxTimerOff(t));
    std::strcpy(t.typed, "1234");
    ASSERT_EQ(1, MaySwitchRxTimerOff(t));
    SwitchRxTimerOff(t, r);
    EXPECT_EQ(RX_TIMER_OFF, r.rxPrintTimer);
    EXPECT_STREQ("", t.typed);
    EXPECT_STREQ("", t.times[RX_END_MINUTE]);
    EXPECT_EQ(RX_SWITCHED_OFF, t.switched);

    SwitchRxTimerOn(t, r);
    EXPECT_EQ(RX_TIMER_ON, r.rxPrintTimer);
    EXPECT_EQ(RX_SWITCHED_ON, t.switched);
    EXPECT_EQ(0, MaySwitchRxTimerOff(t)) << "off again asks for the password again";

    ReceptionSettings off = TimerOn("1234", false);
    off.rxPrintTimer = RX_TIMER_OFF;
    RxTimerPage fresh = OpenRxTimer(off);
    EXPECT_EQ(1, MaySwitchRxTimerOff(fresh)) << "a timer switched on in this visit goes off freely";
}

struct LeaveCase {
    const char* what;
    bool switchedOn;
    const char* typed;
    const char* times[4];
    int message, field, minimum, maximum;
};

TEST(RxTimer, LeavingChecksPasswordThenEmptyTimesThenRangesInOrder)
{
    const LeaveCase cases[] = {
        {"three digits",
         true,
         "123",
         {"09", "30", "17", "05"},
         IDS_PASSWORD_INVALID,
         RX_PASSWORD_FIELD,
         0,
         0},
        {"one digit, not switched",
         false,
         "1",
         {"", "", "", ""},
         IDS_PASSWORD_INVALID,
         RX_PASSWORD_FIELD,
         0,
         0},
        {"a wrong password as opened",
         false,
         "9999",
         {"", "", "", ""},
         IDS_PASSWORD_INCORRECT,
         RX_PASSWORD_FIELD,
         0,
         0},
        {"a new password once switched", true, "9999", {"09", "30", "17", "05"}, 0, 0, 0, 0},
        {"start hour", true, "", {"24", "60", "99", "99"}, IDS_RANGE_ERROR, RX_START_HOUR, 0, 23},
        {"start minute",
         true,
         "",
         {"23", "60", "99", "99"},
         IDS_RANGE_ERROR,
         RX_START_MINUTE,
         0,
         59},
        {"end hour", true, "", {"0", "0", "24", "99"}, IDS_RANGE_ERROR, RX_END_HOUR, 0, 23},
        {"end minute", true, "", {"0", "0", "", "60"}, IDS_RANGE_ERROR, RX_END_MINUTE, 0, 59},
        {"in range", true, "", {"23", "59", "0", ""}, 0, 0, 0, 0},
        {"stored times, not editable", false, "", {"31", "63", "31", "63"}, 0, 0, 0, 0},
    };
    for (const LeaveCase& c : cases) {
        ReceptionSettings r = TimerOn("1234", true);
        RxTimerPage t = OpenRxTimer(r);
        if (c.switchedOn)
            t.switched = RX_SWITCHED_ON;
        std::strcpy(t.typed, c.typed);
        SetTimes(t, c.times[0], c.times[1], c.times[2], c.times[3]);
        const RxTimerProblem p = LeaveRxTimer(t, r);
        EXPECT_EQ(c.message, p.message) << c.what;
        if (c.message) {
            EXPECT_EQ(c.field, p.field) << c.what;
            EXPECT_EQ(c.minimum, p.minimum) << c.what;
            EXPECT_EQ(c.maximum, p.maximum) << c.what;
        }
        EXPECT_EQ(192, r.rxPrintTimerRecord[10]) << c.what;
    }
}

TEST(RxTimer, LeavingWithNoTimesClearsTheTopFlagBitsAndAnOffTimerIsNotChecked)
{
    ReceptionSettings r = TimerOn("1234", false);
    r.rxPrintTimerRecord[10] = 0xFF;
    RxTimerPage t = OpenRxTimer(r);
    EXPECT_EQ(0, LeaveRxTimer(t, r).message);
    TidyRxTimerFlags(t, r);
    EXPECT_EQ(0x3F, r.rxPrintTimerRecord[10]);

    r.rxPrintTimer = RX_TIMER_OFF;
    r.rxPrintTimerRecord[10] = 0xFF;
    std::strcpy(t.typed, "12");
    SetTimes(t, "99", "", "", "");
    EXPECT_EQ(0, LeaveRxTimer(t, r).message);
    TidyRxTimerFlags(t, r);
    EXPECT_EQ(0xFF, r.rxPrintTimerRecord[10]);
}

TEST(RxTimer, ApplyStoresPasswordAndTimesOnlyAfterASwitchInThisVisit)
{
    ReceptionSettings r = TimerOn("1234", false);
    RxTimerPage t = OpenRxTimer(r);
    t.switched = RX_SWITCHED_ON;
    std::strcpy(t.typed, "4321");
    SetTimes(t, "9", "30", "17", "05");
    ASSERT_EQ(0, ApplyRxTimer(t, r).message);
    const uint8_t* rec = r.rxPrintTimerRecord;
    EXPECT_EQ(0x4BC0, ReadU16Le(rec + 2));
    EXPECT_EQ(0x88A0, ReadU16Le(rec + 8));
    EXPECT_EQ(192, rec[10]);
    EXPECT_EQ(0, std::memcmp(rec + 4, "4321", 4));
    EXPECT_EQ(0xA1, rec[0]) << "bytes 0-1 and 11 are the device's";
    EXPECT_EQ(0xA2, rec[1]);
    EXPECT_EQ(0x5A, rec[11]);
    EXPECT_STREQ("4321", t.stored);
    EXPECT_EQ(RX_NOT_SWITCHED, t.switched);
    EXPECT_EQ(1, t.onWhenOpened);

    // Not switched since: a typed password and times go nowhere.
    std::strcpy(t.typed, "1111");
    SetTimes(t, "", "", "", "");
    ASSERT_EQ(0, ApplyRxTimer(t, r).message);
    EXPECT_EQ(0, std::memcmp(rec + 4, "4321", 4));
    EXPECT_EQ(192, rec[10]);
}

TEST(RxTimer, ApplyRefusesAShortPasswordOrBadTimeAndStoresAnEmptyOne)
{
    ReceptionSettings r = TimerOn("1234", true);
    const ReceptionSettings before = r;
    RxTimerPage t = OpenRxTimer(r);
    t.switched = RX_SWITCHED_ON;
    std::strcpy(t.typed, "12");
    EXPECT_EQ(IDS_PASSWORD_INVALID, ApplyRxTimer(t, r).message);
    std::strcpy(t.typed, "");
    t.times[RX_END_MINUTE][0] = '7';
    t.times[RX_END_MINUTE][1] = '5';
    EXPECT_EQ(RX_END_MINUTE, ApplyRxTimer(t, r).field);
    EXPECT_EQ(0, std::memcmp(&before, &r, sizeof r)) << "a refused Apply changes nothing";
    EXPECT_EQ(RX_SWITCHED_ON, t.switched);

    SetTimes(t, "", "", "", "");
    ASSERT_EQ(0, ApplyRxTimer(t, r).message);
    EXPECT_EQ(0, r.rxPrintTimerRecord[10]) << "no times stored";
    EXPECT_EQ(0, r.rxPrintTimerRecord[4]);
    EXPECT_EQ(0, r.rxPrintTimerRecord[7]);
    EXPECT_EQ(0xA0, r.rxPrintTimerRecord[8]) << "the empty password stays within its bytes";
    EXPECT_STREQ("", t.stored);
}

TEST(RxTiming, EachFieldKeepsItsOwnRange)
{
    EXPECT_EQ(0, ClampRxTiming(RX_START_RINGING, -3));
    EXPECT_EQ(30, ClampRxTiming(RX_START_RINGING, 31));
    EXPECT_EQ(10, ClampRxTiming(RX_RINGING, 2));
    EXPECT_EQ(45, ClampRxTiming(RX_RINGING, 99));
    EXPECT_EQ(30, ClampRxTiming(RX_ANSWER_DETECT, 31));
    EXPECT_EQ(10, ClampRxTiming(RX_FAX_DETECT, 9));
    EXPECT_EQ(70, ClampRxTiming(RX_FAX_DETECT, 71));
}

TEST(RxRings, ASignedCountBelowTheMinimumIsRaisedToIt)
{
    const Binding b = Slider(IDC_RX_RINGS, EDIT_FIELD(reception.ringCount), RX_RING_SLIDER);
    EditState s = {};
    s.reception.ringCountMin = 3;  // Australia
    s.reception.ringCountMax = 15;
    s.reception.ringCount = -2;
    EXPECT_EQ(3, SliderValue(b, ReadField(&s, b.field), &s)) << "-2, not 254";
}

std::vector<int64_t> TrayCodes(uint8_t optionalTray, uint8_t bypassTray)
{
    EditState s = {};
    s.config.optionalTray = optionalTray;
    s.config.bypassTray = bypassTray;
    const Binding b =
        ComboCoded(IDC_RX_TRAY_PRIORITY, EDIT_FIELD(reception.faxTrayPriority), RX_FAX_TRAY_ROWS);
    const ComboRow* rows[4];
    const int n = ShownComboRows(b, &s, rows, 4);
    std::vector<int64_t> codes;
    for (int i = 0; i < n; i++)
        codes.push_back(rows[i]->code);
    return codes;
}

TEST(RxFaxTray, RowsFollowTheOptionFlags)
{
    EXPECT_EQ((std::vector<int64_t>{0, 3}), TrayCodes(0, 0));
    EXPECT_EQ((std::vector<int64_t>{0, 1, 2, 3}), TrayCodes(1, 1));
    EXPECT_EQ((std::vector<int64_t>{0, 2, 3}), TrayCodes(2, 1)) << "the flag must be 1";
}

// ---- Forwarding ------------------------------------------------------------------------------

TEST(Forwarding, TypedFaxIsKindTwoInTheShortFormAndReadsBack)
{
    uint8_t rec[FORWARD_LONG_SIZE];
    EncodeForwardingFax(rec, "0123*#", "12", "345");
    EXPECT_EQ(FORWARD_KIND_FAX, rec[0]);
    EXPECT_EQ(6, rec[1]);
    EXPECT_EQ(2, rec[3]);
    EXPECT_EQ(3, rec[4]);
    EXPECT_EQ(0x10, rec[5]);
    EXPECT_EQ(0x32, rec[6]);
    EXPECT_EQ(0xBA, rec[7]);
    EXPECT_EQ(0x21, rec[30]);
    EXPECT_EQ(0x43, rec[40]);
    EXPECT_EQ(0x05, rec[41]);
    const EditState s = {};
    const ForwardDestination d = DecodeForwarding(rec, s);
    EXPECT_EQ(FORWARD_FAX, d.type);
    EXPECT_STREQ("0123*#", d.number);
    EXPECT_STREQ("12", d.sub);
    EXPECT_STREQ("345", d.sid);
    EXPECT_EQ(1, IsForwardingUsable(rec, s));

    ForwardingDestination f = {};
    std::memset(f.record, 0xEE, sizeof f.record);
    f.isEmail = 1;
    StoreForwardingDestination(f, d);
    EXPECT_EQ(0, f.isEmail);
    EXPECT_EQ(0, std::memcmp(f.record, rec, FORWARD_SHORT_SIZE));
    EXPECT_EQ(0xEE, f.record[FORWARD_SHORT_SIZE]) << "the short form leaves the rest";
}

TEST(Forwarding, TypedEmailIsKindOneInTheLongForm)
{
    ForwardDestination d = {};
    d.type = FORWARD_EMAIL;
    std::strcpy(d.email, "desk@example.com");
    ForwardingDestination f = {};
    std::memset(f.record, 0xEE, sizeof f.record);
    StoreForwardingDestination(f, d);
    EXPECT_EQ(1, f.isEmail);
    EXPECT_EQ(FORWARD_KIND_EMAIL, f.record[0]);
    EXPECT_EQ(16, f.record[1]);
    EXPECT_EQ(0, std::memcmp(f.record + 6, "desk@example.com", 16));
    EXPECT_EQ(0, f.record[71]);
    const EditState s = {};
    EXPECT_STREQ("desk@example.com", DecodeForwarding(f.record, s).email);

    ClearForwardingDestination(f);
    EXPECT_EQ(1, f.isEmail) << "cleared as a whole";
    for (uint8_t b : f.record)
        EXPECT_EQ(0, b);
    EXPECT_EQ(0, IsForwardingUsable(f.record, s));
}

TEST(Forwarding, LengthsAreCutToTheFieldsBothWays)
{
    const std::string longNumber(60, '7'), longCode(30, '1'), longMail(80, 'a');
    uint8_t rec[FORWARD_LONG_SIZE];
    EncodeForwardingFax(rec, longNumber.c_str(), longCode.c_str(), longCode.c_str());
    EXPECT_EQ(50, rec[1]);
    EXPECT_EQ(20, rec[3]);
    EXPECT_EQ(20, rec[4]);
    EXPECT_EQ(0, rec[50]) << "nothing packed past the SID";
    EncodeForwardingEmail(rec, longMail.c_str());
    EXPECT_EQ(64, rec[1]);
    EXPECT_EQ(0, rec[70]);

    // A bad stored record: every byte 0xFF but the kind.
    const EditState s = {};
    std::memset(rec, 0xFF, sizeof rec);
    rec[0] = FORWARD_KIND_FAX;
    ForwardDestination d = DecodeForwarding(rec, s);
    EXPECT_EQ(50u, std::strlen(d.number));
    EXPECT_EQ(20u, std::strlen(d.sub));
    EXPECT_EQ(20u, std::strlen(d.sid));
    std::memset(rec, 'b', sizeof rec);
    rec[0] = FORWARD_KIND_EMAIL;
    rec[1] = 200;
    d = DecodeForwarding(rec, s);
    EXPECT_EQ(64u, std::strlen(d.email));
    rec[1] = 10;
    rec[9] = 0;
    EXPECT_STREQ("bbb", DecodeForwarding(rec, s).email) << "a zero byte ends it";
}

TEST(Forwarding, UnknownKindsNameNothing)
{
    const EditState s = {};
    for (uint8_t kind : {0, 3, 4, 7, 8, 11, 255}) {
        uint8_t rec[FORWARD_LONG_SIZE];
        std::memset(rec, '5', sizeof rec);
        rec[0] = kind;
        const ForwardDestination d = DecodeForwarding(rec, s);
        EXPECT_EQ(FORWARD_NONE, d.type) << int(kind);
        EXPECT_STREQ("", d.number);
        EXPECT_STREQ("", d.email);
        EXPECT_EQ(0, IsForwardingUsable(rec, s)) << int(kind);
    }
}

class ForwardingReferences : public ::testing::Test {
protected:
    void SetUp() override
    {
        state = {};
        DialRecord fax = {};
        fax.inUse = 1;
        fax.destType = DEST_FAX;
        std::strcpy(fax.faxNumber, "5551234");
        std::strcpy(fax.sub, "9");
        std::strcpy(fax.sid, "8");
        fax.speed = 2;
        DialRecord mail = {};
        mail.inUse = 1;
        mail.destType = DEST_EMAIL;
        std::strcpy(mail.email, "team@example.com");
        EncodeSpeedEntry(state, &fax, 0);    // entry number 1
        EncodeSpeedEntry(state, &mail, 89);  // entry number 90
        EncodeQuickKey(state, &mail, 0);     // key 1
        EncodeQuickKey(state, &fax, 29);     // key 30
    }
    ForwardDestination Decode(uint8_t kind, uint8_t number)
    {
        uint8_t rec[FORWARD_LONG_SIZE] = {};
        rec[0] = kind;
        rec[1] = number;
        return DecodeForwarding(rec, state);
    }
    int Usable(uint8_t kind, uint8_t number)
    {
        uint8_t rec[FORWARD_LONG_SIZE] = {};
        rec[0] = kind;
        rec[1] = number;
        return IsForwardingUsable(rec, state);
    }
    EditState state;
};

TEST_F(ForwardingReferences, EntriesAreLookedUpByTheirOneBasedNumbers)
{
    ForwardDestination d = Decode(FORWARD_KIND_SPEED_FAX, 1);
    EXPECT_EQ(FORWARD_FAX, d.type);
    EXPECT_STREQ("5551234", d.number);
    EXPECT_STREQ("9", d.sub);
    EXPECT_STREQ("8", d.sid);
    EXPECT_STREQ("team@example.com", Decode(FORWARD_KIND_SPEED_EMAIL, 90).email);
    EXPECT_STREQ("team@example.com", Decode(FORWARD_KIND_QUICK_EMAIL, 1).email);
    EXPECT_STREQ("5551234", Decode(FORWARD_KIND_QUICK_FAX, 30).number);
    EXPECT_EQ(1, Usable(FORWARD_KIND_QUICK_FAX, 30));
    EXPECT_EQ(1, Usable(FORWARD_KIND_SPEED_EMAIL, 90));
}

TEST_F(ForwardingReferences, MissingEmptyOrOtherTypeEntriesNameNothing)
{
    struct Case {
        uint8_t kind, number;
        uint8_t type;
    };
    const Case cases[] = {
        {FORWARD_KIND_SPEED_FAX, 0, FORWARD_FAX},     {FORWARD_KIND_SPEED_FAX, 91, FORWARD_FAX},
        {FORWARD_KIND_SPEED_FAX, 255, FORWARD_FAX},   {FORWARD_KIND_SPEED_FAX, 2, FORWARD_FAX},
        {FORWARD_KIND_SPEED_EMAIL, 1, FORWARD_EMAIL}, {FORWARD_KIND_QUICK_FAX, 31, FORWARD_FAX},
        {FORWARD_KIND_QUICK_FAX, 1, FORWARD_FAX},     {FORWARD_KIND_QUICK_EMAIL, 0, FORWARD_EMAIL},
    };
    for (const Case& c : cases) {
        const ForwardDestination d = Decode(c.kind, c.number);
        EXPECT_EQ(c.type, d.type) << int(c.kind) << "/" << int(c.number);
        EXPECT_STREQ("", d.number) << int(c.kind) << "/" << int(c.number);
        EXPECT_STREQ("", d.email) << int(c.kind) << "/" << int(c.number);
        EXPECT_EQ(0, Usable(c.kind, c.number)) << int(c.kind) << "/" << int(c.number);
    }
}

TEST(Forwarding, DialogChecksInOrder)
{
    ForwardDestination d = {};
    int emailField = -1;
    d.type = FORWARD_EMAIL;
    EXPECT_EQ(IDS_NEED_EMAIL, CheckForwardDestination(d, &emailField));
    EXPECT_EQ(1, emailField);
    std::strcpy(d.email, "a@b");
    EXPECT_EQ(IDS_EMAIL_INVALID, CheckForwardDestination(d, &emailField));
    std::strcpy(d.email, "a@b.c");
    EXPECT_EQ(0, CheckForwardDestination(d, &emailField));

    d.type = FORWARD_FAX;
    EXPECT_EQ(IDS_NEED_FAX_NUMBER, CheckForwardDestination(d, &emailField))
        << "the address is not the fax's";
    EXPECT_EQ(0, emailField);
    std::strcpy(d.number, "P123");
    EXPECT_EQ(IDS_INVALID_SETTING, CheckForwardDestination(d, &emailField));
    std::strcpy(d.number, "--");
    EXPECT_EQ(IDS_INVALID_SETTING, CheckForwardDestination(d, &emailField));
    std::strcpy(d.number, "12P3");
    EXPECT_EQ(0, CheckForwardDestination(d, &emailField));
}

}  // namespace
