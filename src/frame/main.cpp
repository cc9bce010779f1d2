#include "Startup.h"
#include "VbForm.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program ends when no window is loaded, not when the last one is hidden.
    app.setQuitOnLastWindowClosed(false);

    startup::SingleInstance instance;
    int rc = 0;
    switch (startup::Start(instance)) {
    case startup::Outcome::Run: rc = app.exec(); break;
    case startup::Outcome::AlreadyRunning:
        // Nothing is shown; a copy started from a terminal says why it ended.
        std::fputs("kyjh: the program is already running on this desktop.\n", stderr);
        rc = 0;
        break;
    case startup::Outcome::NoDatabase:
    case startup::Outcome::Ended: rc = 1; break;
    }
    FormRegistry::destroyAll();
    return rc;
}
