#include "Failure.h"

#include "Db.h"
#include "Platform.h"

QString FailureText(const std::exception& e)
{
    const auto* db = dynamic_cast<const DbError*>(&e);
    return db ? db->description() : QString::fromLocal8Bit(e.what());
}

static_assert(kFailureStyle == (platform::vbOKOnly | platform::vbCritical));

void ShowFailure(const QString& description, int style, const QString& title)
{
    platform::MsgBox(description, style, title);
}

void ShowFailure(const std::exception& e, int style, const QString& title)
{
    ShowFailure(FailureText(e), style, title);
}

void ShowFailure(const QString& message, const std::exception& reason, int style, const QString& title)
{
    platform::MsgBox(message, style, title, FailureText(reason));
}

bool OpenWindowConnection(DbConnection& connection, const QString& path)
{
    try {
        connection.Open(path.isEmpty() ? DefaultDbPath() : path);
        return true;
    } catch (const DbError& e) {
        ShowFailure(e, platform::vbOKOnly, QStringLiteral("提示信息"));
        return false;
    }
}
