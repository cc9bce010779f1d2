#pragma once
// The two typing scripts (the application document of one project and the summary
// list of a category) and the builds around them: template, script, one atomic write
// into the doc folder, messages on failure. The windows fetch the rows and call these.

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <exception>
#include <functional>

namespace docs {

class WordDocument;

// One application row: the value of an xmsb column by its name; an invalid or null
// QVariant is a Null column.
using Record = std::function<QVariant(const QString& column)>;

// Category name as the summary list types it and names its file; empty outside 1..3.
QString CategoryName(int category);
// Template of a category's application document, and of the summary list's first
// page or continuation block, in the application folder's rpt folder.
QString ApplicationTemplate(int category);
QString SummaryTemplate(bool continuation);
// The application folder's doc folder.
QString DocFolder();
// A project name made safe as a file name inside doc: trimmed, path separators and
// control characters replaced by "_"; empty when nothing is left.
QString SafeFileName(const QString& projectName);

// Types one application into its category's template (opened, nothing typed yet).
// Throws DocError when a column that the script needs is Null or the template does
// not fit the script.
void FillApplicationDocument(WordDocument& doc, int category, const Record& row);
// Types the rows into the summary list's first page, adding a page copied from the
// continuation template for every further twelve rows. Throws DocError.
void FillSummaryList(WordDocument& list, WordDocument& continuation, const QString& categoryName,
                     const QList<Record>& rows);

// The message of a build with no application to write, and those of a failed
// application document and of a failed summary list, with the reason behind the
// box's details button.
void ShowNothingToPreview();
void ShowApplicationFailure(const std::exception& reason);
void ShowSummaryFailure(const std::exception& reason);

// Builds the application document of one row into doc/<project name>.doc and returns
// its path; on failure shows the message and returns an empty text (no file written).
QString BuildApplicationDocument(int category, const Record& row);
// Builds the category's summary list into doc/<year>年<category>项目申报一览表.doc and
// returns its path; an empty list or a failure shows its message and returns empty.
QString BuildSummaryList(int category, const QList<Record>& rows, const QDate& today);

}  // namespace docs
