// The names screen readers speak, judged on dialog templates. See accessible_names.h.
#include "ui/accessible_names.h"

#include "resources/resource_ids.h"

namespace {

constexpr uint32_t TAB_STOP = 0x00010000;  // WS_TABSTOP
constexpr uint32_t GROUP = 0x00020000;     // WS_GROUP
constexpr uint32_t BUTTON_TYPE_MASK = 0x0F;
constexpr uint32_t BUTTON_GROUPBOX = 7;
constexpr uint32_t STATIC_TYPE_MASK = 0x1F;

// Static styles that show their text: left, centred, right, simple, left without wrapping.
// The others are pictures, rectangles, frames and lines.
bool ShowsText(const TemplateControl& c)
{
    switch (c.style & STATIC_TYPE_MASK) {
    case 0x0:
    case 0x1:
    case 0x2:
    case 0xB:
    case 0xC:
        return true;
    }
    return false;
}

bool SameClass(const std::u16string& name, const char* wanted)
{
    size_t i = 0;
    for (; wanted[i] && i < name.size(); i++) {
        char16_t a = name[i], b = static_cast<char16_t>(wanted[i]);
        if (a >= u'A' && a <= u'Z')
            a = static_cast<char16_t>(a - u'A' + u'a');
        if (b >= u'A' && b <= u'Z')
            b = static_cast<char16_t>(b - u'A' + u'a');
        if (a != b)
            return false;
    }
    return !wanted[i] && i == name.size();
}

// Common controls that take input even when a template leaves them out of the tab order.
bool IsInputClass(const std::u16string& name)
{
    static const char* const classes[] = {
        "SysListView32",     "SysTreeView32", "msctls_trackbar32", "SysIPAddress32",
        "SysDateTimePick32", "SysMonthCal32", "msctls_hotkey32"};
    for (const char* c : classes)
        if (SameClass(name, c))
            return true;
    return false;
}

bool StartsTabGroup(const TemplateControl& c)
{
    return (c.style & (GROUP | TAB_STOP)) == (GROUP | TAB_STOP);
}

const AccessibleName NAMES[] = {
    {FORM_MAIN_WINDOW, IDC_TREE, IDS_NAME_TREE},
    {FORM_MAIN_WINDOW, IDC_DIALLIST, IDS_NAME_DIAL_LIST},
    {FORM_MAIN_WINDOW, IDC_MEMBERLIST, IDS_NAME_MEMBER_LIST},
    {IDD_PAGE_SYSTEM, IDC_SYS_AUTO_RESET_TIME, IDS_NAME_AUTO_RESET_TIME},
    {IDD_PAGE_SYSTEM, IDC_SYS_AUTO_OFF_MINUTES, IDS_NAME_AUTO_OFF_MINUTES},
    {IDD_PAGE_PAPER, IDC_PAPER_TRAY1_SIZE, IDS_NAME_TRAY1_SIZE},
    {IDD_PAGE_PAPER, IDC_PAPER_TRAY2_SIZE, IDS_NAME_TRAY2_SIZE},
    {IDD_PAGE_PAPER, IDC_PAPER_BYPASS_SIZE, IDS_NAME_BYPASS_SIZE},
    {IDD_PAGE_COPIER, IDC_COPY_MANUAL_DENSITY, IDS_NAME_MANUAL_DENSITY},
    {IDD_PAGE_COPIER, IDC_COPY_BALANCE_R, IDS_NAME_BALANCE_RED},
    {IDD_PAGE_COPIER, IDC_COPY_BALANCE_G, IDS_NAME_BALANCE_GREEN},
    {IDD_PAGE_COPIER, IDC_COPY_BALANCE_B, IDS_NAME_BALANCE_BLUE},
    {IDD_PAGE_RECEPTION, IDC_RX_START_MINUTE, IDS_NAME_RX_START_MINUTE},
    {IDD_PAGE_RECEPTION, IDC_RX_END_MINUTE, IDS_NAME_RX_END_MINUTE},
    {IDD_PAGE_POP3, IDC_POP3_INTERVAL, IDS_NAME_POP3_INTERVAL},
    {IDD_PAGE_SCANNER, IDC_SCAN_SIZE_KB, IDS_NAME_SCAN_SIZE_KB},
    {IDD_PAGE_NETWORK, IDC_NET_IP_ADDRESS, IDS_NAME_IP_ADDRESS},
    {IDD_PAGE_NETWORK, IDC_NET_SUBNET_MASK, IDS_NAME_SUBNET_MASK},
    {IDD_PAGE_NETWORK, IDC_NET_GATEWAY, IDS_NAME_GATEWAY},
    {IDD_PAGE_NETWORK, IDC_NET_DNS_ADDRESS, IDS_NAME_DNS_ADDRESS},
    {IDD_GROUP, IDC_GROUP_QUICK_LIST, IDS_NAME_GROUP_QUICK},
    {IDD_GROUP, IDC_GROUP_MEMBERS, IDS_NAME_GROUP_MEMBERS},
    {IDD_GROUP, IDC_GROUP_SPEED_LIST, IDS_NAME_GROUP_SPEED},
    {IDD_IMPORT_PREVIEW, IDC_IMPORT_LIST, IDS_NAME_IMPORT_LIST},
    {IDD_CHANGES, IDC_CHANGES_LIST, IDS_NAME_CHANGES_LIST},
    {IDD_PRINT_PREVIEW, IDC_PREVIEW_PAGE, IDS_NAME_PREVIEW_PAGE},
};

}  // namespace

