// Runs from the main form on the in-memory spreadsheet server. A schedule of
// 100,000 tasks: while the run works, the event loop keeps turning (the run
// never holds it for a second), the progress form repaints, and a click on
// its Cancel ends the run within a second with the main form usable again. Faults of the server
// and of the save: the message, the main form usable, no server left
// running and no Output File.
#include "../EventGapProbe.h"
#include "FakeXL.h"
#include "FormsTestKit.h"
#include "MachineKeys.h"
#include "Progress.h"
#include "RF_CD_Consts.h"
#include "RF_PS_Consts.h"
#include "ServiceForms.h"
#include "UF_Main.h"
#include "UF_MainProcess.h"
#include "UF_Progress.h"
#include "zyProcess.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zyXL.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using platform::RootKey;

namespace {

constexpr int kTasks = 100000;
constexpr int kBase = 45292; // 2024-01-01

struct PassingChecks : TUF_MainProcess {
    using TUF_MainProcess::TUF_MainProcess;
    int Validate() override { return 0; }
};

void MakeSchedule(FakeSheet& ws, int tasks)
{
    const QStringList head{"Task", "BL Start", "BL Finish", "BL MH", "BL Cost", "Start", "Finish", "MH", "Cost",
                           "% Complete"};
    for (int c = 0; c < head.size(); ++c)
        ws.text(QString(QChar(u'A' + c)) + u'1', head[c]);
    for (int i = 0; i < tasks; ++i) {
        const QString r = QString::number(i + 2);
        const int bs = kBase + i % 700;
        ws.text("A" + r, QStringLiteral("Task %1").arg(i + 1));
        ws.num("B" + r, bs).num("C" + r, bs + 9).num("D" + r, 10).num("E" + r, 100);
        ws.num("F" + r, bs + i % 3).num("G" + r, bs + 9 + i % 4).num("H" + r, 12).num("I" + r, 110);
        ws.num("J" + r, 0.5).shown("J" + r, "50%");
    }
}

} // namespace

class TstMainProcessLoad : public QObject {
    Q_OBJECT

    platform::MachineKeyTable m_keys;
    std::shared_ptr<FakeOffice> m_office;
    std::unique_ptr<formskit::Globals> m_globals;
    formskit::Prompter* m_prompter = nullptr;
    QTemporaryDir m_tmp;

private slots:
    void initTestCase()
    {
        formskit::FixLook();
        m_globals = std::make_unique<formskit::Globals>();
        m_keys.set(RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
                   QStringLiteral("Excel.Application.15"));
        platform::setMachineKeys(&m_keys);
        m_office = std::make_shared<FakeOffice>();
        m_office->install();
        MakeSchedule(m_office->addWorkbook("/data/big.xlsx").addSheet("Tasks"), kTasks);
        MakeSchedule(m_office->addWorkbook("/data/small.xlsx").addSheet("Tasks"), 40);
        FakeWorkbook& tf = m_office->addWorkbook("/data/template.xlsx");
        tf.addSheet("Project Summary");
        tf.addSheet("Chart Data").text("A7", "Date");
        XL = std::make_unique<TzyXL>();
        Process = std::make_unique<TzyProcess>();
        RHs_PS = std::make_unique<TzyRHs>();
        RFs_PS = std::make_unique<TzyRFs>();
        RHs_CD = std::make_unique<TzyRHs>();
        RFs_CD = std::make_unique<TzyRFs>();
        RF_PS_Consts::LoadRHs(*RHs_PS);
        RF_PS_Consts::LoadRFs(*RFs_PS);
        RF_CD_Consts::LoadRHs(*RHs_CD);
        RF_CD_Consts::LoadRFs(*RFs_CD);
        ServiceForms::CreateServiceForms();
        m_prompter = new formskit::Prompter;
    }
    void cleanupTestCase()
    {
        delete m_prompter;
        ServiceForms::FreeServiceForms();
        Process.reset();
        XL.reset();
        platform::setMachineKeys(nullptr);
        m_globals.reset();
    }

    // The active definition over `dsf`, shown on the main form's page.
    void define(TUF_Main& main, const QString& dsf, const QString& of)
    {
        TzySD& sd = SDs->getItems(SDs->ActiveSD());
        sd.SCF.SetDataSourceFile(dsf);
        sd.SCF.SetTaskWS("Tasks");
        sd.SCF.SetTaskHeaderRow(1);
        sd.SCF.SetTemplateFile("/data/template.xlsx");
        sd.SCF.SetProjectSummaryWS("Project Summary");
        sd.SCF.SetChartDataWS("Chart Data");
        sd.SCF.SetOutputFile(of);
        sd.SCO.GenerateBL = sd.SCO.GenerateACT = true;
        sd.SCO.GenerateTGT = false;
        sd.SCO.GraphMH = sd.SCO.GraphCost = true;
        sd.SCO.SetCutOffDate(kBase + 300);
        const QStringList cols{"B", "C", "D", "E", "F", "G", "H", "I", "J"};
        for (int m = 1; m <= 9; ++m)
            sd.DSM.getItems(m).SetTaskFld(cols[m - 1]);
        sd.DSM.SetRequired(true, true, false, true, true);
        main.LoadPage(main.CurrentPage);
        UP->SetPromptOnProcess(false);
    }

