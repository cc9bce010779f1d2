// The document engine at its boundaries: one small document, scripts of moves, and
// where the caret ends (or that the step is refused).

#include "WordDocument.h"

#include <QTemporaryDir>
#include <QTest>
#include <quazip.h>
#include <quazipfile.h>

using docs::DocError;
using docs::WordDocument;

namespace {

// Lines: 0 "ab" (bold, with an element no word processor here knows), 1 a row
// "x" | "" | "yz", 2 a row "" | "q", 3 "c" page break " ", 4 "last" starting a page.
const char* kDocument =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" xmlns:x14="urn:example:later" mc:Ignorable="x14"><w:body>
<w:p><w:pPr><w:jc w:val="center"/></w:pPr><w:r><w:rPr><w:b/></w:rPr><w:t>ab</w:t></w:r><x14:mark x14:a="1"><x14:inner/></x14:mark></w:p>
<w:tbl><w:tblPr><w:tblW w:w="0" w:type="auto"/></w:tblPr><w:tblGrid><w:gridCol w:w="1000"/></w:tblGrid>
<w:tr><w:tc><w:p><w:r><w:t>x</w:t></w:r></w:p></w:tc><w:tc><w:p/></w:tc><w:tc><w:p><w:r><w:t>yz</w:t></w:r></w:p></w:tc></w:tr>
<w:tr><w:tc><w:p/></w:tc><w:tc><w:p><w:r><w:t>q</w:t></w:r></w:p></w:tc></w:tr>
</w:tbl>
<w:p><w:r><w:t>c</w:t><w:br w:type="page"/><w:t xml:space="preserve"> </w:t></w:r></w:p>
<w:p><w:pPr><w:pageBreakBefore/></w:pPr><w:r><w:t>last</w:t></w:r></w:p>
<!-- kept --><w:sectPr/></w:body></w:document>)";

QString MakeDocument(const QString& folder)
{
    const QString path = folder + "/fixture.docx";
    docs::writePackage(path, {{"[Content_Types].xml", "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
                              {"word/document.xml", kDocument},
                              {"customXml/item1.xml", "<data>kept as it is</data>"}});
    return path;
}

// Runs a script of steps: Dn Un Rn Ln Cn (down, up, right, left, cell), E (end of
// line), P (next page), Xn Yn (extend down, up), T:text ("\r", "\n" line breaks), copy, paste.
void Run(WordDocument& d, const QString& script)
{
    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
        const int n = step.mid(1).toInt();
        if (step == "copy") d.copy();
        else if (step == "paste") d.paste();
        else if (step.startsWith("T:")) d.typeText(step.mid(2).replace("\\r", "\r").replace("\\n", "\n"));
        else if (step[0] == 'D') d.moveDown(n);
        else if (step[0] == 'U') d.moveUp(n);
        else if (step[0] == 'R') d.moveRight(n);
        else if (step[0] == 'L') d.moveLeft(n);
        else if (step[0] == 'C') d.moveRightCell(n);
        else if (step[0] == 'E') d.endOfLine();
        else if (step[0] == 'P') d.nextPage();
        else if (step[0] == 'X') d.moveDown(n, true);
        else if (step[0] == 'Y') d.moveUp(n, true);
        else qFatal("unknown step %s", qPrintable(step));
    }
}

}  // namespace

class TestWordEngine : public QObject {
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
    void keepsWhatItDoesNotKnow();
    void charactersOutsideTheBasicPlane();
    void aTextThatCannotBeWrittenKeepsTheEarlierFile();
    void refusesWhatIsNotADocument();
};

