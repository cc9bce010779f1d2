#include "TestSupport.h"

#include "AppFolder.h"
#include "ModVar.h"
#include "SchemaTool.h"
#include "VbForm.h"
#include "frmmain.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QTest>

int TestUi::messageBox(const platform::MessageRecord& box)
{
    messages.append(box);
    if (onMessage)
        onMessage(box);
    if (!answers.isEmpty())
        return answers.takeFirst();
    switch (box.buttons) {
    case platform::vbYesNo:
    case platform::vbYesNoCancel: return platform::vbYes;
    case platform::vbAbortRetryIgnore: return platform::vbAbort;
    case platform::vbRetryCancel: return platform::vbRetry;
    default: return platform::vbOK;
    }
}

QString TestUi::fileDialog(const platform::FileDialogRequest& request)
{
    fileDialogs.append(request);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

bool TestUi::openDocument(const QString& path)
{
    openedDocuments << path;
    return openSucceeds;
}

bool TestUi::startProgram(const QString& path, const QStringList&)
{
    startedPrograms << path;
    return startSucceeds;
}

QStringList TestUi::texts() const
{
    QStringList t;
    for (const auto& m : messages)
        t << m.text;
    return t;
}

void TestUi::clear()
{
    messages.clear();
    answers.clear();
    fileDialogs.clear();
    beeps = 0;
}

void ResetModuleState()
{
    gCategory = 0;
    gAppUnitName.clear();
    gDbPath.clear();
    gWorkspace = nullptr;
    gExportFlags.clear();
    gImportFlags.clear();
    gRowIndex = 0;
    gCheckedCount = 0;
    gExportFile.clear();
    gExportTable.clear();
}

static void copyFolder(const QString& from, const QString& to, const QStringList& filters)
{
    QDir().mkpath(to);
    const QDir src(from);
    for (const QString& n : src.entryList(filters, QDir::Files))
        QFile::copy(src.filePath(n), QDir(to).filePath(n));
}

AppFixture::AppFixture()
{
    // A warning is a fault the test did not expect: it fails the test that made it.
    // The offscreen platform's own notes that it cannot raise a window, pass size
    // hints on or let a popup menu grab the keyboard are no fault of the program.
    if (QTest::currentTestFunction())
        QTest::failOnWarning(QRegularExpression(QStringLiteral(
            "^(?!This plugin does not support ((raise|propagateSizeHints)\\(\\)|grabbing the keyboard)$)")));
    static int serial = 0;
    m_conn = QStringLiteral("fixture-%1").arg(++serial);
    const QString src = QStringLiteral(KYJH_SOURCE_DIR);
    QDir(folder()).mkpath(QStringLiteral("data"));
    const QString err = CreateDatabaseFromSchema(src + QStringLiteral("/data/schema.sql"), dbPath());
    if (!err.isEmpty())
        qFatal("fixture database: %s", qPrintable(err));
    copyFolder(src + QStringLiteral("/gif"), folder() + QStringLiteral("/gif"), {QStringLiteral("*.bmp")});
    copyFolder(src + QStringLiteral("/reports"), folder(), {QStringLiteral("*.rpt")});
    ui.floppy = folder() + QStringLiteral("/A");
    QDir().mkpath(ui.floppy);
    setAppFolder(folder());
    platform::setBackend(&ui);
    ResetModuleState();
    RegisterFrameWindows();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_conn);
    db.setDatabaseName(dbPath());
    db.open();
}

AppFixture::~AppFixture()
{
    FormRegistry::destroyAll();
    Settle();
    {
        QSqlDatabase db = QSqlDatabase::database(m_conn, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_conn);
    platform::setBackend(nullptr);
    setAppFolder(QString());
    ResetModuleState();
}

QString AppFixture::dbPath() const { return folder() + QStringLiteral("/data/qwdb.mdb"); }

void AppFixture::exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(QSqlDatabase::database(m_conn));
    if (!q.prepare(sql))
        qFatal("fixture prepare: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        qFatal("fixture exec: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

QList<QStringList> AppFixture::rows(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(QSqlDatabase::database(m_conn));
    if (!q.prepare(sql))
        qFatal("fixture prepare: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        qFatal("fixture query: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    QList<QStringList> out;
    while (q.next()) {
        QStringList r;
        for (int i = 0; i < q.record().count(); ++i)
            r << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
        out << r;
    }
    return out;
}

int AppFixture::count(const QString& table)
{
    return rows(QStringLiteral("select count(*) from %1").arg(table)).value(0).value(0).toInt();
}

void AppFixture::closeConnection() { QSqlDatabase::database(m_conn, false).close(); }

static Qt::Key keyFor(QChar c)
{
    const ushort u = c.toUpper().unicode();
    if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))
        return static_cast<Qt::Key>(u);
    if (u == ' ')
        return Qt::Key_Space;
    if (u < 0x80)
        return static_cast<Qt::Key>(u);
    return Qt::Key_unknown;
}

void TypeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        const Qt::Key k = keyFor(c);
        const Qt::KeyboardModifiers mods =
            (c.isLetter() && c.isUpper() && c.unicode() < 0x80) ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent press(QEvent::KeyPress, k, mods, QString(c));
        QKeyEvent release(QEvent::KeyRelease, k, mods, QString(c));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

void PressKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(w, key, mods);
}

void DoubleClick(QWidget* w, QPoint pos)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, pos);
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, pos);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, pos);
}

void CommitText(QWidget* w, const QString& text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

bool PasteByContextMenu(QWidget* box)
{
    // A multi-line box is clicked in its viewport, as the mouse finds it.
    QWidget* target = box;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(box))
        target = area->viewport();
    const QPoint at = target->mapTo(target->window(), target->rect().center());
    QTest::mouseClick(target->window()->windowHandle(), Qt::RightButton, Qt::NoModifier, at);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return false;
    QAction* paste = nullptr;
    for (QAction* a : menu->actions())
        if (a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')) == QLatin1String("Paste"))
            paste = a;
    if (!paste || !paste->isEnabled()) {
        menu->close();
        Settle();
        return false;
    }
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(paste).center());
    Settle();
    return true;
}

void Settle(int rounds)
{
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

bool ShowActive(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window, 2000);
}
