#pragma once

// The desktop's window and message rules, shared by every System: registered classes with
// their window procedures, top-level windows, and one thread's posted-message queue.
// Holds no platform library type; each System feeds it the input it gathers.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display/platform.h"

namespace platform {

struct WindowObject {
    std::string className;
    std::string title;
    WindowClass windowClass;  // className points into the queue's own copy
    uint32_t style = 0;
    bool alive = true;
};

class MessageQueue {
  public:
    // 0 when the class has no name or procedure, or a class of that name (case ignored)
    // is already registered; otherwise a nonzero atom.
    uint16_t RegisterClass(const WindowClass& windowClass);
    const WindowClass* FindClass(const char* className) const;

    // Null when the class is not registered. Windows stay allocated until the queue goes,
    // so a stale handle is recognised instead of followed.
    WindowHandle CreateWindow(const char* className, const char* title, uint32_t style);
    bool IsWindow(WindowHandle window) const;
    // The first window that is still alive, or null.
    WindowHandle MainWindow() const;
    // Sends WM_DESTROY to the window's procedure, then drops the window and its queued
    // messages. False for a window that is not alive.
    bool DestroyWindow(WindowHandle window);

    // Calls the window's procedure at once; 0 for a window that is not alive.
    intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    // A null window posts to the thread. False for a window that is no longer alive.
    bool Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    void PostQuit(int exitCode);
    // True when a posted message of that kind is already waiting (input coalescing).
    bool HasPosted(WindowHandle window, uint32_t message) const;

    // The first posted message for window (null: any) in [filterMin, filterMax] (both 0:
    // any message); WM_QUIT, once posted, comes when no posted message matches and ignores
    // the filters. PM_REMOVE takes the message out of the queue.
    bool Peek(Message* message, WindowHandle window, uint32_t filterMin, uint32_t filterMax,
              uint32_t removeFlags);
    // GetMessageA: takes the next matching message, calling waitForInput while none is
    // there. Returns 0 for WM_QUIT, 1 for another message, -1 when waitForInput answers
    // false (nothing can arrive any more) or message is null.
    int Get(Message* message, WindowHandle window, uint32_t filterMin, uint32_t filterMax,
            const std::function<bool()>& waitForInput);

    intptr_t Dispatch(const Message* message);
    // The default handling: WM_CLOSE destroys the window; everything else answers 0.
    intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam);

    bool Empty() const { return posted_.empty() && !quitPosted_; }

  private:
    struct RegisteredClass {
        std::string name;
        WindowClass windowClass;
    };
    std::vector<std::unique_ptr<RegisteredClass>> classes_;
    std::vector<std::unique_ptr<WindowObject>> windows_;
    std::deque<Message> posted_;
    bool quitPosted_ = false;
    int quitCode_ = 0;
};

}  // namespace platform
