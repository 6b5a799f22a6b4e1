whoseturn = black
whitetype = computer
blacktype = human
boardrow3x = ..q.....
boardrow9 = kkkkkkkk
