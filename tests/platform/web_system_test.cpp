// The browser's System on a stand-in page: page input becomes the desktop's window messages
// in the order and at the frames the game expects, frames are shown and paced, waiting
// gives the page its turn, and the sheets come through the page's decoder.

#include "display/web/web_system.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "display/web/web_bitmap_decoder.h"
#include "tests/platform/flipping_display.h"
#include "tests/platform/page_bridge_double.h"

namespace {

using platform::Message;
using web::PageEvent;

std::vector<Message> received;

intptr_t RecordingProcedure(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    received.push_back(Message{window, message, wParam, lParam});
    return 0;
}

class WebSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        page_double::Reset();
        received.clear();
        platform::WindowClass windowClass;
        windowClass.procedure = RecordingProcedure;
        windowClass.className = "KESTRIONGAME";
        system.RegisterClassA(windowClass);
        window =
            system.CreateWindowExA(0, "KESTRIONGAME", "Kestrion", 0, 0, 0, 0, 0, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
    }

    // One pass of the game's pump: every message that is there now, dispatched.
    std::vector<uint32_t> Pump() {
        received.clear();
        Message message;
        while (system.PeekMessageA(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
            system.DispatchMessageA(&message);
        }
        std::vector<uint32_t> kinds;
        for (const Message& m : received) kinds.push_back(m.message);
        return kinds;
    }

    // A primary surface with its back buffer, for flipping frames to the page.
    platform::Surface* OpenDisplay() {
        EXPECT_EQ(system.DirectDrawCreate(nullptr, &directDraw, nullptr), platform::DD_OK);
        return platform_testing::CreateFlippingPrimary(directDraw);
    }

    void TearDown() override {
        if (directDraw != nullptr) directDraw->Release();
    }

    web::WebSystem system;
    platform::WindowHandle window = nullptr;
    platform::DirectDraw* directDraw = nullptr;
};

PageEvent Button(bool down, int x, int y) {
    PageEvent event{down ? PageEvent::Kind::ButtonDown : PageEvent::Kind::ButtonUp};
    event.x = x;
    event.y = y;
    return event;
}

TEST_F(WebSystemTest, APageInFrontActivatesTheGameWhenItsWindowIsShown) {
    system.ShowWindow(window, platform::SW_SHOWNORMAL);
    std::vector<uint32_t> kinds = Pump();
    ASSERT_EQ(kinds, std::vector<uint32_t>{platform::WM_ACTIVATEAPP});
    EXPECT_EQ(received[0].wParam, 1u);
}

TEST_F(WebSystemTest, AHiddenPageWaitsForItsFirstFocus) {
    page_double::ThePage().active = false;
    system.ShowWindow(window, platform::SW_SHOWNORMAL);
    EXPECT_TRUE(Pump().empty());
    system.Arrive(PageEvent{PageEvent::Kind::Activate});
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_ACTIVATEAPP});
}

TEST_F(WebSystemTest, LosingThePageDeactivatesOnceAndLetsGoOfHeldKeys) {
    system.ShowWindow(window, platform::SW_SHOWNORMAL);
    Pump();
    system.SetKeyDown(platform::VK_SHIFT, true);
    EXPECT_NE(system.GetKeyState(platform::VK_SHIFT) & 0x80, 0);
    system.Arrive(PageEvent{PageEvent::Kind::Deactivate});
    system.Arrive(PageEvent{PageEvent::Kind::Deactivate});  // hidden and blurred, say
    std::vector<uint32_t> kinds = Pump();
    ASSERT_EQ(kinds, std::vector<uint32_t>{platform::WM_ACTIVATEAPP});
    EXPECT_EQ(received[0].wParam, 0u);
    EXPECT_EQ(system.GetKeyState(platform::VK_SHIFT) & 0x80, 0);
    EXPECT_FALSE(system.Active());
}

