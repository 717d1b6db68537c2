#include "Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Artwork {
namespace {

const QColor kDeep(0x1B, 0x3A, 0x5C);
const QColor kBlue(0x2F, 0x6E, 0xBA);
const QColor kGreen(0x2E, 0x8B, 0x57);
const QColor kAmber(0xF2, 0xB8, 0x1B);
const QColor kRed(0xC0, 0x39, 0x2B);

QPixmap transparentPixmap(int w, int h)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

// The mark: an S curve rising over three histogram bars, in a rounded square
// of side `s` at `origin`.
void drawMark(QPainter& p, QPointF origin, qreal s)
{
    p.save();
    p.translate(origin);
    QLinearGradient bg(0, 0, 0, s);
    bg.setColorAt(0, kBlue);
    bg.setColorAt(1, kDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
    p.setBrush(QColor(255, 255, 255, 90));
    const qreal bw = s * 0.14;
    const qreal heights[] = {0.22, 0.40, 0.28};
    for (int i = 0; i < 3; ++i) {
        const qreal h = s * heights[i];
        p.drawRect(QRectF(s * 0.18 + i * (bw + s * 0.08), s * 0.84 - h, bw, h));
    }
    QPainterPath curve;
    curve.moveTo(s * 0.12, s * 0.82);
    curve.cubicTo(s * 0.55, s * 0.84, s * 0.45, s * 0.18, s * 0.88, s * 0.16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kAmber, qMax<qreal>(1.5, s * 0.09), Qt::SolidLine, Qt::RoundCap));
    p.drawPath(curve);
    p.restore();
}

struct Lettering {
    int pixelSize;
    bool bold;
    qreal spacing;
    QColor colour;
};

// A word of the artwork, left-aligned and vertically centred in `r`.
void drawWord(QPainter& p, const QRectF& r, const Lettering& l, const QString& word)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(l.pixelSize);
    f.setBold(l.bold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, l.spacing);
    p.setFont(f);
    p.setPen(l.colour);
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, word);
}

} // namespace

QPixmap ProductPicture()
{
    QPixmap pm = transparentPixmap(244, 44);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawMark(p, QPointF(1, 1), 42);
    drawWord(p, QRectF(52, 0, 192, 30), {22, true, 0, kDeep}, QStringLiteral("Tarvo ZOL"));
    drawWord(p, QRectF(53, 27, 192, 16), {13, false, 4, kBlue}, QStringLiteral("LUMO"));
    return pm;
}

QPixmap KelvaneLogo()
{
    QPixmap pm = transparentPixmap(145, 37);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // A stylised K of two strokes beside the name.
    p.setPen(QPen(kDeep, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 6), QPointF(6, 31));
    p.setPen(QPen(kGreen, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 19), QPointF(24, 6));
    p.drawLine(QPointF(12, 17), QPointF(25, 31));
    drawWord(p, QRectF(32, 0, 113, 37), {19, true, 1, kDeep}, QStringLiteral("Kelvane"));
    return pm;
}

QPixmap ProgramIconPixmap(int size)
{
    QPixmap pm = transparentPixmap(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawMark(p, QPointF(0, 0), size);
    return pm;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(ProgramIconPixmap(s));
    return icon;
}

QPixmap IL_Main_2221(int index)
{
    QPixmap pm = transparentPixmap(IndicatorWidth, IndicatorHeight);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (index == IndicatorWarning) {
        QPainterPath tri;
        tri.moveTo(11, 1.5);
        tri.lineTo(20.5, 19.5);
        tri.lineTo(1.5, 19.5);
        tri.closeSubpath();
        p.setPen(QPen(QColor(0x8A, 0x5A, 0x00), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(kAmber);
        p.drawPath(tri);
        p.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11, 7.5), QPointF(11, 13));
        p.drawPoint(QPointF(11, 16.5));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawEllipse(QRectF(2, 1.5, 18, 18));
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF pts[] = {QPointF(6.5, 10.5), QPointF(9.5, 13.5), QPointF(15.5, 7)};
        p.drawPolyline(pts, 3);
    }
    return pm;
}

} // namespace Artwork
