// The main form's frame and page protocol: close prompt, commands, the
// second instance's answers, placement, the page switch, reset, the editing
// aids (maximum-length balloon, Ctrl+A, indicators) and the dialog keys of
// the filter grid's combo boxes.
#include "BalloonHint.h"
#include "FieldIndicator.h"
#include "FormsTestKit.h"
#include "StandInOpener.h"
#include "X11Keys.h"
#include "UF_Main.h"
#include "ZolStyle.h"
#include "zyGrid.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QHelpEvent>
#include <QStyle>
#include <QtTest>

namespace {

// Runs a function on every key press of one object; true swallows it.
class KeyFilter : public QObject {
public:
    using Fn = std::function<bool(QObject*, QKeyEvent*)>;
    KeyFilter(QObject* target, Fn fn) : QObject(target), m_fn(std::move(fn)) { target->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            return m_fn(watched, static_cast<QKeyEvent*>(event));
        return false;
    }

private:
    Fn m_fn;
};

// An edit on page 0 wired the way the page wires its edits.
QLineEdit* pageEdit(TUF_Main& form, int maxLength)
{
    auto* edit = new QLineEdit(form.TS_SCF);
    edit->setObjectName(QStringLiteral("TB_SCF_DSF_TaskWS"));
    edit->setMaxLength(maxLength);
    edit->setGeometry(10, 10, 400, 24);
    edit->show();
    new KeyFilter(edit, [&form, maxLength](QObject* o, QKeyEvent* e) {
        return form.KeyDownSelectAll(o, e) || form.WarnMaxLengthKey(o, e, maxLength);
    });
    return edit;
}

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { formskit::FixLook(); }

    void createsWithOneDefinitionOnPageZero()
    {
        formskit::Globals g;
        TUF_Main form;
        QCOMPARE(UF_Main, &form);
        QCOMPARE(form.CurrentPage, 0);
        QCOMPARE(form.PC_Main->currentIndex(), 0);
        QCOMPARE(SDs->Count(), 1);
        QVERIFY(form.BBtn_Process->isEnabled());
        QVERIFY(!form.Busy);
        QCOMPARE(form.PageEnabled, (std::array<bool, 4>{true, true, true, true}));
        QCOMPARE(form.windowTitle(), QStringLiteral(" Tarvo ZOL Lumo "));
    }

    // ---- closing ----

