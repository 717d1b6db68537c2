// Writing and saving workbooks through the LibreOffice backend, against a real
// headless server (one for the whole executable); every result is checked
// in the saved file, reopened.
#include "LoBackend.h"
#include "LoOffice.h"
#include "LoText.h"
#include "lo_fixtures.h"

#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace css;

Q_DECLARE_METATYPE(XLSaveFormat)

namespace {

QByteArray head(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(8);
}

bool isZip(const QString& path) { return head(path).startsWith("PK\x03\x04"); }
bool isOle2(const QString& path) { return head(path) == QByteArray::fromHex("D0CF11E0A1B11AE1"); }

QByteArray digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QStringList strays(const QString& folder)
{
    return QDir(folder).entryList(QStringList{".~*"}, QDir::Files | QDir::Hidden);
}

} // namespace

class TstLoWrite : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void valuesTextsNumbersColours_data();
    void valuesTextsNumbersColours();
    void insertedRowsExtendTheChart_data();
    void insertedRowsExtendTheChart();
    void deleteRows();
    void saveFormats_data();
    void saveFormats();
    void failedSaves_data();
    void failedSaves();
    void columnOfWrongSize();

private:
    void openTemplate(const QString& file);
    lo::Office& office() { return *m_backend->server(); }

    std::unique_ptr<lo::Backend> m_backend;
    QTemporaryDir m_tmp;
    QString m_fixtures;
};

void TstLoWrite::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    m_backend = std::make_unique<lo::Backend>();
    m_backend->start();
    m_fixtures = lofix::fixtures(office().desktop(), m_tmp.filePath("fixtures"));
}

void TstLoWrite::cleanupTestCase()
{
    m_backend->quit();
    m_backend.reset();
}

void TstLoWrite::openTemplate(const QString& file)
{
    m_backend->openWorkbook(m_fixtures + '/' + file, QString(), QString(), true);
    m_backend->usedRange("Chart Data");
}

void TstLoWrite::valuesTextsNumbersColours_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<XLSaveFormat>("format");
    QTest::addColumn<QString>("out");
    QTest::newRow("xlsx") << "template.xlsx" << XLSaveFormat::Xlsx << "written.xlsx";
    QTest::newRow("xls") << "template.xls" << XLSaveFormat::Xls << "written.xls";
}

