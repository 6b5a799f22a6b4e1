#pragma once

#include <cstdint>

#include "app/app_interface.h"
#include "app/dialog_button.h"
#include "app/input_snapshot.h"
#include "app/play_choices.h"
#include "app/render_inputs.h"
#include "app/saved_game_list.h"
#include "display/platform.h"
#include "display/sprite.h"
#include "game/chess_game.h"

// The whole application: the game, the sprite sheets and every piece of screen state.
// The program has exactly one, with static storage (see chess_app_instance.h); tests make
// their own. Fields all start at 0 unless set below. Their order is the order they are built
// in, and ~ChessApp tears them down in reverse, so it decides the order in which the sprites
// give their surfaces back.
class ChessApp : public AppInterface {
  public:
    // Borrowed from the display device before Init.
    platform::DirectDraw* directDraw = nullptr;
    platform::Surface* primary = nullptr;
    platform::Surface* backBuffer = nullptr;
    platform::WindowHandle window = nullptr;

    ChessGame game;
    int quitRequested = 0;

    // Mouse state of the current frame, and the button of the frame before.
    int mouseX = 0;
    int mouseY = 0;
    int buttonDown = 0;
    int buttonWasDown = 0;

    int stepResult = 0;  // a TurnState
    int selectedFile = -1;
    int selectedRank = -1;

    // The move animation: the piece glides from source to target of animMove.
    char animMove[5] = {};
    char animMovedPiece = 0;
    char animCapturedPiece = 0;
    int animating = 0;
    int animElapsed = 0;
    int animDuration = 0;
    // Standard moves that move or take a second piece: a castling rook glides beside its
    // king, and a pawn taken in passing stays in sight until the mover lands.
    char animRookMove[5] = {};
    char animRookPiece = ' ';
    char animPassedSquare[3] = {};
    char animPassedPiece = ' ';

    Sprite piecesSprite;
    Sprite fontSprite;
    Sprite mouseSprite;
    Sprite menuButtonsSprite;
    Sprite dialogButtonsSprite;
    Sprite backgroundSprite;  // while a dialog is open: the captured still picture
    Sprite statusSprite;
    Sprite dialogSprite;
    Sprite optionsSprite;   // the Play dialog's level and rules buttons
    Sprite takeBackSprite;  // the board screen's Undo button
    Sprite drawsSprite;     // Standard: the three draw pictures of the status panel
    Sprite ranksSprite;     // Standard: the frame's rank digits counted from White's side
    Sprite pickerSprite;    // Standard: the promotion picker's panel

    int dialog = 0;  // a DialogState
    int listTop = 0;
    // Load and Save: index of the chosen saved game, -1 for none.
    // Play: bit 1 set = White played by the computer, bit 2 set = Black.
    int selection = 0;
    int redrawBackground = 0;
    char saveName[100] = {};  // at most 27 typed characters; a picked name may be longer
    char savedGames[100][100] = {};
    int savedGameCount = 0;
    // 1 where the entry of savedGames is a PGN file, listed with its ".pgn"; the others are
    // the game's own files, listed without their ".chs".
    char savedGameIsPgn[100] = {};

    // The Play dialog opens with the choices of the last game started from it; while it is
    // open, `selection` holds the player bits and these the levels and rules being chosen.
    PlayChoices playChoices;
    int choiceWhiteLevel = LevelClassic;
    int choiceBlackLevel = LevelClassic;
    int choiceRules = RulesClassic;
    // Told the new choices whenever a game starts with choices other than the last ones, so
    // that the program can keep them for its next start; null when nothing keeps them.
    void (*keepPlayChoices)(const PlayChoices& choices) = nullptr;
    // A saved game named on the command line, opened by Init in place of the first game;
    // empty for none.
    char startupGame[4096] = {};
    uint32_t savedGamesListed = 0;  // counts ListSavedGames, which may change the names

    // The program clock as this pass's Update read it while a timed element was on the
    // screen: what those elements show.
    uint32_t frameClockMs = 0;

    ChessApp();
    ~ChessApp();
    ChessApp(const ChessApp&) = delete;
    ChessApp& operator=(const ChessApp&) = delete;

    void OnDeactivate(int flag) override;
    int WantsQuit() override;
    void Render() override;
    void Update(const InputSnapshot& input) override;
    void Shutdown() override;
    int Init(platform::WindowHandle window) override;

    // Opens startupGame; when it cannot be opened, says why in a message box and leaves
    // the game as it was. 1 when the game was opened.
    int OpenStartupGame();
    // What the next Render reads; equal inputs draw an equal picture (render_inputs.h).
    RenderInputs TakeRenderInputs() const;
    // Something on the screen changes in every frame: a glide, or the computer thinking.
    bool KeepsChanging() const;
    // When (on the program clock) a timed element next changes by itself; false: none is
    // on the screen.
    bool NextTimedChange(uint32_t* atMs) const;

    // Board screen.
    void ApplyQuitKey(int code);
    void StepBoardScreen(int elapsedMs);
    void HandleBoardPress();
    void StartAnimation();
    void HandleSideMenu();
    void DrawBoard();
    // Takes moves back to the last human turn, unless a dialog is open or a piece glides.
    void TakeBackMove();
    void HandleTakeBackButton();
    // Standard: while a human's promotion waits, a press on one of the picker's pieces
    // chooses it and any other press gives the promotion up. True when it took the press.
    bool HandlePromotionPicker();
    bool PickerShown() const;

    // Dialogs.
    void OpenDialog(int kind);
    void CloseDialog();
    void RebuildBackground();
    void RunDialog();
    void EditSaveName(int code, const unsigned char* keyStates);
    void ListSavedGames();
    // Loads entry `index` of savedGames; a PGN file that cannot be read is refused in a
    // message box saying which line is wrong, and the game stays as it was.
    // 1 when the game is on the board; otherwise the player has been told why.
    int LoadListedGame(int index);
    // Saves under `name`: a Classic game as name.chs, a Standard one as name.pgn.
    void SaveNamedGame(const char* name);

    // Mouse events of the current frame.
    int IsPress() const { return buttonDown == 1 && buttonWasDown == 0; }
    int IsRelease() const { return buttonDown == 0 && buttonWasDown == 1; }

  private:
    void DrawHighlights();
    void DrawPieces();
    void DrawGlidingPiece();
    void DrawStatusPanel();
    void DrawSideMenu();
    void DrawTooltip();
    void DrawTakeBackButton();
    void DrawRankDigits();
    void DrawPromotionPicker();
    int StandardStatusRow(int* fromDrawSheet);
    void DrawPiece(char letter, int x, int y);

    // Adds the files matching pattern to the list; times and reported keep each listed
    // name's time of writing and the order it was found in, across both searches.
    void AddSavedGames(const char* pattern, int pgn, int64_t* times, uint64_t* reported,
                       uint64_t& nextReport);
    void RunQuitDialog();
    void RunPlayDialog();
    void RunLoadDialog();
    void RunSaveDialog();
    void ScrollList(int upState, int downState, int rowsShown);
    void PickFromList(const SavedGameList& list, int copyIntoName);
    void DrawThumb(const SavedGameList& list);
    void DrawSavedGameList(const SavedGameList& list);
    void DrawNameField();
    void MatchSaveName();

    int ButtonStateOf(const DialogButton& button) const;
    int IsClicked(const DialogButton& button) const;
    void DrawButton(const DialogButton& button, int state);
    void DrawOptionButton(const DialogButton& button, int state);
};

// The character a key types with Shift held: letters in upper case, the number row and
// the punctuation keys their shifted signs; any other code unchanged.
char ShiftChar(int code);
