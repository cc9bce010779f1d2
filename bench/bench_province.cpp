// Bulk work at the scale of a province: a database of N applications (ProvinceSeed.h)
// and the actions a department's office takes on it, each through its real window as
// a user takes it (the window opened, the year set, rows ticked, the button clicked,
// every message box answered), beside plain SQL doing the same work in the same run.
// One line per action: the action, N, the window's time, the plain time and their
// ratio. Then the peak memory of a few windows' actions beside a plain read of the
// rows they show. Printed, never asserted.
//
//     build/bench/bench_province N [action]     N: 1000, 10000, 100000
//
// The database is seeded once into a file; every action runs in a child process of
// its own on a fresh copy of it, so that one action's changes never reach the next
// and each memory figure (ru_maxrss, which only ever grows) is that action's own.

#include "BenchSupport.h"
#include "Db.h"
#include "FieldTable.h"
#include "ModVar.h"
#include "ProvinceSeed.h"
#include "RecordLayouts.h"
#include "Recordset.h"
#include "Report.h"
#include "TestSupport.h"
#include "TickGrid.h"
#include "frmjblr.h"
#include "frmlrpzh.h"
#include "frmqdzbxm.h"
#include "frmxmpz.h"
#include "frmjtbg.h"
#include "frmsqs.h"
#include "frmylb.h"
#include "Beifene.h"
#include "ExchangeSql.h"
#include "SubmissionFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <cstdio>
#include <memory>
#include <sys/resource.h>

namespace {

using province::kThisYear;

// An action whose first try predicts more than this is not run whole.
constexpr double kLongestActionMs = 4 * 60 * 1000.0;
// The runs of a cheap single action (a save, an opening), whose median is its figure.
constexpr int kRuns = 5;

// ---------------------------------------------------------------- printing

// Columns on a terminal: a Chinese character takes two.
int displayWidth(const QString& s)
{
    int w = 0;
    for (QChar c : s)
        w += c.unicode() >= 0x2E80 ? 2 : 1;
    return w;
}

QString padded(const QString& s, int width)
{
    return s + QString(std::max(0, width - displayWidth(s)), QLatin1Char(' '));
}

void print(const QString& line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString group(int n)
{
    return QLocale(QLocale::English).toString(n);
}

// action, N, the window's figure, the plain one and the ratio; a negative plain
// figure: there is none.
void line(const QString& action, int n, double ms, double plainMs)
{
    // Small figures keep three decimals.
    const auto figure = [](double v) { return QStringLiteral("%1 ms").arg(v, 12, 'f', v < 10 ? 3 : 1); };
    QString s = padded(action, 66) + QStringLiteral("%1").arg(n, 7) + figure(ms);
    if (plainMs >= 0)
        s += figure(plainMs) + QStringLiteral("   x%1").arg(ms / plainMs, 0, 'f', 1);
    else
        s += QStringLiteral("%1").arg(QStringLiteral("-"), 15);
    print(s);
}

void skipped(const QString& action, int n, double predictedMs)
{
    print(padded(action, 66) + QStringLiteral("%1").arg(n, 7) +
          QStringLiteral("   skipped (too slow): about %1 s predicted by the first try")
              .arg(predictedMs / 1000.0, 0, 'f', 0));
}

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "bench_province: %s\n", qPrintable(what));
    std::exit(1);
}

// ---------------------------------------------------------------- the child's world

// What a child process stands on: the fixture's application folder with a fresh copy
// of the seeded database, and a second copy beside it for the plain SQL.
class Run {
public:
    Run(int n, QString seed, QString submission) : n(n), submission(std::move(submission)), m_seed(std::move(seed)) {}
    ~Run() { closePlain(); }

    const int n;
    // A submission file of this year's applications (the parent writes it).
    const QString submission;
    AppFixture fx;

    // The application's database as seeded; every window must be closed.
    void install()
    {
        Settle();
        fx.closeConnection();
        copySeed(fx.dbPath());
        gDbPath = fx.dbPath();
    }

    // The plain copy as seeded, open on the connection `plain`.
    QSqlDatabase& plain()
    {
        closePlain();
        copySeed(plainPath());
        m_plain = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plain"));
        m_plain.setDatabaseName(plainPath());
        if (!m_plain.open())
            fail(QStringLiteral("cannot open %1").arg(plainPath()));
        return m_plain;
    }
    QString plainPath() const { return fx.folder() + QStringLiteral("/plain.db"); }

    int count(const QString& sql, const QVariantList& values = {})
    {
        return fx.rows(sql, values).value(0).value(0).toInt();
    }

    // Fails the run unless exactly one row of the table has the value: a save stored it.
    void expectStored(const QString& table, const QString& column, const QVariant& value)
    {
        const int rows = count(QStringLiteral("select count(*) from %1 where %2 = ?").arg(table, column), {value});
        if (rows != 1)
            fail(QStringLiteral("%1 rows of %2 have %3 = %4 after the save")
                     .arg(rows)
                     .arg(table, column, value.toString()));
    }

