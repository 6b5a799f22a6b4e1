#pragma once

// A dialog button: its top-left corner on the screen and its image in the dialog-button
// sheet (all images are 25 pixels high; the row is the ButtonState). The hit area is the
// drawn rectangle less its left column and top row.
struct DialogButton {
    int x;
    int y;
    int sourceX;
    int width;
};

inline constexpr int kDialogButtonHeight = 25;

// Images of the dialog-button sheet: source x and width.
inline constexpr int kYesImage = 0;
inline constexpr int kNoImage = 50;
inline constexpr int kCancelImage = 100;
inline constexpr int kUpArrowImage = 180;
inline constexpr int kDownArrowImage = 205;
inline constexpr int kLoadImage = 230;
inline constexpr int kSaveImage = 290;
inline constexpr int kPlayImage = 350;
inline constexpr int kHumanImage = 410;
inline constexpr int kAiImage = 490;

inline constexpr DialogButton kQuitYesButton{253, 273, kYesImage, 50};
inline constexpr DialogButton kQuitNoButton{337, 273, kNoImage, 50};
inline constexpr DialogButton kWhitePlayerButton{360, 211, kHumanImage, 80};
inline constexpr DialogButton kBlackPlayerButton{360, 241, kHumanImage, 80};
inline constexpr DialogButton kPlayButton{308, 310, kPlayImage, 60};
inline constexpr DialogButton kPlayCancelButton{378, 310, kCancelImage, 80};
inline constexpr DialogButton kLoadButton{277, 313, kLoadImage, 60};
inline constexpr DialogButton kSaveButton{277, 313, kSaveImage, 60};
inline constexpr DialogButton kListCancelButton{351, 313, kCancelImage, 80};
// The Play dialog's level of each computer side and its rules, drawn from the options
// sheet: five level images 74 wide, then the two rules images 80 wide.
inline constexpr int kLevelImageWidth = 74;
inline constexpr int kRulesImage = 5 * kLevelImageWidth;
inline constexpr int kRulesImageWidth = 80;
inline constexpr DialogButton kWhiteLevelButton{446, 211, 0, kLevelImageWidth};
inline constexpr DialogButton kBlackLevelButton{446, 241, 0, kLevelImageWidth};
inline constexpr DialogButton kRulesButton{360, 276, kRulesImage, kRulesImageWidth};

inline constexpr DialogButton kUpArrowButton{441, 189, kUpArrowImage, 25};
inline constexpr DialogButton kDownArrowButton{441, 278, kDownArrowImage, 25};
