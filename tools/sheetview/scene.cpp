#include "tools/sheetview/scene.h"

#include <cstring>

#include "display/pieces_sheet.h"
#include "display/sprite.h"
#include "display/tint.h"

using namespace platform;

namespace {

constexpr const char* kRows[8] = {"rnbqkbnr", "pppppppp", "        ", "        ",
                                  "        ", "        ", "PPPPPPPP", "RNBQKBNR"};

void Prepare(Sprite& sprite, const char* name, int keyed, DirectDraw* directDraw,
             Surface* backBuffer) {
    sprite.directDraw = directDraw;
    sprite.defaultTarget = backBuffer;
    sprite.Load(name);
    sprite.SetColorKey(keyed);
}

void DrawPieces(Sprite& pieces) {
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            const char letter = kRows[row][column];
            if (letter == ' ') continue;
            pieces.Draw(125 + 50 * column, 50 * row, PiecesSheetColumn(letter),
                        PiecesSheetRow(letter), 40, 80);
        }
    }
}

}  // namespace

void DrawSampleScene(DirectDraw* directDraw, Surface* backBuffer) {
    Sprite background, pieces, status, menu, font, mouse;
    Prepare(background, "back.bmp", 0, directDraw, backBuffer);
    Prepare(pieces, "pieces.bmp", 1, directDraw, backBuffer);
    Prepare(status, "status.bmp", 1, directDraw, backBuffer);
    Prepare(menu, "bigbns.bmp", 1, directDraw, backBuffer);
    Prepare(font, "font8.bmp", 1, directDraw, backBuffer);
    Prepare(mouse, "mouse.bmp", 1, directDraw, backBuffer);

    background.Draw(0, 0, 0, 0, 640, 480);
    // The pawn on e7 (column 4, row 6) selected, its two targets marked, as the board does.
    Tint(backBuffer, 120 + 50 * 4, 40 + 50 * 6, 50, 50, 10, 0, 0);
    Tint(backBuffer, 120 + 50 * 4, 40 + 50 * 5, 50, 50, 0, 10, 0);
    Tint(backBuffer, 120 + 50 * 4, 40 + 50 * 4, 50, 50, 0, 10, 0);
    DrawPieces(pieces);

    status.Draw(540, 40, 0, 40, 99, 39);      // White Turn
    status.Draw(540, 320, 200, 120, 99, 39);  // Black AI
    status.Draw(540, 400, 200, 0, 99, 39);    // White Human
    for (int i = 0; i < 4; ++i) menu.Draw(10, 20 + 40 * i, 80 * i, i == 1 ? 40 : 0, 80, 40);

    const int mouseX = 230, mouseY = 375;
    const char* tooltip = "White Pawn";
    Tint(backBuffer, mouseX, mouseY + 32, 8 * static_cast<uint32_t>(std::strlen(tooltip)) + 1, 8,
         -10, -10, -10);
    font.DrawText(tooltip, mouseX, mouseY + 32);
    font.DrawText("Thin face: 0123456789 abc", 130, 452, 128);
    mouse.Draw(mouseX, mouseY, 0, 0, 32, 32);
}
