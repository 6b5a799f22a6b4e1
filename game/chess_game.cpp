#include "game/chess_game.h"

#include <cstring>

#include "rules/move_text.h"

namespace {

bool IsGameEnding(int status) {
    return status == WhiteCheckmated || status == WhiteStalemated || status == BlackCheckmated ||
           status == BlackStalemated;
}

// Copies the four characters of a move and the NUL, whatever follows them in text.
void CopyMoveText(char* to, const char* text) {
    int i = 0;
    for (; i < 4 && text[i] != '\0'; ++i) to[i] = text[i];
    for (; i < 5; ++i) to[i] = '\0';
}

}  // namespace

ChessGame::ChessGame()
    : whoseTurn(1),
      state(Unsettled),
      searchStarted(0),
      lastMove{{'\0', '\0', '\0', '\0', '\0'}, ' ', ' '},
      whiteKind(Human),
      blackKind(Computer) {
    NewGame(Human, Computer);
    computer.board = &board;
}

// A copy searches its own board, never the board of the game it was copied from.
ChessGame::ChessGame(const ChessGame& other)
    : board(other.board),
      computer(other.computer),
      whoseTurn(other.whoseTurn),
      state(other.state),
      searchStarted(other.searchStarted),
      lastMove(other.lastMove),
      whiteKind(other.whiteKind),
      blackKind(other.blackKind),
      history(other.history),
      rules(other.rules),
      whiteLevel(other.whiteLevel),
      blackLevel(other.blackLevel),
      position(other.position),
      promotionFrom(other.promotionFrom),
      promotionTo(other.promotionTo),
      computerChoice(other.computerChoice),
      rookLetter(other.rookLetter),
      passedPawn(other.passedPawn) {
    computer.board = &board;
    std::memcpy(rookMove, other.rookMove, sizeof rookMove);
    std::memcpy(passedSquare, other.passedSquare, sizeof passedSquare);
}

ChessGame& ChessGame::operator=(const ChessGame& other) {
    board = other.board;
    computer = other.computer;
    computer.board = &board;
    whoseTurn = other.whoseTurn;
    state = other.state;
    searchStarted = other.searchStarted;
    lastMove = other.lastMove;
    whiteKind = other.whiteKind;
    blackKind = other.blackKind;
    history = other.history;
    rules = other.rules;
    whiteLevel = other.whiteLevel;
    blackLevel = other.blackLevel;
    position = other.position;
    promotionFrom = other.promotionFrom;
    promotionTo = other.promotionTo;
    computerChoice = other.computerChoice;
    std::memcpy(rookMove, other.rookMove, sizeof rookMove);
    rookLetter = other.rookLetter;
    std::memcpy(passedSquare, other.passedSquare, sizeof passedSquare);
    passedPawn = other.passedPawn;
    return *this;
}

void ChessGame::StartGame(int newWhiteKind, int newBlackKind, int gameRules, int whiteLevelChosen,
                          int blackLevelChosen) {
    rules = gameRules == RulesStandard ? RulesStandard : RulesClassic;
    whiteLevel = whiteLevelChosen;
    blackLevel = blackLevelChosen;
    NewGame(newWhiteKind, newBlackKind);
}

void ChessGame::NewGame(int newWhiteKind, int newBlackKind) {
    state = Unsettled;
    if (rules == RulesStandard) {
        position = engine::Position::Start(engine::Rules::Standard);
        MirrorPosition();
    } else {
        board.Reset();
    }
    promotionFrom = promotionTo = -1;
    computerChoice = engine::kNoMove;
    rookMove[0] = passedSquare[0] = '\0';
    whoseTurn = 1;
    whiteKind = newWhiteKind;
    blackKind = newBlackKind;
    searchStarted = 0;
    history.Clear();
}

int ChessGame::SettlePromotions() {
    for (char file = 'a'; file <= 'h'; ++file) {
        if (board.GetSquare(file, '1') != 'P') continue;
        if (!whiteKind) {
            state = WhitePromotes;
            return WhitePromotes;
        }
        board.SetSquare(file, '1', 'Q');
    }
    for (char file = 'a'; file <= 'h'; ++file) {
        if (board.GetSquare(file, '8') != 'p') continue;
        if (!blackKind) {
            state = BlackPromotes;
            return BlackPromotes;
        }
        board.SetSquare(file, '8', 'q');
    }
    return Unsettled;
}

