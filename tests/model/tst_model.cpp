// The ZOL Definition: defaults, setters, caches, the map's Required flags,
// the filter rows and their description, index errors and the reset.
#include "ModelTestKit.h"
#include "zyDF.h"
#include "zySD.h"

#include <QDate>
#include <QtTest>

#include <functional>

class TstModel : public QObject {
    Q_OBJECT

private:
    static TzySD& active() { return SDs->getItems(SDs->ActiveSD()); }
    static QString requiredItems(const TzyDSM& dsm)
    {
        QStringList items;
        for (int i = 1; i <= dsm.Count(); ++i)
            if (dsm.getItems(i).Required)
                items << QString::number(i);
        return items.join(QLatin1Char(','));
    }
    static void resetDefinitions()
    {
        SDs = std::make_unique<TzySDs>();
        QVERIFY(DF->ResetSDs(false));
    }

private slots:
    void initTestCase()
    {
        kit::initGlobals();
        DF = std::make_unique<TzyDF>();
    }

    void init()
    {
        UP = std::make_unique<TzyUP>();
    }

    void cleanupTestCase()
    {
        DF.reset();
        SDs.reset();
        UP.reset();
        AD.reset();
        FreeUILs();
    }

    // ---- defaults ---------------------------------------------------------------

    void newDefinitionDefaults_data()
    {
        QTest::addColumn<int>("verCode");
        QTest::addColumn<QString>("ext");
        QTest::newRow("Excel 2013: .xlsx") << 7 << QStringLiteral(".xlsx");
        QTest::newRow("Excel 2007: .xlsx") << 5 << QStringLiteral(".xlsx");
        QTest::newRow("Excel 2003: .xls") << 4 << QStringLiteral(".xls");
        QTest::newRow("none: .xls") << 0 << QStringLiteral(".xls");
    }

    void newDefinitionDefaults()
    {
        QFETCH(int, verCode);
        QFETCH(QString, ext);
        kit::Excel excel(verCode);
        UP->SetDefaultOFFolderDDLItemIndex(TzyUP::ofNone);
        resetDefinitions();

        QCOMPARE(SDs->Count(), 1);
        QCOMPARE(SDs->ActiveSD(), 1);
        TzySD& sd = active();
        QVERIFY(sd.Description.isEmpty());

        const TzySCF& scf = sd.SCF;
        const QString tpl = ext == QStringLiteral(".xls") ? UP->GetTemplateXLS() : UP->GetTemplateXLSX();
        QVERIFY(tpl.endsWith(QStringLiteral("Templates/Tarvo_ZOL_Lumo_Template") + ext));
        QCOMPARE(scf.GetTemplateFile(), tpl);
        QCOMPARE(scf.DefaultTemplateFile(), tpl);
        QCOMPARE(scf.GetOutputFile(), QStringLiteral("Tarvo_ZOL_Lumo_Output") + ext);
        QCOMPARE(scf.GetOutputFolder(), QString());
        QCOMPARE(scf.GetDataSourceFile(), QString());
        QCOMPARE(scf.GetDataSourceFileOpenPassword(), QString());
        QCOMPARE(scf.GetTemplateFileOpenPassword(), QString());
        QCOMPARE(scf.TaskWS, QStringLiteral("Task_Table1"));
        QCOMPARE(scf.TaskHeaderRow, 1);
        QCOMPARE(scf.ProjectSummaryWS, QStringLiteral("Project Summary"));
        QCOMPARE(scf.ChartDataWS, QStringLiteral("Chart Data"));
        QCOMPARE(TzySCF::GetChartDataFirstRow(), 8);

        QVERIFY(sd.PD.GetProjectTitle().isEmpty() && sd.PD.GetProjectNumber().isEmpty()
                && sd.PD.GetProjectClient().isEmpty());

        const TzySCO& sco = sd.SCO;
        QVERIFY(!sco.GenerateBL && !sco.GenerateACT && !sco.GenerateTGT && !sco.GraphMH && !sco.GraphCost);
        QCOMPARE(sco.CutOffDate, double(QDate(1899, 12, 30).daysTo(QDate::currentDate())));

        QCOMPARE(sd.DSM.Count(), 9);
        const QStringList labels{"Baseline Start Date", "Baseline Finish Date", "Baseline Man Hours",
                                 "Baseline Cost", "Start Date", "Finish Date", "Man Hours", "Cost", "% Complete"};
        for (int i = 1; i <= 9; ++i) {
            QCOMPARE(sd.DSM.getItems(i).Desc, labels[i - 1]);
            QVERIFY(sd.DSM.getItems(i).GetTaskFld().isEmpty());
        }
        QVERIFY(sd.DSM.getItems(0).Desc.isEmpty());
        QCOMPARE(requiredItems(sd.DSM), QString());

        QCOMPARE(sd.DSF.Count(), 0);
        QVERIFY(!sd.DSF.Enabled());
        QCOMPARE(sd.DSF.GetFilterDetails(), QStringLiteral("Disabled, Undefined"));

        for (int i = 0; i <= 2; ++i) {
            QCOMPARE(sd.getWSL_Count(i), 0);
            QVERIFY(!sd.getWSL_Loaded(i));
        }
        QCOMPARE(sd.getFL_Count(), 0);
        QVERIFY(!sd.getFL_Loaded());
        QCOMPARE(sd.getVL_Count(), 0);
        QCOMPARE(sd.getVL_Total(), 0);
    }

