// The turn controller under Standard rules: the same turn states and move reports as under
// Classic, played on the engine's position and mirrored into the board the screen reads.

#include <cstring>

#include "ai/random_draw.h"
#include "engine/move_text.h"
#include "game/chess_game.h"
#include "game/engine_turn.h"
#include "game/one_move_player.h"
#include "game/standard_squares.h"

namespace {

bool IsGameEnd(engine::GameStatus status) {
    return status != engine::GameStatus::InPlay && status != engine::GameStatus::Check;
}

engine::PieceType PromotionPiece(char choice) {
    switch (choice) {
        case 'n':
        case 'N':
            return engine::Knight;
        case 'b':
        case 'B':
            return engine::Bishop;
        case 'r':
        case 'R':
            return engine::Rook;
        case 'q':
        case 'Q':
            return engine::Queen;
        default:
            return engine::kPieceTypes;
    }
}

void NameSquares(char* text, int from, int to) {
    text[0] = ScreenFileOf(from);
    text[1] = ScreenRankOf(from);
    text[2] = ScreenFileOf(to);
    text[3] = ScreenRankOf(to);
    text[4] = '\0';
}

}  // namespace

void ChessGame::MirrorPosition() {
    for (int square = 0; square < 64; ++square) {
        board.squares[BoardIndexOf(square)] = static_cast<signed char>(position.LetterOn(square));
    }
    board.cachedStatus = kStatusNotComputed;
    whoseTurn = position.SideToMove() == engine::Side::White ? 1 : 0;
}

bool ChessGame::SetUpStandard(const char* fen, std::string* error) {
    engine::Position setUp = engine::Position::Start(engine::Rules::Standard);
    if (!setUp.SetFen(fen, error)) return false;
    rules = RulesStandard;
    position = setUp;
    MirrorPosition();
    history.Clear();
    promotionFrom = promotionTo = -1;
    computerChoice = engine::kNoMove;
    searchStarted = 0;
    rookMove[0] = passedSquare[0] = '\0';
    state = Unsettled;
    return true;
}

int ChessGame::StepStandard() {
    if (state == MoveMade) {
        state = Unsettled;
        return MoveMade;
    }
    const bool white = position.SideToMove() == engine::Side::White;
    if (promotionFrom >= 0) {
        state = white ? WhitePromotes : BlackPromotes;
        return state;
    }
    if (IsGameEnd(position.Status())) {
        state = GameOver;
        return GameOver;
    }
    if (IsHumanSide(white ? 1 : 0)) {
        state = white ? WhiteToMove : BlackToMove;
        return state;
    }
    if (LevelOf(whoseTurn) != LevelClassic) return StepEngineLevel();
    if (searchStarted == 0) {
        // The Classic level looks one move ahead and knows its move at once; it is played
        // at the next step, as the Classic player's takes a step of its own.
        computerChoice = PickOneMoveAhead(position);
        searchStarted = 1;
        state = ComputerThinking;
        return ComputerThinking;
    }
    const engine::Move move = computerChoice;
    searchStarted = 0;
    computerChoice = engine::kNoMove;
    if (move != engine::kNoMove) MakeStandardMove(move);
    state = Unsettled;
    return MoveMade;
}

void ChessGame::SubmitStandard(char* text) {
    if (state == WhitePromotes || state == BlackPromotes) {
        const engine::PieceType piece = PromotionPiece(text[0]);
        if (piece == engine::kPieceTypes || promotionFrom < 0) return;
        const engine::Move move =
            engine::MakeMove(promotionFrom, promotionTo, engine::kPromotionMove, piece);
        promotionFrom = promotionTo = -1;
        if (!position.IsLegal(move)) {
            state = Unsettled;
            return;
        }
        MakeStandardMove(move);
        state = MoveMade;
        return;
    }
    if (state != WhiteToMove && state != BlackToMove) {
        if (state != Unsettled && state != GameOver) state = Unsettled;
        return;
    }
    if (std::strlen(text) < 4) {
        state = Unsettled;
        return;
    }
    const int from = EngineSquareOf(text[0], text[1]);
    const int to = EngineSquareOf(text[2], text[3]);
    engine::MoveList moves;
    position.GenerateLegal(moves);
    for (engine::Move move : moves) {
        if (engine::MoveFrom(move) != from || engine::MoveTo(move) != to) continue;
        if (engine::KindOf(move) == engine::kPromotionMove) {
            // The piece is asked for first; the move is made with it.
            promotionFrom = from;
            promotionTo = to;
            state = Unsettled;
            return;
        }
        MakeStandardMove(move);
        state = MoveMade;
        return;
    }
    state = Unsettled;
}

