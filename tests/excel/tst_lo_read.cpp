// Reading workbooks through the LibreOffice backend, against a real headless
// server (one for the whole executable), in both workbook formats.
#include "LoBackend.h"
#include "LoOffice.h"
#include "lo_fixtures.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/XUnnamedDatabaseRanges.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>

#include <QElapsedTimer>
#include <csignal>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

Q_DECLARE_METATYPE(XLColumn)

namespace {

QString shortDate(int y, int m, int d)
{
    QString f = QLocale::system().dateFormat(QLocale::ShortFormat);
    if (!f.contains("yyyy"))
        f.replace("yy", "yyyy");
    return QLocale::system().toString(QDate(y, m, d), f);
}

XLCell num(double v) { return XLCell::fromNumber(v); }
XLCell txt(const QString& t) { return XLCell::fromText(t); }
XLCell err(const QString& t) { return XLCell::fromError(t); }
XLCell none() { return XLCell::empty(); }

char* describe(const XLColumn& c)
{
    QStringList parts;
    for (const XLCell& x : c) {
        switch (x.kind) {
        case XLCell::Empty: parts << "<empty>"; break;
        case XLCell::Number: parts << QString::number(x.number, 'g', 17); break;
        case XLCell::Text: parts << '"' + x.text + '"'; break;
        case XLCell::Error: parts << "!" + x.text; break;
        }
    }
    return qstrdup(qPrintable(parts.join(", ")));
}

} // namespace

namespace QTest {
template <>
char* toString(const XLColumn& c)
{
    return describe(c);
}
} // namespace QTest

class TstLoRead : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void worksheets_data();
    void worksheets();
    void usedRangeOfBlockAtB3_data();
    void usedRangeOfBlockAtB3();
    void usedRangeRemovesAutoFilter();
    void rawValues_data();
    void rawValues();
    void rawSingleCells();
    void displayTexts_data();
    void displayTexts();
    void displayTextsEqualCellTexts_data();
    void displayTextsEqualCellTexts();
    void unhideShowsHiddenRowsAndColumns();
    void headerFields_data();
    void headerFields();
    void badRanges_data();
    void badRanges();
    void openFailures_data();
    void openFailures();
    void passwordOpens_data();
    void passwordOpens();
    void missingWorksheet();

private:
    void open(const QString& file, const QString& password = QString());
    void openTasks(const QString& file);
    lo::Office& office() { return *m_backend->server(); }

    std::unique_ptr<lo::Backend> m_backend;
    QTemporaryDir m_tmp;
    QString m_fixtures;
};

void TstLoRead::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    m_backend = std::make_unique<lo::Backend>();
    m_backend->start();
    QVERIFY(m_backend->serverPid() > 0);
    m_fixtures = lofix::fixtures(office().desktop(), m_tmp.filePath("fixtures"));
}

void TstLoRead::cleanupTestCase()
{
    const int pid = m_backend->serverPid();
    m_backend->quit();
    QCOMPARE(m_backend->serverPid(), -1);
    QVERIFY(::kill(pid, 0) != 0);
    m_backend.reset();
}

void TstLoRead::open(const QString& file, const QString& password)
{
    m_backend->openWorkbook(m_fixtures + '/' + file, password, QString(), true);
}

void TstLoRead::openTasks(const QString& file)
{
    open(file);
    const XLUsedRange r = m_backend->usedRange("Tasks");
    QCOMPARE(r.firstRow, 3);
}

void TstLoRead::worksheets_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("xlsx") << "tasks.xlsx";
    QTest::newRow("xls") << "tasks.xls";
}

void TstLoRead::worksheets()
{
    QFETCH(QString, file);
    open(file);
    // Tab order, the hidden worksheet included.
    QCOMPARE(m_backend->worksheetNames(), (QStringList{"Summary", "Tasks", "Notes", "Old"}));
    // Opened read-only, the user's file is not even locked.
    QCOMPARE(QDir(m_fixtures).entryList(QStringList{".~lock*"}, QDir::Files | QDir::Hidden), QStringList());
    m_backend->closeWorkbook(false);
}

void TstLoRead::usedRangeOfBlockAtB3_data()
{
    worksheets_data();
}

