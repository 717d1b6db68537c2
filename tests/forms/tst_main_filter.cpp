// The Data Source Filter page on the real main form: the row commands and
// their link rules, the combo boxes ("Please Select...", keys that leave
// them), the row tests in the gutter, the value header's colour, Enable,
// Refresh, Clear, the browses with fake dialogs, save and load.
#include "BalloonHint.h"
#include "FieldIndicator.h"
#include "FormsTestKit.h"
#include "UF_Browse.h"
#include "UF_Main.h"
#include "UF_MainFilter.h"
#include "UF_MainTaskFld.h"
#include "X11Keys.h"
#include "zyColors.h"
#include "zyGrid.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

TzySD& sd() { return SDs->getItems(SDs->ActiveSD()); }

struct FilterRow {
    bool andFlag;
    const char* tf;
    int op;
    const char* value;
};

// The main form on the filter page, the filter enabled with `rows`.
struct FilterFixture {
    formskit::Globals globals;
    formskit::Prompter prompter;
    TUF_Main f;
    TUF_MainFilter* p;
    TzyGrid* g;
    explicit FilterFixture(std::initializer_list<FilterRow> rows, bool enabled = true)
    {
        sd().DSF.SetEnabled(enabled);
        for (const FilterRow& r : rows) {
            TzyDSFx& x = sd().DSF.getItems(sd().DSF.Add());
            x.SetAndFlag(r.andFlag);
            x.SetTaskFld(QString::fromLatin1(r.tf));
            x.SetFilterOperator(r.op);
            x.SetTaskFldValue(QString::fromLatin1(r.value));
        }
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.GoToPage(3);
        p = f.Filter.get();
        g = p->SG_DSF;
    }
    ~FilterFixture() { MainTaskFld::ResetPageLinks(); }
    // "link|tf|op" per row.
    QString rows() const
    {
        QStringList out;
        for (int r = 1; r <= 5; ++r)
            out << g->getCells(1, r) + "|" + g->getCells(2, r) + "|" + g->getCells(4, r);
        return out.join(QLatin1Char('/'));
    }
    QString flagged() const
    {
        QStringList s;
        for (int r = 1; r <= 5; ++r)
            if (g->getGutterImageVisible(r))
                s << QString::number(r);
        return s.join(QLatin1Char(','));
    }
};

const FilterRow kA{false, "A", foEquals, "1"};
const FilterRow kB{false, "B", foContains, "x"};
const FilterRow kC{true, "C", foIsBlank, ""};

} // namespace

