/* The device history folder and its files. See device_history_win.h. */
#include "document/device_history_win.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "device/setting_file.h"
#include "device/setting_file_io.h"
#include "document/device_history.h"

namespace {

std::string gFolder;  // set by a test; empty: the user's own

constexpr uint32_t DEVICE_NAME_ITEM = 0x10C04;
constexpr uint32_t DEVICE_NAME_MAX = 32;

std::string DeviceName(const DeviceImage& image)
{
    return ImageItemText(image, DEVICE_NAME_ITEM).substr(0, DEVICE_NAME_MAX);
}

std::vector<std::string> FolderFiles(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeFolder(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

void SetHistoryFolder(const char* folder) { gFolder = folder ? folder : ""; }

int HistoryFolder(char* path, int size, int create)
{
    std::string folder = gFolder;
    std::string parent;
    if (folder.empty()) {
        char base[MAX_PATH];
        if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base) !=
            S_OK)
            return 0;
        parent = std::string(base) + "\\Moravel";
        folder = parent + "\\History";
    }
    if (create && ((!parent.empty() && !MakeFolder(parent)) || !MakeFolder(folder)))
        return 0;
    if (static_cast<int>(folder.size()) >= size)
        return 0;
    lstrcpynA(path, folder.c_str(), size);
    return 1;
}

int KeepDeviceHistory(const DeviceImage& deviceData, char* written, int size)
{
    char folder[MAX_PATH];
    if (!HistoryFolder(folder, sizeof folder, 1)) {
        HistoryFolder(written, size, 0);
        return 0;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    const HistoryTime time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const std::string name = DeviceName(deviceData);
    std::string file = HistoryFileName(name.c_str(), time);
    for (int copy = 2; Exists(std::string(folder) + "\\" + file) && copy < 100; copy++)
        file = HistoryFileName(name.c_str(), time, copy);
    const std::string path = std::string(folder) + "\\" + file;
    lstrcpynA(written, path.c_str(), size);
    if (!WriteSettingFile(deviceData, path.c_str()))
        return 0;
    for (const std::string& old : HistoryFilesToRemove(FolderFiles(folder), file))
        DeleteFileA((std::string(folder) + "\\" + old).c_str());
    return 1;
}

void RemoveStaleHistoryFiles()
{
    char folder[MAX_PATH];
    if (!HistoryFolder(folder, sizeof folder, 0))
        return;
    for (const std::string& name : FolderFiles(folder)) {
        const size_t suffix = std::strlen(SAFE_WRITE_SUFFIX);
        if (name.size() > suffix &&
            lstrcmpiA(name.c_str() + name.size() - suffix, SAFE_WRITE_SUFFIX) == 0)
            RemoveStaleSaveFile(
                (std::string(folder) + "\\" + name.substr(0, name.size() - suffix)).c_str());
    }
}
