#include "tools/engine/uci_command.h"

#include <limits>

namespace uci {

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

struct CommandWord {
    std::string_view word;
    CommandKind kind;
};

constexpr CommandWord kCommandWords[] = {
    {"uci", CommandKind::Uci},           {"debug", CommandKind::Debug},
    {"isready", CommandKind::IsReady},   {"setoption", CommandKind::SetOption},
    {"register", CommandKind::Register}, {"ucinewgame", CommandKind::UciNewGame},
    {"position", CommandKind::Position}, {"go", CommandKind::Go},
    {"stop", CommandKind::Stop},         {"ponderhit", CommandKind::PonderHit},
    {"quit", CommandKind::Quit},
};

bool FindCommandWord(std::string_view token, CommandKind& kind) {
    for (const CommandWord& entry : kCommandWords) {
        if (entry.word == token) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

// A token shown in a note: long or strange input is cut so that a note stays one short line.
std::string Shown(std::string_view token) {
    constexpr std::size_t kLongest = 40;
    std::string shown;
    for (char c : token.substr(0, kLongest)) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x20 || byte == 0x7f ? '?' : c;
    }
    if (token.size() > kLongest) shown += "...";
    return shown;
}

std::string Joined(const std::vector<std::string_view>& tokens, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to; ++i) {
        if (!text.empty()) text += ' ';
        text.append(tokens[i]);
    }
    return text;
}

bool LooksNumeric(std::string_view token) {
    std::size_t i = 0;
    if (i < token.size() && (token[i] == '-' || token[i] == '+')) ++i;
    return i < token.size() && token[i] >= '0' && token[i] <= '9';
}

class GoReader {
  public:
    GoReader(const std::vector<std::string_view>& tokens, Command& command)
        : tokens_(tokens), command_(command) {}

    void Read(std::size_t first) {
        GoParameters& go = command_.go;
        for (i_ = first; i_ < tokens_.size(); ++i_) {
            const std::string_view key = tokens_[i_];
            if (key == "wtime") {
                Time(key, go.whiteTimeMs);
            } else if (key == "btime") {
                Time(key, go.blackTimeMs);
            } else if (key == "winc") {
                Time(key, go.whiteIncrementMs);
            } else if (key == "binc") {
                Time(key, go.blackIncrementMs);
            } else if (key == "movetime") {
                // At least a millisecond: a movetime of 0 would read as none, and the search
                // would then wait for a stop that the sender does not mean to send.
                std::int64_t value = 0;
                if (Number(key, 1, kLongestTimeMs, value)) go.moveTimeMs = value;
            } else if (key == "movestogo") {
                std::int64_t value = 0;
                if (Number(key, 0, kMostMovesToGo, value)) go.movesToGo = static_cast<int>(value);
            } else if (key == "depth") {
                std::int64_t value = 0;
                if (Number(key, 1, kDeepestSearch, value)) go.depth = static_cast<int>(value);
            } else if (key == "nodes") {
                std::int64_t value = 0;
                if (Number(key, 1, std::numeric_limits<std::int64_t>::max(), value)) {
                    go.nodes = static_cast<std::uint64_t>(value);
                }
            } else if (key == "mate") {
                std::int64_t value = 0;
                Number(key, 1, kDeepestSearch, value);
                command_.notes.push_back("go mate is not supported: searching normally");
            } else if (key == "infinite") {
                go.infinite = true;
            } else if (key == "ponder") {
                go.ponder = true;
            } else if (key == "searchmoves") {
                while (i_ + 1 < tokens_.size() && !IsKey(tokens_[i_ + 1])) ++i_;
                command_.notes.push_back("go searchmoves is not supported: searching every move");
            } else {
                command_.notes.push_back("ignored go parameter '" + Shown(key) + "'");
            }
        }
    }

  private:
    static bool IsKey(std::string_view token) {
        for (std::string_view key :
             {"wtime", "btime", "winc", "binc", "movestogo", "movetime", "nodes", "depth", "mate",
              "infinite", "ponder", "searchmoves"}) {
            if (token == key) return true;
        }
        return false;
    }

    void Time(std::string_view key, std::int64_t& out) {
        std::int64_t value = 0;
        if (Number(key, 0, kLongestTimeMs, value)) out = value;
    }

    // Takes the number after key; a missing or unreadable value is refused and the key
    // ignored, leaving the token that followed to be read as the next key.
    bool Number(std::string_view key, std::int64_t low, std::int64_t high, std::int64_t& out) {
        if (i_ + 1 >= tokens_.size() || !LooksNumeric(tokens_[i_ + 1])) {
            command_.notes.push_back("refused go " + std::string(key) + ": no number after it");
            return false;
        }
        const std::string_view text = tokens_[++i_];
        bool clamped = false;
        if (!ReadNumber(text, low, high, out, clamped)) {
            command_.notes.push_back("refused go " + std::string(key) + " '" + Shown(text) +
                                     "': not a number");
            return false;
        }
        if (clamped) {
            command_.notes.push_back("go " + std::string(key) + " " + Shown(text) +
                                     " is out of range: using " + std::to_string(out));
        }
        return true;
    }