    void defaultsFollowPreferences_data()
    {
        QTest::addColumn<int>("tfChoice");
        QTest::addColumn<QString>("tfOther");
        QTest::addColumn<int>("xlExtn");
        QTest::addColumn<int>("ofChoice");
        QTest::addColumn<QString>("ofOther");
        QTest::addColumn<QString>("templateFile"); // "XLS", "XLSX" or the file itself
        QTest::addColumn<QString>("output");   // "$D" desktop, "$M" documents
        QTest::newRow("no template, xlsx extension") << 0 << "" << 2 << 0 << "" << "" << "Tarvo_ZOL_Lumo_Output.xlsx";
        QTest::newRow("no template, xls extension") << 0 << "" << 1 << 0 << "" << "" << "Tarvo_ZOL_Lumo_Output.xls";
        QTest::newRow(".xls template") << 2 << "" << 0 << 0 << "" << "XLS" << "Tarvo_ZOL_Lumo_Output.xls";
        QTest::newRow(".xlsx template") << 3 << "" << 1 << 0 << "" << "XLSX" << "Tarvo_ZOL_Lumo_Output.xlsx";
        QTest::newRow("other template") << 4 << "/srv/t/My Plan.XLSM" << 0 << 0 << "" << "/srv/t/My Plan.XLSM"
                                        << "Tarvo_ZOL_Lumo_Output.XLSM";
        QTest::newRow("other template without extension")
            << 4 << "/srv/t/plan" << 0 << 0 << "" << "/srv/t/plan" << "Tarvo_ZOL_Lumo_Output";
        QTest::newRow("other folder") << 3 << "" << 0 << 3 << "  /srv/out  " << "XLSX"
                                      << "/srv/out/Tarvo_ZOL_Lumo_Output.xlsx";
        QTest::newRow("desktop") << 3 << "" << 0 << 1 << "" << "XLSX" << "$DTarvo_ZOL_Lumo_Output.xlsx";
        QTest::newRow("documents") << 2 << "" << 0 << 2 << "" << "XLS" << "$MTarvo_ZOL_Lumo_Output.xls";
    }

    void defaultsFollowPreferences()
    {
        QFETCH(int, tfChoice);
        QFETCH(QString, tfOther);
        QFETCH(int, xlExtn);
        QFETCH(int, ofChoice);
        QFETCH(QString, ofOther);
        QFETCH(QString, templateFile);
        QFETCH(QString, output);
        kit::Excel excel(7);
        UP->SetDefaultTFDDLItemIndex(tfChoice);
        UP->SetDefaultTFOther(tfOther);
        UP->SetDefaultXLExtn(xlExtn);
        UP->SetDefaultOFFolderDDLItemIndex(ofChoice);
        UP->SetDefaultOFFolderOther(ofOther);
        resetDefinitions();

        if (templateFile == QStringLiteral("XLS"))
            templateFile = UP->GetTemplateXLS();
        else if (templateFile == QStringLiteral("XLSX"))
            templateFile = UP->GetTemplateXLSX();
        output.replace(QStringLiteral("$D"), Utils::GetDesktopFolder());
        output.replace(QStringLiteral("$M"), Utils::GetMyDocumentsFolder());
        QCOMPARE(active().SCF.GetTemplateFile(), templateFile);
        QCOMPARE(active().SCF.GetOutputFile(), output);
    }

    // ---- setters ------------------------------------------------------------------

    void settersStoreAsTheirKindRequires_data()
    {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("stored");
        const QString nbsp = QString(QChar(0xA0));
        QTest::newRow("data source file trimmed") << "DataSourceFile" << " \t/d/tasks.xls  " << "/d/tasks.xls";
        QTest::newRow("template file trimmed") << "TemplateFile" << "  /d/t.xlsx\n" << "/d/t.xlsx";
        QTest::newRow("output file trimmed") << "OutputFile" << " /o/out.xlsx " << "/o/out.xlsx";
        QTest::newRow("trim keeps a no-break space") << "OutputFile" << nbsp + "/o/x.xls " << nbsp + "/o/x.xls";
        QTest::newRow("password kept") << "DataSourceFileOpenPassword" << "  s3cret " << "  s3cret ";
        QTest::newRow("template password kept") << "TemplateFileOpenPassword" << " pw" << " pw";
        QTest::newRow("worksheet kept") << "TaskWS" << " Tasks " << " Tasks ";
        QTest::newRow("project title trimmed") << "ProjectTitle" << "  Bridge  " << "Bridge";
        QTest::newRow("project number trimmed") << "ProjectNumber" << " P-1 " << "P-1";
        QTest::newRow("project client trimmed") << "ProjectClient" << " ACME " << "ACME";
        QTest::newRow("map column trimmed and upper-cased") << "DSMTaskFld" << "  ab " << "AB";
        QTest::newRow("map column folds a..z only") << "DSMTaskFld" << QString::fromUtf8("äb") << QString::fromUtf8("äB");
        QTest::newRow("map description trimmed, case kept") << "DSMTaskFldDesc" << " Start date " << "Start date";
        QTest::newRow("filter column trimmed and upper-cased") << "DSFTaskFld" << " c " << "C";
        QTest::newRow("filter description trimmed") << "DSFTaskFldDesc" << " Discipline " << "Discipline";
        QTest::newRow("filter value kept") << "DSFTaskFldValue" << "  Civil " << "  Civil ";
        QTest::newRow("cached task field trimmed, case kept") << "FLTaskFld" << " ab " << "ab";
        QTest::newRow("cached description kept") << "FLTaskFldDesc" << " Start " << " Start ";
        QTest::newRow("value list key trimmed") << "VLTaskFld" << " d " << "d";
    }

