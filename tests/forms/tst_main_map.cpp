// The Data Source Map page on the real main form: required marks and the
// three row-test passes in the gutter, the key filter of the task field
// column, paste into read-only cells, the browse with a fake dialog, and
// Update Task Field Descriptions with its messages and counters.
#include "BalloonHint.h"
#include "FormsTestKit.h"
#include "MachineKeys.h"
#include "zyXL.h"
#include "UF_Browse.h"
#include "UF_Main.h"
#include "UF_MainMap.h"
#include "UF_MainTaskFld.h"
#include "X11Keys.h"
#include "zyColors.h"
#include "zyGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QToolButton>
#include <QtTest>

namespace {

TzySD& sd() { return SDs->getItems(SDs->ActiveSD()); }

QString flagged(TzyGrid* g)
{
    QStringList s;
    for (int r = 1; r <= g->RowCount(); ++r)
        if (g->getGutterImageVisible(r))
            s << QString::number(r);
    return s.join(QLatin1Char(','));
}

// The main form on the map page with Actual and Man Hours chosen.
struct MapFixture {
    formskit::Globals globals;
    formskit::Prompter prompter;
    TUF_Main f;
    TzyGrid* g;
    explicit MapFixture(const QStringList& cols, const QString& file = QStringLiteral("/d/plan.xlsx"))
    {
        sd().SCF.SetDataSourceFile(file);
        sd().SCO.SetGenerateACT(true);
        sd().SCO.SetGraphMH(true);
        for (int i = 0; i < cols.size(); ++i)
            sd().DSM.getItems(i + 1).SetTaskFld(cols.at(i));
        f.LoadPage0(); // leaving page 0 stores what it shows
        f.show();
        f.GoToPage(2);
        g = f.Map->SG_DSM;
    }
    ~MapFixture() { MainTaskFld::ResetPageLinks(); }
};

} // namespace

