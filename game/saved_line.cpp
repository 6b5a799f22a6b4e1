#include "game/saved_line.h"

namespace saved_line {

namespace {

// White space as the C library's scanner knows it in the "C" locale.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* SkipSpaces(const char* at) {
    while (IsSpace(*at)) ++at;
    return at;
}

// Copies the word at `at` (none when it starts at the end), at most kPieceLength characters
// of it; the rest of a longer word stays for what follows.
const char* TakeWord(const char* at, char (&word)[kPieceLength + 1], bool& found) {
    int length = 0;
    while (*at != '\0' && !IsSpace(*at) && length < kPieceLength) word[length++] = *at++;
    word[length] = '\0';
    found = length > 0;
    return at;
}

}  // namespace

bool Split(const char* line, char (&key)[kPieceLength + 1], char (&value)[kPieceLength + 1]) {
    bool found = false;
    const char* at = TakeWord(SkipSpaces(line), key, found);
    if (!found) return false;
    at = SkipSpaces(at);
    if (*at != '=') return false;
    TakeWord(SkipSpaces(at + 1), value, found);
    return found;
}

}  // namespace saved_line