void TstLoRead::usedRangeOfBlockAtB3()
{
    QFETCH(QString, file);
    open(file);
    const XLUsedRange r = m_backend->usedRange("tasks"); // the office's own lookup ignores case
    QCOMPARE(r.firstRow, 3);
    QCOMPARE(r.firstCol, 2);
    QCOMPARE(r.rowCount, 6);
    QCOMPARE(r.colCount, 6);
    // The last row and column lie at first + count - 1: row 8, column G.
    QCOMPARE(r.firstRow + r.rowCount - 1, 8);
    QCOMPARE(r.firstCol + r.colCount - 1, 7);
    const XLUsedRange s = m_backend->usedRange("Summary");
    QCOMPARE(s.rowCount, 1);
    QCOMPARE(s.colCount, 1);
    m_backend->closeWorkbook(false);
}

void TstLoRead::usedRangeRemovesAutoFilter()
{
    open("tasks.xlsx");
    m_backend->usedRange("Tasks");
    const QString out = m_tmp.filePath("nofilter.xlsx");
    m_backend->saveAs(out, XLSaveFormat::Xlsx);
    m_backend->closeWorkbook(false);
    auto doc = lofix::load(office().desktop(), out);
    Reference<beans::XPropertySet> props(doc, UNO_QUERY_THROW);
    Reference<sheet::XUnnamedDatabaseRanges> ranges(props->getPropertyValue("UnnamedDatabaseRanges"), UNO_QUERY_THROW);
    bool autoFilter = false;
    if (ranges->hasByTable(1))
        Reference<beans::XPropertySet>(ranges->getByTable(1), UNO_QUERY_THROW)->getPropertyValue("AutoFilter") >>= autoFilter;
    lofix::close(doc);
    QVERIFY(!autoFilter);

    // The fixture itself has one.
    auto fixture = lofix::load(office().desktop(), m_fixtures + "/tasks.xlsx");
    Reference<sheet::XUnnamedDatabaseRanges> fr(
        Reference<beans::XPropertySet>(fixture, UNO_QUERY_THROW)->getPropertyValue("UnnamedDatabaseRanges"), UNO_QUERY_THROW);
    bool fixtureFilter = false;
    Reference<beans::XPropertySet>(fr->getByTable(1), UNO_QUERY_THROW)->getPropertyValue("AutoFilter") >>= fixtureFilter;
    lofix::close(fixture);
    QVERIFY(fixtureFilter);
}

void TstLoRead::rawValues_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<XLColumn>("expected");
    for (const QString file : {"tasks.xlsx", "tasks.xls"}) {
        const QByteArray f = file.toUtf8();
        QTest::newRow(f + " ids") << file << "B" << 3 << 9
                                  << XLColumn{txt("Task ID"), txt("T1"), txt("T2"), txt("T3"), txt("T4"), txt("T5"), none()};
        QTest::newRow(f + " dates are day numbers")
            << file << "C" << 4 << 8 << XLColumn{num(41640), num(41641), none(), num(41700.5), num(41702)};
        QTest::newRow(f + " percentages are fractions")
            << file << "D" << 4 << 8 << XLColumn{num(0.5), num(0.25), num(1), num(0.125), num(0)};
        QTest::newRow(f + " hidden column") << file << "E" << 4 << 8
                                            << XLColumn{num(1234.5), num(1000000), num(0), num(-5.5), num(12.345)};
        QTest::newRow(f + " texts literal, multi-line kept")
            << file << "F" << 4 << 8
            << XLColumn{txt("line1\nline2"), txt("  padded  "), txt("=1+2"), none(), txt("last \"word\"")};
        QTest::newRow(f + " errors as shown") << file << "G" << 4 << 8
                                              << XLColumn{err("#DIV/0!"), err("#N/A"), txt("00123"), num(7), txt("x")};
        QTest::newRow(f + " lower-case column") << file << "g" << 7 << 7 << XLColumn{num(7)};
        QTest::newRow(f + " below the data") << file << "B" << 100 << 102 << XLColumn{none(), none(), none()};
    }
}

void TstLoRead::rawValues()
{
    QFETCH(QString, file);
    QFETCH(QString, column);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(XLColumn, expected);
    openTasks(file);
    QCOMPARE(m_backend->readRawColumn(column, first, last), expected);
    m_backend->closeWorkbook(false);
}

