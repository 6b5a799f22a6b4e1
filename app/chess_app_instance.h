#pragma once

#include "app/chess_app.h"

// The program's one application object, constructed before the entry runs.
extern ChessApp chessApp;
