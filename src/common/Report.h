#pragma once
// The report control: runs a report file of the application folder into a print
// preview window that can print the report or save it as PDF. A report file is a
// small definition of our own (title, query, column captions); the report reads the
// database of the application folder.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class ReportControl : public QObject {
    Q_OBJECT
public:
    ReportControl(QObject* parent, const QString& name);
    ~ReportControl() override;

    void SetReportFileName(const QString& path) { m_file = path; }
    QString ReportFileName() const { return m_file; }
    // Place and size of the preview window on the screen, in pixels.
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
    // returned; the calling window stays usable.
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
