#include "DataControl.h"

#include "AppFolder.h"
#include "Controls.h"
#include "Guard.h"
#include "Platform.h"

#include <QHBoxLayout>
#include <QRegularExpression>
#include <QToolButton>

QString DatabaseConnectionString()
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + appFolder()
           + QStringLiteral("/data/qwdb.mdb;Persist Security Info=False");
}

QString DataSourceOf(const QString& connectionString)
{
    static const QRegularExpression re(QStringLiteral("Data Source=([^;]*)"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(connectionString);
    if (m.hasMatch())
        return m.captured(1).trimmed();
    // The data source named "qwdb" is this installation's own database file.
    static const QRegularExpression dsn(QStringLiteral("(?:^|;)\\s*DSN=([^;]*)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch d = dsn.match(connectionString);
    if (d.hasMatch() && d.captured(1).trimmed().compare(QStringLiteral("qwdb"), Qt::CaseInsensitive) == 0)
        return DefaultDbPath();
    return QString();
}

DataControl::DataControl(QWidget* parent, const QString& name)
    : QWidget(parent)
{
    setObjectName(name);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto button = [this, row](const QString& objName, const QString& glyph, std::function<void()> act) {
        auto* b = MakeButton<QToolButton>(this, objectName() + objName, glyph, {}, std::move(act));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(false);
        row->addWidget(b);
    };
    // The end buttons move as the windows' own first and last buttons do; the
    // middle ones stop at the ends without a message.
    button(QStringLiteral("_first"), QStringLiteral("|◀"), [this] { Cmdfst_Click(m_rs); });
    button(QStringLiteral("_previous"), QStringLiteral("◀"), [this] {
        if (!m_rs.Bof())
            m_rs.MovePrevious();
        if (m_rs.Bof() && m_rs.RecordCount() > 0)
            m_rs.MoveFirst();
    });
    m_caption = new QLabel(this);
    m_caption->setObjectName(name + QStringLiteral("_caption"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setFrameShape(QFrame::StyledPanel);
    row->addWidget(m_caption, 1);
    button(QStringLiteral("_next"), QStringLiteral("▶"), [this] {
        if (!m_rs.Eof())
            m_rs.MoveNext();
        if (m_rs.Eof() && m_rs.RecordCount() > 0)
            m_rs.MoveLast();
    });
    button(QStringLiteral("_last"), QStringLiteral("▶|"), [this] { Cmdlst_Click(m_rs); });

    connect(&m_rs, &Recordset::MoveComplete, this, [this] {
        fillBoundBoxes();
        if (MoveComplete)
            MoveComplete();
    });
}

DataControl::~DataControl()
{
    // Let go, never written back: the window whose hooks hand its boxes over to the
    // row may be gone already. Writing back is the explicit Close of the unload.
    m_rs.Close();
    if (m_conn)
        m_conn->Close();
}

void DataControl::SetRecordSource(const QString& sql, const QVariantList& values)
{
    m_recordSource = sql;
    m_values = values;
}

void DataControl::Refresh()
{
    if (m_rs.IsOpen())
        m_rs.UpdateBatch();
    const QString path = DataSourceOf(m_connectionString);
    if (m_shared) {
        // The window's own connection.
    } else if (!m_conn || m_conn->Path() != path || !m_conn->IsOpen()) {
        m_rs.Close();
        m_conn = std::make_unique<DbConnection>(objectName());
        m_conn->Open(path);
    }
    for (Binding& b : m_bindings)
        b.changed = false;
    // A closed set has dropped its hooks: a set opened anew hands the bound boxes
    // over before it writes (a window may put a hook of its own in its place).
    if (!m_rs.IsOpen())
        m_rs.SetBeforeWrite([this] { pushBoundBoxes(); });
    m_rs.Open(*Connection(), m_recordSource, m_values, m_writableTable);
    checkBindings();
}

void DataControl::Close()
{
    if (m_rs.IsOpen()) {
        try {
            m_rs.UpdateBatch();
        } catch (const DbError& e) {
            ShowFailure(e);
        }
        m_rs.Close();
    }
    if (m_conn)
        m_conn->Close();
    m_conn.reset();
}

void DataControl::DropEdits()
{
    for (Binding& b : m_bindings)
        b.changed = false;
    if (m_rs.IsOpen())
        m_rs.CancelUpdate();
}

void DataControl::SetCaption(const QString& caption) { m_caption->setText(caption); }
QString DataControl::Caption() const { return m_caption->text(); }

void DataControl::Bind(QWidget* box, const QString& field, FieldConverter converter)
{
    if (m_rs.IsOpen())
        CheckField(m_rs, field, box->objectName());
    m_bindings.append({box, field, std::move(converter), false});
    const int at = static_cast<int>(m_bindings.size()) - 1;
    OnBoxChange(box, this, [this, at] {
        if (!m_filling)
            m_bindings[at].changed = true;
    });
}

void DataControl::Bind(const FieldBoxes& boxes)
{
    for (int i = 0; i < boxes.Count(); ++i) {
        const Field& f = boxes.Table()[i];
        if (!f.field.isEmpty() && boxes.Box(i))
            Bind(boxes.Box(i), f.field, f.converter);
    }
}

void DataControl::checkBindings() const
{
    for (const Binding& b : m_bindings)
        if (b.box)
            CheckField(m_rs, b.field, b.box->objectName());
}

void DataControl::fillBoundBoxes()
{
    m_filling = true;
    for (Binding& b : m_bindings) {
        // A field the set lacks is reported once the set has opened (checkBindings).
        if (!b.box || (m_rs.IsOpen() && m_rs.FieldIndex(b.field) < 0))
            continue;
        SetBoxText(b.box, b.converter.show(m_rs.HasCurrentRow() ? m_rs.Field(b.field) : QVariant()));
        b.changed = false;
    }
    m_filling = false;
}

void DataControl::pushBoundBoxes()
{
    if (!m_rs.HasCurrentRow())
        return;
    for (Binding& b : m_bindings) {
        if (!b.box || !b.changed)
            continue;
        b.changed = false;
        m_rs.SetField(b.field, b.converter.store(BoxText(b.box)).value_or(QVariant()));
    }
}

void BindDataControl(DataControl& dc, const QString& query, const QString& writableTable,
                     const QVariantList& values)
{
    dc.SetConnectionString(DatabaseConnectionString());
    dc.SetRecordSource(query, values);
    dc.SetWritableTable(writableTable);
    dc.Refresh();
}

void Cmdfst_Click(Recordset& rs)
{
    if (rs.RecordCount() > 0)
        rs.MoveFirst();
}

void Cmdlst_Click(Recordset& rs)
{
    if (rs.RecordCount() > 0)
        rs.MoveLast();
}

bool StepRecord(Recordset& rs, bool forward)
{
    const auto pastTheEnd = [&rs, forward] { return forward ? rs.Eof() : rs.Bof(); };
    if (!pastTheEnd())
        forward ? rs.MoveNext() : rs.MovePrevious();
    if (!pastTheEnd() || rs.RecordCount() <= 0)
        return false;
    forward ? rs.MoveLast() : rs.MoveFirst();
    platform::MsgBox(forward ? QStringLiteral("已经是最后一条记录！") : QStringLiteral("已经是第一条记录！"),
                     platform::vbOKOnly, QStringLiteral("提示信息"));
    return true;
}

void Cmdnxt_Click(Recordset& rs) { StepRecord(rs, true); }
void Cmdpre_Click(Recordset& rs) { StepRecord(rs, false); }
