// The software display's own pixel loops against SDL's blitter, which drew the game's
// pictures before: fills, keyed and plain copies, bitmap conversion (the real sheets among
// them, and the browser page's PNG and WebP copies of them), clipped and stretched copies and
// colour reads must agree to the last bit.

#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>
#include <webp/decode.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "display/sdl_decode/sdl_bitmap_decoder.h"
#include "display/soft/gdi.h"
#include "display/soft/soft_direct_draw.h"
#include "display/testing/bmp_writer.h"
#include "display/web/png_header.h"
#include "display/web/webp_header.h"
#include "resources/embedded.h"

namespace {

using platform::DD_OK;
using soft::PixelLayout;

uint32_t SdlFormat(PixelLayout layout) {
    return layout == PixelLayout::Rgb565 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB555;
}

// A software surface and an SDL surface of the same size and layout, compared pixel by pixel.
class TwinSurfaces {
  public:
    TwinSurfaces(PixelLayout layout, int width, int height)
        : layout_(layout), directDraw_(new soft::SoftDirectDraw(layout)) {
        platform::SurfaceDesc desc;
        desc.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
        desc.width = static_cast<uint32_t>(width);
        desc.height = static_cast<uint32_t>(height);
        desc.caps.caps = platform::DDSCAPS_OFFSCREENPLAIN;
        platform::Surface* made = nullptr;
        EXPECT_EQ(directDraw_->CreateSurface(&desc, &made, nullptr), DD_OK);
        soft_ = static_cast<soft::SoftSurface*>(made);
        sdl_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, SdlFormat(layout));
        SDL_SetSurfaceBlendMode(sdl_, SDL_BLENDMODE_NONE);
    }
    ~TwinSurfaces() {
        SDL_FreeSurface(sdl_);
        soft_->Release();
        directDraw_->Release();
    }
    TwinSurfaces(const TwinSurfaces&) = delete;
    TwinSurfaces& operator=(const TwinSurfaces&) = delete;

    soft::SoftSurface& Soft() { return *soft_; }
    SDL_Surface* Sdl() { return sdl_; }
    PixelLayout Layout() const { return layout_; }

    uint16_t SoftAt(int x, int y) const {
        uint16_t value;
        std::memcpy(&value, soft_->PixelAddress(x, y), 2);
        return value;
    }
    uint16_t SdlAt(int x, int y) const {
        uint16_t value;
        std::memcpy(&value, static_cast<uint8_t*>(sdl_->pixels) + y * sdl_->pitch + x * 2, 2);
        return value;
    }
    void Set(int x, int y, uint16_t value) {
        std::memcpy(soft_->PixelAddress(x, y), &value, 2);
        std::memcpy(static_cast<uint8_t*>(sdl_->pixels) + y * sdl_->pitch + x * 2, &value, 2);
    }
    void Scramble(std::mt19937& random) {
        for (int y = 0; y < sdl_->h; ++y) {
            for (int x = 0; x < sdl_->w; ++x) Set(x, y, static_cast<uint16_t>(random()));
        }
    }
    // The number of differing pixels; the first one is reported.
    int Differences(const char* what) const {
        int count = 0;
        for (int y = 0; y < sdl_->h; ++y) {
            for (int x = 0; x < sdl_->w; ++x) {
                if (SoftAt(x, y) == SdlAt(x, y)) continue;
                if (count++ == 0) {
                    ADD_FAILURE() << what << ": first difference at " << x << "," << y
                                  << ": soft 0x" << std::hex << SoftAt(x, y) << ", SDL 0x"
                                  << SdlAt(x, y);
                }
            }
        }
        return count;
    }

  private:
    PixelLayout layout_;
    soft::SoftDirectDraw* directDraw_;
    soft::SoftSurface* soft_ = nullptr;
    SDL_Surface* sdl_ = nullptr;
};

// A device context holding a bitmap, or drawing into a surface, released at scope's end.
class BitmapContext {
  public:
    explicit BitmapContext(platform::BitmapHandle bitmap)
        : bitmap_(bitmap), dc_(soft::CreateMemoryDC()) {
        soft::SelectBitmap(dc_, bitmap_);
    }
    ~BitmapContext() {
        soft::DeleteMemoryDC(dc_);
        soft::DeleteBitmap(bitmap_);
    }
    BitmapContext(const BitmapContext&) = delete;
    BitmapContext& operator=(const BitmapContext&) = delete;
    platform::DeviceContextHandle Get() const { return dc_; }

  private:
    platform::BitmapHandle bitmap_;
    platform::DeviceContextHandle dc_;
};

