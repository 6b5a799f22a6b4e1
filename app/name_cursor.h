#pragma once

#include <cstdint>

// The Save dialog's text cursor blinks on the program clock: hidden for 250 ms, shown for
// 250 ms, hidden from the start.
inline constexpr uint32_t kNameCursorPhaseMs = 250;

inline bool NameCursorShown(uint32_t clockMs) {
    return (clockMs / kNameCursorPhaseMs) % 2 == 1;
}

// The program-clock time at which the cursor next appears or goes.
inline uint32_t NextNameCursorChange(uint32_t clockMs) {
    return (clockMs / kNameCursorPhaseMs + 1) * kNameCursorPhaseMs;
}