    // Fails the run unless the last message box said `text`: the action did its work.
    void expectLastMessage(const QString& text)
    {
        if (fx.ui.messages.isEmpty() || fx.ui.messages.last().text != text)
            fail(QStringLiteral("expected \"%1\", got \"%2\"").arg(text, fx.ui.texts().join(QStringLiteral(" / "))));
        fx.ui.clear();
    }

private:
    void copySeed(const QString& to)
    {
        QFile::remove(to);
        if (!QFile::copy(m_seed, to))
            fail(QStringLiteral("cannot copy the seed to %1").arg(to));
    }
    void closePlain()
    {
        if (m_plain.isValid())
            m_plain.close();
        m_plain = QSqlDatabase();
        if (QSqlDatabase::contains(QStringLiteral("plain")))
            QSqlDatabase::removeDatabase(QStringLiteral("plain"));
    }

    QString m_seed;
    QSqlDatabase m_plain;
};

QSqlQuery exec(QSqlDatabase& db, const QString& sql, const QVariantList& values = {}, bool forwardOnly = false)
{
    QSqlQuery q(db);
    q.setForwardOnly(forwardOnly);
    if (!q.prepare(sql))
        fail(sql + QStringLiteral(": ") + q.lastError().text());
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        fail(sql + QStringLiteral(": ") + q.lastError().text());
    return q;
}

// The time of one transaction of plain statements, its commit included (as the
// windows' times include theirs).
double plainTransaction(QSqlDatabase& db, const std::function<void()>& statements)
{
    return bench::Time([&] {
        db.transaction();
        statements();
        if (!db.commit())
            fail(db.lastError().text());
    });
}

// Every row of a query read into memory, every column, as a program without the
// windows would hold them.
std::vector<QVector<QVariant>> readRows(QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q = exec(db, sql, values, true);
    const int columns = q.record().count();
    std::vector<QVector<QVariant>> rows;
    while (q.next()) {
        QVector<QVariant> row(columns);
        for (int c = 0; c < columns; ++c)
            row[c] = q.value(c);
        rows.push_back(std::move(row));
    }
    return rows;
}

// A click on a window's button as the user gives it, timed to the end of its handler
// (every message box on the way answered by the scripted service).
double timedPress(QWidget* form, const QString& button)
{
    auto* b = Child<VbButton>(form, button);
    if (!b)
        fail(QStringLiteral("no button %1").arg(button));
    const double ms = bench::Time([&] { QTest::mouseClick(b, Qt::LeftButton); });
    Settle();
    return ms;
}

void press(QWidget* form, const QString& button)
{
    QTest::mouseClick(Child<VbButton>(form, button), Qt::LeftButton);
    Settle();
}

// `count` rows spread evenly over the grid's rows 1..rows.
QList<int> spread(int rows, int count)
{
    QList<int> picked;
    for (int k = 0; k < count; ++k)
        picked << 1 + int(qint64(k) * rows / count);
    return picked;
}

// Ticks the rows by the grid's flags (as the boxes do, row by row) and gives their rowids.
QList<qint64> tick(TickGrid* grid, const QList<int>& rows)
{
    QList<qint64> rowids;
    for (int r : rows) {
        grid->Flags()[r] = 1;
        rowids << grid->Value(r, QStringLiteral("rowid")).toLongLong();
    }
    grid->FlexScroll();
    return rowids;
}

QString json(const QList<qint64>& rowids)
{
    return exchange::jsonArray(rowids);
}

const QString kByRowids = QStringLiteral(" where rowid in (select value from json_each(?))");

// ---------------------------------------------------------------- the actions

// The tick-grid windows' confirm buttons: a first try with 1,000 ticks when the year
// holds more rows (which also predicts the whole), then every row of the year ticked
// by the window's select-all.
struct TickAction {
    QString label;  // the action's caption, the window's name
    int yearRows = 0;
    // Opens the window on the year (fresh data) and gives its grid.
    std::function<TickGrid*()> open;
    QString confirm;  // the button's object name
    QString done;     // the message that ends the work
    std::function<void()> close;
    // The plain SQL of the same rows: a condition (bound below) on the plain copy.
    std::function<double(QSqlDatabase&, const QString& where, const QVariant& bound)> plainWork;
    QString yearCondition;  // the window's condition, binding the year
    QVariant year;
};

