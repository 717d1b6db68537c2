#include "UF_MainTaskFld.h"

#include "BalloonHint.h"
#include "StdDlg.h"
#include "TaskFieldRules.h"
#include "UF_Main.h"
#include "UF_MainTexts.h"
#include "Utils.h"
#include "zyGrid.h"
#include "zyModelPrefs.h"
#include "zyProcess.h"
#include "zySD.h"
#include "zyUIL.h"

#include <QEvent>

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

class FocusOutWatch : public QObject {
public:
    FocusOutWatch(QWidget* w, std::function<void()> handler)
        : QObject(w)
        , m_handler(std::move(handler))
    {
        w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::FocusOut && m_handler)
            m_handler();
        return QObject::eventFilter(watched, e);
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void ApplyGridCaptions(TzyGrid* grid)
{
    using K = MainTexts::Kind;
    for (const MainTexts::CaptionEntry& e : MainTexts::Captions()) {
        if (grid->objectName() != QLatin1String(e.control))
            continue;
        if (e.kind == K::GridHeader && e.index >= 1 && e.index <= grid->ColCount())
            grid->setHeaderCellText(e.index, MainTexts::CaptionText(e));
        else if (e.kind == K::GridGutter && e.index >= 1 && e.index <= grid->RowCount())
            grid->setGutterCellText(e.index, MainTexts::CaptionText(e));
    }
}

void OnFocusOut(QWidget* w, std::function<void()> handler) { new FocusOutWatch(w, std::move(handler)); }

Links& PageLinks() { return storage(); }
void ResetPageLinks() { storage() = defaultLinks(); }

QPoint CellAnchor(TzyGrid* grid)
{
    const QRect r = grid->GridToClient(grid->CellRect(grid->Col(), grid->Row())).toQRect();
    return grid->viewport()->mapToGlobal(r.bottomLeft());
}

void TextKey(TUF_Main& f, TzyGrid* grid, QChar& key, const QRect& rectCell, bool& allowed, const QString& buffer,
             int maxLength)
{
    if (!buffer.isEmpty())
        f.WarnMaxLengthSG(grid, key, maxLength, rectCell, allowed);
}

void TaskFldKey(TUF_Main& f, TzyGrid* grid, QChar& key, const QRect& rectCell, bool& allowed,
                const QString& buffer, int labelId)
{
    if (!buffer.isEmpty()) {
        f.WarnMaxLengthSG(grid, key, 3, rectCell, allowed);
        if (key.isNull())
            return;
    }
    const TaskFieldRules::KeyVerdict v = TaskFieldRules::FilterColumnKey(key);
    key = v.key;
    if (v.allowed)
        return;
    allowed = false;
    const QString file = ActiveSD().SCF.GetDataSourceFile();
    const QPoint topLeft = grid->viewport()->mapToGlobal(rectCell.topLeft());
    f.BH_Main->ShowHint(QRect(topLeft, rectCell.size()),
                        TaskFieldRules::RefusedKeyBalloon(UIT(labelId), TaskFieldRules::LastColumn(file)));
}

void UpdateDescriptions(TUF_Main& f, TzyGrid* grid, int taskFldCol, int descCol, const QString (&ids)[3])
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
