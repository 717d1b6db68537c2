// Opens the file named by its argument with the desktop's opener and quits
// at once, as the program does when the user closes it with a document just
// handed over: exit code 0 when the opener started and quitting went well.
#include "Shell.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QObject window;
    const int result = platform::shell().open(QString::fromLocal8Bit(argv[1]), QString(), QString(), 10, &window,
                                              [](platform::OpenerFailure) { std::fputs("the opener failed\n", stderr); });
    if (!platform::shellOpened(result))
        return 3;
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