    void settersStoreAsTheirKindRequires()
    {
        QFETCH(QString, setter);
        QFETCH(QString, input);
        QFETCH(QString, stored);
        resetDefinitions();
        TzySD& sd = active();
        sd.DSF.Add();
        sd.setFL_Count(1);
        sd.setVL_Count(1);
        const std::map<QString, std::pair<std::function<void(const QString&)>, std::function<QString()>>> access = {
            {"DataSourceFile", {[&](auto v) { sd.SCF.SetDataSourceFile(v); }, [&] { return sd.SCF.GetDataSourceFile(); }}},
            {"TemplateFile", {[&](auto v) { sd.SCF.SetTemplateFile(v); }, [&] { return sd.SCF.GetTemplateFile(); }}},
            {"OutputFile", {[&](auto v) { sd.SCF.SetOutputFile(v); }, [&] { return sd.SCF.GetOutputFile(); }}},
            {"DataSourceFileOpenPassword",
             {[&](auto v) { sd.SCF.SetDataSourceFileOpenPassword(v); },
              [&] { return sd.SCF.GetDataSourceFileOpenPassword(); }}},
            {"TemplateFileOpenPassword",
             {[&](auto v) { sd.SCF.SetTemplateFileOpenPassword(v); },
              [&] { return sd.SCF.GetTemplateFileOpenPassword(); }}},
            {"TaskWS", {[&](auto v) { sd.SCF.SetTaskWS(v); }, [&] { return sd.SCF.TaskWS; }}},
            {"ProjectTitle", {[&](auto v) { sd.PD.SetProjectTitle(v); }, [&] { return sd.PD.GetProjectTitle(); }}},
            {"ProjectNumber", {[&](auto v) { sd.PD.SetProjectNumber(v); }, [&] { return sd.PD.GetProjectNumber(); }}},
            {"ProjectClient", {[&](auto v) { sd.PD.SetProjectClient(v); }, [&] { return sd.PD.GetProjectClient(); }}},
            {"DSMTaskFld",
             {[&](auto v) { sd.DSM.getItems(5).SetTaskFld(v); }, [&] { return sd.DSM.getItems(5).GetTaskFld(); }}},
            {"DSMTaskFldDesc",
             {[&](auto v) { sd.DSM.getItems(5).SetTaskFldDesc(v); },
              [&] { return sd.DSM.getItems(5).GetTaskFldDesc(); }}},
            {"DSFTaskFld",
             {[&](auto v) { sd.DSF.getItems(1).SetTaskFld(v); }, [&] { return sd.DSF.getItems(1).GetTaskFld(); }}},
            {"DSFTaskFldDesc",
             {[&](auto v) { sd.DSF.getItems(1).SetTaskFldDesc(v); },
              [&] { return sd.DSF.getItems(1).GetTaskFldDesc(); }}},
            {"DSFTaskFldValue",
             {[&](auto v) { sd.DSF.getItems(1).SetTaskFldValue(v); },
              [&] { return sd.DSF.getItems(1).TaskFldValue; }}},
            {"FLTaskFld", {[&](auto v) { sd.setFL_TaskFld(1, v); }, [&] { return sd.getFL_TaskFld(1); }}},
            {"FLTaskFldDesc", {[&](auto v) { sd.setFL_TaskFldDesc(1, v); }, [&] { return sd.getFL_TaskFldDesc(1); }}},
            {"VLTaskFld", {[&](auto v) { sd.setVL_TaskFld(1, v); }, [&] { return sd.getVL_TaskFld(1); }}},
        };
        const auto& [set, get] = access.at(setter);
        set(input);
        QCOMPARE(get(), stored);
    }

    void outputFolder_data()
    {
        QTest::addColumn<QString>("outputFile");
        QTest::addColumn<QString>("folder");
        QTest::newRow("full name") << "/home/u/out/result.xlsx" << "/home/u/out/";
        QTest::newRow("bare name") << "result.xlsx" << "";
        QTest::newRow("root") << "/r.xls" << "/";
    }

    void outputFolder()
    {
        QFETCH(QString, outputFile);
        QFETCH(QString, folder);
        TzySCF scf;
        scf.SetOutputFile(outputFile);
        QCOMPARE(scf.GetOutputFolder(), folder);
    }

    // ---- options and map ------------------------------------------------------------

