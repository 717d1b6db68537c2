// The workbook services of the browse commands: worksheet names, task fields
// and distinct task field values read into the active definition's caches.
#include "zyProcess.h"

#include "Format.h"
#include "Progress.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyEngineCore.h"
#include "zyModelPrefs.h"
#include "zyProcessPrivate.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyXL.h"

#include <QHash>

using Utils::Format;
using namespace zyProcessPrivate;

namespace {

TzySD& ActiveSD()
{
    return SDs->getItems(SDs->ActiveSD());
}

void ShowEmpty(const char* msgId, const QStringList& lines, int hintId)
{
    StdDlg::ShowMsg1(StdDlg::Warning, QString::fromLatin1(msgId), lines, UIT(hintId), UIT(289), StdDlg::mrClose,
                     StdDlg::glClose);
}

// Opens the named worksheet and reads its used range, the two steps the
// task field services share.
void WorksheetSteps(const QString& fileLabel, const QString& fileName, const QString& wsLabel, const QString& wsName)
{
    SelectWorksheetStep(wsLabel, wsName, fileLabel, fileName);
    UsedRangeStep(wsLabel);
}

} // namespace

void TzyProcess::RemoveDuplicates(const QStringList& values, QStringList& distinct, QVector<int>& counts,
                                  const std::function<void(int)>& tick)
{
    distinct.clear();
    counts.clear();
    // One pass with a hash of the upper-cased texts: the first occurrence
    // keeps its place and its spelling.
    QHash<QString, int> seen;
    seen.reserve(values.size());
    for (int j = 0; j < values.size(); ++j) {
        const QString& v = values[j];
        const QString key = Utils::AsciiUpper(v);
        const auto it = seen.constFind(key);
        if (it != seen.constEnd()) {
            ++counts[*it];
        } else {
            seen.insert(key, int(distinct.size()));
            distinct << v;
            counts << 1;
        }
        if (tick)
            tick(j + 1);
    }
}

template <class Body>
bool TzyProcess::browse(int headingId, int steps, int captionId, const QString& fileLabel, const char* cancelId,
                        const char* failId, int hintId, const std::function<void()>& resetCache, Body&& body)
{
    const auto handle = [&](const char* msgId, const std::exception* failure) {
        CloseProgress();
        QStringList quitLog;
        try {
            XL->QuitExcel();
        } catch (const std::exception&) {
            // The service reports; the server's own lines join the dialog.
            quitLog = XL->Log;
        }
        resetCache();
        QStringList lines = Msgs();
        lines << XL->Log;
        if (failure) {
            const QString message = Utils::ExceptionMessage(*failure);
            if (!message.isEmpty())
                lines << Format(UIT(1094), {message}) << QString();
        }
        if (!quitLog.isEmpty() && quitLog != XL->Log)
            lines << quitLog;
        ShowEmpty(msgId, lines, hintId);
    };

    Msgs().clear();
    Msgs() << Format(UIT(headingId), {fileLabel}) << QString();
    try {
        SetStepFormats(steps);
        ShowProgress(Format(UIT(captionId), {fileLabel}), steps);
        const bool filled = body();
        CloseProgress();
        return filled;
    } catch (const OperationAborted&) {
        handle(cancelId, nullptr);
    } catch (const std::exception& e) {
        handle(failId, &e);
    } catch (...) {
        handle(failId, nullptr);
    }
    return false;
}

namespace {

void OpenSteps(const QString& fileLabel, const QString& fileName, const QString& password)
{
    StartServerStep();
    OpenWorkbookStep(fileLabel, fileName, password);
}

void CloseSteps(const QString& fileLabel)
{
    CloseWorkbookStep(fileLabel);
    QuitServerStep();
}

} // namespace

