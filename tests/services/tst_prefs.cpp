#include "KeyStore.h"
#include "REG_Utils.h"
#include "StdDlg.h"
#include "zyAD.h"
#include "zyUIL.h"
#include "zyUP.h"

#include <QtTest>
#include <functional>

namespace {

constexpr auto CU = platform::RootKey::CurrentUser;
const QString kKey = QStringLiteral("Software\\Kelvane\\Tarvo ZOL Lumo\\UP");

// Every preference: how to read and set it, its default and another value.
struct Pref {
    QString name;
    std::function<QVariant(const TzyUP&)> get;
    std::function<void(TzyUP&, const QVariant&)> set;
    QVariant def;
    QVariant other;
    bool isText = false;
};

#define BOOL_PREF(N) \
    Pref{QStringLiteral(#N), [](const TzyUP& u) { return QVariant(u.N()); }, \
         [](TzyUP& u, const QVariant& v) { u.Set##N(v.toBool()); }, true, false}
#define INT_PREF(N, DEF, OTHER) \
    Pref{QStringLiteral(#N), [](const TzyUP& u) { return QVariant(u.N()); }, \
         [](TzyUP& u, const QVariant& v) { u.Set##N(v.toInt()); }, DEF, OTHER}

const QList<Pref>& prefs()
{
    static const QList<Pref> list = {
        BOOL_PREF(AutoAlignBrowseFld), BOOL_PREF(AutoAlignBrowseVal), BOOL_PREF(AutoAlignBrowseWS),
        BOOL_PREF(AutoSizeBrowseFld), BOOL_PREF(AutoSizeBrowseVal), BOOL_PREF(AutoSizeBrowseWS),
        BOOL_PREF(AutoSizeCfgErr), BOOL_PREF(AutoSizeSummary), BOOL_PREF(AutoSizeDSM),
        BOOL_PREF(AutoSizeDSF),
        INT_PREF(DefaultTFDDLItemIndex, 1, 4),
        Pref{QStringLiteral("DefaultTFOther"), [](const TzyUP& u) { return QVariant(u.GetDefaultTFOther()); },
             [](TzyUP& u, const QVariant& v) { u.SetDefaultTFOther(v.toString()); },
             QString(), QStringLiteral("/data/Mine.xlsx"), true},
        INT_PREF(DefaultOFFolderDDLItemIndex, 2, 3),
        Pref{QStringLiteral("DefaultOFFolderOther"), [](const TzyUP& u) { return QVariant(u.GetDefaultOFFolderOther()); },
             [](TzyUP& u, const QVariant& v) { u.SetDefaultOFFolderOther(v.toString()); },
             QString(), QStringLiteral("/data/Out/"), true},
        Pref{QStringLiteral("DefaultXLExtn"), [](const TzyUP& u) { return QVariant(u.DefaultXLExtn()); },
             [](TzyUP& u, const QVariant& v) { u.SetDefaultXLExtn(v.toInt()); }, 0, 2, true},
        INT_PREF(HintHidePause, 2500, 4000),
        INT_PREF(HintPause, 500, 0),
        BOOL_PREF(ImportTaskFldDesc),
        INT_PREF(ImportTaskFldValueCount, 3, 5),
        BOOL_PREF(ShowToolBarCaptions), BOOL_PREF(ShowHints), BOOL_PREF(PromptOnCreateOFFolder),
        BOOL_PREF(PromptOnOverwriteOF), BOOL_PREF(PromptOnProcess), BOOL_PREF(PromptOnExit),
    };
    return list;
}

const Pref& pref(const QString& name)
{
    for (const Pref& p : prefs())
        if (p.name == name)
            return p;
    qFatal("no preference %s", qPrintable(name));
}

class Recorder : public StdDlg::IPrompter {
public:
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        requests << r;
        return {r.buttons[2].modalResult, false};
    }
    QList<StdDlg::Request> requests;
};

// A store that refuses every write and every read.
class BrokenStore : public platform::IKeyStore {
public:
    bool keyExists(platform::RootKey, const QString&) override { return true; }
    platform::RegValue read(platform::RootKey, const QString&, const QString&) override
    {
        throw platform::RegistryError("The key store cannot be read.");
    }
    void write(platform::RootKey, const QString&, const QString&, const platform::RegValue&) override
    {
        throw platform::RegistryError("Access is denied.");
    }
};

void clearStore()
{
    QFile::remove(platform::userStoreFile());
}

} // namespace

class TestPrefs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitUILs(); }
    void init()
    {
        clearStore();
        m_rec.requests.clear();
        StdDlg::setPrompter(&m_rec);
        TzyUP::SetXLExtnSource(nullptr);
    }
    void cleanup()
    {
        StdDlg::setPrompter(nullptr);
        platform::setKeyStore(nullptr);
        TzyUP::SetXLExtnSource(nullptr);
    }

    void defaultsOnEmptyStoreAreWrittenBack()
    {
        QCOMPARE(prefs().size(), 25);
        TzyUP up;
        QVERIFY(up.Load());
        QVERIFY(up.Save());
        QVERIFY(m_rec.requests.isEmpty());
        for (const Pref& p : prefs()) {
            QCOMPARE(p.get(up), p.def);
            const platform::RegValue v = platform::keyStore().read(CU, kKey, p.name);
            QCOMPARE(v.type, p.isText ? platform::ValueType::String : platform::ValueType::DWord);
        }
        QCOMPARE(REG_Utils::ReadString(CU, kKey, QStringLiteral("DefaultXLExtn"), QString()), QStringLiteral("Auto"));
        QCOMPARE(REG_Utils::ReadInteger(CU, kKey, QStringLiteral("HintHidePause"), 0), 2500);
    }

    void roundTripOfEveryPreference()
    {
        {
            TzyUP up;
            for (const Pref& p : prefs())
                p.set(up, p.other);
            QVERIFY(up.Save());
        }
        TzyUP back;
        QVERIFY(back.Load());
        for (const Pref& p : prefs())
            QVERIFY2(p.get(back) == p.other, qPrintable(p.name));
        QVERIFY(m_rec.requests.isEmpty());
    }

    void numbersAreBroughtIntoRange_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("loaded");
        const struct { const char* name; int low, high, outside; } ranges[] = {
            {"HintHidePause", 1000, 5000, -1},
            {"HintPause", 0, 2000, -1},
            {"ImportTaskFldValueCount", 0, 5, -1},
            {"DefaultTFDDLItemIndex", 0, 4, 1},
            {"DefaultOFFolderDDLItemIndex", 0, 3, 2},
        };
        for (const auto& r : ranges) {
            // Clamped ranges take the nearest end; choices take their default.
            const int below = r.outside < 0 ? r.low : r.outside;
            const int above = r.outside < 0 ? r.high : r.outside;
            QTest::addRow("%s low", r.name) << r.name << r.low << r.low;
            QTest::addRow("%s high", r.name) << r.name << r.high << r.high;
            QTest::addRow("%s below", r.name) << r.name << r.low - 1 << below;
            QTest::addRow("%s above", r.name) << r.name << r.high + 1 << above;
        }
        QTest::newRow("HintHidePause 900") << "HintHidePause" << 900 << 1000;
        QTest::newRow("HintHidePause 99999") << "HintHidePause" << 99999 << 5000;
        QTest::newRow("template choice 7") << "DefaultTFDDLItemIndex" << 7 << 1;
    }
    void numbersAreBroughtIntoRange()
    {
        QFETCH(QString, name);
        QFETCH(int, stored);
        QFETCH(int, loaded);
        REG_Utils::WriteInteger(CU, kKey, name, stored);
        TzyUP up;
        QVERIFY(up.Load());
        QCOMPARE(pref(name).get(up).toInt(), loaded);
        // The setters clamp too, not only the load.
        TzyUP direct;
        pref(name).set(direct, stored);
        QCOMPARE(pref(name).get(direct).toInt(), loaded);
    }

    void textsAreNormalised_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QVariant>("loaded");
        QTest::addColumn<QString>("savedBack");
        QTest::newRow("extension capitals and blank") << "DefaultXLExtn" << "XLSX " << QVariant(2) << "xlsx";
        QTest::newRow("extension xls") << "DefaultXLExtn" << "xls" << QVariant(1) << "xls";
        QTest::newRow("extension csv") << "DefaultXLExtn" << "csv" << QVariant(0) << "Auto";
        QTest::newRow("folder gets its slash") << "DefaultOFFolderOther" << " /data/Out " << QVariant("/data/Out/") << "/data/Out/";
        QTest::newRow("blank folder stays empty") << "DefaultOFFolderOther" << "   " << QVariant(QString()) << "";
        QTest::newRow("template trimmed") << "DefaultTFOther" << "\t/t/a.xls " << QVariant("/t/a.xls") << "/t/a.xls";
    }
    void textsAreNormalised()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(QVariant, loaded);
        QFETCH(QString, savedBack);
        REG_Utils::WriteString(CU, kKey, name, stored);
        TzyUP up;
        QVERIFY(up.Load());
        QCOMPARE(pref(name).get(up).toString(), loaded.toString());
        QVERIFY(up.Save());
        QCOMPARE(REG_Utils::ReadString(CU, kKey, name, QStringLiteral("?")), savedBack);
    }

