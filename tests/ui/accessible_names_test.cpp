// The names screen readers speak, judged on templates: which input controls no name reaches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/accessible_names.h"

namespace {

constexpr uint32_t TABSTOP = 0x10000, GROUP = 0x20000;
constexpr uint32_t GROUPBOX = 7, AUTOCHECK = 3, SS_BITMAP_STYLE = 0xE;

TemplateControl Make(int id, TemplateClass kind, uint32_t style, const char16_t* text,
                     const char16_t* className = u"")
{
    TemplateControl c = {};
    c.id = id;
    c.kind = kind;
    c.style = style;
    c.text = text;
    c.className = className;
    return c;
}
TemplateControl Label(const char16_t* text) { return Make(-1, CLASS_STATIC, 0, text); }
TemplateControl Edit(int id, uint32_t style = TABSTOP) { return Make(id, CLASS_EDIT, style, u""); }

struct Case {
    const char* what;
    std::vector<TemplateControl> controls;
    std::vector<int> unnamed;  // ids, in template order
};

TEST(AccessibleNames, InputControlsWithoutANameAreFound)
{
    const AccessibleName names[] = {{7, 30, 1}, {8, 31, 1}};
    const NameTable table = {names, 2};
    const Case cases[] = {
        {"a label names the control after it", {Label(u"&Name:"), Edit(10)}, {}},
        {"MSAA passes over a plain tab stop to the label before it",
         {Label(u"Fax &No.:"), Edit(10), Edit(11)},
         {}},
        {"a control that starts a tab group ends the search",
         {Label(u"Quick Dial"), Make(20, CLASS_BUTTON, TABSTOP | GROUP, u">>"), Edit(10)},
         {10}},
        {"the nearest static ends the search even when it shows nothing",
         {Label(u"Name:"), Make(-1, CLASS_STATIC, 0, u""), Edit(10)},
         {10}},
        {"a picture or blanks are no label",
         {Make(-1, CLASS_STATIC, SS_BITMAP_STYLE, u"x"), Edit(10), Label(u"&  "), Edit(11)},
         {10, 11}},
        {"a label never reaches an address control's fields",
         {Label(u"Device &IP Address:"), Make(20, CLASS_OTHER, TABSTOP, u"", u"SysIPAddress32")},
         {20}},
        {"a group box's caption is not its controls' name",
         {Make(-1, CLASS_BUTTON, GROUPBOX, u"&Quick Dial"),
          Make(20, CLASS_OTHER, TABSTOP | GROUP, u"List1", u"SysListView32")},
         {20}},
        {"buttons speak their own text; a group box takes no input",
         {Make(20, CLASS_BUTTON, TABSTOP | AUTOCHECK, u"&Beep"),
          Make(21, CLASS_BUTTON, TABSTOP, u""), Make(22, CLASS_BUTTON, GROUPBOX, u"")},
         {21}},
        {"common controls take input in or out of the tab order; others only in it",
         {Make(20, CLASS_OTHER, 0, u"", u"SysIPAddress32"),
          Make(21, CLASS_OTHER, 0, u"", u"msctls_updown32"),
          Make(22, CLASS_OTHER, TABSTOP, u"", u"MoravelPreviewPage"),
          Make(23, CLASS_SCROLLBAR, TABSTOP, u""), Make(24, CLASS_COMBOBOX, 0, u""),
          Make(25, CLASS_LISTBOX, 0, u"")},
         {20, 22, 23, 24, 25}},
        {"the table names a control of its form only",
         {Make(30, CLASS_SCROLLBAR, TABSTOP, u""), Make(31, CLASS_SCROLLBAR, TABSTOP, u"")},
         {31}},
    };
    for (const Case& c : cases) {
        DialogTemplate dialog;
        dialog.controls = c.controls;
        std::vector<int> found;
        for (size_t index : UnnamedInputControls(dialog, 7, table))
            found.push_back(dialog.controls[index].id);
        EXPECT_EQ(c.unnamed, found) << c.what;
    }
}

TEST(AccessibleNames, SourcesAndBadIndexes)
{
    DialogTemplate dialog;
    dialog.controls = {Label(u"&Name:"), Edit(10), Make(20, CLASS_BUTTON, TABSTOP, u"OK"),
                       Edit(11)};
    const AccessibleName names[] = {{5, 11, 1}};
    const NameTable table = {names, 1};
    EXPECT_EQ(NAME_LABEL, NameSourceOf(dialog, 1, 5, table));
    EXPECT_EQ(NAME_OWN_TEXT, NameSourceOf(dialog, 2, 5, table));
    EXPECT_EQ(NAME_TABLE, NameSourceOf(dialog, 3, 5, table));
    EXPECT_EQ(NAME_NONE, NameSourceOf(dialog, 4, 5, table));
    EXPECT_EQ(NAME_NONE, NameSourceOf(DialogTemplate(), 0, 5, table));
}

// Every entry of the program's table points at a string, and no control is named twice.
TEST(AccessibleNames, TheProgramsTableIsWellFormed)
{
    for (size_t i = 0; i < ACCESSIBLE_NAMES.count; i++) {
        const AccessibleName& n = ACCESSIBLE_NAMES.names[i];
        EXPECT_GE(n.stringId, 10200) << "entry " << i;
        EXPECT_LE(n.stringId, 10299) << "entry " << i;
        EXPECT_EQ(n.stringId, TableNameOf(ACCESSIBLE_NAMES, n.form, n.control))
            << "form " << n.form << " control " << n.control << " is named twice";
    }
}

}  // namespace
