# The middle of a cover: title lines.
P:
P:
P center bold size=44: Oskavelvero科研计划项目
P:
P center bold size=72: 申  请  书
