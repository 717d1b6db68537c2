#pragma once
// Page 2 of the main form: Data Source Map. Its controls and handlers; the
// frame owns one (TUF_Main::Map) and calls the protocol members that
// UF_MainMap.cpp defines.
#include <QChar>
#include <QRect>
#include <QString>

class HeadingPanel;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;
class TUF_Main;
class TzyGrid;

class TUF_MainMap {
public:
    // Builds the page's controls on its tab sheet (TS_DSM).
    TUF_MainMap(TUF_Main& form, QWidget* sheet);

    TUF_Main& F;
    QWidget* TS_DSM;

    HeadingPanel* Pnl_DSM_T = nullptr;
    TzyGrid* SG_DSM = nullptr;
    QPushButton* BBtn_DSM_TaskFld_Browse = nullptr;
    QToolButton* SBtn_DSM_AutoSize = nullptr;
    QPushButton* BBtn_DSM_UpdateTaskFldDesc = nullptr;
    QLabel* Lbl_DSM_Note = nullptr;

    // Handlers.
    void SG_DSMCellChange();
    void SG_DSMSelectCell();
    void SG_DSMUserColWidthChanged();
    void SG_DSMFilterChar(QChar& key, const QRect& rectCell, bool& allowed, const QString& buffer);
    void SBtn_DSM_AutoSizeClick();
    void BBtn_DSM_TaskFld_BrowseClick();
    void BBtn_DSM_UpdateTaskFldDescClick();

    void UpdatePage2Details();
    void ProcessUpdateTaskFldDescDSMx();
};
