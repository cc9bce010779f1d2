// The about box and the registry it reads.

#include "FrameTest.h"
#include "Registry.h"
#include "frmAbout.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A registry of a few keys, recording what is asked of it.
class FakeRegistry : public registry::Registry {
public:
    struct Value {
        std::uint32_t type;
        QByteArray data;
    };
    QMap<QString, QMap<QString, Value>> keys;   // key path -> value name -> value
    QList<std::uint32_t> openMasks;
    QList<std::uint32_t> querySizes;
    int closes = 0;
    int openKeys = 0;

    void setString(const QString& key, const QString& name, const QByteArray& text)
    {
        keys[key][name] = {registry::REG_SZ, text};
    }

    long OpenKey(registry::Key root, const QString& subKey, std::uint32_t access, registry::Key* result) override
    {
        openMasks << access;
        if (root != registry::HKEY_LOCAL_MACHINE || !keys.contains(subKey)) {
            *result = 0;
            return registry::ERROR_FILE_NOT_FOUND;
        }
        m_open.append(subKey);
        *result = static_cast<registry::Key>(m_open.size());
        ++openKeys;
        return registry::ERROR_SUCCESS;
    }

    long QueryValue(registry::Key key, const QString& valueName, std::uint32_t* type, char* data,
                    std::uint32_t* size) override
    {
        querySizes << *size;
        if (key == 0 || int(key) > m_open.size())
            return registry::ERROR_INVALID_HANDLE;
        const auto& values = keys[m_open[int(key) - 1]];
        if (!values.contains(valueName))
            return registry::ERROR_FILE_NOT_FOUND;
        const Value& v = values[valueName];
        *type = v.type;
        if (std::uint32_t(v.data.size()) > *size) {
            *size = std::uint32_t(v.data.size());
            return registry::ERROR_MORE_DATA;
        }
        memcpy(data, v.data.constData(), size_t(v.data.size()));
        *size = std::uint32_t(v.data.size());
        return registry::ERROR_SUCCESS;
    }

    long CloseKey(registry::Key key) override
    {
        ++closes;
        if (key != 0)
            --openKeys;
        return key == 0 ? registry::ERROR_INVALID_HANDLE : registry::ERROR_SUCCESS;
    }

private:
    QStringList m_open;
};

const QString kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QString kLocation = "SOFTWARE\\Microsoft\\Shared Tools Location";

