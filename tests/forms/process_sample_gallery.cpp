// Runs the program's sample schedule through the real engine and a private
// headless LibreOffice, as the Process command does, and renders the summary
// form the run filled:   process_sample_gallery <folder>
// (Needs the office; the end-to-end test drives the same run from the main
// form's controls.)
#include "FormsTestEnv.h"
#include "Progress.h"
#include "Startup.h"
#include "StdDlg.h"
#include "UF_Main.h"
#include "UF_Summary.h"
#include "zyProcess.h"
#include "zySD.h"
#include "zyUP.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTimer>
#include <csignal>
#include <cstdio>

namespace {

// Answers Yes where a message offers it, else its rightmost button, and
// prints what it was asked.
struct Answerer : StdDlg::IPrompter {
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        std::printf("message %s: %s\n", qPrintable(r.msgId), qPrintable(r.lines.join(QLatin1Char(' '))));
        for (const auto& b : r.buttons)
            if (b.visible && b.modalResult == StdDlg::mrYes)
                return {StdDlg::mrYes, false};
        return {r.buttons[2].modalResult, false};
    }
};

} // namespace

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);
    QTemporaryDir tmp;
    FormsTestEnv::Init();
    platform::setWorkArea(QRect(0, 0, 1280, 1024));
    Startup::Options start;
    start.splashMs = 0;
    if (!Startup::CreateGlobals(start))
        return 1;
    Startup::CreateForms();
    Startup::FinishSplash();
    Answerer answers;
    StdDlg::setPrompter(&answers);
    UP->SetAutoSizeSummary(true);

    const QDir program(QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin"));
    TzySD& sd = SDs->getItems(SDs->ActiveSD());
    sd.SCF.SetDataSourceFile(program.filePath(QStringLiteral("Samples/Tarvo_ZOL_Lumo_Sample.xlsx")));
    sd.SCF.SetTaskWS(QStringLiteral("Tasks"));
    sd.SCF.SetTaskHeaderRow(1);
    sd.SCF.SetTemplateFile(program.filePath(QStringLiteral("Templates/Tarvo_ZOL_Lumo_Template.xlsx")));
    sd.SCF.SetProjectSummaryWS(QStringLiteral("Project Summary"));
    sd.SCF.SetChartDataWS(QStringLiteral("Chart Data"));
    sd.SCF.SetOutputFile(tmp.filePath(QStringLiteral("Sample_Output.xlsx")));
    sd.PD.SetProjectTitle(QStringLiteral("Sample Project"));
    sd.SCO.GenerateBL = sd.SCO.GenerateACT = true;
    sd.SCO.GraphMH = sd.SCO.GraphCost = true;
    const QStringList cols{"E", "F", "G", "H", "I", "J", "K", "L", "M"};
    for (int m = 1; m <= 9; ++m)
        sd.DSM.getItems(m).SetTaskFld(cols[m - 1]);
    sd.DSM.SetRequired(true, true, false, true, true);

    // Made here when the start-up's form list does not make it yet.
    if (!UF_Summary)
        new TUF_Summary(UF_Main);
    TUF_Summary& summary = *UF_Summary;
    Process->SetSummaryGrid(&summary.SummaryGrid());
    Process->SetShowOpenOutputFile([&summary] { summary.ShowOpenOutputFile(); });
    Progress::setPump([] { QCoreApplication::processEvents(); });
    const bool ok = Process->Process(SDs->ActiveSD());
    int rc = ok ? 0 : 2;
    if (ok) {
        QTimer::singleShot(0, &summary, [&] {
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            const QString path = QDir(folder).filePath(QStringLiteral("summary_after_sample_run.png"));
            summary.grab().save(path);
            std::printf("%s %dx%d\n", qPrintable(path), summary.width(), summary.height());
            summary.BBtn_Close()->click();
        });
        summary.exec();
    }
    StdDlg::setPrompter(nullptr);
    Startup::DestroyForms();
    Startup::FreeGlobals();
    return rc;
}
