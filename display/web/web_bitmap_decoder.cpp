#include "display/web/web_bitmap_decoder.h"

#include <cstdint>
#include <vector>

#include "display/soft/gdi.h"
#include "display/web/browser_bridge.h"
#include "display/web/png_header.h"
#include "display/web/webp_header.h"
#include "resources/embedded.h"

extern const EmbeddedFile kEmbeddedFiles[];
extern const size_t kEmbeddedFileCount;

namespace web {

namespace {

struct Decoded {
    const void* data = nullptr;  // the built-in bytes, which never move
    size_t size = 0;
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<uint32_t> rgb;
};

std::vector<Decoded>& BuiltIn() {
    static std::vector<Decoded> decoded;
    return decoded;
}

// The built-in sheets of the page are PNG or WebP files; a loose file must be a bitmap, as
// on the desktop.
bool ReadHeader(const void* data, size_t size, bool builtIn, int* width, int* height, int* bits) {
    if (builtIn && IsPng(data, size)) return ReadPngHeader(data, size, width, height, bits);
    if (builtIn && IsWebp(data, size)) return ReadWebpHeader(data, size, width, height, bits);
    return soft::ReadBitmapHeader(data, size, width, height, bits);
}

bool Decode(const void* data, size_t size, bool builtIn, Decoded* out) {
    int width = 0, height = 0, bits = 0;
    if (!ReadHeader(data, size, builtIn, &width, &height, &bits)) return false;
    if (width < 1 || height < 1 || width > soft::kMaxBitmapWidth ||
        height > soft::kMaxBitmapHeight) {
        return false;
    }
    int decodedWidth = 0, decodedHeight = 0;
    if (!DecodeImage(data, size, &decodedWidth, &decodedHeight)) return false;
    std::vector<uint8_t> rgba(static_cast<size_t>(decodedWidth) * decodedHeight * 4);
    TakeDecodedRgba(rgba.data());
    if (decodedWidth != width || decodedHeight != height) return false;
    out->data = data;
    out->size = size;
    out->width = width;
    out->height = height;
    out->bits = bits;
    out->rgb.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < out->rgb.size(); ++i) {
        out->rgb[i] =
            uint32_t{rgba[i * 4]} << 16 | uint32_t{rgba[i * 4 + 1]} << 8 | rgba[i * 4 + 2];
    }
    return true;
}

}  // namespace

void BeginDecodingBuiltInSheets() {
    for (size_t i = 0; i < kEmbeddedFileCount; ++i) {
        BeginDecoding(kEmbeddedFiles[i].data, kEmbeddedFiles[i].size);
    }
}

void DecodeBuiltInSheets() {
    BuiltIn().clear();
    BeginDecodingBuiltInSheets();
    for (size_t i = 0; i < kEmbeddedFileCount; ++i) {
        Decoded decoded;
        if (Decode(kEmbeddedFiles[i].data, kEmbeddedFiles[i].size, true, &decoded)) {
            BuiltIn().push_back(std::move(decoded));
        }
    }
}

platform::BitmapHandle DecodeBitmapInBrowser(const void* data, size_t size) {
    for (const Decoded& decoded : BuiltIn()) {
        if (decoded.data == data && decoded.size == size) {
            return soft::MakeBitmap(decoded.width, decoded.height,
                                    static_cast<uint16_t>(decoded.bits), decoded.rgb);
        }
    }
    Decoded decoded;
    if (!Decode(data, size, false, &decoded)) return nullptr;
    return soft::MakeBitmap(decoded.width, decoded.height, static_cast<uint16_t>(decoded.bits),
                            std::move(decoded.rgb));
}

}  // namespace web
