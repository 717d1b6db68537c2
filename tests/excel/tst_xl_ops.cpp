// The workbook operations of the spreadsheet layer on the fake backend: what
// each does, its cancel test, its failure lines, nested failures and the
// quit-while-busy loop.
#include "FakeXL.h"
#include "MachineKeys.h"
#include "Progress.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyUIL.h"
#include "zyXL.h"

#include <QtTest>

#include <functional>

using platform::RootKey;

namespace {

const QString kFile = QStringLiteral("/data/plan.xls");

struct Recorder : StdDlg::IPrompter {
    QList<StdDlg::Request> seen;
    QList<int> answers; // taken in order; then the right button
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        seen << r;
        return {answers.isEmpty() ? r.buttons[2].modalResult : answers.takeFirst(), false};
    }
    QStringList ids() const
    {
        QStringList out;
        for (const auto& r : seen)
            out << r.msgId;
        return out;
    }
};

QStringList texts(const XLColumn& col)
{
    QStringList out;
    for (const XLCell& c : col)
        out << c.text;
    return out;
}

// Each failure line is followed by an empty one.
QStringList spaced(const QStringList& lines)
{
    QStringList out;
    for (const QString& l : lines)
        out << l << QString();
    return out;
}

struct OpCase {
    const char* name;
    const char* backendOp; // the call that fails
    std::function<void()> call;
    QStringList lines;   // Log after the failure (before spacing)
    bool messageKept;    // the exception still carries the backend's message
};

} // namespace

class TstXLOps : public QObject {
    Q_OBJECT

    platform::MachineKeyTable keys;
    Recorder dlg;
    std::shared_ptr<FakeOffice> office;
    int pumps = 0;
    int cancelAtPump = -1;

    // Excel 2013 with a workbook open and its Tasks worksheet selected.
    void ready(const QString& curVer = QStringLiteral("Excel.Application.15"))
    {
        keys.set(RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(), curVer);
        XL.reset();
        XL = std::make_unique<TzyXL>();
        FakeWorkbook& wb = office->addWorkbook(kFile);
        wb.addSheet(QStringLiteral("Summary"));
        FakeSheet& ws = wb.addSheet(QStringLiteral("Tasks"));
        ws.text(QStringLiteral("A1"), QStringLiteral("Task")).text(QStringLiteral("B1"), QStringLiteral("Hours"));
        ws.text(QStringLiteral("A2"), QStringLiteral("Dig")).num(QStringLiteral("B2"), 5);
        wb.addSheet(QStringLiteral("Notes"));
        XL->SetWorkbookLabel(QStringLiteral("Data Source File"));
        XL->SetWorksheetLabel(QStringLiteral("Task Worksheet"));
        XL->StartExcel(false);
        XL->OpenWorkbook(kFile, QString(), QString(), true);
        QVERIFY(XL->SelectWorksheet(QStringLiteral("Tasks")));
        XL->GetUsedRange();
        office->calls.clear();
    }

    FakeSheet& tasks() { return *office->files[kFile].sheet(QStringLiteral("Tasks")); }

