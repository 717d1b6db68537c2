// Tarvo ZOL Lumo: the program's entry.
#include "ServiceForms.h"
#include "SingleInstance.h"
#include "Startup.h"
#include "zyAD.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[])
{
    // A write to a spreadsheet server that has died must fail with an error
    // the run reports, not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    const QString productName = TzyAD::ProductName();
    QApplication::setApplicationName(productName);
    QApplication::setApplicationDisplayName(productName);
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));
    QApplication::setDesktopFileName(QStringLiteral("tarvo-zol-lumo"));

    // A second start hands its command line to the first and ends.
    if (Utils::CheckSingleInstance())
        return 0;

    ServiceForms::InstallServiceForms();
    return Startup::Run();
}