class TstMainMap : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { formskit::FixLook(); }

    void requiredAndRowTests()
    {
        MapFixture x({"C", "", "", "", "D", "", "", "", "c"});
        // Actual with Man Hours requires Start, Finish, Man Hours and % Complete.
        for (int r = 1; r <= 9; ++r)
            QCOMPARE(x.g->getGutterCellFontColor(r),
                     (r == 5 || r == 6 || r == 7 || r == 9) ? zyColor::clMaroon() : x.g->FontColor());
        QCOMPARE(flagged(x.g), QStringLiteral("6,7,9"));
        QCOMPARE(x.g->getGutterImageHint(6), QStringLiteral("The Finish Date Task Field is undefined."));
        QCOMPARE(x.g->getGutterImageHint(9),
                 QStringLiteral("The % Complete Task Field is the same as the Baseline Start Date Task Field."));
        // An optional row may stay empty, a filled one must be valid.
        x.g->InternalSetCell(1, 2, QStringLiteral("XFE"), true);
        QCOMPARE(flagged(x.g), QStringLiteral("2,6,7,9"));
        QCOMPARE(x.g->getGutterImageHint(2),
                 QStringLiteral("The Baseline Finish Date Task Field is invalid.\nValid Range: A..XFD"));
        x.g->InternalSetCell(1, 2, QStringLiteral("E"), true);
        x.g->InternalSetCell(1, 6, QStringLiteral("F"), true);
        x.g->InternalSetCell(1, 7, QStringLiteral("G"), true);
        x.g->InternalSetCell(1, 9, QStringLiteral("H"), true);
        QCOMPARE(flagged(x.g), QString());
        // Saving stores upper-cased, trimmed columns.
        x.g->InternalSetCell(1, 9, QStringLiteral(" h "), true);
        x.f.SavePage2();
        QCOMPARE(sd().DSM.getItems(9).GetTaskFld(), QStringLiteral("H"));
    }

    void keyFilter()
    {
        MapFixture x({});
        x.g->setFocus();
        x.g->MoveToCell(1, 1);
        QTest::keyClicks(x.g, QStringLiteral("a"));
        QTest::keyClick(x.g, Qt::Key_Return);
        QCOMPARE(x.g->getCells(1, 1), QStringLiteral("A"));
        x.g->MoveToCell(1, 2);
        QTest::keyClicks(x.g, QStringLiteral("1"));
        QCOMPARE(x.g->getCells(1, 2), QString());
        QVERIFY(x.f.BH_Main->IsShown());
        QCOMPARE(x.f.BH_Main->Description(), QStringLiteral("Please enter a valid Task Field.\nValid Range: A..XFD"));
        QTest::keyClicks(x.g, QStringLiteral(" "));
        QCOMPARE(x.g->getCells(1, 2), QString());
        QTest::keyClicks(x.g, QStringLiteral("xfd"));
        QCOMPARE(x.g->getCells(1, 2), QStringLiteral("XFD"));
        x.f.BH_Main->HideHint();
        QTest::keyClicks(x.g, QStringLiteral("a"));
        QCOMPARE(x.g->getCells(1, 2), QStringLiteral("XFD"));
        QCOMPARE(x.f.BH_Main->Description(), QStringLiteral("The maximum length for this Field is 3 characters."));
    }

    // Editing keys pass the grid's key filter whatever text X11 gives them,
    // over the cell and in the F2 editor; a full cell included.
    void editingKeys_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::newRow("task field: Delete") << 1 << "ABC" << "Delete" << "";
        QTest::newRow("task field: F2, Delete") << 1 << "ABC" << "F2 Home Delete Return" << "BC";
        QTest::newRow("task field: F2, Backspace") << 1 << "ABC" << "F2 End Backspace Return" << "AB";
        QTest::newRow("task field: F2, Shift+Home, Delete") << 1 << "ABC" << "F2 End Shift+Home Delete Return" << "";
        QTest::newRow("task field: F2, Shift+Delete") << 1 << "AB" << "F2 Home Shift+Right Shift+Delete Return" << "B";
        QTest::newRow("description: Delete") << 2 << "Area" << "Delete" << "";
        QTest::newRow("description: F2, Delete") << 2 << "Area" << "F2 Home Right Delete Return" << "Aea";
        QTest::newRow("description: F2, Ctrl+A, Delete") << 2 << "Area" << "F2 Ctrl+A Delete Return" << "";
    }
    void editingKeys()
    {
        QFETCH(int, col);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        MapFixture x({});
        x.g->setCells(col, 1, before);
        x.g->setFocus();
        QTRY_VERIFY(x.g->hasFocus());
        x.g->MoveToCell(col, 1);
        x11keys::play(keys);
        QCOMPARE(x.g->getCells(col, 1), after);
        QVERIFY2(!x.f.BH_Main->IsShown(), qPrintable(x.f.BH_Main->Description()));
    }

    void xlsFileLimitsTheBalloon_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("range");
        QTest::newRow("none installed") << 0 << "/d/plan.xls" << "A..XFD";
        QTest::newRow("2013, xls") << 7 << "/d/plan.XLS" << "A..IV";
        QTest::newRow("2013, xlsx") << 7 << "/d/plan.xlsx" << "A..XFD";
        QTest::newRow("2003, xlsx") << 4 << "/d/plan.xlsx" << "A..IV";
    }
    void xlsFileLimitsTheBalloon()
    {
        QFETCH(int, version);
        QFETCH(QString, file);
        QFETCH(QString, range);
        platform::MachineKeyTable keys;
        static const char* const curVers[] = {nullptr, "8", "9", "10", "11", "12", "14", "15"};
        if (version > 0)
            keys.set(platform::RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
                     QStringLiteral("Excel.Application.") + QLatin1String(curVers[version]));
        platform::setMachineKeys(&keys);
        XL = std::make_unique<TzyXL>();
        {
            MapFixture x({"", "", "", "", "", "", "", "", "IW"}, file);
            x.g->setFocus();
            x.g->MoveToCell(1, 3);
            QTest::keyClicks(x.g, QStringLiteral("-"));
            QVERIFY2(x.f.BH_Main->Description().endsWith(range), qPrintable(x.f.BH_Main->Description()));
            // The row tests use the same range.
            QCOMPARE(x.g->getGutterImageVisible(9), range == QLatin1String("A..IV"));
        }
        XL.reset();
        platform::setMachineKeys(nullptr);
    }

    void pasteSkipsReadOnlyFiller()
    {
        MapFixture x({});
        QGuiApplication::clipboard()->setText(QStringLiteral("B\tDesc\tFiller"));
        x.g->MoveToCell(1, 4);
        x.g->PasteFromClipboard();
        QCOMPARE(x.g->getCells(1, 4), QStringLiteral("B"));
        QCOMPARE(x.g->getCells(2, 4), QStringLiteral("Desc"));
        QCOMPARE(x.g->getCells(3, 4), QString());
        // Pasted text reaches the row tests like typed text.
        QGuiApplication::clipboard()->setText(QStringLiteral("b1"));
        x.g->MoveToCell(1, 5);
        x.g->PasteFromClipboard();
        QVERIFY(x.g->getGutterImageVisible(5));
    }

    void browseFillsTheRow()
    {
        MapFixture x({});
        QString caption, item;
        MainTaskFld::PageLinks().BrowseTaskField = [&](const QString& current, const QString& cap, int align,
                                                       const QString& itemName, std::optional<QPoint>) {
            caption = cap;
            item = itemName;
            BrowseCommands::FieldChoice c;
            c.result = TUF_Browse::mrSelect;
            c.taskFld = current.isEmpty() ? QStringLiteral("K") : current;
            c.desc = QStringLiteral("Start\nDate");
            c.importDesc = align == 1;
            return c;
        };
        x.g->MoveToCell(1, 5);
        x.f.Map->BBtn_DSM_TaskFld_BrowseClick();
        QCOMPARE(caption, QStringLiteral("Select Data Source Map Task Field: Start Date"));
        QCOMPARE(item, QStringLiteral("Start Date Task Field"));
        QCOMPARE(x.g->getCells(1, 5), QStringLiteral("K"));
        QCOMPARE(x.g->getCells(2, 5), QStringLiteral("Start Date"));
        QVERIFY(!x.g->getGutterImageVisible(5));
        // Cancel changes nothing.
        MainTaskFld::PageLinks().BrowseTaskField = [](auto&&...) {
            BrowseCommands::FieldChoice c;
            c.result = TUF_Browse::mrCancel;
            return c;
        };
        x.f.Map->BBtn_DSM_TaskFld_BrowseClick();
        QCOMPARE(x.g->getCells(1, 5), QStringLiteral("K"));
    }

    void updateDescriptions()
    {
        MapFixture x({"A", "", "ZZ", "", "b", "", "", "", "ZZZZ"});
        int checks = 0, extractions = 0;
        MainTaskFld::PageLinks().TaskFieldChecksFail = [&] { ++checks; return false; };
        MainTaskFld::PageLinks().ExtractTaskFields = [&] {
            ++extractions;
            sd().setFL_Count(2);
            sd().setFL_TaskFld(1, QStringLiteral("A"));
            sd().setFL_TaskFldDesc(1, QStringLiteral("Task\nName"));
            sd().setFL_TaskFld(2, QStringLiteral("B"));
            sd().setFL_TaskFldDesc(2, QStringLiteral("Start"));
            sd().setFL_Loaded(true);
            return true;
        };
        x.g->setCells(2, 2, QStringLiteral("old"));
        // No: nothing changes and nothing is read.
        x.prompter.answer.modalResult = StdDlg::mrNo;
        x.f.Map->BBtn_DSM_UpdateTaskFldDescClick();
        QCOMPARE(x.prompter.requests.back().msgId, QStringLiteral("MF005"));
        QCOMPARE(extractions, 0);
        QCOMPARE(x.g->getCells(2, 2), QStringLiteral("old"));
        x.prompter.answer.modalResult = StdDlg::mrYes;
        x.f.Map->BBtn_DSM_UpdateTaskFldDescClick();
        QCOMPARE(checks, 2);
        QCOMPARE(extractions, 1);
        QCOMPARE(x.g->getCells(2, 1), QStringLiteral("Task Name"));
        QCOMPARE(x.g->getCells(2, 5), QStringLiteral("Start"));
        QCOMPARE(x.g->getCells(2, 2), QString());
        const StdDlg::Request& report = x.prompter.requests.back();
        QCOMPARE(report.msgId, QStringLiteral("MF006"));
        QCOMPARE(report.level, int(StdDlg::Information));
        QCOMPARE(report.lines, (QStringList{"Task Field Descriptions Updated: 2", "", "Task Fields Not Found: 1", "",
                                            "Invalid Task Fields: 1", "", "Undefined Task Fields: 5"}));
        // With the list loaded no check runs, and an empty map says MF004.
        x.g->ClearCells();
        x.f.Map->BBtn_DSM_UpdateTaskFldDescClick();
        QCOMPARE(checks, 2);
        QCOMPARE(x.prompter.requests.back().msgId, QStringLiteral("MF004"));
        QCOMPARE(x.prompter.requests.back().level, int(StdDlg::Warning));
    }

    void failedReadLeavesTheCache()
    {
        MapFixture x({"A"});
        x.prompter.answer.modalResult = StdDlg::mrYes;
        MainTaskFld::PageLinks().TaskFieldChecksFail = [] { return false; };
        MainTaskFld::PageLinks().ExtractTaskFields = [] { return false; };
        x.g->setCells(2, 1, QStringLiteral("kept"));
        x.f.Map->BBtn_DSM_UpdateTaskFldDescClick();
        QVERIFY(!sd().getFL_Loaded());
        QCOMPARE(x.g->getCells(2, 1), QStringLiteral("kept"));
        QCOMPARE(x.prompter.requests.back().msgId, QStringLiteral("MF005"));
    }

    void autoSizeToggle()
    {
        MapFixture x({});
        x.f.Map->SBtn_DSM_AutoSize->setChecked(true);
        x.f.Map->SBtn_DSM_AutoSizeClick();
        QVERIFY(UP->AutoSizeDSM());
        x.f.Map->SG_DSMUserColWidthChanged();
        QVERIFY(!x.f.Map->SBtn_DSM_AutoSize->isChecked());
        QVERIFY(!UP->AutoSizeDSM());
    }
};

QTEST_MAIN(TstMainMap)
#include "tst_main_map.moc"
