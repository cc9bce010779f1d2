#pragma once
// What the program does before its event loop: the one-copy-per-desktop test, the
// check that the database file of the application folder can be used, and the
// login window as the first window.

#include <QLockFile>
#include <QString>
#include <memory>

namespace startup {

// The lock file that marks a running copy of the program on this desktop: one per
// user and display, in the temporary folder.
QString InstanceLockPath();

// Held for the whole run of a copy, so that a log-off and a new login do not meet
// it again. A copy that ended without releasing it (a crash) leaves no hold: the
// lock of a process that no longer runs is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath = InstanceLockPath());
    // True when no other copy holds the lock (this copy holds it afterwards).
    bool TryAcquire();
    bool Held() const { return m_held; }

private:
    QLockFile m_lock;
    bool m_held = false;
};

enum class Outcome {
    Run,             // the login window is open: run the event loop
    AlreadyRunning,  // another copy runs on this desktop: end at once, nothing shown
    NoDatabase,      // the database file is missing or unreadable: told, end
    Ended,           // the login window closed itself while it loaded
};

// The message shown when the database file cannot be used.
QString DatabaseProblemMessage(const QString& description);

// The steps before the event loop, in order: the single-copy test, the database
// check, then the login window shown.
Outcome Start(SingleInstance& instance);

}  // namespace startup
