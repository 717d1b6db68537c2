#include "Glyphs.h"

#include "StdDlg.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace Glyphs {
namespace {

constexpr int kCount = 55;

const QColor kRed(0xC0, 0x1C, 0x28);
const QColor kGreen(0x1F, 0x8A, 0x3B);
const QColor kBlue(0x1C, 0x5F, 0xB8);
const QColor kAmber(0xF2, 0xB8, 0x1B);
const QColor kInk(0x30, 0x30, 0x30);

QPixmap blank(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

QPen roundPen(const QColor& c, qreal width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void cross(QPainter& p, const QColor& c, const QRectF& r, qreal width)
{
    p.setPen(roundPen(c, width));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void tick(QPainter& p, const QColor& c, qreal width, qreal scale, QPointF origin)
{
    p.setPen(roundPen(c, width));
    const QPointF pts[] = {origin + QPointF(0, 4.5) * scale, origin + QPointF(3.5, 8) * scale,
                           origin + QPointF(10, 0.5) * scale};
    p.drawPolyline(pts, 3);
}

void drawCancel(QPainter& p)
{
    cross(p, kRed, QRectF(3.5, 3.5, 9, 9), 2.6);
}

void drawClose(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0xF4, 0xF4, 0xF4));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
    cross(p, kRed, QRectF(5, 5, 6, 6), 2.0);
}

void drawContinue(QPainter& p)
{
    QPainterPath arrow;
    arrow.moveTo(1.5, 6);
    arrow.lineTo(8, 6);
    arrow.lineTo(8, 2.5);
    arrow.lineTo(14.5, 8);
    arrow.lineTo(8, 13.5);
    arrow.lineTo(8, 10);
    arrow.lineTo(1.5, 10);
    arrow.closeSubpath();
    p.setPen(QPen(kGreen.darker(130), 1));
    p.setBrush(kGreen);
    p.drawPath(arrow);
}

void drawNo(QPainter& p)
{
    p.setPen(roundPen(kRed, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 2, 12, 12));
    p.drawLine(QPointF(4.3, 11.7), QPointF(11.7, 4.3));
}

void drawOk(QPainter& p)
{
    tick(p, kGreen, 2.6, 1.2, QPointF(1.8, 2.6));
}

void drawRetry(QPainter& p)
{
    p.setPen(roundPen(kBlue, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 90 * 16, 270 * 16);
    QPainterPath head;
    head.moveTo(8, 0.5);
    head.lineTo(12, 3.5);
    head.lineTo(8, 6.5);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPath(head);
}

void drawYes(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    tick(p, Qt::white, 2.0, 0.8, QPointF(3.8, 4.6));
}

void badge(QPainter& p, const QColor& fill, const QString& mark)
{
    p.setPen(QPen(fill.darker(140), 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(21);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, mark);
}

} // namespace

int Count()
{
    return kCount;
}

int LastIndex()
{
    return kCount - 1;
}

QPixmap Button16(int index)
{
    QPixmap pm = blank(16);
    if (index < 0 || index >= kCount)
        return pm;
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case StdDlg::glCancel: drawCancel(p); break;
    case StdDlg::glClose: drawClose(p); break;
    case StdDlg::glContinue: drawContinue(p); break;
    case StdDlg::glNo: drawNo(p); break;
    case StdDlg::glOk: drawOk(p); break;
    case StdDlg::glRetry: drawRetry(p); break;
    case StdDlg::glYes: drawYes(p); break;
    default: break;
    }
    return pm;
}

QPixmap Level32(Picture picture)
{
    QPixmap pm = blank(32);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    switch (picture) {
    case Picture::Critical:
        p.setPen(QPen(kRed.darker(140), 1));
        p.setBrush(kRed);
        p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
        cross(p, Qt::white, QRectF(10.5, 10.5, 11, 11), 3.4);
        break;
    case Picture::Warning: {
        QPainterPath tri;
        tri.moveTo(16, 2);
        tri.lineTo(30.5, 29);
        tri.lineTo(1.5, 29);
        tri.closeSubpath();
        p.setPen(QPen(kAmber.darker(160), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(kAmber);
        p.drawPath(tri);
        p.setPen(roundPen(kInk, 3.2));
        p.drawLine(QPointF(16, 11), QPointF(16, 19.5));
        p.drawPoint(QPointF(16, 24.5));
        break;
    }
    case Picture::Info: badge(p, kBlue, QStringLiteral("i")); break;
    case Picture::Question: badge(p, kBlue, QStringLiteral("?")); break;
    }
    return pm;
}

} // namespace Glyphs
