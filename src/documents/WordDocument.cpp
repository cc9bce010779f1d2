#include "WordDocument.h"

#include "SaveFile.h"

#include "Controls.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <algorithm>
#include <tuple>

namespace docs {

namespace {

const QString kMainNs = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString kStrictNs = QStringLiteral("http://purl.oclc.org/ooxml/wordprocessingml/main");

// The engine's own copy buffer (never the system clipboard): whole body blocks.
std::vector<std::unique_ptr<XNode>>& copyBuffer()
{
    static std::vector<std::unique_ptr<XNode>> buffer;
    return buffer;
}

QString localName(const QString& qname)
{
    const int colon = qname.indexOf(QLatin1Char(':'));
    return colon < 0 ? qname : qname.mid(colon + 1);
}

// One countable thing of a paragraph: the characters of a text element, or one tab,
// break, symbol or object.
struct Atom {
    XNode* run = nullptr;
    XNode* child = nullptr;
    int len = 0;
    bool isText = false;
    bool pageBreak = false;
    QChar shown;
};

QString textOf(const XNode* t)
{
    QString s;
    for (const auto& c : t->children)
        if (c->kind == XNode::Text || c->kind == XNode::CData)
            s += c->text;
    return s;
}

// Characters as the caret counts them: a character outside the basic plane (a
// surrogate pair) is one.
int charCount(const QString& s) { return TextLength(s, LengthUnit::Characters); }

// Where the character at index chars of a text begins, in UTF-16 units.
qsizetype unitIndex(const QString& s, int chars)
{
    qsizetype i = 0;
    for (; chars > 0 && i < s.size(); --chars)
        i += s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate() ? 2 : 1;
    return i;
}

bool isOn(const XNode* prop)
{
    if (!prop)
        return false;
    for (const auto& a : prop->attrs)
        if (localName(a.first) == QLatin1String("val"))
            return a.second != QLatin1String("0") && a.second != QLatin1String("false")
                && a.second != QLatin1String("off");
    return true;
}

}  // namespace

QString typeableText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            continue;   // CR LF is one break: the LF that follows becomes the space
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f || ch == QChar(0x2028) || ch == QChar(0x2029)
            || ch.unicode() == 0xfffe || ch.unicode() == 0xffff)
            out += QLatin1Char(' ');
        else
            out += ch;
    }
    return out;
}

void writePackage(const QString& path, const QList<QPair<QString, QByteArray>>& parts)
{
    QBuffer buffer;
    {
        QuaZip zip(&buffer);
        if (!zip.open(QuaZip::mdCreate))
            throw DocError(QStringLiteral("cannot create the package of %1").arg(path));
        for (const auto& part : parts) {
            QuaZipFile f(&zip);
            if (!f.open(QIODevice::WriteOnly, QuaZipNewInfo(part.first)) || f.write(part.second) != part.second.size())
                throw DocError(QStringLiteral("cannot write %1 into %2").arg(part.first, path));
            f.close();
            if (f.getZipError() != ZIP_OK)
                throw DocError(QStringLiteral("cannot write %1 into %2").arg(part.first, path));
        }
        zip.close();
        if (zip.getZipError() != 0)
            throw DocError(QStringLiteral("cannot finish the package of %1").arg(path));
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(buffer.data()) != buffer.data().size() || !CommitSaveFile(out))
        throw DocError(QStringLiteral("不能写入文件 %1：%2").arg(QDir::toNativeSeparators(path), out.errorString()));
}

// ---- line model -------------------------------------------------------------

namespace {

class AtomCollector {
public:
    explicit AtomCollector(const QString& prefix) : m_p(prefix) {}

    std::vector<Atom> collect(XNode* paragraph) const
    {
        std::vector<Atom> atoms;
        walk(paragraph, atoms);
        return atoms;
    }

    int length(XNode* paragraph) const
    {
        int n = 0;
        for (const Atom& a : collect(paragraph))
            n += a.len;
        return n;
    }

private:
    bool is(const XNode* n, const char* local) const
    {
        return n->kind == XNode::Element && n->name.size() == m_p.size() + int(qstrlen(local))
            && n->name.startsWith(m_p) && n->name.mid(m_p.size()) == QLatin1String(local);
    }

