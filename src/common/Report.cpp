#include "Report.h"

#include "SaveFile.h"

#include "AppFolder.h"
#include "Controls.h"
#include "Db.h"
#include "Failure.h"
#include "Platform.h"
#include "SqliteStatement.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QtMath>
#include <limits>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QScopeGuard>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <sqlite3.h>
#include <thread>

namespace report {

namespace {

const QString kMessageTitle = QStringLiteral("提示信息");

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

bool parse(const QByteArray& text, Definition* def, QString* detail)
{
    QDomDocument dom;
    QString msg;
    int line = 0;
    int col = 0;
    if (!dom.setContent(text, &msg, &line, &col)) {
        *detail = QStringLiteral("第%1行第%2列：%3").arg(line).arg(col).arg(msg);
        return false;
    }
    const QDomElement root = dom.documentElement();
    if (root.tagName() != QLatin1String("report")) {
        *detail = QStringLiteral("根元素应为 report。");
        return false;
    }
    def->title = root.attribute(QStringLiteral("title")).trimmed();
    const QString orientation = root.attribute(QStringLiteral("orientation"), QStringLiteral("portrait"));
    if (orientation == QLatin1String("landscape"))
        def->landscape = true;
    else if (orientation == QLatin1String("portrait"))
        def->landscape = false;
    else {
        *detail = QStringLiteral("纸张方向不正确：%1").arg(orientation);
        return false;
    }
    const QDomNodeList queries = root.elementsByTagName(QStringLiteral("query"));
    if (queries.size() != 1 || queries.at(0).toElement().text().trimmed().isEmpty()) {
        *detail = QStringLiteral("应有且只有一个查询语句（query）。");
        return false;
    }
    def->query = queries.at(0).toElement().text().trimmed();
    def->columns.clear();
    for (QDomElement e = root.firstChildElement(QStringLiteral("column")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("column"))) {
        Column c;
        c.caption = e.attribute(QStringLiteral("caption"));
        if (e.hasAttribute(QStringLiteral("width"))) {
            bool ok = false;
            c.width = e.attribute(QStringLiteral("width")).toInt(&ok);
            if (!ok || c.width <= 0) {
                *detail = QStringLiteral("栏目宽度应为正整数：%1").arg(e.attribute(QStringLiteral("width")));
                return false;
            }
        }
        def->columns.append(c);
    }
    if (def->columns.isEmpty()) {
        *detail = QStringLiteral("没有栏目（column）。");
        return false;
    }
    return true;
}

PrintDialogHook& printDialogHook()
{
    static PrintDialogHook hook;
    return hook;
}

bool askPrinter(QPrinter* printer, QWidget* parent)
{
    if (printDialogHook())
        return printDialogHook()(printer, parent);
    QPrintDialog dlg(printer, parent);
    return dlg.exec() == QDialog::Accepted;
}

// A value's text as one paragraph of lines: line breaks in a value break its line.
bool breaksLine(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

QString cellText(const QString& text)
{
    if (!breaksLine(text))
        return text;
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    t.replace(u'\n', QChar::LineSeparator);
    return t;
}

// Wraps text into lines of the width; lines stand `line` apart and the first
// baseline lies `ascent` below the top, whichever font draws each line.
void wrap(QTextLayout& layout, qreal width, qreal line, qreal ascent, Qt::Alignment align)
{
    QTextOption option(align);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (int i = 0;; ++i) {
        QTextLine l = layout.createLine();
        if (!l.isValid())
            break;
        l.setLineWidth(width);
        l.setPosition(QPointF(0, i * line + ascent - l.ascent()));
    }
    layout.endLayout();
}

int lineCount(const QString& text, const QFont& font, qreal width)
{
    QTextLayout layout(cellText(text), font);
    wrap(layout, width, 0, 0, Qt::AlignLeft);
    return qMax(1, layout.lineCount());
}

// Height and first baseline of a line that may hold Latin and Chinese text: the
// fallback font of the Chinese characters stands taller than the Latin one.
void lineMetrics(const QFont& font, qreal* height, qreal* ascent)
{
    QTextLayout layout(QStringLiteral("Ag国"), font);
    layout.beginLayout();
    QTextLine l = layout.createLine();
    l.setLineWidth(1e9);
    layout.endLayout();
    *ascent = l.ascent();
    *height = l.ascent() + l.descent() + qMax<qreal>(0, QFontMetricsF(font).leading());
}

}  // namespace

bool LoadDefinition(const QString& file, Definition* def, QString* error)
{
    const QFileInfo fi(file);
    if (file.isEmpty() || !fi.exists()) {
        *error = QStringLiteral("找不到报表文件：%1").arg(shown(file));
        return false;
    }
    QFile f(file);
    if (!fi.isFile() || !f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法读取报表文件：%1").arg(shown(file));
        return false;
    }
    Definition d;
    d.file = file;
    QString detail;
    if (!parse(f.readAll(), &d, &detail)) {
        *error = QStringLiteral("报表文件格式不正确：%1\n%2").arg(shown(file), detail);
        return false;
    }
    *def = d;
    return true;
}

bool IsSingleSelect(const QString& sql)
{
    // One pass outside literals and comments: the first word must be SELECT, and
    // after a semicolon only blanks and comments may follow.
    const int n = sql.size();
    bool started = false;
    bool ended = false;
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            const int e = sql.indexOf(u'\n', i);
            i = e < 0 ? n : e + 1;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const int e = sql.indexOf(QLatin1String("*/"), i + 2);
            if (e < 0)
                return false;
            i = e + 2;
        } else if (ended) {
            return false;
        } else if (!started) {
            int j = i;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == u'_'))
                ++j;
            if (QStringView(sql).mid(i, j - i).compare(QLatin1String("select"), Qt::CaseInsensitive) != 0)
                return false;
            started = true;
            i = j;
        } else if (c == u';') {
            ended = true;
            ++i;
        } else if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
            // A doubled quote inside a literal closes and reopens it: same result.
            const QChar close = c == u'[' ? QChar(u']') : c;
            const int e = sql.indexOf(close, i + 1);
            if (e < 0)
                return false;
            i = e + 1;
        } else {
            ++i;
        }
    }
    return started;
}

