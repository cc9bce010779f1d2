#include "frmjyje.h"

#include "Failure.h"
#include "ModVar.h"
#include "Platform.h"
#include "VbText.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

namespace {

const QString kScratch = QStringLiteral("jyje_edit");
constexpr int kAmountColumn = 5;

// The amount cell takes digits and one decimal point, as every amount box does.
class AmountDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            static const QRegularExpression amount(QStringLiteral("[0-9]*\\.?[0-9]*"));
            line->setValidator(new QRegularExpressionValidator(amount, line));
        }
        return editor;
    }
};

}  // namespace

QVariant SuggestedAmount(const QVariant& cell)
{
    if (!cell.isValid() || cell.isNull())
        return QVariant(QMetaType(QMetaType::Double));
    if (cell.typeId() == QMetaType::Double || cell.typeId() == QMetaType::LongLong || cell.typeId() == QMetaType::Int)
        return cell.toDouble();
    const QString text = Trim(cell.toString());
    if (text.isEmpty())
        return QVariant(QMetaType(QMetaType::Double));
    return Val(text);
}

frmjyje::frmjyje()
    : ReviewListWindow(QStringLiteral("frmjyje"),
                       {.caption = QStringLiteral("录入建议金额"),
                        .actionCaption = QStringLiteral("保  存"),
                        .columns = {
                            {.caption = QStringLiteral("     项 目 名 称"), .field = QStringLiteral("XMMC"), .widthTw = 2280, .readOnly = true},
                            {.caption = QStringLiteral("申 请 人"), .field = QStringLiteral("XMFZR"), .widthTw = 870, .readOnly = true},
                            {.caption = QStringLiteral("  职 称"), .field = QStringLiteral("FZRZC"), .widthTw = 855, .readOnly = true},
                            {.caption = QStringLiteral("      申 请 人 单 位"), .field = QStringLiteral("SZDW"), .widthTw = 2700, .readOnly = true},
                            {.caption = QStringLiteral("申请金额（万元）"), .field = QStringLiteral("SQJE"), .widthTw = 1515, .readOnly = true},
                            {.caption = QStringLiteral("建议金额（万元）"), .field = QStringLiteral("JYJE"), .widthTw = 1440,
                             .format = QStringLiteral("\"￥\"#,##0.00")},
                        }})
{
}

void frmjyje::Form_Load()
{
    CentreOnMain(*this);
    if (!OpenWindowConnection(m_db))
        return;
    try {
        m_db.Exec(QStringLiteral("drop table if exists temp.%1").arg(kScratch));
        m_db.Exec(QStringLiteral("create temp table %1 as ").arg(kScratch)
                      + CategoryQuery(QStringLiteral("xmsb"), QStringLiteral("sqrq desc,szdw asc,ssxk asc")),
                  {CategoryText(gCategory)});
        // The scratch copy keeps the query's order in its own rowids.
        Rs().Open(m_db, QStringLiteral("select * from %1 order by rowid").arg(kScratch), {}, kScratch);
    } catch (const DbError& e) {
        // Without its rows the window still opens, empty and closable.
        ShowFailure(e);
        return;
    }
    DataGrid1->setItemDelegateForColumn(kAmountColumn, new AmountDelegate(DataGrid1));
    DataGrid1->SetAllowUpdate(true);
    DataGrid1->SetDataSource(data1);
    if (Rs().RecordCount() >= 1)
        Rs().MoveFirst();
}

void frmjyje::Cmdupd_Click()
{
    if (!Rs().IsOpen() || Rs().RecordCount() < 1)
        return;
    // The amount being typed reaches the scratch copy first.
    Rs().UpdateBatch();
    const int amount = Rs().FieldIndex(QStringLiteral("jyje"));
    const int source = Rs().FieldIndex(QStringLiteral("xmsb_rowid"));
    platform::BusyCursor busy;
    m_db.InTransaction([&] {
        for (int row = 0; row < Rs().RecordCount(); ++row)
            m_db.Exec(QStringLiteral("update xmsb set jyje=? where rowid=?"),
                      {SuggestedAmount(Rs().ValueAt(row, amount)), Rs().ValueAt(row, source)});
    });
}

void frmjyje::Form_Unload()
{
    // Amounts typed but not saved go with the scratch copy.
    data1->DropEdits();
    data1->Close();
    m_db.Close();
    ReleaseMainWindow();
}
