#include "FormHooks.h"
#include "FormsTestEnv.h"
#include "Format.h"
#include "Progress.h"
#include "TaskbarProgress.h"
#include "UF_Progress.h"

#include <QDBusArgument>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

namespace {

struct TaskbarLog : ITaskbarProgress {
    QStringList calls;
    void SetProgressValue(int completed, int total) override { calls << QStringLiteral("%1/%2").arg(completed).arg(total); }
    void SetNoProgress() override { calls << QStringLiteral("none"); }
};

// Counts the paints of one widget.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestProgressForm : public QObject {
    Q_OBJECT
    TUF_Progress* form = nullptr;
    TaskbarLog* taskbar = nullptr;

    // The run protocol's opening.
    void start(int totalSteps)
    {
        form->ResetProgress();
        form->SetCaption(QStringLiteral(" Processing ZOL Definition "));
        form->SetTotalSteps(totalSteps);
        form->SetCancelled(false);
        form->ShowStepProgress(false);
        form->Show();
    }

private slots:
    void initTestCase()
    {
        FormsTestEnv::Init();
        auto log = std::make_unique<TaskbarLog>();
        taskbar = log.get();
        form = new TUF_Progress(std::move(log));
        UF_Progress = form;
    }
    void cleanupTestCase()
    {
        delete form;
        UF_Progress = nullptr;
        QVERIFY(&Progress::form() != static_cast<IProgress*>(form));
    }
    void init()
    {
        Progress::setFormatSources(nullptr, nullptr);
        platform::setWorkArea(FormsTestEnv::kWorkArea);
        AD->Msgs.clear();
    }
    void cleanup()
    {
        form->Close();
    }

    void installsItselfAndStaysUsableWhileTheMainFormIsDisabled()
    {
        QCOMPARE(&Progress::form(), static_cast<IProgress*>(form));
        QMainWindow main;
        main.show();
        main.setEnabled(false);
        start(3);
        QVERIFY(form->isEnabled());
        QVERIFY(form->CancelButton()->isEnabled());
        QVERIFY(!form->parentWidget());
    }

    void stepNumbering_data()
    {
        QTest::addColumn<QString>("stepFormat");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("two digits") << " [%.2d] %s " << 7 << " [07] Step 7 ";
        QTest::newRow("three digits") << " [%.3d] %s " << 12 << " [012] Step 12 ";
        QTest::newRow("one digit") << " [%d] %s " << 3 << " [3] Step 3 ";
    }
    void stepNumbering()
    {
        QFETCH(QString, stepFormat);
        QFETCH(int, steps);
        QFETCH(QString, lastLine);
        Progress::setFormatSources([stepFormat] { return stepFormat; }, [] { return QStringLiteral(" [--] %s "); });
        start(steps);
        for (int i = 1; i <= steps; ++i)
            form->AddStep(QStringLiteral("Step %1").arg(i));
        form->AddLine(QStringLiteral("Plain"));
        form->FlushNow();
        QCOMPARE(form->Lines().at(steps - 1), lastLine);
        QCOMPARE(form->Lines().last(), QStringLiteral(" [--] Plain "));
        QCOMPARE(form->List()->count(), steps + 1);
        QCOMPARE(form->List()->item(steps - 1)->text(), lastLine);
        QCOMPARE(form->List()->currentRow(), steps);
        QCOMPARE(form->CurrentStep(), steps);
        QCOMPARE(form->TotalBar()->value(), steps);
        QCOMPARE(form->StatusPanel(0), QStringLiteral(" Step "));
        QCOMPARE(form->StatusPanel(1), QStringLiteral(" %1 ").arg(steps));
        QCOMPARE(form->StatusPanel(2), QStringLiteral(" of "));
        QCOMPARE(form->StatusPanel(3), QStringLiteral(" %1 ").arg(steps));
    }

    void lineOperations()
    {
        start(5);
        // Nothing to change on an empty list.
        form->UpdateStepLine(QStringLiteral("x"));
        form->AppendToLastLine(QStringLiteral("x"));
        form->AppendToLine(QStringLiteral("x"), 0);
        QVERIFY(form->Lines().isEmpty());
        QCOMPARE(form->StepPosition(), 0);

        QCOMPARE(form->AddStepIdx(QStringLiteral("Opening LibreOffice...")), 0);
        QCOMPARE(form->AddStepIdx(QStringLiteral("Filtering...")), 1);
        form->StartStepProgress(10);
        form->UpdateStepLine(QStringLiteral("Filtering Task: 1 of 10..."));
        form->UpdateStepLine(QStringLiteral("Filtering Task: 2 of 10..."));
        form->AppendToLastLine(QStringLiteral("Complete."));
        form->AppendToLine(QStringLiteral("Complete."), 0);
        form->AppendToLine(QStringLiteral("ignored"), 2);
        form->AppendToLine(QStringLiteral("ignored"), -1);
        const QStringList expected{" [01] Opening LibreOffice... Complete. ", " [02] Filtering Task: 2 of 10... Complete. "};
        QCOMPARE(form->Lines(), expected);
        QCOMPARE(form->StepPosition(), 2);
        form->FlushNow();
        QVERIFY(!form->StepBar()->isHidden());
        QVERIFY(!form->StepLabel()->isHidden());
        QCOMPARE(form->StepBar()->value(), 2);
        QCOMPARE(form->StepBar()->maximum(), 10);
        QCOMPARE(form->List()->item(0)->text(), expected[0]);
        QCOMPARE(form->List()->item(1)->text(), expected[1]);

        form->ResetProgress();
        form->FlushNow();
        QVERIFY(form->Lines().isEmpty());
        QCOMPARE(form->List()->count(), 0);
        QCOMPARE(form->StatusPanel(1), QStringLiteral(" 0 "));
        QCOMPARE(form->StatusPanel(3), QStringLiteral(" 0 "));
        QCOMPARE(form->TotalBar()->value(), 0);
        QVERIFY(form->StepBar()->isHidden());
        QCOMPARE(form->CurrentStep(), 0);
    }

    // The plan may widen the step numbers before a burst of counter updates
    // reaches the screen: the waiting line keeps the width it was written with.
    void aWaitingStepLineKeepsItsFormat()
    {
        QString stepFormat = QStringLiteral(" [%.2d] %s ");
        Progress::setFormatSources([&stepFormat] { return stepFormat; }, [] { return QStringLiteral(" [--] %s "); });
        start(3);
        form->AddStep(QStringLiteral("One"));
        form->FlushNow();
        QThread::msleep(TUF_Progress::kFlushIntervalMs + 5);
        form->UpdateStepLine(QStringLiteral("One: 1 of 9"));
        form->UpdateStepLine(QStringLiteral("One: 2 of 9"));
        stepFormat = QStringLiteral(" [%.3d] %s ");
        form->FlushNow();
        QCOMPARE(form->List()->item(0)->text(), QStringLiteral(" [01] One: 2 of 9 "));
        QCOMPARE(form->Lines(), QStringList{" [01] One: 2 of 9 "});
        Progress::setFormatSources(nullptr, nullptr);
    }

    void cancelSetsTheFlagAndThePollAborts()
    {
        start(4);
        form->AddStep(QStringLiteral("Working"));
        form->CancelButton()->click();
        QTest::keyClick(form, Qt::Key_Escape);
        QVERIFY(form->Cancelled());
        QVERIFY(form->isVisible());
        QCOMPARE(AD->Msgs, (QStringList{UIT(1066), QString()}));
        // The display is reset; the operation closes the form.
        QVERIFY(form->Lines().isEmpty());
        QVERIFY_THROWS_EXCEPTION(OperationAborted, Progress::PollCancel());
        QVERIFY(!form->Cancelled());
        Progress::PollCancel();

        // Logged once per showing of the form.
        form->Close();
        AD->Msgs.clear();
        start(4);
        form->CancelButton()->click();
        QCOMPARE(AD->Msgs.size(), 2);
        form->Close();
        QVERIFY(!form->Cancelled());
        QVERIFY(!form->isVisible());
    }

    void closeBoxCancelsARunningOperation()
    {
        start(4);
        form->AddStep(QStringLiteral("Working"));
        form->windowHandle()->close();
        QVERIFY(form->isVisible());
        QVERIFY(form->Cancelled());
        QCOMPARE(AD->Msgs.size(), 2);
        // A second close after Cancel closes; the poll still stops the run.
        form->windowHandle()->close();
        QVERIFY(!form->isVisible());
        QVERIFY(form->Cancelled());
        QVERIFY_THROWS_EXCEPTION(OperationAborted, Progress::PollCancel());
        form->Close();
        QVERIFY(!form->Cancelled());
    }

    void restoresTheMainForm()
    {
        int restored = 0;
        FormHooks::SetRestoreIfIconic([&restored] { ++restored; });
        start(1);
        QCOMPARE(restored, 1);
        form->Close();
        QCOMPARE(restored, 2);
        FormHooks::SetRestoreIfIconic(nullptr);
    }

