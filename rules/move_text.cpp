#include "rules/move_text.h"

namespace rules {

void LowerCaseInPlace(char* text) {
    for (char* c = text; *c != '\0'; ++c) *c = ToLowerLetter(*c);
}

bool IsMoveOnBoard(const char* text) {
    return IsFileChar(text[0]) && IsRankChar(text[1]) && IsFileChar(text[2]) && IsRankChar(text[3]);
}

}  // namespace rules
