// The device history's file names and which files make way for new ones.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/device_history.h"

namespace {

const HistoryTime NOON = {2026, 12, 9, 12, 5, 7};

TEST(DeviceHistory, NamesHoldTheDeviceAndTheTimeInCharactersEveryFolderTakes)
{
    const struct {
        const char* device;
        int copy;
        const char* name;
    } cases[] = {
        {"Front Office MFP", 1, "Front Office MFP 2026-12-09 120507.DAT"},
        {"Sales/Fax: 2nd \"floor\"?", 1, "Sales_Fax_ 2nd _floor__ 2026-12-09 120507.DAT"},
        {"", 1, "Device 2026-12-09 120507.DAT"},
        {" . ", 1, "Device 2026-12-09 120507.DAT"},
        {"..MFP. ", 1, "MFP 2026-12-09 120507.DAT"},
        {"J. M\x81ller\t", 1, "J. M_ller_ 2026-12-09 120507.DAT"},
        {"MFP", 2, "MFP 2026-12-09 120507 (2).DAT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.name, HistoryFileName(c.device, NOON, c.copy)) << c.device;
}

TEST(DeviceHistory, OnlyTheOldestFilesOfTheSameDeviceMakeWay)
{
    std::vector<std::string> names = {"notes.txt", "MFP.DAT", "Other 2020-01-01 000000.DAT",
                                      "MFP 2020-01-01 000000.txt", "MFP 2x20-01-01 000000.DAT"};
    for (int day = 1; day <= 28; day++)
        for (int copy : {1, 2}) {
            const HistoryTime t = {2026, 2, day, 8, 0, 0};
            names.push_back(HistoryFileName("MFP", t, copy));
        }
    names.push_back("mfp 2026-02-01 080000 (3).dat");  // the same device, whatever the case
    const std::string newest = HistoryFileName("MFP", NOON);
    names.push_back(newest);

    const std::vector<std::string> remove = HistoryFilesToRemove(names, newest);
    const std::vector<std::string> oldest = {
        "MFP 2026-02-01 080000.DAT",     "MFP 2026-02-01 080000 (2).DAT",
        "mfp 2026-02-01 080000 (3).dat", "MFP 2026-02-02 080000.DAT",
        "MFP 2026-02-02 080000 (2).DAT", "MFP 2026-02-03 080000.DAT",
        "MFP 2026-02-03 080000 (2).DAT", "MFP 2026-02-04 080000.DAT",
    };
    EXPECT_EQ(oldest, remove) << "58 files of the device: the 8 oldest go, 50 stay";
    EXPECT_TRUE(HistoryFilesToRemove(names, "notes.txt").empty());
}

}  // namespace