void runTickAction(Run& run, const TickAction& a)
{
    double predictedMs = -1;
    if (a.yearRows > 1000) {
        TickGrid* grid = a.open();
        const QList<qint64> rowids = tick(grid, spread(a.yearRows, 1000));
        const double ms = timedPress(grid->window(), a.confirm);
        run.expectLastMessage(a.done);
        a.close();
        const double plainMs = a.plainWork(run.plain(), kByRowids, json(rowids));
        line(QStringLiteral("%1, 1,000 of the year's %2 rows ticked").arg(a.label, group(a.yearRows)), run.n, ms,
             plainMs);
        predictedMs = ms * a.yearRows / 1000.0;
    }
    const QString all = QStringLiteral("%1, all %2 rows of the year ticked").arg(a.label, group(a.yearRows));
    if (predictedMs > kLongestActionMs) {
        skipped(all, run.n, predictedMs);
        return;
    }
    TickGrid* grid = a.open();
    QTest::mouseClick(grid->Label1, Qt::LeftButton);  // 全选
    if (grid->TickedCount() != a.yearRows)
        fail(QStringLiteral("select-all ticked %1 of %2 rows").arg(grid->TickedCount()).arg(a.yearRows));
    const double ms = timedPress(grid->window(), a.confirm);
    run.expectLastMessage(a.done);
    a.close();
    line(all, run.n, ms, a.plainWork(run.plain(), a.yearCondition, a.year));
}

// 批  准 in the approval window (frmxmpz) on this year's applications.
void approve(Run& run)
{
    run.install();
    const QString year = QString::number(kThisYear);
    TickAction a;
    a.label = QStringLiteral("批  准 (frmxmpz)");
    a.yearRows = run.count(QStringLiteral("select count(*) from xmsb where substr(qsny,1,4)=?"), {year});
    a.open = [&run] {
        run.install();
        return OpenActive(*forms::frmxmpz).findChild<TickGrid*>();
    };
    a.confirm = QStringLiteral("cmdExportoA");
    a.done = QStringLiteral("项目批准操作已完成。");
    a.close = [] { forms::frmxmpz->Unload(); };
    a.plainWork = [](QSqlDatabase& db, const QString& where, const QVariant& bound) {
        const QString copy = records::copyStatement(records::approvedApplications(), records::applications());
        return plainTransaction(db, [&] {
            exec(db, copy + where, {bound});
            exec(db, QStringLiteral("delete from xmsb") + where, {bound});
        });
    };
    a.yearCondition = QStringLiteral(" where substr(qsny,1,4)=?");
    a.year = year;
    runTickAction(run, a);
}

// 确  定 in the mid-term choice (frmqdzbxm) on the approved projects that started last
// year, chosen for this year's report.
void midTerm(Run& run)
{
    run.install();
    const QString year = QString::number(kThisYear - 1);
    TickAction a;
    a.label = QStringLiteral("确  定 (frmqdzbxm)");
    a.yearRows = run.count(QStringLiteral("select count(*) from xmsbpz where substr(qsny,1,4)=?"), {year});
    a.open = [&run, year] {
        run.install();
        frmqdzbxm& f = OpenActive(*forms::frmqdzbxm);
        press(&f, QStringLiteral("cmdSpin_0"));  // a year back
        if (Child<VbTextBox>(&f, QStringLiteral("txtCondiYear"))->Text().trimmed() != year)
            fail(QStringLiteral("the mid-term window is not on %1").arg(year));
        return f.findChild<TickGrid*>();
    };
    a.confirm = QStringLiteral("cmdExportoA");
    a.done = QStringLiteral("中报项目确定操作已完成。");
    a.close = [] { forms::frmqdzbxm->Unload(); };
    a.plainWork = [](QSqlDatabase& db, const QString& where, const QVariant& bound) {
        const QString copy = QStringLiteral(
            "insert into xmpz (xmbh, pzje, xmmc, xmfzr, szdw, ssxk, xkmc, qsny, zzny, xmlb, zqnbz, nd) "
            "select xmbh, pzje, xmmc, xmfzr, szdw, ssxk, xkmc, qsny, zzny, xmlb, bz, ? from xmsbpz");
        return plainTransaction(db, [&] { exec(db, copy + where, {QString::number(kThisYear), bound}); });
    };
    a.yearCondition = QStringLiteral(" where substr(qsny,1,4)=?");
    a.year = year;
    runTickAction(run, a);
}

const QString kEditQuestion = QStringLiteral("保存数据前必须确认修改数据准确无误，然后保存。数据正确吗？");

// kRuns saves of the record window's shown record, each after `edit(i)` changed it,
// each answered Yes; their times.
std::vector<double> timedSaves(Run& run, QWidget* form, const std::function<void(int)>& edit)
{
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        edit(i);
        ms.push_back(timedPress(form, QStringLiteral("Cmdupd")));
        run.expectLastMessage(kEditQuestion);
    }
    return ms;
}

// A number text of nine characters that no seeded row has ("2026X0003").
QString marked(char letter, int i)
{
    return QStringLiteral("2026%1%2").arg(QLatin1Char(letter)).arg(i, 4, 10, QLatin1Char('0'));
}

qint64 scalar(QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q = exec(db, sql, values);
    q.next();
    return q.value(0).toLongLong();
}

