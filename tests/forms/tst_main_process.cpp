// The Process command on the main form: the run with the main form busy and
// disabled while the progress form and its Cancel stay usable, the main form
// usable again after a failing or raising run, the summary form after a
// successful one, the configuration-errors form after a failed validation,
// and the way from an error back to its page and control.
#include "FormsTestKit.h"
#include "Progress.h"
#include "RF_PS_Consts.h"
#include "ServiceForms.h"
#include "UF_CfgErr.h"
#include "UF_Main.h"
#include "UF_MainFilter.h"
#include "UF_MainProcess.h"
#include "FilterRules.h"
#include "UF_Progress.h"
#include "UF_Summary.h"
#include "zyDSF.h"
#include "zyGrid.h"
#include "zyRF.h"
#include "zyRH.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <stdexcept>

namespace {

// The main form's own steps, with the checks before the run passed.
struct PassingChecks : TUF_MainProcess {
    using TUF_MainProcess::TUF_MainProcess;
    int Validate() override { return 0; }
    bool XLMissing() override { return false; }
    bool OCPCancelled(int, const QString&) override { return false; }
};

} // namespace

Q_DECLARE_METATYPE(CfgErrNav::Action)

class TstMainProcess : public QObject {
    Q_OBJECT

    std::unique_ptr<formskit::Globals> m_globals;
    std::unique_ptr<TUF_Main> m_main;
    formskit::Prompter* m_prompter = nullptr;

private slots:
    void initTestCase()
    {
        formskit::FixLook();
        m_globals = std::make_unique<formskit::Globals>();
        RHs_PS = std::make_unique<TzyRHs>();
        RFs_PS = std::make_unique<TzyRFs>();
        RF_PS_Consts::LoadRHs(*RHs_PS);
        RF_PS_Consts::LoadRFs(*RFs_PS);
        ServiceForms::CreateServiceForms();
        m_prompter = new formskit::Prompter; // after the dialog form, which installs itself
        m_main = std::make_unique<TUF_Main>();
        m_main->show();
    }
    void cleanupTestCase()
    {
        m_main.reset();
        delete m_prompter;
        ServiceForms::FreeServiceForms();
        RFs_PS.reset();
        RHs_PS.reset();
        m_globals.reset();
    }
    void init()
    {
        m_prompter->requests.clear();
        m_prompter->answer = {StdDlg::mrClose, false};
        UP->SetPromptOnProcess(false);
    }

    void cancelAnswersWhileMainFormDisabled()
    {
        PassingChecks steps(*m_main);
        bool checked = false;
        steps.RunProcess = [&](int) {
            IProgress& progress = Progress::form();
            progress.ResetProgress();
            progress.SetTotalSteps(3);
            progress.Show();
            progress.AddStep(QStringLiteral("Reading Tasks..."));
            // The run: the main form is out of reach, the progress form not.
            [&] {
                QVERIFY(!m_main->isEnabled());
                QVERIFY(m_main->Busy);
                QVERIFY(!m_main->BBtn_Process->isEnabled());
                QVERIFY(UF_Progress->isVisible());
                QVERIFY(UF_Progress->isEnabled());
                QVERIFY(UF_Progress->CancelButton()->isEnabled());
                QTest::mouseClick(UF_Progress->CancelButton(), Qt::LeftButton);
                QVERIFY(progress.Cancelled());
                checked = true;
            }();
            progress.SetCancelled(false);
            progress.Close();
            return false;
        };
        QCOMPARE(ProcessCommand::XferData(steps), ProcessCommand::Outcome::RunFailed);
        QVERIFY(checked);
        QVERIFY(m_main->isEnabled());
        QVERIFY(!m_main->Busy);
        QVERIFY(!UF_Summary || !UF_Summary->isVisible());
    }

