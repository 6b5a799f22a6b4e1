#pragma once

// A stand-in for the page's side of the web System (display/web/browser_bridge.h): it
// records what the System asks of the page and lets a test play the page's part.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace page_double {

struct Page {
    bool active = true;
    double clockMs = 0;
    int presents = 0;
    std::vector<uint8_t> lastRgba;
    int paintWaits = 0;
    int inputWaits = 0;
    // Timed waits for input, and the limit of the last one.
    int timedInputWaits = 0;
    uint32_t lastInputTimeout = 0;
    bool woken = false;  // the System woke the page's wait for input
    // Runs while the System waits for input, as the page's events would; may be empty.
    std::function<void()> onInputWait;
    bool pointerHidden = false;
    std::vector<std::string> messages;  // "caption: text"
    int decodes = 0;
    int decodesBegun = 0;
    bool saveDialogOpen = false;
    std::string saveName;
};

// The one page of the test program, reset by each test.
Page& ThePage();
void Reset();

}  // namespace page_double
