#include "tests/app/test_sheets.h"

#include <algorithm>

#include "app/dialog_button.h"
#include "display/testing/bmp_writer.h"

namespace apptest {

namespace {

constexpr int kDialogImages[] = {kYesImage,       kNoImage,   kCancelImage, kUpArrowImage,
                                 kDownArrowImage, kLoadImage, kSaveImage,   kPlayImage,
                                 kHumanImage,     kAiImage};
constexpr int kDialogImageWidths[] = {50, 50, 80, 25, 25, 60, 60, 60, 80, 80};

uint32_t Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
}

void FillRect(platform::BmpPicture& picture, int x, int y, int w, int h, uint32_t colour) {
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            picture.rgb[static_cast<size_t>(row) * picture.width + column] = colour;
        }
    }
}

void Register(platform::FakeSystem& fake, const char* name, const platform::BmpPicture& picture) {
    fake.AddEmbeddedBitmap(name, platform::EncodeBmp(picture, platform::BmpEncoding::Bits24));
}

}  // namespace

uint32_t PieceColour(int column, int blackRow) {
    return Rgb(0x10 + 0x20 * column, blackRow ? 0xC0 : 0x40, 0x08);
}

uint32_t StatusColour(int column, int row) {
    return Rgb(0x20 * (column + 1), 0x20 * (row + 1), 0xF8);
}

uint32_t MenuColour(int button, int state) {
    return Rgb(0x48 + 0x20 * button, 0x18 + 0x30 * state, 0x80);
}

uint32_t DialogButtonColour(int sourceX, int state) {
    const int index =
        static_cast<int>(std::find(std::begin(kDialogImages), std::end(kDialogImages), sourceX) -
                         std::begin(kDialogImages));
    return Rgb(0x08 * (index + 1), 0xF0 - 0x20 * state, 0x40);
}

uint32_t OptionColour(int sourceX, int state) {
    return Rgb(0xF8 - sourceX / 4, 0x20 + 0x30 * state, 0xA0);
}

uint32_t TakeBackColour(int state) {
    return Rgb(0xE0, 0x88 + 0x20 * state, 0x28);
}

uint32_t DrawColour(int column) {
    return Rgb(0x18 + 0x30 * column, 0xD0, 0x60);
}

uint32_t DialogBannerColour(int dialog) {
    switch (dialog) {
        case 1:
            return 0xF80000;
        case 2:
            return 0x00F800;
        case 3:
            return 0x0000F8;
        default:
            return 0xF800F8;
    }
}

void RegisterTestSheets(platform::FakeSystem& fake) {
    Register(fake, "back.bmp", platform::SolidPicture(640, 480, kBackgroundColour));

    platform::BmpPicture pieces = platform::SolidPicture(240, 160, kPiecesKey);
    for (int column = 0; column < 6; ++column) {
        for (int row = 0; row < 2; ++row) {
            FillRect(pieces, 40 * column + 2, 80 * row + 2, 36, 76, PieceColour(column, row));
        }
    }
    Register(fake, "pieces.bmp", pieces);

    platform::BmpPicture status = platform::SolidPicture(300, 200, 0);
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 5; ++row) {
            FillRect(status, 100 * column + 1, 40 * row + 1, 98, 38, StatusColour(column, row));
        }
    }
    Register(fake, "status.bmp", status);

    platform::BmpPicture menu = platform::SolidPicture(320, 120, 0);
    for (int button = 0; button < 4; ++button) {
        for (int state = 0; state < 3; ++state) {
            FillRect(menu, 80 * button + 1, 40 * state + 1, 79, 39, MenuColour(button, state));
        }
    }
    Register(fake, "bigbns.bmp", menu);

    platform::BmpPicture buttons = platform::SolidPicture(570, 75, 0);
    for (size_t i = 0; i < std::size(kDialogImages); ++i) {
        for (int state = 0; state < 3; ++state) {
            FillRect(buttons, kDialogImages[i] + 1, 25 * state + 1, kDialogImageWidths[i] - 1, 24,
                     DialogButtonColour(kDialogImages[i], state));
        }
    }
    Register(fake, "smlbns.bmp", buttons);

    // Five level images 74 wide, then two rules images 80 wide.
    platform::BmpPicture options = platform::SolidPicture(530, 75, 0);
    for (int image = 0; image < 7; ++image) {
        const int x = image < 5 ? 74 * image : 370 + 80 * (image - 5);
        const int width = image < 5 ? 74 : 80;
        for (int state = 0; state < 3; ++state) {
            FillRect(options, x + 1, 25 * state + 1, width - 1, 24, OptionColour(x, state));
        }
    }
    Register(fake, "options.bmp", options);

    platform::BmpPicture takeBack = platform::SolidPicture(80, 120, 0);
    for (int state = 0; state < 3; ++state) {
        FillRect(takeBack, 1, 40 * state + 1, 79, 39, TakeBackColour(state));
    }
    Register(fake, "takeback.bmp", takeBack);

    platform::BmpPicture draws = platform::SolidPicture(300, 40, 0);
    for (int column = 0; column < 3; ++column) {
        FillRect(draws, 100 * column + 1, 1, 98, 38, DrawColour(column));
    }
    Register(fake, "draws.bmp", draws);
    Register(fake, "ranks.bmp", platform::SolidPicture(36, 400, kRankStripColour));
    platform::BmpPicture picker = platform::SolidPicture(220, 108, 0);
    FillRect(picker, 2, 2, 216, 104, kPickerColour);
    Register(fake, "picker.bmp", picker);

    platform::BmpPicture pointer = platform::SolidPicture(32, 32, 0);
    FillRect(pointer, 2, 2, 8, 8, kPointerColour);
    Register(fake, "mouse.bmp", pointer);

    platform::BmpPicture font = platform::SolidPicture(128, 128, 0);
    for (int code = 32; code < 256; ++code) {
        FillRect(font, 8 * (code % 16) + 1, 8 * (code / 16) + 1, 6, 6, kGlyphColour);
    }
    Register(fake, "font8.bmp", font);

    const char* dialogs[] = {"dlgquit.bmp", "dlgplay.bmp", "dlgsave.bmp", "dlgload.bmp"};
    for (int kind = 1; kind <= 4; ++kind) {
        platform::BmpPicture sheet = platform::SolidPicture(320, 240, 0);
        FillRect(sheet, 10, 10, 300, 20, DialogBannerColour(kind));
        Register(fake, dialogs[kind - 1], sheet);
    }
}

uint16_t To565(uint32_t rgb) {
    return Tinted565(rgb, 0, 0, 0);
}

uint16_t Tinted565(uint32_t rgb, int red, int green, int blue) {
    const int r = std::clamp(static_cast<int>((rgb >> 16) & 0xFF) / 8 + red, 0, 31);
    const int g = std::clamp(static_cast<int>((rgb >> 8) & 0xFF) / 4 + 2 * green, 0, 63);
    const int b = std::clamp(static_cast<int>(rgb & 0xFF) / 8 + blue, 0, 31);
    return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

}  // namespace apptest
