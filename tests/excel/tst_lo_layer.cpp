// The spreadsheet layer over the real LibreOffice backend: the operations as
// the engine calls them, and the failure lines that office failures leave.
#include "LoBackend.h"
#include "LoOffice.h"
#include "MachineKeys.h"
#include "lo_fixtures.h"
#include "zyUIL.h"
#include "zyXL.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using platform::RootKey;

namespace {

QStringList spaced(const QStringList& lines)
{
    QStringList out;
    for (const QString& l : lines)
        out << l << QString();
    return out;
}

QStringList texts(const XLColumn& col)
{
    QStringList out;
    for (const XLCell& c : col)
        out << c.text;
    return out;
}

} // namespace

class TstLoLayer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void openFailures_data();
    void openFailures();
    void rightPassword_data();
    void rightPassword();
    void readsAsTheEngineDoes();
    void badColumn();
    void writesAndSavesAsTheEngineDoes();

private:
    void openTasks();

    platform::MachineKeyTable m_keys;
    QTemporaryDir m_tmp;
    QString m_fixtures;
    int m_pid = -1;
};

void TstLoLayer::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    InitUILs();
    m_keys.set(RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
               QStringLiteral("Excel.Application.15"));
    platform::setMachineKeys(&m_keys);
    lo::installBackendFactory();
    XL = std::make_unique<TzyXL>();
    QCOMPARE(XL->VerCode, 7);
    XL->StartExcel(false);
    auto* backend = dynamic_cast<lo::Backend*>(XL->Backend());
    QVERIFY(backend);
    m_pid = backend->serverPid();
    QVERIFY(m_pid > 0);
    m_fixtures = lofix::fixtures(backend->server()->desktop(), m_tmp.filePath("fixtures"));
}

void TstLoLayer::cleanupTestCase()
{
    XL->QuitExcel();
    XL.reset();
    setXLBackendFactory({});
    platform::setMachineKeys(nullptr);
    QVERIFY(::kill(m_pid, 0) != 0);
}

void TstLoLayer::openTasks()
{
    XL->Log.clear(); // a successful operation leaves it as it was
    XL->SetWorkbookLabel(QStringLiteral("Data Source File"));
    XL->OpenWorkbook(m_fixtures + "/tasks.xlsx", QString(), QString(), true);
    XL->SetWorksheetLabel(QStringLiteral("Task Worksheet"));
    QVERIFY(XL->SelectWorksheet(QStringLiteral("TASKS")));
    XL->GetUsedRange();
}

void TstLoLayer::openFailures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    const QString xls = m_fixtures + "/secret.xls", xlsx = m_fixtures + "/secret.xlsx";
    const QString gone = m_tmp.filePath("gone.xlsx"), corrupt = m_tmp.filePath("corrupt.xlsx");
    const QString wrong = QStringLiteral("The password is not correct.");
    const QString none = QStringLiteral("'%1' is protected by a password.");
    QTest::newRow("xls wrong password") << xls << "falsch" << wrong;
    QTest::newRow("xls no password") << xls << "" << none.arg(xls);
    QTest::newRow("xlsx wrong password") << xlsx << "falsch" << wrong;
    QTest::newRow("xlsx no password") << xlsx << "" << none.arg(xlsx);
    QTest::newRow("missing file") << gone << "" << QStringLiteral("'%1' could not be found.").arg(gone);
    QTest::newRow("corrupt file") << corrupt << ""
                                  << QStringLiteral("'%1' is not a workbook that can be read, or it is damaged.")
                                         .arg(corrupt);
}

