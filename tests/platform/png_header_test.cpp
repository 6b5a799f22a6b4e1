// The PNG header as the page's decoder reads it: the sheets' sizes and bits per pixel come
// from it before the browser has decoded a single pixel.

#include "display/web/png_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<uint8_t> Header(uint32_t width, uint32_t height, int depth, int colourType) {
    std::vector<uint8_t> bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                  0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (uint32_t value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back((value >> shift) & 0xFF);
    }
    bytes.insert(bytes.end(),
                 {static_cast<uint8_t>(depth), static_cast<uint8_t>(colourType), 0, 0, 0});
    bytes.insert(bytes.end(), 4, 0);  // the chunk's check value, which is not read
    return bytes;
}

TEST(PngHeader, GivesSizeAndBitsPerPixelOfEachColourType) {
    struct Case {
        int depth, colourType, bits;
    } cases[] = {{8, 2, 24}, {8, 3, 8},   {4, 3, 4}, {1, 3, 1},
                 {8, 6, 32}, {16, 2, 48}, {8, 0, 8}, {8, 4, 16}};
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = Header(640, 480, c.depth, c.colourType);
        int width = 0, height = 0, bits = 0;
        ASSERT_TRUE(web::ReadPngHeader(bytes.data(), bytes.size(), &width, &height, &bits))
            << c.depth << "/" << c.colourType;
        EXPECT_EQ(width, 640);
        EXPECT_EQ(height, 480);
        EXPECT_EQ(bits, c.bits) << c.depth << "/" << c.colourType;
    }
}

TEST(PngHeader, RefusesWhatIsNoWellFormedHeader) {
    int width = 0, height = 0, bits = 0;
    std::vector<uint8_t> good = Header(32, 32, 4, 3);
    ASSERT_TRUE(web::ReadPngHeader(good.data(), good.size(), &width, &height, &bits));

    std::vector<uint8_t> bitmap = good;
    bitmap[0] = 'B';
    bitmap[1] = 'M';
    EXPECT_FALSE(web::IsPng(bitmap.data(), bitmap.size()));
    EXPECT_FALSE(web::ReadPngHeader(bitmap.data(), bitmap.size(), &width, &height, &bits));

    std::vector<uint8_t> cut(good.begin(), good.begin() + 20);
    EXPECT_TRUE(web::IsPng(cut.data(), cut.size()));
    EXPECT_FALSE(web::ReadPngHeader(cut.data(), cut.size(), &width, &height, &bits));

    std::vector<uint8_t> otherChunk = good;
    otherChunk[12] = 'P';  // "PHDR": the header chunk must come first
    EXPECT_FALSE(web::ReadPngHeader(otherChunk.data(), otherChunk.size(), &width, &height, &bits));

    for (const std::vector<uint8_t>& bad :
         {Header(0, 32, 8, 2), Header(32, 0, 8, 2), Header(0x80000000u, 32, 8, 2),
          Header(32, 32, 3, 3), Header(32, 32, 8, 5), Header(32, 32, 8, 7)}) {
        EXPECT_FALSE(web::ReadPngHeader(bad.data(), bad.size(), &width, &height, &bits));
    }
    EXPECT_FALSE(web::IsPng(nullptr, 8));
}

}  // namespace
