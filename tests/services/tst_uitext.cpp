// The English text table as the program loads it: every id in range, the
// texts in the places the forms, the engine and the Excel layer expect them,
// and the index check of the lookup.
#include "Utils.h"
#include "zyUIL.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTextStream>
#include <QtTest>

#include <initializer_list>
#include <utility>

namespace {

constexpr int kLastId = 1270;

// Ids the loader sets empty.
constexpr int kLoaderEmpty[] = {59, 60, 63, 67, 68, 69, 72, 74, 77, 78, 79, 124,
                                138, 139, 233, 234, 241, 505, 507, 509, 511, 513, 515};

// Every id without a text: the loader's empty ids and the ids no text is
// written for.
constexpr std::pair<int, int> kEmptyRanges[] = {
    {2, 6}, {24, 24}, {27, 27}, {30, 30}, {48, 50}, {59, 60}, {63, 63},
    {67, 69}, {72, 72}, {74, 74}, {77, 79}, {124, 124}, {138, 139},
    {155, 159}, {162, 163}, {209, 211}, {233, 234}, {241, 241}, {256, 279},
    {292, 292}, {301, 316}, {338, 338}, {505, 505}, {507, 507}, {509, 509},
    {511, 511}, {513, 513}, {515, 515}, {587, 589}, {591, 596}, {672, 677},
    {680, 681}, {689, 689}, {699, 699}, {715, 715}, {719, 721}, {724, 724},
    {728, 728}, {733, 734}, {863, 868}, {901, 936}, {1014, 1025},
    {1035, 1035}, {1058, 1065}, {1067, 1068}, {1074, 1078}, {1082, 1082},
    {1136, 1136}, {1142, 1165}, {1200, 1200}, {1202, 1202}, {1220, 1222},
    {1232, 1234}, {1247, 1247}, {1253, 1255}};
constexpr int kTextCount = 1049;

QSet<int> emptyIds()
{
    QSet<int> ids;
    for (const auto& [first, last] : kEmptyRanges)
        for (int id = first; id <= last; ++id)
            ids.insert(id);
    return ids;
}

QList<int> idRange(int first, int last)
{
    QList<int> ids;
    for (int id = first; id <= last; ++id)
        ids << id;
    return ids;
}

// What a text must not say on this platform (matched case-insensitively).
const std::pair<const char*, const char*> kOtherPlatform[] = {
    {"MS Excel", R"(\bMS\s+Excel\b)"},
    {"Microsoft", R"(Microsoft)"},
    {"Windows", R"(\bWindows\b)"},
    {"registry", R"(\bregistry\b)"},
    {"Task Manager", R"(Task\s+Manager)"},
    {"Compatibility Pack", R"(Compatibility\s+Pack)"},
    {"Office as a product", R"(\bOffice\b)"},
    {"My Documents", R"(My\s+Documents)"},
    {"activation", R"(\bactivat)"},
    {"Administrator", R"(Administrator)"},
    // Paths here are POSIX paths: no drive letters, network shares or
    // backslashes to speak of.
    {"drive", R"(\bdrives?\b)"},
    {"drive letter path", R"(\b[A-Z]:\\)"},
    {"network share", R"(\bUNC\b|\\\\\w)"},
    {"backslash", R"(back\s*slash)"},
    {"list of versions", R"(\b(97|2000|2002|2003|2007|2010|2013)\b.{0,3}(,|\.\.))"},
    // Any "Excel" left after the file-format names is the running program.
    {"Excel but a file format",
     R"(\bExcel\b(?!( 97-2003)? Workbook\b| Files?\b| (Data Source|Template|Default Template|Output) File\b))"},
};

bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

QString unescape(const QString& s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i) != QLatin1Char('\\') || i + 1 == s.size()) {
            out += s.at(i);
            continue;
        }
        const QChar n = s.at(++i);
        out += n == QLatin1Char('n') ? QChar(u'\n')
             : n == QLatin1Char('r') ? QChar(u'\r')
             : n == QLatin1Char('t') ? QChar(u'\t')
                                     : n;
    }
    return out;
}

QString dataFilePath()
{
    const QByteArray root = qgetenv("ZOL_SOURCE_DIR");
    if (!root.isEmpty())
        return QString::fromLocal8Bit(root) + QStringLiteral("/resources/uitext/uitext_en.tsv");
    return QFINDTESTDATA("../../resources/uitext/uitext_en.tsv");
}

} // namespace

class TestUiText : public QObject {
    Q_OBJECT

private:
    QStringList m_reports;

private slots:
    void initTestCase()
    {
        Utils::SetIndexReporter([this](const QString& text) { m_reports << text; });
        InitUILs();
        QVERIFY(UILs);
        QCOMPARE(UILIndex, 0);
        QCOMPARE(UILs->HighIndex(), 0);
        QCOMPARE(UILs->getItems(0).Name(), QStringLiteral("English"));
    }