    void requiredFlags_data()
    {
        QTest::addColumn<bool>("bl");
        QTest::addColumn<bool>("act");
        QTest::addColumn<bool>("tgt");
        QTest::addColumn<bool>("mh");
        QTest::addColumn<bool>("cost");
        QTest::addColumn<QString>("required");
        QTest::newRow("none") << false << false << false << false << false << QString("");
        QTest::newRow("Cost") << false << false << false << false << true << QString("");
        QTest::newRow("MH") << false << false << false << true << false << QString("");
        QTest::newRow("MH Cost") << false << false << false << true << true << QString("");
        QTest::newRow("TGT") << false << false << true << false << false << QString("5,6");
        QTest::newRow("TGT Cost") << false << false << true << false << true << QString("5,6,8");
        QTest::newRow("TGT MH") << false << false << true << true << false << QString("5,6,7");
        QTest::newRow("TGT MH Cost") << false << false << true << true << true << QString("5,6,7,8");
        QTest::newRow("ACT") << false << true << false << false << false << QString("5,6,9");
        QTest::newRow("ACT Cost") << false << true << false << false << true << QString("5,6,8,9");
        QTest::newRow("ACT MH") << false << true << false << true << false << QString("5,6,7,9");
        QTest::newRow("ACT MH Cost") << false << true << false << true << true << QString("5,6,7,8,9");
        QTest::newRow("ACT TGT") << false << true << true << false << false << QString("5,6,9");
        QTest::newRow("ACT TGT Cost") << false << true << true << false << true << QString("5,6,8,9");
        QTest::newRow("ACT TGT MH") << false << true << true << true << false << QString("5,6,7,9");
        QTest::newRow("ACT TGT MH Cost") << false << true << true << true << true << QString("5,6,7,8,9");
        QTest::newRow("BL") << true << false << false << false << false << QString("1,2");
        QTest::newRow("BL Cost") << true << false << false << false << true << QString("1,2,4");
        QTest::newRow("BL MH") << true << false << false << true << false << QString("1,2,3");
        QTest::newRow("BL MH Cost") << true << false << false << true << true << QString("1,2,3,4");
        QTest::newRow("BL TGT") << true << false << true << false << false << QString("1,2,5,6");
        QTest::newRow("BL TGT Cost") << true << false << true << false << true << QString("1,2,4,5,6,8");
        QTest::newRow("BL TGT MH") << true << false << true << true << false << QString("1,2,3,5,6,7");
        QTest::newRow("BL TGT MH Cost") << true << false << true << true << true << QString("1,2,3,4,5,6,7,8");
        QTest::newRow("BL ACT") << true << true << false << false << false << QString("1,2,5,6,9");
        QTest::newRow("BL ACT Cost") << true << true << false << false << true << QString("1,2,4,5,6,8,9");
        QTest::newRow("BL ACT MH") << true << true << false << true << false << QString("1,2,3,5,6,7,9");
        QTest::newRow("BL ACT MH Cost") << true << true << false << true << true << QString("1,2,3,4,5,6,7,8,9");
        QTest::newRow("BL ACT TGT") << true << true << true << false << false << QString("1,2,5,6,9");
        QTest::newRow("BL ACT TGT Cost") << true << true << true << false << true << QString("1,2,4,5,6,8,9");
        QTest::newRow("BL ACT TGT MH") << true << true << true << true << false << QString("1,2,3,5,6,7,9");
        QTest::newRow("BL ACT TGT MH Cost") << true << true << true << true << true << QString("1,2,3,4,5,6,7,8,9");
    }

    void requiredFlags()
    {
        QFETCH(bool, bl);
        QFETCH(bool, act);
        QFETCH(bool, tgt);
        QFETCH(bool, mh);
        QFETCH(bool, cost);
        QFETCH(QString, required);
        TzyDSM dsm;
        // Flags are recomputed from the options, never accumulated.
        dsm.SetRequired(true, true, true, true, true);
        dsm.SetRequired(bl, act, tgt, mh, cost);
        QCOMPARE(requiredItems(dsm), required);
        QVERIFY(!dsm.getItems(0).Required);
    }

    void optionTexts_data()
    {
        QTest::addColumn<bool>("bl");
        QTest::addColumn<bool>("act");
        QTest::addColumn<bool>("tgt");
        QTest::addColumn<bool>("mh");
        QTest::addColumn<bool>("cost");
        QTest::addColumn<QString>("dataText");
        QTest::addColumn<QString>("quantityText");
        QTest::newRow("all") << true << true << true << true << true
                             << "Baseline, Actual, Target, % S Curves, % Histograms (Baseline, Target)"
                             << "Man Hours, Cost";
        QTest::newRow("actual only") << false << true << false << false << true << "Actual" << "Cost";
        QTest::newRow("target only") << false << false << true << true << false
                                     << "Target, % S Curves, % Histograms (Target)" << "Man Hours";
        QTest::newRow("baseline and actual") << true << true << false << false << false
                                             << "Baseline, Actual, % S Curves, % Histograms (Baseline)" << "";
        QTest::newRow("none") << false << false << false << false << false << "" << "";
    }

    void optionTexts()
    {
        QFETCH(bool, bl);
        QFETCH(bool, act);
        QFETCH(bool, tgt);
        QFETCH(bool, mh);
        QFETCH(bool, cost);
        QFETCH(QString, dataText);
        QFETCH(QString, quantityText);
        TzySCO sco;
        sco.SetGenerateBL(bl);
        sco.SetGenerateACT(act);
        sco.SetGenerateTGT(tgt);
        sco.SetGraphMH(mh);
        sco.SetGraphCost(cost);
        QCOMPARE(sco.GetDataOptionsText(), dataText);
        QCOMPARE(sco.GetQuantityText(), quantityText);
    }

    // ---- caches --------------------------------------------------------------------

