// The "no text cut, no overlap" check of a laid-out form: given every control's place in pixels
// and its text as measured in the control's own font, the faults a person would see. The Win32
// side (layout_check_win.h) measures real windows; the rules stay here so they are tested
// natively and serve every font, language and DPI alike.
#pragma once

#include <string>
#include <vector>

enum LayoutKind {
    LAYOUT_STATIC,
    LAYOUT_BUTTON,  // a push button
    LAYOUT_CHECKBOX,
    LAYOUT_RADIO,
    LAYOUT_GROUPBOX,
    LAYOUT_EDIT,
    LAYOUT_COMBO,  // its place is the closed field; the list it drops is no control of the form
    LAYOUT_LIST,
    LAYOUT_OTHER,  // pictures, scroll bars, list views: no text of their own to fit
};

struct LayoutRect {
    int left, top, right, bottom;  // right and bottom excluded
};

struct LayoutControl {
    int id;
    LayoutKind kind;
    bool visible;
    LayoutRect rect;  // in the form's client pixels
    // The text as drawn in the control's font: mnemonic '&' not counted, a static that wraps
    // measured wrapped at its own width (so too narrow a static shows up as too tall).
    int textWidth, textHeight;
    int checkWidth;  // check boxes and radio buttons: the box and the gap before the text
};

enum LayoutFaultKind {
    FAULT_TEXT_TOO_WIDE,
    FAULT_TEXT_TOO_TALL,
    FAULT_OVERLAP,
    FAULT_FORM_TOO_BIG,
};

struct LayoutFault {
    LayoutFaultKind kind;
    int id, otherId;  // the control (and the one it overlaps); 0 for the form itself
    int index, otherIndex;  // their places in the list checked (-1 for the form), for naming
                            // controls that share an id
    int need, room;   // text: its extent and the room for it; overlap: the shared width and
                      // height; form: its width and height
};

// A push button's text keeps off its raised edge and focus rectangle on both sides.
constexpr int BUTTON_BORDER = 3;
// A group box's caption sits on its frame, indented from each corner.
constexpr int GROUPBOX_INSET = 8;
// Dialog units are turned into pixels position and size apart, so neighbours placed edge to
// edge may share a pixel that nobody sees.
constexpr int OVERLAP_SLACK = 1;

// Every fault of a form whose window is `width` by `height` pixels, shown on a screen of
// `screenWidth` by `screenHeight` (1024 x 768 at 96 DPI; a larger DPI gives a larger number).
// Hidden controls and controls without area are ignored.
std::vector<LayoutFault> CheckLayout(const std::vector<LayoutControl>& controls, int width,
                                     int height, int screenWidth = 1024, int screenHeight = 768);

// One line for a person: "control 1203: text 84 px wide, room 80".
std::string DescribeLayoutFault(const LayoutFault& fault);
