#include "Startup.h"

#include "Db.h"
#include "Platform.h"
#include "frmLogin.h"
#include "frmmain.h"

#include <QDir>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace startup {

QString InstanceLockPath()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
#ifdef Q_OS_UNIX
    if (user.isEmpty())
        user = QString::number(getuid());
#endif
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QString key = QStringLiteral("kyjh-%1-%2").arg(user, display);
    QString safe = key;
    safe.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return QDir::temp().filePath(safe + QStringLiteral(".lock"));
}

SingleInstance::SingleInstance(const QString& lockPath)
    : m_lock(lockPath)
{
    // Only a copy that no longer runs loses its hold, however long the first one runs.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::TryAcquire()
{
    if (!m_held)
        m_held = m_lock.tryLock(0);
    return m_held;
}

QString DatabaseProblemMessage(const QString& description)
{
    return QStringLiteral("程序的数据库文件 data/qwdb.mdb 不能使用，程序将退出。\n%1").arg(description);
}

Outcome Start(SingleInstance& instance)
{
    RegisterFrameWindows();
    if (!instance.TryAcquire())
        return Outcome::AlreadyRunning;
    {
        // The file comes with the program; it is never made here in its place.
        DbConnection probe(QStringLiteral("startup"));
        try {
            probe.Open(DefaultDbPath());
            probe.Exec(QStringLiteral("select count(*) from login"));
            probe.Exec(QStringLiteral("select count(*) from sqdm"));
        } catch (const DbError& e) {
            probe.Close();
            platform::MsgBox(DatabaseProblemMessage(e.description()));
            return Outcome::NoDatabase;
        }
    }
    forms::frmLogin->Show();
    return forms::frmLogin.loaded() ? Outcome::Run : Outcome::Ended;
}

}  // namespace startup
