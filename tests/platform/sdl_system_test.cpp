#include "display/sdl/sdl_system.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <vector>

#include "display/sdl/letterbox.h"
#include "display/sdl/sdl_entry.h"
#include "tests/platform/flipping_display.h"

namespace {

using platform::DD_OK;
using platform::Sys;

std::vector<uint32_t> received;

intptr_t GameProcedure(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam) {
    received.push_back(message);
    if (message == platform::WM_DESTROY) Sys().PostQuitMessage(5);
    return Sys().DefWindowProcA(window, message, wParam, lParam);
}

platform::WindowHandle OpenWindow() {
    platform::WindowClass windowClass;
    windowClass.style = platform::CS_HREDRAW | platform::CS_VREDRAW;
    windowClass.procedure = GameProcedure;
    windowClass.instance = Sys().GetModuleHandleA(nullptr);
    windowClass.icon = Sys().LoadIconA(windowClass.instance, 101);
    windowClass.cursor = Sys().LoadCursorA(nullptr, platform::IDC_ARROW);
    windowClass.background = Sys().GetStockObject(platform::BLACK_BRUSH);
    windowClass.className = "KESTRIONGAME";
    Sys().RegisterClassA(windowClass);
    return Sys().CreateWindowExA(0, "KESTRIONGAME", "Kestrion",
                                 platform::WS_POPUP | platform::WS_SYSMENU, 0, 0, 0, 0, nullptr,
                                 windowClass.instance);
}

// The game's display: DirectDraw at 640x480x16 with a primary and one back buffer.
platform::Surface* OpenFlippingPrimary(platform::WindowHandle window, platform::DirectDraw** dd) {
    *dd = nullptr;
    EXPECT_EQ(Sys().DirectDrawCreate(nullptr, dd, nullptr), DD_OK);
    if (*dd == nullptr) return nullptr;
    EXPECT_EQ(
        (*dd)->SetCooperativeLevel(window, platform::DDSCL_EXCLUSIVE | platform::DDSCL_FULLSCREEN),
        DD_OK);
    EXPECT_EQ((*dd)->SetDisplayMode(640, 480, 16), DD_OK);
    return platform_testing::CreateFlippingPrimary(*dd);
}

// Everything a game start does, on the virtual display: window, DirectDraw at 640x480x16,
// primary with back buffer, a few drawn and flipped frames, then the close by message.
int SmokeGame(platform::ModuleHandle instance, int showCommand) {
    EXPECT_NE(instance, nullptr);
    platform::WindowHandle window = OpenWindow();
    if (window == nullptr) return -1;
    Sys().ShowWindow(window, showCommand);
    Sys().UpdateWindow(window);

    platform::DirectDraw* dd = nullptr;
    platform::Surface* primary = OpenFlippingPrimary(window, &dd);
    if (primary == nullptr) return -1;
    platform::SurfaceCaps caps{platform::DDSCAPS_BACKBUFFER};
    platform::Surface* back = nullptr;
    EXPECT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    for (int frame = 0; frame < 3; ++frame) {
        platform::BltFx fx;
        fx.fillColor = 0xF800;
        platform::Rect square{100, 100, 200, 200};
        EXPECT_EQ(back->Blt(&square, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx), DD_OK);
        EXPECT_EQ(primary->Flip(nullptr, 0), DD_OK);
    }
    platform::SurfaceDesc shown;
    EXPECT_EQ(primary->Lock(nullptr, &shown, 0, nullptr), DD_OK);
    EXPECT_EQ(static_cast<uint16_t*>(shown.surface)[150 * shown.pitch / 2 + 150], 0xF800);
    primary->Unlock(nullptr);

    Sys().SetCursor(nullptr);
    Sys().SetCursorPos(320, 240);
    Sys().PostMessageA(window, platform::WM_CLOSE, 0, 0);
    platform::Message message;
    int exitCode = -2;
    for (int i = 0; i < 1000; ++i) {
        if (!Sys().PeekMessageA(&message, nullptr, 0, 0, platform::PM_NOREMOVE)) continue;
        if (Sys().GetMessageA(&message, nullptr, 0, 0) == 0) {
            exitCode = static_cast<int>(message.wParam);
            break;
        }
        Sys().TranslateMessage(&message);
        Sys().DispatchMessageA(&message);
    }
    primary->Release();
    dd->Release();
    return exitCode;
}

TEST(SdlSystem, OpensDrawsFlipsAndClosesOnTheVirtualDisplay) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    received.clear();
    EXPECT_EQ(platform::RunWithSdl(SmokeGame), 5);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.front(), platform::WM_ACTIVATEAPP);
    EXPECT_EQ(received.back(), platform::WM_DESTROY);
}

