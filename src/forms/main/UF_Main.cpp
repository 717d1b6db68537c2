#include "UF_Main.h"
#include "FramePlace.h"

#include "Artwork.h"
#include "BalloonHint.h"
#include "EditActions.h"
#include "FormHooks.h"
#include "FormMetrics.h"
#include "FormText.h"
#include "HelpDocs.h"
#include "StdDlg.h"
#include "UF_MainFiles.h"
#include "UF_MainFilter.h"
#include "UF_MainMap.h"
#include "UF_MainOptions.h"
#include "UF_MainProcess.h"
#include "UF_MainTexts.h"
#include "Utils.h"
#include "ZolStyle.h"
#include "zyAD.h"
#include "zyGrid.h"
#include "zyDF.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyWM.h"

#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

TUF_Main* UF_Main = nullptr;

namespace {

std::vector<QPointer<QWidget>>& modalForms()
{
    static std::vector<QPointer<QWidget>> forms;
    return forms;
}

QFrame* topLine(QWidget* parent, const QString& name)
{
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

} // namespace

TUF_Main::Hooks& TUF_Main::FormLinks()
{
    static Hooks hooks;
    return hooks;
}

void TUF_Main::RegisterModalForm(QWidget* form)
{
    UnregisterModalForm(form);
    modalForms().emplace_back(form);
}

void TUF_Main::UnregisterModalForm(QWidget* form)
{
    auto& v = modalForms();
    v.erase(std::remove_if(v.begin(), v.end(), [form](const QPointer<QWidget>& p) { return !p || p == form; }),
            v.end());
}

TUF_Main::TUF_Main(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("UF_Main"));
    FormCreate();
}

TUF_Main::~TUF_Main()
{
    // FormDestroy: nothing may hand over to a form that is going away. The
    // global objects are freed by start-up once every form has gone.
    Busy = true;
    FormHooks::SetRestoreIfIconic(nullptr);
    if (UF_Main == this)
        UF_Main = nullptr;
    ProcessCmd.reset();
    Filter.reset();
    Map.reset();
    Options.reset();
    Files.reset();
}