    std::vector<OpCase> cases()
    {
        const QString ws = QStringLiteral("Task Worksheet: Tasks");
        const QString wb = QStringLiteral("Data Source File: ") + kFile;
        const QString in = QStringLiteral(" in the Task Worksheet in the Data Source File.");
        return {
            {"StartExcel", "start", [] { XL->StartExcel(false); },
             {QStringLiteral("Unable to open LibreOffice.")}, true},
            {"OpenWorkbook", "openWorkbook", [] { XL->OpenWorkbook(kFile, QString(), QString(), true); },
             {QStringLiteral("Unable to open the Data Source File."), wb}, true},
            {"SelectWorksheet", "worksheetNames", [] { XL->SelectWorksheet(QStringLiteral("Tasks")); },
             {QStringLiteral("Unable to verify the Task Worksheet exists.")}, true},
            {"GetUsedRange", "usedRange", [] { XL->GetUsedRange(); },
             {QStringLiteral("Unable to initialise the Task Worksheet in the Data Source File."), ws, wb}, true},
            {"SaveAs", "saveAs", [] { XL->SaveAs(QStringLiteral("Output File"), QStringLiteral("/out/r.xlsx")); },
             {QStringLiteral("Unable to save the Data Source File as the Output File."), wb,
              QStringLiteral("Output File: /out/r.xlsx")},
             true},
            {"CloseWorkbook", "closeWorkbook", [] { XL->CloseWorkbook(false); },
             {QStringLiteral("Unable to close the Data Source File."), wb}, true},
            {"CloseWorkbook save", "closeWorkbook", [] { XL->CloseWorkbook(true); },
             {QStringLiteral("Unable to save and close the Data Source File."), wb}, true},
            {"ExtractRawValues", "readRawColumn", [] { XL->ExtractRawValues(QStringLiteral("B"), 2, 4); },
             {QStringLiteral("Unable to extract Task Field Values from the Task Worksheet in the Data Source File."),
              QStringLiteral("Details: boom")},
             false},
            {"ExtractFmtValues", "readDisplayColumn", [] { XL->ExtractFmtValues(QStringLiteral("B"), 2, 4); },
             {QStringLiteral("Unable to extract formatted Task Field Values from the Task Worksheet in the Data "
                             "Source File."),
              QStringLiteral("Details: boom")},
             false},
            {"ExtractWSList", "worksheetNames", [] { XL->ExtractWSList(); },
             {QStringLiteral("Unable to extract Worksheet Names from the Data Source File."), wb}, true},
            {"ExtractFldList", "readHeaderField", [] { XL->ExtractFldList(1, 2); },
             {QStringLiteral("Unable to extract Task Fields from the Task Worksheet in the Data Source File."), ws, wb},
             true},
            {"ExtractValList", "readDisplayColumn", [] { XL->ExtractValList(QStringLiteral("B"), 2, 4); },
             {QStringLiteral("Unable to extract Task Field Values from the Task Worksheet in the Data Source File."),
              QStringLiteral("Task Field: B"), ws, wb},
             false},
            {"DeleteRows", "deleteRows", [] { XL->DeleteRows(3, 4); },
             {QStringLiteral("Unable to delete rows") + in, ws, wb}, true},
            {"InsertRows", "insertRows", [] { XL->InsertRows(3, 4); },
             {QStringLiteral("Unable to insert rows") + in, ws, wb}, true},
            {"SelectRange", "selectRange", [] { XL->SelectRange(QStringLiteral("C7")); },
             {QStringLiteral("Unable to select the following cell") + in, QStringLiteral("Cell: C7"), ws, wb}, true},
            {"InsertValues", "writeColumn", [] { XL->InsertValues(QStringLiteral("B"), 8, 9); },
             {QStringLiteral("Unable to insert values") + in, ws, wb}, true},
            {"WriteCellText", "writeCellText", [] { XL->WriteCellText(QStringLiteral("D4"), QStringLiteral("=x")); },
             {QStringLiteral("Unable to insert text in the following cell") + in, QStringLiteral("Value: =x"),
              QStringLiteral("Cell: D4"), ws, wb},
             true},
            {"WriteCellNumber", "writeCellNumber", [] { XL->WriteCellNumber(QStringLiteral("G27"), 1234.5); },
             {QStringLiteral("Unable to insert number in the following cell") + in,
              QStringLiteral("Value: ") + Utils::FormatThousands(1234.5, 2), QStringLiteral("Cell: G27"), ws, wb},
             true},
            {"ClearContents", "clearContents", [] { XL->ClearContents(QStringLiteral("A8:AK2000")); },
             {QStringLiteral("Unable to insert text in the following cell") + in, QStringLiteral("Cell: A8:AK2000"),
              ws, wb},
             true},
            {"SetFontColor", "setFontColor", [] { XL->SetFontColor(QStringLiteral("G7"), 255); },
             {QStringLiteral("Unable to apply font colour to the following Cell") + in, QStringLiteral("Cell: G7"), ws,
              wb},
             true},
            {"SetInteriorColor", "setInteriorColor", [] { XL->SetInteriorColor(QStringLiteral("G7"), 255); },
             {QStringLiteral("Unable to apply background colour to the following Cell") + in,
              QStringLiteral("Cell: G7"), ws, wb},
             true},
        };
    }

    void opRows()
    {
        QTest::addColumn<int>("index");
        const auto all = cases();
        for (int i = 0; i < int(all.size()); ++i)
            QTest::newRow(all[size_t(i)].name) << i;
    }

private slots:
    void initTestCase()
    {
        // No installation to read: the server is named without a version.
        qputenv("ZOLL_SOFFICE", QByteArrayLiteral("/nonexistent/program/soffice.bin"));
        InitUILs();
        platform::setMachineKeys(&keys);
        StdDlg::setPrompter(&dlg);
        Progress::setPump([this] {
            ++pumps;
            if (pumps == cancelAtPump)
                Progress::form().SetCancelled(true);
        });
    }
    void cleanupTestCase()
    {
        XL.reset();
        setXLBackendFactory({});
        platform::setMachineKeys(nullptr);
        StdDlg::setPrompter(nullptr);
        Progress::setPump(nullptr);
    }
    void init()
    {
        keys.clear();
        dlg.seen.clear();
        dlg.answers.clear();
        pumps = 0;
        cancelAtPump = -1;
        Progress::form().SetCancelled(false);
        office = std::make_shared<FakeOffice>();
        office->install();
    }

    void cancelAtEntry_data() { opRows(); }
    void cancelAtEntry()
    {
        QFETCH(int, index);
        ready();
        const OpCase c = cases()[size_t(index)];
        XL->Log = QStringList{QStringLiteral("earlier")};
        Progress::form().SetCancelled(true);
        QVERIFY_THROWS_EXCEPTION(OperationAborted, c.call());
        QVERIFY(office->calls.isEmpty());
        QCOMPARE(XL->Log, QStringList{QStringLiteral("earlier")});
        QVERIFY(!Progress::form().Cancelled());
    }

