Kestrion SaveGame file
Written by the Kestrion chess game

WhoseTurn = Black
WhiteType = Computer
BlackType = Computer

BoardRow1 = r.bqkb.r
BoardRow2 = pppp.ppp
BoardRow3 = ..n..n..
BoardRow4 = ....p...
BoardRow5 = ....P...
BoardRow6 = ..N..N..
BoardRow7 = PPPP.PPP
BoardRow8 = R.BQKB.R