// The Win32 file seam of setting data files, run under Wine: whole-file reads, the safe
// replacement on write (hidden targets, read-only targets, leftovers), the hidden attribute.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "document/document.h"
#include "device/setting_file.h"

namespace {

class WinFileSeamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
        dir = std::string(temp) + "moravel-seam-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir;
    }

    void TearDown() override
    {
        for (const std::string& name : FilesInDir()) {
            const std::string path = dir + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(dir.c_str());
    }

    std::string PathOf(const char* name) const { return dir + "\\" + name; }

    static void WriteRaw(const std::string& path, const std::vector<uint8_t>& bytes)
    {
        HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, f) << path;
        DWORD wrote = 0;
        if (!bytes.empty())
            WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
        CloseHandle(f);
        ASSERT_EQ(bytes.size(), wrote);
    }

    static std::vector<uint8_t> ReadRaw(const std::string& path)
    {
        std::vector<uint8_t> bytes(100000);
        HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE)
            return {};
        DWORD got = 0;
        ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(f);
        bytes.resize(got);
        return bytes;
    }

    std::vector<std::string> FilesInDir() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
                names.push_back(found.cFileName);
        } while (FindNextFileA(h, &found));
        FindClose(h);
        return names;
    }

    std::string dir;
};

const std::vector<uint8_t> OLD_CONTENT(600, 0xA1);

// The attributes that matter here; Wine reports the archive attribute on every file.
DWORD Protection(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) &
           (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
}
const std::vector<uint8_t> NEW_CONTENT(DEVICE_IMAGE_SIZE, 0x5E);

}  // namespace

// A hidden file refuses CREATE_ALWAYS with normal attributes, which is how the backup file
// used to become unwritable after its first run.
TEST_F(WinFileSeamTest, WriteOverHiddenFileSucceedsAndCanBeHiddenAgain)
{
    const std::string path = PathOf("A4SPVX.BAK");
    WriteRaw(path, OLD_CONTENT);
    ASSERT_EQ(1, SetFileHiddenOnly(path.c_str()));
    ASSERT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN), Protection(path))
        << "hidden and nothing else";

    ASSERT_EQ(1, WriteWholeFileSafely(path.c_str(), NEW_CONTENT.data(), NEW_CONTENT.size()));
    EXPECT_EQ(NEW_CONTENT, ReadRaw(path));
    EXPECT_EQ(std::vector<std::string>{"A4SPVX.BAK"}, FilesInDir()) << "temporary file left";
    EXPECT_EQ(0u, Protection(path)) << "the new file is not hidden until told so";

    ASSERT_EQ(1, SetFileHiddenOnly(path.c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN), Protection(path));
    ASSERT_EQ(1, WriteWholeFileSafely(path.c_str(), OLD_CONTENT.data(), OLD_CONTENT.size()))
        << "a second write over the hidden file";
    EXPECT_EQ(OLD_CONTENT, ReadRaw(path));
}

TEST_F(WinFileSeamTest, RefusedReplacementKeepsOldFileAndAttributes)
{
    const struct {
        DWORD attributes;
        const char* what;
    } cases[] = {
        {FILE_ATTRIBUTE_READONLY, "read-only"},
        {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, "read-only and hidden"},
    };
    for (const auto& c : cases) {
        const std::string path = PathOf("KEEP.DAT");
        WriteRaw(path, OLD_CONTENT);
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
        EXPECT_EQ(0, WriteWholeFileSafely(path.c_str(), NEW_CONTENT.data(), NEW_CONTENT.size()))
            << c.what;
        EXPECT_EQ(OLD_CONTENT, ReadRaw(path)) << c.what;
        EXPECT_EQ(c.attributes, Protection(path)) << c.what;
        EXPECT_EQ(std::vector<std::string>{"KEEP.DAT"}, FilesInDir())
            << "temporary file left after a failed write to a " << c.what << " file";
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(WinFileSeamTest, WriteIntoMissingFolderFails)
{
    const std::string path = PathOf("missing\\DOC.DAT");
    EXPECT_EQ(0, WriteWholeFileSafely(path.c_str(), NEW_CONTENT.data(), NEW_CONTENT.size()));
    EXPECT_TRUE(FilesInDir().empty());
}

TEST_F(WinFileSeamTest, LeftoverTemporaryFileDoesNotBlockTheWrite)
{
    const std::string path = PathOf("DOC.DAT");
    const std::string leftover = path + SAFE_WRITE_SUFFIX;
    WriteRaw(leftover, OLD_CONTENT);
    ASSERT_TRUE(SetFileAttributesA(leftover.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(1, WriteWholeFileSafely(path.c_str(), NEW_CONTENT.data(), NEW_CONTENT.size()));
    EXPECT_EQ(NEW_CONTENT, ReadRaw(path));
    EXPECT_EQ(std::vector<std::string>{"DOC.DAT"}, FilesInDir());
}

TEST_F(WinFileSeamTest, ReadWholeFileRefusesWhatDoesNotFit)
{
    const std::string path = PathOf("R.BIN");
    uint8_t buffer[8];
    const struct {
        size_t fileSize;
        int result;
    } cases[] = {{0, 1}, {8, 1}, {9, 0}};
    for (const auto& c : cases) {
        WriteRaw(path, std::vector<uint8_t>(c.fileSize, 0x33));
        size_t size = 99;
        EXPECT_EQ(c.result, ReadWholeFile(path.c_str(), buffer, sizeof buffer, &size))
            << c.fileSize << "-byte file into 8 bytes";
        if (c.result) {
            EXPECT_EQ(c.fileSize, size);
        }
    }
    size_t size = 0;
    EXPECT_EQ(0, ReadWholeFile(PathOf("NONE.BIN").c_str(), buffer, sizeof buffer, &size));
}

TEST_F(WinFileSeamTest, SettingFileRoundTripThroughTheSeam)
{
    ASSERT_EQ(1, CreateDeviceImage(gDocument.image));
    for (int r = 0; r < ITEM_COUNT; r++) {
        SetItemLength(gDocument.image, r, static_cast<uint32_t>(r % 131));
        memset(ItemValue(gDocument.image, r), r, ITEM_VALUE_SIZE);
    }
    const std::vector<uint8_t> saved(gDocument.image.bytes, gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    const std::string path = PathOf("ROUND.DAT");
    ASSERT_EQ(1, WriteSettingFile(gDocument.image, path.c_str()));
    EXPECT_EQ(saved, ReadRaw(path));
    ResetDeviceImage(gDocument.image);
    ASSERT_EQ(1, ReadSettingFile(gDocument.image, path.c_str()));
    EXPECT_EQ(0, memcmp(saved.data(), gDocument.image.bytes, DEVICE_IMAGE_SIZE));
    ReleaseDeviceImage(gDocument.image);
}
