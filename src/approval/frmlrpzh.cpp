#include "frmlrpzh.h"

#include "VbText.h"

namespace {

ProjectRecordForm::Design design()
{
    ProjectRecordForm::Design d;
    d.caption = QStringLiteral("录入批准号");
    d.layout = &records::approvedApplications();
    d.talentColumn = QStringLiteral("bz");
    d.yearCaption = QStringLiteral("起始年份");
    d.entryTabCaption = QStringLiteral("录入批准号与金额");
    d.columns = ProjectRecordForm::ProjectColumns(QStringLiteral("  项目类别"), QStringLiteral("         项目名称"));
    d.columns << qMakePair(QStringLiteral("   备注"), QStringLiteral("BZ"));
    // The start year is the start month's first four characters.
    d.yearFilter = QStringLiteral("substr(qsny,1,4)=?");
    d.order = QStringLiteral("szdw asc,xmlb asc,ssxk asc, rowid");
    d.afterUnit = QStringLiteral("Chkbz");
    return d;
}

}  // namespace

frmlrpzh::frmlrpzh()
    : ProjectRecordForm(QStringLiteral("frmlrpzh"), design())
{
}

// The boxes' texts trimmed, an empty amount as no amount and an unticked talent box
// as the empty text. The start month is not the window's to write.
QList<QPair<QString, QVariant>> frmlrpzh::EditedValues() const
{
    QList<QPair<QString, QVariant>> values;
    const FieldBoxes& fields = Fields();
    for (int i = 0; i < fields.Count(); ++i) {
        const Field& f = fields.Table()[i];
        QWidget* box = fields.Box(i);
        if (f.field == QLatin1String("qsny"))
            continue;
        if (box == Chkbz.get())
            values.append({f.field, Chkbz->Value() == 1 && !Chkbz->isHidden() ? StoredField(fields, i).value_or(QVariant())
                                                                             : QVariant(QStringLiteral(""))});
        else if (box == txtpzje.get())
            values.append({f.field, StoredField(fields, i).value_or(QVariant())});
        else
            values.append({f.field, Trim(BoxText(box))});
    }
    return values;
}
