// The animation control and the progress clip of the application folder.

#include "VbAnimation.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAnimation : public QObject {
    Q_OBJECT
private slots:
    void playsTheClock();
    void refusesWhatItCannotPlay_data();
    void refusesWhatItCannotPlay();
};

void TestAnimation::playsTheClock()
{
    VbAnimation a;
    a.resize(64, 64);
    QVERIFY(a.Open(KYJH_APP_DIR "/clock.avi"));
    QCOMPARE(a.FrameCount(), 12);
    QCOMPARE(a.FrameInterval(), 125);
    QFile f(KYJH_APP_DIR "/clock.avi");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QImage> frames = VbAnimation::ReadFrames(f.readAll(), nullptr);
    QCOMPARE(frames.first().size(), QSize(48, 48));
    QVERIFY(frames.at(0) != frames.at(3));   // the hand moves
    QVERIFY(!a.IsPlaying());
    a.Play();
    QTRY_VERIFY(a.CurrentFrame() >= 2);
    a.Stop();
    const int stopped = a.CurrentFrame();
    QTest::qWait(300);
    QCOMPARE(a.CurrentFrame(), stopped);
    a.Close();
    QCOMPARE(a.FrameCount(), 0);
    a.Play();
    QVERIFY(!a.IsPlaying());
}

void TestAnimation::refusesWhatItCannotPlay_data()
{
    QTest::addColumn<QByteArray>("patch");   // four bytes over the clip's compression field, or the whole file
    QTest::newRow("compressed frames") << QByteArray("MJPG");
    QTest::newRow("not a clip") << QByteArray("RIFF....WAVEfmt ");
}

void TestAnimation::refusesWhatItCannotPlay()
{
    QFETCH(QByteArray, patch);
    QFile f(KYJH_APP_DIR "/clock.avi");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray clip = f.readAll();
    if (patch.size() == 4)
        clip.replace(clip.indexOf("strf") + 8 + 16, 4, patch);
    else
        clip = patch;
    QTemporaryDir dir;
    QFile out(dir.filePath("clip.avi"));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(clip);
    out.close();
    VbAnimation a;
    QVERIFY(!a.Open(out.fileName()));
    QCOMPARE(a.FrameCount(), 0);
}

QTEST_MAIN(TestAnimation)
#include "tst_animation.moc"
