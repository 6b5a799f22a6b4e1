#pragma once

// What the command line and the settings hand the one application object before it starts:
// the saved game to open and the Play dialog's remembered choices, which are kept again
// whenever a game starts with new ones. Shared by the desktop and Windows entry points.

#include "app/launch/launch.h"

void ApplyLaunchPlan(const launch::LaunchPlan& plan);