// One save of an approval number in frmlrpzh, on this year's approved projects.
void approvalNumber(Run& run)
{
    run.install();
    const int yearRows =
        run.count(QStringLiteral("select count(*) from xmsbpz where substr(qsny,1,4)=?"), {QString::number(kThisYear)});
    frmlrpzh& f = OpenActive(*forms::frmlrpzh);
    auto* number = Child<VbTextBox>(&f, QStringLiteral("txtxmbh"));
    const std::vector<double> ms = timedSaves(run, &f, [number](int i) {
        number->selectAll();
        number->del();
        TypeText(number, marked('X', i));
    });
    f.Unload();
    // The window stands on the saved project, which each run edits again.
    run.expectStored(QStringLiteral("xmsbpz"), QStringLiteral("xmbh"), marked('X', kRuns - 1));

    QSqlDatabase& db = run.plain();
    const qint64 rowid = scalar(db, QStringLiteral("select min(rowid) from xmsbpz where substr(qsny,1,4)=?"),
                                {QString::number(kThisYear)});
    std::vector<double> plainMs;
    for (int i = 0; i < kRuns; ++i)
        plainMs.push_back(plainTransaction(db, [&] {
            exec(db, QStringLiteral("update xmsbpz set xmbh = ?, pzje = ? where rowid = ?"),
                 {marked('W', i), 12.5 + i, rowid});
        }));
    line(QStringLiteral("one save in the approval-number window (frmlrpzh), year of %1").arg(group(yearRows)), run.n,
         bench::Median(ms), bench::Median(plainMs));
}

// A whole row deleted and added again by its rowid, its values read beforehand.
double plainReplace(QSqlDatabase& db, const records::RecordLayout& layout, qint64 rowid, const QString& changed,
                    const QVariant& value)
{
    const std::vector<QVector<QVariant>> rows =
        readRows(db, records::selectStatement(layout) + QStringLiteral(" where rowid = ?"), {rowid});
    if (rows.empty())
        fail(QStringLiteral("no row %1 in %2").arg(rowid).arg(layout.table));
    QVariantList values(rows.front().begin(), rows.front().end());
    values[layout.indexOf(changed)] = value;
    return plainTransaction(db, [&] {
        exec(db, QStringLiteral("delete from %1 where rowid = ?").arg(records::quoteIdentifier(layout.table)), {rowid});
        exec(db, records::insertStatement(layout), values);
    });
}

// One edit save of a completion report in frmjtbg, which lists every report.
void completionReport(Run& run)
{
    run.install();
    const int reports = run.count(QStringLiteral("select count(*) from xmjt"));
    frmjtbg& f = OpenActive(*forms::frmjtbg);
    // Fixed equipment of more than 900 units: no seeded report has as many.
    const std::vector<double> ms =
        timedSaves(run, &f, [&f](int i) { SetBoxText(f.Box(QStringLiteral("Txtpss")), QString::number(900 + i)); });
    f.Unload();
    // The window stands on the saved report, which each run edits again.
    run.expectStored(QStringLiteral("xmjt"), QStringLiteral("pss"), 900 + kRuns - 1);

    QSqlDatabase& db = run.plain();
    std::vector<double> plainMs;
    for (int i = 0; i < kRuns; ++i) {
        // The report last replaced stands at the end.
        const qint64 row = scalar(db, QStringLiteral("select max(rowid) from xmjt"));
        plainMs.push_back(plainReplace(db, records::completionReports(), row, QStringLiteral("pss"), 900 + i));
    }
    line(QStringLiteral("one edit save of a completion report (frmjtbg), %1 reports").arg(group(reports)), run.n,
         bench::Median(ms), bench::Median(plainMs));
}

// One edit save of an application in frmjblr, on the largest category.
void application(Run& run)
{
    run.install();
    gCategory = 2;
    const int rows = run.count(QStringLiteral("select count(*) from xmsb where xmlb=?"), {CategoryText(2)});
    frmjblr& f = OpenActive(*forms::frmjblr);
    auto* number = Child<VbTextBox>(&f, QStringLiteral("txtnbbh"));
    const std::vector<double> ms = timedSaves(run, &f, [number](int i) { number->SetText(marked('Y', i)); });
    f.Unload();
    // The window stands on the saved application, which each run edits again.
    run.expectStored(QStringLiteral("xmsb"), QStringLiteral("xmbh"), marked('Y', kRuns - 1));

    QSqlDatabase& db = run.plain();
    std::vector<double> plainMs;
    for (int i = 0; i < kRuns; ++i) {
        const qint64 row = scalar(db, QStringLiteral("select min(rowid) from xmsb where xmlb=?"), {CategoryText(2)});
        plainMs.push_back(plainReplace(db, records::applications(), row, QStringLiteral("xmbh"), marked('Z', i)));
    }
    line(QStringLiteral("one edit save of an application (frmjblr), category of %1").arg(group(rows)), run.n,
         bench::Median(ms), bench::Median(plainMs));
}

