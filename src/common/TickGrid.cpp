#include "TickGrid.h"

#include "ModVar.h"
#include "Platform.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStyle>
#include <algorithm>

namespace {

// Data rows that carry a box at most, whatever the grid's height.
constexpr int kMostVisibleRows = 7;
// A box's size (twips) and the default width of a data column.
constexpr int kBoxWidthTw = 375;
constexpr int kBoxHeightTw = 255;
constexpr int kDefaultColumnTw = 1200;

}  // namespace

// The rows of the grid's query: the shown columns' headers and every row's values.
class TickGridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    QStringList names;          // every column of the query
    QVector<int> shown;         // indexes into names of the columns shown, in order
    QVector<QVector<QVariant>> rows;
    QStringList hidden;         // names of the columns kept but not shown

    void reset(const QStringList& newNames, QVector<QVector<QVariant>> newRows)
    {
        beginResetModel();
        names = newNames;
        rows = std::move(newRows);
        shown.clear();
        for (int i = 0; i < names.size(); ++i)
            if (!hidden.contains(names[i], Qt::CaseInsensitive))
                shown << i;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(shown.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const QVariant& v = rows[index.row()][shown[index.column()]];
        return v.isNull() ? QString() : v.toString();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Horizontal)
            return section < shown.size() ? names[shown[section]] : QString();
        return QString();   // the selection column shows no numbers
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }
};

// ---------------------------------------------------------------- TickGridView

TickGridView::TickGridView(QWidget* parent, const QString& name)
    : QTableView(parent)
{
    setObjectName(name);
    setModel(new TickGridModel(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    // One height for every row, the header row included.
    const int rowPx = fontMetrics().height() + 6;
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowPx);
    verticalHeader()->setFixedWidth(TwipsToPixels(500));
    horizontalHeader()->setFixedHeight(rowPx);
    horizontalHeader()->setDefaultSectionSize(TwipsToPixels(kDefaultColumnTw));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (Scroll)
            Scroll();
    });
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        if (Relaid)
            Relaid();
    });
}

TickGridModel* TickGridView::tickModel() const { return static_cast<TickGridModel*>(QTableView::model()); }

int TickGridView::Rows() const { return tickModel()->rowCount() + 1; }

int TickGridView::TopRow() const
{
    if (tickModel()->rowCount() == 0)
        return 0;
    // The first row wholly on screen: at the end of the list the rows are aligned
    // to the bottom and the row at the very top may be cut.
    int r = rowAt(0);
    if (r < 0)
        return 1;
    if (rowViewportPosition(r) < 0 && r + 1 < tickModel()->rowCount())
        ++r;
    return r + 1;
}

bool TickGridView::RowIsVisible(int row) const
{
    if (row == 0)
        return true;
    if (row < 1 || row > tickModel()->rowCount())
        return false;
    const int y = rowViewportPosition(row - 1);
    return y >= 0 && y + rowHeight(row - 1) <= viewport()->height();
}

int TickGridView::RowHeightTw(int row) const
{
    return PixelsToTwips(row == 0 ? horizontalHeader()->height() : verticalHeader()->defaultSectionSize());
}

int TickGridView::ColWidthTw(int col) const
{
    return PixelsToTwips(col == 0 ? verticalHeader()->width() : columnWidth(col - 1));
}

void TickGridView::SetColWidthTw(int col, int twips)
{
    if (col == 0)
        verticalHeader()->setFixedWidth(TwipsToPixels(twips));
    else
        setColumnWidth(col - 1, TwipsToPixels(twips));
}

void TickGridView::SetColWidthAtLeastTw(int col, int twips)
{
    if (col < 1 || col > model()->columnCount())
        return;
    const int needed = std::max(horizontalHeader()->sectionSizeHint(col - 1), sizeHintForColumn(col - 1));
    SetColWidthTw(col, std::max(twips, PixelsToTwips(needed)));
}

void TickGridView::SetRow(int row)
{
    m_row = row;
    if (row >= 1 && m_col >= 1)
        setCurrentIndex(tickModel()->index(row - 1, m_col - 1));
}

