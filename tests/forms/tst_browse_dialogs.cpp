// The three browse dialogs over the active definition's caches: the
// preselection, the results 1, 2 and 4 with their value fields, the close box,
// Enter, an empty list, the columns and totals, Auto Size and Auto Align
// against a fixed work area, a user's resize or move releasing the toggles,
// and the placement and preferences kept on close.
#include "forms_testkit.h"

#include "UF_BrowseFld.h"
#include "UF_BrowseVal.h"
#include "UF_BrowseWS.h"
#include "WorkArea.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using ftk::active;
using ftk::whenShown;

namespace {

void setWorksheets(int wsl, const QStringList& names)
{
    active().setWSL_Count(wsl, int(names.size()));
    for (int i = 0; i < names.size(); ++i)
        active().setWSL_WS(wsl, i + 1, names[i]);
    active().setWSL_Loaded(wsl, true);
}

void setFields(int n)
{
    active().setFL_Count(n);
    for (int i = 1; i <= n; ++i) {
        active().setFL_TaskFld(i, QString(QChar('A' + (i - 1) % 26)));
        active().setFL_TaskFldDesc(i, QStringLiteral("Header %1\nsecond line").arg(i));
        active().setFL_TaskFldValue(i, 1, QStringLiteral("v%1").arg(i));
    }
    active().setFL_Loaded(true);
}

void setValues(int vl, const QStringList& values)
{
    if (active().getVL_Count() < vl)
        active().setVL_Count(vl);
    active().setVL_TaskFldValCount(vl, int(values.size()));
    for (int i = 0; i < values.size(); ++i) {
        active().setVL_TaskFldValue(vl, i + 1, values[i]);
        active().setVL_TaskFldValTaskCount(vl, i + 1, i + 2);
    }
    active().setVL_Total(42);
    active().setVL_Loaded(vl, true);
}

// Counts the times a widget was shown.
struct ShowCounter : QObject {
    int shows = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

} // namespace

class TstBrowseDialogs : public QObject {
    Q_OBJECT
    std::unique_ptr<ftk::Globals> g;
    std::unique_ptr<TUF_BrowseWS> ws;
    std::unique_ptr<TUF_BrowseFld> fld;
    std::unique_ptr<TUF_BrowseVal> val;

private slots:
    void initTestCase()
    {
        g = std::make_unique<ftk::Globals>();
        platform::setWorkArea(QRect(0, 0, 1000, 700));
        ws = std::make_unique<TUF_BrowseWS>();
        fld = std::make_unique<TUF_BrowseFld>();
        val = std::make_unique<TUF_BrowseVal>();
    }
    void cleanupTestCase()
    {
        ws.reset();
        fld.reset();
        val.reset();
        platform::setWorkArea(std::nullopt);
        g.reset();
    }
    void init()
    {
        UP->Reset();
        UP->SetAutoSizeBrowseWS(false);
        UP->SetAutoAlignBrowseWS(false);
    }

    void worksheetPreselectAndSelect_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("row");
        QTest::newRow("later match wins") << "tasks" << 2;
        QTest::newRow("leading blank") << " Tasks" << 3;
        QTest::newRow("no match") << "Other" << 0;
    }
    void worksheetPreselectAndSelect()
    {
        QFETCH(QString, current);
        QFETCH(int, row);
        setWorksheets(1, {"Summary", "Tasks", "TASKS", " Tasks"});
        ws->SetWS(current);
        ws->Populate(UIT(600), UIT(603), 1, 1);
        QCOMPARE(ws->SelectedRow(), row);
        QCOMPARE(ws->windowTitle(), QStringLiteral(" Select Data Source File Task Worksheet "));
        QCOMPARE(ws->HeaderTitles(), (QStringList{" ID ", " Data Source File Worksheet "}));
        QCOMPARE(ws->StatusPanel(0), QStringLiteral(" Total Worksheets "));
        QCOMPARE(ws->StatusPanel(1), QStringLiteral(" 4 "));
        QCOMPARE(ws->List()->toolTip(),
                 QStringLiteral("Select the Task Worksheet.\nShortcut: Double click to use the selected Task Worksheet."));
        whenShown([this] { ws->SelectButton()->click(); });
        QCOMPARE(ws->ShowModal(), 1);
        QCOMPARE(ws->WS, active().getWSL_WS(1, row + 1));
        QCOMPARE(ws->List()->model()->rowCount(), 0); // emptied on close
    }