void TUF_Main::FormCreate()
{
    FormHooks::SplashStatus(FormText::Padded(UIT(18)));
    BusyScope busy(*this);
    ZolLook::Install();
    setWindowIcon(Artwork::ProgramIcon());

    AL_Main = new EditActions(this);
    BH_Main = new BalloonHint(this);
    BH_Main->SetHideAfter(2500);

    BuildMenus();
    BuildToolBar();

    Pnl_TS = new QWidget(this);
    Pnl_TS->setObjectName(QStringLiteral("Pnl_TS"));
    auto* ts = new QVBoxLayout(Pnl_TS);
    ts->setContentsMargins(0, 0, 0, 0);
    ts->setSpacing(0);
    Bvl_Main_T = topLine(Pnl_TS, QStringLiteral("Bvl_Main_T"));
    ts->addWidget(Bvl_Main_T);
    PC_Main = new QTabWidget(Pnl_TS);
    PC_Main->setObjectName(QStringLiteral("PC_Main"));
    PC_Main->setDocumentMode(true);
    ts->addSpacing(4);
    ts->addWidget(PC_Main, 1);
    ts->addSpacing(4);
    Pnl_Main_BBtn = new QWidget(Pnl_TS);
    Pnl_Main_BBtn->setObjectName(QStringLiteral("Pnl_Main_BBtn"));
    auto* bb = new QVBoxLayout(Pnl_Main_BBtn);
    bb->setContentsMargins(0, 0, 0, 0);
    bb->setSpacing(0);
    Bvl_Main_BBtn = topLine(Pnl_Main_BBtn, QStringLiteral("Bvl_Main_BBtn"));
    bb->addWidget(Bvl_Main_BBtn);
    auto* row = new QHBoxLayout();
    // The Process button sits 8 pixels from the right edge, centred in the
    // panel's 12 pixels of margin.
    row->setContentsMargins(0, 4, 8, 4);
    row->addStretch(1);
    BBtn_Process = new QPushButton(Pnl_Main_BBtn);
    BBtn_Process->setObjectName(QStringLiteral("BBtn_Process"));
    BBtn_Process->setIcon(QIcon::fromTheme(QStringLiteral("system-run")));
    row->addWidget(BBtn_Process);
    bb->addLayout(row);
    ts->addWidget(Pnl_Main_BBtn);
    setCentralWidget(Pnl_TS);

    BuildPages();
    // Tab order: the page tabs, the page's own controls, then Process (the
    // pages are built after it). Only a control that takes the focus can
    // be put before another.
    QWidget* last = nullptr;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus)
            last = w;
    if (last && last != BBtn_Process)
        setTabOrder(last, BBtn_Process);

    // Placement record 1 with the designed size as its default.
    if (WMs) {
        TzyWM& wm = WMs->getItems(wmMain);
        wm.SetDefaultHeight(610);
        wm.SetDefaultWidth(620);
    }
    resize(620, 610);
    // The first start fills a small screen's work area: the frame to come
    // must fit it from the first map on.
    FramePlace::Of(this).CountOnFrame();
    ApplyPlacement();
    if (WMs)
        WMs->SaveItem(wmMain);

    // The toolbar's captions count in the minimum width.
    ApplyPreferences();
    SetupUIT();
    SetupHints();
    SetupControls();
    SetupSizes();
    SetupPositions();
    // The previews' legends and the grids' columns take their sizes before
    // the minimum size is computed from what the pages need.
    SetupPreview();
    SetupSG_DSM();
    SetupSG_DSF();
    SetupConstraints();
    FitToWorkArea();

    ApplyPreferences();
    KeyboardCues = true; // access keys are always underlined (ZolStyle)

    CurrentPage = 0;
    {
        const QSignalBlocker block(PC_Main);
        PC_Main->setCurrentIndex(0);
    }
    connect(PC_Main, &QTabWidget::currentChanged, this, [this](int) { PC_MainChange(); });

    connect(BBtn_Process, &QPushButton::clicked, this, [this] { XferData(); });

    if (SDs && DF)
        ResetSD(false);
    ClearPages();
    RefreshPages();

    // Another application coming to the front takes the balloon away.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            BH_Main->HideHint();
    });
    UpdateCaption();
    qApp->installEventFilter(this);
    UF_Main = this;
    FormHooks::SetRestoreIfIconic([this] { RestoreIfIconic(); });
}

