// Whole runs against a real, private, headless LibreOffice that stops
// answering, fills the disk or meets a template with a tall old block: each
// ends with its dialog and its own line, no office process left, and the
// older Output File as it was; a tall old block is cleared in seconds.
#include "LoBackend.h"
#include "LoCall.h"
#include "LoOffice.h"
#include "LoText.h"
#include "LoUno.h"
#include "Progress.h"
#include "RunServers.h"
#include "StdDlg.h"
#include "WorkbookMaker.h"
#include "XLBackend.h"
#include "tst_process_fixture.h"
#include "zyAD.h"
#include "zyProcess.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <span>
#include <sys/mount.h>
#include <unistd.h>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace {

const QStringList kMapCols{"E", "F", "G", "H", "I", "J", "K", "L", "M"};
constexpr int kTallLastRow = 20000;

QByteArray Digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString SourceDir()
{
    return qEnvironmentVariable("ZOL_SOURCE_DIR", QStringLiteral(ZOL_TEST_SOURCE_DIR));
}

} // namespace

class TstProcessFaults : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    std::unique_ptr<lo::Backend> inspector;
    pfx::Recorder dlg;
    pfx::CancellingProgress progress;
    QString dir, schedule, tplX, tallTpl;
    pfx::RunServers servers;
    int sd = 0;

    Reference<frame::XDesktop2> desktop() { return inspector->server()->desktop(); }
    void define(const QString& tpl, const QString& of)
    {
        pfx::Options o;
        o.mapCols = kMapCols;
        o.filterCol = QStringLiteral("C");
        o.filterValue = QStringLiteral("Structure");
        o.cutOff = QDate(1899, 12, 30).daysTo(QDate(2025, 7, 4));
        sd = pfx::MakeDefinition({schedule, tpl, of}, o);
        UP->Reset();
        UP->SetPromptOnOverwriteOF(false);
        dlg.seen.clear();
        dlg.answers.clear();
        progress.cancelAt = -1;
        progress.onStep = [this](int, const QString&) { servers.note(); };
        XL = std::make_unique<TzyXL>();
        Process = std::make_unique<TzyProcess>();
    }
    // An older Output File to be left alone.
    static void writeOld(const QString& of, int size)
    {
        QFile f(of);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(size, 'o'));
    }
    QStringList lastLines() const { return dlg.seen.isEmpty() ? QStringList() : dlg.seen.last().lines; }

