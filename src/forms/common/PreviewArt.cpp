#include "PreviewArt.h"

#include "PreviewRules.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace PreviewArt {

namespace {

// Where the cut off date falls along the time axis, as a fraction.
constexpr double kCutOff = 0.58;

QColor greyOf(Series s)
{
    switch (s) {
    case Baseline: return QColor(150, 150, 150);
    case Actual: return QColor(120, 120, 120);
    case Target: return QColor(175, 175, 175);
    case CutOffDate: return QColor(140, 140, 140);
    }
    return Qt::gray;
}

// A cumulative curve: slow start, steep middle, slow finish.
double sCurve(double t, double mid, double steep)
{
    const double lo = 1.0 / (1.0 + std::exp(steep * mid));
    const double hi = 1.0 / (1.0 + std::exp(-steep * (1.0 - mid)));
    const double v = 1.0 / (1.0 + std::exp(-steep * (t - mid)));
    return (v - lo) / (hi - lo);
}

// A period's share of the work: the derivative of the curve, by periods.
double bell(double t, double mid, double width) { return std::exp(-std::pow((t - mid) / width, 2)); }

struct Frame {
    QRectF plot;
    bool disabled;
};

// Background, grid and axes; returns the plot rectangle.
Frame paintFrame(QPainter& p, const QSize& size, const PreviewRules::PictureContent& c)
{
    const QRectF all(0, 0, size.width(), size.height());
    p.fillRect(all, c.disabled ? QColor(236, 236, 236) : Qt::white);
    const QRectF plot = all.adjusted(8, 8, -8, -8);
    QPen grid(c.disabled ? QColor(222, 222, 222) : QColor(232, 236, 242), 1);
    p.setPen(grid);
    for (int i = 1; i <= 4; ++i) {
        const double y = plot.bottom() - plot.height() * i / 4.0;
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    QPen axis(c.disabled ? QColor(190, 190, 190) : QColor(96, 96, 96), 1.5);
    p.setPen(axis);
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.drawRect(all.adjusted(0, 0, -1, -1));
    return {plot, c.disabled};
}

QColor colourFor(Series s, const PreviewRules::PictureContent& c) { return c.greyed ? greyOf(s) : SeriesColor(s); }

void paintCutOff(QPainter& p, const QRectF& plot, const PreviewRules::PictureContent& c)
{
    const double x = plot.left() + plot.width() * kCutOff;
    QPen pen(colourFor(CutOffDate, c), 1.5, Qt::DashLine);
    p.setPen(pen);
    p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
}

} // namespace

QColor SeriesColor(Series s)
{
    switch (s) {
    case Baseline: return QColor(31, 90, 200);
    case Actual: return QColor(210, 40, 40);
    case Target: return QColor(30, 150, 60);
    case CutOffDate: return QColor(230, 140, 0);
    }
    return Qt::black;
}

QPixmap SCurveSketch(const QString& suffix, const QSize& size)
{
    const PreviewRules::PictureContent c = PreviewRules::ContentOf(suffix);
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plot = paintFrame(p, size, c).plot;
    const auto curve = [&](Series s, double mid, double steep, double scale, double until) {
        QPainterPath path;
        const int n = 60;
        for (int i = 0; i <= n; ++i) {
            const double t = until * i / n;
            const QPointF pt(plot.left() + plot.width() * t, plot.bottom() - plot.height() * 0.94 * scale * sCurve(t, mid, steep));
            i == 0 ? path.moveTo(pt) : path.lineTo(pt);
        }
        p.setPen(QPen(colourFor(s, c), 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    };
    if (c.bl)
        curve(Baseline, 0.45, 9.0, 1.0, 1.0);
    if (c.tgt)
        curve(Target, 0.56, 8.5, 0.97, 1.0);
    if (c.act) {
        paintCutOff(p, plot, c);
        curve(Actual, 0.52, 8.0, 0.98, kCutOff);
    }
    return pm;
}

QPixmap HistogramSketch(const QString& suffix, const QSize& size)
{
    const PreviewRules::PictureContent c = PreviewRules::ContentOf(suffix);
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plot = paintFrame(p, size, c).plot;
    struct Set {
        Series s;
        double mid;
        bool on;
    };
    std::vector<Set> sets;
    for (const Set& s : {Set{Baseline, 0.45, c.bl}, Set{Actual, 0.5, c.act}, Set{Target, 0.56, c.tgt}})
        if (s.on)
            sets.push_back(s);
    if (!sets.empty()) {
        const int periods = 12;
        const double slot = plot.width() / periods;
        const double barW = (slot - 3.0) / double(sets.size());
        for (int i = 0; i < periods; ++i) {
            const double t = (i + 0.5) / periods;
            for (size_t k = 0; k < sets.size(); ++k) {
                const Set& s = sets[k];
                if (s.s == Actual && t > kCutOff)
                    continue;
                const double h = plot.height() * 0.92 * bell(t, s.mid, 0.24);
                const QRectF bar(plot.left() + i * slot + 1.5 + k * barW, plot.bottom() - h, barW, h);
                const QColor col = colourFor(s.s, c);
                p.fillRect(bar, col.lighter(115));
                p.setPen(QPen(col.darker(125), 0.8));
                p.drawRect(bar);
            }
        }
        if (c.act)
            paintCutOff(p, plot, c);
    }
    return pm;
}

QPixmap LegendLine(Series s, bool grey, int width)
{
    QPixmap pm(std::max(1, width), 3);
    pm.fill(grey ? QColor(192, 192, 192) : SeriesColor(s));
    if (s == CutOffDate && !grey) { // dashed, as the line in the sketches
        QPainter p(&pm);
        for (int x = 4; x < width; x += 8)
            p.fillRect(QRect(x, 0, 4, 3), Qt::white);
    }
    return pm;
}

} // namespace PreviewArt