TEST_F(WebSystemTest, AClickWithinOneFrameIsSeenAsAPressThenAReleaseAFrameLater) {
    platform::Surface* primary = OpenDisplay();
    system.Arrive(Button(true, 345, 365));
    system.Arrive(Button(false, 345, 365));
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_LBUTTONDOWN});
    EXPECT_EQ(received[0].lParam, (365 << 16) | 345);
    EXPECT_NE(system.GetKeyState(0x01) & 0x80, 0);
    EXPECT_TRUE(Pump().empty());  // still the same frame
    ASSERT_EQ(primary->Flip(nullptr, 0), platform::DD_OK);
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_LBUTTONUP});
    EXPECT_EQ(system.GetKeyState(0x01) & 0x80, 0);
    primary->Release();
}

TEST_F(WebSystemTest, KeysBecomeKeyDownOrSystemKeyMessagesInTheirOrder) {
    PageEvent f12{PageEvent::Kind::KeyDown};
    f12.virtualKey = platform::VK_F12;
    PageEvent altX{PageEvent::Kind::KeyDown};
    altX.virtualKey = 'X';
    altX.system = true;
    PageEvent repeated{PageEvent::Kind::KeyDown};
    repeated.virtualKey = 'W';
    repeated.repeat = true;
    system.Arrive(f12);
    system.Arrive(altX);
    system.Arrive(repeated);
    std::vector<uint32_t> kinds = Pump();
    ASSERT_EQ(kinds, (std::vector<uint32_t>{platform::WM_KEYDOWN, platform::WM_SYSKEYDOWN,
                                            platform::WM_KEYDOWN}));
    EXPECT_EQ(received[0].wParam, static_cast<uintptr_t>(platform::VK_F12));
    EXPECT_EQ(received[1].wParam, static_cast<uintptr_t>('X'));
    EXPECT_EQ(received[2].lParam & (intptr_t{1} << 30), intptr_t{1} << 30);
}

PageEvent Typed(int virtualKey, bool shift) {
    PageEvent event{PageEvent::Kind::Typed};
    event.virtualKey = virtualKey;
    event.shift = shift;
    return event;
}

PageEvent Finger(PageEvent::Kind kind, int x, int y) {
    PageEvent event{kind};
    event.x = x;
    event.y = y;
    event.placesCursor = true;
    return event;
}

platform::Point Cursor(web::WebSystem& system) {
    platform::Point at{0, 0};
    system.GetCursorPos(&at);
    return at;
}

// "Ab": a capital needs Shift held while the game takes its key, and only then.
TEST_F(WebSystemTest, TypedCharactersComeOnePerFrameEachWithItsOwnShift) {
    platform::Surface* primary = OpenDisplay();
    system.ShowWindow(window, platform::SW_SHOWNORMAL);
    Pump();
    system.Arrive(Typed('A', true));
    system.Arrive(Typed('B', false));
    EXPECT_EQ(system.PendingTyped(), 2);
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_KEYDOWN});
    EXPECT_EQ(received[0].wParam, static_cast<uintptr_t>('A'));
    EXPECT_NE(system.GetKeyState(platform::VK_SHIFT) & 0x80, 0);
    EXPECT_TRUE(Pump().empty());  // the same frame: 'B' waits
    EXPECT_EQ(system.PendingTyped(), 1);
    ASSERT_EQ(primary->Flip(nullptr, 0), platform::DD_OK);
    EXPECT_EQ(system.GetKeyState(platform::VK_SHIFT) & 0x80, 0);
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_KEYDOWN});
    EXPECT_EQ(received[0].wParam, static_cast<uintptr_t>('B'));
    EXPECT_EQ(system.GetKeyState(platform::VK_SHIFT) & 0x80, 0);
    EXPECT_EQ(system.PendingTyped(), 0);
    primary->Release();
}