struct RegistryGuard {
    FakeRegistry reg;
    RegistryGuard() { registry::setRegistry(&reg); }
    ~RegistryGuard() { registry::setRegistry(nullptr); }
};

}  // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void getKeyValueMissingKey()
    {
        RegistryGuard g;
        QString v = "as passed";
        QVERIFY(!registry::GetKeyValue(registry::HKEY_LOCAL_MACHINE, kMsinfo, "PATH", v));
        QCOMPARE(v, QString());
        QCOMPARE(g.reg.openMasks, QList<std::uint32_t>{0x2003F});
        QCOMPARE(g.reg.closes, 1);   // closed although it did not open
        QVERIFY(g.reg.querySizes.isEmpty());
    }

    void getKeyValueMissingValue()
    {
        RegistryGuard g;
        g.reg.setString(kMsinfo, "OTHER", "x");
        QString v = "as passed";
        QVERIFY(!registry::GetKeyValue(registry::HKEY_LOCAL_MACHINE, kMsinfo, "PATH", v));
        QCOMPARE(v, QString());
        QCOMPARE(g.reg.querySizes, QList<std::uint32_t>{1024});
        QCOMPARE(g.reg.closes, 1);
        QCOMPARE(g.reg.openKeys, 0);
    }

    void getKeyValueString_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("expected");
        QTest::newRow("terminated") << QByteArray("C:\\msinfo32.exe\0", 16) << "C:\\msinfo32.exe";
        QTest::newRow("unterminated") << QByteArray("C:\\Tools") << "C:\\Tools";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("only the terminator") << QByteArray("\0", 1) << "";
    }
    void getKeyValueString()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, expected);
        RegistryGuard g;
        g.reg.setString(kMsinfo, "PATH", data);
        QString v = "as passed";
        QVERIFY(registry::GetKeyValue(registry::HKEY_LOCAL_MACHINE, kMsinfo, "PATH", v));
        QCOMPARE(v, expected);
        QCOMPARE(g.reg.closes, 1);
        QCOMPARE(g.reg.openKeys, 0);
    }

    void getKeyValueNumberAndOtherTypes()
    {
        RegistryGuard g;
        g.reg.keys[kMsinfo]["N"] = {registry::REG_DWORD, QByteArray("\x39\x30\x00\x00", 4)};
        g.reg.keys[kMsinfo]["BIG"] = {registry::REG_DWORD, QByteArray("\xff\xff\xff\x7f", 4)};
        g.reg.keys[kMsinfo]["X"] = {2, QByteArray("%SystemRoot%\0", 13)};
        QString v;
        QVERIFY(registry::GetKeyValue(registry::HKEY_LOCAL_MACHINE, kMsinfo, "N", v));
        QCOMPARE(v, QString("12345"));
        QVERIFY(registry::GetKeyValue(registry::HKEY_LOCAL_MACHINE, kMsinfo, "BIG", v));
        QCOMPARE(v, QString("2147483647"));
        v = "as passed";
        QVERIFY(registry::GetKeyValue(registry::HKEY_LOCAL_MACHINE, kMsinfo, "X", v));
        QCOMPARE(v, QString("as passed"));
        QCOMPARE(g.reg.closes, 3);
        QCOMPARE(g.reg.openKeys, 0);
    }

    void getKeyValueTooLongForTheBuffer()
    {
        RegistryGuard g;
        g.reg.setString(kMsinfo, "PATH", QByteArray(1500, 'a'));
        QString v = "as passed";
        QVERIFY(!registry::GetKeyValue(registry::HKEY_LOCAL_MACHINE, kMsinfo, "PATH", v));
        QCOMPARE(v, QString());
        QCOMPARE(g.reg.closes, 1);
    }

    void productionRegistryHoldsNothing()
    {
        QString v = "as passed";
        QVERIFY(!registry::GetKeyValue(registry::HKEY_LOCAL_MACHINE, kMsinfo, "PATH", v));
        QCOMPARE(v, QString());
    }

    void sysInfoFromThePathValue()
    {
        AppFixture fx;
        RegistryGuard g;
        g.reg.setString(kMsinfo, "PATH", QByteArray("/opt/msinfo/msinfo32\0", 21));
        g.reg.setString(kLocation, "MSINFO", "/elsewhere");
        forms::frmAbout->Show();
        Child<VbButton>(&forms::frmAbout.get(), "cmdSysInfo")->click();
        QCOMPARE(fx.ui.startedPrograms, QStringList{"/opt/msinfo/msinfo32"});
        QVERIFY(fx.ui.messages.isEmpty());
    }

    void sysInfoFromTheLocationWhenTheProgramIsThere()
    {
        AppFixture fx;
        RegistryGuard g;
        QTemporaryDir dir;
        QFile exe(dir.filePath("MSINFO32.EXE"));
        QVERIFY(exe.open(QIODevice::WriteOnly));
        exe.close();
        g.reg.setString(kLocation, "MSINFO", dir.path().toLocal8Bit() + '\0');
        forms::frmAbout->StartSysInfo();
        QCOMPARE(fx.ui.startedPrograms, QStringList{dir.path() + "/MSINFO32.EXE"});
        QVERIFY(fx.ui.messages.isEmpty());
    }

    void sysInfoUnavailable_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("no values") << "none";
        QTest::newRow("location without the program") << "location";
        QTest::newRow("the program does not start") << "nostart";
        QTest::newRow("no registry") << "production";
    }
    void sysInfoUnavailable()
    {
        QFETCH(QString, setup);
        AppFixture fx;
        RegistryGuard g;
        QTemporaryDir dir;
        if (setup == "location")
            g.reg.setString(kLocation, "MSINFO", dir.path().toLocal8Bit());
        if (setup == "nostart") {
            g.reg.setString(kMsinfo, "PATH", "/opt/msinfo/msinfo32");
            fx.ui.startSucceeds = false;
        }
        if (setup == "production")
            registry::setRegistry(nullptr);
        forms::frmAbout->StartSysInfo();
        QCOMPARE(fx.ui.texts(), QStringList{"此时系统信息不可用"});
        QCOMPARE(fx.ui.messages[0].title, platform::applicationTitle());
        QCOMPARE(fx.ui.messages[0].buttons, int(platform::vbOKOnly));
        QCOMPARE(fx.ui.messages[0].icon, int(platform::vbNoIcon));
        if (setup != "nostart")
            QVERIFY(fx.ui.startedPrograms.isEmpty());
    }

    void textsAndPicture()
    {
        AppFixture fx;
        forms::frmAbout->Show();
        frmAbout& a = forms::frmAbout.get();
        QCOMPARE(a.windowTitle(), QString("关于使用Oskavelvero科研计划管理信息系统"));
        QCOMPARE(Child<VbLabel>(&a, "lblTitle")->text(), QString("欢迎您使用本系统，请您多提建议。"));
        QCOMPARE(Child<VbLabel>(&a, "lblVersion")->text(), QString("版本 V1.0.0"));
        QCOMPARE(Child<VbLabel>(&a, "lblDescription")->text(), QString("应用程序描述"));
        QCOMPARE(Child<VbLabel>(&a, "lblDisclaimer")->text(), QString("警告: ..."));
        QCOMPARE(Child<VbButton>(&a, "cmdOK")->text(), QString("确定"));
        QCOMPARE(Child<VbButton>(&a, "cmdSysInfo")->text(), QString("系统信息(&S)..."));
        QVERIFY(Child<VbPicture>(&a, "picIcon")->HasPicture());
        QVERIFY(Child<QFrame>(&a, "Line1_0"));
        QVERIFY(Child<QFrame>(&a, "Line1_1"));
        QCOMPARE(a.minimumSize(), a.maximumSize());
        QCOMPARE(a.DefaultButton(), Child<VbButton>(&a, "cmdOK"));
        QCOMPARE(a.CancelButton(), Child<VbButton>(&a, "cmdOK"));
    }

    void okEnterAndEscClose_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("click") << 0;
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("esc") << int(Qt::Key_Escape);
    }
    void okEnterAndEscClose()
    {
        QFETCH(int, how);
        AppFixture fx;
        QVERIFY(LogIn());
        MenuItem("mnugybxt")->trigger();
        Settle();
        frmAbout& a = forms::frmAbout.get();
        QVERIFY(a.isVisible());
        QVERIFY(forms::frmmain->isEnabled());
        QVERIFY(ShowActive(&a));
        if (how == 0)
            Child<VbButton>(&a, "cmdOK")->click();
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(how));
        Settle();
        QVERIFY(!a.IsLoaded());
        QVERIFY(!a.isVisible());
        QVERIFY(forms::frmmain->isEnabled());
        QCOMPARE(fx.ui.endProgramCalls, 0);
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
