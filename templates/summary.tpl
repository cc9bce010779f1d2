# The summary list: the unit two lines down, the category beside it, then one cell on
# (the header's first) and one line down the first of twelve rows of eight cells.
PAGE landscape
P center bold size=36 after=120: Oskavelvero科研计划项目申报一览表
TABLE
ROW h=500
C 6600 bold: 申报单位（盖章）
C 7358 bold: 项目类别
ROW h=500
C 6600:
C 7358:
ROW h=560
C 800 center bold: 序号
C 1800 center bold: 学科
C 4000 center bold: 项目名称
C 1200 center bold: 负责人
C 2600 center bold: 起止年月
C 1300 center bold: 申请金额(万元)
C 1300 center bold: 建议金额(万元)
C 958 center bold: 备注
ROW*12 h=520
C 800 center:
C 1800:
C 4000:
C 1200:
C 2600 center:
C 1300 center:
C 1300 center:
C 958:
END
P:
