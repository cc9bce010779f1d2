#include "AppFolder.h"

#include <QCoreApplication>

namespace {
QString g_override;
}

QString appFolder()
{
    if (!g_override.isEmpty())
        return g_override;
    return QCoreApplication::applicationDirPath();
}

void setAppFolder(const QString& folder) { g_override = folder; }
