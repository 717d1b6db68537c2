#include "SingleInstance.h"

#include <QLocalSocket>
#include <QtEndian>
#include <QtTest>

namespace {

// A running probe with the lines it has printed so far.
class Probe {
public:
    explicit Probe(const QString& instanceName, const QStringList& env = {})
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("ZOLL_INSTANCE_NAME"), instanceName);
        for (const QString& kv : env)
            e.insert(kv.section(QLatin1Char('='), 0, 0), kv.section(QLatin1Char('='), 1));
        m_process.setProcessEnvironment(e);
        m_process.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/guard_probe"));
    }
    ~Probe()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    void start(const QStringList& args = {})
    {
        m_process.setArguments(args);
        m_process.start();
    }
    // Waits until the line was printed.
    bool waitFor(const QString& line, int ms = 10000)
    {
        QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            for (const QString& l : lines())
                if (l == line)
                    return true;
            if (m_process.state() == QProcess::NotRunning)
                return false;
            m_process.waitForReadyRead(50);
        }
        return false;
    }
    bool finish(int ms = 10000)
    {
        if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(ms))
            return false;
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }
    // Ends a first instance the ordinary way: its input closes.
    bool stop()
    {
        m_process.closeWriteChannel();
        return finish();
    }
    void killHard()
    {
        m_process.kill(); // SIGKILL: nothing is cleaned up
        m_process.waitForFinished(5000);
    }
    QStringList lines()
    {
        m_out += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QProcess m_process;
    QString m_out;
};

const QStringList kBusyBox = {"BOX| Tarvo ZOL Lumo is already running, but is busy. ", "BOX|",
                              "BOX| Please try again later. "};

QStringList boxLines(Probe& p)
{
    QStringList out;
    for (const QString& l : p.lines())
        if (l.startsWith(QLatin1String("BOX|")))
            out << l;
    return out;
}

} // namespace

class TestGuard : public QObject {
    Q_OBJECT
private slots:
    void copyData_data()
    {
        QTest::addColumn<QStringList>("params");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("none") << QStringList() << QByteArray("\0\0", 2);
        QTest::newRow("a and bc") << QStringList{"a", "bc"} << QByteArray("a\0\0\0b\0c\0\0\0\0\0", 12);
        QTest::newRow("empty parameter") << QStringList{""} << QByteArray("\0\0\0\0", 4);
        QTest::newRow("beyond Latin-1") << QStringList{QStringLiteral("\u20ac")} << QByteArray("\xac\x20\0\0\0\0", 6);
    }
    void copyData()
    {
        QFETCH(QStringList, params);
        QFETCH(QByteArray, data);
        QCOMPARE(Utils::SingleInstanceCopyData(params), data);
        QStringList back;
        QVERIFY(Utils::ParseSingleInstanceCopyData(data, back));
        QCOMPARE(back, params);
    }

