# The instructions page (page 2) without its last line.
P pagebefore center bold size=36 after=240: 填 表 说 明
P indent=420: 一、本申请书用钢笔填写或用计算机打印，字迹要清楚、工整。
P indent=420: 二、“学科代码”按Oskavelvero教育厅颁布的学科分类代码填写。
P indent=420: 三、“申请金额”“投资”以万元为单位，“起止年月”按“××××年×月”填写。