void TstLoWrite::valuesTextsNumbersColours()
{
    QFETCH(QString, file);
    QFETCH(XLSaveFormat, format);
    QFETCH(QString, out);
    const QString templ = m_fixtures + '/' + file;
    const QByteArray before = digest(templ);
    openTemplate(file);
    m_backend->writeColumn("D", 8, 13,
                           XLColumn{XLCell::fromNumber(1.5), XLCell::fromText("=1+2"), XLCell::empty(),
                                    XLCell::fromText("00123"), XLCell::fromNumber(41640), XLCell::fromText("")});
    m_backend->writeColumn("E", 8, 8, XLColumn{XLCell::fromText("one")});
    m_backend->writeCellText("F1", "=SUM(1;2)");
    m_backend->writeCellText("F2", "12");
    m_backend->writeCellText("F3", "Project \"Alpha\"");
    m_backend->writeCellText("B8", ""); // clears the cell
    m_backend->writeCellNumber("F4", 1234.5);
    m_backend->writeCellNumber("f5", -0.25);
    m_backend->setFontColor("F1", 255);            // red
    m_backend->setFontColor("F2", 0xFF0000);       // blue
    m_backend->setInteriorColor("F3", 0xC0C0C0);   // silver
    m_backend->setInteriorColor("F4", 0x00FFFF);   // yellow
    m_backend->setFontColor("F5", 0);
    m_backend->setInteriorColor("F5", 0xFFFFFF);
    const QString path = m_tmp.filePath(out);
    m_backend->saveAs(path, format);
    m_backend->closeWorkbook(false);
    QCOMPARE(digest(templ), before); // the template is never written

    auto doc = lofix::load(office().desktop(), path);
    auto s = lofix::sheet(doc, "Chart Data");
    auto type = [&](const char* a1) {
        return s->getCellRangeByName(OUString::createFromAscii(a1))->getCellByPosition(0, 0)->getType();
    };
    auto value = [&](const char* a1) {
        return s->getCellRangeByName(OUString::createFromAscii(a1))->getCellByPosition(0, 0)->getValue();
    };
    QCOMPARE(type("D8"), table::CellContentType_VALUE);
    QCOMPARE(value("D8"), 1.5);
    QCOMPARE(type("D9"), table::CellContentType_TEXT);
    QCOMPARE(lofix::cellString(s, "D9"), QStringLiteral("=1+2"));
    QCOMPARE(type("D10"), table::CellContentType_EMPTY);
    QCOMPARE(type("D11"), table::CellContentType_TEXT);
    QCOMPARE(lofix::cellString(s, "D11"), QStringLiteral("00123"));
    QCOMPARE(value("D12"), 41640.0);
    QCOMPARE(type("D13"), table::CellContentType_EMPTY);
    QCOMPARE(lofix::cellString(s, "E8"), QStringLiteral("one"));
    QCOMPARE(type("F1"), table::CellContentType_TEXT);
    QCOMPARE(lofix::cellString(s, "F1"), QStringLiteral("=SUM(1;2)"));
    QCOMPARE(type("F2"), table::CellContentType_TEXT);
    QCOMPARE(lofix::cellString(s, "F3"), QStringLiteral("Project \"Alpha\""));
    QCOMPARE(type("B8"), table::CellContentType_EMPTY);
    QCOMPARE(value("F4"), 1234.5);
    QCOMPARE(value("F5"), -0.25);
    QCOMPARE(lofix::cellInt(s, "F1", "CharColor"), 0xFF0000); // red is red
    QCOMPARE(lofix::cellInt(s, "F2", "CharColor"), 0x0000FF);
    QCOMPARE(lofix::cellInt(s, "F3", "CellBackColor"), 0xC0C0C0);
    QCOMPARE(lofix::cellInt(s, "F4", "CellBackColor"), 0xFFFF00);
    QCOMPARE(lofix::cellInt(s, "F5", "CharColor"), 0x000000);
    QCOMPARE(lofix::cellInt(s, "F5", "CellBackColor"), 0xFFFFFF);
    lofix::close(doc);
}

void TstLoWrite::insertedRowsExtendTheChart_data()
{
    valuesTextsNumbersColours_data();
}

void TstLoWrite::insertedRowsExtendTheChart()
{
    QFETCH(QString, file);
    QFETCH(XLSaveFormat, format);
    QFETCH(QString, out);
    openTemplate(file);
    m_backend->insertRows(9, 20);
    const QString path = m_tmp.filePath("chart-" + out);
    m_backend->saveAs(path, format);
    m_backend->closeWorkbook(false);
    auto doc = lofix::load(office().desktop(), path);
    auto s = lofix::sheet(doc, "Chart Data");
    QCOMPARE(lofix::chartRanges(s), QStringList{"A7:B22"});
    // Row 9 went down to row 21; the new rows are empty but keep the date
    // format of the row above.
    QCOMPARE(lofix::cellString(s, "B21"), QStringLiteral("20"));
    QCOMPARE(lofix::cellString(s, "B9"), QString());
    s->getCellRangeByName("A9")->getCellByPosition(0, 0)->setValue(41650);
    QCOMPARE(lofix::cellString(s, "A9"), QStringLiteral("11-Jan-2014"));
    lofix::close(doc);
}

void TstLoWrite::deleteRows()
{
    openTemplate("template.xlsx");
    m_backend->deleteRows(9, 9);
    const QString path = m_tmp.filePath("deleted.xlsx");
    m_backend->saveAs(path, XLSaveFormat::Xlsx);
    m_backend->closeWorkbook(false);
    auto doc = lofix::load(office().desktop(), path);
    auto s = lofix::sheet(doc, "Chart Data");
    QCOMPARE(lofix::cellString(s, "B9"), QStringLiteral("30"));
    QCOMPARE(lofix::chartRanges(s), QStringList{"A7:B9"});
    lofix::close(doc);
}

