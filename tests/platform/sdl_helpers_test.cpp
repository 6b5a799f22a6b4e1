#include <SDL_keycode.h>
#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include "display/sdl/key_map.h"
#include "display/sdl/letterbox.h"

namespace {

using sdl::FitPicture;
using sdl::Viewport;

void ExpectViewport(const Viewport& v, int x, int y, int w, int h) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.width, w);
    EXPECT_EQ(v.height, h);
}

TEST(Letterbox, ThePictureFillsOneSideAndIsCentredOnTheOther) {
    ExpectViewport(FitPicture(640, 480, 640, 480), 0, 0, 640, 480);
    ExpectViewport(FitPicture(1920, 1080, 640, 480), 240, 0, 1440, 1080);
    ExpectViewport(FitPicture(1280, 1024, 640, 480), 0, 32, 1280, 960);
    ExpectViewport(FitPicture(800, 480, 640, 480), 80, 0, 640, 480);
    ExpectViewport(FitPicture(1366, 768, 640, 480), 171, 0, 1024, 768);
    ExpectViewport(FitPicture(320, 1000, 640, 480), 0, 380, 320, 240);
}

TEST(Letterbox, AWindowShrinksOnlyOnAScreenTooSmallForThePicture) {
    Viewport window{-1, -1, -1, -1};
    EXPECT_FALSE(sdl::ShrinkWindowToFit({0, 0, 1024, 768}, 640, 480, &window));
    EXPECT_FALSE(sdl::ShrinkWindowToFit({0, 0, 640, 480}, 640, 480, &window));
    EXPECT_FALSE(sdl::ShrinkWindowToFit({0, 0, 0, 0}, 640, 480, &window));
    EXPECT_EQ(window.width, -1);

    ASSERT_TRUE(sdl::ShrinkWindowToFit({0, 0, 320, 240}, 640, 480, &window));
    ExpectViewport(window, 0, 0, 320, 240);
    // A screen wide enough but too low (a panel takes its top 30 rows): the height decides.
    ASSERT_TRUE(sdl::ShrinkWindowToFit({0, 30, 800, 450}, 640, 480, &window));
    ExpectViewport(window, 100, 30, 600, 450);
    // A second screen to the right, narrower than the picture: the width decides.
    ASSERT_TRUE(sdl::ShrinkWindowToFit({1920, 0, 600, 1024}, 640, 480, &window));
    ExpectViewport(window, 1920, 287, 600, 450);
}

TEST(Letterbox, WindowPositionsMapBackToPicturePixels) {
    Viewport v = FitPicture(1920, 1080, 640, 480);
    auto at = sdl::WindowToPicture(v, 240, 0, 640, 480);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
    at = sdl::WindowToPicture(v, 1679, 1079, 640, 480);
    EXPECT_EQ(at.x, 639);
    EXPECT_EQ(at.y, 479);
    at = sdl::WindowToPicture(v, 960, 540, 640, 480);
    EXPECT_EQ(at.x, 320);
    EXPECT_EQ(at.y, 240);
    // On the bars, the nearest edge pixel.
    at = sdl::WindowToPicture(v, 10, 540, 640, 480);
    EXPECT_EQ(at.x, 0);
    at = sdl::WindowToPicture(v, 1900, 540, 640, 480);
    EXPECT_EQ(at.x, 639);
    at = sdl::WindowToPicture(v, -5, -5, 640, 480);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
}

// A window with a side of 0 gets a viewport with an empty side; pointer positions over it still
// land on the picture and the cursor on the window, without dividing by the empty side.
TEST(Letterbox, AWindowWithNoRoomForThePictureStillMapsPositions) {
    for (auto [w, h] : {std::pair{0, 480}, {640, 0}, {0, 0}}) {
        Viewport v = FitPicture(w, h, 640, 480);
        for (int position : {-5, 0, 3, 700}) {
            auto at = sdl::WindowToPicture(v, position, position, 640, 480);
            EXPECT_TRUE(at.x >= 0 && at.x < 640 && at.y >= 0 && at.y < 480)
                << w << "x" << h << " at " << position;
        }
        auto window = sdl::PictureToWindow(v, 320, 240, 640, 480);
        EXPECT_TRUE(window.x >= 0 && window.x <= w && window.y >= 0 && window.y <= h)
            << w << "x" << h;
    }
}

TEST(Letterbox, EveryPicturePixelSurvivesTheRoundTrip) {
    for (auto [w, h] : {std::pair{640, 480}, {1920, 1080}, {1366, 768}, {800, 600}, {500, 400}}) {
        Viewport v = FitPicture(w, h, 640, 480);
        // A window smaller than the picture cannot show every pixel; there only the bounds
        // are checked.
        bool exact = v.width >= 640;
        for (int x = 0; x < 640; ++x) {
            auto window = sdl::PictureToWindow(v, x, 479 - x % 480, 640, 480);
            auto back = sdl::WindowToPicture(v, window.x, window.y, 640, 480);
            ASSERT_GE(window.x, v.x);
            ASSERT_LT(window.x, v.x + v.width);
            if (exact) {
                ASSERT_EQ(back.x, x) << w << "x" << h;
                ASSERT_EQ(back.y, 479 - x % 480) << w << "x" << h;
            }
        }
    }
}

