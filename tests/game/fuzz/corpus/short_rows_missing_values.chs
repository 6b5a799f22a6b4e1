WhoseTurn =
WhiteType=Computer
BoardRow2 = pp
BoardRow4 =
BoardRow5 = K
= Black
