#include "DataControl.h"
#include "FieldTable.h"
#include "Recordset.h"
#include "TestSupport.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const QString kMark = QStringLiteral("中青年人才培养");

// One box of every kind, as a window that shows and stores its rows by hand has them.
FieldTable probeFields()
{
    return {
        {.box = "txtmc", .field = "mc", .limit = 4, .ime = FieldIme::OnWhileFocused, .hint = "请录入名称。",
         .tabIndex = 1, .flags = FieldFlag::Key},
        {.box = "txtje", .field = "je", .limit = 5, .unit = LengthUnit::GbkBytes, .ime = FieldIme::Off,
         .hint = "请输入金额。", .converter = convert::Number(), .tabIndex = 0},
        {.box = "txtrq", .field = "rq", .converter = convert::DateText(), .tabIndex = 2,
         .flags = FieldFlag::KeepsHint},
        {.box = "txtzy", .field = "zy", .hint = "摘要", .converter = convert::IfFilled(), .kind = BoxKind::Memo},
        {.box = "Chkbz", .field = "bz", .converter = convert::Mark(kMark), .kind = BoxKind::Check},
        {.box = "optxb", .field = "xb", .kind = BoxKind::Options},
        {.box = "lstxw", .field = "xw", .converter = convert::IfFilled(), .kind = BoxKind::List},
        {.box = "txtzs", .field = "zs", .converter = convert::Number(), .flags = FieldFlag::Computed},
    };
}

class FieldForm : public VbForm {
public:
    FieldForm() : VbForm(QStringLiteral("FieldForm")), fields(probeFields()) {}
    FieldBoxes fields;
    VbStatusBar* SBar = nullptr;
    VbButton* ok = nullptr;

protected:
    void SetupUi() override
    {
        SetInnerSizeTw(6000, 5000);
        int top = 100;
        for (const Field& f : fields.Table()) {
            QWidget* box = fields.Make(f.box, this);
            PlaceTw(box, 100, top, 2000, f.kind == BoxKind::Text ? 300 : 500);
            top += 560;
        }
        auto* group = fields.Box("optxb");
        new VbOption(group, "optxb0", "男");
        new VbOption(group, "optxb1", "女");
        auto* list = fields.BoxAs<VbListBox>("lstxw");
        for (const char* d : {"博士", "硕士", "学士"})
            list->AddItem(d);
        ok = new VbButton(this, "ok", "OK");
        PlaceTw(ok, 3000, 100, 1000, 345);
        SBar = new VbStatusBar(this, "SBar", 2);
        fields.SetHintTarget(SBar);
        SetTabOrder(fields.TabOrder() + QList<QWidget*>{ok});
    }
};

QString typeOf(AppFixture& fx, const QString& column)
{
    return fx.rows("select typeof(" + column + ") from t").value(0).value(0);
}

}  // namespace

