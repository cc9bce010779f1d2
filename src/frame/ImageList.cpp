#include "ImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

VbImageList::VbImageList(QObject* parent, const QString& name, int size)
    : QObject(parent), m_size(size)
{
    setObjectName(name);
}

void VbImageList::Add(const QString& key, const QPixmap& picture)
{
    m_keys.append(key);
    m_pictures.append(picture);
}

QPixmap VbImageList::Picture(const QString& key) const
{
    const int i = m_keys.indexOf(key);
    return i < 0 ? QPixmap() : m_pictures.at(i);
}

QIcon VbImageList::Icon(const QString& key) const
{
    const QPixmap p = Picture(key);
    return p.isNull() ? QIcon() : QIcon(p);
}

// ---------------------------------------------------------------------------
// The pictures, each on a 16 x 16 transparent square.

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kBlue(30, 90, 180);
const QColor kYellow(240, 200, 60);
const QColor kRed(200, 40, 40);
const QColor kGreen(40, 140, 60);
const QColor kGrey(150, 150, 150);

QPixmap draw(const std::function<void(QPainter&)>& paint)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kInk, 1));
    paint(p);
    return pm;
}

// A sheet of paper with a folded corner.
void page(QPainter& p, qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - 4, y);
    path.lineTo(x + w, y + 4);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(x + w - 4, y), QPointF(x + w - 4, y + 4));
    p.drawLine(QPointF(x + w - 4, y + 4), QPointF(x + w, y + 4));
}

void textLines(QPainter& p, qreal x, qreal y, qreal w, int n)
{
    p.setPen(QPen(kGrey, 1));
    for (int i = 0; i < n; ++i)
        p.drawLine(QPointF(x, y + 2 * i), QPointF(x + w, y + 2 * i));
    p.setPen(QPen(kInk, 1));
}

}  // namespace

void AddMainToolbarImages(VbImageList& list)
{
    // An open door with an arrow leaving through it.
    list.Add(QStringLiteral("exit"), draw([](QPainter& p) {
        p.setBrush(QColor(170, 110, 60));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.setBrush(kYellow);
        p.drawEllipse(QRectF(7, 7.5, 1.5, 1.5));
        p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(9, 8), QPointF(15, 8));
        p.drawLine(QPointF(12.5, 5.5), QPointF(15, 8));
        p.drawLine(QPointF(12.5, 10.5), QPointF(15, 8));
    }));
    // Scissors.
    list.Add(QStringLiteral("cut"), draw([](QPainter& p) {
        p.setPen(QPen(kInk, 1.3));
        p.drawLine(QPointF(4, 1), QPointF(10, 10));
        p.drawLine(QPointF(12, 1), QPointF(6, 10));
        p.setPen(QPen(kBlue, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2, 10, 4.5, 4.5));
        p.drawEllipse(QRectF(9.5, 10, 4.5, 4.5));
    }));
    // Two sheets.
    list.Add(QStringLiteral("copy"), draw([](QPainter& p) {
        page(p, 1.5, 1.5, 8, 10);
        textLines(p, 3, 5, 4, 3);
        page(p, 6.5, 4.5, 8, 10);
        textLines(p, 8, 8, 4, 3);
    }));
    // A clipboard with a sheet on it.
    list.Add(QStringLiteral("paste"), draw([](QPainter& p) {
        p.setBrush(QColor(190, 140, 70));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1, 1);
        p.setBrush(kGrey);
        p.drawRect(QRectF(4.5, 1.5, 4, 2.5));
        page(p, 6.5, 6.5, 8, 8.5);
        textLines(p, 8, 10, 4, 2);
    }));
    // A sheet under a magnifying glass.
    list.Add(QStringLiteral("preview"), draw([](QPainter& p) {
        page(p, 1.5, 1.5, 10, 13);
        textLines(p, 3, 5, 6, 4);
        p.setBrush(QColor(200, 230, 255, 200));
        p.setPen(QPen(kInk, 1.3));
        p.drawEllipse(QRectF(6, 6, 6, 6));
        p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11.5, 11.5), QPointF(14.5, 14.5));
    }));
    // A printer with a sheet coming out.
    list.Add(QStringLiteral("print"), draw([](QPainter& p) {
        page(p, 4.5, 1.5, 7, 6);
        p.setBrush(QColor(200, 200, 200));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawEllipse(QRectF(12, 8, 1.5, 1.5));
    }));
    // A curved arrow turning back to the left.
    list.Add(QStringLiteral("undo"), draw([](QPainter& p) {
        p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        QPainterPath arc;
        arc.moveTo(4, 6);
        arc.cubicTo(QPointF(10, 2), QPointF(16, 8), QPointF(11, 14));
        p.drawPath(arc);
        p.drawLine(QPointF(4, 6), QPointF(4.5, 1.5));
        p.drawLine(QPointF(4, 6), QPointF(8.5, 6.5));
    }));
    // A floppy disk.
    list.Add(QStringLiteral("save"), draw([](QPainter& p) {
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(60, 60, 60));
        p.drawRect(QRectF(9, 2.5, 1.5, 3));
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
    }));
    // A blank sheet with a star of newness.
    list.Add(QStringLiteral("new"), draw([](QPainter& p) {
        page(p, 2.5, 1.5, 10, 13);
        p.setPen(QPen(kYellow.darker(120), 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 1), QPointF(12, 6));
        p.drawLine(QPointF(9.5, 3.5), QPointF(14.5, 3.5));
        p.drawLine(QPointF(10.3, 1.8), QPointF(13.7, 5.2));
        p.drawLine(QPointF(13.7, 1.8), QPointF(10.3, 5.2));
    }));
    // A question mark in a blue circle.
    list.Add(QStringLiteral("help"), draw([](QPainter& p) {
        p.setBrush(kBlue);
        p.setPen(QPen(kBlue.darker(130), 1));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont f = p.font();
        f.setPixelSize(12);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kPaper);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
    }));
    // An open yellow folder.
    list.Add(QStringLiteral("open"), draw([](QPainter& p) {
        p.setBrush(kYellow.darker(115));
        QPainterPath back;
        back.moveTo(1.5, 3.5);
        back.lineTo(6, 3.5);
        back.lineTo(7.5, 5);
        back.lineTo(13.5, 5);
        back.lineTo(13.5, 14);
        back.lineTo(1.5, 14);
        back.closeSubpath();
        p.drawPath(back);
        p.setBrush(kYellow);
        QPainterPath front;
        front.moveTo(1.5, 14);
        front.lineTo(4, 7.5);
        front.lineTo(15.5, 7.5);
        front.lineTo(13.5, 14);
        front.closeSubpath();
        p.drawPath(front);
    }));
}