platform::BmpPicture RandomPicture(std::mt19937& random, int width, int height, int colours) {
    std::vector<uint32_t> palette;
    for (int i = 0; i < colours; ++i) palette.push_back(random() & 0xFFFFFF);
    platform::BmpPicture picture{width, height, {}};
    for (int i = 0; i < width * height; ++i) {
        // Runs of one colour, so the run-length encodings use their run form too.
        picture.rgb.push_back(i > 0 && random() % 3 == 0 ? picture.rgb.back()
                                                         : palette[random() % palette.size()]);
    }
    return picture;
}

// Copies the whole bitmap file into the surface as the old path did (SDL's decoder and
// blitter) and as the new one does (decoded colours and the soft copy); x, y may lie off it.
void CopyBothWays(TwinSurfaces& twins, const std::vector<uint8_t>& file, int x, int y, int sourceX,
                  int sourceY, int width, int height) {
    SDL_Surface* image = sdl::DecodeSdlSurface(file.data(), file.size());
    ASSERT_NE(image, nullptr);
    SDL_Rect from{sourceX, sourceY, width, height};
    SDL_Rect to{x, y, width, height};
    SDL_BlitSurface(image, &from, twins.Sdl(), &to);
    SDL_FreeSurface(image);

    BitmapContext source(sdl::DecodeBitmapWithSdl(file.data(), file.size()));
    platform::DeviceContextHandle target = nullptr;
    ASSERT_EQ(twins.Soft().GetDC(&target), DD_OK);
    EXPECT_TRUE(soft::StretchBlt(target, x, y, width, height, source.Get(), sourceX, sourceY, width,
                                 height, platform::SRCCOPY));
    twins.Soft().ReleaseDC(target);
}

class SoftPixelsDifferential : public ::testing::TestWithParam<PixelLayout> {
  protected:
    std::mt19937 random{20261207};
};

TEST_P(SoftPixelsDifferential, FillsMatchSdlFillRect) {
    TwinSurfaces twins(GetParam(), 37, 29);
    twins.Scramble(random);
    for (int i = 0; i < 200; ++i) {
        int left = static_cast<int>(random() % 37), top = static_cast<int>(random() % 29);
        int right = left + 1 + static_cast<int>(random() % (37 - left));
        int bottom = top + 1 + static_cast<int>(random() % (29 - top));
        platform::BltFx fx;
        fx.fillColor = random();  // only the low 16 bits count
        platform::Rect area{left, top, right, bottom};
        ASSERT_EQ(twins.Soft().Blt(&area, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx), DD_OK);
        SDL_Rect fill{left, top, right - left, bottom - top};
        SDL_FillRect(twins.Sdl(), &fill, fx.fillColor & 0xFFFF);
    }
    EXPECT_EQ(twins.Differences("fills"), 0);
}

TEST_P(SoftPixelsDifferential, PlainAndKeyedCopiesMatchSdlBlits) {
    TwinSurfaces source(GetParam(), 48, 40);
    TwinSurfaces target(GetParam(), 64, 48);
    target.Scramble(random);
    // Few values, so the key is met often, bit 15 included where 5-5-5 leaves it unused.
    const uint16_t values[] = {0x0000, 0x8000, 0xF81F, 0x07E0, 0x7FFF, 0x1234};
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 48; ++x) source.Set(x, y, values[random() % 6]);
    }
    for (int i = 0; i < 300; ++i) {
        int w = 1 + static_cast<int>(random() % 48), h = 1 + static_cast<int>(random() % 40);
        int sx = static_cast<int>(random() % (49 - w)), sy = static_cast<int>(random() % (41 - h));
        int x = static_cast<int>(random() % (65 - w)), y = static_cast<int>(random() % (49 - h));
        bool keyed = random() % 2 == 0;
        platform::ColorKey key{values[random() % 6], 0};
        key.high = key.low;
        source.Soft().SetColorKey(platform::DDCKEY_SRCBLT, &key);
        platform::Rect area{sx, sy, sx + w, sy + h};
        ASSERT_EQ(target.Soft().BltFast(x, y, &source.Soft(), &area,
                                        keyed ? platform::DDBLTFAST_SRCCOLORKEY : 0),
                  DD_OK);
        SDL_SetColorKey(source.Sdl(), keyed ? SDL_TRUE : SDL_FALSE, key.low);
        SDL_Rect from{sx, sy, w, h};
        SDL_Rect to{x, y, w, h};
        SDL_BlitSurface(source.Sdl(), &from, target.Sdl(), &to);
    }
    EXPECT_EQ(target.Differences("copies"), 0);
}

