#pragma once

// The Play dialog's choices and their remembered form (launch/play_text.h), both ways; a
// level outside the dialog's list is remembered as Classic.

#include "app/launch/play_text.h"
#include "app/play_choices.h"

PlayChoices ChoicesOf(const launch::RememberedPlay& play);

launch::RememberedPlay RememberedOf(const PlayChoices& choices);