// Receiving a file of this year's applications in the reception window (Beifene):
// every received row replaces the one it came from.
void receive(Run& run)
{
    run.install();
    const QString& file = run.submission;
    const int rows =
        run.count(QStringLiteral("select count(*) from xmsb where substr(qsny,1,4)=?"), {QString::number(kThisYear)});
    VbForm& f = OpenActive(*forms::Beifene);
    const int runs = run.n <= 10000 ? 3 : 1;
    std::vector<double> openMs;
    for (int i = 0; i < runs; ++i) {
        run.fx.ui.fileAnswers << file;
        openMs.push_back(timedPress(&f, QStringLiteral("cmdOf")));
    }
    TickGrid* grid = f.findChild<TickGrid*>();
    if (grid->RecordCount() != rows)
        fail(QStringLiteral("the reception window lists %1 of %2 rows").arg(grid->RecordCount()).arg(rows));
    QTest::mouseClick(grid->Label1, Qt::LeftButton);  // 全选
    const double receiveMs = timedPress(&f, QStringLiteral("cmdinsert"));
    run.expectLastMessage(QStringLiteral("数据已被成功接收。"));
    f.Unload();

    QSqlDatabase& db = run.plain();
    const double plainOpenMs = bench::MedianOf(runs, [&] {
        {
            QSqlDatabase sub = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sub"));
            sub.setDatabaseName(file);
            sub.open();
            readRows(sub, QStringLiteral("select * from xmsb order by rowid"));
            sub.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("sub"));
    });
    exec(db, QStringLiteral("attach database ? as f"), {file});
    const double plainReceiveMs = plainTransaction(
        db, [&] { exec(db, QStringLiteral("insert into main.xmsb select * from f.xmsb order by rowid")); });
    exec(db, QStringLiteral("detach database f"));
    line(QStringLiteral("打开文件 of a file of %1 applications (Beifene)").arg(group(rows)), run.n,
         bench::Median(openMs), plainOpenMs);
    line(QStringLiteral("接收数据, each of %1 applications replacing one (Beifene)").arg(group(rows)), run.n, receiveMs,
         plainReceiveMs);
}

// Opening the two document windows on category 1, a tenth of the applications.
void documents(Run& run)
{
    run.install();
    gCategory = 1;
    const int rows = run.count(QStringLiteral("select count(*) from xmsb where xmlb=?"), {CategoryText(1)});
    const int runs = run.n <= 10000 ? 3 : 1;
    struct Window {
        const char* label;
        VbForm& (*form)();
        const char* order;
    };
    const Window windows[] = {
        {"opening 生成一览表 (frmylb)", []() -> VbForm& { return *forms::frmylb; }, "sqrq desc,szdw asc,ssxk asc"},
        {"opening 生成申请书 (frmsqs)", []() -> VbForm& { return *forms::frmsqs; }, "sqrq desc"},
    };
    QSqlDatabase& db = run.plain();
    for (const Window& w : windows) {
        const double ms = bench::MedianOf(
            runs,
            [&] {
                VbForm& f = w.form();
                f.Show();
                QCoreApplication::processEvents();  // its first paint
                f.Unload();
            },
            [] { Settle(); });
        const double plainMs = bench::MedianOf(runs, [&] {
            readRows(db, QStringLiteral("select * from xmsb where xmlb=? order by ") + QString::fromLatin1(w.order),
                     {CategoryText(1)});
        });
        line(QStringLiteral("%1, category of %2 in %3").arg(QString::fromUtf8(w.label), group(rows), group(run.n)),
             run.n, ms, plainMs);
    }
}

// A table of 10,000 rows of the first 80 columns of the applications (repeated when
// there are fewer), and a report file over its first `rows` rows.
QString wideReport(Run& run, int rows)
{
    QStringList columns = records::applications().columnNames().mid(0, 80);
    if (run.count(QStringLiteral("select count(*) from sqlite_master where name = 'wide'")) == 0) {
        const QString list = records::columnList(columns);
        run.fx.exec(QStringLiteral("create table wide as select %1 from xmsb where 0").arg(list));
        run.fx.exec(
            QStringLiteral("insert into wide select %1 from (with recursive k(j) as (select 1 union all select j + 1 "
                           "from k where j < 100) select j from k), xmsb order by j, xmsb.rowid limit 10000")
                .arg(list));
    }
    const QString path = run.fx.folder() + QStringLiteral("/wide%1.rpt").arg(rows);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot write %1").arg(path));
    QString text =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<report title=\"项目申报数据\" orientation=\"landscape\">\n"
            "<query>select * from wide where rowid &lt;= %1 order by rowid</query>\n")
            .arg(rows);
    for (const QString& c : columns)
        text += QStringLiteral("<column caption=\"%1\"/>\n").arg(c);
    text += QStringLiteral("</report>\n");
    file.write(text.toUtf8());
    return path;
}

// From the preview asked for to its first page painted.
double previewFirstPage(const QString& file)
{
    ReportControl rpt(nullptr, QStringLiteral("rpt"));
    rpt.SetReportFileName(file);
    QElapsedTimer t;
    t.start();
    if (!rpt.PrintReport())
        fail(QStringLiteral("the preview of %1 did not open").arg(file));
    rpt.PreviewWindow()->grab();
    return bench::Ms(t);
}