void TickGridView::SetCol(int col)
{
    m_col = col;
    if (m_row >= 1 && col >= 1)
        setCurrentIndex(tickModel()->index(m_row - 1, col - 1));
}

QString TickGridView::TextMatrix(int row, int col) const
{
    if (col == 0)
        return QString();
    if (row == 0)
        return tickModel()->headerData(col - 1, Qt::Horizontal, Qt::DisplayRole).toString();
    return tickModel()->index(row - 1, col - 1).data().toString();
}

void TickGridView::SyncGeometry()
{
    if (m_syncing)
        return;
    m_syncing = true;
    // A hidden widget receives its resize event only when it is shown; the scroll
    // area lays out its viewport and scroll bars in that event.
    if (testAttribute(Qt::WA_PendingResizeEvent) || !isVisible()) {
        QResizeEvent e(size(), size());
        QCoreApplication::sendEvent(this, &e);
    }
    executeDelayedItemsLayout();
    updateGeometries();
    m_syncing = false;
}

void TickGridView::resizeEvent(QResizeEvent* e)
{
    QTableView::resizeEvent(e);
    if (Relaid)
        Relaid();
}

void TickGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid()) {
        m_row = current.row() + 1;
        m_col = current.column() + 1;
    }
}

// ---------------------------------------------------------------- TickGrid

TickGrid::TickGrid(QWidget* parent, int leftTw, int topTw)
    : TickGrid(parent, leftTw, topTw, Options())
{
}

TickGrid::TickGrid(QWidget* parent, int leftTw, int topTw, const Options& options)
    : QWidget(parent), m_flags(options.flags ? options.flags : &gExportFlags), m_leftTw(leftTw), m_topTw(topTw)
{
    setObjectName(QStringLiteral("tickgrid_") + options.boxName);
    flex = new TickGridView(this, QStringLiteral("flex"));
    m_model = static_cast<TickGridModel*>(flex->QTableView::model());
    Label1 = new VbLabel(this, QStringLiteral("Label1"), options.selectAllCaption);
    Label1->setAutoFillBackground(true);
    QPalette pal = Label1->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    Label1->setPalette(pal);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setBuddy(flex);
    for (int i = 0; i < options.boxCount; ++i) {
        auto* box = new VbCheckBox(this, QStringLiteral("%1_%2").arg(options.boxName).arg(i));
        box->resize(TwipsToPixels(kBoxWidthTw), TwipsToPixels(kBoxHeightTw));
        box->setVisible(false);
        box->Click = [this, i] { chk_Click(i); };
        chk << box;
    }
    Label1->Click = [this] { SelectAll(); };
    // Scrolling re-reads the boxes from the flags (FlexScroll, at the end of the
    // placing); the boxes follow the rows where the last rows align to the bottom.
    flex->Scroll = [this] { placeBoxes(); };
    flex->Relaid = [this] { placeBoxes(); };

    PlaceTw(flex, 0, 0, 4800, 8 * 300 + 56);
    PlaceTw(Label1, 0, 8 * 300 + 56 + 10, 975, 375);
    fitContainer();
}

void TickGrid::SetHiddenColumns(const QStringList& names) { m_model->hidden = names; }

void TickGrid::Clear()
{
    SetDat(0);
    m_model->reset({}, {});
    FillSelectionBoxes();
}