void TestWordEngine::steps_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("caret");   // "line,cell,offset" or "error"
    QTest::addColumn<QString>("lines");   // the document's lines afterwards, "/" between, "|" between cells; empty: unchanged

    QTest::newRow("right to a paragraph's end") << "R2" << "0,0,2" << "";
    QTest::newRow("right past a paragraph's end") << "R3" << "1,0,0" << "";
    QTest::newRow("right from a cell's end to the next, empty cell") << "R5" << "1,1,0" << "";
    QTest::newRow("an empty cell has one stop") << "R6" << "1,2,0" << "";
    QTest::newRow("right from the last cell to the end-of-row stop") << "R9" << "1,3,0" << "";
    QTest::newRow("right from the end-of-row stop to the next row") << "R10" << "2,0,0" << "";
    QTest::newRow("left from a row's start to the end-of-row stop before") << "D2 L1" << "1,3,0" << "";
    QTest::newRow("left at the document's start") << "L1" << "error" << "";
    QTest::newRow("up at the document's start") << "U1" << "error" << "";
    QTest::newRow("down to the last line") << "D4" << "4,0,0" << "";
    QTest::newRow("down past the document's end") << "D5" << "error" << "";
    QTest::newRow("right past the document's end") << "D4 E R1" << "error" << "";
    QTest::newRow("down lands on the cell under the goal column") << "R2 D1" << "1,1,0" << "";
    QTest::newRow("down keeps the goal column inside a cell") << "R2 D2" << "2,1,1" << "";
    QTest::newRow("down from a row into a paragraph") << "R2 D3" << "3,0,2" << "";
    QTest::newRow("cell to the next cell") << "D1 C1" << "1,1,0" << "";
    QTest::newRow("cell from the row's last cell to the next row") << "D1 C3" << "2,0,0" << "";
    QTest::newRow("cell from the end-of-row stop") << "R9 C1" << "2,0,0" << "";
    QTest::newRow("cell past the table's last cell") << "D2 C2" << "error" << "";
    QTest::newRow("cell outside a table") << "C1" << "error" << "";
    QTest::newRow("typing at the end-of-row stop") << "R9 T:k" << "error" << "";
    QTest::newRow("end of line at the end-of-row stop") << "R9 E" << "error" << "";
    QTest::newRow("end of line in a cell") << "D1 C2 E" << "1,2,2" << "";
    QTest::newRow("typing into an empty cell")
        << "D1 C1 T:k" << "1,1,1" << "ab/x|k|yz/|q/c\f /last";
    QTest::newRow("type, left by its length, down: the column where typing began")
        << "D1 C2 T:ab L2 D1" << "2,1,1" << "ab/x||abyz/|q/c\f /last";
    QTest::newRow("a typed line break is a space") << "T:1\\n2\\r\\n3" << "0,0,5" << "1 2 3ab/x||yz/|q/c\f /last";
    QTest::newRow("next page after a page break character") << "P" << "3,0,2" << "";
    QTest::newRow("next page at a paragraph that starts a page") << "P P" << "4,0,0" << "";
    QTest::newRow("next page on the last page") << "P P P" << "error" << "";
    QTest::newRow("copy without a selection") << "copy" << "error" << "";
    QTest::newRow("extend across a table, paste before a paragraph")
        << "X3 copy D1 paste" << "3,0,3" << "ab/x||yz/|q/c\f /ab/x||yz/|q/last";
    QTest::newRow("extend into a row takes the whole row")
        << "R1 X1 copy D3 paste" << "3,0,3" << "ab/x||yz/|q/c\f /ab/x||yz/last";
    QTest::newRow("extend up") << "D3 Y2 copy D2 paste" << "2,2,0" << "ab/x||yz/|q/x||yz/|q/c\f /last";
    QTest::newRow("paste inside a table") << "X1 copy D1 paste" << "error" << "";
    QTest::newRow("next page reaches a pasted block that starts a page")
        << "D4 X0 copy U1 paste P" << "3,0,0" << "ab/x||yz/|q/last/c\f /last";
}

void TestWordEngine::steps()
{
    QFETCH(QString, script);
    QFETCH(QString, caret);
    QFETCH(QString, lines);
    QTemporaryDir dir;
    auto d = WordDocument::open(MakeDocument(dir.path()));
    const QList<QStringList> before = d->textModel();
    try {
        Run(*d, script);
    } catch (const DocError& e) {
        QVERIFY2(caret == "error", e.what());
        return;
    }
    QVERIFY2(caret != "error", "the step was not refused");
    const auto c = d->caret();
    QCOMPARE(QString("%1,%2,%3").arg(c.line).arg(c.cell).arg(c.offset), caret);
    QStringList shown;
    for (const QStringList& l : (lines.isEmpty() ? before : d->textModel()))
        shown << l.join('|');
    QCOMPARE(shown.join('/'), lines.isEmpty() ? shown.join('/') : lines);
    if (lines.isEmpty())
        QCOMPARE(d->textModel(), before);
}

