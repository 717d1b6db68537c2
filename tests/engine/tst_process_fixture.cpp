#include "tst_process_fixture.h"

#include "LocaleInfo.h"
#include "MachineKeys.h"
#include "zyAD.h"
#include "zyProcess.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <QLocale>

namespace pfx {

namespace {
TzySD& Active()
{
    return SDs->getItems(SDs->ActiveSD());
}
} // namespace

int CancellingProgress::AddStepIdx(const QString& text)
{
    const int idx = MemoryProgress::AddStepIdx(text);
    if (currentStep() == cancelAt && !Cancelled()) {
        SetCancelled(true);
        AD->Msgs << UIT(1066) << QString();
    }
    if (onStep)
        onStep(currentStep(), text);
    return idx;
}

void InstallRunHarness(IProgress& progress, StdDlg::IPrompter& prompter)
{
    InitUILs();
    Progress::setPump([] {});
    Progress::setForm(&progress);
    Progress::setFormatSources([] { return Process->StepFmt; }, [] { return Process->NoStepFmt; });
    StdDlg::setPrompter(&prompter);
}

void InstallFakeMachine(platform::MachineKeyTable& keys)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    platform::setNumberSettings(platform::NumberSettings{});
    keys.set(platform::RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
             QStringLiteral("Excel.Application.15"));
    platform::setMachineKeys(&keys);
}

void RemoveRunHarness()
{
    Process.reset();
    XL.reset();
    Progress::setForm(nullptr);
    StdDlg::setPrompter(nullptr);
    platform::setMachineKeys(nullptr);
}

void ResetGlobals()
{
    SDs = std::make_unique<TzySDs>();
    if (!UP)
        UP = std::make_unique<TzyUP>();
    if (!AD)
        AD = std::make_unique<TzyAD>();
}

int MakeDefinition(const Files& files, const Options& o)
{
    ResetGlobals();
    const int i = SDs->Add();
    SDs->setActiveSD(i);
    TzySD& sd = SDs->getItems(i);
    sd.PD.SetProjectTitle(QStringLiteral("=Harbour Wall Extension"));
    sd.PD.SetProjectNumber(QStringLiteral("HW-204"));
    sd.PD.SetProjectClient(QStringLiteral("Port Authority"));
    sd.SCF.SetDataSourceFile(files.dsf);
    sd.SCF.SetDataSourceFileOpenPassword(o.dsfPassword);
    sd.SCF.SetTaskWS(o.taskWS);
    sd.SCF.SetTaskHeaderRow(o.headerRow);
    sd.SCF.SetTemplateFile(files.tf);
    sd.SCF.SetTemplateFileOpenPassword(o.tfPassword);
    sd.SCF.SetProjectSummaryWS(o.psWS);
    sd.SCF.SetChartDataWS(o.cdWS);
    sd.SCF.SetOutputFile(files.of);
    sd.SCO.GenerateBL = o.bl;
    sd.SCO.GenerateACT = o.act;
    sd.SCO.GenerateTGT = o.tgt;
    sd.SCO.GraphMH = o.mh;
    sd.SCO.GraphCost = o.cost;
    sd.SCO.SetCutOffDate(o.cutOff);
    for (int m = 1; m <= 9; ++m)
        sd.DSM.getItems(m).SetTaskFld(o.mapCols.value(m - 1));
    // Target reads the same date columns as Actual in this schedule.
    sd.DSM.SetRequired(o.bl, o.act, o.tgt, o.mh, o.cost);
    if (o.filter) {
        sd.DSF.SetEnabled(true);
        const int r = sd.DSF.Add();
        sd.DSF.getItems(r).SetTaskFld(o.filterCol);
        sd.DSF.getItems(r).SetTaskFldDesc(QStringLiteral("Area"));
        sd.DSF.getItems(r).SetFilterOperator(foEquals);
        sd.DSF.getItems(r).SetTaskFldValue(o.filterValue);
    }
    return i;
}

void SetOutputFile(int sd, const QString& of)
{
    SDs->getItems(sd).SCF.SetOutputFile(of);
}

double CutOffDate(int sd)
{
    return SDs->getItems(sd).SCO.CutOffDate;
}

QStringList WorksheetList(int wsl)
{
    QStringList out;
    for (int j = 1; j <= Active().getWSL_Count(wsl); ++j)
        out << Active().getWSL_WS(wsl, j);
    return out;
}
bool WorksheetListLoaded(int wsl) { return Active().getWSL_Loaded(wsl); }
int FieldCount() { return Active().getFL_Count(); }
QString Field(int i) { return Active().getFL_TaskFld(i); }
QString FieldDesc(int i) { return Active().getFL_TaskFldDesc(i); }
QString FieldValue(int i, int j) { return Active().getFL_TaskFldValue(i, j); }
bool FieldsLoaded() { return Active().getFL_Loaded(); }
void PrepareValueList(int vl, const QString& taskFld)
{
    if (Active().getVL_Count() < vl)
        Active().setVL_Count(vl);
    Active().setVL_TaskFld(vl, taskFld);
}
int ValueListCount() { return Active().getVL_Count(); }
QStringList Values(int vl)
{
    QStringList out;
    for (int j = 1; j <= Active().getVL_TaskFldValCount(vl); ++j)
        out << Active().getVL_TaskFldValue(vl, j);
    return out;
}
QList<int> ValueCounts(int vl)
{
    QList<int> out;
    for (int j = 1; j <= Active().getVL_TaskFldValCount(vl); ++j)
        out << Active().getVL_TaskFldValTaskCount(vl, j);
    return out;
}
int ValueTotal() { return Active().getVL_Total(); }
bool ValuesLoaded(int vl) { return Active().getVL_Loaded(vl); }

} // namespace pfx
