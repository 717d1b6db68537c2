#include "process_def.h"

#include "zyAD.h"
#include "zySD.h"
#include "zyUP.h"

namespace bench {

int Define(const QString& dsf, const QString& tpl, const QString& of, double cutOff)
{
    SDs = std::make_unique<TzySDs>();
    if (!UP)
        UP = std::make_unique<TzyUP>();
    if (!AD)
        AD = std::make_unique<TzyAD>();
    UP->SetPromptOnOverwriteOF(false);
    UP->SetPromptOnCreateOFFolder(false);
    const int i = SDs->Add();
    SDs->setActiveSD(i);
    TzySD& sd = SDs->getItems(i);
    sd.PD.SetProjectTitle(QStringLiteral("Benchmark"));
    sd.SCF.SetDataSourceFile(dsf);
    sd.SCF.SetTaskWS(QStringLiteral("Tasks"));
    sd.SCF.SetTaskHeaderRow(1);
    sd.SCF.SetTemplateFile(tpl);
    sd.SCF.SetProjectSummaryWS(QStringLiteral("Project Summary"));
    sd.SCF.SetChartDataWS(QStringLiteral("Chart Data"));
    sd.SCF.SetOutputFile(of);
    sd.SCO.GenerateBL = sd.SCO.GenerateACT = sd.SCO.GenerateTGT = true;
    sd.SCO.GraphMH = sd.SCO.GraphCost = true;
    sd.SCO.SetCutOffDate(cutOff);
    const char* cols[] = {"E", "F", "G", "H", "I", "J", "K", "L", "M"};
    for (int m = 1; m <= 9; ++m)
        sd.DSM.getItems(m).SetTaskFld(QString::fromLatin1(cols[m - 1]));
    sd.DSM.SetRequired(true, true, true, true, true);
    return i;
}

} // namespace bench
