// Draws the progress animation, a clock whose hand goes round in twelve frames, as an
// uncompressed AVI file (24-bit DIB frames, one video stream, an index).
//
//     mkclock <output.avi>

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtMath>
#include <cstdio>

namespace {

void put32(QByteArray& b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xff));
}
void put16(QByteArray& b, quint16 v)
{
    b.append(char(v & 0xff));
    b.append(char(v >> 8));
}
QByteArray chunk(const char* id, const QByteArray& body)
{
    QByteArray b(id, 4);
    put32(b, quint32(body.size()));
    b += body;
    if (body.size() & 1)
        b.append('\0');
    return b;
}
QByteArray list(const char* type, const QByteArray& body) { return chunk("LIST", QByteArray(type, 4) + body); }

QImage frame(int i, int frames, int size)
{
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(QColor(192, 192, 192));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    const double r = size / 2.0 - 3;
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    for (int h = 0; h < 12; ++h) {
        const double a = h * M_PI / 6;
        p.drawLine(c + QPointF(qSin(a), -qCos(a)) * (r - 4), c + QPointF(qSin(a), -qCos(a)) * (r - 1));
    }
    p.setPen(QPen(Qt::darkBlue, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(0, -r * 0.45));
    const double a = 2 * M_PI * i / frames;
    p.setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(qSin(a), -qCos(a)) * (r - 6));
    return img;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkclock <output.avi>\n");
        return 1;
    }
    const int frames = 12, size = 48, fps = 8;
    const int stride = ((size * 24 + 31) / 32) * 4;
    const quint32 frameBytes = quint32(stride * size);

    QByteArray avih;
    for (quint32 v : {quint32(1000000 / fps), frameBytes * fps, 0u, 0x10u, quint32(frames), 0u, 1u, frameBytes,
                      quint32(size), quint32(size), 0u, 0u, 0u, 0u})
        put32(avih, v);
    QByteArray strh("vidsDIB ", 8);
    put32(strh, 0);   // flags
    put16(strh, 0);   // priority
    put16(strh, 0);   // language
    for (quint32 v : {0u, 1u, quint32(fps), 0u, quint32(frames), frameBytes, 0xffffffffu, 0u})
        put32(strh, v);   // initial frames, scale, rate, start, length, buffer, quality, sample size
    for (quint16 v : {quint16(0), quint16(0), quint16(size), quint16(size)})
        put16(strh, v);
    QByteArray strf;
    put32(strf, 40);
    put32(strf, quint32(size));
    put32(strf, quint32(size));   // bottom-up rows
    put16(strf, 1);
    put16(strf, 24);
    for (quint32 v : {0u, frameBytes, 0u, 0u, 0u, 0u})
        put32(strf, v);

    QByteArray movi;
    QByteArray index;
    for (int i = 0; i < frames; ++i) {
        const QImage img = frame(i, frames, size);
        QByteArray bits(int(frameBytes), '\0');
        for (int y = 0; y < size; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(size - 1 - y));
            char* out = bits.data() + y * stride;
            for (int x = 0; x < size; ++x) {
                out[3 * x] = char(qBlue(line[x]));
                out[3 * x + 1] = char(qGreen(line[x]));
                out[3 * x + 2] = char(qRed(line[x]));
            }
        }
        index += QByteArray("00db", 4);
        put32(index, 0x10);
        put32(index, quint32(4 + movi.size()));
        put32(index, frameBytes);
        movi += chunk("00db", bits);
    }
    const QByteArray hdrl = list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));
    const QByteArray riff = chunk("RIFF", QByteArray("AVI ", 4) + hdrl + list("movi", movi) + chunk("idx1", index));
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(riff) != riff.size()) {
        std::fprintf(stderr, "mkclock: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