    void cancelCloseBoxAndEnter()
    {
        setWorksheets(2, {"Project Summary", "Chart Data"});
        ws->SetWS(QStringLiteral("Chart Data"));
        ws->Populate(UIT(605), UIT(609), 2, 3);
        // Enter presses no button; Esc is Cancel, which empties the value.
        whenShown([this] {
            QTest::keyClick(ws->List(), Qt::Key_Return);
            QVERIFY(ws->isVisible());
            QTest::keyClick(ws.get(), Qt::Key_Escape);
        });
        QCOMPARE(ws->ShowModal(), 2);
        QCOMPARE(ws->WS, QString());

        // The close box returns 2 and keeps the value.
        ws->SetWS(QStringLiteral("Chart Data"));
        ws->Populate(UIT(605), UIT(609), 2, 3);
        whenShown([this] { ws->close(); });
        QCOMPARE(ws->ShowModal(), 2);
        QCOMPARE(ws->WS, QStringLiteral("Chart Data"));
    }

    void refreshClearsLoaded()
    {
        setWorksheets(1, {"Tasks"});
        ws->Populate(UIT(600), UIT(603), 1, 1);
        whenShown([this] { ws->RefreshButton()->click(); });
        QCOMPARE(ws->ShowModal(), 4);
        QVERIFY(!active().getWSL_Loaded(1));
    }

