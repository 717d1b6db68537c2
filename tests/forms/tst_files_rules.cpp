// The S Curve Files page's rules with Linux paths: the extension rules, the
// key filters and their balloons, the Enter walk, the caches a change makes
// stale, the indicator chains and the folder a file dialog opens in.
#include "FilesPageRules.h"

#include "EditKeys.h"
#include "zyDV.h"
#include "zyUIL.h"
#include "zyUP.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace FilesPage;

namespace {
Texts texts(const QString& dsf, const QString& tf, const QString& of)
{
    Texts t;
    t[eDSF] = dsf;
    t[eTaskWS] = QStringLiteral("Tasks");
    t[eTHR] = QStringLiteral("1");
    t[eTF] = tf;
    t[ePSWS] = QStringLiteral("Project Summary");
    t[eCDWS] = QStringLiteral("Chart Data");
    t[eOF] = of;
    return t;
}
} // namespace

class TstFilesRules : public QObject {
    Q_OBJECT
    TzyDV dv;

private slots:
    void initTestCase() { InitUILs(); }

    void defaultExtension_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("extDot");
        QTest::addColumn<QString>("expected"); // null: unchanged
        QTest::newRow("no extension") << "/data/Tasks" << ".xls" << "/data/Tasks.xls";
        QTest::newRow("csv") << "/data/Tasks.csv" << ".xls" << "/data/Tasks.xls";
        QTest::newRow("csv to xlsx") << "/data/Tasks.csv" << ".xlsx" << "/data/Tasks.xlsx";
        QTest::newRow("upper XLSX kept") << "/data/Tasks.XLSX" << ".xls" << QString();
        QTest::newRow("xls kept") << "/data/Tasks.xls" << ".xlsx" << QString();
        QTest::newRow("empty") << "" << ".xls" << QString();
        QTest::newRow("only an extension") << ".xls" << ".xlsx" << QString();
        QTest::newRow("dot in a folder") << "/data/v1.2/Tasks" << ".xlsx" << "/data/v1.2/Tasks.xlsx";
        QTest::newRow("trailing dot") << "/data/Tasks." << ".xls" << "/data/Tasks.xls";
        QTest::newRow("blanks around") << "  /data/Tasks  " << ".xls" << "/data/Tasks.xls";
        QTest::newRow("relative") << "Tasks" << ".xls" << "Tasks.xls";
    }
    void defaultExtension()
    {
        QFETCH(QString, text);
        QFETCH(QString, extDot);
        QFETCH(QString, expected);
        const auto fixed = DefaultExtension(dv, QStringLiteral("Data Source File"), text, extDot);
        QCOMPARE(fixed.has_value(), !expected.isNull());
        if (fixed)
            QCOMPARE(*fixed, expected);
    }

    void templateExtension_data()
    {
        QTest::addColumn<QString>("of");
        QTest::addColumn<QString>("tf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("xls to template's xlsx") << "/out/Out.xls" << "/t/T.xlsx" << "/out/Out.xlsx";
        QTest::newRow("xlsx to template's xls") << "/out/Out.xlsx" << "/t/T.XLS" << "/out/Out.XLS";
        QTest::newRow("same extension") << "/out/Out.xlsx" << "/t/T.XLSX" << QString();
        QTest::newRow("no template") << "/out/Out.xls" << "" << QString();
        QTest::newRow("template not excel") << "/out/Out.xls" << "/t/T.csv" << QString();
        QTest::newRow("no output") << "" << "/t/T.xlsx" << QString();
        QTest::newRow("output without extension") << "/out/Out" << "/t/T.xlsx" << "/out/Out.xlsx";
    }
    void templateExtension()
    {
        QFETCH(QString, of);
        QFETCH(QString, tf);
        QFETCH(QString, expected);
        const auto fixed = TemplateExtension(dv, of, tf);
        QCOMPARE(fixed.has_value(), !expected.isNull());
        if (fixed)
            QCOMPARE(*fixed, expected);
    }

    // Leaving an edit: the Output File takes the template's extension, else
    // the preferred one; leaving the Template File corrects the Output File.
    void exitRules()
    {
        Texts t = texts(QStringLiteral("/d/Tasks"), QStringLiteral("/t/T.xlsx"), QStringLiteral("/o/Out"));
        QCOMPARE(OnExit(dv, eOF, t, ".xls")[eOF], QStringLiteral("/o/Out.xlsx"));
        t[eOF] = QStringLiteral("/o/Out.xls");
        QCOMPARE(OnExit(dv, eOF, t, ".xls")[eOF], QStringLiteral("/o/Out.xlsx"));
        t[eTF].clear();
        t[eOF] = QStringLiteral("/o/Out");
        QCOMPARE(OnExit(dv, eOF, t, ".xls")[eOF], QStringLiteral("/o/Out.xls"));

        t = texts(QStringLiteral("/d/Tasks"), QStringLiteral("/t/T.xlsx"), QStringLiteral("/o/Out.xls"));
        const Texts after = OnExit(dv, eTF, t, ".xls");
        QCOMPARE(after[eTF], QStringLiteral("/t/T.xlsx"));
        QCOMPARE(after[eOF], QStringLiteral("/o/Out.xlsx"));
        QCOMPARE(after[eDSF], QStringLiteral("/d/Tasks")); // only the edit left is corrected
        QCOMPARE(OnExit(dv, eDSF, t, ".xls")[eDSF], QStringLiteral("/d/Tasks.xls"));

        t[eTitle] = QStringLiteral("  Harbour  ");
        t[eTaskWS] = QStringLiteral(" Tasks ");
        QCOMPARE(OnExit(dv, eTitle, t, ".xls")[eTitle], QStringLiteral("Harbour"));
        QCOMPARE(OnExit(dv, eTaskWS, t, ".xls")[eTaskWS], QStringLiteral(" Tasks "));
    }

    // Saving corrects the Template File first, then matches the Output File
    // against it; loading matches against the Template File as stored.
    void saveAndLoad()
    {
        Texts t = texts(QStringLiteral("/d/Tasks.csv"), QStringLiteral("/t/T"), QStringLiteral("/o/Out.xls"));
        const Texts saved = ForSave(dv, t, ".xlsx");
        QCOMPARE(saved[eDSF], QStringLiteral("/d/Tasks.xlsx"));
        QCOMPARE(saved[eTF], QStringLiteral("/t/T.xlsx"));
        QCOMPARE(saved[eOF], QStringLiteral("/o/Out.xlsx"));

        const StoredFiles loaded = ForLoad(dv, {"/d/Tasks", "/t/T", "/o/Out.xls"}, ".xlsx");
        QCOMPARE(loaded.dsf, QStringLiteral("/d/Tasks.xlsx"));
        QCOMPARE(loaded.tf, QStringLiteral("/t/T.xlsx"));
        // The stored template had no extension: the Output File keeps its own.
        QCOMPARE(loaded.of, QStringLiteral("/o/Out.xls"));
        QCOMPARE(ForLoad(dv, {"", "/t/T.xls", "/o/Out"}, ".xlsx").of, QStringLiteral("/o/Out.xls"));
    }

    void keyFilters_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("chars");
        QTest::addColumn<bool>("refused");
        const int path = int(KeyFilter::PathFileName), ws = int(KeyFilter::Worksheet),
                  row = int(KeyFilter::HeaderRow), none = int(KeyFilter::None);
        QTest::newRow("path: separators and Windows specials") << path << "/\\:*?\"<>|" << false;
        QTest::newRow("path: letters, blanks, non-Latin") << path << "aZ 9_-.é€" << false;
        QTest::newRow("path: control characters") << path << QString::fromUtf8("\x01\x1f\x7f") << true;
        QTest::newRow("path: editing keys") << path << "\b\t\r\x1b" << false;
        QTest::newRow("ws: the seven") << ws << "*/:?[\\]" << true;
        QTest::newRow("ws: others") << ws << "aZ 9()&'" << false;
        QTest::newRow("ws: wide forms pass") << ws << QString::fromUtf8("\uff1a\uff3b") << false;
        QTest::newRow("row: digits") << row << "0123456789" << false;
        QTest::newRow("row: editing keys") << row << "\b\t\r\x1b" << false;
        QTest::newRow("row: letters and signs") << row << "a-+ .,e" << true;
        QTest::newRow("row: wide digit") << row << QString::fromUtf8("\uff11\u0661") << true;
        QTest::newRow("none: anything") << none << "*?/:\x01" << false;
    }
    void keyFilters()
    {
        QFETCH(int, filter);
        QFETCH(QString, chars);
        QFETCH(bool, refused);
        for (QChar c : chars)
            QVERIFY2(Refuses(KeyFilter(filter), c) == refused, qPrintable(QString::number(c.unicode(), 16)));
    }

    // What a key offers to a key filter, with the text X11 gives the key:
    // nothing for an editing key or a shortcut, the text for a typed one.
    void typedText_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f" << "";
        QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << shift << "\x7f" << "";
        QTest::newRow("Ctrl+Delete") << int(Qt::Key_Delete) << ctrl << "\x7f" << "";
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << "";
        QTest::newRow("Enter") << int(Qt::Key_Return) << none << "\r" << "";
        QTest::newRow("Esc") << int(Qt::Key_Escape) << none << "\x1b" << "";
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << "";
        QTest::newRow("Shift+Home") << int(Qt::Key_Home) << shift << "" << "";
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << "\x03" << "";
        QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << (ctrl | shift) << "\x1a" << "";
        QTest::newRow("Meta+a") << int(Qt::Key_A) << int(Qt::MetaModifier) << "a" << "";
        QTest::newRow("a") << int(Qt::Key_A) << none << "a" << "a";
        QTest::newRow("Shift+?") << int(Qt::Key_Question) << shift << "?" << "?";
        QTest::newRow("AltGr as Ctrl+Alt") << int(Qt::Key_E) << int(Qt::ControlModifier | Qt::AltModifier) << "\u20ac"
                                           << "\u20ac";
        QTest::newRow("a stray control character") << int(Qt::Key_unknown) << none << "\x01" << "\x01";
    }
    void typedText()
    {
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QCOMPARE(EditKeys::TypedText(key, Qt::KeyboardModifiers(mods), text), typed);
    }

    void balloons()
    {
        QCOMPARE(BalloonText(KeyFilter::Worksheet, 0),
                 QStringLiteral("The following characters cannot be used:\n\\ / : * ? [ ]"));
        QCOMPARE(BalloonText(KeyFilter::HeaderRow, 65536),
                 QStringLiteral("Please enter a numeric value.\nValid Range: 1..65535"));
        QCOMPARE(BalloonText(KeyFilter::HeaderRow, 1048576),
                 QStringLiteral("Please enter a numeric value.\nValid Range: 1..1048575"));
        // Refused characters are named as a user knows them.
        QCOMPARE(BalloonText(KeyFilter::PathFileName, 0),
                 QStringLiteral("The following characters cannot be used:\ncontrol characters"));
        QCOMPARE(MaxLengthBalloon(31), QStringLiteral("The maximum length for this Field is 31 characters."));
        QCOMPARE(FilterOf(eTHR), KeyFilter::HeaderRow);
        QCOMPARE(FilterOf(eDSFPassword), KeyFilter::None);
        QCOMPARE(MaxLengthOf(eCDWS), 31);
        QCOMPARE(MaxLengthOf(eOF), 260);
        QCOMPARE(MaxLengthOf(eTHR), 7);
        QCOMPARE(MaxLengthOf(eClient), 255);
    }

    void enterWalk()
    {
        QCOMPARE(EnterTarget(eClient, false), eClient);
        QCOMPARE(EnterTarget(eDSF, true), eDSF);
        QCOMPARE(EnterTarget(eTHR, false), eTF);
        QCOMPARE(EnterTarget(eTF, true), eTHR);
        QCOMPARE(EnterTarget(eOF, false), eTitle);
        QCOMPARE(EnterTarget(eTitle, true), eOF);
        // Forward from the first reaches every edit once, in order.
        Edit e = eDSF;
        for (int i = 1; i < EditCount; ++i) {
            const Edit next = EnterTarget(e, false);
            QCOMPARE(int(next), i);
            QCOMPARE(EnterTarget(next, true), e);
            e = next;
        }
    }

    void changeResets()
    {
        const CacheReset dsf = OnChange(eDSF);
        QVERIFY(dsf.wsl1 && !dsf.wsl2 && dsf.fieldList && dsf.valueLists && dsf.update);
        const CacheReset row = OnChange(eTHR);
        QVERIFY(!row.wsl1 && row.fieldList && row.valueLists && row.update);
        const CacheReset tf = OnChange(eTF);
        QVERIFY(tf.wsl2 && !tf.wsl1 && !tf.fieldList && tf.update);
        const CacheReset of = OnChange(eOF);
        QVERIFY(!of.wsl1 && !of.wsl2 && !of.fieldList && of.update);
        for (Edit e : {eDSFPassword, eTFPassword, eTitle, eNumber, eClient}) {
            const CacheReset r = OnChange(e);
            QVERIFY(!r.wsl1 && !r.wsl2 && !r.fieldList && !r.valueLists && !r.update);
        }
    }

    void indicators_data()
    {
        QTest::addColumn<QString>("dsf");
        QTest::addColumn<QString>("thr");
        QTest::addColumn<QString>("tf");
        QTest::addColumn<QString>("ps");
        QTest::addColumn<QString>("cd");
        QTest::addColumn<QString>("of");
        QTest::addColumn<int>("indicator");
        QTest::addColumn<QString>("hint"); // null: no warning
        const QString d = "/d/Tasks.xlsx", t = "/t/T.xlsx", o = "/o/Out.xlsx";
        QTest::newRow("all fine: data source") << d << "1" << t << "PS" << "CD" << o << int(iDSF) << QString();
        QTest::newRow("all fine: output") << d << "1" << t << "PS" << "CD" << o << int(iOF) << QString();
        QTest::newRow("blank data source") << "  " << "1" << t << "PS" << "CD" << o << int(iDSF)
                                           << "The Data Source File is undefined.";
        QTest::newRow("relative data source") << "Tasks.xlsx" << "1" << t << "PS" << "CD" << o << int(iDSF) << "*";
        QTest::newRow("control character") << "/d/Ta\x01sks.xlsx" << "1" << t << "PS" << "CD" << o << int(iDSF)
                                           << "*illegal characters*";
        QTest::newRow("a folder") << "/d/" << "1" << t << "PS" << "CD" << o << int(iDSF) << "*";
        QTest::newRow("no extension") << "/d/Tasks" << "1" << t << "PS" << "CD" << o << int(iDSF)
                                      << "The Data Source File Extension is undefined.";
        QTest::newRow("wrong extension") << "/d/Tasks.ods" << "1" << t << "PS" << "CD" << o << int(iDSF)
                                         << "The Data Source File Extension is invalid.";
        QTest::newRow("blank header row") << d << "" << t << "PS" << "CD" << o << int(iTHR)
                                          << "The Task Header Row is invalid.\nValid Range: 1..1048575";
        QTest::newRow("header row at the row limit") << d << "1048576" << t << "PS" << "CD" << o << int(iTHR)
                                                     << "*1..1048575";
        QTest::newRow("header row below the limit") << d << "1048575" << t << "PS" << "CD" << o << int(iTHR)
                                                    << QString();
        QTest::newRow("template same as source") << d << "1" << d << "PS" << "CD" << o << int(iTF)
                                                 << "The Template File is the same as the Data Source File.";
        QTest::newRow("chart same as summary") << d << "1" << t << "PS" << "ps" << o << int(iCDWS)
                                               << "The Chart Data Worksheet is the same as the Project Summary Worksheet.";
        QTest::newRow("worksheet with colon") << d << "1" << t << "P:S" << "CD" << o << int(iPSWS) << "*illegal*";
        QTest::newRow("output extension mismatch") << d << "1" << t << "PS" << "CD" << "/o/Out.xls" << int(iOF)
                                                   << "The Output File Extension does not match the Template File Extension.";
        QTest::newRow("output same as template") << d << "1" << t << "PS" << "CD" << t << int(iOF)
                                                 << "The Output File is the same as the Template File.";
    }
    void indicators()
    {
        QFETCH(QString, dsf);
        QFETCH(QString, thr);
        QFETCH(QString, tf);
        QFETCH(QString, ps);
        QFETCH(QString, cd);
        QFETCH(QString, of);
        QFETCH(int, indicator);
        QFETCH(QString, hint);
        Texts t = texts(dsf, tf, of);
        t[eTHR] = thr;
        t[ePSWS] = ps;
        t[eCDWS] = cd;
        const auto hints = IndicatorHints(dv, t);
        const auto& got = hints[size_t(indicator)];
        QCOMPARE(got.has_value(), !hint.isNull());
        if (got && hint.contains(QLatin1Char('*')))
            QVERIFY2(QRegularExpression(QRegularExpression::wildcardToRegularExpression(hint, QRegularExpression::UnanchoredWildcardConversion))
                         .match(*got).hasMatch(), qPrintable(*got));
        else if (got)
            QCOMPARE(*got, hint);
    }

    void browseFolder()
    {
        QTemporaryDir tmp;
        const QString prog = tmp.path() + "/prog";
        QVERIFY(QDir().mkpath(prog + "/Samples"));
        QVERIFY(QDir().mkpath(tmp.path() + "/elsewhere"));
        QVERIFY(QFile::link(prog, tmp.path() + "/link"));
        // The current folder reached through a link, or spelt with "..", is
        // still the program folder.
        QCOMPARE(BrowseFolder(FileKind::DataSource, "", false, tmp.path() + "/link", prog, ""), prog + "/Samples/");
        QCOMPARE(BrowseFolder(FileKind::Template, "", false, prog + "/Samples/..", prog + "/", ""),
                 prog + "/Templates/");
        QCOMPARE(BrowseFolder(FileKind::DataSource, "", false, tmp.path() + "/elsewhere", prog, ""),
                 tmp.path() + "/elsewhere");
        // Upper-cased spellings are other folders here.
        QVERIFY(!SameFolder(prog.toUpper(), prog));
        QCOMPARE(BrowseFolder(FileKind::DataSource, "/d/", true, prog, prog, ""), QStringLiteral("/d/"));
        QCOMPARE(BrowseFolder(FileKind::Output, "", false, prog, prog, "/out/"), QStringLiteral("/out/"));
        QCOMPARE(BrowseFolder(FileKind::Output, "", false, prog, prog, ""), prog);
    }

    void sameFile()
    {
        QTemporaryDir tmp;
        const QString f = tmp.path() + "/plan.xlsx";
        QFile file(f);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QFile::link(f, tmp.path() + "/alias.xlsx"));
        QVERIFY(SameFile(f, tmp.path() + "/./plan.xlsx"));
        QVERIFY(SameFile(f, tmp.path() + "/alias.xlsx"));
        QVERIFY(!SameFile(f, tmp.path() + "/PLAN.xlsx"));
        QVERIFY(SameFile("/no/such/a.xlsx", "/no/such/../such/a.xlsx"));
        QVERIFY(!SameFile("", f));
    }
};

QTEST_GUILESS_MAIN(TstFilesRules)
#include "tst_files_rules.moc"
