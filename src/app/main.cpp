// Tarvo ZOL Lumo: the program's entry.
#include "ServiceForms.h"
#include "SingleInstance.h"
#include "Startup.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

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

    // A second start hands its command line to the first and ends.
    if (Utils::CheckSingleInstance())
        return 0;

    ServiceForms::InstallServiceForms();
    if (!Startup::CreateGlobals())
        return 1;
    ServiceForms::CreateServiceForms();

    // The main form of the program's forms is not part of this build: the
    // window carries the product's name and version so a start is visible.
    QMainWindow window;
    window.setWindowTitle(productName);
    auto* label = new QLabel(Utils::Format(QStringLiteral("%s\n%s"), {productName, Utils::Format(UIT(1), {AD->getVersion()})}));
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(24);
    window.setCentralWidget(label);

    SingleInstanceServer server([&window](const QStringList&) {
        window.showNormal();
        window.raise();
        window.activateWindow();
        return int(Utils::SingleInstanceActivated);
    });
    server.listen();

    window.show();
    const int rc = QApplication::exec();
    ServiceForms::FreeServiceForms();
    Startup::FreeGlobals();
    return rc;
}
