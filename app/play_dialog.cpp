#include "app/chess_app.h"

namespace {

constexpr int kWhiteComputerBit = 1;
constexpr int kBlackComputerBit = 2;

DialogButton PlayerButton(DialogButton button, int playedByComputer) {
    button.sourceX = playedByComputer ? kAiImage : kHumanImage;
    return button;
}

DialogButton LevelButton(DialogButton button, int level) {
    button.sourceX = kLevelImageWidth * level;
    return button;
}

DialogButton RulesButton(int rules) {
    DialogButton button = kRulesButton;
    button.sourceX = kRulesImage + kRulesImageWidth * rules;
    return button;
}

// A click on a level goes on to the next one, from Master back to Classic.
int NextLevel(int level) {
    return (level + 1) % kPlayLevelCount;
}

}  // namespace

void ChessApp::RunPlayDialog() {
    const int playState = ButtonStateOf(kPlayButton);
    const int cancelState = ButtonStateOf(kPlayCancelButton);
    const int whiteState = ButtonStateOf(kWhitePlayerButton);
    const int blackState = ButtonStateOf(kBlackPlayerButton);
    const int whiteLevelState = ButtonStateOf(kWhiteLevelButton);
    const int blackLevelState = ButtonStateOf(kBlackLevelButton);
    const int rulesState = ButtonStateOf(kRulesButton);

    if (IsClicked(kPlayButton)) {
        animating = 0;
        game.StartGame(selection & kWhiteComputerBit, selection & kBlackComputerBit, choiceRules,
                       choiceWhiteLevel, choiceBlackLevel);
        PlayChoices chosen;
        chosen.computerBits = selection & (kWhiteComputerBit | kBlackComputerBit);
        chosen.whiteLevel = choiceWhiteLevel;
        chosen.blackLevel = choiceBlackLevel;
        chosen.rules = choiceRules;
        if (!(chosen == playChoices)) {
            playChoices = chosen;
            if (keepPlayChoices != nullptr) keepPlayChoices(playChoices);
        }
        CloseDialog();
    }
    if (IsClicked(kPlayCancelButton)) CloseDialog();
    if (IsClicked(kWhitePlayerButton)) selection ^= kWhiteComputerBit;
    if (IsClicked(kBlackPlayerButton)) selection ^= kBlackComputerBit;
    // A level is offered only for a side the computer plays.
    const int whiteComputer = selection & kWhiteComputerBit;
    const int blackComputer = selection & kBlackComputerBit;
    if (whiteComputer && IsClicked(kWhiteLevelButton)) {
        choiceWhiteLevel = NextLevel(choiceWhiteLevel);
    }
    if (blackComputer && IsClicked(kBlackLevelButton)) {
        choiceBlackLevel = NextLevel(choiceBlackLevel);
    }
    if (IsClicked(kRulesButton))
        choiceRules = choiceRules == RulesClassic ? RulesStandard : RulesClassic;

    DrawButton(kPlayButton, playState);
    DrawButton(kPlayCancelButton, cancelState);
    DrawButton(PlayerButton(kWhitePlayerButton, whiteComputer), whiteState);
    DrawButton(PlayerButton(kBlackPlayerButton, blackComputer), blackState);
    if (whiteComputer) {
        DrawOptionButton(LevelButton(kWhiteLevelButton, choiceWhiteLevel), whiteLevelState);
    }
    if (blackComputer) {
        DrawOptionButton(LevelButton(kBlackLevelButton, choiceBlackLevel), blackLevelState);
    }
    DrawOptionButton(RulesButton(choiceRules), rulesState);
}
