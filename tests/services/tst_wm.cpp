#include "KeyStore.h"
#include "REG_Utils.h"
#include "StdDlg.h"
#include "Utils.h"
#include "WorkArea.h"
#include "zyUIL.h"
#include "zyWM.h"

#include <QtTest>

namespace {

constexpr auto CU = platform::RootKey::CurrentUser;
// A work area that does not start at the screen's corner (a panel on the
// left and one at the top).
const QRect kArea(100, 50, 800, 600);

class Recorder : public StdDlg::IPrompter {
public:
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        requests << r;
        return {r.buttons[2].modalResult, false};
    }
    QList<StdDlg::Request> requests;
};

std::unique_ptr<TzyWMs> sixRecords()
{
    auto wms = std::make_unique<TzyWMs>();
    for (int n = 1; n <= wmCount; ++n) {
        wms->Add();
        wms->getItems(n).SetDefaultWidth(WMDefaultSize(n).width());
        wms->getItems(n).SetDefaultHeight(WMDefaultSize(n).height());
    }
    return wms;
}

} // namespace

class TestWM : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitUILs(); }
    void init()
    {
        QFile::remove(platform::userStoreFile());
        platform::setWorkArea(kArea);
        m_rec.requests.clear();
        StdDlg::setPrompter(&m_rec);
        m_indexErrors.clear();
        Utils::SetIndexReporter([this](const QString& t) { m_indexErrors << t; });
    }
    void cleanup()
    {
        StdDlg::setPrompter(nullptr);
        Utils::SetIndexReporter(nullptr);
        platform::setWorkArea(std::nullopt);
    }

    void emptyStoreGivesResetRecordsWrittenBack()
    {
        auto wms = sixRecords();
        QVERIFY(wms->Load());
        wms->Validate();
        QVERIFY(wms->SaveAll());
        QVERIFY(m_rec.requests.isEmpty());
        QCOMPARE(wms->HighIndex(), 6);
        for (int n = 1; n <= 6; ++n) {
            const TzyWM& wm = wms->getItems(n);
            QCOMPARE(wm.Left(), -1);
            QCOMPARE(wm.Width(), -1);
            QCOMPARE(wm.WindowSize(), 0);
            QVERIFY(!wm.FormPositionReset());
            const QString key = QStringLiteral("Software\\Kelvane\\Tarvo ZOL Lumo\\WMs\\WM_%1").arg(n);
            for (const char* name : {"Left", "Top", "Height", "Width", "WindowSize", "FormPositionReset"})
                QCOMPARE(platform::keyStore().read(CU, key, QLatin1String(name)).type, platform::ValueType::DWord);
        }
        QCOMPARE(WMDefaultSize(wmMain), QSize(620, 610));
        QCOMPARE(WMDefaultSize(wmCfgErr), QSize(400, 360));
        QCOMPARE(WMDefaultSize(wmSummary), QSize(800, 600));
    }

    void roundTripOfSixRecords()
    {
        {
            auto wms = sixRecords();
            for (int n = 1; n <= 6; ++n) {
                TzyWM& wm = wms->getItems(n);
                wm.SetLeft(10 * n);
                wm.SetTop(20 * n);
                wm.SetWidth(300 + n);
                wm.SetHeight(200 + n);
                wm.SetWindowSize(n % 2);
                wm.SetFormPositionReset(n == 3);
            }
            QVERIFY(wms->SaveAll());
        }
        auto back = sixRecords();
        QVERIFY(back->Load());
        for (int n = 1; n <= 6; ++n) {
            const TzyWM& wm = back->getItems(n);
            QCOMPARE(wm.Left(), 10 * n);
            QCOMPARE(wm.Top(), 20 * n);
            QCOMPARE(wm.Width(), 300 + n);
            QCOMPARE(wm.Height(), 200 + n);
            QCOMPARE(wm.WindowSize(), n % 2);
            QCOMPARE(wm.FormPositionReset(), n == 3);
        }
    }

    void wrongTypedValueKeepsTheOthers()
    {
        {
            auto wms = sixRecords();
            for (int n = 1; n <= 6; ++n) {
                wms->getItems(n).SetLeft(n);
                wms->getItems(n).SetWidth(400);
            }
            QVERIFY(wms->SaveAll());
        }
        REG_Utils::WriteString(CU, QStringLiteral("Software\\Kelvane\\Tarvo ZOL Lumo\\WMs\\WM_2"),
                               QStringLiteral("Left"), QStringLiteral("wide"));
        auto wms = sixRecords();
        QVERIFY(!wms->Load());
        QCOMPARE(m_rec.requests.size(), 1);
        QCOMPARE(m_rec.requests[0].lines.first(), QStringLiteral(" Unable to read from the settings file $XDG_CONFIG_HOME/Kelvane/Tarvo ZOL Lumo.ini. "));
        QCOMPARE(wms->getItems(2).Left(), -1);
        QCOMPARE(wms->getItems(2).Width(), 400);
        for (int n : {1, 3, 4, 5, 6})
            QCOMPARE(wms->getItems(n).Left(), n);
    }

    void validateRepairsNonsense()
    {
        auto wms = sixRecords();
        TzyWM& wm = wms->getItems(4);
        wm.SetLeft(-7);
        wm.SetTop(-1);
        wm.SetHeight(-2);
        wm.SetWidth(12);
        wm.SetWindowSize(5);
        wms->Validate();
        QCOMPARE(wm.Left(), -1);
        QCOMPARE(wm.Top(), -1);
        QCOMPARE(wm.Height(), -1);
        QCOMPARE(wm.Width(), 12);
        QCOMPARE(wm.WindowSize(), 0);
    }

    void applyToForm_data()
    {
        QTest::addColumn<QList<int>>("stored"); // left, top, width, height; -1 not stored
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QRect>("expected");
        const QSize min(200, 150);
        // Default 480 x 360, centred on the work area.
        QTest::newRow("first run") << QList<int>{-1, -1, -1, -1} << min << QRect(260, 170, 480, 360);
        QTest::newRow("stored") << QList<int>{150, 60, 500, 400} << min << QRect(150, 60, 500, 400);
        QTest::newRow("stored size, no position") << QList<int>{-1, -1, 600, 500} << min << QRect(200, 100, 600, 500);
        QTest::newRow("right of the screen") << QList<int>{2000, 100, 400, 300} << min << QRect(500, 100, 400, 300);
        QTest::newRow("below the screen") << QList<int>{300, 5000, 400, 300} << min << QRect(300, 350, 400, 300);
        QTest::newRow("left of and above the work area") << QList<int>{0, 0, 400, 300} << min << QRect(100, 50, 400, 300);
        QTest::newRow("larger than the work area") << QList<int>{120, 60, 3000, 2000} << min << QRect(100, 50, 800, 600);
        QTest::newRow("smaller than the minimum") << QList<int>{120, 60, 50, 40} << min << QRect(120, 60, 200, 150);
        QTest::newRow("minimum beyond the work area") << QList<int>{-1, -1, -1, -1} << QSize(900, 700) << QRect(100, 50, 800, 600);
    }
    void applyToForm()
    {
        QFETCH(QList<int>, stored);
        QFETCH(QSize, minimum);
        QFETCH(QRect, expected);
        TzyWM wm;
        wm.SetDefaultWidth(480);
        wm.SetDefaultHeight(360);
        wm.SetLeft(stored[0]);
        wm.SetTop(stored[1]);
        wm.SetWidth(stored[2]);
        wm.SetHeight(stored[3]);
        const FormPlacement p = wm.ApplyToForm(QSize(10, 10), minimum, true);
        QCOMPARE(p.bounds, expected);
        QVERIFY(!p.maximised);
    }

    void applyWithoutSizeKeepsTheCornerOnScreen()
    {
        TzyWM wm;
        wm.SetLeft(600);
        wm.SetTop(400);
        const FormPlacement p = wm.ApplyToForm(QSize(1000, 900), QSize(), false);
        QCOMPARE(p.bounds, QRect(100, 50, 1000, 900));
    }

    void pendingResetCentresOnce()
    {
        TzyWM wm;
        wm.SetDefaultWidth(400);
        wm.SetDefaultHeight(200);
        wm.SetLeft(110);
        wm.SetTop(60);
        wm.SetFormPositionReset(true);
        QCOMPARE(wm.ApplyToForm(QSize(), QSize(), true).bounds, QRect(300, 250, 400, 200));
        QVERIFY(!wm.FormPositionReset());
        QCOMPARE(wm.Left(), -1);
    }

    // Closed while maximised: the normal bounds and WindowSize 1 are kept,
    // and the form opens maximised over those bounds.
    void maximisedFormRoundTrip()
    {
        TzyWM wm;
        wm.ReadFromForm(QRect(150, 80, 500, 400), FormState::Maximised, QSize(100, 100), true);
        QCOMPARE(wm.WindowSize(), 1);
        const FormPlacement p = wm.ApplyToForm(QSize(), QSize(100, 100), true);
        QVERIFY(p.maximised);
        QCOMPARE(p.bounds, QRect(150, 80, 500, 400));
    }

    void readFromForm_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("wasMaximised");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<int>("windowSize");
        QTest::addColumn<QRect>("stored");
        QTest::newRow("normal") << int(FormState::Normal) << false << QRect(120, 70, 500, 400) << 0 << QRect(120, 70, 500, 400);
        QTest::newRow("minimised from maximised") << int(FormState::Minimised) << true << QRect(120, 70, 500, 400) << 1 << QRect(120, 70, 500, 400);
        QTest::newRow("minimised from normal") << int(FormState::Minimised) << false << QRect(120, 70, 500, 400) << 0 << QRect(120, 70, 500, 400);
        QTest::newRow("negative corner") << int(FormState::Normal) << false << QRect(-30, -5, 500, 400) << 0 << QRect(0, 0, 500, 400);
        QTest::newRow("too large, too small") << int(FormState::Normal) << false << QRect(120, 70, 5000, 10) << 0 << QRect(120, 70, 800, 150);
    }
    void readFromForm()
    {
        QFETCH(int, state);
        QFETCH(bool, wasMaximised);
        QFETCH(QRect, bounds);
        QFETCH(int, windowSize);
        QFETCH(QRect, stored);
        TzyWM wm;
        wm.SetWasMaximised(wasMaximised);
        wm.ReadFromForm(bounds, FormState(state), QSize(200, 150), true);
        QCOMPARE(wm.WindowSize(), windowSize);
        QCOMPARE(QRect(wm.Left(), wm.Top(), wm.Width(), wm.Height()), stored);
    }

    void readWithoutSizeTakesOnlyThePosition()
    {
        TzyWM wm;
        wm.ReadFromForm(QRect(130, 90, 500, 400), FormState::Maximised, QSize(), false);
        QCOMPARE(wm.Left(), 130);
        QCOMPARE(wm.Top(), 90);
        QCOMPARE(wm.Width(), -1);
        QCOMPARE(wm.WindowSize(), 0);
    }

    void resetFormCentresAtDefaultSize()
    {
        TzyWM wm;
        wm.SetDefaultWidth(480);
        wm.SetDefaultHeight(360);
        wm.SetWindowSize(1);
        wm.SetWidth(700);
        const FormPlacement p = wm.ResetForm(QSize(700, 500), true);
        QCOMPARE(p.bounds, QRect(260, 170, 480, 360));
        QVERIFY(!p.maximised);
        QCOMPARE(wm.WindowSize(), 0);
        QCOMPARE(wm.Width(), 480);
        QCOMPARE(wm.Left(), 260);
        QVERIFY(wm.FormPositionReset());
        QCOMPARE(wm.ResetForm(QSize(200, 100), false).bounds, QRect(400, 300, 200, 100));
    }

    void badIndexesAreReported()
    {
        auto wms = sixRecords();
        wms->getItems(0).SetLeft(77);
        QCOMPARE(wms->getItems(7).Left(), 77);
        QCOMPARE(m_indexErrors.size(), 1);
        QVERIFY(m_indexErrors[0].startsWith(QStringLiteral("WM.getItems Index is invalid.")));
        // Slot 0 belongs to no form: nothing is written for it.
        QVERIFY(!wms->SaveItem(0));
        QCOMPARE(m_indexErrors.size(), 2);
        QVERIFY(!REG_Utils::ValueExists(CU, wms->ItemKey(0), QStringLiteral("Left")));
        QVERIFY(wms->SaveItem(6));
        QVERIFY(REG_Utils::ValueExists(CU, wms->ItemKey(6), QStringLiteral("Left")));
    }

    void failedSaveIsReported()
    {
        class Refusing : public platform::IKeyStore {
        public:
            bool keyExists(platform::RootKey, const QString&) override { return false; }
            platform::RegValue read(platform::RootKey, const QString&, const QString&) override { return {}; }
            void write(platform::RootKey, const QString&, const QString&, const platform::RegValue&) override
            {
                throw platform::RegistryError("Access is denied.");
            }
        } refusing;
        platform::setKeyStore(&refusing);
        auto wms = sixRecords();
        const bool saved = wms->SaveAll();
        platform::setKeyStore(nullptr);
        QVERIFY(!saved);
        QCOMPARE(m_rec.requests.size(), 1);
        QCOMPARE(m_rec.requests[0].lines,
                 QStringList({" Unable to write to the settings file $XDG_CONFIG_HOME/Kelvane/Tarvo ZOL Lumo.ini. ", "",
                              " Please ensure the file and its folder can be written. ", "",
                              " Details: Access is denied. "}));
    }

private:
    Recorder m_rec;
    QStringList m_indexErrors;
};

QTEST_GUILESS_MAIN(TestWM)
#include "tst_wm.moc"
