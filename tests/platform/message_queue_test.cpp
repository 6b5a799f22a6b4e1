#include "display/message_queue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::Message;
using platform::MessageQueue;

// The procedure of the test window: records what reaches it and behaves like the game's
// (WM_DESTROY posts the quit message, everything else goes to the default handling).
MessageQueue* currentQueue = nullptr;
std::vector<uint32_t> seen;

intptr_t Procedure(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                   intptr_t lParam) {
    seen.push_back(message);
    if (message == platform::WM_DESTROY) currentQueue->PostQuit(7);
    if (message == platform::WM_KEYDOWN) return 1;
    return currentQueue->DefWindowProc(window, message, wParam, lParam);
}

class MessageQueueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        currentQueue = &queue;
        seen.clear();
        platform::WindowClass windowClass;
        windowClass.procedure = Procedure;
        windowClass.className = "TESTCLASS";
        ASSERT_NE(queue.RegisterClass(windowClass), 0);
        window = queue.CreateWindow("testclass", "Title", platform::WS_POPUP);
        ASSERT_NE(window, nullptr);
    }
    MessageQueue queue;
    platform::WindowHandle window = nullptr;
};

TEST_F(MessageQueueTest, ClassesAreNamedOnceAndWindowsNeedOne) {
    platform::WindowClass again;
    again.procedure = Procedure;
    again.className = "TestClass";
    EXPECT_EQ(queue.RegisterClass(again), 0);
    EXPECT_EQ(queue.CreateWindow("OTHER", "x", 0), nullptr);
}

TEST_F(MessageQueueTest, PeekWithoutRemovingLeavesTheMessageForGet) {
    ASSERT_TRUE(queue.Post(window, platform::WM_KEYDOWN, 'A', 0));
    ASSERT_TRUE(queue.Post(window, platform::WM_LBUTTONDOWN, 0, 0));
    Message m;
    ASSERT_TRUE(queue.Peek(&m, nullptr, 0, 0, platform::PM_NOREMOVE));
    EXPECT_EQ(m.message, platform::WM_KEYDOWN);
    ASSERT_EQ(queue.Get(&m, nullptr, 0, 0, nullptr), 1);
    EXPECT_EQ(m.message, platform::WM_KEYDOWN);
    EXPECT_EQ(m.wParam, uintptr_t{'A'});
    EXPECT_EQ(queue.Dispatch(&m), 1);
    ASSERT_EQ(queue.Get(&m, nullptr, 0, 0, nullptr), 1);
    EXPECT_EQ(m.message, platform::WM_LBUTTONDOWN);
    // Nothing more can arrive: Get reports failure rather than waiting for ever.
    EXPECT_EQ(queue.Get(&m, nullptr, 0, 0, nullptr), -1);
    EXPECT_EQ(seen, std::vector<uint32_t>{platform::WM_KEYDOWN});
}

TEST_F(MessageQueueTest, CloseDestroysTheWindowAndTheQuitCarriesTheExitCode) {
    ASSERT_TRUE(queue.Post(window, platform::WM_CLOSE, 0, 0));
    ASSERT_TRUE(queue.Post(window, platform::WM_LBUTTONUP, 0, 0));
    Message m;
    ASSERT_EQ(queue.Get(&m, nullptr, 0, 0, nullptr), 1);
    queue.Dispatch(&m);  // default handling: DestroyWindow, which sends WM_DESTROY at once
    EXPECT_EQ(seen, (std::vector<uint32_t>{platform::WM_CLOSE, platform::WM_DESTROY}));
    EXPECT_FALSE(queue.IsWindow(window));
    // The button message for the dead window is gone; the quit comes next.
    ASSERT_EQ(queue.Get(&m, nullptr, 0, 0, nullptr), 0);
    EXPECT_EQ(m.message, platform::WM_QUIT);
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_FALSE(queue.Peek(&m, nullptr, 0, 0, platform::PM_NOREMOVE));
    EXPECT_FALSE(queue.Post(window, platform::WM_CLOSE, 0, 0));
    EXPECT_FALSE(queue.DestroyWindow(window));
}

TEST_F(MessageQueueTest, TheQuitWaitsBehindPostedMessagesAndIgnoresFilters) {
    queue.PostQuit(3);
    ASSERT_TRUE(queue.Post(window, platform::WM_KEYDOWN, 'B', 0));
    Message m;
    ASSERT_TRUE(queue.Peek(&m, nullptr, 0, 0, platform::PM_REMOVE));
    EXPECT_EQ(m.message, platform::WM_KEYDOWN);
    ASSERT_TRUE(
        queue.Peek(&m, window, platform::WM_KEYDOWN, platform::WM_KEYDOWN, platform::PM_NOREMOVE));
    EXPECT_EQ(m.message, platform::WM_QUIT);
    EXPECT_EQ(queue.Get(&m, nullptr, 0, 0, nullptr), 0);
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(MessageQueueTest, GetWaitsForInputThroughTheCallback) {
    int waits = 0;
    Message m;
    int result = queue.Get(&m, nullptr, 0, 0, [&] {
        if (++waits == 3) queue.Post(window, platform::WM_ACTIVATEAPP, 1, 0);
        return true;
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(waits, 3);
    EXPECT_EQ(m.message, platform::WM_ACTIVATEAPP);
}

}  // namespace
