// Dialog templates read from their bytes. See dialog_template.h.
#include "ui/dialog_template.h"

namespace {

constexpr uint32_t DS_SETFONT_STYLE = 0x40;
constexpr uint32_t DS_SHELLFONT_STYLE = 0x48;
constexpr uint32_t BUTTON_TYPE_MASK = 0x0F;
enum : uint32_t {
    BUTTON_CHECKBOX = 2,
    BUTTON_AUTOCHECKBOX = 3,
    BUTTON_RADIO = 4,
    BUTTON_3STATE = 5,
    BUTTON_AUTO3STATE = 6,
    BUTTON_GROUPBOX = 7,
    BUTTON_AUTORADIO = 9,
};

struct Reader {
    const uint8_t* bytes;
    size_t size;
    size_t at;
    bool ok;

    uint16_t Word()
    {
        if (at + 2 > size) {
            ok = false;
            return 0;
        }
        const uint16_t value = static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
        at += 2;
        return value;
    }
    uint32_t Dword()
    {
        const uint32_t low = Word();
        return low | static_cast<uint32_t>(Word()) << 16;
    }
    int Short() { return static_cast<int16_t>(Word()); }
    void Skip(size_t count)
    {
        if (at + count > size)
            ok = false;
        else
            at += count;
    }
    void Align()
    {
        const size_t aligned = (at + 3) & ~static_cast<size_t>(3);
        at = aligned <= size ? aligned : size;
    }
    std::u16string String()
    {
        std::u16string text;
        for (uint16_t c = Word(); ok && c; c = Word())
            text.push_back(static_cast<char16_t>(c));
        return text;
    }
    // A name or an ordinal (0xFFFF and a word); the ordinal goes to *ordinal when wanted.
    std::u16string NameOrOrdinal(uint16_t* ordinal = nullptr)
    {
        if (at + 2 <= size && bytes[at] == 0xFF && bytes[at + 1] == 0xFF) {
            Word();
            const uint16_t value = Word();
            if (ordinal)
                *ordinal = value;
            return std::u16string();
        }
        if (ordinal)
            *ordinal = 0;
        return String();
    }
};

TemplateClass ClassOf(uint16_t ordinal)
{
    switch (ordinal) {
    case 0x80:
        return CLASS_BUTTON;
    case 0x81:
        return CLASS_EDIT;
    case 0x82:
        return CLASS_STATIC;
    case 0x83:
        return CLASS_LISTBOX;
    case 0x84:
        return CLASS_SCROLLBAR;
    case 0x85:
        return CLASS_COMBOBOX;
    default:
        return CLASS_OTHER;
    }
}

TemplateClass ClassOf(const std::u16string& name)
{
    static const struct {
        const char* name;
        TemplateClass kind;
    } names[] = {{"button", CLASS_BUTTON},       {"edit", CLASS_EDIT},
                 {"static", CLASS_STATIC},       {"listbox", CLASS_LISTBOX},
                 {"scrollbar", CLASS_SCROLLBAR}, {"combobox", CLASS_COMBOBOX}};
    for (const auto& n : names) {
        size_t i = 0;
        for (; n.name[i] && i < name.size(); i++) {
            const char16_t c = name[i] >= u'A' && name[i] <= u'Z' ? name[i] - u'A' + u'a' : name[i];
            if (c != static_cast<char16_t>(n.name[i]))
                break;
        }
        if (!n.name[i] && i == name.size())
            return n.kind;
    }
    return CLASS_OTHER;
}

uint32_t ButtonType(const TemplateControl& c)
{
    return c.kind == CLASS_BUTTON ? c.style & BUTTON_TYPE_MASK : 0xFF;
}
bool IsCheckBox(const TemplateControl& c)
{
    const uint32_t t = ButtonType(c);
    return t == BUTTON_CHECKBOX || t == BUTTON_AUTOCHECKBOX || t == BUTTON_3STATE ||
           t == BUTTON_AUTO3STATE;
}
bool IsRadio(const TemplateControl& c)
{
    const uint32_t t = ButtonType(c);
    return t == BUTTON_RADIO || t == BUTTON_AUTORADIO;
}
bool IsGroupBox(const TemplateControl& c) { return ButtonType(c) == BUTTON_GROUPBOX; }

// A combo box's height in the template includes its drop-down list; on the form it takes one
// line.
constexpr int COMBO_LINE_HEIGHT = 14;
int ShownHeight(const TemplateControl& c)
{
    return c.kind == CLASS_COMBOBOX && c.cy > COMBO_LINE_HEIGHT ? COMBO_LINE_HEIGHT : c.cy;
}
bool IsText(const TemplateControl& c)
{
    return c.kind == CLASS_STATIC || IsCheckBox(c) || IsRadio(c);
}

// The group box that holds control `index`, or -1.
int GroupBoxOf(const DialogTemplate& d, size_t index)
{
    const TemplateControl& c = d.controls[index];
    for (size_t i = 0; i < d.controls.size(); i++) {
        const TemplateControl& box = d.controls[i];
        if (i != index && IsGroupBox(box) && c.x >= box.x && c.y >= box.y &&
            c.x + c.cx <= box.x + box.cx && c.y + ShownHeight(c) <= box.y + box.cy)
            return static_cast<int>(i);
    }
    return -1;
}

std::u16string PlainLabelAt(const DialogTemplate& d, size_t index)
{
    const TemplateControl& c = d.controls[index];
    if (IsCheckBox(c))
        return c.text;
    if (!IsRadio(c))
        for (size_t i = index; i-- > 0;) {
            const TemplateControl& b = d.controls[i];
            const int middle = b.y + ShownHeight(b) / 2;
            if (IsText(b) && b.x + b.cx <= c.x && middle >= c.y && middle <= c.y + ShownHeight(c) &&
                !b.text.empty())
                return b.text;
        }
    for (size_t i = index; i-- > 0;) {
        const TemplateControl& b = d.controls[i];
        if ((IsGroupBox(b) || (!IsRadio(c) && (IsCheckBox(b) || b.kind == CLASS_STATIC))) &&
            !b.text.empty())
            return b.text;
    }
    return IsRadio(c) ? c.text : std::u16string();
}

template <typename Text>
Text Plain(const Text& text)
{
    Text plain;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '&') {
            // "&&" is one ampersand; a lone one marks the next character and is not shown.
            if (i + 1 < text.size() && text[i + 1] == '&')
                plain.push_back(text[++i]);
            continue;
        }
        plain.push_back(text[i]);
    }
    while (!plain.empty() && (plain.back() == ' ' || plain.back() == ':'))
        plain.pop_back();
    return plain;
}

}  // namespace