void TUF_Main::BuildMenus()
{
    auto action = [this](QMenu* menu, const char* name, const char* icon) {
        auto* a = new QAction(this);
        a->setObjectName(QString::fromLatin1(name));
        if (icon)
            a->setIcon(QIcon::fromTheme(QString::fromLatin1(icon)));
        menu->addAction(a);
        return a;
    };
    auto menu = [this](const char* name) {
        auto* m = new QMenu(this);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("_Action"));
        return m;
    };
    QMenuBar* bar = menuBar();
    MT_File = menu("MT_File");
    MI_File_Reset = action(MT_File, "MI_File_Reset", "view-refresh");
    MI_File_Reset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    MT_File->addSeparator();
    MI_File_Exit = action(MT_File, "MI_File_Exit", "application-exit");
    bar->addMenu(MT_File);

    MT_Edit = menu("MT_Edit");
    MI_Edit_Cut = AL_Main->EditCut();
    MI_Edit_Copy = AL_Main->EditCopy();
    MI_Edit_Paste = AL_Main->EditPaste();
    MI_Edit_Undo = AL_Main->EditUndo();
    MI_Edit_Cut->setObjectName(QStringLiteral("MI_Edit_Cut"));
    MI_Edit_Copy->setObjectName(QStringLiteral("MI_Edit_Copy"));
    MI_Edit_Paste->setObjectName(QStringLiteral("MI_Edit_Paste"));
    MI_Edit_Undo->setObjectName(QStringLiteral("MI_Edit_Undo"));
    MI_Edit_Cut->setIcon(QIcon::fromTheme(QStringLiteral("edit-cut")));
    MI_Edit_Copy->setIcon(QIcon::fromTheme(QStringLiteral("edit-copy")));
    MI_Edit_Paste->setIcon(QIcon::fromTheme(QStringLiteral("edit-paste")));
    MI_Edit_Undo->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo")));
    MT_Edit->addAction(MI_Edit_Cut);
    MT_Edit->addAction(MI_Edit_Copy);
    MT_Edit->addAction(MI_Edit_Paste);
    MT_Edit->addSeparator();
    MT_Edit->addAction(MI_Edit_Undo);
    bar->addMenu(MT_Edit);

    MT_Tools = menu("MT_Tools");
    MI_Tools_Options = action(MT_Tools, "MI_Tools_Options", "preferences-system");
    bar->addMenu(MT_Tools);

    // The separator is where the style puts the rest of the bar at the right.
    bar->addSeparator();
    MT_Help = menu("MT_Help");
    MI_Help_Tutorial = action(MT_Help, "MI_Help_Tutorial", "help-contents");
    MI_Help_UserManual = action(MT_Help, "MI_Help_UserManual", "help-browser");
    MI_Help_UserManual->setShortcut(QKeySequence(Qt::Key_F1));
    MT_Help->addSeparator();
    MI_Help_WhitePaper = action(MT_Help, "MI_Help_WhitePaper", "x-office-document");
    MT_Help->addSeparator();
    MI_Help_About = action(MT_Help, "MI_Help_About", "help-about");
    bar->addMenu(MT_Help);

    connect(MI_File_Reset, &QAction::triggered, this, &TUF_Main::MI_File_ResetClick);
    connect(MI_File_Exit, &QAction::triggered, this, &TUF_Main::MI_File_ExitClick);
    connect(MI_Tools_Options, &QAction::triggered, this, &TUF_Main::MI_Tools_OptionsClick);
    connect(MI_Help_Tutorial, &QAction::triggered, this, &TUF_Main::MI_Help_TutorialClick);
    connect(MI_Help_UserManual, &QAction::triggered, this, &TUF_Main::MI_Help_UserManualClick);
    connect(MI_Help_WhitePaper, &QAction::triggered, this, &TUF_Main::MI_Help_WhitePaperClick);
    connect(MI_Help_About, &QAction::triggered, this, &TUF_Main::MI_Help_AboutClick);
    // The edit commands hide the balloon first, as every menu command does.
    for (QAction* a : {MI_Edit_Cut, MI_Edit_Copy, MI_Edit_Paste, MI_Edit_Undo})
        connect(a, &QAction::triggered, this, [this] { BH_Main->HideHint(); }, Qt::DirectConnection);
}

void TUF_Main::BuildToolBar()
{
    TBar_Main = new QToolBar(this);
    TBar_Main->setObjectName(QStringLiteral("TBar_Main"));
    TBar_Main->setMovable(false);
    TBar_Main->setFloatable(false);
    TBar_Main->setIconSize(QSize(16, 16));
    TBar_Main->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, TBar_Main);
    auto button = [this](const char* name, const QIcon& icon) {
        auto* b = new QToolButton(TBar_Main);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(icon);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        TBar_Main->addWidget(b);
        return b;
    };
    // A toolbar button mirrors its action's enabled state and triggers it.
    auto linked = [&button](const char* name, QAction* a) {
        QToolButton* b = button(name, a->icon());
        b->setEnabled(a->isEnabled());
        QObject::connect(a, &QAction::changed, b, [a, b] { b->setEnabled(a->isEnabled()); });
        QObject::connect(b, &QToolButton::clicked, a, &QAction::trigger);
        return b;
    };
    TBtn_File_Reset = button("TBtn_File_Reset", MI_File_Reset->icon());
    TBar_Main->addSeparator();
    TBtn_Edit_Cut = linked("TBtn_Edit_Cut", MI_Edit_Cut);
    TBtn_Edit_Copy = linked("TBtn_Edit_Copy", MI_Edit_Copy);
    TBtn_Edit_Paste = linked("TBtn_Edit_Paste", MI_Edit_Paste);
    TBar_Main->addSeparator();
    TBtn_Edit_Undo = linked("TBtn_Edit_Undo", MI_Edit_Undo);
    TBar_Main->addSeparator();
    TBtn_ShowHints = button("TBtn_ShowHints", QIcon::fromTheme(QStringLiteral("dialog-information")));
    TBtn_ShowHints->setCheckable(true);
    connect(TBtn_File_Reset, &QToolButton::clicked, this, &TUF_Main::TBtn_File_ResetClick);
    connect(TBtn_ShowHints, &QToolButton::clicked, this, &TUF_Main::TBtn_ShowHintsClick);
}

