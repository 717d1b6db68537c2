// Writes the program's icon, as the program itself paints it, as PNG files
// in an icon theme's layout: <out>/<n>x<n>/apps/<name>.png for each size.
//   make_icons <out> <name> <size>...
#include "Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Painting needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: make_icons <out> <name> <size>...\n");
        return 2;
    }
    for (int i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "make_icons: bad size %s\n", qPrintable(args.at(i)));
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args.at(1)).arg(size);
        const QString file = dir + QLatin1Char('/') + args.at(2) + QStringLiteral(".png");
        const QImage image = Artwork::ProgramIconPixmap(size).toImage();
        if (!QDir().mkpath(dir) || image.size() != QSize(size, size) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