    // One value of the wrong type must not cost the user the other settings:
    // it takes its own default, the rest load, and the save repairs it.
    void wrongTypedValueKeepsTheOthers()
    {
        {
            TzyUP up;
            for (const Pref& p : prefs())
                p.set(up, p.other);
            QVERIFY(up.Save());
        }
        REG_Utils::WriteString(CU, kKey, QStringLiteral("AutoAlignBrowseFld"), QStringLiteral("yes"));
        REG_Utils::WriteString(CU, kKey, QStringLiteral("HintPause"), QStringLiteral("fast"));
        REG_Utils::WriteInteger(CU, kKey, QStringLiteral("DefaultTFOther"), 7);

        TzyUP up;
        QVERIFY(!up.Load());
        const QStringList broken = {"AutoAlignBrowseFld", "HintPause", "DefaultTFOther"};
        for (const Pref& p : prefs())
            QVERIFY2(p.get(up) == (broken.contains(p.name) ? p.def : p.other), qPrintable(p.name));

        QCOMPARE(m_rec.requests.size(), 1);
        const StdDlg::Request& box = m_rec.requests.first();
        QCOMPARE(box.level, int(StdDlg::Critical));
        QCOMPARE(box.lines.mid(0, 4), QStringList({" Unable to read from the settings file $XDG_CONFIG_HOME/Kelvane/Tarvo ZOL Lumo.ini. ", "",
                                                   " Please ensure the file and its folder can be read. ", ""}));
        QCOMPARE(box.lines.size(), 4 + broken.size());
        for (int n = 4; n < box.lines.size(); ++n)
            QVERIFY(box.lines[n].startsWith(QStringLiteral(" Details: ")));
        QCOMPARE(box.buttons[2].modalResult, int(StdDlg::mrOk));

        // The start-up's save writes the repaired values; the next load is clean.
        QVERIFY(up.Save());
        m_rec.requests.clear();
        TzyUP again;
        QVERIFY(again.Load());
        QVERIFY(m_rec.requests.isEmpty());
        QCOMPARE(again.HintPause(), 500);
        QCOMPARE(again.HintHidePause(), 4000);
    }