TEST(SdlSystem, AVirtualDisplayNobodyAskedForIsRefusedWithAReason) {
    unsetenv("SDL_VIDEODRIVER");
    sdl::SdlSystem system;
    platform::InstallSystem(&system);
    // SDL would take the dummy driver by this hint alone; the user never asked for it.
    SDL_SetHint("SDL_VIDEODRIVER", "dummy");
    testing::internal::CaptureStderr();
    EXPECT_EQ(OpenWindow(), nullptr);
    std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("no display"), std::string::npos) << told;
    EXPECT_NE(told.find("dummy"), std::string::npos) << told;
    platform::InstallSystem(nullptr);
}

// The SDL System on the dummy driver with the game window open and shown.
class SdlWindow : public testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        platform::InstallSystem(&system);
        window = OpenWindow();
        ASSERT_NE(window, nullptr);
        system.ShowWindow(window, platform::SW_SHOWNORMAL);
    }
    void TearDown() override {
        if (window != nullptr) system.DestroyWindow(window);
        platform::InstallSystem(nullptr);
    }

    sdl::SdlSystem system;
    platform::WindowHandle window = nullptr;
};

TEST_F(SdlWindow, TheCursorIsPlacedInPicturePixels) {
    ASSERT_TRUE(system.SetCursorPos(320, 240));
    platform::Message message;
    system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_NOREMOVE);
    platform::Point at{-1, -1};
    ASSERT_TRUE(system.GetCursorPos(&at));
    EXPECT_EQ(at.x, 320);
    EXPECT_EQ(at.y, 240);
    system.ToggleFullscreen();  // to a 640x480 window and back: the mapping follows
    EXPECT_FALSE(system.Fullscreen());
    system.SetCursorPos(17, 400);
    system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_NOREMOVE);
    ASSERT_TRUE(system.GetCursorPos(&at));
    EXPECT_EQ(at.x, 17);
    EXPECT_EQ(at.y, 400);
    system.ToggleFullscreen();
    EXPECT_TRUE(system.Fullscreen());
}

void Push(const SDL_Event& event) {
    ASSERT_EQ(SDL_PushEvent(const_cast<SDL_Event*>(&event)), 1);
}

SDL_Event Key(SDL_Keycode key, SDL_Scancode code, Uint16 mod) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = code;
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event WindowEvent(Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    return event;
}

TEST_F(SdlWindow, InputArrivesAsWindowMessages) {
    platform::DirectDraw* dd = nullptr;
    ASSERT_EQ(system.DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    platform::SurfaceDesc desc;
    desc.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
    desc.width = desc.height = 8;
    desc.caps.caps = platform::DDSCAPS_OFFSCREENPLAIN;
    platform::Surface* sheet = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &sheet, nullptr), DD_OK);
    platform::Message message;
    while (system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
    }

    int width = 0, height = 0;
    SDL_GetWindowSize(SDL_GetWindowFromID(1), &width, &height);
    sdl::Viewport view = sdl::FitPicture(width, height, 640, 480);
    Push(Key(SDLK_F12, SDL_SCANCODE_F12, KMOD_NONE));
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_LEFT;
    sdl::PicturePoint at = sdl::PictureToWindow(view, 100, 50, 640, 480);
    press.button.x = at.x;
    press.button.y = at.y;
    Push(press);
    Push(Key(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT));  // the window toggle only
    Push(Key(SDLK_x, SDL_SCANCODE_X, KMOD_LALT));            // a system key
    Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    Push(WindowEvent(SDL_WINDOWEVENT_CLOSE));

    std::vector<platform::Message> got;
    while (system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
        if (message.message != platform::WM_SETCURSOR) got.push_back(message);
    }
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0].message, platform::WM_KEYDOWN);
    EXPECT_EQ(got[0].wParam, uintptr_t{platform::VK_F12});
    EXPECT_EQ(got[1].message, platform::WM_LBUTTONDOWN);
    EXPECT_EQ(got[1].lParam, (50 << 16) | 100);
    EXPECT_EQ(got[2].message, platform::WM_SYSKEYDOWN);
    EXPECT_EQ(got[2].wParam, uintptr_t{'X'});
    EXPECT_EQ(got[3].message, platform::WM_ACTIVATEAPP);
    EXPECT_EQ(got[3].wParam, 0u);
    EXPECT_EQ(got[4].message, platform::WM_CLOSE);
    // Alt+Enter made it a window before the focus went, so nothing was taken away; full
    // screen again, a lost focus takes the surfaces.
    EXPECT_FALSE(system.Fullscreen());
    EXPECT_EQ(sheet->IsLost(), DD_OK);
    system.ToggleFullscreen();
    Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_NOREMOVE);
    EXPECT_EQ(sheet->IsLost(), platform::DDERR_SURFACELOST);
    sheet->Release();
    dd->Release();
}

