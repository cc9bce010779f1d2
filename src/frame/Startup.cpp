#include "Startup.h"

#include "Db.h"
#include "Failure.h"
#include "Platform.h"
#include "frmLogin.h"
#include "frmmain.h"

#include <QDir>
#include <QRegularExpression>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace startup {

namespace {

// An X display in one spelling: ":0", ":0.0", "localhost:0", "unix:0" and this
// machine's own name before the colon all name the one desktop ":0" (its screens
// included). A display of another host keeps the host; a name of another form
// stays as it is.
QString NormalisedDisplay(const QString& display)
{
    static const QRegularExpression x(QStringLiteral("^(.*):(\\d+)(?:\\.\\d+)?$"));
    const QRegularExpressionMatch m = x.match(display.trimmed());
    if (!m.hasMatch())
        return display;
    QString host = m.captured(1).toLower();
    static const QStringList local = {QStringLiteral("localhost"), QStringLiteral("unix"),
                                      QStringLiteral("127.0.0.1"), QStringLiteral("::1")};
    if (local.contains(host) || host == QSysInfo::machineHostName().toLower())
        host.clear();
    return host + QLatin1Char(':') + QString::number(m.captured(2).toULongLong());
}

}  // namespace

QString InstanceLockPath()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
#ifdef Q_OS_UNIX
    if (user.isEmpty())
        user = QString::number(getuid());
#endif
    QString display = NormalisedDisplay(qEnvironmentVariable("DISPLAY"));
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
            ShowFailure(DatabaseProblemMessage(e.description()), platform::vbOKOnly);
            return Outcome::NoDatabase;
        }
    }
    forms::frmLogin->Show();
    return forms::frmLogin.loaded() ? Outcome::Run : Outcome::Ended;
}

}  // namespace startup