void TstLoRead::rawSingleCells()
{
    openTasks("tasks.xlsx");
    QCOMPARE(m_backend->readRawColumn("E", 4, 4), XLColumn{num(1234.5)});
    QCOMPARE(m_backend->readRawColumn("C", 6, 6), XLColumn{none()});
    QCOMPARE(m_backend->readRawColumn("G", 5, 5), XLColumn{err("#N/A")});
    // The last row of the worksheet.
    QCOMPARE(m_backend->readRawColumn("A", 1048576, 1048576), XLColumn{none()});
    m_backend->closeWorkbook(false);
}

void TstLoRead::displayTexts_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QStringList>("expected");
    for (const QString file : {"tasks.xlsx", "tasks.xls"}) {
        const QByteArray f = file.toUtf8();
        QTest::newRow(f + " dates") << file << "C" << 3 << 8
                                    << QStringList{" Start Date ", "01-Jan-2014", "02-Jan-2014", "", "02-03-2014 12:00", "04-Mar-2014"};
        QTest::newRow(f + " percentages") << file << "D" << 4 << 8 << QStringList{"50%", "25%", "100%", "12.5%", "0%"};
        QTest::newRow(f + " thousands") << file << "E" << 4 << 8
                                        << QStringList{"1,234.50", "1,000,000.00", "0.00", "-5.50", "12.35"};
        QTest::newRow(f + " texts") << file << "F" << 4 << 8
                                    << QStringList{"line1\nline2", "  padded  ", "=1+2", "", "last \"word\""};
        QTest::newRow(f + " errors") << file << "G" << 4 << 8 << QStringList{"#DIV/0!", "#N/A", "00123", "7", "x"};
        QTest::newRow(f + " trailing empty rows") << file << "B" << 7 << 11 << QStringList{"T4", "T5", "", "", ""};
        QTest::newRow(f + " one empty cell") << file << "A" << 1 << 1 << QStringList{""};
        QTest::newRow(f + " one cell") << file << "E" << 4 << 4 << QStringList{"1,234.50"};
        QTest::newRow(f + " empty cells") << file << "H" << 1 << 3 << QStringList{"", "", ""};
    }
}

void TstLoRead::displayTexts()
{
    QFETCH(QString, file);
    QFETCH(QString, column);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QStringList, expected);
    openTasks(file);
    m_backend->unhideAllColumns(16384);
    m_backend->unhideAllRows(1048576);
    QCOMPARE(m_backend->readDisplayColumn(column, first, last), expected);
    m_backend->closeWorkbook(false);
}

void TstLoRead::displayTextsEqualCellTexts_data()
{
    worksheets_data();
}

void TstLoRead::displayTextsEqualCellTexts()
{
    // One request per column gives what the cells show one by one.
    QFETCH(QString, file);
    openTasks(file);
    m_backend->unhideAllColumns(16384);
    m_backend->unhideAllRows(1048576);
    auto doc = lofix::load(office().desktop(), m_fixtures + '/' + file);
    auto tasks = lofix::sheet(doc, "Tasks");
    for (const QString column : {"A", "B", "C", "D", "E", "F", "G", "H"}) {
        const QStringList texts = m_backend->readDisplayColumn(column, 1, 10);
        QCOMPARE(texts.size(), 10);
        for (int r = 1; r <= 10; ++r)
            QCOMPARE(texts[r - 1], lofix::cellString(tasks, column + QString::number(r)));
    }
    lofix::close(doc);
    m_backend->closeWorkbook(false);
}

void TstLoRead::unhideShowsHiddenRowsAndColumns()
{
    openTasks("tasks.xlsx");
    m_backend->unhideAllColumns(16384);
    m_backend->unhideAllRows(1048576);
    m_backend->selectRange("A1");
    const QString out = m_tmp.filePath("unhidden.xlsx");
    m_backend->saveAs(out, XLSaveFormat::Xlsx);
    m_backend->closeWorkbook(false);
    for (const QString& file : {m_fixtures + "/tasks.xlsx", out}) {
        auto doc = lofix::load(office().desktop(), file);
        Reference<table::XColumnRowRange> cr(lofix::sheet(doc, "Tasks"), UNO_QUERY_THROW);
        bool rowVisible = false;
        bool colVisible = false;
        Reference<beans::XPropertySet>(cr->getRows()->getByIndex(5), UNO_QUERY_THROW)->getPropertyValue("IsVisible") >>= rowVisible;
        Reference<beans::XPropertySet>(cr->getColumns()->getByIndex(4), UNO_QUERY_THROW)->getPropertyValue("IsVisible") >>= colVisible;
        lofix::close(doc);
        QCOMPARE(rowVisible, file == out);
        QCOMPARE(colVisible, file == out);
    }
}

