#include "Beifene.h"

Beifene::Beifene()
    : ReceptionForm(QStringLiteral("Beifene"), {QStringLiteral("接收上报数据"), QStringLiteral("xmsb"), &applicationReception()})
{
}