// A still game waits on SDL's queue: the time runs out with nothing there, and an event pushed
// meanwhile (here before) ends the wait and becomes the next message.
TEST_F(SdlWindow, ATimedWaitEndsWithItsTimeOrWithInput) {
    platform::Message message;
    while (system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
    }
    const uint32_t start = SDL_GetTicks();
    EXPECT_FALSE(system.WaitMessageTimeout(40));
    EXPECT_GE(SDL_GetTicks() - start, 40u);
    Push(Key(SDLK_a, SDL_SCANCODE_A, KMOD_NONE));
    EXPECT_TRUE(system.WaitMessageTimeout(platform::INFINITE));
    ASSERT_TRUE(system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_REMOVE));
    EXPECT_EQ(message.message, platform::WM_KEYDOWN);
    EXPECT_EQ(message.wParam, uintptr_t{'A'});
}

// A press and release between two frames would be lost to a game that reads the button once
// per frame, so the release waits, with everything behind it, until a frame is shown.
TEST_F(SdlWindow, AQuickClickIsSpreadOverTwoFrames) {
    platform::DirectDraw* dd = nullptr;
    platform::Surface* primary = OpenFlippingPrimary(window, &dd);
    ASSERT_NE(primary, nullptr);
    platform::Message message;
    auto drain = [&] {
        std::vector<uint32_t> got;
        while (system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
            if (message.message != platform::WM_SETCURSOR &&
                message.message != platform::WM_ACTIVATEAPP) {
                got.push_back(message.message);
            }
        }
        return got;
    };
    drain();

    SDL_Event click{};
    click.button.button = SDL_BUTTON_LEFT;
    click.type = SDL_MOUSEBUTTONDOWN;
    Push(click);
    click.type = SDL_MOUSEBUTTONUP;
    Push(click);
    Push(Key(SDLK_a, SDL_SCANCODE_A, KMOD_NONE));
    click.type = SDL_MOUSEBUTTONDOWN;
    Push(click);

    EXPECT_EQ(drain(), (std::vector<uint32_t>{platform::WM_LBUTTONDOWN}));
    EXPECT_EQ(drain(), (std::vector<uint32_t>{}));  // no frame yet: the release still waits
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(drain(), (std::vector<uint32_t>{platform::WM_LBUTTONUP, platform::WM_KEYDOWN}));
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(drain(), (std::vector<uint32_t>{platform::WM_LBUTTONDOWN}));

    primary->Release();
    dd->Release();
}