    void raisingRunLeavesMainFormUsable()
    {
        PassingChecks steps(*m_main);
        steps.RunProcess = [](int) -> bool { throw std::runtime_error("The spreadsheet server ended."); };
        QCOMPARE(ProcessCommand::XferData(steps), ProcessCommand::Outcome::RunFailed);
        QVERIFY(m_main->isEnabled());
        QVERIFY(!m_main->Busy);
        QCOMPARE(int(m_prompter->requests.size()), 1);
        QCOMPARE(m_prompter->requests[0].msgId, QStringLiteral("UP002"));
        QVERIFY(m_prompter->requests[0].lines.contains(QStringLiteral("Details: The spreadsheet server ended.")));
    }

    void successfulRunShowsUsableSummary()
    {
        PassingChecks steps(*m_main);
        steps.RunProcess = [](int) { return true; };
        bool shown = false;
        QTimer::singleShot(0, m_main.get(), [&] {
            QTRY_VERIFY(UF_Summary && UF_Summary->isVisible());
            shown = UF_Summary->isEnabled() && UF_Summary->BBtn_Close()->isEnabled() && m_main->isEnabled();
            UF_Summary->BBtn_Close()->click();
        });
        QCOMPARE(ProcessCommand::XferData(steps), ProcessCommand::Outcome::Processed);
        QVERIFY(shown);
        QCOMPARE(UF_Summary->parentWidget(), m_main.get());
        QVERIFY(!m_main->Busy);
    }

    void filterCompactedBeforeSave()
    {
        // Row 2 has no operator: dropped, row 3 moves up, before the page is
        // saved into the definition.
        m_main->GoToPage(3);
        TUF_MainFilter& page = *m_main->Filter;
        if (!page.SBtn_DSF_Enable->isChecked())
            page.SBtn_DSF_Enable->click();
        FilterRules::Grid g;
        const QStringList ops = FilterRules::OperatorItems();
        const QStringList links = FilterRules::LinkItems();
        g[0] = {QString(), "C", "Area", ops.at(1), "North", -1, 1};
        g[1] = {links.at(1), "D", "Trade", QString(), "Civil", 1, -1};
        g[2] = {links.at(2), "E", "Phase", ops.at(1), "Two", 2, 1};
        page.WriteGrid(g);
        PassingChecks steps(*m_main);
        std::vector<QString> saved;
        steps.RunProcess = [&](int) {
            const TzyDSF& dsf = SDs->getItems(SDs->ActiveSD()).DSF;
            for (int i = 1; i <= dsf.Count(); ++i)
                saved.push_back(dsf.getItems(i).GetTaskFld());
            return false;
        };
        ProcessCommand::XferData(steps);
        QCOMPARE(saved, (std::vector<QString>{"C", "E"}));
        const FilterRules::Grid after = page.ReadGrid();
        QCOMPARE(after[1].taskFld, QStringLiteral("E"));
        QVERIFY(!after[2].anyText());
    }

    void confirmationDeclined()
    {
        UP->SetPromptOnProcess(true);
        m_prompter->answer = {StdDlg::mrNo, true}; // No, and do not ask again
        m_main->XferData();
        QCOMPARE(m_main->ProcessCmd->LastOutcome, ProcessCommand::Outcome::Declined);
        QCOMPARE(m_prompter->requests.at(0).msgId, QStringLiteral("MF010"));
        QVERIFY(!UP->PromptOnProcess());
    }

    void defaultDefinitionListsErrors()
    {
        // A fresh definition names no files: the errors are listed, and the
        // spreadsheet checks never run.
        int listed = 0;
        QTimer::singleShot(0, m_main.get(), [&] {
            QTRY_VERIFY(UF_CfgErr && UF_CfgErr->isVisible());
            listed = UF_CfgErr->Count();
            QCOMPARE(UF_CfgErr->parentWidget(), m_main.get());
            UF_CfgErr->BBtn_Close()->click();
        });
        m_main->XferData();
        QCOMPARE(m_main->ProcessCmd->LastOutcome, ProcessCommand::Outcome::CfgErrors);
        QVERIFY(listed > 0);
        QCOMPARE(listed, DV->Count());
        QVERIFY(m_main->isEnabled());
        for (const auto& r : m_prompter->requests)
            QVERIFY(!r.msgId.startsWith(QStringLiteral("XL")) && !r.msgId.startsWith(QStringLiteral("UOCP")));
    }

