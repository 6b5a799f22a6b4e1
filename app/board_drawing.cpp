#include <cstring>

#include "app/board_geometry.h"
#include "app/button_state.h"
#include "app/chess_app.h"
#include "app/dialog_state.h"
#include "app/take_back.h"
#include "display/pieces_sheet.h"
#include "display/tint.h"
#include "rules/move_text.h"

namespace {

constexpr int kHighlight = 10;

// Status panel: 99x39 images from three columns of the status sheet.
constexpr int kStatusX = 540;
constexpr int kTurnY = 40;
constexpr int kPositionY = 120;
constexpr int kBlackPlayerY = 320;
constexpr int kWhitePlayerY = 400;
constexpr int kStatusWidth = 99;
constexpr int kStatusHeight = 39;
constexpr int kStatusRow = 40;
constexpr int kPositionColumn = 100;
constexpr int kPlayerColumn = 200;

constexpr int kMenuX = 10;
constexpr int kMenuY = 20;
constexpr int kMenuWidth = 80;
constexpr int kMenuHeight = 40;

constexpr int kTooltipDrop = 32;
constexpr int kGlyphSize = 8;
constexpr int kTooltipShade = -10;

const char* PieceName(char letter) {
    switch (rules::ToLowerLetter(letter)) {
        case 'k':
            return "King";
        case 'q':
            return "Queen";
        case 'b':
            return "Bishop";
        case 'n':
            return "Knight";
        case 'r':
            return "Rook";
        case 'p':
            return "Pawn";
        default:
            return "";
    }
}

void TintSquare(platform::Surface* target, int column, int row, int red, int green, int blue) {
    Tint(target, kBoardLeft + kSquareSize * column, kBoardTop + kSquareSize * row, kSquareSize,
         kSquareSize, red, green, blue);
}

}  // namespace

void ChessApp::DrawBoard() {
    DrawHighlights();
    DrawPieces();
    DrawGlidingPiece();
    DrawStatusPanel();
    DrawSideMenu();
    DrawTakeBackButton();
    DrawTooltip();
}

void ChessApp::DrawHighlights() {
    if (selectedFile != -1) {
        TintSquare(backBuffer, selectedFile, selectedRank, kHighlight, 0, 0);
        for (int row = 0; row < kBoardSquares; ++row) {
            for (int column = 0; column < kBoardSquares; ++column) {
                char move[5] = {FileLetter(selectedFile), RankDigit(selectedRank),
                                FileLetter(column), RankDigit(row), '\0'};
                if (game.board.IsLegalMove(move, game.whoseTurn)) {
                    TintSquare(backBuffer, column, row, 0, kHighlight, 0);
                }
            }
        }
    }
    const bool humanToMove = stepResult == WhiteToMove || stepResult == BlackToMove;
    if (InBoardArea(mouseX, mouseY) && humanToMove && selectedFile == -1) {
        TintSquare(backBuffer, ColumnAt(mouseX), RowAt(mouseY), 0, 0, kHighlight);
    }
}

void ChessApp::DrawPiece(char letter, int x, int y) {
    // A NUL letter (an empty move record) is no piece either.
    if (letter == ' ' || letter == '\0') return;
    piecesSprite.Draw(x, y, PiecesSheetColumn(letter), PiecesSheetRow(letter), kPieceWidth,
                      kPieceHeight);
}

// Row by row from the top, so a piece lower on the screen covers the one behind it. The
// animated move is already on the board: its target shows what stood there until landing.
void ChessApp::DrawPieces() {
    for (int row = 0; row < kBoardSquares; ++row) {
        for (int column = 0; column < kBoardSquares; ++column) {
            char letter = game.board.GetSquare(FileLetter(column), RankDigit(row));
            if (animating == 1 && animMove[2] == FileLetter(column) &&
                animMove[3] == RankDigit(row)) {
                letter = animCapturedPiece;
            }
            DrawPiece(letter, kBoardLeft + kPieceInset + kSquareSize * column, kSquareSize * row);
        }
    }
}

