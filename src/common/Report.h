#pragma once
// The report control: runs a report file of the application folder into a print
// preview window that can print the report or save it as PDF. A report file is a
// small definition of our own (title, query, column captions); the report reads the
// database of the application folder.
//
// A report file is UTF-8 XML:
//
//   <report title="单位代码表" orientation="portrait">
//     <query>select dwdm, dwmc from dwdm order by dwdm</query>
//     <column caption="单位代码" width="1"/>
//     <column caption="单位名称" width="3"/>
//   </report>
//
// title: printed above the table on the first page and shown as the window title.
// orientation: "portrait" (default) or "landscape".
// query: exactly one SELECT statement; it runs on a connection that refuses writes.
// column: one per column of the query, in the query's order; width is the column's
// share of the page width left over when every column has the room its content
// needs, or of the room for the widest columns when the table is wider than the
// page (a positive whole number, default 1).

#include <QAbstractScrollArea>
#include <QFont>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QSpinBox;
class QToolButton;

namespace report {

struct Column {
    QString caption;
    int width = 1;
};

struct Definition {
    QString file;   // where the definition was read from; messages name it
    QString title;
    QString query;
    QList<Column> columns;
    bool landscape = false;
};

// The rows of a report, each as the texts of its columns (a null value is empty).
using Rows = QList<QStringList>;

// Reads a report file. On failure returns false and *error holds the message for the
// user, which names the file.
bool LoadDefinition(const QString& file, Definition* def, QString* error);
// True when sql is one SELECT statement (a trailing semicolon and comments allowed).
bool IsSingleSelect(const QString& sql);
// Runs the definition's query on the database file, read-only. On failure returns
// false and *error holds the message for the user.
bool RunQuery(const Definition& def, const QString& dbPath, Rows* rows, QString* error);

// The rows of a report's query, read on a thread of their own in blocks, so that the
// first page can be shown while the rest is still read. One statement reads them
// all, so they come from one state of the database; the thread's connection opens
// the file read-only. A writer elsewhere waits for the reading to end, which goes
// on whatever the window does meanwhile.
class RowFeed {
public:
    static constexpr int kBlock = 1000;

    RowFeed(Definition def, QString dbPath);
    // Stops the reading and waits for the thread.
    ~RowFeed();
    RowFeed(const RowFeed&) = delete;
    RowFeed& operator=(const RowFeed&) = delete;

    // Starts the reading and waits for the first block or the end; false, with the
    // message for the user in *error, when the query cannot run.
    bool Start(QString* error);
    // `fn` runs in the thread of `context` whenever more rows or the end have come.
    void OnMore(QObject* context, std::function<void()> fn);
    // The rows read since the last call; *done once the last of them has come, and
    // *error the message when the reading failed after its first block.
    Rows Take(bool* done, QString* error);
    // Waits until the reading has ended.
    void Wait();

private:
    struct State;
    std::unique_ptr<State> m;
};

// A text as the key of the layout's caches of measured values. Its hash is the
// unseeded one: the seeded hash costs several times as much, and that for every cell
// of a report.
struct TextKey {
    QString text;
    friend bool operator==(const TextKey& a, const TextKey& b) { return a.text == b.text; }
    friend size_t qHash(const TextKey& key, size_t) { return qHash(QStringView(key.text), 0); }
};

// The printed report laid out in pages: the title on the first page, then a table
// whose caption row repeats on every page, and the page number under each page.
//
// Every row is measured once (its height from the font's metrics at the device's
// resolution); pages are cut from those heights and each page is drawn only when it
// is asked for. Each distinct text is measured once, and only the values that may
// decide a row's height are wrapped into lines.
//
// Columns take the width their content needs in the first kWidthRows rows: when the
// table is wider than the page, the widest columns give way and wrap, sharing the
// room left by their declared shares, while short values (codes, telephone numbers)
// stay on one line; a later value wider than its column wraps. All cells of a row
// share one baseline, whichever font (Latin or Chinese) draws their text.
//
// A layout can be built as its rows come (addRows, layOut, finish): the first pages
// are ready once the first kWidthRows rows are there, whatever follows them.
class Layout {
public:
    static constexpr int kWidthRows = 1000;