    void walk(XNode* container, std::vector<Atom>& atoms) const
    {
        for (const auto& c : container->children) {
            XNode* n = c.get();
            if (n->kind != XNode::Element)
                continue;
            if (is(n, "r")) {
                runAtoms(n, atoms);
            } else if (is(n, "pPr") || is(n, "rPr") || is(n, "del") || is(n, "moveFrom") || is(n, "p")
                       || is(n, "tbl") || is(n, "sdtPr") || is(n, "sdtEndPr")) {
                continue;   // properties, deleted text and nested blocks have no stops here
            } else {
                walk(n, atoms);   // hyperlinks, insertions, content controls, simple fields ...
            }
        }
    }

    void runAtoms(XNode* run, std::vector<Atom>& atoms) const
    {
        for (const auto& c : run->children) {
            XNode* n = c.get();
            if (n->kind != XNode::Element)
                continue;
            Atom a;
            a.run = run;
            a.child = n;
            if (is(n, "t")) {
                a.isText = true;
                a.len = charCount(textOf(n));
            } else if (is(n, "tab") || is(n, "ptab")) {
                a.len = 1;
                a.shown = QLatin1Char('\t');
            } else if (is(n, "br") || is(n, "cr")) {
                a.len = 1;
                a.pageBreak = n->attr(m_p + QLatin1String("type")) == QLatin1String("page");
                a.shown = a.pageBreak ? QLatin1Char('\f') : QLatin1Char('\n');
            } else if (is(n, "sym") || is(n, "noBreakHyphen") || is(n, "softHyphen") || is(n, "drawing")
                       || is(n, "pict") || is(n, "object")) {
                a.len = 1;
                a.shown = QChar(0xfffc);
            } else {
                continue;
            }
            atoms.push_back(a);
        }
    }

    QString m_p;
};

}  // namespace

WordDocument::WordDocument() = default;
WordDocument::~WordDocument() = default;

std::unique_ptr<WordDocument> WordDocument::open(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw DocError(QStringLiteral("找不到文件 %1。").arg(QDir::toNativeSeparators(path)));
    std::unique_ptr<WordDocument> doc(new WordDocument);
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        throw DocError(QStringLiteral("%1 is not a document package").arg(path));
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile f(&zip);
        if (!f.open(QIODevice::ReadOnly))
            throw DocError(QStringLiteral("cannot read a part of %1").arg(path));
        doc->m_parts.append({zip.getCurrentFileName(), f.readAll()});
    }
    zip.close();

    QString mainName = QStringLiteral("word/document.xml");
    for (const auto& part : doc->m_parts) {
        if (part.first != QLatin1String("_rels/.rels"))
            continue;
        auto rels = parseXml(part.second, nullptr);
        if (!rels)
            break;
        for (const auto& top : rels->children)
            for (const auto& rel : top->children)
                if (rel->kind == XNode::Element && rel->attr(QStringLiteral("Type")).endsWith(QLatin1String("/officeDocument"))) {
                    mainName = rel->attr(QStringLiteral("Target"));
                    if (mainName.startsWith(QLatin1Char('/')))
                        mainName.remove(0, 1);
                }
    }
    for (int i = 0; i < doc->m_parts.size(); ++i)
        if (doc->m_parts[i].first == mainName)
            doc->m_mainPart = i;
    if (doc->m_mainPart < 0)
        throw DocError(QStringLiteral("%1 has no document part").arg(path));

    QString error;
    doc->m_xml = parseXml(doc->m_parts[doc->m_mainPart].second, &error);
    if (!doc->m_xml)
        throw DocError(QStringLiteral("%1: %2").arg(path, error));
    XNode* root = nullptr;
    for (const auto& c : doc->m_xml->children)
        if (c->kind == XNode::Element)
            root = c.get();
    if (!root)
        throw DocError(QStringLiteral("%1 has an empty document part").arg(path));
    doc->m_prefix = QStringLiteral("w:");
    for (const auto& a : root->attrs)
        if (a.first.startsWith(QLatin1String("xmlns:")) && (a.second == kMainNs || a.second == kStrictNs))
            doc->m_prefix = a.first.mid(6) + QLatin1Char(':');
    doc->m_body = root->child(doc->w("body"));
    if (!doc->m_body)
        throw DocError(QStringLiteral("%1 has no body").arg(path));
    doc->buildLines(doc->m_body, doc->m_lines);
    if (doc->m_lines.empty())
        throw DocError(QStringLiteral("%1 has no lines").arg(path));
    doc->m_path = QFileInfo(path).absoluteFilePath();
    return doc;
}