class TestFieldTable : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        // A stray warning is a fault; the offscreen platform's own notes are not.
        QTest::failOnWarning(QRegularExpression("^(?!This plugin does not support).*"));
    }

    void converters_data()
    {
        QTest::addColumn<QString>("converter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("stored");   // invalid: not written
        QTest::newRow("text") << "text" << " 甲 " << QVariant(" 甲 ");
        QTest::newRow("text of blanks") << "text" << "  " << QVariant("");
        QTest::newRow("text keeps a tab") << "text" << "\t" << QVariant("\t");
        QTest::newRow("if filled, blank") << "ifFilled" << "  " << QVariant();
        QTest::newRow("if filled, full-width blank") << "ifFilled" << "\u3000" << QVariant("\u3000");
        QTest::newRow("number") << "number" << "12.5" << QVariant(12.5);
        QTest::newRow("number with blanks") << "number" << " 3 5" << QVariant(35.0);
        QTest::newRow("number, second point") << "number" << "1.2.3" << QVariant(1.2);
        QTest::newRow("number of a word") << "number" << "约5" << QVariant(0.0);
        QTest::newRow("number, blank") << "number" << " " << QVariant();
        QTest::newRow("date text") << "date" << "2003.05.01" << QVariant("2003.05.01");
        QTest::newRow("mark ticked") << "mark" << "1" << QVariant(kMark);
        QTest::newRow("mark unticked") << "mark" << "0" << QVariant();
    }
    void converters()
    {
        QFETCH(QString, converter);
        QFETCH(QString, text);
        QFETCH(QVariant, stored);
        const QMap<QString, FieldConverter> all = {{"text", convert::Text()},
                                                   {"ifFilled", convert::IfFilled()},
                                                   {"number", convert::Number()},
                                                   {"date", convert::DateText()},
                                                   {"mark", convert::Mark(kMark)}};
        const std::optional<QVariant> got = all[converter].store(text);
        QCOMPARE(got.has_value(), stored.isValid());
        if (got)
            QCOMPARE(*got, stored);
    }

    void shownTexts()
    {
        QCOMPARE(convert::Number().show(35.0), QString("35"));
        QCOMPARE(convert::Number().show(12.5), QString("12.5"));
        QCOMPARE(convert::Text().show(QVariant()), QString());
        QCOMPARE(convert::DateText().show(QDate(2003, 5, 1)), QString("2003.05.01"));
        QCOMPARE(convert::Mark(kMark).show(kMark), QString("1"));
        QCOMPARE(convert::Mark(kMark).show("其他"), QString("0"));
        QCOMPARE(convert::Mark(kMark).show(QVariant()), QString("0"));
    }

    // A window without a data control shows a row and stores its boxes by hand.
    void showAndStoreByHand()
    {
        AppFixture fx;
        fx.exec("create table t (mc text, je real, rq text, zy text, bz text, xb text, xw text, zs real)");
        fx.exec("insert into t values ('甲', 12.5, '2003.05.01', '摘要', ?, '1', '硕士', 3)", {kMark});
        fx.exec("insert into t (mc) values ('乙')");
        FieldForm f;
        f.Show();
        DbConnection conn("fields");
        conn.Open(fx.folder() + "/data/qwdb.mdb");
        Recordset rs;
        rs.Open(conn, "select * from t", {}, "t");

        ShowFields(f.fields, rs);
        QStringList shown;
        for (const Field& row : f.fields.Table())
            shown << BoxText(f.fields.Box(row.box));
        QCOMPARE(shown, QStringList({"甲", "12.5", "2003.05.01", "摘要", "1", "1", "硕士", "3"}));

        // A row of Nulls leaves nothing of the row before.
        rs.MoveNext();
        ShowFields(f.fields, rs);
        shown.clear();
        for (const Field& row : f.fields.Table())
            shown << BoxText(f.fields.Box(row.box));
        QCOMPARE(shown, QStringList({"乙", "", "", "", "0", "", "", ""}));

        // Stored into a new row: blank boxes are not written, "always" writes "".
        fx.exec("delete from t");
        rs.Requery();
        rs.AddNew();
        SetBoxText(f.fields.Box("txtmc"), "  ");
        SetBoxText(f.fields.Box("txtje"), "7.25万");
        SetBoxText(f.fields.Box("Chkbz"), "1");
        SetBoxText(f.fields.Box("optxb"), "0");
        StoreFields(f.fields, rs);
        rs.UpdateBatch();
        QCOMPARE(fx.rows("select mc, je, bz, xb from t"), QList<QStringList>({{"", "7.25", kMark, "0"}}));
        QCOMPARE(typeOf(fx, "rq"), QString("null"));
        QCOMPARE(typeOf(fx, "xw"), QString("null"));
        QCOMPARE(typeOf(fx, "je"), QString("real"));
        rs.Close();
        f.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f.fields.Box("txtmc"));   // no pointer outlives the boxes
    }

    void boxesFollowTheTable()
    {
        AppFixture fx;
        FieldForm f;
        f.Show();
        QVERIFY(ShowActive(&f));
        auto* mc = f.fields.BoxAs<VbTextBox>("txtmc");
        auto* je = f.fields.BoxAs<VbTextBox>("txtje");
        QCOMPARE(mc->MaxLength(), 4);
        QCOMPARE(je->MaxLengthUnit(), LengthUnit::GbkBytes);
        QCOMPARE(je->Ime(), ImeMode::Off);
        QVERIFY(!f.fields.Box("txtzs")->isEnabled());
        QCOMPARE(f.fields.TabOrder(), QList<QWidget*>({je, mc, f.fields.Box("txtrq")}));

        // Hints and the input method on entering and leaving; the window's own
        // handler runs after the table's.
        QStringList seen;
        mc->GotFocus = [&] { seen << f.SBar->PanelText(1); };
        SetFocus(mc);
        Settle();
        QCOMPARE(seen, QStringList({"请录入名称。"}));
        QCOMPARE(mc->Ime(), ImeMode::On);
        SetFocus(f.fields.Box("txtrq"));
        Settle();
        QCOMPARE(f.SBar->PanelText(1), QString());
        QCOMPARE(mc->Ime(), ImeMode::Off);
        SetFocus(f.fields.Box("txtzy"));
        Settle();
        QCOMPARE(f.SBar->PanelText(1), QString("摘要"));
        SetFocus(f.fields.Box("txtrq"));   // no hint of its own, and it keeps what stands
        Settle();
        SetFocus(f.ok);
        Settle();
        QCOMPARE(f.SBar->PanelText(1), QString());

        f.fields.SetKeysEnabled(false);
        QVERIFY(!mc->isEnabled());
        QVERIFY(je->isEnabled());

        int marks = 0;
        f.fields.OnChange(&f, [&] { ++marks; });
        SetBoxText(mc, "甲");
        SetBoxText(f.fields.Box("Chkbz"), "1");
        SetBoxText(f.fields.Box("lstxw"), "学士");
        SetBoxText(f.fields.Box("txtzs"), "9");   // computed: no mark
        QCOMPARE(marks, 3);
        f.Unload();
    }

    // What is typed reaches the table or is reported; a missing field is found when
    // the binding is made.
    void dataControlBinding()
    {
        AppFixture fx;
        fx.exec("create table t (mc text not null, je real, rq text, zy text, bz text, xb text, xw text, zs real)");
        fx.exec("insert into t values ('甲', 1, '', '', '', '0', '博士', 0)");
        FieldForm f;
        f.Show();
        DataControl dc(&f, "data1");
        dc.Bind(f.fields);
        BindDataControl(dc, "select * from t", "t");
        QCOMPARE(BoxText(f.fields.Box("lstxw")), QString("博士"));

        SetBoxText(f.fields.Box("Chkbz"), "1");
        SetBoxText(f.fields.Box("optxb"), "1");
        SetBoxText(f.fields.Box("lstxw"), "硕士");
        dc.Close();   // written, not dropped
        QCOMPARE(fx.rows("select bz, xb, xw from t"), QList<QStringList>({{kMark, "1", "硕士"}}));

        // A write the table refuses is reported at closing.
        BindDataControl(dc, "select * from t", "t");
        SetBoxText(f.fields.Box("txtmc"), " ");   // "always": "" is written, not Null
        dc.Rs().UpdateBatch();
        QCOMPARE(fx.rows("select mc from t"), QList<QStringList>({{""}}));
        fx.exec("create trigger no_change before update on t begin select raise(abort, '表已锁定'); end");
        SetBoxText(f.fields.Box("txtje"), "2");
        dc.Close();
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY2(fx.ui.messages[0].text.contains("表已锁定"), qPrintable(fx.ui.messages[0].text));

        // Dropping on purpose.
        fx.exec("drop trigger no_change");
        BindDataControl(dc, "select * from t", "t");
        SetBoxText(f.fields.Box("txtje"), "3");
        dc.DropEdits();
        dc.Close();
        QCOMPARE(fx.rows("select je from t"), QList<QStringList>({{"1"}}));

        // A field the set lacks: when the set opens, or at once when it is open.
        DataControl late(&f, "data2");
        late.Bind(f.fields);
        QVERIFY_THROWS_EXCEPTION(DbError, BindDataControl(late, "select mc, je from t", "t"));
        DataControl open(&f, "data3");
        BindDataControl(open, "select mc from t", "t");
        QVERIFY_THROWS_EXCEPTION(DbError, open.Bind(f.fields.Box("txtje"), "je"));
        late.Close();
        open.Close();
        f.Unload();
    }
};

QTEST_MAIN(TestFieldTable)
#include "tst_fieldtable.moc"
