// Validation: the field checks on real files and folders, the filter rules,
// the tab validators with their corrections and grid rows, the numbered
// error list, and the validation of the user preferences.
#include "ModelTestKit.h"
#include "REG_Utils.h"
#include "zyDF.h"
#include "zyDV.h"
#include "zySD.h"
#include "zyUPValidate.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct SinkRecorder : ICfgErrSink {
    QStringList items;
    int current = -2;
    void ShowCfgErrItems(const QStringList& i, int c) override
    {
        items = i;
        current = c;
    }
};

// "tab:field:row" of every error, in order.
QStringList errorKeys()
{
    QStringList keys;
    for (int i = 1; i <= DV->Count(); ++i)
        keys << QStringLiteral("%1:%2:%3").arg(DV->getCfgErrTabID(i)).arg(DV->getCfgErrFldID(i)).arg(DV->getCfgErrRowID(i));
    return keys;
}

TzySD& active() { return SDs->getItems(SDs->ActiveSD()); }

} // namespace

class TstValidation : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }
    QString makeFile(const QString& name) const
    {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot create %s", qPrintable(f.fileName()));
        f.write("x");
        return f.fileName();
    }

    // A definition that passes every check: real files, Actual with both
    // quantities, the map filled.
    void makeValidDefinition()
    {
        SDs = std::make_unique<TzySDs>();
        DF->ResetSDs(false);
        TzySD& sd = active();
        sd.SCF.SetDataSourceFile(makeFile(QStringLiteral("tasks.xlsx")));
        sd.SCF.SetTemplateFile(makeFile(QStringLiteral("template.xlsx")));
        sd.SCF.SetOutputFile(path(QStringLiteral("out.xlsx")));
        sd.SCO.SetGenerateACT(true);
        sd.SCO.SetGraphMH(true);
        sd.SCO.SetGraphCost(true);
        const QStringList columns{"A", "B", "C", "D", "E"};
        for (int i = 5; i <= 9; ++i)
            sd.DSM.getItems(i).SetTaskFld(columns[i - 5]);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        kit::initGlobals();
        DF = std::make_unique<TzyDF>();
        DV = std::make_unique<TzyDV>();
    }

    void init()
    {
        UP = std::make_unique<TzyUP>();
        DV->ClearCfgErrs();
    }

    void cleanupTestCase()
    {
        DV.reset();
        DF.reset();
        SDs.reset();
        UP.reset();
        AD.reset();
        FreeUILs();
    }

    // ---- the whole validation ------------------------------------------------------

    void defaultDefinitionErrorList()
    {
        kit::Excel excel(7);
        kit::Prompter prompter;
        UP->SetDefaultTFDDLItemIndex(TzyUP::tfOther);
        UP->SetDefaultTFOther(makeFile(QStringLiteral("default template.xlsx")));
        UP->SetDefaultOFFolderDDLItemIndex(TzyUP::ofOther);
        UP->SetDefaultOFFolderOther(m_dir.path());
        SDs = std::make_unique<TzySDs>();
        DF->ResetSDs(false);
        SinkRecorder sink;
        DV->SetCfgErrSink(&sink);
        DV->Validate(true, true, true);
        DV->SetCfgErrSink(nullptr);

        QCOMPARE(errorKeys(), (QStringList{"56:600:0", "85:612:0", "85:621:0"}));
        QCOMPARE(DV->getCfgErrTab(1), QStringLiteral("S Curve Files"));
        QCOMPARE(DV->getCfgErrFld(1), QStringLiteral("Data Source File"));
        QCOMPARE(DV->getCfgErrDetails(1), QStringLiteral("The Data Source File is undefined."));
        QCOMPARE(DV->getCfgErrFldVal(1), QStringLiteral("Undefined"));
        QCOMPARE(DV->getCfgErrTab(2), QStringLiteral("S Curve Options"));
        QCOMPARE(DV->getCfgErrFld(2), QStringLiteral("Data Options"));
        QCOMPARE(DV->getCfgErrDetails(2), QStringLiteral("At least one Data Option (Baseline, Actual, Target) must be selected."));
        QCOMPARE(DV->getCfgErrFldVal(2), QStringLiteral("N/A"));
        QCOMPARE(DV->getCfgErrFld(3), QStringLiteral("Quantity Options"));
        QCOMPARE(DV->getCfgErrDetails(3), QStringLiteral("At least one Quantity (Man Hours, Cost) must be selected."));
        QCOMPARE(sink.items, (QStringList{"1", "2", "3"}));
        QCOMPARE(sink.current, 0);
        QVERIFY(prompter.requests.empty());
    }

    void validDefinitionHasNoErrors()
    {
        kit::Excel excel(7);
        makeValidDefinition();
        SinkRecorder sink;
        DV->SetCfgErrSink(&sink);
        DV->Validate(true, true, true);
        DV->SetCfgErrSink(nullptr);
        QCOMPARE(errorKeys(), QStringList());
        QVERIFY(sink.items.isEmpty());
        QCOMPARE(sink.current, -1);
    }

    void errorListAccessors()
    {
        kit::IndexErrors errors;
        DV->ClearCfgErrs();
        QCOMPARE(DV->getCfgErrTab(0), QString());
        QVERIFY(errors.texts.isEmpty());
        QCOMPARE(DV->getCfgErrTab(1), QString());
        QCOMPARE(errors.tag(0), QStringLiteral("DV.getCfgErrTab"));
        DV->AddCfgErr("t1", "f1", "d1", "v1", 56, 600, 0);
        DV->AddCfgErr("t2", "f2", "d2", "v2", 128, 640, 3);
        DV->AddCfgErr("t3", "f3", "d3", "v3", 85, 620, 0);
        QCOMPARE(DV->Count(), 3);
        QCOMPARE(DV->getCfgErrTab(2), QStringLiteral("t2"));
        QCOMPARE(DV->getCfgErrFld(2), QStringLiteral("f2"));
        QCOMPARE(DV->getCfgErrDetails(2), QStringLiteral("d2"));
        QCOMPARE(DV->getCfgErrFldVal(2), QStringLiteral("v2"));
        QCOMPARE(DV->getCfgErrTabID(2), 128);
        QCOMPARE(DV->getCfgErrFldID(2), 640);
        QCOMPARE(DV->getCfgErrRowID(2), 3);
        errors.clear();
        QCOMPARE(DV->getCfgErrRowID(4), 0);
        QCOMPARE(DV->getCfgErrFldID(-1), 0);
        QCOMPARE(DV->getCfgErrFldVal(9), QString());
        QCOMPARE(errors.texts.size(), 3);
        QCOMPARE(errors.tag(0), QStringLiteral("DV.getCfgErrRowID"));
        QCOMPARE(errors.tag(1), QStringLiteral("DV.getCfgErrFldID"));
        QCOMPARE(errors.tag(2), QStringLiteral("DV.getCfgErrFldVal"));

        DV->AddIllegalChar(QStringLiteral("*"));
        DV->AddIllegalChar(QStringLiteral("?"));
        DV->AddIllegalChar(QStringLiteral("*"));
        QCOMPARE(DV->GetIllegalChars(), QStringLiteral("*, ?"));
        // Letters are listed upper-cased (a..z only), once; control
        // characters by their code.
        DV->AddIllegalChar(QStringLiteral("q"));
        DV->AddIllegalChar(QStringLiteral("Q"));
        DV->AddIllegalChar(QStringLiteral("\u00e9"));
        DV->AddIllegalChar(QStringLiteral("\t"));
        QCOMPARE(DV->GetIllegalChars(), QStringLiteral("*, ?, Q, \u00e9, U+0009"));
        DV->ClearCfgErrs();
        QCOMPARE(DV->Count(), 0);
        QCOMPARE(DV->GetIllegalChars(), QString());
    }

    // ---- paths and files ------------------------------------------------------------

    void checkPath_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("illegal");
        QTest::newRow("empty") << "" << "UDV005" << "Undefined" << "";
        QTest::newRow("blanks") << "   " << "UDV005" << "Undefined" << "";
        QTest::newRow("tab") << "/data/a\tb.xlsx" << "UDV006" << "/data/a\tb.xlsx" << "U+0009";
        QTest::newRow("each control character once")
            << "/d/\x01x\x1f\x01.xls" << "UDV006" << "/d/\x01x\x1f\x01.xls" << "U+0001, U+001F";
        QTest::newRow("relative") << "tasks.xlsx" << "UDV007" << "tasks.xlsx" << "";
        QTest::newRow("relative with folders") << "plans/2025/tasks.xlsx" << "UDV007" << "plans/2025/tasks.xlsx" << "";
        QTest::newRow("drive letter") << "C:\\Data\\tasks.xlsx" << "UDV007" << "C:\\Data\\tasks.xlsx" << "";
        QTest::newRow("home shorthand") << "~/tasks.xlsx" << "UDV007" << "~/tasks.xlsx" << "";
        QTest::newRow("no name") << "/data/.xlsx" << "UDV011" << "Undefined" << "";
        QTest::newRow("folder only") << "/data/" << "UDV011" << "Undefined" << "";
        QTest::newRow("device names are ordinary") << "/data/con.xlsx" << "" << "" << "";
        QTest::newRow("legal here") << "/data/a<b>|?\"*:.xlsx" << "" << "" << "";
        QTest::newRow("plain") << "/data/tasks.xlsx" << "" << "" << "";
        QTest::newRow("root file") << "/t.xls" << "" << "" << "";
    }

    void checkPath()
    {
        QFETCH(QString, file);
        QFETCH(QString, id);
        QFETCH(QString, value);
        QFETCH(QString, illegal);
        const QString fld = QStringLiteral("Data Source File");
        QCOMPARE(DV->CheckPath(fld, file), !id.isEmpty());
        QCOMPARE(DV->MsgID, id);
        QCOMPARE(DV->MsgValue, value);
        QCOMPARE(DV->GetIllegalChars(), illegal);
        if (id == QStringLiteral("UDV005")) {
            QCOMPARE(DV->MsgShort, QStringLiteral("The Data Source File is undefined."));
            QCOMPARE(DV->MsgDialog,
                     QStringLiteral("The Data Source File is undefined.\n\nPlease enter a valid Data Source File."));
            QCOMPARE(DV->MsgDetails, DV->MsgShort);
        } else if (id == QStringLiteral("UDV006")) {
            QCOMPARE(DV->MsgDetails,
                     QStringLiteral("The Data Source File contains the following illegal characters: ") + illegal);
        } else if (id == QStringLiteral("UDV007")) {
            QCOMPARE(DV->MsgShort, QStringLiteral("The Data Source File is not a full path beginning with /."));
            QCOMPARE(DV->MsgDialog, QStringLiteral("The Data Source File is not a full path beginning with /.\n\n"
                                                   "Please enter a valid Data Source File."));
            QCOMPARE(DV->MsgDetails, DV->MsgShort);
        } else if (id.isEmpty()) {
            QVERIFY(DV->MsgShort.isEmpty() && DV->MsgDialog.isEmpty() && DV->MsgDetails.isEmpty());
        }
    }

    // Every text a path check can show, for names a Linux user types: none
    // speaks of drives, network shares or backslashes, which do not exist
    // here, and a relative name is called what it is.
    void pathTextsSayWhatIsTrueHere_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("relative");
        QTest::newRow("relative") << "plan.xlsx" << true;
        QTest::newRow("relative with folders") << "reports/plan.xls" << true;
        QTest::newRow("dot relative") << "./plan.xlsx" << true;
        QTest::newRow("home shorthand") << "~/plan.xlsx" << true;
        QTest::newRow("a Windows name") << "C:\\Data\\plan.xlsx" << true;
        QTest::newRow("a network name") << "\\\\server\\share\\plan.xlsx" << true;
        QTest::newRow("no extension") << "/srv/plans/plan" << false;
        QTest::newRow("other extension") << "/srv/plans/plan.csv" << false;
        QTest::newRow("folder only") << "/srv/plans/" << false;
        QTest::newRow("control character") << "/srv/pl\x01an.xlsx" << false;
        QTest::newRow("missing file") << "/srv/no such folder/plan.xlsx" << false;
        QTest::newRow("root") << "/" << false;
    }

    void pathTextsSayWhatIsTrueHere()
    {
        QFETCH(QString, name);
        QFETCH(bool, relative);
        const QRegularExpression otherPlatform(
            QStringLiteral(R"(\bdrives?\b|\bUNC\b|backslash|\bnetwork\b|\bshare\b|Reserved Name|[A-Z]:\\)"),
            QRegularExpression::CaseInsensitiveOption);
        QStringList shown;
        auto collect = [&](bool fault) {
            if (fault)
                shown << DV->MsgShort << DV->MsgDialog << DV->MsgDetails << DV->MsgFix;
        };
        for (const QString& fld : {QStringLiteral("Data Source File"), QStringLiteral("Output File")}) {
            collect(DV->CheckPath(fld, name));
            if (relative) {
                QCOMPARE(DV->MsgID, QStringLiteral("UDV007"));
                QCOMPARE(DV->MsgDetails, QStringLiteral("The %1 is not a full path beginning with /.").arg(fld));
                QCOMPARE(DV->MsgValue, name);
            }
            collect(DV->CheckDrive(fld, name));
            collect(DV->CheckFileName(fld, name));
            collect(DV->CheckFileExtension(fld, name));
            collect(DV->CheckExcelFile(fld, name));
            collect(DV->CheckFileExists(fld, name));
            collect(DV->CheckExtensionMatch(fld, name, QStringLiteral("Template File"), QStringLiteral("/t/tpl.xlsx")));
        }
        const QString folderFld = UIT(666);
        collect(DV->CheckFolderPath(folderFld, name));
        if (relative) {
            QCOMPARE(DV->MsgShort, QStringLiteral("The Default Output File Folder is not a full path beginning with /."));
            QCOMPARE(DV->MsgValue, name);
        }
        QVERIFY(!shown.isEmpty());
        for (QString text : shown) {
            text.remove(name); // the user's own name may say what it likes
            QVERIFY2(!otherPlatform.match(text).hasMatch(), qPrintable(text));
        }
    }

    // The configuration error of a relative Data Source File, as Process lists it.
    void relativeNameConfigurationError()
    {
        kit::Excel excel(7);
        makeValidDefinition();
        active().SCF.SetDataSourceFile(QStringLiteral("plan.xlsx"));
        SinkRecorder sink;
        DV->SetCfgErrSink(&sink);
        DV->Validate(true, true, true);
        DV->SetCfgErrSink(nullptr);
        QCOMPARE(errorKeys(), QStringList{"56:600:0"});
        QCOMPARE(DV->getCfgErrDetails(1), QStringLiteral("The Data Source File is not a full path beginning with /."));
        QCOMPARE(DV->getCfgErrFldVal(1), QStringLiteral("plan.xlsx"));
    }

    void checkFileExistsOnRealFiles()
    {
        const QString fld = QStringLiteral("Template File");
        const QString file = makeFile(QStringLiteral("exists.xlsx"));
        QVERIFY(!DV->CheckFileExists(fld, file));
        QVERIFY(DV->MsgID.isEmpty() && DV->MsgDialog.isEmpty());

        const QString missing = path(QStringLiteral("missing.xlsx"));
        QVERIFY(DV->CheckFileExists(fld, missing));
        QCOMPARE(DV->MsgID, QStringLiteral("UDV004"));
        QCOMPARE(DV->MsgDetails, QStringLiteral("The Template File cannot be found."));
        QCOMPARE(DV->MsgDialog, QStringLiteral("The following Template File cannot be found.\n\n") + missing
                                    + QStringLiteral("\n\nPlease enter a valid Template File."));
        QCOMPARE(DV->MsgValue, missing);

        QVERIFY(DV->CheckFileExists(fld, m_dir.path()));
        kit::Prompter prompter;
        QVERIFY(DV->CheckFileExists(fld, file + QChar(0)));
        QVERIFY(prompter.requests.empty());
    }

    void checkFileExtension_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("details");
        QTest::newRow("XLSX") << "/d/T.XLSX" << "" << "" << "";
        QTest::newRow("xls") << "/d/t.xls" << "" << "" << "";
        QTest::newRow("none") << "/d/t" << "UDV014" << "Undefined"
                              << "The Output File Extension is undefined. Changed to: .xlsx";
        QTest::newRow("lone dot") << "/d/t." << "UDV014" << "Undefined"
                                  << "The Output File Extension is undefined. Changed to: .xlsx";
        QTest::newRow("csv") << "/d/t.csv" << "UDV015" << "CSV"
                             << "The Output File Extension is invalid. Changed to: .xlsx";
        QTest::newRow("empty") << "" << "" << "" << "";
        QTest::newRow("no name part") << "/d/.csv" << "" << "" << "";
    }

    void checkFileExtension()
    {
        QFETCH(QString, file);
        QFETCH(QString, id);
        QFETCH(QString, value);
        QFETCH(QString, details);
        kit::Excel excel(7);
        QCOMPARE(DV->CheckFileExtension(QStringLiteral("Output File"), file), !id.isEmpty());
        QCOMPARE(DV->MsgID, id);
        QCOMPARE(DV->MsgValue, value);
        QCOMPARE(DV->MsgDetails, details);
    }

    void checkExcelFile()
    {
        QVERIFY(DV->CheckExcelFile(QStringLiteral("Data Source File"), QStringLiteral("/d/t.txt")));
        QCOMPARE(DV->MsgID, QStringLiteral("UDV016"));
        QCOMPARE(DV->MsgDialog, QStringLiteral("The selected Data Source File is not a valid Excel file.\n\n/d/t.txt\n\n"
                                               "Valid Excel Files have one of the following extensions: .xls, .xlsx"));
        QVERIFY(!DV->CheckExcelFile(QStringLiteral("Data Source File"), QStringLiteral("/d/t.XLS")));
        QVERIFY(DV->CheckExcelFile(QStringLiteral("Data Source File"), QStringLiteral("/d/t")));
    }

    void checkWorksheetName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("illegal");
        QTest::newRow("empty") << "" << "UDV017" << "";
        QTest::newRow("bracket") << "Sheet[1" << "UDV018" << "[";
        QTest::newRow("each once") << "a*b?c*" << "UDV018" << "*, ?";
        QTest::newRow("all kinds") << "a:b/c\\d]" << "UDV018" << ":, /, \\, ]";
        QTest::newRow("32 characters") << QString(32, QLatin1Char('w')) << "" << "";
        QTest::newRow("plain") << "Task_Table1" << "" << "";
    }

    void checkWorksheetName()
    {
        QFETCH(QString, name);
        QFETCH(QString, id);
        QFETCH(QString, illegal);
        QCOMPARE(DV->CheckWorksheetName(QStringLiteral("Task Worksheet"), name), !id.isEmpty());
        QCOMPARE(DV->MsgID, id);
        QCOMPARE(DV->GetIllegalChars(), illegal);
        if (id == QStringLiteral("UDV018")) {
            QCOMPARE(DV->MsgValue, name);
            QCOMPARE(DV->MsgShort, QStringLiteral("The Task Worksheet contains the following illegal characters: ") + illegal);
        }
    }

    void illegalBarIsShownDifferentlyInHints()
    {
        DV->ClearIllegalChars();
        DV->AddIllegalChar(QStringLiteral("|"));
        DV->AddIllegalChar(QStringLiteral("a"));
        QCOMPARE(DV->GetIllegalChars(), QStringLiteral("|, A"));
        // The folder check lists control characters only; a bar passes.
        QVERIFY(!DV->CheckFolderPath(QStringLiteral("Default Output File Folder"), QStringLiteral("/srv/a|b/")));
    }

    void checkTaskHeaderRow_data()
    {
        QTest::addColumn<int>("verCode");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("bound");
        QTest::newRow(".xls last task row") << 7 << "/d/t.xls" << 65535 << "" << 0;
        QTest::newRow(".xls beyond") << 7 << "/d/t.xls" << 65536 << "UDV021" << 65535;
        QTest::newRow(".xls no spreadsheet program") << 0 << "/d/t.xls" << 0 << "UDV021" << 65535;
        QTest::newRow(".xlsx last task row") << 7 << "/d/t.xlsx" << 1048575 << "" << 0;
        QTest::newRow(".xlsx beyond") << 7 << "/d/t.xlsx" << 1048576 << "UDV019" << 1048575;
        QTest::newRow(".xlsx old version") << 4 << "/d/t.XLSX" << 65536 << "UDV020" << 65535;
        QTest::newRow("other, none installed") << 0 << "/d/t.csv" << 0 << "UDV022" << 1048575;
        QTest::newRow("other, installed") << 7 << "/d/t.csv" << -1 << "UDV023" << 1048575;
        QTest::newRow("other, old version") << 4 << "/d/t" << 0 << "UDV024" << 65535;
        QTest::newRow("first row") << 4 << "/d/t.xls" << 1 << "" << 0;
    }

    void checkTaskHeaderRow()
    {
        QFETCH(int, verCode);
        QFETCH(QString, file);
        QFETCH(int, row);
        QFETCH(QString, id);
        QFETCH(int, bound);
        kit::Excel excel(verCode);
        QCOMPARE(DV->CheckTaskHeaderRow(QStringLiteral("Data Source File"), file, QStringLiteral("Task Header Row"), row),
                 !id.isEmpty());
        QCOMPARE(DV->MsgID, id);
        if (id.isEmpty())
            return;
        QCOMPARE(DV->MsgShort, QStringLiteral("The Task Header Row is invalid.\nValid Range: 1..%1").arg(bound));
        QCOMPARE(DV->MsgFix,
                 QStringLiteral("The Task Header Row is invalid. Valid Range: 1..%1. Reset to Default: 1").arg(bound));
        QCOMPARE(DV->MsgDetails, DV->MsgFix);
        QCOMPARE(DV->MsgValue, QString::number(row));
    }

    void checkTaskFieldColumn_data()
    {
        QTest::addColumn<int>("verCode");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("last");
        QTest::newRow("last column") << 6 << "/d/t.xlsx" << "XFD" << "" << "";
        QTest::newRow("lower case") << 6 << "/d/t.xlsx" << "xfd" << "" << "";
        QTest::newRow("beyond .xlsx") << 6 << "/d/t.xlsx" << "XFE" << "UDV026" << "XFD";
        QTest::newRow(".xlsx old version") << 4 << "/d/t.xlsx" << "IW" << "UDV027" << "IV";
        QTest::newRow("beyond .xls") << 6 << "/d/t.xls" << "IW" << "UDV028" << "IV";
        QTest::newRow(".xls last") << 6 << "/d/t.xls" << "IV" << "" << "";
        QTest::newRow("four letters, none installed") << 0 << "/d/t.csv" << "AAAA" << "UDV029" << "XFD";
        QTest::newRow("not letters") << 7 << "/d/t.csv" << "A1" << "UDV030" << "XFD";
        QTest::newRow("other, old version") << 4 << "/d/t.csv" << "IW" << "UDV031" << "IV";
        QTest::newRow("empty") << 7 << "/d/t.xlsx" << "" << "UDV025" << "";
    }

    void checkTaskFieldColumn()
    {
        QFETCH(int, verCode);
        QFETCH(QString, file);
        QFETCH(QString, column);
        QFETCH(QString, id);
        QFETCH(QString, last);
        kit::Excel excel(verCode);
        const QString fld = QStringLiteral("Start Date Task Field");
        QCOMPARE(DV->CheckTaskFieldColumn(QStringLiteral("Data Source File"), file, fld, column), !id.isEmpty());
        QCOMPARE(DV->MsgID, id);
        if (id == QStringLiteral("UDV025")) {
            QCOMPARE(DV->MsgDetails, QStringLiteral("The Start Date Task Field is undefined."));
            QCOMPARE(DV->MsgValue, QStringLiteral("Undefined"));
        } else if (!id.isEmpty()) {
            QCOMPARE(DV->MsgShort, QStringLiteral("The Start Date Task Field is invalid.\nValid Range: A..") + last);
            QCOMPARE(DV->MsgDetails, QStringLiteral("The Start Date Task Field is invalid. Valid Range: A..") + last);
            QCOMPARE(DV->MsgValue, column);
        }
    }

    void sameValueAndExtensionMatch()
    {
        QVERIFY(DV->CheckSameValue(QStringLiteral("Chart Data Worksheet"), QStringLiteral("Sheet1"),
                                   QStringLiteral("Project Summary Worksheet"), QStringLiteral("SHEET1")));
        QCOMPARE(DV->MsgID, QStringLiteral("UDV035"));
        QCOMPARE(DV->MsgShort, QStringLiteral("The Chart Data Worksheet is the same as the Project Summary Worksheet."));
        QCOMPARE(DV->MsgDialog, DV->MsgShort + QStringLiteral("\n\nPlease select a different Chart Data Worksheet."));
        QCOMPARE(DV->MsgValue, QStringLiteral("Sheet1"));
        QVERIFY(!DV->CheckSameValue(QStringLiteral("a"), QStringLiteral(" x"), QStringLiteral("b"), QStringLiteral("x")));

        QVERIFY(DV->CheckExtensionMatch(QStringLiteral("Output File"), QStringLiteral("/o/out.xls"),
                                        QStringLiteral("Template File"), QStringLiteral("/t/tpl.xlsx")));
        QCOMPARE(DV->MsgID, QStringLiteral("UDV034"));
        QCOMPARE(DV->MsgFix,
                 QStringLiteral("The Template File Extension does not match the Output File Extension. Changed to: .xlsx"));
        QCOMPARE(DV->MsgShort, QStringLiteral("The Output File Extension does not match the Template File Extension."));
        QVERIFY(!DV->CheckExtensionMatch(QStringLiteral("Output File"), QStringLiteral("/o/out.XLS"),
                                         QStringLiteral("Template File"), QStringLiteral("/t/tpl.xls")));
        // A template without a valid extension leaves the Output File alone,
        // and the check's parts are empty.
        QVERIFY(!DV->CheckExtensionMatch(QStringLiteral("Output File"), QStringLiteral("/o/out.xls"),
                                         QStringLiteral("Template File"), QStringLiteral("/t/tpl.txt")));
        QVERIFY(DV->MsgID.isEmpty() && DV->MsgShort.isEmpty() && DV->MsgValue.isEmpty());
        QVERIFY(!DV->CheckExtensionMatch(QStringLiteral("Output File"), QString(), QStringLiteral("Template File"),
                                         QStringLiteral("/t/tpl.xlsx")));
    }

    void folderAndLength()
    {
        const QString fld = QStringLiteral("Default Output File Folder");
        QVERIFY(DV->CheckFolderPath(fld, QString()));
        QCOMPARE(DV->MsgShort, QStringLiteral("The Default Output File Folder is undefined."));
        QVERIFY(DV->CheckFolderPath(fld, QStringLiteral("out/")));
        QCOMPARE(DV->MsgID, QStringLiteral("UDV007"));
        QCOMPARE(DV->MsgShort, QStringLiteral("The Default Output File Folder is not a full path beginning with /."));
        QCOMPARE(DV->MsgValue, QStringLiteral("out/"));
        // A colon is an ordinary character of a folder's name.
        QVERIFY(!DV->CheckFolderPath(fld, QStringLiteral("/srv/reports:2025/")));
        QVERIFY(DV->CheckFolderPath(fld, QStringLiteral("/srv/o\x02ut/")));
        QCOMPARE(DV->MsgShort, QStringLiteral("The Default Output File Folder contains the following illegal characters: U+0002"));
        QVERIFY(!DV->CheckFolderPath(fld, m_dir.path()));
        QVERIFY(!DV->CheckFolderPath(fld, QStringLiteral("/")));

        QVERIFY(DV->CheckMaxLength(QStringLiteral("Data Source File"), QString(261, QLatin1Char('a')), 260));
        QCOMPARE(DV->MsgFix, QStringLiteral("The Data Source File is too long: 261 Characters. "
                                            "Truncated to maximum length: 260 Characters."));
        QCOMPARE(DV->MsgDetails, DV->MsgFix);
        QVERIFY(!DV->CheckMaxLength(QStringLiteral("Data Source File"), QString(260, QLatin1Char('a')), 260));
        QVERIFY(DV->MsgFix.isEmpty());
    }

    void wrappersShowTheFault()
    {
        kit::Prompter prompter;
        prompter.answer = StdDlg::mrClose;
        QVERIFY(DV->ValidatePath(QStringLiteral("Template File"), QStringLiteral("rel.xlsx")));
        QVERIFY(!DV->ValidateWorksheetName(QStringLiteral("Task Worksheet"), QStringLiteral("Tasks")));
        QVERIFY(DV->ValidateFileExists(QStringLiteral("Template File"), path(QStringLiteral("nope.xlsx"))));
        QCOMPARE(prompter.requests.size(), size_t(2));
        const StdDlg::Request& r = prompter.requests[0];
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.msgId, QStringLiteral("UDV007"));
        QCOMPARE(r.lines, QStringList{QStringLiteral("The Template File is not a full path beginning with /.\n\n"
                                                     "Please enter a valid Template File.")});
        QVERIFY(!r.buttons[0].visible && !r.buttons[1].visible);
        QCOMPARE(r.buttons[2].caption, QStringLiteral("&Close"));
        QCOMPARE(r.buttons[2].hint, QStringLiteral("Close Dialogue."));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
        QCOMPARE(r.buttons[2].glyph, 12);
        QCOMPARE(prompter.requests[1].msgId, QStringLiteral("UDV004"));
    }

    // ---- options and filter checks ---------------------------------------------------

    void optionChecks()
    {
        QVERIFY(DV->CheckDataOptions(false, false, false));
        QVERIFY(!DV->CheckDataOptions(false, false, true));
        QVERIFY(DV->MsgShort.isEmpty());
        QVERIFY(DV->CheckQuantityOptions(true, false, false));
        QCOMPARE(DV->MsgShort, QStringLiteral("At least one Quantity (Man Hours, Cost) must be selected.\n"
                                              "To enable the Quantity Options, please select at least\n"
                                              "one Data Option (Baseline, Actual, Target) above."));
        QCOMPARE(DV->MsgDetails, QStringLiteral("At least one Quantity (Man Hours, Cost) must be selected."));
        QVERIFY(DV->CheckQuantityOptions(false, false, false));
        QCOMPARE(DV->MsgShort, DV->MsgDetails);
        QVERIFY(!DV->CheckQuantityOptions(true, false, true));

        QVERIFY(!DV->CheckCutOffDate(-657434.0)); // 0100-01-01
        QVERIFY(DV->CheckCutOffDate(-657435.0));
        QVERIFY(!DV->CheckCutOffDate(2958465.0)); // 9999-12-31
        QVERIFY(DV->CheckCutOffDate(2958466.0));
        QCOMPARE(DV->MsgFix, QStringLiteral("The Cut Off Date is invalid. It has been reset to: ")
                                 + QDate::currentDate().toString(QStringLiteral("dd-MMM-yyyy")));
        QCOMPARE(DV->MsgValue, QStringLiteral("N/A"));

        QVERIFY(DV->CheckFilterDefined(true, 0));
        QCOMPARE(DV->MsgShort, QStringLiteral("The Data Source Filter is enabled, but undefined."));
        QCOMPARE(DV->MsgValue, QStringLiteral("Undefined"));
        QVERIFY(!DV->CheckFilterDefined(false, 0));
        QVERIFY(!DV->CheckFilterDefined(true, 2));

        QVERIFY(DV->CheckFilterOperator(1, QStringLiteral("ID [2] Filter Operator"), 14));
        QCOMPARE(DV->MsgFix, QStringLiteral("The ID [2] Filter Operator is invalid. It has been reset to: Equals"));
        QVERIFY(!DV->CheckFilterOperator(1, QStringLiteral("ID [2] Filter Operator"), 13));
    }

    void checkFilterRow_data()
    {
        QTest::addColumn<QStringList>("cells"); // and/or, field, description, operator, value
        QTest::addColumn<QString>("shortText");
        const QString invalid = QStringLiteral("\nThis row is invalid, and will not be processed.");
        QTest::newRow("empty row") << QStringList{"", "", "", "", ""} << "";
        QTest::newRow("complete") << QStringList{"And", "C", "", "Equals", ""} << "";
        QTest::newRow("value without field") << QStringList{"", "", "", "", "x"}
                                             << "The ID [1] Task Field is undefined." + invalid;
        QTest::newRow("operator without field") << QStringList{"", " ", "", "Equals", ""}
                                                << "The ID [1] Task Field is undefined." + invalid;
        QTest::newRow("no link") << QStringList{"", "C", "", "Equals", ""}
                                 << "The ID [1] Task Field And/Or is undefined." + invalid;
        QTest::newRow("no operator") << QStringList{"Or", "C", "", "", "x"}
                                     << "The ID [1] Task Field Filter Operator is undefined." + invalid;
    }

    void checkFilterRow()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, shortText);
        QCOMPARE(DV->CheckFilterRow(cells[0], QStringLiteral("ID [1] Task Field"), cells[1], cells[2], cells[3], cells[4]),
                 !shortText.isEmpty());
        QCOMPARE(DV->MsgShort, shortText);
    }

    void checkFilterValueForOperator_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("details");
        QTest::newRow("equals, empty") << 0 << "" << "";
        QTest::newRow("does not equal, empty") << 1 << "" << "";
        QTest::newRow("greater, empty") << 4 << ""
                                        << "The ID [3] Task Field Value cannot be undefined for the selected "
                                           "Filter Operator: Is Greater Than";
        QTest::newRow("contains, empty") << 12 << "" << "The ID [3] Task Field Value cannot be undefined for the "
                                                        "selected Filter Operator: Contains";
        QTest::newRow("is blank with value") << 6 << "x"
                                             << "The ID [3] Task Field Value must be undefined for the selected "
                                                "Filter Operator: Is Blank";
        QTest::newRow("is not blank, empty") << 7 << "" << "";
        QTest::newRow("starts with value") << 8 << "A" << "";
    }

    void checkFilterValueForOperator()
    {
        QFETCH(int, code);
        QFETCH(QString, value);
        QFETCH(QString, details);
        QCOMPARE(DV->CheckFilterValueForOperator(code, QStringLiteral("ID [3] Task Field Value"), value),
                 !details.isEmpty());
        QCOMPARE(DV->MsgDetails, details);
        QCOMPARE(DV->MsgShort, details);
        if (!details.isEmpty())
            QCOMPARE(DV->MsgValue, value.isEmpty() ? QStringLiteral("Undefined") : value);
    }

    void pairCheckTexts()
    {
        QVERIFY(DV->CheckFilterRowsExclusive(QStringLiteral("C"), QStringLiteral("ID [2] Filter Row"),
                                             QStringLiteral("Equals"), QStringLiteral("5"), QStringLiteral("C"),
                                             QStringLiteral("ID [1] Filter Row"), QStringLiteral("Is Less Than"),
                                             QStringLiteral("5")));
        QCOMPARE(DV->MsgShort, QStringLiteral("The ID [2] Filter Row is mutually exclusive with the ID [1] Filter Row."));
        QCOMPARE(DV->MsgValue,
                 QStringLiteral("ID [2] Filter Row: C Equals 5, ID [1] Filter Row: C Is Less Than 5"));
        QVERIFY(DV->MsgID.isEmpty());
        QVERIFY(DV->CheckFilterRowsDuplicate(QStringLiteral("ID [3] Filter Row"), QStringLiteral("c"),
                                             QStringLiteral("equals"), QStringLiteral("CIVIL"),
                                             QStringLiteral("ID [1] Filter Row"), QStringLiteral("C"),
                                             QStringLiteral("Equals"), QStringLiteral("civil")));
        QCOMPARE(DV->MsgShort, QStringLiteral("The ID [3] Filter Row is the same as the ID [1] Filter Row."));
        QCOMPARE(DV->MsgValue, QStringLiteral("c equals CIVIL"));
    }

    // The filter page's rules as the tab validator applies them. A row is
    // "A|O field operator value" (value after the third blank, may be empty).
    void filterTabRules_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("errors"); // field id:row
        QTest::newRow("disabled, invalid rows") << false << QStringList{"A  0 x", "A C 4 "} << QStringList{};
        QTest::newRow("enabled, no rows") << true << QStringList{} << QStringList{"638:0"};
        QTest::newRow("no task field") << true << QStringList{"A  0 x"} << QStringList{"638:1"};
        QTest::newRow("bad column") << true << QStringList{"A C1 0 x"} << QStringList{"638:1"};
        QTest::newRow("bad operator") << true << QStringList{"A C 14 x"} << QStringList{"640:1"};
        QTest::newRow("value needed") << true << QStringList{"A C 4 "} << QStringList{"641:1"};
        QTest::newRow("value refused") << true << QStringList{"A C 6 x"} << QStringList{"641:1"};
        QTest::newRow("equals empty passes") << true << QStringList{"A C 0 "} << QStringList{};
        QTest::newRow("less then equal") << true << QStringList{"A C 2 5", "A C 0 5"} << QStringList{"638:2"};
        QTest::newRow("equal then less") << true << QStringList{"A C 0 5", "A c 2 5"} << QStringList{"638:2"};
        QTest::newRow("<= and >= overlap") << true << QStringList{"A C 3 5", "A C 5 5"} << QStringList{};
        QTest::newRow("contains, does not contain") << true << QStringList{"A C 12 ab", "A C 13 AB"}
                                                    << QStringList{"638:2"};
        QTest::newRow("blank and not blank") << true << QStringList{"A C 6 ", "A C 7 "} << QStringList{"638:2"};
        QTest::newRow("or: no exclusion") << true << QStringList{"A C 2 5", "O C 0 5"} << QStringList{};
        QTest::newRow("or: still a duplicate") << true << QStringList{"A C 0 5", "O C 0 5"} << QStringList{"638:2"};
        QTest::newRow("duplicate in other case") << true << QStringList{"A C 0 civil", "O c 0 CIVIL"}
                                                 << QStringList{"638:2"};
        QTest::newRow("two equals") << true << QStringList{"A C 0 1", "A C 0 2"} << QStringList{"638:2"};
        QTest::newRow("other columns") << true << QStringList{"A C 0 1", "A D 0 2"} << QStringList{};
        QTest::newRow("starts AB, ABC") << true << QStringList{"A C 8 AB", "A C 8 ABC"} << QStringList{};
        QTest::newRow("starts AB, AC") << true << QStringList{"A C 8 AB", "A C 8 AC"} << QStringList{"638:2"};
        QTest::newRow("starts ab, ABC") << true << QStringList{"A C 8 ab", "A C 8 ABC"} << QStringList{};
        QTest::newRow("ends AB, XAB") << true << QStringList{"A C 10 AB", "A C 10 XAB"} << QStringList{};
        QTest::newRow("ends xab, AB") << true << QStringList{"A C 10 xab", "A C 10 AB"} << QStringList{};
        QTest::newRow("ends AB, AC") << true << QStringList{"A C 10 AB", "A C 10 AC"} << QStringList{"638:2"};
        QTest::newRow("other and-group") << true << QStringList{"A C 0 5", "O D 0 1", "A C 2 5"} << QStringList{};
        QTest::newRow("same and-group") << true << QStringList{"A C 0 5", "A D 0 1", "A C 2 5"} << QStringList{"638:3"};
        QTest::newRow("one error per bad row") << true << QStringList{"A C 0 5", "A C 2 5", "A C 2 5"}
                                               << QStringList{"638:2", "638:3"};
        QTest::newRow("invalid rows are not compared") << true << QStringList{"A C 4 ", "A C 4 "}
                                                       << QStringList{"641:1", "641:2"};
    }

    void filterTabRules()
    {
        QFETCH(bool, enabled);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, errors);
        kit::Excel excel(7);
        makeValidDefinition();
        TzyDSF& dsf = active().DSF;
        dsf.SetEnabled(enabled);
        for (const QString& spec : rows) {
            const QStringList p = spec.split(QLatin1Char(' '));
            TzyDSFx& row = dsf.getItems(dsf.Add());
            row.SetAndFlag(p[0] == QStringLiteral("A"));
            row.SetTaskFld(p[1]);
            row.FilterOperator = std::uint8_t(p[2].toInt());
            row.SetTaskFldValue(p.mid(3).join(QLatin1Char(' ')));
        }
        DV->Validate(true, true, true);
        QStringList got;
        for (int i = 1; i <= DV->Count(); ++i) {
            QCOMPARE(DV->getCfgErrTabID(i), 128);
            got << QStringLiteral("%1:%2").arg(DV->getCfgErrFldID(i)).arg(DV->getCfgErrRowID(i));
        }
        QCOMPARE(got, errors);
        // A bad operator is repaired to Equals.
        for (int i = 1; i <= dsf.Count(); ++i)
            QVERIFY(!TzyDSF::IsInvalidOperator(dsf.getItems(i).FilterOperator));
    }

    void filterErrorTexts()
    {
        kit::Excel excel(7);
        makeValidDefinition();
        TzyDSF& dsf = active().DSF;
        dsf.SetEnabled(true);
        for (int i = 0; i < 2; ++i) {
            TzyDSFx& row = dsf.getItems(dsf.Add());
            row.SetTaskFld(QStringLiteral("C"));
            row.SetFilterOperator(i == 0 ? foIsLessThan : foEquals);
            row.SetTaskFldValue(QStringLiteral("5"));
        }
        DV->Validate(true, true, true);
        QCOMPARE(DV->Count(), 1);
        QCOMPARE(DV->getCfgErrTab(1), QStringLiteral("Data Source Filter"));
        QCOMPARE(DV->getCfgErrFld(1), QStringLiteral("ID [2] Filter Row"));
        QCOMPARE(DV->getCfgErrDetails(1), QStringLiteral("The ID [2] Filter Row is mutually exclusive with the ID [1] Filter Row."));
        QCOMPARE(DV->getCfgErrFldVal(1), QStringLiteral("ID [2] Filter Row: C Equals 5, ID [1] Filter Row: C Is Less Than 5"));
    }

    // ---- tab validators ----------------------------------------------------------------

    void mapTabRows_data()
    {
        QTest::addColumn<QString>("options"); // B A T M C
        QTest::addColumn<QStringList>("columns"); // items 1..9
        QTest::addColumn<QStringList>("errors");   // row:field name
        const QStringList valid{"", "", "", "", "A", "B", "C", "D", "E"};
        QTest::newRow("valid") << "ACT MH COST" << valid << QStringList{};
        QTest::newRow("required item empty") << "ACT MH COST"
                                             << QStringList{"", "", "", "", "", "B", "C", "D", "E"}
                                             << QStringList{"5:Start Date Task Field"};
        QTest::newRow("bad column") << "BL MH" << QStringList{"A", "1A", "C", "", "", "", "", "", ""}
                                    << QStringList{"2:Baseline Finish Date Task Field"};
        QTest::newRow("5 and 7 share a column") << "ACT MH COST"
                                                << QStringList{"", "", "", "", "A", "B", "a", "D", "E"}
                                                << QStringList{"7:Man Hours Task Field"};
        QTest::newRow("unused item shares a column") << "ACT COST"
                                                     << QStringList{"", "", "", "", "A", "B", "A", "D", "E"}
                                                     << QStringList{};
        QTest::newRow("one duplicate per item") << "ACT MH COST"
                                                << QStringList{"", "", "", "", "A", "A", "A", "D", "E"}
                                                << QStringList{"6:Finish Date Task Field", "7:Man Hours Task Field"};
    }

    void mapTabRows()
    {
        QFETCH(QString, options);
        QFETCH(QStringList, columns);
        QFETCH(QStringList, errors);
        kit::Excel excel(7);
        makeValidDefinition();
        TzySD& sd = active();
        sd.SCO.SetGenerateBL(options.contains(QStringLiteral("BL")));
        sd.SCO.SetGenerateACT(options.contains(QStringLiteral("ACT")));
        sd.SCO.SetGraphMH(options.contains(QStringLiteral("MH")));
        sd.SCO.SetGraphCost(options.contains(QStringLiteral("COST")));
        for (int i = 1; i <= 9; ++i)
            sd.DSM.getItems(i).SetTaskFld(columns[i - 1]);
        sd.DSM.getItems(5).SetTaskFldDesc(QString(300, QLatin1Char('d')));
        DV->Validate(true, true, true);
        QStringList got;
        for (int i = 1; i <= DV->Count(); ++i) {
            QCOMPARE(DV->getCfgErrTabID(i), 119);
            QCOMPARE(DV->getCfgErrFldID(i), 624);
            got << QStringLiteral("%1:%2").arg(DV->getCfgErrRowID(i)).arg(DV->getCfgErrFld(i));
        }
        QCOMPARE(got, errors);
        // Only the descriptions of the items the run reads are shortened.
        QCOMPARE(sd.DSM.getItems(5).GetTaskFldDesc().size(), sd.DSM.getItems(5).Required ? 255 : 300);
    }

    void fileTabCorrections()
    {
        kit::Excel excel(7);
        kit::Prompter prompter;
        prompter.answer = StdDlg::mrClose;

        // A wrong extension is shown, replaced by the default one, and the
        // file is then looked for under its new name.
        makeValidDefinition();
        TzySCF& scf = active().SCF;
        makeFile(QStringLiteral("plan.xlsx"));
        scf.SetDataSourceFile(path(QStringLiteral("plan.txt")));
        DV->Validate(true, true, true);
        QCOMPARE(errorKeys(), QStringList());
        QCOMPARE(scf.GetDataSourceFile(), path(QStringLiteral("plan.xlsx")));
        QCOMPARE(prompter.requests.size(), size_t(1));
        QCOMPARE(prompter.requests[0].msgId, QStringLiteral("UDV015"));
        QCOMPARE(prompter.requests[0].level, int(StdDlg::Warning));

        scf.SetDataSourceFile(path(QStringLiteral("absent")));
        DV->Validate(true, true, true);
        QCOMPARE(scf.GetDataSourceFile(), path(QStringLiteral("absent.xlsx")));
        QCOMPARE(errorKeys(), QStringList{QStringLiteral("56:600:0")});
        QCOMPARE(DV->getCfgErrDetails(1), QStringLiteral("The Data Source File cannot be found."));
        QCOMPARE(prompter.requests.size(), size_t(2));
        QCOMPARE(prompter.requests[1].msgId, QStringLiteral("UDV014"));

        // The header row is reset with its error.
        makeValidDefinition();
        active().SCF.SetTaskHeaderRow(0);
        DV->Validate(true, true, true);
        QCOMPARE(errorKeys(), QStringList{QStringLiteral("56:604:0")});
        QCOMPARE(active().SCF.TaskHeaderRow, 1);
        QCOMPARE(DV->getCfgErrFldVal(1), QStringLiteral("0"));

        // The Output File takes the template's extension without an error.
        makeValidDefinition();
        active().SCF.SetOutputFile(path(QStringLiteral("result.xls")));
        DV->Validate(true, true, true);
        QCOMPARE(errorKeys(), QStringList());
        QCOMPARE(active().SCF.GetOutputFile(), path(QStringLiteral("result.xlsx")));

        // Equal names, letter case aside.
        makeValidDefinition();
        active().SCF.SetOutputFile(path(QStringLiteral("TASKS.xlsx")));
        DV->Validate(true, true, true);
        QCOMPARE(errorKeys(), QStringList{QStringLiteral("56:610:0")});
        QCOMPARE(DV->getCfgErrDetails(1), QStringLiteral("The Output File is the same as the Data Source File."));

        makeValidDefinition();
        active().SCF.SetTemplateFile(active().SCF.GetDataSourceFile());
        active().SCF.SetChartDataWS(QStringLiteral("project SUMMARY"));
        DV->Validate(true, true, true);
        QCOMPARE(errorKeys(), (QStringList{"56:605:0", "56:609:0"}));

        // An illegal Chart Data Worksheet is listed once, not again for
        // matching the Project Summary Worksheet.
        makeValidDefinition();
        active().SCF.SetProjectSummaryWS(QStringLiteral("Sheet?"));
        active().SCF.SetChartDataWS(QStringLiteral("SHEET?"));
        DV->Validate(true, true, true);
        QCOMPARE(errorKeys(), (QStringList{"56:608:0", "56:609:0"}));

        makeValidDefinition();
        active().SCF.SetTaskWS(QStringLiteral("Tasks?"));
        active().SCF.SetProjectSummaryWS(QString(40, QLatin1Char('p')));
        DV->Validate(true, true, true);
        QCOMPARE(errorKeys(), QStringList{QStringLiteral("56:603:0")});
        QCOMPARE(active().SCF.ProjectSummaryWS, QString(31, QLatin1Char('p')));
        QCOMPARE(prompter.requests.size(), size_t(2));
    }

    void readOnlyOutputFile()
    {
        kit::Excel excel(7);
        makeValidDefinition();
        const QString out = makeFile(QStringLiteral("locked.xlsx"));
        QVERIFY(QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        active().SCF.SetOutputFile(out);
        DV->Validate(true, true, true);
        QCOMPARE(errorKeys(), QStringList{QStringLiteral("56:610:0")});
        QCOMPARE(DV->getCfgErrDetails(1),
                 QStringLiteral("The Output File exists, and is read-only. Unable to overwrite existing Output File."));
        QCOMPARE(DV->getCfgErrFldVal(1), out);
        QVERIFY(QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        DV->Validate(true, true, true);
        QCOMPARE(errorKeys(), QStringList());
    }

    void overlongFileNamesAreTruncatedAndReported()
    {
        kit::Excel excel(7);
        makeValidDefinition();
        const QString longName = QLatin1Char('/') + QString(300, QLatin1Char('a')) + QStringLiteral(".xlsx");
        active().SCF.SetDataSourceFile(longName);
        active().SCF.SetOutputFile(longName);
        active().SCF.SetDataSourceFileOpenPassword(QString(256, QLatin1Char(' ')));
        DV->Validate(true, true, true);
        QCOMPARE(active().SCF.GetDataSourceFile(), longName.left(260));
        QCOMPARE(active().SCF.GetOutputFile(), longName.left(260));
        QCOMPARE(active().SCF.GetDataSourceFileOpenPassword().size(), 255);
        QCOMPARE(errorKeys(), (QStringList{"56:600:0", "56:610:0"}));
        QCOMPARE(DV->getCfgErrDetails(1), QStringLiteral("The Data Source File is too long: 306 Characters. "
                                                         "Truncated to maximum length: 260 Characters."));
        QCOMPARE(DV->getCfgErrFldVal(1), longName);
    }

    void optionsTabCorrections()
    {
        kit::Excel excel(7);
        makeValidDefinition();
        TzySCO& sco = active().SCO;
        sco.SetGenerateACT(false);
        sco.SetCutOffDate(3000000.0);
        DV->Validate(true, true, true);
        QCOMPARE(errorKeys(), (QStringList{"85:612:0", "85:621:0", "85:620:0"}));
        QVERIFY(!sco.GraphMH && !sco.GraphCost);
        QCOMPARE(sco.CutOffDate, TzySCO::Today());
        // The map is not required without a data option.
        QCOMPARE(DV->getCfgErrDetails(2), QStringLiteral("At least one Quantity (Man Hours, Cost) must be selected."));
    }

    void onlyTheChosenFileTabsRun()
    {
        kit::Excel excel(7);
        makeValidDefinition();
        active().SCF.SetDataSourceFile(QString());
        active().SCF.SetTemplateFile(QStringLiteral("rel.xlsx"));
        active().SCF.SetOutputFile(QStringLiteral("rel.xlsx"));
        DV->Validate(false, false, false);
        QCOMPARE(errorKeys(), QStringList());
        DV->Validate(false, true, false);
        QCOMPARE(errorKeys(), QStringList{QStringLiteral("56:605:0")});
    }

    // ---- user preferences ---------------------------------------------------------------

    void preferencesValidation()
    {
        kit::Excel excel(7);
        UP->SetDefaultTFDDLItemIndex(TzyUP::tfOther);
        UP->SetDefaultTFOther(QLatin1Char('/') + QString(300, QLatin1Char('t')) + QStringLiteral(".xlsx"));
        UP->SetDefaultOFFolderDDLItemIndex(TzyUP::ofOther);
        UP->SetDefaultOFFolderOther(QStringLiteral("/srv/o\x01ut"));
        ValidateUserPreferences(*UP);
        QCOMPARE(UP->GetDefaultTFOther(), QString());
        QCOMPARE(UP->DefaultTFDDLItemIndex(), int(TzyUP::tfOther));
        QCOMPARE(UP->GetDefaultOFFolderOther(), QString());
        QCOMPARE(UP->DefaultOFFolderDDLItemIndex(), int(TzyUP::ofOther));

        // Valid values pass unchanged.
        const QString tpl = makeFile(QStringLiteral("mine.xlsx"));
        UP->SetDefaultTFOther(tpl);
        UP->SetDefaultOFFolderOther(m_dir.path());
        UP->SetHintHidePause(1000);
        UP->SetHintPause(2000);
        UP->SetImportTaskFldValueCount(0);
        UP->SetDefaultXLExtn(TzyUP::xeXLS);
        ValidateUserPreferences(*UP);
        QCOMPARE(UP->GetDefaultTFOther(), tpl);
        QCOMPARE(UP->GetDefaultOFFolderOther(), m_dir.path() + QLatin1Char('/'));
        QCOMPARE(UP->HintHidePause(), 1000);
        QCOMPARE(UP->HintPause(), 2000);
        QCOMPARE(UP->ImportTaskFldValueCount(), 0);
        QCOMPARE(UP->DefaultXLExtn(), int(TzyUP::xeXLS));

        // A relative Other file is no valid path; a relative folder neither.
        UP->SetDefaultTFOther(QStringLiteral("templates/mine.xlsx"));
        UP->SetDefaultOFFolderOther(QStringLiteral("out"));
        ValidateUserPreferences(*UP);
        QCOMPARE(UP->GetDefaultTFOther(), QString());
        QCOMPARE(UP->GetDefaultOFFolderOther(), QString());

        // The Other settings are kept while another choice is made.
        UP->SetDefaultTFDDLItemIndex(TzyUP::tfAuto);
        UP->SetDefaultTFOther(QStringLiteral("rel.xlsx"));
        ValidateUserPreferences(*UP);
        QCOMPARE(UP->GetDefaultTFOther(), QStringLiteral("rel.xlsx"));
    }

    void preferencesOutOfRangeAreBroughtBack()
    {
        // Values read from an older registry can be outside what the setters
        // store today; the preferences' loading clamps them, and validation
        // leaves the clamped values as they are.
        using platform::RootKey;
        REG_Utils::WriteInteger(RootKey::CurrentUser, UP->RegKey, QStringLiteral("HintHidePause"), 99999);
        REG_Utils::WriteInteger(RootKey::CurrentUser, UP->RegKey, QStringLiteral("DefaultTFDDLItemIndex"), 7);
        REG_Utils::WriteInteger(RootKey::CurrentUser, UP->RegKey, QStringLiteral("ImportTaskFldValueCount"), 9);
        UP->Load();
        ValidateUserPreferences(*UP);
        QCOMPARE(UP->HintHidePause(), 5000);
        QCOMPARE(UP->DefaultTFDDLItemIndex(), int(TzyUP::tfAuto));
        QCOMPARE(UP->ImportTaskFldValueCount(), 5);
    }
};

QTEST_GUILESS_MAIN(TstValidation)
#include "tst_validation.moc"
