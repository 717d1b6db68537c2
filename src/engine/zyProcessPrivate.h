#pragma once
// Helpers shared by the run frame's units.
#include "zyEngineCore.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace zyProcessPrivate {
// The operation's message lines (the application data's).
QStringList& Msgs();
// The run's message shapes (paragraphs, "label: value").
using zyRunText::Labelled;
using zyRunText::Paragraphs;
// Selects the worksheet; when the workbook lacks it, closes the workbook,
// quits the server and raises "The %s was not found in the %s." (text
// `notFoundId`) with the worksheet and the file named.
void SelectWorksheetOrFail(const QString& wsLabel, const QString& wsName, const QString& fileLabel,
                           const QString& fileName, int notFoundId = 1132);
// One progress line: `text`, the work, then "Complete." appended (not when
// the work raises).
void StepLine(const QString& text, const std::function<void()>& work);
// The layer's steps of a run and of the browse services, one progress line
// each.
void StartServerStep();
void OpenWorkbookStep(const QString& fileLabel, const QString& fileName, const QString& password);
void SelectWorksheetStep(const QString& wsLabel, const QString& wsName, const QString& fileLabel,
                         const QString& fileName, int notFoundId = 1132);
void UsedRangeStep(const QString& wsLabel);
void CloseWorkbookStep(const QString& fileLabel);
void QuitServerStep();
// The progress form shown afresh for an operation of `steps` numbered
// steps, and closed with the cancel flag cleared.
void ShowProgress(const QString& operation, int steps);
void CloseProgress();
// Makes the report tables when start-up has not.
void EnsureReportTables();
// The layer's hold for a run (see TzyXL::HoldForRun), let go however the
// run ends.
struct HoldForRun {
    HoldForRun();
    ~HoldForRun();
    HoldForRun(const HoldForRun&) = delete;
    HoldForRun& operator=(const HoldForRun&) = delete;
};
} // namespace zyProcessPrivate