void WordDocument::buildLines(XNode* container, std::vector<Line>& out) const
{
    for (const auto& c : container->children) {
        XNode* n = c.get();
        if (n->kind != XNode::Element)
            continue;
        if (n->name == w("p")) {
            out.push_back(makeParagraphLine(n));
        } else if (n->name == w("tbl")) {
            for (const auto& r : n->children)
                if (r->kind == XNode::Element && r->name == w("tr"))
                    out.push_back(makeRowLine(r.get(), n));
        } else if (n->name == w("sdt")) {
            if (XNode* content = n->child(w("sdtContent")))
                buildLines(content, out);
        } else if (n->name == w("customXml")) {
            buildLines(n, out);
        }
    }
}

WordDocument::Line WordDocument::makeParagraphLine(XNode* p) const
{
    Line l;
    l.node = p;
    Seg s;
    s.node = p;
    s.paras = {p};
    s.len = segLength(s);
    l.segs.push_back(std::move(s));
    return l;
}

WordDocument::Line WordDocument::makeRowLine(XNode* tr, XNode* tbl) const
{
    Line l;
    l.node = tr;
    l.table = tbl;
    l.row = true;
    for (const auto& c : tr->children) {
        if (c->kind != XNode::Element || c->name != w("tc"))
            continue;
        Seg s;
        s.node = c.get();
        for (const auto& p : c->children)
            if (p->kind == XNode::Element && p->name == w("p"))
                s.paras.push_back(p.get());
        s.len = segLength(s);
        l.segs.push_back(std::move(s));
    }
    return l;
}

int WordDocument::segLength(const Seg& s) const
{
    const AtomCollector atoms(m_prefix);
    int n = s.paras.empty() ? 0 : int(s.paras.size()) - 1;
    for (XNode* p : s.paras)
        n += atoms.length(p);
    return n;
}

int WordDocument::stopsIn(const Line& l) const
{
    int n = l.row ? 1 : 0;
    for (const Seg& s : l.segs)
        n += s.len + 1;
    return n;
}

int WordDocument::column(const Caret& c) const
{
    const Line& l = m_lines[c.line];
    int col = 0;
    for (int i = 0; i < c.cell && i < int(l.segs.size()); ++i)
        col += l.segs[i].len + 1;
    return col + c.offset;
}

WordDocument::Caret WordDocument::lastStop(int line) const
{
    const Line& l = m_lines[line];
    return l.row ? Caret{line, int(l.segs.size()), 0} : Caret{line, 0, l.segs[0].len};
}

bool WordDocument::before(const Caret& a, const Caret& b) const
{
    return std::tie(a.line, a.cell, a.offset) < std::tie(b.line, b.cell, b.offset);
}

// ---- moves --------------------------------------------------------------------

void WordDocument::beginMove(bool extend)
{
    if (extend && !m_selecting) {
        m_selecting = true;
        m_anchor = m_caret;
    } else if (!extend) {
        m_selecting = false;
    }
}

void WordDocument::landOn(int line)
{
    const Line& l = m_lines[line];
    Caret c;
    c.line = line;
    if (!l.row) {
        c.offset = std::min(m_goal, l.segs[0].len);
    } else {
        if (l.segs.empty())
            throw DocError(QStringLiteral("line %1 is a row without cells").arg(line));
        int start = 0, chosen = 0, chosenStart = 0;
        for (int i = 0; i < int(l.segs.size()); ++i) {
            if (start <= m_goal) {
                chosen = i;
                chosenStart = start;
            }
            start += l.segs[i].len + 1;
        }
        c.cell = chosen;
        c.offset = std::min(m_goal - chosenStart, l.segs[chosen].len);
    }
    m_caret = c;
}

