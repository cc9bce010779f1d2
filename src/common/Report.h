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
// share of the page width (a positive whole number, default 1).

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class QTextDocument;

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

// The printed report: the title, then a table whose caption row repeats on every page.
std::unique_ptr<QTextDocument> BuildDocument(const Definition& def, const Rows& rows);
// Paper A4 in the definition's orientation, with the report's margins.
void SetupPage(QPrinter& printer, const Definition& def);
// Pages the document takes on the device.
int PageCount(const QTextDocument& doc, QPagedPaintDevice* device);
// Paints every page with its page number; returns the page count, or -1 when the
// device cannot be painted on (a PDF file that cannot be written, say).
int Render(const QTextDocument& doc, QPagedPaintDevice* device);
// Writes the report as a PDF file; false when the file cannot be written.
bool WritePdf(const QTextDocument& doc, const Definition& def, const QString& path);
// The line under each page.
QString FooterText(int page, int pageCount);

// Asks the user for the printer and its settings; true to print. Tests install their
// own (an empty function restores the real print dialog).
using PrintDialogHook = std::function<bool(QPrinter* printer, QWidget* parent)>;
void SetPrintDialogHook(PrintDialogHook hook);

}  // namespace report

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
