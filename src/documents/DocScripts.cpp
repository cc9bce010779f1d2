#include "DocScripts.h"

#include "AppFolder.h"
#include "Controls.h"
#include "Failure.h"
#include "Platform.h"
#include "WordDocument.h"

#include <QDir>
#include <optional>

namespace docs {

namespace {

const QString kTitle = QStringLiteral("提示信息");

bool isNull(const QVariant& v) { return !v.isValid() || v.isNull(); }

// A value as it is typed: the stored text (numbers without any format), blanks
// trimmed, line breaks made spaces. Nothing for a Null column.
std::optional<QString> valueText(const Record& row, const QString& column)
{
    const QVariant v = row(column);
    if (isNull(v))
        return std::nullopt;
    return typeableText(v.toString().trimmed());
}

DocError nullColumn(const QString& column)
{
    return DocError(QStringLiteral("申请记录的 %1 列没有值。").arg(column));
}

QString required(const Record& row, const QString& column)
{
    auto v = valueText(row, column);
    if (!v)
        throw nullColumn(column);
    return *v;
}

// Types a column's value; a Null column types nothing.
void typeIfAny(WordDocument& d, const Record& row, const QString& column)
{
    if (auto v = valueText(row, column))
        d.typeText(*v);
}

// The steps of the application document's script, on one document and row.
class ApplicationScript {
public:
    ApplicationScript(WordDocument& doc, const Record& row) : d(doc), r(row) {}

    void type(const QString& column) { d.typeText(required(r, column)); }
    void typeIfAny(const QString& column) { docs::typeIfAny(d, r, column); }
    // Types and returns to where typing began.
    void back(const QString& column) { typeAndReturn(required(r, column)); }
    void backIfAny(const QString& column)
    {
        if (auto v = valueText(r, column))
            typeAndReturn(*v);
    }
    void typeAndReturn(const QString& text)
    {
        d.typeText(text);
        if (!text.isEmpty())
            d.moveLeft(TextLength(text, LengthUnit::Characters));
    }
    void cells(int k)
    {
        for (int i = 0; i < k; ++i)
            d.moveRightCell();
    }
    void characterGrid()
    {
        // One character to a cell: a character outside the basic plane is one, never
        // cut in two.
        const auto text = required(r, QStringLiteral("yjnrzy")).toUcs4();
        const int length = int(text.size());
        int inRow = 0;
        for (int p = 1; p <= 200; ++p) {
            if (inRow == 20) {
                cells(2);
                inRow = 0;
            }
            if (p <= length) {
                const char32_t ch = text.at(p - 1);
                d.typeText(QString::fromUcs4(&ch, 1));
            }
            d.moveRight(1);
            ++inRow;
        }
    }

    WordDocument& d;
    const Record& r;
};

QString col(const char* stem, int k) { return QLatin1String(stem) + QString::number(k); }

// Writes a finished document into the doc folder under that name; its path.
QString saveInDocFolder(WordDocument& doc, const QString& fileName)
{
    if (!QDir().mkpath(DocFolder()))
        throw DocError(QStringLiteral("cannot create %1").arg(DocFolder()));
    doc.saveAs(DocFolder(), fileName);
    return doc.path();
}

}  // namespace

QString CategoryName(int category)
{
    switch (category) {
    case 1: return QStringLiteral("人文、社会科学专项");
    case 2: return QStringLiteral("自然科学专项");
    case 3: return QStringLiteral("产业化培育项目");
    default: return QString();
    }
}

QString ApplicationTemplate(int category)
{
    QString name;
    switch (category) {
    case 1: name = QStringLiteral("2、Oskavelvero人文社科专项申请书.doc"); break;
    case 2: name = QStringLiteral("3、Oskavelvero自然科学专项申请书.doc"); break;
    case 3: name = QStringLiteral("1、Oskavelvero产业化培育项目申请书.doc"); break;
    default: return QString();
    }
    return appFolder() + QStringLiteral("/rpt/") + name;
}

QString SummaryTemplate(bool continuation)
{
    return appFolder()
        + (continuation ? QStringLiteral("/rpt/Oskavelvero科研计划项目申报一览表1.doc")
                        : QStringLiteral("/rpt/Oskavelvero科研计划项目申报一览表.doc"));
}

QString DocFolder() { return appFolder() + QStringLiteral("/doc"); }

QString SafeFileName(const QString& projectName)
{
    QString name = projectName.trimmed();
    for (QChar& ch : name)
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\') || ch.unicode() < 0x20 || ch.unicode() == 0x7f
            || ch == QChar(0x2028) || ch == QChar(0x2029))
            ch = QLatin1Char('_');
    return name;
}

