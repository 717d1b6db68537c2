#include "Progress.h"

#include <QtTest>

class TestProgress : public QObject {
    Q_OBJECT
    QString m_stepFormat;

private slots:
    void init()
    {
        m_stepFormat = QStringLiteral(" [%.2d] %s ");
        Progress::setFormatSources([this] { return m_stepFormat; }, [] { return QStringLiteral(" [--] %s "); });
        Progress::setPump([] {});
    }
    void cleanup()
    {
        Progress::setFormatSources({}, {});
        Progress::setPump({});
        Progress::setForm(nullptr);
    }

    void lineOperations()
    {
        MemoryProgress p;
        // Nothing to change on an empty list.
        p.UpdateStepLine(QStringLiteral("x"));
        p.AppendToLastLine(QStringLiteral("x"));
        p.AppendToLine(QStringLiteral("x"), 0);
        QVERIFY(p.lines().isEmpty());
        QCOMPARE(p.stepPosition(), 0);

        QCOMPARE(p.AddStepIdx(QStringLiteral("Opening...")), 0);
        p.AddLine(QStringLiteral("Note"));
        QCOMPARE(p.AddStepIdx(QStringLiteral("Filtering...")), 2);
        p.StartStepProgress(10);
        p.UpdateStepLine(QStringLiteral("Filtering Task: 1 of 10..."));
        p.UpdateStepLine(QStringLiteral("Filtering Task: 2 of 10..."));
        p.AppendToLastLine(QStringLiteral("Complete."));
        p.AppendToLine(QStringLiteral("Done."), 0);
        p.AppendToLine(QStringLiteral("ignored"), 3);
        p.AppendToLine(QStringLiteral("ignored"), -1);
        const QStringList expected{" [01] Opening... Done. ", " [--] Note ",
                                   " [02] Filtering Task: 2 of 10... Complete. "};
        QCOMPARE(p.lines(), expected);
        QCOMPARE(p.currentStep(), 2);
        QCOMPARE(p.stepPosition(), 2);
        QCOMPARE(p.stepMax(), 10);
        QVERIFY(p.stepVisible());

        p.ResetProgress();
        QVERIFY(p.lines().isEmpty());
        QCOMPARE(p.currentStep(), 0);
        QCOMPARE(p.stepPosition(), 0);
        QVERIFY(!p.stepVisible());
    }

    // The plan may widen the step numbers while a counter line waits to be
    // formatted: the waiting line keeps the width it was written with.
    void aWaitingStepLineKeepsItsFormat()
    {
        MemoryProgress p;
        p.AddStep(QStringLiteral("One"));
        p.UpdateStepLine(QStringLiteral("One: 5 of 9"));
        m_stepFormat = QStringLiteral(" [%.3d] %s ");
        p.AddStep(QStringLiteral("Two"));
        QCOMPARE(p.lines(), (QStringList{" [01] One: 5 of 9 ", " [002] Two "}));

        p.UpdateStepLine(QStringLiteral("Two: 1 of 2"));
        m_stepFormat = QStringLiteral(" [%.2d] %s ");
        QCOMPARE(p.lines().last(), QStringLiteral(" [002] Two: 1 of 2 "));
    }

    void pollCancelClearsTheFlagAndAborts()
    {
        MemoryProgress p;
        int pumps = 0;
        Progress::setPump([&pumps] { ++pumps; });
        Progress::setForm(&p);
        Progress::PollCancel();
        QCOMPARE(pumps, 1);
        p.SetCancelled(true);
        QVERIFY_THROWS_EXCEPTION(OperationAborted, Progress::PollCancel());
        QCOMPARE(pumps, 2);
        QVERIFY(!p.Cancelled());
        Progress::PollCancel();
    }
};

QTEST_GUILESS_MAIN(TestProgress)
#include "tst_progress.moc"
