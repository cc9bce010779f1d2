#include "Startup.h"
#include "VbForm.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program ends when no window is loaded, not when the last one is hidden.
    app.setQuitOnLastWindowClosed(false);

    startup::SingleInstance instance;
    int rc = 0;
    switch (startup::Start(instance)) {
    case startup::Outcome::Run: rc = app.exec(); break;
    case startup::Outcome::AlreadyRunning: rc = 0; break;
    case startup::Outcome::NoDatabase:
    case startup::Outcome::Ended: rc = 1; break;
    }
    FormRegistry::destroyAll();
    return rc;
}
