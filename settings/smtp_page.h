// The SMTP and POP3 pages' own rules: their binding tables and the checks they run when they
// are left and on Apply, each page in its own order (POP3 checks in one order when it is left
// and in another on Apply). The checks read the edit state and, for the range-checked number
// fields, the text the user typed, which the caller supplies.
#pragma once

#include <cstdint>

#include "settings/settings_rules.h"

extern const FormTable SMTP_TABLE;
extern const FormTable POP3_TABLE;
// The server timeouts of both pages: 30..300 seconds, "%d sec.".
extern const SliderOptions MAIL_TIMEOUT_SLIDER;

enum SmtpAuthentication : uint8_t { SMTP_AUTH_ON = 0, SMTP_AUTH_OFF = 1, SMTP_AUTH_POP = 2 };

enum MailCheckKind : uint8_t {
    MAIL_CHECK_CREDENTIALS,  // both texts needed (user name first, then password)
    MAIL_CHECK_ADDRESS,      // an empty address passes; any other must be an e-mail address
    MAIL_CHECK_RANGE,        // the field's text within the range (the range check's rules)
};
struct MailCheck {
    MailCheckKind kind;
    int control;   // the field the check looks at and focuses on failure
    int control2;  // credentials: the password field
    FieldRef field;
    FieldRef field2;
    long min;
    long max;
    Condition when;  // the check runs only while this holds
};
struct MailCheckList {
    const MailCheck* checks;
    int count;
};
// The checks in the order they run; `phase` is NUMBER_CHECK_LEAVE or NUMBER_CHECK_APPLY.
MailCheckList SmtpChecks(uint8_t phase);
MailCheckList Pop3Checks(uint8_t phase);

enum MailVerdict {
    MAIL_PASSED,
    MAIL_NEED_BOTH,        // "Please enter both User Name and Password."
    MAIL_ADDRESS_INVALID,  // the invalid-address message
    MAIL_RANGE_FAILED,     // the range check's own message (empty or outside)
};
struct MailFailure {
    MailVerdict verdict;
    int control;  // the field to focus
    const MailCheck* check;
};
// The text of a range-checked field as it stands in its control.
typedef const char* (*MailFieldText)(int control, void* context);
// Runs the checks in order and stops at the first that fails.
MailFailure RunMailChecks(MailCheckList list, const EditState& state, MailFieldText text,
                          void* context);
// The same as the problem the page shows: "Please enter both User Name and Password.", the
// invalid-address message, or the range check's own message; NO_PROBLEM when all passed.
FieldProblem MailCheckProblem(MailCheckList list, const EditState& state, MailFieldText text,
                              void* context);
