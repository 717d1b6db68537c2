#pragma once
// A Project Summary as a run leaves it, written into the summary form's grid
// by the engine's own summary steps: a compared project with slippage and
// growth (some figures shown red) and no Target curve.
#include "UF_Summary.h"
#include "PSSample.h"
#include "zyPSData.h"

namespace SummarySample {

// The shared compared project without its Target curve (shown "N/A").
inline TzyPSResults Results()
{
    TzyPSResults r = PSSample::FullSchedule();
    r.DataOptionsText = "Baseline, Actual";
    r.GenerateTGT = false;
    r.Curves[2] = TzyPSCurve{};
    return r;
}

// Returns how often the run asked for the Open Output File button.
inline int Fill(TUF_Summary& form, const TzyPSResults& r = Results())
{
    int shown = 0;
    zyPSData::PopulatePSData(r, *RFs_PS, *RHs_PS);
    zyPSData::FormatPSData(r, *RFs_PS);
    zyPSData::PopulateSummaryForm(*RFs_PS, *RHs_PS, form.SummaryGrid());
    zyPSData::FormatSummaryForm(*RFs_PS, form.SummaryGrid(), [&] {
        ++shown;
        form.ShowOpenOutputFile();
    });
    return shown;
}

} // namespace SummarySample
