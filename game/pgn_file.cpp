// Standard games kept as portable game notation: the seven-tag roster, SetUp and FEN when the
// game did not start from the usual position, our own tags for who played each side, and the
// whole move list in standard algebraic notation, so a loaded game can be taken back to its
// start.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "engine/move_text.h"
#include "game/chess_game.h"
#include "game/file_open.h"
#include "game/file_replace.h"
#include "game/pgn_reader.h"

namespace {

constexpr char kTempSuffix[] = ".tmp";
constexpr std::size_t kMaxPathLength = 4096;
constexpr std::size_t kLineWidth = 79;

const char* ResultOf(const engine::Position& position) {
    switch (position.Status()) {
        case engine::GameStatus::Checkmate:
            return position.SideToMove() == engine::Side::White ? "0-1" : "1-0";
        case engine::GameStatus::Stalemate:
        case engine::GameStatus::DrawFiftyMoves:
        case engine::GameStatus::DrawRepetition:
        case engine::GameStatus::DrawMaterial:
            return "1/2-1/2";
        default:
            return "*";
    }
}

std::string PlayerTitle(int kind, int level) {
    if (kind == Human) return "Human";
    static const char* const kTitles[] = {"Kestrion Classic", "Kestrion Beginner",
                                          "Kestrion Casual", "Kestrion Club", "Kestrion Master"};
    return kTitles[level >= 0 && level < kPlayLevelCount ? level : 0];
}

std::string Tag(const char* name, const std::string& value) {
    return std::string("[") + name + " \"" + value + "\"]\n";
}

std::string Today() {
    // The game runs on one thread, so the shared result of localtime is safe here.
    const std::time_t now = std::time(nullptr);
    const std::tm* parts = std::localtime(&now);
    if (parts == nullptr) return "????.??.??";
    char text[48];
    std::snprintf(text, sizeof text, "%04d.%02d.%02d", parts->tm_year + 1900, parts->tm_mon + 1,
                  parts->tm_mday);
    return text;
}

}  // namespace

std::string ChessGame::PgnText() const {
    // The moves are read back off the position's own history, oldest first.
    engine::Position root = position;
    std::vector<engine::Move> moves;
    while (root.UndoablePlies() > 0) {
        moves.insert(moves.begin(), root.LastMove());
        root.UndoMove();
    }
    const std::string rootFen = root.Fen();
    const std::string start = engine::Position::Start(engine::Rules::Standard).Fen();
    const char* result = ResultOf(position);

    std::string text;
    text += Tag("Event", "Kestrion game");
    text += Tag("Site", "Kestrion");
    text += Tag("Date", Today());
    text += Tag("Round", "-");
    text += Tag("White", PlayerTitle(whiteKind ? Computer : Human, whiteLevel));
    text += Tag("Black", PlayerTitle(blackKind ? Computer : Human, blackLevel));
    text += Tag("Result", result);
    if (rootFen != start) {
        text += Tag("SetUp", "1");
        text += Tag("FEN", rootFen);
    }
    text += Tag("KestrionWhite", PgnPlayerName(whiteKind != Human, whiteLevel));
    text += Tag("KestrionBlack", PgnPlayerName(blackKind != Human, blackLevel));
    text += "\n";

    std::string line;
    auto put = [&](const std::string& word) {
        if (!line.empty() && line.size() + 1 + word.size() > kLineWidth) {
            text += line + "\n";
            line.clear();
        }
        if (!line.empty()) line += ' ';
        line += word;
    };
    engine::Position replay = root;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const bool white = replay.SideToMove() == engine::Side::White;
        if (white) {
            put(std::to_string(replay.FullmoveNumber()) + ".");
        } else if (i == 0) {
            put(std::to_string(replay.FullmoveNumber()) + "...");
        }
        put(engine::MoveToSan(replay, moves[i]));
        replay.DoMove(moves[i]);
    }
    put(result);
    text += line + "\n";
    return text;
}

int ChessGame::SavePgn(const char* path) const {
    const std::size_t pathLength = std::strlen(path);
    if (pathLength == 0 || pathLength > kMaxPathLength || rules != RulesStandard) return 0;
    if (file_replace::IsReadOnly(path)) return 0;
    char tempPath[kMaxPathLength + sizeof kTempSuffix];
    std::memcpy(tempPath, path, pathLength);
    std::memcpy(tempPath + pathLength, kTempSuffix, sizeof kTempSuffix);
    std::FILE* file = file_replace::CreateFresh(tempPath, path);
    if (file == nullptr) return 0;
    const std::string text = PgnText();
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fflush(file) == 0 && written;
    written = file_replace::Sync(file) && written;
    written = std::fclose(file) == 0 && written;
    if (!written || !file_replace::Replace(tempPath, path)) {
        file_replace::Remove(tempPath);
        return 0;
    }
    return 1;
}

int ChessGame::LoadPgn(const char* path, std::string* error) {
    std::string why;
    std::string text;
    std::FILE* file = OpenToRead(path);
    if (file == nullptr) {
        if (error != nullptr) *error = std::strerror(errno);
        return 0;
    }
    // One byte more than the reader takes tells a file that is too large.
    text.resize(kMaxPgnBytes + 1);
    const std::size_t length = std::fread(text.data(), 1, text.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    text.resize(length);
    PgnGame read;
    if (failed) {
        why = "the file cannot be read";
    } else if (ReadPgn(text, read, why)) {
        if (PlayPgn(read)) return 1;
        why = "the game cannot be set up on the board";
    }
    if (error != nullptr) *error = why;
    return 0;
}

bool ChessGame::PlayPgn(const PgnGame& read) {
    // Built aside and put in place whole, so a game that cannot be set up leaves this one
    // as it was. Static: a game with its history is too large for a small stack.
    static ChessGame loaded;
    loaded.StartGame(Human, Human, RulesStandard, LevelClassic, LevelClassic);
    if (!read.fen.empty() && !loaded.SetUpStandard(read.fen.c_str(), nullptr)) return false;
    if (read.hasPlayers) {
        loaded.whiteKind = read.whiteComputer ? Computer : Human;
        loaded.blackKind = read.blackComputer ? Computer : Human;
        loaded.whiteLevel = read.whiteLevel;
        loaded.blackLevel = read.blackLevel;
    }
    for (engine::Move move : read.moves) {
        if (!loaded.position.IsLegal(move)) return false;
        loaded.MakeStandardMove(move);
    }
    loaded.state = Unsettled;
    loaded.searchStarted = 0;
    loaded.Step();
    *this = loaded;
    return true;
}