// The screen capture of the dialogs copies a surface onto itself: SDL did that through a
// staging copy, so overlapping blocks must come out as if read whole before writing.
TEST_P(SoftPixelsDifferential, OverlappingCopiesWithinOneSurfaceMatchAStagedSdlBlit) {
    TwinSurfaces twins(GetParam(), 40, 30);
    twins.Scramble(random);
    for (int i = 0; i < 200; ++i) {
        int w = 1 + static_cast<int>(random() % 40), h = 1 + static_cast<int>(random() % 30);
        int sx = static_cast<int>(random() % (41 - w)), sy = static_cast<int>(random() % (31 - h));
        int x = static_cast<int>(random() % (41 - w)), y = static_cast<int>(random() % (31 - h));
        bool keyed = random() % 2 == 0;
        uint16_t key =
            twins.SdlAt(static_cast<int>(random() % 40), static_cast<int>(random() % 30));
        platform::ColorKey colorKey{key, key};
        twins.Soft().SetColorKey(platform::DDCKEY_SRCBLT, &colorKey);
        platform::Rect area{sx, sy, sx + w, sy + h};
        ASSERT_EQ(twins.Soft().BltFast(x, y, &twins.Soft(), &area,
                                       keyed ? platform::DDBLTFAST_SRCCOLORKEY : 0),
                  DD_OK);
        SDL_Surface* staging = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SdlFormat(GetParam()));
        SDL_SetSurfaceBlendMode(staging, SDL_BLENDMODE_NONE);
        SDL_Rect from{sx, sy, w, h};
        SDL_SetColorKey(twins.Sdl(), SDL_FALSE, 0);
        SDL_BlitSurface(twins.Sdl(), &from, staging, nullptr);
        SDL_SetColorKey(staging, keyed ? SDL_TRUE : SDL_FALSE, key);
        SDL_Rect to{x, y, w, h};
        SDL_BlitSurface(staging, nullptr, twins.Sdl(), &to);
        SDL_FreeSurface(staging);
    }
    EXPECT_EQ(twins.Differences("overlapping copies"), 0);
}

TEST_P(SoftPixelsDifferential, EveryBitmapEncodingConvertsAsSdlDid) {
    const platform::BmpEncoding encodings[] = {
        platform::BmpEncoding::Bits24, platform::BmpEncoding::Bits8, platform::BmpEncoding::Bits4,
        platform::BmpEncoding::Rle8, platform::BmpEncoding::Rle4};
    for (platform::BmpEncoding encoding : encodings) {
        bool small =
            encoding == platform::BmpEncoding::Bits4 || encoding == platform::BmpEncoding::Rle4;
        platform::BmpPicture picture = RandomPicture(random, 23, 17, small ? 16 : 200);
        TwinSurfaces twins(GetParam(), 23, 17);
        CopyBothWays(twins, platform::EncodeBmp(picture, encoding), 0, 0, 0, 0, 23, 17);
        EXPECT_EQ(twins.Differences("bitmap conversion"), 0)
            << "encoding " << static_cast<int>(encoding);
    }
}

TEST_P(SoftPixelsDifferential, TheGamesOwnSheetsConvertAsSdlDid) {
    const char* sheets[] = {"back.bmp",    "bigbns.bmp",  "smlbns.bmp",  "dlgload.bmp",
                            "dlgsave.bmp", "dlgquit.bmp", "dlgplay.bmp", "font8.bmp",
                            "mouse.bmp",   "pieces.bmp",  "status.bmp"};
    for (const char* name : sheets) {
        const EmbeddedFile* file = FindEmbeddedFile(name);
        ASSERT_NE(file, nullptr) << name;
        std::vector<uint8_t> bytes(file->data, file->data + file->size);
        int width = 0, height = 0, bits = 0;
        ASSERT_TRUE(soft::ReadBitmapHeader(bytes.data(), bytes.size(), &width, &height, &bits));
        TwinSurfaces twins(GetParam(), width, height);
        CopyBothWays(twins, bytes, 0, 0, 0, 0, width, height);
        EXPECT_EQ(twins.Differences(name), 0);
    }
}

