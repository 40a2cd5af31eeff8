// The "no text cut, no overlap" rules over controls placed by hand.
#include <gtest/gtest.h>

#include <vector>

#include "ui/layout_check.h"

namespace {

LayoutControl Control(int id, LayoutKind kind, LayoutRect rect, int textWidth = 0,
                      int textHeight = 0)
{
    const bool box = kind == LAYOUT_CHECKBOX || kind == LAYOUT_RADIO;
    return {id, kind, true, rect, textWidth, textHeight, box ? 16 : 0};
}

TEST(LayoutCheck, TextFitsTheRoomItsControlGives)
{
    const struct {
        const char* what;
        LayoutControl control;
        int faults;  // -1: none; else the kind of the one fault
        int need, room;
    } cases[] = {
        {"label that fits exactly", Control(1, LAYOUT_STATIC, {0, 0, 80, 13}, 80, 13), -1, 0, 0},
        {"label a pixel short", Control(1, LAYOUT_STATIC, {0, 0, 80, 13}, 81, 13),
         FAULT_TEXT_TOO_WIDE, 81, 80},
        {"wrapped label a line too many", Control(1, LAYOUT_STATIC, {0, 0, 80, 13}, 70, 26),
         FAULT_TEXT_TOO_TALL, 26, 13},
        {"button text inside its border", Control(1, LAYOUT_BUTTON, {0, 0, 75, 23}, 69, 13),
         -1, 0, 0},
        {"button text on its border", Control(1, LAYOUT_BUTTON, {0, 0, 75, 23}, 70, 13),
         FAULT_TEXT_TOO_WIDE, 70, 69},
        {"check box text beside the box", Control(1, LAYOUT_CHECKBOX, {0, 0, 100, 16}, 84, 13),
         -1, 0, 0},
        {"check box text under the box", Control(1, LAYOUT_CHECKBOX, {0, 0, 100, 16}, 85, 13),
         FAULT_TEXT_TOO_WIDE, 85, 84},
        {"radio text under the box", Control(1, LAYOUT_RADIO, {0, 0, 40, 16}, 30, 13),
         FAULT_TEXT_TOO_WIDE, 30, 24},
        {"group box caption past its corner", Control(1, LAYOUT_GROUPBOX, {0, 0, 60, 40}, 45, 13),
         FAULT_TEXT_TOO_WIDE, 45, 44},
        {"group box caption taller than a thin box", Control(1, LAYOUT_GROUPBOX, {0, 0, 60, 8}, 40, 13),
         -1, 0, 0},
        {"an edit's text is the user's", Control(1, LAYOUT_EDIT, {0, 0, 20, 13}, 300, 13), -1, 0, 0},
    };
    for (const auto& c : cases) {
        const std::vector<LayoutFault> faults = CheckLayout({c.control}, 400, 300);
        if (c.faults < 0) {
            EXPECT_TRUE(faults.empty()) << c.what << ": " << DescribeLayoutFault(faults[0]);
            continue;
        }
        ASSERT_EQ(1u, faults.size()) << c.what;
        EXPECT_EQ(c.faults, faults[0].kind) << c.what;
        EXPECT_EQ(c.need, faults[0].need) << c.what;
        EXPECT_EQ(c.room, faults[0].room) << c.what;
    }
}

TEST(LayoutCheck, OverlapOnlyInsideAGroupBox)
{
    const LayoutControl box = Control(1, LAYOUT_GROUPBOX, {10, 10, 200, 100});
    const struct {
        const char* what;
        LayoutControl a, b;
        bool fault;
    } cases[] = {
        {"edit over its label", Control(2, LAYOUT_STATIC, {10, 10, 90, 23}),
         Control(3, LAYOUT_EDIT, {80, 8, 200, 29}), true},
        {"edge to edge", Control(2, LAYOUT_STATIC, {10, 10, 90, 23}),
         Control(3, LAYOUT_EDIT, {90, 8, 200, 29}), false},
        {"a pixel of rounding", Control(2, LAYOUT_RADIO, {10, 10, 91, 26}),
         Control(3, LAYOUT_RADIO, {90, 10, 150, 26}), false},
        {"radio inside its group box", box, Control(3, LAYOUT_RADIO, {20, 30, 100, 46}), false},
        {"check box across a group box's top line", box,
         Control(3, LAYOUT_CHECKBOX, {20, 5, 100, 21}), true},
        {"two group boxes crossing", box, Control(3, LAYOUT_GROUPBOX, {150, 50, 300, 150}),
         true},
        {"nested group boxes", box, Control(3, LAYOUT_GROUPBOX, {20, 20, 190, 90}), false},
        {"hidden twin in the same place", Control(2, LAYOUT_EDIT, {10, 10, 90, 23}),
         {3, LAYOUT_EDIT, false, {10, 10, 90, 23}, 0, 0, 0}, false},
        {"a control of no size", Control(2, LAYOUT_EDIT, {10, 10, 90, 23}),
         Control(3, LAYOUT_STATIC, {20, 10, 20, 23}), false},
    };
    for (const auto& c : cases) {
        const std::vector<LayoutFault> faults = CheckLayout({c.a, c.b}, 400, 300);
        ASSERT_EQ(c.fault ? 1u : 0u, faults.size()) << c.what;
        if (c.fault) {
            EXPECT_EQ(FAULT_OVERLAP, faults[0].kind) << c.what;
            EXPECT_EQ(c.a.id, faults[0].id) << c.what;
            EXPECT_EQ(3, faults[0].otherId) << c.what;
        }
    }
}

TEST(LayoutCheck, FormMustFitTheScreen)
{
    EXPECT_TRUE(CheckLayout({}, 1024, 768).empty());
    for (const auto& size : {std::pair<int, int>{1025, 700}, {800, 769}}) {
        const std::vector<LayoutFault> faults = CheckLayout({}, size.first, size.second);
        ASSERT_EQ(1u, faults.size()) << size.first << " x " << size.second;
        EXPECT_EQ(FAULT_FORM_TOO_BIG, faults[0].kind);
        EXPECT_EQ("the form is " + std::to_string(size.first) + " x " +
                      std::to_string(size.second) + " px, more than the screen",
                  DescribeLayoutFault(faults[0]));
    }
    EXPECT_TRUE(CheckLayout({}, 1536, 1152, 1536, 1152).empty()) << "a larger DPI, a larger screen";
}

}  // namespace
