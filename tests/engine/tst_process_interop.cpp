// The program's workbooks in other readers, and what the office makes of
// odd input, against a real private headless LibreOffice: an Output File
// made from the sample through a whole run, and both templates, load in a
// strict reader (openpyxl) with numbers in every numeric chart cache and
// value axes under the scatter charts, and in Gnumeric without a complaint
// about their number formats, as does the sample itself; an empty Data Source File, which the office
// would open as a new workbook, is reported as what it is.
#include "LoBackend.h"
#include "LoText.h"
#include "LoUno.h"
#include "Progress.h"
#include "StdDlg.h"
#include "tst_process_fixture.h"
#include "tst_process_office_fixture.h"
#include "zyProcess.h"
#include "zyUP.h"
#include "zyXL.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

// The sample schedule's columns: E..M map items, C the area.
const QStringList kMapCols{"E", "F", "G", "H", "I", "J", "K", "L", "M"};

QString SourceDir()
{
    return qEnvironmentVariable("ZOL_SOURCE_DIR", QStringLiteral(ZOL_TEST_SOURCE_DIR));
}

} // namespace

class TstProcessInterop : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    std::unique_ptr<lo::Backend> inspector; // converts and looks, beside the runs' own servers
    pfx::Recorder dlg;
    pfx::CancellingProgress progress;
    QString dir, sample, tplX, tplS;
    int sd = 0;

    void define(const QString& dsf, const QString& tpl, const QString& of)
    {
        pfx::Options o;
        o.tgt = true;
        o.mapCols = kMapCols;
        o.filterCol = QStringLiteral("C");
        o.cutOff = QDate(1899, 12, 30).daysTo(QDate(2025, 7, 4));
        sd = pfx::MakeDefinition({dsf, tpl, of}, o);
        UP->Reset();
        UP->SetPromptOnOverwriteOF(false);
        dlg.seen.clear();
        XL = std::make_unique<TzyXL>();
        Process = std::make_unique<TzyProcess>();
    }

    // The workbook as the office saves it in the Open XML format, as a user
    // converting an .xls would.
    QString asXlsx(const QString& path)
    {
        Reference<frame::XComponentLoader> loader(inspector->server()->desktop(), UNO_QUERY_THROW);
        const beans::PropertyValue args[] = {lo::prop("Hidden", uno::Any(true)), lo::prop("ReadOnly", uno::Any(true))};
        auto doc = loader->loadComponentFromURL(lo::toOU(lo::fileUrl(path)), "_blank", 0,
                                                uno::Sequence<beans::PropertyValue>(args, 2));
        const QString out = dir + u'/' + QFileInfo(path).completeBaseName() + QStringLiteral("-converted.xlsx");
        lo::storeTo(doc, out, QStringLiteral("Calc MS Excel 2007 XML"));
        Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
        return out;
    }

    // The strict reader's verdict, its lines shown on failure.
    void expectStrictReaderLoads(const QStringList& args)
    {
        const QString python = qEnvironmentVariable("ZOL_PYTHON3");
        const QString script = qEnvironmentVariable("ZOL_STRICT_READER");
        QVERIFY2(!python.isEmpty() && QFile::exists(script), "the strict reader is not configured");
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(python, QStringList{script} + args);
        QVERIFY2(p.waitForFinished(120000), "the strict reader did not finish");
        const QByteArray said = p.readAll();
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, said.constData());
        qInfo("%s", said.trimmed().constData());
    }

    // Gnumeric's converter reads the workbook; what it says about it must not
    // include a number format it cannot find.
    void expectGnumericFindsEveryNumberFormat(const QString& path)
    {
        const QString ssconvert = qEnvironmentVariable("ZOL_SSCONVERT");
        QVERIFY2(QFile::exists(ssconvert), "Gnumeric's ssconvert is not configured");
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        const QString out = dir + u'/' + QFileInfo(path).fileName() + QStringLiteral(".csv");
        p.start(ssconvert, {QStringLiteral("--export-type=Gnumeric_stf:stf_csv"), path, out});
        QVERIFY2(p.waitForFinished(120000), "ssconvert did not finish");
        const QString said = QString::fromUtf8(p.readAll());
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, qPrintable(said));
        QVERIFY2(!said.contains(QLatin1String("Undefined number format")), qPrintable(path + u'\n' + said));
        QVERIFY2(QFileInfo(out).size() > 0, qPrintable(said));
    }

