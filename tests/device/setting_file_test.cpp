// Setting data files: the merge of a file's records into the image, the bytes written, and the
// native file seam (whole-file read, safe replacement on write).
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "device/setting_file.h"
#include "image_test_support.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> FileRecord(uint32_t id, uint32_t length, uint8_t fill)
{
    std::vector<uint8_t> record(ITEM_RECORD_SIZE, fill);
    WriteU32Le(record.data(), id);
    WriteU32Le(record.data() + ITEM_LENGTH_OFFSET, length);
    return record;
}

void Append(std::vector<uint8_t>& file, const std::vector<uint8_t>& record)
{
    file.insert(file.end(), record.begin(), record.end());
}

const uint32_t DIVIDE_ITEMS[] = {0x10B03, 0x10B05, 0x10B06, 0x10B04};

bool IsDivideItem(uint32_t id)
{
    for (uint32_t d : DIVIDE_ITEMS)
        if (d == id)
            return true;
    return false;
}

class SettingFileTest : public ImageTest {
protected:
    void SetUp() override
    {
        ImageTest::SetUp();
        char pattern[] = "/tmp/moravel-setting-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string PathOf(const char* name) const { return (dir / name).string(); }

    static void WriteRaw(const std::string& path, const std::vector<uint8_t>& bytes)
    {
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_NE(nullptr, f);
        if (!bytes.empty()) {
            ASSERT_EQ(bytes.size(), fwrite(bytes.data(), 1, bytes.size(), f));
        }
        fclose(f);
    }

    static std::vector<uint8_t> ReadRaw(const std::string& path)
    {
        std::vector<uint8_t> bytes;
        FILE* f = fopen(path.c_str(), "rb");
        if (!f)
            return bytes;
        int c;
        while ((c = fgetc(f)) != EOF)
            bytes.push_back(static_cast<uint8_t>(c));
        fclose(f);
        return bytes;
    }

    std::vector<std::string> FilesInDir() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        return names;
    }

    fs::path dir;
};

}  // namespace

// ---- Merge by id ---------------------------------------------------------------------------

TEST_F(SettingFileTest, SaveThenOpenReproducesEveryLengthAndValue)
{
    FillRecordsRandomly(3);
    const std::vector<uint8_t> saved = ImageCopy();
    const std::string path = PathOf("ROUND.DAT");
    ASSERT_EQ(1, WriteSettingFile(gDocument.image, path.c_str()));
    EXPECT_EQ(saved, ReadRaw(path)) << "the file is the image byte for byte";

    ResetDeviceImage(gDocument.image);
    ASSERT_EQ(1, ReadSettingFile(gDocument.image, path.c_str()));
    for (int r = 0; r < ITEM_COUNT; r++) {
        const uint8_t* was = saved.data() + r * ITEM_RECORD_SIZE;
        const uint8_t* now = ItemRecordBytes(gDocument.image, r);
        EXPECT_EQ(0, memcmp(was, now, ITEM_VALUE_OFFSET + ITEM_VALUE_SIZE)) << "record " << r;
        EXPECT_EQ(0, now[138] | now[139]) << "padding of record " << r << " is not read back";
    }
}

TEST_F(SettingFileTest, OneRecordFileChangesThatItemAndClearsTheDivideValues)
{
    FillRecordsRandomly(4);
    const std::vector<uint8_t> before = ImageCopy();
    ASSERT_EQ(1, MergeSettingBytes(gDocument.image, FileRecord(0x10000, 1, 0x77).data(), ITEM_RECORD_SIZE));

    for (int r = 0; r < ITEM_COUNT; r++) {
        const uint32_t id = PositionItemId(r);
        const uint8_t* was = before.data() + r * ITEM_RECORD_SIZE;
        if (id == 0x10000) {
            EXPECT_EQ(1u, ItemLength(gDocument.image, r));
            EXPECT_EQ(std::vector<uint8_t>(ITEM_VALUE_SIZE, 0x77),
                      std::vector<uint8_t>(ItemValue(gDocument.image, r), ItemValue(gDocument.image, r) + ITEM_VALUE_SIZE));
        } else if (IsDivideItem(id)) {
            EXPECT_EQ(ReadU32Le(was + ITEM_LENGTH_OFFSET), ItemLength(gDocument.image, r))
                << "length of 0x" << std::hex << id << " is kept";
            EXPECT_EQ(std::vector<uint8_t>(ITEM_VALUE_SIZE, 0),
                      std::vector<uint8_t>(ItemValue(gDocument.image, r), ItemValue(gDocument.image, r) + ITEM_VALUE_SIZE))
                << "value of 0x" << std::hex << id;
        } else {
            EXPECT_EQ(0, memcmp(was, ItemRecordBytes(gDocument.image, r), ITEM_RECORD_SIZE))
                << "item 0x" << std::hex << id << " must keep its contents";
        }
    }
}

