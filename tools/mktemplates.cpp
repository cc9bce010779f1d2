// Makes the document templates of rpt/ from their descriptions in templates/.
//
//     mktemplates <templates folder> <output folder>
//
// templates.txt lists the templates: "<description> | <output name> [| breakfirst]";
// breakfirst starts the first paragraph on a new page (the summary list's
// continuation block, which is pasted behind a page). A description is a list of
// lines:
//
//     # comment
//     PAGE landscape                  (A4 portrait otherwise)
//     P [options]: text               a paragraph
//     TABLE [noborder]                a table, up to END
//     ROW[*n] [options]               a row (n times), its cells follow
//     C width [options]: text         a cell of that width in twips
//     END
//     INCLUDE file                    the lines of another description
//
//     C*n width [options]: text      n such cells
//
// Paragraph and cell options: center, right, bold, size=<half points>, line=<twips>
// (exact line spacing), pagebefore (starts a page); paragraphs also indent=<twips> and
// after=<twips> (space after); cells also vstart and vcont (a cell merged with the ones
// below it, and such a lower cell). Row options: h=<twips> (the least height), exact
// (that height and no other), cantsplit (never split across pages), header (repeated
// at the top of each page the table runs on; only rows from the table's first).
// "{page}" in a text is a page break.

#include "WordDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <QXmlStreamWriter>
#include <cstdio>
#include <set>

namespace {

[[noreturn]] void fail(const QString& message)
{
    std::fprintf(stderr, "mktemplates: %s\n", qPrintable(message));
    std::exit(1);
}

QStringList readLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(QStringLiteral("cannot read %1").arg(path));
    QStringList out;
    for (QString line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        // Only ASCII blanks are layout here: a full-width space is a character of a text.
        while (!line.isEmpty() && (line.back() == QLatin1Char(' ') || line.back() == QLatin1Char('\r') || line.back() == QLatin1Char('\t')))
            line.chop(1);
        while (!line.isEmpty() && (line.front() == QLatin1Char(' ') || line.front() == QLatin1Char('\t')))
            line.remove(0, 1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1String("INCLUDE ")))
            out += readLines(QFileInfo(path).dir().filePath(line.mid(8).trimmed()));
        else
            out << line;
    }
    return out;
}

struct Item {
    QString kind;   // P, C, ROW, TABLE, END, PAGE
    QStringList options;
    QString text;
    bool has(const char* o) const { return options.contains(QLatin1String(o)); }
    QString value(const char* key) const
    {
        const QString prefix = QLatin1String(key) + QLatin1Char('=');
        for (const QString& o : options)
            if (o.startsWith(prefix))
                return o.mid(prefix.size());
        return QString();
    }
};

Item parse(const QString& line)
{
    Item item;
    const int colon = line.indexOf(QLatin1Char(':'));
    const QString head = colon < 0 ? line : line.left(colon);
    if (colon >= 0) {
        item.text = line.mid(colon + 1);
        if (item.text.startsWith(QLatin1Char(' ')))
            item.text.remove(0, 1);
    }
    item.options = head.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    item.kind = item.options.takeFirst();
    return item;
}

class Writer {
public:
    explicit Writer(QByteArray* out) : w(out) {}

    void run(const QString& text, const Item& item)
    {
        const QStringList pieces = text.split(QStringLiteral("{page}"));
        for (int i = 0; i < pieces.size(); ++i) {
            if (i > 0) {
                w.writeStartElement(QStringLiteral("w:r"));
                w.writeEmptyElement(QStringLiteral("w:br"));
                w.writeAttribute(QStringLiteral("w:type"), QStringLiteral("page"));
                w.writeEndElement();
            }
            if (pieces[i].isEmpty())
                continue;
            w.writeStartElement(QStringLiteral("w:r"));
            runProperties(item);
            w.writeStartElement(QStringLiteral("w:t"));
            w.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            w.writeCharacters(pieces[i]);
            w.writeEndElement();
            w.writeEndElement();
        }
    }

    void runProperties(const Item& item)
    {
        if (!item.has("bold") && item.value("size").isEmpty())
            return;
        w.writeStartElement(QStringLiteral("w:rPr"));
        if (item.has("bold"))
            w.writeEmptyElement(QStringLiteral("w:b"));
        if (!item.value("size").isEmpty()) {
            w.writeEmptyElement(QStringLiteral("w:sz"));
            w.writeAttribute(QStringLiteral("w:val"), item.value("size"));
            w.writeEmptyElement(QStringLiteral("w:szCs"));
            w.writeAttribute(QStringLiteral("w:val"), item.value("size"));
        }
        w.writeEndElement();
    }