// Only a frame that differs from the one on the window reaches it, scaled into the window's
// picture; whatever may have taken the picture from the window has the next frame shown.
TEST_F(SdlWindow, OnlyChangedFramesReachTheWindowAndALostPictureIsShownAgain) {
    platform::DirectDraw* dd = nullptr;
    platform::Surface* primary = OpenFlippingPrimary(window, &dd);
    ASSERT_NE(primary, nullptr);
    platform::SurfaceCaps caps{platform::DDSCAPS_BACKBUFFER};
    platform::Surface* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    auto flip = [&](uint16_t colour) {
        platform::BltFx fx;
        ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx), DD_OK);
        fx.fillColor = colour;
        platform::Rect square{100, 100, 200, 200};
        ASSERT_EQ(back->Blt(&square, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx), DD_OK);
        ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    };
    auto shown = [&] { return system.Frames().ShownFrames(); };
    // The colour the window shows at the centre of a picture pixel, as 0xRRGGBB.
    auto windowColour = [](int x, int y) {
        SDL_Window* sdlWindow = SDL_GetWindowFromID(1);
        SDL_Surface* surface = SDL_GetWindowSurface(sdlWindow);
        if (surface == nullptr) return ~0u;
        sdl::Viewport view = sdl::FitPicture(surface->w, surface->h, 640, 480);
        sdl::PicturePoint at = sdl::PictureToWindow(view, x, y, 640, 480);
        uint32_t pixel = 0;
        std::memcpy(&pixel,
                    static_cast<uint8_t*>(surface->pixels) + at.y * surface->pitch +
                        at.x * surface->format->BytesPerPixel,
                    surface->format->BytesPerPixel);
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(pixel, surface->format, &r, &g, &b);
        return static_cast<uint32_t>(r << 16 | g << 8 | b);
    };
    platform::Message message;
    auto drain = [&] {
        while (system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
        }
    };
    drain();

    flip(0xF800);
    EXPECT_EQ(shown(), 1u);
    EXPECT_EQ(windowColour(150, 150), 0xFF0000u);
    EXPECT_EQ(windowColour(99, 150), 0u);
    flip(0xF800);
    flip(0xF800);
    EXPECT_EQ(shown(), 1u);
    EXPECT_EQ(system.Frames().SkippedFrames(), 2u);
    flip(0x001F);
    EXPECT_EQ(shown(), 2u);
    EXPECT_EQ(windowColour(150, 150), 0x0000FFu);

    for (Uint8 what :
         {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_SIZE_CHANGED, SDL_WINDOWEVENT_FOCUS_GAINED}) {
        Push(WindowEvent(what));
        drain();
        uint32_t before = shown();
        flip(0x001F);
        EXPECT_EQ(shown(), before + 1) << "window event " << int{what};
        flip(0x001F);
        EXPECT_EQ(shown(), before + 1) << "window event " << int{what};
    }

    // Alt+Enter: a window of another size, with the picture drawn anew into it.
    system.ToggleFullscreen();
    drain();
    uint32_t before = shown();
    flip(0x001F);
    EXPECT_EQ(shown(), before + 1);
    EXPECT_EQ(windowColour(150, 150), 0x0000FFu);
    EXPECT_EQ(windowColour(201, 150), 0u);
    system.ToggleFullscreen();
    drain();

    primary->Release();
    dd->Release();
}

std::vector<bool> heardSwitches;
void HearSwitch(bool fullScreen) {
    heardSwitches.push_back(fullScreen);
}

// The program chooses the starting screen and hears of every Alt+Enter, which it remembers.
TEST(SdlSystem, StartsInTheChosenScreenAndReportsEachSwitch) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    heardSwitches.clear();
    sdl::SdlSystem system;
    system.StartScreen(false, HearSwitch);
    platform::InstallSystem(&system);
    platform::WindowHandle window = OpenWindow();
    ASSERT_NE(window, nullptr);
    system.ShowWindow(window, platform::SW_SHOWNORMAL);
    EXPECT_FALSE(system.Fullscreen());
    EXPECT_TRUE(heardSwitches.empty()) << "starting is not a switch";

    platform::Message message;
    Push(Key(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT));
    system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_NOREMOVE);
    EXPECT_TRUE(system.Fullscreen());
    SDL_Event repeated = Key(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_RALT);
    repeated.key.repeat = 1;  // a held key switches once
    Push(repeated);
    Push(Key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_RALT));
    system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_NOREMOVE);
    EXPECT_FALSE(system.Fullscreen());
    EXPECT_EQ(heardSwitches, (std::vector<bool>{true, false}));

    system.DestroyWindow(window);
    platform::InstallSystem(nullptr);
}

}  // namespace
