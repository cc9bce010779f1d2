# Rows of the project and leader table from the research institute on: the leader,
# the counts and the eight member rows. Every value cell is reached by cell moves in
# reading order, so the cells between two values are the ones the script skips.
ROW h=500
C 1400 center: 专职研究机构
C 6906:
ROW h=500
C 700 center vstart: 负责人
C 700 center: 姓名
C 1800:
C 1400 center: 性别
C 900:
C 1400 center: 出生年月
C 1406:
ROW h=500
C 700 vcont:
C 700 center: 学位
C 1800:
C 1400 center: 学位时间
C 900:
C 1400 center: 硕博导
C 1406:
ROW h=500
C 700 vcont:
C 700 center: 职称
C 900:
C 1800:
C 1400 center: 定职时间
C 2806:
ROW h=500
C 700 vcont:
C 700 center: 研究方向
C 1500:
C 1000 center: 电话
C 1500:
C 1000 center: 系所
C 1906:
ROW h=500
C 1038 center: 总人数
C 1038 center: 高级
C 1038 center: 中级
C 1038 center: 初级
C 1038 center: 博士后
C 1038 center: 博士生
C 1038 center: 硕士生
C 1040 center: 参加单位数
ROW h=500
C*7 1038:
C 1040:
ROW h=500
C 600 center bold: 序号
C 1100 center bold: 姓名
C 600 center bold: 年龄
C 1300 center bold: 技术职务
C 800 center bold: 学位
C 1600 center bold: 所在单位
C 1400 center bold: 项目分工
C 906 center bold: 签字
ROW h=500
C 600 center: 1
C 1100:
C 600:
C 1300:
C 800:
C 1600:
C 1400:
C 906:
ROW h=500
C 600 center: 2
C 1100:
C 600:
C 1300:
C 800:
C 1600:
C 1400:
C 906:
ROW h=500
C 600 center: 3
C 1100:
C 600:
C 1300:
C 800:
C 1600:
C 1400:
C 906:
ROW h=500
C 600 center: 4
C 1100:
C 600:
C 1300:
C 800:
C 1600:
C 1400:
C 906:
ROW h=500
C 600 center: 5
C 1100:
C 600:
C 1300:
C 800:
C 1600:
C 1400:
C 906:
ROW h=500
C 600 center: 6
C 1100:
C 600:
C 1300:
C 800:
C 1600:
C 1400:
C 906:
ROW h=500
C 600 center: 7
C 1100:
C 600:
C 1300:
C 800:
C 1600:
C 1400:
C 906:
ROW h=500
C 600 center: 8
C 1100:
C 600:
C 1300:
C 800:
C 1600:
C 1400:
C 906:
