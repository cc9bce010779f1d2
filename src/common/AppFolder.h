#pragma once
#include <QString>

// The application folder: the folder of the executable. Every path the program
// builds starts here (the database, pictures, report files, documents, backups).
QString appFolder();
// Tests point the program at a folder of their own.
void setAppFolder(const QString& folder);
