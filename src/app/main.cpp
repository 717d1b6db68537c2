// Tarvo ZOL Lumo: the program's entry.
#include "Startup.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[])
{
    // A write to a spreadsheet server that has died must fail with an error
    // the run reports, not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    // A second start hands its command line to the first and ends.
    if (Startup::AnotherInstanceRuns())
        return 0;
    return Startup::Run();
}