    void paragraph(const Item& item, bool breakFirst)
    {
        w.writeStartElement(QStringLiteral("w:p"));
        w.writeStartElement(QStringLiteral("w:pPr"));
        if (item.has("pagebefore") || breakFirst)
            w.writeEmptyElement(QStringLiteral("w:pageBreakBefore"));
        w.writeEmptyElement(QStringLiteral("w:spacing"));
        w.writeAttribute(QStringLiteral("w:after"), item.value("after").isEmpty() ? QStringLiteral("0") : item.value("after"));
        if (!item.value("line").isEmpty()) {
            w.writeAttribute(QStringLiteral("w:line"), item.value("line"));
            w.writeAttribute(QStringLiteral("w:lineRule"), QStringLiteral("exact"));
        }
        if (!item.value("indent").isEmpty()) {
            w.writeEmptyElement(QStringLiteral("w:ind"));
            w.writeAttribute(QStringLiteral("w:left"), item.value("indent"));
        }
        if (item.has("center") || item.has("right")) {
            w.writeEmptyElement(QStringLiteral("w:jc"));
            w.writeAttribute(QStringLiteral("w:val"), item.has("center") ? QStringLiteral("center") : QStringLiteral("right"));
        }
        runProperties(item);   // the paragraph mark's, which typing into an empty paragraph takes
        w.writeEndElement();
        run(item.text, item);
        w.writeEndElement();
    }

    // A table: rows of (options, cells); the grid is the union of the cell edges.
    void table(const Item& tableItem, const QList<QPair<Item, QList<Item>>>& rows)
    {
        std::set<int> edges;
        for (const auto& row : rows) {
            int x = 0;
            for (const Item& c : row.second)
                edges.insert(x += c.options.value(0).toInt());
        }
        const std::vector<int> grid(edges.begin(), edges.end());
        w.writeStartElement(QStringLiteral("w:tbl"));
        w.writeStartElement(QStringLiteral("w:tblPr"));
        w.writeEmptyElement(QStringLiteral("w:tblW"));
        w.writeAttribute(QStringLiteral("w:w"), QString::number(grid.empty() ? 0 : grid.back()));
        w.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
        w.writeEmptyElement(QStringLiteral("w:jc"));
        w.writeAttribute(QStringLiteral("w:val"), QStringLiteral("center"));
        if (!tableItem.has("noborder")) {
            w.writeStartElement(QStringLiteral("w:tblBorders"));
            for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
                w.writeEmptyElement(QStringLiteral("w:") + QLatin1String(side));
                w.writeAttribute(QStringLiteral("w:val"), QStringLiteral("single"));
                w.writeAttribute(QStringLiteral("w:sz"), QStringLiteral("6"));
                w.writeAttribute(QStringLiteral("w:space"), QStringLiteral("0"));
                w.writeAttribute(QStringLiteral("w:color"), QStringLiteral("000000"));
            }
            w.writeEndElement();
        }
        w.writeEmptyElement(QStringLiteral("w:tblLayout"));
        w.writeAttribute(QStringLiteral("w:type"), QStringLiteral("fixed"));
        w.writeStartElement(QStringLiteral("w:tblCellMar"));
        for (const char* side : {"left", "right"}) {
            w.writeEmptyElement(QStringLiteral("w:") + QLatin1String(side));
            w.writeAttribute(QStringLiteral("w:w"), QStringLiteral("57"));
            w.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
        }
        w.writeEndElement();
        w.writeEndElement();
        w.writeStartElement(QStringLiteral("w:tblGrid"));
        int prev = 0;
        for (int e : grid) {
            w.writeEmptyElement(QStringLiteral("w:gridCol"));
            w.writeAttribute(QStringLiteral("w:w"), QString::number(e - prev));
            prev = e;
        }
        w.writeEndElement();
        for (const auto& row : rows) {
            w.writeStartElement(QStringLiteral("w:tr"));
            const Item& r = row.first;
            if (!r.value("h").isEmpty() || r.has("cantsplit") || r.has("header")) {
                w.writeStartElement(QStringLiteral("w:trPr"));
                if (r.has("cantsplit"))
                    w.writeEmptyElement(QStringLiteral("w:cantSplit"));
                if (!r.value("h").isEmpty()) {
                    w.writeEmptyElement(QStringLiteral("w:trHeight"));
                    w.writeAttribute(QStringLiteral("w:val"), r.value("h"));
                    if (r.has("exact"))
                        w.writeAttribute(QStringLiteral("w:hRule"), QStringLiteral("exact"));
                }
                if (r.has("header"))
                    w.writeEmptyElement(QStringLiteral("w:tblHeader"));
                w.writeEndElement();
            }
            int x = 0;
            for (const Item& c : row.second) {
                const int width = c.options.value(0).toInt();
                const int span = int(std::count_if(grid.begin(), grid.end(), [&](int e) { return e > x && e <= x + width; }));
                x += width;
                w.writeStartElement(QStringLiteral("w:tc"));
                w.writeStartElement(QStringLiteral("w:tcPr"));
                w.writeEmptyElement(QStringLiteral("w:tcW"));
                w.writeAttribute(QStringLiteral("w:w"), QString::number(width));
                w.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
                if (span > 1) {
                    w.writeEmptyElement(QStringLiteral("w:gridSpan"));
                    w.writeAttribute(QStringLiteral("w:val"), QString::number(span));
                }
                if (c.has("vstart") || c.has("vcont")) {
                    w.writeEmptyElement(QStringLiteral("w:vMerge"));
                    if (c.has("vstart"))
                        w.writeAttribute(QStringLiteral("w:val"), QStringLiteral("restart"));
                }
                w.writeEmptyElement(QStringLiteral("w:vAlign"));
                w.writeAttribute(QStringLiteral("w:val"), QStringLiteral("center"));
                w.writeEndElement();
                paragraph(c, false);
                w.writeEndElement();
            }
            w.writeEndElement();
        }
        w.writeEndElement();
    }

    QXmlStreamWriter w;
};

