#pragma once
// TUF_Main: the main form. One class, one file per concern:
//   UF_Main.cpp         the frame: menus, toolbar, caption, close, second instance
//   UF_MainPages.cpp    the page protocol's dispatchers and the editing aids
//   UF_MainLayout.cpp   sizes, minimum size, fit to the work area
//   UF_MainTexts.cpp    the caption and hint tables (data) and their set-up
//   UF_MainFiles.cpp    page 0  S Curve Files and Project Details
//   UF_MainOptions.cpp  page 1  S Curve Options
//   UF_MainMap.cpp      page 2  Data Source Map
//   UF_MainFilter.cpp   page 3  Data Source Filter
//   UF_MainProcess.cpp  the Process command and GoToCfgErr
//
// How a page plugs in
// -------------------
// * Page N's controls and handlers live in its own struct (TUF_MainFiles,
//   TUF_MainOptions, TUF_MainMap, TUF_MainFilter; the Process command in
//   TUF_MainProcess), declared in the page's header and owned by TUF_Main
//   (Files, Options, Map, Filter, ProcessCmd). Its constructor gets the form
//   and the page's tab sheet (TS_SCF, TS_SCO, TS_DSM, TS_DSF), which is empty
//   and has no layout: the page builds its controls on it with Qt layouts
//   sized from FormMetrics (common/FormMetrics.h). The constructors run in
//   page order, after the frame and before any set-up routine.
// * Every control gets its designed name (setObjectName("TB_SCF_DSF_TaskWS")).
//   The frame's SetupUIT, SetupHints and SetupControls find page controls by
//   that name and put the captions, hints, MaxLength and the required-field
//   colour of the text tables (UF_MainTexts.cpp) on them: a page does not set
//   those texts itself. A grid named in the tables has its ColCount and
//   RowCount set by the page's constructor.
// * The page defines, in its own .cpp, TUF_Main's protocol members for its
//   number N: ClearPageN, EnablePageN, LoadPageN, UpdatePageN (UpdatePage3
//   takes the filter grid's current row), SavePageN, and its set-up member
//   (SetupPreview page 1, SetupSG_DSM page 2, SetupSG_DSF page 3; page 0 has
//   none). The Process struct's file defines XferData and GoToCfgErr.
// * The definition: SDs->getItems(SDs->ActiveSD()) (zySD.h); the checks
//   through DV (zyDV.h).
// * Updating[N] is set while code fills page N; every change handler of page
//   N returns at once while it is set. PageEnabled[N] is stored by
//   EnablePageN; load and update fill and check only while it is set.
// * Busy: WorkbookReadScope around a read from a workbook (Busy set, the
//   form disabled, both restored when the read raises); BusyScope around a
//   modal operation.
// * BH_Main: hide it first in every key, change and click handler
//   (BH_Main->HideHint()); WarnMaxLengthTB / WarnMaxLengthKey from an edit's
//   key filter, WarnMaxLengthSG from a grid's OnFilterChar, KeyDownSelectAll
//   for Ctrl+A.
// * Indicators: FieldIndicator (common/FieldIndicator.h) beside a field, or
//   HeadingPanel::Indicator in a heading; state through SetImgState.
// * Process: BBtn_Process's click runs XferData; page 3's combo boxes named
//   DDL_DSF_AndFlag and DDL_DSF_FilterOperator get Tab, Shift+Tab and Enter
//   moved to SG_DSF's next or previous cell by the frame.
// * Changing the page from code: GoToPage (saves, switches, loads, updates).
// * Forms built elsewhere: FormLinks().ShowOptions / ShowAbout are set where
//   start-up creates UF_Options and UF_About; RegisterModalForm is done by
//   start-up for every form of its list.
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class BalloonHint;
class EditActions;
class FieldIndicator;
class QAction;
class QFrame;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;
class TzyGrid;

class TUF_MainFiles;
class TUF_MainOptions;
class TUF_MainMap;
class TUF_MainFilter;
class TUF_MainProcess;

class TUF_Main : public QMainWindow {
    Q_OBJECT
public:
    // Runs FormCreate: the frame, the four pages, the set-up routines, the
    // preferences, one default definition loaded into page 0.
    explicit TUF_Main(QWidget* parent = nullptr);
    ~TUF_Main() override;

    // ---- what the main form needs of forms built elsewhere -----------------
    struct Hooks {
        // UF_Options.SnapshotUP, then UF_Options modally; its modal result
        // (1 is OK). Unset: the command does nothing.
        std::function<int()> ShowOptions;
        // UF_About modally. Unset: nothing.
        std::function<void()> ShowAbout;
    };
    static Hooks& FormLinks();
    // The secondary forms that count as modal for a second instance, in the
    // order they are compared (the splash first while it exists).
    static void RegisterModalForm(QWidget* form);
    static void UnregisterModalForm(QWidget* form);

