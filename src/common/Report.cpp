#include "Report.h"

#include "AppFolder.h"
#include "Db.h"
#include "Platform.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSqlError>
#include <QSqlRecord>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QVBoxLayout>

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

// A copy of the document laid out in pages of the device, with room for the page
// number under each page.
struct Paged {
    std::unique_ptr<QTextDocument> doc;
    QSizeF body;
    qreal footer = 0;
};

Paged paginate(const QTextDocument& source, QPagedPaintDevice* device)
{
    Paged p;
    p.doc.reset(source.clone());
    // Lay out at the device's resolution, so that what is counted is what is painted.
    p.doc->documentLayout()->setPaintDevice(device);
    p.footer = device->logicalDpiY() * 0.4;   // about 10 mm
    p.body = QSizeF(device->width(), device->height() - p.footer);
    p.doc->setPageSize(p.body);
    return p;
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

bool RunQuery(const Definition& def, const QString& dbPath, Rows* rows, QString* error)
{
    if (!IsSingleSelect(def.query)) {
        *error = QStringLiteral("报表文件中的查询不是单独一条 SELECT 语句：%1").arg(shown(def.file));
        return false;
    }
    DbConnection db(QStringLiteral("report"));
    try {
        db.Open(dbPath);
        // A report only reads: the connection refuses any write, whatever the file says.
        db.Exec(QStringLiteral("PRAGMA query_only = ON"));
    } catch (const DbError& e) {
        *error = QStringLiteral("无法打开数据库，报表不能生成：%1\n%2").arg(shown(def.file), e.description());
        return false;
    }
    Rows out;
    try {
        QSqlQuery q = db.Exec(def.query);
        const int fields = q.record().count();
        if (fields != def.columns.size()) {
            *error = QStringLiteral("报表文件的栏目与查询结果不符（%2个栏目，查询有%3列）：%1")
                         .arg(shown(def.file))
                         .arg(def.columns.size())
                         .arg(fields);
            return false;
        }
        while (q.next()) {
            QStringList r;
            r.reserve(fields);
            for (int i = 0; i < fields; ++i)
                r << (q.value(i).isNull() ? QString() : q.value(i).toString());
            out << r;
        }
        if (q.lastError().isValid())
            throw DbError(q.lastError().text());
    } catch (const DbError& e) {
        *error = QStringLiteral("数据库拒绝执行报表查询：%1\n%2").arg(shown(def.file), e.description());
        return false;
    }
    *rows = out;
    return true;
}

std::unique_ptr<QTextDocument> BuildDocument(const Definition& def, const Rows& rows)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDocumentMargin(0);
    QFont font = doc->defaultFont();
    font.setPointSizeF(10.5);
    doc->setDefaultFont(font);
    doc->setMetaInformation(QTextDocument::DocumentTitle, def.title);

    QTextCursor cursor(doc.get());
    QTextBlockFormat titleBlock;
    titleBlock.setAlignment(Qt::AlignHCenter);
    titleBlock.setBottomMargin(14);
    QTextCharFormat titleChars;
    titleChars.setFontPointSize(16);
    titleChars.setFontWeight(QFont::Bold);
    cursor.setBlockFormat(titleBlock);
    cursor.setBlockCharFormat(titleChars);
    cursor.insertText(def.title, titleChars);

    int total = 0;
    for (const Column& c : def.columns)
        total += c.width;
    QList<QTextLength> widths;
    for (const Column& c : def.columns)
        widths << QTextLength(QTextLength::PercentageLength, 100.0 * c.width / total);

    QTextTableFormat table;
    table.setHeaderRowCount(1);   // the caption row repeats at the top of every page
    table.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    table.setColumnWidthConstraints(widths);
    table.setBorder(0.75);
    table.setBorderBrush(Qt::black);
    table.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    table.setBorderCollapse(true);
    table.setCellSpacing(0);
    table.setCellPadding(4);
    const int columns = def.columns.size();
    QTextTable* t = cursor.insertTable(rows.size() + 1, columns, table);

    QTextCharFormat captionChars;
    captionChars.setFontWeight(QFont::Bold);
    QTextBlockFormat captionBlock;
    captionBlock.setAlignment(Qt::AlignHCenter);
    // With collapsed borders the grid lines are the cells' own.
    QTextTableCellFormat cellFormat;
    cellFormat.setBorder(0.75);
    cellFormat.setBorderBrush(Qt::black);
    cellFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    QTextTableCellFormat captionCell = cellFormat;
    captionCell.setBackground(QColor(232, 232, 232));
    for (int c = 0; c < columns; ++c) {
        QTextTableCell cell = t->cellAt(0, c);
        cell.setFormat(captionCell);
        QTextCursor in = cell.firstCursorPosition();
        in.setBlockFormat(captionBlock);
        in.insertText(def.columns[c].caption, captionChars);
    }
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns; ++c) {
            QTextTableCell cell = t->cellAt(r + 1, c);
            cell.setFormat(cellFormat);
            cell.firstCursorPosition().insertText(rows[r].value(c));
        }
    return doc;
}

void SetupPage(QPrinter& printer, const Definition& def)
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      def.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 10), QPageLayout::Millimeter));
    printer.setDocName(def.title);
}

int PageCount(const QTextDocument& doc, QPagedPaintDevice* device)
{
    return paginate(doc, device).doc->pageCount();
}