struct RowFeed::State {
    Definition def;
    QString dbPath;
    std::mutex mutex;
    std::condition_variable changed;
    Rows rows;             // read, not yet taken
    bool started = false;  // the first block, the end or a failure has come
    bool done = false;
    QString startError;    // the query did not run
    QString error;         // the reading failed after the first rows
    std::atomic<bool> stop = false;
    QPointer<QObject> context;
    std::function<void()> more;
    std::thread thread;

    void read();
    void hand(Rows block, bool last, const QString& failure = {});
};

namespace {

// The value as the report shows it: as QSqlQuery gives it, then as a text.
QString shownValue(const SqliteStatement& s, int column)
{
    return s.IsNull(column) ? QString() : s.Value(column).toString();
}

}  // namespace

void RowFeed::State::hand(Rows block, bool last, const QString& failure)
{
    std::function<void()> notify;
    QPointer<QObject> to;
    {
        const std::lock_guard lock(mutex);
        rows += std::move(block);
        // A failure before the first rows fails the report; a later one the preview.
        (started ? error : startError) = failure;
        started = true;
        done = last;
        notify = more;
        to = context;
    }
    changed.notify_all();
    if (notify && to)
        QMetaObject::invokeMethod(to, notify, Qt::QueuedConnection);
}

void RowFeed::State::read()
{
    const QString file = shown(def.file);
    sqlite3* db = nullptr;
    const auto closeDb = qScopeGuard([&] { sqlite3_close_v2(db); });
    if (!QFileInfo(dbPath).isFile()) {
        hand({}, true, QStringLiteral("无法打开数据库，报表不能生成：%1\n找不到数据库文件：%2").arg(file, shown(dbPath)));
        return;
    }
    // A report only reads: the connection refuses any write, whatever the file says.
    if (sqlite3_open_v2(QFile::encodeName(dbPath).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK
        || sqlite3_busy_timeout(db, 5000) != SQLITE_OK
        || sqlite3_exec(db, "PRAGMA query_only = ON", nullptr, nullptr, nullptr) != SQLITE_OK) {
        hand({}, true,
             QStringLiteral("无法打开数据库，报表不能生成：%1\n%2").arg(file, SqliteError(db).description()));
        return;
    }
    try {
        SqliteStatement q(db, def.query);
        const int fields = q.ColumnCount();
        if (fields != def.columns.size()) {
            hand({}, true,
                 QStringLiteral("报表文件的栏目与查询结果不符（%2个栏目，查询有%3列）：%1")
                     .arg(file)
                     .arg(def.columns.size())
                     .arg(fields));
            return;
        }
        Rows block;
        while (!stop && q.Next()) {
            QStringList r;
            r.reserve(fields);
            for (int i = 0; i < fields; ++i)
                r << shownValue(q, i);
            block << r;
            if (block.size() == kBlock) {
                hand(std::exchange(block, {}), false);
            }
        }
        hand(std::move(block), true);
    } catch (const DbError& e) {
        hand({}, true, QStringLiteral("数据库拒绝执行报表查询：%1\n%2").arg(file, e.description()));
    }
}

RowFeed::RowFeed(Definition def, QString dbPath)
    : m(std::make_unique<State>())
{
    m->def = std::move(def);
    m->dbPath = std::move(dbPath);
}

RowFeed::~RowFeed()
{
    m->stop = true;
    if (m->thread.joinable())
        m->thread.join();
}

bool RowFeed::Start(QString* error)
{
    if (!IsSingleSelect(m->def.query)) {
        *error = QStringLiteral("报表文件中的查询不是单独一条 SELECT 语句：%1").arg(shown(m->def.file));
        return false;
    }
    m->thread = std::thread([state = m.get()] { state->read(); });
    std::unique_lock lock(m->mutex);
    m->changed.wait(lock, [this] { return m->started; });
    *error = m->startError;
    return error->isEmpty();
}

void RowFeed::OnMore(QObject* context, std::function<void()> fn)
{
    const std::lock_guard lock(m->mutex);
    m->context = context;
    m->more = std::move(fn);
}

Rows RowFeed::Take(bool* done, QString* error)
{
    const std::lock_guard lock(m->mutex);
    *done = m->done;
    *error = m->error;
    return std::exchange(m->rows, {});
}

void RowFeed::Wait()
{
    std::unique_lock lock(m->mutex);
    m->changed.wait(lock, [this] { return m->done; });
}

bool RunQuery(const Definition& def, const QString& dbPath, Rows* rows, QString* error)
{
    RowFeed feed(def, dbPath);
    if (!feed.Start(error))
        return false;
    feed.Wait();
    bool done = false;
    *rows = feed.Take(&done, error);
    return error->isEmpty();
}

Layout::Layout(const Definition& def, QSizeF page, qreal dpi)
    : m_def(def), m_page(page)
{
    setFonts(dpi);
}

Layout::Layout(const Definition& def, const Rows& rows, QSizeF page, qreal dpi)
    : Layout(def, page, dpi)
{
    addRows(rows);
    finish();
}

Layout::Layout(const Definition& def, const Rows& rows, QPagedPaintDevice* device)
    : Layout(def, rows, QSizeF(device->width(), device->height()), device->logicalDpiY())
{
}

int Layout::pageCount() const
{
    // While rows may still come, the last page begun may still grow.
    return m_complete ? int(m_pages.size()) : int(m_pages.size()) - 1;
}

int Layout::endRow(int page) const
{
    return page + 1 < m_pages.size() ? m_pages.at(page + 1) : int(m_rows.size());
}

void Layout::setFonts(qreal dpi)
{
    // Fonts are sized in the pixels of the page, so a page drawn scaled on the screen
    // looks as it prints, and measure and draw the same on every device.
    const qreal pt = dpi / 72.0;
    m_font = QGuiApplication::font();
    m_font.setPixelSize(qRound(10.5 * pt));
    m_captionFont = m_font;
    m_captionFont.setBold(true);
    m_titleFont = m_font;
    m_titleFont.setPixelSize(qRound(16 * pt));
    m_titleFont.setBold(true);
    m_footerFont = m_font;
    m_footerFont.setPixelSize(qRound(9 * pt));
    m_padX = 3 * pt;
    m_padY = 2 * pt;
    m_rule = 0.75 * pt;
    m_footerHeight = dpi * 0.4;   // about 10 mm
    lineMetrics(m_font, &m_line, &m_ascent);
    lineMetrics(m_captionFont, &m_captionLine, &m_captionAscent);
    if (!m_def.title.isEmpty()) {
        const QRectF r = QFontMetricsF(m_titleFont)
                             .boundingRect(QRectF(0, 0, m_page.width(), 1e9),
                                           Qt::AlignHCenter | Qt::TextWordWrap, m_def.title);
        m_titleHeight = r.height() + 10 * pt;
    }
    const QFontMetricsF captionMetrics(m_captionFont);
    m_natural.resize(m_def.columns.size());
    for (int c = 0; c < m_def.columns.size(); ++c)
        m_natural[c] = captionMetrics.horizontalAdvance(m_def.columns[c].caption);
    m_pages = {0};
    m_y = m_titleHeight;   // the caption row's height is added once it is known
}

void Layout::addRows(const Rows& rows)
{
    // Every value is measured once; its width decides whether the value needs more
    // than one line and, in the first rows, the column widths. A text is measured only
    // the first time it comes: the rows of a report repeat their codes, names and
    // dates.
    const QFontMetricsF fm(m_font);
    const int columns = int(m_def.columns.size());
    m_advance.resize((m_rows.size() + rows.size()) * columns);
    float* a = m_advance.data() + m_rows.size() * columns;
    for (const QStringList& row : rows) {
        const bool decidesWidths = m_widths.isEmpty() && m_rows.size() < kWidthRows;
        for (int c = 0; c < columns; ++c) {
            if (c >= row.size() || row.at(c).isEmpty()) {
                *a++ = 0.0f;
                continue;
            }
            const QString& text = row.at(c);
            auto it = m_measured.constFind(TextKey{text});
            if (it == m_measured.cend()) {
                // Repeated texts come back soon; a cache of every text would grow
                // with the report.
                if (m_measured.size() >= kCachedTexts)
                    m_measured.clear();
                Measured m{0.0f, 0};
                if (breaksLine(text)) {
                    m.advance = float(1e9);
                    for (const QString& part : cellText(text).split(QChar::LineSeparator))
                        m.natural = qMax(m.natural, fm.horizontalAdvance(part));
                } else {
                    m.advance = float(fm.horizontalAdvance(text));
                    m.natural = m.advance;
                }
                it = m_measured.insert(TextKey{text}, m);
            }
            *a++ = it->advance;
            if (decidesWidths)
                m_natural[c] = qMax(m_natural[c], it->natural);
        }
        m_rows << row;
    }
    if (m_widths.isEmpty() && m_rows.size() >= kWidthRows)
        setColumnWidths();
}

void Layout::finish()
{
    if (m_widths.isEmpty())
        setColumnWidths();
    layOut(std::numeric_limits<int>::max());
    m_complete = true;
    m_measured.clear();
    m_wrapped.clear();
}

void Layout::layOut(int pages)
{
    if (m_widths.isEmpty())
        return;
    const int columns = int(m_def.columns.size());
    const qreal body = m_page.height() - m_footerHeight;
    // A wrapped value takes at most a line per character and one more (an empty
    // line after a final line break). So a row's height is that of its value that may
    // take the most lines, unless another value may take more than that one does:
    // only those values are laid out, and each distinct value once per column.
    auto linesOf = [&](const QString& text, int c) {
        auto it = m_wrapped[c].constFind(TextKey{text});
        if (it == m_wrapped[c].cend()) {
            if (m_wrapped[c].size() >= kCachedTexts / 16)
                m_wrapped[c].clear();
            it = m_wrapped[c].insert(TextKey{text}, lineCount(text, m_font, m_inner[c]));
        }
        return *it;
    };
    m_lines.reserve(m_rows.size());
    for (int r = int(m_lines.size()); r < m_rows.size() && m_pages.size() <= pages; ++r) {
        const QStringList& row = m_rows[r];
        const float* a = m_advance.constData() + qsizetype(r) * columns;
        // A row short of values has nothing to wrap in the columns it lacks.
        const int given = qMin(columns, int(row.size()));
        int first = -1;
        for (int c = 0; c < given; ++c)
            if (a[c] > m_inner[c] && (first < 0 || row.at(c).size() > row.at(first).size()))
                first = c;
        int lines = 1;
        if (first >= 0) {
            lines = linesOf(row.at(first), first);
            for (int c = 0; c < given; ++c)
                if (c != first && a[c] > m_inner[c] && row.at(c).size() + 1 > lines)
                    lines = qMax(lines, linesOf(row.at(c), c));
        }
        m_lines << lines;
        const qreal h = lines * m_line + 2 * m_padY;
        // A row that does not fit goes to the next page, unless it stands alone.
        if (m_y + h > body && r > m_pages.last()) {
            m_pages << r;
            m_y = m_captionHeight;
        }
        m_y += h;
    }
}

void Layout::setColumnWidths()
{
    const int columns = int(m_def.columns.size());
    const qreal room = m_page.width() - m_rule;
    const QFontMetricsF captionMetrics(m_captionFont);
    // A column's natural width: its widest value (a value with line breaks counts by
    // its lines) or caption on one line.
    QList<qreal> natural = m_natural;
    for (qreal& n : natural)
        n += 2 * m_padX + m_rule;

    qreal need = 0;
    int shares = 0;
    for (int c = 0; c < columns; ++c) {
        need += natural[c];
        shares += m_def.columns[c].width;
    }
    m_widths = natural;
    if (need <= room) {
        // Room to spare: it goes to the columns by their shares.
        for (int c = 0; c < columns; ++c)
            m_widths[c] += (room - need) * m_def.columns[c].width / shares;
    } else {
        // Too wide: every column narrower than an even split of what is left keeps
        // its natural width, so short values stay on one line; the wider columns
        // share the rest by their declared shares and wrap.
        QList<bool> fixed(columns, false);
        qreal left = room;
        int open = columns;
        for (bool changed = true; changed && open > 0;) {
            changed = false;
            const qreal even = left / open;
            for (int c = 0; c < columns; ++c)
                if (!fixed[c] && natural[c] <= even) {
                    fixed[c] = true;
                    changed = true;
                    left -= natural[c];
                    --open;
                }
        }
        int openShares = 0;
        for (int c = 0; c < columns; ++c)
            if (!fixed[c])
                openShares += m_def.columns[c].width;
        for (int c = 0; c < columns; ++c)
            if (!fixed[c])
                m_widths[c] = left * m_def.columns[c].width / openShares;
    }
    m_lefts.resize(columns);
    m_inner.resize(columns);
    qreal x = m_rule / 2;
    for (int c = 0; c < columns; ++c) {
        m_lefts[c] = x;
        x += m_widths[c];
        m_inner[c] = m_widths[c] - 2 * m_padX - m_rule;
    }

    // Lines of the caption row: one, unless a caption is wider than its column.
    m_captionLines.resize(columns);
    int captionLines = 1;
    for (int c = 0; c < columns; ++c) {
        const QString& caption = m_def.columns[c].caption;
        m_captionLines[c] = captionMetrics.horizontalAdvance(caption) <= m_inner[c]
                                ? 1
                                : lineCount(caption, m_captionFont, m_inner[c]);
        captionLines = qMax(captionLines, m_captionLines[c]);
    }
    m_captionHeight = captionLines * m_captionLine + 2 * m_padY;
    m_y += m_captionHeight;
    m_wrapped.resize(columns);
}

void Layout::paintPage(QPainter* painter, int page) const
{
    painter->save();
    const qreal body = m_page.height() - m_footerHeight;
    const int columns = int(m_def.columns.size());
    const qreal right = m_lefts.isEmpty() ? 0 : m_lefts.last() + m_widths.last();
    painter->setPen(Qt::black);
    qreal y = 0;
    if (page == 0 && !m_def.title.isEmpty()) {
        painter->setFont(m_titleFont);
        painter->drawText(QRectF(0, 0, m_page.width(), m_titleHeight), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                          m_def.title);
        y = m_titleHeight;
    }
    const qreal top = y;

    // One cell: its text from the top left inside the padding, the first baseline at
    // the row's baseline; wrapped lines follow at the line height.
    auto cell = [&](qreal x, qreal width, qreal rowTop, const QString& text, const QFont& font, qreal line,
                    qreal ascent, bool oneLine, bool centred) {
        const qreal inner = width - 2 * m_padX - m_rule;
        const qreal left = x + m_rule / 2 + m_padX;
        const qreal baseline = rowTop + m_rule / 2 + m_padY + ascent;
        if (oneLine) {
            const qreal shift = centred ? (inner - QFontMetricsF(font).horizontalAdvance(text)) / 2 : 0;
            painter->drawText(QPointF(left + shift, baseline), text);
            return;
        }
        QTextLayout layout(cellText(text), font);
        wrap(layout, inner, line, ascent, centred ? Qt::AlignHCenter : Qt::AlignLeft);
        layout.draw(painter, QPointF(left, rowTop + m_rule / 2 + m_padY));
    };

    // The caption row, on every page.
    painter->fillRect(QRectF(m_rule / 2, y, right - m_rule / 2, m_captionHeight), QColor(232, 232, 232));
    painter->setFont(m_captionFont);
    for (int c = 0; c < columns; ++c)
        cell(m_lefts[c], m_widths[c], y, m_def.columns[c].caption, m_captionFont, m_captionLine, m_captionAscent,
             m_captionLines[c] == 1, true);
    QList<qreal> rules{y};
    y += m_captionHeight;
    rules << y;

    const int first = firstRow(page);
    const int end = endRow(page);
    // A row taller than the page stands alone on its page and is cut at its foot.
    const bool tooTall = end == first + 1 && y + m_lines[first] * m_line + 2 * m_padY > body;
    if (tooTall)
        painter->setClipRect(QRectF(0, 0, m_page.width(), body));
    painter->setFont(m_font);
    for (int r = first; r < end; ++r) {
        const float* a = m_advance.constData() + qsizetype(r) * columns;
        for (int c = 0; c < columns; ++c) {
            const QString text = m_rows[r].value(c);
            if (!text.isEmpty())
                cell(m_lefts[c], m_widths[c], y, text, m_font, m_line, m_ascent,
                     a[c] <= m_widths[c] - 2 * m_padX - m_rule, false);
        }
        y += m_lines[r] * m_line + 2 * m_padY;
        rules << y;
    }
    const qreal bottom = qMin(y, body);

    QPen pen(Qt::black);
    pen.setWidthF(m_rule);
    painter->setPen(pen);
    for (qreal ry : rules)
        if (ry <= bottom)
            painter->drawLine(QPointF(m_rule / 2, ry), QPointF(right, ry));
    for (int c = 0; c <= columns; ++c) {
        const qreal x = c < columns ? m_lefts[c] : right;
        painter->drawLine(QPointF(x, top), QPointF(x, bottom));
    }
    if (tooTall)
        painter->setClipping(false);

    painter->setPen(Qt::black);
    painter->setFont(m_footerFont);
    painter->drawText(QRectF(0, body, m_page.width(), m_footerHeight), Qt::AlignHCenter | Qt::AlignBottom,
                      m_complete ? FooterText(page + 1, pageCount()) : FooterText(page + 1));
    painter->restore();
}

namespace {
// The resolution of a printer in high resolution writing a PDF, on which the preview
// lays the report out: the file has the preview's pages.
constexpr int kPdfDpi = 1200;

QPageLayout pageLayout(const Definition& def)
{
    return QPageLayout(QPageSize(QPageSize::A4), def.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(15, 15, 15, 10), QPageLayout::Millimeter);
}
}  // namespace

void SetupPage(QPrinter& printer, const Definition& def)
{
    printer.setPageLayout(pageLayout(def));
    printer.setDocName(def.title);
}

int Render(const Definition& def, const Rows& rows, QPagedPaintDevice* device, int from, int to)
{
    const Layout layout(def, rows, device);
    const int first = from > 0 ? qMin(from, layout.pageCount()) : 1;
    const int last = to > 0 ? qBound(first, to, layout.pageCount()) : layout.pageCount();
    QPainter painter;
    if (!painter.begin(device))
        return -1;
    for (int page = first; page <= last; ++page) {
        if (page > first && !device->newPage()) {
            painter.end();
            return -1;
        }
        layout.paintPage(&painter, page - 1);
    }
    return painter.end() ? last - first + 1 : -1;
}

bool WritePdf(const Definition& def, const Rows& rows, const QString& path)
{
    // Written beside the old file and put in its place only once it is complete: a
    // save that fails leaves the old file as it was.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    int pages = 0;
    {
        QPdfWriter pdf(&out);
        pdf.setResolution(kPdfDpi);
        pdf.setPageLayout(pageLayout(def));
        pdf.setTitle(def.title);
        pages = Render(def, rows, &pdf);
    }
    if (pages <= 0) {
        out.cancelWriting();
        return false;
    }
    return CommitSaveFile(out);
}

QString FooterText(int page, int pageCount)
{
    return QStringLiteral("第 %1 页  共 %2 页").arg(page).arg(pageCount);
}

QString FooterText(int page) { return QStringLiteral("第 %1 页").arg(page); }

void SetPrintDialogHook(PrintDialogHook hook) { printDialogHook() = std::move(hook); }

}  // namespace report