void TUF_Main::BuildPages()
{
    auto sheet = [this](const char* name) {
        auto* w = new QWidget();
        w->setObjectName(QString::fromLatin1(name));
        PC_Main->addTab(w, QString());
        return w;
    };
    TS_SCF = sheet("TS_SCF");
    TS_SCO = sheet("TS_SCO");
    TS_DSM = sheet("TS_DSM");
    TS_DSF = sheet("TS_DSF");
    PC_Main->setTabIcon(0, QIcon::fromTheme(QStringLiteral("document-open")));
    PC_Main->setTabIcon(1, QIcon::fromTheme(QStringLiteral("preferences-system")));
    PC_Main->setTabIcon(2, QIcon::fromTheme(QStringLiteral("x-office-spreadsheet")));
    PC_Main->setTabIcon(3, QIcon::fromTheme(QStringLiteral("edit-find")));
    Files = std::make_unique<TUF_MainFiles>(*this, TS_SCF);
    Options = std::make_unique<TUF_MainOptions>(*this, TS_SCO);
    Map = std::make_unique<TUF_MainMap>(*this, TS_DSM);
    Filter = std::make_unique<TUF_MainFilter>(*this, TS_DSF);
    ProcessCmd = std::make_unique<TUF_MainProcess>(*this);
}

void TUF_Main::ApplyPlacement()
{
    if (!WMs)
        return;
    // The record holds the frame's bounds, title bar and borders included.
    FramePlace& frame = FramePlace::Of(this);
    const QSize extra = frame.Extra();
    const FormPlacement p = WMs->getItems(wmMain).ApplyToForm(size() + extra, minimumSize() + extra, true);
    if (p.bounds.isValid())
        frame.Set(p.bounds);
    if (p.maximised)
        frame.Maximise();
}

void TUF_Main::ApplyPreferences()
{
    const bool captions = UP ? UP->ShowToolBarCaptions() : true;
    TBar_Main->setToolButtonStyle(captions ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    for (QToolButton* b : {TBtn_File_Reset, TBtn_Edit_Cut, TBtn_Edit_Copy, TBtn_Edit_Paste, TBtn_Edit_Undo,
                           TBtn_ShowHints}) {
        b->setToolButtonStyle(TBar_Main->toolButtonStyle());
        b->setMinimumWidth(captions ? 86 : 0);
    }
    HintControl& hints = HintControl::Instance();
    if (UP) {
        TBtn_ShowHints->setChecked(UP->ShowHints());
        hints.SetHintPause(UP->HintPause());
        hints.SetHintHidePause(UP->HintHidePause());
        hints.SetShowHint(UP->ShowHints());
    }
}

// ---- activation, caption, close -------------------------------------------

void TUF_Main::FormActivate()
{
    BusyScope busy(*this);
    FocusPages();
    UpdateCaption();
}

void TUF_Main::FocusPages()
{
    if (PC_Main->isEnabled() && PC_Main->isVisible() && !PC_Main->hasFocus() && !PC_Main->isAncestorOf(focusWidget()))
        PC_Main->setFocus(Qt::OtherFocusReason);
}

void TUF_Main::UpdateCaption()
{
    setWindowTitle(FormText::Padded(TzyAD::ProductName()));
}

bool TUF_Main::FormCloseQuery()
{
    if (UP && UP->PromptOnExit()) {
        const QString product = TzyAD::ProductName();
        const StdDlg::Answer a = StdDlg::ShowMsg3(
            StdDlg::Question, QStringLiteral("MF001"), {Utils::Format(UIT(1038), {product})},
            Utils::Format(UIT(287), {product}), StdDlg::Button{},
            StdDlg::Button{true, Utils::Format(UIT(955), {product}), UIT(294), StdDlg::mrYes, StdDlg::glYes},
            StdDlg::Button{true, Utils::Format(UIT(956), {product}), UIT(291), StdDlg::mrNo, StdDlg::glNo});
        UP->SetPromptOnExit(!a.checked);
        UP->Save();
        if (a.modalResult == StdDlg::mrNo)
            return false;
    }
    if (WMs) {
        FormState state = FormState::Normal;
        if (isMinimized())
            state = FormState::Minimised;
        else if (isMaximized())
            state = FormState::Maximised;
        const FramePlace& frame = FramePlace::Of(this);
        WMs->getItems(wmMain).ReadFromForm(frame.NormalFrame(), state, minimumSize() + frame.Extra(), true);
        WMs->SaveItem(wmMain);
    }
    return true;
}

void TUF_Main::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    BH_Main->HideHint();
    event->accept();
    QCoreApplication::processEvents();
}