TEST_P(SoftPixelsDifferential, CopiesCutAtEitherPicturesEdgeAsSdlCutThem) {
    platform::BmpPicture picture = RandomPicture(random, 20, 16, 50);
    std::vector<uint8_t> file = platform::EncodeBmp(picture, platform::BmpEncoding::Bits24);
    for (int i = 0; i < 100; ++i) {
        TwinSurfaces twins(GetParam(), 24, 18);
        twins.Scramble(random);
        int x = static_cast<int>(random() % 40) - 16, y = static_cast<int>(random() % 30) - 12;
        int sx = static_cast<int>(random() % 30) - 5, sy = static_cast<int>(random() % 24) - 4;
        int w = 1 + static_cast<int>(random() % 24), h = 1 + static_cast<int>(random() % 20);
        CopyBothWays(twins, file, x, y, sx, sy, w, h);
        ASSERT_EQ(twins.Differences("clipped copy"), 0)
            << "at " << x << "," << y << " from " << sx << "," << sy << " size " << w << "x" << h;
    }
}

TEST_P(SoftPixelsDifferential, StretchedCopiesPickTheSamePixelsAsSdl) {
    platform::BmpPicture picture = RandomPicture(random, 19, 13, 60);
    std::vector<uint8_t> file = platform::EncodeBmp(picture, platform::BmpEncoding::Bits24);
    const int sizes[][4] = {{19, 13, 38, 26}, {19, 13, 7, 5}, {10, 6, 33, 17}, {19, 13, 20, 40}};
    for (const auto& size : sizes) {
        TwinSurfaces twins(GetParam(), 40, 40);
        SDL_Surface* image = sdl::DecodeSdlSurface(file.data(), file.size());
        ASSERT_NE(image, nullptr);
        SDL_Rect from{0, 0, size[0], size[1]};
        SDL_Rect to{0, 0, size[2], size[3]};
        SDL_BlitScaled(image, &from, twins.Sdl(), &to);
        SDL_FreeSurface(image);

        BitmapContext source(sdl::DecodeBitmapWithSdl(file.data(), file.size()));
        platform::DeviceContextHandle target = nullptr;
        ASSERT_EQ(twins.Soft().GetDC(&target), DD_OK);
        EXPECT_TRUE(soft::StretchBlt(target, 0, 0, size[2], size[3], source.Get(), 0, 0, size[0],
                                     size[1], platform::SRCCOPY));
        twins.Soft().ReleaseDC(target);
        EXPECT_EQ(twins.Differences("stretched copy"), 0) << size[2] << "x" << size[3];
    }
}

TEST_P(SoftPixelsDifferential, EverySixteenBitValueReadsBackAsTheSameColour) {
    TwinSurfaces twins(GetParam(), 256, 256);
    for (int value = 0; value < 65536; ++value) {
        twins.Set(value % 256, value / 256, static_cast<uint16_t>(value));
    }
    platform::DeviceContextHandle dc = nullptr;
    ASSERT_EQ(twins.Soft().GetDC(&dc), DD_OK);
    int differences = 0;
    for (int value = 0; value < 65536; ++value) {
        Uint8 r, g, b;
        SDL_GetRGB(static_cast<Uint32>(value), twins.Sdl()->format, &r, &g, &b);
        uint32_t expected = uint32_t{r} | uint32_t{g} << 8 | uint32_t{b} << 16;
        uint32_t got = soft::GetPixel(dc, value % 256, value / 256);
        if (got != expected && differences++ == 0) {
            ADD_FAILURE() << "value 0x" << std::hex << value << ": soft 0x" << got << ", SDL 0x"
                          << expected;
        }
    }
    twins.Soft().ReleaseDC(dc);
    EXPECT_EQ(differences, 0);
}

// The page's PNG copy of a sheet, decoded by libpng as a browser decodes it: 0xRRGGBB per
// pixel. Empty when the file is missing or broken.
std::vector<uint32_t> DecodePng(const std::vector<uint8_t>& file, int* width, int* height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    std::vector<uint32_t> pixels(rgb.size() / 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = uint32_t{rgb[i * 3]} << 16 | uint32_t{rgb[i * 3 + 1]} << 8 | rgb[i * 3 + 2];
    }
    return pixels;
}

// The page's lossless WebP copy of a 24-bit sheet, decoded by libwebp as a browser decodes
// it: 0xRRGGBB per pixel. Empty when the file is broken.
std::vector<uint32_t> DecodeWebp(const std::vector<uint8_t>& file, int* width, int* height) {
    uint8_t* rgb = WebPDecodeRGB(file.data(), file.size(), width, height);
    if (rgb == nullptr) return {};
    std::vector<uint32_t> pixels(static_cast<size_t>(*width) * *height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = uint32_t{rgb[i * 3]} << 16 | uint32_t{rgb[i * 3 + 1]} << 8 | rgb[i * 3 + 2];
    }
    WebPFree(rgb);
    return pixels;
}

