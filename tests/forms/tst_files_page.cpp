// The S Curve Files page on the main form, with the spreadsheet layer on the
// in-memory server and the file dialogs and shell answered by fakes: the key
// filters and their balloons, the Enter walk, the exit rules, the file,
// Open and Default commands with the caches they keep or reset, the
// worksheet browse with Select, Refresh, Cancel and "UP015", the indicators,
// load and save.
#include "forms_testkit.h"

#include "FormsTestKit.h"
#include "X11Keys.h"

#include "BalloonHint.h"
#include "FieldIndicator.h"
#include "FileDialogs.h"
#include "Shell.h"
#include "UF_BrowseWS.h"
#include "UF_Main.h"
#include "UF_MainFiles.h"
#include "BrowseCommands.h"
#include "WorkArea.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using ftk::active;
using namespace FilesPage;

namespace {

struct FakeDialogs : forms::IFileDialogs {
    std::optional<QString> answer;
    QList<forms::OpenFileRequest> asked;
    FakeDialogs() { forms::setFileDialogs(this); }
    ~FakeDialogs() override { forms::setFileDialogs(nullptr); }
    std::optional<QString> openFile(QWidget*, const forms::OpenFileRequest& r) override
    {
        asked << r;
        return answer;
    }
    std::optional<QString> chooseFolder(QWidget*, const QString&, const QString&) override { return {}; }
};

void fillCaches()
{
    TzySD& sd = active();
    for (int wsl : {1, 2}) {
        sd.setWSL_Count(wsl, 1);
        sd.setWSL_WS(wsl, 1, QStringLiteral("Tasks"));
        sd.setWSL_Loaded(wsl, true);
    }
    sd.setFL_Count(1);
    sd.setFL_TaskFld(1, QStringLiteral("A"));
    sd.setFL_Loaded(true);
}

} // namespace

class TstFilesPage : public QObject {
    Q_OBJECT
    std::unique_ptr<ftk::Globals> g;
    std::unique_ptr<TUF_Main> form;
    FakeDialogs dialogs;
    formskit::Shell shell;
    QTemporaryDir tmp;
    QString plan, other;

    TUF_MainFiles& page() { return *form->Files; }
    QLineEdit* edit(Edit e) { return page().Edits[size_t(e)]; }
    void focus(Edit e)
    {
        edit(e)->setFocus();
        QTRY_VERIFY(edit(e)->hasFocus());
    }
    void type(Edit e, const QString& text)
    {
        focus(e);
        QTest::keyClicks(edit(e), text);
    }
    BalloonHint& balloon() { return *form->BH_Main; }
    QString touch(const QString& name)
    {
        const QString path = tmp.path() + QLatin1Char('/') + name;
        ftk::StandInWorkbook(path);
        return path;
    }

    // Editing keys are never refused by a key filter, whatever text X11
    // gives them: one table per filter, the edit starting with `before`.
    void editingKeys()
    {
        QFETCH(int, edit);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        QLineEdit* e = this->edit(Edit(edit));
        e->setText(before);
        focus(Edit(edit));
        x11keys::play(keys);
        QCOMPARE(e->text(), after);
        QVERIFY2(!balloon().IsShown(), qPrintable(balloon().Description()));
    }
    void editingKeysColumns()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
    }

