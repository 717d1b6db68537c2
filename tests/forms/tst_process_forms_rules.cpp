// The widget-free rules of the summary and configuration-errors forms and of
// the error navigation: the fit into the work area, the button row, the way
// from an error's ids to a page and a control, and the error lines.
#include "AutoFit.h"
#include "CfgErrNav.h"
#include "CfgErrRows.h"
#include "ProcessCommand.h"
#include "zyDV.h"
#include "zyUIL.h"

#include <QtTest>

using CfgErrNav::Action;

namespace {

// Records the Process command's steps and answers as told.
struct Steps : ProcessCommand::ISteps {
    int page = 0;
    bool prompt = false, confirm = true, xlMissing = false;
    int errors = 0;
    int ocpCancelAt = 0; // 1 the Data Source File, 2 the Template File
    int run = 1;         // 0 fails, 1 succeeds, 2 raises
    QStringList log;

    void HideHint() override { log << "hint"; }
    void FocusPages() override { log << "focus"; }
    int CurrentPage() override { return page; }
    void CompactFilter() override { log << "compact"; }
    void SavePage(int p) override { log << QStringLiteral("save%1").arg(p); }
    bool PromptOnProcess() override { return prompt; }
    bool ConfirmProcess() override
    {
        log << "MF010";
        return confirm;
    }
    int Validate() override
    {
        log << "validate";
        return errors;
    }
    void ShowCfgErrs() override { log << "cfgerr"; }
    void LoadPage(int p) override { log << QStringLiteral("load%1").arg(p); }
    void UpdatePage(int p) override { log << QStringLiteral("update%1").arg(p); }
    bool XLMissing() override
    {
        log << "xl";
        return xlMissing;
    }
    bool OCPCancelled(int labelId, const QString& file) override
    {
        log << QStringLiteral("ocp%1:%2").arg(labelId).arg(file);
        return (labelId == 600 && ocpCancelAt == 1) || (labelId == 605 && ocpCancelAt == 2);
    }
    QString DataSourceFile() override { return QStringLiteral(" /d/s.xlsx "); }
    QString TemplateFile() override { return QStringLiteral("/d/t.xlsx"); }
    void BeginRun() override { log << "begin"; }
    bool Run() override
    {
        log << "run";
        if (run == 2)
            throw std::runtime_error("server gone");
        return run == 1;
    }
    void EndRun() override { log << "end"; }
    void ReportFailure(const QString& details) override { log << "failure:" + details; }
    void ShowSummary() override { log << "summary"; }
};

const char* const kChecks = "xl,ocp600:/d/s.xlsx,ocp605:/d/t.xlsx";

} // namespace

Q_DECLARE_METATYPE(ProcessCommand::Outcome)

Q_DECLARE_METATYPE(CfgErrNav::Action)

