/*
 * The SMTP (template 723) and POP3 (template 724) pages: their tables and checks come from
 * smtp_page.cpp; here the checks get the texts the user typed, and authentication "On" takes
 * the focus to the user name.
 * The sender name stays in the device's character set in the edit state: only its control
 * shows it converted (TextOptions.deviceCharset), so another page's Apply stores it unharmed.
 */
#include <string>

#include "resources/resource_ids.h"
#include "settings/settings_pages_win.h"
#include "settings/smtp_page.h"
#include "ui/ui_win.h"

namespace {

struct FieldTexts {
    const Form* form;
    std::string text;
};

const char* TypedText(int control, void* context)
{
    FieldTexts* texts = static_cast<FieldTexts*>(context);
    char text[129] = "";
    ControlText(*texts->form, control, text, sizeof text);
    texts->text = text;
    return texts->text.c_str();
}

/* The page's checks over the edit state and, for the range-checked fields, their typed text. */
CheckResult Judge(const SettingsPage& page, MailCheckList list)
{
    FieldTexts texts = {&page.form, std::string()};
    return Found(MailCheckProblem(list, PageEdits(page), TypedText, &texts));
}

CheckResult SmtpCheck(const SettingsPage& page, CheckPhase phase)
{
    return Judge(page, SmtpChecks(static_cast<uint8_t>(phase)));
}

CheckResult Pop3Check(const SettingsPage& page, CheckPhase phase)
{
    return Judge(page, Pop3Checks(static_cast<uint8_t>(phase)));
}

/* Choosing authentication "On" takes the user to the user name it asks for. */
void SmtpEdited(SettingsPage& page, int control)
{
    if (control != IDC_SMTP_AUTH_ON)
        return;
    ApplyControlRules(page.form);
    SendMessageA(GetAncestor(page.form.window, GA_ROOT), WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(page.form.window, IDC_SMTP_USER)), TRUE);
}

}  // namespace

const SettingsPageDef SMTP_PAGE = Page(SMTP_TABLE).Edited(SmtpEdited).Check(SmtpCheck);

const SettingsPageDef POP3_PAGE = Page(POP3_TABLE).Check(Pop3Check);
