#pragma once

// Everything Render reads (and the state its dialogs may change), gathered after Update in
// every pass of the frame loop. Render draws the same picture, and changes nothing, for
// equal inputs, so a pass whose inputs equal those of the last drawn frame is not drawn:
// the screen already shows it (see still_frames.h).
//
// A new screen element takes part in three steps:
//  1. every field it draws from goes in here and is filled in ChessApp::TakeRenderInputs
//     (render_inputs.cpp); a value that depends on time goes in as the phase the picture
//     shows (as the name cursor's blink does), read from frameClockMs, never from a clock
//     of its own inside Render;
//  2. if it changes on its own at a known moment (a blink, a message that goes after a
//     while), ChessApp::NextTimedChange tells when, so the waiting loop wakes for it;
//  3. if it changes in every frame while it runs (a glide, a search spread over frames),
//     ChessApp::KeepsChanging answers true meanwhile.
// The check mode of the frame loop (KESTRION_STILL_CHECK) draws every skipped frame anyway
// and compares it with the one on the screen; the still-frame tests run it, so a field left
// out shows up there as a difference.

#include <cstdint>

struct RenderInputs {
    // The game as the board shows it: pieces, turn, players, the controller's last answer
    // and the selected square with its legal targets.
    signed char squares[64];
    int whoseTurn;
    int whiteKind;
    int blackKind;
    int stepResult;
    int selectedFile;
    int selectedRank;
    // Standard games: the rules, the computer's levels, a promotion waiting for the picker,
    // the status the panel shows, and whether the Undo button shows.
    int rules;
    int whiteLevel;
    int blackLevel;
    int promotionFrom;
    int promotionTo;
    int standardStatus;
    int canTakeBack;

    // The gliding piece.
    int animating;
    int animElapsed;
    int animDuration;
    char animMove[5];
    char animMovedPiece;
    char animCapturedPiece;
    char animRookMove[5];
    char animRookPiece;
    char animPassedSquare[3];
    char animPassedPiece;

    // The pointer, with the button of the frame before: presses and releases are edges.
    int mouseX;
    int mouseY;
    int buttonDown;
    int buttonWasDown;

    // The open dialog, its list and its name field.
    int dialog;
    int redrawBackground;
    int quitRequested;
    int listTop;
    int selection;
    int choiceWhiteLevel;
    int choiceBlackLevel;
    int choiceRules;
    int savedGameCount;
    uint32_t savedGamesListed;  // how many times the list was read from the folder
    char saveName[100];
    int nameCursorShown;

    bool operator==(const RenderInputs&) const = default;
};
