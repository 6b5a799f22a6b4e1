// The lossless WebP header as the page's decoder reads it: the 24-bit sheets' sizes and bits
// per pixel come from it before the browser has decoded a single pixel.

#include "display/web/webp_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back((value >> shift) & 0xFF);
}

// A file of one lossless chunk whose picture header says width x height, the alpha hint and
// the version; `body` bytes of made-up picture data follow.
std::vector<uint8_t> File(uint32_t width, uint32_t height, bool alpha, uint32_t version = 0,
                          uint32_t body = 16) {
    std::vector<uint8_t> bytes = {'R', 'I', 'F', 'F'};
    PutLittleEndian(bytes, 4 + 8 + 5 + body);
    bytes.insert(bytes.end(), {'W', 'E', 'B', 'P', 'V', 'P', '8', 'L'});
    PutLittleEndian(bytes, 5 + body);
    bytes.push_back(0x2F);
    PutLittleEndian(bytes, ((width - 1) & 0x3FFF) | ((height - 1) & 0x3FFF) << 14 |
                               uint32_t{alpha} << 28 | version << 29);
    bytes.insert(bytes.end(), body, 0);
    return bytes;
}

TEST(WebpHeader, GivesSizeAndBitsPerPixel) {
    struct Case {
        uint32_t width, height;
        bool alpha;
        int bits;
    } cases[] = {
        {640, 480, false, 24}, {1, 1, false, 24}, {16384, 16384, true, 32}, {36, 400, false, 24}};
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = File(c.width, c.height, c.alpha);
        int width = 0, height = 0, bits = 0;
        ASSERT_TRUE(web::ReadWebpHeader(bytes.data(), bytes.size(), &width, &height, &bits))
            << c.width << "x" << c.height;
        EXPECT_EQ(width, static_cast<int>(c.width));
        EXPECT_EQ(height, static_cast<int>(c.height));
        EXPECT_EQ(bits, c.bits);
    }
}

TEST(WebpHeader, RefusesWhatIsNoSimpleLosslessFile) {
    int width = 0, height = 0, bits = 0;
    const std::vector<uint8_t> good = File(32, 32, false);
    ASSERT_TRUE(web::ReadWebpHeader(good.data(), good.size(), &width, &height, &bits));

    std::vector<uint8_t> png = good;
    png[0] = 0x89;
    EXPECT_FALSE(web::IsWebp(png.data(), png.size()));
    EXPECT_FALSE(web::ReadWebpHeader(png.data(), png.size(), &width, &height, &bits));

    // Cut short: before the picture header, and inside the picture the sizes announce.
    for (size_t length : {size_t{20}, good.size() - 1}) {
        EXPECT_FALSE(web::ReadWebpHeader(good.data(), length, &width, &height, &bits)) << length;
    }

    std::vector<uint8_t> lossy = good;
    lossy[15] = ' ';  // "VP8 ": the lossy form
    EXPECT_FALSE(web::ReadWebpHeader(lossy.data(), lossy.size(), &width, &height, &bits));
    std::vector<uint8_t> extended = good;
    extended[15] = 'X';  // "VP8X": profiles and animation
    EXPECT_FALSE(web::ReadWebpHeader(extended.data(), extended.size(), &width, &height, &bits));
    std::vector<uint8_t> unsigned_ = good;
    unsigned_[20] = 0x2E;
    EXPECT_FALSE(web::ReadWebpHeader(unsigned_.data(), unsigned_.size(), &width, &height, &bits));
    const std::vector<uint8_t> laterVersion = File(32, 32, false, 1);
    EXPECT_FALSE(
        web::ReadWebpHeader(laterVersion.data(), laterVersion.size(), &width, &height, &bits));
    EXPECT_FALSE(web::IsWebp(nullptr, 12));
}

}  // namespace