void TickGrid::Load(DbConnection& connection, const QString& sql, const QVariantList& values)
{
    Clear();
    platform::BusyCursor busy;
    QSqlQuery q = connection.Exec(sql, values);
    const QSqlRecord rec = q.record();
    QStringList names;
    for (int i = 0; i < rec.count(); ++i)
        names << rec.fieldName(i);
    QVector<QVector<QVariant>> rows;
    while (q.next()) {
        QVector<QVariant> row(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            row[i] = q.value(i);
        rows << row;
    }
    m_model->reset(names, std::move(rows));
    SetDat(RecordCount());
    FillSelectionBoxes();
}

void TickGrid::Show(const QStringList& names, const QList<QVariantList>& rows)
{
    Clear();
    // The grid shares the rows with whoever read them (they are never changed here),
    // so that a whole file's rows are held once, not twice.
    m_model->reset(names, rows);
    SetDat(RecordCount());
    FillSelectionBoxes();
}

int TickGrid::RecordCount() const { return int(m_model->rows.size()); }

int TickGrid::ColumnOf(const QString& column) const
{
    for (int c = 0; c < m_model->names.size(); ++c)
        if (m_model->names[c].compare(column, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

QVariant TickGrid::Value(int row, int column) const
{
    if (row < 1 || row > RecordCount() || column < 0 || column >= m_model->names.size())
        return {};
    return std::as_const(m_model->rows)[row - 1].value(column);
}

QVariant TickGrid::Value(int row, const QString& column) const { return Value(row, ColumnOf(column)); }

QList<int> TickGrid::TickedRows() const
{
    QList<int> rows;
    for (int i = 1; i < m_flags->size(); ++i)
        if ((*m_flags)[i] == 1)
            rows << i;
    return rows;
}

void TickGrid::SetDat(int nCount)
{
    *m_flags = QVector<std::int16_t>(std::max(nCount, 0) + 1, 0);
    gRowIndex = 0;
}

int TickGrid::CountVisibleRows() const
{
    if (RecordCount() == 0)
        return 0;
    flex->SyncGeometry();
    const int top = flex->TopRow();
    int r = top;
    while (r < flex->Rows() && flex->RowIsVisible(r))
        ++r;
    return std::min(r - top, kMostVisibleRows);
}

void TickGrid::placeBoxes()
{
    // Box i lies in the selection column beside grid row TopRow + i, centred on it.
    if (chk.isEmpty())
        return;
    const int n = std::min(CountVisibleRows(), int(chk.size()));
    const QHeaderView* rowHeader = flex->verticalHeader();
    const int rowPx = rowHeader->defaultSectionSize();
    const int x = flex->x() + flex->frameWidth() + std::max(0, (rowHeader->width() - chk[0]->width()) / 2);
    const int y0 = flex->y() + flex->frameWidth() + flex->horizontalHeader()->height();
    const int top = std::max(flex->TopRow(), 1);
    const int shift = RecordCount() > 0 ? std::max(flex->rowViewportPosition(top - 1), 0) : 0;
    for (int i = 0; i < chk.size(); ++i) {
        chk[i]->move(x, y0 + shift + i * rowPx + (rowPx - chk[i]->height()) / 2);
        chk[i]->setVisible(i < n);
        chk[i]->raise();
    }
    // A box that came into view shows the flag of its row.
    FlexScroll();
}

void TickGrid::FillSelectionBoxes()
{
    // Callers have just made new cleared flags, so the boxes come up clear.
    for (VbCheckBox* box : chk) {
        box->setVisible(false);
        box->SetValue(0);
    }
    placeBoxes();
}

void TickGrid::chk_Click(int index)
{
    gRowIndex = flex->TopRow();
    if (gRowIndex == 0)
        gRowIndex = 1;
    const int row = index + gRowIndex;
    if (row < m_flags->size())
        (*m_flags)[row] = std::int16_t(chk[index]->Value());
}

void TickGrid::FlexScroll()
{
    const int top = flex->TopRow();
    for (int i = 0; i < chk.size(); ++i)
        if (top + i < m_flags->size())
            chk[i]->SetValue((*m_flags)[top + i]);
}

void TickGrid::SelectAll()
{
    for (VbCheckBox* box : chk)
        box->SetValue(1);
    for (int i = 1; i < m_flags->size(); ++i)
        (*m_flags)[i] = 1;
}

void TickGrid::LayoutAtLoad(int selectColumnWidthTw)
{
    flex->SetColWidthTw(0, selectColumnWidthTw);
    fitHeight();
}

void TickGrid::fitHeight()
{
    int height = TwipsToPixels(8 * flex->RowHeightTw(0) + 56);
    const int columns = flex->verticalHeader()->width() + flex->horizontalHeader()->length() + 2 * flex->frameWidth();
    if (columns > flex->width())
        height += flex->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, flex);
    flex->resize(flex->width(), height);
    Label1->move(0, flex->height() + TwipsToPixels(10));
    fitContainer();
    placeBoxes();
}

void TickGrid::FitToWindowWidth(int windowWidthTw, double margins)
{
    // A window narrower than the grid's margins still shows the selection column.
    const int widthTw = std::max(int(windowWidthTw - margins * m_leftTw), flex->ColWidthTw(0) + 2 * kBoxWidthTw);
    flex->resize(TwipsToPixels(widthTw), flex->height());
    fitHeight();
}

void TickGrid::fitContainer()
{
    const QRect label = Label1->geometry();
    setGeometry(TwipsToPixels(m_leftTw), TwipsToPixels(m_topTw), std::max(flex->width(), label.right() + 1),
                std::max(flex->height(), label.bottom() + 1));
}

// ---------------------------------------------------------------- YearSpinner

YearSpinner::YearSpinner(QWidget* parent, int leftTw, int topTw, int boxWidthTw, int boxHeightTw, int spinLeftTw)
    : QObject(parent)
{
    txtCondiYear = new VbTextBox(parent, QStringLiteral("txtCondiYear"));
    PlaceTw(txtCondiYear, leftTw, topTw, boxWidthTw, boxHeightTw);
    // No key reaches the box, and nothing cut, pasted or deleted changes it: the
    // spin buttons alone set the year.
    txtCondiYear->KeyPress = [](int& keyAscii) { keyAscii = 0; };
    txtCondiYear->SetLocked(true);
    txtCondiYear->setContextMenuPolicy(Qt::NoContextMenu);

    const char* captions[2] = {"^", "v"};
    for (int i = 0; i < 2; ++i) {
        cmdSpin[i] = new VbButton(parent, QStringLiteral("cmdSpin_%1").arg(i), QString::fromLatin1(captions[i]));
        PlaceTw(cmdSpin[i], spinLeftTw, topTw + i * 240, 615, 240);
        cmdSpin[i]->Click = [this, i] { cmdSpin_Click(i); };
    }
}

void YearSpinner::SetStartYear(int year)
{
    txtCondiYear->SetText((year < 0 ? QString() : QStringLiteral(" ")) + QString::number(year));
}

QString YearSpinner::Year() const
{
    QString s = txtCondiYear->Text();
    int i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

void YearSpinner::cmdSpin_Click(int index)
{
    const int y = Year().toInt() + (index == 0 ? -1 : 1);
    txtCondiYear->SetText(QString::number(y));
    if (Changed)
        Changed();
}

// ---------------------------------------------------------------- YearConditionFrame

YearConditionFrame::YearConditionFrame(QWidget* parent, int leftTw, int topTw, const QString& yearCaption)
    : VbFrame(parent, QStringLiteral("Frame1"), yearCaption.isEmpty() ? QString() : QStringLiteral(" 条件设定 "))
{
    PlaceTw(this, leftTw, topTw, 4335, 1215);
    if (!yearCaption.isEmpty()) {
        Label3 = new VbLabel(this, QStringLiteral("Label3"), yearCaption);
        // A longer caption moves the year box and the frame's right edge along.
        const int extraTw = std::max(0, PixelsToTwips(Label3->fontMetrics().horizontalAdvance(yearCaption) + 4) - 1800);
        PlaceTw(Label3, 120, 360, 1800 + extraTw, 255);
        year = new YearSpinner(this, 1920 + extraTw, 240, 1215, 455, 3240 + extraTw);
        resize(width() + TwipsToPixels(extraTw), height());
    }
    lblRecords1 = new VbLabel(this, QStringLiteral("lblRecords1"), QStringLiteral("共有"));
    PlaceTw(lblRecords1, 600, 840, 3495, 255);
}

void YearConditionFrame::ShowCountAtLoad(int n)
{
    lblRecords1->SetCaption(QStringLiteral("共有") + QString::number(n) + QStringLiteral(" 条记录符合条件"));
}

void YearConditionFrame::ShowCount(int n)
{
    lblRecords1->SetCaption(QStringLiteral("库中共有 ") + QString::number(n) + QStringLiteral(" 条记录符合条件"));
}
