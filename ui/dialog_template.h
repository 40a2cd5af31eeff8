// A dialog template read from its resource bytes (DLGTEMPLATE or DLGTEMPLATEEX): the caption and
// every control with its class, text, style, place and id, in the template's order. With it a
// program finds the words of its forms without creating a single window, and finds them as a
// person reads the form: the label on a control's row, its group box.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum TemplateClass : uint8_t {
    CLASS_BUTTON,
    CLASS_EDIT,
    CLASS_STATIC,
    CLASS_LISTBOX,
    CLASS_SCROLLBAR,
    CLASS_COMBOBOX,
    CLASS_OTHER,  // a class by name (list views, IP address fields, ...)
};

struct TemplateControl {
    int id;
    TemplateClass kind;
    uint32_t style;
    int x, y, cx, cy;          // dialog units
    std::u16string text;       // UTF-16, as the template holds it
    std::u16string className;  // the class's name when the template names it (CLASS_OTHER)
};

struct DialogTemplate {
    std::u16string caption;
    std::vector<TemplateControl> controls;
};

// 1, or 0 when the bytes are no whole template (nothing is read past `size`).
// A control's text as a name: access-key ampersands taken out ("&&" stays one "&"), and a
// trailing colon with the blanks around it dropped.
std::string PlainLabel(const std::string& text);
std::u16string PlainLabel(const std::u16string& text);

int ParseDialogTemplate(const uint8_t* bytes, size_t size, DialogTemplate* out);

// The control with `id`, or nullptr.
const TemplateControl* FindTemplateControl(const DialogTemplate& dialog, int id);

// The words that name control `id`: a check box's own text; a radio button's group box; for
// anything else the text on its left on the same row (a static, or the radio button or check
// box that switches it), else the nearest text before it in the template (a static, a group
// box or a check box). A label that a control in another group box of the form shares gets
// that box's text in front ("Tray 1 - Paper Type"). Empty when there is none.
std::u16string TemplateLabel(const DialogTemplate& dialog, int id);
