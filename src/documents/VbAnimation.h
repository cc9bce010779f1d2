#pragma once
// The animation control: plays an uncompressed AVI clip (DIB frames of 8, 24 or 32
// bits) in a loop, drawn centred in the control. Open fails on anything else.

#include <QImage>
#include <QList>
#include <QTimer>
#include <QWidget>

class VbAnimation : public QWidget {
    Q_OBJECT
public:
    explicit VbAnimation(QWidget* parent = nullptr);

    // Loads the clip and shows its first frame; false (and nothing shown) when the
    // file cannot be read as an uncompressed AVI.
    bool Open(const QString& file);
    void Play();
    void Stop();
    void Close();

    bool IsPlaying() const { return m_timer.isActive(); }
    int FrameCount() const { return int(m_frames.size()); }
    int CurrentFrame() const { return m_frame; }
    int FrameInterval() const { return m_timer.interval(); }

    // The frames and frame time of an AVI file; empty when it is not one we play.
    static QList<QImage> ReadFrames(const QByteArray& avi, int* frameMs);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QList<QImage> m_frames;
    int m_frame = 0;
    QTimer m_timer;
};
