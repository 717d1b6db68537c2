// Detection of the installed version, names, limits, column letters and the
// row checks of the spreadsheet layer.
#include "Bitness.h"
#include "FakeXL.h"
#include "MachineKeys.h"
#include "Progress.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyUIL.h"
#include "zyXL.h"

#include <QTemporaryDir>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <functional>

using platform::RootKey;

namespace {

const QString kCurVer = QStringLiteral("Excel.Application\\CurVer");
const QString kAppPath = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\excel.exe");

struct Recorder : StdDlg::IPrompter {
    QList<StdDlg::Request> seen;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        seen << r;
        return {r.buttons[2].modalResult, false};
    }
};

struct FakeInfo : platform::IPlatformInfo {
    bool wow = false;
    int type = -1;
    QStringList asked;
    bool isWow64() override { return wow; }
    int binaryType(const QString& path) override
    {
        asked << path;
        return type;
    }
};

} // namespace

class TstXLLayer : public QObject {
    Q_OBJECT

    platform::MachineKeyTable keys;
    FakeInfo info;
    Recorder dlg;
    std::shared_ptr<FakeOffice> office;

    void setCurVer(const QString& value)
    {
        keys.set(RootKey::ClassesRoot, kCurVer, QString(), value);
    }
    // A fresh layer over the current keys.
    void rebuild()
    {
        XL.reset();
        XL = std::make_unique<TzyXL>();
    }

private slots:
    void initTestCase()
    {
        InitUILs();
        platform::setMachineKeys(&keys);
        platform::setPlatformInfo(&info);
        StdDlg::setPrompter(&dlg);
        Progress::setPump([] {});
    }
    void cleanupTestCase()
    {
        XL.reset();
        setXLBackendFactory({});
        platform::setMachineKeys(nullptr);
        platform::setPlatformInfo(nullptr);
        StdDlg::setPrompter(nullptr);
    }
    void init()
    {
        keys.clear();
        info = FakeInfo();
        dlg.seen.clear();
        office = std::make_shared<FakeOffice>();
        office->install();
    }

    void detection_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("code");
        QTest::newRow("8") << "Excel.Application.8" << 1;
        QTest::newRow("9") << "Excel.Application.9" << 2;
        QTest::newRow("10") << "Excel.Application.10" << 3;
        QTest::newRow("11") << "Excel.Application.11" << 4;
        QTest::newRow("12") << "Excel.Application.12" << 5;
        QTest::newRow("14") << "Excel.Application.14" << 6;
        QTest::newRow("15") << "Excel.Application.15" << 7;
        QTest::newRow("mixed case") << "eXCEL.application.14" << 6;
        QTest::newRow("13") << "Excel.Application.13" << 0;
        QTest::newRow("16") << "Excel.Application.16" << 0;
        QTest::newRow("no number") << "Excel.Application" << 0;
        QTest::newRow("prefix only") << "Excel.Application.1" << 0;
        QTest::newRow("longer") << "Excel.Application.150" << 0;
        QTest::newRow("blank") << " Excel.Application.15" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void detection()
    {
        QFETCH(QString, value);
        QFETCH(int, code);
        setCurVer(value);
        rebuild();
        QCOMPARE(XL->VerCode, code);
        QCOMPARE(XL->GetXLVersion(), code);
        QCOMPARE(XL->IsXLInstalled(), code != 0);
        QCOMPARE(XL->IsXL97To2003(), code >= 1 && code <= 4);
        // One backend for a detected version, asked for with its code.
        QCOMPARE(XL->Backend() != nullptr, code != 0);
        QCOMPARE(office->createdForCodes, code ? QVector<int>{code} : QVector<int>{});
        QVERIFY(dlg.seen.isEmpty());
    }

    void noKeyGivesZeroSilently()
    {
        rebuild();
        QCOMPARE(XL->VerCode, 0);
        QCOMPARE(XL->RefreshXLVersion(), 0);
        QVERIFY(XL->StartupNote.isEmpty());
        QVERIFY(dlg.seen.isEmpty());
    }

