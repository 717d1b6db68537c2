#include "UF_MainTaskFld.h"

#include "Artwork.h"
#include "BalloonHint.h"
#include "StdDlg.h"
#include "TaskFieldRules.h"
#include "UF_Main.h"
#include "Utils.h"
#include "zyGrid.h"
#include "zyModelPrefs.h"
#include "zyProcess.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyColors.h"

#include <QEvent>
#include <algorithm>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QPointer>

namespace MainTaskFld {

namespace {

TzySD& ActiveSD() { return SDs->getItems(SDs->ActiveSD()); }

Links defaultLinks()
{
    Links l;
    l.BrowseTaskField = [](const QString& current, const QString& caption, int alignMode, const QString& itemName,
                           std::optional<QPoint> anchor) {
        return BrowseCommands::BrowseTaskField(BrowseCommands::ActiveTaskSource(), current, caption, alignMode,
                                               itemName, anchor);
    };
    l.BrowseTaskFieldValue = [](const QString& taskFld, const QString& fieldName, const QString& current,
                                std::optional<QPoint> anchor) {
        return BrowseCommands::BrowseTaskFieldValue(BrowseCommands::ActiveTaskSource(), taskFld, fieldName,
                                                    current, anchor);
    };
    l.TaskFieldChecksFail = [] { return BrowseCommands::TaskFieldChecksFail(BrowseCommands::ActiveTaskSource()); };
    l.ExtractTaskFields = [] {
        const BrowseCommands::TaskSource s = BrowseCommands::ActiveTaskSource();
        return BrowseCommands::RunBusy([&] {
            return Process && Process->ExtractTaskFields(s.fileLabel, s.fileName, s.password, s.wsLabel, s.wsName,
                                                         s.rowLabel, s.headerRow);
        });
    };
    return l;
}

Links& storage()
{
    static Links links = defaultLinks();
    return links;
}

class ExitWatch : public QObject {
public:
    ExitWatch(QWidget* w, BalloonHint* balloon)
        : QObject(w)
        , m_balloon(balloon)
    {
        w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::FocusOut && m_balloon)
            m_balloon->HideHint();
        return QObject::eventFilter(watched, e);
    }

private:
    QPointer<BalloonHint> m_balloon;
};

} // namespace

void SetupPageGrid(TzyGrid* g, int cols, int rows, int defaultColWidth, int gutterKind, int gutterWidth)
{
    g->setColCount(cols);
    g->setRowCount(rows);
    g->setDefaultColWidth(defaultColWidth);
    g->setDefaultRowHeight(24);
    g->setHeaderHeight(21);
    g->setGutterKind(TGutterKind(gutterKind));
    g->setGutterWidth(gutterWidth);
    g->setMoveDown(false);
    g->setMoveWrap(mwGrid);
    g->setOptions(goAutoSizeLastCol | goResizeCol | goAutoSizeCol);
    g->setUnUsedColor(zyColor::clBtnFace());
    g->setShowPopUp(true);
    g->setPopUpCutText(QStringLiteral("Cut"));
    g->setPopUpCopyText(QStringLiteral("Copy"));
    g->setPopUpPasteText(QStringLiteral("Paste"));
    g->setPopUpClearText(QStringLiteral("Clear"));
    g->setGutterImagePicture(Artwork::IL_Main_2221(Artwork::IndicatorWarning));
}

QPushButton* InGridButton(QWidget* parent, const char* name)
{
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(QLatin1String(name));
    b->setFixedWidth(26);
    b->setFocusPolicy(Qt::NoFocus);
    b->hide();
    return b;
}

