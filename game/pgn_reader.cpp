#include "game/pgn_reader.h"

#include <cctype>
#include <cstdio>

#include "engine/move_text.h"
#include "game/game_options.h"

namespace {

constexpr const char* kLevelNames[] = {"classic", "beginner", "casual", "club", "master"};

class Reader {
  public:
    Reader(std::string_view text, PgnGame& game, std::string& error)
        : text_(text), game_(game), error_(error) {}

    bool Read();

  private:
    bool Fail(const std::string& why) {
        error_ = "line " + std::to_string(line_) + ": " + why;
        return false;
    }
    bool AtEnd() const { return at_ >= text_.size(); }
    char Peek() const { return text_[at_]; }
    void Advance() {
        if (text_[at_] == '\n') ++line_;
        ++at_;
    }
    void SkipToLineEnd() {
        while (!AtEnd() && Peek() != '\n') Advance();
    }
    bool ReadTag();
    bool SkipComment();
    bool SkipVariation();
    bool ReadToken();
    bool StartPosition();
    bool PlaySan(const std::string& token);

    std::string_view text_;
    PgnGame& game_;
    std::string& error_;
    std::size_t at_ = 0;
    int line_ = 1;
    bool inMoves_ = false;
    bool ended_ = false;
    bool started_ = false;
    bool sawTag_ = false;
    engine::Position position_;
};

bool IsSymbolChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '+' || c == '#' ||
           c == '=' || c == ':' || c == '-' || c == '/' || c == '!' || c == '?' || c == '.';
}

bool Reader::Read() {
    while (!AtEnd() && !ended_) {
        const char c = Peek();
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\r' || c == ' ' || c == '\t' || c == '\f' || c == '\v') {
            Advance();
        } else if (byte < 0x20 || byte == 0x7F) {
            return Fail("the file holds bytes that are not text");
        } else if (c == '%' && (at_ == 0 || text_[at_ - 1] == '\n')) {
            SkipToLineEnd();
        } else if (c == '[') {
            // A tag after the moves begins the next game, which is not read.
            if (inMoves_) break;
            if (!ReadTag()) return false;
        } else if (c == '{') {
            if (!SkipComment()) return false;
        } else if (c == ';') {
            SkipToLineEnd();
        } else if (c == '(') {
            if (!SkipVariation()) return false;
        } else if (c == ')') {
            return Fail("a variation is closed that was never opened");
        } else if (c == '$') {
            Advance();
            while (!AtEnd() && std::isdigit(static_cast<unsigned char>(Peek()))) Advance();
        } else if (IsSymbolChar(c) || c == '*') {
            if (!ReadToken()) return false;
        } else {
            char shown[8];
            std::snprintf(shown, sizeof shown, byte < 0x80 ? "%c" : "\\x%02X", byte);
            return Fail(std::string("'") + shown + "' is not part of a game");
        }
    }
    if (!inMoves_ && !sawTag_) return Fail("no game was found");
    if (!started_ && !StartPosition()) return false;
    return true;
}

bool Reader::ReadTag() {
    const int tagLine = line_;
    Advance();  // '['
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t')) Advance();
    std::string name;
    while (!AtEnd() && IsSymbolChar(Peek())) {
        name += Peek();
        Advance();
    }
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t')) Advance();
    if (name.empty() || AtEnd() || Peek() != '"') {
        line_ = tagLine;
        return Fail("a tag is not written as [Name \"value\"]");
    }
    Advance();
    std::string value;
    while (!AtEnd() && Peek() != '"' && Peek() != '\n') {
        if (Peek() == '\\' && at_ + 1 < text_.size() &&
            (text_[at_ + 1] == '"' || text_[at_ + 1] == '\\')) {
            Advance();
        }
        value += Peek();
        Advance();
    }
    if (AtEnd() || Peek() != '"') {
        line_ = tagLine;
        return Fail("the value of the tag " + name + " is not closed");
    }
    Advance();
    sawTag_ = true;
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t')) Advance();
    if (AtEnd() || Peek() != ']') {
        line_ = tagLine;
        return Fail("the tag " + name + " is not closed with ]");
    }
    Advance();
    if (name == "FEN") {
        game_.fen = value;
        engine::Position check = engine::Position::Start(engine::Rules::Standard);
        std::string why;
        if (!check.SetFen(value, &why)) {
            line_ = tagLine;
            return Fail("the starting position is refused: " + why);
        }
    } else if (name == "KestrionWhite" || name == "KestrionBlack") {
        bool computer = false;
        int level = LevelClassic;
        if (!ParsePgnPlayer(value, computer, level)) {
            line_ = tagLine;
            return Fail("the tag " + name + " names no player: " + value);
        }
        game_.hasPlayers = true;
        (name == "KestrionWhite" ? game_.whiteComputer : game_.blackComputer) = computer;
        (name == "KestrionWhite" ? game_.whiteLevel : game_.blackLevel) = level;
    } else if (name == "Variant" && value != "Standard" && value != "standard" && !value.empty()) {
        line_ = tagLine;
        return Fail("the game is not standard chess (" + value + ")");
    }
    return true;
}

