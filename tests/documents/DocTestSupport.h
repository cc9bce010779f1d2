#pragma once
// What the document tests share: the templates of the build copied into a test's
// application folder, records as maps of xmsb columns, and the search for a cell by
// its label in a document's text model.

#include "TestSupport.h"
#include "documents/DocScripts.h"

#include <QDir>
#include <QFile>
#include <QVariantMap>

inline void CopyTemplates(const AppFixture& fx)
{
    const QDir from(QStringLiteral(KYJH_APP_DIR "/rpt"));
    QDir().mkpath(fx.folder() + QStringLiteral("/rpt"));
    for (const QString& name : from.entryList(QDir::Files))
        QFile::copy(from.filePath(name), fx.folder() + QStringLiteral("/rpt/") + name);
}

inline docs::Record RecordOf(const QVariantMap& values)
{
    return [values](const QString& column) { return values.value(column); };
}

// A place in a text model: line and cell (0 for a paragraph).
struct Place {
    int line = -1;
    int cell = 0;
};

// The occurrence-th (from 0) cell or paragraph whose text is anchor, then steps cells
// on in reading order (rows one after another).
inline Place FindPlace(const QList<QStringList>& model, const QString& anchor, int steps = 0, int occurrence = 0)
{
    for (int l = 0; l < model.size(); ++l)
        for (int c = 0; c < model[l].size(); ++c)
            if (model[l][c] == anchor && occurrence-- == 0) {
                Place p{l, c};
                for (int s = 0; s < steps; ++s) {
                    if (++p.cell >= model[p.line].size()) {
                        ++p.line;
                        p.cell = 0;
                    }
                }
                return p;
            }
    return Place{};
}