// A drag: the press, the finger's moves and the release each put the game's pointer where
// they happened when the game takes them, frames later; after the touch the pointer is off
// the picture, so neither it nor a tooltip stays drawn.
TEST_F(WebSystemTest, AFingersEventsPlaceThePointerWhenTakenAndItsEndTakesThePointerAway) {
    platform::Surface* primary = OpenDisplay();
    system.ShowWindow(window, platform::SW_SHOWNORMAL);
    Pump();
    system.Arrive(Finger(PageEvent::Kind::ButtonDown, 345, 365));
    system.Arrive(Finger(PageEvent::Kind::Move, 345, 320));
    system.Arrive(Finger(PageEvent::Kind::Move, 345, 265));
    system.Arrive(Finger(PageEvent::Kind::ButtonUp, 345, 265));
    system.Arrive(PageEvent{PageEvent::Kind::Leave});
    EXPECT_EQ(Cursor(system).x, 320);  // nothing taken yet: the pointer has not moved

    EXPECT_EQ(Pump(), (std::vector<uint32_t>{platform::WM_LBUTTONDOWN, platform::WM_SETCURSOR}));
    EXPECT_EQ(Cursor(system).y, 265);  // the moves were taken with the press
    ASSERT_EQ(primary->Flip(nullptr, 0), platform::DD_OK);
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_LBUTTONUP});
    EXPECT_EQ(received[0].lParam, (265 << 16) | 345);
    EXPECT_EQ(Cursor(system).x, 345);  // the release is seen where the finger lifted
    ASSERT_EQ(primary->Flip(nullptr, 0), platform::DD_OK);
    Pump();
    EXPECT_EQ(Cursor(system).x, web::kPointerAway);
    EXPECT_EQ(Cursor(system).y, web::kPointerAway);
    primary->Release();
}

TEST_F(WebSystemTest, AFingersMovesWaitingTogetherKeepTheLatestPlace) {
    system.Arrive(Finger(PageEvent::Kind::Move, 10, 10));
    system.Arrive(Finger(PageEvent::Kind::Move, 20, 30));
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_SETCURSOR});
    EXPECT_EQ(Cursor(system).x, 20);
    EXPECT_EQ(Cursor(system).y, 30);
}

TEST_F(WebSystemTest, PointerMovesFollowTheCursorAndAskForItOnce) {
    for (int i = 0; i < 5; ++i) {
        PageEvent move{PageEvent::Kind::Move};
        move.x = 100 + i;
        move.y = 200;
        system.Arrive(move);
    }
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_SETCURSOR});
    platform::Point at{0, 0};
    ASSERT_TRUE(system.GetCursorPos(&at));
    EXPECT_EQ(at.x, 104);
    EXPECT_EQ(at.y, 200);
    // The browser cannot move the pointer, so the game's own starts where it is put.
    system.SetCursorPos(320, 240);
    system.GetCursorPos(&at);
    EXPECT_EQ(at.x, 320);
    // Hiding the page's pointer answers the one shown before, then none.
    EXPECT_NE(system.SetCursor(nullptr), nullptr);
    EXPECT_TRUE(page_double::ThePage().pointerHidden);
    EXPECT_EQ(system.SetCursor(nullptr), nullptr);
}

TEST_F(WebSystemTest, WaitingGivesThePageItsTurnOnlyWhenNothingIsThere) {
    system.Arrive(Button(true, 1, 1));
    EXPECT_TRUE(system.WaitMessage());
    EXPECT_EQ(page_double::ThePage().inputWaits, 0);
    Pump();
    page_double::ThePage().onInputWait = [this] { system.Arrive(Button(false, 2, 2)); };
    EXPECT_TRUE(system.WaitMessage());
    EXPECT_EQ(page_double::ThePage().inputWaits, 1);
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_LBUTTONUP});
}

TEST_F(WebSystemTest, ATimedWaitLetsThePageRestUntilInputOrItsTime) {
    // Nothing comes: the page waited the whole time, asking for no painted frame.
    EXPECT_FALSE(system.WaitMessageTimeout(180));
    EXPECT_EQ(page_double::ThePage().timedInputWaits, 1);
    EXPECT_EQ(page_double::ThePage().lastInputTimeout, 180u);
    EXPECT_EQ(page_double::ThePage().paintWaits, 0);
    // A click during the wait ends it, and is the next message.
    page_double::ThePage().onInputWait = [this] { system.Arrive(Button(true, 5, 6)); };
    EXPECT_TRUE(system.WaitMessageTimeout(platform::INFINITE));
    EXPECT_EQ(page_double::ThePage().lastInputTimeout, platform::INFINITE);
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_LBUTTONDOWN});
    // Input already there needs no wait.
    system.Arrive(Button(false, 5, 6));
    EXPECT_TRUE(system.WaitMessageTimeout(180));
    EXPECT_EQ(page_double::ThePage().timedInputWaits, 2);
}

