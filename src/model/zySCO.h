#pragma once
// S Curve Options: which data sets become curves, which quantities are
// graphed, and the Cut Off Date (a day number, days since 1899-12-30).
#include <QString>

class TzySCO {
public:
    TzySCO();
    void Reset();

    bool GenerateBL = false;
    bool GenerateACT = false;
    double CutOffDate = 0;
    bool GenerateTGT = false;
    bool GraphMH = false;
    bool GraphCost = false;

    void SetGenerateBL(bool value);
    void SetGenerateACT(bool value);
    void SetGenerateTGT(bool value);
    void SetGraphMH(bool value);
    void SetGraphCost(bool value);
    void SetCutOffDate(double value);

    // "Baseline, Actual, Target, % S Curves, % Histograms (Baseline, Target)"
    QString GetDataOptionsText() const;
    // "Man Hours, Cost"
    QString GetQuantityText() const;

    // Today's date as a day number, time of day dropped.
    static double Today();
};
