#include "display/soft/hosted_system.h"

#include <algorithm>
#include <utility>

#include "display/soft/soft_direct_draw.h"

namespace soft {

using platform::Result;

namespace {

constexpr uint32_t kHtClient = 1;
constexpr uint32_t kMouseMove = 0x0200;

// Handles whose contents nobody reads: their addresses tell them apart.
char arrowToken, brushToken;

}  // namespace

HostedSystem::HostedSystem(BitmapDecoder decode, EmbeddedLookup embedded)
    : decode_(decode), embedded_(std::move(embedded)) {}

HostedSystem::~HostedSystem() {
    for (SoftDirectDraw* directDraw : directDraws_) {
        directDraw->SetPresenter(nullptr);
        directDraw->DetachObserver();
    }
}

platform::CursorHandle HostedSystem::ArrowCursor() {
    return reinterpret_cast<platform::CursorHandle>(&arrowToken);
}

// --- Window classes ----------------------------------------------------------------------------

uint16_t HostedSystem::RegisterClassA(const platform::WindowClass& windowClass) {
    return queue_.RegisterClass(windowClass);
}

platform::CursorHandle HostedSystem::LoadCursorA(platform::ModuleHandle, int) {
    return ArrowCursor();
}

platform::BrushHandle HostedSystem::GetStockObject(int) {
    return reinterpret_cast<platform::BrushHandle>(&brushToken);
}

// --- Messages ----------------------------------------------------------------------------------

bool HostedSystem::PeekMessageA(platform::Message* message, platform::WindowHandle window,
                                uint32_t filterMin, uint32_t filterMax, uint32_t removeFlags) {
    PumpEvents();
    return queue_.Peek(message, window, filterMin, filterMax, removeFlags);
}

int HostedSystem::GetMessageA(platform::Message* message, platform::WindowHandle window,
                              uint32_t filterMin, uint32_t filterMax) {
    PumpEvents();
    return queue_.Get(message, window, filterMin, filterMax, [this] { return WaitForMessages(); });
}

bool HostedSystem::TranslateMessage(const platform::Message* message) {
    return message != nullptr;
}

intptr_t HostedSystem::DispatchMessageA(const platform::Message* message) {
    return queue_.Dispatch(message);
}

intptr_t HostedSystem::DefWindowProcA(platform::WindowHandle window, uint32_t message,
                                      uintptr_t wParam, intptr_t lParam) {
    if (message == platform::WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    return queue_.DefWindowProc(window, message, wParam, lParam);
}

bool HostedSystem::PostMessageA(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) {
    return queue_.Post(window, message, wParam, lParam);
}

void HostedSystem::PostQuitMessage(int exitCode) {
    queue_.PostQuit(exitCode);
}

bool HostedSystem::AdmitButtonChange() {
    if (buttonChangedThisFrame_) return false;
    buttonChangedThisFrame_ = true;
    return true;
}

bool HostedSystem::WaitMessage() {
    // No frames are shown while the game waits, so held button events go on at once.
    ReopenButtonChanges();
    PumpEvents();
    if (!queue_.Empty()) return true;
    if (!WaitForEvents()) return false;
    PumpEvents();
    return true;
}

bool HostedSystem::WaitMessageTimeout(uint32_t milliseconds) {
    // As in WaitMessage: no frame is shown while the game waits.
    ReopenButtonChanges();
    PumpEvents();
    if (!queue_.Empty()) return true;
    if (!WaitForEventsTimeout(milliseconds)) return false;
    PumpEvents();
    return true;
}

void HostedSystem::PostButton(platform::WindowHandle window, bool down, int x, int y) {
    intptr_t point = static_cast<intptr_t>((static_cast<uint32_t>(y) & 0xFFFF) << 16 |
                                           (static_cast<uint32_t>(x) & 0xFFFF));
    queue_.Post(window, down ? platform::WM_LBUTTONDOWN : platform::WM_LBUTTONUP, 0, point);
}

void HostedSystem::PostCursorAsk(platform::WindowHandle window) {
    if (queue_.HasPosted(window, platform::WM_SETCURSOR)) return;
    queue_.Post(window, platform::WM_SETCURSOR, reinterpret_cast<uintptr_t>(window),
                static_cast<intptr_t>(kMouseMove << 16 | kHtClient));
}

// --- Display objects ---------------------------------------------------------------------------

Result HostedSystem::Intercept(const char*, const char*, const std::string&) {
    return platform::DD_OK;
}

void HostedSystem::Destroyed(platform::Unknown* object) {
    std::erase(directDraws_, dynamic_cast<SoftDirectDraw*>(object));
}

Result HostedSystem::DirectDrawCreate(const platform::Guid*, platform::DirectDraw** out,
                                      platform::Unknown* outer) {
    if (out == nullptr) return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (outer != nullptr) return platform::DDERR_INVALIDPARAMS;
    auto* directDraw = new SoftDirectDraw(PixelLayout::Rgb565, this);
    directDraw->SetPresenter(this);
    directDraws_.push_back(directDraw);
    *out = directDraw;
    return platform::DD_OK;
}

void HostedSystem::LoseSurfaces() {
    for (SoftDirectDraw* directDraw : directDraws_) directDraw->MarkAllLost();
}

void HostedSystem::Present(const void* pixels, int pitch, int width, int height,
                           platform::PixelFormat format) {
    ReopenButtonChanges();
    ShowFrame(platform::FrameView{pixels, pitch, width, height, format});
}

}  // namespace soft
