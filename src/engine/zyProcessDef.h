#pragma once
// What a run takes from the ZOL Definition it processes, copied into plain
// values. The engine's calculation and the definition model are kept in
// separate translation units (their filter operator names overlap), so the
// run frame reads the definition only through this unit.
#include <QString>

#include <array>
#include <vector>

struct TzyPSResults;

struct TzyRunDefFilterRow {
    QString TaskFld; // column letters
    bool AndFlag = true;
    int FilterOperator = 0;
    QString TaskFldValue;
};

struct TzyRunDef {
    double CutOffDate = 0;
    bool GenerateBL = false;
    bool GenerateACT = false;
    bool GenerateTGT = false;
    bool GraphMH = false;
    bool GraphCost = false;

    QString DSFName;
    QString DSFPassword;
    QString TaskWSName;
    int TaskHeaderRow = 1;
    QString TFName;
    QString TFPassword;
    QString PSWSName;
    QString CDWSName;
    QString OFName;
    QString OFFolder;
    int ChartDataFirstRow = 8;

    // The nine map items (Baseline Start Date .. % Complete): Required flag
    // and column letters.
    std::array<bool, 9> MapRequired{};
    std::array<QString, 9> MapTaskFld;

    bool FilterEnabled = false;
    std::vector<TzyRunDefFilterRow> FilterRows;
    QString FilterDetails;

    QString ProjectTitle;
    QString ProjectNumber;
    QString ProjectClient;
};

namespace zyProcessDef {
// The run's copy of definition `sdIndex` (a bad index gives the placeholder's).
TzyRunDef Read(int sdIndex);
// A Cut Off Date moved by the run goes back into the definition.
void WriteCutOffDate(int sdIndex, int day);
// The summary's texts taken from the definition.
void SetSummaryTexts(TzyPSResults& r, int sdIndex);
} // namespace zyProcessDef