    void worksheetListResizes()
    {
        kit::IndexErrors errors;
        TzySD sd;
        sd.setWSL_Count(1, 5);
        for (int j = 1; j <= 5; ++j)
            sd.setWSL_WS(1, j, QStringLiteral("WS%1").arg(j));
        sd.setWSL_Count(1, 2);
        QCOMPARE(sd.getWSL_Count(1), 2);
        QCOMPARE(sd.getWSL_WS(1, 2), QStringLiteral("WS2"));
        QCOMPARE(sd.getWSL_WS(1, 3), QString());
        QCOMPARE(errors.texts.size(), 1);
        sd.setWSL_Count(1, 4);
        QCOMPARE(sd.getWSL_WS(1, 1), QStringLiteral("WS1"));
        QCOMPARE(sd.getWSL_WS(1, 3), QString());
        QCOMPARE(sd.getWSL_WS(1, 4), QString());
        QCOMPARE(errors.texts.size(), 1);
        // The other lists are untouched.
        QCOMPARE(sd.getWSL_Count(2), 0);

        // A Refresh clears only the flag.
        sd.setWSL_Loaded(1, true);
        sd.setWSL_Loaded(1, false);
        QCOMPARE(sd.getWSL_WS(1, 1), QStringLiteral("WS1"));
        sd.setWSL_Loaded(1, true);
        sd.ResetWSL(1);
        QCOMPARE(sd.getWSL_Count(1), 0);
        QVERIFY(!sd.getWSL_Loaded(1));
        // A negative count leaves only the placeholder.
        sd.setWSL_Count(2, -3);
        QCOMPARE(sd.getWSL_Count(2), 0);
        QCOMPARE(errors.texts.size(), 1);
    }

    void taskFieldListFollowsSampleCount()
    {
        kit::IndexErrors errors;
        UP->SetImportTaskFldValueCount(0);
        TzySD sd;
        sd.setFL_Count(2);
        sd.setFL_TaskFldValue(1, 0, QStringLiteral("slot 0"));
        QVERIFY(errors.texts.isEmpty());
        QCOMPARE(sd.getFL_TaskFldValue(1, 1), QString());
        QCOMPARE(errors.texts.size(), 1);
        QCOMPARE(errors.tag(0), QStringLiteral("SD.getFL_TaskFldValue"));

        // A later resize gives every field the current sample width and keeps
        // what the fields held.
        sd.setFL_TaskFld(1, QStringLiteral("A"));
        UP->SetImportTaskFldValueCount(5);
        sd.setFL_Count(3);
        QCOMPARE(sd.getFL_TaskFld(1), QStringLiteral("A"));
        sd.setFL_TaskFldValue(1, 5, QStringLiteral("v5"));
        sd.setFL_TaskFldValue(3, 5, QStringLiteral("w5"));
        QCOMPARE(sd.getFL_TaskFldValue(1, 5), QStringLiteral("v5"));
        QCOMPARE(sd.getFL_TaskFldValue(3, 5), QStringLiteral("w5"));
        QCOMPARE(errors.texts.size(), 1);
        sd.setFL_TaskFldValue(3, 6, QStringLiteral("x"));
        QCOMPARE(errors.tag(1), QStringLiteral("SD.setFL_TaskFldValue"));

        sd.setFL_Loaded(true);
        sd.ResetFL();
        QCOMPARE(sd.getFL_Count(), 0);
        QVERIFY(!sd.getFL_Loaded());
    }

    void valueListsResize()
    {
        kit::IndexErrors errors;
        TzySD sd;
        sd.setVL_Count(2);
        sd.setVL_TaskFld(2, QStringLiteral("D"));
        sd.setVL_TaskFldValCount(2, 3);
        sd.setVL_TaskFldValue(2, 3, QStringLiteral("Civil"));
        sd.setVL_TaskFldValTaskCount(2, 3, 7);
        sd.setVL_Loaded(2, true);
        sd.setVL_Total(12);

        sd.setVL_TaskFldValCount(2, 1);
        sd.setVL_TaskFldValCount(2, 3);
        QCOMPARE(sd.getVL_TaskFldValue(2, 3), QString());
        QCOMPARE(sd.getVL_TaskFldValTaskCount(2, 3), 0);
        sd.setVL_Count(3);
        QCOMPARE(sd.getVL_TaskFld(2), QStringLiteral("D"));
        QVERIFY(sd.getVL_Loaded(2));
        QCOMPARE(sd.getVL_TaskFldValCount(3), 0);
        QVERIFY(!sd.getVL_Loaded(3));
        QVERIFY(errors.texts.isEmpty());

        sd.ResetVL();
        QCOMPARE(sd.getVL_Count(), 0);
        QCOMPARE(sd.getVL_Total(), 0);
    }

    void addEmptiesTheCachesOfEveryDefinition()
    {
        resetDefinitions();
        TzySD& first = active();
        first.setWSL_Count(1, 2);
        first.setWSL_Loaded(1, true);
        first.setFL_Count(4);
        first.setFL_Loaded(true);
        first.setVL_Count(1);
        first.setVL_Loaded(1, true);
        first.DSF.Add();
        QCOMPARE(SDs->Add(), 2);
        QCOMPARE(first.getWSL_Count(1), 0);
        QVERIFY(!first.getWSL_Loaded(1));
        QCOMPARE(first.getFL_Count(), 0);
        QVERIFY(!first.getFL_Loaded());
        QCOMPARE(first.getVL_Count(), 0);
        // The parts are not caches.
        QCOMPARE(first.DSF.Count(), 1);
    }

