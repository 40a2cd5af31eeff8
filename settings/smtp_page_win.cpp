/*
 * The SMTP (template 723) and POP3 (template 724) pages: their tables come from smtp_page.cpp;
 * here are the checks' messages and the focus that authentication "On" gives the user name.
 * The sender name stays in the device's character set in the edit state: only its control
 * shows it converted (TextOptions.deviceCharset), so another page's Apply stores it unharmed.
 */
#include <string>

#include "ui/ui_win.h"
#include "resources/resource_ids.h"
#include "settings/settings_pages_win.h"
#include "settings/smtp_page.h"

namespace {

struct FieldTexts {
    HWND page;
    std::string text;
};

const char* TypedText(int control, void* context)
{
    FieldTexts* texts = static_cast<FieldTexts*>(context);
    char text[129] = "";
    GetDlgItemTextA(texts->page, control, text, sizeof text);
    texts->text = text;
    return texts->text.c_str();
}

/* 0 when every check passed, else the failing field (its message has been shown). */
int RunPageChecks(SettingsPage& page, MailCheckList list)
{
    FieldTexts texts = {page.window, std::string()};
    const MailFailure failure = RunMailChecks(list, gDocument.edit, TypedText, &texts);
    HWND owner = GetAncestor(page.window, GA_ROOT);
    switch (failure.verdict) {
    case MAIL_PASSED:
        return 0;
    case MAIL_NEED_BOTH:
        ShowMessageId(owner, IDS_NEED_USER_AND_PASSWORD, MB_OK);
        break;
    case MAIL_ADDRESS_INVALID:
        ShowMessageId(owner, IDS_EMAIL_INVALID, MB_OK);
        break;
    case MAIL_RANGE_FAILED:
        CheckRangeField(page.window, failure.control, IDS_RANGE_ERROR, failure.check->min,
                        failure.check->max);
        break;
    }
    return failure.control;
}

int SmtpCheck(SettingsPage& page, CheckPhase phase)
{
    return RunPageChecks(page, SmtpChecks(static_cast<uint8_t>(phase)));
}

int Pop3Check(SettingsPage& page, CheckPhase phase)
{
    return RunPageChecks(page, Pop3Checks(static_cast<uint8_t>(phase)));
}

/* Choosing authentication "On" takes the user to the user name it asks for. */
void SmtpEdited(SettingsPage& page, int control)
{
    if (control != IDC_SMTP_AUTH_ON)
        return;
    ApplyControlRules(page);
    SendMessageA(GetAncestor(page.window, GA_ROOT), WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(page.window, IDC_SMTP_USER)), TRUE);
}

}  // namespace

const SettingsPageDef SMTP_PAGE = {
    SMTP_TABLE, nullptr, nullptr, nullptr, nullptr, SmtpEdited, SmtpCheck, nullptr,
};

const SettingsPageDef POP3_PAGE = {
    POP3_TABLE, nullptr, nullptr, nullptr, nullptr, nullptr, Pop3Check, nullptr,
};
