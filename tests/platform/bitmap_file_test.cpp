// Reading .bmp files, and the module's embedded resources.
#include "soft_test_support.h"

#include "platform/drawing/bitmap_file.h"

#include <climits>
#include <cstring>
#include <vector>

using namespace platform;

namespace {

class BitmapFile : public SoftDesktopTest {};

using Bytes = std::vector<unsigned char>;

void put16(Bytes& bytes, size_t at, uint32_t value) {
    bytes[at] = value & 0xFF;
    bytes[at + 1] = value >> 8 & 0xFF;
}
void put32(Bytes& bytes, size_t at, uint32_t value) {
    put16(bytes, at, value & 0xFFFF);
    put16(bytes, at + 2, value >> 16);
}

// A whole file: headers, palette (blue, green, red, 0 per entry) and the rows as given.
Bytes bitmapFile(int32_t width, int32_t height, int bitsPerPixel, const Bytes& palette, const Bytes& pixels) {
    Bytes file(54 + palette.size() + pixels.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, uint32_t(file.size()));
    put32(file, 10, uint32_t(54 + palette.size()));
    put32(file, 14, 40);
    put32(file, 18, uint32_t(width));
    put32(file, 22, uint32_t(height));
    put16(file, 26, 1);
    put16(file, 28, uint32_t(bitsPerPixel));
    put32(file, 46, uint32_t(palette.size() / 4));
    if (!palette.empty()) std::memcpy(file.data() + 54, palette.data(), palette.size());
    if (!pixels.empty()) std::memcpy(file.data() + 54 + palette.size(), pixels.data(), pixels.size());
    return file;
}

struct Decoded {
    explicit Decoded(const Bytes& file) : surface(soft::decodeBitmapFile(file.data(), file.size())) {}
    ~Decoded() { deleteSurface(surface); }
    Colour at(int x, int y) const { return soft::surfacePixel(surface, x, y); }
    Surface* surface;
};

// 3 x 2, 24 bits, bottom-up: rows of 9 bytes padded to 12 with bytes that must be ignored.
Bytes trueColourFile() {
    const Bytes pixels = {
        0, 0, 255, 0, 255, 0, 255, 0, 0, 0xEE, 0xEE, 0xEE,        // bottom row: red, green, blue
        0, 0, 0, 255, 255, 255, 0x10, 0x20, 0x30, 0xEE, 0xEE, 0xEE  // top row: black, white, (0x30, 0x20, 0x10)
    };
    return bitmapFile(3, 2, 24, {}, pixels);
}

TEST_F(BitmapFile, TrueColourRowsAreBottomUpAndPadded) {
    Decoded image(trueColourFile());
    ASSERT_NE(image.surface, nullptr);
    int width = 0, height = 0;
    surfaceSize(image.surface, width, height);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(image.at(0, 0), kBlack);
    EXPECT_EQ(image.at(1, 0), kWhite);
    EXPECT_EQ(image.at(2, 0), makeColour(0x30, 0x20, 0x10));
    EXPECT_EQ(image.at(0, 1), kRed);
    EXPECT_EQ(image.at(1, 1), kGreen);
    EXPECT_EQ(image.at(2, 1), kBlue);
}

TEST_F(BitmapFile, PalettisedTopDownRowsIndexThePalette) {
    const Bytes palette = {0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 0, 0};  // red, blue, green
    // 8 bits: 3 x 2, top-down (negative height); index 7 lies beyond the palette.
    Decoded eight(bitmapFile(3, -2, 8, palette, {0, 1, 2, 0, 2, 7, 0, 0}));
    ASSERT_NE(eight.surface, nullptr);
    EXPECT_EQ(eight.at(0, 0), kRed);
    EXPECT_EQ(eight.at(1, 0), kBlue);
    EXPECT_EQ(eight.at(2, 0), kGreen);
    EXPECT_EQ(eight.at(0, 1), kGreen);
    EXPECT_EQ(eight.at(1, 1), kBlack);
    EXPECT_EQ(eight.at(2, 1), kRed);
    // 1 bit: 10 wide, so a row crosses into its second byte.
    Decoded one(bitmapFile(10, 1, 1, {0, 0, 0, 0, 255, 255, 255, 0}, {0b10100000, 0b01000000, 0, 0}));
    ASSERT_NE(one.surface, nullptr);
    EXPECT_EQ(one.at(0, 0), kWhite);
    EXPECT_EQ(one.at(1, 0), kBlack);
    EXPECT_EQ(one.at(2, 0), kWhite);
    EXPECT_EQ(one.at(8, 0), kBlack);
    EXPECT_EQ(one.at(9, 0), kWhite);
    // 4 bits: two pixels a byte, the high nibble first.
    Decoded four(bitmapFile(3, 1, 4, palette, {0x21, 0x00, 0, 0}));
    ASSERT_NE(four.surface, nullptr);
    EXPECT_EQ(four.at(0, 0), kGreen);
    EXPECT_EQ(four.at(1, 0), kBlue);
    EXPECT_EQ(four.at(2, 0), kRed);
}

TEST_F(BitmapFile, ThirtyTwoBitPixelsIgnoreTheirFourthByte) {
    Decoded image(bitmapFile(2, 1, 32, {}, {255, 0, 0, 0x7F, 0x33, 0x66, 0x99, 0xFF}));
    ASSERT_NE(image.surface, nullptr);
    EXPECT_EQ(image.at(0, 0), kBlue);
    EXPECT_EQ(image.at(1, 0), makeColour(0x99, 0x66, 0x33));
}

TEST_F(BitmapFile, MalformedFilesGiveNothing) {
    const soft::ObjectCounts before = soft::liveObjectCounts();
    const Bytes good = trueColourFile();
    // Every truncation of a good file.
    for (size_t size = 0; size < good.size(); ++size) {
        Bytes cut(good.begin(), good.begin() + long(size));
        EXPECT_EQ(soft::decodeBitmapFile(cut.data(), cut.size()), nullptr) << size;
    }
    auto broken = [&](size_t at, uint32_t value, bool wide) {
        Bytes file = good;
        if (wide) put32(file, at, value);
        else put16(file, at, value);
        return soft::decodeBitmapFile(file.data(), file.size());
    };
    EXPECT_EQ(broken(0, 'X' | 'M' << 8, false), nullptr);    // not "BM"
    EXPECT_EQ(broken(10, 0xFFFFFFF0, true), nullptr);        // pixels beyond the end
    EXPECT_EQ(broken(14, 12, true), nullptr);                 // an older, smaller header
    EXPECT_EQ(broken(18, 0, true), nullptr);                  // no width
    EXPECT_EQ(broken(18, uint32_t(-3), true), nullptr);       // negative width
    EXPECT_EQ(broken(22, uint32_t(INT_MIN), true), nullptr);  // height that cannot be negated
    EXPECT_EQ(broken(18, 1000, true), nullptr);              // wider than the data
    EXPECT_EQ(broken(26, 2, false), nullptr);                 // two planes
    EXPECT_EQ(broken(28, 16, false), nullptr);                // 16 bits per pixel
    EXPECT_EQ(broken(30, 1, true), nullptr);                  // run-length compressed
    // A palette that does not fit the file.
    const Bytes palettised = bitmapFile(2, 1, 8, {0, 0, 255, 0}, {0, 0, 0, 0});
    Bytes lying = palettised;
    put32(lying, 46, 200);
    lying.resize(54 + 4 + 4);
    EXPECT_EQ(soft::decodeBitmapFile(lying.data(), lying.size()), nullptr);
    EXPECT_EQ(soft::decodeBitmapFile(nullptr, 100), nullptr);
    EXPECT_EQ(soft::liveObjectCounts(), before);
}

TEST_F(BitmapFile, ResourcesAreReadFromTheModuleItself) {
    ResourceData data{};
    ASSERT_TRUE(findResource("DATA", 301, data));
    EXPECT_EQ(std::string(static_cast<const char*>(data.data), data.size), "raw resource bytes\n");
    EXPECT_TRUE(findResource("data", 301 + 0x10000, data));  // type names ignore case; ids are 16-bit
    EXPECT_FALSE(findResource("DATA", 302, data));
    EXPECT_FALSE(findResource("BITMAP", 301, data));
    EXPECT_FALSE(findResource(nullptr, 301, data));

    Surface* bitmap = loadBitmapResource(300);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(soft::surfacePixel(bitmap, 0, 0), kRed);
    EXPECT_EQ(soft::surfacePixel(bitmap, 1, 0), kBlue);
    EXPECT_EQ(soft::surfacePixel(bitmap, 0, 1), kGreen);
    EXPECT_EQ(soft::surfacePixel(bitmap, 1, 1), kWhite);
    deleteSurface(bitmap);
    EXPECT_EQ(loadBitmapResource(301), nullptr);
    EXPECT_EQ(loadBitmapResource(999), nullptr);
}

}  // namespace
