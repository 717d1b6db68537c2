// The summary form: its grid built from the report layout tables and filled
// by the run's summary steps, Auto Size against a chosen work area, the
// clipboard copy, the two Open buttons through the shell, and its placement
// record and preference.
#include "FormsTestKit.h"
#include "ProcessFormsEnv.h"
#include "SummarySample.h"
#include "UF_Summary.h"
#include "zyGrid.h"
#include "zyUIL.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace zyRpt;

class TstSummaryForm : public QObject {
    Q_OBJECT

    MemoryProgress m_progress;
    std::unique_ptr<formskit::Shell> m_shell;
    std::unique_ptr<formskit::Prompter> m_prompter;
    std::unique_ptr<TUF_Summary> m_form;

    TzyGrid& grid() { return *m_form->SG_ProjectSummary(); }

private slots:
    void initTestCase()
    {
        ProcessFormsEnv::Init();
        Progress::setForm(&m_progress);
        Progress::setPump([] {});
        m_shell = std::make_unique<formskit::Shell>();
        m_prompter = std::make_unique<formskit::Prompter>();
        m_form = std::make_unique<TUF_Summary>();
    }
    void cleanupTestCase()
    {
        m_form.reset();
        m_shell.reset();
        m_prompter.reset();
        Progress::setForm(nullptr);
    }
    void init()
    {
        m_form->hide();
        platform::setWorkArea(FormsTestEnv::kWorkArea);
        m_shell->opened.clear();
        m_prompter->requests.clear();
    }

    void gridFromLayoutTables()
    {
        TzyGrid& g = grid();
        QCOMPARE(g.ColCount(), TUF_Summary::kCols);
        QCOMPARE(g.RowCount(), TUF_Summary::kRows);
        QVERIFY(g.GridReadOnly());
        QVERIFY(!g.ShowHeader());
        QCOMPARE(g.GutterKind(), gkNone);
        for (int i = 1; i <= RHs_PS->Count(); ++i) {
            const TzyRH& rh = RHs_PS->getItems(i);
            const QString at = rh.CellRef();
            QCOMPARE(g.getCellColor(rh.Col(), rh.Row()), TUF_Summary::ReportColor(rh.CellColor()));
            QCOMPARE(g.getCellFontColor(rh.Col(), rh.Row()), TUF_Summary::ReportColor(rh.FontColor()));
            QCOMPARE(g.getCellFontBold(rh.Col(), rh.Row()), rh.FontBold());
            QCOMPARE(int(g.getCellHorAlign(rh.Col(), rh.Row())), int(rh.HorAlign()));
            const QString text = rh.Row() == TUF_Summary::kHeadingRow ? rh.Text() : " " + rh.Text() + " ";
            QVERIFY2(g.getCells(rh.Col(), rh.Row()) == text, qPrintable(at));
            if (rh.Merge()) {
                QVERIFY2(g.getCellMergedState(rh.Col(), rh.Row()) == cmsTopLeft, qPrintable(at));
                QCOMPARE(g.getCellMergeCols(rh.Col(), rh.Row()), rh.MergeToCol() - rh.Col());
            }
        }
        for (int i = 1; i <= RFs_PS->Count(); ++i) {
            const TzyRF& rf = RFs_PS->getItems(i);
            QCOMPARE(g.getCellEllipsifyPath(rf.Col(), rf.Row()), rf.EllipsifyPath());
            QCOMPARE(g.getCellEllipsifyText(rf.Col(), rf.Row()), rf.EllipsifyText());
            QCOMPARE(g.getCellGridLineTopColor(rf.Col(), rf.Row()), TUF_Summary::ReportColor(rf.GridLineTopColor()));
            if (rf.Merge())
                QVERIFY2(g.getCellMergedState(rf.Col(), rf.Row()) == cmsTopLeft, qPrintable(rf.CellRef()));
        }
        // The title spans A1:E1 and the project title B3:G3.
        QCOMPARE(g.getCellMergedState(2, 1), cmsMerged);
        QCOMPARE(g.getCellMergeCols(2, 3), 5);
        // The two-line headings wrap in a row made tall enough for them.
        QVERIFY(g.getCellWordWrap(1, TUF_Summary::kHeadingRow));
        QVERIFY(g.getRowHeights(TUF_Summary::kHeadingRow) > g.DefaultRowHeight());
    }