    const std::vector<std::string_view>& tokens_;
    Command& command_;
    std::size_t i_ = 0;
};

void ReadSetOption(const std::vector<std::string_view>& tokens, std::size_t first,
                   Command& command) {
    std::size_t i = first;
    if (i >= tokens.size() || tokens[i] != "name") {
        command.notes.push_back("refused setoption: expected 'setoption name <id> [value <x>]'");
        command.kind = CommandKind::Empty;
        return;
    }
    std::size_t valueAt = tokens.size();
    for (std::size_t j = i + 1; j < tokens.size(); ++j) {
        if (tokens[j] == "value") {
            valueAt = j;
            break;
        }
    }
    command.optionName = Joined(tokens, i + 1, valueAt);
    if (command.optionName.empty()) {
        command.notes.push_back("refused setoption: the option has no name");
        command.kind = CommandKind::Empty;
        return;
    }
    if (valueAt < tokens.size()) {
        command.hasValue = true;
        command.optionValue = Joined(tokens, valueAt + 1, tokens.size());
    }
}

void ReadPosition(const std::vector<std::string_view>& tokens, std::size_t first,
                  Command& command) {
    PositionSetup& setup = command.position;
    std::size_t i = first;
    std::size_t movesAt = tokens.size();
    for (std::size_t j = i; j < tokens.size(); ++j) {
        if (tokens[j] == "moves") {
            movesAt = j;
            break;
        }
    }
    if (i < tokens.size() && tokens[i] == "startpos") {
        setup.startPosition = true;
        if (i + 1 < movesAt) {
            command.notes.push_back("ignored '" + Shown(Joined(tokens, i + 1, movesAt)) +
                                    "' after startpos");
        }
    } else if (i < tokens.size() && tokens[i] == "fen") {
        setup.startPosition = false;
        setup.fen = Joined(tokens, i + 1, movesAt);
        if (setup.fen.empty()) {
            command.notes.push_back("refused position: no FEN after 'fen'");
            command.kind = CommandKind::Empty;
            return;
        }
    } else {
        command.notes.push_back("refused position: expected 'startpos' or 'fen <FEN>'");
        command.kind = CommandKind::Empty;
        return;
    }
    for (std::size_t j = movesAt + 1; j < tokens.size(); ++j) {
        setup.moves.emplace_back(tokens[j]);
    }
}

void NoteExtraTokens(const std::vector<std::string_view>& tokens, std::size_t first,
                     Command& command) {
    if (first < tokens.size()) {
        command.notes.push_back("ignored '" + Shown(Joined(tokens, first, tokens.size())) +
                                "' after " + command.word);
    }
}

}  // namespace

std::vector<std::string_view> Tokenize(std::string_view line) {
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsSeparator(line[i])) ++i;
        if (i > start) tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

bool ReadNumber(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& out,
                bool& clamped) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    // Digits beyond what fits saturate: the value is clamped below anyway.
    constexpr std::int64_t kCeiling = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    std::int64_t magnitude = 0;
    bool saturated = false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        if (magnitude > kCeiling) {
            saturated = true;
        } else {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    clamped = saturated;
    if (value < low || (saturated && negative)) {
        value = low;
        clamped = true;
    } else if (value > high || saturated) {
        value = high;
        clamped = true;
    }
    out = value;
    return true;
}

Command ParseCommand(std::string_view line) {
    Command command;
    const std::vector<std::string_view> tokens = Tokenize(line);
    if (tokens.empty()) return command;

    std::size_t at = 0;
    while (at < tokens.size() && !FindCommandWord(tokens[at], command.kind)) ++at;
    if (at == tokens.size()) {
        command.kind = CommandKind::Unknown;
        command.word = Shown(tokens[0]);
        command.notes.push_back("unknown command: " + Shown(Joined(tokens, 0, tokens.size())));
        return command;
    }
    if (at > 0) {
        command.notes.push_back("ignored '" + Shown(Joined(tokens, 0, at)) +
                                "' before the command");
    }
    command.word = std::string(tokens[at]);
    const std::size_t rest = at + 1;
    switch (command.kind) {
        case CommandKind::Debug:
            if (rest < tokens.size() && (tokens[rest] == "on" || tokens[rest] == "off")) {
                command.debugOn = tokens[rest] == "on";
                NoteExtraTokens(tokens, rest + 1, command);
            } else {
                command.notes.push_back("refused debug: expected 'on' or 'off'");
                command.kind = CommandKind::Empty;
            }
            break;
        case CommandKind::SetOption:
            ReadSetOption(tokens, rest, command);
            break;
        case CommandKind::Position:
            ReadPosition(tokens, rest, command);
            break;
        case CommandKind::Go:
            GoReader(tokens, command).Read(rest);
            break;
        case CommandKind::Register:
            // Nothing to register: whatever follows is taken without a word.
            break;
        default:
            NoteExtraTokens(tokens, rest, command);
            break;
    }
    return command;
}

}  // namespace uci
