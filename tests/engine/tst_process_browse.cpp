// The workbook services of the browse commands on the in-memory server:
// their step plans, the caches they fill, the distinct values, and the
// empty, cancelled and failed cases with their dialogs.
#include "FakeXL.h"
#include "LocaleInfo.h"
#include "MachineKeys.h"
#include "Progress.h"
#include "StdDlg.h"
#include "tst_process_fixture.h"
#include "zyAD.h"
#include "zyProcess.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <QElapsedTimer>
#include <QtTest>

using platform::RootKey;

namespace {
const QString kFile = QStringLiteral("/data/plan.xlsx");
const QString kDSF = QStringLiteral("Data Source File");
const QString kWS = QStringLiteral("Task Worksheet");
const QString kRow = QStringLiteral("Task Header Row");
} // namespace

class TstProcessBrowse : public QObject {
    Q_OBJECT

    platform::MachineKeyTable keys;
    std::shared_ptr<FakeOffice> office;
    pfx::Recorder dlg;
    pfx::CancellingProgress progress;

    FakeSheet& fresh()
    {
        office = std::make_shared<FakeOffice>();
        office->install();
        XL = std::make_unique<TzyXL>();
        pfx::MakeDefinition({kFile, QString(), QString()}, pfx::Options{});
        dlg.seen.clear();
        dlg.answers.clear();
        progress.cancelAt = -1;
        progress.ResetProgress();
        Process = std::make_unique<TzyProcess>();
        FakeWorkbook& wb = office->addWorkbook(kFile);
        wb.addSheet(QStringLiteral("Summary"));
        FakeSheet& ws = wb.addSheet(QStringLiteral("Tasks"));
        ws.text("A1", QStringLiteral("Task")).text("B1", QStringLiteral("Area")).text("C1", QStringLiteral("Hours"));
        return ws;
    }
    QStringList lines() const
    {
        QStringList out;
        for (const QString& l : progress.lines())
            out << l.trimmed();
        return out;
    }

private slots:
    void initTestCase()
    {
        InitUILs();
        keys.set(RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
                 QStringLiteral("Excel.Application.15"));
        platform::setMachineKeys(&keys);
        Progress::setPump([] {});
        Progress::setForm(&progress);
        Progress::setFormatSources([] { return Process->StepFmt; }, [] { return Process->NoStepFmt; });
        StdDlg::setPrompter(&dlg);
    }
    void cleanupTestCase()
    {
        Process.reset();
        XL.reset();
        Progress::setForm(nullptr);
        StdDlg::setPrompter(nullptr);
        platform::setMachineKeys(nullptr);
    }

    void worksheetNames()
    {
        fresh();
        QVERIFY(Process->ExtractWorksheetNames(kDSF, kFile, QString(), 1));
        QCOMPARE(pfx::WorksheetList(1), (QStringList{"Summary", "Tasks"}));
        QVERIFY(pfx::WorksheetListLoaded(1));
        QCOMPARE(lines(), (QStringList{"[1] Opening LibreOffice... Complete.",
                                       "[2] Opening the Data Source File... Complete.",
                                       "[3] Extracting Worksheet Names: 2 of 2... Complete.",
                                       "[4] Closing the Data Source File... Complete.",
                                       "[5] Closing LibreOffice... Complete."}));
        QCOMPARE(progress.caption(), QStringLiteral(" Tarvo ZOL Lumo: Extracting Data Source File Worksheet Names "));
        QVERIFY(!progress.visible());
        QVERIFY(!office->running);
        QVERIFY(dlg.seen.isEmpty());
    }

    void noWorksheets()
    {
        fresh();
        office->files[kFile].sheets.clear();
        QVERIFY(!Process->ExtractWorksheetNames(kDSF, kFile, QString(), 1));
        QCOMPARE(dlg.ids(), QStringList{"UP015"});
        QCOMPARE(dlg.seen.first().lines,
                 (QStringList{"The following Data Source File does not contain any Worksheets.", "", kFile, "",
                              "Please select a valid Data Source File."}));
        QVERIFY(!pfx::WorksheetListLoaded(1));
        QVERIFY(!progress.visible());
    }

