#include "frmjtsjjs.h"

frmjtsjjs::frmjtsjjs()
    : ReceptionForm(QStringLiteral("frmjtsjjs"), {QStringLiteral("接收结题数据"), QStringLiteral("xmjt"), &completionReception()})
{
}
