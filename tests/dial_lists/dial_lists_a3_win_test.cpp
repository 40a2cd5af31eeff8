// The dial lists on the A3 model, with the A3 build's string table: the e-mail option columns
// 6 to 9 and their labels on metric and inch devices.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/app_state.h"
#include "document/document.h"
#include "document/dial_tables.h"
#include "tests/app/frame_harness_win.h"
#include "tests/dial_lists/dial_lists_harness_win.h"

namespace {

class DialListsA3 : public DialListWindow {
protected:
    void SetUp() override
    {
        Open("A3ZRPQ 2A02 2A03");
        ASSERT_EQ(MODEL_A3, gApp.model);
    }

    void ExpectRow(int row, std::vector<std::string> shown)
    {
        ShownRow expected;
        expected.image = std::stoi(shown[0]);
        expected.cells.assign(shown.begin() + 1, shown.end());
        EXPECT_EQ(Describe(expected), Describe(ReadRow(List(), row)))
            << "view " << gApp.currentView << " row " << row;
    }
};

TEST_F(DialListsA3, EmailRowsShowTheirScanOptionsOnAMetricDevice)
{
    PutFax(VIEW_QUICK, 0, "Alpha", "0123456", "12", "34", 1);
    PutEmail(VIEW_QUICK, 1, "Bravo", "bravo@example.org", 0, 2, 1, 1);
    PutEmail(VIEW_QUICK, 2, "Charlie", "charlie@example.org", 1, 1, 1, 2);
    PutCombination(VIEW_QUICK, 3, "Chain", "555+");
    PutGroup(4, "Team", {0}, {});
    PutProgramDial(VIEW_QUICK, 26);
    PutEmail(VIEW_SPEED, 0, "Echo", "echo@example.com", 1, 2, 0, 0);
    PutCombination(VIEW_SPEED, 1, "Link", "222+");
    PutFax(VIEW_SPEED, 2, "Golf", "22", "", "", 0);
    PutEmail(VIEW_SPEED, 3, "Mail", "mail@example.net", 1, 0, 1, 1);
    gDocument.edit.speedDial.entries[3][1] |= FLAG_CHAIN;

    Show(VIEW_QUICK);
    ASSERT_EQ(10, ListColumnCount(List()));
    EXPECT_EQ("Scan Mode", ListColumnText(List(), 6)) << "the A3 string table is linked";
    ExpectRow(0, {"2", "01", "Alpha", "0123456", "12", "34", "14.4K", "", "", "", ""});
    ExpectRow(1, {"4", "02", "Bravo", "bravo@example.org", "", "", "", "Balance", "", "", ""});
    ExpectRow(2, {"4", "03", "Charlie", "charlie@example.org", "", "", "", "Sharp/Soft", "B4 JIS",
                  "Fine", "MMR"});
    ExpectRow(3, {"2", "04", "", "555+", "", "", "", "Balance", "", "", ""});
    ExpectRow(4, {"5", "05", "Team", "", "", "", "", "", "", "", ""});
    ExpectRow(26, {"2", "27", "PROGRAM DIAL", "", "", "", "", "", "", "", ""});

    Show(VIEW_SPEED);
    ExpectRow(
        0, {"8", "00", "Echo", "echo@example.com", "", "", "", "Sharp/Soft", "A3", "Detail", "MH"});
    ExpectRow(1, {"6", "01", "", "222+", "", "", "", "", "", "", ""});
    ExpectRow(2, {"6", "02", "Golf", "22", "", "", "9.6K", "", "", "", ""});
    ExpectRow(3, {"8", "03", "", "mail@example.net", "", "", "", "Sharp/Soft", "A4", "Fine", "MR"});

    // The Group list has two columns; coming back, the option columns fill again.
    Show(VIEW_GROUP);
    ASSERT_EQ(2, ListColumnCount(List()));
    ExpectRow(2, {"4", "03", "Charlie"});
    Show(VIEW_SPEED);
    ASSERT_EQ(10, ListColumnCount(List()));
    ExpectRow(
        0, {"8", "00", "Echo", "echo@example.com", "", "", "", "Sharp/Soft", "A3", "Detail", "MH"});
}

TEST_F(DialListsA3, SizeLabelsFollowThePaperSystemOfTheDevice)
{
    struct Case {
        int inch;
        int scanSize;
        const char* label;
    };
    const Case cases[] = {
        {0, 0, "A4"}, {0, 1, "B4 JIS"}, {0, 2, "A3"}, {1, 0, "Letter"}, {1, 1, "Ledger"}};
    for (const Case& c : cases) {
        gDocument.edit.config.inchPaper = static_cast<uint8_t>(c.inch);
        PutEmail(VIEW_QUICK, 7, "Size", "size@example.org", 1, c.scanSize, 0, 0);
        PutEmail(VIEW_SPEED, 7, "Size", "size@example.org", 1, c.scanSize, 0, 0);
        for (int view : {VIEW_QUICK, VIEW_SPEED}) {
            Show(view);
            EXPECT_EQ(c.label, CellText(List(), 7, 7))
                << "view " << view << (c.inch ? " inch" : " metric") << " size " << c.scanSize;
        }
    }
}

}  // namespace
