// The main form's texts, hints and layout: the caption and hint tables
// walked control by control, the name contract the pages rely on, the
// frame's relations at its minimum size and larger, a larger font, a small
// work area.
#include "FormsTestKit.h"
#include "HeadingPanel.h"
#include "FieldIndicator.h"
#include "FramePlace.h"
#include "UF_Main.h"
#include "UF_MainFilter.h"
#include "UF_MainMap.h"
#include "UF_MainOptions.h"
#include "UF_MainTexts.h"
#include "zyGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// The text a row must show, built from the text table and the blank rules.
QString expected(const MainTexts::CaptionEntry& e)
{
    using K = MainTexts::Kind;
    const QString t = e.textId ? UIT(e.textId) : QString();
    switch (e.kind) {
    case K::Bare:
    case K::ComboItem: return t;
    case K::BareProduct: return QString(t).replace(QStringLiteral("%s"), QStringLiteral("Tarvo ZOL Lumo"));
    case K::Heading: return QStringLiteral("  ") + t + QStringLiteral(" ");
    case K::GridHeader:
    case K::GridGutter: return t.isEmpty() ? QString() : QStringLiteral(" ") + t + QStringLiteral(" ");
    default: return QStringLiteral(" ") + t + QStringLiteral(" ");
    }
}

bool isFrameControl(const QString& name)
{
    return name.startsWith(QLatin1String("MT_")) || name.startsWith(QLatin1String("MI_"))
        || name.startsWith(QLatin1String("TBtn_")) || name == QLatin1String("BBtn_Process")
        || name.startsWith(QLatin1String("TS_"));
}

// The main form at its default size (its minimum) on a large work area,
// showing `page`.
struct AtDefaultSize {
    formskit::Globals g;
    formskit::WorkArea wa{QRect(0, 0, 3000, 2000)};
    std::unique_ptr<TUF_Main> form;
    explicit AtDefaultSize(int page, const std::function<void()>& prepare = {})
    {
        form = std::make_unique<TUF_Main>();
        if (prepare)
            prepare();
        form->EnablePages(true);
        form->resize(form->minimumSize());
        form->show();
        form->GoToPage(page);
        QCoreApplication::processEvents();
    }
};

// Right edge in the form's coordinates.
int rightIn(const QWidget* w, const QWidget* form)
{
    return w->mapTo(form, QPoint(w->width(), 0)).x();
}

} // namespace

class TestMainLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { formskit::FixLook(); }

    // Every row of the caption table names a control of the form, and that
    // control shows the row's text.
    void captionTableWalk()
    {
        formskit::Globals g;
        TUF_Main form;
        int frameRows = 0;
        QStringList missing;
        for (const MainTexts::CaptionEntry& e : MainTexts::Captions()) {
            const QString name = QString::fromLatin1(e.control);
            QObject* control = form.findChild<QObject*>(name);
            if (isFrameControl(name))
                ++frameRows;
            if (!control) {
                missing << name;
                continue;
            }
            QCOMPARE(MainTexts::ShownCaption(control, e), expected(e));
        }
        QCOMPARE(frameRows, 26);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
        QCOMPARE(form.MI_Help_About->text(), QStringLiteral("&About Tarvo ZOL Lumo..."));
        QCOMPARE(form.MT_Help->title(), QStringLiteral("&Help"));
        QCOMPARE(form.TBtn_ShowHints->text(), QStringLiteral(" Show Hints "));
        QCOMPARE(form.PC_Main->tabText(3), QStringLiteral(" Data Source Filter "));
        QCOMPARE(form.BBtn_Process->text(), QStringLiteral(" &Process "));
    }

    void hintTable_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("hint");
        QTest::newRow("reset") << "TBtn_File_Reset" << ""
                               << "Reset ZOL Definition Data to default values.\r\nShortcut: (Ctrl+R)";
        QTest::newRow("cut") << "TBtn_Edit_Cut" << "Ctrl+X"
                             << "Cut the selected text to the Clipboard.\r\nShortcut: (Ctrl+X)";
        QTest::newRow("undo") << "TBtn_Edit_Undo" << "Ctrl+Z" << "Undo the last change.\r\nShortcut: (Ctrl+Z)";
        QTest::newRow("header row") << "TB_SCF_DSF_THR" << ""
                                    << "Enter the Task Header Row.\r\n"
                                       "This is the row in the Task Worksheet containing the Task Field Descriptions.\r\n"
                                       "Valid Range (.xls Data Source File): 1..65535\r\n"
                                       "Valid Range (.xlsx Data Source File): 1..1048575";
        QTest::newRow("task worksheet") << "TB_SCF_DSF_TaskWS" << ""
                                        << "Enter the Task Worksheet Name.\r\n"
                                           "The Task Worksheet contains the Task Data to be processed.\r\n"
                                           "Maximum Length: 31 characters.";
        QTest::newRow("project title") << "TB_PD_ProjectTitle" << ""
                                       << "Enter the Project Title.\r\nMaximum Length: 255 characters.";
        QTest::newRow("process") << "BBtn_Process" << "" << "Process the ZOL Definition.\r\nShortcut: (Alt-P)";
    }
    void hintTable()
    {
        QFETCH(QString, control);
        QFETCH(QString, shortcut);
        QFETCH(QString, hint);
        formskit::Globals g;
        const auto& rows = MainTexts::Hints();
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const MainTexts::HintEntry& e) { return control == QLatin1String(e.control); });
        QVERIFY(row != rows.end());
        QCOMPARE(MainTexts::HintText(*row, shortcut), hint);
    }

    // The frame's hints are on its controls, shortcut lines completed from
    // the actions, one line per text on screen.
    void frameHintsOnControls()
    {
        formskit::Globals g;
        TUF_Main form;
        for (const MainTexts::HintEntry& e : MainTexts::Hints()) {
            const QString name = QString::fromLatin1(e.control);
            if (!isFrameControl(name))
                continue;
            auto* w = form.findChild<QWidget*>(name);
            QVERIFY2(w, qPrintable(name));
            QVERIFY(!w->toolTip().contains(QLatin1Char('\r')));
            QCOMPARE(w->toolTip().count(QLatin1Char('\n')), int(e.lines.size()) - 1);
        }
        QCOMPARE(form.TBtn_Edit_Copy->toolTip(), QStringLiteral("Copy the selected text to the Clipboard.\nShortcut: (Ctrl+C)"));
    }

    // A page names its controls; the frame's set-up puts the texts, hints,
    // limits and the required colour on them.
    void pageControlsTakeTheirTextsByName()
    {
        formskit::Globals g;
        TUF_Main form;
        // Page 0 builds these itself; the others are made here.
        auto* label = form.TS_SCF->findChild<QLabel*>(QStringLiteral("Lbl_SCF_DSF_TaskWS"));
        auto* note = form.TS_SCF->findChild<QLabel*>(QStringLiteral("Lbl_SCF_Note"));
        auto* panel = form.TS_SCF->findChild<HeadingPanel*>(QStringLiteral("Pnl_SCF_DSF"));
        auto* edit = form.TS_SCF->findChild<QLineEdit*>(QStringLiteral("TB_SCF_DSF_TaskWS"));
        QVERIFY(label && note && panel && edit);
        auto* check = new QCheckBox(form.TS_SCO);
        check->setObjectName(QStringLiteral("CB_SCO_GenerateBL"));
        auto* grid = new TzyGrid(form.TS_DSM);
        grid->setObjectName(QStringLiteral("SG_DSM"));
        grid->setColCount(3);
        grid->setRowCount(9);
        auto* ops = new QComboBox(form.TS_DSF);
        ops->setObjectName(QStringLiteral("DDL_DSF_FilterOperator"));
        ops->addItem(QStringLiteral("stale"));
        form.SetupUIT();
        form.SetupHints();
        form.SetupControls();

        QCOMPARE(label->text(), QStringLiteral(" Task Worksheet "));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0x80, 0x00, 0x00));
        QVERIFY(note->palette().color(QPalette::WindowText) != QColor(0x80, 0x00, 0x00));
        QCOMPARE(panel->Caption(), QStringLiteral("  Data Source File Settings "));
        QCOMPARE(edit->maxLength(), 31);
        QCOMPARE(edit->toolTip(), QStringLiteral("Enter the Task Worksheet Name.\nThe Task Worksheet contains the Task Data "
                                                 "to be processed.\nMaximum Length: 31 characters."));
        QCOMPARE(check->text(), QStringLiteral(" Generate &Baseline Data "));
        QCOMPARE(grid->HomeText(), QStringLiteral(" Task Field Name "));
        QCOMPARE(grid->getHeaderCellText(1), QStringLiteral(" Task Field "));
        QCOMPARE(grid->getHeaderCellText(3), QString());
        QCOMPARE(grid->getGutterCellText(9), QStringLiteral(" % Complete "));
        QCOMPARE(ops->count(), 15);
        QCOMPARE(ops->itemText(0), QStringLiteral("Please Select..."));
        QCOMPARE(ops->itemText(1), QStringLiteral("Equals"));
        QCOMPARE(ops->itemText(14), QStringLiteral("Does Not Contain"));
        QCOMPARE(ops->currentIndex(), 0);
    }

    void maxLengthTableMatchesTheEdits_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("maxLength");
        for (const MainTexts::MaxLengthEntry& e : MainTexts::MaxLengths())
            QTest::newRow(e.control) << QString::fromLatin1(e.control) << e.maxLength;
    }
    void maxLengthTableMatchesTheEdits()
    {
        QFETCH(QString, edit);
        QFETCH(int, maxLength);
        const int want = edit.endsWith(QLatin1String("DrivePathFilenameExtn")) ? 260
            : edit.endsWith(QLatin1String("WS"))                             ? 31
            : edit.endsWith(QLatin1String("THR"))                            ? 7
                                                                             : 255;
        QCOMPARE(maxLength, want);
    }

    // ---- layout ----

    void frameRelationsAtMinimumAndLarger_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("minimum") << 1.0;
        QTest::newRow("one and a half") << 1.5;
    }
    void frameRelationsAtMinimumAndLarger()
    {
        QFETCH(double, scale);
        formskit::Globals g;
        formskit::WorkArea wa(QRect(0, 0, 3000, 2000));
        TUF_Main form;
        auto* panel = new HeadingPanel(form.TS_DSF, QStringLiteral("Pnl_DSF_T"));
        FieldIndicator* img = panel->Indicator(QStringLiteral("Img_DSF_T"));
        auto* l = new QVBoxLayout(form.TS_DSF);
        l->addWidget(panel);
        l->addStretch(1);
        form.SetupConstraints();
        form.show();
        form.GoToPage(3);
        const QSize min = form.minimumSize();
        form.resize(QSize(int(min.width() * scale), int(min.height() * scale)));
        QCoreApplication::processEvents();
        form.ArrangeRight(true);
        // The Process button 8 pixels from the right edge, inside its panel.
        QCOMPARE(rightIn(form.BBtn_Process, &form), form.width() - 8);
        QVERIFY(form.BBtn_Process->geometry().bottom() < form.Pnl_Main_BBtn->height());
        QCOMPARE(form.Pnl_Main_BBtn->height(), form.BBtn_Process->height() + 12);
        QCOMPARE(form.Pnl_Main_BBtn->mapTo(&form, QPoint(0, form.Pnl_Main_BBtn->height())).y(), form.height());
        // A heading's indicator at its right edge, centred in it.
        QCOMPARE(img->geometry().right() + 1, panel->width() - 8);
        QVERIFY(qAbs((img->geometry().center().y()) - panel->height() / 2) <= 1);
        // The pages fill the room between the toolbar and the button panel.
        QVERIFY(form.PC_Main->geometry().bottom() < form.Pnl_Main_BBtn->geometry().top());
        QVERIFY(form.menuBar()->geometry().bottom() < form.TBar_Main->geometry().top());
    }

    // ---- the pages at the default size ----

    // Both previews' legends show every caption whole: "Cut Off Date" ends
    // inside the form.
    void legendsShowWholeCaptions_data()
    {
        QTest::addColumn<bool>("histogram");
        QTest::newRow("S curve") << false;
        QTest::newRow("histogram") << true;
    }
    void legendsShowWholeCaptions()
    {
        QFETCH(bool, histogram);
        AtDefaultSize x(1);
        const TUF_MainOptions::Preview& p = histogram ? x.form->Options->HG : x.form->Options->SC;
        QList<QLabel*> labels{p.legend};
        for (QLabel* l : p.entryLabel)
            labels << l;
        for (QLabel* l : labels) {
            QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
            QVERIFY2(rightIn(l, x.form.get()) <= x.form->width(),
                     qPrintable(QStringLiteral("%1 ends at %2 of %3")
                                    .arg(l->text())
                                    .arg(rightIn(l, x.form.get()))
                                    .arg(x.form->width())));
        }
    }

    // The filter grid shows the Task Field Value column, its browse button
    // included, after Auto Size; the operator list stays inside its row.
    void filterGridInView()
    {
        AtDefaultSize x(3, [] {
            TzyDSF& dsf = SDs->getItems(SDs->ActiveSD()).DSF;
            dsf.SetEnabled(true);
            for (const char* tf : {"A", "B", "C"}) {
                TzyDSFx& r = dsf.getItems(dsf.Add());
                r.SetTaskFld(QString::fromLatin1(tf));
                r.SetTaskFldDesc(QStringLiteral("Discipline"));
                r.SetTaskFldValue(QStringLiteral("Civil"));
            }
        });
        TUF_MainFilter& p = *x.form->Filter;
        TzyGrid* g = p.SG_DSF;
        if (!p.SBtn_DSF_AutoSize->isChecked())
            QTest::mouseClick(p.SBtn_DSF_AutoSize, Qt::LeftButton);
        QVERIFY(p.SBtn_DSF_AutoSize->isChecked());
        g->MoveToCell(5, 2);
        QCoreApplication::processEvents();
        const GridRect value = g->GridToClient(g->CellRect(5, 2));
        QVERIFY2(value.L >= 0 && value.R <= g->viewport()->width(),
                 qPrintable(QStringLiteral("%1..%2 of %3").arg(value.L).arg(value.R).arg(g->viewport()->width())));
        QVERIFY(p.BBtn_DSF_TaskFldValue_Browse->isVisible());
        const QPoint button = g->viewport()->mapFromGlobal(p.BBtn_DSF_TaskFldValue_Browse->mapToGlobal(QPoint(0, 0)));
        QVERIFY(button.x() + p.BBtn_DSF_TaskFldValue_Browse->width() <= g->viewport()->width());

        g->MoveToCell(4, 2);
        QComboBox* list = p.DDL_DSF_FilterOperator;
        QVERIFY(list->isVisible());
        const GridRect cell = g->GridToClient(g->CellRect(4, 2));
        const QPoint top = g->viewport()->mapFromGlobal(list->mapToGlobal(QPoint(0, 0)));
        QVERIFY2(top.y() >= cell.T && top.y() + list->height() <= cell.B,
                 qPrintable(QStringLiteral("list %1..%2, row %3..%4")
                                .arg(top.y()).arg(top.y() + list->height()).arg(cell.T).arg(cell.B)));
    }

    // The command buttons of the map and filter pages where the layout puts
    // them: Update Task Field Descriptions 8 pixels right of Auto Size, the
    // seven filter commands side by side, Auto Size 6 pixels below them.
    void commandButtonsAsLaidDown()
    {
        AtDefaultSize x(2);
        TUF_MainMap& m = *x.form->Map;
        QCOMPARE(m.BBtn_DSM_UpdateTaskFldDesc->geometry().left(), m.SBtn_DSM_AutoSize->geometry().right() + 1 + 8);
        x.form->GoToPage(3);
        QCoreApplication::processEvents();
        TUF_MainFilter& f = *x.form->Filter;
        const QList<QWidget*> row{f.SBtn_DSF_Enable, f.BBtn_DSF_Insert,  f.BBtn_DSF_Delete, f.BBtn_DSF_MoveUp,
                                  f.BBtn_DSF_MoveDown, f.BBtn_DSF_Refresh, f.BBtn_DSF_Clear};
        for (int i = 1; i < row.size(); ++i)
            QVERIFY2(row[i]->geometry().left() == row[i - 1]->geometry().right() + 1,
                     qPrintable(row[i]->objectName()));
        QCOMPARE(f.SBtn_DSF_AutoSize->geometry().top(), f.SBtn_DSF_Enable->geometry().bottom() + 1 + 6);
        QCOMPARE(f.BBtn_DSF_UpdateTaskFldDesc->geometry().top(), f.SBtn_DSF_AutoSize->geometry().top());
        QCOMPARE(f.BBtn_DSF_UpdateTaskFldDesc->geometry().left(), f.SBtn_DSF_AutoSize->geometry().right() + 1 + 8);
    }

    void helpMenuSitsAtTheRight()
    {
        formskit::Globals g;
        TUF_Main form;
        form.show();
        QMenuBar* bar = form.menuBar();
        const QRect help = bar->actionGeometry(form.MT_Help->menuAction());
        const QRect tools = bar->actionGeometry(form.MT_Tools->menuAction());
        QVERIFY(help.right() >= bar->width() - 12);
        QVERIFY(help.left() > tools.right() + 100);
    }

    void sizesFollowTheFont()
    {
        formskit::Globals g;
        QSize small, large;
        int smallButton = 0, largeButton = 0;
        {
            formskit::FixLook(9);
            TUF_Main form;
            small = form.minimumSize();
            smallButton = form.BBtn_Process->height();
            QCOMPARE(smallButton, FontHeight + BBtnPad);
            QCOMPARE(form.BBtn_Process->width(), Utils::ScaleWidth(80));
            QCOMPARE(WMs->getItems(wmMain).DefaultWidth(), small.width());
            QCOMPARE(WMs->getItems(wmMain).DefaultHeight(), small.height());
        }
        {
            formskit::FixLook(16);
            TUF_Main form;
            large = form.minimumSize();
            largeButton = form.BBtn_Process->height();
        }
        formskit::FixLook(9);
        QVERIFY(largeButton > smallButton);
        QVERIFY2(large.height() > small.height(), qPrintable(QStringLiteral("%1 %2").arg(large.height()).arg(small.height())));
        QVERIFY(large.width() >= small.width());
    }

    void smallWorkAreaLowersTheMinimum()
    {
        formskit::Globals g;
        TUF_Main probe;
        const QSize min = probe.minimumSize();
        formskit::WorkArea wa(QRect(10, 20, min.width() - 40, min.height() - 30));
        TUF_Main form;
        // The frame, title bar included, fills the work area; its minimum
        // stays a pixel below it, so a window manager still offers to
        // maximise the form.
        const QSize frame = FramePlace::Of(&form).Extra();
        QCOMPARE(form.minimumSize() + frame, QSize(min.width() - 41, min.height() - 31));
        QCOMPARE(FramePlace::Of(&form).Wanted().size(), QSize(min.width() - 40, min.height() - 30));
        QCOMPARE(form.WorkAreaWidth, min.width() - 40);
        QCOMPARE(form.WorkAreaHeight, min.height() - 30);
    }
};

QTEST_MAIN(TestMainLayout)
#include "tst_main_layout.moc"
