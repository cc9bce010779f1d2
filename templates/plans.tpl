# Expected results and the three plan years. The year is typed at the end of the
# label cell, the plan after the indent of the cell beside it.
ROW h=1800
C 1406 center: 预期研究成果
C 6900:
ROW h=900
C 1406: 第一年度：
C 6900: 　
ROW h=900
C 1406: 第二年度：
C 6900: 　
ROW h=900
C 1406: 第三年度：
C 6900: 　
