#pragma once
// What the forms' tests share: the globals a form reads (texts, preferences,
// placements, definitions, validation, the spreadsheet layer on the in-memory
// server, the engine), a fixed font and style so sizes do not depend on the
// machine, and a recording dialog responder.
#include "FakeXL.h"
#include "MachineKeys.h"
#include "Progress.h"
#include "StdDlg.h"
#include "tst_process_fixture.h"
#include "zyAD.h"
#include "zyDF.h"
#include "zyDV.h"
#include "zyOCP.h"
#include "zyProcess.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyWM.h"
#include "zyXL.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QStyleFactory>
#include <QTimer>

#include <functional>

namespace ftk {

struct Globals {
    platform::MachineKeyTable keys;
    std::shared_ptr<FakeOffice> office = std::make_shared<FakeOffice>();
    pfx::Recorder dlg;
    pfx::CancellingProgress progress;

    Globals()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        InitUILs();
        Utils::InitFontMetrics();
        Utils::SetPadsFromFontHeight(FontHeight);
        keys.set(platform::RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
                 QStringLiteral("Excel.Application.15"));
        platform::setMachineKeys(&keys);
        office->install();
        Progress::setPump([] {});
        Progress::setForm(&progress);
        Progress::setFormatSources([] { return Process->StepFmt; }, [] { return Process->NoStepFmt; });
        StdDlg::setPrompter(&dlg);
        AD = std::make_unique<TzyAD>();
        UP = std::make_unique<TzyUP>();
        WMs = std::make_unique<TzyWMs>();
        while (WMs->HighIndex() < wmCount)
            WMs->Add();
        DV = std::make_unique<TzyDV>();
        XL = std::make_unique<TzyXL>();
        OCP = std::make_unique<TzyOCP>();
        Process = std::make_unique<TzyProcess>();
        DF = std::make_unique<TzyDF>();
        pfx::MakeDefinition({}, pfx::Options{});
    }
    ~Globals()
    {
        Process.reset();
        DF.reset();
        OCP.reset();
        XL.reset();
        DV.reset();
        StdDlg::setPrompter(nullptr);
        Progress::setForm(nullptr);
        platform::setMachineKeys(nullptr);
        setXLBackendFactory({});
    }
};

// Runs `action` once the next modal loop has started (the dialog is shown).
// A dialog the action left open is closed with 99, so a failing test ends.
inline void whenShown(std::function<void()> action)
{
    QTimer::singleShot(0, [action = std::move(action)] {
        auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        action();
        if (shown && shown->isVisible())
            shown->done(99);
    });
}

inline TzySD& active()
{
    return SDs->getItems(SDs->ActiveSD());
}

// A workbook file for the in-memory server, which holds the workbook itself:
// the file only has to be there, and not empty, as no workbook is.
inline bool StandInWorkbook(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("PK") == 2;
}

} // namespace ftk
