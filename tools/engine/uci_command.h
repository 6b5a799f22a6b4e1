#pragma once

// The UCI command reader: one line of text in, one plain description of the command out.
// It knows nothing of chess positions or of the search, so that every line a program on the
// other end of the pipe may send can be read (and fuzzed) without a process or an engine.
// Whatever it cannot take is described in `notes`, which the session sends back as
// "info string" lines; nothing in a line makes it fail.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace uci {

enum class CommandKind {
    Empty,  // blank line: nothing to do, nothing to say
    Uci,
    Debug,
    IsReady,
    SetOption,
    Register,
    UciNewGame,
    Position,
    Go,
    Stop,
    PonderHit,
    Quit,
    Unknown,  // no command word anywhere in the line
};

// The largest time, in milliseconds, that a go parameter keeps: about 31 years, far beyond
// any clock, yet small enough that a budget computed from it cannot overflow.
inline constexpr std::int64_t kLongestTimeMs = 1'000'000'000'000;
// The deepest search a go depth asks for; deeper requests are clamped to it.
inline constexpr int kDeepestSearch = 64;
inline constexpr int kMostMovesToGo = 10'000;

struct GoParameters {
    // -1 where the parameter was not given.
    std::int64_t whiteTimeMs = -1;
    std::int64_t blackTimeMs = -1;
    std::int64_t whiteIncrementMs = 0;
    std::int64_t blackIncrementMs = 0;
    int movesToGo = 0;
    std::int64_t moveTimeMs = 0;
    std::uint64_t nodes = 0;
    int depth = 0;
    bool infinite = false;
    bool ponder = false;
};

struct PositionSetup {
    bool startPosition = true;
    std::string fen;  // the FEN's fields joined by single spaces, when !startPosition
    std::vector<std::string> moves;
};

struct Command {
    CommandKind kind = CommandKind::Empty;
    std::string word;  // the command word as sent (for Unknown: the line's first token)
    bool debugOn = false;
    std::string optionName;  // setoption: the name as sent, inner spaces kept single
    std::string optionValue;
    bool hasValue = false;
    PositionSetup position;
    GoParameters go;
    std::vector<std::string> notes;  // what was refused or changed, for "info string"
};

// Reads one line (without or with its line end). Tokens are separated by any run of spaces,
// tabs and carriage returns. Unknown tokens before the command word are skipped with a note.
Command ParseCommand(std::string_view line);

// Splits a line into its tokens; exposed for the session's own use and for tests.
std::vector<std::string_view> Tokenize(std::string_view line);

// Reads a whole decimal number, with an optional sign, clamping it into [low, high];
// `clamped` tells whether it had to. False when the text is not a number at all.
bool ReadNumber(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& out,
                bool& clamped);

}  // namespace uci