    void taskFields()
    {
        FakeSheet& ws = fresh();
        ws.text("A2", QStringLiteral("Dig")).text("B2", QStringLiteral("North")).num("C2", 5);
        QVERIFY(Process->ExtractTaskFields(kDSF, kFile, QString(), kWS, QStringLiteral("Tasks"), kRow, 1));
        QCOMPARE(pfx::FieldCount(), 3);
        QCOMPARE(pfx::Field(2), QStringLiteral("B"));
        QCOMPARE(pfx::FieldDesc(3), QStringLiteral("Hours"));
        QCOMPARE(pfx::FieldValue(2, 1), QStringLiteral("North"));
        QVERIFY(pfx::FieldsLoaded());
        QCOMPARE(lines().size(), 7);
        QCOMPARE(lines()[2], QStringLiteral("[3] Verifying the Task Worksheet exists... Complete."));
        QCOMPARE(lines()[3], QStringLiteral("[4] Initialising the Task Worksheet... Complete."));
        QCOMPARE(lines()[4], QStringLiteral("[5] Extracting Task Fields: 3 of 3... Complete."));
    }

    void values_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("distinct");
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("case folded") << QStringList{"Yes", "yes", "YES"} << QStringList{"Yes"} << QList<int>{3};
        QTest::newRow("first appearance") << QStringList{"A", "B", "A", "C"} << QStringList{"A", "B", "C"}
                                          << QList<int>{2, 1, 1};
        QTest::newRow("blanks") << QStringList{"", "x", "", "X", ""} << QStringList{"", "x"} << QList<int>{3, 2};
        // Only a..z fold: accented capitals stay apart.
        QTest::newRow("ascii only") << QStringList{QStringLiteral("é"), QStringLiteral("É"), "e"}
                                    << QStringList{QStringLiteral("é"), QStringLiteral("É"), "e"}
                                    << QList<int>{1, 1, 1};
        // The counted line is rewritten every 150 values and at the end,
        // whether or not the end falls on such a step.
        for (int n : {300, 301}) {
            QStringList many;
            for (int i = 0; i < n; ++i)
                many << QStringLiteral("v%1").arg(i);
            QTest::addRow("%d values", n) << many << many << QList<int>(n, 1);
        }
    }
    void values()
    {
        QFETCH(QStringList, cells);
        QFETCH(QStringList, distinct);
        QFETCH(QList<int>, counts);
        FakeSheet& ws = fresh();
        ws.column(QStringLiteral("B"), 2, cells);
        // The last row is used by another column, so blanks at the end count.
        ws.text("A" + QString::number(cells.size() + 1), QStringLiteral("last"));
        pfx::PrepareValueList(1, QStringLiteral("B"));
        QVERIFY(Process->ExtractTaskFieldValues(kDSF, kFile, QString(), kWS, QStringLiteral("Tasks"),
                                                QStringLiteral("B"), 1, kRow, 1));
        QCOMPARE(pfx::Values(1), distinct);
        QCOMPARE(pfx::ValueCounts(1), counts);
        QCOMPARE(pfx::ValueTotal(), int(cells.size()));
        QVERIFY(pfx::ValuesLoaded(1));
        const QStringList l = lines();
        QCOMPARE(l.size(), 8);
        QCOMPARE(l[7], QStringLiteral("[8] Removing duplicate Task Field Values: %1 of %1... Complete.")
                           .arg(cells.size()));
    }

    void noValues()
    {
        fresh();
        pfx::PrepareValueList(1, QStringLiteral("B"));
        QVERIFY(!Process->ExtractTaskFieldValues(kDSF, kFile, QString(), kWS, QStringLiteral("Tasks"),
                                                 QStringLiteral("B"), 1, kRow, 1));
        QCOMPARE(dlg.ids(), QStringList{"UP023"});
        QCOMPARE(dlg.seen.first().lines,
                 (QStringList{"The following Task Field does not contain any Values.", "", "Task Field: B", "",
                              "Please select a valid Task Field."}));
        QVERIFY(!pfx::ValuesLoaded(1));
        QVERIFY(!office->running);
    }

    // Cancel and failure: the service's own ids, the cache reset, the server ended.
    void cancelAndFailure_data()
    {
        QTest::addColumn<int>("service"); // 0 names, 1 fields, 2 values
        QTest::addColumn<QString>("fault"); // "cancel", "password", "sheet"
        QTest::addColumn<QString>("id");
        QTest::newRow("names cancel") << 0 << "cancel" << "UP016";
        QTest::newRow("names password") << 0 << "password" << "UP017";
        QTest::newRow("fields cancel") << 1 << "cancel" << "UP019";
        QTest::newRow("fields password") << 1 << "password" << "UP020";
        QTest::newRow("fields sheet") << 1 << "sheet" << "UP020";
        QTest::newRow("values cancel") << 2 << "cancel" << "UP024";
        QTest::newRow("values password") << 2 << "password" << "UP025";
        QTest::newRow("values sheet") << 2 << "sheet" << "UP025";
    }
    void cancelAndFailure()
    {
        QFETCH(int, service);
        QFETCH(QString, fault);
        QFETCH(QString, id);
        FakeSheet& ws = fresh();
        QStringList many;
        for (int i = 0; i < 400; ++i)
            many << QStringLiteral("v%1").arg(i % 7);
        ws.column(QStringLiteral("B"), 2, many);
        pfx::PrepareValueList(1, QStringLiteral("B"));
        pfx::PrepareValueList(2, QStringLiteral("C"));
        QString password;
        QString sheet = QStringLiteral("Tasks");
        if (fault == "password") {
            office->files[kFile].password = QStringLiteral("secret");
            password = QStringLiteral("wrong");
        } else if (fault == "sheet") {
            sheet = QStringLiteral("Plan");
        } else {
            // The last step: for the values, inside the duplicate loop.
            progress.cancelAt = service == 0 ? 3 : service == 1 ? 5 : 8;
        }
        bool ok = true;
        if (service == 0)
            ok = Process->ExtractWorksheetNames(kDSF, kFile, password, 1);
        else if (service == 1)
            ok = Process->ExtractTaskFields(kDSF, kFile, password, kWS, sheet, kRow, 1);
        else
            ok = Process->ExtractTaskFieldValues(kDSF, kFile, password, kWS, sheet, QStringLiteral("B"), 1, kRow, 1);
        QVERIFY(!ok);
        QCOMPARE(dlg.ids(), QStringList{id});
        const QStringList l = dlg.seen.first().lines;
        const int heading = service == 0 ? 1107 : service == 1 ? 1108 : 1109;
        QCOMPARE(l.mid(0, 2), (QStringList{UIT(heading).replace("%s", kDSF), QString()}));
        if (fault == "cancel") {
            QCOMPARE(l.mid(2), (QStringList{UIT(1066), QString()}));
        } else {
            QVERIFY2(l.size() > 3 && l[l.size() - 2].startsWith(QStringLiteral("Details: ")), qPrintable(l.join('|')));
            QCOMPARE(l.last(), QString());
        }
        if (fault == "password")
            QCOMPARE(l[2], QStringLiteral("Unable to open the Data Source File."));
        QVERIFY(!office->running);
        QVERIFY(!progress.visible());
        if (service == 0)
            QVERIFY(pfx::WorksheetList(1).isEmpty());
        else if (service == 1)
            QCOMPARE(pfx::FieldCount(), 0);
        else
            QCOMPARE(pfx::ValueListCount(), 0);
    }

    // The duplicate removal stays linear: 200,000 values, half distinct.
    void duplicatesScale()
    {
        QStringList values;
        for (int i = 0; i < 200000; ++i)
            values << QStringLiteral("Value %1").arg(i % 100000);
        QStringList distinct;
        QVector<int> counts;
        QElapsedTimer t;
        t.start();
        TzyProcess::RemoveDuplicates(values, distinct, counts);
        QCOMPARE(distinct.size(), 100000);
        QCOMPARE(distinct.first(), QStringLiteral("Value 0"));
        QCOMPARE(distinct.last(), QStringLiteral("Value 99999"));
        QCOMPARE(counts.first(), 2);
        QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TstProcessBrowse)
#include "tst_process_browse.moc"