    void goToCfgErr_data()
    {
        QTest::addColumn<int>("tabId");
        QTest::addColumn<int>("fldId");
        QTest::addColumn<int>("rowId");
        QTest::addColumn<int>("page");
        QTest::newRow("Data Source File") << 56 << 600 << 0 << 0;
        QTest::newRow("Project Client") << 56 << 599 << 0 << 0;
        QTest::newRow("Data Options") << 85 << 612 << 0 << 1;
        QTest::newRow("Cut Off Date") << 85 << 620 << 0 << 1;
        QTest::newRow("Quantity Options") << 85 << 621 << 0 << 1;
        QTest::newRow("map Task Field row 4") << 119 << 624 << 4 << 2;
        QTest::newRow("filter Task Field Value row 2") << 128 << 641 << 2 << 3;
        QTest::newRow("unknown field of a known tab") << 85 << 600 << 0 << 1;
    }
    void goToCfgErr()
    {
        QFETCH(int, tabId);
        QFETCH(int, fldId);
        QFETCH(int, rowId);
        QFETCH(int, page);
        m_main->GoToPage(page == 0 ? 2 : 0); // start elsewhere
        // Values on page 0, so that the selected text shows.
        TzySD& sd = SDs->getItems(SDs->ActiveSD());
        sd.SCF.SetDataSourceFile("/data/plan.xlsx");
        sd.PD.SetProjectClient("Harbour Board");
        DV->ClearCfgErrs();
        DV->AddCfgErr("T", "F", "D", "V", tabId, fldId, rowId);
        m_main->GoToCfgErr(1);
        QCOMPARE(m_main->CurrentPage, page);
        QCOMPARE(m_main->PC_Main->currentIndex(), page);
        const CfgErrNav::Target t = CfgErrNav::Locate(tabId, fldId, rowId);
        QWidget* control = t.control.isEmpty() ? nullptr : m_main->findChild<QWidget*>(t.control);
        QCOMPARE(control != nullptr, t.action != CfgErrNav::Action::None);
        if (t.action == CfgErrNav::Action::SelectEdit) {
            auto* edit = qobject_cast<QLineEdit*>(control);
            QVERIFY(edit);
            QVERIFY(!edit->text().isEmpty());
            QCOMPARE(edit->selectedText(), edit->text());
            QTRY_COMPARE(m_main->focusWidget(), control);
        } else if (t.action == CfgErrNav::Action::Focus) {
            // A control that cannot take the focus does not get it.
            if (control->isEnabled())
                QTRY_COMPARE(m_main->focusWidget(), control);
            else
                QVERIFY(m_main->focusWidget() != control);
        } else if (t.action == CfgErrNav::Action::GridCell) {
            auto* grid = qobject_cast<TzyGrid*>(control);
            QVERIFY(grid);
            QVERIFY(grid->Enabled() || tabId != 119); // the map grid is always usable
            if (grid->Enabled()) {
                QCOMPARE(grid->Col(), t.col);
                QCOMPARE(grid->Row(), t.row);
            }
        }
    }

    void goToUnknownTabChangesNothing()
    {
        m_main->GoToPage(1);
        QWidget* before = QApplication::focusWidget();
        DV->ClearCfgErrs();
        DV->AddCfgErr("T", "F", "D", "V", 57, 600, 0);
        m_main->GoToCfgErr(1);
        QCOMPARE(m_main->CurrentPage, 1);
        QCOMPARE(m_main->PC_Main->currentIndex(), 1);
        QCOMPARE(QApplication::focusWidget(), before);
        m_main->GoToCfgErr(0); // no error: nothing
        QCOMPARE(m_main->CurrentPage, 1);
    }
};

QTEST_MAIN(TstMainProcess)
#include "tst_main_process.moc"