    // ---- filter -----------------------------------------------------------------------

    void filterRowsAddAndDelete()
    {
        kit::IndexErrors errors;
        TzyDSF dsf;
        for (int i = 1; i <= 4; ++i) {
            QCOMPARE(dsf.Add(), i);
            TzyDSFx& row = dsf.getItems(i);
            row.SetTaskFld(QString(QChar('A' + i)));
            row.SetTaskFldDesc(QStringLiteral("Field %1").arg(i));
            row.SetFilterOperator(i);
            row.SetTaskFldValue(QStringLiteral("v%1").arg(i));
            row.SetAndFlag(i % 2 == 0);
        }
        dsf.Delete(2);
        QCOMPARE(dsf.Count(), 3);
        const QStringList expected{"B", "D", "E"};
        for (int i = 1; i <= 3; ++i) {
            const TzyDSFx& row = dsf.getItems(i);
            const int was = i == 1 ? 1 : i + 1;
            QCOMPARE(row.GetTaskFld(), expected[i - 1]);
            QCOMPARE(row.GetTaskFldDesc(), QStringLiteral("Field %1").arg(was));
            QCOMPARE(int(row.FilterOperator), was);
            QCOMPARE(row.TaskFldValue, QStringLiteral("v%1").arg(was));
            QCOMPARE(row.AndFlag, was % 2 == 0);
        }
        dsf.Delete(3);
        QCOMPARE(dsf.Count(), 2);
        QCOMPARE(dsf.getItems(2).GetTaskFld(), QStringLiteral("D"));
        QVERIFY(errors.texts.isEmpty());

        // At most five rows.
        for (int i = 3; i <= 5; ++i)
            QCOMPARE(dsf.Add(), i);
        QCOMPARE(dsf.Add(), 0);
        QCOMPARE(dsf.Count(), 5);
        QCOMPARE(errors.tag(0), QStringLiteral("DSF.Add"));
    }

    void deletingThePlaceholderChangesNothing()
    {
        kit::IndexErrors errors;
        TzyDSF dsf;
        dsf.Delete(0);
        QCOMPARE(dsf.Count(), 0);
        QCOMPARE(errors.texts.size(), 1);
        QCOMPARE(errors.tag(0), QStringLiteral("DSF.Delete"));
        // The placeholder still answers a bad index.
        dsf.getItems(0).SetTaskFldValue(QStringLiteral("x"));
        QCOMPARE(dsf.getItems(3).TaskFldValue, QStringLiteral("x"));

        dsf.Add();
        dsf.getItems(1).SetTaskFld(QStringLiteral("C"));
        dsf.Delete(0);
        dsf.Delete(2);
        QCOMPARE(dsf.Count(), 1);
        QCOMPARE(dsf.getItems(1).GetTaskFld(), QStringLiteral("C"));
        dsf.Delete(1);
        QCOMPARE(dsf.Count(), 0);
        dsf.Delete(1);
        QCOMPARE(dsf.Count(), 0);
    }

    void filterOperators()
    {
        TzyDSFx row;
        QVERIFY(row.SetFilterOperator(14));
        QCOMPARE(int(row.FilterOperator), 0);
        QVERIFY(!row.SetFilterOperator(foDoesNotContain));
        QVERIFY(row.SetFilterOperator(200));
        QCOMPARE(int(row.FilterOperator), int(foDoesNotContain));
        // A stored code out of range is repaired by any call.
        row.FilterOperator = 40;
        QVERIFY(row.SetFilterOperator(14));
        QCOMPARE(int(row.FilterOperator), 0);
        row.FilterOperator = 40;
        row.ResetFilterOperator();
        QCOMPARE(int(row.FilterOperator), 0);

        QCOMPARE(TzyDSF::FilterOperatorToText(200), QStringLiteral("Equals"));
        QCOMPARE(TzyDSF::FilterOperatorToText(13), QStringLiteral("Does Not Contain"));
        QCOMPARE(int(TzyDSF::TextToFilterOperator(QStringLiteral("  does not contain "))), 13);
        QCOMPARE(int(TzyDSF::TextToFilterOperator(QStringLiteral("IS LESS THAN OR EQUAL TO"))), 3);
        QCOMPARE(int(TzyDSF::TextToFilterOperator(QString())), 0);
        QCOMPARE(int(TzyDSF::TextToFilterOperator(QStringLiteral("Between"))), 0);
    }