void report(Run& run)
{
    run.install();
    for (int rows : {1000, 10000}) {
        const QString file = wideReport(run, rows);
        const double ms = bench::MedianOf(3, [&] { previewFirstPage(file); });
        QSqlDatabase& db = run.plain();
        // The plain copy has no table wide: the query alone reads the application's file.
        const QString list = records::columnList(records::applications().columnNames().mid(0, 80));
        run.fx.closeConnection();
        exec(db, QStringLiteral("attach database ? as app"), {run.fx.dbPath()});
        const double plainMs = bench::MedianOf(3, [&] {
            readRows(db, QStringLiteral("select %1 from app.wide where rowid <= ? order by rowid").arg(list), {rows});
        });
        exec(db, QStringLiteral("detach database app"));
        line(QStringLiteral("report preview, first page, %1 rows x 80 columns").arg(group(rows)), run.n, ms, plainMs);
    }
}

// Deleting rows of a record set over the applications, the mean of 20 in a
// transaction (whose commit is left out), the median of 3 such.
void recordsetDelete(Run& run)
{
    run.install();
    DbConnection conn(QStringLiteral("bench"));
    conn.Open(run.fx.dbPath());
    double at100 = -1;
    for (int rows : {100, run.n}) {
        Recordset rs;
        rs.Open(conn, QStringLiteral("select * from xmsb where rowid <= ?"), {rows}, QStringLiteral("xmsb"));
        std::vector<double> ms;
        for (int batch = 0; batch < 3; ++batch) {
            Transaction t(conn);
            QElapsedTimer timer;
            qint64 ns = 0;
            for (int k = 0; k < 20; ++k) {
                rs.MoveTo(rs.RecordCount() / 2);
                timer.start();
                rs.Delete();
                ns += timer.nsecsElapsed();
            }
            t.Commit();
            ms.push_back(double(ns) / 1e6 / 20);
        }
        const double median = bench::Median(ms);
        if (rows == 100) {
            at100 = median;
            line(QStringLiteral("Recordset delete of a row, set of 100"), run.n, median, -1);
        } else {
            line(QStringLiteral("Recordset delete of a row, set of %1 (plain: the set of 100)").arg(group(rows)), run.n,
                 median, at100);
        }
    }
}

// ---------------------------------------------------------------- memory

long peakKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// A memory child: the window's action or the plain read, between two readings of
// the peak. Prints "peak-kb <before> <after> <rows read plainly>".
void memory(Run& run, const QString& what)
{
    run.install();
    const QString year = QString::number(kThisYear);
    const QString& file = run.submission;
    QString reportFile;
    if (what.startsWith(QLatin1String("report")))
        reportFile = wideReport(run, 10000);
    run.fx.closeConnection();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("read"));
    db.setDatabaseName(what.startsWith(QLatin1String("receive")) ? file : run.fx.dbPath());
    db.open();
    Settle();
    const long before = peakKb();
    std::size_t held = 0;
    if (what == QLatin1String("ylb")) {
        gCategory = 1;
        forms::frmylb->Show();
        QCoreApplication::processEvents();
    } else if (what == QLatin1String("ylb-plain")) {
        held = readRows(db, QStringLiteral("select * from xmsb where xmlb=? order by sqrq desc,szdw asc,ssxk asc"),
                        {CategoryText(1)})
                   .size();
    } else if (what == QLatin1String("xmpz")) {
        OpenActive(*forms::frmxmpz);
    } else if (what == QLatin1String("xmpz-plain")) {
        held = readRows(db,
                        QStringLiteral("SELECT XMLB, XMMC, XMFZR, SQRQ, qsny, XKMC, zzny, ssxk, szdw, rowid FROM xmsb "
                                       "where substr(qsny,1,4)=? order by ssxk, rowid"),
                        {year})
                   .size();
    } else if (what == QLatin1String("lrpzh")) {
        // This year's approved projects, then the year before and this year again.
        frmlrpzh& f = OpenActive(*forms::frmlrpzh);
        press(&f, QStringLiteral("cmdSpin_0"));
        press(&f, QStringLiteral("cmdSpin_1"));
    } else if (what == QLatin1String("lrpzh-plain")) {
        held = readRows(db, QStringLiteral("select * from xmsbpz where substr(qsny,1,4)=? "
                                           "order by szdw asc,xmlb asc,ssxk asc, rowid"),
                        {year})
                   .size();
    } else if (what == QLatin1String("jblr")) {
        gCategory = 2;
        OpenActive(*forms::frmjblr);
    } else if (what == QLatin1String("jblr-plain")) {
        held =
            readRows(db, QStringLiteral("select * from xmsb where xmlb=? order by sqrq desc,szdw asc,ssxk asc,rowid"),
                     {CategoryText(2)})
                .size();
    } else if (what == QLatin1String("jtbg")) {
        OpenActive(*forms::frmjtbg);
    } else if (what == QLatin1String("jtbg-plain")) {
        held = readRows(db, records::selectStatement(records::completionReports()) +
                                QStringLiteral(" order by fa desc, szdw, xmlb"))
                   .size();
    } else if (what == QLatin1String("receive")) {
        VbForm& f = OpenActive(*forms::Beifene);
        run.fx.ui.fileAnswers << file;
        press(&f, QStringLiteral("cmdOf"));
        QTest::mouseClick(f.findChild<TickGrid*>()->Label1, Qt::LeftButton);
        press(&f, QStringLiteral("cmdinsert"));
    } else if (what == QLatin1String("receive-plain")) {
        held = readRows(db, QStringLiteral("select * from xmsb order by rowid")).size();
    } else if (what == QLatin1String("recordset")) {
        DbConnection conn(QStringLiteral("bench"));
        conn.Open(run.fx.dbPath());
        Recordset rs;
        rs.Open(conn, QStringLiteral("select * from xmsb order by rowid"), {}, QStringLiteral("xmsb"));
    } else if (what == QLatin1String("recordset-plain")) {
        held = readRows(db, QStringLiteral("select * from xmsb order by rowid")).size();
    } else if (what == QLatin1String("report")) {
        // Every row read and laid out: the window at its fullest.
        ReportControl rpt(nullptr, QStringLiteral("rpt"));
        rpt.SetReportFileName(reportFile);
        if (!rpt.PrintReport())
            fail(QStringLiteral("the preview of %1 did not open").arg(reportFile));
        qobject_cast<ReportPreview*>(rpt.PreviewWindow())->FinishLoading();
    } else if (what == QLatin1String("report-plain")) {
        held = readRows(db, QStringLiteral("select * from wide where rowid <= 10000 order by rowid")).size();
    } else {
        fail(QStringLiteral("no memory action %1").arg(what));
    }
    const long after = peakKb();
    db.close();
    std::printf("peak-kb %ld %ld %zu\n", before, after, held);
}