    // ---- state shared by the frame and the pages ---------------------------
    int WorkAreaWidth = 0;
    int WorkAreaHeight = 0;
    bool Busy = false;
    int CurrentPage = 0;
    std::array<bool, 4> Updating{};
    std::array<bool, 4> PageEnabled{};
    bool KeyboardCues = true;

    // Raises Busy for its lifetime (lowered also when an exception passes).
    class BusyScope {
    public:
        // Restores what it found, so a scope inside another (an activation
        // during a modal command) does not end the outer one's busy state.
        explicit BusyScope(TUF_Main& f) : m_f(f), m_was(f.Busy) { m_f.Busy = true; }
        ~BusyScope() { m_f.Busy = m_was; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        TUF_Main& m_f;
        bool m_was;
    };

    // Busy and the main form disabled for a read from a workbook (the
    // browse and Update Task Field Descriptions commands); both restored
    // also when the read raises. The progress form is not a child of the
    // main form and stays usable.
    class WorkbookReadScope {
    public:
        explicit WorkbookReadScope(TUF_Main& f) : m_busy(f), m_f(f) { m_f.setEnabled(false); }
        ~WorkbookReadScope() { m_f.setEnabled(true); }
        WorkbookReadScope(const WorkbookReadScope&) = delete;
        WorkbookReadScope& operator=(const WorkbookReadScope&) = delete;

    private:
        BusyScope m_busy;
        TUF_Main& m_f;
    };

    // ---- frame controls ----------------------------------------------------
    QMenu* MT_File = nullptr;
    QAction* MI_File_Reset = nullptr;
    QAction* MI_File_Exit = nullptr;
    QMenu* MT_Edit = nullptr;
    QAction* MI_Edit_Cut = nullptr;
    QAction* MI_Edit_Copy = nullptr;
    QAction* MI_Edit_Paste = nullptr;
    QAction* MI_Edit_Undo = nullptr;
    QMenu* MT_Tools = nullptr;
    QAction* MI_Tools_Options = nullptr;
    QMenu* MT_Help = nullptr;
    QAction* MI_Help_Tutorial = nullptr;
    QAction* MI_Help_UserManual = nullptr;
    QAction* MI_Help_WhitePaper = nullptr;
    QAction* MI_Help_About = nullptr;

    QToolBar* TBar_Main = nullptr;
    QToolButton* TBtn_File_Reset = nullptr;
    QToolButton* TBtn_Edit_Cut = nullptr;
    QToolButton* TBtn_Edit_Copy = nullptr;
    QToolButton* TBtn_Edit_Paste = nullptr;
    QToolButton* TBtn_Edit_Undo = nullptr;
    QToolButton* TBtn_ShowHints = nullptr;
    QFrame* Bvl_Main_T = nullptr;

    QWidget* Pnl_TS = nullptr;
    QTabWidget* PC_Main = nullptr;
    QWidget* TS_SCF = nullptr; // page 0
    QWidget* TS_SCO = nullptr; // page 1
    QWidget* TS_DSM = nullptr; // page 2
    QWidget* TS_DSF = nullptr; // page 3
    QWidget* Pnl_Main_BBtn = nullptr;
    QFrame* Bvl_Main_BBtn = nullptr;
    QPushButton* BBtn_Process = nullptr;

    EditActions* AL_Main = nullptr;
    BalloonHint* BH_Main = nullptr;

    // ---- the pages ---------------------------------------------------------
    std::unique_ptr<TUF_MainFiles> Files;
    std::unique_ptr<TUF_MainOptions> Options;
    std::unique_ptr<TUF_MainMap> Map;
    std::unique_ptr<TUF_MainFilter> Filter;
    std::unique_ptr<TUF_MainProcess> ProcessCmd;

    // ---- the frame (UF_Main.cpp) -------------------------------------------
    void MI_File_ResetClick();
    void TBtn_File_ResetClick();
    void MI_File_ExitClick();
    void MI_Tools_OptionsClick();
    void MI_Help_TutorialClick();
    void MI_Help_UserManualClick();
    void MI_Help_WhitePaperClick();
    void MI_Help_AboutClick();
    void TBtn_ShowHintsClick();
    void OpenTutorial();
    void OpenUserManual();
    void OpenWhitePaper();
    void UpdateCaption();
    // FormCloseQuery: the exit prompt and the placement record; false keeps
    // the form open.
    bool FormCloseQuery();
    // The second instance's hand-over: 313 busy or 121543 activated.
    int WMCopyData();
    bool ActivateModalForm();
    // Brings the minimised main form back; waits for it a bounded time.
    void RestoreIfIconic();
    static constexpr int kRestoreWaitMs = 2000;
    // Applies the toolbar captions and the hint settings of UP.
    void ApplyPreferences();
    // Moves the focus to PC_Main when it can take it.
    void FocusPages();

