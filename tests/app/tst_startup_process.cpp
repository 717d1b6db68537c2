// The program's start-up between real processes: a failing step, the
// release order at exit, a second start while idle or during the splash, and
// a lock left by a killed instance.
#include <QtTest>

namespace {

class Probe {
public:
    explicit Probe(const QString& instanceName)
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("ZOLL_INSTANCE_NAME"), instanceName);
        m_process.setProcessEnvironment(e);
        m_process.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/startup_probe"));
    }
    ~Probe() { killHard(); }
    void start(const QStringList& args = {})
    {
        m_process.setArguments(args);
        m_process.start();
        QVERIFY(m_process.waitForStarted(10000));
    }
    bool waitFor(const QString& line, int ms = 60000)
    {
        QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            if (lines().contains(line))
                return true;
            if (m_process.state() == QProcess::NotRunning)
                return lines().contains(line);
            m_process.waitForReadyRead(50);
        }
        return false;
    }
    // The exit code, or -1 when it did not end normally in time.
    int finish(int ms = 60000)
    {
        if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(ms))
            return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    int stop()
    {
        m_process.closeWriteChannel();
        return finish();
    }
    void killHard()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    QStringList lines()
    {
        m_out += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QStringList prefixed(const QString& prefix)
    {
        QStringList out;
        for (const QString& l : lines())
            if (l.startsWith(prefix))
                out << l.mid(prefix.size());
        return out;
    }
    QStringList boxLines()
    {
        QStringList out;
        for (const QString& l : prefixed(QStringLiteral("BOX|")))
            if (!l.isEmpty())
                out << l;
        return out;
    }

private:
    QProcess m_process;
    QString m_out;
};

const QStringList kFormsFreed = {"UF_Summary", "UF_StdDlg", "UF_Progress", "UF_Options", "UF_CfgErr", "UF_BrowseWS", "UF_BrowseVal", "UF_BrowseFld", "UF_About", "UF_Main"};
const QStringList kGlobalsFreed = {"RHs_CD", "RHs_PS", "RFs_CD", "RFs_PS", "Process", "DV", "DF",
                                   "SDs",    "WMs",    "UP",     "OCP",    "XL",      "AD", "UILs"};

} // namespace

class TestStartupProcess : public QObject {
    Q_OBJECT
private slots:
    void failingStepIsFatal_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("failText");
        QTest::addColumn<QString>("details");
        QTest::addColumn<QStringList>("freed");
        QTest::newRow("1 texts") << 1 << "  Unable to initialise User Interface Language.  "
                                 << " Details: Start-up step 1 failed on request. " << QStringList();
        QTest::newRow("2 application data") << 2 << " Unable to initialise Application Data. "
                                            << " Details: Start-up step 2 failed on request. " << QStringList{"UILs"};
        QTest::newRow("6 preferences") << 6 << " Unable to initialise User Preferences. "
                                       << " Details: Start-up step 6 failed on request. "
                                       << QStringList{"UF_Splash", "DV", "OCP", "XL", "AD", "UILs"};
        QTest::newRow("12 report fields") << 12 << " Unable to initialise Report Fields. "
                                          << " Details: Start-up step 12 failed on request. "
                                          << (QStringList{"UF_Splash"} + kGlobalsFreed.mid(0, 2) + kGlobalsFreed.mid(4));
    }
    void failingStepIsFatal()
    {
        QFETCH(int, step);
        QFETCH(QString, failText);
        QFETCH(QString, details);
        QFETCH(QStringList, freed);
        const QString name = QStringLiteral("startup_fatal_%1").arg(step);
        Probe probe(name);
        probe.start({QStringLiteral("--fail"), QString::number(step), QStringLiteral("--splash"), QStringLiteral("0")});
        QCOMPARE(probe.finish(), 1);
        QCOMPARE(probe.boxLines(), QStringList({"Tarvo ZOL Lumo: An error has occurred.", failText, details,
                                                " This is a fatal error. Unable to continue. "}));
        QCOMPARE(probe.prefixed(QStringLiteral("FREED|")), freed);
        // No later step ran, no form was made.
        QCOMPARE(probe.prefixed(QStringLiteral("STEP|")).size(), step);
        QVERIFY(!probe.lines().contains(QStringLiteral("READY")));

        // Nothing was left behind: the next start is the only instance.
        Probe next(name);
        next.start({QStringLiteral("--splash"), QStringLiteral("0")});
        QVERIFY(next.waitFor(QStringLiteral("READY")));
        QCOMPARE(next.stop(), 0);
    }

    void exitFreesFormsThenGlobalsInOrder()
    {
        Probe probe(QStringLiteral("startup_exit"));
        probe.start({QStringLiteral("--splash"), QStringLiteral("0")});
        QVERIFY(probe.waitFor(QStringLiteral("READY")));
        QCOMPARE(probe.prefixed(QStringLiteral("STEP|")).size(), 12);
        QCOMPARE(probe.stop(), 0);
        QCOMPARE(probe.prefixed(QStringLiteral("FREED|")), QStringList{"UF_Splash"} + kFormsFreed + kGlobalsFreed);
    }

    void secondStartWhileIdleActivatesTheFirst()
    {
        Probe first(QStringLiteral("startup_idle"));
        first.start({QStringLiteral("--splash"), QStringLiteral("0")});
        QVERIFY(first.waitFor(QStringLiteral("READY")));
        Probe second(QStringLiteral("startup_idle"));
        second.start();
        QCOMPARE(second.finish(), 0);
        // Answered 121543: no busy box, no splash, no step.
        QCOMPARE(second.lines(), QStringList{"OTHER"});
        QCOMPARE(first.stop(), 0);
    }

    void secondStartDuringTheSplashIsAnsweredBusy()
    {
        Probe first(QStringLiteral("startup_splash"));
        first.start({QStringLiteral("--splash"), QStringLiteral("60000")});
        QVERIFY(first.waitFor(QStringLiteral("STEP|12")));
        Probe second(QStringLiteral("startup_splash"));
        second.start();
        QCOMPARE(second.finish(), 0);
        QCOMPARE(second.boxLines(), QStringList({" Tarvo ZOL Lumo is already running, but is busy. ",
                                                 " Please try again later. "}));
        QVERIFY(second.lines().contains(QStringLiteral("OTHER")));
        QVERIFY(!first.lines().contains(QStringLiteral("READY")));
    }

    void lockOfAKilledInstanceDoesNotBlock()
    {
        Probe first(QStringLiteral("startup_stale"));
        first.start({QStringLiteral("--splash"), QStringLiteral("0")});
        QVERIFY(first.waitFor(QStringLiteral("READY")));
        first.killHard();
        Probe next(QStringLiteral("startup_stale"));
        next.start({QStringLiteral("--splash"), QStringLiteral("0")});
        QVERIFY(next.waitFor(QStringLiteral("READY")));
        QCOMPARE(next.stop(), 0);
    }
};

QTEST_GUILESS_MAIN(TestStartupProcess)
#include "tst_startup_process.moc"
