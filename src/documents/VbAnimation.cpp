#include "VbAnimation.h"

#include <QFile>
#include <QPainter>
#include <QtEndian>

namespace {

quint32 u32(const QByteArray& d, qsizetype at) { return qFromLittleEndian<quint32>(d.constData() + at); }
qint32 i32(const QByteArray& d, qsizetype at) { return qFromLittleEndian<qint32>(d.constData() + at); }
quint16 u16(const QByteArray& d, qsizetype at) { return qFromLittleEndian<quint16>(d.constData() + at); }

struct Format {
    int width = 0, height = 0, bits = 0;
    bool bottomUp = true;
    QList<QRgb> palette;
};

QImage decodeFrame(const QByteArray& d, qsizetype at, quint32 size, const Format& f)
{
    const qsizetype stride = ((qsizetype(f.width) * f.bits + 31) / 32) * 4;
    if (qsizetype(size) < stride * f.height)
        return QImage();
    QImage img(f.width, f.height, QImage::Format_RGB32);
    for (int y = 0; y < f.height; ++y) {
        const auto* src = reinterpret_cast<const uchar*>(d.constData() + at + stride * (f.bottomUp ? f.height - 1 - y : y));
        auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < f.width; ++x) {
            switch (f.bits) {
            case 8: dst[x] = f.palette.value(src[x], qRgb(0, 0, 0)); break;
            case 24: dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            default: dst[x] = qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]); break;
            }
        }
    }
    return img;
}

}  // namespace

QList<QImage> VbAnimation::ReadFrames(const QByteArray& d, int* frameMs)
{
    if (d.size() < 12 || !d.startsWith("RIFF") || d.mid(8, 4) != "AVI ")
        return {};
    Format f;
    bool haveFormat = false;
    QList<QImage> frames;
    int usPerFrame = 100000;
    // Walks the chunks: lists are entered, the main header, the video format and the
    // frames of the 'movi' list are read, everything else is stepped over.
    qsizetype at = 12;
    const qsizetype end = qMin<qsizetype>(d.size(), 8 + qsizetype(u32(d, 4)));
    while (at + 8 <= end) {
        const QByteArray id = d.mid(at, 4);
        const quint32 size = u32(d, at + 4);
        const qsizetype body = at + 8;
        if (id == "LIST" || id == "RIFF") {
            at = body + 4;   // into the list
            continue;
        }
        if (body + qsizetype(size) > d.size())
            break;
        if (id == "avih" && size >= 4) {
            usPerFrame = int(u32(d, body));
        } else if (id == "strf" && size >= 40 && !haveFormat) {
            f.width = i32(d, body + 4);
            const qint32 h = i32(d, body + 8);
            f.bottomUp = h > 0;
            f.height = qAbs(h);
            f.bits = u16(d, body + 14);
            const quint32 compression = u32(d, body + 16);
            if (compression != 0 || (f.bits != 8 && f.bits != 24 && f.bits != 32) || f.width <= 0 || f.height <= 0
                || f.width > 4096 || f.height > 4096)
                return {};
            if (f.bits == 8) {
                quint32 colours = u32(d, body + 32);
                if (colours == 0 || colours > 256)
                    colours = 256;
                const quint32 header = u32(d, body);
                for (quint32 i = 0; i < colours && header + 4 * i + 4 <= size; ++i) {
                    const qsizetype c = body + header + 4 * i;
                    f.palette << qRgb(uchar(d[c + 2]), uchar(d[c + 1]), uchar(d[c]));
                }
            }
            haveFormat = true;
        } else if (haveFormat && id.size() == 4 && (id.endsWith("db") || id.endsWith("dc"))) {
            const QImage img = decodeFrame(d, body, size, f);
            if (img.isNull())
                return {};
            frames << img;
        }
        at = body + size + (size & 1);
    }
    if (frameMs)
        *frameMs = qMax(10, usPerFrame / 1000);
    return frames;
}

VbAnimation::VbAnimation(QWidget* parent)
    : QWidget(parent)
{
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_frames.isEmpty())
            return;
        m_frame = (m_frame + 1) % int(m_frames.size());
        update();
    });
}

bool VbAnimation::Open(const QString& file)
{
    Close();
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    int ms = 100;
    m_frames = ReadFrames(f.readAll(), &ms);
    m_timer.setInterval(ms);
    update();
    return !m_frames.isEmpty();
}

void VbAnimation::Play()
{
    if (!m_frames.isEmpty())
        m_timer.start();
}

void VbAnimation::Stop() { m_timer.stop(); }

void VbAnimation::Close()
{
    m_timer.stop();
    m_frames.clear();
    m_frame = 0;
    update();
}

void VbAnimation::paintEvent(QPaintEvent*)
{
    if (m_frames.isEmpty())
        return;
    QPainter p(this);
    const QImage& img = m_frames.at(m_frame);
    p.drawImage((width() - img.width()) / 2, (height() - img.height()) / 2, img);
}
