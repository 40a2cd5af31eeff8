// The SMTP and POP3 pages' own rules. See smtp_page.h.
#include "settings/smtp_page.h"

#include "resources/resource_ids.h"
#include "settings/settings_rules.h"
#include "ui/field_filters.h"

const SliderOptions MAIL_TIMEOUT_SLIDER = {Range(30, 300),   1, 10,     IDC_SMTP_TIMEOUT_VALUE,
                                           IDS_UNIT_SECONDS, 0, nullptr};

namespace {

constexpr long PORT_MIN = 1, PORT_MAX = 65535;

// ---- SMTP ----

const TextOptions SENDER_NAME = {TEXT_SHORT_SIZE - 2, FILTER_NAME, 1, 0, 0};
const TextOptions LONG_ASCII = {TEXT_LONG_SIZE - 2, FILTER_ASCII, 0, 0, 0};
const TextOptions SHORT_ASCII = {TEXT_SHORT_SIZE - 2, FILTER_ASCII, 0, 0, 0};
const TextOptions MEDIUM_ASCII = {TEXT_MEDIUM_SIZE - 2, FILTER_ASCII, 0, 0, 0};
const TextOptions POP3_PASSWORD = {TEXT_MEDIUM_SIZE - 2, FILTER_ASCII, 0, 0, 1};
const TextOptions LONG_NAME = {TEXT_LONG_SIZE - 2, FILTER_NAME, 0, 0, 0};
const TextOptions SMTP_PASSWORD = {TEXT_MEDIUM_SIZE - 2, FILTER_NONE, 0, 0, 1};
// The ports are checked by the pages' own check lists, in their order.
const NumberOptions PORT = {
    5, Range(PORT_MIN, PORT_MAX), IDS_RANGE_ERROR, NUMBER_DIGITS, ALWAYS, nullptr};

const RadioButton AUTHENTICATION[] = {
    {IDC_SMTP_AUTH_ON, SMTP_AUTH_ON, CODE_ANY},
    {IDC_SMTP_AUTH_OFF, SMTP_AUTH_OFF, CODE_ANY},
    {IDC_SMTP_AUTH_POP, SMTP_AUTH_POP, CODE_ANY},
};

const Binding SMTP_BINDINGS[] = {
    Text(IDC_SMTP_SENDER_NAME, EDIT_FIELD(smtp.senderName), SENDER_NAME),
    Text(IDC_SMTP_EMAIL, EDIT_FIELD(smtp.emailAddress), LONG_ASCII),
    Text(IDC_SMTP_SERVER, EDIT_FIELD(smtp.serverName), LONG_ASCII),
    Number(IDC_SMTP_PORT, EDIT_FIELD(smtp.port), PORT),
    Slider(IDC_SMTP_TIMEOUT, EDIT_FIELD(smtp.serverTimeout), MAIL_TIMEOUT_SLIDER),
    Text(IDC_SMTP_SUBJECT, EDIT_FIELD(smtp.defaultSubject), SHORT_ASCII),
    CheckBox(IDC_SMTP_FIXED_TEXT, EDIT_FIELD(smtp.insertFixedText), 8),
    RadioGroup(EDIT_FIELD(smtp.authentication), AUTHENTICATION),
    Text(IDC_SMTP_USER, EDIT_FIELD(smtp.userName), LONG_NAME),
    Text(IDC_SMTP_PASSWORD, EDIT_FIELD(smtp.password), SMTP_PASSWORD),
};

const int CREDENTIALS[] = {IDC_SMTP_USER, IDC_SMTP_PASSWORD, IDC_SMTP_USER_LABEL,
                           IDC_SMTP_PASSWORD_LABEL};
const ControlRule SMTP_ENABLES[] = {
    ControlsWhen(CREDENTIALS, WhenEqual(EDIT_FIELD(smtp.authentication), SMTP_AUTH_ON)),
};

const MailCheck SMTP_CHECKS[] = {
    {MAIL_CHECK_CREDENTIALS, IDC_SMTP_USER, IDC_SMTP_PASSWORD, EDIT_FIELD(smtp.userName),
     EDIT_FIELD(smtp.password), 0, 0, WhenEqual(EDIT_FIELD(smtp.authentication), SMTP_AUTH_ON)},
    {MAIL_CHECK_ADDRESS, IDC_SMTP_EMAIL, 0, EDIT_FIELD(smtp.emailAddress), NO_FIELD, 0, 0, ALWAYS},
    {MAIL_CHECK_RANGE, IDC_SMTP_PORT, 0, EDIT_FIELD(smtp.port), NO_FIELD, PORT_MIN, PORT_MAX,
     ALWAYS},
};

// ---- POP3 ----

const NumberOptions INTERVAL = {2, Range(1, 60), IDS_RANGE_ERROR, NUMBER_DIGITS, ALWAYS, nullptr};

const Binding POP3_BINDINGS[] = {
    Text(IDC_POP3_SERVER, EDIT_FIELD(pop3.serverName), LONG_ASCII),
    Text(IDC_POP3_USER, EDIT_FIELD(pop3.userName), LONG_ASCII),
    Text(IDC_POP3_PASSWORD, EDIT_FIELD(pop3.password), POP3_PASSWORD),
    Number(IDC_POP3_PORT, EDIT_FIELD(pop3.port), PORT),
    Slider(IDC_POP3_TIMEOUT, EDIT_FIELD(pop3.serverTimeout), MAIL_TIMEOUT_SLIDER),
    CheckBox(IDC_POP3_AUTO_RECEIVE, EDIT_FIELD(pop3.autoReception), 1),
    Number(IDC_POP3_INTERVAL, EDIT_FIELD(pop3.receptionInterval), INTERVAL),
    Text(IDC_POP3_ADMIN_EMAIL, EDIT_FIELD(pop3.adminEmail), LONG_ASCII),
    CheckBox(IDC_POP3_COVER_SHEET, EDIT_FIELD(pop3.printCoverSheet), 1),
    CheckBox(IDC_POP3_SAVE_ERROR, EDIT_FIELD(pop3.saveErrorInfo), 2),
};

constexpr Condition AUTO_RECEPTION = WhenNotEqual(EDIT_FIELD(pop3.autoReception), 0);
const int INTERVAL_FIELD[] = {IDC_POP3_INTERVAL, IDC_POP3_INTERVAL_LABEL};
const ControlRule POP3_ENABLES[] = {ControlsWhen(INTERVAL_FIELD, AUTO_RECEPTION)};

const MailCheck POP3_INTERVAL_CHECK = {
    MAIL_CHECK_RANGE, IDC_POP3_INTERVAL, 0, EDIT_FIELD(pop3.receptionInterval), NO_FIELD, 1, 60,
    AUTO_RECEPTION};
const MailCheck POP3_ADMIN_CHECK = {MAIL_CHECK_ADDRESS,
                                    IDC_POP3_ADMIN_EMAIL,
                                    0,
                                    EDIT_FIELD(pop3.adminEmail),
                                    NO_FIELD,
                                    0,
                                    0,
                                    ALWAYS};
const MailCheck POP3_PORT_CHECK = {MAIL_CHECK_RANGE, IDC_POP3_PORT, 0,        EDIT_FIELD(pop3.port),
                                   NO_FIELD,         PORT_MIN,      PORT_MAX, ALWAYS};
const MailCheck POP3_LEAVE_CHECKS[] = {POP3_INTERVAL_CHECK, POP3_ADMIN_CHECK, POP3_PORT_CHECK};
const MailCheck POP3_APPLY_CHECKS[] = {POP3_ADMIN_CHECK, POP3_INTERVAL_CHECK, POP3_PORT_CHECK};

template <size_t N>
MailCheckList ListOf(const MailCheck (&checks)[N])
{
    return {checks, static_cast<int>(N)};
}

}  // namespace

