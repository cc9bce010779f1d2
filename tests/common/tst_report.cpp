#include "Report.h"

#include "AppFolder.h"
#include "Db.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

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

QTextTable* firstTable(QTextDocument* doc)
{
    for (QTextFrame* f : doc->rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f))
            return t;
    return nullptr;
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

    // The document carries the title, the caption row (repeated on each page) and the
    // rows in order; an empty table leaves the captions alone.
    void documentContents_data()
    {
        QTest::addColumn<int>("rowCount");
        QTest::newRow("empty table") << 0;
        QTest::newRow("three rows") << 3;
    }
    void documentContents()
    {
        QFETCH(int, rowCount);
        report::Rows rows = numberedRows(rowCount);
        if (rowCount > 0)
            rows[1][1] = QString();   // a null name prints as an empty cell
        auto doc = report::BuildDocument(twoColumns(), rows);
        QTextTable* t = firstTable(doc.get());
        QVERIFY(t);
        QCOMPARE(t->rows(), rowCount + 1);
        QCOMPARE(t->columns(), 2);
        QCOMPARE(t->format().headerRowCount(), 1);
        QCOMPARE(t->cellAt(0, 0).firstCursorPosition().block().text(), QStringLiteral("单位代码"));
        QCOMPARE(t->cellAt(0, 1).firstCursorPosition().block().text(), QStringLiteral("单位名称"));
        for (int r = 0; r < rowCount; ++r)
            for (int c = 0; c < 2; ++c)
                QCOMPARE(t->cellAt(r + 1, c).firstCursorPosition().block().text(), rows[r][c]);
        QVERIFY(doc->toPlainText().startsWith(QStringLiteral("单位代码表")));
    }

    // Long tables run over several pages; the PDF holds as many pages as were laid out.
    void pagination_data()
    {
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<bool>("severalPages");
        QTest::newRow("empty table") << 0 << false;
        QTest::newRow("ten rows") << 10 << false;
        QTest::newRow("three hundred rows") << 300 << true;
    }
    void pagination()
    {
        QFETCH(int, rowCount);
        QFETCH(bool, severalPages);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        const report::Definition def = twoColumns();
        auto doc = report::BuildDocument(def, numberedRows(rowCount));
        auto printer = pdfPrinter(def, path);
        const int pages = report::PageCount(*doc, printer.get());
        QCOMPARE(pages > 1, severalPages);
        QVERIFY(pages >= 1);
        QVERIFY(report::WritePdf(*doc, def, path));
        const QByteArray pdf = readFile(path);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdfPages(pdf), pages);
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
        auto* view = first->findChild<QPrintPreviewWidget*>();
        QVERIFY(view);
        QTRY_COMPARE(view->pageCount(), 1);
        auto* doc = first->findChild<QTextDocument*>();
        QVERIFY(doc);
        const QString text = doc->toPlainText();
        QVERIFY(text.indexOf(QStringLiteral("甲大学")) < text.indexOf(QStringLiteral("乙学院")));

        fx.exec(QStringLiteral("insert into dwdm values ('00003', '丙研究所')"));
        QVERIFY(rpt->PrintReport());
        Settle();
        QVERIFY(!first);
        QPointer<QWidget> second = rpt->PreviewWindow();
        QVERIFY(second && second->isVisible());
        QVERIFY(second->findChild<QTextDocument*>()->toPlainText().contains(QStringLiteral("丙研究所")));

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
        w->findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
        Settle();
        QVERIFY(!w);
        QVERIFY(!rpt.PreviewWindow());
    }

    void savePdf_data()
    {
        QTest::addColumn<QString>("answer");   // "" cancels; relative to the temp folder
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("message");
        QTest::newRow("saved") << "units.pdf" << true << "";
        QTest::newRow("cancelled") << "" << false << "";
        QTest::newRow("folder missing") << "nosuch/units.pdf" << false << "无法保存PDF文件";
    }
    void savePdf()
    {
        QFETCH(QString, answer);
        QFETCH(bool, written);
        QFETCH(QString, message);
        AppFixture fx;
        fx.exec(QStringLiteral("insert into dwdm values ('00001', '甲大学')"));
        QTemporaryDir out;
        const QString path = answer.isEmpty() ? QString() : out.filePath(answer);
        fx.ui.fileAnswers << path;
        ReportControl rpt(nullptr, QStringLiteral("rptdw"));
        rpt.SetReportFileName(dwdmReport());
        QVERIFY(rpt.PrintReport());
        rpt.PreviewWindow()->findChild<QPushButton*>(QStringLiteral("cmdPdf"))->click();

        QCOMPARE(fx.ui.fileDialogs.size(), 1);
        QVERIFY(fx.ui.fileDialogs[0].save);
        QCOMPARE(fx.ui.fileDialogs[0].defaultExt, QStringLiteral("pdf"));
        QCOMPARE(QFile::exists(path), written);
        if (written)
            QVERIFY(readFile(path).startsWith("%PDF"));
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
        rpt.PreviewWindow()->findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
        QCOMPARE(asked, 1);
        QCOMPARE(QFile::exists(path), accept);
        QVERIFY(fx.ui.messages.isEmpty());
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