    // Lays the rows out for pages of `page` (the printable area, in pixels of a device
    // of `dpi` dots per inch).
    Layout(const Definition& def, const Rows& rows, QSizeF page, qreal dpi);
    // Lays out for the printable area of a printer or PDF writer.
    Layout(const Definition& def, const Rows& rows, QPagedPaintDevice* device);
    // A layout without rows yet, to be given them by addRows and closed by finish.
    Layout(const Definition& def, QSizeF page, qreal dpi);

    // Adds rows after those it has and measures them.
    void addRows(const Rows& rows);
    // Lays the rows it has out until `pages` pages are complete (or the rows run out);
    // nothing before the column widths are known (kWidthRows rows, or finish).
    void layOut(int pages);
    // No more rows come: lays out the rest; every page is then complete.
    void finish();
    bool complete() const { return m_complete; }

    // The complete pages: all of them once finished.
    int pageCount() const;
    const Rows& rows() const { return m_rows; }
    // Rows [first, end) of a complete page (0-based).
    int firstRow(int page) const { return m_pages.at(page); }
    int endRow(int page) const;
    // Width of each column, in device pixels.
    const QList<qreal>& columnWidths() const { return m_widths; }
    // The rows laid out so far.
    qsizetype laidOut() const { return m_lines.size(); }
    // Text lines a laid-out row takes (its tallest cell).
    int rowLines(int row) const { return m_lines.at(row); }

    // Draws one complete page (0-based) with its top left at the painter's origin.
    // Its footer counts the pages once the layout is finished.
    void paintPage(QPainter* painter, int page) const;

private:
    struct Measured {
        float advance;    // on one line; 1e9 for a text with line breaks
        qreal natural;    // its widest line
    };

    static constexpr qsizetype kCachedTexts = 16384;

    void setFonts(qreal dpi);
    void setColumnWidths();

    Definition m_def;
    Rows m_rows;
    QSizeF m_page;
    QFont m_font, m_captionFont, m_titleFont, m_footerFont;
    qreal m_padX = 0, m_padY = 0, m_line = 0, m_ascent = 0, m_rule = 0;
    qreal m_titleHeight = 0, m_captionHeight = 0, m_footerHeight = 0;
    qreal m_captionLine = 0, m_captionAscent = 0;
    QList<qreal> m_lefts, m_widths, m_inner;
    QList<int> m_captionLines;
    QList<float> m_advance;   // the one-line width of every value, row by row
    QList<qreal> m_natural;   // per column: its widest caption or value on one line
    QList<int> m_lines;       // per row laid out
    QList<int> m_pages;       // first row of each page
    qreal m_y = 0;            // where the next row laid out would start on its page
    bool m_complete = false;
    QHash<TextKey, Measured> m_measured;      // while rows come
    QList<QHash<TextKey, int>> m_wrapped;     // lines per column, while rows come
};

// Paper A4 in the definition's orientation, with the report's margins.
void SetupPage(QPrinter& printer, const Definition& def);
// Lays the report out for the device and paints the pages from..to (1-based, 0 for
// all), each with its page number; returns the pages painted, or -1 when the device
// cannot be painted on (a PDF file that cannot be written, say).
int Render(const Definition& def, const Rows& rows, QPagedPaintDevice* device, int from = 0, int to = 0);
// Writes the report as a PDF file; false when the file cannot be written.
bool WritePdf(const Definition& def, const Rows& rows, const QString& path);
// The line under each page; without the count while the pages are still counted.
QString FooterText(int page, int pageCount);
QString FooterText(int page);

// Asks the user for the printer and its settings; true to print. Tests install their
// own (an empty function restores the real print dialog).
using PrintDialogHook = std::function<bool(QPrinter* printer, QWidget* parent)>;
void SetPrintDialogHook(PrintDialogHook hook);

}  // namespace report

