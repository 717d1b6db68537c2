#pragma once
// Page 1 of the main form: S Curve Options. Its controls and handlers; the
// frame owns one (TUF_Main::Options) and calls the protocol members that
// UF_MainOptions.cpp defines.
#include <QString>

#include <array>

class FieldIndicator;
class HeadingPanel;
class PreviewPictures;
class QCheckBox;
class QDateEdit;
class QLabel;
class QWidget;
class TUF_Main;
class TzyVLabel;

class TUF_MainOptions {
public:
    // Builds the page's controls on its tab sheet (TS_SCO).
    TUF_MainOptions(TUF_Main& form, QWidget* sheet);

    TUF_Main& F;
    QWidget* TS_SCO;

    QWidget* Pnl_SCO_L = nullptr;
    HeadingPanel* Pnl_SCO_SCO = nullptr;
    FieldIndicator* Img_SCO_SCO = nullptr;
    QCheckBox* CB_SCO_GenerateBL = nullptr;
    QCheckBox* CB_SCO_GenerateACT = nullptr;
    QCheckBox* CB_SCO_GenerateTGT = nullptr;
    QLabel* Lbl_SCO_CutOffDate = nullptr;
    QDateEdit* DTP_SCO_CutOffDate = nullptr;
    std::array<QLabel*, 3> Lbl_SCO_CutOffDate_Note{};
    HeadingPanel* Pnl_SCO_QAO = nullptr;
    FieldIndicator* Img_SCO_QAO = nullptr;
    QCheckBox* CB_SCO_GraphMH = nullptr;
    QCheckBox* CB_SCO_GraphCost = nullptr;

    // One preview (S curve or histogram) with its axis labels and legend.
    struct Preview {
        HeadingPanel* title = nullptr;
        PreviewPictures* pictures = nullptr;
        TzyVLabel* yAxis = nullptr;
        QLabel* xAxis = nullptr;
        QLabel* legend = nullptr;
        // Baseline, Actual, Target, Cut Off Date.
        std::array<QWidget*, 4> entry{};
        std::array<QLabel*, 4> entryLabel{};
        std::array<QLabel*, 4> line{};     // coloured
        std::array<QLabel*, 4> lineGrey{}; // disabled
        bool histogram = false;
        int imgCode = 0;    // the code of the visible picture
        int imgCodeNew = 0; // the code being computed
    };
    Preview SC; // S curve: SCurveImgCode, SCurveImgCodeNew
    Preview HG; // histogram: HistogramImgCode, HistogramImgCodeNew

    // Handlers of the check boxes and the date picker.
    void CB_SCO_GenerateBLClick();
    void CB_SCO_GenerateACTClick();
    void CB_SCO_GenerateTGTClick();
    void DTP_SCO_CutOffDateChange();
    void CB_SCO_GraphMHClick();
    void CB_SCO_GraphCostClick();

    void UpdatePage1Details();
    void ShowSCurveImage(int code, bool visible);
    void ShowHistogramImage(int code, bool visible);
    void ClearSCurvePreview() { ClearPreview(SC); }
    void ClearHistogramPreview() { ClearPreview(HG); }
    void ClearSCurveLegend() { ClearLegend(SC); }
    void ClearHistogramLegend() { ClearLegend(HG); }
    void ArrangeSCurveLegend() { ArrangeLegend(SC); }
    void ArrangeHistogramLegend() { ArrangeLegend(HG); }

    // Steps of an update for one preview: picture, axis caption, centring.
    void UpdatePreview(Preview& p, int code, bool mh, bool cost);

private:
    void Changed();
    QWidget* BuildPreview(Preview& p, bool histogram);
    void ClearPreview(Preview& p);
    void ClearLegend(Preview& p);
    void ArrangeLegend(Preview& p);
    void SetAxis(Preview& p, bool enabled, bool mh, bool cost);
};
