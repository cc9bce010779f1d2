#include "frmmain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    forms::frmmain->Show();
    const int rc = app.exec();
    FormRegistry::destroyAll();
    return rc;
}
