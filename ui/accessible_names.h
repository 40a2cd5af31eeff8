// The names a screen reader speaks for the controls of a form. A control is named by its own
// text (a button, a check box, a radio button), by the static text that labels it, or by an
// entry of the program's name table, which the Win32 side gives through IAccPropServices. The
// rule judges a dialog template, so every form is checked without creating a window.
#pragma once

#include <cstddef>
#include <vector>

#include "ui/dialog_template.h"

// The main window's panes, which have no template: their form id in the table.
constexpr int FORM_MAIN_WINDOW = 0;

struct AccessibleName {
    int form;      // the dialog or page template id, or FORM_MAIN_WINDOW
    int control;   // the control id
    int stringId;  // the name's text in the string table
};

struct NameTable {
    const AccessibleName* names;
    size_t count;
};

// The program's names, for the controls that neither their own text nor a label names.
extern const NameTable ACCESSIBLE_NAMES;

enum NameSource {
    NAME_NONE,
    NAME_OWN_TEXT,
    NAME_LABEL,
    NAME_TABLE,
};

// 1 when the user works the control (types, picks, moves, presses): edits, lists, combo boxes,
// trees, sliders, address and date fields, buttons, and anything else in the tab order.
int TakesInput(const TemplateControl& control);

// The string id the table gives control `control` of form `form`, or 0.
int TableNameOf(const NameTable& table, int form, int control);

// Where control `index` of the template gets its name. The label is found as Microsoft Active
// Accessibility finds it: back through the tab order (the template's order) to the first static,
// stopping at a control that starts a tab group (WS_GROUP and WS_TABSTOP); that static names the
// control only when it shows text. A group box's caption never names a control: MSAA reads it as
// the group's own name, not as its controls', so a control whose only words are its box needs
// an entry in the table. An IP address control is named by the table only: the focus is in its
// fields, and their label search never leaves the control.
NameSource NameSourceOf(const DialogTemplate& dialog, size_t index, int form,
                        const NameTable& table);

// The indexes of the input controls of `dialog` that no name reaches, in template order.
std::vector<size_t> UnnamedInputControls(const DialogTemplate& dialog, int form,
                                         const NameTable& table);