TEST_F(SettingFileTest, EmptyFileChangesOnlyTheDivideValues)
{
    FillRecordsRandomly(6);
    std::vector<uint8_t> expected = ImageCopy();
    for (uint32_t id : DIVIDE_ITEMS) {
        uint8_t* at = expected.data() + FindItemRecord(id) * ITEM_RECORD_SIZE + ITEM_VALUE_OFFSET;
        memset(at, 0, ITEM_VALUE_SIZE);
    }
    const std::string path = PathOf("EMPTY.DAT");
    WriteRaw(path, {});
    ASSERT_EQ(1, ReadSettingFile(gDocument.image, path.c_str()));
    EXPECT_EQ(-1, FirstDifferentRecord(expected, ImageCopy()));
}

TEST_F(SettingFileTest, TrailingPartialRecordIsIgnored)
{
    FillRecordsRandomly(8);
    std::vector<uint8_t> file = ImageCopy();
    file.pop_back();  // 35,279 bytes: 251 whole records
    for (int r = 0; r < ITEM_COUNT; r++)
        memset(ItemValue(gDocument.image, r), 0x11, ITEM_VALUE_SIZE);
    const std::vector<uint8_t> before = ImageCopy();
    ASSERT_EQ(1, MergeSettingBytes(gDocument.image, file.data(), file.size()));
    for (int r = 0; r < ITEM_COUNT - 1; r++)
        EXPECT_EQ(0, memcmp(file.data() + r * ITEM_RECORD_SIZE, ItemRecordBytes(gDocument.image, r), 138))
            << "record " << r;
    EXPECT_EQ(
        0, memcmp(before.data() + 251 * ITEM_RECORD_SIZE, ItemRecordBytes(gDocument.image, 251), ITEM_RECORD_SIZE))
        << "the partial last record must not be read";
}

TEST_F(SettingFileTest, FirstRecordOfAnIdWinsAndOrderDoesNotMatter)
{
    std::vector<uint8_t> file;
    Append(file, FileRecord(0x12070, 98, 0x22));  // a Speed Dial entry before the settings
    Append(file, FileRecord(0x10C04, 9, 0x41));
    Append(file, FileRecord(0x10C04, 3, 0x42));
    Append(file, FileRecord(0x99999, 4, 0x43));  // not an item of this image
    Append(file, FileRecord(0x3, 7, 0x44));
    ASSERT_EQ(1, MergeSettingBytes(gDocument.image, file.data(), file.size()));

    const struct {
        uint32_t id;
        uint32_t length;
        uint8_t fill;
    } expected[] = {{0x12070, 98, 0x22}, {0x10C04, 9, 0x41}, {0x3, 7, 0x44}};
    for (const auto& e : expected) {
        const int r = FindItemRecord(e.id);
        EXPECT_EQ(e.length, ItemLength(gDocument.image, r)) << "item 0x" << std::hex << e.id;
        EXPECT_EQ(e.fill, ItemValue(gDocument.image, r)[0]) << "item 0x" << std::hex << e.id;
        EXPECT_EQ(e.fill, ItemValue(gDocument.image, r)[129]) << "item 0x" << std::hex << e.id;
        EXPECT_EQ(e.id, ItemId(gDocument.image, r)) << "the id stays the position's";
    }
    EXPECT_EQ(0u, ItemLength(gDocument.image, FindItemRecord(0x10000))) << "items missing from the file";
}

// A length above the value area is clamped so that nothing downstream can reach past the 130
// bytes; the absent marker and real lengths are kept.
TEST_F(SettingFileTest, ImpossibleLengthsAreClamped)
{
    const struct {
        uint32_t inFile;
        uint32_t inImage;
    } cases[] = {{0, 0},
                 {1, 1},
                 {130, 130},
                 {131, 130},
                 {0x1000, 130},
                 {0xFFFFFFFE, 130},
                 {ITEM_ABSENT, ITEM_ABSENT}};
    for (const auto& c : cases) {
        ASSERT_EQ(1,
                  MergeSettingBytes(gDocument.image, FileRecord(0x10801, c.inFile, 0x61).data(), ITEM_RECORD_SIZE));
        const int r = FindItemRecord(0x10801);
        EXPECT_EQ(c.inImage, ItemLength(gDocument.image, r)) << "file length " << c.inFile;
        EXPECT_LE(ItemValueLength(gDocument.image, r), static_cast<uint32_t>(ITEM_VALUE_SIZE));
        EXPECT_EQ(0x61, ItemValue(gDocument.image, r)[0]) << "the record is still read";
    }
}

