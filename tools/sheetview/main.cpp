// kestrion-sheetview: shows what Sprite and Tint make of a bitmap sheet, without a screen.
//
//   kestrion-sheetview [options] SHEET OUTPUT.bmp
//   kestrion-sheetview --scene [options] OUTPUT.bmp
//
// SHEET is a bitmap file path or the name of one of the program's sheets ("pieces.bmp"); a
// file of that name wins, as in the game. The sheet is drawn at (0, 0) of a 640x480 frame,
// cut to the screen, over a grey checkerboard (which shows through keyed pixels).
// Options:
//   --key            draw with the sheet's top-left colour as transparent colour
//   --555            use a 5-5-5 display instead of 5-6-5
//   --tint X,Y,W,H,R,G,B  tint a rectangle of the frame afterwards
//   --lock-refused   refuse locks of the frame, so tints take the copy path
// The frame goes through the headless display double; view the output with any image viewer
// (convert OUTPUT.bmp OUTPUT.png).

#include <cstdio>
#include <string>

#include "display/display_device.h"
#include "display/sprite.h"
#include "display/testing/fake_system.h"
#include "display/tint.h"
#include "resources/embedded.h"
#include "tools/sheetview/frame_file.h"
#include "tools/sheetview/scene.h"

using namespace platform;

namespace {

constexpr const char* kSheetNames[] = {"back.bmp",    "bigbns.bmp",  "smlbns.bmp",  "dlgload.bmp",
                                       "dlgsave.bmp", "dlgquit.bmp", "dlgplay.bmp", "font8.bmp",
                                       "mouse.bmp",   "pieces.bmp",  "status.bmp",  "options.bmp",
                                       "takeback.bmp"};

struct Options {
    bool scene = false;
    bool keyed = false;
    bool layout555 = false;
    bool lockRefused = false;
    bool tint = false;
    int tintValues[7] = {};
    const char* sheet = nullptr;
    const char* output = nullptr;
};

int Usage() {
    std::fputs(
        "usage: kestrion-sheetview [--key] [--555] [--tint X,Y,W,H,R,G,B] [--lock-refused] "
        "SHEET OUTPUT.bmp\n"
        "       kestrion-sheetview --scene [--555] [--tint ...] [--lock-refused] OUTPUT.bmp\n",
        stderr);
    return 2;
}

bool ParseTint(const char* text, int* values) {
    return std::sscanf(text, "%d,%d,%d,%d,%d,%d,%d", &values[0], &values[1], &values[2], &values[3],
                       &values[4], &values[5], &values[6]) == 7 &&
           values[0] >= 0 && values[1] >= 0 && values[2] >= 0 && values[3] >= 0;
}

bool ParseOptions(int argc, char** argv, Options* options) {
    const char* positional[2] = {};
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--scene") {
            options->scene = true;
        } else if (arg == "--key") {
            options->keyed = true;
        } else if (arg == "--555") {
            options->layout555 = true;
        } else if (arg == "--lock-refused") {
            options->lockRefused = true;
        } else if (arg == "--tint" && i + 1 < argc) {
            if (!ParseTint(argv[++i], options->tintValues)) return false;
            options->tint = true;
        } else if (arg.starts_with("--") || count == 2) {
            return false;
        } else {
            positional[count++] = argv[i];
        }
    }
    if (options->scene) {
        if (count != 1) return false;
        options->output = positional[0];
    } else {
        if (count != 2) return false;
        options->sheet = positional[0];
        options->output = positional[1];
    }
    return true;
}

void FillCheckerboard(FakeSystem& fake, Surface* surface) {
    const uint16_t light = fake.pixelLayout == soft::PixelLayout::Rgb565 ? 0xC618 : 0x6318;
    const uint16_t dark = fake.pixelLayout == soft::PixelLayout::Rgb565 ? 0x8410 : 0x4210;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x)
            fake.SetPixelAt(surface, x, y, (x / 8 + y / 8) % 2 ? dark : light);
    }
}

int DrawSheet(const Options& options, FakeSystem& fake) {
    FillCheckerboard(fake, DisplayDevice::backBuffer);
    Sprite sheet;
    sheet.directDraw = DisplayDevice::directDraw;
    sheet.defaultTarget = DisplayDevice::backBuffer;
    sheet.Load(options.sheet);
    if (sheet.surface == nullptr) {
        std::fprintf(stderr, "kestrion-sheetview: no bitmap '%s' as a file or a sheet\n",
                     options.sheet);
        return 1;
    }
    sheet.SetColorKey(options.keyed ? 1 : 0);
    std::printf("%s: %dx%d pixels, cells %dx%d, top-left value 0x%04X%s\n", sheet.name, sheet.width,
                sheet.height, sheet.cellWidth, sheet.cellHeight, sheet.PixelValue(CLR_INVALID),
                options.keyed ? " (transparent)" : "");
    sheet.Draw(0, 0, 0, 0, sheet.width, sheet.height);
    sheet.Release();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) return Usage();

    FakeSystem fake;
    fake.recording = false;
    fake.pixelLayout = options.layout555 ? soft::PixelLayout::Rgb555 : soft::PixelLayout::Rgb565;
    for (const char* name : kSheetNames) {
        if (const EmbeddedFile* file = FindEmbeddedFile(name)) {
            fake.AddEmbeddedBitmap(name, std::vector<uint8_t>(file->data, file->data + file->size));
        }
    }
    fake.Install();
    if (DisplayDevice::Open(nullptr, SW_SHOWNORMAL) == 0) {
        std::fputs("kestrion-sheetview: the display did not open\n", stderr);
        return 1;
    }
    tintDirectDraw = DisplayDevice::directDraw;

    int status = 0;
    if (options.scene) {
        DrawSampleScene(DisplayDevice::directDraw, DisplayDevice::backBuffer);
    } else {
        status = DrawSheet(options, fake);
    }
    if (status == 0 && options.tint) {
        if (options.lockRefused)
            fake.Fail("Lock", DDERR_GENERIC, FakeSystem::kAlways, "backbuffer");
        const int* t = options.tintValues;
        Tint(DisplayDevice::backBuffer, static_cast<uint32_t>(t[0]), static_cast<uint32_t>(t[1]),
             static_cast<uint32_t>(t[2]), static_cast<uint32_t>(t[3]), t[4], t[5], t[6]);
        fake.ClearFailures();
    }
    if (status == 0 && !WriteSurfaceBitmap(DisplayDevice::backBuffer, 640, 480, options.output)) {
        std::fprintf(stderr, "kestrion-sheetview: cannot write %s\n", options.output);
        status = 1;
    }
    tintDirectDraw = nullptr;
    DisplayDevice::Release();
    return status;
}
