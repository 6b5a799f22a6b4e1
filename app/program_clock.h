#pragma once

#include <cstdint>

// The tick count when the program started; the entry sets it first thing.
extern uint32_t programStartTick;

// Milliseconds since the program started, from the platform tick count (wrap-safe).
uint32_t MillisecondsSinceStart();