void FillApplicationDocument(WordDocument& d, int category, const Record& row)
{
    if (category < 1 || category > 3)
        throw DocError(QStringLiteral("no application document for category %1").arg(category));
    ApplicationScript s(d, row);

    // Opening block: project number, subject, project name.
    if (category == 3) {
        d.moveDown(2);
        d.moveRight(5);
    } else {
        d.moveRight(9);
    }
    s.backIfAny(QStringLiteral("xmbh"));
    d.moveDown(1);
    s.type(QStringLiteral("ssxk"));
    d.moveRightCell();
    s.type(QStringLiteral("xkmc"));
    d.moveDown(category == 1 ? 13 : 15);
    d.endOfLine();
    s.type(QStringLiteral("xmmc"));

    // Leader, unit and application date, then two pages on.
    const int gap = category == 1 ? 1 : 2;
    d.moveDown(gap);
    s.type(QStringLiteral("xmfzr"));
    d.moveDown(gap);
    s.type(QStringLiteral("szdw"));
    d.moveDown(gap);
    s.type(QStringLiteral("sqrq"));
    d.moveDown(2);
    d.nextPage();
    d.nextPage();
    d.moveDown(1);
    if (category == 1)
        d.moveRightCell();
    else if (category == 3)
        d.moveRight(4);

    // Project and leader table.
    s.back(QStringLiteral("xmmc"));
    d.moveDown(1);
    if (category != 3) {
        s.type(QStringLiteral("yjlb"));
        d.moveRightCell(2);
    }
    s.type(QStringLiteral("ssxk"));
    d.moveRightCell();
    s.type(QStringLiteral("xkmc"));
    d.moveRightCell(3);
    d.moveLeft(2);
    d.moveRight(1);
    s.type(QStringLiteral("sqje"));
    s.cells(2);
    d.typeText(required(row, QStringLiteral("qsny")) + QStringLiteral(" 至 ") + required(row, QStringLiteral("zzny")));
    d.moveRightCell(3);
    struct Field {
        const char* column;
        bool required;
        int moves;
    };
    static const Field fields[] = {
        {"sysdm", false, 1},    {"sysmc", false, 2},    {"yjjg", false, 3},     {"fzrxm", true, 2},
        {"fzrxb", true, 2},     {"fzrcsny", true, 3},   {"fzrxw", false, 2},    {"fzrhdxwsj", false, 2},
        {"fzrsbdbz", false, 3}, {"fzrzcdm", true, 1},   {"fzrzc", true, 2},     {"fzrdzsj", false, 3},
        {"fzryjfx", true, 2},   {"fzrlxdh", false, 2},  {"fzrszxs", false, 9},  {"zrs", false, 1},
        {"gjrs", false, 1},     {"zjrs", false, 1},     {"cjrs", false, 1},     {"bshrs", false, 1},
        {"bssrs", false, 1},    {"sssrs", false, 1},    {"cjdws", false, 10},
    };
    for (const Field& f : fields) {
        if (f.required)
            s.type(QLatin1String(f.column));
        else
            s.typeIfAny(QLatin1String(f.column));
        s.cells(f.moves);
    }

    // Members: a member without a name leaves the row empty and goes on.
    for (int k = 1; k <= 8; ++k) {
        if (isNull(row(col("xm", k)))) {
            s.cells(k < 8 ? 8 : 6);
            continue;
        }
        s.type(col("xm", k));
        d.moveRightCell();
        const QVariant age = row(col("nl", k));
        if (!isNull(age) && age.toDouble() > 0)
            s.type(col("nl", k));
        d.moveRightCell();
        for (const char* stem : {"zc", "xw", "szdw", "xmfg"}) {
            s.typeIfAny(col(stem, k));
            d.moveRightCell();
        }
        if (k < 8)
            s.cells(2);
    }
    d.nextPage();

    // Research summary: one cell in category 3, a grid of 20 by 10 characters otherwise.
    if (category == 3) {
        d.moveRightCell(1);
        s.typeIfAny(QStringLiteral("yjnrzy"));
    } else {
        d.moveDown(1);
        d.moveLeft(category == 2 ? 9 : 8);
        s.characterGrid();
    }
    s.cells(2);

    // Expected results and the three plan years.
    s.typeIfAny(QStringLiteral("yqcg"));
    d.moveRight(6);
    d.moveRightCell();
    d.moveLeft(1);
    for (int k = 1; k <= 3; ++k) {
        s.typeIfAny(col("nf", k));
        d.moveRight(2);
        s.typeIfAny(col("jdap", k));
        if (k < 3) {
            s.cells(2);
            d.moveLeft(1);
        }
    }

    if (category == 3) {
        // Investment: each value a single cell move of that many cells on.
        static const QPair<int, const char*> investment[] = {
            {2, "hzdw"}, {3, "ztz"}, {4, "xxzc"}, {2, "hzdwtz"}, {3, "yhdk"}, {2, "jytbk"}};
        for (const auto& [moves, column] : investment) {
            d.moveRightCell(moves);
            s.typeIfAny(QLatin1String(column));
        }
    }
}

