// Dialog templates read from their bytes, and the words that name a control as a person reads
// the form.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/dialog_template.h"

namespace {

// A DIALOGEX template as the resource compiler writes it.
struct Builder {
    std::vector<uint8_t> bytes;
    void Word(uint32_t v)
    {
        bytes.push_back(static_cast<uint8_t>(v));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
    }
    void Dword(uint32_t v)
    {
        Word(v & 0xFFFF);
        Word(v >> 16);
    }
    void Text(const char* s)
    {
        for (; *s; s++)
            Word(static_cast<uint8_t>(*s));
        Word(0);
    }
    void Align()
    {
        while (bytes.size() % 4)
            bytes.push_back(0);
    }
    void Header(int count)
    {
        Word(1);
        Word(0xFFFF);
        Dword(0);
        Dword(0);
        Dword(0x40);  // DS_SETFONT
        Word(static_cast<uint32_t>(count));
        for (int i = 0; i < 4; i++)
            Word(0);
        Word(0);  // no menu
        Word(0);  // the dialog class
        Text("Paper");
        Word(8);
        Word(400);
        Word(0);
        Text("MS Shell Dlg");
    }
    // kind: the class ordinal (0x80 button, 0x82 static, 0x85 combo box).
    void Control(int id, uint32_t kind, uint32_t style, int x, int y, int cx, int cy,
                 const char* text)
    {
        Align();
        Dword(0);
        Dword(0);
        Dword(style);
        for (int v : {x, y, cx, cy})
            Word(static_cast<uint16_t>(v));
        Dword(static_cast<uint32_t>(id));
        Word(0xFFFF);
        Word(kind);
        Text(text);
        Word(0);
    }
};

constexpr uint32_t BUTTON = 0x80, STATIC = 0x82, COMBO = 0x85;
constexpr uint32_t GROUPBOX = 7, AUTORADIO = 9, AUTOCHECK = 3;

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

TEST(DialogTemplate, ControlsAreNamedAsTheFormReads)
{
    Builder b;
    b.Header(11);
    b.Control(-1, BUTTON, GROUPBOX, 7, 3, 238, 61, "Tray 1");
    b.Control(-1, STATIC, 0, 14, 16, 54, 8, "&Paper Type:");
    b.Control(10, COMBO, 0, 72, 14, 120, 120, "");
    b.Control(11, BUTTON, AUTORADIO, 14, 31, 56, 10, "Paper &Size");
    b.Control(13, BUTTON, AUTORADIO, 14, 47, 56, 10, "&Custom Size");
    b.Control(12, COMBO, 0, 72, 30, 120, 160, "");
    b.Control(-1, BUTTON, GROUPBOX, 7, 67, 238, 61, "Tray 2");
    b.Control(-1, STATIC, 0, 14, 80, 54, 8, "Paper &Type:");
    b.Control(20, COMBO, 0, 72, 78, 120, 120, "");
    b.Control(30, BUTTON, AUTOCHECK, 14, 140, 100, 10, "Auto &Reset Time");
    b.Control(31, COMBO, 0, 26, 153, 60, 90, "");
    DialogTemplate d;
    ASSERT_EQ(1, ParseDialogTemplate(b.bytes.data(), b.bytes.size(), &d));
    EXPECT_EQ(u"Paper", d.caption);
    ASSERT_EQ(11u, d.controls.size());
    EXPECT_EQ(CLASS_COMBOBOX, d.controls[2].kind);
    EXPECT_EQ(72, d.controls[2].x);

    const struct {
        int id;
        const char* label;
    } cases[] = {
        {10, "Tray 1 - &Paper Type:"},  // shared with Tray 2: the box says which
        {20, "Tray 2 - Paper &Type:"},
        {12, "Paper &Size"},       // the button on its row, not the label above
        {11, "Tray 1"},            // a radio button: its group box
        {30, "Auto &Reset Time"},  // a check box: its own
        {31, "Auto &Reset Time"},  // under the check box that switches it
        {99, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.label, Narrow(TemplateLabel(d, c.id))) << c.id;

    for (size_t cut : {size_t{0}, size_t{3}, b.bytes.size() / 2, b.bytes.size() - 1})
        EXPECT_EQ(0, ParseDialogTemplate(b.bytes.data(), cut, &d)) << "cut at " << cut;
    EXPECT_TRUE(d.controls.empty());
}

}  // namespace
