#include <cstring>

#include "app/board_geometry.h"
#include "app/button_state.h"
#include "app/chess_app.h"
#include "app/dialog_state.h"
#include "app/promotion_picker.h"
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

constexpr int kRankStripWidth = 18;

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

// Classic: the position picture's row in the status sheet's middle column, or -1 for none.
int ClassicStatusRow(int status) {
    switch (status) {
        case WhiteInCheck:
            return 0;
        case BlackInCheck:
            return 1;
        case BlackCheckmated:
            return 2;
        case WhiteCheckmated:
            return 3;
        case WhiteStalemated:
        case BlackStalemated:
            return 4;
        default:
            return -1;
    }
}

void TintSquare(platform::Surface* target, int column, int row, int red, int green, int blue) {
    Tint(target, kBoardLeft + kSquareSize * column, kBoardTop + kSquareSize * row, kSquareSize,
         kSquareSize, red, green, blue);
}

}  // namespace

void ChessApp::DrawBoard() {
    DrawRankDigits();
    DrawHighlights();
    DrawPieces();
    DrawGlidingPiece();
    DrawPromotionPicker();
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
                if (game.IsLegalTarget(move)) {
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
            if (animating == 1) {
                const char file = FileLetter(column), rank = RankDigit(row);
                if (animMove[2] == file && animMove[3] == rank) letter = animCapturedPiece;
                // A castling rook is on its way; a pawn taken in passing waits for the mover.
                if (animRookMove[0] != '\0' && animRookMove[2] == file && animRookMove[3] == rank) {
                    letter = ' ';
                }
                if (animPassedSquare[0] == file && animPassedSquare[1] == rank) {
                    letter = animPassedPiece;
                }
            }
            DrawPiece(letter, kBoardLeft + kPieceInset + kSquareSize * column, kSquareSize * row);
        }
    }
}

namespace {

// Where a piece gliding along `move` stands after t of d milliseconds.
void GlidePoint(const char* move, int t, int d, int* x, int* y) {
    const int f0 = move[0], r0 = move[1], f1 = move[2], r1 = move[3];
    *x = kBoardLeft + kPieceInset + kSquareSize * (f0 - 'a') + ((f1 - f0) * t * kSquareSize) / d;
    *y = kSquareSize * (r0 - '1') + ((r1 - r0) * t * kSquareSize) / d;
}

}  // namespace

void ChessApp::DrawGlidingPiece() {
    if (animating != 1 || animMovedPiece == ' ' || animDuration == 0) return;
    int x = 0, y = 0;
    // The rook first: it passes behind the king on the same rank.
    if (animRookMove[0] != '\0') {
        GlidePoint(animRookMove, animElapsed, animDuration, &x, &y);
        DrawPiece(animRookPiece, x, y);
    }
    GlidePoint(animMove, animElapsed, animDuration, &x, &y);
    DrawPiece(animMovedPiece, x, y);
}

void ChessApp::DrawRankDigits() {
    if (game.rules != RulesStandard) return;
    ranksSprite.Draw(kBoardLeft - kRankStripWidth, kBoardTop, 0, 0, kRankStripWidth, 400);
    ranksSprite.Draw(kBoardLeft + 400, kBoardTop, kRankStripWidth, 0, kRankStripWidth, 400);
}

void ChessApp::DrawPromotionPicker() {
    if (!PickerShown()) return;
    pickerSprite.Draw(kPickerX, kPickerY, 0, 0, kPickerWidth, kPickerHeight);
    const int hovered = dialog == DialogNone ? PickerCellAt(mouseX, mouseY) : -1;
    const bool white = stepResult == WhitePromotes;
    for (int cell = 0; cell < 4; ++cell) {
        const int x = kPickerCellX + kPickerCellWidth * cell;
        if (cell == hovered) {
            Tint(backBuffer, x + 3, kPickerCellY + 2, kPickerCellWidth - 6, kPickerCellHeight - 4,
                 0, kHighlight, 0);
        }
        const char piece = kPickerPieces[cell];
        DrawPiece(white ? static_cast<char>(piece - 'a' + 'A') : piece, x + kPieceInset,
                  kPickerCellY);
    }
}

void ChessApp::DrawStatusPanel() {
    if (stepResult >= GameOver && stepResult <= ComputerThinking) {
        statusSprite.Draw(kStatusX, kTurnY, 0, kStatusRow * stepResult, kStatusWidth,
                          kStatusHeight);
    }
    int positionRow = -1;
    int fromDrawSheet = 0;
    if (game.rules == RulesStandard) {
        positionRow = StandardStatusRow(&fromDrawSheet);
    } else {
        positionRow = ClassicStatusRow(game.board.GetStatus());
    }
    if (fromDrawSheet) {
        drawsSprite.Draw(kStatusX, kPositionY, kPositionColumn * positionRow, 0, kStatusWidth,
                         kStatusHeight);
    } else if (positionRow != -1) {
        statusSprite.Draw(kStatusX, kPositionY, kPositionColumn, kStatusRow * positionRow,
                          kStatusWidth, kStatusHeight);
    }
    statusSprite.Draw(kStatusX, kBlackPlayerY, kPlayerColumn, game.blackKind != 0 ? 120 : 80,
                      kStatusWidth, kStatusHeight);
    statusSprite.Draw(kStatusX, kWhitePlayerY, kPlayerColumn, game.whiteKind != 0 ? 40 : 0,
                      kStatusWidth, kStatusHeight);
}

// Standard: the position picture for the side to move. Check, mate and stalemate use the
// Classic pictures; the draws have their own sheet (columns 0, 1, 2).
int ChessApp::StandardStatusRow(int* fromDrawSheet) {
    const bool whiteToMove = game.position.SideToMove() == engine::Side::White;
    *fromDrawSheet = 0;
    switch (game.StandardStatus()) {
        case engine::GameStatus::Check:
            return whiteToMove ? 0 : 1;
        case engine::GameStatus::Checkmate:
            return whiteToMove ? 3 : 2;
        case engine::GameStatus::Stalemate:
            return 4;
        case engine::GameStatus::DrawFiftyMoves:
            *fromDrawSheet = 1;
            return 0;
        case engine::GameStatus::DrawRepetition:
            *fromDrawSheet = 1;
            return 1;
        case engine::GameStatus::DrawMaterial:
            *fromDrawSheet = 1;
            return 2;
        default:
            return -1;
    }
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