TEST(KeyMap, KeysGetTheDesktopsVirtualKeyCodes) {
    using sdl::VirtualKeyFor;
    EXPECT_EQ(VirtualKeyFor(SDLK_a, SDL_SCANCODE_A), 'A');
    EXPECT_EQ(VirtualKeyFor(SDLK_z, SDL_SCANCODE_Z), 'Z');
    EXPECT_EQ(VirtualKeyFor(SDLK_0, SDL_SCANCODE_0), '0');
    EXPECT_EQ(VirtualKeyFor(SDLK_9, SDL_SCANCODE_9), '9');
    EXPECT_EQ(VirtualKeyFor(SDLK_SPACE, SDL_SCANCODE_SPACE), 0x20);
    EXPECT_EQ(VirtualKeyFor(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE), 0x08);
    EXPECT_EQ(VirtualKeyFor(SDLK_TAB, SDL_SCANCODE_TAB), 0x09);
    EXPECT_EQ(VirtualKeyFor(SDLK_RETURN, SDL_SCANCODE_RETURN), 0x0D);
    EXPECT_EQ(VirtualKeyFor(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), 0x0D);
    EXPECT_EQ(VirtualKeyFor(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT), 0x10);
    EXPECT_EQ(VirtualKeyFor(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), 0x10);
    EXPECT_EQ(VirtualKeyFor(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), 0x1B);
    EXPECT_EQ(VirtualKeyFor(SDLK_LEFT, SDL_SCANCODE_LEFT), 0x25);
    EXPECT_EQ(VirtualKeyFor(SDLK_UP, SDL_SCANCODE_UP), 0x26);
    EXPECT_EQ(VirtualKeyFor(SDLK_RIGHT, SDL_SCANCODE_RIGHT), 0x27);
    EXPECT_EQ(VirtualKeyFor(SDLK_DOWN, SDL_SCANCODE_DOWN), 0x28);
    EXPECT_EQ(VirtualKeyFor(SDLK_INSERT, SDL_SCANCODE_INSERT), 0x2D);
    EXPECT_EQ(VirtualKeyFor(SDLK_DELETE, SDL_SCANCODE_DELETE), 0x2E);
    EXPECT_EQ(VirtualKeyFor(SDLK_KP_0, SDL_SCANCODE_KP_0), 0x60);
    EXPECT_EQ(VirtualKeyFor(SDLK_KP_1, SDL_SCANCODE_KP_1), 0x61);
    EXPECT_EQ(VirtualKeyFor(SDLK_KP_9, SDL_SCANCODE_KP_9), 0x69);
    EXPECT_EQ(VirtualKeyFor(SDLK_F1, SDL_SCANCODE_F1), 0x70);
    EXPECT_EQ(VirtualKeyFor(SDLK_F12, SDL_SCANCODE_F12), 0x7B);
    const std::pair<SDL_Keycode, int> punctuation[] = {
        {SDLK_SEMICOLON, 0xBA},    {SDLK_EQUALS, 0xBB},      {SDLK_COMMA, 0xBC},
        {SDLK_MINUS, 0xBD},        {SDLK_PERIOD, 0xBE},      {SDLK_SLASH, 0xBF},
        {SDLK_BACKQUOTE, 0xC0},    {SDLK_LEFTBRACKET, 0xDB}, {SDLK_BACKSLASH, 0xDC},
        {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE}};
    for (auto [key, code] : punctuation) EXPECT_EQ(VirtualKeyFor(key, 0), code) << key;
    EXPECT_EQ(VirtualKeyFor(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP), 0);
}

TEST(KeyMap, KeysOfANonLatinLayoutFallBackToTheirPosition) {
    const SDL_Keycode cyrillicEf = 0x0444;  // on the key where a US layout has A
    EXPECT_EQ(sdl::VirtualKeyFor(cyrillicEf, SDL_SCANCODE_A), 'A');
    EXPECT_EQ(sdl::VirtualKeyFor(0x0451, SDL_SCANCODE_GRAVE), 0xC0);
    // A layout's own letter wins over the position (a French A sits where US has Q).
    EXPECT_EQ(sdl::VirtualKeyFor(SDLK_a, SDL_SCANCODE_Q), 'A');
    EXPECT_EQ(sdl::SideVirtualKeyFor(SDL_SCANCODE_LSHIFT), 0xA0);
    EXPECT_EQ(sdl::SideVirtualKeyFor(SDL_SCANCODE_RSHIFT), 0xA1);
    EXPECT_EQ(sdl::SideVirtualKeyFor(SDL_SCANCODE_A), 0);
}

}  // namespace
