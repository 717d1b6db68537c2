#pragma once
// Shared fixture of the grid tests: a fixed style, palette and font so that
// sizes and pixels are the same on every run, and a recorder of index errors.
#include "Utils.h"
#include "zyGrid.h"

#include <QApplication>
#include <QImage>
#include <QStringList>
#include <QMenu>
#include <QStyle>
#include <QStyleFactory>

namespace gridtest {

inline void fixLook()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    QApplication::setFont(f);
}

// Records the index error texts instead of showing them.
struct IndexLog {
    QStringList texts;
    void install()
    {
        texts.clear();
        Utils::SetIndexReporter([this](const QString& t) { texts << t; });
    }
    ~IndexLog() { Utils::SetIndexReporter(nullptr); }
};

// The colour of one pixel of the grid's client area.
inline QColor pixel(TzyGrid& g, int x, int y)
{
    const QImage img = g.viewport()->grab().toImage();
    return img.pixelColor(x, y);
}

} // namespace gridtest
