#include "PreviewRules.h"

#include <QStringList>

namespace PreviewRules {

int ImageCode(bool anySD, bool bl, bool act, bool tgt, bool graphMH, bool graphCost)
{
    return (anySD ? pcAnySD : 0) + (bl ? pcBL : 0) + (act ? pcACT : 0) + (tgt ? pcTGT : 0)
        + ((graphMH || graphCost) ? pcQuantity : 0);
}

QString PictureSuffix(int code)
{
    if (code == pcAnySD)
        return QStringLiteral("Blank");
    // Only codes with a definition and at least one data set name a sketch.
    if (code < 0 || code > 31 || !(code & pcAnySD) || !(code & (pcBL | pcACT | pcTGT)))
        return QStringLiteral("Disabled");
    QString s;
    if (code & pcBL)
        s += QLatin1Char('B');
    if (code & pcACT)
        s += QLatin1Char('A');
    if (code & pcTGT)
        s += QLatin1Char('T');
    if (!(code & pcQuantity))
        s += QStringLiteral("_D");
    return s;
}

const QStringList& PictureSuffixes()
{
    static const QStringList list = {
        QStringLiteral("Disabled"), QStringLiteral("Blank"), QStringLiteral("B_D"),  QStringLiteral("A_D"),
        QStringLiteral("T_D"),      QStringLiteral("BA_D"),  QStringLiteral("BT_D"), QStringLiteral("AT_D"),
        QStringLiteral("BAT_D"),    QStringLiteral("B"),     QStringLiteral("A"),    QStringLiteral("T"),
        QStringLiteral("BA"),       QStringLiteral("BT"),    QStringLiteral("AT"),   QStringLiteral("BAT")};
    return list;
}

PictureContent ContentOf(const QString& suffix)
{
    PictureContent c;
    if (suffix == QLatin1String("Disabled")) {
        c.disabled = true;
        return c;
    }
    if (suffix == QLatin1String("Blank")) {
        c.blank = true;
        return c;
    }
    const QString letters = suffix.section(QLatin1Char('_'), 0, 0);
    c.bl = letters.contains(QLatin1Char('B'));
    c.act = letters.contains(QLatin1Char('A'));
    c.tgt = letters.contains(QLatin1Char('T'));
    c.greyed = suffix.endsWith(QLatin1String("_D"));
    return c;
}

int AxisCaptionId(bool graphMH, bool graphCost, bool histogram)
{
    const int base = histogram ? 109 : 98;
    return base + (graphMH ? 1 : 0) + (graphCost ? 2 : 0);
}

} // namespace PreviewRules
