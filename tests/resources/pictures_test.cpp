// The committed pictures, read back from their headers: the image lists cut the strips into
// fixed cells by width and colour depth, and take magenta as the mask colour, so a picture
// regenerated at another size, depth or background would break the window without a compile
// error. Made by tools/make-pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string PICTURES = MORAVEL_PICTURES_DIR;
const uint32_t BITMAP_INFO_SIZE = 40;
const uint32_t MASK_COLOUR = 0xFF00FF;  // 0xRRGGBB

std::vector<uint8_t> ReadFile(const std::string& name)
{
    std::ifstream in(PICTURES + "/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Little-endian reads with a sticky error: any read past the end marks the reader bad and
// yields 0, so one check after a run of reads is enough.
struct Reader {
    const std::vector<uint8_t>& bytes;
    int ok;
};

uint32_t ReadLe(Reader* r, size_t offset, int size)
{
    if (offset > r->bytes.size() || r->bytes.size() - offset < static_cast<size_t>(size)) {
        r->ok = 0;
        return 0;
    }
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; i--)
        value = (value << 8) | r->bytes[offset + i];
    return value;
}

struct BitmapInfo {
    uint32_t fileSize;
    uint32_t pixelOffset;
    uint32_t infoSize;
    int32_t width;
    int32_t height;  // positive: bottom-up
    uint32_t planes;
    uint32_t bits;
    uint32_t compression;
    uint32_t coloursUsed;
};

// Reads BITMAPINFOHEADER fields at offset; 1 when all of them were inside the file.
int ReadBitmapInfo(Reader* r, size_t offset, BitmapInfo* info)
{
    info->infoSize = ReadLe(r, offset, 4);
    info->width = static_cast<int32_t>(ReadLe(r, offset + 4, 4));
    info->height = static_cast<int32_t>(ReadLe(r, offset + 8, 4));
    info->planes = ReadLe(r, offset + 12, 2);
    info->bits = ReadLe(r, offset + 14, 2);
    info->compression = ReadLe(r, offset + 16, 4);
    info->coloursUsed = ReadLe(r, offset + 32, 4);
    return r->ok;
}

size_t Stride(const BitmapInfo& info)
{
    return (static_cast<size_t>(info.width) * info.bits + 31) / 32 * 4;
}

// Colour (0xRRGGBB) of the pixel at x, y counted from the top of a bottom-up palette bitmap.
uint32_t PaletteColourAt(Reader* r, const BitmapInfo& info, int x, int y)
{
    size_t row = info.pixelOffset + (info.height - 1 - y) * Stride(info);
    uint32_t index;
    if (info.bits == 8) {
        index = ReadLe(r, row + x, 1);
    } else {
        uint32_t pair = ReadLe(r, row + x / 2, 1);
        index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
    }
    uint32_t bgrx = ReadLe(r, 14 + info.infoSize + 4 * index, 4);
    return ((bgrx & 0xFF) << 16) | (bgrx & 0xFF00) | ((bgrx >> 16) & 0xFF);
}

struct Strip {
    const char* file;
    int cellWidth;
    int cellHeight;
    int cells;
    uint32_t bits;
};

const Strip STRIPS[] = {
    {"tree.bmp", 16, 18, 14, 4},
    {"toolbar.bmp", 55, 55, 7, 8},
    {"toolbar_disabled.bmp", 55, 55, 7, 8},
};

TEST(Pictures, StripsHaveTheCellsTheImageListsCut)
{
    for (const Strip& strip : STRIPS) {
        SCOPED_TRACE(strip.file);
        std::vector<uint8_t> bytes = ReadFile(strip.file);
        Reader r{bytes, 1};
        ASSERT_GE(bytes.size(), 54u) << "file missing or shorter than its headers";
        EXPECT_EQ('B', bytes[0]);
        EXPECT_EQ('M', bytes[1]);
        BitmapInfo info{};
        info.fileSize = ReadLe(&r, 2, 4);
        info.pixelOffset = ReadLe(&r, 10, 4);
        ASSERT_TRUE(ReadBitmapInfo(&r, 14, &info));

        EXPECT_EQ(bytes.size(), info.fileSize) << "size in the file header";
        EXPECT_EQ(BITMAP_INFO_SIZE, info.infoSize) << "info header size";
        EXPECT_EQ(strip.cellWidth * strip.cells, info.width)
            << "width for " << strip.cells << " images of " << strip.cellWidth;
        EXPECT_EQ(strip.cellHeight, info.height) << "height (positive: bottom-up)";
        EXPECT_EQ(1u, info.planes);
        EXPECT_EQ(strip.bits, info.bits) << "bits per pixel";
        EXPECT_EQ(0u, info.compression) << "uncompressed";
        EXPECT_LE(info.coloursUsed, 1u << strip.bits) << "palette entries";
        uint32_t paletteEntries = info.coloursUsed ? info.coloursUsed : 1u << strip.bits;
        EXPECT_GE(info.pixelOffset, 14 + info.infoSize + 4 * paletteEntries)
            << "pixels overlap the palette";
        if (info.width > 0 && info.height > 0 && info.bits == strip.bits) {
            EXPECT_LE(info.pixelOffset + Stride(info) * info.height, bytes.size())
                << "pixel rows run past the end of the file";
        }
    }
}

TEST(Pictures, EveryImageCornerIsTheMaskColour)
{
    // The image lists take magenta as transparent; a picture whose corners are painted shows
    // a box around it on the button face or the selected row.
    for (const Strip& strip : STRIPS) {
        SCOPED_TRACE(strip.file);
        std::vector<uint8_t> bytes = ReadFile(strip.file);
        Reader r{bytes, 1};
        BitmapInfo info{};
        info.pixelOffset = ReadLe(&r, 10, 4);
        ASSERT_TRUE(ReadBitmapInfo(&r, 14, &info));
        ASSERT_EQ(strip.cellWidth * strip.cells, info.width);
        ASSERT_EQ(strip.cellHeight, info.height);
        ASSERT_EQ(strip.bits, info.bits);
        std::string painted;
        for (int cell = 0; cell < strip.cells; cell++) {
            int left = cell * strip.cellWidth;
            for (int x : {left, left + strip.cellWidth - 1}) {
                uint32_t colour = PaletteColourAt(&r, info, x, 0);
                if (colour != MASK_COLOUR)
                    painted += " image " + std::to_string(cell) + " x " + std::to_string(x);
            }
        }
        ASSERT_TRUE(r.ok) << "pixel or palette entry outside the file";
        EXPECT_EQ("", painted) << "top corners not magenta";
    }
}

TEST(Pictures, AboutPictureIsTrueColourAndSquare)
{
    std::vector<uint8_t> bytes = ReadFile("about.bmp");
    Reader r{bytes, 1};
    ASSERT_GE(bytes.size(), 54u) << "file missing or shorter than its headers";
    BitmapInfo info{};
    info.fileSize = ReadLe(&r, 2, 4);
    info.pixelOffset = ReadLe(&r, 10, 4);
    ASSERT_TRUE(ReadBitmapInfo(&r, 14, &info));
    EXPECT_EQ(bytes.size(), info.fileSize);
    EXPECT_EQ(24u, info.bits);
    EXPECT_EQ(0u, info.compression);
    EXPECT_EQ(info.width, info.height);
    EXPECT_GE(info.width, 64);
    EXPECT_LE(info.width, 96);
    EXPECT_LE(info.pixelOffset + Stride(info) * (info.height > 0 ? info.height : 0), bytes.size());
}

TEST(Pictures, IconHoldsThreeSizesInThirtyTwoBits)
{
    std::vector<uint8_t> bytes = ReadFile("moravel.ico");
    Reader r{bytes, 1};
    ASSERT_GE(bytes.size(), 6u) << "file missing or shorter than its directory";
    EXPECT_EQ(0u, ReadLe(&r, 0, 2)) << "reserved";
    EXPECT_EQ(1u, ReadLe(&r, 2, 2)) << "type 1 = icon";
    uint32_t count = ReadLe(&r, 4, 2);
    ASSERT_EQ(3u, count) << "images in the icon";

    std::set<int> sizes;
    for (uint32_t i = 0; i < count; i++) {
        size_t entry = 6 + 16 * i;
        int width = static_cast<int>(ReadLe(&r, entry, 1));
        int height = static_cast<int>(ReadLe(&r, entry + 1, 1));
        uint32_t bitCount = ReadLe(&r, entry + 6, 2);
        uint32_t length = ReadLe(&r, entry + 8, 4);
        uint32_t offset = ReadLe(&r, entry + 12, 4);
        ASSERT_TRUE(r.ok) << "directory entry " << i << " past the end";
        SCOPED_TRACE("image of " + std::to_string(width) + " pixels");
        EXPECT_EQ(width, height);
        EXPECT_EQ(32u, bitCount);
        ASSERT_LE(offset, bytes.size());
        ASSERT_LE(length, bytes.size() - offset) << "image data past the end";
        sizes.insert(width);

        BitmapInfo info{};
        ASSERT_TRUE(ReadBitmapInfo(&r, offset, &info));
        EXPECT_EQ(BITMAP_INFO_SIZE, info.infoSize);
        EXPECT_EQ(width, info.width);
        EXPECT_EQ(2 * width, info.height) << "colour and mask halves";
        EXPECT_EQ(32u, info.bits);
        EXPECT_EQ(0u, info.compression);
        size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
        size_t needed =
            BITMAP_INFO_SIZE + static_cast<size_t>(width) * width * 4 + maskStride * width;
        EXPECT_GE(length, needed) << "room for BGRA pixels and the AND mask";
    }
    EXPECT_EQ((std::set<int>{16, 32, 48}), sizes);
}

}  // namespace