void TstLoWrite::saveFormats_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<XLSaveFormat>("format");
    QTest::addColumn<QString>("out");
    QTest::addColumn<bool>("zip");
    QTest::newRow("xls as Open XML") << "template.xls" << XLSaveFormat::Xlsx << "a.xlsx" << true;
    QTest::newRow("xlsx as 97-2003") << "template.xlsx" << XLSaveFormat::Xls << "b.XLS" << false;
    QTest::newRow("own format xls, whatever the name") << "template.xls" << XLSaveFormat::KeepOwn << "c.xlsx" << false;
    QTest::newRow("own format xlsx") << "template.xlsx" << XLSaveFormat::KeepOwn << "d.xls" << true;
    QTest::newRow("no extension") << "template.xlsx" << XLSaveFormat::Xlsx << "e" << true;
}

void TstLoWrite::saveFormats()
{
    QFETCH(QString, file);
    QFETCH(XLSaveFormat, format);
    QFETCH(QString, out);
    QFETCH(bool, zip);
    openTemplate(file);
    const QString path = m_tmp.filePath(out);
    m_backend->saveAs(path, format);
    m_backend->closeWorkbook(false);
    QCOMPARE(isZip(path), zip);
    QCOMPARE(isOle2(path), !zip);
    QVERIFY(strays(m_tmp.path()).isEmpty());
    // The saved file reopens as a workbook.
    m_backend->openWorkbook(path, QString(), QString(), true);
    QCOMPARE(m_backend->worksheetNames(), (QStringList{"Project Summary", "Chart Data"}));
    m_backend->closeWorkbook(false);
}

void TstLoWrite::failedSaves_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("missing folder") << "missing/out.xlsx";
    QTest::newRow("parent is a file") << "plain.txt/out.xlsx";
    QTest::newRow("target is a folder") << "folder";
    QTest::newRow("empty name") << "";
}

void TstLoWrite::failedSaves()
{
    QFETCH(QString, target);
    QFile plain(m_tmp.filePath("plain.txt"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write("keep me");
    plain.close();
    QDir(m_tmp.path()).mkpath("folder");
    const QByteArray before = digest(plain.fileName());
    openTemplate("template.xlsx");
    const QString path = target.isEmpty() ? QString() : m_tmp.filePath(target);
    try {
        m_backend->saveAs(path, XLSaveFormat::Xlsx);
        QFAIL("saved");
    } catch (const XLError& e) {
        QCOMPARE(e.kind(), XLErrorKind::Other);
        QVERIFY(!e.message().isEmpty());
    }
    QVERIFY(!QFileInfo(path).isFile());
    QCOMPARE(digest(plain.fileName()), before);
    QVERIFY(strays(m_tmp.path()).isEmpty());
    // The workbook is still open and can be saved elsewhere.
    // An existing file is replaced.
    const QString good = m_tmp.filePath("after-failure.xlsx");
    QFile old(good);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    m_backend->saveAs(good, XLSaveFormat::Xlsx);
    QVERIFY(isZip(good));
    m_backend->closeWorkbook(false);
}

void TstLoWrite::columnOfWrongSize()
{
    openTemplate("template.xlsx");
    QVERIFY_THROWS_EXCEPTION(XLError, m_backend->writeColumn("C", 8, 10, XLColumn{XLCell::fromNumber(1)}));
    try {
        m_backend->writeColumn("ZZZZ", 8, 8, XLColumn{XLCell::fromNumber(1)});
        QFAIL("written");
    } catch (const XLError& e) {
        QCOMPARE(e.kind(), XLErrorKind::BadRange);
    }
    m_backend->closeWorkbook(false);
}

QTEST_GUILESS_MAIN(TstLoWrite)
#include "tst_lo_write.moc"
