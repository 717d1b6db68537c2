// Writes the test workbooks of the LibreOffice backend into the folder named
// by the first argument, with a server of its own, for a look at them.
#include "LoBackend.h"
#include "LoOffice.h"
#include "LoText.h"
#include "lo_fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (folder.isEmpty()) {
        std::fprintf(stderr, "usage: make_fixtures <folder>\n");
        return 2;
    }
    // A profile of this run's own, gone with it.
    QTemporaryDir profile;
    lo::BackendOptions o;
    o.profileDir = profile.filePath("profile");
    lo::Backend backend(o);
    try {
        backend.start();
        lofix::makeAll(backend.server()->desktop(), folder);
        backend.quit();
    } catch (const XLError& e) {
        std::fprintf(stderr, "make_fixtures: %s\n", e.what());
        return 1;
    } catch (const css::uno::Exception& e) {
        std::fprintf(stderr, "make_fixtures: %s\n", lo::toQ(e.Message).toUtf8().constData());
        return 1;
    }
    std::printf("fixtures written to %s\n", qPrintable(folder));
    return 0;
}