    void failingStoreIsReported()
    {
        BrokenStore broken;
        platform::setKeyStore(&broken);
        TzyUP up;
        up.SetHintPause(100);
        QVERIFY(!up.Load());
        QCOMPARE(up.HintPause(), 500); // every value back to its default
        QCOMPARE(m_rec.requests.size(), 1);
        QCOMPARE(m_rec.requests[0].lines.size(), 5); // one details line, not 25
        QCOMPARE(m_rec.requests[0].lines[4], QStringLiteral(" Details: The key store cannot be read. "));
        QVERIFY(!up.Save());
        QCOMPARE(m_rec.requests.size(), 2);
        QCOMPARE(m_rec.requests[1].lines,
                 QStringList({" Unable to write to the settings file $XDG_CONFIG_HOME/Kelvane/Tarvo ZOL Lumo.ini. ", "",
                              " Please ensure the file and its folder can be written. ", "",
                              " Details: Access is denied. "}));
    }

    void extensionCodes()
    {
        TzyUP up;
        QVERIFY(!up.SetDefaultXLExtn(TzyUP::xeXLS));
        QVERIFY(up.SetDefaultXLExtn(3)); // refused
        QVERIFY(up.SetDefaultXLExtn(-1));
        QCOMPARE(up.DefaultXLExtn(), int(TzyUP::xeXLS));
        QVERIFY(TzyUP::IsInvalidXLExtn(3));
        QVERIFY(!TzyUP::IsInvalidXLExtn(0));
        QCOMPARE(TzyUP::XLExtnToStr(9), QStringLiteral("Auto"));
    }

