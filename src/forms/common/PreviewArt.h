#pragma once
// The artwork of the S Curve Options previews, painted by code: an S curve
// sketch and a histogram sketch for each picture suffix of the preview rules,
// and the short coloured lines of the legends.
#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace PreviewArt {

enum Series { Baseline, Actual, Target, CutOffDate };
QColor SeriesColor(Series s);

QPixmap SCurveSketch(const QString& suffix, const QSize& size);
QPixmap HistogramSketch(const QString& suffix, const QSize& size);
// A legend line, 3 pixels high: the series colour, or grey.
QPixmap LegendLine(Series s, bool grey, int width);

} // namespace PreviewArt
