Kestrion SaveGame file
Written by the Kestrion chess game

WhoseTurn = White
WhiteType = Human
BlackType = Computer

BoardRow1 = rnbqkbnr
Boar