// A stand-in for the program's start-up as far as the single-instance guard
// goes. A later start prints "OTHER" and ends; the first prints "FIRST",
// answers hand-overs ("PARAMS:" and the parameters joined by "|") and ends
// when its standard input closes.
//   ZOLL_PROBE_BUSY=1       the first instance answers busy
//   ZOLL_PROBE_NO_SERVER=1  the first instance never listens (no main form yet)
// Boxes are printed line by line, each prefixed with "BOX|".
#include "SingleInstance.h"
#include "ProbeOutput.h"
#include "StdDlg.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <unistd.h>

using probe::say;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    probe::PrintingPrompter prompter;
    StdDlg::setPrompter(&prompter);
    Utils::SetSingleInstanceBusyPresenter(probe::printBox);

    if (Utils::CheckSingleInstance()) {
        say(QStringLiteral("OTHER"));
        return 0;
    }
    say(QStringLiteral("FIRST"));

    const bool busy = qEnvironmentVariableIntValue("ZOLL_PROBE_BUSY") == 1;
    SingleInstanceServer server([busy](const QStringList& params) {
        say(QStringLiteral("PARAMS:") + params.join(QLatin1Char('|')));
        return busy ? Utils::SingleInstanceBusy : Utils::SingleInstanceActivated;
    });
    if (qEnvironmentVariableIntValue("ZOLL_PROBE_NO_SERVER") != 1) {
        if (!server.listen()) {
            say(QStringLiteral("LISTEN_FAILED:") + server.errorString());
            return 2;
        }
        say(QStringLiteral("LISTENING"));
    } else {
        say(QStringLiteral("LOCKED"));
    }

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buf[256];
        if (::read(STDIN_FILENO, buf, sizeof buf) <= 0)
            app.quit();
    });
    return app.exec();
}
