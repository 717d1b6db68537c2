#include "KeyStore.h"
#include "MachineKeys.h"
#include "REG_Utils.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace REG_Utils;
using platform::RegistryError;
using platform::RootKey;

class TestRegistry : public QObject {
    Q_OBJECT
    const QString key = QStringLiteral("Software\\Kelvane\\Tarvo ZOL Lumo\\UP");

private slots:
    void storeIsInTheTestsConfigFolder()
    {
        // The runner points XDG_CONFIG_HOME at a scratch folder.
        QVERIFY(platform::userStoreFile().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    }

    void typedRoundTrip()
    {
        QVERIFY(!ValueExists(RootKey::CurrentUser, key, QStringLiteral("HintPause")));
        QCOMPARE(ReadInteger(RootKey::CurrentUser, key, QStringLiteral("HintPause"), 500), 500);
        // A missing value does not create the key.
        QVERIFY(!platform::keyStore().keyExists(RootKey::CurrentUser, key));

        WriteInteger(RootKey::CurrentUser, key, QStringLiteral("HintPause"), 750);
        WriteString(RootKey::CurrentUser, key, QStringLiteral("DefaultTFOther"), QStringLiteral("/home/u/t=1;x.xlsx"));
        WriteBool(RootKey::CurrentUser, key, QStringLiteral("PromptOnExit"), false);
        WriteInteger(RootKey::CurrentUser, key, QStringLiteral("Left"), -20);
        QVERIFY(ValueExists(RootKey::CurrentUser, key, QStringLiteral("HintPause")));
        QCOMPARE(ReadInteger(RootKey::CurrentUser, key, QStringLiteral("HintPause"), 0), 750);
        QCOMPARE(ReadInteger(RootKey::CurrentUser, key, QStringLiteral("Left"), 0), -20);
        QCOMPARE(ReadString(RootKey::CurrentUser, key, QStringLiteral("DefaultTFOther"), QString()),
                 QStringLiteral("/home/u/t=1;x.xlsx"));
        QCOMPARE(ReadBool(RootKey::CurrentUser, key, QStringLiteral("PromptOnExit"), true), false);
    }

    void wrongTypeRaises()
    {
        WriteString(RootKey::CurrentUser, key, QStringLiteral("AsText"), QStringLiteral("12"));
        WriteInteger(RootKey::CurrentUser, key, QStringLiteral("AsNumber"), 12);
        QVERIFY_THROWS_EXCEPTION(RegistryError, ReadInteger(RootKey::CurrentUser, key, QStringLiteral("AsText"), 0));
        QVERIFY_THROWS_EXCEPTION(RegistryError, ReadBool(RootKey::CurrentUser, key, QStringLiteral("AsText"), false));
        QVERIFY_THROWS_EXCEPTION(RegistryError, ReadString(RootKey::CurrentUser, key, QStringLiteral("AsNumber"), QString()));
    }

    void readBoolOfTwoIsTrue()
    {
        WriteInteger(RootKey::CurrentUser, key, QStringLiteral("Two"), 2);
        QVERIFY(ReadBool(RootKey::CurrentUser, key, QStringLiteral("Two"), false));
    }

    void writeCreatesEveryLevel()
    {
        const QString deep = QStringLiteral("Software\\Kelvane\\Tarvo ZOL Lumo\\WMs\\WM_3");
        QVERIFY(!platform::keyStore().keyExists(RootKey::CurrentUser, QStringLiteral("Software\\Kelvane\\Tarvo ZOL Lumo\\WMs")));
        QVERIFY(WriteBool(RootKey::CurrentUser, deep, QStringLiteral("FormPositionReset"), true));
        QVERIFY(platform::keyStore().keyExists(RootKey::CurrentUser, QStringLiteral("Software\\Kelvane\\Tarvo ZOL Lumo\\WMs")));
        QVERIFY(ReadBool(RootKey::CurrentUser, deep, QStringLiteral("FormPositionReset"), false));
    }

    void valuesSurviveInTheFile()
    {
        // What a later start of the program reads back.
        QSettings s(platform::userStoreFile(), QSettings::IniFormat);
        QCOMPARE(s.value(QStringLiteral("Software/Kelvane/Tarvo ZOL Lumo/UP/HintPause")).toString(),
                 QStringLiteral("dword:000002ee"));
    }

    void machineKeysAreReadOnly()
    {
        QVERIFY_THROWS_EXCEPTION(RegistryError,
                                 WriteString(RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(), QStringLiteral("x")));
    }

    void machineKeysFile()
    {
        QTemporaryDir tmp;
        const QString file = tmp.path() + "/machine.ini";
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Text));
        f.write("; a test machine\n"
                "[HKEY_CLASSES_ROOT\\Excel.Application\\CurVer]\n"
                "@=Excel.Application.11\n"
                "[HKEY_CLASSES_ROOT\\Installer\\Products\\00002109020090400000000000F01FEC]\n"
                "ProductName=Compatibility Pack\n"
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Broken]\n"
                "Value=!error\n");
        f.close();
        platform::MachineKeyTable table;
        QVERIFY(table.load(file));
        platform::setMachineKeys(&table);
        QCOMPARE(ReadString(RootKey::ClassesRoot, QStringLiteral("excel.application\\curver"), QString(), QString()),
                 QStringLiteral("Excel.Application.11"));
        QVERIFY(ValueExists(RootKey::ClassesRoot, QStringLiteral("Installer\\Products\\00002109020090400000000000F01FEC"),
                            QStringLiteral("ProductName")));
        QVERIFY(!ValueExists(RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QStringLiteral("Other")));
        QCOMPARE(ReadString(RootKey::ClassesRoot, QStringLiteral("NoSuchKey"), QString(), QStringLiteral("def")),
                 QStringLiteral("def"));
        QVERIFY_THROWS_EXCEPTION(RegistryError,
                                 ReadString(RootKey::LocalMachine, QStringLiteral("SOFTWARE\\Broken"), QStringLiteral("Value"), QString()));
        platform::setMachineKeys(nullptr);
    }

    void synthesisedMachineKeys()
    {
        // Without a file, the office present on this machine reads as the newest version.
        qunsetenv("ZOLL_MACHINE_KEYS");
        const QString curVer = ReadString(RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(), QString());
        if (QFileInfo::exists(platform::sofficePath()))
            QCOMPARE(curVer, QStringLiteral("Excel.Application.15"));
        else
            QCOMPARE(curVer, QString());
        QVERIFY(!ValueExists(RootKey::ClassesRoot, QStringLiteral("Installer\\Products\\00002109020090400000000000F01FEC"),
                             QStringLiteral("ProductName")));
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