    // The one tab carries its picture, as the main form's tabs do.
    void tabHasItsPicture()
    {
        auto* tabs = m_form->findChild<QTabWidget*>(QStringLiteral("PC_Summary"));
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 1);
        const QIcon icon = tabs->tabIcon(0);
        QVERIFY(!icon.isNull());
        QVERIFY(!icon.pixmap(16, 16).isNull());
    }

    void reportColours_data()
    {
        QTest::addColumn<uint>("report");
        QTest::addColumn<QColor>("screen");
        QTest::newRow("red") << uint(clRed) << QColor(255, 0, 0);
        QTest::newRow("title green") << uint(clTitleGreen) << QColor(0x33, 0x99, 0x66);
        QTest::newRow("baseline blue") << uint(clBaselineBlue) << QColor(0x33, 0x66, 0xFF);
        QTest::newRow("window") << uint(clWindow) << QGuiApplication::palette().color(QPalette::Base);
        QTest::newRow("button face") << uint(clBtnFace) << QGuiApplication::palette().color(QPalette::Button);
        QTest::newRow("window text") << uint(clWindowText) << QGuiApplication::palette().color(QPalette::Text);
    }
    void reportColours()
    {
        QFETCH(uint, report);
        QTEST(TUF_Summary::ReportColor(report), "screen");
    }

    void runFillsGrid()
    {
        QCOMPARE(SummarySample::Fill(*m_form), 1);
        QVERIFY(m_form->BBtn_OpenOF()->isVisibleTo(m_form.get()));
        TzyGrid& g = grid();
        QCOMPARE(g.getCells(2, 3), QStringLiteral(" Pump Station 4 "));
        QCOMPARE(g.getCells(7, 1), QStringLiteral(" 01-Apr-2014 "));
        // Target is not generated: its cells are "N/A" on the button face;
        // the positive slippage and growth figures are red.
        int notShown = 0;
        for (int i = 1; i <= RFs_PS->Count(); ++i) {
            const TzyRF& rf = RFs_PS->getItems(i);
            if (rf.ValueState() == vsValue)
                continue;
            ++notShown;
            QCOMPARE(g.getCellFontColor(rf.Col(), rf.Row()),
                     rf.ValueState() == vsNoData ? QColor(255, 0, 0) : QColor(0, 0, 0));
            QCOMPARE(g.getCellColor(rf.Col(), rf.Row()), QGuiApplication::palette().color(QPalette::Button));
        }
        QVERIFY(notShown > 0);
        int red = 0;
        for (int r = 1; r <= TUF_Summary::kRows; ++r)
            for (int c = 1; c <= TUF_Summary::kCols; ++c)
                red += g.getCellFontColor(c, r) == QColor(255, 0, 0) && g.getCells(c, r).trimmed() != "No Data";
        QVERIFY(red > 0);
        // Columns B..G share one width.
        for (int c = 3; c <= 7; ++c)
            QCOMPARE(g.getColWidths(c), g.getColWidths(2));
    }

    void copyToClipboard()
    {
        SummarySample::Fill(*m_form);
        QGuiApplication::clipboard()->setText(QStringLiteral("what was there"));
        m_form->BBtn_CopyClick();
        const QString text = QGuiApplication::clipboard()->text();
        const auto lines = TzyGrid::ParseClipboardText(text);
        QCOMPARE(int(lines.size()), 27);
        for (int r = 0; r < 27; ++r) {
            QCOMPARE(lines[size_t(r)].size(), 7);
            for (int c = 0; c < 7; ++c)
                QCOMPARE(lines[size_t(r)][c], grid().getCells(c + 1, r + 1));
        }
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        // The headings hold a line break: quoted, so they stay one field.
        const QString heading = grid().getCells(2, TUF_Summary::kHeadingRow);
        QVERIFY(heading.contains(QLatin1Char('\n')));
        QVERIFY(text.contains(TzyGrid::QuoteField(heading)));
        QVERIFY(TzyGrid::QuoteField(heading).startsWith(QLatin1Char('"')));
    }

    void autoSizeShowsWholeGrid()
    {
        SummarySample::Fill(*m_form);
        platform::setWorkArea(QRect(0, 0, 1600, 1200));
        UP->SetAutoSizeSummary(true);
        m_form->show();
        QVERIFY(m_form->SBtn_AutoSize()->isChecked());
        const QRect frame = m_form->frameGeometry();
        QVERIFY(QRect(0, 0, 1600, 1200).contains(frame));
        QCOMPARE(m_form->AutoWidth(), m_form->width());
        QCOMPARE(grid().MaxScrollX(), 0);
        QCOMPARE(grid().MaxScrollY(), 0);
        // Every column and row is on show.
        QVERIFY(grid().viewport()->width() >= grid().CalcGridWidth() - 4);
        QVERIFY(grid().viewport()->height() >= grid().CalcGridHeight() - 4);
    }

    void autoSizeOnSmallScreen()
    {
        SummarySample::Fill(*m_form);
        const QRect wa(0, 0, 700, 360);
        platform::setWorkArea(wa);
        UP->SetAutoSizeSummary(true);
        m_form->show();
        QVERIFY(wa.contains(m_form->frameGeometry()));
        QCOMPARE(m_form->frameGeometry().height(), wa.height());
        QVERIFY(grid().MaxScrollY() > 0); // the grid scrolls
    }

    void userSizingSwitchesAutoSizeOff()
    {
        UP->SetAutoSizeSummary(true);
        m_form->show();
        QVERIFY(m_form->SBtn_AutoSize()->isChecked());
        m_form->resize(m_form->width() - 40, m_form->height() - 20); // the user drags a border
        QVERIFY(!m_form->SBtn_AutoSize()->isChecked());
        QVERIFY(!UP->AutoSizeSummary());
        // Pressing it again fits the form once more.
        m_form->SBtn_AutoSize()->click();
        QVERIFY(m_form->SBtn_AutoSize()->isChecked());
        QCOMPARE(m_form->width(), m_form->AutoWidth());
    }

    void maximisingDisablesAutoSize()
    {
        m_form->show();
        m_form->showMaximized();
        QTRY_VERIFY(m_form->isMaximized());
        QVERIFY(!m_form->SBtn_AutoSize()->isEnabled());
        m_form->showNormal();
        QTRY_VERIFY(!m_form->isMaximized());
        QVERIFY(m_form->SBtn_AutoSize()->isEnabled());
    }

    void closingStoresPlacementAndPreference()
    {
        UP->SetAutoSizeSummary(false);
        m_form->show();
        m_form->SBtn_AutoSize()->click(); // down
        const int result = [&] {
            QTimer::singleShot(0, m_form.get(), [this] {
                QTest::keyClick(m_form.get(), Qt::Key_Escape);
            });
            return m_form->exec();
        }();
        QCOMPARE(result, 11);
        QVERIFY(UP->AutoSizeSummary());
        TzyUP stored;
        stored.Load();
        QVERIFY(stored.AutoSizeSummary());
        TzyWMs records;
        while (records.HighIndex() < 6)
            records.Add();
        records.Load();
        // The record holds the frame's bounds.
        QCOMPARE(records.getItems(wmSummary).Width(), m_form->frameGeometry().width());
        QCOMPARE(records.getItems(wmSummary).Height(), m_form->frameGeometry().height());
        QCOMPARE(records.getItems(wmSummary).WindowSize(), 0);
    }

    void openFiles()
    {
        QTemporaryDir dir;
        const QString dsf = dir.filePath("schedule.xlsx");
        const QString of = dir.filePath("out.xlsx");
        TzySD& sd = SDs->getItems(SDs->ActiveSD());
        sd.SCF.SetDataSourceFile(dsf);
        sd.SCF.SetOutputFile(of);

        // Missing: its check's message, nothing opened.
        sd.setWSL_Loaded(wslDataSource, true);
        m_form->BBtn_OpenDSFClick();
        QCOMPARE(m_shell->opened, QStringList());
        QCOMPARE(int(m_prompter->requests.size()), 1);
        QVERIFY(sd.getWSL_Loaded(wslDataSource));

        for (const QString& f : {dsf, of}) {
            QFile file(f);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        m_form->BBtn_OpenOFClick();
        QCOMPARE(m_shell->opened, QStringList{of});
        QVERIFY(sd.getWSL_Loaded(wslDataSource)); // the Output File empties no list
        m_form->BBtn_OpenDSFClick();
        QCOMPARE(m_shell->opened, (QStringList{of, dsf}));
        QVERIFY(!sd.getWSL_Loaded(wslDataSource)); // the user may change the workbook
        QCOMPARE(int(m_prompter->requests.size()), 1);

        // No program to open it: said so, the file named; the form stays.
        m_shell->result = platform::kShellNoOpener;
        m_form->BBtn_OpenOFClick();
        m_shell->result = 42;
        QCOMPARE(int(m_prompter->requests.size()), 2);
        const StdDlg::Request& r = m_prompter->requests.back();
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines.value(0), QStringLiteral("Unable to open the following Output File."));
        QCOMPARE(r.lines.value(2), of);
        QCOMPARE(r.lines.value(4), QStringLiteral("No program to open it was found."));
        QVERIFY(r.buttons[2].visible);
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));

        // An opener that started and fails later: said so then, the file named.
        m_form->BBtn_OpenDSFClick();
        QCOMPARE(int(m_prompter->requests.size()), 2);
        m_shell->failLate(m_shell->pending.size() - 1);
        QCOMPARE(int(m_prompter->requests.size()), 3);
        QCOMPARE(m_prompter->requests.back().lines.value(0),
                 QStringLiteral("Unable to open the following Data Source File."));
        QCOMPARE(m_prompter->requests.back().lines.value(2), dsf);
        QCOMPARE(m_prompter->requests.back().lines.value(4), QStringLiteral("No program to open it was found."));
    }

    void ownedWithoutStayingOnTop()
    {
        QWidget owner;
        TUF_Summary form(&owner);
        QVERIFY(form.isWindow());
        QCOMPARE(form.parentWidget(), &owner);
        QVERIFY(!(form.windowFlags() & Qt::WindowStaysOnTopHint));
    }
};

QTEST_MAIN(TstSummaryForm)
#include "tst_summary_form.moc"