class TstMainFilter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { formskit::FixLook(); }

    void loadsTheFilter()
    {
        FilterFixture x({kA, kB, kC});
        QCOMPARE(x.rows(), QStringLiteral("|A|Equals/Or|B|Contains/And|C|Is Blank/||/||"));
        QCOMPARE(x.g->getCellDDLItemIndex(4, 2), foContains + 1);
        QVERIFY(x.p->SBtn_DSF_Enable->isChecked());
        QCOMPARE(x.flagged(), QString());
    }

    void insertAndDelete()
    {
        FilterFixture x({kA, kB, kC});
        x.g->MoveToCell(2, 1);
        x.p->BBtn_DSF_InsertClick();
        QVERIFY(x.prompter.requests.empty()); // row 5 was empty
        QCOMPARE(x.rows(), QStringLiteral("||/And|A|Equals/Or|B|Contains/And|C|Is Blank/||"));
        x.p->BBtn_DSF_DeleteClick();
        QCOMPARE(x.rows(), QStringLiteral("|A|Equals/Or|B|Contains/And|C|Is Blank/||/||"));
        // A full grid asks first; No keeps it.
        x.g->MoveToCell(2, 2);
        for (int i = 0; i < 2; ++i)
            x.p->BBtn_DSF_InsertClick();
        x.g->setCells(2, 2, QStringLiteral("D"));
        x.g->setCells(2, 3, QStringLiteral("E"));
        x.prompter.answer.modalResult = StdDlg::mrNo;
        const QString full = x.rows();
        x.p->BBtn_DSF_InsertClick();
        QCOMPARE(x.prompter.requests.back().msgId, QStringLiteral("MF002"));
        QCOMPARE(x.rows(), full);
        x.prompter.answer.modalResult = StdDlg::mrYes;
        x.p->BBtn_DSF_InsertClick();
        QCOMPARE(x.g->getCells(2, 5), QStringLiteral("B")); // row 5 (C) was pushed out
    }

    void moveUpAndDown()
    {
        FilterFixture x({kA, kB, kC});
        x.g->MoveToCell(4, 2);
        QVERIFY(x.p->DDL_DSF_FilterOperator->isVisible());
        x.p->BBtn_DSF_MoveUpClick();
        QCOMPARE(x.g->Row(), 1);
        QCOMPARE(x.rows(), QStringLiteral("|B|Contains/And|A|Equals/And|C|Is Blank/||/||"));
        // The open list followed its row instead of writing into the old cell.
        QCOMPARE(x.p->DDL_DSF_FilterOperator->currentText(), QStringLiteral("Contains"));
        QVERIFY(!x.p->BBtn_DSF_MoveUp->isEnabled());
        x.p->BBtn_DSF_MoveDownClick();
        QCOMPARE(x.g->Row(), 2);
        QCOMPARE(x.rows(), QStringLiteral("|A|Equals/And|B|Contains/And|C|Is Blank/||/||"));
        x.g->MoveToCell(1, 3);
        x.p->BBtn_DSF_MoveUpClick();
        QCOMPARE(x.rows(), QStringLiteral("|A|Equals/And|C|Is Blank/And|B|Contains/||/||"));
        QCOMPARE(x.g->Col(), 1);
        QCOMPARE(x.g->Row(), 2);
    }

    void pleaseSelectEmptiesTheLink()
    {
        FilterFixture x({kA, kB, kC});
        x.g->MoveToCell(1, 3);
        QComboBox* cb = x.p->DDL_DSF_AndFlag;
        QVERIFY(cb->isVisible());
        cb->setCurrentIndex(0);
        emit cb->activated(0);
        QCOMPARE(x.g->getCells(1, 3), QString());
        QCOMPARE(x.flagged(), QStringLiteral("3"));
        QCOMPARE(x.g->getGutterImageHint(3),
                 QStringLiteral("The ID [3] Task Field And/Or is undefined.\nThis row is invalid, and will not be processed."));
        // Leaving the page with the list still on the cell stores And.
        x.f.SavePage3();
        QCOMPARE(sd().DSF.Count(), 3);
        QVERIFY(sd().DSF.getItems(3).AndFlag);
    }

    // Editing keys pass the grid's key filter whatever text X11 gives them,
    // over the cell and in the F2 editor.
    void editingKeys_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::newRow("task field: Delete") << 2 << "AB" << "Delete" << "";
        QTest::newRow("task field: F2, Delete") << 2 << "ABC" << "F2 Home Delete Return" << "BC";
        QTest::newRow("task field: F2, Backspace") << 2 << "ABC" << "F2 End Backspace Return" << "AB";
        QTest::newRow("task field: F2, Shift+End, Delete") << 2 << "AB" << "F2 Home Shift+End Delete Return" << "";
        QTest::newRow("description: Delete") << 3 << "Area" << "Delete" << "";
        QTest::newRow("description: F2, Delete") << 3 << "Area" << "F2 Home Delete Return" << "rea";
        QTest::newRow("value: Delete") << 5 << "North" << "Delete" << "";
        QTest::newRow("value: F2, Left, Delete") << 5 << "North" << "F2 End Left Delete Return" << "Nort";
    }
    void editingKeys()
    {
        QFETCH(int, col);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        FilterFixture x({kA, kB});
        x.g->setCells(col, 1, before);
        x.g->setFocus();
        QTRY_VERIFY(x.g->hasFocus());
        x.g->MoveToCell(col, 1);
        x11keys::play(keys);
        QCOMPARE(x.g->getCells(col, 1), after);
        QVERIFY2(!x.f.BH_Main->IsShown(), qPrintable(x.f.BH_Main->Description()));
    }

    // The user empties row 3's link or operator in its list ("Please
    // Select...", chosen with the keyboard) and leaves the page with the list
    // still on the cell: by a click on another tab, by Ctrl+Tab, or by
    // Process. The row is stored with And or Equals, not lost.
    void leavingThePageWithAnOpenList_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("road");
        for (const QString road : {"tab click", "Ctrl+Tab", "Process"}) {
            QTest::newRow(qPrintable("And/Or list, " + road)) << 1 << road;
            QTest::newRow(qPrintable("operator list, " + road)) << 4 << road;
        }
    }
    void leavingThePageWithAnOpenList()
    {
        QFETCH(int, col);
        QFETCH(QString, road);
        FilterFixture x({kA, kB, kC});
        UP->SetPromptOnProcess(true);
        x.prompter.answer.modalResult = StdDlg::mrNo; // Process stops after saving the page
        x.g->setFocus();
        x.g->MoveToCell(col, 3);
        QComboBox* list = col == 1 ? x.p->DDL_DSF_AndFlag : x.p->DDL_DSF_FilterOperator;
        QTRY_VERIFY(list->hasFocus());
        x11keys::play(QStringLiteral("Home"));
        QCOMPARE(list->currentIndex(), 0);
        QCOMPARE(x.g->getCells(col, 3), QString());
        if (road == QLatin1String("tab click")) {
            QTabBar* tabs = x.f.PC_Main->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(0).center());
        } else if (road == QLatin1String("Ctrl+Tab")) {
            x11keys::play(QStringLiteral("Ctrl+Tab"));
        } else {
            QTest::mouseClick(x.f.BBtn_Process, Qt::LeftButton);
            QCOMPARE(x.prompter.requests.back().msgId, QStringLiteral("MF010"));
        }
        QCOMPARE(x.f.PC_Main->currentIndex(), road == QLatin1String("Process") ? 3 : 0);
        QCOMPARE(sd().DSF.Count(), 3);
        const TzyDSFx& row = sd().DSF.getItems(3);
        QCOMPARE(row.GetTaskFld(), QStringLiteral("C"));
        QVERIFY(row.AndFlag);
        QCOMPARE(int(row.FilterOperator), col == 4 ? int(foEquals) : int(foIsBlank));
    }

    void valueHeaderFollowsTheOperator()
    {
        FilterFixture x({kA, kB, kC});
        x.g->MoveToCell(2, 1);
        QCOMPARE(x.g->getHeaderCellFontColor(5), zyColor::clWindowText());
        x.g->MoveToCell(2, 2);
        QCOMPARE(x.g->getHeaderCellFontColor(5), zyColor::clMaroon());
        x.g->MoveToCell(2, 3);
        QCOMPARE(x.g->getHeaderCellFontColor(5), zyColor::clGrayText());
    }

    void rowTestsAndDefaults()
    {
        FilterFixture x({kA});
        // A task field typed into an empty row gets And and Equals.
        x.g->MoveToCell(2, 2);
        x.g->InternalSetCell(2, 2, QStringLiteral("A"), true);
        QCOMPARE(x.rows().section('/', 1, 1), QStringLiteral("And|A|Equals"));
        QCOMPARE(x.flagged(), QStringLiteral("2"));
        QCOMPARE(x.g->getGutterImageHint(2), QStringLiteral("The ID [2] Filter Row is mutually exclusive with the ID [1] Filter Row."));
        x.g->InternalSetCell(3, 3, QStringLiteral("only a description"), true);
        QCOMPARE(x.flagged(), QStringLiteral("2,3"));
        x.g->InternalSetCell(5, 2, QStringLiteral("1"), true);
        QCOMPARE(x.g->getGutterImageHint(2), QStringLiteral("The ID [2] Filter Row is the same as the ID [1] Filter Row."));
        // Refresh removes the row without a task field.
        x.p->BBtn_DSF_RefreshClick();
        QCOMPARE(x.g->getCells(3, 3), QString());
        QCOMPARE(x.g->Row(), 1);
    }

    void enableAndUndefined()
    {
        FilterFixture x({}, false);
        QVERIFY(!x.g->Enabled());
        QVERIFY(!x.p->BBtn_DSF_Insert->isEnabled());
        x.p->SBtn_DSF_Enable->setChecked(true);
        x.p->SBtn_DSF_EnableClick();
        QVERIFY(x.g->Enabled());
        QCOMPARE(x.p->Img_DSF_T->Tag(), FieldIndicator::WarningShown);
        QCOMPARE(x.p->Img_DSF_T->Hint(), QStringLiteral("The Data Source Filter is enabled, but undefined."));
        x.g->InternalSetCell(3, 1, QStringLiteral("stray"), true);
        x.g->MoveToCell(2, 2); // defaults go to the current row only
        x.g->InternalSetCell(2, 2, QStringLiteral("B"), true);
        x.p->SBtn_DSF_Enable->setChecked(false);
        x.p->SBtn_DSF_EnableClick();
        QCOMPARE(x.p->Img_DSF_T->Tag(), FieldIndicator::NoWarningShown);
        QCOMPARE(x.rows(), QStringLiteral("|B|Equals/||/||/||/||")); // compacted
        x.f.SavePage3();
        QVERIFY(!sd().DSF.Enabled());
        QCOMPARE(sd().DSF.Count(), 1);
    }

    void clearAsksFirst()
    {
        FilterFixture x({kA, kB});
        x.prompter.answer.modalResult = StdDlg::mrNo;
        x.p->BBtn_DSF_ClearClick();
        QCOMPARE(x.prompter.requests.back().msgId, QStringLiteral("MF003"));
        QCOMPARE(x.g->getCells(2, 2), QStringLiteral("B"));
        x.prompter.answer.modalResult = StdDlg::mrYes;
        x.p->BBtn_DSF_ClearClick();
        QVERIFY(x.g->IsEmpty());
        const size_t asked = x.prompter.requests.size();
        x.p->BBtn_DSF_ClearClick(); // an empty grid is cleared without a question
        QCOMPARE(x.prompter.requests.size(), asked);
    }

    void saveNeverStoresIncompleteRows()
    {
        FilterFixture x({kA});
        x.g->MoveToCell(3, 1);
        x.g->InternalSetCell(2, 3, QStringLiteral("C"), true);  // defaults make it complete
        x.g->setCells(4, 3, QString());                          // then its operator is emptied
        x.g->setCellDDLItemIndex(4, 3, -1);
        x.g->InternalSetCell(4, 4, QStringLiteral("Equals"), true); // an operator alone
        x.f.SavePage3();
        QCOMPARE(sd().DSF.Count(), 1);
        QCOMPARE(x.g->getCellDDLItemIndex(1, 3), -1);
        // What is stored loads back the same.
        x.f.LoadPage3();
        QCOMPARE(x.rows(), QStringLiteral("|A|Equals/||/||/||/||"));
        QCOMPARE(sd().DSF.getItems(1).TaskFldValue, QStringLiteral("1"));
    }

    // Pasted rows skip the read-only filler; a pasted operator text is stored
    // as the operator it names, and one that names none keeps the row out.
    void pasteIntoTheGrid()
    {
        FilterFixture x({kA});
        x.g->MoveToCell(1, 2);
        QGuiApplication::clipboard()->setText(QStringLiteral("or\tB\tdesc\tcontains\tv\tfiller"));
        x.g->PasteFromClipboard();
        QCOMPARE(x.g->getCells(6, 2), QString());
        QCOMPARE(x.g->getCells(4, 2), QStringLiteral("contains"));
        QCOMPARE(x.flagged(), QString());
        x.g->MoveToCell(2, 3);
        QGuiApplication::clipboard()->setText(QStringLiteral("C\t\tsometimes\tv"));
        x.g->PasteFromClipboard();
        QCOMPARE(x.flagged(), QStringLiteral("3"));
        QCOMPARE(x.g->getGutterImageHint(3), QStringLiteral("The ID [3] Task Field Filter Operator is undefined.\n"
                                                           "This row is invalid, and will not be processed."));
        x.f.SavePage3();
        QCOMPARE(sd().DSF.Count(), 2);
        QCOMPARE(int(sd().DSF.getItems(2).FilterOperator), int(foContains));
        QVERIFY(!sd().DSF.getItems(2).AndFlag);
    }

    void keysLeaveTheComboBoxes()
    {
        FilterFixture x({kA, kB});
        x.g->setFocus();
        x.g->MoveToCell(4, 2);
        QComboBox* op = x.p->DDL_DSF_FilterOperator;
        QVERIFY(op->hasFocus());
        QTest::keyClick(op, Qt::Key_Right);
        QCOMPARE(x.g->Col(), 5);
        QCOMPARE(x.g->getCells(4, 2), QStringLiteral("Contains")); // the key did not change the list
        x.g->MoveToCell(4, 2);
        QTest::keyClick(op, Qt::Key_Left);
        QCOMPARE(x.g->Col(), 3);
        x.g->MoveToCell(4, 2);
        QTest::keyClick(op, Qt::Key_Tab);
        QCOMPARE(x.g->Col(), 5);
        x.g->MoveToCell(4, 2);
        QTest::keyClick(op, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(x.g->Col(), 3);
        x.g->MoveToCell(4, 2);
        QTest::keyClick(op, Qt::Key_Return);
        QCOMPARE(x.g->Col(), 5);
        x.g->MoveToCell(1, 2);
        QVERIFY(x.p->DDL_DSF_AndFlag->hasFocus());
        QTest::keyClick(x.p->DDL_DSF_AndFlag, Qt::Key_Left);
        QCOMPARE(x.g->Col(), 5);
        QCOMPARE(x.g->Row(), 1);
    }

    void browses()
    {
        FilterFixture x({kA});
        QString caption, item, valueField, valueCurrent;
        MainTaskFld::PageLinks().BrowseTaskField = [&](const QString&, const QString& cap, int align,
                                                       const QString& itemName, std::optional<QPoint>) {
            caption = cap;
            item = itemName;
            BrowseCommands::FieldChoice c;
            c.result = TUF_Browse::mrSelect;
            c.taskFld = QStringLiteral("H");
            c.desc = QStringLiteral("Area\nCode");
            c.importDesc = align == 2;
            return c;
        };
        x.g->MoveToCell(2, 2);
        x.p->BBtn_DSF_TaskFld_BrowseClick();
        QCOMPARE(caption, QStringLiteral("Select Data Source Filter Task Field"));
        QCOMPARE(item, QStringLiteral("ID [2] Task Field"));
        QCOMPARE(x.rows().section('/', 1, 1), QStringLiteral("And|H|Equals"));
        QCOMPARE(x.g->getCells(3, 2), QStringLiteral("Area Code"));
        MainTaskFld::PageLinks().BrowseTaskFieldValue = [&](const QString& taskFld, const QString& fieldName,
                                                            const QString& current, std::optional<QPoint>) {
            valueField = taskFld + ":" + fieldName;
            valueCurrent = current;
            BrowseCommands::ValueChoice c;
            c.result = TUF_Browse::mrSelect;
            c.value = QStringLiteral("North ");
            return c;
        };
        x.g->MoveToCell(5, 2);
        x.g->setCells(5, 2, QStringLiteral("south"));
        x.p->BBtn_DSF_TaskFldValue_BrowseClick();
        QCOMPARE(valueField, QStringLiteral("H:ID [2] Task Field"));
        QCOMPARE(valueCurrent, QStringLiteral("SOUTH"));
        QCOMPARE(x.g->getCells(5, 2), QStringLiteral("North "));
    }

    void updateDescriptionsCountsEmptyRows()
    {
        FilterFixture x({kA, kB});
        x.prompter.answer.modalResult = StdDlg::mrYes;
        sd().setFL_Count(1);
        sd().setFL_TaskFld(1, QStringLiteral("A"));
        sd().setFL_TaskFldDesc(1, QStringLiteral("Activity"));
        sd().setFL_Loaded(true);
        x.p->BBtn_DSF_UpdateTaskFldDescClick();
        QCOMPARE(x.prompter.requests.back().msgId, QStringLiteral("MF009"));
        QCOMPARE(x.prompter.requests.back().lines,
                 (QStringList{"Task Field Descriptions Updated: 1", "", "Task Fields Not Found: 1", "",
                              "Undefined Task Fields: 3"}));
        QCOMPARE(x.g->getCells(3, 1), QStringLiteral("Activity"));
    }
};

QTEST_MAIN(TstMainFilter)
#include "tst_main_filter.moc"
