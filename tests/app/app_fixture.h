#pragma once

// A ChessApp on the headless test double: the display opened on in-memory surfaces, the
// test sheets registered, a fresh current directory for saved games. Frames are driven
// with synthetic input; pixels are read from the back buffer that Render drew.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/chess_app.h"
#include "display/testing/fake_system.h"
#include "display/testing/temp_directory.h"
#include "tests/app/test_sheets.h"

namespace apptest {

// The application as the tests hold it (final, so deleting it needs no virtual destructor).
class TestApp final : public ChessApp {};

class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // One pass: Update with this input, then Render.
    void Frame(int x, int y, int down, int elapsedMs = 16, const std::string& keys = "",
               bool shift = false);
    void Press(int x, int y) { Frame(x, y, 1); }
    void Release(int x, int y) { Frame(x, y, 0); }
    void Click(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    void Type(const std::string& keys, bool shift = false) { Frame(0, 470, 0, 16, keys, shift); }

    // A fresh game of the given kinds with nothing selected, settled by one frame with the
    // cursor off the board.
    void StartGame(int whiteKind, int blackKind);
    // Empties the board and puts these pieces on it: "Ke8", "pd2", ...
    void SetPosition(std::initializer_list<const char*> pieces);

    // A press on a square as a player makes it: the pointer comes over the square, then
    // presses (and stays there, pressed).
    void PressSquare(char file, char rank) {
        Release(SquareCentreX(file), SquareCentreY(rank));
        Press(SquareCentreX(file), SquareCentreY(rank));
    }
    // A move played by pressing its two squares, in the game's text: "e7e5".
    void PressMove(const char* move) {
        PressSquare(move[0], move[1]);
        PressSquare(move[2], move[3]);
    }
    // The same, each press followed by the pointer let go and parked off the board.
    void TapSquare(char file, char rank) {
        PressSquare(file, rank);
        Release(0, 470);
    }
    void TapMove(const char* move) {
        TapSquare(move[0], move[1]);
        TapSquare(move[2], move[3]);
    }

    // Centre of the square of a file letter and rank digit.
    static int SquareCentreX(char file) { return 120 + 50 * (file - 'a') + 25; }
    static int SquareCentreY(char rank) { return 40 + 50 * (rank - '1') + 25; }
    // A pixel of the square's left margin, where no piece image ever reaches.
    uint16_t SquareMargin(char file, char rank) {
        return Pixel(120 + 50 * (file - 'a') + 1, 40 + 50 * (rank - '1') + 45);
    }

    uint16_t Pixel(int x, int y) { return fake.PixelAt(app->backBuffer, x, y); }
    // The piece image standing on a square, as seen at the middle of its lower half.
    uint16_t PieceOn(char file, char rank) {
        return Pixel(120 + 50 * (file - 'a') + 25, 40 + 50 * (rank - '1') + 30);
    }

    platform::FakeSystem fake;
    platform::TempDirectory folder;
    std::unique_ptr<TestApp> app;
};

}  // namespace apptest
