#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "engine/move_text.h"
#include "game/chess_game.h"
#include "game/pgn_reader.h"
#include "game/standard_squares.h"

// Reading PGN text in tests, with moves shown in the engine's long algebraic text so that a
// failed comparison reads plainly.

// The position a read game starts from.
inline engine::Position StartOf(const PgnGame& game) {
    engine::Position position = engine::Position::Start(engine::Rules::Standard);
    std::string error;
    if (!game.fen.empty()) {
        EXPECT_TRUE(position.SetFen(game.fen, &error)) << error;
    }
    return position;
}

// The moves of a read game as "e2e4 e7e5 ...", replayed from its start.
inline std::string MovesText(const PgnGame& game) {
    engine::Position position = StartOf(game);
    std::string text;
    for (const engine::Move move : game.moves) {
        if (!text.empty()) text += ' ';
        text += engine::MoveToText(position, move);
        position.DoMove(move);
    }
    return text;
}

// The position after a read game's last move.
inline engine::Position EndOf(const PgnGame& game) {
    engine::Position position = StartOf(game);
    for (const engine::Move move : game.moves) position.DoMove(move);
    return position;
}

// Reads text that must be read; the test fails with the reader's message otherwise.
inline PgnGame ReadGood(std::string_view text) {
    PgnGame game;
    std::string error;
    EXPECT_TRUE(ReadPgn(text, game, error)) << error;
    return game;
}

// Reads text that must be refused and gives the message.
inline std::string ReadBad(std::string_view text) {
    PgnGame game;
    std::string error;
    EXPECT_FALSE(ReadPgn(text, game, error)) << "read " << game.moves.size() << " moves";
    return error;
}

// Plays a legal Standard move on the game as a human does: the two squares in the screen's
// terms, then the piece from the picker for a promotion.
inline void PlayHumanMove(ChessGame& game, engine::Move move) {
    game.Step();
    const std::string text = engine::MoveToText(game.position, move);
    char squares[5] = {ScreenFileOf(engine::MoveFrom(move)), ScreenRankOf(engine::MoveFrom(move)),
                       ScreenFileOf(engine::MoveTo(move)), ScreenRankOf(engine::MoveTo(move)),
                       '\0'};
    game.SubmitMove(squares);
    if (text.size() == 5) {
        ASSERT_EQ(game.Step(), game.whoseTurn == 1 ? WhitePromotes : BlackPromotes) << text;
        char choice[2] = {text[4], '\0'};
        game.SubmitMove(choice);
    }
    ASSERT_EQ(game.state, MoveMade) << text;
    game.Step();
}
