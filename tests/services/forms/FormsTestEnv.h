#pragma once
// A fixed look for the forms' tests and the gallery: Fusion, DejaVu Sans
// 9 pt, the text table and the layout metrics, and a known work area.
#include "WorkArea.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace FormsTestEnv {

inline const QRect kWorkArea(0, 0, 1024, 768);

inline void Init()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    if (!UILs)
        InitUILs();
    AD = std::make_unique<TzyAD>();
    platform::setWorkArea(kWorkArea);
}

} // namespace FormsTestEnv
