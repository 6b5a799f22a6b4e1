// The Play dialog's levels and rules: which buttons it shows, how clicks change them, and
// that a started game's choices are kept and offered again.

#include <vector>

#include "app/button_state.h"
#include "app/dialog_button.h"
#include "app/dialog_state.h"
#include "display/testing/bmp_writer.h"
#include "tests/app/app_fixture.h"

namespace apptest {
namespace {

constexpr int kPlayMenu = 80;
const uint16_t kBare = To565(kBackgroundColour);

std::vector<PlayChoices> keptChoices;
void KeepChoices(const PlayChoices& choices) {
    keptChoices.push_back(choices);
}

class PlayChoicesTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        keptChoices.clear();
        app->keepPlayChoices = KeepChoices;
        StartGame(Computer, Computer);
    }
    void ClickButton(const DialogButton& button) {
        Click(button.x + button.width / 2, button.y + kDialogButtonHeight / 2);
    }
    uint16_t ButtonPixel(const DialogButton& button) {
        return Pixel(button.x + button.width / 2, button.y + kDialogButtonHeight / 2);
    }
    uint16_t Level(int level, int state = Normal) {
        return To565(OptionColour(kLevelImageWidth * level, state));
    }
    uint16_t Rules(int rules, int state = Normal) {
        return To565(OptionColour(kRulesImage + kRulesImageWidth * rules, state));
    }
};

TEST_F(PlayChoicesTest, LevelsShowOnlyForComputerSidesAndCycleThroughAllFive) {
    Click(50, kPlayMenu);
    ASSERT_EQ(app->dialog, DialogPlay);
    // White human: no level beside it; Black computer: the Classic player; Classic rules.
    EXPECT_EQ(ButtonPixel(kWhiteLevelButton), kBare);
    EXPECT_EQ(ButtonPixel(kBlackLevelButton), Level(LevelClassic));
    EXPECT_EQ(ButtonPixel(kRulesButton), Rules(RulesClassic));

    ClickButton(kWhiteLevelButton);  // nothing there for a human side
    EXPECT_EQ(app->choiceWhiteLevel, LevelClassic);

    const int expected[] = {LevelBeginner, LevelCasual, LevelClub, LevelMaster, LevelClassic};
    for (int level : expected) {
        ClickButton(kBlackLevelButton);
        EXPECT_EQ(app->choiceBlackLevel, level);
        EXPECT_EQ(ButtonPixel(kBlackLevelButton), Level(level, Hover));
    }
    ClickButton(kBlackLevelButton);
    ClickButton(kBlackLevelButton);
    ClickButton(kBlackLevelButton);  // Club

    ClickButton(kWhitePlayerButton);  // White now played by the computer: its level appears
    EXPECT_EQ(ButtonPixel(kWhiteLevelButton), Level(LevelClassic));
    ClickButton(kWhiteLevelButton);
    EXPECT_EQ(app->choiceWhiteLevel, LevelBeginner);
    ClickButton(kBlackPlayerButton);  // Black human: its level is hidden, and kept
    EXPECT_EQ(ButtonPixel(kBlackLevelButton), kBare);
    ClickButton(kBlackLevelButton);
    EXPECT_EQ(app->choiceBlackLevel, LevelClub);

    ClickButton(kRulesButton);
    EXPECT_EQ(app->choiceRules, RulesStandard);
    EXPECT_EQ(ButtonPixel(kRulesButton), Rules(RulesStandard, Hover));
    ClickButton(kRulesButton);
    EXPECT_EQ(app->choiceRules, RulesClassic);
}

TEST_F(PlayChoicesTest, PlayKeepsNewChoicesAndTheDialogOffersThemAgain) {
    Click(50, kPlayMenu);
    ClickButton(kPlayButton);  // the defaults again: nothing new to keep
    EXPECT_TRUE(keptChoices.empty());
    EXPECT_EQ(app->playChoices, PlayChoices{});

    Click(50, kPlayMenu);
    ClickButton(kWhitePlayerButton);
    ClickButton(kWhiteLevelButton);
    ClickButton(kWhiteLevelButton);  // Casual
    ClickButton(kBlackLevelButton);  // Beginner
    ClickButton(kRulesButton);
    ClickButton(kPlayButton);
    ASSERT_EQ(keptChoices.size(), 1u);
    const PlayChoices played{3, LevelCasual, LevelBeginner, RulesStandard};
    EXPECT_EQ(keptChoices[0], played);
    EXPECT_EQ(app->playChoices, played);
    EXPECT_NE(app->game.whiteKind, Human);
    EXPECT_NE(app->game.blackKind, Human);

    // Offered again; a change given up with Cancel is neither kept nor offered.
    Click(50, kPlayMenu);
    EXPECT_EQ(app->selection, 3);
    EXPECT_EQ(ButtonPixel(kWhiteLevelButton), Level(LevelCasual));
    EXPECT_EQ(ButtonPixel(kBlackLevelButton), Level(LevelBeginner));
    EXPECT_EQ(ButtonPixel(kRulesButton), Rules(RulesStandard));
    ClickButton(kRulesButton);
    ClickButton(kBlackPlayerButton);
    ClickButton(kPlayCancelButton);
    EXPECT_EQ(keptChoices.size(), 1u);
    Click(50, kPlayMenu);
    EXPECT_EQ(app->selection, 3);
    EXPECT_EQ(app->choiceRules, RulesStandard);
    ClickButton(kPlayButton);
    EXPECT_EQ(keptChoices.size(), 1u);
}

TEST_F(PlayChoicesTest, AWiderPlaySheetDarkensTheBoardUnderAllOfIt) {
    platform::BmpPicture wide = platform::SolidPicture(372, 240, 0);
    fake.AddEmbeddedBitmap("dlgplay.bmp", platform::EncodeBmp(wide, platform::BmpEncoding::Bits24));
    Click(50, kPlayMenu);
    const uint16_t dimmed = Tinted565(kBackgroundColour, -15, -15, -15);
    EXPECT_EQ(Pixel(160 + 371, 130), dimmed);
    EXPECT_EQ(Pixel(160 + 372, 130), kBare);
    ClickButton(kPlayCancelButton);
    Click(50, 40);  // the Quit dialog keeps its own width
    EXPECT_EQ(Pixel(160 + 319, 130), dimmed);
    EXPECT_EQ(Pixel(160 + 320, 130), kBare);
}

}  // namespace
}  // namespace apptest