void TstLoLayer::openFailures()
{
    QFETCH(QString, file);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFile corrupt(m_tmp.filePath("corrupt.xlsx"));
    QVERIFY(corrupt.open(QIODevice::WriteOnly));
    corrupt.write(QByteArray(4096, '\x5a') + "PK\x03\x04 not really");
    corrupt.close();
    XL->SetWorkbookLabel(QStringLiteral("Data Source File"));
    bool failed = false;
    try {
        XL->OpenWorkbook(file, password, QString(), true);
    } catch (const XLError& e) {
        failed = true;
        QCOMPARE(e.message(), message); // shown as the details
    }
    QVERIFY(failed);
    QCOMPARE(XL->WBFileName, file);
    QCOMPARE(XL->Log, spaced({QStringLiteral("Unable to open the Data Source File."),
                              QStringLiteral("Data Source File: ") + file}));
}

void TstLoLayer::rightPassword_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("xls") << "secret.xls";
    QTest::newRow("xlsx") << "secret.xlsx";
}

void TstLoLayer::rightPassword()
{
    QFETCH(QString, file);
    XL->Log.clear();
    XL->SetWorkbookLabel(QStringLiteral("Data Source File"));
    XL->OpenWorkbook(m_fixtures + '/' + file, QStringLiteral("geheim"), QString(), true);
    XL->SetWorksheetLabel(QStringLiteral("Task Worksheet"));
    QVERIFY(XL->SelectWorksheet(QStringLiteral("Tasks")));
    XL->GetUsedRange();
    QCOMPARE(XL->LastRow, 8);
    XL->ExtractRawValues(QStringLiteral("C"), 4, 8);
    QCOMPARE(XL->Vals.size(), 5);
    QCOMPARE(XL->Vals[0], XLCell::fromNumber(41640));
    QCOMPARE(XL->Vals[3], XLCell::fromNumber(41700.5));
    XL->CloseWorkbook(false);
    QVERIFY(XL->Log.isEmpty());
}

void TstLoLayer::readsAsTheEngineDoes()
{
    openTasks();
    QCOMPARE(XL->LastRow, 8); // data from B3: nothing lost
    QCOMPARE(XL->LastCol, 7);
    QVERIFY(!XL->SelectWorksheet(QStringLiteral(" Tasks")));
    QVERIFY(XL->SelectWorksheet(QStringLiteral("Tasks")));
    XL->GetUsedRange();
    XL->ExtractRawValues(QStringLiteral("C"), 4, 8);
    QCOMPARE(XL->Vals.size(), 5);
    QCOMPARE(XL->Vals[0], XLCell::fromNumber(41640));
    QCOMPARE(XL->Vals[2], XLCell::empty());
    XL->ExtractRawValues(QStringLiteral("G"), 4, 5);
    QCOMPARE(texts(XL->Vals), (QStringList{"#DIV/0!", "#N/A"}));
    XL->ExtractFmtValues(QStringLiteral("F"), 4, 8);
    QCOMPARE(texts(XL->Vals), (QStringList{"line1line2", "padded", "=1+2", "", "last \"word\""}));
    XL->ExtractFmtValues(QStringLiteral("D"), 4, 8);
    QCOMPARE(texts(XL->Vals), (QStringList{"50%", "25%", "100%", "12.5%", "0%"}));
    QCOMPARE(XL->ExtractValList(QStringLiteral("E"), 4, 6), (QStringList{"1,234.50", "1,000,000.00", "0.00"}));
    QCOMPARE(XL->ExtractWSList(), (QStringList{"Summary", "Tasks", "Notes", "Old"}));
    const QVector<XLTaskField> fields = XL->ExtractFldList(3, 2);
    QCOMPARE(fields.size(), 7);
    QCOMPARE(fields[0].field, QStringLiteral("A"));
    QCOMPARE(fields[0].description, QString());
    QCOMPARE(fields[2].field, QStringLiteral("C"));
    QCOMPARE(fields[2].description, QStringLiteral("Start Date"));
    QCOMPARE(fields[6].values, (QStringList{"#DIV/0!", "#N/A"}));
    XL->CloseWorkbook(false);
    QVERIFY(XL->Log.isEmpty());
}