QByteArray documentXml(const QStringList& lines, bool breakFirst)
{
    QByteArray out;
    Writer writer(&out);
    QXmlStreamWriter& w = writer.w;
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeStartElement(QStringLiteral("w:document"));
    w.writeAttribute(QStringLiteral("xmlns:w"), QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main"));
    w.writeAttribute(QStringLiteral("xmlns:r"), QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"));
    w.writeStartElement(QStringLiteral("w:body"));
    bool landscape = false;
    bool first = true;
    for (int i = 0; i < lines.size(); ++i) {
        const Item item = parse(lines[i]);
        if (item.kind == QLatin1String("PAGE")) {
            landscape = item.has("landscape");
        } else if (item.kind == QLatin1String("P")) {
            writer.paragraph(item, breakFirst && first);
            first = false;
        } else if (item.kind == QLatin1String("TABLE")) {
            QList<QPair<Item, QList<Item>>> rows;
            int repeat = 0;
            for (++i; i < lines.size(); ++i) {
                const Item inner = parse(lines[i]);
                if (inner.kind == QLatin1String("END"))
                    break;
                if (inner.kind.startsWith(QLatin1String("ROW"))) {
                    for (int k = 1; k < repeat; ++k)
                        rows.append(rows.last());
                    repeat = inner.kind.startsWith(QLatin1String("ROW*")) ? inner.kind.mid(4).toInt() : 1;
                    rows.append({inner, {}});
                } else if (inner.kind.startsWith(QLatin1String("C")) && !rows.isEmpty()) {
                    const int n = inner.kind.startsWith(QLatin1String("C*")) ? inner.kind.mid(2).toInt() : 1;
                    for (int k = 0; k < n; ++k)
                        rows.last().second.append(inner);
                } else {
                    fail(QStringLiteral("unexpected line in a table: %1").arg(lines[i]));
                }
            }
            for (int k = 1; k < repeat; ++k)
                rows.append(rows.last());
            writer.table(item, rows);
            first = false;
        } else {
            fail(QStringLiteral("unknown line: %1").arg(lines[i]));
        }
    }
    w.writeStartElement(QStringLiteral("w:sectPr"));
    w.writeEmptyElement(QStringLiteral("w:pgSz"));
    w.writeAttribute(QStringLiteral("w:w"), landscape ? QStringLiteral("16838") : QStringLiteral("11906"));
    w.writeAttribute(QStringLiteral("w:h"), landscape ? QStringLiteral("11906") : QStringLiteral("16838"));
    if (landscape)
        w.writeAttribute(QStringLiteral("w:orient"), QStringLiteral("landscape"));
    w.writeEmptyElement(QStringLiteral("w:pgMar"));
    for (const char* side : {"top", "bottom"})
        w.writeAttribute(QStringLiteral("w:") + QLatin1String(side), QStringLiteral("1440"));
    for (const char* side : {"left", "right"})
        w.writeAttribute(QStringLiteral("w:") + QLatin1String(side), landscape ? QStringLiteral("1440") : QStringLiteral("1800"));
    for (const char* side : {"header", "footer", "gutter"})
        w.writeAttribute(QStringLiteral("w:") + QLatin1String(side), QStringLiteral("0"));
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    if (w.hasError())
        fail(QStringLiteral("a description holds a text that XML cannot hold"));
    return out;
}

// The fixed parts of every template: content types, relationships, styles (宋体 with
// SimSun as its other name, so a desktop without it substitutes a CJK font), fonts.
QList<QPair<QString, QByteArray>> packageParts(const QByteArray& document)
{
    const QByteArray decl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    const QByteArray ns = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
    return {
        {QStringLiteral("[Content_Types].xml"),
         decl + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
                "<Override PartName=\"/word/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
                "<Override PartName=\"/word/fontTable.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.fontTable+xml\"/>"
                "</Types>"},
        {QStringLiteral("_rels/.rels"),
         decl + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
                "</Relationships>"},
        {QStringLiteral("word/_rels/document.xml.rels"),
         decl + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
                "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/fontTable\" Target=\"fontTable.xml\"/>"
                "</Relationships>"},
        {QStringLiteral("word/document.xml"), document},
        {QStringLiteral("word/styles.xml"),
         decl + "<w:styles " + ns + "><w:docDefaults><w:rPrDefault><w:rPr>"
                "<w:rFonts w:ascii=\"Times New Roman\" w:hAnsi=\"Times New Roman\" w:eastAsia=\"宋体\" w:cs=\"Times New Roman\" w:hint=\"eastAsia\"/>"
                "<w:sz w:val=\"24\"/><w:szCs w:val=\"24\"/><w:lang w:val=\"en-US\" w:eastAsia=\"zh-CN\"/>"
                "</w:rPr></w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"300\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
                "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/></w:style>"
                "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\"><w:name w:val=\"Normal Table\"/>"
                "<w:tblPr><w:tblCellMar><w:left w:w=\"108\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr></w:style>"
                "</w:styles>"},
        {QStringLiteral("word/fontTable.xml"),
         decl + "<w:fonts " + ns + ">"
                "<w:font w:name=\"宋体\"><w:altName w:val=\"SimSun\"/><w:panose1 w:val=\"02010600030101010101\"/>"
                "<w:charset w:val=\"86\"/><w:family w:val=\"auto\"/><w:pitch w:val=\"variable\"/></w:font>"
                "<w:font w:name=\"Times New Roman\"><w:panose1 w:val=\"02020603050405020304\"/><w:charset w:val=\"00\"/>"
                "<w:family w:val=\"roman\"/><w:pitch w:val=\"variable\"/></w:font>"
                "</w:fonts>"},
    };
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        fail(QStringLiteral("usage: mktemplates <templates folder> <output folder>"));
    const QDir source(args[1]);
    if (!QDir().mkpath(args[2]))
        fail(QStringLiteral("cannot create %1").arg(args[2]));
    for (const QString& entry : readLines(source.filePath(QStringLiteral("templates.txt")))) {
        const QStringList fields = entry.split(QLatin1Char('|'));
        if (fields.size() < 2)
            fail(QStringLiteral("bad entry: %1").arg(entry));
        const bool breakFirst = fields.value(2).trimmed() == QLatin1String("breakfirst");
        const QByteArray xml = documentXml(readLines(source.filePath(fields[0].trimmed())), breakFirst);
        try {
            docs::writePackage(QDir(args[2]).filePath(fields[1].trimmed()), packageParts(xml));
        } catch (const docs::DocError& e) {
            fail(QString::fromStdString(e.what()));
        }
    }
    return 0;
}