void FillSummaryList(WordDocument& d, WordDocument& block, const QString& categoryName, const QList<Record>& rows)
{
    // The page block: the continuation template's first page.
    block.moveDown(16, true);
    block.moveUp(1, true);
    block.copy();

    auto pageHeader = [&](const Record& first) {
        d.moveDown(2);
        d.typeText(required(first, QStringLiteral("szdw")));
        d.moveRightCell();
        d.typeText(categoryName);
        d.moveRightCell();
        d.moveDown(1);
    };

    int next = 0;
    int number = 0;
    if (!rows.isEmpty())
        pageHeader(rows.first());
    while (next < rows.size()) {
        for (int line = 1; line <= 12; ++line) {
            if (next < rows.size()) {
                const Record& row = rows.at(next);
                d.typeText(QString::number(++number));
                d.moveRightCell();
                for (const char* column : {"xkmc", "xmmc", "xmfzr"}) {
                    typeIfAny(d, row, QLatin1String(column));
                    d.moveRightCell();
                }
                const auto from = valueText(row, QStringLiteral("qsny"));
                const auto to = valueText(row, QStringLiteral("zzny"));
                if (from || to)
                    d.typeText(from.value_or(QString()) + QStringLiteral("至") + to.value_or(QString()));
                d.moveRightCell();
                for (const char* column : {"sqje", "jyje"}) {
                    typeIfAny(d, row, QLatin1String(column));
                    d.moveRightCell();
                }
                d.typeText(QString());
                if (line < 12)
                    d.moveRightCell();
                ++next;
            } else {
                d.moveRightCell(7);
                if (line < 12)
                    d.moveRightCell();
            }
        }
        if (next >= rows.size())
            break;
        d.moveRight(2);
        d.paste();
        d.nextPage();
        pageHeader(rows.at(next));
    }
}

void ShowNothingToPreview()
{
    platform::MsgBox(QStringLiteral("没有可以预览的记录！"), platform::vbOKOnly, kTitle);
}

void ShowApplicationFailure(const std::exception& reason)
{
    ShowFailure(QStringLiteral("打印错误，请与vero科技处联系！"), reason, platform::vbOKOnly, kTitle);
}

void ShowSummaryFailure(const std::exception& reason)
{
    ShowFailure(QStringLiteral("生成项目申报一览表出错，没有写出文件，请与vero科技处联系！"), reason, platform::vbOKOnly,
                kTitle);
}

QString BuildApplicationDocument(int category, const Record& row)
{
    const QVariant projectName = row(QStringLiteral("xmmc"));
    if (!isNull(projectName) && SafeFileName(projectName.toString()).isEmpty()) {
        platform::MsgBox(QStringLiteral("项目名称为空，不能生成申请书！"), platform::vbOKOnly, kTitle);
        return QString();
    }
    try {
        if (isNull(projectName))
            throw nullColumn(QStringLiteral("xmmc"));
        auto doc = WordDocument::open(ApplicationTemplate(category));
        FillApplicationDocument(*doc, category, row);
        return saveInDocFolder(*doc, SafeFileName(projectName.toString()) + QStringLiteral(".doc"));
    } catch (const DocError& e) {
        ShowApplicationFailure(e);
        return QString();
    }
}

QString BuildSummaryList(int category, const QList<Record>& rows, const QDate& today)
{
    if (rows.isEmpty()) {
        ShowNothingToPreview();
        return QString();
    }
    try {
        auto list = WordDocument::open(SummaryTemplate(false));
        auto block = WordDocument::open(SummaryTemplate(true));
        FillSummaryList(*list, *block, CategoryName(category), rows);
        return saveInDocFolder(*list, QString::number(today.year()) + QStringLiteral("年") + CategoryName(category)
                                          + QStringLiteral("项目申报一览表.doc"));
    } catch (const DocError& e) {
        ShowSummaryFailure(e);
        return QString();
    }
}

}  // namespace docs
