// The saved-game file: a small text file of CR LF lines, written and read in binary mode
// so the bytes are the same on every platform.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "game/chess_game.h"
#include "game/file_open.h"
#include "game/file_replace.h"
#include "game/saved_line.h"
#include "rules/move_text.h"

namespace {

constexpr char kBanner[] = "Kestrion SaveGame file";
// Readers skip this line; its first word must not start like one of the keys.
constexpr char kCredit[] = "Written by the Kestrion chess game";
constexpr char kTempSuffix[] = ".tmp";
constexpr size_t kMaxPathLength = 4096;
// One line of the file is read in pieces of at most this many characters.
constexpr int kLinePieceLength = 99;

bool WriteBytes(std::FILE* file, const char* bytes, size_t count) {
    return std::fwrite(bytes, 1, count, file) == count;
}

bool WriteText(std::FILE* file, const char* text) {
    return WriteBytes(file, text, std::strlen(text));
}

bool WriteLine(std::FILE* file, const char* text) {
    return WriteText(file, text) && WriteText(file, "\r\n");
}

bool StartsWithIgnoringCase(const char* text, const char* prefix) {
    for (; *prefix != '\0'; ++text, ++prefix) {
        if (rules::ToLowerLetter(*text) != rules::ToLowerLetter(*prefix)) return false;
    }
    return true;
}

bool EqualsIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' || *b != '\0'; ++a, ++b) {
        if (rules::ToLowerLetter(*a) != rules::ToLowerLetter(*b)) return false;
    }
    return true;
}

// Reads "White"/"Black" or "Human"/"Computer" into target; any other value changes nothing.
void ReadChoice(const char* value, const char* one, const char* zero, int& target) {
    if (EqualsIgnoringCase(value, one)) {
        target = 1;
    } else if (EqualsIgnoringCase(value, zero)) {
        target = 0;
    }
}

}  // namespace

int ChessGame::SaveGame(const char* path) const {
    const size_t pathLength = std::strlen(path);
    if (pathLength == 0 || pathLength > kMaxPathLength) {
        errno = pathLength == 0 ? ENOENT : ENAMETOOLONG;
        return 0;
    }
    // The file is replaced by a rename, which would not ask whether it may be written.
    if (file_replace::IsReadOnly(path)) {
        errno = EACCES;
        return 0;
    }

    char tempPath[kMaxPathLength + sizeof kTempSuffix];
    std::memcpy(tempPath, path, pathLength);
    std::memcpy(tempPath + pathLength, kTempSuffix, sizeof kTempSuffix);
    // A stale temporary file left by an interrupted save is replaced.
    std::FILE* file = file_replace::CreateFresh(tempPath, path);
    if (file == nullptr) return 0;

    bool written =
        WriteLine(file, kBanner) && WriteLine(file, kCredit) && WriteLine(file, "") &&
        WriteText(file, "WhoseTurn = ") && WriteLine(file, whoseTurn == 1 ? "White" : "Black") &&
        WriteText(file, "WhiteType = ") && WriteLine(file, whiteKind ? "Computer" : "Human") &&
        WriteText(file, "BlackType = ") && WriteLine(file, blackKind ? "Computer" : "Human");
    // Each row's line end comes before its key, so the last row has none.
    for (char rank = '1'; written && rank <= '8'; ++rank) {
        char row[] = "\r\nBoardRow? = ........";
        char* squares = row + sizeof row - 1 - 8;
        row[10] = rank;
        for (char file = 'a'; file <= 'h'; ++file) {
            const char letter = board.GetSquare(file, rank);
            squares[file - 'a'] = letter == ' ' ? '.' : letter;
        }
        written = WriteBytes(file, row, sizeof row - 1);
    }
    written = std::fflush(file) == 0 && written;
    written = file_replace::Sync(file) && written;
    written = std::fclose(file) == 0 && written;
    if (!written || !file_replace::Replace(tempPath, path)) {
        const int reason = errno;
        file_replace::Remove(tempPath);
        errno = reason;
        return 0;
    }
    return 1;
}

int ChessGame::LoadGame(const char* path) {
    std::FILE* file = OpenToRead(path);
    if (file == nullptr) return 0;
    // A read that fails part way (or at once, as on a folder where the system lets it be
    // opened) must not leave half a game on the board.
    const ChessGame before(*this);
    // A saved game of this kind is always a Classic one, played by the Classic player.
    if (rules != RulesClassic) {
        rules = RulesClassic;
        board.Reset();
    }
    whiteLevel = blackLevel = LevelClassic;
    promotionFrom = promotionTo = -1;
    rookMove[0] = passedSquare[0] = '\0';
    char line[kLinePieceLength + 1];
    // Ends at the end of the file and on a read error alike.
    while (std::fgets(line, sizeof line, file) != nullptr) ApplySavedLine(line);
    const bool readError = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (readError) {
        *this = before;
        errno = readErrno;
        return 0;
    }
    searchStarted = 0;
    history.Clear();
    Step();
    return 1;
}

int ChessGame::IsSavedGameFile(const char* path) {
    std::FILE* file = OpenToRead(path);
    if (file == nullptr) return 0;
    char line[sizeof kBanner + 2];
    const bool read = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    if (!read) return 0;
    line[std::strcspn(line, "\r\n")] = '\0';
    return std::strcmp(line, kBanner) == 0;
}

// Applies one "key = value" line. A line whose value cannot be read changes nothing.
void ChessGame::ApplySavedLine(const char* line) {
    char key[saved_line::kPieceLength + 1];
    char value[saved_line::kPieceLength + 1];
    if (!saved_line::Split(line, key, value)) return;

    if (StartsWithIgnoringCase(key, "WhoseTurn")) {
        ReadChoice(value, "White", "Black", whoseTurn);
    } else if (StartsWithIgnoringCase(key, "WhiteType")) {
        ReadChoice(value, "Computer", "Human", whiteKind);
    } else if (StartsWithIgnoringCase(key, "BlackType")) {
        ReadChoice(value, "Computer", "Human", blackKind);
    } else if (StartsWithIgnoringCase(key, "BoardRow") && key[8] >= '1' && key[8] <= '8') {
        // Squares past the end of a short value are left empty.
        const size_t valueLength = std::strlen(value);
        for (size_t i = 0; i < 8; ++i) {
            char letter = i < valueLength ? value[i] : ' ';
            if (letter == '.') letter = ' ';
            board.SetSquare(static_cast<char>('a' + i), key[8], letter);
        }
    }
}
