// Whole runs against a real, private, headless LibreOffice: the saved Output
// File reopened and checked cell by cell (Project Summary, the per-day block,
// the charts' ranges), with .xlsx and .xls templates, one- and two-day
// projects, and every bad input and fault: each ends with its dialog, no
// office process left, no Output File half-written and both sources as they
// were.
#include "CommittedFixtures.h"
#include "LoBackend.h"
#include "LoOffice.h"
#include "LoText.h"
#include "Progress.h"
#include "RF_PS_Consts.h"
#include "StdDlg.h"
#include "WorkbookMaker.h"
#include "tst_process_fixture.h"
#include "tst_process_office_fixture.h"
#include "zyAD.h"
#include "zyProcess.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <QScopeGuard>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/chart2/XChartDocument.hpp>
#include <com/sun/star/chart2/XChartTypeContainer.hpp>
#include <com/sun/star/chart2/XCoordinateSystemContainer.hpp>
#include <com/sun/star/chart2/XDataSeriesContainer.hpp>
#include <com/sun/star/chart2/data/XDataSource.hpp>
#include <com/sun/star/chart2/data/XDataSequence.hpp>
#include <com/sun/star/chart2/data/XLabeledDataSequence.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/document/XEmbeddedObjectSupplier.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XTableChart.hpp>
#include <com/sun/star/table/XTableChartsSupplier.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/NumberFormat.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// The sample schedule's columns: E..M map items, C the area.
const QStringList kMapCols{"E", "F", "G", "H", "I", "J", "K", "L", "M"};

QByteArray Digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

bool Alive(pid_t pid)
{
    return pid > 0 && ::kill(pid, 0) == 0;
}

QString SourceDir()
{
    return qEnvironmentVariable("ZOL_SOURCE_DIR", QStringLiteral(ZOL_TEST_SOURCE_DIR));
}

} // namespace

