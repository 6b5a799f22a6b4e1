#include "display/message_queue.h"

#include <strings.h>

#include <algorithm>

namespace platform {

namespace {

bool InRange(uint32_t message, uint32_t filterMin, uint32_t filterMax) {
    if (filterMin == 0 && filterMax == 0) return true;
    return message >= filterMin && message <= filterMax;
}

}  // namespace

uint16_t MessageQueue::RegisterClass(const WindowClass& windowClass) {
    if (windowClass.className == nullptr || windowClass.procedure == nullptr) return 0;
    if (FindClass(windowClass.className) != nullptr) return 0;
    auto entry = std::make_unique<RegisteredClass>();
    entry->name = windowClass.className;
    entry->windowClass = windowClass;
    entry->windowClass.className = entry->name.c_str();
    classes_.push_back(std::move(entry));
    // Atoms of registered classes start at 0xC000 on the desktop; any nonzero value will do.
    return static_cast<uint16_t>(0xC000 + classes_.size() - 1);
}

const WindowClass* MessageQueue::FindClass(const char* className) const {
    if (className == nullptr) return nullptr;
    for (const auto& entry : classes_) {
        if (strcasecmp(entry->name.c_str(), className) == 0) return &entry->windowClass;
    }
    return nullptr;
}

WindowHandle MessageQueue::CreateWindow(const char* className, const char* title, uint32_t style) {
    const WindowClass* windowClass = FindClass(className);
    if (windowClass == nullptr) return nullptr;
    auto window = std::make_unique<WindowObject>();
    window->className = windowClass->className;
    window->title = title != nullptr ? title : "";
    window->windowClass = *windowClass;
    window->windowClass.className = window->className.c_str();
    window->style = style;
    windows_.push_back(std::move(window));
    return windows_.back().get();
}

bool MessageQueue::IsWindow(WindowHandle window) const {
    if (window == nullptr) return false;
    for (const auto& owned : windows_) {
        if (owned.get() == window) return owned->alive;
    }
    return false;
}

WindowHandle MessageQueue::MainWindow() const {
    for (const auto& owned : windows_) {
        if (owned->alive) return owned.get();
    }
    return nullptr;
}

bool MessageQueue::DestroyWindow(WindowHandle window) {
    if (!IsWindow(window)) return false;
    Send(window, WM_DESTROY, 0, 0);
    window->alive = false;
    std::erase_if(posted_, [window](const Message& m) { return m.window == window; });
    return true;
}

intptr_t MessageQueue::Send(WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    if (!IsWindow(window)) return 0;
    return window->windowClass.procedure(window, message, wParam, lParam);
}

bool MessageQueue::Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (window != nullptr && !IsWindow(window)) return false;
    posted_.push_back(Message{window, message, wParam, lParam});
    return true;
}

void MessageQueue::PostQuit(int exitCode) {
    quitPosted_ = true;
    quitCode_ = exitCode;
}

bool MessageQueue::HasPosted(WindowHandle window, uint32_t message) const {
    return std::any_of(posted_.begin(), posted_.end(), [&](const Message& m) {
        return m.window == window && m.message == message;
    });
}

bool MessageQueue::Peek(Message* message, WindowHandle window, uint32_t filterMin,
                        uint32_t filterMax, uint32_t removeFlags) {
    for (auto it = posted_.begin(); it != posted_.end(); ++it) {
        if (window != nullptr && it->window != window) continue;
        if (!InRange(it->message, filterMin, filterMax)) continue;
        if (message != nullptr) *message = *it;
        if (removeFlags & PM_REMOVE) posted_.erase(it);
        return true;
    }
    if (!quitPosted_) return false;
    if (message != nullptr) {
        *message = Message{nullptr, WM_QUIT, static_cast<uintptr_t>(quitCode_), 0};
    }
    if (removeFlags & PM_REMOVE) quitPosted_ = false;
    return true;
}

int MessageQueue::Get(Message* message, WindowHandle window, uint32_t filterMin, uint32_t filterMax,
                      const std::function<bool()>& waitForInput) {
    if (message == nullptr) return -1;
    while (!Peek(message, window, filterMin, filterMax, PM_REMOVE)) {
        if (!waitForInput || !waitForInput()) return -1;
    }
    return message->message == WM_QUIT ? 0 : 1;
}

intptr_t MessageQueue::Dispatch(const Message* message) {
    if (message == nullptr || message->message == WM_QUIT) return 0;
    return Send(message->window, message->message, message->wParam, message->lParam);
}

intptr_t MessageQueue::DefWindowProc(WindowHandle window, uint32_t message, uintptr_t, intptr_t) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}

}  // namespace platform
