// The LibreOffice backend's conversions that need no server.
#include "LoProfile.h"
#include "LoText.h"
#include "LocaleInfo.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class TstLoText : public QObject {
    Q_OBJECT
private slots:
    void colours_data();
    void colours();
    void copiedColumn_data();
    void copiedColumn();
    void valueText_data();
    void valueText();
    void messages();
    void letters();
    void cellPositions_data();
    void cellPositions();
    void filters_data();
    void filters();
    void versionSeen_data();
    void versionSeen();
    void versionSeenRecorded_data();
    void versionSeenRecorded();
};

void TstLoText::colours_data()
{
    QTest::addColumn<int>("excel");
    QTest::addColumn<int>("office");
    QTest::newRow("red") << 0x0000FF << 0xFF0000;
    QTest::newRow("blue") << 0xFF0000 << 0x0000FF;
    QTest::newRow("green stays") << 0x00FF00 << 0x00FF00;
    QTest::newRow("mixed") << 0x123456 << 0x563412;
    QTest::newRow("silver") << 0xC0C0C0 << 0xC0C0C0;
}

void TstLoText::colours()
{
    QFETCH(int, excel);
    QFETCH(int, office);
    QCOMPARE(lo::swapRedBlue(excel), office);
    QCOMPARE(lo::swapRedBlue(office), excel);
}

void TstLoText::copiedColumn_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("quoted");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("ordinary") << "50%\n01-Jan-2014\n1,234.50\n" << "50%\n01-Jan-2014\n1,234.50\n" << 3
                              << QStringList{"50%", "01-Jan-2014", "1,234.50"};
    QTest::newRow("blanks kept, empty rows") << "  a  \n\nb\n" << "  a  \n\nb\n" << 3 << QStringList{"  a  ", "", "b"};
    QTest::newRow("trailing empty rows left out") << "a\n" << "a\n" << 3 << QStringList{"a", "", ""};
    QTest::newRow("nothing copied") << "" << "" << 2 << QStringList{"", ""};
    QTest::newRow("multi-line cell restored") << "x\nline1 line2\ny\n" << "x\n\"line1\nline2\"\ny\n" << 3
                                              << QStringList{"x", "line1\nline2", "y"};
    QTest::newRow("tab restored") << "a b\n" << "\"a\tb\"\n" << 1 << QStringList{"a\tb"};
    QTest::newRow("quotes of a plain text are its own") << "\"quoted\"\nsay \"hi\"\n" << "\"quoted\"\nsay \"hi\"\n" << 2
                                                         << QStringList{"\"quoted\"", "say \"hi\""};
    QTest::newRow("doubled quotes inside a quoted cell") << "a \"b\" c\n" << "\"a \"\"b\"\"\nc\"\n" << 1
                                                          << QStringList{"a \"b\"\nc"};
    QTest::newRow("no quoted form: plain rows") << "line1 line2\nz\n" << "" << 2 << QStringList{"line1 line2", "z"};
    QTest::newRow("quoted form that does not match: plain rows")
        << "p q\nz\n" << "\"other\nthing\"\nz\n" << 2 << QStringList{"p q", "z"};
    QTest::newRow("more lines than rows") << "a\nb\nc\n" << "a\nb\nc\n" << 2 << QStringList{"a", "b"};
}

void TstLoText::copiedColumn()
{
    QFETCH(QString, plain);
    QFETCH(QString, quoted);
    QFETCH(int, rows);
    QFETCH(QStringList, expected);
    QCOMPARE(lo::mergeCopiedColumn(plain, quoted, rows), expected);
}

void TstLoText::valueText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("expected");
    const QString shortDate = QLocale::system().dateFormat(QLocale::ShortFormat).contains("yyyy")
                                  ? QLocale::system().dateFormat(QLocale::ShortFormat)
                                  : QLocale::system().dateFormat(QLocale::ShortFormat).replace("yy", "yyyy");
    const QString day = QLocale::system().toString(QDate(2014, 1, 1), shortDate);
    QTest::newRow("number") << 1234.5 << 16 << "1234.5";
    QTest::newRow("integer") << 2014.0 << 0 << "2014";
    QTest::newRow("fifteen digits") << 1.0 / 3 << 0 << "0.333333333333333";
    QTest::newRow("large") << 1e20 << 0 << "1E20";
    QTest::newRow("percent is a number") << 0.5 << 128 << "0.5";
    QTest::newRow("date") << 41640.0 << 2 << day;
    QTest::newRow("user-defined date") << 41640.0 << 3 << day;
    QTest::newRow("date and time") << 41640.5 << 6 << day + " 12:00:00";
    QTest::newRow("time") << 0.75 << 4 << "18:00:00";
    QTest::newRow("true") << 1.0 << 1024 << "True";
    QTest::newRow("false") << 0.0 << 1024 << "False";
}