void KeepColumnsInView(TzyGrid* grid, int lastCol)
{
    grid->AutoSizeGutter(true);
    int need = grid->GutterWidth() + 2 * grid->frameWidth();
    for (int c = 1; c <= lastCol; ++c)
        need += std::max(grid->getColMinWidths(c), grid->GridColMinWidth());
    if (grid->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        need += grid->verticalScrollBar()->sizeHint().width();
    grid->setMinimumWidth(need);
}

void AutoSizeClick(TzyGrid* grid, QToolButton* button, void (TzyUP::*store)(bool))
{
    (UP.get()->*store)(button->isChecked());
    UP->Save();
    if (button->isChecked())
        grid->AutoSizeCols(true);
}

void UserColWidthChanged(QToolButton* button, void (TzyUP::*store)(bool))
{
    button->setChecked(false);
    (UP.get()->*store)(false);
    UP->Save();
}

void HideBalloonOnExit(QWidget* w, BalloonHint* balloon) { new ExitWatch(w, balloon); }

Links& PageLinks() { return storage(); }
void ResetPageLinks() { storage() = defaultLinks(); }

QPoint CellAnchor(TzyGrid* grid, const QWidget* button)
{
    const GridRect r = grid->GridToClient(grid->CellRect(grid->Col(), grid->Row()));
    // Below the row: the first pixel under the cell. Right of the in-grid
    // button, which the grid stands at the cell's right edge when it shows it.
    const int y = grid->viewport()->mapToGlobal(QPoint(0, r.B)).y();
    const int x = button && button->isVisible() ? button->mapToGlobal(QPoint(button->width() + 4, 0)).x()
                                                : grid->viewport()->mapToGlobal(QPoint(r.R + 4, 0)).x();
    return {x, y};
}

namespace {

// The grid gives the caret's rectangle on the screen; the frame's length
// check takes it in the viewport's coordinates.
void warnMaxLength(TUF_Main& f, TzyGrid* grid, QChar& key, const QRect& rectCell, bool& allowed, int maxLength)
{
    const QRect local(grid->viewport()->mapFromGlobal(rectCell.topLeft()), rectCell.size());
    f.WarnMaxLengthSG(grid, key, maxLength, local, allowed);
}

} // namespace

void TextKey(TUF_Main& f, TzyGrid* grid, QChar& key, const QRect& rectCell, bool& allowed, const QString& buffer,
             int maxLength)
{
    if (!buffer.isEmpty())
        warnMaxLength(f, grid, key, rectCell, allowed, maxLength);
}

void TaskFldKey(TUF_Main& f, TzyGrid* grid, QChar& key, const QRect& rectCell, bool& allowed,
                const QString& buffer, int labelId)
{
    if (!buffer.isEmpty()) {
        warnMaxLength(f, grid, key, rectCell, allowed, 3);
        if (key.isNull())
            return;
    }
    const TaskFieldRules::KeyVerdict v = TaskFieldRules::FilterColumnKey(key);
    key = v.key;
    if (v.allowed)
        return;
    allowed = false;
    const QString file = ActiveSD().SCF.GetDataSourceFile();
    f.BH_Main->ShowHint(rectCell,
                        TaskFieldRules::RefusedKeyBalloon(UIT(labelId), TaskFieldRules::LastColumn(file)));
}

void UpdateDescriptions(TzyGrid* grid, int taskFldCol, int descCol, const QString (&ids)[3])
{
    TzySD& sd = ActiveSD();
    Links& links = PageLinks();
    if (!sd.getFL_Loaded() && links.TaskFieldChecksFail())
        return;
    QStringList taskFlds;
    for (int r = 1; r <= grid->RowCount(); ++r)
        taskFlds << grid->getCells(taskFldCol, r);
    if (!TaskFieldRules::AnyTaskField(taskFlds)) {
        StdDlg::ShowMsg1(StdDlg::Warning, ids[0], {UIT(1137), QString(), UIT(1138)}, UIT(949), UIT(289),
                         StdDlg::mrClose, StdDlg::glClose);
        return;
    }
    if (StdDlg::ShowMsg2(StdDlg::Question, ids[1], {UIT(1042), QString(), UIT(1043)}, UIT(950), UIT(294),
                         StdDlg::mrYes, StdDlg::glYes, UIT(951), UIT(291), StdDlg::mrNo, StdDlg::glNo)
        == StdDlg::mrNo)
        return;
    if (!sd.getFL_Loaded() && !links.ExtractTaskFields())
        return;
    TaskFieldRules::FieldList header;
    for (int i = 1; i <= sd.getFL_Count(); ++i)
        header.append({sd.getFL_TaskFld(i), sd.getFL_TaskFldDesc(i)});
    const int maxCols = Model::LimitsFor(Utils::Trim(sd.SCF.GetDataSourceFile())).maxCols;
    const TaskFieldRules::DescUpdate u = TaskFieldRules::UpdateDescriptions(taskFlds, header, maxCols);
    for (int r = 1; r <= grid->RowCount(); ++r)
        grid->setCells(descCol, r, u.descriptions.value(r - 1));
    StdDlg::ShowMsg1(StdDlg::Information, ids[2], TaskFieldRules::DescReportLines(u.counters), UIT(952), UIT(289),
                     StdDlg::mrClose, StdDlg::glClose);
    if (grid->Enabled())
        grid->setFocus();
}

} // namespace MainTaskFld
