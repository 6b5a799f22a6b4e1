#pragma once

#include <cstdint>

// The computer player's random numbers come from this one process-wide generator instead of
// the C library's rand, whose range and sequence differ between C libraries: with the
// constants of the Windows C runtime's generator, a seed names one sequence of draws, and so
// one game, on every compiler and platform.

// Sets the generator's 32-bit state to seed; the draws that follow depend on nothing else.
void SeedRandom(std::uint32_t seed);

// The next number, 0 to 32767.
int DrawRandom();
