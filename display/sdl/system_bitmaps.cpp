#include "display/sdl/sdl_system.h"
#include "display/sdl_decode/sdl_bitmap_decoder.h"
#include "display/soft/gdi.h"
#include "resources/embedded.h"

namespace sdl {

namespace {

// A handle whose contents nobody reads.
char moduleToken;

bool EmbeddedLookup(const char* name, soft::EmbeddedBytes* out) {
    const EmbeddedFile* file = FindEmbeddedFile(name);
    if (file == nullptr) return false;
    out->data = file->data;
    out->size = file->size;
    return true;
}

}  // namespace

platform::ModuleHandle SdlSystem::GetModuleHandleA(const char*) {
    return reinterpret_cast<platform::ModuleHandle>(&moduleToken);
}

platform::BitmapHandle SdlSystem::LoadImageA(platform::ModuleHandle instance, const char* name,
                                             uint32_t type, int, int, uint32_t flags) {
    return soft::LoadImageByName(instance, name, type, flags, "", EmbeddedLookup,
                                 DecodeBitmapWithSdl);
}

int SdlSystem::GetObjectA(platform::BitmapHandle bitmap, int size, platform::BitmapInfo* info) {
    return soft::GetBitmapObject(bitmap, size, info);
}

bool SdlSystem::DeleteObject(platform::BitmapHandle bitmap) {
    return soft::DeleteBitmap(bitmap);
}

platform::DeviceContextHandle SdlSystem::CreateCompatibleDC(platform::DeviceContextHandle) {
    return soft::CreateMemoryDC();
}

platform::BitmapHandle SdlSystem::SelectObject(platform::DeviceContextHandle dc,
                                               platform::BitmapHandle bitmap) {
    return soft::SelectBitmap(dc, bitmap);
}

bool SdlSystem::DeleteDC(platform::DeviceContextHandle dc) {
    return soft::DeleteMemoryDC(dc);
}

bool SdlSystem::StretchBlt(platform::DeviceContextHandle dest, int x, int y, int width, int height,
                           platform::DeviceContextHandle source, int sourceX, int sourceY,
                           int sourceWidth, int sourceHeight, uint32_t rop) {
    return soft::StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                            sourceHeight, rop);
}

uint32_t SdlSystem::GetPixel(platform::DeviceContextHandle dc, int x, int y) {
    return soft::GetPixel(dc, x, y);
}

uint32_t SdlSystem::SetPixel(platform::DeviceContextHandle dc, int x, int y, uint32_t color) {
    return soft::SetPixel(dc, x, y, color);
}

}  // namespace sdl