int ChessGame::CancelPromotion() {
    if (promotionFrom < 0) return 0;
    promotionFrom = promotionTo = -1;
    state = Unsettled;
    return 1;
}

void ChessGame::MakeStandardMove(engine::Move move) {
    RememberPosition();
    const int from = engine::MoveFrom(move);
    const int to = engine::MoveTo(move);
    NameSquares(lastMove.text, from, to);
    lastMove.moved = position.LetterOn(from);
    lastMove.captured = position.LetterOn(to);
    rookMove[0] = passedSquare[0] = '\0';
    rookLetter = passedPawn = ' ';
    if (engine::KindOf(move) == engine::kCastlingMove) {
        // The rook stands in the corner on the king's side of the move and ends beside the
        // king, on the square the king passed over.
        const bool kingSide = to > from;
        const int rookFrom = kingSide ? from + 3 : from - 4;
        const int rookTo = kingSide ? from + 1 : from - 1;
        NameSquares(rookMove, rookFrom, rookTo);
        rookLetter = position.LetterOn(rookFrom);
    } else if (engine::KindOf(move) == engine::kEnPassantMove) {
        // The pawn taken stands beside the mover, on the target's file.
        const int taken = (from / 8) * 8 + to % 8;
        passedSquare[0] = ScreenFileOf(taken);
        passedSquare[1] = ScreenRankOf(taken);
        passedSquare[2] = '\0';
        passedPawn = position.LetterOn(taken);
    }
    position.DoMove(move);
    MirrorPosition();
}

int ChessGame::StepEngineLevel() {
    engine::LevelPlayer& player = SharedLevelPlayer();
    const engine::Side side = whoseTurn == 1 ? engine::Side::White : engine::Side::Black;
    if (searchStarted == 0) {
        const engine::Position root = rules == RulesStandard
                                          ? position
                                          : engine::Position::FromClassicBoard(board.squares, side);
        player.Begin(root, EngineLevelOf(LevelOf(whoseTurn)), DrawRandom);
        searchStarted = 1;
        state = ComputerThinking;
        return ComputerThinking;
    }
    const auto started = std::chrono::steady_clock::now();
    bool finished = false;
    do {
        finished = player.Advance(kNodesPerSlice);
    } while (!finished && std::chrono::steady_clock::now() - started < kThinkingPerStep);
    if (!finished) {
        state = ComputerThinking;
        return ComputerThinking;
    }
    searchStarted = 0;
    const engine::Move move = player.ChosenMove();
    if (rules == RulesStandard) {
        if (move != engine::kNoMove) MakeStandardMove(move);
    } else {
        // The board has not changed since the search began.
        const engine::Position root = engine::Position::FromClassicBoard(board.squares, side);
        const std::string text = move != engine::kNoMove ? engine::MoveToText(root, move) : "";
        MakeClassicMove(text.c_str());
    }
    state = Unsettled;
    return MoveMade;
}

int ChessGame::IsLegalTarget(char* text) {
    if (rules != RulesStandard) return board.IsLegalMove(text, whoseTurn);
    if (std::strlen(text) < 4) return 0;
    const int from = EngineSquareOf(text[0], text[1]);
    const int to = EngineSquareOf(text[2], text[3]);
    engine::MoveList moves;
    position.GenerateLegal(moves);
    for (engine::Move move : moves) {
        if (engine::MoveFrom(move) == from && engine::MoveTo(move) == to) return 1;
    }
    return 0;
}