    // ---- the page protocol (UF_MainPages.cpp) ------------------------------
    void ClearPages();
    void RefreshPages();
    void EnablePages(bool enabled);
    void LoadPage(int page);
    void SavePage(int page);
    void UpdatePage(int page);
    void SetProcessEnabled(bool enabled);
    void UpdateProcessEnabled();
    void ResetSD(bool prompt);
    // The user picked another tab (PC_Main has already changed its page).
    void PC_MainChange();
    // Saves the current page, shows `page` (firing nothing) and loads and
    // updates it.
    void GoToPage(int page);
    // Told every dispatch ("clear", "enable", "load", "update", "save" and
    // the page), before the page's routine runs; for tracing and tests.
    std::function<void(const char* routine, int page)> ProtocolTrace;
    // The filter grid's current row (1 when the page has no grid yet).
    int DSFCurrentRow() const;

    void SetImgState(QObject* image, const QString& hintText, bool warning);
    // Refuses a typed character at the edit's maximum length and shows the
    // balloon; key becomes QChar() then. True when refused.
    bool WarnMaxLengthTB(QObject* sender, QChar& key, int maxLength);
    // The same from an edit's key filter: true when the event is to be
    // swallowed.
    bool WarnMaxLengthKey(QObject* sender, QKeyEvent* event, int maxLength);
    // From a grid's OnFilterChar: the same test on the current cell's text;
    // caretRect in the grid viewport's coordinates.
    void WarnMaxLengthSG(QObject* sender, QChar& key, int maxLength, const QRect& caretRect, bool& allowed);
    // BH_Main after the edit's last character, on its bottom edge: where a
    // refused key press is answered.
    void ShowBalloonAtTextEnd(QLineEdit* edit, const QString& text);
    // Ctrl+A selects the edit's text; true when the key was taken.
    bool KeyDownSelectAll(QObject* sender, QKeyEvent* event);
    // The balloon's text for a limit.
    static QString MaxLengthText(int maxLength);

    // ---- texts and layout (UF_MainTexts.cpp, UF_MainLayout.cpp) ------------
    void SetupUIT();
    void SetupHints();
    void SetupControls();
    void SetupSizes();
    void SetupPositions();
    void SetupConstraints();
    void FitToWorkArea();
    void ArrangeRight(bool resizeEdits);

    // ---- defined by the pages' files ---------------------------------------
    void ClearPage0();
    void ClearPage1();
    void ClearPage2();
    void ClearPage3();
    void EnablePage0(bool enabled);
    void EnablePage1(bool enabled);
    void EnablePage2(bool enabled);
    void EnablePage3(bool enabled);
    void LoadPage0();
    void LoadPage1();
    void LoadPage2();
    void LoadPage3();
    void UpdatePage0();
    void UpdatePage1();
    void UpdatePage2();
    void UpdatePage3(int row);
    void SavePage0();
    void SavePage1();
    void SavePage2();
    void SavePage3();
    void SetupPreview();
    void SetupSG_DSM();
    void SetupSG_DSF();
    // UF_MainProcess.cpp
    void XferData();
    void GoToCfgErr(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void BuildMenus();
    void BuildToolBar();
    void BuildPages();
    void ApplyPlacement();
    // FitToWorkArea from the frame `from`.
    void FitFrame(const QRect& from);
    // The client size the layout needs (SetupConstraints), before any cut
    // to the work area.
    QSize m_layoutMinimum;
    // Where the last fit before the real frame was known started from, and
    // the frame it gave.
    QRect m_unframedFrom, m_unframedFit;
    // CMDialogKey: Tab, Shift+Tab and Enter in the filter grid's combo boxes.
    bool CMDialogKey(QKeyEvent* event);
    // Ctrl+Tab and Ctrl+PgDn show the next page, Ctrl+Shift+Tab and
    // Ctrl+PgUp the previous one, from whatever control has the focus; true
    // when the key was taken.
    bool PageKey(QKeyEvent* event);

    bool m_closeAccepted = false;
};

// The one main form (nullptr before start-up creates it and after it is
// freed).
extern TUF_Main* UF_Main;
