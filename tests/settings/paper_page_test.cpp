// The Paper page's rules: the size lists by item 0x10112 with the selection by code, the
// custom-size clamps, the image values it writes, and the Auto Tray Select rows.
#include <gtest/gtest.h>

#include <vector>

#include "device/byte_order.h"
#include "settings/paper_page.h"
#include "settings/settings_rules.h"

namespace {

template <size_t N>
std::vector<int64_t> ShownCodes(const ComboRow (&rows)[N], uint8_t extraSizes)
{
    EditState state = {};
    state.paper.extraSizes = extraSizes;
    const Binding b = ComboCoded(1, EDIT_FIELD(paper.tray1Size), rows);
    const ComboRow* shown[N];
    const int n = ShownComboRows(b, &state, shown, static_cast<int>(N));
    std::vector<int64_t> codes;
    for (int i = 0; i < n; i++)
        codes.push_back(shown[i]->code);
    return codes;
}

TEST(PaperSizes, TheExtraSizesNeedItem10112AtOne)
{
    const std::vector<int64_t> full = {2,  8,  27, 3,  12, 11, 28, 21, 5,  29, 30,
                                       17, 31, 32, 33, 34, 35, 22, 24, 38, 36, 37};
    std::vector<int64_t> fullExtra = full;
    fullExtra.push_back(4);
    fullExtra.push_back(19);
    EXPECT_EQ(full, ShownCodes(PAPER_SIZES_FULL, 0));
    EXPECT_EQ(full, ShownCodes(PAPER_SIZES_FULL, 2)) << "only 1 offers them";
    EXPECT_EQ(fullExtra, ShownCodes(PAPER_SIZES_FULL, 1));

    const std::vector<int64_t> tray2 = {2, 3, 12, 11, 21, 5, 29, 30, 17};
    std::vector<int64_t> tray2Extra = tray2;
    tray2Extra.push_back(4);  // A5 Portrait, but never B6 JIS
    EXPECT_EQ(tray2, ShownCodes(PAPER_SIZES_TRAY2, 0));
    EXPECT_EQ(tray2Extra, ShownCodes(PAPER_SIZES_TRAY2, 1));
}

TEST(PaperSizes, ACodeNotInTheListSelectsTheFirstRow)
{
    const std::vector<int64_t> without = ShownCodes(PAPER_SIZES_FULL, 0);
    EXPECT_EQ(-1, FindComboRow(without.data(), static_cast<int>(without.size()), 4))
        << "A5 Portrait is not offered, so the list falls back to its first row";
    const std::vector<int64_t> with = ShownCodes(PAPER_SIZES_FULL, 1);
    EXPECT_EQ(22, FindComboRow(with.data(), static_cast<int>(with.size()), 4));
    EXPECT_EQ(3, FindComboRow(with.data(), static_cast<int>(with.size()), 3));
}

TEST(CustomSizes, TypedValuesAreKeptWithinTheTraysRanges)
{
    struct Case {
        int tray, y;
        long typed, shown;
    };
    const Case cases[] = {
        {PAPER_TRAY_1, 0, 50, 90},   {PAPER_TRAY_1, 0, 300, 216},   {PAPER_TRAY_1, 1, 100, 140},
        {PAPER_TRAY_1, 1, 356, 356}, {PAPER_TRAY_2, 0, 147, 148},   {PAPER_TRAY_2, 1, 999, 356},
        {PAPER_BYPASS, 0, 0, 55},    {PAPER_BYPASS, 1, 2000, 1296}, {PAPER_BYPASS, 1, 127, 127},
        {PAPER_BYPASS, 1, -5, 127},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, ClampCustomSize(c.tray, c.y, c.typed))
            << "tray " << c.tray << (c.y ? " Y " : " X ") << c.typed;
}

TEST(AutoTraySelect, RowsFollowTheOptionFlags)
{
    static EditState none, both, countTwo;
    both.config.optionalTray = 1;
    both.config.bypassTray = 1;
    countTwo.config.optionalTray = 2;  // two optional trays, still no bypass
    EXPECT_EQ(1, AutoTrayRowShown(PAPER_TRAY_1, none));
    EXPECT_EQ(0, AutoTrayRowShown(PAPER_TRAY_2, none));
    EXPECT_EQ(0, AutoTrayRowShown(PAPER_BYPASS, none));
    EXPECT_EQ(1, AutoTrayRowShown(PAPER_TRAY_2, both));
    EXPECT_EQ(1, AutoTrayRowShown(PAPER_BYPASS, both));
    EXPECT_EQ(1, AutoTrayRowShown(PAPER_TRAY_2, countTwo));
    EXPECT_EQ(0, AutoTrayRowShown(PAPER_BYPASS, countTwo)) << "a tray count is no bypass tray";
}

}  // namespace

#include "settings/copier_page.h"

namespace {

TEST(CopierTrayPriority, AStoredPriorityPastTheListIsClamped)
{
    struct Case {
        uint8_t value, trays, bypass, expected;
    };
    const Case cases[] = {
        {3, 1, 1, 2},  // list "Tray 1", "Tray 2": the bypass tray, one past it
        {3, 1, 0, 1},  // without the bypass: "Tray 2"
        {0, 0, 1, 0},  // "Tray 1" stays
        {2, 0, 1, 1}, {4, 4, 1, 4}, {9, 4, 0, 4}, {3, 7, 0, 0},  // a count past 4 lists Tray 1 only
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ClampTrayPriority(c.value, c.trays, c.bypass))
            << "value " << int(c.value) << ", trays " << int(c.trays) << ", bypass "
            << int(c.bypass);
    EXPECT_EQ(1, TrayPriorityCount(0));
    EXPECT_EQ(5, TrayPriorityCount(4));
    EXPECT_EQ(1, TrayPriorityCount(5));
}

TEST(CopierA3Fields, LeavingChecks1228FirstAndApplyChecks1155First)
{
    const CopierA3Field* leave = CopierA3CheckOrder(0);
    const CopierA3Field* apply = CopierA3CheckOrder(1);
    ASSERT_EQ(2, COPIER_A3_FIELD_COUNT);
    EXPECT_EQ(1228, leave[0].control);
    EXPECT_EQ(1155, leave[1].control);
    EXPECT_EQ(1155, apply[0].control);
    EXPECT_EQ(1228, apply[1].control);
    for (int applying = 0; applying < 2; applying++)
        for (int i = 0; i < COPIER_A3_FIELD_COUNT; i++) {
            const CopierA3Field& f = CopierA3CheckOrder(applying)[i];
            EXPECT_EQ(f.control == 1228 ? 0 : 5, f.min) << f.control;
            EXPECT_EQ(20, f.max) << f.control;
        }
}

}  // namespace
