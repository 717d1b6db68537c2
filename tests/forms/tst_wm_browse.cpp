// The browse dialogs opened from the main form's grids under a real window
// manager (a private Xvfb display with openbox). Opened again and again, the
// task field browse keeps Auto Align down and its preference on: the
// manager's own moves while it maps and frames the window are not the user's.
// Its frame's top stands just below the row it was opened from, so the title
// bar covers nothing of it. The in-grid browses are anchored 4 pixels right
// of their in-grid button.
#include "FormsTestKit.h"
#include "FramePlace.h"
#include "UF_BrowseFld.h"
#include "UF_Main.h"
#include "UF_MainFilter.h"
#include "UF_MainMap.h"
#include "UF_MainTaskFld.h"
#include "WmDisplay.h"
#include "zyGrid.h"

#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace {

TzySD& sd() { return SDs->getItems(SDs->ActiveSD()); }

// The main form, its record putting the frame at (329, 100) with its default
// size (where the frame stands once its thickness is known), a Data
// Source File named and one filter row, so the map and filter pages are on.
struct MainOnScreen {
    formskit::Globals globals;
    formskit::Prompter prompter;
    std::unique_ptr<TUF_Main> form;

    MainOnScreen()
    {
        TzyWM& wm = WMs->getItems(wmMain);
        wm.SetLeft(329);
        wm.SetTop(100);
        wm.SetWidth(700);
        wm.SetHeight(650);
        sd().SCF.SetDataSourceFile(QStringLiteral("/d/plan.xlsx"));
        form = std::make_unique<TUF_Main>();
        form->LoadPage0();
        sd().DSF.SetEnabled(true);
        TzyDSFx& x = sd().DSF.getItems(sd().DSF.Add());
        x.SetTaskFld(QStringLiteral("A"));
        x.SetFilterOperator(foEquals);
        x.SetTaskFldValue(QStringLiteral("1"));
        form->show();
    }
    ~MainOnScreen()
    {
        MainTaskFld::ResetPageLinks();
        UP->SetPromptOnExit(false);
        form->close();
        form.reset();
    }
    QString where() const
    {
        const FramePlace& fp = FramePlace::Of(form.get());
        const QMargins mg = fp.Margins();
        return QStringLiteral("main frame %1, wanted %2, margins %3 %4 %5 %6, minimum %7x%8, expected %9, %10")
            .arg(text(form->frameGeometry()), text(fp.Wanted()))
            .arg(mg.left()).arg(mg.top()).arg(mg.right()).arg(mg.bottom())
            .arg(form->minimumWidth()).arg(form->minimumHeight())
            .arg(text(kMainFrame), WmDisplay::whereItStands(form.get()));
    }
    bool framed() const { return form->isVisible() && form->frameGeometry() != form->geometry(); }
    // Framed, settled and where the program last put it: its last fit to the
    // real frame has arrived (a cell measured earlier on a busy machine may
    // still move with it). Where it then stands is compared at once: waiting
    // longer would not move it to the figures expected.
    bool arrived() const
    {
        const FramePlace& fp = FramePlace::Of(form.get());
        return framed() && fp.Decorated() && fp.Settled() && fp.Frame() == fp.Wanted()
               && form->frameGeometry() == fp.Wanted();
    }
    // Arrived and at rest: a cell or a button measured before could still
    // move with a late report of the manager's first placement.
    bool atRest() const { return arrived() && WmDisplay::atRest(form.get()); }
    static QString text(const QRect& r)
    {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    static constexpr QRect kMainFrame{329, 100, 700, 650};
};

// A grid's cell on the screen.
QRect cellOnScreen(TzyGrid* g, int col, int row)
{
    const QRect r = g->GridToClient(g->CellRect(col, row)).toQRect();
    return QRect(g->viewport()->mapToGlobal(r.topLeft()), r.size());
}

} // namespace

