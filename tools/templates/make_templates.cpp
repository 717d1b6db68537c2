// Makes the program's report templates and its sample Data Source File with
// a private headless LibreOffice:
//   make_templates <templates folder> [<samples folder>]
//       both templates, and the sample (beside them unless a folder is named)
//   make_templates --schedule <file> <tasks> <years>
#include "LoBackend.h"
#include "LoOffice.h"
#include "LoText.h"
#include "RF_CD_Consts.h"
#include "RF_PS_Consts.h"
#include "WorkbookMaker.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zyUIL.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // The office takes file URLs: every path made absolute first.
    for (QString& a : args)
        if (!a.startsWith(QLatin1String("--")) && !(a.toInt() > 0))
            a = QFileInfo(a).absoluteFilePath();
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: make_templates <templates folder> [<samples folder>] | --schedule <file> <tasks> <years>\n");
        return 2;
    }
    InitUILs();
    RHs_PS = std::make_unique<TzyRHs>();
    RFs_PS = std::make_unique<TzyRFs>();
    RHs_CD = std::make_unique<TzyRHs>();
    RFs_CD = std::make_unique<TzyRFs>();
    RF_PS_Consts::LoadRHs(*RHs_PS);
    RF_PS_Consts::LoadRFs(*RFs_PS);
    RF_CD_Consts::LoadRHs(*RHs_CD);
    RF_CD_Consts::LoadRFs(*RFs_CD);

    QTemporaryDir profile;
    // One server, started once: no spare.
    lo::Backend backend({QString(), profile.path() + QStringLiteral("/profile"), 90000, 15000, false});
    try {
        backend.start();
        auto* office = backend.server();
        if (args.first() == QLatin1String("--schedule") && args.size() >= 4) {
            tmpl::ScheduleSpec spec;
            spec.tasks = args[2].toInt();
            spec.years = args[3].toInt();
            spec.dataDate = spec.start.addDays(spec.start.daysTo(spec.start.addYears(spec.years)) / 2);
            tmpl::MakeSchedule(office->desktop(), args[1], spec);
        } else {
            const QString folder = args.first();
            QDir().mkpath(folder);
            tmpl::MakeTemplate(office->context(), office->desktop(), folder + "/Tarvo_ZOL_Lumo_Template.xlsx");
            tmpl::MakeTemplate(office->context(), office->desktop(), folder + "/Tarvo_ZOL_Lumo_Template.xls");
            const QString samples = args.size() > 1 ? args[1] : folder;
            QDir().mkpath(samples);
            tmpl::MakeSchedule(office->desktop(), samples + "/Tarvo_ZOL_Lumo_Sample.xlsx", tmpl::ScheduleSpec{});
        }
        backend.quit();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_templates: %s\n", e.what());
        return 1;
    } catch (const css::uno::Exception& e) {
        std::fprintf(stderr, "make_templates: %s\n", lo::toQ(e.Message).toUtf8().constData());
        return 1;
    }
    return 0;
}
