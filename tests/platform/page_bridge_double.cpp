#include "tests/platform/page_bridge_double.h"

#include <SDL.h>

#include <cstring>

#include "display/sdl_decode/sdl_bitmap_decoder.h"
#include "display/web/browser_bridge.h"

namespace page_double {

Page& ThePage() {
    static Page page;
    return page;
}

void Reset() {
    ThePage() = Page{};
}

namespace {
std::vector<uint8_t> decoded;
}

}  // namespace page_double

namespace web {

using page_double::ThePage;

double PageClockMs() {
    return ThePage().clockMs;
}

void PresentRgba(const uint8_t* rgba, int width, int height) {
    ++ThePage().presents;
    ThePage().lastRgba.assign(rgba, rgba + static_cast<size_t>(width) * height * 4);
}

void WaitForPaint() {
    ++ThePage().paintWaits;
}

void WaitForInput() {
    ++ThePage().inputWaits;
    if (ThePage().onInputWait) ThePage().onInputWait();
}

// Input that onInputWait sends ends the wait; otherwise the time runs out.
bool WaitForInputTimeout(uint32_t milliseconds) {
    ++ThePage().timedInputWaits;
    ThePage().lastInputTimeout = milliseconds;
    ThePage().woken = false;
    if (ThePage().onInputWait) ThePage().onInputWait();
    return ThePage().woken;
}

void WakeFromInput() {
    ThePage().woken = true;
}

void PagePointToPicture(double clientX, double clientY, int* x, int* y) {
    *x = static_cast<int>(clientX);
    *y = static_cast<int>(clientY);
}

void SetPagePointerHidden(bool hidden) {
    ThePage().pointerHidden = hidden;
}

void TogglePageFullscreen() {}

bool PageActive() {
    return ThePage().active;
}

void ShowPageMessage(const char* caption, const char* text) {
    ThePage().messages.push_back(std::string(caption) + ": " + text);
}

void ShowEndScreen(int) {}

void TellSaveDialog(bool open, const char* name, int, int) {
    ThePage().saveDialogOpen = open;
    ThePage().saveName = name;
}

void BeginDecoding(const void*, size_t) {
    ++ThePage().decodesBegun;
}

// The browser's decoder answers RGBA bytes; SDL's decoding stands in for it here.
bool DecodeImage(const void* data, size_t size, int* width, int* height) {
    ++ThePage().decodes;
    SDL_Surface* image = sdl::DecodeSdlSurface(data, size);
    if (image == nullptr) return false;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(image, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(image);
    if (rgba == nullptr) return false;
    page_double::decoded.resize(static_cast<size_t>(rgba->w) * rgba->h * 4);
    for (int y = 0; y < rgba->h; ++y) {
        std::memcpy(&page_double::decoded[static_cast<size_t>(y) * rgba->w * 4],
                    static_cast<uint8_t*>(rgba->pixels) + y * rgba->pitch,
                    static_cast<size_t>(rgba->w) * 4);
    }
    *width = rgba->w;
    *height = rgba->h;
    SDL_FreeSurface(rgba);
    return true;
}

void TakeDecodedRgba(uint8_t* out) {
    std::memcpy(out, page_double::decoded.data(), page_double::decoded.size());
}

}  // namespace web