int ChessGame::Step() {
    if (rules == RulesStandard) return StepStandard();
    if (state == MoveMade) {
        state = Unsettled;
        return MoveMade;
    }
    const int promotion = SettlePromotions();
    if (promotion != Unsettled) return promotion;
    if (IsGameEnding(board.GetStatus())) {
        state = GameOver;
        return GameOver;
    }
    const bool white = whoseTurn == 1;
    if (!(white ? whiteKind : blackKind)) {
        state = white ? WhiteToMove : BlackToMove;
        return state;
    }
    if (LevelOf(whoseTurn) != LevelClassic) return StepEngineLevel();
    if (searchStarted == 0) {
        computer.BeginSearch(white ? 1 : 0);
        searchStarted = 1;
        state = ComputerThinking;
        return ComputerThinking;
    }
    if (computer.SearchStep() == 0) {
        state = ComputerThinking;
        return ComputerThinking;
    }
    MakeComputerMove();
    state = Unsettled;
    return MoveMade;
}

void ChessGame::MakeComputerMove() {
    // An empty table gives an empty text, which TryMove refuses; the turn passes anyway.
    char move[5] = {};
    computer.PickMove(move);
    MakeClassicMove(move);
}

void ChessGame::MakeClassicMove(const char* chosen) {
    char move[5] = {};
    CopyMoveText(move, chosen);
    RememberPosition();
    RecordMove(move);
    board.TryMove(move, whoseTurn);
    searchStarted = 0;
    const char rank = whoseTurn == 1 ? '1' : '8';
    const char pawn = whoseTurn == 1 ? 'P' : 'p';
    const char queen = whoseTurn == 1 ? 'Q' : 'q';
    whoseTurn ^= 1;
    for (char file = 'a'; file <= 'h'; ++file) {
        if (board.GetSquare(file, rank) == pawn) board.SetSquare(file, rank, queen);
    }
}

void ChessGame::RecordMove(const char* move) {
    CopyMoveText(lastMove.text, move);
    lastMove.moved = board.GetSquare(lastMove.text[0], lastMove.text[1]);
    lastMove.captured = board.GetSquare(lastMove.text[2], lastMove.text[3]);
}

void ChessGame::RememberPosition() {
    PlayedMove played;
    played.before = board;
    played.lastMoveBefore = lastMove;
    played.mover = whoseTurn;
    history.Push(played);
}

int ChessGame::CanTakeBack() const {
    for (int i = 0; i < history.Count(); ++i) {
        if (IsHumanSide(history.Recent(i).mover)) return 1;
    }
    return 0;
}

int ChessGame::TakeBack() {
    if (!CanTakeBack()) return 0;
    PlayedMove played;
    while (history.Pop(played)) {
        if (rules == RulesStandard && position.UndoablePlies() > 0) position.UndoMove();
        if (IsHumanSide(played.mover)) break;
    }
    board = played.before;
    promotionFrom = promotionTo = -1;
    computerChoice = engine::kNoMove;
    rookMove[0] = passedSquare[0] = '\0';
    lastMove = played.lastMoveBefore;
    whoseTurn = played.mover;
    searchStarted = 0;
    state = Unsettled;
    return 1;
}

void ChessGame::SubmitMove(char* text) {
    if (rules == RulesStandard) {
        SubmitStandard(text);
        return;
    }
    switch (state) {
        case Unsettled:
        case GameOver:
            return;
        case WhiteToMove:
        case BlackToMove:
            if (board.IsLegalMove(text, whoseTurn)) {
                RememberPosition();
                RecordMove(text);
                board.TryMove(text, whoseTurn);
                whoseTurn ^= 1;
                state = MoveMade;
                return;
            }
            break;
        case WhitePromotes:
        case BlackPromotes:
            ChoosePromotion(text[0]);
            return;
        default:
            break;
    }
    state = Unsettled;
}

void ChessGame::ChoosePromotion(char choice) {
    const char kind = rules::ToLowerLetter(choice);
    if (kind != 'b' && kind != 'n' && kind != 'q' && kind != 'r') return;
    const bool white = state == WhitePromotes;
    const char letter = white ? static_cast<char>(kind - 'a' + 'A') : kind;
    const char rank = white ? '1' : '8';
    for (char file = 'a'; file <= 'h'; ++file) {
        const char square = board.GetSquare(file, rank);
        if (square == 'P' || square == 'p') board.SetSquare(file, rank, letter);
    }
    state = Unsettled;
}

void ChessGame::GetLastMove(char* textOut, char* movedOut, char* capturedOut) const {
    std::memcpy(textOut, lastMove.text, sizeof lastMove.text);
    *movedOut = lastMove.moved;
    *capturedOut = lastMove.captured;
}
