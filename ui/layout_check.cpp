// The "no text cut, no overlap" rules. See layout_check.h.
#include "ui/layout_check.h"

#include <algorithm>

namespace {

bool Counts(const LayoutControl& c)
{
    return c.visible && c.rect.right > c.rect.left && c.rect.bottom > c.rect.top;
}

bool Contains(const LayoutRect& outer, const LayoutRect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The width and height the control gives its text; 0 when it draws no text of its own.
int TextRoom(const LayoutControl& c, int* width, int* height)
{
    *width = c.rect.right - c.rect.left;
    *height = c.rect.bottom - c.rect.top;
    switch (c.kind) {
    case LAYOUT_STATIC:
        break;
    case LAYOUT_BUTTON:
        *width -= 2 * BUTTON_BORDER;
        *height -= 2 * BUTTON_BORDER;
        break;
    case LAYOUT_CHECKBOX:
    case LAYOUT_RADIO:
        *width -= c.checkWidth;
        break;
    case LAYOUT_GROUPBOX:
        *width -= 2 * GROUPBOX_INSET;
        break;
    default:
        return 0;
    }
    return 1;
}

void Add(std::vector<LayoutFault>* faults, LayoutFaultKind kind,
         const std::vector<LayoutControl>& controls, int index, int otherIndex, int need, int room)
{
    const int id = index < 0 ? 0 : controls[static_cast<size_t>(index)].id;
    const int otherId = otherIndex < 0 ? 0 : controls[static_cast<size_t>(otherIndex)].id;
    faults->push_back({kind, id, otherId, index, otherIndex, need, room});
}

}  // namespace

std::vector<LayoutFault> CheckLayout(const std::vector<LayoutControl>& controls, int width,
                                     int height, int screenWidth, int screenHeight)
{
    std::vector<LayoutFault> faults;
    if (width > screenWidth || height > screenHeight)
        Add(&faults, FAULT_FORM_TOO_BIG, controls, -1, -1, width, height);

    for (size_t i = 0; i < controls.size(); i++) {
        const LayoutControl& c = controls[i];
        const int index = static_cast<int>(i);
        if (!Counts(c) || (c.textWidth <= 0 && c.textHeight <= 0))
            continue;
        int roomWidth, roomHeight;
        if (!TextRoom(c, &roomWidth, &roomHeight))
            continue;
        if (c.textWidth > roomWidth)
            Add(&faults, FAULT_TEXT_TOO_WIDE, controls, index, -1, c.textWidth, std::max(roomWidth, 0));
        // A group box's caption sits on its top line, not inside it.
        if (c.kind != LAYOUT_GROUPBOX && c.textHeight > roomHeight)
            Add(&faults, FAULT_TEXT_TOO_TALL, controls, index, -1, c.textHeight, std::max(roomHeight, 0));
    }

    for (size_t i = 0; i < controls.size(); i++) {
        const LayoutControl& a = controls[i];
        if (!Counts(a))
            continue;
        for (size_t j = i + 1; j < controls.size(); j++) {
            const LayoutControl& b = controls[j];
            if (!Counts(b))
                continue;
            const int shareWidth =
                std::min(a.rect.right, b.rect.right) - std::max(a.rect.left, b.rect.left);
            const int shareHeight =
                std::min(a.rect.bottom, b.rect.bottom) - std::max(a.rect.top, b.rect.top);
            if (shareWidth <= OVERLAP_SLACK || shareHeight <= OVERLAP_SLACK)
                continue;
            if ((a.kind == LAYOUT_GROUPBOX && Contains(a.rect, b.rect)) ||
                (b.kind == LAYOUT_GROUPBOX && Contains(b.rect, a.rect)))
                continue;
            Add(&faults, FAULT_OVERLAP, controls, static_cast<int>(i), static_cast<int>(j), shareWidth, shareHeight);
        }
    }
    return faults;
}

std::string DescribeLayoutFault(const LayoutFault& f)
{
    const std::string control = "control " + std::to_string(f.id);
    const std::string need = std::to_string(f.need), room = std::to_string(f.room);
    switch (f.kind) {
    case FAULT_TEXT_TOO_WIDE:
        return control + ": text " + need + " px wide, room " + room;
    case FAULT_TEXT_TOO_TALL:
        return control + ": text " + need + " px tall, room " + room;
    case FAULT_OVERLAP:
        return control + " overlaps control " + std::to_string(f.otherId) + " by " + need +
               " x " + room + " px";
    case FAULT_FORM_TOO_BIG:
        return "the form is " + need + " x " + room + " px, more than the screen";
    }
    return control;
}
