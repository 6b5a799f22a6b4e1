#include "tools/engine/uci_command.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace uci {
namespace {

bool NotesMention(const Command& command, const std::string& part) {
    for (const std::string& note : command.notes) {
        if (note.find(part) != std::string::npos) return true;
    }
    return false;
}

TEST(UciTokens, AnyRunOfSpacesTabsAndLineEndsSeparates) {
    const auto tokens = Tokenize("  go\t\twtime  100 \r\n");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0], "go");
    EXPECT_EQ(tokens[1], "wtime");
    EXPECT_EQ(tokens[2], "100");
    EXPECT_TRUE(Tokenize(" \t\r\n").empty());
}

TEST(UciCommands, SimpleCommandsAreRecognisedAndExtraWordsNoted) {
    EXPECT_EQ(ParseCommand("uci").kind, CommandKind::Uci);
    EXPECT_EQ(ParseCommand("isready\r").kind, CommandKind::IsReady);
    EXPECT_EQ(ParseCommand("ucinewgame").kind, CommandKind::UciNewGame);
    EXPECT_EQ(ParseCommand("stop").kind, CommandKind::Stop);
    EXPECT_EQ(ParseCommand("ponderhit").kind, CommandKind::PonderHit);
    EXPECT_EQ(ParseCommand("quit").kind, CommandKind::Quit);
    EXPECT_EQ(ParseCommand("").kind, CommandKind::Empty);
    EXPECT_TRUE(ParseCommand("").notes.empty());

    const Command extra = ParseCommand("isready now");
    EXPECT_EQ(extra.kind, CommandKind::IsReady);
    EXPECT_TRUE(NotesMention(extra, "'now' after isready"));
}

TEST(UciCommands, UnknownWordsBeforeACommandAreSkippedAndAnUnknownLineIsNamed) {
    // The protocol asks that unknown tokens be skipped and the rest of the line read.
    const Command skipped = ParseCommand("joho debug on");
    EXPECT_EQ(skipped.kind, CommandKind::Debug);
    EXPECT_TRUE(skipped.debugOn);
    EXPECT_TRUE(NotesMention(skipped, "'joho' before the command"));

    const Command unknown = ParseCommand("fly away");
    EXPECT_EQ(unknown.kind, CommandKind::Unknown);
    EXPECT_TRUE(NotesMention(unknown, "unknown command: fly away"));
    // Commands are lower case; anything else is not one.
    EXPECT_EQ(ParseCommand("QUIT").kind, CommandKind::Unknown);
}

TEST(UciCommands, NotesShowControlCharactersAndLongTokensSafely) {
    const Command command = ParseCommand(std::string("x\x01y") + std::string(500, 'z'));
    ASSERT_EQ(command.notes.size(), 1u);
    EXPECT_EQ(command.notes[0].find('\x01'), std::string::npos);
    EXPECT_LT(command.notes[0].size(), 100u);
    EXPECT_NE(command.notes[0].find("x?y"), std::string::npos);
}

TEST(UciPosition, StartposWithMoves) {
    const Command command = ParseCommand("position startpos moves e2e4 e7e5  g1f3");
    ASSERT_EQ(command.kind, CommandKind::Position);
    EXPECT_TRUE(command.position.startPosition);
    ASSERT_EQ(command.position.moves.size(), 3u);
    EXPECT_EQ(command.position.moves[2], "g1f3");
    EXPECT_TRUE(command.notes.empty());
}

TEST(UciPosition, FenFieldsAreJoinedUpToMoves) {
    const Command command = ParseCommand("position fen  8/8/8/8/8/8/8/K6k   w - - 0 1 moves a1a2");
    ASSERT_EQ(command.kind, CommandKind::Position);
    EXPECT_FALSE(command.position.startPosition);
    EXPECT_EQ(command.position.fen, "8/8/8/8/8/8/8/K6k w - - 0 1");
    ASSERT_EQ(command.position.moves.size(), 1u);
    EXPECT_EQ(command.position.moves[0], "a1a2");

    const Command noMoves = ParseCommand("position fen 8/8/8/8/8/8/8/K6k w - -");
    EXPECT_EQ(noMoves.position.fen, "8/8/8/8/8/8/8/K6k w - -");
    EXPECT_TRUE(noMoves.position.moves.empty());
}

TEST(UciPosition, MalformedPositionCommandsAreRefusedWithAReason) {
    for (const char* line : {"position", "position moves e2e4", "position fen",
                             "position fen moves", "position somewhere"}) {
        const Command command = ParseCommand(line);
        EXPECT_EQ(command.kind, CommandKind::Empty) << line;
        EXPECT_TRUE(NotesMention(command, "refused position")) << line;
    }
    const Command trailing = ParseCommand("position startpos junk moves e2e4");
    EXPECT_EQ(trailing.kind, CommandKind::Position);
    EXPECT_EQ(trailing.position.moves.size(), 1u);
    EXPECT_TRUE(NotesMention(trailing, "'junk' after startpos"));
}

