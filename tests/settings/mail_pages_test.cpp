// The SMTP, POP3 and LDAP pages' rules through their real tables: the check orders (POP3 leaves
// and applies in different orders), the host-name filter, the slider clamps and labels, and the
// sender name kept in the device's character set.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "document/document.h"
#include "resources/resource_ids.h"
#include "document/dial_records.h"
#include "settings/ldap_page.h"
#include "settings/settings_rules.h"
#include "settings/smtp_page.h"

namespace {

// What the range-checked fields show, by control.
struct Typed {
    std::map<int, std::string> texts;
};
const char* TextOf(int control, void* context)
{
    Typed* typed = static_cast<Typed*>(context);
    auto found = typed->texts.find(control);
    return found == typed->texts.end() ? "" : found->second.c_str();
}

void SetText(char* field, size_t size, const char* text)
{
    std::memset(field, 0, size);
    std::strncpy(field, text, size - 1);
}

struct Outcome {
    MailVerdict verdict;
    int control;
};
Outcome RunChecks(MailCheckList list, const EditState& state, Typed& typed)
{
    const MailFailure f = RunMailChecks(list, state, TextOf, &typed);
    return {f.verdict, f.control};
}

void ExpectOutcome(Outcome expected, Outcome got, const char* what)
{
    EXPECT_EQ(expected.verdict, got.verdict) << what;
    EXPECT_EQ(expected.control, got.control) << what;
}

TEST(SmtpChecks, CredentialsThenAddressThenPortOnLeaveAndApplyAlike)
{
    for (uint8_t phase : {NUMBER_CHECK_LEAVE, NUMBER_CHECK_APPLY}) {
        EditState state = {};
        state.smtp.authentication = SMTP_AUTH_ON;
        SetText(state.smtp.emailAddress, sizeof state.smtp.emailAddress, "no-at-sign.example");
        Typed typed{{{IDC_SMTP_PORT, "0"}}};
        const MailCheckList list = SmtpChecks(phase);
        ExpectOutcome({MAIL_NEED_BOTH, IDC_SMTP_USER}, RunChecks(list, state, typed),
                      "no user name");
        SetText(state.smtp.userName, sizeof state.smtp.userName, "mailer");
        ExpectOutcome({MAIL_NEED_BOTH, IDC_SMTP_PASSWORD}, RunChecks(list, state, typed),
                      "user name but no password");
        SetText(state.smtp.password, sizeof state.smtp.password, "secret");
        ExpectOutcome({MAIL_ADDRESS_INVALID, IDC_SMTP_EMAIL}, RunChecks(list, state, typed),
                      "an address without @");
        SetText(state.smtp.emailAddress, sizeof state.smtp.emailAddress, "");
        ExpectOutcome({MAIL_RANGE_FAILED, IDC_SMTP_PORT}, RunChecks(list, state, typed),
                      "an empty address passes, port 0 does not");
        typed.texts[IDC_SMTP_PORT] = "";
        ExpectOutcome({MAIL_RANGE_FAILED, IDC_SMTP_PORT}, RunChecks(list, state, typed),
                      "empty port");
        typed.texts[IDC_SMTP_PORT] = "65535";
        ExpectOutcome({MAIL_PASSED, 0}, RunChecks(list, state, typed), "all good");
        typed.texts[IDC_SMTP_PORT] = "65536";
        ExpectOutcome({MAIL_RANGE_FAILED, IDC_SMTP_PORT}, RunChecks(list, state, typed), "65536");
    }
}

TEST(SmtpChecks, OnlyAuthenticationOnNeedsTheCredentials)
{
    for (uint8_t mode : {SMTP_AUTH_OFF, SMTP_AUTH_POP}) {
        EditState state = {};
        state.smtp.authentication = mode;
        Typed typed{{{IDC_SMTP_PORT, "25"}}};
        ExpectOutcome({MAIL_PASSED, 0}, RunChecks(SmtpChecks(NUMBER_CHECK_APPLY), state, typed),
                      "empty user name and password are fine");
    }
}

TEST(Pop3Checks, LeavingChecksTheIntervalFirstApplyingTheAddressFirst)
{
    EditState state = {};
    state.pop3.autoReception = 1;
    SetText(state.pop3.adminEmail, sizeof state.pop3.adminEmail, "admin");
    Typed typed{{{IDC_POP3_INTERVAL, "0"}, {IDC_POP3_PORT, "110"}}};
    ExpectOutcome({MAIL_RANGE_FAILED, IDC_POP3_INTERVAL},
                  RunChecks(Pop3Checks(NUMBER_CHECK_LEAVE), state, typed), "leave");
    ExpectOutcome({MAIL_ADDRESS_INVALID, IDC_POP3_ADMIN_EMAIL},
                  RunChecks(Pop3Checks(NUMBER_CHECK_APPLY), state, typed), "apply");

    SetText(state.pop3.adminEmail, sizeof state.pop3.adminEmail, "admin@example.com");
    typed.texts[IDC_POP3_INTERVAL] = "61";
    ExpectOutcome({MAIL_RANGE_FAILED, IDC_POP3_INTERVAL},
                  RunChecks(Pop3Checks(NUMBER_CHECK_APPLY), state, typed), "61 minutes");
    typed.texts[IDC_POP3_INTERVAL] = "60";
    typed.texts[IDC_POP3_PORT] = "";
    ExpectOutcome({MAIL_RANGE_FAILED, IDC_POP3_PORT},
                  RunChecks(Pop3Checks(NUMBER_CHECK_LEAVE), state, typed), "the port comes last");
}

TEST(Pop3Checks, TheIntervalIsCheckedOnlyWithAutoReception)
{
    EditState state = {};
    Typed typed{{{IDC_POP3_INTERVAL, "0"}, {IDC_POP3_PORT, "110"}}};
    for (uint8_t phase : {NUMBER_CHECK_LEAVE, NUMBER_CHECK_APPLY})
        ExpectOutcome({MAIL_PASSED, 0}, RunChecks(Pop3Checks(phase), state, typed), "unchecked");
}

const Binding& BindingOf(const FormTable& table, int control)
{
    const Binding* b = FindBinding(table, control, nullptr);
    EXPECT_NE(nullptr, b) << "control " << control;
    static const Binding none = {};
    return b ? *b : none;
}

TEST(HostNameFilter, TheLdapServerLosesBackslashesAndStopsAtADoubleByteCharacter)
{
    const Binding& server = BindingOf(LDAP_TABLE, IDC_LDAP_SERVER);
    ASSERT_EQ(FILTER_HOST, server.text->filter);
    ASSERT_EQ(64, server.text->limit);

    const TextEnvironment western = {1252, 0, PortableAnsiToUtf16};
    char text[80] = "ldap\\.example";
    int caret = -1;
    EXPECT_EQ(0, FilterHostField(text, sizeof text, 64, &caret, western));
    EXPECT_STREQ("ldap.example", text);
    EXPECT_EQ(4, caret) << "the caret stays where the backslash was typed";

    const TextEnvironment japanese = {932, 0, PortableAnsiToUtf16};
    std::strcpy(text, "ab\x82\xa0"
                      "cd");
    EXPECT_EQ(0, FilterHostField(text, sizeof text, 64, &caret, japanese));
    EXPECT_STREQ("ab", text) << "cut before the double-byte character";

    std::strcpy(text, "dir.example.com");
    EXPECT_EQ(1, FilterHostField(text, sizeof text, 64, &caret, western));
}

// Where a scroll request leaves a slider bound in `table` that stands at `value`.
int AfterScroll(const FormTable& table, int control, long value, int request, int thumb = 0)
{
    const Binding& b = BindingOf(table, control);
    EditState state = {};
    const long target = SliderTarget(request, value, thumb, b.slider->range.min,
                                     b.slider->range.max, b.slider->lineStep, b.slider->pageStep);
    return SliderValue(b, target, &state);
}

TEST(Sliders, LdapAndMailSlidersClampIntoTheirRanges)
{
    EXPECT_EQ(60, AfterScroll(LDAP_TABLE, IDC_LDAP_TIMEOUT, 30, SCROLL_THUMB_TRACK, 75));
    EXPECT_EQ(5, AfterScroll(LDAP_TABLE, IDC_LDAP_TIMEOUT, 7, SCROLL_PAGE_LEFT))
        << "7 - 5 = 2 clamps to 5";
    EXPECT_EQ(15, AfterScroll(LDAP_TABLE, IDC_LDAP_MAX_RESULTS, 10, SCROLL_PAGE_RIGHT));
    EXPECT_EQ(100, AfterScroll(LDAP_TABLE, IDC_LDAP_MAX_RESULTS, 98, SCROLL_PAGE_RIGHT));
    EXPECT_EQ(10, AfterScroll(LDAP_TABLE, IDC_LDAP_MAX_RESULTS, 50, SCROLL_LEFT));

    for (const FormTable* table : {&SMTP_TABLE, &POP3_TABLE}) {
        EXPECT_EQ(30, AfterScroll(*table, IDC_SMTP_TIMEOUT, 35, SCROLL_PAGE_LEFT));
        EXPECT_EQ(300, AfterScroll(*table, IDC_SMTP_TIMEOUT, 120, SCROLL_THUMB_POSITION, 999));
        EXPECT_EQ(121, AfterScroll(*table, IDC_SMTP_TIMEOUT, 120, SCROLL_LINE_RIGHT));
        EXPECT_EQ(IDS_UNIT_SECONDS, BindingOf(*table, IDC_SMTP_TIMEOUT).slider->unitString);
    }
    EXPECT_EQ(0, BindingOf(LDAP_TABLE, IDC_LDAP_TIMEOUT).slider->unitString) << "\"%d\" alone";
    char label[32];
    FormatSliderLabel(label, sizeof label, 45, "sec.");
    EXPECT_STREQ("45 sec.", label);
}

TEST(SenderName, StaysInTheDeviceCharacterSetAndIsShownConverted)
{
    const Binding& sender = BindingOf(SMTP_TABLE, IDC_SMTP_SENDER_NAME);
    EditState state = {};
    ASSERT_EQ(1, StoreText(sender, "Jos\xE9", &state, IsJapaneseMode(state)));  // as typed, Windows-1252
    EXPECT_STREQ("Jos\x82", state.smtp.senderName) << "e-acute in the device's set";
    char shown[32];
    ShownText(sender, &state, IsJapaneseMode(state), shown, sizeof shown);
    EXPECT_STREQ("Jos\xE9", shown);
    EXPECT_EQ(0, StoreText(sender, shown, &state, IsJapaneseMode(state))) << "showing it again is no edit";

    // Another page's Apply stores the whole edit state: the device bytes go as they are.
    ASSERT_EQ(1, CreateDeviceImage(gDocument.image));
    std::strcpy(reinterpret_cast<char*>(ImageItemValue(gDocument.image, 0x10901)), "Jos\x82");
    SetImageItemLength(gDocument.image, 0x10901, 4);
    EditState loaded = {};
    ASSERT_EQ(1, LoadEditState(loaded, gDocument.image));
    ASSERT_EQ(1, CommitEditState(loaded, gDocument.image));
    EXPECT_STREQ("Jos\x82", reinterpret_cast<const char*>(ImageItemValue(gDocument.image, 0x10901)));
    EXPECT_EQ(4u, ItemLength(gDocument.image, FindItemRecord(0x10901)));
    ReleaseDeviceImage(gDocument.image);
}

TEST(MailTables, TextLimitsAndFiltersMatchTheirItems)
{
    struct Case {
        const FormTable* table;
        int control;
        int limit;
        TextFilter filter;
    };
    const Case cases[] = {
        {&SMTP_TABLE, IDC_SMTP_SENDER_NAME, 20, FILTER_NAME},
        {&SMTP_TABLE, IDC_SMTP_EMAIL, 64, FILTER_ASCII},
        {&SMTP_TABLE, IDC_SMTP_SERVER, 64, FILTER_ASCII},
        {&SMTP_TABLE, IDC_SMTP_SUBJECT, 20, FILTER_ASCII},
        {&SMTP_TABLE, IDC_SMTP_USER, 64, FILTER_NAME},
        {&SMTP_TABLE, IDC_SMTP_PASSWORD, 32, FILTER_NONE},
        {&POP3_TABLE, IDC_POP3_SERVER, 64, FILTER_ASCII},
        {&POP3_TABLE, IDC_POP3_USER, 64, FILTER_ASCII},
        {&POP3_TABLE, IDC_POP3_PASSWORD, 32, FILTER_ASCII},
        {&POP3_TABLE, IDC_POP3_ADMIN_EMAIL, 64, FILTER_ASCII},
        {&LDAP_TABLE, IDC_LDAP_USER, 64, FILTER_ASCII},
        {&LDAP_TABLE, IDC_LDAP_PASSWORD, 32, FILTER_ASCII},
        {&LDAP_TABLE, IDC_LDAP_SEARCH_BASE, 64, FILTER_ASCII},
    };
    for (const Case& c : cases) {
        const Binding& b = BindingOf(*c.table, c.control);
        ASSERT_EQ(BIND_TEXT, b.kind) << c.control;
        EXPECT_EQ(c.limit, b.text->limit) << c.control;
        EXPECT_EQ(c.filter, b.text->filter) << c.control;
        EXPECT_LE(c.limit + 1, b.field.size - 1) << "the text and its NUL fit the item";
    }
}

}  // namespace
