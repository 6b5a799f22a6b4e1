#include "display/testing/fake_system.h"

#include <gtest/gtest.h>

namespace {

using platform::DD_OK;
using platform::FakeSystem;

struct Display {
    platform::DirectDraw* dd = nullptr;
    platform::Surface* primary = nullptr;
    platform::Surface* back = nullptr;
};

platform::Result Open(FakeSystem& fake, Display& d) {
    if (auto r = fake.DirectDrawCreate(nullptr, &d.dd, nullptr); r != DD_OK) return r;
    if (auto r = d.dd->SetCooperativeLevel(nullptr, 0x11); r != DD_OK) return r;
    if (auto r = d.dd->SetDisplayMode(640, 480, 16); r != DD_OK) return r;
    platform::SurfaceDesc desc;
    desc.flags = platform::DDSD_CAPS | platform::DDSD_BACKBUFFERCOUNT;
    desc.backBufferCount = 1;
    desc.caps.caps = 0x218;
    if (auto r = d.dd->CreateSurface(&desc, &d.primary, nullptr); r != DD_OK) return r;
    platform::SurfaceCaps caps{platform::DDSCAPS_BACKBUFFER};
    return d.primary->GetAttachedSurface(&caps, &d.back);
}

platform::Surface* Offscreen(platform::DirectDraw* dd, uint32_t caps) {
    platform::SurfaceDesc desc;
    desc.flags = 7;
    desc.width = 8;
    desc.height = 8;
    desc.caps.caps = caps;
    platform::Surface* s = nullptr;
    dd->CreateSurface(&desc, &s, nullptr);
    return s;
}

TEST(FakeSystem, EachOpeningStepCanBeRefused) {
    for (const char* step : {"DirectDrawCreate", "SetCooperativeLevel", "SetDisplayMode",
                             "CreateSurface", "GetAttachedSurface"}) {
        FakeSystem fake;
        fake.Fail(step, platform::DDERR_GENERIC);
        Display d;
        EXPECT_EQ(Open(fake, d), platform::DDERR_GENERIC) << step;
        EXPECT_TRUE(fake.Called(step, true)) << step;
    }
}

TEST(FakeSystem, FailuresCountDownAndCanAimAtOneKindOfSurface) {
    FakeSystem fake;
    Display d;
    ASSERT_EQ(Open(fake, d), DD_OK);
    fake.Fail("Flip", platform::DDERR_WASSTILLDRAWING, 2);
    EXPECT_EQ(d.primary->Flip(nullptr, 0), platform::DDERR_WASSTILLDRAWING);
    EXPECT_EQ(d.primary->Flip(nullptr, 0), platform::DDERR_WASSTILLDRAWING);
    EXPECT_EQ(d.primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(fake.Count("Flip(primary)"), 3u);
    EXPECT_EQ(fake.presentedFrames, 1);

    fake.Fail("Lock", platform::DDERR_GENERIC, FakeSystem::kAlways, "backbuffer");
    platform::Surface* temp = Offscreen(d.dd, 0x840);
    ASSERT_NE(temp, nullptr);
    EXPECT_TRUE(fake.Called("CreateSurface(sysmem 8x8)"));
    platform::SurfaceDesc desc;
    EXPECT_NE(d.back->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    EXPECT_NE(d.back->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    ASSERT_EQ(temp->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    temp->Unlock(nullptr);
    fake.ClearFailures();
    ASSERT_EQ(d.back->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    d.back->Unlock(nullptr);

    // Aimed at off-screen sheets, the failure leaves a system-memory surface alone.
    fake.FailNext("CreateSurface", platform::DDERR_OUTOFMEMORY, "offscreen");
    platform::Surface* temp2 = Offscreen(d.dd, 0x840);
    EXPECT_NE(temp2, nullptr);
    EXPECT_EQ(Offscreen(d.dd, 0x40), nullptr);
    platform::Surface* sheet = Offscreen(d.dd, 0x40);
    EXPECT_NE(sheet, nullptr);
    EXPECT_EQ(fake.LiveSurfaces(), 5u);  // primary, back, two system-memory, one sheet
    temp2->Release();
    temp->Release();
    sheet->Release();
    EXPECT_EQ(fake.LiveSurfaces(), 2u);
}

TEST(FakeSystem, ReleasesAreLoggedInOrderAndCounted) {
    FakeSystem fake;
    Display d;
    ASSERT_EQ(Open(fake, d), DD_OK);
    EXPECT_EQ(fake.LiveSurfaces(), 2u);
    d.primary->Release();
    fake.MessageBoxA(nullptr, "Cannot get the back buffer", "Kestrion", platform::MB_OK);
    d.dd->Release();
    EXPECT_LT(fake.IndexOf("Release(primary)"), fake.IndexOf("MessageBoxA", true));
    EXPECT_TRUE(fake.Called("MessageBoxA(Cannot get the back buffer,Kestrion)"));
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].caption, "Kestrion");
    EXPECT_EQ(fake.LiveSurfaces(), 0u);
    EXPECT_EQ(fake.LiveDirectDraws(), 0u);
    EXPECT_EQ(fake.LastDirectDraw(), nullptr);
}

TEST(FakeSystem, LosingTheDisplayLosesEverySurface) {
    FakeSystem fake;
    Display d;
    ASSERT_EQ(Open(fake, d), DD_OK);
    platform::Surface* sheet = Offscreen(d.dd, 0x40);
    fake.LoseSurfaces();
    EXPECT_TRUE(fake.IsLostSurface(sheet));
    EXPECT_EQ(d.back->IsLost(), platform::DDERR_SURFACELOST);
    EXPECT_EQ(d.primary->Flip(nullptr, 0), platform::DDERR_SURFACELOST);
    d.primary->Restore();
    EXPECT_FALSE(fake.IsLostSurface(d.back));
    EXPECT_TRUE(fake.IsLostSurface(sheet));
    sheet->Release();
}

TEST(FakeSystem, ThePresentedFrameIsKeptInTheDisplaysLayout) {
    FakeSystem fake;
    fake.pixelLayout = soft::PixelLayout::Rgb555;
    Display d;
    ASSERT_EQ(Open(fake, d), DD_OK);
    platform::PixelFormat format;
    d.back->GetPixelFormat(&format);
    EXPECT_EQ(format.gBitMask, 0x3E0u);
    fake.SetPixelAt(d.back, 639, 479, 0x7C00);
    ASSERT_EQ(d.primary->Flip(nullptr, 0), DD_OK);
    ASSERT_EQ(fake.frameWidth, 640);
    EXPECT_EQ(fake.lastFrame[640 * 480 - 1], 0x7C00);
    EXPECT_EQ(fake.PixelAt(d.primary, 639, 479), 0x7C00);
}

TEST(FakeSystem, OperatingSystemFactsAreSettable) {
    FakeSystem fake;
    platform::OsVersionInfo info;
    ASSERT_TRUE(fake.GetVersionExA(&info));
    EXPECT_EQ(info.platformId, platform::VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(info.majorVersion, 6u);
    fake.os.platformId = platform::VER_PLATFORM_WIN32_WINDOWS;
    fake.os.buildNumber = 950;
    ASSERT_TRUE(fake.GetVersionExA(&info));
    EXPECT_EQ(info.buildNumber, 950u);
    fake.os.versionAvailable = false;
    EXPECT_FALSE(fake.GetVersionExA(&info));

    platform::LibraryHandle dinput = fake.LoadLibraryA("dinput.dll");
    ASSERT_NE(dinput, nullptr);
    EXPECT_NE(fake.GetProcAddress(dinput, "DirectInputCreateA"), nullptr);
    EXPECT_EQ(fake.GetProcAddress(dinput, "DirectDrawCreate"), nullptr);
    EXPECT_EQ(fake.LoadedLibraries(), 1);
    EXPECT_TRUE(fake.FreeLibrary(dinput));
    EXPECT_EQ(fake.LoadedLibraries(), 0);
    fake.SetLibrary("DINPUT.DLL", {});
    dinput = fake.LoadLibraryA("DINPUT.DLL");
    EXPECT_EQ(fake.GetProcAddress(dinput, "DirectInputCreateA"), nullptr);
    fake.FreeLibrary(dinput);
    fake.RemoveLibrary("DINPUT.DLL");
    EXPECT_EQ(fake.LoadLibraryA("DINPUT.DLL"), nullptr);

    Display d;
    ASSERT_EQ(Open(fake, d), DD_OK);
    platform::Unknown* out = nullptr;
    fake.FailNext("QueryInterface", platform::DDERR_NOINTERFACE, "DirectDraw");
    EXPECT_EQ(d.dd->QueryInterface(platform::IID_IDirectDraw2, &out), platform::DDERR_NOINTERFACE);
    ASSERT_EQ(d.dd->QueryInterface(platform::IID_IDirectDraw2, &out), DD_OK);
    out->Release();
}

intptr_t QuitOnDestroy(platform::WindowHandle window, uint32_t message, uintptr_t w, intptr_t l) {
    if (message == platform::WM_DESTROY) platform::Sys().PostQuitMessage(0);
    return platform::Sys().DefWindowProcA(window, message, w, l);
}

TEST(FakeSystem, ScriptedInputArrivesThroughThePump) {
    FakeSystem fake;
    fake.Install();
    platform::WindowClass windowClass;
    windowClass.procedure = QuitOnDestroy;
    windowClass.className = "KESTRIONGAME";
    fake.RegisterClassA(windowClass);
    platform::WindowHandle window = fake.CreateWindowExA(0, "KESTRIONGAME", "Kestrion", 0x80080000,
                                                         0, 0, 0, 0, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(fake.Called("CreateWindowExA(KESTRIONGAME,Kestrion,0x80080000)"));
    fake.ShowWindow(window, 1);
    int pumps = 0;
    fake.onPump = [&](FakeSystem& f) {
        if (++pumps == 2) {
            f.SetKey(platform::VK_SHIFT, true);
            f.PostMessageA(window, platform::WM_CLOSE, 0, 0);
        }
    };
    platform::Message m;
    ASSERT_TRUE(fake.PeekMessageA(&m, nullptr, 0, 0, platform::PM_REMOVE));
    EXPECT_EQ(m.message, platform::WM_ACTIVATEAPP);  // the window was shown
    EXPECT_FALSE(fake.PeekMessageA(&m, nullptr, 0, 0, platform::PM_NOREMOVE) &&
                 m.message != platform::WM_CLOSE);
    EXPECT_EQ(fake.GetKeyState(platform::VK_SHIFT) & 0x80, 0x80);
    ASSERT_EQ(fake.GetMessageA(&m, nullptr, 0, 0), 1);
    fake.DispatchMessageA(&m);
    EXPECT_EQ(fake.GetMessageA(&m, nullptr, 0, 0), 0);
    EXPECT_TRUE(fake.Called("DestroyWindow"));
    EXPECT_TRUE(fake.Called("PostQuitMessage(0)"));

    fake.tickCount = 0xFFFFFFF0u;
    fake.tickStep = 0x20;
    EXPECT_EQ(fake.GetTickCount(), 0xFFFFFFF0u);
    EXPECT_EQ(fake.GetTickCount(), 0x10u);
}

TEST(FakeSystem, ATimedWaitWithNothingPostedLetsItsTimePass) {
    FakeSystem fake;
    fake.tickCount = 1000;
    EXPECT_FALSE(fake.WaitMessageTimeout(250));
    EXPECT_EQ(fake.tickCount, 1250u);
    fake.onPump = [](FakeSystem& system) {
        system.Queue().Post(nullptr, platform::WM_SETCURSOR, 0, 0);
    };
    EXPECT_TRUE(fake.WaitMessageTimeout(250));
    EXPECT_EQ(fake.tickCount, 1250u);  // input ended it at once
    EXPECT_TRUE(fake.Called("WaitMessageTimeout(250)"));
}

TEST(FakeSystemDeathTest, AMisspeltFailureStopsTheTest) {
    FakeSystem fake;
    EXPECT_DEATH(fake.Fail("SetDisplayMod"), "no operation named");
}

TEST(FakeSystemDeathTest, WaitingWithNothingScriptedStopsInsteadOfHanging) {
    FakeSystem fake;
    fake.idleWaitLimit = 3;
    EXPECT_DEATH(
        {
            for (int i = 0; i < 5; ++i) fake.WaitMessage();
        },
        "block for ever");
}

}  // namespace
