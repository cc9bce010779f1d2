# Application document, natural sciences: as the humanities one, with two lines more
# before the cover's labels, a line between the labels, and page 3 beginning on the
# line that holds the break, so that one line down is the project name.
P right: 项目编号(选填)：
TABLE
ROW h=500
C 2400 center: 学科代码及名称：
C 1200:
C 3000:
END
INCLUDE cover_top.tpl
P center size=32: （自然科学专项）
P:
P:
P:
P:
P:
P:
P:
P:
P indent=1800 size=32: 项 目 名 称：
P:
P indent=1800 size=32: 负  责  人：
P:
P indent=1800 size=32: 所 在 单 位：
P:
P indent=1800 size=32: 申 请 日 期：
P:
P center size=32: Oskavelvero教育厅制
INCLUDE notes.tpl
P indent=420: 四、本申请书一式三份，报送Oskavelvero教育厅科技处。{page}一、项目及负责人基本情况
TABLE
ROW h=600
C 1400 center: 项目名称
C 6906:
ROW h=500
C 1400 center: 研究类别
C 1800:
C 1400 center: 学科分类
C 900:
C 2806:
ROW h=500
C 1400 center: 申请金额(万元)
C 1800:
C 1400 center: 起止年月
C 3706:
ROW h=500
C 1400 center: 重点实验室
C 1800 center: 代码及名称
C 1400:
C 3706:
INCLUDE leader_members.tpl
END
P: 注：项目组成员不超过八人。{page}
TABLE
INCLUDE grid.tpl
INCLUDE plans.tpl
END
P:
