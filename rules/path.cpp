#include "rules/board.h"
#include "rules/move_text.h"

namespace {

int StepToward(char from, char to) {
    return to > from ? 1 : (to < from ? -1 : 0);
}

}  // namespace

int Board::IsPathClear(char* text) {
    rules::LowerCaseInPlace(text);
    if (!rules::IsMoveOnBoard(text)) return -1;
    if (text[0] == text[2] && text[1] == text[3]) return -1;

    const int fileStep = StepToward(text[0], text[2]);
    const int rankStep = StepToward(text[1], text[3]);
    char file = text[0];
    char rank = text[1];
    // Squares off any common line are walked past the target until the walk meets an
    // occupied square or leaves the board, where GetSquare reads NUL.
    for (;;) {
        file = static_cast<char>(file + fileStep);
        rank = static_cast<char>(rank + rankStep);
        if (file == text[2] && rank == text[3]) return 1;
        if (GetSquare(file, rank) != ' ') return 0;
    }
}
