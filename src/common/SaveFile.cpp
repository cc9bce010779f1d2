#include "SaveFile.h"

#include <QSaveFile>

bool CommitSaveFile(QSaveFile& file)
{
    if (!file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
