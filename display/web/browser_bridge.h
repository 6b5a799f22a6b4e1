#pragma once

// The page's side of the web System: the few things only JavaScript can do, each a small
// function written in the page's own language (browser_bridge.cpp). Those marked "waits"
// give the browser its turn (the program is built with Asyncify) and come back later.
// Everything else of the web System is plain C++, so tests give it a bridge of their own.

#include <cstddef>
#include <cstdint>
#include <string>

namespace web {

// Milliseconds since the page began, with fractions.
double PageClockMs();

// Shows a 640x480 picture of RGBA bytes on the page's canvas.
void PresentRgba(const uint8_t* rgba, int width, int height);
// Waits: until the browser paints its next frame (at most a tenth of a second).
void WaitForPaint();
// Waits: until WakeFromInput is called.
void WaitForInput();
// Waits: until WakeFromInput is called (true) or `milliseconds` have passed (false);
// 0xFFFFFFFF waits without a limit.
bool WaitForInputTimeout(uint32_t milliseconds);
// Ends a WaitForInput or WaitForInputTimeout; harmless when nothing waits.
void WakeFromInput();

// The picture pixel under a page position; positions beside the picture are held to its
// nearest edge pixel.
void PagePointToPicture(double clientX, double clientY, int* x, int* y);

// Hides the browser's pointer over the picture (the game draws its own) or shows it.
void SetPagePointerHidden(bool hidden);
// Full screen on when off, off when on. Must run inside a user's key or click event.
void TogglePageFullscreen();
// True while the page is visible and has the keyboard.
bool PageActive();

// Waits: a page dialog with the text and an OK button, until the player closes it.
void ShowPageMessage(const char* caption, const char* text);
// The calm screen after the game ended, with a button to play again.
void ShowEndScreen(int exitCode);

// Tells the page whether the Save dialog is open, the name in its field, and the picture
// point of its Save button (which the page's own name field presses on Enter).
void TellSaveDialog(bool open, const char* name, int saveX, int saveY);

// The Play dialog's remembered choices, as the text the page keeps in the browser's storage
// (read before the program started): empty when there is none, or none that fits.
std::string RememberedPlayText();
// Keeps the text for the next visit; a storage that cannot keep it costs only the defaults.
void KeepPlayText(const std::string& text);

// Starts decoding file bytes that never move (the built-in sheets) without waiting, so that
// the browser decodes them all at once; DecodeImage on the same bytes then takes the result.
// Bytes already begun are not begun again.
void BeginDecoding(const void* data, size_t size);

// Waits: decodes bitmap file bytes with the browser's image decoder. True with the size
// when it could; the colours are then fetched with TakeDecodedRgba.
bool DecodeImage(const void* data, size_t size, int* width, int* height);
// The last decoded picture as RGBA bytes, width x height x 4 of them, into out.
void TakeDecodedRgba(uint8_t* out);

}  // namespace web