// The page's copy of a sheet: web/<sheet>.webp where there is one, else web/<sheet>.png.
std::vector<uint8_t> PageCopy(const std::string& sheet, std::string* name) {
    for (const char* kind : {".webp", ".png"}) {
        std::ifstream in(std::string(KESTRION_WEB_SHEETS) + "/" + sheet + kind, std::ios::binary);
        if (!in) continue;
        *name = sheet + kind;
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    return {};
}

// The browser page carries each sheet as a PNG or WebP file: its colours must be the
// bitmap's to the last bit (so the screen shows the same pixels in either layout) and its
// header must tell the bitmap's size and bits per pixel.
TEST_P(SoftPixelsDifferential, ThePagesSheetsHoldTheBitmapsPixels) {
    const char* sheets[] = {"back",    "bigbns", "smlbns", "dlgload", "dlgsave", "dlgquit",
                            "dlgplay", "font8",  "mouse",  "pieces",  "status",  "draws",
                            "options", "picker", "ranks",  "takeback"};
    for (const char* sheet : sheets) {
        const std::string bitmapName = std::string(sheet) + ".bmp";
        const EmbeddedFile* bitmap = FindEmbeddedFile(bitmapName.c_str());
        ASSERT_NE(bitmap, nullptr) << sheet;
        std::vector<uint8_t> bitmapBytes(bitmap->data, bitmap->data + bitmap->size);
        std::string copyName;
        const std::vector<uint8_t> copy = PageCopy(sheet, &copyName);
        ASSERT_FALSE(copy.empty()) << "the page has no copy of " << sheet;
        const bool webp = web::IsWebp(copy.data(), copy.size());

        int width = 0, height = 0, bits = 0, copyWidth = 0, copyHeight = 0, copyBits = 0;
        ASSERT_TRUE(
            soft::ReadBitmapHeader(bitmapBytes.data(), bitmapBytes.size(), &width, &height, &bits));
        ASSERT_TRUE(
            webp ? web::ReadWebpHeader(copy.data(), copy.size(), &copyWidth, &copyHeight, &copyBits)
                 : web::ReadPngHeader(copy.data(), copy.size(), &copyWidth, &copyHeight, &copyBits))
            << copyName;
        EXPECT_EQ(copyWidth, width) << copyName;
        EXPECT_EQ(copyHeight, height) << copyName;
        EXPECT_EQ(copyBits, bits) << copyName;
        std::vector<uint32_t> pixels = webp ? DecodeWebp(copy, &copyWidth, &copyHeight)
                                            : DecodePng(copy, &copyWidth, &copyHeight);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(width) * height) << copyName;

        // The bitmap's own colours, as SDL decodes the file.
        SDL_Surface* decoded = sdl::DecodeSdlSurface(bitmapBytes.data(), bitmapBytes.size());
        ASSERT_NE(decoded, nullptr) << sheet;
        SDL_Surface* wide = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGB888, 0);
        SDL_FreeSurface(decoded);
        ASSERT_NE(wide, nullptr);
        int wrong = 0;
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<uint8_t*>(wide->pixels) + y * wide->pitch);
            for (int x = 0; x < width; ++x) {
                uint32_t want = row[x] & 0xFFFFFF, got = pixels[static_cast<size_t>(y) * width + x];
                if (want != got && wrong++ == 0) {
                    ADD_FAILURE() << copyName << " at " << x << "," << y << ": 0x" << std::hex
                                  << got << " instead of 0x" << want;
                }
            }
        }
        SDL_FreeSurface(wide);
        EXPECT_EQ(wrong, 0) << sheet;

        // And on the display: the copy's colours through the soft copy, the bitmap through
        // SDL's decoder and blitter.
        TwinSurfaces twins(GetParam(), width, height);
        SDL_Surface* image = sdl::DecodeSdlSurface(bitmapBytes.data(), bitmapBytes.size());
        ASSERT_NE(image, nullptr);
        SDL_BlitSurface(image, nullptr, twins.Sdl(), nullptr);
        SDL_FreeSurface(image);
        BitmapContext source(
            soft::MakeBitmap(width, height, static_cast<uint16_t>(copyBits), std::move(pixels)));
        platform::DeviceContextHandle target = nullptr;
        ASSERT_EQ(twins.Soft().GetDC(&target), DD_OK);
        EXPECT_TRUE(soft::StretchBlt(target, 0, 0, width, height, source.Get(), 0, 0, width, height,
                                     platform::SRCCOPY));
        twins.Soft().ReleaseDC(target);
        EXPECT_EQ(twins.Differences(sheet), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, SoftPixelsDifferential,
                         ::testing::Values(PixelLayout::Rgb565, PixelLayout::Rgb555));

}  // namespace
