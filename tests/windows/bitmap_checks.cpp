// Bitmaps opened by name (resource, loose file, neither), measured, and copied into 16-bit
// surfaces through device contexts, as the sprite sheets are loaded.

#include <cstdio>
#include <cstring>
#include <string>

#include "display/display_device.h"
#include "display/sprite.h"
#include "tests/windows/check.h"
#include "tests/windows/checks.h"

using namespace platform;

namespace {

constexpr const char* kSheets[] = {"back.bmp",    "bigbns.bmp",  "smlbns.bmp",  "dlgload.bmp",
                                   "dlgsave.bmp", "dlgquit.bmp", "dlgplay.bmp", "font8.bmp",
                                   "mouse.bmp",   "pieces.bmp",  "status.bmp",  "options.bmp",
                                   "takeback.bmp"};

BitmapHandle OpenFile(const char* path) {
    return Sys().LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                            LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

BitmapHandle OpenResource(const char* name) {
    System& sys = Sys();
    return sys.LoadImageA(sys.GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0,
                          LR_CREATEDIBSECTION);
}

BitmapInfo Measure(BitmapHandle bitmap) {
    BitmapInfo info;
    CHECK(Sys().GetObjectA(bitmap, 24, &info) != 0);
    return info;
}

// What the sprite does: a memory context holding the bitmap, StretchBlt into the surface's.
bool CopyInto(Surface* surface, BitmapHandle bitmap, int width, int height) {
    System& sys = Sys();
    const DeviceContextHandle memory = sys.CreateCompatibleDC(nullptr);
    if (memory == nullptr) return false;
    const BitmapHandle previous = sys.SelectObject(memory, bitmap);
    DeviceContextHandle dc = nullptr;
    bool copied = surface->GetDC(&dc) == DD_OK;
    if (copied) {
        copied = sys.StretchBlt(dc, 0, 0, width, height, memory, 0, 0, width, height, SRCCOPY);
        surface->ReleaseDC(dc);
    }
    sys.SelectObject(memory, previous);
    sys.DeleteDC(memory);
    return copied;
}

bool SamePixels(Surface* a, Surface* b, int width, int height) {
    SurfaceDesc descA;
    SurfaceDesc descB;
    if (a->Lock(nullptr, &descA, DDLOCK_WAIT, nullptr) != DD_OK) return false;
    if (b->Lock(nullptr, &descB, DDLOCK_WAIT, nullptr) != DD_OK) {
        a->Unlock(nullptr);
        return false;
    }
    bool same = true;
    for (int y = 0; same && y < height; ++y) {
        same = std::memcmp(static_cast<uint8_t*>(descA.surface) + y * descA.pitch,
                           static_cast<uint8_t*>(descB.surface) + y * descB.pitch, width * 2) == 0;
    }
    b->Unlock(nullptr);
    a->Unlock(nullptr);
    return same;
}

// Every sheet the program carries is the bitmap of the same name in the resources folder,
// found under its lower-case and its upper-case name.
void CheckSheetsMatchTheirFiles(const char* folder) {
    for (const char* name : kSheets) {
        const BitmapHandle resource = OpenResource(name);
        const std::string path = std::string(folder) + "\\" + name;
        const BitmapHandle file = OpenFile(path.c_str());
        CHECK(resource != nullptr);
        CHECK(file != nullptr);
        if (resource == nullptr || file == nullptr) {
            std::fprintf(stderr, "  sheet %s\n", name);
            continue;
        }
        const BitmapInfo fromResource = Measure(resource);
        const BitmapInfo fromFile = Measure(file);
        CHECK_EQ(fromResource.width, fromFile.width);
        CHECK_EQ(fromResource.height, fromFile.height);
        CHECK(fromResource.width > 0 && fromResource.height > 0);

        const uint32_t width = static_cast<uint32_t>(fromFile.width);
        const uint32_t height = static_cast<uint32_t>(fromFile.height);
        Surface* a = CreateOffscreen(width, height);
        Surface* b = CreateOffscreen(width, height);
        if (a != nullptr && b != nullptr) {
            CHECK(CopyInto(a, resource, fromFile.width, fromFile.height));
            CHECK(CopyInto(b, file, fromFile.width, fromFile.height));
            const std::string what = std::string("resource and file agree: ") + name;
            CheckTrue(__FILE__, __LINE__, what.c_str(),
                      SamePixels(a, b, fromFile.width, fromFile.height));
        }
        if (a != nullptr) a->Release();
        if (b != nullptr) b->Release();
        Sys().DeleteObject(resource);
        Sys().DeleteObject(file);

        std::string upper = name;
        for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        const BitmapHandle byUpperName = OpenResource(upper.c_str());
        CHECK(byUpperName != nullptr);
        if (byUpperName != nullptr) Sys().DeleteObject(byUpperName);
    }
    CHECK(OpenResource("nosuch.bmp") == nullptr);
}

// A 24-bit bitmap file of 4 x 2 pixels: red, green, blue, white over four blacks.
bool WriteSmallBitmap(const char* path) {
    const uint8_t top[12] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};  // BGR
    uint8_t file[54 + 2 * 12] = {'B', 'M'};
    auto put32 = [&file](int at, uint32_t value) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    put32(2, sizeof file);
    put32(10, 54);
    put32(14, 40);
    put32(18, 4);
    put32(22, 2);
    file[26] = 1;   // planes
    file[28] = 24;  // bits per pixel
    put32(34, 2 * 12);
    std::memcpy(file + 54 + 12, top, sizeof top);  // rows are stored bottom-up
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(file, 1, sizeof file, out) == sizeof file;
    return std::fclose(out) == 0 && written;
}

// A loose file wins over the resource of the same name, and its colours arrive in the
// display's 16-bit layout; single pixels are read and written through the surface's context.
void CheckLooseFileAndConversion() {
    CHECK(OpenFile("mouse.bmp") == nullptr);  // nothing in the current directory yet
    CHECK(WriteSmallBitmap("mouse.bmp"));
    const BitmapHandle loose = OpenFile("mouse.bmp");
    CHECK(loose != nullptr);
    if (loose == nullptr) return;
    const BitmapInfo info = Measure(loose);
    CHECK_EQ(info.width, 4);
    CHECK_EQ(info.height, 2);

    Sprite sprite;
    sprite.directDraw = DisplayDevice::directDraw;
    sprite.defaultTarget = DisplayDevice::backBuffer;
    sprite.Load("mouse.bmp");
    CHECK_EQ(sprite.width, 4);

    PixelFormat format;
    DisplayDevice::backBuffer->GetPixelFormat(&format);
    const bool is565 = format.gBitMask == 0x7E0;
    Surface* surface = CreateOffscreen(4, 2);
    if (surface != nullptr) {
        CHECK(CopyInto(surface, loose, 4, 2));
        CHECK_EQ(PixelAt(surface, 0, 0), is565 ? 0xF800u : 0x7C00u);
        CHECK_EQ(PixelAt(surface, 1, 0), is565 ? 0x07E0u : 0x03E0u);
        CHECK_EQ(PixelAt(surface, 2, 0), 0x001Fu);
        CHECK_EQ(PixelAt(surface, 3, 0), is565 ? 0xFFFFu : 0x7FFFu);
        CHECK_EQ(PixelAt(surface, 0, 1), 0u);

        DeviceContextHandle dc = nullptr;
        CHECK_EQ(surface->GetDC(&dc), DD_OK);
        if (dc != nullptr) {
            CHECK_EQ(Sys().GetPixel(dc, 0, 0), 0x0000FFu);  // red, as 0x00BBGGRR
            Sys().SetPixel(dc, 0, 1, 0xFF0000);             // blue
            surface->ReleaseDC(dc);
        }
        CHECK_EQ(PixelAt(surface, 0, 1), 0x001Fu);
        surface->Release();
    }
    Sys().DeleteObject(loose);
    std::remove("mouse.bmp");
}

}  // namespace

void RunBitmapChecks(const char* resourceFolder) {
    CHECK(OpenFile("nosuch.bmp") == nullptr);
    CheckSheetsMatchTheirFiles(resourceFolder);
    CheckLooseFileAndConversion();
}
