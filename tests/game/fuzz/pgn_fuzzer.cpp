// Feeds arbitrary bytes to the PGN reader, and every game it accepts to the turn controller,
// as the Load dialog would: whatever the text, the reader either refuses it with a line
// number or gives moves that the game plays, and writing that game gives a text that reads
// back to the same position.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "game/pgn_reader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    randomSeeded = 1;
    SeedRandom(1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PgnGame read;
    std::string error;
    if (!ReadPgn(text, read, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    static ChessGame game;
    game.StartGame(Human, Human, RulesStandard, LevelClassic, LevelClassic);
    if (!game.PlayPgn(read)) std::abort();  // the reader checked every move already
    if (game.history.Count() != static_cast<int>(read.moves.size()) &&
        read.moves.size() < static_cast<size_t>(MoveHistory::kCapacity)) {
        std::abort();
    }
    PgnGame again;
    if (!ReadPgn(game.PgnText(), again, error)) std::abort();
    static ChessGame reread;
    if (!reread.PlayPgn(again) || reread.position.Fen() != game.position.Fen()) std::abort();
    return 0;
}
