// The launcher progress on a session bus of the test's own.
#include "TaskbarProgress.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestLauncherEntry : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QProcess daemon;
    QString address;
    QList<QVariantList> received;

public slots:
    void onUpdate(const QDBusMessage& m) { received << m.arguments(); }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QFAIL("dbus-daemon is needed");
        const QString socket = dir.filePath(QStringLiteral("bus"));
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                      QStringLiteral("--address=unix:path=") + socket, QStringLiteral("--print-address=1")});
        QVERIFY(daemon.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(daemon.canReadLine(), 5000);
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        QVERIFY(!address.isEmpty());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    }
    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("listener"));
        daemon.terminate();
        if (!daemon.waitForFinished(3000)) {
            daemon.kill();
            daemon.waitForFinished(3000);
        }
    }

    void stepsReachTheBus()
    {
        QDBusConnection listener = QDBusConnection::connectToBus(address, QStringLiteral("listener"));
        QVERIFY(listener.isConnected());
        QVERIFY(listener.connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                 QStringLiteral("Update"), this, SLOT(onUpdate(QDBusMessage))));
        QVERIFY(LauncherEntryProgress::SessionBusAvailable());
        LauncherEntryProgress taskbar(QStringLiteral("application://tarvo-zol-lumo.desktop"));
        taskbar.SetProgressValue(3, 12);
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received[0].at(0).toString(), QStringLiteral("application://tarvo-zol-lumo.desktop"));
        QVariantMap props = qdbus_cast<QVariantMap>(received[0].at(1));
        QCOMPARE(props.value(QStringLiteral("progress")).toDouble(), 0.25);
        QCOMPARE(props.value(QStringLiteral("progress-visible")).toBool(), true);

        taskbar.SetNoProgress();
        taskbar.SetNoProgress();
        QTRY_COMPARE(received.size(), 2);
        QTest::qWait(50);
        QCOMPARE(received.size(), 2);
        props = qdbus_cast<QVariantMap>(received[1].at(1));
        QCOMPARE(props.value(QStringLiteral("progress-visible")).toBool(), false);
    }
};

QTEST_GUILESS_MAIN(TestLauncherEntry)
#include "tst_launcher_entry.moc"