private slots:
    void initTestCase()
    {
        InitUILs();
        QVERIFY(tmp.isValid());
        dir = tmp.path();
        Progress::setPump([] {});
        Progress::setForm(&progress);
        Progress::setFormatSources([] { return Process->StepFmt; }, [] { return Process->NoStepFmt; });
        StdDlg::setPrompter(&dlg);
        lo::installBackendFactory();
        inspector = std::make_unique<lo::Backend>(lo::BackendOptions{QString(), dir + "/inspector-profile", 90000, 15000, false});
        inspector->start();
        schedule = dir + "/schedule.xlsx";
        tmpl::MakeSchedule(desktop(), schedule, tmpl::ScheduleSpec{});
        tplX = dir + "/Tarvo_ZOL_Lumo_Template.xlsx";
        QVERIFY(QFile::copy(SourceDir() + "/resources/templates/Tarvo_ZOL_Lumo_Template.xlsx", tplX));
        // The template with an old per-day block down to row 20,000.
        tallTpl = dir + "/Tall_Template.xlsx";
        {
            Reference<frame::XComponentLoader> loader(desktop(), UNO_QUERY_THROW);
            auto doc = loader->loadComponentFromURL(lo::toOU(lo::fileUrl(tplX)), "_blank", 0,
                                                    lo::seqOf({lo::prop("Hidden", Any(true))}));
            auto sheets = Reference<sheet::XSpreadsheetDocument>(doc, UNO_QUERY_THROW)->getSheets();
            Reference<sheet::XSpreadsheet> cd(sheets->getByName(lo::toOU(tmpl::kChartDataWS)), UNO_QUERY_THROW);
            const int n = kTallLastRow - 7;
            Sequence<Any> row(37);
            for (Any& v : std::span(row.getArray(), 37))
                v <<= 12345.0;
            Sequence<Sequence<Any>> rows(n);
            for (auto& r : std::span(rows.getArray(), n))
                r = row;
            Reference<sheet::XCellRangeData>(cd->getCellRangeByName(lo::toOU("A8:AK" + QString::number(kTallLastRow))),
                                             UNO_QUERY_THROW)
                ->setDataArray(rows);
            lo::storeTo(doc, tallTpl, lo::kXlsxFilter);
            lofixClose(doc);
        }
        QDir().mkpath(dir + "/out");
    }
    void cleanupTestCase()
    {
        Process.reset();
        XL.reset();
        if (inspector)
            inspector->quit();
        inspector.reset();
        lo::setStallTimeoutMs(0);
        Progress::setForm(nullptr);
        StdDlg::setPrompter(nullptr);
    }
    void init() { lo::setStallTimeoutMs(3000); }

    // The server stops (SIGSTOP) while the schedule is read, while the
    // template is written and when the save begins: "UP002" with our line,
    // no server left, the older Output File whole, nothing else in its folder.
    void stoppedServer_data()
    {
        QTest::addColumn<QString>("at");
        QTest::newRow("read") << "Extracting Data Source Map";
        QTest::newRow("write") << "Inserting Data in the Chart Data";
        QTest::newRow("save") << "Saving the Template File";
    }
    void stoppedServer()
    {
        QFETCH(QString, at);
        const QString of = dir + "/out/Stopped.xlsx";
        writeOld(of, 1000);
        const QByteArray before = Digest(of);
        define(tplX, of);
        progress.onStep = [=, this](int, const QString& text) {
            servers.note();
            if (text.contains(at))
                ::kill(pfx::RunServers::current(), SIGSTOP);
        };
        QElapsedTimer t;
        t.start();
        QVERIFY(!Process->Process(sd));
        QVERIFY2(t.elapsed() < 120000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(dlg.ids().last(), QStringLiteral("UP002"));
        QVERIFY2(lastLines().contains(kXLNoAnswerText), qPrintable(lastLines().join('|')));
        servers.expectNoneLeft();
        QCOMPARE(Digest(of), before);
        QCOMPARE(QDir(dir + "/out").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"Stopped.xlsx"});
    }

    // Cancel pressed while the server is stopped in the middle of writing:
    // the run ends at once as cancelled ("UP001"), long before the stall time.
    void cancelWhileBlocked()
    {
        lo::setStallTimeoutMs(120000);
        const QString of = dir + "/out/Cancelled.xlsx";
        QFile::remove(of);
        define(tplX, of);
        QElapsedTimer t;
        progress.onStep = [this, &t](int, const QString& text) {
            servers.note();
            if (text.contains(QStringLiteral("Inserting Data in the Chart Data"))) {
                ::kill(pfx::RunServers::current(), SIGSTOP);
                t.start();
                // Cancel, as the button does, once the call is blocked.
                QTimer::singleShot(400, [this] {
                    progress.SetCancelled(true);
                    AD->Msgs << UIT(1066) << QString();
                });
            }
        };
        QVERIFY(!Process->Process(sd));
        QVERIFY2(t.elapsed() < 10000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(dlg.ids(), QStringList{"UP001"});
        QCOMPARE(lastLines().mid(2), (QStringList{UIT(1066), QString()}));
        servers.expectNoneLeft();
        QVERIFY(!QFile::exists(of));
        QCOMPARE(QDir(dir + "/out").entryList(QStringList{".~*"}, QDir::AllEntries | QDir::Hidden), QStringList());
    }

    // The template's old block reaches row 20,000: cleared in seconds, and
    // no old value stays below the new block.
    void tallOldBlock()
    {
        const QString of = dir + "/out/Tall.xlsx";
        QFile::remove(of);
        define(tallTpl, of);
        QElapsedTimer clock;
        clock.start();
        qint64 clearStart = -1, clearEnd = -1;
        progress.onStep = [&](int, const QString& text) {
            servers.note();
            if (text.contains(QStringLiteral("Clearing the Chart Data")))
                clearStart = clock.elapsed();
            else if (clearStart >= 0 && clearEnd < 0)
                clearEnd = clock.elapsed();
        };
        QVERIFY2(Process->Process(sd), qPrintable(dlg.ids().join(',') + ' ' + lastLines().join('|')));
        qInfo("clearing an old block of %d rows took %lld ms; the run %lld ms", kTallLastRow - 7,
              clearEnd - clearStart, clock.elapsed());
        QVERIFY(clearStart >= 0 && clearEnd > clearStart);
        QVERIFY2(clearEnd - clearStart < 30000, qPrintable(QString::number(clearEnd - clearStart)));
        servers.expectNoneLeft();

        Reference<frame::XComponentLoader> loader(desktop(), UNO_QUERY_THROW);
        auto doc = loader->loadComponentFromURL(lo::toOU(lo::fileUrl(of)), "_blank", 0,
                                                lo::seqOf({lo::prop("Hidden", Any(true))}));
        auto sheets = Reference<sheet::XSpreadsheetDocument>(doc, UNO_QUERY_THROW)->getSheets();
        Reference<sheet::XSpreadsheet> cd(sheets->getByName(lo::toOU(tmpl::kChartDataWS)), UNO_QUERY_THROW);
        const auto data = Reference<sheet::XCellRangeData>(
                              cd->getCellRangeByName(lo::toOU("A8:AK" + QString::number(kTallLastRow + 10))),
                              UNO_QUERY_THROW)
                              ->getDataArray();
        int days = 0;
        double first = 0;
        for (const auto& row : data) {
            double v = 0;
            if (!(row[0] >>= v) || (days > 0 && v != first + days))
                break;
            if (days == 0)
                first = v;
            ++days;
        }
        QVERIFY(days > 100);
        for (int i = days; i < data.getLength(); ++i)
            for (const Any& a : data[i]) {
                double v = 0;
                QVERIFY2(!(a >>= v), qPrintable(QStringLiteral("a value left in row %1").arg(8 + i)));
            }
        lofixClose(doc);
    }

    // The Output File's disk is full: "UP002" says there is not enough space
    // to save the Output File, and the older one stays byte for byte.
    void fullDisk()
    {
        const QString mnt = dir + "/small-disk";
        QVERIFY(QDir().mkpath(mnt));
        if (::geteuid() != 0 || ::mount("tmpfs", QFile::encodeName(mnt).constData(), "tmpfs", 0, "size=200k") != 0)
            QSKIP("a small file system needs the right to mount one");
        auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(mnt).constData(), MNT_DETACH); });
        const QString of = mnt + "/Report.xlsx";
        writeOld(of, 180 * 1024); // 20 KiB left: less than any workbook
        const QByteArray before = Digest(of);
        define(tplX, of);
        QVERIFY(!Process->Process(sd));
        QCOMPARE(dlg.ids().last(), QStringLiteral("UP002"));
        QVERIFY2(lastLines().contains(QStringLiteral("There is not enough free space on the disk to save the Output File.")),
                 qPrintable(lastLines().join('|')));
        QVERIFY2(!lastLines().join('|').contains(QStringLiteral("0x")), qPrintable(lastLines().join('|')));
        servers.expectNoneLeft();
        QCOMPARE(Digest(of), before);
        QCOMPARE(QDir(mnt).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"Report.xlsx"});
    }

private:
    static void lofixClose(const Reference<lang::XComponent>& doc);
};

void TstProcessFaults::lofixClose(const Reference<lang::XComponent>& doc)
{
    if (doc.is())
        Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
}

int main(int argc, char** argv)
{
    // The calls wait in the application's event loop, as in the program.
    QCoreApplication app(argc, argv);
    TstProcessFaults t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_process_faults.moc"