    void doubleClickSelects()
    {
        setWorksheets(1, {"A", "B"});
        ws->SetWS(QStringLiteral("B"));
        ws->Populate(UIT(600), UIT(603), 1, 1);
        whenShown([this] {
            const QRect r = ws->List()->visualRect(ws->List()->model()->index(1, 1));
            // The view takes a double click on the row it was pressed on.
            QTest::mousePress(ws->List()->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(ws->List()->viewport(), Qt::LeftButton, {}, r.center());
        });
        QCOMPARE(ws->ShowModal(), 1);
        QCOMPARE(ws->WS, QStringLiteral("B"));
    }

    void emptyListNeverShows()
    {
        setWorksheets(1, {});
        ws->Populate(UIT(600), UIT(603), 1, 1);
        ShowCounter counter;
        ws->installEventFilter(&counter);
        QCOMPARE(ws->ShowModal(), 2);
        ws->removeEventFilter(&counter);
        QCOMPARE(counter.shows, 0);
        QCOMPARE(ws->StatusPanel(1), QStringLiteral(" 0 "));
    }

    void taskFieldsColumnsAndChoice()
    {
        // The list is sized for the preference as it stands when read.
        UP->SetImportTaskFldValueCount(5);
        setFields(4);
        UP->SetImportTaskFldValueCount(0);
        fld->SetTaskFld(QStringLiteral(" c "));
        QCOMPARE(fld->TaskFld, QStringLiteral("C"));
        fld->Populate(UIT(177), 2, QStringLiteral("ID [1] Task Field"));
        QCOMPARE(fld->HeaderTitles().size(), 3);
        QCOMPARE(fld->SelectedRow(), 2);
        UP->SetImportTaskFldValueCount(5);
        fld->Populate(UIT(177), 2, QStringLiteral("ID [1] Task Field"));
        QCOMPARE(fld->HeaderTitles().size(), 8);
        QCOMPARE(fld->HeaderTitles().at(3), QStringLiteral(" Task 1: Field Value "));
        QCOMPARE(fld->List()->model()->index(1, 2).data().toString(), QStringLiteral(" Header 2 second line "));
        QCOMPARE(fld->List()->model()->index(1, 3).data().toString(), QStringLiteral(" v2 "));
        QCOMPARE(fld->StatusPanel(1), QStringLiteral(" 4 "));

        UP->SetImportTaskFldDesc(true);
        whenShown([this] {
            QVERIFY(fld->ImportCheckBox()->isChecked());
            fld->ImportCheckBox()->click(); // the preference follows at once
            QVERIFY(!UP->ImportTaskFldDesc());
            fld->SelectRow(1);
            fld->SelectButton()->click();
        });
        QCOMPARE(fld->ShowModal(), 1);
        QCOMPARE(fld->GetTaskFld(), QStringLiteral("B"));
        QCOMPARE(fld->GetTaskFldDesc(), QStringLiteral("Header 2\nsecond line"));
        QVERIFY(!fld->ImportDesc);

        fld->Populate(UIT(177), 2, QString());
        whenShown([this] { fld->CancelButton()->click(); });
        QCOMPARE(fld->ShowModal(), 2);
        QVERIFY(fld->TaskFld.isEmpty() && fld->TaskFldDesc.isEmpty() && !fld->ImportDesc);
    }

    void valuesTotalsAndRefresh()
    {
        setValues(2, {"North", "South", "north "});
        val->SetTaskFldValue(QStringLiteral("NORTH"));
        val->Populate(2);
        QCOMPARE(val->SelectedRow(), 2); // trimmed, ignoring case, the last match
        QCOMPARE(val->windowTitle(), QStringLiteral(" Select Data Source Filter Task Field Value "));
        QCOMPARE(val->StatusPanel(0), QStringLiteral(" Total Task Field Values "));
        QCOMPARE(val->StatusPanel(1), QStringLiteral(" 3 "));
        QCOMPARE(val->StatusPanel(2), QStringLiteral(" Total Tasks "));
        QCOMPARE(val->StatusPanel(3), QStringLiteral(" 42 "));
        QCOMPARE(val->List()->model()->index(1, 2).data().toString(), QStringLiteral(" 3 "));
        whenShown([this] { val->RefreshButton()->click(); });
        QCOMPARE(val->ShowModal(), 4);
        QVERIFY(!active().getVL_Loaded(2));
    }

    // Fifty rows on a small work area: cut to its height, the minimum
    // lowered to it; Auto Align then puts the top-right corner at the anchor.
    void autoSizeAndAlign()
    {
        platform::setWorkArea(QRect(0, 0, 900, 300));
        QStringList names;
        for (int i = 1; i <= 50; ++i)
            names << QStringLiteral("Sheet %1").arg(i);
        setWorksheets(1, names);
        UP->SetAutoSizeBrowseWS(true);
        UP->SetAutoAlignBrowseWS(false);
        ws->Populate(UIT(600), UIT(603), 1, 1, QPoint(700, 50));
        QRect seen;
        int autoHeight = 0;
        whenShown([&] {
            seen = ws->frameGeometry();
            autoHeight = ws->AutoHeight();
            ws->CancelButton()->click();
        });
        ws->ShowModal();
        QCOMPARE(seen.height(), 300);
        QCOMPARE(autoHeight, 300);
        QVERIFY(seen.top() >= 0 && seen.bottom() < 300);

        // Few rows and Auto Align: the top-right corner at the anchor.
        platform::setWorkArea(QRect(0, 0, 1000, 700));
        setWorksheets(1, {"Summary", "Tasks"});
        UP->SetAutoAlignBrowseWS(true);
        ws->Populate(UIT(600), UIT(603), 1, 1, QPoint(700, 50));
        whenShown([&] {
            seen = ws->frameGeometry();
            autoHeight = ws->AutoHeight();
            ws->CancelButton()->click();
        });
        ws->ShowModal();
        QCOMPARE(seen.topRight(), QPoint(699, 50));
        QCOMPARE(seen.height(), autoHeight);
        QVERIFY(seen.height() < 300);
    }

    // A user's resize releases both toggles and stores Auto Size off at once;
    // a move releases Auto Align only while the dialog keeps its auto size.
    void userDragReleasesToggles()
    {
        setWorksheets(1, {"Summary", "Tasks"});
        UP->SetAutoSizeBrowseWS(true);
        UP->SetAutoAlignBrowseWS(true);
        ws->Populate(UIT(600), UIT(603), 1, 1, QPoint(700, 50));
        bool sizeDown = true, alignDown = true;
        whenShown([&] {
            ws->move(ws->pos() + QPoint(-30, 20));
            alignDown = ws->AutoAlignButton()->isChecked();
            sizeDown = ws->AutoSizeButton()->isChecked();
            ws->CancelButton()->click();
        });
        ws->ShowModal();
        QVERIFY(!alignDown);
        QVERIFY(sizeDown);
        QVERIFY(UP->AutoSizeBrowseWS());
        QVERIFY(!UP->AutoAlignBrowseWS()); // the button's state, stored on close

        UP->SetAutoAlignBrowseWS(true);
        ws->Populate(UIT(600), UIT(603), 1, 1, QPoint(700, 50));
        bool storedDuringDrag = true;
        whenShown([&] {
            ws->resize(ws->size() + QSize(40, 40));
            alignDown = ws->AutoAlignButton()->isChecked();
            sizeDown = ws->AutoSizeButton()->isChecked();
            storedDuringDrag = UP->AutoSizeBrowseWS();
            ws->CancelButton()->click();
        });
        ws->ShowModal();
        QVERIFY(!alignDown && !sizeDown && !storedDuringDrag);

        // Switching Auto Size on again fits the dialog once more.
        ws->Populate(UIT(600), UIT(603), 1, 1, QPoint(700, 50));
        QSize fitted;
        whenShown([&] {
            ws->resize(600, 500);
            ws->AutoSizeButton()->click();
            fitted = ws->frameGeometry().size();
            ws->CancelButton()->click();
        });
        ws->ShowModal();
        QCOMPARE(fitted.height(), ws->AutoHeight());
        QVERIFY(fitted.height() < 500);
    }

    // Closing keeps the placement in record 4.
    void placementKept()
    {
        setWorksheets(1, {"Summary", "Tasks"});
        UP->SetAutoSizeBrowseWS(false);
        UP->SetAutoAlignBrowseWS(false);
        ws->Populate(UIT(600), UIT(603), 1, 1);
        QRect frame;
        whenShown([&] {
            ws->setGeometry(120, 80, 520, 410);
            frame = ws->frameGeometry();
            ws->CancelButton()->click();
        });
        ws->ShowModal();
        // The record holds the frame's bounds.
        const TzyWM& wm = WMs->getItems(wmBrowseWS);
        QCOMPARE(QRect(wm.Left(), wm.Top(), wm.Width(), wm.Height()), frame);
        // A new dialog placed from the record stands where the old one stood.
        TUF_BrowseWS again;
        again.Populate(UIT(600), UIT(603), 1, 1);
        QRect seen;
        whenShown([&] {
            seen = again.geometry();
            again.CancelButton()->click();
        });
        again.ShowModal();
        QCOMPARE(seen, QRect(120, 80, 520, 410));
    }

    // A reset position centres the dialog once, before Auto Align.
    void positionResetCentres()
    {
        setWorksheets(1, {"Summary", "Tasks"});
        WMs->getItems(wmBrowseWS).SetFormPositionReset(true);
        ws->Populate(UIT(600), UIT(603), 1, 1);
        QRect seen;
        whenShown([&] {
            seen = ws->frameGeometry();
            ws->CancelButton()->click();
        });
        ws->ShowModal();
        QVERIFY(!WMs->getItems(wmBrowseWS).FormPositionReset());
        QVERIFY(qAbs(seen.center().x() - 500) <= 1);
        QVERIFY(qAbs(seen.center().y() - 350) <= 1);
    }
};

QTEST_MAIN(TstBrowseDialogs)
#include "tst_browse_dialogs.moc"