TEST(UciGo, ClockParameters) {
    const Command command =
        ParseCommand("go wtime 300000 btime 299000 winc 2000 binc 1000 movestogo 40");
    ASSERT_EQ(command.kind, CommandKind::Go);
    EXPECT_EQ(command.go.whiteTimeMs, 300000);
    EXPECT_EQ(command.go.blackTimeMs, 299000);
    EXPECT_EQ(command.go.whiteIncrementMs, 2000);
    EXPECT_EQ(command.go.blackIncrementMs, 1000);
    EXPECT_EQ(command.go.movesToGo, 40);
    EXPECT_FALSE(command.go.infinite);
    EXPECT_TRUE(command.notes.empty());
}

TEST(UciGo, SearchLimitsAndFlags) {
    const Command command = ParseCommand("go depth 7 nodes 5000 movetime 250 infinite ponder");
    EXPECT_EQ(command.go.depth, 7);
    EXPECT_EQ(command.go.nodes, 5000u);
    EXPECT_EQ(command.go.moveTimeMs, 250);
    EXPECT_TRUE(command.go.infinite);
    EXPECT_TRUE(command.go.ponder);
    // Nothing given stays unset.
    const Command bare = ParseCommand("go");
    EXPECT_EQ(bare.go.whiteTimeMs, -1);
    EXPECT_EQ(bare.go.blackTimeMs, -1);
    EXPECT_EQ(bare.go.depth, 0);
    EXPECT_EQ(bare.go.nodes, 0u);
}

TEST(UciGo, HugeAndNegativeNumbersAreClampedAndSaid) {
    const Command command = ParseCommand(
        "go wtime 99999999999999999999999999 btime -5 depth 1000000 nodes "
        "184467440737095516160 movestogo -3 movetime 0");
    EXPECT_EQ(command.go.whiteTimeMs, kLongestTimeMs);
    EXPECT_EQ(command.go.blackTimeMs, 0);
    EXPECT_EQ(command.go.depth, kDeepestSearch);
    EXPECT_EQ(command.go.nodes,
              static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()));
    EXPECT_EQ(command.go.movesToGo, 0);
    EXPECT_EQ(command.go.moveTimeMs, 1);
    EXPECT_TRUE(NotesMention(command, "go wtime 9999"));
    EXPECT_TRUE(NotesMention(command, "go btime -5 is out of range: using 0"));
    EXPECT_TRUE(NotesMention(command, "go depth 1000000 is out of range: using 64"));
    EXPECT_EQ(command.notes.size(), 6u);
}

TEST(UciGo, MissingOrBadValuesAreRefusedWithoutSwallowingTheNextParameter) {
    const Command command = ParseCommand("go wtime depth 5 btime 12x nodes");
    EXPECT_EQ(command.go.whiteTimeMs, -1);
    EXPECT_EQ(command.go.depth, 5);
    EXPECT_EQ(command.go.blackTimeMs, -1);
    EXPECT_TRUE(NotesMention(command, "refused go wtime: no number"));
    EXPECT_TRUE(NotesMention(command, "refused go btime '12x': not a number"));
    EXPECT_TRUE(NotesMention(command, "refused go nodes: no number"));
}

TEST(UciGo, UnsupportedParametersAreNamed) {
    const Command command = ParseCommand("go searchmoves e2e4 d2d4 depth 3 mate 2 sideways");
    EXPECT_EQ(command.go.depth, 3);
    EXPECT_TRUE(NotesMention(command, "searchmoves is not supported"));
    EXPECT_TRUE(NotesMention(command, "go mate is not supported"));
    EXPECT_TRUE(NotesMention(command, "ignored go parameter 'sideways'"));
}

TEST(UciSetOption, NameAndValueKeepTheirWords) {
    const Command hash = ParseCommand("setoption name Hash value 64");
    ASSERT_EQ(hash.kind, CommandKind::SetOption);
    EXPECT_EQ(hash.optionName, "Hash");
    EXPECT_TRUE(hash.hasValue);
    EXPECT_EQ(hash.optionValue, "64");

    const Command spaced = ParseCommand("setoption name  Clear   Hash");
    EXPECT_EQ(spaced.optionName, "Clear Hash");
    EXPECT_FALSE(spaced.hasValue);

    const Command empty = ParseCommand("setoption name Level value");
    EXPECT_TRUE(empty.hasValue);
    EXPECT_EQ(empty.optionValue, "");
}

TEST(UciSetOption, WithoutANameItIsRefused) {
    for (const char* line :
         {"setoption", "setoption Hash 5", "setoption name", "setoption name value 3"}) {
        const Command command = ParseCommand(line);
        EXPECT_EQ(command.kind, CommandKind::Empty) << line;
        EXPECT_TRUE(NotesMention(command, "refused setoption")) << line;
    }
}

TEST(UciNumbers, ReadNumberTakesWholeDecimalsOnly) {
    std::int64_t value = 0;
    bool clamped = false;
    EXPECT_TRUE(ReadNumber("+42", 0, 100, value, clamped));
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(clamped);
    EXPECT_TRUE(ReadNumber("-9223372036854775809", -10, 10, value, clamped));
    EXPECT_EQ(value, -10);
    EXPECT_TRUE(clamped);
    for (const char* bad : {"", "-", "+", "4 2", "0x10", "1e3", "12a"}) {
        EXPECT_FALSE(ReadNumber(bad, 0, 100, value, clamped)) << bad;
    }
}

}  // namespace
}  // namespace uci