private slots:
    void initTestCase()
    {
        g = std::make_unique<ftk::Globals>();
        platform::setWorkArea(QRect(0, 0, 1280, 900));
        plan = touch(QStringLiteral("plan.xlsx"));
        other = touch(QStringLiteral("other.xlsx"));
        BrowseCommands::CreateBrowseForms();
    }
    void cleanupTestCase()
    {
        form.reset();
        BrowseCommands::FreeBrowseForms();
        platform::setWorkArea(std::nullopt);
        g.reset();
    }
    void init()
    {
        form.reset();
        UP->Reset();
        UP->SetDefaultXLExtn(TzyUP::xeXLS);
        form = std::make_unique<TUF_Main>();
        pfx::MakeDefinition({plan, QString(), QString()}, pfx::Options{});
        form->LoadPage0();
        form->UpdatePage0();
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        g->dlg.seen.clear();
        g->office->files.clear();
        g->office->calls.clear();
        dialogs.asked.clear();
        dialogs.answer.reset();
        shell.opened.clear();
        shell.pending.clear();
        shell.result = 42;
        FakeWorkbook& wb = g->office->addWorkbook(plan);
        wb.addSheet(QStringLiteral("Summary"));
        wb.addSheet(QStringLiteral("Tasks")).text("A1", "Task");
    }

    void keyFilters_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("balloonText"); // empty: no balloon
        QTest::newRow("file name takes POSIX characters") << int(eOF) << "/o/a?b:c\\d" << "/o/a?b:c\\d" << "";
        QTest::newRow("worksheet colon") << int(eTaskWS) << "Tasks:" << "Tasks"
                                         << "The following characters cannot be used:\n\\ / : * ? [ ]";
        QTest::newRow("worksheet bracket") << int(eCDWS) << "x[" << "x"
                                           << "The following characters cannot be used:\n\\ / : * ? [ ]";
        QTest::newRow("header row letter, xlsx") << int(eTHR) << "12a" << "12"
                                                 << "Please enter a numeric value.\nValid Range: 1..1048575";
        QTest::newRow("passwords take anything") << int(eDSFPassword) << "*?:[" << "*?:[" << "";
    }
    void keyFilters()
    {
        QFETCH(int, edit);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, balloonText);
        this->edit(Edit(edit))->clear();
        type(Edit(edit), typed);
        QCOMPARE(this->edit(Edit(edit))->text(), kept);
        if (balloonText.isEmpty())
            QVERIFY(!balloon().IsShown());
        else {
            QTRY_VERIFY(balloon().IsShown());
            QCOMPARE(balloon().Description(), balloonText);
        }
    }

    void pathFilterKeys_data()
    {
        editingKeysColumns();
        const QString full(260, QLatin1Char('p'));
        QTest::newRow("DSF Delete") << int(eDSF) << "abcd" << "Home Delete" << "bcd";
        QTest::newRow("TF Delete") << int(eTF) << "abcd" << "Home Right Delete" << "acd";
        QTest::newRow("OF Delete") << int(eOF) << "abcd" << "End Left Delete" << "abc";
        QTest::newRow("Backspace") << int(eDSF) << "abcd" << "End Backspace" << "abc";
        QTest::newRow("Shift+End, Delete") << int(eTF) << "abcd" << "Home Right Shift+End Delete" << "a";
        QTest::newRow("Shift+Delete cuts") << int(eOF) << "abcd" << "Home Shift+Right Shift+Delete" << "bcd";
        QTest::newRow("Ctrl+Delete") << int(eDSF) << "abcd" << "Home Ctrl+Delete" << "";
        QTest::newRow("Ctrl+Backspace") << int(eTF) << "abcd" << "End Ctrl+Backspace" << "";
        QTest::newRow("Ctrl+A, Delete") << int(eOF) << "abcd" << "Ctrl+A Delete" << "";
        QTest::newRow("copy and paste") << int(eDSF) << "ab" << "Ctrl+A Ctrl+C End Ctrl+V" << "abab";
        QTest::newRow("cut and undo") << int(eTF) << "ab" << "Ctrl+A Ctrl+X Ctrl+Z" << "ab";
        QTest::newRow("full edit, Delete") << int(eOF) << full << "Home Delete" << full.mid(1);
    }
    void pathFilterKeys() { editingKeys(); }
    void worksheetFilterKeys_data()
    {
        editingKeysColumns();
        QTest::newRow("Delete") << int(eTaskWS) << "Tasks" << "Home Delete" << "asks";
        QTest::newRow("Shift+Home, Delete") << int(ePSWS) << "Sum" << "End Shift+Home Delete" << "";
        QTest::newRow("Ctrl+A, Ctrl+X") << int(eCDWS) << "Chart" << "Ctrl+A Ctrl+X" << "";
    }
    void worksheetFilterKeys() { editingKeys(); }
    void headerRowFilterKeys_data()
    {
        editingKeysColumns();
        QTest::newRow("Delete") << int(eTHR) << "1234" << "Home Delete" << "234";
        QTest::newRow("Backspace") << int(eTHR) << "1234" << "End Backspace" << "123";
        QTest::newRow("arrows and Delete") << int(eTHR) << "1234" << "Home Right Right Delete Left Delete" << "14";
        QTest::newRow("Shift+Home, Delete") << int(eTHR) << "1234" << "End Shift+Left Shift+Home Delete" << "";
        QTest::newRow("Ctrl+Delete") << int(eTHR) << "1234" << "Home Ctrl+Delete" << "";
        QTest::newRow("cut and undo") << int(eTHR) << "12" << "Ctrl+A Ctrl+X Ctrl+Z" << "12";
        QTest::newRow("full edit, Delete") << int(eTHR) << "1234567" << "End Left Delete" << "123456";
    }
    void headerRowFilterKeys() { editingKeys(); }

    // The header row's range follows the Data Source File's format.
    void headerRowRangeOfXls()
    {
        edit(eDSF)->setText(tmp.path() + "/old.xls");
        edit(eTHR)->clear();
        type(eTHR, "x");
        QTRY_VERIFY(balloon().IsShown());
        QCOMPARE(balloon().Description(), QStringLiteral("Please enter a numeric value.\nValid Range: 1..65535"));
        // The next key hides it.
        QTest::keyClick(edit(eTHR), Qt::Key_5);
        QVERIFY(!balloon().IsShown());
        QCOMPARE(edit(eTHR)->text(), QStringLiteral("5"));
    }

    // A full edit shows the maximum-length balloon instead of the filter's.
    void fullEditShowsTheLimit()
    {
        edit(eTaskWS)->setText(QString(31, QLatin1Char('w')));
        type(eTaskWS, ":");
        QTRY_VERIFY(balloon().IsShown());
        QCOMPARE(balloon().Description(), QStringLiteral("The maximum length for this Field is 31 characters."));
        QTest::keyClick(edit(eTaskWS), Qt::Key_Backspace);
        QCOMPARE(edit(eTaskWS)->text().size(), 30);
    }

    void enterWalk()
    {
        focus(eTHR);
        QTest::keyClick(edit(eTHR), Qt::Key_Return);
        QTRY_VERIFY(edit(eTF)->hasFocus());
        QTest::keyClick(edit(eTF), Qt::Key_Enter, Qt::ShiftModifier);
        QTRY_VERIFY(edit(eTHR)->hasFocus());
        focus(eClient);
        QTest::keyClick(edit(eClient), Qt::Key_Return);
        QVERIFY(edit(eClient)->hasFocus());
        focus(eDSF);
        QTest::keyClick(edit(eDSF), Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(edit(eDSF)->hasFocus());
    }

    // Leaving an edit applies the extension rules; the Template File's
    // correction reaches the Output File at once.
    void exitRules()
    {
        edit(eDSF)->setText(QStringLiteral("/d/Tasks"));
        focus(eDSF);
        focus(eDSFPassword);
        QCOMPARE(edit(eDSF)->text(), QStringLiteral("/d/Tasks.xls"));
        edit(eTF)->setText(QStringLiteral("/t/T.xls"));
        edit(eOF)->setText(QStringLiteral("/o/Out.xls"));
        focus(eTF);
        edit(eTF)->setText(QStringLiteral("/t/T.xlsx"));
        focus(eTFPassword);
        QCOMPARE(edit(eOF)->text(), QStringLiteral("/o/Out.xlsx"));
        edit(eTitle)->setText(QStringLiteral("  Harbour  "));
        focus(eTitle);
        focus(eNumber);
        QCOMPARE(edit(eTitle)->text(), QStringLiteral("Harbour"));
    }

    void changeResetsCaches()
    {
        fillCaches();
        const int draws = page().Img_SCF_DSF_DrivePathFilenameExtn->DrawCount();
        edit(eDSFPassword)->setText(QStringLiteral("secret"));
        edit(eTitle)->setText(QStringLiteral("Harbour"));
        QVERIFY(active().getWSL_Loaded(1) && active().getWSL_Loaded(2) && active().getFL_Loaded());
        QCOMPARE(page().Img_SCF_DSF_DrivePathFilenameExtn->DrawCount(), draws);
        edit(eTHR)->setText(QStringLiteral("2"));
        QVERIFY(active().getWSL_Loaded(1) && !active().getFL_Loaded());
        fillCaches();
        edit(eTF)->setText(QStringLiteral("/t/New.xlsx"));
        QVERIFY(active().getWSL_Loaded(1) && !active().getWSL_Loaded(2) && active().getFL_Loaded());
        edit(eDSF)->setText(other);
        QVERIFY(!active().getWSL_Loaded(1) && !active().getFL_Loaded());
    }

    // The file dialog giving back the same file in another spelling keeps
    // the caches; another file resets them.
    void fileBrowse()
    {
        fillCaches();
        dialogs.answer = tmp.path() + "/./plan.xlsx";
        page().BBtn_SCF_DSF_DrivePathFilenameExtn_Browse->click();
        QCOMPARE(dialogs.asked.size(), 1);
        const forms::OpenFileRequest r = dialogs.asked.first();
        QCOMPARE(r.title, QStringLiteral(" Select Excel Data Source File... "));
        QCOMPARE(r.fileName, plan);
        QCOMPARE(QDir(r.initialDir).canonicalPath(), QDir(tmp.path()).canonicalPath());
        QVERIFY(r.mustExist);
        QCOMPARE(edit(eDSF)->text(), plan);
        QVERIFY(active().getWSL_Loaded(1) && active().getFL_Loaded());
        QCOMPARE(form->focusWidget(), edit(eDSF));

        dialogs.answer = other;
        page().BBtn_SCF_DSF_DrivePathFilenameExtn_Browse->click();
        QCOMPARE(edit(eDSF)->text(), other);
        QVERIFY(!active().getWSL_Loaded(1) && !active().getFL_Loaded());
        QVERIFY(active().getWSL_Loaded(2));

        // A name that is not a workbook is refused with its message.
        dialogs.answer = touch(QStringLiteral("notes.txt"));
        page().BBtn_SCF_DSF_DrivePathFilenameExtn_Browse->click();
        QCOMPARE(g->dlg.ids(), QStringList{"UDV016"});
        QCOMPARE(edit(eDSF)->text(), other);
    }

    // An Output File picked without extension takes the template's; the
    // dialog of a missing file opens in its folder without a preset name.
    void outputBrowse()
    {
        edit(eTF)->setText(QStringLiteral("/t/T.xlsx"));
        edit(eOF)->setText(tmp.path() + "/missing.xlsx");
        dialogs.answer = tmp.path() + "/Report";
        page().BBtn_SCF_OF_DrivePathFilenameExtn_Browse->click();
        QCOMPARE(dialogs.asked.first().fileName, QString());
        QCOMPARE(dialogs.asked.first().initialDir, tmp.path() + "/");
        QVERIFY(!dialogs.asked.first().mustExist);
        QCOMPARE(edit(eOF)->text(), tmp.path() + "/Report.xlsx");
    }

    // With the current folder the program folder, an empty Data Source File
    // opens the dialog in the program's Samples folder.
    void browseFallsBackToSamples()
    {
        const QString before = QDir::currentPath();
        QDir::setCurrent(TzyAD::GetAppFolder());
        edit(eDSF)->clear();
        page().BBtn_SCF_DSF_DrivePathFilenameExtn_Browse->click();
        page().BBtn_SCF_TF_DrivePathFilenameExtn_Browse->click();
        QDir::setCurrent(before);
        QCOMPARE(dialogs.asked.at(0).initialDir, Utils::IncludeTrailingSlash(TzyAD::GetAppFolder()) + "Samples/");
        QCOMPARE(dialogs.asked.at(1).initialDir, Utils::IncludeTrailingSlash(TzyAD::GetAppFolder()) + "Templates/");
    }

    // No program opens the workbook: the user is told, the file named,
    // whether the opener says so at once or fails after it started.
    void openFailureNamesTheFile_data()
    {
        QTest::addColumn<bool>("late");
        QTest::newRow("at once") << false;
        QTest::newRow("after it started") << true;
    }
    void openFailureNamesTheFile()
    {
        QFETCH(bool, late);
        shell.result = late ? 42 : platform::kShellNoOpener;
        page().BBtn_SCF_DSF_DrivePathFilenameExtn_Open->click();
        QCOMPARE(shell.opened, QStringList{plan});
        if (late) {
            QVERIFY(g->dlg.seen.isEmpty());
            shell.failLate(0);
        }
        QCOMPARE(g->dlg.seen.size(), 1);
        const StdDlg::Request& r = g->dlg.seen.first();
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines.value(0), QStringLiteral("Unable to open the following Data Source File."));
        QCOMPARE(r.lines.value(2), plan);
        QCOMPARE(r.lines.value(4), QStringLiteral("No program to open it was found."));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
    }

    void openAndDefaults()
    {
        fillCaches();
        page().BBtn_SCF_DSF_DrivePathFilenameExtn_Open->click();
        QCOMPARE(shell.opened, QStringList{plan});
        QVERIFY(!active().getWSL_Loaded(1) && active().getWSL_Loaded(2));
        edit(eTF)->setText(tmp.path() + "/gone.xlsx");
        page().BBtn_SCF_TF_DrivePathFilenameExtn_Open->click();
        QCOMPARE(g->dlg.ids(), QStringList{"UDV004"});
        QCOMPARE(shell.opened.size(), 1);
        edit(eOF)->setText(QString());
        form->UpdatePage0();
        QVERIFY(!page().BBtn_SCF_OF_DrivePathFilenameExtn_Open->isEnabled());

        edit(eOF)->setText(QStringLiteral("/old/Report.xlsx"));
        page().BBtn_SCF_OF_DrivePathFileNameExtn_Default->click();
        QCOMPARE(edit(eOF)->text(), UP->GetDefaultOFFolder() + "Report.xlsx");
        edit(eOF)->clear();
        page().BBtn_SCF_OF_DrivePathFileNameExtn_Default->click();
        QCOMPARE(edit(eOF)->text(), UP->GetDefaultOFFolder());
        page().BBtn_SCF_TF_DrivePathFileNameExtn_Default->click();
        QCOMPARE(edit(eTF)->text(), UP->GetDefaultTemplateFile());
    }

    // The worksheet browse: the main form busy and disabled while the names
    // are read, Refresh reading them again, Select setting the edit.
    void worksheetBrowse()
    {
        QList<bool> enabledDuringRead;
        g->progress.onStep = [&](int, const QString&) { enabledDuringRead << form->isEnabled() << !form->Busy; };
        edit(eTaskWS)->setText(QStringLiteral("summary"));
        fillCaches();
        active().setWSL_Loaded(1, false);
        QStringList todo{"refresh", "select1"};
        const auto step = std::make_shared<std::function<void()>>();
        *step = [&, step] {
            if (!UF_BrowseWS->isVisible()) {
                QTimer::singleShot(0, *step);
                return;
            }
            const QString a = todo.takeFirst();
            if (a == "refresh") {
                QCOMPARE(UF_BrowseWS->SelectedRow(), 0); // "summary" preselects Summary
                UF_BrowseWS->RefreshButton()->click();
            } else {
                UF_BrowseWS->SelectRow(1);
                UF_BrowseWS->SelectButton()->click();
            }
            if (!todo.isEmpty())
                QTimer::singleShot(0, *step);
        };
        QTimer::singleShot(0, *step);
        page().BBtn_SCF_DSF_TaskWS_Browse->click();
        g->progress.onStep = {};
        QCOMPARE(edit(eTaskWS)->text(), QStringLiteral("Tasks"));
        QCOMPARE(g->office->count("openWorkbook"), 2);
        QVERIFY(!enabledDuringRead.isEmpty() && !enabledDuringRead.contains(true));
        QVERIFY(form->isEnabled() && !form->Busy);
        QVERIFY(!active().getFL_Loaded()); // the task worksheet changed
        QCOMPARE(form->focusWidget(), edit(eTaskWS));
        QCOMPARE(edit(eTaskWS)->selectedText(), QStringLiteral("Tasks"));
    }

    void worksheetBrowseCancelAndEmpty()
    {
        edit(eTaskWS)->setText(QStringLiteral("Tasks"));
        QTimer::singleShot(0, [] { UF_BrowseWS->CancelButton()->click(); });
        page().BBtn_SCF_DSF_TaskWS_Browse->click();
        QCOMPARE(edit(eTaskWS)->text(), QStringLiteral("Tasks"));

        active().ResetWSL(1);
        g->office->files[plan].sheets.clear();
        page().BBtn_SCF_DSF_TaskWS_Browse->click();
        QCOMPARE(g->dlg.ids(), QStringList{"UP015"});
        QCOMPARE(edit(eTaskWS)->text(), QStringLiteral("Tasks"));
        QVERIFY(form->isEnabled());
    }

    // A blank header row is flagged and stored as 0; a path typed with a
    // control character gets its indicator.
    void indicatorsLoadAndSave()
    {
        edit(eTHR)->setText(QString());
        QCOMPARE(page().Img_SCF_DSF_THR->Tag(), FieldIndicator::WarningShown);
        QCOMPARE(page().Img_SCF_DSF_THR->Hint(),
                 QStringLiteral("The Task Header Row is invalid.\nValid Range: 1..1048575"));
        edit(eDSF)->setText(tmp.path() + "/pl\x01n.xlsx");
        QCOMPARE(page().Img_SCF_DSF_DrivePathFilenameExtn->Tag(), FieldIndicator::WarningShown);
        edit(eDSF)->setText(plan);
        QCOMPARE(page().Img_SCF_DSF_DrivePathFilenameExtn->Tag(), FieldIndicator::NoWarningShown);

        edit(eTF)->setText(QStringLiteral(" /t/Report "));
        edit(eOF)->setText(QStringLiteral("/o/Out.xls"));
        form->SavePage0();
        const TzySCF& scf = active().SCF;
        QCOMPARE(scf.TaskHeaderRow, 0);
        QCOMPARE(scf.GetTemplateFile(), QStringLiteral("/t/Report.xls"));
        QCOMPARE(scf.GetOutputFile(), QStringLiteral("/o/Out.xls"));

        active().SCF.SetDataSourceFile(QStringLiteral("/d/Tasks.csv"));
        form->LoadPage0();
        QCOMPARE(edit(eDSF)->text(), QStringLiteral("/d/Tasks.xls"));
        QCOMPARE(active().SCF.GetDataSourceFile(), QStringLiteral("/d/Tasks.xls"));

        form->EnablePage0(false);
        QVERIFY(edit(eDSF)->text().isEmpty() && !edit(eDSF)->isEnabled());
        QCOMPARE(page().Img_SCF_DSF_THR->Tag(), FieldIndicator::NoWarningShown);
        form->EnablePage0(true);
    }
};

QTEST_MAIN(TstFilesPage)
#include "tst_files_page.moc"