    void failure_data() { opRows(); }
    void failure()
    {
        QFETCH(int, index);
        ready();
        const OpCase c = cases()[size_t(index)];
        XL->Log = QStringList{QStringLiteral("earlier")};
        office->fail(QLatin1String(c.backendOp), XLErrorKind::Other, QStringLiteral("boom"));
        try {
            c.call();
            QFAIL("no failure");
        } catch (const XLError& e) {
            QCOMPARE(e.kind(), XLErrorKind::Other);
            QCOMPARE(e.message(), c.messageKept ? QStringLiteral("boom") : QString());
            QCOMPARE(QString::fromUtf8(e.what()), e.message());
        }
        QCOMPARE(XL->Log, spaced(c.lines));
        QVERIFY(!Progress::form().Cancelled());
        // A success afterwards leaves the lines alone.
        XL->SetWorkbookFileName(kFile);
        XL->SelectRange(QStringLiteral("A1"));
        QCOMPARE(XL->Log, spaced(c.lines));
    }

    // A server ended as not answering: every operation says so in a line
    // of its own after its message, in place of the server's details.
    void noAnswer_data() { opRows(); }
    void noAnswer()
    {
        QFETCH(int, index);
        ready();
        const OpCase c = cases()[size_t(index)];
        office->fail(QLatin1String(c.backendOp), XLErrorKind::NoAnswer, kXLNoAnswerText);
        try {
            c.call();
            QFAIL("no failure");
        } catch (const XLError& e) {
            QCOMPARE(e.kind(), XLErrorKind::NoAnswer);
            QCOMPARE(e.message(), QString()); // no second details line
        }
        QStringList lines = c.lines;
        lines.removeAll(QStringLiteral("Details: boom"));
        lines.insert(1, kXLNoAnswerText);
        QCOMPARE(XL->Log, spaced(lines));
    }

    void noSpace()
    {
        ready();
        office->fail(QStringLiteral("saveAs"), XLErrorKind::NoSpace, QStringLiteral("impl_store failed: 0x20d"));
        QVERIFY_THROWS_EXCEPTION(XLError, XL->SaveAs(QStringLiteral("Output File"), QStringLiteral("/out/r.xlsx")));
        QCOMPARE(XL->Log, spaced({QStringLiteral("Unable to save the Data Source File as the Output File."),
                                  QStringLiteral("There is not enough free space on the disk to save the Output File."),
                                  QStringLiteral("Data Source File: ") + kFile,
                                  QStringLiteral("Output File: /out/r.xlsx")}));
    }

    void failureClearsPendingCancel()
    {
        ready();
        office->fail(QStringLiteral("deleteRows"));
        // A cancel pressed while the failing call was under way is dropped.
        cancelAtPump = pumps + 2;
        QVERIFY_THROWS_EXCEPTION(XLError, XL->DeleteRows(2, 2));
        QVERIFY(!Progress::form().Cancelled());
    }

    void nothingWithoutExcel()
    {
        keys.clear();
        XL.reset();
        XL = std::make_unique<TzyXL>();
        XL->Log = QStringList{QStringLiteral("earlier")};
        XL->StartExcel(false);
        XL->OpenWorkbook(kFile, QString(), QString(), true);
        QVERIFY(!XL->SelectWorksheet(QStringLiteral("Tasks")));
        XL->GetUsedRange();
        QVERIFY(XL->ExtractWSList().isEmpty());
        QVERIFY(XL->ExtractFldList(1, 3).isEmpty());
        QVERIFY(XL->ExtractValList(QStringLiteral("A"), 2, 3).isEmpty());
        XL->ExtractRawValues(QStringLiteral("A"), 2, 3);
        XL->QuitExcel();
        QVERIFY(XL->Vals.isEmpty());
        QCOMPARE(XL->LastRow, 0);
        QVERIFY(office->calls.isEmpty());
        QVERIFY(dlg.seen.isEmpty());
        QCOMPARE(XL->Log, QStringList{QStringLiteral("earlier")});
    }

    void openStoresNameBeforeCancel()
    {
        ready();
        XL->SetWorkbookFileName(QStringLiteral("/x.xls"));
        Progress::form().SetCancelled(true);
        QVERIFY_THROWS_EXCEPTION(OperationAborted, XL->OpenWorkbook(QStringLiteral("/y.xls"), {}, {}, true));
        QCOMPARE(XL->WBFileName, QStringLiteral("/y.xls"));
        Progress::form().SetCancelled(true);
        QVERIFY_THROWS_EXCEPTION(OperationAborted, XL->SelectWorksheet(QStringLiteral("Other")));
        QCOMPARE(XL->WSName, QStringLiteral("Other"));
    }

    void openWrongPassword()
    {
        ready();
        office->addWorkbook(QStringLiteral("/data/locked.xls"), QStringLiteral("secret"));
        try {
            XL->OpenWorkbook(QStringLiteral("/data/locked.xls"), QStringLiteral("guess"), QString(), true);
            QFAIL("opened");
        } catch (const XLError& e) {
            QVERIFY(!e.message().isEmpty());
        }
        QCOMPARE(XL->Log, spaced({QStringLiteral("Unable to open the Data Source File."),
                                  QStringLiteral("Data Source File: /data/locked.xls")}));
        QVERIFY(office->calls.first().startsWith(QStringLiteral("openWorkbook(/data/locked.xls, guess, , ro")));
    }