    void failingRegistry()
    {
        setCurVer(QStringLiteral("!error"));
        rebuild();
        // At construction: code 0, no dialog, a note for the start-up log.
        QCOMPARE(XL->VerCode, 0);
        QVERIFY(XL->Backend() == nullptr);
        QVERIFY(dlg.seen.isEmpty());
        QVERIFY(XL->StartupNote.startsWith(UIT(1223)));

        Progress::form().SetCancelled(true);
        QCOMPARE(XL->RefreshXLVersion(), 0);
        QCOMPARE(dlg.seen.size(), 1);
        const StdDlg::Request& r = dlg.seen.first();
        QCOMPARE(r.msgId, QStringLiteral("XL002"));
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines, (QStringList{QStringLiteral("Unable to verify if LibreOffice is installed."), QString(),
                                       QStringLiteral("Details: The registry could not be read.")}));
        QCOMPARE(r.buttons[2].caption, QStringLiteral("&Close"));
        QCOMPARE(r.buttons[2].hint, QStringLiteral("Close Dialogue."));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
        QCOMPARE(r.buttons[2].glyph, int(StdDlg::glClose));
        QVERIFY(!r.buttons[1].visible);
        QVERIFY(!Progress::form().Cancelled());
    }

    void checkXLMissing()
    {
        setCurVer(QStringLiteral("Excel.Application.16"));
        rebuild();
        QVERIFY(XL->CheckXLMissing());
        QCOMPARE(dlg.seen.size(), 1);
        QCOMPARE(dlg.seen[0].msgId, QStringLiteral("XL001"));
        QCOMPARE(dlg.seen[0].level, int(StdDlg::Warning));
        QCOMPARE(dlg.seen[0].lines,
                 (QStringList{QStringLiteral("LibreOffice Calc is required to complete this operation."), QString(),
                              QStringLiteral("Unable to find LibreOffice Calc (Debian package libreoffice-calc)."),
                              QString(), QStringLiteral("Please install it, for example with: sudo apt install libreoffice-calc")}));
        QCOMPARE(dlg.seen[0].buttons[2].caption, QStringLiteral("&Close"));

        // Installed meanwhile: the next check sees it.
        dlg.seen.clear();
        setCurVer(QStringLiteral("Excel.Application.12"));
        QVERIFY(!XL->CheckXLMissing());
        QCOMPARE(XL->VerCode, 5);
        QVERIFY(dlg.seen.isEmpty());
    }

    // Whatever version code the rules run under, the name shown is the one
    // the installed server gives itself, read from its configuration data.
    void versionNames_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("xcd");
        QTest::addColumn<QString>("name");
        const QString product = QStringLiteral(
            "<oor:data><item><prop oor:name=\"ooName\" oor:type=\"xs:string\"><value/></prop></item>"
            "<item oor:path=\"/org.openoffice.Setup/Product\">"
            "<prop oor:name=\"ooName\">\n <value>LibreOffice</value></prop>"
            "<prop oor:name=\"ooSetupVersionAboutBox\"><value>24.2.1.3</value></prop>"
            "<prop oor:name=\"ooSetupVersionAboutBoxSuffix\"><value/></prop></item></oor:data>");
        QTest::newRow("none") << "" << product << "Not Installed";
        QTest::newRow("97 rules") << "Excel.Application.8" << product << "LibreOffice 24.2.1.3";
        QTest::newRow("2003 rules") << "Excel.Application.11" << product << "LibreOffice 24.2.1.3";
        QTest::newRow("2013 rules") << "Excel.Application.15" << product << "LibreOffice 24.2.1.3";
        QTest::newRow("suffix") << "Excel.Application.15"
                                << QString(product).replace(QStringLiteral("<value/></prop></item>"),
                                                            QStringLiteral("<value>.beta1</value></prop></item>"))
                                << "LibreOffice 24.2.1.3.beta1";
        QTest::newRow("no version") << "Excel.Application.15"
                                    << QString(product).remove(QStringLiteral("24.2.1.3")) << "LibreOffice";
        QTest::newRow("unreadable installation") << "Excel.Application.15" << QString() << "LibreOffice";
    }
    void versionNames()
    {
        QFETCH(QString, value);
        QFETCH(QString, xcd);
        QFETCH(QString, name);
        QTemporaryDir install;
        QVERIFY(install.isValid());
        QVERIFY(QDir(install.path()).mkpath(QStringLiteral("program")));
        QVERIFY(QDir(install.path()).mkpath(QStringLiteral("share/registry")));
        const QString program = install.filePath(QStringLiteral("program/soffice.bin"));
        QFile bin(program);
        QVERIFY(bin.open(QIODevice::WriteOnly));
        bin.close();
        if (!xcd.isEmpty()) {
            QFile f(install.filePath(QStringLiteral("share/registry/main.xcd")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(xcd.toUtf8());
        }
        const QByteArray before = qgetenv("ZOLL_SOFFICE");
        qputenv("ZOLL_SOFFICE", program.toLocal8Bit());
        rebuild(); // built without Excel: the name follows the registry of now
        setCurVer(value);
        const QString got = XL->GetXLVersionName();
        if (before.isEmpty())
            qunsetenv("ZOLL_SOFFICE");
        else
            qputenv("ZOLL_SOFFICE", before);
        QCOMPARE(got, name);
        QVERIFY(dlg.seen.isEmpty());
    }

    void limits_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<QString>("extn");
        QTest::newRow("none") << "" << "a.xls" << 1048576 << 16384 << "xls";
        QTest::newRow("2003 xls") << "Excel.Application.11" << "a.xls" << 65536 << 256 << "xls";
        QTest::newRow("2003 xlsx") << "Excel.Application.11" << "a.xlsx" << 65536 << 256 << "xls";
        QTest::newRow("97 no name") << "Excel.Application.8" << "" << 65536 << 256 << "xls";
        QTest::newRow("2007 xls") << "Excel.Application.12" << "/d/a.xls" << 65536 << 256 << "xlsx";
        QTest::newRow("2013 XLS") << "Excel.Application.15" << "/d/A.XLS" << 65536 << 256 << "xlsx";
        QTest::newRow("2013 xls blank") << "Excel.Application.15" << "/d/a.xls " << 65536 << 256 << "xlsx";
        QTest::newRow("2013 xlsx") << "Excel.Application.15" << "/d/a.xlsx" << 1048576 << 16384 << "xlsx";
        QTest::newRow("2013 xlsm") << "Excel.Application.15" << "/d/a.xlsm" << 1048576 << 16384 << "xlsx";
        QTest::newRow("2013 no name") << "Excel.Application.15" << "" << 1048576 << 16384 << "xlsx";
        QTest::newRow("2010 no ext") << "Excel.Application.14" << "/d.xls/a" << 1048576 << 16384 << "xlsx";
    }
    void limits()
    {
        QFETCH(QString, value);
        QFETCH(QString, file);
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(QString, extn);
        setCurVer(value);
        rebuild();
        XL->SetWorkbookFileName(file);
        QCOMPARE(XL->GetMaxRows(), rows);
        QCOMPARE(XL->GetMaxCols(), cols);
        QCOMPARE(XL->GetDefaultXLExtn(), extn);
    }

    void traitsRows()
    {
        // Save formats: later versions choose by extension, older keep their own.
        QCOMPARE(xlTraits(7).saveFormat(QStringLiteral("/o/out.xls")), XLSaveFormat::Xls);
        QCOMPARE(xlTraits(5).saveFormat(QStringLiteral("/o/out.XlS")), XLSaveFormat::Xls);
        QCOMPARE(xlTraits(6).saveFormat(QStringLiteral("/o/out.xlsx")), XLSaveFormat::Xlsx);
        QCOMPARE(xlTraits(6).saveFormat(QStringLiteral("/o/out")), XLSaveFormat::Xlsx);
        QCOMPARE(xlTraits(6).saveFormat(QStringLiteral("/o/out.xlsm")), XLSaveFormat::Xlsx);
        for (int code = 1; code <= 4; ++code) {
            QCOMPARE(xlTraits(code).saveFormat(QStringLiteral("/o/out.xlsx")), XLSaveFormat::KeepOwn);
            QVERIFY(xlTraits(code).needsCompatPack);
        }
        for (int code : {0, 5, 6, 7})
            QVERIFY(!xlTraits(code).needsCompatPack);
        QCOMPARE(xlTraits(9).code, 0);
        QCOMPARE(xlTraits(-1).code, 0);
    }

    void columnLettersRoundTrip()
    {
        setCurVer(QStringLiteral("Excel.Application.15"));
        rebuild();
        XL->SetWorkbookFileName(QStringLiteral("a.xlsx"));
        QSet<QString> seen;
        for (int n = 1; n <= 16384; ++n) {
            const QString letters = XL->ColNoToColLetters(n);
            QVERIFY2(!letters.isEmpty() && !seen.contains(letters), qPrintable(QString::number(n)));
            seen.insert(letters);
            QCOMPARE(TzyXL::ColLettersToColNo(letters, 16384), n);
            QCOMPARE(TzyXL::ColLettersToColNo(letters.toLower(), 16384), n);
        }
    }

    void colNoToLetters_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("no");
        QTest::addColumn<QString>("letters");
        const QString x = QStringLiteral("a.xlsx");
        QTest::newRow("1") << x << 1 << "A";
        QTest::newRow("26") << x << 26 << "Z";
        QTest::newRow("27") << x << 27 << "AA";
        QTest::newRow("52") << x << 52 << "AZ";
        QTest::newRow("53") << x << 53 << "BA";
        QTest::newRow("702") << x << 702 << "ZZ";
        QTest::newRow("703") << x << 703 << "AAA";
        QTest::newRow("1378") << x << 1378 << "AZZ";
        QTest::newRow("1379") << x << 1379 << "BAA";
        QTest::newRow("16384") << x << 16384 << "XFD";
        QTest::newRow("16385") << x << 16385 << "";
        QTest::newRow("0") << x << 0 << "";
        QTest::newRow("negative") << x << -3 << "";
        QTest::newRow("256 xls") << "a.xls" << 256 << "IV";
        QTest::newRow("257 xls") << "a.xls" << 257 << "";
    }
    void colNoToLetters()
    {
        QFETCH(QString, file);
        QFETCH(int, no);
        QFETCH(QString, letters);
        setCurVer(QStringLiteral("Excel.Application.15"));
        rebuild();
        XL->SetWorkbookFileName(file);
        QCOMPARE(XL->ColNoToColLetters(no), letters);
    }

    void lettersToColNo_data()
    {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("no");
        QTest::newRow("A") << "A" << 16384 << 1;
        QTest::newRow("aa") << "aa" << 16384 << 27;
        QTest::newRow("XFD") << "XFD" << 16384 << 16384;
        QTest::newRow("XFD old") << "XFD" << 256 << 0;
        QTest::newRow("XFE") << "XFE" << 16384 << 0;
        QTest::newRow("IV") << "IV" << 256 << 256;
        QTest::newRow("IW") << "IW" << 256 << 0;
        QTest::newRow("A1") << "A1" << 16384 << 0;
        QTest::newRow("blank") << " A" << 16384 << 0;
        QTest::newRow("empty") << "" << 16384 << 0;
        QTest::newRow("ABCD") << "ABCD" << 16384 << 0;
        QTest::newRow("accent") << QStringLiteral("\u00c4") << 16384 << 0;
    }
    void lettersToColNo()
    {
        QFETCH(QString, letters);
        QFETCH(int, max);
        QFETCH(int, no);
        QCOMPARE(TzyXL::ColLettersToColNo(letters, max), no);
    }

    void rowChecks_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("error"); // empty: dispatched
        const QString x = QStringLiteral("/d/a.xlsx");
        const QString s = QStringLiteral("/d/a.xls");
        auto text = [](const char* tag, int lo, int hi, int v) {
            return QStringLiteral("%1 Index is invalid.\r\nValid Range: %2 to %3.\r\nIndex Value: %4.")
                .arg(QLatin1String(tag)).arg(lo).arg(hi).arg(v);
        };
        QTest::newRow("delete first 0") << "DeleteRows" << x << 0 << 5
                                        << text("TzyXL.DeleteRows: intFirstRow", 1, 1048576, 0);
        QTest::newRow("delete last below first") << "DeleteRows" << x << 7 << 6
                                                 << text("TzyXL.DeleteRows: intLastRow", 7, 1048576, 6);
        QTest::newRow("delete 9..5") << "DeleteRows" << x << 9 << 5
                                     << text("TzyXL.DeleteRows: intLastRow", 9, 1048576, 5);
        QTest::newRow("delete one row") << "DeleteRows" << x << 7 << 7 << "";
        QTest::newRow("insert last") << "InsertRows" << s << 2 << 65537
                                     << text("TzyXL.InsertRows: intLastRow", 2, 65536, 65537);
        QTest::newRow("insert first") << "InsertRows" << s << 65537 << 65537
                                      << text("TzyXL.InsertRows: intFirstRow", 1, 65536, 65537);
        QTest::newRow("raw xls 65537") << "ExtractRawValues" << s << 2 << 65537
                                       << text("TzyXL.ExtractRawValues: intLastRow", 2, 65536, 65537);
        QTest::newRow("raw xlsx 65537") << "ExtractRawValues" << x << 2 << 65537 << "";
        QTest::newRow("raw first") << "ExtractRawValues" << x << -1 << 3
                                   << text("TzyXL.ExtractRawValues: intFirstRow", 1, 1048576, -1);
        QTest::newRow("fmt first") << "ExtractFmtValues" << x << 0 << 3
                                   << text("TzyXL.ExtractFmtValues: intFirstRow", 1, 1048576, 0);
        QTest::newRow("fmt last") << "ExtractFmtValues" << x << 3 << 1048577
                                  << text("TzyXL.ExtractFmtValues: intLastRow", 3, 1048576, 1048577);
        QTest::newRow("vallist first") << "ExtractValList" << x << 0 << 3
                                       << text("TzyXL.ExtractValList: intFirstRow", 1, 1048576, 0);
        QTest::newRow("vallist last") << "ExtractValList" << x << 4 << 3
                                      << text("TzyXL.ExtractValList: intLastRow", 4, 1048576, 3);
        QTest::newRow("insertvalues first") << "InsertValues" << x << 0 << 3
                                            << text("TzyXL.InsertValues: intFirstRow", 1, 1048576, 0);
        QTest::newRow("insertvalues last") << "InsertValues" << s << 8 << 70000
                                           << text("TzyXL.InsertValues: intLastRow", 8, 65536, 70000);
        QTest::newRow("header at limit") << "ExtractFldList" << s << 65536 << 0
                                         << text("TzyXL.ExtractFldList: intHeaderRow", 1, 65535, 65536);
        QTest::newRow("header 0") << "ExtractFldList" << x << 0 << 0
                                  << text("TzyXL.ExtractFldList: intHeaderRow", 1, 1048575, 0);
        QTest::newRow("header below limit") << "ExtractFldList" << x << 1048575 << 0 << "";
    }
    void rowChecks()
    {
        QFETCH(QString, op);
        QFETCH(QString, file);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, error);
        setCurVer(QStringLiteral("Excel.Application.15"));
        rebuild();
        auto& ws = office->addWorkbook(file).addSheet(QStringLiteral("Tasks"));
        ws.text(QStringLiteral("A1"), QStringLiteral("x"));
        XL->StartExcel(false);
        XL->OpenWorkbook(file, QString(), QString(), true);
        QVERIFY(XL->SelectWorksheet(QStringLiteral("Tasks")));
        XL->GetUsedRange();
        XL->Log = QStringList{QStringLiteral("earlier")};
        office->calls.clear();
        const std::map<QString, std::function<void()>> ops = {
            {"DeleteRows", [&] { XL->DeleteRows(first, last); }},
            {"InsertRows", [&] { XL->InsertRows(first, last); }},
            {"ExtractRawValues", [&] { XL->ExtractRawValues(QStringLiteral("A"), first, last); }},
            {"ExtractFmtValues", [&] { XL->ExtractFmtValues(QStringLiteral("A"), first, last); }},
            {"ExtractValList", [&] { XL->ExtractValList(QStringLiteral("A"), first, last); }},
            {"InsertValues", [&] { XL->InsertValues(QStringLiteral("A"), first, last); }},
            {"ExtractFldList", [&] { XL->ExtractFldList(first, 2); }},
        };
        if (error.isEmpty()) {
            ops.at(op)();
            QVERIFY(!office->calls.isEmpty());
        } else {
            try {
                ops.at(op)();
                QFAIL("no exception");
            } catch (const ZolError& e) {
                QCOMPARE(e.message(), error);
            }
            QVERIFY(office->calls.isEmpty());
        }
        QCOMPARE(XL->Log, QStringList{QStringLiteral("earlier")});
    }

    void rowChecksRunWithoutExcel()
    {
        rebuild();
        QVERIFY_THROWS_EXCEPTION(ZolError, XL->DeleteRows(0, 1));
        XL->DeleteRows(1, 2); // nothing to dispatch to: nothing happens
        QVERIFY(office->calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstXLLayer)
#include "tst_xl_layer.moc"