class TestWmBrowse : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        formskit::FixLook();
        platform::setWorkArea(std::nullopt);
    }

    // Nine openings from the map grid's third row: Auto Align stays down
    // each time, the preference is never stored off, the frame's top stands
    // on the first pixel row under the cell and, the dialog being wider than
    // the room left of the anchor, its left edge on the work area's.
    void taskFieldBrowseKeepsAutoAlign()
    {
        MainOnScreen m;
        QVERIFY2(QTest::qWaitFor([&] { return m.arrived(); }, 30000), qPrintable(m.where()));
        QVERIFY2(m.form->frameGeometry() == MainOnScreen::kMainFrame, qPrintable(m.where()));
        UP->SetAutoAlignBrowseFld(true);
        UP->SetAutoSizeBrowseFld(true);
        UP->Save();
        BrowseCommands::CreateBrowseForms();
        MainTaskFld::PageLinks().BrowseTaskField = [](const QString& current, const QString& caption, int align,
                                                      const QString& item, std::optional<QPoint> anchor) {
            UF_BrowseFld->SetTaskFld(current);
            UF_BrowseFld->Populate(caption, align, item, anchor);
            BrowseCommands::FieldChoice c;
            c.result = UF_BrowseFld->ShowModal();
            return c;
        };
        m.form->GoToPage(2);
        sd().setFL_Count(3);
        for (int i = 1; i <= 3; ++i) {
            sd().setFL_TaskFld(i, QString(QChar('A' + i - 1)));
            sd().setFL_TaskFldDesc(i, QStringLiteral("Header %1").arg(i));
        }
        sd().setFL_Loaded(true);
        TzyGrid* grid = m.form->Map->SG_DSM;
        grid->setFocus();
        grid->MoveToCell(1, 3);
        QPushButton* button = m.form->Map->BBtn_DSM_TaskFld_Browse;
        QTRY_VERIFY_WITH_TIMEOUT(button->isVisible(), 30000);
        QVERIFY2(QTest::qWaitFor([&] { return m.atRest(); }, 30000), qPrintable(m.where()));
        const QRect cell = cellOnScreen(grid, 1, 3);
        const QRect wa = QGuiApplication::primaryScreen()->availableGeometry();

        for (int opening = 1; opening <= 9; ++opening) {
            bool shown = false, alignDown = false;
            QRect frame;
            QString seen;
            QTimer::singleShot(0, [&] {
                TUF_Browse* d = UF_BrowseFld;
                // Framed, settled and where the dialog put itself; whether
                // that is below the row is compared once it got there.
                const auto arrived = [&] {
                    const FramePlace& fp = FramePlace::Of(d);
                    return d->isVisible() && d->frameGeometry() != d->geometry() && fp.Decorated() && fp.Settled()
                           && d->frameGeometry() == fp.Wanted();
                };
                shown = QTest::qWaitFor(arrived, 30000);
                // Whatever the manager still has to say about the window
                // arrives meanwhile.
                QTest::qWait(300);
                frame = d->frameGeometry();
                const FramePlace& fp = FramePlace::Of(d);
                const QMargins mg = fp.Margins();
                seen = QStringLiteral("client %1,%2 %3x%4, wanted %5,%6 %7x%8, margins %9 %10 %11 %12")
                           .arg(d->x()).arg(d->y()).arg(d->width()).arg(d->height())
                           .arg(fp.Wanted().x()).arg(fp.Wanted().y()).arg(fp.Wanted().width())
                           .arg(fp.Wanted().height())
                           .arg(mg.left()).arg(mg.top()).arg(mg.right()).arg(mg.bottom());
                const QRect now = cellOnScreen(grid, 1, 3);
                seen += QStringLiteral(", anchor %1,%2, cell now %3..%4").arg(d->Anchor().x()).arg(d->Anchor().y())
                            .arg(now.top()).arg(now.bottom());
                alignDown = d->AutoAlignButton()->isChecked();
                d->CancelButton()->click();
            });
            button->click();
            const QString at = QStringLiteral("opening %1: frame %2,%3 %4x%5, row bottom %6")
                                   .arg(opening).arg(frame.x()).arg(frame.y()).arg(frame.width())
                                   .arg(frame.height()).arg(cell.bottom()) + u' ' + seen;
            QVERIFY2(alignDown, qPrintable(at));
            QVERIFY2(UP->AutoAlignBrowseFld(), qPrintable(at));
            QVERIFY2(shown, qPrintable(at));
            QVERIFY2(frame.top() == cell.bottom() + 1, qPrintable(at));
            QVERIFY2(frame.left() == wa.left(), qPrintable(at));
        }
        // What was stored reads back on.
        TzyUP stored;
        QVERIFY(stored.Load());
        QVERIFY(stored.AutoAlignBrowseFld());
        BrowseCommands::FreeBrowseForms();
    }

    // The anchor each in-grid Browse button gives its dialog, with the main
    // form's frame at (329, 100) and its default size: 4 pixels right of the
    // button, on the first pixel row under the current cell.
    void inGridAnchors_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("x");
        QTest::newRow("map task field") << 2 << 1 << 3 << 577;
        QTest::newRow("filter task field") << 3 << 2 << 1 << 574;
        QTest::newRow("filter value") << 3 << 5 << 1 << 1021;
    }
    void inGridAnchors()
    {
        QFETCH(int, page);
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(int, x);
        MainOnScreen m;
        QVERIFY2(QTest::qWaitFor([&] { return m.arrived(); }, 30000), qPrintable(m.where()));
        QVERIFY2(m.form->frameGeometry() == MainOnScreen::kMainFrame, qPrintable(m.where()));
        std::optional<QPoint> seen;
        MainTaskFld::PageLinks().BrowseTaskField = [&](const QString&, const QString&, int, const QString&,
                                                       std::optional<QPoint> anchor) {
            seen = anchor;
            return BrowseCommands::FieldChoice{};
        };
        MainTaskFld::PageLinks().BrowseTaskFieldValue = [&](const QString&, const QString&, const QString&,
                                                            std::optional<QPoint> anchor) {
            seen = anchor;
            return BrowseCommands::ValueChoice{};
        };
        m.form->GoToPage(page);
        TzyGrid* grid = page == 2 ? m.form->Map->SG_DSM : m.form->Filter->SG_DSF;
        QPushButton* button = page == 2   ? m.form->Map->BBtn_DSM_TaskFld_Browse
                              : col == 2 ? m.form->Filter->BBtn_DSF_TaskFld_Browse
                                         : m.form->Filter->BBtn_DSF_TaskFldValue_Browse;
        grid->setFocus();
        grid->MoveToCell(col, row);
        QTRY_VERIFY_WITH_TIMEOUT(button->isVisible(), 30000);
        QVERIFY2(QTest::qWaitFor([&] { return m.atRest(); }, 30000), qPrintable(m.where()));
        button->click();
        QVERIFY(seen.has_value());
        QCOMPARE(seen->x(), button->mapToGlobal(QPoint(button->width() + 4, 0)).x());
        QCOMPARE(seen->x(), x);
        QCOMPARE(seen->y(), cellOnScreen(grid, col, row).bottom() + 1);
    }
};

WM_TEST_MAIN(TestWmBrowse, 1280, 1024)
#include "tst_wm_browse.moc"