int Render(const QTextDocument& doc, QPagedPaintDevice* device)
{
    const Paged p = paginate(doc, device);
    const int count = p.doc->pageCount();
    QPainter painter;
    if (!painter.begin(device))
        return -1;
    QFont footerFont = doc.defaultFont();
    footerFont.setPointSizeF(9);
    const qreal height = p.body.height();
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device->newPage()) {
            painter.end();
            return -1;
        }
        const QRectF page(0, i * height, p.body.width(), height);
        painter.save();
        painter.translate(0, -page.top());
        painter.setClipRect(page);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = page;
        ctx.palette.setColor(QPalette::Text, Qt::black);
        p.doc->documentLayout()->draw(&painter, ctx);
        painter.restore();
        painter.setPen(Qt::black);
        painter.setFont(footerFont);
        painter.drawText(QRectF(0, height, p.body.width(), p.footer), Qt::AlignHCenter | Qt::AlignBottom,
                         FooterText(i + 1, count));
    }
    return painter.end() ? count : -1;
}

bool WritePdf(const QTextDocument& doc, const Definition& def, const QString& path)
{
    // A file that cannot be written is refused before the printer tries it.
    if (QFile probe(path); !probe.open(QIODevice::WriteOnly))
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    SetupPage(printer, def);
    return Render(doc, &printer) > 0;
}

QString FooterText(int page, int pageCount)
{
    return QStringLiteral("第 %1 页  共 %2 页").arg(page).arg(pageCount);
}

void SetPrintDialogHook(PrintDialogHook hook) { printDialogHook() = std::move(hook); }

}  // namespace report

namespace {

// The preview window: the report's pages, and buttons to print, save as PDF and close.
// A top-level window of its own, so it works while the calling windows are disabled.
class ReportPreview : public QWidget {
public:
    ReportPreview(const report::Definition& def, std::unique_ptr<QTextDocument> doc)
        : QWidget(nullptr), m_def(def), m_printer(QPrinter::HighResolution)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName(QStringLiteral("reportPreview"));
        setWindowTitle(def.title.isEmpty() ? QStringLiteral("打印预览")
                                           : def.title + QStringLiteral(" - 打印预览"));
        m_doc = doc.release();
        m_doc->setParent(this);
        m_doc->setObjectName(QStringLiteral("reportDocument"));

        // The preview only measures and paints through this printer; a PDF printer
        // needs no printing system.
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        report::SetupPage(m_printer, m_def);

        auto* print = new QPushButton(QStringLiteral("打  印"), this);
        print->setObjectName(QStringLiteral("cmdPrint"));
        auto* pdf = new QPushButton(QStringLiteral("保存为PDF"), this);
        pdf->setObjectName(QStringLiteral("cmdPdf"));
        auto* close = new QPushButton(QStringLiteral("关  闭"), this);
        close->setObjectName(QStringLiteral("cmdClose"));
        m_view = new QPrintPreviewWidget(&m_printer, this);
        m_view->setObjectName(QStringLiteral("previewWidget"));
        m_view->setZoomMode(QPrintPreviewWidget::FitToWidth);

        auto* buttons = new QHBoxLayout;
        buttons->addWidget(print);
        buttons->addWidget(pdf);
        buttons->addStretch(1);
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(6, 6, 6, 6);
        layout->addLayout(buttons);
        layout->addWidget(m_view, 1);

        QObject::connect(m_view, &QPrintPreviewWidget::paintRequested, this,
                         [this](QPrinter* printer) { report::Render(*m_doc, printer); });
        QObject::connect(print, &QPushButton::clicked, this, [this] { printReport(); });
        QObject::connect(pdf, &QPushButton::clicked, this, [this] { savePdf(); });
        QObject::connect(close, &QPushButton::clicked, this, [this] { this->close(); });
    }

    ~ReportPreview() override
    {
        // The view paints through m_printer: let it go before the printer does.
        delete m_view;
    }

private:
    void printReport()
    {
        QPrinter printer(QPrinter::HighResolution);
        report::SetupPage(printer, m_def);
        if (!report::askPrinter(&printer, this))
            return;
        if (report::Render(*m_doc, &printer) < 0)
            platform::MsgBox(QStringLiteral("无法打印报表：%1").arg(m_def.title), platform::vbOKOnly,
                             report::kMessageTitle);
    }

    void savePdf()
    {
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
            ok = report::WritePdf(*m_doc, m_def, path);
        }
        if (!ok)
            platform::MsgBox(QStringLiteral("无法保存PDF文件：%1").arg(QDir::toNativeSeparators(path)),
                             platform::vbOKOnly, report::kMessageTitle);
    }

    report::Definition m_def;
    QTextDocument* m_doc = nullptr;
    QPrinter m_printer;
    QPrintPreviewWidget* m_view = nullptr;
};

}  // namespace

ReportControl::ReportControl(QObject* parent, const QString& name)
    : QObject(parent)
{
    setObjectName(name);
}

ReportControl::~ReportControl() { delete m_preview.data(); }

bool ReportControl::PrintReport()
{
    report::Definition def;
    report::Rows rows;
    QString error;
    std::unique_ptr<QTextDocument> doc;
    {
        platform::BusyCursor busy;
        if (report::LoadDefinition(m_file, &def, &error)
            && report::RunQuery(def, DefaultDbPath(), &rows, &error))
            doc = report::BuildDocument(def, rows);
    }
    if (!doc) {
        platform::MsgBox(error, platform::vbOKOnly, report::kMessageTitle);
        return false;
    }
    auto* window = new ReportPreview(def, std::move(doc));
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