void TstLoText::valueText()
{
    QFETCH(double, value);
    QFETCH(int, type);
    QFETCH(QString, expected);
    platform::setNumberSettings(std::nullopt);
    QCOMPARE(lo::valueText(value, type), expected);
}

void TstLoText::messages()
{
    QCOMPARE(lo::cleanMessage(lo::toOU(QStringLiteral("Unsupported URL at ./sc/source/ui/unoobj/cellsuno.cxx:4735"))),
             QStringLiteral("Unsupported URL"));
    QCOMPARE(lo::cleanMessage(lo::toOU(QStringLiteral("plain text"))), QStringLiteral("plain text"));
    platform::NumberSettings comma;
    comma.decimalSeparator = u',';
    comma.thousandSeparator = u'.';
    platform::setNumberSettings(comma);
    QCOMPARE(lo::valueText(1234.5, 0), QStringLiteral("1234,5"));
    platform::setNumberSettings(std::nullopt);
}

void TstLoText::letters()
{
    QCOMPARE(lo::columnLetters(1), QStringLiteral("A"));
    QCOMPARE(lo::columnLetters(26), QStringLiteral("Z"));
    QCOMPARE(lo::columnLetters(27), QStringLiteral("AA"));
    QCOMPARE(lo::columnLetters(256), QStringLiteral("IV"));
    QCOMPARE(lo::columnLetters(16384), QStringLiteral("XFD"));
}

void TstLoText::cellPositions_data()
{
    // (-1, -1): left to the office.
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::newRow("first cell") << "A1" << 0 << 0;
    QTest::newRow("report cell") << "G27" << 6 << 26;
    QTest::newRow("absolute") << "$AK$12" << 36 << 11;
    QTest::newRow("lower case") << "ak12" << 36 << 11;
    QTest::newRow("last column every sheet has") << "AMJ1048576" << 1023 << 1048575;
    QTest::newRow("beyond that column") << "AMK1" << -1 << -1;
    QTest::newRow("beyond the last row") << "A1048577" << -1 << -1;
    QTest::newRow("row 0") << "A0" << -1 << -1;
    QTest::newRow("leading zero") << "A01" << -1 << -1;
    QTest::newRow("range") << "A8:AK1079" << -1 << -1;
    QTest::newRow("sheet-qualified") << "Sheet1.A1" << -1 << -1;
    QTest::newRow("blank") << "" << -1 << -1;
    QTest::newRow("spaces") << " A1" << -1 << -1;
    QTest::newRow("name") << "Total" << -1 << -1;
}

void TstLoText::cellPositions()
{
    QFETCH(QString, address);
    QFETCH(int, col);
    QFETCH(int, row);
    const auto at = lo::cellPosition(address);
    QCOMPARE(at.has_value(), col >= 0);
    if (at) {
        QCOMPARE(at->first, col);
        QCOMPARE(at->second, row);
    }
}

void TstLoText::filters_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("filter");
    QTest::newRow("xls") << "/d/report.xls" << "MS Excel 97";
    QTest::newRow("xls in capitals") << "/d/REPORT.XLS" << "MS Excel 97";
    QTest::newRow("xlsx") << "/d/report.xlsx" << "Calc MS Excel 2007 XML";
    QTest::newRow("xlsm") << "/d/report.xlsm" << "Calc MS Excel 2007 XML";
    QTest::newRow("xls only inside the name") << "/d/report.xls.bak" << "Calc MS Excel 2007 XML";
    QTest::newRow("no extension") << "/d/report" << "Calc MS Excel 2007 XML";
}

void TstLoText::filters()
{
    QFETCH(QString, fileName);
    QFETCH(QString, filter);
    QCOMPARE(lo::filterForFile(fileName), filter);
}

