#pragma once
#include <QString>

// Makes a new database file at dbPath from the statements of a schema script.
// An existing file is replaced. Returns an empty text, or what went wrong.
QString CreateDatabaseFromSchema(const QString& schemaPath, const QString& dbPath);
