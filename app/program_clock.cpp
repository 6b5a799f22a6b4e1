#include "app/program_clock.h"

#include "display/platform.h"

uint32_t programStartTick = 0;

uint32_t MillisecondsSinceStart() {
    return platform::Sys().GetTickCount() - programStartTick;
}
