#include "zyProcessDef.h"

#include "zyPSData.h"
#include "zySD.h"

namespace zyProcessDef {

TzyRunDef Read(int sdIndex)
{
    TzySD& sd = SDs->getItems(sdIndex);
    TzyRunDef d;
    d.CutOffDate = sd.SCO.CutOffDate;
    d.GenerateBL = sd.SCO.GenerateBL;
    d.GenerateACT = sd.SCO.GenerateACT;
    d.GenerateTGT = sd.SCO.GenerateTGT;
    d.GraphMH = sd.SCO.GraphMH;
    d.GraphCost = sd.SCO.GraphCost;

    d.DSFName = sd.SCF.GetDataSourceFile();
    d.DSFPassword = sd.SCF.GetDataSourceFileOpenPassword();
    d.TaskWSName = sd.SCF.TaskWS;
    d.TaskHeaderRow = sd.SCF.TaskHeaderRow;
    d.TFName = sd.SCF.GetTemplateFile();
    d.TFPassword = sd.SCF.GetTemplateFileOpenPassword();
    d.PSWSName = sd.SCF.ProjectSummaryWS;
    d.CDWSName = sd.SCF.ChartDataWS;
    d.OFName = sd.SCF.GetOutputFile();
    d.OFFolder = sd.SCF.GetOutputFolder();
    d.ChartDataFirstRow = TzySCF::GetChartDataFirstRow();

    // Which items are read follows the options of this run.
    sd.DSM.SetRequired(d.GenerateBL, d.GenerateACT, d.GenerateTGT, d.GraphMH, d.GraphCost);
    for (int i = 1; i <= DSM_Count && i <= sd.DSM.Count(); ++i) {
        d.MapRequired[size_t(i - 1)] = sd.DSM.getItems(i).Required;
        d.MapTaskFld[size_t(i - 1)] = sd.DSM.getItems(i).GetTaskFld();
    }

    d.FilterEnabled = sd.DSF.Enabled();
    for (int r = 1; r <= sd.DSF.Count(); ++r) {
        const TzyDSFx& row = sd.DSF.getItems(r);
        d.FilterRows.push_back({row.GetTaskFld(), row.AndFlag, int(row.FilterOperator), row.TaskFldValue});
    }
    d.FilterDetails = sd.DSF.GetFilterDetails();

    d.ProjectTitle = sd.PD.GetProjectTitle();
    d.ProjectNumber = sd.PD.GetProjectNumber();
    d.ProjectClient = sd.PD.GetProjectClient();
    return d;
}

void WriteCutOffDate(int sdIndex, int day)
{
    SDs->getItems(sdIndex).SCO.SetCutOffDate(day);
}

void SetSummaryTexts(TzyPSResults& r, int sdIndex)
{
    zyPSData::SetDefinitionTexts(r, SDs->getItems(sdIndex));
}

} // namespace zyProcessDef