void WordDocument::moveDown(int count, bool extend)
{
    if (count < 0)
        return moveUp(-count, extend);
    if (m_caret.line + count >= lineCount())
        throw DocError(QStringLiteral("move down %1 from line %2 passes the end of the document").arg(count).arg(m_caret.line));
    beginMove(extend);
    landOn(m_caret.line + count);
}

void WordDocument::moveUp(int count, bool extend)
{
    if (count < 0)
        return moveDown(-count, extend);
    if (m_caret.line - count < 0)
        throw DocError(QStringLiteral("move up %1 from line %2 passes the start of the document").arg(count).arg(m_caret.line));
    beginMove(extend);
    landOn(m_caret.line - count);
}

void WordDocument::stepRight()
{
    Caret& c = m_caret;
    const Line& l = m_lines[c.line];
    const int cells = int(l.segs.size());
    if (!l.row && c.offset < l.segs[0].len) {
        ++c.offset;
        return;
    }
    if (l.row && c.cell < cells) {
        if (c.offset < l.segs[c.cell].len)
            ++c.offset;
        else {
            ++c.cell;   // the next cell, or the end-of-row stop
            c.offset = 0;
        }
        return;
    }
    if (c.line + 1 >= lineCount())
        throw DocError(QStringLiteral("move right passes the end of the document"));
    c = Caret{c.line + 1, 0, 0};
}

void WordDocument::stepLeft()
{
    Caret& c = m_caret;
    if (c.offset > 0) {
        --c.offset;
        return;
    }
    const Line& l = m_lines[c.line];
    if (l.row && c.cell > 0) {
        --c.cell;
        c.offset = l.segs[c.cell].len;
        return;
    }
    if (c.line == 0)
        throw DocError(QStringLiteral("move left passes the start of the document"));
    c = lastStop(c.line - 1);
}

void WordDocument::moveRight(int count) { moveByCharacters(count); }

void WordDocument::moveLeft(int count) { moveByCharacters(-count); }

void WordDocument::moveByCharacters(int count)
{
    beginMove(false);
    for (int i = 0; i < qAbs(count); ++i)
        count > 0 ? stepRight() : stepLeft();
    m_goal = column(m_caret);
}

void WordDocument::moveRightCell(int count)
{
    beginMove(false);
    for (int i = 0; i < count; ++i) {
        Caret& c = m_caret;
        const Line& l = m_lines[c.line];
        if (!l.row)
            throw DocError(QStringLiteral("cell move outside a table (line %1)").arg(c.line));
        if (c.cell + 1 < int(l.segs.size())) {
            c = Caret{c.line, c.cell + 1, 0};
            continue;
        }
        const bool more = c.line + 1 < lineCount() && m_lines[c.line + 1].row && m_lines[c.line + 1].table == l.table
            && !m_lines[c.line + 1].segs.empty();
        if (!more)
            throw DocError(QStringLiteral("cell move past the last cell of the table (line %1)").arg(c.line));
        c = Caret{c.line + 1, 0, 0};
    }
    m_goal = column(m_caret);
}

void WordDocument::endOfLine()
{
    const Line& l = m_lines[m_caret.line];
    if (l.row && m_caret.cell >= int(l.segs.size()))
        throw DocError(QStringLiteral("end of line at an end-of-row stop (line %1)").arg(m_caret.line));
    beginMove(false);
    m_caret.offset = l.segs[m_caret.cell].len;
    m_goal = column(m_caret);
}

QList<WordDocument::Caret> WordDocument::pageStarts(int line) const
{
    QList<Caret> starts;
    const AtomCollector collector(m_prefix);
    const Line& l = m_lines[line];
    if (line > 0 && !m_lines[line - 1].row) {
        // A section break (any but a continuous one) in the paragraph before.
        const XNode* pPr = m_lines[line - 1].node->child(w("pPr"));
        const XNode* sect = pPr ? pPr->child(w("sectPr")) : nullptr;
        const XNode* type = sect ? sect->child(w("type")) : nullptr;
        if (sect && !(type && type->attr(w("val")) == QLatin1String("continuous")))
            starts.append(Caret{line, 0, 0});
    }
    for (int s = 0; s < int(l.segs.size()); ++s) {
        int offset = 0;
        for (size_t k = 0; k < l.segs[s].paras.size(); ++k) {
            XNode* p = l.segs[s].paras[k];
            const XNode* pPr = p->child(w("pPr"));
            if (pPr && isOn(pPr->child(w("pageBreakBefore"))))
                starts.append(Caret{line, s, offset});
            for (const Atom& a : collector.collect(p)) {
                offset += a.len;
                if (a.pageBreak)
                    starts.append(Caret{line, s, offset});
            }
            ++offset;   // the paragraph mark between paragraphs of a cell
        }
    }
    return starts;
}