    void cancelAnswersWithinASecond()
    {
        TUF_Main main;
        main.show();
        define(main, "/data/big.xlsx", m_tmp.path() + "/big-out.xlsx");

        // Ticks of the event loop during the run; Cancel once the tasks are
        // being worked through. A gap is what the run held the loop for (see
        // EventGapProbe.h), not the time the machine gave other programs.
        probe::HeldTime clock;
        qint64 widestGap = 0, widestOnClock = 0, clickedAt = -1, waitedAtClickNs = 0;
        int flushesBefore = 0;
        QTimer tick;
        tick.setInterval(20);
        connect(&tick, &QTimer::timeout, this, [&] {
            const probe::HeldTime::Gap gap = clock.look();
            widestGap = std::max(widestGap, gap.heldMs);
            widestOnClock = std::max(widestOnClock, gap.clockMs);
            if (clickedAt < 0 && UF_Progress->isVisible() && UF_Progress->CurrentStep() >= 12) {
                QVERIFY(!main.isEnabled());
                QVERIFY(UF_Progress->CancelButton()->isEnabled());
                QVERIFY(UF_Progress->FlushCount() > flushesBefore);
                QTest::mouseClick(UF_Progress->CancelButton(), Qt::LeftButton);
                clickedAt = clock.elapsedMs();
                waitedAtClickNs = probe::waitedForProcessorNs();
            }
        });
        PassingChecks steps(main);
        flushesBefore = UF_Progress->FlushCount();
        clock.start();
        tick.start();
        const ProcessCommand::Outcome outcome = ProcessCommand::XferData(steps);
        const qint64 endedAt = clock.elapsedMs();
        const qint64 cancelHeldMs =
            endedAt - clickedAt - (probe::waitedForProcessorNs() - waitedAtClickNs) / 1000000;
        tick.stop();

        qInfo("Cancel clicked at %lld ms, run ended at %lld ms, widest gap of the loop %lld ms held by the run, "
              "%lld ms on the clock",
              clickedAt, endedAt, widestGap, widestOnClock);
        QVERIFY2(clickedAt >= 0, "the run never reached the task steps with the loop turning");
        QCOMPARE(outcome, ProcessCommand::Outcome::RunFailed);
        QVERIFY2(cancelHeldMs < 1000, qPrintable(QStringLiteral("cancel took %1 ms (%2 ms on the clock)")
                                                      .arg(cancelHeldMs)
                                                      .arg(endedAt - clickedAt)));
        QVERIFY2(widestGap < 1000, qPrintable(QStringLiteral("the loop stood still for %1 ms").arg(widestGap)));
        QVERIFY(main.isEnabled());
        QVERIFY(!main.Busy);
        QVERIFY(!m_office->running);
        QVERIFY(!QFile::exists(m_tmp.path() + "/big-out.xlsx"));
        QVERIFY(!m_prompter->requests.empty());
        QCOMPARE(m_prompter->requests.back().msgId, QStringLiteral("UP001"));
    }

    void faultsLeaveMainFormUsable_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("message");
        QTest::newRow("the server dies while the tasks are read")
            << "readRawColumn" << "Binary URP bridge disposed during call";
        QTest::newRow("the server dies while the template is written") << "writeColumn" << "Broken pipe";
        QTest::newRow("the save fails") << "saveAs" << "Write Error. The file could not be written.";
    }
    void faultsLeaveMainFormUsable()
    {
        QFETCH(QString, op);
        QFETCH(QString, message);
        TUF_Main main;
        main.show();
        const QString of = m_tmp.path() + "/small-out.xlsx";
        define(main, "/data/small.xlsx", of);
        m_prompter->requests.clear();
        m_office->fail(op, XLErrorKind::Other, message);
        PassingChecks steps(main);
        QCOMPARE(ProcessCommand::XferData(steps), ProcessCommand::Outcome::RunFailed);
        m_office->clearFailures();
        QVERIFY(main.isEnabled());
        QVERIFY(!main.Busy);
        QVERIFY(!UF_Progress->isVisible());
        QVERIFY(!m_office->running);
        QVERIFY(!QFile::exists(of));
        QVERIFY(!m_prompter->requests.empty());
        const StdDlg::Request& shown = m_prompter->requests.back();
        QCOMPARE(shown.msgId, QStringLiteral("UP002"));
        QVERIFY2(shown.lines.join('\n').contains(message), qPrintable(shown.lines.join('\n')));
    }
};

QTEST_MAIN(TstMainProcessLoad)
#include "tst_main_process_load.moc"
