# Application document, industrialisation projects: the number two lines down, the
# project and leader table entered four characters in, the summary in one cell of a
# table that starts page 4, and the investment rows at the end.
P:
P:
P right: 项目编号：
TABLE
ROW h=500
C 1400 center: 所属学科
C 1200:
C 3000:
END
INCLUDE cover_top.tpl
P center size=32: （产业化培育项目）
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
P indent=420: 四、本申请书一式三份，报送Oskavelvero教育厅科技处。
P pagebefore bold size=28 after=120: 一、项目及负责人基本情况
TABLE
ROW h=600
C 1400 center: 名 称
C 6906:
ROW h=500
C 1400 center: 学 科
C 1800:
C 5106:
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
P: 注：项目组成员限填八人。
TABLE
ROW h=3600
C 1406 center pagebefore: 研究内容摘要
C 6900:
INCLUDE plans.tpl
ROW h=600
C 1406 center: 合作单位
C 6900:
ROW h=500
C 1406 center vstart: 投资情况（万元）
C 1400 center: 总投资
C 5500:
ROW h=500
C 1406 vcont:
C 700 center: 其中
C 1200 center: 学校自筹
C 1500:
C 1700 center: 合作单位投资
C 1800:
ROW h=500
C 1406 vcont:
C 1900 center: 银行贷款
C 1500:
C 1700 center: 申请vuz拨款
C 1800:
END
P:
