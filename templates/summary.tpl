# The summary list: the unit two lines down, the category beside it, then one cell on
# (the header's first) and one line down the first of twelve rows of eight cells.
#
# One landscape page holds the title, the table and the closing line: every row has a
# fixed height and never splits, and a list row holds the longest texts its boxes take
# (25 characters of project name and ten of subject and of leader on two lines, the
# start and end on one, amounts such as 123.45). The rows above the list repeat should
# the table ever run onto another page.
PAGE landscape
P center bold size=36 line=480 after=120: Oskavelvero科研计划项目申报一览表
TABLE
ROW h=400 exact cantsplit header
C 6600 bold line=320: 申报单位（盖章）
C 7358 bold line=320: 项目类别
ROW h=400 exact cantsplit header
C 6600 line=320:
C 7358 line=320:
ROW h=560 exact cantsplit header
C 600 center bold size=21 line=260: 序号
C 1300 center bold size=21 line=260: 学科
C 4000 center bold size=21 line=260: 项目名称
C 1300 center bold size=21 line=260: 负责人
C 3300 center bold size=21 line=260: 起止年月
C 1100 center bold size=21 line=260: 申请金额(万元)
C 1100 center bold size=21 line=260: 建议金额(万元)
C 1258 center bold size=21 line=260: 备注
ROW*12 h=560 exact cantsplit
C 600 center size=21 line=260:
C 1300 size=21 line=260:
C 4000 size=21 line=260:
C 1300 size=21 line=260:
C 3300 center size=21 line=260:
C 1100 center size=21 line=260:
C 1100 center size=21 line=260:
C 1258 size=21 line=260:
END
# The closing line takes next to no room, so that it never starts a page of its own.
P size=2 line=40:
