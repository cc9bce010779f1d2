#include "ModVar.h"

std::int16_t gCategory = 0;
QString gAppUnitName;
QString gDbPath;
DbConnection* gWorkspace = nullptr;
QVector<std::int16_t> gExportFlags;
QVector<std::int16_t> gImportFlags;
int gRowIndex = 0;
int gCheckedCount = 0;
QString gExportFile;
QString gExportTable;

void EditCut() {}
void EditCopy() {}
void EditPaste() {}

QString CategoryText(int category)
{
    switch (category) {
    case 1: return QStringLiteral("A.人文、社会科学专项");
    case 2: return QStringLiteral("B.自然科学专项");
    case 3: return QStringLiteral("C.产业化培育项目");
    default: return QString();
    }
}
