#include "Report.h"

#include "AppFolder.h"
#include "Db.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <climits>
#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace {

QString dwdmReport()
{
    return appFolder() + QStringLiteral("/rptdw.rpt");
}

void writeFile(const QString& path, const QByteArray& text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

// While it lives, no file of the process may grow past `bytes`: a write beyond fails
// as on a full disk.
struct FileSizeLimit {
    rlimit before{};
    void (*handler)(int) = nullptr;
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before);
        handler = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before;
        limit.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &before);
        signal(SIGXFSZ, handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Pages of a PDF file as its page objects count them.
int pdfPages(const QByteArray& pdf)
{
    return int(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
}

// A page as the report draws it: every run of text with the point of its baseline.
// A run is what the painter hands over at once (one run of one font).
struct TextRun {
    QString text;
    QPointF at;
};

class TextRecorder : public QPaintDevice {
public:
    static constexpr qreal kSameLine = 0.05;
    explicit TextRecorder(int dpi) : m_dpi(dpi) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    QList<TextRun>& runs() { return m_engine.runs; }

    // The text on each baseline, top to bottom, its runs joined left to right.
    // Runs within a small fraction of a pixel stand on one baseline.
    QStringList lines() const
    {
        QList<TextRun> sorted = m_engine.runs;
        std::sort(sorted.begin(), sorted.end(), [](const TextRun& a, const TextRun& b) { return a.at.y() < b.at.y(); });
        QList<QList<TextRun>> groups;
        for (const TextRun& p : sorted) {
            if (groups.isEmpty() || p.at.y() - groups.last().first().at.y() > kSameLine)
                groups << QList<TextRun>();
            groups.last() << p;
        }
        QStringList out;
        for (QList<TextRun>& g : groups)
            out << joined(g);
        return out;
    }
    // The text on the baseline y.
    QString line(qreal y) const
    {
        QList<TextRun> on;
        for (const TextRun& p : m_engine.runs)
            if (qAbs(p.at.y() - y) <= kSameLine)
                on << p;
        return joined(on);
    }
    // The baseline of the first run that holds the text; -1 when none does.
    qreal baselineOf(const QString& text) const
    {
        for (const TextRun& p : m_engine.runs)
            if (p.text.contains(text))
                return p.at.y();
        return -1;
    }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return 180 * m_dpi * 10 / 254;   // A4 inside its margins
        case PdmHeight: return 272 * m_dpi * 10 / 254;
        case PdmWidthMM: return 180;
        case PdmHeightMM: return 272;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return m_dpi;   // the resolutions
        }
    }

private:
    static QString joined(QList<TextRun> runs)
    {
        std::sort(runs.begin(), runs.end(), [](const TextRun& a, const TextRun& b) { return a.at.x() < b.at.x(); });
        QString text;
        for (const TextRun& p : runs)
            text += p.text;
        return text;
    }

    struct Engine : QPaintEngine {
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}
        void drawRects(const QRectF*, int) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            runs << TextRun{item.text(), painter()->transform().map(p)};
        }
        Type type() const override { return User; }
        QList<TextRun> runs;
    };
    int m_dpi;
    mutable Engine m_engine;
};

// Records what one page of the layout draws.
void record(const report::Layout& layout, int page, TextRecorder* device)
{
    device->runs().clear();
    QPainter painter(device);
    layout.paintPage(&painter, page);
}

report::Definition twoColumns()
{
    report::Definition def;
    def.file = QStringLiteral("test.rpt");
    def.title = QStringLiteral("单位代码表");
    def.query = QStringLiteral("select dwdm, dwmc from dwdm order by dwdm");
    def.columns = {{QStringLiteral("单位代码"), 1}, {QStringLiteral("单位名称"), 3}};
    return def;
}

// Columns "栏目1", "栏目2"... with the shares of the page width.
report::Definition sharedColumns(const QList<int>& shares)
{
    report::Definition def = twoColumns();
    def.columns.clear();
    for (int i = 0; i < shares.size(); ++i)
        def.columns << report::Column{QStringLiteral("栏目%1").arg(i + 1), shares[i]};
    return def;
}

report::Rows numberedRows(int n)
{
    report::Rows rows;
    for (int i = 1; i <= n; ++i)
        rows << QStringList{QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')),
                            QStringLiteral("第%1号单位").arg(i)};
    return rows;
}