void ChessApp::DrawGlidingPiece() {
    if (animating != 1 || animMovedPiece == ' ' || animDuration == 0) return;
    const int f0 = animMove[0], r0 = animMove[1], f1 = animMove[2], r1 = animMove[3];
    const int t = animElapsed, d = animDuration;
    const int x =
        kBoardLeft + kPieceInset + kSquareSize * (f0 - 'a') + ((f1 - f0) * t * kSquareSize) / d;
    const int y = kSquareSize * (r0 - '1') + ((r1 - r0) * t * kSquareSize) / d;
    DrawPiece(animMovedPiece, x, y);
}

void ChessApp::DrawStatusPanel() {
    if (stepResult >= GameOver && stepResult <= ComputerThinking) {
        statusSprite.Draw(kStatusX, kTurnY, 0, kStatusRow * stepResult, kStatusWidth,
                          kStatusHeight);
    }
    int positionRow = -1;
    switch (game.board.GetStatus()) {
        case WhiteInCheck:
            positionRow = 0;
            break;
        case BlackInCheck:
            positionRow = 1;
            break;
        case BlackCheckmated:
            positionRow = 2;
            break;
        case WhiteCheckmated:
            positionRow = 3;
            break;
        case WhiteStalemated:
        case BlackStalemated:
            positionRow = 4;
            break;
        default:
            break;
    }
    if (positionRow != -1) {
        statusSprite.Draw(kStatusX, kPositionY, kPositionColumn, kStatusRow * positionRow,
                          kStatusWidth, kStatusHeight);
    }
    statusSprite.Draw(kStatusX, kBlackPlayerY, kPlayerColumn, game.blackKind != 0 ? 120 : 80,
                      kStatusWidth, kStatusHeight);
    statusSprite.Draw(kStatusX, kWhitePlayerY, kPlayerColumn, game.whiteKind != 0 ? 40 : 0,
                      kStatusWidth, kStatusHeight);
}

void ChessApp::DrawSideMenu() {
    for (int i = 0; i < 4; ++i) {
        const int top = kMenuY + kMenuHeight * i;
        int state = Normal;
        if (dialog == DialogNone && mouseX > kMenuX && mouseX < kMenuX + kMenuWidth &&
            mouseY > top && mouseY < top + kMenuHeight) {
            state = buttonDown == 1 ? Pressed : Hover;
        }
        menuButtonsSprite.Draw(kMenuX, top, kMenuWidth * i, kMenuHeight * state, kMenuWidth,
                               kMenuHeight);
    }
}

void ChessApp::DrawTakeBackButton() {
    if (game.CanTakeBack() == 0) return;
    int state = Normal;
    if (dialog == DialogNone && OnTakeBackButton(mouseX, mouseY)) {
        state = buttonDown == 1 ? Pressed : Hover;
    }
    takeBackSprite.Draw(kTakeBackX, kTakeBackY, 0, kTakeBackHeight * state, kTakeBackWidth,
                        kTakeBackHeight);
}

void ChessApp::DrawTooltip() {
    if (dialog != DialogNone || !InBoardArea(mouseX, mouseY)) return;
    const char letter =
        game.board.GetSquare(FileLetter(ColumnAt(mouseX)), RankDigit(RowAt(mouseY)));
    if (letter == ' ') return;
    char text[16];
    std::strcpy(text, rules::IsUpperLetter(letter) ? "White " : "Black ");
    std::strcat(text, PieceName(letter));
    const int length = static_cast<int>(std::strlen(text));
    Tint(backBuffer, mouseX, mouseY + kTooltipDrop, kGlyphSize * length + 1, kGlyphSize,
         kTooltipShade, kTooltipShade, kTooltipShade);
    fontSprite.DrawText(text, mouseX, mouseY + kTooltipDrop, 0);
}