// The pages of a laid-out report, one under the other on a grey ground, each page
// drawn when it comes into sight.
class ReportPageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum ZoomMode { FitToWidth, FitInView, CustomZoom };

    // paper: the sheet in the layout's pixels; body: where the layout's pages lie on it.
    ReportPageView(const report::Layout* layout, QSizeF paper, QRectF body, qreal dpi, QWidget* parent);

    int pageCount() const;
    // More pages are there (or the count is final): the scroll range follows.
    void pagesChanged();
    // Runs before a move to the last page, which needs every page.
    void SetBeforeLastPage(std::function<void()> fn) { m_beforeLast = std::move(fn); }
    // The page in sight (1-based): the one at the upper third of the view, or the last
    // page when the view is scrolled to the end.
    int currentPage() const;
    void setCurrentPage(int page);
    // 1 shows the paper at its real size.
    qreal zoomFactor() const { return m_zoom; }
    ZoomMode zoomMode() const { return m_mode; }
    void zoomIn(qreal factor);
    void zoomOut(qreal factor);
    void fitToWidth();
    void fitInView();

signals:
    // The page in sight or the zoom changed.
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    qreal scale() const;   // screen pixels per layout pixel
    qreal stride() const;  // from one page's top to the next
    void setZoom(qreal zoom, ZoomMode mode);
    void updateScrollBars();

    const report::Layout* m_layout;
    QSizeF m_paper;
    QRectF m_body;
    qreal m_dpi;
    qreal m_zoom = 1;
    ZoomMode m_mode = FitToWidth;
    std::function<void()> m_beforeLast;
};

// The preview window: the report's pages with the controls of a print preview (page
// through, zoom, fit width or page, print, save as PDF, close; Esc closes too). A
// top-level window of its own, so it works while the calling windows are disabled.
class ReportPreview : public QWidget {
    Q_OBJECT
public:
    // Shows the rows of the feed, which has started: the first pages at once, the
    // others as their rows come.
    ReportPreview(const report::Definition& def, std::unique_ptr<report::RowFeed> feed);
    ~ReportPreview() override;

    const report::Definition& ReportDefinition() const { return m_def; }
    // The rows come so far: all of them once the pages are counted.
    const report::Rows& ReportRows() const { return m_layout->rows(); }
    ReportPageView* View() const { return m_view; }
    // Takes every row still to come and lays the report out to its end.
    void FinishLoading();

private:
    void takeRows();
    void layOutMore();
    void updateControls();
    void printReport();
    void savePdf();

    report::Definition m_def;
    std::unique_ptr<report::RowFeed> m_feed;   // until every row has come
    std::unique_ptr<report::Layout> m_layout;
    bool m_layingOut = false;                  // a step of laying out is queued
    bool m_failed = false;                     // the reading failed: the window closes
    ReportPageView* m_view = nullptr;
    QSpinBox* m_page = nullptr;
    QLabel* m_pages = nullptr;
    QToolButton *m_first = nullptr, *m_previous = nullptr, *m_next = nullptr, *m_last = nullptr;
};

class ReportControl : public QObject {
    Q_OBJECT
public:
    ReportControl(QObject* parent, const QString& name);
    // The preview window belongs to the control: it closes with it (with the window
    // that holds the control).
    ~ReportControl() override;

    void SetReportFileName(const QString& path) { m_file = path; }
    QString ReportFileName() const { return m_file; }
    // Place and size of the preview window on the screen, in pixels: left and top
    // of its frame, width and height of its inside.
    void SetWindowWidth(int px) { m_width = px; }
    void SetWindowHeight(int px) { m_height = px; }
    void SetWindowLeft(int px) { m_left = px; }
    void SetWindowTop(int px) { m_top = px; }
    int WindowWidth() const { return m_width; }
    int WindowHeight() const { return m_height; }
    int WindowLeft() const { return m_left; }
    int WindowTop() const { return m_top; }

    // Makes the report and shows it in its preview window. When the report cannot be
    // made (file missing or broken, query refused) a message says why and false is
    // returned; the calling window stays usable. Run again while a preview is open,
    // the old preview closes and a fresh one shows the table as it is now; a run that
    // fails leaves the open preview as it was.
    bool PrintReport();

    // The preview window of the last run (nullptr before the first or after it closed).
    QWidget* PreviewWindow() const { return m_preview; }

private:
    QString m_file;
    int m_width = 800;
    int m_height = 600;
    int m_left = 0;
    int m_top = 0;
    QPointer<QWidget> m_preview;
};
