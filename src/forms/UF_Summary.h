#pragma once
// The summary form: the Project Summary of the last successful run in a
// read-only grid laid out like the template's Project Summary Worksheet
// (7 x 27), with Copy To Clipboard, Open Data Source File, Open Output File,
// Auto Size and Close. Created once and reused; placement record 6.
#include "AutoSizeForm.h"
#include "ISummaryGrid.h"

#include <QColor>
#include <memory>

class QFrame;
class QTabWidget;
class QWidget;
class TzyGrid;

class TUF_Summary : public TAutoSizeForm {
    Q_OBJECT
public:
    static constexpr int kCols = 7;
    static constexpr int kRows = 27;
    static constexpr int kHeadingRow = 19; // the two-line column headings

    explicit TUF_Summary(QWidget* owner = nullptr);
    ~TUF_Summary() override;

    // What the run writes the summary through.
    ISummaryGrid& SummaryGrid() { return *m_adapter; }
    // The run's last formatting step shows the Open Output File button.
    void ShowOpenOutputFile();

    void AutoSize() override;

    // The report colours on screen: system colours from the palette, plain
    // ones from their 0x00BBGGRR value.
    static QColor ReportColor(zyRpt::TColor c);

    // The buttons' actions.
    void BBtn_CopyClick();
    void BBtn_OpenDSFClick();
    void BBtn_OpenOFClick();

    TzyGrid* SG_ProjectSummary() const { return m_grid; }
    QTabWidget* PC_Summary() const { return m_pc; }
    QPushButton* BBtn_Copy() const { return m_copy; }
    QPushButton* BBtn_OpenDSF() const { return m_openDSF; }
    QPushButton* BBtn_OpenOF() const { return m_openOF; }
    QPushButton* BBtn_Close() const { return m_close; }

protected:
    QPushButton* CloseButton() const override { return m_close; }
    void AlignBBtns() override;
    void showEvent(QShowEvent* e) override;

private:
    void SetupUIT();
    void SetupHints();
    void BuildGrid();
    void SetupLayout();
    void ArrangeControls();
    void SetMinSize();
    void FormActivate();
    void UpdateCaption();
    int TabHeight() const;
    int ButtonRowWidth() const;
    // The space around the grid: the form's client size less the grid's.
    QSize Chrome() const;
    // Opens one of the definition's files after its checks; `resetLists`
    // empties the definition's workbook lists first.
    void OpenFile(int labelId, const QString& file, bool resetLists);

    QFrame* m_bevel = nullptr;
    QTabWidget* m_pc = nullptr;
    QWidget* m_page = nullptr;
    TzyGrid* m_grid = nullptr;
    QWidget* m_panel = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_openDSF = nullptr;
    QPushButton* m_openOF = nullptr;
    QPushButton* m_close = nullptr;
    std::unique_ptr<ISummaryGrid> m_adapter;
};

extern TUF_Summary* UF_Summary;