bool TzyProcess::ExtractWorksheetNames(const QString& fileLabel, const QString& fileName, const QString& password,
                                       int wslIndex)
{
    return browse(1107, 5, 253, fileLabel, "UP016", "UP017", 997,
                  [wslIndex] { ActiveSD().ResetWSL(wslIndex); }, [&] {
        OpenSteps(fileLabel, fileName, password);
        XL->SetWorksheetLabel(QString());
        XL->SetWorksheetName(QString());
        const QStringList names = XL->ExtractWSList();
        progress().AppendToLastLine(UIT(391));
        TzySD& sd = ActiveSD();
        sd.setWSL_Count(wslIndex, int(names.size()));
        for (int j = 0; j < names.size(); ++j)
            sd.setWSL_WS(wslIndex, j + 1, names[j]);
        CloseSteps(fileLabel);
        if (sd.getWSL_Count(wslIndex) > 0) {
            sd.setWSL_Loaded(wslIndex, true);
            return true;
        }
        progress().Close();
        ShowEmpty("UP015",
                  {Format(UIT(1122), {fileLabel}), QString(), fileName, QString(), Format(UIT(1123), {fileLabel})},
                  996);
        return false;
    });
}

bool TzyProcess::ExtractTaskFields(const QString& fileLabel, const QString& fileName, const QString& password,
                                   const QString& wsLabel, const QString& wsName, const QString& /*headerRowLabel*/,
                                   int headerRow)
{
    return browse(1108, 7, 254, fileLabel, "UP019", "UP020", 999, [] { ActiveSD().ResetFL(); }, [&] {
        OpenSteps(fileLabel, fileName, password);
        WorksheetSteps(fileLabel, fileName, wsLabel, wsName);
        const int width = Model::ImportTaskFldValueCount();
        const QVector<XLTaskField> fields = XL->ExtractFldList(headerRow, width);
        progress().AppendToLastLine(UIT(391));
        TzySD& sd = ActiveSD();
        sd.setFL_Count(int(fields.size()));
        for (int i = 0; i < fields.size(); ++i) {
            const XLTaskField& f = fields[i];
            sd.setFL_TaskFld(i + 1, f.field);
            sd.setFL_TaskFldDesc(i + 1, f.description);
            for (int j = 0; j < f.values.size() && j < width; ++j)
                sd.setFL_TaskFldValue(i + 1, j + 1, f.values[j]);
        }
        CloseSteps(fileLabel);
        if (sd.getFL_Count() > 0) {
            sd.setFL_Loaded(true);
            return true;
        }
        progress().Close();
        ShowEmpty("UP018",
                  {Format(UIT(1126), {wsLabel}), QString(), Labelled(wsLabel, wsName), QString(),
                   Format(UIT(1127), {wsLabel})},
                  998);
        return false;
    });
}

bool TzyProcess::ExtractTaskFieldValues(const QString& fileLabel, const QString& fileName, const QString& password,
                                        const QString& wsLabel, const QString& wsName, const QString& taskFld,
                                        int vlIndex, const QString& /*headerRowLabel*/, int headerRow)
{
    return browse(1109, 8, 255, fileLabel, "UP024", "UP025", 1001, [] { ActiveSD().ResetVL(); }, [&] {
        OpenSteps(fileLabel, fileName, password);
        WorksheetSteps(fileLabel, fileName, wsLabel, wsName);
        const int firstRow = headerRow + 1;
        const int lastRow = XL->LastRow;
        const int taskTotal = lastRow - firstRow + 1;
        QStringList values;
        if (taskTotal >= 1)
            values = XL->ExtractValList(taskFld, firstRow, lastRow);
        else
            // No task row: the layer's step line still shows, with nothing read.
            progress().AddStep(Format(UIT(1207), {0, 0}));
        progress().AppendToLastLine(UIT(391));
        CloseSteps(fileLabel);

        if (values.isEmpty()) {
            progress().Close();
            ShowEmpty("UP023",
                      {UIT(1128), QString(), Format(UIT(1199), {taskFld}), QString(), UIT(1129)}, 1000);
            return false;
        }
        const TzyCoreHooks onForm;
        TzyStepCounter counter(onForm, 317, int(values.size()));
        QStringList distinct;
        QVector<int> counts;
        RemoveDuplicates(values, distinct, counts, [&](int j) { counter.Tick(j); });
        counter.Finish();

        TzySD& sd = ActiveSD();
        sd.setVL_TaskFldValCount(vlIndex, int(distinct.size()));
        for (int i = 0; i < distinct.size(); ++i) {
            sd.setVL_TaskFldValue(vlIndex, i + 1, distinct[i]);
            sd.setVL_TaskFldValTaskCount(vlIndex, i + 1, counts[i]);
        }
        sd.setVL_Total(taskTotal);
        sd.setVL_Loaded(vlIndex, true);
        return true;
    });
}