std::unique_ptr<QPrinter> pdfPrinter(const report::Definition& def, const QString& path)
{
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(path);
    report::SetupPage(*p, def);
    return p;
}

}  // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { report::SetPrintDialogHook({}); }

    // Every report file that ships reads its table in code order under its captions.
    void shippedReports_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("captions");   // empty: not fixed by the program
        QTest::newRow("rptdw") << "rptdw.rpt" << "dwdm"
                               << QStringList{"单位代码", "单位名称"};
        QTest::newRow("rptejdw") << "rptejdw.rpt" << "ejdwdm" << QStringList();
        QTest::newRow("rptrwjd") << "rptrwjd.rpt" << "rwjd" << QStringList();
        QTest::newRow("rptzc") << "rptzc.rpt" << "zcdm" << QStringList();
        QTest::newRow("rptsys") << "rptsys.rpt" << "sysdm" << QStringList();
        QTest::newRow("rptxk") << "rptxk.rpt" << "xkdm" << QStringList();
        QTest::newRow("rptmz") << "rptmz.rpt" << "mzdm" << QStringList();
        QTest::newRow("rptsq") << "rptsq.rpt" << "sqdm"
                               << QStringList{"单位代码", "单位名称", "邮政编码", "联系人",
                                              "联系电话", "传真", "电子邮件"};
    }
    void shippedReports()
    {
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(QStringList, captions);
        AppFixture fx;
        const int width = table == QLatin1String("sqdm") ? 7 : 2;
        const QString marks = QStringList(width, QStringLiteral("?")).join(QLatin1Char(','));
        for (const QString& code : {QStringLiteral("20"), QStringLiteral("03"), QStringLiteral("11")}) {
            QVariantList values{code};
            for (int c = 1; c < width; ++c)
                values << QStringLiteral("名称%1-%2").arg(code).arg(c);
            fx.exec(QStringLiteral("insert into %1 values (%2)").arg(table, marks), values);
        }

        report::Definition def;
        QString error;
        QVERIFY2(report::LoadDefinition(fx.folder() + "/" + file, &def, &error), qPrintable(error));
        QVERIFY(!def.title.isEmpty());
        QCOMPARE(def.columns.size(), width);
        if (!captions.isEmpty()) {
            QStringList got;
            for (const auto& c : def.columns)
                got << c.caption;
            QCOMPARE(got, captions);
        }
        report::Rows rows;
        QVERIFY2(report::RunQuery(def, fx.dbPath(), &rows, &error), qPrintable(error));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].value(0), QStringLiteral("03"));
        QCOMPARE(rows[1].value(0), QStringLiteral("11"));
        QCOMPARE(rows[2].value(0), QStringLiteral("20"));
        QCOMPARE(rows[0].value(width - 1), QStringLiteral("名称03-%1").arg(width - 1));
    }

    // Each page draws the title (first page only), the caption row, its rows in order
    // and its page number; together the pages hold every row once.
    void pageContents_data()
    {
        QTest::addColumn<int>("rowCount");
        QTest::newRow("empty table") << 0;
        QTest::newRow("three rows") << 3;
        QTest::newRow("three hundred rows") << 300;
    }
    void pageContents()
    {
        QFETCH(int, rowCount);
        report::Rows rows = numberedRows(rowCount);
        if (rowCount > 0)
            rows[1][1] = QString();   // a null name prints as an empty cell
        TextRecorder device(96);
        const report::Layout layout(twoColumns(), rows, QSizeF(device.width(), device.height()), device.logicalDpiY());
        QCOMPARE(layout.pageCount() > 1, rowCount > 100);
        QStringList printed;
        for (int page = 0; page < layout.pageCount(); ++page) {
            record(layout, page, &device);
            QStringList lines = device.lines();
            if (page == 0)
                QCOMPARE(lines.takeFirst(), QStringLiteral("单位代码表"));
            QCOMPARE(lines.takeFirst(), QStringLiteral("单位代码单位名称"));
            QCOMPARE(lines.takeLast(), report::FooterText(page + 1, layout.pageCount()));
            QCOMPARE(lines.size(), layout.endRow(page) - layout.firstRow(page));
            printed << lines;
        }
        QStringList expected;
        for (const QStringList& r : rows)
            expected << r.join(QString());
        QCOMPARE(printed, expected);
    }

    // Pages follow one another without a gap; a row taller than a page stands alone on
    // its page; the PDF holds as many pages as were laid out.
    void pagination_data()
    {
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<int>("tallRow");   // -1: none
        QTest::addColumn<int>("pages");     // 0: more than one
        QTest::newRow("empty table") << 0 << -1 << 1;
        QTest::newRow("ten rows") << 10 << -1 << 1;
        QTest::newRow("three hundred rows") << 300 << -1 << 0;
        QTest::newRow("a row taller than a page") << 3 << 1 << 3;
    }
    void pagination()
    {
        QFETCH(int, rowCount);
        QFETCH(int, tallRow);
        QFETCH(int, pages);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        const report::Definition def = twoColumns();
        report::Rows rows = numberedRows(rowCount);
        if (tallRow >= 0)
            rows[tallRow][1] = QStringLiteral("很长的说明文字，").repeated(2000);
        auto printer = pdfPrinter(def, path);
        const report::Layout layout(def, rows, printer.get());
        if (pages > 0)
            QCOMPARE(layout.pageCount(), pages);
        else
            QVERIFY(layout.pageCount() > 1);
        QCOMPARE(layout.firstRow(0), 0);
        QCOMPARE(layout.endRow(layout.pageCount() - 1), rowCount);
        for (int page = 0; page < layout.pageCount(); ++page) {
            QVERIFY(layout.endRow(page) > layout.firstRow(page) || rowCount == 0);
            if (page > 0)
                QCOMPARE(layout.firstRow(page), layout.endRow(page - 1));
        }
        if (tallRow >= 0) {
            QCOMPARE(layout.firstRow(tallRow), tallRow);
            QCOMPARE(layout.endRow(tallRow), tallRow + 1);
        }
        QVERIFY(report::WritePdf(def, rows, path));
        const QByteArray pdf = readFile(path);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdfPages(pdf), layout.pageCount());
    }

    // The print dialog may ask for a range of pages: those are printed, a range past
    // the end is cut at the last page.
    void printedRange_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("printed");   // -1: every page
        QTest::newRow("every page") << 0 << 0 << -1;
        QTest::newRow("pages 2 to 3") << 2 << 3 << 2;
        QTest::newRow("past the end") << 3 << 999 << 0;
    }
    void printedRange()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, printed);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        const report::Definition def = twoColumns();
        const report::Rows rows = numberedRows(300);
        auto printer = pdfPrinter(def, path);
        const int pages = report::Layout(def, rows, printer.get()).pageCount();
        QVERIFY(pages > 3);
        const int expected = printed < 0 ? pages : printed > 0 ? printed : pages - from + 1;
        QCOMPARE(report::Render(def, rows, printer.get(), from, to), expected);
        printer.reset();   // the file is complete
        QCOMPARE(pdfPages(readFile(path)), expected);
    }

    // Columns take the width of their content and together fill the page width. When
    // the table is too wide, the widest columns wrap and short values (codes,
    // telephone numbers) stay on one line.
    void columnWidths_data()
    {
        QTest::addColumn<QList<int>>("shares");
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QStringList>("oneLine");   // values that must not wrap
        QTest::addColumn<bool>("wraps");            // the row needs more than one line
        QTest::newRow("room to spare") << QList<int>{1, 3} << QStringList{"00001", "甲大学"}
                                       << QStringList{"00001", "甲大学"} << false;
        const QString name = QStringLiteral("示范工业技术大学").repeated(5);
        const QString mail = QStringLiteral("research.office.department@example-university.edu.cn");
        QTest::newRow("telephone beside a long name")
            << QList<int>{2, 6, 2, 2, 3, 3, 6}
            << QStringList{"10001", name, "310027", "张三", "0571-88888888", "0571-87654321", mail}
            << QStringList{"10001", "310027", "张三", "0571-88888888", "0571-87654321"} << true;
        QTest::newRow("eighty columns") << QList<int>(80, 1) << QStringList(80, QStringLiteral("名称12-34"))
                                        << QStringList() << true;
    }
    void columnWidths()
    {
        QFETCH(QList<int>, shares);
        QFETCH(QStringList, row);
        QFETCH(QStringList, oneLine);
        QFETCH(bool, wraps);
        TextRecorder device(96);
        const report::Layout layout(sharedColumns(shares), {row}, QSizeF(device.width(), device.height()),
                                    device.logicalDpiY());
        qreal total = 0;
        for (qreal w : layout.columnWidths()) {
            QVERIFY(w > 0);
            total += w;
        }
        QVERIFY(total <= device.width());
        QVERIFY(total > device.width() - 2);
        QCOMPARE(layout.rowLines(0) > 1, wraps);
        record(layout, 0, &device);
        const qreal baseline = device.baselineOf(row[0].left(3));
        for (const QString& value : oneLine)
            QVERIFY2(device.line(baseline).contains(value), qPrintable(value));
    }

    // A row is as tall as its value drawn on the most lines, whichever that is: not
    // always its longest value, and a value wraps by the width of its own column.
    void rowHeights_data()
    {
        QTest::addColumn<QList<int>>("shares");
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<bool>("longestTallest");   // the longest value takes the most lines
        const QString words = QStringLiteral("word ").repeated(40);
        const QString han = QStringLiteral("丙").repeated(60);
        QTest::newRow("a longer value on fewer lines") << QList<int>{3, 1} << QStringList{words, han} << false;
        QTest::newRow("one value in a wide and a narrow column") << QList<int>{3, 1} << QStringList{han, han}
                                                                 << false;
    }
    void rowHeights()
    {
        QFETCH(QList<int>, shares);
        QFETCH(QStringList, row);
        QFETCH(bool, longestTallest);
        TextRecorder device(96);
        const report::Layout layout(sharedColumns(shares), {row}, QSizeF(device.width(), device.height()),
                                    device.logicalDpiY());
        record(layout, 0, &device);
        // The lines of each value: the baselines of the runs of its text in its column.
        QList<int> drawn;
        qreal left = 0;
        for (int c = 0; c < row.size(); ++c) {
            const qreal right = left + layout.columnWidths()[c];
            QList<qreal> baselines;
            for (const TextRun& run : device.runs())
                if (run.at.x() >= left && run.at.x() < right && row[c].contains(run.text)
                    && std::none_of(baselines.begin(), baselines.end(),
                                    [&](qreal y) { return qAbs(y - run.at.y()) <= TextRecorder::kSameLine; }))
                    baselines << run.at.y();
            drawn << int(baselines.size());
            left = right;
        }
        const int tallest = *std::max_element(drawn.begin(), drawn.end());
        QVERIFY(tallest > 1);
        QCOMPARE(layout.rowLines(0), tallest);
        QCOMPARE(drawn[0] == tallest, longestTallest);
    }

    // Rows shorter than the query's columns print empty cells in the columns they
    // lack, even in columns narrower than their margins.
    void shortRows()
    {
        TextRecorder device(96);
        const report::Layout layout(sharedColumns(QList<int>(300, 1)), {{QStringLiteral("1")}, {}},
                                    QSizeF(device.width(), device.height()), device.logicalDpiY());
        QCOMPARE(layout.pageCount(), 1);
        QCOMPARE(layout.rowLines(0), 1);
        QCOMPARE(layout.rowLines(1), 1);
    }

    // Latin and Chinese text in one row stand on one baseline, in one-line and in
    // wrapped cells, in the caption row as in the rows.
    void sharedBaseline()
    {
        report::Definition def = twoColumns();
        def.columns = {{QStringLiteral("Code"), 1}, {QStringLiteral("名称"), 1}, {QStringLiteral("Note 说明"), 1}};
        const report::Rows rows{
            {QStringLiteral("ABC-123"), QStringLiteral("甲大学"), QStringLiteral("Beijing 北京 100871 ").repeated(20)}};
        TextRecorder device(96);
        const report::Layout layout(def, rows, QSizeF(device.width(), device.height()), device.logicalDpiY());
        QVERIFY(layout.rowLines(0) > 1);
        record(layout, 0, &device);
        // Positions are kept in 1/64 pixel: within that, one baseline.
        auto same = [](qreal a, qreal b) { return qAbs(a - b) <= TextRecorder::kSameLine; };
        const qreal caption = device.baselineOf(QStringLiteral("Code"));
        QVERIFY(same(device.baselineOf(QStringLiteral("名称")), caption));
        QVERIFY(same(device.baselineOf(QStringLiteral("说明")), caption));
        const qreal row = device.baselineOf(QStringLiteral("ABC-123"));
        QVERIFY(row > caption);
        QVERIFY(same(device.baselineOf(QStringLiteral("甲大学")), row));
        QVERIFY(same(device.baselineOf(QStringLiteral("Beijing")), row));
        QVERIFY(same(device.baselineOf(QStringLiteral("北京")), row));
    }

    void singleSelect_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain") << "select * from dwdm" << true;
        QTest::newRow("upper case, trailing semicolon") << "SELECT dwdm FROM dwdm;  " << true;
        QTest::newRow("leading comments") << "-- units\n/* all */ select 1" << true;
        QTest::newRow("trailing comment") << "select 1; -- done" << true;
        QTest::newRow("semicolon in a literal") << "select * from dwdm where dwmc = 'a;b'" << true;
        QTest::newRow("doubled quote in a literal") << "select 'it''s; fine'" << true;
        QTest::newRow("semicolon in a quoted name") << "select \"a;b\" from [x;y]" << true;
        QTest::newRow("second statement") << "select 1; delete from dwdm" << false;
        QTest::newRow("second statement after a literal") << "select 'x'; drop table dwdm" << false;
        QTest::newRow("delete") << "delete from dwdm" << false;
        QTest::newRow("update") << "update dwdm set dwmc = ''" << false;
        QTest::newRow("pragma") << "pragma query_only = 0" << false;
        QTest::newRow("attach") << "attach 'x.db' as x" << false;
        QTest::newRow("select-like word") << "selectx from dwdm" << false;
        QTest::newRow("unterminated literal") << "select 'abc" << false;
        QTest::newRow("unterminated comment") << "select 1 /* ; delete" << false;
        QTest::newRow("empty") << "  ;" << false;
    }
    void singleSelect()
    {
        QFETCH(QString, sql);
        QFETCH(bool, accepted);
        QCOMPARE(report::IsSingleSelect(sql), accepted);
    }

    // A report that cannot be made says why, naming the file, and nothing else happens:
    // no preview, and the tables stay as they were.
    void brokenReports_data()
    {
        QTest::addColumn<QString>("kind");   // "file", "none", "folder", "no database"
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QByteArray cols = "<column caption=\"a\"/><column caption=\"b\"/>";
        auto def = [&](const QByteArray& query, const QByteArray& columns) {
            return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><report title=\"t\"><query>" + query
                   + "</query>" + columns + "</report>";
        };
        QTest::newRow("missing file") << "none" << QByteArray() << "找不到报表文件";
        QTest::newRow("folder, not a file") << "folder" << QByteArray() << "无法读取报表文件";
        QTest::newRow("not XML") << "file" << QByteArray("title=x\nquery=select 1") << "报表文件格式不正确";
        QTest::newRow("cut off") << "file" << def("select * from dwdm", cols).left(60) << "报表文件格式不正确";
        QTest::newRow("wrong root") << "file" << QByteArray("<rpt><query>select 1</query></rpt>")
                                    << "报表文件格式不正确";
        QTest::newRow("no query") << "file" << def("", cols) << "报表文件格式不正确";
        QTest::newRow("no columns") << "file" << def("select * from dwdm", "") << "报表文件格式不正确";
        QTest::newRow("bad width") << "file"
                                   << def("select * from dwdm", "<column caption=\"a\" width=\"0\"/>")
                                   << "报表文件格式不正确";
        QTest::newRow("bad orientation")
            << "file"
            << QByteArray("<report orientation=\"sideways\"><query>select 1</query><column/></report>")
            << "报表文件格式不正确";
        QTest::newRow("delete") << "file" << def("delete from dwdm", cols) << "不是单独一条 SELECT 语句";
        QTest::newRow("select then delete") << "file" << def("select * from dwdm; delete from dwdm", cols)
                                            << "不是单独一条 SELECT 语句";
        QTest::newRow("unknown table") << "file" << def("select * from nosuch", cols)
                                       << "数据库拒绝执行报表查询";
        QTest::newRow("unknown column") << "file" << def("select dwdm, nosuch from dwdm", cols)
                                        << "数据库拒绝执行报表查询";
        QTest::newRow("captions do not match") << "file" << def("select dwdm from dwdm", cols)
                                               << "栏目与查询结果不符";
        QTest::newRow("no database") << "no database" << def("select * from dwdm", cols)
                                     << "无法打开数据库";
    }
    void brokenReports()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        AppFixture fx;
        fx.exec(QStringLiteral("insert into dwdm values ('00001', '甲大学')"));
        const QString file = fx.folder() + QStringLiteral("/broken.rpt");
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(file));
        else if (kind != QLatin1String("none"))
            writeFile(file, content);
        if (kind == QLatin1String("no database"))
            QVERIFY(QFile::remove(fx.dbPath()));

        ReportControl rpt(nullptr, QStringLiteral("rptdw"));
        rpt.SetReportFileName(file);
        QVERIFY(!rpt.PrintReport());
        QCOMPARE(fx.ui.messages.size(), 1);
        QCOMPARE(fx.ui.messages[0].title, QStringLiteral("提示信息"));
        QVERIFY2(fx.ui.messages[0].text.contains(message), qPrintable(fx.ui.messages[0].text));
        QVERIFY(fx.ui.messages[0].text.contains(QDir::toNativeSeparators(file)));
        QVERIFY(!rpt.PreviewWindow());
        QCOMPARE(fx.ui.busyDepth, 0);
        if (kind != QLatin1String("no database")) {
            QCOMPARE(fx.count(QStringLiteral("dwdm")), 1);
        } else {
            QVERIFY(!QFile::exists(fx.dbPath()));   // never made in its place
        }
    }

    // The preview is a window of its own at the requested place, usable while the
    // calling window is disabled; a second run replaces it with the table as it is
    // now, a failed run leaves it be, and it closes with the control.
    void previewWindow()
    {
        AppFixture fx;
        fx.exec(QStringLiteral("insert into dwdm values ('00002', '乙学院')"));
        fx.exec(QStringLiteral("insert into dwdm values ('00001', '甲大学')"));
        QWidget caller;
        caller.setEnabled(false);
        auto* rpt = new ReportControl(&caller, QStringLiteral("rptdw"));
        rpt->SetReportFileName(dwdmReport());
        rpt->SetWindowLeft(10);
        rpt->SetWindowTop(20);
        rpt->SetWindowWidth(640);
        rpt->SetWindowHeight(480);
        QVERIFY(rpt->PrintReport());
        QVERIFY(fx.ui.messages.isEmpty());

        QPointer<QWidget> first = rpt->PreviewWindow();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QVERIFY(first->isWindow());
        QVERIFY(first->isEnabled());
        QCOMPARE(first->frameGeometry().topLeft(), QPoint(10, 20));
        QCOMPARE(first->size(), QSize(640, 480));
        QVERIFY(first->windowTitle().contains(QStringLiteral("单位代码表")));
        auto* view = first->findChild<ReportPageView*>();
        QVERIFY(view);
        QTRY_COMPARE(view->pageCount(), 1);
        auto* preview = qobject_cast<ReportPreview*>(first);
        QVERIFY(preview);
        QCOMPARE(preview->ReportRows(), (report::Rows{{"00001", "甲大学"}, {"00002", "乙学院"}}));

        fx.exec(QStringLiteral("insert into dwdm values ('00003', '丙研究所')"));
        QVERIFY(rpt->PrintReport());
        Settle();
        QVERIFY(!first);
        QPointer<QWidget> second = rpt->PreviewWindow();
        QVERIFY(second && second->isVisible());
        QCOMPARE(qobject_cast<ReportPreview*>(second)->ReportRows().value(2), (QStringList{"00003", "丙研究所"}));

        rpt->SetReportFileName(fx.folder() + QStringLiteral("/none.rpt"));
        QVERIFY(!rpt->PrintReport());
        QCOMPARE(fx.ui.messages.size(), 1);
        QCOMPARE(rpt->PreviewWindow(), second.data());
        QVERIFY(second->isVisible());

        delete rpt;
        QVERIFY(!second);
    }

    void closeButton()
    {
        AppFixture fx;
        ReportControl rpt(nullptr, QStringLiteral("rptdw"));
        rpt.SetReportFileName(dwdmReport());
        QVERIFY(rpt.PrintReport());   // an empty table: an empty report, no message
        QVERIFY(fx.ui.messages.isEmpty());
        QPointer<QWidget> w = rpt.PreviewWindow();
        w->findChild<QAbstractButton*>(QStringLiteral("cmdClose"))->click();
        Settle();
        QVERIFY(!w);
        QVERIFY(!rpt.PreviewWindow());
    }

    // The controls of a print preview: paging by button and by page number, zoom,
    // fit width and fit page; Esc closes the window.
    void previewControls()
    {
        AppFixture fx;
        for (int i = 1; i <= 300; ++i)
            fx.exec(QStringLiteral("insert into dwdm values (?, ?)"),
                    {QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("第%1号单位").arg(i)});
        ReportControl rpt(nullptr, QStringLiteral("rptdw"));
        rpt.SetReportFileName(dwdmReport());
        QVERIFY(rpt.PrintReport());
        QPointer<QWidget> w = rpt.PreviewWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        ReportPageView* view = qobject_cast<ReportPreview*>(w.data())->View();
        QTRY_VERIFY(view->pageCount() > 2);
        const int last = view->pageCount();
        auto button = [&](const char* name) { return w->findChild<QAbstractButton*>(QString::fromLatin1(name)); };
        auto* number = w->findChild<QSpinBox*>(QStringLiteral("txtPage"));
        auto at = [&](int page) {
            return view->currentPage() == page && number->value() == page
                   && button("cmdFirst")->isEnabled() == (page > 1)
                   && button("cmdPrevious")->isEnabled() == (page > 1)
                   && button("cmdNext")->isEnabled() == (page < last)
                   && button("cmdLast")->isEnabled() == (page < last);
        };
        QVERIFY(at(1));
        QVERIFY(w->findChild<QLabel*>(QStringLiteral("lblPages"))->text().contains(QString::number(last)));
        const struct {
            const char* button;
            int page;
        } steps[] = {{"cmdNext", 2}, {"cmdLast", last}, {"cmdPrevious", last - 1}, {"cmdFirst", 1}};
        for (const auto& step : steps) {
            button(step.button)->click();
            QTRY_VERIFY2(at(step.page), qPrintable(QStringLiteral("%1: page %2 of %3, number %4")
                                                       .arg(QString::fromLatin1(step.button))
                                                       .arg(view->currentPage())
                                                       .arg(last)
                                                       .arg(number->value())));
        }
        number->setValue(3);
        QTRY_VERIFY(at(3));

        button("cmdFitPage")->click();
        QCOMPARE(view->zoomMode(), ReportPageView::FitInView);
        const qreal whole = view->zoomFactor();
        button("cmdZoomIn")->click();
        QCOMPARE(view->zoomMode(), ReportPageView::CustomZoom);
        QVERIFY(view->zoomFactor() > whole);
        button("cmdZoomOut")->click();
        button("cmdZoomOut")->click();
        QVERIFY(view->zoomFactor() < whole);
        button("cmdFitWidth")->click();
        QCOMPARE(view->zoomMode(), ReportPageView::FitToWidth);

        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w.data(), Qt::Key_Escape);
        QTRY_VERIFY(!w);
    }

    // A report longer than the rows read at first shows its first page at once and
    // counts its pages as the rest comes: the footer names the count only when it is
    // final, 末页 waits for it, and the pages are those of a layout of every row.
    void longReportComesInBlocks()
    {
        AppFixture fx;
        const int n = 2 * report::RowFeed::kBlock + 345;
        fx.exec(QStringLiteral("with recursive k(i) as (select 1 union all select i + 1 from k where i < ?) "
                               "insert into dwdm select printf('%05d', i), '第' || i || '号单位' from k"),
                {n});
        ReportControl rpt(nullptr, QStringLiteral("rptdw"));
        rpt.SetReportFileName(dwdmReport());
        QVERIFY(rpt.PrintReport());
        auto* preview = qobject_cast<ReportPreview*>(rpt.PreviewWindow());
        ReportPageView* view = preview->View();
        QVERIFY(view->pageCount() >= 1);

        auto* last = preview->findChild<QAbstractButton*>(QStringLiteral("cmdLast"));
        last->click();
        QCOMPARE(preview->ReportRows().size(), n);
        const report::Layout whole(preview->ReportDefinition(), preview->ReportRows(),
                                   pdfPrinter(preview->ReportDefinition(), fx.folder() + "/x.pdf").get());
        QCOMPARE(view->pageCount(), whole.pageCount());
        QCOMPARE(view->currentPage(), whole.pageCount());
        QCOMPARE(preview->ReportRows().last(), (QStringList{QStringLiteral("%1").arg(n, 5, 10, QLatin1Char('0')),
                                                            QStringLiteral("第%1号单位").arg(n)}));
        QVERIFY(preview->findChild<QLabel*>(QStringLiteral("lblPages"))->text().endsWith(
            QStringLiteral("/ %1 页").arg(whole.pageCount())));
    }

    // Pages counted while the rows come have no count in their footer; once the last
    // row has come, the pages are those of one layout of every row.
    void footerCountsOnlyFinishedPages()
    {
        TextRecorder device(300);
        const QSizeF page(device.width(), device.height());
        const report::Definition def = twoColumns();
        report::Layout layout(def, page, 300);
        layout.addRows(numberedRows(report::Layout::kWidthRows));
        layout.layOut(2);
        QCOMPARE(layout.pageCount(), 2);
        QVERIFY(!layout.complete());
        record(layout, 0, &device);
        QVERIFY(device.lines().contains(report::FooterText(1)));
        layout.addRows(numberedRows(400));
        layout.finish();
        report::Rows all = numberedRows(report::Layout::kWidthRows) + numberedRows(400);
        const report::Layout whole(def, all, page, 300);
        QCOMPARE(layout.pageCount(), whole.pageCount());
        for (int p = 0; p < whole.pageCount(); ++p)
            QCOMPARE(layout.firstRow(p), whole.firstRow(p));
        record(layout, 0, &device);
        QVERIFY(device.lines().contains(report::FooterText(1, whole.pageCount())));
    }

    // Column widths come from the first rows: a wider value later wraps in its column.
    void widthsComeFromTheFirstRows()
    {
        const report::Definition def = twoColumns();
        report::Rows rows = numberedRows(report::Layout::kWidthRows);
        const report::Layout first(def, rows, QSizeF(2000, 3000), 300);
        rows << QStringList{QStringLiteral("1234567890123456789012345"), QStringLiteral("名")};
        const report::Layout more(def, rows, QSizeF(2000, 3000), 300);
        QCOMPARE(more.columnWidths(), first.columnWidths());
        QVERIFY(more.rowLines(int(rows.size()) - 1) > 1);
    }

    // A query that fails after its first rows: the preview says why and closes.
    void readingFailsLater()
    {
        AppFixture fx;
        const QString file = fx.folder() + QStringLiteral("/late.rpt");
        writeFile(file, "<report title=\"t\"><query>select i, case when i &gt; 2500 then abs(i - i - 9223372036854775807 - 1) "
                        "else i end from (with recursive k(i) as (select 1 union all select i + 1 from k where i &lt; 5000) "
                        "select i from k)</query><column caption=\"a\"/><column caption=\"b\"/></report>");
        ReportControl rpt(nullptr, QStringLiteral("rpt"));
        rpt.SetReportFileName(file);
        QVERIFY2(rpt.PrintReport(), qPrintable(fx.ui.texts().join(" | ")));
        QPointer<QWidget> w = rpt.PreviewWindow();
        QTRY_VERIFY(!w);
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY2(fx.ui.messages[0].text.contains(QStringLiteral("数据库拒绝执行报表查询")), qPrintable(fx.ui.messages[0].text));
    }

    // A save over an old file replaces it once the new one is complete: one that
    // fails (the disk fills up) leaves the old file whole.
    void savePdf_data()
    {
        QTest::addColumn<QString>("answer");   // "" cancels; relative to the temp folder
        QTest::addColumn<bool>("oldFile");     // a file is there already
        QTest::addColumn<qint64>("room");      // the bytes a file may grow to; 0: no limit
        QTest::addColumn<QString>("result");   // what is there afterwards: "pdf", "old" or ""
        QTest::addColumn<QString>("message");
        QTest::newRow("saved") << "units.pdf" << false << qint64(0) << "pdf" << "";
        QTest::newRow("saved over an old file") << "units.pdf" << true << qint64(0) << "pdf" << "";
        QTest::newRow("cancelled") << "" << false << qint64(0) << "" << "";
        QTest::newRow("folder missing") << "nosuch/units.pdf" << false << qint64(0) << "" << "无法保存PDF文件";
        QTest::newRow("disk full over an old file") << "units.pdf" << true << qint64(4096) << "old"
                                                    << "无法保存PDF文件";
    }
    void savePdf()
    {
        QFETCH(QString, answer);
        QFETCH(bool, oldFile);
        QFETCH(qint64, room);
        QFETCH(QString, result);
        QFETCH(QString, message);
        AppFixture fx;
        fx.exec(QStringLiteral("insert into dwdm values ('00001', '甲大学')"));
        QTemporaryDir out;
        const QString path = answer.isEmpty() ? QString() : out.filePath(answer);
        const QByteArray old = "an old report " + QByteArray(1000, 'x');
        if (oldFile)
            writeFile(path, old);
        fx.ui.fileAnswers << path;
        ReportControl rpt(nullptr, QStringLiteral("rptdw"));
        rpt.SetReportFileName(dwdmReport());
        QVERIFY(rpt.PrintReport());
        {
            std::optional<FileSizeLimit> full;
            if (room > 0)
                full.emplace(room);
            rpt.PreviewWindow()->findChild<QAbstractButton*>(QStringLiteral("cmdPdf"))->click();
        }

        QCOMPARE(fx.ui.fileDialogs.size(), 1);
        QVERIFY(fx.ui.fileDialogs[0].save);
        QCOMPARE(fx.ui.fileDialogs[0].defaultExt, QStringLiteral("pdf"));
        QCOMPARE(QFile::exists(path), !result.isEmpty());
        if (result == "pdf")
            QVERIFY(readFile(path).startsWith("%PDF"));
        if (result == "old")
            QCOMPARE(readFile(path), old);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), result.isEmpty() ? 0 : 1);
        QCOMPARE(fx.ui.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY(fx.ui.messages[0].text.contains(message));
            QVERIFY(fx.ui.messages[0].text.contains(QDir::toNativeSeparators(path)));
        }
        QVERIFY(rpt.PreviewWindow()->isVisible());
    }

    // Printing goes to the printer the dialog returns; a cancelled dialog prints nothing.
    void printButton_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("printed") << true;
        QTest::newRow("cancelled") << false;
    }
    void printButton()
    {
        QFETCH(bool, accept);
        AppFixture fx;
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("printed.pdf"));
        int asked = 0;
        report::SetPrintDialogHook([&](QPrinter* printer, QWidget* parent) {
            ++asked;
            [&] { QVERIFY(parent && parent->isWindow()); }();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            return accept;
        });
        ReportControl rpt(nullptr, QStringLiteral("rptsq"));
        rpt.SetReportFileName(fx.folder() + QStringLiteral("/rptsq.rpt"));
        QVERIFY(rpt.PrintReport());
        rpt.PreviewWindow()->findChild<QAbstractButton*>(QStringLiteral("cmdPrint"))->click();
        QCOMPARE(asked, 1);
        QCOMPARE(QFile::exists(path), accept);
        QVERIFY(fx.ui.messages.isEmpty());
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
