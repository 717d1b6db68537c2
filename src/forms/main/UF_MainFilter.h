#pragma once
// Page 3 of the main form: Data Source Filter. Its controls and handlers; the
// frame owns one (TUF_Main::Filter) and calls the protocol members that
// UF_MainFilter.cpp defines.
#include "FilterRules.h"

#include <QChar>
#include <QRect>
#include <QString>

class FieldIndicator;
class HeadingPanel;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;
class TUF_Main;
class TzyGrid;

class TUF_MainFilter {
public:
    // Builds the page's controls on its tab sheet (TS_DSF).
    TUF_MainFilter(TUF_Main& form, QWidget* sheet);

    TUF_Main& F;
    QWidget* TS_DSF;

    HeadingPanel* Pnl_DSF_T = nullptr;
    FieldIndicator* Img_DSF_T = nullptr;
    TzyGrid* SG_DSF = nullptr;
    QComboBox* DDL_DSF_AndFlag = nullptr;
    QComboBox* DDL_DSF_FilterOperator = nullptr;
    QPushButton* BBtn_DSF_TaskFld_Browse = nullptr;
    QPushButton* BBtn_DSF_TaskFldValue_Browse = nullptr;
    QToolButton* SBtn_DSF_Enable = nullptr;
    QPushButton* BBtn_DSF_Insert = nullptr;
    QPushButton* BBtn_DSF_Delete = nullptr;
    QPushButton* BBtn_DSF_MoveUp = nullptr;
    QPushButton* BBtn_DSF_MoveDown = nullptr;
    QPushButton* BBtn_DSF_Refresh = nullptr;
    QPushButton* BBtn_DSF_Clear = nullptr;
    QToolButton* SBtn_DSF_AutoSize = nullptr;
    QPushButton* BBtn_DSF_UpdateTaskFldDesc = nullptr;
    QLabel* Lbl_DSF_Note1 = nullptr;
    QLabel* Lbl_DSF_Note2 = nullptr;

    // Removes the incomplete rows and closes the gaps; the Process command
    // runs it (then UpdatePage3) before it saves this page.
    void CompactDSFRows();
    // The choice of a list still shown on the current cell goes into the
    // cell first, an empty link or operator of a row with a task field
    // taking And or Equals. The grid's record of the shown list counts, not
    // the list's visibility: leaving the page hides the page before it is
    // saved.
    void WriteOpenCombos();
    void EnableSG_DSF(bool enabled);
    void UpdatePage3Details();
    void ProcessUpdateTaskFldDescDSFx();

    // The grid's rows as data, and back (cell writes fire no change).
    FilterRules::Grid ReadGrid() const;
    void WriteGrid(const FilterRules::Grid& g);

    // Handlers.
    void SBtn_DSF_EnableClick();
    void BBtn_DSF_InsertClick();
    void BBtn_DSF_DeleteClick();
    void BBtn_DSF_MoveUpClick();
    void BBtn_DSF_MoveDownClick();
    void BBtn_DSF_RefreshClick();
    void BBtn_DSF_ClearClick();
    void SG_DSFSelectCell(int row);
    void SG_DSFCellChange(int col, int row);
    void SG_DSFUserColWidthChanged();
    void SG_DSFFilterChar(QChar& key, const QRect& rectCell, bool& allowed, const QString& buffer);
    void DDL_DSF_AndFlagChange();
    void DDL_DSF_FilterOperatorChange();
    // Left and Right leave a combo box for the previous or next cell; true
    // when the key was taken.
    bool DDL_DSF_KeyDown(int key);
    void SBtn_DSF_AutoSizeClick();
    void BBtn_DSF_TaskFld_BrowseClick();
    void BBtn_DSF_TaskFldValue_BrowseClick();
    void BBtn_DSF_UpdateTaskFldDescClick();

private:
    // A visible combo box on the current cell shows that cell's item again
    // (the grid writes the box back into the cell it leaves).
    void SyncEditors();
    void ComboChange(QComboBox* cb, int col);
    void WriteOpenCombo(QComboBox* cb, int col, int defaultIndex);
    friend class TUF_Main;
};
