// The document as a front end uses it without windows: new data is taken with its dial entries
// mended, edits reach the image only when committed (with the lengths of the texts they
// changed) and are dropped by a revert, and a file that cannot be read changes nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "device/byte_order.h"
#include "device/setting_file.h"
#include "document/dial_records.h"
#include "document/document.h"

namespace {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(1, CreateDocument(doc)); }
    void TearDown() override { ReleaseDocument(doc); }
    Document doc = {};
};

uint32_t LengthOf(const Document& doc, uint32_t id) { return ImageItemLength(doc.image, id); }

TEST_F(DocumentTest, StartsEmptyAndTakesNewDataWithItsEntriesMended)
{
    EXPECT_EQ(0u, doc.dataPresent);
    EXPECT_EQ(0, doc.modified);
    // A Speed Dial fax entry with a length its stored form does not have.
    DialRecord fax = {};
    fax.inUse = 1;
    fax.kind = KIND_SPEED;
    std::strcpy(fax.name, "Desk");
    std::strcpy(fax.faxNumber, "0123");
    EncodeSpeedEntry(doc.edit, &fax, 0);
    StoreEditState(doc.edit, doc.image);
    SetImageItemLength(doc.image, 0x12070, 130);
    std::strcpy(reinterpret_cast<char*>(ImageItemValue(doc.image, 0x10C04)), "FRONT DESK");

    EXPECT_EQ(1, TakeNewImage(doc, QUICK_KEY_COUNT));
    EXPECT_STREQ("FRONT DESK", doc.edit.properties.deviceName);
    EXPECT_EQ(SPEED_FAX_LENGTH, LengthOf(doc, 0x12070)) << "mended in the image as well";
    EXPECT_EQ(0, TakeNewImage(doc, QUICK_KEY_COUNT)) << "nothing left to mend";
}

TEST_F(DocumentTest, EditsReachTheImageOnlyWhenCommittedAndARevertDropsThem)
{
    SetImageItemLength(doc.image, 0x10903, 9);
    SetImageItemLength(doc.image, 0x10905, 7);
    RevertEdits(doc);
    std::strcpy(doc.edit.smtp.emailAddress, "desk@example.com");
    EXPECT_EQ(0, ImageItemValue(doc.image, 0x10903)[0]) << "not before the commit";
    RevertEdits(doc);
    EXPECT_STREQ("", doc.edit.smtp.emailAddress) << "a revert drops the edit";

    std::strcpy(doc.edit.smtp.emailAddress, "desk@example.com");
    ASSERT_EQ(1, CommitEdits(doc));
    EXPECT_STREQ("desk@example.com",
                 reinterpret_cast<const char*>(ImageItemValue(doc.image, 0x10903)));
    EXPECT_EQ(16u, LengthOf(doc, 0x10903)) << "a changed text gets its length";
    EXPECT_EQ(7u, LengthOf(doc, 0x10905)) << "an unchanged one keeps its own";

    SetImageItemLength(doc.image, 0x10202, ITEM_ABSENT);
    EXPECT_EQ(0, SetSentLength(doc, 0x10202, 1)) << "an item the device lacks stays absent";
    EXPECT_EQ(ITEM_ABSENT, LengthOf(doc, 0x10202));
}

TEST_F(DocumentTest, FilesAreWrittenCommittedAndAFileThatCannotBeReadChangesNothing)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("document_test_" + std::to_string(getpid()) + ".dat"))
            .string();
    std::strcpy(doc.edit.properties.deviceName, "SAVED");
    ASSERT_EQ(1, WriteDocumentFile(doc, path.c_str()));
    EXPECT_STREQ("SAVED", reinterpret_cast<const char*>(ImageItemValue(doc.image, 0x10C04)))
        << "the edits were committed first";

    Document other = {};
    ASSERT_EQ(1, CreateDocument(other));
    ASSERT_EQ(1, ReadDocumentFile(other, path.c_str()));
    TakeNewImage(other, QUICK_KEY_COUNT);
    EXPECT_STREQ("SAVED", other.edit.properties.deviceName);

    const std::vector<uint8_t> before(other.image.bytes, other.image.bytes + DEVICE_IMAGE_SIZE);
    std::FILE* large = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, large);
    std::vector<uint8_t> tooMuch(DEVICE_IMAGE_SIZE + 1, 0x55);
    std::fwrite(tooMuch.data(), 1, tooMuch.size(), large);
    std::fclose(large);
    EXPECT_EQ(0, ReadDocumentFile(other, path.c_str()));
    EXPECT_EQ(0, ReadDocumentFile(other, (path + ".missing").c_str()));
    EXPECT_TRUE(before == std::vector<uint8_t>(other.image.bytes,
                                               other.image.bytes + DEVICE_IMAGE_SIZE));
    ReleaseDocument(other);
    std::remove(path.c_str());
}

}  // namespace