void TstLoRead::headerFields_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("values");
    for (const QString file : {"tasks.xlsx", "tasks.xls"}) {
        const QByteArray f = file.toUtf8();
        QTest::newRow(f + " empty column A") << file << 1 << 3 << "" << QStringList{"", "", ""};
        QTest::newRow(f + " dates as short dates")
            << file << 3 << 3 << " Start Date " << QStringList{shortDate(2014, 1, 1), shortDate(2014, 1, 2), ""};
        QTest::newRow(f + " percentages as numbers") << file << 4 << 5 << "Progress"
                                                     << QStringList{"0.5", "0.25", "1", "0.125", "0"};
        QTest::newRow(f + " errors as shown") << file << 7 << 3 << "Check" << QStringList{"#DIV/0!", "#N/A", "00123"};
        QTest::newRow(f + " no values") << file << 6 << 0 << "Notes" << QStringList{};
    }
}

void TstLoRead::headerFields()
{
    QFETCH(QString, file);
    QFETCH(int, col);
    QFETCH(int, count);
    QFETCH(QString, description);
    QFETCH(QStringList, values);
    openTasks(file);
    const XLHeaderField h = m_backend->readHeaderField(3, col, count);
    QCOMPARE(h.description, description);
    QCOMPARE(h.values, values);
    // Below the last row of the worksheet there is nothing to read.
    const XLHeaderField edge = m_backend->readHeaderField(1048575, col, 3);
    QCOMPARE(edge.values, (QStringList{"", "", ""}));
    m_backend->closeWorkbook(false);
}

void TstLoRead::badRanges_data()
{
    QTest::addColumn<QString>("column");
    QTest::newRow("too many letters") << "ZZZZ";
    QTest::newRow("beyond XFD") << "XFE";
    QTest::newRow("leading blank") << " C";
    QTest::newRow("sheet reference") << "Tasks!C";
}

void TstLoRead::badRanges()
{
    QFETCH(QString, column);
    openTasks("tasks.xlsx");
    for (int kind = 0; kind < 2; ++kind) {
        try {
            if (kind == 0)
                m_backend->readRawColumn(column, 2, 5);
            else
                m_backend->readDisplayColumn(column, 2, 5);
            QFAIL("no error");
        } catch (const XLError& e) {
            QCOMPARE(e.kind(), XLErrorKind::BadRange);
            QCOMPARE(e.message(), QStringLiteral("OLE error 800A03EC"));
        }
    }
    try {
        m_backend->selectRange(column + "1");
        QFAIL("no error");
    } catch (const XLError& e) {
        QCOMPARE(e.kind(), XLErrorKind::BadRange);
    }
    m_backend->closeWorkbook(false);
}

void TstLoRead::openFailures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    const QString wrong = QStringLiteral("The password is not correct.");
    const QString none = QStringLiteral("'%1' is protected by a password.");
    const QString damaged = QStringLiteral("'%1' is not a workbook that can be read, or it is damaged.");
    QTest::newRow("xls wrong password") << "secret.xls" << "falsch" << wrong;
    QTest::newRow("xls no password") << "secret.xls" << "" << none;
    QTest::newRow("xlsx wrong password") << "secret.xlsx" << "falsch" << wrong;
    QTest::newRow("xlsx no password") << "secret.xlsx" << "" << none;
    // A damaged encrypted workbook is no password failure, whatever password.
    QTest::newRow("xlsx cut short, right password") << "cut.xlsx" << "geheim" << damaged;
    QTest::newRow("xlsx cut short, no password") << "cut.xlsx" << "" << damaged;
    QTest::newRow("missing file") << "nowhere.xlsx" << "" << "'%1' could not be found.";
    QTest::newRow("corrupt file") << "corrupt.xlsx" << "" << damaged;
    QTest::newRow("folder") << "" << "" << "'%1' is not a file.";
}