class TstProcessFormsRules : public QObject {
    Q_OBJECT
private slots:
    void fit_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QSize>("minSize");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<QSize>("expectedMin");
        const QSize min(300, 200);
        QTest::newRow("fits where it is") << QRect(100, 50, 400, 300) << QSize(500, 400) << min
                                          << QRect(100, 50, 500, 400) << min;
        QTest::newRow("moved up and left to end inside")
            << QRect(800, 600, 400, 300) << QSize(500, 400) << min << QRect(524, 368, 500, 400) << min;
        QTest::newRow("left of the work area comes back")
            << QRect(-50, 10, 400, 300) << QSize(500, 400) << min << QRect(0, 10, 500, 400) << min;
        QTest::newRow("taller than the work area takes its height")
            << QRect(100, 300, 400, 300) << QSize(500, 2000) << min << QRect(100, 0, 500, 768) << min;
        QTest::newRow("wider than the work area takes its width")
            << QRect(300, 100, 400, 300) << QSize(3000, 400) << min << QRect(0, 100, 1024, 400) << min;
        QTest::newRow("a minimum the work area's height goes below it")
            << QRect(100, 300, 400, 300) << QSize(500, 2000) << QSize(300, 768) << QRect(100, 0, 500, 768)
            << QSize(300, 767);
        QTest::newRow("a smaller wanted size lowers the minimum")
            << QRect(100, 100, 400, 300) << QSize(250, 150) << min << QRect(100, 100, 250, 150) << QSize(250, 150);
    }
    void fit()
    {
        QFETCH(QRect, frame);
        QFETCH(QSize, wanted);
        QFETCH(QSize, minSize);
        QFETCH(QRect, expected);
        QFETCH(QSize, expectedMin);
        const AutoFit::Result r = AutoFit::FitInWorkArea(frame, wanted, minSize, QRect(0, 0, 1024, 768));
        QCOMPARE(r.frame, expected);
        QCOMPARE(r.minSize, expectedMin);
    }

    void fitInOffsetWorkArea()
    {
        // A panel on the left and one on top: the work area starts at (64, 32).
        const QRect wa(64, 32, 960, 736);
        const AutoFit::Result r = AutoFit::FitInWorkArea(QRect(0, 0, 100, 100), QSize(200, 2000), {50, 50}, wa);
        QCOMPARE(r.frame, QRect(64, 32, 200, 736));
    }

    // A list of lines 17 high under an 18 pixel header, in a frame of 1,
    // with 59 pixels of rows below it and scroll bars 14 thick, in a room of
    // 1000 x 600: 79 + 17 per line high, the columns + 2 wide.
    void listClientSize_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("otherWidth");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("hBar");
        QTest::addColumn<bool>("vBar");
        QTest::newRow("everything fits") << 6 << 900 << 300 << QSize(902, 181) << false << false;
        QTest::newRow("one line, three lines high") << 1 << 900 << 300 << QSize(902, 130) << false << false;
        QTest::newRow("columns just fit") << 6 << 998 << 300 << QSize(1000, 181) << false << false;
        QTest::newRow("a wider caption or button row") << 6 << 900 << 1200 << QSize(1200, 181) << false << false;
        QTest::newRow("columns wider: the bar's height added") << 6 << 2000 << 300 << QSize(2002, 195) << true
                                                               << false;
        QTest::newRow("more lines: the bar's width added") << 40 << 900 << 300 << QSize(916, 759) << false << true;
        // 30 lines fit only without the horizontal bar.
        QTest::newRow("the horizontal bar pushes the lines over")
            << 30 << 2000 << 300 << QSize(2016, 603) << true << true;
        // The columns fit only without the vertical bar.
        QTest::newRow("the vertical bar pushes the columns over")
            << 40 << 990 << 300 << QSize(1006, 773) << true << true;
    }
    void listClientSize()
    {
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, otherWidth);
        QFETCH(QSize, client);
        QFETCH(bool, hBar);
        QFETCH(bool, vBar);
        AutoFit::ListContent c;
        c.lines = lines;
        c.minLines = 3;
        c.itemHeight = 17;
        c.headerHeight = 18;
        c.listFrame = 1;
        c.columns = columns;
        c.otherWidth = otherWidth;
        c.otherHeight = 59;
        c.hBarHeight = 14;
        c.vBarWidth = 14;
        const AutoFit::ListSize r = AutoFit::ListClientSize(c, QSize(1000, 600));
        QCOMPARE(r.client, client);
        QCOMPARE(r.hBar, hBar);
        QCOMPARE(r.vBar, vBar);
    }

    void buttonRow()
    {
        // Auto Size 8 from the left, each button 8 right of the previous,
        // the last 8 from the right edge.
        const int summary[] = {130, 150, 130, 80};
        QCOMPARE(AutoFit::ButtonRowWidth(80, summary, 4), 80 + 16 + 130 + 8 + 150 + 8 + 130 + 8 + 80 + 8);
        const int cfgErr[] = {80};
        QCOMPARE(AutoFit::ButtonRowWidth(80, cfgErr, 1), 80 + 16 + 80 + 8);
    }

    void navigation_data()
    {
        QTest::addColumn<int>("tabId");
        QTest::addColumn<int>("fldId");
        QTest::addColumn<int>("rowId");
        QTest::addColumn<int>("page");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        auto row = [](const char* name, int tab, int fld, int r, int page, Action a, const char* control, int col,
                      int gridRow) {
            QTest::newRow(name) << tab << fld << r << page << a << QString::fromLatin1(control) << col << gridRow;
        };
        row("Data Source File", 56, 600, 0, 0, Action::SelectEdit, "TB_SCF_DSF_DrivePathFilenameExtn", 0, 0);
        row("Data Source File Open Password", 56, 602, 0, 0, Action::SelectEdit, "TB_SCF_DSF_OpenPassword", 0, 0);
        row("Task Worksheet", 56, 603, 0, 0, Action::SelectEdit, "TB_SCF_DSF_TaskWS", 0, 0);
        row("Task Header Row", 56, 604, 0, 0, Action::SelectEdit, "TB_SCF_DSF_THR", 0, 0);
        row("Template File", 56, 605, 0, 0, Action::SelectEdit, "TB_SCF_TF_DrivePathFilenameExtn", 0, 0);
        row("Template File Open Password", 56, 607, 0, 0, Action::SelectEdit, "TB_SCF_TF_OpenPassword", 0, 0);
        row("Project Summary Worksheet", 56, 608, 0, 0, Action::SelectEdit, "TB_SCF_TF_ProjectSummaryWS", 0, 0);
        row("Chart Data Worksheet", 56, 609, 0, 0, Action::SelectEdit, "TB_SCF_TF_ChartDataWS", 0, 0);
        row("Output File", 56, 610, 0, 0, Action::SelectEdit, "TB_SCF_OF_DrivePathFilenameExtn", 0, 0);
        row("Project Title", 56, 597, 0, 0, Action::SelectEdit, "TB_PD_ProjectTitle", 0, 0);
        row("Project Number", 56, 598, 0, 0, Action::SelectEdit, "TB_PD_ProjectNumber", 0, 0);
        row("Project Client", 56, 599, 0, 0, Action::SelectEdit, "TB_PD_ProjectClient", 0, 0);
        row("Data Options", 85, 612, 0, 1, Action::Focus, "CB_SCO_GenerateBL", 0, 0);
        row("Cut Off Date", 85, 620, 0, 1, Action::Focus, "DTP_SCO_CutOffDate", 0, 0);
        row("Quantity Options", 85, 621, 0, 1, Action::Focus, "CB_SCO_GraphMH", 0, 0);
        row("map Task Field row 4", 119, 624, 4, 2, Action::GridCell, "SG_DSM", 1, 4);
        row("map Task Field Description row 9", 119, 625, 9, 2, Action::GridCell, "SG_DSM", 2, 9);
        row("filter Task Field row 1", 128, 638, 1, 3, Action::GridCell, "SG_DSF", 2, 1);
        row("filter Task Field Description row 2", 128, 639, 2, 3, Action::GridCell, "SG_DSF", 3, 2);
        row("filter Operator row 3", 128, 640, 3, 3, Action::GridCell, "SG_DSF", 4, 3);
        row("filter Value row 10", 128, 641, 10, 3, Action::GridCell, "SG_DSF", 5, 10);
        // A known tab with a field it does not know: the page only.
        row("files tab, map field", 56, 624, 4, 0, Action::None, "", 0, 0);
        row("options tab, unknown field", 85, 600, 0, 1, Action::None, "", 0, 0);
        row("filter tab, map field", 128, 624, 2, 3, Action::None, "", 0, 0);
        // Any other tab: nothing at all.
        row("unknown tab", 57, 600, 0, -1, Action::None, "", 0, 0);
        row("no tab", 0, 0, 0, -1, Action::None, "", 0, 0);
        row("field id as tab", 600, 600, 0, -1, Action::None, "", 0, 0);
    }
    void navigation()
    {
        QFETCH(int, tabId);
        QFETCH(int, fldId);
        QFETCH(int, rowId);
        const CfgErrNav::Target t = CfgErrNav::Locate(tabId, fldId, rowId);
        QTEST(t.page, "page");
        QTEST(t.action, "action");
        QTEST(t.control, "control");
        QTEST(t.col, "col");
        QTEST(t.row, "row");
    }

    void processOrder_data()
    {
        using ProcessCommand::Outcome;
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("errors");
        QTest::addColumn<bool>("xlMissing");
        QTest::addColumn<int>("ocpCancelAt");
        QTest::addColumn<int>("run");
        QTest::addColumn<QString>("log");
        QTest::addColumn<Outcome>("outcome");
        const QString head = "hint,focus,save0,validate,";
        const QString run = QString(kChecks) + ",begin,run,end";
        QTest::newRow("straight through") << 0 << false << true << 0 << false << 0 << 1
                                          << head + run + ",summary" << Outcome::Processed;
        QTest::newRow("filter page compacted before it is saved")
            << 3 << false << true << 0 << false << 0 << 1
            << "hint,focus,compact,save3,validate," + run + ",summary" << Outcome::Processed;
        QTest::newRow("asked and confirmed") << 1 << true << true << 0 << false << 0 << 1
                                             << "hint,focus,save1,MF010,validate," + run + ",summary"
                                             << Outcome::Processed;
        QTest::newRow("asked and declined: saved, nothing more")
            << 1 << true << false << 0 << false << 0 << 1 << "hint,focus,save1,MF010" << Outcome::Declined;
        QTest::newRow("errors: the list, the page reloaded, no spreadsheet check")
            << 2 << false << true << 3 << false << 0 << 1 << "hint,focus,save2,validate,cfgerr,load2,update2"
            << Outcome::CfgErrors;
        QTest::newRow("no spreadsheet server") << 0 << false << true << 0 << true << 0 << 1 << head + "xl"
                                               << Outcome::NoServer;
        QTest::newRow("compatibility cancelled for the Data Source File")
            << 0 << false << true << 0 << false << 1 << 1 << head + "xl,ocp600:/d/s.xlsx" << Outcome::OcpCancelled;
        QTest::newRow("compatibility cancelled for the Template File")
            << 0 << false << true << 0 << false << 2 << 1 << head + kChecks << Outcome::OcpCancelled;
        QTest::newRow("a failed run: the form enabled again, no summary")
            << 0 << false << true << 0 << false << 0 << 0 << head + run << Outcome::RunFailed;
        QTest::newRow("a run that raises: enabled again, then the failure shown")
            << 0 << false << true << 0 << false << 0 << 2 << head + run + ",failure:server gone"
            << Outcome::RunFailed;
    }
    void processOrder()
    {
        Steps s;
        QFETCH(int, page);
        s.page = page;
        QFETCH(bool, prompt);
        s.prompt = prompt;
        QFETCH(bool, confirm);
        s.confirm = confirm;
        QFETCH(int, errors);
        s.errors = errors;
        QFETCH(bool, xlMissing);
        s.xlMissing = xlMissing;
        QFETCH(int, ocpCancelAt);
        s.ocpCancelAt = ocpCancelAt;
        QFETCH(int, run);
        s.run = run;
        QFETCH(QString, log);
        QTEST(ProcessCommand::XferData(s), "outcome");
        QCOMPARE(s.log.join(','), log);
    }

    void errorLines()
    {
        InitUILs();
        TzyDV dv;
        QVERIFY(CfgErrRows::Read(dv).empty());
        dv.AddCfgErr("S Curve Files", "Data Source File", "The file does not exist.", "/tmp/x.xlsx", 56, 600, 0);
        dv.AddCfgErr("Data Source Map", "Task Field", "Please select a Task Field.", "", 119, 624, 4);
        const auto lines = CfgErrRows::Read(dv);
        QCOMPARE(int(lines.size()), 2);
        const CfgErrRows::Line first{" 1 ", " S Curve Files ", " Data Source File ", " The file does not exist. ",
                                     " /tmp/x.xlsx "};
        QCOMPARE(lines[0], first);
        QCOMPARE(lines[1][0], QStringLiteral(" 2 "));
        QCOMPARE(lines[1][4], QStringLiteral("  ")); // an empty value still gets its blanks
        // A value that holds a format specifier is shown as it is.
        dv.AddCfgErr("S Curve Files", "Project Title", "Too long.", "100%s %d %n", 56, 597, 0);
        QCOMPARE(CfgErrRows::Read(dv)[2][4], QStringLiteral(" 100%s %d %n "));
    }
};

QTEST_APPLESS_MAIN(TstProcessFormsRules)
#include "tst_process_forms_rules.moc"
