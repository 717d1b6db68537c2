#pragma once
// The globals the summary and configuration-errors forms read, in a fixed
// look (see FormsTestEnv): preferences, six placement records, one
// definition, the validation, the Project Summary layout tables, and a
// progress display and prompter that show nothing.
#include "FormsTestEnv.h"
#include "Progress.h"
#include "RF_PS_Consts.h"
#include "Shell.h"
#include "StdDlg.h"
#include "zyAD.h"
#include "zyDV.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zySD.h"
#include "zyUP.h"
#include "zyWM.h"

#include <QList>
#include <QStringList>

namespace ProcessFormsEnv {

inline void Init()
{
    FormsTestEnv::Init();
    Utils::InitFontMetrics();
    UP = std::make_unique<TzyUP>();
    WMs = std::make_unique<TzyWMs>();
    while (WMs->HighIndex() < 6)
        WMs->Add();
    DV = std::make_unique<TzyDV>();
    SDs = std::make_unique<TzySDs>();
    SDs->setActiveSD(SDs->Add());
    RHs_PS = std::make_unique<TzyRHs>();
    RFs_PS = std::make_unique<TzyRFs>();
    RF_PS_Consts::LoadRHs(*RHs_PS);
    RF_PS_Consts::LoadRFs(*RFs_PS);
}

// Records what would have been opened.
struct RecordingShell : platform::IShell {
    QStringList opened;
    int open(const QString& file, const QString&, const QString&, int) override
    {
        opened << file;
        return 42;
    }
};

// Records the messages and answers each with its rightmost button.
struct Recorder : StdDlg::IPrompter {
    QStringList ids;
    QList<StdDlg::Answer> answers;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        ids << r.msgId;
        if (!answers.isEmpty())
            return answers.takeFirst();
        return {r.buttons[2].modalResult, false};
    }
};

} // namespace ProcessFormsEnv