// ---- commands ---------------------------------------------------------------

void TUF_Main::MI_File_ResetClick()
{
    BH_Main->HideHint();
    ResetSD(true);
}

void TUF_Main::TBtn_File_ResetClick()
{
    FocusPages();
    ResetSD(true);
}

void TUF_Main::MI_File_ExitClick()
{
    BH_Main->HideHint();
    SavePage(CurrentPage);
    close();
}

void TUF_Main::MI_Tools_OptionsClick()
{
    BH_Main->HideHint();
    if (!FormLinks().ShowOptions)
        return;
    if (FormLinks().ShowOptions() != 1)
        return;
    {
        const bool showHint = HintControl::Instance().ShowHint();
        ApplyPreferences();
        // The Options dialog does not switch hints on or off.
        HintControl::Instance().SetShowHint(showHint);
        if (UP)
            TBtn_ShowHints->setChecked(UP->ShowHints());
        // Captions on or off change what the toolbar needs.
        SetupConstraints();
        FitToWorkArea();
    }
    if (SDs)
        for (int i = 1; i <= SDs->Count(); ++i)
            SDs->getItems(i).ResetFL();
    UpdatePage(CurrentPage);
}

void TUF_Main::MI_Help_TutorialClick()
{
    BH_Main->HideHint();
    OpenTutorial();
}

void TUF_Main::MI_Help_UserManualClick()
{
    BH_Main->HideHint();
    OpenUserManual();
}

void TUF_Main::MI_Help_WhitePaperClick()
{
    BH_Main->HideHint();
    OpenWhitePaper();
}

void TUF_Main::MI_Help_AboutClick()
{
    BH_Main->HideHint();
    BusyScope busy(*this);
    if (FormLinks().ShowAbout)
        FormLinks().ShowAbout();
    UpdateCaption();
}

void TUF_Main::TBtn_ShowHintsClick()
{
    if (!UP)
        return;
    UP->SetShowHints(TBtn_ShowHints->isChecked());
    UP->Save();
    HintControl::Instance().SetShowHint(UP->ShowHints());
}

void TUF_Main::OpenTutorial()
{
    if (!HelpDocs::Open(HelpDocs::Tutorial, this))
        FocusPages();
}

void TUF_Main::OpenUserManual()
{
    if (!HelpDocs::Open(HelpDocs::UserManual, this))
        FocusPages();
}

void TUF_Main::OpenWhitePaper()
{
    if (!HelpDocs::Open(HelpDocs::WhitePaper, this))
        FocusPages();
}

// ---- the second instance ----------------------------------------------------

int TUF_Main::WMCopyData()
{
    if (ActivateModalForm() || Busy)
        return 313;
    RestoreIfIconic();
    if (isHidden())
        show();
    raise();
    activateWindow();
    FocusPages();
    return 121543;
}

