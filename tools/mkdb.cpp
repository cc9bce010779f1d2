// mkdb SCHEMA.sql DATABASE: makes the database file that comes with the program.
#include "SchemaTool.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkdb SCHEMA.sql DATABASE\n");
        return 2;
    }
    const QString err = CreateDatabaseFromSchema(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    if (!err.isEmpty()) {
        std::fprintf(stderr, "mkdb: %s\n", qPrintable(err));
        return 1;
    }
    return 0;
}