void TstLoLayer::badColumn()
{
    openTasks();
    bool failed = false;
    try {
        XL->ExtractRawValues(QStringLiteral("ZZZZ"), 4, 8);
    } catch (const XLError& e) {
        failed = true;
        QCOMPARE(e.message(), QString());
    }
    QVERIFY(failed);
    QCOMPARE(XL->Log,
             spaced({QStringLiteral("Unable to extract Task Field Values from the Task Worksheet in the Data Source File."),
                     QStringLiteral("Task Field: ZZZZ"),
                     QStringLiteral("Please ensure the Data Source Map Task Fields are valid.")}));
    XL->CloseWorkbook(false);
}

void TstLoLayer::writesAndSavesAsTheEngineDoes()
{
    XL->Log.clear();
    XL->SetWorkbookLabel(QStringLiteral("Template File"));
    const QString templ = m_fixtures + "/template.xlsx";
    XL->OpenWorkbook(templ, QString(), QString(), true);
    XL->SetWorksheetLabel(QStringLiteral("Chart Data Worksheet"));
    QVERIFY(XL->SelectWorksheet(QStringLiteral("Chart Data")));
    XL->GetUsedRange();
    XL->InsertRows(9, 12);
    XL->Data = XLColumn{XLCell::fromNumber(41640), XLCell::fromNumber(41641), XLCell::fromNumber(41642),
                        XLCell::fromNumber(41643), XLCell::fromNumber(41644), XLCell::fromNumber(41645),
                        XLCell::fromNumber(41646)};
    XL->InsertValues(QStringLiteral("A"), 8, 14);
    XL->WriteCellText(QStringLiteral("B3"), QStringLiteral("=Project"));
    XL->WriteCellNumber(QStringLiteral("C3"), 1234.5);
    XL->SetFontColor(QStringLiteral("C3"), 255);
    XL->SetInteriorColor(QStringLiteral("B3"), 0xC0C0C0);
    XL->SelectRange(QStringLiteral("A1"));
    const QString out = m_tmp.filePath("Report.XLS");
    XL->SaveAs(QStringLiteral("Output File"), out);
    QCOMPARE(XL->WBFileName, out);
    QCOMPARE(XL->WBLabel, QStringLiteral("Output File"));
    XL->CloseWorkbook(false);
    QVERIFY(XL->Log.isEmpty());

    QFile saved(out);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.read(8), QByteArray::fromHex("D0CF11E0A1B11AE1")); // chosen by the extension
    saved.close();
    auto* backend = dynamic_cast<lo::Backend*>(XL->Backend());
    auto doc = lofix::load(backend->server()->desktop(), out);
    auto s = lofix::sheet(doc, "Chart Data");
    QCOMPARE(lofix::cellString(s, "A14"), QStringLiteral("07-Jan-2014"));
    QCOMPARE(lofix::cellString(s, "B3"), QStringLiteral("=Project"));
    QCOMPARE(lofix::cellInt(s, "C3", "CharColor"), 0xFF0000);
    QCOMPARE(lofix::cellInt(s, "B3", "CellBackColor"), 0xC0C0C0);
    QCOMPARE(lofix::chartRanges(s), QStringList{"A7:B14"});
    lofix::close(doc);

    // A refused save names both workbooks and leaves no file.
    XL->SetWorkbookLabel(QStringLiteral("Template File"));
    XL->OpenWorkbook(templ, QString(), QString(), true);
    const QString bad = m_tmp.filePath("missing/Report.xlsx");
    QVERIFY_THROWS_EXCEPTION(XLError, XL->SaveAs(QStringLiteral("Output File"), bad));
    QCOMPARE(XL->Log, spaced({QStringLiteral("Unable to save the Template File as the Output File."),
                              QStringLiteral("Template File: ") + templ, QStringLiteral("Output File: ") + bad}));
    QCOMPARE(XL->WBFileName, templ);
    QVERIFY(!QFile::exists(bad));
    XL->CloseWorkbook(false);
}

QTEST_GUILESS_MAIN(TstLoLayer)
#include "tst_lo_layer.moc"