class TstProcessOffice : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    std::unique_ptr<lo::Backend> inspector; // a second private office that makes and reads workbooks
    pfx::Recorder dlg;
    pfx::CancellingProgress progress;
    QString dir, schedule, tiny1, tiny2, secret, secretX, corrupt, tplX, tplS, noSheetsTpl;
    QList<pid_t> servers; // every server a run started
    int sd = 0;

    Reference<frame::XDesktop2> desktop() { return inspector->server()->desktop(); }

    Reference<lang::XComponent> load(const QString& path)
    {
        Reference<frame::XComponentLoader> loader(desktop(), UNO_QUERY_THROW);
        beans::PropertyValue hidden;
        hidden.Name = "Hidden";
        hidden.Value <<= true;
        beans::PropertyValue ro;
        ro.Name = "ReadOnly";
        ro.Value <<= true;
        const beans::PropertyValue args[] = {hidden, ro};
        return loader->loadComponentFromURL(lo::toOU(lo::fileUrl(path)), "_blank", 0,
                                            uno::Sequence<beans::PropertyValue>(args, 2));
    }
    static void close(const Reference<lang::XComponent>& doc)
    {
        if (doc.is())
            Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
    }
    static Reference<sheet::XSpreadsheet> sheet(const Reference<lang::XComponent>& doc, const QString& name)
    {
        auto sheets = Reference<sheet::XSpreadsheetDocument>(doc, UNO_QUERY_THROW)->getSheets();
        return Reference<sheet::XSpreadsheet>(sheets->getByName(lo::toOU(name)), UNO_QUERY_THROW);
    }

    // A definition over `dsf` and `tpl` writing `of`; every curve and quantity.
    // A fresh spreadsheet layer unless `keepLayer` (runs one after another, as
    // the program makes them, with the layer's spare server carried over).
    void define(const QString& dsf, const QString& tpl, const QString& of, pfx::Options o = {},
                bool keepLayer = false)
    {
        o.mapCols = kMapCols;
        o.filterCol = QStringLiteral("C");
        o.filterValue = QStringLiteral("Structure");
        if (o.cutOff == 0)
            o.cutOff = QDate(1899, 12, 30).daysTo(QDate(2025, 7, 4));
        sd = pfx::MakeDefinition({dsf, tpl, of}, o);
        UP->Reset();
        dlg.seen.clear();
        dlg.answers.clear();
        progress.cancelAt = -1;
        progress.onStep = [this](int, const QString&) { noteServer(); };
        if (keepLayer && XL && Process)
            return;
        XL = std::make_unique<TzyXL>();
        Process = std::make_unique<TzyProcess>();
    }
    void noteServer()
    {
        if (auto* b = dynamic_cast<lo::Backend*>(XL ? XL->Backend() : nullptr)) {
            const pid_t pid = b->serverPid();
            if (pid > 0 && !servers.contains(pid))
                servers << pid;
        }
    }
    void expectNoServer()
    {
        for (pid_t pid : servers)
            QVERIFY2(!Alive(pid), qPrintable(QStringLiteral("office %1 left running").arg(pid)));
        servers.clear();
    }
    // Nothing but the finished Output File is ever left in its folder.
    void expectNoLeftovers(const QString& folder, const QStringList& allowed)
    {
        QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QString& a : allowed)
            names.removeAll(a);
        QVERIFY2(names.isEmpty(), qPrintable(names.join(',')));
    }

    struct Block {
        int days = 0;
        QList<QList<Any>> rows;
    };
    Block readBlock(const Reference<sheet::XSpreadsheet>& cd)
    {
        Block b;
        auto all = Reference<sheet::XCellRangeData>(cd->getCellRangeByName("A8:AK40000"), UNO_QUERY_THROW)->getDataArray();
        double first = 0;
        for (const auto& row : all) {
            double v = 0;
            // The block ends where the days stop following on (a one-day
            // project keeps the placeholder date in its second row).
            if (!(row[0] >>= v) || (!b.rows.isEmpty() && v != first + b.rows.size()))
                break;
            if (b.rows.isEmpty())
                first = v;
            QList<Any> r;
            for (const Any& a : row)
                r << a;
            b.rows << r;
        }
        b.days = int(b.rows.size());
        return b;
    }

    // Runs the definition and checks the saved workbook against the run's
    // own values and the schedule's totals.
    // `chartsOverBlock`: the template's charts span its block as the used
    // range tells it (not so for a template whose used range reaches far
    // below the block: the rows between go, the charts' ranges with them).
    void runAndCheck(const QString& dsf, const QString& tpl, const QString& of, double blMHTotal, int expectDays,
                     bool chartsOverBlock = true)
    {
        const QByteArray dsfBefore = Digest(dsf), tplBefore = Digest(tpl);
        QVERIFY2(Process->Process(sd), qPrintable(dlg.ids().join(',') + u' ' +
                                                  (dlg.seen.isEmpty() ? QString() : dlg.seen.last().lines.join('|'))));
        QVERIFY(QFile::exists(of));
        QCOMPARE(Digest(dsf), dsfBefore);
        QCOMPARE(Digest(tpl), tplBefore);
        expectNoServer();
        expectNoLeftovers(QFileInfo(of).absolutePath(), {QStringLiteral("Harbour.xlsx"), QStringLiteral("Harbour.xls")});

        auto doc = load(of);
        QVERIFY(doc.is());
        auto ps = sheet(doc, tmpl::kProjectSummaryWS);
        auto cd = sheet(doc, tmpl::kChartDataWS);
        auto formats = Reference<util::XNumberFormatsSupplier>(doc, UNO_QUERY_THROW)->getNumberFormats();
        const auto cellOf = [](const Reference<sheet::XSpreadsheet>& s, const QString& a1) {
            return s->getCellRangeByName(lo::toOU(a1))->getCellByPosition(0, 0);
        };
        const auto textOf = [&](const Reference<sheet::XSpreadsheet>& s, const QString& a1) {
            return lo::toQ(Reference<text::XTextRange>(cellOf(s, a1), UNO_QUERY_THROW)->getString());
        };
        const auto isDate = [&](const Reference<sheet::XSpreadsheet>& s, const QString& a1) {
            sal_Int32 key = 0;
            Reference<beans::XPropertySet>(cellOf(s, a1), UNO_QUERY_THROW)->getPropertyValue("NumberFormat") >>= key;
            sal_Int16 type = 0;
            formats->getByKey(key)->getPropertyValue("Type") >>= type;
            return (type & util::NumberFormat::DATE) != 0;
        };

        // The Project Summary: every field as the run computed it.
        QCOMPARE(textOf(ps, RHs_PS->getItems(1).CellRef()), RHs_PS->getItems(1).Text());
        for (int i = 1; i <= RFs_PS->Count(); ++i) {
            const TzyRF& rf = RFs_PS->getItems(i);
            auto c = cellOf(ps, rf.CellRef());
            const QString where = rf.CellRef();
            if (rf.ValueState() == zyRpt::vsNoData)
                QCOMPARE(textOf(ps, where), QStringLiteral("No Data"));
            else if (rf.ValueState() == zyRpt::vsNA)
                QCOMPARE(textOf(ps, where), QStringLiteral("N/A"));
            else if (rf.DataType() == zyRpt::dtText)
                QCOMPARE(textOf(ps, where), rf.StrValue());
            else if (rf.DataType() == zyRpt::dtInteger)
                QCOMPARE(c->getValue(), double(rf.IntValue()));
            else if (rf.DataType() == zyRpt::dtNumber)
                QVERIFY2(qAbs(c->getValue() - rf.FloatValue()) < 1e-9 * qMax(1.0, qAbs(rf.FloatValue())), qPrintable(where));
            else {
                QCOMPARE(c->getValue(), rf.DateValue());
                QVERIFY2(isDate(ps, where), qPrintable(where));
            }
        }
        // The head of the Chart Data: the title stays text, dates are dates.
        QCOMPARE(textOf(cd, "B3"), QStringLiteral("=Harbour Wall Extension"));
        QVERIFY(isDate(cd, "I4") && isDate(cd, "J1"));
        QCOMPARE(cellOf(cd, "I4")->getValue(), pfx::CutOffDate(sd));

        // The block: one row per day, dates as dates, zeros left empty.
        const Block b = readBlock(cd);
        if (expectDays > 0)
            QCOMPARE(b.days, expectDays);
        double first = 0;
        b.rows[0][0] >>= first;
        for (int d = 0; d < b.days; ++d) {
            double day = 0;
            QVERIFY(b.rows[d][0] >>= day);
            QCOMPARE(day, first + d);
            for (int s = 1; s < 37; ++s) {
                double v = 0;
                if (b.rows[d][s] >>= v)
                    QVERIFY2(v != 0, qPrintable(QStringLiteral("zero at row %1 column %2").arg(8 + d).arg(s + 1)));
            }
        }
        QVERIFY(isDate(cd, QStringLiteral("A%1").arg(7 + b.days)));
        // The Baseline man-hour S curve rises to the schedule's total, 100%.
        double last = 0, pct = 0;
        for (int d = 0; d < b.days; ++d) {
            double v = 0;
            if (b.rows[d][1] >>= v) {
                QVERIFY(v >= last);
                last = v;
            }
            if (b.rows[d][4] >>= v)
                pct = qMax(pct, v);
        }
        QVERIFY2(qAbs(last - blMHTotal) < 1e-6 * blMHTotal, qPrintable(QStringLiteral("%1 vs %2").arg(last).arg(blMHTotal)));
        QVERIFY(qAbs(pct - 1.0) < 1e-9);
        if (b.days >= 2) {
            auto after = Reference<sheet::XCellRangeData>(
                cd->getCellRangeByName(lo::toOU(QStringLiteral("A%1:AK%1").arg(8 + b.days))), UNO_QUERY_THROW)->getDataArray();
            for (const Any& a : after[0]) {
                double v = 0;
                QVERIFY2(!(a >>= v), "a row after the block holds a number");
            }
        }

        // Every chart's series cover exactly the block.
        // The block keeps at least the template's two rows.
        const QString lastRow = QString::number(7 + qMax(b.days, 2));
        auto charts = Reference<container::XIndexAccess>(
            Reference<table::XTableChartsSupplier>(ps, UNO_QUERY_THROW)->getCharts(), UNO_QUERY_THROW);
        QCOMPARE(charts->getCount(), 6);
        int blockSequences = 0;
        for (sal_Int32 i = 0; i < charts->getCount(); ++i) {
            auto chart = Reference<document::XEmbeddedObjectSupplier>(charts->getByIndex(i), UNO_QUERY_THROW);
            Reference<chart2::XChartDocument> cdoc(chart->getEmbeddedObject(), UNO_QUERY_THROW);
            auto cs = Reference<chart2::XCoordinateSystemContainer>(cdoc->getFirstDiagram(), UNO_QUERY_THROW)
                          ->getCoordinateSystems();
            for (const auto& c : cs)
                for (const auto& t : Reference<chart2::XChartTypeContainer>(c, UNO_QUERY_THROW)->getChartTypes())
                    for (const auto& s : Reference<chart2::XDataSeriesContainer>(t, UNO_QUERY_THROW)->getDataSeries())
                        for (const auto& l : Reference<chart2::data::XDataSource>(s, UNO_QUERY_THROW)->getDataSequences()) {
                            const QString rep = lo::toQ(l->getValues()->getSourceRangeRepresentation());
                            if (rep.contains(QStringLiteral("$I$4")) || rep.contains(QStringLiteral("$J$4")))
                                continue; // the Cut Off Date line
                            QVERIFY2(!chartsOverBlock
                                         || (rep.contains(QStringLiteral("$8:$")) && rep.endsWith(QStringLiteral("$") + lastRow)),
                                     qPrintable(rep));
                            ++blockSequences;
                        }
        }
        QVERIFY(blockSequences >= 6 * 3);
        close(doc);
    }

    // A copy of the template with a number in General format at row
    // `row` of Chart Data, below everything else.
    void makeTall(const QString& from, const QString& to, int row)
    {
        QFile::remove(to);
        QVERIFY(QFile::copy(from, to));
        QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        Reference<frame::XComponentLoader> loader(desktop(), UNO_QUERY_THROW);
        beans::PropertyValue hidden;
        hidden.Name = "Hidden";
        hidden.Value <<= true;
        auto doc = loader->loadComponentFromURL(lo::toOU(lo::fileUrl(to)), "_blank", 0,
                                                uno::Sequence<beans::PropertyValue>(&hidden, 1));
        auto cd = sheet(doc, tmpl::kChartDataWS);
        auto cell = cd->getCellRangeByName(lo::toOU("C" + QString::number(row)))->getCellByPosition(0, 0);
        cell->setValue(45989);
        Reference<beans::XPropertySet>(cell, UNO_QUERY_THROW)->setPropertyValue("NumberFormat", Any(sal_Int32(0)));
        Reference<frame::XStorable>(doc, UNO_QUERY_THROW)->store();
        close(doc);
    }
    // What a user sees of a cell's format.
    static QString look(const Reference<sheet::XSpreadsheet>& s, const QString& a1)
    {
        Reference<beans::XPropertySet> p(s->getCellRangeByName(lo::toOU(a1))->getCellByPosition(0, 0), UNO_QUERY_THROW);
        sal_Int32 back = 0, font = 0, format = 0;
        bool clear = false;
        p->getPropertyValue("CellBackColor") >>= back;
        p->getPropertyValue("CharColor") >>= font;
        p->getPropertyValue("NumberFormat") >>= format;
        p->getPropertyValue("IsCellBackgroundTransparent") >>= clear;
        return QStringLiteral("%1|%2|%3|%4 ").arg(back).arg(font).arg(format).arg(clear);
    }

    double sumColumn(const QString& dsf, const QString& col)
    {
        auto doc = load(dsf);
        auto ws = sheet(doc, QStringLiteral("Tasks"));
        auto data = Reference<sheet::XCellRangeData>(ws->getCellRangeByName(lo::toOU(col + "2:" + col + "200000")),
                                                     UNO_QUERY_THROW)->getDataArray();
        double sum = 0;
        for (const auto& row : data) {
            double v = 0;
            if (row[0] >>= v)
                sum += v;
        }
        close(doc);
        return sum;
    }