void TestWordEngine::keepsWhatItDoesNotKnow()
{
    QTemporaryDir dir;
    auto d = WordDocument::open(MakeDocument(dir.path()));
    d->typeText("Z");
    d->saveAs(dir.path(), "out.doc");
    auto again = WordDocument::open(dir.filePath("out.doc"));
    const QString xml = QString::fromUtf8(again->documentXml());
    QVERIFY(xml.contains(R"(<x14:mark x14:a="1"><x14:inner/></x14:mark>)"));
    QVERIFY(xml.contains(R"(mc:Ignorable="x14")"));
    QVERIFY(xml.contains("<!-- kept -->"));
    QVERIFY(xml.contains(R"(<w:rPr><w:b/></w:rPr><w:t xml:space="preserve">Zab</w:t>)"));   // the run's bold
    QCOMPARE(again->lineTexts(3), QStringList{"c\f "});   // a text of one blank survives
    QuaZip zip(dir.filePath("out.doc"));
    QVERIFY(zip.open(QuaZip::mdUnzip));
    QVERIFY(zip.setCurrentFile("customXml/item1.xml"));
    QuaZipFile part(&zip);
    QVERIFY(part.open(QIODevice::ReadOnly));
    QCOMPARE(part.readAll(), QByteArray("<data>kept as it is</data>"));
}

void TestWordEngine::charactersOutsideTheBasicPlane()
{
    // 𠮷 (U+20BB7) is one character, one caret stop, typed or read back.
    QTemporaryDir dir;
    auto d = WordDocument::open(MakeDocument(dir.path()));
    Run(*d, "D1 C1 T:𠮷𠮷 L1 T:k");
    QCOMPARE(d->caret(), (WordDocument::Caret{1, 1, 2}));
    QCOMPARE(d->lineTexts(1), (QStringList{"x", "𠮷k𠮷", "yz"}));
    d->saveAs(dir.path(), "out.doc");
    auto again = WordDocument::open(dir.filePath("out.doc"));
    QCOMPARE(again->lineTexts(1), (QStringList{"x", "𠮷k𠮷", "yz"}));
    Run(*again, "D1 C1 E");
    QCOMPARE(again->caret(), (WordDocument::Caret{1, 1, 3}));
    Run(*again, "L2 T:m");
    QCOMPARE(again->lineTexts(1), (QStringList{"x", "𠮷mk𠮷", "yz"}));
}

void TestWordEngine::aTextThatCannotBeWrittenKeepsTheEarlierFile()
{
    QTemporaryDir dir;
    auto d = WordDocument::open(MakeDocument(dir.path()));
    d->saveAs(dir.path(), "out.doc");
    QFile out(dir.filePath("out.doc"));
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QByteArray before = out.readAll();
    out.close();
    // Half of a surrogate pair has no form in the file.
    d->typeText(QString(QChar(0xD842)));
    QVERIFY_THROWS_EXCEPTION(DocError, d->save());
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), before);
}

void TestWordEngine::refusesWhatIsNotADocument()
{
    QTemporaryDir dir;
    QFile junk(dir.filePath("junk.doc"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a package");
    junk.close();
    docs::writePackage(dir.filePath("empty.doc"), {{"other.xml", "<a/>"}});
    docs::writePackage(dir.filePath("broken.doc"), {{"word/document.xml", "<w:document><w:body>"}});
    for (const char* name : {"missing.doc", "junk.doc", "empty.doc", "broken.doc"})
        QVERIFY_THROWS_EXCEPTION(DocError, WordDocument::open(dir.filePath(name)));
}

QTEST_MAIN(TestWordEngine)
#include "tst_wordengine.moc"
