#pragma once

// A game under the game's own rules through its turn controller, ChessGame::Step, one call
// per frame as the game makes them. The Classic player is the controller's computer side;
// an engine level plays a side the controller takes for a human's, submitting its moves
// as a player's clicks would.

#include <string>
#include <vector>

#include "game/chess_game.h"
#include "tools/selfplay/game_record.h"
#include "tools/selfplay/players.h"

namespace match {

struct ClassicGameSetup {
    Player white;
    Player black;
    long maxPlies = 400;
    // The game's rules know no draw by repetition, so two engine levels can repeat moves
    // until the ply limit; a match may call the third occurrence of a position a draw.
    bool drawOnThirdRepetition = false;
    const char* fromPath = nullptr;  // a saved game to start from, or nullptr
    // Moves played first, whoever plays each side, in the game's text ("e7e5").
    std::vector<std::string> opening;
};

// Plays one game into record; false, with error set, when it cannot be played.
bool PlayClassicGame(const ClassicGameSetup& setup, ChessGame& game, GameRecord& record,
                     std::string& error);

}  // namespace match
