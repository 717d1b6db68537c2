#include "KelvaneLogo.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace KelvaneLogo {

QPixmap Picture()
{
    constexpr int kWidth = 128, kHeight = 36, kTile = 36;
    const QColor navy(0x1f, 0x4e, 0x79), teal(0x2e, 0x9c, 0x9a), amber(0xf2, 0xa9, 0x00);

    QPixmap pm(kWidth, kHeight);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // The tile and its grid lines.
    p.setPen(Qt::NoPen);
    p.setBrush(navy);
    p.drawRoundedRect(QRectF(0.5, 0.5, kTile - 1, kTile - 1), 6, 6);
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    for (int i = 1; i < 4; ++i) {
        const qreal y = 4 + i * 7;
        p.drawLine(QPointF(5, y), QPointF(kTile - 5, y));
    }

    // The planned S curve and the earned one below it.
    QPainterPath plan(QPointF(5, 30));
    plan.cubicTo(QPointF(19, 30), QPointF(17, 6), QPointF(31, 6));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(plan);
    QPainterPath earned(QPointF(5, 30));
    earned.cubicTo(QPointF(15, 30), QPointF(16, 17), QPointF(22, 15));
    p.setPen(QPen(amber, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(earned);
    p.setBrush(amber);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(22, 15), 2.4, 2.4);

    // The name.
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(15);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(f);
    p.setPen(navy);
    p.drawText(QRect(kTile + 6, 2, kWidth - kTile - 6, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("KELVANE"));
    p.setPen(QPen(teal, 2));
    p.drawLine(QPointF(kTile + 7, 26), QPointF(kWidth - 4, 26));
    return pm;
}

} // namespace KelvaneLogo
