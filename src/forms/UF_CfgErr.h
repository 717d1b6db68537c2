#pragma once
// The configuration-errors form: one line per error of the last validation
// in five columns (ID, Tab, Field, Details, Field Value), the number of
// errors in the status bar, Auto Size and Close. A double click on a line
// asks the main form to show that error's field; the form stays open above
// the main form. Created once and reused; placement record 5.
#include "AutoSizeForm.h"
#include "CfgErrRows.h"

#include <functional>

class QLabel;
class QStatusBar;
class QTreeView;
class QHeaderView;
class TzyDV;
class CfgErrModel;

class TUF_CfgErr : public TAutoSizeForm {
    Q_OBJECT
public:
    explicit TUF_CfgErr(QWidget* owner = nullptr);
    ~TUF_CfgErr() override;

    // Where a double click goes (the main form's GoToCfgErr, with the
    // error's 1-based number).
    using GoToHook = std::function<void(int index)>;
    void SetGoToCfgErr(GoToHook hook) { m_goTo = std::move(hook); }

    // Fills the list from the validation's error list, before the form is
    // shown: the lines, the count in the status bar, the columns fitted.
    void Populate(const TzyDV& dv);

    void AutoSize() override;
    void FitColumns();
    void AutoSizeSBPanels();

    // The double click's action on the selected line.
    void LB_CfgErrDblClick();

    int Count() const;
    int ItemIndex() const; // -1: none selected
    void SetItemIndex(int index);
    QString Text(int line, int column) const;
    QTreeView* LB_CfgErr() const { return m_list; }
    QHeaderView* HC_CfgErr() const;
    QString StatusPanel(int index) const;
    QPushButton* BBtn_Close() const { return m_close; }
    int ItemHeight() const { return m_itemHeight; }

protected:
    QPushButton* CloseButton() const override { return m_close; }
    void AlignBBtns() override;
    void FormCloseQuery() override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void SetupUIT();
    void SetupHints();
    void SetupLayout();
    void SetMinSize();
    void FormActivate();
    void SectionResized(int section, int oldSize, int newSize);
    int ListHeightFor(int lines) const;
    int ButtonRowWidth() const;
    int ColumnsWidth() const;
    // The list's scroll bars for its present size and content.
    void ShowScrollBars();

    QTreeView* m_list = nullptr;
    CfgErrModel* m_model = nullptr;
    QWidget* m_panel = nullptr;
    QPushButton* m_close = nullptr;
    QStatusBar* m_status = nullptr;
    QLabel* m_panels[3] = {};
    int m_minSection[CfgErrRows::kColumns] = {};
    int m_itemHeight = 0;
    bool m_fitting = false;
    GoToHook m_goTo;
};

extern TUF_CfgErr* UF_CfgErr;
