#include "Shell.h"
#include "SpecialFolders.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QtTest>

namespace {
struct RecordingShell : platform::IShell {
    QStringList files;
    int open(const QString& file, const QString&, const QString&, int, QObject*, platform::OpenFailed) override
    {
        files << file;
        return 42;
    }
};
} // namespace

class TestAppData : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitUILs(); }

    void padsFollowTheFontHeight_data()
    {
        QTest::addColumn<int>("fontHeight");
        QTest::addColumn<int>("small");
        QTest::addColumn<int>("button");
        QTest::newRow("13") << 13 << 8 << 11;
        QTest::newRow("16") << 16 << 8 << 11;
        QTest::newRow("10") << 10 << 11 << 14;
        QTest::newRow("12") << 12 << 9 << 12;
    }
    void padsFollowTheFontHeight()
    {
        QFETCH(int, fontHeight);
        QFETCH(int, small);
        QFETCH(int, button);
        Utils::SetPadsFromFontHeight(fontHeight);
        QCOMPARE(SmallBBtnPad, small);
        QCOMPARE(BBtnPad, button);
        QCOMPARE(SBtnPad, button);
    }

    void averageCharWidthRounds()
    {
        QCOMPARE(Utils::AverageCharWidth(26 * 12), 6);   // exactly two average characters of 6
        QCOMPARE(Utils::AverageCharWidth(26 * 13), 7);   // 6.5 rounds up
        QCOMPARE(Utils::AverageCharWidth(26 * 12 + 25), 6);
    }

    void scaleWidth()
    {
        AveCharWidth = 6;
        QCOMPARE(Utils::ScaleWidth(80), 80);
        AveCharWidth = 7;
        QCOMPARE(Utils::ScaleWidth(80), 93); // MulDiv rounds 93.33
        AveCharWidth = 6;
    }

    void documentsAndFolder()
    {
        qputenv("ZOL_PROGRAM_DIR", "/opt/tzl");
        TzyAD ad;
        QCOMPARE(TzyAD::GetAppFolder(), QStringLiteral("/opt/tzl/"));
        QCOMPARE(ad.getTutorialFile(), QStringLiteral("/opt/tzl/Tutorial/Tarvo_ZOL_Lumo_Tutorial.pdf"));
        QCOMPARE(ad.getUserManualFile(), QStringLiteral("/opt/tzl/User_Manual/Tarvo_ZOL_Lumo_User_Manual.pdf"));
        QCOMPARE(ad.getWhitePaperFile(), QStringLiteral("/opt/tzl/White_Paper/Pelorine.pdf"));
        QCOMPARE(ad.getWhitePaperFolder(), QStringLiteral("/opt/tzl/White_Paper/"));
        QVERIFY(ad.Msgs.isEmpty());
        // Without a GUI the metrics keep their defaults.
        QCOMPARE(FontHeight, 13);
        QCOMPARE(AveCharWidth, 6);
    }

    // Where the program finds its templates, sample and documents, for each
    // layout it runs from.
    void programFolderRules_data()
    {
        QTest::addColumn<QStringList>("dirs");
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("docs");
        QTest::newRow("build tree") << QStringList{"build/bin/Templates", "build/bin/Tutorial"} << "build/bin"
                                    << "build/bin" << "build/bin";
        QTest::newRow("installed") << QStringList{"usr/lib/tarvo-zol-lumo", "usr/share/tarvo-zol-lumo/Templates",
                                                  "usr/share/doc/tarvo-zol-lumo/Tutorial"}
                                   << "usr/lib/tarvo-zol-lumo" << "usr/share/tarvo-zol-lumo"
                                   << "usr/share/doc/tarvo-zol-lumo";
        QTest::newRow("installed, documents removed")
            << QStringList{"opt/lib/tarvo-zol-lumo", "opt/share/tarvo-zol-lumo/Templates"} << "opt/lib/tarvo-zol-lumo"
            << "opt/share/tarvo-zol-lumo" << "opt/share/doc/tarvo-zol-lumo";
        QTest::newRow("program folder copied whole")
            << QStringList{"lib/tarvo-zol-lumo/Templates", "share/tarvo-zol-lumo/Templates"} << "lib/tarvo-zol-lumo"
            << "lib/tarvo-zol-lumo" << "lib/tarvo-zol-lumo";
        QTest::newRow("nothing beside it") << QStringList{"x/bin"} << "x/bin" << "x/bin" << "x/bin";
    }

    void programFolderRules()
    {
        QFETCH(QStringList, dirs);
        QFETCH(QString, exe);
        QFETCH(QString, data);
        QFETCH(QString, docs);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        for (const QString& d : dirs)
            QVERIFY(QDir(root.path()).mkpath(d));
        const QString base = root.path() + QLatin1Char('/');
        QCOMPARE(platform::programFolderFor(base + exe), base + data);
        QCOMPARE(platform::programDocumentFolderFor(base + exe), base + docs);
    }

    void versionHasFourNumbers()
    {
        const QStringList parts = TzyAD::GetFileVersion().split(QLatin1Char('.'));
        QCOMPARE(parts.size(), 4);
        for (const QString& p : parts) {
            bool ok = false;
            p.toInt(&ok);
            QVERIFY(ok);
        }
    }

    void shellOpenGoesThroughTheShell()
    {
        RecordingShell shell;
        platform::setShell(&shell);
        QVERIFY(Utils::ShellOpen(QStringLiteral("/tmp/out.xlsx"), QString(), QString(), 10, nullptr, {}) > 32);
        QCOMPARE(shell.files, QStringList{QStringLiteral("/tmp/out.xlsx")});
        platform::setShell(nullptr);
    }
};

QTEST_GUILESS_MAIN(TestAppData)
#include "tst_appdata.moc"
