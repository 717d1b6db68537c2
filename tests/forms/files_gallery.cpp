// Renders the S Curve Files page with warning indicators, and the three
// browse dialogs filled from the program's sample workbook through a private
// headless LibreOffice, to PNG files in the folder given.
#include "forms_testkit.h"

#include "BrowseCommands.h"
#include "LoBackend.h"
#include "UF_BrowseFld.h"
#include "UF_BrowseVal.h"
#include "UF_BrowseWS.h"
#include "UF_Main.h"
#include "UF_MainFiles.h"
#include "WorkArea.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {

// Grabs the dialog once it shows (the office reads the list first, which
// takes a while), then closes it.
void grabWhenShown(TUF_Browse* dlg, const QString& file)
{
    auto* poll = new QTimer(dlg);
    poll->setInterval(50);
    QObject::connect(poll, &QTimer::timeout, dlg, [dlg, file, poll] {
        if (!dlg->isVisible() || QApplication::activeModalWidget() != dlg)
            return;
        poll->stop();
        poll->deleteLater();
        QCoreApplication::processEvents();
        dlg->grab().save(file);
        dlg->CancelButton()->click();
    });
    poll->start();
}

} // namespace

int main(int argc, char* argv[])
{
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    QDir().mkpath(out);
    QTemporaryDir tmp;
    ftk::Globals g;
    platform::setWorkArea(QRect(0, 0, 1280, 900));

    // Page 0 with faults: a relative Data Source File, a blank header row, a
    // template without extension, the chart worksheet named as the summary
    // one and an Output File whose extension differs from the template's.
    {
        TUF_Main form;
        TzySCF& scf = ftk::active().SCF;
        form.show();
        QCoreApplication::processEvents();
        TUF_MainFiles& p = *form.Files;
        p.TB_SCF_DSF_DrivePathFilenameExtn->setText(QStringLiteral("Schedules/Harbour.xlsx"));
        p.TB_SCF_DSF_TaskWS->setText(QStringLiteral("Tasks"));
        p.TB_SCF_DSF_THR->setText(QString());
        p.TB_SCF_TF_DrivePathFilenameExtn->setText(QStringLiteral("/home/planner/Templates/Report"));
        p.TB_SCF_TF_ProjectSummaryWS->setText(QStringLiteral("Project Summary"));
        p.TB_SCF_TF_ChartDataWS->setText(QStringLiteral("project summary"));
        p.TB_SCF_OF_DrivePathFilenameExtn->setText(QStringLiteral("/home/planner/Reports/Harbour.xls"));
        p.TB_PD_ProjectTitle->setText(QStringLiteral("Harbour Wall Extension"));
        QCoreApplication::processEvents();
        form.grab().save(out + QStringLiteral("/files_page_warnings.png"));
        (void)scf;
        p.TB_SCF_DSF_DrivePathFilenameExtn->setText(QStringLiteral("/home/planner/Schedules/Harbour.xlsx"));
        p.TB_SCF_DSF_THR->setText(QStringLiteral("1"));
        p.TB_SCF_TF_DrivePathFilenameExtn->setText(QStringLiteral("/home/planner/Templates/Report.xlsx"));
        p.TB_SCF_TF_ChartDataWS->setText(QStringLiteral("Chart Data"));
        p.TB_SCF_OF_DrivePathFilenameExtn->setText(QStringLiteral("/home/planner/Reports/Harbour.xlsx"));
        QCoreApplication::processEvents();
        form.grab().save(out + QStringLiteral("/files_page_clean.png"));
    }

    // The dialogs over the sample, read by the real office.
    lo::installBackendFactory(lo::BackendOptions{QString(), tmp.path() + "/profile", 90000, 15000, std::nullopt});
    XL = std::make_unique<TzyXL>();
    const QString sample = QCoreApplication::applicationDirPath() + "/../../bin/Samples/Tarvo_ZOL_Lumo_Sample.xlsx";
    pfx::MakeDefinition({sample, QString(), QString()}, pfx::Options{});
    BrowseCommands::CreateBrowseForms();
    UP->SetAutoSizeBrowseWS(true);
    UP->SetAutoSizeBrowseFld(true);
    UP->SetAutoSizeBrowseVal(true);
    int failures = 0;
    grabWhenShown(UF_BrowseWS, out + QStringLiteral("/browse_worksheets.png"));
    failures += BrowseCommands::BrowseWorksheet(UIT(600), sample, QString(), UIT(603), 1, 1, QStringLiteral("Tasks"), {})
                    .result != 2;
    grabWhenShown(UF_BrowseFld, out + QStringLiteral("/browse_task_fields.png"));
    failures += BrowseCommands::BrowseTaskField(BrowseCommands::ActiveTaskSource(), QStringLiteral("C"),
                                                Utils::Format(UIT(176), {QStringLiteral("Baseline Start")}), 1,
                                                QStringLiteral("Baseline Start Task Field"), {})
                    .result != 2;
    grabWhenShown(UF_BrowseVal, out + QStringLiteral("/browse_task_field_values.png"));
    failures += BrowseCommands::BrowseTaskFieldValue(BrowseCommands::ActiveTaskSource(), QStringLiteral("C"),
                                                     QStringLiteral("ID [1] Task Field"), QString(), {})
                    .result != 2;
    BrowseCommands::FreeBrowseForms();
    XL.reset();
    for (const auto& r : g.dlg.seen)
        std::fprintf(stderr, "%s: %s\n", qPrintable(r.msgId), qPrintable(r.lines.join(QLatin1Char(' '))));
    std::printf("%s\n", qPrintable(out));
    return failures;
}
