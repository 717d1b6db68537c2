// The definition's side of the summary's inputs, apart from the run's side:
// the definition and the engine core each bring their own filter operator
// names.
#include "zyPSData.h"
#include "zySD.h"

namespace zyPSData {

void SetDefinitionTexts(TzyPSResults& r, const TzySD& sd)
{
    r.ProjectTitle = sd.PD.GetProjectTitle();
    r.ProjectNumber = sd.PD.GetProjectNumber();
    r.ProjectClient = sd.PD.GetProjectClient();
    r.DataSourceFile = sd.SCF.GetDataSourceFile();
    r.DataOptionsText = sd.SCO.GetDataOptionsText();
    r.QuantityText = sd.SCO.GetQuantityText();
    r.FilterDetails = sd.DSF.GetFilterDetails();
}

} // namespace zyPSData
