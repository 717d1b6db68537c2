#pragma once
// The galleries' one way of rendering a form: shown, its events run, grabbed
// to <folder>/<name>.png (the path and size printed), hidden again.
#include <QCoreApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>

namespace Gallery {

inline void Save(QWidget* w, const QString& folder, const QString& name)
{
    w->show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    w->grab().save(path);
    std::printf("%s %dx%d\n", qPrintable(path), w->width(), w->height());
    w->hide();
}

} // namespace Gallery
