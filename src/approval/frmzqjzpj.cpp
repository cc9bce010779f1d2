#include "frmzqjzpj.h"

#include "VbText.h"
#include "DateFields.h"

namespace {

ProjectRecordForm::Design design()
{
    ProjectRecordForm::Design d;
    d.caption = QStringLiteral("项目进展评价");
    d.layout = &records::midTermProjects();
    d.talentColumn = QStringLiteral("zqnbz");
    d.yearCaption = QStringLiteral("年度：");
    d.entryTabCaption = QStringLiteral("增加与修改");
    d.columns = ProjectRecordForm::ProjectColumns(QStringLiteral(" 项目类别"), QStringLiteral("       项目名称"));
    d.columns << qMakePair(QStringLiteral("  项目进展评价"), QStringLiteral("JZPJ"))
              << qMakePair(QStringLiteral("   备注"), QStringLiteral("ZQNBZ"));
    d.yearFilter = QStringLiteral("nd=?");
    d.order = QStringLiteral("qsny desc,szdw asc,ssxk asc, rowid");
    d.evaluates = true;
    d.afterUnit = QStringLiteral("txtqssj");
    return d;
}

}  // namespace

frmzqjzpj::frmzqjzpj()
    : ProjectRecordForm(QStringLiteral("frmzqjzpj"), design())
{
}

void frmzqjzpj::SetupUi()
{
    ProjectRecordForm::SetupUi();
    txtqssj->KeyPress = [this](int& k) { txtqssj_KeyPress(k); };
    txtzzsj->KeyPress = [this](int& k) { txtzzsj_KeyPress(k); };
    txtqssj->LostFocus = [this] { CheckStartMonth(false); };
    txtzzsj->LostFocus = [this] { CheckEndMonth(false); };
}

// Every column as a new record stores it, in the year shown; a column a new record
// would leave without a value becomes one without a value.
QList<QPair<QString, QVariant>> frmzqjzpj::EditedValues() const
{
    QList<QPair<QString, QVariant>> values{{QStringLiteral("nd"), Trim(Year())}};
    const FieldBoxes& fields = Fields();
    for (int i = 0; i < fields.Count(); ++i)
        values.append({fields.Table()[i].field, StoredField(fields, i).value_or(QVariant())});
    return values;
}

void frmzqjzpj::txtqssj_KeyPress(int& keyAscii)
{
    if (keyAscii == vbkey::Return) {
        keyAscii = 0;
        CheckStartMonth(true);
        return;
    }
    DigitKeysOnly(keyAscii);
}

void frmzqjzpj::txtzzsj_KeyPress(int& keyAscii)
{
    if (keyAscii == vbkey::Return) {
        keyAscii = 0;
        CheckEndMonth(true);
        return;
    }
    DigitKeysOnly(keyAscii);
}

namespace {

// Applies a month check to its box: the new text, the status-bar message, the focus.
// The end month moves the focus nowhere but back into its own box.
void apply(const FieldOutcome& o, VbTextBox* box, VbStatusBar* bar, QWidget* form, bool onlyBack)
{
    if (o.text)
        box->SetText(*o.text);
    if (o.panel)
        bar->SetPanelText(1, *o.panel);
    if (o.focus.isEmpty() || (onlyBack && o.focus != box->objectName()))
        return;
    SetFocus(form->findChild<QWidget*>(o.focus));
}

}  // namespace

void frmzqjzpj::CheckStartMonth(bool enter)
{
    apply(ParseStartMonth(txtqssj->Text(), enter ? DateStep::Enter : DateStep::Leave), txtqssj, SBar, this, false);
}

void frmzqjzpj::CheckEndMonth(bool enter)
{
    apply(ParseEndMonth(txtzzsj->Text(), enter ? DateStep::Enter : DateStep::Leave), txtzzsj, SBar, this, true);
}