void WordDocument::nextPage()
{
    for (int line = m_caret.line; line < lineCount(); ++line)
        for (const Caret& start : pageStarts(line))
            if (before(m_caret, start)) {
                beginMove(false);
                m_caret = start;
                m_goal = column(m_caret);
                return;
            }
    throw DocError(QStringLiteral("no page after line %1").arg(m_caret.line));
}

int WordDocument::pageOfLine(int line) const
{
    const Caret top{0, 0, 0}, lineStart{line, 0, 0};
    int page = 1;
    for (int i = 0; i <= line && i < lineCount(); ++i)
        for (const Caret& s : pageStarts(i))
            if (before(top, s) && !before(lineStart, s))
                ++page;
    return page;
}

int WordDocument::pageCount() const
{
    const Caret top{0, 0, 0};
    int pages = 1;
    for (int i = 0; i < lineCount(); ++i)
        for (const Caret& s : pageStarts(i))
            if (before(top, s))
                ++pages;
    return pages;
}

// ---- typing -------------------------------------------------------------------

void WordDocument::typeText(const QString& text)
{
    Line& l = m_lines[m_caret.line];
    if (l.row && m_caret.cell >= int(l.segs.size()))
        throw DocError(QStringLiteral("typing at an end-of-row stop (line %1)").arg(m_caret.line));
    beginMove(false);
    const QString t = typeableText(text);
    if (t.isEmpty())
        return;
    Seg& seg = l.segs[m_caret.cell];
    insertText(seg, m_caret.offset, t);
    seg.len += charCount(t);
    m_caret.offset += charCount(t);
    m_goal = column(m_caret);
}

void WordDocument::insertText(Seg& seg, int offset, const QString& text)
{
    const AtomCollector collector(m_prefix);
    XNode* paragraph = nullptr;
    std::vector<Atom> atoms;
    for (XNode* p : seg.paras) {
        atoms = collector.collect(p);
        int len = 0;
        for (const Atom& a : atoms)
            len += a.len;
        if (offset <= len) {
            paragraph = p;
            break;
        }
        offset -= len + 1;
    }
    if (!paragraph)
        throw DocError(QStringLiteral("a cell without a paragraph cannot take text"));

    const QString tName = w("t");
    auto preserve = [](XNode* t) { t->setAttr(QStringLiteral("xml:space"), QStringLiteral("preserve")); };
    auto setText = [](XNode* t, const QString& s) {
        t->children.clear();
        t->append(XNode::textNode(s));
    };
    auto newText = [&](XNode* run, int index) {
        XNode* t = run->insert(index, XNode::element(tName));
        preserve(t);
        setText(t, text);
    };

    const Atom* prev = nullptr;
    const Atom* next = nullptr;
    int pos = 0;
    for (const Atom& a : atoms) {
        if (offset > pos && offset < pos + a.len) {   // inside a text element
            QString s = textOf(a.child);
            s.insert(unitIndex(s, offset - pos), text);
            setText(a.child, s);
            preserve(a.child);
            return;
        }
        if (pos + a.len == offset)
            prev = &a;
        if (pos == offset && !next)
            next = &a;
        pos += a.len;
    }
    // Typed text takes the formatting of the character before it, or else of the one after.
    if (const Atom* a = prev ? prev : next) {
        if (a->isText) {
            setText(a->child, prev ? textOf(a->child) + text : text + textOf(a->child));
            preserve(a->child);
        } else {
            newText(a->run, a->run->indexOf(a->child) + (prev ? 1 : 0));
        }
        return;
    }
    // An empty paragraph: a run with the paragraph mark's formatting.
    auto run = XNode::element(w("r"));
    if (const XNode* pPr = paragraph->child(w("pPr")))
        if (const XNode* markProps = pPr->child(w("rPr"))) {
            auto props = markProps->clone();
            const QStringList revisions{w("ins"), w("del"), w("moveFrom"), w("moveTo"), w("rPrChange")};
            std::erase_if(props->children, [&](const std::unique_ptr<XNode>& n) { return revisions.contains(n->name); });
            run->append(std::move(props));
        }
    newText(run.get(), int(run->children.size()));
    paragraph->append(std::move(run));
}