bool Reader::SkipComment() {
    const int opened = line_;
    while (!AtEnd() && Peek() != '}') Advance();
    if (AtEnd()) {
        line_ = opened;
        return Fail("a comment is opened with { and never closed");
    }
    Advance();
    return true;
}

bool Reader::SkipVariation() {
    const int opened = line_;
    int depth = 0;
    while (!AtEnd()) {
        const char c = Peek();
        if (c == '{') {
            if (!SkipComment()) return false;
            continue;
        }
        if (c == ';') {
            SkipToLineEnd();
            continue;
        }
        Advance();
        if (c == '(') ++depth;
        if (c == ')' && --depth == 0) return true;
    }
    line_ = opened;
    return Fail("a variation is opened with ( and never closed");
}

bool Reader::StartPosition() {
    started_ = true;
    position_ = engine::Position::Start(engine::Rules::Standard);
    if (!game_.fen.empty()) {
        std::string why;
        if (!position_.SetFen(game_.fen, &why))
            return Fail("the starting position is refused: " + why);
    }
    return true;
}

bool Reader::ReadToken() {
    const int tokenLine = line_;
    std::string token;
    while (!AtEnd() && (IsSymbolChar(Peek()) || Peek() == '*')) {
        token += Peek();
        Advance();
    }
    inMoves_ = true;
    if (!started_ && !StartPosition()) return false;
    if (token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*") {
        ended_ = true;
        return true;
    }
    // A move number: digits and dots ("12.", "12...", or the digits alone before the dots).
    std::size_t digits = 0;
    while (digits < token.size() && std::isdigit(static_cast<unsigned char>(token[digits]))) {
        ++digits;
    }
    if (digits > 0) {
        std::size_t rest = digits;
        while (rest < token.size() && token[rest] == '.') ++rest;
        if (rest == token.size()) return true;
        if (rest > digits) token = token.substr(rest);  // "12.e4" written without a space
    }
    while (!token.empty() && token.front() == '.') token.erase(0, 1);  // "..." before Black's
    // What some programs write after a capture in passing, apart from the move.
    if (token.empty() || token == "e.p." || token == "ep") return true;
    line_ = tokenLine;
    return PlaySan(token);
}

bool Reader::PlaySan(const std::string& token) {
    if (game_.moves.size() >= kMaxPgnPlies) return Fail("the game is longer than the game takes");
    const engine::Move move = engine::ParseSan(position_, token);
    if (move == engine::kNoMove) return Fail("'" + token + "' is not a legal move here");
    position_.DoMove(move);
    game_.moves.push_back(move);
    return true;
}

}  // namespace

bool ReadPgn(std::string_view text, PgnGame& game, std::string& error) {
    game = PgnGame{};
    if (text.size() > kMaxPgnBytes) {
        error = "the file is larger than a game can be";
        return false;
    }
    Reader reader(text, game, error);
    return reader.Read();
}

const char* PgnPlayerName(bool computer, int level) {
    if (!computer) return "human";
    return level >= 0 && level < kPlayLevelCount ? kLevelNames[level] : kLevelNames[0];
}

bool ParsePgnPlayer(std::string_view value, bool& computer, int& level) {
    if (value == "human") {
        computer = false;
        level = LevelClassic;
        return true;
    }
    for (int i = 0; i < kPlayLevelCount; ++i) {
        if (value == kLevelNames[i]) {
            computer = true;
            level = i;
            return true;
        }
    }
    return false;
}
