#include "app/chess_app.h"

#include "app/dialog_state.h"
#include "app/program_clock.h"
#include "display/tint.h"

// The game member opens with White human against Black computer (its own constructor);
// the sprites follow without surfaces, in field order; nothing is selected or animated.
ChessApp::ChessApp() = default;

// Members go in reverse order: the sprites (each releasing a surface it still holds) from
// the dialog sheet back to the pieces, then the game.
ChessApp::~ChessApp() = default;

void ChessApp::OnDeactivate(int) {}

int ChessApp::WantsQuit() {
    return quitRequested;
}

int ChessApp::Init(platform::WindowHandle appWindow) {
    quitRequested = 0;
    dialog = DialogNone;
    redrawBackground = 0;
    window = appWindow;
    tintDirectDraw = directDraw;

    // Each sheet with the size of the game's own picture, which the screens are drawn from.
    struct SheetToLoad {
        Sprite* sprite;
        const char* bitmap;
        int keyed;
        int width;
        int height;
    };
    const SheetToLoad sheets[] = {
        {&fontSprite, "font8.bmp", 1, 128, 128},
        {&backgroundSprite, "back.bmp", 0, 640, 480},
        {&piecesSprite, "pieces.bmp", 1, 240, 160},
        {&mouseSprite, "mouse.bmp", 1, 32, 32},
        {&dialogButtonsSprite, "smlbns.bmp", 1, 570, 75},
        {&menuButtonsSprite, "bigbns.bmp", 1, 320, 120},
        {&statusSprite, "status.bmp", 1, 300, 200},
        {&optionsSprite, "options.bmp", 1, 530, 75},
        {&takeBackSprite, "takeback.bmp", 1, 80, 120},
        {&drawsSprite, "draws.bmp", 1, 300, 40},
        {&ranksSprite, "ranks.bmp", 0, 36, 400},
        {&pickerSprite, "picker.bmp", 1, 220, 108},
    };
    for (const SheetToLoad& sheet : sheets) {
        sheet.sprite->directDraw = directDraw;
        sheet.sprite->defaultTarget = backBuffer;
        sheet.sprite->sheetWidth = sheet.width;
        sheet.sprite->sheetHeight = sheet.height;
        sheet.sprite->Load(sheet.bitmap);
        if (sheet.keyed) sheet.sprite->SetColorKey(1);
    }
    // The dialog sheets (320x240, the Play dialog's wider) are loaded when a dialog opens.
    dialogSprite.directDraw = directDraw;
    dialogSprite.defaultTarget = backBuffer;
    dialogSprite.sheetHeight = 240;

    // Until the player starts a game, the computer plays itself.
    game.NewGame(Computer, Computer);
    if (startupGame[0] != '\0') OpenStartupGame();
    return 1;
}

void ChessApp::Shutdown() {
    piecesSprite.Release();
    backgroundSprite.Release();
    mouseSprite.Release();
    fontSprite.Release();
    menuButtonsSprite.Release();
    dialogButtonsSprite.Release();
    statusSprite.Release();
    dialogSprite.Release();
    optionsSprite.Release();
    takeBackSprite.Release();
    drawsSprite.Release();
    ranksSprite.Release();
    pickerSprite.Release();
}

void ChessApp::Update(const InputSnapshot& input) {
    for (int i = 0; i < 256 && input.typedKeys[i] != 0; ++i) {
        const int code = static_cast<unsigned char>(input.typedKeys[i]);
        ApplyQuitKey(code);
        if (dialog == DialogSave) EditSaveName(code, input.keyStates);
        if (dialog == DialogNone && code == platform::VK_BACK) TakeBackMove();
    }

    buttonWasDown = buttonDown;
    mouseX = input.cursorX;
    buttonDown = input.buttonDown;
    mouseY = input.cursorY;

    // While a dialog is open the game stands still.
    if (dialog == DialogNone) {
        StepBoardScreen(input.elapsedMs);
        HandleSideMenu();
        HandleTakeBackButton();
    }
    // Read once, after the menu may have opened the dialog, so that the choice to draw this
    // pass and the drawing itself see the same blink; only the Save dialog shows the time.
    if (dialog == DialogSave) frameClockMs = MillisecondsSinceStart();
}

void ChessApp::Render() {
    if (redrawBackground == 1) {
        RebuildBackground();
        redrawBackground = 0;
    }
    backgroundSprite.Draw(0, 0, 0, 0, 640, 480);
    if (dialog == DialogNone) DrawBoard();
    RunDialog();
    // The pointer's top-left pixel is its hot spot.
    mouseSprite.Draw(mouseX, mouseY, 0, 0, 32, 32);
}