    void cleanupTestCase()
    {
        FreeUILs();
        Utils::SetIndexReporter(nullptr);
    }

    void init() { m_reports.clear(); }

    void everyIdInRangeHoldsItsText()
    {
        const QSet<int> empty = emptyIds();
        int texts = 0;
        for (int id = 1; id <= kLastId; ++id) {
            const QString text = UIT(id);
            if (empty.contains(id))
                QVERIFY2(text.isEmpty(), qPrintable(QStringLiteral("id %1 reads \"%2\"").arg(id).arg(text)));
            else
                QVERIFY2(!text.isEmpty(), qPrintable(QStringLiteral("id %1 is empty").arg(id)));
            texts += text.isEmpty() ? 0 : 1;
        }
        QCOMPARE(texts, kTextCount);
        QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join(QLatin1Char('|'))));
    }

    void loaderEmptyIdsReadEmpty()
    {
        for (int id : kLoaderEmpty)
            QVERIFY2(UIT(id).isEmpty(), qPrintable(QString::number(id)));
    }

    // The resource compiled into the program is the checked-in table, line
    // for line, escapes resolved.
    void tableMatchesDataFile()
    {
        QFile file(dataFilePath());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QTextStream in(&file);
        in.setEncoding(QStringConverter::Utf8);
        int expectedId = 1;
        int texts = 0;
        while (!in.atEnd()) {
            const QString line = in.readLine();
            const qsizetype tab = line.indexOf(QLatin1Char('\t'));
            QVERIFY2(tab > 0, qPrintable(line));
            QCOMPARE(line.left(tab).toInt(), expectedId);
            const QString text = unescape(line.mid(tab + 1));
            QCOMPARE(UIT(expectedId), text);
            texts += text.isEmpty() ? 0 : 1;
            ++expectedId;
        }
        QCOMPARE(expectedId - 1, kLastId);
        QCOMPARE(texts, kTextCount);
    }

    void noTextHasOuterBlanks()
    {
        for (int id = 1; id <= kLastId; ++id) {
            const QString text = UILs->getItems(0).getUIT(id);
            if (text.isEmpty())
                continue;
            QVERIFY2(!isBlank(text.front()) && !isBlank(text.back()),
                     qPrintable(QStringLiteral("id %1: \"%2\"").arg(id).arg(text)));
        }
    }

    void sharedTexts_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("text");
        QTest::newRow("map tab and title") << QList<int>{119, 120} << QStringLiteral("Data Source Map");
        QTest::newRow("filter tab and title") << QList<int>{128, 129} << QStringLiteral("Data Source Filter");
        const char* headings[] = {"Report Date", "Cut Off Date", "Chart Value",
                                  "Project Title", "Project Number", "Project Client"};
        for (int k = 0; k < 6; ++k)
            QTest::addRow("chart data heading %d", k + 1)
                << QList<int>{572 + k, 578 + k} << QString::fromLatin1(headings[k]);
        QTest::newRow("Esc shortcut") << QList<int>{937, 938} << QStringLiteral("Shortcut: (Esc)");
        QTest::newRow("close 957..959") << idRange(957, 959) << QStringLiteral("Close Dialogue.");
        QTest::newRow("close 967..988") << idRange(967, 988) << QStringLiteral("Close Dialogue.");
        QTest::newRow("close 996..1004") << idRange(996, 1004) << QStringLiteral("Close Dialogue.");
        QTest::newRow("close 1211..1213") << idRange(1211, 1213) << QStringLiteral("Close Dialogue.");
        QTest::newRow("overwrite") << QList<int>{992, 994} << QStringLiteral("Overwrite the %s.");
        QTest::newRow("do not overwrite") << QList<int>{993, 995} << QStringLiteral("Do not overwrite the %s.");
        QTest::newRow("classic file filter") << QList<int>{1033, 1034}
                                             << QStringLiteral("Excel Files (*.%s; *.%s)|*.%0:s; *.%1:s");
        QTest::newRow("index error 1") << QList<int>{1091, 1268} << QStringLiteral("%s Index is invalid.");
        QTest::newRow("index error 2") << QList<int>{1092, 1269} << QStringLiteral("Valid Range: %d to %d.");
        QTest::newRow("index error 3") << QList<int>{1093, 1270} << QStringLiteral("Index Value: %d.");
        QTest::newRow("maximum length hints")
            << QList<int>{750, 752, 754, 759, 762, 772, 775, 779} << QStringLiteral("Maximum Length: %d characters.");
        QTest::newRow("missing document 2nd line") << QList<int>{1177, 1180, 1183}
            << QStringLiteral("It may have been deleted, moved, renamed, or is no longer accessible.");
        QTest::newRow("missing document 3rd line") << QList<int>{1178, 1181, 1184}
            << QStringLiteral("Please re-install %s to resolve this issue.");
    }

    void sharedTexts()
    {
        QFETCH(QList<int>, ids);
        QFETCH(QString, text);
        for (int id : ids)
            QVERIFY2(UIT(id) == text, qPrintable(QStringLiteral("id %1 reads \"%2\"").arg(id).arg(UIT(id))));
    }

    // The program drives LibreOffice on Linux: no shown text may speak of
    // another running program, of Windows or its tools, or ask the user to
    // install an Excel version. "Excel" is allowed as the name of the
    // workbook formats only.
    void noTextSpeaksOfAnotherPlatform_data()
    {
        QTest::addColumn<QString>("pattern");
        for (const auto& [name, pattern] : kOtherPlatform)
            QTest::newRow(name) << QString::fromUtf8(pattern);
    }

    void noTextSpeaksOfAnotherPlatform()
    {
        QFETCH(QString, pattern);
        const QRegularExpression re(pattern, QRegularExpression::CaseInsensitiveOption);
        QVERIFY(re.isValid());
        QStringList found;
        for (int id = 1; id <= kLastId; ++id) {
            const QString text = UIT(id);
            if (re.match(text).hasMatch())
                found << QStringLiteral("%1: %2").arg(id).arg(text);
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(" | "))));
    }

    // The walk above would pass on an empty table: it must catch the kind of
    // text it is there for, and let the format names through.
    void platformPatternsCatchWhatTheyAreFor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("caught");
        QTest::newRow("running program") << QStringLiteral("Opening MS Excel...") << true;
        QTest::newRow("bare program") << QStringLiteral("Excel is busy.") << true;
        QTest::newRow("task manager") << QStringLiteral("then use the Windows Task Manager to manually") << true;
        QTest::newRow("version list") << QStringLiteral("c) Install Excel 2007, 2010, or 2013.") << true;
        QTest::newRow("version range") << QStringLiteral("Default xlsx: 2007..2013") << true;
        QTest::newRow("registry") << QStringLiteral("Unable to read from the Registry.") << true;
        QTest::newRow("drive") << QStringLiteral("The %s Drive is undefined.") << true;
        QTest::newRow("drive letter example") << QStringLiteral("for example C:\\Data\\Tasks.xlsx") << true;
        QTest::newRow("network share") << QStringLiteral("\\\\server\\share") << true;
        QTest::newRow("UNC name") << QStringLiteral("a UNC name") << true;
        QTest::newRow("backslash") << QStringLiteral("must begin with a backslash") << true;
        QTest::newRow("full path") << QStringLiteral("The %s is not a full path beginning with /.") << false;
        QTest::newRow("worksheet characters") << QStringLiteral("not \\ / : * ? [ ]") << false;
        QTest::newRow("workbook format") << QStringLiteral("Default xls: Excel 97-2003 Workbook") << false;
        QTest::newRow("files filter") << QStringLiteral("Excel Files (*.%s; *.%s)") << false;
        QTest::newRow("file dialog title") << QStringLiteral("Select Excel Output File...") << false;
    }

    void platformPatternsCatchWhatTheyAreFor()
    {
        QFETCH(QString, text);
        QFETCH(bool, caught);
        bool matched = false;
        for (const auto& [name, pattern] : kOtherPlatform)
            matched = matched
                   || QRegularExpression(QString::fromUtf8(pattern), QRegularExpression::CaseInsensitiveOption)
                          .match(text)
                          .hasMatch();
        QCOMPARE(matched, caught);
    }

    void sample_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        const std::initializer_list<std::pair<int, const char*>> rows = {
            {1, "Version %s"},
            {7, "Initialising..."},
            {18, "Initialising Main Form..."},
            {28, "Initialising Standard Dialogue Form..."},
            {31, "Initialisation complete."},
            {32, "Reset"},
            {38, "&File"},
            {47, "&Options..."},
            {51, "&Help"},
            {55, "&About %s..."},
            {151, "&Process"},
            {280, "%s: Critical"},
            {281, "%s: Warning"},
            {282, "%s: Information"},
            {283, "%s: Question"},
            {284, "&Process the ZOL Definition without prompting."},
            {287, "E&xit %s without prompting."},
            {288, "Cancel"},
            {289, "&Close"},
            {290, "Contin&ue"},
            {291, "&No"},
            {293, "&Retry"},
            {294, "&Yes"},
            {320, "Filtering Task: %d of %d..."},
            {347, "Calculating Baseline %% Histogram Man Hours (Baseline = 100%%) for Day: %d of %d..."},
            {349, "Calculating Baseline %% S Curve Man Hours (Baseline = 100%%) for Day: %d of %d..."},
            {362, "Calculating Actual %% S Curve Man Hours (Target = 100%%) for Day: %d of %d..."},
            {365, "Calculating Actual %% Histogram Cost (Baseline = 100%%) for Day: %d of %d..."},
            {378, "Calculating Target %% Histogram Cost (Target = 100%%) for Day: %d of %d..."},
            {380, "Calculating Target %% S Curve Cost (Target = 100%%) for Day: %d of %d..."},
            {391, "Complete."},
            {392, "Will Start Early"},
            {397, "Started Late"},
            {403, "Finished Late"},
            {405, "No Change"},
            {409, "Over Budget"},
            {410, "Project Summary"},
            {448, "Baseline %"},
            {449, "(Baseline=100%)"},
            {534, "Progress: Man Hours Baseline % (Baseline = 100%)"},
            {571, "Chart Data"},
            {650, "Equals"},
            {663, "Does Not Contain"},
            {690, "The %s contains the following illegal characters: %s"},
            {701, "The %s is invalid. Valid Range: %d..%d. Reset to Default: %d"},
            {735, "Please enter a valid %s."},
            {741, "Shortcut:"},
            {766, "Valid Range (%s Data Source File): %d..%d"},
            {1066, "The current operation has been cancelled by the user."},
            {1079, "Unable to initialise Application Data."},
            {1091, "%s Index is invalid."},
            {1092, "Valid Range: %d to %d."},
            {1093, "Index Value: %d."},
            {1094, "Details: %s"},
            {1110, "An error has occurred while processing the ZOL Definition."},
            {1198, "Not Installed"},
            {1199, "Task Field: %s"},
            {1207, "Extracting Task Field Values: %d of %d..."},
            {1223, "Unable to verify if LibreOffice is installed."},
            {1241, "Unable to extract formatted Task Field Values from the %s in the %s."},
            {1245, "Unable to extract Task Field Values from the %s in the %s."},
            {1268, "%s Index is invalid."},
            {1269, "Valid Range: %d to %d."},
            {1270, "Index Value: %d."},
        };
        for (const auto& [id, text] : rows)
            QTest::addRow("%d", id) << id << QString::fromUtf8(text);
    }

    void sample()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(UIT(id), text);
    }

    void indexZeroIsEmptyWithoutReport()
    {
        QVERIFY(UILs->getItems(0).getUIT(0).isEmpty());
        QVERIFY(UIT(0).isEmpty());
        QVERIFY(m_reports.isEmpty());
    }

    void outOfRangeIdReports_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("above") << 1271;
        QTest::newRow("below") << -1;
    }

    void outOfRangeIdReports()
    {
        QFETCH(int, id);
        QVERIFY(UILs->getItems(0).getUIT(id).isEmpty());
        QCOMPARE(m_reports.size(), 1);
        const QString& report = m_reports.front();
        QVERIFY2(report.contains(QStringLiteral("UIL.getUIT Index is invalid.")), qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("Valid Range: 0 to 1270.")), qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("Index Value: %1.").arg(id)), qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("UIL.getUIT Index is invalid.\r\n\r\nValid Range: 0 to 1270."
                                                "\r\n\r\nIndex Value: %1.").arg(id)),
                 qPrintable(report));
    }

    // A language of its own, so the loaded table stays untouched.
    void setUitTrimsAndChecksIndex()
    {
        TzyUIL lang;
        lang.setUIT(5, QStringLiteral(" \tBaseline % \r\n"));
        QCOMPARE(lang.getUIT(5), QStringLiteral("Baseline %"));
        lang.setUIT(5, QStringLiteral("Baseline %"));
        QCOMPARE(lang.getUIT(5), QStringLiteral("Baseline %"));
        QVERIFY(m_reports.isEmpty());

        lang.setUIT(1271, QStringLiteral("x"));
        QCOMPARE(m_reports.size(), 1);
        QVERIFY2(m_reports.front().contains(QStringLiteral("UIL.setUIT Index is invalid.")),
                 qPrintable(m_reports.front()));
        QVERIFY(lang.getUIT(1270).isEmpty());
    }

    void unknownLanguageFallsBackToEnglish()
    {
        QCOMPARE(UILs->getItems(1).getUIT(289), QStringLiteral("&Close"));
        QCOMPARE(m_reports.size(), 1);
        QVERIFY2(m_reports.front().contains(QStringLiteral("UIL.getItems Index is invalid.")),
                 qPrintable(m_reports.front()));
        QVERIFY2(m_reports.front().contains(QStringLiteral("Valid Range: 0 to 0.")), qPrintable(m_reports.front()));
    }
};

QTEST_GUILESS_MAIN(TestUiText)
#include "tst_uitext.moc"
