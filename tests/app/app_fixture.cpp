#include "tests/app/app_fixture.h"

#include <cstring>

#include "app/shell.h"
#include "display/display_device.h"

namespace apptest {

void AppTest::SetUp() {
    fake.Install();
    folder.EnterAsCurrent();
    RegisterTestSheets(fake);
    DisplayDevice::windowProcedure = GameWindowProc;
    ASSERT_EQ(DisplayDevice::Open(nullptr, platform::SW_SHOWNORMAL), 1);
    app = std::make_unique<TestApp>();
    app->directDraw = DisplayDevice::directDraw;
    app->primary = DisplayDevice::primary;
    app->backBuffer = DisplayDevice::backBuffer;
    ASSERT_EQ(app->Init(DisplayDevice::window), 1);
}

void AppTest::TearDown() {
    app->Shutdown();
    DisplayDevice::Release();
    app.reset();
}

void AppTest::Frame(int x, int y, int down, int elapsedMs, const std::string& keys, bool shift) {
    InputSnapshot input{};
    std::strncpy(input.typedKeys, keys.c_str(), sizeof input.typedKeys - 1);
    if (shift) input.keyStates[platform::VK_SHIFT] = 0x80;
    input.cursorX = x;
    input.cursorY = y;
    input.buttonDown = down;
    input.elapsedMs = elapsedMs;
    app->Update(input);
    app->Render();
}

void AppTest::StartGame(int whiteKind, int blackKind) {
    app->game.NewGame(whiteKind, blackKind);
    app->animating = 0;
    app->selectedFile = app->selectedRank = -1;
    Frame(0, 470, 0);
}

void AppTest::SetPosition(std::initializer_list<const char*> pieces) {
    for (char file = 'a'; file <= 'h'; ++file) {
        for (char rank = '1'; rank <= '8'; ++rank) app->game.board.SetSquare(file, rank, ' ');
    }
    for (const char* piece : pieces) app->game.board.SetSquare(piece[1], piece[2], piece[0]);
}

}  // namespace apptest