// The profile's settings as the office writes them, told the version seen.
void TstLoText::versionSeen_data()
{
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items xmlns:oor=\"x\">\n";
    const QByteArray other = "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"FirstRun\" "
                             "oor:op=\"fuse\"><value>false</value></prop></item>\n";
    const auto seen = [](const char* v) {
        return QByteArray("<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" "
                          "oor:op=\"fuse\"><value>")
            + v + "</value></prop></item>\n";
    };
    const QByteArray end = "</oor:items>\n";
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("never seen") << head + other + end << "7.4" << head + other + seen("7.4") + end;
    QTest::newRow("seen already") << head + seen("7.4") + other + end << "7.4" << head + seen("7.4") + other + end;
    QTest::newRow("an older one seen") << head + seen("7.3") + other + end << "7.4" << head + other + seen("7.4") + end;
    QTest::newRow("version unknown") << head + other + end << "" << head + other + end;
    QTest::newRow("not a settings file") << QByteArray("garbage") << "7.4" << QByteArray("garbage");
}

void TstLoText::versionSeen()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, version);
    QFETCH(QByteArray, expected);
    QCOMPARE(lo::withLastVersionSeen(settings, version), expected);
}

// The profile told the version seen in place, by a process of its own whose
// files may grow to `limit` bytes only: past it a write fails, as on a disk
// that is full. The settings are replaced whole, or left as they were.
void TstLoText::versionSeenRecorded_data()
{
    QTest::addColumn<qint64>("limit"); // -1: none
    QTest::addColumn<bool>("recorded");
    QTest::newRow("room enough") << qint64(-1) << true;
    QTest::newRow("disk full while written") << qint64(1024) << false;
}

void TstLoText::versionSeenRecorded()
{
    QFETCH(qint64, limit);
    QFETCH(bool, recorded);
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    // An installation of version 7.4, as far as the profile needs to know.
    const QString program = tmp.filePath("office/program/soffice.bin");
    QVERIFY(QDir().mkpath(tmp.filePath("office/program")) && QDir().mkpath(tmp.filePath("office/share/registry")));
    QFile bin(program);
    QVERIFY(bin.open(QIODevice::WriteOnly));
    bin.close();
    QFile xcd(tmp.filePath("office/share/registry/main.xcd"));
    QVERIFY(xcd.open(QIODevice::WriteOnly));
    xcd.write("<oor:data><prop oor:name=\"ooSetupVersion\"><value>7.4</value></prop></oor:data>");
    xcd.close();
    // Settings of a few kilobytes, the version not seen yet.
    QByteArray settings = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items xmlns:oor=\"x\">\n";
    for (int i = 0; i < 40; ++i)
        settings += QStringLiteral("<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"Item%1\" "
                                   "oor:op=\"fuse\"><value>false</value></prop></item>\n")
                        .arg(i)
                        .toUtf8();
    settings += "</oor:items>\n";
    const QString profile = tmp.filePath("profile");
    QVERIFY(QDir().mkpath(profile + "/user"));
    QFile file(profile + "/user/registrymodifications.xcu");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(settings);
    file.close();
    QVERIFY(limit < settings.size());

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--record-version-seen", profile, program, QString::number(limit)});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray now = file.readAll();
    file.close();
    const QByteArray expected = recorded ? lo::withLastVersionSeen(settings, "7.4") : settings;
    QCOMPARE(now.size(), expected.size());
    QCOMPARE(now, expected);
    QCOMPARE(QDir(profile + "/user").entryList(QDir::Files | QDir::Hidden),
             QStringList{"registrymodifications.xcu"});
}

int main(int argc, char** argv)
{
    if (argc == 5 && qstrcmp(argv[1], "--record-version-seen") == 0) {
        const qint64 limit = QByteArray(argv[4]).toLongLong();
        if (limit >= 0) {
            const rlimit size{rlim_t(limit), rlim_t(limit)};
            if (::setrlimit(RLIMIT_FSIZE, &size) != 0)
                return 2;
            ::signal(SIGXFSZ, SIG_IGN); // the write fails instead
        }
        lo::recordVersionSeen(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        return 0;
    }
    QCoreApplication app(argc, argv);
    TstLoText t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lo_text.moc"
