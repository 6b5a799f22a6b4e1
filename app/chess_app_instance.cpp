#include "app/chess_app_instance.h"

ChessApp chessApp;