    void malformedCopyDataIsRefused_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("odd size") << QByteArray("a\0\0", 3);
        QTest::newRow("no final NUL") << QByteArray("a\0b\0", 4);
        QTest::newRow("last parameter unterminated") << QByteArray("a\0\0\0b\0\0\0", 8);
    }
    void malformedCopyDataIsRefused()
    {
        QFETCH(QByteArray, data);
        QStringList params;
        QVERIFY(!Utils::ParseSingleInstanceCopyData(data, params));
    }

    void namesFollowTheOverride()
    {
        qputenv("ZOLL_INSTANCE_NAME", "guard_names");
        QCOMPARE(Utils::SingleInstanceMutexName(), QStringLiteral("guard_names_M"));
        QCOMPARE(Utils::SingleInstanceMsgName(), QStringLiteral("guard_names_S"));
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QCOMPARE(Utils::SingleInstanceServerName(), runtime + "/guard_names_S");
        QCOMPARE(Utils::SingleInstanceLockFile(), runtime + "/guard_names_M.lock");
        qunsetenv("ZOLL_INSTANCE_NAME");
        QCOMPARE(Utils::SingleInstanceMutexName(), QStringLiteral("Tarvo_ZOL_Lumo_BF2584AE-67C7-4BCB-A8C7-10B05ED27F10"));
        // However deep the runtime folder, the socket path stays within the
        // system's limit.
        QVERIFY(Utils::SingleInstanceServerName().toLocal8Bit().size() <= 107);
        QVERIFY(Utils::SingleInstanceServerName().startsWith(runtime + "/"));
    }

    // Whatever else connects to the socket gets no answer that means
    // anything, and the main form is not asked.
    void foreignDataIsNotHandedOn_data()
    {
        QTest::addColumn<QByteArray>("message");
        auto le = [](quint32 v) { QByteArray b(4, '\0'); qToLittleEndian(v, b.data()); return b; };
        QTest::newRow("wrong tag") << le(0x4C4C4F5Au) + le(2) + QByteArray("\0\0", 2);
        QTest::newRow("oversized") << le(Utils::SingleInstanceTag) + le(0x7FFFFFFFu);
        QTest::newRow("odd size") << le(Utils::SingleInstanceTag) + le(3) + QByteArray("a\0\0", 3);
        QTest::newRow("unterminated") << le(Utils::SingleInstanceTag) + le(4) + QByteArray("a\0b\0", 4);
    }
    void foreignDataIsNotHandedOn()
    {
        QFETCH(QByteArray, message);
        qputenv("ZOLL_INSTANCE_NAME", "guard_foreign");
        int calls = 0;
        SingleInstanceServer server([&calls](const QStringList&) { ++calls; return Utils::SingleInstanceActivated; });
        QVERIFY(server.listen());
        QLocalSocket client;
        client.connectToServer(Utils::SingleInstanceServerName());
        qunsetenv("ZOLL_INSTANCE_NAME");
        QVERIFY(client.waitForConnected(2000));
        client.write(message);
        QTRY_VERIFY(client.bytesAvailable() >= 4 || client.state() == QLocalSocket::UnconnectedState);
        QCOMPARE(client.read(4), QByteArray(4, '\0'));
        QCOMPARE(calls, 0);
    }

    void handOverWithinOneProcess()
    {
        qputenv("ZOLL_INSTANCE_NAME", "guard_inproc");
        QStringList received;
        SingleInstanceServer server([&received](const QStringList& p) { received = p; return Utils::SingleInstanceBusy; });
        QVERIFY(server.listen());
        QLocalSocket client;
        client.connectToServer(Utils::SingleInstanceServerName());
        qunsetenv("ZOLL_INSTANCE_NAME");
        QVERIFY(client.waitForConnected(2000));
        const QByteArray data = Utils::SingleInstanceCopyData({QStringLiteral("/d/a b.zol"), QStringLiteral("-x")});
        QByteArray message(8, '\0');
        qToLittleEndian(Utils::SingleInstanceTag, message.data());
        qToLittleEndian(quint32(data.size()), message.data() + 4);
        // In two pieces: the server waits for the whole hand-over.
        client.write(message + data.left(5));
        client.flush();
        QTest::qWait(50);
        QVERIFY(received.isEmpty());
        client.write(data.mid(5));
        QTRY_VERIFY(client.bytesAvailable() >= 4);
        QCOMPARE(qFromLittleEndian<qint32>(client.read(4).constData()), Utils::SingleInstanceBusy);
        QCOMPARE(received, QStringList({"/d/a b.zol", "-x"}));
    }

    void secondStartHandsOverAndEnds()
    {
        Probe first(QStringLiteral("guard_handover"));
        first.start();
        QVERIFY(first.waitFor(QStringLiteral("LISTENING")));

        Probe second(QStringLiteral("guard_handover"));
        second.start({QStringLiteral("a"), QStringLiteral("bc")});
        QVERIFY(second.finish());
        QCOMPARE(second.lines(), QStringList{"OTHER"});
        QVERIFY(first.waitFor(QStringLiteral("PARAMS:a|bc")));

        // A start without parameters hands over an empty list.
        Probe third(QStringLiteral("guard_handover"));
        third.start();
        QVERIFY(third.finish());
        QCOMPARE(third.lines(), QStringList{"OTHER"});
        QVERIFY(first.waitFor(QStringLiteral("PARAMS:")));

        QVERIFY(first.stop());
        // Once the first has ended, the next start is the only instance.
        Probe next(QStringLiteral("guard_handover"));
        next.start();
        QVERIFY(next.waitFor(QStringLiteral("LISTENING")));
        QVERIFY(next.stop());
    }

    void busyFirstInstanceShowsTheBusyBox()
    {
        Probe first(QStringLiteral("guard_busy"), {QStringLiteral("ZOLL_PROBE_BUSY=1")});
        first.start();
        QVERIFY(first.waitFor(QStringLiteral("LISTENING")));

        Probe second(QStringLiteral("guard_busy"));
        second.start({QStringLiteral("x")});
        QVERIFY(second.finish());
        QCOMPARE(boxLines(second), kBusyBox);
        QVERIFY(second.lines().contains(QStringLiteral("OTHER")));
        QVERIFY(first.waitFor(QStringLiteral("PARAMS:x")));
        QVERIFY(first.stop());
    }

    // The first instance holds its lock but has no main form yet: a second
    // start finds nobody to talk to and ends silently.
    void firstWithoutMainFormEndsTheSecondSilently()
    {
        Probe first(QStringLiteral("guard_early"), {QStringLiteral("ZOLL_PROBE_NO_SERVER=1")});
        first.start();
        QVERIFY(first.waitFor(QStringLiteral("LOCKED")));
        Probe second(QStringLiteral("guard_early"));
        second.start({QStringLiteral("a")});
        QVERIFY(second.finish());
        QCOMPARE(second.lines(), QStringList{"OTHER"});
        QVERIFY(first.stop());
    }

    // A crashed first instance leaves its lock file and its socket behind;
    // neither may keep the program from starting again.
    void lockOfAKilledInstanceDoesNotBlock()
    {
        qputenv("ZOLL_INSTANCE_NAME", "guard_killed");
        const QString lockFile = Utils::SingleInstanceLockFile();
        const QString socketFile = Utils::SingleInstanceServerName();
        qunsetenv("ZOLL_INSTANCE_NAME");
        {
            Probe crashed(QStringLiteral("guard_killed"));
            crashed.start();
            QVERIFY(crashed.waitFor(QStringLiteral("LISTENING")));
            crashed.killHard();
        }
        QVERIFY(QFile::exists(lockFile));
        QVERIFY(QFileInfo::exists(socketFile));

        Probe restarted(QStringLiteral("guard_killed"));
        restarted.start();
        QVERIFY(restarted.waitFor(QStringLiteral("LISTENING"), 5000));
        QVERIFY(restarted.lines().contains(QStringLiteral("FIRST")));

        Probe second(QStringLiteral("guard_killed"));
        second.start({QStringLiteral("again")});
        QVERIFY(second.finish());
        QCOMPARE(second.lines(), QStringList{"OTHER"});
        QVERIFY(restarted.waitFor(QStringLiteral("PARAMS:again")));
        QVERIFY(restarted.stop());
        QVERIFY(!QFile::exists(lockFile));
    }

    // A first instance that has run for hours still holds its lock: only a
    // lock whose process has gone is taken over.
    void oldLockOfARunningInstanceHolds()
    {
        qputenv("ZOLL_INSTANCE_NAME", "guard_old");
        const QString lockFile = Utils::SingleInstanceLockFile();
        qunsetenv("ZOLL_INSTANCE_NAME");
        Probe first(QStringLiteral("guard_old"));
        first.start();
        QVERIFY(first.waitFor(QStringLiteral("LISTENING")));
        QFile f(lockFile);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-6 * 3600), QFileDevice::FileModificationTime));
        f.close();

        Probe second(QStringLiteral("guard_old"));
        second.start();
        QVERIFY(second.finish());
        QCOMPARE(second.lines(), QStringList{"OTHER"});
        QVERIFY(first.stop());
    }

    // Only one of many simultaneous starts becomes the first instance.
    void simultaneousStartsGiveOneFirst()
    {
        std::vector<std::unique_ptr<Probe>> probes;
        for (int n = 0; n < 6; ++n) {
            probes.push_back(std::make_unique<Probe>(QStringLiteral("guard_race"), QStringList{QStringLiteral("ZOLL_PROBE_NO_SERVER=1")}));
            probes.back()->start();
        }
        int firsts = 0, others = 0;
        for (auto& p : probes) {
            QVERIFY(p->waitFor(QStringLiteral("LOCKED"), 3000) || p->waitFor(QStringLiteral("OTHER"), 3000));
            const QStringList l = p->lines();
            firsts += l.contains(QStringLiteral("FIRST")) ? 1 : 0;
            others += l.contains(QStringLiteral("OTHER")) ? 1 : 0;
        }
        QCOMPARE(firsts, 1);
        QCOMPARE(others, 5);
        for (auto& p : probes)
            if (p->lines().contains(QStringLiteral("FIRST")))
                QVERIFY(p->stop());
    }
};

QTEST_GUILESS_MAIN(TestGuard)
#include "tst_guard.moc"