// ---------------------------------------------------------------- the parent

// This year's applications of the fixture's database written to a submission file
// by the exchange's own writer, as the submission window writes them.
QString writeSubmission(AppFixture& fx)
{
    const QString year = QString::number(kThisYear);
    // Every row of the year ticked, in the order of the application submission window.
    QList<qint64> rowids;
    for (const QStringList& r :
         fx.rows(RowQuery{QStringLiteral("xmsb"), QStringLiteral("substr(qsny,1,4)=?"), {year}, QStringLiteral("xmlb, ssxk")}
                     .sql(QStringLiteral("rowid")),
                 {year}))
        rowids << r[0].toLongLong();
    gDbPath = fx.dbPath();
    gCheckedCount = int(rowids.size());
    gExportTable = QStringLiteral("xmsb");
    gExportFile = NewSubmissionFile(QStringLiteral("项目申请"));
    if (!PackData(QStringLiteral("xmsb"), rowids))
        fail(QStringLiteral("the submission file was not written: ") + fx.ui.texts().join(QStringLiteral(" / ")));
    fx.ui.clear();
    return gExportFile;
}

// The actions by the names a second argument gives.
struct Action {
    const char* name;
    void (*run)(Run&);
};

const Action kActions[] = {
    {"approve", approve},           {"midterm", midTerm},
    {"approvalno", approvalNumber}, {"completion", completionReport},
    {"application", application},   {"receive", receive},
    {"documents", documents},       {"report", report},
    {"recordset", recordsetDelete},
};

struct MemoryAction {
    const char* name;
    const char* label;
};

const MemoryAction kMemory[] = {
    {"ylb", "opening 生成一览表 (frmylb), category 1"},      {"xmpz", "opening 项目批准管理 (frmxmpz), this year"},
    {"lrpzh", "录入批准号 (frmlrpzh): this year, the year before, this year"},
    {"jblr", "opening 简表录入 (frmjblr), category 2"},      {"jtbg", "opening 结题 (frmjtbg), every report"},
    {"receive", "打开文件 + 接收数据 (Beifene), this year"}, {"report", "report preview, 10,000 rows x 80 columns"},
    {"recordset", "Recordset over every application (xmsb)"},
};

// The files a child works on: the seeded database and the submission file.
struct Files {
    QString seed, submission;
};

QProcess* child(int n, const QString& action, const Files& files, bool capture)
{
    auto* p = new QProcess;
    p->setProgram(QCoreApplication::applicationFilePath());
    p->setArguments({QString::number(n), QStringLiteral("--child"), action, files.seed, files.submission});
    p->setProcessChannelMode(capture ? QProcess::ForwardedErrorChannel : QProcess::ForwardedChannels);
    p->start();
    if (!p->waitForStarted())
        fail(QStringLiteral("cannot start the child for %1").arg(action));
    p->waitForFinished(-1);
    if (p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0)
        fail(QStringLiteral("the child for %1 failed").arg(action));
    return p;
}

struct Peak {
    double beforeMb = 0, afterMb = 0;
    long rows = 0;
};

