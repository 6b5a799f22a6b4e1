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
    // Each kind of line end counts once: "\n", "\r\n" and the old lone "\r".
    static bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
    bool AtLineStart() const { return at_ == 0 || IsLineEnd(text_[at_ - 1]); }
    void Advance() {
        const char c = text_[at_];
        if (c == '\n' || (c == '\r' && (at_ + 1 == text_.size() || text_[at_ + 1] != '\n'))) {
            ++line_;
        } else if (binaryLine_ == 0 && IsBinary(c)) {
            binaryLine_ = line_;
        }
        ++at_;
    }
    void SkipToLineEnd() {
        while (!AtEnd() && !IsLineEnd(Peek())) Advance();
    }
    // Control bytes have no place in a text file, not even in a comment or a tag.
    static bool IsBinary(char c) {
        const unsigned char byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t' && c != '\f' && c != '\v' && !IsLineEnd(c)) ||
               byte == 0x7F;
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
    int binaryLine_ = 0;  // the first line where a skipped part held a control byte
    int setUpLine_ = 0;   // the line of a SetUp "1" tag
    bool inMoves_ = false;
    bool ended_ = false;
    bool started_ = false;
    bool sawTag_ = false;
    bool ignoreFen_ = false;
    engine::Position position_;
};

// Long algebraic text as some programs write it: "e2-e4", "Ng1-f3", "Nb1xc3", "e7-e8=Q". The
// piece letter, when there is one, must name the piece that moves.
engine::Move ParseLongAlgebraic(const engine::Position& position, std::string_view token) {
    while (!token.empty() && std::string_view("+#!?").find(token.back()) != std::string_view::npos)
        token.remove_suffix(1);
    char piece = 'P';
    if (!token.empty() && std::string_view("NBRQK").find(token.front()) != std::string_view::npos) {
        piece = token.front();
        token.remove_prefix(1);
    }
    std::string squares;
    for (const char c : token) {
        if (c != '-' && c != 'x' && c != '=') squares += c;
    }
    const engine::Move move = engine::ParseMoveText(position, squares);
    if (move == engine::kNoMove) return move;
    const char moving = position.LetterOn(engine::MoveFrom(move));
    return std::toupper(static_cast<unsigned char>(moving)) == piece ? move : engine::kNoMove;
}

bool IsSymbolChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '+' || c == '#' ||
           c == '=' || c == ':' || c == '-' || c == '/' || c == '!' || c == '?' || c == '.';
}

bool Reader::Read() {
    // The byte order mark some editors put at the start of a UTF-8 file.
    if (text_.starts_with("\xEF\xBB\xBF")) at_ = 3;
    while (!AtEnd() && !ended_) {
        if (binaryLine_ != 0) {
            line_ = binaryLine_;
            return Fail("the file holds bytes that are not text");
        }
        const char c = Peek();
        const unsigned char byte = static_cast<unsigned char>(c);
        if (IsLineEnd(c) || c == ' ' || c == '\t' || c == '\f' || c == '\v') {
            Advance();
        } else if (IsBinary(c)) {
            return Fail("the file holds bytes that are not text");
        } else if (c == '%' && AtLineStart()) {
            SkipToLineEnd();
        } else if (c == '[') {
            // Tags after moves that have no result yet: the game was cut off there.
            if (inMoves_) return Fail("the next game's tags begin before this game's result");
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
            if (AtEnd() || !std::isdigit(static_cast<unsigned char>(Peek())))
                return Fail("an annotation glyph must be $ and a number");
            while (!AtEnd() && std::isdigit(static_cast<unsigned char>(Peek()))) Advance();
        } else if (IsSymbolChar(c) || c == '*') {
            if (!ReadToken()) return false;
        } else {
            char shown[8];
            std::snprintf(shown, sizeof shown, byte < 0x80 ? "%c" : "\\x%02X", byte);
            return Fail(std::string("'") + shown + "' is not part of a game");
        }
    }
    if (binaryLine_ != 0) {
        line_ = binaryLine_;
        return Fail("the file holds bytes that are not text");
    }
    if (!inMoves_ && !sawTag_) return Fail("no game was found");
    if (!started_ && !StartPosition()) return false;
    // Every game ends with its result; a file that stops before it was cut short.
    if (!ended_)
        return Fail(
            "the game stops before its result (1-0, 0-1, 1/2-1/2 or *): the file is cut short");
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
    while (!AtEnd() && Peek() != '"' && !IsLineEnd(Peek())) {
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
    } else if (name == "SetUp") {
        setUpLine_ = value == "1" ? tagLine : 0;
        // "0" says the game began at the usual start, whatever a FEN tag says.
        ignoreFen_ = value == "0";
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
    if (ignoreFen_) game_.fen.clear();
    if (setUpLine_ != 0 && game_.fen.empty()) {
        line_ = setUpLine_;
        return Fail("SetUp is \"1\" but no FEN tag gives the position");
    }
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
    if (game_.moves.size() >= kMaxPgnPlies)
        return Fail("the game is longer than the " + std::to_string(kMaxPgnPlies) +
                    " half-moves Kestrion reads");
    engine::Move move = engine::ParseSan(position_, token);
    if (move == engine::kNoMove) move = ParseLongAlgebraic(position_, token);
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
