#include "display/web/web_system.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "display/soft/pixel_layout.h"
#include "display/web/browser_bridge.h"
#include "display/web/web_bitmap_decoder.h"
#include "resources/embedded.h"

namespace web {

namespace {

// A handle whose contents nobody reads.
char iconToken;

constexpr int kVkShift = 0x10;
constexpr int kVkLeftShift = 0xA0;

// Events the game must see in frames of their own: a change of the button, a typed
// character (whose Shift belongs to it alone) and the end of a touch (after its release).
bool TakesAFrame(const PageEvent& event) {
    switch (event.kind) {
        case PageEvent::Kind::ButtonDown:
        case PageEvent::Kind::ButtonUp:
        case PageEvent::Kind::Typed:
        case PageEvent::Kind::Leave:
            return true;
        default:
            return false;
    }
}

}  // namespace

WebSystem::WebSystem() : HostedSystem(DecodeBitmapInBrowser, soft::LookupBy(FindEmbeddedFile)) {}

// --- Page input --------------------------------------------------------------------------------

void WebSystem::Arrive(const PageEvent& event) {
    if (event.kind == PageEvent::Kind::Move) {
        if (!event.placesCursor) MoveCursor(event.x, event.y);
        // Motion only says that the pointer is over the window; one waiting is enough, and
        // a finger's only needs its latest place.
        if (!pending_.empty() && pending_.back().kind == PageEvent::Kind::Move) {
            if (event.placesCursor) pending_.back() = event;
            return;
        }
    }
    pending_.push_back(event);
    WakeFromInput();
}

void WebSystem::SetKeyDown(int virtualKey, bool down) {
    keyTable_[virtualKey & 0xFF] = down ? 0x80 : 0;
}

int WebSystem::PendingTyped() const {
    int count = 0;
    for (const PageEvent& event : pending_) count += event.kind == PageEvent::Kind::Typed;
    return count;
}

// Held back after a change of the left button, the events wait in their order.
void WebSystem::PumpEvents() {
    while (!pending_.empty()) {
        const PageEvent& event = pending_.front();
        if (TakesAFrame(event) && !AdmitButtonChange()) break;
        PageEvent taken = event;
        pending_.pop_front();
        Translate(taken);
    }
}

void WebSystem::Translate(const PageEvent& event) {
    if (gameWindow_ == nullptr) return;
    switch (event.kind) {
        case PageEvent::Kind::KeyDown: {
            intptr_t lParam = 1 | (event.repeat ? (intptr_t{1} << 30) : 0);
            queue_.Post(gameWindow_, event.system ? platform::WM_SYSKEYDOWN : platform::WM_KEYDOWN,
                        static_cast<uintptr_t>(event.virtualKey), lParam);
            break;
        }
        case PageEvent::Kind::Typed: {
            // The game reads Shift when it takes the key, later in this frame.
            const uint8_t shift = event.shift ? 0x80 : 0;
            keyTable_[kVkShift] = keyTable_[kVkLeftShift] = shift;
            typedShift_ = event.shift;
            queue_.Post(gameWindow_, platform::WM_KEYDOWN, static_cast<uintptr_t>(event.virtualKey),
                        1);
            break;
        }
        case PageEvent::Kind::ButtonDown:
        case PageEvent::Kind::ButtonUp:
            if (event.placesCursor) MoveCursor(event.x, event.y);
            keyTable_[0x01] = event.kind == PageEvent::Kind::ButtonDown ? 0x80 : 0;
            PostButton(gameWindow_, event.kind == PageEvent::Kind::ButtonDown, event.x, event.y);
            break;
        case PageEvent::Kind::Move:
            if (event.placesCursor) MoveCursor(event.x, event.y);
            PostCursorAsk(gameWindow_);
            break;
        case PageEvent::Kind::Leave:
            MoveCursor(kPointerAway, kPointerAway);
            break;
        case PageEvent::Kind::Activate:
        case PageEvent::Kind::Deactivate: {
            bool active = event.kind == PageEvent::Kind::Activate;
            if (active == active_) break;
            active_ = active;
            if (active) frames_.ShowNext();
            // Keys and the button let go while the page was away would stay down for ever.
            if (!active) std::memset(keyTable_, 0, sizeof keyTable_);
            queue_.Post(gameWindow_, platform::WM_ACTIVATEAPP, active ? 1 : 0, 0);
            break;
        }
    }
}

// --- Frames ------------------------------------------------------------------------------------

// Frames are paced by the browser's painting, so the presenter's own pace is off.
void WebSystem::ShowFrame(const platform::FrameView& frame) {
    frames_.Present(frame);
    // The typed character's frame is over: its Shift is let go.
    if (typedShift_) {
        keyTable_[kVkShift] = keyTable_[kVkLeftShift] = 0;
        typedShift_ = false;
    }
    if (afterFrame_ != nullptr) afterFrame_();
    // One frame for each of the browser's paints, as a display's vertical sync would pace it.
    WaitForPaint();
}

bool WebSystem::UploadRows(const platform::FrameView& frame, platform::RowBand rows) {
    soft::PixelLayout layout =
        frame.format.gBitMask == 0x3E0 ? soft::PixelLayout::Rgb555 : soft::PixelLayout::Rgb565;
    rgba_.resize(static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height) * 4);
    rgbaWidth_ = frame.width;
    rgbaHeight_ = frame.height;
    for (int y = rows.first; y < rows.first + rows.count; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(frame.Row(y));
        uint8_t* out = &rgba_[static_cast<size_t>(y) * frame.width * 4];
        for (int x = 0; x < frame.width; ++x) {
            uint32_t rgb = soft::UnpackRgb(row[x], layout);
            out[x * 4] = static_cast<uint8_t>(rgb >> 16);
            out[x * 4 + 1] = static_cast<uint8_t>(rgb >> 8);
            out[x * 4 + 2] = static_cast<uint8_t>(rgb);
            out[x * 4 + 3] = 0xFF;
        }
    }
    return true;
}

