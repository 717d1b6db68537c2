// Renders the splash and the main form on each of its pages to PNG files.
#include "FormsTestKit.h"
#include "UF_Main.h"
#include "UF_Splash.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    QDir().mkpath(out);
    formskit::FixLook();
    formskit::Globals globals;

    {
        TUF_Splash splash;
        splash.SetStatus(UIT(17));
        splash.show();
        QCoreApplication::processEvents();
        splash.grab().save(out + QStringLiteral("/splash.png"));
        splash.SetStatus(UIT(31));
        QCoreApplication::processEvents();
        splash.grab().save(out + QStringLiteral("/splash_complete.png"));
    }

    TUF_Main form;
    form.show();
    QCoreApplication::processEvents();
    for (int page = 0; page < 4; ++page) {
        form.GoToPage(page);
        QCoreApplication::processEvents();
        form.grab().save(out + QStringLiteral("/main_page%1.png").arg(page));
    }
    form.resize(form.minimumSize());
    QCoreApplication::processEvents();
    form.grab().save(out + QStringLiteral("/main_minimum.png"));
    std::printf("%s\n", qPrintable(out));
    return 0;
}