    void filterDetails_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("rows"); // and/or|field|description|operator|value
        QTest::addColumn<QString>("details");
        QTest::newRow("new") << false << QStringList{} << "Disabled, Undefined";
        QTest::newRow("enabled, no rows") << true << QStringList{} << "Enabled, Undefined";
        QTest::newRow("example") << true << QStringList{"A|c|Discipline|0|Civil", "O|d||6|"}
                                 << "Enabled, (Discipline [C] = Civil) Or ([D] Is Blank )";
        QTest::newRow("symbols") << false
                                 << QStringList{"A|A||1|1", "A|B||2|2", "O|C||3|3", "A|D||4|4", "A|E||5|5"}
                                 << "Disabled, ([A] <> 1) And ([B] < 2) Or ([C] <= 3) And ([D] > 4) And ([E] >= 5)";
        QTest::newRow("value blanks kept") << true << QStringList{"A|F||8| ab "} << "Enabled, ([F] Starts With  ab )";
        QTest::newRow("is not blank shows its value") << true << QStringList{"A|G||7|x"}
                                                      << "Enabled, ([G] Is Not Blank x)";
    }

    void filterDetails()
    {
        QFETCH(bool, enabled);
        QFETCH(QStringList, rows);
        QFETCH(QString, details);
        TzyDSF dsf;
        dsf.SetEnabled(enabled);
        for (const QString& spec : rows) {
            const QStringList p = spec.split(QLatin1Char('|'));
            TzyDSFx& row = dsf.getItems(dsf.Add());
            row.SetAndFlag(p[0] == QStringLiteral("A"));
            row.SetTaskFld(p[1]);
            row.SetTaskFldDesc(p[2]);
            row.SetFilterOperator(p[3].toInt());
            row.SetTaskFldValue(p[4]);
        }
        QCOMPARE(dsf.GetFilterDetails(), details);
    }

    // ---- index errors -------------------------------------------------------------------

    void indexErrorsAreReportedAndContained()
    {
        resetDefinitions();
        TzySD& sd = active();
        sd.setWSL_Count(1, 2);
        sd.setFL_Count(1);
        sd.setVL_Count(1);
        struct Case {
            const char* tag;
            std::function<bool()> fallsBack; // the neutral result
        };
        const std::vector<Case> cases = {
            {"SDs.getItems", [&] { return &SDs->getItems(2) == &SDs->getItems(0); }},
            {"SDs.getItems", [&] { return &SDs->getItems(-1) == &SDs->getItems(0); }},
            {"SD.getWSL_WS", [&] { return sd.getWSL_WS(3, 0).isEmpty(); }},
            {"SD.getWSL_WS", [&] { return sd.getWSL_WS(1, 3).isEmpty(); }},
            {"SD.setWSL_WS", [&] { sd.setWSL_WS(2, 1, QStringLiteral("x")); return sd.getWSL_Count(2) == 0; }},
            {"SD.getWSL_Count", [&] { return sd.getWSL_Count(-1) == 0; }},
            {"SD.setWSL_Count", [&] { sd.setWSL_Count(3, 4); return true; }},
            {"SD.getWSL_Loaded", [&] { return !sd.getWSL_Loaded(3); }},
            {"SD.setWSL_Loaded", [&] { sd.setWSL_Loaded(7, true); return true; }},
            {"SD.ResetWSL", [&] { sd.ResetWSL(3); return sd.getWSL_Count(1) == 2; }},
            {"SD.getFL_TaskFld", [&] { return sd.getFL_TaskFld(2).isEmpty(); }},
            {"SD.setFL_TaskFld", [&] { sd.setFL_TaskFld(2, QStringLiteral("A")); return sd.getFL_Count() == 1; }},
            {"SD.getFL_TaskFldDesc", [&] { return sd.getFL_TaskFldDesc(-2).isEmpty(); }},
            {"SD.setFL_TaskFldDesc", [&] { sd.setFL_TaskFldDesc(5, QStringLiteral("d")); return true; }},
            {"SD.getFL_TaskFldValue", [&] { return sd.getFL_TaskFldValue(1, 4).isEmpty(); }},
            {"SD.getVL_TaskFld", [&] { return sd.getVL_TaskFld(2).isEmpty(); }},
            {"SD.setVL_TaskFld", [&] { sd.setVL_TaskFld(2, QStringLiteral("A")); return true; }},
            {"SD.getVL_TaskFldValCount", [&] { return sd.getVL_TaskFldValCount(9) == 0; }},
            {"SD.setVL_TaskFldValCount", [&] { sd.setVL_TaskFldValCount(2, 9); return sd.getVL_Count() == 1; }},
            {"SD.getVL_TaskFldValue", [&] { return sd.getVL_TaskFldValue(1, 1).isEmpty(); }},
            {"SD.setVL_TaskFldValue", [&] { sd.setVL_TaskFldValue(1, 1, QStringLiteral("v")); return true; }},
            {"SD.getVL_TaskFldValTaskCount", [&] { return sd.getVL_TaskFldValTaskCount(1, 2) == 0; }},
            {"SD.setVL_TaskFldValTaskCount", [&] { sd.setVL_TaskFldValTaskCount(3, 0, 1); return true; }},
            {"SD.getVL_Loaded", [&] { return !sd.getVL_Loaded(2); }},
            {"SD.setVL_Loaded", [&] { sd.setVL_Loaded(2, true); return true; }},
            {"DSM.getItems", [&] { return &sd.DSM.getItems(10) == &sd.DSM.getItems(0); }},
            {"DSF.getItems", [&] { return &sd.DSF.getItems(1) == &sd.DSF.getItems(0); }},
            {"DSF.Delete", [&] { sd.DSF.Delete(1); return sd.DSF.Count() == 0; }},
        };
        for (const Case& c : cases) {
            kit::IndexErrors errors;
            const bool neutral = c.fallsBack();
            QVERIFY2(neutral, c.tag);
            // Exactly one box: a bad first index stops before the second.
            QVERIFY2(errors.texts.size() == 1, qPrintable(QStringLiteral("%1: %2 boxes").arg(c.tag).arg(errors.texts.size())));
            QCOMPARE(errors.tag(0), QString::fromLatin1(c.tag));
        }

        kit::IndexErrors errors;
        QVERIFY(SDs->setActiveSD(5));
        QCOMPARE(SDs->ActiveSD(), 0);
        QCOMPARE(errors.tag(0), QStringLiteral("SDs.setActiveSD"));
        QVERIFY(errors.texts[0].contains(QStringLiteral("Valid Range: 0 to 1.")));
        QVERIFY(errors.texts[0].contains(QStringLiteral("Index Value: 5.")));
        QVERIFY(!SDs->setActiveSD(1));
        QCOMPARE(SDs->ActiveSD(), 1);
    }

    void clearLeavesOnlyThePlaceholder()
    {
        TzySDs sds;
        QCOMPARE(sds.Count(), 0);
        QCOMPARE(sds.ActiveSD(), 0);
        sds.Add();
        sds.Add();
        sds.setActiveSD(2);
        sds.Clear();
        QCOMPARE(sds.Count(), 0);
        QCOMPARE(sds.ActiveSD(), 0);
        sds.setActiveSD(sds.Add());
        QCOMPARE(sds.ActiveSD(), 1);
        sds.ResetActiveSD();
        QCOMPARE(sds.ActiveSD(), 0);
    }

    // ---- reset ---------------------------------------------------------------------------

    void resetAsksAndResetsOnlyOnYes_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("reset");
        QTest::newRow("Yes") << int(StdDlg::mrYes) << true;
        QTest::newRow("No") << int(StdDlg::mrNo) << false;
        QTest::newRow("dialog closed") << int(StdDlg::mrNone) << false;
        QTest::newRow("cancelled") << int(StdDlg::mrCancel) << false;
    }

    void resetAsksAndResetsOnlyOnYes()
    {
        QFETCH(int, answer);
        QFETCH(bool, reset);
        kit::Excel excel(7);
        resetDefinitions();
        active().SCF.SetDataSourceFile(QStringLiteral("/data/tasks.xlsx"));
        active().setWSL_Count(1, 1);
        active().setWSL_Loaded(1, true);
        AD->Msgs = QStringList{QStringLiteral("old line")};
        // A preference changed since start-up reaches the new definition.
        UP->SetDefaultTFDDLItemIndex(TzyUP::tfXLS);

        kit::Prompter prompter;
        prompter.answer = answer;
        QCOMPARE(DF->ResetSDs(true), reset);

        QCOMPARE(prompter.requests.size(), size_t(1));
        const StdDlg::Request& r = prompter.requests[0];
        QCOMPARE(r.level, int(StdDlg::Question));
        QCOMPARE(r.msgId, QStringLiteral("DF001"));
        QCOMPARE(r.lines, (QStringList{"Do you wish to reset ZOL Definition Data to default values?", "",
                                       "Existing ZOL Definition Data will lost.", "", "Do you wish to continue?"}));
        QVERIFY(!r.buttons[0].visible);
        QCOMPARE(r.buttons[1].caption, QStringLiteral("&Yes"));
        QCOMPARE(r.buttons[1].hint, QStringLiteral("Reset ZOL Definition Data to default values."));
        QCOMPARE(r.buttons[1].modalResult, int(StdDlg::mrYes));
        QCOMPARE(r.buttons[1].glyph, 54);
        QCOMPARE(r.buttons[2].caption, QStringLiteral("&No"));
        QCOMPARE(r.buttons[2].hint, QStringLiteral("Do not reset ZOL Definition Data to default values."));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrNo));
        QCOMPARE(r.buttons[2].glyph, 27);

        TzySD& sd = active();
        QCOMPARE(SDs->Count(), 1);
        QCOMPARE(SDs->ActiveSD(), 1);
        if (reset) {
            QCOMPARE(sd.SCF.GetDataSourceFile(), QString());
            QCOMPARE(sd.getWSL_Count(1), 0);
            QVERIFY(AD->Msgs.isEmpty());
            QCOMPARE(sd.SCF.GetTemplateFile(), UP->GetTemplateXLS());
            QCOMPARE(sd.SCF.GetOutputFile(), Utils::GetMyDocumentsFolder() + QStringLiteral("Tarvo_ZOL_Lumo_Output.xls"));
        } else {
            QCOMPARE(sd.SCF.GetDataSourceFile(), QStringLiteral("/data/tasks.xlsx"));
            QCOMPARE(sd.getWSL_Count(1), 1);
            QVERIFY(sd.getWSL_Loaded(1));
            QCOMPARE(AD->Msgs, QStringList{QStringLiteral("old line")});
            QCOMPARE(sd.SCF.GetTemplateFile(), UP->GetTemplateXLSX());
        }
    }

    void resetWithoutQuestionNeverAsks()
    {
        kit::Prompter prompter;
        prompter.answer = StdDlg::mrNo;
        SDs = std::make_unique<TzySDs>();
        QCOMPARE(SDs->ActiveSD(), 0);
        QVERIFY(DF->ResetSDs(false));
        QVERIFY(DF->ResetSDs(false));
        QVERIFY(prompter.requests.empty());
        QCOMPARE(SDs->Count(), 1);
        QCOMPARE(SDs->ActiveSD(), 1);
    }
};

QTEST_GUILESS_MAIN(TstModel)
#include "tst_model.moc"