void TstLoRead::openFailures()
{
    QFETCH(QString, file);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFile corrupt(m_tmp.filePath("corrupt.xlsx"));
    QVERIFY(corrupt.open(QIODevice::WriteOnly));
    QByteArray noise(20000, '\0');
    QRandomGenerator gen(42);
    for (char& c : noise)
        c = char(gen.bounded(256));
    corrupt.write(noise);
    corrupt.close();
    QFile secret(m_fixtures + "/secret.xlsx");
    QVERIFY(secret.open(QIODevice::ReadOnly));
    QFile cut(m_tmp.filePath("cut.xlsx"));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(secret.read(secret.size() / 2));
    cut.close();

    // A workbook open before a failed open stays open.
    openTasks("tasks.xlsx");
    const QString path = file == "corrupt.xlsx" ? corrupt.fileName()
                         : file == "cut.xlsx"   ? cut.fileName()
                         : file.isEmpty()       ? m_tmp.path()
                                                : m_fixtures + '/' + file;
    QElapsedTimer timer;
    timer.start();
    try {
        m_backend->openWorkbook(path, password, QString(), true);
        QFAIL("opened");
    } catch (const XLError& e) {
        QCOMPARE(e.kind(), XLErrorKind::Other);
        QCOMPARE(e.message(), message.contains("%1") ? message.arg(path) : message);
    }
    QVERIFY(timer.elapsed() < 30000);
    QCOMPARE(m_backend->worksheetNames().size(), 4);
    QCOMPARE(m_backend->readRawColumn("B", 4, 4), XLColumn{txt("T1")});
    m_backend->closeWorkbook(false);
}

void TstLoRead::passwordOpens_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("plain");
    QTest::newRow("xls") << "secret.xls" << "tasks.xls";
    QTest::newRow("xlsx") << "secret.xlsx" << "tasks.xlsx";
}

// The right password opens the encrypted workbook, which reads as its
// unencrypted twin, cell for cell.
void TstLoRead::passwordOpens()
{
    QFETCH(QString, file);
    QFETCH(QString, plain);
    struct Read {
        QStringList names;
        XLUsedRange range;
        QList<XLColumn> columns; // B..G over the used rows
    };
    auto read = [&](const QString& name, const QString& password) {
        open(name, password);
        Read out{m_backend->worksheetNames(), m_backend->usedRange("Tasks"), {}};
        for (const char* c : {"B", "C", "D", "E", "F", "G"})
            out.columns << m_backend->readRawColumn(c, out.range.firstRow, out.range.firstRow + out.range.rowCount - 1);
        m_backend->closeWorkbook(false);
        return out;
    };
    const Read encrypted = read(file, "geheim");
    const Read twin = read(plain, QString());
    QCOMPARE(encrypted.names, (QStringList{"Summary", "Tasks", "Notes", "Old"}));
    QCOMPARE(encrypted.names, twin.names);
    QCOMPARE(encrypted.range.firstRow, 3);
    QCOMPARE(encrypted.range.firstRow, twin.range.firstRow);
    QCOMPARE(encrypted.range.firstCol, twin.range.firstCol);
    QCOMPARE(encrypted.range.rowCount, twin.range.rowCount);
    QCOMPARE(encrypted.range.colCount, twin.range.colCount);
    QCOMPARE(encrypted.columns.value(1).value(1), num(41640)); // C4
    QCOMPARE(encrypted.columns, twin.columns);
    // A password given for a workbook without one is ignored.
    open(plain, "unneeded");
    QCOMPARE(m_backend->worksheetNames().size(), 4);
    m_backend->closeWorkbook(false);
}

void TstLoRead::missingWorksheet()
{
    open("tasks.xlsx");
    try {
        m_backend->usedRange("Nope");
        QFAIL("found");
    } catch (const XLError& e) {
        QCOMPARE(e.kind(), XLErrorKind::Other);
        QVERIFY(e.message().contains("Nope"));
    }
    m_backend->selectWorksheet(2);
    QCOMPARE(m_backend->readRawColumn("B", 3, 3), XLColumn{txt("Task ID")});
    m_backend->closeWorkbook(false);
}

QTEST_GUILESS_MAIN(TstLoRead)
#include "tst_lo_read.moc"