    void taskbarFollowsTheSteps()
    {
        start(4);
        taskbar->calls.clear();
        form->AddStep(QStringLiteral("a"));
        form->AddStep(QStringLiteral("b"));
        form->ResetProgress();
        form->AddStep(QStringLiteral("c"));
        form->Close();
        QCOMPARE(taskbar->calls, (QStringList{"1/4", "2/4", "none", "1/4", "none"}));
    }

    void launcherEntrySignal()
    {
        const QDBusMessage m = LauncherEntryProgress::UpdateMessage(QStringLiteral("application://x.desktop"), 0.25, true);
        QCOMPARE(m.type(), QDBusMessage::SignalMessage);
        QCOMPARE(m.interface(), QStringLiteral("com.canonical.Unity.LauncherEntry"));
        QCOMPARE(m.member(), QStringLiteral("Update"));
        QCOMPARE(m.arguments().size(), 2);
        QCOMPARE(m.arguments().at(0).toString(), QStringLiteral("application://x.desktop"));
        const QVariantMap props = m.arguments().at(1).toMap();
        QCOMPARE(props.value(QStringLiteral("progress")).toDouble(), 0.25);
        QCOMPARE(props.value(QStringLiteral("progress-visible")).toBool(), true);
        QVERIFY(LauncherEntryProgress::DefaultAppUri().startsWith(QStringLiteral("application://")));
        QVERIFY(LauncherEntryProgress::DefaultAppUri().endsWith(QStringLiteral(".desktop")));
    }

    void longLineWidensTheFormUpToTheWorkArea()
    {
        start(2);
        const int before = form->width();
        const QString text = QStringLiteral("Reading Task Field Values of ") + QString(QStringLiteral("W")).repeated(60);
        form->AddStep(text);
        form->FlushNow();
        const QFontMetrics fm(form->List()->font());
        QVERIFY(form->width() > before);
        QVERIFY(form->List()->viewport()->width() >= fm.horizontalAdvance(form->Lines().last()));
        QVERIFY(form->frameGeometry().left() >= 0);
        QVERIFY(form->frameGeometry().right() < FormsTestEnv::kWorkArea.right() + 1);
        // Never narrows while the operation runs.
        const int wide = form->width();
        form->AddStep(QStringLiteral("Short"));
        form->FlushNow();
        QCOMPARE(form->width(), wide);

        // Wider than the work area: as wide as the work area.
        form->AddStep(QString(QStringLiteral("W")).repeated(400));
        form->FlushNow();
        QCOMPARE(form->frameGeometry().width(), FormsTestEnv::kWorkArea.width());
        QCOMPARE(form->frameGeometry().left(), 0);
    }

    void aMillionUpdatesAreThrottled()
    {
        start(3);
        form->AddStep(QStringLiteral("Filtering..."));
        form->StartStepProgress(1000000);
        form->FlushNow();
        PaintCounter counter;
        form->List()->viewport()->installEventFilter(&counter);
        QStringList texts;
        for (int i = 0; i < 1000; ++i)
            texts << QStringLiteral("Filtering Task: %1 of 1000000...").arg(i);
        const int flushesBefore = form->FlushCount();

        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 1000000; ++i)
            form->UpdateStepLine(texts.at(i % 1000));
        const qint64 ms = t.elapsed();
        qInfo("1,000,000 UpdateStepLine calls: %lld ms, %d flushes, %d list paints", ms,
              form->FlushCount() - flushesBefore, counter.paints);
        QVERIFY2(ms < 1000, qPrintable(QString::number(ms)));
        QVERIFY(form->FlushCount() - flushesBefore <= ms / TUF_Progress::kFlushIntervalMs + 2);
        // A flush paints the list at once, and the view may follow up with
        // its own paint at the next pump: at most two per flush.
        QVERIFY(counter.paints <= 2 * (ms / TUF_Progress::kFlushIntervalMs + 2));

        // The latest text and counters are exact, and reach the screen.
        const QString last = Utils::Format(Progress::stepFormat(), {1, texts.at(999999 % 1000)});
        QCOMPARE(form->Lines().last(), last);
        QCOMPARE(form->StepPosition(), 1000000);
        QTRY_COMPARE(form->List()->item(0)->text(), last);
        QCOMPARE(form->StepBar()->value(), 1000000);

        // Polling (and so pumping) every 150 items keeps the screen current
        // at the same cost.
        form->StartStepProgress(300000);
        const int paintsBefore = counter.paints;
        t.restart();
        for (int i = 0; i < 300000; ++i) {
            form->UpdateStepLine(texts.at(i % 1000));
            if (i % 150 == 0)
                Progress::PollCancel();
        }
        const qint64 ms2 = t.elapsed();
        qInfo("300,000 updates polled every 150: %lld ms, %d list paints", ms2, counter.paints - paintsBefore);
        QVERIFY(counter.paints - paintsBefore <= 2 * (ms2 / TUF_Progress::kFlushIntervalMs + 3));