void WebSystem::Show() {
    if (!rgba_.empty()) PresentRgba(rgba_.data(), rgbaWidth_, rgbaHeight_);
}

uint32_t WebSystem::Milliseconds() {
    return static_cast<uint32_t>(PageClockMs());
}

void WebSystem::Wait(uint32_t) {}

// --- Window ----------------------------------------------------------------------------------

platform::IconHandle WebSystem::LoadIconA(platform::ModuleHandle, int) {
    return reinterpret_cast<platform::IconHandle>(&iconToken);  // the page's own icon
}

platform::WindowHandle WebSystem::CreateWindowExA(uint32_t, const char* className,
                                                  const char* title, uint32_t style, int, int, int,
                                                  int, platform::WindowHandle,
                                                  platform::ModuleHandle) {
    if (queue_.FindClass(className) == nullptr || gameWindow_ != nullptr) return nullptr;
    gameWindow_ = queue_.CreateWindow(className, title, style);
    return gameWindow_;
}

bool WebSystem::ShowWindow(platform::WindowHandle window, int) {
    if (window != gameWindow_ || window == nullptr) return false;
    // A page that is in front and has the keyboard activates the game at once; otherwise
    // the first focus does.
    if (PageActive()) Arrive(PageEvent{PageEvent::Kind::Activate});
    PumpEvents();
    return false;  // it was hidden before
}

bool WebSystem::UpdateWindow(platform::WindowHandle window) {
    return window == gameWindow_ && window != nullptr;
}

bool WebSystem::DestroyWindow(platform::WindowHandle window) {
    if (!queue_.DestroyWindow(window)) return false;
    if (window == gameWindow_) gameWindow_ = nullptr;
    return true;
}

int WebSystem::MessageBoxA(platform::WindowHandle, const char* text, const char* caption,
                           uint32_t) {
    const char* shownText = text != nullptr ? text : "";
    const char* shownCaption = caption != nullptr ? caption : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    ShowPageMessage(shownCaption, shownText);
    return 1;  // IDOK
}

// --- Messages --------------------------------------------------------------------------------

bool WebSystem::WaitForEvents() {
    // The browser has the processor until the page sends input: nothing runs meanwhile.
    WaitForInput();
    return true;
}

// Nothing is painted meanwhile: the page asks the browser for no animation frames until
// input arrives or the time is up.
bool WebSystem::WaitForEventsTimeout(uint32_t milliseconds) {
    if (!pending_.empty()) return true;
    return WaitForInputTimeout(milliseconds);
}

bool WebSystem::WaitForMessages() {
    ReopenButtonChanges();
    if (pending_.empty()) WaitForInput();
    PumpEvents();
    return true;
}

// --- Input and time ----------------------------------------------------------------------------

int16_t WebSystem::GetKeyState(int virtualKey) {
    // The desktop sets the high bit of the result (and so also bit 0x80) while a key is down.
    return keyTable_[virtualKey & 0xFF] ? static_cast<int16_t>(0xFF80) : 0;
}

bool WebSystem::GetCursorPos(platform::Point* point) {
    if (point == nullptr) return false;
    *point = cursor_;
    return true;
}

// The browser does not let a page move the pointer; the game's own pointer starts there
// and follows the real one from its first move.
bool WebSystem::SetCursorPos(int x, int y) {
    MoveCursor(std::clamp(x, 0, 639), std::clamp(y, 0, 479));
    return true;
}

platform::CursorHandle WebSystem::SetCursor(platform::CursorHandle cursor) {
    platform::CursorHandle previous = cursorHidden_ ? nullptr : ArrowCursor();
    cursorHidden_ = cursor == nullptr;
    SetPagePointerHidden(cursorHidden_);
    return previous;
}

uint32_t WebSystem::GetTickCount() {
    return static_cast<uint32_t>(static_cast<uint64_t>(PageClockMs()));
}

}  // namespace web