private slots:
    void initTestCase()
    {
        pfx::InstallRunHarness(progress, dlg);
        QVERIFY(tmp.isValid());
        dir = tmp.path();
        inspector = pfx::StartOfficeRuns(dir);
        schedule = dir + "/schedule.xlsx";
        tmpl::MakeSchedule(desktop(), schedule, tmpl::ScheduleSpec{});
        tmpl::ScheduleSpec one;
        one.tasks = 3;
        one.fixedDays = 1;
        tiny1 = dir + "/one-day.xlsx";
        tmpl::MakeSchedule(desktop(), tiny1, one);
        one.fixedDays = 2;
        tiny2 = dir + "/two-days.xls";
        tmpl::MakeSchedule(desktop(), tiny2, one);
        tmpl::ScheduleSpec locked;
        locked.tasks = 20;
        locked.password = QStringLiteral("geheim");
        secret = dir + "/secret.xls";
        tmpl::MakeSchedule(desktop(), secret, locked);
        // Encrypted OOXML, which the office cannot write: committed.
        secretX = dir + "/secret.xlsx";
        QVERIFY(QFile::copy(fixtures::Committed("secret.xlsx"), secretX));
        corrupt = dir + "/corrupt.xlsx";
        QFile c(corrupt);
        QVERIFY(c.open(QIODevice::WriteOnly));
        c.write(QByteArray("PK\x03\x04 this is not a workbook").repeated(100));
        c.close();
        const QString templates = SourceDir() + "/resources/templates/";
        tplX = dir + "/Tarvo_ZOL_Lumo_Template.xlsx";
        tplS = dir + "/Tarvo_ZOL_Lumo_Template.xls";
        QVERIFY(QFile::copy(templates + "Tarvo_ZOL_Lumo_Template.xlsx", tplX));
        QVERIFY(QFile::copy(templates + "Tarvo_ZOL_Lumo_Template.xls", tplS));
        noSheetsTpl = dir + "/not-a-template.xlsx";
        QVERIFY(QFile::copy(schedule, noSheetsTpl));
        QDir().mkpath(dir + "/out");
    }
    void cleanupTestCase()
    {
        pfx::RemoveRunHarness();
        if (inspector)
            inspector->quit();
        inspector.reset();
    }

    void runs_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("xlsx template") << "xlsx";
        QTest::newRow("xls template, filtered") << "xls";
        QTest::newRow("one-day project") << "one";
        QTest::newRow("two-day project") << "two";
        // A Chart Data worksheet whose used range reaches far below the
        // block: a stray number in General format at the row named.
        QTest::newRow("tall template, to row 2000") << "tall2000";
        QTest::newRow("tall template, to the last row") << "tall1048576";
    }
    void runs()
    {
        QFETCH(QString, which);
        pfx::Options o;
        o.tgt = true;
        QString dsf = schedule, tpl = tplX, of = dir + "/out/Harbour.xlsx";
        int days = -1;
        if (which == "xls") {
            tpl = tplS;
            of = dir + "/out/Harbour.xls";
            o.filter = true;
        } else if (which == "one") {
            dsf = tiny1;
            days = 1;
            o.cutOff = QDate(1899, 12, 30).daysTo(QDate(2025, 1, 6));
        } else if (which == "two") {
            dsf = tiny2;
            days = 2;
            o.cutOff = QDate(1899, 12, 30).daysTo(QDate(2025, 1, 7));
        }
        int tallRow = 0;
        if (which.startsWith("tall")) {
            tallRow = which.mid(4).toInt();
            tpl = dir + "/" + which + ".xlsx";
            makeTall(tplX, tpl, tallRow);
            of = dir + "/out/Harbour.xlsx";
        }
        QFile::remove(of);
        define(dsf, tpl, of, o);
        double total = sumColumn(dsf, QStringLiteral("G"));
        if (which == "xls") {
            // Only the filtered tasks count.
            auto doc = load(dsf);
            auto data = Reference<sheet::XCellRangeData>(sheet(doc, "Tasks")->getCellRangeByName("C2:G400"), UNO_QUERY_THROW)
                            ->getDataArray();
            total = 0;
            for (const auto& row : data) {
                OUString area;
                double v = 0;
                if ((row[0] >>= area) && area == "Structure" && (row[4] >>= v))
                    total += v;
            }
            close(doc);
        }
        runAndCheck(dsf, tpl, of, total, days, tallRow == 0);
        if (tallRow > 0) {
            // The rows after the block look as rows the run never touched:
            // no stray fill, font or number format from clearing the old
            // used range, and the stray row is gone with the old block.
            auto doc = load(of);
            auto cd = sheet(doc, tmpl::kChartDataWS);
            const Block b = readBlock(cd);
            const int after = 8 + qMax(b.days, 2);
            const QString untouched = look(cd, "A60000") + look(cd, "B60000");
            for (int row : {after, after + 1, after + 100, 1999, 2000, 2001}) {
                if (row < after)
                    continue;
                const QString a = QString::number(row);
                QCOMPARE(look(cd, "A" + a) + look(cd, "B" + a), untouched);
            }
            close(doc);
        }
        // For a look at the charts: the environment may name a copy.
        const QString keep = qEnvironmentVariable("ZOL_KEEP_OUTPUT");
        if (!keep.isEmpty() && which != "one") {
            QFile::remove(keep + u'-' + which + u'.' + QFileInfo(of).suffix());
            QFile::copy(of, keep + u'-' + which + u'.' + QFileInfo(of).suffix());
        }
    }

    // With a spare server kept: the run and a browse each take over a spare
    // that was started in the background, a fresh one every time, and a new
    // spare follows each quit. The run's server serves all its phases.
    void spareServers()
    {
        lo::BackendOptions withSpare;
        withSpare.spare = true;
        lo::installBackendFactory(withSpare);
        auto restore = qScopeGuard([] { lo::installBackendFactory(); });
        // A folder of its own: the fault cases look for leftovers in "out".
        QDir().mkpath(dir + "/spare");
        const QString of = dir + "/spare/Spare.xlsx";
        define(schedule, tplX, of);
        auto* b = dynamic_cast<lo::Backend*>(XL->Backend());
        QVERIFY(b);
        QVERIFY(b->waitSpareReady(120000));
        const pid_t first = b->sparePid();
        QVERIFY(first > 0);
        servers.clear();
        QVERIFY2(Process->Process(sd), qPrintable(dlg.ids().join(',')));
        QVERIFY(QFile::exists(of));
        const QList<pid_t> run = servers;
        QCOMPARE(run, QList<pid_t>{first}); // handed over at the run's start
        expectNoServer();
        QVERIFY(b->waitSpareReady(120000));
        const pid_t next = b->sparePid();
        QVERIFY(next > 0 && !run.contains(next));

        QVERIFY(Process->ExtractWorksheetNames(QStringLiteral("Data Source File"), schedule, QString(), 1));
        QCOMPARE(servers, QList<pid_t>{next});
        expectNoServer();
        QVERIFY(b->waitSpareReady(120000));
        const pid_t after = b->sparePid();
        QVERIFY(after > 0 && after != next && !run.contains(after));
        // The layer gone, its spare is gone with it.
        Process.reset();
        XL.reset();
        QVERIFY(!Alive(after));
    }

    // Bad inputs and faults: the dialog, no server left, nothing written.
    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("details");
        QTest::newRow("data source missing") << "missing" << "UP002" << "";
        QTest::newRow("data source corrupt") << "corrupt" << "UP002" << "";
        // The open password's two causes, for either workbook and format.
        const QString wrong = QStringLiteral("Details: The password is not correct.");
        const QString none = QStringLiteral("Details: '%1' is protected by a password.");
        QTest::newRow("xls wrong password") << "password:data:xls:wrong" << "UP002" << wrong;
        QTest::newRow("xls no password") << "password:data:xls:" << "UP002" << none.arg(secret);
        QTest::newRow("xlsx wrong password") << "password:data:xlsx:wrong" << "UP002" << wrong;
        QTest::newRow("xlsx no password") << "password:data:xlsx:" << "UP002" << none.arg(secretX);
        QTest::newRow("template xlsx wrong password") << "password:template:xlsx:wrong" << "UP002" << wrong;
        QTest::newRow("template xlsx no password") << "password:template:xlsx:" << "UP002" << none.arg(secretX);
        QTest::newRow("no task worksheet") << "taskws" << "UP002"
                                           << "Details: The Task Worksheet was not found in the Data Source File.";
        QTest::newRow("template lacks a worksheet") << "template" << "UP002"
                                                    << "Details: The Project Summary Worksheet was not found in the Template File.";
        QTest::newRow("output open elsewhere") << "locked" << "UP002"
                                               << "Details: The following Output File already exists, and is open.";
        QTest::newRow("output read-only") << "readonly" << "UP002"
                                          << "Details: The following Output File exists, and is read-only.";
        QTest::newRow("output is the data source") << "same" << "UP002"
                                                   << "Details: The Output File is the same as the Data Source File.";
        QTest::newRow("cancel while reading") << "cancel-read" << "UP001" << "";
        QTest::newRow("cancel while writing") << "cancel-write" << "UP001" << "";
        QTest::newRow("server killed while reading") << "kill-read" << "UP002" << "";
        QTest::newRow("server killed while writing") << "kill-write" << "UP002" << "";
    }
    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(QString, id);
        QFETCH(QString, details);
        const QString of = dir + "/out/Faulty.xlsx";
        QFile::remove(of);
        QString dsf = schedule, tpl = tplX, out = of;
        pfx::Options o;
        if (fault == "missing")
            dsf = dir + "/no-such-plan.xlsx";
        else if (fault == "corrupt")
            dsf = corrupt;
        else if (fault.startsWith(QLatin1String("password:"))) {
            // password:<which workbook>:<format>:<the password given>
            const QStringList p = fault.split(u':');
            const QString file = p[2] == QLatin1String("xlsx") ? secretX : secret;
            const QString password = p[3];
            if (p[1] == QLatin1String("template")) {
                tpl = file;
                o.tfPassword = password;
            } else {
                dsf = file;
                o.dsfPassword = password;
            }
        } else if (fault == "taskws")
            o.taskWS = QStringLiteral("Programme");
        else if (fault == "template")
            tpl = noSheetsTpl;
        else if (fault == "same")
            out = dir + "/out/../schedule.xlsx";
        const QString lock = dir + "/out/.~lock.Faulty.xlsx#";
        if (fault == "locked" || fault == "readonly") {
            QFile f(of);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("previous output");
            f.close();
            if (fault == "locked")
                QFile(lock).open(QIODevice::WriteOnly);
            else
                QFile::setPermissions(of, QFileDevice::ReadOwner);
        }
        define(dsf, tpl, out, o);
        UP->SetPromptOnOverwriteOF(false);
        if (fault == "locked")
            dlg.answers << StdDlg::Answer{StdDlg::mrNo, false};
        const QByteArray dsfBefore = Digest(schedule), tplBefore = Digest(tplX), ofBefore = Digest(of);
        const bool reading = fault.endsWith(QLatin1String("-read"));
        if (fault.startsWith(QLatin1String("cancel")) || fault.startsWith(QLatin1String("kill"))) {
            const QString at = reading ? QStringLiteral("Extracting Data Source Map") : QStringLiteral("Inserting Data in the Chart Data");
            const bool kill = fault.startsWith(QLatin1String("kill"));
            progress.onStep = [=, this](int, const QString& text) {
                noteServer();
                if (!text.startsWith(at))
                    return;
                if (kill) {
                    if (auto* b = dynamic_cast<lo::Backend*>(XL->Backend()))
                        ::kill(b->serverPid(), SIGKILL);
                } else {
                    progress.SetCancelled(true);
                    AD->Msgs << UIT(1066) << QString();
                }
            };
        }
        QVERIFY(!Process->Process(sd));
        QVERIFY2(dlg.ids().endsWith(id), qPrintable(dlg.ids().join(',')));
        const QStringList lines = dlg.seen.last().lines;
        QCOMPARE(lines.value(0), UIT(1110));
        if (!details.isEmpty())
            QVERIFY2(lines.last().startsWith(details), qPrintable(lines.join('|')));
        if (id == "UP001")
            QCOMPARE(lines.mid(2), (QStringList{UIT(1066), QString()}));
        else if (details.isEmpty())
            QVERIFY2(lines.size() > 3, qPrintable(lines.join('|')));
        if (fault == "locked")
            QCOMPARE(dlg.ids().first(), QStringLiteral("UP013"));
        expectNoServer();
        QCOMPARE(Digest(schedule), dsfBefore);
        QCOMPARE(Digest(tplX), tplBefore);
        QCOMPARE(Digest(of), ofBefore); // absent stays absent; an old output stays whole
        expectNoLeftovers(dir + "/out", {QStringLiteral("Harbour.xlsx"), QStringLiteral("Harbour.xls"),
                                         QStringLiteral("Faulty.xlsx"), QFileInfo(lock).fileName()});
        QFile::setPermissions(of, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(lock);
        QFile::remove(of);
    }

    // A cancel at every step of a small plan (Baseline man hours, 40 steps):
    // "UP001", no server of the run's left, nothing written, the sources as
    // they were. The runs follow one another as the program makes them: one
    // layer whose spare server is started while the run before is under way,
    // so a cancel while a spare is being taken over or started is covered too.
    void cancelAtEveryStep()
    {
        lo::BackendOptions withSpare;
        withSpare.spare = true;
        Process.reset();
        XL.reset();
        lo::installBackendFactory(withSpare);
        auto restore = qScopeGuard([this] {
            Process.reset();
            XL.reset();
            lo::installBackendFactory();
        });
        const QString of = dir + "/out/Cancelled.xlsx";
        pfx::Options o;
        o.act = false;
        o.cost = false;
        o.cutOff = QDate(1899, 12, 30).daysTo(QDate(2025, 1, 6)); // within the project: no question
        int n = 0;
        for (int k = 1; n == 0 || k <= n; ++k) {
            QFile::remove(of);
            define(tiny1, tplX, of, o, true);
            progress.cancelAt = k;
            const QByteArray dsfBefore = Digest(tiny1), tplBefore = Digest(tplX);
            const bool ok = Process->Process(sd);
            n = progress.totalSteps();
            const QString tag = QStringLiteral("step %1 of %2").arg(k).arg(n);
            expectNoServer();
            QCOMPARE(Digest(tiny1), dsfBefore);
            QCOMPARE(Digest(tplX), tplBefore);
            if (ok) {
                // Quitting the server has no cancel test: the run is done.
                QVERIFY2(k == n, qPrintable(tag));
                QVERIFY(QFile::exists(of));
                continue;
            }
            QVERIFY2(dlg.ids() == QStringList{"UP001"}, qPrintable(tag + u' ' + dlg.ids().join(',')));
            // Saved whole or not at all: the save is the third step from the end.
            QVERIFY2(!QFile::exists(of) || k > n - 2, qPrintable(tag));
            expectNoLeftovers(dir + "/out", {QStringLiteral("Harbour.xlsx"), QStringLiteral("Harbour.xls"),
                                             QStringLiteral("Cancelled.xlsx")});
        }
        QCOMPARE(n, 40);
    }
};

QTEST_GUILESS_MAIN(TstProcessOffice)
#include "tst_process_office.moc"