TEST_F(WebSystemTest, GetMessageWaitsForThePageUntilAMessageComes) {
    int waits = 0;
    page_double::ThePage().onInputWait = [&] {
        if (++waits == 3) system.PostQuitMessage(0);
    };
    Message message;
    EXPECT_EQ(system.GetMessageA(&message, nullptr, 0, 0), 0);
    EXPECT_EQ(waits, 3);
}

TEST_F(WebSystemTest, FramesAreShownInTheirColoursAndUnchangedOnesAreNotSentAgain) {
    platform::Surface* primary = OpenDisplay();
    platform::Surface* back = nullptr;
    platform::SurfaceCaps caps{platform::DDSCAPS_BACKBUFFER};
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), platform::DD_OK);
    platform::BltFx fx;
    fx.fillColor = 0xF800;  // pure red in 5-6-5
    platform::Rect corner{0, 0, 2, 1};
    ASSERT_EQ(back->Blt(&corner, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx),
              platform::DD_OK);
    ASSERT_EQ(primary->Flip(nullptr, 0), platform::DD_OK);
    page_double::Page& page = page_double::ThePage();
    ASSERT_EQ(page.presents, 1);
    ASSERT_EQ(page.lastRgba.size(), 640u * 480u * 4u);
    EXPECT_EQ((std::vector<uint8_t>(page.lastRgba.begin(), page.lastRgba.begin() + 12)),
              (std::vector<uint8_t>{0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0xFF}));

    // The flip left the old front (all black) behind; two black frames in a row show once.
    fx.fillColor = 0;
    ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx),
              platform::DD_OK);
    ASSERT_EQ(primary->Flip(nullptr, 0), platform::DD_OK);
    ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx),
              platform::DD_OK);
    ASSERT_EQ(primary->Flip(nullptr, 0), platform::DD_OK);
    EXPECT_EQ(page.presents, 2);
    EXPECT_EQ(page.lastRgba[0], 0);
    // Every flip still waits for the page to paint, which paces the loop.
    EXPECT_EQ(page.paintWaits, 3);
    back->Release();
    primary->Release();
}

TEST_F(WebSystemTest, SheetsComeThroughThePagesDecoderOnceAndLooseFilesAreLookedFor) {
    web::DecodeBuiltInSheets();
    int decodedAtStart = page_double::ThePage().decodes;
    EXPECT_GE(decodedAtStart, 11);
    // All were handed to the browser before the first was waited for, to decode at once.
    EXPECT_EQ(page_double::ThePage().decodesBegun, decodedAtStart);
    platform::ModuleHandle module = system.GetModuleHandleA(nullptr);
    platform::BitmapHandle font =
        system.LoadImageA(module, "font8.bmp", platform::IMAGE_BITMAP, 0, 0, 0x2000);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(page_double::ThePage().decodes, decodedAtStart);  // decoded before the game
    platform::BitmapInfo info;
    ASSERT_GT(system.GetObjectA(font, sizeof info, &info), 0);
    EXPECT_EQ(info.width, 128);
    EXPECT_EQ(info.height, 128);
    EXPECT_TRUE(system.DeleteObject(font));
    EXPECT_EQ(system.LoadImageA(nullptr, "no-such-sheet.bmp", platform::IMAGE_BITMAP, 0, 0,
                                platform::LR_LOADFROMFILE),
              nullptr);
}

TEST_F(WebSystemTest, AMessageBoxIsAPageDialog) {
    EXPECT_EQ(
        system.MessageBoxA(window, "You need to install DirectX 3", "Kestrion", platform::MB_OK),
        1);
    ASSERT_EQ(page_double::ThePage().messages.size(), 1u);
    EXPECT_EQ(page_double::ThePage().messages[0], "Kestrion: You need to install DirectX 3");
}

}  // namespace