ReportPageView::ReportPageView(const report::Layout* layout, QSizeF paper, QRectF body, qreal dpi,
                               QWidget* parent)
    : QAbstractScrollArea(parent), m_layout(layout), m_paper(paper), m_body(body), m_dpi(dpi)
{
    setObjectName(QStringLiteral("previewView"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
}

int ReportPageView::pageCount() const { return m_layout->pageCount(); }

namespace {
constexpr int kGap = 12;   // screen pixels around and between the pages
}

qreal ReportPageView::scale() const { return m_zoom * logicalDpiY() / m_dpi; }

qreal ReportPageView::stride() const { return m_paper.height() * scale() + kGap; }

int ReportPageView::currentPage() const
{
    const QScrollBar* bar = verticalScrollBar();
    if (bar->maximum() > 0 && bar->value() == bar->maximum())
        return pageCount();
    const int page = int((bar->value() + viewport()->height() / 3.0) / stride()) + 1;
    return qBound(1, page, pageCount());
}

void ReportPageView::setCurrentPage(int page)
{
    page = qBound(1, page, pageCount());
    verticalScrollBar()->setValue(qRound((page - 1) * stride()));
    emit changed();
}

void ReportPageView::zoomIn(qreal factor) { setZoom(m_zoom * factor, CustomZoom); }

void ReportPageView::zoomOut(qreal factor) { setZoom(m_zoom / factor, CustomZoom); }

void ReportPageView::fitToWidth()
{
    setZoom((viewport()->width() - 2 * kGap) / (m_paper.width() * logicalDpiY() / m_dpi), FitToWidth);
}

void ReportPageView::fitInView()
{
    const qreal perZoom = logicalDpiY() / m_dpi;
    setZoom(qMin((viewport()->width() - 2 * kGap) / (m_paper.width() * perZoom),
                 (viewport()->height() - 2 * kGap) / (m_paper.height() * perZoom)),
            FitInView);
}

void ReportPageView::setZoom(qreal zoom, ZoomMode mode)
{
    // The page in sight stays in sight.
    const int page = currentPage();
    m_zoom = qBound(0.1, zoom, 8.0);
    m_mode = mode;
    updateScrollBars();
    verticalScrollBar()->setValue(qRound((page - 1) * stride()));
    viewport()->update();
    emit changed();
}

void ReportPageView::updateScrollBars()
{
    const QSize view = viewport()->size();
    const int width = qCeil(m_paper.width() * scale()) + 2 * kGap;
    const int height = qCeil(pageCount() * stride()) + kGap;
    horizontalScrollBar()->setRange(0, qMax(0, width - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, qMax(0, height - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(qMax(1, view.height() / 10));
}

void ReportPageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_mode == FitToWidth)
        fitToWidth();
    else if (m_mode == FitInView)
        fitInView();
    else
        updateScrollBars();
}

void ReportPageView::scrollContentsBy(int, int)
{
    viewport()->update();
    emit changed();
}

void ReportPageView::pagesChanged()
{
    updateScrollBars();
    viewport()->update();
    emit changed();
}

void ReportPageView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Home) {
        setCurrentPage(1);
    } else if (event->key() == Qt::Key_End) {
        if (m_beforeLast)
            m_beforeLast();
        setCurrentPage(pageCount());
    }
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void ReportPageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    // Rules thinner than a screen pixel show evenly, not one or two pixels by chance.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(event->rect(), QColor(128, 128, 128));
    const qreal s = scale();
    const QSizeF paper = m_paper * s;
    const qreal left = qMax<qreal>(kGap, (viewport()->width() - paper.width()) / 2) - horizontalScrollBar()->value();
    const qreal top = kGap - verticalScrollBar()->value();
    const int first = qMax(0, int((event->rect().top() - top) / stride()));
    for (int page = first; page < pageCount(); ++page) {
        const QRectF sheet(left, top + page * stride(), paper.width(), paper.height());
        if (sheet.top() > event->rect().bottom())
            break;
        painter.fillRect(sheet.translated(3, 3), QColor(64, 64, 64));
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.setClipRect(sheet);
        painter.translate(sheet.topLeft() + m_body.topLeft() * s);
        painter.scale(s, s);
        m_layout->paintPage(&painter, page);
        painter.restore();
    }
}

ReportPreview::ReportPreview(const report::Definition& def, std::unique_ptr<report::RowFeed> feed)
    : QWidget(nullptr), m_def(def), m_feed(std::move(feed))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("reportPreview"));
    setWindowTitle(def.title.isEmpty() ? QStringLiteral("打印预览") : def.title + QStringLiteral(" - 打印预览"));

    // Laid out at a printer's resolution, on the paper of the report; the view draws
    // the pages in sight from it.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    report::SetupPage(printer, m_def);
    m_layout = std::make_unique<report::Layout>(m_def, QSizeF(printer.width(), printer.height()), printer.logicalDpiY());
    m_view = new ReportPageView(m_layout.get(), printer.paperRect(QPrinter::DevicePixel).size(),
                                printer.pageRect(QPrinter::DevicePixel), printer.logicalDpiY(), this);
    m_view->SetBeforeLastPage([this] { FinishLoading(); });
    // The first page now; the rest as the rows come, a few pages at a time, so that
    // the window answers meanwhile.
    m_feed->OnMore(this, [this] { takeRows(); });
    takeRows();
    if (!m_feed && !m_failed)
        m_layout->finish();   // the report is no longer than its first block
    else
        m_layout->layOut(1);

    auto* bar = new QHBoxLayout;
    bar->setSpacing(2);
    auto button = [&](const char* name, const QString& text, const QString& tip = QString()) {
        auto* b = MakeButton<QToolButton>(this, QString::fromLatin1(name), text);
        b->setToolTip(tip.isEmpty() ? text : tip);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setFocusPolicy(Qt::TabFocus);
        bar->addWidget(b);
        return b;
    };
    m_first = button("cmdFirst", QStringLiteral("首页"));
    m_previous = button("cmdPrevious", QStringLiteral("上一页"));
    m_page = new QSpinBox(this);
    m_page->setObjectName(QStringLiteral("txtPage"));
    m_page->setKeyboardTracking(false);
    m_page->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_page->setAlignment(Qt::AlignRight);
    m_page->setToolTip(QStringLiteral("页码"));
    bar->addWidget(m_page);
    m_pages = new QLabel(this);
    m_pages->setObjectName(QStringLiteral("lblPages"));
    bar->addWidget(m_pages);
    m_next = button("cmdNext", QStringLiteral("下一页"));
    m_last = button("cmdLast", QStringLiteral("末页"));
    bar->addSpacing(12);
    QToolButton* zoomOut = button("cmdZoomOut", QStringLiteral("缩小"));
    QToolButton* zoomIn = button("cmdZoomIn", QStringLiteral("放大"));
    QToolButton* fitWidth = button("cmdFitWidth", QStringLiteral("适合宽度"));
    QToolButton* fitPage = button("cmdFitPage", QStringLiteral("整页"));
    bar->addSpacing(12);
    QToolButton* print = button("cmdPrint", QStringLiteral("打印"), QStringLiteral("打印报表"));
    QToolButton* pdf = button("cmdPdf", QStringLiteral("保存为PDF"), QStringLiteral("把报表保存为PDF文件"));
    bar->addStretch(1);
    QToolButton* close = button("cmdClose", QStringLiteral("关闭"), QStringLiteral("关闭预览（Esc）"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    m_view->setFocus();

    connect(m_view, &ReportPageView::changed, this, [this] { updateControls(); });
    auto goTo = [this](int page) { m_view->setCurrentPage(page); };
    connect(m_first, &QToolButton::clicked, this, [goTo] { goTo(1); });
    connect(m_previous, &QToolButton::clicked, this, [this, goTo] { goTo(m_view->currentPage() - 1); });
    connect(m_next, &QToolButton::clicked, this, [this, goTo] { goTo(m_view->currentPage() + 1); });
    connect(m_last, &QToolButton::clicked, this, [this, goTo] {
        FinishLoading();
        goTo(m_view->pageCount());
    });
    connect(m_page, &QSpinBox::valueChanged, this, goTo);
    connect(zoomIn, &QToolButton::clicked, this, [this] { m_view->zoomIn(1.25); });
    connect(zoomOut, &QToolButton::clicked, this, [this] { m_view->zoomOut(1.25); });
    connect(fitWidth, &QToolButton::clicked, m_view, &ReportPageView::fitToWidth);
    connect(fitPage, &QToolButton::clicked, m_view, &ReportPageView::fitInView);
    connect(print, &QToolButton::clicked, this, [this] { printReport(); });
    connect(pdf, &QToolButton::clicked, this, [this] { savePdf(); });
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    updateControls();
}

ReportPreview::~ReportPreview()
{
    // The reading stops before the window goes; the view draws from the layout: let
    // it go first.
    m_feed.reset();
    delete m_view;
}

void ReportPreview::takeRows()
{
    if (!m_feed)
        return;
    bool done = false;
    QString error;
    m_layout->addRows(m_feed->Take(&done, &error));
    if (!error.isEmpty()) {
        // Shown once the window is up (this may run while it is being made).
        m_feed.reset();
        m_failed = true;
        QTimer::singleShot(0, this, [this, error] {
            ShowFailure(error, platform::vbOKOnly, report::kMessageTitle);
            close();
        });
        return;
    }
    if (done)
        m_feed.reset();
    if (!m_layingOut) {
        m_layingOut = true;
        QTimer::singleShot(0, this, [this] { layOutMore(); });
    }
}

void ReportPreview::layOutMore()
{
    m_layingOut = false;
    if (m_layout->complete() || m_failed)
        return;
    const int before = m_layout->pageCount();
    m_layout->layOut(before + 10);
    if (!m_feed && m_layout->laidOut() == m_layout->rows().size()) {
        m_layout->finish();   // every row has come and is laid out: the count is final
    } else if (m_layout->pageCount() == before) {
        return;   // the rows come so far are laid out: the next ones go on
    } else {
        m_layingOut = true;
        QTimer::singleShot(0, this, [this] { layOutMore(); });
    }
    m_view->pagesChanged();
}

void ReportPreview::FinishLoading()
{
    if (m_layout->complete() || m_failed)
        return;
    platform::BusyCursor busy;
    if (m_feed) {
        m_feed->Wait();
        takeRows();
    }
    if (m_failed)
        return;
    m_layout->finish();
    m_view->pagesChanged();
}

void ReportPreview::updateControls()
{
    const int count = m_view->pageCount();
    const int page = m_view->currentPage();
    const QSignalBlocker block(m_page);
    m_page->setRange(count > 0 ? 1 : 0, count);
    m_page->setValue(page);
    m_pages->setText(m_layout->complete() ? QStringLiteral("/ %1 页").arg(count) : QStringLiteral("/ %1 页…").arg(count));
    m_first->setEnabled(page > 1);
    m_previous->setEnabled(page > 1);
    m_next->setEnabled(page < count);
    // More pages are still to come while they are counted.
    m_last->setEnabled(page < count || !m_layout->complete());
}

void ReportPreview::printReport()
{
    FinishLoading();
    if (!m_layout->complete())
        return;   // the reading failed: the window is closing
    QPrinter printer(QPrinter::HighResolution);
    report::SetupPage(printer, m_def);
    if (!report::askPrinter(&printer, this))
        return;
    int printed = 0;
    {
        platform::BusyCursor busy;
        printed = report::Render(m_def, m_layout->rows(), &printer, printer.fromPage(), printer.toPage());
    }
    if (printed < 0)
        ShowFailure(QStringLiteral("无法打印报表：%1").arg(m_def.title), platform::vbOKOnly, report::kMessageTitle);
}

void ReportPreview::savePdf()
{
    FinishLoading();
    if (!m_layout->complete())
        return;
    platform::FileDialogRequest r;
    r.save = true;
    r.title = QStringLiteral("保存为PDF文件");
    r.initialDir = appFolder();
    r.fileName = (m_def.title.isEmpty() ? QStringLiteral("报表") : m_def.title) + QStringLiteral(".pdf");
    r.defaultExt = QStringLiteral("pdf");
    r.filter = QStringLiteral("PDF文件 (*.pdf)");
    const QString path = platform::GetSaveFile(r);
    if (path.isEmpty())
        return;
    bool ok = false;
    {
        platform::BusyCursor busy;
        ok = report::WritePdf(m_def, m_layout->rows(), path);
    }
    if (!ok)
        ShowFailure(QStringLiteral("无法保存PDF文件：%1").arg(QDir::toNativeSeparators(path)), platform::vbOKOnly,
                    report::kMessageTitle);
}

ReportControl::ReportControl(QObject* parent, const QString& name)
    : QObject(parent)
{
    setObjectName(name);
}

ReportControl::~ReportControl() { delete m_preview.data(); }

bool ReportControl::PrintReport()
{
    report::Definition def;
    auto feed = std::unique_ptr<report::RowFeed>();
    QString error;
    bool made = false;
    {
        platform::BusyCursor busy;
        made = report::LoadDefinition(m_file, &def, &error);
        if (made) {
            feed = std::make_unique<report::RowFeed>(def, DefaultDbPath());
            made = feed->Start(&error);
        }
    }
    if (!made) {
        ShowFailure(error, platform::vbOKOnly, report::kMessageTitle);
        return false;
    }
    auto* window = new ReportPreview(def, std::move(feed));
    if (m_preview)
        m_preview->close();
    m_preview = window;
    window->move(m_left, m_top);
    window->resize(m_width, m_height);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}