// ---- copy and paste -------------------------------------------------------------

void WordDocument::copy()
{
    if (!m_selecting)
        throw DocError(QStringLiteral("copy without a selection"));
    const Caret start = before(m_anchor, m_caret) ? m_anchor : m_caret;
    const Caret end = before(m_anchor, m_caret) ? m_caret : m_anchor;
    int last = end.line;
    // A paragraph that the selection only touches at its start is not taken; a row
    // that it reaches into is taken whole.
    if (last > start.line && !m_lines[last].row && end.offset == 0)
        --last;
    auto& buffer = copyBuffer();
    buffer.clear();
    XNode* sourceTable = nullptr;
    for (int i = start.line; i <= last; ++i) {
        const Line& l = m_lines[i];
        if (!l.row) {
            buffer.push_back(l.node->clone());
            sourceTable = nullptr;
            continue;
        }
        if (l.table != sourceTable) {
            auto table = XNode::element(l.table->name);
            table->attrs = l.table->attrs;
            for (const auto& c : l.table->children) {
                if (c->kind == XNode::Element && c->name == w("tr"))
                    break;
                table->append(c->clone());   // table and grid properties
            }
            buffer.push_back(std::move(table));
            sourceTable = l.table;
        }
        buffer.back()->append(l.node->clone());
    }
}

void WordDocument::paste()
{
    auto& buffer = copyBuffer();
    if (buffer.empty())
        throw DocError(QStringLiteral("paste with an empty copy buffer"));
    const Line& here = m_lines[m_caret.line];
    if (here.row)
        throw DocError(QStringLiteral("paste inside a table (line %1)").arg(m_caret.line));
    XNode* parent = here.node->parent;
    int index = parent->indexOf(here.node);
    auto holder = XNode::element(QString());
    for (const auto& block : buffer)
        holder->append(block->clone());
    std::vector<Line> added;
    buildLines(holder.get(), added);
    // The lines keep pointing at the nodes: moving the owners does not copy them.
    for (auto& block : holder->children)
        parent->insert(index++, std::move(block));
    const int at = m_caret.line;
    m_lines.insert(m_lines.begin() + at, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    beginMove(false);
    m_caret = at > 0 ? lastStop(at - 1) : Caret{0, 0, 0};
    m_goal = column(m_caret);
}

// ---- reading and saving ------------------------------------------------------------

bool WordDocument::isRow(int line) const { return m_lines.at(line).row; }

QStringList WordDocument::lineTexts(int line) const
{
    const AtomCollector collector(m_prefix);
    QStringList out;
    for (const Seg& s : m_lines.at(line).segs) {
        QStringList paras;
        for (XNode* p : s.paras) {
            QString text;
            for (const Atom& a : collector.collect(p))
                text += a.isText ? textOf(a.child) : QString(a.shown);
            paras << text;
        }
        out << paras.join(QLatin1Char('\n'));
    }
    return out;
}

QList<QStringList> WordDocument::textModel() const
{
    QList<QStringList> model;
    for (int i = 0; i < lineCount(); ++i)
        model << lineTexts(i);
    return model;
}

QByteArray WordDocument::documentXml() const
{
    QString error;
    const QByteArray xml = writeXml(*m_xml, &error);
    if (!error.isEmpty())
        throw DocError(error);
    return xml;
}

void WordDocument::saveAs(const QString& folder, const QString& fileName)
{
    m_path = QDir(folder).absoluteFilePath(fileName);
    save();
}

void WordDocument::save()
{
    auto parts = m_parts;
    parts[m_mainPart].second = documentXml();
    writePackage(m_path, parts);
}

}  // namespace docs