    void selectWorksheet_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("selected");
        QTest::newRow("other case") << "tASKS" << true << 2;
        QTest::newRow("leading blank") << " Tasks" << false << 4;
        QTest::newRow("missing") << "Plan" << false << 4;
        QTest::newRow("accent case") << QStringLiteral("\u00fcbersicht") << false << 4;
        QTest::newRow("accent exact") << QStringLiteral("\u00dcbersicht") << true << 4;
    }
    void selectWorksheet()
    {
        QFETCH(QString, name);
        QFETCH(bool, found);
        QFETCH(int, selected);
        ready();
        office->files[kFile].addSheet(QStringLiteral("\u00dcbersicht"));
        QCOMPARE(XL->SelectWorksheet(name), found);
        QCOMPARE(office->selectedSheet, selected);
        QCOMPARE(XL->WSName, name);
    }

    void selectWorksheetCancelledInLoop()
    {
        ready();
        XL->Log = QStringList{QStringLiteral("earlier")};
        cancelAtPump = pumps + 4; // entry pump, entry poll, first sheet, second sheet
        try {
            XL->SelectWorksheet(QStringLiteral("Notes"));
            QFAIL("not cancelled");
        } catch (const OperationAborted&) {
        }
        QVERIFY(XL->Log.isEmpty());
        QVERIFY(!Progress::form().Cancelled());
        QCOMPARE(office->count(QStringLiteral("selectWorksheet")), 0);
    }

    void selectWorksheetEmptyWorkbook()
    {
        ready();
        office->addWorkbook(QStringLiteral("/data/none.xls"));
        XL->OpenWorkbook(QStringLiteral("/data/none.xls"), {}, {}, true);
        QVERIFY(!XL->SelectWorksheet(QStringLiteral("Tasks")));
        QCOMPARE(office->selectedSheet, 0);
    }

    void usedRangeGivesLastNumbers()
    {
        ready();
        FakeSheet& s = office->files[kFile].addSheet(QStringLiteral("Offset"));
        s.text(QStringLiteral("B3"), QStringLiteral("a")).num(QStringLiteral("F20"), 1);
        s.autoFilter = true;
        s.split = true;
        XL->SetWorksheetName(QStringLiteral("Offset"));
        XL->GetUsedRange();
        QCOMPARE(XL->LastCol, 6);
        QCOMPARE(XL->LastRow, 20);
        QVERIFY(!s.autoFilter);
        QVERIFY(!s.split);

        FakeSheet& frozen = office->files[kFile].addSheet(QStringLiteral("Frozen"));
        frozen.split = frozen.frozen = true;
        XL->SetWorksheetName(QStringLiteral("Frozen"));
        XL->GetUsedRange();
        QVERIFY(frozen.split);
        QCOMPARE(XL->LastCol, 1);
        QCOMPARE(XL->LastRow, 1);
    }

    void rawValues()
    {
        ready();
        FakeSheet& s = tasks();
        s.num(QStringLiteral("C2"), 5).text(QStringLiteral("C3"), QStringLiteral("abc"));
        s.error(QStringLiteral("C5"), QStringLiteral(" #N/A ")).num(QStringLiteral("C6"), 41639);
        s.shown(QStringLiteral("C6"), QStringLiteral("31-Dec-2013"));
        XL->ExtractRawValues(QStringLiteral("C"), 2, 6);
        const XLColumn expected{XLCell::fromNumber(5), XLCell::fromText(QStringLiteral("abc")), XLCell::empty(),
                                XLCell::fromText(QStringLiteral("#N/A")), XLCell::fromNumber(41639)};
        QCOMPARE(XL->Vals, expected);
        QCOMPARE(office->count(QStringLiteral("readRawColumn")), 1);

        // One cell keeps its typed value.
        s.num(QStringLiteral("C7"), 12.5);
        XL->ExtractRawValues(QStringLiteral("c"), 7, 7);
        QCOMPARE(XL->Vals, XLColumn{XLCell::fromNumber(12.5)});
        XL->ExtractRawValues(QStringLiteral("C"), 4, 4);
        QCOMPARE(XL->Vals, XLColumn{XLCell::empty()});
    }

    void columnReadsBadRange_data()
    {
        QTest::addColumn<bool>("formatted");
        QTest::newRow("raw") << false;
        QTest::newRow("formatted") << true;
    }
    void columnReadsBadRange()
    {
        QFETCH(bool, formatted);
        ready();
        try {
            if (formatted)
                XL->ExtractFmtValues(QStringLiteral("ZZZZ"), 2, 4);
            else
                XL->ExtractRawValues(QStringLiteral("ZZZZ"), 2, 4);
            QFAIL("read");
        } catch (const XLError& e) {
            QCOMPARE(e.kind(), XLErrorKind::BadRange);
            QVERIFY(e.message().isEmpty());
        }
        const QString first = formatted
            ? QStringLiteral("Unable to extract formatted Task Field Values from the Task Worksheet in the Data "
                             "Source File.")
            : QStringLiteral("Unable to extract Task Field Values from the Task Worksheet in the Data Source File.");
        const QString hint = formatted ? QStringLiteral("Please ensure the Data Source Filter Task Fields are valid.")
                                       : QStringLiteral("Please ensure the Data Source Map Task Fields are valid.");
        QCOMPARE(XL->Log, spaced({first, QStringLiteral("Task Field: ZZZZ"), hint}));
    }

    void columnReadEmptyMessage()
    {
        ready();
        // A failure without a message adds no detail lines.
        office->fail(QStringLiteral("readRawColumn"), XLErrorKind::Other, QStringLiteral(""));
        QVERIFY_THROWS_EXCEPTION(XLError, XL->ExtractRawValues(QStringLiteral("B"), 2, 2));
        QCOMPARE(XL->Log, spaced({QStringLiteral("Unable to extract Task Field Values from the Task Worksheet in "
                                                 "the Data Source File.")}));
    }

    void formattedValues()
    {
        ready();
        FakeSheet& s = tasks();
        s.num(QStringLiteral("D2"), 0.5).shown(QStringLiteral("D2"), QStringLiteral(" 50% "));
        s.text(QStringLiteral("D3"), QStringLiteral("two\nlines"));
        s.text(QStringLiteral("D4"), QStringLiteral("say \"x\"\nnow"));
        s.num(QStringLiteral("D5"), 41639).shown(QStringLiteral("D5"), QStringLiteral("31-Dec-2013"));
        s.hideRow(3).hideRow(60000).hideCol(4).hideCol(300);
        XL->ExtractFmtValues(QStringLiteral("D"), 2, 6);
        QCOMPARE(texts(XL->Vals), (QStringList{QStringLiteral("50%"), QStringLiteral("twolines"),
                                               QStringLiteral("say \"x\"now"), QStringLiteral("31-Dec-2013"),
                                               QString()}));
        // Everything within the .xls limits is shown again.
        QVERIFY(s.hiddenRows.isEmpty());
        QCOMPARE(s.hiddenCols, QSet<int>{300});
        QCOMPARE(s.selection, QStringLiteral("A1"));
        QCOMPARE(office->callNames(), (QStringList{"unhideAllColumns", "selectRange", "unhideAllRows", "selectRange",
                                                   "readDisplayColumn"}));
        QCOMPARE(office->calls.first(), QStringLiteral("unhideAllColumns(256)"));
        QCOMPARE(office->calls[2], QStringLiteral("unhideAllRows(65536)"));
    }

    void nestedFailureKeepsOuterLines_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::newRow("unhide columns") << "unhideAllColumns";
        QTest::newRow("unhide rows") << "unhideAllRows";
        QTest::newRow("select A1") << "selectRange";
    }
    void nestedFailureKeepsOuterLines()
    {
        QFETCH(QString, failing);
        ready();
        office->fail(failing, XLErrorKind::Other, QStringLiteral("inner"));
        try {
            XL->ExtractFmtValues(QStringLiteral("B"), 2, 3);
            QFAIL("read");
        } catch (const XLError& e) {
            QVERIFY(e.message().isEmpty());
        }
        QCOMPARE(XL->Log, spaced({QStringLiteral("Unable to extract formatted Task Field Values from the Task "
                                                 "Worksheet in the Data Source File."),
                                  QStringLiteral("Details: inner")}));
    }

    void valueListReplacesInnerLines()
    {
        ready();
        office->fail(QStringLiteral("unhideAllRows"), XLErrorKind::Other, QStringLiteral("inner"));
        try {
            XL->ExtractValList(QStringLiteral("B"), 2, 3);
            QFAIL("read");
        } catch (const XLError& e) {
            // The inner read emptied the message after writing its details.
            QVERIFY(e.message().isEmpty());
        }
        QCOMPARE(XL->Log,
                 spaced({QStringLiteral("Unable to extract Task Field Values from the Task Worksheet in the Data "
                                        "Source File."),
                         QStringLiteral("Task Field: B"), QStringLiteral("Task Worksheet: Tasks"),
                         QStringLiteral("Data Source File: ") + kFile}));
    }

    void valueList()
    {
        ready();
        tasks().column(QStringLiteral("E"), 2,
                       {QStringLiteral("B"), QStringLiteral("A"), QString(), QStringLiteral(" B"),
                        QStringLiteral("A")});
        MemoryProgress progress;
        Progress::setForm(&progress);
        const QStringList values = XL->ExtractValList(QStringLiteral("E"), 2, 6);
        Progress::setForm(nullptr);
        QCOMPARE(values, (QStringList{"B", "A", "", "B", "A"}));
        QVERIFY(progress.lines().last().contains(QStringLiteral("Extracting Task Field Values: 5 of 5...")));
        QVERIFY(!progress.stepVisible());
    }

    void valueListCancelledAtEntry()
    {
        ready();
        XL->Log = QStringList{QStringLiteral("earlier")};
        Progress::form().SetCancelled(true);
        QVERIFY_THROWS_EXCEPTION(OperationAborted, XL->ExtractValList(QStringLiteral("A"), 0, 1));
        QVERIFY(office->calls.isEmpty());
        QCOMPARE(XL->Log, QStringList{QStringLiteral("earlier")});
    }

    void valueListCancelInside()
    {
        ready();
        XL->Log = QStringList{QStringLiteral("earlier")};
        // Cancel taken by the poll of the inner read: the log is emptied.
        cancelAtPump = pumps + 3;
        QVERIFY_THROWS_EXCEPTION(OperationAborted, XL->ExtractValList(QStringLiteral("A"), 2, 3));
        QVERIFY(XL->Log.isEmpty());
        QVERIFY(!Progress::form().Cancelled());
    }

    void parseClipboardText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("three cells") << "a \r\n\tb\r\nc\r\n" << 3 << QStringList{"a", "b", "c"};
        QTest::newRow("quoted multi-line") << "x\r\n\"one\ntwo\"\r\n" << 2 << QStringList{"x", "onetwo"};
        QTest::newRow("last line without CR LF") << "a\r\nb" << 2 << QStringList{"a", ""};
        QTest::newRow("more lines than rows") << "a\r\nb\r\nc\r\n" << 2 << QStringList{"a", "b"};
        QTest::newRow("empty text") << "" << 3 << QStringList{"", "", ""};
        QTest::newRow("lone CR kept") << "a\rb\r\n" << 1 << QStringList{"a\rb"};
        QTest::newRow("tab is no separator") << "a\tb\r\n" << 1 << QStringList{"a\tb"};
        QTest::newRow("quotes on one line kept") << "\"q\"\r\n" << 1 << QStringList{"\"q\""};
        QTest::newRow("doubled quotes in multi-line") << "\"a\"\"b\nc\"\r\n" << 1 << QStringList{"a\"\"bc"};
        QTest::newRow("row count clamped") << "a\r\n" << 0 << QStringList{"a"};
    }
    void parseClipboardText()
    {
        QFETCH(QString, text);
        QFETCH(int, rows);
        QFETCH(QStringList, expected);
        ready();
        XL->ParseClipboardText(QStringLiteral("A"), rows, text);
        QCOMPARE(texts(XL->Vals), expected);
        for (const XLCell& c : std::as_const(XL->Vals))
            QCOMPARE(c.kind, XLCell::Text);
    }

    void parseClipboardTextCancel()
    {
        ready();
        XL->Log = QStringList{QStringLiteral("earlier")};
        XL->Vals = XLColumn{XLCell::fromNumber(1)};
        Progress::form().SetCancelled(true);
        QVERIFY_THROWS_EXCEPTION(OperationAborted, XL->ParseClipboardText(QStringLiteral("A"), 2, "a\r\n"));
        QCOMPARE(XL->Vals, XLColumn{XLCell::fromNumber(1)});
        QCOMPARE(XL->Log, QStringList{QStringLiteral("earlier")});
    }

    void worksheetList()
    {
        ready();
        MemoryProgress progress;
        Progress::setForm(&progress);
        const QStringList names = XL->ExtractWSList();
        Progress::setForm(nullptr);
        QCOMPARE(names, (QStringList{"Summary", "Tasks", "Notes"}));
        QVERIFY(progress.lines().last().contains(QStringLiteral("Extracting Worksheet Names: 3 of 3...")));
    }

    void fieldList()
    {
        ready();
        FakeSheet& s = tasks();
        s.error(QStringLiteral("C1"), QStringLiteral("#REF!"));
        s.text(QStringLiteral("A3"), QStringLiteral(" Pour ")).text(QStringLiteral("A4"), QStringLiteral("Cure"));
        XL->GetUsedRange();
        QCOMPARE(XL->LastCol, 3);
        const QVector<XLTaskField> fields = XL->ExtractFldList(1, 3);
        QCOMPARE(fields.size(), 3);
        QCOMPARE(fields[0].field, QStringLiteral("A"));
        QCOMPARE(fields[0].description, QStringLiteral("Task"));
        QCOMPARE(fields[0].values, (QStringList{"Dig", "Pour", "Cure"}));
        QCOMPARE(fields[1].field, QStringLiteral("B"));
        QCOMPARE(fields[1].values, (QStringList{"5", "", ""}));
        QCOMPARE(fields[2].field, QStringLiteral("C"));
        QCOMPARE(fields[2].description, QStringLiteral("#REF!"));

        QCOMPARE(XL->ExtractFldList(1, 0)[0].values, QStringList{});

        // Sample rows beyond the last row stay empty.
        s.text(QStringLiteral("A65535"), QStringLiteral("H")).text(QStringLiteral("A65536"), QStringLiteral("v"));
        const auto low = XL->ExtractFldList(65535, 3);
        QCOMPARE(low[0].description, QStringLiteral("H"));
        QCOMPARE(low[0].values, (QStringList{"v", "", ""}));
    }

    void fieldListCancelBetweenColumns()
    {
        ready();
        XL->Log = QStringList{QStringLiteral("earlier")};
        cancelAtPump = pumps + 3; // entry, first column, second column
        QVERIFY_THROWS_EXCEPTION(OperationAborted, XL->ExtractFldList(1, 1));
        QCOMPARE(office->count(QStringLiteral("readHeaderField")), 1);
        QVERIFY(XL->Log.isEmpty());
    }

    void saveFormats_data()
    {
        QTest::addColumn<QString>("curVer");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("format");
        QTest::newRow("2013 xls") << "Excel.Application.15" << "/o/r.xls" << "xls";
        QTest::newRow("2013 XLS") << "Excel.Application.15" << "/o/r.XLS" << "xls";
        QTest::newRow("2013 xlsx") << "Excel.Application.15" << "/o/r.xlsx" << "xlsx";
        QTest::newRow("2010 xlsm") << "Excel.Application.14" << "/o/r.xlsm" << "xlsx";
        QTest::newRow("2007 none") << "Excel.Application.12" << "/o/r" << "xlsx";
        QTest::newRow("2003 xlsx") << "Excel.Application.11" << "/o/r.xlsx" << "own";
        QTest::newRow("97 xls") << "Excel.Application.8" << "/o/r.xls" << "own";
    }
    void saveFormats()
    {
        QFETCH(QString, curVer);
        QFETCH(QString, file);
        QFETCH(QString, format);
        ready(curVer);
        XL->SaveAs(QStringLiteral("Output File"), file);
        QCOMPARE(office->calls, QStringList{QStringLiteral("saveAs(%1, %2)").arg(file, format)});
        QCOMPARE(XL->WBLabel, QStringLiteral("Output File"));
        QCOMPARE(XL->WBFileName, file);
        XL->CloseWorkbook(false);
        QVERIFY(office->files.contains(file));
        QCOMPARE(office->calls.last(), QStringLiteral("closeWorkbook(nosave)"));
    }

    void failedSaveKeepsLabels()
    {
        ready();
        XL->SetWorkbookLabel(QStringLiteral("Template File"));
        office->fail(QStringLiteral("saveAs"));
        QVERIFY_THROWS_EXCEPTION(XLError, XL->SaveAs(QStringLiteral("Output File"), QStringLiteral("/o/r.xlsx")));
        QCOMPARE(XL->WBLabel, QStringLiteral("Template File"));
        QCOMPARE(XL->WBFileName, kFile);
        QCOMPARE(XL->Log.first(), QStringLiteral("Unable to save the Template File as the Output File."));
        QCOMPARE(XL->Log[XL->Log.size() - 2], QStringLiteral("Output File: /o/r.xlsx"));
    }

    void writing()
    {
        ready();
        FakeSheet& s = tasks();
        s.text(QStringLiteral("A9"), QStringLiteral("nine")).hideRow(10);
        XL->InsertRows(9, 20);
        QCOMPARE(s.value(QStringLiteral("A21")), XLCell::fromText(QStringLiteral("nine")));
        QCOMPARE(s.selection, QStringLiteral("A9"));
        QVERIFY(s.hiddenRows.contains(22));
        XL->DeleteRows(9, 20);
        QCOMPARE(s.value(QStringLiteral("A9")), XLCell::fromText(QStringLiteral("nine")));

        XL->Data = XLColumn{XLCell::fromNumber(1), XLCell::fromText(QStringLiteral("=two")), XLCell::empty()};
        XL->InsertValues(QStringLiteral("B"), 8, 12);
        QCOMPARE(s.value(QStringLiteral("B8")), XLCell::fromNumber(1));
        QCOMPARE(s.value(QStringLiteral("B9")), XLCell::fromText(QStringLiteral("=two")));
        QCOMPARE(office->calls.last(), QStringLiteral("writeColumn(B, 8, 12, 1, \"=two\", , , )"));

        XL->WriteCellText(QStringLiteral("C3"), QStringLiteral("=title"));
        XL->WriteCellNumber(QStringLiteral("C4"), 41639);
        QCOMPARE(s.value(QStringLiteral("C3")), XLCell::fromText(QStringLiteral("=title")));
        QCOMPARE(s.value(QStringLiteral("C4")), XLCell::fromNumber(41639));

        // A range clears in one request; cells around it stay.
        XL->ClearContents(QStringLiteral("B8:C8"));
        QCOMPARE(s.value(QStringLiteral("B8")), XLCell::empty());
        QCOMPARE(s.value(QStringLiteral("B9")), XLCell::fromText(QStringLiteral("=two")));
        QCOMPARE(office->calls.last(), QStringLiteral("clearContents(B8:C8)"));

        XL->SetFontColor(QStringLiteral("G7"), 255);
        XL->SetInteriorColor(QStringLiteral("g7"), 12632256);
        QCOMPARE(s.fontColors.value(QStringLiteral("G7")), 255);
        QCOMPARE(s.interiorColors.value(QStringLiteral("G7")), 12632256);
        QVERIFY(XL->Log.isEmpty());
    }

    void quitWithoutServer()
    {
        ready();
        XL->QuitExcel();
        office->calls.clear();
        XL->Log = QStringList{QStringLiteral("earlier")};
        XL->QuitExcel();
        QVERIFY(!office->running);
        QVERIFY(dlg.seen.isEmpty());
        QCOMPARE(XL->Log, QStringList{QStringLiteral("earlier")});
    }

    void quitIgnoresCancel()
    {
        ready();
        Progress::form().SetCancelled(true);
        XL->QuitExcel();
        QVERIFY(!office->running);
        // Only an error clears the flag.
        QVERIFY(Progress::form().Cancelled());
        Progress::form().SetCancelled(false);
    }

    void quitBusyRetried()
    {
        ready();
        office->busy(QStringLiteral("quit"), 2);
        dlg.answers = {StdDlg::mrRetry, StdDlg::mrRetry};
        XL->Log = QStringList{QStringLiteral("earlier")};
        XL->QuitExcel();
        QCOMPARE(dlg.ids(), (QStringList{"XL003", "XL003"}));
        QCOMPARE(office->count(QStringLiteral("quit")), 3);
        QVERIFY(!office->running);
        QCOMPARE(XL->Log, QStringList{QStringLiteral("earlier")});

        const StdDlg::Request& r = dlg.seen.first();
        QCOMPARE(r.level, int(StdDlg::Question));
        QCOMPARE(r.lines, (QStringList{
                              QStringLiteral("LibreOffice is busy, and not responding to Tarvo ZOL Lumo."),
                              QString(), QStringLiteral("Unable to close LibreOffice."), QString(),
                              QStringLiteral("LibreOffice may still be working on the workbook."), QString(),
                              QStringLiteral("Please wait a moment before you click Retry."),
                              QString(), QStringLiteral("Your own LibreOffice documents are not affected."), QString(),
                              QStringLiteral("Click Retry to close LibreOffice.")}));
        QCOMPARE(r.buttons[1].caption, QStringLiteral("&Retry"));
        QCOMPARE(r.buttons[1].modalResult, int(StdDlg::mrRetry));
        QCOMPARE(r.buttons[1].glyph, int(StdDlg::glRetry));
        QCOMPARE(r.buttons[1].hint, QStringLiteral("Attempt to close the spreadsheet server."));
        QCOMPARE(r.buttons[2].caption, QStringLiteral("Cancel"));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrCancel));
        QCOMPARE(r.buttons[2].glyph, int(StdDlg::glCancel));
        QCOMPARE(r.buttons[2].hint, QStringLiteral("Cancel: The spreadsheet server will not be closed now.\r\n"
                                                   "It is ended when this program closes."));
    }

    void quitBusyCancelled()
    {
        ready(QStringLiteral("Excel.Application.11"));
        office->busy(QStringLiteral("quit"), -1);
        dlg.answers = {StdDlg::mrRetry, StdDlg::mrCancel};
        Progress::form().SetCancelled(true);
        try {
            XL->QuitExcel();
            QFAIL("quit");
        } catch (const XLError& e) {
            QCOMPARE(e.kind(), XLErrorKind::Busy);
            QCOMPARE(e.message(), QStringLiteral("OLE error 800AC472"));
        }
        QCOMPARE(dlg.ids(), (QStringList{"XL003", "XL003", "XL004"}));
        const StdDlg::Request& r = dlg.seen.last();
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines, (QStringList{QStringLiteral("Unable to close LibreOffice."), QString(),
                                       QStringLiteral("This program ends the spreadsheet server it started"), QString(),
                                       QStringLiteral("when the program closes; there is nothing"), QString(),
                                       QStringLiteral("to end by hand.")}));
        QCOMPARE(r.buttons[2].caption, QStringLiteral("&Close"));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
        QCOMPARE(XL->Log,
                 spaced({QStringLiteral("LibreOffice is busy, and is not responding to Tarvo ZOL Lumo."),
                         QStringLiteral("Unable to close LibreOffice."),
                         QStringLiteral("LibreOffice will be ended when this program closes.")}));
        QVERIFY(office->running);
        QVERIFY(!Progress::form().Cancelled());

        // The server is still held: a later quit ends it.
        office->clearFailures();
        XL->QuitExcel();
        QVERIFY(!office->running);
    }

    void quitOtherFailure()
    {
        ready(QStringLiteral("Excel.Application.12"));
        office->fail(QStringLiteral("quit"), XLErrorKind::Other, QStringLiteral("gone"));
        try {
            XL->QuitExcel();
            QFAIL("quit");
        } catch (const XLError& e) {
            QCOMPARE(e.message(), QStringLiteral("gone"));
        }
        QVERIFY(dlg.seen.isEmpty());
        QCOMPARE(XL->Log, spaced({QStringLiteral("Unable to close LibreOffice.")}));
    }

    void destructionEndsServer()
    {
        ready();
        QVERIFY(office->running);
        QCOMPARE(office->backendsAlive, 1);
        XL.reset();
        QVERIFY(!office->running);
        QCOMPARE(office->backendsAlive, 0);
    }
};

QTEST_GUILESS_MAIN(TstXLOps)
#include "tst_xl_ops.moc"
