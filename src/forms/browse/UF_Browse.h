#pragma once
// The frame the three browse dialogs share: a list under a header whose
// sections are its columns, a button bar (Auto Size, Auto Align, Refresh,
// Select, Cancel), a status bar of totals, and the placement, Auto Size and
// Auto Align behaviour. What differs (the columns, the texts, the value
// fields, the preferences) comes from each dialog's thin column model.
#include <QDialog>
#include <QPoint>
#include <QSize>
#include <QStringList>

#include <memory>
#include <optional>

class QAbstractTableModel;
class QCheckBox;
class QLabel;
class QPushButton;
class QStatusBar;
class QTreeView;
class QWidget;

// The cells a browse dialog shows, read from the active definition's cache
// when asked. Texts are bare: the dialog pads them with a blank each side.
class BrowseColumns {
public:
    virtual ~BrowseColumns() = default;
    virtual QStringList Titles() const = 0;
    virtual int RowCount() const = 0;
    virtual QString Cell(int row, int col) const = 0;
    // Status panels: caption and count pairs.
    virtual QStringList StatusTexts() const = 0;
};

class TzySD;
class TzyUP;

// The active ZOL Definition, whose caches the dialogs show.
TzySD& ActiveDefinition();

// The preferences that keep a dialog's Auto Size and Auto Align states.
struct BrowsePrefs {
    bool (TzyUP::*autoSize)() const;
    bool (TzyUP::*autoAlign)() const;
    void (TzyUP::*setAutoSize)(bool);
    void (TzyUP::*setAutoAlign)(bool);
};

// The text ids of one dialog's controls.
struct BrowseTexts {
    int splash;
    int autoSize, autoAlign, refresh, select, cancel;
    int listHint, listShortcut, autoSizeHint, autoAlignHint;
    int refreshHint, refreshShortcut, selectHint, selectShortcut, cancelHint, cancelShortcut;
};

class TUF_Browse : public QDialog {
    Q_OBJECT
public:
    // Modal results.
    enum { mrSelect = 1, mrCancel = 2, mrRefresh = 4 };

    // Shows the dialog modally; an empty list gives 2 without showing it.
    int ShowModal();

    // Read access for the callers' tests and the gallery.
    QTreeView* List() const { return m_list; }
    QPushButton* AutoSizeButton() const { return m_sbAutoSize; }
    QPushButton* AutoAlignButton() const { return m_sbAutoAlign; }
    QPushButton* RefreshButton() const { return m_bbRefresh; }
    QPushButton* SelectButton() const { return m_bbSelect; }
    QPushButton* CancelButton() const { return m_bbCancel; }
    QString StatusPanel(int index) const;
    int SelectedRow() const;
    void SelectRow(int row);
    int AutoWidth() const { return m_autoWidth; }
    int AutoHeight() const { return m_autoHeight; }
    QPoint Anchor() const { return {m_anchorX, m_anchorY}; }
    QStringList HeaderTitles() const;
    int ColumnWidth(int col) const;

    // The speed buttons' actions (also the gallery's way to arrange it).
    void AutoSize();
    void AutoAlign();

protected:
    TUF_Browse(std::unique_ptr<BrowseColumns> columns, const BrowseTexts& texts, const BrowsePrefs& prefs, int wmIndex,
               QWidget* parent);
    ~TUF_Browse() override;

    // Builds the controls; `descPanel` (may be null) goes above the buttons.
    void Build(QWidget* descPanel);

    // Fills the list from the cache, selects `row` and fits the columns.
    void Fill(int row);
    // The anchor of Auto Align: the top-right corner the dialog is put at;
    // none: the work area's top-right corner.
    void CalcAlignPos(std::optional<QPoint> anchor);
    // Hints with "%s" filled from the item name.
    void SetItemHints(const QString& itemName);

    // What differs per dialog.
    virtual void StoreChoice(int row) = 0;
    virtual void ClearChoice() = 0;
    virtual void ClearLoaded() = 0;
    // Sets the dialog's own controls from the preferences at activation.
    virtual void ActivateExtra() {}

    bool Updating = false;
    const BrowseTexts m_texts;

    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void done(int r) override;

private:
    bool AutoSizePref() const;
    bool AutoAlignPref() const;
    void SetAutoSizePref(bool down);
    void SetAutoAlignPref(bool down);
    void SetMinSize();
    void AutoSizeCols();
    void AutoSizeSBPanels();
    QSize ContentSize() const;
    QSize FrameExtra() const;
    // Moves and sizes the dialog's frame by code (not a user's drag).
    void SetFormRect(const QRect& outer);
    QRect FormRect() const;
    // The window manager has framed the dialog: fitted and placed again.
    void FrameKnown();
    // The geometry change now seen is the user's: of the position, or else
    // of the size.
    bool UserGeometry(bool position) const;

    void SelectClick();
    void CancelClick();
    void RefreshClick();
    void AutoSizeClick();
    void AutoAlignClick();

    std::unique_ptr<BrowseColumns> m_columns;
    const BrowsePrefs m_prefs;
    const int m_wmIndex;
    QAbstractTableModel* m_model = nullptr;
    QTreeView* m_list = nullptr;
    QWidget* m_descPanel = nullptr;
    QWidget* m_buttonBar = nullptr;
    QPushButton* m_sbAutoSize = nullptr;
    QPushButton* m_sbAutoAlign = nullptr;
    QPushButton* m_bbRefresh = nullptr;
    QPushButton* m_bbSelect = nullptr;
    QPushButton* m_bbCancel = nullptr;
    QStatusBar* m_status = nullptr;
    QList<QLabel*> m_panels;

    int m_autoWidth = 0, m_autoHeight = 0;
    int m_anchorX = 0, m_anchorY = 0;
    QSize m_minSize;
    bool m_codeGeometry = false;
    bool m_active = false; // shown and activated: geometry changes now are the user's
};

// The anchor of a dialog opened from `button`: right of the button (4
// pixels on) and below `below`'s bottom edge at `belowY` (its own
// coordinates), both in screen coordinates.
QPoint BrowseAnchor(const QWidget* button, const QWidget* below, int belowY);