    void closePrompt_data()
    {
        QTest::addColumn<bool>("promptOnExit");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("promptAfter");
        QTest::newRow("no prompt") << false << 0 << false << true << false;
        QTest::newRow("yes") << true << int(StdDlg::mrYes) << false << true << true;
        QTest::newRow("no") << true << int(StdDlg::mrNo) << false << false << true;
        QTest::newRow("no, ticked") << true << int(StdDlg::mrNo) << true << false << false;
        QTest::newRow("yes, ticked") << true << int(StdDlg::mrYes) << true << true << false;
    }
    void closePrompt()
    {
        QFETCH(bool, promptOnExit);
        QFETCH(int, answer);
        QFETCH(bool, ticked);
        QFETCH(bool, closes);
        QFETCH(bool, promptAfter);
        formskit::Globals g;
        UP->SetPromptOnExit(promptOnExit);
        formskit::Prompter prompter;
        prompter.answer = {answer, ticked};
        TUF_Main form;
        form.show();
        form.setGeometry(40, 50, 700, 650);
        const QRect frame = form.frameGeometry(); // what the record holds
        QCOMPARE(form.close(), closes);
        QCOMPARE(UP->PromptOnExit(), promptAfter);
        QCOMPARE(int(prompter.requests.size()), promptOnExit ? 1 : 0);
        if (promptOnExit) {
            const StdDlg::Request& r = prompter.requests[0];
            QCOMPARE(r.msgId, QStringLiteral("MF001"));
            QCOMPARE(r.level, int(StdDlg::Question));
            QCOMPARE(r.lines, QStringList{"Do you wish to exit Tarvo ZOL Lumo?"});
            QCOMPARE(r.checkCaption, QStringLiteral("E&xit Tarvo ZOL Lumo without prompting."));
            QVERIFY(!r.buttons[0].visible);
            QCOMPARE(r.buttons[1].modalResult, int(StdDlg::mrYes));
            QCOMPARE(r.buttons[1].hint, QStringLiteral("Exit Tarvo ZOL Lumo."));
            QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrNo));
            QCOMPARE(r.buttons[2].hint, QStringLiteral("Do not exit Tarvo ZOL Lumo."));
        }
        // The placement is written only when the form closes.
        const TzyWM& wm = WMs->getItems(wmMain);
        if (closes)
            QCOMPARE(QRect(wm.Left(), wm.Top(), wm.Width(), wm.Height()), frame);
    }

    void exitCommandSavesThePageFirst()
    {
        formskit::Globals g;
        UP->SetPromptOnExit(false);
        TUF_Main form;
        form.show();
        form.GoToPage(2);
        QStringList seen;
        form.ProtocolTrace = [&](const char* r, int p) { seen << QStringLiteral("%1 %2").arg(r).arg(p); };
        form.MI_File_Exit->trigger();
        QCOMPARE(seen, QStringList{"save 2"});
        QVERIFY(!form.isVisible());
    }

    // ---- the page protocol ----

    void pageSwitchSavesThenLoads()
    {
        formskit::Globals g;
        TUF_Main form;
        QStringList seen;
        form.ProtocolTrace = [&](const char* r, int p) { seen << QStringLiteral("%1 %2").arg(r).arg(p); };
        form.PC_Main->setCurrentIndex(1); // as a click on the tab does
        QCOMPARE(seen, QStringList({"save 0", "load 1", "update 1"}));
        QCOMPARE(form.CurrentPage, 1);
        seen.clear();
        form.GoToPage(3);
        QCOMPARE(seen, QStringList({"save 1", "load 3", "update 3"}));
        QCOMPARE(form.PC_Main->currentIndex(), 3);
        QCOMPARE(form.CurrentPage, 3);
    }

    // Ctrl+Tab and Ctrl+PgDn show the next page, Ctrl+Shift+Tab and
    // Ctrl+PgUp the previous one, round the four, whichever control has the
    // focus: an edit, the date picker, a grid, the tabs.
    void pageKeys_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("shown");
        const QString edit = QStringLiteral("TB_SCF_DSF_DrivePathFilenameExtn");
        const QString date = QStringLiteral("DTP_SCO_CutOffDate");
        QTest::newRow("edit, Ctrl+PgDn") << 0 << edit << "Ctrl+PgDn" << 1;
        QTest::newRow("edit, Ctrl+PgUp") << 0 << edit << "Ctrl+PgUp" << 3;
        QTest::newRow("edit, Ctrl+Tab") << 0 << edit << "Ctrl+Tab" << 1;
        QTest::newRow("date, Ctrl+Tab") << 1 << date << "Ctrl+Tab" << 2;
        QTest::newRow("date, Ctrl+Shift+Tab") << 1 << date << "Ctrl+Shift+Tab" << 0;
        QTest::newRow("date, Ctrl+PgDn") << 1 << date << "Ctrl+PgDn" << 2;
        QTest::newRow("date, Ctrl+PgUp") << 1 << date << "Ctrl+PgUp" << 0;
        QTest::newRow("map grid, Ctrl+PgDn") << 2 << "SG_DSM" << "Ctrl+PgDn" << 3;
        QTest::newRow("map grid, Ctrl+PgUp") << 2 << "SG_DSM" << "Ctrl+PgUp" << 1;
        QTest::newRow("filter grid, Ctrl+PgDn") << 3 << "SG_DSF" << "Ctrl+PgDn" << 0;
        QTest::newRow("filter grid, Ctrl+Tab twice") << 3 << "SG_DSF" << "Ctrl+Tab Ctrl+Tab" << 1;
        QTest::newRow("tabs, Ctrl+PgDn") << 2 << "" << "Ctrl+PgDn" << 3;
    }
    void pageKeys()
    {
        QFETCH(int, page);
        QFETCH(QString, control);
        QFETCH(QString, keys);
        QFETCH(int, shown);
        formskit::Globals g;
        TUF_Main form;
        // The date picker and the filter grid take the focus only in use.
        SDs->getItems(SDs->ActiveSD()).SCO.SetGenerateACT(true);
        SDs->getItems(SDs->ActiveSD()).DSF.SetEnabled(true);
        form.EnablePages(true);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.GoToPage(page);
        QWidget* w = control.isEmpty() ? form.PC_Main->tabBar() : form.findChild<QWidget*>(control);
        QVERIFY(w && w->isEnabled());
        w->setFocus();
        QTRY_VERIFY(w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()));
        x11keys::play(keys);
        QCOMPARE(form.PC_Main->currentIndex(), shown);
        QCOMPARE(form.CurrentPage, shown);
    }

    // Coming back to the options page, the focus is on its first control,
    // not in the date picker it left.
    void backOnAPageTheFocusIsOnItsFirstControl()
    {
        formskit::Globals g;
        TUF_Main form;
        SDs->getItems(SDs->ActiveSD()).SCO.SetGenerateACT(true);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.GoToPage(1);
        QWidget* date = form.findChild<QWidget*>(QStringLiteral("DTP_SCO_CutOffDate"));
        date->setFocus();
        QTRY_VERIFY(date->hasFocus() || date->isAncestorOf(QApplication::focusWidget()));
        x11keys::play(QStringLiteral("Ctrl+Tab"));
        QCOMPARE(form.CurrentPage, 2);
        x11keys::play(QStringLiteral("Ctrl+Shift+Tab"));
        QCOMPARE(form.CurrentPage, 1);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CB_SCO_GenerateBL"));
    }

    // Tab from the page tabs walks the page's own controls first; Process
    // comes after the last of them.
    void tabOrderPutsProcessAfterThePage()
    {
        formskit::Globals g;
        TUF_Main form;
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.PC_Main->tabBar()->setFocus();
        QTRY_VERIFY(form.PC_Main->tabBar()->hasFocus());
        QStringList walked;
        for (int i = 0; i < 60 && QApplication::focusWidget() != form.BBtn_Process; ++i) {
            x11keys::play(QStringLiteral("Tab"));
            walked << QApplication::focusWidget()->objectName();
        }
        QVERIFY2(!walked.isEmpty(), "Tab moved nowhere");
        QCOMPARE(walked.first(), QStringLiteral("TB_SCF_DSF_DrivePathFilenameExtn"));
        QCOMPARE(walked.last(), QStringLiteral("BBtn_Process"));
        QVERIFY2(walked.contains(QStringLiteral("TB_PD_ProjectClient")), qPrintable(walked.join(' ')));
    }

    void resetAskedFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("declined") << int(StdDlg::mrNo) << QStringList{"save 2"};
        // The current page is reloaded, not page 0.
        QTest::newRow("accepted") << int(StdDlg::mrYes)
                                  << QStringList{"save 2", "clear -1", "enable -1", "load 2", "update 2"};
    }
    void resetAskedFirst()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, expected);
        formskit::Globals g;
        formskit::Prompter prompter;
        prompter.answer = {answer, false};
        TUF_Main form;
        form.GoToPage(2);
        QStringList seen;
        form.ProtocolTrace = [&](const char* r, int p) { seen << QStringLiteral("%1 %2").arg(r).arg(p); };
        form.MI_File_Reset->trigger();
        QCOMPARE(int(prompter.requests.size()), 1);
        QCOMPARE(prompter.requests[0].msgId, QStringLiteral("DF001"));
        QCOMPARE(seen, expected);
        QCOMPARE(form.CurrentPage, 2);
    }

    void processButtonFollowsTheDefinitions()
    {
        formskit::Globals g;
        TUF_Main form;
        QVERIFY(form.BBtn_Process->isEnabled());
        SDs->Clear();
        form.RefreshPages();
        QVERIFY(!form.BBtn_Process->isEnabled());
        QCOMPARE(form.PageEnabled, (std::array<bool, 4>{false, false, false, false}));
    }

    // ---- editing aids ----

    void indicatorRedrawsOnlyOnChange()
    {
        formskit::Globals g;
        TUF_Main form;
        auto* img = new FieldIndicator(form.TS_SCF, QStringLiteral("Img_Test"));
        QCOMPARE(img->Tag(), FieldIndicator::NotSet);
        QCOMPARE(img->size(), QSize(22, 21));
        form.SetImgState(img, QStringLiteral("First."), true);
        QCOMPARE(img->Tag(), FieldIndicator::WarningShown);
        QCOMPARE(img->toolTip(), QStringLiteral("First."));
        form.SetImgState(img, QStringLiteral("Second."), true);
        QCOMPARE(img->DrawCount(), 1);
        QCOMPARE(img->toolTip(), QStringLiteral("Second."));
        form.SetImgState(img, QStringLiteral("ignored"), false);
        QCOMPARE(img->Tag(), FieldIndicator::NoWarningShown);
        QCOMPARE(img->DrawCount(), 2);
        QVERIFY(img->toolTip().isEmpty());
        form.SetImgState(img, QString(), false);
        QCOMPARE(img->DrawCount(), 2);
        // The two pictures differ.
        const QImage ok = img->pixmap().toImage();
        form.SetImgState(img, QStringLiteral("x"), true);
        QVERIFY(img->pixmap().toImage() != ok);
        // Anything else is left alone.
        QLabel other;
        form.SetImgState(&other, QStringLiteral("x"), true);
        QVERIFY(other.toolTip().isEmpty());
    }

    void maxLengthBalloon_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("letter") << int(Qt::Key_X) << "x" << true;
        QTest::newRow("blank") << int(Qt::Key_Space) << " " << true;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << false;
        QTest::newRow("tab") << int(Qt::Key_Tab) << "\t" << false;
        QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << false;
        QTest::newRow("esc") << int(Qt::Key_Escape) << "\x1b" << false;
        QTest::newRow("left") << int(Qt::Key_Left) << "" << false;
    }
    void maxLengthBalloon()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        formskit::Globals g;
        TUF_Main form;
        form.show();
        form.GoToPage(0);
        QLineEdit* edit = pageEdit(form, 31);
        edit->setText(QString(31, QLatin1Char('w')));
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        const bool swallowed = form.WarnMaxLengthKey(edit, &press, 31);
        QCOMPARE(swallowed, refused);
        QCOMPARE(form.BH_Main->IsShown(), refused);
        if (!refused)
            return;
        QCOMPARE(form.BH_Main->Description(), QStringLiteral("The maximum length for this Field is 31 characters."));
        // Under the end of the text, on the edit's bottom edge.
        const QPoint tip = form.BH_Main->TipPoint();
        QCOMPARE(tip.y(), edit->mapToGlobal(QPoint(0, edit->height())).y());
        QVERIFY(tip.x() > edit->mapToGlobal(QPoint(0, 0)).x() + edit->fontMetrics().horizontalAdvance(QString(25, QLatin1Char('w'))));
        QVERIFY(tip.x() <= edit->mapToGlobal(QPoint(edit->width(), 0)).x());
    }

    void balloonHidesAfterItsTimeOrAtTheNextKey()
    {
        formskit::Globals g;
        TUF_Main form;
        form.show();
        QLineEdit* edit = pageEdit(form, 5);
        edit->setText(QStringLiteral("abcde"));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Z);
        QCOMPARE(edit->text(), QStringLiteral("abcde"));
        QVERIFY(form.BH_Main->IsShown());
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(!form.BH_Main->IsShown());
        QCOMPARE(edit->text(), QStringLiteral("abcd"));
        QTest::keyClick(edit, Qt::Key_E);
        QTest::keyClick(edit, Qt::Key_F);
        QVERIFY(form.BH_Main->IsShown());
        QElapsedTimer t;
        t.start();
        QTRY_VERIFY_WITH_TIMEOUT(!form.BH_Main->IsShown(), 5000);
        QVERIFY(t.elapsed() >= 2400);
        // A click hides it too.
        QTest::keyClick(edit, Qt::Key_G);
        QVERIFY(form.BH_Main->IsShown());
        QTest::mouseClick(edit, Qt::LeftButton);
        QVERIFY(!form.BH_Main->IsShown());
    }

    void readOnlyOrShortEditNeverWarns()
    {
        formskit::Globals g;
        TUF_Main form;
        QLineEdit* edit = pageEdit(form, 5);
        edit->setText(QStringLiteral("abcde"));
        edit->setReadOnly(true);
        QChar key = QLatin1Char('x');
        QVERIFY(!form.WarnMaxLengthTB(edit, key, 5));
        QCOMPARE(key, QLatin1Char('x'));
        edit->setReadOnly(false);
        edit->setText(QStringLiteral("abcd"));
        QVERIFY(!form.WarnMaxLengthTB(edit, key, 5));
        QVERIFY(!form.BH_Main->IsShown());
        // Typing over a selection at the limit is refused as well.
        edit->setText(QStringLiteral("abcde"));
        edit->selectAll();
        QVERIFY(form.WarnMaxLengthTB(edit, key, 5));
        QCOMPARE(key, QChar());
    }

    void gridCellAtItsLimitRefusesTheKey()
    {
        formskit::Globals g;
        TUF_Main form;
        form.show();
        auto* grid = new TzyGrid(form.TS_DSM);
        grid->setColCount(3);
        grid->setRowCount(9);
        grid->setGeometry(0, 0, 300, 200);
        grid->MoveToCell(1, 2);
        grid->setCells(1, 2, QStringLiteral("1234"));
        QChar key = QLatin1Char('5');
        bool allowed = true;
        form.WarnMaxLengthSG(grid, key, 4, QRect(20, 30, 2, 16), allowed);
        QVERIFY(!allowed);
        QCOMPARE(key, QChar());
        QVERIFY(form.BH_Main->IsShown());
        QCOMPARE(form.BH_Main->TipPoint(), grid->viewport()->mapToGlobal(QPoint(20, 46)));
        form.BH_Main->HideHint();
        grid->setCellReadOnly(1, 2, true);
        key = QLatin1Char('5');
        allowed = true;
        form.WarnMaxLengthSG(grid, key, 4, QRect(20, 30, 2, 16), allowed);
        QVERIFY(allowed);
        QVERIFY(!form.BH_Main->IsShown());
    }

    void ctrlASelectsAll()
    {
        formskit::Globals g;
        TUF_Main form;
        form.show();
        QLineEdit* edit = pageEdit(form, 31);
        edit->setText(QStringLiteral("Tasks"));
        edit->setCursorPosition(2);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(edit->selectedText(), QStringLiteral("Tasks"));
        QCOMPARE(edit->text(), QStringLiteral("Tasks"));
    }

    // ---- the filter grid's combo boxes ----

    void dialogKeysMoveInTheFilterGrid_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("moveOnReturn");
        QTest::addColumn<int>("expectedCol");
        QTest::newRow("tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << false << 3;
        QTest::newRow("shift+tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << false << 1;
        QTest::newRow("enter, moving") << int(Qt::Key_Return) << int(Qt::NoModifier) << true << 3;
        QTest::newRow("enter, staying") << int(Qt::Key_Return) << int(Qt::NoModifier) << false << 2;
    }
    void dialogKeysMoveInTheFilterGrid()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, moveOnReturn);
        QFETCH(int, expectedCol);
        formskit::Globals g;
        TUF_Main form;
        form.show();
        form.GoToPage(3);
        auto* grid = new TzyGrid(form.TS_DSF);
        grid->setObjectName(QStringLiteral("SG_DSF"));
        grid->setColCount(6);
        grid->setRowCount(5);
        grid->setGeometry(0, 0, 400, 200);
        grid->setMoveOnReturn(moveOnReturn);
        grid->setMoveDown(false);
        grid->setMoveWrap(mwColsRows);
        grid->show();
        grid->MoveToCell(2, 1);
        auto* combo = new QComboBox(form.TS_DSF);
        combo->setObjectName(QStringLiteral("DDL_DSF_AndFlag"));
        combo->addItems({"a", "b"});
        combo->show();
        combo->setFocus();
        QApplication::setActiveWindow(&form);
        QTRY_VERIFY(combo->hasFocus());
        QTest::keyClick(combo, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(grid->Col(), expectedCol);
        QCOMPARE(grid->hasFocus(), expectedCol != 2);
    }

    // ---- a second instance ----

    void secondInstanceAnswers()
    {
        formskit::Globals g;
        TUF_Main form;
        form.show();
        QCOMPARE(form.WMCopyData(), 121543);
        form.Busy = true;
        QCOMPARE(form.WMCopyData(), 313);
        form.Busy = false;
        // A modal form is up (the About box, say).
        QDialog about;
        TUF_Main::RegisterModalForm(&about);
        about.setModal(true);
        about.show();
        QTRY_VERIFY(QApplication::activeModalWidget() == &about);
        QCOMPARE(form.WMCopyData(), 313);
        about.hide();
        TUF_Main::UnregisterModalForm(&about);
        QCOMPARE(form.WMCopyData(), 121543);
    }

    void minimisedFormIsRestoredWithinBounds()
    {
        formskit::Globals g;
        TUF_Main form;
        form.showMaximized();
        form.showMinimized();
        QVERIFY(form.isMinimized());
        // Minimising the maximised form remembers it was maximised.
        QVERIFY(WMs->getItems(wmMain).WasMaximised());
        QElapsedTimer t;
        t.start();
        QCOMPARE(form.WMCopyData(), 121543);
        QVERIFY(!form.isMinimized());
        QVERIFY(form.isMaximized());
        QVERIFY(t.elapsed() < TUF_Main::kRestoreWaitMs + 1000);
    }

    // ---- commands ----

    void helpDocuments_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("msgId");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("hint");
        QTest::newRow("tutorial") << 0 << "MF013" << "Unable to find the following Tarvo ZOL Lumo Tutorial File."
                                  << "Close Dialogue.";
        QTest::newRow("user manual") << 1 << "MF012"
                                     << "Unable to find the following Tarvo ZOL Lumo User Manual File."
                                     << "Close Dialogue.";
        QTest::newRow("white paper") << 2 << "MF011" << "Unable to find the following White Paper PDF File."
                                     << "Close Dialogue.";
    }
    void helpDocuments()
    {
        QFETCH(int, which);
        QFETCH(QString, msgId);
        QFETCH(QString, firstLine);
        formskit::Globals g;
        formskit::Prompter prompter;
        prompter.answer = {StdDlg::mrClose, false};
        formskit::Shell shell;
        TUF_Main form;
        QTemporaryDir dir;
        QString* file = which == 0 ? &AD->TutorialFile : which == 1 ? &AD->UserManualFile : &AD->WhitePaperFile;
        *file = dir.filePath(QStringLiteral("missing.pdf"));
        QAction* item = which == 0 ? form.MI_Help_Tutorial : which == 1 ? form.MI_Help_UserManual : form.MI_Help_WhitePaper;
        item->trigger();
        QVERIFY(shell.opened.isEmpty());
        const auto missing = std::find_if(prompter.requests.begin(), prompter.requests.end(),
                                          [&](const StdDlg::Request& r) { return r.msgId == msgId; });
        QVERIFY(missing != prompter.requests.end());
        QCOMPARE(missing->level, int(StdDlg::Warning));
        QCOMPARE(missing->lines.value(0), firstLine);
        QCOMPARE(missing->lines.value(2), *file);
        QCOMPARE(missing->lines.value(4), QStringLiteral("It may have been deleted, moved, renamed, or is no longer accessible."));
        QCOMPARE(missing->lines.value(6), QStringLiteral("Please re-install Tarvo ZOL Lumo to resolve this issue."));
        // Once it is there, the shell opens it.
        QFile f(*file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        prompter.requests.clear();
        item->trigger();
        QCOMPARE(shell.opened, QStringList{*file});
        QVERIFY(prompter.requests.empty());
    }

    // The desktop's opener is never waited for: while a stand-in xdg-open
    // takes its time and then fails, a click on a tab takes effect at once;
    // the failure is reported when the opener ends, the document named.
    void slowFailingOpenerLeavesTheWindowAnswering()
    {
        formskit::Globals g;
        formskit::Prompter prompter;
        prompter.answer = {StdDlg::mrClose, false};
        QTemporaryDir dir;
        AD->TutorialFile = dir.filePath(QStringLiteral("Tutorial.pdf"));
        QFile doc(AD->TutorialFile);
        QVERIFY(doc.open(QIODevice::WriteOnly));
        doc.close();
        StandInOpener opener(QStringLiteral("sleep 1.5\n: > \"${0%/*}/ended\"\nexit 4"));
        QVERIFY(opener.isValid());
        const QString ended = opener.filePath(QStringLiteral("ended"));
        TUF_Main form; // the desktop's own shell
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QElapsedTimer clock;
        clock.start();
        form.MI_Help_Tutorial->trigger();
        const qint64 helpMs = clock.elapsed();
        QTabBar* tabs = form.PC_Main->tabBar();
        const QPointF at = tabs->tabRect(1).center();
        for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(tabs, new QMouseEvent(t, at, tabs->mapToGlobal(at), Qt::LeftButton,
                                                              t == QEvent::MouseButtonPress ? Qt::LeftButton
                                                                                            : Qt::NoButton,
                                                              Qt::NoModifier));
        clock.restart();
        QTRY_COMPARE(form.CurrentPage, 1);
        const QString timing = QStringLiteral("Help took %1 ms, the click %2 ms").arg(helpMs).arg(clock.elapsed());
        QVERIFY2(!QFile::exists(ended), qPrintable(timing + QStringLiteral(": the opener had ended")));
        QVERIFY2(prompter.requests.empty(), qPrintable(timing));
        qInfo().noquote() << timing;

        QTRY_VERIFY_WITH_TIMEOUT(!prompter.requests.empty(), 30000);
        QVERIFY(QFile::exists(ended));
        QCOMPARE(prompter.requests.size(), size_t(1));
        const StdDlg::Request& r = prompter.requests.front();
        QCOMPARE(r.msgId, QStringLiteral("MF013"));
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines.value(0), QStringLiteral("Unable to open the following Tutorial."));
        QCOMPARE(r.lines.value(2), AD->TutorialFile);
        QCOMPARE(r.lines.value(4), QStringLiteral("The program for this kind of file could not open it."));
        QCOMPARE(form.CurrentPage, 1);
    }

    void shortcutKeysRunTheirCommands()
    {
        formskit::Globals g;
        formskit::Prompter prompter;
        prompter.answer = {StdDlg::mrNo, false};
        formskit::Shell shell;
        TUF_Main form;
        AD->UserManualFile = QStringLiteral("/nonexistent/manual.pdf");
        form.show();
        QApplication::setActiveWindow(&form);
        QTRY_VERIFY(form.isActiveWindow());
        QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
        QTest::keyClick(&form, Qt::Key_F1);
        QStringList ids;
        for (const StdDlg::Request& r : prompter.requests)
            ids << r.msgId;
        QVERIFY2(ids.contains(QStringLiteral("DF001")), qPrintable(ids.join(',')));
        QVERIFY2(ids.contains(QStringLiteral("MF012")), qPrintable(ids.join(',')));
    }

    void hintSettingsFollowThePreferences()
    {
        formskit::Globals g;
        UP->SetHintPause(1200);
        UP->SetHintHidePause(4000);
        TUF_Main form;
        QCOMPARE(form.style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 1200);
        QCOMPARE(HintControl::Instance().HintHidePause(), 4000);
        QCOMPARE(form.style()->styleHint(QStyle::SH_UnderlineShortcut), 1);
        // With hints off, a control's tooltip event is swallowed.
        form.TBtn_ShowHints->click();
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), form.BBtn_Process->mapToGlobal(QPoint(2, 2)));
        QVERIFY(HintControl::Instance().eventFilter(form.BBtn_Process, &tip));
        form.TBtn_ShowHints->click();
    }

    void optionsDialogOutcome_data()
    {
        QTest::addColumn<int>("result");
        QTest::newRow("ok") << 1;
        QTest::newRow("cancel") << 2;
    }
    void optionsDialogOutcome()
    {
        QFETCH(int, result);
        formskit::Globals g;
        TUF_Main form;
        QVERIFY(form.TBar_Main->toolButtonStyle() == Qt::ToolButtonTextBesideIcon);
        QStringList seen;
        form.ProtocolTrace = [&](const char* r, int p) { seen << QStringLiteral("%1 %2").arg(r).arg(p); };
        SDs->getItems(1).setFL_Count(2);
        TUF_Main::FormLinks().ShowOptions = [result] {
            UP->SetShowToolBarCaptions(false);
            UP->SetShowHints(false);
            return result;
        };
        form.MI_Tools_Options->trigger();
        TUF_Main::FormLinks().ShowOptions = nullptr;
        if (result == 1) {
            QCOMPARE(form.TBar_Main->toolButtonStyle(), Qt::ToolButtonIconOnly);
            QCOMPARE(SDs->getItems(1).getFL_Count(), 0);
            QCOMPARE(seen, QStringList{"update 0"});
        } else {
            QCOMPARE(form.TBar_Main->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
            QCOMPARE(SDs->getItems(1).getFL_Count(), 2);
            QVERIFY(seen.isEmpty());
        }
        // Hints are switched only by their own button.
        QVERIFY(HintControl::Instance().ShowHint());
    }

    void showHintsButtonSwitchesHints()
    {
        formskit::Globals g;
        TUF_Main form;
        QVERIFY(form.TBtn_ShowHints->isChecked());
        form.TBtn_ShowHints->click();
        QVERIFY(!UP->ShowHints());
        QVERIFY(!HintControl::Instance().ShowHint());
        form.TBtn_ShowHints->click();
        QVERIFY(UP->ShowHints());
        QVERIFY(HintControl::Instance().ShowHint());
    }

    void aboutIsBusyWhileShown()
    {
        formskit::Globals g;
        TUF_Main form;
        bool busyInside = false;
        TUF_Main::FormLinks().ShowAbout = [&] { busyInside = form.Busy; };
        form.MI_Help_About->trigger();
        TUF_Main::FormLinks().ShowAbout = nullptr;
        QVERIFY(busyInside);
        QVERIFY(!form.Busy);
    }

    void workbookReadDisablesTheFormUntilItEnds()
    {
        formskit::Globals g;
        TUF_Main form;
        try {
            TUF_Main::WorkbookReadScope scope(form);
            QVERIFY(form.Busy);
            QVERIFY(!form.isEnabled());
            throw std::runtime_error("read failed");
        } catch (const std::exception&) {
        }
        QVERIFY(!form.Busy);
        QVERIFY(form.isEnabled());
    }

    void editActionsFollowTheFocusedEdit()
    {
        formskit::Globals g;
        TUF_Main form;
        form.show();
        QApplication::setActiveWindow(&form);
        QLineEdit* edit = pageEdit(form, 31);
        edit->setText(QStringLiteral("abc"));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QVERIFY(!form.MI_Edit_Cut->isEnabled());
        edit->selectAll();
        QVERIFY(form.MI_Edit_Cut->isEnabled());
        QVERIFY(form.TBtn_Edit_Cut->isEnabled());
        form.MI_Edit_Cut->trigger();
        QCOMPARE(edit->text(), QString());
        QVERIFY(form.MI_Edit_Undo->isEnabled());
        form.TBtn_Edit_Undo->click();
        QCOMPARE(edit->text(), QStringLiteral("abc"));
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_main_frame.moc"
