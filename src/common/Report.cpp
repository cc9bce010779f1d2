#include "Report.h"

// Stand-in until the report layer lands.
ReportControl::ReportControl(QObject* parent, const QString& name)
    : QObject(parent)
{
    setObjectName(name);
}

ReportControl::~ReportControl() = default;

bool ReportControl::PrintReport() { return false; }
