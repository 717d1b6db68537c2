// Renders the summary and configuration-errors forms to PNG files for a
// visual check:   process_forms_gallery <folder>
#include "GallerySave.h"
#include "ProcessFormsEnv.h"
#include "SummarySample.h"
#include "UF_CfgErr.h"
#include "UF_Summary.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {

QString g_folder;

void save(QWidget* w, const QString& name)
{
    Gallery::Save(w, g_folder, name);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(g_folder);
    ProcessFormsEnv::Init();
    MemoryProgress progress;
    Progress::setForm(&progress);
    Progress::setPump([] {});
    UP->SetAutoSizeCfgErr(true);
    UP->SetAutoSizeSummary(true);

    TUF_CfgErr cfgErr;
    DV->AddCfgErr("S Curve Files", "Data Source File", "The file does not exist.",
                  "/home/user/Projects/Pump Station 4/schedule.xlsx", 56, 600, 0);
    DV->AddCfgErr("S Curve Files", "Task Header Row", "The Task Header Row must be a number from 1 to 1048575.",
                  "0", 56, 604, 0);
    DV->AddCfgErr("S Curve Options", "Data Options", "Please select at least one Data Option.", "", 85, 612, 0);
    DV->AddCfgErr("Data Source Map", "Task Field", "Please enter the Task Field.", "", 119, 624, 3);
    DV->AddCfgErr("Data Source Filter", "Filter Operator", "Please select a Filter Operator.", "Please Select...",
                  128, 640, 2);
    cfgErr.Populate(*DV);
    save(&cfgErr, QStringLiteral("cfgerr_several"));
    DV->ClearCfgErrs();
    DV->AddCfgErr("S Curve Options", "Cut Off Date", "The Cut Off Date is not a valid date.", "", 85, 620, 0);
    cfgErr.Populate(*DV);
    save(&cfgErr, QStringLiteral("cfgerr_one"));
    // Columns wider than the work area: the list scrolls sideways, every
    // line still above its scroll bar.
    DV->ClearCfgErrs();
    for (const char* fld : {"Data Source File", "Template File", "Output File"})
        DV->AddCfgErr("S Curve Files", fld, QStringLiteral("The %1 is not a full path beginning with /.").arg(fld),
                      QStringLiteral("data/") + QStringLiteral("Pump Station 4 Upgrade/").repeated(6)
                          + QStringLiteral("schedule.xlsx"),
                      56, 600, 0);
    cfgErr.Populate(*DV);
    save(&cfgErr, QStringLiteral("cfgerr_wide"));

    TUF_Summary summary;
    save(&summary, QStringLiteral("summary_empty"));
    SummarySample::Fill(summary);
    save(&summary, QStringLiteral("summary_filled"));
    UP->SetAutoSizeSummary(false);
    summary.resize(640, 300);
    save(&summary, QStringLiteral("summary_small"));
    Progress::setForm(nullptr);
    return 0;
}