        // A quarter of a second of polled updates: the screen follows a few
        // times, never more than the interval allows.
        form->StartStepProgress(100000000);
        const int paintsBefore2 = counter.paints;
        const int flushes3 = form->FlushCount();
        t.restart();
        for (int i = 0; t.elapsed() < 250; ++i) {
            form->UpdateStepLine(texts.at(i % 1000));
            if (i % 150 == 0)
                Progress::PollCancel();
        }
        const qint64 ms3 = t.elapsed();
        const int paints3 = counter.paints - paintsBefore2;
        qInfo("%lld ms of polled updates: %d flushes, %d list paints", ms3, form->FlushCount() - flushes3, paints3);
        QVERIFY(paints3 >= 3);
        QVERIFY(paints3 <= 2 * (ms3 / TUF_Progress::kFlushIntervalMs + 3));
        QVERIFY(form->FlushCount() - flushes3 <= ms3 / TUF_Progress::kFlushIntervalMs + 3);
        form->List()->viewport()->removeEventFilter(&counter);
    }

    void changeAfterAQuietSpellIsPaintedAtOnce()
    {
        start(3);
        form->AddStep(QStringLiteral("One"));
        QTest::qWait(50);
        PaintCounter counter;
        form->List()->viewport()->installEventFilter(&counter);
        QThread::msleep(TUF_Progress::kFlushIntervalMs + 5);
        // No event is processed here: the operation may not pump for a while.
        form->AddStep(QStringLiteral("Two"));
        QCOMPARE(form->List()->count(), 2);
        QVERIFY(counter.paints >= 1);
        const int paints = counter.paints;
        QThread::msleep(TUF_Progress::kFlushIntervalMs + 5);
        form->UpdateStepLine(QStringLiteral("Two: 1 of 2"));
        QVERIFY(counter.paints > paints);
        // Within the interval a change waits for the flush timer.
        const int flushes = form->FlushCount();
        form->UpdateStepLine(QStringLiteral("Two: 2 of 2"));
        if (form->FlushCount() == flushes)
            QCOMPARE(form->List()->item(1)->text(), QStringLiteral(" [02] Two: 1 of 2 "));
        QTRY_COMPARE(form->List()->item(1)->text(), QStringLiteral(" [02] Two: 2 of 2 "));
        form->List()->viewport()->removeEventFilter(&counter);
    }

    void centreOnScreenAfterAReset()
    {
        start(1);
        platform::setWorkArea(QRect(200, 100, 900, 650));
        form->CentreOnScreen();
        QVERIFY(qAbs(form->frameGeometry().center().x() - 650) <= 1);
        QVERIFY(qAbs(form->frameGeometry().center().y() - 425) <= 1);
        // A work area smaller than the form: the form shrinks into it.
        platform::setWorkArea(QRect(0, 0, 300, 200));
        form->CentreOnScreen();
        QCOMPARE(form->frameGeometry().size(), QSize(300, 200));
        QCOMPARE(form->frameGeometry().topLeft(), QPoint(0, 0));
        platform::setWorkArea(FormsTestEnv::kWorkArea);
        form->CentreOnScreen();
    }

    void sizesFollowTheMetrics()
    {
        const int barHeight = int((qint64(14) * FontHeight + 6) / 13);
        QCOMPARE(form->TotalBar()->height(), barHeight);
        QCOMPARE(form->StepBar()->y(), form->TotalBar()->y() + barHeight + 6);
        QCOMPARE(form->CancelButton()->size(), QSize(Utils::ScaleWidth(80), FontHeight + BBtnPad));
        QCOMPARE(form->CancelButton()->geometry().right() + 1, form->width() - 8);
        QCOMPARE(form->TotalBar()->geometry().right() + 1, form->width() - 8);
        QCOMPARE(form->CancelButton()->text(), QStringLiteral(" Cancel "));
        QCOMPARE(form->CancelButton()->toolTip(), UIT(899) + "\n" + UIT(900));
        QVERIFY(!form->CancelButton()->autoDefault());
        // Every step text fits with a three-digit step number.
        const QFontMetrics fm(form->List()->font());
        for (int id = 317; id <= 391; ++id)
            QVERIFY(fm.horizontalAdvance(" [888] " + UIT(id) + " ") <= form->List()->viewport()->width());
    }
};

QTEST_MAIN(TestProgressForm)
#include "tst_progress_form.moc"