private slots:
    void initTestCase()
    {
        pfx::InstallRunHarness(progress, dlg);
        QVERIFY(tmp.isValid());
        dir = tmp.path();
        inspector = pfx::StartOfficeRuns(dir);
        const QString src = SourceDir();
        sample = dir + "/Tarvo_ZOL_Lumo_Sample.xlsx";
        tplX = dir + "/Tarvo_ZOL_Lumo_Template.xlsx";
        tplS = dir + "/Tarvo_ZOL_Lumo_Template.xls";
        QVERIFY(QFile::copy(src + "/resources/samples/Tarvo_ZOL_Lumo_Sample.xlsx", sample));
        QVERIFY(QFile::copy(src + "/resources/templates/Tarvo_ZOL_Lumo_Template.xlsx", tplX));
        QVERIFY(QFile::copy(src + "/resources/templates/Tarvo_ZOL_Lumo_Template.xls", tplS));
    }
    void cleanupTestCase()
    {
        pfx::RemoveRunHarness();
        if (inspector)
            inspector->quit();
        inspector.reset();
    }

    // The templates as committed; the .xls, which no Open XML reader reads,
    // as the office converts it.
    void templatesLoadInAStrictReader()
    {
        expectStrictReaderLoads({tplX, asXlsx(tplS)});
        for (const QString& t : {tplX, tplS})
            expectGnumericFindsEveryNumberFormat(t);
    }

    // The sample, the first workbook a user opens, as committed.
    void sampleLoadsInGnumeric() { expectGnumericFindsEveryNumberFormat(sample); }

    // Output Files of whole runs over the sample: the charts' caches filled
    // with the run's numbers.
    void outputFileLoadsInAStrictReader_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("xlsx template") << "xlsx";
        QTest::newRow("xls template, converted") << "xls";
    }
    void outputFileLoadsInAStrictReader()
    {
        QFETCH(QString, suffix);
        const QString of = dir + "/Sample Output." + suffix;
        define(sample, suffix == "xls" ? tplS : tplX, of);
        QVERIFY2(Process->Process(sd), qPrintable(dlg.ids().join(',') + u' ' +
                                                  (dlg.seen.isEmpty() ? QString() : dlg.seen.last().lines.join('|'))));
        expectStrictReaderLoads({QStringLiteral("--filled"), suffix == "xls" ? asXlsx(of) : of});
        expectGnumericFindsEveryNumberFormat(of);
        // For a look at the charts: the environment may name a copy.
        const QString keep = qEnvironmentVariable("ZOL_KEEP_OUTPUT");
        if (!keep.isEmpty()) {
            QFile::remove(keep + u'.' + suffix);
            QFile::copy(of, keep + u'.' + suffix);
        }
    }

    // The office opens an empty file as a new workbook with a worksheet of
    // its own: the run says the file is empty instead of missing a worksheet.
    void emptyDataSourceFile()
    {
        const QString empty = dir + "/empty.xlsx";
        QFile f(empty);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString of = dir + "/From Empty.xlsx";
        define(empty, tplX, of);
        QVERIFY(!Process->Process(sd));
        QCOMPARE(dlg.ids(), QStringList{"UP002"});
        QCOMPARE(dlg.seen.last().lines.last(),
                 "Details: The Data Source File is empty: it is not a workbook.\r\n\r\nData Source File: " + empty);
        QVERIFY(!QFile::exists(of));
        QCOMPARE(QFileInfo(empty).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TstProcessInterop)
#include "tst_process_interop.moc"