std::string PlainLabel(const std::string& text) { return Plain(text); }

std::u16string PlainLabel(const std::u16string& text) { return Plain(text); }

int ParseDialogTemplate(const uint8_t* bytes, size_t size, DialogTemplate* out)
{
    *out = DialogTemplate();
    if (!bytes)
        return 0;
    Reader r = {bytes, size, 0, true};
    const bool extended =
        size >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    uint32_t style = 0;
    int count = 0;
    if (extended) {
        r.Skip(4 + 4 + 4);  // version and signature, help id, extended style
        style = r.Dword();
        count = r.Word();
    } else {
        style = r.Dword();
        r.Skip(4);  // extended style
        count = r.Word();
    }
    r.Skip(8);          // x, y, cx, cy
    r.NameOrOrdinal();  // menu
    r.NameOrOrdinal();  // class
    out->caption = r.String();
    if (style & (DS_SETFONT_STYLE | DS_SHELLFONT_STYLE)) {
        r.Skip(extended ? 6 : 2);  // point size (, weight, italic, character set)
        r.String();
    }
    for (int i = 0; i < count && r.ok; i++) {
        r.Align();
        TemplateControl c = {};
        if (extended) {
            r.Skip(4 + 4);  // help id, extended style
            c.style = r.Dword();
        } else {
            c.style = r.Dword();
            r.Skip(4);
        }
        c.x = r.Short();
        c.y = r.Short();
        c.cx = r.Short();
        c.cy = r.Short();
        c.id = extended ? static_cast<int>(r.Dword()) : static_cast<int16_t>(r.Word());
        uint16_t ordinal = 0;
        const std::u16string name = r.NameOrOrdinal(&ordinal);
        c.kind = ordinal ? ClassOf(ordinal) : ClassOf(name);
        c.className = name;
        c.text = r.NameOrOrdinal();
        r.Skip(r.Word());  // creation data
        if (r.ok)
            out->controls.push_back(c);
    }
    if (!r.ok)
        *out = DialogTemplate();
    return r.ok ? 1 : 0;
}

const TemplateControl* FindTemplateControl(const DialogTemplate& dialog, int id)
{
    for (const TemplateControl& c : dialog.controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

std::u16string TemplateLabel(const DialogTemplate& d, int id)
{
    const TemplateControl* control = FindTemplateControl(d, id);
    if (!control)
        return std::u16string();
    const size_t index = static_cast<size_t>(control - d.controls.data());
    const std::u16string label = PlainLabelAt(d, index);
    const int box = GroupBoxOf(d, index);
    if (label.empty() || box < 0 || d.controls[static_cast<size_t>(box)].text == label)
        return label;
    for (size_t i = 0; i < d.controls.size(); i++) {
        const TemplateControl& other = d.controls[i];
        if (i == index || IsText(other) || IsGroupBox(other) || other.id <= 0 ||
            GroupBoxOf(d, i) == box)
            continue;
        if (PlainLabel(PlainLabelAt(d, i)) == PlainLabel(label))
            return PlainLabel(d.controls[static_cast<size_t>(box)].text) + u" - " + label;
    }
    return label;
}
