// The login window: layout, load, the login check, categories, Enter and Esc.

#include "FrameTest.h"
#include "ModVar.h"
#include "Twips.h"

#include <QApplication>
#include <QTest>

namespace {

frmLogin& login() { return forms::frmLogin.get(); }

void addOperator(AppFixture& fx, const QString& user, const QString& password)
{
    fx.exec("insert into login (username, password) values (?, ?)", {user, password});
}

}  // namespace

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void layoutCaptionAndPictures()
    {
        AppFixture fx;
        login().Show();
        frmLogin& l = login();
        QCOMPARE(l.windowTitle(), QString("欢迎使用Oskavelvero科研计划项目申报管理系统"));
        QCOMPARE(l.size(), QSize(525, 381));
        QCOMPARE(l.minimumSize(), l.maximumSize());
        QVERIFY(Child<VbPicture>(&l, "Picture")->HasPicture());
        QCOMPARE(Child<VbPicture>(&l, "Picture")->geometry(), l.rect());
        QVERIFY(Child<VbPicture>(&l, "Pic1")->HasPicture());
        QCOMPARE(Child<VbPicture>(&l, "Pic1")->geometry(), TwipsRect(3120, 960, 1575, 1575));
        QCOMPARE(l.txtUserName()->geometry(), TwipsRect(3030, 3840, 2325, 345));
        QCOMPARE(l.txtPassword()->geometry(), TwipsRect(3030, 4230, 2325, 345));
        QCOMPARE(l.cmdOK()->geometry(), TwipsRect(2235, 4725, 1140, 390));
        QCOMPARE(l.cmdCancel()->geometry(), TwipsRect(3840, 4725, 1140, 390));
        QCOMPARE(l.cmdOK()->text(), QString("确定"));
        QCOMPARE(l.cmdCancel()->text(), QString("退出"));
        QCOMPARE(l.OptLb(0)->geometry(), TwipsRect(3120, 2640, 255, 375));
        QCOMPARE(l.OptLb(1)->geometry(), TwipsRect(3120, 3000, 255, 495));
        QCOMPARE(l.OptLb(2)->geometry(), TwipsRect(3120, 3480, 255, 255));
        for (int i = 0; i < 3; ++i)
            QVERIFY(l.OptLb(i)->text().isEmpty());
        QVERIFY(l.OptLb(0)->isChecked());
        auto* u = Child<VbLabel>(&l, "lblLabels_0");
        auto* p = Child<VbLabel>(&l, "lblLabels_1");
        QCOMPARE(u->text(), QString("用户名称(&U):"));
        QCOMPARE(p->text(), QString("密码(&P):"));
        QCOMPARE(u->buddy(), l.txtUserName());
        QCOMPARE(p->buddy(), l.txtPassword());
        QCOMPARE(u->geometry(), TwipsRect(1605, 3855, 1320, 270));
        QCOMPARE(p->geometry(), TwipsRect(1605, 4245, 840, 270));
        QCOMPARE(l.txtPassword()->echoMode(), QLineEdit::Password);
        QVERIFY(!l.txtPassword()->testAttribute(Qt::WA_InputMethodEnabled));
        QCOMPARE(l.txtPassword()->Ime(), ImeMode::Off);
        QCOMPARE(l.DefaultButton(), l.cmdOK());
        QCOMPARE(l.CancelButton(), l.cmdCancel());
    }

    void tabOrder()
    {
        AppFixture fx;
        login().Show();
        QVERIFY(ShowActive(&login()));
        frmLogin& l = login();
        const QList<QWidget*> order = {l.txtUserName(), l.txtPassword(), l.cmdOK(), l.cmdCancel(), l.OptLb(0)};
        QCOMPARE(QApplication::focusWidget(), order[0]);
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
    }

    void focusStartsInTheUserNameAndAccessKeysMoveIt()
    {
        AppFixture fx;
        login().Show();
        QVERIFY(ShowActive(&login()));
        QCOMPARE(QApplication::focusWidget(), login().txtUserName());
        QTest::keyClick(&login(), Qt::Key_P, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), login().txtPassword());
        QTest::keyClick(&login(), Qt::Key_U, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), login().txtUserName());
    }

    void loadSetsTheCategoryAndReadsTheUnitName()
    {
        AppFixture fx;
        fx.exec("insert into sqdm (DWDM, DWMC) values ('10001', '示范大学')");
        fx.exec("insert into sqdm (DWDM, DWMC) values ('10002', '第二大学')");
        login().Show();
        QCOMPARE(gCategory, std::int16_t(1));
        QCOMPARE(gAppUnitName, QString("示范大学"));
        QCOMPARE(ConnectionsOf("frmLogin"), 1);
        login().Unload();
        QCOMPARE(ConnectionsOf("frmLogin"), 0);
    }

    void unitNameIsEmptyWithoutARowOrWithANullName()
    {
        AppFixture fx;
        gAppUnitName = "old";
        login().Show();
        QCOMPARE(gAppUnitName, QString());
        login().Unload();
        fx.exec("insert into sqdm (DWDM) values ('10001')");
        gAppUnitName = "old";
        login().Show();
        QCOMPARE(gAppUnitName, QString());
        QVERIFY(fx.ui.messages.isEmpty());
    }

    // The login check, one case a row: who is let in, and for who is not, the
    // message and the box that gets the focus (the password selected).
    void credentials_data()
    {
        QTest::addColumn<bool>("operators");   // admin/secret and o'neil/it's defined
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");  // empty: let in
        QTest::addColumn<QString>("focus");
        const QString blank = QStringLiteral("用户名不能为空，请输入用户名!");
        const QString invalid = QStringLiteral("无效的用户名或密码，请重试!");
        QTest::newRow("no operators, empty boxes") << false << "" << "" << "" << "";
        QTest::newRow("no operators, any name") << false << "nobody" << "x" << "" << "";
        QTest::newRow("operator") << true << "admin" << "secret" << "" << "";
        QTest::newRow("blanks around name and password") << true << "  admin " << " secret  " << "" << "";
        QTest::newRow("quotes stored in name and password") << true << "o'neil" << "it's" << "" << "";
        QTest::newRow("blank name") << true << "   " << "secret" << blank << "txtUserName";
        QTest::newRow("unknown name") << true << "nobody" << "secret" << invalid << "txtPassword";
        QTest::newRow("wrong password") << true << "admin" << "wrong" << invalid << "txtPassword";
        QTest::newRow("password in another case") << true << "admin" << "SECRET" << invalid << "txtPassword";
        QTest::newRow("password in one other letter case") << true << "admin" << "Secret" << invalid << "txtPassword";
        QTest::newRow("name in another case") << true << "ADMIN" << "secret" << "" << "";
        QTest::newRow("quote ending the name") << true << "admin' --" << "x" << invalid << "txtPassword";
        QTest::newRow("always-true condition") << true << "admin" << "' or '1'='1" << invalid << "txtPassword";
    }
    void credentials()
    {
        QFETCH(bool, operators);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        AppFixture fx;
        if (operators) {
            addOperator(fx, "admin", "secret");
            addOperator(fx, "o'neil", "it's");
        }
        login().Show();
        QVERIFY(ShowActive(&login()));
        login().txtUserName()->setText(user);
        login().txtPassword()->setText(password);
        // The focus stands elsewhere, so that a refusal has to move it.
        SetFocus(focus == "txtPassword" ? static_cast<QWidget*>(login().txtUserName()) : login().txtPassword());
        login().cmdOK()->click();
        Settle();
        if (message.isEmpty()) {
            QVERIFY(fx.ui.messages.isEmpty());
            QVERIFY(forms::frmmain.loaded());
            QVERIFY(forms::frmmain->isVisible());
            QVERIFY(!login().IsLoaded());
            QVERIFY(!login().isVisible());
            QCOMPARE(fx.ui.endProgramCalls, 0);
            return;
        }
        QCOMPARE(fx.ui.texts(), QStringList{message});
        QCOMPARE(fx.ui.messages[0].title, QString("登录"));
        QCOMPARE(fx.ui.messages[0].buttons, int(platform::vbOKOnly));
        QCOMPARE(fx.ui.messages[0].icon, int(platform::vbNoIcon));
        QCOMPARE(login().focusWidget()->objectName(), focus);
        if (focus == "txtPassword")
            QCOMPARE(login().txtPassword()->selectedText(), password);
        QCOMPARE(login().txtUserName()->text(), user);
        QVERIFY(login().IsLoaded());
        QVERIFY(!forms::frmmain.loaded());
    }

    void wrongPasswordSelectsThePasswordAndKeepsTheName()
    {
        AppFixture fx;
        addOperator(fx, "admin", "secret");
        login().Show();
        QVERIFY(ShowActive(&login()));
        SetFocus(login().txtUserName());
        TypeText(login().txtUserName(), "admin");
        SetFocus(login().txtPassword());
        TypeText(login().txtPassword(), "wrong");
        login().txtPassword()->setCursorPosition(2);
        SetFocus(login().txtUserName());
        login().cmdOK()->click();
        Settle();
        QCOMPARE(fx.ui.texts(), QStringList{"无效的用户名或密码，请重试!"});
        QCOMPARE(fx.ui.messages[0].title, QString("登录"));
        QCOMPARE(fx.ui.messages[0].icon, int(platform::vbNoIcon));
        QCOMPARE(QApplication::focusWidget(), login().txtPassword());
        QCOMPARE(login().txtPassword()->selectedText(), QString("wrong"));
        QCOMPARE(login().txtUserName()->text(), QString("admin"));
        // Typing replaces the password.
        TypeText(login().txtPassword(), "secret");
        QCOMPARE(login().txtPassword()->text(), QString("secret"));
        login().cmdOK()->click();
        Settle();
        QVERIFY(forms::frmmain.loaded());
        QVERIFY(!login().IsLoaded());
    }

    void databaseErrorDuringTheCheck()
    {
        AppFixture fx;
        addOperator(fx, "admin", "secret");
        login().Show();
        login().txtUserName()->setText("admin");
        login().txtPassword()->setText("secret");
        fx.exec("drop table login");
        login().cmdOK()->click();
        Settle();
        QCOMPARE(fx.ui.texts(), QStringList{"用户登录错误，请与vuz科技处联系!"});
        QCOMPARE(fx.ui.messages[0].title, QString("登录"));
        QCOMPARE(fx.ui.messages[0].buttons, int(platform::vbOKOnly));
        QCOMPARE(fx.ui.messages[0].icon, int(platform::vbNoIcon));
        QVERIFY(login().IsLoaded());
        QCOMPARE(login().txtUserName()->text(), QString("admin"));
        QCOMPARE(login().txtPassword()->text(), QString("secret"));
        QVERIFY(!forms::frmmain.loaded());
    }

    void categoryFromTheOptionButtons()
    {
        AppFixture fx;
        login().Show();
        QCOMPARE(gCategory, std::int16_t(1));
        login().OptLb(2)->click();
        QCOMPARE(gCategory, std::int16_t(3));
        login().OptLb(1)->click();
        QCOMPARE(gCategory, std::int16_t(2));
        login().OptLb(2)->click();
        login().cmdOK()->click();
        Settle();
        QCOMPARE(gCategory, std::int16_t(3));
        QVERIFY(forms::frmmain->windowTitle().endsWith("(产业化培育项目)"));
    }

    void enterPressesOkInEitherBox()
    {
        AppFixture fx;
        addOperator(fx, "admin", "secret");
        login().Show();
        QVERIFY(ShowActive(&login()));
        TypeText(login().txtUserName(), "admin");
        QTest::keyClick(login().txtUserName(), Qt::Key_Return);
        QCOMPARE(fx.ui.texts(), QStringList{"无效的用户名或密码，请重试!"});
        TypeText(login().txtPassword(), "secret");
        QTest::keyClick(login().txtPassword(), Qt::Key_Return);
        Settle();
        QVERIFY(forms::frmmain.loaded());
        QVERIFY(!login().IsLoaded());
    }

    void escPressesCancelAndEndsTheProgram()
    {
        AppFixture fx;
        login().Show();
        QVERIFY(ShowActive(&login()));
        TypeText(login().txtUserName(), "admin");
        QTest::keyClick(login().txtUserName(), Qt::Key_Escape);
        Settle();
        QVERIFY(!login().IsLoaded());
        QVERIFY(!forms::frmmain.loaded());
        QCOMPARE(fx.ui.endProgramCalls, 1);
        QCOMPARE(ConnectionsOf("frmLogin"), 0);
        // Its pointers to the controls went with them.
        QVERIFY(!login().txtUserName());
        QVERIFY(!login().cmdOK());
        QVERIFY(!login().OptLb(0));
    }

    void logOffLoadsTheLoginAnew()
    {
        AppFixture fx;
        fx.exec("insert into sqdm (DWDM, DWMC) values ('10001', '示范大学')");
        addOperator(fx, "admin", "secret");
        QVERIFY(LogIn(2, "admin", "secret"));
        QCOMPARE(gCategory, std::int16_t(2));
        fx.exec("update sqdm set DWMC = '改名大学'");
        forms::frmmain->mnutcxt_Click();
        QVERIFY(!forms::frmmain->MenuBar());
        QVERIFY(!forms::frmmain->Toolbar1());
        Settle();
        QVERIFY(login().IsLoaded());
        QVERIFY(login().isVisible());
        QCOMPARE(gCategory, std::int16_t(1));
        QVERIFY(login().OptLb(0)->isChecked());
        QVERIFY(login().txtUserName()->text().isEmpty());
        QVERIFY(login().txtPassword()->text().isEmpty());
        QCOMPARE(gAppUnitName, QString("改名大学"));
        QCOMPARE(ConnectionsOf("frmLogin"), 1);
        QCOMPARE(fx.ui.endProgramCalls, 0);
    }

    void missingDatabaseAtLoadEndsInOrder()
    {
        AppFixture fx;
        QFile::remove(fx.dbPath());
        login().Show();
        QVERIFY(!login().IsLoaded());
        QVERIFY(!login().isVisible());
        QCOMPARE(fx.ui.messages.size(), 1);
        QVERIFY(fx.ui.messages[0].text.contains("qwdb.mdb"));
        QCOMPARE(fx.ui.endProgramCalls, 1);
        QVERIFY(!QFile::exists(fx.dbPath()));
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
