// The program's start-up as a separate process, with its boxes and its
// releases printed instead of shown:
//   BOX|<line>    a line of a box (the fatal box, the busy box, a prompt)
//   FREED|<name>  a form or global object freed, in order
//   READY         the main form is up and the loop runs
//   OTHER         another instance ran: this one handed over and ends
// Options: --fail <step> makes that start-up step fail, --splash <ms> sets
// the splash's minimum time. The loop ends when standard input closes.
#include "ProbeOutput.h"
#include "SingleInstance.h"
#include "StdDlg.h"
#include "Startup.h"
#include "UF_Main.h"
#include "Utils.h"

#include <QApplication>
#include <QSocketNotifier>
#include <unistd.h>

using probe::say;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Answers Yes where a box offers it (the exit prompt).
    probe::PrintingPrompter prompter(true);
    StdDlg::setPrompter(&prompter);
    Utils::SetSingleInstanceBusyPresenter(probe::printBox);
    if (Utils::CheckSingleInstance()) {
        say(QStringLiteral("OTHER"));
        return 0;
    }
    Startup::Options options;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--fail"))
            options.failStep = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--splash"))
            options.splashMs = args[i + 1].toInt();
    }
    options.stepHook = [](int step) { say(QStringLiteral("STEP|%1").arg(step)); };
    Utils::SetFatalErrorPresenter([](const QString& text) {
        for (const QString& line : text.split(QLatin1Char('\n')))
            say(QStringLiteral("BOX|") + line);
    });
    Startup::SetFreeObserver([](const QString& name) { say(QStringLiteral("FREED|") + name); });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buf[256];
        if (::read(STDIN_FILENO, buf, sizeof buf) <= 0 && UF_Main)
            UF_Main->close();
    });
    options.onReady = [&prompter] {
        // The standard dialog made itself the prompter; boxes are printed.
        StdDlg::setPrompter(&prompter);
        say(QStringLiteral("READY"));
    };
    return Startup::Run(options);
}