    void defaultTemplateFile_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("expected");
        const QString base = TzyAD::GetAppFolder() + "Templates/Tarvo_ZOL_Lumo_Template";
        QTest::newRow("none") << 0 << "xls" << "";
        QTest::newRow("auto, xls installed") << 1 << "XLS" << base + ".xls";
        QTest::newRow("auto, xlsx installed") << 1 << "xlsx" << base + ".xlsx";
        QTest::newRow("xls") << 2 << "xlsx" << base + ".xls";
        QTest::newRow("xlsx") << 3 << "xls" << base + ".xlsx";
        QTest::newRow("other") << 4 << "xls" << "/t/Own.xlsx";
    }
    void defaultTemplateFile()
    {
        QFETCH(int, choice);
        QFETCH(QString, installed);
        QFETCH(QString, expected);
        TzyUP::SetXLExtnSource([installed] { return installed; });
        TzyUP up;
        up.SetDefaultTFDDLItemIndex(choice);
        up.SetDefaultTFOther(QStringLiteral("/t/Own.xlsx"));
        QCOMPARE(up.GetDefaultTemplateFile(), expected);
        QVERIFY(up.GetTemplateXLS().startsWith(qEnvironmentVariable("ZOL_PROGRAM_DIR")));
    }

    void defaultFolderAndExtension()
    {
        TzyUP up;
        const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/";
        const QString desk = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/";
        QCOMPARE(up.GetDefaultOFFolder(), docs);
        up.SetDefaultOFFolderDDLItemIndex(TzyUP::ofDesktop);
        QCOMPARE(up.GetDefaultOFFolder(), desk);
        up.SetDefaultOFFolderDDLItemIndex(TzyUP::ofNone);
        QCOMPARE(up.GetDefaultOFFolder(), QString());
        up.SetDefaultOFFolderOther(QStringLiteral("/o"));
        up.SetDefaultOFFolderDDLItemIndex(TzyUP::ofOther);
        QCOMPARE(up.GetDefaultOFFolder(), QStringLiteral("/o/"));

        QCOMPARE(up.GetDefaultXLExtnDot(), QStringLiteral(".xlsx")); // no spreadsheet layer yet
        TzyUP::SetXLExtnSource([] { return QStringLiteral("xls"); });
        QCOMPARE(up.GetDefaultXLExtnDot(), QStringLiteral(".xls"));
        up.SetDefaultXLExtn(TzyUP::xeXLSX);
        QCOMPARE(up.GetDefaultXLExtnDot(), QStringLiteral(".xlsx"));
    }

    void resetAllAutoFlagsLeavesTheGrids()
    {
        TzyUP up;
        for (const Pref& p : prefs())
            if (p.name.startsWith(QLatin1String("AutoSize")) || p.name.startsWith(QLatin1String("AutoAlign")))
                p.set(up, false);
        up.SetAllAutoSize();
        up.SetAllAutoAlign();
        for (const Pref& p : prefs())
            if (p.name.startsWith(QLatin1String("AutoSize")) || p.name.startsWith(QLatin1String("AutoAlign")))
                QCOMPARE(p.get(up).toBool(), p.name != "AutoSizeDSM" && p.name != "AutoSizeDSF");
    }

private:
    Recorder m_rec;
};

QTEST_GUILESS_MAIN(TestPrefs)
#include "tst_prefs.moc"