Peak memoryOf(int n, const QString& action, const Files& files)
{
    std::unique_ptr<QProcess> p(child(n, QStringLiteral("mem-") + action, files, true));
    const QList<QByteArray> words = p->readAllStandardOutput().trimmed().split(' ');
    if (words.size() != 4 || words[0] != "peak-kb")
        fail(QStringLiteral("no memory figure from %1").arg(action));
    return {words[1].toLong() / 1024.0, words[2].toLong() / 1024.0, words[3].toLong()};
}

void memoryLines(int n, const Files& files)
{
    print(QString());
    print(padded(QStringLiteral("peak memory (ru_maxrss, a child each)"), 66) +
          QStringLiteral("%1").arg(QStringLiteral("N"), 7) +
          QStringLiteral("   window peak (+ over its start)   plain read peak (+ over its start)   ratio"));
    for (const MemoryAction& m : kMemory) {
        const Peak window = memoryOf(n, QString::fromLatin1(m.name), files);
        const Peak plain = memoryOf(n, QString::fromLatin1(m.name) + QStringLiteral("-plain"), files);
        print(padded(QString::fromUtf8(m.label), 66) + QStringLiteral("%1").arg(n, 7) +
              QStringLiteral("%1 MB (+%2)")
                  .arg(window.afterMb, 14, 'f', 1)
                  .arg(window.afterMb - window.beforeMb, 0, 'f', 1) +
              QStringLiteral("%1 MB (+%2)")
                  .arg(plain.afterMb, 22, 'f', 1)
                  .arg(plain.afterMb - plain.beforeMb, 0, 'f', 1) +
              QStringLiteral("   x%1  (%2 rows)")
                  .arg(window.afterMb / plain.afterMb, 0, 'f', 1)
                  .arg(group(int(plain.rows))));
    }
}

int usage()
{
    QStringList names;
    for (const Action& a : kActions)
        names << QString::fromLatin1(a.name);
    names << QStringLiteral("memory");
    std::fprintf(stderr,
                 "usage: bench_province N [action]\n  N: applications to seed (1000, 10000, 100000)\n  action: %s\n",
                 qPrintable(names.join(QStringLiteral(", "))));
    return 2;
}

int parent(int argc, char** argv, int n)
{
    QCoreApplication app(argc, argv);
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    bool known = only.isEmpty() || only == QLatin1String("memory");
    for (const Action& a : kActions)
        known = known || only == QLatin1String(a.name);
    if (!known)
        return usage();

    AppFixture fx;
    const province::Sizes sizes = province::SizesFor(n);
    const double seedMs = bench::Time([&] { province::Seed(fx.dbPath(), n); });
    const Files files{fx.dbPath(), writeSubmission(fx)};
    fx.closeConnection();
    print(QStringLiteral(
              "seeded %1 applications (xmsb), %2 approved (xmsbpz), %3 archived (xmsbwpz), %4 mid-term (xmpz), "
              "%5 completion reports (xmjt) in %6 s: %7 MB")
              .arg(group(sizes.applications), group(sizes.approved), group(sizes.archived), group(sizes.midTerm),
                   group(sizes.reports))
              .arg(seedMs / 1000.0, 0, 'f', 1)
              .arg(QFileInfo(fx.dbPath()).size() / 1e6, 0, 'f', 0));
    print(QStringLiteral(
              "figures: median of %1 runs for single saves and openings (3 for previews), one run for bulk actions")
              .arg(kRuns));
    print(QString());
    print(padded(QStringLiteral("action"), 66) + QStringLiteral("%1%2%3   ratio")
                                                     .arg(QStringLiteral("N"), 7)
                                                     .arg(QStringLiteral("window"), 15)
                                                     .arg(QStringLiteral("plain SQL"), 15));
    for (const Action& a : kActions)
        if (only.isEmpty() || only == QLatin1String(a.name))
            delete child(n, QString::fromLatin1(a.name), files, false);
    if (only.isEmpty() || only == QLatin1String("memory"))
        memoryLines(n, files);
    return 0;
}

QtMessageHandler standardHandler = nullptr;

// Drops the notes of the offscreen platform and of the environment, which are not
// the program's.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    standardHandler(type, context, message);
}

int childMain(int argc, char** argv, int n, const QString& action, const Files& files)
{
    bench::OffscreenWhenHeadless();
    standardHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    Run run(n, files.seed, files.submission);
    if (action.startsWith(QLatin1String("mem-"))) {
        memory(run, action.mid(4));
        return 0;
    }
    for (const Action& a : kActions)
        if (action == QLatin1String(a.name)) {
            a.run(run);
            return 0;
        }
    fail(QStringLiteral("no action %1").arg(action));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    bool ok = false;
    const int n = QByteArray(argv[1]).toInt(&ok);
    if (!ok || n < 10)
        return usage();
    if (argc == 6 && QByteArray(argv[2]) == "--child")
        return childMain(argc, argv, n, QString::fromLocal8Bit(argv[3]),
                         {QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[5])});
    return parent(argc, argv, n);
}