TEST_F(SettingFileTest, OversizeFileIsRejectedAndChangesNothing)
{
    FillRecordsRandomly(9);
    const std::vector<uint8_t> before = ImageCopy();
    std::vector<uint8_t> file(DEVICE_IMAGE_SIZE + 1, 0);
    WriteU32Le(file.data(), 0x10000);
    WriteU32Le(file.data() + 4, 1);
    const std::string path = PathOf("BIG.DAT");
    WriteRaw(path, file);
    EXPECT_EQ(0, ReadSettingFile(gDocument.image, path.c_str()));
    EXPECT_EQ(0, MergeSettingBytes(gDocument.image, file.data(), file.size()));
    EXPECT_EQ(-1, FirstDifferentRecord(before, ImageCopy()))
        << "a rejected file must not clear the divide values either";

    file.resize(DEVICE_IMAGE_SIZE);
    WriteRaw(path, file);
    EXPECT_EQ(1, ReadSettingFile(gDocument.image, path.c_str())) << "exactly an image's size is accepted";
}

TEST_F(SettingFileTest, MissingFileFailsAndChangesNothing)
{
    FillRecordsRandomly(10);
    const std::vector<uint8_t> before = ImageCopy();
    EXPECT_EQ(0, ReadSettingFile(gDocument.image, PathOf("NONE.DAT").c_str()));
    EXPECT_EQ(-1, FirstDifferentRecord(before, ImageCopy()));
}

TEST_F(SettingFileTest, WithoutAnImageNothingIsReadOrWritten)
{
    const std::string path = PathOf("X.DAT");
    WriteRaw(path, FileRecord(0x10000, 1, 1));
    ReleaseDeviceImage(gDocument.image);
    EXPECT_EQ(0, ReadSettingFile(gDocument.image, path.c_str()));
    EXPECT_EQ(0, WriteSettingFile(gDocument.image, PathOf("Y.DAT").c_str()));
    EXPECT_FALSE(fs::exists(PathOf("Y.DAT")));
}

// ---- Writing -------------------------------------------------------------------------------

TEST_F(SettingFileTest, WriteReplacesTheOldFileAndLeavesNoTemporary)
{
    const std::string path = PathOf("DOC.DAT");
    WriteRaw(path, std::vector<uint8_t>(500, 0xAB));
    FillRecordsRandomly(12);
    ASSERT_EQ(1, WriteSettingFile(gDocument.image, path.c_str()));
    EXPECT_EQ(ImageCopy(), ReadRaw(path));
    EXPECT_EQ(std::vector<std::string>{"DOC.DAT"}, FilesInDir());
    EXPECT_EQ(1, SetFileHiddenOnly(path.c_str()));
}

TEST_F(SettingFileTest, WriteIntoAMissingFolderFails)
{
    EXPECT_EQ(0, WriteSettingFile(gDocument.image, PathOf("no-such-folder/DOC.DAT").c_str()));
    EXPECT_TRUE(FilesInDir().empty());
}

// The disk fills up halfway (a file size limit makes the write fail after 10,000 bytes): the
// old file must survive whole and the failure must be reported.
TEST_F(SettingFileTest, FailedWriteLeavesTheOldFileIntact)
{
    const std::string path = PathOf("DOC.DAT");
    const std::vector<uint8_t> old(DEVICE_IMAGE_SIZE, 0x5C);
    WriteRaw(path, old);
    FillRecordsRandomly(13);

    struct rlimit saved;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 10000;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &limited));
    const int result = WriteSettingFile(gDocument.image, path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(0, result);
    EXPECT_EQ(old, ReadRaw(path));
    EXPECT_EQ(std::vector<std::string>{"DOC.DAT"}, FilesInDir()) << "temporary file left";
}

// ---- The read seam -------------------------------------------------------------------------

TEST_F(SettingFileTest, ReadWholeFileRefusesWhatDoesNotFit)
{
    const std::string path = PathOf("R.BIN");
    uint8_t buffer[8];
    size_t size = 99;
    const struct {
        size_t fileSize;
        int result;
    } cases[] = {{0, 1}, {7, 1}, {8, 1}, {9, 0}, {4096, 0}};
    for (const auto& c : cases) {
        WriteRaw(path, std::vector<uint8_t>(c.fileSize, 0x33));
        size = 99;
        EXPECT_EQ(c.result, ReadWholeFile(path.c_str(), buffer, sizeof buffer, &size))
            << c.fileSize << "-byte file into 8 bytes";
        if (c.result) {
            EXPECT_EQ(c.fileSize, size);
        }
    }
}
