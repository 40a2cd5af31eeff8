// What the Quick Dial, Speed Dial and Group lists and the member pane show for each kind of
// entry, built from stored entries through the decoders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dial/dial_rows.h"
#include "dial_test_support.h"
#include "resources/resource_ids.h"

namespace {

// A cell as the list would show it: its text, or "#id" for a string resource.
std::string Cell(const DialRow& row, int column)
{
    const RowCell& c = row.cells[column];
    return c.stringId ? "#" + std::to_string(c.stringId) : std::string(c.text);
}

std::vector<std::string> Cells(const DialRow& row)
{
    std::vector<std::string> cells;
    for (int i = 0; i < DIAL_COLUMN_COUNT; i++)
        cells.push_back(Cell(row, i));
    return cells;
}

std::string Id(int id) { return "#" + std::to_string(id); }

class DialRows : public DialTest {
protected:
    DialRow QuickRow(int index, int a3 = 0)
    {
        DialRecord r;
        DecodeQuickKey(&r, gDocument.edit, index);
        return BuildQuickDialRow(r, index, a3, IsInchDevice(gDocument.edit));
    }
    DialRow SpeedRow(int index, int a3 = 0)
    {
        DialRecord r;
        DecodeSpeedEntry(&r, gDocument.edit, index);
        return BuildSpeedDialRow(r, index, a3, IsInchDevice(gDocument.edit));
    }
    DialRow GroupRow(int index)
    {
        DialRecord r;
        DecodeGroupKey(&r, gDocument.edit, index);
        return BuildGroupRow(r, index);
    }
    std::vector<std::string> MemberTexts(int key, std::vector<int>* images = nullptr)
    {
        DialRecord g;
        DecodeGroupKey(&g, gDocument.edit, key);
        MemberRow rows[GROUP_MEMBER_MAX];
        int n = BuildMemberRows(rows, g, gDocument.edit);
        std::vector<std::string> texts;
        for (int k = 0; k < n; k++) {
            texts.push_back(rows[k].text);
            if (images)
                images->push_back(rows[k].image);
        }
        return texts;
    }
};

using Texts = std::vector<std::string>;

TEST_F(DialRows, EmptyEntriesShowOnlyTheirNumber)
{
    for (int i : {0, 9, 29}) {
        char number[4];
        snprintf(number, sizeof number, "%02d", i + 1);
        EXPECT_EQ((Texts{number, "", "", "", "", "", "", "", "", ""}), Cells(QuickRow(i, 1)));
        EXPECT_EQ(IMAGE_EMPTY, QuickRow(i).image);
        EXPECT_EQ((Texts{number, "", "", "", "", "", "", "", "", ""}), Cells(GroupRow(i)));
        EXPECT_EQ(IMAGE_EMPTY, GroupRow(i).image);
    }
    for (int i : {0, 7, 89}) {
        char number[4];
        snprintf(number, sizeof number, "%02d", i);
        EXPECT_EQ((Texts{number, "", "", "", "", "", "", "", "", ""}), Cells(SpeedRow(i, 1)));
        EXPECT_EQ(IMAGE_EMPTY, SpeedRow(i).image);
    }
}

TEST_F(DialRows, FaxEntriesShowNumberSubSidAndSpeed)
{
    PutQuickFax(Key(2), 2);
    EXPECT_EQ(
        (Texts{"03", "M\xFCller", "0312345678", "12", "345", Id(IDS_SPEED_14400), "", "", "", ""}),
        Cells(QuickRow(2, 1)))
        << "the A3 option columns stay empty for a fax entry";
    EXPECT_EQ(IMAGE_QUICK_FAX, QuickRow(2).image);
    PutSpeedFax(Speed(12), 12);
    EXPECT_EQ((Texts{"12", "Bob", "5551234", "", "", Id(IDS_SPEED_33600), "", "", "", ""}),
              Cells(SpeedRow(12)));
    EXPECT_EQ(IMAGE_SPEED_FAX, SpeedRow(12).image);

    Speed(12)[26] = 7;  // a speed code with no label
    EXPECT_EQ("", Cell(SpeedRow(12), 5));
}

TEST_F(DialRows, GroupShowsItsNameOnlyInBothLists)
{
    PutGroup(Key(5), 5, {{8, 3}, {4, 8}});
    EXPECT_EQ((Texts{"06", "Sales", "", "", "", "", "", "", "", ""}), Cells(QuickRow(5, 1)));
    EXPECT_EQ(IMAGE_QUICK_GROUP, QuickRow(5).image);
    EXPECT_EQ((Texts{"06", "Sales", "", "", "", "", "", "", "", ""}), Cells(GroupRow(5)));
    EXPECT_EQ(IMAGE_GROUP, GroupRow(5).image);
}

TEST_F(DialRows, QuickDialEntriesInTheGroupList)
{
    PutQuickFax(Key(0), 0);
    PutQuickEmail(Key(1), 1);
    EXPECT_EQ(IMAGE_GROUP_QUICK_FAX, GroupRow(0).image);
    EXPECT_EQ("M\xFCller", Cell(GroupRow(0), 1));
    EXPECT_EQ("", Cell(GroupRow(0), 2));
    EXPECT_EQ(IMAGE_QUICK_EMAIL, GroupRow(1).image);
    EXPECT_EQ("Jos\xE9", Cell(GroupRow(1), 1));
}

TEST_F(DialRows, CombinationKeyShowsOnlyItsNumber)
{
    PutQuickFax(Key(3), 3, FLAG_FAX | FLAG_QUICK | FLAG_CHAIN);
    EXPECT_EQ((Texts{"04", "", "0312345678", "", "", "", "", "", "", ""}), Cells(QuickRow(3)));
    EXPECT_EQ(IMAGE_QUICK_FAX, QuickRow(3).image);
    EXPECT_EQ((Texts{"04", "", "0312345678", "", "", "", Id(IDS_CUSTOM_SCAN_OFF), "", "", ""}),
              Cells(QuickRow(3, 1)))
        << "on the A3 model it shows the scan mode of customScan 0";
    PutSpeedFax(Speed(3), 3, FLAG_FAX | FLAG_SPEED | FLAG_CHAIN);
    EXPECT_EQ((Texts{"03", "", "5551234", "", "", "", "", "", "", ""}), Cells(SpeedRow(3, 1)));
}

TEST_F(DialRows, ProgramDialKeyShowsTheLabelOnly)
{
    Key(26)[1] = FLAG_PROGRAM;
    Key(27)[1] = FLAG_PROGRAM | FLAG_QUICK;
    EXPECT_EQ((Texts{"27", Id(IDS_PROGRAM_DIAL), "", "", "", "", "", "", "", ""}),
              Cells(QuickRow(26, 1)));
    EXPECT_EQ(IMAGE_QUICK_FAX, QuickRow(26).image);
    EXPECT_EQ(IMAGE_EMPTY, GroupRow(26).image) << "without FLAG_QUICK the Group list sees none";
    EXPECT_EQ(IMAGE_GROUP_QUICK_FAX, GroupRow(27).image);
    EXPECT_EQ(Id(IDS_PROGRAM_DIAL), Cell(GroupRow(27), 1));
}

TEST_F(DialRows, SpeedDialProgramEntryShowsTheLabelAndItsFaxColumns)
{
    PutSpeedFax(Speed(40), 40, FLAG_FAX | FLAG_SPEED | FLAG_PROGRAM);
    Speed(40)[26] = 2;
    EXPECT_EQ(
        (Texts{"40", Id(IDS_PROGRAM_DIAL), "5551234", "", "", Id(IDS_SPEED_9600), "", "", "", ""}),
        Cells(SpeedRow(40)));
}

TEST_F(DialRows, EmailEntriesShowTheAddressAndOnA3TheScanOptions)
{
    PutQuickEmail(Key(7), 7);
    EXPECT_EQ((Texts{"08", "Jos\xE9", "a.b@example.com", "", "", "", "", "", "", ""}),
              Cells(QuickRow(7, 0)))
        << "the A4 model shows nothing after the address";
    EXPECT_EQ(IMAGE_QUICK_EMAIL, QuickRow(7).image);
    EXPECT_EQ((Texts{"08", "Jos\xE9", "a.b@example.com", "", "", "", Id(IDS_CUSTOM_SCAN_ON),
                     Id(IDS_SCAN_SIZE_B4_JIS), Id(IDS_SCAN_RES_FINE), Id(IDS_SCAN_CODING_MMR)}),
              Cells(QuickRow(7, 1)));

    PutSpeedEmail(Speed(9), 9);
    EXPECT_EQ((Texts{"09", "\xDC", "x@y.org", "", "", "", Id(IDS_CUSTOM_SCAN_OFF), "", "", ""}),
              Cells(SpeedRow(9, 1)))
        << "with custom scan off only the scan mode shows";
    EXPECT_EQ(IMAGE_SPEED_EMAIL, SpeedRow(9).image);
}

TEST_F(DialRows, ScanSizeLabelsFollowThePaperSystem)
{
    PutSpeedEmail(Speed(0), 0);
    Speed(0)[26] = 1;  // custom scan on
    Speed(0)[27] = 2;
    EXPECT_EQ(Id(IDS_SCAN_SIZE_A4), Cell(SpeedRow(0, 1), 7));
    gDocument.edit.config.inchPaper = 1;
    EXPECT_EQ(Id(IDS_SCAN_SIZE_LETTER), Cell(SpeedRow(0, 1), 7));
    Speed(0)[27] = 9;
    EXPECT_EQ(Id(IDS_SCAN_SIZE_LEDGER), Cell(SpeedRow(0, 1), 7));
}

TEST_F(DialRows, ScanValuesWithoutALabelShowEmptyCells)
{
    PutQuickEmail(Key(0), 0);
    Key(0)[30] = 9;   // custom scan
    Key(0)[32] = 0;   // resolution index -1
    Key(0)[33] = 17;  // coding
    DialRow row = QuickRow(0, 1);
    EXPECT_EQ("", Cell(row, 6));
    EXPECT_EQ(Id(IDS_SCAN_SIZE_B4_JIS), Cell(row, 7));
    EXPECT_EQ("", Cell(row, 8));
    EXPECT_EQ("", Cell(row, 9));
}

TEST_F(DialRows, MembersShowNumberTwoBlanksAndName)
{
    PutQuickFax(Key(2), 2);
    PutQuickEmail(Key(4), 4);
    PutSpeedFax(Speed(7), 7);
    PutSpeedEmail(Speed(0), 0);
    PutGroup(Key(10), 10, {{8, 3}, {8, 5}, {4, 8}, {4, 1}, {4, 12}});
    std::vector<int> images;
    EXPECT_EQ((Texts{"03  M\xFCller", "05  Jos\xE9", "07  Bob", "00  \xDC", "11  "}),
              MemberTexts(10, &images))
        << "a member whose entry became empty shows its number and no name";
    EXPECT_EQ((std::vector<int>{IMAGE_QUICK_FAX, IMAGE_QUICK_EMAIL, IMAGE_SPEED_FAX,
                                IMAGE_SPEED_EMAIL, IMAGE_SPEED_FAX}),
              images);
}

TEST_F(DialRows, MembersNamingNoEntryShowTheirNumberAndNoName)
{
    // Filled tables, so that any look-up outside them would find a name.
    for (int i = 0; i < QUICK_KEY_COUNT; i++)
        PutQuickFax(Key(i), i);
    for (int i = 0; i < SPEED_DIAL_COUNT; i++)
        PutSpeedFax(Speed(i), i);
    PutGroup(Key(0), 0, {{8, 0}, {8, 31}, {4, 0}, {4, 91}, {7, 5}, {8, 30}, {4, 90}});
    std::vector<int> images;
    EXPECT_EQ((Texts{"00  ", "31  ", "-1  ", "90  ", "05  ", "30  M\xFCller", "89  Bob"}),
              MemberTexts(0, &images));
    EXPECT_EQ((std::vector<int>{IMAGE_QUICK_FAX, IMAGE_QUICK_FAX, IMAGE_SPEED_FAX, IMAGE_SPEED_FAX,
                                IMAGE_EMPTY, IMAGE_QUICK_FAX, IMAGE_SPEED_FAX}),
              images);
}

TEST_F(DialRows, OnlyAGroupHasMemberRows)
{
    PutQuickFax(Key(0), 0);
    EXPECT_TRUE(MemberTexts(0).empty());
    EXPECT_TRUE(MemberTexts(1).empty());
}

}  // namespace
