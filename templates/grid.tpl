# The research summary as a grid of 20 by 10 characters, one character to a cell. The
# caret comes down from the page start into the ninth (humanities) or tenth
# (sciences) cell of the first row and goes back to the first; the label column's
# lower cells are where each new grid row begins.
ROW h=420
C 706 center vstart: 内容摘要
C*20 380:
ROW*9 h=420
C 706 vcont:
C*20 380:
