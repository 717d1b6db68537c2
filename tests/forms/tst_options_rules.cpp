// The Options dialog's widget-free rules: the items a stored delay shows,
// the texts of the template and folder boxes, the checks of an Other entry,
// the message of a refused Close and the snapshot Cancel puts back.
#include "OptionsRules.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyDV.h"
#include "zyUIL.h"
#include "zyUP.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestOptionsRules : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

private slots:
    void initTestCase()
    {
        InitUILs();
        AD = std::make_unique<TzyAD>();
        UP = std::make_unique<TzyUP>();
    }

    void lists()
    {
        const QVector<int> pause = OptionsRules::HintPauseItems();
        QCOMPARE(pause.size(), 21);
        QCOMPARE(pause.first(), 0);
        QCOMPARE(pause.last(), 2000);
        const QVector<int> hide = OptionsRules::HintHidePauseItems();
        QCOMPARE(hide.size(), 17);
        QCOMPARE(hide.first(), 1000);
        QCOMPARE(hide[6], 2500);
        QCOMPARE(hide.last(), 5000);
    }

    void nearestItem_data()
    {
        QTest::addColumn<bool>("hide");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("pause on an item") << false << 500 << 500;
        QTest::newRow("pause between, halfway: the lower") << false << 550 << 500;
        QTest::newRow("pause nearer the upper") << false << 1960 << 2000;
        QTest::newRow("pause nearer the lower") << false << 1249 << 1200;
        QTest::newRow("pause below the list") << false << -40 << 0;
        QTest::newRow("hide on an item") << true << 3000 << 3000;
        QTest::newRow("hide halfway: the lower") << true << 3125 << 3000;
        QTest::newRow("hide nearer the upper") << true << 3126 << 3250;
        QTest::newRow("hide above the list") << true << 9000 << 5000;
    }

    void nearestItem()
    {
        QFETCH(bool, hide);
        QFETCH(int, stored);
        QFETCH(int, shown);
        const QVector<int> items = hide ? OptionsRules::HintHidePauseItems() : OptionsRules::HintPauseItems();
        QCOMPARE(items[OptionsRules::NearestItem(items, stored)], shown);
    }

    void sampleCount()
    {
        QCOMPARE(OptionsRules::SampleCountItem(3), 3);
        QCOMPARE(OptionsRules::SampleCountItem(5), 5);
        QCOMPARE(OptionsRules::SampleCountItem(6), 0);
        QCOMPARE(OptionsRules::SampleCountItem(-1), 0);
    }

    void choiceTexts()
    {
        TzyUP up;
        QCOMPARE(OptionsRules::TemplateChoiceText(up, 0, QStringLiteral("xlsx")), QString());
        QCOMPARE(OptionsRules::TemplateChoiceText(up, 1, QStringLiteral("XLS")), up.GetTemplateXLS());
        QCOMPARE(OptionsRules::TemplateChoiceText(up, 1, QStringLiteral("xlsx")), up.GetTemplateXLSX());
        QCOMPARE(OptionsRules::TemplateChoiceText(up, 2, QStringLiteral("xlsx")), up.GetTemplateXLS());
        QCOMPARE(OptionsRules::TemplateChoiceText(up, 3, QStringLiteral("xls")), up.GetTemplateXLSX());
        // "Other..." while "Auto" is stored: the Auto template, to edit.
        up.SetDefaultTFDDLItemIndex(TzyUP::tfAuto);
        QCOMPARE(OptionsRules::TemplateChoiceText(up, 4, QStringLiteral("xlsx")), up.GetDefaultTemplateFile());
        up.SetDefaultTFDDLItemIndex(TzyUP::tfOther);
        up.SetDefaultTFOther(QStringLiteral("/data/mine.xlsx"));
        QCOMPARE(OptionsRules::TemplateChoiceText(up, 4, QStringLiteral("xlsx")), QStringLiteral("/data/mine.xlsx"));

        QCOMPARE(OptionsRules::FolderChoiceText(up, 0), QString());
        QCOMPARE(OptionsRules::FolderChoiceText(up, 1), Utils::GetDesktopFolder());
        QCOMPARE(OptionsRules::FolderChoiceText(up, 2), Utils::GetMyDocumentsFolder());
        up.SetDefaultOFFolderDDLItemIndex(TzyUP::ofOther);
        up.SetDefaultOFFolderOther(QStringLiteral("/data/out"));
        QCOMPARE(OptionsRules::FolderChoiceText(up, 3), QStringLiteral("/data/out/"));
    }

    void templateFault_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("fault"); // empty: no fault
        QTest::newRow("a real template") << QStringLiteral("@template") << QString();
        QTest::newRow("undefined") << QString() << QStringLiteral("The Default Template File is undefined.");
        QTest::newRow("text extension") << QStringLiteral("@notes.txt")
                                        << QStringLiteral("The Default Template File Extension is invalid.");
        QTest::newRow("missing") << QStringLiteral("/no/such/folder/t.xlsx")
                                 << QStringLiteral("The Default Template File cannot be found.");
        QTest::newRow("not a workbook") << QStringLiteral("@fake.xlsx")
                                        << QStringLiteral("The selected Default Template File is not a valid Excel file.");
    }

    void templateFault()
    {
        QFETCH(QString, file);
        QFETCH(QString, fault);
        if (file == QLatin1String("@template"))
            file = qEnvironmentVariable("ZOL_SOURCE_DIR") + QStringLiteral("/resources/templates/Tarvo_ZOL_Lumo_Template.xlsx");
        else if (file == QLatin1String("@notes.txt"))
            file = writeFile(QStringLiteral("notes.txt"), "notes");
        else if (file == QLatin1String("@fake.xlsx"))
            file = writeFile(QStringLiteral("fake.xlsx"), "just text, no workbook");
        TzyDV dv;
        const auto f = OptionsRules::TemplateFault(dv, file);
        QCOMPARE(f.value_or(QString()), fault);
    }

    void workbookSignatures()
    {
        QVERIFY(OptionsRules::LooksLikeWorkbook(writeFile(QStringLiteral("z.xlsx"), QByteArray("PK\x03\x04rest", 8))));
        QVERIFY(OptionsRules::LooksLikeWorkbook(
            writeFile(QStringLiteral("o.xls"), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))));
        QVERIFY(!OptionsRules::LooksLikeWorkbook(writeFile(QStringLiteral("e.xls"), QByteArray())));
        QVERIFY(!OptionsRules::LooksLikeWorkbook(dir.filePath(QStringLiteral("absent.xls"))));
    }

    void folderFault()
    {
        TzyDV dv;
        QVERIFY(!OptionsRules::FolderFault(dv, QStringLiteral("/home/user/reports/")));
        QCOMPARE(OptionsRules::FolderFault(dv, QString()).value_or(QString()),
                 QStringLiteral("The Default Output File Folder is undefined."));
        QVERIFY(OptionsRules::FolderFault(dv, QStringLiteral("/home/a\x01b/")).has_value());
    }

    void closeRefusal()
    {
        QVERIFY(!OptionsRules::CloseRefusal(std::nullopt, std::nullopt));
        const auto one = OptionsRules::CloseRefusal(QStringLiteral("T"), std::nullopt);
        QCOMPARE(one->msgId, QStringLiteral("OF008"));
        QCOMPARE(one->lines, (QStringList{QStringLiteral("Please correct the following error."), QString(),
                                          QStringLiteral("T"), QString(), QStringLiteral("Unable to save Options.")}));
        QCOMPARE(OptionsRules::CloseRefusal(std::nullopt, QStringLiteral("F"))->msgId, QStringLiteral("OF009"));
        const auto both = OptionsRules::CloseRefusal(QStringLiteral("T"), QStringLiteral("F"));
        QCOMPARE(both->msgId, QStringLiteral("OF010"));
        QCOMPARE(both->lines, (QStringList{QStringLiteral("Please correct the following errors."), QString(),
                                           QStringLiteral("[1] T"), QString(), QStringLiteral("[2] F"), QString(),
                                           QStringLiteral("Unable to save Options.")}));
    }

    // Every one of the 25 preferences comes back.
    void restoreAll()
    {
        TzyUP changed;
        changed.SetAutoAlignBrowseFld(false);
        changed.SetAutoAlignBrowseVal(false);
        changed.SetAutoAlignBrowseWS(false);
        changed.SetAutoSizeBrowseFld(false);
        changed.SetAutoSizeBrowseVal(false);
        changed.SetAutoSizeBrowseWS(false);
        changed.SetAutoSizeCfgErr(false);
        changed.SetAutoSizeSummary(false);
        changed.SetAutoSizeDSM(false);
        changed.SetAutoSizeDSF(false);
        changed.SetDefaultTFDDLItemIndex(TzyUP::tfOther);
        changed.SetDefaultTFOther(QStringLiteral("/t/a.xls"));
        changed.SetDefaultOFFolderDDLItemIndex(TzyUP::ofOther);
        changed.SetDefaultOFFolderOther(QStringLiteral("/o"));
        changed.SetDefaultXLExtn(TzyUP::xeXLS);
        changed.SetHintHidePause(4000);
        changed.SetHintPause(0);
        changed.SetImportTaskFldDesc(false);
        changed.SetImportTaskFldValueCount(5);
        changed.SetShowToolBarCaptions(false);
        changed.SetShowHints(false);
        changed.SetPromptOnCreateOFFolder(false);
        changed.SetPromptOnOverwriteOF(false);
        changed.SetPromptOnProcess(false);
        changed.SetPromptOnExit(false);

        TzyUP up; // the defaults
        OptionsRules::RestorePreferences(up, changed);
        QCOMPARE(up.AutoAlignBrowseFld(), false);
        QCOMPARE(up.AutoAlignBrowseVal(), false);
        QCOMPARE(up.AutoAlignBrowseWS(), false);
        QCOMPARE(up.AutoSizeBrowseFld(), false);
        QCOMPARE(up.AutoSizeBrowseVal(), false);
        QCOMPARE(up.AutoSizeBrowseWS(), false);
        QCOMPARE(up.AutoSizeCfgErr(), false);
        QCOMPARE(up.AutoSizeSummary(), false);
        QCOMPARE(up.AutoSizeDSM(), false);
        QCOMPARE(up.AutoSizeDSF(), false);
        QCOMPARE(up.DefaultTFDDLItemIndex(), int(TzyUP::tfOther));
        QCOMPARE(up.GetDefaultTFOther(), QStringLiteral("/t/a.xls"));
        QCOMPARE(up.DefaultOFFolderDDLItemIndex(), int(TzyUP::ofOther));
        QCOMPARE(up.GetDefaultOFFolderOther(), QStringLiteral("/o/"));
        QCOMPARE(up.DefaultXLExtn(), int(TzyUP::xeXLS));
        QCOMPARE(up.HintHidePause(), 4000);
        QCOMPARE(up.HintPause(), 0);
        QCOMPARE(up.ImportTaskFldDesc(), false);
        QCOMPARE(up.ImportTaskFldValueCount(), 5);
        QCOMPARE(up.ShowToolBarCaptions(), false);
        QCOMPARE(up.ShowHints(), false);
        QCOMPARE(up.PromptOnCreateOFFolder(), false);
        QCOMPARE(up.PromptOnOverwriteOF(), false);
        QCOMPARE(up.PromptOnProcess(), false);
        QCOMPARE(up.PromptOnExit(), false);

        // And back to the defaults, the extension included.
        OptionsRules::RestorePreferences(up, TzyUP());
        QCOMPARE(up.DefaultXLExtn(), int(TzyUP::xeAuto));
        QCOMPARE(up.HintPause(), 500);
        QCOMPARE(up.AutoSizeDSF(), true);
    }
};

QTEST_GUILESS_MAIN(TestOptionsRules)
#include "tst_options_rules.moc"
