// The device history: before every upload the device's data as it was goes into a setting data
// file of its own, named after the device and the time, and only the newest files of each
// device are kept. The names and the choice of what to remove are decided here; the folder
// itself is the front end's.
#pragma once

#include <string>
#include <vector>

constexpr int HISTORY_KEEP = 50;

struct HistoryTime {
    int year, month, day, hour, minute, second;
};

// "<device name> YYYY-MM-DD HHMMSS.DAT": characters a file name cannot hold (and any outside
// plain ASCII, which code pages read differently) become '_', blanks and dots at the ends go,
// and an empty name is "Device". `copy` above 1 adds " (2)" and so on before the
// extension, for another file in the same second.
std::string HistoryFileName(const char* deviceName, const HistoryTime& time, int copy = 1);

// The files among `names` (the folder's file names) that belong to the same device as
// `fileName` (a HistoryFileName) and are older than its `keep` newest, oldest first. Names of
// other devices and other files are never chosen.
std::vector<std::string> HistoryFilesToRemove(const std::vector<std::string>& names,
                                              const std::string& fileName, int keep = HISTORY_KEEP);
