// Draws the program's own pictures: the login background gif/login3.bmp, the main
// window's background gif/bgpic.bmp and the emblem gif/fire.bmp. Run it by hand
// when a picture should change and commit the files it writes:
//
//     build/mkpictures gif
//
// The pictures are 8-bit BMP files (a palette of the picture's own colours).

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cstdio>

namespace {

const QString kFamily = QStringLiteral("WenQuanYi Micro Hei");

QFont font(int pixels, bool bold = false)
{
    QFont f(kFamily);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// The flame of the emblem, in a box of the given size at the origin.
QPainterPath flame(qreal s)
{
    QPainterPath p;
    p.moveTo(0.50 * s, 0.05 * s);
    p.cubicTo(QPointF(0.85 * s, 0.35 * s), QPointF(0.88 * s, 0.80 * s), QPointF(0.50 * s, 0.95 * s));
    p.cubicTo(QPointF(0.12 * s, 0.80 * s), QPointF(0.15 * s, 0.45 * s), QPointF(0.35 * s, 0.30 * s));
    p.cubicTo(QPointF(0.34 * s, 0.48 * s), QPointF(0.42 * s, 0.55 * s), QPointF(0.47 * s, 0.55 * s));
    p.cubicTo(QPointF(0.38 * s, 0.35 * s), QPointF(0.45 * s, 0.18 * s), QPointF(0.50 * s, 0.05 * s));
    return p;
}

void drawEmblem(QPainter& p, const QRectF& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = qMin(r.width(), r.height());
    const QPointF c = r.center();
    // A blue ring around a pale disc.
    p.setPen(QPen(QColor(30, 80, 160), s * 0.06));
    QRadialGradient disc(c, s * 0.45);
    disc.setColorAt(0, QColor(255, 250, 235));
    disc.setColorAt(1, QColor(225, 235, 250));
    p.setBrush(disc);
    p.drawEllipse(c, s * 0.44, s * 0.44);
    // The flame.
    const qreal fs = s * 0.62;
    p.translate(c.x() - fs / 2, c.y() - fs / 2);
    QLinearGradient fire(QPointF(0, fs), QPointF(0, 0));
    fire.setColorAt(0, QColor(230, 60, 20));
    fire.setColorAt(1, QColor(255, 190, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(fire);
    p.drawPath(flame(fs));
    p.setBrush(QColor(255, 235, 120));
    p.drawEllipse(QRectF(0.38 * fs, 0.62 * fs, 0.24 * fs, 0.28 * fs));
    p.restore();
}

// An 8-bit copy: the 256 most frequent colours (at 5 bits a channel) as the palette.
QImage toIndexed(const QImage& src)
{
    const QImage img = src.convertToFormat(QImage::Format_RGB32);
    struct Bin {
        qint64 n = 0, r = 0, g = 0, b = 0;
    };
    QHash<int, Bin> bins;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            const int key = ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
            Bin& b = bins[key];
            ++b.n;
            b.r += qRed(c);
            b.g += qGreen(c);
            b.b += qBlue(c);
        }
    }
    QList<Bin> all = bins.values();
    std::sort(all.begin(), all.end(), [](const Bin& a, const Bin& b) { return a.n > b.n; });
    QList<QRgb> palette;
    for (const Bin& b : all) {
        if (palette.size() == 256)
            break;
        palette.append(qRgb(int(b.r / b.n), int(b.g / b.n), int(b.b / b.n)));
    }
    return img.convertToFormat(QImage::Format_Indexed8, palette, Qt::DiffuseDither | Qt::ColorOnly);
}

// 525 x 381 pixels: the login window's inner area (7875 x 5715 twips).
QImage login()
{
    QImage img(525, 381, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(QPointF(0, 0), QPointF(0, 381));
    sky.setColorAt(0.0, QColor(22, 62, 130));
    sky.setColorAt(0.45, QColor(70, 125, 195));
    sky.setColorAt(1.0, QColor(190, 214, 240));
    p.fillRect(img.rect(), sky);

    // The system's name.
    p.setPen(QColor(255, 255, 255));
    p.setFont(font(22, true));
    p.drawText(QRect(0, 14, 525, 36), Qt::AlignCenter, QStringLiteral("Oskavelvero科研计划项目申报管理系统"));
    p.setPen(QColor(200, 220, 250));
    p.drawLine(QPointF(60, 55.5), QPointF(465, 55.5));

    // A soft frame behind the emblem (the emblem itself is its own picture at
    // 208, 64, 105 x 105).
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(QRectF(202, 58, 117, 117), 10, 10);

    // The panel of the category options and the two boxes.
    p.setBrush(QColor(245, 249, 255, 235));
    p.setPen(QPen(QColor(120, 150, 200), 1));
    p.drawRoundedRect(QRectF(88.5, 172.5, 348, 180), 8, 8);

    // The option buttons stand at x 208; their names beside them, each centred on
    // its button's height (rows 176 + 25, 200 + 33, 232 + 17 pixels).
    p.setFont(font(14));
    p.setPen(QColor(60, 70, 90));
    const int rowCentre[3] = {188, 216, 240};
    p.drawText(QRect(107, rowCentre[0] - 10, 95, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("项目类别:"));
    const QString names[3] = {QStringLiteral("人文社科专项"), QStringLiteral("自然科学专项"),
                              QStringLiteral("产业化培育项目")};
    p.setPen(QColor(20, 40, 100));
    p.setFont(font(15, true));
    for (int i = 0; i < 3; ++i)
        p.drawText(QRect(229, rowCentre[i] - 11, 190, 22), Qt::AlignLeft | Qt::AlignVCenter, names[i]);

    // A divider between the categories and the login rows.
    p.setPen(QColor(190, 205, 230));
    p.drawLine(QPointF(100, 251.5), QPointF(425, 251.5));

    p.end();
    return toIndexed(img);
}

// 472 x 415 pixels: the main window's inner area (7080 x 6225 twips), stretched.
QImage background()
{
    QImage img(472, 415, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(QPointF(0, 0), QPointF(472, 415));
    sky.setColorAt(0.0, QColor(232, 240, 250));
    sky.setColorAt(1.0, QColor(150, 185, 225));
    p.fillRect(img.rect(), sky);

    // Broad bands across the lower part.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const qreal y = 300 + i * 28;
        wave.moveTo(0, y);
        wave.cubicTo(QPointF(150, y - 50), QPointF(320, y + 40), QPointF(472, y - 20));
        wave.lineTo(472, 415);
        wave.lineTo(0, 415);
        wave.closeSubpath();
        p.setBrush(QColor(30, 80, 160, 40 + i * 20));
        p.drawPath(wave);
    }

    drawEmblem(p, QRectF(186, 70, 100, 100));

    p.setPen(QColor(20, 50, 110));
    p.setFont(font(24, true));
    p.drawText(QRect(0, 185, 472, 40), Qt::AlignCenter, QStringLiteral("Oskavelvero科研计划项目申报管理系统"));
    p.setPen(QColor(60, 90, 140));
    p.setFont(font(14));
    p.drawText(QRect(0, 228, 472, 24), Qt::AlignCenter,
               QStringLiteral("项目申请 · 批准 · 中期管理 · 结题 · 数据上报"));
    p.end();
    return toIndexed(img);
}

// 105 x 105 pixels: the login window's emblem box (1575 x 1575 twips).
QImage emblem()
{
    QImage img(105, 105, QImage::Format_RGB32);
    img.fill(QColor(255, 255, 255));
    QPainter p(&img);
    drawEmblem(p, QRectF(2, 2, 101, 101));
    p.end();
    return toIndexed(img);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gif");
    if (!QFontDatabase::families().contains(kFamily))
        std::fprintf(stderr, "mkpictures: the font %s is missing (fonts-wqy-microhei)\n", qPrintable(kFamily));
    const struct {
        const char* name;
        QImage image;
    } pictures[] = {
        {"login3.bmp", login()},
        {"bgpic.bmp", background()},
        {"fire.bmp", emblem()},
    };
    int rc = 0;
    for (const auto& pic : pictures) {
        const QString path = dir + QLatin1Char('/') + QString::fromLatin1(pic.name);
        if (!pic.image.save(path, "BMP")) {
            std::fprintf(stderr, "mkpictures: cannot write %s\n", qPrintable(path));
            rc = 1;
        }
    }
    return rc;
}
