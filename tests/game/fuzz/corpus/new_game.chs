Kestrion SaveGame file
Written by the Kestrion chess game

WhoseTurn = White
WhiteType = Human
BlackType = Computer

BoardRow1 = rnbqkbnr
BoardRow2 = pppppppp
BoardRow3 = ........
BoardRow4 = ........
BoardRow5 = ........
BoardRow6 = ........
BoardRow7 = PPPPPPPP
BoardRow8 = RNBQKBNR