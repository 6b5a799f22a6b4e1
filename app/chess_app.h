#pragma once

#include "app/app_interface.h"
#include "app/dialog_button.h"
#include "app/input_snapshot.h"
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

    Sprite piecesSprite;
    Sprite fontSprite;
    Sprite mouseSprite;
    Sprite menuButtonsSprite;
    Sprite dialogButtonsSprite;
    Sprite backgroundSprite;  // while a dialog is open: the captured still picture
    Sprite statusSprite;
    Sprite dialogSprite;

    int dialog = 0;  // a DialogState
    int listTop = 0;
    // Load and Save: index of the chosen saved game, -1 for none.
    // Play: bit 1 set = White played by the computer, bit 2 set = Black.
    int selection = 0;
    int redrawBackground = 0;
    char saveName[100] = {};  // at most 27 typed characters; a picked name may be longer
    char savedGames[100][100] = {};
    int savedGameCount = 0;
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

    // Dialogs.
    void OpenDialog(int kind);
    void CloseDialog();
    void RebuildBackground();
    void RunDialog();
    void EditSaveName(int code, const unsigned char* keyStates);
    void ListSavedGames();

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
    void DrawPiece(char letter, int x, int y);

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
};

// The character a key types with Shift held: letters in upper case, the number row and
// the punctuation keys their shifted signs; any other code unchanged.
char ShiftChar(int code);
