// The window, message, file and system-fact operations, each against what the game relies on.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "display/display_device.h"
#include "tests/windows/check.h"
#include "tests/windows/checks.h"
#include "tests/windows/native_helpers.h"

using namespace platform;

namespace {

constexpr uint32_t kCheckMessage = 0x8001;  // an application-defined message
constexpr uint32_t kCharMessage = 0x0102;   // WM_CHAR, made from a key-down by translation
constexpr uint32_t kCreateMessage = 0x0001;

struct Received {
    bool created = false;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    int destroyed = 0;
};
Received received;

intptr_t CheckWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case kCreateMessage:
            received.created = true;
            break;
        case kCheckMessage:
            received.wParam = wParam;
            received.lParam = lParam;
            return 42;
        case WM_DESTROY:
            ++received.destroyed;
            Sys().PostQuitMessage(7);
            break;
    }
    return Sys().DefWindowProcA(window, message, wParam, lParam);
}

void CheckMessages(ModuleHandle module) {
    System& sys = Sys();
    WindowClass windowClass;
    windowClass.procedure = CheckWindowProc;
    windowClass.instance = module;
    windowClass.cursor = sys.LoadCursorA(nullptr, IDC_ARROW);
    windowClass.className = "KESTRIONCHECK";
    CHECK(windowClass.cursor != nullptr);
    CHECK(sys.RegisterClassA(windowClass) != 0);
    CHECK_EQ(sys.RegisterClassA(windowClass), 0);  // the class exists already

    const WindowHandle window =
        sys.CreateWindowExA(0, "KESTRIONCHECK", "check", WS_POPUP, 0, 0, 10, 10, nullptr, module);
    CHECK(window != nullptr);
    CHECK(received.created);  // messages reach the game's procedure from the first one on

    // Both halves of a 64-bit wParam and a negative lParam survive the round trip.
    const uintptr_t wide = (uintptr_t{0xFFFFFFFF} << 32) | 0x12345678u;
    CHECK(sys.PostMessageA(window, kCheckMessage, wide, -2));
    Message message;
    CHECK(sys.PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    CHECK_EQ(message.message, kCheckMessage);
    CHECK(sys.GetMessageA(&message, nullptr, 0, 0) > 0);
    CHECK(message.window == window);
    CHECK_EQ(message.wParam, wide);
    CHECK_EQ(message.lParam, -2);
    CHECK_EQ(sys.DispatchMessageA(&message), 42);
    CHECK_EQ(received.wParam, wide);
    CHECK_EQ(received.lParam, -2);

    // A newly posted message ends the wait.
    CHECK(sys.PostMessageA(window, kCheckMessage, 1, 2));
    CHECK(sys.WaitMessage());
    CHECK(sys.PeekMessageA(&message, window, kCheckMessage, kCheckMessage, PM_REMOVE));

    // A timed wait runs out with nothing there, and ends at once for a message already
    // waiting, even one that an earlier look at the queue has seen.
    while (sys.PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) sys.DispatchMessageA(&message);
    const uint32_t waitStart = sys.GetTickCount();
    CHECK(!sys.WaitMessageTimeout(50));
    CHECK(sys.GetTickCount() - waitStart >= 40);
    CHECK(sys.PostMessageA(window, kCheckMessage, 3, 4));
    CHECK(sys.PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    CHECK(sys.WaitMessageTimeout(INFINITE));
    CHECK(sys.PeekMessageA(&message, window, kCheckMessage, kCheckMessage, PM_REMOVE));
    CHECK_EQ(message.wParam, 3u);

    // Translating a key-down posts the character it stands for.
    CHECK(sys.PostMessageA(window, WM_KEYDOWN, 'A', 1));
    CHECK(sys.GetMessageA(&message, nullptr, 0, 0) > 0);
    sys.TranslateMessage(&message);
    sys.DispatchMessageA(&message);
    CHECK(sys.PeekMessageA(&message, nullptr, kCharMessage, kCharMessage, PM_REMOVE));

    // WM_CLOSE -> default handling destroys the window -> WM_DESTROY posts the quit message,
    // and GetMessageA answers 0 with the exit code.
    CHECK(sys.PostMessageA(window, WM_CLOSE, 0, 0));
    int result = 1;
    for (int pass = 0; pass < 100 && result > 0; ++pass) {
        result = sys.GetMessageA(&message, nullptr, 0, 0);
        if (result > 0) sys.DispatchMessageA(&message);
    }
    CHECK_EQ(result, 0);
    CHECK_EQ(message.message, WM_QUIT);
    CHECK_EQ(message.wParam, 7u);
    CHECK_EQ(received.destroyed, 1);
}

bool CreateFileNamed(const char* name) {
    std::FILE* file = std::fopen(name, "wb");
    return file != nullptr && std::fclose(file) == 0;
}

void CheckDirectorySearch() {
    System& sys = Sys();
    CHECK(CreateFileNamed("one.chs"));
    CHECK(CreateFileNamed("two.chs"));
    CHECK(CreateFileNamed("note.txt"));
    // one.chs was written an hour before two.chs: the Load list keeps the games written last.
    std::error_code timeError;
    std::filesystem::last_write_time(
        "one.chs", std::filesystem::file_time_type::clock::now() - std::chrono::hours(1),
        timeError);
    CHECK(!timeError);

    std::string names;
    int64_t oneWritten = 0;
    int64_t twoWritten = 0;
    FindData data;
    const FindHandle find = sys.FindFirstFileA("*.chs", &data);
    CHECK(find != kInvalidFindHandle);
    int count = 0;
    if (find != kInvalidFindHandle) {
        do {
            names += std::string(data.fileName) + ";";
            CHECK((data.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0);
            (std::string(data.fileName) == "one.chs" ? oneWritten : twoWritten) =
                data.lastWriteTime;
            ++count;
        } while (count < 10 && sys.FindNextFileA(find, &data));
        CHECK(sys.FindClose(find));
    }
    CHECK_EQ(count, 2);
    CHECK(names == "one.chs;two.chs;" || names == "two.chs;one.chs;");
    CHECK(oneWritten > 0);
    CHECK(oneWritten < twoWritten);
    CHECK(sys.FindFirstFileA("*.none", &data) == kInvalidFindHandle);

    std::remove("one.chs");
    std::remove("two.chs");
    std::remove("note.txt");
}

void CheckSystemFacts() {
    System& sys = Sys();
    OsVersionInfo info;
    CHECK(sys.GetVersionExA(&info));
    CHECK(info.platformId == VER_PLATFORM_WIN32_NT ||
          info.platformId == VER_PLATFORM_WIN32_WINDOWS);
    CHECK(info.majorVersion >= 4);
    OsVersionInfo wrongSize;
    wrongSize.size = 20;
    CHECK(!sys.GetVersionExA(&wrongSize));

    const LibraryHandle ddraw = sys.LoadLibraryA("DDRAW.DLL");
    CHECK(ddraw != nullptr);
    CHECK(sys.GetProcAddress(ddraw, "DirectDrawCreate") != nullptr);
    CHECK(sys.GetProcAddress(ddraw, "NoSuchEntryPoint") == nullptr);
    CHECK(sys.FreeLibrary(ddraw));
    CHECK(sys.LoadLibraryA("NOSUCHLIBRARY.DLL") == nullptr);
    // Every system this program runs on has DirectX 3 or later.
    CHECK(ProbeDirectXVersion() >= 0x300);

    const uint32_t before = sys.GetTickCount();
    SleepMilliseconds(100);
    const uint32_t waited = sys.GetTickCount() - before;
    CHECK(waited >= 80 && waited < 2000);

    const ModuleHandle module = sys.GetModuleHandleA(nullptr);
    CHECK(module != nullptr);
    CHECK(sys.LoadIconA(module, 101) != nullptr);  // the program's icon resource
    CHECK(sys.GetStockObject(BLACK_BRUSH) != nullptr);
}

}  // namespace

void RunSystemChecks() {
    CheckSystemFacts();
    CheckDirectorySearch();
    CheckMessages(Sys().GetModuleHandleA(nullptr));
}