const FormTable SMTP_TABLE = Table(SMTP_BINDINGS, SMTP_ENABLES);
const FormTable POP3_TABLE = Table(POP3_BINDINGS, POP3_ENABLES);

MailCheckList SmtpChecks(uint8_t) { return ListOf(SMTP_CHECKS); }

MailCheckList Pop3Checks(uint8_t phase)
{
    return phase == NUMBER_CHECK_APPLY ? ListOf(POP3_APPLY_CHECKS) : ListOf(POP3_LEAVE_CHECKS);
}

MailFailure RunMailChecks(MailCheckList list, const EditState& state, MailFieldText text,
                          void* context)
{
    for (int i = 0; i < list.count; i++) {
        const MailCheck& c = list.checks[i];
        if (!ConditionHolds(c.when, &state))
            continue;
        switch (c.kind) {
        case MAIL_CHECK_CREDENTIALS:
            if (!FieldText(&state, c.field)[0])
                return {MAIL_NEED_BOTH, c.control, &c};
            if (!FieldText(&state, c.field2)[0])
                return {MAIL_NEED_BOTH, c.control2, &c};
            break;
        case MAIL_CHECK_ADDRESS: {
            const char* address = FieldText(&state, c.field);
            if (address[0] && !IsEmailAddress(address))
                return {MAIL_ADDRESS_INVALID, c.control, &c};
            break;
        }
        case MAIL_CHECK_RANGE: {
            const char* typed = text ? text(c.control, context) : nullptr;
            if (JudgeRangeField(typed ? typed : "", c.min, c.max) != RANGE_OK)
                return {MAIL_RANGE_FAILED, c.control, &c};
            break;
        }
        }
    }
    return {MAIL_PASSED, 0, nullptr};
}

FieldProblem MailCheckProblem(MailCheckList list, const EditState& state, MailFieldText text,
                              void* context)
{
    const MailFailure failure = RunMailChecks(list, state, text, context);
    switch (failure.verdict) {
    case MAIL_PASSED:
        break;
    case MAIL_NEED_BOTH:
        return {IDS_NEED_USER_AND_PASSWORD, failure.control, 0, 0};
    case MAIL_ADDRESS_INVALID:
        return {IDS_EMAIL_INVALID, failure.control, 0, 0};
    case MAIL_RANGE_FAILED: {
        const char* typed = text ? text(failure.control, context) : nullptr;
        return JudgeNumberField(typed ? typed : "", failure.control, IDS_RANGE_ERROR,
                                failure.check->min, failure.check->max);
    }
    }
    return NO_PROBLEM;
}