const NameTable ACCESSIBLE_NAMES = {NAMES, sizeof NAMES / sizeof NAMES[0]};

int TakesInput(const TemplateControl& c)
{
    switch (c.kind) {
    case CLASS_EDIT:
    case CLASS_COMBOBOX:
    case CLASS_LISTBOX:
        return 1;
    case CLASS_BUTTON:
        return (c.style & BUTTON_TYPE_MASK) != BUTTON_GROUPBOX;
    case CLASS_STATIC:
        return 0;
    case CLASS_SCROLLBAR:
    case CLASS_OTHER:
        return (c.style & TAB_STOP) || (c.kind == CLASS_OTHER && IsInputClass(c.className));
    }
    return 0;
}

int TableNameOf(const NameTable& table, int form, int control)
{
    for (size_t i = 0; i < table.count; i++)
        if (table.names[i].form == form && table.names[i].control == control)
            return table.names[i].stringId;
    return 0;
}

NameSource NameSourceOf(const DialogTemplate& d, size_t index, int form, const NameTable& table)
{
    if (index >= d.controls.size())
        return NAME_NONE;
    const TemplateControl& c = d.controls[index];
    if (TableNameOf(table, form, c.id))
        return NAME_TABLE;
    // A button speaks its own text; MSAA looks for no label for it.
    if (c.kind == CLASS_BUTTON)
        return PlainLabel(c.text).empty() ? NAME_NONE : NAME_OWN_TEXT;
    // The focus goes to an address control's fields, whose label search stays among the
    // fields: the label before the control never reaches them.
    if (c.kind == CLASS_OTHER && SameClass(c.className, "SysIPAddress32"))
        return NAME_NONE;
    for (size_t i = index; i-- > 0;) {
        const TemplateControl& before = d.controls[i];
        if (before.kind == CLASS_STATIC)
            return ShowsText(before) && !PlainLabel(before.text).empty() ? NAME_LABEL : NAME_NONE;
        if (StartsTabGroup(before))
            break;
    }
    return NAME_NONE;
}

std::vector<size_t> UnnamedInputControls(const DialogTemplate& d, int form, const NameTable& table)
{
    std::vector<size_t> unnamed;
    for (size_t i = 0; i < d.controls.size(); i++)
        if (TakesInput(d.controls[i]) && NameSourceOf(d, i, form, table) == NAME_NONE)
            unnamed.push_back(i);
    return unnamed;
}