bool TUF_Main::ActivateModalForm()
{
    QWidget* active = QApplication::activeModalWidget();
    if (!active)
        active = QApplication::activeWindow();
    if (!active || active == this)
        return false;
    for (const QPointer<QWidget>& form : modalForms()) {
        if (form && form == active) {
            RestoreIfIconic();
            form->raise();
            form->activateWindow();
            return true;
        }
    }
    // A modal box of its own (the standard dialog's nested boxes, a file
    // dialog) counts too: the main form cannot take the hand-over then.
    if (QApplication::activeModalWidget()) {
        RestoreIfIconic();
        active->raise();
        active->activateWindow();
        return true;
    }
    return false;
}

void TUF_Main::RestoreIfIconic()
{
    if (!isMinimized())
        return;
    raise();
    activateWindow();
    showNormal();
    if (WMs && WMs->getItems(wmMain).WasMaximised())
        showMaximized();
    // The window system may take a moment; wait for it, but not for ever (a
    // window manager that refuses the restore must not hang the program).
    QDeadlineTimer deadline(kRestoreWaitMs);
    while (isMinimized() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

// ---- window events ------------------------------------------------------------

void TUF_Main::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        auto* e = static_cast<QWindowStateChangeEvent*>(event);
        // Minimising remembers whether the form was maximised, so it comes
        // back the way it was.
        if (isMinimized() && !(e->oldState() & Qt::WindowMinimized) && WMs)
            WMs->getItems(wmMain).SetWasMaximised(bool(e->oldState() & Qt::WindowMaximized));
        // Restored, the form goes back where it stood before it was
        // maximised, whatever the window manager kept of it.
        if ((e->oldState() & Qt::WindowMaximized) && !isMaximized() && !isMinimized())
            FramePlace::Of(this).RestoreNormal();
    } else if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            FormActivate();
        else
            BH_Main->HideHint();
    }
    QMainWindow::changeEvent(event);
}

void TUF_Main::moveEvent(QMoveEvent* event)
{
    BH_Main->HideHint();
    QMainWindow::moveEvent(event);
}

void TUF_Main::resizeEvent(QResizeEvent* event)
{
    BH_Main->HideHint();
    QMainWindow::resizeEvent(event);
    ArrangeRight(true);
}

bool TUF_Main::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate)
        BH_Main->HideHint();
    return QMainWindow::event(event);
}

bool TUF_Main::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget()) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this
            && (PageKey(static_cast<QKeyEvent*>(event)) || CMDialogKey(static_cast<QKeyEvent*>(event))))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TUF_Main::CMDialogKey(QKeyEvent* event)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return false;
    // The combo box or its line edit.
    QWidget* control = focus;
    while (control && control->objectName() != QLatin1String("DDL_DSF_AndFlag")
           && control->objectName() != QLatin1String("DDL_DSF_FilterOperator") && control != this)
        control = control->parentWidget();
    if (!control || control == this)
        return false;
    const int key = event->key();
    const bool isTab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool isEnter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((!isTab && !isEnter) || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const bool forward = key != Qt::Key_Backtab && !(event->modifiers() & Qt::ShiftModifier);
    auto* grid = findChild<TzyGrid*>(QStringLiteral("SG_DSF"));
    if (!grid)
        return false;
    if (isEnter && !grid->MoveOnReturn())
        return false;
    if (grid->isEnabled()) {
        grid->setFocus(Qt::TabFocusReason);
        if (forward)
            grid->MoveNext();
        else
            grid->MovePrev();
    }
    return true;
}

bool TUF_Main::PageKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Tab:
        step = mods == ctrl ? 1 : mods == ctrlShift ? -1 : 0;
        break;
    case Qt::Key_Backtab:
        step = mods == ctrl || mods == ctrlShift ? -1 : 0;
        break;
    case Qt::Key_PageDown:
        step = mods == ctrl ? 1 : 0;
        break;
    case Qt::Key_PageUp:
        step = mods == ctrl ? -1 : 0;
        break;
    default:
        break;
    }
    const int count = PC_Main->count();
    if (step == 0 || !PC_Main->isEnabled() || count < 2)
        return false;
    PC_Main->setCurrentIndex((PC_Main->currentIndex() + step + count) % count);
    return true;
}

