// Prints where the program, run from this probe's folder, finds what it
// carries, one "<kind> <path>" line each: its templates, its sample and the
// Help documents. Placed beside the program's executable (in the build tree,
// or copied into an installed tree), it follows the program's own rules.
#include "zyAD.h"
#include "zyUIL.h"
#include "zyUP.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    InitUILs();
    const TzyAD ad;
    TzyUP up;
    up.Reset();
    auto line = [](const char* kind, const QString& path) { std::printf("%s %s\n", kind, qPrintable(path)); };
    line("template", up.GetTemplateXLS());
    line("template", up.GetTemplateXLSX());
    line("sample", TzyAD::GetAppFolder() + QStringLiteral("Samples/Tarvo_ZOL_Lumo_Sample.xlsx"));
    line("document", ad.getTutorialFile());
    line("document", ad.getUserManualFile());
    line("document", ad.getWhitePaperFile());
    return 0;
}
