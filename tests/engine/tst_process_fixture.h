#pragma once
// Shared by the run-frame tests: a ZOL Definition over a schedule worksheet,
// a recording dialog responder and a progress display that cancels at a
// chosen step. The definition side lives in its own unit (the model and the
// engine core are never included together).
#include "Progress.h"
#include "StdDlg.h"

#include <QList>

#include <functional>
#include <QString>
#include <QStringList>

namespace platform {
class MachineKeyTable;
}

namespace pfx {

// Columns of the generated schedule worksheet (header in row 1).
//   A task  B BL start  C BL finish  D BL MH  E BL cost
//   F start  G finish  H MH  I cost  J % complete  K area
struct Options {
    bool bl = true, act = true, tgt = false, mh = true, cost = true;
    bool filter = false; // area = "NORTH" (the rows of odd tasks)
    double cutOff = 0;
    QString taskWS = QStringLiteral("Tasks");
    QString psWS = QStringLiteral("Project Summary");
    QString cdWS = QStringLiteral("Chart Data");
    QString dsfPassword;
    QString tfPassword;
    int headerRow = 1;
    // The nine map columns and the filter's column.
    QStringList mapCols{"B", "C", "D", "E", "F", "G", "H", "I", "J"};
    QString filterCol = QStringLiteral("K");
    QString filterValue = QStringLiteral("North");
};

struct Files {
    QString dsf, tf, of;
};

// Creates the globals a run needs (definitions, preferences, application
// data) and a definition; returns its index (made active).
int MakeDefinition(const Files& files, const Options& o);
void SetOutputFile(int sd, const QString& of);
double CutOffDate(int sd);
void ResetGlobals();

// The globals every run test sets first: the texts, the progress display
// (no message pump) with the engine's step formats, the dialog responder.
void InstallRunHarness(IProgress& progress, StdDlg::IPrompter& prompter);
// What the in-memory server's runs read of the machine: English (UK) numbers
// and dates, and an office that answers as Excel 15.
void InstallFakeMachine(platform::MachineKeyTable& keys);
// Ends the engine and the layer of the last run and takes the harness (and
// the machine keys) down again.
void RemoveRunHarness();

// Browse caches of the active definition.
QStringList WorksheetList(int wsl);
bool WorksheetListLoaded(int wsl);
int FieldCount();
QString Field(int i);
QString FieldDesc(int i);
QString FieldValue(int i, int j);
bool FieldsLoaded();
void PrepareValueList(int vl, const QString& taskFld);
int ValueListCount();
QStringList Values(int vl);
QList<int> ValueCounts(int vl);
int ValueTotal();
bool ValuesLoaded(int vl);

struct Recorder : StdDlg::IPrompter {
    QList<StdDlg::Request> seen;
    QList<StdDlg::Answer> answers; // taken in order; then the right button
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        seen << r;
        if (!answers.isEmpty())
            return answers.takeFirst();
        return {r.buttons[2].modalResult, false};
    }
    QStringList ids() const
    {
        QStringList out;
        for (const auto& r : seen)
            out << r.msgId;
        return out;
    }
};

// Cancels, as the Cancel button does, when step `cancelAt` is added.
class CancellingProgress : public MemoryProgress {
public:
    int cancelAt = -1;
    std::function<void(int step, const QString& text)> onStep; // after each numbered step is added
    int shows = 0;
    int closes = 0;
    int AddStepIdx(const QString& text) override;
    void AddStep(const QString& text) override { AddStepIdx(text); }
    void Show() override
    {
        ++shows;
        MemoryProgress::Show();
    }
    void Close() override
    {
        ++closes;
        MemoryProgress::Close();
    }
};

} // namespace pfx
