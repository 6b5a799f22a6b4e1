#pragma once

// Small sheets of known colours that stand in for the game's artwork in the tests, so that
// every pixel a test looks at can be worked out. All colour channels are multiples of 8,
// which the 16-bit display keeps exactly.

#include <cstdint>

#include "display/testing/fake_system.h"

namespace apptest {

inline constexpr uint32_t kBackgroundColour = 0x808080;
inline constexpr uint32_t kPiecesKey = 0xF8F800;
inline constexpr uint32_t kPointerColour = 0xF8F8F8;
inline constexpr uint32_t kGlyphColour = 0xC0C0C0;

// Colour of the piece image in column `column` (K Q B N R P) and row 0 White, 1 Black.
uint32_t PieceColour(int column, int blackRow);
// Colour of the status image at source (100 * column, 40 * row).
uint32_t StatusColour(int column, int row);
// Colour of side-menu button `button` (0 Quit ... 3 Load) in ButtonState `state`.
uint32_t MenuColour(int button, int state);
// Colour of the dialog-button image at source x `sourceX` in ButtonState `state`.
uint32_t DialogButtonColour(int sourceX, int state);
// Colour of the options-sheet image at source x `sourceX` in ButtonState `state`.
uint32_t OptionColour(int sourceX, int state);
// Colour of the Undo button in ButtonState `state`.
uint32_t TakeBackColour(int state);
// Colour of the draw picture in column `column` (fifty moves, repetition, material).
uint32_t DrawColour(int column);
// Colours of the Standard rank strips (left, right) and of the promotion picker's panel.
inline constexpr uint32_t kRankStripColour = 0x304050;
inline constexpr uint32_t kPickerColour = 0x506070;
// Colour of the banner across the top of a dialog sheet (DialogQuit ... DialogLoad).
uint32_t DialogBannerColour(int dialog);

// Registers every sheet as the program's embedded bitmaps.
void RegisterTestSheets(platform::FakeSystem& fake);

// The 5-6-5 value of a colour, and of that colour tinted by the given deltas.
uint16_t To565(uint32_t rgb);
uint16_t Tinted565(uint32_t rgb, int red, int green, int blue);

}  // namespace apptest
